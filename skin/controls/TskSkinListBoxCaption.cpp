#include "skin/controls/TskSkinListBoxCaption.h"

#include <algorithm>

#include "platform/win/WinApi.h"
#include "skin/controls/SkinButtonLook.h"
#include "skin/controls/TskSkinListBox.h"
#include "skin/data/SkinDrawUtils.h"
#include "skin/data/SkinEntryFont.h"
#include "skin/data/SkinImages.h"
#include "skin/data/SkinRects.h"
#include "skin/data/TskDataSkinListBox.h"
#include "skin/data/TskResourceStrData.h"
#include "skin/data/TskSkinData.h"

namespace {
constexpr UINT RepeatInterval = 100;
constexpr UINT ResumeInterval = 50;
constexpr int MaxDefaultButton = 17;
} // namespace

void TskSkinListBoxCaption::ReadEntry(const TskDataSkinListBox& Entry)
{
    FCaptionRect = Entry.CaptionRect;
    FFontName = Entry.CaptionFontName;
    FFontStyle = Entry.CaptionFontStyle;
    FFontHeight = Entry.CaptionFontHeight;
    FFontColor = Entry.CaptionFontColor;
    const TRect normal[3] = {Entry.UpButtonRect, Entry.DownButtonRect, Entry.CheckButtonRect};
    const TRect active[3] = {Entry.ActiveUpButtonRect, Entry.ActiveDownButtonRect, Entry.ActiveCheckButtonRect};
    const TRect down[3] = {Entry.DownUpButtonRect, Entry.DownDownButtonRect, Entry.DownCheckButtonRect};
    for (int i = 0; i < 3; ++i) {
        FSkinButtons[i][0] = normal[i];
        FSkinButtons[i][1] = active[i];
        FSkinButtons[i][2] = IsEmptyRect(down[i]) ? active[i] : down[i];
    }
}

bool TskSkinListBoxCaption::Skinned() const { return FOwner->SkinIndex() != -1; }

// ---- geometry

TRect TskSkinListBoxCaption::DefaultButtonRect(int I) const
{
    const int b = std::min(FOwner->FDefaultCaptionHeight - 3, MaxDefaultButton);
    if (b < 1) return {};
    const int right = FOwner->Width() - 2 - I * b;
    return Rect(right - b, 2, right, b + 2);
}

TRect TskSkinListBoxCaption::SkinButtonRect(int I) const
{
    TRect r = FSkinButtons[I][0];
    if (IsEmptyRect(r)) return {};
    const int dw = FOwner->Width() - FOwner->FSkinRect.Width();
    const int dh = FOwner->Height() - FOwner->FSkinRect.Height();
    if (r.Top > FOwner->FLeftTopPoint.Y) {
        OffsetRect(r, 0, dh);
        if (r.Left > FOwner->FRightBottomPoint.X) OffsetRect(r, dw, 0);
    } else if (r.Left > FOwner->FRightTopPoint.X) {
        OffsetRect(r, dw, 0);
    }
    return r;
}

bool TskSkinListBoxCaption::HasButtons() const
{
    if (!FOwner->FCaptionMode) return false;
    if (Skinned()) return !IsEmptyRect(FSkinButtons[UpButton][0]) || !IsEmptyRect(FSkinButtons[DownButton][0]);
    return !IsEmptyRect(DefaultButtonRect(UpButton));
}

TRect TskSkinListBoxCaption::ButtonRect(int I) const
{
    if (I < 0 || I > 2 || !HasButtons()) return {};
    return Skinned() ? SkinButtonRect(I) : DefaultButtonRect(I);
}

TRect TskSkinListBoxCaption::CaptionTextRect() const
{
    if (!Skinned()) {
        const int b = std::max(0, std::min(FOwner->FDefaultCaptionHeight - 3, MaxDefaultButton));
        return Rect(3, 2, FOwner->Width() - 3 * b - 3, FOwner->FDefaultCaptionHeight - 2);
    }
    TRect r = FCaptionRect;
    if (FOwner->FRightTopPoint.X <= r.Right) r.Right += FOwner->Width() - FOwner->FSkinRect.Width();
    return r;
}

int TskSkinListBoxCaption::ButtonAt(int X, int Y) const
{
    for (int i = 0; i < 3; ++i) {
        const TRect r = ButtonRect(i);
        if (!IsEmptyRect(r) && r.Contains(Point(X, Y))) return i;
    }
    return -1;
}

