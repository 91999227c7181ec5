// Fuzzes the spectrum reader: the bytes of a file parsed in both restart modes, then
// each of the four unit choices, the longest-first copy and the ascending flag.
//
// Input: the file itself, read with every combination of restart mode and unit choice. Files long enough to
// overfill the arrays cost too much per input for a fuzzer; the capacity rule with
// hostile tails is covered by the reader's regression tests instead.
//
// A fault is a crash, a sanitizer report, a hang, an exception that is not one of the
// program's errors, a count outside the arrays, or an inf/NaN within the count after a
// run that raised no error. The file read as an import reads it (the table of formats,
// which refuses UTF-16 text, with the line of every pair and the range check after)
// must give the same points, each with a line no earlier than the one before.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "numerics/Errors.h"
#include "datafiles/FileRefusal.h"
#include "datafiles/MeasuredRange.h"
#include "datafiles/Ordering.h"
#include "datafiles/ImportFormats.h"
#include "datafiles/TextEncoding.h"
#include "datafiles/PairReader.h"
#include "numerics/Arrays.h"
#include "datafiles/UnitChoices.h"

namespace {

using optc::kCapacity;
using optc::SpectrumArray;

struct Arrays {
    SpectrumArray X, Y, TX, TY;
};

// 3.2 MB of arrays: allocated once for the process, as the workspaces are.
Arrays& Shared() {
    static std::unique_ptr<Arrays> arrays = std::make_unique<Arrays>();
    return *arrays;
}

[[noreturn]] void Fault(const char* what, int index = 0) {
    std::fprintf(stderr, "pair reader fault: %s (index %d)\n", what, index);
    std::abort();
}

void CheckFinite(const SpectrumArray& a, int count, const char* what) {
    for (int k = 1; k <= count; ++k)
        if (!std::isfinite(a[k])) Fault(what, k);
}

void CheckOrdering(Arrays& a, int count) {
    optc::CopyLongestFirst(a.X, a.Y, a.TX, a.TY, count);
    const bool reversed = a.X[1] < a.X[2];
    for (int k = 1; k <= count; ++k) {
        const int from = reversed ? count + 1 - k : k;
        // -0.0 and 0.0 are the same point.
        if (!(a.TX[k] == a.X[from]) || !(a.TY[k] == a.Y[from])) Fault("ordering lost a point", k);
    }
    if (optc::AscendingFlag(a.X) != (reversed ? 1 : 0)) Fault("ascending flag disagrees with the ordering");
}

void ReadAsImport(const std::string& text, optc::RestartMode mode, const Arrays& a, int count) {
    static optc::PairTable table;
    optc::MemoryBytes bytes(text);
    try {
        optc::ReadSpectrum(optc::SpectrumFormatOf("fuzz.txt"), bytes,
                           optc::SpectrumRequest{"fuzz.txt", mode, optc::SpectrumKind::Transmission}, table);
    } catch (const optc::FileRefusal& refusal) {
        if (std::string(refusal.what()) != optc::Utf16Message("fuzz.txt")) Fault("a text file refused otherwise");
        return;
    } catch (const optc::Error&) {
        Fault("the import's read raised what the parse did not");
    }
    if (table.count != count) Fault("the import's read gave another count", table.count);
    for (int k = 1; k <= count; ++k) {
        const auto i = static_cast<std::size_t>(k - 1);
        if (!(table.x[i] == a.X[k]) || !(table.y[i] == a.Y[k])) Fault("the import's read gave another point", k);
        if (table.line[i] < 1) Fault("a pair without its line", k);
    }
    try {
        const auto note = optc::CheckMeasuredRange(table, optc::SpectrumKind::Transmission, "fuzz.txt");
        if (note && !optc::IsRangeNote(*note)) Fault("a range note the batch would not know");
    } catch (const optc::FileRefusal&) {
    }
}

// One file read in one restart mode, then converted with each of the four unit choices
// (from a saved copy of what was read, so the file is parsed once per mode).
void ReadAndConvert(const std::string& text, optc::RestartMode mode) {
    Arrays& a = Shared();
    int count = 0;
    try {
        optc::ParsePairs(text.data(), text.size(), a.X, a.Y, count, mode);
    } catch (const optc::Error&) {
        return;  // a reported error ends the import
    }
    if (count < 0 || count > kCapacity) Fault("count outside the arrays", count);
    ReadAsImport(text, mode, a, count);
    CheckFinite(a.X, count, "abscissa not finite after reading");
    CheckFinite(a.Y, count, "ordinate not finite after reading");

    // The ordering reads the first two points whatever the count.
    const int saved = std::max(count, 2);
    const std::vector<double> readX(std::as_const(a.X).From1(), std::as_const(a.X).From1() + saved);
    const std::vector<double> readY(std::as_const(a.Y).From1(), std::as_const(a.Y).From1() + saved);

    for (int choice = 0; choice < 4; ++choice) {
        std::copy(readX.begin(), readX.end(), a.X.From1(saved));
        std::copy(readY.begin(), readY.end(), a.Y.From1(saved));
        try {
            optc::ApplyUnitConversions(a.X, a.Y, count, optc::UnitChoices{(choice & 1) != 0, (choice & 2) != 0});
        } catch (const optc::Error&) {
            continue;
        }
        CheckFinite(a.X, count, "abscissa not finite after the unit conversions");
        CheckFinite(a.Y, count, "ordinate not finite after the unit conversions");
        CheckOrdering(a, count);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    for (optc::RestartMode mode : {optc::RestartMode::Below100, optc::RestartMode::Always})
        ReadAndConvert(text, mode);
    return 0;
}
