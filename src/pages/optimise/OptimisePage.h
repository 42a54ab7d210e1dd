// The optimise dialog, modal over the Analysis page: tick the parts to tune,
// choose the goal, run the band optimiser over the sweep set-up's band, see
// the worst VSWR before and after, snap to a standard series, then "Keep"
// the new values or "Undo" them. Nothing changes in the design unless it is
// kept; closing the dialog any other way puts the start values back.
#pragma once

#include <QString>
#include <array>
#include <atomic>
#include <memory>
#include <vector>

#include "calc/Optimise.h"
#include "platform/PageContext.h"
#include "session/DesignSnapshot.h"
#include "platform/PageWindow.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QRadioButton;

namespace qv {

// "Stage 2: shunt capacitor 227.4 pF": what the dialog calls a stage.
std::string StageDescription(const SessionState& s, int stage);

// The band as the dialog describes it, or why there is none.
std::string BandDescription(const SessionState& s);

class OptimisePage : public PageWindow {
public:
    explicit OptimisePage(PageContext& context);
    ~OptimisePage() override;

    // Runs the optimiser on the ticked parts; the new values are put in the
    // design at once (so "Snap", "Keep" and the chart see them) until
    // "Keep" or "Undo".
    void RunOptimiser();
    // Asks a running optimiser to stop with the best it has.
    void Stop();
    // Snaps the ticked parts' capacitances and inductances to the chosen
    // series.
    void Snap();
    // Keeps the new values as one entry of the undo history and closes the
    // dialog.
    void Keep();
    // Puts the values back as they were before the first run or snap.
    void Undo();

    bool Running() const { return running_; }
    bool Pending() const { return pending_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    std::vector<TunedValue> Ticked() const;
    // Starts a change: remembers the values every tunable part has now.
    void BeginChange();
    void ShowResult(const QString& text);
    void EnableControls();
    OptimiseGoal Goal() const;
    QString Figure(double vswr) const;

    PageContext& context_;
    SessionState& s_;
    std::array<QCheckBox*, kLastStage + 1> parts_{};  // index = stage
    QRadioButton* optVswr_ = nullptr;
    QRadioButton* optReturnLoss_ = nullptr;
    QPushButton* cmdOptimise_ = nullptr;
    QPushButton* cmdStop_ = nullptr;
    QPushButton* cmdSnap_ = nullptr;
    QPushButton* cmdKeep_ = nullptr;
    QPushButton* cmdUndo_ = nullptr;
    QComboBox* cboSeries_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QLabel* lblProgress_ = nullptr;
    QLabel* lblResult_ = nullptr;
    QLabel* lblSnap_ = nullptr;

    bool hasBand_ = false;
    bool running_ = false;
    bool pending_ = false;
    bool kept_ = false;
    std::atomic<bool> cancel_{false};
    // Every tunable value of the design when the pending change began.
    std::vector<TunedValue> all_;
    std::vector<double> before_;
    DesignSnapshot snapshot_;  // the design then, for the one undo entry
    double worstBefore_ = 0;
};

std::unique_ptr<PageWindow> MakeOptimisePage(PageContext& context);

}  // namespace qv
