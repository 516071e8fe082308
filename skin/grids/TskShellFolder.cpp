#include "skin/grids/TskShellFolder.h"

#include "platform/rtl/Files.h"

#include <dirent.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <ctime>

#include "platform/rtl/Strings.h"
#include "platform/sys/Folders.h"
#include "skin/grids/ShellPictures.h"

namespace {

struct TRootInfo {
    const char* Name;
    int Id;
};

constexpr std::array<TRootInfo, RootFolderCount> kRoots = {{
    {"rfDesktop", 0}, {"rfMyComputer", 17}, {"rfNetwork", 18}, {"rfRecycleBin", 10}, {"rfAppData", 26},
    {"rfCommonDesktopDirectory", 25}, {"rfCommonPrograms", 23}, {"rfCommonStartMenu", 22}, {"rfCommonStartup", 24},
    {"rfControlPanel", 3}, {"rfDesktopDirectory", 16}, {"rfFavorites", 6}, {"rfFonts", 20}, {"rfInternet", 1},
    {"rfPersonal", 5}, {"rfPrinters", 4}, {"rfPrintHood", 27}, {"rfPrograms", 2}, {"rfRecent", 8}, {"rfSendTo", 9},
    {"rfStartMenu", 11}, {"rfStartup", 7}, {"rfTemplates", 21},
}};

bool StatPath(const std::string& Path, struct stat& Data, bool FollowLinks = true)
{
    return (FollowLinks ? ::stat(Path.c_str(), &Data) : ::lstat(Path.c_str(), &Data)) == 0;
}

bool IsDirectory(const std::string& Path)
{
    struct stat data {};
    return StatPath(Path, data) && S_ISDIR(data.st_mode);
}

std::string JoinName(const std::string& Folder, const std::string& Name)
{
    return Folder == "/" ? "/" + Name : Folder + "/" + Name;
}

// A folder's entries without "." and "..".
std::vector<std::string> Entries(const std::string& Folder)
{
    std::vector<std::string> names;
    DIR* dir = ::opendir(Folder.c_str());
    if (!dir)
        return names;
    while (dirent* e = ::readdir(dir)) {
        const std::string name = e->d_name;
        if (name != "." && name != "..")
            names.push_back(name);
    }
    ::closedir(dir);
    return names;
}

bool ZipByName(const std::string& Path)
{
    const std::size_t dot = Path.rfind('.');
    const std::size_t slash = Path.rfind('/');
    return dot != std::string::npos && (slash == std::string::npos || dot > slash) && UpperCase(Path.substr(dot)) == ".ZIP";
}

bool Wanted(const std::string& Folder, const std::string& Name, TShellObjectTypes Types, bool* IsFolderOut = nullptr)
{
    if (!Types.Contains(otHidden) && !Name.empty() && Name[0] == '.')
        return false;
    const std::string path = JoinName(Folder, Name);
    const bool folder = IsDirectory(path) && !ZipByName(path);
    if (IsFolderOut)
        *IsFolderOut = folder;
    return folder ? Types.Contains(otFolders) : Types.Contains(otNonFolders);
}

std::string LocalTimeText(std::time_t Time)
{
    std::tm local{};
    if (!localtime_r(&Time, &local))
        return "-1";
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
    return text;
}

} // namespace

const char* RootFolderName(TskRootFolder Folder)
{
    return kRoots[static_cast<std::size_t>(Folder)].Name;
}

int RootFolderId(TskRootFolder Folder)
{
    return kRoots[static_cast<std::size_t>(Folder)].Id;
}

bool RootFolderFromName(const std::string& Name, TskRootFolder& Folder)
{
    for (int i = 0; i < RootFolderCount; ++i)
        if (SameText(Name, kRoots[static_cast<std::size_t>(i)].Name)) {
            Folder = static_cast<TskRootFolder>(i);
            return true;
        }
    return false;
}

