// ParseValue never fails: any text gives a finite number within +-1E10, and
// the caller's text comes back trimmed to at most 12 characters (UTF-8
// sequences count as one, so a typed "µ" is never split).
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "numbers/Parse.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    const double value = qv::ParseValue(text);
    std::size_t characters = 0;
    for (char c : text) characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    if (!std::isfinite(value) || std::fabs(value) > 1e10 || characters > 12) __builtin_trap();
    return 0;
}
