// What every page is built with: the session it shows and edits, the desktop
// services, and the navigator that switches pages.
#pragma once

#include <string>

#include "platform/Host.h"
#include "platform/Navigator.h"
#include "session/SessionState.h"

namespace qv {

struct PageContext {
    SessionState& state;
    Host& host;
    Navigator& navigator;
    // Full path of the last-session file, fixed at program start so that the
    // reader at start and the writer at exit agree whatever folder a file
    // dialog visited in between.
    std::string lastSessionPath;
};

}  // namespace qv
