#include "numerics/Arrays.h"

#include <sys/mman.h>

#include <bit>
#include <cstdint>
#include <new>

namespace optc {

namespace {

constexpr std::size_t kBytes = (kCapacity + 1) * sizeof(double);

// Anonymous pages read as zero and take memory only once written, so an array costs
// nothing beyond the elements a spectrum reaches. (A zero-filling allocation of the
// heap would write every page.)
double* MapZeroPages() {
    void* p = ::mmap(nullptr, kBytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED) throw std::bad_alloc();
    return static_cast<double*>(p);
}

}  // namespace

SpectrumArray::SpectrumArray() : values_(MapZeroPages()) {}

SpectrumArray::~SpectrumArray() { ::munmap(values_, kBytes); }

SpectrumArray::SpectrumArray(const SpectrumArray& other) : SpectrumArray() { *this = other; }

SpectrumArray& SpectrumArray::operator=(const SpectrumArray& other) {
    if (this == &other) return *this;
    Clear();
    const int last = std::min(other.written_, kCapacity - 1);
    std::copy(other.values_ + 1, other.values_ + last + 1, values_ + 1);
    written_ = last;
    // Element 100000 lies beyond every clear; it is written only when it differs, so
    // that an untouched last page stays untouched.
    const double top = other.values_[kCapacity];
    if (std::bit_cast<std::uint64_t>(top) != std::bit_cast<std::uint64_t>(values_[kCapacity]))
        values_[kCapacity] = top;
    return *this;
}

}  // namespace optc
