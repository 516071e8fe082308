#include "app/om_functions.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/Strings.h"
#include "platform/rtl/TStringList.h"
#include "platform/sys/Folders.h"
#include "platform/sys/ShellLink.h"
#include "platform/sys/Volumes.h"
#include "skin/grids/TskSkinStringGrid.h"
#include "app/om_tables.h"

namespace fs = std::filesystem;

namespace {

// The maker's product comparison page the desktop shortcut points at.
const char* const MakerComparisonUrl = "https://www.ombrix.example.com/compare/";

// A file of 4 GiB or more, or one bigger than Limit blocks of 1,024,000 bytes. The size is compared
// whole: dividing first would round a file of 1.9 blocks down to 1 and pass it over.
bool IsRegularFileLargerThan(const std::string& Path, std::int64_t Limit)
{
    const std::int64_t size = FileSize(Path); // -1 for anything that is not a regular file
    if (size < 0)
        return false;
    return (size >> 32) != 0 || size > Limit * 1024000;
}

std::string ProgramFolder()
{
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec)
        return WithTrailingSlash(GetCurrentDir());
    return WithTrailingSlash(exe.parent_path().string());
}

// The path without trailing "/" (the root stays "/").
std::string WithoutTrailingSlash(std::string Path)
{
    while (Path.size() > 1 && Path.back() == '/')
        Path.pop_back();
    return Path;
}

// Number of UTF-8 characters; continuation bytes do not count.
std::size_t Utf8Length(const std::string& Text)
{
    std::size_t n = 0;
    for (unsigned char c : Text)
        if ((c & 0xC0) != 0x80)
            ++n;
    return n;
}

// The first Count UTF-8 characters.
std::string Utf8Prefix(const std::string& Text, std::size_t Count)
{
    std::size_t chars = 0;
    for (std::size_t i = 0; i < Text.size(); ++i) {
        if ((static_cast<unsigned char>(Text[i]) & 0xC0) != 0x80) {
            if (chars == Count)
                return Text.substr(0, i);
            ++chars;
        }
    }
    return Text;
}

void WalkFolder(const std::string& Folder, const std::string& Mask, TStrings& List)
{
    const std::string folder = WithTrailingSlash(Folder);
    AddMatchingFiles(folder, Mask, List);
    TSearchRec rec;
    if (FindFirst(folder + "*", faDirectory | faHidden | faSysFile | faReadOnly | faArchive, rec) == 0) {
        do {
            if ((rec.Attr & faDirectory) == 0 || rec.Name == "." || rec.Name == "..")
                continue;
            // A link to a folder is not followed: it could lead back up and never end.
            std::error_code ec;
            if (fs::is_symlink(folder + rec.Name, ec))
                continue;
            WalkFolder(folder + rec.Name, Mask, List);
        } while (FindNext(rec) == 0);
    }
    FindClose(rec);
}

} // namespace

// ---------------------------------------------------------------------------------------------
// paths

std::string WithTrailingSlash(const std::string& Folder)
{
    if (Folder.empty() || Folder.back() == '/')
        return Folder;
    return Folder + "/";
}

// ---------------------------------------------------------------------------------------------
// shell folders

std::string GetDesktopFolder()
{
    return UserDesktopFolder();
}

std::string GetMyDocumentsFolder()
{
    const std::string folder = UserDocumentsFolder();
    if (folder.empty())
        throw Exception("Could not determine My Documents path");
    return WithTrailingSlash(folder);
}

std::string GetAppDataFolder()
{
    const std::string folder = UserDataFolder();
    return folder.empty() ? ProgramFolder() : WithTrailingSlash(folder);
}

