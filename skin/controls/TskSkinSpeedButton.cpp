#include "skin/controls/TskSkinSpeedButton.h"

#include "platform/vcl/TAction.h"
#include "platform/vcl/TCustomImageList.h"
#include "platform/vcl/TWinControl.h"
#include "skin/data/SkinDrawUtils.h"
#include "skin/data/SkinImages.h"
#include "skin/data/SkinRects.h"
#include "skin/data/TskDataSkinButtonControl.h"
#include "skin/data/TskEffectBmp.h"
#include "skin/data/TskSkinData.h"

TskSkinSpeedButton::TskSkinSpeedButton(TComponent* AOwner) : TskGraphicSkinCustomControl(AOwner), FGlyph(new TBitmap)
{
    SetControlStyle(TControlStyle{csCaptureMouse, csOpaque, csDoubleClicks});
    SetSkinDataName("toolbutton");
    SetBounds(Left(), Top(), 25, 25);
}

TskSkinSpeedButton::~TskSkinSpeedButton()
{
    FAlive.End();
    delete FGlyph;
}

// ---- properties

void TskSkinSpeedButton::SetFlat(bool Value)
{
    FFlat = Value;
    TControlStyle style = ControlStyle();
    if (Value)
        style.Exclude(csOpaque);
    else
        style.Include(csOpaque);
    SetControlStyle(style);
    Repaint();
}

void TskSkinSpeedButton::SetGlyph(TBitmap* Value)
{
    FGlyph->Assign(Value);
    Repaint();
}

void TskSkinSpeedButton::SetNumGlyphs(int Value)
{
    FNumGlyphs = Value < 1 ? 1 : (Value > 4 ? 4 : Value);
    Repaint();
}

void TskSkinSpeedButton::SetImageList(TCustomImageList* Value)
{
    if (FImageList == Value) return;
    FImageList = Value;
    Repaint();
}

void TskSkinSpeedButton::SetImageIndex(int Value)
{
    FImageIndex = Value;
    if (FImageList != nullptr) Repaint();
}

void TskSkinSpeedButton::SetAction(TBasicAction* Value)
{
    TControl::SetAction(Value);
    SyncActionGlyph();
    Repaint();
}

void TskSkinSpeedButton::SyncActionGlyph()
{
    auto* action = dynamic_cast<TCustomAction*>(Action());
    if (action == nullptr || !FGlyph->Empty()) return;
    // An action does not know its list: the list is the one among the action's owner's components (or the
    // owner itself) that holds it.
    TComponent* owner = action->Owner();
    if (owner == nullptr) return;
    auto holds = [action](TComponent* c) -> TCustomImageList* {
        auto* list = dynamic_cast<TActionList*>(c);
        if (list == nullptr) return nullptr;
        for (int i = 0; i < list->ActionCount(); ++i)
            if (list->Actions(i) == action) return list->Images();
        return nullptr;
    };
    TCustomImageList* images = holds(owner);
    for (int i = 0; images == nullptr && i < owner->ComponentCount(); ++i) images = holds(owner->Components(i));
    CopyImageToGlyph(images, action->ImageIndex(), FGlyph);
}

void TskSkinSpeedButton::Loaded()
{
    TskGraphicSkinCustomControl::Loaded();
    // The action's list may have been given its images after the link was made.
    SyncActionGlyph();
}

void TskSkinSpeedButton::SetLayout(TskButtonLayout Value)
{
    if (FLayout == Value) return;
    FLayout = Value;
    Repaint();
}

void TskSkinSpeedButton::SetMargin(int Value)
{
    if (Value < -1 || FMargin == Value) return;
    FMargin = Value;
    Repaint();
}

void TskSkinSpeedButton::SetSpacing(int Value)
{
    if (FSpacing == Value) return;
    FSpacing = Value;
    Repaint();
}

void TskSkinSpeedButton::SetShowCaption(bool Value)
{
    if (FShowCaption == Value) return;
    FShowCaption = Value;
    if (FWidthWithCaption >= 1 && FWidthWithoutCaption >= 1)
        SetWidth(Value ? FWidthWithCaption : FWidthWithoutCaption);
    else
        Repaint();
}

void TskSkinSpeedButton::SetDown(bool Value)
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
    Repaint();
    if (FGroupIndex == 0 || !Value || FAllowAllUp || Parent() == nullptr) return;
    // Radio behaviour: the others of the group go up.
    for (int i = 0; i < Parent()->ControlCount(); ++i) {
        auto* other = dynamic_cast<TskSkinSpeedButton*>(Parent()->Controls(i));
        if (other != nullptr && other != this && other->FGroupIndex == FGroupIndex && other->FDown)
            other->SetDown(false);
    }
}

// ---- skin

