#include "process/TOxPcx.h"

#include <algorithm>
#include <map>

#include "platform/rtl/TStream.h"
#include "platform/vcl/TPicture.h"

namespace {

constexpr std::size_t kHeaderSize = 128;
constexpr std::size_t kTrailerSize = 769;
constexpr int kMaxRun = 48;
// Pictures beyond this are refused like the other picture readers refuse them: a lying header
// must not make the program ask for gigabytes.
constexpr int kMaxSide = 32767;
// The run-length code lets a file of a few bytes claim any size, so the area is capped as well.
constexpr long long kMaxPixels = 64LL * 1024 * 1024;

const char* const SInvalid = "PCX: Invalid PCX file";
const char* const SUnknownFormat = "PCX: Unknown format";
const char* const SNoPalette = "PCX: Unable to retrieve palette";

unsigned Word(const unsigned char* Header, int At)
{
    return Header[At] | (Header[At + 1] << 8);
}

void PutWord(std::string& Header, int At, unsigned Value)
{
    Header[At] = static_cast<char>(Value & 0xFF);
    Header[At + 1] = static_cast<char>((Value >> 8) & 0xFF);
}

TPixel PaletteColor(const std::vector<COLORREF>& Palette, unsigned Index)
{
    return Index < Palette.size() ? RgbToPixel(Palette[Index]) : 0xFF000000u;
}

std::string ReadRest(TStream& Stream)
{
    std::string data;
    char buffer[16384];
    for (;;) {
        const int64_t n = Stream.Read(buffer, sizeof buffer);
        if (n <= 0)
            break;
        data.append(buffer, static_cast<std::size_t>(n));
    }
    return data;
}

// The picture's distinct colours in first-seen order, or nothing when there are more than Limit.
std::vector<COLORREF> DistinctColors(TBitmap& Bitmap, std::size_t Limit)
{
    std::vector<COLORREF> colors;
    std::map<COLORREF, bool> seen;
    for (int y = 0; y < Bitmap.Height(); ++y) {
        const TPixel* line = Bitmap.ScanLine(y);
        for (int x = 0; x < Bitmap.Width(); ++x) {
            const COLORREF c = PixelToColor(line[x]);
            if (seen.emplace(c, true).second) {
                if (colors.size() == Limit)
                    return {};
                colors.push_back(c);
            }
        }
    }
    return colors;
}

// The palette a 4- or 8-bit save uses: the loaded one when every colour is in it, else the
// picture's own colours; empty when they do not fit.
std::vector<COLORREF> SavePalette(TBitmap& Bitmap, const std::vector<COLORREF>& Loaded, std::size_t Limit)
{
    std::vector<COLORREF> own = DistinctColors(Bitmap, Limit);
    if (own.empty() && Bitmap.Width() > 0 && Bitmap.Height() > 0)
        return {};
    if (!Loaded.empty() && Loaded.size() <= Limit &&
        std::all_of(own.begin(), own.end(), [&](COLORREF c) { return std::find(Loaded.begin(), Loaded.end(), c) != Loaded.end(); }))
        return Loaded;
    own.resize(Limit, RGB(0, 0, 0));
    return own;
}

} // namespace

std::string PcxRleDecompress(const std::string& Data)
{
    std::string out;
    out.reserve(Data.size() * 2);
    for (std::size_t i = 0; i < Data.size(); ++i) {
        const unsigned char b = static_cast<unsigned char>(Data[i]);
        if (b < 0xC0) {
            out += static_cast<char>(b);
            continue;
        }
        if (i + 1 >= Data.size())
            break; // a run byte with no byte to repeat
        out.append(b & 0x3F, Data[++i]);
    }
    return out;
}

std::string PcxRleCompress(const std::string& Data)
{
    std::string out;
    out.reserve(Data.size() + Data.size() / 8);
    std::size_t i = 0;
    while (i < Data.size()) {
        const char b = Data[i];
        std::size_t run = 1;
        while (i + run < Data.size() && Data[i + run] == b && run < static_cast<std::size_t>(kMaxRun))
            ++run;
        if (run > 1) {
            out += static_cast<char>(0xC0 | run);
            out += b;
        } else if (static_cast<unsigned char>(b) >= 0xC0) {
            out += static_cast<char>(0xC1);
            out += b;
        } else {
            out += b;
        }
        i += run;
    }
    return out;
}

