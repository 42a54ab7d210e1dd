// Any Touchstone text: read whole or refused with a message that names the
// file; what is read fits the load table with increasing frequencies and
// finite impedances within the open's size; the table then sweeps, and the
// one-port file written from the sweep reads back.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "calc/Sweep.h"
#include "calc/Transforms.h"
#include "files/LoadData.h"
#include "files/ResultFiles.h"
#include "files/Touchstone.h"

namespace {

bool Bounded(double v) {
    return std::isfinite(v) && std::fabs(v) <= qv::kOpenOhms;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    const qv::TouchstoneRead read = qv::ParseTouchstone(in, "f.s2p");
    if (!read.ok) {
        if (read.message.rfind("f.s2p", 0) != 0 || !read.points.empty()) __builtin_trap();
        return 0;
    }
    const std::size_t n = read.points.size();
    if (n < 1 || n > static_cast<std::size_t>(qv::kMaxLoadPoints)) __builtin_trap();
    qv::SessionState s;
    qv::InitSession(s);
    qv::ResetNetwork(s);
    for (std::size_t i = 0; i < n; ++i) {
        const qv::LoadPoint& p = read.points[i];
        if (!(p.freq >= 0) || !std::isfinite(p.freq) || !Bounded(p.r) || !Bounded(p.x))
            __builtin_trap();
        if (i > 0 && !(p.freq > read.points[i - 1].freq)) __builtin_trap();
        s.LoadFreq[i + 1] = p.freq;
        s.LoadR[i + 1] = p.r;
        s.LoadX[i + 1] = p.x;
    }
    s.SweepPoints = s.LoadRows = static_cast<std::int16_t>(n);
    if (!qv::ApplyLoadTable(s)) __builtin_trap();
    qv::ComputeSweep(s);
    if (!qv::TouchstoneProblem(s).empty()) __builtin_trap();
    std::istringstream written(qv::ResultText(s, qv::ResultFormat::Touchstone, "f", "d"));
    const qv::TouchstoneRead back = qv::ParseTouchstone(written, "w.s1p");
    if (!back.ok || back.points.size() != n) __builtin_trap();
    return 0;
}
