#include "platform/sys/Spawn.h"

#include "platform/rtl/Exceptions.h"
#include "platform/sys/TOwnedFd.h"

#include <fcntl.h>
#include <linux/close_range.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <thread>

extern char** environ;

namespace {

// glibc's wrappers for these are not usable from C++ on this platform, so they go through syscall().
int PidfdOpen(pid_t pid)
{
    return static_cast<int>(syscall(SYS_pidfd_open, pid, 0));
}

int PidfdSendSignal(int pidfd, int sig)
{
    return static_cast<int>(syscall(SYS_pidfd_send_signal, pidfd, sig, nullptr, 0));
}

// waitid's P_PIDFD (Linux 5.4); the C library's idtype_t does not name it yet.
constexpr idtype_t kPidfdIdType = static_cast<idtype_t>(3);

// The pipe a forked child reports a failed exec through. Its ends are closed in one place, their own
// destructors, whatever fails between making the pipe and reading the child's answer (a failure in
// the constructor included: its members are destroyed then, though the pipe itself is not).
class TErrorPipe {
public:
    TErrorPipe()
    {
        int fds[2];
        MakePipe(fds);
        FRead.Reset(fds[0]);
        FWrite.Reset(fds[1]);
        // Above 2: the child moves its pipes onto 0, 1 and 2, which must not collide with the error
        // pipe when the parent itself runs with a standard descriptor closed.
        LiftAboveStdio(FRead);
        LiftAboveStdio(FWrite);
    }

    int ReadEnd() const { return FRead.Get(); }
    int WriteEnd() const { return FWrite.Get(); }
    // In the child after fork: only the parent reads.
    void CloseReadEnd() { FRead.Close(); }
    void CloseWriteEnd() { FWrite.Close(); }

private:
    static void LiftAboveStdio(TOwnedFd& End)
    {
        if (End.Get() >= 3) {
            return;
        }
        int moved = fcntl(End.Get(), F_DUPFD_CLOEXEC, 3);
        int err = errno;
        End.Reset(moved);
        if (moved < 0) {
            RaiseOSError(err, "fcntl");
        }
    }

