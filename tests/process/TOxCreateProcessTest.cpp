#include "process/TOxCreateProcess.h"

#include "RunnerTestUtils.h"
#include "platform/vcl/TApplication.h"
#include "platform/vcl/TReader.h"
#include "platform/vcl/TypInfo.h"
#include "process/OxUtils.h"

#include <gtest/gtest.h>

#include <dirent.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <stdexcept>
#include <thread>

namespace {

int CountEntries(const char* dir)
{
    int n = 0;
    DIR* d = opendir(dir);
    while (dirent* e = readdir(d)) {
        n += e->d_name[0] != '.';
    }
    closedir(d);
    return n;
}

struct TReport {
    std::string text;
    bool startsOnNewLine;
    bool endsLine;
    bool operator==(const TReport&) const = default;
};

std::ostream& operator<<(std::ostream& os, const TReport& r)
{
    return os << "{\"" << r.text << "\", " << r.startsOnNewLine << ", " << r.endsLine << "}";
}

// A runner set up as the converter's: redirected, no lines kept; it records what it reports.
class TOxCreateProcessTest : public ::testing::Test {
protected:
    TOxCreateProcessTest()
    {
        runner.SetConsoleOptions({coOwnerData, coRedirect});
        runner.OnRead = [this](TObject*, const std::string& s, bool starts, bool ends) {
            reports.push_back({s, starts, ends});
            if (ends) {
                lines.push_back(s);
            }
        };
        runner.OnTerminate = [this](TObject* sender, DWORD code) {
            EXPECT_EQ(sender, &runner);
            exitCodes.push_back(code);
        };
    }
    void Run(const std::string& commandLine)
    {
        runner.SetCommandLine(commandLine);
        runner.Run();
    }
    bool WaitEnd(int ms = 10000)
    {
        return PumpUntil([this] { return !exitCodes.empty(); }, ms);
    }
    // Complete lines that are not empty.
    std::vector<std::string> Text() const
    {
        std::vector<std::string> out;
        for (const auto& l : lines) {
            if (!l.empty()) {
                out.push_back(l);
            }
        }
        return out;
    }

    TOxCreateProcess runner{nullptr};
    std::vector<TReport> reports;
    std::vector<std::string> lines;
    std::vector<DWORD> exitCodes;
};

} // namespace

TEST_F(TOxCreateProcessTest, LinesThenOneTerminateWithExitCode)
{
    Run("sh -c \"printf 'abc\\r\\ndef'; exit 3\"");
    ASSERT_TRUE(WaitEnd());
    PumpFor(100);
    EXPECT_EQ(reports, (std::vector<TReport>{{"abc", true, true}, {"def", true, false}, {"def", false, true}}));
    EXPECT_EQ(exitCodes, (std::vector<DWORD>{3}));
    EXPECT_FALSE(runner.Waiting());
}

TEST_F(TOxCreateProcessTest, ChildWithoutOutputGivesOnlyTheEnd)
{
    Run("true");
    ASSERT_TRUE(WaitEnd());
    PumpFor(50);
    EXPECT_TRUE(reports.empty());
    EXPECT_EQ(exitCodes, (std::vector<DWORD>{0}));
}

TEST_F(TOxCreateProcessTest, ProgramNamedWithExeIsTheLinuxTool)
{
    Run("printf.exe \"%s|\" \"a b\" \"say \\\"hi\\\"\" $HOME");
    ASSERT_TRUE(WaitEnd());
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_EQ(reports.back().text, "a b|say \"hi\"|$HOME|");
}

TEST_F(TOxCreateProcessTest, WriteLnIsEchoedByCat)
{
    Run("cat");
    EXPECT_TRUE(runner.WriteLn("seek 10 2"));
    EXPECT_TRUE(runner.WriteLn("switch_audio 128"));
    ASSERT_TRUE(PumpUntil([this] { return lines.size() >= 2; }));
    EXPECT_EQ(lines, (std::vector<std::string>{"seek 10 2", "switch_audio 128"}));
    runner.Terminate();
    ASSERT_TRUE(WaitEnd());
}

TEST_F(TOxCreateProcessTest, MegabyteArrivesIntactAndInOrder)
{
    Run("seq 1 150000");
    ASSERT_TRUE(WaitEnd());
    ASSERT_EQ(lines.size(), 150000u);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        ASSERT_EQ(lines[i], std::to_string(i + 1));
    }
    EXPECT_EQ(exitCodes, (std::vector<DWORD>{0}));
}

