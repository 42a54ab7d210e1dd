// Tabulated-data files: the sweep results as comma-separated numbers for
// other programs.
#pragma once

#include <string>

#include "files/TextFile.h"
#include "session/SessionState.h"

namespace qv {

// The file's text, CR LF line ends: title, "Filename: " + shownName, date,
// the column heads and one line per sweep point 0..SweepPoints-1 (at most
// the points the result arrays and, in load-table mode, the table hold).
std::string TableFileText(const SessionState& s, const std::string& shownName,
                          const std::string& date);

// Writes StripExtension(name) + ".DAT"; the result names that file. An
// empty name writes nothing and is a failure; an earlier file of that name
// is replaced only once the new one is complete.
[[nodiscard]] WriteResult WriteTableFile(const std::string& name, const SessionState& s,
                                         const std::string& date = TodayShortDate());

}  // namespace qv
