#include "app/om_convert.h"

#include <gtest/gtest.h>

#include <vector>

#include "app/om_tables.h"
#include "app/om_workfiles.h"
#include "platform/sys/CommandLine.h"
#include "skin/grids/TskSkinStringGrid.h"

namespace {

using Args = std::vector<std::string>;

struct Jobs : ::testing::Test {
    TComponent owner{nullptr};
    TOmTables tables{&owner};
    TProfileState profile;
    TJobSettings settings;

    void SetUp() override
    {
        profile.DeviceName = "Iphone / Ipod Touch";
        profile.ScreenSize = "480x320";
        profile.Destination = "/home/u/Documents/Ombrix";
        profile.Encoder = "mencoder";
        profile.Template = "-ovc x264 -oac faac";
        profile.Extension = "mp4";
        profile.MaxFps = 30;
        profile.Option1 = "0";
        settings.WorkFolder = "/home/u/.local/share/Ombrix3/";
    }

    // A video file record as the identification leaves it.
    int AddFile(const std::string& Path, const std::string& Name)
    {
        TskSkinStringGrid& g = *tables.StringGrid1;
        const int r = AppendRow(g);
        g.SetCells(SourceRecord::RowId, r, "0000" + std::to_string(r));
        g.SetCells(SourceRecord::Kind, r, "VIDEO");
        g.SetCells(SourceRecord::Title, r, Name);
        g.SetCells(SourceRecord::VideoCodec, r, "ffh264");
        g.SetCells(SourceRecord::VideoWidth, r, "1280");
        g.SetCells(SourceRecord::VideoHeight, r, "720");
        g.SetCells(SourceRecord::FrameRate, r, "23.976");
        g.SetCells(SourceRecord::VideoAspect, r, "1.7778");
        g.SetCells(SourceRecord::SourcePath, r, Path);
        g.SetCells(SourceRecord::SourceArg, r, QuoteArg(Path));
        g.SetCells(SourceRecord::AudioChoice, r, "1 eng");
        g.SetCells(SourceRecord::SubtitlesOn, r, "NO");
        g.SetCells(SourceRecord::Selected, r, "YES");
        g.SetCells(SourceRecord::RoundedLength, r, "600");
        g.SetCells(SourceRecord::OutputName, r, Name);
        return r;
    }