    TOwnedFd FRead;
    TOwnedFd FWrite;
};


// Everything the child needs, prepared before fork: after fork only async-signal-safe calls are
// allowed, because another thread may have held the allocator's lock at the moment of the fork.
struct TChildPlan {
    std::string path;
    std::vector<std::string> argStore;
    std::vector<char*> argv;
    std::vector<std::string> envStore;
    std::vector<char*> envp;
    const char* directory = nullptr;
    int stdio[3] = {-1, -1, -1};
    bool newGroup = true;
    bool newSession = false;
    int nice = 0;
    long maxFd = 1024;
};

TChildPlan MakePlan(const TSpawnRequest& r)
{
    TChildPlan plan;
    plan.path = FindOnPath(r.Program);
    if (r.Program.empty() || plan.path.empty()) {
        RaiseOSError(ENOENT, r.Program);
    }
    plan.argStore = r.Args.empty() ? std::vector<std::string>{r.Program} : r.Args;
    for (auto& a : plan.argStore) {
        plan.argv.push_back(a.data());
    }
    plan.argv.push_back(nullptr);
    if (!r.Environment.empty()) {
        plan.envStore = r.Environment;
        for (auto& e : plan.envStore) {
            plan.envp.push_back(e.data());
        }
        plan.envp.push_back(nullptr);
    }
    plan.directory = r.Directory.empty() ? nullptr : r.Directory.c_str();
    plan.stdio[0] = r.StdIn;
    plan.stdio[1] = r.StdOut;
    plan.stdio[2] = r.StdErr;
    plan.newGroup = r.NewProcessGroup;
    plan.newSession = r.NewSession;
    plan.nice = r.Nice;
    long m = sysconf(_SC_OPEN_MAX);
    plan.maxFd = (m > 0 && m < 65536) ? m : 65536;
    return plan;
}

[[noreturn]] void ChildFail(int errPipe, int err)
{
    // The parent reads the errno and raises it; partial writes cannot happen for 4 bytes on a pipe.
    ssize_t ignored = ::write(errPipe, &err, sizeof err);
    (void)ignored;
    _exit(127);
}

// Runs in the child after fork; never returns.
[[noreturn]] void ChildExec(const TChildPlan& plan, int errPipe)
{
    // Signal dispositions set to "ignore" and the blocked-signal mask survive exec: without this the
    // tool would inherit our ignored SIGPIPE and whatever a worker thread had blocked.
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    struct sigaction dfl {};
    dfl.sa_handler = SIG_DFL;
    for (int sig = 1; sig < NSIG; ++sig) {
        if (sig != SIGKILL && sig != SIGSTOP) {
            sigaction(sig, &dfl, nullptr);
        }
    }
    if (plan.newSession) {
        setsid();
    } else if (plan.newGroup) {
        setpgid(0, 0);
    }

    // Move the requested descriptors through temporaries above 2, so that one of them sitting on
    // another's target number cannot be overwritten before it is used; dup2 then clears close-on-exec
    // on 0, 1 and 2 only.
    int temp[3] = {-1, -1, -1};
    for (int i = 0; i < 3; ++i) {
        if (plan.stdio[i] >= 0) {
            temp[i] = fcntl(plan.stdio[i], F_DUPFD_CLOEXEC, 3);
            if (temp[i] < 0) {
                ChildFail(errPipe, errno);
            }
        }
    }
    for (int i = 0; i < 3; ++i) {
        if (temp[i] >= 0 && dup2(temp[i], i) < 0) {
            ChildFail(errPipe, errno);
        }
    }

    // Every other descriptor of this program (other children's pipes, the display connection, files
    // another thread has open) must not leak into the tool: mark them all close-on-exec.
    if (syscall(SYS_close_range, 3u, ~0u, CLOSE_RANGE_CLOEXEC) != 0) {
        for (int fd = 3; fd < plan.maxFd; ++fd) {
            if (fd != errPipe) {
                ::close(fd);
            }
        }
    }
    if (plan.directory && chdir(plan.directory) != 0) {
        ChildFail(errPipe, errno);
    }
    if (plan.nice != 0) {
        // A failure only means the tool runs at normal priority.
        errno = 0;
        (void)!::nice(plan.nice);
    }
    execve(plan.path.c_str(), plan.argv.data(), plan.envp.empty() ? environ : plan.envp.data());
    ChildFail(errPipe, errno);
}

// Reads the child's exec result: 0 when exec succeeded (the close-on-exec pipe closed with no data),
// else the child's errno.
int ReadExecResult(int errRead)
{
    int err = 0;
    ssize_t got;
    do {
        got = ::read(errRead, &err, sizeof err);
    } while (got < 0 && errno == EINTR);
    return got == static_cast<ssize_t>(sizeof err) ? err : 0;
}

void ReapLater(pid_t pid)
{
    // Rarely used (children that are given up while still running), so a thread per child is fine.
    std::thread([pid] {
        int status;
        while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
    }).detach();
}

// SpawnProcess for a child that must end with us: posix_spawn cannot ask for the parent-death
// signal, so this one forks.
TChildProcess SpawnTiedToParent(const TChildPlan& plan, const std::string& program)
{
    TErrorPipe err;
    const pid_t parent = getpid();
    pid_t pid = fork();
    if (pid == 0) {
        err.CloseReadEnd();
        // SIGKILL, not a polite signal: a tool spinning after its work cannot be trusted to answer one.
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        // We may have died between fork and prctl: then the signal never comes, so the child looks.
        if (getppid() != parent) {
            _exit(127);
        }
        ChildExec(plan, err.WriteEnd());
    }
    int forkErr = errno;
    // Only the child may hold the write end: the read below ends when the child execs or exits.
    err.CloseWriteEnd();
    if (pid < 0) {
        RaiseOSError(forkErr, "fork");
    }
    // Opened while the child is unreaped, so it refers to exactly this child.
    TOwnedFd pidfd(PidfdOpen(pid));
    // The pipe closes on exec with nothing in it, or carries the errno of what failed before it.
    int execErr = ReadExecResult(err.ReadEnd());
    if (execErr != 0) {
        int status;
        while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
        RaiseOSError(execErr, program);
    }
    return TChildProcess(pid, pidfd.Release());
}

} // namespace

