// The opening page, frmOpening: the first window. Creating it runs the
// program's start-up (defaults, then the last session), then it shows a
// title screen until "Start" opens the Design page.
#pragma once

#include <memory>

#include "platform/PageContext.h"
#include "platform/PageWindow.h"

namespace qv {

std::unique_ptr<PageWindow> MakeOpeningPage(PageContext& context);

// The page's logical size; the layout is laid out for it and the window is
// scaled to the screen from it.
inline constexpr double kOpeningWidth = 12000;
inline constexpr double kOpeningHeight = 9000;

// The colour of the background line at height y: black at the top to blue
// (0, 0, 180) at the bottom.
Colour OpeningBackgroundColour(int y);

// Real screen twips per logical unit when the page fills the screen; the
// labels' point sizes, given for the real screen, are divided by it.
double OpeningScreenScale(double screenWidthTwips, double screenHeightTwips);

}  // namespace qv
