// The VSWR-circle set-up dialog (frmVSWRsetup), modal over the Analysis
// page: one box for the VSWR of the constant-VSWR circle. However it is
// closed, the circle is on afterwards and VswrCircleValue lies within
// 1.01 .. 20.
#pragma once

#include <memory>

#include "platform/PageContext.h"
#include "platform/PageWindow.h"

class QLineEdit;

namespace qv {

class VswrsetupPage : public PageWindow {
public:
    explicit VswrsetupPage(PageContext& context);
    ~VswrsetupPage() override;

    // Parses Text1 into VswrCircleValue; closes the dialog when the value is in
    // range, else shows the range message and waits for a new entry.
    // Returns true when the value was taken.
    bool Accept();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Finish();

    SessionState& s_;
    Host& host_;
    float opened_;  // the value shown at opening, put back on a cancel
    bool accepted_ = false;
    bool finished_ = false;
    QLineEdit* text1_ = nullptr;
};

// The VSWR a circle can be drawn with: no number or 0 -> 2, then kept
// within 1.01 .. 20.
float DrawableVswr(float vswr);

std::unique_ptr<PageWindow> MakeVswrsetupPage(PageContext& context);

}  // namespace qv
