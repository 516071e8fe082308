#include "platform/sys/ShellLink.h"

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <optional>

#include "platform/rtl/Strings.h"

namespace {

constexpr std::uint32_t HeaderSize = 0x4C;
// The class identifier every shortcut header carries, in its stored byte order.
constexpr unsigned char LinkClsid[16] = {0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,
                                         0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};

// Link flags.
constexpr std::uint32_t HasLinkTargetIdList = 0x01;
constexpr std::uint32_t HasLinkInfo = 0x02;
constexpr std::uint32_t ForceNoLinkInfo = 0x100;
// Link information flags.
constexpr std::uint32_t VolumeIdAndLocalBasePath = 0x01;

// A real shortcut is a few hundred bytes; anything this large is some other file.
constexpr std::size_t MaxLinkFile = 1 << 20;

// Reads little-endian numbers and strings inside a byte range; every read is checked against the
// range, so a field that points outside the file gives no value instead of a stray read.
class TBytes {
public:
    TBytes(const std::string& Data, std::size_t Begin, std::size_t End) : FData(Data), FBegin(Begin), FEnd(End) {}
    std::size_t Size() const { return FEnd - FBegin; }
    std::optional<std::uint32_t> U16(std::size_t At) const { return Number(At, 2); }
    std::optional<std::uint32_t> U32(std::size_t At) const { return Number(At, 4); }
    // The single-byte string ending in NUL at At; its bytes taken as Latin-1, since the code page
    // of the machine that wrote it is not recorded.
    std::optional<std::string> Ansi(std::size_t At) const
    {
        std::string out;
        for (std::size_t i = At; i < Size(); ++i) {
            const auto c = static_cast<unsigned char>(FData[FBegin + i]);
            if (c == 0)
                return out;
            AppendUtf8(out, c);
        }
        return std::nullopt;
    }
    // The UTF-16 string ending in a NUL unit at At, as UTF-8; a broken surrogate pair is damage.
    std::optional<std::string> Unicode(std::size_t At) const
    {
        std::string out;
        for (std::size_t i = At; i + 1 < Size(); i += 2) {
            std::uint32_t c = *U16(i);
            if (c == 0)
                return out;
            if (c >= 0xD800 && c <= 0xDBFF) {
                const std::optional<std::uint32_t> low = i + 3 < Size() ? U16(i + 2) : std::nullopt;
                if (!low || *low < 0xDC00 || *low > 0xDFFF)
                    return std::nullopt;
                c = 0x10000 + ((c - 0xD800) << 10) + (*low - 0xDC00);
                i += 2;
            } else if (c >= 0xDC00 && c <= 0xDFFF) {
                return std::nullopt;
            }
            AppendUtf8(out, c);
        }
        return std::nullopt;
    }

private:
    std::optional<std::uint32_t> Number(std::size_t At, int Bytes) const
    {
        if (At > Size() || Size() - At < static_cast<std::size_t>(Bytes))
            return std::nullopt;
        std::uint32_t v = 0;
        for (int i = Bytes - 1; i >= 0; --i)
            v = (v << 8) | static_cast<unsigned char>(FData[FBegin + At + static_cast<std::size_t>(i)]);
        return v;
    }

    const std::string& FData;
    std::size_t FBegin;
    std::size_t FEnd;
};

// The item identifiers fill the list exactly, up to the terminating empty one: a list that runs over
// its stated size, or past the end of the file, is damage.
bool IdListIsWhole(const TBytes& List, std::uint32_t StatedSize)
{
    if (List.Size() != StatedSize)
        return false;
    std::size_t at = 0;
    while (const std::optional<std::uint32_t> itemSize = List.U16(at)) {
        if (*itemSize == 0)
            return at + 2 == List.Size();
        if (*itemSize < 2)
            return false;
        at += *itemSize;
    }
    return false;
}

// The local path of the link information block that fills Info.
std::string LocalPath(const TBytes& Info)
{
    const auto size = Info.U32(0), headerSize = Info.U32(4), flags = Info.U32(8);
    const auto baseOffset = Info.U32(16), suffixOffset = Info.U32(24);
    if (!size || !headerSize || !flags || !baseOffset || !suffixOffset || *size != Info.Size())
        return {};
    if (*headerSize < 0x1C || *headerSize > *size || (*flags & VolumeIdAndLocalBasePath) == 0)
        return {};
    std::optional<std::string> base, suffix;
    // Newer writers add the Unicode forms, which alone keep every character of the name.
    if (*headerSize >= 0x24) {
        const auto baseUnicode = Info.U32(28), suffixUnicode = Info.U32(32);
        if (!baseUnicode || !suffixUnicode)
            return {};
        // A Unicode form that is there but does not decode is damage, not a reason to guess.
        if (*baseUnicode != 0 && !(base = Info.Unicode(*baseUnicode)))
            return {};
        if (*suffixUnicode != 0 && !(suffix = Info.Unicode(*suffixUnicode)))
            return {};
    }
    if (!base)
        base = Info.Ansi(*baseOffset);
    if (!suffix)
        suffix = *suffixOffset != 0 ? Info.Ansi(*suffixOffset) : std::optional<std::string>(std::string());
    if (!base || !suffix || base->empty())
        return {};
    std::string path = *base + *suffix;
    for (char& c : path)
        if (c == '\\')
            c = '/';
    return path;
}

} // namespace

std::string ShellLinkTarget(const std::string& Bytes)
{
    const TBytes file(Bytes, 0, Bytes.size());
    if (file.U32(0) != HeaderSize || Bytes.size() < HeaderSize)
        return {};
    for (std::size_t i = 0; i < sizeof LinkClsid; ++i)
        if (static_cast<unsigned char>(Bytes[4 + i]) != LinkClsid[i])
            return {};
    const std::uint32_t flags = *file.U32(20);
    std::size_t at = HeaderSize;
    if (flags & HasLinkTargetIdList) {
        const std::optional<std::uint32_t> listSize = file.U16(at);
        if (!listSize || !IdListIsWhole(TBytes(Bytes, at + 2, std::min(Bytes.size(), at + 2 + *listSize)), *listSize))
            return {};
        at += 2 + *listSize;
    }
    if ((flags & HasLinkInfo) == 0 || (flags & ForceNoLinkInfo) != 0)
        return {};
    const std::optional<std::uint32_t> infoSize = file.U32(at);
    if (!infoSize || *infoSize > Bytes.size() - at)
        return {};
    return LocalPath(TBytes(Bytes, at, at + *infoSize));
}

std::string ResolveShellLink(const std::string& Path)
{
    std::ifstream in(Path, std::ios::binary);
    if (!in)
        return {};
    std::string bytes;
    char chunk[4096];
    while (in.read(chunk, sizeof chunk) || in.gcount() > 0) {
        bytes.append(chunk, static_cast<std::size_t>(in.gcount()));
        if (bytes.size() > MaxLinkFile)
            return {};
    }
    return ShellLinkTarget(bytes);
}
