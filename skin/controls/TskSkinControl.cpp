#include "skin/controls/TskSkinControl.h"
#include "platform/rtl/TFlagGuard.h"
#include "skin/controls/SkinNinePart.h"

#include "platform/vcl/TCustomImageList.h"
#include "platform/win/WinApi.h"
#include "skin/controls/SkinTileDraw.h"
#include "skin/controls/TskSkinToolBar.h"
#include "skin/data/SkinDrawUtils.h"
#include "skin/data/SkinImages.h"
#include "skin/data/SkinMessages.h"
#include "skin/data/SkinRects.h"
#include "skin/data/SkinRegions.h"
#include "skin/data/TskDataSkinControl.h"
#include "skin/data/TskEffectBmp.h"
#include "skin/data/TskSkinData.h"

// ---- TskSkinControl

TskSkinControl::TskSkinControl(TComponent* AOwner) : TCustomControl(AOwner)
{
    RegisterSkinControlClasses();
}

void TskSkinControl::SetHintImageList(TCustomImageList* Value)
{
    if (FHintImageList == Value) return;
    FHintImageList = Value;
    if (Value != nullptr) Value->FreeNotification(this);
}

void TskSkinControl::SetSkinData(TskSkinData* Value)
{
    FSkinData = Value;
    if (Value != nullptr) Value->FreeNotification(this);
    if (Value != nullptr && !Value->SkinEmpty && !Designing()) RefreshSkin();
}

void TskSkinControl::SetSkinDataName(const std::string& Value) { FSkinDataName = Value; }

void TskSkinControl::SetAlphaBlend(bool Value)
{
    FAlphaBlend = Value;
    Repaint();
}

void TskSkinControl::SetAlphaBlendValue(BYTE Value)
{
    FAlphaBlendValue = Value;
    Repaint();
}

bool TskSkinControl::SkinLoaded() const { return FSkinData != nullptr && !FSkinData->SkinEmpty; }

TskDataSkinControl* TskSkinControl::SkinEntry() const
{
    if (FSkinIndex < 0 || !SkinLoaded()) return nullptr;
    if (FSkinIndex >= static_cast<int>(FSkinData->ControlDataList.size())) return nullptr;
    return FSkinData->ControlDataList[static_cast<std::size_t>(FSkinIndex)].get();
}

TBitmap* TskSkinControl::SkinPicture(int Index) const
{
    if (!SkinLoaded() || Index < 0 || Index >= static_cast<int>(FSkinData->ActivePictures.size())) return nullptr;
    return FSkinData->ActivePictures[static_cast<std::size_t>(Index)].get();
}

void TskSkinControl::FindSkinObject()
{
    FSkinIndex = SkinLoaded() ? FSkinData->FindControlIndex(FSkinDataName) : -1;
}

void TskSkinControl::RefreshSkin()
{
    FindSkinObject();
    if (FUseSkinCursor) SetCursor(FCursorIndex != -1 && SkinLoaded() ? FSkinData->StartCursorIndex + FCursorIndex : crDefault);
    Repaint();
}

void TskSkinControl::ParentBackgroundChanged()
{
    // A control that hides what lies behind it ends the news here: its children see only it.
    if (!FAlphaBlend) return;
    Repaint();
    SendParentBackgroundChanged();
}

void TskSkinControl::SendParentBackgroundChanged()
{
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        if (auto* w = dynamic_cast<TWinControl*>(c)) {
            if (w->HandleAllocated()) SendMessage(w->Handle(), WM_SKPARENTBGCHANGED, 0, 0);
        } else if (dynamic_cast<TGraphicControl*>(c) != nullptr) {
            c->Perform(WM_SKPARENTBGCHANGED, 0, 0);
        }
    }
}

void TskSkinControl::Paint()
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

void TskSkinControl::ShowImage(TBitmap* B)
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

void TskSkinControl::PaintOnErase(TMessage& Message)
{
    if (!FInPaint && Message.WParam != 0) PaintWindow(reinterpret_cast<HDC>(Message.WParam));
    Message.Result = 1;
}

