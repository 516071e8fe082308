#include "platform/rtl/IniFiles.h"

#include <algorithm>
#include <climits>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/Strings.h"
#include "platform/rtl/TStream.h"
#include "platform/rtl/TStringList.h"

namespace {

// The key of a "key=value" line, trimmed; false for a line without "=".
bool LineKey(const std::string& line, std::string& key)
{
    size_t p = line.find('=');
    if (p == std::string::npos) {
        return false;
    }
    key = Trim(std::string_view(line).substr(0, p));
    return true;
}

std::string LineValue(const std::string& line)
{
    size_t p = line.find('=');
    return p == std::string::npos ? std::string() : Trim(std::string_view(line).substr(p + 1));
}

// "[name]" after trimming: true and the trimmed name.
bool IsHeader(const std::string& line, std::string& name)
{
    std::string t = Trim(line);
    if (t.size() < 2 || t.front() != '[' || t.back() != ']') {
        return false;
    }
    name = Trim(std::string_view(t).substr(1, t.size() - 2));
    return true;
}

} // namespace

// --- TCustomIniFile ----------------------------------------------------------------------------

int TCustomIniFile::ReadInteger(const std::string& section, const std::string& ident, int def) const
{
    // StrToIntDef reads "$1F" and "0x1F" alike.
    return StrToIntDef(ReadString(section, ident, ""), def);
}

void TCustomIniFile::WriteInteger(const std::string& section, const std::string& ident, int value)
{
    WriteString(section, ident, IntToStr(value));
}

double TCustomIniFile::ReadFloat(const std::string& section, const std::string& ident, double def) const
{
    return StrToFloatDef(ReadString(section, ident, ""), def);
}

// --- TMemIniFile -------------------------------------------------------------------------------

struct TMemIniFile::TSection {
    std::string Name;
    std::vector<std::string> Lines;  // "key=value" (trimmed around "="), or a line without "="
    // Lower-case key -> its first line. A skin's lists read tens of thousands of keys of one section;
    // walking the section for each would make a load take the square of its size.
    std::unordered_map<std::string, size_t> Keys;

    int IndexOfKey(const std::string& ident) const
    {
        auto it = Keys.find(LowerCase(ident));
        return it == Keys.end() ? -1 : static_cast<int>(it->second);
    }

    void Append(std::string line)
    {
        Lines.push_back(std::move(line));
        IndexLine(Lines.size() - 1);
    }

    void Erase(size_t index)
    {
        Lines.erase(Lines.begin() + static_cast<std::ptrdiff_t>(index));
        // The later lines moved up by one; deleting a key is rare enough to index the section again.
        Keys.clear();
        for (size_t i = 0; i < Lines.size(); ++i) IndexLine(i);
    }

private:
    void IndexLine(size_t index)
    {
        std::string key;
        // A repeated key keeps its first line: that is the one read.
        if (LineKey(Lines[index], key)) Keys.try_emplace(LowerCase(key), index);
    }
};

TMemIniFile::TMemIniFile(const std::string& fileName) : TCustomIniFile(fileName)
{
    LoadFromFile();
}

TMemIniFile::~TMemIniFile() = default;

void TMemIniFile::LoadFromFile()
{
    Clear();
    if (FileName().empty() || !FileExists(FileName())) {
        return;
    }
    TStringList list;
    list.LoadFromFile(FileName());
    SetStrings(list);
}

TMemIniFile::TSection* TMemIniFile::FindSection(const std::string& name) const
{
    auto it = FIndex.find(LowerCase(name));
    return it == FIndex.end() ? nullptr : it->second;
}

TMemIniFile::TSection& TMemIniFile::AddSection(const std::string& name)
{
    if (TSection* s = FindSection(name)) {
        return *s;
    }
    FSections.push_back(std::make_unique<TSection>());
    TSection* s = FSections.back().get();
    s->Name = name;
    FIndex[LowerCase(name)] = s;
    return *s;
}

int TMemIniFile::LineCount() const
{
    size_t n = 0;
    for (const auto& section : FSections) n += section->Lines.size();
    return static_cast<int>(std::min<size_t>(n, INT_MAX));
}

void TMemIniFile::Clear()
{
    FSections.clear();
    FIndex.clear();
}

std::string TMemIniFile::ReadString(const std::string& section, const std::string& ident, const std::string& def) const
{
    const TSection* s = FindSection(section);
    if (!s) {
        return def;
    }
    int i = s->IndexOfKey(ident);
    if (i < 0) {
        return def;
    }
    const std::string& line = s->Lines[static_cast<size_t>(i)];
    return line.substr(line.find('=') + 1);
}

void TMemIniFile::WriteString(const std::string& section, const std::string& ident, const std::string& value)
{
    TSection& s = AddSection(section);
    std::string line = ident + "=" + value;
    int i = s.IndexOfKey(ident);
    if (i >= 0) {
        s.Lines[static_cast<size_t>(i)] = std::move(line);
    } else {
        s.Append(std::move(line));
    }
}

void TMemIniFile::EraseSection(const std::string& section)
{
    TSection* s = FindSection(section);
    if (!s) {
        return;
    }
    FIndex.erase(LowerCase(section));
    std::erase_if(FSections, [s](const std::unique_ptr<TSection>& p) { return p.get() == s; });
}

void TMemIniFile::DeleteKey(const std::string& section, const std::string& ident)
{
    if (TSection* s = FindSection(section)) {
        int i = s->IndexOfKey(ident);
        if (i >= 0) {
            s->Erase(static_cast<size_t>(i));
        }
    }
}

