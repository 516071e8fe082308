#include "skin/controls/TskSkinEdit.h"

#include <algorithm>
#include <cstdint>

#include "platform/gfx/Text.h"
#include "platform/rtl/ScopeGuards.h"
#include "platform/vcl/TBitmap.h"
#include "platform/vcl/TCustomImageList.h"
#include "platform/vcl/TypInfo.h"
#include "skin/controls/TskSkinToolBar.h"
#include "skin/controls/SkinButtonLook.h"
#include "skin/controls/TskSkinControl.h"
#include "skin/controls/TskSkinNumEdit.h"
#include "skin/data/SkinDrawUtils.h"
#include "skin/data/SkinEntryFont.h"
#include "skin/data/SkinImages.h"
#include "skin/data/SkinMessages.h"
#include "skin/data/SkinRects.h"
#include "skin/data/TskDataSkinButtonControl.h"
#include "skin/data/TskDataSkinEditControl.h"
#include "skin/data/TskEffectBmp.h"
#include "skin/data/TskResourceStrData.h"
#include "skin/data/TskSkinData.h"

namespace {

bool ValidImage(TCustomImageList* Images, int Index) { return Images != nullptr && Index >= 0 && Index < Images->Count(); }

} // namespace

TskSkinCustomEdit::TskSkinCustomEdit(TComponent* AOwner) : TskCustomEdit(AOwner), FDefaultFont(new TFont)
{
    FDefaultFont->SetName("Arial");
    FDefaultFont->SetHeight(14);
    FDefaultFont->SetColor(clBlack);
    FDefaultFont->OnChange = [this](TObject* Sender) { DefaultFontChanged(Sender); };
    SetAutoSize(false);
    FHeight = 20;
    // The text is drawn over the skin's background, which the edit paints itself.
    SetTransparent(true);
    Font()->Assign(FDefaultFont);
    CalcRects();
}

TskSkinCustomEdit::~TskSkinCustomEdit()
{
    FDefaultFont->OnChange = nullptr;
    delete FDefaultFont;
}

// ---- skin

void TskSkinCustomEdit::SetSkinData(TskSkinData* Value)
{
    if (FSkinLink.SetData(Value) && !Designing()) RefreshEditSkin();
}

void TskSkinCustomEdit::ReadEditSkin()
{
    auto* entry = FSkinLink.EntryAs<TskDataSkinEditControl>(FSkinLink.Locate());
    // An entry of another kind, or one without a picture, has nothing to paint an edit with: such an edit
    // keeps the default look rather than an empty frame.
    FPicture = entry != nullptr && !IsEmptyRect(entry->SkinRect) ? FSkinLink.Picture(entry->PictureIndex) : nullptr;
    if (FPicture == nullptr) {
        FSkinLink.Forget();
        return;
    }
    FSkinRect = entry->SkinRect;
    FActiveSkinRect = IsEmptyRect(entry->ActiveSkinRect) ? entry->SkinRect : entry->ActiveSkinRect;
    FLOffset = entry->LeftTopPoint.X;
    FROffset = WidthOfRect(entry->SkinRect) - entry->RightTopPoint.X;
    FClRect = entry->ClientRect;
    FFontName = entry->FontName;
    FFontStyle = entry->FontStyle;
    FFontHeight = entry->FontHeight;
    FFontColor = entry->FontColor;
    FDisabledFontColor = entry->DisabledFontColor;
    FActiveFontColor = entry->ActiveFontColor;
    FSkinButtonRect = entry->ButtonRect;
    FActiveButtonRect = entry->ActiveButtonRect;
    FDownButtonRect = IsEmptyRect(entry->DownButtonRect) ? entry->ActiveButtonRect : entry->DownButtonRect;
    FUnEnabledButtonRect = entry->UnEnabledButtonRect;
    FStretchEffect = entry->StretchEffect;
}

