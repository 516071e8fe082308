#include "platform/vcl/TBevel.h"

#include "platform/gfx/Drawing.h"
#include "platform/vcl/TypInfo.h"
#include "platform/vcl/VclClasses.h"

TBevel::TBevel(TComponent* AOwner) : TGraphicControl(AOwner)
{
    FControlStyle.Include(csReplicatable);
    FWidth = 50;
    FHeight = 50;
}

void TBevel::SetShape(TBevelShape Value)
{
    if (Value == FShape) return;
    FShape = Value;
    Invalidate();
}

void TBevel::SetStyle(TBevelStyle Value)
{
    if (Value == FStyle) return;
    FStyle = Value;
    Invalidate();
}

void TBevel::Paint()
{
    HDC dc = Canvas()->Handle();
    const TColor first = FStyle == bsLowered ? clBtnShadow : clBtnHighlight;
    const TColor second = FStyle == bsLowered ? clBtnHighlight : clBtnShadow;
    auto line = [&](TColor c, int x1, int y1, int x2, int y2) {
        Canvas()->Pen()->SetColor(c);
        Canvas()->MoveTo(x1, y1);
        Canvas()->LineTo(x2, y2);
    };
    const int w = FWidth, h = FHeight;
    switch (FShape) {
    case bsBox: {
        TRect r = ClientRect();
        Frame3D(dc, r, first, second, 1);
        break;
    }
    case bsFrame: {
        // Two rings: the groove (or ridge) of an etched frame.
        TRect outer = Rect(0, 0, w - 1, h - 1);
        Frame3D(dc, outer, first, first, 1);
        TRect inner = Rect(1, 1, w, h);
        Frame3D(dc, inner, second, second, 1);
        break;
    }
    case bsTopLine:
        line(first, 0, 0, w, 0);
        line(second, 0, 1, w, 1);
        break;
    case bsBottomLine:
        line(first, 0, h - 2, w, h - 2);
        line(second, 0, h - 1, w, h - 1);
        break;
    case bsLeftLine:
        line(first, 0, 0, 0, h);
        line(second, 1, 0, 1, h);
        break;
    case bsRightLine:
        line(first, w - 2, 0, w - 2, h);
        line(second, w - 1, 0, w - 1, h);
        break;
    case bsSpacer: break;
    }
}

void RegisterBevelClasses()
{
    static const bool done = [] {
        RegisterFormClasses();
        RegisterEnum<TBevelStyle>({"bsLowered", "bsRaised"});
        RegisterEnum<TBevelShape>({"bsBox", "bsFrame", "bsTopLine", "bsBottomLine", "bsLeftLine", "bsRightLine", "bsSpacer"});
        RegisterClass<TBevel, TGraphicControl>("TBevel").Prop("Shape", &TBevel::Shape, &TBevel::SetShape, bsBox).Prop("Style", &TBevel::Style, &TBevel::SetStyle, bsLowered);
        return true;
    }();
    (void)done;
}
