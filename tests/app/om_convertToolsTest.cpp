// The conversion driver against the real tools: a generated clip converted for every built-in
// device, the result looked at with ffprobe.
#include "app/om_convert.h"

#include "om_testing.h"

#include "app/om_runcontrol.h"
#include "app/om_tables.h"
#include "platform/rtl/TStringList.h"
#include "platform/sys/CommandLine.h"
#include "platform/vcl/TTimer.h"

#include <algorithm>
#include <array>
#include <cstdio>

using namespace omtest;

namespace {

bool Shell(const std::string& Command)
{
    return std::system((Command + " >/dev/null 2>&1").c_str()) == 0;
}

std::string Capture(const std::string& Command)
{
    std::string out;
    if (FILE* p = popen(Command.c_str(), "r")) {
        std::array<char, 4096> buf{};
        while (std::size_t n = fread(buf.data(), 1, buf.size(), p))
            out.append(buf.data(), n);
        pclose(p);
    }
    return out;
}

// What ffprobe says of a file: "format=...|v=codec WxH|a=codec".
std::string Probe(const std::string& Path)
{
    const std::string q = "'" + Path + "'";
    std::string fmt = Capture("ffprobe -v error -show_entries format=format_name -of csv=p=0 " + q);
    std::string v = Capture("ffprobe -v error -select_streams v:0 -show_entries stream=codec_name,width,height -of csv=p=0 " + q);
    std::string a = Capture("ffprobe -v error -select_streams a:0 -show_entries stream=codec_name -of csv=p=0 " + q);
    fmt.erase(std::remove(fmt.begin(), fmt.end(), '"'), fmt.end());
    for (std::string* s : {&fmt, &v, &a})
        while (!s->empty() && (s->back() == '\n' || s->back() == ','))
            s->pop_back();
    return "format=" + fmt + "|v=" + v + "|a=" + a;
}

struct RecordingLauncher : ILauncher {
    std::vector<std::string> Opened;
    void OpenFolder(const std::string& Folder) override { Opened.push_back(Folder); }
};

struct RealConversion : FormTest {
    TempFolder Dir;
    std::string Clip;
    std::string Dest;
    RecordingLauncher Launcher;
    TConvertOptions Options;
    std::vector<std::string> Commands;

    void SetUp() override
    {
        FormTest::SetUp();
        Clip = (Dir / "My \"Best\" Clip.avi");
        ASSERT_TRUE(Shell("ffmpeg -y -f lavfi -i testsrc=size=640x480:rate=25 -f lavfi -i sine=frequency=440:sample_rate=44100 "
                        "-t 8 -c:v mpeg4 -q:v 3 -c:a mp3 -ac 2 " + QuoteArg(Clip)));
        Dest = Dir / "out/";
        fs::create_directories(Dest);
        TOmTables& t = Form->Tables();
        TStringList items;
        FillCodecProfiles(*t.codecgrid, *t.devices, items);
        Options.Destination = Dest;
        Options.Launcher = &Launcher;
        Options.ShowCommand = [this](const std::string& c) { Commands.push_back(c); };
        AddClip();
    }

    void AddClip()
    {
        TskSkinStringGrid& g = *Form->StringGrid1;
        const int r = AppendRow(g);
        const std::pair<int, std::string> cells[] = {
            {SourceRecord::RowId, "00000"}, {SourceRecord::Kind, "VIDEO"}, {SourceRecord::Title, "My \"Best\" Clip"},
            {SourceRecord::Length, "8.00"}, {SourceRecord::VideoFormat, "FMP4"}, {SourceRecord::VideoCodec, "ffodivx"},
            {SourceRecord::VideoWidth, "640"}, {SourceRecord::VideoHeight, "480"}, {SourceRecord::FrameRate, "25.000"},
            {SourceRecord::SourcePath, Clip}, {SourceRecord::SourceArg, QuoteArg(Clip)},
            {SourceRecord::StartSeconds, "0"}, {SourceRecord::EndSeconds, "8"}, {SourceRecord::SubtitlesOn, "NO"},
            {SourceRecord::Selected, "YES"}, {SourceRecord::RoundedLength, "8"}, {SourceRecord::OutputName, "My \"Best\" Clip"},
            {SourceRecord::DisplayWidth, "640"}, {SourceRecord::DisplayHeight, "480"}};
        for (const auto& [col, text] : cells)
            g.SetCells(col, r, text);
    }

    // The chosen device copied into dq, as the device box does.
    void Choose(const std::string& Device)
    {
        TOmTables& t = Form->Tables();
        ClearTable(*t.dq);
        for (int r = 0; r < t.devices->StoredRowCount(); ++r)
            if (t.devices->Cells(DeviceProfile::Name, r) == Device)
                for (int c = 0; c < DeviceTableColumns; ++c)
                    t.dq->SetCells(c, 0, t.devices->Cells(c, r));
        Options.Quality = CellInt(t.dq->Cells(DeviceProfile::VideoBitrate, 0)) / 10;
        Options.DeviceText = Device;
    }
    std::string Output(const std::string& Ext) { return Dest + "My \"Best\" Clip." + Ext; }
};

struct DeviceCase {
    const char* Device;
    const char* Ext;
    const char* Expect; // what ffprobe must report
};

struct EveryDevice : RealConversion, ::testing::WithParamInterface<DeviceCase> {};

} // namespace