void TskSkinControl::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_SKPARENTBGCHANGED:
        ParentBackgroundChanged();
        return;
    case WM_ERASEBKGND:
        // Every pixel comes from the off-screen picture; erasing first would only flicker.
        Message.Result = 1;
        return;
    case WM_PAINT:
        {
            TFlagGuard inPaint(FInPaint);
            TCustomControl::WndProc(Message);
        }
        return;
    case WM_MOVE:
        TCustomControl::WndProc(Message);
        if (FAlphaBlend) Repaint();
        return;
    default:
        TCustomControl::WndProc(Message);
    }
}

void TskSkinControl::Notification(TComponent* AComponent, TOperation Operation)
{
    TCustomControl::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FSkinData) FSkinData = nullptr;
    if (AComponent == FHintImageList) FHintImageList = nullptr;
}

// ---- TskSkinCustomControl

int SkinResizeMode(const TRect& SkinRect, const TPoint& RightTopPoint, const TPoint& LeftBottomPoint,
    const TPoint& RightBottomPoint)
{
    if (IsEmptyRect(SkinRect)) return -1;
    if (RightBottomPoint.X != 0 && RightBottomPoint.Y != 0) return 1;
    if (RightTopPoint.X != 0 || RightTopPoint.Y != 0) return 2;
    if (LeftBottomPoint.X != 0 || LeftBottomPoint.Y != 0) return 3;
    return 0;
}

TskSkinCustomControl::TskSkinCustomControl(TComponent* AOwner) : TskSkinControl(AOwner), FDefaultFont(new TFont)
{
    FDefaultFont->SetName("Arial");
    FDefaultFont->SetHeight(14);
    FDefaultFont->OnChange = [this](TObject* Sender) { DefaultFontChange(Sender); };
}

TskSkinCustomControl::~TskSkinCustomControl()
{
    // The window frees a region it holds itself; only our note of it goes.
    FHasRegion = false;
    delete FDefaultFont;
}

void TskSkinCustomControl::SetDefaultFont(TFont* Value)
{
    FDefaultFont->Assign(Value);
    DefaultFontChanged();
}

void TskSkinCustomControl::DefaultFontChange(TObject*)
{
    DefaultFontChanged();
    if (FSkinIndex == -1) Repaint();
}

void TskSkinCustomControl::SetDefaultWidth(int Value)
{
    FDefaultWidth = Value;
    if (FSkinIndex == -1 && Value >= 1) SetWidth(Value);
}

void TskSkinCustomControl::SetDefaultHeight(int Value)
{
    FDefaultHeight = Value;
    if (FSkinIndex == -1 && Value >= 1) SetHeight(Value);
}

void TskSkinCustomControl::FindSkinObject()
{
    TskSkinControl::FindSkinObject();
    if (FSkinIndex == -1) return;
    auto* entry = dynamic_cast<TskDataSkinCustomControl*>(SkinEntry());
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
    FCursorIndex = entry->CursorIndex;
    FStretchEffect = entry->StretchEffect;
    FLeftStretch = entry->LeftStretch;
    FTopStretch = entry->TopStretch;
    FRightStretch = entry->RightStretch;
    FBottomStretch = entry->BottomStretch;
    FStretchType = entry->StretchType;
    FPicture = SkinPicture(entry->PictureIndex);
    FMaskPicture = SkinPicture(entry->MaskPictureIndex);
    FResizeMode = SkinResizeMode(FSkinRect, FRightTopPoint, FLeftBottomPoint, FRightBottomPoint);
}

void TskSkinCustomControl::ComputeSkinSize(int& AWidth, int& AHeight)
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

void TskSkinCustomControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    FindSkinObject();
    bool recomputed = false;
    if ((AWidth != Width() || AHeight != Height()) && FSkinIndex != -1) {
        ComputeSkinSize(AWidth, AHeight);
        if (FResizeMode == 0) FNewSkinClientRect = FSkinClientRect;
        recomputed = true;
    }
    ATop = TskSkinToolBar::CentredTopIn(this, ATop, AHeight);
    TskSkinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (recomputed) {
        ApplySkinRegion();
        Repaint();
    }
    // A stretched client area changes under the children with every size.
    if (FSkinIndex != -1 && FStretchEffect) SendParentBackgroundChanged();
}

