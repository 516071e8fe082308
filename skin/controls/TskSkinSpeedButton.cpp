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
    if (Value == FFlat) return;
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

TColor TskSkinSpeedButton::RestingFlatTextColor() const
{
    TskSkinColors* colors = SkinData()->SkinColors.get();
    if (!Enabled()) return colors != nullptr ? colors->cBtnShadow : clBtnShadow;
    if (FUseSkinFontColor) return colors != nullptr ? colors->cBtnText : clBtnText;
    return DefaultFont()->Color();
}

bool TskSkinSpeedButton::PaintRestingFlat()
{
    if (!FFlat || FMouseIn || (FDown && FGroupIndex != 0)) return false;
    const TRect whole = Rect(0, 0, Width(), Height());
    if (SkinIndex() == -1)
        DrawContent(Canvas(), whole, false, FDown, Enabled() ? DefaultFont()->Color() : clBtnShadow);
    else
        DrawContent(Canvas(), whole, false, false, RestingFlatTextColor());
    return true;
}
