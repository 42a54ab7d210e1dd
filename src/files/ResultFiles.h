// The sweep results in the formats other tools read, beside the program's
// own tabulated-data file: a one-port Touchstone file and CSV.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "files/TextFile.h"
#include "session/SessionState.h"

namespace qv {

enum class ResultFormat { Table, Touchstone, Csv };

// "dat", "s1p" or "csv", in any case; empty for any other word.
std::optional<ResultFormat> ResultFormatNamed(std::string_view word);
// By the name's extension, in any case: .s1p, .csv, else the tabulated data.
ResultFormat ResultFormatOf(const std::string& name);

// The CSV heads and one line of values (no line end), each value with 17
// significant digits so that it reads back to the same double. The
// `impedance` command prints the same.
inline constexpr char kResultCsvHeader[] =
    "frequency_hz,r_ohm,x_ohm,rho,angle_deg,vswr,return_loss_db";
std::string ResultCsvLine(double freqHz, double r, double x, double rho, double angleDeg,
                          double vswr, double returnLossDb);

// Why the sweep cannot be a Touchstone file (its frequencies must increase
// from 0 or above), or empty when it can.
std::string TouchstoneProblem(const SessionState& s);

// The whole text of a result file, CR LF line ends. `shownName` is the name
// the tabulated-data file shows on its second line.
std::string ResultText(const SessionState& s, ResultFormat format, const std::string& shownName,
                       const std::string& date);

// Writes the sweep to `name` in `format`; the tabulated-data file takes the
// ".DAT" extension as ever, the others the name as given. The result names
// the file written, or that failed and why. An earlier file is replaced only
// once the new one is complete.
[[nodiscard]] WriteResult WriteResultFile(const std::string& name, ResultFormat format, SessionState& s,
                            const std::string& date = TodayShortDate());

}  // namespace qv