    std::string Job(int Row, int Col) { return tables.convertgrid->Cells(Col, Row); }
    int Build(int Source) { return BuildJob(*tables.convertgrid, *tables.StringGrid1, profile, settings, Source); }
    Args OptionArgs(int Row) { return SplitCommandLine(Job(Row, JobRecord::JobOptions)); }
    std::string Font() { return "/home/u/.local/share/Ombrix3/mplayer/subfont.ttf"; }
};

TEST_F(Jobs, FileGivesAJobWithItsOwnFields)
{
    const int s = AddFile("/v/My Clip.avi", "My Clip");
    const int r = Build(s);
    ASSERT_EQ(r, 0);
    EXPECT_EQ(Job(r, JobRecord::JobId), "00000");
    EXPECT_EQ(Job(r, JobRecord::Encoder), "mencoder");
    EXPECT_EQ(Job(r, JobRecord::OptionTemplate), "-ovc x264 -oac faac -demuxer lavf -mc 0");
    EXPECT_EQ(Job(r, JobRecord::OutputExt), "mp4");
    EXPECT_EQ(Job(r, JobRecord::JobOptions), " -aspect 1.7778 -aid 1 -noautosub -forcedsubsonly");
    EXPECT_EQ(Job(r, JobRecord::SourceArg), "\"/v/My Clip.avi\"");
    EXPECT_EQ(Job(r, JobRecord::OutputFolder), "/home/u/Documents/Ombrix/");
    EXPECT_EQ(Job(r, JobRecord::OutputName), "My Clip");
    EXPECT_EQ(Job(r, JobRecord::OutputFile), "My Clip.mp4");
    EXPECT_EQ(Job(r, JobRecord::DeviceName), "Iphone / Ipod Touch");
    EXPECT_EQ(Job(r, JobRecord::LengthSeconds), "600");
    EXPECT_EQ(Job(r, JobRecord::ScreenSize), "480x320");
    EXPECT_EQ(Job(r, JobRecord::FrameWidth), "1280");
    EXPECT_EQ(Job(r, JobRecord::FrameHeight), "720");
    EXPECT_EQ(Job(r, JobRecord::Aspect), "1.7778");
    EXPECT_EQ(Job(r, JobRecord::ProfileOption1), "0");
    EXPECT_EQ(Job(r, JobRecord::ProfileOption2), "0");
    EXPECT_EQ(Job(r, JobRecord::SourceRow), "0");
    EXPECT_EQ(Job(r, JobRecord::VideoCodec), "ffh264");
    EXPECT_EQ(Job(r, JobRecord::GroupKey), "/v/My Clip.avi");
    EXPECT_EQ(Job(r, JobRecord::FrameRate), "23.976");
}

TEST_F(Jobs, UnselectedOrFramelessSourcesGiveNoJob)
{
    const int a = AddFile("/v/a.avi", "a");
    tables.StringGrid1->SetCells(SourceRecord::Selected, a, "Done");
    const int b = AddFile("/v/b.avi", "b");
    tables.StringGrid1->SetCells(SourceRecord::VideoWidth, b, "");
    EXPECT_EQ(Build(a), -1);
    EXPECT_EQ(Build(b), -1);
    EXPECT_EQ(tables.convertgrid->Cells(0, 0), "");
}

TEST_F(Jobs, DvdTitleGetsItsAngleAndACappedFrameRate)
{
    TskSkinStringGrid& g = *tables.StringGrid1;
    const int s = AddFile("/media/cdrom0", "Film_1");
    g.SetCells(SourceRecord::Kind, s, "DVD");
    g.SetCells(SourceRecord::SourceArg, s, "-dvd-device /media/cdrom0 dvdnav://1");
    g.SetCells(SourceRecord::VideoAspect, s, "");
    g.SetCells(SourceRecord::DvdAspect, s, "1.7778");
    g.SetCells(SourceRecord::FrameRate, s, "59.94");
    g.SetCells(SourceRecord::AngleOn, s, "YES");
    g.SetCells(SourceRecord::Angle, s, "2");
    const int r = Build(s);
    EXPECT_EQ(Job(r, JobRecord::JobOptions), " -aid 1 -noautosub -forcedsubsonly -angle 2");
    EXPECT_EQ(Job(r, JobRecord::SourceArg), "-dvd-device /media/cdrom0 dvdnav://1");
    EXPECT_EQ(Job(r, JobRecord::FrameRate), "30");
    EXPECT_EQ(Job(r, JobRecord::Aspect), "");
}

TEST_F(Jobs, FrameRateRules)
{
    EXPECT_DOUBLE_EQ(JobFrameRate("", 30), 30);
    EXPECT_DOUBLE_EQ(JobFrameRate("", 12), 12);
    EXPECT_DOUBLE_EQ(JobFrameRate("0", 30), 5);
    EXPECT_DOUBLE_EQ(JobFrameRate("59.94", 30), 30);
    EXPECT_DOUBLE_EQ(JobFrameRate("23.976", 30), 23.976);
    EXPECT_DOUBLE_EQ(JobFrameRate("29.97", 12), 12);
    EXPECT_DOUBLE_EQ(JobFrameRate("25", 0), 25); // a profile without a maximum caps nothing
}

TEST_F(Jobs, EveryJobKeepsItsOwnFrameRate)
{
    const int a = AddFile("/v/a.avi", "a");
    const int b = AddFile("/v/b.avi", "b");
    tables.StringGrid1->SetCells(SourceRecord::FrameRate, b, "0");
    const int ja = Build(a);
    const int jb = Build(b);
    EXPECT_EQ(Job(ja, JobRecord::FrameRate), "23.976");
    EXPECT_EQ(Job(jb, JobRecord::FrameRate), "5");
}

TEST_F(Jobs, TemplateWithItsOwnRateLeavesTheRateEmpty)
{
    profile.Template = "-ovc lavc -ofps 15";
    EXPECT_EQ(Job(Build(AddFile("/v/a.avi", "a")), JobRecord::FrameRate), "");
}

TEST_F(Jobs, MkvSourceGetsMcZeroWhateverTheCase)
{
    const int r = Build(AddFile("/v/a.MKV", "a"));
    EXPECT_EQ(Job(r, JobRecord::OptionTemplate), "-ovc x264 -oac faac -mc 0");
}

TEST(SourceReadingOptions, AviByTheGeneralReader_NoSyncDropsForFiles_ProgramStreamsReadOnForTheSound)
{
    EXPECT_EQ(SourceReadingOptions("/v/a.AVI", "\"/v/a.AVI\""), " -demuxer lavf -mc 0");
    EXPECT_EQ(SourceReadingOptions("/v/a.mp4", "\"/v/a.mp4\""), " -mc 0");
    EXPECT_EQ(SourceReadingOptions("/v/a.mpg", "\"/v/a.mpg\""), " -ni -mc 0");
    EXPECT_EQ(SourceReadingOptions("/v/a.VOB", "\"/v/a.VOB\""), " -ni -mc 0");
    EXPECT_EQ(SourceReadingOptions("/media/disc", "-dvd-device \"/media/disc\" dvdnav://1"), " -ni");
}

TEST_F(Jobs, AspectStartingWithZeroOrNamedByTheTemplateIsLeftOut)
{
    const int s = AddFile("/v/a.avi", "a");
    tables.StringGrid1->SetCells(SourceRecord::VideoAspect, s, "0.0000");
    EXPECT_EQ(Job(Build(s), JobRecord::JobOptions).find("-aspect"), std::string::npos);
    tables.StringGrid1->SetCells(SourceRecord::VideoAspect, s, "1.3333");
    profile.Template = "-ovc lavc -lavcopts aspect=4/3";
    EXPECT_EQ(Job(Build(s), JobRecord::JobOptions).find("-aspect"), std::string::npos);
}

TEST_F(Jobs, MissingOrWordlessStreamIdsGiveNoAidOrSid)
{
    const int s = AddFile("/v/a.avi", "a");
    tables.StringGrid1->SetCells(SourceRecord::AudioChoice, s, "");
    EXPECT_EQ(Job(Build(s), JobRecord::JobOptions), " -aspect 1.7778 -noautosub -forcedsubsonly");
    tables.StringGrid1->SetCells(SourceRecord::AudioChoice, s, "128");
    EXPECT_EQ(OptionArgs(Build(s)), (Args{"-aspect", "1.7778", "-aid", "128", "-noautosub", "-forcedsubsonly"}));
}

TEST_F(Jobs, ClosedCaptionsOnAndOff)
{
    const int s = AddFile("/v/a.avi", "a");
    settings.ClosedCaptions = true;
    EXPECT_EQ(OptionArgs(Build(s)), (Args{"-aspect", "1.7778", "-aid", "1", "-subcc", "1"}));
    settings.ClosedCaptions = false;
    EXPECT_EQ(OptionArgs(Build(s)), (Args{"-aspect", "1.7778", "-aid", "1", "-noautosub", "-forcedsubsonly"}));
}

TEST_F(Jobs, ChosenSideSubtitleIsPassedAsExactlyOnePath)
{
    TskSkinStringGrid& g = *tables.StringGrid1;
    const int s = AddFile("/v/a b.avi", "a b");
    g.SetCells(SourceRecord::AudioChoice, s, "");
    g.SetCells(SourceRecord::VideoAspect, s, "");
    g.SetCells(SourceRecord::SubtitleStreams, s, "SRT File:/v/a b.srt\r\nSRT File:/v/a \"b\".ssa\r\n");
    g.SetCells(SourceRecord::SubtitlesOn, s, "YES");
    g.SetCells(SourceRecord::SubtitleChoice, s, "SRT File:/v/a \"b\".ssa");
    EXPECT_EQ(OptionArgs(Build(s)),
              (Args{"-sub", "/v/a \"b\".ssa", "-subfont-autoscale", "1", "-spuaa", "4", "-font", Font()}));
}

TEST_F(Jobs, StreamSubtitleChoiceGetsNoSideFile)
{
    TskSkinStringGrid& g = *tables.StringGrid1;
    const int s = AddFile("/v/a.avi", "a");
    g.SetCells(SourceRecord::AudioChoice, s, "");
    g.SetCells(SourceRecord::VideoAspect, s, "");
    g.SetCells(SourceRecord::SubtitleStreams, s, "3 eng\r\nSRT File:/v/a.srt\r\n");
    g.SetCells(SourceRecord::SubtitlesOn, s, "YES");
    g.SetCells(SourceRecord::SubtitleChoice, s, "3 eng");
    EXPECT_EQ(OptionArgs(Build(s)), (Args{"-sid", "3", "-subfont-autoscale", "1", "-spuaa", "4", "-font", Font()}));
}

TEST_F(Jobs, TypedOutputNameCannotLeaveTheFolderOrBecomeAnOption)
{
    TskSkinStringGrid& g = *tables.StringGrid1;
    const int s = AddFile("/v/a.avi", "Holiday");
    g.SetCells(SourceRecord::OutputName, s, "../../etc/cron.d/x");
    EXPECT_EQ(Job(Build(s), JobRecord::OutputName), "etccron.dx");
    g.SetCells(SourceRecord::OutputName, s, "-o \"evil\"");
    const int r = Build(s);
    EXPECT_EQ(Job(r, JobRecord::OutputName), "o \"evil\"");
    EXPECT_EQ(Job(r, JobRecord::OutputFile), "o \"evil\".mp4");
    // Quoted for a command line, the name with its quotes stays one argument.
    const std::string out = Job(r, JobRecord::OutputFolder) + Job(r, JobRecord::OutputFile);
    EXPECT_EQ(SplitCommandLine("-o " + QuoteArg(out)), (Args{"-o", out}));
    g.SetCells(SourceRecord::OutputName, s, "/..");
    EXPECT_EQ(Job(Build(s), JobRecord::OutputName), "Holiday");
}

TEST_F(Jobs, JobTableRowsAreAppendedAndStartEmpty)
{
    const int a = AddFile("/v/a.avi", "a");
    tables.convertgrid->SetCells(50, 0, "stale");
    tables.convertgrid->SetCells(0, 0, "");
    EXPECT_EQ(Build(a), 0);
    EXPECT_EQ(Job(0, 50), "");
    EXPECT_EQ(Build(a), 1);
    EXPECT_EQ(Job(1, JobRecord::JobId), "00001");
}

} // namespace

