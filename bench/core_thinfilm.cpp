// Calculate of the Thin Films window on a full spectrum: 100000 points of a synthetic
// film with 40 fringe extrema, the workspace clears included.
#include <benchmark/benchmark.h>

#include <memory>

#include "../tests/thinfilm/SyntheticFilm.h"
#include "numerics/FloatText.h"
#include "thinfilm/window/Main_1.h"
#include "ui/ScriptedPlatform.h"

namespace {

using namespace optc;

struct FullFilm {
    FullFilm() : data(ThinFilmData::Create()), form(platform, *data, [] { return UnitChoices{}; }) {
        SetDecimalSeparator('.');
        synthetic::Film film;
        film.thicknessNm = 5500;  // thick enough for 40 extrema above 500 nm
        const auto spectrum = synthetic::Spectrum(film, 350, 1500, kCapacity);
        ThinFilmData& d = *data;
        d.SpecCount = kCapacity;
        for (int i = 1; i <= kCapacity; ++i) {
            d.SpecLambda[i] = spectrum[static_cast<std::size_t>(i - 1)].first;
            d.SpecTrans[i] = spectrum[static_cast<std::size_t>(i - 1)].second;
        }
        d.SpecAscending = 1;
        auto extrema = synthetic::Extrema(synthetic::Spectrum(film, 350, 1500, 20001, false), 500);
        extrema.erase(extrema.begin(), extrema.end() - 40);  // the 40 shortest
        d.ExtCount = 40;
        for (int i = 1; i <= 40; ++i) {
            d.ExtLambda[i] = extrema[static_cast<std::size_t>(i - 1)].first;
            d.ExtTrans[i] = extrema[static_cast<std::size_t>(i - 1)].second;
        }
        form.Const2.SetText("1.52");
        form.Wstart.SetText(FloatToStr(d.ExtLambda[40]));
        form.Wend.SetText(FloatToStr(d.ExtLambda[1]));
    }
    ScriptedPlatform platform;
    std::unique_ptr<ThinFilmData> data;
    TForm1 form;
};

void BM_CalculateFullSpectrum(benchmark::State& state) {
    FullFilm film;
    for (auto _ : state) {
        film.form.Dispatch([&] { film.form.CalculateClick(); });
        benchmark::DoNotOptimize(film.data->Absorption[1]);
    }
    if (!film.platform.log.empty()) state.SkipWithError(film.platform.log.front().c_str());
    state.counters["extrema"] = film.data->ExtCount;
    state.counters["grid"] = film.data->DispCount - 1;
}
BENCHMARK(BM_CalculateFullSpectrum)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
