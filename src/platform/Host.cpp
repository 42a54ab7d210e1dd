#include "platform/Host.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include "numbers/Format.h"

namespace qv {

namespace {
std::vector<std::string> Split(const std::string& s, char sep) {
    std::vector<std::string> parts;
    std::string::size_type start = 0;
    while (true) {
        const auto end = s.find(sep, start);
        parts.push_back(s.substr(start, end - start));
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return parts;
}

}  // namespace

std::vector<FileFilter> ParseFileFilter(const std::string& filter) {
    std::vector<FileFilter> result;
    if (TrimBlanks(filter).empty()) return result;
    const std::vector<std::string> parts = Split(filter, '|');
    for (std::size_t i = 0; i < parts.size(); i += 2) {
        FileFilter f;
        f.description = TrimBlanks(parts[i]);
        if (i + 1 < parts.size())
            for (const std::string& p : Split(parts[i + 1], ';'))
                if (!TrimBlanks(p).empty()) f.patterns.push_back(TrimBlanks(p));
        if (f.patterns.empty()) f.patterns.push_back("*");
        result.push_back(f);
    }
    return result;
}

double ScreenFontPoints(Host& host) {
    const double h = host.ScreenHeightTwips();
    return h > 0 ? h / 1000.0 : 9.0;
}

double ScreenPageUnitsPerPoint(Host& host, double pageWidth, double pageHeight) {
    const double w = host.ScreenWidthTwips(), h = host.ScreenHeightTwips();
    if (!(w > 0) || !(h > 0)) return 20.0;
    return 20.0 * std::max(pageWidth / w, pageHeight / h);
}

void Pause(Host& host, double seconds) {
    constexpr double kDay = 86400.0;
    const double start = host.SecondsSinceMidnight();
    host.ProcessEvents();
    while (true) {
        double elapsed = host.SecondsSinceMidnight() - start;
        if (elapsed < 0) elapsed += kDay;  // past midnight
        if (elapsed >= seconds) break;
        // The wait is meant to hold the program still; sleeping in small
        // steps keeps it from burning a core meanwhile.
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

}  // namespace qv
