#include "pages/analyze/Tuning.h"

#include <cmath>

#include "numbers/Format.h"

namespace qv {

std::optional<std::int16_t> PickedPart(const SessionState& s, float x) {
    const auto& e = s.PanelEdge;
    if (x > e[5]) return std::nullopt;
    for (int stage = kLastStage; stage >= kFirstStage; --stage)
        if (x > e[stage - 1]) return static_cast<std::int16_t>(stage);
    if (x > e[0] - kLoadPickWidth) return static_cast<std::int16_t>(0);
    return std::nullopt;
}

int BottomSlot(int code) {
    switch (code) {
    case EmptyStage: return 2;
    case ShuntLCPair:
    case SeriesLCPair: return 3;
    default: return 0;
    }
}

TuningTexts TextsFor(const SessionState& s, int stage) {
    TuningTexts t;
    if (!IsTunablePart(stage)) return t;
    const auto& v = s.Value[stage];
    switch (s.ElementType[stage]) {
    case EmptyStage:
        t = {FormatResistance(v[1]), FormatResistance(v[2]), "R enter", "X enter"};
        break;
    case SeriesCapacitor:
    case ShuntCapacitor: t = {FormatCapacitance(v[1]), "", "C enter", ""}; break;
    case SeriesInductor:
    case ShuntInductor: t = {FormatInductance(v[1]), "", "L enter", ""}; break;
    case TransmissionLine:
    case SeriesShortedStub:
    case SeriesOpenStub:
    case ShuntShortedStub:
    case ShuntOpenStub: t = {FormatResistance(v[1]), "", "Len enter", ""}; break;
    case ShuntLCPair:
    case SeriesLCPair:
        t = {FormatInductance(v[1]), FormatCapacitance(v[3]), "L enter", "C enter"};
        break;
    case SeriesResistor:
    case ShuntResistor: t = {FormatResistance(v[1]), "", "R enter", ""}; break;
    default: break;
    }
    return t;
}

double StepFraction(float tuneSize, double k, float zoom) {
    double z = static_cast<double>(zoom);
    if (!(z > 0) || !std::isfinite(z)) z = 1;
    return static_cast<double>(tuneSize) * k / z;
}

double Stepped(double v, std::uint16_t mode, float ref, double f, bool up) {
    switch (static_cast<StepMode>(mode)) {
    case StepMode::Geometric: return up ? v * (1 + f) : v / (1 + f);
    case StepMode::Arithmetic: {
        const double amount = static_cast<double>(ref) * f;
        return up ? v + amount : v - amount;
    }
    }
    return v;
}

}  // namespace qv
