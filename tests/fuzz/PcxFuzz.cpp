// Feeds arbitrary bytes to the PCX reader: it must load a picture or raise EPcxError, never read or write
// outside a buffer, and a loaded picture must survive being saved and read back.
#include <cstddef>
#include <cstdint>

#include "platform/rtl/TStream.h"
#include "process/TOxPcx.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TOxPcx picture;
    try {
        TMemoryStream stream;
        stream.WriteBuffer(data, static_cast<std::int64_t>(size));
        stream.SetPosition(0);
        picture.LoadFromStream(stream);
    } catch (const EPcxError&) {
        return 0;
    }
    if (static_cast<long long>(picture.Width()) * picture.Height() > 4 * 1024 * 1024)
        return 0; // a round trip of a large picture says nothing more and takes long
    TMemoryStream again;
    picture.SaveToStream(again);
    again.SetPosition(0);
    TOxPcx back;
    back.LoadFromStream(again);
    if (back.Width() != picture.Width() || back.Height() != picture.Height())
        __builtin_trap();
    return 0;
}
