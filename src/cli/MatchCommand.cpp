#include "cli/MatchCommand.h"

#include <charconv>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <sstream>

#include "calc/Synthesis.h"
#include "calc/StandardValues.h"
#include "cli/CalcSupport.h"
#include "files/NetworkFile.h"
#include "session/SessionState.h"

namespace qv::calc_tool {
namespace {

struct MatchOptions {
    std::string network;
    std::optional<std::string> load, topology, q, loadedQ, series, output;
};

MatchOptions Parse(const std::vector<std::string>& args) {
    MatchOptions o;
    o.network = ParseCommandArguments(
        args, {{"--load", &o.load}, {"--topology", &o.topology}, {"--q", &o.q},
               {"--loaded-q", &o.loadedQ}, {"--series", &o.series}, {"-o", &o.output},
               {"--output", &o.output}});
    return o;
}

// A Q: a plain number above 0.
double PositiveOption(const std::string& name, const std::string& text) {
    double value = 0;
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || ptr != text.data() + text.size() || !(value > 0) || !(value <= 1E+9))
        throw Problem{"option " + name + " '" + text + "' is not a number above 0"};
    return value;
}

// The session with the network's test frequency kept: it picks the table
// row to match.
void ReadSession(const MatchOptions& o, SessionState& s) {
    LoadSession(o.network, std::nullopt, s);
    if (!o.load) return;
    const double frequency = s.TestFrequency;
    LoadSession(o.network, o.load, s);
    s.TestFrequency = frequency;
}

int Match(const MatchOptions& o, std::ostream& out, std::ostream& err) {
    MatchRequest request;
    const std::string topology = o.topology.value_or("l");
    if (topology == "all") request.pi = request.t = request.stub = true;
    else if (topology == "pi" || topology == "t" || topology == "stub") request.l = false;
    else if (topology != "l") throw Problem{"option --topology '" + topology + "' is not l, pi, t, stub or all"};
    request.pi = request.pi || topology == "pi";
    request.t = request.t || topology == "t";
    request.stub = request.stub || topology == "stub";
    if (o.q) request.componentQ = PositiveOption("--q", *o.q);
    if (o.loadedQ) request.loadedQ = PositiveOption("--loaded-q", *o.loadedQ);
    if (o.series) {
        const auto series = SeriesNamed(*o.series);
        if (!series) throw Problem{"option --series '" + *o.series + "' is not E6, E12, E24, E48 or E96"};
        request.series = *series;
    }

    SessionState s;
    ReadSession(o, s);
    const MatchSet set = SynthesizeMatches(s, request);
    // Said once everything has been written, after the results.
    std::vector<std::string> notes;
    if ((request.pi || request.t) && request.loadedQ <= 0) {
        const std::string text = "pi and t need --loaded-q; the smallest possible here is " +
                                 LoadedQText(set.minimumPiQ) + " for pi and " + LoadedQText(set.minimumTQ) + " for t";
        if (!request.l) throw Problem{text};
        notes.push_back(text);
    }
    std::vector<const MatchSolution*> shown;
    int unreachable = 0;
    for (const MatchSolution& sol : set.solutions) {
        if (sol.reachable) shown.push_back(&sol);
        else ++unreachable;
    }
    if (shown.empty()) {
        if (!set.refusals.empty()) throw Problem{set.refusals.front()};
        if (unreachable > 0) throw Problem{"no network matches with a component Q of " + *o.q};
    }
    notes.insert(notes.end(), set.refusals.begin(), set.refusals.end());
    if (unreachable > 0)
        notes.push_back(std::to_string(unreachable) +
                        " network(s) left out: no values match with a component Q of " + *o.q);

    if (o.output) {
        // A network file holds a load of at least 1 ohm at 10 kHz or more;
        // anything else would be written but never read back.
        if (set.loadRow > 0 && !(set.loadR >= 1 && set.frequency >= 10000))
            throw Problem{"row " + std::to_string(set.loadRow) + " of " + *o.load +
                          " (below 1 ohm or 10 kHz) cannot be kept in a network file"};
        std::error_code ec;
        std::filesystem::create_directories(*o.output, ec);
        if (!std::filesystem::is_directory(*o.output)) throw Problem{"cannot create the folder " + *o.output};
    }
    // A matched table row becomes the file's own load and frequency, so the
    // file shows the match without the table.
    if (set.loadRow > 0) {
        s.LoadMode = SingleLoad;
        s.TestFrequency = set.frequency;
        s.Value[0][1] = set.loadR;
        s.Value[0][2] = set.loadX;
    }
    // Files first, so that a failed write leaves nothing on standard output.
    std::ostringstream csv;
    csv << "index,topology,stages,vswr,bandwidth_low_hz,bandwidth_high_hz\n";
    int index = 0;
    for (const MatchSolution* sol : shown) {
        ++index;
        const MatchNetwork& n = sol->snapped ? sol->standard : sol->exact;
        csv << index << ',' << TopologyName(sol->topology) << ',' << MatchStagesText(n.stages) << ','
            << Number17(n.vswr) << ',' << Number17(n.bandwidthLow) << ',' << Number17(n.bandwidthHigh) << '\n';
        if (o.output) {
            char name[32];
            std::snprintf(name, sizeof name, "match-%02d.QVF", index);
            ApplyMatch(s, n.stages);
            const std::string path = (std::filesystem::path(*o.output) / name).string();
            CheckWritten(WriteNetworkFile(path, s));
        }
    }
    out << csv.str();
    for (const std::string& note : notes) err << "quendavore-calc: note: " << note << '\n';
    return out ? 0 : 2;
}

}  // namespace

int MatchCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    return Match(Parse(args), out, err);
}

}  // namespace qv::calc_tool
