// The frame's geometry at the current size, its hit tests, its window region and its painting, from
// the skin or in the plain default look. Part of TskFormFrame (see TskFormFrame.h).
#include <algorithm>

#include "platform/gfx/Blits.h"
#include "platform/gfx/Text.h"
#include "platform/rtl/ScopeGuards.h"
#include "platform/vcl/Graphics.h"
#include "platform/vcl/TBitmap.h"
#include "platform/vcl/TCanvas.h"
#include "platform/vcl/TForm.h"
#include "platform/win/Paint.h"
#include "platform/win/Window.h"
#include "skin/data/SkinDrawUtils.h"
#include "skin/data/SkinImages.h"
#include "skin/data/SkinIni.h"
#include "skin/data/SkinMessages.h"
#include "skin/data/SkinPlatform.h"
#include "skin/data/SkinRegions.h"
#include "skin/data/TskEffectBmp.h"
#include "skin/data/TskSkinData.h"
#include "skin/form/TskActiveSkinObject.h"
#include "skin/form/TskFormFrame.h"

namespace {

enum { StripTop, StripLeft, StripRight, StripBottom };

void FillSolid(TCanvas* C, const TRect& R, TColor Color)
{
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(Color);
    C->FillRect(R);
}

// The window's own device context when none is given, released at the end of the paint.
struct TFrameDC {
    TFrameDC(HWND AWnd, HDC Given, bool Client) : Wnd(AWnd), DC(Given)
    {
        if (DC == nullptr && Wnd != 0) {
            DC = Client ? GetDC(Wnd) : GetWindowDC(Wnd);
            Owned = true;
        }
        if (DC != nullptr) Saved = SaveDC(DC);
    }
    ~TFrameDC()
    {
        if (DC != nullptr && Saved != 0) RestoreDC(DC, Saved);
        if (Owned) ReleaseDC(Wnd, DC);
    }
    TFrameDC(const TFrameDC&) = delete;
    TFrameDC& operator=(const TFrameDC&) = delete;
    HWND Wnd;
    HDC DC;
    bool Owned = false;
    int Saved = 0;
};

void ApplyInactiveEffect(TskEffectBmp& E, int Effect)
{
    switch (Effect) {
    case ieBrightness: E.ChangeBrightness(0.5); break;
    case ieDarkness: E.ChangeDarkness(0.3); break;
    case ieGrayScale: E.Grayscale(); break;
    case ieNoise: E.AddNoise(50); break;
    case ieSplitBlur: E.SplitBlur(1); break;
    case ieInvert: E.Invert(); break;
    default: break;
    }
}

} // namespace

// ---- Geometry ----

void TskFormFrame::CalcSkinFrameLayout()
{
    if (FWidth == 0 || FHeight == 0) {
        FWidth = FForm->Width();
        FHeight = FForm->Height();
    }
    if (FSkinData == nullptr) {
        FLayout = TskFrameLayout{};
        return;
    }
    FLayout = CalcFrameLayout(*FSkinData, FWidth, FHeight);
    // The caption ends where the caption buttons begin.
    PlaceCaptionButtons();
}

TRect TskFormFrame::StretchSkinRect(const TRect& R) const
{
    if (FSkinData == nullptr) return R;
    return StretchFrameRect(*FSkinData, R, FLayout.Dx, FLayout.Dy);
}

void TskFormFrame::PlaceSkinObjects()
{
    // The objects of the rolled-up picture follow its own stretch, the others the frame's.
    for (const auto& o : FObjects)
        o->ObjectRect = (o->RollUp && !FSupportNCArea && FSkinData != nullptr && HasRollUpPicture(*FSkinData))
            ? StretchRollUpRect(*FSkinData, o->SkinRect, FLayout.Width > 0 ? FLayout.Width : FForm->Width())
            : StretchSkinRect(o->SkinRect);
    PlaceCaptionButtons();
    PlaceMainMenuItems();
}

