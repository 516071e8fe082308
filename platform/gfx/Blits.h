#pragma once
// Copying pixels between device contexts and to and from memory.
//
// Stretching: every stretch in this layer (StretchBlt, TransparentBlt, AlphaBlend, SetDIBitsToDevice has no
// stretch) uses one nearest-neighbour map, the pixel centre rule:
//   source index = srcStart + ((2 * i + 1) * srcLength) div (2 * dstLength)   for destination index i,
// so a 1:1 copy is exact, an n-fold enlargement repeats every pixel n times, and a reduction picks the
// source pixel under each destination pixel's centre. A negative width or height mirrors; such an extent
// runs left (up) from its start pixel and includes it, so (w - 1, -w) covers 0 .. w - 1.
#include <cstdint>

#include "platform/gfx/Blend.h"
#include "platform/gfx/TDeviceContext.h"

// Raster operations (dst := f(src, dst, brush)).
constexpr DWORD SRCCOPY = 0x00CC0020;
constexpr DWORD SRCPAINT = 0x00EE0086;    // src | dst
constexpr DWORD SRCAND = 0x008800C6;      // src & dst
constexpr DWORD SRCINVERT = 0x00660046;   // src ^ dst
constexpr DWORD SRCERASE = 0x00440328;    // src & ~dst
constexpr DWORD NOTSRCCOPY = 0x00330008;  // ~src
constexpr DWORD MERGEPAINT = 0x00BB0226;  // ~src | dst
constexpr DWORD PATCOPY = 0x00F00021;     // brush
constexpr DWORD PATINVERT = 0x005A0049;   // brush ^ dst
constexpr DWORD DSTINVERT = 0x00550009;   // ~dst
constexpr DWORD BLACKNESS = 0x00000042;
constexpr DWORD WHITENESS = 0x00FF0062;

// Raster operations write the colour channels; the alpha byte of the result is 255, except SRCCOPY, which
// copies the source pixel whole (alpha included) so 32-bit pictures keep their alpha through a copy.
BOOL BitBlt(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY, DWORD rop);
BOOL StretchBlt(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY, int srcWidth,
    int srcHeight, DWORD rop);
// Fills dstRect (logical, in dst) with 1:1 copies of srcRect (logical, in src) laid side by side from its
// top-left corner, the last ones cut at the right and bottom edges: the picture a SRCCOPY BitBlt of each
// copy in turn makes, in one pass over the clip. FALSE, and nothing drawn, when srcRect is not wholly
// inside the source picture or both DCs draw on one picture (the copies would then read each other).
BOOL TileBlt(HDC dst, const TRect& dstRect, HDC src, const TRect& srcRect);
// Copies (stretching like StretchBlt) every source pixel whose colour is not `transparent`; written pixels
// get alpha 255.
BOOL TransparentBlt(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY, int srcWidth,
    int srcHeight, UINT transparent);

// The blend formula, BlendPixel and BlendPixelLine are in Blend.h.

constexpr BYTE AC_SRC_OVER = 0;
constexpr BYTE AC_SRC_ALPHA = 1;
struct BLENDFUNCTION {
    BYTE BlendOp = AC_SRC_OVER;
    BYTE BlendFlags = 0;
    BYTE SourceConstantAlpha = 255;
    BYTE AlphaFormat = 0;
};
// Blends the source over the destination by the formula of Blend.h with weight SourceConstantAlpha, times the
// source pixel's alpha / 255 (rounded) when AlphaFormat has AC_SRC_ALPHA. Source pixels are not
// premultiplied.
BOOL AlphaBlend(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY, int srcWidth,
    int srcHeight, BLENDFUNCTION blend);

// Device-independent bitmaps.
constexpr DWORD BI_RGB = 0;
constexpr UINT DIB_RGB_COLORS = 0;
#pragma pack(push, 1)
struct BITMAPINFOHEADER {
    DWORD biSize = 40;
    LONG biWidth = 0;
    LONG biHeight = 0;   // negative: rows top-down
    WORD biPlanes = 1;
    WORD biBitCount = 32;
    DWORD biCompression = BI_RGB;
    DWORD biSizeImage = 0;
    LONG biXPelsPerMeter = 0;
    LONG biYPelsPerMeter = 0;
    DWORD biClrUsed = 0;
    DWORD biClrImportant = 0;
};
struct RGBQUAD {
    BYTE rgbBlue = 0;
    BYTE rgbGreen = 0;
    BYTE rgbRed = 0;
    BYTE rgbReserved = 0;
};
struct BITMAPINFO {
    BITMAPINFOHEADER bmiHeader;
    RGBQUAD bmiColors[1];
};
#pragma pack(pop)
static_assert(sizeof(BITMAPINFOHEADER) == 40);

// Bytes of one row of a DIB of this width and bit count (rows padded to 4 bytes).
inline int DibRowBytes(int width, int bitCount) { return ((width * bitCount + 31) / 32) * 4; }

// Draws a 24- or 32-bit BI_RGB DIB (whole picture: start scan 0, all its rows) with its pixel (srcX, srcY)
// at (x, y), width x height pixels; 24-bit pixels become opaque. Returns the number of rows drawn.
int SetDIBitsToDevice(HDC dc, int x, int y, DWORD width, DWORD height, int srcX, int srcY, UINT startScan,
    UINT lines, const void* bits, const BITMAPINFO* info, UINT usage);
