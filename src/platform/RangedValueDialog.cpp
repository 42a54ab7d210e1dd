#include "platform/RangedValueDialog.h"

#include <QCloseEvent>
#include <QLineEdit>
#include <QPushButton>

#include "numbers/Parse.h"

namespace qv {

RangedValueDialog::RangedValueDialog(Host& host, RangedValue spec)
    : PageWindow(4000, 1850), host_(host), spec_(std::move(spec)), opened_(spec_.value) {
    setWindowTitle(spec_.title);
    SetDefaultFontSize(9);
    AddLabel("Label1", spec_.heading, {240, 150, 0, 0});
    AddLabel("Label2", "Current value: ", {240, 660, 0, 0});
    text1_ = AddTextBox("Text1", {2400, 600, 1350, 330});
    text1_->setText(QString::fromStdString(spec_.shown));
    auto* accept = AddButton("cmdAccept", "Accept", {2400, 1200, 1350, 330});
    accept->setDefault(true);
    connect(accept, &QPushButton::clicked, this, [this] { Accept(); });
    connect(text1_, &QLineEdit::returnPressed, this, [this] { Accept(); });
}

RangedValueDialog::~RangedValueDialog() { Finish(); }

bool RangedValueDialog::Accept() {
    std::string text = text1_->text().toStdString();
    // Stored before the check, as typed; a cancel puts the old value back.
    spec_.value = static_cast<float>(ParseValue(text));
    text1_->setText(QString::fromStdString(text));
    if (!(spec_.value >= spec_.min && spec_.value <= spec_.max)) {
        SetBackgroundColour(text1_, 0x9999FF);  // pink
        host_.ShowMessage(spec_.rangeMessage);
        text1_->selectAll();
        text1_->setFocus();
        return false;
    }
    accepted_ = true;
    Done(1);
    return true;
}

void RangedValueDialog::closeEvent(QCloseEvent* event) {
    Finish();
    PageWindow::closeEvent(event);
}

void RangedValueDialog::Finish() {
    if (finished_) return;
    finished_ = true;
    if (!accepted_) spec_.value = opened_;
    // Whatever came in (a file's value, an old session), what stays is a
    // value the overlay can be drawn with.
    spec_.value = spec_.drawable(spec_.value);
    spec_.on = 1;
}

}  // namespace qv
