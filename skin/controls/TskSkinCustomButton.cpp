#include "skin/controls/TskSkinCustomButton.h"

#include "platform/vcl/TCustomImageList.h"
#include "platform/vcl/TWinControl.h"
#include "skin/data/SkinRects.h"
#include "skin/data/TskDataSkinButtonControl.h"
#include "skin/data/TskEffectBmp.h"
#include "skin/data/TskSkinData.h"

template <class TBase>
TskSkinCustomButton<TBase>::TskSkinCustomButton(TComponent* AOwner, int DefaultImageIndex)
    : TBase(AOwner), FImageIndex(DefaultImageIndex)
{
}

// ---- properties

template <class TBase> void TskSkinCustomButton<TBase>::SetGlyph(TBitmap* Value)
{
    FGlyph->Assign(Value);
    this->Repaint();
}

template <class TBase> void TskSkinCustomButton<TBase>::SetNumGlyphs(int Value)
{
    FNumGlyphs = Value < 1 ? 1 : (Value > 4 ? 4 : Value);
    this->Repaint();
}

template <class TBase> void TskSkinCustomButton<TBase>::SetImageList(TCustomImageList* Value)
{
    if (FImageList == Value) return;
    FImageList = Value;
    this->Repaint();
}

template <class TBase> void TskSkinCustomButton<TBase>::SetImageIndex(int Value)
{
    if (FImageIndex == Value) return;
    FImageIndex = Value;
    // Without a list the index shows nothing.
    if (FImageList != nullptr) this->Repaint();
}

template <class TBase> void TskSkinCustomButton<TBase>::SetLayout(TskButtonLayout Value)
{
    if (FLayout == Value) return;
    FLayout = Value;
    this->Repaint();
}

template <class TBase> void TskSkinCustomButton<TBase>::SetMargin(int Value)
{
    if (Value < -1 || FMargin == Value) return;
    FMargin = Value;
    this->Repaint();
}

template <class TBase> void TskSkinCustomButton<TBase>::SetSpacing(int Value)
{
    if (FSpacing == Value) return;
    FSpacing = Value;
    this->Repaint();
}

template <class TBase> void TskSkinCustomButton<TBase>::SetDown(bool Value)
{
    FDown = Value;
    if (MorphAvailable()) {
        if (Value) {
            FMorph.SetFactor(1.0);
            FMorph.Stop();
        } else {
            StartMorph();
        }
    }
    this->Repaint();
    TWinControl* parent = this->Parent();
    if (FGroupIndex == 0 || !Value || FAllowAllUp || parent == nullptr) return;
    // Radio behaviour: the others of the group go up.
    for (int i = 0; i < parent->ControlCount(); ++i) {
        auto* other = dynamic_cast<TskSkinCustomButton*>(parent->Controls(i));
        if (other != nullptr && other != this && other->FGroupIndex == FGroupIndex && other->FDown)
            other->SetDown(false);
    }
}

// ---- skin

template <class TBase> TskDataSkinButtonControl* TskSkinCustomButton<TBase>::ReadButtonEntry()
{
    auto* entry = this->template SkinEntryAs<TskDataSkinButtonControl>();
    if (entry == nullptr) {
        FSkin = TskButtonSkinValues();
        FSkin.ActiveSkinRect = FSkin.DownSkinRect = this->FSkinRect;
        return nullptr;
    }
    FSkin.Read(*entry, this->FSkinRect);
    return entry;
}

template <class TBase> void TskSkinCustomButton<TBase>::RefreshSkin()
{
    FAnimation.Reset();
    FMorph.Stop();
    FMorph.SetFactor(0.0);
    TBase::RefreshSkin();
}

template <class TBase> void TskSkinCustomButton<TBase>::ComputeSkinSize(int& AWidth, int& AHeight)
{
    int w = AWidth;
    int h = AHeight;
    TBase::ComputeSkinSize(w, h);
    if (!FUseSkinSize) return;
    AWidth = w;
    AHeight = h;
}

template <class TBase> bool TskSkinCustomButton<TBase>::MorphAvailable() const
{
    return this->SkinIndex() != -1 && FSkin.Morphing && this->SkinData() != nullptr &&
           this->SkinData()->EnableSkinEffects();
}

template <class TBase> bool TskSkinCustomButton<TBase>::AnimationAvailable() const
{
    return this->SkinIndex() != -1 && FSkin.CanAnimate(this->SkinData());
}

// ---- cross-fade and animation

template <class TBase> void TskSkinCustomButton<TBase>::StartMorph()
{
    if (!MorphAvailable() || FAnimation.Running()) {
        // The strip animation stands in for the cross-fade; the fade's end state is taken at once.
        if (FAnimation.Running()) FMorph.SetFactor(Hot() ? 1.0 : 0.0);
        FMorph.Stop();
        this->Repaint();
        return;
    }
    FMorph.Start();
}

