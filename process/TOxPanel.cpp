#include "process/TOxPanel.h"

#include <algorithm>
#include <vector>

#include "platform/gfx/Drawing.h"
#include "platform/gfx/Text.h"
#include "platform/vcl/TScreen.h"
#include "platform/vcl/TypInfo.h"
#include "process/OxUtils.h"

namespace {

// The corner of the size grip, and how far inside the edges a drag moves the panel.
constexpr int kGripSize = 12;

bool AutoSizesWidth(TOxAutoSizePanel Mode)
{
    return Mode == asWidth || Mode == asBoth;
}

bool AutoSizesHeight(TOxAutoSizePanel Mode)
{
    return Mode == asHeight || Mode == asBoth;
}

} // namespace

// ---------------------------------------------------------------------------------------------

void TOxCustomPanel::Paint()
{
    TOxExCustomPanel::Paint();
    DoPaint();
}

void TOxCustomPanel::DoPaint()
{
    if (OnPaint)
        OnPaint(this);
}

// ---------------------------------------------------------------------------------------------

TOxCustomArrangePanel::TOxCustomArrangePanel(TComponent* AOwner)
    : TOxCustomPanel(AOwner), FHotTrackFont(std::make_unique<TFont>())
{
    SetControlStyle(ControlStyle() + csNeedsBorderPaint + csParentBackground);
    FHotTrackFont->Assign(Font());
    FHotTrackOptions = new TOxPanelHotTrackOptions(this);
    FHotTrackOptions->OnChanged = [this](TObject*) { Invalidate(); };
    FArrangeSettings = new TOxArrangeSettings(this);
    FArrangeSettings->OnChangedProperty = [this](TObject*, const std::string& Name) { ArrangeSettingsChanged(Name); };
}

TOxCustomArrangePanel::~TOxCustomArrangePanel()
{
    if (FCursorChanged)
        Screen->SetCursor(FSavedCursor);
}

void TOxCustomArrangePanel::SetHotTrack(bool Value)
{
    if (FHotTrack == Value)
        return;
    FHotTrack = Value;
    Invalidate();
}

void TOxCustomArrangePanel::SetHotTrackFontOptions(TOxTrackFontOptions Value)
{
    if (FHotTrackFontOptions.Bits() == Value.Bits())
        return;
    FHotTrackFontOptions = Value;
    UpdateTrackFont(FHotTrackFont.get(), Font(), FHotTrackFontOptions);
}

void TOxCustomArrangePanel::SetSizeable(bool Value)
{
    if (FSizeable == Value)
        return;
    FSizeable = Value;
    Invalidate();
}

void TOxCustomArrangePanel::SetTransparent(bool Value)
{
    if (FTransparent == Value)
        return;
    FTransparent = Value;
    // The window is drawn over what lies under it: it no longer paints itself opaque.
    if (FTransparent)
        SetControlStyle(ControlStyle() - csOpaque);
    else
        SetControlStyle(ControlStyle() + csOpaque);
    Invalidate();
}

void TOxCustomArrangePanel::SetMultiLine(bool Value)
{
    if (FMultiLine == Value)
        return;
    FMultiLine = Value;
    Invalidate();
}

void TOxCustomArrangePanel::SetFlatBorder(bool Value)
{
    if (FFlatBorder == Value)
        return;
    FFlatBorder = Value;
    Invalidate();
}

void TOxCustomArrangePanel::SetFlatBorderColor(TColor Value)
{
    if (FFlatBorderColor == Value)
        return;
    FFlatBorderColor = Value;
    Invalidate();
}

void TOxCustomArrangePanel::SetArrangeSettings(TOxArrangeSettings* Value)
{
    if (Value)
        FArrangeSettings->Assign(Value);
}

void TOxCustomArrangePanel::CopyHotTrackFrom(TOxCustomArrangePanel* Source)
{
    if (!Source || Source == this)
        return;
    SetHotTrack(Source->HotTrack());
    FHotTrackFont->Assign(Source->HotTrackFont());
    FHotTrackFontOptions = Source->HotTrackFontOptions();
    FHotTrackOptions->Assign(Source->HotTrackOptions());
}

