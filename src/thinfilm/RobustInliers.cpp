#include "thinfilm/RobustInliers.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace optc::robust {

namespace {
constexpr double kOutlierDeviations = 3.0;
constexpr double kMadToSd = 1.4826;
constexpr double kScaleFloor = 1e-3;
}  // namespace

double Median(std::vector<double> v) {
    const std::size_t mid = v.size() / 2;
    std::nth_element(v.begin(), v.begin() + static_cast<std::ptrdiff_t>(mid), v.end());
    const double upper = v[mid];
    if (v.size() % 2 == 1) return upper;
    const double lower = *std::max_element(v.begin(), v.begin() + static_cast<std::ptrdiff_t>(mid));
    return lower + (upper - lower) / 2.0;
}

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