template <class TBase> void TskSkinCustomButton<TBase>::StartAnimation(bool Forward)
{
    if (!AnimationAvailable()) return;
    FAnimation.Start(Forward, static_cast<unsigned>(FSkin.AnimateInterval), FSkin.FrameCount);
}

template <class TBase> void TskSkinCustomButton<TBase>::ButtonClick()
{
    // The platform's action link never copies the action's handler into OnClick, so an assigned OnClick
    // is the button's own and differs from the action's: it runs. Without one the action runs (through
    // the platform's click, which executes the link).
    if (this->OnClick) {
        this->OnClick(this);
        return;
    }
    if (this->Action() != nullptr && !this->Designing()) this->TControl::Click();
}

// ---- mouse

template <class TBase> void TskSkinCustomButton<TBase>::Press()
{
    FAnimation.Reset();
    if (!FDown) {
        FMouseIn = true;
        SetDown(true);
        if (FGroupIndex == 0 && FRepeatMode)
            FRepeat.Start();
        else if (FGroupIndex != 0)
            ButtonClick();
    } else if (FGroupIndex != 0) {
        FReleaseArmed = true;
    }
}

template <class TBase> void TskSkinCustomButton<TBase>::Release(int X, int Y, bool DragOffLeaves)
{
    const bool over = X >= 0 && Y >= 0 && X < this->Width() && Y < this->Height();
    if (FGroupIndex != 0) {
        const bool raise = FDown && FAllowAllUp && FReleaseArmed && over;
        FReleaseArmed = false;
        if (raise) {
            SetDown(false);
            ButtonClick();
        }
        return;
    }
    const bool wasDown = FDown;
    FRepeat.Stop();
    if (over) {
        SetDown(false);
        if (wasDown) ButtonClick();
    } else {
        // Dragged off before letting go: the press is withdrawn.
        FDown = false;
        if (DragOffLeaves) FMouseIn = false;
        this->Repaint();
    }
}

template <class TBase>
void TskSkinCustomButton<TBase>::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    // A press that could not take the focus goes no further.
    if (Button == mbLeft && !TakeFocusForPress()) return;
    // The handler may free the button.
    const auto alive = this->FAlive.Watch();
    TBase::MouseDown(Button, Shift, X, Y);
    if (!*alive || Button != mbLeft || !this->Enabled() || this->Designing()) return;
    FMouseHeld = true;
    Press();
}

template <class TBase> void TskSkinCustomButton<TBase>::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    // The click may free the button (a handler that rebuilds the row it sits in): nothing touches it after.
    const auto alive = this->FAlive.Watch();
    if (Button == mbLeft && !this->Designing()) {
        FMouseHeld = false;
        // A window hears the mouse leave on its own; a windowless button takes a release away from it as
        // the mouse gone as well.
        Release(X, Y, !Windowed);
    }
    if (!*alive) return;
    if constexpr (Windowed) {
        // The click may have hidden the button or taken its window.
        if (!this->HandleAllocated() || !this->Visible()) return;
    }
    TBase::MouseUp(Button, Shift, X, Y);
}

template <class TBase> void TskSkinCustomButton<TBase>::WndProc(TMessage& Message)
{
    TBase::WndProc(Message);
    if (Message.Msg != CM_ENABLEDCHANGED) return;
    FMorph.Stop();
    FMorph.SetFactor(0.0);
    FMouseIn = false;
    this->Repaint();
}

// ---- painting

template <class TBase> TskButtonFace TskSkinCustomButton<TBase>::Face() const
{
    TskButtonFace f;
    f.Caption = this->Caption();
    f.Glyph = FGlyph.get();
    f.NumGlyphs = FNumGlyphs;
    f.Images = FImageList;
    f.ImageIndex = FImageIndex;
    f.Layout = FLayout;
    f.Margin = FMargin;
    f.Spacing = FSpacing;
    f.Enabled = this->Enabled();
    return f;
}

template <class TBase>
void TskSkinCustomButton<TBase>::DrawGlyphAndCaption(TCanvas* C, const TRect& R, bool IsActive, bool IsDown,
    TColor Color) const
{
    C->Font()->SetColor(Color);
    Face().Draw(C, R, IsActive, IsDown);
}

template <class TBase>
void TskSkinCustomButton<TBase>::DrawContent(TCanvas* C, const TRect& R, bool IsActive, bool IsDown, TColor Color)
{
    FSkin.SelectFont(C, this->DefaultFont(), this->SkinIndex() != -1 && this->UseSkinFont(),
        this->SkinLoaded() ? this->SkinData() : nullptr);
    if (OwnerPaintsFace(C, R, IsActive, IsDown)) return;
    DrawGlyphAndCaption(C, R, IsActive, IsDown, Color);
}

template <class TBase> TRect TskSkinCustomButton<TBase>::ContentRect() const
{
    const bool piecewise = this->FResizeMode == 0 || this->FResizeMode == 1;
    if (piecewise && !IsEmptyRect(this->FNewSkinClientRect)) return this->FNewSkinClientRect;
    return Rect(0, 0, this->Width(), this->Height());
}

