#include "plot/Plot.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "calc/Math.h"
#include "calc/Reflection.h"
#include "calc/Sweep.h"
#include "chart/ElementArcs.h"
#include "chart/SweepTrace.h"
#include "numbers/Format.h"

namespace qv {

namespace {

constexpr double kTraceWidth = 2;
constexpr double kMarkerRadius = 70;
constexpr double kBestRadius = 110;
constexpr double kBarHeight = 150;  // the return-loss band's bar at the box top
constexpr double kLineGap = 290;    // between the lines of figures

FontSpec PlotFont(double points, bool bold = false) {
    FontSpec f;
    f.sizePt = points;
    f.bold = bold;
    return f;
}

// `digits` significant digits, plain where it fits.
std::string Number(double v, int digits) {
    char buf[40];
    const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, digits);
    return std::string(buf, r.ptr);
}

double ValueOf(PlotTrace t, const SweepSample& p) {
    switch (t) {
        case PlotTrace::ReturnLoss: return p.returnLossDb;
        case PlotTrace::Vswr: return p.vswr;
        case PlotTrace::Rho: return p.rho;
    }
    return 0;
}

double LimitOf(PlotTrace t) {
    switch (t) {
        case PlotTrace::ReturnLoss: return kBandReturnLossDb;
        case PlotTrace::Vswr: return kBandVswr;
        case PlotTrace::Rho: return (kBandVswr - 1) / (kBandVswr + 1);
    }
    return 0;
}

Colour ColourOf(PlotTrace t) {
    switch (t) {
        case PlotTrace::ReturnLoss: return kReturnLossColour;
        case PlotTrace::Vswr: return kVswrColour;
        case PlotTrace::Rho: return kRhoColour;
    }
    return kBlack;
}

const char* NameOf(PlotTrace t) {
    switch (t) {
        case PlotTrace::ReturnLoss: return "Return loss (dB)";
        case PlotTrace::Vswr: return "VSWR";
        case PlotTrace::Rho: return "|rho|";
    }
    return "";
}

std::string ReturnLossText(double db) {
    return db >= kReturnLossCapDb ? ">120 dB" : Number(db, 3) + " dB";
}

std::string ValueText(PlotTrace t, const SweepSample& p) {
    switch (t) {
        case PlotTrace::ReturnLoss: return "RL " + ReturnLossText(p.returnLossDb);
        case PlotTrace::Vswr: return "VSWR " + Number(p.vswr, 3);
        case PlotTrace::Rho: return "|rho| " + Number(p.rho, 3);
    }
    return {};
}

std::string PointText(const SweepSample& p) {
    return FrequencyText(p.frequency) + ": VSWR " + Number(p.vswr, 4) + ", return loss " +
           ReturnLossText(p.returnLossDb) + ", |rho| " + Number(p.rho, 4);
}

std::string BandText(const char* what, const std::optional<Band>& b, const Bandwidth& bw) {
    std::string t = what;
    if (!b) return t + ": none (best VSWR " + Number(bw.bestVswr, 4) + ")";
    t += ": " + FrequencyText(b->low) + " to " + FrequencyText(b->high) + ", " +
         FrequencyText(b->high - b->low) + " wide, " + Number(b->Percent(), 3) + " % of " +
         FrequencyText(b->Centre());
    if (b->openLow || b->openHigh) t += " (reaches the end of the sweep)";
    return t;
}

struct Box {
    double left, top, right, bottom;
    double fLow, fHigh;
    double X(double f) const { return left + (f - fLow) / (fHigh - fLow) * (right - left); }
    double Y(const PlotAxis& a, double v) const {
        return bottom - (v - a.low) / (a.high - a.low) * (bottom - top);
    }
};

// Draws the segment clipped to the box's height; `joined` tells whether the
// last segment drawn ended where this one starts.
void ClippedSegment(Surface& surf, const Box& b, double x1, double y1, double x2, double y2,
                    bool& joined) {
    double t0 = 0, t1 = 1;
    const double dy = y2 - y1;
    for (const double edge : {b.top, b.bottom}) {
        const bool above = edge == b.top;
        // Inside means y >= top and y <= bottom.
        const double f1 = above ? y1 - edge : edge - y1;
        const double df = above ? dy : -dy;
        if (df == 0) {
            if (f1 < 0) {
                joined = false;
                return;
            }
            continue;
        }
        const double t = -f1 / df;
        if (df > 0) t0 = std::max(t0, t);
        else t1 = std::min(t1, t);
    }
    if (t0 > t1) {
        joined = false;
        return;
    }
    const double ax = x1 + t0 * (x2 - x1), ay = y1 + t0 * dy;
    const double bx = x1 + t1 * (x2 - x1), by = y1 + t1 * dy;
    if (joined && t0 == 0) surf.LineTo(bx, by);
    else surf.Line(ax, ay, bx, by);
    joined = t1 == 1;
}

void DrawTrace(Surface& surf, const Box& b, const PlotAxis& a, PlotTrace t,
               const std::vector<SweepSample>& p) {
    surf.SetColour(ColourOf(t));
    surf.SetLineWidth(kTraceWidth);
    if (p.size() == 1) {
        const double y = b.Y(a, ValueOf(t, p[0]));
        if (y >= b.top && y <= b.bottom) surf.Line(b.X(p[0].frequency), y, b.X(p[0].frequency), y);
    }
    bool joined = false;
    for (std::size_t k = 1; k < p.size(); ++k)
        ClippedSegment(surf, b, b.X(p[k - 1].frequency), b.Y(a, ValueOf(t, p[k - 1])),
                       b.X(p[k].frequency), b.Y(a, ValueOf(t, p[k])), joined);
    surf.SetLineWidth(1);
}

// A marker ring on every trace at one point, where it lies inside the box.
void Rings(Surface& surf, const Box& b, const std::vector<PlotTrace>& traces,
           const std::vector<PlotAxis>& axes, const SweepSample& p, double radius, Colour c) {
    surf.SetColour(c);
    surf.SetLineWidth(2);
    for (std::size_t i = 0; i < traces.size(); ++i) {
        const double y = b.Y(axes[i], ValueOf(traces[i], p));
        if (y >= b.top && y <= b.bottom) surf.Circle(b.X(p.frequency), y, radius, 0, 0, 1);
    }
    surf.SetLineWidth(1);
}

bool InRange(const Box& b, double f) { return f >= b.fLow && f <= b.fHigh; }

}  // namespace

