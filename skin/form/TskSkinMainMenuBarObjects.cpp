// The parts of the main-menu bar: the common hover and cross-fade of every part, the buttons of a
// maximised MDI child and the menu items. Part of TskSkinMainMenuBar (see TskSkinMainMenuBar.h).
#include <algorithm>

#include "platform/gfx/Text.h"
#include "platform/vcl/TBitmap.h"
#include "platform/vcl/TCanvas.h"
#include "platform/vcl/TForm.h"
#include "platform/vcl/TMenu.h"
#include "skin/controls/SkinButtonLook.h"
#include "skin/data/SkinImages.h"
#include "skin/data/TskDataSkinCaption.h"
#include "skin/data/TskDataSkinMainMenuBar.h"
#include "skin/data/TskEffectBmp.h"
#include "skin/data/TskSkinData.h"
#include "skin/form/SkinButtonObjects.h"
#include "skin/form/TskActiveSkinObject.h"
#include "skin/form/TskFormFrame.h"
#include "skin/form/TskSkinMainMenuBar.h"
#include "skin/form/TskSkinMenu.h"

namespace {

TBitmap* PictureOf(const TskSkinData* Skin, int Index)
{
    if (Skin == nullptr || Index < 0 || Index >= static_cast<int>(Skin->ActivePictures.size())) return nullptr;
    TBitmap* b = Skin->ActivePictures[static_cast<std::size_t>(Index)].get();
    return b != nullptr && !b->Empty() ? b : nullptr;
}

TskFormFrame* ChildFrame(TCustomForm* Child) { return FindSkinFormComponent(Child); }

} // namespace

// ---- TskMenuBarObject ----

TskMenuBarObject::TskMenuBarObject(TskSkinMainMenuBar* AParent, TskDataSkinObject* AData)
    : Parent(AParent), SkinData(AData)
{
    if (AData == nullptr) return;
    IDName = AData->IDName;
    SkinRect = AData->SkinRect;
    ActiveSkinRect = AData->ActiveSkinRect;
    Morphing = AData->Morphing;
    MorphKind = AData->MorphKind;
    Picture = PictureOf(AParent != nullptr ? AParent->UsableSkin() : nullptr, AData->ActivePictureIndex);
}

bool TskMenuBarObject::EnableMorphing() const
{
    const TskSkinData* skin = Parent != nullptr ? Parent->UsableSkin() : nullptr;
    return Morphing && Picture != nullptr && skin != nullptr && skin->EnableSkinEffects();
}

bool TskMenuBarObject::CanMorphing() const
{
    if (Down && !DownRect.IsEmpty()) return false;
    return MorphIncrease ? MorphFactor < 1 : MorphFactor > 0;
}

void TskMenuBarObject::StepMorph()
{
    MorphFactor = SteppedMorphFactor(MorphFactor, MorphIncrease);
    if (Parent != nullptr) Parent->RedrawObject(this);
}

void TskMenuBarObject::ReDraw()
{
    if (Parent == nullptr) return;
    if (EnableMorphing())
        Parent->StartMorphTimer();
    else
        Parent->RedrawObject(this);
}

void TskMenuBarObject::MouseEnter()
{
    Active = true;
    MorphIncrease = true;
    ReDraw();
}

void TskMenuBarObject::MouseLeave()
{
    Active = false;
    MorphIncrease = false;
    ReDraw();
}

// ---- TskSkinMainMenuBarButton ----

TskSkinMainMenuBarButton::TskSkinMainMenuBarButton(TskSkinMainMenuBar* AParent, TskDataSkinObject* AData, int ACommand)
    : TskMenuBarObject(AParent, AData), Command(ACommand)
{
    if (auto* d = dynamic_cast<TskDataSkinButton*>(AData)) {
        DownRect = d->DownRect;
        DisableSkinRect = d->DisableSkinRect;
        SkinDataPresent = Picture != nullptr && !SkinRect.IsEmpty();
    }
}

