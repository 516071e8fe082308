#include "skin/controls/TskSkinScrollBox.h"

#include <algorithm>

#include "platform/rtl/ScopeGuards.h"
#include "platform/vcl/TypInfo.h"
#include "platform/win/Input.h"
#include "platform/win/Paint.h"
#include "skin/controls/SkinTileDraw.h"
#include "skin/data/SkinDrawUtils.h"
#include "skin/data/SkinImages.h"
#include "skin/data/SkinMessages.h"
#include "skin/data/TskDataSkinPanelControl.h"
#include "skin/data/TskSkinData.h"

namespace {
// The skin's stretch types as the tiling helper numbers them: "horizontal" stretches a piece to the
// area's width and tiles it downwards, "vertical" to its height and tiles it across.
int TileStretchType(int SkinStretchType) { return SkinStretchType == 1 ? 2 : SkinStretchType == 2 ? 1 : 0; }
} // namespace

TskSkinScrollBox::TskSkinScrollBox(TComponent* AOwner) : TskSkinCustomControl(AOwner)
{
    SetSkinDataName("scrollbox");
    SetBounds(Left(), Top(), 150, 150);
    TControlStyle s = ControlStyle();
    s.Include(csAcceptsControls);
    SetControlStyle(s);
}

TskSkinScrollBox::~TskSkinScrollBox()
{
    // The bars outlive the box on the form: they must not call back into it.
    for (TskSkinScrollBar* b : {FVScrollBar.get(), FHScrollBar.get()})
        if (b != nullptr) {
            b->OnChange = nullptr;
            b->OnLastChange = nullptr;
        }
}

void TskSkinScrollBox::SetVScrollBar(TskSkinScrollBar* Value)
{
    FVScrollBar = Value;
    if (Value != nullptr) {
        Value->SetCanFocused(false);
        Value->OnChange = [this](TObject* Sender) { VScrollChanged(Sender); };
        Value->OnLastChange = [this](TObject*) { Invalidate(); };
        Value->SetEnabled(true);
        Value->SetVisible(false);
    }
    UpdateVScrollBar();
}

void TskSkinScrollBox::SetHScrollBar(TskSkinScrollBar* Value)
{
    FHScrollBar = Value;
    if (Value != nullptr) {
        Value->SetCanFocused(false);
        Value->OnChange = [this](TObject* Sender) { HScrollChanged(Sender); };
        Value->OnLastChange = [this](TObject*) { Invalidate(); };
        Value->SetEnabled(true);
        Value->SetVisible(false);
    }
    UpdateHScrollBar();
}

void TskSkinScrollBox::SetBorderStyle(TskSkinBorderStyle Value)
{
    if (Value == FBorderStyle) return;
    FBorderStyle = Value;
    if (HandleAllocated()) RecreateWnd();
}

void TskSkinScrollBox::VScrollChanged(TObject*)
{
    const int pos = FVScrollBar->Position();
    ScrollBy(0, -(pos - FOldVPos));
    FOldVPos = pos;
    RepaintStretchedBackground();
}

void TskSkinScrollBox::HScrollChanged(TObject*)
{
    const int pos = FHScrollBar->Position();
    ScrollBy(-(pos - FOldHPos), 0);
    FOldHPos = pos;
    RepaintStretchedBackground();
}

