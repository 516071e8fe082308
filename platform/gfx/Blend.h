#pragma once
// The one blend formula of the graphics layer, and the loops that apply it to runs of pixels.
//
// Blend of a pixel F over B with weight a (0..255):
//   a = 0 gives B, a = 255 gives F, otherwise each of red, green and blue is (f * a + b * (255 - a)) >> 8
//   and the result is opaque (alpha 255).
#include <vector>

#include "platform/gfx/Colors.h"

TPixel BlendPixel(TPixel f, TPixel b, unsigned a);
// Blends count pixels with each source pixel's own alpha as the weight.
void BlendPixelLine(const TPixel* src, TPixel* dst, int count);

// The ways a run of pixels can be blended: one pixel at a time, four with SSE2, eight with AVX2. Every one
// gives the same pixels to the bit; the fastest one the processor has is taken.
enum class TBlendPath { Plain, Sse2, Avx2 };
// The paths this build and this processor can run, slowest first.
const std::vector<TBlendPath>& BlendPaths();

// Blends count source pixels over dst[i], each with weight `constant`, times the source pixel's alpha / 255
// (rounded) when perPixel; the first overload takes the fastest path, the second the one asked for (which
// must be one of BlendPaths()).
void BlendRun(const TPixel* src, TPixel* dst, int count, unsigned constant, bool perPixel);
void BlendRun(TBlendPath path, const TPixel* src, TPixel* dst, int count, unsigned constant, bool perPixel);
