// Sources with a particularity of their own, taken the whole road with the real tools: dropped on
// the window, identified, shown as a queue row, converted, and the result probed with ffprobe.
#include "app/om_convert.h"

#include "om_convertTesting.h"
#include "om_probeTesting.h"
#include "om_queueTesting.h"
#include "om_testing.h"

#include "app/om_queue.h"
#include "app/om_runcontrol.h"
#include "app/om_thumbs.h"
#include "platform/rtl/TStringList.h"
#include "platform/sys/CommandLine.h"
#include "platform/vcl/TTimer.h"
#include "skin/controls/TskSkinCheckRadioBox.h"
#include "skin/controls/TskSkinCustomComboBox.h"

#include <algorithm>
#include <cstdio>

using namespace omtest;

namespace {

struct SourceRoad : ConvertFixture {
    TOmQueue* Queue = nullptr;

    void SetUp() override
    {
        ConvertFixture::SetUp();
        // The window's own queue rows, as the user sees them.
        Queue = new TOmQueue(Form.get());
        Queue->skSkinScrollpanel1 = QueueBox(*Form, 800, 300);
    }
    void Scan(const std::vector<std::string>& Names)
    {
        Form->DropFiles(Names);
        Form->ScanTimerTimer(Form->ScanTimer);
    }
    void Convert(const std::string& Device)
    {
        Choose(Device);
        ConvertQueue(*Form, Options);
    }
};

// Noise keeps a short clip above the size the scan passes over.
std::string ClipCommand(const std::string& Extra, const std::string& Path)
{
    return "ffmpeg -nostdin -y -f lavfi -i testsrc2=size=320x240:rate=25,noise=alls=40:allf=t " + Extra + " " +
           ShellQuote(Path);
}

} // namespace

TEST_F(SourceRoad, SideSubtitleTickedInTheRow_IsHandedToTheEncoder)
{
    const std::string clip = Dir / "movie.mkv";
    ASSERT_TRUE(RunQuiet(ClipCommand("-t 3 -c:v libx264 -b:v 6M", clip)));
    // A white block over the whole picture for the whole clip: the subtitle cannot go unseen.
    std::ofstream(Dir / "movie.srt") << "1\n00:00:00,000 --> 00:00:03,000\n"
                                     << std::string(40, '#') << "\n" << std::string(40, '#') << "\n";
    Scan({clip});
    ASSERT_TRUE(Queue->HasRow(0)) << Form->status->ProgressText();
    auto* subs = dynamic_cast<TskSkinCheckRadioBox*>(Queue->Find({"pnl0_", "pnl2_", "pnl9_", "chk2_"}, 0));
    auto* list = dynamic_cast<TskSkinComboBox*>(Queue->Find({"pnl0_", "pnl2_", "pnl9_", "sidbox_"}, 0));
    ASSERT_NE(subs, nullptr);
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->Items()->Count(), 1);
    // The user ticks "Subs:"; the list already shows its only entry.
    subs->SetChecked(true);
    Convert("Windows Mobile");
    ASSERT_EQ(Commands.size(), 1u);
    const std::vector<std::string> args = SplitCommandLine(Commands[0]);
    const auto sub = std::find(args.begin(), args.end(), "-sub");
    ASSERT_NE(sub, args.end()) << Commands[0];
    EXPECT_EQ(*(sub + 1), Dir / "movie.srt");
    EXPECT_EQ(ProbeEntries(Dest + "movie.avi", "-select_streams v:0", "stream=codec_name"), "mpeg4");
}

TEST_F(SourceRoad, TwoLanguages_EachAudioStreamListedOnce)
{
    const std::string clip = Dir / "talk.mkv";
    ASSERT_TRUE(RunQuiet(ClipCommand("-f lavfi -i sine=frequency=300 -f lavfi -i sine=frequency=600 -t 3 -map 0:v "
                                     "-map 1:a -map 2:a -c:v libx264 -b:v 6M -c:a libmp3lame "
                                     "-metadata:s:a:0 language=eng -metadata:s:a:1 language=fre",
                                     clip)));
    Scan({clip});
    ASSERT_TRUE(Queue->HasRow(0)) << Form->status->ProgressText();
    auto* aid = dynamic_cast<TskSkinComboBox*>(Queue->Find({"pnl0_", "pnl2_", "pnl9_", "aidbox_"}, 0));
    ASSERT_NE(aid, nullptr);
    std::vector<std::string> items;
    for (int i = 0; i < aid->Items()->Count(); ++i)
        items.push_back(aid->Items()->Strings(i));
    EXPECT_EQ(items, (std::vector<std::string>{"0 English", "1 French"}));
}