void TskSkinScrollBox::RepaintStretchedBackground()
{
    if (SkinIndex() == -1 || !FStretchEffect || !HandleAllocated()) return;
    // A stretched background stays where it is while the content moves: the box paints its own part
    // again. The children are not asked to: each moved one hears of its move, and those that show the
    // box through them paint themselves again then; the rest carried their pictures along. Everything
    // is painted before this returns, as a whole repaint would be, but only what needs it.
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);
    RedrawWindow(Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void TskSkinScrollBox::FindSkinObject()
{
    TskSkinCustomControl::FindSkinObject();
    auto* e = SkinEntryAs<TskDataSkinScrollBoxControl>();
    FBGPictureIndex = e != nullptr ? e->BGPictureIndex : -1;
}

void TskSkinScrollBox::RefreshSkin()
{
    TskSkinCustomControl::RefreshSkin();
    if (HandleAllocated()) RecreateWnd();
    for (TskSkinScrollBar* b : {FVScrollBar.get(), FHScrollBar.get()})
        if (b != nullptr) {
            const TAlign a = b->Align();
            b->SetAlign(alNone);
            b->SetAlign(a);
        }
}

// --- keeping the bars in line -----------------------------------------------------------------------

TskSkinScrollBar* TskSkinScrollBox::WholeBar(bool Vertical) const
{
    // A bar freed beside the box realigns their parent on its way out, which resizes the box: that bar
    // is no longer whole (its own parts are gone already) though its link clears only at its end.
    const TComponentLink<TskSkinScrollBar>& link = Vertical ? FVScrollBar : FHScrollBar;
    return link.TargetDestroying() ? nullptr : link.get();
}

void TskSkinScrollBox::UpdateVScrollBar() { UpdateBar(true); }
void TskSkinScrollBox::UpdateHScrollBar() { UpdateBar(false); }

void TskSkinScrollBox::ShowBar(TskSkinScrollBar* Bar, bool Show)
{
    if (Bar->Visible() == Show) return;
    TValueGuard updatingBars(FUpdatingBars);
    Bar->SetVisible(Show);
    if (Align() != alNone) {
        if (Parent() != nullptr) Parent()->Realign();
        Realign();
    }
}

void TskSkinScrollBox::UpdateBar(bool Vertical)
{
    TskSkinScrollBar* bar = WholeBar(Vertical);
    if (bar == nullptr || FUpdatingBars || Parent() == nullptr || ComponentState().Contains(csDestroying)) return;
    const TRect client = ClientRect();
    const int H = Vertical ? client.Height() : client.Width();
    int B = 0;
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        if (!c->Visible()) continue;
        B = std::max(B, Vertical ? c->Top() + c->Height() : c->Left() + c->Width());
    }
    const int p = bar->Position();
    const int T = p + B;
    int& growth = Vertical ? FVSizeOffset : FHSizeOffset;
    int& lastPos = Vertical ? FOldVPos : FOldHPos;
    auto moveBy = [&](int d) { Vertical ? ScrollBy(0, d) : ScrollBy(d, 0); };
    if (T <= H) {
        if (p > 0) moveBy(p);
        growth = 0;
        lastPos = 0;
        bar->SetRange(0, 0, 0, 0);
        ShowBar(bar, false);
    } else {
        ShowBar(bar, true);
        if (growth >= 1 && p >= 1 && B < H) {
            // The box grew while scrolled: keep the content's end at the client's end.
            bar->SetRange(0, T - 1, H, p - std::min(growth, p));
        } else if (growth == 0 && T - 1 < bar->Max() && p >= 1 && B < H) {
            // The content shrank while scrolled.
            bar->SetRange(0, T - 1, H, p - std::min(H - B, p));
        } else {
            bar->SetRange(0, T - 1, H, p);
        }
        // A click in the track pages by what the box shows.
        if (bar->LargeChange() != H) bar->SetLargeChange(H);
        // The children always move by exactly what the position moved (the range may have clamped it),
        // so that the position and the content never disagree.
        moveBy(p - bar->Position());
        growth = 0;
        lastPos = bar->Position();
    }
    if (TskSkinScrollBar* vertical = WholeBar(true); vertical != nullptr && WholeBar(false) != nullptr)
        FHScrollBar->SetBoth(vertical->Visible());
}

void TskSkinScrollBox::AlignControls(TControl* AControl, TRect& Rect)
{
    TskSkinCustomControl::AlignControls(AControl, Rect);
    // Rows added, removed or resized reach the box through a realignment: the bars follow them at once
    // instead of waiting for the box itself to be resized.
    if (FUpdatingBars || FInBoxSetBounds) return;
    UpdateVScrollBar();
    UpdateHScrollBar();
}

void TskSkinScrollBox::AdjustClientRect(TRect& Rect)
{
    const TRect client = ClientRect();
    TskSkinScrollBar* vertical = WholeBar(true);
    TskSkinScrollBar* horizontal = WholeBar(false);
    if (vertical != nullptr && !vertical->Visible()) vertical = nullptr;
    if (horizontal != nullptr && !horizontal->Visible()) horizontal = nullptr;
    const int left = horizontal ? -horizontal->Position() : 0;
    const int top = vertical ? -vertical->Position() : 0;
    const int width = horizontal ? std::max(horizontal->Max(), client.Width()) : client.Width();
    const int height = vertical ? std::max(vertical->Max(), client.Height()) : client.Height();
    Rect = ::Rect(left, top, left + width, top + height);
    TskSkinCustomControl::AdjustClientRect(Rect);
}

