#include "skin/controls/TskSkinControl.h"
#include "skin/controls/SkinNinePart.h"

#include "platform/rtl/ScopeGuards.h"
#include "platform/vcl/TCustomImageList.h"
#include "platform/win/WinApi.h"
#include "skin/controls/SkinTileDraw.h"
#include "skin/controls/TskSkinToolBar.h"
#include "skin/data/SkinDrawUtils.h"
#include "skin/data/SkinImages.h"
#include "skin/data/SkinRects.h"
#include "skin/data/SkinRegions.h"
#include "skin/data/TskDataSkinControl.h"
#include "skin/data/TskEffectBmp.h"
#include "skin/data/TskSkinData.h"

// ---- TskSkinControl

void TskSkinControl::ParentBackgroundChanged()
{
    // A control that hides what lies behind it ends the news here: its children see only it.
    if (!AlphaBlend()) return;
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

bool TskSkinControl::TakeFocusOnPress()
{
    if (Focused() || Designing()) return true;
    {
        TValueGuard takingFocus(FTakingFocus);
        if (CanFocus()) SetFocus();
    }
    return Focused();
}

void TskSkinControl::PaintOnErase(TMessage& Message)
{
    if (!FInPaint && Message.WParam != 0) PaintWindow(reinterpret_cast<HDC>(Message.WParam));
    Message.Result = 1;
}

void TskSkinControl::WndProc(TMessage& Message)
{
    if (Message.Msg != WM_PAINT) return TskSkinLinkedControl<TCustomControl>::WndProc(Message);
    TValueGuard inPaint(FInPaint);
    TCustomControl::WndProc(Message);
}

// ---- TskSkinCustomControl

TskSkinCustomControl::~TskSkinCustomControl()
{
    // The window frees a region it holds itself; only our note of it goes.
    FHasRegion = false;
}

void TskSkinCustomControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    TskSkinResizableControl<TskSkinControl>::SetBounds(ALeft, ATop, AWidth, AHeight);
    // A stretched client area changes under the children with every size.
    if (SkinIndex() != -1 && FStretchEffect) SendParentBackgroundChanged();
}

void TskSkinCustomControl::ApplySkinRegion()
{
    if (Parent() == nullptr) return;
    if (FMaskPicture == nullptr || SkinIndex() == -1) {
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

void TskSkinCustomControl::Paint()
{
    if (Width() < 1 || Height() < 1) return;
    FindSkinObject();
    if (SkinIndex() != -1 && FPaintFrameDirectly && FResizeMode == 1 && !AlphaBlend()) {
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
