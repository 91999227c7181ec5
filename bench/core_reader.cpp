// Reading a spectrum: a 100000-pair file parsed from memory, and the same file read
// from disk in blocks as an import reads it, also as CSV and as JCAMP-DX.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "datafiles/PairReader.h"
#include "datafiles/ImportReading.h"

namespace {

// A spectrophotometer export: a header line, then 100000 lines such as
// "400.123\t85.4321\r\n" with wavelengths stepping by 0.007 nm.
std::string SpectrumFile() {
    std::string text = "Wavelength (nm)\tT (%)\r\n";
    char line[64];
    for (int k = 0; k < optc::kCapacity; ++k) {
        const double lambda = 200.0 + 0.007 * k;
        const double trans = 85.4321 + 10.0 * ((k % 997) / 997.0 - 0.5);
        std::snprintf(line, sizeof line, "%.3f\t%.4f\r\n", lambda, trans);
        text += line;
    }
    return text;
}

void BM_ParseSpectrumFile(benchmark::State& state) {
    const std::string text = SpectrumFile();
    auto X = std::make_unique<optc::SpectrumArray>();
    auto Y = std::make_unique<optc::SpectrumArray>();
    int count = 0;
    for (auto _ : state) {
        count = 0;
        const auto result = optc::ParsePairs(text.data(), text.size(), *X, *Y, count,
                                             optc::RestartMode::Below100);
        benchmark::DoNotOptimize(result);
        benchmark::ClobberMemory();
    }
    if (count != optc::kCapacity) state.SkipWithError("the file did not read as 100000 points");
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(text.size()));
    state.counters["points"] = count;
}
BENCHMARK(BM_ParseSpectrumFile)->Unit(benchmark::kMillisecond);

// The same points as an instrument writes them: CSV with semicolons and decimal
// commas, and JCAMP-DX with the points listed as ##XYPOINTS.
std::string CsvFile() {
    std::string text = SpectrumFile();
    for (char& c : text) c = c == '.' ? ',' : c == '\t' ? ';' : c;
    return text;
}
std::string JcampFile() {
    std::string text = "##TITLE=bench\n##JCAMP-DX=4.24\n##XUNITS=NANOMETERS\n##YUNITS=TRANSMITTANCE\n"
                       "##NPOINTS=100000\n##XYPOINTS=(XY..XY)\n";
    const std::string pairs = SpectrumFile();
    text.append(pairs, pairs.find('\n') + 1);
    return text + "##END=\n";
}

// The import's reading step: the file read block by block, then stored in the arrays.
void ReadFromDisk(benchmark::State& state, const std::string& text, const char* ending) {
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("core_reader_" + std::to_string(::getpid()) + ending);
    std::ofstream(path, std::ios::binary) << text;
    auto X = std::make_unique<optc::SpectrumArray>();
    auto Y = std::make_unique<optc::SpectrumArray>();
    int count = 0;
    optc::PairTable pairs;
    for (auto _ : state) {
        optc::ReadSpectrumFile(path.string(), optc::RestartMode::Below100, optc::SpectrumKind::Transmission, pairs);
        optc::StorePairs(pairs, *X, *Y, count);
        benchmark::ClobberMemory();
    }
    std::filesystem::remove(path);
    if (count != optc::kCapacity) state.SkipWithError("the file did not read as 100000 points");
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(text.size()));
}

void BM_ReadSpectrumFile(benchmark::State& state) { ReadFromDisk(state, SpectrumFile(), ".txt"); }
BENCHMARK(BM_ReadSpectrumFile)->Unit(benchmark::kMillisecond);
void BM_ReadCsvFile(benchmark::State& state) { ReadFromDisk(state, CsvFile(), ".csv"); }
BENCHMARK(BM_ReadCsvFile)->Unit(benchmark::kMillisecond);
void BM_ReadJcampFile(benchmark::State& state) { ReadFromDisk(state, JcampFile(), ".jdx"); }
BENCHMARK(BM_ReadJcampFile)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
