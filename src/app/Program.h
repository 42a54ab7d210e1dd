// The program's pages and its start, shared by main() and the soak driver so
// that the soak runs the program exactly as a user starts it.
#pragma once

#include <string>

#include "app/AppNavigator.h"

namespace qv {

// Registers every page of the program with the navigator.
void RegisterAllPages(AppNavigator& navigator);

// Shows the first page: the opening page, which runs the start-up order
// itself, or, with a file named on the command line (or opened from the
// desktop), the Design page with that design or load table read over the
// last session. `startFile` is an absolute path, or empty.
void StartProgram(AppNavigator& navigator, const std::string& startFile);

}  // namespace qv
