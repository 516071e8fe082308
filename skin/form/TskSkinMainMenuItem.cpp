#include "skin/form/TskSkinMainMenuItem.h"

#include "platform/gfx/Text.h"
#include "platform/vcl/TBitmap.h"
#include "platform/vcl/TCanvas.h"
#include "platform/vcl/TMenu.h"
#include "skin/data/SkinImages.h"
#include "skin/data/TskDataSkinCaption.h"
#include "skin/data/TskEffectBmp.h"
#include "skin/data/TskSkinData.h"
#include "skin/form/TskFormFrame.h"
#include "skin/form/TskSkinMenu.h"

TskSkinMainMenuItem::TskSkinMainMenuItem(TskFormFrame* AParent, TskDataSkinObject* AData, TMenuItem* AMenuItem)
    : TskActiveSkinObject(AParent, AData), MenuItem(AMenuItem)
{
    if (auto* d = dynamic_cast<TskDataSkinMainMenuItem*>(AData)) {
        DownRect = d->DownRect;
        TextRect = d->TextRect;
        ItemLeftOffset = d->ItemLeftOffset;
        ItemRightOffset = d->ItemRightOffset;
        StretchEffect = d->StretchEffect;
        FontName = d->FontName;
        FontHeight = d->FontHeight;
        FontStyle = d->FontStyle;
        FontColor = d->FontColor;
        ActiveFontColor = d->ActiveFontColor;
        DownFontColor = d->DownFontColor;
        UnEnabledFontColor = d->UnEnabledFontColor;
    }
    if (MenuItem != nullptr) {
        IDName = MenuItem->Name();
        Enabled = MenuItem->Enabled();
    }
    SavedEnabled = Enabled;
}

std::string TskSkinMainMenuItem::Caption() const { return MenuItem != nullptr ? MenuItem->Caption() : ""; }

int TskSkinMainMenuItem::ItemWidth() const
{
    TBitmap b(1, 1);
    TCanvas* c = b.Canvas();
    SelectEntryFont(c->Font(), nullptr, this, SkinData, c->Font()->Charset());
    TRect r{0, 0, 0, 0};
    // Measured as drawn: the accelerator mark takes no room.
    c->TextRect(r, Caption(), DT_CALCRECT | DT_SINGLELINE);
    return r.Width() + ItemLeftOffset + ItemRightOffset;
}

TRect TskSkinMainMenuItem::DownImageRect() const
{
    if (!DownRect.IsEmpty()) return DownRect;
    if (!ActiveSkinRect.IsEmpty()) return ActiveSkinRect;
    return SkinRect;
}

void TskSkinMainMenuItem::ComposeImage(TBitmap* B, TBitmap* Source, const TRect& R) const
{
    // The ends are copied, the middle is tiled to the item's width.
    CreateHSkinImage(ItemLeftOffset, ItemRightOffset, B, Source, R, ObjectRect.Width(), R.Height(), StretchEffect);
}

