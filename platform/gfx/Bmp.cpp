#include "platform/gfx/Bmp.h"

#include <cstring>
#include <limits>

#include "platform/rtl/TStream.h"

namespace {

constexpr std::size_t FileHeaderSize = 14;

std::uint32_t U16(const std::uint8_t* p) { return p[0] | (p[1] << 8); }
std::uint32_t U32(const std::uint8_t* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24); }
std::int32_t I32(const std::uint8_t* p) { return static_cast<std::int32_t>(U32(p)); }

[[noreturn]] void Fail(const std::string& what) { throw EInvalidGraphic("Invalid bitmap: " + what); }

void Put16(std::vector<std::uint8_t>& v, std::size_t at, std::uint32_t x)
{
    v[at] = x & 0xFF;
    v[at + 1] = (x >> 8) & 0xFF;
}
void Put32(std::vector<std::uint8_t>& v, std::size_t at, std::uint32_t x)
{
    for (int i = 0; i < 4; ++i)
        v[at + i] = (x >> (8 * i)) & 0xFF;
}

// Position and width of a channel mask, for 32-bit pictures with bit fields.
struct TMask {
    std::uint32_t Mask = 0;
    int Shift = 0;
    int Bits = 0;
    explicit TMask(std::uint32_t m) : Mask(m)
    {
        if (!m)
            return;
        while (!((m >> Shift) & 1))
            ++Shift;
        while (Shift + Bits < 32 && ((m >> (Shift + Bits)) & 1))
            ++Bits;
    }
    std::uint32_t Get(std::uint32_t v) const
    {
        if (!Mask)
            return 0;
        const std::uint32_t x = (v & Mask) >> Shift;
        if (Bits >= 8)
            return x >> (Bits - 8);
        const std::uint32_t max = (1u << Bits) - 1;
        return (x * 255 + max / 2) / max;
    }
};

}  // namespace