void CreateDesktopShortcut()
{
    const std::string desktop = GetDesktopFolder();
    if (desktop.empty() || !DirectoryExists(desktop))
        return; // no desktop to put it on; nothing else depends on the shortcut
    const std::string entry = desktop + "Faster Ombrix.desktop";
    const std::string scratch = desktop + ".Faster Ombrix.desktop.new";
    {
        std::ofstream out(scratch, std::ios::binary | std::ios::trunc);
        out << "[Desktop Entry]\n"
               "Version=1.0\n"
               "Type=Link\n"
               "Name=Faster Ombrix\n"
               "URL="
            << MakerComparisonUrl << "\n";
        if (!out.flush()) {
            std::error_code ec;
            fs::remove(scratch, ec);
            return;
        }
    }
    // Desktops open an entry on the desktop without asking only when it is executable, the mark of an
    // entry its owner put there. The whole file replaces the old one at once: never half an entry.
    ::chmod(scratch.c_str(), 0755);
    std::error_code ec;
    fs::rename(scratch, entry, ec);
    if (ec)
        fs::remove(scratch, ec);
}

// ---------------------------------------------------------------------------------------------
// drives, volumes, files

bool IsDriveRoot(const std::string& Path)
{
    if (Path.empty())
        return false;
    const std::string root = WithTrailingSlash(Path);
    for (const TOpticalVolume& volume : GetOpticalVolumes())
        if (!volume.RootPath.empty() && volume.RootPath == root)
            return true;
    return false;
}

bool IsDriveReady(const std::string& Drive)
{
    if (Drive.empty())
        return false;
    const std::string root = WithTrailingSlash(Drive);
    for (const TOpticalVolume& volume : GetOpticalVolumes())
        if (volume.RootPath == root)
            return volume.Ready;
    return DirectoryExists(Drive);
}

bool IsDvdSource(const std::string& Path)
{
    std::string path = Path;
    if (const int star = Pos('*', path); star > 0)
        Delete(path, star, 1);
    if (path.empty())
        return false;
    // Only a location on a disc counts, as the drive-type test did; a DVD folder on a hard disk is
    // found through its VOB files instead.
    const std::string target = WithTrailingSlash(path);
    bool onDisc = false;
    for (const TOpticalVolume& volume : GetOpticalVolumes())
        if (!volume.RootPath.empty() && target.compare(0, volume.RootPath.size(), volume.RootPath) == 0)
            onDisc = true;
    return onDisc && IsDvdFolder(path);
}

bool HoldsIfoFiles(const std::string& Folder)
{
    TStringList found;
    AddMatchingFiles(WithTrailingSlash(Folder), "*.ifo", found);
    return found.Count() > 0;
}

bool IsDvdFolder(const std::string& Folder)
{
    if (Folder.empty() || !DirectoryExists(Folder))
        return false;
    if (HoldsIfoFiles(Folder))
        return true;
    // The disc's own folder name is written in any case ("VIDEO_TS", "video_ts").
    const std::string folder = WithTrailingSlash(Folder);
    TSearchRec rec;
    bool dvd = false;
    if (FindFirst(folder + "video_ts", faDirectory | faReadOnly | faHidden | faSysFile | faArchive, rec) == 0) {
        do {
            dvd = (rec.Attr & faDirectory) != 0 && HoldsIfoFiles(folder + rec.Name);
        } while (!dvd && FindNext(rec) == 0);
    }
    FindClose(rec);
    return dvd;
}

std::string GetVolumeTitle(const std::string& Path)
{
    std::string path = Path;
    for (int i = 0; i < 2; ++i)
        if (const int quote = Pos('"', path); quote > 0)
            Delete(path, quote, 1);
    std::string title = path.empty() ? std::string() : VolumeLabel(path);
    if (title.empty()) {
        const std::string name = ExtractFileName(WithoutTrailingSlash(path));
        if (IsLargeFile(path))
            title = Trim(name.substr(0, name.size() >= 4 ? name.size() - 4 : 0));
        else
            title = name;
    }
    return CleanTitleText(title);
}

bool IsLargeFile(const std::string& Path)
{
    return IsRegularFileLargerThan(Path, 900);
}

bool IsNonEmptyFile(const std::string& Path)
{
    return IsRegularFileLargerThan(Path, 1);
}