void TskSkinScrollBox::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    const int oldW = Width();
    const int oldH = Height();
    // The realignment inside the inherited call must not update the bars before the growth is known.
    const bool wasInSetBounds = FInBoxSetBounds;
    {
        TValueGuard inBoxSetBounds(FInBoxSetBounds);
        TskSkinCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    }
    if (wasInSetBounds) return;
    // Unaligned boxes are updated here too: the window-position message comes before the new size.
    FHSizeOffset = (oldW != 0 && Width() > oldW) ? Width() - oldW : 0;
    UpdateHScrollBar();
    FVSizeOffset = (oldH != 0 && Height() > oldH) ? Height() - oldH : 0;
    UpdateVScrollBar();
}

// --- the wheel and the keys ------------------------------------------------------------------------

TskSkinScrollBar* TskSkinScrollBox::ScrollingBar() const
{
    for (bool vertical : {true, false})
        if (TskSkinScrollBar* bar = WholeBar(vertical); bar != nullptr && bar->Visible()) return bar;
    return nullptr;
}

bool TskSkinScrollBox::IsScrollKey(WORD Key)
{
    return Key == VK_UP || Key == VK_DOWN || Key == VK_PRIOR || Key == VK_NEXT || Key == VK_HOME || Key == VK_END;
}

bool TskSkinScrollBox::ScrollByWheel(int Delta)
{
    TskSkinScrollBar* bar = ScrollingBar();
    if (bar == nullptr || Delta == 0) return false;
    // One line of the bar per notch; a fine wheel that reports less than a notch still moves one line.
    const int notches = std::max(1, std::abs(Delta) / WHEEL_DELTA);
    const int step = std::max(1, bar->SmallChange()) * notches;
    // Turned towards the user (a negative delta) shows what lies further down.
    bar->SetPosition(bar->Position() + (Delta < 0 ? step : -step));
    return true;
}

bool TskSkinScrollBox::ScrollByKey(WORD Key)
{
    TskSkinScrollBar* bar = ScrollingBar();
    if (bar == nullptr || !IsScrollKey(Key)) return false;
    const int line = std::max(1, bar->SmallChange());
    const int page = std::max(line, bar->PageSize());
    const int p = bar->Position();
    switch (Key) {
    case VK_UP: bar->SetPosition(p - line); break;
    case VK_DOWN: bar->SetPosition(p + line); break;
    case VK_PRIOR: bar->SetPosition(p - page); break;
    case VK_NEXT: bar->SetPosition(p + page); break;
    case VK_HOME: bar->SetPosition(bar->Min()); break;
    default: bar->SetPosition(bar->Max()); break; // the bar keeps the last page in view
    }
    return true;
}

void TskSkinScrollBox::ScrollInView(TControl* Control)
{
    // The control's place in the box's client, and the box's child that holds it.
    TRect place = Control->BoundsRect();
    TControl* child = Control;
    for (TWinControl* p = Control->Parent(); p != this; p = p->Parent()) {
        if (p == nullptr) return;
        OffsetRect(place, p->Left(), p->Top());
        child = p;
    }
    const TRect client = ClientRect();
    const TRect whole = child->BoundsRect();
    for (bool vertical : {true, false}) {
        TskSkinScrollBar* bar = WholeBar(vertical);
        if (bar == nullptr || !bar->Visible()) continue;
        const bool fits = vertical ? whole.Height() <= client.Height() : whole.Width() <= client.Width();
        const TRect& r = fits ? whole : place;
        const int start = vertical ? r.Top : r.Left;
        const int end = vertical ? r.Bottom : r.Right;
        const int extent = vertical ? client.Height() : client.Width();
        // Children stand where the bar's position put them: a start above the client is scrolled down to,
        // an end below it up to.
        if (start < 0)
            bar->SetPosition(bar->Position() + start);
        else if (end > extent)
            bar->SetPosition(bar->Position() + std::min(start, end - extent));
    }
}

// --- painting ---------------------------------------------------------------------------------------

