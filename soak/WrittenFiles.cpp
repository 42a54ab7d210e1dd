#include "soak/WrittenFiles.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QList>
#include <cstdlib>
#include <sstream>

#include "files/ResultFiles.h"
#include "files/Touchstone.h"

namespace qv::soak {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

bool ReadAll(const std::string& path, QByteArray& bytes) {
    QFile f(Q(path));
    if (!f.open(QIODevice::ReadOnly)) return false;
    bytes = f.readAll();
    return true;
}

std::string Suffix(const std::string& path) { return QFileInfo(Q(path)).suffix().toLower().toStdString(); }

// The name the checks are counted under: the file's kind as the user knows it.
std::string Label(const PendingWrite& w) {
    const std::string suffix = Suffix(w.path);
    switch (w.kind) {
        case WriteKind::Data: return suffix == "s1p" || suffix == "csv" ? suffix : "DAT";
        case WriteKind::Picture: return suffix == "pdf" ? "picture PDF" : Q(suffix).toUpper().toStdString();
        case WriteKind::Print: break;
    }
    return "printed PDF";
}

bool WholePdf(const QByteArray& bytes) {
    QByteArray end = bytes;
    while (end.endsWith('\n') || end.endsWith('\r')) end.chop(1);
    return bytes.startsWith("%PDF-") && end.endsWith("%%EOF");
}

// The lines of a file whose every line ends in CR LF; false when one does not.
bool CrLfLines(const QByteArray& bytes, QList<QByteArray>& lines) {
    if (!bytes.endsWith("\r\n")) return false;
    lines = bytes.left(bytes.size() - 2).split('\n');
    for (qsizetype i = 0; i + 1 < lines.size(); ++i) {
        if (!lines[i].endsWith('\r')) return false;
        lines[i].chop(1);
    }
    return !lines.isEmpty() && !lines.back().contains('\r');
}

// A line of `fields` numbers between commas, each read whole.
bool NumberRow(const QByteArray& line, int fields) {
    const QList<QByteArray> parts = line.split(',');
    if (parts.size() != fields) return false;
    for (const QByteArray& p : parts) {
        const std::string text = p.toStdString();
        char* end = nullptr;
        std::strtod(text.c_str(), &end);
        if (text.empty() || end != text.c_str() + text.size()) return false;
    }
    return true;
}

std::string RowsProblem(long long found, int expected) {
    if (expected < 0 || found == expected) return {};
    return "it holds " + std::to_string(found) + " rows, the page lists " + std::to_string(expected);
}

std::string DataProblem(const PendingWrite& w, const QByteArray& bytes) {
    const std::string suffix = Suffix(w.path);
    if (suffix == "s1p") {
        std::istringstream in(bytes.toStdString());
        const TouchstoneRead read = ParseTouchstone(in, w.path);
        if (!read.ok) return "it does not read back: " + read.message;
        if (read.ports != 1) return "it reads back with " + std::to_string(read.ports) + " ports";
        return RowsProblem(static_cast<long long>(read.frequenciesInFile), w.rows);
    }
    QList<QByteArray> lines;
    if (!CrLfLines(bytes, lines)) return "a line does not end in CR LF";
    if (suffix == "csv") {
        if (lines.front() != kResultCsvHeader) return "its first line is not the CSV heads";
        for (qsizetype i = 1; i < lines.size(); ++i)
            if (!NumberRow(lines[i], 7)) return "line " + std::to_string(i + 1) + " is not seven numbers";
        return RowsProblem(lines.size() - 1, w.rows);
    }
    // Title, name, date, a blank, the heads, a blank, the rows, a blank.
    if (lines.size() < 7 || lines[0] != "Quendavore data file" || !lines[1].startsWith("Filename: ") ||
        !lines[3].isEmpty() || lines[4] != "Freq, Resistance, Reactance, Rho, RhoAngle, Return loss, VSWR" ||
        !lines[5].isEmpty() || !lines.back().isEmpty())
        return "its heading or its closing blank line is not the data file's";
    for (qsizetype i = 6; i + 1 < lines.size(); ++i)
        if (!NumberRow(lines[i], 7)) return "line " + std::to_string(i + 1) + " is not seven numbers";
    return RowsProblem(lines.size() - 7, w.rows);
}

std::string PictureProblem(const PendingWrite& w, const QByteArray& bytes) {
    const std::string suffix = Suffix(w.path);
    if (suffix == "pdf") return WholePdf(bytes) ? "" : "it is no whole PDF document";
    // The content decides the reader, not the name.
    const std::string format = QImageReader::imageFormat(Q(w.path)).toStdString();
    if (format != suffix) return "Qt reads it as \"" + format + "\", not as " + suffix;
    QImageReader reader(Q(w.path), format.c_str());
    const QImage image = reader.read();
    if (image.isNull()) return "Qt cannot read it as a picture: " + reader.errorString().toStdString();
    if (w.width > 0 && (image.width() != w.width || image.height() != w.height))
        return "it is " + std::to_string(image.width()) + "x" + std::to_string(image.height()) +
               " pixels, not " + std::to_string(w.width) + "x" + std::to_string(w.height);
    return {};
}

}  // namespace