TEST_F(TOxCreateProcessTest, TwoHundredMegabytesUnderALaggingGuiLoseNothing)
{
    // 2,621,440 numbered lines of 80 bytes; the handler stalls now and then, as a busy GUI would.
    const std::size_t count = 2621440;
    std::size_t seen = 0;
    bool ordered = true;
    runner.OnRead = [&](TObject*, const std::string& s, bool, bool ends) {
        if (!ends) {
            return;
        }
        ++seen;
        if (ordered && std::strtoull(s.c_str(), nullptr, 10) != seen) {
            ordered = false;
        }
        if (seen % 500000 == 0) {
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
        }
    };
    Run("seq -f %079.0f 1 2621440");
    ASSERT_TRUE(WaitEnd(120000));
    EXPECT_EQ(seen, count);
    EXPECT_TRUE(ordered);
}

TEST_F(TOxCreateProcessTest, MissingProgramRaisesAndLeavesNothingBehind)
{
    const int fds = CountEntries("/proc/self/fd");
    const int threads = CountEntries("/proc/self/task");
    for (const char* cmd : {"no-such-tool.exe -identify", "/nonexistent/tool", ""}) {
        try {
            Run(cmd);
            FAIL() << "started: " << cmd;
        } catch (const EOSError& e) {
            EXPECT_EQ(e.ErrorCode, ENOENT);
        }
    }
    runner.SetCurrentDirectory("/nonexistent/folder");
    EXPECT_THROW(Run("true"), EOSError);
    EXPECT_FALSE(runner.Waiting());
    EXPECT_EQ(CountEntries("/proc/self/fd"), fds);
    EXPECT_EQ(CountEntries("/proc/self/task"), threads);
    PumpFor(50);
    EXPECT_TRUE(exitCodes.empty());
}

TEST_F(TOxCreateProcessTest, TerminateReportsExitCodeZeroOnce)
{
    Run("sh -c \"echo started; exec sleep 30\"");
    ASSERT_TRUE(PumpUntil([this] { return !lines.empty(); }));
    runner.Terminate();
    ASSERT_TRUE(WaitEnd());
    PumpFor(100);
    EXPECT_EQ(exitCodes, (std::vector<DWORD>{0}));
    EXPECT_EQ(lines, (std::vector<std::string>{"started"}));
    EXPECT_THROW(runner.Terminate(), EOxException);
}

TEST_F(TOxCreateProcessTest, TerminateWhenReadyRaises)
{
    try {
        runner.Terminate();
        FAIL();
    } catch (const EOxException& e) {
        EXPECT_EQ(e.Message(), "Process is not running");
    }
}

TEST_F(TOxCreateProcessTest, InterruptEndsSleep)
{
    Run("sleep 30");
    auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(runner.Interrupt());
    ASSERT_TRUE(WaitEnd());
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    EXPECT_EQ(exitCodes, (std::vector<DWORD>{128 + SIGINT}));
    EXPECT_FALSE(runner.Interrupt());
}

TEST_F(TOxCreateProcessTest, StopWaitingGivesNoMoreEventsAndLeavesChildRunning)
{
    Run("sh -c \"sleep 0.3; echo late\"");
    const pid_t pid = runner.ProcessId();
    runner.StopWaiting();
    EXPECT_FALSE(runner.Waiting());
    EXPECT_EQ(kill(pid, 0), 0) << "the child keeps running";
    PumpFor(700);
    EXPECT_TRUE(reports.empty());
    EXPECT_TRUE(exitCodes.empty());
    // The runner is ready for the next tool at once.
    Run("true");
    ASSERT_TRUE(WaitEnd());
}

TEST_F(TOxCreateProcessTest, RunWhileWatchingRaisesAndKeepsTheChild)
{
    Run("sh -c \"read x; echo got $x\"");
    try {
        Run("true");
        FAIL();
    } catch (const EOxException& e) {
        EXPECT_EQ(e.Message(), "Cannot perform this operation when process is running");
    }
    EXPECT_THROW(runner.SetWaitForTerminate(false), EOxException);
    EXPECT_TRUE(runner.WriteLn("it"));
    ASSERT_TRUE(WaitEnd());
    EXPECT_EQ(Text(), (std::vector<std::string>{"got it"}));
}

TEST_F(TOxCreateProcessTest, ChildSeesOnlyDescriptorsZeroOneTwo)
{
    Run("sh -c \"ls /proc/$$/fd\"");
    ASSERT_TRUE(WaitEnd());
    EXPECT_EQ(Text(), (std::vector<std::string>{"0", "1", "2"}));
}

