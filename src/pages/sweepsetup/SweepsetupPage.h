// The sweep set-up dialog, modal over the Analysis page: start and stop
// frequency and the number of points of a single-load sweep. With a load
// table in use the sweep runs over the table's rows instead; the dialog then
// shows the table's range and only switches the sweep on.
#pragma once

#include <memory>
#include <string>

#include "platform/PageContext.h"
#include "platform/PageWindow.h"

class QLabel;
class QLineEdit;

namespace qv {

// The program's frequency range and the points the result arrays hold.
inline constexpr double kSweepMinFrequency = 10000;
inline constexpr double kSweepMaxFrequency = 10000000000.0;
inline constexpr int kSweepMinPoints = 3;
inline constexpr int kSweepMaxPoints = 2001;

struct SweepEntry {
    double start = 0, stop = 0, points = 0;
};

// The message for the first thing wrong with an entry, or "" when it is a
// sweep the dialog accepts.
std::string CheckSweepEntry(const SweepEntry& e);

// Whether the stored sweep can be drawn as it stands: a checked single-load
// sweep, or a load table with at least one row.
bool SweepReady(const SessionState& s);

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
