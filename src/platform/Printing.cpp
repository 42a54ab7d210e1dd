#include "platform/Printing.h"

#include <QColor>
#include <QFile>
#include <QMessageBox>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "files/TextFile.h"
#include "platform/PdfFile.h"
#include "platform/QtHost.h"

namespace qv {
namespace {

constexpr double kTwipsPerInch = 1440;
constexpr double kReferenceDotsPerInch = 300;

// Replay() sizes fonts by the units per point it is given and never draws a
// line thinner than its reference pixel (0.75 points). On paper the widths
// are printer dots instead, so the ops are rewritten for a replay at one
// unit per point: fonts carry their size in units, widths in device dots.
// On a printer set to grey scale every colour becomes its grey, weighted as
// the printer's own conversion weighs it: a PDF file is written by a writer
// that knows nothing of the printer's colour mode.
std::vector<DrawOp> ForPaper(const std::vector<DrawOp>& ops, const PageTransform& t, double dpi,
                             double unitsPerPoint, bool grey) {
    const double dotsPerWidth = dpi / kReferenceDotsPerInch;
    const double replayFloor = std::max(1.0, t.scale * 0.75);  // PenPixels at 1 unit per point
    std::vector<DrawOp> out;
    out.reserve(ops.size());
    for (DrawOp op : ops) {
        if (op.kind == DrawOp::Clear) continue;  // paper starts white
        op.width = std::max(1.0, std::max(op.width, 0.0) * dotsPerWidth) / replayFloor;
        op.font.sizePt *= unitsPerPoint;
        if (grey) {
            const int g = qGray(RedOf(op.colour), GreenOf(op.colour), BlueOf(op.colour));
            op.colour = Rgb(g, g, g);
        }
        out.push_back(std::move(op));
    }
    return out;
}

void Discard(QPrinter& printer) {
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty())
        QFile::remove(printer.outputFileName());
}

}  // namespace

PageTransform SheetTransform(const SheetLayout& layout, double deviceWidth, double deviceHeight,
                             double dpi) {
    PageTransform t;
    if (layout.mapping == SheetLayout::Twips) {
        t.scale = dpi > 0 ? dpi / kTwipsPerInch : 0;
        t.offsetX = t.offsetY = layout.origin * t.scale;
        return t;
    }
    t = PageTransform::Fit(layout.width, layout.height, deviceWidth, deviceHeight);
    t.offsetX = (deviceWidth - layout.width * t.scale) / 2;
    t.offsetY = (deviceHeight - layout.height * t.scale) / 2;
    return t;
}

namespace {

// Every sheet on an open painter, one page each, in the printer's colour
// mode; false when the device refuses a new page.
bool PaintSheets(QPainter& painter, QPagedPaintDevice& device, const QPrinter& printer,
                 const std::vector<std::vector<DrawOp>>& sheets, const SheetLayout& layout) {
    const double dpi = printer.resolution();
    const bool grey = printer.colorMode() == QPrinter::GrayScale;
    const PageTransform t = SheetTransform(layout, device.width(), device.height(), dpi);
    for (std::size_t k = 0; k < sheets.size(); ++k) {
        if (k > 0 && !device.newPage()) return false;
        Replay(painter, ForPaper(sheets[k], t, dpi, layout.unitsPerPoint, grey), t, 1.0);
    }
    return true;
}

// "Print to PDF": the document is made in memory on the printer's page
// layout and resolution and written through the checked replace, so the
// file is whole or the earlier one stays, and a failure says which file and
// the system's reason.
std::string PrintToPdfFile(QPrinter& printer, const std::vector<std::vector<DrawOp>>& sheets,
                           const SheetLayout& layout) {
    const std::string path = printer.outputFileName().toStdString();
    if (path.empty()) return "No PDF file was named.";
    QByteArray bytes;
    const std::string problem = PaintPdf(
        bytes,
        [&](QPdfWriter& pdf) {
            pdf.setResolution(printer.resolution());
            pdf.setPageLayout(printer.pageLayout());
            pdf.setCreator(printer.creator());
            pdf.setTitle(printer.docName());
        },
        [&](QPdfWriter& pdf, QPainter& painter) {
            return PaintSheets(painter, pdf, printer, sheets, layout);
        });
    if (!problem.empty()) return WriteFailureMessage({path, problem});
    const WriteResult written = ReplaceFileContents(
        path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    return written ? std::string() : WriteFailureMessage(written);
}

}  // namespace

std::string PrintSheets(QPrinter& printer, const std::vector<std::vector<DrawOp>>& sheets,
                        const SheetLayout& layout) {
    if (sheets.empty()) return {};
    if (printer.outputFormat() == QPrinter::PdfFormat) return PrintToPdfFile(printer, sheets, layout);
    QPainter painter;
    if (!painter.begin(&printer)) {
        Discard(printer);
        return "The printer could not be started.";
    }
    if (!PaintSheets(painter, printer, printer, sheets, layout)) {
        printer.abort();
        painter.end();
        Discard(printer);
        return "The printer did not take the next sheet.";
    }
    if (!painter.end() || printer.printerState() == QPrinter::Error) {
        Discard(printer);
        return "The printer could not finish the document.";
    }
    return {};
}

HostPrintHost::HostPrintHost(Host& host, QWidget* parent) : host_(host), parent_(parent) {}
HostPrintHost::~HostPrintHost() = default;

bool HostPrintHost::ChoosePrinter(const std::string& title) {
    choice_ = host_.ChoosePrinter(title);
    return choice_.has_value();
}

bool HostPrintHost::AskYesNo(const std::string& title, const std::string& text) {
    if (!dynamic_cast<QtHost*>(&host_)) return host_.AskYesNo(text);
    QMessageBox box(QMessageBox::Question, QString::fromStdString(title),
                    QString::fromStdString(text), QMessageBox::Yes | QMessageBox::No, parent_);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

void HostPrintHost::ShowMessage(const std::string& title, const std::string& text) {
    if (title.empty() || !dynamic_cast<QtHost*>(&host_)) {
        host_.ShowMessage(text);
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(title),
                    QString::fromStdString(text), QMessageBox::Ok, parent_);
    box.exec();
}

void HostPrintHost::Beep() { host_.Beep(); }

std::string HostPrintHost::DateTimeText() {
    const double seconds = std::clamp(host_.SecondsSinceMidnight(), 0.0, 86399.0);
    const int whole = static_cast<int>(seconds);
    char time[16];
    std::snprintf(time, sizeof time, "%02d:%02d:%02d", whole / 3600, whole / 60 % 60, whole % 60);
    return host_.ShortDate() + " " + time;
}

std::string HostPrintHost::Send(const SheetRecording& document, const SheetLayout& layout) {
    if (auto* qt = dynamic_cast<QtHost*>(&host_)) return PrintSheets(qt->Printer(), document.Sheets(), layout);
    if (!choice_) return "No printer was chosen.";
    QPrinter printer(QPrinter::HighResolution);
    if (!choice_->outputFile.empty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(choice_->outputFile));
    } else {
        printer.setPrinterName(QString::fromStdString(choice_->printerName));
    }
    return PrintSheets(printer, document.Sheets(), layout);
}

}  // namespace qv
