#include "skin/controls/TskSkinUpDown.h"

#include "platform/win/WinApi.h"
#include "skin/controls/SkinButtonLook.h"
#include "skin/data/SkinDrawUtils.h"
#include "skin/data/SkinImages.h"
#include "skin/data/SkinRects.h"
#include "skin/data/TskDataSkinButtonControl.h"
#include "skin/data/TskDataSkinScrollBarControl.h"
#include "skin/data/TskSkinData.h"

namespace {
constexpr UINT_PTR RepeatTimerId = 1;
}

TskSkinUpDown::TskSkinUpDown(TComponent* AOwner) : TskSkinCustomControl(AOwner)
{
    SetSkinDataName("hupdown");
    SetBounds(Left(), Top(), 25, 50);
}

TskSkinUpDown::~TskSkinUpDown() { FAlive.End(); }

void TskSkinUpDown::SetOrientation(TUDOrientation Value)
{
    if (Value == FOrientation) return;
    FOrientation = Value;
    if (Designing()) SetSkinDataName(Value == udVertical ? "vupdown" : "hupdown");
    Repaint();
}

void TskSkinUpDown::SetMin(int Value)
{
    FMin = Value;
    if (FMin > FPosition) FPosition = FMin;
}

void TskSkinUpDown::SetMax(int Value)
{
    FMax = Value;
    if (FMax < FPosition) FPosition = FMax;
}

void TskSkinUpDown::SetPosition(int Value)
{
    if (Value > FMax || Value < FMin) return;
    FPosition = Value;
    if (!Designing() && OnChange) OnChange(this);
}

void TskSkinUpDown::FindSkinObject()
{
    TskSkinCustomControl::FindSkinObject();
    auto* e = SkinEntryAs<TskDataSkinUpDownControl>();
    if (e == nullptr) return;
    FSkinButtons[0][0] = e->UpButtonRect;
    FSkinButtons[0][1] = e->ActiveUpButtonRect;
    FSkinButtons[0][2] = IsEmptyRect(e->DownUpButtonRect) ? e->ActiveUpButtonRect : e->DownUpButtonRect;
    FSkinButtons[1][0] = e->DownButtonRect;
    FSkinButtons[1][1] = e->ActiveDownButtonRect;
    FSkinButtons[1][2] = IsEmptyRect(e->DownDownButtonRect) ? e->ActiveDownButtonRect : e->DownDownButtonRect;
    // Without the skin's size the skin's outline does not fit either.
    if (!FUseSkinSize) FMaskPicture = nullptr;
}

void TskSkinUpDown::ComputeSkinSize(int& AWidth, int& AHeight)
{
    if (FUseSkinSize) TskSkinCustomControl::ComputeSkinSize(AWidth, AHeight);
}

TRect TskSkinUpDown::ButtonRect(int Index) const
{
    if (SkinIndex() != -1 && FUseSkinSize) {
        TRect r;
        MapSkinRect(FSkinButtons[Index][0], r);
        return r;
    }
    const int w = Width();
    const int h = Height();
    if (FOrientation == udHorizontal) return Index == 1 ? Rect(0, 0, w / 2, h) : Rect(w / 2, 0, w, h);
    return Index == 0 ? Rect(0, 0, w, h / 2) : Rect(0, h / 2, w, h);
}

int TskSkinUpDown::ButtonAt(int X, int Y) const
{
    for (int i = 0; i < 2; ++i)
        if (ButtonRect(i).Contains(Point(X, Y))) return i;
    return -1;
}

int TskSkinUpDown::ButtonState(int Index) const
{
    if (FHot != Index) return 0;
    return FPressed == Index ? 2 : 1;
}

void TskSkinUpDown::DrawArrow(TCanvas* C, int Index, const TRect& R, TColor Color) const
{
    // Horizontal: the up button points right, the down button left; vertical: up and down.
    const int code = FOrientation == udHorizontal ? (Index == 0 ? 2 : 1) : (Index == 0 ? 3 : 4);
    DrawArrowImage(C, R, Color, code);
}

bool TskSkinUpDown::DrawResizeButtons(TBitmap* B)
{
    auto* e = FSkinLink.FindAs<TskDataSkinButtonControl>("resizebutton");
    TBitmap* picture = e != nullptr ? SkinPicture(e->PictureIndex) : nullptr;
    if (picture == nullptr || IsEmptyRect(e->SkinRect)) return false;
    // The entry is read the way a button reads its own: its state pictures and caption colours.
    TskButtonSkinValues look;
    look.Read(*e, e->SkinRect);
    for (int i = 0; i < 2; ++i) {
        const TRect place = ButtonRect(i);
        if (place.Width() < 1 || place.Height() < 1) continue;
        const int state = ButtonState(i);
        TBitmap face;
        const TRect piece = state == 2 ? look.DownSkinRect : (state == 1 ? look.ActiveSkinRect : e->SkinRect);
        StretchButtonPicture(&face, picture, piece, e->ClientRect, place.Width(), place.Height());
        const TColor color = look.TextColor(Enabled(), true, clBtnText, state != 0, state == 2);
        DrawArrow(face.Canvas(), i, Rect(0, 0, place.Width(), place.Height()), color);
        B->Canvas()->Draw(place.Left, place.Top, &face);
    }
    return true;
}

