#include "skin/grids/FileCtrlPaths.h"

#include <sys/stat.h>

#include "platform/rtl/Files.h"
#include "platform/vcl/TCanvas.h"

std::string ResolveFolder(const std::string& Base, const std::string& Name)
{
    if (!Name.empty() && Name.front() == '/') return ExcludeTrailingPathDelimiter(ExpandFileName(Name));
    return ExcludeTrailingPathDelimiter(ExpandFileName(JoinPath(Base, Name)));
}

TEditPath SplitEditPath(const std::string& Text, const std::string& Base)
{
    if (Text.size() >= 2 && Text.front() == '[' && Text.back() == ']')
        return {ResolveFolder(Base, Text.substr(1, Text.size() - 2)), {}};
    const std::size_t slash = Text.rfind('/');
    TEditPath parts;
    parts.Directory = slash == std::string::npos ? ResolveFolder(Base, ".") : ResolveFolder(Base, Text.substr(0, slash + 1));
    parts.FileName = slash == std::string::npos ? Text : Text.substr(slash + 1);
    const bool pattern = parts.FileName.find_first_of("*?") != std::string::npos;
    if (!parts.FileName.empty() && !pattern && DirectoryExists(JoinPath(parts.Directory, parts.FileName))) {
        parts.Directory = ResolveFolder(parts.Directory, parts.FileName);
        parts.FileName.clear();
    }
    return parts;
}

namespace {

// Drops the first directory level after any ".../" already in front and marks the cut with ".../".
std::string CutFirstLevel(std::string Dir)
{
    if (Dir == "/") return {};
    bool leadingSlash = !Dir.empty() && Dir.front() == '/';
    if (leadingSlash) Dir.erase(0, 1);
    if (Dir.rfind(".../", 0) == 0) Dir.erase(0, 4);
    const auto slash = Dir.find('/');
    Dir = slash == std::string::npos ? std::string() : ".../" + Dir.substr(slash + 1);
    if (leadingSlash) Dir.insert(0, "/");
    return Dir;
}

} // namespace

std::string MinimizePathName(const std::string& Path, const std::function<int(const std::string&)>& TextWidth,
    int MaxWidth)
{
    const auto slash = Path.rfind('/');
    std::string dir = slash == std::string::npos ? std::string() : Path.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? Path : Path.substr(slash + 1);
    std::string result = dir + name;
    while (!dir.empty() && TextWidth(result) > MaxWidth) {
        if (dir == "/.../")
            dir = ".../";
        else {
            std::string cut = CutFirstLevel(dir);
            // Every cut must shorten the directory part, or a strange path could keep us here forever.
            dir = cut.size() < dir.size() ? cut : std::string();
        }
        result = dir + name;
    }
    return result;
}

std::string MinimizePathName(const std::string& Path, TCanvas* Canvas, int MaxWidth)
{
    if (Canvas == nullptr) return Path;
    return MinimizePathName(Path, [Canvas](const std::string& s) { return Canvas->TextWidth(s); }, MaxWidth);
}

std::string VolumeCaption(const std::string& Root, const TVolumeSources& Sources)
{
    return "[" + VolumeLabel(Root, Sources) + "]";
}
