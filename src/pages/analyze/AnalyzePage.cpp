#include "pages/analyze/AnalyzePage.h"

#include <QFileInfo>
#include <QGroupBox>
#include <QKeyEvent>
#include <QWheelEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>
#include <cmath>
#include <limits>

#include "chart/ChartGrids.h"
#include "chart/ElementArcs.h"
#include "chart/Overlays.h"
#include "chart/SweepTrace.h"
#include "numbers/Format.h"
#include "numbers/Parse.h"
#include "pages/analyze/Tuning.h"
#include "platform/PictureFile.h"
#include "platform/Printing.h"
#include "print/ChartPrintout.h"
#include "schematic/NetworkPanel.h"

namespace qv {
namespace {

constexpr double kPageWidth = kChartPageWidth;
constexpr double kPageHeight = kChartPageHeight;
// The panel wipes its band only above the chart's area.
static_assert(kPanelBottom <= kChartAreaTop);
constexpr double kRowHeight = 330;
constexpr double kStepWidth = 360;
constexpr std::array<double, 4> kStepLefts = {500, 860, 1220, 1580};
constexpr std::array<const char*, 4> kStepCaptions = {"<<", "<", ">", ">>"};
constexpr std::array<double, 4> kStepSizes = {0.1, 0.01, 0.01, 0.1};  // k of each button
constexpr std::array<bool, 4> kStepUp = {false, false, true, true};

// Tool tips of the step buttons, normal then fine, in button order.
constexpr std::array<const char*, 4> kTuneTipsNormal = {"Down 10%", "Down 1%", "Up 1%", "Up 10%"};
constexpr std::array<const char*, 4> kTuneTipsFine = {"Down .1%", "Down .01%", "Up .01%",
                                                      "Up .1%"};
constexpr std::array<const char*, 4> kFreqTipsNormal = {
    "Move test frequency down 10%", "Move test frequency down 1%", "Move test frequency up 1%",
    "Move test frequency up 10%"};
constexpr std::array<const char*, 4> kFreqTipsFine = {
    "Move test frequency down .1%", "Move test frequency down .01%",
    "Move test frequency up .01%", "Move test frequency up .1%"};

constexpr float kNormalTuneSize = 1.0f;
constexpr float kFineTuneSize = 0.01f;
constexpr double kMinTestFrequency = 10000;
// Right of the left column of controls: where the wheel tunes.
constexpr double kChartSideLeft = 4400;

QString Q(const std::string& s) { return QString::fromStdString(s); }

// Page positions go to the chart layer as 32-bit floats. A pointer dragged
// far off the window is still a finite number; anything else (never expected
// from Qt) is treated as the page origin rather than handed on.
float PageFloat(double v) { return std::isfinite(v) ? static_cast<float>(v) : 0.0f; }

// A reference value for arithmetic steps is kept in single precision. Values
// read from a file need not fit one; converting those would be undefined.
float RefOf(double v) {
    if (std::isnan(v)) return 0.0f;
    constexpr double kMax = std::numeric_limits<float>::max();
    return static_cast<float>(std::clamp(v, -kMax, kMax));
}

// An overlay's On/off button: its colour and a pressed look while the
// overlay is on, so that on and off can be told apart at a glance.
void ShowSwitch(QPushButton* button, Colour colour) {
    SetBackgroundColour(button, colour);
    button->setChecked(colour == kSwitchOnColour);
}

}  // namespace

FontSpec AnalyzePage::PageFont() {
    FontSpec f;
    f.sizePt = kAnalyzeFontPt;
    return f;
}

AnalyzePage::AnalyzePage(PageContext& context)
    : PageWindow(kPageWidth, kPageHeight), context_(context), s_(context.state) {
    SetDefaultFontSize(kAnalyzeFontPt);
    hooks_.networkPanel = [this](Surface& surf) { DrawNetworkPanel(s_, surf, PanelFont()); };
    hooks_.tabulateEnabled = [this](bool enabled) { cmdTabulate_->setEnabled(enabled); };

    top_ = BuildTuneRow(3, 1800);
    bottom_ = BuildTuneRow(4, 2850);
    BuildFrequencyControls();
    BuildChartControls();
    BuildSetupAndSweepControls();
    BuildReadout();
    // Return in a box does what the box's Enter button does.
    connect(top_.box, &QLineEdit::returnPressed, this, [this] { EnterTop(); });
    connect(bottom_.box, &QLineEdit::returnPressed, this, [this] { EnterBottom(); });
    connect(txtFreq_, &QLineEdit::returnPressed, this, [this] { EnterFrequency(); });
    OrderTabsVisually();
    AddUndoShortcuts(this, context_.undo);
    connect(&context_.undo, &UndoHistory::Restored, this, [this] { ShowRestored(); });
    FitToScreen();
    Open();
}

// ---- Building the controls ---------------------------------------------------

AnalyzePage::TuneRow AnalyzePage::BuildTuneRow(int digit, double top) {
    const bool isTop = digit == 3;
    const QString n = QString::number(isTop ? 1 : 2);
    TuneRow row;
    row.box = AddTextBox("txtZ" + n, {500, top, 1440, kRowHeight});
    row.enter = AddButton("cmdZ" + n, "Enter", {1940, top, 1200, kRowHeight},
                          "Click to enter a new value");
    connect(row.enter, &QPushButton::clicked, this,
            [this, isTop] { isTop ? EnterTop() : EnterBottom(); });
    const std::array<QString, 4> names = {"down10", "down1", "up1", "up10"};
    for (int i = 0; i < 4; ++i) {
        row.steps[i] = AddButton(QString("cmd%1%2").arg(digit).arg(names[i]), kStepCaptions[i],
                                 {kStepLefts[i], top + 300, kStepWidth, kRowHeight},
                                 kTuneTipsNormal[i]);
        connect(row.steps[i], &QPushButton::clicked, this,
                [this, isTop, i] { StepRow(isTop, kStepSizes[i], kStepUp[i], s_.TuneSize); });
    }
    const QString side = isTop ? "Top" : "Bottom";
    row.frame = AddFrame("fra" + side, "", {500, top + 630, 3800, 360});
    row.geometric = AddOption("opt" + side + "Geometric", "Geometric", {120, 45, 1600, 270}, row.frame);
    row.arithmetic =
        AddOption("opt" + side + "Arithmetic", "Arithmetic", {1900, 45, 1800, 270}, row.frame);
    row.geometric->setChecked(true);
    connect(row.geometric, &QRadioButton::clicked, this,
            [this, isTop] { isTop ? ChooseTopMode(false) : ChooseBottomMode(false); });
    connect(row.arithmetic, &QRadioButton::clicked, this,
            [this, isTop] { isTop ? ChooseTopMode(true) : ChooseBottomMode(true); });
    return row;
}

void AnalyzePage::BuildFrequencyControls() {
    txtFreq_ = AddTextBox("txtFreq", {500, 4050, 1440, kRowHeight});
    auto* enter = AddButton("cmdFreq", "Freq enter", {1940, 4050, 1200, kRowHeight},
                            "Enter the test frequency");
    connect(enter, &QPushButton::clicked, this, [this] { EnterFrequency(); });
    const std::array<QString, 4> names = {"cmdFreqDown10", "cmdFreqDown1", "cmdFreqUp1",
                                          "cmdFreqUp10"};
    for (int i = 0; i < 4; ++i) {
        freqSteps_[i] = AddButton(names[i], kStepCaptions[i],
                                  {kStepLefts[i], 4350, kStepWidth, kRowHeight}, kFreqTipsNormal[i]);
        connect(freqSteps_[i], &QPushButton::clicked, this,
                [this, i] { StepFrequency(kStepSizes[i], kStepUp[i], s_.TuneSize); });
    }
    AddLabel("lblTuneSize", " Tune step size:", {500, 4830, 3900, 450});
    auto* frame = AddFrame("fraTuneSize", "", {500, 5100, 3800, 300});
    optNormal_ = AddOption("optTuneSizeNormal", "1% / 10%", {120, 15, 1500, 270}, frame);
    optNormal_->setToolTip("Tuning stepsizes are set to 1% (< and >) and 10% (<< and >>)");
    optFine_ = AddOption("optTuneSizeFine", ".01% / .1%", {1800, 15, 1800, 270}, frame);
    optFine_->setToolTip("Tuning stepsizes are set to .01% (< and >) and .1% (<< and >>) ");
    optNormal_->setChecked(true);
    connect(optNormal_, &QRadioButton::clicked, this, [this] { ChooseTuneSize(false); });
    connect(optFine_, &QRadioButton::clicked, this, [this] { ChooseTuneSize(true); });
}

void AnalyzePage::BuildChartControls() {
    cmdArcs_ = AddButton("cmdArcs", "Arcs on/off", {1950, 5500, 1335, kRowHeight},
                         "Turn off the arcs");
    connect(cmdArcs_, &QPushButton::clicked, this, [this] {
        SetBackgroundColour(cmdArcs_, SwitchColour(ToggleArcs(s_)));
        Redraw();
    });
    cmdQon_ = AddButton("cmdQon", "On/off", {3270, 5850, 820, kRowHeight},
                        "Toggle Q arcs on / off");
    cmdQon_->setCheckable(true);
    connect(cmdQon_, &QPushButton::clicked, this, [this] {
        ShowSwitch(cmdQon_, SwitchColour(ToggleQArcs(s_)));
        Redraw();
    });
    cmdVswrOn_ = AddButton("cmdVSWRon", "On/off", {3270, 6200, 820, kRowHeight},
                           "Toggle VSWR circle on / off");
    cmdVswrOn_->setCheckable(true);
    connect(cmdVswrOn_, &QPushButton::clicked, this, [this] {
        ShowSwitch(cmdVswrOn_, SwitchColour(ToggleVswrCircle(s_)));
        Redraw();
    });
    cmdIn_ = AddButton("cmdIn", "Zoom in", {500, 5850, 1335, kRowHeight}, "Zoom in on the chart");
    connect(cmdIn_, &QPushButton::clicked, this, [this] {
        ZoomIn(s_, chart_);
        ApplyZoomButtons();
        Redraw();
    });
    cmdOut_ = AddButton("cmdOut", "Zoom out", {500, 6200, 1335, kRowHeight},
                        "Zoom out on the chart");
    connect(cmdOut_, &QPushButton::clicked, this, [this] {
        ZoomOut(s_, chart_);
        ApplyZoomButtons();
        Redraw();
    });
    auto* reset = AddButton("cmdReset", "Reset", {500, 6550, 1335, kRowHeight},
                            "Reset the chart position and size");
    connect(reset, &QPushButton::clicked, this, [this] {
        ResetView(s_, chart_);
        ApplyZoomButtons();
        Redraw();
    });
    auto* grid = AddButton("cmdDisplay", "Grid type", {500, 6900, 1335, kRowHeight},
                           "Step through the various grid types");
    connect(grid, &QPushButton::clicked, this, [this] {
        s_.GridType = NextGridType(s_.GridType);
        Redraw();
    });
    // The row between the chart buttons and the hints is free.
    auto* design = AddButton("cmdDesign", "Design", {500, 7250, 1335, kRowHeight},
                             "Go to the Design page");
    connect(design, &QPushButton::clicked, this,
            [this] { context_.navigator.Show(PageId::Design); });
    auto* exit = AddButton("cmdExit", "Exit", {1950, 7250, 1335, kRowHeight},
                           "Exit/quit the program");
    connect(exit, &QPushButton::clicked, this,
            [this] { context_.navigator.ShowModal(PageId::Exit); });
}

void AnalyzePage::BuildSetupAndSweepControls() {
    auto* qSetup = AddButton("cmdQsetup", "Q setup", {1940, 5850, 1335, kRowHeight},
                             "Enter data to set Q arc size");
    connect(qSetup, &QPushButton::clicked, this,
            [this] { OpenOverlaySetup(PageId::QSetup, s_.QArcsOn, cmdQon_); });
    auto* vswrSetup = AddButton("cmdVSWRsetup", "VSWR setup", {1940, 6200, 1335, kRowHeight},
                                "Enter data to set VSWR circle size");
    connect(vswrSetup, &QPushButton::clicked, this,
            [this] { OpenOverlaySetup(PageId::VswrSetup, s_.VswrCircleOn, cmdVswrOn_); });

    auto* sweepSetup = AddButton("cmdSweepSetup", "Sweep setup", {1940, 6550, 1335, kRowHeight},
                                 "Enter data to do a frequency sweep");
    connect(sweepSetup, &QPushButton::clicked, this, [this] {
        context_.navigator.ShowModal(PageId::SweepSetup);
        ShowSwitch(cmdSweep_, SwitchColour(s_.SweepOn == 1));
        Redraw();
    });
    cmdSweep_ = AddButton("cmdSweep", "On/off", {3270, 6550, 820, kRowHeight},
                          "Do the frequency sweep");
    cmdSweep_->setCheckable(true);
    connect(cmdSweep_, &QPushButton::clicked, this, [this] { ToggleSweepButton(); });
    cmdTabulate_ = AddButton("cmdTabulate", "Tabulate", {1940, 6900, 1335, kRowHeight},
                             "Send frequency sweep data to Tabulate page");
    connect(cmdTabulate_, &QPushButton::clicked, this,
            [this] { context_.navigator.ShowModal(PageId::Tabulate); });
    // The free place in the right column, beside Tabulate.
    auto* print = AddButton("cmdPrint", "Print", {3270, 6900, 820, kRowHeight},
                            "Send chart and network to printer");
    connect(print, &QPushButton::clicked, this, [this] { Print(); });
    // Left of "Arcs on/off", above the zoom buttons.
    auto* optimise = AddButton("cmdOptimise", "Optimise", {500, 5500, 1335, kRowHeight},
                               "Tune the chosen parts for the best match across the sweep band");
    connect(optimise, &QPushButton::clicked, this, [this] {
        {
            UndoStep step(context_.undo, s_, "Optimise");
            context_.navigator.ShowModal(PageId::Optimise);
        }
        // The dialog may have changed the values the tuning rows show.
        if (IsTunablePart(s_.TuneStage)) WriteTuningTexts();
        Redraw();
    });
    // Right of the frequency steps: the band against frequency, and the
    // chart as a file.
    auto* plot = AddButton("cmdPlot", "Plot", {1940, 4350, 1150, kRowHeight},
                           "Plot return loss and VSWR against frequency beside the chart");
    connect(plot, &QPushButton::clicked, this,
            [this] { context_.navigator.ShowBeside(PageId::Plot); });
    auto* picture = AddButton("cmdSavePicture", "Save picture", {3090, 4350, 1200, kRowHeight},
                              "Save the chart and network as a PNG, SVG or PDF file");
    connect(picture, &QPushButton::clicked, this, [this] {
        const QString base = QFileInfo(Q(s_.CurrentFileName)).completeBaseName();
        // What the window shows: the kept backdrop, then what lies over it.
        std::vector<DrawOp> ops = KeptRecording().Ops();
        ops.insert(ops.end(), Recording().Ops().begin(), Recording().Ops().end());
        SavePicture(context_.host, ops, LogicalWidth(), LogicalHeight(),
                    (base.isEmpty() ? QString("chart") : base).toStdString() + ".png");
    });
}

void AnalyzePage::BuildReadout() {
    for (std::size_t i = 0; i < kReadoutColumns.size(); ++i) {
        const ReadoutColumn& c = kReadoutColumns[i];
        QLabel* caption = AddLabel(c.captionName, c.caption,
                                   {double(c.left), kReadoutCaptionTop, double(c.width),
                                    kReadoutLabelHeight});
        SetBackgroundColour(caption, kReadoutCaptionBack);
        QLabel* value = AddLabel(c.valueName, "", {double(c.left), kReadoutValueTop,
                                                   double(c.width), kReadoutLabelHeight});
        SetBackgroundColour(value, kWhite);
        readoutLabels_[i] = caption;
        readoutLabels_[i + kReadoutColumns.size()] = value;
    }
    for (const HintLabel& h : kHintLabels)
        AddLabel(h.name, h.text, {double(h.left), double(h.top), 3300, 330});
}

// ---- Opening -------------------------------------------------------------------

void AnalyzePage::Open() {
    setWindowTitle(Q("Quendavore " + s_.VersionText + " - Analysis  " + s_.CurrentFileName));

    const SwitchColours colours = OpenChartView(s_, chart_);
    Drawing().SetLineWidth(1);
    ShowSwitch(cmdQon_, colours.qArcs);
    ShowSwitch(cmdVswrOn_, colours.vswr);
    SetBackgroundColour(cmdArcs_, colours.arcs);
    ShowSwitch(cmdSweep_, colours.sweep);
    ApplyZoomButtons();
    SetReadoutVisible(false);
    // The trace enables Tabulate while it runs. Opened with the sweep off, the
    // result arrays hold no sweep of this showing, so there is nothing to
    // tabulate; switched off later, they keep the last sweep and Tabulate
    // keeps its state.
    if (s_.SweepOn != 1) cmdTabulate_->setEnabled(false);

    s_.TuneStage = kNothingPicked;
    ShowRow(top_, false, true);
    ShowRow(bottom_, false, true);

    txtFreq_->setText(Q(FormatGeneral(s_.TestFrequency)));
    if (s_.TuneSize == 0) s_.TuneSize = kNormalTuneSize;
    const bool fine = s_.TuneSize != kNormalTuneSize;
    (fine ? optFine_ : optNormal_)->setChecked(true);
    ChooseTuneSize(fine);

    Redraw();
}

void AnalyzePage::Redraw() {
    Surface& d = Drawing();
    // Drawn once beforehand so that the panel's wipe inside the redraw spans
    // the network as it is now, not as it was at the last redraw.
    DrawNetworkPanel(s_, d, PanelFont());
    d.SetFont(PageFont());
    // The backdrop (grids, frame, caption) is kept as a picture while the
    // view, grid type and system impedance stay; a tuning step draws only
    // what lies over it.
    ForgetDrawing();
    const ChartBackdrop backdrop = SetGridColours(s_);
    if (!backdrop_ || !(*backdrop_ == backdrop)) {
        Surface& kept = KeptDrawing();
        kept.Clear();
        kept.SetFont(PageFont());
        DrawChartBackdrop(s_, kept);
        backdrop_ = backdrop;
    }
    DrawChartForeground(s_, d, hooks_);
    // A plot beside the page follows every change, so the band can be
    // watched while tuning.
    context_.navigator.SessionChanged();
}

// ---- Set-up dialogs, sweep and printing -----------------------------------------

void AnalyzePage::OpenOverlaySetup(PageId dialog, std::int16_t& overlaySwitch,
                                   QPushButton* onButton) {
    context_.navigator.ShowModal(dialog);
    // Whoever sets a size wants to see it, whatever the switch was before.
    overlaySwitch = 1;
    ShowSwitch(onButton, SwitchColour(true));
    Redraw();
}

void AnalyzePage::ToggleSweepButton() {
    // Switching on a sweep that has never been set up would draw nothing;
    // asking for its limits instead is what the user is after.
    if (s_.SweepOn != 1 && !SweepReady(s_))
        context_.navigator.ShowModal(PageId::SweepSetup);
    else
        ToggleSweep(s_);
    ShowSwitch(cmdSweep_, SwitchColour(s_.SweepOn == 1));
    Redraw();
}

void AnalyzePage::Print() {
    HostPrintHost printHost(context_.host, this);
    PrintChartAndNetwork(s_, printHost);
    // The printout recomputes the sweep arrays and leaves the calculation's
    // working fields as its own chart needed them; the screen is drawn again
    // from the state it left so that the two never disagree.
    Redraw();
}

std::unique_ptr<PageWindow> MakeAnalyzePage(PageContext& context) {
    return std::make_unique<AnalyzePage>(context);
}

// ---- Chart view and readout -------------------------------------------------

void AnalyzePage::ApplyZoomButtons() {
    cmdIn_->setEnabled(chart_.zoomInEnabled);
    cmdOut_->setEnabled(chart_.zoomOutEnabled);
}

void AnalyzePage::MousePressed(int button, double x, double y) {
    const float fx = PageFloat(x), fy = PageFloat(y);
    const MouseResult r = ChartMousePress(s_, chart_, button, fx, fy);
    if (r.pickPart) PickPart(fx);
    Apply(r);
}

void AnalyzePage::MouseMoved(int buttons, double x, double y) {
    Apply(ChartMouseMove(s_, chart_, buttons, PageFloat(x), PageFloat(y)));
}

void AnalyzePage::MouseReleased(int, double, double) { Apply(ChartMouseRelease()); }

void AnalyzePage::Apply(const MouseResult& r) {
    if (r.readout) ShowReadout(*r.readout);
    if (r.hideReadout) SetReadoutVisible(false);
    if (r.redraw) Redraw();
}

void AnalyzePage::ShowReadout(const Readout& r) {
    pointAngle_ = r.pointAngle;
    const std::size_t n = kReadoutColumns.size();
    for (std::size_t i = 0; i < n; ++i) readoutLabels_[n + i]->setText(Q(r.values[i]));
    SetReadoutVisible(r.visible);
}

void AnalyzePage::SetReadoutVisible(bool visible) {
    for (QLabel* l : readoutLabels_) l->setVisible(visible);
}

// ---- Component tuning ---------------------------------------------------------

void AnalyzePage::ShowRow(TuneRow& row, bool visible, bool withFrame) {
    row.box->setVisible(visible);
    row.enter->setVisible(visible);
    for (QPushButton* b : row.steps) b->setVisible(visible);
    if (withFrame) row.frame->setVisible(visible);
}

void AnalyzePage::WriteTuningTexts() {
    const TuningTexts t = TextsFor(s_, s_.TuneStage);
    top_.box->setText(Q(t.top));
    bottom_.box->setText(Q(t.bottom));
}

void AnalyzePage::PickPart(float x) {
    const std::optional<std::int16_t> part = PickedPart(s_, x);
    if (!part) return;
    s_.TuneStage = *part;
    const TuningTexts t = TextsFor(s_, *part);
    top_.box->setText(Q(t.top));
    top_.enter->setText(Q(t.topCaption));
    ShowRow(top_, true, true);
    const bool bottom = HasBottomRow(s_.ElementType[*part]);
    if (bottom) {
        bottom_.box->setText(Q(t.bottom));
        bottom_.enter->setText(Q(t.bottomCaption));
    }
    ShowRow(bottom_, bottom, true);
    Redraw();
}

void AnalyzePage::EnterTop() {
    const int st = s_.TuneStage;
    if (!IsTunablePart(st)) return;
    UndoStep step(context_.undo, s_, "Tune");
    std::string text = top_.box->text().toStdString();
    const double v = ParseValue(text);
    s_.Value[st][1] = v;
    if (st >= kFirstStage && v <= 0) {
        context_.host.ShowMessage("You have set the value for stage " + std::to_string(st) +
                                  " to zero or less;\r\nthe component has been removed");
        for (int slot = 2; slot <= 4; ++slot) s_.Value[st][slot] = 0;
        s_.ElementType[st] = EmptyStage;
        top_.box->clear();
        ShowRow(top_, false, false);
    } else if (st == 0 && v <= 0) {
        context_.host.ShowMessage(
            "You have set the real value for the antenna to zero or less;\r\na default value of "
            "50 ohms has been substituted for that value.");
        s_.Value[0][1] = 50;
        for (int slot = 2; slot <= 4; ++slot) s_.Value[0][slot] = 0;
        top_.box->clear();
        bottom_.box->clear();
        ShowRow(top_, false, false);
        ShowRow(bottom_, false, false);
    }
    WriteTuningTexts();
    Redraw();
}

void AnalyzePage::EnterBottom() {
    const int st = s_.TuneStage;
    if (!IsTunablePart(st)) return;
    UndoStep step(context_.undo, s_, "Tune");
    if (const int slot = BottomSlot(s_.ElementType[st]))
        s_.Value[st][slot] = ParseValueOf(bottom_.box->text().toStdString());
    WriteTuningTexts();
    Redraw();
}

void AnalyzePage::StepRow(bool top, double k, bool up, float tuneSize) {
    const int st = s_.TuneStage;
    if (!IsTunablePart(st)) return;
    const int slot = top ? 1 : BottomSlot(s_.ElementType[st]);
    if (slot == 0) return;
    UndoStep step(context_.undo, s_, "Tune");
    TuneRow& row = top ? top_ : bottom_;
    double& v = s_.Value[st][slot];
    const double held = v;
    v = ParseValueOf(row.box->text().toStdString());
    const double f = StepFraction(tuneSize, k, s_.ChartZoom);
    v = top ? Stepped(v, s_.TopMode[st], s_.TopRef[st], f, up)
            : Stepped(v, s_.BottomMode[st], s_.BottomRef[st], f, up);
    // A part may pass zero (it is marked), but the load's resistance stays
    // above it: no network file could carry the design otherwise.
    if (st == 0 && top && !(v > 0)) v = held > 0 ? held : 50;
    WriteTuningTexts();
    if (top)
        SetBackgroundColour(top_.box,
                            s_.Value[st][1] <= 0 ? kRejectedBoxColour : kAcceptedBoxColour);
    Redraw();
}

void AnalyzePage::ChooseTopMode(bool arithmetic) {
    const int st = s_.TuneStage;
    if (!IsTunablePart(st)) return;
    UndoStep step(context_.undo, s_, "Tune");
    s_.TopMode[st] = arithmetic ? 1 : 0;
    if (arithmetic) s_.Value[st][1] = ParseValueOf(top_.box->text().toStdString());
    s_.TopRef[st] = RefOf(s_.Value[st][1]);
}

void AnalyzePage::ChooseBottomMode(bool arithmetic) {
    const int st = s_.TuneStage;
    if (!IsTunablePart(st)) return;
    UndoStep step(context_.undo, s_, "Tune");
    s_.BottomMode[st] = arithmetic ? 1 : 0;
    const int slot = BottomSlot(s_.ElementType[st]);
    if (slot == 0) return;
    if (arithmetic) s_.Value[st][slot] = ParseValueOf(bottom_.box->text().toStdString());
    s_.BottomRef[st] = RefOf(s_.Value[st][slot]);
}

// ---- Test frequency and tune step size -----------------------------------------

void AnalyzePage::EnterFrequency() {
    UndoStep step(context_.undo, s_, "Test frequency");
    const double typed = ParseValueOf(txtFreq_->text().toStdString());
    txtFreq_->setText(Q(FormatGeneral(typed)));
    // A refused frequency stays in the box, marked, but never reaches the
    // design: saved, it would make a file that no reader takes back.
    if (typed < kMinTestFrequency) {
        SetBackgroundColour(txtFreq_, kRejectedBoxColour);
        context_.host.ShowMessage("Please enter a frequency above 10 kHz");
        return;
    }
    s_.TestFrequency = typed;
    SetBackgroundColour(txtFreq_, kAcceptedBoxColour);
    Redraw();
}

void AnalyzePage::StepFrequency(double k, bool up, float tuneSize) {
    UndoStep step(context_.undo, s_, "Test frequency");
    double f0 = ParseValueOf(txtFreq_->text().toStdString());
    // From a refused entry the steps go on from the design's frequency.
    if (f0 < kMinTestFrequency) f0 = s_.TestFrequency;
    const double f = StepFraction(tuneSize, k, s_.ChartZoom);
    s_.TestFrequency = std::max(kMinTestFrequency, up ? f0 * (1 + f) : f0 / (1 + f));
    txtFreq_->setText(Q(FormatGeneral(s_.TestFrequency)));
    SetBackgroundColour(txtFreq_, kAcceptedBoxColour);
    Redraw();
}

void AnalyzePage::ChooseTuneSize(bool fine) {
    SetBackgroundColour(optFine_, fine ? kFineChosenColour : kFineNotChosenColour);
    s_.TuneSize = fine ? kFineTuneSize : kNormalTuneSize;
    const auto& tuneTips = fine ? kTuneTipsFine : kTuneTipsNormal;
    const auto& freqTips = fine ? kFreqTipsFine : kFreqTipsNormal;
    for (int i = 0; i < 4; ++i) {
        top_.steps[i]->setToolTip(tuneTips[i]);
        bottom_.steps[i]->setToolTip(tuneTips[i]);
        freqSteps_[i]->setToolTip(freqTips[i]);
    }
}

}  // namespace qv

