#include "skin/data/StoredSkinForms.h"

#include <algorithm>
#include <vector>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/Strings.h"
#include "platform/rtl/TStream.h"
#include "platform/vcl/FormParser.h"
#include "skin/data/SkinDataClasses.h"
#include "skin/data/TskCompressedStoredSkin.h"
#include "skin/data/TskSkinData.h"

namespace {

const char* const StoredSkinClass = "TskCompressedStoredSkin";
const char* const StoredDataProperty = "CompressedData";
// Hex digits per line, as the component library writes binary data.
constexpr std::size_t HexDigitsPerLine = 64;

struct TStoredSkinPlace {
    std::string Name;
    std::string FileName;
    int EndLine = 0;
};

void FindStoredSkins(const TFormObject& Object, std::vector<TStoredSkinPlace>& Found)
{
    if (SameText(Object.ClassName, StoredSkinClass)) {
        const std::string name = Object.Name.empty() ? Object.ClassName : Object.Name;
        TStoredSkinPlace place{name, "", Object.EndLine};
        bool named = false;
        for (const TFormProp& prop : Object.Props) {
            if (SameText(prop.Path, StoredDataProperty))
                throw Exception("Stored skin " + name + " carries stored data already; the build makes it from "
                                "the skin ini its FileName names");
            if (SameText(prop.Path, "FileName") && prop.Value.Type == vaString) {
                place.FileName = prop.Value.Str;
                named = true;
            }
        }
        if (!named || Trim(place.FileName).empty())
            throw Exception("Stored skin " + name + " names no skin ini (FileName)");
        if (place.FileName.find_first_of("/\\:") != std::string::npos)
            throw Exception("Stored skin " + name + ": FileName \"" + place.FileName +
                            "\" must be the name of a skin ini in the skin folder, without a folder");
        Found.push_back(place);
    }
    for (const TFormObject& child : Object.Children)
        FindStoredSkins(child, Found);
}

// "CompressedData = {", the bytes in upper-case hex a line at a time, and "}" after the last digit.
std::vector<std::string> BinaryPropertyLines(const std::string& Bytes, const std::string& Indent)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string hex;
    hex.reserve(Bytes.size() * 2);
    for (const char c : Bytes) {
        const auto b = static_cast<unsigned char>(c);
        hex += digits[b >> 4];
        hex += digits[b & 0x0F];
    }
    std::vector<std::string> lines{Indent + StoredDataProperty + " = {"};
    for (std::size_t at = 0; at < hex.size(); at += HexDigitsPerLine)
        lines.push_back(Indent + "  " + hex.substr(at, HexDigitsPerLine));
    lines.back() += "}";
    return lines;
}

std::string PackedBytes(const TStoredSkinPlace& Place, const std::string& SkinFolder)
{
    TskCompressedStoredSkin skin(nullptr);
    try {
        BuildLoadableSkin(skin, IncludeTrailingPathDelimiter(SkinFolder) + Place.FileName);
    } catch (const Exception& e) {
        throw Exception("Stored skin " + Place.Name + ": " + e.Message());
    }
    TMemoryStream& data = skin.StoredData();
    return std::string(static_cast<const char*>(data.Memory()), static_cast<std::size_t>(data.Size()));
}

} // namespace

void BuildLoadableSkin(TskCompressedStoredSkin& Skin, const std::string& IniFileName)
{
    TskCompressedStoredSkin built(nullptr);
    built.BuildFromSkinIni(IniFileName);
    // Every entry loads into its real class, as at the program's start, so it reads what the program reads.
    RegisterSkinDataClasses();
    TskSkinData check(nullptr);
    check.LoadStoredSkin(&built);
    // Taken only once it loads: a refused skin leaves the stored skin as it was.
    TMemoryStream& data = Skin.StoredData();
    data.Clear();
    built.StoredData().SaveToStream(data);
    data.SetPosition(0);
}

std::string StoreSkinsInForm(const std::string& FormText, const std::string& SkinFolder)
{
    std::vector<TStoredSkinPlace> places;
    FindStoredSkins(ParseFormText(FormText), places);

    std::vector<std::string> lines;
    for (std::size_t start = 0;;) {
        const std::size_t end = FormText.find('\n', start);
        lines.push_back(FormText.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos)
            break;
        start = end + 1;
    }

    // From the last object up, so that the lines of an earlier one keep their numbers.
    std::sort(places.begin(), places.end(), [](const auto& a, const auto& b) { return a.EndLine > b.EndLine; });
    for (const TStoredSkinPlace& place : places) {
        const std::size_t at = static_cast<std::size_t>(place.EndLine - 1);
        const std::string& endLine = lines.at(at);
        if (!SameText(Trim(endLine), "end"))
            throw Exception("Stored skin " + place.Name + ": its \"end\" (line " + IntToStr(place.EndLine) +
                            ") must stand on a line of its own");
        // One level deeper than the "end", with the line ends the description already uses.
        const std::string indent = endLine.substr(0, endLine.find_first_not_of(" \t")) + "  ";
        const bool crlf = !endLine.empty() && endLine.back() == '\r';
        std::vector<std::string> added = BinaryPropertyLines(PackedBytes(place, SkinFolder), indent);
        if (crlf)
            for (std::string& line : added)
                line += '\r';
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), added.begin(), added.end());
    }

    std::string out;
    out.reserve(FormText.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0)
            out += '\n';
        out += lines[i];
    }
    return out;
}
