#pragma once
// Shared by the skin entry tests: an ini made from text, the fixture skin description that holds one
// entry of every kind, and the whole text of an ini for comparing what two saves wrote.
#include <memory>
#include <string>

#include "platform/rtl/IniFiles.h"
#include "platform/rtl/TStringList.h"

inline std::unique_ptr<TMemIniFile> IniFromText(const std::string& text)
{
    auto ini = std::make_unique<TMemIniFile>();
    TStringList lines;
    lines.SetText(text);
    ini->SetStrings(lines);
    return ini;
}

inline std::string EntriesFixturePath()
{
    return std::string(OMBRIX_TEST_DATA) + "/skins/entries/entries.ini";
}

inline std::unique_ptr<TMemIniFile> EntriesFixture()
{
    return std::make_unique<TMemIniFile>(EntriesFixturePath());
}

inline std::string IniText(const TMemIniFile& ini)
{
    TStringList lines;
    ini.GetStrings(lines);
    return lines.Text();
}

// A new entry of class C named name, loaded from the text.
template <class C>
std::unique_ptr<C> LoadedEntry(const std::string& name, const std::string& text)
{
    auto ini = IniFromText(text);
    auto entry = std::make_unique<C>(name);
    entry->LoadFromIni(*ini);
    return entry;
}
