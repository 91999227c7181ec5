#pragma once
// How well the Tauc line fixes the optical gap: the standard error of Eg = -a/b from
// the standard errors of the line's intercept a and slope b and their covariance, and
// R², the share of the ordinates' scatter the line explains.
#include <optional>
#include <span>

namespace optc {

struct GapSpread {
    // The standard error of Eg, eV; none with two points (no scatter to estimate),
    // a flat line or a result outside the finite range.
    std::optional<double> sdEv;
    // 1 - SSR/SST; none when every ordinate is the same.
    std::optional<double> r2;
};

// The spread of the gap of the line ordinate = intercept + slope * energy fitted by
// least squares through the points (energy[k], ordinate[k]). The residuals' variance
// SSR/(m - 2) gives var(a), var(b) and cov(a, b); by first-order propagation
//   sd(Eg)² = (var(a) + Eg² var(b) + 2 Eg cov(a, b)) / b²
//           = s² / b² * (1/m + (Eg - mean energy)² / Sxx).
// Never raises: a spread that cannot be had is simply left out.
GapSpread GapSpreadOfLine(std::span<const double> energy, std::span<const double> ordinate, double intercept,
                          double slope);

}  // namespace optc