void TskSkinMainMenuBarButton::Draw(TCanvas* Cnvs)
{
    if (!Visible || Cnvs == nullptr) return;
    if (!SkinDataPresent) {
        // The child's maximize button puts the child back: it shows the restore glyph.
        DrawDefaultCaptionButton(Cnvs, ObjectRect, Command, Active, Down && Active, Enabled, Command == cmMaximize);
        return;
    }
    const int w = ObjectRect.Width();
    const int h = ObjectRect.Height();
    auto copy = [&](const TRect& R) {
        Cnvs->CopyRect(ObjectRect, Picture->Canvas(), TRect{R.Left, R.Top, R.Left + w, R.Top + h});
    };
    if (!Enabled && !DisableSkinRect.IsEmpty()) {
        copy(DisableSkinRect);
    } else if (Down && Active && !DownRect.IsEmpty()) {
        copy(DownRect);
    } else if (EnableMorphing() && MorphFactor > 0 && MorphFactor < 1 && !ActiveSkinRect.IsEmpty()) {
        TBitmap a(w, h);
        TBitmap b(w, h);
        a.Canvas()->CopyRect(Rect(0, 0, w, h), Picture->Canvas(), TRect{SkinRect.Left, SkinRect.Top, SkinRect.Left + w, SkinRect.Top + h});
        b.Canvas()->CopyRect(Rect(0, 0, w, h), Picture->Canvas(),
            TRect{ActiveSkinRect.Left, ActiveSkinRect.Top, ActiveSkinRect.Left + w, ActiveSkinRect.Top + h});
        TskEffectBmp ea(a.Handle());
        const TskEffectBmp eb(b.Handle());
        MorphByKind(ea, eb, MorphKind, MorphFactor);
        ea.DrawToDC(Cnvs->Handle(), ObjectRect.Left, ObjectRect.Top);
    } else if (MorphIncrease && !ActiveSkinRect.IsEmpty()) {
        copy(ActiveSkinRect);
    } else {
        copy(SkinRect);
    }
}

void TskSkinMainMenuBarButton::MouseDown(TMouseButton Button, int, int)
{
    if (Button != mbLeft || !Enabled || Down) return;
    Down = true;
    if (EnableMorphing() && !DownRect.IsEmpty()) MorphFactor = 1;
    if (Parent != nullptr) Parent->RedrawObject(this);
    if (Command != cmSysMenu || Parent == nullptr) return;
    if (TskFormFrame* child = ChildFrame(Parent->MaximizedChild())) child->ShowSystemMenuUnder(Parent->ObjectScreenRect(this));
}

void TskSkinMainMenuBarButton::MouseUp(TMouseButton Button, int, int)
{
    if (Button != mbLeft || Command == cmSysMenu || !Down || Parent == nullptr) return;
    Down = false;
    Parent->RedrawObject(this);
    ReDraw();
    // Only a release on the button carries the command out.
    if (!MorphIncrease) return;
    TCustomForm* child = Parent->MaximizedChild();
    if (child == nullptr) return;
    TskFormFrame* frame = ChildFrame(child);
    switch (Command) {
    case cmClose: child->Close(); break;
    case cmMaximize:
        if (frame != nullptr) frame->SetFrameWindowState(FrameStateNormal);
        break;
    case cmMinimize:
        if (frame != nullptr) frame->SetFrameWindowState(FrameStateMinimized);
        break;
    default: break;
    }
}

void TskSkinMainMenuBarButton::DblClick()
{
    if (Command != cmSysMenu || Parent == nullptr) return;
    TCustomForm* child = Parent->MaximizedChild();
    if (TskFormFrame* frame = Parent->Frame()) frame->SkinMenuClose();
    if (child != nullptr) child->Close();
}

void TskSkinMainMenuBarButton::MouseEnter()
{
    // The system-menu button stays lit while its menu is open.
    if (Down && Command == cmSysMenu) return;
    if (!Down) {
        TskMenuBarObject::MouseEnter();
        return;
    }
    Active = true;
    MorphIncrease = true;
    if (Parent != nullptr) Parent->RedrawObject(this);
}

void TskSkinMainMenuBarButton::MouseLeave()
{
    if (Down && Command == cmSysMenu) return;
    if (!Down) {
        TskMenuBarObject::MouseLeave();
        return;
    }
    Active = false;
    MorphIncrease = false;
    if (Parent != nullptr) Parent->RedrawObject(this);
}

// ---- TskSkinMainMenuBarItem ----

TskSkinMainMenuBarItem::TskSkinMainMenuBarItem(TskSkinMainMenuBar* AParent, TskDataSkinObject* AData, TMenuItem* AMenuItem)
    : TskMenuBarObject(AParent, AData), MenuItem(AMenuItem)
{
    if (auto* d = dynamic_cast<TskDataSkinMainMenuItem*>(AData)) {
        DownRect = d->DownRect;
        TextRect = d->TextRect;
        ItemLeftOffset = d->ItemLeftOffset;
        ItemRightOffset = d->ItemRightOffset;
        StretchEffect = d->StretchEffect;
        AnimateSkinRect = d->AnimateSkinRect;
        FrameCount = d->FrameCount;
        AnimateInterval = d->AnimateInterval;
        InActiveAnimation = d->InactiveAnimation;
    }
    // Without a picture the item has the plain look: the caption and 6 pixels on either side.
    if (Picture == nullptr) {
        SkinData = nullptr;
        ItemLeftOffset = ItemRightOffset = 6;
    }
    if (MenuItem != nullptr) {
        IDName = MenuItem->Name();
        Enabled = MenuItem->Enabled();
    }
    SavedEnabled = Enabled;
}

