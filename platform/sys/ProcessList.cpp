#include "platform/sys/ProcessList.h"

#include "platform/rtl/Strings.h"
#include "platform/rtl/TStringList.h"

#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <map>

namespace {

std::string ReadLink(const std::string& path)
{
    char buf[4096];
    ssize_t n = readlink(path.c_str(), buf, sizeof buf - 1);
    if (n <= 0) {
        return {};
    }
    std::string target(buf, static_cast<std::size_t>(n));
    // An executable replaced or removed while running (an update) still names the program.
    const std::string deleted = " (deleted)";
    if (target.size() > deleted.size() && target.compare(target.size() - deleted.size(), deleted.size(), deleted) == 0) {
        target.resize(target.size() - deleted.size());
    }
    return target;
}

// The whole of a small /proc file, or what could be read of it. A process can end while we read
// its files (the read then fails with ESRCH), so errors only shorten the result; the stream library
// would throw from the middle of the scan instead.
std::string ReadFile(const std::string& path)
{
    std::string text;
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return text;
    }
    char buffer[4096];
    for (;;) {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            break;
        }
        text.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return text;
}

std::string BaseNameOf(const std::string& path)
{
    std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Fills parent, state and name from /proc/PID/stat; false when the process is gone.
bool ReadStat(const std::string& dir, TProcessEntry& e, std::string& comm)
{
    std::string stat = ReadFile(dir + "/stat");
    // "pid (comm) S ppid ...": the short name may itself hold blanks and parentheses.
    std::size_t open = stat.find('(');
    std::size_t close = stat.rfind(')');
    if (open == std::string::npos || close == std::string::npos || close < open || close + 4 > stat.size()) {
        return false;
    }
    comm = stat.substr(open + 1, close - open - 1);
    char state = stat[close + 2];
    e.Zombie = state == 'Z' || state == 'X';
    e.ParentPid = static_cast<pid_t>(std::strtol(stat.c_str() + close + 4, nullptr, 10));
    return true;
}

bool ReadEntry(pid_t pid, TProcessEntry& e)
{
    std::string dir = "/proc/" + std::to_string(pid);
    std::string comm;
    e.Pid = pid;
    if (!ReadStat(dir, e, comm)) {
        return false;
    }
    struct stat st {};
    if (::stat(dir.c_str(), &st) == 0) {
        e.Uid = st.st_uid;
    }
    e.Path = ReadLink(dir + "/exe");
    if (e.Path.empty()) {
        // Another user's process (or a kernel thread): its command line, which anyone may read.
        std::string cmdline = ReadFile(dir + "/cmdline");
        e.Path = cmdline.substr(0, cmdline.find('\0'));
    }
    if (e.Path.empty()) {
        e.Path = comm;
    }
    e.BaseName = BaseNameOf(e.Path);
    return true;
}

int PidfdOpen(pid_t pid)
{
    return static_cast<int>(syscall(SYS_pidfd_open, pid, 0));
}

bool PidfdSignal(int pidfd, int sig)
{
    return syscall(SYS_pidfd_send_signal, pidfd, sig, nullptr, 0) == 0;
}

// Waits until the process behind the pidfd has ended, at most timeoutMs.
bool WaitEnded(int pidfd, DWORD timeoutMs)
{
    pollfd p{pidfd, POLLIN, 0};
    int timeout = timeoutMs > 0x7FFFFFFF ? -1 : static_cast<int>(timeoutMs);
    int r;
    do {
        r = poll(&p, 1, timeout);
    } while (r < 0 && errno == EINTR);
    return r > 0;
}

std::string WithoutExe(const std::string& name)
{
    return EndsText(".exe", name) ? name.substr(0, name.size() - 4) : name;
}

} // namespace

std::vector<TProcessEntry> EnumerateProcesses()
{
    std::vector<TProcessEntry> result;
    DIR* dir = opendir("/proc");
    if (!dir) {
        return result;
    }
    while (dirent* d = readdir(dir)) {
        char* end = nullptr;
        long pid = std::strtol(d->d_name, &end, 10);
        if (pid <= 0 || *end != '\0') {
            continue;
        }
        TProcessEntry e;
        // A process may end between the listing and the reading: it is then simply not there.
        if (ReadEntry(static_cast<pid_t>(pid), e)) {
            result.push_back(std::move(e));
        }
    }
    closedir(dir);
    return result;
}

bool RunningProcessesList(TStrings* List, bool FullPath)
{
    if (!List || access("/proc/self", F_OK) != 0) {
        return false;
    }
    std::vector<TProcessEntry> all = EnumerateProcesses();
    List->BeginUpdate();
    for (const TProcessEntry& e : all) {
        List->AddObject(FullPath ? e.Path : e.BaseName, reinterpret_cast<void*>(static_cast<std::uintptr_t>(e.Pid)));
    }
    List->EndUpdate();
    return true;
}

std::string ProcessFileName(DWORD ProcessID, bool FullPath)
{
    TProcessEntry e;
    if (ProcessID == 0 || ProcessID > 0x7FFFFFFF || !ReadEntry(static_cast<pid_t>(ProcessID), e)) {
        return {};
    }
    return FullPath ? e.Path : e.BaseName;
}

DWORD GetPidFromProcessName(const std::string& ProcessName)
{
    if (ProcessName.empty()) {
        return kNoProcess;
    }
    const bool fullPath = ProcessName.find('/') != std::string::npos;
    const std::string bare = WithoutExe(ProcessName);
    std::vector<TProcessEntry> all = EnumerateProcesses();
    std::map<pid_t, pid_t> parents;
    for (const TProcessEntry& e : all) {
        parents[e.Pid] = e.ParentPid;
    }
    const pid_t self = getpid();
    const uid_t uid = getuid();
    auto descendsFromUs = [&](pid_t pid) {
        // The parent chain is finite (it ends at 1 or 0); the step limit guards against a chain read
        // while processes came and went.
        for (int steps = 0; steps < 4096 && pid > 1; ++steps) {
            auto it = parents.find(pid);
            if (it == parents.end()) {
                return false;
            }
            pid = it->second;
            if (pid == self) {
                return true;
            }
        }
        return false;
    };
    for (const TProcessEntry& e : all) {
        if (e.Pid == self || e.Zombie || e.Uid != uid) {
            continue;
        }
        const std::string& name = fullPath ? e.Path : e.BaseName;
        if ((SameText(name, bare) || SameText(name, ProcessName)) && descendsFromUs(e.Pid)) {
            return static_cast<DWORD>(e.Pid);
        }
    }
    return kNoProcess;
}

int TerminateApp(DWORD ProcessID, DWORD Timeout)
{
    if (ProcessID == 0 || ProcessID > 0x7FFFFFFF || static_cast<pid_t>(ProcessID) == getpid()) {
        return taFailed;
    }
    int pidfd = PidfdOpen(static_cast<pid_t>(ProcessID));
    if (pidfd < 0) {
        return taFailed;
    }
    int result = taFailed;
    if (PidfdSignal(pidfd, SIGTERM)) {
        if (WaitEnded(pidfd, Timeout)) {
            result = taEnded;
        } else if (PidfdSignal(pidfd, SIGKILL)) {
            result = taKilled;
        }
    }
    ::close(pidfd);
    return result;
}
