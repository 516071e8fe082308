// Figures of the skin imaging routines at 640 x 480: composing a panel picture from a nine-part skin
// rectangle with tiled edges and a tiled client area, blending a 32-bit picture with per-pixel alpha onto
// another, and one step of each main transition. Milliseconds per call; aim: under 1 ms for composition
// and blending, so a whole window repaints at 60 frames per second.
#include <benchmark/benchmark.h>

#include "platform/vcl/TBitmap.h"
#include "skin/data/SkinImages.h"
#include "skin/data/TskBitmap.h"
#include "skin/data/TskEffectBmp.h"

namespace {

constexpr int W = 640;
constexpr int H = 480;

// A 60 x 40 skin rectangle: 8-pixel borders, corner pieces 12 pixels along each edge.
void MakeSkin(TBitmap& sb)
{
    sb.SetSize(60, 40);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 60; ++x)
            sb.Handle()->SetPixel(x, y, 0xFF000000u | static_cast<TPixel>(x * 4) << 16 | static_cast<TPixel>(y * 6) << 8);
}

void BM_ComposeNinePartTiled(benchmark::State& state)
{
    TBitmap sb, b;
    MakeSkin(sb);
    const TRect cl{8, 8, 52, 32};
    const int dr = W - 60, db = H - 40;
    for (auto _ : state) {
        CreateSkinImage({12, 12}, {48, 12}, {12, 28}, {48, 28}, cl, {12, 12}, {48 + dr, 12}, {12, 28 + db},
            {48 + dr, 28 + db}, {8, 8, 52 + dr, 32 + db}, &b, &sb, {0, 0, 60, 40}, W, H, true, false, false, false,
            false, false, 0);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_ComposeNinePartTiled)->Unit(benchmark::kMillisecond);

void BM_ComposeNinePartStretched(benchmark::State& state)
{
    TBitmap sb, b;
    MakeSkin(sb);
    b.SetSize(W, H);
    for (auto _ : state) {
        CreateStretchSkinImage(&b, &sb, {0, 0, 60, 40}, {8, 8, 52, 32}, true);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_ComposeNinePartStretched)->Unit(benchmark::kMillisecond);

void BM_Blend32(benchmark::State& state)
{
    TskBitmap src, dst;
    src.AllocateDib(W, H);
    dst.AllocateDib(W, H);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x)
            src.SetPixel(x, y, static_cast<TPixel>((x + y) & 0xFF) << 24 | 0x00336699u);
    src.SetAlphaBlend(true);
    for (auto _ : state) {
        src.DrawTo(dst.DC(), 0, 0);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_Blend32)->Unit(benchmark::kMillisecond);

TSurface Picture(TPixel p)
{
    TSurface s(W, H);
    s.Fill(p);
    return s;
}

void BM_MorphStep(benchmark::State& state)
{
    TSurface a = Picture(0xFF102030u), b = Picture(0xFFC0B0A0u);
    TskEffectBmp self(&a), other(&b);
    double k = 0;
    for (auto _ : state) {
        self.Morph(other, k);
        k = k > 0.9 ? 0 : k + 0.1;
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_MorphStep)->Unit(benchmark::kMillisecond);

void BM_MorphGradStep(benchmark::State& state)
{
    TSurface a = Picture(0xFF102030u), b = Picture(0xFFC0B0A0u);
    TskEffectBmp self(&a), other(&b);
    for (auto _ : state) {
        self.MorphGrad(other, 0.4);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_MorphGradStep)->Unit(benchmark::kMillisecond);

}  // namespace
