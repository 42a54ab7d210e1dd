#include "pages/match/MatchPage.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <charconv>

#include "calc/StandardValues.h"
#include "numbers/Format.h"
#include "numbers/Parse.h"

namespace qv {
namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

std::string Pad(std::string text, std::size_t width, bool right = false) {
    if (text.size() < width) text.insert(right ? 0 : text.size(), width - text.size(), ' ');
    return text + ' ';
}

std::string Hz(double f) { return TrimBlanks(FormatGeneral(f)) + "Hz"; }

std::string Fixed(double v, int decimals) {
    char text[32];
    const auto r = std::to_chars(text, text + sizeof text, v, std::chars_format::fixed, decimals);
    return std::string(text, r.ptr);
}

// An empty box is "not given" (0); text that reads as no number is too.
double BoxValue(QLineEdit* box) {
    std::string text = box->text().toStdString();
    return TrimBlanks(text).empty() ? 0 : ParseValue(text);
}

const char* const kTopologyCaptions[5] = {"L", "Pi", "T", "Stub", "All"};
const char* const kSeriesCaptions[5] = {"Exact", "E12", "E24", "E48", "E96"};

// One line of the list, the header included, in fixed-pitch columns.
std::string ListRow(const std::string& index, const std::string& type, const std::string& response,
                    const std::string& vswr, const std::string& standard, const std::string& band,
                    const std::string& width, const std::string& stages) {
    return Pad(index, 2, true) + " " + Pad(type, 4) + Pad(response, 9) + Pad(vswr, 7, true) +
           Pad(standard, 7, true) + " " + Pad(band, 23) + Pad(width, 7, true) + " " + stages;
}

}  // namespace

MatchPage::MatchPage(PageContext& context)
    : PageWindow(14000, 6700), context_(context), s_(context.state) {
    setWindowTitle("Match");
    SetDefaultFontSize(9);
    auto* load = AddLabel("lblLoad", "", {240, 150, 0, 0});
    SetControlFont(load, 9, true);

    auto* fraTopology = AddFrame("fraTopology", "Networks", {240, 550, 3300, 1250});
    for (int i = 0; i < 5; ++i)
        topology_[i] = AddOption(QString("optTopology") + kTopologyCaptions[i], kTopologyCaptions[i],
                                 {150 + 1050.0 * (i % 3), 330 + 420.0 * (i / 3), 1000, 330}, fraTopology);
    topology_[0]->setChecked(true);

    AddLabel("lblLoadedQ", "Loaded Q (Pi, T):", {3800, 620, 0, 0});
    txtLoadedQ_ = AddTextBox("txtLoadedQ", {5900, 580, 1100, 330});
    lblMinimumQ_ = AddLabel("lblMinimumQ", "", {7100, 620, 0, 0});
    AddLabel("lblQ", "Component Q:", {3800, 1020, 0, 0});
    txtQ_ = AddTextBox("txtQ", {5900, 980, 1100, 330});
    AddLabel("lblQNote", "empty: lossless", {7100, 1020, 0, 0});
    AddLabel("lblZ0", "Line Z0 (stubs):", {3800, 1420, 0, 0});
    txtZ0_ = AddTextBox("txtZ0", {5900, 1380, 1100, 330});
    AddLabel("lblZ0Note", "empty: the system impedance", {7100, 1420, 0, 0});

    auto* fraSeries = AddFrame("fraSeries", "Values of L and C", {240, 1900, 6000, 700});
    for (int i = 0; i < 5; ++i)
        series_[i] = AddOption(QString("optSeries") + kSeriesCaptions[i], kSeriesCaptions[i],
                               {150 + 1150.0 * i, 300, 1100, 330}, fraSeries);
    series_[0]->setChecked(true);

    auto* compute = AddButton("cmdCompute", "Compute", {11900, 580, 1800, 330},
                              "Compute the networks for these choices");
    list_ = AddListBox("lstSolutions", {240, 2750, 13520, 2800});
    lblNote_ = AddLabel("lblNote", "", {240, 5650, 0, 0});
    auto* use = AddButton("cmdUse", "Use", {7100, 6150, 1800, 330},
                          "Replace the network's stages with the chosen match");
    auto* useAnalyze = AddButton("cmdUseAnalyze", "Use and analyze", {9050, 6150, 2500, 330},
                                 "Replace the stages and show the chart");
    auto* cancel = AddButton("cmdCancel", "Cancel", {11700, 6150, 2000, 330}, "Leave the network as it is");
    compute->setDefault(true);

    connect(compute, &QPushButton::clicked, this, [this] { Compute(); });
    for (QLineEdit* box : {txtLoadedQ_, txtQ_, txtZ0_})
        connect(box, &QLineEdit::returnPressed, this, [this] { Compute(); });
    for (QRadioButton* option : topology_) connect(option, &QRadioButton::clicked, this, [this] { Compute(); });
    for (QRadioButton* option : series_) connect(option, &QRadioButton::clicked, this, [this] { Compute(); });
    connect(use, &QPushButton::clicked, this, [this] { Use(false); });
    connect(useAnalyze, &QPushButton::clicked, this, [this] { Use(true); });
    connect(list_, &QListWidget::itemDoubleClicked, this, [this] { Use(false); });
    connect(cancel, &QPushButton::clicked, this, [this] { Done(0); });

    Compute();
    const std::string x = set_.loadX < 0 ? " -j" + TrimBlanks(FormatResistance(-set_.loadX))
                                         : " +j" + TrimBlanks(FormatResistance(set_.loadX));
    load->setText(Q("Load " + TrimBlanks(FormatResistance(set_.loadR)) + x + " ohms at " + Hz(set_.frequency) +
                    (set_.loadRow > 0 ? " (load table row " + std::to_string(set_.loadRow) + ")" : "") +
                    ", matched to " + TrimBlanks(FormatImpedance(set_.systemZ)) + " ohms"));
}

