// The opening page, frmOpening: the first window. Creating it runs the
// program's start-up (defaults, then the last session), then it shows a
// title screen until "Start" opens the Design page.
#pragma once

#include <memory>

#include "platform/PageContext.h"
#include "platform/PageWindow.h"

namespace qv {

std::unique_ptr<PageWindow> MakeOpeningPage(PageContext& context);

}  // namespace qv