void TOxCustomArrangePanel::ArrangeSettingsChanged(const std::string& PropName)
{
    if (PropName == "AutoArrange") {
        if (FArrangeSettings->AutoArrange())
            ArrangeControls();
    } else if (PropName == "AutoSize") {
        if (FArrangeSettings->AutoSize() != asNone)
            ArrangeControls();
    } else {
        ArrangeControls();
    }
}

void TOxCustomArrangePanel::Rearrange()
{
    if (FArrangeSettings->AutoArrange() && !ComponentState().Contains(csLoading))
        ArrangeControls();
}

void TOxCustomArrangePanel::Loaded()
{
    TOxCustomPanel::Loaded();
    if (FArrangeSettings->AutoArrange())
        ArrangeControls();
}

void TOxCustomArrangePanel::AlignControls(TControl* AControl, TRect& Rect)
{
    TOxCustomPanel::AlignControls(AControl, Rect);
    if (FArrangeSettings->AutoArrange())
        ArrangeControls();
}

void TOxCustomArrangePanel::Resize()
{
    TOxCustomPanel::Resize();
    if (FArrangeSettings->AutoArrange())
        ArrangeControls();
}

void TOxCustomArrangePanel::ApplyArrangedSize(int NewWidth, int NewHeight)
{
    TControl::SetWidth(NewWidth);
    TControl::SetHeight(NewHeight);
}

void TOxCustomArrangePanel::ArrangeControls()
{
    const TComponentState state = ComponentState();
    if (FDisableCount >= 1 || FArranging || ControlCount() == 0 || state.Contains(csLoading) || state.Contains(csReading))
        return;
    FArranging = true;
    const TOxArrangeSettings& s = *FArrangeSettings;
    const int oldWidth = Width();
    const int oldHeight = Height();
    int newWidth = Width();
    int newHeight = Height();
    int currLeft = s.BorderLeft();
    int currTop = s.BorderTop();
    int lineHeight = -1;
    int maxRight = AutoSizesWidth(s.AutoSize()) ? Width() - 2 * s.BorderLeft() : -1;
    int maxBottom = AutoSizesHeight(s.AutoSize()) ? Height() - 2 * s.BorderTop() : -1;

    std::vector<TWinControl*> windowed;
    for (int i = 0; i < ControlCount(); ++i)
        if (auto* child = dynamic_cast<TWinControl*>(Controls(i)))
            windowed.push_back(child);
    for (TWinControl* child : windowed) {
        if (auto* panel = dynamic_cast<TOxCustomArrangePanel*>(child))
            panel->ArrangeControls();
        newWidth = std::max(newWidth, child->Width() + 2 * s.BorderLeft());
    }
    if (s.MaxWidth() >= 1 && s.MaxWidth() < newWidth)
        newWidth = s.MaxWidth();

    // In tab order from 0; the first missing number ends the pass.
    for (int order = 0;; ++order) {
        const auto it = std::find_if(windowed.begin(), windowed.end(), [order](TWinControl* c) { return c->TabOrder() == order; });
        if (it == windowed.end())
            break;
        TWinControl* child = *it;
        if (!child->Visible())
            continue;
        const int right = currLeft + child->Width() + s.DistanceHorizontal() + s.BorderLeft();
        const bool fits = (right <= newWidth || AutoSizesWidth(s.AutoSize())) && (s.MaxWidth() < 1 || right <= s.MaxWidth());
        if (!fits && currLeft > s.BorderLeft() && s.WrapControls()) {
            currLeft = s.BorderLeft();
            currTop += lineHeight + s.DistanceVertical();
            lineHeight = -1;
        }
        child->SetBounds(currLeft, currTop, child->Width(), child->Height());
        maxRight = std::max(maxRight, currLeft + child->Width());
        currLeft += child->Width() + s.DistanceHorizontal();
        lineHeight = std::max(lineHeight, child->Height());
        maxBottom = currTop + lineHeight;
    }

    if (!state.Contains(csLoading)) {
        if (AutoSizesWidth(s.AutoSize())) {
            if (s.MaxWidth() >= 1 && s.MaxWidth() <= maxRight)
                newWidth = s.MaxWidth();
            else
                newWidth = maxRight < 0 ? 0 : maxRight + s.BorderLeft();
        }
        if (AutoSizesHeight(s.AutoSize()))
            newHeight = maxBottom < 0 ? 0 : maxBottom + s.BorderTop();
        ApplyArrangedSize(newWidth, newHeight);
    }
    FArrangedWidth = maxRight + 2 * s.BorderLeft();
    FArrangedHeight = maxBottom + 2 * s.BorderTop();
    if (Width() != oldWidth || Height() != oldHeight)
        Invalidate();
    FArranging = false;
}