void MakePipe(int Fds[2])
{
    if (pipe2(Fds, O_CLOEXEC) != 0) {
        RaiseOSError(errno, "pipe2");
    }
}

void IgnoreSigPipe()
{
    static std::once_flag once;
    std::call_once(once, [] { signal(SIGPIPE, SIG_IGN); });
}

bool IsExecutableFile(const std::string& Path)
{
    struct stat st {};
    return ::stat(Path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && access(Path.c_str(), X_OK) == 0;
}

std::string FindOnPath(const std::string& Name)
{
    if (Name.empty()) {
        return {};
    }
    if (Name.find('/') != std::string::npos) {
        return Name;
    }
    const char* path = std::getenv("PATH");
    std::string dirs = path ? path : "/usr/local/bin:/usr/bin:/bin";
    std::size_t start = 0;
    while (start <= dirs.size()) {
        std::size_t end = dirs.find(':', start);
        if (end == std::string::npos) {
            end = dirs.size();
        }
        // An empty PATH entry means the current folder.
        std::string dir = end > start ? dirs.substr(start, end - start) : std::string(".");
        std::string candidate = dir + "/" + Name;
        if (IsExecutableFile(candidate)) {
            return candidate;
        }
        start = end + 1;
    }
    return {};
}

unsigned ExitCodeFromStatus(int WaitStatus)
{
    if (WIFEXITED(WaitStatus)) {
        return static_cast<unsigned>(WEXITSTATUS(WaitStatus));
    }
    if (WIFSIGNALED(WaitStatus)) {
        return 128u + static_cast<unsigned>(WTERMSIG(WaitStatus));
    }
    return 0;
}

TChildProcess SpawnProcess(const TSpawnRequest& Request)
{
    TChildPlan plan = MakePlan(Request);
    if (Request.EndWithParent) {
        return SpawnTiedToParent(plan, Request.Program);
    }

    // posix_spawn starts the child without copying our page tables (vfork-style), which is several
    // milliseconds faster than fork for a program of this size, and reports a failed exec (or a failed
    // chdir) as its result, having reaped the failed child already.
    // The descriptors to become 0, 1 and 2 are first lifted above 2 (close-on-exec), so that one
    // sitting on another's target number cannot be overwritten before it is used.
    TOwnedFd lifted[3];
    int source[3];
    for (int i = 0; i < 3; ++i) {
        source[i] = plan.stdio[i];
        if (source[i] >= 0 && source[i] < 3) {
            int moved = fcntl(source[i], F_DUPFD_CLOEXEC, 3);
            if (moved < 0) {
                RaiseOSError(errno, "fcntl");
            }
            lifted[i].Reset(moved);
            source[i] = moved;
        }
    }

    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attr;
    posix_spawn_file_actions_init(&actions);
    posix_spawnattr_init(&attr);
    for (int i = 0; i < 3; ++i) {
        if (source[i] >= 0) {
            posix_spawn_file_actions_adddup2(&actions, source[i], i);
        }
    }
    // Every other descriptor of this program (other children's pipes, the display connection, files
    // another thread has open, also those opened without close-on-exec by a library) stays out.
    posix_spawn_file_actions_addclosefrom_np(&actions, 3);
    if (plan.directory) {
        posix_spawn_file_actions_addchdir_np(&actions, plan.directory);
    }
    // Ignored signals and the blocked-signal mask survive exec: without resetting them the tool would
    // inherit our ignored SIGPIPE and whatever the spawning thread had blocked.
    sigset_t none;
    sigset_t all;
    sigemptyset(&none);
    sigfillset(&all);
    posix_spawnattr_setsigmask(&attr, &none);
    posix_spawnattr_setsigdefault(&attr, &all);
    short flags = POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF;
    if (plan.newGroup) {
        posix_spawnattr_setpgroup(&attr, 0);
        flags |= POSIX_SPAWN_SETPGROUP;
    }
    posix_spawnattr_setflags(&attr, flags);

    pid_t pid = 0;
    int err = posix_spawn(&pid, plan.path.c_str(), &actions, &attr, plan.argv.data(),
        plan.envp.empty() ? environ : plan.envp.data());
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attr);
    if (err != 0) {
        RaiseOSError(err, Request.Program);
    }
    if (plan.nice != 0) {
        // A failure only means the tool runs at normal priority.
        setpriority(PRIO_PROCESS, static_cast<id_t>(pid), plan.nice);
    }
    // Opened while the child is unreaped, so it refers to exactly this child.
    int pidfd = PidfdOpen(pid);
    return TChildProcess(pid, pidfd);
}

