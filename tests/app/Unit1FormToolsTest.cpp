// The main window with the real tools: a letterboxed clip dropped on it, identified, and converted for
// a phone with each choice of the crop group; what was written is judged by ffprobe.
#include "app/Unit1.h"

#include "om_testing.h"

#include "app/om_tables.h"
#include "app/om_convert.h"
#include "tests/support/THeadlessDriver.h"
#include "tests/support/TTestSystemServices.h"
#include "platform/rtl/Strings.h"
#include "platform/sys/CommandLine.h"
#include "platform/vcl/TApplication.h"
#include "platform/vcl/TTimer.h"
#include "skin/controls/TskSkinCheckRadioBox.h"

#include <sys/stat.h>

#include <array>
#include <cstdio>

using namespace omtest;

namespace {

struct TPictureSize {
    int W = 0;
    int H = 0;
};

TPictureSize ProbeSize(const std::string& Path)
{
    TPictureSize s;
    std::sscanf(Capture("ffprobe -v error -select_streams v:0 -show_entries stream=width,height -of csv=p=0 " +
                        QuoteArg(Path)).c_str(),
                "%d,%d", &s.W, &s.H);
    return s;
}

// The part of the picture that is not black bars, as ffprobe's crop detection sees it over the whole
// file (the largest area any frame needs).
TPictureSize ProbePictureArea(const std::string& Path)
{
    const std::string lines = Capture("ffprobe -v error -f lavfi -i " +
                                      QuoteArg("movie=" + Path + ",cropdetect=limit=24:round=2:reset=0:skip=0") +
                                      " -show_entries frame_tags=lavfi.cropdetect.w,lavfi.cropdetect.h -of csv=p=0");
    TPictureSize area;
    std::size_t at = 0;
    while (at < lines.size()) {
        std::size_t end = lines.find('\n', at);
        if (end == std::string::npos)
            end = lines.size();
        TPictureSize s;
        if (std::sscanf(lines.substr(at, end - at).c_str(), "%d,%d", &s.W, &s.H) == 2) {
            area.W = std::max(area.W, s.W);
            area.H = std::max(area.H, s.H);
        }
        at = end + 1;
    }
    return area;
}

struct AnswerFolder : IOmSelectDirectory {
    std::string Folder;
    std::string Answer;
    void SetTitle(const std::string&) override {}
    std::string Directory() const override { return Folder; }
    void SetDirectory(const std::string& Value) override { Folder = Value; }
    bool Execute() override
    {
        Folder = Answer;
        return true;
    }
};

// The started window with the phone chosen in the device box; the destination answered by a double of
// the folder dialog, and the file manager a recorder on PATH. Each test drops a clip whose picture has
// black bars on it and lets the window identify it.
struct CropChoice : ::testing::Test {
    TempHome Home;
    TempFolder Dir;
    THeadlessDriver Driver;
    TTestSystemServices System;
    std::unique_ptr<TForm1> Form;
    AnswerFolder Destination;
    std::string SavedPath;

