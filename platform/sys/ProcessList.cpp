#include "platform/sys/ProcessList.h"

#include "platform/rtl/Strings.h"
#include "platform/rtl/TStringList.h"
#include "platform/sys/TOwnedFd.h"

#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/syscall.h>
#include <sys/utsname.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <memory>

namespace {

// The whole of a small /proc file, or what could be read of it. A process can end while we read its
// files (the read then fails with ESRCH), so errors only shorten the result.
std::string ReadProcFile(const std::string& Path)
{
    std::string text;
    const int fd = ::open(Path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return text;
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        // 0 is the end of the file; an error ends what we can learn of it.
        if (n <= 0)
            break;
        text.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return text;
}

std::string BaseNameOf(const std::string& Path)
{
    const std::size_t slash = Path.rfind('/');
    return slash == std::string::npos ? Path : Path.substr(slash + 1);
}

bool ValidPid(DWORD ProcessID)
{
    return ProcessID > 0 && ProcessID <= static_cast<DWORD>(INT_MAX);
}

// The kernel's short name of a running process; false when it is gone or has ended (a zombie has
// no image any more and is not running).
// With Rest, what follows the state: the kernel's fields from the parent's id on.
bool ReadShortName(pid_t Pid, std::string& Name, std::string* Rest = nullptr)
{
    const std::string stat = ReadProcFile("/proc/" + std::to_string(Pid) + "/stat");
    // "pid (comm) S ...": the short name may itself hold blanks and parentheses.
    const std::size_t open = stat.find('(');
    const std::size_t close = stat.rfind(')');
    if (open == std::string::npos || close == std::string::npos || close < open || close + 2 >= stat.size())
        return false;
    const char state = stat[close + 2];
    if (state == 'Z' || state == 'X')
        return false;
    Name = stat.substr(open + 1, close - open - 1);
    if (Rest)
        *Rest = stat.substr(close + 3);
    return true;
}

// Waits until the process behind the pidfd has ended, at most TimeoutMs.
bool WaitEnded(int PidFd, DWORD TimeoutMs)
{
    pollfd p{PidFd, POLLIN, 0};
    const int timeout = TimeoutMs > static_cast<DWORD>(INT_MAX) ? -1 : static_cast<int>(TimeoutMs);
    int r;
    do {
        r = ::poll(&p, 1, timeout);
    } while (r < 0 && errno == EINTR);
    return r > 0;
}

bool PidFdSignal(int PidFd, int Sig)
{
    return ::syscall(SYS_pidfd_send_signal, PidFd, Sig, nullptr, 0) == 0;
}

} // namespace

std::string ProcessStartMark(DWORD ProcessID)
{
    std::string name, rest;
    if (!ValidPid(ProcessID) || !ReadShortName(static_cast<pid_t>(ProcessID), name, &rest))
        return {};
    // The start time is the 22nd field of the line, the 19th after the state.
    std::size_t at = 0;
    for (int field = 0; field < 18 && at != std::string::npos; ++field)
        at = rest.find(' ', at + 1);
    if (at == std::string::npos)
        return {};
    const std::size_t end = rest.find(' ', at + 1);
    return rest.substr(at + 1, end == std::string::npos ? std::string::npos : end - at - 1);
}

std::string ProcessFileName(DWORD ProcessID, bool FullPath)
{
    if (!ValidPid(ProcessID))
        return {};
    char buf[PATH_MAX];
    // Unreadable for another user's process and for kernel threads: their image is not ours to know.
    const ssize_t n = ::readlink(("/proc/" + std::to_string(ProcessID) + "/exe").c_str(), buf, sizeof buf - 1);
    if (n <= 0)
        return {};
    std::string path(buf, static_cast<std::size_t>(n));
    // A program whose file was replaced or removed while it runs (an update) still has that name.
    const std::string deleted = " (deleted)";
    if (path.size() > deleted.size() && path.compare(path.size() - deleted.size(), deleted.size(), deleted) == 0)
        path.resize(path.size() - deleted.size());
    return FullPath ? path : BaseNameOf(path);
}

bool RunningProcessesList(TStrings* List, bool FullPath)
{
    if (!List)
        return false;
    std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir("/proc"), &::closedir);
    if (!dir)
        return false;
    List->BeginUpdate();
    while (const dirent* d = ::readdir(dir.get())) {
        char* end = nullptr;
        const long pid = std::strtol(d->d_name, &end, 10);
        if (pid <= 0 || *end != '\0')
            continue;
        // A process may end between the listing and the reading: it is then simply not there.
        std::string name;
        if (!ReadShortName(static_cast<pid_t>(pid), name))
            continue;
        const std::string image = ProcessFileName(static_cast<DWORD>(pid), FullPath);
        if (!image.empty())
            name = image;
        List->AddObject(name, reinterpret_cast<void*>(static_cast<std::uintptr_t>(pid)));
    }
    List->EndUpdate();
    return true;
}

