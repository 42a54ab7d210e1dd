#include "calc/Optimise.h"

#include <nlopt.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <limits>
#include <memory>
#include <optional>

#include "calc/Reflection.h"
#include "calc/StandardValues.h"
#include "calc/Sweep.h"

namespace qv {

namespace {

using Clock = std::chrono::steady_clock;

bool Positive(double v) { return v > 0 && std::isfinite(v); }

// The worst VSWR over the band of `work`.
double SweptWorstVswr(const SessionState& work) {
    if (BandPoints(work) == 0) return kVswrLimit;
    static thread_local SweepResult sweep;  // kept: the snap tries up to 1024 sets
    SweepOf(work, sweep);
    double worst = 1;
    for (int k = 0; k < sweep.points; ++k) worst = std::max(worst, sweep.vswr[k]);
    return worst;
}

// The band's figure per point that the search holds down: ln VSWR for the
// VSWR goal, 20 log10 rho (minus the return loss) for the return-loss goal.
// Both order the points as rho does, so both have the same best; ln VSWR is
// about 2 rho near a match and opens up the flat region near rho = 1, the
// decibels reach deeper into a one-frequency null.
double PointFigure(OptimiseGoal goal, double rho, double vswr) {
    if (goal == OptimiseGoal::ReturnLoss) return -ReturnLossOf(rho);
    return std::log(vswr);
}

// One search: the working copy of the session, the values in log space
// around their start, and the best point seen by any evaluation.
class Search {
public:
    Search(const SessionState& s, const OptimiseOptions& o)
        : work_(std::make_unique<SessionState>(s)), o_(o), start_(Clock::now()) {
        for (const TunedValue& v : o.values) base_.push_back(s.Value[v.stage][v.slot]);
        SweepOf(*work_, sweep_);
        points_ = sweep_.points;
        if (o.timeLimitSeconds > 0)
            deadline_ = start_ + std::chrono::duration_cast<Clock::duration>(
                                     std::chrono::duration<double>(o.timeLimitSeconds));
    }

    int Points() const { return points_; }
    std::size_t Size() const { return base_.size(); }
    const std::vector<double>& Base() const { return base_; }

    // Fills figures[0..Points) at log-space point u and returns their
    // maximum; remembers u when it beats the best so far.
    double Evaluate(const double* u, double* figures) {
        for (std::size_t i = 0; i < base_.size(); ++i) {
            const TunedValue& v = o_.values[i];
            work_->Value[v.stage][v.slot] = base_[i] * std::exp(u[i]);
        }
        SweepOf(*work_, sweep_);
        double worst = -std::numeric_limits<double>::infinity();
        double worstVswr = 1;
        for (int k = 0; k < points_; ++k) {
            const double f = PointFigure(o_.goal, sweep_.rho[k], sweep_.vswr[k]);
            if (figures != nullptr) figures[k] = f;
            worst = std::max(worst, f);
            worstVswr = std::max(worstVswr, sweep_.vswr[k]);
        }
        ++evaluations_;
        if (worst < localFigure_) {
            localFigure_ = worst;
            local_.assign(u, u + base_.size());
        }
        if (evaluations_ == 1 || worst < bestFigure_) {
            bestFigure_ = worst;
            bestVswr_ = worstVswr;
            best_.assign(u, u + base_.size());
        }
        Report();
        return worst;
    }

    // True once the caller cancelled or the time or the evaluations are used up.
    bool Stopped() {
        if (o_.cancel != nullptr && o_.cancel->load()) cancelled_ = true;
        return cancelled_ || (o_.maxEvaluations > 0 && evaluations_ >= o_.maxEvaluations) ||
               (deadline_ && Clock::now() >= *deadline_);
    }
    double SecondsLeft() const {
        if (!deadline_) return 0;
        return std::max(1e-3, std::chrono::duration<double>(*deadline_ - Clock::now()).count());
    }
    double Seconds() const { return std::chrono::duration<double>(Clock::now() - start_).count(); }

    // The best point of the evaluations since the last BeginLocal.
    void BeginLocal() { localFigure_ = std::numeric_limits<double>::infinity(); }
    const std::vector<double>& LocalU() const { return local_; }
    double LocalFigure() const { return localFigure_; }

    const std::vector<double>& BestU() const { return best_; }
    double BestFigure() const { return bestFigure_; }
    double BestVswr() const { return bestVswr_; }
    int Evaluations() const { return evaluations_; }
    bool Cancelled() const { return cancelled_; }

