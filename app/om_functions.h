#pragma once
// The converter's shared helpers: shell folders, drives and volumes, directory walks, extension tests,
// title text, numbers and times, unique output names. Free functions, GUI thread only. Paths use "/".
#include <string>
#include <vector>

#include "platform/rtl/Files.h" // JoinPath

class TStrings;
class TskSkinStringGrid;

// --- paths -------------------------------------------------------------------------------------

// The folder with a trailing "/" (an empty folder stays empty).
std::string WithTrailingSlash(const std::string& Folder);

// --- shell folders (XDG) -------------------------------------------------------------------------

std::string GetDesktopFolder();
// Raises Exception "Could not determine My Documents path" when there is no documents folder.
std::string GetMyDocumentsFolder();
// The user's application-data folder, else the program's folder; with a trailing "/".
std::string GetAppDataFolder();
// Writes the link "Faster Ombrix.desktop" to the maker's page on the desktop, as a desktop entry of type
// Link; nothing when there is no desktop folder.
void CreateDesktopShortcut();

// --- drives, volumes, files ---------------------------------------------------------------------

// A "drive" is a mounted volume; its root path stands for the drive letter.
bool IsDriveReady(const std::string& Drive);
// True when Path (its first "*" removed) lies on an optical disc and is a DVD folder (below).
bool IsDvdSource(const std::string& Path);
// A folder holds a DVD when the disc's "*.ifo" files lie in it or in its VIDEO_TS child; files deeper
// down belong to some other disc folder, so a folder of clips beside a DVD folder is no disc.
bool IsDvdFolder(const std::string& Folder);
// True when "*.ifo" files lie in Folder itself (subfolders are not looked into).
bool HoldsIfoFiles(const std::string& Folder);
// True when Path is the root of a mounted disc: what a drive root ("X:\") was.
bool IsDriveRoot(const std::string& Path);
// A title for a DVD location or a file: the volume label, else the file name (a large file loses its
// last 4 characters), cleaned by CleanTitleText.
std::string GetVolumeTitle(const std::string& Path);
bool IsLargeFile(const std::string& Path);
bool IsNonEmptyFile(const std::string& Path);
// The target of a ".lnk" shortcut ("" when it cannot be read); any other extension gives the text
// "NOT a shortuct by extension!".
std::string ResolveShortcut(const std::string& Path);
// Empties List, then adds every file matching Mask in Folder and below it, a folder's own files
// first, then each subfolder's, depth first, in name order. Masks match regardless of case.
void FindFiles(const std::string& Folder, const std::string& Mask, TStrings& List);
// Adds Folder + name for every entry of Folder matching Mask that is not a folder.
void AddMatchingFiles(const std::string& Folder, const std::string& Mask, TStrings& List);
// "*" and "?" wildcards, case-insensitive; "*.*" matches every name.
bool MatchesMask(const std::string& Name, const std::string& Mask);

// True when the source is not yet a record of Table (a StringGrid1-shaped table). Kind "vid": no
// record has the path (compared exactly, as the file system does); kind "dvd": no record has the
// location and a title holding the disc's volume title (without case); any other kind: true.
bool NotYetScanned(const std::string& Name, const std::string& Kind, const TskSkinStringGrid& Table);
// True when the file exists and a process has it open for writing (a copy or a download still
// running); a missing file is not in use.
bool IsFileInUse(const std::string& Path);
// IsFileInUse for each of Paths, with a single look through the processes.
std::vector<bool> FilesInUse(const std::vector<std::string>& Paths);

// --- texts --------------------------------------------------------------------------------------

std::string CleanTitleText(const std::string& Text);
// The extension lower-cased, without its dot, trimmed; "" for none.
std::string GetExtensionNoDot(const std::string& Path);
bool IsVideoExtension(const std::string& Path, const TStrings& VideoExtensions);
bool IsImageExtension(const std::string& Path, const TStrings& ImageExtensions);
// True when no item equals Text exactly (case-sensitive).
bool NotInList(const std::string& Text, const TStrings& List);
// Without a last component "video_ts" (any case); the rest of the path keeps its case.
std::string StripVideoTs(const std::string& Path);

// --- numbers, times, names ----------------------------------------------------------------------

// Seconds as "h:mm:ss", rounded half to even to whole seconds.
std::string FormatHms(double Seconds);
// (video + audio kbit/s) x seconds as megabytes, "%3.2f MB".
std::string FormatSizeMB(int VideoKbps, int AudioKbps, double Seconds);
// True when the text is a decimal number with "." as separator (independent of the locale).
bool IsFloat(const std::string& Text);
// 0 for "", for texts of 12 or more characters, and for anything that is no number; the first ","
// counts as ".".
double ParseFloatDot(const std::string& Text);
// The first Name + "(n)" (n = 1, 2, ...) for which Folder + candidate + Ext does not exist. It never
// returns a name that exists.
std::string MakeUniqueFileName(const std::string& Folder, const std::string& Name, const std::string& Ext);
// An output base name that is safe as a file name inside the destination: "/" and NUL removed,
// leading "-" and "." (an option or a hidden or parent name) and blanks cut away. "" when nothing is
// left.
std::string SafeOutputName(const std::string& Name);
