// The sweep results as a table: the lines of the Tabulate page's list and
// the printed table with its title, a column header on every sheet and a
// footer. Both show the same seven quantities with the same texts.
#pragma once

#include <string>
#include <vector>

#include "drawing/PrintSurface.h"
#include "print/PrintHost.h"
#include "session/SessionState.h"

namespace qv {

// FormatResistance with "+" put in front unless the text starts with "-"
// (reactance and angle columns).
std::string SignedText(double value);

// The return loss 20 log10(1/rho) as shown in the list and on paper. A
// perfect match (rho 0, where the formula has no value) and anything better
// than the readout's 120 dB cap show as ">120", as the readout does; the
// data file writes the cap itself (ReturnLossOf).
std::string ReturnLossText(double rho);

// One line of the Tabulate page's list, in a fixed-pitch font: each field's
// trimmed text padded on the left so that it ends at its column (10, 18, 28,
// 37, 46, 54, 66); a longer text pushes the rest right, one blank after it,
// and is never cut.
std::string TabulatedLine(const SessionState& s, int point);
std::vector<std::string> TabulatedLines(const SessionState& s);

// Above this many lines the printout asks before using the paper.
inline constexpr int kCautionLines = 40;
inline constexpr char kCautionTitle[] = "Caution";
inline constexpr char kPrinterErrorTitle[] = "Printer Error";
std::string CautionText(int points);

// The first sheet holds 41 data lines, every later one 44.
inline constexpr int kFirstSheetLines = 41;
inline constexpr int kLaterSheetLines = 44;

// The printed table's page mapping: twips, origin 1008 twips (0.7 inch) in
// from the printable area's corner.
SheetLayout TableLayout();

// Draws the whole document (title, header, lines, footer, new sheets as
// they fill) and ends it.
void DrawTable(const SessionState& s, PrintSurface& surf, const std::string& dateTime);

// The Tabulate page's "To printer": print dialog, the question for a long
// table, the document, and the message on a printer error. A cancelled
// dialog or a No ends quietly with nothing printed.
void PrintTabulatedData(const SessionState& s, PrintHost& host);

}  // namespace qv