void TskSkinCustomControl::RefreshSkin()
{
    FindSkinObject();
    if (UseSkinCursor()) SetCursor(FCursorIndex != -1 ? SkinData()->StartCursorIndex + FCursorIndex : crDefault);
    bool sized = false;
    if (FSkinIndex == -1) {
        if (FDefaultWidth > 0) SetWidth(FDefaultWidth);
        if (FDefaultHeight > 0) SetHeight(FDefaultHeight);
    } else {
        int w = Width();
        int h = Height();
        ComputeSkinSize(w, h);
        if (w != Width() || h != Height()) {
            sized = true;
            SetBounds(Left(), Top(), w, h);
        }
    }
    if (sized) return; // the resize has applied the region and repainted
    ApplySkinRegion();
    Repaint();
}

void TskSkinCustomControl::ApplySkinRegion()
{
    if (Parent() == nullptr) return;
    if (FMaskPicture == nullptr || FSkinIndex == -1) {
        if (FHasRegion && HandleAllocated()) SetWindowRgn(Handle(), nullptr, TRUE);
        FHasRegion = false;
        return;
    }
    SetSkinRegion();
}

void TskSkinCustomControl::SetSkinRegion()
{
    int w = Width();
    int h = Height();
    ComputeSkinSize(w, h);
    HRGN rgn = nullptr;
    const int dw = w - FSkinRect.Width();
    const int dh = h - FSkinRect.Height();
    switch (FResizeMode) {
    case 0:
        MaskToRegion(rgn, FMaskPicture);
        break;
    case 1:
        CreateSkinRegion(rgn, FLeftTopPoint, FRightTopPoint, FLeftBottomPoint, FRightBottomPoint, FSkinClientRect,
            FNewLeftTopPoint, FNewRightTopPoint, FNewLeftBottomPoint, FNewRightBottomPoint, FNewSkinClientRect,
            FMaskPicture, w, h);
        break;
    case 2: {
        const TPoint rt = Point(FRightTopPoint.X + dw, FRightTopPoint.Y);
        CreateSkinRegion(rgn, FLeftTopPoint, FRightTopPoint, FLeftTopPoint, FRightTopPoint, FSkinClientRect,
            FLeftTopPoint, rt, FLeftTopPoint, rt, FNewSkinClientRect, FMaskPicture, w, h);
        break;
    }
    case 3: {
        const TPoint lb = Point(FLeftBottomPoint.X, FLeftBottomPoint.Y + dh);
        CreateSkinRegion(rgn, FLeftTopPoint, FLeftTopPoint, FLeftBottomPoint, FLeftBottomPoint, FSkinClientRect,
            FLeftTopPoint, FLeftTopPoint, lb, lb, FNewSkinClientRect, FMaskPicture, w, h);
        break;
    }
    default:
        break;
    }
    // The window takes the region and frees the one it had: deleting the old one here as well would
    // free it twice.
    if (HandleAllocated() || rgn != nullptr) SetWindowRgn(Handle(), rgn, TRUE);
    FHasRegion = rgn != nullptr;
}

void TskSkinCustomControl::MapSkinRect(const TRect& R, TRect& Result) const
{
    Result = R;
    const int dw = Width() - FSkinRect.Width();
    const int dh = Height() - FSkinRect.Height();
    const int sw = FSkinRect.Width();
    const int sh = FSkinRect.Height();
    switch (FResizeMode) {
    case 1: {
        const TRect lt = Rect(0, 0, FLeftTopPoint.X, FLeftTopPoint.Y);
        const TRect rt = Rect(FRightTopPoint.X, 0, sw, FRightTopPoint.Y);
        const TRect lb = Rect(0, FLeftBottomPoint.Y, FLeftBottomPoint.X, sh);
        const TRect rb = Rect(FRightBottomPoint.X, FRightBottomPoint.Y, sw, sh);
        if (RectInRect(R, lt)) return;
        if (RectInRect(R, rt)) {
            OffsetRect(Result, dw, 0);
            return;
        }
        if (RectInRect(R, lb)) {
            OffsetRect(Result, 0, dh);
            return;
        }
        if (RectInRect(R, rb)) {
            OffsetRect(Result, dw, dh);
            return;
        }
        const TPoint tl = R.TopLeft();
        const TPoint br = R.BottomRight();
        if (PointInRect(lt, tl) && PointInRect(rb, br)) {
            Result.Right += dw;
            Result.Bottom += dh;
        } else if (PointInRect(lt, tl) && PointInRect(rt, br)) {
            Result.Right += dw;
        } else if (PointInRect(lb, tl) && PointInRect(rb, br)) {
            Result.Right += dw;
            OffsetRect(Result, 0, dh);
        } else if (PointInRect(lt, tl) && PointInRect(lb, br)) {
            Result.Bottom += dh;
        } else if (PointInRect(rt, tl) && PointInRect(rb, br)) {
            OffsetRect(Result, dw, 0);
            Result.Bottom += dh;
        }
        return;
    }
    case 2:
        if (R.Left <= FLeftTopPoint.X && R.Right >= FRightTopPoint.X)
            Result.Right += dw;
        else if (FRightTopPoint.X <= R.Left && FRightTopPoint.X < R.Right)
            OffsetRect(Result, dw, 0);
        return;
    case 3:
        if (R.Top <= FLeftTopPoint.Y && R.Bottom >= FLeftBottomPoint.Y)
            Result.Bottom += dh;
        else if (FLeftBottomPoint.Y <= R.Top && FLeftBottomPoint.Y < R.Bottom)
            OffsetRect(Result, 0, dh);
        return;
    default:
        return;
    }
}

