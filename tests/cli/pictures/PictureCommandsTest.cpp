// quendavore-calc chart and plot, run as a process with no display, their
// files read back by other means: the PNG's pixels, the SVG as XML, the PDF
// through poppler's pdftoppm.
#include <gtest/gtest.h>

#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include "files/NetworkFile.h"
#include "platform/Pixels.h"

namespace qv {
namespace {

struct Outcome { int status; QString err; };

Outcome Calc(const QStringList& args) {
    QProcess p;
    // No display anywhere, and a platform asked for that needs one: the
    // tool must choose the offscreen one itself.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("DISPLAY");
    env.remove("WAYLAND_DISPLAY");
    env.insert("QT_QPA_PLATFORM", "xcb");
    p.setProcessEnvironment(env);
    p.start(QV_CALC_PATH, args);
    p.waitForFinished(60000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardError())};
}

// At 1188 x 948 pixels for 11880 x 9480 twips, the chart's centre (8000,
// 5700) is at (800, 570) and its rim, radius 3500, 350 pixels away.
void ExpectChartGrid(const QImage& img) {
    ASSERT_EQ(img.size(), QSize(1188, 948));
    const QColor rimTop = img.pixelColor(800, 221);
    EXPECT_TRUE(rimTop.red() > 200 && rimTop.green() < 120) << rimTop.name().toStdString();
    // The r = 1 circle runs through (975, 395); outside the rim at
    // (1170, 230) the paper shows.
    EXPECT_TRUE(test::Inked(img, QPointF(975, 395), 2));
    EXPECT_FALSE(test::Inked(img, QPointF(1170, 230), 3));
}

class PictureCommands : public ::testing::Test {
protected:
    void SetUp() override {
        SessionState s;
        ResetNetwork(s);
        s.TestFrequency = 14.2e6;
        s.Value[0][1] = 50;
        s.SweepStart = 10e6, s.SweepStop = 20e6, s.SweepPoints = 11;
        ASSERT_TRUE(WriteNetworkFile(File("n.QVF").toStdString(), s, "d"));
    }
    QString File(const char* name) const { return dir.filePath(name); }
    QTemporaryDir dir;
};

TEST_F(PictureCommands, ChartAsPngSvgAndPdfShowsTheGridWhereItBelongs) {
    ASSERT_EQ(Calc({"chart", File("n.QVF"), "-o", File("c.png")}).status, 0);
    ExpectChartGrid(QImage(File("c.png")));

    ASSERT_EQ(Calc({"chart", File("n.QVF"), "-o", File("c.svg")}).status, 0);
    QFile svg(File("c.svg"));
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&svg);
    QString viewBox;
    QStringList texts;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) continue;
        if (xml.name() == u"svg") viewBox = xml.attributes().value("viewBox").toString();
        if (xml.name() == u"text") texts << xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_EQ(viewBox, "0 0 1188 948");
    EXPECT_EQ(QImage(File("c.svg")).size(), QSize(1188, 948));
    EXPECT_TRUE(texts.contains("Chart normalized to 50 ohms"));

    if (QStandardPaths::findExecutable("pdftoppm").isEmpty()) GTEST_SKIP() << "no poppler";
    ASSERT_EQ(Calc({"chart", File("n.QVF"), "-o", File("c.pdf")}).status, 0);
    QProcess::execute("pdftoppm", {"-png", "-r", "96", "-singlefile", File("c.pdf"), File("p")});
    ExpectChartGrid(QImage(File("p.png")));
}

TEST_F(PictureCommands, PlotTakesItsSizeAndFailuresLeaveNoFile) {
    const Outcome plot = Calc({"plot", File("n.QVF"), "--trace", "vswr", "--size", "600x400", "-o", File("p.png")});
    ASSERT_TRUE(plot.status == 0 && plot.err.isEmpty()) << plot.err.toStdString();
    EXPECT_EQ(QImage(File("p.png")).size(), QSize(600, 400));

    for (const QString& target : {File("no/p.png"), File("p.gif")}) {
        const Outcome r = Calc({"plot", File("n.QVF"), "-o", target});
        EXPECT_TRUE(r.status == 2 && r.err.count('\n') == 1 && !QFile::exists(target)) << r.err.toStdString();
    }
}

}  // namespace
}  // namespace qv
