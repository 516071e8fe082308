// Figures of the console-process runner: output throughput to the GUI thread, start latency, and the
// CPU used while a child sleeps. Run by hand: build/bench/bench_Process.
#include "platform/sys/Spawn.h"
#include "platform/win/MessageQueue.h"
#include "process/TOxCreateProcess.h"

#include <benchmark/benchmark.h>

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

void Pump(const bool& done)
{
    while (!done) {
        TMsg m;
        while (PeekMessage(&m, 0, 0, 0, PM_REMOVE)) {
            TranslateMessage(&m);
            DispatchMessage(&m);
        }
        if (!done) {
            WaitMessage(100);
        }
    }
}

// 200 MB of 80-byte lines, made once.
const std::string& BigFile()
{
    static std::string path;
    if (path.empty()) {
        path = "/tmp/ombrix-bench-lines.txt";
        std::ofstream out(path, std::ios::binary);
        std::string line(79, 'x');
        line += '\n';
        std::string block;
        for (int i = 0; i < 1024; ++i) {
            block += line;
        }
        for (int i = 0; i < 2560; ++i) {
            out << block;
        }
    }
    return path;
}

constexpr double kLines = 2560.0 * 1024.0;

double Seconds(Clock::duration d)
{
    return std::chrono::duration<double>(d).count();
}

void BM_Throughput(benchmark::State& state)
{
    const std::string file = BigFile();
    const bool lagging = state.range(0) != 0;
    TOxCreateProcess runner(nullptr);
    runner.SetConsoleOptions({coOwnerData, coRedirect});
    double lines = 0;
    bool done = false;
    runner.OnRead = [&](TObject*, const std::string&, bool, bool ends) {
        if (ends) {
            lines += 1;
            // A GUI thread that stalls for 20 ms every 100,000 lines.
            if (lagging && static_cast<long>(lines) % 100000 == 0) {
                usleep(20000);
            }
        }
    };
    runner.OnTerminate = [&](TObject*, DWORD) { done = true; };
    double runnerSeconds = 0;
    double catSeconds = 0;
    for (auto _ : state) {
        lines = 0;
        done = false;
        auto start = Clock::now();
        runner.SetCommandLine("cat " + file);
        runner.Run();
        Pump(done);
        runnerSeconds += Seconds(Clock::now() - start);
        if (lines != kLines) {
            state.SkipWithError("lines lost");
            break;
        }

        // The same bytes through cat into /dev/null, as the floor.
        start = Clock::now();
        TSpawnRequest r;
        r.Program = "sh";
        r.Args = {"sh", "-c", "cat \"$0\" > /dev/null", file};
        SpawnProcess(r).Reap();
        catSeconds += Seconds(Clock::now() - start);
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["lines_per_s"] = kLines * n / runnerSeconds;
    state.counters["runner_s"] = runnerSeconds / n;
    state.counters["cat_to_null_s"] = catSeconds / n;
}
BENCHMARK(BM_Throughput)->Arg(0)->Arg(1)->Iterations(3)->Unit(benchmark::kMillisecond);

void BM_StartLatency(benchmark::State& state)
{
    TOxCreateProcess runner(nullptr);
    runner.SetConsoleOptions({coOwnerData, coRedirect});
    bool done = false;
    runner.OnTerminate = [&](TObject*, DWORD) { done = true; };
    runner.SetCommandLine("/bin/true");
    std::vector<double> times;
    for (auto _ : state) {
        done = false;
        auto start = Clock::now();
        runner.Run();
        Pump(done);
        double s = Seconds(Clock::now() - start);
        times.push_back(s);
        state.SetIterationTime(s);
    }
    std::sort(times.begin(), times.end());
    state.counters["median_ms"] = times[times.size() / 2] * 1000.0;
    state.counters["max_ms"] = times.back() * 1000.0;
}
BENCHMARK(BM_StartLatency)->Iterations(200)->UseManualTime()->Unit(benchmark::kMicrosecond);

// The floor under the start latency: the same program started and waited for without the runner.
void BM_BareSpawnAndWait(benchmark::State& state)
{
    std::vector<double> times;
    for (auto _ : state) {
        auto start = Clock::now();
        TSpawnRequest r;
        r.Program = "/bin/true";
        SpawnProcess(r).Reap();
        double s = Seconds(Clock::now() - start);
        times.push_back(s);
        state.SetIterationTime(s);
    }
    std::sort(times.begin(), times.end());
    state.counters["median_ms"] = times[times.size() / 2] * 1000.0;
}
BENCHMARK(BM_BareSpawnAndWait)->Iterations(200)->UseManualTime()->Unit(benchmark::kMicrosecond);

double CpuSeconds()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_utime.tv_sec + u.ru_stime.tv_sec + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

void BM_IdleWhileChildSleeps(benchmark::State& state)
{
    TOxCreateProcess runner(nullptr);
    runner.SetConsoleOptions({coOwnerData, coRedirect});
    bool done = false;
    runner.OnTerminate = [&](TObject*, DWORD) { done = true; };
    runner.SetCommandLine("sleep 2");
    double cpu = 0;
    double wall = 0;
    for (auto _ : state) {
        done = false;
        runner.Run();
        const double c0 = CpuSeconds();
        auto start = Clock::now();
        Pump(done);
        wall += Seconds(Clock::now() - start);
        cpu += CpuSeconds() - c0;
    }
    state.counters["cpu_percent"] = 100.0 * cpu / wall;
}
BENCHMARK(BM_IdleWhileChildSleeps)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
