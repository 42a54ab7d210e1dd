#include "cli/CalcTool.h"

#include <cerrno>
#include <charconv>
#include <cstring>
#include <cstdio>
#include <fstream>
#include <optional>

#include "calc/Bandwidth.h"
#include "calc/Math.h"
#include "calc/Reflection.h"
#include "calc/Sweep.h"
#include "cli/CalcSupport.h"
#include "cli/OptimiseCommand.h"
#include "cli/MatchCommand.h"
#include "cli/PictureCommands.h"
#include "files/LoadData.h"
#include "files/NetworkFile.h"
#include "files/ResultFiles.h"
#include "files/TableFile.h"
#include "numbers/Parse.h"
#include "session/MessageSink.h"
#include "session/SessionState.h"

namespace qv {

namespace {

using namespace calc_tool;

constexpr const char* kUsage =
    "Usage:\n"
    "  quendavore-calc impedance NETWORK.QVF [--load LOAD]\n"
    "  quendavore-calc sweep NETWORK.QVF [--load LOAD.RJX] [--start F] [--stop F]\n"
    "                        [--points N] [-o OUT] [--format dat|s1p|csv] [--bandwidth]\n"
    "  quendavore-calc optimise NETWORK.QVF [--load LOAD.RJX] [--start F] [--stop F]\n"
    "                  [--points N] [--parts 1,2,...] [--goal vswr|rl] [--series E24]\n"
    "                  [--evaluations N] -o OUT.QVF\n"
    "  quendavore-calc match NETWORK.QVF [--load LOAD.RJX] [--topology l|pi|t|stub|all]\n"
    "                        [--q Q] [--loaded-q Q] [--series E12|E24|E48|E96] [-o DIR]\n"
    "  quendavore-calc chart NETWORK.QVF [--load LOAD.RJX] [--size WxH] -o FILE\n"
    "  quendavore-calc plot NETWORK.QVF [--load LOAD.RJX] [--start F] [--stop F]\n"
    "                  [--points N] [--trace rl|vswr|rho] [--size WxH] -o FILE\n"
    "  quendavore-calc --help\n"
    "\n"
    "impedance  prints the input impedance, reflection, VSWR and return loss at\n"
    "           the network's test frequency (with a load table, at its middle row)\n"
    "           as one line of comma-separated values under a header line.\n"
    "sweep      writes the sweep results to OUT or, with -o - or without -o, to\n"
    "           standard output: a one-port Touchstone file when OUT ends in .s1p,\n"
    "           CSV (the impedance command's columns) for .csv, otherwise the\n"
    "           tabulated-data file (its extension becomes .DAT). --format\n"
    "           overrides the extension and chooses for standard output (default\n"
    "           dat). The sweep limits come from the network file unless given;\n"
    "           with a load table the sweep runs over the table's rows.\n"
    "           --bandwidth prints instead\n"
    "           one line: vswr2_low_hz,vswr2_high_hz,rl10_low_hz,rl10_high_hz,\n"
    "           best_hz,best_vswr (the bands around the best point, edges\n"
    "           interpolated; a band that does not exist leaves its fields\n"
    "           empty); with -o the table still goes to OUT.\n"
    "optimise   tunes the chosen stages (default: all with a capacitance, an\n"
    "           inductance or a length) for the least worst-case VSWR over the\n"
    "           band (the sweep limits, or the load table's rows; --points 1 is\n"
    "           one frequency), each value within 0.1 to 10 times its start;\n"
    "           --series snaps capacitances and inductances to that standard\n"
    "           series (E6 to E96). Writes the network with the new values to\n"
    "           OUT (.QVF) and prints worst_vswr_before,worst_vswr_after,\n"
    "           evaluations,seconds. --goal rl holds the worst return loss up\n"
    "           instead, which has the same best. The search ends after 1.5 s at most;\n"
    "           --evaluations N ends it after about N evaluations of the band\n"
    "           instead, so that it gives the same result on every machine.\n"
    "match      lists the networks that match the load at the test frequency (with\n"
    "           a load table, the row nearest it) to the system impedance, one CSV\n"
    "           line each: L networks (default), Pi and T at --loaded-q, single\n"
    "           stubs. --q gives every L and C that Q (default lossless); --series\n"
    "           snaps them to standard values; -o DIR also writes DIR/match-NN.QVF.\n"
    "chart      draws the Analysis page's chart with the network panel, the arcs\n"
    "           and the overlays the file switches on, into FILE: PNG, SVG or PDF\n"
    "           by its extension, WxH pixels (default 1188x948). No display needed.\n"
    "plot       draws return loss and VSWR against frequency over the sweep, with\n"
    "           the VSWR 2 and 10 dB bands and the test and best points, the same\n"
    "           way (default 1200x800). --trace chooses one or two: rl, vswr,\n"
    "           rho, or two joined by a comma (default rl,vswr).\n"
    "\n"
    "LOAD is a load-data file (.RJX: frequency, R, X per line) or a Touchstone\n"
    "file (version 1 or 2; of a multi-port, port 1), told apart by content.\n"
    "Frequencies take engineering prefixes (14.2M, 500k). Exit status 0 on\n"
    "success, 2 on bad arguments or unreadable files.\n";

struct Options {
    std::string command;
    std::string network;
    std::optional<std::string> load, start, stop, points, output, format;
    bool bandwidth = false;
};

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
        if (sweep && arg == "--bandwidth" && !inlineValue) {
            o.bandwidth = true;
            continue;
        }
        std::optional<std::string>* slot = nullptr;
        if (arg == "--load") slot = &o.load;
        else if (sweep && arg == "--start") slot = &o.start;
        else if (sweep && arg == "--stop") slot = &o.stop;
        else if (sweep && arg == "--points") slot = &o.points;
        else if (sweep && (arg == "-o" || arg == "--output")) slot = &o.output;
        else if (sweep && arg == "--format") slot = &o.format;

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
    if (o.format && !ResultFormatNamed(*o.format))
        throw Problem{"option --format '" + *o.format + "' is not dat, s1p or csv"};
    if (o.load && (o.start || o.stop || o.points))
        throw Problem{"--start, --stop and --points do not apply with --load: "
                      "the sweep runs over the load table's rows"};
    return o;
}

int ImpedanceCommand(const Options& o, std::ostream& out, std::ostream& err) {
    SessionState s;
    LoadSession(o.network, o.load, s, &err);
    const Impedance z = Math(s, s.LoadPointIndex);
    const Reflection g = ReflectionOf(z.R, z.X, s.SystemZ);
    out << kResultCsvHeader << '\n'
        << ResultCsvLine(s.TestFrequency, z.R, z.X, g.rho, g.angleDeg, g.vswr, g.returnLossDb)
        << '\n';
    return out ? 0 : 2;
}

// vswr2_low_hz,vswr2_high_hz,rl10_low_hz,rl10_high_hz,best_hz,best_vswr;
// the fields of a band that does not exist are empty.
std::string BandwidthLine(const Bandwidth& b) {
    auto band = [](const std::optional<Band>& x) {
        return x ? Number17(x->low) + ',' + Number17(x->high) : std::string(",");
    };
    return band(b.vswr2) + ',' + band(b.rl10) + ',' +
           (b.any ? Number17(b.bestFrequency) + ',' + Number17(b.bestVswr) : std::string(",")) +
           '\n';
}

int Sweep(const Options& o, std::ostream& out, std::ostream& err) {
    SessionState s;
    LoadSession(o.network, o.load, s, &err);
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
    const int n = ComputeSweep(s);
    if (o.bandwidth) out << BandwidthLine(FindBandwidth(SweepSamples(s, n)));

    if (o.bandwidth && !o.output) return out ? 0 : 2;
    const bool toStdout = !o.output || *o.output == "-";
    const ResultFormat format = o.format    ? *ResultFormatNamed(*o.format)
                                : toStdout ? ResultFormat::Table
                                           : ResultFormatOf(*o.output);
    if (toStdout) {
        if (format == ResultFormat::Touchstone && !TouchstoneProblem(s).empty())
            throw Problem{TouchstoneProblem(s)};
        out << ResultText(s, format, "-", TodayShortDate());
        return out ? 0 : 2;
    }
    CheckWritten(WriteResultFile(*o.output, format, s));
    return 0;
}

}  // namespace

int FinishOutput(std::ostream& out, std::ostream& err, int status) {
    errno = 0;
    out.flush();
    if (out) return status;
    const int reason = errno;
    err << kTool << ": cannot write the results"
        << (reason != 0 ? std::string(": ") + std::strerror(reason) : std::string()) << '\n';
    return 2;
}

int RunCalc(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
            PictureWriter* pictures) {
    for (const std::string& arg : args) {
        if (arg == "--help" || arg == "-h") {
            out << kUsage;
            return 0;
        }
    }
    try {
        if (!args.empty() && args[0] == "optimise") return OptimiseCommand(args, out);
        if (!args.empty() && args[0] == "match") return MatchCommand(args, out, err);
        if (!args.empty() && IsPictureCommand(args[0])) return PictureCommand(args, pictures);
        const Options o = ParseArguments(args);
        return o.command == "impedance" ? ImpedanceCommand(o, out, err) : Sweep(o, out, err);
    } catch (const Problem& p) {
        err << kTool << ": " << EscapeControls(p.text) << '\n';
    } catch (const std::exception& e) {
        err << kTool << ": " << EscapeControls(e.what()) << '\n';
    }
    return 2;
}

}  // namespace qv
