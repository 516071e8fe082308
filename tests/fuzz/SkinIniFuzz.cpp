// libFuzzer entry point for the skin loader, reached through its ini text: the fuzzer's bytes are the
// text of a skin ini, packed with pictures made here into a stored skin as the skin builder packs one, so
// that every mutation reaches the entry readers instead of stopping at zlib or a picture's header.
//   byte 0: which of the five frame pictures are there (one bit each);
//   byte 1: how many active pictures follow (0 to 7);
//   byte 2: the side of the pictures (4 to 128 pixels);
//   the rest: the ini text.
// A damaged skin may raise the library's exceptions and leaves the component empty; a crash, a hang, a
// leak, memory out of proportion to the text or a sanitizer report is a finding.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzSkin.h"
#include "platform/gfx/Bmp.h"
#include "platform/gfx/TSurface.h"
#include "platform/rtl/TStream.h"
#include "skin/data/ZlibStreams.h"

namespace {

void WriteInt32(TStream& Stream, std::int32_t Value)
{
    const std::uint32_t v = static_cast<std::uint32_t>(Value);
    const std::uint8_t b[4] = {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8),
                               static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 24)};
    Stream.WriteBuffer(b, 4);
}

// A BMP file of Side x Side in bands of colour, one band per picture index, so that pictures differ.
const std::vector<std::uint8_t>& Picture(int Side, int Index)
{
    static std::vector<std::uint8_t> cache[33][13];
    std::vector<std::uint8_t>& bmp = cache[Side / 4][Index];
    if (bmp.empty()) {
        TSurface s(Side, Side);
        for (int y = 0; y < Side; ++y)
            for (int x = 0; x < Side; ++x)
                s.SetPixel(x, y, 0xFF000000u | static_cast<TPixel>((x * 8 + Index * 40) & 0xFF) << 16 |
                                     static_cast<TPixel>((y * 8) & 0xFF) << 8 | static_cast<TPixel>(Index * 20));
        bmp = EncodeBmp(s, 24);
    }
    return bmp;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzzskin::RegisterClassesOnce();
    if (size < 3)
        return 0;
    const int framePictures = data[0];
    const int activePictures = data[1] % 8;
    const int side = (data[2] % 32 + 1) * 4;
    TMemoryStream image;
    WriteInt32(image, WrittenSkinVersion);
    for (int slot = 0; slot < 5; ++slot) {
        const bool present = (framePictures >> slot) & 1;
        const std::uint8_t flag = present ? 0 : 1;
        image.WriteBuffer(&flag, 1);
        if (present)
            image.WriteBuffer(Picture(side, slot).data(), static_cast<std::int64_t>(Picture(side, slot).size()));
    }
    WriteInt32(image, activePictures);
    for (int i = 0; i < activePictures; ++i)
        image.WriteBuffer(Picture(side, 5 + i).data(), static_cast<std::int64_t>(Picture(side, 5 + i).size()));
    image.WriteBuffer(data + 3, static_cast<std::int64_t>(size - 3));
    image.SetPosition(0);
    TskCompressedStoredSkin stored(nullptr);
    CompressStream(image, stored.StoredData());
    fuzzskin::LoadAndCheck(stored);
    return 0;
}
