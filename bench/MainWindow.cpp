// Figures of the real main window on the headless screen: the program's stored form and stored skins,
// 10, 50 and 100 queue rows made by the program's own row code (thumbnail, name edit, audio and subtitle
// boxes, estimate, gauge), repainted whole, and one row's progress update repainted, each time up to the
// picture copied to the screen: the windows are real ones on an Xvfb display of the program's own (the
// label says so; without Xvfb they stay in memory and the figures lack that copy). Sizes: the window's
// own, 1280 x 800, and tall enough to show every row (the label names the case). Microseconds per repaint,
// and for the whole repaint also a ratio to one copy of the window's picture with memcpy in the same
// process ("x_memcpy"); aims: the whole repaint with 50 rows under 3 ms, one row's update under 0.3 ms.
// A long queue: 50, 300 and 1,000 rows scrolled by one row (the scroll bar's small step, as its arrow
// does), and the rows cleared or the whole window freed, each as a ratio to one copy of the window's
// picture with memcpy in the same process ("x_memcpy"). Aims: one row's scroll under 3 ms at 300 rows,
// at most 1.5 x the 50-row figure, and under 5 ms at 1,000; 300 rows freed under 50 ms.
// Memory per row for 50, 300 and 1,000 rows, shown and after resizes; aim: at most 60 KB.
// Run by hand: build/bench/bench_MainWindow.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <malloc.h>
#include <functional>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/AppClasses.h"
#include "app/Unit1.h"
#include "app/om_queue.h"
#include "app/om_tables.h"
#include "bench/support/BenchDisplay.h"
#include "bench/support/BenchSupport.h"
#include "platform/gfx/Bmp.h"
#include "platform/win/Paint.h"
#include "skin/controls/TskSkinScrollBar.h"
#include "skin/grids/TskSkinStringGrid.h"
#include "tests/support/TTestSystemServices.h"

namespace {

namespace fs = std::filesystem;

enum TWindowSize { OwnSize, Size1280x800, AllRowsVisible };

// One display for the whole program, made before the first window; tall enough for 100 rows.
const TBenchDisplay& Screen()
{
    static const TBenchDisplay screen(1600, 5200);
    return screen;
}

// A 320 x 240 picture such as the thumbnail tools leave, made once.
const std::string& ThumbnailFile()
{
    static const std::string path = [] {
        const std::string p = BenchFolder() + "/thumb.jpg";
        std::system(("ffmpeg -loglevel error -y -f lavfi -i testsrc=size=320x240 -frames:v 1 " + p).c_str());
        return p;
    }();
    return path;
}

struct TMainWindow {
    TTestSystemServices System;
    std::unique_ptr<TForm1> Form;

