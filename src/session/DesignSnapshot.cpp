#include "session/DesignSnapshot.h"

#include <algorithm>

namespace qv {

DesignSnapshot TakeSnapshot(const SessionState& s) {
    DesignSnapshot d;
    d.ElementType = s.ElementType;
    d.Value = s.Value;
    const int rows = std::clamp<int>(s.LoadRows, 0, kMaxLoadPoints) + 1;
    d.LoadFreq.assign(s.LoadFreq.begin(), s.LoadFreq.begin() + rows);
    d.LoadR.assign(s.LoadR.begin(), s.LoadR.begin() + rows);
    d.LoadX.assign(s.LoadX.begin(), s.LoadX.begin() + rows);
    d.TestFrequency = s.TestFrequency;
    d.SystemZ = s.SystemZ;
    d.LoadMode = s.LoadMode;
    d.LoadPointIndex = s.LoadPointIndex;
    d.SweepStart = s.SweepStart;
    d.SweepStop = s.SweepStop;
    d.SweepPoints = s.SweepPoints;
    d.SavedSweepPoints = s.SavedSweepPoints;
    d.LoadRows = s.LoadRows;
    d.QCircleValue = s.QCircleValue;
    d.VswrCircleValue = s.VswrCircleValue;
    d.CurrentFileName = s.CurrentFileName;
    d.LoadFileName = s.LoadFileName;
    return d;
}

void RestoreSnapshot(SessionState& s, const DesignSnapshot& d) {
    s.ElementType = d.ElementType;
    s.Value = d.Value;
    auto put = [](auto& table, const std::vector<double>& rows) {
        std::fill(std::copy(rows.begin(), rows.end(), table.begin()), table.end(), 0.0);
    };
    put(s.LoadFreq, d.LoadFreq);
    put(s.LoadR, d.LoadR);
    put(s.LoadX, d.LoadX);
    s.TestFrequency = d.TestFrequency;
    s.SystemZ = d.SystemZ;
    s.LoadMode = d.LoadMode;
    s.LoadPointIndex = d.LoadPointIndex;
    s.SweepStart = d.SweepStart;
    s.SweepStop = d.SweepStop;
    s.SweepPoints = d.SweepPoints;
    s.SavedSweepPoints = d.SavedSweepPoints;
    s.LoadRows = d.LoadRows;
    s.QCircleValue = d.QCircleValue;
    s.VswrCircleValue = d.VswrCircleValue;
    s.CurrentFileName = d.CurrentFileName;
    s.LoadFileName = d.LoadFileName;
    UpdateNetworkNotEmpty(s);
}

}  // namespace qv
