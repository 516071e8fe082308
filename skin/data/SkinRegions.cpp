#include "skin/data/SkinRegions.h"

#include <cstring>

#include "skin/data/SkinImages.h"
#include "skin/data/SkinRects.h"

TFBitmap::TFBitmap(HBITMAP Handle)
{
    if (!Handle || Handle->Empty())
        return;
    FWidth = Handle->Width();
    FHeight = Handle->Height();
    FRowInc = TSurface::RowBytes24(FWidth);
    FBits.resize(static_cast<std::size_t>(FRowInc) * FHeight);
    Handle->ReadRgb24(FBits.data());
    FScanLines.resize(static_cast<std::size_t>(FHeight));
    for (int i = 0; i < FHeight; ++i)
        FScanLines[static_cast<std::size_t>(i)] = FBits.data() + static_cast<std::size_t>(i) * FRowInc;
}

int MaskToRgnData(TBitmap* Mask, int X, int Y, std::vector<std::uint8_t>& Data)
{
    if (!Mask || Mask->Empty())
        return 0;
    const TFBitmap bits(Mask->Handle());
    const int w = bits.Width(), h = bits.Height();
    std::vector<TRect> rects;
    for (int r = 0; r < h; ++r) {
        const std::uint8_t* row = bits.ScanLines(r);
        auto black = [row](int x) { return row[3 * x] + row[3 * x + 1] + row[3 * x + 2] == 0; };
        int x = 0;
        while (x < w) {
            if (!black(x)) {
                ++x;
                continue;
            }
            int e = x + 1;
            while (e < w && black(e))
                ++e;
            rects.push_back({X + x, Y + r, X + e, Y + r + 1});
            x = e;
        }
    }
    RGNDATAHEADER header;
    header.nCount = static_cast<DWORD>(rects.size());
    header.rcBound = {X, Y, X + w, Y + h};
    const std::size_t size = sizeof(header) + rects.size() * sizeof(TRect);
    Data.assign(size, 0);
    std::memcpy(Data.data(), &header, sizeof(header));
    if (!rects.empty())
        std::memcpy(Data.data() + sizeof(header), rects.data(), rects.size() * sizeof(TRect));
    return static_cast<int>(size);
}

namespace {

HRGN RegionOf(TBitmap* Mask, int X, int Y)
{
    std::vector<std::uint8_t> data;
    const int size = MaskToRgnData(Mask, X, Y, data);
    if (size == 0)
        return nullptr;
    return ExtCreateRegion(nullptr, static_cast<DWORD>(size), data.data());
}

}  // namespace

void MaskToRegion(HRGN& Rgn, TBitmap* Mask)
{
    Rgn = RegionOf(Mask, 0, 0);
}

void CreateSkinRegion(HRGN& Rgn, const TPoint& LTPoint, const TPoint& RTPoint, const TPoint& LBPoint,
    const TPoint& RBPoint, const TRect& ClRect, const TPoint& NewLTPoint, const TPoint& NewRTPoint,
    const TPoint& NewLBPoint, const TPoint& NewRBPoint, const TRect& NewClRect, TBitmap* Mask, int AW, int AH)
{
    Rgn = nullptr;
    // The strips are merged into the client rectangle's region: without a client there is nothing to
    // merge them into, and the window keeps its plain rectangle.
    if (NewLTPoint.X > NewRTPoint.X || NewLTPoint.Y > NewLBPoint.Y || IsEmptyRect(NewClRect))
        return;
    TBitmap top, bottom, left, right;
    CreateSkinBorderImages(LTPoint, RTPoint, LBPoint, RBPoint, ClRect, NewLTPoint, NewRTPoint, NewLBPoint,
        NewRBPoint, NewClRect, Mask, &top, &left, &right, &bottom, AW, AH);
    HRGN pieces[] = {
        CreateRectRgnIndirect(NewClRect),
        RegionOf(&top, 0, 0),
        RegionOf(&bottom, 0, NewClRect.Bottom),
        RegionOf(&left, 0, NewClRect.Top),
        RegionOf(&right, NewClRect.Right, NewClRect.Top),
    };
    // Every piece that exists counts, whichever of them is missing; the first one found becomes the
    // result and the others are merged into it.
    for (HRGN& piece : pieces) {
        if (!piece)
            continue;
        if (!Rgn) {
            Rgn = piece;
            piece = nullptr;
            continue;
        }
        CombineRgn(Rgn, Rgn, piece, RGN_OR);
        DeleteObject(piece);
        piece = nullptr;
    }
}
