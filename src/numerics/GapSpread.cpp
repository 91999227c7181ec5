#include "numerics/GapSpread.h"

#include <cmath>
#include <cstddef>

namespace optc {

namespace {

std::optional<double> IfFinite(double v) { return std::isfinite(v) ? std::optional<double>(v) : std::nullopt; }

}  // namespace

GapSpread GapSpreadOfLine(std::span<const double> energy, std::span<const double> ordinate, double intercept,
                          double slope) {
    GapSpread spread;
    const std::size_t m = energy.size();
    if (m < 2 || ordinate.size() != m) return spread;

    double meanEnergy = 0.0, meanOrdinate = 0.0;
    for (std::size_t k = 0; k < m; ++k) {
        meanEnergy += energy[k];
        meanOrdinate += ordinate[k];
    }
    meanEnergy /= static_cast<double>(m);
    meanOrdinate /= static_cast<double>(m);

    // Sums of squares about the means and of the residuals about the fitted line.
    double sxx = 0.0, sst = 0.0, ssr = 0.0;
    for (std::size_t k = 0; k < m; ++k) {
        const double dx = energy[k] - meanEnergy;
        const double dy = ordinate[k] - meanOrdinate;
        const double residual = ordinate[k] - (intercept + slope * energy[k]);
        sxx += dx * dx;
        sst += dy * dy;
        ssr += residual * residual;
    }

    if (sst > 0.0 && std::isfinite(sst)) spread.r2 = IfFinite(1.0 - ssr / sst);

    if (m > 2 && sxx > 0.0 && slope != 0.0) {
        const double residualVariance = ssr / static_cast<double>(m - 2);
        const double gap = -intercept / slope;
        const double offset = gap - meanEnergy;
        const double variance =
            residualVariance / (slope * slope) * (1.0 / static_cast<double>(m) + offset * offset / sxx);
        if (std::isfinite(variance) && variance >= 0.0) spread.sdEv = IfFinite(std::sqrt(variance));
    }
    return spread;
}

}  // namespace optc
