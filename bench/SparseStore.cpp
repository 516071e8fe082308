// The string grid's cell store as the converter uses it: tables of 69 columns, read on every timer
// tick. Figures are per cell (items processed = cells).
#include <benchmark/benchmark.h>

#include <string>

#include "skin/grids/TskSkinStringGrid.h"

namespace {

constexpr int Columns = 69;
constexpr int Rows = 10000;

void FillTable(TskSkinStringGrid& Grid)
{
    Grid.SetColCount(Columns);
    Grid.SetRowCount(Rows);
    for (int r = 0; r < Rows; ++r)
        for (int c = 0; c < Columns; ++c)
            Grid.SetCells(c, r, "value " + std::to_string(c));
}

void BM_WriteCells(benchmark::State& state)
{
    for (auto _ : state) {
        TskSkinStringGrid grid(nullptr);
        FillTable(grid);
        benchmark::DoNotOptimize(grid.StoredRowCount());
    }
    state.SetItemsProcessed(state.iterations() * Columns * Rows);
}
BENCHMARK(BM_WriteCells)->Unit(benchmark::kMillisecond);

// Row by row, as a record is read field by field.
void BM_ReadCellsRowMajor(benchmark::State& state)
{
    TskSkinStringGrid grid(nullptr);
    FillTable(grid);
    for (auto _ : state) {
        std::size_t total = 0;
        for (int r = 0; r < Rows; ++r)
            for (int c = 0; c < Columns; ++c)
                total += grid.Cells(c, r).size();
        benchmark::DoNotOptimize(total);
    }
    state.SetItemsProcessed(state.iterations() * Columns * Rows);
}
BENCHMARK(BM_ReadCellsRowMajor)->Unit(benchmark::kMillisecond);

// Column by column: every read changes row, so the row cache never helps.
void BM_ReadCellsColumnMajor(benchmark::State& state)
{
    TskSkinStringGrid grid(nullptr);
    FillTable(grid);
    for (auto _ : state) {
        std::size_t total = 0;
        for (int c = 0; c < Columns; ++c)
            for (int r = 0; r < Rows; ++r)
                total += grid.Cells(c, r).size();
        benchmark::DoNotOptimize(total);
    }
    state.SetItemsProcessed(state.iterations() * Columns * Rows);
}
BENCHMARK(BM_ReadCellsColumnMajor)->Unit(benchmark::kMillisecond);

// A queue as it really is (a few dozen sources), read the way a timer tick does: a few fields of
// every row.
void BM_ReadSmallTableColumnMajor(benchmark::State& state)
{
    TskSkinStringGrid grid(nullptr);
    grid.SetColCount(Columns);
    for (int r = 0; r < 50; ++r)
        for (int c = 0; c < Columns; ++c)
            grid.SetCells(c, r, "value " + std::to_string(c));
    for (auto _ : state) {
        std::size_t total = 0;
        for (int c = 0; c < Columns; ++c)
            for (int r = 0; r < 50; ++r)
                total += grid.Cells(c, r).size();
        benchmark::DoNotOptimize(total);
    }
    state.SetItemsProcessed(state.iterations() * Columns * 50);
}
BENCHMARK(BM_ReadSmallTableColumnMajor);

// RowCount down to 1 and back: the stored rows must come back untouched, and cheaply.
void BM_ShrinkAndRegrow(benchmark::State& state)
{
    TskSkinStringGrid grid(nullptr);
    FillTable(grid);
    for (auto _ : state) {
        grid.SetRowCount(1);
        grid.SetRowCount(Rows);
        benchmark::DoNotOptimize(grid.Cells(Columns - 1, Rows - 1));
    }
}
BENCHMARK(BM_ShrinkAndRegrow)->Unit(benchmark::kMicrosecond);

} // namespace
