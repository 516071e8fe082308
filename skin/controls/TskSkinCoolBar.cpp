#include "skin/controls/TskSkinCoolBar.h"

#include <algorithm>

#include "platform/gfx/Text.h"
#include "platform/vcl/TCustomImageList.h"
#include "platform/win/Paint.h"
#include "platform/win/Window.h"
#include "skin/controls/SkinTileDraw.h"
#include "skin/controls/TskSkinControl.h"
#include "skin/data/SkinDrawUtils.h"
#include "skin/data/SkinImages.h"
#include "skin/data/SkinMessages.h"
#include "skin/data/SkinRects.h"
#include "skin/data/TskDataSkinMainMenuBar.h"
#include "skin/data/TskSkinData.h"

TskSkinCoolBar::TskSkinCoolBar(TComponent* AOwner) : TCoolBar(AOwner) {}

void TskSkinCoolBar::SetSkinData(TskSkinData* Value)
{
    FSkinLink.SetData(Value);
    RefreshSkin();
}

void TskSkinCoolBar::SetSkinBevel(bool Value)
{
    if (FSkinBevel == Value) return;
    FSkinBevel = Value;
    ReadEntry();
    if (SkinIndex() != -1 && HandleAllocated()) RecreateWnd();
}

void TskSkinCoolBar::RefreshSkin()
{
    ReadEntry();
    if (HandleAllocated()) RecreateWnd();
    Invalidate();
}

void TskSkinCoolBar::SkinGone()
{
    FSkinLink.Forget();
    FPicture = nullptr;
}

void TskSkinCoolBar::ReadEntry()
{
    FPicture = nullptr;
    auto* entry = FSkinLink.EntryAs<TskDataSkinControlBar>(FSkinLink.Locate());
    // An entry of another kind is no look for a cool bar: the plain one stays.
    if (entry == nullptr) {
        FSkinLink.Forget();
        return;
    }
    FLeftTopPoint = entry->LeftTopPoint;
    FRightTopPoint = entry->RightTopPoint;
    FLeftBottomPoint = entry->LeftBottomPoint;
    FRightBottomPoint = entry->RightBottomPoint;
    FSkinRect = entry->SkinRect;
    FClientRect = entry->ClientRect;
    FItemRect = entry->ItemRect;
    FBGPictureIndex = entry->BGPictureIndex;
    FHGripRect = entry->HGripRect;
    FVGripRect = entry->VGripRect;
    FGripOffset1 = entry->GripOffset1;
    FGripOffset2 = entry->GripOffset2;
    FGripTransparent = entry->GripTransparent;
    FGripTransparentColor = entry->GripTransparentColor;
    FStretchEffect = entry->StretchEffect;
    FStretchType = entry->StretchType;
    FLeftStretch = entry->LeftStretch;
    FTopStretch = entry->TopStretch;
    FRightStretch = entry->RightStretch;
    FBottomStretch = entry->BottomStretch;
    FPicture = FSkinLink.Picture(entry->PictureIndex);
}

void TskSkinCoolBar::CreateParams(TCreateParams& Params)
{
    TCoolBar::CreateParams(Params);
    Params.Style &= ~static_cast<DWORD>(WS_BORDER);
    Params.ExStyle &= ~static_cast<DWORD>(WS_EX_CLIENTEDGE);
}

void TskSkinCoolBar::AlignControls(TControl* AControl, TRect& Rect)
{
    TCoolBar::AlignControls(AControl, Rect);
    for (int i = 0; i < ControlCount(); ++i) Controls(i)->Invalidate();
}

// ---- messages