    nlopt_opt current = nullptr;  // the local search running, for its stop

private:
    void Report() {
        if (!o_.progress) return;
        const Clock::time_point now = Clock::now();
        if (evaluations_ > 1 && now - lastReport_ < std::chrono::milliseconds(50)) return;
        lastReport_ = now;
        OptimiseProgress p;
        p.evaluations = evaluations_;
        p.seconds = Seconds();
        p.fraction = o_.timeLimitSeconds > 0 ? std::min(1.0, p.seconds / o_.timeLimitSeconds) : 0;
        p.bestWorstVswr = bestVswr_;
        o_.progress(p);
    }

    std::unique_ptr<SessionState> work_;  // large: kept off the stack
    SweepResult sweep_;
    const OptimiseOptions& o_;
    std::vector<double> base_;
    int points_ = 0;
    Clock::time_point start_, lastReport_{};
    std::optional<Clock::time_point> deadline_;
    std::vector<double> best_, local_;
    double localFigure_ = std::numeric_limits<double>::infinity();
    double bestFigure_ = std::numeric_limits<double>::infinity();
    double bestVswr_ = kVswrLimit;
    int evaluations_ = 0;
    bool cancelled_ = false;
};

// COBYLA's minimax form: minimise the auxiliary t subject to figure_k(u) <= t
// at every band point k. The variables are u (n log-values) and then t.
double ObjectiveT(unsigned n, const double* x, double*, void*) { return x[n - 1]; }

void BandConstraints(unsigned m, double* result, unsigned n, const double* x, double*,
                     void* data) {
    auto* search = static_cast<Search*>(data);
    if (search->Stopped()) {
        nlopt_force_stop(search->current);
        std::fill(result, result + m, 0.0);
        return;
    }
    search->Evaluate(x, result);
    for (unsigned k = 0; k < m; ++k) result[k] -= x[n - 1];
}

struct Found {
    double figure = std::numeric_limits<double>::infinity();
    std::vector<double> u;
};

// One local minimax search from log-point u0 with the given first step;
// returns the best point it evaluated.
Found LocalSearch(Search& search, const std::vector<double>& u0, double lo, double hi,
                  double step, int maxEvaluations) {
    const unsigned n = static_cast<unsigned>(u0.size());
    search.BeginLocal();
    nlopt_opt opt = nlopt_create(NLOPT_LN_COBYLA, n + 1);
    if (opt == nullptr) return {};
    search.current = opt;

    std::vector<double> x(u0);
    const double t0 = search.Evaluate(u0.data(), nullptr);
    x.push_back(t0);
    std::vector<double> lower(n, lo), upper(n, hi), steps(n, step);
    // t lies between the best and the worst figure a point can have.
    lower.push_back(-kReturnLossCapDb - 1);
    upper.push_back(std::log(kVswrLimit) + 1);
    steps.push_back(std::max(0.05, std::fabs(t0) * 0.2));
    for (unsigned i = 0; i < n; ++i) x[i] = std::clamp(x[i], lo, hi);

    nlopt_set_lower_bounds(opt, lower.data());
    nlopt_set_upper_bounds(opt, upper.data());
    nlopt_set_min_objective(opt, ObjectiveT, nullptr);
    const std::vector<double> tolerances(static_cast<std::size_t>(search.Points()), 1e-12);
    nlopt_add_inequality_mconstraint(opt, static_cast<unsigned>(search.Points()), BandConstraints,
                                     &search, tolerances.data());
    nlopt_set_initial_step(opt, steps.data());
    nlopt_set_xtol_abs1(opt, 1e-7);
    nlopt_set_maxeval(opt, maxEvaluations);
    nlopt_set_maxtime(opt, search.SecondsLeft());
    double minimum = 0;
    nlopt_optimize(opt, x.data(), &minimum);
    nlopt_destroy(opt);
    search.current = nullptr;
    return {search.LocalFigure(), search.LocalU()};
}

// The k-th point of the Halton sequence in [lo, hi]^n: spread evenly over
// the box without clumps, and the same on every run.
std::vector<double> HaltonPoint(int k, std::size_t n, double lo, double hi) {
    static constexpr int kPrimes[] = {2, 3, 5, 7, 11, 13, 17, 19, 23, 29, 31, 37, 41, 43, 47};
    std::vector<double> u(n);
    for (std::size_t d = 0; d < n; ++d) {
        const int base = kPrimes[d % std::size(kPrimes)];
        double f = 1, r = 0;
        for (int i = k; i > 0; i /= base) {
            f /= base;
            r += f * (i % base);
        }
        u[d] = lo + (hi - lo) * r;
    }
    return u;
}

double Distance(const std::vector<double>& a, const std::vector<double>& b) {
    double sum = 0;
    for (std::size_t i = 0; i < a.size(); ++i) sum += (a[i] - b[i]) * (a[i] - b[i]);
    return std::sqrt(sum);
}

// The search proper, in rounds until two in a row bring nothing or the time
// is up. A round spreads Halton points over the box, runs short searches
// from the best few that lie apart (the first round also from the start),
// continues the most promising two to convergence and polishes the best
// with a fresh, smaller model, which settles the ripple the first model
// left between band points. Short searches first: most starting points lead
// into poor valleys, and a few dozen steps tell which.
void RunRounds(Search& search, std::size_t n, double lo, double hi) {
    const int dims = static_cast<int>(n);
    const int samplesPerRound = 30 * dims;
    constexpr std::size_t kShort = 8;
    constexpr std::size_t kLong = 2;
    constexpr int kMaxRounds = 50;
    const double apart = 0.15 * (hi - lo);
    std::vector<std::vector<double>> tried;
    int halton = 1;
    int idle = 0;
    for (int round = 0; round < kMaxRounds && idle < 2 && !search.Stopped(); ++round) {
        const double bestBefore = search.BestFigure();
        std::vector<Found> samples;
        for (int k = 0; k < samplesPerRound && !search.Stopped(); ++k, ++halton) {
            std::vector<double> u = HaltonPoint(halton, n, lo, hi);
            samples.push_back({search.Evaluate(u.data(), nullptr), std::move(u)});
        }
        std::sort(samples.begin(), samples.end(),
                  [](const Found& a, const Found& b) { return a.figure < b.figure; });
        std::vector<std::vector<double>> starts;
        if (round == 0) starts.push_back(std::vector<double>(n, 0.0));
        auto farFrom = [&](const std::vector<double>& u, const auto& points) {
            for (const auto& p : points)
                if (Distance(p, u) <= apart) return false;
            return true;
        };
        for (const Found& f : samples) {
            if (starts.size() >= kShort) break;
            if (farFrom(f.u, starts) && farFrom(f.u, tried)) starts.push_back(f.u);
        }

        std::vector<Found> ends;
        for (const auto& u0 : starts) {
            if (search.Stopped()) break;
            tried.push_back(u0);
            ends.push_back(LocalSearch(search, u0, lo, hi, 0.1 * (hi - lo), 40 * (dims + 1)));
        }
        std::sort(ends.begin(), ends.end(),
                  [](const Found& a, const Found& b) { return a.figure < b.figure; });
        for (std::size_t i = 0; i < ends.size() && i < kLong && !search.Stopped(); ++i)
            LocalSearch(search, ends[i].u, lo, hi, 0.03 * (hi - lo), 300 * (dims + 1));
        for (double polish : {0.01, 0.001}) {
            if (search.Stopped()) break;
            const std::vector<double> best = search.BestU();
            LocalSearch(search, best, lo, hi, polish * (hi - lo), 300 * (dims + 1));
        }
        const bool gained = search.BestFigure() < bestBefore - 1e-9 * std::fabs(bestBefore) - 1e-12;
        idle = gained ? 0 : idle + 1;
    }
}

}  // namespace

std::vector<TunedValue> TunedValuesOf(const SessionState& s, int stage) {
    std::vector<TunedValue> out;
    if (stage < kFirstStage || stage > kLastStage) return out;
    const int code = s.ElementType[stage];
    auto add = [&](int slot) {
        if (Positive(s.Value[stage][slot])) out.push_back({stage, slot});
    };
    if (code >= SeriesCapacitor && code <= ShuntOpenStub) add(1);
    if (code == ShuntLCPair || code == SeriesLCPair) {
        add(1);
        add(3);
    }
    return out;
}

std::vector<int> TunableStages(const SessionState& s) {
    std::vector<int> out;
    for (int stage = kFirstStage; stage <= kLastStage; ++stage)
        if (!TunedValuesOf(s, stage).empty()) out.push_back(stage);
    return out;
}

bool IsComponentValue(const SessionState& s, TunedValue v) {
    const int code = s.ElementType[v.stage];
    return code < TransmissionLine || code > ShuntOpenStub;
}

int BandPoints(const SessionState& s) {
    if (s.LoadMode == LoadTable) return LoadTableRows(s);
    if (s.LoadMode != SingleLoad || !(s.SweepStart > 0)) return 0;
    if (s.SweepPoints > 1 && !(s.SweepStop > 0)) return 0;
    return std::clamp<int>(s.SweepPoints, 0, kSweepCapacity);
}

double WorstVswr(const SessionState& s) {
    return SweptWorstVswr(s);
}

double GoalFigure(OptimiseGoal goal, double vswr) {
    if (goal == OptimiseGoal::Vswr) return vswr;
    // VSWR 1 (and below) is a perfect match: rho 0 and the capped figure.
    return ReturnLossOf(vswr > 1 ? (vswr - 1) / (vswr + 1) : 0);
}

OptimiseResult Optimise(const SessionState& s, const OptimiseOptions& options) {
    OptimiseResult result;
    OptimiseOptions o = options;
    o.values.erase(std::remove_if(o.values.begin(), o.values.end(),
                                  [&](TunedValue v) {
                                      return v.stage < kFirstStage || v.stage > kLastStage ||
                                             v.slot < 1 || v.slot >= kValueSlots ||
                                             !Positive(s.Value[v.stage][v.slot]);
                                  }),
                   o.values.end());
    for (const TunedValue& v : options.values) {
        const bool inRange = v.stage >= 0 && v.stage < kStageSlots && v.slot >= 0 &&
                             v.slot < kValueSlots;
        result.before.push_back(inRange ? s.Value[v.stage][v.slot] : 0);
    }
    result.after = result.before;

    Search search(s, o);
    const std::size_t n = search.Size();
    const std::vector<double> origin(n, 0.0);
    if (search.Points() == 0) {
        result.worstVswrBefore = result.worstVswrAfter = kVswrLimit;
        return result;
    }
    search.Evaluate(origin.data(), nullptr);
    result.worstVswrBefore = search.BestVswr();

    if (n > 0) {
        const double lo = std::log(std::clamp(o.lowFactor, 1e-6, 1.0));
        const double hi = std::log(std::clamp(o.highFactor, 1.0, 1e6));
        RunRounds(search, n, lo, hi);
        const std::vector<double>& u = search.BestU();
        const std::vector<double>& base = search.Base();
        for (std::size_t i = 0, j = 0; i < options.values.size() && j < n; ++i) {
            if (!(options.values[i] == o.values[j])) continue;
            result.after[i] = base[j] * std::exp(u[j]);
            ++j;
        }
    }
    // The reported figure is that of the values handed back, computed afresh.
    auto check = std::make_unique<SessionState>(s);
    ApplyTunedValues(*check, options.values, result.after);
    result.worstVswrAfter = SweptWorstVswr(*check);
    if (result.worstVswrAfter > result.worstVswrBefore) {
        result.after = result.before;
        result.worstVswrAfter = result.worstVswrBefore;
    }
    result.evaluations = search.Evaluations();
    result.seconds = search.Seconds();
    result.cancelled = search.Cancelled();
    return result;
}

void ApplyTunedValues(SessionState& s, std::span<const TunedValue> tuned,
                      std::span<const double> values) {
    for (std::size_t i = 0; i < tuned.size() && i < values.size(); ++i) {
        const TunedValue& v = tuned[i];
        if (v.stage >= kFirstStage && v.stage <= kLastStage && v.slot >= 1 && v.slot < kValueSlots)
            s.Value[v.stage][v.slot] = values[i];
    }
}

SnapResult SnapTunedValues(const SessionState& s, std::span<const TunedValue> tuned,
                           std::span<const double> values, std::span<const double> series) {
    SnapResult result;
    result.values.assign(values.begin(), values.end());
    std::vector<std::size_t> snapped;   // positions with a choice of two
    std::vector<SeriesNeighbours> choices;
    for (std::size_t i = 0; i < tuned.size() && i < values.size(); ++i) {
        if (!IsComponentValue(s, tuned[i])) continue;
        const SeriesNeighbours n = NeighboursInSeries(values[i], series);
        result.values[i] = SnapToSeries(values[i], series);
        if (n.below != n.above) {
            snapped.push_back(i);
            choices.push_back(n);
        }
    }
    auto work = std::make_unique<SessionState>(s);
    ApplyTunedValues(*work, tuned, result.values);
    result.worstVswr = SweptWorstVswr(*work);

    constexpr std::size_t kMostTried = 10;  // 1024 combinations, some 30 ms
    if (snapped.empty() || snapped.size() > kMostTried) return result;
    std::vector<double> trial = result.values;
    for (unsigned mask = 0; mask < (1u << snapped.size()); ++mask) {
        for (std::size_t j = 0; j < snapped.size(); ++j)
            trial[snapped[j]] = (mask >> j) & 1u ? choices[j].above : choices[j].below;
        ApplyTunedValues(*work, tuned, trial);
        const double worst = SweptWorstVswr(*work);
        if (worst < result.worstVswr) {
            result.worstVswr = worst;
            result.values = trial;
        }
    }
    return result;
}

}  // namespace qv