TEST_F(TOxCreateProcessTest, GrandchildHoldingThePipeDelaysTheEndOnlyByTheDrainTime)
{
    Run("sh -c \"sleep 30 & echo $!; exit 5\"");
    auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(WaitEnd(10000));
    auto took = std::chrono::steady_clock::now() - start;
    EXPECT_LT(took, std::chrono::milliseconds(2000 + 1500));
    EXPECT_EQ(exitCodes, (std::vector<DWORD>{5}));
    ASSERT_EQ(Text().size(), 1u);
    kill(static_cast<pid_t>(std::atoi(Text()[0].c_str())), SIGKILL);
}

TEST_F(TOxCreateProcessTest, StandardErrorMixedInOrSeparate)
{
    Run("sh -c \"echo out; echo err >&2\"");
    ASSERT_TRUE(WaitEnd());
    EXPECT_EQ(Text(), (std::vector<std::string>{"out", "err"}));

    std::vector<std::string> errors;
    runner.OnErrorRead = [&](TObject*, const std::string& s, bool, bool ends) {
        if (ends && !s.empty()) {
            errors.push_back(s);
        }
    };
    runner.SetConsoleOptions({coOwnerData, coRedirect, coSeparateError});
    lines.clear();
    exitCodes.clear();
    Run("sh -c \"echo out; echo err >&2; exit 1\"");
    ASSERT_TRUE(WaitEnd());
    EXPECT_EQ(Text(), (std::vector<std::string>{"out"}));
    EXPECT_EQ(errors, (std::vector<std::string>{"err"}));
    EXPECT_EQ(exitCodes, (std::vector<DWORD>{1}));
}

TEST_F(TOxCreateProcessTest, WriteQueueTakesWholeTextsUpToItsLimit)
{
    EXPECT_FALSE(runner.Write("x")) << "nothing runs";
    // A child that never reads: the pipe fills, then the queue.
    Run("sleep 30");
    EXPECT_TRUE(runner.Write(""));
    const std::string kb(1000, 'x');
    int accepted = 0;
    auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < 200; ++i) {
        accepted += runner.Write(kb);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    // The GUI thread never blocked on the full pipe.
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    EXPECT_GT(accepted, 0);
    EXPECT_LT(accepted, 200);
    runner.Terminate();
    ASSERT_TRUE(WaitEnd());
    EXPECT_FALSE(runner.WriteLn("after the end"));
}

TEST_F(TOxCreateProcessTest, QueueOfExactlyTheLimitIsAccepted)
{
    Run("sh -c \"exec 0<&-; echo closed; sleep 30\"");
    ASSERT_TRUE(PumpUntil([this] { return !lines.empty(); }));
    EXPECT_FALSE(runner.Write(std::string(1025, 'x')));
    EXPECT_TRUE(runner.Write(std::string(1024, 'x')));
    // The child has closed its input: the write fails once, and from then on Write says so.
    EXPECT_TRUE(PumpUntil([this] { return !runner.Write("y"); }, 5000));
    runner.Terminate();
    ASSERT_TRUE(WaitEnd());
}

TEST_F(TOxCreateProcessTest, HandlerExceptionLosesNoLinesAndStopsNothing)
{
    std::vector<std::string> reported;
    Application->OnException = [&](TObject*, Exception& E) { reported.push_back(E.Message()); };
    runner.OnRead = [this](TObject*, const std::string& s, bool, bool ends) {
        if (ends && !s.empty()) {
            lines.push_back(s);
            if (s == "one") {
                throw std::runtime_error("handler failed");
            }
        }
    };
    Run("sh -c \"echo one; echo two; echo three\"");
    ASSERT_TRUE(WaitEnd());
    EXPECT_EQ(lines, (std::vector<std::string>{"one", "two", "three"}));
    EXPECT_EQ(exitCodes.size(), 1u);
    Application->OnException = nullptr;
    EXPECT_EQ(reported, std::vector<std::string>{"handler failed"});
}

TEST_F(TOxCreateProcessTest, UnwatchedChildCanBeTerminatedAndReplaced)
{
    runner.SetConsoleOptions({coOwnerData});
    runner.SetWaitForTerminate(false);
    Run("sleep 30");
    const pid_t pid = runner.ProcessId();
    EXPECT_FALSE(runner.Waiting());
    runner.Terminate();
    Run("sleep 30");
    EXPECT_NE(runner.ProcessId(), pid);
    runner.Terminate();
    PumpFor(50);
    EXPECT_TRUE(exitCodes.empty());
}