void TskSkinCoolBar::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_SIZE:
        TCoolBar::WndProc(Message);
        ReadEntry();
        if (HasFrame() && HandleAllocated()) {
            HDC dc = GetWindowDC(Handle());
            if (dc != 0) {
                PaintFrame(dc);
                ReleaseDC(Handle(), dc);
            }
        }
        if (SkinIndex() != -1 && FStretchEffect) {
            // A stretched background moved under the children.
            for (int i = 0; i < ControlCount(); ++i) {
                TControl* c = Controls(i);
                auto* w = dynamic_cast<TWinControl*>(c);
                if (w != nullptr && w->HandleAllocated())
                    SendMessage(w->Handle(), WM_SKPARENTBGCHANGED, 0, 0);
                else if (w == nullptr)
                    c->Perform(WM_SKPARENTBGCHANGED, 0, 0);
            }
        }
        return;
    case WM_NCCALCSIZE:
        ReadEntry();
        if (SkinIndex() == -1) {
            TCoolBar::WndProc(Message);
            return;
        }
        if (FSkinBevel && Message.LParam != 0) {
            TRect* r = reinterpret_cast<TRect*>(Message.LParam);
            TRect inset = *r;
            inset.Left += FClientRect.Left;
            inset.Top += FClientRect.Top;
            inset.Right -= FSkinRect.Width() - FClientRect.Right;
            inset.Bottom -= FSkinRect.Height() - FClientRect.Bottom;
            // A bar smaller than its frame keeps its whole area as client.
            if (inset.Right >= inset.Left && inset.Bottom >= inset.Top) *r = inset;
        }
        Message.Result = 0;
        return;
    case WM_NCPAINT:
        ReadEntry();
        if (SkinIndex() == -1) {
            TCoolBar::WndProc(Message);
            return;
        }
        if (HasFrame() && HandleAllocated()) {
            HDC dc = GetWindowDC(Handle());
            if (dc != 0) {
                PaintFrame(dc);
                ReleaseDC(Handle(), dc);
            }
        }
        Message.Result = 0;
        return;
    case WM_ERASEBKGND:
        ReadEntry();
        if (SkinIndex() == -1) {
            TCoolBar::WndProc(Message);
            return;
        }
        if (Message.WParam != 0) {
            TCanvas c;
            c.SetHandle(reinterpret_cast<HDC>(Message.WParam));
            PaintBackground(&c);
            c.SetHandle(0);
        }
        Message.Result = 1;
        return;
    case CM_PAINTSKINFRAME:
    case CM_PAINTSKINFRAME2: {
        auto paint = [this](HDC DC, bool) {
            ReadEntry();
            if (DC == nullptr || !FSkinBevel) return false;
            PaintFrame(DC);
            return true;
        };
        if (!AnswerPaintSkinFrame(Message, paint)) TCoolBar::WndProc(Message);
        return;
    }
    default:
        TCoolBar::WndProc(Message);
    }
}

// ---- painting

void TskSkinCoolBar::PaintFrame(HDC DC)
{
    // Without a picture there is no frame to paint (and the plain bar has none).
    if (SkinIndex() == -1 || FPicture == nullptr || DC == 0 || !HandleAllocated()) return;
    TRect wr;
    GetWindowRect(Handle(), wr);
    const int w = wr.Width();
    const int h = wr.Height();
    const int dw = w - FSkinRect.Width();
    const int dh = h - FSkinRect.Height();
    const TPoint nrt = Point(FRightTopPoint.X + dw, FRightTopPoint.Y);
    const TPoint nlb = Point(FLeftBottomPoint.X, FLeftBottomPoint.Y + dh);
    const TPoint nrb = Point(FRightBottomPoint.X + dw, FRightBottomPoint.Y + dh);
    const TRect ncr = Rect(FClientRect.Left, FClientRect.Top, FClientRect.Right + dw, FClientRect.Bottom + dh);
    TBitmap left, top, right, bottom;
    CreateSkinImagePair(FLeftTopPoint, FRightTopPoint, FLeftBottomPoint, FRightBottomPoint, FClientRect,
        FLeftTopPoint, nrt, nlb, nrb, ncr, &left, &top, &right, &bottom, FPicture, FSkinRect, w, h, FLeftStretch,
        FTopStretch, FRightStretch, FBottomStretch);
    TCanvas c;
    c.SetHandle(DC);
    c.Draw(0, 0, &top);
    c.Draw(0, top.Height(), &left);
    c.Draw(w - right.Width(), top.Height(), &right);
    c.Draw(0, h - bottom.Height(), &bottom);
    c.SetHandle(0);
}

