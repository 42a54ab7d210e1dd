#include "pages/design/DesignPage.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>
#include <memory>
#include <string>
#include <utility>

#include "files/LoadData.h"
#include "files/Touchstone.h"
#include "files/NetworkFile.h"
#include "numbers/Format.h"
#include "numbers/Parse.h"
#include "schematic/Symbols.h"

namespace qv {
namespace {

constexpr double kPageWidth = 12000;
constexpr double kPageHeight = 9000;

// The schematic row and the palette area, for the mouse.
constexpr double kRowTop = 600, kRowBottom = 2200;
constexpr double kPaletteLeft = 3500, kPaletteRight = 11300;
constexpr double kPaletteTop = 4300, kPaletteBottom = 7600;

constexpr double kMinFrequency = 10000;
constexpr double kMaxFrequency = 10000000000.0;
constexpr double kMinSystemZ = 1;
constexpr double kMaxSystemZ = 10000;

constexpr Colour kFrameGreen = Rgb(0, 255, 0);
constexpr Colour kSeparatorBlue = Rgb(0, 0, 255);

constexpr char kPromptText[] = "Click on a stage to enter, change or edit it";
constexpr char kPalettePrompt[] = "Click on a component type to choose it";

QString Q(const std::string& text) { return QString::fromStdString(text); }

std::string Text(const QLineEdit* box) { return box->text().toStdString(); }

// Reads a box as a typed value; the box keeps the trimmed text the parser saw.
double ReadBox(QLineEdit* box, bool& bounded) {
    std::string text = Text(box);
    const double value = ParseValue(text, bounded);
    box->setText(Q(text));
    return value;
}

double ReadBox(QLineEdit* box) {
    bool bounded = false;
    return ReadBox(box, bounded);
}

// Element codes of the palette rows, left to right.
constexpr int kPaletteRow1[] = {EmptyStage,     SeriesCapacitor, ShuntCapacitor,   SeriesInductor,
                                ShuntInductor,  TransmissionLine, SeriesShortedStub};
constexpr int kPaletteRow2[] = {SeriesOpenStub, ShuntShortedStub, ShuntOpenStub, ShuntLCPair,
                                SeriesLCPair,   SeriesResistor,   ShuntResistor};

// The code under x in a palette row, given each symbol's left bound from the
// right; -1 left of the row.
int CodeAt(double x, const double (&bounds)[7], const int (&codes)[7]) {
    for (int i = 6; i >= 0; --i)
        if (x > bounds[i]) return codes[i];
    return -1;
}

}  // namespace

DesignPage::DesignPage(PageContext& context)
    : PageWindow(kPageWidth, kPageHeight, nullptr, ScreenPageUnitsPerPoint(context.host, kPageWidth, kPageHeight)),
      context_(context),
      s_(context.state) {
    SetDefaultFontSize(ScreenFontPoints(context.host));
    Drawing().SetFont(FontSpec{"Arial", ScreenFontPoints(context.host), false});

    AddLabel("lblSystemZ", "System Z: ", {500, 3455, 1500, 330});
    txtSystemZ_ = AddTextBox("txtSystemZ", {2000, 3420, 1440, 300});
    auto* enterZ = AddButton("cmdEnterZ", "Enter Z", {3400, 3420, 1350, 330});
    AddLabel("lblFrequency", "Frequency (Hz): ", {5050, 3455, 2200, 330});
    txtFrequency_ = AddTextBox("txtFrequency", {7380, 3420, 1500, 330});
    auto* enterFreq = AddButton("cmdEnterFreq", "Enter freq", {8850, 3420, 1350, 330});

    for (int i = 0; i < 4; ++i) {
        const QString n = QString::number(i + 1);
        labels_[i] = AddLabel("lblValue" + n, "", {5050, 4100.0 + 500 * i, 2200, i == 0 ? 330.0 : 300.0});
        boxes_[i] = AddTextBox("txtValue" + n, {7380, 4050.0 + 500 * i, 1500, 330});
    }
    cmdAccept_ = AddButton("cmdAccept", "Accept", {7380, 6050, 1470, 330},
                           "Accept the values in the boxes");
    auto* getLoad = AddButton("cmdGetLoad", "Get freq/load", {1400, 2800, 1800, 330});
    cmdAnalyze_ = AddButton("cmdAnalyze", "Analyze", {500, 5533, 1350, 330}, "Go to the Analyze page");
    auto* compact = AddButton("cmdCompact", "Compact", {500, 5883, 1350, 330},
                              "Remove empty stages in the network");
    auto* save = AddButton("cmdSave", "Save net", {500, 6233, 1350, 330}, "Save the current network");
    auto* getNet = AddButton("cmdGetNet", "Get net", {500, 6583, 1350, 330}, "Get a new network");
    auto* setup = AddButton("cmdSetup", "Setup", {500, 6933, 1350, 330});
    auto* match = AddButton("cmdMatch", "Match", {500, 5183, 1350, 330},
                            "Compute the networks that match the load");
    auto* exit = AddButton("cmdExit", "Exit", {500, 7283, 1350, 330}, "Exit / quit the program");
    // Where the palette prints its own prompt, so the two take turns.
    prompt_ = AddLabel("lblSelectElementToEdit", kPromptText, {6000, 8000, 0, 0});

    connect(enterZ, &QPushButton::clicked, this, [this] { EnterSystemZ(); });
    connect(enterFreq, &QPushButton::clicked, this, [this] { EnterFrequency(); });
    connect(cmdAccept_, &QPushButton::clicked, this, [this] { Accept(); });
    connect(getLoad, &QPushButton::clicked, this, [this] { GetLoadTable(); });
    connect(cmdAnalyze_, &QPushButton::clicked, this, [this] { Analyze(); });
    connect(compact, &QPushButton::clicked, this, [this] { Compact(); });
    connect(save, &QPushButton::clicked, this, [this] { SaveNetwork(); });
    connect(getNet, &QPushButton::clicked, this, [this] { GetNetwork(); });
    connect(setup, &QPushButton::clicked, this, [this] { Setup(); });
    connect(match, &QPushButton::clicked, this, [this] { Match(); });
    connect(exit, &QPushButton::clicked, this, [this] { Exit(); });

    // Return in a box does what the box's button does.
    connect(txtSystemZ_, &QLineEdit::returnPressed, this, [this] { EnterSystemZ(); });
    connect(txtFrequency_, &QLineEdit::returnPressed, this, [this] { EnterFrequency(); });
    for (QLineEdit* box : boxes_)
        connect(box, &QLineEdit::returnPressed, this, [this] {
            if (mode_ == Mode::Editing) Accept();
        });
    // Tab runs the editor's column first, then the commands top to bottom.
    QWidget* order[] = {boxes_[0], boxes_[1], boxes_[2], boxes_[3], cmdAccept_,
                        txtSystemZ_, enterZ, txtFrequency_, enterFreq, getLoad,
                        match, cmdAnalyze_, compact, save, getNet, setup, exit};
    for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);

