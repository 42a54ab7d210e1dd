// Shared steps of the file readers and writers: reading lines whatever their
// ending, numbers in the readers' forgiving form, file names, the date line,
// and replacing a file only once its new contents are complete.
#pragma once

#include <fstream>
#include <istream>
#include <optional>
#include <string>
#include <string_view>

namespace qv {

// Splits a stream into lines at CR LF, LF or a lone CR, so files edited on
// any system read alike. Lines may be of any length and hold any bytes.
class LineReader {
public:
    explicit LineReader(std::istream& in) : in_(in) {}
    // False at the end of the stream; a last line without a line break
    // still counts as a line.
    bool ReadLine(std::string& line);
    bool AtEnd() const;

private:
    std::istream& in_;
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

// A number with 17 significant digits, so that it reads back bit for bit.
std::string ExactNumber(double value);

// Opens `path` for reading in binary mode; the stream is left failed when
// the file cannot be opened or is a folder (which opens on some systems and
// would read as an empty file).
void OpenForReading(std::ifstream& in, const std::string& path);

// Today's date as the files write it on their date line: ISO form
// YYYY-MM-DD, the same on every system and locale.
std::string TodayShortDate();

// Writes `contents` to a temporary file beside `path` and renames it over
// `path` once it is complete, so a failure halfway leaves any earlier file
// untouched. False on any failure; the temporary file is removed then.
bool ReplaceFileContents(const std::string& path, std::string_view contents);

}  // namespace qv
