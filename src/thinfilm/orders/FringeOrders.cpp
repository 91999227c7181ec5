#include "thinfilm/orders/FringeOrders.h"

#include "thinfilm/extrema/ExtremaCheck.h"
#include "thinfilm/orders/FringePositions.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "numerics/CurveFit.h"
#include "numerics/Errors.h"
#include "numerics/FloatText.h"
#include "numerics/signal/Median.h"
#include "numerics/signal/RobustInliers.h"

namespace optc {

namespace {

// Orders are counted in half orders, h = 2m: even at maxima, odd at minima (for a film
// of higher index than its substrate). Neighbouring extrema are half an order apart,
// so along the extrema, longest wavelength first, h grows by one at each step and the
// whole assignment is given by h of the first extremum.
using HalfOrder = std::int64_t;

// The search never walks further than this many half orders from the first pass.
constexpr HalfOrder kSearchLimit = 4000;
// No film has anywhere near a billion orders: a first pass that says so is no thickness.
constexpr double kMaxHalfOrder = 1e9;
// The neighbourhood tried around the first pass: two whole orders either way.
constexpr HalfOrder kNeighbourhood = 4;
// The kinds are swapped only when the other parity fits decisively better: its misfit
// at most a quarter of that of the kinds as given. Noise and the small systematic
// errors of n1 move misfits of neighbouring assignments by tens of per cent, never
// by such a factor. A next-best assignment counts as almost as good when its misfit
// exceeds the best by less than 4 noise variances (a likelihood ratio below e^2,
// about 7).
constexpr double kSwapFactor = 4.0;
constexpr double kAmbiguityMargin = 4.0;

int Count(const std::vector<bool>& mask) { return static_cast<int>(std::count(mask.begin(), mask.end(), true)); }

double MeanOf(const std::vector<double>& values, const std::vector<bool>& mask) {
    double sum = 0.0;
    for (std::size_t i = 0; i < values.size(); ++i)
        if (mask[i]) sum += values[i];
    return sum / Count(mask);
}

// The nearest half order of the parity a kind needs: even at maxima, odd at minima.
HalfOrder RoundToParity(double halfOrder, bool even) {
    const double offset = even ? 0.0 : 1.0;
    return static_cast<HalfOrder>(2.0 * std::round((halfOrder - offset) / 2.0) + offset);
}

// Half orders from the first extremum to each: i, unless a gap was bridged.
using Offsets = std::vector<HalfOrder>;

// d2 of every extremum for the assignment that gives the first extremum h1.
std::vector<double> ThicknessesFor(const std::vector<FringeExtremum>& e, const Offsets& k, HalfOrder h1) {
    std::vector<double> d(e.size());
    for (std::size_t i = 0; i < e.size(); ++i)
        d[i] = static_cast<double>(h1 + k[i]) * e[i].lambda / (4.0 * e[i].n1);
    return d;
}

// How well an assignment fits, in the index where the noise of the measurement sits:
// the orders say n = h lambda / (4 d); the one d that fits the n1 of the chosen
// extrema best (least squares) leaves this sum of squared index residuals. Measured on
// d2 = h lambda / (4 n1) instead, the noise of n1 would divide and favour lower orders.
double Misfit(const std::vector<FringeExtremum>& e, const Offsets& k, const std::vector<bool>& mask, HalfOrder h1) {
    double nq = 0.0, qq = 0.0;
    for (std::size_t i = 0; i < e.size(); ++i) {
        if (!mask[i]) continue;
        const double q = static_cast<double>(h1 + k[i]) * e[i].lambda / 4.0;
        nq += e[i].n1 * q;
        qq += q * q;
    }
    const double inverseD = nq / qq;
    double sum = 0.0;
    for (std::size_t i = 0; i < e.size(); ++i) {
        if (!mask[i]) continue;
        const double q = static_cast<double>(h1 + k[i]) * e[i].lambda / 4.0;
        const double r = e[i].n1 - q * inverseD;
        sum += r * r;
    }
    return sum;
}

struct Assignment {
    HalfOrder h1 = 0;
    double misfit = std::numeric_limits<double>::infinity();
};

// Variance of one n1 about the fit of an assignment.
double NoiseVariance(const Assignment& a, const std::vector<bool>& mask) {
    const int used = Count(mask);
    return used > 1 ? a.misfit / (used - 1) : 0.0;
}

// The best and the next-best assignment of each parity: [0] as the kinds ask,
// [1] with the kinds swapped.
struct SearchResult {
    Assignment best[2];
    Assignment secondBest[2];
    bool swapped = false;