    AddUndoShortcuts(this, context_.undo);
    connect(&context_.undo, &UndoHistory::Restored, this, [this] { Open(); });

    FitToScreen();
    Open();
}

void DesignPage::Open() {
    SetCaption();
    s_.SymbolColour = 0;
    if (s_.SystemZ <= 0) {
        s_.SystemZ = 50;
        txtSystemZ_->setText("50");
    } else {
        txtSystemZ_->setText(Q(FormatImpedance(s_.SystemZ)));
    }
    if (s_.LoadMode == LoadModeUnset) s_.LoadMode = SingleLoad;
    if (s_.TestFrequency <= 0) {
        s_.TestFrequency = 1000000;
        txtFrequency_->setText("1 M");
    } else {
        txtFrequency_->setText(Q(FormatGeneral(s_.TestFrequency)));
    }
    if (s_.VelocityFactor == 0) s_.VelocityFactor = 1.0;

    HideEditor();
    editBefore_.reset();
    prompt_->show();
    mode_ = Mode::Idle;
    stagePickEnabled_ = true;
    selectedStage_ = 0;
    UpdateAnalyzeButton();
    Redraw();
}

void DesignPage::SetCaption() {
    setWindowTitle(Q("Quendavore " + s_.VersionText + " - Design " + s_.CurrentFileName));
}

void DesignPage::Redraw() { RedrawSchematic(s_, Drawing(), edges_); }

// ---- Stage editor ---------------------------------------------------------