void TskSkinUpDown::DrawSkinImage(TBitmap* B)
{
    if (!FUseSkinSize) {
        if (!DrawResizeButtons(B)) DrawDefaultImage(B);
        return;
    }
    TskSkinCustomControl::DrawSkinImage(B);
    if (FPicture == nullptr) return;
    for (int i = 0; i < 2; ++i) {
        const int state = ButtonState(i);
        TRect piece = FSkinButtons[i][state];
        // At rest the button is the entry's own picture at its place.
        if (state == 0) OffsetRect(piece, FSkinRect.Left, FSkinRect.Top);
        if (IsEmptyRect(piece)) continue;
        const TRect place = ButtonRect(i);
        B->Canvas()->CopyRect(Rect(place.Left, place.Top, place.Left + piece.Width(), place.Top + piece.Height()),
            FPicture->Canvas(), piece);
    }
}

void TskSkinUpDown::DrawDefaultImage(TBitmap* B)
{
    TCanvas* c = B->Canvas();
    for (int i = 0; i < 2; ++i) {
        const TRect r = ButtonRect(i);
        const int state = ButtonState(i);
        if (state == 2)
            FillFramed(c, r, SkinNavyFrame, SkinPressedFill);
        else if (state == 1)
            FillFramed(c, r, SkinNavyFrame, SkinHotFill);
        else
            FillFramed(c, r, clBtnShadow, clBtnFace);
        TRect arrow = r;
        // A pressed button's arrow sinks by a pixel.
        if (state == 2) OffsetRect(arrow, 1, 1);
        DrawArrow(c, i, arrow, Enabled() ? clBtnText : clBtnShadow);
    }
}

void TskSkinUpDown::StartTimer(UINT Ms)
{
    if (!HandleAllocated()) return;
    SetTimer(Handle(), RepeatTimerId, Ms);
    FTimerOn = true;
}

void TskSkinUpDown::StopTimer()
{
    if (FTimerOn && HandleAllocated()) KillTimer(Handle(), RepeatTimerId);
    FTimerOn = false;
}

void TskSkinUpDown::Step(int Button)
{
    if (FIncrement == 0) return;
    SetPosition(FPosition + (Button == 0 ? FIncrement : -FIncrement));
}

void TskSkinUpDown::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    // The handler may free the control.
    const auto alive = FAlive.Watch();
    TskSkinCustomControl::MouseDown(Button, Shift, X, Y);
    if (!*alive || Button != mbLeft) return;
    const int b = ButtonAt(X, Y);
    if (b < 0) return;
    FHot = b;
    FPressed = b;
    Repaint();
    if (FIncrement != 0) {
        FRepeating = true;
        FFirstDelay = true;
        StartTimer(SkinRepeatDelay);
    }
}

void TskSkinUpDown::MouseMove(TShiftState Shift, int X, int Y)
{
    const auto alive = FAlive.Watch();
    TskSkinCustomControl::MouseMove(Shift, X, Y);
    if (!*alive) return;
    int hot = ButtonAt(X, Y);
    if (FPressed != -1 && hot != FPressed) hot = -1;
    if (hot == FHot) return;
    if (FPressed != -1 && FRepeating) {
        // Off the held button the repeat pauses; back on it, it resumes at once.
        if (hot == -1)
            StopTimer();
        else
            StartTimer(50);
    }
    FHot = hot;
    Repaint();
}

void TskSkinUpDown::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (Button == mbLeft && FPressed != -1) {
        const int pressed = FPressed;
        StopTimer();
        FRepeating = false;
        FPressed = -1;
        const bool over = ButtonAt(X, Y) == pressed;
        if (!over) FHot = -1;
        Repaint();
        // The release counts wherever it happens: a held button steps once more as it is let go,
        // also when the pointer has slipped off it meanwhile.
        const auto alive = FAlive.Watch();
        Step(pressed);
        if (!*alive) return;
        if (pressed == 0 && OnUpButtonClick) OnUpButtonClick(this);
        if (pressed == 1 && OnDownButtonClick) OnDownButtonClick(this);
        if (!*alive) return;
    }
    TskSkinCustomControl::MouseUp(Button, Shift, X, Y);
}

void TskSkinUpDown::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_TIMER:
        if (Message.WParam != RepeatTimerId || !FRepeating) break;
        if (FFirstDelay) {
            FFirstDelay = false;
            StartTimer(100);
        } else {
            Step(FPressed);
        }
        return;
    case CM_MOUSEENTER:
        TskSkinCustomControl::WndProc(Message);
        if (FPressed == -1) FHot = -1;
        return;
    case CM_MOUSELEAVE:
        TskSkinCustomControl::WndProc(Message);
        FHot = -1;
        Repaint();
        return;
    case WM_DESTROY:
        StopTimer();
        break;
    default:
        break;
    }
    TskSkinCustomControl::WndProc(Message);
}
