#include "files/LoadData.h"

#include <fstream>

#include "files/TextFile.h"
#include "numbers/Format.h"
#include "numbers/Parse.h"

namespace qv {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string Trimmed(const std::string& line) {
    std::size_t first = 0;
    std::size_t last = line.size();
    while (first < last && IsBlank(line[first])) ++first;
    while (last > first && IsBlank(line[last - 1])) --last;
    return line.substr(first, last - first);
}

bool IsCommentStart(char c) {
    return c == '!' || c == '*' || c == '\'' || c == '/' || c == '\\';
}

// The next data line, trimmed; false at the end of the file.
bool NextDataLine(LineReader& in, std::string& line) {
    std::string raw;
    while (in.ReadLine(raw)) {
        line = Trimmed(raw);
        if (!line.empty() && !IsCommentStart(line.front())) return true;
    }
    return false;
}

double NextFieldValue(std::string& line) {
    std::string field;  // a field missing from a short line reads as 0
    NextField(line, field);
    return ParseValue(field);
}

bool Fail(SessionState& s, MessageSink& sink) {
    sink.ShowMessage(kParserErrorMessage);
    s.CurrentFileName.clear();
    return false;
}

}  // namespace

void NextField(std::string& line, std::string& field) {
    const std::size_t start = line.find_first_not_of(',');
    if (start == std::string::npos) {
        line.clear();
        return;
    }
    const std::size_t comma = line.find(',', start);
    if (comma == std::string::npos) {
        field = line.substr(start);
        line.clear();
        return;
    }
    field = line.substr(start, comma - start);
    const std::size_t rest = line.find_first_not_of(',', comma);
    if (rest == std::string::npos)
        line.clear();
    else
        line.erase(0, rest);
}

bool ParseLoadDataStream(std::istream& in, SessionState& s, MessageSink& sink) {
    s.SavedSweepPoints = s.SweepPoints;
    s.SweepPoints = 0;
    if (!in) return Fail(s, sink);

    LineReader lines(in);
    std::string line;
    while (NextDataLine(lines, line)) {
        if (s.SweepPoints >= kMaxLoadPoints) return Fail(s, sink);
        const int i = ++s.SweepPoints;
        // Rows past i still hold the older table, which is no longer whole;
        // a file without rows leaves the older table and its count alone.
        s.LoadRows = s.SweepPoints;
        s.LoadFreq[i] = NextFieldValue(line);
        s.LoadR[i] = NextFieldValue(line);
        s.LoadX[i] = NextFieldValue(line);
    }
    if (in.bad()) return Fail(s, sink);
    return true;
}

bool ParseLoadData(const std::string& name, SessionState& s, MessageSink& sink) {
    if (name.empty()) return false;
    std::ifstream in;
    OpenForReading(in, name, kMaxLoadDataBytes);
    return ParseLoadDataStream(in, s, sink);
}

std::string LoadTableProblem(const SessionState& s, const std::string& name) {
    const int rows = LoadTableRows(s);
    for (int i = 1; i <= rows; ++i) {
        const std::string row = name + ": row " + std::to_string(i) + " has ";
        if (!(s.LoadFreq[i] >= 10000 && s.LoadFreq[i] <= 1e10))
            return row + "a frequency of " + TrimBlanks(FormatGeneral(s.LoadFreq[i])) +
                   "Hz, outside 10 kHz to 10 GHz; the load was not changed.";
        if (!(s.LoadR[i] > 0))
            return row + "a resistance of " + TrimBlanks(FormatGeneral(s.LoadR[i])) +
                   " ohms; a load needs one above 0. The load was not changed.";
    }
    return {};
}

bool ApplyLoadTable(SessionState& s) {
    if (LoadTableRows(s) < 1) return false;
    s.SweepPoints = static_cast<std::int16_t>(LoadTableRows(s));
    const int n = s.SweepPoints;
    s.LoadMode = LoadTable;
    s.SweepStart = s.LoadFreq[1];
    s.SweepStop = s.LoadFreq[n];
    s.LoadPointIndex = static_cast<std::int16_t>(n / 2 + 1);
    s.TestFrequency = s.LoadFreq[s.LoadPointIndex];
    s.Value[0][1] = s.LoadR[s.LoadPointIndex];
    s.Value[0][2] = s.LoadX[s.LoadPointIndex];
    return true;
}

}  // namespace qv