void TskSkinCustomControl::DrawDefaultImage(TBitmap* B)
{
    B->Canvas()->Brush()->SetColor(clBtnFace);
    B->Canvas()->Brush()->SetStyle(bsSolid);
    B->Canvas()->FillRect(Rect(0, 0, B->Width(), B->Height()));
}

void TskSkinCustomControl::DrawSkinImage(TBitmap* B) { CreateControlSkinImage(B, FPicture, FSkinRect); }

void TskSkinCustomControl::CreateControlSkinImage(TBitmap* B, TBitmap* APicture, const TRect& R)
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
        if (FPaintFrameDirectly) return; // the frame is composed straight on the canvas
        CreateSkinImage(FLeftTopPoint, FRightTopPoint, FLeftBottomPoint, FRightBottomPoint, FSkinClientRect,
            FNewLeftTopPoint, FNewRightTopPoint, FNewLeftBottomPoint, FNewRightBottomPoint, FNewSkinClientRect, B,
            APicture, R, Width(), Height(), true, FLeftStretch, FTopStretch, FRightStretch, FBottomStretch,
            FStretchEffect, FStretchType);
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

void TskSkinCustomControl::Paint()
{
    if (Width() < 1 || Height() < 1) return;
    FindSkinObject();
    if (FSkinIndex != -1 && FPaintFrameDirectly && FResizeMode == 1 && !AlphaBlend()) {
        PaintFrameDirect();
        return;
    }
    TskSkinControl::Paint();
}

void TskSkinCustomControl::PaintFrameDirect()
{
    int w = Width();
    int h = Height();
    ComputeSkinSize(w, h);
    w = Width();
    h = Height();
    TBitmap left, top, right, bottom;
    if (FPicture != nullptr)
        CreateSkinImagePair(FLeftTopPoint, FRightTopPoint, FLeftBottomPoint, FRightBottomPoint, FSkinClientRect,
            FNewLeftTopPoint, FNewRightTopPoint, FNewLeftBottomPoint, FNewRightBottomPoint, FNewSkinClientRect, &left,
            &top, &right, &bottom, FPicture, FSkinRect, w, h, FLeftStretch, FTopStretch, FRightStretch,
            FBottomStretch);
    DrawSkinImage(&top);
    TCanvas* c = Canvas();
    if (FPaintClientArea && FPicture != nullptr) {
        TRect piece = FSkinClientRect;
        OffsetRect(piece, FSkinRect.Left, FSkinRect.Top);
        const HDC dc = c->Handle();
        const int saved = SaveDC(dc);
        IntersectClipRect(dc, FNewSkinClientRect.Left, FNewSkinClientRect.Top, FNewSkinClientRect.Right,
            FNewSkinClientRect.Bottom);
        if (!FStretchEffect)
            TileDraw(c, FPicture, piece, FNewSkinClientRect);
        else
            StretchTileDraw(c, FPicture, piece, FNewSkinClientRect, FStretchType);
        RestoreDC(dc, saved);
    }
    const int topH = top.Height();
    if (!top.Empty()) c->Draw(0, 0, &top);
    if (!left.Empty()) c->Draw(0, topH, &left);
    if (!right.Empty()) c->Draw(w - right.Width(), topH, &right);
    if (!bottom.Empty()) c->Draw(0, h - bottom.Height(), &bottom);
}
