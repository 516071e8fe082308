#include "platform/rtl/Files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <vector>

#include "platform/rtl/Strings.h"

namespace {

// Index just past the last "/" (0 when there is none).
size_t NameStart(const std::string& fileName)
{
    size_t p = fileName.rfind(PathDelim);
    return p == std::string::npos ? 0 : p + 1;
}

// Index of the extension's "." in the name part, or npos.
size_t ExtStart(const std::string& fileName)
{
    size_t p = fileName.rfind('.');
    return (p == std::string::npos || p < NameStart(fileName)) ? std::string::npos : p;
}

// Code points of s with ASCII and Latin-1 letters folded to lower case.
std::vector<char32_t> FoldedCodePoints(const std::string& s)
{
    std::string low = AnsiLowerCase(s);
    std::vector<char32_t> out;
    out.reserve(low.size());
    for (size_t i = 0; i < low.size();) {
        auto c = static_cast<unsigned char>(low[i]);
        int len = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 1;
        char32_t cp = len == 1 ? c : (c & (0x7F >> len));
        for (int k = 1; k < len && i + static_cast<size_t>(k) < low.size(); ++k) {
            cp = (cp << 6) | (static_cast<unsigned char>(low[i + static_cast<size_t>(k)]) & 0x3F);
        }
        out.push_back(cp);
        i += static_cast<size_t>(len);
    }
    return out;
}

} // namespace

// --- files and folders -------------------------------------------------------------------------

