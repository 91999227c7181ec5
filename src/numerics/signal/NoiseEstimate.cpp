#include "numerics/signal/NoiseEstimate.h"

#include <algorithm>
#include <cstddef>

#include "numerics/FloatChecks.h"
#include "numerics/signal/Median.h"
#include "numerics/Index.h"

namespace optc {

namespace {

constexpr int kNeighbourBlocks = 2;

// Noise variance over the filter positions t in [first, last]: each position needs
// y[t-1] .. y[t+2]. A block with a spike or a step reads high; the median over
// neighbouring blocks sets it aside.
double BlockVariance(const std::vector<double>& y, int first, int last) {
    const auto at = [&y](int i) { return At(y, i); };
    double uv = 0.0, vv = 0.0, uu = 0.0;
    for (int t = first; t <= last; ++t) {
        const double v = at(t + 1) - at(t);
        const double u = at(t + 2) - at(t - 1) - v;
        uv = Add(uv, Mul(u, v));
        vv = Add(vv, Mul(v, v));
        uu = Add(uu, Mul(u, u));
    }
    // The residual u - 2 c v with the least-squares c; a flat block is cancelled by any
    // c, and c = 1 also cancels straight lines and bends.
    const double c = vv > 0.0 ? std::clamp(uv / (2.0 * vv), -1.0, 1.0) : 1.0;
    const double residual = std::max(0.0, uu - 4.0 * c * uv + 4.0 * c * c * vv);
    // The filter's coefficients are 1, -(1+2c), (1+2c), -1; one degree of freedom went
    // into c.
    const double gain = 2.0 + 2.0 * (1.0 + 2.0 * c) * (1.0 + 2.0 * c);
    return residual / gain / std::max(1, last - first);
}

}  // namespace

std::vector<double> LocalNoise(const std::vector<double>& y) {
    const int n = Count(y);
    std::vector<double> noise(y.size(), 0.0);
    if (n < 4) return noise;
    // Filter positions 1 .. n-3, cut into blocks; the last block takes the remainder.
    const int positions = n - 3;
    const int blocks = std::max(1, positions / kNoiseBlock);
    std::vector<double> blockNoise(static_cast<std::size_t>(blocks));
    for (int b = 0; b < blocks; ++b) {
        const int first = 1 + b * kNoiseBlock;
        const int last = b + 1 == blocks ? n - 3 : first + kNoiseBlock - 1;
        At(blockNoise, b) = Sqrt(BlockVariance(y, first, last));
    }
    std::vector<double> smoothed(blockNoise.size()), around;
    for (int b = 0; b < blocks; ++b) {
        const int from = std::max(0, b - kNeighbourBlocks), to = std::min(blocks - 1, b + kNeighbourBlocks);
        around.assign(blockNoise.begin() + from, blockNoise.begin() + to + 1);
        At(smoothed, b) = Median(around);
    }
    for (int i = 0; i < n; ++i) {
        const int b = std::clamp((i - 1) / kNoiseBlock, 0, blocks - 1);
        At(noise, i) = At(smoothed, b);
    }
    return noise;
}

}  // namespace optc
