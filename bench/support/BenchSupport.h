#pragma once
// What every benchmark program shares: its own main, which first says loudly when the figures cannot be
// trusted (an unoptimised or sanitised build), and a scratch folder of its own for the files it makes.
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace benchmark {
class State;
}

// True when this build's figures mean something: compiled with optimisation and without sanitisers.
bool BenchBuildIsOptimised();
// The warning main prints to stderr before the first benchmark when BenchBuildIsOptimised() is false.
std::string BenchBuildWarning();

// The program's own scratch folder, made on first use under $TMPDIR (else /tmp) with a unique name and
// removed with everything in it when the program ends; two benchmarks running at once never share a file.
const std::string& BenchFolder();

// The seconds Run takes.
double SecondsOf(const std::function<void()>& Run);

// The machine's load average over the last minute (/proc/loadavg); 0 when it cannot be read. The figures
// that compare the program with the tools run by hand are taken on shared machines: each carries it.
double LoadAverage();

// Counters Name_median, Name_min and Name_max of Values (one per iteration), so that a figure taken on a
// loaded machine shows its spread as well as its middle; nothing when Values is empty.
void SetSpreadCounters(benchmark::State& State, const std::string& Name, std::vector<double> Values);

// Figures as ratios against a baseline run in the same process: each iteration times Work (the part the
// benchmark's own timer counts) and then Baseline with that timer paused, so that both see the same load.
// Finish() sets "ms" (Work, milliseconds) and "x_<BaselineName>" (Work / Baseline) as spreads, and "load".
class TBaselineRatio {
public:
    explicit TBaselineRatio(std::string BaselineName) : FName(std::move(BaselineName)) {}
    void Iteration(benchmark::State& State, const std::function<void()>& Work, const std::function<void()>& Baseline);
    void Finish(benchmark::State& State);

private:
    std::string FName;
    std::vector<double> FWork, FRatio;
};
