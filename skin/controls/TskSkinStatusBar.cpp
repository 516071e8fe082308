#include "skin/controls/TskSkinStatusBar.h"

#include <algorithm>
#include <cstdint>

#include "skin/data/SkinRects.h"
#include "skin/data/TskDataSkinPanelControl.h"
#include "skin/data/TskSkinData.h"

TskSkinStatusBar::TskSkinStatusBar(TComponent* AOwner) : TskSkinPanel(AOwner)
{
    SetSkinDataName("statusbar");
    SetAlign(alBottom);
    SetHeight(21);
    SetBorderStyle(bvNone);
    // A bar is small: it is composed off-screen whole, grip included.
    FPaintFrameDirectly = false;
}

void TskSkinStatusBar::SetSizeGrip(bool Value)
{
    if (FSizeGrip == Value) return;
    FSizeGrip = Value;
    Repaint();
    Realign();
}

void TskSkinStatusBar::SetSizeGripActive(bool Value)
{
    if (FSizeGripActive == Value) return;
    FSizeGripActive = Value;
    Repaint();
    Realign();
}

void TskSkinStatusBar::FindSkinObject()
{
    TskSkinPanel::FindSkinObject();
    auto* entry = SkinEntryAs<TskDataSkinPanelControl>();
    if (entry == nullptr) {
        FGripperRect = Rect(0, 0, 0, 0);
        return;
    }
    FGripperRect = entry->GripperRect;
    FGripperTransparent = entry->GripperTransparent;
    FGripperTransparentColor = entry->GripperTransparentColor;
}

bool TskSkinStatusBar::HasGripperPicture() const
{
    return SkinIndex() != -1 && FPicture != nullptr && !IsEmptyRect(FGripperRect);
}

TRect TskSkinStatusBar::GripRect()
{
    if (!HasGrip()) return Rect(0, 0, 0, 0);
    const TRect client = PanelClientRect();
    if (HasGripperPicture())
        return Rect(client.Right - FGripperRect.Width(), client.Bottom - FGripperRect.Height(), client.Right,
            client.Bottom);
    const int side = client.Height();
    return Rect(client.Right - side, client.Top, client.Right, client.Bottom);
}

void TskSkinStatusBar::AdjustClientRect(TRect& R)
{
    TskSkinPanel::AdjustClientRect(R);
    // The children keep off the grip.
    if (HasGrip()) R.Right -= GripRect().Width();
}

void TskSkinStatusBar::WndProc(TMessage& Message)
{
    if (Message.Msg == WM_NCHITTEST && !Designing() && HasGrip() && HandleAllocated()) {
        // The point comes in screen coordinates, two signed 16-bit halves.
        const auto lp = static_cast<std::uint32_t>(Message.LParam);
        const TPoint screen = Point(static_cast<std::int16_t>(lp & 0xFFFF), static_cast<std::int16_t>(lp >> 16));
        const TPoint p = ScreenToClient(screen);
        const TRect grip = GripRect();
        Message.Result = grip.Contains(p) ? HTBOTTOMRIGHT : HTCLIENT;
        return;
    }
    TskSkinPanel::WndProc(Message);
}

void TskSkinStatusBar::DrawOverPanel(TCanvas* C)
{
    if (!HasGrip()) return;
    const TRect grip = GripRect();
    if (IsEmptyRect(grip)) return;
    if (HasGripperPicture()) {
        const TRect dest = Rect(grip.Left, grip.Top, grip.Left + FGripperRect.Width(), grip.Top + FGripperRect.Height());
        if (FGripperTransparent)
            C->BrushCopy(dest, FPicture, FGripperRect, FGripperTransparentColor);
        else
            C->CopyRect(dest, FPicture->Canvas(), FGripperRect);
        return;
    }
    TColor shadow = clBtnShadow;
    TColor light = clBtnHighlight;
    if (SkinIndex() != -1 && SkinData()->SkinColors) {
        shadow = SkinData()->SkinColors->cBtnShadow;
        light = SkinData()->SkinColors->cBtnHighLight;
    }
    // Pairs of diagonals every 3 pixels, each from the bottom edge up to the right edge: a shadow line
    // and a light one beside it, the classic ridged corner.
    const int side = std::min(grip.Width(), grip.Height());
    auto diagonal = [&](int d, TColor colour) {
        for (int j = 0; j <= d; ++j) C->SetPixels(grip.Right - 1 - d + j, grip.Bottom - 1 - j, colour);
    };
    for (int d = 1; d + 1 < side; d += 3) {
        diagonal(d, shadow);
        diagonal(d + 1, light);
    }
}
