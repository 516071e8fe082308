#include "skin/form/TskActiveSkinObject.h"

#include <algorithm>
#include <array>

#include "platform/vcl/TBitmap.h"
#include "platform/vcl/TCanvas.h"
#include "skin/data/SkinIni.h"
#include "skin/data/SkinPlatform.h"
#include "skin/data/TskDataSkinCaption.h"
#include "skin/data/TskDataSkinObject.h"
#include "skin/data/TskEffectBmp.h"
#include "skin/data/TskLayerManager.h"
#include "skin/data/TskSkinData.h"
#include "skin/form/TskFormFrame.h"

TskActiveSkinObject::TskActiveSkinObject(TskFormFrame* AParent, TskDataSkinObject* AData) : Parent(AParent)
{
    SkinData = AParent != nullptr ? AParent->SkinData() : nullptr;
    if (AData == nullptr) return;

    IDName = AData->IDName;
    Hint = AData->Hint;
    SkinRect = AData->SkinRect;
    ActiveSkinRect = AData->ActiveSkinRect;
    InActiveSkinRect = AData->InActiveSkinRect;
    Morphing = AData->Morphing;
    MorphKind = (AData->MorphKind >= mkDefault && AData->MorphKind <= mkPush) ? AData->MorphKind : mkDefault;
    ObjectRect = SkinRect;
    CursorIndex = AData->CursorIndex;
    RollUp = AData->RollUp;
    SkinRectInAPicture = AData->SkinRectInAPicture;
    GlowLayerPictureIndex = AData->GlowLayerPictureIndex;
    GlowLayerMaskPictureIndex = AData->GlowLayerMaskPictureIndex;
    GlowLayerOffsetX = AData->GlowLayerOffsetX;
    GlowLayerOffsetY = AData->GlowLayerOffsetY;
    GlowLayerAlphaBlendValue = AData->GlowLayerAlphaBlendValue;

    if (SkinData != nullptr) {
        Picture = RollUp ? SkinData->RollUpPicture.get() : SkinData->Picture.get();
        ActivePicture = SkinPicture(AData->ActivePictureIndex);
        ActiveMaskPicture = SkinPicture(AData->ActiveMaskPictureIndex);
    }
    // Without an active picture there is no active image: the entry and every object made from it
    // agree on that.
    if (ActivePicture == nullptr) {
        AData->ActiveSkinRect = TRect{0, 0, 0, 0};
        ActiveSkinRect = TRect{0, 0, 0, 0};
    }
}

TBitmap* TskActiveSkinObject::SkinPicture(int Index) const
{
    if (SkinData == nullptr || Index < 0 || Index >= static_cast<int>(SkinData->ActivePictures.size())) return nullptr;
    return SkinData->ActivePictures[static_cast<std::size_t>(Index)].get();
}

bool TskActiveSkinObject::SkinPresent() const { return SkinData != nullptr && !SkinData->SkinEmpty; }

bool TskActiveSkinObject::FrameActive() const { return Parent == nullptr || Parent->IsFormActive(); }

bool TskActiveSkinObject::InMask(int X, int Y)
{
    if (!SkinPresent() || ActiveMaskPicture == nullptr || ActiveMaskPicture->Empty()) return true;
    // Points past the mask read as white, so only the mask's own black pixels are ever inside. The
    // bounds test keeps X = width (one past the last column) outside too.
    if (X < 0 || Y < 0 || X >= ActiveMaskPicture->Width() || Y >= ActiveMaskPicture->Height()) return false;
    return (ActiveMaskPicture->Canvas()->Pixels(X, Y) & 0xFFFFFF) == 0;
}

bool TskActiveSkinObject::GlowAllowed() const
{
    return SkinPresent() && GlowLayerPictureIndex != -1 && IsWin2000OrLater() && SkinData->ShowCaptionButtonGlowFrames()
        && Parent != nullptr;
}

void TskActiveSkinObject::ShowLayerOn(TskLayerManager* Manager)
{
    if (!GlowAllowed() || Manager == nullptr) return;
    TBitmap* glow = SkinPicture(GlowLayerPictureIndex);
    TBitmap* mask = SkinPicture(GlowLayerMaskPictureIndex);
    // The glow needs both pictures; a mask index naming none shows nothing.
    if (glow == nullptr || mask == nullptr) return;
    const TRect screen = Parent->FrameToScreenRect(ObjectRect);
    Manager->Show(screen.Left - GlowLayerOffsetX, screen.Top - GlowLayerOffsetY, glow, mask,
        static_cast<BYTE>(std::clamp(GlowLayerAlphaBlendValue, 0, 255)));
}

void TskActiveSkinObject::HideLayerOn(TskLayerManager* Manager)
{
    if (!GlowAllowed() || Manager == nullptr) return;
    Manager->Hide();
}

