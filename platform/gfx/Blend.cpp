#include "platform/gfx/Blend.h"

#if defined(__x86_64__)
#include <immintrin.h>
#define OMBRIX_BLEND_X86 1
#endif

namespace {

inline unsigned Weight(unsigned constant, bool perPixel, TPixel s)
{
    if (!perPixel)
        return constant;
    return ((s >> 24) * constant + 127) / 255;
}

void BlendPlain(const TPixel* src, TPixel* dst, int count, unsigned constant, bool perPixel)
{
    for (int i = 0; i < count; ++i)
        dst[i] = BlendPixel(src[i], dst[i], Weight(constant, perPixel, src[i]));
}

#ifdef OMBRIX_BLEND_X86
// Four pixels at once, each by the formula of BlendPixel with its weight in its own 32-bit lane of w.
// Every product and sum stays below 2^16, so 16-bit lanes hold them exactly.
inline __m128i Blend4(__m128i f, __m128i b, __m128i w)
{
    const __m128i zero = _mm_setzero_si128();
    const __m128i opaque = _mm_set1_epi32(static_cast<int>(0xFF000000u));
    const __m128i w16 = _mm_or_si128(w, _mm_slli_epi32(w, 16));
    const __m128i n16 = _mm_sub_epi16(_mm_set1_epi16(255), w16);
    const auto half = [&](__m128i fc, __m128i bc, __m128i wc, __m128i nc) {
        return _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(fc, wc), _mm_mullo_epi16(bc, nc)), 8);
    };
    const __m128i lo = half(_mm_unpacklo_epi8(f, zero), _mm_unpacklo_epi8(b, zero), _mm_unpacklo_epi32(w16, w16),
        _mm_unpacklo_epi32(n16, n16));
    const __m128i hi = half(_mm_unpackhi_epi8(f, zero), _mm_unpackhi_epi8(b, zero), _mm_unpackhi_epi32(w16, w16),
        _mm_unpackhi_epi32(n16, n16));
    const __m128i mixed = _mm_or_si128(_mm_packus_epi16(lo, hi), opaque);
    // Weight 255 takes the source (made opaque), weight 0 keeps the destination as it is.
    const __m128i full = _mm_cmpeq_epi32(w, _mm_set1_epi32(255));
    const __m128i none = _mm_cmpeq_epi32(w, zero);
    const __m128i other = _mm_andnot_si128(_mm_or_si128(full, none), mixed);
    return _mm_or_si128(_mm_or_si128(_mm_and_si128(full, _mm_or_si128(f, opaque)), _mm_and_si128(none, b)), other);
}

// The weights of four source pixels: the constant, or (alpha * constant + 127) / 255 with the division
// done exactly as (x + 1 + (x >> 8)) >> 8, which equals x / 255 for every x up to 255 * 255 + 127.
inline __m128i Weights4(__m128i f, __m128i constant, bool perPixel)
{
    if (!perPixel)
        return constant;
    const __m128i x = _mm_add_epi32(_mm_mullo_epi16(_mm_srli_epi32(f, 24), constant), _mm_set1_epi32(127));
    return _mm_srli_epi32(_mm_add_epi32(_mm_add_epi32(x, _mm_set1_epi32(1)), _mm_srli_epi32(x, 8)), 8);
}

void BlendSse2(const TPixel* src, TPixel* dst, int count, unsigned constant, bool perPixel)
{
    int i = 0;
    const __m128i c = _mm_set1_epi32(static_cast<int>(constant));
    for (; i + 4 <= count; i += 4) {
        const __m128i f = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + i));
        const __m128i w = Weights4(f, c, perPixel);
        const int zeroes = _mm_movemask_epi8(_mm_cmpeq_epi32(w, _mm_setzero_si128()));
        if (zeroes == 0xFFFF)
            continue;   // nothing of the source shows: the destination stays untouched
        __m128i* d = reinterpret_cast<__m128i*>(dst + i);
        _mm_storeu_si128(d, Blend4(f, _mm_loadu_si128(d), w));
    }
    BlendPlain(src + i, dst + i, count - i, constant, perPixel);
}

// How the weight of a pixel is found: the constant alone, the source's alpha alone (a constant of 255
// times alpha / 255 is the alpha itself), or both.
enum class TWeighting { Constant, Alpha, Scaled };

// 255 * b + (f - b) * w in each 16-bit lane.
[[gnu::target("avx2")]] inline __m256i Mix16(__m256i f, __m256i b, __m256i w)
{
    return _mm256_add_epi16(_mm256_sub_epi16(_mm256_slli_epi16(b, 8), b), _mm256_mullo_epi16(_mm256_sub_epi16(f, b), w));
}