void TskSkinCustomEdit::RefreshEditSkin()
{
    {
        TValueGuard inRefresh(FInRefresh);
        ReadEditSkin();
        const TskEntryFont face(FFontName, FFontHeight, FFontStyle);
        const bool skinFace = Skinned() && FUseSkinFont;
        SelectEntryFont(Font(), skinFace ? nullptr : FDefaultFont, skinFace ? &face : nullptr, SkinData(),
            FDefaultFont->Charset());
        if (!Skinned()) {
            if (FDefaultWidth > 0) SetWidth(FDefaultWidth);
            if (FDefaultHeight > 0) SetHeight(FDefaultHeight);
        } else if (FUseSkinFont) {
            SetHeight(HeightOfRect(FSkinRect));
        }
        // The frame's width comes from the entry: the window asks for it again.
        RecreateWnd();
        ApplyFontColor();
        if (!FUseSkinFont) SetHeight(HeightForFont());
        CalcRects();
        if (FImages != nullptr) {
            CalcImageRects();
            Invalidate();
        }
    }
    RepaintFrame();
    Invalidate();
}

void TskSkinCustomEdit::ApplyFontColor()
{
    TColor c;
    if (Enabled())
        c = !Skinned() ? FDefaultFont->Color() : LooksActive() ? FActiveFontColor : FFontColor;
    else
        c = Skinned() ? FDisabledFontColor : clGrayText;
    if (Font()->Color() != c) Font()->SetColor(c);
}

int TskSkinCustomEdit::HeightForFont()
{
    HDC dc = CreateCompatibleDC(nullptr);
    HFONT old = SelectObject(dc, Font()->Handle());
    TEXTMETRIC tm;
    GetTextMetrics(dc, tm);
    SelectObject(dc, old);
    DeleteDC(dc);
    return tm.tmHeight + (Skinned() ? HeightOfRect(FSkinRect) - HeightOfRect(FClRect) : 4);
}

void TskSkinCustomEdit::Loaded()
{
    TskCustomEdit::Loaded();
    Font()->SetCharset(SkinTextCharset(SkinData(), Font()->Charset()));
}


// ---- properties

void TskSkinCustomEdit::SetDefaultColor(TColor Value)
{
    if (Value == FDefaultColor) return;
    FDefaultColor = Value;
    if (!Skinned()) Invalidate();
}

void TskSkinCustomEdit::SetDefaultFont(TFont* Value) { FDefaultFont->Assign(Value); }

void TskSkinCustomEdit::DefaultFontChanged(TObject*)
{
    if (Skinned()) return;
    Font()->Assign(FDefaultFont);
    ApplyFontColor();
}

void TskSkinCustomEdit::SetDefaultWidth(int Value)
{
    FDefaultWidth = Value;
    if (!Skinned() && Value >= 1) SetWidth(Value);
}

void TskSkinCustomEdit::SetDefaultHeight(int Value)
{
    FDefaultHeight = Value;
    if (Skinned() || Value < 1) return;
    SetHeight(FUseSkinFont ? Value : HeightForFont());
}

void TskSkinCustomEdit::SetButtonMode(bool Value)
{
    if (Value == FButtonMode) return;
    FButtonMode = Value;
    if (Designing()) FSkinLink.SetName(Value ? "buttonedit" : "edit");
    CalcRects();
    RecreateWnd();
    RepaintFrame();
}

void TskSkinCustomEdit::SetAlignment(TAlignment Value)
{
    TskCustomEdit::SetAlignment(Value);
    RecreateWnd();
}

void TskSkinCustomEdit::SetAlphaBlend(bool Value)
{
    if (FAlphaBlend == Value) return;
    FAlphaBlend = Value;
    RepaintFrame();
    Invalidate();
}

void TskSkinCustomEdit::SetAlphaBlendValue(BYTE Value)
{
    if (Value == FAlphaBlendValue) return;
    FAlphaBlendValue = Value;
    if (!FAlphaBlend) return;
    RepaintFrame();
    Invalidate();
}

void TskSkinCustomEdit::SetImages(TCustomImageList* Value)
{
    if (FImages == Value) return;
    FImages = Value;
    CalcImageRects();
    Invalidate();
}

void TskSkinCustomEdit::SetLeftImageIndex(int Value)
{
    if (Value == FLeftImageIndex) return;
    FLeftImageIndex = Value;
    CalcImageRects();
    Invalidate();
}

void TskSkinCustomEdit::SetRightImageIndex(int Value)
{
    if (Value == FRightImageIndex) return;
    FRightImageIndex = Value;
    CalcImageRects();
    Invalidate();
}

// ---- geometry

