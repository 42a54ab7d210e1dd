// quendavore-calc match: the matching networks for the load of a network
// file, as CSV lines and optionally as network files.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace qv::calc_tool {

// Runs `match` (args[0]). Bad arguments, a load that cannot be matched and
// unwritable files throw Problem; notes on networks left out go to `err`
// after the results.
int MatchCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace qv::calc_tool