void TskActiveSkinObject::ShowLayer() { ShowLayerOn(Parent != nullptr ? Parent->LayerManager(0) : nullptr); }

void TskActiveSkinObject::HideLayer() { HideLayerOn(Parent != nullptr ? Parent->LayerManager(0) : nullptr); }

void TskActiveSkinObject::DrawPictureRect(TCanvas* Cnvs, TBitmap* Source, const TRect& R) const
{
    if (Cnvs == nullptr || Source == nullptr || R.IsEmpty()) return;
    Cnvs->CopyRect(Rect(ObjectRect.Left, ObjectRect.Top, ObjectRect.Left + R.Width(), ObjectRect.Top + R.Height()),
        Source->Canvas(), R);
}

bool TskActiveSkinObject::MorphAtEnd() const
{
    return (MorphIncrease && MorphFactor >= 1) || (!MorphIncrease && MorphFactor <= 0);
}

void TskActiveSkinObject::DrawMorph(TCanvas* Cnvs, TBitmap* P1, const TRect& R1, TBitmap* P2, const TRect& R2) const
{
    const int w = ObjectRect.Width();
    const int h = ObjectRect.Height();
    if (Cnvs == nullptr || w <= 0 || h <= 0) return;
    TBitmap a(w, h);
    TBitmap b(w, h);
    if (P1 != nullptr) a.Canvas()->CopyRect(Rect(0, 0, w, h), P1->Canvas(), Rect(R1.Left, R1.Top, R1.Left + w, R1.Top + h));
    if (P2 != nullptr) b.Canvas()->CopyRect(Rect(0, 0, w, h), P2->Canvas(), Rect(R2.Left, R2.Top, R2.Left + w, R2.Top + h));
    TskEffectBmp ea(a.Handle());
    const TskEffectBmp eb(b.Handle());
    switch (MorphKind) {
    case mkDefault: ea.Morph(eb, MorphFactor); break;
    case mkGradient: ea.MorphGrad(eb, MorphFactor); break;
    case mkLeftGradient: ea.MorphLeftGrad(eb, MorphFactor); break;
    case mkRightGradient: ea.MorphRightGrad(eb, MorphFactor); break;
    case mkLeftSlide: ea.MorphLeftSlide(eb, MorphFactor); break;
    case mkRightSlide: ea.MorphRightSlide(eb, MorphFactor); break;
    case mkPush: ea.MorphPush(eb, MorphFactor); break;
    default: ea.Morph(eb, MorphFactor); break;
    }
    ea.DrawToDC(Cnvs->Handle(), ObjectRect.Left, ObjectRect.Top);
}

void TskActiveSkinObject::Draw(TCanvas* Cnvs, bool UpDate)
{
    if (!SkinPresent()) return;
    if (Enabled && !FrameActive() && !InActiveSkinRect.IsEmpty()) {
        DrawPictureRect(Cnvs, ActivePicture, InActiveSkinRect);
        return;
    }
    TBitmap* normal = SkinRectInAPicture ? ActivePicture : Picture;
    if (EnableMorphing() && !MorphAtEnd()) {
        DrawMorph(Cnvs, normal, SkinRect, ActivePicture, ActiveSkinRect);
        return;
    }
    if (MorphIncrease && !ActiveSkinRect.IsEmpty()) {
        DrawPictureRect(Cnvs, ActivePicture, ActiveSkinRect);
        return;
    }
    // The whole frame picture, just painted, already shows the normal image.
    if (!UpDate && !SkinRectInAPicture) return;
    DrawPictureRect(Cnvs, normal, SkinRect);
}

void TskActiveSkinObject::DblClick() {}

void TskActiveSkinObject::MouseDown(int X, int Y, TMouseButton Button)
{
    if (Parent != nullptr && Parent->OnMouseDownEvent) Parent->OnMouseDownEvent(IDName, X, Y, ObjectRect, Button);
}

void TskActiveSkinObject::MouseUp(int X, int Y, TMouseButton Button)
{
    // A release after the pointer left the object is no click on it.
    if (Active && Parent != nullptr && Parent->OnMouseUpEvent) Parent->OnMouseUpEvent(IDName, X, Y, ObjectRect, Button);
}

void TskActiveSkinObject::MouseMove(int X, int Y)
{
    if (Parent != nullptr && Parent->OnMouseMoveEvent) Parent->OnMouseMoveEvent(IDName, X, Y, ObjectRect);
}

void TskActiveSkinObject::MouseEnter()
{
    Active = true;
    MorphIncrease = true;
    if (!ActiveSkinRect.IsEmpty()) ReDraw();
    if (Parent != nullptr && Parent->OnMouseEnterEvent) Parent->OnMouseEnterEvent(IDName);
    ShowLayer();
}

