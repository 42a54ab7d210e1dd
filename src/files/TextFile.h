// Shared steps of the file readers and writers: reading lines whatever their
// ending, numbers in the readers' forgiving form, file names, the date line,
// and replacing a file only once its new contents are complete.
#pragma once

#include <cstdint>
#include <fstream>
#include <istream>
#include <optional>
#include <string>
#include <string_view>

namespace qv {

// The longest line a reader takes. Valid lines are short; the bound keeps
// a file without line breaks from filling the memory.
inline constexpr std::size_t kMaxLineLength = 64 * 1024;

// Splits a stream into lines at CR LF, LF or a lone CR, so files edited on
// any system read alike. Lines may hold any bytes. The reader takes the
// stream's bytes in blocks of its own, so nothing else may read the stream
// while it is in use.
class LineReader {
public:
    explicit LineReader(std::istream& in, std::size_t maxLength = kMaxLineLength)
        : in_(in), maxLength_(maxLength) {}
    // False at the end of the stream; a last line without a line break
    // still counts as a line. A line longer than the bound ends the reading
    // with the stream's badbit set, as a read error.
    bool ReadLine(std::string& line);
    bool AtEnd();

private:
    // False when the stream has no more bytes.
    bool Fill();

    std::istream& in_;
    std::size_t maxLength_;
    char block_[4096];
    std::size_t at_ = 0, end_ = 0;
};

// The name up to, not including, the first "." of its last path component;
// a "." in a folder name is never a cut point. The whole name if it has none.
std::string StripExtension(const std::string& name);

// The leading number of `text` with every blank and tab ignored: optional
// sign, digits with at most one point, optional exponent. No number gives 0.
// Empty when the number is beyond the range of a double; a number too small
// for a double gives 0.
std::optional<double> LeadingNumber(std::string_view text);

// The extension of the name's last path component, in lower case, without
// the dot; empty when it has none.
std::string LowerExtension(const std::string& name);

// Control characters (a file name may hold any byte) as \xHH, so that a
// name stays on its one line in a file's header and in a message.
std::string EscapeControls(std::string_view text);

// A number with 17 significant digits, so that it reads back bit for bit:
// the shortest of fixed and exponent form ("0.10000000000000001",
// "1.0000000000000001e+300"), trailing zeros dropped, 0 for a negative zero.
std::string ExactNumber(double value);
// The same text appended to `out`, for writers of many numbers.
void AppendExactNumber(std::string& out, double value);

// Why `path` cannot be read as a file of at most `maxBytes` bytes, in the
// system's words where it has them ("No such file or directory"); empty
// when it can. Only regular files are read (a link counts as what it points
// to): a folder, a device such as /dev/zero or a pipe is refused.
std::string UnreadableReason(const std::string& path, std::uintmax_t maxBytes);

// The largest text file any reader takes unless it knows better: a
// thousand table rows with generous comments fit many times over.
inline constexpr std::uintmax_t kMaxTextFileBytes = 16 * 1024 * 1024;

// Opens `path` for reading in binary mode; the stream is left failed when
// UnreadableReason finds a problem or the file cannot be opened.
void OpenForReading(std::ifstream& in, const std::string& path,
                    std::uintmax_t maxBytes = kMaxTextFileBytes);

// Today's date as the files write it on their date line: ISO form
// YYYY-MM-DD, the same on every system and locale.
std::string TodayShortDate();

// What a write did: the file it wrote (or meant to write) and, when it
// failed, the reason in the system's words. Writers return it so that the
// caller learns both the name really used and whether it worked.
struct [[nodiscard]] WriteResult {
    std::string path;
    std::string error;  // empty when the file was written
    bool ok() const { return error.empty(); }
    explicit operator bool() const { return ok(); }
};

// The message for a failed write: the file's name and the system's reason.
std::string WriteFailureMessage(const WriteResult& result);

// Writes `contents` to a temporary file beside `path`, flushes it to the
// disk and renames it over `path`, so a failure at any point leaves any
// earlier file untouched and a crash right after leaves the new one. The
// replaced file keeps its permissions; when `path` is a symbolic link the
// file it points to is replaced and the link stays. A name that holds
// something other than a regular file is not replaced. The temporary file
// never outlives a failure.
WriteResult ReplaceFileContents(const std::string& path, std::string_view contents);

}  // namespace qv