void TskSkinSpeedButton::FindSkinObject()
{
    TskGraphicSkinCustomControl::FindSkinObject();
    auto* entry = SkinEntryAs<TskDataSkinButtonControl>();
    if (entry == nullptr) {
        // An entry of another kind gives one picture for every state.
        FSkin = TskButtonSkinValues();
        FSkin.ActiveSkinRect = FSkin.DownSkinRect = FSkinRect;
        return;
    }
    FSkin.Read(*entry, FSkinRect);
    // A tool button never shows focus.
    FSkin.FocusedSkinRect = TRect();
    FSkin.ShowFocus = false;
    FMenuMarkerFlatRect = entry->MenuMarkerFlatRect;
    FMenuMarkerRect = entry->MenuMarkerRect;
    FMenuMarkerActiveRect = entry->MenuMarkerActiveRect;
    FMenuMarkerDownRect = entry->MenuMarkerDownRect;
    FMenuMarkerTransparentColor = entry->MenuMarkerTransparentColor;
}

void TskSkinSpeedButton::RefreshSkin()
{
    FAnimation.Reset();
    FMorph.Stop();
    FMorph.SetFactor(0.0);
    TskGraphicSkinCustomControl::RefreshSkin();
    if (FMouseIn) FMorph.SetFactor(1.0);
}

void TskSkinSpeedButton::ComputeSkinSize(int& AWidth, int& AHeight)
{
    int w = AWidth;
    int h = AHeight;
    TskGraphicSkinCustomControl::ComputeSkinSize(w, h);
    if (!FUseSkinSize) return;
    AWidth = w;
    AHeight = h;
}

bool TskSkinSpeedButton::MorphAvailable() const
{
    return SkinIndex() != -1 && FSkin.Morphing && SkinData() != nullptr && SkinData()->EnableSkinEffects();
}

bool TskSkinSpeedButton::AnimationAvailable() const
{
    return !FFlat && SkinIndex() != -1 && FSkin.CanAnimate(SkinData());
}

// ---- cross-fade and animation

void TskSkinSpeedButton::StartMorph()
{
    if (!MorphAvailable() || FAnimation.Running()) {
        // The strip animation stands in for the cross-fade; the fade's end state is taken at once.
        if (FAnimation.Running()) FMorph.SetFactor(FMouseIn ? 1.0 : 0.0);
        FMorph.Stop();
        Repaint();
        return;
    }
    FMorph.Start();
}

void TskSkinSpeedButton::StartAnimation(bool Forward)
{
    if (!AnimationAvailable()) return;
    FAnimation.Start(Forward, static_cast<unsigned>(FSkin.AnimateInterval), FSkin.FrameCount);
}

void TskSkinSpeedButton::ButtonClick()
{
    // The platform's action link never copies the action's handler into OnClick, so an assigned OnClick
    // is the button's own and differs from the action's: it runs. Without one the action runs (through
    // the platform's click, which executes the link).
    if (OnClick) {
        OnClick(this);
        return;
    }
    if (Action() != nullptr && !Designing()) TControl::Click();
}

// ---- mouse

void TskSkinSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TskGraphicSkinCustomControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft || !Enabled() || Designing()) return;
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

void TskSkinSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    // The click may free the button (a handler that rebuilds the row it sits in): nothing touches it after.
    const auto alive = FAlive.Watch();
    if (Button == mbLeft && !Designing()) {
        const bool over = X >= 0 && Y >= 0 && X < Width() && Y < Height();
        if (FGroupIndex != 0) {
            const bool raise = FDown && FAllowAllUp && FReleaseArmed && over;
            FReleaseArmed = false;
            if (raise) {
                SetDown(false);
                ButtonClick();
            }
        } else {
            const bool wasDown = FDown;
            FRepeat.Stop();
            if (over) {
                SetDown(false);
                if (wasDown) ButtonClick();
            } else {
                // Dragged off before letting go: the press is withdrawn.
                FDown = false;
                FMouseIn = false;
                Repaint();
            }
        }
    }
    if (!*alive) return;
    TskGraphicSkinCustomControl::MouseUp(Button, Shift, X, Y);
}

void TskSkinSpeedButton::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case CM_MOUSEENTER:
        TskGraphicSkinCustomControl::WndProc(Message);
        if (Designing()) return;
        FMouseIn = true;
        if (FDown && FRepeatMode && FGroupIndex == 0) FRepeat.Start();
        if (!(FDown && FGroupIndex != 0) && Enabled()) {
            if (FDown && MorphAvailable()) {
                FMorph.SetFactor(1.0);
                Repaint();
            } else {
                StartAnimation(true);
                StartMorph();
            }
        }
        return;
    case CM_MOUSELEAVE:
        TskGraphicSkinCustomControl::WndProc(Message);
        if (Designing()) return;
        FMouseIn = false;
        FRepeat.Stop();
        StartAnimation(false);
        StartMorph();
        return;
    case CM_ENABLEDCHANGED:
        TskGraphicSkinCustomControl::WndProc(Message);
        FMorph.Stop();
        FMorph.SetFactor(0.0);
        FMouseIn = false;
        Repaint();
        return;
    case CM_DIALOGCHAR:
        if (IsAccel(Message.WParam, Caption()) && Enabled() && Visible() && Parent() != nullptr &&
            Parent()->Showing()) {
            ButtonClick();
            Message.Result = 1;
            return;
        }
        TskGraphicSkinCustomControl::WndProc(Message);
        return;
    case CM_TEXTCHANGED:
        TskGraphicSkinCustomControl::WndProc(Message);
        if (SkinIndex() != -1 || Designing() || DrawDefault()) Repaint();
        return;
    default:
        TskGraphicSkinCustomControl::WndProc(Message);
    }
}

