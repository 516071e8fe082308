#include "platform/vcl/TCustomListView.h"

#include <gtest/gtest.h>

#include "tests/support/THeadlessDriver.h"
#include "platform/rtl/Strings.h"
#include "platform/vcl/TBitmap.h"
#include "platform/vcl/TCustomImageList.h"
#include "platform/vcl/TForm.h"
#include "platform/win/Input.h"

namespace {

struct ListViewFixture : ::testing::Test {
    THeadlessDriver Driver;
    TForm* Form = nullptr;
    TListView* View = nullptr;
    void SetUp() override
    {
        Form = new TForm(nullptr);
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(0, 0, 400, 300);
        View = new TListView(Form);
        View->SetParent(Form);
        View->SetBounds(10, 10, 200, 120);
        View->SetViewStyle(vsReport);
        for (const char* c : {"Name", "Size"}) {
            TListColumn* col = View->Columns()->Add();
            col->SetCaption(c);
            col->SetWidth(90);
        }
        Form->Show();
        Driver.ProcessMessages();
    }
    void TearDown() override { Form->Free(); }
    void AddRows(int n)
    {
        for (int i = 0; i < n; ++i) {
            TListItem* it = View->Items()->Add();
            it->SetCaption("row " + IntToStr(i));
            it->SubItems()->Add(IntToStr(i * 10));
        }
    }
    SCROLLINFO Info(int bar)
    {
        SCROLLINFO si;
        si.fMask = SIF_ALL;
        GetScrollInfo(View->Handle(), bar, si);
        return si;
    }
};

} // namespace

using TCustomListViewHeader = ListViewFixture;

TEST_F(TCustomListViewHeader, AReportViewMakesAHeaderChildThatAnswersSectionQueries)
{
    HWND h = View->HeaderHandle();
    ASSERT_NE(h, 0);
    EXPECT_EQ(GetClassName(h), "SysHeader32");
    EXPECT_EQ(SendMessage(h, HDM_GETITEMCOUNT, 0, 0), 2);
    TRect r;
    SendMessage(h, HDM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&r));
    EXPECT_EQ(r.Left, 90);
    EXPECT_EQ(r.Right, 180);
    int order[2] = {-1, -1};
    SendMessage(h, HDM_GETORDERARRAY, 2, reinterpret_cast<LPARAM>(order));
    EXPECT_EQ(order[0], 0);
    EXPECT_EQ(order[1], 1);
}

TEST_F(TCustomListViewHeader, HidingTheHeadersOrLeavingTheReportStyleRemovesIt)
{
    View->SetShowColumnHeaders(false);
    EXPECT_EQ(View->HeaderHandle(), 0);
    View->SetShowColumnHeaders(true);
    EXPECT_NE(View->HeaderHandle(), 0);
    View->SetViewStyle(vsList);
    EXPECT_EQ(View->HeaderHandle(), 0);
}

TEST_F(TCustomListViewHeader, TheParentHearsOfTheNewHeaderWindow)
{
    HWND created = 0;
    View->SetShowColumnHeaders(false);
    // The same news a subclassing owner listens for.
    LONG_PTR inst = MakeObjectInstance([&](HWND, UINT m, WPARAM w, LPARAM l) -> LRESULT {
        if (m == WM_PARENTNOTIFY && LOWORD(w) == WM_CREATE) created = static_cast<HWND>(l);
        return 0;
    });
    LONG_PTR old = SetWindowLongPtr(View->Handle(), GWLP_WNDPROC, inst);
    View->SetShowColumnHeaders(true);
    SetWindowLongPtr(View->Handle(), GWLP_WNDPROC, old);
    FreeObjectInstance(inst);
    EXPECT_EQ(created, View->HeaderHandle());
}

TEST_F(TCustomListViewHeader, PressAndReleaseOnASectionIsAColumnClick)
{
    TListColumn* clicked = nullptr;
    View->OnColumnClick = [&](TObject*, TListColumn* c) { clicked = c; };
    HWND h = View->HeaderHandle();
    SendMessage(h, WM_LBUTTONDOWN, 0, MAKELPARAM(120, 5));
    SendMessage(h, WM_LBUTTONUP, 0, MAKELPARAM(120, 5));
    EXPECT_EQ(clicked, View->Columns()->Items(1));
    clicked = nullptr;
    SendMessage(h, WM_LBUTTONDOWN, 0, MAKELPARAM(20, 5));
    SendMessage(h, WM_LBUTTONUP, 0, MAKELPARAM(120, 5));
    EXPECT_EQ(clicked, nullptr);
}

