// What a job writes on its way, where a session ends or overlaps another: the window closed or the
// program killed in the middle of a job never leaves a cut file under the final name, nor scratch files
// after a close, and the next run takes the final name; two copies converting at once each make their
// own whole file.
#include <algorithm>
#include <filesystem>

#include "E2eJourney.h"

namespace {

namespace fs = std::filesystem;

// Every file and folder below Folder, named from there.
std::vector<std::string> Below(const std::string& Folder)
{
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : fs::recursive_directory_iterator(Folder, error))
        names.push_back(fs::relative(entry.path(), Folder).string());
    return names;
}

struct TEnding {
    int Device;       // its place in the device box: 0 iPhone (two steps), 6 Windows Mobile (one)
    const char* Step; // the tool that runs when the program ends
    bool Kill;        // killed (SIGKILL) instead of closed
};

class TWorkFilesJourney : public TJourney {
protected:
    void EndMidJob(const TEnding& Ending);
};

void TWorkFilesJourney::EndMidJob(const TEnding& Ending)
{
    // Long enough that the step still runs when the program ends; the killed run's file is converted
    // again, whole, by the next run.
    PlaceClip(TestClip(Ending.Kill ? 120 : 300, false), ClipFolder, "long.avi");
    ASSERT_NO_FATAL_FAILURE(StartProgram());
    ASSERT_NO_FATAL_FAILURE(AddFolderWithMouse(1));
    ASSERT_NO_FATAL_FAILURE(StartConverting(Ending.Device));
    const std::string final = Ending.Device == 0 ? "long.mp4" : "long.avi";
    const std::string dest = Home.DefaultDestination();
    // The step runs once its file grows: the scratch of the first of two steps, else the output.
    const std::string written = Ending.Device == 0 && std::string(Ending.Step) == "mencoder" ? Home.WorkFolder() + "/temp" : dest;
    const auto grows = [&] {
        for (const std::string& file : Below(written))
            if (fs::path(file).extension() != ".jpg" && fs::is_regular_file(written + "/" + file) &&
                fs::file_size(written + "/" + file) > 100000)
                return true;
        return false;
    };
    ASSERT_TRUE(WaitUntil([&] { return Program().RunsAnyOf({Ending.Step}) && grows(); }, 150s)) << Ending.Step << " never wrote";
    const std::string killed = "run-" + std::to_string(Pid()) + "-";
    if (Ending.Kill) {
        Program().Kill();
    } else {
        ClickCaptionButton(Main.Window, 0);
        ASSERT_TRUE(Program().WaitForExit(30s).has_value()) << "closing the window did not end the program";
    }
    std::vector<std::string> left = FilesIn(dest);
    EXPECT_EQ(std::count(left.begin(), left.end(), final), 0) << "the cut file has the final name";
    if (!Ending.Kill) {
        // What Stop leaves: the cut file set aside (nothing when it was empty), no scratch file.
        for (const std::string& file : left)
            EXPECT_EQ(file, fs::path(final).stem().string() + " (incomplete)" + fs::path(final).extension().string());
        for (const std::string& file : Below(Home.WorkFolder() + "/temp"))
            EXPECT_EQ(fs::path(file).extension(), ".jpg") << "left in the work folder: " << file;
        return;
    }
    // The next run removes the killed run's scratch and writes the final name, whole.
    ASSERT_NO_FATAL_FAILURE(StartProgram());
    for (const std::string& file : Below(Home.WorkFolder() + "/temp"))
        EXPECT_EQ(file.rfind(killed, 0), std::string::npos) << "the killed run's scratch is still there: " << file;
    ASSERT_NO_FATAL_FAILURE(AddFolderWithMouse(1));
    ASSERT_NO_FATAL_FAILURE(StartConverting(Ending.Device));
    EXPECT_TRUE(WaitUntil([&] { return fs::exists(dest + "/" + final) && !Program().RunsAnyOf({"mencoder", "ffmpeg"}); }, 150s))
        << "the next run did not write " << final;
    EXPECT_NEAR(Probe(dest + "/" + final).Duration, 120, 1);
}

TEST_P(TWorkFilesJourney, ClosedDuringTheOneStep_NoFinalNameAndNoScratch) { EndMidJob({6, "mencoder", false}); }
TEST_P(TWorkFilesJourney, ClosedDuringTheFirstOfTwoSteps_NoFinalNameAndNoScratch) { EndMidJob({0, "mencoder", false}); }
TEST_P(TWorkFilesJourney, ClosedDuringTheLastOfTwoSteps_NoFinalNameAndNoScratch) { EndMidJob({0, "ffmpeg", false}); }
TEST_P(TWorkFilesJourney, KilledDuringTheOneStep_TheNextRunTakesTheFinalName) { EndMidJob({6, "mencoder", true}); }
TEST_P(TWorkFilesJourney, KilledDuringTheLastOfTwoSteps_TheNextRunTakesTheFinalName) { EndMidJob({0, "ffmpeg", true}); }

TEST_P(TWorkFilesJourney, TwoCopiesAtOnce_EachMakesItsOwnWholeFile)
{
    // Clips of one name and different lengths, one in each copy's folder, for the same destination.
    PlaceClip(TestClip(60, false), Home.Documents() + "/a clips", "clip.avi");
    PlaceClip(TestClip(3, true), Home.Documents() + "/b clips", "clip.avi");
    ASSERT_NO_FATAL_FAILURE(StartProgram());
    ASSERT_NO_FATAL_FAILURE(AddFolderWithMouse(1));
    ASSERT_NO_FATAL_FAILURE(StartConverting());
    // The first copy's encoder is held while the second one starts converting, then both go on.
    const std::string program = std::to_string(Pid());
    ASSERT_TRUE(WaitUntil([&] { return Program().RunsAnyOf({"mencoder"}); }, 60s));
    RunTool({"pkill", "-STOP", "-P", program, "mencoder"});
    std::unique_ptr<TE2eProgram> first = std::make_unique<TE2eProgram>(D(), Home);
    TMainWindow firstMain;
    SwapProgram(first, firstMain);
    ASSERT_NO_FATAL_FAILURE(StartProgram());
    EXPECT_NE(Main.Window.Rect.Left, firstMain.Window.Rect.Left) << "the second window opened over the first";
    ASSERT_NO_FATAL_FAILURE(AddFolderWithMouse(1, 2));
    ASSERT_NO_FATAL_FAILURE(StartConverting());
    const bool bothConvert = WaitUntil([&] { return Program().RunsAnyOf({"mencoder", "ffmpeg"}); }, 60s);
    RunTool({"pkill", "-CONT", "-P", program, "mencoder"});
    ASSERT_TRUE(bothConvert) << "the second copy did not convert";

    const std::string dest = Home.DefaultDestination();
    const std::vector<std::string> whole{"clip(1).mp4", "clip.mp4"};
    EXPECT_TRUE(WaitUntil([&] { return FilesIn(dest) == whole && !first->RunsAnyOf({"mencoder", "ffmpeg"}); }, 150s))
        << "the destination holds " << testing::PrintToString(FilesIn(dest));
    // Whichever finished first took the name, the other the next free one.
    std::vector<double> lengths{Probe(dest + "/clip.mp4").Duration, Probe(dest + "/clip(1).mp4").Duration};
    std::sort(lengths.begin(), lengths.end());
    EXPECT_NEAR(lengths[0], 3, 0.3);
    EXPECT_NEAR(lengths[1], 60, 0.5);
}

E2E_JOURNEY(TWorkFilesJourney);

} // namespace
