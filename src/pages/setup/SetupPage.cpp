#include "pages/setup/SetupPage.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>

#include "numbers/Format.h"
#include "numbers/Parse.h"

namespace qv {
namespace {

constexpr double kPageWidth = 12000;
constexpr double kPageHeight = 9000;
constexpr double kMinVelocityFactor = 0.0001;

}  // namespace

double OpeningVelocityFactor(double vf) {
    if (vf == 0) vf = 1.0;
    if (vf < kMinVelocityFactor) vf = kMinVelocityFactor;
    if (vf > 1) vf = 1.0;
    return vf;
}

SetupPage::SetupPage(PageContext& context)
    : PageWindow(kPageWidth, kPageHeight, nullptr, ScreenPageUnitsPerPoint(context.host, kPageWidth, kPageHeight)),
      context_(context),
      s_(context.state) {
    setWindowTitle(QString::fromStdString("Quendavore " + s_.VersionText + " - Options setup page"));
    SetDefaultFontSize(ScreenFontPoints(context.host));

    AddLabel("Label1",
             "This is where we will specify the various options; what would you like to specify?",
             {500, 400, 0, 0});
    auto* frame = AddFrame("Frame1", "Line lengths:", {500, 1100, 2600, 2100});
    auto* degrees = AddOption("Option5", "degrees", {200, 400, 2200, 300}, frame);
    auto* wavelengths = AddOption("Option6", "wavelengths", {200, 700, 2200, 300}, frame);
    physicalUnits_[0] = AddOption("Option1", "inches", {200, 1000, 2200, 300}, frame);
    physicalUnits_[1] = AddOption("Option2", "feet", {200, 1300, 2200, 300}, frame);
    physicalUnits_[2] = AddOption("Option4", "meters", {200, 1600, 2200, 300}, frame);

    lblVelocityFactor_ = AddLabel("lblVelocityFactor", "Velocity factor: ", {3600, 1560, 0, 0});
    txtVelocityFactor_ = AddTextBox("txtVelocityFactor", {5600, 1500, 1200, 330});
    AddLabel("lblLoss", "Loss: ", {3600, 2160, 0, 0});
    auto* loss = AddTextBox("Text1", {5600, 2100, 1200, 330});
    loss->setText("1.0");
    AddLabel("lbldB", "dB / ", {6900, 2160, 0, 0});

    auto* ret = AddButton("cmdExit", "Return", {500, 6933, 1335, 300});
    SetControlFont(ret, ScreenFontPoints(context.host));
    connect(ret, &QPushButton::clicked, this, [this] { Return(); });

    for (QRadioButton* option : {degrees, wavelengths, physicalUnits_[0], physicalUnits_[1],
                                 physicalUnits_[2]})
        connect(option, &QRadioButton::toggled, this, [this] { UnitChosen(); });

    // No unit choice is kept: every opening starts on degrees.
    degrees->setChecked(true);
    UnitChosen();
    s_.VelocityFactor = OpeningVelocityFactor(s_.VelocityFactor);
    txtVelocityFactor_->setText(QString::fromStdString(NumberText(s_.VelocityFactor)));
    FitToScreen();
}

void SetupPage::UnitChosen() {
    // A velocity factor only matters for lengths given in physical units.
    bool physical = false;
    for (QRadioButton* option : physicalUnits_) physical = physical || option->isChecked();
    lblVelocityFactor_->setEnabled(physical);
    txtVelocityFactor_->setEnabled(physical);
}

void SetupPage::Return() {
    std::string text = txtVelocityFactor_->text().toStdString();
    s_.VelocityFactor = ParseValue(text);
    if (s_.VelocityFactor <= 0) {
        s_.VelocityFactor = kMinVelocityFactor;
        context_.host.ShowMessage("Velocity factor has been reset to the minimum allowed.");
    }
    if (s_.VelocityFactor > 1) {
        s_.VelocityFactor = 1.0;
        context_.host.ShowMessage("Velocity factor has been reset to the maximum allowed.");
    }
    txtVelocityFactor_->setText(QString::fromStdString(NumberText(s_.VelocityFactor)));
    context_.navigator.Show(PageId::Design);
}

std::unique_ptr<PageWindow> MakeSetupPage(PageContext& context) {
    return std::make_unique<SetupPage>(context);
}

}  // namespace qv