template <class TBase> void TskSkinCustomButton<TBase>::ComposePicture(TBitmap* B, const TRect& R)
{
    if (!FUseSkinSize && this->FResizeMode != 1 && this->FPicture != nullptr) {
        StretchButtonPicture(B, this->FPicture, R, this->FSkinClientRect, this->Width(), this->Height());
    } else {
        this->CreateControlSkinImage(B, this->FPicture, R);
    }
}

template <class TBase> TColor TskSkinCustomButton<TBase>::StateTextColor(bool IsActive, bool IsDown) const
{
    return FSkin.TextColor(this->Enabled(), FUseSkinFontColor, this->DefaultFont()->Color(), IsActive, IsDown);
}

template <class TBase> void TskSkinCustomButton<TBase>::DrawDefaultFrame(TCanvas* C, const TRect& R, bool HotLook) const
{
    if (PressedLook())
        FillFramed(C, R, SkinNavyFrame, SkinPressedFill);
    else if (HotLook)
        FillFramed(C, R, SkinNavyFrame, SkinHotFill);
    else
        FillFramed(C, R, clBtnShadow, clBtnFace);
}

template <class TBase> TRect TskSkinCustomButton<TBase>::StateRect(bool& IsActive, bool& IsDown) const
{
    IsDown = false;
    if (!this->Enabled() && !IsEmptyRect(FSkin.DisabledSkinRect)) {
        IsActive = false;
        return FSkin.DisabledSkinRect;
    }
    if (PressedLook()) {
        IsActive = true;
        IsDown = true;
        return FSkin.DownSkinRect;
    }
    if (HoldsFocus() && !IsEmptyRect(FSkin.FocusedSkinRect) && !FAnimation.Running()) {
        IsActive = true;
        return FSkin.FocusedSkinRect;
    }
    IsActive = Hot() || (MorphAvailable() && FMorph.Factor() >= 1.0);
    // While the strip runs its frame stands in for the picture it is heading away from or toward.
    if (FAnimation.Running() && FAnimation.Forward() == IsActive)
        return TskButtonAnimation::FrameRect(FSkin.AnimateSkinRect, this->FSkinRect, FAnimation.Frame(), FSkin.FrameCount);
    return IsActive ? FSkin.ActiveSkinRect : this->FSkinRect;
}

template <class TBase>
void TskSkinCustomButton<TBase>::CreateButtonImage(TBitmap* B, const TRect& R, bool IsActive, bool IsDown)
{
    ComposePicture(B, R);
    TCanvas* c = B->Canvas();
    const TRect client = ContentRect();
    if (FSkin.ShowFocus && HoldsFocus()) {
        TskSkinColors* colors = this->SkinData()->SkinColors.get();
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(colors != nullptr ? colors->cBtnFace : clBtnFace);
        c->DrawFocusRect(client);
    }
    DrawContent(c, client, IsActive, IsDown, StateTextColor(IsActive, IsDown));
}

template <class TBase> void TskSkinCustomButton<TBase>::DrawDefaultImage(TBitmap* B)
{
    TCanvas* c = B->Canvas();
    const TRect r = Rect(0, 0, B->Width(), B->Height());
    DrawDefaultFrame(c, r, PlainLookHot());
    DrawContent(c, r, FMouseIn, FDown, this->Enabled() ? this->DefaultFont()->Color() : clBtnShadow);
}

template <class TBase> void TskSkinCustomButton<TBase>::Paint()
{
    if (this->Width() < 1 || this->Height() < 1) return;
    this->FindSkinObject();
    if (PaintRestingFlat()) return;
    if (this->SkinIndex() == -1) {
        // The plain look through the off-screen bitmap, past the windowed control's direct frame.
        TBase::Linked::Paint();
        return;
    }
    PaintSkinned();
}

template <class TBase> void TskSkinCustomButton<TBase>::PaintSkinned()
{
    const int w = this->Width();
    const int h = this->Height();
    TBitmap b(w, h);
    if (MorphAvailable() && FMorph.InBetween() && this->Enabled()) {
        TBitmap rest(w, h);
        TBitmap hot(w, h);
        CreateButtonImage(&rest, this->FSkinRect, false, false);
        CreateButtonImage(&hot, FSkin.ActiveSkinRect, true, false);
        TskEffectBmp from(rest.Handle());
        TskEffectBmp to(hot.Handle());
        MorphByKind(from, to, FSkin.MorphKind, FMorph.Factor());
        from.DrawToDC(b.Canvas()->Handle(), 0, 0);
    } else {
        bool active = false;
        bool down = false;
        const TRect r = StateRect(active, down);
        CreateButtonImage(&b, r, active, down);
    }
    this->ShowImage(&b);
}

template class TskSkinCustomButton<TskSkinCustomControl>;
template class TskSkinCustomButton<TskGraphicSkinCustomControl>;
