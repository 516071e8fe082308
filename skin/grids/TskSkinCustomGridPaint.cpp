#include "skin/grids/TskSkinCustomGrid.h"

// How the grid paints itself: the skin's "grid" entry or the plain default look, cell by cell.
#include <algorithm>

#include "platform/gfx/Drawing.h"
#include "skin/controls/SkinTileDraw.h"
#include "skin/data/SkinDrawUtils.h"
#include "skin/data/SkinEntryFont.h"
#include "skin/data/SkinImages.h"
#include "skin/data/SkinRects.h"
#include "skin/data/TskDataSkinMainMenuBar.h"
#include "skin/data/TskResourceStrData.h"
#include "skin/data/TskSkinData.h"


TRect TskSkinCustomGrid::CellTextRect(int, int, const TRect& ARect, TGridDrawState AState) const
{
    const TskDataSkinGridControl* entry = GridEntry();
    if (entry == nullptr)
        return ARect;
    const TRect r = SkinCellTextRect(*entry, ARect, AState.Contains(gdFixed), FUseSkinCellHeight);
    // In right-to-left layout the skin's text place is mirrored inside the cell.
    if (!UseRightToLeftAlignment())
        return r;
    return Rect(ARect.Left + (ARect.Right - r.Right), r.Top, ARect.Right - (r.Left - ARect.Left), r.Bottom);
}

void TskSkinCustomGrid::Paint()
{
    if (Width() < 1 || Height() < 1)
        return;
    FindSkinObject();
    TCanvas* c = Canvas();
    PaintBackground(c);
    const TGridAxisInfo h = HorzAxis();
    const TGridAxisInfo v = VertAxis();
    PaintLines(c, h, v);
    const int bodyX = h.FixedBoundary - h.Offset;
    const TGridDrawState fixed{gdFixed};
    PaintCells(c, 0, 0, 0, 0, h.FixedBoundary, v.FixedBoundary, FFixedColor, fixed, h, v);
    PaintCells(c, FTopLeft.X, 0, bodyX, 0, h.GridBoundary, v.FixedBoundary, FFixedColor, fixed, h, v);
    PaintCells(c, 0, FTopLeft.Y, 0, v.FixedBoundary, h.FixedBoundary, v.GridBoundary, FFixedColor, fixed, h, v);
    PaintCells(c, FTopLeft.X, FTopLeft.Y, bodyX, v.FixedBoundary, h.GridBoundary, v.GridBoundary, Color(), {}, h, v);
    if (!Designing() && FOptions.Contains(goRowSelect) && FDefaultDrawing && Focused() && !Skinned()) {
        const TRect r = BoxRect(Selection());
        if (!r.IsEmpty())
            c->DrawFocusRect(r);
    }
    // What lies beyond the last column and below the last row.
    if (!FTransparent && (!Skinned() || FBGPicture == nullptr)) {
        const auto* entry = GridEntry();
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(entry != nullptr ? entry->BGColor : Color());
        const int w = ClientW();
        const int hgt = ClientH();
        if (h.GridBoundary < w)
            c->FillRect(FlipRect(Rect(h.GridBoundary, 0, w, hgt)));
        if (v.GridBoundary < hgt)
            c->FillRect(FlipRect(Rect(0, v.GridBoundary, std::min(h.GridBoundary, w), hgt)));
    }
}

void TskSkinCustomGrid::PaintBackground(TCanvas* C)
{
    const TRect client = Rect(0, 0, ClientW(), ClientH());
    if (FTransparent) {
        TBitmap buffer(client.Width(), client.Height());
        if (FWallpaper->Empty())
            PaintParentBackground(this, buffer.Canvas());
        else if (FWallpaperStretch)
            buffer.Canvas()->StretchDraw(client, FWallpaper);
        else
            TileDraw(buffer.Canvas(), FWallpaper, Rect(0, 0, FWallpaper->Width(), FWallpaper->Height()), client);
        C->Draw(0, 0, &buffer);
    } else if (Skinned() && FBGPicture != nullptr) {
        TileDraw(C, FBGPicture, Rect(0, 0, FBGPicture->Width(), FBGPicture->Height()), client);
    }
}