void TskSkinCustomEdit::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    ReadEditSkin();
    const bool changed = AWidth != Width() || AHeight != Height();
    if (changed && (Skinned() || !FUseSkinFont)) AHeight = FUseSkinFont ? HeightOfRect(FSkinRect) : HeightForFont();
    // An aligned edit on a tool bar sits in the middle of it, as the bar's buttons do.
    if (Align() != alNone) ATop = TskSkinToolBar::CentredTopIn(this, ATop, AHeight);
    TskCustomEdit::SetBounds(ALeft, ATop, AWidth, AHeight);
    CalcRects();
    CalcImageRects();
    Invalidate();
    RepaintFrame();
}

void TskSkinCustomEdit::CalcRects()
{
    const int w = Width(), h = Height();
    if (Skinned()) {
        const int dw = w - WidthOfRect(FSkinRect);
        const int dh = h - HeightOfRect(FSkinRect);
        FEditRect = FClRect;
        FEditRect.Right += dw;
        if (!FUseSkinFont) FEditRect.Bottom += dh;
        FButtonRect = FButtonMode ? FSkinButtonRect : TRect{};
        if (FButtonMode && WidthOfRect(FSkinRect) - FROffset <= FButtonRect.Left) OffsetRect(FButtonRect, dw, 0);
        if (FButtonMode && !FUseSkinFont) FButtonRect.Bottom += dh;
        return;
    }
    if (FButtonMode) {
        FButtonRect = Rect(w - h, 0, w, h);
        FEditRect = Rect(2, 2, FButtonRect.Left - 2, h - 2);
    } else {
        FButtonRect = TRect{};
        FEditRect = Rect(2, 2, w - 2, h - 2);
    }
}

void TskSkinCustomEdit::CalcImageRects()
{
    FLImageRect = TRect{};
    FRImageRect = TRect{};
    if (FImages == nullptr) {
        if (HandleAllocated() && HasFormatRect()) Perform(EM_SETRECTNP, 0, 0);
        return;
    }
    TRect r = ClientRect();
    const int iw = FImages->Width();
    if (FLeftImageIndex >= 0) {
        FLImageRect = Rect(r.Left, r.Top, r.Left + iw, r.Bottom);
        r.Left += iw + 2;
    }
    if (FRightImageIndex >= 0) {
        FRImageRect = Rect(r.Right - iw, r.Top, r.Right, r.Bottom);
        r.Right -= iw + 2;
    }
    if (r.Right < r.Left) r.Right = r.Left;
    Perform(EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&r));
}

void TskSkinCustomEdit::CreateParams(TCreateParams& Params)
{
    TskCustomEdit::CreateParams(Params);
    // The skinned edit paints its own background, so nothing shows through it.
    Params.ExStyle &= ~WS_EX_TRANSPARENT;
}

// ---- painting

void TskSkinCustomEdit::Invalidate()
{
    FBGPainted = false;
    if (HandleAllocated()) RedrawWindow(FHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);
}

void TskSkinCustomEdit::RepaintFrame()
{
    if (HandleAllocated()) SendMessage(FHandle, WM_NCPAINT, 0, 0);
}

void TskSkinCustomEdit::BlendWithParent(TBitmap* B, TPoint Offset)
{
    if (Parent() == nullptr || B->Width() < 1 || B->Height() < 1) return;
    TBitmap whole(std::max(1, Width()), std::max(1, Height()));
    PaintParentBackground(this, whole.Canvas());
    TBitmap under(B->Width(), B->Height());
    BitBlt(under.Canvas()->Handle(), 0, 0, B->Width(), B->Height(), whole.Canvas()->Handle(), Offset.X, Offset.Y, SRCCOPY);
    TskEffectBmp own(B->Handle());
    TskEffectBmp back(under.Handle());
    own.Morph(back, 1.0 - FAlphaBlendValue / 255.0);
    own.DrawToDC(B->Canvas()->Handle(), 0, 0);
}

