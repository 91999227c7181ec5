#pragma once
// Fringe extrema that cannot be the extrema of one spectrum, found before any stage
// builds on them: two at one wavelength, not in order of wavelength, a maximum that
// does not stand above the minima beside it (or a minimum below the maxima), all at
// one transmission, or one outside the spectrum's own range of transmission. Each
// would give a thickness far from the truth with no sign of it. Calculate, the fringe
// orders and the full-spectrum fit ask here first.
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace optc {

struct CheckedExtremum {
    double lambda = 0.0;  // nm
    double trans = 0.0;   // %
    bool maximum = false;  // the kind the stage takes it for
};

// The spectrum's lowest and highest transmission (%).
struct TransRange {
    double lowest = 0.0;
    double highest = 0.0;
};

// The lowest and highest of the transmissions; nothing for none.
std::optional<TransRange> TransRangeOf(std::span<const double> trans);

// An extremum may stand this far outside the spectrum's range (a parabola's vertex or a
// mark set by hand above the curve): 0.5 %T and 5 % of the spectrum's span.
double ExtremumRangeMargin(const TransRange& spectrum);

// Why the extrema, longest wavelength first, cannot be used, naming the first
// extremum at fault by its place in the list (from 1), wavelength and T; nothing
// when they can. Without a spectrum range the range is not checked.
std::optional<std::string> FringeExtremaFault(std::span<const CheckedExtremum> extrema,
                                              const std::optional<TransRange>& spectrum = std::nullopt);

// Any list of extrema with members lambda and trans, the kind told by `isMaximum`.
template <class Extrema, class IsMaximum>
std::optional<std::string> FringeExtremaFaultOf(const Extrema& extrema, IsMaximum isMaximum,
                                              const std::optional<TransRange>& spectrum = std::nullopt) {
    std::vector<CheckedExtremum> checked;
    for (const auto& x : extrema) checked.push_back({x.lambda, x.trans, isMaximum(x)});
    return FringeExtremaFault(std::span<const CheckedExtremum>(checked), spectrum);
}

// The extrema as Calculate splits them: alternating, the first a maximum when the
// second stands lower.
std::optional<std::string> CalculateExtremaFault(std::span<const double> lambda, std::span<const double> trans,
                                                 const std::optional<TransRange>& spectrum);

}  // namespace optc