    void SetUp() override
    {
        const std::string bin = Dir / "bin";
        fs::create_directories(bin);
        std::ofstream(bin + "/xdg-open") << "#!/bin/sh\nexit 0\n";
        chmod((bin + "/xdg-open").c_str(), 0755);
        if (const char* path = std::getenv("PATH"))
            SavedPath = path;
        setenv("PATH", (bin + ":" + SavedPath).c_str(), 1);

        Form = std::make_unique<TForm1>(nullptr, System);
        System.OnListVolumes = [] { return std::vector<TOpticalVolume>{}; };
        Form->DoCreate();
        Destination.Answer = Dir / "out/";
        Form->OxSelectDirectory1 = &Destination;
        Form->devicebox->SetItemIndex(Form->devicebox->Items().IndexOf("3gpp Cellphone"));
        Form->deviceboxChange(nullptr);
        Form->Show();
        Driver.ProcessMessages();
    }
    void TearDown() override
    {
        Form.reset();
        setenv("PATH", SavedPath.c_str(), 1);
    }
    // A clip of Picture (W x H) padded with black to Frame ("W:H:x:y" of ffmpeg's pad), dropped on the
    // window and identified.
    void DropClip(const std::string& Picture, const std::string& Pad, const std::string& FrameHeight)
    {
        ASSERT_TRUE(RunQuiet("ffmpeg -y -f lavfi -i testsrc=size=" + Picture + ":rate=25 -f lavfi -i sine=sample_rate=44100 "
                             "-t 6 -vf pad=" + Pad + ":black -c:v mpeg4 -q:v 1 -g 1 -c:a mp3 -ac 2 " + QuoteArg(Dir / "boxed.avi")));
        Form->DropFiles({Dir / "boxed.avi"});
        Form->ScanTimerTimer(Form->ScanTimer);
        ASSERT_EQ(Form->StringGrid1->Cells(SourceRecord::VideoHeight, 0), FrameHeight) << Form->status->ProgressText();
    }
    // 16:9 in a 4:3 frame: bars above and below.
    void DropLetterboxed() { DropClip("640x360", "640:480:0:60", "480"); }
    // 4:3 in a 16:9 frame: bars at the sides.
    void DropPillarboxed() { DropClip("480x360", "640:360:80:0", "360"); }
    void Click(const char* Name)
    {
        auto* control = dynamic_cast<TControl*>(Form->FindComponent(Name));
        ASSERT_NE(control, nullptr) << Name;
        Driver.Click(control->ClientToScreen(TPoint{10, control->Height() / 2}));
        Driver.ProcessMessages();
    }
    bool Checked(const char* Name) const
    {
        auto* box = dynamic_cast<TskSkinCheckRadioBox*>(Form->FindComponent(Name));
        return box && box->Checked();
    }
    // Start pressed; the file it wrote, which must have the phone's picture size.
    std::string Convert()
    {
        Click("go_button");
        auto* edit = dynamic_cast<TControl*>(Form->FindComponent("skSkinEdit1"));
        EXPECT_EQ(Form->StringGrid1->Cells(SourceRecord::Selected, 0), "Done") << Form->status->ProgressText() << "\n" << edit->Text();
        const std::string out = Destination.Answer + "boxed.3gp";
        const TPictureSize size = ProbeSize(out);
        EXPECT_EQ(size.W, 176);
        EXPECT_EQ(size.H, 144);
        return out;
    }
};

} // namespace

TEST_F(CropChoice, TheGroupOffersThreeChoices_FillingTheDeviceChecked)
{
    EXPECT_FALSE(Checked("radiobutton1"));
    EXPECT_FALSE(Checked("radiobutton2"));
    EXPECT_TRUE(Checked("radiobutton3"));
    Click("radiobutton2");
    EXPECT_TRUE(Checked("radiobutton2"));
    EXPECT_FALSE(Checked("radiobutton3"));
    Click("radiobutton1");
    EXPECT_TRUE(Checked("radiobutton1"));
    EXPECT_FALSE(Checked("radiobutton2"));
}

// The phone's screen is 4:3, and its encoder takes no other picture size: what is not picture is black.

TEST_F(CropChoice, NoCropping_KeepsTheBarsOfTheFile)
{
    DropPillarboxed();
    Click("radiobutton1");
    // 480 of 640 columns are picture: about 132 of 176.
    EXPECT_LT(ProbePictureArea(Convert()).W, 150) << "the bars were cut away";
}

TEST_F(CropChoice, BarsFromFile_AreCutAway)
{
    DropPillarboxed();
    Click("radiobutton2");
    const TPictureSize area = ProbePictureArea(Convert());
    EXPECT_GE(area.W, 166) << "bars left in the picture";
    EXPECT_GE(area.H, 134) << "bars left in the picture";
}

TEST_F(CropChoice, BarsFromFile_AWidePictureKeepsItsShape)
{
    DropLetterboxed();
    Click("radiobutton2");
    // The 16:9 picture on the 4:3 screen: full width, about 99 rows high.
    const TPictureSize area = ProbePictureArea(Convert());
    EXPECT_GE(area.W, 150);
    EXPECT_LT(area.H, 124) << "the picture was cut to fill the screen";
}

TEST_F(CropChoice, BarsFromDevice_ThePictureFillsTheScreen)
{
    DropLetterboxed();
    ASSERT_TRUE(Checked("radiobutton3"));
    const std::string out = Convert();
    const TPictureSize area = ProbePictureArea(out);
    EXPECT_GE(area.H, 134) << "bars left in the picture";
    EXPECT_GE(area.W, 166) << "bars left in the picture";
    // The queue over, the program's own title is back and the file is listed among the produced ones.
    EXPECT_EQ(Application->Title(), "Ombrix Free 1.3");
    ASSERT_NE(Form->playlist, nullptr);
    EXPECT_EQ(Form->playlist->IndexOf(out), 0);
}
