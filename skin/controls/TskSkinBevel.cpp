#include "skin/controls/TskSkinBevel.h"
#include "skin/controls/TskSkinToolBar.h"

#include "skin/controls/TskSkinControl.h"
#include "skin/data/SkinDrawUtils.h"
#include "skin/data/TskDataSkinScrollBarControl.h"
#include "skin/data/TskSkinData.h"

TskSkinBevel::TskSkinBevel(TComponent* AOwner) : TBevel(AOwner) {}

void TskSkinBevel::SetSkinData(TskSkinData* Value)
{
    FSkinLink.SetData(Value);
    RefreshBevelSkin();
}

void TskSkinBevel::SetDividerMode(bool Value)
{
    if (Value == FDividerMode) return;
    FDividerMode = Value;
    Repaint();
}

void TskSkinBevel::SkinGone()
{
    FLightColor = clBtnHighlight;
    FDarkColor = clBtnShadow;
}

void TskSkinBevel::RefreshBevelSkin()
{
    FLightColor = clBtnHighlight;
    FDarkColor = clBtnShadow;
    if (auto* e = FSkinLink.EntryAs<TskDataSkinBevel>(FSkinLink.Locate())) {
        FLightColor = e->LightColor;
        FDarkColor = e->DarkColor;
    }
    Repaint();
}

void TskSkinBevel::Paint()
{
    TCanvas* c = Canvas();
    const int w = Width();
    const int h = Height();
    if (Shape() == bsSpacer) {
        if (ComponentState().Contains(csDesigning)) {
            c->Pen()->SetStyle(psDot);
            c->Pen()->SetColor(clBlack);
            c->Brush()->SetStyle(bsClear);
            c->Rectangle(0, 0, w, h);
        }
        return;
    }
    const TColor first = Style() == bsLowered ? FDarkColor : FLightColor;
    const TColor second = Style() == bsLowered ? FLightColor : FDarkColor;
    if (FDividerMode) {
        // The groove runs from 2 pixels in to 2 pixels before the far edge, both ends drawn.
        TRect r = Rect(0, 0, w, h);
        if (Shape() == bsTopLine || Shape() == bsBottomLine)
            r = Rect(2, h / 2 - 1, w - 1, h / 2 + 1);
        else if (Shape() == bsLeftLine || Shape() == bsRightLine)
            r = Rect(w / 2 - 1, 2, w / 2 + 1, h - 1);
        DrawFrame3D(c, r, first, second);
        return;
    }
    auto line = [c](TColor col, int x1, int y1, int x2, int y2) {
        c->Pen()->SetColor(col);
        c->MoveTo(x1, y1);
        c->LineTo(x2, y2);
    };
    switch (Shape()) {
    case bsBox:
        DrawFrame3D(c, Rect(0, 0, w, h), first, second);
        break;
    case bsFrame:
        DrawFrame3D(c, Rect(0, 0, w - 1, h - 1), first, first);
        DrawFrame3D(c, Rect(1, 1, w, h), second, second);
        break;
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
    case bsSpacer:
        break;
    }
}

void TskSkinBevel::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    if (auto* bar = dynamic_cast<TskSkinToolBar*>(Parent())) ATop = bar->CentredTop(AHeight);
    TBevel::SetBounds(ALeft, ATop, AWidth, AHeight);
}
