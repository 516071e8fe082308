#include "skin/form/TskSkinMessage.h"

#include <algorithm>

#include "platform/vcl/Graphics.h"
#include "platform/vcl/TApplication.h"
#include "platform/vcl/TBitmap.h"
#include "platform/vcl/TCanvas.h"
#include "platform/vcl/TImage.h"
#include "platform/vcl/TypInfo.h"
#include "platform/win/Input.h"
#include "skin/controls/TskSkinButton.h"
#include "skin/controls/TskSkinCheckRadioBox.h"
#include "skin/controls/TskSkinStdLabel.h"
#include "skin/data/SkinStrings.h"
#include "skin/data/SkinEntryFont.h"
#include "skin/data/TskDataSkinButtonControl.h"
#include "skin/data/TskResourceStrData.h"
#include "skin/data/TskSkinData.h"
#include "skin/form/TskFormFrame.h"

namespace {

struct TMessageButtonDef {
    const char* Name;
    const char* Key;
    const char* FallBack;
    int Result;
};

// In the order the buttons stand in the row.
constexpr TMessageButtonDef ButtonDefs[] = {
    {"Yes", "MSG_BTN_YES", "&Yes", mrYes},
    {"No", "MSG_BTN_NO", "&No", mrNo},
    {"OK", "MSG_BTN_OK", "OK", mrOk},
    {"Cancel", "MSG_BTN_CANCEL", "Cancel", mrCancel},
    {"Abort", "MSG_BTN_ABORT", "&Abort", mrAbort},
    {"Retry", "MSG_BTN_RETRY", "&Retry", mrRetry},
    {"Ignore", "MSG_BTN_IGNORE", "&Ignore", mrIgnore},
    {"All", "MSG_BTN_ALL", "&All", mrAll},
    {"NoToAll", "MSG_BTN_NOTOALL", "N&oToAll", mrNoToAll},
    {"YesToAll", "MSG_BTN_YESTOALL", "&YesToAll", mrYesToAll},
    {"Help", "MSG_BTN_HELP", "&Help", mrNone},
};

struct TMessageKindDef {
    const char* Key;
    const char* FallBack;
};

constexpr TMessageKindDef KindDefs[] = {
    {"MSG_CAP_WARNING", "Warning"},
    {"MSG_CAP_ERROR", "Error"},
    {"MSG_CAP_INFORMATION", "Information"},
    {"MSG_CAP_CONFIRM", "Confirm"},
};

constexpr int LabelLeft = 50;
constexpr int LabelTop = 15;

// A text of the skin's string data, else the fall-back. A skin whose string data lacks the name (or
// leaves it empty) would otherwise give a blank button or caption.
std::string MessageText(TskSkinData* Skin, const char* Key, const char* FallBack)
{
    if (Skin != nullptr && Skin->ResourceStrData() != nullptr) {
        std::string s = Skin->ResourceStrData()->LookupResString(Key);
        if (!s.empty()) return s;
    }
    return FallBack;
}

// The skin's button entry of that name, or nil.
TskDataSkinButtonControl* ButtonEntry(TskSkinData* Skin, const std::string& Name)
{
    if (Skin == nullptr || Skin->SkinEmpty) return nullptr;
    const int i = Skin->FindControlIndex(Name);
    if (i < 0) return nullptr;
    return dynamic_cast<TskDataSkinButtonControl*>(Skin->ControlDataList[static_cast<size_t>(i)].get());
}

// The system icons of the four kinds, painted: an exclamation triangle, a red stop disc, a blue "i"
// disc and a blue "?" disc, on a transparent (fuchsia) ground.
void PaintKindIcon(TBitmap* B, TMsgDlgType Kind)
{
    constexpr TColor Ground = 0x00FF00FF;
    B->SetSize(32, 32);
    TCanvas* c = B->Canvas();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(Ground);
    c->FillRect(Rect(0, 0, 32, 32));
    c->Pen()->SetColor(clBlack);
    std::string mark;
    TColor markColor = clWhite;
    switch (Kind) {
    case mtWarning:
        c->Brush()->SetColor(0x0000D7FF); // amber
        c->Polygon({Point(16, 1), Point(31, 30), Point(1, 30)});
        mark = "!";
        markColor = clBlack;
        break;
    case mtError:
        c->Brush()->SetColor(0x000000D0);
        c->Ellipse(1, 1, 31, 31);
        mark = "X";
        break;
    case mtInformation:
        c->Brush()->SetColor(0x00D06000);
        c->Ellipse(1, 1, 31, 31);
        mark = "i";
        break;
    default:
        c->Brush()->SetColor(0x00D06000);
        c->Ellipse(1, 1, 31, 31);
        mark = "?";
        break;
    }
    c->Brush()->SetStyle(bsClear);
    c->Font()->SetName("Arial");
    c->Font()->SetHeight(20);
    c->Font()->SetStyle(TFontStyles{fsBold});
    c->Font()->SetColor(markColor);
    const TSize ts = c->TextExtent(mark);
    c->TextOut((32 - ts.cx) / 2, Kind == mtWarning ? 30 - ts.cy : (32 - ts.cy) / 2, mark);
    B->SetTransparentColor(Ground);
    B->SetTransparent(true);
}

// Width of Text drawn in Base's font, or in Face.
int MeasureText(const std::string& Text, TFont* Base, const TskEntryFont* Face)
{
    TBitmap b;
    b.SetSize(1, 1);
    TFont* font = b.Canvas()->Font();
    SelectEntryFont(font, Base, Face, nullptr, font->Charset());
    return b.Canvas()->TextWidth(Text);
}

} // namespace