TEST_F(SourceRoad, SameNameInTwoFolders_EachRowShowsItsOwnPicture)
{
    fs::create_directories(Dir / "a");
    fs::create_directories(Dir / "b");
    // One picture red, the other blue.
    ASSERT_TRUE(RunQuiet("ffmpeg -nostdin -y -f lavfi -i color=c=red:size=320x240:rate=25,noise=alls=30:allf=t -t 4 "
                         "-c:v mpeg4 -q:v 1 " + ShellQuote(Dir / "a/clip.avi")));
    ASSERT_TRUE(RunQuiet("ffmpeg -nostdin -y -f lavfi -i color=c=blue:size=320x240:rate=25,noise=alls=30:allf=t -t 4 "
                         "-c:v mpeg4 -q:v 1 " + ShellQuote(Dir / "b/clip.avi")));
    Scan({Dir / "a/clip.avi", Dir / "b/clip.avi"});
    ASSERT_TRUE(Queue->HasRow(1)) << Form->status->ProgressText();
    const std::string red = ScanThumbnailPath(*Form->StringGrid1, 0, Form->WorkFolder);
    const std::string blue = ScanThumbnailPath(*Form->StringGrid1, 1, Form->WorkFolder);
    ASSERT_NE(red, blue);
    // The mean colour of each picture: red is more red than blue, blue the other way round.
    const auto mean = [](const std::string& Pic) {
        return Capture("ffmpeg -nostdin -v error -i " + ShellQuote(Pic) +
                       " -vf scale=1:1,format=rgb24 -f rawvideo - | od -An -tu1");
    };
    int r1 = 0, g1 = 0, b1 = 0, r2 = 0, g2 = 0, b2 = 0;
    ASSERT_EQ(std::sscanf(mean(red).c_str(), "%d %d %d", &r1, &g1, &b1), 3) << red;
    ASSERT_EQ(std::sscanf(mean(blue).c_str(), "%d %d %d", &r2, &g2, &b2), 3) << blue;
    EXPECT_GT(r1, b1);
    EXPECT_GT(b2, r2);
}

TEST_F(SourceRoad, WmvFrameRate_IsNotTheContainersClock)
{
    const std::string clip = Dir / "show.wmv";
    ASSERT_TRUE(RunQuiet(ClipCommand("-f lavfi -i sine -t 4 -c:v wmv2 -b:v 6M -c:a wmav2", clip)));
    Scan({clip});
    ASSERT_TRUE(Queue->HasRow(0)) << Form->status->ProgressText();
    // The clip's own rate, read from its pictures' times, not the container's 1000 ticks a second.
    EXPECT_EQ(Cell(SourceRecord::FrameRate), "25.000");
    Convert("3gpp Cellphone");
    // The device's own rate, over the clip's four seconds.
    const std::string out = Dest + "show.3gp";
    EXPECT_EQ(ProbeEntries(out, "-select_streams v:0", "stream=r_frame_rate"), "12/1");
    EXPECT_NEAR(ProbeSeconds(out), 4.0, 0.15);
}

TEST_F(SourceRoad, HalfWidthWideDvdTitle_KeepsItsShapeInTheOutput)
{
    const std::string d = Dir.Path.string();
    ASSERT_TRUE(RunQuiet("ffmpeg -nostdin -y -f lavfi -i testsrc=size=352x480:rate=30000/1001 -f lavfi -i "
                         "sine=sample_rate=48000 -t 5 -target ntsc-dvd -s 352x480 -aspect 16:9 -b:v 1500k " + d + "/t.mpg"));
    std::ofstream(d + "/dvd.xml") << "<dvdauthor dest=\"" << d << "/Wide Disc\"><vmgm/><titleset><titles><pgc><vob file=\""
                                  << d << "/t.mpg\"/></pgc></titles></titleset></dvdauthor>";
    ASSERT_TRUE(RunQuiet("VIDEO_FORMAT=NTSC dvdauthor -x '" + d + "/dvd.xml'"));
    Form->RunState.MinTitleLength = 3;
    Scan({d + "/Wide Disc"});
    ASSERT_TRUE(Queue->HasRow(0)) << Form->status->ProgressText();
    Convert("iPhone / iPod Touch");
    std::string out;
    for (const auto& e : fs::directory_iterator(Dest))
        out = e.path().string();
    ASSERT_FALSE(out.empty());
    // What a player shows: the stored picture stretched by its sample aspect.
    const std::string shape = ProbeEntries(out, "-select_streams v:0", "stream=width,height,sample_aspect_ratio");
    int w = 0, h = 0, sn = 1, sd = 1;
    ASSERT_GE(std::sscanf(shape.c_str(), "%d,%d,%d:%d", &w, &h, &sn, &sd), 2) << shape;
    if (sn <= 0 || sd <= 0)
        sn = sd = 1;
    EXPECT_NEAR(static_cast<double>(w) * sn / sd / h, 16.0 / 9, 0.08) << shape << "\n" << Commands[0];
}