// --- the plan of a job: sizes, parts, names and command lines ----------------------------------------

#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "tests/support/TScratchFolder.h"

namespace {

struct Plans : ::testing::Test {
    TComponent owner{nullptr};
    TOmTables tables{&owner};
    TPlanSettings settings;
    TScratchFolder scratch;
    std::string dest = scratch.Path() + "/";

    void SetUp() override { settings.WorkFolder = "/w/"; }

    // A source row and its job, as identification and BuildJob leave them.
    int Add(int FrameW, int FrameH, int DisplayW, int DisplayH, const std::string& Src = "\"/v/a b.avi\"")
    {
        TskSkinStringGrid& s = *tables.StringGrid1;
        const int r = AppendRow(s);
        s.SetCells(SourceRecord::RowId, r, "00000");
        s.SetCells(SourceRecord::Length, r, "600.00");
        s.SetCells(SourceRecord::Chapters, r, "10");
        TskSkinStringGrid& g = *tables.convertgrid;
        const int j = AppendRow(g);
        g.SetCells(JobRecord::JobId, j, "00000");
        g.SetCells(JobRecord::Encoder, j, "mencoder");
        g.SetCells(JobRecord::OptionTemplate, j, "-ovc x264 -oac faac");
        g.SetCells(JobRecord::OutputExt, j, "mp4");
        g.SetCells(JobRecord::JobOptions, j, " -aid 128 -noautosub -forcedsubsonly");
        g.SetCells(JobRecord::SourceArg, j, Src);
        g.SetCells(JobRecord::OutputFolder, j, dest);
        g.SetCells(JobRecord::OutputName, j, "Film");
        g.SetCells(JobRecord::ScreenSize, j, "480x320");
        g.SetCells(JobRecord::FrameRate, j, "25");
        g.SetCells(JobRecord::FrameWidth, j, FrameW ? std::to_string(FrameW) : "");
        g.SetCells(JobRecord::FrameHeight, j, FrameH ? std::to_string(FrameH) : "");
        g.SetCells(JobRecord::DisplayWidth, j, DisplayW ? std::to_string(DisplayW) : "");
        g.SetCells(JobRecord::DisplayHeight, j, DisplayH ? std::to_string(DisplayH) : "");
        g.SetCells(JobRecord::SourceRow, j, std::to_string(r));
        return j;
    }
    TskSkinStringGrid& Src() { return *tables.StringGrid1; }
    TJobPlan Plan(int j) { return PlanJob(*tables.convertgrid, *tables.StringGrid1, j, settings); }
    void Touch(const std::string& Name) { std::ofstream(dest + Name) << "x"; }
};

} // namespace