int TskFormFrame::DefaultCaptionHeight() const
{
    const TFormBorderStyle b = FForm->BorderStyle();
    return (b == bsToolWindow || b == bsSizeToolWin) ? ::DefaultToolCaptionHeight : ::DefaultCaptionHeight;
}

TRect TskFormFrame::FrameClientRect()
{
    const int w = FWidth > 0 ? FWidth : FForm->Width();
    const int h = FHeight > 0 ? FHeight : FForm->Height();
    if (!FrameShown()) return TRect{0, 0, w, h};
    if (IsFrameSkinned() && FFrameOn) {
        CalcSkinFrameLayout();
        return FLayout.ClientRect;
    }
    return DefaultFrameClientRect(w, h, DefaultCaptionHeight());
}

int TskFormFrame::GetMinWidth()
{
    if (!FSupportNCArea) {
        if (!SkinUsable()) return 0;
        const int pw = FramePictureSize(*FSkinData).cx;
        return (FMinWidth > 0 && FMinWidth <= pw) ? FMinWidth : pw;
    }
    if (!SkinPaintsFrame()) return FMinWidth < 1 ? 130 : FMinWidth;
    const int pw = FramePictureSize(*FSkinData).cx;
    if (pw < FMinWidth && !Minimized()) return FMinWidth;
    if (FSkinData->FormMinWidth > 0) return FSkinData->FormMinWidth;
    return pw;
}

int TskFormFrame::GetMinHeight()
{
    if (!FSupportNCArea) {
        if (!SkinUsable()) return 0;
        if (ClientAreaRolledUp()) return FSkinData->RollUpPicture->Height();
        const int ph = FramePictureSize(*FSkinData).cy;
        return (FMinHeight > 0 && FMinHeight <= ph) ? FMinHeight : ph;
    }
    int h = SkinPaintsFrame() ? FramePictureSize(*FSkinData).cy - FSkinData->ClientRect.Height() : DefaultCaptionHeight() + 6;
    if (FMinHeight > h && !FRolledUp && !Minimized()) h = FMinHeight;
    return h;
}

int TskFormFrame::GetMaxWidth()
{
    TRect area;
    GetMonitorWorkArea(FForm->HandleAllocated() ? FForm->Handle() : 0, !FMaximizeOnFullScreen, area);
    return FMaxWidth > 0 ? std::min(FMaxWidth, area.Width()) : area.Width();
}

int TskFormFrame::GetMaxHeight()
{
    TRect area;
    GetMonitorWorkArea(FForm->HandleAllocated() ? FForm->Handle() : 0, !FMaximizeOnFullScreen, area);
    return FMaxHeight > 0 ? std::min(FMaxHeight, area.Height()) : area.Height();
}

// ---- Hit tests ----

namespace {

bool OverCaptionObject(const std::vector<std::unique_ptr<TskActiveSkinObject>>& Objects, int X, int Y)
{
    for (const auto& o : Objects)
        if (o->Kind == skokCaption && o->Visible && o->ObjectRect.Contains(TPoint{X, Y})) return true;
    return false;
}

} // namespace

LRESULT TskFormFrame::DefaultHitTest(int X, int Y)
{
    const int w = FWidth > 0 ? FWidth : FForm->Width();
    const int h = FHeight > 0 ? FHeight : FForm->Height();
    if (FWindowState == FrameStateNormal && !FRolledUp && FSizeable) {
        if (FActiveObject != -1) return HTOBJECT;
        if (const LRESULT border = DefaultBorderHitTest(X, Y, w, h); border != HTNOWHERE) return border;
    }
    const TPoint p{X, Y};
    LayoutDefaultButtons();
    if (FDefaultCaptionRect.Contains(p)) return HTCAPTION;
    if (DefaultFrameClientRect(w, h, DefaultCaptionHeight()).Contains(p)) return HTCLIENT;
    return HTOBJECT;
}

