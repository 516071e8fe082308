#include "skin/controls/SkinTileDraw.h"

#include <algorithm>

TRect ClipToPicture(TBitmap* Src, const TRect& R)
{
    if (Src == nullptr || Src->Empty()) return Rect(0, 0, 0, 0);
    TRect out = Rect(std::max(R.Left, 0), std::max(R.Top, 0), std::min(R.Right, Src->Width()),
        std::min(R.Bottom, Src->Height()));
    if (out.IsEmpty()) return Rect(0, 0, 0, 0);
    return out;
}

void TileDraw(TCanvas* Canvas, TBitmap* Src, const TRect& SrcR, const TRect& DestR)
{
    const TRect piece = ClipToPicture(Src, SrcR);
    // The step of both loops is the piece's size: an empty piece must never reach them.
    if (piece.IsEmpty() || DestR.IsEmpty()) return;
    // Plain copies go in one pass; other copy modes (and a picture tiled onto itself) copy by copy.
    if (Canvas->TileRect(DestR, Src->Canvas(), piece)) return;
    const int w = piece.Width();
    const int h = piece.Height();
    for (int y = DestR.Top; y < DestR.Bottom; y += h) {
        const int ch = std::min(h, DestR.Bottom - y);
        for (int x = DestR.Left; x < DestR.Right; x += w) {
            const int cw = std::min(w, DestR.Right - x);
            Canvas->CopyRect(Rect(x, y, x + cw, y + ch), Src->Canvas(),
                Rect(piece.Left, piece.Top, piece.Left + cw, piece.Top + ch));
        }
    }
}

void StretchTileDraw(TCanvas* Canvas, TBitmap* Src, const TRect& SrcR, const TRect& DestR, int StretchType)
{
    const TRect piece = ClipToPicture(Src, SrcR);
    if (piece.IsEmpty() || DestR.IsEmpty()) return;
    if (StretchType != 1 && StretchType != 2) {
        Canvas->CopyRect(DestR, Src->Canvas(), piece);
        return;
    }
    // A strip of the piece stretched along one side, then tiled along the other.
    TBitmap strip;
    if (StretchType == 1)
        strip.SetSize(piece.Width(), DestR.Height());
    else
        strip.SetSize(DestR.Width(), piece.Height());
    strip.Canvas()->CopyRect(Rect(0, 0, strip.Width(), strip.Height()), Src->Canvas(), piece);
    TileDraw(Canvas, &strip, Rect(0, 0, strip.Width(), strip.Height()), DestR);
}
