#include "pages/opening/OpeningPage.h"

#include <QLabel>
#include <QPushButton>
#include <algorithm>
#include <cmath>
#include <string>

#include "files/NetworkFile.h"
#include "schematic/Symbols.h"

namespace qv {

namespace {

// The page's logical size; the layout is made for it and the window is
// scaled to the screen from it.
constexpr double kOpeningWidth = 12000;
constexpr double kOpeningHeight = 9000;

// The colour of the background line at height y: black at the top to blue
// (0, 0, 180) at the bottom, rounded half to even like every rounding in
// the program.
Colour OpeningBackgroundColour(int y) {
    const double blue = std::clamp(std::nearbyint(y * 180.0 / 10000.0), 1.0, 180.0);
    return Rgb(0, 0, static_cast<int>(blue));
}

// Real screen twips per logical unit when the page fills the screen; the
// labels' point sizes, meant for the real screen, are divided by it.
double OpeningScreenScale(double screenWidthTwips, double screenHeightTwips) {
    const double k = std::min(screenWidthTwips / kOpeningWidth, screenHeightTwips / kOpeningHeight);
    return k > 0 && std::isfinite(k) ? k : 1.0;
}

constexpr Colour kBoxColour = Rgb(153, 255, 255);
constexpr Colour kChartColour = Rgb(255, 153, 153);
constexpr Colour kElementColour = Rgb(170, 255, 170);
constexpr Colour kTitleText = Rgb(255, 255, 255);
constexpr Colour kCreditText = Rgb(200, 200, 220);
constexpr double kRail = 1040;  // return rail below the signal rail

// ---- The chain of boxes: a ladder of general impedances, the unnamed end
// boxes standing for source and load between the rails.

void VerticalBox(SessionState& s, Surface& g, const std::string& label) {
    const double x = s.PenX, y = s.PenY;
    g.Line(x, y, x, y + 270);
    g.Box(x - 150, y + 270, x + 150, y + 770);
    g.Line(x, y + 770, x, y + kRail);
    if (!label.empty()) g.Text(x + 200, y + 420, label);
}

void SeriesBox(SessionState& s, Surface& g, const SymbolStyle& st, const std::string& label) {
    DrawWireSegment(s, g, st);
    const double x = s.PenX, y = s.PenY;
    g.Box(x, y - 150, x + 600, y + 150);
    g.Line(x, y + kRail, x + 600, y + kRail);
    g.Text(x + 300 - g.TextWidth(label) / 2, y - g.TextHeight() / 2, label);
    s.PenX += 600;
    DrawWireSegment(s, g, st);
}

void ShuntBox(SessionState& s, Surface& g, const SymbolStyle& st, const std::string& label) {
    for (int i = 0; i < 3; ++i) DrawWireSegment(s, g, st);
    VerticalBox(s, g, label);
    for (int i = 0; i < 3; ++i) DrawWireSegment(s, g, st);
}

void EndBox(SessionState& s, Surface& g, const SymbolStyle& st, bool first) {
    if (!first) DrawWireSegment(s, g, st), DrawWireSegment(s, g, st);
    VerticalBox(s, g, "");
    if (first) DrawWireSegment(s, g, st), DrawWireSegment(s, g, st);
}

void DrawBoxChain(SessionState& s, Surface& g) {
    const SymbolStyle st = OpeningPageStyle();
    s.SymbolColour = kBoxColour;
    g.SetColour(kBoxColour);
    g.SetTextColour(kBoxColour);
    g.SetFont({"Arial", 10, true});
    s.PenX = 1600;
    s.PenY = 3500;
    const char* const labels[] = {"", "Z1", "Z2", "Z3", "Z4", "Zn", ""};
    for (int i = 0; i < 7; ++i) {
        if (i == 0 || i == 6)
            EndBox(s, g, st, i == 0);
        else if (i % 2 == 1)
            SeriesBox(s, g, st, labels[i]);
        else
            ShuntBox(s, g, st, labels[i]);
    }
}

// ---- The chart figure: rim, real axis, constant-resistance circles and
// the constant-reactance arcs inside the rim, on a unit reflection plane.

void DrawChartFigure(SessionState& s, Surface& g) {
    s.SymbolColour = kChartColour;
    g.SetColour(kChartColour);
    const double cx = 9400, cy = 4000, radius = 1000;
    const double pi = s.Pi > 0 ? s.Pi : 4 * std::atan(1.0);
    g.Circle(cx, cy, radius, 0, 0, 1);
    g.Line(cx - radius, cy, cx + radius, cy);
    for (double r : {0.2, 1.0 / 3, 1.0, 3.0})
        g.Circle(cx + radius * r / (1 + r), cy, radius / (1 + r), 0, 0, 1);
    for (double x : {1.0 / 3, 1.0, 3.0}) {
        // The arc of reactance x runs inside the rim from where it meets the
        // rim to the right-hand end of the real axis.
        const double d = x * x + 1;
        const double meet = std::atan2((x * x - 1) / (x * d), -2 / d);
        const double start = meet < 0 ? meet + 2 * pi : meet;
        const double r = radius / x;
        g.Circle(cx + radius, cy - r, r, start, 1.5 * pi, 1);  // inductive, upper half
        g.Circle(cx + radius, cy + r, r, 0.5 * pi, 2 * pi - start, 1);  // capacitive
    }
}

// ---- The thirteen element symbols side by side.

void DrawElementRow(SessionState& s, Surface& g) {
    const SymbolStyle st = OpeningPageStyle();
    s.SymbolColour = kElementColour;
    double width = 0;
    for (int code = SeriesCapacitor; code <= ShuntResistor; ++code) width += SymbolWidth(code, st);
    s.PenX = (kOpeningWidth - width) / 2;
    s.PenY = 5300;
    for (int code = SeriesCapacitor; code <= ShuntResistor; ++code)
        DrawElementSymbol(s, g, st, code);
}

void SetTextColour(QLabel* label, Colour colour) {
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, ToQColor(colour));
    label->setPalette(pal);
}

class OpeningPage : public PageWindow {
public:
    explicit OpeningPage(PageContext& context) : PageWindow(kOpeningWidth, kOpeningHeight) {
        SessionState& s = context.state;
        Host& host = context.host;

        PaintBackground();

        InitSession(s);
        ResetNetwork(s);
        ReadLastSession(s, context.lastSessionPath);

        setWindowTitle(QString::fromStdString("Quendavore - " + s.VersionText));

        const double screenW = host.ScreenWidthTwips();
        const double screenH = host.ScreenHeightTwips();
        // Part of the start-up order only (the Analysis page sets its own
        // centre). The decorative chart below does not use it: on a tall
        // screen 0.55 x height lies below this page, so the figure keeps a
        // fixed place on the page instead.
        s.ChartCenterX = 8000;
        s.ChartCenterY = static_cast<float>(0.55 * screenH);

        DrawBoxChain(s, Drawing());
        DrawChartFigure(s, Drawing());
        DrawElementRow(s, Drawing());

        PlaceLabelsAndButton(s, screenW, screenH, context);
        FitToScreen(0.95);
    }

private:
    void PaintBackground() {
        Surface& g = Drawing();
        SetPageColour(OpeningBackgroundColour(10000));
        for (int y = 1; y <= 10000; ++y) {
            g.SetColour(OpeningBackgroundColour(y));
            g.Line(0, y, 14000, y);
        }
    }

