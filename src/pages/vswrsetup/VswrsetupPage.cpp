#include "pages/vswrsetup/VswrsetupPage.h"

#include <QCloseEvent>
#include <QLineEdit>
#include <QPushButton>
#include <cmath>

#include "chart/Overlays.h"
#include "numbers/Parse.h"

namespace qv {
namespace {

constexpr char kRangeMessage[] = "VSWR circle radius must be between 1.01 and 20";
constexpr Colour kPink = 0x9999FF;

bool InRange(float vswr) { return vswr >= kMinVswr && vswr <= kMaxVswr; }

}  // namespace

float DrawableVswr(float vswr) {
    if (std::isnan(vswr) || vswr == 0) return kDefaultOverlayValue;
    if (vswr < kMinVswr) return kMinVswr;
    if (vswr > kMaxVswr) return kMaxVswr;
    return vswr;
}

VswrsetupPage::VswrsetupPage(PageContext& context)
    : PageWindow(4000, 1850), s_(context.state), host_(context.host), opened_(s_.VswrCircleValue) {
    setWindowTitle("VSWR circle setup");
    SetDefaultFontSize(9);
    AddLabel("Label1", "VSWR circle setup", {240, 150, 0, 0});
    AddLabel("Label2", "Current value: ", {240, 660, 0, 0});
    text1_ = AddTextBox("Text1", {2400, 600, 1350, 330});
    text1_->setText(QString::fromStdString(ShortestText(s_.VswrCircleValue)));
    auto* accept = AddButton("cmdAccept", "Accept", {2400, 1200, 1350, 330});
    accept->setDefault(true);
    connect(accept, &QPushButton::clicked, this, [this] { Accept(); });
    connect(text1_, &QLineEdit::returnPressed, this, [this] { Accept(); });
}

VswrsetupPage::~VswrsetupPage() { Finish(); }

bool VswrsetupPage::Accept() {
    std::string text = text1_->text().toStdString();
    // Stored before the check; a cancel puts the old value back, and the
    // circle is not drawn while the dialog waits.
    s_.VswrCircleValue = static_cast<float>(ParseValue(text));
    text1_->setText(QString::fromStdString(text));
    if (!InRange(s_.VswrCircleValue)) {
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

void VswrsetupPage::closeEvent(QCloseEvent* event) {
    Finish();
    PageWindow::closeEvent(event);
}

void VswrsetupPage::Finish() {
    if (finished_) return;
    finished_ = true;
    if (!accepted_) s_.VswrCircleValue = opened_;
    // The circle itself takes its value unchecked; only values within the
    // dialog's range leave here.
    s_.VswrCircleValue = DrawableVswr(s_.VswrCircleValue);
    s_.VswrCircleOn = 1;
}

std::unique_ptr<PageWindow> MakeVswrsetupPage(PageContext& context) {
    return std::make_unique<VswrsetupPage>(context);
}

}  // namespace qv