// ---- painting

void TskSkinListBoxCaption::DrawText(TCanvas* C, const TRect& R, TColor Color)
{
    if (IsEmptyRect(R)) return;
    TBitmap* glyph = FOwner->FGlyph.get();
    const int cells = std::max(1, FOwner->FNumGlyphs);
    const int cellWidth = glyph->Empty() ? 0 : glyph->Width() / cells;
    const std::string text = FOwner->Caption();
    const int textWidth = text.empty() ? 0 : C->TextWidth(text);
    const int content = textWidth + (glyph->Empty() ? 0 : cellWidth + FOwner->FSpacing);
    int x = R.Left;
    if (FOwner->FAlignment == taRightJustify)
        x = R.Right - content;
    else if (FOwner->FAlignment == taCenter)
        x = R.Left + (R.Width() - content) / 2;
    const HDC dc = C->Handle();
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, R.Left, R.Top, R.Right, R.Bottom);
    if (!glyph->Empty()) {
        const int cell = !FOwner->Enabled() && cells == 2 ? 2 : 1;
        DrawGlyph(C, x, R.Top + (R.Height() - glyph->Height()) / 2, glyph, cells, cell);
        x += cellWidth + FOwner->FSpacing;
    }
    if (!text.empty()) {
        C->Brush()->SetStyle(bsClear);
        C->Font()->SetColor(Color);
        C->TextOut(x, R.Top + (R.Height() - C->TextHeight(text)) / 2, text);
    }
    RestoreDC(dc, saved);
}

void TskSkinListBoxCaption::DrawButton(TCanvas* C, int I)
{
    const TRect r = ButtonRect(I);
    if (IsEmptyRect(r)) return;
    const TButton& b = FButtons[I];
    if (Skinned()) {
        TBitmap* picture = FOwner->FPicture;
        if (picture == nullptr) return;
        TRect src;
        if (b.Down && b.MouseIn)
            src = FSkinButtons[I][2];
        else if (b.MouseIn)
            src = FSkinButtons[I][1];
        if (IsEmptyRect(src)) {
            src = FSkinButtons[I][0];
            OffsetRect(src, FOwner->FSkinRect.Left, FOwner->FSkinRect.Top);
        }
        C->CopyRect(Rect(r.Left, r.Top, r.Left + src.Width(), r.Top + src.Height()), picture->Canvas(), src);
        return;
    }
    if (b.Down && b.MouseIn)
        FillFramed(C, r, SkinNavyFrame, SkinPressedFill);
    else if (b.MouseIn)
        FillFramed(C, r, SkinNavyFrame, SkinHotFill);
    else {
        C->Brush()->SetStyle(bsSolid);
        C->Brush()->SetColor(clBtnFace);
        C->FillRect(r);
    }
    if (I == CheckButton)
        DrawCheckImage(C, r.Left + 4, r.Top + 4, clBlack);
    else
        DrawArrowImage(C, r, clBlack, I == UpButton ? 3 : 4);
}

void TskSkinListBoxCaption::DrawDefault(TCanvas* C)
{
    if (!FOwner->FCaptionMode) return;
    C->Font()->Assign(FOwner->FDefaultCaptionFont.get());
    DrawText(C, CaptionTextRect(), FOwner->FDefaultCaptionFont->Color());
    const int y = FOwner->FDefaultCaptionHeight - 1;
    C->Pen()->SetColor(clBtnShadow);
    C->MoveTo(1, y);
    C->LineTo(FOwner->Width() - 1, y);
    for (int i = 0; i < 3; ++i) DrawButton(C, i);
}

void TskSkinListBoxCaption::DrawSkin(TCanvas* C)
{
    if (!FOwner->FCaptionMode) return;
    const TRect r = CaptionTextRect();
    if (!IsEmptyRect(r)) {
        const TskEntryFont face(FFontName, FFontHeight, FFontStyle);
        SelectEntryFont(C->Font(), nullptr, &face, FOwner->SkinData(), FOwner->DefaultFont()->Charset());
        DrawText(C, r, FFontColor);
    }
    for (int i = 0; i < 3; ++i) DrawButton(C, i);
}

// ---- mouse and repeat

bool TskSkinListBoxCaption::HasEvent(int I) const
{
    switch (I) {
    case UpButton: return static_cast<bool>(FOwner->OnUpButtonClick);
    case DownButton: return static_cast<bool>(FOwner->OnDownButtonClick);
    default: return static_cast<bool>(FOwner->OnCheckButtonClick);
    }
}

