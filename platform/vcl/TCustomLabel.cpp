#include "platform/vcl/TCustomLabel.h"

#include "platform/gfx/Text.h"
#include "platform/vcl/TypInfo.h"
#include "platform/vcl/VclClasses.h"

TCustomLabel::TCustomLabel(TComponent* AOwner) : TGraphicControl(AOwner)
{
    FControlStyle = {csCaptureMouse, csClickEvents, csSetCaption, csOpaque, csReplicatable, csDoubleClicks};
    FWidth = 65;
    FHeight = 17;
    FAutoSize = true;
    FParentColor = true;
}

void TCustomLabel::SetAlignment(TAlignment Value)
{
    if (Value == FAlignment) return;
    FAlignment = Value;
    Invalidate();
}

void TCustomLabel::SetLayout(TTextLayout Value)
{
    if (Value == FLayout) return;
    FLayout = Value;
    Invalidate();
}

void TCustomLabel::SetWordWrap(bool Value)
{
    if (Value == FWordWrap) return;
    FWordWrap = Value;
    AdjustSize();
    Invalidate();
}

void TCustomLabel::SetTransparent(bool Value)
{
    if (Value == FTransparent) return;
    FTransparent = Value;
    if (Value)
        FControlStyle.Exclude(csOpaque);
    else
        FControlStyle.Include(csOpaque);
    Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool Value)
{
    if (Value == FShowAccelChar) return;
    FShowAccelChar = Value;
    AdjustSize();
    Invalidate();
}

void TCustomLabel::SetFocusControl(TWinControl* Value)
{
    if (Value == FFocusControl) return;
    FFocusControl = Value;
}

void TCustomLabel::SetAutoSize(bool Value)
{
    TGraphicControl::SetAutoSize(Value);
}


UINT TCustomLabel::DrawTextFlags() const
{
    UINT flags = DT_EXPANDTABS;
    flags |= FAlignment == taLeftJustify ? DT_LEFT : FAlignment == taRightJustify ? DT_RIGHT : DT_CENTER;
    if (FWordWrap) flags |= DT_WORDBREAK;
    if (!FShowAccelChar) flags |= DT_NOPREFIX;
    return flags;
}

bool TCustomLabel::CanAutoSize(int& NewWidth, int& NewHeight)
{
    // Measure on a scratch DC: the label may have no parent window yet.
    HDC dc = CreateCompatibleDC(nullptr);
    TFont font;
    font.Assign(FFont);
    HFONT old = SelectObject(dc, font.Handle());
    TRect r = Rect(0, 0, FWordWrap ? FWidth : 0, 0);
    std::string text = FText.empty() ? std::string(" ") : FText;
    DrawText(dc, text, r, DrawTextFlags() | DT_CALCRECT);
    SelectObject(dc, old);
    DeleteDC(dc);
    NewWidth = FWordWrap ? FWidth : r.Width();
    NewHeight = r.Height();
    return true;
}

void TCustomLabel::Paint()
{
    TCanvas* c = Canvas();
    TRect r = ClientRect();
    if (!FTransparent) {
        c->Brush()->SetColor(FColor);
        c->FillRect(r);
    }
    c->Brush()->SetStyle(bsClear);
    c->Font()->Assign(FFont);
    if (!FEnabled) c->Font()->SetColor(clGrayText);
    UINT flags = DrawTextFlags();
    if (FLayout != tlTop) {
        TRect calc = r;
        c->TextRect(calc, FText, flags | DT_CALCRECT);
        const int h = calc.Height();
        const int dy = FLayout == tlBottom ? r.Height() - h : (r.Height() - h) / 2;
        r.Top += dy;
    }
    c->TextRect(r, FText, flags);
}

void TCustomLabel::WndProc(TMessage& Message)
{
    if (Message.Msg == CM_DIALOGCHAR && FShowAccelChar && FFocusControl != nullptr && FEnabled) {
        // Alt + the underlined letter focuses the control the label names.
        const std::string& t = FText;
        for (size_t i = 0; i + 1 < t.size(); ++i) {
            if (t[i] == '&' && t[i + 1] != '&' && std::toupper(static_cast<unsigned char>(t[i + 1])) == static_cast<int>(std::toupper(static_cast<int>(Message.WParam)))) {
                if (FFocusControl->CanFocus()) FFocusControl->SetFocus();
                Message.Result = 1;
                return;
            }
            if (t[i] == '&') ++i;
        }
        return;
    }
    TGraphicControl::WndProc(Message);
}

void RegisterLabelClasses()
{
    static const bool done = [] {
        RegisterFormClasses();
        RegisterClass<TCustomLabel, TGraphicControl>("TCustomLabel")
            .Prop("Alignment", &TCustomLabel::Alignment, &TCustomLabel::SetAlignment, taLeftJustify)
            .Prop("AutoSize", &TCustomLabel::AutoSize, &TCustomLabel::SetAutoSize, true)
            .Prop("FocusControl", &TCustomLabel::FocusControl, &TCustomLabel::SetFocusControl)
            .Prop("Layout", &TCustomLabel::Layout, &TCustomLabel::SetLayout, tlTop)
            .Prop("ShowAccelChar", &TCustomLabel::ShowAccelChar, &TCustomLabel::SetShowAccelChar, true)
            .Prop("Transparent", &TCustomLabel::Transparent, &TCustomLabel::SetTransparent, false)
            .Prop("WordWrap", &TCustomLabel::WordWrap, &TCustomLabel::SetWordWrap, false)
            .Ignored({"EllipsisPosition", "GlowSize"});
        RegisterClass<TLabel, TCustomLabel>("TLabel");
        return true;
    }();
    (void)done;
}
