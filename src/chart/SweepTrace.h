// The frequency-sweep trace: one green dot per sweep point, the first and
// last ringed and marked "S" and "F", their frequencies in the column of
// labels at the chart's bottom-left corner. The points are those of
// ComputeSweep, which also fills the result arrays the table, the data file
// and the printouts read, so the trace and the table always agree.
#pragma once

#include <string>

#include "chart/ChartGeometry.h"
#include "drawing/Surface.h"
#include "session/SessionState.h"

namespace qv {

inline constexpr Colour kSweepDotColour = Rgb(17, 136, 17);

// Dot kinds: two small circles (radius 10 and 20), or one of radius 30.
inline constexpr int kSmallDot = 1;
inline constexpr int kDot = 2;

inline constexpr double kEndRingRadius = 90;
inline constexpr double kStartLabelRise = 800;
inline constexpr double kFinishLabelRise = 600;

// Whether the sweep set is worth tabulating (start above 10 kHz, stop above
// 10.1 kHz, at least 3 points); `cmdTabulate` follows it whenever the trace
// is drawn, and `cmdSweep` is enabled by the same rule when the page opens.
bool TabulateEnabled(const SessionState& s);

// What a single-load sweep may be set to: frequencies within the program's
// range, stop above start, and as many points as the result arrays hold.
inline constexpr double kSweepMinFrequency = 10000;
inline constexpr double kSweepMaxFrequency = 10000000000.0;
inline constexpr int kSweepMinPoints = 3;
inline constexpr int kSweepMaxPoints = 2001;
inline constexpr char kSweepStartMessage[] = "Start frequency must be between 10 kHz and 10 GHz";
inline constexpr char kSweepStopMessage[] = "Stop frequency must be between 10 kHz and 10 GHz";
inline constexpr char kSweepOrderMessage[] = "Stop frequency must be above the start frequency";
inline constexpr char kSweepPointsMessage[] =
    "Number of points must be a whole number from 3 to 2001";

struct SweepEntry {
    double start = 0, stop = 0, points = 0;
};

// The message for the first thing wrong with an entry, or "" when it is a
// sweep that may be run.
std::string CheckSweepEntry(const SweepEntry& e);

// Whether the stored sweep can be run as it stands: a single-load sweep that
// passes CheckSweepEntry, or a load table with at least one row.
bool SweepReady(const SessionState& s);

// Maps R + jX to the page and draws one dot there in `colour`. Returns the
// page point; nothing is drawn when it is invalid or off the page box.
PagePoint DrawDot(Surface& surf, const ChartGeometry& g, double systemZ, double r, double x,
                  int kind, Colour colour);

// Rings the dot at `dot` with a white disc and a black outline, writes
// `mark` ("S" or "F") in it (centred, its text box inside the ring), and writes "'S'=" or "'F'=" with the
// frequency at the chart's bottom-left corner. The ring is left out when the
// dot could not be placed; the frequency label is always written.
void LabelSweepEnd(Surface& surf, const ChartGeometry& g, const PagePoint& dot,
                   const std::string& mark, double frequency);

struct SweepDrawn {
    bool ran = false;              // false: SweepOn is 0, nothing happened
    bool tabulateEnabled = false;  // the state `cmdTabulate` takes when ran
    int points = 0;                // points computed and stored
};

// With SweepOn 0 does nothing. Otherwise runs ComputeSweep (which leaves
// TestFrequency and SweepPoints as they were) and draws its points.
SweepDrawn DrawSweep(SessionState& s, Surface& surf, const ChartGeometry& g);

// The `cmdSweep` step: 0 -> 1 -> 0 (anything else goes to 0). Returns true
// when the sweep is now on.
bool ToggleSweep(SessionState& s);

}  // namespace qv
