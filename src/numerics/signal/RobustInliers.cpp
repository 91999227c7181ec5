#include "numerics/signal/RobustInliers.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "numerics/signal/Median.h"

namespace optc::robust {

namespace {
constexpr double kOutlierDeviations = 3.0;
constexpr double kMadToSd = 1.4826;
constexpr double kScaleFloor = 1e-3;
}  // namespace

std::vector<bool> Inliers(const std::vector<double>& values, const std::vector<bool>& candidates) {
    std::vector<double> chosen;
    for (std::size_t i = 0; i < values.size(); ++i)
        if (candidates[i]) chosen.push_back(values[i]);
    std::vector<bool> kept(values.size(), false);
    if (chosen.empty()) return kept;
    const double median = Median(chosen);
    std::vector<double> deviations;
    for (double v : chosen) deviations.push_back(std::fabs(v - median));
    const double scale = std::max(kMadToSd * Median(deviations), kScaleFloor * std::fabs(median));
    for (std::size_t i = 0; i < values.size(); ++i)
        kept[i] = candidates[i] && std::fabs(values[i] - median) <= kOutlierDeviations * scale;
    return kept;
}

}  // namespace optc::robust
