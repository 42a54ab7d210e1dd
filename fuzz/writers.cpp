// The writers on a valid state made from the input's bytes: the network and
// last-session files, the tabulated-data file, CSV and the one-port
// Touchstone file are written, read back and compared. The network files
// go through the program's readers (RoundTrip.h says to which digits), the
// Touchstone file through its reader (frequencies bit for bit, the
// reflection within 1E-12, since it comes back as an impedance); the
// program reads neither the tabulated data nor CSV, so they are read here,
// strictly: the data file's numbers to its 15 digits, CSV's bit for bit.
// Names in the files may hold any bytes, yet every file keeps its layout.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "RoundTrip.h"
#include "calc/Impedance.h"
#include "calc/Reflection.h"
#include "files/NetworkFile.h"
#include "files/ResultFiles.h"
#include "files/TableFile.h"
#include "files/Touchstone.h"

namespace {

struct Bytes {
    const std::uint8_t* at;
    std::size_t left;

    template <typename T>
    T Take() {
        T v{};
        const std::size_t n = std::min(left, sizeof v);
        std::memcpy(&v, at, n);
        at += n;
        left -= n;
        return v;
    }
    // Any finite double the files can carry.
    double Value(double bound = qv::kLargestWritableValue) {
        const double v = Take<double>();
        return std::isfinite(v) ? std::clamp(v, -bound, bound) : 0.0;
    }
    // At least `lo`, as a range check of the readers asks.
    double AtLeast(double lo) {
        const double v = std::fabs(Value());
        return v < lo ? v + lo : v;
    }
    float Overlay(float lo) {
        float v = Take<float>();
        v = std::isfinite(v) ? std::fabs(v) : 0.0f;
        return v != 0 && v < lo ? v + lo : v;
    }
    std::string Name() {
        const std::size_t n = std::min<std::size_t>(Take<std::uint8_t>() % 24, left);
        std::string name(reinterpret_cast<const char*>(at), n);
        at += n;
        left -= n;
        return name;
    }
};

std::vector<std::string> CrLfLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    QV_FUZZ_REQUIRE(start == text.size());  // every line ends with CR LF
    return lines;
}

// The comma-separated numbers of a line, strictly: nothing else in it.
std::vector<double> Numbers(const std::string& line) {
    std::vector<double> values;
    const char* p = line.data();
    const char* end = p + line.size();
    while (p <= end) {
        double v = 0;
        const auto [next, ec] = std::from_chars(p, end, v);
        QV_FUZZ_REQUIRE(ec == std::errc() && (next == end || *next == ','));
        values.push_back(v);
        p = next + 1;
    }
    return values;
}

void NetworkFiles(const qv::SessionState& s) {
    qv::RecordingMessageSink sink;
    for (const char* title : {qv::kNetworkFileTitle, qv::kLastSessionTitle}) {
        const std::string text = qv::NetworkFileText(s, title, "2024-01-02");
        qv::SessionState back, twice;
        std::istringstream in(text);
        const bool read = title == qv::kNetworkFileTitle ? qv::ReadNetworkStream(in, "f", back, sink)
                                                         : qv::ReadLastSessionStream(in, back);
        QV_FUZZ_REQUIRE(read && qv::fuzz::SameNetworkFields(s, back, false));
        std::istringstream again(qv::NetworkFileText(back, title, "2024-01-02"));
        QV_FUZZ_REQUIRE(qv::ReadNetworkStream(again, "f", twice, sink) &&
                        qv::fuzz::SameNetworkFields(back, twice, true));
    }
}

