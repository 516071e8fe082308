#include "skin/controls/TskSkinStdLabel.h"

#include "platform/gfx/Text.h"
#include "skin/controls/TskSkinControl.h"
#include "skin/data/SkinEntryFont.h"
#include "skin/data/TskDataSkinEditControl.h"
#include "skin/data/TskSkinData.h"

TskSkinStdLabel::TskSkinStdLabel(TComponent* AOwner) : TCustomLabel(AOwner), FDefaultFont(new TFont)
{
    SetTransparent(true);
}

TskSkinStdLabel::~TskSkinStdLabel() { delete FDefaultFont; }

void TskSkinStdLabel::SetSkinData(TskSkinData* Value)
{
    FSkinLink.SetData(Value);
    if (Value == nullptr) return;
    RefreshStdLabelSkin();
}

void TskSkinStdLabel::SetEllipsType(TskEllipsType Value)
{
    if (FEllipsType == Value) return;
    FEllipsType = Value;
    Invalidate();
}

void TskSkinStdLabel::FindEntry()
{
    auto* entry = FSkinLink.EntryAs<TskDataSkinStdLabelControl>(FSkinLink.Locate());
    if (entry == nullptr) return;
    FFontName = entry->FontName;
    FFontStyle = entry->FontStyle;
    FFontHeight = entry->FontHeight;
    FFontColor = entry->FontColor;
}

void TskSkinStdLabel::RefreshStdLabelSkin()
{
    FindEntry();
    if (AutoSize()) AdjustSize();
    Repaint();
}

void TskSkinStdLabel::SelectTextFont(TCanvas* C)
{
    const TskEntryFont face(FFontName, FFontHeight, FFontStyle);
    const bool skinned = FSkinLink.Index() != -1;
    // Unskinned, a label meant to wear the skin's font wears its default one instead.
    TFont* base = !skinned && FUseSkinFont ? FDefaultFont : Font();
    SelectEntryFont(C->Font(), base, skinned && FUseSkinFont ? &face : nullptr, SkinData(), FDefaultFont->Charset());
    if (skinned) C->Font()->SetColor(FUseSkinColor ? FFontColor : Font()->Color());
}

namespace {
const std::string kBlank = " ";
}

void TskSkinStdLabel::DoDrawText(TCanvas* C, TRect& R, UINT Flags)
{
    FindEntry();
    const bool measuring = (Flags & DT_CALCRECT) != 0;
    const std::string caption = Caption();
    // An empty caption still measures one line high.
    const bool blank = measuring && (caption.empty() || (ShowAccelChar() && caption == "&"));
    const std::string& text = blank ? kBlank : caption;
    if (!ShowAccelChar()) Flags |= DT_NOPREFIX;
    if (FEllipsType == sketEndEllips) Flags |= DT_END_ELLIPSIS;
    if (FEllipsType == sketPathEllips) Flags |= DT_PATH_ELLIPSIS;
    SelectTextFont(C);
    C->Brush()->SetStyle(bsClear);
    if (measuring || Enabled()) {
        C->TextRect(R, text, Flags);
        return;
    }
    // Disabled: embossed, a light copy one pixel down-right under the shadow-coloured text.
    TskSkinColors* colors = FSkinLink.Index() != -1 && SkinData()->SkinColors ? SkinData()->SkinColors.get() : nullptr;
    TRect shifted = R;
    OffsetRect(shifted, 1, 1);
    C->Font()->SetColor(colors != nullptr ? colors->cBtnHighLight : clBtnHighlight);
    C->TextRect(shifted, text, Flags);
    C->Font()->SetColor(colors != nullptr ? colors->cBtnShadow : clBtnShadow);
    C->TextRect(R, text, Flags);
}

bool TskSkinStdLabel::CanAutoSize(int& NewWidth, int& NewHeight)
{
    TBitmap scratch(1, 1);
    TRect r = Rect(0, 0, WordWrap() ? Width() : 0, 0);
    DoDrawText(scratch.Canvas(), r, DrawTextFlags() | DT_CALCRECT);
    NewWidth = WordWrap() ? Width() : r.Width();
    NewHeight = r.Height();
    return true;
}

void TskSkinStdLabel::Paint()
{
    TCanvas* c = Canvas();
    TRect r = ClientRect();
    if (!Transparent()) {
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(Color());
        c->FillRect(r);
    }
    const UINT flags = DrawTextFlags() | (WordWrap() ? 0u : static_cast<UINT>(DT_SINGLELINE));
    if (Layout() != tlTop) {
        TRect calc = r;
        DoDrawText(c, calc, flags | DT_CALCRECT);
        r.Top += Layout() == tlBottom ? r.Height() - calc.Height() : (r.Height() - calc.Height()) / 2;
    }
    DoDrawText(c, r, flags);
}
