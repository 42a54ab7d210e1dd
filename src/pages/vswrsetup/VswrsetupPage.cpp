#include "pages/vswrsetup/VswrsetupPage.h"

#include <cmath>

#include "chart/Overlays.h"

namespace qv {

float DrawableVswr(float vswr) {
    if (std::isnan(vswr) || vswr == 0) return kDefaultOverlayValue;
    if (vswr < kMinVswr) return kMinVswr;
    if (vswr > kMaxVswr) return kMaxVswr;
    return vswr;
}

// The circle is not drawn while the dialog waits. It takes its value
// unchecked, so only values within the dialog's range leave here.
VswrsetupPage::VswrsetupPage(PageContext& context)
    : RangedValueDialog(context.host,
                        {"VSWR circle setup", "VSWR circle setup",
                         "VSWR circle radius must be between 1.01 and 20", kMinVswr, kMaxVswr,
                         context.state.VswrCircleValue, context.state.VswrCircleOn,
                         ShortestText(context.state.VswrCircleValue), DrawableVswr}) {}

std::unique_ptr<PageWindow> MakeVswrsetupPage(PageContext& context) {
    return std::make_unique<VswrsetupPage>(context);
}

}  // namespace qv