void TskSkinListBoxCaption::StartTimer(UINT Ms)
{
    if (!FOwner->HandleAllocated()) return;
    SetTimer(FOwner->Handle(), RepeatTimer, Ms);
    FTimerOn = true;
}

void TskSkinListBoxCaption::StopTimer()
{
    if (FTimerOn && FOwner->HandleAllocated()) KillTimer(FOwner->Handle(), RepeatTimer);
    FTimerOn = false;
}

void TskSkinListBoxCaption::MoveSelection(int Delta)
{
    const int index = FOwner->ItemIndex();
    const int count = FOwner->Items()->Count();
    if (Delta < 0 && index > 0) FOwner->SetItemIndex(index - 1);
    if (Delta > 0 && index < count - 1) FOwner->SetItemIndex(index + 1);
}

void TskSkinListBoxCaption::Act(int I)
{
    switch (I) {
    case UpButton: MoveSelection(-1); break;
    case DownButton: MoveSelection(1); break;
    default: FOwner->FListBox->Click(); break;
    }
}

void TskSkinListBoxCaption::TestActive(int X, int Y)
{
    int hot = ButtonAt(X, Y);
    if (FCaptureButton != -1 && hot != FCaptureButton) hot = -1;
    if (hot == FActiveButton) return;
    FOldActiveButton = FActiveButton;
    FActiveButton = hot;
    if (FOldActiveButton != -1) {
        FButtons[FOldActiveButton].MouseIn = false;
        // Off the held button the repeat pauses.
        if (FOldActiveButton == FCaptureButton && FRepeatMode != 0) StopTimer();
    }
    if (hot != -1) {
        FButtons[hot].MouseIn = true;
        if (hot == FCaptureButton && FRepeatMode != 0) StartTimer(ResumeInterval);
    }
    FOwner->Repaint();
}

void TskSkinListBoxCaption::MouseDown(int X, int Y)
{
    const int b = ButtonAt(X, Y);
    if (b == -1) return;
    FCaptureButton = b;
    FActiveButton = b;
    FButtons[b].MouseIn = true;
    FButtons[b].Down = true;
    FOwner->Repaint();
    if (b == CheckButton || HasEvent(b)) return;
    FRepeatMode = b == UpButton ? 1 : 2;
    FWaitFirstRepeat = true;
    StartTimer(SkinRepeatDelay);
}

void TskSkinListBoxCaption::MouseMove(int X, int Y) { TestActive(X, Y); }

void TskSkinListBoxCaption::MouseUp(int X, int Y)
{
    const int b = FCaptureButton;
    if (b == -1) return;
    const bool over = ButtonAt(X, Y) == b;
    FButtons[b].Down = false;
    if (!over) {
        FButtons[b].MouseIn = false;
        if (FActiveButton == b) FActiveButton = -1;
    }
    StopTimer();
    FRepeatMode = 0;
    FCaptureButton = -1;
    FOwner->Repaint();
    // Only a release over the button hands it to the button's own event; let go elsewhere (or with
    // no event), the button does its own work.
    if (over && HasEvent(b)) {
        TNotifyEvent event = b == UpButton ? FOwner->OnUpButtonClick
                                           : (b == DownButton ? FOwner->OnDownButtonClick : FOwner->OnCheckButtonClick);
        event(FOwner);
        return;
    }
    Act(b);
}

void TskSkinListBoxCaption::MouseLeave()
{
    bool changed = false;
    for (TButton& b : FButtons) {
        if (!b.MouseIn) continue;
        b.MouseIn = false;
        changed = true;
    }
    if (FCaptureButton != -1 && FRepeatMode != 0) StopTimer();
    FActiveButton = -1;
    if (changed) FOwner->Repaint();
}

void TskSkinListBoxCaption::TimerTick()
{
    if (FRepeatMode == 0) {
        StopTimer();
        return;
    }
    if (FWaitFirstRepeat) {
        FWaitFirstRepeat = false;
        StartTimer(RepeatInterval);
        return;
    }
    MoveSelection(FRepeatMode == 1 ? -1 : 1);
}

void TskSkinListBoxCaption::Cancel()
{
    StopTimer();
    FRepeatMode = 0;
    FCaptureButton = -1;
    FActiveButton = -1;
    for (TButton& b : FButtons) b = TButton{};
}