    TMainWindow(int Rows, TWindowSize Size)
    {
        Screen();
        const std::string home = BenchFolder() + "/home";
        fs::create_directories(home);
        setenv("HOME", home.c_str(), 1);
        unsetenv("XDG_DATA_HOME");
        unsetenv("XDG_CONFIG_HOME");
        RegisterAppClasses();
        Form = std::make_unique<TForm1>(nullptr, System);
        System.OnListVolumes = [] { return std::vector<TOpticalVolume>{}; };
        Form->DoCreate();
        TskSkinStringGrid& g = *Form->StringGrid1;
        for (int i = 0; i < Rows; ++i) {
            const int r = AppendRow(g);
            const std::string name = "Holiday clip " + std::to_string(i + 1);
            g.SetCells(SourceRecord::RowId, r, std::to_string(r));
            g.SetCells(SourceRecord::Title, r, name);
            g.SetCells(SourceRecord::OutputName, r, name);
            g.SetCells(SourceRecord::Length, r, "754.00");
            g.SetCells(SourceRecord::LengthText, r, "0:12:34");
            g.SetCells(SourceRecord::AudioStreams, r, "128_LANG=en\n129_LANG=fr");
            g.SetCells(SourceRecord::SubtitleStreams, r, "0_LANG=en\n1_LANG=de");
            g.SetCells(SourceRecord::Selected, r, "YES");
            fs::copy_file(ThumbnailFile(), Form->WorkFolder + "temp/" + name + ".jpg",
                          fs::copy_options::overwrite_existing);
            Form->AddItem(r);
        }
        // As at the end of a scan round: the estimates are filled in and the queue comes in front of the
        // drop hint.
        if (Form->OnScanFinished)
            Form->OnScanFinished();
        if (Size == Size1280x800)
            Form->SetBounds(0, 0, 1280, 800);
        Form->Show();
        BenchProcessMessages();
        if (Size == AllRowsVisible && Rows > 0) {
            // Taller by what the last row lies below the bottom of the queue box.
            TControl* last = Form->Queue->Find({"pnl0_"}, Rows - 1);
            TWinControl* box = last->Parent();
            const int hidden = last->Top() + last->Height() - box->ClientHeight();
            if (hidden > 0)
                Form->SetBounds(Form->Left(), Form->Top(), Form->Width(), Form->Height() + hidden);
            BenchProcessMessages();
        }
    }
    ~TMainWindow()
    {
        Form.reset();
    }
    int VisibleRows() const
    {
        int visible = 0;
        for (int r = 0; r < Form->StringGrid1->RowCount(); ++r)
            if (TControl* row = Form->Queue->Find({"pnl0_"}, r)) {
                const int top = row->Top();
                if (top + row->Height() > 0 && top < row->Parent()->ClientHeight())
                    ++visible;
            }
        return visible;
    }
};

void Describe(benchmark::State& State, const TMainWindow& W)
{
    State.counters["visible_rows"] = W.VisibleRows();
    State.counters["width"] = W.Form->Width();
    State.counters["height"] = W.Form->Height();
    static const char* const sizes[] = {"own size ", "", "all rows visible "};
    State.SetLabel(std::string(sizes[State.range(1)]) + std::to_string(W.Form->Width()) + "x" +
                   std::to_string(W.Form->Height()) + ", " + Screen().Kind());
}

// The baseline: the window's picture copied once with memcpy.
struct TPictureCopy {
    std::vector<TPixel> From, To;
    explicit TPictureCopy(const TMainWindow& W)
    {
        const TSurface* s = GetWindowSurface(W.Form->Handle());
        const std::size_t n = s ? static_cast<std::size_t>(s->Width()) * static_cast<std::size_t>(s->Height()) : 1;
        From.assign(n, 0xFF102030u);
        To.assign(n, 0);
    }
    void operator()()
    {
        std::memcpy(To.data(), From.data(), From.size() * sizeof(TPixel));
        benchmark::ClobberMemory();
    }
};

// One whole repaint and one progress step, each a function of its own, so that a profiler can count
// what one of them costs apart from making the window:
//   valgrind --tool=callgrind --toggle-collect='*RepaintWhole*' build/bench/bench_MainWindow ...
// gives the instructions of all repaints; divided by the calls callgrind counts, those of one.
[[gnu::noinline]] void RepaintWhole(TMainWindow& W)
{
    // Everything: the frame, the client area and every child window, as after the window is uncovered.
    RedrawWindow(W.Form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    BenchProcessMessages();
}

[[gnu::noinline]] void StepProgress(TMainWindow& W, int Seconds)
{
    W.Form->Queue->setProgress(0, Seconds);
    BenchProcessMessages();
}

// Arguments: the number of rows, and the window size (0 its own, 1 1280 x 800, 2 all rows visible). Besides
// the time, "ms" and "x_memcpy" give each repaint as milliseconds and as a ratio to one copy of the window's
// picture with memcpy in the same process; the label names the size and whether the copy to a screen is in.
void BM_MainWindowRepaint(benchmark::State& State)
{
    TMainWindow w(static_cast<int>(State.range(0)), static_cast<TWindowSize>(State.range(1)));
    TPictureCopy baseline(w);
    TBaselineRatio ratio("memcpy");
    for (auto _ : State)
        ratio.Iteration(State, [&] { RepaintWhole(w); }, std::ref(baseline));
    Describe(State, w);
    ratio.Finish(State);
    // OMBRIX_BENCH_PICTURES=folder keeps the last picture of each case, so that two builds can be
    // compared pixel for pixel.
    const char* folder = std::getenv("OMBRIX_BENCH_PICTURES");
    if (const TSurface* s = GetWindowSurface(w.Form->Handle()); folder && s)
        SaveBmpToFile(std::string(folder) + "/repaint_" + std::to_string(State.range(0)) + "_" +
                      std::to_string(State.range(1)) + ".bmp", *s, 32);
}

// The gauge of the first row steps on by a tenth of the clip, so that every step shows. The counter
// "changed" is the share of steps after which the window's picture differed, as a check that the update
// reached the screen.
void BM_MainWindowRowProgress(benchmark::State& State)
{
    TMainWindow w(static_cast<int>(State.range(0)), static_cast<TWindowSize>(State.range(1)));
    int step = 0;
    double changed = 0;
    // Made once: a picture freed inside the timed part would put its release into the figure.
    TSurface before;
    for (auto _ : State) {
        State.PauseTiming();
        before = *GetWindowSurface(w.Form->Handle());
        State.ResumeTiming();
        step = (step + 1) % 11;
        StepProgress(w, step * 754 / 10);
        State.PauseTiming();
        const TSurface* after = GetWindowSurface(w.Form->Handle());
        changed += after && !std::equal(before.Bits(), before.Bits() + before.Width() * before.Height(), after->Bits());
        State.ResumeTiming();
    }
    Describe(State, w);
    State.counters["changed"] = changed / static_cast<double>(State.iterations());
}

[[gnu::noinline]] void ScrollOneRow(TskSkinScrollBar& Bar, int Direction)
{
    Bar.SetPosition(Bar.Position() + Direction * Bar.SmallChange());
    BenchProcessMessages();
}

// Arguments: the number of rows, and the window size (0 its own, 1 1280 x 800). The queue goes down by
// one row per iteration, and back up when it meets the end.
void BM_MainWindowScrollRow(benchmark::State& State)
{
    TMainWindow w(static_cast<int>(State.range(0)), static_cast<TWindowSize>(State.range(1)));
    auto* bar = dynamic_cast<TskSkinScrollBar*>(w.Form->FindComponent("skSkinScrollBar1"));
    if (!bar || !bar->Visible()) {
        State.SkipWithError("the queue does not scroll");
        return;
    }
    TPictureCopy baseline(w);
    TBaselineRatio ratio("memcpy");
    int direction = 1;
    for (auto _ : State) {
        if (bar->Position() + direction * bar->SmallChange() > bar->Max() - bar->PageSize() + 1 ||
            bar->Position() + direction * bar->SmallChange() < bar->Min())
            direction = -direction;
        ratio.Iteration(State, [&] { ScrollOneRow(*bar, direction); }, std::ref(baseline));
    }
    Describe(State, w);
    ratio.Finish(State);
}

// Arguments: the number of rows, and what goes: 0 every row of the queue (as Clear does, row by row), 1
// the whole main window. Each iteration makes a new window first, untimed.
void BM_MainWindowFreeRows(benchmark::State& State)
{
    const int rows = static_cast<int>(State.range(0));
    TBaselineRatio ratio("memcpy");
    for (auto _ : State) {
        State.PauseTiming();
        auto w = std::make_unique<TMainWindow>(rows, OwnSize);
        TPictureCopy baseline(*w);
        State.ResumeTiming();
        ratio.Iteration(State, [&] {
            if (State.range(1) == 0) {
                for (int r = rows - 1; r >= 0; --r)
                    w->Form->Queue->RemoveItem(r);
                BenchProcessMessages();
            } else {
                w.reset();
            }
        }, std::ref(baseline));
        State.PauseTiming();
        w.reset();
        State.ResumeTiming();
    }
    ratio.Finish(State);
}

// The heap in use, in bytes: small blocks and those the allocator maps on their own.
double HeapInUse()
{
    const struct mallinfo2 m = mallinfo2();
    return static_cast<double>(m.uordblks + m.hblkhd);
}

// Memory per row: the heap the window with its rows holds beyond what it held before, divided by the rows,
// once shown at its own size ("KB_per_row"), then after it has been made 1280 x 800 and scrolled from the
// first row to the last and back ("KB_per_row_resized"); aim: at most 60 KB, the same after resizes. The
// baseline is the picture of one 320 x 240 thumbnail ("x_thumbnail", the row's figure divided by its
// 300 KB). Argument: the number of rows.
void BM_MainWindowRowMemory(benchmark::State& State)
{
    const int rows = static_cast<int>(State.range(0));
    const double thumbnail = 320.0 * 240 * sizeof(TPixel);
    double shown = 0, resized = 0;
    for (auto _ : State) {
        malloc_trim(0);
        const double before = HeapInUse();
        TMainWindow w(rows, OwnSize);
        shown = (HeapInUse() - before) / rows;
        w.Form->SetBounds(0, 0, 1280, 800);
        BenchProcessMessages();
        if (auto* bar = dynamic_cast<TskSkinScrollBar*>(w.Form->FindComponent("skSkinScrollBar1"))) {
            for (int p : {bar->Max(), bar->Min()}) {
                bar->SetPosition(p);
                BenchProcessMessages();
            }
        }
        w.Form->SetBounds(0, 0, 900, 600);
        BenchProcessMessages();
        resized = (HeapInUse() - before) / rows;
    }
    State.counters["KB_per_row"] = shown / 1024;
    State.counters["KB_per_row_resized"] = resized / 1024;
    State.counters["x_thumbnail"] = shown / thumbnail;
    State.counters["load"] = LoadAverage();
}

} // namespace

BENCHMARK(BM_MainWindowRowMemory)->ArgName("rows")->Arg(50)->Arg(300)->Arg(1000)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MainWindowScrollRow)
    ->ArgNames({"rows", "size"})
    ->ArgsProduct({{50, 300, 1000}, {OwnSize, Size1280x800}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MainWindowFreeRows)
    ->ArgNames({"rows", "what"})
    ->ArgsProduct({{50, 300, 1000}, {0, 1}})
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MainWindowRepaint)
    ->ArgNames({"rows", "size"})
    ->ArgsProduct({{10, 50, 100}, {OwnSize, Size1280x800, AllRowsVisible}})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MainWindowRowProgress)
    ->ArgNames({"rows", "size"})
    ->ArgsProduct({{10, 50, 100}, {OwnSize, Size1280x800, AllRowsVisible}})
    ->Unit(benchmark::kMicrosecond);
