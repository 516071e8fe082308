#include "skin/form/SkinPopupLook.h"

#include <algorithm>

#include "skin/data/SkinImages.h"
#include "skin/data/SkinPlatform.h"
#include "skin/data/SkinRegions.h"
#include "skin/data/TskDataSkinCaption.h"
#include "skin/data/TskDataSkinControl.h"
#include "skin/data/TskDataSkinPopupWindow.h"
#include "skin/data/TskSkinData.h"

TBitmap* SkinPictureOf(TskSkinData* Skin, int Index)
{
    if (Skin == nullptr || Index < 0 || Index >= static_cast<int>(Skin->ActivePictures.size())) return nullptr;
    TBitmap* b = Skin->ActivePictures[static_cast<std::size_t>(Index)].get();
    return b != nullptr && !b->Empty() ? b : nullptr;
}

bool FindMenuItemLook(TskSkinData* Skin, TskDataSkinMenuItem*& Data, TBitmap*& Picture)
{
    Data = nullptr;
    Picture = nullptr;
    if (Skin == nullptr || Skin->SkinEmpty) return false;
    int idx = Skin->FindObjectIndex("menuitem");
    if (idx < 0) idx = Skin->FindObjectIndex("MENUITEM");
    if (idx < 0) return false;
    auto* data = dynamic_cast<TskDataSkinMenuItem*>(Skin->ObjectDataList[static_cast<std::size_t>(idx)].get());
    TBitmap* pic = data != nullptr ? SkinPictureOf(Skin, data->ActivePictureIndex) : nullptr;
    if (pic == nullptr || data->SkinRect.IsEmpty()) return false;
    Data = data;
    Picture = pic;
    return true;
}

TskDataSkinControl* FindControlLook(TskSkinData* Skin, const std::string& Name, TBitmap*& Picture)
{
    Picture = nullptr;
    const int idx = Skin != nullptr && !Skin->SkinEmpty ? Skin->FindControlIndex(Name) : -1;
    if (idx < 0) return nullptr;
    TskDataSkinControl* data = Skin->ControlDataList[static_cast<std::size_t>(idx)].get();
    TBitmap* pic = data != nullptr ? SkinPictureOf(Skin, data->PictureIndex) : nullptr;
    if (pic == nullptr || data->SkinRect.IsEmpty()) return nullptr;
    Picture = pic;
    return data;
}

namespace {

// Both window records carry the same picture fields; only the inner rectangle's name differs.
template <class D> TskPopupSkin PopupSkinOf(TskSkinData* Skin, const D* Data, const TRect& Inner)
{
    TskPopupSkin s;
    if (Skin == nullptr || Skin->SkinEmpty || Data == nullptr || Data->WindowPictureIndex == -1) return s;
    s.Picture = SkinPictureOf(Skin, Data->WindowPictureIndex);
    if (s.Picture == nullptr) return s;
    s.Mask = SkinPictureOf(Skin, Data->MaskPictureIndex);
    s.LeftTop = Data->LeftTopPoint;
    s.RightTop = Data->RightTopPoint;
    s.LeftBottom = Data->LeftBottomPoint;
    s.RightBottom = Data->RightBottomPoint;
    s.Inner = Inner;
    s.LeftStretch = Data->LeftStretch;
    s.TopStretch = Data->TopStretch;
    s.RightStretch = Data->RightStretch;
    s.BottomStretch = Data->BottomStretch;
    s.StretchEffect = Data->StretchEffect;
    s.StretchType = Data->StretchType;
    s.Fit(s.Picture->Width(), s.Picture->Height());
    return s;
}

} // namespace

TskPopupSkin TskPopupSkin::OfPopupWindow(TskSkinData* Skin)
{
    const TskDataSkinPopupWindow* d = Skin != nullptr ? Skin->PopupWindow.get() : nullptr;
    return PopupSkinOf(Skin, d, d != nullptr ? d->ItemsRect : TRect{});
}

TskPopupSkin TskPopupSkin::OfHintWindow(TskSkinData* Skin)
{
    const TskDataSkinHintWindow* d = Skin != nullptr ? Skin->HintWindow.get() : nullptr;
    return PopupSkinOf(Skin, d, d != nullptr ? d->ClientRect : TRect{});
}

void TskPopupSkin::Fit(int Width, int Height)
{
    if (Picture == nullptr) return;
    const int dx = Width - Picture->Width(), dy = Height - Picture->Height();
    NewInner = Inner;
    NewInner.Right += dx;
    NewInner.Bottom += dy;
    NewLeftTop = LeftTop;
    NewRightTop = Point(RightTop.X + dx, RightTop.Y);
    NewLeftBottom = Point(LeftBottom.X, LeftBottom.Y + dy);
    NewRightBottom = Point(RightBottom.X + dx, RightBottom.Y + dy);
}

void TskPopupSkin::Compose(TBitmap* B, int Width, int Height, bool StretchAll) const
{
    if (Picture == nullptr) return;
    CreatePopupSkinImage(LeftTop, RightTop, LeftBottom, RightBottom, Inner, NewLeftTop, NewRightTop, NewLeftBottom,
        NewRightBottom, NewInner, B, Picture, Rect(0, 0, Picture->Width(), Picture->Height()), Width, Height, true,
        StretchAll || LeftStretch, StretchAll || TopStretch, StretchAll || RightStretch, StretchAll || BottomStretch,
        StretchAll || StretchEffect, StretchAll ? 0 : StretchType);
}

void TskPopupSkin::ApplyRegion(HWND Wnd, int Width, int Height) const
{
    if (Picture == nullptr || Mask == nullptr) return;
    HRGN rgn = nullptr;
    CreateSkinRegion(rgn, LeftTop, RightTop, LeftBottom, RightBottom, Inner, NewLeftTop, NewRightTop, NewLeftBottom,
        NewRightBottom, NewInner, Mask, Width, Height);
    if (rgn != nullptr) SetWindowRgn(Wnd, rgn, TRUE);
}

void TskPopupTranslucency::Apply(HWND Wnd, bool Layered, bool Fade, BYTE Value)
{
    Stop(Wnd);
    Layered = Layered && IsLayeringAvailable();
    if (Layered != FLayered) {
        FLayered = Layered;
        const LONG ex = GetWindowLong(Wnd, GWL_EXSTYLE);
        SetWindowLong(Wnd, GWL_EXSTYLE, Layered ? (ex | WS_EX_LAYERED) : (ex & ~WS_EX_LAYERED));
    }
    FTarget = Value;
    if (!FLayered) {
        FOpacity = 255;
        return;
    }
    FFading = Fade && Value > 0;
    FOpacity = FFading ? 0 : Value;
    SetAlphaBlendTransparent(Wnd, FOpacity);
    if (FFading) SetTimer(Wnd, FTimerId, FInterval);
}

bool TskPopupTranslucency::Tick(HWND Wnd, WPARAM TimerId)
{
    if (TimerId != FTimerId) return false;
    if (!FFading) {
        KillTimer(Wnd, FTimerId);
        return true;
    }
    FOpacity = static_cast<BYTE>(std::min<int>(FOpacity + FStep, FTarget));
    SetAlphaBlendTransparent(Wnd, FOpacity);
    if (FOpacity >= FTarget) Stop(Wnd);
    return true;
}

void TskPopupTranslucency::Stop(HWND Wnd)
{
    if (FFading && Wnd != 0) KillTimer(Wnd, FTimerId);
    FFading = false;
}
