// A fresh session with the chart page opened, on the single load.
#pragma once

#include "chart/ChartView.h"
#include "session/Stages.h"

namespace qv::test {

inline SessionState OpenedChart() {
    SessionState s = Fresh();
    s.ChartCenterX = 8000;
    ChartPage page;
    OpenChartView(s, page);
    return s;
}

}  // namespace qv::test
