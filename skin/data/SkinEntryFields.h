#pragma once
// Field tables of the skin entries. Most entry classes are long lists of "field, key, encoding, value
// for a missing key"; writing each list once as a table keeps LoadFromIni and SaveToIni from drifting
// apart (a key read under one name and written under another) and keeps each class readable.
//
// A table lists the fields in the order the class reads them; SaveToIni writes them in the same order.
// Fields whose value needs a rule of its own (words such as "fphorizontal", copies made after reading)
// are handled in the class's own code, next to its table.
#include <span>
#include <string>
#include <type_traits>

#include "platform/rtl/IniFiles.h"
#include "platform/rtl/Types.h"
#include "platform/gfx/Colors.h"
#include "skin/data/SkinEntryFont.h"
#include "skin/data/SkinIni.h"
#include "skin/data/SkinValueTypes.h"

enum class TskFieldCoding { Integer, Color, Bool, Rect, Point, String, FontStyles, Alignment, StretchType, MorphKind, Font };

// One field of an entry class C: where it lives, its key and its encoding. Only the member pointer that
// belongs to the coding is set.
template <class C>
struct TskEntryField {
    const char* Key = "";
    TskFieldCoding Coding = TskFieldCoding::Integer;
    int MissingInt = 0;                 // Integer, Color
    const char* MissingText = "";       // String
    int C::*IntField = nullptr;         // Integer, StretchType, MorphKind
    TColor C::*ColorField = nullptr;
    bool C::*BoolField = nullptr;
    TRect C::*RectField = nullptr;
    TPoint C::*PointField = nullptr;
    std::string C::*StringField = nullptr;
    TFontStyles C::*StylesField = nullptr;
    TAlignment C::*AlignmentField = nullptr;
};

template <class C>
TskEntryField<C> IntegerField(const char* key, int C::*field, int missing = 0)
{
    TskEntryField<C> f;
    f.Key = key;
    f.Coding = TskFieldCoding::Integer;
    f.MissingInt = missing;
    f.IntField = field;
    return f;
}

template <class C>
TskEntryField<C> ColorField(const char* key, TColor C::*field, TColor missing = 0)
{
    TskEntryField<C> f;
    f.Key = key;
    f.Coding = TskFieldCoding::Color;
    f.MissingInt = static_cast<int>(missing);
    f.ColorField = field;
    return f;
}

template <class C>
TskEntryField<C> BoolField(const char* key, bool C::*field)
{
    TskEntryField<C> f;
    f.Key = key;
    f.Coding = TskFieldCoding::Bool;
    f.BoolField = field;
    return f;
}

template <class C>
TskEntryField<C> RectField(const char* key, TRect C::*field)
{
    TskEntryField<C> f;
    f.Key = key;
    f.Coding = TskFieldCoding::Rect;
    f.RectField = field;
    return f;
}

template <class C>
TskEntryField<C> PointField(const char* key, TPoint C::*field)
{
    TskEntryField<C> f;
    f.Key = key;
    f.Coding = TskFieldCoding::Point;
    f.PointField = field;
    return f;
}

template <class C>
TskEntryField<C> StringField(const char* key, std::string C::*field, const char* missing = "")
{
    TskEntryField<C> f;
    f.Key = key;
    f.Coding = TskFieldCoding::String;
    f.MissingText = missing;
    f.StringField = field;
    return f;
}

template <class C>
TskEntryField<C> FontStylesField(const char* key, TFontStyles C::*field)
{
    TskEntryField<C> f;
    f.Key = key;
    f.Coding = TskFieldCoding::FontStyles;
    f.StylesField = field;
    return f;
}

template <class C>
TskEntryField<C> AlignmentField(const char* key, TAlignment C::*field)
{
    TskEntryField<C> f;
    f.Key = key;
    f.Coding = TskFieldCoding::Alignment;
    f.AlignmentField = field;
    return f;
}

template <class C>
TskEntryField<C> StretchTypeField(const char* key, int C::*field)
{
    TskEntryField<C> f;
    f.Key = key;
    f.Coding = TskFieldCoding::StretchType;
    f.IntField = field;
    return f;
}

