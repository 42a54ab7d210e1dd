#include "cli/PictureCommands.h"

#include <charconv>

#include "chart/ChartGeometry.h"
#include "chart/SweepTrace.h"
#include "cli/CalcSupport.h"
#include "plot/Pictures.h"
#include "plot/Plot.h"

namespace qv::calc_tool {

namespace {

// Default sizes: the pictures at one pixel per 10 twips.
constexpr double kTwipsPerPixel = 10;

struct PictureArguments {
    std::string network;
    std::optional<std::string> load, start, stop, points, trace, size, output;
};

PictureArguments ParsePictureArguments(const std::vector<std::string>& args) {
    const bool plot = args[0] == "plot";
    PictureArguments a;
    std::map<std::string, std::optional<std::string>*> options = {{"--load", &a.load}, {"--size", &a.size}, {"-o", &a.output},
                           {"--output", &a.output}};
    if (plot) {
        options.insert({{"--start", &a.start}, {"--stop", &a.stop}, {"--points", &a.points},
                        {"--trace", &a.trace}});
    }
    a.network = ParseCommandArguments(args, options);
    if (!a.output) throw Problem{"no output file given (-o FILE.png, .svg or .pdf)"};
    if (a.load && (a.start || a.stop || a.points))
        throw Problem{"--start, --stop and --points do not apply with --load: "
                      "the sweep runs over the load table's rows"};
    return a;
}

// "rl", "vswr", "rho", or two of them joined by a comma.
std::vector<PlotTrace> Traces(const std::optional<std::string>& text) {
    if (!text) return {PlotTrace::ReturnLoss, PlotTrace::Vswr};
    std::vector<PlotTrace> traces;
    const std::string& t = *text;
    for (std::size_t at = 0; at <= t.size();) {
        const std::size_t comma = std::min(t.find(',', at), t.size());
        const std::string name = t.substr(at, comma - at);
        PlotTrace trace;
        if (name == "rl") trace = PlotTrace::ReturnLoss;
        else if (name == "vswr") trace = PlotTrace::Vswr;
        else if (name == "rho") trace = PlotTrace::Rho;
        else throw Problem{"option --trace '" + t + "' is not rl, vswr or rho (or two of them, rl,vswr)"};
        if (traces.size() == 2 || (!traces.empty() && traces[0] == trace))
            throw Problem{"option --trace '" + t + "' names more than two traces or one twice"};
        traces.push_back(trace);
        at = comma + 1;
    }
    return traces;
}

// "WxH" in pixels, each at least 16 (the writer has the upper bound); without --size the
// picture at one pixel per 10 twips.
std::pair<int, int> Size(const std::optional<std::string>& text, double logicalWidth,
                         double logicalHeight) {
    if (!text) return {static_cast<int>(logicalWidth / kTwipsPerPixel),
                       static_cast<int>(logicalHeight / kTwipsPerPixel)};
    const std::string& t = *text;
    int w = 0, h = 0;
    const char* end = t.data() + t.size();
    const auto first = std::from_chars(t.data(), end, w);
    const bool ok = first.ec == std::errc() && first.ptr != end &&
                    (*first.ptr == 'x' || *first.ptr == 'X') &&
                    [&] {
                        const auto second = std::from_chars(first.ptr + 1, end, h);
                        return second.ec == std::errc() && second.ptr == end;
                    }();
    constexpr int kSmallest = 16;
    if (!ok || w < kSmallest || h < kSmallest)
        throw Problem{"option --size '" + t + "' is not WIDTHxHEIGHT in pixels, each " +
                      std::to_string(kSmallest) + " or more"};
    return {w, h};
}

}  // namespace

bool IsPictureCommand(const std::string& command) {
    return command == "chart" || command == "plot";
}

int PictureCommand(const std::vector<std::string>& args, PictureWriter* writer) {
    const PictureArguments a = ParsePictureArguments(args);
    const bool plot = args[0] == "plot";
    const std::vector<PlotTrace> traces = Traces(a.trace);
    const double w = plot ? kPlotWidth : kChartPictureWidth;
    const double h = plot ? kPlotHeight : kChartPictureHeight;
    const auto [pixelWidth, pixelHeight] = Size(a.size, w, h);
    if (writer == nullptr)
        throw Problem{args[0] + " draws pictures, which this build of quendavore-calc leaves "
                                "out (it was built without Qt)"};

    SessionState s;
    LoadSession(a.network, a.load, s);
    RecordingSurface surf;
    writer->PrepareSurface(surf);
    if (plot) {
        if (!a.load) {
            if (a.start) s.SweepStart = FrequencyOption("--start", *a.start);
            if (a.stop) s.SweepStop = FrequencyOption("--stop", *a.stop);
            if (a.points) s.SweepPoints = PointsOption(*a.points, kSweepMinPoints);
            const std::string wrong =
                CheckSweepEntry({s.SweepStart, s.SweepStop, double(s.SweepPoints)});
            if (!wrong.empty())
                throw Problem{"the sweep is not set: " + wrong + " (give --start, --stop, --points)"};
        }
        DrawPlot(surf, CollectPlotData(s), traces, {0, 0, w, h});
    } else {
        s.ChartCenterX = static_cast<float>(kDefaultCenterX);
        DrawChartPicture(s, surf);
    }
    const std::string problem = writer->Write(*a.output, surf.Ops(), w, h, pixelWidth, pixelHeight);
    if (!problem.empty()) throw Problem{problem};
    return 0;
}

}  // namespace qv::calc_tool
