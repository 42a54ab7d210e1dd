// Network files and the last-session file: one design as labelled text
// lines, read back by position with the labels ignored.
#pragma once

#include <istream>
#include <string>

#include "files/TextFile.h"
#include "session/MessageSink.h"
#include "session/SessionState.h"

namespace qv {

inline constexpr const char* kLastSessionFileName = "LASTSESSION.QVF";
inline constexpr const char* kNetworkFileTitle = "Quendavore network file";
inline constexpr const char* kLastSessionTitle = "Quendavore last-session file";
inline constexpr const char* kNoFileChosenMessage =
    "No file was chosen;  we are exiting the file-reading routine.";

// "We had a problem reading file <name>", two line breaks, then the defaults
// sentence.
std::string NetworkReadFailureMessage(const std::string& name);

// The 50 lines of the layout, each ended by CR LF.
std::string NetworkFileText(const SessionState& s, const std::string& title,
                            const std::string& date);

// The largest network file the readers take: the 50 lines with room for
// many comments. Anything larger is no network file.
inline constexpr std::uintmax_t kMaxNetworkFileBytes = 1024 * 1024;

// The largest magnitude a value may have and still read back from its
// 15-digit text: the largest double itself is written rounded up, beyond
// the range. The readers bound what they take to it.
inline constexpr double kLargestWritableValue = 1.79769313486231e308;

// Writes StripExtension(name) + ".QVF"; the result names that file. An
// empty name writes nothing and is a failure. An earlier file of that name
// is replaced only once the new one is complete.
[[nodiscard]] WriteResult WriteNetworkFile(const std::string& name, const SessionState& s,
                                           const std::string& date = TodayShortDate());

// Writes the last-session file, by default "LASTSESSION.QVF" in the
// working directory.
[[nodiscard]] WriteResult WriteLastSession(const SessionState& s,
                                           const std::string& path = kLastSessionFileName,
                                           const std::string& date = TodayShortDate());

// The readers' step: the text after the first ":" of the next line that is
// neither empty nor begins with "*" (the whole line without a ":"). False at
// the end of the file.
bool GetNextValue(LineReader& in, std::string& value);

// Reads a network file with its range checks. On any failure shows the one
// failure message and leaves the network defaults; returns false then (also
// for an empty name, which shows the no-file message and changes nothing).
bool ReadNetworkFile(const std::string& name, SessionState& s, MessageSink& sink);
// Same, from an open stream; `name` is only used in the message.
bool ReadNetworkStream(std::istream& in, const std::string& name, SessionState& s,
                       MessageSink& sink);

// Reads the last-session file without checks or messages; any failure
// (above all a missing file) leaves the network defaults and returns false.
bool ReadLastSession(SessionState& s, const std::string& path = kLastSessionFileName);
bool ReadLastSessionStream(std::istream& in, SessionState& s);

}  // namespace qv