void TOxPcx::LoadFromStream(TStream& Stream)
{
    FreeImage();
    FPalette.clear();
    SetPixelFormat(pf24bit);

    unsigned char header[kHeaderSize] = {};
    if (Stream.Read(header, kHeaderSize) != static_cast<int64_t>(kHeaderSize) || header[0] != 10)
        throw EPcxError(SInvalid);
    const unsigned bytesPerLine = Word(header, 66);
    if (bytesPerLine % 2 != 0)
        throw EPcxError(SInvalid);
    const int bits = header[3];
    const int planes = header[65];
    if (bits == 1 && planes == 1)
        SetPixelFormat(pf1bit);
    else if (bits == 1 && planes == 4)
        SetPixelFormat(pf4bit);
    else if (bits == 8 && planes == 1)
        SetPixelFormat(pf8bit);
    else if (bits == 8 && planes == 3)
        SetPixelFormat(pf24bit);
    else
        throw EPcxError(SUnknownFormat);

    const int width = static_cast<int>(Word(header, 8)) - static_cast<int>(Word(header, 4)) + 1;
    const int height = static_cast<int>(Word(header, 10)) - static_cast<int>(Word(header, 6)) + 1;
    if (width < 0 || height < 0 || width > kMaxSide || height > kMaxSide ||
        static_cast<long long>(width) * height > kMaxPixels)
        throw EPcxError(SInvalid);
    // A line shorter than its pixels need would make the reader run past it.
    const unsigned needed = bits == 1 ? (static_cast<unsigned>(width) + 7) / 8 : static_cast<unsigned>(width);
    if (width > 0 && bytesPerLine < needed)
        throw EPcxError(SInvalid);
    SetSize(width, height);
    if (width == 0 || height == 0)
        return;

    const std::size_t lineSize = static_cast<std::size_t>(bytesPerLine) * planes;
    std::string data = ReadRest(Stream);
    std::string trailer;
    if (bits == 8 && planes == 1) {
        const std::size_t keep = data.size() >= kTrailerSize ? data.size() - kTrailerSize : 0;
        trailer = data.substr(keep);
        data.resize(keep);
    }
    if (header[2] != 0)
        data = PcxRleDecompress(data);
    if (bits == 8 && planes == 1) {
        if (trailer.size() != kTrailerSize || trailer[0] != 12)
            throw EPcxError(SNoPalette);
        for (int i = 0; i < 256; ++i) {
            const auto at = static_cast<std::size_t>(1 + i * 3);
            FPalette.push_back(RGB(static_cast<unsigned char>(trailer[at]), static_cast<unsigned char>(trailer[at + 1]),
                                   static_cast<unsigned char>(trailer[at + 2])));
        }
    } else if (bits == 1 && planes == 4) {
        for (int i = 0; i < 16; ++i)
            FPalette.push_back(RGB(header[16 + i * 3], header[17 + i * 3], header[18 + i * 3]));
    } else if (bits == 1) {
        FPalette = {RGB(0, 0, 0), RGB(255, 255, 255)};
    }

    for (int y = 0; y < height; ++y) {
        const std::size_t at = static_cast<std::size_t>(y) * lineSize;
        if (at + lineSize > data.size())
            break; // a short file keeps the lines it has
        const auto* line = reinterpret_cast<const unsigned char*>(data.data() + at);
        TPixel* out = ScanLine(y);
        for (int x = 0; x < width; ++x) {
            if (bits == 8 && planes == 3) {
                out[x] = 0xFF000000u | (static_cast<TPixel>(line[x]) << 16) |
                         (static_cast<TPixel>(line[bytesPerLine + x]) << 8) | line[2 * bytesPerLine + x];
            } else if (bits == 8) {
                out[x] = PaletteColor(FPalette, line[x]);
            } else {
                const unsigned bit = 7 - static_cast<unsigned>(x) % 8;
                unsigned index = 0;
                for (int p = 0; p < planes; ++p)
                    index |= ((line[p * bytesPerLine + x / 8] >> bit) & 1u) << p;
                out[x] = PaletteColor(FPalette, index);
            }
        }
    }
    Changed();
}

