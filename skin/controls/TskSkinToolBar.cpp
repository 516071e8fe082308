#include "skin/controls/TskSkinToolBar.h"

#include "platform/vcl/TCustomImageList.h"
#include "platform/win/Input.h"
#include "platform/win/MessageQueue.h"
#include "platform/win/Paint.h"
#include "platform/win/Window.h"
#include "skin/controls/SkinButtonLook.h"
#include "skin/controls/SkinNinePart.h"
#include "skin/controls/TskSkinBevel.h"
#include "skin/controls/TskSkinMenuSpeedButton.h"
#include "skin/data/SkinDrawUtils.h"
#include "skin/data/SkinImages.h"
#include "skin/data/SkinRects.h"
#include "skin/data/TskDataSkinButtonControl.h"
#include "skin/data/TskSkinData.h"

namespace {

constexpr int ScrollButtonWidth = 12;
constexpr UINT_PTR ScrollTimerId = 1;

bool IsSkinnedControl(TControl* C)
{
    return dynamic_cast<TskSkinControl*>(C) != nullptr || dynamic_cast<TskGraphicSkinControl*>(C) != nullptr;
}

} // namespace

TskSkinToolBar::TskSkinToolBar(TComponent* AOwner) : TskSkinPanel(AOwner)
{
    SetSkinDataName("toolpanel");
    SetDefaultHeight(0);
    SetBorderStyle(bvNone);
    SetBounds(Left(), Top(), Width(), 25);
}

TskSkinToolBar::~TskSkinToolBar()
{
    if (FTimerOn && HandleAllocated()) KillTimer(Handle(), ScrollTimerId);
}

// ---- properties

void TskSkinToolBar::SetScrollOffset(int Value)
{
    if (Value < 0) return;
    FScrollOffset = Value;
}

void TskSkinToolBar::SetScrollTimerInterval(int Value)
{
    if (Value < 1) return;
    FScrollTimerInterval = Value;
}

void TskSkinToolBar::SetShowCaptions(bool Value)
{
    if (FShowCaptions == Value) return;
    FShowCaptions = Value;
    if (FAutoShowHideCaptions) {
        for (int i = 0; i < ControlCount(); ++i)
            if (auto* b = dynamic_cast<TskSkinSpeedButton*>(Controls(i))) b->SetShowCaption(Value);
    }
    if (FWidthWithCaptions != 0 && FWidthWithoutCaptions != 0)
        SetWidth(Value ? FWidthWithCaptions : FWidthWithoutCaptions);
}

void TskSkinToolBar::SetFlat(bool Value)
{
    FFlat = Value;
    for (int i = 0; i < ControlCount(); ++i)
        if (auto* b = dynamic_cast<TskSkinSpeedButton*>(Controls(i))) b->SetFlat(Value);
}

void TskSkinToolBar::SetImages(TCustomImageList* Value)
{
    if (Value == FImages) return;
    FImages = Value;
    RepaintImageButtons();
}

void TskSkinToolBar::RepaintImageButtons()
{
    for (int i = 0; i < ControlCount(); ++i)
        if (auto* b = dynamic_cast<TskSkinSpeedButton*>(Controls(i))) b->Repaint();
}

void TskSkinToolBar::SetHotImages(TCustomImageList* Value) { FHotImages = Value; }

void TskSkinToolBar::SetDisabledImages(TCustomImageList* Value) { FDisabledImages = Value; }


// ---- skin

std::string TskSkinToolBar::ChildSkinName(const std::string& BarName, TControl* Child)
{
    auto* menu = dynamic_cast<TskSkinMenuSpeedButton*>(Child);
    const bool track = menu != nullptr && menu->TrackButtonMode();
    if (BarName == "resizetoolpanel") return "resizetoolbutton";
    if (BarName == "panel") return "resizebutton";
    if (BarName == "bigtoolpanel") return menu == nullptr ? "bigtoolbutton" : (track ? "bigtoolmenutrackbutton" : "bigtoolmenubutton");
    return menu == nullptr ? "toolbutton" : (track ? "toolmenutrackbutton" : "toolmenubutton");
}

void TskSkinToolBar::SetSkinDataName(const std::string& Value)
{
    TskSkinPanel::SetSkinDataName(Value);
    if (!Designing() || ComponentState().Contains(csLoading)) return;
    for (int i = 0; i < ControlCount(); ++i)
        if (auto* b = dynamic_cast<TskSkinSpeedButton*>(Controls(i))) {
            b->SetSkinDataName(ChildSkinName(Value, b));
            b->Repaint();
        }
}

