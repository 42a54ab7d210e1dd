// Forgiving parsing of typed values with engineering prefixes.
#pragma once

#include <string>

namespace qv {

// Never fails: any text yields a number, 0 when nothing numeric is found,
// bounded to +-1E10. `text` is trimmed and cut to its first 12 characters in
// place, as the caller's text box shows it afterwards.
double ParseValue(std::string& text);

// Same, and tells whether the typed number lay beyond +-1E10 (or beyond a
// double) and was bounded, for callers that must report a clamp the bound
// would otherwise hide.
double ParseValue(std::string& text, bool& bounded);

// Same, for a caller that does not need the trimmed text back.
double ParseValueOf(std::string text);

}  // namespace qv
