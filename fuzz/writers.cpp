// The writers on a valid state made from the input's bytes: the first byte
// picks one writer (the network file, the last-session file, the tabulated
// data, CSV or the one-port Touchstone file), the rest makes what it
// writes; the file is read back and compared. The network files go through
// the program's readers (RoundTrip.h says to which digits), the Touchstone
// file through its reader (frequencies bit for bit, the reflection within
// 1E-12, since it comes back as an impedance); the program reads neither
// the tabulated data nor CSV, so they are read here, strictly: the data
// file's numbers to its 15 digits, CSV's bit for bit. Names in the files
// may hold any bytes, yet every file keeps its layout. One writer a run
// keeps the runs short enough for millions of them.
#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <sstream>
#include <string>
#include <string_view>

#include "RoundTrip.h"
#include "calc/Impedance.h"
#include "calc/Reflection.h"
#include "calc/Sweep.h"
#include "files/NetworkFile.h"
#include "files/ResultFiles.h"
#include "files/TableFile.h"
#include "files/Touchstone.h"

namespace {

enum Writer { Network, LastSession, Table, Csv, Touchstone, kWriters };

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

// The next line of `text` from `at`, which must end with CR LF.
std::string_view NextLine(std::string_view text, std::size_t& at) {
    const std::size_t end = text.find("\r\n", at);
    QV_FUZZ_REQUIRE(end != std::string_view::npos);
    const std::string_view line = text.substr(at, end - at);
    at = end + 2;
    return line;
}

// The seven comma-separated numbers of a data line, strictly: nothing else in it.
void Numbers(std::string_view line, double (&values)[7]) {
    const char* p = line.data();
    const char* end = p + line.size();
    for (std::size_t k = 0; k < std::size(values); ++k) {
        const auto [next, ec] = std::from_chars(p, end, values[k]);
        const bool last = k + 1 == std::size(values);
        QV_FUZZ_REQUIRE(ec == std::errc() && (last ? next == end : next != end && *next == ','));
        p = next + 1;
    }
}

void NetworkFile(const qv::SessionState& s, const char* title) {
    qv::RecordingMessageSink sink;
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

void ResultFile(const qv::SessionState& s, Writer writer, const std::string& shownName) {
    const int n = qv::SweepPointCount(s);
    const auto fields = [&s](int i) -> std::array<double, 7> {
        return {s.SweepFreq[i],     s.SweepR[i], s.SweepX[i], s.SweepRho[i],
                s.SweepRhoAngle[i], qv::ReturnLossOf(s.SweepRho[i]), s.SweepVswr[i]};
    };

    if (writer == Table) {
        const std::string text = qv::ResultText(s, qv::ResultFormat::Table, shownName, "2024-01-02");
        std::size_t at = 0;
        for (int line = 0; line < 6; ++line) NextLine(text, at);
        for (int i = 0; i < n; ++i) {
            double read[7];
            Numbers(NextLine(text, at), read);
            const std::array<double, 7> written = fields(i);
            for (std::size_t k = 0; k < written.size(); ++k)
                QV_FUZZ_REQUIRE(qv::fuzz::Near(written[k], read[k], qv::fuzz::k15Digits));
        }
        QV_FUZZ_REQUIRE(NextLine(text, at).empty() && at == text.size());
        return;
    }

    if (writer == Csv) {
        const std::string text = qv::ResultText(s, qv::ResultFormat::Csv, shownName, "d");
        std::size_t at = 0;
        QV_FUZZ_REQUIRE(NextLine(text, at) == qv::kResultCsvHeader);
        for (int i = 0; i < n; ++i) {
            double read[7];
            Numbers(NextLine(text, at), read);
            std::array<double, 7> written = fields(i);
            std::swap(written[5], written[6]);  // CSV has VSWR before the return loss
            QV_FUZZ_REQUIRE(std::equal(written.begin(), written.end(), read));
        }
        QV_FUZZ_REQUIRE(at == text.size());
        return;
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
    const auto writer = static_cast<Writer>(b.Take<std::uint8_t>() % kWriters);
    qv::SessionState s;
    qv::InitSession(s);
    qv::ResetNetwork(s);

    if (writer == Network || writer == LastSession) {
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
        NetworkFile(s, writer == Network ? qv::kNetworkFileTitle : qv::kLastSessionTitle);
        return 0;
    }

    s.SystemZ = b.AtLeast(1);
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
    ResultFile(s, writer, shownName);
    return 0;
}
