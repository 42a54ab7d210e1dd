#include "files/NetworkFile.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>

#include "numbers/Format.h"

namespace qv {

namespace {

const char* const kCrLf = "\r\n";

void NumberLine(std::string& out, const std::string& label, double value, int digits = 15) {
    out += label;
    AppendNumberText(out, value, digits);
    out += ' ';
    out += kCrLf;
}

void BlankLine(std::string& out) { out += kCrLf; }

// Reads the fields of the layout one by one. Each Next... call returns false
// when the read is over, with `failed` telling a fault from a normal end.
class FieldReader {
public:
    explicit FieldReader(LineReader& in) : in_(in) {}

    bool failed = false;

    bool Skip() { return GetNextValue(in_, text_); }

    bool Next(double& out) {
        if (!GetNextValue(in_, text_)) return false;
        const std::optional<double> number = LeadingNumber(text_);
        if (!number) return Fail();
        out = std::clamp(*number, -kLargestWritableValue, kLargestWritableValue);
        return true;
    }

    bool NextFloat(float& out) {
        double value = 0;
        if (!Next(value)) return false;
        if (std::fabs(value) > FLT_MAX) return Fail();
        out = static_cast<float>(value);
        return true;
    }

    // Rounded half to even; a value outside lo..hi is a number the field
    // cannot hold, and the field is left as it was.
    bool NextInt(std::int16_t& out, int lo, int hi) {
        double value = 0;
        if (!Next(value)) return false;
        const double rounded = std::nearbyint(value);
        if (!(rounded >= lo && rounded <= hi)) return Fail();
        out = static_cast<std::int16_t>(rounded);
        return true;
    }

