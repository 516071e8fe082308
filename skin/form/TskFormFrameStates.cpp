// What a system frame would do for the window and the skinned frame does itself: window states
// (normal, minimized to a caption bar, maximized), roll-up, magnetic edges, refitting to the limits,
// the first-show placement and the fade-in of a translucent form. Part of TskFormFrame (see
// TskFormFrame.h).
#include <algorithm>

#include "platform/vcl/TApplication.h"
#include "platform/vcl/TForm.h"
#include "platform/vcl/TScreen.h"
#include "platform/vcl/TTimer.h"
#include "platform/win/Input.h"
#include "platform/win/MessageQueue.h"
#include "platform/win/Paint.h"
#include "platform/win/Window.h"
#include "skin/controls/TskSkinStatusBar.h"
#include "skin/data/SkinPlatform.h"
#include "skin/data/TskSkinData.h"
#include "skin/form/TskActiveSkinObject.h"
#include "skin/form/TskFormFrame.h"

namespace {

TRect MonitorArea(TCustomForm* Form, bool WorkArea)
{
    TRect area;
    GetMonitorWorkArea(Form->HandleAllocated() ? Form->Handle() : 0, WorkArea, area);
    return area;
}

} // namespace

// ---- Window states ----

void TskFormFrame::SetFrameWindowState(int Value)
{
    if (Value == FWindowState || Value < FrameStateNormal || Value > FrameStateMaximized) return;
    const auto alive = FAlive.Watch();
    if (Value == FrameStateMinimized && MinimizesApplication()) {
        // The main window goes to the desktop's task bar with the whole program; the frame itself
        // keeps its state for when the program comes back.
        if (Application != nullptr) Application->Minimize();
        if (*alive && OnMinimize) OnMinimize(this);
        return;
    }
    const int old = FWindowState;
    FWindowState = Value;
    ClearActiveObject();
    switch (Value) {
    case FrameStateNormal:
        // A frame rolled up while maximized comes down with the restore.
        if (old == FrameStateMaximized && FRolledUp && !FRolledUpWhenMaximized) {
            RollUpFrame(false);
            if (!*alive) return;
        }
        RestoreFrame();
        break;
    case FrameStateMaximized: MaximizeFrame(); break;
    default: MinimizeFrame(); break;
    }
    if (*alive && FForm->FormStyle() == fsMDIChild) MDIChildStateChanged(old);
    if (*alive) RepaintFrame();
}

bool TskFormFrame::MinimizesApplication() const
{
    return !FSupportNCArea || (Application != nullptr && Application->MainForm() == FForm);
}

void TskFormFrame::MaximizeFrame()
{
    if (FForm->FormStyle() == fsMDIChild) {
        MaximizeMDIChild();
        return;
    }
    // A rolled-up frame fills the area with its client showing; the restore brings back its full size.
    FRolledUpWhenMaximized = false;
    if (FRolledUp) {
        FRolledUp = false;
        if (FHeightBeforeRollUp > 0) FForm->SetHeight(FHeightBeforeRollUp);
        if (OnChangeRollUpState) OnChangeRollUpState(this);
    }
    if (FFollowingWindow) {
        // The window manager gave the place: the restore goes back to where the window stood before.
        WINDOWPLACEMENT placement;
        if (FRestoreBounds.IsEmpty() && GetWindowPlacement(FForm->Handle(), &placement)) FRestoreBounds = placement.rcNormalPosition;
        if (FStatusBar != nullptr) FStatusBar->SetSizeGripActive(false);
        if (OnMaximize) OnMaximize(this);
        return;
    }
    if (FRestoreBounds.IsEmpty()) FRestoreBounds = FForm->BoundsRect();
    TRect target = MonitorArea(FForm, !FMaximizeOnFullScreen);
    const TRect monitor = MonitorArea(FForm, false);
    TRect screen;
    GetScreenArea(false, screen);
    // A work area as large as the whole screen (no panel anywhere): a window covering all of it would
    // hide the desktop's own way back, so one pixel of every edge stays free.
    if (!FMaximizeOnFullScreen && target.Width() == monitor.Width() && target.Height() == monitor.Height() && monitor == screen)
        InflateRect(target, -1, -1);
    FForm->SetBounds(target.Left, target.Top, target.Width(), target.Height());
    if (FStatusBar != nullptr) FStatusBar->SetSizeGripActive(false);
    if (OnMaximize) OnMaximize(this);
}