// ---- TskMessageForm

TskMessageForm::TskMessageForm(TComponent* AOwner, int X, int Y) : TForm(AOwner)
{
    SetBorderStyle(bsDialog);
    SetKeyPreview(true);
    if (X >= -10000) {
        SetPosition(poDesigned);
        SetBounds(X, Y, Width(), Height());
    } else {
        SetPosition(poScreenCenter);
    }
    FFrame = new TskFormFrame(this);
    FFrame->SetBorderIcons(TskBorderIcons{});
    FFrame->SetSizeable(false);
}

void TskMessageForm::KeyDown(WORD& Key, TShiftState Shift)
{
    TForm::KeyDown(Key, Shift);
    // A box without a cancel button (none chosen, or only Help) would otherwise have no way out: the
    // frame shows no close button. Escape then closes it as cancelled.
    if (Key != VK_ESCAPE || !Shift.Empty()) return;
    for (int i = 0; i < ComponentCount(); ++i)
        if (auto* b = dynamic_cast<TskSkinButton*>(Components(i)); b != nullptr && b->Cancel()) return;
    Key = 0;
    SetModalResult(mrCancel);
}

// ---- building the box

TskMessageForm* CreateSkinMessageDialog(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int X, int Y,
                                        bool ShowAgainFlagValue, bool ShowAgainFlag, BYTE AlphaBlendValue,
                                        bool AlphaBlendAnimation, bool AlphaBlend, bool UseSkinFont, TFont* ButtonFont,
                                        TFont* LabelFont, const std::string& MessageLabelSkinDataName,
                                        const std::string& ButtonSkinDataName, TskSkinData* CtrlSkinData,
                                        TskSkinData* SkinData)
{
    auto* form = new TskMessageForm(Application, X, Y);
    try {
        TskFormFrame* frame = form->FFrame;
        frame->SetSkinData(SkinData);
        frame->SetMenusSkinData(CtrlSkinData);
        frame->SetAlphaBlend(AlphaBlend);
        frame->SetAlphaBlendAnimation(AlphaBlendAnimation);
        frame->SetAlphaBlendValue(AlphaBlendValue);

        int buttonHeight = MessageButtonHeight;
        if (TskDataSkinButtonControl* e = ButtonEntry(CtrlSkinData, ButtonSkinDataName); e != nullptr && e->SkinRect.Height() > 0)
            buttonHeight = e->SkinRect.Height();
        int count = 0;
        for (int i = 0; i <= mbHelp; ++i)
            if (Buttons.Contains(static_cast<TMsgDlgBtn>(i))) ++count;
        const int rowWidth = count > 0 ? MessageButtonWidth * count + MessageButtonGap * (count - 1) : 0;

        if (DlgType >= mtWarning && DlgType < mtCustom)
            form->SetCaption(MessageText(CtrlSkinData, KindDefs[DlgType].Key, KindDefs[DlgType].FallBack));
        else
            form->SetCaption(Application->Title());

        auto* label = new TskSkinStdLabel(form);
        label->SetName("Message");
        label->SetParent(form);
        if (LabelFont != nullptr) {
            label->Font()->Assign(LabelFont);
            label->SetDefaultFont(LabelFont);
        }
        label->SetUseSkinFont(UseSkinFont);
        label->SetSkinDataName(MessageLabelSkinDataName);
        label->SetSkinData(CtrlSkinData);
        label->SetAutoSize(true);
        label->SetCaption(Msg);
        label->SetLeft(LabelLeft);
        label->SetTop(LabelTop);
        form->FMessageLabel = label;

        int textRight = label->Left() + label->Width();
        int clientHeight = buttonHeight + 50 + label->Height();
        int clientWidth = std::max(rowWidth, textRight) + 40;

        // A text wider than the frame allows is wrapped inside it: cutting the form alone would hide the
        // end of the message.
        const int maxWidth = frame->GetMaxWidth();
        const int ncWidth = form->Width() - form->ClientWidth();
        if (clientWidth + ncWidth > maxWidth) {
            const int room = std::max(40, maxWidth - ncWidth - 40 - LabelLeft);
            label->SetAutoSize(false);
            label->SetWordWrap(true);
            label->SetWidth(room);
            label->SetAutoSize(true);
            textRight = label->Left() + label->Width();
            clientHeight = buttonHeight + 50 + label->Height();
            clientWidth = std::max(rowWidth, textRight) + 40;
        }

        if (DlgType >= mtWarning && DlgType < mtCustom) {
            auto* icon = new TImage(form);
            icon->SetName("Image");
            icon->SetParent(form);
            PaintKindIcon(icon->Picture()->Bitmap(), DlgType);
            icon->SetBounds(5, std::max(10, label->Top() + label->Height() / 2 - 16), 32, 32);
            form->FIcon = icon;
        }

        if (ShowAgainFlag) {
            clientHeight += 40;
            auto* check = new TskSkinCheckRadioBox(form);
            check->SetName("checkbox");
            check->SetParent(form);
            check->SetDefaultHeight(30);
            check->SetChecked(!ShowAgainFlagValue);
            if (LabelFont != nullptr) check->SetDefaultFont(LabelFont);
            check->SetUseSkinFont(UseSkinFont);
            check->SetSkinData(CtrlSkinData);
            const std::string caption = MessageText(CtrlSkinData, "MSG_CAP_SHOWFLAG", "Do not display this message again");
            check->SetCaption(caption);
            int textWidth = 0;
            const TskDataSkinCheckRadioControl* e = nullptr;
            if (CtrlSkinData != nullptr && !CtrlSkinData->SkinEmpty) {
                const int i = CtrlSkinData->FindControlIndex(check->SkinDataName());
                if (i >= 0)
                    e = dynamic_cast<const TskDataSkinCheckRadioControl*>(CtrlSkinData->ControlDataList[static_cast<size_t>(i)].get());
            }
            if (e != nullptr && UseSkinFont)
                textWidth = MeasureText(caption, nullptr, e);
            else if (LabelFont != nullptr)
                textWidth = MeasureText(caption, LabelFont, nullptr);
            else {
                const TskEntryFont plainFace("Arial", 14);
                textWidth = MeasureText(caption, nullptr, &plainFace);
            }
            const int width = textWidth + 30;
            clientWidth = std::max(clientWidth, width + 30);
            check->SetBounds(5, clientHeight - buttonHeight - 50, width + 25, check->Height());
            form->FCheckBox = check;
        }

        form->SetClientWidth(clientWidth);
        form->SetClientHeight(clientHeight);
        // The frame's limits win over the content.
        if (form->Width() > maxWidth)
            form->SetWidth(maxWidth);
        else if (const int minWidth = frame->GetMinWidth(); form->Width() < minWidth)
            form->SetWidth(minWidth);
        clientWidth = form->ClientWidth();
        clientHeight = form->ClientHeight();

        TMsgDlgBtn defaultButton = Buttons.Contains(mbOK) ? mbOK : Buttons.Contains(mbYes) ? mbYes : mbRetry;
        const bool hasCancel = Buttons.Contains(mbCancel) || Buttons.Contains(mbNo) || Buttons.Contains(mbOK);
        TMsgDlgBtn cancelButton = Buttons.Contains(mbCancel) ? mbCancel : Buttons.Contains(mbNo) ? mbNo : mbOK;
        int x = (clientWidth - rowWidth) / 2;
        for (int i = 0; i <= mbHelp; ++i) {
            const auto kind = static_cast<TMsgDlgBtn>(i);
            if (!Buttons.Contains(kind)) continue;
            const TMessageButtonDef& def = ButtonDefs[i];
            auto* b = new TskSkinButton(form);
            b->SetName(def.Name);
            b->SetParent(form);
            b->SetTabStop(true);
            b->SetCaption(MessageText(CtrlSkinData, def.Key, def.FallBack));
            b->SetModalResult(def.Result);
            b->SetDefault(kind == defaultButton);
            b->SetCancel(hasCancel && kind == cancelButton);
            b->SetDefaultHeight(buttonHeight);
            b->SetBounds(x, clientHeight - buttonHeight - 10, MessageButtonWidth, buttonHeight);
            if (ButtonFont != nullptr) b->SetDefaultFont(ButtonFont);
            b->SetUseSkinFont(UseSkinFont);
            b->SetSkinDataName(ButtonSkinDataName);
            b->SetSkinData(CtrlSkinData);
            // Help closes nothing; this program has no help file to open for the form's help context.
            if (kind == defaultButton) form->SetActiveControl(b);
            x += MessageButtonWidth + MessageButtonGap;
        }
    } catch (...) {
        form->Free();
        throw;
    }
    return form;
}

