// Figures of the graphics layer: fills, copies, stretches and blends of a full-HD picture, in megapixels
// per second (counter "Mpx/s"), and DrawText lines per second ("lines/s"). The blends also carry their
// time as a ratio to one memcpy of the same picture in the same process ("x_memcpy"); aim: 2,000 Mpx/s on
// one core (the blends take eight pixels a step where the processor has AVX2).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <vector>

#include "bench/support/BenchSupport.h"
#include "platform/gfx/Blits.h"
#include "platform/gfx/Drawing.h"
#include "platform/gfx/Text.h"

namespace {

constexpr int W = 1920;
constexpr int H = 1080;

struct TTarget {
    TSurface Surface;
    HDC Dc;
    TTarget(int w, int h) : Surface(w, h) { Dc = CreateSurfaceDC(&Surface, {0, 0}, nullptr); }
    ~TTarget() { DeleteDC(Dc); }
};

// The baseline of the blends: one full-HD picture copied once with memcpy.
struct TMemcpyBaseline {
    std::vector<TPixel> From = std::vector<TPixel>(std::size_t(W) * H, 0xFF123456u), To = From;
    void operator()()
    {
        std::memcpy(To.data(), From.data(), From.size() * sizeof(TPixel));
        benchmark::ClobberMemory();
    }
};

void SetMpx(benchmark::State& state, double pixelsPerIteration)
{
    state.counters["Mpx/s"] = benchmark::Counter(pixelsPerIteration / 1e6 * static_cast<double>(state.iterations()),
        benchmark::Counter::kIsRate);
}

void BM_FillRect(benchmark::State& state)
{
    TTarget dst(W, H);
    HBRUSH brush = CreateSolidBrush(RGB(10, 20, 30));
    for (auto _ : state) {
        FillRect(dst.Dc, Rect(0, 0, W, H), brush);
        benchmark::ClobberMemory();
    }
    DeleteObject(brush);
    SetMpx(state, double(W) * H);
}
BENCHMARK(BM_FillRect)->Unit(benchmark::kMillisecond);

// A plain copy between two surfaces made one after the other, after a large picture has come and gone:
// that is when the allocator hands out big blocks back to back from its heap, and the C library's copy
// used to crawl when the rows of the second sat 16 bytes past those of the first (modulo 4096).
// Arguments: width, height.
void BM_BitBlt(benchmark::State& state)
{
    const int w = static_cast<int>(state.range(0));
    const int h = static_cast<int>(state.range(1));
    { TSurface gone(W, H); benchmark::DoNotOptimize(gone.Bits()); }
    TTarget src(w, h), dst(w, h);
    src.Surface.Fill(0xFF123456u);
    for (auto _ : state) {
        BitBlt(dst.Dc, 0, 0, w, h, src.Dc, 0, 0, SRCCOPY);
        benchmark::ClobberMemory();
    }
    SetMpx(state, double(w) * h);
    state.counters["dst-src%4096"] = double((reinterpret_cast<std::uintptr_t>(dst.Surface.Bits()) -
        reinterpret_cast<std::uintptr_t>(src.Surface.Bits())) % 4096);
}
BENCHMARK(BM_BitBlt)->Args({64, 64})->Args({256, 256})->Args({800, 600})->Args({W, H})->Args({W + 4, H})
    ->Unit(benchmark::kMicrosecond);

// A full-HD copy placed |dx| pixels right of (or, negative, left of) where it was in the source: a placement
// of 4 pixels puts every destination row 16 bytes past its source row, whatever the allocation.
void BM_BitBltPlaced(benchmark::State& state)
{
    const int dx = static_cast<int>(state.range(0));
    TTarget src(W, H), dst(W, H);
    src.Surface.Fill(0xFF123456u);
    const int width = W - std::abs(dx);
    for (auto _ : state) {
        BitBlt(dst.Dc, std::max(dx, 0), 0, width, H, src.Dc, std::max(-dx, 0), 0, SRCCOPY);
        benchmark::ClobberMemory();
    }
    SetMpx(state, double(width) * H);
}
BENCHMARK(BM_BitBltPlaced)->Arg(0)->Arg(1)->Arg(4)->Arg(16)->Arg(64)->Arg(-4)->Unit(benchmark::kMillisecond);

void BM_StretchBlt(benchmark::State& state)
{
    TTarget src(640, 480), dst(W, H);
    src.Surface.Fill(0xFF654321u);
    for (auto _ : state) {
        StretchBlt(dst.Dc, 0, 0, W, H, src.Dc, 0, 0, 640, 480, SRCCOPY);
        benchmark::ClobberMemory();
    }
    SetMpx(state, double(W) * H);
}
BENCHMARK(BM_StretchBlt)->Unit(benchmark::kMillisecond);

void BM_AlphaBlend(benchmark::State& state)
{
    TTarget src(W, H), dst(W, H);
    // A mix of alpha values, as a faded picture has them.
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x)
            src.Surface.ScanLine(y)[x] = (static_cast<TPixel>((x + y) & 0xFF) << 24) | 0x00336699u;
    dst.Surface.Fill(0xFFFFFFFFu);
    BLENDFUNCTION bf;
    bf.AlphaFormat = AC_SRC_ALPHA;
    TMemcpyBaseline baseline;
    TBaselineRatio ratio("memcpy");
    for (auto _ : state)
        ratio.Iteration(state, [&] {
            AlphaBlend(dst.Dc, 0, 0, W, H, src.Dc, 0, 0, W, H, bf);
            benchmark::ClobberMemory();
        }, std::ref(baseline));
    SetMpx(state, double(W) * H);
    ratio.Finish(state);
}
BENCHMARK(BM_AlphaBlend)->Unit(benchmark::kMillisecond);

void BM_BlendPixelLine(benchmark::State& state)
{
    std::vector<TPixel> src(W * H), dst(W * H, 0xFFFFFFFFu);
    for (std::size_t i = 0; i < src.size(); ++i)
        src[i] = (static_cast<TPixel>(i & 0xFF) << 24) | 0x00336699u;
    TMemcpyBaseline baseline;
    TBaselineRatio ratio("memcpy");
    for (auto _ : state)
        ratio.Iteration(state, [&] {
            BlendPixelLine(src.data(), dst.data(), W * H);
            benchmark::ClobberMemory();
        }, std::ref(baseline));
    SetMpx(state, double(W) * H);
    ratio.Finish(state);
}
BENCHMARK(BM_BlendPixelLine)->Unit(benchmark::kMillisecond);

void BM_DrawText(benchmark::State& state)
{
    TTarget dst(400, 30);
    dst.Surface.Fill(0xFFFFFFFFu);
    TLogFont lf;
    lf.Height = -14;
    lf.FaceName = "Arial";
    HFONT font = CreateFontIndirect(lf);
    SelectObject(dst.Dc, font);
    SetBkMode(dst.Dc, TRANSPARENT);
    const std::string line = "Converting title 3 of 12: holiday_1.avi ";   // 40 characters
    TRect r = Rect(0, 0, 400, 30);
    for (auto _ : state) {
        DrawText(dst.Dc, line, r, DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        benchmark::ClobberMemory();
    }
    SelectObject(dst.Dc, static_cast<HFONT>(GetStockObject(SYSTEM_FONT)));
    DeleteObject(font);
    state.counters["lines/s"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_DrawText);

}  // namespace
