#include "platform/vcl/TCanvas.h"

#include "platform/gfx/Blits.h"
#include "platform/gfx/Drawing.h"
#include "platform/gfx/Text.h"
#include "platform/rtl/Exceptions.h"
#include "platform/vcl/TBitmap.h"

TCanvas::TCanvas() : FFont(new TFont), FPen(new TPen), FBrush(new TBrush) {}

TCanvas::~TCanvas()
{
    SetHandle(nullptr);
    delete FFont;
    delete FPen;
    delete FBrush;
}

HDC TCanvas::Handle()
{
    if (FHandle == nullptr) CreateHandle();
    if (FHandle == nullptr) throw EInvalidOperation("Canvas does not allow drawing");
    return FHandle;
}

void TCanvas::DeselectHandles()
{
    if (FHandle == nullptr) return;
    if (FOldFont != nullptr) SelectObject(FHandle, FOldFont);
    if (FOldPen != nullptr) SelectObject(FHandle, FOldPen);
    if (FOldBrush != nullptr) SelectObject(FHandle, FOldBrush);
    FOldFont = nullptr;
    FOldPen = nullptr;
    FOldBrush = nullptr;
}

void TCanvas::SetHandle(HDC Value)
{
    if (Value == FHandle) return;
    DeselectHandles();
    FHandle = Value;
}

void TCanvas::RequireTools()
{
    HDC dc = Handle();
    // The tools' handles are remade after every change, so selecting them each time is what keeps the
    // DC up to date; the graphics layer keeps a selected object alive until it is deselected.
    HFONT oldFont = SelectObject(dc, FFont->Handle());
    if (FOldFont == nullptr) FOldFont = oldFont;
    HPEN oldPen = SelectObject(dc, FPen->Handle());
    if (FOldPen == nullptr) FOldPen = oldPen;
    HBRUSH oldBrush = SelectObject(dc, FBrush->Handle());
    if (FOldBrush == nullptr) FOldBrush = oldBrush;
    SetTextColor(dc, ColorToRGB(FFont->Color()));
    SetBkColor(dc, ColorToRGB(FBrush->Color()));
    SetBkMode(dc, FBrush->Style() == bsSolid ? OPAQUE : TRANSPARENT);
    static const int rop2[] = {1, 16, 11, 6, 13, 4, 14, 5, 12, 3, 15, 2, 9, 8, 7, 10};
    SetROP2(dc, rop2[FPen->Mode()]);
}

void TCanvas::Refresh()
{
    DeselectHandles();
}

void TCanvas::Changing()
{
    if (OnChanging) OnChanging(this);
}

void TCanvas::Changed()
{
    if (OnChange) OnChange(this);
}

TRect TCanvas::ClipRect()
{
    TRect r;
    GetClipBox(Handle(), r);
    return r;
}

void TCanvas::MoveTo(int X, int Y) { MoveToEx(Handle(), X, Y, nullptr); }

void TCanvas::LineTo(int X, int Y)
{
    Changing();
    RequireTools();
    ::LineTo(FHandle, X, Y);
    Changed();
}

void TCanvas::Polyline(const std::vector<TPoint>& Points)
{
    if (Points.empty()) return;
    Changing();
    RequireTools();
    ::Polyline(FHandle, Points.data(), static_cast<int>(Points.size()));
    Changed();
}

void TCanvas::Polygon(const std::vector<TPoint>& Points)
{
    if (Points.empty()) return;
    Changing();
    RequireTools();
    ::Polygon(FHandle, Points.data(), static_cast<int>(Points.size()));
    Changed();
}

void TCanvas::Rectangle(int X1, int Y1, int X2, int Y2)
{
    Changing();
    RequireTools();
    ::Rectangle(FHandle, X1, Y1, X2, Y2);
    Changed();
}

void TCanvas::RoundRect(int X1, int Y1, int X2, int Y2, int X3, int Y3)
{
    Changing();
    RequireTools();
    ::RoundRect(FHandle, X1, Y1, X2, Y2, X3, Y3);
    Changed();
}

void TCanvas::Ellipse(int X1, int Y1, int X2, int Y2)
{
    Changing();
    RequireTools();
    ::Ellipse(FHandle, X1, Y1, X2, Y2);
    Changed();
}