TEST_P(EveryDevice, ProducesAPlayableFile)
{
    const DeviceCase c = GetParam();
    Choose(c.Device);
    ConvertQueue(*Form, Options);
    ASSERT_FALSE(Commands.empty());
    EXPECT_EQ(Cell(SourceRecord::Selected), "Done") << Commands[0] << "\n" << Form->StatusText();
    EXPECT_EQ(Probe(Output(c.Ext)), c.Expect) << Commands[0];
    EXPECT_EQ(Converting, 0);
    EXPECT_EQ(ToolRunning, 0);
    EXPECT_EQ(Launcher.Opened, std::vector<std::string>{Dest});
}

INSTANTIATE_TEST_SUITE_P(
    BuiltIn, EveryDevice,
    ::testing::Values(DeviceCase{"iPhone / iPod Touch", "mp4", "format=mov,mp4,m4a,3gp,3g2,mj2|v=h264,432,320|a=aac"},
                      DeviceCase{"iPod Classic/Nano/Video", "mp4", "format=mov,mp4,m4a,3gp,3g2,mj2|v=h264,320,240|a=aac"},
                      DeviceCase{"3gpp Cellphone", "3gp", "format=mov,mp4,m4a,3gp,3g2,mj2|v=h263,176,144|a=aac"},
                      DeviceCase{"Zune 4/8/80", "mp4", "format=mov,mp4,m4a,3gp,3g2,mj2|v=h264,320,240|a=aac"},
                      DeviceCase{"Zune 30", "wmv", "format=asf|v=wmv2,320,240|a=wmav2"},
                      DeviceCase{"Playstation Portable", "mp4", "format=mov,mp4,m4a,3gp,3g2,mj2|v=h264,368,272|a=aac"},
                      DeviceCase{"Windows Mobile", "avi", "format=avi|v=mpeg4,320,240|a=mp3"},
                      DeviceCase{"Windows Mobile VGA", "avi", "format=avi|v=mpeg4,640,480|a=mp3"},
                      DeviceCase{"Palm Treo / Centro", "avi", "format=avi|v=mpeg4,320,240|a=mp3"}));

TEST_F(RealConversion, ExistingOutput_IsKeptAndTheNewOneGetsACounter)
{
    Choose("Windows Mobile");
    { std::ofstream(Output("avi")) << "mine"; }
    ConvertQueue(*Form, Options);
    EXPECT_EQ(Cell(SourceRecord::Selected), "Done");
    std::ifstream in(Output("avi"));
    std::string mine;
    in >> mine;
    EXPECT_EQ(mine, "mine");
    EXPECT_TRUE(fs::file_size(Dest + "My \"Best\" Clip(1).avi") > 1000);
}

TEST_F(RealConversion, FailingEncoder_IsNoNotDone)
{
    Choose("Windows Mobile");
    Form->Tables().dq->SetCells(DeviceProfile::Name, 0, "Windows Mobile");
    // A codec the tool does not know: mencoder leaves an empty file behind and fails.
    Form->Tables().codecgrid->SetCells(CodecProfile::OptionTemplate, 1, "-ovc lavc -oac lavc -lavcopts vcodec=nosuchcodec");
    ConvertQueue(*Form, Options);
    EXPECT_EQ(Cell(SourceRecord::Selected), "No");
    EXPECT_EQ(Converting, 0);
}

TEST_F(RealConversion, MissingTool_FailsTheJobAndReleasesTheFlags)
{
    Choose("Windows Mobile");
    setenv("PATH", "/nonexistent", 1);
    ConvertQueue(*Form, Options);
    setenv("PATH", "/usr/local/bin:/usr/bin:/bin", 1);
    EXPECT_EQ(Cell(SourceRecord::Selected), "No");
    EXPECT_EQ(ToolRunning, 0);
    EXPECT_EQ(Converting, 0);
    EXPECT_EQ(Scanning, 0);
}

TEST_F(RealConversion, StopFromInsideTheWait_NoFurtherToolAndFolderNotOpened)
{
    Choose("iPhone / iPod Touch");
    // The Stop button, pressed while the encoder runs: served from the wait loop like any click.
    TTimer button(nullptr);
    button.SetInterval(300);
    button.OnTimer = [this](TObject*) {
        if (Converting != 0 && ToolRunning != 0 && AbortRequested == 0)
            Form->RunControl().Stop();
    };
    button.SetEnabled(true);
    ConvertQueue(*Form, Options);
    EXPECT_EQ(Cell(SourceRecord::Selected), "YES");
    EXPECT_EQ(Form->Tables().convertgrid->Cells(JobRecord::StatusText, 0), "Stopped Conversion");
    EXPECT_TRUE(Launcher.Opened.empty());
    EXPECT_FALSE(fs::exists(Output("mp4")));
}

