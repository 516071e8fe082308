#include "skin/controls/TskSkinUpDown.h"

#include "platform/win/WinApi.h"
#include "skin/controls/SkinButtonLook.h"
#include "skin/data/SkinDrawUtils.h"
#include "skin/data/SkinRects.h"
#include "skin/data/TskDataSkinScrollBarControl.h"

namespace {
constexpr UINT_PTR RepeatTimerId = 1;
}

TskSkinUpDown::TskSkinUpDown(TComponent* AOwner) : TskSkinCustomControl(AOwner)
{
    SetSkinDataName("hupdown");
    SetBounds(Left(), Top(), 25, 50);
}

void TskSkinUpDown::SetOrientation(TUDOrientation Value)
{
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
    auto* e = FSkinIndex != -1 ? dynamic_cast<TskDataSkinUpDownControl*>(SkinEntry()) : nullptr;
    if (e == nullptr) return;
    FSkinButtons[0][0] = e->UpButtonRect;
    FSkinButtons[0][1] = e->ActiveUpButtonRect;
    FSkinButtons[0][2] = IsEmptyRect(e->DownUpButtonRect) ? e->ActiveUpButtonRect : e->DownUpButtonRect;
    FSkinButtons[1][0] = e->DownButtonRect;
    FSkinButtons[1][1] = e->ActiveDownButtonRect;
    FSkinButtons[1][2] = IsEmptyRect(e->DownDownButtonRect) ? e->ActiveDownButtonRect : e->DownDownButtonRect;
}

void TskSkinUpDown::ComputeSkinSize(int& AWidth, int& AHeight)
{
    if (FUseSkinSize) TskSkinCustomControl::ComputeSkinSize(AWidth, AHeight);
}

TRect TskSkinUpDown::ButtonRect(int Index) const
{
    if (FSkinIndex != -1 && FUseSkinSize) {
        // The entry's rectangles are in picture coordinates; the buttons sit at their place in "skinrect".
        TRect r = FSkinButtons[Index][0];
        OffsetRect(r, -FSkinRect.Left, -FSkinRect.Top);
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

void TskSkinUpDown::DrawSkinImage(TBitmap* B)
{
    TskSkinCustomControl::DrawSkinImage(B);
    if (FPicture == nullptr || !FUseSkinSize) return;
    for (int i = 0; i < 2; ++i) {
        const int state = FPressed == i && FHot == i ? 2 : (FHot == i ? 1 : 0);
        const TRect piece = FSkinButtons[i][state];
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
        const bool sunk = FPressed == i && FHot == i;
        if (sunk)
            FillFramed(c, r, SkinNavyFrame, SkinPressedFill);
        else if (FHot == i)
            FillFramed(c, r, SkinNavyFrame, SkinHotFill);
        else
            FillFramed(c, r, clBtnShadow, clBtnFace);
        const int code = FOrientation == udHorizontal ? (i == 0 ? 2 : 1) : (i == 0 ? 3 : 4);
        DrawArrowImage(c, r, Enabled() ? clBtnText : clBtnShadow, code);
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
    TskSkinCustomControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft) return;
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
    TskSkinCustomControl::MouseMove(Shift, X, Y);
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
        // Letting go elsewhere withdraws the press, as with every other button.
        if (over) {
            Step(pressed);
            if (pressed == 0 && OnUpButtonClick) OnUpButtonClick(this);
            if (pressed == 1 && OnDownButtonClick) OnDownButtonClick(this);
        }
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
