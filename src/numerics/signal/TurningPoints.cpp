#include "numerics/signal/TurningPoints.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include "numerics/Index.h"

namespace optc {

std::vector<TurningPoint> StandingOutTurningPoints(const std::vector<double>& y, const std::vector<double>& threshold) {
    std::vector<TurningPoint> points;
    const int n = Count(y);
    const auto at = [&y](int i) { return At(y, i); };
    const auto th = [&threshold](int i) { return At(threshold, i); };

    // Until the first turn the direction is open: the highest and the lowest point so
    // far, how far the curve rose to the one and fell to the other from the start, and
    // the extreme reached after each.
    int high = 0, low = 0, lowAfterHigh = 0, highAfterLow = 0;
    double riseToHigh = 0.0, fallToLow = 0.0;
    int trend = 0;  // +1 rising towards a maximum, -1 falling towards a minimum
    int candidate = 0;
    for (int i = 1; i < n; ++i) {
        if (trend == 0) {
            if (at(i) > at(high)) {
                high = lowAfterHigh = i;
                riseToHigh = at(i) - at(low);
            } else if (at(i) < at(lowAfterHigh)) {
                lowAfterHigh = i;
            }
            if (at(i) < at(low)) {
                low = highAfterLow = i;
                fallToLow = at(high) - at(i);
            } else if (at(i) > at(highAfterLow)) {
                highAfterLow = i;
            }
            // The first turn also needs the stretch from the start to reach the
            // threshold: a curve that merely starts on a slope has no extremum there.
            if (at(high) - at(i) >= th(high)) {
                if (riseToHigh >= th(high)) points.push_back({high, true});
                trend = -1;
                candidate = lowAfterHigh;
            } else if (at(i) - at(low) >= th(low)) {
                if (fallToLow >= th(low)) points.push_back({low, false});
                trend = +1;
                candidate = highAfterLow;
            }
        } else if (trend < 0) {
            if (at(i) < at(candidate)) {
                candidate = i;
            } else if (at(i) - at(candidate) >= th(candidate)) {
                points.push_back({candidate, false});
                trend = +1;
                candidate = i;
            }
        } else {
            if (at(i) > at(candidate)) {
                candidate = i;
            } else if (at(candidate) - at(i) >= th(candidate)) {
                points.push_back({candidate, true});
                trend = -1;
                candidate = i;
            }
        }
    }
    return points;
}

namespace {

// Weights of the parabola's value at the window's centre, for offsets -w .. w.
double ParabolaWeight(int w, int k) {
    const double ww = w, kk = k;
    return 3.0 * (3.0 * ww * ww + 3.0 * ww - 1.0 - 5.0 * kk * kk) /
           ((2.0 * ww - 1.0) * (2.0 * ww + 1.0) * (2.0 * ww + 3.0));
}

using Kernels = std::array<std::vector<double>, kWidestSmoothing + 1>;

const Kernels& ParabolaKernels() {
    static const Kernels kernels = [] {
        Kernels k;
        for (int w = 0; w <= kWidestSmoothing; ++w)
            for (int j = -w; j <= w; ++j) At(k, w).push_back(ParabolaWeight(w, j));
        return k;
    }();
    return kernels;
}

}  // namespace

std::vector<double> SmoothByParabolas(const std::vector<double>& y, const std::vector<int>& halfWidth) {
    const Kernels& kernels = ParabolaKernels();
    const int n = Count(y);
    std::vector<double> smooth(y.size());
    for (int i = 0; i < n; ++i) {
        const int w = std::min({At(halfWidth, i), i, n - 1 - i});
        const double* kernel = At(kernels, w).data();
        const double* window = y.data() + (i - w);
        // Four partial sums let the compiler keep several products in flight.
        double sum[4] = {0.0, 0.0, 0.0, 0.0};
        const int taps = 2 * w + 1;
        int j = 0;
        for (; j + 4 <= taps; j += 4)
            for (int k = 0; k < 4; ++k) sum[k] += kernel[j + k] * window[j + k];
        for (; j < taps; ++j) sum[0] += kernel[j] * window[j];
        At(smooth, i) = (sum[0] + sum[1]) + (sum[2] + sum[3]);
    }
    return smooth;
}

double SmoothByParabolaAt(const std::vector<double>& y, int i, int halfWidth, int stride) {
    const int n = Count(y);
    const int w = std::min({halfWidth, kWidestSmoothing, i / stride, (n - 1 - i) / stride});
    const std::vector<double>& kernel = ParabolaKernels()[static_cast<std::size_t>(w)];
    double sum = 0.0;
    for (int j = -w; j <= w; ++j)
        sum += At(kernel, j + w) * At(y, i + j * stride);
    return sum;
}

double ParabolaSmoothingNoiseGain(int halfWidth) {
    // The smoothing is a projection, so the sum of its squared weights is its centre
    // weight.
    static const auto gains = [] {
        std::array<double, kWidestSmoothing + 1> g{};
        for (int w = 0; w <= kWidestSmoothing; ++w) At(g, w) = std::sqrt(ParabolaWeight(w, 0));
        return g;
    }();
    return At(gains, halfWidth);
}

}  // namespace optc