LRESULT TskFormFrame::SkinHitTest(int X, int Y)
{
    CalcSkinFrameLayout();
    const TPoint p{X, Y};
    const bool overCaption = OverCaptionObject(FObjects, X, Y);
    if (FRolledUp || Minimized()) return overCaption ? HTCAPTION : HTOBJECT;
    if (FActiveObject != -1 && !overCaption && !FLayout.ClientRect.Contains(p) && !FInSizeMoveLoop) return HTOBJECT;
    auto inner = [&]() -> LRESULT {
        if (FLayout.ClientRect.Contains(p)) return HTCLIENT;
        return overCaption ? HTCAPTION : HTOBJECT;
    };
    if (Maximized() || !FSizeable) return inner();

    const bool masked = FSkinData->Mask && !FSkinData->Mask->Empty();
    const TRect window{0, 0, FLayout.Width, FLayout.Height};
    bool onBorder = false;
    if (!masked) {
        onBorder = OnSkinSizingBorder(X, Y, FSkinData->BorderWidth, [&](int x, int y) { return window.Contains(TPoint{x, y}); });
    } else if (!FLayout.MaskRect.Contains(p)) {
        onBorder = OnSkinSizingBorder(X, Y, FSkinData->BorderWidth, [&](int x, int y) {
            if (!window.Contains(TPoint{x, y})) return false;
            return FRegion == nullptr || PtInRegion(FRegion, x, y) != FALSE;
        });
    }
    if (!onBorder) return inner();
    if (const LRESULT zone = SkinBorderZone(FLayout, X, Y); zone != HTNOWHERE) return zone;
    return inner();
}

LRESULT TskFormFrame::ClientHitTest(int X, int Y)
{
    if (!FSizeable || Maximized() || FRolledUp || FActiveObject != -1 || FSkinData == nullptr || FSkinData->SkinEmpty)
        return HTCLIENT;
    CalcSkinFrameLayout();
    const TPoint p{X, Y};
    if (FLayout.SizeGripRect.Contains(p)) return HTBOTTOMRIGHT;
    const TRect window{0, 0, FLayout.Width, FLayout.Height};
    const bool masked = FSkinData->Mask && !FSkinData->Mask->Empty();
    if (masked && FLayout.MaskRect.Contains(p)) return HTCLIENT;
    const bool onBorder = OnSkinSizingBorder(X, Y, FSkinData->BorderWidth, [&](int x, int y) {
        if (!window.Contains(TPoint{x, y})) return false;
        return !masked || FRegion == nullptr || PtInRegion(FRegion, x, y) != FALSE;
    });
    if (!onBorder) return HTCLIENT;
    const LRESULT zone = SkinBorderZone(FLayout, X, Y);
    return zone != HTNOWHERE ? zone : HTCLIENT;
}

// ---- Region ----

void TskFormFrame::SetFrameRegion(bool Repaint)
{
    if (!FFrameOn || FDestroying || !FForm->HandleAllocated()) return;
    const HWND h = FForm->Handle();
    CalcSkinFrameLayout();
    HRGN shape = nullptr;
    const bool loaded = FSkinData != nullptr && !FSkinData->SkinEmpty;
    const bool masked = loaded && FSkinData->Mask && !FSkinData->Mask->Empty();
    const bool maximizedChild = FForm->FormStyle() == fsMDIChild && Maximized();
    if (FSupportNCArea && FForm->BorderStyle() == bsNone) {
        shape = nullptr;
    } else if (ClientAreaRolledUp()) {
        // Rolled up inside the client area: the shape of the roll-up mask at the window's width.
        TBitmap mask;
        ComposeRollUpPicture(*FSkinData, FSkinData->RollUpMask.get(), FLayout.Width, mask);
        if (!mask.Empty()) MaskToRegion(shape, &mask);
        if (shape == nullptr) shape = CreateRectRgn(0, 0, FLayout.Width, FSkinData->RollUpPicture->Height());
    } else if (masked && !maximizedChild) {
        const TskSkinData& s = *FSkinData;
        CreateSkinRegion(shape, s.LeftTopPoint, s.RightTopPoint, s.LeftBottomPoint, s.RightBottomPoint, s.ClientRect,
            FLayout.LeftTop, FLayout.RightTop, FLayout.LeftBottom, FLayout.RightBottom, FLayout.ClientRect, s.Mask.get(),
            FLayout.Width, FLayout.Height);
        // The mask rectangle is always inside the shape.
        HRGN maskRect = CreateRectRgnIndirect(FLayout.MaskRect);
        if (shape == nullptr && FLayout.ClientRect.IsEmpty()) {
            // No client area (a rolled-up frame): the strips have nothing to join, and an empty mask
            // rectangle as the whole shape would hide the window. It keeps its plain rectangle.
            DeleteObject(maskRect);
            shape = CreateRectRgn(0, 0, FLayout.Width, FLayout.Height);
        } else if (shape == nullptr) {
            shape = maskRect;
        } else {
            CombineRgn(shape, shape, maskRect, RGN_OR);
            DeleteObject(maskRect);
        }
    } else if (loaded) {
        shape = CreateRectRgn(0, 0, FLayout.Width, FLayout.Height);
    }
    // Our own copy serves the hit test; the window takes the other and frees it itself.
    if (FRegion != nullptr) DeleteObject(FRegion);
    FRegion = shape;
    HRGN forWindow = nullptr;
    if (shape != nullptr) {
        forWindow = CreateRectRgn(0, 0, 0, 0);
        CombineRgn(forWindow, shape, nullptr, RGN_COPY);
    }
    SetWindowRgn(h, forWindow, Repaint ? TRUE : FALSE);
}

