#pragma once
// Value of a fitted polynomial: c0 + c1*x + c2*x^2 + ... + c10*x^10, always over the
// eleven coefficients 0..10 (those above the fit's terms are zero because the vector
// was cleared before the fit), with x^k from the power function. Results must be
// reproducible to the last bit, so this order of operations is fixed.
#include <cmath>

#include "numerics/FloatChecks.h"
#include "numerics/Arrays.h"
#include "numerics/Index.h"

namespace optc {

inline double EvaluateCoef(const CoefVector& c, double x) {
    double sum = c[0] + c[1] * x;
    for (int k = 2; k <= 10; ++k) {
        const double ck = At(c, k);
        // A zero coefficient adds exactly nothing when x^k is finite (|x| <= 1e30 keeps
        // x^10 in range) and the sum is not a zero whose sign the addition could turn;
        // skipping its power then leaves the result bit for bit the same.
        if (ck == 0.0 && sum != 0.0 && std::fabs(x) <= 1e30) continue;
        sum = sum + ck * std::pow(x, k);
    }
    return CheckFinite(sum);
}

}  // namespace optc
