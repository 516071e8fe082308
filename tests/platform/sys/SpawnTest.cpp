#include "platform/sys/Spawn.h"

#include "platform/rtl/Exceptions.h"

#include <gtest/gtest.h>

#include <dirent.h>
#include <poll.h>
#include <signal.h>
#include <fcntl.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <functional>
#include <thread>

namespace {

std::string ReadAll(int fd)
{
    std::string out;
    char buf[4096];
    ssize_t n;
    while ((n = read(fd, buf, sizeof buf)) > 0) {
        out.append(buf, static_cast<std::size_t>(n));
    }
    return out;
}

int CountOpenFds()
{
    int n = 0;
    DIR* d = opendir("/proc/self/fd");
    while (dirent* e = readdir(d)) {
        if (e->d_name[0] != '.') {
            ++n;
        }
    }
    closedir(d);
    return n - 1; // the listing's own descriptor
}

// Runs argv with stdout (and stderr) on a pipe; returns the output and the wait status.
std::pair<std::string, int> RunCaptured(TSpawnRequest r)
{
    int out[2];
    MakePipe(out);
    r.StdOut = out[1];
    if (r.StdErr < 0) {
        r.StdErr = out[1];
    }
    TChildProcess child = SpawnProcess(r);
    close(out[1]);
    std::string text = ReadAll(out[0]);
    close(out[0]);
    int status = child.Reap();
    return {text, status};
}

// In a child of the test (its descriptor table is the test's own to wreck): standard input closed and
// every other descriptor below a lowered limit taken, but for one. The error pipe of a start then gets
// 0 and that one, and lifting 0 above the standard descriptors fails. Exit status 0: the start raised
// EMFILE and left the other end closed; 1: it left it open; 2: it raised something else or started.
int StartWithNoDescriptorToSpare(const std::function<void()>& Start)
{
    const pid_t pid = fork();
    if (pid != 0) {
        int status = -1;
        waitpid(pid, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    // A child stuck for want of descriptors ends, and fails the test, instead of hanging it.
    alarm(60);
    // A sanitized build reads files of its own the first time it checks an exception's class: that
    // is done now, while descriptors are still to be had.
    try {
        RaiseOSError(EMFILE, "before");
    } catch (const EOSError&) {
    }
    int highest = 2;
    for (int fd = 3; fd < 4096; ++fd) {
        if (fcntl(fd, F_GETFD) >= 0) {
            highest = fd;
        }
    }
    const rlimit limit{static_cast<rlim_t>(highest + 8), static_cast<rlim_t>(highest + 8)};
    if (setrlimit(RLIMIT_NOFILE, &limit) != 0) {
        _exit(3);
    }
    int last = -1;
    for (int fd; (fd = open("/dev/null", O_RDONLY | O_CLOEXEC)) >= 0;) {
        last = fd;
    }
    close(0);
    close(last);
    int result = 2;
    try {
        Start();
    } catch (const EOSError& e) {
        if (e.ErrorCode == EMFILE) {
            result = fcntl(last, F_GETFD) < 0 ? 0 : 1;
        }
    } catch (...) {
    }
    _exit(result);
}

} // namespace

TEST(SpawnProcess, RunsArgumentVectorWithoutShell)
{
    TSpawnRequest r;
    r.Program = "printf";
    r.Args = {"printf", "[%s]", "$HOME `id` *", "a b"};
    auto [text, status] = RunCaptured(r);
    EXPECT_EQ(text, "[$HOME `id` *][a b]");
    EXPECT_EQ(ExitCodeFromStatus(status), 0u);
}

TEST(SpawnProcess, ExitCodeAndDeathBySignal)
{
    TSpawnRequest r;
    r.Program = "/bin/sh";
    r.Args = {"sh", "-c", "exit 3"};
    EXPECT_EQ(ExitCodeFromStatus(RunCaptured(r).second), 3u);
    r.Args = {"sh", "-c", "kill -9 $$"};
    EXPECT_EQ(ExitCodeFromStatus(RunCaptured(r).second), 128u + 9u);
}

TEST(SpawnProcess, WorkingFolderAndEnvironment)
{
    TSpawnRequest r;
    r.Program = "/bin/sh";
    r.Args = {"sh", "-c", "pwd; echo \"$ONLY\"; echo \"${HOME-unset}\""};
    r.Directory = "/tmp";
    r.Environment = {"ONLY=one"};
    EXPECT_EQ(RunCaptured(r).first, "/tmp\none\nunset\n");
}

TEST(SpawnProcess, MissingProgramRaisesAndLeavesNothingOpen)
{
    int before = CountOpenFds();
    TSpawnRequest r;
    r.Program = "/nonexistent/tool";
    try {
        SpawnProcess(r);
        FAIL() << "started";
    } catch (const EOSError& e) {
        EXPECT_EQ(e.ErrorCode, ENOENT);
    }
    r.Program = "no-such-program-anywhere";
    EXPECT_THROW(SpawnProcess(r), EOSError);
    EXPECT_EQ(CountOpenFds(), before);
}

TEST(SpawnProcess, ErrorPipeThatCannotBeLifted_RaisesAndLeavesNeitherEndOpen)
{
    TSpawnRequest r;
    r.Program = "/bin/true";
    r.EndWithParent = true;
    const std::pair<const char*, std::function<void()>> starts[] = {
        {"tied to its parent", [&r] { SpawnProcess(r); }},
        {"detached", [&r] { SpawnDetached(r); }},
    };
    for (const auto& [name, start] : starts) {
        EXPECT_EQ(StartWithNoDescriptorToSpare(start), 0) << name;
    }
}

TEST(SpawnProcess, BadWorkingFolderRaisesFromTheChild)
{
    TSpawnRequest r;
    r.Program = "/bin/true";
    r.Directory = "/nonexistent/folder";
    try {
        SpawnProcess(r);
        FAIL() << "started";
    } catch (const EOSError& e) {
        EXPECT_EQ(e.ErrorCode, ENOENT);
    }
    // The failed child was reaped: no zombie is left.
    EXPECT_EQ(waitpid(-1, nullptr, WNOHANG), -1);
}

TEST(SpawnProcess, ChildSeesOnlyItsThreeDescriptors)
{
    int out[2];
    MakePipe(out);
    int stray[2];
    ASSERT_EQ(pipe(stray), 0); // deliberately not close-on-exec: must still not leak
    TSpawnRequest r;
    r.Program = "sleep";
    r.Args = {"sleep", "5"};
    r.StdOut = out[1];
    TChildProcess child = SpawnProcess(r);
    // Give exec time to happen: the descriptors are dropped at exec.
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    std::vector<std::string> fds;
    DIR* d = opendir(("/proc/" + std::to_string(child.Pid()) + "/fd").c_str());
    ASSERT_NE(d, nullptr);
    while (dirent* e = readdir(d)) {
        if (e->d_name[0] != '.') {
            fds.push_back(e->d_name);
        }
    }
    closedir(d);
    std::sort(fds.begin(), fds.end());
    EXPECT_EQ(fds, (std::vector<std::string>{"0", "1", "2"}));
    EXPECT_TRUE(child.Signal(SIGKILL));
    child.Reap();
    for (int fd : {out[0], out[1], stray[0], stray[1]}) {
        close(fd);
    }
}

TEST(SpawnProcess, ChildLeadsItsOwnGroupAndGroupSignalReachesGrandchildren)
{
    int out[2];
    MakePipe(out);
    TSpawnRequest r;
    r.Program = "/bin/sh";
    // The grandchild (sleep) reports its pid, then both wait.
    r.Args = {"sh", "-c", "sleep 30 & echo $!; wait"};
    r.StdOut = out[1];
    TChildProcess child = SpawnProcess(r);
    close(out[1]);
    EXPECT_EQ(getpgid(child.Pid()), child.Pid());
    char buf[32] = {};
    ASSERT_GT(read(out[0], buf, sizeof buf - 1), 0);
    pid_t grandchild = static_cast<pid_t>(atoi(buf));
    EXPECT_EQ(getpgid(grandchild), child.Pid());
    EXPECT_TRUE(child.SignalGroup(SIGTERM));
    EXPECT_EQ(ExitCodeFromStatus(child.Reap()), 128u + SIGTERM);
    // The pipe reaches EOF only when the grandchild, its last holder, has gone too.
    EXPECT_EQ(ReadAll(out[0]), "");
    close(out[0]);
}

TEST(TChildProcess, PeekDoesNotReapAndPidfdSignalsTheEnd)
{
    TSpawnRequest r;
    r.Program = "/bin/sh";
    r.Args = {"sh", "-c", "exit 7"};
    TChildProcess child = SpawnProcess(r);
    pollfd p{child.PidFd(), POLLIN, 0};
    ASSERT_EQ(poll(&p, 1, 5000), 1);
    EXPECT_TRUE(child.HasEnded());
    EXPECT_EQ(ExitCodeFromStatus(child.PeekStatus(false)), 7u);
    EXPECT_EQ(ExitCodeFromStatus(child.PeekStatus(true)), 7u);
    // Still unreaped: the pid cannot have been reused, so the group signal is safe (and harmless).
    EXPECT_EQ(kill(child.Pid(), 0), 0);
    EXPECT_EQ(ExitCodeFromStatus(child.Reap()), 7u);
    EXPECT_FALSE(child.Assigned());
    EXPECT_FALSE(child.Signal(SIGKILL));
}

TEST(TChildProcess, ReleasedChildIsReapedInTheBackground)
{
    TSpawnRequest r;
    r.Program = "/bin/true";
    pid_t pid;
    {
        TChildProcess child = SpawnProcess(r);
        pid = child.Pid();
    }
    for (int i = 0; i < 200 && kill(pid, 0) == 0; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_NE(kill(pid, 0), 0) << "left as a zombie";
}

namespace {
volatile sig_atomic_t SignalsReceived = 0;
void CountSignal(int) { SignalsReceived = SignalsReceived + 1; }
}

TEST(TChildProcess, GroupSignalReachesTheGroupLeaderOnce)
{
    // An encoder counts interrupts: a second one makes it give up the file it is closing. A queued
    // (real-time) signal shows every delivery, where an ordinary one could merge two into one.
    int out[2];
    MakePipe(out);
    pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        setpgid(0, 0);
        struct sigaction sa = {};
        sa.sa_handler = CountSignal;
        sigaction(SIGRTMIN, &sa, nullptr);
        char ready = 'r';
        (void)!write(out[1], &ready, 1);
        for (int i = 0; i < 30; ++i) {
            usleep(10000);
        }
        char count = static_cast<char>('0' + SignalsReceived);
        (void)!write(out[1], &count, 1);
        _exit(0);
    }
    close(out[1]);
    TChildProcess child(pid, -1);
    char ready = 0;
    ASSERT_EQ(read(out[0], &ready, 1), 1);
    ASSERT_EQ(getpgid(pid), pid);
    EXPECT_TRUE(child.SignalGroup(SIGRTMIN));
    char count = 0;
    ASSERT_EQ(read(out[0], &count, 1), 1);
    EXPECT_EQ(count, '1');
    child.Reap();
    close(out[0]);
}

TEST(SpawnProcess, ChildTiedToItsParentEndsWhenTheParentIsKilled)
{
    // The orphaned tool comes to this test (not to init), so its end can be waited for and read.
    ASSERT_EQ(prctl(PR_SET_CHILD_SUBREAPER, 1), 0);
    int report[2];
    MakePipe(report);
    const pid_t parent = fork();
    ASSERT_GE(parent, 0);
    if (parent == 0) {
        // The program that drives the tool, killed outright once the tool runs.
        TSpawnRequest r;
        r.Program = "sleep";
        r.Args = {"sleep", "120"};
        r.EndWithParent = true;
        pid_t tool = -1;
        try {
            tool = SpawnProcess(r).Pid();
        } catch (...) {
        }
        (void)!write(report[1], &tool, sizeof tool);
        raise(SIGKILL);
    }
    close(report[1]);
    pid_t tool = -1;
    ASSERT_EQ(read(report[0], &tool, sizeof tool), static_cast<ssize_t>(sizeof tool));
    close(report[0]);
    int status = 0;
    ASSERT_EQ(waitpid(parent, &status, 0), parent);
    ASSERT_GT(tool, 0);
    // Bounded generously: the kernel sends the signal at once, a loaded machine may take a while.
    // Another waiter of this process (a reaper of an earlier test's tools) may take the orphan's end
    // first; then it is no child of ours any more, which only an ended process can be.
    pid_t ended = 0;
    bool reapedElsewhere = false;
    for (int i = 0; i < 600 && ended == 0; ++i) {
        ended = waitpid(tool, &status, WNOHANG);
        if (ended < 0 && errno == ECHILD) {
            reapedElsewhere = true;
            ended = tool;
        } else if (ended == 0) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
    }
    if (ended == 0) {
        kill(tool, SIGKILL);
        waitpid(tool, &status, 0);
    }
    prctl(PR_SET_CHILD_SUBREAPER, 0);
    EXPECT_EQ(ended, tool) << "the tool outlived its parent";
    if (!reapedElsewhere)
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
}