// --- thumbnails with the real tools (they share the clip set-up) ------------------------------------

#include "app/om_thumbs.h"

TEST_F(RealConversion, ScanThumbnail_IsAJpegInTheWorkFolder_MadeOnce)
{
    Form->WorkFolder = Dir / "work/";
    const std::string pic = ScanThumbnailPath(*Form->StringGrid1, 0, Form->WorkFolder);
    MakeScanThumbnail(*Form, 0);
    ASSERT_TRUE(fs::exists(pic));
    EXPECT_NE(Probe(pic).find("v=mjpeg,320,240"), std::string::npos) << Probe(pic);
    const auto stamp = fs::last_write_time(pic);
    MakeScanThumbnail(*Form, 0);
    EXPECT_EQ(fs::last_write_time(pic), stamp);
    EXPECT_EQ(ToolRunning, 0);
    EXPECT_EQ(GrabMode, 0);
}

TEST_F(RealConversion, OutputThumbnail_DoesNotOverwriteAnExistingPicture)
{
    Dest = Dir / "laystation/";
    fs::create_directories(Dest);
    Options.Destination = Dest;
    Options.MakeOutputThumbnail = [this](int j) { MakeOutputThumbnail(*Form, j); };
    Choose("Windows Mobile");
    ConvertQueue(*Form, Options);
    ASSERT_EQ(Cell(SourceRecord::Selected), "Done");
    std::string listing;
    for (const auto& e : fs::directory_iterator(Dest))
        listing += e.path().filename().string() + ";";
    EXPECT_NE(Probe(Output("jpg")).find("v=mjpeg,160,120"), std::string::npos) << listing;
    { std::ofstream(Output("jpg")) << "mine"; }
    MakeOutputThumbnail(*Form, 0);
    EXPECT_EQ(fs::file_size(Output("jpg")), 4u);
}

// --- crop detection with the real tools -------------------------------------------------------------

#include "app/om_crop.h"

TEST_F(RealConversion, DetectCrop_FindsTheLetterboxBarsOfARealClip)
{
    const std::string boxed = Dir / "boxed clip.avi";
    ASSERT_TRUE(Shell("ffmpeg -y -f lavfi -i testsrc=size=640x360:rate=25 -t 8 -vf pad=640:480:0:60:black -c:v mpeg4 -q:v 2 " +
                      QuoteArg(boxed)));
    Form->WorkFolder = Dir / "work/";
    TskSkinStringGrid& jobs = *Form->Tables().convertgrid;
    const std::pair<int, std::string> cells[] = {
        {JobRecord::JobId, "00000"}, {JobRecord::SourceArg, QuoteArg(boxed)}, {JobRecord::LengthSeconds, "8"},
        {JobRecord::FrameWidth, "640"}, {JobRecord::FrameHeight, "480"}, {JobRecord::DisplayWidth, "640"},
        {JobRecord::DisplayHeight, "480"}, {JobRecord::ScreenSize, "176x144"}, {JobRecord::SourceRow, "0"}};
    for (const auto& [col, text] : cells)
        jobs.SetCells(col, 0, text);
    DetectCrop(*Form, 0, TCropMode::FromFile);
    // The encoded frame blurs the edge of the bars within a block, so the bar found may end a few
    // rows early, never late.
    EXPECT_GE(CellInt(jobs.Cells(JobRecord::CropTop, 0)), 40);
    EXPECT_LE(CellInt(jobs.Cells(JobRecord::CropTop, 0)), 60);
    EXPECT_GE(CellInt(jobs.Cells(JobRecord::CropBottom, 0)), 40);
    EXPECT_LE(CellInt(jobs.Cells(JobRecord::CropBottom, 0)), 60);
    EXPECT_LE(CellInt(jobs.Cells(JobRecord::CropLeft, 0)), 8);
    EXPECT_EQ(jobs.Cells(JobRecord::CropFilter, 0).rfind("crop=640:", 0), 0u);
    EXPECT_EQ(ToolRunning, 0);
    EXPECT_EQ(GrabMode, 0);
}

TEST_F(RealConversion, DetectCrop_UnreadableSource_NoCropAndNoStalePicture)
{
    Form->WorkFolder = Dir / "work/";
    TskSkinStringGrid& jobs = *Form->Tables().convertgrid;
    jobs.SetCells(JobRecord::SourceArg, 0, QuoteArg(Dir.Write("broken.avi", 100)));
    jobs.SetCells(JobRecord::LengthSeconds, 0, "8");
    jobs.SetCells(JobRecord::FrameWidth, 0, "640");
    jobs.SetCells(JobRecord::FrameHeight, 0, "480");
    DetectCrop(*Form, 0, TCropMode::FromFile);
    EXPECT_EQ(jobs.Cells(JobRecord::CropTop, 0), "0");
    EXPECT_EQ(jobs.Cells(JobRecord::StatusText, 0), "Cropdetection");
}
