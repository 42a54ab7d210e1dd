// Printed documents on a QPrinter: a real printer, or a PDF file for the
// many users without one.
//
// Page mapping (SheetLayout): a fitted sheet is scaled to the printable area
// of whatever paper and orientation, keeping its proportions, and centred;
// a twips sheet is drawn at true size from an origin inset into the
// printable area.
//
// Line widths on paper: width w is w dots of a 300 dpi printer (w/300 inch),
// at least one device dot, the way the printers the widths were chosen for
// drew them. Fonts keep their point sizes relative to the sheet.
#pragma once

#include <QPointer>
#include <QWidget>
#include <optional>
#include <string>
#include <vector>

#include "drawing/PrintSurface.h"
#include "platform/Host.h"
#include "platform/Replay.h"
#include "print/PrintHost.h"

class QPrinter;

namespace qv {

// Logical sheet units to device pixels for a printable area of the given
// size (pixels) at the given resolution (dots per inch).
PageTransform SheetTransform(const SheetLayout& layout, double deviceWidth, double deviceHeight,
                             double dpi);

// Sends the sheets to the printer, one page each. The document is complete
// or nothing: when a page fails the job is aborted. A printer set to a PDF
// file writes it whole through the checked replace or not at all (an
// earlier file of that name stays). Returns an empty string on success,
// else what went wrong (for a PDF file: its name and the system's reason).
std::string PrintSheets(QPrinter& printer, const std::vector<std::vector<DrawOp>>& sheets,
                        const SheetLayout& layout);

// The printouts' view of the desktop, built on the program's Host. With the
// real QtHost the printer is the one its print dialog configured and the
// titled boxes are real message boxes over `parent`; with any other Host
// (tests) the questions and messages go through it untitled, and a
// PrintChoice naming an output file prints to that PDF file.
class HostPrintHost : public PrintHost {
public:
    explicit HostPrintHost(Host& host, QWidget* parent = nullptr);
    ~HostPrintHost() override;

    bool ChoosePrinter(const std::string& title) override;
    bool AskYesNo(const std::string& title, const std::string& text) override;
    void ShowMessage(const std::string& title, const std::string& text) override;
    void Beep() override;
    std::string DateTimeText() override;
    std::string Send(const SheetRecording& document, const SheetLayout& layout) override;

private:
    Host& host_;
    QPointer<QWidget> parent_;
    std::optional<PrintChoice> choice_;
};

}  // namespace qv
