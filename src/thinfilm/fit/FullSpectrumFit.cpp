#include "thinfilm/fit/FullSpectrumFit.h"

#include <ceres/jet.h>

#include <algorithm>
#include <cmath>
#include <numeric>

#include "numerics/FloatText.h"
#include "numerics/signal/Median.h"
#include "numerics/signal/NoiseEstimate.h"
#include "thinfilm/fit/FitAlpha.h"
#include "thinfilm/fit/FitSearch.h"
#include "thinfilm/fit/FullSpectrumFitText.h"

namespace optc {

namespace {

constexpr int kLeastPoints = 20;
// The residual is clearly above the noise beyond this ratio, and beyond an absolute
// 0.02 %T that no photometer reads better.
constexpr double kNoiseRatio = 1.5;
constexpr double kLeastTellingResidual = 0.02;
// Points per fringe kept in the search and in the first whole-range fit.
constexpr double kSearchPerFringe = 12.0;
// Points per fringe at most in the final fit: a spectrum sampled more finely is fitted
// on the means of neighbouring points, whose curvature shifts T by 1e-4 of a fringe's
// amplitude at most.
constexpr double kFinePerFringe = 96.0;

std::string CheckOptions(const SpectrumFitOptions& o) {
    if (!std::isfinite(o.slitNm) || o.slitNm < 0.0 || o.slitNm > 100.0) return "the slit width must be 0 to 100 nm.";
    if (!std::isfinite(o.natNm) || !(o.natNm > 0.0)) return "the wavelength of n must be a positive number.";
    if (!std::isfinite(o.fromNm) || !std::isfinite(o.toNm) || o.fromNm < 0.0 || o.toNm < 0.0)
        return "the range must be given by positive numbers.";
    if (o.fromNm > 0.0 && o.toNm > 0.0 && o.fromNm >= o.toNm) return "the range must start below its end.";
    return "";
}

// The spectrum sorted to ascending wavelength, or the reason it cannot be fitted.
std::string Sorted(const SpectrumFitInput& input, MeasuredRange& range) {
    if (input.lambda.size() != input.trans.size()) return kFitTooFewPoints;
    std::vector<std::size_t> order(input.lambda.size());
    std::iota(order.begin(), order.end(), 0);
    for (std::size_t i : order)
        if (!std::isfinite(input.lambda[i]) || !std::isfinite(input.trans[i]) || !(input.lambda[i] > 0.0))
            return kFitNotFinite;
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return input.lambda[a] < input.lambda[b]; });
    for (std::size_t i : order) {
        if (!range.lambda.empty() && input.lambda[i] <= range.lambda.back()) continue;  // a repeated wavelength
        range.lambda.push_back(input.lambda[i]);
        range.trans.push_back(input.trans[i]);
    }
    return "";
}

MeasuredRange Within(const MeasuredRange& all, double from, double to) {
    MeasuredRange part;
    for (std::size_t i = 0; i < all.lambda.size(); ++i) {
        if (all.lambda[i] < from || all.lambda[i] > to) continue;
        part.lambda.push_back(all.lambda[i]);
        part.trans.push_back(all.trans[i]);
    }
    return part;
}

int FreeCount(const FitSetup& setup) {
    return static_cast<int>(std::count(setup.free.begin(), setup.free.end(), true));
}

