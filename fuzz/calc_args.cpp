// quendavore-calc's argument handling from any bytes: the input split at
// line breaks (and NULs, which no real argument holds) into the arguments,
// run in-process as the tool runs them. Whatever they say, the run ends
// with status 0, or 2 and one line on standard error; every line on
// standard error is one line without control characters; no crash.
//
// The run happens in a scratch folder of its own (under TMPDIR) with a few
// files to name (net.QVF, tune.QVF, flat.QVF, load.RJX, load.s1p,
// empty.QVF). A "/" in an argument becomes "_", so every name stays in that
// folder (".." reaches only the scratch folder's parent, itself a fresh
// temporary folder), and what a run writes is removed and the given files
// restored before the next one. The optimiser's search, 1.5 s a run, is
// bounded the way a user bounds it, by a budget of evaluations, and its
// band by the number of points (see BoundSearch).
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <charconv>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "RoundTrip.h"
#include "cli/CalcTool.h"

namespace {

namespace fs = std::filesystem;

const char* const kNetwork =
    "Quendavore network file\r\n2024-01-02\r\n\r\nFrequency: 14200000 \r\nSystem impedance: 50 \r\n"
    "\r\nAntenna R: 36.5 \r\nAntenna X:-12.25 \r\n\r\n"
    "Element type for stage 1: 12 \r\n   Value(1): 22 \r\n   Value(2): 0 \r\n   Value(3): 0 \r\n"
    "   Value(4): 0 \r\n   Value(5): 0 \r\n\r\n"
    "Element type for stage 2: 13 \r\n   Value(1): 100 \r\n   Value(2): 0 \r\n   Value(3): 0 \r\n"
    "   Value(4): 0 \r\n   Value(5): 0 \r\n\r\n\r\n"
    "Q circle value: 2 \r\nVSWR circle value: 1.5 \r\nSweep start: 1000000 \r\n"
    "Sweep stop: 30000000 \r\nNumber of points: 11 \r\n";

// 25 ohm through a series inductor and a shunt capacitor, far from their
// match: something for the optimiser to tune.
const char* const kTunable =
    "Quendavore network file\r\n2024-01-02\r\n\r\nFrequency: 14000000 \r\nSystem impedance: 50 \r\n"
    "\r\nAntenna R: 25 \r\nAntenna X: 0 \r\n\r\n"
    "Element type for stage 1: 3 \r\n   Value(1): 6E-07 \r\n   Value(2): 0 \r\n   Value(3): 0 \r\n"
    "   Value(4): 0 \r\n   Value(5): 0 \r\n\r\n"
    "Element type for stage 2: 2 \r\n   Value(1): 1E-10 \r\n   Value(2): 0 \r\n   Value(3): 0 \r\n"
    "   Value(4): 0 \r\n   Value(5): 0 \r\n\r\n"
    "Element type for stage 3: 0 \r\n   Value(1): 0 \r\n   Value(2): 0 \r\n   Value(3): 0 \r\n"
    "   Value(4): 0 \r\n   Value(5): 0 \r\n\r\n"
    "Element type for stage 4: 0 \r\n   Value(1): 0 \r\n   Value(2): 0 \r\n   Value(3): 0 \r\n"
    "   Value(4): 0 \r\n   Value(5): 0 \r\n\r\n"
    "Element type for stage 5: 0 \r\n   Value(1): 0 \r\n   Value(2): 0 \r\n   Value(3): 0 \r\n"
    "   Value(4): 0 \r\n   Value(5): 0 \r\n\r\n\r\n"
    "Q circle value: 2 \r\nVSWR circle value: 1.5 \r\nSweep start: 13000000 \r\n"
    "Sweep stop: 15000000 \r\nNumber of points: 11 \r\n";

// What one optimiser run may take here: a few milliseconds.
constexpr int kEvaluations = 100;
constexpr int kPoints = 21;

struct Scratch {
    fs::path base, work;
    std::map<std::string, std::string> given;
    std::map<std::string, std::pair<std::uintmax_t, long>> stamps;

    Scratch() {
        const char* tmp = std::getenv("TMPDIR");
        std::string name = std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/qv-calc-args-XXXXXX";
        if (::mkdtemp(name.data()) == nullptr) std::abort();
        base = name;
        work = base / "work";
        fs::create_directory(work);
        given = {{"net.QVF", kNetwork},
                 {"tune.QVF", kTunable},
                 {"flat.QVF", std::string(kNetwork).substr(0, 160)},
                 {"empty.QVF", ""},
                 {"load.RJX", "14M,50,0\r\n21M,75,-30\r\n28M,60,12\r\n"},
                 {"load.s1p", "# MHz S RI R 50\r\n14 .1 .2\r\n21 .3 -.1\r\n"}};
        for (const auto& [file, text] : given) Restore(file);
    }
    // At the end of a run that ends normally (a crash or a time-out leaves
    // the folder to whoever started the fuzzer: make fuzz removes it).
    ~Scratch() {
        std::error_code ec;
        fs::remove_all(base, ec);
    }