void TskSkinToolBar::SetSkinData(TskSkinData* Value)
{
    TskSkinPanel::SetSkinData(Value);
    for (int i = 0; i < ControlCount(); ++i) {
        if (auto* b = dynamic_cast<TskSkinSpeedButton*>(Controls(i))) b->SetSkinData(Value);
        if (auto* v = dynamic_cast<TskSkinBevel*>(Controls(i))) v->SetSkinData(Value);
    }
}

void TskSkinToolBar::FindSkinObject()
{
    TskSkinPanel::FindSkinObject();
    FButtonSkinIndex = SkinLoaded() ? SkinData()->FindControlIndex("resizebutton") : -1;
}

// ---- geometry

void TskSkinToolBar::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    const int oldWidth = Width();
    TskSkinPanel::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (FAdjustControls) {
        for (int i = 0; i < ControlCount(); ++i) {
            TControl* c = Controls(i);
            c->SetBounds(c->Left(), c->Top(), c->Width(), c->Height());
        }
    }
    if (!FCanScroll) return;
    FGrowth = oldWidth != 0 && Width() > oldWidth ? Width() - oldWidth : 0;
    // The range follows every size change (the client width is the new one only now).
    UpdateRange();
}

void TskSkinToolBar::AdjustClientRect(TRect& R)
{
    TskSkinPanel::AdjustClientRect(R);
    if (!FLeftButton.Visible) return;
    R = Rect(-FOffset, 0, -FOffset + std::max(FExtent + 1, ClientWidth()), ClientHeight());
    if (SkinIndex() != -1 && !Designing()) {
        if (!(BorderStyle() == bvNone && FResizeMode == 1)) {
            int w = Width();
            int h = Height();
            ComputeSkinSize(w, h);
            R.Top = FNewSkinClientRect.Top;
            R.Bottom = FNewSkinClientRect.Bottom;
        }
    } else {
        R.Top = 1;
        R.Bottom -= 1;
    }
}

int TskSkinToolBar::CentredTop(int AHeight)
{
    TRect r = Rect(0, 0, Width(), Height());
    AdjustClientRect(r);
    // Truncating division, as the bar has always placed its children.
    return r.Top + r.Height() / 2 - AHeight / 2;
}

int TskSkinToolBar::CentredTopIn(TControl* Child, int ATop, int AHeight)
{
    auto* bar = dynamic_cast<TskSkinToolBar*>(Child->Parent());
    return bar != nullptr && bar->AdjustControls() ? bar->CentredTop(AHeight) : ATop;
}

void TskSkinToolBar::CentreChildren()
{
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        if (IsSkinnedControl(c) || c->Align() != alNone) continue;
        const int top = CentredTop(c->Height());
        if (c->Top() != top) c->SetBounds(c->Left(), top, c->Width(), c->Height());
    }
}

int TskSkinToolBar::ContentExtent() const
{
    int e = 0;
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        if (c->Visible()) e = std::max(e, c->Left() + c->Width());
    }
    return e;
}

void TskSkinToolBar::UpdateRange()
{
    if (FInRangeUpdate) return;
    FInRangeUpdate = true;
    const int e = ContentExtent();
    int w = ClientWidth();
    const int p = FOffset;
    if (e == 0 && FLeftButton.Visible) ShowScrollButtons(false);
    if (w >= p + e) {
        if (p != 0) ScrollBy(p, 0);
        FGrowth = FExtent = FOffset = FPage = 0;
        ShowScrollButtons(false);
    } else {
        ShowScrollButtons(true);
        // The page is what is left beside the buttons, or the end of the row could never be shown.
        w = ClientWidth();
        if (p >= 1 && w > e && FGrowth >= 1) {
            // The bar grew: the row comes back by as much, so no gap opens at the right.
            const int g = std::min(FGrowth, p);
            FExtent = p + e - 1;
            FOffset = p - g;
            FPage = w;
            ScrollBy(g, 0);
        } else if (FGrowth == 0 && p + e - 1 < FExtent && p >= 1 && w > e) {
            // The row got shorter: its end is brought back to the right edge.
            FExtent = p + e - 1;
            FOffset = p + e - w;
            FPage = w;
            ScrollBy(w - e, 0);
        } else {
            FExtent = p + e - 1;
            FPage = w;
        }
    }
    FGrowth = 0;
    FInRangeUpdate = false;
}

