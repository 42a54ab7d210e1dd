// Mouse buttons as the pages hand them to their handlers and to the chart's
// view logic; a move reports the buttons held, or-ed together (left and
// right held = 3). Shared by the Qt layer and the pure layers above drawing.
#pragma once

namespace qv {

enum MouseButtons : int { kNoButton = 0, kLeftButton = 1, kRightButton = 2, kMiddleButton = 4 };

}  // namespace qv
