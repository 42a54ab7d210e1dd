// A fresh session with the chart page opened, on the single load, its centre
// then put at (8000, 5000), the round numbers the cases are written in.
#pragma once

#include "chart/ChartView.h"
#include "session/Stages.h"

namespace qv::test {

inline SessionState OpenedChart() {
    SessionState s = Fresh();
    s.ChartCenterX = 8000;
    ChartPage page;
    OpenChartView(s, page);
    s.ChartCenterY = 5000;
    return s;
}

}  // namespace qv::test