// ---- TskSkinMessage

TskSkinMessage::TskSkinMessage(TComponent* AOwner)
    : TComponent(AOwner), FDefaultFont(std::make_unique<TFont>()), FDefaultButtonFont(std::make_unique<TFont>())
{
    for (TFont* f : {FDefaultFont.get(), FDefaultButtonFont.get()}) {
        f->SetName("Arial");
        f->SetHeight(14);
        f->SetStyle(TFontStyles{});
    }
}

TskSkinMessage::~TskSkinMessage() = default;

void TskSkinMessage::SetSkinData(TskSkinData* Value)
{
    FSkinData = Value;
}

void TskSkinMessage::SetCtrlSkinData(TskSkinData* Value)
{
    FCtrlSkinData = Value;
}

void TskSkinMessage::SetDefaultFont(TFont* Value)
{
    if (Value != nullptr) FDefaultFont->Assign(Value);
}

void TskSkinMessage::SetDefaultButtonFont(TFont* Value)
{
    if (Value != nullptr) FDefaultButtonFont->Assign(Value);
}


int TskSkinMessage::MessageDlg(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx)
{
    std::unique_ptr<TskMessageForm, void (*)(TskMessageForm*)> form(
        CreateSkinMessageDialog(Msg, DlgType, Buttons, MessageScreenCenter, 0, FShowAgainFlagValue, FShowAgainFlag,
                                FAlphaBlendValue, FAlphaBlendAnimation, FAlphaBlend, FUseSkinFont,
                                FDefaultButtonFont.get(), FDefaultFont.get(), FMessageLabelSkinDataName,
                                FButtonSkinDataName, FCtrlSkinData, FSkinData),
        [](TskMessageForm* f) { f->Free(); });
    form->SetHelpContext(HelpCtx);
    const int result = form->ShowModal();
    if (form->CheckBox() != nullptr) FShowAgainFlagValue = !form->CheckBox()->Checked();
    return result;
}

