#include "soak/SoakHost.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <sys/resource.h>

namespace qv::soak {

namespace {

// Lists the regular files of a folder, full paths, in name order.
std::vector<std::string> FilesIn(const std::string& folder) {
    std::vector<std::string> files;
    const QFileInfoList entries =
        QDir(QString::fromStdString(folder)).entryInfoList(QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo& e : entries) files.push_back(e.absoluteFilePath().toStdString());
    return files;
}

bool Matches(const std::string& path, const std::vector<FileFilter>& filters) {
    if (filters.empty()) return true;
    const QString name = QFileInfo(QString::fromStdString(path)).fileName();
    for (const FileFilter& f : filters)
        for (const std::string& p : f.patterns)
            if (QDir::match(QString::fromStdString(p), name)) return true;
    return false;
}

}  // namespace

SoakHost::SoakHost(std::mt19937_64& random, std::string folder, std::string hostile,
                   std::function<void(const std::string&)> log, WriteChecker& writes,
                   std::function<void(PendingWrite&)> describe)
    : random_(random),
      folder_(std::move(folder)),
      hostile_(std::move(hostile)),
      log_(std::move(log)),
      writes_(writes),
      describe_(std::move(describe)) {
    clockStep = 0.5;  // the exit dialog's pause runs out after a few looks at the clock
    screenWidthTwips = 1920 * 15.0;
    screenHeightTwips = 1080 * 15.0;
}

int SoakHost::Below(int n) { return static_cast<int>(random_() % static_cast<unsigned>(n)); }

void SoakHost::ShowMessage(const std::string& text) {
    writes_.Failed(text);
    ScriptedHost::ShowMessage(text);
}

bool SoakHost::AskYesNo(const std::string& text) {
    const bool yes = Below(100) < 65;
    if (!yes) writes_.Declined();
    yesNoAnswers.push_back(yes);
    log_("  question \"" + text.substr(0, 80) + "\": " + (yes ? "Yes" : "No"));
    ++answers;
    return ScriptedHost::AskYesNo(text);
}

std::string SoakHost::SaveName(const FileDialogRequest& request) {
    std::vector<std::string> extensions;
    for (const FileFilter& f : ParseFileFilter(request.filter))
        for (const std::string& p : f.patterns)
            if (p.size() > 2 && p.rfind("*.", 0) == 0 && p.find_first_of("*?", 1) == std::string::npos)
                extensions.push_back(p.substr(1));
    const std::string extension =
        extensions.empty() ? ".txt" : extensions[static_cast<std::size_t>(Below(static_cast<int>(extensions.size())))];
    const int pick = Below(100);
    if (pick < 6) return {};
    if (pick < 14 && !request.initialName.empty()) return request.initialName;
    const std::string stem = folder_ + "/soak-" + std::to_string(Below(8));
    if (pick < 20) return stem;  // no extension: the program adds its own or keeps none
    if (pick < 25) return folder_ + "/gone/lost" + extension;  // a folder that does not exist
    if (pick < 29) {  // a folder with a file's name
        QDir().mkpath(QString::fromStdString(folder_ + "/adir" + extension));
        return folder_ + "/adir" + extension;
    }
    if (pick < 32) return folder_ + "/odd name \xC3\xBC.v2.qvf";
    return stem + extension;
}

// The file the program is to write: what lies there now is kept to compare,
// and now and then the disk "fills up" (a file-size limit) until the action
// is over.
void SoakHost::Expect(WriteKind kind, const std::string& path) {
    PendingWrite w;
    w.kind = kind;
    w.path = path;
    TakeBefore(w);
    describe_(w);
    if (Below(100) < 12) {
        w.sizeLimit = Below(3) ? Below(16384) : 0;
        rlimit limit{};
        getrlimit(RLIMIT_FSIZE, &limit);
        limit.rlim_cur = static_cast<rlim_t>(w.sizeLimit);
        if (setrlimit(RLIMIT_FSIZE, &limit) == 0) {
            log_("  the disk holds " + std::to_string(w.sizeLimit) + " bytes more a file");
        }
    }
    writes_.Expect(std::move(w));
}

void LiftFileSizeLimit() {
    rlimit limit{};
    if (getrlimit(RLIMIT_FSIZE, &limit) != 0 || limit.rlim_cur == limit.rlim_max) return;
    limit.rlim_cur = limit.rlim_max;
    setrlimit(RLIMIT_FSIZE, &limit);
}

std::string SoakHost::OpenName(const FileDialogRequest& request) {
    const int pick = Below(100);
    if (pick < 8) return {};
    if (pick < 11) return folder_ + "/missing.QVF";
    if (pick < 13) return folder_ + "/adir.QVF";
    std::vector<std::string> written = FilesIn(folder_);
    if (pick < 22 && !written.empty())
        return Mutant(written[static_cast<std::size_t>(Below(static_cast<int>(written.size())))]);
    std::vector<std::string> choices = pick < 50 ? FilesIn(hostile_) : written;
    // Mostly what the dialog's filter shows; sometimes "All files".
    if (Below(100) < 75) {
        const std::vector<FileFilter> filters = ParseFileFilter(request.filter);
        std::vector<std::string> shown;
        for (const std::string& f : choices)
            if (Matches(f, filters)) shown.push_back(f);
        if (!shown.empty()) choices = shown;
    }
    if (choices.empty()) return {};
    return choices[static_cast<std::size_t>(Below(static_cast<int>(choices.size())))];
}

std::string SoakHost::Mutant(const std::string& original) {
    QFile in(QString::fromStdString(original));
    if (!in.open(QIODevice::ReadOnly)) return original;
    std::string text = in.read(256 * 1024).toStdString();
    static const char* const kNumbers[] = {"1E+309", "-0", "NaN", "1.797693134862316E+308", "99999999999999999999",
                                           "-1E-320", "inf", "2001", "1001", "65536", "-32769", ""};
    const int changes = 1 + Below(3);
    for (int i = 0; i < changes && !text.empty(); ++i) {
        const std::size_t at = random_() % text.size();
        switch (Below(6)) {
            case 0: text.resize(at); break;
            case 1: text[at] = static_cast<char>(random_()); break;
            case 2: {  // a line twice
                const std::size_t start = text.rfind('\n', at);
                const std::size_t begin = start == std::string::npos ? 0 : start + 1;
                const std::size_t end = text.find('\n', at);
                text.insert(begin, text.substr(begin, (end == std::string::npos ? text.size() : end + 1) - begin));
                break;
            }
            case 3: {  // a line gone
                const std::size_t end = text.find('\n', at);
                text.erase(at, end == std::string::npos ? std::string::npos : end + 1 - at);
                break;
            }
            case 4: {  // a number replaced by one at or past the edge
                const std::size_t digit = text.find_first_of("0123456789", at);
                if (digit == std::string::npos) break;
                const std::size_t end = text.find_first_not_of("0123456789.E+-e", digit);
                text.replace(digit, (end == std::string::npos ? text.size() : end) - digit, kNumbers[Below(12)]);
                break;
            }
            default: text.insert(at, Below(2) ? std::string(1, '\0') : std::string("\r")); break;
        }
    }
    const QString suffix = QFileInfo(QString::fromStdString(original)).suffix();
    const std::string path =
        hostile_ + "/mutant-" + std::to_string(mutants_++ % 10) + (suffix.isEmpty() ? "" : "." + suffix.toStdString());
    QFile out(QString::fromStdString(path));
    if (out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        out.write(text.data(), static_cast<qint64>(text.size()));
    return path;
}

std::optional<std::string> SoakHost::OpenFileName(const FileDialogRequest& request) {
    const std::string name = OpenName(request);
    fileAnswers.push_back(name.empty() ? std::nullopt : std::optional<std::string>(name));
    log_("  open \"" + request.title + "\": " + (name.empty() ? "(cancel)" : name));
    ++answers;
    return ScriptedHost::OpenFileName(request);
}

std::optional<std::string> SoakHost::SaveFileName(const FileDialogRequest& request) {
    const std::string name = SaveName(request);
    fileAnswers.push_back(name.empty() ? std::nullopt : std::optional<std::string>(name));
    log_("  save \"" + request.title + "\": " + (name.empty() ? "(cancel)" : name));
    ++answers;
    const QFileInfo chosen(QString::fromStdString(name));
    if (name.empty()) return ScriptedHost::SaveFileName(request);
    if (request.title == "Save picture") {
        // A name without an extension is a PNG.
        Expect(WriteKind::Picture, chosen.suffix().isEmpty() ? name + ".png" : name);
    } else if (request.title == "Write Quendavore data file") {
        // Touchstone and CSV by their extension; anything else is the
        // tabulated-data file, its name cut at the first dot.
        const QString suffix = chosen.suffix().toLower();
        Expect(WriteKind::Data, suffix == "s1p" || suffix == "csv"
                                    ? name
                                    : (chosen.path() + "/" + chosen.baseName() + ".DAT").toStdString());
    }
    return ScriptedHost::SaveFileName(request);
}

std::optional<PrintChoice> SoakHost::ChoosePrinter(const std::string& title) {
    const int pick = Below(100);
    std::optional<PrintChoice> choice;
    if (pick >= 12) {
        choice = PrintChoice{};
        choice->outputFile = pick < 16   ? folder_ + "/gone/print.pdf"
                             : pick < 19 ? folder_ + "/adir.pdf"
                                         : folder_ + "/print-" + std::to_string(Below(3)) + ".pdf";
        if (pick >= 16 && pick < 19) QDir().mkpath(QString::fromStdString(choice->outputFile));
    }
    printAnswers.push_back(choice);
    log_("  print \"" + title + "\": " + (choice ? choice->outputFile : "(cancel)"));
    ++answers;
    if (choice) Expect(WriteKind::Print, choice->outputFile);
    return ScriptedHost::ChoosePrinter(title);
}

void SoakHost::ProcessEvents() {
    ScriptedHost::ProcessEvents();
    ++pumping;
    QCoreApplication::processEvents();
    --pumping;
}

}  // namespace qv::soak