bool TOxCustomArrangePanel::HotLook() const
{
    return FHotTrack && (MouseOver() || FSizing);
}

void TOxCustomArrangePanel::Paint()
{
    if (OnPaint) {
        OnPaint(this);
        return;
    }
    TCanvas* c = Canvas();
    if (FTransparent)
        CopyParentImage(this, c);
    const TRect client = ClientRect();
    if (!HotLook()) {
        c->Font()->Assign(Font());
        c->Brush()->SetColor(Color());
        if (!FTransparent) {
            c->Brush()->SetStyle(bsSolid);
            c->FillRect(client);
        } else {
            c->Brush()->SetStyle(bsClear);
        }
        if (!FFlatBorder) {
            HDC dc = c->Handle();
            TRect r = client;
            auto bevel = [&](TBevelCut Cut) {
                if (Cut == TBevelCut::bvNone)
                    return;
                const TColor top = Cut == TBevelCut::bvLowered ? clBtnShadow : clBtnHighlight;
                const TColor bottom = Cut == TBevelCut::bvLowered ? clBtnHighlight : clBtnShadow;
                Frame3D(dc, r, Cut == TBevelCut::bvSpace ? Color() : top, Cut == TBevelCut::bvSpace ? Color() : bottom, BevelWidth());
            };
            bevel(BevelOuter());
            Frame3D(dc, r, Color(), Color(), BorderWidth());
            bevel(BevelInner());
        } else if (BorderWidth() != 0) {
            const int bw = BorderWidth();
            const int inset = bw / 2 - (bw % 2 == 0 ? 1 : 0);
            c->Pen()->SetColor(FFlatBorderColor);
            c->Pen()->SetWidth(bw);
            c->Brush()->SetStyle(bsClear);
            c->Rectangle(client.Left + bw / 2, client.Top + bw / 2, client.Right - inset, client.Bottom - inset);
            c->Pen()->SetWidth(1);
        }
    } else {
        c->Font()->Assign(FHotTrackFont.get());
        if (FHotTrackOptions->Enabled())
            c->Brush()->SetColor(FHotTrackOptions->Color());
        c->Brush()->SetStyle(bsSolid);
        if (FHotTrackOptions->FrameVisible()) {
            c->Pen()->SetColor(FHotTrackOptions->FrameColor());
            c->Pen()->SetWidth(1);
            c->Rectangle(0, 0, Width(), Height());
        } else {
            TRect r = client;
            InflateRect(r, -BevelWidth(), -BevelWidth());
            c->FillRect(r);
        }
    }
    DrawCaption();
    if (FSizeable)
        DrawSizeGrip();
}

void TOxCustomArrangePanel::DrawCaption()
{
    const std::string caption = Caption();
    if (caption.empty())
        return;
    TCanvas* c = Canvas();
    int inset = BorderWidth();
    inset += BevelOuter() != TBevelCut::bvNone ? BevelWidth() : 0;
    inset += BevelInner() != TBevelCut::bvNone ? BevelWidth() : 0;
    TRect r = ClientRect();
    InflateRect(r, -inset, -inset);
    UINT flags = DT_EXPANDTABS | (FMultiLine ? DT_WORDBREAK : DT_SINGLELINE);
    flags |= Alignment() == taLeftJustify ? DT_LEFT : Alignment() == taRightJustify ? DT_RIGHT : DT_CENTER;
    // As the panel always did: the caption is drawn in the panel's font even in the hot look.
    c->Font()->Assign(Font());
    TRect measured = r;
    c->TextRect(measured, caption, flags | DT_CALCRECT);
    const int h = measured.Height();
    const int w = measured.Width();
    TRect text{r.Left, (Height() - h) / 2, r.Left + w, (Height() - h) / 2 + h};
    if (Alignment() == taRightJustify)
        text = TRect{Width() - inset - w, text.Top, Width() - inset, text.Bottom};
    else if (Alignment() == taCenter)
        text = TRect{(Width() - w) / 2, text.Top, (Width() - w) / 2 + w, text.Bottom};
    if (!Enabled())
        c->Font()->SetColor(clGrayText);
    c->Brush()->SetStyle(bsClear);
    c->TextRect(text, caption, flags);
}