// ---- painting

TskButtonFace TskSkinSpeedButton::Face() const
{
    TskButtonFace f;
    f.Caption = FShowCaption ? Caption() : std::string();
    f.Glyph = FGlyph;
    f.NumGlyphs = FNumGlyphs;
    f.Images = FImageList;
    f.ImageIndex = FImageIndex;
    f.Layout = FLayout;
    f.Margin = FMargin;
    f.Spacing = FSpacing;
    f.Enabled = Enabled();
    return f;
}

void TskSkinSpeedButton::DrawContent(TCanvas* C, const TRect& R, bool IsActive, bool IsDown, TColor Color)
{
    FSkin.SelectFont(C, DefaultFont(), SkinIndex() != -1 && UseSkinFont(), SkinLoaded() ? SkinData() : nullptr);
    C->Font()->SetColor(Color);
    Face().Draw(C, R, IsActive, IsDown);
}

void TskSkinSpeedButton::CreateButtonImage(TBitmap* B, const TRect& R, bool IsActive, bool IsDown)
{
    if (!FUseSkinSize && FResizeMode != 1 && FPicture != nullptr) {
        StretchButtonPicture(B, FPicture, R, FSkinClientRect, Width(), Height());
    } else {
        CreateControlSkinImage(B, FPicture, R);
    }
    const TColor color = FSkin.TextColor(Enabled(), FUseSkinFontColor, DefaultFont()->Color(), IsActive, IsDown);
    const TRect client = FResizeMode == 1 || FResizeMode == 0 ? FNewSkinClientRect : Rect(0, 0, Width(), Height());
    DrawContent(B->Canvas(), IsEmptyRect(client) ? Rect(0, 0, Width(), Height()) : client, IsActive, IsDown, color);
}

void TskSkinSpeedButton::DrawDefaultImage(TBitmap* B)
{
    TCanvas* c = B->Canvas();
    const TRect r = Rect(0, 0, B->Width(), B->Height());
    if (PressedLook())
        FillFramed(c, r, SkinNavyFrame, SkinPressedFill);
    else if (FMouseIn && Enabled())
        FillFramed(c, r, SkinNavyFrame, SkinHotFill);
    else
        FillFramed(c, r, clBtnShadow, clBtnFace);
    DrawContent(c, r, FMouseIn, FDown, Enabled() ? DefaultFont()->Color() : clBtnShadow);
}

TRect TskSkinSpeedButton::StateRect(bool& IsActive, bool& IsDown) const
{
    IsDown = false;
    if (!Enabled() && !IsEmptyRect(FSkin.DisabledSkinRect)) {
        IsActive = false;
        return FSkin.DisabledSkinRect;
    }
    if (PressedLook()) {
        IsActive = true;
        IsDown = true;
        return FSkin.DownSkinRect;
    }
    IsActive = FMouseIn || (MorphAvailable() && FMorph.Factor() >= 1.0);
    // While the strip runs its frame stands in for the picture it is heading away from or toward.
    if (FAnimation.Running() && FAnimation.Forward() == IsActive)
        return TskButtonAnimation::FrameRect(FSkin.AnimateSkinRect, FSkinRect, FAnimation.Frame(), FSkin.FrameCount);
    return IsActive ? FSkin.ActiveSkinRect : FSkinRect;
}

void TskSkinSpeedButton::Paint()
{
    if (Width() < 1 || Height() < 1) return;
    FindSkinObject();
    const TRect whole = Rect(0, 0, Width(), Height());
    const bool restingFlat = FFlat && !FMouseIn && !(FDown && FGroupIndex != 0);
    if (SkinIndex() == -1) {
        if (restingFlat && !PressedLook()) {
            // Only the glyph and caption over whatever the parent shows.
            DrawContent(Canvas(), whole, false, FDown, Enabled() ? DefaultFont()->Color() : clBtnShadow);
            return;
        }
        TskGraphicSkinCustomControl::Paint();
        return;
    }
    if (restingFlat) {
        TskSkinColors* colors = SkinData()->SkinColors.get();
        TColor color = DefaultFont()->Color();
        if (!Enabled())
            color = colors != nullptr ? colors->cBtnShadow : clBtnShadow;
        else if (FUseSkinFontColor)
            color = colors != nullptr ? colors->cBtnText : clBtnText;
        DrawContent(Canvas(), whole, false, false, color);
        return;
    }
    TBitmap b(Width(), Height());
    if (MorphAvailable() && FMorph.InBetween() && Enabled()) {
        TBitmap rest(Width(), Height());
        TBitmap hot(Width(), Height());
        CreateButtonImage(&rest, FSkinRect, false, false);
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
    ShowImage(&b);
}
