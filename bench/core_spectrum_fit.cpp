// Fit Spectrum with its order search on a 1000 nm film (Cauchy index, Urbach edge,
// thickness spread 10 nm) between 400 and 1500 nm with 0.1 %T noise, at 2000 and at
// 100000 points. The start is the fringe orders of the exact extrema with the true
// index at each, as Calculate's envelopes give it on a clean spectrum.
#include <benchmark/benchmark.h>

#include <vector>

#include "../tests/thinfilm/SyntheticFilm.h"
#include "thinfilm/fit/FullSpectrumFit.h"

namespace {

using namespace optc;

SpectrumFitInput FilmInput(int count) {
    synthetic::Film film;
    film.spreadNm = 10;
    SpectrumFitInput input;
    synthetic::Gaussian noise(3);
    for (const auto& [lambda, t] : synthetic::Spectrum(film, 400, 1500, count, false)) {
        input.lambda.push_back(lambda);
        input.trans.push_back(t + noise.Next(0.1));
    }
    for (const synthetic::TrueExtremum& e : synthetic::ExactExtrema(film, 460, 1500))
        input.extrema.push_back({e.lambda, e.maximum ? ExtremumKind::Maximum : ExtremumKind::Minimum, e.trans,
                                 film.Index(e.lambda)});
    input.substrate = film.substrate;
    return input;
}

void BM_SpectrumFit(benchmark::State& state) {
    const SpectrumFitInput input = FilmInput(static_cast<int>(state.range(0)));
    double thickness = 0.0;
    int iterations = 0;
    for (auto _ : state) {
        const SpectrumFitOutcome outcome = FitSpectrum(input, SpectrumFitOptions{});
        if (!outcome.result) {
            state.SkipWithError(outcome.reason.c_str());
            break;
        }
        benchmark::DoNotOptimize(outcome.result->thicknessNm);
        thickness = outcome.result->thicknessNm;
        iterations = outcome.result->iterations;
    }
    state.counters["thicknessNm"] = thickness;
    state.counters["iterations"] = iterations;
}
BENCHMARK(BM_SpectrumFit)->Arg(2000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
