#pragma once
// What the window's skin says a control looks like, read from the skin's own source files (the ini text
// and its pictures), so that a screenshot can be held against the skin rather than against itself.
#include <map>
#include <string>

#include "platform/gfx/TSurface.h"

enum class TSkinFace { Normal, Disabled };

class TSkinPictures {
public:
    TSkinPictures();
    bool Loaded() const { return !FControls.Empty() && !FFrame.Empty(); }
    // The colour of the middle of a control entry's face (its picture rectangle in the controls picture).
    TPixel ControlColour(const std::string& Entry, TSkinFace Face = TSkinFace::Normal) const;
    // A pixel of the frame picture at Y in a column of its caption strip that is stretched across the
    // caption (no text, no button): what the caption bar shows at that height wherever it is empty.
    TPixel CaptionColour(int Y) const;

private:
    TRect Rect(const std::string& Section, const std::string& Key) const;
    std::map<std::string, std::map<std::string, std::string>> FIni;
    TSurface FControls;
    TSurface FFrame;
};
