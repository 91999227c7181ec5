// Fuzzes the extremum finder that "Find Extrema" and --find-extrema run on a spectrum.
//
// Input: an option byte, then the spectrum. Bit 0 of the option byte gives the order of
// the points (ascending or descending wavelengths). With bit 1 clear the rest is a
// fringe pattern the fuzzer bends: byte 1 sets the fringe period (4 to 259 samples),
// byte 2 the step (0.05 to 12.8 nm), and each following pair of bytes is a deviation
// of up to +-40 %T from a 30 %T sinusoid around 50 %T, so that fringes, noise, spikes
// and flat stretches all occur. With bit 1 set the rest is raw pairs of doubles (16
// bytes a point), non-finite ones left out: any wavelengths, repeated or negative.
//
// A fault is a crash, a sanitizer report, a hang, an exception that is not one of the
// program's floating-point errors, or a result that breaks its contract: a verdict of
// found with fewer than four extrema, extrema that do not alternate, that are not
// longest first, that lie outside the wavelengths of the spectrum, or that hold an
// inf/NaN.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "numerics/Errors.h"
#include "thinfilm/extrema/ExtremumFinder.h"

namespace {

using namespace optc;

[[noreturn]] void Fault(const char* what, long index = 0) {
    std::fprintf(stderr, "extremum finder fault: %s (%ld)\n", what, index);
    std::abort();
}

void FringePattern(const std::uint8_t* data, std::size_t size, std::vector<double>& x, std::vector<double>& y) {
    if (size < 2) return;
    const double period = 4.0 + data[0];
    const double step = 0.05 * (1 + data[1]);
    for (std::size_t k = 0; 2 + 2 * k + 1 < size; ++k) {
        const int raw = data[2 + 2 * k] | (data[2 + 2 * k + 1] << 8);
        const double deviation = 40.0 * (raw - 32768) / 32768.0;
        x.push_back(300.0 + step * static_cast<double>(k));
        y.push_back(50.0 + 30.0 * std::sin(2.0 * M_PI * static_cast<double>(k) / period) + deviation);
    }
}

void RawPoints(const std::uint8_t* data, std::size_t size, std::vector<double>& x, std::vector<double>& y) {
    for (std::size_t at = 0; at + 16 <= size; at += 16) {
        double a, b;
        std::memcpy(&a, data + at, 8);
        std::memcpy(&b, data + at + 8, 8);
        if (!std::isfinite(a) || !std::isfinite(b)) continue;
        x.push_back(a);
        y.push_back(b);
    }
}

void Check(const ExtremaSearch& s, const std::vector<double>& x) {
    if (s.verdict != ExtremaVerdict::Found) {
        if (!s.extrema.empty()) Fault("extrema without a verdict of found");
        return;
    }
    if (s.extrema.size() < 4) Fault("found fewer than four extrema", static_cast<long>(s.extrema.size()));
    double lowest = INFINITY, highest = -INFINITY;
    for (double v : x)
        if (v > 0.0) lowest = std::min(lowest, v), highest = std::max(highest, v);
    for (std::size_t k = 0; k < s.extrema.size(); ++k) {
        const FoundExtremum& e = s.extrema[k];
        if (!std::isfinite(e.lambda) || !std::isfinite(e.trans)) Fault("inf/NaN extremum", static_cast<long>(k));
        if (e.lambda < lowest || e.lambda > highest) Fault("extremum outside the spectrum", static_cast<long>(k));
        if (k > 0 && e.maximum == s.extrema[k - 1].maximum) Fault("kinds do not alternate", static_cast<long>(k));
        if (k > 0 && !(e.lambda < s.extrema[k - 1].lambda)) Fault("not longest first", static_cast<long>(k));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const std::uint8_t options = data[0];
    std::vector<double> x, y;
    if (options & 2)
        RawPoints(data + 1, size - 1, x, y);
    else
        FringePattern(data + 1, size - 1, x, y);
    if (options & 1) {
        std::reverse(x.begin(), x.end());
        std::reverse(y.begin(), y.end());
    }
    try {
        Check(FindFringeExtrema(x, y), x);
    } catch (const Error&) {
        // A floating-point error is the finder's way to refuse values it cannot hold.
    } catch (...) {
        Fault("an exception that is not one of the program's errors");
    }
    return 0;
}
