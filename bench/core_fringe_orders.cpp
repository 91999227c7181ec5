// Fringe Orders on many extrema: the exact extrema between 1200 and 600 nm of a Cauchy
// film (n about 1.7) thick enough to hold `count` of them (100: 18 um, 10000: 1.8 mm),
// with the index at each off by Gaussian noise, so that the first pass lands orders
// away and the search has to walk.
#include <benchmark/benchmark.h>

#include <vector>

#include "../tests/thinfilm/SyntheticFilm.h"
#include "thinfilm/orders/FringeOrders.h"

namespace {

using namespace optc;

std::vector<FringeExtremum> NoisyExtrema(int count, double indexNoise) {
    auto index = [](double lambda) { return 1.65 + 1.5e4 / (lambda * lambda); };
    const double thickness = count * 300.0 / index(900);
    const auto first = static_cast<int>(4 * index(1200) * thickness / 1200) + 1;
    synthetic::Gaussian noise(7);
    std::vector<FringeExtremum> extrema;
    for (int h = first; h < first + count; ++h) {
        const double m = h / 2.0;
        double lambda = 2 * index(900) * thickness / m;
        for (int i = 0; i < 50; ++i) lambda = 2 * index(lambda) * thickness / m;
        const bool maximum = h % 2 == 0;
        extrema.push_back({lambda, maximum ? ExtremumKind::Maximum : ExtremumKind::Minimum, maximum ? 88.0 : 80.0,
                           index(lambda) * (1 + noise.Next(indexNoise))});
    }
    return extrema;
}

void BM_FringeOrders(benchmark::State& state) {
    const auto extrema = NoisyExtrema(static_cast<int>(state.range(0)), 0.002);
    int used = 0;
    for (auto _ : state) {
        const FringeOrdersOutcome outcome = FindFringeOrders(extrema, 3);
        if (!outcome.result) {
            state.SkipWithError(outcome.reason.c_str());
            break;
        }
        used = outcome.result->used;
        benchmark::DoNotOptimize(outcome.result->thicknessNm);
    }
    state.counters["used"] = used;
}
BENCHMARK(BM_FringeOrders)->Arg(20)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
