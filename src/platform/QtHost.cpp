#include "platform/QtHost.h"

#include <QApplication>
#include <algorithm>
#include <cmath>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QFileDialog>
#include <QLocale>
#include <QMessageBox>
#include <QPrintDialog>
#include <QSettings>
#include <QRegularExpression>
#include <QScreen>
#include <QTime>

#include "platform/PageWindow.h"

namespace qv {

QStringList QtNameFilters(const std::string& filter) {
    QStringList result;
    for (const FileFilter& f : ParseFileFilter(filter)) {
        QStringList patterns;
        for (const std::string& p : f.patterns) {
            const QString q = QString::fromStdString(p);
            for (const QString& variant : {q, q.toUpper(), q.toLower()})
                if (!patterns.contains(variant)) patterns << variant;
        }
        // Qt reads the patterns from the last parentheses, so the
        // description's own "(*.QVF)" is replaced by the full list.
        QString description = QString::fromStdString(f.description);
        const qsizetype open = description.lastIndexOf('(');
        if (open > 0 && description.endsWith(')')) description = description.left(open).trimmed();
        if (description.isEmpty()) description = QStringLiteral("Files");
        result << description + " (" + patterns.join(' ') + ")";
    }
    return result;
}

QtHost::QtHost(QWidget* parent) : parent_(parent) {}

namespace {

// A message reads at the text size of the page it is about.
void UsePageTextSize(QWidget& box) {
    const auto* page = qobject_cast<const PageWindow*>(QApplication::activeWindow());
    if (!page) return;
    QFont font = box.font();
    font.setPixelSize(std::max(
        9, static_cast<int>(std::lround(page->DefaultFontSize() * page->UnitsPerPoint() * page->Scale()))));
    box.setFont(font);
}

constexpr char kFolderKey[] = "files/folder";

}  // namespace

void QtHost::ShowMessage(const std::string& text) {
    QMessageBox box(QMessageBox::NoIcon, kProgramTitle, QString::fromStdString(text),
                    QMessageBox::Ok, parent_);
    UsePageTextSize(box);
    box.exec();
}

bool QtHost::AskYesNo(const std::string& text) {
    QMessageBox box(QMessageBox::Question, kProgramTitle, QString::fromStdString(text),
                    QMessageBox::Yes | QMessageBox::No, parent_);
    UsePageTextSize(box);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

std::optional<std::string> QtHost::FileDialog(const FileDialogRequest& request, bool save) {
    QFileDialog dialog(parent_, QString::fromStdString(request.title));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    const QStringList filters = QtNameFilters(request.filter);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        dialog.selectNameFilter(filters.front());
    }
    // Every file dialog starts in the folder the user last chose a file in
    // (a name with a folder of its own still takes it there).
    QSettings settings;
    const QString folder = settings.value(kFolderKey).toString();
    if (!folder.isEmpty() && QDir(folder).exists()) dialog.setDirectory(folder);
    if (save && !filters.isEmpty()) {
        // A name typed without an extension takes the chosen filter's, so the
        // filter can choose what is written.
        const auto suffixOf = [](const QString& filter) {
            const qsizetype star = filter.indexOf(QStringLiteral("(*."));
            if (star < 0) return QString();
            QString suffix = filter.mid(star + 3);
            suffix = suffix.left(suffix.indexOf(QRegularExpression(QStringLiteral("[ )]"))));
            return suffix.contains('*') || suffix.contains('?') ? QString() : suffix;
        };
        dialog.setDefaultSuffix(suffixOf(filters.front()));
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                         [&dialog, suffixOf](const QString& f) { dialog.setDefaultSuffix(suffixOf(f)); });
    }
    if (!request.initialName.empty()) dialog.selectFile(QString::fromStdString(request.initialName));
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    const QString chosen = dialog.selectedFiles().front();
    settings.setValue(kFolderKey, QFileInfo(chosen).absolutePath());
    return chosen.toStdString();
}

std::optional<std::string> QtHost::OpenFileName(const FileDialogRequest& request) {
    return FileDialog(request, false);
}

std::optional<std::string> QtHost::SaveFileName(const FileDialogRequest& request) {
    return FileDialog(request, true);
}

std::optional<PrintChoice> QtHost::ChoosePrinter(const std::string& title) {
    QPrintDialog dialog(&printer_, parent_);
    if (!title.empty()) dialog.setWindowTitle(QString::fromStdString(title));
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    PrintChoice choice;
    if (printer_.outputFormat() == QPrinter::PdfFormat)
        choice.outputFile = printer_.outputFileName().toStdString();
    else
        choice.printerName = printer_.printerName().toStdString();
    return choice;
}

void QtHost::Beep() { QApplication::beep(); }

std::string QtHost::ShortDate() {
    return QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat).toStdString();
}

double QtHost::SecondsSinceMidnight() {
    return QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
}

void QtHost::ProcessEvents() { QApplication::processEvents(); }

namespace {
const QScreen* Screen(const QWidget* parent) {
    if (parent && parent->screen()) return parent->screen();
    return QGuiApplication::primaryScreen();
}
}  // namespace

double QtHost::ScreenWidthTwips() {
    const QScreen* s = Screen(parent_);
    return s ? s->geometry().width() * 1440.0 / s->logicalDotsPerInchX() : 0.0;
}

double QtHost::ScreenHeightTwips() {
    const QScreen* s = Screen(parent_);
    return s ? s->geometry().height() * 1440.0 / s->logicalDotsPerInchY() : 0.0;
}

}  // namespace qv
