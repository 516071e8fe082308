#include "skin/controls/TskSkinButton.h"

#include "platform/vcl/TCustomImageList.h"
#include "platform/vcl/TForm.h"
#include "platform/win/WinApi.h"
#include "skin/data/SkinDrawUtils.h"
#include "skin/data/SkinImages.h"
#include "skin/data/SkinRects.h"
#include "skin/data/TskDataSkinButtonControl.h"
#include "skin/data/TskLayerManager.h"
#include "skin/data/TskSkinData.h"

TskSkinButton::TskSkinButton(TComponent* AOwner)
    : Inherited(AOwner, -1), FLayer(new TskLayerManager(this))
{
    // ButtonClick fires OnClick; the platform's own click would fire it a second time.
    SetControlStyle(ControlStyle() - csClickEvents);
    SetTabStop(true);
    SetBounds(Left(), Top(), 75, 25);
    SetSkinDataName("button");
}

TskSkinButton::~TskSkinButton()
{
    FAlive.End();
    FLayer->Hide();
}

// ---- properties

void TskSkinButton::SetGroupIndex(int Value)
{
    FGroupIndex = Value;
    if (Value != 0) SetCanFocused(false);
}

void TskSkinButton::SetCanFocused(bool Value)
{
    FCanFocused = Value;
    SetTabStop(Value);
}

void TskSkinButton::SetDefault(bool Value)
{
    FDefault = Value;
    if (!HandleAllocated() || !FCanFocused || Designing()) return;
    // Every button of the form works out again which one is the default now: the form tells all its
    // controls, as it does when the focus moves, with the focus where it is.
    if (TCustomForm* form = GetParentForm())
        form->FocusChanged(form->ActiveControl());
}

// ---- skin

void TskSkinButton::FindSkinObject()
{
    Inherited::FindSkinObject();
    // Without the skin's size the skin's outline does not fit either.
    if (!FUseSkinSize) FMaskPicture = nullptr;
    auto* e = ReadButtonEntry();
    if (e == nullptr) {
        FGlowPictureIndex = -1;
        return;
    }
    FGlowPictureIndex = e->GlowLayerPictureIndex;
    FGlowMaskPictureIndex = e->GlowLayerMaskPictureIndex;
    FGlowOffsetLeft = e->GlowLayerOffsetLeft;
    FGlowOffsetTop = e->GlowLayerOffsetTop;
    FGlowOffsetRight = e->GlowLayerOffsetRight;
    FGlowOffsetBottom = e->GlowLayerOffsetBottom;
    FGlowShowOffsetX = e->GlowLayerShowOffsetX;
    FGlowShowOffsetY = e->GlowLayerShowOffsetY;
    FGlowAlpha = e->GlowLayerAlphaBlendValue;
}

void TskSkinButton::RefreshSkin()
{
    Inherited::RefreshSkin();
    if (MorphAvailable() && Hot()) FMorph.SetFactor(1.0);
    if (FMouseIn) PostToSelf(WM_SHOWLAYER);
}

void TskSkinButton::ResetSkinIndex()
{
    Inherited::ResetSkinIndex();
    HideGlow();
}

void TskSkinButton::ButtonClick()
{
    if (FCanFocused) {
        if (TCustomForm* form = GetParentForm()) form->SetModalResult(FModalResult);
    }
    Inherited::ButtonClick();
}

// ---- glow frame

void TskSkinButton::PostToSelf(UINT Msg)
{
    // Posted, not sent: the window may be gone when it arrives, and the window layer then drops it.
    if (HandleAllocated()) PostMessage(Handle(), Msg, 0, 0);
}

bool TskSkinButton::GlowVisible() const { return FLayer->LayerVisible(); }

void TskSkinButton::ComposeGlow(TBitmap* Source, TBitmap* Dest, int W, int H) const
{
    const int gw = Source->Width();
    const int gh = Source->Height();
    // The glow picture is the button's picture grown by the offsets: its corners sit that much further in.
    const TPoint shift = Point(FGlowOffsetLeft, FGlowOffsetTop);
    auto moved = [](TPoint P, int DX, int DY) { return Point(P.X + DX, P.Y + DY); };
    if (FResizeMode == 1) {
        const int dw = W - gw;
        const int dh = H - gh;
        const TPoint lt = moved(FLeftTopPoint, shift.X, shift.Y);
        const TPoint rt = moved(FRightTopPoint, shift.X, shift.Y);
        const TPoint lb = moved(FLeftBottomPoint, shift.X, shift.Y);
        const TPoint rb = moved(FRightBottomPoint, shift.X, shift.Y);
        TRect client = FSkinClientRect;
        OffsetRect(client, shift.X, shift.Y);
        TRect newClient = client;
        newClient.Right += dw;
        newClient.Bottom += dh;
        CreateSkinImage(lt, rt, lb, rb, client, lt, moved(rt, dw, 0), moved(lb, 0, dh), moved(rb, dw, dh), newClient,
            Dest, Source, Rect(0, 0, gw, gh), W, H, true, FLeftStretch, FTopStretch, FRightStretch, FBottomStretch,
            FStretchEffect, stFull);
    } else if (FResizeMode == 2) {
        CreateHSkinImage(FLeftTopPoint.X + shift.X, gw - (FRightTopPoint.X + shift.X), Dest, Source, Rect(0, 0, gw, gh),
            W, H, FStretchEffect);
    } else {
        Dest->SetSize(W, H);
        Dest->Canvas()->StretchDraw(Rect(0, 0, W, H), Source);
    }
}

