// Touchstone files (versions 1.x and 2.x) as a load: the impedance a
// measured network presents at its port 1, against frequency, for the load
// table. A file is read whole into a result first, so a refused file never
// leaves a half-read table behind.
#pragma once

#include <cstddef>
#include <istream>
#include <string>
#include <vector>

#include "session/MessageSink.h"
#include "session/SessionState.h"

namespace qv {

struct LoadPoint {
    double freq = 0;  // Hz
    double r = 0;     // ohms
    double x = 0;     // ohms
};

struct TouchstoneRead {
    bool ok = false;
    // At most kMaxLoadPoints, frequencies increasing; a longer file is
    // thinned evenly, keeping its first and last frequency.
    std::vector<LoadPoint> points;
    int ports = 0;
    std::size_t frequenciesInFile = 0;
    // On refusal: what is wrong, naming the file and, where there is one,
    // the line. On success: what the user should know (the port used, the
    // thinning), or empty.
    std::string message;
};

// Whether a file is to be read as Touchstone: its first line that is
// neither blank nor a "!" comment is an option line ("#") or a keyword
// ("["). Only when the content cannot tell (no such line, or nothing but
// comments) does the extension decide: .sNp or .ts.
bool LooksLikeTouchstone(std::istream& in, const std::string& name);
bool IsTouchstoneFile(const std::string& name);

// Reads a whole Touchstone file. `name` appears in the messages only.
TouchstoneRead ParseTouchstone(std::istream& in, const std::string& name);

// Reads `name` into the load table: rows 1..N, LoadRows and SweepPoints = N
// (the earlier count kept in SavedSweepPoints), and shows the notice, if
// any. A refused file shows why and leaves the session exactly as it was.
bool ReadTouchstoneLoad(const std::string& name, SessionState& s, MessageSink& sink);

}  // namespace qv
