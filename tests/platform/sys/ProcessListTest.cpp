#include "platform/sys/ProcessList.h"

#include "platform/rtl/TStringList.h"
#include "platform/sys/Spawn.h"

#include <gtest/gtest.h>

#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <thread>

namespace fs = std::filesystem;

namespace {

// A copy of sleep under the name "faketool", so that nothing else on the machine can match it.
class ProcessListTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char tmpl[] = "/tmp/ombrix-proc-XXXXXX";
        dir = mkdtemp(tmpl);
        tool = dir + "/faketool";
        fs::copy_file(FindOnPath("sleep"), tool);
        fs::permissions(tool, fs::perms::owner_all);
    }
    void TearDown() override { fs::remove_all(dir); }

    TChildProcess Start(std::vector<std::string> args)
    {
        TSpawnRequest r;
        r.Program = args[0];
        r.Args = args;
        TChildProcess child = SpawnProcess(r);
        // The name is the executable's only after exec; wait until /proc shows it.
        for (int i = 0; i < 200 && ProcessFileName(static_cast<DWORD>(child.Pid()), false) != fs::path(args[0]).filename().string(); ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return child;
    }

    std::string dir;
    std::string tool;
};

} // namespace

TEST_F(ProcessListTest, FindsOwnChildByImageNameWithExeAndAnyCase)
{
    TChildProcess child = Start({tool, "30"});
    const DWORD pid = static_cast<DWORD>(child.Pid());
    EXPECT_EQ(GetPidFromProcessName("faketool.exe"), pid);
    EXPECT_EQ(GetPidFromProcessName("FakeTool.EXE"), pid);
    EXPECT_EQ(GetPidFromProcessName("faketool"), pid);
    EXPECT_EQ(GetPidFromProcessName(tool), pid) << "a name with a folder matches the full path";
    EXPECT_EQ(GetPidFromProcessName("/elsewhere/faketool"), kNoProcess);
    EXPECT_EQ(GetPidFromProcessName("faketoo"), kNoProcess);
    child.Signal(SIGKILL);
    child.Reap();
}

TEST_F(ProcessListTest, OthersProcessesAreNeverFound)
{
    // Process 1 does not descend from this program, whatever its name.
    const std::string initName = ProcessFileName(1, false);
    if (!initName.empty()) {
        EXPECT_EQ(GetPidFromProcessName(initName), kNoProcess);
    }
    EXPECT_EQ(GetPidFromProcessName(""), kNoProcess);
}

TEST_F(ProcessListTest, EndedButUnreapedChildIsNotFound)
{
    TChildProcess child = Start({tool, "30"});
    child.Signal(SIGKILL);
    pollfd p{child.PidFd(), POLLIN, 0};
    ASSERT_EQ(poll(&p, 1, 5000), 1);
    EXPECT_EQ(GetPidFromProcessName("faketool.exe"), kNoProcess);
    child.Reap();
}

TEST_F(ProcessListTest, RunningProcessesListHoldsOwnProcessWithItsId)
{
    TStringList list;
    list.Add("kept");
    ASSERT_TRUE(RunningProcessesList(&list, true));
    EXPECT_EQ(list.Strings(0), "kept") << "appended, never cleared";
    bool foundSelf = false;
    for (int i = 1; i < list.Count(); ++i) {
        if (reinterpret_cast<std::uintptr_t>(list.Objects(i)) == static_cast<std::uintptr_t>(getpid())) {
            foundSelf = true;
            EXPECT_EQ(list.Strings(i), fs::read_symlink("/proc/self/exe").string());
        }
    }
    EXPECT_TRUE(foundSelf);
}

TEST_F(ProcessListTest, TerminateAppEndsPoliteProcessWithOne)
{
    TChildProcess child = Start({tool, "30"});
    EXPECT_EQ(TerminateApp(static_cast<DWORD>(child.Pid()), 2000), taEnded);
    EXPECT_EQ(ExitCodeFromStatus(child.Reap()), 128u + SIGTERM);
}

TEST_F(ProcessListTest, TerminateAppKillsProcessIgnoringSigtermWithTwoAfterTimeout)
{
    int ready[2];
    MakePipe(ready);
    TSpawnRequest r;
    r.Program = "/bin/sh";
    r.Args = {"sh", "-c", "trap '' TERM; echo up; while :; do sleep 1; done"};
    r.StdOut = ready[1];
    TChildProcess child = SpawnProcess(r);
    close(ready[1]);
    char buf[8];
    ASSERT_GT(read(ready[0], buf, sizeof buf), 0); // the trap is in place
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(TerminateApp(static_cast<DWORD>(child.Pid()), 50), taKilled);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(50));
    EXPECT_EQ(ExitCodeFromStatus(child.Reap()), 128u + SIGKILL);
    child = TChildProcess();
    // Its sleep ignores SIGTERM too and still holds the pipe: end the group's rest.
    close(ready[0]);
}

TEST_F(ProcessListTest, TerminateAppRefusesOwnAndMissingProcesses)
{
    EXPECT_EQ(TerminateApp(static_cast<DWORD>(getpid()), 10), taFailed);
    TChildProcess child = Start({tool, "0"});
    const DWORD pid = static_cast<DWORD>(child.Pid());
    child.Reap();
    EXPECT_EQ(TerminateApp(pid, 10), taFailed);
    EXPECT_EQ(TerminateApp(0, 10), taFailed);
    EXPECT_EQ(TerminateApp(kNoProcess, 10), taFailed);
}
