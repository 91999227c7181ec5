// Cost of the workspace clears that every import and calculation makes: Import
// Spectrum clears 24 arrays of the thin-film workspace, Import T Spectrum 15 arrays of
// the bulk workspace. A clear costs in proportion to what was written since the one
// before, so each run first writes n points into every array it clears (untimed), as an
// import and a calculation of an n-point spectrum would.
#include <benchmark/benchmark.h>

#include <vector>

#include "bulk/BulkData.h"
#include "thinfilm/ThinFilmData.h"

namespace {

using optc::SpectrumArray;

void Write(const std::vector<SpectrumArray*>& arrays, int n) {
    for (SpectrumArray* a : arrays)
        for (int i = 1; i <= n; ++i) (*a)[i] = i;
}

void BM_ThinFilmImportSpectrumClears(benchmark::State& state) {
    auto data = optc::ThinFilmData::Create();
    optc::ThinFilmData& d = *data;
    const std::vector<SpectrumArray*> cleared = {
        &d.SpecLambda,  &d.SpecTrans,     &d.ExtLambda,      &d.ExtTrans,       &d.RawExtLambda, &d.RawExtTrans,
        &d.AuxN,        &d.LambdaExp,     &d.RefractionExp,  &d.TaucEnergy,     &d.TransFraction, &d.DispLambda,
        &d.DispRefraction, &d.AbsEnergy,  &d.Absorption,     &d.FreeLambda,     &d.FreeTrans,    &d.FitInvLambdaSq,
        &d.FitRefraction, &d.Tauc,        &d.EgEnergy,       &d.EgTauc,         &d.FreeExtLambda, &d.FreeExtTrans};
    const auto n = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        Write(cleared, n);
        state.ResumeTiming();
        optc::ResetForImportSpectrum(d);
        benchmark::DoNotOptimize(d.SpecLambda[1]);
    }
}
BENCHMARK(BM_ThinFilmImportSpectrumClears)->Arg(2000)->Arg(100000)->Unit(benchmark::kMicrosecond);

void BM_BulkTransImportClears(benchmark::State& state) {
    auto data = optc::BulkData::Create();
    optc::BulkData& d = *data;
    const std::vector<SpectrumArray*> cleared = {
        &d.SpecLambda, &d.SpecTrans,  &d.RawLambda,     &d.RawTrans,  &d.GridLambda,
        &d.GridTrans,  &d.GridReflLambda, &d.GridRefl,  &d.TaucEnergy, &d.TransFraction,
        &d.AbsEnergy,  &d.Absorption, &d.Tauc,          &d.EgEnergy,  &d.EgTauc};
    const auto n = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        Write(cleared, n);
        state.ResumeTiming();
        d.ClearForTransImport();
        benchmark::DoNotOptimize(d.SpecLambda[1]);
    }
}
BENCHMARK(BM_BulkTransImportClears)->Arg(2000)->Arg(100000)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