void TskFormFrame::UpdateSkinFrame(bool Repaint)
{
    if (Designing() || FDestroying || FSkinData == nullptr || FSkinData->SkinEmpty) return;
    if (FFrameOn) {
        CalcSkinFrameLayout();
        if (Repaint) PlaceSkinObjects();
    }
    PlaceAreaControls();
    SetFrameRegion(false);
    if (OnChangeClientRect) OnChangeClientRect(FLayout.ClientRect);
    if (!FForm->HandleAllocated()) return;
    if (FSupportNCArea) {
        if (FFrameOn) RepaintFrame();
        if (SkinUsable() && FSkinData->StretchEffect) {
            FForm->Invalidate();
            for (HWND child : GetChildWindows(FForm->Handle())) SendMessage(child, WM_SKPARENTBGCHANGED, 0, 0);
        }
    } else {
        FForm->Invalidate();
    }
}

// ---- Painting ----

void TskFormFrame::ComposeFrameStrips(bool ActiveLook)
{
    const TskSkinData& s = *FSkinData;
    TBitmap* picture = s.Picture.get();
    if (!ActiveLook && s.InActivePicture && !s.InActivePicture->Empty()) picture = s.InActivePicture.get();
    // A strip the picture cannot give at this size must not show what an earlier size left in it.
    for (auto& strip : FStrips) strip->SetSize(0, 0);
    const TSize size = FramePictureSize(s);
    CreateSkinImagePair(s.LeftTopPoint, s.RightTopPoint, s.LeftBottomPoint, s.RightBottomPoint, s.ClientRect,
        FLayout.LeftTop, FLayout.RightTop, FLayout.LeftBottom, FLayout.RightBottom, FLayout.ClientRect,
        FStrips[StripLeft].get(), FStrips[StripTop].get(), FStrips[StripRight].get(), FStrips[StripBottom].get(), picture,
        TRect{0, 0, size.cx, size.cy}, FLayout.Width, FLayout.Height, s.LeftStretch, s.TopStretch, s.RightStretch,
        s.BottomStretch);
}

void TskFormFrame::DrawObjectsIntoStrips()
{
    TBitmap* top = FStrips[StripTop].get();
    TBitmap* bottom = FStrips[StripBottom].get();
    for (const auto& o : FObjects) {
        if (!o->Visible || !InRollUpState(o.get())) continue;
        if (o->ObjectRect.Bottom > FLayout.ClientRect.Top) {
            if (bottom->Empty()) continue;
            // The bottom strip starts at the client bottom: the object paints shifted up by it.
            TCanvas* c = bottom->Canvas();
            TPoint old;
            SetViewportOrgEx(c->Handle(), 0, -FLayout.ClientRect.Bottom, &old);
            o->Draw(c, false);
            SetViewportOrgEx(c->Handle(), old.X, old.Y, nullptr);
        } else if (!top->Empty()) {
            o->Draw(top->Canvas(), false);
        }
    }
}

