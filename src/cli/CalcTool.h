// quendavore-calc: the network calculation from the command line, on the
// program's own network and load-data files.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace qv {

// Runs one command; `args` excludes the program name. Results go to `out`,
// problems to `err` as one line each. Returns the exit status: 0 on
// success, 2 for bad arguments or files that cannot be read.
// `chart` and `plot` paint through `pictures`; without one they end with
// status 2.
class PictureWriter;
int RunCalc(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
            PictureWriter* pictures = nullptr);

// Flushes `out` once the command is done: results that could not be
// written (a full disk, a closed standard output) turn `status` into 2 with
// one line on `err`.
int FinishOutput(std::ostream& out, std::ostream& err, int status);

}  // namespace qv