TEST(FitIntoBoxTest, WideDvdIntoPhoneScreen_RoundsUpTo16)
{
    const TFit f = FitIntoBox(1024, 576, 480, 320);
    EXPECT_EQ(f.Width, 480);
    EXPECT_EQ(f.Height, 272);
}

TEST(FitIntoBoxTest, MissingSize_GivesNothingInsteadOfDividingByZero)
{
    EXPECT_EQ(FitIntoBox(0, 576, 480, 320).Width, 0);
    EXPECT_EQ(FitIntoBox(720, 0, 480, 320).Height, 0);
}

TEST(ChapterPartsTest, TenChaptersEveryFour_ThreeParts)
{
    EXPECT_EQ(ChapterParts(1, 10, 4),
              (std::vector<std::string>{" -chapter 1-4 ", " -chapter 5-8 ", " -chapter 9-10 "}));
}

TEST(ChapterPartsTest, EveryBelowOne_StillEnds)
{
    EXPECT_EQ(ChapterParts(1, 3, 0).size(), 3u);
    EXPECT_EQ(ChapterParts(2, 2, -5), (std::vector<std::string>{" -chapter 2-2 "}));
}

TEST(ChapterPartsTest, FirstAfterLastOrNoChapters_NoPart)
{
    EXPECT_TRUE(ChapterParts(5, 3, 1).empty());
    EXPECT_TRUE(ChapterParts(1, 0, 1).empty());
}