void TOxCustomArrangePanel::DrawSizeGrip()
{
    // Three diagonal ridges in the lower right corner, light over dark.
    TCanvas* c = Canvas();
    const TRect client = ClientRect();
    const int right = client.Right - BevelWidth() - 2;
    const int bottom = client.Bottom - BevelWidth() - 2;
    for (int i = 0; i < 3; ++i) {
        const int d = 4 + i * 4;
        c->Pen()->SetColor(clBtnHighlight);
        c->MoveTo(right - d, bottom);
        c->LineTo(right, bottom - d);
        c->Pen()->SetColor(clBtnShadow);
        c->MoveTo(right - d + 1, bottom);
        c->LineTo(right, bottom - d + 1);
    }
}

bool TOxCustomArrangePanel::InSizeGrip(int X, int Y) const
{
    return FSizeable && X > Width() - kGripSize && Y > Height() - kGripSize;
}

void TOxCustomArrangePanel::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_NCHITTEST:
        TOxCustomPanel::WndProc(Message);
        if (FMovable && Message.Result == HTCLIENT) {
            TPoint p = ScreenToClient(TPoint{static_cast<short>(Message.LParam & 0xFFFF), static_cast<short>((Message.LParam >> 16) & 0xFFFF)});
            if (p.X >= 6 && p.Y >= 6 && p.X < Width() - 5 && p.Y < Height() - 5) {
                bool canMove = true;
                if (OnBeforeMove)
                    OnBeforeMove(this, p.X, p.Y, canMove);
                if (canMove) {
                    Message.Result = HTCAPTION;
                    FMoved = true;
                }
            }
        }
        return;
    case WM_EXITSIZEMOVE:
        TOxCustomPanel::WndProc(Message);
        if (FMoved) {
            FMoved = false;
            if (OnAfterMove)
                OnAfterMove(this);
        }
        return;
    case WM_ERASEBKGND:
        if (FTransparent) {
            Message.Result = 1; // the paint copies the parent's picture itself
            return;
        }
        break;
    default:
        break;
    }
    TOxCustomPanel::WndProc(Message);
}

void TOxCustomArrangePanel::MouseEnter(TControl* Control)
{
    const bool wasOver = MouseOver();
    TOxCustomPanel::MouseEnter(Control);
    if ((Control == nullptr || Control == this) && Enabled() && !wasOver && FHotTrack && !FTransparent && !FSizing)
        Invalidate();
}

void TOxCustomArrangePanel::MouseLeave(TControl* Control)
{
    const bool wasOver = MouseOver();
    TOxCustomPanel::MouseLeave(Control);
    if ((Control == nullptr || Control == this) && Enabled() && wasOver && FHotTrack && !FTransparent)
        Invalidate();
}

void TOxCustomArrangePanel::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (Button == mbLeft && InSizeGrip(X, Y)) {
        FSizing = true;
        FLastPos = TPoint{X, Y};
        SetCaptureControl(this);
        if (!FCursorChanged) {
            FSavedCursor = Screen->Cursor();
            FCursorChanged = true;
        }
        Screen->SetCursor(crSizeNWSE);
    }
    TOxCustomPanel::MouseDown(Button, Shift, X, Y);
}

