#include "skin/grids/ShellPictures.h"

#include "platform/vcl/Graphics.h"
#include "platform/vcl/TBitmap.h"
#include "platform/vcl/TCanvas.h"

namespace {

void Fill(TCanvas* C, TColor Colour, int X1, int Y1, int X2, int Y2)
{
    C->Brush()->SetColor(Colour);
    C->FillRect(Rect(X1, Y1, X2, Y2));
}

// A closed yellow folder with a dark outline in (X, Y) .. (X + 14, Y + 11).
void Folder(TCanvas* C, int X, int Y)
{
    Fill(C, clOlive, X, Y, X + 7, Y + 3);
    Fill(C, clOlive, X, Y + 2, X + 14, Y + 11);
    Fill(C, clYellow, X + 1, Y + 3, X + 13, Y + 10);
}

void Arrow(TCanvas* C, const std::vector<TPoint>& Head, int X1, int Y1, int X2, int Y2)
{
    C->Brush()->SetColor(clGreen);
    C->Pen()->SetColor(clGreen);
    C->Polygon(Head);
    Fill(C, clGreen, X1, Y1, X2, Y2);
}

} // namespace

void PaintToolGlyph(TBitmap& B, TskToolGlyph Glyph)
{
    B.SetSize(16, 16);
    TCanvas* c = B.Canvas();
    c->Brush()->SetStyle(bsSolid);
    Fill(c, clFuchsia, 0, 0, 16, 16);
    switch (Glyph) {
    case tgBack: // an arrow pointing left
        Arrow(c, {TPoint{1, 8}, TPoint{7, 2}, TPoint{7, 14}}, 7, 6, 15, 11);
        break;
    case tgUp: // a folder with an arrow pointing up out of it
        Folder(c, 0, 4);
        Arrow(c, {TPoint{11, 0}, TPoint{6, 5}, TPoint{15, 5}}, 9, 5, 13, 11);
        break;
    case tgNewFolder: // a folder with a spark in its corner
        Folder(c, 0, 4);
        Fill(c, clRed, 12, 0, 13, 5);
        Fill(c, clRed, 10, 2, 15, 3);
        break;
    case tgViewStyle: // four small rows of items
        for (int row = 0; row < 4; ++row) {
            const int y = 2 + row * 3;
            Fill(c, clNavy, 1, y, 4, y + 2);
            Fill(c, clGray, 6, y, 15, y + 2);
        }
        break;
    }
    B.SetTransparentColor(clFuchsia);
}