    // The assignment to take: that of the kinds as given, unless the other parity
    // fits decisively better.
    const Assignment& Chosen() const { return best[swapped ? 1 : 0]; }
    const Assignment& RunnerUp() const { return secondBest[swapped ? 1 : 0]; }
};

// The same misfit for any h1 at once, from sums over the chosen extrema: with
// q_i = (h1 + i) lambda_i / 4 = h1 a_i + b_i, the best d leaves
// sum n1^2 - (sum n1 q)^2 / sum q^2. It ranks the assignments a search walks over
// without a pass over the extrema for each; the few that decide are then summed
// directly, free of the cancellation in this difference.
class QuickMisfit {
public:
    QuickMisfit(const std::vector<FringeExtremum>& e, const Offsets& k, const std::vector<bool>& mask) {
        for (std::size_t i = 0; i < e.size(); ++i) {
            if (!mask[i]) continue;
            const double n = e[i].n1, a = e[i].lambda / 4.0, b = static_cast<double>(k[i]) * e[i].lambda / 4.0;
            nn_ += n * n, na_ += n * a, nb_ += n * b, aa_ += a * a, ab_ += a * b, bb_ += b * b;
        }
    }
    double At(HalfOrder h1) const {
        const auto h = static_cast<double>(h1);
        const double nq = h * na_ + nb_, qq = h * h * aa_ + 2.0 * h * ab_ + bb_;
        return std::max(0.0, nn_ - nq * nq / qq);
    }

private:
    double nn_ = 0, na_ = 0, nb_ = 0, aa_ = 0, ab_ = 0, bb_ = 0;
};

// Tries the neighbourhood of the first pass and walks on while the edge of the tried
// range fits best, so a first pass several orders off still ends at the best fit.
SearchResult SearchAssignments(const std::vector<FringeExtremum>& e, const Offsets& k, const std::vector<bool>& mask,
                               HalfOrder start) {
    const QuickMisfit quick(e, k, mask);
    std::vector<Assignment> tried;
    Assignment best;
    auto tryAt = [&](HalfOrder h1) {
        if (h1 < 1) return;
        tried.push_back({h1, quick.At(h1)});
        if (tried.back().misfit < best.misfit) best = tried.back();
    };
    HalfOrder low = std::max<HalfOrder>(1, start - kNeighbourhood), high = start + kNeighbourhood;
    for (HalfOrder h = low; h <= high; ++h) tryAt(h);
    for (;;) {
        if (tried.empty()) break;
        if (best.h1 >= high - 1 && high < start + kSearchLimit) {
            tryAt(++high);
            tryAt(++high);
        } else if (best.h1 <= low + 1 && low > 1 && low > start - kSearchLimit) {
            tryAt(--low);
            if (low > 1) tryAt(--low);
        } else {
            break;
        }
    }
    SearchResult s;
    const bool evenFirst = e.front().kind == ExtremumKind::Maximum;
    for (const Assignment& a : tried) {
        const int parity = ((a.h1 % 2 == 0) == evenFirst) ? 0 : 1;
        if (a.misfit < s.best[parity].misfit) {
            s.secondBest[parity] = s.best[parity];
            s.best[parity] = a;
        } else if (a.misfit < s.secondBest[parity].misfit) {
            s.secondBest[parity] = a;
        }
    }
    for (int parity = 0; parity < 2; ++parity) {
        for (Assignment* a : {&s.best[parity], &s.secondBest[parity]})
            if (std::isfinite(a->misfit)) a->misfit = Misfit(e, k, mask, a->h1);
        if (s.secondBest[parity].misfit < s.best[parity].misfit) std::swap(s.best[parity], s.secondBest[parity]);
    }
    s.swapped = kSwapFactor * s.best[1].misfit < s.best[0].misfit;
    return s;
}

std::string Reason(const char* text) { return text; }

bool AllFinite(const FringeOrdersResult& r) {
    auto finite = [](double v) { return std::isfinite(v); };
    if (!finite(r.thicknessNm) || !finite(r.thicknessSdNm) || !finite(r.firstPassNm) || !finite(r.alternativeNm))
        return false;
    return std::all_of(r.rows.begin(), r.rows.end(),
                       [&](const FringeOrderRow& row) { return finite(row.thickness) && finite(row.n2); });
}

std::optional<std::string> CheckInput(const std::vector<FringeExtremum>& e) {
    if (e.size() < 3) return Reason(kOrdersTooFewExtrema);
    for (std::size_t i = 0; i < e.size(); ++i) {
        if (!std::isfinite(e[i].lambda) || e[i].lambda <= 0.0) return Reason(kOrdersBadWavelengths);
        if (i > 0 && !(e[i].lambda < e[i - 1].lambda)) return Reason(kOrdersBadWavelengths);
    }
    for (const FringeExtremum& x : e)
        if (!std::isfinite(x.n1) || x.n1 <= 0.0) return kOrdersBadIndex + FloatToStr(x.lambda) + " nm.";
    const bool oneKind = std::all_of(e.begin(), e.end(), [&](const FringeExtremum& x) { return x.kind == e[0].kind; });
    if (oneKind) return Reason(kOrdersOneKind);
    for (std::size_t i = 1; i < e.size(); ++i)
        if (e[i].kind == e[i - 1].kind) return Reason(kOrdersNotAlternating);
    return std::nullopt;
}

// n2 against 1/lambda^2 in um^-2 (better conditioned than nm^-2), over the extrema used.
void FitDispersion(FringeOrdersResult& r, int fitTerms) {
    std::vector<double> x, y;
    for (const FringeOrderRow& row : r.rows) {
        if (!row.used) continue;
        const double micrometres = row.extremum.lambda / 1000.0;
        x.push_back(1.0 / (micrometres * micrometres));
        y.push_back(row.n2);
    }
    const int terms = std::min({fitTerms, static_cast<int>(x.size()), 11});
    if (terms < 1) return;
    CoefVector c{};
    try {
        PolyFit(x.data(), y.data(), c.data(), static_cast<int>(x.size()), terms);
    } catch (const EMathError&) {
        return;  // no curve; the orders and the thickness stand without it
    }
    if (!std::all_of(c.begin(), c.end(), [](double v) { return std::isfinite(v); })) return;
    r.dispersion = c;
    r.fitTerms = terms;
}

// The second witness: the orders the positions alone give. They disagree with the
// orders of the index when the positions fix the first one to within a quarter order
// and it lies more than three standard errors and three quarters of an order away;
// the nearest assignment of the first extremum's kind is then theirs.
struct Witness {
    std::optional<PositionsOrder> order;
    std::optional<HalfOrder> disagreeing;
};
Witness WitnessOfPositions(const std::vector<FringeExtremum>& e, const Offsets& k, HalfOrder h1) {
    std::vector<double> lambdas;
    for (const FringeExtremum& x : e) lambdas.push_back(x.lambda);
    Witness w;
    w.order = OrderFromPositions(lambdas, k);
    if (!w.order) return w;
    const double apart = std::fabs(w.order->firstHalfOrder - static_cast<double>(h1));
    if (w.order->sd <= 0.5 && apart > 1.5 && apart > 3.0 * w.order->sd) {
        const HalfOrder nearest = RoundToParity(w.order->firstHalfOrder, h1 % 2 == 0);
        if (nearest >= 1) w.disagreeing = nearest;
    }
    return w;
}

}  // namespace

FringeOrdersOutcome FindFringeOrders(const std::vector<FringeExtremum>& e, int fitTerms) {
    if (auto reason = CheckInput(e)) return {std::nullopt, *reason};
    const auto isMaximum = [](const FringeExtremum& x) { return x.kind == ExtremumKind::Maximum; };
    if (auto fault = FringeExtremaFaultOf(e, isMaximum)) return {std::nullopt, *fault};
    const std::size_t count = e.size();

    FringeOrdersResult r;
    r.rows.resize(count);
    for (std::size_t i = 0; i < count; ++i) r.rows[i].extremum = e[i];
    std::vector<double> lambdas;
    for (const FringeExtremum& x : e) lambdas.push_back(x.lambda);
    const HalfOrderSteps across = StepsAcrossGaps(lambdas);
    const Offsets& k = across.steps;
    r.gapsAtNm = across.gapsAtNm;

    // First pass: neighbouring extrema are half an order apart (more across a gap).
    std::vector<double> d1(count - 1, 0.0);
    std::vector<bool> valid(count - 1, false);
    for (std::size_t i = 0; i + 1 < count; ++i) {
        const double la = e[i].lambda, lb = e[i + 1].lambda;
        double value = la * lb / (4.0 * (la * e[i + 1].n1 - lb * e[i].n1));
        if (k[i + 1] - k[i] != 1) value *= static_cast<double>(k[i + 1] - k[i]);
        if (!std::isfinite(value)) continue;
        r.rows[i].pairThickness = value;
        d1[i] = value;
        valid[i] = value > 0.0;
    }
    const std::vector<bool> pairsKept = robust::Inliers(d1, valid);
    if (Count(pairsKept) == 0) return {std::nullopt, kOrdersNoConsistentThickness};
    for (std::size_t i = 0; i + 1 < count; ++i) r.rows[i].pairUsed = pairsKept[i];
    r.firstPassNm = MeanOf(d1, pairsKept);
    r.pairsLeftOut = static_cast<int>(count - 1) - Count(pairsKept);

    // The first pass places the first extremum's order: each extremum, counted back
    // along the sequence, proposes one; their median is rounded to the first kind.
    std::vector<double> proposals(count);
    for (std::size_t i = 0; i < count; ++i)
        proposals[i] = 4.0 * e[i].n1 * r.firstPassNm / e[i].lambda - static_cast<double>(k[i]);
    const double proposed = Median(proposals);
    if (!std::isfinite(proposed) || proposed > kMaxHalfOrder) return {std::nullopt, kOrdersNoConsistentThickness};
    // A first pass far too thin can propose no order at all; the search then starts at
    // the lowest and walks up.
    const HalfOrder start =
        std::max<HalfOrder>(1, RoundToParity(proposed, e.front().kind == ExtremumKind::Maximum));

    // Search with the extrema the first pass trusts, leave out the outliers of that
    // assignment among all of them, search again without those. An extremum whose
    // pairs were all left out has an index far from its neighbours'; in a least-squares
    // search it could pull the orders far from the first pass.
    const std::vector<bool> all(count, true);
    std::vector<bool> trusted(count, false);
    for (std::size_t i = 0; i + 1 < count; ++i)
        if (pairsKept[i]) trusted[i] = trusted[i + 1] = true;
    const Assignment first = SearchAssignments(e, k, trusted, start).Chosen();
    if (!std::isfinite(first.misfit)) return {std::nullopt, kOrdersNoConsistentThickness};
    const std::vector<bool> inliers = robust::Inliers(ThicknessesFor(e, k, first.h1), all);
    SearchResult search = SearchAssignments(e, k, inliers, first.h1);
    // The neighbourhood of the positions' orders is searched as well: a first pass far
    // off can leave the walk in a poorer fit; the better of the two is kept.
    if (const auto positions = OrderFromPositions(lambdas, k); positions && positions->sd <= 0.5) {
        const double proposedByPositions = positions->firstHalfOrder;
        if (proposedByPositions >= 1.0 && proposedByPositions < kMaxHalfOrder) {
            const HalfOrder from = RoundToParity(proposedByPositions, e.front().kind == ExtremumKind::Maximum);
            if (from >= 1 && std::llabs(from - search.Chosen().h1) > kNeighbourhood) {
                const SearchResult other = SearchAssignments(e, k, inliers, from);
                if (other.Chosen().misfit < search.Chosen().misfit) search = other;
            }
        }
    }
    const Assignment& chosen = search.Chosen();
    if (!std::isfinite(chosen.misfit)) return {std::nullopt, kOrdersNoConsistentThickness};

    // The positions only say so: their standard error knows nothing of how far the
    // dispersion departs from a + b / lambda^2 over the range, and on real films
    // (aliased fringes in the blue, a band that beats) it can put them whole orders off.
    const Witness witness = WitnessOfPositions(e, k, chosen.h1);
    const HalfOrder h1 = chosen.h1;
    const std::vector<double> d2 = ThicknessesFor(e, k, h1);
    const std::vector<bool> used = robust::Inliers(d2, all);
    r.used = Count(used);
    r.thicknessNm = MeanOf(d2, used);
    double squares = 0.0;
    for (std::size_t i = 0; i < count; ++i)
        if (used[i]) squares += (d2[i] - r.thicknessNm) * (d2[i] - r.thicknessNm);
    r.thicknessSdNm = r.used > 1 ? std::sqrt(squares / (r.used - 1)) : 0.0;
    r.kindsSwapped = search.swapped;

    for (std::size_t i = 0; i < count; ++i) {
        FringeOrderRow& row = r.rows[i];
        const auto h = static_cast<double>(h1 + k[i]);
        row.order = h / 2.0;
        row.thickness = d2[i];
        row.used = used[i];
        row.n2 = h * e[i].lambda / (4.0 * r.thicknessNm);
    }

    // The next-best assignment of the same parity, whole orders away.
    const Assignment& runnerUp = search.RunnerUp();
    if (std::isfinite(runnerUp.misfit) &&
        runnerUp.misfit - chosen.misfit < kAmbiguityMargin * NoiseVariance(chosen, inliers)) {
        r.orderAmbiguous = true;
        r.alternativeNm = MeanOf(ThicknessesFor(e, k, runnerUp.h1), used);
    }
    if (witness.order) {
        r.positionsOrder = witness.order->firstHalfOrder / 2.0;
        r.positionsOrderSd = witness.order->sd / 2.0;
    }
    if (witness.disagreeing) {
        // The thickness of the other witness's orders.
        const double other = MeanOf(ThicknessesFor(e, k, *witness.disagreeing), used);
        if (std::isfinite(other)) {
            r.witnessesDisagree = true;
            r.otherWitnessNm = other;
        }
    }

    // An index vanishingly small or huge beside the others can still overflow a
    // thickness or an index; no such number is ever shown or written.
    if (!AllFinite(r)) return {std::nullopt, kOrdersNoConsistentThickness};
    FitDispersion(r, fitTerms);
    return {std::move(r), ""};
}

double OrdersDispersionIndex(const FringeOrdersResult& r, double lambda) {
    const double micrometres = lambda / 1000.0;
    const double x = 1.0 / (micrometres * micrometres);
    double sum = 0.0, power = 1.0;
    for (int k = 0; k < r.fitTerms; ++k) {
        sum += r.dispersion[static_cast<std::size_t>(k)] * power;
        power *= x;
    }
    return sum;
}

}  // namespace optc
