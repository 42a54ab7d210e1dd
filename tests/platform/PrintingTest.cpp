// Printed sheets on a QPrinter writing PDF files, read back with poppler's
// pdfinfo and pdftoppm.
#include <gtest/gtest.h>

#include <filesystem>

#include <QPdfWriter>
#include <QPrinter>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "files/TempDir.h"
#include "platform/PdfFile.h"
#include "platform/PictureFile.h"
#include "platform/Pixels.h"
#include "platform/Printing.h"
#include "platform/ScriptedHost.h"

namespace qv {
namespace {

SheetRecording ThreeSheets() {
    SheetRecording doc;
    for (int k = 0; k < 3; ++k) {
        if (k > 0) doc.NewPage();
        doc.SetLineWidth(8);
        doc.Line(1000, 1000, 10500, 14200);
        doc.Text(1000, 500, "Sheet " + std::to_string(k + 1));
    }
    doc.EndDoc();
    return doc;
}

const SheetLayout kFitted{SheetLayout::FitToPaper, 11500, 15200};

QString RunTool(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    p.waitForFinished();
    return QString::fromUtf8(p.readAllStandardOutput());
}

TEST(Printing, SheetsAreFittedAndCentredOrPlacedInTwips) {
    PageTransform t = SheetTransform(kFitted, 5000, 6000, 600);  // portrait: the height fills
    EXPECT_NEAR(2 * t.offsetX + 11500 * t.scale, 5000, 1e-9);
    EXPECT_TRUE(t.offsetY == 0 && std::abs(15200 * t.scale - 6000) < 1e-9);
    t = SheetTransform(kFitted, 7000, 5000, 600);  // landscape: all of it, centred
    EXPECT_NEAR(15200 * t.scale, 5000, 1e-9);
    EXPECT_NEAR(2 * t.offsetX + 11500 * t.scale, 7000, 1e-9);
    t = SheetTransform(SheetLayout{SheetLayout::Twips, 0, 0, 1008}, 5000, 6000, 1440);
    EXPECT_EQ(std::tuple(t.scale, t.offsetX, t.offsetY), std::tuple(1.0, 1008.0, 1008.0));
}

TEST(Printing, MultiSheetDocumentToPdfHasEveryPageInked) {
    if (QStandardPaths::findExecutable("pdftoppm").isEmpty()) GTEST_SKIP() << "no poppler";
    QTemporaryDir dir;
    const QString pdf = dir.filePath("sheets.pdf");
    ScriptedHost host;
    host.printAnswers.push_back(PrintChoice{"", pdf.toStdString()});
    HostPrintHost printing(host);
    ASSERT_TRUE(printing.ChoosePrinter("Print"));
    ASSERT_EQ(printing.Send(ThreeSheets(), kFitted), "");
    EXPECT_TRUE(RunTool("pdfinfo", {pdf}).contains(QRegularExpression("Pages:\\s+3\\n")));

    RunTool("pdftoppm", {"-png", "-r", "40", "-f", "3", "-l", "3", "-singlefile", pdf, dir.filePath("p")});
    const QImage page(dir.filePath("p.png"));
    ASSERT_FALSE(page.isNull());
    EXPECT_TRUE(test::Inked(page, QPointF(page.width() / 2.0, page.height() / 2.0), 4));
    EXPECT_FALSE(test::Inked(page, QPointF(page.width() * 0.9, page.height() * 0.1), 2));
}

TEST(Printing, GreyScaleIsCarriedIntoThePdfFile) {
    if (QStandardPaths::findExecutable("pdftoppm").isEmpty()) GTEST_SKIP() << "no poppler";
    QTemporaryDir dir;
    const QString pdf = dir.filePath("grey.pdf");
    SheetRecording doc;
    doc.SetColour(Rgb(255, 0, 0));
    doc.FillBox(1000, 1000, 10500, 14200);
    doc.EndDoc();
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    printer.setColorMode(QPrinter::GrayScale);
    ASSERT_EQ(PrintSheets(printer, doc.Sheets(), kFitted), "");
    RunTool("pdftoppm", {"-png", "-r", "20", "-singlefile", pdf, dir.filePath("page")});
    const QImage page(dir.filePath("page.png"));
    const QColor c = page.pixelColor(page.width() / 2, page.height() / 2);
    EXPECT_TRUE(c.red() < 200 && c.red() == c.green() && c.green() == c.blue()) << c.name().toStdString();
}

TEST(Printing, CancelSendsNothingAndTheDateIsThePrintoutsForm) {
    ScriptedHost host;  // no answer queued: the dialog is cancelled
    HostPrintHost printing(host);
    EXPECT_FALSE(printing.ChoosePrinter("Print"));
    EXPECT_NE(printing.Send(ThreeSheets(), kFitted), "");
    host.timeOfDay = 13 * 3600 + 5 * 60 + 9.7;
    EXPECT_EQ(printing.DateTimeText(), "01/02/2024 13:05:09");
}

// Every PDF the program writes (printouts to a file, pictures) goes through
// the checked replace, whose failures (full and read-only disks among them)
// are the file layer's tests: here it is enough that the file's name and the
// reason come through, and only the checked replace refuses a device.
TEST(Printing, PdfWritesThatFailNameTheFileAndTheReason) {
    test::TempDir dir;
    std::filesystem::create_symlink("/dev/full", dir.File("device.pdf"));
    const SheetRecording doc = ThreeSheets();
    ScriptedHost host;
    HostPrintHost printing(host);
    for (const auto& [path, reason] : {std::pair{dir.File("gone/out.pdf"), "No such file or directory"},
                                       std::pair{dir.File("device.pdf"), "not a regular file"}}) {
        host.printAnswers.push_back(PrintChoice{"", path});
        ASSERT_TRUE(printing.ChoosePrinter("Print"));
        const std::string printed = printing.Send(doc, kFitted);
        const std::string pictured = WritePictureFile(path, doc.Sheets()[0], {11500, 15200, 115, 152});
        for (const std::string& problem : {printed, pictured}) {
            EXPECT_NE(problem.find(path), std::string::npos) << problem;
            EXPECT_NE(problem.find(reason), std::string::npos) << problem;
        }
    }
}

TEST(Printing, PdfIsCompleteOnlyWithHeaderAndTrailer) {
    QByteArray bytes;
    ASSERT_EQ(PaintPdf(bytes, [](QPdfWriter&) {}, [](QPdfWriter&, QPainter&) { return true; }), "");
    EXPECT_TRUE(PdfComplete(bytes) && !PdfComplete(bytes.left(bytes.size() - 8)) && !PdfComplete(QByteArray()));
    EXPECT_NE(PaintPdf(bytes, [](QPdfWriter&) {}, [](QPdfWriter&, QPainter&) { return false; }), "");
}

}  // namespace
}  // namespace qv
