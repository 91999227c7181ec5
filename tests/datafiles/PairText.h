#pragma once
// Helpers for the spectrum tests: parsing a text into fresh arrays, and data lines.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>

#include "datafiles/PairReader.h"

namespace optc::test {

// Arrays are pre-filled with this value so that untouched elements show.
constexpr double kUntouched = -12345.0;

struct Parsed {
    std::unique_ptr<SpectrumArray> X = std::make_unique<SpectrumArray>();
    std::unique_ptr<SpectrumArray> Y = std::make_unique<SpectrumArray>();
    int count = 0;
    PairReadResult result;
    double x(int i) const { return (*X)[i]; }
    double y(int i) const { return (*Y)[i]; }
};

inline void Prefill(SpectrumArray& a) {
    for (int i = 1; i <= kCapacity; ++i) a[i] = kUntouched;
}

inline Parsed Parse(std::string_view text, RestartMode mode = RestartMode::Below100) {
    Parsed p;
    Prefill(*p.X);
    Prefill(*p.Y);
    p.result = ParsePairs(text.data(), text.size(), *p.X, *p.Y, p.count, mode);
    return p;
}

// n lines "<first + k> <50 + k>\n", k = 0..n-1.
inline std::string DataLines(int n, int first = 400, const char* eol = "\n") {
    std::string s;
    for (int k = 0; k < n; ++k)
        s += std::to_string(first + k) + " " + std::to_string(50 + k % 50) + eol;
    return s;
}

}  // namespace optc::test
