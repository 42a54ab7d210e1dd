// What every page is built with: the session it shows and edits, the desktop
// services, the navigator that switches pages and the design's undo history.
#pragma once

#include <string>

#include "platform/Host.h"
#include "platform/Navigator.h"
#include "platform/UndoHistory.h"
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
    // The run's undo history of the design (see UndoHistory.h).
    UndoHistory undo{};
};

}  // namespace qv
