#include "chart/ChartView.h"

#include <cmath>

#include "chart/ChartGeometry.h"
#include "chart/ElementArcs.h"

namespace qv {
namespace {

void SetRadiusFromZoom(SessionState& s) {
    s.ChartRadius = static_cast<float>(static_cast<double>(s.ChartZoom) * kRadiusPerZoom);
}

// A point of the chart that is clipped away is not read out either.
Readout ChartReadout(const SessionState& s, float x, float y) {
    return InChartArea(x, y) ? ReadoutAt(s, x, y) : Readout{};
}

}  // namespace

SwitchColours OpenChartView(SessionState& s, ChartPage& page) {
    s.ChartCenterY = static_cast<float>(kDefaultCenterY);
    SetRadiusFromZoom(s);
    page.zoomInEnabled = page.zoomOutEnabled = true;
    if (s.QCircleValue == 0) s.QCircleValue = 2.0f;
    if (s.VswrCircleValue == 0) s.VswrCircleValue = 2.0f;
    if (s.ArcsSwitch == 0) s.ArcsSwitch = kArcsOn;
    return {SwitchColour(s.ArcsSwitch != kArcsOff), SwitchColour(s.QArcsOn == 1),
            SwitchColour(s.VswrCircleOn == 1), SwitchColour(s.SweepOn == 1)};
}

void ZoomIn(SessionState& s, ChartPage& page) {
    page.zoomOutEnabled = true;
    // Multiplying the stored float by sqrt 2 in double and storing it back
    // lands exactly on 2, 4 and 8; the limit test relies on that.
    float z = static_cast<float>(static_cast<double>(s.ChartZoom) * std::sqrt(2.0));
    if (z > kMaxZoom) z = kMaxZoom;
    s.ChartZoom = z;
    if (z == kMaxZoom) page.zoomInEnabled = false;
    SetRadiusFromZoom(s);
}

void ZoomOut(SessionState& s, ChartPage& page) {
    page.zoomInEnabled = true;
    float z = static_cast<float>(static_cast<double>(s.ChartZoom) / std::sqrt(2.0));
    if (z < kMinZoom) z = kMinZoom;
    s.ChartZoom = z;
    if (z == kMinZoom) page.zoomOutEnabled = false;
    SetRadiusFromZoom(s);
}

void ResetView(SessionState& s, ChartPage& page) {
    // Zoom out keeps whatever state it had: at factor 1 the next press
    // leaves the factor alone and disables the button.
    page.zoomInEnabled = true;
    s.ChartZoom = 1.0f;
    s.ChartRadius = static_cast<float>(kRadiusPerZoom);
    s.ChartCenterX = static_cast<float>(kDefaultCenterX);
    s.ChartCenterY = static_cast<float>(kDefaultCenterY);
}

MouseResult ChartMousePress(const SessionState& s, ChartPage& page, int button, float x,
                            float y) {
    MouseResult r;
    if (y < kPanelBandBottom && x < s.PanelEdge[5]) r.pickPart = true;
    if (y > kPanelBandBottom) {
        if (button == kLeftButton) {
            r.readout = ChartReadout(s, x, y);
        } else if (button == kRightButton) {
            page.dragOriginX = x;
            page.dragOriginY = y;
        }
    }
    return r;
}

MouseResult ChartMouseMove(SessionState& s, ChartPage& page, int button, float x, float y) {
    MouseResult r;
    if (button == kLeftButton) {
        r.readout = ChartReadout(s, x, y);
    } else if (button == kRightButton && y > kDragFloor) {
        // Moves inside the panel band neither move the chart nor the origin,
        // so the chart catches up in one jump when the pointer comes back.
        s.ChartCenterX = static_cast<float>(static_cast<double>(s.ChartCenterX) + x - page.dragOriginX);
        s.ChartCenterY = static_cast<float>(static_cast<double>(s.ChartCenterY) + y - page.dragOriginY);
        page.dragOriginX = x;
        page.dragOriginY = y;
        r.redraw = true;
    }
    return r;
}

MouseResult ChartMouseRelease() {
    MouseResult r;
    r.hideReadout = true;
    return r;
}

}  // namespace qv
