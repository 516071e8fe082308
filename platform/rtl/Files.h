#pragma once
// Files, folders and paths. Paths use "/"; names are compared as the file system does (case
// sensitive), except FindFirst masks, which match without regard to case as they did on the
// original system ("*.ifo" finds "VIDEO_TS.IFO").
#include <cstdint>
#include <memory>
#include <string>

#include "platform/rtl/Types.h"

inline constexpr char PathDelim = '/';

bool FileExists(const std::string& fileName);        // a file (not a folder), links followed
bool DirectoryExists(const std::string& dir);
// Creates dir and every missing parent; true when dir exists afterwards. "" gives false.
bool ForceDirectories(const std::string& dir);
bool CreateDir(const std::string& dir);               // one level; false if it exists or fails
bool DeleteFile(const std::string& fileName);         // files only, never folders
// Never overwrites: false when newName exists already (or on any other failure).
bool RenameFile(const std::string& oldName, const std::string& newName);
// The size in bytes; -1 when the file is missing or not a regular file.
int64_t FileSize(const std::string& fileName);

std::string GetCurrentDir();

// "/a/b/c.txt": ExtractFilePath "/a/b/", ExtractFileDir "/a/b", ExtractFileName "c.txt",
// ExtractFileExt ".txt" (from the last "." of the name, so ".bashrc" is all extension).
std::string ExtractFilePath(const std::string& fileName);
std::string ExtractFileDir(const std::string& fileName);
std::string ExtractFileName(const std::string& fileName);
std::string ExtractFileExt(const std::string& fileName);
// Replaces (or adds, or with "" removes) the extension of the name part.
std::string ChangeFileExt(const std::string& fileName, const std::string& extension);
std::string IncludeTrailingPathDelimiter(const std::string& s);
// Folder + Name with exactly one "/" between them; Name alone when Folder is empty.
std::string JoinPath(const std::string& Folder, const std::string& Name);
// Drops one trailing "/", but leaves the root "/" as it is.
std::string ExcludeTrailingPathDelimiter(const std::string& s);
// Absolute path against the current folder, with "." and ".." folded and doubled "/" removed
// (links are not resolved).
std::string ExpandFileName(const std::string& fileName);

enum : int {
    faReadOnly = 0x01,   // no write permission
    faHidden = 0x02,     // the name starts with "."
    faSysFile = 0x04,    // devices, sockets, pipes, dangling links
    faVolumeID = 0x08,
    faDirectory = 0x10,
    faArchive = 0x20,    // every regular file
    faAnyFile = 0x3F,
};

struct TFindState;

// One found entry. Files are always found; folders, hidden and system entries only when their
// attribute is in the attributes asked for (the library's rule). "." and ".." are found as
// folders (not hidden). Entries come sorted by name without regard to case.
struct TSearchRec {
    std::string Name;
    int64_t Size = 0;
    int Attr = 0;
    int64_t Time = 0;    // modification, Unix seconds
    int ExcludeAttr = 0;
    std::shared_ptr<TFindState> FindHandle;

};

// path is a folder plus a mask with "*" and "?" ("/media/dvd/VIDEO_TS/*.ifo"; "*.*" is every
// name). Returns 0 when an entry was found, otherwise an errno value (ENOENT when nothing
// matches). FindClose may be called any number of times.
int FindFirst(const std::string& path, int attr, TSearchRec& f);
int FindNext(TSearchRec& f);
void FindClose(TSearchRec& f);
// The mask rule FindFirst uses, for callers that match names themselves.
bool MatchesMask(const std::string& name, const std::string& mask);
