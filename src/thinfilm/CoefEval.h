#pragma once
// Value of a fitted polynomial: c0 + c1*x + c2*x^2 + ... + c10*x^10, always over the
// eleven coefficients 0..10 (those above the fit's terms are zero because the vector
// was cleared before the fit), with x^k from the power function. Results must be
// reproducible to the last bit, so this order of operations is fixed.
#include <cmath>

#include "numerics/FloatChecks.h"
#include "spectra/SpectrumArray.h"

namespace optc {

inline double EvaluateCoef(const CoefVector& c, double x) {
    double sum = c[0] + c[1] * x;
    for (int k = 2; k <= 10; ++k) sum = sum + c[static_cast<std::size_t>(k)] * std::pow(x, k);
    return CheckFinite(sum);
}

}  // namespace optc
