#pragma once
// The robust rule of the fringe orders: which values of a set are outliers.
#include <vector>

namespace optc::robust {

// Marks, among the candidates, the values kept: those within three robust standard
// deviations of the candidates' median, the robust standard deviation being 1.4826
// times the median absolute deviation but never below 0.1 % of the median (values
// that agree to a fraction of a per mille all stay, however closely the rest agree).
std::vector<bool> Inliers(const std::vector<double>& values, const std::vector<bool>& candidates);

}  // namespace optc::robust
