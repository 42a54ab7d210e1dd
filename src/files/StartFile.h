// The file named on the program's command line (or by a desktop's "Open
// with"): a network file (.QVF) becomes the design, any other file is read
// as a load table.
#pragma once

#include <string>

#include "session/MessageSink.h"
#include "session/SessionState.h"

namespace qv {

// True when `path` names a network file by its extension (any case).
bool IsNetworkFileName(const std::string& path);

// Reads `path` into the session opened so far. A file that cannot be read
// shows its reader's message and leaves the default network; returns
// whether the file was read.
bool OpenStartFile(const std::string& path, SessionState& s, MessageSink& sink);

}  // namespace qv
