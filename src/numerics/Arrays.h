#pragma once
// The fixed-capacity arrays of the workspaces: 100000 doubles indexed from 1.
#include <algorithm>
#include <array>
#include <cassert>

namespace optc {

constexpr int kCapacity = 100000;

class SpectrumArray {
public:
    double& operator[](int i) {
        assert(i >= 1 && i <= kCapacity);
        return values_[static_cast<std::size_t>(i)];
    }
    double operator[](int i) const {
        assert(i >= 1 && i <= kCapacity);
        return values_[static_cast<std::size_t>(i)];
    }
    // Clearing zeroes elements 1 to 99999; element 100000 keeps its value.
    void Clear() { std::fill(values_.begin() + 1, values_.begin() + kCapacity, 0.0); }
    // Element 1 as the start of a 0-based array, for PolyFit.
    double* From1() { return values_.data() + 1; }
    const double* From1() const { return values_.data() + 1; }

private:
    std::array<double, kCapacity + 1> values_{};  // element 0 unused
};

// A coefficient vector: the coefficient of x^k at index k.
using CoefVector = std::array<double, 12>;

inline void ClearCoef(CoefVector& c) { c.fill(0.0); }

}  // namespace optc
