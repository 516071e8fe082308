#include "skin/grids/GridPainting.h"

#include <algorithm>

#include "skin/controls/SkinTileDraw.h"
#include "skin/data/SkinEntryFont.h"
#include "skin/data/SkinImages.h"
#include "skin/data/SkinRects.h"
#include "skin/data/TskDataSkinMainMenuBar.h"

TColor GridLineDrawColor(TColor Color)
{
    return ColorToRGB(Color) == 0xC0C0C0 ? clGray : Color;
}

void PaintGridLines(TCanvas* C, const TGridAxisInfo& H, const TGridAxisInfo& V, const TGridLinesLook& Look)
{
    const TColor line = GridLineDrawColor(Look.LineColor);
    C->Brush()->SetStyle(bsSolid);
    const auto fill = [&](const TRect& R) {
        C->FillRect(Look.MirrorWidth > 0 ? Rect(Look.MirrorWidth - R.Right, R.Top, Look.MirrorWidth - R.Left, R.Bottom) : R);
    };
    const auto region = [&](int firstCol, int firstRow, int startX, int startY, int stopX, int stopY, bool vert,
                            bool horz, TColor gap) {
        if (stopX <= startX || stopY <= startY)
            return;
        if (H.EffectiveLineWidth > 0) {
            C->Brush()->SetColor(vert ? line : gap);
            int x = startX;
            for (int col = firstCol; col < H.GridCellCount && x < stopX; ++col) {
                x += H.Extent(col);
                fill(Rect(x, startY, std::min(x + H.EffectiveLineWidth, stopX), stopY));
                x += H.EffectiveLineWidth;
            }
        }
        if (V.EffectiveLineWidth > 0) {
            C->Brush()->SetColor(horz ? line : gap);
            int y = startY;
            for (int row = firstRow; row < V.GridCellCount && y < stopY; ++row) {
                y += V.Extent(row);
                fill(Rect(startX, y, stopX, std::min(y + V.EffectiveLineWidth, stopY)));
                y += V.EffectiveLineWidth;
            }
        }
    };
    const int bodyX = H.FixedBoundary - H.Offset;
    region(0, 0, 0, 0, H.FixedBoundary, V.FixedBoundary, Look.FixedVert, Look.FixedHorz, Look.FixedGapColor);
    region(H.FirstGridCell, 0, bodyX, 0, H.GridBoundary, V.FixedBoundary, Look.FixedVert, Look.FixedHorz,
        Look.FixedGapColor);
    region(0, V.FirstGridCell, 0, V.FixedBoundary, H.FixedBoundary, V.GridBoundary, Look.FixedVert, Look.FixedHorz,
        Look.FixedGapColor);
    region(H.FirstGridCell, V.FirstGridCell, bodyX, V.FixedBoundary, H.GridBoundary, V.GridBoundary, Look.Vert,
        Look.Horz, Look.BodyGapColor);
}

void PaintSkinCell(TCanvas* C, const TskDataSkinGridControl& Entry, TBitmap* Picture, const TRect& R,
    TGridDrawState State, const TSkinCellLook& Look, TFont* Font)
{
    const bool fixed = State.Contains(gdFixed);
    const bool focusLook = !fixed && (State.Contains(gdFocused) || (Look.RowSelect && State.Contains(gdSelected)));
    // An entry may give only one of the two selection images: the other look borrows it.
    const TRect selectRect = IsEmptyRect(Entry.SelectCellRect) ? Entry.FocusCellRect : Entry.SelectCellRect;
    const TRect focusRect = IsEmptyRect(Entry.FocusCellRect) ? Entry.SelectCellRect : Entry.FocusCellRect;
    const TRect image = fixed ? Entry.FixedCellRect : focusLook ? focusRect : selectRect;
    const int lo = fixed ? Entry.FixedCellLeftOffset : Entry.CellLeftOffset;
    const int ro = fixed ? Entry.FixedCellRightOffset : Entry.CellRightOffset;
    const TRect& text = fixed ? Entry.FixedCellTextRect : Entry.CellTextRect;
    const bool stretch = fixed ? Entry.FixedCellStretchEffect : Entry.CellStretchEffect;

    // The fixed cells have a face of their own in the entry.
    const TskEntryFont fixedFace =
        fixed ? TskEntryFont(Entry.FixedFontName, Entry.FixedFontHeight, Entry.FixedFontStyle) : TskEntryFont();
    const TskEntryFont* face = fixed ? &fixedFace : &Entry;
    SelectEntryFont(C->Font(), Font, Look.UseSkinFont ? face : nullptr, Look.Skin, Font->Charset());
    C->Font()->SetColor(fixed ? Entry.FixedFontColor : focusLook ? Entry.FocusFontColor : Entry.SelectFontColor);
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(Entry.BGColor);
    if (IsEmptyRect(ClipToPicture(Picture, image))) {
        C->FillRect(R);
        return;
    }
    TBitmap b;
    if (Look.UseSkinCellHeight) {
        CreateHSkinImage(lo, ro, &b, Picture, image, R.Width(), image.Height(), stretch);
    } else {
        b.SetSize(R.Width(), R.Height());
        CreateStretchSkinImage(&b, Picture, image, Rect(lo, text.Top, image.Width() - ro, text.Bottom), true);
    }
    if (Entry.ShowFocus && State.Contains(gdFocused) && !Look.RowSelect && !fixed)
        b.Canvas()->DrawFocusRect(Rect(1, 1, b.Width() - 1, b.Height() - 1));
    // The image covers the cell; a row lower than the image shows the image's height and the
    // background colour below it.
    const int w = std::min(b.Width(), R.Width());
    const int h = std::min(b.Height(), R.Height());
    C->CopyRect(Rect(R.Left, R.Top, R.Left + w, R.Top + h), b.Canvas(), Rect(0, 0, w, h));
    if (h < R.Height())
        C->FillRect(Rect(R.Left, R.Top + h, R.Right, R.Bottom));
}

TRect SkinCellTextRect(const TskDataSkinGridControl& Entry, const TRect& Cell, bool Fixed, bool UseSkinCellHeight)
{
    const TRect& text = Fixed ? Entry.FixedCellTextRect : Entry.CellTextRect;
    if (IsEmptyRect(text))
        return Cell;
    TRect image = Fixed ? Entry.FixedCellRect : Entry.SelectCellRect;
    if (!Fixed && IsEmptyRect(image))
        image = Entry.FocusCellRect;
    const int left = Cell.Left + text.Left;
    const int top = Cell.Top + text.Top;
    const int width = text.Width() + (Cell.Width() - image.Width());
    const int height = text.Height() + (UseSkinCellHeight ? 0 : Cell.Height() - image.Height());
    return Rect(left, top, left + width, top + height);
}
