// Hot paths of the runtime library: string lists (the hidden grids and list boxes are string
// lists, searched and sorted on every queue change) and Format (progress text, several times a
// second while converting).
#include <benchmark/benchmark.h>

#include "platform/rtl/Strings.h"
#include "platform/rtl/TStringList.h"

namespace {

std::string Name(int i) { return "VTS_" + std::to_string(i * 7919 % 100003) + "_1.VOB"; }

void FillList(TStringList& list, int n)
{
    for (int i = 0; i < n; ++i) {
        list.Add(Name(i));
    }
}

void BM_StringListAdd(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    for (auto _ : state) {
        TStringList list;
        FillList(list, n);
        benchmark::DoNotOptimize(list.Count());
    }
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_StringListAdd)->Arg(100)->Arg(10000);

void BM_StringListAddSorted(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    for (auto _ : state) {
        TStringList list;
        list.SetSorted(true);
        FillList(list, n);
        benchmark::DoNotOptimize(list.Count());
    }
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_StringListAddSorted)->Arg(100)->Arg(10000);

// Unsorted IndexOf is a linear, case-insensitive scan: the cost of looking up a row by name.
void BM_StringListIndexOf(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    TStringList list;
    FillList(list, n);
    const std::string last = UpperCase(Name(n - 1));
    for (auto _ : state) {
        benchmark::DoNotOptimize(list.IndexOf(last));
    }
}
BENCHMARK(BM_StringListIndexOf)->Arg(100)->Arg(10000);

void BM_StringListIndexOfSorted(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    TStringList list;
    FillList(list, n);
    list.SetSorted(true);
    const std::string last = UpperCase(Name(n - 1));
    for (auto _ : state) {
        benchmark::DoNotOptimize(list.IndexOf(last));
    }
}
BENCHMARK(BM_StringListIndexOfSorted)->Arg(100)->Arg(10000);

void BM_StringListSort(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    TStringList source;
    FillList(source, n);
    for (auto _ : state) {
        state.PauseTiming();
        TStringList list;
        list.Assign(source);
        state.ResumeTiming();
        list.Sort();
        benchmark::DoNotOptimize(list.Count());
    }
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_StringListSort)->Arg(100)->Arg(10000);

void BM_StringListTextGet(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    TStringList list;
    FillList(list, n);
    for (auto _ : state) {
        benchmark::DoNotOptimize(list.Text());
    }
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_StringListTextGet)->Arg(100)->Arg(10000);

void BM_StringListTextSet(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    TStringList source;
    FillList(source, n);
    const std::string text = source.Text();
    TStringList list;
    for (auto _ : state) {
        list.SetText(text);
        benchmark::DoNotOptimize(list.Count());
    }
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_StringListTextSet)->Arg(100)->Arg(10000);

// The running job's status line: two "%3.2f" and an "h:mm:ss".
void BM_FormatProgress(benchmark::State& state)
{
    double pct = 12.345;
    for (auto _ : state) {
        std::string s = Format("%3.2f", {pct}) + "% (" + Format("%3.2f", {1.87}) + "x)";
        s += Format("%1.1d:%2.2d:%2.2d", {1, 2, 3});
        benchmark::DoNotOptimize(s);
        pct += 0.001;
    }
}
BENCHMARK(BM_FormatProgress);

void BM_FormatInteger(benchmark::State& state)
{
    int row = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(Format("%5.5d", {row++}));
    }
}
BENCHMARK(BM_FormatInteger);

void BM_FormatString(benchmark::State& state)
{
    const std::string name = "VIDEO_TS.IFO";
    for (auto _ : state) {
        benchmark::DoNotOptimize(Format("[%s] %-20s|", {name, "title"}));
    }
}
BENCHMARK(BM_FormatString);

void BM_FloatToStr(benchmark::State& state)
{
    double v = 23.976;
    for (auto _ : state) {
        benchmark::DoNotOptimize(FloatToStr(v));
        v += 0.5;
    }
}
BENCHMARK(BM_FloatToStr);

} // namespace
