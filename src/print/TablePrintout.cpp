#include "print/TablePrintout.h"

#include <algorithm>
#include <cmath>

#include "calc/Reflection.h"
#include "calc/Sweep.h"
#include "numbers/Format.h"

namespace qv {
namespace {

// Appends a field so that it ends at column `edge`, blanks in front. A line
// already too long for that gets one blank, so that two numbers never run
// together into one.
void AddField(std::string& line, const std::string& field, std::size_t edge) {
    const std::size_t used = line.size() + field.size();
    if (used < edge)
        line.append(edge - used, ' ');
    else if (!line.empty())
        line += ' ';
    line += field;
}

// The printer's text position: texts are placed at x on the current line,
// and ending a line moves down by the current font's line height.
class TextCursor {
public:
    explicit TextCursor(Surface& surf) : surf_(surf) {}
    void MoveTo(double x, double y) { x_ = x; y_ = y; }
    void SetX(double x) { x_ = x; }
    void SetY(double y) { y_ = y; }
    void SetFont(double sizePt, bool bold) {
        font_.sizePt = sizePt;
        font_.bold = bold;
        surf_.SetFont(font_);
    }
    void Print(const std::string& text) {
        if (!text.empty()) surf_.Text(x_, y_, text);
        x_ += surf_.TextWidth(text);
    }
    void PrintLine(const std::string& text = {}) {
        Print(text);
        x_ = 0;
        y_ += surf_.TextHeight();
    }

private:
    Surface& surf_;
    FontSpec font_;
    double x_ = 0, y_ = 0;
};

struct Column {
    double headerX;
    const char* header;
    double valueX;
};
constexpr Column kColumns[] = {
    {1000, "Freq:", 1000},  {2200, "R:", 2100},      {3200, "jX:", 3000},  {4000, "Rho:", 4000},
    {5000, "Angle:", 5000}, {6000, "Return:", 6000}, {7000, "VSWR:", 7000},
};

void PrintHeader(TextCursor& out) {
    out.SetFont(12, false);
    for (std::size_t c = 0; c < std::size(kColumns); ++c) {
        out.SetX(kColumns[c].headerX);
        if (c + 1 < std::size(kColumns))
            out.Print(kColumns[c].header);
        else
            out.PrintLine(kColumns[c].header);
    }
    out.PrintLine();
    out.SetFont(10, false);
}

std::vector<std::string> PrintedFields(const SessionState& s, int i) {
    return {FormatGeneral(s.SweepFreq[i]),    FormatResistance(s.SweepR[i]),
            SignedText(s.SweepX[i]),          FormatResistance(s.SweepRho[i]),
            SignedText(s.SweepRhoAngle[i]),   ReturnLossText(s.SweepRho[i]),
            FormatResistance(s.SweepVswr[i])};
}

}  // namespace

std::string SignedText(double value) {
    std::string text = FormatResistance(value);
    if (text.empty() || text.front() != '-') text.insert(0, "+");
    return text;
}

std::string ReturnLossText(double rho) {
    // rho = 0 gives +infinity and a negative or NaN rho gives NaN: both are
    // beyond the cap, as a perfect match is.
    const double db = UncappedReturnLoss(rho);
    if (!(db <= kReturnLossCapDb)) return ">" + TrimBlanks(NumberText(kReturnLossCapDb));
    // An infinite rho cannot come from the sweep; keep the formatter finite.
    return FormatResistance(Formattable(db));
}

std::string TabulatedLine(const SessionState& s, int i) {
    std::string line;
    AddField(line, TrimBlanks(FormatGeneral(s.SweepFreq[i])), 10);
    AddField(line, TrimBlanks(FormatResistance(s.SweepR[i])), 18);
    AddField(line, TrimBlanks(SignedText(s.SweepX[i])), 28);
    AddField(line, TrimBlanks(FormatResistance(s.SweepRho[i])), 37);
    AddField(line, TrimBlanks(SignedText(s.SweepRhoAngle[i])), 46);
    AddField(line, TrimBlanks(ReturnLossText(s.SweepRho[i])), 54);
    AddField(line, TrimBlanks(FormatResistance(s.SweepVswr[i])), 66);
    return line;
}

std::vector<std::string> TabulatedLines(const SessionState& s) {
    std::vector<std::string> lines;
    const int n = SweepPointCount(s);
    lines.reserve(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) lines.push_back(TabulatedLine(s, i));
    return lines;
}

std::string CautionText(int points) {
    return "We have " + std::to_string(points) + " lines of data and so will use over " +
           std::to_string(points / kCautionLines) + " sheets of paper. \n" +
           "Are you sure you want to continue and print out the data?";
}

SheetLayout TableLayout() {
    SheetLayout layout;
    layout.mapping = SheetLayout::Twips;
    layout.origin = 1008;
    return layout;
}

void DrawTable(const SessionState& s, PrintSurface& surf, const std::string& dateTime) {
    TextCursor out(surf);
    surf.SetTextColour(kBlack);

    out.MoveTo(1000, 300);
    out.SetFont(16, true);
    out.PrintLine("Tabulated Data");
    out.PrintLine();
    out.MoveTo(1000, 900);
    out.SetFont(10, false);
    PrintHeader(out);

    // The title and header count as three lines of the first sheet.
    int linesOnSheet = 3;
    const int n = SweepPointCount(s);
    for (int i = 0; i < n; ++i) {
        const std::vector<std::string> fields = PrintedFields(s, i);
        for (std::size_t c = 0; c < fields.size(); ++c) {
            out.SetX(kColumns[c].valueX);
            if (c + 1 < fields.size())
                out.Print(fields[c]);
            else
                out.PrintLine(fields[c]);
        }
        if (++linesOnSheet > 43) {
            surf.NewPage();
            linesOnSheet = 0;
            out.SetY(500);
            PrintHeader(out);
        }
    }

    out.PrintLine();
    out.PrintLine();
    out.SetFont(8, false);
    out.SetX(1000);
    out.PrintLine(dateTime);
    out.SetX(1000);
    out.PrintLine(FooterProgramLine(s.VersionText));
    surf.EndDoc();
}

void PrintTabulatedData(const SessionState& s, PrintHost& host) {
    if (!host.ChoosePrinter("Print tabulated data")) return;
    const int n = SweepPointCount(s);
    if (n > kCautionLines) {
        host.Beep();
        if (!host.AskYesNo(kCautionTitle, CautionText(n))) return;
    }
    SheetRecording document(TableLayout().unitsPerPoint);
    DrawTable(s, document, host.DateTimeText());
    const std::string error = host.Send(document, TableLayout());
    if (!error.empty()) host.ShowMessage(kPrinterErrorTitle, error);
}

std::string FooterProgramLine(const std::string& versionText) {
    return "Quendavore " + versionText + " - " + kMakerAddress;
}

}  // namespace qv
