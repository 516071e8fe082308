#include "skin/data/SkinEntryWords.h"

#include <array>

#include "platform/rtl/IniFiles.h"

namespace {

// In the order of their values.
const std::array<const char*, 7> CommandWords = {"cmclose", "cmmaximize", "cmminimize", "cmsysmenu",
                                                 "cmdefault", "cmrollup", "cmminimizetotray"};

} // namespace

int IniReadFramesPlacement(TMemIniFile& ini, const std::string& section, const std::string& ident)
{
    return ini.ReadString(section, ident, "fphorizontal") == "fphorizontal" ? fpHorizontal : fpVertical;
}

void IniWriteFramesPlacement(TMemIniFile& ini, const std::string& section, const std::string& ident, int value)
{
    ini.WriteString(section, ident, value == fpHorizontal ? "fphorizontal" : "fpvertical");
}

int IniReadRegulatorKind(TMemIniFile& ini, const std::string& section, const std::string& ident)
{
    const std::string word = ini.ReadString(section, ident, "rkround");
    if (word == "rkround")
        return rkRound;
    if (word == "rkhorizontal")
        return rkHorizontal;
    return rkVertical;
}

void IniWriteRegulatorKind(TMemIniFile& ini, const std::string& section, const std::string& ident, int value)
{
    ini.WriteString(section, ident, value == rkRound ? "rkround" : value == rkHorizontal ? "rkhorizontal" : "rkvertical");
}

int IniReadGaugeKind(TMemIniFile& ini, const std::string& section, const std::string& ident)
{
    return ini.ReadString(section, ident, "gkhorizontal") == "gkhorizontal" ? gkHorizontal : gkVertical;
}

void IniWriteGaugeKind(TMemIniFile& ini, const std::string& section, const std::string& ident, int value)
{
    ini.WriteString(section, ident, value == gkHorizontal ? "gkhorizontal" : "gkvertical");
}

bool IsSkinCommandWord(const std::string& text)
{
    for (const char* word : CommandWords)
        if (text == word)
            return true;
    return false;
}

int SkinCommandFromWord(const std::string& text)
{
    for (std::size_t i = 0; i + 1 < CommandWords.size(); ++i)
        if (text == CommandWords[i])
            return static_cast<int>(i);
    return cmMinimizeToTray;
}

std::string SkinCommandWord(int command)
{
    if (command < 0 || command >= static_cast<int>(CommandWords.size()))
        return CommandWords[cmDefault];
    return CommandWords[static_cast<std::size_t>(command)];
}

int IniReadSkinCommand(TMemIniFile& ini, const std::string& section, const std::string& ident)
{
    return SkinCommandFromWord(ini.ReadString(section, ident, "cmdefault"));
}

void IniWriteSkinCommand(TMemIniFile& ini, const std::string& section, const std::string& ident, int command)
{
    ini.WriteString(section, ident, SkinCommandWord(command));
}