void DesignPage::MousePressed(int, double x, double y) {
    if (y >= kRowTop && y < kRowBottom) {
        if (x >= edges_[0] - 1200 && x < edges_[0])
            OpenLoadEditor();
        else if (x >= edges_[0] && x < edges_[4] + 1200)
            PickStage(x);
    }
    // Only the palette on show can be picked from; once it has been wiped
    // (after Accept, or by the load editor) its area is blank page again.
    if (stagePickEnabled_ && mode_ == Mode::StagePicked && x >= kPaletteLeft &&
        x < kPaletteRight && y >= kPaletteTop && y < kPaletteBottom)
        PickFromPalette(x, y);
}

void DesignPage::PickStage(double x) {
    if (!stagePickEnabled_) return;
    int stage = 0;
    for (int k = kLastStage; k >= kFirstStage; --k) {
        if (x > edges_[k - 1]) {
            stage = k;
            break;
        }
    }
    if (stage == 0) return;
    selectedStage_ = stage;
    Redraw();
    DrawFrame(stage);
    s_.StageIndex = static_cast<std::int16_t>(stage);
    DrawPalette();
    mode_ = Mode::StagePicked;
}

void DesignPage::DrawFrame(int part) {
    const double left = part == 0 ? edges_[0] - 1400 : edges_[part - 1] + 30;
    Surface& g = Drawing();
    g.SetColour(kFrameGreen);
    g.Box(left, 800, edges_[part] - 15, 2060);
    g.SetColour(kBlack);
}

void DesignPage::DrawPreview(int code) {
    s_.SymbolColour = 0;
    s_.PenX = 9500;
    s_.PenY = 4200;
    DrawElementSymbol(s_, Drawing(), DesignPageStyle(), code);
}

// A command that changes what the schematic shows redraws it without
// throwing away the user's place: the frame, the palette or the preview
// of the present state come back on top.
void DesignPage::RedrawKeepingPlace() {
    Redraw();
    if (mode_ == Mode::StagePicked) {
        DrawFrame(selectedStage_);
        DrawPalette();
    } else if (mode_ == Mode::Editing) {
        DrawFrame(s_.StageIndex);
        if (s_.StageIndex != 0) DrawPreview(s_.ElementType[s_.StageIndex]);
    }
}

void DesignPage::OpenLoadEditor() {
    if (!editBefore_) editBefore_ = TakeSnapshot(s_);
    stagePickEnabled_ = false;
    Redraw();
    DrawFrame(0);
    // Boxes left over from a stage being edited would otherwise be read as
    // the load's R and X.
    ClearBoxes();
    const double r = s_.Value[0][1], x = s_.Value[0][2];
    if (r > 0) boxes_[0]->setText(Q(FormatResistance(r)));
    if (x != 0) boxes_[1]->setText(Q(FormatResistance(x)));
    ShowPair(1, "R (ohms): ");
    ShowPair(2, "X (ohms): ");
    for (int i = 2; i < 4; ++i) {
        labels_[i]->hide();
        boxes_[i]->hide();
    }
    cmdAccept_->show();
    s_.StageIndex = 0;
    mode_ = Mode::Editing;
}

void DesignPage::DrawPalette() {
    prompt_->hide();
    Surface& g = Drawing();
    g.SetTextColour(kBlack);
    g.Text(6000, 8000, kPalettePrompt);
    const SymbolStyle style = DesignPageStyle();
    s_.SymbolColour = 0;
    auto row = [&](double y, const int (&codes)[7]) {
        s_.PenX = 3500;
        s_.PenY = y;
        for (int i = 0; i < 7; ++i) {
            if (i > 0) {
                s_.PenX += 60;
                g.SetColour(kSeparatorBlue);
                g.Line(s_.PenX, s_.PenY - 300, s_.PenX, s_.PenY + 1300);
                g.SetColour(kBlack);
                s_.PenX += 60;
            }
            if (codes[i] == ShuntLCPair) DrawWireSegment(s_, g, style);
            DrawElementSymbol(s_, g, style, codes[i]);
            if (codes[i] == ShuntLCPair) DrawWireSegment(s_, g, style);
        }
    };
    row(4500, kPaletteRow1);
    row(6500, kPaletteRow2);
}

