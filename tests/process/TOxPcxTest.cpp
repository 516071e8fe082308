// PCX pictures: every format written and read back, the run-length rules, and files that are not
// what they claim.
#include "process/TOxPcx.h"

#include <gtest/gtest.h>

#include "platform/rtl/TStream.h"
#include "platform/vcl/TPicture.h"
#include "tests/support/TScratchFolder.h"

namespace {

std::string Bytes(std::initializer_list<int> Values)
{
    std::string s;
    for (int v : Values)
        s += static_cast<char>(v);
    return s;
}

// A picture of Colors repeated along each line, line y shifted by y.
void Paint(TBitmap& Bitmap, int W, int H, const std::vector<TPixel>& Colors)
{
    Bitmap.SetSize(W, H);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x)
            Bitmap.ScanLine(y)[x] = Colors[static_cast<std::size_t>(x + y) % Colors.size()];
}

bool SamePixels(TBitmap& A, TBitmap& B)
{
    if (A.Width() != B.Width() || A.Height() != B.Height())
        return false;
    for (int y = 0; y < A.Height(); ++y)
        for (int x = 0; x < A.Width(); ++x)
            if ((A.ScanLine(y)[x] & 0xFFFFFF) != (B.ScanLine(y)[x] & 0xFFFFFF))
                return false;
    return true;
}

std::string Saved(TOxPcx& Picture)
{
    TStringStream out;
    Picture.SaveToStream(out);
    return out.DataString();
}

void Load(TOxPcx& Picture, const std::string& Data)
{
    TStringStream in(Data);
    Picture.LoadFromStream(in);
}

std::string Header(int Bits, int Planes, int W, int H, int BytesPerLine)
{
    std::string h(128, '\0');
    h[0] = 10;
    h[2] = 1;
    h[3] = static_cast<char>(Bits);
    h[8] = static_cast<char>((W - 1) & 0xFF);
    h[9] = static_cast<char>((W - 1) >> 8);
    h[10] = static_cast<char>((H - 1) & 0xFF);
    h[11] = static_cast<char>((H - 1) >> 8);
    h[65] = static_cast<char>(Planes);
    h[66] = static_cast<char>(BytesPerLine & 0xFF);
    h[67] = static_cast<char>(BytesPerLine >> 8);
    return h;
}

std::string LoadError(const std::string& Data)
{
    TOxPcx p;
    try {
        Load(p, Data);
    } catch (const EPcxError& e) {
        return e.Message();
    }
    return "";
}

} // namespace

TEST(PcxRunLength, LongRunsAreCutAt48_AndHighLiteralsAreEscaped)
{
    EXPECT_EQ(PcxRleCompress(std::string(100, 'a')), Bytes({0xC0 | 48, 'a', 0xC0 | 48, 'a', 0xC4, 'a'}));
    EXPECT_EQ(PcxRleCompress(Bytes({0xC5})), Bytes({0xC1, 0xC5}));
    EXPECT_EQ(PcxRleCompress("ab"), "ab");
    const std::string mixed = Bytes({1, 1, 1, 0xFF, 2, 0xC0, 0xC0, 3}) + std::string(300, 7);
    EXPECT_EQ(PcxRleDecompress(PcxRleCompress(mixed)), mixed);
}

TEST(PcxRunLength, ARunByteWithNothingAfterItIsDropped)
{
    EXPECT_EQ(PcxRleDecompress(Bytes({'x', 0xC3})), "x");
    EXPECT_EQ(PcxRleDecompress(Bytes({0xC3, 'y'})), "yyy");
}

TEST(PcxFormats, EveryFormatComesBackWithItsPixels)
{
    const std::vector<TPixel> sixteen = {0xFF000000, 0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF, 0xFF808080,
                                         0xFF123456, 0xFFABCDEF, 0xFF00FFFF, 0xFFFF00FF, 0xFFFFFF00, 0xFF400000,
                                         0xFF004000, 0xFF000040, 0xFF202020, 0xFFC0C0C0};
    std::vector<TPixel> many;
    for (int i = 0; i < 300; ++i)
        many.push_back(0xFF000000u | static_cast<TPixel>(i * 2654435761u & 0xFFFFFF));
    struct Case {
        TPixelFormat Format;
        std::vector<TPixel> Colors;
        int Bits, Planes;
    } cases[] = {{pf1bit, {0xFF000000, 0xFFFFFFFF}, 1, 1},
                 {pf4bit, sixteen, 1, 4},
                 {pf8bit, std::vector<TPixel>(many.begin(), many.begin() + 200), 8, 1},
                 {pf24bit, many, 8, 3}};
    for (const Case& c : cases) {
        TOxPcx original;
        Paint(original, 37, 5, c.Colors); // odd width: the line is padded to an even byte count
        original.SetPixelFormat(c.Format);
        const std::string file = Saved(original);
        ASSERT_GE(file.size(), 128u);
        EXPECT_EQ(file[3], c.Bits) << c.Format;
        EXPECT_EQ(file[65], c.Planes) << c.Format;
        EXPECT_EQ((static_cast<unsigned char>(file[66]) | static_cast<unsigned char>(file[67]) << 8) % 2, 0);
        TOxPcx back;
        Load(back, file);
        EXPECT_EQ(back.PixelFormat(), c.Format);
        EXPECT_TRUE(SamePixels(original, back)) << c.Format;
    }
}

