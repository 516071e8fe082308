#pragma once
// A drawing surface: a device context of the graphics layer with a font, a pen and a brush that
// are selected into it before each drawing call. The canvas does not own its DC unless a subclass
// makes one (CreateHandle); a bitmap's canvas and a control's canvas do.
#include <string>
#include <vector>

#include "platform/gfx/TDeviceContext.h"
#include "platform/vcl/Graphics.h"

class TGraphic;
class TBitmap;

constexpr DWORD cmSrcCopy = 0x00CC0020;

class TCanvas : public TPersistent {
public:
    TCanvas();
    ~TCanvas() override;
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    // The device context; subclasses make one on first use.
    HDC Handle();
    void SetHandle(HDC Value);
    bool HandleAllocated() const { return FHandle != nullptr; }

    TFont* Font() const { return FFont; }
    void SetFont(TFont* Value) { FFont->Assign(Value); }
    TPen* Pen() const { return FPen; }
    TBrush* Brush() const { return FBrush; }
    DWORD CopyMode() const { return FCopyMode; }
    // The clip box in logical coordinates.
    TRect ClipRect();

    void MoveTo(int X, int Y);
    void LineTo(int X, int Y);
    void Polyline(const std::vector<TPoint>& Points);
    void Polygon(const std::vector<TPoint>& Points);
    void Rectangle(int X1, int Y1, int X2, int Y2);
    void Rectangle(const TRect& R) { Rectangle(R.Left, R.Top, R.Right, R.Bottom); }
    void RoundRect(int X1, int Y1, int X2, int Y2, int X3, int Y3);
    void Ellipse(int X1, int Y1, int X2, int Y2);
    void Ellipse(const TRect& R) { Ellipse(R.Left, R.Top, R.Right, R.Bottom); }
    void FillRect(const TRect& R);
    void FrameRect(const TRect& R);
    void DrawFocusRect(const TRect& R);
    TColor Pixels(int X, int Y);
    void SetPixels(int X, int Y, TColor Value);

    void TextOut(int X, int Y, const std::string& Text);
    // Text clipped to Rect, its top-left at (X, Y); the rectangle is filled first with a solid brush.
    void TextRect(const TRect& Rect, int X, int Y, const std::string& Text);
    // DrawText into Rect with the given DT_* flags; returns the text height.
    int TextRect(TRect& Rect, const std::string& Text, UINT Format);
    TSize TextExtent(const std::string& Text);
    int TextWidth(const std::string& Text) { return TextExtent(Text).cx; }
    int TextHeight(const std::string& Text) { return TextExtent(Text).cy; }

    void Draw(int X, int Y, TGraphic* Graphic);
    void StretchDraw(const TRect& Rect, TGraphic* Graphic);
    // Copies Source's SourceRect into DestRect with CopyMode, scaling when the sizes differ.
    void CopyRect(const TRect& DestRect, TCanvas* Source, const TRect& SourceRect);
    // Fills DestRect with copies of Source's SourceRect laid side by side from its top-left corner (the
    // last ones cut at the right and bottom), in one pass: what CopyRect of each copy in turn gives with
    // the copy mode cmSrcCopy. False, and nothing drawn, when it cannot be done so: another copy mode, a
    // SourceRect not wholly inside Source's picture, or Source drawing on this canvas's own picture.
    bool TileRect(const TRect& DestRect, TCanvas* Source, const TRect& SourceRect);
    // Copies Source's SourceRect into DestRect, leaving out the pixels of Color.
    void BrushCopy(const TRect& DestRect, TBitmap* Source, const TRect& SourceRect, TColor Color);

    void Lock() {}
    void Refresh();

    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

protected:
    virtual void CreateHandle() {}
    // Selects the tools into the DC before drawing; subclasses' DCs come and go, so this is cheap.
    void RequireTools();
    void Changing();
    void Changed();

private:
    void DeselectHandles();
    HDC FHandle = nullptr;
    TFont* FFont;
    TPen* FPen;
    TBrush* FBrush;
    DWORD FCopyMode = cmSrcCopy;
    // What the DC had before we selected ours, restored when the handle is let go.
    HFONT FOldFont = nullptr;
    HPEN FOldPen = nullptr;
    HBRUSH FOldBrush = nullptr;
};
