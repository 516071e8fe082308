#include "bench/support/BenchSupport.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <system_error>
#include <vector>

namespace {

// The macros describe how this file was compiled, and the bench support is built with the same flags as
// the code it measures.
constexpr bool kOptimised =
#if defined(__OPTIMIZE__)
    true;
#else
    false;
#endif
constexpr bool kSanitised =
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    true;
#else
    false;
#endif

// Owns the scratch folder; its destructor runs at normal program end.
class TScratchFolder {
public:
    TScratchFolder()
    {
        const char* base = std::getenv("TMPDIR");
        std::string pattern = std::string(base && *base ? base : "/tmp") + "/ombrix-bench-XXXXXX";
        std::vector<char> name(pattern.begin(), pattern.end());
        name.push_back('\0');
        // mkdtemp picks a name nobody else holds and makes the folder readable by us alone.
        if (!mkdtemp(name.data()))
            throw std::runtime_error("cannot make a scratch folder from " + pattern);
        FPath = name.data();
    }
    ~TScratchFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(FPath, ignored);
    }
    const std::string& Path() const { return FPath; }

private:
    std::string FPath;
};

}  // namespace

bool BenchBuildIsOptimised() { return kOptimised && !kSanitised; }

std::string BenchBuildWarning()
{
    std::string why = !kOptimised ? "WITHOUT OPTIMISATION" : "WITH SANITISERS";
    const std::string rule(72, '*');
    return rule + "\n*** THIS BENCHMARK WAS BUILT " + why + ".\n"
           "*** Its figures say nothing about the program people run. Build the default configuration\n"
           "*** (RelWithDebInfo, -O3) without OMBRIX_SANITIZE to measure.\n" + rule + "\n";
}

const std::string& BenchFolder()
{
    static const TScratchFolder folder;
    return folder.Path();
}

double SecondsOf(const std::function<void()>& Run)
{
    const auto t0 = std::chrono::steady_clock::now();
    Run();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

double LoadAverage()
{
    double load = 0;
    std::ifstream("/proc/loadavg") >> load;
    return load;
}

void SetSpreadCounters(benchmark::State& State, const std::string& Name, std::vector<double> Values)
{
    if (Values.empty())
        return;
    std::sort(Values.begin(), Values.end());
    const std::size_t n = Values.size();
    // The middle of an even count is the mean of the two middle values.
    State.counters[Name + "_median"] = n % 2 ? Values[n / 2] : (Values[n / 2 - 1] + Values[n / 2]) / 2;
    State.counters[Name + "_min"] = Values.front();
    State.counters[Name + "_max"] = Values.back();
}


void TBaselineRatio::Iteration(benchmark::State& State, const std::function<void()>& Work, const std::function<void()>& Baseline)
{
    const double work = SecondsOf(Work);
    State.PauseTiming();
    const double base = SecondsOf(Baseline);
    State.ResumeTiming();
    FWork.push_back(work * 1e3);
    FRatio.push_back(base > 0 ? work / base : 0);
}

void TBaselineRatio::Finish(benchmark::State& State)
{
    SetSpreadCounters(State, "ms", FWork);
    SetSpreadCounters(State, "x_" + FName, FRatio);
    State.counters["load"] = LoadAverage();
}

int main(int argc, char** argv)
{
    if (!BenchBuildIsOptimised())
        std::fputs(BenchBuildWarning().c_str(), stderr);
    benchmark::AddCustomContext("ombrix_build", BenchBuildIsOptimised() ? "optimised" : "NOT OPTIMISED");
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