TEST_F(Plans, DvdTitle_ScalesWithHarddupAndComposesTheWholeCommand)
{
    const int j = Add(720, 576, 1024, 576, "-dvd-device /media/cdrom0 dvdnav://3");
    const TJobPlan p = Plan(j);
    ASSERT_TRUE(p.Runnable);
    EXPECT_EQ(p.FilterChain, "harddup,scale=480:272,");
    EXPECT_EQ(p.SizeText, "480 x 272");
    ASSERT_EQ(p.Commands.size(), 1u);
    // The title's own length, in pictures, ends the run, wherever the disc's navigation would lead on.
    EXPECT_EQ(p.Commands[0], "\"mencoder\" -dvd-device /media/cdrom0 dvdnav://3  -frames 15000  -ofps 25 -vf harddup,scale=480:272, "
                             "-ovc x264 -oac faac  -aid 128 -noautosub -forcedsubsonly -o \"" + p.Written[0] + "\"");
    // The encoder writes a working name beside the output; only a judged file gets the final name.
    EXPECT_EQ(p.Written[0], dest + "Film (converting " + std::to_string(getpid()) + ").mp4");
}

TEST_F(Plans, SmallFile_NoFilter_NoEmptyVfOption)
{
    const TJobPlan p = Plan(Add(320, 240, 320, 240));
    ASSERT_TRUE(p.Runnable);
    EXPECT_EQ(p.FilterChain, "");
    EXPECT_EQ(p.Commands[0].find("-vf"), std::string::npos) << p.Commands[0];
    const auto args = SplitCommandLine(p.Commands[0]);
    EXPECT_EQ(args[1], "/v/a b.avi");
}

TEST_F(Plans, MissingDisplaySize_UsesFrameSize)
{
    const TJobPlan p = Plan(Add(1280, 720, 0, 0));
    ASSERT_TRUE(p.Runnable);
    EXPECT_EQ(p.FilterChain, "scale=480:272,");
}

TEST_F(Plans, PictureThatFitsTheScreen_GetsTheSizeItsCodecTakes)
{
    const struct {
        int FrameW, FrameH, DisplayW, DisplayH;
        const char* Template;
        const char* Screen;
        const char* Filters;
    } cases[] = {
        {321, 241, 428, 241, "-ovc x264", "480x320", "scale=320:240,"},  // x264 refuses an odd side
        {321, 241, 428, 241, "vcodec=mpeg4", "640x480", "scale=320:240,"},
        {320, 240, 426, 240, "-ovc x264", "480x320", ""},               // its pixel aspect goes along
        {160, 120, 160, 120, "vcodec=mpeg4", "320x240", ""},
        {800, 480, 400, 480, "vcodec=mpeg4", "640x480", "scale=400:480,"}, // stored wider than the screen
    };
    for (const auto& c : cases) {
        const int j = Add(c.FrameW, c.FrameH, c.DisplayW, c.DisplayH);
        tables.convertgrid->SetCells(JobRecord::OptionTemplate, j, c.Template);
        tables.convertgrid->SetCells(JobRecord::ScreenSize, j, c.Screen);
        EXPECT_EQ(Plan(j).FilterChain, c.Filters) << c.FrameW << "x" << c.FrameH << " " << c.Template;
    }
}

TEST_F(Plans, NoSizeAtAll_NotRunnable)
{
    const TJobPlan p = Plan(Add(0, 0, 0, 0));
    EXPECT_FALSE(p.Runnable);
    EXPECT_TRUE(p.Commands.empty());
}

TEST_F(Plans, ExistingOutput_GetsCounterName)
{
    Touch("Film.mp4");
    const int j = Add(320, 240, 320, 240);
    const TJobPlan p = Plan(j);
    EXPECT_EQ(p.Outputs[0], dest + "Film(1).mp4");
    EXPECT_EQ(tables.convertgrid->Cells(JobRecord::OutputName, j), "Film(1)");
}

TEST_F(Plans, SplitJob_NumberedOutputsAndNoneOverwritten)
{
    Touch("Film02.mp4");
    const int j = Add(320, 240, 320, 240, "-dvd-device \"/d/x\" dvdnav://1");
    Src().SetCells(SourceRecord::SplitOn, 0, "YES");
    Src().SetCells(SourceRecord::SplitChapters, 0, "4");
    const TJobPlan p = Plan(j);
    ASSERT_EQ(p.Outputs.size(), 3u);
    EXPECT_EQ(p.Outputs[0], dest + "Film(1)01.mp4");
    EXPECT_EQ(p.Outputs[2], dest + "Film(1)03.mp4");
    EXPECT_NE(p.Commands[1].find(" dvd://1 -chapter 5-8 "), std::string::npos) << p.Commands[1];
}

