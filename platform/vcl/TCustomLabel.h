#pragma once
// A caption painted on the parent: sized to its text when AutoSize, wrapped when WordWrap, aligned
// and laid out inside its bounds, "&" marking the accelerator when ShowAccelChar. FocusControl is
// the control its accelerator focuses.
#include "platform/vcl/StdCtrls.h"
#include "platform/vcl/TCustomControl.h"

class TCustomLabel : public TGraphicControl {
public:
    explicit TCustomLabel(TComponent* AOwner);

    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    TTextLayout Layout() const { return FLayout; }
    void SetLayout(TTextLayout Value);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool Value);
    bool ShowAccelChar() const { return FShowAccelChar; }
    void SetShowAccelChar(bool Value);
    TWinControl* FocusControl() const { return FFocusControl; }
    void SetFocusControl(TWinControl* Value);
    void SetAutoSize(bool Value) override;

    // The DT_* flags the label draws with.
    UINT DrawTextFlags() const;

protected:
    void Paint() override;
    bool CanAutoSize(int& NewWidth, int& NewHeight) override;
    void WndProc(TMessage& Message) override;

private:
    TAlignment FAlignment = taLeftJustify;
    TTextLayout FLayout = tlTop;
    bool FWordWrap = false;
    bool FTransparent = false;
    bool FShowAccelChar = true;
    TComponentLink<TWinControl> FFocusControl{this};
};

class TLabel : public TCustomLabel {
public:
    using TCustomLabel::TCustomLabel;
};

void RegisterLabelClasses();