    bool Fail() {
        failed = true;
        return false;
    }

private:
    LineReader& in_;
    std::string text_;
};

// Any code that fits its 16-bit field is read; the calculation and every
// drawing treat a code they do not know as an empty stage.
constexpr int kLowestCode = INT16_MIN;
constexpr int kHighestCode = INT16_MAX;

// Both readers, the network file with `checked` set. False on a failure; an
// early end of the file is a normal end.
bool ReadFields(LineReader& in, SessionState& s, bool checked) {
    FieldReader r(in);
    const auto over = [&r] { return !r.failed; };
    const auto check = [&r, checked](bool bad) {
        if (checked && bad) r.failed = true;
        return !r.failed;
    };

    if (!r.Skip() || !r.Skip()) return true;  // title and date

    if (!r.Next(s.TestFrequency)) return over();
    if (!check(s.TestFrequency < 10000)) return false;
    if (!r.Next(s.SystemZ)) return over();
    if (!check(s.SystemZ < 1)) return false;
    if (!r.Next(s.Value[0][1])) return over();
    // Any resistance the load editor takes (above 0) reads back, small
    // antennas' fractions of an ohm included.
    if (!check(!(s.Value[0][1] > 0))) return false;
    if (!r.Next(s.Value[0][2])) return over();

    for (int stage = kFirstStage; stage <= kLastStage; ++stage) {
        if (!r.NextInt(s.ElementType[stage], kLowestCode, kHighestCode)) return over();
        for (int slot = 1; slot <= 5; ++slot)
            if (!r.Next(s.Value[stage][slot])) return over();
    }

    // An overlay value of 0 and a sweep group of zeros are what the program
    // itself writes before the user ever set them (their start values); a
    // design saved then must read back, so only values that were set are
    // held to the ranges.
    if (!r.NextFloat(s.QCircleValue)) return over();
    if (!check(s.QCircleValue != 0 && s.QCircleValue < 0.1f)) return false;
    if (!r.NextFloat(s.VswrCircleValue)) return over();
    if (!check(s.VswrCircleValue != 0 && s.VswrCircleValue < 1.001f)) return false;

    // A start of 0 means "no sweep" only with a stop and a count of 0 as well,
    // whether read or kept because the file ends early.
    if (!r.Next(s.SweepStart)) return over();
    const bool unset = s.SweepStart == 0;
    const auto groupStaysUnset = [&s, &check] {
        return check(s.SweepStop != 0 || s.SweepPoints != 0);
    };
    if (!check(!unset && s.SweepStart < 10000)) return false;
    if (!r.Next(s.SweepStop)) return over() && (!unset || groupStaysUnset());
    // The sweep set-up takes any stop in the band above the start.
    if (!check(unset ? s.SweepStop != 0 : s.SweepStop < 10000)) return false;
    if (!r.NextInt(s.SweepPoints, 0, kSweepCapacity)) return over() && (!unset || groupStaysUnset());
    if (!check(unset ? s.SweepPoints != 0 : s.SweepPoints < 1)) return false;
    return true;
}

}  // namespace

std::string NetworkReadFailureMessage(const std::string& name) {
    return "We had a problem reading file " + name +
           "\n\nDefaults have been used but the network is empty.";
}

std::string NetworkFileText(const SessionState& s, const std::string& title,
                            const std::string& date) {
    std::string out;
    out.reserve(2048);
    out += title + kCrLf;
    out += date + kCrLf;
    BlankLine(out);
    NumberLine(out, "Frequency:", s.TestFrequency);
    NumberLine(out, "System impedance:", s.SystemZ);
    BlankLine(out);
    NumberLine(out, "Antenna R:", s.Value[0][1]);
    NumberLine(out, "Antenna X:", s.Value[0][2]);
    BlankLine(out);
    for (int stage = kFirstStage; stage <= kLastStage; ++stage) {
        NumberLine(out, "Element type for stage " + std::to_string(stage) + ":",
                   s.ElementType[stage]);
        for (int slot = 1; slot <= 5; ++slot)
            NumberLine(out, "   Value(" + std::to_string(slot) + "):", s.Value[stage][slot]);
        BlankLine(out);
    }
    BlankLine(out);
    NumberLine(out, "Q circle value:", s.QCircleValue, 7);
    NumberLine(out, "VSWR circle value:", s.VswrCircleValue, 7);
    NumberLine(out, "Sweep start:", s.SweepStart);
    NumberLine(out, "Sweep stop:", s.SweepStop);
    NumberLine(out, "Number of points:", s.SweepPoints);
    return out;
}

WriteResult WriteNetworkFile(const std::string& name, const SessionState& s,
                             const std::string& date) {
    if (name.empty()) return {name, "no file name was given"};
    return ReplaceFileContents(StripExtension(name) + ".QVF",
                               NetworkFileText(s, kNetworkFileTitle, date));
}

WriteResult WriteLastSession(const SessionState& s, const std::string& path, const std::string& date) {
    return ReplaceFileContents(path, NetworkFileText(s, kLastSessionTitle, date));
}

bool GetNextValue(LineReader& in, std::string& value) {
    while (in.ReadLine(value)) {
        if (value.empty() || value.front() == '*') continue;
        const std::size_t colon = value.find(':');
        if (colon != std::string::npos) value.erase(0, colon + 1);
        return true;
    }
    return false;
}

bool ReadNetworkStream(std::istream& in, const std::string& name, SessionState& s,
                       MessageSink& sink) {
    // A refused file leaves none of its values behind (an overlay or sweep
    // value out of range would otherwise be written into the next design
    // saved, which would then be refused in turn). The network is wiped on a
    // refusal anyway; the fields beside it are put back as they were. (The
    // session is far larger than what the file holds, too large to copy for
    // every read.)
    const float qCircle = s.QCircleValue, vswrCircle = s.VswrCircleValue;
    const double sweepStart = s.SweepStart, sweepStop = s.SweepStop;
    const std::int16_t sweepPoints = s.SweepPoints;
    ResetNetwork(s);
    LineReader lines(in);
    if (in && ReadFields(lines, s, true) && !in.bad()) return true;
    ResetNetwork(s);
    s.QCircleValue = qCircle;
    s.VswrCircleValue = vswrCircle;
    s.SweepStart = sweepStart;
    s.SweepStop = sweepStop;
    s.SweepPoints = sweepPoints;
    sink.ShowMessage(NetworkReadFailureMessage(name));
    return false;
}

bool ReadNetworkFile(const std::string& name, SessionState& s, MessageSink& sink) {
    if (name.empty()) {
        sink.ShowMessage(kNoFileChosenMessage);
        return false;
    }
    std::ifstream in;
    OpenForReading(in, name, kMaxNetworkFileBytes);
    return ReadNetworkStream(in, name, s, sink);
}

bool ReadLastSessionStream(std::istream& in, SessionState& s) {
    LineReader lines(in);
    if (in && ReadFields(lines, s, false) && !in.bad()) return true;
    ResetNetwork(s);
    return false;
}

bool ReadLastSession(SessionState& s, const std::string& path) {
    std::ifstream in;
    OpenForReading(in, path, kMaxNetworkFileBytes);
    return ReadLastSessionStream(in, s);
}

}  // namespace qv
