#include "platform/sys/ProcessList.h"

#include "platform/rtl/TStringList.h"
#include "platform/sys/Spawn.h"

#include <gtest/gtest.h>

#include "tests/support/TScratchFolder.h"

#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <thread>

namespace fs = std::filesystem;

namespace {

DWORD PidOf(const TChildProcess& Child)
{
    return static_cast<DWORD>(Child.Pid());
}

// A copy of sleep under a name of this test process's own ("faketool" and its id), so that nothing else on
// the machine, other tests running beside it included, can match it.
class ProcessListTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        name = "faketool" + std::to_string(getpid());
        tool = dir + "/" + name;
        fs::copy_file(FindOnPath("sleep"), tool);
        fs::permissions(tool, fs::perms::owner_all);
    }

    TChildProcess Start(const std::vector<std::string>& Args, int StdOut = -1)
    {
        TSpawnRequest r;
        r.Program = Args[0];
        r.Args = Args;
        if (StdOut >= 0)
            r.StdOut = StdOut;
        TChildProcess child = SpawnProcess(r);
        // The image is the program's only after exec: wait until the process table shows it.
        const std::string image = fs::path(Args[0]).filename().string();
        if (image != name)
            return child;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (ProcessFileName(PidOf(child), false) != image && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        return child;
    }

    TScratchFolder scratch;
    std::string dir = scratch.Path();
    std::string name;
    std::string tool;
};

} // namespace

TEST_F(ProcessListTest, FindsChildByImageNameInAnyCaseWithOrWithoutExe)
{
    TChildProcess child = Start({tool, "60"});
    EXPECT_EQ(GetPidFromProcessName(name), PidOf(child));
    EXPECT_EQ(GetPidFromProcessName("FakeTool" + name.substr(8) + ".EXE"), PidOf(child));
    EXPECT_EQ(GetPidFromProcessName(tool), PidOf(child)) << "a name with a folder matches the full path";
    EXPECT_EQ(GetPidFromProcessName("/elsewhere/" + name), kNoProcess);
    EXPECT_EQ(GetPidFromProcessName(name.substr(0, name.size() - 1)), kNoProcess);
    EXPECT_EQ(GetPidFromProcessName(""), kNoProcess);
    EXPECT_EQ(ProcessFileName(PidOf(child), true), tool);
    EXPECT_EQ(TerminateApp(PidOf(child), 10000), taEnded);
    EXPECT_EQ(ExitCodeFromStatus(child.Reap()), 128u + SIGTERM);
}

TEST_F(ProcessListTest, OfTwoWithTheSameImageTheFirstListedWins)
{
    TChildProcess a = Start({tool, "60"});
    TChildProcess b = Start({tool, "60"});
    TStringList list;
    ASSERT_TRUE(RunningProcessesList(&list, false));
    const int first = list.IndexOf(name);
    ASSERT_GE(first, 0);
    const DWORD firstPid = static_cast<DWORD>(reinterpret_cast<std::uintptr_t>(list.Objects(first)));
    EXPECT_TRUE(firstPid == PidOf(a) || firstPid == PidOf(b));
    EXPECT_EQ(GetPidFromProcessName(name), firstPid);
    a.Signal(SIGKILL);
    b.Signal(SIGKILL);
}

TEST_F(ProcessListTest, EndedButUnreapedChildIsNoLongerListed)
{
    TChildProcess child = Start({tool, "60"});
    child.Signal(SIGKILL);
    pollfd p{child.PidFd(), POLLIN, 0};
    ASSERT_EQ(poll(&p, 1, 30000), 1);
    EXPECT_EQ(GetPidFromProcessName(name), kNoProcess);
}

TEST_F(ProcessListTest, ListIsAppendedToAndHoldsOwnProcessWithItsId)
{
    TStringList list;
    list.Add("kept");
    ASSERT_TRUE(RunningProcessesList(&list, true));
    EXPECT_EQ(list.Strings(0), "kept");
    const int self = list.IndexOfObject(reinterpret_cast<void*>(static_cast<std::uintptr_t>(getpid())));
    ASSERT_GT(self, 0);
    EXPECT_EQ(list.Strings(self), fs::read_symlink("/proc/self/exe").string());
}

TEST_F(ProcessListTest, TerminateAppEndsOneIgnoringTheRequestByForceAfterTheTimeout)
{
    int ready[2];
    MakePipe(ready);
    TChildProcess child = Start({"/bin/sh", "-c", "trap '' TERM; echo up; exec sleep 60"}, ready[1]);
    close(ready[1]);
    char buf[8];
    ASSERT_GT(read(ready[0], buf, sizeof buf), 0) << "the trap is in place";
    close(ready[0]);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(TerminateApp(PidOf(child), 50), taKilled);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(50));
    EXPECT_EQ(ExitCodeFromStatus(child.Reap()), 128u + SIGKILL);
}

TEST_F(ProcessListTest, TerminateAppRefusesOwnAndMissingProcesses)
{
    EXPECT_EQ(TerminateApp(static_cast<DWORD>(getpid()), 10), taFailed);
    EXPECT_TRUE(fs::exists("/proc/self")) << "still running";
    TChildProcess child = Start({tool, "0"});
    const DWORD gone = PidOf(child);
    child.Reap();
    EXPECT_EQ(TerminateApp(gone, 10), taFailed);
    EXPECT_EQ(TerminateApp(0, 10), taFailed);
    EXPECT_EQ(TerminateApp(kNoProcess, 10), taFailed);
    EXPECT_EQ(ProcessFileName(gone, false), "");
}

TEST(WindowsVersionTest, ThisSystemIsUnknownAndTellsItsKernel)
{
    EXPECT_EQ(GetWindowsVersion(), wvUnknown);
    EXPECT_FALSE(WindowsVersion().WinNT);
    std::ifstream ostype("/proc/sys/kernel/ostype"), osrelease("/proc/sys/kernel/osrelease");
    std::string name, release;
    std::getline(ostype, name);
    std::getline(osrelease, release);
    EXPECT_EQ(GetOSVersionRecord().SystemName, name);
    EXPECT_EQ(GetOSVersionRecord().Release, release);
}

TEST(WindowsVersionTest, FlagsOfTheNtThreeReleases)
{
    struct Case {
        TWindowsVersion Version;
        bool NT3, NT35, NT351, NT;
    } cases[] = {
        {wvWinME, false, false, false, false},     {wvWinNT31, true, false, false, true},
        {wvWinNT35, true, true, false, true},      {wvWinNT351, true, true, true, true},
        {wvWinNT4, false, false, false, true},     {wvWin2008, false, false, false, true},
    };
    for (const Case& c : cases) {
        const TWindowsVersionFlags f = WindowsVersionFlags(c.Version);
        EXPECT_EQ(f.WinNT3, c.NT3) << c.Version;
        EXPECT_EQ(f.WinNT35, c.NT35) << c.Version;
        EXPECT_EQ(f.WinNT351, c.NT351) << c.Version;
        EXPECT_EQ(f.WinNT, c.NT) << c.Version;
    }
}
