// The runner with the real console tools the converter drives.
#include "process/TOxCreateProcess.h"

#include "RunnerTestUtils.h"
#include "platform/sys/CommandLine.h"
#include "tests/support/TScratchFolder.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

namespace fs = std::filesystem;

namespace {

class TOxCreateProcessToolsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        scratch = std::make_unique<TScratchFolder>();
        dir = scratch->Path();
        clip = dir + "/my clip \"one\".avi";
        Run("ffmpeg.exe -v error -y -f lavfi -i testsrc=duration=10:size=320x240:rate=25 -c:v mpeg4 " + QuoteArg(clip));
    }
    static void TearDownTestSuite() { scratch.reset(); }

    struct TResult {
        std::vector<std::string> lines;    // complete lines
        std::vector<std::string> progress; // reports of unfinished lines
        DWORD exitCode = 0xFFFFFFFF;
    };

    static TResult Run(const std::string& commandLine, const std::function<void(TOxCreateProcess&, TResult&)>& during = nullptr)
    {
        TOxCreateProcess runner(nullptr);
        runner.SetConsoleOptions({coOwnerData, coRedirect});
        TResult result;
        bool done = false;
        runner.OnRead = [&](TObject*, const std::string& s, bool, bool ends) {
            (ends ? result.lines : result.progress).push_back(s);
        };
        runner.OnTerminate = [&](TObject*, DWORD code) {
            result.exitCode = code;
            done = true;
        };
        runner.SetCommandLine(commandLine);
        runner.Run();
        if (during) {
            during(runner, result);
        }
        EXPECT_TRUE(PumpUntil([&] { return done; }, 60000)) << commandLine;
        return result;
    }

    static inline std::unique_ptr<TScratchFolder> scratch; // one for the whole suite: the clip is made once
    static inline std::string dir;
    static inline std::string clip;
};

} // namespace

TEST_F(TOxCreateProcessToolsTest, IdentifyLinesArriveWhole)
{
    TResult r = Run("mplayer.exe -noconfig all -identify -frames 0 -vo null -ao null " + QuoteArg(clip));
    EXPECT_EQ(r.exitCode, 0u);
    EXPECT_NE(std::find(r.lines.begin(), r.lines.end(), "ID_VIDEO_WIDTH=320"), r.lines.end());
    EXPECT_NE(std::find(r.lines.begin(), r.lines.end(), "ID_LENGTH=10.00"), r.lines.end());
}

TEST_F(TOxCreateProcessToolsTest, EncoderProgressArrivesWhileItRuns)
{
    const std::string out = dir + "/out.avi";
    TResult r = Run("mencoder.exe " + QuoteArg(clip) + " -o " + QuoteArg(out) + " -ovc lavc -lavcopts vcodec=mpeg4 -nosound");
    EXPECT_EQ(r.exitCode, 0u);
    int progressReports = 0;
    for (const std::string& p : r.progress) {
        progressReports += p.rfind("Pos:", 0) == 0;
    }
    EXPECT_GT(progressReports, 2);
    EXPECT_GT(fs::file_size(out), 0u);
}

TEST_F(TOxCreateProcessToolsTest, InterruptLetsTheEncoderFinishItsFile)
{
    const std::string out = dir + "/long.mp4";
    TResult r = Run("ffmpeg.exe -y -f lavfi -i testsrc=duration=600:size=320x240:rate=25 -c:v mpeg4 " + QuoteArg(out),
        [](TOxCreateProcess& runner, TResult& result) {
            // Once it reports encoding progress, stop it as the Stop button does.
            PumpUntil([&] { return !result.progress.empty() && result.progress.back().rfind("frame=", 0) == 0; }, 30000);
            EXPECT_TRUE(runner.Interrupt());
        });
    EXPECT_NE(r.exitCode, 0xFFFFFFFFu);
    ASSERT_TRUE(fs::exists(out));
    // A finished MP4 has its index ("moov") written at the end.
    std::ifstream in(out, std::ios::binary);
    std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(data.find("moov"), std::string::npos);
}
