#pragma once
// The font a skin entry gives the text it stands behind: name, style, height and colour, stored under
// "fontname", "fontheight", "fontstyle" and "fontcolor". Every entry kind that carries text inherits it,
// so the four fields keep their names (FontName ...) on the entry itself.
#include <string>
#include <utility>

#include "platform/gfx/Colors.h"
#include "skin/data/SkinValueTypes.h"

class TMemIniFile;

struct TskEntryFont {
    // What a new entry holds before it is loaded differs by kind: the frame's objects start empty, the
    // controls' entries with Arial at the height their controls are designed for.
    explicit TskEntryFont(std::string Name = "", int Height = 0) : FontName(std::move(Name)), FontHeight(Height) {}

    // The four keys in this order; a missing name gives "Arial", a missing height 14.
    void LoadFont(TMemIniFile& IniFile, const std::string& Section);
    void SaveFont(TMemIniFile& IniFile, const std::string& Section) const;

    std::string FontName;
    int FontHeight;
    TFontStyles FontStyle;
    TColor FontColor = 0;
};
