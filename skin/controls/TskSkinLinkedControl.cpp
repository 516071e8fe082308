#include "skin/controls/TskSkinLinkedControl.h"

#include "platform/vcl/TCustomImageList.h"
#include "platform/win/WinApi.h"
#include "skin/controls/TskSkinControl.h"
#include "skin/data/SkinDrawUtils.h"
#include "skin/data/TskEffectBmp.h"
#include "skin/data/TskSkinData.h"

template <class TBase> TskSkinLinkedControl<TBase>::TskSkinLinkedControl(TComponent* AOwner) : TBase(AOwner) {}

template <class TBase> void TskSkinLinkedControl<TBase>::SetHintImageList(TCustomImageList* Value) { FHintImageList = Value; }

template <class TBase> void TskSkinLinkedControl<TBase>::SetSkinData(TskSkinData* Value)
{
    if (FSkinLink.SetData(Value) && !Designing()) RefreshSkin();
}

template <class TBase> void TskSkinLinkedControl<TBase>::SetAlphaBlend(bool Value)
{
    FAlphaBlend = Value;
    this->Repaint();
}

template <class TBase> void TskSkinLinkedControl<TBase>::SetAlphaBlendValue(BYTE Value)
{
    FAlphaBlendValue = Value;
    this->Repaint();
}

template <class TBase> void TskSkinLinkedControl<TBase>::ApplySkinCursor()
{
    if (FUseSkinCursor) this->SetCursor(FSkinLink.Cursor(FCursorIndex));
}

template <class TBase> void TskSkinLinkedControl<TBase>::RefreshSkin()
{
    FindSkinObject();
    ApplySkinCursor();
    this->Repaint();
}

template <class TBase> void TskSkinLinkedControl<TBase>::Paint()
{
    if (this->Width() < 1 || this->Height() < 1) return;
    FindSkinObject();
    if (SkinIndex() != -1 && !FAlphaBlend && DrawSkinImageOnCanvas()) return;
    TBitmap b(this->Width(), this->Height());
    if (SkinIndex() != -1)
        DrawSkinImage(&b);
    else if (FDrawDefault)
        DrawDefaultImage(&b);
    ShowImage(&b);
}

template <class TBase> void TskSkinLinkedControl<TBase>::ShowImage(TBitmap* B)
{
    if (!FAlphaBlend) {
        this->Canvas()->Draw(0, 0, B);
        return;
    }
    TBitmap parent(B->Width(), B->Height());
    PaintParentBackground(this, parent.Canvas());
    TskEffectBmp own(B->Handle());
    TskEffectBmp under(parent.Handle());
    own.Morph(under, 1.0 - FAlphaBlendValue / 255.0);
    own.DrawToDC(this->Canvas()->Handle(), 0, 0);
}

template <class TBase> void TskSkinLinkedControl<TBase>::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_SKPARENTBGCHANGED:
        ParentBackgroundChanged();
        return;
    case WM_ERASEBKGND:
        // Every pixel comes from the off-screen picture; erasing first would only flicker.
        Message.Result = 1;
        return;
    case WM_MOVE:
        TBase::WndProc(Message);
        if (FAlphaBlend) this->Repaint();
        return;
    default:
        TBase::WndProc(Message);
    }
}

template class TskSkinLinkedControl<TCustomControl>;
template class TskSkinLinkedControl<TGraphicControl>;