bool TskFormFrame::SkinPaintsFrame() const { return SkinUsable() && IsFrameSkinned(); }

void TskFormFrame::PaintFrame(HDC DC)
{
    // A skin that brings no frame of its own (only entries for controls) leaves the frame to the
    // default look; painting nothing would leave whatever the last skin drew there.
    if (SkinPaintsFrame())
        PaintSkinFrame(DC);
    else
        PaintDefaultFrame(DC);
}

void TskFormFrame::PaintSkinFrame(HDC DC)
{
    if (!IsFrameSkinned() || FDestroying) return;
    if (FWidth == 0 || FHeight == 0) CalcSkinFrameLayout();
    if (FWidth < GetMinWidth() || FHeight < GetMinHeight()) return;
    CalcSkinFrameLayout();
    PlaceSkinObjects();
    TFrameDC dc(FForm->HandleAllocated() ? FForm->Handle() : 0, DC, false);
    if (dc.DC == nullptr) return;
    const bool active = IsFormActive();
    ComposeFrameStrips(active);
    DrawObjectsIntoStrips();
    const TRect& client = FLayout.ClientRect;
    if (!client.IsEmpty()) ExcludeClipRect(dc.DC, client.Left, client.Top, client.Right, client.Bottom);

    const TPoint places[4] = {TPoint{0, 0}, TPoint{0, FStrips[StripTop]->Height()},
        TPoint{FLayout.Width - FStrips[StripRight]->Width(), FStrips[StripTop]->Height()},
        TPoint{0, FLayout.Height - FStrips[StripBottom]->Height()}};
    const bool effect = !active && FSkinData->AutoRenderingInActiveImage;
    for (int i = 0; i < 4; ++i) {
        TBitmap* strip = FStrips[i].get();
        if (strip->Empty()) continue;
        if (!effect) {
            BitBlt(dc.DC, places[i].X, places[i].Y, strip->Width(), strip->Height(), strip->Canvas()->Handle(), 0, 0, SRCCOPY);
            continue;
        }
        TskEffectBmp e(strip->Handle());
        ApplyInactiveEffect(e, FSkinData->InActiveEffect);
        e.DrawToDC(dc.DC, places[i].X, places[i].Y);
    }
}

