#include "app/om_runcontrol.h"
#include "app/om_runstate.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>

#include "platform/sys/Spawn.h"
#include "process/TOxCreateProcess.h"

namespace {

struct RunControlFixture : ::testing::Test {
    TRunState State;
    TOxCreateProcess Runner{nullptr};
    TRunControl Control{Runner, State};
    std::string Status;

    RunControlFixture()
    {
        Runner.SetConsoleOptions({coOwnerData, coRedirect});
        // What the main window's end handler does.
        Runner.OnTerminate = [this](TObject*, DWORD) { State.ToolRunning = 0; };
        Control.OnStatus = [this](const std::string& s) { Status = s; };
    }
    ~RunControlFixture() override
    {
        if (Runner.Waiting())
            Control.KillTools(500);
    }

    double SecondsFor(const std::function<void()>& F)
    {
        const auto t0 = std::chrono::steady_clock::now();
        F();
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    }
};

} // namespace

// --- a start that fails -------------------------------------------------------------------------

TEST_F(RunControlFixture, RunTool_MissingTool_ClearsFlagsAndSaysWhichTool)
{
    State.GrabMode = -1;
    State.Scanning = -1;
    EXPECT_FALSE(Control.RunTool("\"ombrix-no-such-tool\" -i x", TToolKind::Encode));
    EXPECT_EQ(State.ToolRunning, 0);
    EXPECT_EQ(State.GrabMode, 0);
    EXPECT_EQ(State.Scanning, 0);
    EXPECT_TRUE(Control.LastStartFailed());
    EXPECT_EQ(Status, "could not start ombrix-no-such-tool");
    EXPECT_EQ(Control.RunningKind(), TToolKind::None);
}

TEST_F(RunControlFixture, WaitForTool_AfterFailedStart_ReturnsAtOnce)
{
    Control.RunTool("\"ombrix-no-such-tool\"", TToolKind::Encode);
    EXPECT_LT(SecondsFor([this] { Control.WaitForTool(); }), 1.0);
}

TEST_F(RunControlFixture, WaitForTool_FlagLeftSetWithoutChild_DoesNotHang)
{
    State.ToolRunning = -1;
    EXPECT_LT(SecondsFor([this] { Control.WaitForTool(); }), 1.0);
    EXPECT_EQ(State.ToolRunning, 0);
}

// --- waiting for a real child --------------------------------------------------------------------

TEST_F(RunControlFixture, WaitForTool_ReturnsWhenTheChildEnds_WithItsExitCode)
{
    ASSERT_TRUE(Control.RunTool("\"sh\" -c \"sleep 0.3; exit 3\"", TToolKind::Identify));
    EXPECT_EQ(Control.RunningKind(), TToolKind::Identify);
    const double s = SecondsFor([this] { Control.WaitForTool(); });
    EXPECT_GE(s, 0.25);
    EXPECT_LT(s, 3.0);
    EXPECT_EQ(State.ToolRunning, 0);
    EXPECT_EQ(Control.LastExitCode(), 3u);
    EXPECT_EQ(Control.RunningKind(), TToolKind::None);
}

TEST_F(RunControlFixture, RunTool_UsesTheGivenFolder)
{
    std::string out;
    Runner.OnRead = [&out](TObject*, const std::string& line, bool, bool) { out += line + "|"; };
    ASSERT_TRUE(Control.RunTool("\"pwd\"", TToolKind::Thumbnail, "/tmp"));
    Control.WaitForTool();
    EXPECT_NE(out.find("/tmp|"), std::string::npos) << out;
}

// --- ending tools ---------------------------------------------------------------------------------

TEST_F(RunControlFixture, KillTools_EndsOwnChildQuickly)
{
    ASSERT_TRUE(Control.RunTool("\"sleep\" 30", TToolKind::Encode));
    const double s = SecondsFor([this] { Control.KillTools(); Control.WaitForTool(); });
    EXPECT_LT(s, 3.0);
    EXPECT_FALSE(Runner.Waiting());
}

TEST_F(RunControlFixture, KillTools_IgnoringSigterm_EndsAfterTimeout)
{
    ASSERT_TRUE(Control.RunTool("\"sh\" -c \"trap '' TERM; sleep 30\"", TToolKind::Encode));
    const double s = SecondsFor([this] { Control.KillTools(300); Control.WaitForTool(); });
    EXPECT_LT(s, 3.0);
    EXPECT_FALSE(Runner.Waiting());
}

TEST_F(RunControlFixture, KillTools_LeavesOtherProcessesOfTheSameNameAlone)
{
    TSpawnRequest request;
    request.Program = "sleep";
    request.Args = {"sleep", "30"};
    TChildProcess other = SpawnProcess(request);
    ASSERT_TRUE(Control.RunTool("\"sleep\" 30", TToolKind::Encode));
    Control.KillTools();
    Control.WaitForTool();
    EXPECT_FALSE(other.HasEnded());
    other.Signal(SIGKILL);
    other.PeekStatus(true);
    other.Reap();
}

TEST_F(RunControlFixture, KillTools_NothingRunning_DoesNothing)
{
    EXPECT_LT(SecondsFor([this] { Control.KillTools(); }), 0.5);
}

// --- stop and skip ----------------------------------------------------------------------------------

TEST_F(RunControlFixture, Skip_InterruptsTheToolAndSetsOnlySkip)
{
    ASSERT_TRUE(Control.RunTool("\"sleep\" 30", TToolKind::Encode));
    const double s = SecondsFor([this] { Control.Skip(); Control.WaitForTool(); });
    EXPECT_LT(s, 3.0);
    EXPECT_EQ(State.SkipRequested, -1);
    EXPECT_EQ(State.AbortRequested, 0);
    EXPECT_EQ(Control.LastExitCode(), 128u + SIGINT);
}

TEST_F(RunControlFixture, Stop_SetsAbortAndEndsEvenAToolThatIgnoresInterrupt)
{
    ASSERT_TRUE(Control.RunTool("\"sh\" -c \"trap '' INT; sleep 30\"", TToolKind::Encode));
    const double s = SecondsFor([this] { Control.Stop(); Control.WaitForTool(); });
    EXPECT_LT(s, 5.0);
    EXPECT_EQ(State.AbortRequested, -1);
    EXPECT_EQ(State.SkipRequested, -1);
    EXPECT_FALSE(Runner.Waiting());
}

TEST(CommandToolTest, NamesTheProgramWithoutFolderAndExe)
{
    EXPECT_EQ(CommandTool("\"/w/Ombrix3/mencoder.exe\" -o x"), "mencoder");
    EXPECT_EQ(CommandTool("\"ffmpeg\" -i \"a b\""), "ffmpeg");
    EXPECT_EQ(CommandTool(""), "");
}

// --- the disc tray ------------------------------------------------------------------------------------

TEST(CdromEjectorTest, PathThatIsNoOpticalVolume_FailsCleanly)
{
    TCdromEjector tray;
    EXPECT_FALSE(tray.Eject("/tmp"));
    EXPECT_FALSE(tray.Eject("/"));
    EXPECT_FALSE(tray.Eject(""));
    EXPECT_FALSE(tray.Eject("/nonexistent/media/cdrom0/"));
    EXPECT_FALSE(tray.Eject("/dev/null"));
}
