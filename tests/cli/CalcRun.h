// quendavore-calc run in process: its exit status and what it printed.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

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
    // A refused run: status 2, nothing on standard output, one line on
    // standard error naming the tool.
    void ExpectRefused() const {
        EXPECT_EQ(status, 2) << err;
        EXPECT_EQ(out, "");
        EXPECT_EQ(err.rfind("quendavore-calc: ", 0), 0u) << err;
        EXPECT_EQ(err.find('\n'), err.size() - 1) << err;
    }
};

// The parts of a text between separators: lines ('\n') or fields (',').
inline std::vector<std::string> Split(const std::string& text, char sep) {
    std::vector<std::string> parts;
    std::istringstream in(text);
    for (std::string part; std::getline(in, part, sep);) parts.push_back(part);
    return parts;
}

inline std::vector<double> Numbers(const std::string& line) {
    std::vector<double> values;
    for (const std::string& field : Split(line, ',')) values.push_back(std::stod(field));
    return values;
}

}  // namespace qv::test