void TCanvas::FillRect(const TRect& R)
{
    Changing();
    RequireTools();
    ::FillRect(FHandle, R, FBrush->Handle());
    Changed();
}

void TCanvas::FrameRect(const TRect& R)
{
    Changing();
    RequireTools();
    ::FrameRect(FHandle, R, FBrush->Handle());
    Changed();
}

void TCanvas::DrawFocusRect(const TRect& R)
{
    Changing();
    RequireTools();
    ::DrawFocusRect(FHandle, R);
    Changed();
}

TColor TCanvas::Pixels(int X, int Y)
{
    COLORREF c = GetPixel(Handle(), X, Y);
    return c == CLR_INVALID ? clNone : static_cast<TColor>(c);
}

void TCanvas::SetPixels(int X, int Y, TColor Value)
{
    Changing();
    ::SetPixel(Handle(), X, Y, ColorToRGB(Value));
    Changed();
}

void TCanvas::TextOut(int X, int Y, const std::string& Text)
{
    Changing();
    RequireTools();
    ::TextOut(FHandle, X, Y, Text);
    // The pen moves to the end of the text, as on the original canvas.
    TSize s;
    GetTextExtentPoint32(FHandle, Text, s);
    MoveToEx(FHandle, X + s.cx, Y, nullptr);
    Changed();
}

void TCanvas::TextRect(const TRect& Rect, int X, int Y, const std::string& Text)
{
    Changing();
    RequireTools();
    UINT options = ETO_CLIPPED;
    if (FBrush->Style() != bsClear) options |= ETO_OPAQUE;
    ExtTextOut(FHandle, X, Y, options, &Rect, Text);
    Changed();
}

int TCanvas::TextRect(TRect& Rect, const std::string& Text, UINT Format)
{
    Changing();
    RequireTools();
    int h = DrawText(FHandle, Text, Rect, Format);
    Changed();
    return h;
}

TSize TCanvas::TextExtent(const std::string& Text)
{
    RequireTools();
    TSize s;
    GetTextExtentPoint32(FHandle, Text, s);
    return s;
}

void TCanvas::Draw(int X, int Y, TGraphic* Graphic)
{
    if (Graphic == nullptr || Graphic->Empty()) return;
    Changing();
    RequireTools();
    Graphic->Draw(this, Bounds(X, Y, Graphic->Width(), Graphic->Height()));
    Changed();
}

void TCanvas::StretchDraw(const TRect& Rect, TGraphic* Graphic)
{
    if (Graphic == nullptr || Graphic->Empty()) return;
    Changing();
    RequireTools();
    Graphic->Draw(this, Rect);
    Changed();
}

bool TCanvas::TileRect(const TRect& DestRect, TCanvas* Source, const TRect& SourceRect)
{
    if (Source == nullptr || FCopyMode != cmSrcCopy) return false;
    Changing();
    RequireTools();
    const bool done = TileBlt(FHandle, DestRect, Source->Handle(), SourceRect);
    Changed();
    return done;
}

void TCanvas::CopyRect(const TRect& DestRect, TCanvas* Source, const TRect& SourceRect)
{
    if (Source == nullptr) return;
    Changing();
    RequireTools();
    HDC src = Source->Handle();
    if (DestRect.Width() == SourceRect.Width() && DestRect.Height() == SourceRect.Height())
        BitBlt(FHandle, DestRect.Left, DestRect.Top, DestRect.Width(), DestRect.Height(), src, SourceRect.Left, SourceRect.Top, FCopyMode);
    else
        StretchBlt(FHandle, DestRect.Left, DestRect.Top, DestRect.Width(), DestRect.Height(), src, SourceRect.Left, SourceRect.Top,
                   SourceRect.Width(), SourceRect.Height(), FCopyMode);
    Changed();
}

void TCanvas::BrushCopy(const TRect& DestRect, TBitmap* Source, const TRect& SourceRect, TColor Color)
{
    if (Source == nullptr || Source->Empty()) return;
    Changing();
    RequireTools();
    TransparentBlt(FHandle, DestRect.Left, DestRect.Top, DestRect.Width(), DestRect.Height(), Source->Canvas()->Handle(), SourceRect.Left,
                   SourceRect.Top, SourceRect.Width(), SourceRect.Height(), ColorToRGB(Color));
    Changed();
}