std::string ResolveShortcut(const std::string& Path)
{
    if (UpperCase(ExtractFileExt(Path)) != ".LNK")
        return "NOT a shortuct by extension!";
    return ResolveShellLink(Path);
}

void FindFiles(const std::string& Folder, const std::string& Mask, TStrings& List)
{
    List.Clear();
    if (Folder.empty())
        return;
    List.BeginUpdate();
    try {
        WalkFolder(Folder, Mask, List);
    } catch (...) {
        List.EndUpdate();
        throw;
    }
    List.EndUpdate();
}

void AddMatchingFiles(const std::string& Folder, const std::string& Mask, TStrings& List)
{
    TSearchRec rec;
    if (FindFirst(Folder + Mask, faReadOnly | faHidden | faSysFile | faVolumeID | faArchive, rec) == 0) {
        do {
            if ((rec.Attr & faDirectory) == 0)
                List.Add(Folder + rec.Name);
        } while (FindNext(rec) == 0);
    }
    FindClose(rec);
}

bool NotYetScanned(const std::string& Name, const std::string& Kind, const TskSkinStringGrid& Table)
{
    std::string volumeTitle;
    if (Kind == "dvd") {
        volumeTitle = GetVolumeTitle(Name);
        if (const int star = Pos('*', volumeTitle); star > 0)
            Delete(volumeTitle, star, 1);
        volumeTitle = LowerCase(volumeTitle);
    } else if (Kind != "vid") {
        return true;
    }
    for (int row = 0; row < Table.RowCount(); ++row) {
        if (Table.Cells(SourceRecord::SourcePath, row) != Name)
            continue;
        if (Kind == "vid" || Pos(volumeTitle, " " + LowerCase(Table.Cells(SourceRecord::Title, row))) > 0)
            return false;
    }
    return true;
}

std::vector<bool> FilesInUse(const std::vector<std::string>& Paths)
{
    std::vector<bool> inUse(Paths.size(), false);
    // The files to look for, by device and inode, so links and other spellings of a path count too.
    std::map<std::pair<dev_t, ino_t>, std::vector<std::size_t>> wanted;
    for (std::size_t i = 0; i < Paths.size(); ++i) {
        struct stat target {};
        if (stat(Paths[i].c_str(), &target) == 0 && S_ISREG(target.st_mode))
            wanted[{target.st_dev, target.st_ino}].push_back(i);
    }
    if (wanted.empty())
        return inUse;
    // There are no exclusive opens here: a file is in use when some process (of ours to see) holds
    // it open for writing. A look through every process's descriptors is what costs, so one look
    // serves all the files.
    std::error_code ec;
    for (const auto& process : fs::directory_iterator("/proc", ec)) {
        const std::string pid = process.path().filename().string();
        if (pid.find_first_not_of("0123456789") != std::string::npos)
            continue;
        std::error_code fdError;
        for (const auto& fd : fs::directory_iterator(process.path() / "fd", fdError)) {
            struct stat opened {};
            if (stat(fd.path().c_str(), &opened) != 0)
                continue;
            const auto it = wanted.find({opened.st_dev, opened.st_ino});
            if (it == wanted.end())
                continue;
            std::ifstream info(process.path() / "fdinfo" / fd.path().filename());
            std::string key;
            std::string value;
            while (info >> key >> value) {
                if (key == "flags:") {
                    const unsigned long flags = std::strtoul(value.c_str(), nullptr, 8);
                    if ((flags & O_ACCMODE) != O_RDONLY)
                        for (const std::size_t i : it->second)
                            inUse[i] = true;
                    break;
                }
            }
        }
    }
    return inUse;
}

bool IsFileInUse(const std::string& Path)
{
    return FilesInUse({Path}).front();
}

// ---------------------------------------------------------------------------------------------
// texts

