#include "pages/qsetup/QsetupPage.h"

#include <QCloseEvent>
#include <QLineEdit>
#include <QPushButton>
#include <cmath>

#include "chart/Overlays.h"
#include "numbers/Parse.h"

namespace qv {
namespace {

constexpr char kRangeMessage[] = "Q must be between .1 and 20";
constexpr Colour kPink = 0x9999FF;

bool InRange(float q) { return q >= kMinQ && q <= kMaxQ; }

}  // namespace

QsetupPage::QsetupPage(PageContext& context)
    : PageWindow(4000, 1850), s_(context.state), host_(context.host), opened_(s_.QCircleValue) {
    setWindowTitle("Q circle setup");
    SetDefaultFontSize(9);
    AddLabel("Label1", "Q-circle setup ", {240, 150, 0, 0});
    AddLabel("Label2", "Current value: ", {240, 660, 0, 0});
    text1_ = AddTextBox("Text1", {2400, 600, 1350, 330});
    text1_->setText(QString::fromStdString(ShortestText(s_.QCircleValue)));
    auto* accept = AddButton("cmdAccept", "Accept", {2400, 1200, 1350, 330});
    accept->setDefault(true);
    connect(accept, &QPushButton::clicked, this, [this] { Accept(); });
    connect(text1_, &QLineEdit::returnPressed, this, [this] { Accept(); });
}

QsetupPage::~QsetupPage() { Finish(); }

bool QsetupPage::Accept() {
    std::string text = text1_->text().toStdString();
    // Stored before the check: the chart's own range correction copes with
    // it while the dialog waits, and a cancel puts the old value back.
    s_.QCircleValue = static_cast<float>(ParseValue(text));
    text1_->setText(QString::fromStdString(text));
    if (!InRange(s_.QCircleValue)) {
        SetBackgroundColour(text1_, kPink);
        host_.ShowMessage(kRangeMessage);
        text1_->selectAll();
        text1_->setFocus();
        return false;
    }
    accepted_ = true;
    Done(1);
    return true;
}

void QsetupPage::closeEvent(QCloseEvent* event) {
    Finish();
    PageWindow::closeEvent(event);
}

void QsetupPage::Finish() {
    if (finished_) return;
    finished_ = true;
    if (!accepted_) s_.QCircleValue = opened_;
    // Whatever came in (a file's value, an old session), what stays is a Q
    // the arcs can be drawn with.
    s_.QCircleValue = CorrectedQ(s_.QCircleValue);
    s_.QArcsOn = 1;
}

std::unique_ptr<PageWindow> MakeQsetupPage(PageContext& context) {
    return std::make_unique<QsetupPage>(context);
}

}  // namespace qv
