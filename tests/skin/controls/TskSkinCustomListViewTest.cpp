#include "skin/controls/TskSkinCustomListView.h"

#include "TreeListViewTestSkin.h"
#include "platform/rtl/Strings.h"

using namespace skintest;

namespace {

struct SkinListFixture : TreeListFormTest {
    TskSkinCustomListView* View = nullptr;
    TskSkinScrollBar* VBar = nullptr;
    TskSkinScrollBar* HBar = nullptr;
    void Build(bool skinned, TViewStyle style = vsReport)
    {
        View = new TskSkinCustomListView(Form);
        View->SetParent(Form);
        View->SetBounds(10, 10, 200, 120);
        View->SetViewStyle(style);
        if (skinned) {
            View->SetSkinData(Skin());
            View->SetHeaderSkinDataName("button");
        }
        for (const char* c : {"Name", "Size"}) {
            TListColumn* col = View->Columns()->Add();
            col->SetCaption(c);
            col->SetWidth(80);
        }
        VBar = new TskSkinScrollBar(Form);
        VBar->SetParent(Form);
        VBar->SetKind(sbVertical);
        VBar->SetBounds(210, 10, 16, 120);
        HBar = new TskSkinScrollBar(Form);
        HBar->SetParent(Form);
        HBar->SetBounds(10, 130, 200, 16);
        View->SetVScrollBar(VBar);
        View->SetHScrollBar(HBar);
        ShowForm();
    }
    void AddRows(int n)
    {
        for (int i = 0; i < n; ++i) View->Items()->Add()->SetCaption("row " + IntToStr(i));
        View->UpdateScrollBars();
    }
};

} // namespace

using TskSkinCustomListViewHeader = SkinListFixture;

TEST_F(TskSkinCustomListViewHeader, TheNewHeaderWindowIsHooked)
{
    Build(true);
    ASSERT_NE(View->HeaderHandle(), 0);
    EXPECT_EQ(View->HookedHeader(), View->HeaderHandle());
}

TEST_F(TskSkinCustomListViewHeader, HidingTheHeadersUnhooksAndARecreatedHeaderIsHookedAgain)
{
    Build(true);
    const HWND first = View->HeaderHandle();
    View->SetShowColumnHeaders(false);
    EXPECT_EQ(View->HookedHeader(), 0);
    View->SetShowColumnHeaders(true);
    EXPECT_NE(View->HeaderHandle(), first);
    EXPECT_EQ(View->HookedHeader(), View->HeaderHandle());
}

TEST_F(TskSkinCustomListViewHeader, SectionsArePaintedFromTheHeaderEntryAndPressedWithItsDownPicture)
{
    Build(true);
    Driver.ProcessMessages();
    // Inside the first section, away from the caption: the entry's normal picture.
    EXPECT_EQ(At(10 + 40, 10 + 1), Px(cNormal));
    // Right of the last section: the normal picture composed to that size.
    EXPECT_EQ(At(10 + 190, 10 + 1), Px(cNormal));
    SendMessage(View->HeaderHandle(), WM_LBUTTONDOWN, 0, MAKELPARAM(100, 5));
    Driver.ProcessMessages();
    EXPECT_EQ(At(10 + 120, 10 + 1), Px(cDown));
    EXPECT_EQ(At(10 + 40, 10 + 1), Px(cNormal));
    Save("skin-list-view-header-pressed");
    SendMessage(View->HeaderHandle(), WM_LBUTTONUP, 0, MAKELPARAM(100, 5));
    Driver.ProcessMessages();
    EXPECT_EQ(At(10 + 120, 10 + 1), Px(cNormal));
}

TEST_F(TskSkinCustomListViewHeader, WithoutAnEntryTheSectionsArePlain)
{
    Build(false);
    Driver.ProcessMessages();
    EXPECT_EQ(At(10 + 40, 10 + 3), Px(GetSysColor(COLOR_BTNFACE)));
    EXPECT_EQ(At(10, 10), Px(GetSysColor(COLOR_BTNSHADOW)));
}

TEST_F(TskSkinCustomListViewHeader, AColumnClickStillReachesTheView)
{
    Build(true);
    TListColumn* clicked = nullptr;
    View->OnColumnClick = [&](TObject*, TListColumn* c) { clicked = c; };
    SendMessage(View->HeaderHandle(), WM_LBUTTONDOWN, 0, MAKELPARAM(20, 5));
    SendMessage(View->HeaderHandle(), WM_LBUTTONUP, 0, MAKELPARAM(20, 5));
    EXPECT_EQ(clicked, View->Columns()->Items(0));
}

using TskSkinCustomListViewLook = SkinListFixture;

TEST_F(TskSkinCustomListViewLook, TheSkinEntryGivesBackgroundAndTextColour)
{
    Build(true);
    EXPECT_EQ(View->Color(), cViewBg);
    EXPECT_EQ(View->Font()->Color(), cViewText);
    Driver.ProcessMessages();
    EXPECT_EQ(At(100, 110), Px(cViewBg));
}

TEST_F(TskSkinCustomListViewLook, ChangingTheDefaultFontUnderASkinEntryLeavesTheFontAlone)
{
    Build(true);
    TFont f;
    f.SetName("DejaVu Serif");
    View->SetDefaultFont(&f);
    EXPECT_EQ(View->Font()->Name(), "DejaVu Sans");
}

using TskSkinCustomListViewBars = SkinListFixture;

TEST_F(TskSkinCustomListViewBars, ReportRowsBeyondThePageShowTheVerticalBarWithThePageAsLargeChange)
{
    Build(true);
    AddRows(3);
    EXPECT_FALSE(VBar->Visible());
    AddRows(30);
    EXPECT_TRUE(VBar->Visible());
    EXPECT_EQ(VBar->PageSize(), View->CountPerPage());
    EXPECT_EQ(VBar->LargeChange(), View->CountPerPage());
    VBar->SetPosition(5);
    EXPECT_EQ(View->TopIndex(), 5);
}

TEST_F(TskSkinCustomListViewBars, WideColumnsShowTheHorizontalBarThatScrollsInPixels)
{
    Build(true);
    View->Columns()->Items(1)->SetWidth(300);
    View->UpdateScrollBars();
    EXPECT_TRUE(HBar->Visible());
    HBar->SetPosition(40);
    SCROLLINFO si;
    si.fMask = SIF_ALL;
    GetScrollInfo(View->Handle(), SB_HORZ, si);
    EXPECT_EQ(si.nPos, 40);
}

TEST_F(TskSkinCustomListViewBars, AnEmptyListStyleKeepsBothBarsHidden)
{
    Build(true, vsList);
    View->UpdateScrollBars();
    EXPECT_FALSE(VBar->Visible());
    EXPECT_FALSE(HBar->Visible());
}

TEST_F(TskSkinCustomListViewBars, ListStyleStepsOneColumnPerBarStep)
{
    Build(true, vsList);
    AddRows(60);
    ASSERT_TRUE(HBar->Visible());
    const int rows = View->ClientHeight() / View->ItemHeight();
    HBar->SetPosition(2);
    EXPECT_EQ(View->TopIndex(), 2 * rows);
}
