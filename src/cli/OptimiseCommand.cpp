#include "cli/OptimiseCommand.h"

#include <charconv>
#include <cstdio>
#include <map>
#include <memory>
#include <optional>
#include <span>

#include "calc/Optimise.h"
#include "calc/StandardValues.h"
#include "cli/CalcSupport.h"
#include "files/NetworkFile.h"

namespace qv::calc_tool {

namespace {

struct OptimiseArguments {
    std::string network;
    std::optional<std::string> load, start, stop, points, parts, goal, series, evaluations, output;
};

OptimiseArguments ParseOptimiseArguments(const std::vector<std::string>& args) {
    OptimiseArguments a;
    const std::map<std::string, std::optional<std::string>*> options = {
        {"--load", &a.load},   {"--start", &a.start}, {"--stop", &a.stop},
        {"--points", &a.points}, {"--parts", &a.parts}, {"--goal", &a.goal},
        {"--series", &a.series}, {"--evaluations", &a.evaluations},
        {"-o", &a.output},       {"--output", &a.output}};
    a.network = ParseCommandArguments(args, options);
    if (!a.output) throw Problem{"no output file given (-o OUT.QVF)"};
    if (a.load && (a.start || a.stop || a.points))
        throw Problem{"--start, --stop and --points do not apply with --load: "
                      "the band is the load table's rows"};
    return a;
}

// The stages named by --parts ("1,3,4"), or every stage with something to
// tune; their tuned values in stage order.
std::vector<TunedValue> ChosenValues(const SessionState& s, const std::optional<std::string>& parts) {
    std::vector<int> stages;
    if (!parts) {
        stages = TunableStages(s);
        if (stages.empty()) throw Problem{"the network has no part to tune"};
    } else {
        const std::string& text = *parts;
        for (std::size_t at = 0; at <= text.size();) {
            const std::size_t comma = std::min(text.find(',', at), text.size());
            int stage = 0;
            const auto [end, ec] = std::from_chars(text.data() + at, text.data() + comma, stage);
            if (ec != std::errc() || end != text.data() + comma || stage < kFirstStage ||
                stage > kLastStage)
                throw Problem{"option --parts '" + text + "' is not a list of stages 1 to 5"};
            if (std::find(stages.begin(), stages.end(), stage) != stages.end())
                throw Problem{"option --parts names stage " + std::to_string(stage) + " twice"};
            if (TunedValuesOf(s, stage).empty())
                throw Problem{"stage " + std::to_string(stage) +
                              " has no value to tune (it is empty, a resistor, or its value "
                              "is 0 or less)"};
            stages.push_back(stage);
            at = comma + 1;
        }
    }
    std::sort(stages.begin(), stages.end());
    std::vector<TunedValue> values;
    for (int stage : stages)
        for (const TunedValue& v : TunedValuesOf(s, stage)) values.push_back(v);
    return values;
}

// The most evaluations --evaluations takes: far beyond any useful search,
// yet an int with room to spare.
constexpr int kMostEvaluations = 100000000;

int EvaluationsOption(const std::string& text) {
    int value = 0;
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || ptr != text.data() + text.size() || value < 1 || value > kMostEvaluations)
        throw Problem{"option --evaluations '" + text + "' is not a whole number from 1 to " +
                      std::to_string(kMostEvaluations)};
    return value;
}

}  // namespace

int OptimiseCommand(const std::vector<std::string>& args, std::ostream& out) {
    const OptimiseArguments a = ParseOptimiseArguments(args);

    OptimiseOptions options;
    if (a.goal && *a.goal == "rl") options.goal = OptimiseGoal::ReturnLoss;
    else if (a.goal && *a.goal != "vswr")
        throw Problem{"option --goal '" + *a.goal + "' is not vswr or rl"};
    if (a.evaluations) {
        // A budget of evaluations instead of time: the same result on every machine.
        options.maxEvaluations = EvaluationsOption(*a.evaluations);
        options.timeLimitSeconds = 0;
    }
    std::optional<std::span<const double>> series;
    if (a.series) {
        series = SeriesNamed(*a.series);
        if (!series) throw Problem{"option --series '" + *a.series + "' is not E6, E12, E24, E48 or E96"};
    }

    // The band's session (with the load table, if any) and the network as
    // read, which is what gets written with the new values.
    auto band = std::make_unique<SessionState>();
    LoadSession(a.network, a.load, *band);
    if (!a.load) {
        if (a.start) band->SweepStart = FrequencyOption("--start", *a.start);
        if (a.stop) band->SweepStop = FrequencyOption("--stop", *a.stop);
        if (a.points) band->SweepPoints = PointsOption(*a.points, 1);
        if (BandPoints(*band) == 0)
            throw Problem{"the network file sets no band; give --start, --stop and --points"};
    }
    options.values = ChosenValues(*band, a.parts);

    const OptimiseResult r = Optimise(*band, options);
    std::vector<double> values = r.after;
    double worstAfter = r.worstVswrAfter;
    if (series) {
        SnapResult snapped = SnapTunedValues(*band, options.values, values, *series);
        values = std::move(snapped.values);
        worstAfter = snapped.worstVswr;
    }

    auto network = std::make_unique<SessionState>();
    LoadSession(a.network, std::nullopt, *network);
    ApplyTunedValues(*network, options.values, values);
    CheckWritten(WriteNetworkFile(*a.output, *network));

    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%.3f", r.seconds);
    out << "worst_vswr_before,worst_vswr_after,evaluations,seconds\n"
        << Number17(r.worstVswrBefore) << ',' << Number17(worstAfter) << ',' << r.evaluations
        << ',' << seconds << '\n';
    return out ? 0 : 2;
}

}  // namespace qv::calc_tool
