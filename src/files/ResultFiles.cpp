#include "files/ResultFiles.h"

#include "calc/Reflection.h"
#include "calc/Sweep.h"
#include "files/TableFile.h"

namespace qv {

namespace {

const char* const kCrLf = "\r\n";

std::string Number17(double value) { return ExactNumber(value); }

// The widest line of exact numbers: seven of them with their separators.
constexpr std::size_t kCsvLineCapacity = 7 * 25 + 2;

void AppendCsvLine(std::string& out, double freqHz, double r, double x, double rho,
                   double angleDeg, double vswr, double returnLossDb) {
    AppendExactNumber(out, freqHz);
    for (const double value : {r, x, rho, angleDeg, vswr, returnLossDb}) {
        out += ',';
        AppendExactNumber(out, value);
    }
}

std::string CsvText(const SessionState& s) {
    std::string out = std::string(kResultCsvHeader) + kCrLf;
    const int points = SweepPointCount(s);
    out.reserve(out.size() + static_cast<std::size_t>(points) * kCsvLineCapacity);
    for (int i = 0; i < points; ++i) {
        AppendCsvLine(out, s.SweepFreq[i], s.SweepR[i], s.SweepX[i], s.SweepRho[i],
                      s.SweepRhoAngle[i], s.SweepVswr[i], ReturnLossOf(s.SweepRho[i]));
        out += kCrLf;
    }
    return out;
}

std::string TouchstoneText(const SessionState& s, const std::string& date) {
    std::string out;
    out += "! Quendavore " + s.VersionText + " frequency sweep" + kCrLf;
    out += "! Date: " + date + kCrLf;
    // A name may hold a line break, which must not end the comment line.
    out += "! Network: " + (s.CurrentFileName.empty() ? "(not saved)" : EscapeControls(s.CurrentFileName)) + kCrLf;
    if (s.LoadMode == LoadTable && !s.LoadFileName.empty())
        out += "! Load: " + EscapeControls(s.LoadFileName) + kCrLf;
    out += "! The reflection at the network's input against the system impedance";
    out += kCrLf;
    out += "# Hz S RI R " + Number17(s.SystemZ) + kCrLf;
    const int points = SweepPointCount(s);
    out.reserve(out.size() + static_cast<std::size_t>(points) * 3 * 25);
    for (int i = 0; i < points; ++i) {
        const Reflection g = ReflectionOf(s.SweepR[i], s.SweepX[i], s.SystemZ);
        AppendExactNumber(out, s.SweepFreq[i]);
        out += ' ';
        AppendExactNumber(out, g.gammaRe);
        out += ' ';
        AppendExactNumber(out, g.gammaIm);
        out += kCrLf;
    }
    return out;
}

}  // namespace

std::optional<ResultFormat> ResultFormatNamed(std::string_view word) {
    std::string w(word);
    for (char& c : w)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (w == "dat") return ResultFormat::Table;
    if (w == "s1p") return ResultFormat::Touchstone;
    if (w == "csv") return ResultFormat::Csv;
    return std::nullopt;
}

ResultFormat ResultFormatOf(const std::string& name) {
    const std::optional<ResultFormat> f = ResultFormatNamed(LowerExtension(name));
    return f ? *f : ResultFormat::Table;
}

std::string ResultCsvLine(double freqHz, double r, double x, double rho, double angleDeg,
                          double vswr, double returnLossDb) {
    std::string out;
    out.reserve(kCsvLineCapacity);
    AppendCsvLine(out, freqHz, r, x, rho, angleDeg, vswr, returnLossDb);
    return out;
}

std::string TouchstoneProblem(const SessionState& s) {
    const int points = SweepPointCount(s);
    for (int i = 0; i < points; ++i) {
        if (!(s.SweepFreq[i] >= 0) || (i > 0 && !(s.SweepFreq[i] > s.SweepFreq[i - 1])))
            return "a Touchstone file needs frequencies that increase from 0 or above, and "
                   "sweep point " + std::to_string(i + 1) + " does not (" +
                   Number17(s.SweepFreq[i]) + " Hz)";
    }
    return {};
}

std::string ResultText(const SessionState& s, ResultFormat format, const std::string& shownName,
                       const std::string& date) {
    switch (format) {
        case ResultFormat::Touchstone: return TouchstoneText(s, date);
        case ResultFormat::Csv: return CsvText(s);
        case ResultFormat::Table: break;
    }
    return TableFileText(s, shownName, date);
}

WriteResult WriteResultFile(const std::string& name, ResultFormat format, SessionState& s,
                            const std::string& date) {
    if (format == ResultFormat::Table) return WriteTableFile(name, s, date);
    if (name.empty()) return {name, "no file name was given"};
    if (format == ResultFormat::Touchstone) {
        if (std::string problem = TouchstoneProblem(s); !problem.empty()) return {name, problem};
    }
    return ReplaceFileContents(name, ResultText(s, format, name, date));
}

}  // namespace qv