void TskFormFrame::RestoreFrame()
{
    FRolledUpFromMaximized = false;
    // Maximised by the window manager and restored here: the window manager lets it go first, or it
    // would hold the window at the maximised size.
    if (!FFollowingWindow && FForm->HandleAllocated() && IsZoomed(FForm->Handle())) {
        const auto alive = FAlive.Watch();
        ShowWindow(FForm->Handle(), SW_RESTORE);
        if (!*alive) return;
    }
    TRect bounds = FRestoreBounds;
    if (FSupportNCArea && FFirstShowPending) {
        FFirstShowPending = false;
        bounds = CalcPlacementInMonitor(bounds.IsEmpty() ? FForm->BoundsRect() : bounds);
    }
    if (!bounds.IsEmpty()) {
        const bool sameSize = bounds.Width() == FForm->Width() && bounds.Height() == FForm->Height();
        FForm->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
        if (FSupportNCArea && sameSize) RefitForm();
    }
    FMouseLeaveTimer->SetEnabled(true);
    if (FSupportNCArea && FForm->HandleAllocated()) FForm->Invalidate();
    FRestoreBounds = TRect{};
    if (FStatusBar != nullptr) FStatusBar->SetSizeGripActive(true);
    if (OnRestore) OnRestore(this);
}

void TskFormFrame::FollowWindowState(WPARAM SizeType)
{
    if (!FFrameOn || !FSupportNCArea || FForm->FormStyle() == fsMDIChild) return;
    // Only a restore from the window's own maximised state counts: the frame's own maximise sizes an
    // ordinary window, whose sizes come as restored ones.
    if (SizeType == SIZE_MAXIMIZED) {
        FWindowMaximized = true;
        if (FWindowState != FrameStateNormal) return;
    } else if (SizeType == SIZE_RESTORED && FWindowMaximized) {
        FWindowMaximized = false;
        if (FWindowState != FrameStateMaximized) return;
    } else {
        return;
    }
    const auto alive = FAlive.Watch();
    FFollowingWindow = true;
    SetFrameWindowState(SizeType == SIZE_MAXIMIZED ? FrameStateMaximized : FrameStateNormal);
    if (*alive) FFollowingWindow = false;
}

void TskFormFrame::MinimizeFrame()
{
    if (FForm->FormStyle() == fsMDIChild) {
        MinimizeMDIChild();
        return;
    }
    // Any form but the main one becomes a caption bar at the bottom of the work area: it stays on the
    // screen, so it can always be found and brought back.
    if (FRestoreBounds.IsEmpty()) FRestoreBounds = FForm->BoundsRect();
    const TPoint at = GetMinimizedPosition();
    FForm->SetBounds(at.X, at.Y, GetMinWidth(), GetMinHeight());
    if (OnMinimize) OnMinimize(this);
}

TPoint TskFormFrame::GetMinimizedPosition()
{
    const int w = GetMinWidth();
    const int h = GetMinHeight();
    const TRect area = MonitorArea(FForm, true);
    auto taken = [&](int x, int y) {
        if (Screen == nullptr) return false;
        for (int i = 0; i < Screen->FormCount(); ++i) {
            TCustomForm* f = Screen->Forms(i);
            if (f == FForm || (Application != nullptr && f == Application->MainForm()) || !f->Visible()) continue;
            TskFormFrame* other = FindSkinFormComponent(f);
            if (other != nullptr && other->Minimized() && f->Left() == x && f->Top() == y) return true;
        }
        return false;
    };
    int x = area.Left;
    int y = area.Bottom - h;
    while (taken(x, y)) {
        x += w;
        if (x + w > area.Right) {
            x = area.Left;
            y -= h;
        }
        if (y < area.Top) return TPoint{area.Left, area.Bottom - h};
    }
    return TPoint{x, y};
}

void TskFormFrame::RestoreCommand()
{
    if (FRolledUp)
        RollUpFrame(false);
    else
        SetFrameWindowState(FrameStateNormal);
}

