// Figures for the form reader: a form of thousands of labels (each sizes itself when it is loaded) read
// whole, from its text to the last Loaded.
#include <benchmark/benchmark.h>

#include <string>

#include "platform/vcl/TForm.h"
#include "platform/vcl/TReader.h"
#include "platform/vcl/VclClasses.h"

namespace {

std::string FormOfLabels(int Count)
{
    std::string text = "object Form1: TForm\n  Width = 800\n  Height = 600\n";
    for (int i = 0; i < Count; ++i)
        text += "  object L" + std::to_string(i) + ": TLabel\n    Left = " + std::to_string(i % 700) +
                "\n    Top = " + std::to_string(i % 500) + "\n    Caption = 'label'\n  end\n";
    return text + "end\n";
}

void BM_ReadFormOfLabels(benchmark::State& state)
{
    RegisterVclClasses();
    const std::string text = FormOfLabels(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        TForm form(nullptr);
        ReadComponentFromText(&form, text);
        benchmark::DoNotOptimize(form.ComponentCount());
    }
    state.counters["controls"] = static_cast<double>(state.range(0));
    state.counters["text_KB"] = static_cast<double>(text.size()) / 1024;
}
BENCHMARK(BM_ReadFormOfLabels)->Arg(10000)->Arg(40000)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