PlotData CollectPlotData(SessionState& s) {
    PlotData d;
    const auto slash = s.CurrentFileName.find_last_of("/\\");
    d.name = slash == std::string::npos ? s.CurrentFileName : s.CurrentFileName.substr(slash + 1);
    if (SweepReady(s)) {
        const int n = ComputeSweep(s);
        d.samples = SweepSamples(s, n);
        d.band = FindBandwidth(d.samples);
    }
    // In table mode the calculation takes its frequency from the load row.
    const double savedFrequency = s.TestFrequency;
    const Impedance z = Math(s, ArcLoadRow(s));
    const Reflection g = ReflectionOf(z.R, z.X, s.SystemZ);
    d.test = {s.TestFrequency, g.rho, g.vswr, g.returnLossDb};
    d.hasTest = std::isfinite(s.TestFrequency);
    s.TestFrequency = savedFrequency;
    return d;
}

std::string FrequencyText(double hz) { return TrimBlanks(FormatGeneral(hz)) + "Hz"; }

PlotAxis AxisFor(PlotTrace trace, const PlotData& data) {
    double most = 0;
    for (const SweepSample& p : data.samples) most = std::max(most, ValueOf(trace, p));
    switch (trace) {
        case PlotTrace::ReturnLoss: {
            // A near-perfect match reaches 120 dB at one point; an axis that
            // tall would flatten the band, so deeper points run off the top.
            const double top = std::clamp(std::ceil(most / 10) * 10, 20.0, kReturnLossAxisTop);
            return {0, top, 10};
        }
        case PlotTrace::Vswr:
            if (most <= 3) return {1, 3, 0.5};
            if (most <= 5) return {1, 5, 1};
            return {1, 10, 1};
        case PlotTrace::Rho: return {0, 1, 0.2};
    }
    return {};
}

