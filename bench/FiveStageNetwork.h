// The network every benchmark measures: a 14 MHz match of a 25 - j30 ohm load
// through a line, an open shunt stub, a parallel L-C trap, a lossy L and a
// lossy C, so that every kind of transform is on the path.
#pragma once

#include "session/SessionState.h"

namespace bench {

inline qv::SessionState FiveStageNetwork() {
    qv::SessionState s;
    qv::InitSession(s);
    qv::ResetNetwork(s);
    s.LoadMode = qv::SingleLoad;
    s.TestFrequency = 14e6;
    s.Value[0][1] = 25;
    s.Value[0][2] = -30;
    s.ElementType[1] = qv::TransmissionLine;
    s.Value[1] = {0, 30, 14e6, 75};
    s.ElementType[2] = qv::ShuntOpenStub;
    s.Value[2] = {0, 20, 14e6, 50};
    s.ElementType[3] = qv::SeriesLCPair;
    s.Value[3] = {0, 1e-6, 150, 100e-12, 500};
    s.ElementType[4] = qv::SeriesInductor;
    s.Value[4] = {0, 0.5e-6, 80};
    s.ElementType[5] = qv::ShuntCapacitor;
    s.Value[5] = {0, 200e-12, 300};
    return s;
}

}  // namespace bench
