// Feeds arbitrary bytes to the BMP reader: it must either decode a picture or raise EInvalidGraphic, never
// read or write outside a buffer. Run with a bounded time, for example: BmpFuzz -max_total_time=60
#include <cstddef>
#include <cstdint>

#include "platform/gfx/Bmp.h"
#include "platform/rtl/TStream.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TSurface picture;
    try {
        const std::size_t used = DecodeBmp(data, size, picture);
        if (used > size || picture.Empty())
            __builtin_trap();
        // A decoded picture must survive being written and read back.
        const std::vector<std::uint8_t> again = EncodeBmp(picture, 32);
        TSurface back;
        DecodeBmp(again.data(), again.size(), back);
    } catch (const EInvalidGraphic&) {
    }
    // The stream reader must stop at the same place or raise.
    try {
        TMemoryStream stream;
        stream.WriteBuffer(data, static_cast<std::int64_t>(size));
        stream.SetPosition(0);
        LoadBmpFromStream(stream, picture);
        if (stream.Position() > static_cast<std::int64_t>(size))
            __builtin_trap();
    } catch (const EInvalidGraphic&) {
    }
    return 0;
}
