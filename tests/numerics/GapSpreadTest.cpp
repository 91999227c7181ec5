#include "numerics/GapSpread.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <random>
#include <vector>

#include "numerics/CurveFit.h"

namespace optc {
namespace {

// An independent line fit: the normal equations solved in extended precision, the
// covariance matrix s² (XᵀX)⁻¹, and the gap's variance as gᵀ C g with the gradient
// g = (∂Eg/∂a, ∂Eg/∂b) = (-1/b, a/b²).
struct Reference {
    long double intercept, slope, sdEv, r2;
};

Reference IndependentFit(const std::vector<double>& x, const std::vector<double>& y) {
    const long double m = static_cast<long double>(x.size());
    long double sx = 0, sy = 0, sxx = 0, sxy = 0;
    for (std::size_t k = 0; k < x.size(); ++k) {
        sx += x[k];
        sy += y[k];
        sxx += static_cast<long double>(x[k]) * x[k];
        sxy += static_cast<long double>(x[k]) * y[k];
    }
    const long double det = m * sxx - sx * sx;
    const long double b = (m * sxy - sx * sy) / det;
    const long double a = (sy - b * sx) / m;
    long double ssr = 0, sst = 0;
    for (std::size_t k = 0; k < x.size(); ++k) {
        const long double r = y[k] - (a + b * x[k]);
        const long double d = y[k] - sy / m;
        ssr += r * r;
        sst += d * d;
    }
    const long double s2 = ssr / (m - 2);
    // (XᵀX)⁻¹ = [sxx, -sx; -sx, m] / det
    const long double caa = s2 * sxx / det, cbb = s2 * m / det, cab = -s2 * sx / det;
    const long double ga = -1 / b, gb = a / (b * b);
    const long double variance = ga * ga * caa + gb * gb * cbb + 2 * ga * gb * cab;
    return {a, b, std::sqrt(variance), 1 - ssr / sst};
}

struct Line {
    const char* name;
    double gapEv;       // where the true line meets the energy axis
    double slope;       // ordinate per eV
    double noise;       // standard deviation of the ordinates' noise
    int points;
    double fromEv, toEv;  // the energy window of the points
};

// Synthetic Tauc lines with known Gaussian noise, the slope known to a few per cent
// (where first-order propagation holds). For each: the spread from the program's
// own fit (PolyFit, as Eg Calculation makes it) matches the independent computation, and
// over many noise draws the scatter of the fitted gaps matches the predicted standard
// error, which is what sd(Eg) claims to be.
TEST(GapSpread, MatchesAnIndependentFitAndTheScatterOfTheGapOverNoiseDraws) {
    const Line lines[] = {
        {"direct gap, (ahv)^2 scale", 2.35, 4.0e10, 1.0e9, 25, 2.5, 3.1},
        {"indirect gap, small ordinates", 1.12, 180.0, 6.0, 40, 1.3, 1.8},
        {"few points, far from the gap", 3.2, 1.0e11, 1.0e9, 5, 3.6, 3.9},
        {"many points, steep line", 0.75, 5.0e3, 40.0, 400, 0.8, 1.4},
        {"narrow window", 2.0, 1.0e9, 1.0e7, 12, 2.1, 2.4},
    };
    std::mt19937_64 random(20261210);
    for (const Line& line : lines) {
        SCOPED_TRACE(line.name);
        const int m = line.points;
        std::vector<double> x(m), y(m);
        for (int k = 0; k < m; ++k) x[k] = line.fromEv + (line.toEv - line.fromEv) * k / (m - 1);
        std::normal_distribution<double> noise(0.0, line.noise);

        // The predicted standard error for the true line and the true noise.
        double mean = 0, sxx = 0;
        for (double e : x) mean += e / m;
        for (double e : x) sxx += (e - mean) * (e - mean);
        const double predicted =
            line.noise / line.slope * std::sqrt(1.0 / m + (line.gapEv - mean) * (line.gapEv - mean) / sxx);

        constexpr int kDraws = 3000;
        double sumGap = 0, sumGap2 = 0, sumVariance = 0;
        for (int draw = 0; draw < kDraws; ++draw) {
            for (int k = 0; k < m; ++k) y[k] = line.slope * (x[k] - line.gapEv) + noise(random);
            std::array<double, 12> coef{};
            PolyFit(x.data(), y.data(), coef.data(), m, 2);
            const GapSpread spread = GapSpreadOfLine(x, y, coef[0], coef[1]);
            ASSERT_TRUE(spread.sdEv && spread.r2);
            if (draw < 20) {
                const Reference ref = IndependentFit(x, y);
                EXPECT_NEAR(*spread.sdEv, static_cast<double>(ref.sdEv), 1e-9 * static_cast<double>(ref.sdEv));
                EXPECT_NEAR(*spread.r2, static_cast<double>(ref.r2), 1e-9);
                EXPECT_LE(*spread.r2, 1.0);
            }
            const double gap = -coef[0] / coef[1];
            sumGap += gap;
            sumGap2 += gap * gap;
            sumVariance += *spread.sdEv * *spread.sdEv;
        }
        const double scatter = std::sqrt((sumGap2 - sumGap * sumGap / kDraws) / (kDraws - 1));
        // 3000 draws: the scatter itself is known to about 1.3 %.
        EXPECT_NEAR(scatter / predicted, 1.0, 0.06);
        // s² is unbiased (s is not): the mean of the squared standard errors.
        EXPECT_NEAR(std::sqrt(sumVariance / kDraws) / predicted, 1.0, 0.06);
        // The fitted gaps centre on the true gap (up to the second-order bias of a ratio).
        EXPECT_NEAR(sumGap / kDraws, line.gapEv, 0.2 * predicted);
    }
}

// The cases where a spread cannot be had are left out, never inf or NaN; an exact line
// has no spread and explains everything.
TEST(GapSpread, LeavesOutWhatCannotBeHad) {
    const std::vector<double> two{2.0, 3.0}, twoY{1.0, 3.0};
    const GapSpread fromTwo = GapSpreadOfLine(two, twoY, -3.0, 2.0);
    EXPECT_FALSE(fromTwo.sdEv);
    ASSERT_TRUE(fromTwo.r2);
    EXPECT_DOUBLE_EQ(*fromTwo.r2, 1.0);

    const std::vector<double> x{2.0, 2.5, 3.0, 3.5}, exact{1.0, 2.0, 3.0, 4.0};
    const GapSpread exactLine = GapSpreadOfLine(x, exact, -3.0, 2.0);
    ASSERT_TRUE(exactLine.sdEv && exactLine.r2);
    EXPECT_DOUBLE_EQ(*exactLine.sdEv, 0.0);
    EXPECT_DOUBLE_EQ(*exactLine.r2, 1.0);

    const std::vector<double> flat{5.0, 5.0, 5.0, 5.0};
    const GapSpread flatLine = GapSpreadOfLine(x, flat, 5.0, 0.0);
    EXPECT_FALSE(flatLine.sdEv);
    EXPECT_FALSE(flatLine.r2);

    const std::vector<double> huge{1e300, -1e300, 1e300, -1e300};
    const GapSpread overflow = GapSpreadOfLine(x, huge, 1e300, 1e-300);
    EXPECT_FALSE(overflow.sdEv);
    EXPECT_FALSE(GapSpreadOfLine(std::vector<double>{1.0}, std::vector<double>{1.0}, 0.0, 1.0).r2);
}

}  // namespace
}  // namespace optc
