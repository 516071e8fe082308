#include "skin/controls/TskSkinResizableControl.h"

#include "platform/win/WinApi.h"
#include "skin/controls/TskGraphicSkinControl.h"
#include "skin/controls/TskSkinControl.h"
#include "skin/controls/TskSkinToolBar.h"
#include "skin/data/SkinImages.h"
#include "skin/data/SkinRects.h"
#include "skin/data/TskDataSkinControl.h"
#include "skin/data/TskSkinData.h"

template <class TLinked>
TskSkinResizableControl<TLinked>::TskSkinResizableControl(TComponent* AOwner) : TLinked(AOwner), FDefaultFont(new TFont)
{
    FDefaultFont->SetName("Arial");
    FDefaultFont->SetHeight(14);
    FDefaultFont->OnChange = [this](TObject*) {
        DefaultFontChanged();
        if (this->SkinIndex() == -1) this->Repaint();
    };
}

template <class TLinked> TskSkinResizableControl<TLinked>::~TskSkinResizableControl() { delete FDefaultFont; }

template <class TLinked> void TskSkinResizableControl<TLinked>::SetDefaultFont(TFont* Value)
{
    FDefaultFont->Assign(Value);
    DefaultFontChanged();
}

template <class TLinked> void TskSkinResizableControl<TLinked>::SetDefaultWidth(int Value)
{
    FDefaultWidth = Value;
    if (this->SkinIndex() == -1 && Value >= 1) this->SetWidth(Value);
}

template <class TLinked> void TskSkinResizableControl<TLinked>::SetDefaultHeight(int Value)
{
    FDefaultHeight = Value;
    if (this->SkinIndex() == -1 && Value >= 1) this->SetHeight(Value);
}

template <class TLinked> void TskSkinResizableControl<TLinked>::FindSkinObject()
{
    TLinked::FindSkinObject();
    if (this->SkinIndex() == -1) return;
    auto* entry = this->FSkinLink.template EntryAs<TskDataSkinCustomControl>(this->SkinIndex());
    if (entry == nullptr) {
        FPicture = nullptr;
        FMaskPicture = nullptr;
        FResizeMode = 0;
        return;
    }
    FLeftTopPoint = entry->LeftTopPoint;
    FRightTopPoint = entry->RightTopPoint;
    FLeftBottomPoint = entry->LeftBottomPoint;
    FRightBottomPoint = entry->RightBottomPoint;
    FSkinRect = entry->SkinRect;
    FSkinClientRect = entry->ClientRect;
    this->FCursorIndex = entry->CursorIndex;
    FStretchEffect = entry->StretchEffect;
    FLeftStretch = entry->LeftStretch;
    FTopStretch = entry->TopStretch;
    FRightStretch = entry->RightStretch;
    FBottomStretch = entry->BottomStretch;
    FStretchType = entry->StretchType;
    FPicture = this->SkinPicture(entry->PictureIndex);
    FMaskPicture = this->SkinPicture(entry->MaskPictureIndex);
    FResizeMode = SkinResizeMode(FSkinRect, FRightTopPoint, FLeftBottomPoint, FRightBottomPoint);
}

template <class TLinked> void TskSkinResizableControl<TLinked>::ComputeSkinSize(int& AWidth, int& AHeight)
{
    const TskNinePartPoints skin{FLeftTopPoint, FRightTopPoint, FLeftBottomPoint, FRightBottomPoint, FSkinClientRect};
    TskNinePartPoints moved{FNewLeftTopPoint, FNewRightTopPoint, FNewLeftBottomPoint, FNewRightBottomPoint,
        FNewSkinClientRect};
    StretchNinePart(FResizeMode, this->SkinIndex() != -1, FSkinRect, skin, moved, AWidth, AHeight);
    FNewLeftTopPoint = moved.LeftTop;
    FNewRightTopPoint = moved.RightTop;
    FNewLeftBottomPoint = moved.LeftBottom;
    FNewRightBottomPoint = moved.RightBottom;
    FNewSkinClientRect = moved.Client;
}

template <class TLinked> void TskSkinResizableControl<TLinked>::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    FindSkinObject();
    bool recomputed = false;
    if ((AWidth != this->Width() || AHeight != this->Height()) && this->SkinIndex() != -1) {
        ComputeSkinSize(AWidth, AHeight);
        if (FResizeMode == 0) FNewSkinClientRect = FSkinClientRect;
        recomputed = true;
    }
    ATop = TskSkinToolBar::CentredTopIn(this, ATop, AHeight);
    TLinked::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (recomputed) {
        ApplySkinRegion();
        this->Repaint();
    }
}