void TskSkinMainMenuItem::Draw(TCanvas* Cnvs, bool /*UpDate*/)
{
    if (!SkinPresent() || Cnvs == nullptr) return;
    const int w = ObjectRect.Width();
    const int h = ObjectRect.Height();
    if (w <= 0 || h <= 0) return;
    TBitmap* normal = SkinRectInAPicture ? ActivePicture : Picture;
    TBitmap b(w, h);
    if (Down) {
        ComposeImage(&b, DownImageRect() == SkinRect ? normal : ActivePicture, DownImageRect());
    } else if (!ActiveSkinRect.IsEmpty() && EnableMorphing() && !MorphAtEnd()) {
        TBitmap a(w, h);
        ComposeImage(&b, normal, SkinRect);
        ComposeImage(&a, ActivePicture, ActiveSkinRect);
        if (b.Width() == a.Width() && b.Height() == a.Height()) {
            TskEffectBmp eb(b.Handle());
            const TskEffectBmp ea(a.Handle());
            eb.Morph(ea, MorphFactor);
            eb.DrawToDC(b.Canvas()->Handle(), 0, 0);
        }
    } else if (MorphIncrease && !ActiveSkinRect.IsEmpty()) {
        ComposeImage(&b, ActivePicture, ActiveSkinRect);
    } else {
        ComposeImage(&b, normal, SkinRect);
    }

    TCanvas* c = b.Canvas();
    SelectEntryFont(c->Font(), nullptr, this, SkinData, c->Font()->Charset());
    TColor color = UnEnabledFontColor;
    if (Down)
        color = DownFontColor;
    else if (MorphIncrease)
        color = ActiveFontColor;
    else if (MenuItem == nullptr || MenuItem->Enabled())
        color = FontColor;
    c->Font()->SetColor(color);
    c->Brush()->SetStyle(bsClear);
    TRect r{0, 0, w, h};
    c->TextRect(r, Caption(), DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    Cnvs->Draw(ObjectRect.Left, ObjectRect.Top, &b);
}

void TskSkinMainMenuItem::RedrawNow()
{
    if (Parent != nullptr) Parent->RedrawSkinObject(this);
}

TskSkinMainMenuItem* TskSkinMainMenuItem::OtherDownItem() const
{
    if (Parent == nullptr) return nullptr;
    for (int i = 0; i < Parent->ObjectCount(); ++i) {
        auto* item = dynamic_cast<TskSkinMainMenuItem*>(Parent->Objects(i));
        if (item != nullptr && item != this && item->Down) return item;
    }
    return nullptr;
}

void TskSkinMainMenuItem::OpenSubItems()
{
    if (Parent == nullptr || MenuItem == nullptr || MenuItem->Count() == 0 || Parent->SkinMenu() == nullptr) return;
    // An open menu of the main menu puts the frame into its menu mode: the arrows move along the items.
    Parent->BeginMainMenuMode();
    Parent->MarkSkinMenuOpen();
    const bool up = SkinData != nullptr && SkinData->MainMenuPopupUp;
    Parent->SkinMenu()->Popup(nullptr, Parent->EffectiveMenusSkinData(), 0, Parent->FrameToScreenRect(ObjectRect),
        MenuItem, up);
}

void TskSkinMainMenuItem::SetDown(bool Value)
{
    if (Value) {
        Down = true;
        RedrawNow();
        OpenSubItems();
        return;
    }
    Down = false;
    MorphIncrease = false;
    // From the pressed look the item fades out from its full active image.
    if (EnableMorphing()) MorphFactor = 1;
    ReDraw();
}

void TskSkinMainMenuItem::MenuClosed()
{
    if (Down) SetDown(false);
}

void TskSkinMainMenuItem::MouseDown(int X, int Y, TMouseButton Button)
{
    if (Enabled && Button == mbLeft && MenuItem != nullptr) {
        if (MenuItem->Count() == 0) {
            // A top-level item without sub-items is a command of its own: the menu mode ends first.
            if (Down) SetDown(false);
            if (Parent != nullptr) {
                if (Parent->SkinMenuIsOpen()) Parent->SkinMenuClose();
                Parent->EndMainMenuKeyboardMode();
            }
            TMenuItem* item = MenuItem;
            TskActiveSkinObject::MouseDown(X, Y, Button);
            // Last: the click may change the menu and with it this object.
            item->Click();
            return;
        }
        if (!Down) SetDown(true);
    }
    TskActiveSkinObject::MouseDown(X, Y, Button);
}

void TskSkinMainMenuItem::MouseEnter()
{
    if (TskSkinMainMenuItem* open = OtherDownItem()) {
        // A menu is open: it moves along to this item.
        open->SetDown(false);
        open->Active = false;
        Active = true;
        MorphIncrease = true;
        MorphFactor = 1;
        if (Enabled) SetDown(true);
        return;
    }
    if (Parent != nullptr)
        for (int i = 0; i < Parent->ObjectCount(); ++i) {
            auto* item = dynamic_cast<TskSkinMainMenuItem*>(Parent->Objects(i));
            if (item != nullptr && item != this && item->Active) item->MouseLeave();
        }
    Active = true;
    MorphIncrease = true;
    ReDraw();
}

void TskSkinMainMenuItem::MouseLeave()
{
    Active = false;
    MorphIncrease = false;
    if (EnableMorphing() && Down) MorphFactor = 0;
    ReDraw();
    if (Parent != nullptr && Parent->OnMouseLeaveEvent) Parent->OnMouseLeaveEvent(IDName);
}
