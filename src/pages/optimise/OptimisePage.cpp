#include "pages/optimise/OptimisePage.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>

#include "calc/StandardValues.h"
#include "numbers/Format.h"

namespace qv {
namespace {

constexpr double kRow = 330;
constexpr double kLeft = 240;
constexpr double kWide = 6100;
constexpr double kFontPt = 9;
// The series offered for snapping, coarse to fine; E24 is the usual stock.
const char* const kSeries[] = {"E12", "E24", "E48", "E96"};
constexpr int kDefaultSeries = 1;

QString Q(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

std::string StageDescription(const SessionState& s, int stage) {
    const int code = s.ElementType[stage];
    const auto& v = s.Value[stage];
    std::string text = "Stage " + std::to_string(stage) + ": ";
    switch (code) {
    case SeriesCapacitor:
    case ShuntCapacitor: return text + ElementMessageWords(code) + " " + TrimBlanks(FormatCapacitance(v[1]));
    case SeriesInductor:
    case ShuntInductor: return text + ElementMessageWords(code) + " " + TrimBlanks(FormatInductance(v[1]));
    case ShuntLCPair:
    case SeriesLCPair:
        return text + (code == ShuntLCPair ? "shunt L-C pair " : "series L-C pair ") +
               TrimBlanks(FormatInductance(v[1])) + ", " + TrimBlanks(FormatCapacitance(v[3]));
    case SeriesResistor:
    case ShuntResistor: return text + ElementMessageWords(code) + " (not tuned)";
    default:
        if (code >= TransmissionLine && code <= ShuntOpenStub)
            return text + ElementMessageWords(code) + " " + TrimBlanks(FormatResistance(v[1])) + " deg";
        return text + "(empty)";
    }
}

std::string BandDescription(const SessionState& s) {
    const int n = BandPoints(s);
    if (n == 0) return "No band is set: choose one with \"Sweep setup\" first.";
    if (s.LoadMode == LoadTable)
        return "Band: the load table's " + std::to_string(n) + " rows, " +
               TrimBlanks(FormatGeneral(s.LoadFreq[1])) + "Hz to " + TrimBlanks(FormatGeneral(s.LoadFreq[n])) + "Hz";
    if (n == 1) return "Band: " + TrimBlanks(FormatGeneral(s.SweepStart)) + "Hz only";
    return "Band: " + TrimBlanks(FormatGeneral(s.SweepStart)) + "Hz to " + TrimBlanks(FormatGeneral(s.SweepStop)) +
           "Hz, " + std::to_string(n) + " points";
}

OptimisePage::OptimisePage(PageContext& context)
    : PageWindow(6600, 5500), context_(context), s_(context.state) {
    setWindowTitle("Optimise");
    SetDefaultFontSize(kFontPt);
    SetControlFont(AddLabel("Label1", "Tune the chosen parts for the best match across the band",
                            {kLeft, 150, 0, 0}),
                   kFontPt, true);
    AddLabel("lblBand", Q(BandDescription(s_)), {kLeft, 500, kWide, 280});
    hasBand_ = BandPoints(s_) > 0;

    AddLabel("lblParts", "Parts to tune:", {kLeft, 880, 0, 0});
    for (int stage = kFirstStage; stage <= kLastStage; ++stage) {
        auto* box = new QCheckBox(Q(StageDescription(s_, stage)), this);
        box->setObjectName(QString("chkStage%1").arg(stage));
        PlaceControl(box, {kLeft + 240, 1160 + 300.0 * (stage - 1), kWide - 240, 280});
        const bool tunable = !TunedValuesOf(s_, stage).empty();
        box->setEnabled(tunable);
        box->setChecked(tunable);
        connect(box, &QCheckBox::toggled, this, [this] { EnableControls(); });
        parts_[stage] = box;
    }

    auto* goal = AddFrame("fraGoal", "", {kLeft, 2750, kWide, 380});
    optVswr_ = AddOption("optGoalVswr", "Lowest worst VSWR", {120, 50, 2800, 280}, goal);
    optReturnLoss_ = AddOption("optGoalRl", "Highest worst return loss", {3000, 50, 3000, 280}, goal);
    optVswr_->setChecked(true);
    connect(optReturnLoss_, &QRadioButton::toggled, this, [this] {
        if (pending_) ShowResult({});
    });

    cmdOptimise_ = AddButton("cmdOptimise", "Optimise", {kLeft, 3300, 1335, kRow},
                             "Search the ticked parts' values for the best worst case over the band");
    cmdStop_ = AddButton("cmdStop", "Stop", {1700, 3300, 900, kRow}, "Stop the search, keeping the best so far");
    progress_ = new QProgressBar(this);
    progress_->setObjectName("prgSearch");
    progress_->setRange(0, 100);
    progress_->setValue(0);
    progress_->setTextVisible(false);
    PlaceControl(progress_, {2750, 3340, 3590, 250});
    lblProgress_ = AddLabel("lblProgress", "", {kLeft, 3720, kWide, 280});
    lblResult_ = AddLabel("lblResult", "", {kLeft, 4000, kWide, 280});
    SetControlFont(lblResult_, kFontPt, true);

    cboSeries_ = new QComboBox(this);
    cboSeries_->setObjectName("cboSeries");
    for (const char* name : kSeries) cboSeries_->addItem(name);
    cboSeries_->setCurrentIndex(kDefaultSeries);
    cboSeries_->setToolTip("The standard series to snap capacitances and inductances to");
    PlaceControl(cboSeries_, {kLeft, 4400, 1000, kRow});
    cmdSnap_ = AddButton("cmdSnap", "Snap", {1340, 4400, 900, kRow},
                         "Put the ticked capacitors and inductors on standard values");
    lblSnap_ = AddLabel("lblSnap", "", {2350, 4440, 4000, 280});

    cmdKeep_ = AddButton("cmdKeep", "Keep", {1940, 4950, 1335, kRow}, "Keep the new values");
    cmdUndo_ = AddButton("cmdUndo", "Undo", {3380, 4950, 1335, kRow},
                         "Put the values back as they were");
    auto* close = AddButton("cmdClose", "Close", {4820, 4950, 1335, kRow},
                            "Close; values not kept go back as they were");

    connect(cmdOptimise_, &QPushButton::clicked, this, [this] { RunOptimiser(); });
    connect(cmdStop_, &QPushButton::clicked, this, [this] { Stop(); });
    connect(cmdSnap_, &QPushButton::clicked, this, [this] { Snap(); });
    connect(cmdKeep_, &QPushButton::clicked, this, [this] { Keep(); });
    connect(cmdUndo_, &QPushButton::clicked, this, [this] { Undo(); });
    connect(close, &QPushButton::clicked, this, [this] {
        if (pending_) Undo();
        Done(0);
    });
    EnableControls();
}

OptimisePage::~OptimisePage() {
    // However the dialog went away, values that were not kept go back.
    if (pending_ && !kept_) ApplyTunedValues(s_, all_, before_);
}

std::vector<TunedValue> OptimisePage::Ticked() const {
    std::vector<TunedValue> out;
    for (int stage = kFirstStage; stage <= kLastStage; ++stage) {
        if (!parts_[stage]->isChecked() || !parts_[stage]->isEnabled()) continue;
        for (const TunedValue& v : TunedValuesOf(s_, stage)) out.push_back(v);
    }
    return out;
}

OptimiseGoal OptimisePage::Goal() const {
    return optReturnLoss_->isChecked() ? OptimiseGoal::ReturnLoss : OptimiseGoal::Vswr;
}

QString OptimisePage::Figure(double vswr) const {
    if (Goal() == OptimiseGoal::ReturnLoss)
        return QString::number(GoalFigure(OptimiseGoal::ReturnLoss, vswr), 'f', 2) + " dB";
    return QString::number(vswr, 'f', 3);
}

void OptimisePage::BeginChange() {
    if (pending_) return;
    all_.clear();
    before_.clear();
    for (int stage : TunableStages(s_))
        for (const TunedValue& v : TunedValuesOf(s_, stage)) {
            all_.push_back(v);
            before_.push_back(s_.Value[v.stage][v.slot]);
        }
    worstBefore_ = WorstVswr(s_);
    snapshot_ = TakeSnapshot(s_);
    pending_ = true;
}

void OptimisePage::ShowResult(const QString& extra) {
    const QString what = Goal() == OptimiseGoal::ReturnLoss ? "Worst return loss" : "Worst VSWR";
    lblResult_->setText(what + ": " + Figure(worstBefore_) + " before, " + Figure(WorstVswr(s_)) +
                        " now" + (extra.isEmpty() ? QString() : "  (" + extra + ")"));
    for (int stage = kFirstStage; stage <= kLastStage; ++stage)
        parts_[stage]->setText(Q(StageDescription(s_, stage)));
}

void OptimisePage::EnableControls() {
    const bool anyTicked = !Ticked().empty();
    cmdOptimise_->setEnabled(!running_ && hasBand_ && anyTicked);
    cmdSnap_->setEnabled(!running_ && hasBand_ && anyTicked);
    cboSeries_->setEnabled(!running_);
    cmdStop_->setEnabled(running_);
    cmdKeep_->setEnabled(!running_ && pending_);
    cmdUndo_->setEnabled(!running_ && pending_);
    for (int stage = kFirstStage; stage <= kLastStage; ++stage)
        parts_[stage]->setEnabled(!running_ && !TunedValuesOf(s_, stage).empty());
    optVswr_->setEnabled(!running_);
    optReturnLoss_->setEnabled(!running_);
}

void OptimisePage::RunOptimiser() {
    if (running_ || !hasBand_) return;
    OptimiseOptions o;
    o.values = Ticked();
    if (o.values.empty()) return;
    o.goal = Goal();
    cancel_ = false;
    o.cancel = &cancel_;
    // The search runs here, on the window's thread; every report lets the
    // window paint the progress and take a click on "Stop".
    o.progress = [this](const OptimiseProgress& p) {
        progress_->setValue(static_cast<int>(p.fraction * 100));
        lblProgress_->setText(QString("Searching: %1 evaluations, best so far %2")
                                  .arg(p.evaluations)
                                  .arg(Figure(p.bestWorstVswr)));
        context_.host.ProcessEvents();
    };
    BeginChange();
    running_ = true;
    lblSnap_->clear();
    EnableControls();
    const OptimiseResult r = Optimise(s_, o);
    running_ = false;
    ApplyTunedValues(s_, o.values, r.after);
    progress_->setValue(100);
    lblProgress_->setText(QString("%1 %2 evaluations in %3 s")
                              .arg(r.cancelled ? "Stopped after" : "Done:")
                              .arg(r.evaluations)
                              .arg(r.seconds, 0, 'f', 2));
    ShowResult({});
    EnableControls();
}

void OptimisePage::Stop() { cancel_ = true; }

void OptimisePage::Snap() {
    if (running_ || !hasBand_) return;
    const std::vector<TunedValue> tuned = Ticked();
    if (tuned.empty()) return;
    const auto series = SeriesNamed(cboSeries_->currentText().toStdString());
    if (!series) return;
    BeginChange();
    std::vector<double> values;
    for (const TunedValue& v : tuned) values.push_back(s_.Value[v.stage][v.slot]);
    const SnapResult snapped = SnapTunedValues(s_, tuned, values, *series);
    ApplyTunedValues(s_, tuned, snapped.values);
    lblSnap_->setText(cboSeries_->currentText() + ": worst " +
                      (Goal() == OptimiseGoal::ReturnLoss ? "return loss " : "VSWR ") +
                      Figure(snapped.worstVswr));
    ShowResult("snapped to " + cboSeries_->currentText());
    EnableControls();
}

void OptimisePage::Keep() {
    if (running_ || !pending_) return;
    kept_ = true;
    context_.undo.Push(s_, "Optimise", snapshot_);
    Done(1);
}

void OptimisePage::Undo() {
    if (running_ || !pending_) return;
    ApplyTunedValues(s_, all_, before_);
    pending_ = false;
    lblSnap_->clear();
    lblProgress_->clear();
    progress_->setValue(0);
    for (int stage = kFirstStage; stage <= kLastStage; ++stage)
        parts_[stage]->setText(Q(StageDescription(s_, stage)));
    lblResult_->setText("Undone: the values are as they were.");
    EnableControls();
}

void OptimisePage::closeEvent(QCloseEvent* event) {
    if (running_) {
        // The search is on this thread's stack: it is asked to stop, and the
        // window closes with the next click once it has.
        cancel_ = true;
        event->ignore();
        return;
    }
    if (pending_ && !kept_) Undo();
    PageWindow::closeEvent(event);
}

std::unique_ptr<PageWindow> MakeOptimisePage(PageContext& context) {
    return std::make_unique<OptimisePage>(context);
}

}  // namespace qv