void DesignPage::PickFromPalette(double x, double y) {
    static constexpr double row1[7] = {3500, 4500, 5500, 6700, 8000, 9000, 10200};
    static constexpr double row2[7] = {3500, 4500, 5500, 6700, 7900, 9000, 10000};
    const int stage = selectedStage_;
    int code = s_.ElementType[stage];
    if (y > 4300 && y < 5400) {
        code = CodeAt(x, row1, kPaletteRow1);
    } else if (y > 6200 && y < 7500) {
        code = CodeAt(x, row2, kPaletteRow2);
    }
    // A click on a row's very left edge chooses nothing; the palette stays.
    if (code < 0) return;

    // The element chosen here and the values accepted for it are one change.
    if (!editBefore_) editBefore_ = TakeSnapshot(s_);
    stagePickEnabled_ = false;
    s_.ElementType[stage] = static_cast<std::int16_t>(code);
    cmdAnalyze_->setEnabled(false);
    Surface& g = Drawing();
    g.SetColour(kWhite);
    // A little wider than the palette, so no smoothed edge of its first
    // strokes is left standing.
    g.FillBox(3450, 3000, 11500, 8500);
    g.SetColour(kBlack);
    DrawPreview(code);

    if (code == EmptyStage) {
        for (int slot = 1; slot <= 4; ++slot) s_.Value[stage][slot] = 0;
        context_.undo.Push(s_, "Stage edit", *std::exchange(editBefore_, std::nullopt));
        cmdAccept_->hide();
        Redraw();
        UpdateAnalyzeButton();
        stagePickEnabled_ = true;
        prompt_->show();
        mode_ = Mode::Idle;
        return;
    }

    ClearBoxes();
    const auto& v = s_.Value[stage];
    // Zero Qs, lengths, impedances and resistances, and zero frequencies,
    // are left blank for the user to fill; a zero capacitance or inductance
    // still shows its unit.
    auto offer = [&](int n, const std::string& text, const char* blank) {
        if (text != blank) boxes_[n - 1]->setText(Q(text));
    };
    if (IsCapacitor(code)) {
        boxes_[0]->setText(Q(FormatCapacitance(v[1])));
        offer(2, FormatResistance(v[2]), "0 ");
        ShowPair(1, "Capacitance (F): ");
        ShowPair(2, "Capacitor Q: ");
    } else if (IsInductor(code)) {
        boxes_[0]->setText(Q(FormatInductance(v[1])));
        offer(2, FormatResistance(v[2]), "0 ");
        ShowPair(1, "Inductance (H): ");
        ShowPair(2, "Inductor Q: ");
    } else if (IsLineOrStub(code)) {
        offer(1, FormatResistance(v[1]), "0 ");
        offer(2, FormatGeneral(v[2]), "0.0 ");
        offer(3, FormatResistance(v[3]), "0 ");
        ShowPair(1, "Length (deg): ");
        ShowPair(2, "Frequency (Hz): ");
        ShowPair(3, "Impedance: ");
    } else if (IsLCPair(code)) {
        boxes_[0]->setText(Q(FormatInductance(v[1])));
        offer(2, FormatResistance(v[2]), "0 ");
        boxes_[2]->setText(Q(FormatCapacitance(v[3])));
        offer(4, FormatResistance(v[4]), "0 ");
        ShowPair(1, "Inductance (H): ");
        ShowPair(2, "Inductor Q: ");
        ShowPair(3, "Capacitance (F): ");
        ShowPair(4, "Capacitor Q: ");
    } else if (IsResistor(code)) {
        offer(1, FormatResistance(v[1]), "0 ");
        ShowPair(1, "Resistance: ");
    }
    cmdAccept_->show();
    mode_ = Mode::Editing;
}

void DesignPage::ShowPair(int n, const char* caption) {
    labels_[n - 1]->setText(caption);
    labels_[n - 1]->show();
    boxes_[n - 1]->show();
}

void DesignPage::ClearBoxes() {
    for (auto* box : boxes_) box->clear();
}

void DesignPage::HideEditor() {
    for (int i = 0; i < 4; ++i) {
        labels_[i]->hide();
        boxes_[i]->clear();
        boxes_[i]->hide();
    }
    cmdAccept_->hide();
}

// Analyze is offered only while every stage can be calculated: a stage that
// failed its check (or came in bad from a file) keeps it disabled.
void DesignPage::UpdateAnalyzeButton() {
    bool ok = true;
    for (int k = kFirstStage; k <= kLastStage; ++k) ok = ok && StageValuesValid(s_, k);
    cmdAnalyze_->setEnabled(ok);
}

