#pragma once
// The user-interface texts of the skin library: caption-menu items, caption-button hints, edit-menu
// items, message-box buttons and captions, file-dialog labels and the like. Each has a NAME. A
// TskResourceStrData holds NAME=text lines that replace them; without one the built-in texts are shown.
#include <span>
#include <string>

class TskSkinData;

struct TskSkinStringDef {
    const char* Name;
    const char* Text;
    bool BuiltIn; // also a built-in fall-back text
};

// Every NAME with its default text, in the order a new TskResourceStrData lists them.
std::span<const TskSkinStringDef> SkinStringDefs();

// The built-in text of NAME (exact NAME); empty for a NAME that has none.
std::string SkinBuiltInString(const std::string& Name);

// The text a control of SkinData shows for NAME: from the skin's TskResourceStrData when it has one
// (even when that lacks the NAME, which then gives an empty text), else the built-in text.
std::string SkinResString(const TskSkinData* SkinData, const std::string& Name);