void TskSkinCustomEdit::DrawBackground(TBitmap* B)
{
    const int w = B->Width(), h = B->Height();
    if (Skinned()) {
        const TRect src = LooksActive() ? FActiveSkinRect : FSkinRect;
        const TRect piece = Rect(src.Left + FClRect.Left, src.Top + FClRect.Top, src.Left + FClRect.Right, src.Top + FClRect.Bottom);
        const int lo = std::max(0, FLOffset - FClRect.Left);
        const int ro = std::max(0, FROffset - (WidthOfRect(FSkinRect) - FClRect.Right));
        TBitmap middle;
        CreateHSkinImage(lo, ro, &middle, FPicture, piece, w, h, FStretchEffect);
        if (middle.Height() == h)
            B->Canvas()->Draw(0, 0, &middle);
        else if (middle.Width() > 0 && middle.Height() > 0)
            B->Canvas()->StretchDraw(Rect(0, 0, w, h), &middle);
    } else {
        B->Canvas()->Brush()->SetStyle(bsSolid);
        B->Canvas()->Brush()->SetColor(FDefaultColor);
        B->Canvas()->FillRect(Rect(0, 0, w, h));
    }
    if (FAlphaBlend) BlendWithParent(B, ClientOffset());
}

int TskSkinCustomEdit::ImageFor(int Normal, int Hot, int Down, bool IsHot, bool IsDown) const
{
    if (IsDown && IsHot && ValidImage(FImages, Down)) return Down;
    if (IsHot && ValidImage(FImages, Hot)) return Hot;
    return Normal;
}

void TskSkinCustomEdit::DrawImages(TCanvas* C, TPoint Offset)
{
    if (FImages == nullptr) return;
    auto draw = [&](const TRect& r, int index) {
        if (IsEmptyRect(r) || !ValidImage(FImages, index)) return;
        const int y = std::max(r.Top, r.Top + (r.Height() - FImages->Height()) / 2);
        FImages->Draw(C, r.Left + Offset.X, y + Offset.Y, index, Enabled());
    };
    if (FLeftImageIndex >= 0)
        draw(FLImageRect, ImageFor(FLeftImageIndex, FLeftImageHotIndex, FLeftImageDownIndex, FLeftImageHot, FLeftImageDown));
    if (FRightImageIndex >= 0)
        draw(FRImageRect, ImageFor(FRightImageIndex, FRightImageHotIndex, FRightImageDownIndex, FRightImageHot, FRightImageDown));
}

void TskSkinCustomEdit::DrawDisabledText(TCanvas* C, TRect R)
{
    OffsetRect(R, -R.Left, -R.Top);
    C->Font()->Assign(Font());
    C->Font()->SetColor(Skinned() ? FDisabledFontColor : clGrayText);
    C->Brush()->SetStyle(bsClear);
    const std::string shown = CharsToUtf8(DisplayChars());
    const int tw = C->TextWidth(shown);
    int x = R.Left + 2;
    if (Alignment() == taRightJustify) x = R.Right - 1 - tw;
    if (Alignment() == taCenter) x = R.Left + 2 + R.Width() / 2 - tw / 2 - 2;
    C->TextOut(x, R.Top, shown);
}

void TskSkinCustomEdit::Paint()
{
    if (!Enabled()) {
        DrawDisabledText(Canvas(), ClientRect());
        return;
    }
    TskCustomEdit::Paint();
}

void TskSkinCustomEdit::PaintClient(HDC DC)
{
    const int w = ClientWidth(), h = ClientHeight();
    if (w < 1 || h < 1) return;
    if (LookKept() && FImages == nullptr) {
        TBitmap& kept = FClientLook.Get(typeid(*this), LookKey(w, h, false), [&](TBitmap* B) {
            B->SetSize(w, h);
            DrawBackground(B);
        });
        BitBlt(DC, 0, 0, w, h, kept.Canvas()->Handle(), 0, 0, SRCCOPY);
    } else {
        TBitmap bg(w, h);
        DrawBackground(&bg);
        DrawImages(bg.Canvas(), {0, 0});
        BitBlt(DC, 0, 0, w, h, bg.Canvas()->Handle(), 0, 0, SRCCOPY);
    }
    // The edit's own text and caret go on top, with nothing filled behind them.
    PaintWindow(DC);
}

