// The scan chain against the real player: which dropped files and folders become sources, and what
// the window shows when none does.
#include "app/om_scan.h"

#include "om_testing.h"

#include "app/om_buttons.h"
#include "app/om_tables.h"
#include "tests/support/THeadlessDriver.h"
#include "platform/vcl/TTimer.h"
#include "platform/vcl/TWinControl.h"

#include <algorithm>
#include <fstream>

using namespace omtest;

namespace {

struct RealScan : FormTest {
    TempFolder Dir;

    // A clip made by ffmpeg, grown with zeros to Bytes when it came out smaller (the player reads
    // the clip and passes over the padding).
    std::string Clip(const std::string& Name, const std::string& Options, std::uintmax_t Bytes)
    {
        const std::string path = Dir / Name;
        fs::create_directories(fs::path(path).parent_path());
        EXPECT_TRUE(RunQuiet("ffmpeg -y -f lavfi -i testsrc=size=320x240:rate=25 -t 3 " + Options + " '" + path + "'"));
        if (fs::exists(path) && fs::file_size(path) < Bytes)
            fs::resize_file(path, Bytes);
        return path;
    }
    void Scan() { Form->ScanTimerTimer(Form->ScanTimer); }
};

} // namespace

TEST_F(RealScan, FileLargerThan1024000Bytes_IsIdentified_OneOfThatSizeIsSkippedWithAWord)
{
    // Between one and two times the floor: passed over while the size was divided in whole numbers.
    const std::string big = Clip("big enough.avi", "-c:v mpeg4 -q:v 2", 1'500'000);
    ASSERT_EQ(fs::file_size(big), 1'500'000u);
    const std::string small = Clip("at the floor.avi", "-c:v mpeg4 -q:v 2", 1'024'000);
    ASSERT_EQ(fs::file_size(small), 1'024'000u);
    Form->DropFiles({small, big});
    Scan();
    ASSERT_EQ(AddedRows.size(), 1u) << Form->status->ProgressText();
    EXPECT_EQ(Cell(SourceRecord::SourcePath, AddedRows[0]), big);
    EXPECT_EQ(Cell(SourceRecord::VideoFormat, AddedRows[0]), "FMP4");
    EXPECT_EQ(Form->status->ProgressText(), "Skipped at the floor.avi (too small)");
}

TEST_F(RealScan, VobBesideADvdFolder_IsAVideoFile_AndTheDiscIsScannedToo)
{
    TempFolder scratch;
    ASSERT_TRUE(MakeDvdFolder(Dir / "Holiday Disc", scratch.Path.string(), {{4, "0"}}));
    const std::string vob = Clip("old film.vob", "-target pal-dvd", 1'500'000);
    Form->RunState.MinTitleLength = 3;
    Form->DropFiles({Dir.Path.string()});
    Scan();
    ASSERT_EQ(AddedRows.size(), 2u) << Form->status->ProgressText();
    std::vector<std::string> found;
    for (int r : AddedRows)
        found.push_back(Cell(SourceRecord::Kind, r) + " " + Cell(SourceRecord::SourcePath, r));
    std::sort(found.begin(), found.end());
    EXPECT_EQ(found, (std::vector<std::string>{"DVD " + (Dir / "Holiday Disc"), "VIDEO " + vob}));
}

TEST_F(RealScan, DropWithoutAUsableSource_LeavesTheWindowAsItWas)
{
    THeadlessDriver driver{false};
    System.OnListVolumes = [] { return std::vector<TOpticalVolume>{}; };
    Form->DoCreate();
    auto* textpanel = dynamic_cast<TControl*>(Form->FindComponent("textpanel"));
    ASSERT_NE(textpanel, nullptr);
    TWinControl* parent = textpanel->Parent();
    const auto order = [parent] {
        std::vector<TControl*> controls;
        for (int i = 0; i < parent->ControlCount(); ++i)
            controls.push_back(parent->Controls(i));
        return controls;
    };
    const std::vector<TControl*> before = order();
    ASSERT_FALSE(Form->skSkinSpeedButton1->Enabled());

    // A file the player finds no video in, and one too small to be looked at.
    const std::string junk = Dir.Write("junk.mpg", 1'100'000);
    const std::string tiny = Clip("tiny.avi", "-c:v mpeg4", 0);
    Form->DropFiles({junk, tiny});
    Scan();
    EXPECT_EQ(Form->StringGrid1->Cells(SourceRecord::RowId, 0), "");
    EXPECT_FALSE(Form->skSkinSpeedButton1->Enabled());
    EXPECT_EQ(order(), before);
    EXPECT_NE(Form->status->ProgressText().find("Skipped"), std::string::npos) << Form->status->ProgressText();
}
