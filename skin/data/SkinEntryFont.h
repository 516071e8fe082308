#pragma once
// The font a skin entry gives the text it stands behind: name, style, height and colour, stored under
// "fontname", "fontheight", "fontstyle" and "fontcolor". Every entry kind that carries text inherits it,
// so the four fields keep their names (FontName ...) on the entry itself.
#include <string>
#include <utility>

#include "platform/gfx/Colors.h"
#include "platform/rtl/Types.h"
#include "skin/data/SkinValueTypes.h"

class TFont;
class TMemIniFile;
class TskSkinData;

struct TskEntryFont {
    // What a new entry holds before it is loaded differs by kind: the frame's objects start empty, the
    // controls' entries with Arial at the height their controls are designed for. A control that keeps
    // the face it read from its entry gives it back here to draw with.
    explicit TskEntryFont(std::string Name = "", int Height = 0, TFontStyles Style = {})
        : FontName(std::move(Name)), FontHeight(Height), FontStyle(Style)
    {
    }

    // The four keys in this order; a missing name gives "Arial", a missing height 14.
    void LoadFont(TMemIniFile& IniFile, const std::string& Section);
    void SaveFont(TMemIniFile& IniFile, const std::string& Section) const;

    std::string FontName;
    int FontHeight;
    TFontStyles FontStyle;
    TColor FontColor = 0;
};

// Puts on Font the font a skinned text is drawn in, the same way for every control and frame object:
// Base first when given (the control's default or own font), then Face's name, height and style over it
// when given (a name or a height the skin leaves empty keeps the one beneath, not the graphics layer's
// stand-in), and last the character set of Skin's UI strings, or FallbackCharset when there is no skin or it
// has no strings. The colour is the caller's, as it follows the control's state.
void SelectEntryFont(TFont* Font, TFont* Base, const TskEntryFont* Face, const TskSkinData* Skin, BYTE FallbackCharset);