void TskSkinCustomEdit::DrawButton(TCanvas* C)
{
    if (!FButtonMode || IsEmptyRect(FButtonRect)) return;
    const bool hot = FButtonActive;
    const bool down = FButtonDown && FButtonActive;
    if (Skinned() && !IsEmptyRect(FSkinButtonRect)) {
        TRect r = down ? FDownButtonRect : hot ? FActiveButtonRect : FSkinButtonRect;
        if (!Enabled() && !IsEmptyRect(FUnEnabledButtonRect)) r = FUnEnabledButtonRect;
        if (IsEmptyRect(r)) r = FSkinButtonRect;
        // The button's rectangles, like the client's, are given relative to the entry's picture.
        OffsetRect(r, FSkinRect.Left, FSkinRect.Top);
        C->CopyRect(FButtonRect, FPicture->Canvas(), r);
        return;
    }
    if (Skinned()) {
        // A skin whose edit entry has no button of its own lends the edit its general button pictures.
        for (const char* name : {"editbutton", "resizebutton"}) {
            auto* entry = FSkinLink.FindAs<TskDataSkinButtonControl>(name);
            if (entry == nullptr) continue;
            TBitmap* picture = FSkinLink.Picture(entry->PictureIndex);
            TRect r = down && !IsEmptyRect(entry->DownSkinRect) ? entry->DownSkinRect
                : hot && !IsEmptyRect(entry->ActiveSkinRect)    ? entry->ActiveSkinRect
                                                                 : entry->SkinRect;
            if (picture == nullptr || IsEmptyRect(r)) continue;
            TBitmap b(FButtonRect.Width(), FButtonRect.Height());
            CreateStretchSkinImage(&b, picture, r, entry->ClientRect, true);
            C->Draw(FButtonRect.Left, FButtonRect.Top, &b);
            return;
        }
    }
    if (down)
        FillFramed(C, FButtonRect, SkinNavyFrame, SkinPressedFill);
    else if (hot)
        FillFramed(C, FButtonRect, SkinNavyFrame, SkinHotFill);
    else
        FillFramed(C, FButtonRect, clBtnShadow, clBtnFace);
}

TskSkinCustomEdit::TLookKey TskSkinCustomEdit::LookKey(int W, int H, bool WithButton)
{
    TLookKey k;
    k.Generation = SkinData() != nullptr ? SkinData()->Generation() : 0;
    k.Picture = FPicture;
    k.Source = LooksActive() ? FActiveSkinRect : FSkinRect;
    k.Client = FClRect;
    k.Width = W;
    k.Height = H;
    k.LOffset = FLOffset;
    k.ROffset = FROffset;
    k.Stretch = FStretchEffect;
    k.UseSkinFont = FUseSkinFont;
    // The whole frame and the client alone are different pictures, even at one size.
    k.Frame = WithButton;
    if (WithButton) {
        k.Button = FButtonRect;
        k.State = (FButtonMode ? 1 : 0) | (FButtonActive ? 2 : 0) | (FButtonDown ? 4 : 0) | (Enabled() ? 8 : 0);
    }
    return k;
}

TBitmap& TskSkinCustomEdit::FramePicture()
{
    return FFrameLook.Get(typeid(*this), LookKey(std::max(1, Width()), std::max(1, Height()), true), [this](TBitmap* B) { DrawFrameLook(B); });
}

void TskSkinCustomEdit::GetSkinImage(TBitmap* B)
{
    const int w = std::max(1, Width()), h = std::max(1, Height());
    if (LookKept()) {
        B->SetSize(w, h);
        BitBlt(B->Canvas()->Handle(), 0, 0, w, h, FramePicture().Canvas()->Handle(), 0, 0, SRCCOPY);
    } else {
        DrawFrameLook(B);
    }
    TCanvas* c = B->Canvas();
    // The text as the client shows it, for those who ask for a picture of the whole edit.
    if (!IsEmptyRect(FEditRect)) {
        const int saved = SaveDC(c->Handle());
        IntersectClipRect(c->Handle(), FEditRect.Left, FEditRect.Top, FEditRect.Right, FEditRect.Bottom);
        c->Font()->Assign(Font());
        c->Brush()->SetStyle(bsClear);
        c->TextOut(FEditRect.Left + 2, FEditRect.Top, CharsToUtf8(DisplayChars()));
        RestoreDC(c->Handle(), saved);
    }
    DrawImages(c, ClientOffset());
    if (FAlphaBlend) BlendWithParent(B, {0, 0});
}

