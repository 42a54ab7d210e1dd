// Printed sheets on a QPrinter writing PDF files, read back with poppler's
// pdfinfo and pdftoppm.
#include <gtest/gtest.h>

#include <filesystem>

#include <QDir>
#include <QPdfWriter>
#include <QFile>
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
    PageTransform t = SheetTransform(kFitted, 5000, 6000, 600);  // portrait
    EXPECT_NEAR(t.scale, 6000 / 15200.0, 1e-12);
    EXPECT_NEAR(2 * t.offsetX + 11500 * t.scale, 5000, 1e-9);
    EXPECT_EQ(t.offsetY, 0);
    t = SheetTransform(kFitted, 7000, 5000, 600);  // landscape: all of it, centred
    EXPECT_NEAR(15200 * t.scale, 5000, 1e-9);
    EXPECT_NEAR(2 * t.offsetX + 11500 * t.scale, 7000, 1e-9);

    t = SheetTransform(SheetLayout{SheetLayout::Twips, 0, 0, 1008}, 5000, 6000, 1440);
    EXPECT_EQ(t.scale, 1);
    EXPECT_EQ(t.offsetX, 1008);
    EXPECT_EQ(t.offsetY, 1008);
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

    RunTool("pdftoppm", {"-png", "-r", "40", "-f", "3", "-l", "3", pdf, dir.filePath("p")});
    const QStringList pngs = QDir(dir.path()).entryList({"p*.png"});
    ASSERT_EQ(pngs.size(), 1);
    const QImage page(dir.filePath(pngs.front()));
    EXPECT_TRUE(test::Inked(page, QPointF(page.width() / 2.0, page.height() / 2.0), 4));
    EXPECT_FALSE(test::Inked(page, QPointF(page.width() * 0.9, page.height() * 0.1), 2));
}

TEST(Printing, FailuresLeaveNoFileAndCancelSendsNothing) {
    ScriptedHost host;  // no answer queued: the dialog is cancelled
    HostPrintHost printing(host);
    EXPECT_FALSE(printing.ChoosePrinter("Print"));
    EXPECT_NE(printing.Send(ThreeSheets(), kFitted), "");

    QTemporaryDir dir;
    const QString pdf = dir.filePath("missing-folder/sheets.pdf");
    host.printAnswers.push_back(PrintChoice{"", pdf.toStdString()});
    ASSERT_TRUE(printing.ChoosePrinter("Print"));
    EXPECT_NE(printing.Send(ThreeSheets(), kFitted), "");
    EXPECT_FALSE(QFile::exists(pdf));

    host.timeOfDay = 13 * 3600 + 5 * 60 + 9.7;
    EXPECT_EQ(printing.DateTimeText(), "01/02/2024 13:05:09");
}

// Every PDF the program writes (printouts to a file, pictures) fails for
// real with the file's name and the system's reason, and leaves the file it
// was to replace as it was.
TEST(Printing, PdfWritesThatFailNameTheFileAndReasonAndKeepTheEarlierFile) {
    test::TempDir dir;
    std::filesystem::create_directory(dir.File("folder.pdf"));
    std::filesystem::create_symlink("/dev/full", dir.File("device.pdf"));
    std::vector<std::pair<std::string, std::string>> cases = {
        {dir.File("gone/out.pdf"), "No such file or directory"},
        {dir.File("folder.pdf"), "Is a directory"},
        {dir.File("device.pdf"), "not a regular file"},
    };
    test::SmallDisk full("size=64k"), readOnly("size=64k");
    if (full.mounted && readOnly.mounted) {
        test::WriteAll(full.dir.File("out.pdf"), "earlier");
        test::WriteAll(full.dir.File("filler"), std::string(256 * 1024, 'x'));  // fills it
        test::WriteAll(readOnly.dir.File("out.pdf"), "earlier");
        ASSERT_TRUE(readOnly.RemountReadOnly());
        cases.push_back({full.dir.File("out.pdf"), "No space left on device"});
        cases.push_back({readOnly.dir.File("out.pdf"), "Read-only file system"});
    }
    const SheetRecording doc = ThreeSheets();
    ScriptedHost host;
    HostPrintHost printing(host);
    for (const auto& [path, reason] : cases) {
        host.printAnswers.push_back(PrintChoice{"", path});
        ASSERT_TRUE(printing.ChoosePrinter("Print"));
        const std::string printed = printing.Send(doc, kFitted);
        const std::string pictured = WritePictureFile(path, doc.Sheets()[0], {11500, 15200, 115, 152});
        for (const std::string& problem : {printed, pictured}) {
            EXPECT_NE(problem.find(path), std::string::npos) << problem;
            EXPECT_NE(problem.find(reason), std::string::npos) << problem;
        }
        if (path.find("out.pdf") != std::string::npos && std::filesystem::exists(path)) {
            EXPECT_EQ(test::ReadAll(path), "earlier") << path;
        }
    }
    if (!full.mounted) GTEST_SKIP() << "cannot mount a small file system here";
}

TEST(Printing, PdfIsCompleteOnlyWithHeaderAndTrailer) {
    QByteArray bytes;
    ASSERT_EQ(PaintPdf(bytes, [](QPdfWriter&) {}, [](QPdfWriter&, QPainter&) { return true; }), "");
    EXPECT_TRUE(PdfComplete(bytes));
    EXPECT_FALSE(PdfComplete(bytes.left(bytes.size() - 8)));
    EXPECT_FALSE(PdfComplete(QByteArray()));
    EXPECT_NE(PaintPdf(bytes, [](QPdfWriter&) {}, [](QPdfWriter&, QPainter&) { return false; }), "");
}

}  // namespace
}  // namespace qv
