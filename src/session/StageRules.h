// The rules a stage's values obey, without any widget: what the Design page
// does with typed values, and which stages can be calculated.
#pragma once

#include <string>
#include <vector>

#include "session/SessionState.h"

namespace qv {

// The element families, which share their editors and value rules.
inline bool IsCapacitor(int code) { return code == SeriesCapacitor || code == ShuntCapacitor; }
inline bool IsInductor(int code) { return code == SeriesInductor || code == ShuntInductor; }
inline bool IsLineOrStub(int code) { return code >= TransmissionLine && code <= ShuntOpenStub; }
inline bool IsLCPair(int code) { return code == ShuntLCPair || code == SeriesLCPair; }
inline bool IsResistor(int code) { return code == SeriesResistor || code == ShuntResistor; }

inline constexpr double kCapacitorDefaultQ = 10000;
inline constexpr double kInductorDefaultQ = 1000;
inline constexpr double kDefaultLoadOhms = 50;

// Applied to Value(stage, ...) just after the editor has stored the typed
// numbers: a load resistance of 0 or less becomes 50 ohms; a Q of 0 or less
// takes its default (10000 for a capacitor, 1000 for an inductor); slots the
// element does not use are cleared. Returns the messages to show, in order;
// a value still 0 or less afterwards asks to be entered again (the stage
// then stays invalid, see StageValuesValid).
std::vector<std::string> ApplyStageValueRules(SessionState& s, int stage);

// False when the stage's values cannot be calculated (a required value of 0
// or less); the stage is then drawn red and Analyze is refused.
bool StageValuesValid(const SessionState& s, int stage);

// How many value slots (1..n) the element's editor shows.
int UsedValueSlots(int code);

}  // namespace qv
