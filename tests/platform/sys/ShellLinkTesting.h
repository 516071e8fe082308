#pragma once
// Shortcut files for tests, put together byte by byte.
#include <cstdint>
#include <string>

namespace shelllinktest {

// A shortcut file put together byte by byte, as a shell writes one: the header, an optional list of
// item identifiers, and the link information with the local base path and the common path suffix.
struct LinkFile {
    std::string Base = "C:\\Films\\";
    std::string Suffix = "Holiday.avi";
    bool WithIdList = true;
    bool WithUnicode = false;
    std::u16string UnicodeBase;
    std::uint32_t Flags = 0x01 | 0x02; // item identifiers, link information

    static void U16(std::string& Out, std::uint32_t V)
    {
        Out += static_cast<char>(V & 0xFF);
        Out += static_cast<char>((V >> 8) & 0xFF);
    }
    static void U32(std::string& Out, std::uint32_t V)
    {
        U16(Out, V & 0xFFFF);
        U16(Out, V >> 16);
    }

    std::string Header() const
    {
        std::string h;
        U32(h, 0x4C);
        h += std::string("\x01\x14\x02\x00\x00\x00\x00\x00\xC0\x00\x00\x00\x00\x00\x00\x46", 16);
        U32(h, WithIdList ? Flags : (Flags & ~1u));
        U32(h, 0x20); // attributes: archive
        h += std::string(24, '\0'); // three times
        U32(h, 1234);             // target size
        U32(h, 0);                // icon
        U32(h, 1);                // show normal
        h += std::string(12, '\0'); // hot key and reserved
        return h;
    }
    static std::string IdList()
    {
        // One "my computer" item and the terminating empty one.
        std::string items;
        U16(items, 20);
        items += std::string("\x1F\x50\xE0\x4F\xD0\x20\xEA\x3A\x69\x10\xA2\xD8\x08\x00\x2B\x30\x30\x9D", 18);
        U16(items, 0);
        std::string list;
        U16(list, static_cast<std::uint32_t>(items.size()));
        return list + items;
    }
    std::string LinkInfo() const
    {
        const std::uint32_t headerSize = WithUnicode ? 0x24 : 0x1C;
        std::string volume;
        U32(volume, 16); // volume id size
        U32(volume, 3);  // fixed drive
        U32(volume, 0x1234ABCD);
        U32(volume, 16); // label offset: the empty label after it
        volume += std::string(1, '\0');
        const std::uint32_t volumeAt = headerSize;
        const std::uint32_t baseAt = volumeAt + static_cast<std::uint32_t>(volume.size());
        const std::uint32_t suffixAt = baseAt + static_cast<std::uint32_t>(Base.size()) + 1;
        std::uint32_t end = suffixAt + static_cast<std::uint32_t>(Suffix.size()) + 1;
        const std::uint32_t unicodeAt = end;
        if (WithUnicode)
            end += static_cast<std::uint32_t>(UnicodeBase.size() + 1) * 2;
        std::string info;
        U32(info, end);
        U32(info, headerSize);
        U32(info, 1); // volume id and local base path
        U32(info, volumeAt);
        U32(info, baseAt);
        U32(info, 0); // no network link
        U32(info, suffixAt);
        if (WithUnicode) {
            U32(info, unicodeAt);
            U32(info, 0);
        }
        info += volume + Base + '\0' + Suffix + '\0';
        if (WithUnicode) {
            for (char16_t c : UnicodeBase)
                U16(info, c);
            U16(info, 0);
        }
        return info;
    }
    std::string Bytes() const
    {
        // A trailing empty extra-data block, as writers end the file.
        std::string tail;
        U32(tail, 0);
        return Header() + (WithIdList ? IdList() : "") + LinkInfo() + tail;
    }
};

} // namespace shelllinktest
