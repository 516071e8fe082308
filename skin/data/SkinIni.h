#pragma once
// Readers and writers of the values of a skin ini. Every skin entry names the encoding of each of its
// keys by one of these routines, so that all entries agree on how a rectangle, a flag or a list is
// written.
//
// Rectangles and points keep only the digits of each comma-separated part (a minus sign or a blank is
// dropped, so they are never negative). A part that is empty after filtering, a missing part, or one too
// large for an int raises EConvertError, and the skin that holds it does not load; parts beyond the 2nd
// (point) or 4th (rect) are ignored.
#include <string>

#include "platform/rtl/Types.h"
#include "skin/data/SkinValueTypes.h"

class TMemIniFile;
class TStrings;

// How the middle part of a picture is stretched.
constexpr int stFull = 0;
constexpr int stHorz = 1;
constexpr int stVert = 2;

// Transition effects (the morph kinds), in their stored order.
constexpr int mkDefault = 0;
constexpr int mkGradient = 1;
constexpr int mkLeftGradient = 2;
constexpr int mkRightGradient = 3;
constexpr int mkLeftSlide = 4;
constexpr int mkRightSlide = 5;
constexpr int mkPush = 6;

// Whole-picture effects used for inactive windows, in their stored order.
constexpr int ieBrightness = 0;
constexpr int ieDarkness = 1;
constexpr int ieGrayScale = 2;
constexpr int ieNoise = 3;
constexpr int ieSplitBlur = 4;
constexpr int ieInvert = 5;

// Raise EConvertError for a malformed text (see above).
TPoint ParsePoint(const std::string& text);
TRect ParseRect(const std::string& text);

// A malformed value raises EConvertError naming the section, the key and the text.
TRect IniReadRect(TMemIniFile& ini, const std::string& section, const std::string& ident);
TPoint IniReadPoint(TMemIniFile& ini, const std::string& section, const std::string& ident);
// True only for the integer 1 ("1", "01", "0x1").
bool IniReadBool(TMemIniFile& ini, const std::string& section, const std::string& ident);
// Each style whose lower-case name occurs anywhere in the text.
TFontStyles IniReadFontStyles(TMemIniFile& ini, const std::string& section, const std::string& ident);
// Missing key: taCenter; a text that is no name: taRightJustify.
TAlignment IniReadAlignment(TMemIniFile& ini, const std::string& section, const std::string& ident);
// Missing key: stFull; a text that is no name: stHorz.
int IniReadStretchType(TMemIniFile& ini, const std::string& section, const std::string& ident);
// Missing key or unknown text: mkDefault.
int IniReadMorphKind(TMemIniFile& ini, const std::string& section, const std::string& ident);
// Missing key: ieBrightness; a text that is no name: ieGrayScale.
int IniReadInactiveEffect(TMemIniFile& ini, const std::string& section, const std::string& ident);

// ident + "linecount" = n, then ident + "line" + i. Appends n lines; never clears the list first. A
// missing line key appends an empty line.
void IniReadLines(TMemIniFile& ini, const std::string& section, const std::string& ident, TStrings& list);
// ident + "count" = n, then the bare keys "0" .. "n-1". Appends as IniReadLines does.
void IniReadIndexedList(TMemIniFile& ini, const std::string& section, const std::string& ident, TStrings& list);

// No skin has lists anywhere near this long; a count beyond it is garbage, and is cut to it so that it
// cannot make a loader walk (and keep) billions of missing keys.
constexpr int MaxSkinListCount = 65536;
// The number of entries a counted list of a skin holds: its count, at least 0 and at most MaxSkinListCount.
int SkinListCount(int count);

// True when the sections VERSION, PICTURES, FORMINFO, SKINOBJECTS and SKINCONTROLS all exist.
bool IsSkinIniValid(TMemIniFile& ini);

void IniWriteRect(TMemIniFile& ini, const std::string& section, const std::string& ident, const TRect& r);
void IniWritePoint(TMemIniFile& ini, const std::string& section, const std::string& ident, const TPoint& p);
void IniWriteBool(TMemIniFile& ini, const std::string& section, const std::string& ident, bool value);
void IniWriteFontStyles(TMemIniFile& ini, const std::string& section, const std::string& ident, TFontStyles styles);
void IniWriteAlignment(TMemIniFile& ini, const std::string& section, const std::string& ident, TAlignment value);
void IniWriteStretchType(TMemIniFile& ini, const std::string& section, const std::string& ident, int value);
void IniWriteMorphKind(TMemIniFile& ini, const std::string& section, const std::string& ident, int value);
void IniWriteLines(TMemIniFile& ini, const std::string& section, const std::string& ident, const TStrings& list);