void TskSkinButton::ShowGlow()
{
    if (!SkinLoaded() || SkinIndex() == -1) return;
    TBitmap* glow = SkinPicture(FGlowPictureIndex);
    if (glow == nullptr || !(SkinData()->ShowButtonGlowFrames() || FAlwaysShowLayeredFrame)) return;
    const int w = Width() + FGlowOffsetLeft + FGlowOffsetRight;
    const int h = Height() + FGlowOffsetTop + FGlowOffsetBottom;
    if (w < 1 || h < 1 || glow->Width() < 1 || glow->Height() < 1) return;
    TBitmap picture(w, h);
    ComposeGlow(glow, &picture, w, h);
    TBitmap maskPicture(w, h);
    TBitmap* mask = SkinPicture(FGlowMaskPictureIndex);
    const bool masked = mask != nullptr && mask->Width() > 0 && mask->Height() > 0;
    if (masked) ComposeGlow(mask, &maskPicture, w, h);
    const TPoint at = ClientToScreen(Point(-FGlowShowOffsetX, -FGlowShowOffsetY));
    FLayer->Show(at.X, at.Y, &picture, masked ? &maskPicture : nullptr, static_cast<BYTE>(FGlowAlpha));
}

void TskSkinButton::HideGlow()
{
    if (FLayer->LayerVisible()) FLayer->Hide();
}

// ---- input

bool TskSkinButton::TakeFocusForPress()
{
    return !FCanFocused || TakeFocusOnPress();
}

void TskSkinButton::KeyDown(WORD& Key, TShiftState Shift)
{
    const auto alive = FAlive.Watch();
    if (FCanFocused) {
        if (Key == VK_SPACE) {
            FDown = true;
            Repaint();
            if (FRepeatMode) ButtonClick();
        } else if (Key == VK_RETURN) {
            ButtonClick();
        }
    }
    if (!*alive) return;
    Inherited::KeyDown(Key, Shift);
}

void TskSkinButton::KeyUp(WORD& Key, TShiftState Shift)
{
    const auto alive = FAlive.Watch();
    if (FCanFocused && Key == VK_SPACE) {
        FDown = false;
        Repaint();
        // The release clicks in every mode: with RepeatMode the press (and each key repeat) has clicked
        // too, so a held Space keeps stepping and its release makes the last step.
        ButtonClick();
    }
    if (!*alive) return;
    Inherited::KeyUp(Key, Shift);
}

void TskSkinButton::CreateWnd()
{
    Inherited::CreateWnd();
    FActive = FDefault;
}

void TskSkinButton::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_ERASEBKGND:
        PaintOnErase(Message);
        return;
    case CM_DIALOGKEY: {
        const WORD key = static_cast<WORD>(Message.WParam);
        if (key == VK_RETURN && FActive && Enabled()) {
            ButtonClick();
            Message.Result = 1;
            return;
        }
        if (key == VK_ESCAPE && FCancel && FCanFocused && KeyboardShiftState().Empty() && CanFocus()) {
            ButtonClick();
            Message.Result = 1;
            return;
        }
        Inherited::WndProc(Message);
        return;
    }
    case CM_DIALOGCHAR:
        if (IsAccel(Message.WParam, Caption()) && FCanFocused && CanFocus()) {
            SetFocus();
            ButtonClick();
            Message.Result = 1;
            return;
        }
        Inherited::WndProc(Message);
        return;
    case CN_COMMAND:
        // The notification a press sends while it focuses the button is not a click of its own.
        if (TakingFocus()) return;
        Inherited::WndProc(Message);
        return;
    case CM_FOCUSCHANGED: {
        auto* focused = reinterpret_cast<TWinControl*>(Message.LParam);
        const bool wasActive = FActive;
        FActive = dynamic_cast<TskSkinButton*>(focused) != nullptr ? focused == this : FDefault;
        if (FDefault && wasActive && !FActive) {
            FMouseIn = false;
            Repaint();
        } else if (FDefault && FActive && dynamic_cast<TskSkinButton*>(focused) == nullptr) {
            // The default button looks hot while a non-button control has the focus.
            FMouseIn = true;
            Repaint();
        }
        Inherited::WndProc(Message);
        return;
    }
    case CM_MOUSEENTER:
        Inherited::WndProc(Message);
        if (Designing()) return;
        FMouseIn = true;
        StartMorph();
        if (FDown && FRepeatMode && FGroupIndex == 0) FRepeat.Start();
        PostToSelf(WM_SHOWLAYER);
        return;
    case CM_MOUSELEAVE:
        Inherited::WndProc(Message);
        if (Designing()) return;
        if (!(FActive && FDefault && !Focused())) FMouseIn = false;
        StartMorph();
        FRepeat.Stop();
        PostToSelf(WM_HIDELAYER);
        return;
    case WM_SHOWLAYER:
        ShowGlow();
        return;
    case WM_HIDELAYER:
        HideGlow();
        return;
    case CM_TEXTCHANGED:
        Inherited::WndProc(Message);
        Repaint();
        return;
    case WM_SETFOCUS:
        Inherited::WndProc(Message);
        if (!FCanFocused) return;
        StartAnimation(true);
        StartMorph();
        return;
    case WM_KILLFOCUS:
        FRepeat.Stop();
        if (FDown && FGroupIndex == 0) FDown = false;
        Inherited::WndProc(Message);
        if (!FCanFocused) return;
        StartAnimation(false);
        StartMorph();
        return;
    default:
        Inherited::WndProc(Message);
    }
}

// ---- painting

bool TskSkinButton::OwnerPaintsFace(TCanvas* C, const TRect& R, bool IsActive, bool IsDown)
{
    bool drawDefault = true;
    if (OnPaint) OnPaint(this, C, R, IsDown, IsActive, drawDefault);
    return !drawDefault;
}