PlotAxis FrequencyTicks(double low, double high, int most) {
    const double span = high - low;
    if (!(span > 0) || most < 1) return {low, high, 0};
    const double raw = span / most;
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    double step = 10 * magnitude;
    for (const double m : {1.0, 2.0, 5.0})
        if (m * magnitude >= raw) {
            step = m * magnitude;
            break;
        }
    return {std::ceil(low / step - 1e-9) * step, high, step};
}

std::vector<std::string> PlotFigures(const PlotData& data) {
    std::vector<std::string> lines;
    if (data.hasTest) lines.push_back("Test frequency " + PointText(data.test));
    if (!data.band.any) return lines;
    lines.push_back("Best match " + PointText({data.band.bestFrequency, data.band.bestRho,
                                               data.band.bestVswr, data.band.bestReturnLossDb}));
    lines.push_back(BandText("VSWR 2 band", data.band.vswr2, data.band));
    lines.push_back(BandText("Return loss 10 dB band", data.band.rl10, data.band));
    return lines;
}

void DrawPlot(Surface& surf, const PlotData& data, const std::vector<PlotTrace>& chosen,
              const PlotRect& area) {
    std::vector<PlotTrace> traces(chosen.begin(), chosen.begin() + std::min<std::size_t>(2, chosen.size()));
    if (traces.empty()) traces.push_back(PlotTrace::ReturnLoss);

    Box b{area.left + kPlotBoxLeft, area.top + kPlotBoxTop,
          area.left + area.width - kPlotBoxRight, area.top + area.height - kPlotBoxBottom, 0, 1};

    // Title and legend.
    std::string title;
    for (std::size_t i = 0; i < traces.size(); ++i)
        title += (i ? " and " : "") + std::string(NameOf(traces[i]));
    title += " against frequency";
    if (!data.name.empty()) title += " - " + data.name;
    surf.SetTextColour(kBlack);
    surf.SetFont(PlotFont(11, true));
    surf.Text(b.left, area.top + 120, title);
    surf.SetFont(PlotFont(9));
    double legendX = b.left;
    for (std::size_t i = 0; i < traces.size(); ++i) {
        const double y = area.top + 600;
        surf.SetColour(ColourOf(traces[i]));
        surf.SetLineWidth(kTraceWidth);
        surf.Line(legendX, y, legendX + 400, y);
        surf.SetLineWidth(1);
        const std::string text =
            std::string(NameOf(traces[i])) + (i == 0 ? ", left axis" : ", right axis");
        surf.Text(legendX + 500, y - surf.TextHeight() / 2, text);
        legendX += 500 + surf.TextWidth(text) + 500;
    }

    if (data.samples.empty()) {
        surf.SetColour(kBlack);
        surf.Box(b.left, b.top, b.right, b.bottom);
        const std::string note = "No sweep to plot: set one with \"Sweep setup\" on the Analysis page";
        surf.Text((b.left + b.right - surf.TextWidth(note)) / 2, (b.top + b.bottom) / 2, note);
        return;
    }

    b.fLow = data.samples.front().frequency;
    b.fHigh = data.samples.back().frequency;
    if (!(b.fHigh > b.fLow)) {
        // One frequency: a little room either side so it can be drawn.
        const double pad = std::max(1.0, std::fabs(b.fLow) * 0.01);
        b.fLow -= pad;
        b.fHigh += pad;
    }
    std::vector<PlotAxis> axes;
    for (PlotTrace t : traces) axes.push_back(AxisFor(t, data));

    // Bands under everything else.
    if (data.band.vswr2) {
        surf.SetColour(kVswrBandColour);
        surf.FillBox(b.X(data.band.vswr2->low), b.top, b.X(data.band.vswr2->high), b.bottom);
    }
    if (data.band.rl10) {
        surf.SetColour(kReturnLossBandColour);
        surf.FillBox(b.X(data.band.rl10->low), b.top, b.X(data.band.rl10->high),
                     b.top + kBarHeight);
    }

    // Grid: frequency ticks and the left axis's ticks.
    surf.SetColour(kGridColour);
    const PlotAxis ft = FrequencyTicks(b.fLow, b.fHigh, 8);
    std::vector<double> fTicks;
    if (ft.step > 0)
        for (int k = 0;; ++k) {
            const double f = ft.low + k * ft.step;
            if (f > ft.high + ft.step * 1e-9) break;
            fTicks.push_back(f);
            surf.Line(b.X(f), b.top, b.X(f), b.bottom);
        }
    auto valueTicks = [](const PlotAxis& a) {
        std::vector<double> v;
        const int n = static_cast<int>(std::lround((a.high - a.low) / a.step));
        for (int k = 0; k <= n; ++k) v.push_back(a.low + k * a.step);
        return v;
    };
    for (double v : valueTicks(axes[0])) surf.Line(b.left, b.Y(axes[0], v), b.right, b.Y(axes[0], v));

    // Limit lines, then the traces.
    for (std::size_t i = 0; i < traces.size(); ++i) {
        surf.SetColour(ColourOf(traces[i]));
        const double y = b.Y(axes[i], LimitOf(traces[i]));
        surf.Line(b.left, y, b.right, y);
    }
    for (std::size_t i = 0; i < traces.size(); ++i) DrawTrace(surf, b, axes[i], traces[i], data.samples);

    // Band edges and their percentages.
    if (data.band.vswr2) {
        const Band& v = *data.band.vswr2;
        surf.SetColour(kVswrBandEdgeColour);
        surf.Line(b.X(v.low), b.top, b.X(v.low), b.bottom);
        surf.Line(b.X(v.high), b.top, b.X(v.high), b.bottom);
        surf.SetTextColour(kVswrBandEdgeColour);
        surf.Text(b.X(v.low) + 40, b.bottom - surf.TextHeight() - 30,
                  "VSWR 2: " + Number(v.Percent(), 3) + " %");
    }
    if (data.band.rl10) {
        const Band& r = *data.band.rl10;
        surf.SetColour(kReturnLossColour);
        surf.Box(b.X(r.low), b.top, b.X(r.high), b.top + kBarHeight);
        surf.SetTextColour(kReturnLossColour);
        surf.Text(b.X(r.low) + 40, b.top + kBarHeight + 20,
                  "RL 10 dB: " + Number(r.Percent(), 3) + " %");
    }

    // Markers: the test frequency's line and rings, the best match's rings.
    surf.SetTextColour(kBlack);
    if (data.hasTest && InRange(b, data.test.frequency)) {
        const double x = b.X(data.test.frequency);
        surf.SetColour(kBlack);
        surf.Line(x, b.top, x, b.bottom);
        Rings(surf, b, traces, axes, data.test, kMarkerRadius, kBlack);
        surf.Text(x + 60, b.top + kBarHeight + 320, "Test " + ValueText(traces[0], data.test));
    }
    const SweepSample best{data.band.bestFrequency, data.band.bestRho, data.band.bestVswr,
                           data.band.bestReturnLossDb};
    Rings(surf, b, traces, axes, best, kBestRadius, kVswrBandEdgeColour);
    // Low in the box, clear of the test label at its top.
    surf.Text(b.X(best.frequency) + kBestRadius + 40,
              b.bottom - 2 * surf.TextHeight() - 60,
              "Best " + ValueText(traces[0], best));

    // Frame, axis labels.
    surf.SetColour(kBlack);
    surf.SetLineWidth(1);
    surf.Box(b.left, b.top, b.right, b.bottom);
    surf.SetTextColour(kBlack);
    const double h = surf.TextHeight();
    for (double f : fTicks) {
        const std::string t = FrequencyText(f);
        surf.Line(b.X(f), b.bottom, b.X(f), b.bottom + 60);
        surf.Text(b.X(f) - surf.TextWidth(t) / 2, b.bottom + 80, t);
    }
    for (std::size_t i = 0; i < traces.size(); ++i) {
        surf.SetTextColour(ColourOf(traces[i]));
        for (double v : valueTicks(axes[i])) {
            const std::string t = Number(v, 4);
            const double y = b.Y(axes[i], v);
            const double x = i == 0 ? b.left - 100 - surf.TextWidth(t) : b.right + 100;
            surf.Text(x, y - h / 2, t);
        }
    }

    // Figures.
    surf.SetTextColour(kBlack);
    const std::vector<std::string> lines = PlotFigures(data);
    for (std::size_t i = 0; i < lines.size(); ++i)
        surf.Text(b.left, b.bottom + 420 + static_cast<double>(i) * kLineGap, lines[i]);
}

}  // namespace qv
