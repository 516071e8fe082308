#include "platform/vcl/TCustomListBox.h"

#include <gtest/gtest.h>

#include "tests/support/THeadlessDriver.h"
#include "platform/rtl/Strings.h"
#include "platform/vcl/ScrollInfo.h"
#include "platform/vcl/TForm.h"

namespace {

struct ListFixture : ::testing::Test {
    THeadlessDriver Driver;
    TForm* Form = nullptr;
    TListBox* List = nullptr;
    int Clicks = 0;
    void SetUp() override
    {
        Form = new TForm(nullptr);
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(0, 0, 300, 300);
        List = new TListBox(Form);
        List->SetParent(Form);
        List->SetStyle(lbOwnerDrawFixed);
        List->SetItemHeight(20);
        List->SetBorderStyleValue(0);
        List->SetBounds(10, 10, 150, 100); // five rows
        for (int i = 0; i < 20; ++i) List->Items()->Add("item " + IntToStr(i));
        List->OnClick = [this](TObject*) { ++Clicks; };
        Form->Show();
        Driver.ProcessMessages();
        List->SetFocus();
        Driver.ProcessMessages();
    }
    void TearDown() override { Form->Free(); }
    TPoint ItemPoint(int index)
    {
        TRect r = List->ItemRect(index);
        return List->ClientToScreen({r.Left + 5, r.Top + 5});
    }
    int VPos()
    {
        SCROLLINFO si;
        si.fMask = SIF_ALL;
        GetScrollInfo(List->Handle(), SB_VERT, si);
        return si.nPos;
    }
};

} // namespace

using TCustomListBoxKeys = ListFixture;

TEST_F(TCustomListBoxKeys, ArrowsMoveTheSelectionAndScrollItIntoView)
{
    Driver.Press(VK_DOWN);
    EXPECT_EQ(List->ItemIndex(), 0);
    for (int i = 0; i < 6; ++i) Driver.Press(VK_DOWN);
    EXPECT_EQ(List->ItemIndex(), 6);
    EXPECT_EQ(List->TopIndex(), 2);
    EXPECT_EQ(VPos(), 2);
    Driver.Press(VK_END);
    EXPECT_EQ(List->ItemIndex(), 19);
    EXPECT_EQ(List->TopIndex(), 15);
    Driver.Press(VK_PRIOR);
    EXPECT_EQ(List->ItemIndex(), 15);
    Driver.Press(VK_HOME);
    EXPECT_EQ(List->TopIndex(), 0);
    EXPECT_EQ(Clicks, 10);
    Driver.Press(VK_HOME); // no change, no click
    EXPECT_EQ(Clicks, 10);
}

TEST_F(TCustomListBoxKeys, TypingALetterFindsTheNextItemStartingWithIt)
{
    List->Items()->Strings(0);
    List->Items()->Insert(3, "zebra");
    Driver.Type("z");
    EXPECT_EQ(List->ItemIndex(), 3);
}

TEST_F(TCustomListBoxKeys, ExtendedSelectionWithShift)
{
    List->SetMultiSelect(true);
    List->SetItemIndex(2);
    Driver.Press(VK_DOWN);
    Driver.Press(VK_DOWN, true);
    Driver.Press(VK_DOWN, true);
    EXPECT_EQ(List->SelCount(), 3);
    EXPECT_TRUE(List->Selected(3));
    EXPECT_TRUE(List->Selected(5));
    EXPECT_FALSE(List->Selected(2));
}

using TCustomListBoxMouse = ListFixture;

TEST_F(TCustomListBoxMouse, ClickSelectsAndCtrlClickAddsInMultiSelect)
{
    Driver.Click(ItemPoint(3));
    EXPECT_EQ(List->ItemIndex(), 3);
    EXPECT_EQ(Clicks, 1);
    List->SetMultiSelect(true);
    Driver.Click(ItemPoint(1));
    Driver.KeyDown(VK_CONTROL);
    Driver.Click(ItemPoint(4));
    Driver.KeyUp(VK_CONTROL);
    EXPECT_TRUE(List->Selected(1));
    EXPECT_TRUE(List->Selected(4));
    EXPECT_EQ(List->SelCount(), 2);
    Driver.KeyDown(VK_SHIFT);
    Driver.Click(ItemPoint(2));
    Driver.KeyUp(VK_SHIFT);
    EXPECT_EQ(List->SelCount(), 3); // 2..4 from the anchor at 4
}

TEST_F(TCustomListBoxMouse, DraggingBelowTheListScrollsIt)
{
    const TPoint from = ItemPoint(1);
    const TPoint below = List->ClientToScreen({20, 130});
    Driver.MoveTo(from);
    Driver.ButtonDown();
    for (int i = 0; i < 3; ++i) {
        Driver.MoveTo({below.X, below.Y + i});
    }
    Driver.ButtonUp();
    EXPECT_GT(List->TopIndex(), 0);
    EXPECT_EQ(List->ItemIndex(), List->TopIndex() + 4);
}