void DesignPage::Accept() {
    prompt_->show();
    Host& host = context_.host;
    const int stage = s_.StageIndex;
    auto& v = s_.Value[stage];
    const int used = stage == 0 ? 2 : UsedValueSlots(s_.ElementType[stage]);
    for (int n = 1; n <= used; ++n) v[n] = ReadBox(boxes_[n - 1]);
    for (const std::string& message : ApplyStageValueRules(s_, stage)) host.ShowMessage(message);
    HideEditor();
    stagePickEnabled_ = true;
    mode_ = Mode::Idle;
    Redraw();
    UpdateAnalyzeButton();
    if (editBefore_)
        context_.undo.Push(s_, stage == 0 ? "Load edit" : "Stage edit",
                           *std::exchange(editBefore_, std::nullopt));
}

// ---- Commands ---------------------------------------------------------------

void DesignPage::ReadFrequencyBox() {
    Host& host = context_.host;
    // The parser bounds its numbers at the maximum frequency, so a typed
    // 20 GHz arrives as exactly 10 GHz and must still be reported.
    bool bounded = false;
    s_.TestFrequency = ReadBox(txtFrequency_, bounded);
    txtFrequency_->setText(Q(FormatGeneral(s_.TestFrequency)));
    if (s_.TestFrequency < kMinFrequency) {
        s_.TestFrequency = kMinFrequency;
        txtFrequency_->setText(Q(FormatGeneral(s_.TestFrequency)));
        host.ShowMessage("Frequency has been reset to the minimum allowed.");
    }
    if (s_.TestFrequency > kMaxFrequency || (bounded && s_.TestFrequency >= kMaxFrequency)) {
        s_.TestFrequency = kMaxFrequency;
        txtFrequency_->setText(Q(FormatGeneral(s_.TestFrequency)));
        host.ShowMessage("Frequency has been reset to the maximum allowed.");
    }
}

void DesignPage::ReadSystemZBox() {
    Host& host = context_.host;
    s_.SystemZ = ReadBox(txtSystemZ_);
    txtSystemZ_->setText(Q(FormatImpedance(s_.SystemZ)));
    if (s_.SystemZ < kMinSystemZ) {
        s_.SystemZ = kMinSystemZ;
        txtSystemZ_->setText(Q(FormatImpedance(s_.SystemZ)));
        host.ShowMessage("System impedance has been reset to the minimum allowed.");
    }
    if (s_.SystemZ > kMaxSystemZ) {
        s_.SystemZ = kMaxSystemZ;
        txtSystemZ_->setText(Q(FormatImpedance(s_.SystemZ)));
        host.ShowMessage("System impedance has been reset to the maximum allowed.");
    }
}

void DesignPage::EnterFrequency() {
    UndoStep step(context_.undo, s_, "Test frequency");
    // With a load table the test frequency is the table's present point.
    if (s_.LoadMode == LoadTable && s_.LoadPointIndex >= 1 && s_.LoadPointIndex <= s_.LoadRows) {
        s_.TestFrequency = s_.LoadFreq[s_.LoadPointIndex];
        txtFrequency_->setText(Q(FormatGeneral(s_.TestFrequency)));
    }
    ReadFrequencyBox();
    // A transmission line prints the test frequency under its symbol.
    RedrawKeepingPlace();
}

void DesignPage::EnterSystemZ() {
    UndoStep step(context_.undo, s_, "System impedance");
    ReadSystemZBox();
    // The generator prints the system impedance.
    RedrawKeepingPlace();
}