// A local fit over the whole range from a start as it is and, where the spread is
// fitted, from a spread of 3 % of the thickness as well: a fit that starts near a
// uniform film can settle on a clear one whose weak absorption dims the fringes
// instead. On a finely sampled spectrum both run on every few points first and only
// the better goes on to the fine points (the spectrum's own, or their bins where it is
// sampled far more finely than its fringes need).
FitRun WholeRangeFit(const MeasuredRange& range, const FitSetup& setup, const FitVector& start, const FitPoints& fine,
                     const FitControl& control) {
    const double from = range.lambda.front(), to = range.lambda.back();
    std::vector<FitVector> starts = {start};
    if (setup.free[kSpread]) {
        FitVector wide = start;
        wide[kSpread] = std::max(start[kSpread], 0.03 * start[kThickness]);
        starts.push_back(wide);
    }
    const std::size_t stride = StrideFor(range, from, to, setup.laws, start, kSearchPerFringe);
    const bool coarseFirst = stride > 1 && fine.Size() > 2 * (fine.Size() / stride);
    const FitPoints coarse = coarseFirst ? PointsOf(range, from, to, stride, setup.laws, start) : FitPoints{};
    FitRun best;
    FitSetup bestSetup = setup;
    int iterations = 0;
    for (const FitVector& s : starts) {
        FitSetup bounded = setup;
        SetBounds(bounded, s, from);
        const FitRun run = SolveFit(coarseFirst ? coarse : fine, bounded, s, control);
        iterations += run.iterations;
        if (run.end == FitEnd::Cancelled) return run;
        if (run.end == FitEnd::Failed || (best.end != FitEnd::Failed && run.ssr >= best.ssr)) continue;
        best = run;
        bestSetup = bounded;
    }
    if (coarseFirst && best.end != FitEnd::Failed) best = SolveFit(fine, bestSetup, best.values, control);
    best.iterations = (coarseFirst ? best.iterations : 0) + iterations;
    return best;
}

}  // namespace

const char* FitParameterName(int index, DispersionLaw law) {
    const bool sellmeier = law == DispersionLaw::Sellmeier;
    switch (index) {
        case kThickness: return "thicknessNm";
        case kSpread: return "nonUniformityNm";
        case kSubstrate: return "substrateIndex";
        case kDispersion1: return sellmeier ? "sellmeierS" : "cauchyA";
        case kDispersion2: return sellmeier ? "sellmeierLambda0Nm" : "cauchyBNm2";
        case kDispersion3: return "cauchyCNm4";
        case kEdgeEnergy: return "edgeEnergyEv";
        case kEdgeWidth: return "edgeWidthEv";
        case kFloor: return "alphaFloorPerCm";
        default: return "";
    }
}