void TskSkinScrollBox::DrawDefaultImage(TBitmap* B) { FillBackground(B->Canvas(), Rect(0, 0, B->Width(), B->Height())); }

void TskSkinScrollBox::DrawSkinImage(TBitmap* B) { DrawBackground(B->Canvas(), Rect(0, 0, B->Width(), B->Height())); }

void TskSkinScrollBox::FillBackground(TCanvas* C, const TRect& Area)
{
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(Color());
    C->FillRect(Area);
}

void TskSkinScrollBox::DrawBackground(TCanvas* C, const TRect& Area)
{
    TBitmap* src = FPicture;
    TRect piece = FSkinClientRect;
    if (FBGPictureIndex != -1) {
        src = SkinPicture(FBGPictureIndex);
        if (src != nullptr) piece = Rect(0, 0, src->Width(), src->Height());
    } else {
        OffsetRect(piece, FSkinRect.Left, FSkinRect.Top);
    }
    if (src == nullptr) {
        FillBackground(C, Area);
        return;
    }
    if (FStretchEffect)
        StretchTileDraw(C, src, piece, Area, TileStretchType(FStretchType));
    else
        TileDraw(C, src, piece, Area);
}

void TskSkinScrollBox::Paint()
{
    if (Width() < 1 || Height() < 1) return;
    FindSkinObject();
    if (SkinIndex() == -1 || AlphaBlend()) {
        TskSkinCustomControl::Paint();
        return;
    }
    // The background covers the whole box, so it goes straight onto the canvas: only what the clip
    // lets through (the gaps around and between the children) is drawn, never a picture of the whole box.
    DrawBackground(Canvas(), Rect(0, 0, Width(), Height()));
}

bool TskSkinScrollBox::HasFrame()
{
    if (FBorderStyle == bvNone) return false;
    FindSkinObject();
    return SkinIndex() == -1 || FBGPictureIndex == -1;
}

void TskSkinScrollBox::PaintFrame(HDC DC)
{
    TRect wr;
    GetWindowRect(FHandle, wr);
    const int w = wr.Width();
    const int h = wr.Height();
    TCanvas c;
    c.SetHandle(DC);
    if (SkinIndex() == -1 || FPicture == nullptr) {
        const TRect r = Rect(0, 0, w, h);
        switch (FBorderStyle) {
        case bvRaised:
            DrawFrame3D(&c, r, clBtnShadow, clBtnHighlight);
            break;
        case bvLowered:
            DrawFrame3D(&c, r, clBtnHighlight, clBtnShadow);
            break;
        default:
            DrawFrame3D(&c, r, clBtnShadow, clBtnShadow);
            break;
        }
    } else {
        TBitmap left, top, right, bottom;
        const TRect& cr = FSkinClientRect;
        const TPoint nrt = Point(w - (FSkinRect.Width() - FRightTopPoint.X), FRightTopPoint.Y);
        const TPoint nlb = Point(FLeftBottomPoint.X, h - (FSkinRect.Height() - FLeftBottomPoint.Y));
        const TPoint nrb = Point(w - (FSkinRect.Width() - FRightBottomPoint.X), h - (FSkinRect.Height() - FRightBottomPoint.Y));
        const TRect ncr = Rect(cr.Left, cr.Top, w - (FSkinRect.Width() - cr.Right), h - (FSkinRect.Height() - cr.Bottom));
        CreateSkinImagePair(FLeftTopPoint, FRightTopPoint, FLeftBottomPoint, FRightBottomPoint, cr, FLeftTopPoint, nrt,
            nlb, nrb, ncr, &left, &top, &right, &bottom, FPicture, FSkinRect, w, h, FLeftStretch, FTopStretch,
            FRightStretch, FBottomStretch);
        c.Draw(0, 0, &top);
        c.Draw(0, top.Height(), &left);
        c.Draw(w - right.Width(), top.Height(), &right);
        c.Draw(0, h - bottom.Height(), &bottom);
    }
    c.SetHandle(0);
}

