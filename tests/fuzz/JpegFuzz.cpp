// Feeds arbitrary bytes to the JPEG reader: it must either decode a picture or raise EInvalidGraphic, never
// read or write outside a buffer. Run with a bounded time, for example: JpegFuzz -max_total_time=60
#include <cstddef>
#include <cstdint>

#include "platform/gfx/Jpeg.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TSurface picture;
    try {
        DecodeJpeg(data, size, picture);
        if (picture.Empty())
            __builtin_trap();
    } catch (const EInvalidGraphic&) {
    }
    return 0;
}