void TskSkinCustomEdit::DrawFrameLook(TBitmap* B)
{
    const int w = std::max(1, Width()), h = std::max(1, Height());
    B->SetSize(w, h);
    TCanvas* c = B->Canvas();
    if (Skinned()) {
        const TRect src = LooksActive() ? FActiveSkinRect : FSkinRect;
        if (FUseSkinFont) {
            TBitmap part;
            CreateHSkinImage(FLOffset, FROffset, &part, FPicture, src, w, h, FStretchEffect);
            if (part.Height() == h)
                c->Draw(0, 0, &part);
            else if (part.Width() > 0 && part.Height() > 0)
                c->StretchDraw(Rect(0, 0, w, h), &part);
        } else {
            CreateStretchSkinImage(B, FPicture, src, FClRect, true);
        }
    } else {
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(FDefaultColor);
        c->FillRect(Rect(0, 0, w, h));
        c->Brush()->SetColor(clBtnShadow);
        c->FrameRect(Rect(0, 0, w, h));
        c->Brush()->SetColor(clBtnFace);
        c->FrameRect(Rect(1, 1, w - 1, h - 1));
    }
    DrawButton(c);
}

void TskSkinCustomEdit::PaintFrame(HDC DC, bool ExcludeText)
{
    if (DC == nullptr || Width() < 1 || Height() < 1) return;
    const TPoint o = ClientOffset();
    const TRect client = Bounds(o.X, o.Y, ClientWidth(), ClientHeight());
    TRect inside;
    // With the client left out, the text (clipped to its rectangle inside the client) adds nothing: the
    // kept frame goes as it is.
    const bool frameOnly = ExcludeText && LookKept() && FImages == nullptr
        && (IsEmptyRect(FEditRect) || (IntersectRect(inside, FEditRect, client) && inside == FEditRect));
    TBitmap whole;
    TBitmap* b = &whole;
    if (frameOnly)
        b = &FramePicture();
    else
        GetSkinImage(&whole);
    const int saved = SaveDC(DC);
    if (ExcludeText) {
        // The client area is the edit's own: the frame never paints over it.
        ExcludeClipRect(DC, client.Left, client.Top, client.Right, client.Bottom);
    }
    BitBlt(DC, 0, 0, b->Width(), b->Height(), b->Canvas()->Handle(), 0, 0, SRCCOPY);
    RestoreDC(DC, saved);
}

// ---- mouse on the frame

LRESULT TskSkinCustomEdit::FrameHitTest(TPoint ScreenPos, bool& Handled)
{
    Handled = true;
    TRect wr;
    GetWindowRect(FHandle, wr);
    const TPoint p{ScreenPos.X - wr.Left, ScreenPos.Y - wr.Top};
    if (FImages != nullptr) {
        const TPoint cp = ScreenToClient(ScreenPos);
        const bool inLeft = FLeftImageIndex >= 0 && FLImageRect.Contains(cp);
        const bool inRight = !inLeft && FRightImageIndex >= 0 && FRImageRect.Contains(cp);
        if (inLeft != FLeftImageHot || inRight != FRightImageHot) {
            FLeftImageHot = inLeft;
            FRightImageHot = inRight;
            Invalidate();
        }
        if (inLeft) return HTEDITLEFTIMAGE;
        if (inRight) return HTEDITRIGHTIMAGE;
    }
    if (FButtonMode) {
        if (FButtonRect.Contains(p)) return HTEDITBUTTON;
        if (!FEditRect.Contains(p)) return HTEDITFRAME;
    }
    Handled = false;
    return HTNOWHERE;
}

void TskSkinCustomEdit::NCMouseDown(LRESULT Hit)
{
    if (Hit == HTEDITLEFTIMAGE || Hit == HTEDITRIGHTIMAGE) {
        (Hit == HTEDITLEFTIMAGE ? FLeftImageDown : FRightImageDown) = true;
        if (!Focused() && CanFocus()) SetFocus();
        Invalidate();
    } else if (Hit == HTEDITBUTTON) {
        FButtonDown = true;
        RepaintFrame();
    }
}