    // Point sizes meant for the real screen can outgrow the page on a small
    // or very wide screen; such a text is shrunk to fit its label.
    void SetFittingFont(QLabel* label, double points, bool bold = false) {
        SetControlFont(label, points, bold);
        const LogicalRect r = ControlRect(label);
        const QFontMetrics m = label->fontMetrics();
        double shrink = 1;
        if (r.width > 0)
            shrink = std::min(shrink, r.width * Scale() / m.horizontalAdvance(label->text()));
        if (r.height > 0) shrink = std::min(shrink, r.height * Scale() / m.height());
        if (shrink < 1) SetControlFont(label, points * shrink * 0.98, bold);
    }

    void PlaceLabelsAndButton(const SessionState& s, double screenW, double screenH,
                              PageContext& context) {
        // Point sizes below are meant for the real screen; the page shows
        // each real twip as 1 / scale logical units.
        const double scale = OpeningScreenScale(screenW, screenH);
        auto widthPt = [&](double factor) { return factor * screenW / scale; };

        // The title may take the room down to the subtitle.
        const double titleTop = std::min(0.04 * screenW / scale, 1000.0);
        QLabel* title = AddLabel("lblTitle", "Quendavore", {15, titleTop, 11880, 2500 - titleTop});
        SetFittingFont(title, 72 / scale, true);
        SetTextColour(title, kTitleText);

        QLabel* title2 = AddLabel("lblTitle2", "A program to do some Smith operations",
                                  {15, 2500, 11880, 480});
        SetFittingFont(title2, widthPt(0.0012));
        SetTextColour(title2, kTitleText);

        // The version line closes the credits at the foot of the page; just
        // under the subtitle it would run into it.
        QLabel* version = AddLabel(
            "lblVersion",
            QString::fromStdString("Version " + s.VersionText +
                                   " from Quendavore:   Impedance matching on the Smith chart"),
            {15, 8000, 12000, 390});
        SetFittingFont(version, widthPt(0.001));
        SetTextColour(version, kCreditText);

        // Beside the button, not under it.
        QLabel* notice = AddLabel("lblNotice", "Press Start to design a matching network.",
                                  {2100, 6600, 0, 0});
        SetControlFont(notice, widthPt(0.0008));
        SetTextColour(notice, kCreditText);

        QPushButton* start =
            AddButton("cmdStart", "Start", {500, 6550, 1335, 330}, "Start the program");
        SetControlFont(start, 0.001 * screenH / scale);
        Navigator& nav = context.navigator;
        connect(start, &QPushButton::clicked, this, [&nav] { nav.Show(PageId::Design); });

        QLabel* credit1 = AddLabel("lblCredit1", "Free to use, copy and change.",
                                   {15, 7400, 11880, 390});
        SetFittingFont(credit1, widthPt(0.0008));
        SetTextColour(credit1, kCreditText);

        QLabel* credit2 = AddLabel("lblCredit2", "No warranty of any kind.", {15, 7700, 11880, 390});
        SetFittingFont(credit2, widthPt(0.0008));
        SetTextColour(credit2, kCreditText);
    }
};

}  // namespace

std::unique_ptr<PageWindow> MakeOpeningPage(PageContext& context) {
    return std::make_unique<OpeningPage>(context);
}

}  // namespace qv
