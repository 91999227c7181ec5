// Cost of the fits the calculations make: an order-10 dispersion fit over 1000 points.
#include <benchmark/benchmark.h>

#include <array>
#include <vector>

#include "numerics/CurveFit.h"
#include "numerics/FloatText.h"

namespace {

void BM_PolyFit11Terms1000Points(benchmark::State& state) {
    // A Cauchy-like n(1/lambda^2) over 400..1400 nm, the shape of a dispersion fit.
    const int points = 1000;
    std::vector<double> x(points), y(points);
    for (int i = 0; i < points; ++i) {
        const double lambda = 400.0 + i;
        x[i] = 1.0 / (lambda * lambda);
        y[i] = 2.1 + 12000.0 * x[i] + 4.0e8 * x[i] * x[i];
    }
    std::array<double, 12> coef{};
    for (auto _ : state) {
        optc::PolyFit(x.data(), y.data(), coef.data(), points, 11);
        benchmark::DoNotOptimize(coef.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * points);
}
BENCHMARK(BM_PolyFit11Terms1000Points);

// Writing the numbers of a results file row.
void BM_FloatToStr(benchmark::State& state) {
    double v = 1239.83 / 550.0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(optc::FloatToStr(v));
        v += 1e-7;
    }
}
BENCHMARK(BM_FloatToStr);

}  // namespace

BENCHMARK_MAIN();
