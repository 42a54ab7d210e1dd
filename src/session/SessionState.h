// The one record of program state. Every page and module reads and writes it
// directly, through a reference handed to it; nothing keeps a private copy of
// network data. Field types follow the saved-file and drawing code that rely
// on them: 16-bit integers for codes, counts and switches, float for the chart
// view and overlay values, double for everything electrical.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace qv {

// Element-type codes held in SessionState::ElementType. Anything outside 1..13
// is an empty stage to the calculation.
enum ElementCode : std::int16_t {
    EmptyStage = 0,
    SeriesCapacitor = 1,
    ShuntCapacitor = 2,
    SeriesInductor = 3,
    ShuntInductor = 4,
    TransmissionLine = 5,
    SeriesShortedStub = 6,
    SeriesOpenStub = 7,
    ShuntShortedStub = 8,
    ShuntOpenStub = 9,
    ShuntLCPair = 10,
    SeriesLCPair = 11,
    SeriesResistor = 12,
    ShuntResistor = 13,
};

// SessionState::LoadMode: where the calculation takes its load from. Only
// SingleLoad uses the single load; every other value (above all the unset 0
// of a fresh session) means the load table.
enum LoadMode : std::uint16_t {
    LoadModeUnset = 0,
    SingleLoad = 1,  // Value(0,1) + j Value(0,2) at TestFrequency
    LoadTable = 2,   // rows of LoadFreq, LoadR, LoadX
};

inline constexpr int kFirstStage = 1;      // stage 0 is the load
inline constexpr int kLastStage = 5;       // stage 5 faces the generator
inline constexpr int kStageSlots = 11;     // stages 0..10 (6..10 never used)
inline constexpr int kValueSlots = 11;     // slots 0..10 of Value(stage, slot)
inline constexpr int kMaxLoadPoints = 1000;   // load table rows 1..1000
inline constexpr int kSweepCapacity = 2001;   // sweep results 0..2000

// The words the Design page uses for an element in its messages; empty for
// the two L-C pairs, which have no message of their own.
const char* ElementMessageWords(int code);

struct SessionState {
    // Network: stage 0 is the load (Value(0,1) = R, Value(0,2) = X).
    std::array<std::int16_t, kStageSlots> ElementType{};
    std::array<std::array<double, kValueSlots>, kStageSlots> Value{};

    // Load table, rows 1..N.
    std::array<double, kMaxLoadPoints + 1> LoadFreq{};
    std::array<double, kMaxLoadPoints + 1> LoadR{};
    std::array<double, kMaxLoadPoints + 1> LoadX{};

    // Sweep results, points 0..SweepPoints-1.
    std::array<double, kSweepCapacity> SweepFreq{};
    std::array<double, kSweepCapacity> SweepR{};
    std::array<double, kSweepCapacity> SweepX{};
    std::array<double, kSweepCapacity> SweepRho{};
    std::array<double, kSweepCapacity> SweepRhoAngle{};
    std::array<double, kSweepCapacity> SweepVswr{};

    double TestFrequency = 1000000;
    double SystemZ = 50;
    std::uint16_t LoadMode = 0;
    std::int16_t LoadPointIndex = 0;
    double SweepStart = 0;
    double SweepStop = 0;
    std::int16_t SweepPoints = 0;
    std::int16_t SavedSweepPoints = 0;
    // Rows actually read into the load table by the last load-data file.
    // SweepPoints normally equals it in table mode, but a network file read
    // afterwards can change SweepPoints; every table walk is bounded by this.
    std::int16_t LoadRows = 0;

    float QCircleValue = 0;
    float VswrCircleValue = 0;
    std::int16_t QArcsOn = 0;
    std::int16_t VswrCircleOn = 0;
    std::int16_t ArcsSwitch = 0;
    std::int16_t SweepOn = 0;

    std::int16_t GridType = 1;
    float ChartZoom = 1.0f;
    float ChartRadius = 0;
    float ChartCenterX = 0;
    float ChartCenterY = 0;

    std::int16_t TuneStage = 0;
    float TuneSize = 0;
    std::array<std::uint16_t, kStageSlots> TopMode{};
    std::array<std::uint16_t, kStageSlots> BottomMode{};
    std::array<float, kStageSlots> TopRef{};
    std::array<float, kStageSlots> BottomRef{};

    double VelocityFactor = 0;
    double Pi = 0;
    std::string VersionText;

    // The last input impedance Math computed, where the pages read it.
    double CurrentR = 0;
    double CurrentX = 0;

    std::string CurrentFileName;
    std::string LoadFileName;

    std::int16_t NetworkNotEmpty = 0;
    double PenX = 0;
    double PenY = 0;
    std::int16_t StageIndex = 0;
    std::array<std::int16_t, 6> PanelEdge{};
    double PointRho = 0;

    float PrintCenterX = 0;
    float PrintCenterY = 0;
    float PrintScale = 0;

    std::uint32_t SymbolColour = 0;
    std::uint32_t ArcColour = 0;
    std::uint32_t AdmittanceGridColour = 0;
    std::uint32_t ImpedanceGridColour = 0;
};

// How many load-table rows a table walk (arcs, sweep, printout) may use:
// SweepPoints, but never beyond the rows actually read.
int LoadTableRows(const SessionState& s);

// Start-up values that do not depend on the network.
void InitSession(SessionState& s);

// The network defaults: a 50 + j0 load, five empty stages, 1 MHz, 50 ohms.
// Leaves the sweep settings, the overlay values and the load table alone.
void ResetNetwork(SessionState& s);

// 1 when any of stages 1..5 holds a code above 0, else 0; also stored in
// s.NetworkNotEmpty.
std::int16_t UpdateNetworkNotEmpty(SessionState& s);

}  // namespace qv
