#include "skin/data/SkinIni.h"

#include <algorithm>
#include <array>
#include <climits>
#include <string_view>

#include "platform/rtl/IniFiles.h"
#include "platform/rtl/TStringList.h"

namespace {

// One part of a point or rect: only its digits count. An empty part or one beyond the int range reads
// as 0 rather than raising, so that a single malformed value cannot discard the whole skin.
int PartValue(std::string_view digits)
{
    if (digits.empty())
        return 0;
    long long v = 0;
    for (char c : digits) {
        v = v * 10 + (c - '0');
        if (v > INT_MAX)
            return 0;
    }
    return static_cast<int>(v);
}

// Splits at "," keeping only digits; fills at most N parts and ignores the rest.
template <std::size_t N>
std::array<int, N> ParseParts(const std::string& text)
{
    std::array<int, N> out{};
    std::string part;
    std::size_t index = 0;
    for (char c : text) {
        if (c == ',') {
            if (index < N)
                out[index] = PartValue(part);
            ++index;
            part.clear();
        } else if (c >= '0' && c <= '9') {
            part += c;
        }
    }
    if (index < N)
        out[index] = PartValue(part);
    return out;
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
    if (count <= 0)
        return;
    // A garbled count must not loop billions of times over missing keys: a valid list never counts
    // more entries than the section has keys.
    count = std::min(count, IniSectionKeyCount(ini, section));
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
    return ParseRect(ini.ReadString(section, ident, "0,0,0,0"));
}

TPoint IniReadPoint(TMemIniFile& ini, const std::string& section, const std::string& ident)
{
    return ParsePoint(ini.ReadString(section, ident, "0,0"));
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

int IniSectionKeyCount(TMemIniFile& ini, const std::string& section)
{
    TStringList keys;
    ini.ReadSection(section, &keys);
    return keys.Count();
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
