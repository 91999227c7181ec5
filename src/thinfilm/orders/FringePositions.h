#pragma once
// What the wavelengths of the fringe extrema say by themselves. Fringes are nearly
// evenly spaced in 1/lambda, so a spacing that is a multiple of its neighbours' is a
// gap where fringes were missed, and with a smooth dispersion the positions alone fix
// the orders: with n = a + b / lambda^2, the half order h = 4 n d / lambda of the i-th
// extremum is h1 + k_i = A / lambda + B / lambda^3, a straight least-squares fit of
// the steps k_i against 1 / lambda and 1 / lambda^3 whose intercept is -h1.
#include <cstdint>
#include <optional>
#include <vector>

namespace optc {

// Half orders from the first extremum (longest wavelength first) to each: 0, 1, 2, ...
// where the extrema follow one another; across a gap, the odd number of half orders
// its spacing in 1/lambda spans against the spacings around it.
struct HalfOrderSteps {
    std::vector<std::int64_t> steps;
    std::vector<double> gapsAtNm;  // the shorter wavelength of each gap bridged
};
HalfOrderSteps StepsAcrossGaps(const std::vector<double>& lambda);

// The half order of the first extremum from the positions alone, with its standard
// error; nothing with fewer than six extrema or a singular fit.
struct PositionsOrder {
    double firstHalfOrder = 0.0;
    double sd = 0.0;
};
std::optional<PositionsOrder> OrderFromPositions(const std::vector<double>& lambda,
                                                 const std::vector<std::int64_t>& steps);

}  // namespace optc
