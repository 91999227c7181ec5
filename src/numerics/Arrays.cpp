#include "numerics/Arrays.h"

#include <sys/mman.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <new>
#include <vector>

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

// The blocks of arrays that went away, every element zero again, kept by their thread
// for its next arrays: a batch run that opens one session after another then maps and
// unmaps no pages and faults in only what the first session reached, while the arrays
// read exactly as fresh zero pages would. Each thread has its own, so nothing is
// shared; a block that outlives its thread's pool is unmapped.
class BlockPool {
public:
    ~BlockPool() {
        gone = true;
        for (double* block : blocks_) ::munmap(block, kBytes);
    }
    double* Take() {
        if (blocks_.empty()) return MapZeroPages();
        double* block = blocks_.back();
        blocks_.pop_back();
        return block;
    }
    // `block` is all zero.
    void Give(double* block) {
        if (blocks_.size() < kKept) {
            blocks_.push_back(block);
            return;
        }
        ::munmap(block, kBytes);
    }

    static thread_local bool gone;

private:
    // More than the arrays of all four windows' workspaces.
    static constexpr std::size_t kKept = 256;
    std::vector<double*> blocks_;
};

thread_local bool BlockPool::gone = false;
thread_local BlockPool pool;

// Written this far, a block is zeroed by handing its pages back to the system (they
// read as zero again); below it, by writing zeros over what was written.
constexpr int kZeroInPlace = 8192;

}  // namespace

SpectrumArray::SpectrumArray() : values_(BlockPool::gone ? MapZeroPages() : pool.Take()) {}

SpectrumArray::~SpectrumArray() {
    if (BlockPool::gone) {
        ::munmap(values_, kBytes);
        return;
    }
    if (written_ > kZeroInPlace) {
        if (::madvise(values_, kBytes, MADV_DONTNEED) != 0) {
            ::munmap(values_, kBytes);
            return;
        }
    } else {
        // Elements 0 and 100000 lie outside the clears; reading an element of a page
        // never written costs no memory.
        std::fill(values_, values_ + written_ + 1, 0.0);
        if (std::bit_cast<std::uint64_t>(values_[kCapacity]) != 0) values_[kCapacity] = 0.0;
    }
    pool.Give(values_);
}

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
