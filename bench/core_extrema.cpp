// The extremum finder on a full spectrum: 100000 points of a 5.5 um synthetic film
// from 350 to 1500 nm with 0.1 %T of noise, in the order an import leaves them
// (ascending, and descending as wave numbers give).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

#include "../tests/thinfilm/SyntheticFilm.h"
#include "numerics/Arrays.h"
#include "thinfilm/extrema/ExtremumFinder.h"

namespace {

using namespace optc;

struct FullSpectrum {
    explicit FullSpectrum(bool ascending) {
        synthetic::Film film;
        film.thicknessNm = 5500;
        const auto points = synthetic::WithNoise(synthetic::Spectrum(film, 350, 1500, kCapacity), 0.1, 1);
        for (const auto& [x, y] : points) {
            lambda.push_back(x);
            trans.push_back(y);
        }
        if (!ascending) {
            std::reverse(lambda.begin(), lambda.end());
            std::reverse(trans.begin(), trans.end());
        }
    }
    std::vector<double> lambda, trans;
};

void BM_FindExtrema(benchmark::State& state) {
    const FullSpectrum spectrum(state.range(0) != 0);
    std::size_t found = 0;
    for (auto _ : state) {
        const ExtremaSearch search = FindFringeExtrema(spectrum.lambda, spectrum.trans);
        found = search.extrema.size();
        benchmark::DoNotOptimize(found);
    }
    state.counters["extrema"] = static_cast<double>(found);
}
BENCHMARK(BM_FindExtrema)->ArgName("ascending")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
