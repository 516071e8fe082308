#pragma once
// Shared by the stored-skin and skin-data tests: BMP files, packed skin images and compressed skins
// made byte by byte, so that a test can say exactly what a damaged skin holds.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/rtl/TStream.h"
#include "skin/data/TskCompressedStoredSkin.h"
#include "skin/data/ZlibStreams.h"

inline void PutLe32(std::string& s, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        s += static_cast<char>((v >> (8 * i)) & 0xFF);
}

inline void PutLe16(std::string& s, std::uint16_t v)
{
    s += static_cast<char>(v & 0xFF);
    s += static_cast<char>(v >> 8);
}

// A 24-bit bottom-up BMP file of w x h pixels, all of one colour.
inline std::string Bmp24(int w, int h, unsigned char r = 10, unsigned char g = 20, unsigned char b = 30)
{
    const int stride = (w * 3 + 3) / 4 * 4;
    std::string pixels;
    for (int y = 0; y < h; ++y) {
        std::string row;
        for (int x = 0; x < w; ++x) {
            row += static_cast<char>(b);
            row += static_cast<char>(g);
            row += static_cast<char>(r);
        }
        row.resize(stride, '\0');
        pixels += row;
    }
    std::string s = "BM";
    PutLe32(s, static_cast<std::uint32_t>(54 + pixels.size()));
    PutLe32(s, 0);
    PutLe32(s, 54);
    PutLe32(s, 40);
    PutLe32(s, static_cast<std::uint32_t>(w));
    PutLe32(s, static_cast<std::uint32_t>(h));
    PutLe16(s, 1);
    PutLe16(s, 24);
    PutLe32(s, 0);
    PutLe32(s, static_cast<std::uint32_t>(pixels.size()));
    PutLe32(s, 2835);
    PutLe32(s, 2835);
    PutLe32(s, 0);
    PutLe32(s, 0);
    return s + pixels;
}

// A one-bit bottom-up BMP file of w x h pixels, all black: 32 MB for the largest sides, 1 GB decoded.
inline std::string Bmp1(int w, int h)
{
    const std::size_t stride = (static_cast<std::size_t>(w) + 31) / 32 * 4;
    std::string s = "BM";
    PutLe32(s, static_cast<std::uint32_t>(62 + stride * h));
    PutLe32(s, 0);
    PutLe32(s, 62);
    PutLe32(s, 40);
    PutLe32(s, static_cast<std::uint32_t>(w));
    PutLe32(s, static_cast<std::uint32_t>(h));
    PutLe16(s, 1);
    PutLe16(s, 1);
    PutLe32(s, 0);
    PutLe32(s, static_cast<std::uint32_t>(stride * h));
    PutLe32(s, 2835);
    PutLe32(s, 2835);
    PutLe32(s, 2);
    PutLe32(s, 0);
    s += std::string("\0\0\0\0\xff\xff\xff\0", 8);
    return s + std::string(stride * h, '\0');
}

// What a skin of a thousand bytes packed can ask for: Entries bit labels that all name one section whose
// symbol list counts 65,536 lines, and as many filler lines, so that no list is cut to the skin's size.
inline std::string ManyListsIni(int Entries)
{
    std::string ini = "[SKINCONTROLS]\r\ncount=" + std::to_string(Entries) + "\r\n";
    for (int i = 0; i < Entries; ++i)
        ini += std::to_string(i) + "=x:bitlabel\r\n";
    ini += "[x]\r\nsymbolslinecount=65536\r\n[filler]\r\n";
    for (int i = 0; i < 65536; ++i)
        ini += "a=\r\n";
    return ini;
}

// The smallest skin ini the builder accepts, plus extra lines.
inline std::string MinimalSkinIni(const std::string& extra = "")
{
    return "[VERSION]\r\nskinname=Tiny\r\n[PICTURES]\r\n[FORMINFO]\r\n[SKINOBJECTS]\r\n[SKINCONTROLS]\r\n" + extra;
}

// A packed skin image: version, raw slot bytes (flags and bitmaps as given), active pictures, ini text.
inline std::string PackedImage(std::int32_t version, const std::string& slots, const std::vector<std::string>& active,
                               const std::string& ini)
{
    std::string s;
    PutLe32(s, static_cast<std::uint32_t>(version));
    s += slots;
    PutLe32(s, static_cast<std::uint32_t>(active.size()));
    for (const auto& bmp : active)
        s += bmp;
    return s + ini;
}

inline std::string Zlib(const std::string& plain)
{
    TStringStream source(plain);
    TStringStream packed;
    CompressStream(source, packed);
    return packed.DataString();
}

// Puts compressed bytes into a stored skin, as the form reader does with "CompressedData".
inline void SetStoredBytes(TskCompressedStoredSkin& skin, const std::string& compressed)
{
    TMemoryStream& data = skin.StoredData();
    data.Clear();
    data.WriteBuffer(compressed.data(), static_cast<std::int64_t>(compressed.size()));
    data.SetPosition(0);
}

inline std::string SkinFile(std::int32_t version, std::int32_t length, const std::string& data)
{
    std::string s;
    PutLe32(s, static_cast<std::uint32_t>(version));
    PutLe32(s, static_cast<std::uint32_t>(length));
    return s + data;
}

inline std::string TestSkinDir()
{
    return std::string(OMBRIX_TEST_DATA) + "/skins/testskin/";
}

inline std::string TestSkinFile()
{
    return std::string(OMBRIX_TEST_DATA) + "/skins/testskin.skn";
}