    static Scratch& Instance() {
        static Scratch scratch;
        return scratch;
    }

    static long Stamp(const struct stat& st) { return st.st_mtim.tv_sec * 1000000000L + st.st_mtim.tv_nsec; }

    void Restore(const std::string& file) {
        std::error_code ec;
        fs::remove_all(work / file, ec);
        std::ofstream(work / file, std::ios::binary) << given[file];
        struct stat st {};
        ::stat((work / file).c_str(), &st);
        stamps[file] = {static_cast<std::uintmax_t>(st.st_size), Stamp(st)};
    }

    // Back to the given files only, in case the run wrote over one or beside them.
    void Tidy() {
        std::error_code ec;
        for (const auto& entry : fs::directory_iterator(base, ec))
            if (entry.path() != work) fs::remove_all(entry.path(), ec);
        for (const auto& entry : fs::directory_iterator(work, ec))
            if (!given.count(entry.path().filename().string())) fs::remove_all(entry.path(), ec);
        for (const auto& [file, stamp] : stamps) {
            struct stat st {};
            if (::lstat((work / file).c_str(), &st) != 0 || !S_ISREG(st.st_mode) ||
                static_cast<std::uintmax_t>(st.st_size) != stamp.first || Stamp(st) != stamp.second)
                Restore(file);
        }
    }
};

// Every line ended, none empty or holding a control character, each from the tool.
bool WellFormedLines(const std::string& text) {
    if (text.empty()) return true;
    if (text.back() != '\n') return false;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find('\n', start);
        const std::string line = text.substr(start, end - start);
        if (line.rfind("quendavore-calc: ", 0) != 0) return false;
        for (const unsigned char c : line)
            if (c < 0x20 || c == 0x7f) return false;
        start = end + 1;
    }
    return true;
}

// Lowers an optimise run's --evaluations and --points to the caps above
// when they are larger, and gives it the budget when it has none (first, so
// that the rest of the arguments mean what they did). The arguments are
// walked as the tool walks them: every option of the command takes a value,
// and any other option ends the run before the search.
void BoundSearch(std::vector<std::string>& args) {
    if (args.empty() || args[0] != "optimise") return;
    bool budget = false;
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (args[i].size() < 2 || args[i][0] != '-') continue;
        const std::size_t eq = args[i].rfind("--", 0) == 0 ? args[i].find('=') : std::string::npos;
        const std::string name = args[i].substr(0, eq);
        std::string* value = &args[i];
        std::size_t from = eq + 1;
        if (eq == std::string::npos) {
            if (i + 1 == args.size()) break;
            value = &args[++i];
            from = 0;
        }
        int cap = 0;
        if (name == "--evaluations") {
            budget = true;
            cap = kEvaluations;
        } else if (name == "--points") {
            cap = kPoints;
        } else {
            continue;
        }
        long n = 0;
        const char* last = value->data() + value->size();
        const auto [end, ec] = std::from_chars(value->data() + from, last, n);
        if (ec == std::errc() && end == last && n > cap) value->replace(from, value->npos, std::to_string(cap));
    }
    if (!budget) args.insert(args.begin() + 1, {"--evaluations", std::to_string(kEvaluations)});
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Scratch& scratch = Scratch::Instance();
    std::vector<std::string> args(1);
    for (std::size_t i = 0; i < size; ++i) {
        const char c = static_cast<char>(data[i]);
        if (c == '\n' || c == '\0') args.emplace_back();
        else args.back() += c == '/' ? '_' : c;
    }
    if (size == 0) args.clear();
    BoundSearch(args);

    // The run in the scratch folder; the fuzzer's own paths are relative
    // to the folder it was started in.
    const int home = ::open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (home < 0 || ::chdir(scratch.work.c_str()) != 0) std::abort();
    std::ostringstream out, err;
    const int status = qv::FinishOutput(out, err, qv::RunCalc(args, out, err));
    scratch.Tidy();
    if (::fchdir(home) != 0) std::abort();
    ::close(home);
    const std::string problems = err.str();
    QV_FUZZ_REQUIRE(status == 0 || status == 2);
    QV_FUZZ_REQUIRE(WellFormedLines(problems));
    QV_FUZZ_REQUIRE(status == 0 || !problems.empty());
    return 0;
}