bool FileExists(const std::string& fileName)
{
    struct stat st {};
    return !fileName.empty() && ::stat(fileName.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool DirectoryExists(const std::string& dir)
{
    struct stat st {};
    return !dir.empty() && ::stat(dir.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool CreateDir(const std::string& dir)
{
    return !dir.empty() && ::mkdir(dir.c_str(), 0777) == 0;
}

bool ForceDirectories(const std::string& dir)
{
    if (dir.empty()) {
        return false;
    }
    std::string path = ExpandFileName(dir);
    if (DirectoryExists(path)) {
        return true;
    }
    // Walk down from the root, creating each missing level.
    for (size_t p = path.find(PathDelim, 1);; p = path.find(PathDelim, p + 1)) {
        std::string part = path.substr(0, p);
        if (!part.empty() && ::mkdir(part.c_str(), 0777) != 0 && errno != EEXIST) {
            return false;
        }
        if (p == std::string::npos) {
            break;
        }
    }
    return DirectoryExists(path);
}

bool DeleteFile(const std::string& fileName)
{
    struct stat st {};
    if (fileName.empty() || (::lstat(fileName.c_str(), &st) == 0 && S_ISDIR(st.st_mode))) {
        return false;
    }
    return ::unlink(fileName.c_str()) == 0;
}

bool RenameFile(const std::string& oldName, const std::string& newName)
{
    if (oldName.empty() || newName.empty()) {
        return false;
    }
    // RENAME_NOREPLACE makes "the target exists" and the rename one atomic step.
    if (::renameat2(AT_FDCWD, oldName.c_str(), AT_FDCWD, newName.c_str(), RENAME_NOREPLACE) == 0) {
        return true;
    }
    if (errno != EINVAL && errno != ENOSYS) {
        return false;
    }
    // The file system cannot do it atomically: check first, then rename.
    struct stat st {};
    if (::lstat(newName.c_str(), &st) == 0) {
        return false;
    }
    return ::rename(oldName.c_str(), newName.c_str()) == 0;
}

int64_t FileSize(const std::string& fileName)
{
    struct stat st {};
    if (::stat(fileName.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
        return -1;
    }
    return static_cast<int64_t>(st.st_size);
}

std::string GetCurrentDir()
{
    std::vector<char> buf(4096);
    while (::getcwd(buf.data(), buf.size()) == nullptr) {
        if (errno != ERANGE) {
            return {};
        }
        buf.resize(buf.size() * 2);
    }
    return std::string(buf.data());
}

// --- paths -------------------------------------------------------------------------------------

std::string ExtractFilePath(const std::string& fileName) { return fileName.substr(0, NameStart(fileName)); }

std::string ExtractFileDir(const std::string& fileName)
{
    size_t start = NameStart(fileName);
    if (start == 0) {
        return {};
    }
    // The root keeps its "/".
    return start == 1 ? std::string("/") : fileName.substr(0, start - 1);
}

std::string ExtractFileName(const std::string& fileName) { return fileName.substr(NameStart(fileName)); }

std::string ExtractFileExt(const std::string& fileName)
{
    size_t p = ExtStart(fileName);
    return p == std::string::npos ? std::string() : fileName.substr(p);
}

std::string ChangeFileExt(const std::string& fileName, const std::string& extension)
{
    size_t p = ExtStart(fileName);
    return (p == std::string::npos ? fileName : fileName.substr(0, p)) + extension;
}

std::string IncludeTrailingPathDelimiter(const std::string& s)
{
    return (!s.empty() && s.back() == PathDelim) ? s : s + PathDelim;
}

std::string JoinPath(const std::string& Folder, const std::string& Name)
{
    if (Folder.empty())
        return Name;
    std::size_t start = 0;
    while (start < Name.size() && Name[start] == PathDelim)
        ++start;
    return IncludeTrailingPathDelimiter(Folder) + Name.substr(start);
}

std::string ExcludeTrailingPathDelimiter(const std::string& s)
{
    if (s.size() > 1 && s.back() == PathDelim) {
        return s.substr(0, s.size() - 1);
    }
    return s;
}

std::string ExpandFileName(const std::string& fileName)
{
    if (fileName.empty()) {
        return {};
    }
    std::string full = fileName[0] == PathDelim ? fileName : IncludeTrailingPathDelimiter(GetCurrentDir()) + fileName;
    std::vector<std::string> parts;
    size_t i = 0;
    while (i <= full.size()) {
        size_t j = full.find(PathDelim, i);
        if (j == std::string::npos) {
            j = full.size();
        }
        std::string part = full.substr(i, j - i);
        if (part == "..") {
            if (!parts.empty()) {
                parts.pop_back();
            }
        } else if (!part.empty() && part != ".") {
            parts.push_back(std::move(part));
        }
        i = j + 1;
    }
    std::string r;
    for (const std::string& part : parts) {
        r += PathDelim;
        r += part;
    }
    if (r.empty() || fileName.back() == PathDelim) {
        r += PathDelim;
    }
    return r;
}

// --- searching ---------------------------------------------------------------------------------

struct TFindState {
    struct TEntry {
        std::string Name;
        int64_t Size = 0;
        int Attr = 0;
        int64_t Time = 0;
    };
    std::vector<TEntry> Entries;
    size_t Next = 0;
};

bool MatchesMask(const std::string& name, const std::string& mask)
{
    if (mask == "*" || mask == "*.*") {
        return true;  // "*.*" also takes names without a dot, as it always did
    }
    const std::vector<char32_t> n = FoldedCodePoints(name);
    const std::vector<char32_t> m = FoldedCodePoints(mask);
    // Greedy match with backtracking to the last "*".
    size_t ni = 0, mi = 0, starM = std::string::npos, starN = 0;
    while (ni < n.size()) {
        if (mi < m.size() && (m[mi] == U'?' || m[mi] == n[ni])) {
            ++ni;
            ++mi;
        } else if (mi < m.size() && m[mi] == U'*') {
            starM = mi++;
            starN = ni;
        } else if (starM != std::string::npos) {
            mi = starM + 1;
            ni = ++starN;
        } else {
            return false;
        }
    }
    while (mi < m.size() && m[mi] == U'*') {
        ++mi;
    }
    return mi == m.size();
}

namespace {

int FillFromState(TSearchRec& f)
{
    TFindState* state = f.FindHandle.get();
    if (!state || state->Next >= state->Entries.size()) {
        return ENOENT;
    }
    const TFindState::TEntry& e = state->Entries[state->Next++];
    f.Name = e.Name;
    f.Size = e.Size;
    f.Attr = e.Attr;
    f.Time = e.Time;
    return 0;
}

} // namespace

int FindFirst(const std::string& path, int attr, TSearchRec& f)
{
    FindClose(f);
    const std::string dir = ExtractFilePath(path);
    const std::string mask = ExtractFileName(path);
    const std::string dirOpen = dir.empty() ? std::string("./") : dir;
    f.ExcludeAttr = ~attr & (faHidden | faSysFile | faVolumeID | faDirectory);
    if (mask.empty()) {
        return ENOENT;
    }
    DIR* d = ::opendir(dirOpen.c_str());
    if (!d) {
        return errno;
    }
    auto state = std::make_shared<TFindState>();
    while (struct dirent* de = ::readdir(d)) {
        std::string name = de->d_name;
        if (!MatchesMask(name, mask)) {
            continue;
        }
        const std::string full = dirOpen + name;
        struct stat st {};
        TFindState::TEntry e;
        e.Name = name;
        if (::stat(full.c_str(), &st) == 0) {
            if (S_ISDIR(st.st_mode)) {
                e.Attr |= faDirectory;
            } else if (S_ISREG(st.st_mode)) {
                e.Attr |= faArchive;
                e.Size = static_cast<int64_t>(st.st_size);
            } else {
                e.Attr |= faSysFile;
            }
            if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
                e.Attr |= faReadOnly;
            }
            e.Time = static_cast<int64_t>(st.st_mtime);
        } else {
            e.Attr |= faSysFile;  // a link to nowhere
        }
        if (name[0] == '.' && name != "." && name != "..") {
            e.Attr |= faHidden;
        }
        if ((e.Attr & f.ExcludeAttr) == 0) {
            state->Entries.push_back(std::move(e));
        }
    }
    ::closedir(d);
    auto rank = [](const std::string& n) { return n == "." ? 0 : (n == ".." ? 1 : 2); };
    std::sort(state->Entries.begin(), state->Entries.end(), [&](const TFindState::TEntry& a, const TFindState::TEntry& b) {
        if (rank(a.Name) != rank(b.Name)) {
            return rank(a.Name) < rank(b.Name);
        }
        int c = CompareText(a.Name, b.Name);
        return c != 0 ? c < 0 : a.Name < b.Name;
    });
    f.FindHandle = std::move(state);
    int r = FillFromState(f);
    if (r != 0) {
        FindClose(f);
    }
    return r;
}

int FindNext(TSearchRec& f) { return FillFromState(f); }

void FindClose(TSearchRec& f) { f.FindHandle.reset(); }
