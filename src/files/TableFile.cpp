#include "files/TableFile.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "calc/Reflection.h"
#include "calc/Sweep.h"
#include "numbers/Format.h"

namespace qv {

namespace {

const char* const kCrLf = "\r\n";

}  // namespace

std::string TableFileText(const SessionState& s, const std::string& shownName,
                          const std::string& date) {
    std::string out;
    out += "Quendavore data file";
    out += kCrLf;
    out += "Filename: " + EscapeControls(shownName) + kCrLf;
    out += date + kCrLf;
    out += kCrLf;
    out += "Freq, Resistance, Reactance, Rho, RhoAngle, Return loss, VSWR";
    out += kCrLf;
    out += kCrLf;
    const int points = SweepPointCount(s);
    out.reserve(out.size() + static_cast<std::size_t>(points) * 7 * kNumberTextCapacity);
    for (int i = 0; i < points; ++i) {
        const double fields[] = {s.SweepFreq[i],     s.SweepR[i],
                                 s.SweepX[i],        s.SweepRho[i],
                                 s.SweepRhoAngle[i], ReturnLossOf(s.SweepRho[i]),
                                 s.SweepVswr[i]};
        // One append a line: the file can hold thousands of them.
        char line[std::size(fields) * (kNumberTextCapacity + 1) + 2];
        char* p = line;
        for (std::size_t k = 0; k < std::size(fields); ++k) {
            if (k > 0) *p++ = ',';
            // No blank for a plus sign: a data line holds no blanks.
            p = NumberChars(p, fields[k], 15, false);
        }
        *p++ = '\r';
        *p++ = '\n';
        out.append(line, static_cast<std::size_t>(p - line));
    }
    out += kCrLf;
    return out;
}

WriteResult WriteTableFile(const std::string& name, const SessionState& s,
                           const std::string& date) {
    if (name.empty()) return {name, "no file name was given"};
    return ReplaceFileContents(StripExtension(name) + ".DAT", TableFileText(s, name, date));
}

}  // namespace qv
