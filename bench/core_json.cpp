// The JSON writer over outputs of growing length: a message text to quote (ASCII,
// UTF-8 and stray bytes mixed) and a summary with a growing list of notes. Both should
// cost the same per byte at every length (Complexity reports the fit to O(N)).
#include <benchmark/benchmark.h>

#include <string>

#include "datafiles/JsonWriter.h"

namespace {

// n bytes cycling through plain text, a quote, a tab, an accented letter, the euro
// sign, a stray continuation byte and DEL.
std::string MixedText(std::size_t n) {
    static const std::string piece = "Transmission \"T\"\t\xC3\xA9 \xE2\x82\xAC \x80\x7F nm ";
    std::string text;
    text.reserve(n + piece.size());
    while (text.size() < n) text += piece;
    text.resize(n);
    return text;
}

void BM_JsonString(benchmark::State& state) {
    const std::string text = MixedText(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(optc::JsonString(text));
    state.SetBytesProcessed(state.iterations() * state.range(0));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_JsonString)->RangeMultiplier(8)->Range(64, 1 << 21)->Complexity(benchmark::oN);

// A summary as a batch run writes it, with range(0) notes of a line's length each.
void BM_SummaryWithNotes(benchmark::State& state) {
    const std::string note = MixedText(80);
    std::size_t bytes = 0;
    for (auto _ : state) {
        std::string text;
        optc::JsonWriter json(text);
        json.BeginObject().Member("message", note).Key("notes").BeginArray();
        for (int i = 0; i < state.range(0); ++i) json.String(note);
        json.EndArray().Member("thicknessNm", 1998.13782870789).Member("used", 14).EndObject();
        bytes = text.size();
        benchmark::DoNotOptimize(text);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
    state.SetComplexityN(static_cast<std::int64_t>(bytes));
}
BENCHMARK(BM_SummaryWithNotes)->RangeMultiplier(8)->Range(1, 1 << 16)->Complexity(benchmark::oN);

}  // namespace

BENCHMARK_MAIN();