std::string CleanTitleText(const std::string& Text)
{
    std::string s = Text;
    for (char& c : s)
        if (c == '<' || c == '>' || c == '_' || c == '.' || c == '-' || c == '(' || c == ')' || c == ',' ||
            c == '[' || c == ']')
            c = ' ';
    s = Trim(StringReplace(s, "Recorded", " "));
    // Runs of blanks become one blank.
    std::string collapsed;
    collapsed.reserve(s.size());
    for (char c : s)
        if (!(c == ' ' && !collapsed.empty() && collapsed.back() == ' '))
            collapsed += c;
    s = Trim(collapsed);
    if (Utf8Length(s) > 50)
        s = Trim(Utf8Prefix(s, 50));
    // Title case, ASCII letters only (a multi-byte character is left as it is).
    for (std::size_t i = 0; i < s.size(); ++i) {
        const auto c = static_cast<unsigned char>(s[i]);
        if (c >= 0x80)
            continue;
        const bool wordStart = i == 0 || s[i - 1] == ' ';
        s[i] = static_cast<char>(wordStart ? std::toupper(c) : std::tolower(c));
    }
    return s;
}

std::string GetExtensionNoDot(const std::string& Path)
{
    std::string ext = LowerCase(ExtractFileExt(Path));
    if (const int dot = Pos('.', ext); dot > 0)
        Delete(ext, dot, 1);
    return Trim(ext);
}

bool IsVideoExtension(const std::string& Path, const TStrings& VideoExtensions)
{
    const std::string ext = GetExtensionNoDot(Path);
    for (int i = 0; i < VideoExtensions.Count(); ++i)
        if (VideoExtensions.Strings(i) == ext)
            return true;
    return false;
}

bool IsImageExtension(const std::string& Path, const TStrings& ImageExtensions)
{
    return IsVideoExtension(Path, ImageExtensions);
}

bool NotInList(const std::string& Text, const TStrings& List)
{
    for (int i = 0; i < List.Count(); ++i)
        if (List.Strings(i) == Text)
            return false;
    return true;
}

std::string StripVideoTs(const std::string& Path)
{
    const std::string path = WithoutTrailingSlash(Path);
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos || LowerCase(path.substr(slash + 1)) != "video_ts")
        return Path;
    return slash == 0 ? std::string("/") : path.substr(0, slash);
}

// ---------------------------------------------------------------------------------------------
// numbers, times, names

std::string FormatHms(double Seconds)
{
    const std::int64_t n = Round(Seconds);
    return Format("%1.1d:%2.2d:%2.2d", {n / 3600, (n % 3600) / 60, n % 60});
}

std::string FormatSizeMB(int VideoKbps, int AudioKbps, double Seconds)
{
    const double megabytes = (static_cast<double>(VideoKbps) + AudioKbps) * Seconds / 8000.0;
    return Format("%3.2f", {megabytes}) + " MB";
}

bool IsFloat(const std::string& Text)
{
    double value = 0;
    return TryStrToFloat(Text, value);
}

double ParseFloatDot(const std::string& Text)
{
    if (Text.empty() || Text.size() >= 12)
        return 0;
    const std::string text = StringReplace(Text, ",", ".");
    double value = 0;
    return TryStrToFloat(text, value) ? value : 0;
}

std::string MakeUniqueFileName(const std::string& Folder, const std::string& Name, const std::string& Ext)
{
    // Counts on until a free name turns up: handing back a taken name would overwrite a file.
    for (std::int64_t n = 1;; ++n) {
        const std::string candidate = Name + "(" + IntToStr(n) + ")";
        std::error_code ec;
        // symlink_status: a dangling link is a taken name too.
        if (!fs::exists(fs::symlink_status(Folder + candidate + Ext, ec)))
            return candidate;
    }
}

std::string SafeOutputName(const std::string& Name)
{
    std::string safe;
    safe.reserve(Name.size());
    for (char c : Name)
        if (c != '/' && c != '\0')
            safe += c;
    // A leading "-" would read as a tool option, a leading "." as a hidden file or a way up.
    std::size_t start = 0;
    while (start < safe.size() && (safe[start] == '-' || safe[start] == '.' || static_cast<unsigned char>(safe[start]) <= ' '))
        ++start;
    return TrimRight(safe.substr(start));
}
