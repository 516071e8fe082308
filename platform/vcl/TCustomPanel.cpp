#include "platform/vcl/TCustomPanel.h"

#include "platform/gfx/Drawing.h"
#include "platform/gfx/Text.h"
#include "platform/vcl/TypInfo.h"
#include "platform/vcl/VclClasses.h"

TCustomPanel::TCustomPanel(TComponent* AOwner) : TCustomControl(AOwner)
{
    FControlStyle = {csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csOpaque, csDoubleClicks, csReplicatable};
    FWidth = 185;
    FHeight = 41;
    FColor = clBtnFace;
}

void TCustomPanel::SetBevelInner(TBevelCut Value)
{
    if (Value == FBevelInner) return;
    FBevelInner = Value;
    Realign();
    Invalidate();
}

void TCustomPanel::SetBevelOuter(TBevelCut Value)
{
    if (Value == FBevelOuter) return;
    FBevelOuter = Value;
    Realign();
    Invalidate();
}

void TCustomPanel::SetBevelWidth(int Value)
{
    if (Value == FBevelWidth || Value < 1) return;
    FBevelWidth = Value;
    Realign();
    Invalidate();
}

void TCustomPanel::SetBorderStyleValue(int Value)
{
    const bool single = Value != 0;
    if (single == FBorderSingle) return;
    FBorderSingle = single;
    Realign();
    Invalidate();
}

void TCustomPanel::SetAlignment(TAlignment Value)
{
    if (Value == FAlignment) return;
    FAlignment = Value;
    Invalidate();
}

int TCustomPanel::FrameWidth() const
{
    int w = FBorderSingle ? 1 : 0;
    if (FBevelOuter != TBevelCut::bvNone) w += FBevelWidth;
    if (FBevelInner != TBevelCut::bvNone) w += FBevelWidth;
    return w + FBorderWidth;
}

void TCustomPanel::AdjustClientRect(TRect& Rect)
{
    const int w = FrameWidth();
    InflateRect(Rect, -w, -w);
}

void TCustomPanel::WndProc(TMessage& Message)
{
    TCustomControl::WndProc(Message);
    if (Message.Msg == CM_TEXTCHANGED) Invalidate();
}

void TCustomPanel::Paint()
{
    HDC dc = Canvas()->Handle();
    TRect r = ClientRect();
    // Border, bevels, face, caption.
    if (FBorderSingle) Frame3D(dc, r, clWindowFrame, clWindowFrame, 1);
    auto bevel = [&](TBevelCut cut) {
        if (cut == TBevelCut::bvNone) return;
        if (cut == TBevelCut::bvSpace) {
            Frame3D(dc, r, FColor, FColor, FBevelWidth);
            return;
        }
        const TColor top = cut == TBevelCut::bvLowered ? clBtnShadow : clBtnHighlight;
        const TColor bottom = cut == TBevelCut::bvLowered ? clBtnHighlight : clBtnShadow;
        Frame3D(dc, r, top, bottom, FBevelWidth);
    };
    bevel(FBevelOuter);
    InflateRect(r, -FBorderWidth, -FBorderWidth);
    bevel(FBevelInner);
    Canvas()->Brush()->SetColor(FColor);
    Canvas()->FillRect(r);
    if (!FText.empty()) {
        Canvas()->Font()->Assign(FFont);
        Canvas()->Brush()->SetStyle(bsClear);
        UINT flags = DT_SINGLELINE | DT_VCENTER;
        flags |= FAlignment == taLeftJustify ? DT_LEFT : FAlignment == taRightJustify ? DT_RIGHT : DT_CENTER;
        Canvas()->TextRect(r, FText, flags);
    }
}

void RegisterPanelClasses()
{
    static const bool done = [] {
        RegisterWinControlClasses();
        RegisterEnum<TBevelCut>({"bvNone", "bvLowered", "bvRaised", "bvSpace"});
        RegisterIntegerIdent("bsNone", 0);
        RegisterIntegerIdent("bsSingle", 1);
        RegisterClass<TCustomPanel, TCustomControl>("TCustomPanel")
            .Prop("Alignment", &TCustomPanel::Alignment, &TCustomPanel::SetAlignment, taCenter)
            .Prop("BevelInner", &TCustomPanel::BevelInner, &TCustomPanel::SetBevelInner, TBevelCut::bvNone)
            .Prop("BevelOuter", &TCustomPanel::BevelOuter, &TCustomPanel::SetBevelOuter, TBevelCut::bvRaised)
            .Prop("BevelWidth", &TCustomPanel::BevelWidth, &TCustomPanel::SetBevelWidth, 1)
            .Prop("BorderStyle", &TCustomPanel::BorderStyleValue, &TCustomPanel::SetBorderStyleValue, 0)
            .Prop("FullRepaint", &TCustomPanel::FullRepaint, &TCustomPanel::SetFullRepaint, true)
            .Ignored({"ParentBackground", "Locked", "BevelKind", "BevelEdges"});
        RegisterClass<TPanel, TCustomPanel>("TPanel");
        return true;
    }();
    (void)done;
}
