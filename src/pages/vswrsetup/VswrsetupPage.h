// The VSWR-circle set-up dialog (frmVSWRsetup), modal over the Analysis
// page: one box for the VSWR of the constant-VSWR circle. However it is
// closed, the circle is on afterwards and VswrCircleValue lies within
// 1.01 .. 20.
#pragma once

#include <memory>

#include "platform/PageContext.h"
#include "platform/RangedValueDialog.h"

namespace qv {

class VswrsetupPage : public RangedValueDialog {
public:
    explicit VswrsetupPage(PageContext& context);
};

// The VSWR a circle can be drawn with: no number or 0 -> 2, then kept
// within 1.01 .. 20.
float DrawableVswr(float vswr);

std::unique_ptr<PageWindow> MakeVswrsetupPage(PageContext& context);

}  // namespace qv
