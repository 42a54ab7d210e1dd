#include "pages/sweepsetup/SweepsetupPage.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>
#include <cmath>

#include "numbers/Format.h"
#include "numbers/Parse.h"

namespace qv {
namespace {

constexpr Colour kPink = 0x9999FF;
constexpr char kNoTableMessage[] = "There are no test frequencies to allow a sweep";
// Offered when no usable sweep is stored: an octave-wide look round the test
// frequency, fine enough to see a resonance.
constexpr int kOfferedPoints = 101;

QString Q(const std::string& text) { return QString::fromStdString(text); }

double ReadBox(QLineEdit* box) {
    std::string text = box->text().toStdString();
    const double value = ParseValue(text);
    box->setText(Q(text));
    return value;
}

int TableRows(const SessionState& s) { return LoadTableRows(s); }

}  // namespace

std::string FrequencyBoxText(double hz) {
    struct Prefix {
        double size;
        const char* suffix;
    };
    static const Prefix prefixes[] = {{1e9, " G"}, {1e6, " M"}, {1e3, " k"}, {1, ""}};
    for (const Prefix& p : prefixes)
        if (std::fabs(hz) >= p.size || p.size == 1) return TrimBlanks(NumberText(hz / p.size, 10)) + p.suffix;
    return {};
}

SweepsetupPage::SweepsetupPage(PageContext& context)
    : PageWindow(6000, 3300), s_(context.state), host_(context.host), table_(s_.LoadMode == LoadTable) {
    setWindowTitle("Sweep setup");
    SetDefaultFontSize(9);
    SetControlFont(AddLabel("Label1", "Frequency sweep setup", {240, 150, 0, 0}), 9, true);
    AddLabel("lblStart", "Start frequency: ", {240, 660, 0, 0});
    AddLabel("lblStop", "Stop frequency: ", {240, 1060, 0, 0});
    AddLabel("lblPoints", "Number of points: ", {240, 1460, 0, 0});
    txtStart_ = AddTextBox("txtStart", {2200, 600, 1800, 330});
    txtStop_ = AddTextBox("txtStop", {2200, 1000, 1800, 330});
    txtPoints_ = AddTextBox("txtPoints", {2200, 1400, 1800, 330});
    AddLabel("lblStartUnit", "Hz", {4100, 660, 0, 0});
    AddLabel("lblStopUnit", "Hz", {4100, 1060, 0, 0});
    auto* note1 = AddLabel("lblNote1", "", {240, 1960, 0, 0});
    auto* note2 = AddLabel("lblNote2", "", {240, 2220, 0, 0});
    auto* accept = AddButton("cmdAccept", "Accept", {2900, 2750, 1335, 330},
                             "Switch the sweep on with these values");
    auto* cancel = AddButton("cmdCancel", "Cancel", {4380, 2750, 1335, 330},
                             "Leave the sweep values as they were");
    accept->setDefault(true);
    connect(accept, &QPushButton::clicked, this, [this] { Accept(); });
    connect(cancel, &QPushButton::clicked, this, [this] { Cancel(); });
    for (QLineEdit* box : {txtStart_, txtStop_, txtPoints_})
        connect(box, &QLineEdit::returnPressed, this, [this] { Accept(); });

    if (table_) {
        // The table decides the frequencies; the boxes only show them.
        const int rows = TableRows(s_);
        txtStart_->setText(Q(rows > 0 ? FrequencyBoxText(s_.LoadFreq[1]) : ""));
        txtStop_->setText(Q(rows > 0 ? FrequencyBoxText(s_.LoadFreq[rows]) : ""));
        txtPoints_->setText(QString::number(rows));
        for (QLineEdit* box : {txtStart_, txtStop_, txtPoints_}) box->setEnabled(false);
        note1->setText("A load table is in use: the sweep follows its " + QString::number(rows) +
                       " rows.");
        note2->setText("Read another load file on the Design page to change them.");
        return;
    }

    double start = s_.SweepStart, stop = s_.SweepStop, points = s_.SweepPoints;
    if (!CheckSweepEntry({start, stop, points}).empty()) {
        const double f = std::clamp(s_.TestFrequency, kSweepMinFrequency, kSweepMaxFrequency);
        start = std::max(kSweepMinFrequency, f / 2);
        stop = std::min(kSweepMaxFrequency, f * 1.5);
        points = kOfferedPoints;
    }
    txtStart_->setText(Q(FrequencyBoxText(start)));
    txtStop_->setText(Q(FrequencyBoxText(stop)));
    txtPoints_->setText(QString::number(static_cast<int>(points)));
    note1->setText("From 10 kHz to 10 GHz, with prefixes: 3.5M, 144 M, 500k.");
    note2->setText("3 to 2001 points, evenly spaced, both ends included.");
}

SweepsetupPage::~SweepsetupPage() { Finish(); }

bool SweepsetupPage::Accept() {
    if (table_) {
        if (TableRows(s_) < 1) {
            host_.ShowMessage(kNoTableMessage);
            return false;
        }
        s_.SweepOn = 1;
        Done(1);
        return true;
    }
    const SweepEntry e{ReadBox(txtStart_), ReadBox(txtStop_), ReadBox(txtPoints_)};
    for (QLineEdit* box : {txtStart_, txtStop_, txtPoints_}) SetBackgroundColour(box, kWhite);
    const std::string problem = CheckSweepEntry(e);
    if (!problem.empty()) {
        QLineEdit* box = txtPoints_;
        if (problem == kSweepStartMessage) box = txtStart_;
        if (problem == kSweepStopMessage || problem == kSweepOrderMessage) box = txtStop_;
        SetBackgroundColour(box, kPink);
        host_.ShowMessage(problem);
        box->selectAll();
        box->setFocus();
        return false;
    }
    s_.SweepStart = e.start;
    s_.SweepStop = e.stop;
    s_.SweepPoints = static_cast<std::int16_t>(e.points);
    s_.SweepOn = 1;
    Done(1);
    return true;
}

void SweepsetupPage::Cancel() { Done(0); }

void SweepsetupPage::closeEvent(QCloseEvent* event) {
    Finish();
    PageWindow::closeEvent(event);
}

void SweepsetupPage::Finish() {
    if (finished_) return;
    finished_ = true;
    // Like the overlays, a setup leaves the sweep on, but never one that
    // has nothing to draw.
    if (SweepReady(s_)) s_.SweepOn = 1;
}

std::unique_ptr<PageWindow> MakeSweepsetupPage(PageContext& context) {
    return std::make_unique<SweepsetupPage>(context);
}

}  // namespace qv
