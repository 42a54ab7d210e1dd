// Load-data files: a load given as lines of frequency, R and X, read into
// the load table of SessionState.
#pragma once

#include <cstdint>
#include <istream>
#include <string>

#include "files/TextFile.h"
#include "session/MessageSink.h"
#include "session/SessionState.h"

namespace qv {

inline constexpr const char* kParserErrorMessage = "Parser error";

// The largest load-data file the reader takes: 1000 rows with generous
// comments. Anything larger is no load-data file.
inline constexpr std::uintmax_t kMaxLoadDataBytes = kMaxTextFileBytes;

// Takes the next comma-separated field off the front of `line` into `field`.
// A run of commas is one separator; blanks belong to the fields. With no
// field left the line becomes empty and `field` is not changed.
void NextField(std::string& line, std::string& field);

// Fills LoadFreq, LoadR, LoadX from row 1 and sets SweepPoints to the number
// of rows read (the earlier count kept in SavedSweepPoints). Each field goes
// through ParseValue; fields missing from a short line read as 0. Empty
// lines and lines starting with ! * ' / or \ are skipped. A file that cannot
// be opened or read, or a 1001st data line, shows "Parser error", empties
// CurrentFileName and returns false, keeping the rows read before. An empty
// name changes nothing and returns false.
bool ParseLoadData(const std::string& name, SessionState& s, MessageSink& sink);
// Same from an open stream (after the empty-name step).
bool ParseLoadDataStream(std::istream& in, SessionState& s, MessageSink& sink);

// Empty when every row held lies in the band the program works in (10 kHz
// to 10 GHz) with a resistance above 0; else the message naming the file
// and the first row at fault. A file that is no load table (a design, a
// picture) reads as rows of 0 Hz, and a design holding such a row as its
// load could not be saved readably.
std::string LoadTableProblem(const SessionState& s, const std::string& name);

// Switches to the load table once rows are held: LoadMode LoadTable, sweep limits
// from the first and last row, the middle row Int(N/2)+1 as the test point
// and the load. A count above the table's 1000 rows is cut to 1000. False,
// with nothing changed, when SweepPoints holds no row.
bool ApplyLoadTable(SessionState& s);

}  // namespace qv
