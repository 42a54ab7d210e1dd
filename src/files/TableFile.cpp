#include "files/TableFile.h"

#include <algorithm>
#include <cmath>

#include "calc/Reflection.h"
#include "numbers/Format.h"

namespace qv {

namespace {

const char* const kCrLf = "\r\n";

// The number text without the blank that stands for a plus sign, so that a
// data line holds no blanks.
std::string Field(double value) {
    std::string text = NumberText(value, 15);
    if (!text.empty() && text.front() == ' ') text.erase(0, 1);
    return text;
}

}  // namespace

int ResultPointCount(const SessionState& s) {
    return std::clamp<int>(s.SweepPoints, 0, s.LoadMode == LoadTable ? kMaxLoadPoints : kSweepCapacity);
}

std::string TableFileText(const SessionState& s, const std::string& shownName,
                          const std::string& date) {
    std::string out;
    out += "Quendavore data file";
    out += kCrLf;
    out += "Filename: " + shownName + kCrLf;
    out += date + kCrLf;
    out += kCrLf;
    out += "Freq, Resistance, Reactance, Rho, RhoAngle, Return loss, VSWR";
    out += kCrLf;
    out += kCrLf;
    const int points = ResultPointCount(s);
    for (int i = 0; i < points; ++i) {
        out += Field(s.SweepFreq[i]) + ',' + Field(s.SweepR[i]) + ',' + Field(s.SweepX[i]) + ',' +
               Field(s.SweepRho[i]) + ',' + Field(s.SweepRhoAngle[i]) + ',' +
               Field(ReturnLossOf(s.SweepRho[i])) + ',' + Field(s.SweepVswr[i]);
        out += kCrLf;
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
