#include "session/StageRules.h"

namespace qv {
namespace {

std::string ReEnter(int code, const char* what) {
    return std::string("Please re-enter the ") + ElementMessageWords(code) + what;
}

}  // namespace

int UsedValueSlots(int code) {
    if (IsCapacitor(code) || IsInductor(code)) return 2;
    if (IsLineOrStub(code)) return 3;
    if (IsLCPair(code)) return 4;
    if (IsResistor(code)) return 1;
    return 0;
}

std::vector<std::string> ApplyStageValueRules(SessionState& s, int stage) {
    std::vector<std::string> messages;
    auto& v = s.Value[stage];
    if (stage == 0) {
        if (v[1] <= 0) {
            v[1] = kDefaultLoadOhms;
            messages.push_back("The entered value of zero has been changed to 50 ohms");
        }
        return messages;
    }
    const int code = s.ElementType[stage];
    if (IsCapacitor(code) || IsInductor(code)) {
        if (v[1] <= 0) messages.push_back(ReEnter(code, " value"));
        if (v[2] <= 0) v[2] = IsCapacitor(code) ? kCapacitorDefaultQ : kInductorDefaultQ;
        v[3] = v[4] = 0;
    } else if (IsLineOrStub(code)) {
        if (!(v[1] > 0 && v[2] > 0 && v[3] > 0)) messages.push_back(ReEnter(code, " values"));
        v[4] = 0;
    } else if (IsLCPair(code)) {
        const bool shunt = code == ShuntLCPair;
        if (v[1] <= 0) messages.push_back(ReEnter(shunt ? ShuntInductor : SeriesInductor, " value"));
        if (v[2] <= 0) v[2] = kInductorDefaultQ;
        if (v[3] <= 0)
            messages.push_back(ReEnter(shunt ? ShuntCapacitor : SeriesCapacitor, " value"));
        if (v[4] <= 0) v[4] = kCapacitorDefaultQ;
    } else if (IsResistor(code)) {
        if (v[1] <= 0) messages.push_back(ReEnter(code, " value"));
        v[2] = v[3] = v[4] = 0;
    }
    return messages;
}

bool StageValuesValid(const SessionState& s, int stage) {
    const auto& v = s.Value[stage];
    switch (s.ElementType[stage]) {
    case SeriesCapacitor:
    case ShuntCapacitor:
    case SeriesInductor:
    case ShuntInductor: return v[1] > 0 && v[2] > 0;
    case TransmissionLine:
    case SeriesShortedStub:
    case SeriesOpenStub:
    case ShuntShortedStub:
    case ShuntOpenStub:
    // An L-C pair is judged on L, the inductor's Q and C: the capacitor's Q
    // gets its default whenever the pair is accepted, so it is never the
    // value that is missing.
    case ShuntLCPair:
    case SeriesLCPair: return v[1] > 0 && v[2] > 0 && v[3] > 0;
    case SeriesResistor:
    case ShuntResistor: return v[1] > 0;
    default: return true;
    }
}

}  // namespace qv
