// The point readout: a page point read back as reflection coefficient, VSWR,
// return loss, impedance and admittance, as the texts of the fourteen labels
// in the band at the top of the Analysis page. Pure; the page applies it.
#pragma once

#include <array>
#include <string>

#include "chart/ChartGeometry.h"
#include "session/SessionState.h"

namespace qv {

// One caption/value pair of the band: caption label at top 120 on a light
// blue background, value label at top 390 on white, both 300 high.
struct ReadoutColumn {
    const char* captionName;  // control names, for the page
    const char* valueName;
    const char* caption;
    int left;
    int width;
};

inline constexpr int kReadoutCaptionTop = 120;
inline constexpr int kReadoutValueTop = 390;
inline constexpr int kReadoutLabelHeight = 300;
inline constexpr Colour kReadoutCaptionBack = Rgb(187, 221, 255);

inline constexpr std::array<ReadoutColumn, 7> kReadoutColumns = {{
    {"lblRho", "lblRhoValue", " Rho:", 3360, 2000},
    {"lblVSWR", "lblVSWRvalue", " VSWR:", 5360, 1200},
    {"lblReturnLoss", "lblReturnLossValue", " R.L:", 6480, 1200},
    {"lblReal", "lblRealValue", " R:", 7680, 1000},
    {"lblImag", "lblImagValue", " jX:", 8600, 1000},
    {"lblG", "lblGvalue", " G:", 9600, 1000},
    {"lbljB", "lbljBvalue", " jB:", 10600, 1000},
}};

// The three hints stay visible on the page; 3300 x 330 each.
struct HintLabel {
    const char* name;
    const char* text;
    int left, top;
};
inline constexpr std::array<HintLabel, 3> kHintLabels = {{
    {"lblRightClick", "Right button drag and drop chart", 500, 7630},
    {"lblLeftClick", "Left-click on chart for information", 500, 7890},
    {"lblClickPart", "Click on a part to tune it", 500, 8140},
}};

struct Readout {
    // All fourteen labels are shown when true, hidden when false (outside
    // the rim). The texts are filled in either case.
    bool visible = false;
    // Value texts in the order of kReadoutColumns: rho, VSWR, return loss,
    // R, jX, G, jB.
    std::array<std::string, 7> values;
    double pointAngle = 0;  // degrees, (-180, 180]
};

// The readout of page point (x, y) on the screen chart. No value handed to
// the formatters is NaN or infinite: where the arithmetic breaks down (a
// radius of 0 before the page has opened) the point counts as outside.
Readout ReadoutAt(const SessionState& s, float x, float y);

// The same about a chart geometry of the caller's.
Readout ReadoutAt(const ChartGeometry& g, double systemZ, double pi, float x, float y);

}  // namespace qv
