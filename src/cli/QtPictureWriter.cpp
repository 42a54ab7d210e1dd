#include "cli/QtPictureWriter.h"

#include <QGuiApplication>

#include "platform/PictureFile.h"
#include "platform/Replay.h"

namespace qv {

namespace {
int gArgc = 1;
char gProgram[] = "quendavore-calc";
char* gArgv[] = {gProgram, nullptr};
}  // namespace

QtPictureWriter::QtPictureWriter() = default;
QtPictureWriter::~QtPictureWriter() = default;

void QtPictureWriter::EnsureApplication() {
    if (QCoreApplication::instance() != nullptr) return;
    // Forced, not defaulted: a command-line tool must not reach for a
    // display even where one is set.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt's own notes (a missing runtime folder and the like) are no
    // concern of a script reading the tool's output; problems that matter
    // come back from the writer.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    app_ = std::make_unique<QGuiApplication>(gArgc, gArgv);
}

void QtPictureWriter::PrepareSurface(RecordingSurface& surf) {
    EnsureApplication();
    UseQtTextMetrics(surf);
}

std::string QtPictureWriter::Write(const std::string& path, const std::vector<DrawOp>& ops,
                                   double logicalWidth, double logicalHeight, int pixelWidth,
                                   int pixelHeight) {
    EnsureApplication();
    PictureSpec spec;
    spec.logicalWidth = logicalWidth;
    spec.logicalHeight = logicalHeight;
    spec.pixelWidth = pixelWidth;
    spec.pixelHeight = pixelHeight;
    return WritePictureFile(path, ops, spec);
}

}  // namespace qv
