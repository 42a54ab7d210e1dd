// quendavore-calc optimise: the band optimiser on a network file, writing
// the optimised network to a file of its own.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace qv::calc_tool {

// Runs `optimise` (args[0]); prints the CSV header and line and writes the
// network. Bad arguments and unreadable or unwritable files throw Problem.
int OptimiseCommand(const std::vector<std::string>& args, std::ostream& out);

}  // namespace qv::calc_tool
