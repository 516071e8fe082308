#include "platform/gfx/Blend.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Every source channel against every destination channel under every weight, as a constant and as the
// source's alpha under each constant, through each path this processor runs: the pixels are those of
// BlendPixel to the bit. The runs are 8 * k + 3 long, so every path also ends on pixels of its own tail.
TEST(BlendTest, EveryPathGivesBlendPixelsResult)
{
    constexpr int run = 256 * 8 + 3;
    std::vector<TPixel> src(run), dst(run), want(run);
    for (TBlendPath path : BlendPaths())
        for (unsigned f = 0; f < 256; ++f)
            for (unsigned constant : {0u, 1u, 127u, 128u, 200u, 254u, 255u})
                for (bool perPixel : {true, false}) {
                    for (int i = 0; i < run; ++i) {
                        // Channels differ so that a lane mixed up with its neighbour shows; the source's alpha
                        // takes every value, the destination's alpha must survive a weight of 0.
                        const unsigned b = static_cast<unsigned>(i) & 0xFF, a = (static_cast<unsigned>(i) >> 3) & 0xFF;
                        src[i] = (a << 24) | (f << 16) | ((255 - f) << 8) | ((f * 7) & 0xFF);
                        dst[i] = (((i * 13u) & 0xFF) << 24) | (((b * 3) & 0xFF) << 16) | (b << 8) | (255 - b);
                        const unsigned w = perPixel ? (a * constant + 127) / 255 : constant;
                        want[i] = BlendPixel(src[i], dst[i], w);
                    }
                    BlendRun(path, src.data(), dst.data(), run, constant, perPixel);
                    for (int i = 0; i < run; ++i)
                        ASSERT_EQ(dst[i], want[i]) << "path " << static_cast<int>(path) << " pixel " << i << " f " << f
                                                   << " constant " << constant << " per pixel " << perPixel;
                }
}

}  // namespace