TEST_F(TCustomListBoxMouse, WheelAndScrollMessagesMoveTheTopIndex)
{
    List->Perform(WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(List->TopIndex(), 1);
    List->Perform(WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_EQ(List->TopIndex(), 5);
    List->Perform(WM_VSCROLL, MAKELPARAM(SB_THUMBPOSITION, 40), 0);
    EXPECT_EQ(List->TopIndex(), 15); // at most the last page
    EXPECT_EQ(VPos(), 15);
    List->Perform(WM_VSCROLL, SB_TOP, 0);
    EXPECT_EQ(List->TopIndex(), 0);
    EXPECT_EQ(List->ItemAtPos({5, 45}, true), 2);
    EXPECT_EQ(List->ItemRect(2), Rect(0, 40, 150, 60));
}

using TCustomListBoxItems = ListFixture;

TEST_F(TCustomListBoxItems, SelectionFollowsItsItemThroughInsertAndDelete)
{
    List->SetItemIndex(5);
    List->Items()->Insert(0, "new");
    EXPECT_EQ(List->ItemIndex(), 6);
    List->Items()->Delete(0);
    EXPECT_EQ(List->ItemIndex(), 5);
    List->Items()->Delete(5);
    EXPECT_EQ(List->ItemIndex(), -1);
    List->Clear();
    EXPECT_EQ(List->Count(), 0);
    EXPECT_EQ(List->TopIndex(), 0);
    SCROLLINFO si;
    si.fMask = SIF_RANGE;
    GetScrollInfo(List->Handle(), SB_VERT, si);
    EXPECT_EQ(si.nMax, 0);
}

TEST_F(TCustomListBoxItems, SortedItemsGoToTheirPlace)
{
    List->Clear();
    List->SetSorted(true);
    List->Items()->Add("pear");
    List->Items()->Add("apple");
    List->Items()->Add("fig");
    EXPECT_EQ(List->Items()->Strings(0), "apple");
    EXPECT_EQ(List->Items()->Strings(2), "pear");
    EXPECT_THROW(List->Items()->Insert(0, "x"), EListError);
}

TEST_F(TCustomListBoxItems, OwnerDrawReceivesEveryVisibleItem)
{
    std::vector<int> drawn;
    List->OnDrawItem = [&](TWinControl*, int index, TRect, TOwnerDrawState) { drawn.push_back(index); };
    List->SetTopIndex(3);
    List->Repaint();
    Driver.ProcessMessages();
    ASSERT_FALSE(drawn.empty());
    EXPECT_EQ(drawn.front(), 3);
    EXPECT_EQ(drawn.back(), 7);
}

TEST_F(TCustomListBoxItems, ColumnsFlowDownThenAcross)
{
    List->SetColumns(2);
    EXPECT_EQ(List->ItemRect(5), Rect(75, 0, 150, 20));
    List->Perform(WM_HSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(List->TopIndex(), 5);
}

using TCustomListBoxVariable = ListFixture;

TEST_F(TCustomListBoxVariable, EachItemHasItsOwnHeightWhereHeightsVary)
{
    List->Items()->Clear();
    List->OnMeasureItem = [](TWinControl*, int Index, int& Height) { Height = Index % 2 == 0 ? 10 : 30; };
    List->SetStyle(lbOwnerDrawVariable);
    for (int i = 0; i < 6; ++i) List->Items()->Add("v" + IntToStr(i));
    EXPECT_EQ(List->ItemRect(1), Rect(0, 10, List->ClientWidth(), 40));
    EXPECT_EQ(List->ItemRect(2), Rect(0, 40, List->ClientWidth(), 50));
    EXPECT_EQ(List->ItemAtPos({5, 45}, true), 2);
    EXPECT_EQ(List->VisibleRows(), 5); // 10 + 30 + 10 + 30 + 10 of the 100 pixels
    List->Perform(LB_SETITEMHEIGHT, 2, 25);
    EXPECT_EQ(List->Perform(LB_GETITEMHEIGHT, 2, 0), 25);
    EXPECT_EQ(List->ItemRect(3).Top, 65);
    // Scrolled to the end, the last items fill the window from below.
    List->Perform(WM_VSCROLL, SB_BOTTOM, 0);
    EXPECT_EQ(List->TopIndex(), 2); // 25 + 30 + 10 + 30 fit, 30 more would not
}

TEST_F(TCustomListBoxVariable, AnExtentWiderThanTheWindowScrollsSideways)
{
    List->Perform(LB_SETHORIZONTALEXTENT, 400, 0);
    SCROLLINFO si;
    si.fMask = SIF_ALL;
    ASSERT_TRUE(GetScrollInfo(List->Handle(), SB_HORZ, si));
    EXPECT_EQ(si.nMax, 399);
    const int page = List->ClientWidth();
    EXPECT_EQ(si.nPage, static_cast<UINT>(page));
    List->Perform(WM_HSCROLL, SB_PAGERIGHT, 0);
    EXPECT_EQ(GetScrollPos(List->Handle(), SB_HORZ), page);
    List->Perform(WM_HSCROLL, SB_RIGHT, 0);
    EXPECT_EQ(GetScrollPos(List->Handle(), SB_HORZ), 400 - page);
    List->Perform(LB_SETHORIZONTALEXTENT, page + 50, 0); // a narrower extent pulls the position back
    EXPECT_EQ(GetScrollPos(List->Handle(), SB_HORZ), 50);
}

TEST_F(TCustomListBoxVariable, TextAndFindMessages)
{
    char text[16] = {};
    EXPECT_EQ(List->Perform(LB_GETTEXT, 12, reinterpret_cast<LPARAM>(text)), 7);
    EXPECT_STREQ(text, "item 12");
    EXPECT_EQ(List->Perform(LB_GETTEXTLEN, 20, 0), LB_ERR);
    EXPECT_EQ(List->Perform(LB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("ITEM 1")), 1);
    EXPECT_EQ(List->Perform(LB_FINDSTRING, 1, reinterpret_cast<LPARAM>("item 1")), 10);
    EXPECT_EQ(List->Perform(LB_FINDSTRINGEXACT, 19, reinterpret_cast<LPARAM>("Item 3")), 3); // round past the end
    EXPECT_EQ(List->Perform(LB_FINDSTRINGEXACT, 0, reinterpret_cast<LPARAM>("item")), LB_ERR);
    EXPECT_EQ(List->Perform(LB_SELECTSTRING, 5, reinterpret_cast<LPARAM>("item 1")), 10);
    EXPECT_EQ(List->ItemIndex(), 10);
}
