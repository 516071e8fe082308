// The owner-drawn list box: item measuring and the widest-item extent, its string events, moves,
// drag and drop, and its colours on screen.
#include "process/TOxListBox.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/THeadlessDriver.h"
#include "platform/vcl/ScrollInfo.h"
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

namespace {

// How many pixels of a client band differ from the list's colour: text drawn there.
int InkIn(THeadlessDriver& Driver, TOxListBox* List, HWND Window, TRect Band)
{
    const TPoint origin = List->ClientOrigin();
    const TPixel paper = ColorToPixel(List->Color()) & 0xFFFFFF;
    int ink = 0;
    for (int y = Band.Top; y < Band.Bottom; ++y)
        for (int x = Band.Left; x < Band.Right; ++x)
            if ((Driver.PixelAt(Window, origin.X + x, origin.Y + y) & 0xFFFFFF) != paper)
                ++ink;
    return ink;
}

} // namespace

TEST_F(ListBoxTest, MultiLineItemsAreAsTallAsTheirWrappedText)
{
    List->SetScrollBars(ssVertical);
    List->SetMultiLine(true);
    List->SetShowFocusRect(false);
    List->Items()->Add("short");
    std::string longer;
    for (int i = 0; i < 12; ++i)
        longer += "wrapped words ";
    List->Items()->Add(longer);
    List->Items()->Add("last");
    const int one = List->ItemHeight();
    EXPECT_EQ(List->ItemHeightOf(0), one);
    const int tall = List->ItemHeightOf(1);
    EXPECT_EQ(tall, List->MeasureString(List->Items()->Strings(1), List->ClientWidth()).cy);
    EXPECT_GE(tall, 3 * (one - 2)); // three lines or more
    // Rows lie one below the other, each as tall as its own text.
    EXPECT_EQ(List->ItemRect(1), Rect(0, one, List->ClientWidth(), one + tall));
    EXPECT_EQ(List->ItemAtPos({5, one + tall - 1}, true), 1);
    EXPECT_EQ(List->ItemAtPos({5, one + tall}, true), 2);

    Form.Show();
    Driver.ProcessMessages();
    Driver.SaveWindow(Form.Handle(), "TOxListBoxMultiLine", OMBRIX_TEST_PICTURES);
    // The wrapped item's later lines are drawn inside its own row.
    EXPECT_GT(InkIn(Driver, List, Form.Handle(), Rect(0, one + tall - (one - 2), 100, one + tall)), 0);
}

TEST_F(ListBoxTest, TheHorizontalRangeIsTheWidestItemAndScrollingMovesTheRows)
{
    List->SetShowFocusRect(false);
    List->Items()->Add(std::string(60, 'W'));
    List->Items()->Add("I");
    const int extent = List->MaxWidth();
    EXPECT_GT(extent, List->ClientWidth());
    EXPECT_EQ(List->ScrollWidth(), extent);
    Form.Show();
    Driver.ProcessMessages();
    const HWND h = Form.Handle();
    const int row = List->ItemRect(1).Top;
    ASSERT_GT(InkIn(Driver, List, h, Rect(0, row, 12, row + List->ItemHeight())), 0);

    List->Perform(WM_HSCROLL, SB_THUMBPOSITION | (100 << 16), 0);
    SCROLLINFO si;
    si.fMask = SIF_ALL;
    ASSERT_TRUE(GetScrollInfo(List->Handle(), SB_HORZ, si));
    EXPECT_EQ(si.nMax, extent - 1);
    EXPECT_EQ(si.nPage, static_cast<UINT>(List->ClientWidth()));
    EXPECT_EQ(si.nPos, 100);
    Driver.ProcessMessages();
    Driver.SaveWindow(h, "TOxListBoxScrolledSideways", OMBRIX_TEST_PICTURES);
    // The short item has moved out to the left.
    EXPECT_EQ(InkIn(Driver, List, h, Rect(0, row, 12, row + List->ItemHeight())), 0);

    // A scroll event may refuse the scroll.
    List->OnHorizontalScroll = [](TObject*, const TMessage&, bool& DontScroll) { DontScroll = true; };
    List->Perform(WM_HSCROLL, SB_LEFT, 0);
    EXPECT_EQ(GetScrollPos(List->Handle(), SB_HORZ), 100);
}

TEST_F(ListBoxTest, ABackgroundPictureScrollsSidewaysWithTheItems)
{
    TBitmap picture;
    picture.SetSize(8, 8);
    List->Background()->SetImage(&picture);
    List->Background()->SetVisible(true);
    List->Items()->Add(std::string(60, 'W'));
    Form.Show();
    Driver.ProcessMessages();
    List->Perform(WM_HSCROLL, SB_THUMBPOSITION | (40 << 16), 0);
    EXPECT_EQ(GetScrollPos(List->Handle(), SB_HORZ), 40);
    EXPECT_EQ(List->HorzOffset(), 40);
    List->Perform(WM_HSCROLL, SB_LEFT, 0);
    EXPECT_EQ(List->HorzOffset(), 0);
}

TEST_F(ListBoxTest, AFontChangeRemeasuresTheItemsAndTheExtent)
{
    List->SetAlignment(taCenter); // owner-drawn: items are a line of the font plus 2
    List->Items()->Add("some text");
    const int height = List->ItemHeight();
    const int width = List->MaxWidth();
    List->Font()->SetSize(List->Font()->Size() * 2);
    EXPECT_GT(List->ItemHeight(), height);
    EXPECT_GT(List->MaxWidth(), width);
    EXPECT_EQ(List->ItemHeight(), GetTextHeight(List->Canvas()) + 2);
    EXPECT_EQ(List->ScrollWidth(), List->MaxWidth());
}
