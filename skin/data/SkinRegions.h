#pragma once
// Window regions from mask pictures: black pixels (red, green and blue all 0) belong to the window, every
// other pixel is cut away. The frame and the controls build their region this way whenever their size or
// skin changes.
#include <cstdint>
#include <vector>

#include "platform/gfx/Regions.h"
#include "platform/gfx/TSurface.h"
#include "platform/vcl/TBitmap.h"

// A 24-bit top-down copy of a bitmap for reading pixels fast: 3 bytes a pixel (blue, green, red), rows
// padded to a multiple of 4 bytes.
class TFBitmap {
public:
    explicit TFBitmap(HBITMAP Handle);

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    int RowInc() const { return FRowInc; }
    int Gap() const { return FWidth % 4; }
    int Size() const { return FRowInc * FHeight; }
    std::uint8_t* Bits() { return FBits.data(); }
    const std::uint8_t* ScanLines(int Row) const { return FScanLines[static_cast<std::size_t>(Row)]; }

private:
    int FWidth = 0;
    int FHeight = 0;
    int FRowInc = 0;
    std::vector<std::uint8_t> FBits;
    std::vector<const std::uint8_t*> FScanLines;
};

// Builds the region data block (a 32-byte header, then 16 bytes a rectangle: one rectangle per run of
// black pixels, top row first, left to right) of Mask offset by (X, Y) into Data, and returns its size.
// An empty mask returns 0 and leaves Data as it was. There is no limit on the number of runs.
int MaskToRgnData(TBitmap* Mask, int X, int Y, std::vector<std::uint8_t>& Data);
// The region of Mask; 0 (null) for an empty mask. The caller owns the region.
void MaskToRegion(HRGN& Rgn, TBitmap* Mask);
// The region of a nine-part frame mask at AW x AH: the client rectangle and the four border strips cut
// from the mask by CreateSkinBorderImages. 0 when the frame is smaller than its corners or its client
// rectangle is empty.
void CreateSkinRegion(HRGN& Rgn, const TPoint& LTPoint, const TPoint& RTPoint, const TPoint& LBPoint,
    const TPoint& RBPoint, const TRect& ClRect, const TPoint& NewLTPoint, const TPoint& NewRTPoint,
    const TPoint& NewLBPoint, const TPoint& NewRBPoint, const TRect& NewClRect, TBitmap* Mask, int AW, int AH);
