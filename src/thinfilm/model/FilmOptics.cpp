#include "thinfilm/model/FilmOptics.h"

#include "numerics/FloatChecks.h"

namespace optc::film {

double SubstrateTransmissionPercent(double nS) { return Div(Mul(200.0, nS), Add(Mul(nS, nS), 1.0)); }

}  // namespace optc::film
