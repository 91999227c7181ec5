// The Thin Films window's output at full capacity: the transmission graph with
// 100000 spectrum points (and the fringes-free curve), and Save Results writing the
// four files for 100000 points.
#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>
#include <memory>
#include <string>

#include <unistd.h>

#include "thinfilm/window/Main_1.h"
#include "thinfilm/ThinFilmData.h"
#include "thinfilm/envelope/ThinFilmResults.h"
#include "ui/ScriptedPlatform.h"

namespace {

using namespace optc;

// A full workspace with values of realistic length as text (15 significant digits).
void Fill(ThinFilmData& d) {
    d.SpecCount = kCapacity;
    d.DispCount = kCapacity;
    d.ExtCount = 40;
    for (int i = 1; i <= kCapacity; ++i) {
        const double lambda = 2500.0 - (i - 1) * 0.02131;
        d.SpecLambda[i] = lambda;
        d.SpecTrans[i] = 60.0 + 25.0 * std::sin(lambda / 17.3);
        d.FreeLambda[i] = lambda;
        d.FreeTrans[i] = 60.0 + 1e-3 * lambda;
        d.TaucEnergy[i] = 1239.83 / lambda;
        d.AbsEnergy[i] = d.TaucEnergy[i];
        d.Absorption[i] = 1e4 * std::exp(d.TaucEnergy[i] - 2.0) / 3.0;
        d.Tauc[i] = d.Absorption[i] * d.TaucEnergy[i];
        d.DispLambda[i] = 400.0 + i;
        d.DispRefraction[i] = 2.2 + 3.0e4 / (d.DispLambda[i] * d.DispLambda[i]);
    }
    d.TaucLine[0] = -2.4e9 / 7.0;
    d.TaucLine[1] = 1e9 / 3.0;
}

void BM_TransmissionGraph(benchmark::State& state) {
    auto data = ThinFilmData::Create();
    Fill(*data);
    ScriptedPlatform platform;
    TForm1 form(platform, *data, [] { return UnitChoices{}; });
    for (auto _ : state) {
        form.RadioButton4.SetChecked(false);
        form.Dispatch([&] { form.RadioButton4.Click(); });
        // The widget reads the points in X order once per event.
        benchmark::DoNotOptimize(form.Chart1.Series(1).Points().data());
        benchmark::DoNotOptimize(form.Chart1.Series(4).Points().data());
    }
    state.SetItemsProcessed(state.iterations() * 2 * kCapacity);
}
BENCHMARK(BM_TransmissionGraph)->Unit(benchmark::kMillisecond);

void BM_SaveResults(benchmark::State& state) {
    auto data = ThinFilmData::Create();
    Fill(*data);
    const auto dir = std::filesystem::temp_directory_path() / ("thinfilm_bench_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::string base = (dir / "film").string();
    for (auto _ : state) SaveThinFilmResults(*data, base, true);
    state.SetBytesProcessed(state.iterations() *
                            static_cast<std::int64_t>(std::filesystem::file_size(base + "Ref.txt") +
                                                      std::filesystem::file_size(base + "Abs.txt") +
                                                      std::filesystem::file_size(base + "tauc.txt") +
                                                      std::filesystem::file_size(base + "FreeTrans.txt")));
    std::filesystem::remove_all(dir);
}
BENCHMARK(BM_SaveResults)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
