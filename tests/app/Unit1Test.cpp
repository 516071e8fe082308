#include "app/Unit1.h"

#include "om_testing.h"

#include "app/om_tables.h"
#include "platform/vcl/TTimer.h"

using namespace omtest;

namespace {

using MainWindow = FormTest;

TEST_F(MainWindow, StartsIdleWithTheTimersOff)
{
    EXPECT_FALSE(Form->ScanTimer->Enabled());
    EXPECT_EQ(Form->ScanTimer->Interval(), 2000u);
    EXPECT_FALSE(Form->converttimer->Enabled());
    EXPECT_EQ(Form->converttimer->Interval(), 1000u);
    EXPECT_EQ(Form->subVid->Count(), 31);
    EXPECT_EQ(Form->combobox4->Text(), "EN (English)");
    EXPECT_FALSE(Form->checkbox4->Checked());
    EXPECT_EQ(Form->WorkFolder, Home.Path.string() + "/.local/share/Ombrix3/");
}

TEST_F(MainWindow, SelectionChange_WritesTheRecordAndTellsTheQueueRow)
{
    std::vector<std::string> seen;
    Form->OnSelectionChanged = [&](int Row, const std::string& Value) { seen.push_back(std::to_string(Row) + Value); };
    Form->SetSourceSelected(0, "Done");
    EXPECT_EQ(Cell(SourceRecord::Selected), "Done");
    EXPECT_EQ(seen, std::vector<std::string>{"0Done"});
}

TEST_F(MainWindow, ProgressWithoutQueueRow_StaysWithinTheJob)
{
    Form->RunState.CurrentTotal = 100;
    Form->setProgress(0, 150);
    EXPECT_EQ(Form->RunState.CurrentPos, 100);
    Form->setProgress(0, -5);
    EXPECT_EQ(Form->RunState.CurrentPos, 0);
}

TEST_F(MainWindow, ToolThatCannotStart_LeavesNoFlagSet)
{
    const std::string path = std::getenv("PATH") ? std::getenv("PATH") : "";
    setenv("PATH", Home.Path.c_str(), 1);
    Form->IdentifyVideoFile("/nonexistent.avi");
    setenv("PATH", path.c_str(), 1);
    EXPECT_EQ(Form->RunState.ToolRunning, 0);
    // Nothing was identified, so there is nothing to convert.
    EXPECT_TRUE(AddedRows.empty());
}

} // namespace
