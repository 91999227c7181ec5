// A laboratory's day in the batch program: 72 synthetic spectra analysed one process
// each (a shell loop), and in one run of many spectra with one and two jobs. Each
// iteration writes into a folder of its own that starts empty, so that no results
// file is replaced (replacing files costs the file system far more than writing them).
// Reported: the wall time, and the processor time of the batch processes.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <unistd.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <filesystem>
#include <string>
#include <vector>

#include "../tests/batch/SyntheticSpectra.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

constexpr int kSpectra = 72;

const fs::path& Day() {
    static const fs::path folder = [] {
        const fs::path path = fs::temp_directory_path() / ("many_spectra_bench_" + std::to_string(::getpid()));
        fs::remove_all(path);
        fs::create_directories(path / "in");
        optc::synthetic::WriteSpotSpectra(path / "in", kSpectra);
        return path;
    }();
    return folder;
}

// Runs the batch program with the arguments, quietly; true when it ran to its end.
bool RunBatch(const std::vector<std::string>& args) {
    std::vector<std::string> all = {OPTC_BATCH_PROGRAM};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : all) argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int failed = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    return failed == 0 && ::waitpid(pid, &status, 0) == pid && WIFEXITED(status);
}

double ChildSeconds() {
    rusage usage{};
    ::getrusage(RUSAGE_CHILDREN, &usage);
    const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec * 1e-6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

const std::vector<std::string> kOptions = {"--find-extrema", "--ns", "1.52"};

// A fresh, empty results folder for each iteration.
std::string FreshOut(int iteration) {
    const fs::path out = Day() / ("out" + std::to_string(iteration));
    fs::remove_all(out);
    fs::create_directories(out);
    return out.string();
}

void OneProcessEach(benchmark::State& state) {
    std::vector<std::string> spectra;
    for (const auto& entry : fs::directory_iterator(Day() / "in")) spectra.push_back(entry.path().string());
    int iteration = 0;
    double cpu = 0.0;
    for (auto _ : state) {
        state.PauseTiming();
        const std::string out = FreshOut(iteration++);
        const double before = ChildSeconds();
        state.ResumeTiming();
        for (const std::string& spectrum : spectra) {
            std::vector<std::string> args = {"thinfilm", "--spectrum", spectrum, "--save",
                                             out + "/" + fs::path(spectrum).stem().string()};
            args.insert(args.end(), kOptions.begin(), kOptions.end());
            if (!RunBatch(args)) state.SkipWithError("the batch program did not run");
        }
        cpu += ChildSeconds() - before;
    }
    state.counters["cpu_s"] = benchmark::Counter(cpu, benchmark::Counter::kAvgIterations);
    state.counters["spectra"] = kSpectra;
}

void OneRun(benchmark::State& state) {
    int iteration = 0;
    double cpu = 0.0;
    for (auto _ : state) {
        state.PauseTiming();
        const std::string out = FreshOut(iteration++);
        const double before = ChildSeconds();
        state.ResumeTiming();
        std::vector<std::string> args = {"thinfilm", "--folder", (Day() / "in").string(), "--save-dir", out,
                                         "--jobs", std::to_string(state.range(0))};
        args.insert(args.end(), kOptions.begin(), kOptions.end());
        if (!RunBatch(args)) state.SkipWithError("the batch program did not run");
        cpu += ChildSeconds() - before;
    }
    state.counters["cpu_s"] = benchmark::Counter(cpu, benchmark::Counter::kAvgIterations);
    state.counters["spectra"] = kSpectra;
}

BENCHMARK(OneProcessEach)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);
BENCHMARK(OneRun)->ArgName("jobs")->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    fs::remove_all(Day());
}
