#include "app/om_workfiles.h"

#include <unistd.h>

#include <filesystem>
#include <system_error>

#include "app/om_functions.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/Strings.h"
#include "platform/sys/ProcessList.h"

namespace fs = std::filesystem;

namespace {

bool Exists(const std::string& Path)
{
    std::error_code error;
    return fs::exists(fs::symlink_status(Path, error));
}

// Folder + base name and extension of a path ("/d/a b.mp4" -> "/d/a b", ".mp4").
void SplitName(const std::string& Path, std::string& Stem, std::string& Ext)
{
    Ext = ExtractFileExt(Path);
    Stem = Path.substr(0, Path.size() - Ext.size());
}

// The first of Stem + Mark + Ext, Stem + Mark + "(1)" + Ext ... that names nothing yet.
std::string FreeName(const std::string& Stem, const std::string& Mark, const std::string& Ext)
{
    std::string name = Stem + Mark + Ext;
    for (int n = 1; Exists(name); ++n)
        name = Stem + Mark + "(" + IntToStr(n) + ")" + Ext;
    return name;
}

// A run is named by its process id and the kernel's start mark of that process: an id is handed out
// again once its process is gone, the pair is not.
std::string RunName(DWORD Pid, const std::string& StartMark)
{
    return "run-" + IntToStr(static_cast<int64_t>(Pid)) + "-" + StartMark;
}

std::string ScratchRoot(const std::string& WorkFolder)
{
    return WithTrailingSlash(JoinPath(WorkFolder, "temp"));
}

// The process a folder name "run-<id>-<start>" names; false for every other name.
bool ParseRunName(const std::string& Name, DWORD& Pid, std::string& StartMark)
{
    if (Name.rfind("run-", 0) != 0)
        return false;
    const std::size_t dash = Name.find('-', 4);
    if (dash == std::string::npos)
        return false;
    const std::string id = Name.substr(4, dash - 4);
    StartMark = Name.substr(dash + 1);
    const auto digits = [](const std::string& Text) {
        return !Text.empty() && Text.size() < 20 && Text.find_first_not_of("0123456789") == std::string::npos;
    };
    if (!digits(id) || !digits(StartMark))
        return false;
    Pid = static_cast<DWORD>(std::stoull(id));
    return Pid > 0;
}

// The run folders directly in temp/ (real folders only: a link of that name is nobody's scratch), each
// with whether its process still runs.
template <class F> void ForEachRunFolder(const std::string& WorkFolder, F&& Visit)
{
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(ScratchRoot(WorkFolder), error)) {
        DWORD pid = 0;
        std::string mark;
        std::error_code statError;
        if (!ParseRunName(entry.path().filename().string(), pid, mark) || !entry.is_directory(statError) ||
            entry.is_symlink(statError))
            continue;
        Visit(entry.path(), ProcessStartMark(pid) == mark, pid);
    }
}

} // namespace

std::string WorkingOutputPath(const std::string& FinalPath)
{
    std::string stem, ext;
    SplitName(FinalPath, stem, ext);
    return FreeName(stem, " (converting " + IntToStr(static_cast<int64_t>(getpid())) + ")", ext);
}

std::string GiveFinalName(const std::string& WorkingPath, const std::string& FinalPath)
{
    if (WorkingPath == FinalPath)
        return FileExists(FinalPath) ? FinalPath : std::string();
    std::string stem, ext;
    SplitName(FinalPath, stem, ext);
    // RenameFile never replaces: a name taken between the look and the rename makes it fail, and the
    // next free one is tried.
    for (int attempt = 0; attempt < 100 && FileExists(WorkingPath); ++attempt) {
        const std::string target = FreeName(stem, "", ext);
        if (RenameFile(WorkingPath, target))
            return target;
    }
    return std::string();
}

std::string SetAsideIncomplete(const std::string& Path, const std::string& FinalPath)
{
    if (!FileExists(Path))
        return std::string();
    if (FileSize(Path) == 0) {
        DeleteFile(Path);
        return std::string();
    }
    std::string stem, ext;
    SplitName(FinalPath, stem, ext);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string target = FreeName(stem, " (incomplete)", ext);
        if (RenameFile(Path, target))
            return target;
    }
    return std::string();
}

std::string RunScratchFolder(const std::string& WorkFolder)
{
    const DWORD pid = static_cast<DWORD>(getpid());
    const std::string folder = ScratchRoot(WorkFolder) + RunName(pid, ProcessStartMark(pid)) + "/";
    ForceDirectories(folder);
    return folder;
}

void RemoveRunScratch(const std::string& WorkFolder)
{
    const DWORD pid = static_cast<DWORD>(getpid());
    std::error_code error;
    fs::remove_all(ScratchRoot(WorkFolder) + RunName(pid, ProcessStartMark(pid)), error);
}

int RemoveScratchOfEndedRuns(const std::string& WorkFolder)
{
    int removed = 0;
    ForEachRunFolder(WorkFolder, [&removed](const fs::path& Folder, bool Live, DWORD) {
        std::error_code error;
        // remove_all takes a link inside as the link, never what it points to.
        if (!Live && fs::remove_all(Folder, error) > 0 && !error)
            ++removed;
    });
    return removed;
}

int OtherLiveRuns(const std::string& WorkFolder)
{
    int live = 0;
    const DWORD self = static_cast<DWORD>(getpid());
    ForEachRunFolder(WorkFolder, [&live, self](const fs::path&, bool Live, DWORD Pid) {
        live += Live && Pid != self ? 1 : 0;
    });
    return live;
}
