#pragma once
// The skinned message box: TskSkinMessage builds, at run time, a small modal TskMessageForm framed by a
// TskFormFrame, with a skinned message label, the icon of the dialog kind, a centred row of skinned
// buttons and, when asked, a check box "do not display this message again". The captions come from the
// string data of the control skin when it has some, else from the library's built-in texts.
#include <functional>
#include <memory>
#include <string>

#include "platform/vcl/TComponent.h"
#include "platform/vcl/TForm.h"

class TFont;
class TImage;
class TskFormFrame;
class TskSkinCheckRadioBox;
class TskSkinData;
class TskSkinStdLabel;

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum TMsgDlgBtn { mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll, mbYesToAll, mbHelp };
using TMsgDlgButtons = TSet<TMsgDlgBtn>;

// Passed as X to place the box in the middle of the screen instead of at (X, Y).
constexpr int MessageScreenCenter = -10001;

// Button layout of the box.
constexpr int MessageButtonWidth = 70;
constexpr int MessageButtonHeight = 25;
constexpr int MessageButtonGap = 10;

using TskMessageSetShowPosEvent = std::function<void(int& AX, int& AY, int AWidth, int AHeight)>;

class TskMessageForm : public TForm {
public:
    // X at or above -10000 places the form at (X, Y); anything lower centres it on the screen.
    TskMessageForm(TComponent* AOwner, int X, int Y);

    TskFormFrame* Frame() const { return FFrame; }
    TskSkinStdLabel* MessageLabel() const { return FMessageLabel; }
    // Nil when the box has no icon (the custom kind).
    TImage* Icon() const { return FIcon; }
    // Nil unless the box asks whether to show the message again.
    TskSkinCheckRadioBox* CheckBox() const { return FCheckBox; }
    int HelpContext() const { return FHelpContext; }
    void SetHelpContext(int Value) { FHelpContext = Value; }

protected:
    void KeyDown(WORD& Key, TShiftState Shift) override;

private:
    friend TskMessageForm* CreateSkinMessageDialog(const std::string&, TMsgDlgType, TMsgDlgButtons, int, int, bool, bool,
                                                   BYTE, bool, bool, bool, TFont*, TFont*, const std::string&,
                                                   const std::string&, TskSkinData*, TskSkinData*);
    TskFormFrame* FFrame = nullptr;
    TskSkinStdLabel* FMessageLabel = nullptr;
    TImage* FIcon = nullptr;
    TskSkinCheckRadioBox* FCheckBox = nullptr;
    int FHelpContext = 0;
};

// Builds the box; the caller shows it and frees it.
TskMessageForm* CreateSkinMessageDialog(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int X, int Y,
                                        bool ShowAgainFlagValue, bool ShowAgainFlag, BYTE AlphaBlendValue,
                                        bool AlphaBlendAnimation, bool AlphaBlend, bool UseSkinFont, TFont* ButtonFont,
                                        TFont* LabelFont, const std::string& MessageLabelSkinDataName,
                                        const std::string& ButtonSkinDataName, TskSkinData* CtrlSkinData,
                                        TskSkinData* SkinData);

class TskSkinMessage : public TComponent {
public:
    explicit TskSkinMessage(TComponent* AOwner);
    ~TskSkinMessage() override;

    // Shows the box modally in the middle of the screen and returns the modal result of the button
    // that closed it.
    int MessageDlg(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx);

    TskSkinData* SkinData() const { return FSkinData; }
    void SetSkinData(TskSkinData* Value);
    TskSkinData* CtrlSkinData() const { return FCtrlSkinData; }
    void SetCtrlSkinData(TskSkinData* Value);
    const std::string& ButtonSkinDataName() const { return FButtonSkinDataName; }
    void SetButtonSkinDataName(const std::string& Value) { FButtonSkinDataName = Value; }
    const std::string& MessageLabelSkinDataName() const { return FMessageLabelSkinDataName; }
    void SetMessageLabelSkinDataName(const std::string& Value) { FMessageLabelSkinDataName = Value; }
    TFont* DefaultFont() const { return FDefaultFont.get(); }
    void SetDefaultFont(TFont* Value);
    TFont* DefaultButtonFont() const { return FDefaultButtonFont.get(); }
    void SetDefaultButtonFont(TFont* Value);
    bool UseSkinFont() const { return FUseSkinFont; }
    void SetUseSkinFont(bool Value) { FUseSkinFont = Value; }
    bool AlphaBlend() const { return FAlphaBlend; }
    void SetAlphaBlend(bool Value) { FAlphaBlend = Value; }
    bool AlphaBlendAnimation() const { return FAlphaBlendAnimation; }
    void SetAlphaBlendAnimation(bool Value) { FAlphaBlendAnimation = Value; }
    BYTE AlphaBlendValue() const { return FAlphaBlendValue; }
    void SetAlphaBlendValue(BYTE Value) { FAlphaBlendValue = Value; }
    bool ShowAgainFlag() const { return FShowAgainFlag; }
    void SetShowAgainFlag(bool Value) { FShowAgainFlag = Value; }
    // True: the message is to be shown again next time.
    bool ShowAgainFlagValue() const { return FShowAgainFlagValue; }
    void SetShowAgainFlagValue(bool Value) { FShowAgainFlagValue = Value; }

    // Published for stored forms; nothing here fires it.
    TskMessageSetShowPosEvent OnSetShowPos;

protected:

private:
    TComponentLink<TskSkinData> FSkinData{this};
    TComponentLink<TskSkinData> FCtrlSkinData{this};
    std::string FButtonSkinDataName = "button";
    std::string FMessageLabelSkinDataName = "stdlabel";
    std::unique_ptr<TFont> FDefaultFont;
    std::unique_ptr<TFont> FDefaultButtonFont;
    bool FUseSkinFont = true;
    bool FAlphaBlend = false;
    bool FAlphaBlendAnimation = false;
    BYTE FAlphaBlendValue = 200;
    bool FShowAgainFlag = false;
    bool FShowAgainFlagValue = false;
};

// Shows Text in an information box with an OK button, in the skin of the window Control is on (the
// built-in look when that window has no skinned frame); it answers what the file views tell the user.
void ShowSkinnedMessage(TControl* Control, const std::string& Text);

// Registers TskSkinMessage with the form reader (done once).
void RegisterSkinMessageClasses();
