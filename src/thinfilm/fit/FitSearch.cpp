#include "thinfilm/fit/FitSearch.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace optc {

namespace {

constexpr int kFarthestShift = 12;

double MedianStep(const MeasuredRange& range) {
    std::vector<double> steps;
    for (std::size_t i = 1; i < range.lambda.size(); ++i) steps.push_back(range.lambda[i] - range.lambda[i - 1]);
    if (steps.empty()) return 1.0;
    std::nth_element(steps.begin(), steps.begin() + static_cast<std::ptrdiff_t>(steps.size() / 2), steps.end());
    return std::max(steps[steps.size() / 2], 1e-9);
}

double PeriodAt(const FilmLaws& laws, const FitVector& values, double lambda) {
    return FringePeriodNm(FitIndex(values.data(), laws.dispersion, lambda), values[kThickness], lambda);
}

}  // namespace

FitPoints PointsOf(const MeasuredRange& range, double from, double to, std::size_t stride, const FilmLaws& laws,
                   const FitVector& values) {
    FitPoints points;
    FitVector thick = values;
    thick[kThickness] *= 1.5;
    std::size_t taken = 0;
    for (std::size_t i = 0; i < range.lambda.size(); ++i) {
        const double lambda = range.lambda[i];
        if (lambda < from || lambda > to) continue;
        if (taken++ % stride != 0) continue;
        points.lambda.push_back(lambda);
        points.trans.push_back(range.trans[i]);
        points.bandPieces.push_back(laws.slitNm > 0.0 ? film::BandPieces(laws.slitNm, PeriodAt(laws, thick, lambda)) : 1);
    }
    return points;
}

FitPoints BinsOf(const MeasuredRange& range, double from, double to, std::size_t bin, const FilmLaws& laws,
                 const FitVector& values) {
    if (bin <= 1) return PointsOf(range, from, to, 1, laws, values);
    MeasuredRange means;
    double lambda = 0.0, trans = 0.0;
    std::size_t taken = 0;
    for (std::size_t i = 0; i < range.lambda.size(); ++i) {
        if (range.lambda[i] < from || range.lambda[i] > to) continue;
        lambda += range.lambda[i];
        trans += range.trans[i];
        if (++taken < bin) continue;
        means.lambda.push_back(lambda / static_cast<double>(taken));
        means.trans.push_back(trans / static_cast<double>(taken));
        lambda = trans = 0.0;
        taken = 0;
    }
    if (taken > 0) {
        means.lambda.push_back(lambda / static_cast<double>(taken));
        means.trans.push_back(trans / static_cast<double>(taken));
    }
    return PointsOf(means, from, to, 1, laws, values);
}

std::size_t StrideFor(const MeasuredRange& range, double from, double to, const FilmLaws& laws,
                      const FitVector& values, double perFringe) {
    const double step = MedianStep(range);
    const double shortest = PeriodAt(laws, values, std::max(from, range.lambda.front()));
    const double fits = shortest / step / perFringe;
    (void)to;
    return fits >= 2.0 ? static_cast<std::size_t>(std::floor(fits)) : 1;
}

double SearchStart(const MeasuredRange& range, const FilmLaws& laws, const FitVector& values) {
    constexpr double kLeastPerFringe = 10.0, kMostFringes = 30.0, kLeastFringes = 6.0;
    const double step = MedianStep(range);
    const double longest = range.lambda.back();
    const double nd = FitIndex(values.data(), laws.dispersion, longest) * values[kThickness];
    double start = longest;
    for (std::size_t i = range.lambda.size(); i-- > 0;) {
        const double lambda = range.lambda[i];
        const double fringes = 2.0 * nd * (1.0 / lambda - 1.0 / longest);
        const bool sampled = PeriodAt(laws, values, lambda) / step >= kLeastPerFringe;
        if (fringes > kLeastFringes && (!sampled || fringes > kMostFringes)) break;
        start = lambda;
    }
    return start;
}

double OrderAt(const FitVector& values, DispersionLaw law, double lambda) {
    return 2.0 * FitIndex(values.data(), law, lambda) * values[kThickness] / lambda;
}

bool NotClearlyWorse(double bestSsr, double otherSsr, std::size_t points, int parameters) {
    const double dof = std::max(1.0, static_cast<double>(points) - parameters);
    const double variance = bestSsr / dof;
    return otherSsr <= 1.25 * bestSsr || otherSsr - bestSsr <= 25.0 * variance;
}

SearchResult SearchOrders(const FitPoints& points, const FitSetup& setup, const OrderLadder& ladder,
                          const FitVector& base, const FitControl& control, int& fitsDone) {
    SearchResult search;
    const double longest = ladder.lambda.front();
    std::map<int, double> misfit;
    const auto fitAt = [&](int shift) -> bool {
        const auto start = ShiftedStart(ladder, shift, setup.laws.dispersion, base);
        if (!start) return false;
        FitSetup bounded = setup;
        SetBounds(bounded, *start, points.lambda.front());
        constexpr double kHopeless = 30.0;  // times the best misfit so far
        for (const auto& fitted : misfit) bounded.abandonAbove = std::min(bounded.abandonAbove, kHopeless * fitted.second);
        FitRun run = SolveFit(points, bounded, *start, control);
        ++fitsDone;
        if (control.progress) control.progress(std::min(0.8, fitsDone / 10.0));
        if (run.end == FitEnd::Cancelled) {
            search.cancelled = true;
            return false;
        }
        if (run.end == FitEnd::Failed) return false;
        misfit[shift] = run.ssr;
        search.fits.push_back({shift, run, OrderAt(run.values, setup.laws.dispersion, longest)});
        return true;
    };
    for (int shift : {0, 1, -1, 2, -2}) {
        fitAt(shift);
        if (search.cancelled) return search;
    }
    for (int direction : {1, -1}) {
        for (int shift = 3 * direction; std::abs(shift) <= kFarthestShift; shift += direction) {
            const auto before = misfit.find(shift - direction), twoBefore = misfit.find(shift - 2 * direction);
            if (before == misfit.end() || twoBefore == misfit.end() || before->second >= twoBefore->second) break;
            if (!fitAt(shift) || search.cancelled) break;
        }
        if (search.cancelled) return search;
    }
    // Best first; a fit that ran into an order another reached already is the same.
    std::sort(search.fits.begin(), search.fits.end(),
              [](const OrderFit& a, const OrderFit& b) { return a.run.ssr < b.run.ssr; });
    std::vector<OrderFit> distinct;
    for (const OrderFit& fit : search.fits) {
        const bool seen = std::any_of(distinct.begin(), distinct.end(), [&](const OrderFit& kept) {
            return std::fabs(kept.orderAtLongest - fit.orderAtLongest) < 0.25;
        });
        if (!seen) distinct.push_back(fit);
    }
    search.fits = std::move(distinct);
    return search;
}

}  // namespace optc