std::size_t DecodeBmp(const std::uint8_t* data, std::size_t size, TSurface& out)
{
    if (!data || size < FileHeaderSize + 12)
        Fail("the file is truncated");
    if (data[0] != 'B' || data[1] != 'M')
        Fail("no bitmap signature");
    const std::uint32_t fileSize = U32(data + 2);
    const std::uint32_t offBits = U32(data + 10);
    const std::uint8_t* info = data + FileHeaderSize;
    const std::uint32_t infoSize = U32(info);
    const bool core = infoSize == 12;
    if (!core && (infoSize < 40 || infoSize > 1024))
        Fail("unknown header size " + std::to_string(infoSize));
    if (FileHeaderSize + infoSize > size)
        Fail("the file is truncated");

    std::int64_t width, height;
    std::uint32_t bitCount, compression = 0, clrUsed = 0;
    if (core) {
        width = U16(info + 4);
        height = U16(info + 6);
        bitCount = U16(info + 10);
    } else {
        width = I32(info + 4);
        height = I32(info + 8);
        bitCount = U16(info + 14);
        compression = U32(info + 16);
        clrUsed = U32(info + 32);
    }
    const bool topDown = height < 0;
    if (topDown)
        height = -height;
    if (width <= 0 || height <= 0)
        Fail("size " + std::to_string(width) + " x " + std::to_string(height) + " is not positive");
    if (width > TSurface::MaxSide || height > TSurface::MaxSide)
        Fail("size " + std::to_string(width) + " x " + std::to_string(height) + " is too large");
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 24 && bitCount != 32)
        Fail(std::to_string(bitCount) + " bits per pixel are not supported");
    std::uint32_t masks[4] = {0x00FF0000u, 0x0000FF00u, 0x000000FFu, 0xFF000000u};
    std::size_t afterHeader = FileHeaderSize + infoSize;
    if (compression == 3 && bitCount == 32) {
        // Bit fields: in the header from 52 bytes on, else in three words after it.
        const std::uint8_t* m = info + 40;
        if (infoSize < 52) {
            if (afterHeader + 12 > size)
                Fail("the file is truncated");
            afterHeader += 12;
        }
        masks[0] = U32(m);
        masks[1] = U32(m + 4);
        masks[2] = U32(m + 8);
        masks[3] = infoSize >= 56 ? U32(m + 12) : 0;
    } else if (compression != 0) {
        Fail("compression " + std::to_string(compression) + " is not supported");
    }

    std::vector<TPixel> palette;
    if (bitCount <= 8) {
        const std::uint32_t maxColours = 1u << bitCount;
        const std::uint32_t count = clrUsed ? clrUsed : maxColours;
        if (count > maxColours)
            Fail("the palette states " + std::to_string(count) + " colours for " + std::to_string(bitCount) + " bits");
        const std::size_t entry = core ? 3 : 4;
        if (afterHeader + count * entry > size)
            Fail("the file is truncated");
        for (std::uint32_t i = 0; i < count; ++i) {
            const std::uint8_t* p = data + afterHeader + i * entry;
            palette.push_back(0xFF000000u | (TPixel(p[2]) << 16) | (TPixel(p[1]) << 8) | p[0]);
        }
        afterHeader += count * entry;
    }

    const std::uint64_t rowBytes = ((static_cast<std::uint64_t>(width) * bitCount + 31) / 32) * 4;
    const std::uint64_t pixelStart = offBits ? offBits : afterHeader;
    if (pixelStart < afterHeader && offBits)
        Fail("the pixel data starts inside the header");
    const std::uint64_t pixelEnd = pixelStart + rowBytes * static_cast<std::uint64_t>(height);
    if (pixelEnd > size)
        Fail("the file is truncated");
    std::size_t consumed = static_cast<std::size_t>(pixelEnd);
    if (fileSize != 0) {
        if (fileSize < pixelEnd)
            Fail("the header states a file size smaller than its pixel data");
        if (fileSize > size)
            Fail("the file is truncated");
        consumed = fileSize;
    }

    TSurface result(static_cast<int>(width), static_cast<int>(height));
    const TMask mr(masks[0]), mg(masks[1]), mb(masks[2]), ma(masks[3]);
    const bool plain32 = compression == 0;
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* row = data + pixelStart + rowBytes * static_cast<std::uint64_t>(topDown ? y : height - 1 - y);
        TPixel* dst = result.ScanLine(y);
        for (int x = 0; x < width; ++x) {
            switch (bitCount) {
            case 32:
                if (plain32) {
                    std::memcpy(&dst[x], row + x * 4, 4);
                } else {
                    const std::uint32_t v = U32(row + x * 4);
                    dst[x] = ((ma.Mask ? ma.Get(v) : 255u) << 24) | (mr.Get(v) << 16) | (mg.Get(v) << 8) | mb.Get(v);
                }
                break;
            case 24: {
                const std::uint8_t* p = row + x * 3;
                dst[x] = 0xFF000000u | (TPixel(p[2]) << 16) | (TPixel(p[1]) << 8) | p[0];
                break;
            }
            default: {
                const int perByte = 8 / bitCount;
                const std::uint8_t byte = row[x / perByte];
                const int shift = 8 - bitCount * (x % perByte + 1);
                const std::uint32_t index = (byte >> shift) & ((1u << bitCount) - 1);
                if (index >= palette.size())
                    Fail("palette index " + std::to_string(index) + " is beyond the " + std::to_string(palette.size()) +
                         " colours of the palette");
                dst[x] = palette[index];
            }
            }
        }
    }
    out = std::move(result);
    return consumed;
}

