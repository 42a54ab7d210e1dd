#include "cli/CalcTool.h"

#include <charconv>
#include <cstdio>
#include <fstream>
#include <optional>

#include "calc/Math.h"
#include "calc/Reflection.h"
#include "calc/Sweep.h"
#include "files/LoadData.h"
#include "files/NetworkFile.h"
#include "files/TableFile.h"
#include "numbers/Parse.h"
#include "session/MessageSink.h"
#include "session/SessionState.h"

namespace qv {

namespace {

constexpr const char* kTool = "quendavore-calc";

constexpr const char* kUsage =
    "Usage:\n"
    "  quendavore-calc impedance NETWORK.QVF [--load LOAD.RJX]\n"
    "  quendavore-calc sweep NETWORK.QVF [--load LOAD.RJX] [--start F] [--stop F]\n"
    "                        [--points N] [-o OUT.DAT]\n"
    "  quendavore-calc --help\n"
    "\n"
    "impedance  prints the input impedance, reflection, VSWR and return loss at\n"
    "           the network's test frequency (with a load table, at its middle row)\n"
    "           as one line of comma-separated values under a header line.\n"
    "sweep      writes the tabulated sweep results to OUT (its extension becomes\n"
    "           .DAT) or, with -o - or without -o, to standard output. The sweep\n"
    "           limits come from the network file unless given; with a load table\n"
    "           the sweep runs over the table's rows.\n"
    "\n"
    "Frequencies take engineering prefixes (14.2M, 500k). Exit status 0 on\n"
    "success, 2 on bad arguments or unreadable files.\n";

constexpr double kLowestFrequency = 10000;
constexpr double kHighestFrequency = 10000000000.0;

struct Options {
    std::string command;
    std::string network;
    std::optional<std::string> load, start, stop, points, output;
};

// A thrown problem ends the run with its text on one line and status 2.
struct Problem {
    std::string text;
};

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

Options ParseArguments(const std::vector<std::string>& args) {
    Options o;
    if (args.empty()) throw Problem{"no command given (try --help)"};
    o.command = args[0];
    if (o.command != "impedance" && o.command != "sweep")
        throw Problem{"unknown command '" + o.command + "' (try --help)"};
    const bool sweep = o.command == "sweep";

    for (std::size_t i = 1; i < args.size(); ++i) {
        std::string arg = args[i];
        std::optional<std::string> inlineValue;
        if (arg.rfind("--", 0) == 0) {
            const std::size_t eq = arg.find('=');
            if (eq != std::string::npos) {
                inlineValue = arg.substr(eq + 1);
                arg.erase(eq);
            }
        }
        std::optional<std::string>* slot = nullptr;
        if (arg == "--load") slot = &o.load;
        else if (sweep && arg == "--start") slot = &o.start;
        else if (sweep && arg == "--stop") slot = &o.stop;
        else if (sweep && arg == "--points") slot = &o.points;
        else if (sweep && (arg == "-o" || arg == "--output")) slot = &o.output;

        if (slot != nullptr) {
            if (slot->has_value()) throw Problem{"option " + arg + " given twice"};
            if (inlineValue) {
                *slot = *inlineValue;
            } else {
                if (i + 1 >= args.size()) throw Problem{"option " + arg + " needs a value"};
                *slot = args[++i];
            }
            if ((*slot)->empty()) throw Problem{"option " + arg + " needs a value"};
        } else if (arg.size() > 1 && arg[0] == '-') {
            throw Problem{"unknown option '" + arg + "' for " + o.command + " (try --help)"};
        } else if (o.network.empty()) {
            if (arg.empty()) throw Problem{"the network file name is empty"};
            o.network = arg;
        } else {
            throw Problem{"unexpected argument '" + arg + "'"};
        }
    }
    if (o.network.empty()) throw Problem{"no network file given"};
    if (o.load && (o.start || o.stop || o.points))
        throw Problem{"--start, --stop and --points do not apply with --load: "
                      "the sweep runs over the load table's rows"};
    return o;
}

// A session as the program has it after start-up and the Design page's
// opening steps, with the network file read as "Get net" reads it.
void LoadSession(const Options& o, SessionState& s) {
    InitSession(s);
    ResetNetwork(s);
    s.LoadMode = 1;
    s.VelocityFactor = 1;

    RecordingMessageSink sink;
    s.CurrentFileName = o.network;
    if (!ReadNetworkFile(o.network, s, sink))
        throw Problem{sink.messages.empty() ? "cannot read " + o.network
                                            : OneLine(sink.messages.front())};

    if (o.load) {
        s.LoadFileName = *o.load;
        if (!ParseLoadData(*o.load, s, sink)) {
            throw Problem{*o.load + ": " +
                          (sink.messages.empty() ? std::string("cannot read")
                                                 : OneLine(sink.messages.front()))};
        }
        if (!ApplyLoadTable(s))
            throw Problem{*o.load + ": There are no test frequencies to allow a sweep"};
    }
}

double FrequencyOption(const std::string& name, const std::string& text) {
    const double value = ParseValueOf(text);
    if (!(value >= kLowestFrequency && value <= kHighestFrequency))
        throw Problem{"option " + name + " '" + text +
                      "' is not a frequency from 10 kHz to 10 GHz"};
    return value;
}

std::int16_t PointsOption(const std::string& text) {
    int value = 0;
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || ptr != text.data() + text.size() || value < 2 ||
        value > kSweepCapacity)
        throw Problem{"option --points '" + text + "' is not a whole number from 2 to " +
                      std::to_string(kSweepCapacity)};
    return static_cast<std::int16_t>(value);
}

std::string Number17(double value) {
    char text[40];
    std::snprintf(text, sizeof text, "%.17g", value);
    return text;
}

int Impedance(const Options& o, std::ostream& out) {
    SessionState s;
    LoadSession(o, s);
    Math(s, s.LoadPointIndex);
    const Reflection g = ReflectionOf(s.CurrentR, s.CurrentX, s.SystemZ);
    out << "frequency_hz,r_ohm,x_ohm,rho,angle_deg,vswr,return_loss_db\n"
        << Number17(s.TestFrequency) << ',' << Number17(s.CurrentR) << ','
        << Number17(s.CurrentX) << ',' << Number17(g.rho) << ',' << Number17(g.angleDeg) << ','
        << Number17(g.vswr) << ',' << Number17(g.returnLossDb) << '\n';
    return out ? 0 : 2;
}

int Sweep(const Options& o, std::ostream& out) {
    SessionState s;
    LoadSession(o, s);
    if (!o.load) {
        if (o.start) s.SweepStart = FrequencyOption("--start", *o.start);
        if (o.stop) s.SweepStop = FrequencyOption("--stop", *o.stop);
        if (o.points) s.SweepPoints = PointsOption(*o.points);
        if (s.SweepPoints < 2 || s.SweepPoints > kSweepCapacity)
            throw Problem{"the network file sets " + std::to_string(s.SweepPoints) +
                          " sweep points; give --points from 2 to " +
                          std::to_string(kSweepCapacity)};
        if (!(s.SweepStart > 0 && s.SweepStop > 0))
            throw Problem{"the network file sets no sweep limits; give --start and --stop"};
    }
    ComputeSweep(s);

    if (!o.output || *o.output == "-") {
        out << TableFileText(s, "-", TodayShortDate());
        return out ? 0 : 2;
    }
    if (!WriteTableFile(*o.output, s)) throw Problem{"cannot write " + s.TextResult};
    return 0;
}

}  // namespace

int RunCalc(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    for (const std::string& arg : args) {
        if (arg == "--help" || arg == "-h") {
            out << kUsage;
            return 0;
        }
    }
    try {
        const Options o = ParseArguments(args);
        return o.command == "impedance" ? Impedance(o, out) : Sweep(o, out);
    } catch (const Problem& p) {
        err << kTool << ": " << p.text << '\n';
    } catch (const std::exception& e) {
        err << kTool << ": " << e.what() << '\n';
    }
    return 2;
}

}  // namespace qv
