// Any network or last-session file text: the readers stay in bounds, leave
// fields every later user can index with, and a file the checked reader
// accepts is written and read back with equal fields (RoundTrip.h). The
// sweep and the tabulated text then run on whatever was read.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "RoundTrip.h"
#include "calc/Sweep.h"
#include "files/NetworkFile.h"
#include "files/TableFile.h"

namespace {

// Element codes may be any 16-bit value (unknown ones are empty stages), but
// no count may exceed what the arrays hold.
void CheckFields(const qv::SessionState& s) {
    if (s.SweepPoints > qv::kSweepCapacity) __builtin_trap();
}

void SweepAndTabulate(qv::SessionState& s) {
    s.LoadMode = qv::SingleLoad;
    qv::ComputeSweep(s);
    (void)qv::TableFileText(s, "f", "d");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);

    // Groups a short file leaves unread keep these, which pass the checks,
    // so that whatever the checked reader accepts must read back again.
    qv::SessionState s;
    qv::InitSession(s);
    qv::ResetNetwork(s);
    s.QCircleValue = 2;
    s.VswrCircleValue = 1.5f;
    s.SweepStart = 1e6;
    s.SweepStop = 2e6;
    s.SweepPoints = 11;
    qv::RecordingMessageSink sink;
    std::istringstream in(text);
    const bool ok = qv::ReadNetworkStream(in, "f", s, sink);
    CheckFields(s);
    if (ok) {
        // Written and read again, every field comes back to the digits the
        // file carries; a second round gives the same bits.
        qv::SessionState back, twice;
        std::istringstream again(qv::NetworkFileText(s, qv::kNetworkFileTitle, "d"));
        if (!qv::ReadNetworkStream(again, "f", back, sink)) __builtin_trap();
        if (!qv::fuzz::SameNetworkFields(s, back, false)) __builtin_trap();
        std::istringstream third(qv::NetworkFileText(back, qv::kNetworkFileTitle, "d"));
        if (!qv::ReadNetworkStream(third, "f", twice, sink)) __builtin_trap();
        if (!qv::fuzz::SameNetworkFields(back, twice, true)) __builtin_trap();
    }
    SweepAndTabulate(s);

    qv::SessionState last;
    qv::InitSession(last);
    std::istringstream lastIn(text);
    qv::ReadLastSessionStream(lastIn, last);
    CheckFields(last);
    SweepAndTabulate(last);
    return 0;
}