void TskSkinScrollBox::WndProc(TMessage& Message)
{
    if (FCanFocused && (Message.Msg == WM_LBUTTONDOWN || Message.Msg == WM_LBUTTONDBLCLK) && !TakeFocusOnPress())
        return;
    if (Message.Msg == CN_COMMAND && TakingFocus()) return;
    switch (Message.Msg) {
    case WM_NCCALCSIZE:
        if (HasFrame() && Message.LParam != 0) {
            TRect* r = reinterpret_cast<TRect*>(Message.LParam);
            if (SkinIndex() == -1) {
                r->Left += 1;
                r->Top += 1;
                r->Right -= 1;
                r->Bottom -= 1;
            } else {
                r->Left += FSkinClientRect.Left;
                r->Top += FSkinClientRect.Top;
                r->Right -= FSkinRect.Width() - FSkinClientRect.Right;
                r->Bottom -= FSkinRect.Height() - FSkinClientRect.Bottom;
            }
            Message.Result = 0;
            return;
        }
        TskSkinCustomControl::WndProc(Message);
        return;
    case WM_NCPAINT:
        if (HasFrame() && HandleAllocated()) {
            HDC dc = GetWindowDC(FHandle);
            if (dc != 0) {
                PaintFrame(dc);
                ReleaseDC(FHandle, dc);
            }
            Message.Result = 0;
            return;
        }
        TskSkinCustomControl::WndProc(Message);
        return;
    case CM_PAINTSKINFRAME:
    case CM_PAINTSKINFRAME2: {
        auto paint = [this](HDC DC, bool) {
            if (DC == nullptr || !HasFrame()) return false;
            PaintFrame(DC);
            return true;
        };
        if (!AnswerPaintSkinFrame(Message, paint)) TskSkinCustomControl::WndProc(Message);
        return;
    }
    case CM_VISIBLECHANGED:
        TskSkinCustomControl::WndProc(Message);
        // A hidden box hides its bars; a shown one shows only the bars its content needs.
        if (!Visible()) {
            for (bool vertical : {true, false})
                if (TskSkinScrollBar* bar = WholeBar(vertical)) bar->SetVisible(false);
        } else {
            UpdateVScrollBar();
            UpdateHScrollBar();
        }
        return;
    case WM_WINDOWPOSCHANGING:
        TskSkinCustomControl::WndProc(Message);
        if (HandleAllocated() && Align() == alNone && !FInBoxSetBounds) {
            UpdateVScrollBar();
            UpdateHScrollBar();
        }
        return;
    case WM_SIZE:
        TskSkinCustomControl::WndProc(Message);
        if (HandleAllocated()) SendMessage(FHandle, WM_NCPAINT, 0, 0);
        return;
    case WM_MOUSEWHEEL:
        // The wheel reaches the box from the focused child or from the pointer's place; with no bar
        // showing it goes on to the parent, as the system's default does.
        if (!ScrollByWheel(static_cast<short>(HIWORD(Message.WParam)))) TskSkinCustomControl::WndProc(Message);
        return;
    case CM_FOCUSCHANGED: {
        TskSkinCustomControl::WndProc(Message);
        // A control inside the box that takes the focus (by Tab, say) while scrolled out of sight is
        // brought into view, so that the focus never disappears.
        auto* focused = reinterpret_cast<TWinControl*>(Message.LParam);
        if (focused != nullptr && focused != this && ContainsControl(focused)) ScrollInView(focused);
        return;
    }
    case CM_WANTSPECIALKEY:
        TskSkinCustomControl::WndProc(Message);
        if (IsScrollKey(static_cast<WORD>(Message.WParam)) && ScrollingBar() != nullptr) Message.Result = 1;
        return;
    case WM_KEYDOWN:
        TskSkinCustomControl::WndProc(Message);
        ScrollByKey(static_cast<WORD>(Message.WParam));
        return;
    default:
        TskSkinCustomControl::WndProc(Message);
    }
}

void RegisterSkinScrollBoxClass()
{
    static const bool done = [] {
        using X = TskSkinScrollBox;
        RegisterClass<X, TskSkinCustomControl>("TskSkinScrollBox")
            .Prop("VScrollBar", &X::VScrollBar, &X::SetVScrollBar)
            .Prop("HScrollBar", &X::HScrollBar, &X::SetHScrollBar)
            .Prop("BorderStyle", &X::BorderStyle, &X::SetBorderStyle, bvFrame)
            .Prop("CanFocused", &X::CanFocused, &X::SetCanFocused, false);
        return true;
    }();
    (void)done;
}
