#pragma once
// The fixed-capacity arrays of the workspaces: 100000 doubles indexed from 1.
//
// An array reserves its whole capacity as zero pages that the system supplies on first
// use, and remembers the highest element that may have been written since the last
// clear. A clear zeroes only up to that element, so clearing costs in proportion to the
// spectra actually held, and memory that no spectrum has reached is never touched.
#include <algorithm>
#include <array>
#include <cassert>

namespace optc {

constexpr int kCapacity = 100000;

class SpectrumArray {
public:
    SpectrumArray();  // every element 0
    ~SpectrumArray();
    SpectrumArray(const SpectrumArray& other);
    SpectrumArray& operator=(const SpectrumArray& other);

    // Writable access counts as a write of element i. A pointer taken from it reaches
    // element i only; a run of elements is reached through From1.
    double& operator[](int i) {
        assert(i >= 1 && i <= kCapacity);
        if (i > written_) written_ = i;
        return values_[i];
    }
    double operator[](int i) const {
        assert(i >= 1 && i <= kCapacity);
        return values_[i];
    }
    // Clearing zeroes elements 1 to 99999; element 100000 keeps its value.
    void Clear() {
        std::fill(values_ + 1, values_ + std::min(written_, kCapacity - 1) + 1, 0.0);
        written_ = 0;
    }
    // Element 1 as the start of a 0-based array, for PolyFit. The writable pointer may
    // be written anywhere, so from then on the next clear zeroes the whole array: pass
    // the const array (std::as_const) where the elements are only read.
    double* From1() {
        written_ = kCapacity;
        return values_ + 1;
    }
    const double* From1() const { return values_ + 1; }
    // The same for writing the first count elements only (elements 1 to count): the
    // next clear reaches no further than they do.
    double* From1(int count) {
        assert(count >= 0 && count <= kCapacity);
        if (count > written_) written_ = count;
        return values_ + 1;
    }

private:
    double* values_;   // kCapacity + 1 elements, element 0 unused
    int written_ = 0;  // elements above it, up to 99999, are 0
};

// A coefficient vector: the coefficient of x^k at index k.
using CoefVector = std::array<double, 12>;

inline void ClearCoef(CoefVector& c) { c.fill(0.0); }

}  // namespace optc