bool TskSkinMainMenuBarItem::HasSubItems() const { return MenuItem != nullptr && MenuItem->Count() > 0; }

void TskSkinMainMenuBarItem::SetItemFont(TCanvas* C) const
{
    auto* d = dynamic_cast<const TskDataSkinMainMenuItem*>(SkinData);
    if (d != nullptr && Parent != nullptr && Parent->UseSkinFont())
        SelectEntryFont(C->Font(), nullptr, d, Parent->SkinData(), C->Font()->Charset());
    else if (Parent != nullptr)
        SelectEntryFont(C->Font(), Parent->DefItemFont(), nullptr, Parent->SkinData(), Parent->DefItemFont()->Charset());
}

TColor TskSkinMainMenuBarItem::TextColor() const
{
    const bool enabled = MenuItem == nullptr || MenuItem->Enabled();
    auto* d = dynamic_cast<const TskDataSkinMainMenuItem*>(SkinData);
    if (d == nullptr) return enabled ? Parent->DefItemFont()->Color() : clBtnShadow;
    if (Down) return d->DownFontColor;
    if (MorphIncrease) return d->ActiveFontColor;
    return enabled ? d->FontColor : d->UnEnabledFontColor;
}

int TskSkinMainMenuBarItem::ItemWidth() const
{
    TBitmap b(1, 1);
    SetItemFont(b.Canvas());
    TRect r{0, 0, 0, 0};
    b.Canvas()->TextRect(r, MenuItem != nullptr ? MenuItem->Caption() : "", DT_CALCRECT | DT_SINGLELINE);
    return r.Width() + ItemLeftOffset + ItemRightOffset;
}

void TskSkinMainMenuBarItem::Compose(TBitmap* B, const TRect& R) const
{
    // The ends are kept, the middle is tiled (or stretched) to the item's width.
    CreateHSkinImage(ItemLeftOffset, ItemRightOffset, B, Picture, R, ObjectRect.Width(), ObjectRect.Height(), StretchEffect);
}

