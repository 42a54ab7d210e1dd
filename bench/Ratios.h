// A benchmark main that ends with ratios of figures measured in the same run:
// each benchmark's median CPU time (or its only figure, without repetitions)
// is kept, and after the run one line "ratio NAME VALUE" per ratio asked
// for, so that scripts can read them. Ratios are what is stated, since the
// machine's speed varies from run to run but both sides of a ratio share it;
// CPU time, since on a shared machine the wall clock also counts the time
// other programs had the processor.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace bench {

// A figure stated on its own, in milliseconds: "figure NAME VALUE".
struct Figure {
    const char* name;
    const char* measured;
};

struct Ratio {
    const char* name;
    const char* measured;  // benchmark function names
    const char* baseline;
};

class RatioReporter : public benchmark::ConsoleReporter {
public:
    // Plain text: the lines are read by scripts.
    RatioReporter() : ConsoleReporter(OO_Tabular) {}
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& r : runs) {
            const bool median = r.aggregate_name == "median";
            if (!median && !r.aggregate_name.empty()) continue;
            const std::string& name = r.run_name.function_name;
            if (!median && medianSeen_.count(name)) continue;
            seconds_[name] = r.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(r.time_unit);
            if (median) medianSeen_[name] = true;
        }
    }
    // Prints the ratio lines for the figures measured, none for a pair
    // that was filtered out; then the figures of their own.
    void PrintRatios(const std::vector<Ratio>& ratios, const std::vector<Figure>& figures) const {
        for (const Ratio& q : ratios) {
            const auto m = seconds_.find(q.measured), b = seconds_.find(q.baseline);
            if (m == seconds_.end() || b == seconds_.end() || b->second <= 0) continue;
            std::printf("ratio %s %.3f\n", q.name, m->second / b->second);
        }
        for (const Figure& f : figures) {
            const auto m = seconds_.find(f.measured);
            if (m != seconds_.end()) std::printf("figure %s %.1f\n", f.name, m->second * 1e3);
        }
        std::fflush(stdout);
    }

private:
    std::map<std::string, double> seconds_;
    std::map<std::string, bool> medianSeen_;
};

inline int RunWithRatios(int argc, char** argv, const std::vector<Ratio>& ratios,
                         const std::vector<Figure>& figures = {}) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatios(ratios, figures);
    benchmark::Shutdown();
    return 0;
}

}  // namespace bench