std::vector<std::uint8_t> EncodeBmp(const TSurface& surface, int bitCount)
{
    if (bitCount != 24 && bitCount != 32)
        throw EInvalidGraphic("Invalid bitmap: cannot write " + std::to_string(bitCount) + " bits per pixel");
    if (surface.Empty())
        throw EInvalidGraphic("Invalid bitmap: cannot write an empty picture");
    const int w = surface.Width(), h = surface.Height();
    const std::size_t rowBytes = ((static_cast<std::size_t>(w) * bitCount + 31) / 32) * 4;
    const std::size_t image = rowBytes * h;
    const std::size_t total = 54 + image;
    std::vector<std::uint8_t> v(total, 0);
    v[0] = 'B';
    v[1] = 'M';
    Put32(v, 2, static_cast<std::uint32_t>(total));
    Put32(v, 10, 54);
    Put32(v, 14, 40);
    Put32(v, 18, static_cast<std::uint32_t>(w));
    Put32(v, 22, static_cast<std::uint32_t>(h));
    Put16(v, 26, 1);
    Put16(v, 28, static_cast<std::uint32_t>(bitCount));
    Put32(v, 34, static_cast<std::uint32_t>(image));
    for (int y = 0; y < h; ++y) {
        std::uint8_t* row = v.data() + 54 + rowBytes * (h - 1 - y);
        const TPixel* src = surface.ScanLine(y);
        if (bitCount == 32) {
            std::memcpy(row, src, static_cast<std::size_t>(w) * 4);
        } else {
            for (int x = 0; x < w; ++x) {
                row[x * 3] = src[x] & 0xFF;
                row[x * 3 + 1] = (src[x] >> 8) & 0xFF;
                row[x * 3 + 2] = (src[x] >> 16) & 0xFF;
            }
        }
    }
    return v;
}

void LoadBmpFromStream(TStream& stream, TSurface& out)
{
    const std::int64_t start = stream.Position();
    const std::int64_t available = stream.Size() - start;
    std::uint8_t head[FileHeaderSize];
    if (available < static_cast<std::int64_t>(FileHeaderSize) || stream.Read(head, FileHeaderSize) != static_cast<std::int64_t>(FileHeaderSize))
        Fail("the file is truncated");
    if (head[0] != 'B' || head[1] != 'M')
        Fail("no bitmap signature");
    // The file header says how long the file is; only that much is read, so that what follows it in the
    // stream (another picture, say) stays for the next reader. A size of 0 means "unknown": then the rest of
    // the stream is read and the stream is put back right after the pixel data.
    std::uint32_t fileSize = U32(head + 2);
    std::int64_t toRead = fileSize ? fileSize : available;
    if (toRead > available)
        Fail("the file is truncated");
    if (toRead < static_cast<std::int64_t>(FileHeaderSize))
        Fail("the header states a file size smaller than its header");
    // A memory stream holds the file already (a skin holds its pictures so): it is decoded where it lies.
    if (auto* memory = dynamic_cast<TMemoryStream*>(&stream)) {
        const auto* file = static_cast<const std::uint8_t*>(memory->Memory()) + start;
        const std::size_t used = DecodeBmp(file, static_cast<std::size_t>(toRead), out);
        stream.Seek(start + static_cast<std::int64_t>(used), soBeginning);
        return;
    }
    std::vector<std::uint8_t> buffer(static_cast<std::size_t>(toRead));
    std::memcpy(buffer.data(), head, FileHeaderSize);
    const std::int64_t rest = toRead - static_cast<std::int64_t>(FileHeaderSize);
    if (rest > 0 && stream.Read(buffer.data() + FileHeaderSize, rest) != rest)
        Fail("the file is truncated");
    const std::size_t used = DecodeBmp(buffer.data(), buffer.size(), out);
    stream.Seek(start + static_cast<std::int64_t>(used), soBeginning);
}

void SaveBmpToStream(TStream& stream, const TSurface& surface, int bitCount)
{
    const std::vector<std::uint8_t> bytes = EncodeBmp(surface, bitCount);
    stream.WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
}

void LoadBmpFromFile(const std::string& fileName, TSurface& out)
{
    TFileStream f(fileName, fmOpenRead | fmShareDenyWrite);
    LoadBmpFromStream(f, out);
}

void SaveBmpToFile(const std::string& fileName, const TSurface& surface, int bitCount)
{
    const std::vector<std::uint8_t> bytes = EncodeBmp(surface, bitCount);
    TFileStream f(fileName, fmCreate);
    f.WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
}
