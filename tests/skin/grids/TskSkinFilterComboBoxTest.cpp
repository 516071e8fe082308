#include "skin/grids/TskSkinFilterComboBox.h"

#include "FileCtrlTestSupport.h"
#include "platform/vcl/TReader.h"
#include "skin/grids/TskSkinFileListBox.h"

using filectrltest::FileCtrlTest;

namespace {

struct FilterComboBox : FileCtrlTest {
    TskSkinFilterComboBox* Box = nullptr;

    // The items are built when the window is made.
    void MakeBox(const std::string& filter)
    {
        Box = new TskSkinFilterComboBox(Form);
        Box->SetParent(Form);
        Box->SetBounds(10, 10, 200, 20);
        Box->SetFilter(filter);
        Box->HandleNeeded();
    }
};

} // namespace

TEST_F(FilterComboBox, DefaultFilterGivesAllFiles)
{
    MakeBox(TskSkinFilterComboBox::DefaultFilter);
    ASSERT_EQ(Box->Items()->Count(), 1);
    EXPECT_EQ(Box->Items()->Strings(0), "All files (*.*)");
    EXPECT_EQ(Box->Mask(), "*.*");
}

TEST_F(FilterComboBox, PairsBecomeItemsAndFirstMaskIsChosen)
{
    MakeBox("Text|*.txt|All|*.*");
    ASSERT_EQ(Box->Items()->Count(), 2);
    EXPECT_EQ(Box->Items()->Strings(1), "All");
    EXPECT_EQ(Box->ItemIndex(), 0);
    EXPECT_EQ(Box->Mask(), "*.txt");
    Box->SetItemIndex(1);
    EXPECT_EQ(Box->Mask(), "*.*");
}

TEST_F(FilterComboBox, TrailingNameWithoutMaskIsDropped)
{
    MakeBox("Video (\"avi\")|*.avi;*.mpg|Orphan");
    ASSERT_EQ(Box->Items()->Count(), 1);
    EXPECT_EQ(Box->Items()->Strings(0), "Video (\"avi\")");
    EXPECT_EQ(Box->Mask(), "*.avi;*.mpg");
}

TEST_F(FilterComboBox, EmptyFilterOrEmptyMaskGivesEveryName)
{
    MakeBox("");
    EXPECT_EQ(Box->Items()->Count(), 0);
    EXPECT_EQ(Box->Mask(), "*.*");
    Box->SetFilter("Nothing|");
    EXPECT_EQ(Box->Items()->Count(), 1);
    EXPECT_EQ(Box->Mask(), "*.*");
}

TEST_F(FilterComboBox, MaskWithNothingChosenChoosesTheLastItem)
{
    MakeBox("A|*.a|B|*.b");
    Box->SetItemIndex(-1);
    EXPECT_EQ(Box->Mask(), "*.b");
    EXPECT_EQ(Box->ItemIndex(), 1);
}

TEST_F(FilterComboBox, FilterDifferingOnlyInCaseIsApplied)
{
    MakeBox("text|*.txt");
    Box->SetFilter("TEXT|*.txt");
    EXPECT_EQ(Box->Items()->Strings(0), "TEXT");
}

TEST_F(FilterComboBox, ChosenMaskGoesToLinkedFileListUntilItIsFreed)
{
    MakeBox("Text|*.txt|Video|*.avi");
    auto* list = new TskSkinFileListBox(Form);
    list->SetParent(Form);
    Box->SetFileList(list);
    EXPECT_EQ(list->Mask(), "*.txt");
    Box->SetItemIndex(1);
    EXPECT_EQ(list->Mask(), "*.avi");
    list->Free();
    EXPECT_EQ(Box->FileList(), nullptr);
    Box->SetItemIndex(0);
    EXPECT_EQ(Box->Mask(), "*.txt");
}

TEST_F(FilterComboBox, ReadFromForm)
{
    TForm form(nullptr);
    ReadComponentFromText(&form, R"(object F: TForm
  object filter: TskSkinFilterComboBox
    Width = 150
    Filter = 'Clips|*.avi|All|*.*'
  end
end
)");
    auto* box = dynamic_cast<TskSkinFilterComboBox*>(form.FindComponent("filter"));
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->Filter(), "Clips|*.avi|All|*.*");
    box->BuildList();
    EXPECT_EQ(box->Items()->Count(), 2);
    EXPECT_EQ(box->Mask(), "*.avi");
}
