#include "files/TextFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <random>
#include <system_error>

namespace qv {

bool LineReader::Fill() {
    if (at_ < end_) return true;
    std::streambuf* buf = in_.rdbuf();
    if (buf == nullptr) return false;
    at_ = 0;
    end_ = static_cast<std::size_t>(std::max<std::streamsize>(0, buf->sgetn(block_, sizeof block_)));
    return end_ > 0;
}

bool LineReader::ReadLine(std::string& line) {
    line.clear();
    if (!Fill()) return false;
    while (Fill()) {
        const char* from = block_ + at_;
        const std::size_t left = end_ - at_;
        const char* lf = static_cast<const char*>(std::memchr(from, '\n', left));
        const char* cr = static_cast<const char*>(std::memchr(from, '\r', lf ? lf - from : left));
        const char* stop = cr ? cr : lf;
        const std::size_t take = stop ? static_cast<std::size_t>(stop - from) : left;
        // A line may reach the bound; one character more (a CR counts) ends
        // the reading.
        const bool endsHere = stop != nullptr;
        if (line.size() + take > maxLength_ ||
            (line.size() + take == maxLength_ && cr != nullptr && cr == stop)) {
            in_.setstate(std::ios::badbit);
            return false;
        }
        line.append(from, take);
        at_ += take;
        if (!endsHere) continue;
        ++at_;  // the line break
        if (stop == cr && Fill() && block_[at_] == '\n') ++at_;
        return true;
    }
    return true;
}

bool LineReader::AtEnd() { return !Fill(); }

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
    // The characters a number can hold, blanks left out; the first other
    // one ends it, so the rest of a long line is never copied.
    std::string compact;
    for (char c : text) {
        if (c == ' ' || c == '\t') continue;
        if (!((c >= '0' && c <= '9') || c == '.' || c == '+' || c == '-' || c == 'e' || c == 'E'))
            break;
        compact.push_back(c);
    }

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

std::string EscapeControls(std::string_view text) {
    std::string out;
    for (const unsigned char c : text) {
        if (c >= 0x20 && c != 0x7f) {
            out += static_cast<char>(c);
            continue;
        }
        char hex[8];
        std::snprintf(hex, sizeof hex, "\\x%02X", c);
        out += hex;
    }
    return out;
}

void AppendExactNumber(std::string& out, double value) {
    if (value == 0) value = 0;  // a negative zero reads as "-0" to no one's benefit
    // At most "-1.2345678901234567e-308": sign, 17 digits, point, exponent.
    char text[32];
    const char* end = std::to_chars(text, text + sizeof text, value, std::chars_format::general, 17).ptr;
    out.append(text, static_cast<std::size_t>(end - text));
}

std::string ExactNumber(double value) {
    std::string out;
    AppendExactNumber(out, value);
    return out;
}

std::string UnreadableReason(const std::string& path, std::uintmax_t maxBytes) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return std::strerror(errno);
    if (S_ISDIR(info.st_mode)) return std::strerror(EISDIR);
    if (!S_ISREG(info.st_mode)) return "not a regular file";
    if (static_cast<std::uintmax_t>(info.st_size) > maxBytes)
        return "larger than " + std::to_string(maxBytes) + " bytes";
    return {};
}

void OpenForReading(std::ifstream& in, const std::string& path, std::uintmax_t maxBytes) {
    if (!UnreadableReason(path, maxBytes).empty()) {
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

std::string WriteFailureMessage(const WriteResult& result) {
    return "The file " + result.path + " could not be written: " + result.error + ".";
}

namespace {

namespace fs = std::filesystem;

// The file a chain of symbolic links ends at; the path itself when it is
// no link (or the chain cannot be followed, which the caller then meets).
fs::path FinalTarget(fs::path path) {
    for (int hop = 0; hop < 40; ++hop) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(path, ec))) return path;
        const fs::path next = fs::read_symlink(path, ec);
        if (ec) return path;
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    return path;
}

std::string SystemReason() { return std::strerror(errno); }

bool WriteAllBytes(int fd, std::string_view contents) {
    const char* data = contents.data();
    std::size_t left = contents.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, data, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += n;
        left -= static_cast<std::size_t>(n);
    }
    return true;
}

// The rename is only durable once the folder's entry is on the disk too.
// Some file systems cannot sync a folder; the file itself is safe then.
void SyncFolder(const fs::path& folder) {
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

WriteResult ReplaceFileContents(const std::string& path, std::string_view contents) {
    WriteResult result{path, {}};
    const fs::path target = FinalTarget(path);

    struct stat old {};
    const bool replacing = ::stat(target.c_str(), &old) == 0;
    if (!replacing && errno != ENOENT) return {path, SystemReason()};
    if (replacing && S_ISDIR(old.st_mode)) return {path, std::strerror(EISDIR)};
    if (replacing && !S_ISREG(old.st_mode)) return {path, "it is not a regular file"};

    static std::mt19937_64 names{std::random_device{}()};
    const fs::path folder = target.parent_path();
    fs::path temp;
    int fd = -1;
    for (int attempt = 0; attempt < 8 && fd < 0; ++attempt) {
        char name[32];
        std::snprintf(name, sizeof name, ".qv-%08llx.tmp",
                      static_cast<unsigned long long>(names() & 0xffffffffu));
        temp = folder / name;
        // O_EXCL: never reuse a file that is already there.
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) break;
    }
    if (fd < 0) return {path, SystemReason()};

    bool ok = true;
    if (replacing) {
        // Owner first: changing it may clear set-id bits that fchmod restores.
        if (::fchown(fd, old.st_uid, old.st_gid) != 0) { /* another owner is not ours to give */ }
        ok = ::fchmod(fd, old.st_mode & 07777) == 0;
    }
    ok = ok && WriteAllBytes(fd, contents) && ::fsync(fd) == 0;
    if (!ok) result.error = SystemReason();
    if (::close(fd) != 0 && ok) {
        ok = false;
        result.error = SystemReason();
    }
    if (ok && ::rename(temp.c_str(), target.c_str()) != 0) {
        ok = false;
        result.error = SystemReason();
    }
    if (!ok) {
        ::unlink(temp.c_str());
        return result;
    }
    SyncFolder(folder);
    return result;
}

}  // namespace qv