void TskSkinMainMenuBarItem::Draw(TCanvas* Cnvs)
{
    const int w = ObjectRect.Width();
    const int h = ObjectRect.Height();
    if (!Visible || !Fits || Cnvs == nullptr || w <= 0 || h <= 0) return;
    TBitmap b(w, h);
    // The bar's own picture shows through an item at rest without a picture of its own.
    b.Canvas()->CopyRect(Rect(0, 0, w, h), Cnvs, ObjectRect);
    const TskDataSkinMainMenuBar* bar = Parent->BarData();
    const bool transparentAtRest = bar != nullptr && bar->ItemTransparent;
    if (SkinData == nullptr) {
        if (Down)
            FillFramed(b.Canvas(), Rect(0, 0, w, h), SkinNavyFrame, SkinPressedFill);
        else if (MorphIncrease)
            FillFramed(b.Canvas(), Rect(0, 0, w, h), SkinNavyFrame, SkinHotFill);
    } else if (Frame >= 1 && Frame <= FrameCount && !AnimateSkinRect.IsEmpty()) {
        const int cell = AnimateSkinRect.Width() / std::max(1, FrameCount);
        const int left = AnimateSkinRect.Left + (Frame - 1) * cell;
        Compose(&b, TRect{left, AnimateSkinRect.Top, left + cell, AnimateSkinRect.Bottom});
    } else if (Down) {
        Compose(&b, !DownRect.IsEmpty() ? DownRect : !ActiveSkinRect.IsEmpty() ? ActiveSkinRect : SkinRect);
    } else if (EnableMorphing() && MorphFactor > 0 && MorphFactor < 1 && !ActiveSkinRect.IsEmpty()) {
        TBitmap a(w, h);
        if (!transparentAtRest) Compose(&b, SkinRect);
        Compose(&a, ActiveSkinRect);
        TskEffectBmp eb(b.Handle());
        const TskEffectBmp ea(a.Handle());
        MorphByKind(eb, ea, MorphKind, MorphFactor);
        eb.DrawToDC(b.Canvas()->Handle(), 0, 0);
    } else if (MorphIncrease && !ActiveSkinRect.IsEmpty()) {
        Compose(&b, ActiveSkinRect);
    } else if (!transparentAtRest) {
        Compose(&b, SkinRect);
    }
    TCanvas* c = b.Canvas();
    SetItemFont(c);
    c->Font()->SetColor(TextColor());
    c->Brush()->SetStyle(bsClear);
    TRect r{0, 0, w, h};
    c->TextRect(r, MenuItem != nullptr ? MenuItem->Caption() : "", DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    Cnvs->Draw(ObjectRect.Left, ObjectRect.Top, &b);
}

bool TskSkinMainMenuBarItem::CanMorphing() const { return TskMenuBarObject::CanMorphing(); }

bool TskSkinMainMenuBarItem::AnimateStep()
{
    const TskSkinData* skin = Parent != nullptr ? Parent->UsableSkin() : nullptr;
    if (skin == nullptr || !skin->EnableSkinEffects() || AnimateSkinRect.IsEmpty() || FrameCount < 1) return false;
    bool stepped = false;
    if (Active && Frame < FrameCount) {
        ++Frame;
        stepped = true;
    } else if (!Active && Frame >= 1) {
        --Frame;
        stepped = true;
    }
    if (stepped) Parent->RedrawObject(this);
    return stepped;
}

void TskSkinMainMenuBarItem::SetDown(bool Value)
{
    if (Parent == nullptr) return;
    if (!Value) {
        Down = false;
        MorphIncrease = false;
        if (!AnimateSkinRect.IsEmpty() && FrameCount > 0) {
            Frame = InActiveAnimation ? FrameCount : 0;
            if (InActiveAnimation) Parent->StartAnimateTimer(AnimateInterval);
            Parent->RedrawObject(this);
            return;
        }
        if (EnableMorphing()) MorphFactor = 1;
        ReDraw();
        return;
    }
    Down = true;
    Parent->RedrawObject(this);
    TskFormFrame* frame = Parent->Frame();
    if (frame == nullptr) return;
    // An open menu of the bar is its keyboard mode too: the arrows move along the items.
    if (!Parent->KeyboardMode()) Parent->EnterKeyboardMode();
    frame->BeginMainMenuMode();
    if (!HasSubItems() || frame->SkinMenu() == nullptr) return;
    frame->MarkSkinMenuOpen();
    frame->SkinMenu()->Popup(nullptr, frame->EffectiveMenusSkinData(), 0, Parent->ObjectScreenRect(this), MenuItem,
        Parent->PopupToUp());
}

void TskSkinMainMenuBarItem::MouseDown(TMouseButton Button, int, int)
{
    if (Button != mbLeft || !Enabled || Parent == nullptr) return;
    if (HasSubItems()) {
        if (!Down) SetDown(true);
        return;
    }
    // A top-level item without sub-items is a command of its own: the menu mode ends first.
    if (Down) SetDown(false);
    if (TskFormFrame* frame = Parent->Frame()) {
        if (frame->SkinMenuIsOpen()) frame->SkinMenuClose();
        frame->EndMainMenuKeyboardMode();
    }
    TMenuItem* item = MenuItem;
    const std::string name = IDName;
    TskSkinMainMenuBar* bar = Parent;
    // Last: the handlers may change the menu, and with it this object.
    if (bar->OnMainMenuItemClick) bar->OnMainMenuItemClick(name);
    if (item != nullptr) item->Click();
}

void TskSkinMainMenuBarItem::MouseEnter()
{
    if (Parent == nullptr) return;
    TskSkinMainMenuBarItem* open = nullptr;
    for (int i = 0; i < Parent->ObjectCount(); ++i) {
        auto* item = dynamic_cast<TskSkinMainMenuBarItem*>(Parent->Objects(i));
        if (item != nullptr && item != this && item->Down) open = item;
    }
    if (open != nullptr) {
        // A menu is open: it moves along to this item.
        open->SetDown(false);
        open->Active = false;
        Active = true;
        MorphIncrease = true;
        MorphFactor = 1;
        if (Enabled) SetDown(true);
    } else {
        for (int i = 0; i < Parent->ObjectCount(); ++i) {
            auto* item = dynamic_cast<TskSkinMainMenuBarItem*>(Parent->Objects(i));
            if (item != nullptr && item != this && item->Active) item->MouseLeave();
        }
        TskMenuBarObject::MouseEnter();
    }
    if (!AnimateSkinRect.IsEmpty()) Parent->StartAnimateTimer(AnimateInterval);
    if (MenuItem != nullptr) {
        Parent->SetHint(MenuItem->Hint());
        if (Parent->OnItemMouseEnter) Parent->OnItemMouseEnter(MenuItem);
    }
}

void TskSkinMainMenuBarItem::MouseLeave()
{
    if (Parent == nullptr) return;
    Active = false;
    MorphIncrease = false;
    if (!AnimateSkinRect.IsEmpty() && FrameCount > 0) {
        if (!InActiveAnimation) {
            Frame = 0;
            Parent->RedrawObject(this);
        } else {
            Parent->StartAnimateTimer(AnimateInterval);
        }
    }
    if (EnableMorphing() && Down) MorphFactor = 0;
    ReDraw();
    if (Parent->OnItemMouseLeave && MenuItem != nullptr) Parent->OnItemMouseLeave(MenuItem);
}
