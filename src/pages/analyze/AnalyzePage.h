// The Analysis page frmAnalyze: the Smith chart with its view controls and
// point readout, the network panel across the top, the component tuning
// rows and the test-frequency controls in the left column.
#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>

#include "chart/ChartView.h"
#include "chart/Readout.h"
#include "chart/RedrawChart.h"
#include "platform/PageContext.h"
#include "platform/PageWindow.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QGroupBox;

namespace qv {

// Font of the page's controls, chart labels and caption, in points of the
// 11880 x 8490-twip layout. The page is scaled to the screen as a whole, so the
// font is fixed in page units too: 8.5 pt fits the 300-twip labels and the
// narrowest readout columns (1000 twips) with room to spare.
inline constexpr double kAnalyzeFontPt = 8.5;

// Background of a text box holding a value that cannot be used.
inline constexpr Colour kRejectedBoxColour = 0x9999FF;
inline constexpr Colour kAcceptedBoxColour = 0xFFFFFF;
// Background of the fine tune-size option when chosen, and when not.
inline constexpr Colour kFineChosenColour = 0xFFDDBB;
inline constexpr Colour kFineNotChosenColour = 0xF4F4F4;

class AnalyzePage : public PageWindow {
public:
    explicit AnalyzePage(PageContext& context);

    // Draws the network panel and the whole chart again; every change on
    // the page ends here.
    void Redraw();

    // The page's font for chart labels and the caption.
    static FontSpec PageFont();

protected:
    void MousePressed(int button, double x, double y) override;
    void MouseMoved(int buttons, double x, double y) override;
    void MouseReleased(int button, double x, double y) override;
    // Over the chart the wheel tunes the picked part (the test frequency when
    // none is picked) one small step a notch, the fine step with Shift; + and
    // - do the same, Page Up and Page Down take the large step.
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    struct TuneRow {
        QLineEdit* box = nullptr;
        QPushButton* enter = nullptr;
        std::array<QPushButton*, 4> steps{};  // <<, <, >, >>
        QGroupBox* frame = nullptr;
        QRadioButton* geometric = nullptr;
        QRadioButton* arithmetic = nullptr;
    };

    void BuildChartControls();
    void BuildSetupAndSweepControls();
    void OpenOverlaySetup(PageId dialog, std::int16_t& overlaySwitch, QPushButton* onButton);
    void ToggleSweepButton();
    void Print();
    void BuildReadout();
    TuneRow BuildTuneRow(int digit, double top);
    void BuildFrequencyControls();
    void Open();

    void Apply(const MouseResult& r);
    void ShowReadout(const Readout& r);
    void SetReadoutVisible(bool visible);
    void ApplyZoomButtons();

    void PickPart(float x);
    void WriteTuningTexts();
    void ShowRow(TuneRow& row, bool visible, bool withFrame);
    void EnterTop();
    void EnterBottom();
    void StepRow(bool top, double k, bool up, float tuneSize);
    void ChooseTopMode(bool arithmetic);
    void ChooseBottomMode(bool arithmetic);

    void EnterFrequency();
    void StepFrequency(double k, bool up, float tuneSize);
    void TuneBy(int steps, double k, float tuneSize);
    // Shows SessionState again after an undo or redo.
    void ShowRestored();
    void ChooseTuneSize(bool fine);

    PageContext& context_;
    SessionState& s_;
    ChartPage chart_;
    ChartHooks hooks_;
    std::optional<ChartBackdrop> backdrop_;  // what the kept backdrop shows
    double pointAngle_ = 0;
    int wheelAngle_ = 0;  // eighths of a degree not yet a whole notch

    QPushButton* cmdArcs_ = nullptr;
    QPushButton* cmdQon_ = nullptr;
    QPushButton* cmdVswrOn_ = nullptr;
    QPushButton* cmdSweep_ = nullptr;
    QPushButton* cmdTabulate_ = nullptr;
    QPushButton* cmdIn_ = nullptr;
    QPushButton* cmdOut_ = nullptr;
    std::array<QLabel*, 14> readoutLabels_{};  // captions, then values
    TuneRow top_, bottom_;
    QLineEdit* txtFreq_ = nullptr;
    std::array<QPushButton*, 4> freqSteps_{};
    QRadioButton* optNormal_ = nullptr;
    QRadioButton* optFine_ = nullptr;
};

std::unique_ptr<PageWindow> MakeAnalyzePage(PageContext& context);

}  // namespace qv
