#include "skin/data/SkinIni.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/IniFiles.h"
#include "platform/rtl/Strings.h"
#include "platform/rtl/TStringList.h"

namespace {

// Splits at "," keeping only the digits of each part, and converts N parts. A part that is empty after
// filtering (a missing part included) or too large for an int raises EConvertError: a damaged value must
// not read as a plausible 0 and let a broken skin load as if sound. Parts beyond the N-th are ignored.
template <std::size_t N>
std::array<int, N> ParseParts(const std::string& text)
{
    std::array<std::string, N> parts;
    std::size_t index = 0;
    for (char c : text) {
        if (c == ',')
            ++index;
        else if (c >= '0' && c <= '9' && index < N)
            parts[index] += c;
    }
    std::array<int, N> out{};
    for (std::size_t i = 0; i < N; ++i)
        out[i] = StrToInt(parts[i]);
    return out;
}

// The same reading with the place of the value in the message, so that the reason a skin does not load
// can be found in it.
template <class T, class Parse>
T ReadParsed(TMemIniFile& ini, const std::string& section, const std::string& ident, const char* defaultText,
             const char* what, Parse parse)
{
    const std::string text = ini.ReadString(section, ident, defaultText);
    try {
        return parse(text);
    } catch (const EConvertError&) {
        throw EConvertError("Skin value [" + section + "] " + ident + "=" + text + " is not a valid " + what);
    }
}

int IndexOfWord(const std::string& text, std::initializer_list<const char*> words)
{
    int i = 0;
    for (const char* w : words) {
        if (text == w)
            return i;
        ++i;
    }
    return -1;
}

constexpr const char* kStretchNames[] = {"stfull", "sthorz", "stvert"};
constexpr const char* kMorphNames[] = {"mkdefault", "mkgradient", "mkleftgradient", "mkrightgradient",
                                       "mkleftslide", "mkrightslide", "mkpush"};

void ReadCountedKeys(TMemIniFile& ini, const std::string& section, int count, const std::string& keyPrefix,
                     TStrings& list)
{
    // Missing lines read as empty ones, but a list never has more lines than the whole skin has keys:
    // a damaged skin of a few hundred bytes must not make the reader take gigabytes, one counted list
    // after another.
    count = std::min(SkinListCount(count), ini.LineCount());
    for (int i = 0; i < count; ++i)
        list.Add(ini.ReadString(section, keyPrefix + std::to_string(i), ""));
}

} // namespace

TPoint ParsePoint(const std::string& text)
{
    auto p = ParseParts<2>(text);
    return {p[0], p[1]};
}

TRect ParseRect(const std::string& text)
{
    auto p = ParseParts<4>(text);
    return {p[0], p[1], p[2], p[3]};
}

TRect IniReadRect(TMemIniFile& ini, const std::string& section, const std::string& ident)
{
    return ReadParsed<TRect>(ini, section, ident, "0,0,0,0", "rectangle", ParseRect);
}

TPoint IniReadPoint(TMemIniFile& ini, const std::string& section, const std::string& ident)
{
    return ReadParsed<TPoint>(ini, section, ident, "0,0", "point", ParsePoint);
}

bool IniReadBool(TMemIniFile& ini, const std::string& section, const std::string& ident)
{
    return ini.ReadInteger(section, ident, 0) == 1;
}

TFontStyles IniReadFontStyles(TMemIniFile& ini, const std::string& section, const std::string& ident)
{
    const std::string text = ini.ReadString(section, ident, "");
    TFontStyles styles;
    if (text.find("fsbold") != std::string::npos)
        styles.Include(fsBold);
    if (text.find("fsitalic") != std::string::npos)
        styles.Include(fsItalic);
    if (text.find("fsunderline") != std::string::npos)
        styles.Include(fsUnderline);
    if (text.find("fsstrikeout") != std::string::npos)
        styles.Include(fsStrikeOut);
    return styles;
}

TAlignment IniReadAlignment(TMemIniFile& ini, const std::string& section, const std::string& ident)
{
    const std::string text = ini.ReadString(section, ident, "tacenter");
    if (text == "taleftjustify")
        return taLeftJustify;
    if (text == "tacenter")
        return taCenter;
    return taRightJustify;
}

