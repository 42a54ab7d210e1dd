#include "files/Touchstone.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <cmath>
#include <complex>
#include <fstream>
#include <numbers>
#include <optional>
#include <string_view>

#include "calc/Transforms.h"
#include "files/TextFile.h"

namespace qv {

namespace {

using Complex = std::complex<double>;

// Beyond this many frequencies a file is refused rather than held whole
// in memory; instruments write a few tens of thousands at most.
constexpr std::size_t kMaxFrequencies = 1000000;
// Ports of a version 2 file; a point of N ports holds 2 N^2 + 1 values.
constexpr int kMaxPorts = 100;

enum class Parameter { S, Y, Z, H, G };
enum class Layout { MA, DB, RI };
enum class Matrix { Full, Lower, Upper };

// A refusal in flight; line 0 means the file as a whole.
struct Refusal {
    long line;
    std::string text;
};

[[noreturn]] void Refuse(long line, std::string text) { throw Refusal{line, std::move(text)}; }

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f'; }

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsSpace(text.back())) text.remove_suffix(1);
    return text;
}

std::string Lower(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

std::vector<std::string_view> Tokens(std::string_view text) {
    std::vector<std::string_view> out;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && IsSpace(text[i])) ++i;
        const std::size_t start = i;
        while (i < text.size() && !IsSpace(text[i])) ++i;
        if (i > start) out.push_back(text.substr(start, i - start));
    }
    return out;
}

// Quoted for a message, cut short so a hostile token cannot flood it.
std::string Quoted(std::string_view token) {
    std::string shown(token.substr(0, 40));
    for (char& c : shown)
        if (static_cast<unsigned char>(c) < 32 || static_cast<unsigned char>(c) > 126) c = '?';
    return "\"" + shown + (token.size() > 40 ? "...\"" : "\"");
}

