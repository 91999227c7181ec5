#pragma once
// alpha at every point from the fitted film: the measured transmission inverted point
// by point for the absorption, with the fitted index, thickness, spread, substrate and
// band held. The film transmits less the more it absorbs, so one root is bracketed.
#include <optional>

#include "thinfilm/fit/FitModel.h"

namespace optc {

// alpha (cm^-1) at which the film of `values` transmits `measured` % at lambda, 0 where
// even a clear film transmits less; none where measured is at or below 0.
std::optional<double> AlphaFromPoint(const FitVector& values, const FilmLaws& laws, double lambda, int bandPieces,
                                     double measured);

}  // namespace optc