void TskFormFrame::RollUpFrame(bool Up)
{
    if (Up == FRolledUp) return;
    if (!SkinUsable() && !FSupportNCArea) return;
    if (!FBorderIcons.Contains(TskBorderIcon::biRollUp) || Minimized()) return;
    if (Maximized() && FRolledUp && !FRolledUpFromMaximized) return;
    // Rolling a client-area frame up needs the skin's own roll-up picture and shape; such a frame stays
    // unrolled.
    if (!FSupportNCArea) {
        RollUpClientAreaFrame(Up);
        return;
    }
    if (Maximized()) FRolledUpFromMaximized = Up;
    ClearActiveObject();
    if (Up) {
        FHeightBeforeRollUp = FForm->Height();
        // Set first: the limits let the window shrink to its caption only while it is rolled up.
        FRolledUp = true;
        FForm->SetHeight(GetMinHeight());
    } else {
        FRolledUp = false;
        if (FClientHeight > 0)
            FForm->SetClientHeight(FClientHeight);
        else if (FHeightBeforeRollUp > 0)
            FForm->SetHeight(FHeightBeforeRollUp);
    }
    RepaintFrame();
    if (OnChangeRollUpState) OnChangeRollUpState(this);
}

void TskFormFrame::RollUpClientAreaFrame(bool Up)
{
    if (!SkinUsable() || !HasRollUpPicture(*FSkinData)) return;
    if (Maximized()) FRolledUpFromMaximized = Up;
    ClearActiveObject();
    // The flag first: the limits, the shape and the objects follow the rolled-up picture from here on.
    FRolledUp = Up;
    if (Up) {
        FHeightBeforeRollUp = FForm->Height();
        FForm->SetHeight(FSkinData->RollUpPicture->Height());
    } else if (FHeightBeforeRollUp > 0) {
        FForm->SetHeight(FHeightBeforeRollUp);
    }
    FWidth = FForm->Width();
    FHeight = FForm->Height();
    UpdateSkinFrame(true);
    if (OnChangeRollUpState) OnChangeRollUpState(this);
}

void TskFormFrame::CaptionDoubleClick()
{
    if (FSizeable && Minimized())
        SetFrameWindowState(FrameStateNormal);
    else if (FSizeable && FWindowState == FrameStateNormal && !FRolledUp && FBorderIcons.Contains(TskBorderIcon::biMaximize))
        SetFrameWindowState(FrameStateMaximized);
    else if (FSizeable && Maximized() && !FRolledUpFromMaximized)
        SetFrameWindowState(FrameStateNormal);
    else
        RollUpFrame(!FRolledUp);
}

// ---- Limits and placement ----

void TskFormFrame::RefitForm()
{
    // One pixel out and back: the limits, the layout and the region are worked out again.
    const int w = FForm->Width();
    if (GetMinWidth() > w - 1) {
        FForm->SetWidth(w + 1);
        FForm->SetWidth(w);
    } else {
        FForm->SetWidth(w - 1);
        FForm->SetWidth(w);
    }
}

TRect TskFormFrame::CalcPlacementInMonitor(const TRect& Bounds) const
{
    if (FPositionInMonitor == skpDefault) return Bounds;
    const TRect area = MonitorArea(FForm, FPositionInMonitor == skpDesktopCenter);
    const int left = area.Left + area.Width() / 2 - Bounds.Width() / 2;
    const int top = area.Top + area.Height() / 2 - Bounds.Height() / 2;
    return TRect{left, top, left + Bounds.Width(), top + Bounds.Height()};
}

void TskFormFrame::PlaceInMonitor()
{
    if (FPositionInMonitor == skpDefault) return;
    const TRect r = CalcPlacementInMonitor(FForm->BoundsRect());
    FForm->SetBounds(r.Left, r.Top, r.Width(), r.Height());
}