TEST_F(Plans, TimeRange_SeekAndEndpos)
{
    const int j = Add(320, 240, 320, 240);
    Src().SetCells(SourceRecord::StartSeconds, 0, "30");
    Src().SetCells(SourceRecord::EndSeconds, 0, "90");
    const TJobPlan p = Plan(j);
    EXPECT_EQ(p.Parts[0], "  -ss 30 -endpos 60");
}

TEST_F(Plans, FfmpegShape_NumberedPlainAndNeverPrompts)
{
    const int j = Add(1280, 720, 1280, 720);
    tables.convertgrid->SetCells(JobRecord::Encoder, j, "ffmpeg");
    tables.convertgrid->SetCells(JobRecord::OptionTemplate, j, "-vcodec mpeg4");
    Src().SetCells(SourceRecord::SplitOn, 0, "YES");
    Src().SetCells(SourceRecord::SplitChapters, 0, "5");
    const TJobPlan p = Plan(j);
    ASSERT_EQ(p.Outputs.size(), 2u);
    EXPECT_EQ(p.Outputs[1], dest + "Film2.mp4");
    EXPECT_EQ(p.Commands[0].rfind("\"ffmpeg\" -nostdin -i \"/v/a b.avi\" -vcodec mpeg4  ", 0), 0u) << p.Commands[0];
    EXPECT_NE(p.Commands[0].find(" -s 480x272 -r 25"), std::string::npos);
}

TEST_F(Plans, ScriptShape_ComposedWithItsOptions)
{
    const int j = Add(320, 240, 320, 240);
    tables.convertgrid->SetCells(JobRecord::Encoder, j, "wmencoder");
    tables.convertgrid->SetCells(JobRecord::OptionTemplate, j, "-a_codec WMA9STD");
    const TJobPlan p = Plan(j);
    EXPECT_EQ(p.Commands[0], "\"omscript\" \"/w/wmcmd.vbs\" -input \"/v/a b.avi\"   -v_framerate 25 -time 0 end "
                             "-a_codec WMA9STD -output \"" + p.Written[0] + "\"");
}

TEST_F(Plans, NoscaleTemplate_DropsWordAndScaling)
{
    const int j = Add(1280, 720, 1280, 720);
    tables.convertgrid->SetCells(JobRecord::OptionTemplate, j, "noscale-ovc copy");
    const TJobPlan p = Plan(j);
    EXPECT_EQ(p.Template, "-ovc copy");
    EXPECT_EQ(p.FilterChain, "");
}

TEST_F(Plans, Budget_LimitsFrameRate)
{
    settings.Budget = 480 * 272 * 12;
    const TJobPlan p = Plan(Add(720, 576, 1024, 576));
    EXPECT_EQ(p.FrameRatePiece, " -ofps 12");
}

TEST_F(Plans, Mp4xJob_EncoderWritesTheTempFile_JudgedOnTheMp4)
{
    const int j = Add(320, 240, 320, 240);
    tables.convertgrid->SetCells(JobRecord::OutputExt, j, "mp4x");
    const TJobPlan p = Plan(j);
    ASSERT_TRUE(p.Runnable);
    const std::vector<std::string> args = SplitCommandLine(p.Commands[0]);
    EXPECT_EQ(args.back(), dest + "temp.mp4x");
    EXPECT_EQ(p.Outputs, std::vector<std::string>{dest + "Film.mp4"});
}

TEST_F(Plans, Mp4xJob_AnOlderMp4OrTempFileIsNeitherTakenNorOverwritten)
{
    Touch("Film.mp4");
    Touch("temp.mp4x");
    const int j = Add(320, 240, 320, 240);
    tables.convertgrid->SetCells(JobRecord::OutputExt, j, "mp4x");
    const TJobPlan p = Plan(j);
    EXPECT_EQ(SplitCommandLine(p.Commands[0]).back(), dest + "temp(1).mp4x");
    EXPECT_EQ(p.Outputs, std::vector<std::string>{dest + "Film(1).mp4"});
}

TEST_F(Plans, Mp4xWithAnotherEncoder_IsAnOrdinaryExtension)
{
    const int j = Add(320, 240, 320, 240);
    tables.convertgrid->SetCells(JobRecord::Encoder, j, "ffmpeg");
    tables.convertgrid->SetCells(JobRecord::OutputExt, j, "mp4x");
    const TJobPlan p = Plan(j);
    EXPECT_EQ(p.Outputs, std::vector<std::string>{dest + "Film.mp4x"});
    EXPECT_EQ(SplitCommandLine(p.Commands[0]).back(), WorkingOutputPath(dest + "Film.mp4x"));
}