DWORD GetPidFromProcessName(const std::string& ProcessName)
{
    if (ProcessName.empty())
        return kNoProcess;
    const bool fullPath = ProcessName.find('/') != std::string::npos;
    const bool exe = ProcessName.size() > 4 && SameText(ProcessName.substr(ProcessName.size() - 4), ".exe");
    const std::string bare = exe ? ProcessName.substr(0, ProcessName.size() - 4) : ProcessName;
    TStringList list;
    if (!RunningProcessesList(&list, fullPath))
        return kNoProcess;
    for (int i = 0; i < list.Count(); ++i)
        if (SameText(list.Strings(i), ProcessName) || SameText(list.Strings(i), bare))
            return static_cast<DWORD>(reinterpret_cast<std::uintptr_t>(list.Objects(i)));
    return kNoProcess;
}

int TerminateApp(DWORD ProcessID, DWORD Timeout)
{
    if (!ValidPid(ProcessID) || static_cast<pid_t>(ProcessID) == ::getpid())
        return taFailed;
    const TOwnedFd pidfd(static_cast<int>(::syscall(SYS_pidfd_open, static_cast<pid_t>(ProcessID), 0)));
    if (pidfd.Get() < 0)
        return taFailed;
    // The polite request; refused for another user's process, which is then not ours to end.
    if (!PidFdSignal(pidfd.Get(), SIGTERM))
        return taFailed;
    if (WaitEnded(pidfd.Get(), Timeout))
        return taEnded;
    return PidFdSignal(pidfd.Get(), SIGKILL) ? taKilled : taFailed;
}

TOSVersionRecord GetOSVersionRecord()
{
    utsname u{};
    if (::uname(&u) != 0)
        return {};
    return {u.sysname, u.release};
}

TWindowsVersion GetWindowsVersion()
{
    // Only a Windows kernel is one of the classified releases; this system says what it is instead.
    static const TWindowsVersion version = wvUnknown;
    return version;
}

TWindowsVersionFlags WindowsVersionFlags(TWindowsVersion Version)
{
    TWindowsVersionFlags f;
    f.Win95 = Version == wvWin95;
    f.Win95OSR2 = Version == wvWin95OSR2;
    f.Win98 = Version == wvWin98;
    f.Win98SE = Version == wvWin98SE;
    f.WinME = Version == wvWinME;
    f.WinNT31 = Version == wvWinNT31;
    f.WinNT35 = Version == wvWinNT35 || Version == wvWinNT351;
    f.WinNT351 = Version == wvWinNT351;
    f.WinNT3 = Version >= wvWinNT31 && Version <= wvWinNT351;
    f.WinNT4 = Version == wvWinNT4;
    f.Win2000 = Version == wvWin2000;
    f.WinXP = Version == wvWinXP;
    f.Win2003 = Version == wvWin2003;
    f.WinXP64 = Version == wvWinXP64;
    f.Win2003R2 = Version == wvWin2003R2;
    f.WinVista = Version == wvWinVista;
    f.Win2008 = Version == wvWin2008;
    f.WinNT = Version >= wvWinNT31;
    return f;
}

const TWindowsVersionFlags& WindowsVersion()
{
    static const TWindowsVersionFlags flags = WindowsVersionFlags(GetWindowsVersion());
    return flags;
}