void DesignPage::GetLoadTable() {
    UndoStep step(context_.undo, s_, "Get freq/load");
    Host& host = context_.host;
    const auto before = std::make_unique<SessionState>(s_);
    // Kept here, not only in SavedSweepPoints, which the reader itself
    // overwrites with the count it found on entry.
    const std::int16_t held = s_.SweepPoints;
    const std::int16_t savedBefore = s_.SavedSweepPoints;
    s_.SavedSweepPoints = held;
    s_.SweepPoints = 0;
    FileDialogRequest request;
    request.title = "Get frequencies and load data";
    request.filter =
        "Load data and Touchstone files (*.RJX *.sNp *.ts)|*.RJX;*.s?p;*.s??p;*.ts|"
        "Quendavore load data files (*.RJX)|*.RJX|Touchstone files (*.sNp *.ts)|"
        "*.s?p;*.s??p;*.ts|All files (*)|*";
    request.confirmOverwrite = false;
    const std::optional<std::string> name = host.OpenFileName(request);
    if (name && IsTouchstoneFile(*name)) {
        // All or nothing: a refused file leaves the load and the network as
        // they were.
        s_.SweepPoints = held;
        if (!ReadTouchstoneLoad(*name, s_, host)) {
            s_.SavedSweepPoints = savedBefore;
            return;
        }
        s_.LoadFileName = *name;
    } else if (name) {
        s_.LoadFileName = *name;
        ParseLoadData(*name, s_, host);
    }
    // A table with a row outside the band is refused whole: the design
    // could not be saved readably with it.
    if (const std::string problem = name ? LoadTableProblem(s_, *name) : std::string();
        !problem.empty()) {
        host.ShowMessage(problem);
        s_ = *before;
        return;
    }
    if (s_.SweepPoints == 0) {
        s_.SweepPoints = held;
        s_.SavedSweepPoints = held;
        // Only a table in use is kept: without one the count is a sweep's,
        // and rows left by a refused file are no table.
        if (held == 0 || before->LoadMode != LoadTable) {
            host.ShowMessage("There are no test frequencies to allow a sweep");
            s_.LoadMode = SingleLoad;
            return;
        }
    }
    ApplyLoadTable(s_);
    // The box shows the table's test point, so that Analyze, which reads
    // the box, keeps it.
    txtFrequency_->setText(Q(FormatGeneral(s_.TestFrequency)));
    RedrawKeepingPlace();
}

void DesignPage::GetNetwork() {
    FileDialogRequest request;
    request.title = "Read Quendavore network file";
    request.filter = "Quendavore files (*.QVF)|*.QVF";
    request.initialName = s_.CurrentFileName;
    request.confirmOverwrite = false;
    // A cancelled dialog keeps the present network and its file name.
    auto name = context_.host.OpenFileName(request);
    if (!name || name->empty()) return;
    {
        UndoStep step(context_.undo, s_, "Get net");
        s_.CurrentFileName = *name;
        ReadNetworkFile(*name, s_, context_.host);
    }
    Open();
}

void DesignPage::SaveNetwork() {
    FileDialogRequest request;
    request.title = "Save Quendavore network file";
    request.filter = "Quendavore files (*.QVF)|*.QVF";
    request.initialName = s_.CurrentFileName;
    auto name = context_.host.SaveFileName(request);
    if (!name || name->empty()) return;
    const WriteResult written = WriteNetworkFile(*name, s_, context_.host.ShortDate());
    if (!written.ok()) {
        // The design keeps the name it had: nothing was saved under the new one.
        context_.host.ShowMessage(WriteFailureMessage(written));
        return;
    }
    // The writer always uses the .QVF extension; remember the file that
    // really exists, so that Get net and the exit dialog find it again.
    s_.CurrentFileName = written.path;
    SetCaption();
}

void DesignPage::Compact() {
    UndoStep step(context_.undo, s_, "Compact");
    for (int stage = kFirstStage; stage < kLastStage; ++stage) {
        if (s_.ElementType[stage + 1] >= 1 && s_.ElementType[stage] == 0) {
            s_.ElementType[stage] = s_.ElementType[stage + 1];
            for (int slot = 1; slot < kValueSlots; ++slot) {
                s_.Value[stage][slot] = s_.Value[stage + 1][slot];
                s_.Value[stage + 1][slot] = 0;
            }
            s_.ElementType[stage + 1] = 0;
        }
    }
    Open();
}

// The match is computed for the frequency and impedance the boxes show; the
// page then shows whatever network the dialog left.
void DesignPage::Match() {
    {
        UndoStep step(context_.undo, s_, "Values typed");
        ReadSystemZBox();
        ReadFrequencyBox();
    }
    {
        UndoStep step(context_.undo, s_, "Match");
        context_.navigator.ShowModal(PageId::Match);
    }
    Open();
}

void DesignPage::Analyze() {
    UndoStep step(context_.undo, s_, "Values typed");
    ReadSystemZBox();
    ReadFrequencyBox();
    context_.navigator.Show(PageId::Analyze);
}

// The options page takes this page's place; it shows the Design page again
// when the user returns, so this page reopens on whatever was set there.
void DesignPage::Setup() { context_.navigator.Show(PageId::Setup); }

void DesignPage::Exit() { context_.navigator.ShowModal(PageId::Exit); }

std::unique_ptr<PageWindow> MakeDesignPage(PageContext& context) {
    return std::make_unique<DesignPage>(context);
}

}  // namespace qv
