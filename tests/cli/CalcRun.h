// quendavore-calc run in process: its exit status and what it printed.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "cli/CalcTool.h"

namespace qv::test {

struct CalcRun {
    int status;
    std::string out, err;
    explicit CalcRun(const std::vector<std::string>& args) {
        std::ostringstream o, e;
        status = RunCalc(args, o, e);
        out = o.str(), err = e.str();
    }
};

}  // namespace qv::test
