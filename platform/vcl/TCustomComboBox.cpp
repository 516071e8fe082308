#include "platform/vcl/TCustomComboBox.h"

#include <algorithm>

#include "platform/gfx/Drawing.h"
#include "platform/gfx/Text.h"
#include "platform/vcl/TypInfo.h"
#include "platform/vcl/VclClasses.h"

TCustomComboBox::TCustomComboBox(TComponent* AOwner) : TCustomControl(AOwner), FItems(new TStringList)
{
    FControlStyle = {csCaptureMouse, csSetCaption, csDoubleClicks, csOpaque};
    FWidth = 145;
    FHeight = 21;
    FTabStop = true;
    FColor = clWindow;
    FItems->OnChange = [this](TStrings*) { ItemsChanged(); };
}

TCustomComboBox::~TCustomComboBox() { delete FItems; }

void TCustomComboBox::ItemsChanged()
{
    // The selection stays with its item when others come or go, and goes with it.
    if (FItemIndex >= 0 && (FItemIndex >= FItems->Count() || FItems->Strings(FItemIndex) != FText)) FItemIndex = FItems->IndexOf(FText);
    Invalidate();
}

void TCustomComboBox::Clear()
{
    FItems->Clear();
    FItemIndex = -1;
    TControl::SetText("");
}

void TCustomComboBox::SetItemIndex(int Value)
{
    if (ComponentState().Contains(csLoading)) FLoadedIndex = Value;
    if (Value < -1 || Value >= FItems->Count()) Value = -1;
    if (Value == FItemIndex) return;
    FItemIndex = Value;
    FText = Value >= 0 ? FItems->Strings(Value) : std::string();
    Invalidate();
}

void TCustomComboBox::Loaded()
{
    TCustomControl::Loaded();
    if (FLoadedIndex >= -1) SetItemIndex(FLoadedIndex);
    FLoadedIndex = -2;
}

void TCustomComboBox::SetTextValue(const std::string& Value)
{
    FText = Value;
    // A text that is an item selects it; any other text leaves no item selected.
    FItemIndex = FItems->IndexOf(Value);
    Invalidate();
    Change();
}

void TCustomComboBox::SetStyle(TComboBoxStyle Value)
{
    if (Value == FStyle) return;
    FStyle = Value;
    Invalidate();
}

void TCustomComboBox::SetDroppedDown(bool Value)
{
    if (Value == FDroppedDown) return;
    FDroppedDown = Value;
    if (Value) {
        if (OnDropDown) OnDropDown(this);
    } else if (OnCloseUp) {
        OnCloseUp(this);
    }
    Invalidate();
}

void TCustomComboBox::Change()
{
    if (OnChange && !ComponentState().Contains(csLoading)) OnChange(this);
}

void TCustomComboBox::Select(int Index)
{
    if (Index < 0 || Index >= FItems->Count() || Index == FItemIndex) return;
    FItemIndex = Index;
    FText = FItems->Strings(Index);
    Invalidate();
    Change();
    if (OnSelect) OnSelect(this);
    Click();
}

void TCustomComboBox::DefaultHandler(TMessage& Message)
{
    if (Message.Msg == WM_KEYDOWN) {
        const int n = FItems->Count();
        switch (static_cast<WORD>(Message.WParam)) {
        case VK_UP: Select(std::max(0, FItemIndex - 1)); return;
        case VK_DOWN: Select(std::min(n - 1, FItemIndex + 1)); return;
        case VK_HOME: Select(0); return;
        case VK_END: Select(n - 1); return;
        case VK_F4: SetDroppedDown(!FDroppedDown); return;
        default: break;
        }
    }
    TCustomControl::DefaultHandler(Message);
}

void TCustomComboBox::WndProc(TMessage& Message)
{
    if (Message.Msg == WM_GETDLGCODE) {
        Message.Result = DLGC_WANTARROWS;
        return;
    }
    if (Message.Msg == WM_KILLFOCUS || Message.Msg == CM_CANCELMODE) SetDroppedDown(false);
    TCustomControl::WndProc(Message);
}

void TCustomComboBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (Button == mbLeft) {
        if (CanFocus() && !Focused()) SetFocus();
        SetDroppedDown(!FDroppedDown);
    }
    TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TCustomComboBox::Paint()
{
    TCanvas* c = Canvas();
    HDC dc = c->Handle();
    TRect r = ClientRect();
    TRect edge = r;
    DrawEdge(dc, edge, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    c->Brush()->SetColor(FColor);
    c->FillRect(edge);
    // The arrow button at the right, then the text.
    const int bw = std::min(edge.Width(), 17);
    TRect button = Rect(edge.Right - bw, edge.Top, edge.Right, edge.Bottom);
    c->Brush()->SetColor(clBtnFace);
    c->FillRect(button);
    TRect be = button;
    DrawEdge(dc, be, FDroppedDown ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    const int cx = (button.Left + button.Right) / 2, cy = (button.Top + button.Bottom) / 2;
    c->Pen()->SetColor(FEnabled ? clBtnText : clBtnShadow);
    for (int i = 0; i < 4; ++i) {
        c->MoveTo(cx - 3 + i, cy - 1 + i);
        c->LineTo(cx + 4 - i, cy - 1 + i);
    }
    TRect text = Rect(edge.Left + 2, edge.Top, button.Left - 1, edge.Bottom);
    c->Font()->Assign(FFont);
    if (!FEnabled) c->Font()->SetColor(clGrayText);
    c->Brush()->SetStyle(bsClear);
    c->TextRect(text, FText, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    if (Focused()) {
        TRect f = text;
        InflateRect(f, 0, -1);
        c->DrawFocusRect(f);
    }
}

void RegisterComboBoxClasses()
{
    static const bool done = [] {
        RegisterFormClasses();
        RegisterClass<TCustomComboBox, TCustomControl>("TCustomComboBox")
            .Prop("CharCase", &TCustomComboBox::CharCase, &TCustomComboBox::SetCharCase, ecNormal)
            .Prop("DropDownCount", &TCustomComboBox::DropDownCount, &TCustomComboBox::SetDropDownCount, 8)
            .Prop("ItemHeight", &TCustomComboBox::ItemHeight, &TCustomComboBox::SetItemHeight, 16)
            .Prop("Items", &TCustomComboBox::Items)
            .Prop("ItemIndex", &TCustomComboBox::ItemIndex, &TCustomComboBox::SetItemIndex, -1)
            .Prop("MaxLength", &TCustomComboBox::MaxLength, &TCustomComboBox::SetMaxLength, 0)
            .Prop("Sorted", &TCustomComboBox::Sorted, &TCustomComboBox::SetSorted, false)
            .Prop("Style", &TCustomComboBox::Style, &TCustomComboBox::SetStyle, csDropDown)
            .Event("OnChange", &TCustomComboBox::OnChange)
            .Event("OnSelect", &TCustomComboBox::OnSelect)
            .Event("OnDropDown", &TCustomComboBox::OnDropDown)
            .Event("OnCloseUp", &TCustomComboBox::OnCloseUp)
            .Ignored({"AutoComplete", "AutoDropDown", "AutoCloseUp", "BevelEdges", "BevelInner", "BevelKind", "BevelOuter", "OnDrawItem", "OnMeasureItem"});
        RegisterClass<TComboBox, TCustomComboBox>("TComboBox");
        return true;
    }();
    (void)done;
}