void TskActiveSkinObject::MouseLeave()
{
    Active = false;
    MorphIncrease = false;
    if (!ActiveSkinRect.IsEmpty()) ReDraw();
    if (Parent != nullptr && Parent->OnMouseLeaveEvent) Parent->OnMouseLeaveEvent(IDName);
    HideLayer();
}

bool TskActiveSkinObject::CanMorphing() { return MorphIncrease ? MorphFactor < 1 : MorphFactor > 0; }

void TskActiveSkinObject::ResetState()
{
    Active = false;
    MorphIncrease = false;
    MorphFactor = 0;
}

bool TskActiveSkinObject::EnableMorphing() const
{
    return Morphing && SkinData != nullptr && SkinData->EnableSkinEffects();
}

void TskActiveSkinObject::ReDraw()
{
    if (Parent == nullptr) return;
    if (!EnableMorphing())
        Parent->RedrawSkinObject(this);
    else
        Parent->StartMorphTimer();
}

void TskActiveSkinObject::SetMorphFactor(double Value)
{
    // Not-a-number counts as 0, like the effects do.
    if (!(Value > 0)) Value = 0;
    MorphFactor = std::min(Value, 1.0);
}

double SteppedMorphFactor(double Factor, bool Increase)
{
    // Steps of 0.2 add up with rounding errors; snapping to the thousandth keeps five steps a full fade.
    const double next = Increase ? Factor + SkinObjectMorphStep : Factor - SkinObjectMorphStep;
    const double snapped = static_cast<double>(static_cast<long long>(next * 1000 + (next >= 0 ? 0.5 : -0.5))) / 1000;
    // Not-a-number counts as 0, like the effects do.
    return snapped > 0 ? std::min(snapped, 1.0) : 0.0;
}

void TskActiveSkinObject::DoMorphing()
{
    SetMorphFactor(SteppedMorphFactor(MorphFactor, MorphIncrease));
    if (Parent != nullptr) Parent->RedrawSkinObject(this);
}

// ---- Which object for which entry ----

TskSkinObjectKind SkinObjectKindOf(const TskDataSkinObject* Data)
{
    if (Data == nullptr) return skokNone;
    // Entries that serve only menus and the main-menu bar come first: some derive from button kinds.
    if (dynamic_cast<const TskDataSkinMainMenuItem*>(Data) != nullptr || dynamic_cast<const TskDataSkinMenuItem*>(Data) != nullptr
        || dynamic_cast<const TskDataSkinMainMenuBarButton*>(Data) != nullptr)
        return skokNone;
    if (dynamic_cast<const TskDataSkinGauge*>(Data) != nullptr) return skokGauge;
    if (dynamic_cast<const TskDataSkinStdButton*>(Data) != nullptr) return skokStdButton;
    if (dynamic_cast<const TskDataSkinButton*>(Data) != nullptr) return skokButton;
    if (dynamic_cast<const TskDataSkinCaption*>(Data) != nullptr) return skokCaption;
    if (dynamic_cast<const TskDataUserObject*>(Data) != nullptr) return skokUserObject;
    if (dynamic_cast<const TskDataSkinSwitch*>(Data) != nullptr) return skokSwitch;
    if (dynamic_cast<const TskDataSkinTrackBar*>(Data) != nullptr) return skokTrackBar;
    if (dynamic_cast<const TskDataSkinLabel*>(Data) != nullptr) return skokLabel;
    if (dynamic_cast<const TskDataSkinAnimate*>(Data) != nullptr) return skokAnimate;
    if (dynamic_cast<const TskDataSkinBitLabel*>(Data) != nullptr) return skokBitLabel;
    if (dynamic_cast<const TskDataSkinFrameRegulatorObject*>(Data) != nullptr) return skokFrameRegulator;
    if (dynamic_cast<const TskDataSkinFrameGaugeObject*>(Data) != nullptr) return skokFrameGauge;
    return skokNone;
}

namespace {

constexpr std::size_t KindCount = skokFrameGauge + 1;

std::array<TskSkinObjectMaker, KindCount>& Makers()
{
    static std::array<TskSkinObjectMaker, KindCount> makers;
    return makers;
}

} // namespace

void RegisterSkinObjectMaker(TskSkinObjectKind Kind, TskSkinObjectMaker Maker)
{
    if (Kind < 0 || static_cast<std::size_t>(Kind) >= KindCount) return;
    Makers()[static_cast<std::size_t>(Kind)] = std::move(Maker);
}

TskActiveSkinObject* CreateSkinObject(TskFormFrame* Frame, TskDataSkinObject* Data)
{
    const TskSkinObjectKind kind = SkinObjectKindOf(Data);
    if (kind == skokNone) return nullptr;
    const TskSkinObjectMaker& maker = Makers()[static_cast<std::size_t>(kind)];
    TskActiveSkinObject* made = maker ? maker(Frame, Data) : new TskActiveSkinObject(Frame, Data);
    if (made != nullptr) made->Kind = kind;
    return made;
}
