#include "cli/CalcSupport.h"

#include <charconv>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "files/LoadData.h"
#include "files/NetworkFile.h"
#include "files/TextFile.h"
#include "files/Touchstone.h"
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

namespace {

// The window reads a network file without values as the default network, but
// a script that hands over an empty or truncated file must hear about it
// rather than get the defaults' figures as if they were its design's.
bool HoldsAnyValue(const std::string& name) {
    std::ifstream in(name, std::ios::binary);
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line.front() == '*') continue;
        const std::size_t colon = line.find(':');
        for (std::size_t k = colon == std::string::npos ? 0 : colon + 1; k < line.size(); ++k) {
            const auto c = static_cast<unsigned char>(line[k]);
            if (c > 0x20 && c != 0x7f) return true;
        }
    }
    return false;
}

}  // namespace

void LoadSession(const std::string& network, const std::optional<std::string>& load,
                 SessionState& s, std::ostream* notices) {
    InitSession(s);
    ResetNetwork(s);
    s.LoadMode = SingleLoad;
    s.VelocityFactor = 1;

    RecordingMessageSink sink;
    s.CurrentFileName = network;
    // A missing or unreadable file says so, not that its contents were wrong.
    for (const auto& [name, limit] : {std::pair{network, kMaxNetworkFileBytes},
                                      std::pair{load.value_or(network), kMaxLoadDataBytes}}) {
        if (const std::string why = UnreadableReason(name, limit); !why.empty())
            throw Problem{"cannot read " + name + ": " + why};
    }
    if (!HoldsAnyValue(network)) throw Problem{"the network file " + network + " holds no values"};
    if (!ReadNetworkFile(network, s, sink))
        throw Problem{sink.messages.empty() ? "cannot read " + network
                                            : OneLine(sink.messages.front())};

    if (load) {
        s.LoadFileName = *load;
        if (IsTouchstoneFile(*load)) {
            if (!ReadTouchstoneLoad(*load, s, sink))
                throw Problem{OneLine(sink.messages.empty() ? *load + ": cannot read"
                                                            : sink.messages.back())};
            for (const std::string& note : sink.messages) {
                std::istringstream lines(note);
                for (std::string line; notices && std::getline(lines, line);)
                    *notices << kTool << ": " << EscapeControls(line) << '\n';
            }
        } else if (!ParseLoadData(*load, s, sink)) {
            throw Problem{*load + ": " +
                          (sink.messages.empty() ? std::string("cannot read")
                                                 : OneLine(sink.messages.front()))};
        }
        if (!ApplyLoadTable(s))
            throw Problem{*load + ": There are no test frequencies to allow a sweep"};
    }
}

std::string ParseCommandArguments(const std::vector<std::string>& args,
                                  const std::map<std::string, std::optional<std::string>*>& options) {
    std::string network;
    for (std::size_t i = 1; i < args.size(); ++i) {
        std::string arg = args[i];
        std::optional<std::string> inlineValue;
        if (const std::size_t eq = arg.find('='); arg.rfind("--", 0) == 0 && eq != arg.npos) {
            inlineValue = arg.substr(eq + 1);
            arg.erase(eq);
        }
        if (const auto found = options.find(arg); found != options.end()) {
            std::optional<std::string>& slot = *found->second;
            if (slot) throw Problem{"option " + arg + " given twice"};
            if (!inlineValue && i + 1 >= args.size()) throw Problem{"option " + arg + " needs a value"};
            slot = inlineValue ? *inlineValue : args[++i];
            if (slot->empty()) throw Problem{"option " + arg + " needs a value"};
        } else if (arg.size() > 1 && arg[0] == '-') {
            throw Problem{"unknown option '" + arg + "' for " + args[0] + " (try --help)"};
        } else if (network.empty() && !arg.empty()) {
            network = arg;
        } else {
            throw Problem{"unexpected argument '" + arg + "'"};
        }
    }
    if (network.empty()) throw Problem{"no network file given"};
    return network;
}

double FrequencyOption(const std::string& name, const std::string& text) {
    std::string typed = text;
    bool bounded = false;
    const double value = ParseValue(typed, bounded);
    if (bounded || !(value >= kLowestFrequency && value <= kHighestFrequency))
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

void CheckWritten(const WriteResult& written) {
    if (!written.ok()) throw Problem{"cannot write " + written.path + ": " + written.error};
}

std::string Number17(double value) { return ExactNumber(value); }

}  // namespace qv::calc_tool
