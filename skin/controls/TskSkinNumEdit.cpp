#include "skin/controls/TskSkinNumEdit.h"

#include <clocale>
#include <cstdint>

#include "platform/win/Screen.h"

char32_t NumEditDecimalSeparator()
{
    const std::lconv* lc = std::localeconv();
    if (lc == nullptr || lc->decimal_point == nullptr || lc->decimal_point[0] == 0) return U'.';
    return static_cast<char32_t>(static_cast<unsigned char>(lc->decimal_point[0]));
}

TskSkinNumEdit::TskSkinNumEdit(TComponent* AOwner) : TskCustomEdit(AOwner) {}

bool TskSkinNumEdit::IsValidChar(char32_t Key) const
{
    const char32_t separator = NumEditDecimalSeparator();
    const bool number = Key == U'-' || (Key >= U'0' && Key <= U'9') || (FAllowDecimal && Key == separator);
    const bool control = Key < 32 && Key != 13;
    if (!number && !control) return false;
    if (!FTypingEnabled && (Key >= 32 || Key == 8)) return false;
    if (Key == separator && FAllowDecimal && FChars.find(separator) != std::u32string::npos) return false;
    if (Key == U'-' && FChars.find(U'-') != std::u32string::npos) return false;
    return true;
}

void TskSkinNumEdit::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_CHAR: {
        const auto key = static_cast<char32_t>(Message.WParam);
        // Enter and Escape go to the form before any number rule applies.
        if (key != 13 && key != 27 && !IsValidChar(key)) {
            MessageBeep(0);
            return;
        }
        break;
    }
    case WM_KEYDOWN:
        if (Message.WParam == VK_UP) {
            if (OnUpArrow) OnUpArrow(this);
            return;
        }
        if (Message.WParam == VK_DOWN) {
            if (OnDownArrow) OnDownArrow(this);
            return;
        }
        break;
    case WM_MOUSEWHEEL:
        // The whole word parameter read as a signed number: a wheel turned away from the user is
        // positive and steps down, as the numeric combo box has always done.
        if (static_cast<std::int32_t>(static_cast<std::uint32_t>(Message.WParam)) > 0) {
            if (OnDownArrow) OnDownArrow(this);
        } else if (OnUpArrow) {
            OnUpArrow(this);
        }
        Message.Result = 1;
        return;
    default:
        break;
    }
    TskCustomEdit::WndProc(Message);
}
