#include "thinfilm/orders/FringePositions.h"

#include <algorithm>
#include <cmath>

#include "numerics/signal/Median.h"

namespace optc {

namespace {
// A spacing counts as a gap from two and a half times the spacings around it: the
// spacing of neighbouring extrema changes by a few per cent from one to the next, and
// a missed fringe (a maximum with its minimum) makes it three times as wide.
constexpr double kGapRatio = 2.5;
// The spacings around one: up to three on either side.
constexpr std::size_t kAround = 3;
}  // namespace

HalfOrderSteps StepsAcrossGaps(const std::vector<double>& lambda) {
    HalfOrderSteps out;
    const std::size_t n = lambda.size();
    out.steps.assign(n, 0);
    std::vector<double> spacing;
    for (std::size_t i = 0; i + 1 < n; ++i) spacing.push_back(1.0 / lambda[i + 1] - 1.0 / lambda[i]);
    for (std::size_t i = 0; i + 1 < n; ++i) {
        std::int64_t step = 1;
        std::vector<double> around;
        for (std::size_t j = i >= kAround ? i - kAround : 0; j < std::min(spacing.size(), i + kAround + 1); ++j)
            if (j != i) around.push_back(spacing[j]);
        if (around.size() >= 2) {
            const double ratio = spacing[i] / Median(around);
            if (std::isfinite(ratio) && ratio >= kGapRatio) {
                // The odd count nearest the ratio: the kinds still alternate across it.
                step = 2 * static_cast<std::int64_t>(std::round((ratio - 1.0) / 2.0)) + 1;
                out.gapsAtNm.push_back(lambda[i + 1]);
            }
        }
        out.steps[i + 1] = out.steps[i] + step;
    }
    return out;
}

std::optional<PositionsOrder> OrderFromPositions(const std::vector<double>& lambda,
                                                 const std::vector<std::int64_t>& steps) {
    const std::size_t n = lambda.size();
    if (n < 6) return std::nullopt;
    // k = c0 + c1 u + c3 u^3 with u = 1000 / lambda (um^-1), well scaled.
    double m[3][3] = {}, v[3] = {};
    for (std::size_t i = 0; i < n; ++i) {
        const double u = 1000.0 / lambda[i];
        const double x[3] = {1.0, u, u * u * u};
        for (int a = 0; a < 3; ++a) {
            v[a] += x[a] * static_cast<double>(steps[i]);
            for (int b = 0; b < 3; ++b) m[a][b] += x[a] * x[b];
        }
    }
    // The inverse of the 3 x 3 normal matrix by cofactors.
    const double det = m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) -
                       m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
                       m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
    if (!std::isfinite(det) || std::fabs(det) < 1e-300) return std::nullopt;
    double inv[3][3];
    for (int a = 0; a < 3; ++a)
        for (int b = 0; b < 3; ++b) {
            const int r1 = (b + 1) % 3, r2 = (b + 2) % 3, c1 = (a + 1) % 3, c2 = (a + 2) % 3;
            inv[a][b] = (m[r1][c1] * m[r2][c2] - m[r1][c2] * m[r2][c1]) / det;
        }
    double c[3] = {};
    for (int a = 0; a < 3; ++a)
        for (int b = 0; b < 3; ++b) c[a] += inv[a][b] * v[b];
    double rss = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
        const double u = 1000.0 / lambda[i];
        const double r = static_cast<double>(steps[i]) - (c[0] + c[1] * u + c[2] * u * u * u);
        rss += r * r;
    }
    const double variance = rss / static_cast<double>(n - 3);
    const double sd = std::sqrt(std::max(0.0, variance * inv[0][0]));
    if (!std::isfinite(c[0]) || !std::isfinite(sd)) return std::nullopt;
    return PositionsOrder{-c[0], sd};
}

}  // namespace optc