void TskSkinCustomEdit::NCMouseUp(LRESULT Hit)
{
    // A release counts as a click only where the press was.
    if (Hit == HTEDITLEFTIMAGE && FLeftImageDown) {
        FLeftImageDown = false;
        Invalidate();
        if (OnLeftButtonClick) OnLeftButtonClick(this);
    } else if (Hit == HTEDITRIGHTIMAGE && FRightImageDown) {
        FRightImageDown = false;
        Invalidate();
        if (OnRightButtonClick) OnRightButtonClick(this);
    } else if (Hit == HTEDITBUTTON && FButtonDown) {
        FButtonDown = false;
        RepaintFrame();
        if (!Focused() && CanFocus()) SetFocus();
        if (OnButtonClick) OnButtonClick(this);
    }
}

void TskSkinCustomEdit::NCMouseMove(LRESULT Hit)
{
    // The pointer over the frame is over the edit as much as over its text.
    if (GetMouseControl() != this) SetMouseControl(this);
    const bool onButton = Hit == HTEDITBUTTON;
    if (onButton == FButtonActive) return;
    FButtonActive = onButton;
    RepaintFrame();
    Invalidate();
}

void TskSkinCustomEdit::MouseEntered()
{
    FMouseIn = true;
    if (Skinned() && !Focused()) {
        ApplyFontColor();
        RepaintFrame();
        Invalidate();
    }
}

void TskSkinCustomEdit::MouseLeft()
{
    FMouseIn = false;
    if (Skinned() && !Focused()) ApplyFontColor();
    FButtonActive = FButtonDown = false;
    FLeftImageHot = FLeftImageDown = FRightImageHot = FRightImageDown = false;
    RepaintFrame();
    Invalidate();
}

// ---- messages

void TskSkinCustomEdit::WndProc(TMessage& Message)
{
    const bool live = !Designing();
    switch (Message.Msg) {
    case WM_NCCALCSIZE:
        if (Message.LParam != 0) {
            TRect* r = reinterpret_cast<TRect*>(Message.LParam);
            if (Skinned()) {
                r->Left += FClRect.Left;
                r->Top += FClRect.Top;
                r->Right -= WidthOfRect(FSkinRect) - FClRect.Right;
                r->Bottom -= HeightOfRect(FSkinRect) - FClRect.Bottom;
            } else {
                r->Left += 2;
                r->Top += 2;
                r->Right -= FButtonMode ? Height() + 2 : 2;
                r->Bottom -= 2;
            }
            if (r->Right < r->Left) r->Right = r->Left;
            if (r->Bottom < r->Top) r->Bottom = r->Top;
        }
        Message.Result = 0;
        return;
    case WM_NCPAINT:
        if (HandleAllocated()) {
            HDC dc = GetWindowDC(FHandle);
            if (dc != nullptr) {
                PaintFrame(dc, true);
                ReleaseDC(FHandle, dc);
            }
            // The client follows the frame's state; a frame painted on the way into a paint needs no
            // second client paint.
            if (Message.WParam != 1) Invalidate();
        }
        Message.Result = 0;
        return;
    case CM_PAINTSKINFRAME:
    case CM_PAINTSKINFRAME2: {
        auto paint = [this](HDC DC, bool Second) {
            if (DC != nullptr) PaintFrame(DC, Second);
            return true;
        };
        if (AnswerPaintSkinFrame(Message, paint)) return;
        break;
    }
    case WM_ERASEBKGND:
        if (Message.WParam != 0) {
            PaintClient(reinterpret_cast<HDC>(Message.WParam));
            FBGPainted = true;
        }
        Message.Result = 1;
        return;
    case WM_PAINT:
        // The erase step painted the whole client; a paint without it paints everything here.
        if (Message.WParam != 0) {
            if (!FBGPainted) PaintClient(reinterpret_cast<HDC>(Message.WParam));
            FBGPainted = false;
            return;
        }
        if (HandleAllocated()) {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(FHandle, &ps);
            if (dc != nullptr && !FBGPainted) PaintClient(dc);
            FBGPainted = false;
            EndPaint(FHandle, &ps);
        }
        return;
    case WM_NCHITTEST:
        if (live && HandleAllocated()) {
            bool handled = false;
            const LRESULT hit = FrameHitTest(ParamPoint(Message.LParam), handled);
            if (handled) {
                Message.Result = hit;
                return;
            }
        }
        break;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
        if (live) NCMouseDown(static_cast<LRESULT>(Message.WParam));
        return;
    case WM_NCLBUTTONUP:
        if (live) NCMouseUp(static_cast<LRESULT>(Message.WParam));
        return;
    case WM_NCMOUSEMOVE:
        if (live) NCMouseMove(static_cast<LRESULT>(Message.WParam));
        return;
    case WM_MOUSEMOVE:
        if (live && FButtonActive) {
            FButtonActive = false;
            RepaintFrame();
            Invalidate();
        }
        break;
    case CM_MOUSEENTER:
        if (live) MouseEntered();
        break;
    case CM_MOUSELEAVE:
        if (live) MouseLeft();
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        TskCustomEdit::WndProc(Message);
        if (Skinned() && !FMouseIn) ApplyFontColor();
        RepaintFrame();
        Invalidate();
        return;
    case CM_ENABLEDCHANGED:
        TskCustomEdit::WndProc(Message);
        ApplyFontColor();
        RepaintFrame();
        Invalidate();
        return;
    case CM_FONTCHANGED: {
        TskCustomEdit::WndProc(Message);
        const bool designLoading = Designing() && ComponentState().Contains(csLoading);
        if (!FUseSkinFont && !FInRefresh && !designLoading) {
            const int h = HeightForFont();
            if (h != Height()) {
                SetHeight(h);
                if (!Skinned()) RecreateWnd();
            }
        }
        return;
    }
    case WM_SIZE:
        TskCustomEdit::WndProc(Message);
        CalcRects();
        CalcImageRects();
        RepaintFrame();
        return;
    default:
        break;
    }
    TskCustomEdit::WndProc(Message);
}