bool TMemIniFile::SectionExists(const std::string& section) const { return FindSection(section) != nullptr; }

void TMemIniFile::UpdateFile()
{
    if (FileName().empty()) {
        return;
    }
    TStringList list;
    GetStrings(list);
    list.SaveToFile(FileName());
}

void TMemIniFile::GetStrings(TStrings& list) const
{
    list.BeginUpdate();
    list.Clear();
    for (const auto& s : FSections) {
        list.Add("[" + s->Name + "]");
        for (const std::string& line : s->Lines) {
            list.Add(line);
        }
        list.Add("");
    }
    list.EndUpdate();
}

void TMemIniFile::SetStrings(const TStrings& list)
{
    Clear();
    TSection* current = nullptr;
    std::string name;
    const int count = list.Count();
    for (int i = 0; i < count; ++i) {
        std::string line = Trim(list.Get(i));
        if (line.empty() || line[0] == ';') {
            continue;
        }
        if (IsHeader(line, name)) {
            current = &AddSection(name);
        } else if (current) {
            size_t p = line.find('=');
            if (p != std::string::npos) {
                line = Trim(std::string_view(line).substr(0, p)) + "=" + Trim(std::string_view(line).substr(p + 1));
            }
            current->Append(std::move(line));
        }
    }
}

void TMemIniFile::Rename(const std::string& fileName, bool reload)
{
    SetFileName(fileName);
    if (reload) {
        LoadFromFile();
    }
}

// --- TIniFile ----------------------------------------------------------------------------------

TIniFile::TIniFile(const std::string& fileName) : TCustomIniFile(fileName)
{
    Load();
}

TIniFile::~TIniFile() = default;

void TIniFile::Load()
{
    FLines.clear();
    if (FileName().empty() || !FileExists(FileName())) {
        return;
    }
    TStringList list;
    list.LoadFromFile(FileName());
    FLines.reserve(static_cast<size_t>(list.Count()));
    for (int i = 0; i < list.Count(); ++i) {
        FLines.push_back(list.Get(i));
    }
}

void TIniFile::Save()
{
    std::string text;
    for (const std::string& line : FLines) {
        text += line;
        text += "\r\n";
    }
    try {
        TFileStream stream(FileName(), fmCreate);
        stream.WriteBuffer(text.data(), static_cast<int64_t>(text.size()));
    } catch (const EStreamError&) {
        throw EIniFileException("Unable to write to " + FileName());
    }
}

std::vector<std::pair<int, int>> TIniFile::SectionRanges(const std::string& section) const
{
    std::vector<std::pair<int, int>> ranges;
    std::string name;
    const int n = static_cast<int>(FLines.size());
    for (int i = 0; i < n; ++i) {
        if (IsHeader(FLines[static_cast<size_t>(i)], name) && SameText(name, section)) {
            int end = i + 1;
            while (end < n && !IsHeader(FLines[static_cast<size_t>(end)], name)) {
                ++end;
            }
            ranges.emplace_back(i, end);
            i = end - 1;
        }
    }
    return ranges;
}

int TIniFile::FindKey(const std::string& section, const std::string& ident) const
{
    std::string key;
    for (auto [header, end] : SectionRanges(section)) {
        for (int i = header + 1; i < end; ++i) {
            const std::string& line = FLines[static_cast<size_t>(i)];
            std::string t = TrimLeft(line);
            if (!t.empty() && t[0] != ';' && LineKey(t, key) && SameText(key, ident)) {
                return i;
            }
        }
    }
    return -1;
}

std::string TIniFile::ReadString(const std::string& section, const std::string& ident, const std::string& def) const
{
    int i = FindKey(section, ident);
    return i < 0 ? def : LineValue(FLines[static_cast<size_t>(i)]);
}

void TIniFile::WriteString(const std::string& section, const std::string& ident, const std::string& value)
{
    std::string line = ident + "=" + value;
    int i = FindKey(section, ident);
    if (i >= 0) {
        FLines[static_cast<size_t>(i)] = std::move(line);
    } else {
        auto ranges = SectionRanges(section);
        if (ranges.empty()) {
            if (!FLines.empty() && !Trim(FLines.back()).empty()) {
                FLines.emplace_back();
            }
            FLines.push_back("[" + section + "]");
            FLines.push_back(std::move(line));
        } else {
            // After the section's last non-empty line, so a blank line before the next section stays.
            auto [header, end] = ranges.front();
            int at = end;
            while (at > header + 1 && Trim(FLines[static_cast<size_t>(at - 1)]).empty()) {
                --at;
            }
            FLines.insert(FLines.begin() + at, std::move(line));
        }
    }
    Save();
}

void TIniFile::EraseSection(const std::string& section)
{
    auto ranges = SectionRanges(section);
    if (ranges.empty()) {
        return;
    }
    for (auto it = ranges.rbegin(); it != ranges.rend(); ++it) {
        FLines.erase(FLines.begin() + it->first, FLines.begin() + it->second);
    }
    Save();
}

void TIniFile::DeleteKey(const std::string& section, const std::string& ident)
{
    int i = FindKey(section, ident);
    if (i < 0) {
        return;
    }
    FLines.erase(FLines.begin() + i);
    Save();
}

bool TIniFile::SectionExists(const std::string& section) const { return !SectionRanges(section).empty(); }

void TIniFile::UpdateFile() { Load(); }
