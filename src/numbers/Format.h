// Display text of values with engineering prefixes and units. Pure functions.
#pragma once

#include <string>

namespace qv {

std::string FormatGeneral(double value);      // frequencies: " 14.2 M"
std::string FormatCapacitance(double value);  // "47 pF"
std::string FormatInductance(double value);   // "220 nH"
std::string FormatResistance(double value);   // "-12.346 ", "1.5 k"
std::string FormatImpedance(double value);    // "50 ", "75 k"

// The plain number text the files and captions use: a blank for a
// non-negative value or "-" for a negative one, then the shortest decimal
// form with at most `digits` significant digits, no zero before the point,
// exponent form ("1E+15", "1E-05") where the magnitude needs it. No trailing
// blank. NumberText(1000000) == " 1000000", NumberText(-0.5) == "-.5".
std::string NumberText(double value, int digits = 15);
// The same text appended to `out`, for writers of many numbers; it never
// needs more than kNumberTextCapacity characters. Without `plusBlank` a
// non-negative value has no leading blank.
void AppendNumberText(std::string& out, double value, int digits = 15, bool plusBlank = true);
inline constexpr int kNumberTextCapacity = 32;
// The same text written at `out`, which has room for kNumberTextCapacity
// characters; returns its end. For a writer that builds a line at a time.
char* NumberChars(char* out, double value, int digits = 15, bool plusBlank = true);

// The largest magnitude handed to the formatters for a value that can grow
// without bound (the readout's values outside the rim, the return loss of a
// rho far above 1). The formatters work in single precision; 1E+15 still
// holds as a float after the largest prefix's division, with digits to spare.
inline constexpr double kFormattableLimit = 1.0e15;
// v held within +-kFormattableLimit; NaN becomes 0.
double Formattable(double v);

// The text without its leading and trailing blanks. The formatters pad with
// blanks to keep columns; captions, labels and dialogs show the bare text.
std::string TrimBlanks(const std::string& text);

}  // namespace qv