namespace qv {

// ---- Undo, wheel and keys ---------------------------------------------------

void AnalyzePage::ShowRestored() {
    txtFreq_->setText(Q(FormatGeneral(s_.TestFrequency)));
    SetBackgroundColour(txtFreq_, kAcceptedBoxColour);
    const int st = s_.TuneStage;
    // The part picked may have been emptied by the undo.
    const bool picked = IsTunablePart(st) && (st == 0 || (s_.ElementType[st] >= SeriesCapacitor &&
                                                          s_.ElementType[st] <= ShuntResistor));
    if (picked) {
        const TuningTexts t = TextsFor(s_, st);
        top_.enter->setText(Q(t.topCaption));
        bottom_.enter->setText(Q(t.bottomCaption));
        WriteTuningTexts();
        SetBackgroundColour(top_.box, kAcceptedBoxColour);
    } else {
        s_.TuneStage = kNothingPicked;
    }
    ShowRow(top_, picked, true);
    ShowRow(bottom_, picked && HasBottomRow(s_.ElementType[st]), true);
    Redraw();
}

void AnalyzePage::TuneBy(int steps, double k, float tuneSize) {
    for (int n = 0; n < std::abs(steps); ++n) {
        if (IsTunablePart(s_.TuneStage))
            StepRow(true, k, steps > 0, tuneSize);
        else
            StepFrequency(k, steps > 0, tuneSize);
    }
}

void AnalyzePage::wheelEvent(QWheelEvent* event) {
    // The chart's side of the page; the left column keeps its controls.
    if (ToLogical(event->position()).x() < kChartSideLeft) return PageWindow::wheelEvent(event);
    const bool fine = event->modifiers() & Qt::ShiftModifier;
    // Some systems turn a wheel with Shift held into a sideways one.
    const QPoint d = event->angleDelta();
    wheelAngle_ += d.y() != 0 ? d.y() : d.x();
    const int notches = wheelAngle_ / 120;
    wheelAngle_ -= notches * 120;
    TuneBy(notches, kStepSizes[2], fine ? kFineTuneSize : s_.TuneSize);
    event->accept();
}

void AnalyzePage::keyPressEvent(QKeyEvent* event) {
    const bool fine = event->modifiers() & Qt::ShiftModifier;
    const float size = fine ? kFineTuneSize : s_.TuneSize;
    switch (event->key()) {
        case Qt::Key_Plus: case Qt::Key_Equal: return TuneBy(1, kStepSizes[2], size);
        case Qt::Key_Minus: case Qt::Key_Underscore: return TuneBy(-1, kStepSizes[2], size);
        case Qt::Key_PageUp: return TuneBy(1, kStepSizes[3], size);
        case Qt::Key_PageDown: return TuneBy(-1, kStepSizes[3], size);
        default: PageWindow::keyPressEvent(event);
    }
}

}  // namespace qv