void TakeBefore(PendingWrite& w) {
    const QFileInfo info(Q(w.path));
    w.wasFolder = info.isDir();
    w.existed = info.exists() && ReadAll(w.path, w.before);
}

std::string CheckWrittenFile(const PendingWrite& w) {
    const QFileInfo info(Q(w.path));
    const std::string name = "\"" + w.path + "\"";
    QByteArray now;
    if (w.failed) {
        // The user must learn which file failed; a picture's name without a
        // picture's extension is refused before any file is made.
        const bool pictureName = w.kind != WriteKind::Picture || Suffix(w.path) == "png" ||
                                 Suffix(w.path) == "svg" || Suffix(w.path) == "pdf";
        if (pictureName && w.message.find(info.fileName().toStdString()) == std::string::npos)
            return "the failure message does not name " + name + ": " + w.message;
        if (w.wasFolder) return info.isDir() ? "" : "a failed write took the folder " + name;
        if (!w.existed) return info.exists() ? "a failed write left " + name + " behind" : "";
        if (!ReadAll(w.path, now) || now != w.before)
            return "a failed write changed the earlier " + name;
        return {};
    }
    if (!info.isFile() || !ReadAll(w.path, now)) return "no file " + name + " after a write the program let pass";
    std::string problem;
    switch (w.kind) {
        case WriteKind::Data: problem = DataProblem(w, now); break;
        case WriteKind::Picture: problem = PictureProblem(w, now); break;
        case WriteKind::Print: problem = WholePdf(now) ? "" : "it is no whole PDF document"; break;
    }
    return problem.empty() ? "" : Label(w) + " file " + name + ": " + problem;
}

void WriteChecker::Failed(const std::string& message) {
    if (pending_.empty() || pending_.back().failed) return;
    pending_.back().failed = true;
    pending_.back().message = message;
}

void WriteChecker::Declined() {
    if (!pending_.empty()) pending_.back().declined = true;
}

std::string WriteChecker::Settle() {
    std::vector<PendingWrite> writes;
    writes.swap(pending_);
    for (const PendingWrite& w : writes) {
        if (w.declined) {
            ++declined_;
            continue;
        }
        if (std::string problem = CheckWrittenFile(w); !problem.empty()) return problem;
        if (!w.failed) {
            ++checked_[Label(w)];
        } else {
            ++intact_;
            if (w.sizeLimit >= 0) ++intactUnderLimit_;
        }
    }
    return {};
}

std::string WriteChecker::Figures() const {
    std::string text;
    for (const auto& [label, n] : checked_) text += " " + label + " " + std::to_string(n) + ",";
    if (text.empty()) text = " none,";
    text += " failed writes that left the earlier file as it was " + std::to_string(intact_) + " (" +
            std::to_string(intactUnderLimit_) + " of them under a file-size limit), declined " +
            std::to_string(declined_);
    return text;
}

}  // namespace qv::soak