void SpawnDetached(const TSpawnRequest& Request)
{
    TChildPlan plan = MakePlan(Request);
    plan.newSession = true;
    TErrorPipe err;
    pid_t pid = fork();
    if (pid == 0) {
        err.CloseReadEnd();
        // The intermediate process ends at once; the grandchild is adopted by init, which reaps it.
        pid_t grandchild = fork();
        if (grandchild < 0) {
            ChildFail(err.WriteEnd(), errno);
        }
        if (grandchild == 0) {
            ChildExec(plan, err.WriteEnd());
        }
        _exit(0);
    }
    int forkErr = errno;
    err.CloseWriteEnd();
    if (pid < 0) {
        RaiseOSError(forkErr, "fork");
    }
    int status;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    int execErr = ReadExecResult(err.ReadEnd());
    if (execErr != 0) {
        RaiseOSError(execErr, Request.Program);
    }
}

TChildProcess::TChildProcess(pid_t Pid, int PidFd) : FPid(Pid), FPidFd(PidFd) {}

TChildProcess::TChildProcess(TChildProcess&& Other) noexcept : FPid(Other.FPid), FPidFd(std::move(Other.FPidFd))
{
    Other.FPid = 0;
}

TChildProcess& TChildProcess::operator=(TChildProcess&& Other) noexcept
{
    if (this != &Other) {
        Release();
        FPid = Other.FPid;
        FPidFd = std::move(Other.FPidFd);
        Other.FPid = 0;
    }
    return *this;
}

TChildProcess::~TChildProcess()
{
    Release();
}

bool TChildProcess::Signal(int Sig) const
{
    if (FPid <= 0) {
        return false;
    }
    if (FPidFd.Get() >= 0) {
        return PidfdSendSignal(FPidFd.Get(), Sig) == 0;
    }
    // Without a pidfd the pid is still safe: the child is unreaped, so the number is not reused.
    return ::kill(FPid, Sig) == 0;
}

bool TChildProcess::SignalGroup(int Sig) const
{
    if (FPid <= 0) {
        return false;
    }
    bool group = ::killpg(FPid, Sig) == 0;
    // The child may have left its group (setsid); then it still gets the signal itself. Never twice:
    // an encoder counts interrupts, and a second one makes it abandon the file it is closing.
    if (::getpgid(FPid) == FPid) {
        return group;
    }
    bool self = Signal(Sig);
    return group || self;
}

bool TChildProcess::HasEnded() const
{
    return PeekStatus(false) >= 0;
}

int TChildProcess::PeekStatus(bool Block) const
{
    if (FPid <= 0) {
        return -1;
    }
    siginfo_t info{};
    int flags = WEXITED | WNOWAIT | (Block ? 0 : WNOHANG);
    int r;
    do {
        r = FPidFd.Get() >= 0 ? waitid(kPidfdIdType, static_cast<id_t>(FPidFd.Get()), &info, flags)
                        : waitid(P_PID, static_cast<id_t>(FPid), &info, flags);
    } while (r < 0 && errno == EINTR);
    if (r < 0 || info.si_pid == 0) {
        return -1;
    }
    switch (info.si_code) {
    case CLD_EXITED:
        return W_EXITCODE(info.si_status, 0);
    case CLD_KILLED:
    case CLD_DUMPED:
        return W_EXITCODE(0, info.si_status);
    default:
        return -1;
    }
}

int TChildProcess::Reap()
{
    if (FPid <= 0) {
        return -1;
    }
    int status = 0;
    while (waitpid(FPid, &status, 0) < 0) {
        if (errno != EINTR) {
            status = -1;
            break;
        }
    }
    FPid = 0;
    FPidFd.Close();
    return status;
}

void TChildProcess::Release()
{
    if (FPid > 0) {
        int status;
        if (waitpid(FPid, &status, WNOHANG) == 0) {
            ReapLater(FPid);
        }
    }
    FPid = 0;
    FPidFd.Close();
}
