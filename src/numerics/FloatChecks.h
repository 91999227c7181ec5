#pragma once
// Checked floating-point arithmetic. The program never goes on with an infinity or a
// NaN: each operation that can fault raises the matching error instead.
#include <cmath>

#include "numerics/Errors.h"

namespace optc {

// A result that left the finite range: NaN is an invalid operation, inf an overflow.
inline double CheckFinite(double v) {
    if (std::isnan(v)) throw EInvalidOp();
    if (std::isinf(v)) throw EOverflow();
    return v;
}

inline long double CheckFinite(long double v) {
    if (std::isnan(v)) throw EInvalidOp();
    if (std::isinf(v)) throw EOverflow();
    return v;
}

// a / b: a zero divisor raises division by zero, except 0/0 which is invalid.
inline double Div(double a, double b) {
    if (b == 0.0) {
        if (a == 0.0 || std::isnan(a)) throw EInvalidOp();
        throw EZeroDivide();
    }
    return CheckFinite(a / b);
}

inline long double Div(long double a, long double b) {
    if (b == 0.0L) {
        if (a == 0.0L || std::isnan(a)) throw EInvalidOp();
        throw EZeroDivide();
    }
    return CheckFinite(a / b);
}

// Square root of a negative number is an invalid operation.
inline double Sqrt(double x) {
    if (x < 0.0 || std::isnan(x)) throw EInvalidOp();
    return std::sqrt(x);
}

// Natural logarithm: of 0 a division by zero (the logarithm's pole), of a negative
// number an invalid operation.
inline double Ln(double x) {
    if (x == 0.0) throw EZeroDivide();
    if (x < 0.0 || std::isnan(x)) throw EInvalidOp();
    return CheckFinite(std::log(x));
}

// Products and sums whose result may overflow.
inline double Mul(double a, double b) { return CheckFinite(a * b); }
inline double Add(double a, double b) { return CheckFinite(a + b); }
inline double Sub(double a, double b) { return CheckFinite(a - b); }

// x to the power k by the power function, checked.
inline double Pow(double x, double k) { return CheckFinite(std::pow(x, k)); }

}  // namespace optc
