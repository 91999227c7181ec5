// The bulk calculation at full capacity: two spectra of 100000 points on different
// grids, resampled onto a common grid of about 95000 points.
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>

#include "bulk/BulkData.h"
#include "bulk/Main_3.h"
#include "ui/ScriptedPlatform.h"

namespace {

using namespace optc;

void FillSpectra(BulkData& d) {
    // Transmission 2500 -> 100 nm, reflection 2600 -> 400 nm on a finer grid.
    d.SpecCount = kCapacity;
    d.ReflCount = kCapacity;
    for (int i = 1; i <= kCapacity; ++i) {
        double lt = 2500.0 - (i - 1) * 0.024;
        d.SpecLambda[i] = lt;
        d.SpecTrans[i] = 50.0 + 30.0 * std::sin(lt / 40.0);
        double lr = 2600.0 - (i - 1) * 0.022;
        d.ReflLambda[i] = lr;
        d.ReflValue[i] = 20.0 + 5.0 * std::cos(lr / 70.0);
    }
}

void BM_CalculateResampled(benchmark::State& state) {
    ScriptedPlatform platform;
    auto data = BulkData::Create();
    FillSpectra(*data);
    TForm3 form(platform, *data, [] { return UnitChoices{}; });
    form.InpR.Click();  // both boxes unchecked: the reflection spectrum is the source
    for (auto _ : state) {
        form.Dispatch([&] { form.Calculate.Click(); });
        benchmark::DoNotOptimize(data->Absorption[1]);
    }
    if (!platform.log.empty()) state.SkipWithError(platform.log.front().c_str());
    state.counters["AbsCount"] = data->AbsCount;
}
BENCHMARK(BM_CalculateResampled)->Unit(benchmark::kMillisecond);

void BM_CalculateConstantR(benchmark::State& state) {
    ScriptedPlatform platform;
    auto data = BulkData::Create();
    FillSpectra(*data);
    TForm3 form(platform, *data, [] { return UnitChoices{}; });
    for (auto _ : state) {
        form.Dispatch([&] { form.Calculate.Click(); });
        benchmark::DoNotOptimize(data->Absorption[1]);
    }
    if (!platform.log.empty()) state.SkipWithError(platform.log.front().c_str());
}
BENCHMARK(BM_CalculateConstantR)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