void TskSkinToolBar::ShowScrollButtons(bool Value)
{
    if (FLeftButton.Visible == Value) return;
    FLeftButton.Visible = FRightButton.Visible = Value;
    if (!Value) {
        FLeftButton.Hot = FLeftButton.Down = FRightButton.Hot = FRightButton.Down = false;
        StopScroll();
    }
    // The non-client size is asked for again; the window itself stays (it may be inside its own size
    // handling right now, and a cool bar band holds on to it).
    if (HandleAllocated())
        SetWindowPos(Handle(), 0, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    Realign();
    Invalidate();
}

// ---- scrolling

void TskSkinToolBar::StartScroll(int Mode)
{
    FScrollMode = Mode;
    if (!HandleAllocated()) return;
    SetTimer(Handle(), ScrollTimerId, static_cast<UINT>(FScrollTimerInterval));
    FTimerOn = true;
}

void TskSkinToolBar::StopScroll()
{
    if (FTimerOn && HandleAllocated()) KillTimer(Handle(), ScrollTimerId);
    FTimerOn = false;
    FScrollMode = 0;
}

void TskSkinToolBar::ScrollStep(int Mode)
{
    const int s = FScrollOffset == 0 ? ClientWidth() : FScrollOffset;
    int next = FOffset;
    if (Mode == 1)
        next = std::max(FOffset - s, 0);
    else if (Mode == 2)
        next = std::max(std::min(FOffset + s, FExtent - FPage + 1), 0);
    if (next == FOffset) {
        StopScroll();
        return;
    }
    // The children always sit where the present offset puts them, so each step moves them by its own size.
    ScrollBy(FOffset - next, 0);
    FOffset = next;
    Invalidate();
}

void TskSkinToolBar::ClearHot()
{
    if (!FLeftButton.Hot && !FRightButton.Hot) return;
    if (FLeftButton.Hot)
        FLeftButton.Hot = false;
    else
        FRightButton.Hot = false;
    if (FTimerOn) StopScroll();
    RepaintButtons();
}

void TskSkinToolBar::RepaintButtons()
{
    if (HandleAllocated()) SendMessage(Handle(), WM_NCPAINT, 0, 0);
}

// ---- messages

void TskSkinToolBar::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_WINDOWPOSCHANGING:
        TskSkinPanel::WndProc(Message);
        if (HandleAllocated() && FAdjustControls) CentreChildren();
        return;
    case WM_SIZE:
        TskSkinPanel::WndProc(Message);
        FLeftButton.R = Rect(0, 0, ScrollButtonWidth, Height());
        FRightButton.R = Rect(Width() - ScrollButtonWidth, 0, Width(), Height());
        return;
    case WM_NCCALCSIZE:
        TskSkinPanel::WndProc(Message);
        if (FCanScroll && Message.LParam != 0) {
            TRect* r = reinterpret_cast<TRect*>(Message.LParam);
            if (FLeftButton.Visible) r->Left += ScrollButtonWidth;
            if (FRightButton.Visible) r->Right -= ScrollButtonWidth;
        }
        return;
    case WM_NCPAINT:
        TskSkinPanel::WndProc(Message);
        if (FCanScroll) PaintScrollButtons();
        return;
    case WM_NCHITTEST:
        if (FCanScroll && !Designing() && HandleAllocated()) {
            const TPoint p = ScreenToClient(ParamPoint(Message.LParam));
            if (p.X < 0 && FLeftButton.Visible) {
                Message.Result = HTSCROLLLEFT;
                return;
            }
            if (p.X >= ClientWidth() && FRightButton.Visible) {
                Message.Result = HTSCROLLRIGHT;
                return;
            }
        }
        TskSkinPanel::WndProc(Message);
        return;
    case WM_SETCURSOR: {
        const WORD hit = LOWORD(static_cast<std::uintptr_t>(Message.LParam));
        if (hit == HTSCROLLLEFT || hit == HTSCROLLRIGHT)
            Message.LParam = MAKELPARAM(static_cast<int>(HTCLIENT), HIWORD(static_cast<std::uintptr_t>(Message.LParam)));
        TskSkinPanel::WndProc(Message);
        return;
    }
    case WM_NCMOUSEMOVE:
        if (static_cast<LRESULT>(Message.WParam) == HTSCROLLLEFT || static_cast<LRESULT>(Message.WParam) == HTSCROLLRIGHT) {
            const bool left = static_cast<LRESULT>(Message.WParam) == HTSCROLLLEFT;
            TScrollButton& on = left ? FLeftButton : FRightButton;
            TScrollButton& off = left ? FRightButton : FLeftButton;
            if (!on.Hot || off.Hot) {
                on.Hot = true;
                off.Hot = false;
                RepaintButtons();
                if (FHotScroll) StartScroll(left ? 1 : 2);
            }
            return;
        }
        TskSkinPanel::WndProc(Message);
        return;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
        if (static_cast<LRESULT>(Message.WParam) == HTSCROLLLEFT || static_cast<LRESULT>(Message.WParam) == HTSCROLLRIGHT) {
            const bool left = static_cast<LRESULT>(Message.WParam) == HTSCROLLLEFT;
            (left ? FLeftButton : FRightButton).Down = true;
            RepaintButtons();
            StartScroll(left ? 1 : 2);
            return;
        }
        TskSkinPanel::WndProc(Message);
        return;
    case WM_NCLBUTTONUP:
        if (static_cast<LRESULT>(Message.WParam) == HTSCROLLLEFT || static_cast<LRESULT>(Message.WParam) == HTSCROLLRIGHT) {
            const bool left = static_cast<LRESULT>(Message.WParam) == HTSCROLLLEFT;
            (left ? FLeftButton : FRightButton).Down = false;
            RepaintButtons();
            StopScroll();
            // A short click is one step.
            ScrollStep(left ? 1 : 2);
            return;
        }
        TskSkinPanel::WndProc(Message);
        return;
    case WM_MOUSEMOVE:
        TskSkinPanel::WndProc(Message);
        ClearHot();
        return;
    case CM_MOUSELEAVE:
        TskSkinPanel::WndProc(Message);
        if (HandleAllocated() && WindowFromPoint(GetCursorPos()) != Handle()) ClearHot();
        return;
    case WM_TIMER:
        if (Message.WParam == ScrollTimerId) {
            if (FScrollMode != 0) ScrollStep(FScrollMode);
            return;
        }
        TskSkinPanel::WndProc(Message);
        return;
    default:
        TskSkinPanel::WndProc(Message);
    }
}