std::optional<double> Number(std::string_view token) {
    if (!token.empty() && token.front() == '+') token.remove_prefix(1);
    if (token.empty() || token.front() == '+') return std::nullopt;
    // from_chars also takes "inf" and "nan", which no file means as data.
    for (char c : token)
        if (!(std::isdigit(static_cast<unsigned char>(c)) || c == '.' || c == '-' || c == '+' ||
              c == 'e' || c == 'E'))
            return std::nullopt;
    double value = 0;
    const auto [ptr, ec] = std::from_chars(token.data(), token.data() + token.size(), value);
    if (ec != std::errc() || ptr != token.data() + token.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

double NumberOn(long line, std::string_view token) {
    const std::optional<double> value = Number(token);
    if (!value) Refuse(line, Quoted(token) + " is not a number");
    return *value;
}

long WholeNumberOn(long line, std::string_view text, long lowest, long highest,
                   const std::string& what) {
    const std::vector<std::string_view> tokens = Tokens(text);
    long value = 0;
    if (tokens.size() == 1) {
        const auto [ptr, ec] =
            std::from_chars(tokens[0].data(), tokens[0].data() + tokens[0].size(), value);
        if (ec == std::errc() && ptr == tokens[0].data() + tokens[0].size() && value >= lowest &&
            value <= highest)
            return value;
    }
    Refuse(line, what + " needs a whole number from " + std::to_string(lowest) + " to " +
                     std::to_string(highest));
}

std::string PortWord(int ports) { return std::to_string(ports) + "-port"; }

// The shortest text that reads back as `f`, so two close frequencies never
// look the same in a message.
std::string Hz(double f) {
    char text[40];
    const auto result = std::to_chars(text, text + sizeof text, f);
    return std::string(text, result.ptr);
}

// An impedance as the load table holds it: finite, within the open's size.
LoadPoint Load(double freq, Complex z) {
    if (!std::isfinite(z.real()) || !std::isfinite(z.imag())) return {freq, kOpenOhms, 0};
    return {freq, std::clamp(z.real(), -kOpenOhms, kOpenOhms),
            std::clamp(z.imag(), -kOpenOhms, kOpenOhms)};
}

// a - row (M + diag(d))^-1 col for the ports 2..N: what port 1 sees with
// every other port closed by its termination d. Gaussian elimination with
// partial pivoting; empty when the system is singular. The result is the
// same for a matrix and its transpose, so neither the two-port order nor
// the row or column order of a file matters.
std::optional<Complex> PortOneWithOthersClosed(const std::vector<Complex>& m, int n,
                                               const std::vector<Complex>& d) {
    const int k = n - 1;
    std::vector<Complex> a(static_cast<std::size_t>(k) * k), rhs(k), row(k);
    for (int i = 0; i < k; ++i) {
        for (int j = 0; j < k; ++j) a[i * k + j] = m[(i + 1) * n + (j + 1)];
        a[i * k + i] += d[i + 1];
        rhs[i] = m[(i + 1) * n];
        row[i] = m[i + 1];
    }
    for (int c = 0; c < k; ++c) {
        int pivot = c;
        for (int r = c + 1; r < k; ++r)
            if (std::abs(a[r * k + c]) > std::abs(a[pivot * k + c])) pivot = r;
        if (!(std::abs(a[pivot * k + c]) > 0)) return std::nullopt;
        if (pivot != c) {
            for (int j = 0; j < k; ++j) std::swap(a[c * k + j], a[pivot * k + j]);
            std::swap(rhs[c], rhs[pivot]);
        }
        for (int r = c + 1; r < k; ++r) {
            const Complex f = a[r * k + c] / a[c * k + c];
            if (f == Complex(0)) continue;
            for (int j = c; j < k; ++j) a[r * k + j] -= f * a[c * k + j];
            rhs[r] -= f * rhs[c];
        }
    }
    for (int i = k - 1; i >= 0; --i) {
        Complex sum = rhs[i];
        for (int j = i + 1; j < k; ++j) sum -= a[i * k + j] * rhs[j];
        rhs[i] = sum / a[i * k + i];
    }
    Complex result = m[0];
    for (int i = 0; i < k; ++i) result -= row[i] * rhs[i];
    return result;
}

class Reader {
public:
    Reader(std::istream& in, const std::string& name) : lines_(in), name_(name) {}

    TouchstoneRead Run();

private:
    // The next line with its comment cut off and its blanks trimmed; false
    // at the end of the file. Blank lines and comment lines come back empty.
    bool Next(std::string_view& text);
    void Option(std::string_view text);
    void Keyword(std::string_view text);
    void Data(std::string_view text);
    void TakePortsFromFirstPoint();
    void EndPoint();
    void Finish();
    int PairsPerPoint() const;
    Complex Pair(std::size_t index) const;

    LineReader lines_;
    const std::string& name_;
    std::string raw_;
    long line_ = 0;
    bool anyText_ = false;

    // Option line.
    bool optionSeen_ = false;
    double unit_ = 1e9;
    Parameter parameter_ = Parameter::S;
    Layout layout_ = Layout::MA;
    double reference_ = 50;

    // Version 2 keywords.
    int version_ = 1;
    int ports_ = 0;  // 0 in version 1 until the first point shows it
    bool twoPortOrder_ = false;
    long frequencies_ = -1;
    std::vector<double> references_;
    std::size_t referencesWanted_ = 0;
    long referenceLine_ = 0;
    Matrix matrix_ = Matrix::Full;
    bool information_ = false;
    bool networkData_ = false;
    bool noiseData_ = false;
    bool ended_ = false;

    // The frequency point being read.
    std::vector<double> point_;
    long pointLine_ = 0;
    std::vector<LoadPoint> points_;
};

bool Reader::Next(std::string_view& text) {
    if (!lines_.ReadLine(raw_)) return false;
    ++line_;
    std::string_view view(raw_);
    if (line_ == 1 && view.substr(0, 3) == "\xEF\xBB\xBF") view.remove_prefix(3);
    view = view.substr(0, view.find('!'));
    text = Trim(view);
    if (!text.empty()) anyText_ = true;
    return true;
}

void Reader::Option(std::string_view text) {
    const std::vector<std::string_view> tokens = Tokens(text.substr(1));
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        const std::string t = Lower(tokens[i]);
        if (t == "hz") unit_ = 1;
        else if (t == "khz") unit_ = 1e3;
        else if (t == "mhz") unit_ = 1e6;
        else if (t == "ghz") unit_ = 1e9;
        else if (t == "s") parameter_ = Parameter::S;
        else if (t == "y") parameter_ = Parameter::Y;
        else if (t == "z") parameter_ = Parameter::Z;
        else if (t == "h" || t == "g")
            Refuse(line_, std::string(t == "h" ? "H" : "G") +
                              "-parameters do not give a port's impedance; the load needs S, "
                              "Z or Y parameters");
        else if (t == "ma") layout_ = Layout::MA;
        else if (t == "db") layout_ = Layout::DB;
        else if (t == "ri") layout_ = Layout::RI;
        else if (t == "r") {
            if (i + 1 >= tokens.size()) Refuse(line_, "the option line's R has no value");
            reference_ = NumberOn(line_, tokens[++i]);
            if (!(reference_ > 0)) Refuse(line_, "the reference impedance R must be above 0 ohm");
        } else {
            Refuse(line_, Quoted(tokens[i]) + " is not an option-line item "
                                              "(Hz, kHz, MHz, GHz, S, Y, Z, MA, DB, RI, R n)");
        }
    }
    optionSeen_ = true;
}

void Reader::Keyword(std::string_view text) {
    const std::size_t close = text.find(']');
    if (close == std::string_view::npos) Refuse(line_, "a keyword without its closing \"]\"");
    std::string key;
    for (char c : Lower(text.substr(1, close - 1))) {
        if (IsSpace(c)) {
            if (!key.empty() && key.back() != ' ') key += ' ';
        } else {
            key += c;
        }
    }
    if (!key.empty() && key.back() == ' ') key.pop_back();
    const std::string_view arg = Trim(text.substr(close + 1));

    if (information_) {
        if (key == "end information") information_ = false;
        return;
    }
    if (key == "version") {
        Refuse(line_, "[Version] must be the file's first keyword");
    } else if (key == "number of ports") {
        if (networkData_) Refuse(line_, "[Number of Ports] must come before [Network Data]");
        ports_ = static_cast<int>(WholeNumberOn(line_, arg, 1, kMaxPorts, "[Number of Ports]"));
    } else if (key == "two-port data order") {
        const std::string order = Lower(arg);
        if (order != "12_21" && order != "21_12")
            Refuse(line_, "[Two-Port Data Order] must be 12_21 or 21_12");
        twoPortOrder_ = true;
    } else if (key == "number of frequencies") {
        frequencies_ = WholeNumberOn(line_, arg, 1, static_cast<long>(kMaxFrequencies),
                                     "[Number of Frequencies]");
    } else if (key == "number of noise frequencies") {
    } else if (key == "reference") {
        if (ports_ == 0) Refuse(line_, "[Reference] must come after [Number of Ports]");
        references_.clear();
        referencesWanted_ = static_cast<std::size_t>(ports_);
        referenceLine_ = line_;
        for (std::string_view token : Tokens(arg)) Data(token);
    } else if (key == "matrix format") {
        const std::string format = Lower(arg);
        if (format == "full") matrix_ = Matrix::Full;
        else if (format == "lower") matrix_ = Matrix::Lower;
        else if (format == "upper") matrix_ = Matrix::Upper;
        else Refuse(line_, "[Matrix Format] must be Full, Lower or Upper");
    } else if (key == "mixed-mode order") {
        Refuse(line_, "mixed-mode parameters are not read; the load needs single-ended data");
    } else if (key == "begin information") {
        information_ = true;
    } else if (key == "network data") {
        if (ports_ == 0) Refuse(line_, "[Number of Ports] is missing before [Network Data]");
        if (ports_ == 2 && !twoPortOrder_)
            Refuse(line_, "[Two-Port Data Order] is missing before [Network Data]");
        if (frequencies_ < 0)
            Refuse(line_, "[Number of Frequencies] is missing before [Network Data]");
        if (referencesWanted_ > references_.size())
            Refuse(referenceLine_, "[Reference] needs one value per port");
        networkData_ = true;
    } else if (key == "noise data") {
        EndPoint();
        networkData_ = false;
        noiseData_ = true;
    } else if (key == "end") {
        EndPoint();
        ended_ = true;
    }
    // Keywords of later revisions that change nothing for port 1 are passed over.
}

int Reader::PairsPerPoint() const {
    return matrix_ == Matrix::Full ? ports_ * ports_ : ports_ * (ports_ + 1) / 2;
}

Complex Reader::Pair(std::size_t index) const {
    double a = point_[1 + 2 * index];
    const double b = point_[2 + 2 * index];
    switch (layout_) {
        case Layout::RI: return {a, b};
        case Layout::MA: break;
        case Layout::DB: a = std::pow(10.0, a / 20); break;
    }
    const double angle = b * std::numbers::pi / 180;
    return {a * std::cos(angle), a * std::sin(angle)};
}

void Reader::Data(std::string_view text) {
    const std::vector<std::string_view> tokens = Tokens(text);
    if (referencesWanted_ > references_.size()) {
        for (std::string_view token : tokens) {
            const double r = NumberOn(line_, token);
            if (references_.size() >= referencesWanted_)
                Refuse(line_, "[Reference] needs one value per port");
            if (!(r > 0)) Refuse(line_, "a reference impedance must be above 0 ohm");
            references_.push_back(r);
        }
        return;
    }
    if (version_ == 2 && !networkData_) {
        if (noiseData_) return;
        Refuse(line_, "values outside [Network Data]");
    }
    if (version_ == 1 && noiseData_) return;

    std::vector<double> values;
    values.reserve(tokens.size());
    for (std::string_view token : tokens) values.push_back(NumberOn(line_, token));
    // Version 1 writes the frequency and then whole pairs on a point's first
    // line and whole pairs on the lines that continue it, so an odd count
    // starts a point and an even one continues it.
    const bool startsPoint = version_ == 2 ? point_.empty() : values.size() % 2 == 1;

    if (version_ == 1 && ports_ == 0 && startsPoint && !point_.empty()) {
        TakePortsFromFirstPoint();
        EndPoint();
    }
    if (version_ == 1 && ports_ == 2 && startsPoint && point_.empty() && values.size() == 5 &&
        !points_.empty() && values[0] * unit_ <= points_.back().freq) {
        // A two-port's noise parameters follow its network data, starting
        // again at a frequency not above the last.
        noiseData_ = true;
        return;
    }
    if (point_.empty()) {
        if (version_ == 1 && !startsPoint)
            Refuse(line_, "a frequency point starts with the frequency and then pairs of "
                          "values; this line holds " + std::to_string(values.size()) + " values");
        if (version_ == 2 && frequencies_ >= 0 &&
            points_.size() >= static_cast<std::size_t>(frequencies_))
            Refuse(line_, "more frequencies than [Number of Frequencies] (" +
                              std::to_string(frequencies_) + ")");
        pointLine_ = line_;
    } else if (version_ == 1 && startsPoint) {
        Refuse(pointLine_, "the frequency point has " + std::to_string(point_.size()) +
                               " values where a " + PortWord(ports_) + " point has " +
                               std::to_string(1 + 2 * PairsPerPoint()));
    }
    point_.insert(point_.end(), values.begin(), values.end());
    // A first point whose first line holds one pair is a one-port's: any
    // other network's first row holds more.
    if (ports_ == 0 && point_.size() == 3) ports_ = 1;
    if (ports_ == 0) return;  // the first version 1 point, still open
    const std::size_t wanted = 1 + 2 * static_cast<std::size_t>(PairsPerPoint());
    if (point_.size() > wanted)
        Refuse(line_, (pointLine_ == line_ ? std::string("the line holds ")
                                           : "the frequency point from line " +
                                                 std::to_string(pointLine_) + " holds ") +
                          std::to_string(point_.size()) + " values where a " + PortWord(ports_) +
                          " point has " + std::to_string(wanted));
    if (point_.size() == wanted) EndPoint();
}

// A version 1 file does not state its ports; its first whole point of
// 1 + 2 N^2 values tells them.
void Reader::TakePortsFromFirstPoint() {
    const std::size_t pairs = (point_.size() - 1) / 2;
    const int n = static_cast<int>(std::lround(std::sqrt(static_cast<double>(pairs))));
    if (n < 1 || n > kMaxPorts || static_cast<std::size_t>(n) * n != pairs)
        Refuse(pointLine_, "a frequency point of " + std::to_string(point_.size()) +
                               " values fits no number of ports (1 + 2 N x N values: "
                               "3 for one port, 9 for two, 19 for three)");
    ports_ = n;
}

void Reader::EndPoint() {
    if (point_.empty()) return;
    const std::size_t wanted = 1 + 2 * static_cast<std::size_t>(PairsPerPoint());
    if (ports_ == 0 || point_.size() != wanted)
        Refuse(pointLine_, "the frequency point has " + std::to_string(point_.size()) +
                               " values where a " + PortWord(ports_) + " point has " +
                               std::to_string(wanted));
    const long line = pointLine_;
    const double freq = point_[0] * unit_;
    if (!std::isfinite(freq) || freq < 0) Refuse(line, "the frequency must be 0 or above");
    if (!points_.empty() && !(freq > points_.back().freq))
        Refuse(line, "frequencies must increase: " + Hz(freq) + " Hz follows " +
                         Hz(points_.back().freq) + " Hz");
    if (points_.size() >= kMaxFrequencies)
        Refuse(line, "more than " + std::to_string(kMaxFrequencies) + " frequencies");

    // Version 1 normalises Z and Y to R; version 2 gives them in ohms and
    // siemens. Port k's reference closes port k when port 1 is read.
    const double norm = version_ == 1 ? reference_ : 1;
    auto portReference = [&](int port) {
        return port < static_cast<int>(references_.size()) ? references_[port] : reference_;
    };
    std::optional<Complex> z;
    if (parameter_ == Parameter::S) {
        z = portReference(0) * (1.0 + Pair(0)) / (1.0 - Pair(0));
    } else {
        const int n = ports_;
        std::vector<Complex> m(static_cast<std::size_t>(n) * n);
        std::size_t next = 0;
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < n; ++j) {
                if ((matrix_ == Matrix::Lower && j > i) || (matrix_ == Matrix::Upper && j < i))
                    continue;
                m[i * n + j] = m[j * n + i] = Pair(next++);
            }
        std::vector<Complex> closing(n);
        for (int i = 0; i < n; ++i) {
            if (parameter_ == Parameter::Z) {
                for (int j = 0; j < n; ++j) m[i * n + j] *= norm;
                closing[i] = portReference(i);
            } else {
                for (int j = 0; j < n; ++j) m[i * n + j] /= norm;
                closing[i] = 1 / portReference(i);
            }
        }
        z = n == 1 ? std::optional<Complex>(m[0]) : PortOneWithOthersClosed(m, n, closing);
        if (!z)
            Refuse(line, "the network's parameters give port 1 no impedance with the other "
                         "ports closed");
        if (parameter_ == Parameter::Y) z = 1.0 / *z;
    }
    points_.push_back(Load(freq, *z));
    point_.clear();
}

