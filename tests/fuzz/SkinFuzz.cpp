// libFuzzer entry point for the packed-skin loader. The first byte chooses what the rest is:
//   0: the stored "CompressedData" bytes (zlib layer) as a form description would hold them;
//   1: a packed skin image, compressed here first, so that the fuzzer reaches the bitmap and ini
//      parsing instead of stopping at zlib's checksums;
//   2: a compressed skin file (header, length, zlib data).
// A damaged skin may raise the library's exceptions; anything else (a crash, a hang, a leak, a
// sanitizer report) is a finding.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzSkin.h"
#include "platform/rtl/TStream.h"
#include "skin/data/ZlibStreams.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzzskin::RegisterClassesOnce();
    if (size < 1)
        return 0;
    const std::string body(reinterpret_cast<const char*>(data) + 1, size - 1);
    TskCompressedStoredSkin stored(nullptr);
    try {
        switch (data[0] % 3) {
        case 0: {
            stored.StoredData().WriteBuffer(body.data(), static_cast<std::int64_t>(body.size()));
            break;
        }
        case 1: {
            TStringStream plain(body);
            CompressStream(plain, stored.StoredData());
            break;
        }
        default: {
            TStringStream file(body);
            stored.ReadSkinFileStream(file);
            break;
        }
        }
        fuzzskin::LoadAndCheck(stored);
        (void)UnpackStoredSkin(stored);
    } catch (const Exception&) {
    }
    return 0;
}