std::string RootFolderPath(TskRootFolder Folder)
{
    const std::string home = UserHomeFolder();
    const std::string data = UserDataFolder();
    std::string path;
    switch (Folder) {
    case rfDesktop:
    case rfMyComputer:
        return "/";
    case rfPersonal:
        try {
            path = UserDocumentsFolder();
        } catch (const Exception&) {
        }
        break;
    case rfDesktopDirectory: path = UserDesktopFolder(); break;
    case rfAppData: path = data; break;
    case rfRecycleBin: path = data.empty() ? "" : data + "Trash/files/"; break;
    case rfFonts: path = data.empty() ? "" : data + "fonts/"; break;
    case rfPrograms:
    case rfStartMenu: path = data.empty() ? "" : data + "applications/"; break;
    case rfStartup: path = home.empty() ? "" : home + ".config/autostart/"; break;
    case rfTemplates: path = home.empty() ? "" : home + "Templates/"; break;
    case rfRecent: path = data.empty() ? "" : data + "recently-used.xbel"; break;
    default: break; // printers, network, control panel...: no folder on this desktop
    }
    return !path.empty() && IsDirectory(path) ? path : std::string();
}

int ObjectTypeFlags(TShellObjectTypes Types)
{
    return (Types.Contains(otFolders) ? 32 : 0) | (Types.Contains(otNonFolders) ? 64 : 0) | (Types.Contains(otHidden) ? 128 : 0);
}

// ---------------------------------------------------------------------------------------------

TskShellFolder::TskShellFolder(TskShellFolder* Parent, const TItemIDList& ID) : FItemID(ID)
{
    if (ListSize(FItemID) == 0)
        FItemID = TItemIDList{0, 0};
    // A node made without a parent hangs below the namespace root.
    FParent = Parent ? Parent : Desktop();
    FFullID = ConcatIDLists(FParent->FullID(), FItemID);
    FLevel = FParent == Desktop() ? 0 : FParent->Level() + 1;
}

TskShellFolder::TskShellFolder() : FParent(nullptr), FItemID{0, 0}, FFullID{0, 0} {}

TskShellFolder::~TskShellFolder() = default;

TskShellFolder* TskShellFolder::Desktop()
{
    static TskShellFolder* const desktop = new TskShellFolder();
    return desktop;
}

std::string TskShellFolder::DisplayName() const
{
    if (ItemCount(FItemID) == 0)
        return ItemCount(FFullID) == 0 ? "/" : ItemName(CopyLastID(FFullID), 0);
    return ItemName(CopyLastID(FItemID), 0);
}

std::string TskShellFolder::PathName() const
{
    return PathFromIDList(FFullID);
}

bool TskShellFolder::IsFolder() const
{
    return IsDirectory(PathName()) && !ZipByName(PathName());
}

int TskShellFolder::IconIndex(bool Open) const
{
    return ShellIconOf(PathName(), IsFolder(), Open);
}

bool TskShellFolder::HasSubFolders() const
{
    return HasChildren(TShellObjectTypes{otFolders});
}

bool TskShellFolder::Hidden() const
{
    const std::string name = DisplayName();
    return name.size() > 1 && name[0] == '.';
}

bool TskShellFolder::IsLink() const
{
    struct stat data {};
    return StatPath(PathName(), data, false) && S_ISLNK(data.st_mode);
}

bool TskShellFolder::ReadOnly() const
{
    return ::access(PathName().c_str(), W_OK) != 0;
}

bool TskShellFolder::CanRename() const
{
    // Renaming writes the parent folder.
    if (ItemCount(FFullID) == 0)
        return false;
    TItemIDList parent = FFullID;
    StripLastID(parent);
    return ::access(PathFromIDList(parent).c_str(), W_OK) == 0;
}

bool TskShellFolder::HasChildren(TShellObjectTypes Types) const
{
    if (!IsFolder())
        return false;
    const std::string folder = PathName();
    for (const std::string& name : Entries(folder))
        if (Wanted(folder, name, Types))
            return true;
    return false;
}

std::vector<std::unique_ptr<TskShellFolder>> TskShellFolder::Children(TShellObjectTypes Types)
{
    std::vector<std::unique_ptr<TskShellFolder>> folders;
    std::vector<std::unique_ptr<TskShellFolder>> files;
    if (!IsFolder())
        return folders;
    const std::string folder = PathName();
    std::vector<std::string> names = Entries(folder);
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) { return AnsiCompareText(a, b) < 0; });
    for (const std::string& name : names) {
        bool isFolder = false;
        if (!Wanted(folder, name, Types, &isFolder))
            continue;
        bool ok = false;
        const TItemIDList id = IDListFromPath(name, &ok);
        if (!ok)
            continue;
        (isFolder ? folders : files).push_back(std::make_unique<TskShellFolder>(this, id));
    }
    for (auto& f : files)
        folders.push_back(std::move(f));
    return folders;
}