// ---- painting

void TskSkinToolBar::DrawSkinImage(TBitmap* B)
{
    if (FLeftButton.Visible && FResizeMode == 2 && FPicture != nullptr) {
        // Under scroll buttons the row has no ends: the middle of the picture fills the whole width.
        CreateHFillImage(FLeftTopPoint.X, WidthOfRect(FSkinRect) - FRightTopPoint.X, B, FPicture, FSkinRect, Width(),
            Height(), FStretchEffect);
        return;
    }
    TskSkinPanel::DrawSkinImage(B);
}

void TskSkinToolBar::PaintScrollButtons()
{
    if (!HandleAllocated() || !FLeftButton.Visible) return;
    HDC dc = GetWindowDC(Handle());
    if (dc == 0) return;
    TCanvas c;
    c.SetHandle(dc);
    PaintScrollButton(&c, FLeftButton, 1);
    PaintScrollButton(&c, FRightButton, 2);
    c.SetHandle(0);
    ReleaseDC(Handle(), dc);
}

void TskSkinToolBar::PaintScrollButton(TCanvas* C, const TScrollButton& Button, int ArrowCode)
{
    if (!Button.Visible) return;
    const int w = Button.R.Width();
    const int h = Button.R.Height();
    if (w < 1 || h < 1) return;
    TBitmap b(w, h);
    const TRect r = Rect(0, 0, w, h);
    auto* entry = FSkinLink.EntryAs<TskDataSkinButtonControl>(FButtonSkinIndex);
    TBitmap* picture = entry != nullptr ? SkinPicture(entry->PictureIndex) : nullptr;
    TColor arrow = clBtnText;
    if (entry != nullptr && picture != nullptr) {
        TRect src = entry->SkinRect;
        if (((Button.Down && Button.Hot) || (Button.Hot && FHotScroll)) && !IsEmptyRect(entry->DownSkinRect))
            src = entry->DownSkinRect;
        else if (Button.Hot && !IsEmptyRect(entry->ActiveSkinRect))
            src = entry->ActiveSkinRect;
        // Corners kept, each edge tiled or stretched as the entry says: the button is far narrower and
        // taller than the picture, and a plain stretch would smear its frame.
        CreateEntrySkinImage(&b, picture, *entry, src, w, h);
        arrow = entry->FontColor;
    } else if (Button.Down && Button.Hot) {
        FillFramed(b.Canvas(), r, SkinNavyFrame, SkinPressedFill);
    } else if (Button.Hot) {
        FillFramed(b.Canvas(), r, SkinNavyFrame, SkinHotFill);
    } else {
        FillFramed(b.Canvas(), r, clBtnShadow, clBtnFace);
    }
    DrawArrowImage(b.Canvas(), r, arrow, ArrowCode);
    C->Draw(Button.R.Left, Button.R.Top, &b);
}
