#include "pages/tabulate/TabulatePage.h"

#include <QFontDatabase>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <algorithm>

#include "files/ResultFiles.h"
#include "files/TableFile.h"
#include "platform/Printing.h"
#include "print/TablePrintout.h"

namespace qv {
namespace {

constexpr double kPageWidth = 12000;
constexpr double kPageHeight = 9000;

constexpr char kHeading[] = " Freq.      R:      jX:      Rho:     Angle:   Return:   VSWR:";

QFont FixedPitch() {
    QFont fixed("Courier");
    fixed.setStyleHint(QFont::TypeWriter);
    fixed.setFixedPitch(true);
    // The system's fixed font can resolve to a proportional face; fall back
    // to a family the install script always brings.
    if (!QFontInfo(fixed).fixedPitch()) fixed.setFamilies({"DejaVu Sans Mono", "Liberation Mono"});
    return fixed;
}

}  // namespace

TabulatePage::TabulatePage(PageContext& context)
    : PageWindow(kPageWidth, kPageHeight, nullptr, ScreenPageUnitsPerPoint(context.host, kPageWidth, kPageHeight)),
      context_(context),
      s_(context.state) {
    const double buttonPt = ScreenFontPoints(context.host);
    // Title, headings and list scale with the window like every page's text.
    SetDefaultFontSize(buttonPt);
    SetControlFont(AddLabel("lblTitle", "Tabulated Data", {240, 120, 0, 0}), buttonPt * 1.2, true);
    QLabel* heading = AddLabel("lblHeading0", kHeading, {1700, 890, 0, 0});
    list_ = AddListBox("lstTabulatedOutput", {1700, 1200, 8500, 5000});
    // Heading and list share one fixed-pitch font, so the heads sit over
    // their columns.
    heading->setFont(FixedPitch());
    list_->setFont(FixedPitch());
    SetControlFont(heading, DefaultFontSize());
    SetControlFont(list_, DefaultFontSize());

    auto* exit = AddButton("cmdExit", "Return", {1940, 6900, 1335, 300}, "Return to the Analyze page");
    auto* print = AddButton("cmdPrint", "To printer", {3440, 6900, 1335, 300},
                            "Send the tabulated dat to the printer");
    auto* file = AddButton("cmdFile", "To file", {4940, 6900, 1335, 300},
                           "Send the tabulated data to a file of your choice");
    for (QPushButton* b : {exit, print, file}) SetControlFont(b, buttonPt);
    connect(exit, &QPushButton::clicked, this, [this] { Return(); });
    connect(print, &QPushButton::clicked, this, [this] { ToPrinter(); });
    connect(file, &QPushButton::clicked, this, [this] { ToFile(); });

    FitToScreen();
    Open();
}

void TabulatePage::Open() {
    SetCaption();
    list_->clear();
    for (const std::string& line : TabulatedLines(s_)) list_->addItem(QString::fromStdString(line));
}

void TabulatePage::SetCaption() {
    setWindowTitle(QString::fromStdString("Quendavore " + s_.VersionText + " Tabulated output " +
                                          s_.CurrentFileName));
}

void TabulatePage::Return() { Done(0); }

void TabulatePage::ToPrinter() {
    HostPrintHost printing(context_.host, this);
    PrintTabulatedData(s_, printing);
}

void TabulatePage::ToFile() {
    FileDialogRequest request;
    request.title = "Write Quendavore data file";
    request.filter =
        "Quendavore data files (*.DAT)|*.DAT|Touchstone one-port files (*.s1p)|*.s1p|"
        "CSV files (*.csv)|*.csv";
    request.confirmOverwrite = true;
    request.initialName = lastDataFile_;
    const std::optional<std::string> name = context_.host.SaveFileName(request);
    if (!name || name->empty()) return;
    // The data file is not the design: CurrentFileName, the captions and the
    // file the exit dialog saves to stay the design's.
    const WriteResult written =
        WriteResultFile(*name, ResultFormatOf(*name), s_, context_.host.ShortDate());
    if (!written) {
        context_.host.ShowMessage(WriteFailureMessage(written));
        return;
    }
    lastDataFile_ = written.path;
}

std::unique_ptr<PageWindow> MakeTabulatePage(PageContext& context) {
    return std::make_unique<TabulatePage>(context);
}

}  // namespace qv