TEST(PcxFormats, PicturesThatDoNotFitTheirPaletteAreSavedInTrueColour)
{
    std::vector<TPixel> seventeen;
    for (int i = 0; i < 17; ++i)
        seventeen.push_back(0xFF000000u | static_cast<TPixel>(i * 15));
    for (TPixelFormat format : {pf16bit, pf4bit, pfDevice, pf32bit}) {
        TOxPcx original;
        Paint(original, 20, 3, seventeen);
        original.SetPixelFormat(format);
        const std::string file = Saved(original);
        EXPECT_EQ(file[3], 8) << format;
        EXPECT_EQ(file[65], 3) << format;
        TOxPcx back;
        Load(back, file);
        EXPECT_TRUE(SamePixels(original, back)) << format;
    }
}

TEST(PcxFormats, PictureFilesOfKindPcxLoadThroughThePicture)
{
    RegisterOxPcx();
    TScratchFolder dir;
    const std::string path = dir / "ombrix_pcx_test.pcx";
    TOxPcx original;
    Paint(original, 8, 8, {0xFF102030, 0xFF405060});
    original.SetPixelFormat(pf24bit);
    {
        TFileStream out(path, fmCreate);
        original.SaveToStream(out);
    }
    TPicture picture;
    picture.LoadFromFile(path);
    ASSERT_NE(dynamic_cast<TOxPcx*>(picture.Graphic()), nullptr);
    EXPECT_TRUE(SamePixels(original, *dynamic_cast<TOxPcx*>(picture.Graphic())));
}

TEST(PcxBadFiles, AreRefusedWithTheirReason)
{
    EXPECT_EQ(LoadError("short"), "PCX: Invalid PCX file");
    std::string notPcx = Header(8, 3, 4, 4, 4);
    notPcx[0] = 11;
    EXPECT_EQ(LoadError(notPcx), "PCX: Invalid PCX file");
    EXPECT_EQ(LoadError(Header(8, 3, 4, 4, 5)), "PCX: Invalid PCX file");           // odd bytes per line
    EXPECT_EQ(LoadError(Header(8, 2, 4, 4, 4)), "PCX: Unknown format");
    EXPECT_EQ(LoadError(Header(4, 1, 4, 4, 4)), "PCX: Unknown format");
    EXPECT_EQ(LoadError(Header(8, 1, 4, 1, 4) + std::string(4, 1) + std::string(769, 13)), "PCX: Unable to retrieve palette");
    EXPECT_EQ(LoadError(Header(8, 1, 4, 1, 4) + std::string(4, 1)), "PCX: Unable to retrieve palette");
    // Lines shorter than their pixels and sizes beyond any picture are lies, not pictures.
    EXPECT_EQ(LoadError(Header(8, 3, 40, 4, 2) + std::string(100, 1)), "PCX: Invalid PCX file");
    EXPECT_EQ(LoadError(Header(8, 3, 65535, 65535, 65535 + 1)), "PCX: Invalid PCX file");
    EXPECT_EQ(LoadError(Header(1, 1, 30000, 30000, 3750) + std::string(8, 0xFF)), "PCX: Invalid PCX file");
}

TEST(PcxBadFiles, ATruncatedFileKeepsTheLinesItHas)
{
    TOxPcx original;
    Paint(original, 10, 10, {0xFFFF0000, 0xFF00FF00, 0xFF0000FF});
    original.SetPixelFormat(pf24bit);
    const std::string file = Saved(original);
    TOxPcx back;
    Load(back, file.substr(0, file.size() / 2));
    EXPECT_EQ(back.Width(), 10);
    EXPECT_EQ(back.Height(), 10);
    EXPECT_EQ(back.ScanLine(0)[0] & 0xFFFFFF, 0xFF0000u);
}

TEST(PcxBadFiles, AnEmptyPictureIsNotAnError)
{
    std::string h = Header(8, 3, 1, 1, 2);
    h[8] = h[9] = 0;
    h[4] = 1; // XMin 1, XMax 0: no columns
    TOxPcx p;
    Load(p, h);
    EXPECT_EQ(p.Width(), 0);
}
