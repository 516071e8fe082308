#pragma once
// The edit part of a numeric combo box: it takes digits, one minus sign and, when AllowDecimal is on,
// one decimal separator; everything else is dropped with a beep. The Up and Down arrows and the mouse
// wheel do not move the caret: they are handed to the owner as OnUpArrow and OnDownArrow.
#include "skin/controls/TskCustomEdit.h"

class TskSkinNumEdit : public TskCustomEdit {
public:
    explicit TskSkinNumEdit(TComponent* AOwner);

    // Off: nothing printable can be typed (nor Backspace); the arrows still step.
    bool TypingEnabled() const { return FTypingEnabled; }
    void SetTypingEnabled(bool Value) { FTypingEnabled = Value; }
    bool AllowDecimal() const { return FAllowDecimal; }
    void SetAllowDecimal(bool Value) { FAllowDecimal = Value; }

    // Would the edit take this character now (with its present text)?
    bool IsValidChar(char32_t Key) const;

    TNotifyEvent OnUpArrow;
    TNotifyEvent OnDownArrow;

protected:
    void WndProc(TMessage& Message) override;

private:
    bool FTypingEnabled = true;
    bool FAllowDecimal = false;
};

// The decimal separator of the user's locale (LC_NUMERIC).
char32_t NumEditDecimalSeparator();
