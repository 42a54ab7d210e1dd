#include "files/TextFile.h"

#include <charconv>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <random>
#include <system_error>

namespace qv {

bool LineReader::ReadLine(std::string& line) {
    line.clear();
    std::streambuf* buf = in_.rdbuf();
    if (buf == nullptr) return false;
    int c = buf->sbumpc();
    if (c == std::char_traits<char>::eof()) return false;
    while (c != std::char_traits<char>::eof()) {
        if (c == '\n') break;
        if (c == '\r') {
            if (buf->sgetc() == '\n') buf->sbumpc();
            break;
        }
        line.push_back(static_cast<char>(c));
        c = buf->sbumpc();
    }
    return true;
}

bool LineReader::AtEnd() const {
    std::streambuf* buf = in_.rdbuf();
    return buf == nullptr || buf->sgetc() == std::char_traits<char>::eof();
}

std::string StripExtension(const std::string& name) {
#ifdef _WIN32
    const std::size_t folderEnd = name.find_last_of("/\\");
#else
    const std::size_t folderEnd = name.find_last_of('/');
#endif
    const std::size_t fileStart = folderEnd == std::string::npos ? 0 : folderEnd + 1;
    const std::size_t dot = name.find('.', fileStart);
    return dot == std::string::npos ? name : name.substr(0, dot);
}

std::optional<double> LeadingNumber(std::string_view text) {
    std::string compact;
    compact.reserve(text.size() < 64 ? text.size() : 64);
    for (char c : text)
        if (c != ' ' && c != '\t') compact.push_back(c);

    // Take exactly the characters that form a number, so that from_chars
    // never sees "inf", "nan" or hexadecimal forms.
    const std::size_t n = compact.size();
    std::size_t i = 0;
    bool negative = false;
    if (i < n && (compact[i] == '+' || compact[i] == '-')) negative = compact[i++] == '-';
    const std::size_t mantissaStart = i;
    std::size_t digits = 0;
    bool anyNonZero = false;
    int leadingPower = 0;  // decimal power of the first non-zero digit, roughly
    bool seenPoint = false;
    int intDigits = 0;
    int zerosAfterPoint = 0;
    for (; i < n; ++i) {
        const char c = compact[i];
        if (c >= '0' && c <= '9') {
            ++digits;
            if (c != '0' && !anyNonZero) {
                anyNonZero = true;
                leadingPower = seenPoint ? -(zerosAfterPoint + 1) : 0;
            }
            if (!seenPoint && anyNonZero) ++intDigits;
            if (seenPoint && !anyNonZero) ++zerosAfterPoint;
        } else if (c == '.' && !seenPoint) {
            seenPoint = true;
        } else {
            break;
        }
    }
    if (digits == 0) return 0.0;
    std::size_t end = i;
    long exponent = 0;
    if (i < n && (compact[i] == 'E' || compact[i] == 'e')) {
        std::size_t j = i + 1;
        bool expNegative = false;
        if (j < n && (compact[j] == '+' || compact[j] == '-')) expNegative = compact[j++] == '-';
        const std::size_t expStart = j;
        while (j < n && compact[j] >= '0' && compact[j] <= '9') {
            if (exponent < 100000) exponent = exponent * 10 + (compact[j] - '0');
            ++j;
        }
        if (j > expStart) {
            end = j;
            if (expNegative) exponent = -exponent;
        }
    }
    if (!anyNonZero) return 0.0;

    double value = 0;
    const char* first = compact.data() + mantissaStart;
    const char* last = compact.data() + end;
    const auto [ptr, ec] = std::from_chars(first, last, value, std::chars_format::general);
    if (ec == std::errc::result_out_of_range) {
        // Beyond the double range either way: too large is an error for the
        // caller, too small is simply zero.
        const long power = exponent + (intDigits > 0 ? intDigits - 1 : leadingPower);
        if (power > 0) return std::nullopt;
        return 0.0;
    }
    if (ec != std::errc() || ptr != last) {
        // A form from_chars does not take (such as "5."): fall back to the
        // digits before the point.
        value = 0;
        std::from_chars(first, ptr, value);
    }
    return negative ? -value : value;
}

std::string LowerExtension(const std::string& name) {
    const std::size_t slash = name.find_last_of("/\\");
    const std::size_t dot = name.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
    std::string ext = name.substr(dot + 1);
    for (char& c : ext)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return ext;
}

std::string ExactNumber(double value) {
    char text[40];
    std::snprintf(text, sizeof text, "%.17g", value);
    return text;
}

void OpenForReading(std::ifstream& in, const std::string& path) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        in.setstate(std::ios::failbit);
        return;
    }
    in.open(path, std::ios::binary);
}

std::string TodayShortDate() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    char text[32];
    const std::size_t len = std::strftime(text, sizeof text, "%Y-%m-%d", &local);
    return std::string(text, len);
}

bool ReplaceFileContents(const std::string& path, std::string_view contents) {
    static std::mt19937_64 names{std::random_device{}()};
    std::string temp;
    std::FILE* file = nullptr;
    for (int attempt = 0; attempt < 8 && file == nullptr; ++attempt) {
        char suffix[24];
        std::snprintf(suffix, sizeof suffix, ".%08llx.tmp",
                      static_cast<unsigned long long>(names() & 0xffffffffu));
        temp = path + suffix;
        file = std::fopen(temp.c_str(), "wbx");  // never reuse an existing file
    }
    if (file == nullptr) return false;

    bool ok = std::fwrite(contents.data(), 1, contents.size(), file) == contents.size();
    ok = std::fflush(file) == 0 && ok;
    ok = std::fclose(file) == 0 && ok;
    std::error_code ec;
    if (ok) {
        std::filesystem::rename(temp, path, ec);
        ok = !ec;
    }
    if (!ok) std::filesystem::remove(temp, ec);
    return ok;
}

}  // namespace qv
