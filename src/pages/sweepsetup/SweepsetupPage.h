// The sweep set-up dialog, modal over the Analysis page: start and stop
// frequency and the number of points of a single-load sweep. With a load
// table in use the sweep runs over the table's rows instead; the dialog then
// shows the table's range and only switches the sweep on.
#pragma once

#include <memory>
#include <string>

#include "chart/SweepTrace.h"
#include "platform/PageContext.h"
#include "platform/PageWindow.h"

class QLabel;
class QLineEdit;

namespace qv {

// A frequency as the dialog's boxes show it, with the largest prefix that
// leaves at least 1 and every digit kept: 1500000 -> "1.5 M".
std::string FrequencyBoxText(double hz);

class SweepsetupPage : public PageWindow {
public:
    explicit SweepsetupPage(PageContext& context);
    ~SweepsetupPage() override;

    bool TableMode() const { return table_; }

    // Checks the boxes; a good entry is stored, the sweep switched on and the
    // dialog closed. Otherwise the message is shown, the box concerned turns
    // pink, nothing is stored and the dialog waits. Returns true when taken.
    bool Accept();
    void Cancel();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Finish();

    SessionState& s_;
    Host& host_;
    bool table_ = false;
    bool finished_ = false;
    QLineEdit* txtStart_ = nullptr;
    QLineEdit* txtStop_ = nullptr;
    QLineEdit* txtPoints_ = nullptr;
};

std::unique_ptr<PageWindow> MakeSweepsetupPage(PageContext& context);

}  // namespace qv