void TskSkinCoolBar::PaintBackground(TCanvas* C)
{
    const TRect area = ClientRect();
    TBitmap* source = FPicture;
    TRect piece = FClientRect;
    OffsetRect(piece, FSkinRect.Left, FSkinRect.Top);
    if (FBGPictureIndex != -1) {
        source = FSkinLink.Picture(FBGPictureIndex);
        piece = source != nullptr ? Rect(0, 0, source->Width(), source->Height()) : TRect();
    }
    if (source == nullptr || IsEmptyRect(piece)) {
        // Nothing to show from the skin: the bar's own colour.
        C->Brush()->SetStyle(bsSolid);
        C->Brush()->SetColor(Color());
        C->FillRect(area);
        return;
    }
    if (FStretchEffect)
        StretchTileDraw(C, source, piece, area, FStretchType);
    else
        TileDraw(C, source, piece, area);
}

void TskSkinCoolBar::PaintGrabber(TCanvas* C, const TRect& R)
{
    if (R.Width() < 1 || R.Height() < 1) return;
    if (IsEmptyRect(FHGripRect) || IsEmptyRect(FVGripRect) || FPicture == nullptr) {
        DrawFrame3D(C, R, clBtnHighlight, clBtnShadow);
        TRect inner = R;
        InflateRect(inner, -1, -1);
        if (inner.Width() > 0 && inner.Height() > 0) DrawFrame3D(C, inner, clBtnHighlight, clBtnShadow);
        return;
    }
    TBitmap b;
    if (Vertical())
        CreateHSkinImage(FGripOffset1, FGripOffset2, &b, FPicture, FHGripRect, R.Width(), R.Height(), false);
    else
        CreateVSkinImage(FGripOffset1, FGripOffset2, &b, FPicture, FVGripRect, R.Width(), R.Height(), false);
    const int x = R.Left + (R.Width() - b.Width()) / 2;
    const int y = R.Top + (R.Height() - b.Height()) / 2;
    if (FGripTransparent)
        C->BrushCopy(Rect(x, y, x + b.Width(), y + b.Height()), &b, Rect(0, 0, b.Width(), b.Height()), FGripTransparentColor);
    else
        C->Draw(x, y, &b);
}

void TskSkinCoolBar::PaintBands(TCanvas* C)
{
    TColor textColor = clBtnText;
    if (SkinData() != nullptr && SkinData()->SkinColors != nullptr) textColor = SkinData()->SkinColors->cBtnText;
    for (int i = 0; i < Bands()->Count(); ++i) {
        TCoolBand* band = Bands()->Items(i);
        TWinControl* control = band->Control();
        if (band->BandRect.IsEmpty()) continue;
        const int caption = CaptionWidth(band);
        // The band's own area runs along its control (or its whole place when it has none).
        TRect along = control != nullptr ? control->BoundsRect() : band->BandRect;
        if (control == nullptr) {
            if (Vertical())
                along.Top += caption;
            else
                along.Left += caption;
        }
        const int start = (Vertical() ? along.Top : along.Left) - caption;
        int at = start + 1;
        if (!band->FixedSize()) {
            PaintGrabber(C, Vertical() ? Rect(along.Left, at, along.Right, at + 4) : Rect(at, along.Top, at + 4, along.Bottom));
            at += 4 + 2;
        }
        if (Images() != nullptr && band->ImageIndex() >= 0 && band->ImageIndex() < Images()->Count()) {
            if (Vertical()) {
                Images()->Draw(C, band->BandRect.Left + (band->BandRect.Width() - Images()->Width()) / 2, at, band->ImageIndex());
                at += Images()->Height() + 1;
            } else {
                Images()->Draw(C, at, band->BandRect.Top + (band->BandRect.Height() - Images()->Height()) / 2, band->ImageIndex());
                at += Images()->Width() + 1;
            }
        }
        if (ShowText() && !band->Text().empty()) {
            C->Font()->Assign(Font());
            C->Font()->SetColor(textColor);
            C->Brush()->SetStyle(bsClear);
            const int end = Vertical() ? along.Top : along.Left;
            TRect r = Vertical() ? Rect(band->BandRect.Left, at, band->BandRect.Right, end)
                                 : Rect(at, band->BandRect.Top, end, band->BandRect.Bottom);
            UINT flags = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
            if (Vertical()) flags |= DT_CENTER;
            if (r.Width() > 0 && r.Height() > 0) C->TextRect(r, band->Text(), flags);
        }
    }
}

void TskSkinCoolBar::Paint()
{
    ReadEntry();
    if (SkinIndex() == -1) {
        TCoolBar::Paint();
        return;
    }
    // The background was laid by WM_ERASEBKGND; the bands go over it.
    PaintBands(Canvas());
}
