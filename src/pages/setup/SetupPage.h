// The options page (frmSetup), shown in place of the Design page: the
// line-length unit, the velocity factor and a loss entry. Only the velocity
// factor is kept; the page always opens on "degrees", since line lengths are
// entered in degrees on the Design page.
#pragma once

#include <memory>

#include "platform/PageContext.h"
#include "platform/PageWindow.h"

class QLabel;
class QLineEdit;
class QRadioButton;

namespace qv {

// The velocity factor as the page opens with it: 0 -> 1, then kept within
// 0.0001 .. 1.
double OpeningVelocityFactor(double vf);

class SetupPage : public PageWindow {
public:
    explicit SetupPage(PageContext& context);

    // Return: takes the velocity factor (with a message when it had to be
    // brought into range) and goes back to the Design page.
    void Return();

private:
    void UnitChosen();

    PageContext& context_;
    SessionState& s_;
    QRadioButton* physicalUnits_[3] = {};  // inches, feet, meters
    QLabel* lblVelocityFactor_ = nullptr;
    QLineEdit* txtVelocityFactor_ = nullptr;
};

std::unique_ptr<PageWindow> MakeSetupPage(PageContext& context);

}  // namespace qv
