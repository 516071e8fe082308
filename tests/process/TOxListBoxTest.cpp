// The owner-drawn list box: item measuring and the widest-item extent, its string events, moves,
// drag and drop, and its colours on screen.
#include "process/TOxListBox.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/backend/THeadlessDriver.h"
#include "platform/vcl/TForm.h"

namespace {

struct ListBoxTest : ::testing::Test {
    THeadlessDriver Driver;
    TForm Form{nullptr};
    TOxListBox* List = nullptr;

    void SetUp() override
    {
        Form.SetBorderStyle(bsNone);
        Form.SetBounds(0, 0, 300, 200);
        List = new TOxListBox(&Form);
        List->SetParent(&Form);
        List->SetBounds(0, 0, 200, 150);
    }
    std::vector<std::string> Lines() const
    {
        std::vector<std::string> out;
        for (int i = 0; i < List->Items()->Count(); ++i)
            out.push_back(List->Items()->Strings(i));
        return out;
    }
};

} // namespace

TEST_F(ListBoxTest, MultiLineDropsTheHorizontalBarAndItsExtent)
{
    List->Items()->Add("a rather long line of text");
    EXPECT_GT(List->MaxWidth(), 0);
    List->SetMultiLine(true);
    EXPECT_EQ(List->ScrollBars(), ssVertical);
    EXPECT_EQ(List->MaxWidth(), 0);
    EXPECT_EQ(List->Style(), lbOwnerDrawVariable);
}

TEST_F(ListBoxTest, MeasuredHeightsStayBetweenOneItemAnd255)
{
    List->SetAlignment(taCenter); // owner-drawn: the item height is the font's line plus 2
    const int item = List->ItemHeight();
    EXPECT_EQ(List->MeasureString("x", 0).cy, item);
    std::string tall;
    for (int i = 0; i < 40; ++i)
        tall += "line\n";
    EXPECT_EQ(List->MeasureString(tall, 0).cy, 255);
}

TEST_F(ListBoxTest, TheExtentFollowsTheWidestItem)
{
    List->Items()->Add("short");
    List->Items()->Add("the widest line of them all");
    List->Items()->Add("middle line");
    const int widest = List->MaxWidth();
    List->Items()->Delete(0);
    EXPECT_EQ(List->MaxWidth(), widest);
    List->Items()->Delete(0);
    EXPECT_LT(List->MaxWidth(), widest);
    EXPECT_EQ(List->MaxWidth(), List->MeasureString("middle line", 0).cx);
    List->Items()->Clear();
    EXPECT_EQ(List->MaxWidth(), 0);
}

TEST_F(ListBoxTest, AppendsAndDeletesAreReportedWithTheirText)
{
    std::vector<std::string> events;
    List->OnAddString = [&](TObject*, const std::string& S) { events.push_back("add " + S); };
    List->OnDeleteString = [&](TObject*, const std::string& S) { events.push_back("delete " + S); };
    List->OnChange = [&](TObject*) { events.push_back("change"); };
    List->Items()->Add("one");
    List->Items()->Add("two");
    List->Items()->Insert(0, "zero"); // not an append
    List->Items()->Delete(1);
    EXPECT_EQ(events, (std::vector<std::string>{"add one", "change", "add two", "change", "delete one", "change"}));
}

TEST_F(ListBoxTest, MovesAndDeletesOfTheSelection)
{
    for (const char* s : {"a", "b", "c"})
        List->Items()->Add(s);
    List->SetItemIndex(0);
    List->MoveSelectedUp();
    EXPECT_EQ(Lines(), (std::vector<std::string>{"a", "b", "c"}));
    List->SetItemIndex(1);
    List->MoveSelectedUp();
    EXPECT_EQ(Lines(), (std::vector<std::string>{"b", "a", "c"}));
    EXPECT_EQ(List->ItemIndex(), 0);
    List->MoveSelectedDown();
    List->MoveSelectedDown();
    EXPECT_EQ(Lines(), (std::vector<std::string>{"a", "c", "b"}));
    EXPECT_EQ(List->ItemIndex(), 2);
    List->DeleteSelected();
    EXPECT_EQ(Lines(), (std::vector<std::string>{"a", "c"}));
    EXPECT_EQ(List->ItemIndex(), 1);

    List->SetMultiSelect(true);
    List->SetSelected(0, true);
    List->SetSelected(1, true);
    List->DeleteSelected();
    EXPECT_TRUE(Lines().empty());
}

TEST_F(ListBoxTest, DropsLandBeforeTheRowBelow_AtTheRowAbove_OrAtTheEnd)
{
    for (const char* s : {"a", "b", "c", "d"})
        List->Items()->Add(s);
    const int h = List->ItemHeight();
    List->SetItemIndex(0);
    List->DefaultStartDrag();
    ASSERT_EQ(List->DragIndex(), 0);
    ASSERT_NE(List->DragImage(), nullptr);
    List->DefaultDragDrop(List, 5, 2 * h + 1); // on "c"
    EXPECT_EQ(Lines(), (std::vector<std::string>{"b", "a", "c", "d"}));

    List->SetItemIndex(3);
    List->DefaultStartDrag();
    List->DefaultDragDrop(List, 5, h + 1); // on "a"
    EXPECT_EQ(Lines(), (std::vector<std::string>{"b", "d", "a", "c"}));

    List->SetItemIndex(0);
    List->DefaultStartDrag();
    List->DefaultDragDrop(List, 5, 140); // below the last row
    EXPECT_EQ(Lines(), (std::vector<std::string>{"d", "a", "c", "b"}));
    EXPECT_FALSE(List->DefaultDragOver(&Form, 5, 50)); // only its own items
}

TEST_F(ListBoxTest, SelectionColoursAndAnEmptyBackgroundPicture)
{
    List->Background()->SetVisible(true); // no picture: nothing of it is drawn
    EXPECT_FALSE(List->Background()->DoDraw());
    List->SetSelectedColor(clRed);
    List->SetShowFocusRect(false);
    List->Items()->Add("first");
    List->Items()->Add("second");
    List->SetItemIndex(1);
    Form.Show();
    Driver.ProcessMessages();
    const HWND h = Form.Handle();
    Driver.SaveWindow(h, "TOxListBoxSelection", OMBRIX_TEST_PICTURES);
    const int y = List->ItemRect(1).Top + 1;
    const TPoint origin = List->ClientOrigin();
    EXPECT_EQ(Driver.PixelAt(h, origin.X + 150, origin.Y + y) & 0xFFFFFF, ColorToPixel(clRed) & 0xFFFFFF);
    EXPECT_EQ(Driver.PixelAt(h, origin.X + 150, origin.Y + List->ItemRect(0).Top + 1) & 0xFFFFFF,
              ColorToPixel(clWindow) & 0xFFFFFF);
}
