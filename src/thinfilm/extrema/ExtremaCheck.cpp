#include "thinfilm/extrema/ExtremaCheck.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "numerics/FloatText.h"

namespace optc {

namespace {

std::string Place(std::size_t i, const CheckedExtremum& e) {
    return "Fringe extremum " + std::to_string(i + 1) + " (" + FloatToStr(e.lambda) + " nm, T = " +
           FloatToStr(e.trans) + " %)";
}

}  // namespace

std::optional<TransRange> TransRangeOf(std::span<const double> trans) {
    if (trans.empty()) return std::nullopt;
    const auto [lowest, highest] = std::minmax_element(trans.begin(), trans.end());
    return TransRange{*lowest, *highest};
}

double ExtremumRangeMargin(const TransRange& spectrum) {
    return 0.5 + 0.05 * std::max(0.0, spectrum.highest - spectrum.lowest);
}

std::optional<std::string> FringeExtremaFault(std::span<const CheckedExtremum> e,
                                              const std::optional<TransRange>& spectrum) {
    for (std::size_t i = 0; i < e.size(); ++i)
        if (!std::isfinite(e[i].lambda) || !std::isfinite(e[i].trans))
            return "Fringe extremum " + std::to_string(i + 1) + " is not a number.";
    for (std::size_t i = 1; i < e.size(); ++i) {
        if (e[i].lambda == e[i - 1].lambda)
            return "Fringe extrema " + std::to_string(i) + " and " + std::to_string(i + 1) +
                   " lie at one wavelength, " + FloatToStr(e[i].lambda) + " nm: each extremum must be given once.";
        if (e[i].lambda > e[i - 1].lambda)
            return Place(i, e[i]) + " is out of order: the extrema must run from the longest wavelength to the "
                                    "shortest, and " + FloatToStr(e[i - 1].lambda) + " nm comes before it.";
    }
    const auto sameT = [&](const CheckedExtremum& x) { return x.trans == e[0].trans; };
    if (e.size() > 1 && std::all_of(e.begin(), e.end(), sameT))
        return "All fringe extrema have the same T (" + FloatToStr(e[0].trans) + " %): they are not fringes.";
    if (spectrum) {
        const double margin = ExtremumRangeMargin(*spectrum);
        for (std::size_t i = 0; i < e.size(); ++i)
            if (e[i].trans < spectrum->lowest - margin || e[i].trans > spectrum->highest + margin)
                return Place(i, e[i]) + " lies outside the spectrum's own range of T, " +
                       FloatToStr(spectrum->lowest) + " to " + FloatToStr(spectrum->highest) +
                       " %: the extrema must be those of this spectrum.";
    }
    // A maximum stands above each minimum beside it: a minimum too high is found from
    // the maximum it reaches.
    for (std::size_t i = 0; i < e.size(); ++i) {
        if (!e[i].maximum) continue;
        for (const std::size_t j : {i - 1, i + 1}) {
            if (j >= e.size() || e[j].maximum || e[i].trans > e[j].trans) continue;
            return Place(i, e[i]) + " is taken for a maximum but does not stand above the minimum beside it at " +
                   FloatToStr(e[j].lambda) + " nm (T = " + FloatToStr(e[j].trans) +
                   " %): the extrema must alternate between maxima and minima.";
        }
    }
    return std::nullopt;
}

std::optional<std::string> CalculateExtremaFault(std::span<const double> lambda, std::span<const double> trans,
                                                 const std::optional<TransRange>& spectrum) {
    std::vector<CheckedExtremum> e;
    e.reserve(lambda.size());
    const bool firstIsMaximum = lambda.size() >= 2 && trans[1] < trans[0];
    for (std::size_t i = 0; i < lambda.size(); ++i) e.push_back({lambda[i], trans[i], (i % 2 == 0) == firstIsMaximum});
    return FringeExtremaFault(e, spectrum);
}

}  // namespace optc