// --- the driver with the stand-in encoder ------------------------------------------------------------

#include "om_testing.h"

#include "app/om_runcontrol.h"
#include "platform/rtl/TStringList.h"
#include "platform/vcl/TTimer.h"

namespace {

struct Driver : omtest::FormTest {
    omtest::TempFolder Dir;
    std::string Dest;
    TStringList Produced;
    TConvertOptions Options;

    void SetUp() override
    {
        FormTest::SetUp();
        omtest::InstallFakeEncoder(Form->WorkFolder);
        TOmTables& t = Form->Tables();
        TStringList items;
        FillCodecProfiles(*t.codecgrid, *t.devices, items);
        for (int c = 0; c < DeviceTableColumns; ++c)
            t.dq->SetCells(c, 0, t.devices->Cells(c, 6)); // "Windows Mobile"
        Dest = Dir / "out/";
        std::filesystem::create_directories(Dest);
        Options.Destination = Dest;
        Options.Playlist = &Produced;
        Options.Quality = 30;

        TskSkinStringGrid& g = *Form->StringGrid1;
        const std::pair<int, std::string> cells[] = {
            {SourceRecord::RowId, "00000"}, {SourceRecord::Kind, "VIDEO"}, {SourceRecord::Title, "Film"},
            {SourceRecord::VideoCodec, "ffodivx"}, {SourceRecord::VideoWidth, "320"}, {SourceRecord::VideoHeight, "240"},
            {SourceRecord::SourceArg, QuoteArg(Dir.Write("Film.avi"))}, {SourceRecord::EndSeconds, "20"},
            {SourceRecord::Selected, "YES"}, {SourceRecord::RoundedLength, "20"}, {SourceRecord::OutputName, "Film"}};
        for (const auto& [col, text] : cells)
            g.SetCells(col, 0, text);
    }
    void UseMp4x()
    {
        TskSkinStringGrid& codecs = *Form->Tables().codecgrid;
        for (int r = 0; r < codecs.StoredRowCount(); ++r)
            if (codecs.Cells(CodecProfile::Key, r) == "divx5_mp3")
                codecs.SetCells(CodecProfile::Extension, r, "mp4x");
    }
};

} // namespace

TEST_F(Driver, FinishedFile_IsDoneAndListedInThePlaylist)
{
    ConvertQueue(*Form, Options);
    EXPECT_EQ(Form->StringGrid1->Cells(SourceRecord::Selected, 0), "Done");
    ASSERT_EQ(Produced.Count(), 1);
    EXPECT_EQ(Produced.Strings(0), Dest + "Film.avi");
}

TEST_F(Driver, Mp4xJob_WithOnlyTheTempFile_IsNo)
{
    UseMp4x();
    ConvertQueue(*Form, Options);
    EXPECT_TRUE(std::filesystem::exists(Dest + "temp.mp4x"));
    EXPECT_EQ(Form->StringGrid1->Cells(SourceRecord::Selected, 0), "No");
    EXPECT_EQ(Produced.Count(), 0);
}

TEST_F(Driver, Mp4xJob_WhenTheMp4IsMade_IsDoneAsMp4)
{
    UseMp4x();
    omtest::HoldFakeEncoder(Form->WorkFolder, 1);
    // The step outside the program that makes the ".mp4", done while the encoder still runs.
    TTimer other(nullptr);
    other.SetInterval(100);
    other.OnTimer = [this, &other](TObject*) {
        if (Form->RunState.ToolRunning != 0) {
            other.SetEnabled(false);
            std::ofstream(Dest + "Film.mp4") << "mp4";
        }
    };
    other.SetEnabled(true);
    ConvertQueue(*Form, Options);
    EXPECT_EQ(Form->StringGrid1->Cells(SourceRecord::Selected, 0), "Done");
    EXPECT_EQ(Form->Tables().convertgrid->Cells(JobRecord::OutputExt, 0), "mp4");
    EXPECT_EQ(Form->Tables().convertgrid->Cells(JobRecord::OutputFile, 0), "Film.mp4");
    ASSERT_EQ(Produced.Count(), 1);
    EXPECT_EQ(Produced.Strings(0), Dest + "Film.mp4");
}