SpectrumFitOutcome FitSpectrum(const SpectrumFitInput& input, const SpectrumFitOptions& options,
                               const FitControl& control) {
    SpectrumFitOutcome outcome;
    const auto fail = [&outcome](std::string reason) {
        outcome.reason = std::move(reason);
        return outcome;
    };
    if (const std::string bad = CheckOptions(options); !bad.empty()) return fail(kFitBadOptions + bad);
    MeasuredRange all;
    if (const std::string bad = Sorted(input, all); !bad.empty()) return fail(bad);
    if (all.lambda.size() < static_cast<std::size_t>(kLeastPoints)) return fail(kFitTooFewPoints);

    // The start: the fringe orders.
    FringeOrdersResult orders;
    if (input.orders) {
        orders = *input.orders;
    } else {
        const FringeOrdersOutcome found = FindFringeOrders(input.extrema, input.fitTerms);
        if (!found.result) return fail(std::string(kFitNoFringes) + " " + found.reason);
        orders = *found.result;
    }
    const OrderLadder ladder = LadderOf(orders);
    if (ladder.lambda.size() < 2 || !(orders.thicknessNm > 0.0)) return fail(kFitNoFringes);

    FilmLaws laws{options.dispersion, options.absorption, options.slitNm};
    const double shortestExtremum = ladder.lambda.back();
    // A clear film is fitted where its fringes are, from a quarter fringe short of the
    // shortest extremum.
    double from = options.fromNm > 0.0 ? options.fromNm : all.lambda.front();
    if (options.fromNm <= 0.0 && laws.absorption == AbsorptionLaw::None) {
        const double n = ladder.order.back() * shortestExtremum / (2.0 * orders.thicknessNm);
        from = std::max(from, shortestExtremum - FringePeriodNm(n, orders.thicknessNm, shortestExtremum) / 4.0);
    }
    const double to = options.toNm > 0.0 ? options.toNm : all.lambda.back();
    const MeasuredRange range = Within(all, from, to);
    if (range.lambda.size() < static_cast<std::size_t>(kLeastPoints)) return fail(kFitTooFewPoints);

    FitVector base{};
    base[kSubstrate] = input.substrate;
    base[kSpread] = options.spread ? (input.spreadStartNm && *input.spreadStartNm > 0.0
                                          ? *input.spreadStartNm
                                          : std::max(1.0, 0.005 * orders.thicknessNm))
                                   : 0.0;
    const EdgeStart edge = EdgeStartOf(range.lambda, range.trans, shortestExtremum, orders.thicknessNm);
    base[kEdgeEnergy] = edge.energyEv;
    base[kEdgeWidth] = edge.widthEv;
    base[kFloor] = laws.absorption == AbsorptionLaw::Urbach ? 1.0 : 0.0;
    if (!(input.substrate >= 1.0 && input.substrate <= 5.0)) return fail(std::string(kFitBadOptions) + "nS must lie between 1 and 5.");

    FitSetup setup;
    setup.laws = laws;
    setup.free[kThickness] = true;
    setup.free[kSpread] = options.spread;
    setup.free[kSubstrate] = options.fitSubstrate;
    setup.free[kDispersion1] = setup.free[kDispersion2] = true;
    setup.free[kDispersion3] = laws.dispersion == DispersionLaw::CauchyThree;
    const bool urbach = laws.absorption == AbsorptionLaw::Urbach;
    setup.free[kEdgeEnergy] = setup.free[kEdgeWidth] = urbach && edge.inRange;
    setup.free[kFloor] = urbach;

    const auto first = ShiftedStart(ladder, 0, laws.dispersion, base);
    if (!first) return fail(kFitNoFringes);

    // The order search, on the long-wavelength part of a thick film's spectrum.
    const double searchFrom = std::max(SearchStart(range, laws, *first), range.lambda.front());
    const bool wholeSearch = searchFrom <= range.lambda.front();
    FitSetup searchSetup = setup;
    if (!wholeSearch) searchSetup.free[kEdgeEnergy] = searchSetup.free[kEdgeWidth] = false;
    // A wrong order's misfit is plain long before its fit would settle.
    searchSetup.maxIterations = 40;
    // The search compares misfits that differ by far more than a part in 10^8.
    searchSetup.tolerance = 1e-8;
    const std::size_t stride = StrideFor(range, searchFrom, to, laws, *first, kSearchPerFringe);
    const FitPoints searchPoints = PointsOf(range, searchFrom, to, stride, laws, *first);
    if (searchPoints.Size() < static_cast<std::size_t>(kLeastPoints)) return fail(kFitTooFewPoints);
    int fitsDone = 0;
    const SearchResult search = SearchOrders(searchPoints, searchSetup, ladder, base, control, fitsDone);
    if (search.cancelled) return fail(kFitCancelled);
    if (search.fits.empty()) return fail(kFitFailed);

    // The whole range from the best order, and from the next best when it fits almost
    // as well; the better of the two over the whole range wins.
    struct Final {
        FitRun run;
        FitPoints points;
    };
    std::vector<Final> finals;
    const std::size_t bin =
        StrideFor(range, range.lambda.front(), range.lambda.back(), laws, search.fits[0].run.values, kFinePerFringe);
    const int parameters = FreeCount(searchSetup);
    const bool close = search.fits.size() > 1 &&
                       NotClearlyWorse(search.fits[0].run.ssr, search.fits[1].run.ssr, searchPoints.Size(), parameters);
    for (std::size_t i = 0; i < (close ? 2u : 1u); ++i) {
        Final f;
        f.points = BinsOf(range, range.lambda.front(), range.lambda.back(), bin, laws, search.fits[i].run.values);
        f.run = WholeRangeFit(range, setup, search.fits[i].run.values, f.points, control);
        ++fitsDone;
        if (control.progress) control.progress(std::min(0.95, fitsDone / 10.0));
        if (f.run.end == FitEnd::Cancelled) return fail(kFitCancelled);
        if (f.run.end != FitEnd::Failed) finals.push_back(std::move(f));
    }
    if (finals.empty()) return fail(kFitFailed);
    std::sort(finals.begin(), finals.end(), [](const Final& a, const Final& b) { return a.run.ssr < b.run.ssr; });
    const Final& best = finals.front();
    FitSetup finalSetup = setup;
    SetBounds(finalSetup, best.run.values, range.lambda.front());
    const FitVector& v = best.run.values;

    // An edge that absorbs nothing in the range says nothing of its energy and width.
    if (urbach && finalSetup.free[kEdgeEnergy]) {
        FitVector edgeOnly = v;
        edgeOnly[kFloor] = 0.0;
        if (FitAlphaPerNm(edgeOnly.data(), laws.absorption, range.lambda.front()) * v[kThickness] < 1e-4)
            finalSetup.free[kEdgeEnergy] = finalSetup.free[kEdgeWidth] = false;
    }
    const auto covariance = ParameterCovariance(best.points, finalSetup, best.run);
    if (!covariance) return fail(kFitSingular);

    SpectrumFitResult r;
    r.laws = laws;
    r.values = v;
    r.iterations = best.run.iterations;
    r.thicknessNm = v[kThickness];
    r.thicknessSdNm = covariance->sd[kThickness];
    r.spreadNm = v[kSpread];
    r.spreadSdNm = covariance->sd[kSpread];
    // A spread within a few deviations of 0 acts nearly by its square, and its slope
    // alone tells too small a deviation: the misfit of the same film held uniform says
    // how far from 0 it really is (the spread at which the misfit rises by one variance
    // at most).
    if (finalSetup.free[kSpread] && v[kSpread] > 0.0 && v[kSpread] < 5.0 * r.spreadSdNm) {
        FitSetup uniform = finalSetup;
        uniform.free[kSpread] = false;
        FitVector flat = v;
        flat[kSpread] = 0.0;
        const FitRun held = SolveFit(best.points, uniform, flat, control);
        if (held.end == FitEnd::Cancelled) return fail(kFitCancelled);
        const std::size_t m = best.points.Size();
        const auto q = static_cast<std::size_t>(FreeCount(finalSetup));
        if (held.end != FitEnd::Failed && m > q) {
            const double variance = best.run.ssr / static_cast<double>(m - q);
            const double rise = std::max(held.ssr - best.run.ssr, 0.0) / variance;
            r.spreadSdNm = std::max(r.spreadSdNm, rise > 1.0 ? v[kSpread] / std::sqrt(rise) : v[kSpread]);
        }
    }
    r.natNm = options.natNm;
    {
        using Jet = ceres::Jet<double, kParameterCount>;
        std::array<Jet, kParameterCount> seeded;
        for (int i = 0; i < kParameterCount; ++i) seeded[static_cast<std::size_t>(i)] = Jet(v[static_cast<std::size_t>(i)], i);
        const Jet n = FitIndex(seeded.data(), laws.dispersion, options.natNm);
        double variance = 0.0;
        for (int i = 0; i < kParameterCount; ++i)
            for (int j = 0; j < kParameterCount; ++j)
                if (i != kSpread && j != kSpread)
                    variance += n.v[i] * covariance->matrix[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)] * n.v[j];
        r.nAtNat = n.a;
        r.nAtNatSd = std::sqrt(std::max(variance, 0.0));
    }
    // The residual of every measured point, beside the noise of one (bins average it down).
    const FitPoints every = bin > 1 ? PointsOf(range, range.lambda.front(), range.lambda.back(), 1, laws, v) : best.points;
    const std::vector<double> fitted = ModelAt(every, laws, v);
    double ssr = 0.0;
    for (std::size_t k = 0; k < every.Size(); ++k) ssr += (every.trans[k] - fitted[k]) * (every.trans[k] - fitted[k]);
    r.rmsResidual = std::sqrt(ssr / static_cast<double>(every.Size()));
    r.noise = Median(LocalNoise(range.trans));
    for (const FringeExtremum& e : input.extrema)
        if (e.lambda >= range.lambda.front() && e.lambda <= range.lambda.back()) ++r.extremaInRange;

    // Every parameter in the units the program reports.
    for (int i = 0; i < kParameterCount; ++i) {
        const auto k = static_cast<std::size_t>(i);
        if (!finalSetup.free[k] && i != kSubstrate) continue;
        double scale = 1.0;
        if (i == kDispersion2) scale = laws.dispersion == DispersionLaw::Sellmeier ? 1e3 : 1e6;
        if (i == kDispersion3) scale = 1e12;
        r.parameters.push_back({FitParameterName(i, laws.dispersion), v[k] * scale, covariance->sd[k] * scale});
    }
    if (urbach && !finalSetup.free[kEdgeEnergy]) {
        // The edge held beyond the range: reported as held, without a deviation.
        r.parameters.push_back({FitParameterName(kEdgeEnergy, laws.dispersion), v[kEdgeEnergy], 0.0});
        r.parameters.push_back({FitParameterName(kEdgeWidth, laws.dispersion), v[kEdgeWidth], 0.0});
    }

    // Why to doubt it.
    const auto warn = [&r](std::string text) {
        r.trusted = false;
        r.warnings.push_back(std::move(text));
    };
    if (best.run.end == FitEnd::IterationLimit)
        warn("The fit did not converge in " + std::to_string(best.run.iterations) + " iterations.");
    if (r.rmsResidual > kNoiseRatio * r.noise && r.rmsResidual > kLeastTellingResidual)
        warn("The residual, " + PercentTText(r.rmsResidual) + " %T, is " +
             RoundedText(r.noise > 0.0 ? r.rmsResidual / r.noise : 0.0, 1) + " times the noise, " + PercentTText(r.noise) +
             " %T: the model does not describe this spectrum.");
    if (finals.size() > 1 && NotClearlyWorse(best.run.ssr, finals[1].run.ssr, best.points.Size(), FreeCount(finalSetup))) {
        r.alternativeNm = finals[1].run.values[kThickness];
        warn("The neighbouring order fits almost as well: d = " + RoundedText(*r.alternativeNm, 1) + " nm, residual " +
             PercentTText(std::sqrt(finals[1].run.ssr / static_cast<double>(finals[1].points.Size()))) + " %T.");
    }
    for (int i = 0; i < kParameterCount; ++i)
        if (AtTellingBound(finalSetup, v, i))
            warn(std::string("The parameter ") + FitParameterName(i, laws.dispersion) + " is at its bound.");
    const int fringeParameters = 1 + (options.spread ? 1 : 0) + (options.fitSubstrate ? 1 : 0) +
                                 (laws.dispersion == DispersionLaw::CauchyThree ? 3 : 2);
    if (r.extremaInRange < fringeParameters)
        warn("Too few fringes for the parameters: " + std::to_string(r.extremaInRange) + " extrema in the range for " +
             std::to_string(fringeParameters) + " parameters of the fringes.");

    // The fitted range point by point, with alpha from each measured point.
    r.points.reserve(every.Size());
    for (std::size_t k = 0; k < every.Size(); ++k) {
        const double lambda = every.lambda[k];
        r.points.push_back({lambda, every.trans[k], fitted[k], FitIndex(v.data(), laws.dispersion, lambda),
                            AlphaFromPoint(v, laws, lambda, every.bandPieces[k], every.trans[k])});
    }
    for (double x : {r.thicknessNm, r.thicknessSdNm, r.spreadNm, r.spreadSdNm, r.nAtNat, r.nAtNatSd, r.rmsResidual,
                     r.noise})
        if (!std::isfinite(x)) return fail(kFitFailed);
    if (control.progress) control.progress(1.0);
    outcome.result = std::move(r);
    return outcome;
}

}  // namespace optc
