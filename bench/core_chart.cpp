// Adding a whole spectrum to a chart series, longest wavelength first as the curves are
// stored, and reading it back in ascending order.
#include <benchmark/benchmark.h>

#include "ui/ChartModel.h"

namespace {

void AddXYDescending(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    for (auto _ : state) {
        optc::ChartSeries series(optc::SeriesStyle::Line, false);
        for (int i = n; i >= 1; --i) series.AddXY(200.0 + i * 0.01, i % 100, optc::clRed);
        benchmark::DoNotOptimize(series.Points().data());
    }
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(AddXYDescending)->Arg(100000)->Unit(benchmark::kMillisecond);

void AddXYAscending(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    for (auto _ : state) {
        optc::ChartSeries series(optc::SeriesStyle::Line, false);
        for (int i = 1; i <= n; ++i) series.AddXY(200.0 + i * 0.01, i % 100, optc::clRed);
        benchmark::DoNotOptimize(series.Points().data());
    }
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(AddXYAscending)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
