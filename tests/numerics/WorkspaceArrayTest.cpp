// The capacity rules of the workspace arrays as seen from outside, whatever way an
// element was written: a clear zeroes elements 1 to 99999, element 100000 keeps its
// value, and every element not written reads 0. A fresh workspace takes no memory
// for capacity that no spectrum has reached.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cmath>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "bulk/BulkData.h"
#include "numerics/Arrays.h"
#include "thinfilm/ThinFilmData.h"

namespace optc {
namespace {

using Values = std::map<int, double>;  // the elements that are not 0

// Every element of a against the expected values, bit for bit (-0.0 is not 0.0).
void ExpectHolds(const SpectrumArray& a, const Values& expected, const std::string& when) {
    int wrong = 0;
    for (int i = 1; i <= kCapacity && wrong < 3; ++i) {
        const auto it = expected.find(i);
        const double want = it == expected.end() ? 0.0 : it->second;
        if (std::signbit(a[i]) != std::signbit(want) || !(a[i] == want)) {
            ADD_FAILURE() << when << ": element " << i << " is " << a[i] << ", expected " << want;
            ++wrong;
        }
    }
}

Values Cleared(const Values& v) {
    Values kept;
    if (v.count(kCapacity)) kept[kCapacity] = v.at(kCapacity);
    return kept;
}

struct WriteCase {
    const char* how;
    std::function<void(SpectrumArray& a, SpectrumArray& other)> write;
    Values after;  // what a holds after the write
};

TEST(SpectrumArrayTest, ClearZeroesEveryWrittenElementButTheLast) {
    const WriteCase cases[] = {
        {"by index", [](SpectrumArray& a, SpectrumArray&) { a[1] = 1.5; a[801] = -2.0; a[99999] = 3.0; },
         {{1, 1.5}, {801, -2.0}, {99999, 3.0}}},
        {"a negative zero", [](SpectrumArray& a, SpectrumArray&) { a[40] = -0.0; }, {{40, -0.0}}},
        {"the last element", [](SpectrumArray& a, SpectrumArray&) { a[kCapacity] = 7.0; a[2] = 1.0; },
         {{2, 1.0}, {kCapacity, 7.0}}},
        {"through From1, as PolyFit's callers may",
         [](SpectrumArray& a, SpectrumArray&) {
             double* p = a.From1();
             p[0] = 4.0;
             p[70000] = 5.0;
             p[kCapacity - 1] = 6.0;
         },
         {{1, 4.0}, {70001, 5.0}, {kCapacity, 6.0}}},
        {"through From1 for a run of known length",
         [](SpectrumArray& a, SpectrumArray&) {
             a[90000] = 1.0;
             a.Clear();
             double* p = a.From1(801);
             p[0] = 2.0;
             p[800] = 3.0;
         },
         {{1, 2.0}, {801, 3.0}}},
        {"through From1 after a clear of a short run",
         [](SpectrumArray& a, SpectrumArray&) {
             a[3] = 1.0;
             a.Clear();
             a.From1()[50000] = 8.0;
         },
         {{50001, 8.0}}},
        {"by index above a cleared run",
         [](SpectrumArray& a, SpectrumArray&) {
             a[90000] = 1.0;
             a.Clear();
             a[10] = 2.0;
             a[20000] = 3.0;
         },
         {{10, 2.0}, {20000, 3.0}}},
        {"by copying a longer array over a shorter one",
         [](SpectrumArray& a, SpectrumArray& other) {
             a[5] = 1.0;
             other[60000] = 9.0;
             other[kCapacity] = -0.0;
             a = other;
         },
         {{60000, 9.0}, {kCapacity, -0.0}}},
        {"by copying a shorter array over a longer one",
         [](SpectrumArray& a, SpectrumArray& other) {
             a[80000] = 1.0;
             a[kCapacity] = 2.0;
             other[7] = 3.0;
             a = other;
         },
         {{7, 3.0}}},
        {"by copying a cleared array that keeps its last element",
         [](SpectrumArray& a, SpectrumArray& other) {
             other[kCapacity] = 4.0;
             other[30] = 5.0;
             other.Clear();
             a = other;
         },
         {{kCapacity, 4.0}}},
    };
    for (const WriteCase& c : cases) {
        SCOPED_TRACE(c.how);
        auto a = std::make_unique<SpectrumArray>();
        auto other = std::make_unique<SpectrumArray>();
        c.write(*a, *other);
        ExpectHolds(*a, c.after, "after the write");
        a->Clear();
        ExpectHolds(*a, Cleared(c.after), "after a clear");
        a->Clear();
        ExpectHolds(*a, Cleared(c.after), "after a second clear");
        const SpectrumArray copy(*a);
        ExpectHolds(copy, Cleared(c.after), "a copy of the cleared array");
    }
}

// Resident memory of this process in kB.
long ResidentKb() {
    std::ifstream statm("/proc/self/statm");
    long size = 0, resident = 0;
    statm >> size >> resident;
    return resident * (::sysconf(_SC_PAGESIZE) / 1024);
}

TEST(SpectrumArrayTest, WorkspacesTakeMemoryOnlyAsFarAsTheSpectrumReaches) {
    const long before = ResidentKb();
    auto thin = ThinFilmData::Create();
    auto bulk = BulkData::Create();
    ResetForImportSpectrum(*thin);
    bulk->ClearForTransImport();
    for (int i = 1; i <= 801; ++i) {
        thin->SpecLambda[i] = 1200.0 - i;
        bulk->SpecLambda[i] = 1200.0 - i;
    }
    ResetForCalculate(*thin);
    bulk->ClearDerived();
    // The two workspaces reserve about 47 MB; a spectrum of 801 points reaches a few
    // pages of two arrays.
    EXPECT_LT(ResidentKb() - before, 1024);
}

}  // namespace
}  // namespace optc