// ---- registration

void RegisterSkinEditClasses()
{
    static const bool done = [] {
        RegisterEditClasses();
        using E = TskCustomEdit;
        RegisterClass<E, TCustomMaskEdit>("TskCustomEdit")
            .Prop("ReadOnly", &E::ReadOnly, &E::SetReadOnly, false)
            .Prop("Transparent", &E::Transparent, &E::SetTransparent, false);
        RegisterClass<TskSkinNumEdit, E>("TskSkinNumEdit");
        using S = TskSkinCustomEdit;
        // None of these has a stream default: a stored form states every value it wants.
        RegisterClass<S, E>("TskSkinCustomEdit")
            .Prop("SkinData", &S::SkinData, &S::SetSkinData)
            .Prop("SkinDataName", &S::SkinDataName, &S::SetSkinDataName)
            .Prop("DefaultColor", &S::DefaultColor, &S::SetDefaultColor)
            .Prop("DefaultFont", &S::DefaultFont)
            .Prop("UseSkinFont", &S::UseSkinFont, &S::SetUseSkinFont)
            .Prop("DefaultWidth", &S::DefaultWidth, &S::SetDefaultWidth)
            .Prop("DefaultHeight", &S::DefaultHeight, &S::SetDefaultHeight)
            .Prop("ButtonMode", &S::ButtonMode, &S::SetButtonMode)
            .Prop("AlphaBlend", &S::AlphaBlend, &S::SetAlphaBlend)
            .Prop("AlphaBlendValue", &S::AlphaBlendValue, &S::SetAlphaBlendValue)
            .Prop("Alignment", &S::Alignment, &S::SetAlignment)
            .Prop("Images", &S::Images, &S::SetImages)
            .Prop("LeftImageIndex", &S::LeftImageIndex, &S::SetLeftImageIndex)
            .Prop("LeftImageHotIndex", &S::LeftImageHotIndex, &S::SetLeftImageHotIndex)
            .Prop("LeftImageDownIndex", &S::LeftImageDownIndex, &S::SetLeftImageDownIndex)
            .Prop("RightImageIndex", &S::RightImageIndex, &S::SetRightImageIndex)
            .Prop("RightImageHotIndex", &S::RightImageHotIndex, &S::SetRightImageHotIndex)
            .Prop("RightImageDownIndex", &S::RightImageDownIndex, &S::SetRightImageDownIndex)
            .Event("OnButtonClick", &S::OnButtonClick)
            .Event("OnLeftButtonClick", &S::OnLeftButtonClick)
            .Event("OnRightButtonClick", &S::OnRightButtonClick);
        RegisterClass<TskSkinEdit, S>("TskSkinEdit");
        return true;
    }();
    (void)done;
}
