// The Design page (frmDesign), where the user builds the network: the
// schematic with its stage editor, and the commands for the test frequency,
// the system impedance, the load table, network files, compacting and
// leaving for the other pages.
//
// Page states:
//   Idle        picking enabled, prompt shown, no palette, editor hidden
//   StagePicked picking enabled, green frame round the stage, palette shown
//   Editing     picking disabled, the element's (or the load's) boxes shown
#pragma once

#include <memory>
#include <optional>

#include "platform/PageContext.h"
#include "platform/PageWindow.h"
#include "schematic/Schematic.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace qv {

class DesignPage : public PageWindow {
public:
    enum class Mode { Idle, StagePicked, Editing };

    explicit DesignPage(PageContext& context);

    Mode CurrentMode() const { return mode_; }
    int SelectedStage() const { return selectedStage_; }
    bool StagePickEnabled() const { return stagePickEnabled_; }
    const StageEdges& Edges() const { return edges_; }

    // Runs the opening steps again on the present SessionState: fix-ups,
    // texts, caption, an idle editor and a fresh schematic. Reading a network
    // and compacting use this to show the new network.
    void Open();

    // Command handlers, also reachable through the buttons.
    void EnterFrequency();
    void EnterSystemZ();
    void GetLoadTable();
    void GetNetwork();
    void SaveNetwork();
    void Compact();
    void Match();
    void Analyze();
    void Setup();
    void Exit();
    void Accept();

protected:
    void MousePressed(int button, double x, double y) override;

private:
    void PickStage(double x);
    void OpenLoadEditor();
    void DrawPalette();
    void PickFromPalette(double x, double y);
    void DrawFrame(int part);  // 0 = the load
    void DrawPreview(int code);
    void Redraw();
    void RedrawKeepingPlace();
    void ShowPair(int n, const char* caption);
    void HideEditor();
    void ClearBoxes();
    void UpdateAnalyzeButton();
    void ReadFrequencyBox();
    void ReadSystemZBox();
    void SetCaption();

    PageContext& context_;
    SessionState& s_;
    Mode mode_ = Mode::Idle;
    int selectedStage_ = 0;
    bool stagePickEnabled_ = true;
    StageEdges edges_{};
    // The design before the element or load now in the editor was chosen;
    // Accept records the whole edit as one undo entry.
    std::optional<DesignSnapshot> editBefore_;

    QLabel* labels_[4] = {};
    QLineEdit* boxes_[4] = {};
    QLabel* prompt_ = nullptr;
    QLineEdit* txtSystemZ_ = nullptr;
    QLineEdit* txtFrequency_ = nullptr;
    QPushButton* cmdAccept_ = nullptr;
    QPushButton* cmdAnalyze_ = nullptr;
};

std::unique_ptr<PageWindow> MakeDesignPage(PageContext& context);

}  // namespace qv
