#include "app/om_progress.h"

#include "om_testing.h"

#include "platform/vcl/TApplication.h"

using namespace omtest;

namespace {

TEST(ProgressPosition, MencoderPositionRoundsHalfToEven)
{
    const std::string line = "Pos:  62.5s   1563f ( 5%) 40.12fps Trem:   1min  12mb  A-V:0.000 [800:128]";
    ASSERT_TRUE(IsProgressLine(line));
    EXPECT_EQ(ProgressPositionText(line), "62.5");
}

TEST(ProgressPosition, FfmpegTimeAsSecondsOrAsHoursMinutesSeconds)
{
    double s = 0;
    EXPECT_EQ(ProgressPositionText("frame= 1563 fps= 40 q=2.0 size=    2048kB time=62.50 bitrate= 268.4kbits/s"), "62.50");
    ASSERT_TRUE(ProgressSeconds("62.50", s));
    EXPECT_DOUBLE_EQ(s, 62.5);
    ASSERT_TRUE(ProgressSeconds(ProgressPositionText("frame=  100 size=     256kB time=00:01:02.50 bitrate= 524.3kbits/s"), s));
    EXPECT_DOUBLE_EQ(s, 62.5);
    EXPECT_FALSE(ProgressSeconds("12345678", s));
    EXPECT_FALSE(ProgressSeconds("00:99:00.00", s));
    EXPECT_FALSE(ProgressSeconds("", s));
}

struct Progress : FormTest {
    void SetUp() override
    {
        FormTest::SetUp();
        Form->RunState.Converting = -1;
        Form->RunState.CurrentTotal = 1000;
        Form->RunState.QueueTotal = 3000;
    }
};

TEST_F(Progress, GetLine_SetsTheRoundedPositionWithinTheJob)
{
    Form->GetLine("Pos:  62.5s   1563f ( 5%) 40.12fps Trem:   1min  12mb");
    EXPECT_EQ(Form->RunState.CurrentPos, 62);
    Form->GetLine("frame= 1 size= 1kB time=00:20:00.00 bitrate= 1kbits/s");
    EXPECT_EQ(Form->RunState.CurrentPos, 1000);
    Form->GetLine("frame= 1 size= 1kB time=N/A bitrate= 1kbits/s");
    EXPECT_EQ(Form->RunState.CurrentPos, 1000);
}

TEST_F(Progress, OnlyTheFirstProgressLineBetweenTicksIsKept)
{
    Form->OxCreateProcess1Read(nullptr, "some other text", true, true);
    Form->OxCreateProcess1Read(nullptr, "Pos:  10.0s   250f ( 1%) Trem:   9min", true, false);
    Form->OxCreateProcess1Read(nullptr, "Pos:  11.0s   275f ( 1%) Trem:   9min", false, false);
    EXPECT_EQ(Form->RunState.PendingProgressLine, "Pos:  10.0s   250f ( 1%) Trem:   9min");
    EXPECT_EQ(Form->RunState.ToolRunning, -1);
}

TEST_F(Progress, FirstTickWithoutMovement_TitleShowsPercentageAndZeroSpeed)
{
    Form->RunState.JobCounterText = "2 of 5 : ";
    Form->SetStatusText("Conversion started");
    Form->RunState.PendingProgressLine = "Pos:   0.0s     1f ( 0%) Trem:   0min";
    Form->converttimerTimer(nullptr);
    EXPECT_EQ(Form->status->ProgressText(), "Conversion started");
    EXPECT_EQ(Application->Title(), "2 of 5 : 0.00% (0.00x)");
    EXPECT_EQ(Form->Caption(), Form->RunState.MainTitle);
}

TEST_F(Progress, TickWithMovement_ShowsPositionSpeedAndTimeLeft)
{
    Form->RunState.JobCounterText = "2 of 5 : ";
    Form->RunState.CurrentPos = Form->RunState.LastPos = 0;
    Form->RunState.PendingProgressLine = "Pos: 400.0s 10000f (40%) Trem:   3min";
    Form->converttimerTimer(nullptr);
    EXPECT_EQ(Form->status->Value(), 400);
    EXPECT_EQ(Form->status->MaxValue(), 1000);
    EXPECT_EQ(Form->status->ProgressText(), "0:06:40 of 0:16:40, 400.00x, 40.00%, 0:00:02 left, total: 0:00:06 left");
    EXPECT_EQ(Application->Title(), "2 of 5 : 40.00% (400.00x)");
    EXPECT_TRUE(Form->RunState.PendingProgressLine.empty());
}

TEST_F(Progress, JobOfNoLength_ShowsZeroPercent)
{
    Form->RunState.CurrentTotal = 0;
    Form->RunState.PendingProgressLine = "Pos:  5.0s 1f ( 0%) Trem: 0min";
    EXPECT_NO_THROW(Form->converttimerTimer(nullptr));
    EXPECT_EQ(Application->Title(), "0.00% (0.00x)");
}

TEST_F(Progress, NewPart_DropsTheProgressLineOfTheRunBefore)
{
    Form->RunState.PendingProgressLine = "Pos:  30.0s 1f ( 3%) Trem: 9min";
    Form->RunState.SpeedSum = 40;
    Form->RunState.SpeedTicks = 3;
    Form->RunState.LastPos = 30;
    Form->BeginProgressPart();
    EXPECT_TRUE(Form->RunState.PendingProgressLine.empty());
    EXPECT_EQ(Form->RunState.SpeedTicks, 0);
    EXPECT_EQ(Form->RunState.LastPos, 0);
}

TEST_F(Progress, TerminateClearsToolRunning)
{
    Form->RunState.ToolRunning = -1;
    Form->OxCreateProcess1Terminate(nullptr, 0);
    EXPECT_EQ(Form->RunState.ToolRunning, 0);
}

} // namespace

namespace {

// Two steps, the second costing 0.85 of the first: the first step's end is not the job's end.
TEST_F(Progress, LaterStepsCount_TimeLeftCoversTheWholeJob)
{
    Form->RunState.QueueTotal = 1000;
    Form->RunState.StepStart = 0;
    Form->RunState.StepShare = 1 / 1.85;
    Form->RunState.PendingProgressLine = "Pos: 1000.0s 25000f (99%) Trem:   0min";
    Form->converttimerTimer(nullptr);
    EXPECT_EQ(Form->RunState.CurrentPos, 541);
    EXPECT_NE(Form->status->ProgressText().find(", 0:00:01 left"), std::string::npos) << Form->status->ProgressText();

    Form->RunState.StepStart = 1 / 1.85;
    Form->RunState.StepShare = 0.85 / 1.85;
    Form->RunState.PendingProgressLine = "frame= 1 size= 1kB time=00:08:20.00 bitrate= 1kbits/s";
    Form->converttimerTimer(nullptr);
    EXPECT_EQ(Form->RunState.CurrentPos, 770);
    EXPECT_EQ(StepCost("ffmpeg -i a.nut -c:v copy -c:a aac b.mp4"), 0.85);
    EXPECT_EQ(StepCost("mencoder a.avi -o b.avi"), 1.0);
}

} // namespace
