#include "skin/controls/TskSkinSpeedButton.h"

#include "platform/vcl/TAction.h"
#include "platform/vcl/TCustomImageList.h"
#include "platform/vcl/TWinControl.h"
#include "skin/data/SkinDrawUtils.h"
#include "skin/data/SkinImages.h"
#include "skin/data/SkinRects.h"
#include "skin/data/TskDataSkinButtonControl.h"
#include "skin/data/TskSkinData.h"

TskSkinSpeedButton::TskSkinSpeedButton(TComponent* AOwner) : Inherited(AOwner, 0)
{
    SetControlStyle(TControlStyle{csCaptureMouse, csOpaque, csDoubleClicks});
    SetSkinDataName("toolbutton");
    SetBounds(Left(), Top(), 25, 25);
}

TskSkinSpeedButton::~TskSkinSpeedButton()
{
    FAlive.End();
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
    CopyImageToGlyph(images, action->ImageIndex(), FGlyph.get());
}

void TskSkinSpeedButton::Loaded()
{
    Inherited::Loaded();
    // The action's list may have been given its images after the link was made.
    SyncActionGlyph();
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

// ---- skin

void TskSkinSpeedButton::FindSkinObject()
{
    Inherited::FindSkinObject();
    auto* entry = ReadButtonEntry();
    if (entry == nullptr) return;
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
    Inherited::RefreshSkin();
    if (FMouseIn) FMorph.SetFactor(1.0);
}

bool TskSkinSpeedButton::AnimationAvailable() const
{
    return !FFlat && Inherited::AnimationAvailable();
}

// ---- mouse

void TskSkinSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    Inherited::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft || !Enabled() || Designing()) return;
    Press();
}

void TskSkinSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    // The click may free the button (a handler that rebuilds the row it sits in): nothing touches it after.
    const auto alive = FAlive.Watch();
    // A windowless button takes a release away from it as the mouse gone as well.
    if (Button == mbLeft && !Designing()) Release(X, Y, true);
    if (!*alive) return;
    Inherited::MouseUp(Button, Shift, X, Y);
}

void TskSkinSpeedButton::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case CM_MOUSEENTER:
        Inherited::WndProc(Message);
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
        Inherited::WndProc(Message);
        if (Designing()) return;
        FMouseIn = false;
        FRepeat.Stop();
        StartAnimation(false);
        StartMorph();
        return;
    case CM_DIALOGCHAR:
        if (IsAccel(Message.WParam, Caption()) && Enabled() && Visible() && Parent() != nullptr &&
            Parent()->Showing()) {
            ButtonClick();
            Message.Result = 1;
            return;
        }
        Inherited::WndProc(Message);
        return;
    case CM_TEXTCHANGED:
        Inherited::WndProc(Message);
        if (SkinIndex() != -1 || Designing() || DrawDefault()) Repaint();
        return;
    default:
        Inherited::WndProc(Message);
    }
}

// ---- painting

TskButtonFace TskSkinSpeedButton::Face() const
{
    TskButtonFace f = Inherited::Face();
    if (!FShowCaption) f.Caption.clear();
    return f;
}

void TskSkinSpeedButton::DrawContent(TCanvas* C, const TRect& R, bool IsActive, bool IsDown, TColor Color)
{
    FSkin.SelectFont(C, DefaultFont(), SkinIndex() != -1 && UseSkinFont(), SkinLoaded() ? SkinData() : nullptr);
    DrawGlyphAndCaption(C, R, IsActive, IsDown, Color);
}

void TskSkinSpeedButton::CreateButtonImage(TBitmap* B, const TRect& R, bool IsActive, bool IsDown)
{
    ComposePicture(B, R);
    const TColor color = StateTextColor(IsActive, IsDown);
    const TRect client = FResizeMode == 1 || FResizeMode == 0 ? FNewSkinClientRect : Rect(0, 0, Width(), Height());
    DrawContent(B->Canvas(), IsEmptyRect(client) ? Rect(0, 0, Width(), Height()) : client, IsActive, IsDown, color);
}

void TskSkinSpeedButton::DrawDefaultImage(TBitmap* B)
{
    TCanvas* c = B->Canvas();
    const TRect r = Rect(0, 0, B->Width(), B->Height());
    DrawDefaultFrame(c, r, FMouseIn && Enabled());
    DrawContent(c, r, FMouseIn, FDown, Enabled() ? DefaultFont()->Color() : clBtnShadow);
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
        Inherited::Paint();
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
    PaintSkinned();
}
