// Any load-data file text: at most 1000 rows, a middle row inside the table,
// and the table sweep and tabulated text run on it.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "calc/Sweep.h"
#include "files/LoadData.h"
#include "files/TableFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    qv::SessionState s;
    qv::InitSession(s);
    qv::ResetNetwork(s);
    qv::RecordingMessageSink sink;
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    qv::ParseLoadDataStream(in, s, sink);
    if (s.SweepPoints < 0 || s.SweepPoints > qv::kMaxLoadPoints) __builtin_trap();
    if (qv::ApplyLoadTable(s)) {
        if (s.LoadPointIndex < 1 || s.LoadPointIndex > s.SweepPoints) __builtin_trap();
        qv::ComputeSweep(s);
        (void)qv::TableFileText(s, "f", "d");
    }
    return 0;
}