template <class C>
TskEntryField<C> MorphKindField(const char* key, int C::*field)
{
    TskEntryField<C> f;
    f.Key = key;
    f.Coding = TskFieldCoding::MorphKind;
    f.IntField = field;
    return f;
}

// The four keys of the entry's font (TskEntryFont), where the table has them.
template <class C>
TskEntryField<C> EntryFontField()
{
    static_assert(std::is_base_of_v<TskEntryFont, C>, "the entry has no font");
    TskEntryField<C> f;
    f.Key = "font";
    f.Coding = TskFieldCoding::Font;
    return f;
}

// Assigns every field of the table, from its key or, when the key is absent, its missing value.
template <class C>
void LoadEntryFields(C& entry, TMemIniFile& ini, const std::string& section, std::span<const TskEntryField<C>> fields)
{
    for (const TskEntryField<C>& f : fields) {
        switch (f.Coding) {
        case TskFieldCoding::Integer:
            entry.*f.IntField = ini.ReadInteger(section, f.Key, f.MissingInt);
            break;
        case TskFieldCoding::Color:
            entry.*f.ColorField = static_cast<TColor>(ini.ReadInteger(section, f.Key, f.MissingInt));
            break;
        case TskFieldCoding::Bool:
            entry.*f.BoolField = IniReadBool(ini, section, f.Key);
            break;
        case TskFieldCoding::Rect:
            entry.*f.RectField = IniReadRect(ini, section, f.Key);
            break;
        case TskFieldCoding::Point:
            entry.*f.PointField = IniReadPoint(ini, section, f.Key);
            break;
        case TskFieldCoding::String:
            entry.*f.StringField = ini.ReadString(section, f.Key, f.MissingText);
            break;
        case TskFieldCoding::FontStyles:
            entry.*f.StylesField = IniReadFontStyles(ini, section, f.Key);
            break;
        case TskFieldCoding::Alignment:
            entry.*f.AlignmentField = IniReadAlignment(ini, section, f.Key);
            break;
        case TskFieldCoding::StretchType:
            entry.*f.IntField = IniReadStretchType(ini, section, f.Key);
            break;
        case TskFieldCoding::MorphKind:
            entry.*f.IntField = IniReadMorphKind(ini, section, f.Key);
            break;
        case TskFieldCoding::Font:
            if constexpr (std::is_base_of_v<TskEntryFont, C>)
                static_cast<TskEntryFont&>(entry).LoadFont(ini, section);
            break;
        }
    }
}

// Writes every field of the table under its key, in the encoding LoadEntryFields reads.
template <class C>
void SaveEntryFields(const C& entry, TMemIniFile& ini, const std::string& section, std::span<const TskEntryField<C>> fields)
{
    for (const TskEntryField<C>& f : fields) {
        switch (f.Coding) {
        case TskFieldCoding::Integer:
            ini.WriteInteger(section, f.Key, entry.*f.IntField);
            break;
        case TskFieldCoding::Color:
            ini.WriteInteger(section, f.Key, static_cast<int>(entry.*f.ColorField));
            break;
        case TskFieldCoding::Bool:
            IniWriteBool(ini, section, f.Key, entry.*f.BoolField);
            break;
        case TskFieldCoding::Rect:
            IniWriteRect(ini, section, f.Key, entry.*f.RectField);
            break;
        case TskFieldCoding::Point:
            IniWritePoint(ini, section, f.Key, entry.*f.PointField);
            break;
        case TskFieldCoding::String:
            ini.WriteString(section, f.Key, entry.*f.StringField);
            break;
        case TskFieldCoding::FontStyles:
            IniWriteFontStyles(ini, section, f.Key, entry.*f.StylesField);
            break;
        case TskFieldCoding::Alignment:
            IniWriteAlignment(ini, section, f.Key, entry.*f.AlignmentField);
            break;
        case TskFieldCoding::StretchType:
            IniWriteStretchType(ini, section, f.Key, entry.*f.IntField);
            break;
        case TskFieldCoding::MorphKind:
            IniWriteMorphKind(ini, section, f.Key, entry.*f.IntField);
            break;
        case TskFieldCoding::Font:
            if constexpr (std::is_base_of_v<TskEntryFont, C>)
                static_cast<const TskEntryFont&>(entry).SaveFont(ini, section);
            break;
        }
    }
}