void Reader::Finish() {
    if (!anyText_) Refuse(0, "the file is empty");
    if (version_ == 2 && !ended_) Refuse(line_, "the file ends without [End]");
    if (version_ == 1 && ports_ == 0 && !point_.empty()) TakePortsFromFirstPoint();
    EndPoint();
    if (points_.empty()) Refuse(0, "the file holds no data");
    if (version_ == 2 && points_.size() != static_cast<std::size_t>(frequencies_))
        Refuse(line_, "the file holds " + std::to_string(points_.size()) +
                          " frequencies where [Number of Frequencies] says " +
                          std::to_string(frequencies_));
}

TouchstoneRead Reader::Run() {
    TouchstoneRead out;
    try {
        std::string_view text;
        bool first = true;
        while (!ended_ && Next(text)) {
            if (text.empty()) continue;
            if (information_ && text.front() != '[') continue;
            if (first) {
                first = false;
                if (text.front() == '[') {
                    const std::string key = Lower(text.substr(0, text.find(']') + 1));
                    if (key.rfind("[version]", 0) != 0)
                        Refuse(line_, "a version 2 file starts with [Version]");
                    const std::vector<std::string_view> arg = Tokens(text.substr(9));
                    if (arg.size() != 1 || arg[0].substr(0, 2) != "2.")
                        Refuse(line_, "[Version] must be 2.0 or a later 2.x");
                    version_ = 2;
                    continue;
                }
            }
            if (text.front() == '#') {
                if (optionSeen_) continue;  // only the first option line counts
                if (!points_.empty() || !point_.empty() || networkData_)
                    Refuse(line_, "the option line must come before the data");
                Option(text);
            } else if (text.front() == '[') {
                if (version_ == 1) Refuse(line_, "a keyword in a file without [Version] 2.0");
                Keyword(text);
            } else {
                Data(text);
            }
        }
        Finish();
    } catch (const Refusal& r) {
        out.message = r.line > 0 ? name_ + ", line " + std::to_string(r.line) + ": " + r.text
                                 : name_ + ": " + r.text;
        return out;
    }

    out.ok = true;
    out.ports = ports_;
    out.frequenciesInFile = points_.size();
    const std::size_t n = points_.size();
    if (n > static_cast<std::size_t>(kMaxLoadPoints)) {
        const std::size_t kept = kMaxLoadPoints;
        out.points.reserve(kept);
        for (std::size_t k = 0; k < kept; ++k)
            out.points.push_back(points_[(k * (n - 1) + (kept - 1) / 2) / (kept - 1)]);
    } else {
        out.points = std::move(points_);
    }
    std::vector<std::string> notes;
    if (ports_ > 1)
        notes.push_back(name_ + " holds a " + PortWord(ports_) +
                        " network; the load is S11, port 1 with the other ports closed by "
                        "their reference impedance.");
    if (n > out.points.size())
        notes.push_back(name_ + " holds " + std::to_string(n) + " frequencies; " +
                        std::to_string(out.points.size()) +
                        " of them, evenly spread and with the first and the last, were kept.");
    for (const std::string& note : notes) out.message += (out.message.empty() ? "" : "\n") + note;
    return out;
}