template <class TLinked> void TskSkinResizableControl<TLinked>::RefreshSkin()
{
    FindSkinObject();
    this->ApplySkinCursor();
    if (this->SkinIndex() == -1) {
        if (FDefaultWidth > 0) this->SetWidth(FDefaultWidth);
        if (FDefaultHeight > 0) this->SetHeight(FDefaultHeight);
    } else {
        int w = this->Width();
        int h = this->Height();
        ComputeSkinSize(w, h);
        // The resize applies the region and repaints.
        if (w != this->Width() || h != this->Height()) return this->SetBounds(this->Left(), this->Top(), w, h);
    }
    ApplySkinRegion();
    this->Repaint();
}

template <class TLinked> void TskSkinResizableControl<TLinked>::DrawDefaultImage(TBitmap* B)
{
    B->Canvas()->Brush()->SetColor(clBtnFace);
    B->Canvas()->Brush()->SetStyle(bsSolid);
    B->Canvas()->FillRect(Rect(0, 0, B->Width(), B->Height()));
}

template <class TLinked>
void TskSkinResizableControl<TLinked>::CreateControlSkinImage(TBitmap* B, TBitmap* APicture, const TRect& R)
{
    if (APicture == nullptr || IsEmptyRect(R)) return;
    const int width = this->Width();
    const int height = this->Height();
    // The entry may have been found since the last resize: the New geometry must fit the present size.
    int w = width;
    int h = height;
    ComputeSkinSize(w, h);
    if (FResizeMode == 0) {
        B->SetSize(R.Width(), R.Height());
        B->Canvas()->CopyRect(Rect(0, 0, R.Width(), R.Height()), APicture->Canvas(), R);
        return;
    }
    if (FResizeMode < 1 || FResizeMode > 3) return;
    if (FResizeMode == 1 && FPaintFrameDirectly) return; // the frame is composed straight on the canvas
    // Stretching the pieces is what costs; the same entry at the same size makes the same picture (B
    // starts as a new, white picture: the kept one started so too).
    TStretchKey key;
    key.Generation = this->SkinData() != nullptr ? this->SkinData()->Generation() : 0;
    key.SkinIndex = this->SkinIndex();
    key.ResizeMode = FResizeMode;
    key.StretchType = ClientStretchType();
    key.Picture = APicture;
    key.Source = R;
    key.Width = width;
    key.Height = height;
    key.StartWidth = B->Width();
    key.StartHeight = B->Height();
    TBitmap& kept = FStretchedLook.Get(typeid(*this), key, [&](TBitmap* F) {
        F->SetSize(key.StartWidth, key.StartHeight);
        DrawStretched(F, APicture, R, width, height);
    });
    B->SetSize(kept.Width(), kept.Height());
    BitBlt(B->Canvas()->Handle(), 0, 0, kept.Width(), kept.Height(), kept.Canvas()->Handle(), 0, 0, SRCCOPY);
}

template <class TLinked>
void TskSkinResizableControl<TLinked>::DrawStretched(TBitmap* B, TBitmap* APicture, const TRect& R, int width, int height)
{
    switch (FResizeMode) {
    case 1:
        CreateSkinImage(FLeftTopPoint, FRightTopPoint, FLeftBottomPoint, FRightBottomPoint, FSkinClientRect,
            FNewLeftTopPoint, FNewRightTopPoint, FNewLeftBottomPoint, FNewRightBottomPoint, FNewSkinClientRect, B,
            APicture, R, width, height, true, FLeftStretch, FTopStretch, FRightStretch, FBottomStretch,
            FStretchEffect, ClientStretchType());
        break;
    case 2:
        CreateHSkinImage(FLeftTopPoint.X, FSkinRect.Width() - FRightTopPoint.X, B, APicture, R, width, height,
            FStretchEffect);
        break;
    case 3:
        CreateVSkinImage(FLeftTopPoint.Y, FSkinRect.Height() - FLeftBottomPoint.Y, B, APicture, R, width, height,
            FStretchEffect);
        break;
    default:
        break;
    }
}

template class TskSkinResizableControl<TskSkinControl>;
template class TskSkinResizableControl<TskGraphicSkinControl>;
