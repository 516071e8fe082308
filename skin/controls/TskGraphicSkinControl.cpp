#include "skin/controls/TskGraphicSkinControl.h"
#include "skin/controls/SkinNinePart.h"

#include "platform/vcl/TCustomImageList.h"
#include "platform/win/WinApi.h"
#include "skin/controls/TskSkinControl.h"
#include "skin/controls/TskSkinToolBar.h"
#include "skin/data/SkinDrawUtils.h"
#include "skin/data/SkinImages.h"
#include "skin/data/SkinMessages.h"
#include "skin/data/SkinRects.h"
#include "skin/data/TskDataSkinControl.h"
#include "skin/data/TskEffectBmp.h"
#include "skin/data/TskSkinData.h"

// ---- TskGraphicSkinControl

TskGraphicSkinControl::TskGraphicSkinControl(TComponent* AOwner) : TGraphicControl(AOwner)
{
    RegisterSkinControlClasses();
}

void TskGraphicSkinControl::SetHintImageList(TCustomImageList* Value)
{
    if (FHintImageList == Value) return;
    FHintImageList = Value;
    if (Value != nullptr) Value->FreeNotification(this);
}

void TskGraphicSkinControl::SetSkinData(TskSkinData* Value)
{
    FSkinData = Value;
    if (Value != nullptr) Value->FreeNotification(this);
    if (Value != nullptr && !Value->SkinEmpty && !Designing()) RefreshSkin();
}

void TskGraphicSkinControl::SetAlphaBlend(bool Value)
{
    FAlphaBlend = Value;
    Repaint();
}

void TskGraphicSkinControl::SetAlphaBlendValue(BYTE Value)
{
    FAlphaBlendValue = Value;
    Repaint();
}

bool TskGraphicSkinControl::SkinLoaded() const { return FSkinData != nullptr && !FSkinData->SkinEmpty; }

TskDataSkinControl* TskGraphicSkinControl::SkinEntry() const
{
    if (FSkinIndex < 0 || !SkinLoaded()) return nullptr;
    if (FSkinIndex >= static_cast<int>(FSkinData->ControlDataList.size())) return nullptr;
    return FSkinData->ControlDataList[static_cast<std::size_t>(FSkinIndex)].get();
}

TBitmap* TskGraphicSkinControl::SkinPicture(int Index) const
{
    if (!SkinLoaded() || Index < 0 || Index >= static_cast<int>(FSkinData->ActivePictures.size())) return nullptr;
    return FSkinData->ActivePictures[static_cast<std::size_t>(Index)].get();
}

void TskGraphicSkinControl::FindSkinObject()
{
    FSkinIndex = SkinLoaded() ? FSkinData->FindControlIndex(FSkinDataName) : -1;
}

void TskGraphicSkinControl::RefreshSkin()
{
    FindSkinObject();
    if (FUseSkinCursor) SetCursor(FCursorIndex != -1 && SkinLoaded() ? FSkinData->StartCursorIndex + FCursorIndex : crDefault);
    Repaint();
}

void TskGraphicSkinControl::Paint()
{
    if (Width() < 1 || Height() < 1) return;
    FindSkinObject();
    TBitmap b(Width(), Height());
    if (FSkinIndex != -1)
        DrawSkinImage(&b);
    else if (FDrawDefault)
        DrawDefaultImage(&b);
    ShowImage(&b);
}

void TskGraphicSkinControl::ShowImage(TBitmap* B)
{
    if (!FAlphaBlend) {
        Canvas()->Draw(0, 0, B);
        return;
    }
    TBitmap parent(B->Width(), B->Height());
    PaintParentBackground(this, parent.Canvas());
    TskEffectBmp own(B->Handle());
    TskEffectBmp under(parent.Handle());
    own.Morph(under, 1.0 - FAlphaBlendValue / 255.0);
    own.DrawToDC(Canvas()->Handle(), 0, 0);
}

void TskGraphicSkinControl::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_SKPARENTBGCHANGED:
        // A graphic control has no children to tell.
        if (FAlphaBlend) Repaint();
        return;
    case WM_ERASEBKGND:
        Message.Result = 1;
        return;
    case WM_MOVE:
        TGraphicControl::WndProc(Message);
        if (FAlphaBlend) Repaint();
        return;
    default:
        TGraphicControl::WndProc(Message);
    }
}

void TskGraphicSkinControl::Notification(TComponent* AComponent, TOperation Operation)
{
    TGraphicControl::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FSkinData) FSkinData = nullptr;
    if (AComponent == FHintImageList) FHintImageList = nullptr;
}

// ---- TskGraphicSkinCustomControl

TskGraphicSkinCustomControl::TskGraphicSkinCustomControl(TComponent* AOwner)
    : TskGraphicSkinControl(AOwner), FDefaultFont(new TFont)
{
    FDefaultFont->SetName("Arial");
    FDefaultFont->SetHeight(14);
    FDefaultFont->OnChange = [this](TObject*) {
        DefaultFontChanged();
        if (FSkinIndex == -1) Repaint();
    };
}

TskGraphicSkinCustomControl::~TskGraphicSkinCustomControl() { delete FDefaultFont; }

void TskGraphicSkinCustomControl::SetDefaultFont(TFont* Value)
{
    FDefaultFont->Assign(Value);
    DefaultFontChanged();
}

void TskGraphicSkinCustomControl::SetDefaultWidth(int Value)
{
    FDefaultWidth = Value;
    if (FSkinIndex == -1 && Value >= 1) SetWidth(Value);
}

