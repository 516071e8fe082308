// Figures of the console-process runner: output throughput to the GUI thread, start latency, and the
// CPU used while a child sleeps. Run by hand: build/bench/bench_Process.
#include "platform/sys/Spawn.h"
#include "platform/win/MessageQueue.h"
#include "process/TOxCreateProcess.h"
#include "platform/sys/CommandLine.h"
#include "bench/support/BenchSupport.h"

#include <benchmark/benchmark.h>

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <map>
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

// The lines of the throughput runs: line I is I in ten digits, then letters up to its length (the newline
// included), so that a lost, repeated, reordered or cut line shows in its text.
class TNumberedLines {
public:
    explicit TNumberedLines(int Length) : FLength(Length) { Reset(); }
    int Length() const { return FLength; }
    // The next expected line (without its newline), and a step to the one after.
    const std::string& Expected() const { return FLine; }
    void Next()
    {
        // The counter is stepped in its decimal text, so the check costs no formatting per line.
        for (int i = 9; i >= 0; --i) {
            if (FLine[i] != '9') {
                ++FLine[i];
                return;
            }
            FLine[i] = '0';
        }
    }
    void Reset()
    {
        FLine.assign(10, '0');
        for (int i = 10; i < FLength - 1; ++i)
            FLine += static_cast<char>('a' + i % 26);
    }

private:
    int FLength;
    std::string FLine;
};

// About 128 MB of lines of one length, made once per program in its scratch folder.
constexpr double kFileBytes = 128.0 * 1024 * 1024;

long LineCount(int Length)
{
    return static_cast<long>(kFileBytes / Length);
}

std::string LinesFile(int Length)
{
    static std::map<int, std::string> made;
    std::string& path = made[Length];
    if (path.empty()) {
        path = BenchFolder() + "/lines-" + std::to_string(Length) + ".txt";
        std::ofstream out(path, std::ios::binary);
        TNumberedLines lines(Length);
        std::string block;
        for (long i = 0; i < LineCount(Length); ++i, lines.Next()) {
            block += lines.Expected();
            block += '\n';
            if (block.size() > (1 << 20)) {
                out << block;
                block.clear();
            }
        }
        out << block;
    }
    return path;
}

double Seconds(Clock::duration d)
{
    return std::chrono::duration<double>(d).count();
}

// Arguments: the line length in bytes (newline included), and whether the GUI thread lags.
void BM_Throughput(benchmark::State& state)
{
    const int length = static_cast<int>(state.range(0));
    const std::string file = LinesFile(length);
    const long count = LineCount(length);
    const bool lagging = state.range(1) != 0;
    TOxCreateProcess runner(nullptr);
    runner.SetConsoleOptions({coOwnerData, coRedirect});
    TNumberedLines expected(length);
    long lines = 0;
    long wrong = 0;
    bool done = false;
    runner.OnRead = [&](TObject*, const std::string& text, bool, bool ends) {
        if (ends) {
            if (text != expected.Expected())
                ++wrong;
            expected.Next();
            lines += 1;
            // A GUI thread that stalls for 20 ms every 100,000 lines.
            if (lagging && lines % 100000 == 0) {
                usleep(20000);
            }
        }
    };
    runner.OnTerminate = [&](TObject*, DWORD) { done = true; };
    double runnerSeconds = 0;
    double catSeconds = 0;
    for (auto _ : state) {
        lines = 0;
        wrong = 0;
        expected.Reset();
        done = false;
        auto start = Clock::now();
        runner.SetCommandLine("cat " + QuoteArg(file));
        runner.Run();
        Pump(done);
        runnerSeconds += Seconds(Clock::now() - start);
        if (lines != count || wrong != 0) {
            state.SkipWithError(("lines lost, cut or out of order: " + std::to_string(lines) + " of " +
                                 std::to_string(count) + " came, " + std::to_string(wrong) + " wrong").c_str());
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
    state.counters["lines_per_s"] = static_cast<double>(count) * n / runnerSeconds;
    state.counters["MB_per_s"] = static_cast<double>(count) * length * n / runnerSeconds / 1e6;
    state.counters["runner_s"] = runnerSeconds / n;
    state.counters["cat_to_null_s"] = catSeconds / n;
}
BENCHMARK(BM_Throughput)
    ->ArgNames({"line_bytes", "lagging"})
    ->ArgsProduct({{12, 160, 1000}, {0, 1}})
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);

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
