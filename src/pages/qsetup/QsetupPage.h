// The Q-circle set-up dialog (frmQsetup), modal over the Analysis page: one
// box for the Q of the constant-Q arcs. However it is closed, the Q arcs are
// on afterwards and QCircleValue lies within 0.1 .. 20.
#pragma once

#include <memory>

#include "platform/PageContext.h"
#include "platform/PageWindow.h"

class QLineEdit;

namespace qv {

class QsetupPage : public PageWindow {
public:
    explicit QsetupPage(PageContext& context);
    ~QsetupPage() override;

    // Parses Text1 into QCircleValue; closes the dialog when the value is in
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

std::unique_ptr<PageWindow> MakeQsetupPage(PageContext& context);

}  // namespace qv
