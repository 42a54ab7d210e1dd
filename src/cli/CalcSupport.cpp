#include "cli/CalcSupport.h"

#include <charconv>
#include <cstdio>

#include "files/LoadData.h"
#include "files/NetworkFile.h"
#include "numbers/Parse.h"
#include "session/MessageSink.h"

namespace qv::calc_tool {

namespace {

constexpr double kLowestFrequency = 10000;
constexpr double kHighestFrequency = 10000000000.0;

}  // namespace

std::string OneLine(std::string text) {
    std::string out;
    bool lastWasBreak = false;
    for (char c : text) {
        if (c == '\n' || c == '\r') {
            if (!lastWasBreak) out += ' ';
            lastWasBreak = true;
        } else {
            out += c;
            lastWasBreak = false;
        }
    }
    return out;
}

void LoadSession(const std::string& network, const std::optional<std::string>& load,
                 SessionState& s) {
    InitSession(s);
    ResetNetwork(s);
    s.LoadMode = 1;
    s.VelocityFactor = 1;

    RecordingMessageSink sink;
    s.CurrentFileName = network;
    if (!ReadNetworkFile(network, s, sink))
        throw Problem{sink.messages.empty() ? "cannot read " + network
                                            : OneLine(sink.messages.front())};

    if (load) {
        s.LoadFileName = *load;
        if (!ParseLoadData(*load, s, sink)) {
            throw Problem{*load + ": " +
                          (sink.messages.empty() ? std::string("cannot read")
                                                 : OneLine(sink.messages.front()))};
        }
        if (!ApplyLoadTable(s))
            throw Problem{*load + ": There are no test frequencies to allow a sweep"};
    }
}

double FrequencyOption(const std::string& name, const std::string& text) {
    const double value = ParseValueOf(text);
    if (!(value >= kLowestFrequency && value <= kHighestFrequency))
        throw Problem{"option " + name + " '" + text +
                      "' is not a frequency from 10 kHz to 10 GHz"};
    return value;
}

std::int16_t PointsOption(const std::string& text, int lowest) {
    int value = 0;
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || ptr != text.data() + text.size() || value < lowest ||
        value > kSweepCapacity)
        throw Problem{"option --points '" + text + "' is not a whole number from " +
                      std::to_string(lowest) + " to " +
                      std::to_string(kSweepCapacity)};
    return static_cast<std::int16_t>(value);
}

std::string Number17(double value) {
    char text[40];
    std::snprintf(text, sizeof text, "%.17g", value);
    return text;
}

}  // namespace qv::calc_tool