void TOxPcx::SaveToStream(TStream& Stream)
{
    TPixelFormat format = PixelFormat();
    std::vector<COLORREF> palette;
    if (format == pf4bit || format == pf8bit) {
        palette = SavePalette(*this, FPalette, format == pf4bit ? 16 : 256);
        if (palette.empty())
            format = pf24bit;
    } else if (format != pf1bit) {
        format = pf24bit;
    }
    const int bits = format == pf1bit || format == pf4bit ? 1 : 8;
    const int planes = format == pf4bit ? 4 : format == pf24bit ? 3 : 1;
    const int width = Width();
    const int height = Height();
    unsigned bytesPerLine = bits == 1 ? (static_cast<unsigned>(width) + 7) / 8 : static_cast<unsigned>(width);
    bytesPerLine += bytesPerLine % 2;

    std::string header(kHeaderSize, '\0');
    header[0] = 10;
    header[1] = 5;
    header[2] = 1;
    header[3] = static_cast<char>(bits);
    if (width == 0 || height == 0) {
        // An empty picture: minimum one above maximum, so that it reads back empty.
        PutWord(header, 4, 1);
        PutWord(header, 6, 1);
    } else {
        PutWord(header, 8, static_cast<unsigned>(width - 1));
        PutWord(header, 10, static_cast<unsigned>(height - 1));
    }
    PutWord(header, 12, 72);
    PutWord(header, 14, 72);
    for (std::size_t i = 0; i < 16 && i < palette.size(); ++i) {
        header[16 + i * 3] = static_cast<char>(GetRValue(palette[i]));
        header[17 + i * 3] = static_cast<char>(GetGValue(palette[i]));
        header[18 + i * 3] = static_cast<char>(GetBValue(palette[i]));
    }
    header[65] = static_cast<char>(planes);
    PutWord(header, 66, bytesPerLine);
    PutWord(header, 68, 1);
    Stream.Write(header.data(), static_cast<int64_t>(header.size()));

    std::map<COLORREF, unsigned> indexOf;
    for (std::size_t i = 0; i < palette.size(); ++i)
        indexOf.emplace(palette[i], static_cast<unsigned>(i));
    for (int y = 0; y < height; ++y) {
        const TPixel* line = ScanLine(y);
        std::string raw(static_cast<std::size_t>(bytesPerLine) * planes, '\0');
        for (int x = 0; x < width; ++x) {
            const TPixel p = line[x];
            if (format == pf24bit) {
                raw[x] = static_cast<char>((p >> 16) & 0xFF);
                raw[bytesPerLine + x] = static_cast<char>((p >> 8) & 0xFF);
                raw[2 * bytesPerLine + x] = static_cast<char>(p & 0xFF);
            } else if (format == pf8bit) {
                raw[x] = static_cast<char>(indexOf[PixelToColor(p)]);
            } else {
                unsigned index = 0;
                if (format == pf4bit) {
                    index = indexOf[PixelToColor(p)];
                } else {
                    const unsigned luma = (((p >> 16) & 0xFF) * 30 + ((p >> 8) & 0xFF) * 59 + (p & 0xFF) * 11) / 100;
                    index = luma >= 128 ? 1 : 0;
                }
                for (int plane = 0; plane < planes; ++plane)
                    if ((index >> plane) & 1u)
                        raw[plane * bytesPerLine + x / 8] |= static_cast<char>(0x80 >> (x % 8));
            }
        }
        // Each line is coded by itself, so no run crosses a line end.
        const std::string coded = PcxRleCompress(raw);
        Stream.Write(coded.data(), static_cast<int64_t>(coded.size()));
    }
    if (format == pf8bit) {
        std::string trailer(kTrailerSize, '\0');
        trailer[0] = 12;
        for (std::size_t i = 0; i < 256 && i < palette.size(); ++i) {
            trailer[1 + i * 3] = static_cast<char>(GetRValue(palette[i]));
            trailer[2 + i * 3] = static_cast<char>(GetGValue(palette[i]));
            trailer[3 + i * 3] = static_cast<char>(GetBValue(palette[i]));
        }
        Stream.Write(trailer.data(), static_cast<int64_t>(trailer.size()));
    }
}

void RegisterOxPcx()
{
    static const bool registered = [] {
        TPicture::RegisterGraphicClass("TOxPcx", "pcx", [] { return new TOxPcx; });
        return true;
    }();
    (void)registered;
}