void TskFormFrame::PaintDefaultFrame(HDC DC)
{
    if (FDestroying || (FSkinData != nullptr && FSkinData->SkinLoading)) return;
    if (FWidth == 0 || FHeight == 0) {
        FWidth = FForm->Width();
        FHeight = FForm->Height();
    }
    const int w = FWidth;
    const int h = FHeight;
    const int captionHeight = DefaultCaptionHeight();
    if (w <= 2 * DefaultFrameBorder || h <= 0) return;
    TFrameDC dc(FForm->HandleAllocated() ? FForm->Handle() : 0, DC, false);
    if (dc.DC == nullptr) return;

    if (FObjects.empty()) CreateDefaultCaptionButtons();
    LayoutDefaultButtons();

    // The caption, off-screen: face colour with grooves, the text interrupting them.
    TBitmap caption(w - 2 * DefaultFrameBorder, captionHeight);
    TCanvas* c = caption.Canvas();
    FillSolid(c, TRect{0, 0, caption.Width(), caption.Height()}, clBtnFace);
    const TRect captionRect = FDefaultCaptionRect;
    const int grooveLeft = captionRect.Left + 2 - DefaultFrameBorder;
    const int grooveRight = captionRect.Right - 6 - DefaultFrameBorder;
    for (int y = 2; y <= captionHeight - 4; ++y) {
        if (grooveRight <= grooveLeft) break;
        FillSolid(c, TRect{grooveLeft, y, grooveRight, y + 1}, ((y - 2) % 2 == 0) ? clBtnHighlight : clBtnShadow);
    }
    const bool active = IsFormActive();
    c->SetFont(active ? FDefCaptionFont.get() : FDefInActiveCaptionFont.get());
    TRect textArea = captionRect;
    OffsetRect(textArea, -DefaultFrameBorder, -DefaultFrameBorder);
    if (OnCaptionPaint) {
        OnCaptionPaint(c, textArea, active);
    } else if (std::string text = DefaultFrameCaption(); !text.empty()) {
        CorrectWideTextByWidth(c, text, std::max(0, textArea.Width() - 10));
        const int tw = WideTextWidth(c, text);
        const int th = WideTextHeight(c, text);
        const int x = (textArea.Left + textArea.Right) / 2 - (tw + 5) / 2;
        const int y = captionHeight / 2 - th / 2;
        FillSolid(c, TRect{x - 2, y, x + tw + 2, y + th}, clBtnFace);
        c->Brush()->SetStyle(bsClear);
        TRect r{x, y, x + tw + 5, y + th};
        DrawWideText(c, text, r, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
    }
    // The buttons, in window coordinates, onto the caption that starts three pixels in.
    TPoint oldOrigin;
    SetViewportOrgEx(c->Handle(), -DefaultFrameBorder, -DefaultFrameBorder, &oldOrigin);
    for (const auto& o : FObjects)
        if (o->Visible) o->Draw(c, false);
    SetViewportOrgEx(c->Handle(), oldOrigin.X, oldOrigin.Y, nullptr);

    const TRect client = DefaultFrameClientRect(w, h, captionHeight);
    ExcludeClipRect(dc.DC, client.Left, client.Top, client.Right, client.Bottom);
    BitBlt(dc.DC, DefaultFrameBorder, DefaultFrameBorder, caption.Width(), caption.Height(), c->Handle(), 0, 0, SRCCOPY);
    // A canvas over the device context for the length of the paint, which hands the context back.
    TCanvas out;
    out.SetHandle(dc.DC);
    TScopeExit release([&out] { out.SetHandle(nullptr); });
    TRect ring{0, 0, w, h};
    DrawFrame3D(&out, ring, cl3DLight, cl3DDkShadow);
    InflateRect(ring, -1, -1);
    DrawFrame3D(&out, ring, clBtnHighlight, clBtnShadow);
    InflateRect(ring, -1, -1);
    DrawFrame3D(&out, ring, clBtnFace, clBtnFace);
}

void TskFormFrame::DrawLogo(TCanvas* Cnvs, const TRect& R)
{
    if (FLogoBitMap->Empty()) return;
    const int x = std::max(0, R.Left + (R.Width() - FLogoBitMap->Width()) / 2);
    const int y = std::max(0, R.Top + (R.Height() - FLogoBitMap->Height()) / 2);
    FLogoBitMap->SetTransparent(FLogoBitMapTransparent);
    Cnvs->Draw(x, y, FLogoBitMap.get());
}

void TskFormFrame::PaintClientAreaFrame(HDC DC)
{
    const TskSkinData& s = *FSkinData;
    CalcSkinFrameLayout();
    PlaceSkinObjects();
    if (ClientAreaRolledUp()) {
        // Only the roll-up picture, stretched to the width, with the objects that belong to it.
        TBitmap rolled;
        ComposeRollUpPicture(s, s.RollUpPicture.get(), FLayout.Width, rolled);
        for (const auto& o : FObjects)
            if (o->Visible && InRollUpState(o.get())) o->Draw(rolled.Canvas(), false);
        BitBlt(DC, 0, 0, rolled.Width(), rolled.Height(), rolled.Canvas()->Handle(), 0, 0, SRCCOPY);
        return;
    }
    const TSize size = FramePictureSize(s);
    TBitmap picture(FLayout.Width, FLayout.Height);
    CreateSkinImage(s.LeftTopPoint, s.RightTopPoint, s.LeftBottomPoint, s.RightBottomPoint, s.ClientRect, FLayout.LeftTop,
        FLayout.RightTop, FLayout.LeftBottom, FLayout.RightBottom, FLayout.ClientRect, &picture, s.Picture.get(),
        TRect{0, 0, size.cx, size.cy}, FLayout.Width, FLayout.Height, true, s.LeftStretch, s.TopStretch, s.RightStretch,
        s.BottomStretch, s.StretchEffect, s.StretchType);
    for (const auto& o : FObjects)
        if (o->Visible && InRollUpState(o.get())) o->Draw(picture.Canvas(), false);
    BitBlt(DC, 0, 0, picture.Width(), picture.Height(), picture.Canvas()->Handle(), 0, 0, SRCCOPY);
}

void TskFormFrame::PaintClientBackground(HDC DC)
{
    if (FDestroying || !FForm->HandleAllocated()) return;
    TFrameDC dc(FForm->Handle(), DC, true);
    if (dc.DC == nullptr) return;
    const int cw = FForm->ClientWidth();
    const int ch = FForm->ClientHeight();
    const TRect clientArea{0, 0, cw, ch};

    if (!FSupportNCArea && SkinUsable()) {
        PaintClientAreaFrame(dc.DC);
        return;
    }
    // A canvas over the device context for the length of the paint, which hands the context back.
    TCanvas out;
    out.SetHandle(dc.DC);
    TScopeExit release([&out] { out.SetHandle(nullptr); });
    TBitmap* bg = nullptr;
    if (SkinUsable() && FSkinData->BGPictureIndex >= 0
        && FSkinData->BGPictureIndex < static_cast<int>(FSkinData->ActivePictures.size()))
        bg = FSkinData->ActivePictures[static_cast<std::size_t>(FSkinData->BGPictureIndex)].get();
    // Without a skin, or with one that has neither a background nor a frame picture: the default look.
    if (!SkinUsable() || ((bg == nullptr || bg->Empty()) && !SkinPaintsFrame())) {
        FillSolid(&out, clientArea, clBtnFace);
        DrawLogo(&out, clientArea);
        return;
    }
    const TskSkinData& s = *FSkinData;
    CalcSkinFrameLayout();
    if (bg != nullptr && !bg->Empty()) {
        // Stretched over the whole frame's size, tiled over the client area.
        if (s.StretchEffect && !clientArea.IsEmpty())
            DrawBackgroundPicture(&out, bg, TRect{0, 0, FLayout.Width, FLayout.Height}, true, s.StretchType);
        else
            DrawBackgroundPicture(&out, bg, clientArea, false, s.StretchType);
        DrawLogo(&out, clientArea);
        return;
    }
    // The client part of the frame picture at the window's size; only what the clip lets through is copied.
    TBitmap& picture = ComposedFramePicture();
    BitBlt(dc.DC, 0, 0, cw, ch, picture.Canvas()->Handle(), FLayout.ClientRect.Left, FLayout.ClientRect.Top, SRCCOPY);
}

TBitmap& TskFormFrame::ComposedFramePicture()
{
    const TskSkinData& s = *FSkinData;
    if (FComposed && FComposedGeneration == s.Generation() && FComposedLayout == FLayout) return *FComposed;
    // A new picture each time: what the frame picture leaves out must look as in a fresh one.
    FComposed = std::make_unique<TBitmap>(FLayout.Width, FLayout.Height);
    const TSize size = FramePictureSize(s);
    CreateSkinImage(s.LeftTopPoint, s.RightTopPoint, s.LeftBottomPoint, s.RightBottomPoint, s.ClientRect, FLayout.LeftTop,
        FLayout.RightTop, FLayout.LeftBottom, FLayout.RightBottom, FLayout.ClientRect, FComposed.get(), s.Picture.get(),
        TRect{0, 0, size.cx, size.cy}, FLayout.Width, FLayout.Height, true, s.LeftStretch, s.TopStretch, s.RightStretch,
        s.BottomStretch, s.StretchEffect, s.StretchType);
    FComposedGeneration = s.Generation();
    FComposedLayout = FLayout;
    return *FComposed;
}