TEST_F(Plans, ClipLyingOnItsSide_IsTurnedUprightThenFittedIntoTheBoxStandingUp)
{
    const int j = Add(640, 480, 640, 480);
    tables.convertgrid->SetCells(JobRecord::PictureTurn, j, "90");
    const TJobPlan p = Plan(j);
    ASSERT_TRUE(p.Runnable);
    // 480 x 640 shown, so the 480 x 320 box takes it at 240 x 320.
    EXPECT_EQ(p.SizeText, "240 x 320");
    EXPECT_NE(p.Commands[0].find(" -vf rotate=2,scale=240:320,"), std::string::npos) << p.Commands[0];
    tables.convertgrid->SetCells(JobRecord::PictureTurn, j, "270");
    EXPECT_NE(Plan(j).Commands[0].find(" -vf rotate=1,scale=240:320,"), std::string::npos);
}

// How the encoder takes a source's pictures: a field-coded one whose rate the job changes through the
// constant-rate copy made at the job's rate, and then picture for picture; a disc title kept at its
// rate picture for picture without the sync correction, unless its part starts inside the title (a
// seek lands where the disc holds sound ahead of its picture, which only the correction takes back).
TEST_F(Plans, PicturesTakenAsTheSourceTimelineAllows)
{
    struct Case {
        const char* Name;
        const char* Src;
        const char* SourceRate;
        bool FieldCoded;
        int FirstChapter; // 0: no chapter range
        bool SteadyCopy;
        bool PictureForPicture; // -noskip
        bool NoCorrection;      // -mc 0 (a file's reading options have it anyway)
    } cases[] = {
        {"field-coded, rate changed", "\"/v/t.ts\"", "29.970", true, 0, true, true, false},
        {"field-coded, rate kept", "\"/v/t.ts\"", "25.000", true, 0, false, true, false},
        {"frames, rate changed", "\"/v/t.ts\"", "29.970", false, 0, false, false, false},
        {"disc, whole title", "-dvd-device /d dvd://1", "25.000", false, 1, false, true, true},
        {"disc, from chapter 2", "-dvd-device /d dvd://1", "25.000", false, 2, false, false, false},
    };
    settings.SteadyCopy = "/w/temp/steady.nut";
    for (const Case& c : cases) {
        ClearTable(*tables.StringGrid1);
        ClearTable(*tables.convertgrid);
        const int j = Add(320, 240, 320, 240, c.Src);
        tables.convertgrid->SetCells(JobRecord::GroupKey, j, "/v/t.ts");
        Src().SetCells(SourceRecord::FrameRate, 0, c.SourceRate);
        tables.convertgrid->SetCells(SourceRecord::FieldCoded, j, c.FieldCoded ? "YES" : "");
        if (c.FirstChapter > 0) {
            Src().SetCells(SourceRecord::ChapterRangeOn, 0, "YES");
            Src().SetCells(SourceRecord::FirstChapter, 0, std::to_string(c.FirstChapter));
        }
        const TJobPlan p = Plan(j);
        ASSERT_TRUE(p.Runnable) << c.Name;
        EXPECT_EQ(!p.ReadStep.empty(), c.SteadyCopy) << c.Name << ": " << p.ReadStep;
        if (c.SteadyCopy)
            EXPECT_NE(p.ReadStep.find(" -r 25 "), std::string::npos) << c.Name << ": " << p.ReadStep;
        const std::string& command = p.Commands[0];
        EXPECT_EQ(command.find(" -noskip") != std::string::npos, c.PictureForPicture) << c.Name << ": " << command;
        EXPECT_EQ(command.find(" -mc 0") != std::string::npos, c.NoCorrection) << c.Name << ": " << command;
    }
}

TEST_F(Plans, UnevenRate_EncoderReadsTheSteadyCopyMadeAtTheJobsRate)
{
    const int j = Add(320, 240, 320, 240, "\"/v/phone.mp4\"");
    tables.convertgrid->SetCells(JobRecord::GroupKey, j, "/v/phone.mp4");
    tables.convertgrid->SetCells(JobRecord::UnevenRate, j, "30");
    settings.SteadyCopy = "/w/temp/steady.nut";
    const TJobPlan p = Plan(j);
    ASSERT_TRUE(p.Runnable);
    EXPECT_NE(p.ReadStep.find("-i \"/v/phone.mp4\" "), std::string::npos) << p.ReadStep;
    EXPECT_NE(p.ReadStep.find(" -r 25 "), std::string::npos) << p.ReadStep;
    EXPECT_EQ(p.Commands[0].find("phone.mp4"), std::string::npos) << p.Commands[0];
    EXPECT_NE(p.Commands[0].find("\"/w/temp/steady.nut\""), std::string::npos);
    // A steady file is read as it is.
    tables.convertgrid->SetCells(JobRecord::UnevenRate, j, "");
    EXPECT_TRUE(Plan(j).ReadStep.empty());
}