void TskFormFrame::SnapToWorkArea(int& Left, int& Top, int Width, int Height)
{
    const TRect area = MonitorArea(FForm, true);
    const int m = FMagneticSize;
    const TPoint cursor = GetCursorPos();
    // One edge: near when within m of it. Reaching it snaps and remembers the cursor; once snapped the
    // window stays until the cursor has gone more than m from where it snapped.
    auto edge = [m](int& Pos, int Target, int Near, int Cursor, bool& Mark, int& Remembered) {
        const bool near = Target - m < Near && Near < Target + m;
        if (near && !Mark) {
            Pos = Target + (Pos - Near);
            Remembered = Cursor;
        } else if (near) {
            if (std::abs(Cursor - Remembered) > m)
                Pos = Cursor + (Target + (Pos - Near)) - Remembered;
            else
                Pos = Target + (Pos - Near);
        }
        Mark = near;
    };
    edge(Left, area.Left, Left, cursor.X, FSnapLeft, FSnapCursor.X);
    edge(Top, area.Top, Top, cursor.Y, FSnapTop, FSnapCursor.Y);
    edge(Left, area.Right, Left + Width, cursor.X, FSnapRight, FSnapCursor.X);
    edge(Top, area.Bottom, Top + Height, cursor.Y, FSnapBottom, FSnapCursor.Y);
}

void TskFormFrame::ClearSnapMarks() { FSnapLeft = FSnapTop = FSnapRight = FSnapBottom = false; }

void TskFormFrame::WMMoving(TMessage& Message)
{
    if (!FFrameOn) return;
    auto* r = reinterpret_cast<TRect*>(Message.LParam);
    if (r == nullptr) return;
    // A maximized frame stays where it is.
    if (Maximized() && FForm->FormStyle() != fsMDIChild) {
        *r = FForm->BoundsRect();
        return;
    }
    if (!FMagnetic) return;
    int left = r->Left;
    int top = r->Top;
    SnapToWorkArea(left, top, r->Width(), r->Height());
    OffsetRect(*r, left - r->Left, top - r->Top);
}

// ---- Showing and fading in ----

void TskFormFrame::WMShowWindow(TMessage& Message)
{
    if (Message.WParam == 0) {
        HideGlowLayers();
        if (FAlphaBlend && IsLayeringAvailable() && FForm->HandleAllocated()) SetLayered(false);
        return;
    }
    if (FFirstShowPending) {
        FFirstShowPending = false;
        if (FPositionInMonitor != skpDefault && FWindowState == FrameStateNormal) PlaceInMonitor();
    }
    // The window exists now: a translucent form (a dialog sets it before) starts see-through and fades
    // to its opacity on the window's own timer.
    if (IsLayeringAvailable() && (FAlphaBlend || FAlphaBlendAnimation) && FForm->HandleAllocated()) {
        SetLayered(true);
        SetLayeredWindowAttributes(FForm->Handle(), 0, 0, LWA_ALPHA);
        FFadeOpacity = 0;
        SetTimer(FForm->Handle(), FadeTimerId, 1);
    }
    if (!FFrameOn) return;
    if (FSupportNCArea && FForm->FormStyle() != fsMDIForm && FForm->HandleAllocated()) RefitForm();
    PlaceAreaControls();
    TakeFormMenu();
}

void TskFormFrame::SetLayered(bool On)
{
    const HWND h = FForm->Handle();
    const LONG_PTR ex = GetWindowLong(h, GWL_EXSTYLE);
    SetWindowLong(h, GWL_EXSTYLE, On ? (ex | WS_EX_LAYERED) : (ex & ~static_cast<LONG_PTR>(WS_EX_LAYERED)));
}

void TskFormFrame::FadeStep()
{
    if (!FForm->HandleAllocated()) return;
    const HWND h = FForm->Handle();
    const int target = (FAlphaBlendAnimation && !FAlphaBlend) ? 255 : FAlphaBlendValue;
    // Without the animation the opacity is there at once.
    FFadeOpacity = FAlphaBlendAnimation ? std::min(FFadeOpacity + FadeStepValue, target) : target;
    if (FFadeOpacity < target) {
        SetLayeredWindowAttributes(h, 0, static_cast<BYTE>(FFadeOpacity), LWA_ALPHA);
        SetTimer(h, FadeTimerId, FadeInterval);
        return;
    }
    KillTimer(h, FadeTimerId);
    if (target >= 255)
        SetLayered(false);
    else
        SetLayeredWindowAttributes(h, 0, static_cast<BYTE>(target), LWA_ALPHA);
}
