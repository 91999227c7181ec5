// Cost of the workspace clears that every import and calculation makes: Import
// Spectrum clears 24 arrays of the thin-film workspace, Import T Spectrum 15 arrays of
// the bulk workspace.
#include <benchmark/benchmark.h>

#include "bulk/BulkData.h"
#include "thinfilm/ThinFilmData.h"

namespace {

void BM_ThinFilmImportSpectrumClears(benchmark::State& state) {
    auto data = optc::ThinFilmData::Create();
    for (auto _ : state) {
        optc::ResetForImportSpectrum(*data);
        benchmark::DoNotOptimize(data->SpecLambda[1]);
    }
}
BENCHMARK(BM_ThinFilmImportSpectrumClears)->Unit(benchmark::kMillisecond);

void BM_BulkTransImportClears(benchmark::State& state) {
    auto data = optc::BulkData::Create();
    for (auto _ : state) {
        data->ClearForTransImport();
        benchmark::DoNotOptimize(data->SpecLambda[1]);
    }
}
BENCHMARK(BM_BulkTransImportClears)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