using TCustomListViewItems = ListViewFixture;

TEST_F(TCustomListViewItems, RowsSitBelowTheHeaderAndCountPerPageCountsWholeRows)
{
    AddRows(3);
    const TRect r = View->ItemRect(0);
    EXPECT_EQ(r.Top, View->HeaderHeight());
    EXPECT_EQ(View->Perform(LVM_GETITEMCOUNT, 0, 0), 3);
    EXPECT_EQ(View->CountPerPage(), (View->ClientHeight() - View->HeaderHeight()) / View->ItemHeight());
    EXPECT_EQ(View->ItemAt(5, r.Top + 1), 0);
    EXPECT_EQ(View->ItemAt(5, 1), -1);
}

TEST_F(TCustomListViewItems, OwnerDataAsksForEachRowAndKeepsOnlyTheCount)
{
    View->SetOwnerData(true);
    View->OnData = [](TObject*, TListItem* item) { item->SetCaption("virtual " + IntToStr(item->Index())); };
    View->Items()->SetCount(1000);
    EXPECT_EQ(View->Items()->Count(), 1000);
    EXPECT_EQ(View->Items()->Item(999)->Caption(), "virtual 999");
    EXPECT_EQ(View->Items()->Item(1000), nullptr);
    EXPECT_THROW(View->Items()->Add(), EListError);
}

TEST_F(TCustomListViewItems, CustomSortKeepsTheSelectionWithItsRow)
{
    AddRows(5);
    View->SetItemIndex(1);
    View->CustomSort([](TListItem* a, TListItem* b) { return b->Caption().compare(a->Caption()); });
    EXPECT_EQ(View->Items()->Item(0)->Caption(), "row 4");
    ASSERT_NE(View->Selected(), nullptr);
    EXPECT_EQ(View->Selected()->Caption(), "row 1");
    EXPECT_EQ(View->ItemIndex(), 3);
}

TEST_F(TCustomListViewItems, DeletingTheSelectedRowLeavesNoSelection)
{
    AddRows(3);
    View->SetItemIndex(2);
    View->Items()->Delete(2);
    EXPECT_EQ(View->Selected(), nullptr);
    EXPECT_EQ(View->SelCount(), 0);
}

using TCustomListViewSelection = ListViewFixture;

TEST_F(TCustomListViewSelection, ShiftExtendsAMultipleSelectionFromTheAnchor)
{
    AddRows(6);
    View->SetMultiSelect(true);
    View->SetFocus();
    Driver.ProcessMessages();
    Driver.Click(View->ClientToScreen({10, View->ItemRect(1).Top + 2}));
    Driver.Press(VK_DOWN, true);
    Driver.Press(VK_DOWN, true);
    EXPECT_EQ(View->SelCount(), 3);
    EXPECT_TRUE(View->Items()->Item(3)->Selected());
    Driver.Press(VK_HOME);
    EXPECT_EQ(View->SelCount(), 1);
}

TEST_F(TCustomListViewSelection, SingleSelectionReportsDeselectThenSelect)
{
    AddRows(3);
    std::vector<std::string> events;
    View->OnSelectItem = [&](TObject*, TListItem* it, bool s) { events.push_back(it->Caption() + (s ? "+" : "-")); };
    View->SetItemIndex(0);
    View->SetItemIndex(2);
    EXPECT_EQ(events, (std::vector<std::string>{"row 0+", "row 0-", "row 2+"}));
}

using TCustomListViewScrolling = ListViewFixture;

