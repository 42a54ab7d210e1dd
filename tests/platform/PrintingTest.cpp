// Printed sheets on a QPrinter writing PDF files, read back with poppler's
// command-line tools when they are installed.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

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
        doc.Line(1000, 1000, 10500, 14200);  // corner to corner, roughly
        doc.Text(1000, 500, "Sheet " + std::to_string(k + 1));
    }
    doc.EndDoc();
    return doc;
}

SheetLayout Fitted() {
    SheetLayout layout;
    layout.width = 11500;
    layout.height = 15200;
    return layout;
}

int PdfPages(const QString& path) {
    if (QStandardPaths::findExecutable("pdfinfo").isEmpty()) {
        // Without poppler, count the page objects.
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly)) return -1;
        const QByteArray bytes = f.readAll();
        return static_cast<int>(bytes.count("/Type /Page") - bytes.count("/Type /Pages"));
    }
    QProcess info;
    info.start("pdfinfo", {path});
    info.waitForFinished();
    for (const QString& line : QString::fromUtf8(info.readAllStandardOutput()).split('\n'))
        if (line.startsWith("Pages:")) return line.mid(6).trimmed().toInt();
    return -1;
}

TEST(Printing, SheetsAreFittedAndCentredOrPlacedInTwips) {
    // Portrait paper wider in proportion than the sheet: centred across.
    PageTransform t = SheetTransform(Fitted(), 5000, 6000, 600);
    EXPECT_NEAR(t.scale, 6000 / 15200.0, 1e-12);
    EXPECT_NEAR(t.offsetX * 2 + 11500 * t.scale, 5000, 1e-9);
    EXPECT_EQ(t.offsetY, 0);
    // Landscape: the whole sheet still shows, centred along.
    t = SheetTransform(Fitted(), 7000, 5000, 600);
    EXPECT_NEAR(15200 * t.scale, 5000, 1e-9);
    EXPECT_GT(t.offsetX, 0);

    SheetLayout twips;
    twips.mapping = SheetLayout::Twips;
    twips.origin = 1008;
    t = SheetTransform(twips, 5000, 6000, 1440);
    EXPECT_EQ(t.scale, 1);
    EXPECT_EQ(t.offsetX, 1008);
    EXPECT_EQ(t.offsetY, 1008);
}

TEST(Printing, MultiSheetDocumentToPdfHasEveryPageInked) {
    QTemporaryDir dir;
    const QString pdf = dir.filePath("sheets.pdf");
    ScriptedHost host;
    host.printAnswers.push_back(PrintChoice{"", pdf.toStdString()});
    HostPrintHost printing(host);
    ASSERT_TRUE(printing.ChoosePrinter("Print"));
    ASSERT_EQ(printing.Send(ThreeSheets(), Fitted()), "");
    ASSERT_TRUE(QFile::exists(pdf));
    EXPECT_EQ(PdfPages(pdf), 3);

    if (QStandardPaths::findExecutable("pdftoppm").isEmpty()) GTEST_SKIP() << "no pdftoppm";
    QProcess render;
    render.start("pdftoppm", {"-png", "-r", "40", "-f", "3", "-l", "3", pdf, dir.filePath("p")});
    ASSERT_TRUE(render.waitForFinished());
    const QStringList pngs = QDir(dir.path()).entryList({"p*.png"});
    ASSERT_EQ(pngs.size(), 1);
    const QImage page(dir.filePath(pngs.front()));
    ASSERT_FALSE(page.isNull());
    // The diagonal crosses the middle of the page.
    EXPECT_TRUE(test::Inked(page, QPointF(page.width() / 2.0, page.height() / 2.0), 4));
    EXPECT_FALSE(test::Inked(page, QPointF(page.width() * 0.9, page.height() * 0.1), 2));
}

TEST(Printing, FailuresLeaveNoFileAndCancelSendsNothing) {
    ScriptedHost host;  // no answer queued: the dialog is cancelled
    HostPrintHost printing(host);
    EXPECT_FALSE(printing.ChoosePrinter("Print"));
    EXPECT_NE(printing.Send(ThreeSheets(), Fitted()), "");

    QTemporaryDir dir;
    const QString pdf = dir.filePath("missing-folder/sheets.pdf");
    host.printAnswers.push_back(PrintChoice{"", pdf.toStdString()});
    ASSERT_TRUE(printing.ChoosePrinter("Print"));
    EXPECT_NE(printing.Send(ThreeSheets(), Fitted()), "");
    EXPECT_FALSE(QFile::exists(pdf));
}

TEST(Printing, FooterClockAndUntitledFallbacks) {
    ScriptedHost host;
    host.timeOfDay = 13 * 3600 + 5 * 60 + 9.7;
    host.yesNoAnswers.push_back(true);
    HostPrintHost printing(host);
    EXPECT_EQ(printing.DateTimeText(), "01/02/2024 13:05:09");
    EXPECT_TRUE(printing.AskYesNo("Caution", "Sure?"));
    printing.ShowMessage("Printer Error", "Out of paper");
    EXPECT_EQ(host.Texts("question"), std::vector<std::string>{"Sure?"});
    EXPECT_EQ(host.Texts("message"), std::vector<std::string>{"Out of paper"});
}

}  // namespace
}  // namespace qv
