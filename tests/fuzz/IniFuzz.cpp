// libFuzzer entry point for the ini readers: the fuzzer's bytes are an ini text, read as the skins and the
// settings read theirs: into memory, and as a file on disk that writes go straight to. Every key found is
// read back in every way the skin entries read their values (rectangles, points, flags, styles, kinds,
// counted lists). A malformed value may raise EConvertError; a crash, a hang or a sanitizer report is a
// finding, and so is a key the ini lists but does not give back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>
#include <string>
#include <utility>
#include <vector>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/IniFiles.h"
#include "platform/rtl/Strings.h"
#include "platform/rtl/TStringList.h"
#include "skin/data/SkinIni.h"

namespace {

// The sections and keys of the ini as it lists itself, in order.
std::vector<std::pair<std::string, std::string>> ListedKeys(const TMemIniFile& Ini)
{
    TStringList lines;
    Ini.GetStrings(lines);
    std::vector<std::pair<std::string, std::string>> keys;
    std::string section;
    for (int i = 0; i < lines.Count(); ++i) {
        const std::string& line = lines[i];
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']')
            section = line.substr(1, line.size() - 2);
        else if (const std::size_t eq = line.find('='); eq != std::string::npos && eq > 0)
            keys.emplace_back(section, line.substr(0, eq));
    }
    return keys;
}

bool EndsWith(const std::string& Text, const std::string& End)
{
    return Text.size() >= End.size() && SameText(Text.substr(Text.size() - End.size()), End);
}

// Every reader of skin values on one key; the counted lists only for the first few keys that name
// one, since each may walk 65,536 keys.
void ReadAsSkinValues(TMemIniFile& Ini, const std::string& Section, const std::string& Key, int& ListsLeft)
{
    try {
        (void)IniReadRect(Ini, Section, Key);
    } catch (const EConvertError&) {
    }
    try {
        (void)IniReadPoint(Ini, Section, Key);
    } catch (const EConvertError&) {
    }
    (void)IniReadBool(Ini, Section, Key);
    (void)IniReadFontStyles(Ini, Section, Key);
    (void)IniReadAlignment(Ini, Section, Key);
    (void)IniReadStretchType(Ini, Section, Key);
    (void)IniReadMorphKind(Ini, Section, Key);
    (void)IniReadInactiveEffect(Ini, Section, Key);
    (void)Ini.ReadInteger(Section, Key, 0);
    (void)Ini.ReadFloat(Section, Key, 0);
    if (ListsLeft <= 0)
        return;
    TStringList list;
    if (EndsWith(Key, "linecount")) {
        --ListsLeft;
        IniReadLines(Ini, Section, Key.substr(0, Key.size() - 9), list);
    } else if (EndsWith(Key, "count")) {
        --ListsLeft;
        IniReadIndexedList(Ini, Section, Key.substr(0, Key.size() - 5), list);
    }
    if (list.Count() > MaxSkinListCount)
        __builtin_trap();
}

const std::string& ScratchFile()
{
    static const std::string path = [] {
        const auto dir = std::filesystem::temp_directory_path() / ("ombrix-fuzz-ini-" + std::to_string(getpid()));
        std::filesystem::create_directories(dir);
        return (dir / "fuzz.ini").string();
    }();
    return path;
}

// The file-backed ini: read what the text holds, write into it, take a key and a section out. It
// walks its lines for every key, so only the first keys are read: the readers are the same for all.
void ReadAsFile(const std::string& Text, const std::vector<std::pair<std::string, std::string>>& Keys)
{
    std::ofstream(ScratchFile(), std::ios::binary | std::ios::trunc) << Text;
    TIniFile ini(ScratchFile());
    for (std::size_t i = 0; i < Keys.size() && i < 32; ++i)
        (void)ini.ReadString(Keys[i].first, Keys[i].second, "");
    ini.WriteString("Fuzz", "written", "value");
    if (ini.ReadString("Fuzz", "written", "") != "value")
        __builtin_trap();
    if (!Keys.empty()) {
        ini.DeleteKey(Keys.front().first, Keys.front().second);
        ini.EraseSection(Keys.back().first);
    }
    ini.UpdateFile();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    TStringList lines;
    lines.SetText(text);
    TMemIniFile ini;
    ini.SetStrings(lines);
    const auto keys = ListedKeys(ini);
    int listsLeft = 4;
    for (const auto& [section, key] : keys) {
        // A key the ini lists is there to read: the default never comes back for it.
        if (ini.ReadString(section, key, "\x01missing") == "\x01missing" || !ini.SectionExists(section))
            __builtin_trap();
        ReadAsSkinValues(ini, section, key, listsLeft);
    }
    (void)IsSkinIniValid(ini);
    try {
        ReadAsFile(text, keys);
    } catch (const Exception&) {
    }
    return 0;
}