void TskGraphicSkinCustomControl::SetDefaultHeight(int Value)
{
    FDefaultHeight = Value;
    if (FSkinIndex == -1 && Value >= 1) SetHeight(Value);
}

void TskGraphicSkinCustomControl::FindSkinObject()
{
    TskGraphicSkinControl::FindSkinObject();
    if (FSkinIndex == -1) return;
    auto* entry = dynamic_cast<TskDataSkinCustomControl*>(SkinEntry());
    if (entry == nullptr) {
        FPicture = nullptr;
        FResizeMode = 0;
        return;
    }
    FLeftTopPoint = entry->LeftTopPoint;
    FRightTopPoint = entry->RightTopPoint;
    FLeftBottomPoint = entry->LeftBottomPoint;
    FRightBottomPoint = entry->RightBottomPoint;
    FSkinRect = entry->SkinRect;
    FSkinClientRect = entry->ClientRect;
    FCursorIndex = entry->CursorIndex;
    FStretchEffect = entry->StretchEffect;
    FLeftStretch = entry->LeftStretch;
    FTopStretch = entry->TopStretch;
    FRightStretch = entry->RightStretch;
    FBottomStretch = entry->BottomStretch;
    FPicture = SkinPicture(entry->PictureIndex);
    FResizeMode = SkinResizeMode(FSkinRect, FRightTopPoint, FLeftBottomPoint, FRightBottomPoint);
}

void TskGraphicSkinCustomControl::ComputeSkinSize(int& AWidth, int& AHeight)
{
    const TskNinePartPoints skin{FLeftTopPoint, FRightTopPoint, FLeftBottomPoint, FRightBottomPoint, FSkinClientRect};
    TskNinePartPoints moved{FNewLeftTopPoint, FNewRightTopPoint, FNewLeftBottomPoint, FNewRightBottomPoint,
        FNewSkinClientRect};
    StretchNinePart(FResizeMode, FSkinIndex != -1, FSkinRect, skin, moved, AWidth, AHeight);
    FNewLeftTopPoint = moved.LeftTop;
    FNewRightTopPoint = moved.RightTop;
    FNewLeftBottomPoint = moved.LeftBottom;
    FNewRightBottomPoint = moved.RightBottom;
    FNewSkinClientRect = moved.Client;
}

void TskGraphicSkinCustomControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    FindSkinObject();
    bool recomputed = false;
    if ((AWidth != Width() || AHeight != Height()) && FSkinIndex != -1) {
        ComputeSkinSize(AWidth, AHeight);
        if (FResizeMode == 0) FNewSkinClientRect = FSkinClientRect;
        recomputed = true;
    }
    ATop = TskSkinToolBar::CentredTopIn(this, ATop, AHeight);
    TskGraphicSkinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (recomputed) Repaint();
}

void TskGraphicSkinCustomControl::RefreshSkin()
{
    FindSkinObject();
    if (UseSkinCursor()) SetCursor(FCursorIndex != -1 ? SkinData()->StartCursorIndex + FCursorIndex : crDefault);
    if (FSkinIndex == -1) {
        if (FDefaultWidth > 0) SetWidth(FDefaultWidth);
        if (FDefaultHeight > 0) SetHeight(FDefaultHeight);
    } else {
        int w = Width();
        int h = Height();
        ComputeSkinSize(w, h);
        if (w != Width() || h != Height()) {
            SetBounds(Left(), Top(), w, h);
            return;
        }
    }
    Repaint();
}

void TskGraphicSkinCustomControl::DrawDefaultImage(TBitmap* B)
{
    B->Canvas()->Brush()->SetColor(clBtnFace);
    B->Canvas()->Brush()->SetStyle(bsSolid);
    B->Canvas()->FillRect(Rect(0, 0, B->Width(), B->Height()));
}

void TskGraphicSkinCustomControl::DrawSkinImage(TBitmap* B) { CreateControlSkinImage(B, FPicture, FSkinRect); }

void TskGraphicSkinCustomControl::CreateControlSkinImage(TBitmap* B, TBitmap* APicture, const TRect& R)
{
    if (APicture == nullptr || IsEmptyRect(R)) return;
    // The entry may have been found since the last resize: the New geometry must fit the present size.
    int w = Width();
    int h = Height();
    ComputeSkinSize(w, h);
    switch (FResizeMode) {
    case 0:
        B->SetSize(R.Width(), R.Height());
        B->Canvas()->CopyRect(Rect(0, 0, R.Width(), R.Height()), APicture->Canvas(), R);
        break;
    case 1:
        // The client piece of a windowless control is always stretched whole.
        CreateSkinImage(FLeftTopPoint, FRightTopPoint, FLeftBottomPoint, FRightBottomPoint, FSkinClientRect,
            FNewLeftTopPoint, FNewRightTopPoint, FNewLeftBottomPoint, FNewRightBottomPoint, FNewSkinClientRect, B,
            APicture, R, Width(), Height(), true, FLeftStretch, FTopStretch, FRightStretch, FBottomStretch,
            FStretchEffect, stFull);
        break;
    case 2:
        CreateHSkinImage(FLeftTopPoint.X, FSkinRect.Width() - FRightTopPoint.X, B, APicture, R, Width(), Height(),
            FStretchEffect);
        break;
    case 3:
        CreateVSkinImage(FLeftTopPoint.Y, FSkinRect.Height() - FLeftBottomPoint.Y, B, APicture, R, Width(), Height(),
            FStretchEffect);
        break;
    default:
        break;
    }
}