bool HasTouchstoneExtension(const std::string& name) {
    const std::string ext = LowerExtension(name);
    if (ext == "ts") return true;
    return ext.size() >= 3 && ext.front() == 's' && ext.back() == 'p' &&
           std::all_of(ext.begin() + 1, ext.end() - 1,
                       [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

bool LooksLikeTouchstone(std::istream& in, const std::string& name) {
    LineReader lines(in);
    std::string raw;
    bool first = true;
    while (lines.ReadLine(raw)) {
        std::string_view view(raw);
        if (first && view.substr(0, 3) == "\xEF\xBB\xBF") view.remove_prefix(3);
        first = false;
        view = Trim(view);
        if (view.empty() || view.front() == '!') continue;
        if (view.front() == '#' || view.front() == '[') return true;
        break;
    }
    return HasTouchstoneExtension(name);
}

bool IsTouchstoneFile(const std::string& name) {
    std::ifstream in;
    OpenForReading(in, name);
    if (!in) return HasTouchstoneExtension(name);
    return LooksLikeTouchstone(in, name);
}

TouchstoneRead ParseTouchstone(std::istream& in, const std::string& name) {
    return Reader(in, name).Run();
}

bool ReadTouchstoneLoad(const std::string& name, SessionState& s, MessageSink& sink) {
    std::ifstream in;
    OpenForReading(in, name);
    if (!in) {
        sink.ShowMessage(name + ": the file cannot be opened");
        return false;
    }
    const TouchstoneRead read = ParseTouchstone(in, name);
    if (!read.ok) {
        sink.ShowMessage(read.message);
        return false;
    }
    const int n = static_cast<int>(read.points.size());
    for (int i = 1; i <= n; ++i) {
        s.LoadFreq[i] = read.points[i - 1].freq;
        s.LoadR[i] = read.points[i - 1].r;
        s.LoadX[i] = read.points[i - 1].x;
    }
    s.SavedSweepPoints = s.SweepPoints;
    s.SweepPoints = static_cast<std::int16_t>(n);
    s.LoadRows = static_cast<std::int16_t>(n);
    if (!read.message.empty()) sink.ShowMessage(read.message);
    return true;
}

}  // namespace qv