void ShowSkinnedMessage(TControl* Control, const std::string& Text)
{
    TskSkinMessage box(nullptr);
    if (TskFormFrame* frame = Control != nullptr ? FindSkinFormComponent(Control->GetParentForm()) : nullptr) {
        box.SetSkinData(frame->SkinData());
        box.SetCtrlSkinData(frame->MenusSkinData() != nullptr ? frame->MenusSkinData() : frame->SkinData());
    }
    box.MessageDlg(Text, mtInformation, {mbOK}, 0);
}

void RegisterSkinMessageClasses()
{
    static const bool done = [] {
        using M = TskSkinMessage;
        RegisterClass<M, TComponent>("TskSkinMessage")
            .Prop("SkinData", &M::SkinData, &M::SetSkinData)
            .Prop("CtrlSkinData", &M::CtrlSkinData, &M::SetCtrlSkinData)
            .Prop("ButtonSkinDataName", &M::ButtonSkinDataName, &M::SetButtonSkinDataName)
            .Prop("MessageLabelSkinDataName", &M::MessageLabelSkinDataName, &M::SetMessageLabelSkinDataName)
            .Prop("DefaultFont", &M::DefaultFont)
            .Prop("DefaultButtonFont", &M::DefaultButtonFont)
            .Prop("UseSkinFont", &M::UseSkinFont, &M::SetUseSkinFont)
            .Prop("AlphaBlend", &M::AlphaBlend, &M::SetAlphaBlend)
            .Prop("AlphaBlendAnimation", &M::AlphaBlendAnimation, &M::SetAlphaBlendAnimation)
            .Prop("AlphaBlendValue", &M::AlphaBlendValue, &M::SetAlphaBlendValue)
            .Prop("ShowAgainFlag", &M::ShowAgainFlag, &M::SetShowAgainFlag)
            .Prop("ShowAgainFlagValue", &M::ShowAgainFlagValue, &M::SetShowAgainFlagValue)
            .Event("OnSetShowPos", &M::OnSetShowPos);
        return true;
    }();
    (void)done;
}