int IniReadStretchType(TMemIniFile& ini, const std::string& section, const std::string& ident)
{
    const int i = IndexOfWord(ini.ReadString(section, ident, "stfull"), {"stfull", "sthorz", "stvert"});
    return i < 0 ? stHorz : i;
}

int IniReadMorphKind(TMemIniFile& ini, const std::string& section, const std::string& ident)
{
    const int i = IndexOfWord(ini.ReadString(section, ident, "mkdefault"),
                              {"mkdefault", "mkgradient", "mkleftgradient", "mkrightgradient", "mkleftslide",
                               "mkrightslide", "mkpush"});
    return i < 0 ? mkDefault : i;
}

int IniReadInactiveEffect(TMemIniFile& ini, const std::string& section, const std::string& ident)
{
    const int i = IndexOfWord(ini.ReadString(section, ident, "iebrightness"),
                              {"iebrightness", "iedarkness", "iegrayscale", "ienoise", "iesplitblur", "ieinvert"});
    return i < 0 ? ieGrayScale : i;
}

void IniReadLines(TMemIniFile& ini, const std::string& section, const std::string& ident, TStrings& list)
{
    ReadCountedKeys(ini, section, ini.ReadInteger(section, ident + "linecount", 0), ident + "line", list);
}

void IniReadIndexedList(TMemIniFile& ini, const std::string& section, const std::string& ident, TStrings& list)
{
    ReadCountedKeys(ini, section, ini.ReadInteger(section, ident + "count", 0), "", list);
}

int SkinListCount(int count)
{
    return std::clamp(count, 0, MaxSkinListCount);
}

bool IsSkinIniValid(TMemIniFile& ini)
{
    for (const char* s : {"VERSION", "PICTURES", "FORMINFO", "SKINOBJECTS", "SKINCONTROLS"})
        if (!ini.SectionExists(s))
            return false;
    return true;
}

void IniWriteRect(TMemIniFile& ini, const std::string& section, const std::string& ident, const TRect& r)
{
    ini.WriteString(section, ident,
                    std::to_string(r.Left) + "," + std::to_string(r.Top) + "," + std::to_string(r.Right) + "," +
                        std::to_string(r.Bottom));
}

void IniWritePoint(TMemIniFile& ini, const std::string& section, const std::string& ident, const TPoint& p)
{
    ini.WriteString(section, ident, std::to_string(p.X) + "," + std::to_string(p.Y));
}

void IniWriteBool(TMemIniFile& ini, const std::string& section, const std::string& ident, bool value)
{
    ini.WriteInteger(section, ident, value ? 1 : 0);
}

void IniWriteFontStyles(TMemIniFile& ini, const std::string& section, const std::string& ident, TFontStyles styles)
{
    std::string text;
    const std::pair<TFontStyle, const char*> names[] = {
        {fsBold, "fsbold"}, {fsItalic, "fsitalic"}, {fsUnderline, "fsunderline"}, {fsStrikeOut, "fsstrikeout"}};
    for (const auto& [style, name] : names) {
        if (!styles.Contains(style))
            continue;
        if (!text.empty())
            text += ',';
        text += name;
    }
    ini.WriteString(section, ident, text);
}

void IniWriteAlignment(TMemIniFile& ini, const std::string& section, const std::string& ident, TAlignment value)
{
    ini.WriteString(section, ident,
                    value == taCenter ? "tacenter" : value == taLeftJustify ? "taleftjustify" : "tarightjustify");
}

void IniWriteStretchType(TMemIniFile& ini, const std::string& section, const std::string& ident, int value)
{
    ini.WriteString(section, ident, value >= 0 && value <= 2 ? kStretchNames[value] : "");
}

void IniWriteMorphKind(TMemIniFile& ini, const std::string& section, const std::string& ident, int value)
{
    ini.WriteString(section, ident, value >= 0 && value <= 6 ? kMorphNames[value] : "");
}

void IniWriteLines(TMemIniFile& ini, const std::string& section, const std::string& ident, const TStrings& list)
{
    ini.WriteInteger(section, ident + "linecount", list.Count());
    for (int i = 0; i < list.Count(); ++i)
        ini.WriteString(section, ident + "line" + std::to_string(i), list.Strings(i));
}