void TskShellFolder::Rename(const std::string& NewName)
{
    bool ok = false;
    const TItemIDList newItem = IDListFromPath(NewName, &ok);
    if (!CanRename() || !ok || NewName.empty() || NewName.find('/') != std::string::npos || ItemCount(newItem) != 1)
        throw Exception(Format("Rename to %s failed", {NewName}));
    TItemIDList parent = FFullID;
    StripLastID(parent);
    const std::string target = JoinName(PathFromIDList(parent), NewName);
    // Never over an existing name: renaming is not replacing (and no other program's file can slip in
    // between a look and the rename).
    if (!RenameFile(PathName(), target))
        throw Exception(Format("Rename to %s failed", {NewName}));
    StripLastID(FItemID);
    FItemID = ConcatIDLists(FItemID, newItem);
    FFullID = ConcatIDLists(parent, newItem);
}

void TskShellFolder::LoadColumnDetails(TskShellFolder* /*Root*/, int ColumnCount)
{
    if (FDetails.Count() >= ColumnCount)
        return;
    FDetails.Clear();
    struct stat data {};
    if (!StatPath(PathName(), data))
        return;
    const std::string name = DisplayName();
    const std::size_t dot = name.rfind('.');
    const bool folder = S_ISDIR(data.st_mode);
    for (int column = 1; column <= ColumnCount; ++column) {
        switch (column) {
        case 1: FDetails.Add(IntToStr(SizeOf(data))); break;
        case 2: FDetails.Add(!folder && dot != std::string::npos && dot > 0 ? name.substr(dot) : std::string()); break;
        case 3: FDetails.Add(folder ? std::string("-1") : LocalTimeText(data.st_mtime)); break;
        case 4: {
            // The attribute bits a file list shows: read-only 1, hidden 2, folder 16, else archive 32.
            int bits = folder ? 16 : 32;
            if (ReadOnly())
                bits |= 1;
            if (Hidden())
                bits |= 2;
            FDetails.Add(IntToStr(bits));
            break;
        }
        default: FDetails.Add(""); break;
        }
    }
}

std::string TskShellFolder::Details(int Column) const
{
    if (FDetails.Count() == 0)
        throw Exception(Format("%s: Missing call to LoadColumnDetails", {DisplayName()}));
    return Column >= 1 && Column <= FDetails.Count() ? FDetails[Column - 1] : std::string();
}

struct stat TskShellFolder::FileData() const
{
    struct stat data {};
    if (!StatPath(PathName(), data)) {
        const int error = errno;
        throw EInvalidPath(Format("Unable to retrieve folder details for \"%s\". Error code $%x", {PathName(), error}));
    }
    return data;
}

long long TskShellFolder::SizeOf(const struct stat& Data)
{
    return S_ISDIR(Data.st_mode) ? -1 : static_cast<long long>(Data.st_size);
}

TItemIDList NearestExistingFolder(const TItemIDList& ID)
{
    TItemIDList id = ID;
    if (ListSize(id) == 0)
        return TItemIDList{0, 0};
    while (ItemCount(id) > 0 && !IsDirectory(PathFromIDList(id)))
        StripLastID(id);
    return id;
}

std::unique_ptr<TskShellFolder> CreateRootFolder(const std::string& Root)
{
    std::string path;
    TskRootFolder named{};
    if (RootFolderFromName(Root, named)) {
        path = RootFolderPath(named);
    } else if (!Root.empty()) {
        path = Root;
        // Only "~" and "~/..." are the home folder; "~x" is a name like any other.
        if (path == "~" || path.rfind("~/", 0) == 0)
            path = UserHomeFolder() + path.substr(std::min<std::size_t>(2, path.size()));
    }
    bool ok = false;
    const TItemIDList id = IDListFromPath(path, &ok);
    if (path.empty() || path[0] != '/' || !ok || !IsDirectory(path))
        throw Exception(Format("Error setting path: \"%s\"", {Root}));
    return std::make_unique<TskShellFolder>(TskShellFolder::Desktop(), id);
}