void ResultFiles(const qv::SessionState& s, const std::string& shownName) {
    const int n = qv::ResultPointCount(s);
    const auto fields = [&s](int i) {
        return std::vector<double>{s.SweepFreq[i],     s.SweepR[i],
                                   s.SweepX[i],        s.SweepRho[i],
                                   s.SweepRhoAngle[i], qv::ReturnLossOf(s.SweepRho[i]),
                                   s.SweepVswr[i]};
    };

    const std::vector<std::string> table =
        CrLfLines(qv::ResultText(s, qv::ResultFormat::Table, shownName, "2024-01-02"));
    QV_FUZZ_REQUIRE(table.size() == static_cast<std::size_t>(7 + n) && table.back().empty());
    for (int i = 0; i < n; ++i) {
        const std::vector<double> read = Numbers(table[6 + i]), written = fields(i);
        QV_FUZZ_REQUIRE(read.size() == written.size());
        for (std::size_t k = 0; k < read.size(); ++k)
            QV_FUZZ_REQUIRE(qv::fuzz::Near(written[k], read[k], qv::fuzz::k15Digits));
    }

    const std::vector<std::string> csv = CrLfLines(qv::ResultText(s, qv::ResultFormat::Csv, shownName, "d"));
    QV_FUZZ_REQUIRE(csv.size() == static_cast<std::size_t>(1 + n));
    for (int i = 0; i < n; ++i) {
        std::vector<double> written = fields(i);
        std::swap(written[5], written[6]);  // CSV has VSWR before the return loss
        QV_FUZZ_REQUIRE(Numbers(csv[1 + i]) == written);
    }

    QV_FUZZ_REQUIRE(qv::TouchstoneProblem(s).empty());  // the frequencies increase
    std::istringstream in(qv::ResultText(s, qv::ResultFormat::Touchstone, shownName, "d"));
    const qv::TouchstoneRead back = qv::ParseTouchstone(in, "w.s1p");
    if (n == 0) return;
    QV_FUZZ_REQUIRE(back.ok && back.points.size() == static_cast<std::size_t>(std::min(n, qv::kMaxLoadPoints)));
    if (n > qv::kMaxLoadPoints) return;  // thinned: only the count is kept
    for (int i = 0; i < n; ++i) {
        const qv::LoadPoint& p = back.points[static_cast<std::size_t>(i)];
        const qv::Reflection w = qv::ReflectionOf(s.SweepR[i], s.SweepX[i], s.SystemZ);
        const qv::Reflection r = qv::ReflectionOf(p.r, p.x, s.SystemZ);
        QV_FUZZ_REQUIRE(p.freq == s.SweepFreq[i] && std::fabs(w.gammaRe - r.gammaRe) <= 1e-12 &&
                        std::fabs(w.gammaIm - r.gammaIm) <= 1e-12);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Bytes b{data, size};
    qv::SessionState s;
    qv::InitSession(s);
    qv::ResetNetwork(s);
    s.TestFrequency = b.AtLeast(10000);
    s.SystemZ = b.AtLeast(1);
    s.Value[0][1] = b.AtLeast(1);
    s.Value[0][2] = b.Value();
    for (int stage = qv::kFirstStage; stage <= qv::kLastStage; ++stage) {
        s.ElementType[stage] = b.Take<std::int16_t>();
        for (int slot = 1; slot <= 5; ++slot) s.Value[stage][slot] = b.Value();
    }
    s.QCircleValue = b.Overlay(0.1f);
    s.VswrCircleValue = b.Overlay(1.001f);
    if (b.Take<std::uint8_t>() & 1) {  // else the group of zeros the program writes before a sweep is set
        s.SweepStart = b.AtLeast(10000);
        s.SweepStop = b.AtLeast(10100);
        s.SweepPoints = static_cast<std::int16_t>(1 + b.Take<std::uint16_t>() % qv::kSweepCapacity);
    }
    NetworkFiles(s);

    s.CurrentFileName = b.Name();
    s.LoadFileName = b.Name();
    const std::string shownName = b.Name();
    s.LoadMode = b.Take<std::uint8_t>() & 1 ? qv::LoadTable : qv::SingleLoad;
    const int n = std::min<int>(b.Take<std::uint16_t>() % (qv::kSweepCapacity + 1),
                                static_cast<int>(b.left / 48));
    double freq = std::fabs(b.Value(1e15));
    for (int i = 0; i < n; ++i) {
        if (i > 0) freq = std::max(std::nextafter(freq, 1e300), freq + std::fabs(b.Value(1e12)));
        s.SweepFreq[i] = freq;
        s.SweepR[i] = b.Value(qv::kOpenOhms);
        s.SweepX[i] = b.Value(qv::kOpenOhms);
        s.SweepRho[i] = b.Value(1e300);
        s.SweepRhoAngle[i] = b.Value(1e300);
        s.SweepVswr[i] = b.Value(1e300);
    }
    s.SweepPoints = static_cast<std::int16_t>(n);
    ResultFiles(s, shownName);
    return 0;
}