MatchRequest MatchPage::Request() {
    MatchRequest r;
    const bool all = topology_[4]->isChecked();
    r.l = all || topology_[0]->isChecked();
    r.pi = all || topology_[1]->isChecked();
    r.t = all || topology_[2]->isChecked();
    r.stub = all || topology_[3]->isChecked();
    r.loadedQ = BoxValue(txtLoadedQ_);
    r.componentQ = BoxValue(txtQ_);
    r.lineZ0 = BoxValue(txtZ0_);
    for (int i = 1; i < 5; ++i)
        if (series_[i]->isChecked()) r.series = *SeriesNamed(kSeriesCaptions[i]);
    return r;
}

void MatchPage::Compute() {
    const MatchRequest request = Request();
    set_ = SynthesizeMatches(s_, request);

    std::vector<std::string> notes = set_.refusals;
    if ((request.pi || request.t) && request.loadedQ <= 0)
        notes.push_back("Give a loaded Q for Pi and T networks.");
    lblMinimumQ_->setText(Q("at least " + LoadedQText(set_.minimumPiQ) + " (Pi), " +
                            LoadedQText(set_.minimumTQ) + " (T)"));

    list_->clear();
    auto* header = new QListWidgetItem(
        Q(ListRow("#", "Type", "Response", "VSWR", request.series.empty() ? "" : "Std", "Band within VSWR 2",
                  "Width", "Stages, stage 1 at the load")),
        list_);
    header->setFlags(Qt::NoItemFlags);
    int index = 0;
    for (const MatchSolution& sol : set_.solutions) {
        const MatchNetwork& used = sol.snapped ? sol.standard : sol.exact;
        const std::string vswr = Fixed(sol.exact.vswr, 3);
        const std::string band = used.bandwidthHigh > 0 ? TrimBlanks(FormatGeneral(used.bandwidthLow)) + " - " +
                                                              Hz(used.bandwidthHigh)
                                                        : "none";
        const std::string row = ListRow(
            std::to_string(++index), kTopologyCaptions[static_cast<int>(sol.topology)], sol.response,
            sol.reachable ? vswr : "(" + vswr + ")", sol.snapped ? Fixed(sol.standard.vswr, 3) : "", band,
            used.bandwidthHigh > 0 ? Fixed(used.BandwidthPercent(set_.frequency), 1) + " %" : "",
            used.stages.empty() ? "none: the load is matched" : MatchStagesText(used.stages));
        list_->addItem(Q(row));
    }
    if (list_->count() > 1) list_->setCurrentRow(1);
    bool unreachable = false;
    for (const MatchSolution& sol : set_.solutions) unreachable = unreachable || !sol.reachable;
    if (unreachable)
        notes.push_back("A VSWR in brackets: with that component Q no values match (not reachable).");
    std::string text;
    for (const std::string& note : notes) text += (text.empty() ? "" : "  ") + note;
    lblNote_->setText(Q(text));
}

bool MatchPage::Use(bool analyze) {
    Host& host = context_.host;
    const int row = list_->currentRow() - 1;
    if (row < 0 || row >= static_cast<int>(set_.solutions.size())) {
        host.ShowMessage("Choose a network in the list first.");
        return false;
    }
    const MatchSolution& sol = set_.solutions[row];
    if (!sol.reachable) {
        host.ShowMessage("This network cannot match with that component Q; choose another, or change the Q.");
        return false;
    }
    const std::vector<MatchStage>& stages = sol.snapped ? sol.standard.stages : sol.exact.stages;
    const std::string what = stages.empty() ? "no stages at all" : MatchStagesText(stages);
    if (!host.AskYesNo("Replace the stages of the network with " + what + "?")) return false;
    {
        UndoStep step(context_.undo, s_, "Match");
        ApplyMatch(s_, stages);
    }
    Done(1);
    if (analyze) context_.navigator.Show(PageId::Analyze);
    return true;
}

std::unique_ptr<PageWindow> MakeMatchPage(PageContext& context) {
    return std::make_unique<MatchPage>(context);
}

}  // namespace qv