TEST_F(TCustomListViewScrolling, ReportRowsScrollVerticallyAndColumnsInPixels)
{
    AddRows(30);
    SCROLLINFO v = Info(SB_VERT);
    EXPECT_EQ(v.nMax, 29);
    EXPECT_EQ(static_cast<int>(v.nPage), View->CountPerPage());
    View->Scroll(0, 3 * View->ItemHeight());
    EXPECT_EQ(View->TopIndex(), 3);
    EXPECT_EQ(Info(SB_VERT).nPos, 3);
    EXPECT_EQ(Info(SB_HORZ).nMax, 179); // fits: nothing to scroll sideways
    View->Columns()->Items(1)->SetWidth(200);
    EXPECT_EQ(Info(SB_HORZ).nMax, 289);
    View->Perform(WM_HSCROLL, SB_LINERIGHT, 0);
    EXPECT_EQ(Info(SB_HORZ).nPos, 10);
    TRect hr;
    GetWindowRect(View->HeaderHandle(), hr);
    EXPECT_EQ(View->ScreenToClient({hr.Left, hr.Top}).X, -10);
}

TEST_F(TCustomListViewScrolling, ListStyleScrollsByColumns)
{
    View->SetViewStyle(vsList);
    AddRows(40);
    const int rows = View->ClientHeight() / View->ItemHeight();
    EXPECT_EQ(Info(SB_HORZ).nMax, (40 + rows - 1) / rows - 1);
    View->Perform(WM_HSCROLL, SB_LINERIGHT, 0);
    EXPECT_EQ(View->TopIndex(), rows);
    TRect r;
    View->Perform(LVM_GETITEMRECT, static_cast<WPARAM>(rows), reinterpret_cast<LPARAM>(&r));
    EXPECT_EQ(r.Left, 0);
}

TEST_F(TCustomListViewScrolling, LargeIconsLieInLinesOfCells_ScrolledUpAndDownByPixels)
{
    TCustomImageList images(nullptr);
    images.SetWidth(32);
    images.SetHeight(32);
    TBitmap picture(32, 32);
    picture.Canvas()->Brush()->SetColor(clRed);
    picture.Canvas()->FillRect(Rect(0, 0, 32, 32));
    images.Add(&picture, nullptr);
    View->SetLargeImages(&images);
    View->SetViewStyle(vsIcon);
    AddRows(9);
    for (int i = 0; i < 9; ++i)
        View->Items()->Item(i)->SetImageIndex(0);
    Driver.ProcessMessages();
    // 76 pixels a cell: two in a line of 200; a cell holds the picture and two lines of caption.
    const int h = View->ItemRect(0).Height();
    EXPECT_EQ(View->ItemRect(0), Rect(0, 0, 76, h));
    EXPECT_EQ(View->ItemRect(1), Rect(76, 0, 152, h));
    EXPECT_EQ(View->ItemRect(2), Rect(0, h, 76, 2 * h));
    EXPECT_EQ(View->ItemAt(80, 5), 1);
    EXPECT_EQ(View->ItemAt(160, 5), -1);
    EXPECT_EQ(View->ItemAt(5, h + 1), 2);
    // The picture centred at the top of its cell.
    EXPECT_EQ(Driver.PixelAt(Form->Handle(), 10 + 76 + 38, 10 + 2 + 16) & 0x00FFFFFF, ColorToPixel(clRed) & 0x00FFFFFF);
    Driver.SaveWindow(Form->Handle(), "ListViewLargeIcons", OMBRIX_TEST_PICTURES);
    EXPECT_EQ(Info(SB_VERT).nMax, 5 * h - 1);
    EXPECT_EQ(static_cast<int>(Info(SB_VERT).nPage), View->ClientHeight());
    // Down goes a line, Right an item; the last one is scrolled into view.
    View->SetFocus();
    View->SetItemIndex(0);
    Driver.Press(VK_DOWN);
    Driver.ProcessMessages();
    EXPECT_EQ(View->ItemIndex(), 2);
    Driver.Press(VK_RIGHT);
    Driver.ProcessMessages();
    EXPECT_EQ(View->ItemIndex(), 3);
    Driver.Press(VK_END);
    Driver.ProcessMessages();
    EXPECT_EQ(View->ItemIndex(), 8);
    EXPECT_EQ(Info(SB_VERT).nPos, 5 * h - View->ClientHeight());
    EXPECT_EQ(View->ItemRect(8).Bottom, View->ClientHeight());
    View->Perform(WM_VSCROLL, SB_TOP, 0);
    EXPECT_EQ(View->ItemRect(0).Top, 0);
    View->SetLargeImages(nullptr);
}
