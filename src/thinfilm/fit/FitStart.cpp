#include "thinfilm/fit/FitStart.h"

#include <Eigen/Dense>
#include <algorithm>
#include <cmath>

namespace optc {

namespace {

// Least squares of y on 1, x, x^2 ... (terms of them); nothing when singular.
std::optional<std::vector<double>> Polynomial(const std::vector<double>& x, const std::vector<double>& y, int terms) {
    const auto m = static_cast<Eigen::Index>(x.size());
    if (m < terms) return std::nullopt;
    Eigen::MatrixXd a(m, terms);
    Eigen::VectorXd b(m);
    for (Eigen::Index i = 0; i < m; ++i) {
        double power = 1.0;
        for (int t = 0; t < terms; ++t) {
            a(i, t) = power;
            power *= x[static_cast<std::size_t>(i)];
        }
        b[i] = y[static_cast<std::size_t>(i)];
    }
    const Eigen::ColPivHouseholderQR<Eigen::MatrixXd> qr(a);
    if (qr.rank() < terms) return std::nullopt;
    const Eigen::VectorXd c = qr.solve(b);
    std::vector<double> coef(c.data(), c.data() + terms);
    for (double v : coef)
        if (!std::isfinite(v)) return std::nullopt;
    return coef;
}

}  // namespace

OrderLadder LadderOf(const FringeOrdersResult& orders) {
    OrderLadder ladder;
    ladder.thicknessNm = orders.thicknessNm;
    int used = 0;
    for (const FringeOrderRow& row : orders.rows) used += row.used ? 1 : 0;
    for (const FringeOrderRow& row : orders.rows) {
        if (used >= 3 && !row.used) continue;
        ladder.lambda.push_back(row.extremum.lambda);
        ladder.order.push_back(row.order);
    }
    return ladder;
}

std::optional<FitVector> ShiftedStart(const OrderLadder& ladder, int shift, DispersionLaw law, const FitVector& base) {
    if (ladder.lambda.size() < 2 || !(ladder.thicknessNm > 0.0)) return std::nullopt;
    const double first = ladder.order.front();
    for (double m : ladder.order)
        if (m + shift <= 0.0) return std::nullopt;
    const double d = ladder.thicknessNm * (first + shift) / first;
    std::vector<double> x, y;
    for (std::size_t i = 0; i < ladder.lambda.size(); ++i) {
        const double um = ladder.lambda[i] / 1000.0;
        const double n = (ladder.order[i] + shift) * ladder.lambda[i] / (2.0 * d);
        x.push_back(1.0 / (um * um));
        y.push_back(law == DispersionLaw::Sellmeier ? 1.0 / (n * n - 1.0) : n);
    }
    FitVector start = base;
    start[kThickness] = d;
    if (law == DispersionLaw::Sellmeier) {
        // 1 / (n^2 - 1) = 1 / S - (lambda0^2 / S) / lambda^2
        const auto c = Polynomial(x, y, 2);
        if (!c || !((*c)[0] > 0.0)) return std::nullopt;
        start[kDispersion1] = 1.0 / (*c)[0];
        const double shortest = ladder.lambda.back() / 1000.0;
        const double pole2 = std::clamp(-(*c)[1] / (*c)[0], 0.0, 0.64 * shortest * shortest);
        start[kDispersion2] = std::sqrt(pole2);
        start[kDispersion3] = 0.0;
    } else {
        const int terms = law == DispersionLaw::CauchyThree && ladder.lambda.size() >= 4 ? 3 : 2;
        const auto c = Polynomial(x, y, terms);
        if (!c) return std::nullopt;
        start[kDispersion1] = (*c)[0];
        start[kDispersion2] = (*c)[1];
        start[kDispersion3] = terms == 3 ? (*c)[2] : 0.0;
    }
    return start;
}

EdgeStart EdgeStartOf(const std::vector<double>& lambda, const std::vector<double>& trans, double shortestExtremum,
                      double thicknessNm) {
    EdgeStart edge;
    // The level at the shortest extremum: the mean of the points within a few nm.
    double level = 0.0;
    int near = 0;
    for (std::size_t i = 0; i < lambda.size(); ++i) {
        if (std::fabs(lambda[i] - shortestExtremum) <= 5.0) {
            level += trans[i];
            ++near;
        }
    }
    if (near > 0) level /= near;
    double fallsAt = 0.0;
    for (std::size_t i = lambda.size(); i-- > 0;) {
        if (lambda[i] >= shortestExtremum) continue;
        if (trans[i] < level / 3.0) {
            fallsAt = lambda[i];
            break;
        }
    }
    const double d = std::max(thicknessNm, 1.0);
    // alpha = 1e5 exp((E - E0) / W) cm^-1 = 1 / d at the fall: E0 = E + W ln(1e5 d),
    // d in cm. The edge lies above the fall's energy; below it the film is clear.
    const double lnRatio = std::log(1e5 * d * 1e-7);
    if (fallsAt > 0.0) {
        edge.inRange = true;
        edge.energyEv = kFitPhotonFactor / fallsAt + edge.widthEv * lnRatio;
    } else {
        // No fall: an edge that absorbs alpha d = 1e-6 at the shortest wavelength, far
        // below any noise (it is held there, and must not dim the fringes it cannot fit).
        const double shortest = lambda.empty() ? 300.0 : lambda.front();
        edge.energyEv = kFitPhotonFactor / shortest + edge.widthEv * (lnRatio + std::log(1e6));
    }
    return edge;
}

void SetBounds(FitSetup& setup, const FitVector& start, double shortestNm) {
    FitVector& lo = setup.lower;
    FitVector& hi = setup.upper;
    const double d = start[kThickness];
    lo[kThickness] = 0.5 * d;
    hi[kThickness] = 1.5 * d;
    const double nGuess = std::max(FitIndex(start.data(), setup.laws.dispersion, shortestNm), 1.2);
    lo[kSpread] = 0.0;
    hi[kSpread] = std::min(0.2 * d, shortestNm / (2.0 * nGuess));
    lo[kSubstrate] = 1.0;
    hi[kSubstrate] = 5.0;
    if (setup.laws.dispersion == DispersionLaw::Sellmeier) {
        lo[kDispersion1] = 0.0;
        hi[kDispersion1] = 40.0;
        lo[kDispersion2] = 0.0;
        hi[kDispersion2] = 0.95 * shortestNm / 1000.0;
    } else {
        lo[kDispersion1] = 1.0;
        hi[kDispersion1] = 8.0;
        lo[kDispersion2] = -2.0;
        hi[kDispersion2] = 10.0;
    }
    lo[kDispersion3] = -2.0;
    hi[kDispersion3] = 2.0;
    lo[kEdgeEnergy] = 0.3;
    hi[kEdgeEnergy] = 20.0;
    lo[kEdgeWidth] = 0.01;
    hi[kEdgeWidth] = 3.0;
    // The floor may go as far below 0 as an absorbance of 0.01 across the film: a clear
    // film's floor then ends within its noise of 0 instead of pressing on a bound of 0,
    // where the fit creeps along it for dozens of iterations.
    lo[kFloor] = -0.01 / (d * 1e-7);
    hi[kFloor] = 1e6;
}

bool AtTellingBound(const FitSetup& setup, const FitVector& values, int index) {
    const auto k = static_cast<std::size_t>(index);
    if (!setup.free[k]) return false;
    const double span = setup.upper[k] - setup.lower[k];
    const double margin = 1e-6 * span;
    const bool atLower = values[k] <= setup.lower[k] + margin;
    const bool atUpper = values[k] >= setup.upper[k] - margin;
    // A spread or a floor of 0, a pole at 0 and an edge beyond the spectrum are what a
    // clear or uniform film gives.
    if (index == kSpread || index == kFloor || index == kEdgeEnergy) return atUpper && index == kSpread;
    if (index == kDispersion2 && setup.laws.dispersion == DispersionLaw::Sellmeier) return atUpper;
    return atLower || atUpper;
}

}  // namespace optc