void TskSkinCustomGrid::PaintLines(TCanvas* C, const TGridAxisInfo& H, const TGridAxisInfo& V)
{
    const auto* entry = GridEntry();
    TGridLinesLook look;
    look.FixedVert = FOptions.Contains(goFixedVertLine);
    look.FixedHorz = FOptions.Contains(goFixedHorzLine);
    look.Vert = FOptions.Contains(goVertLine);
    look.Horz = FOptions.Contains(goHorzLine);
    look.LineColor = entry != nullptr ? entry->LinesColor : FGridLineColor;
    look.FixedGapColor = entry != nullptr ? entry->BGColor : FFixedColor;
    look.BodyGapColor = entry != nullptr ? entry->BGColor : Color();
    look.MirrorWidth = UseRightToLeftAlignment() ? ClientW() : 0;
    PaintGridLines(C, H, V, look);
}

void TskSkinCustomGrid::PaintCells(TCanvas* C, int ACol, int ARow, int StartX, int StartY, int StopX, int StopY,
    TColor Color, TGridDrawState Base, const TGridAxisInfo& H, const TGridAxisInfo& V)
{
    const TRect clip = C->ClipRect();
    const TGridRect sel = Selection();
    const bool active = IsActiveControl();
    // The editor shows the current cell's text itself: the grid leaves that cell to it.
    const bool editing = FOptions.Contains(goEditing) && FEditorMode && !Designing();
    int y = StartY;
    for (int row = ARow; row < FRowCount && y < StopY; ++row) {
        const int rowH = RowHeights(row);
        int x = StartX;
        for (int col = ACol; col < FColCount && x < StopX; ++col) {
            const int colW = ColWidths(col);
            const TRect r = FlipRect(Rect(x, y, x + colW, y + rowH));
            if (colW > 0 && rowH > 0 && r.Right > clip.Left && r.Left < clip.Right && r.Bottom > clip.Top &&
                r.Top < clip.Bottom) {
                TGridDrawState state = Base;
                if (active && col == FCurrent.X && row == FCurrent.Y)
                    state.Include(gdFocused);
                if (col >= sel.Left && col <= sel.Right && row >= sel.Top && row <= sel.Bottom)
                    state.Include(gdSelected);
                if (!(editing && state.Contains(gdFocused)))
                    PaintCell(C, col, row, r, state, Color);
            }
            x += colW + H.EffectiveLineWidth;
        }
        y += rowH + V.EffectiveLineWidth;
    }
}

void TskSkinCustomGrid::PaintCell(TCanvas* C, int ACol, int ARow, const TRect& R, TGridDrawState State, TColor Color)
{
    const bool fixed = State.Contains(gdFixed);
    if (FDefaultDrawing || Designing()) {
        C->Brush()->SetStyle(bsSolid);
        if (!Skinned()) {
            C->Font()->Assign(Font());
            const bool plain = !State.Contains(gdSelected) ||
                               (State.Contains(gdFocused) && !FOptions.Contains(goDrawFocusSelected) &&
                                   !FOptions.Contains(goRowSelect));
            if (plain) {
                C->Brush()->SetColor(Color);
                if (!FTransparent || fixed)
                    C->FillRect(R);
                if (fixed)
                    DrawFrame3D(C, R, clBtnHighlight, clBtnShadow);
            } else {
                C->Brush()->SetColor(clHighlight);
                C->FillRect(R);
                C->Font()->SetColor(clHighlightText);
            }
        } else if (!fixed && !State.Contains(gdSelected) && !State.Contains(gdFocused)) {
            const auto* entry = GridEntry();
            SelectEntryFont(C->Font(), Font(), FUseSkinFont ? entry : nullptr, SkinData(), Font()->Charset());
            if (FUseSkinFont) C->Font()->SetColor(entry->FontColor);
            C->Brush()->SetColor(entry->BGColor);
            if (FBGPicture == nullptr && !FTransparent)
                C->FillRect(R);
        } else {
            PaintSkinCellImage(C, R, State);
        }
    }
    DrawCell(ACol, ARow, R, State);
    if (!Skinned() && FDefaultDrawing && !Designing() && State.Contains(gdFocused) &&
        !(FOptions.Contains(goEditing) && FOptions.Contains(goAlwaysShowEditor)) && !FOptions.Contains(goRowSelect))
        C->DrawFocusRect(R);
}

void TskSkinCustomGrid::PaintSkinCellImage(TCanvas* C, const TRect& R, TGridDrawState State)
{
    TSkinCellLook look;
    look.RowSelect = FOptions.Contains(goRowSelect);
    look.UseSkinFont = FUseSkinFont;
    look.UseSkinCellHeight = FUseSkinCellHeight;
    look.Skin = SkinData();
    PaintSkinCell(C, *GridEntry(), FCellsPicture, R, State, look, Font());
}