TEST_F(TOxCreateProcessTest, WaitThreadAloneReportsTheEnd)
{
    runner.SetConsoleOptions({coOwnerData});
    Run("sh -c \"exit 4\"");
    ASSERT_TRUE(WaitEnd());
    EXPECT_EQ(exitCodes, (std::vector<DWORD>{4}));
    EXPECT_FALSE(runner.Write("x"));
}

TEST_F(TOxCreateProcessTest, EnvironmentAndFolderReachTheChild)
{
    runner.Environment()->Add("ONLY=one");
    runner.SetCurrentDirectory("  /tmp  ");
    Run("/bin/sh -c \"echo $ONLY; pwd; echo ${HOME-none}\"");
    ASSERT_TRUE(WaitEnd());
    EXPECT_EQ(Text(), (std::vector<std::string>{"one", "/tmp", "none"}));
    runner.Environment()->Add("");
    EXPECT_THROW(Run("true"), EOxBaseError);
    EXPECT_FALSE(runner.Waiting());
}

namespace {

// A form as the converter's main window stores it, with the runner and its two handlers.
class TRunnerHost : public TComponent {
public:
    using TComponent::TComponent;
    void OxCreateProcess1Read(TObject*, const std::string& S, bool, bool EndsLine)
    {
        if (EndsLine && !S.empty()) {
            Lines.push_back(S);
        }
    }
    void OxCreateProcess1Terminate(TObject*, DWORD ExitCode) { Codes.push_back(ExitCode); }

    TOxCreateProcess* OxCreateProcess1 = nullptr;
    std::vector<std::string> Lines;
    std::vector<DWORD> Codes;
};

} // namespace

TEST(TOxCreateProcessStored, FormDescriptionCreatesAndWiresTheRunner)
{
    RegisterOxCreateProcess();
    RegisterClass<TRunnerHost, TComponent>("TRunnerHost")
        .Field("OxCreateProcess1", &TRunnerHost::OxCreateProcess1)
        .Handler("OxCreateProcess1Read", &TRunnerHost::OxCreateProcess1Read)
        .Handler("OxCreateProcess1Terminate", &TRunnerHost::OxCreateProcess1Terminate);
    TRunnerHost host(nullptr);
    ReadComponentFromText(&host, "object Host: TRunnerHost\n"
                                 "  object OxCreateProcess1: TOxCreateProcess\n"
                                 "    ConsoleOptions = [coOwnerData, coRedirect]\n"
                                 "    StartupInfo.ShowWindow = swHide\n"
                                 "    StartupInfo.DefaultWindowState = False\n"
                                 "    OnRead = OxCreateProcess1Read\n"
                                 "    OnTerminate = OxCreateProcess1Terminate\n"
                                 "  end\n"
                                 "end\n");
    ASSERT_NE(host.OxCreateProcess1, nullptr);
    TOxCreateProcess& runner = *host.OxCreateProcess1;
    EXPECT_EQ(runner.ConsoleOptions(), (TOxConsoleOptions{coOwnerData, coRedirect}));
    EXPECT_EQ(runner.StartupInfo()->ShowWindow(), swHide);
    EXPECT_FALSE(runner.StartupInfo()->DefaultWindowState());
    EXPECT_TRUE(runner.WaitForTerminate());
    runner.SetCommandLine("echo stored");
    runner.Run();
    ASSERT_TRUE(PumpUntil([&] { return !host.Codes.empty(); }));
    EXPECT_EQ(host.Lines, (std::vector<std::string>{"stored"}));
}

TEST(TOxCreateProcessLifetime, FreeingWhileChildRunsLeavesItRunningAndFiresNothing)
{
    bool fired = false;
    auto* runner = new TOxCreateProcess(nullptr);
    runner->SetConsoleOptions({coOwnerData, coRedirect});
    runner->OnRead = [&](TObject*, const std::string&, bool, bool) { fired = true; };
    runner->OnTerminate = [&](TObject*, DWORD) { fired = true; };
    runner->SetCommandLine("sh -c \"echo early; sleep 0.5; echo late\"");
    runner->Run();
    const pid_t pid = runner->ProcessId();
    std::this_thread::sleep_for(std::chrono::milliseconds(100)); // "early" is on its way to the window
    delete runner;
    EXPECT_EQ(kill(pid, 0), 0);
    PumpFor(800);
    EXPECT_FALSE(fired);
}
