// The exit dialog, frmExit: the one way out of the program. It writes the
// network file (when a name is known) and the last-session file, shows a
// short confirmation and ends the program, or returns on "Cancel / Continue".
// When a write fails it says which and why and stays open: the user may
// save the design elsewhere, quit without saving, or cancel.
#pragma once

#include <memory>

#include "platform/PageContext.h"
#include "platform/PageWindow.h"

namespace qv {

std::unique_ptr<PageWindow> MakeExitPage(PageContext& context);

inline constexpr char kNetworkEmptyText[] = "The network is empty.";
inline constexpr char kSavedWithFileText[] = "This session data has been saved";
inline constexpr char kSavedText[] = "Data for this session has been saved";
inline constexpr char kSaveDialogTitle[] = "Write Quendavore File";
inline constexpr char kSaveDialogFilter[] = "Quendavore files (*.QVF)|*.QVF";
inline constexpr char kSaveElsewhereCaption[] = "Save design elsewhere";
inline constexpr char kQuitWithoutSavingCaption[] = "Quit without saving";
inline constexpr char kWriteFailedChoices[] =
    "Save the design elsewhere, quit without saving, or cancel and carry on.";
// How long the confirmation stays up before the program ends, seconds.
inline constexpr double kConfirmationSeconds = 2.0;

}  // namespace qv
