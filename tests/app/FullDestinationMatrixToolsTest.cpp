// A destination that fills up while a one-step job writes straight into it: the cut file is judged
// by what it holds (not by its header), the job fails saying the destination is full, and the queue
// stops instead of failing every later job the same way. The destination is a small memory
// filesystem mounted for the test (only where the machine lets the test mount one).
#include "app/om_convert.h"

#include "om_convertTesting.h"
#include "om_probeTesting.h"

#include "platform/vcl/TTimer.h"

#include <sys/mount.h>

using namespace omtest;

namespace {

struct FullDestination : ConvertFixture {
    std::string Small;
    bool Mounted = false;

    void SetUp() override
    {
        ConvertFixture::SetUp();
        Small = Dir / "small";
        fs::create_directories(Small);
        // Room for a part of the first file only.
        Mounted = ::mount("tmpfs", Small.c_str(), "tmpfs", 0, "size=384k") == 0;
        if (!Mounted)
            GTEST_SKIP() << "no small filesystem can be mounted here (mounting needs the administrator)";
        Small += "/";
    }
    void TearDown() override
    {
        if (Mounted)
            ::umount2((Dir / "small").c_str(), MNT_DETACH);
        ConvertFixture::TearDown();
    }
};

} // namespace

TEST_F(FullDestination, OneStepJob_FailsAsFull_AndTheQueueStops)
{
    // Two clips of 40 s with sound: far more than the destination holds.
    std::vector<std::string> clips;
    for (const char* name : {"First", "Second"}) {
        clips.push_back(Dir / (std::string(name) + ".mp4"));
        ASSERT_TRUE(RunQuiet("ffmpeg -y -f lavfi -i testsrc=size=320x240:rate=25 -f lavfi -i sine=sample_rate=44100 "
                             "-t 40 -c:v mpeg4 -b:v 600k -c:a aac '" + clips.back() + "'"));
    }
    Form->DropFiles(clips);
    Form->ScanTimerTimer(Form->ScanTimer);
    ASSERT_EQ(AddedRows.size(), 2u) << Form->status->ProgressText();
    Choose("Windows Mobile");
    Options.Destination = Small;
    ConvertQueue(*Form, Options);

    EXPECT_EQ(Cell(SourceRecord::Selected, AddedRows[0]), "No");
    EXPECT_NE(Form->status->ProgressText().find("the destination is full"), std::string::npos) << Form->status->ProgressText();
    // The later job was never started: its source is still waiting, and nothing of it was written.
    EXPECT_EQ(Cell(SourceRecord::Selected, AddedRows[1]), "YES");
    EXPECT_FALSE(fs::exists(Small + "Second.avi"));
    // The cut file keeps no final name, and it holds far less than the clip.
    EXPECT_FALSE(fs::exists(Small + "First.avi"));
    const std::string kept = Small + "First (incomplete).avi";
    ASSERT_TRUE(fs::exists(kept));
    EXPECT_LT(ProbeFrames(kept), 40 * 25 * 95 / 100);
}