void TOxCustomArrangePanel::MouseMove(TShiftState Shift, int X, int Y)
{
    if (FSizing) {
        const int w = Width() + X - FLastPos.X;
        const int h = Height() + Y - FLastPos.Y;
        if (w >= 2 && h >= 2) {
            SetBounds(Left(), Top(), w, h);
            FLastPos = TPoint{X, Y};
        }
    } else if (FSizeable) {
        // The corner shows the sizing cursor; leaving it gives the saved one back.
        if (InSizeGrip(X, Y) && !FCursorChanged) {
            FSavedCursor = Screen->Cursor();
            FCursorChanged = true;
            Screen->SetCursor(crSizeNWSE);
        } else if (!InSizeGrip(X, Y) && FCursorChanged) {
            Screen->SetCursor(FSavedCursor);
            FCursorChanged = false;
        }
    }
    TOxCustomPanel::MouseMove(Shift, X, Y);
}

void TOxCustomArrangePanel::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (FSizing) {
        FSizing = false;
        SetCaptureControl(nullptr);
        if (FCursorChanged) {
            Screen->SetCursor(FSavedCursor);
            FCursorChanged = false;
        }
        Invalidate();
    }
    TOxCustomPanel::MouseUp(Button, Shift, X, Y);
}

// ---------------------------------------------------------------------------------------------

TOxPanel::TOxPanel(TComponent* AOwner) : TOxCustomArrangePanel(AOwner) {}

void TOxPanel::SetWidth(int Value)
{
    const bool changed = Value != Width();
    TControl::SetWidth(Value);
    if (changed)
        SizeChanged(true);
}

void TOxPanel::SetHeight(int Value)
{
    const bool changed = Value != Height();
    TControl::SetHeight(Value);
    if (changed)
        SizeChanged(false);
}

void TOxPanel::SizeChanged(bool WidthChanged)
{
    if (WidthChanged && OnChangedWidth)
        OnChangedWidth(this, Width());
    if (!WidthChanged && OnChangedHeight)
        OnChangedHeight(this, Height());
    if (OnResizeParent)
        OnResizeParent(this, Left(), Top(), Width(), Height());
    else if (auto* parent = dynamic_cast<TOxCustomArrangePanel*>(Parent()))
        parent->Rearrange();
}

void TOxPanel::ApplyArrangedSize(int NewWidth, int NewHeight)
{
    SetWidth(NewWidth);
    SetHeight(NewHeight);
}

void RegisterOxPanelClasses()
{
    static const bool done = [] {
        RegisterPanelClasses();
        RegisterEnum<TOxAutoSizePanel>({"asNone", "asWidth", "asHeight", "asBoth"});
        using E = TOxExCustomPanel;
        RegisterClass<E, TCustomPanel>("TOxExCustomPanel")
            .Prop("HintColor", &E::HintColor, &E::SetHintColor, clDefault)
            .Prop("DotNetHighlighting", &E::DotNetHighlighting, &E::SetDotNetHighlighting, false)
            .Event("OnParentColorChange", &E::OnParentColorChange)
            // Old forms store these; the panel has nothing of them any more.
            .Ignored({"Ctl3D", "ParentCtl3D", "AboutOx"});
        RegisterClass<TOxCustomPanel, E>("TOxCustomPanel").Event("OnPaint", &TOxCustomPanel::OnPaint);
        using A = TOxCustomArrangePanel;
        RegisterClass<A, TOxCustomPanel>("TOxCustomArrangePanel")
            .Prop("HotTrack", &A::HotTrack, &A::SetHotTrack, false)
            .Prop("Movable", &A::Movable, &A::SetMovable, false)
            .Prop("Sizeable", &A::Sizeable, &A::SetSizeable, false)
            .Prop("Transparent", &A::Transparent, &A::SetTransparent, false)
            .Prop("MultiLine", &A::MultiLine, &A::SetMultiLine, false)
            .Prop("FlatBorder", &A::FlatBorder, &A::SetFlatBorder, false)
            .Prop("FlatBorderColor", &A::FlatBorderColor, &A::SetFlatBorderColor, clBtnShadow)
            .Event("OnAfterMove", &A::OnAfterMove)
            .Ignored({"HotColor"});
        RegisterClass<TOxPanel, A>("TOxPanel")
            .Prop("Width", &TOxPanel::Width, &TOxPanel::SetWidth)
            .Prop("Height", &TOxPanel::Height, &TOxPanel::SetHeight);
        return true;
    }();
    (void)done;
}