// Eight pixels at once. Red and blue sit in the low bytes of the 16-bit lanes of one register, green and
// alpha in the high bytes of another, so each pair takes one multiplication and no unpacking. The sum
// 255 * b + (f - b) * a is the formula's numerator rearranged; computed modulo 2^16 (the lanes' own
// arithmetic) it is still exact, since its true value lies in 0 .. 255 * 255.
template <TWeighting Weighting>
[[gnu::target("avx2")]] void BlendAvx2(const TPixel* src, TPixel* dst, int count, unsigned constant)
{
    const __m256i zero = _mm256_setzero_si256();
    const __m256i lowBytes = _mm256_set1_epi16(0x00FF);
    const __m256i green = _mm256_set1_epi32(0x0000FF00);
    const __m256i opaque = _mm256_set1_epi32(static_cast<int>(0xFF000000u));
    const __m256i full = _mm256_set1_epi32(255);
    const __m256i c = _mm256_set1_epi32(static_cast<int>(constant));
    int i = 0;
    for (; i + 8 <= count; i += 8) {
        const __m256i f = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(src + i));
        __m256i w = c;
        if constexpr (Weighting == TWeighting::Alpha) {
            w = _mm256_srli_epi32(f, 24);
        } else if constexpr (Weighting == TWeighting::Scaled) {
            // (alpha * constant + 127) / 255, the division done exactly as (x + 1 + (x >> 8)) >> 8.
            const __m256i x = _mm256_add_epi32(_mm256_mullo_epi16(_mm256_srli_epi32(f, 24), c), _mm256_set1_epi32(127));
            w = _mm256_srli_epi32(_mm256_add_epi32(_mm256_add_epi32(x, _mm256_set1_epi32(1)), _mm256_srli_epi32(x, 8)), 8);
        }
        if (_mm256_testz_si256(w, w))
            continue;   // nothing of the source shows: the destination stays untouched
        __m256i* d = reinterpret_cast<__m256i*>(dst + i);
        const __m256i b = _mm256_loadu_si256(d);
        const __m256i w16 = _mm256_or_si256(w, _mm256_slli_epi32(w, 16));
        const __m256i redBlue = _mm256_srli_epi16(
            Mix16(_mm256_and_si256(f, lowBytes), _mm256_and_si256(b, lowBytes), w16), 8);
        const __m256i greenAlpha = Mix16(_mm256_srli_epi16(f, 8), _mm256_srli_epi16(b, 8), w16);
        const __m256i mixed = _mm256_or_si256(_mm256_or_si256(redBlue, _mm256_and_si256(greenAlpha, green)), opaque);
        // Weight 255 takes the source (made opaque), weight 0 keeps the destination as it is.
        __m256i out = _mm256_blendv_epi8(mixed, _mm256_or_si256(f, opaque), _mm256_cmpeq_epi32(w, full));
        out = _mm256_blendv_epi8(out, b, _mm256_cmpeq_epi32(w, zero));
        _mm256_storeu_si256(d, out);
    }
    BlendPlain(src + i, dst + i, count - i, constant, Weighting != TWeighting::Constant);
}

void BlendAvx2Run(const TPixel* src, TPixel* dst, int count, unsigned constant, bool perPixel)
{
    if (!perPixel)
        BlendAvx2<TWeighting::Constant>(src, dst, count, constant);
    else if (constant == 255)
        BlendAvx2<TWeighting::Alpha>(src, dst, count, constant);
    else
        BlendAvx2<TWeighting::Scaled>(src, dst, count, constant);
}
#endif

using TBlendLoop = void (*)(const TPixel*, TPixel*, int, unsigned, bool);

TBlendLoop Loop(TBlendPath path)
{
    switch (path) {
#ifdef OMBRIX_BLEND_X86
    case TBlendPath::Sse2: return BlendSse2;
    case TBlendPath::Avx2: return BlendAvx2Run;
#endif
    default: return BlendPlain;
    }
}

}  // namespace

TPixel BlendPixel(TPixel f, TPixel b, unsigned a)
{
    if (a >= 255)
        return f | 0xFF000000u;
    if (a == 0)
        return b;
    // Red and blue share one multiplication (their products stay below 2^16, so the lanes do not touch).
    const unsigned na = 255 - a;
    const TPixel rb = (((f & 0x00FF00FFu) * a + (b & 0x00FF00FFu) * na) >> 8) & 0x00FF00FFu;
    const TPixel g = (((f & 0x0000FF00u) * a + (b & 0x0000FF00u) * na) >> 8) & 0x0000FF00u;
    return 0xFF000000u | rb | g;
}

const std::vector<TBlendPath>& BlendPaths()
{
    static const std::vector<TBlendPath> paths = [] {
        std::vector<TBlendPath> p{TBlendPath::Plain};
#ifdef OMBRIX_BLEND_X86
        // SSE2 is part of every 64-bit x86 processor; AVX2 is asked of this one.
        p.push_back(TBlendPath::Sse2);
        if (__builtin_cpu_supports("avx2"))
            p.push_back(TBlendPath::Avx2);
#endif
        return p;
    }();
    return paths;
}

void BlendRun(TBlendPath path, const TPixel* src, TPixel* dst, int count, unsigned constant, bool perPixel)
{
    Loop(path)(src, dst, count, constant, perPixel);
}

void BlendRun(const TPixel* src, TPixel* dst, int count, unsigned constant, bool perPixel)
{
    static const TBlendLoop fastest = Loop(BlendPaths().back());
    fastest(src, dst, count, constant, perPixel);
}

void BlendPixelLine(const TPixel* src, TPixel* dst, int count) { BlendRun(src, dst, count, 255, true); }
