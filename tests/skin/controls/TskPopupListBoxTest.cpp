#include "skin/controls/TskPopupListBox.h"

#include "SkinControlsTestSupport.h"
#include "platform/win/WinApi.h"
#include "skin/controls/TskSkinCustomComboBox.h"

using namespace skintest;

namespace {

struct PopupList : SkinFormTest {
    TskSkinComboBox* Combo = nullptr;
    TskPopupListBox* List = nullptr;

    // The drop-down of a combo box at (10, 10) on the form, with three items.
    void MakeList()
    {
        Combo = new TskSkinComboBox(Form);
        Combo->SetParent(Form);
        Combo->SetBounds(10, 10, 120, 20);
        for (const char* s : {"one", "two", "three"}) Combo->Items()->Add(s);
        List = Combo->ListBox();
        List->SetBounds(0, 0, 120, 64);
    }
    LONG_PTR ExStyle() { return GetWindowLong(List->Handle(), GWL_EXSTYLE); }
};

} // namespace

// ---- showing and hiding ---------------------------------------------------------------------------------------

TEST_F(PopupList, ShowMovesWithoutSizingOrActivating_HideKeepsThePlace)
{
    MakeList();
    ShowForm();
    Combo->SetFocus();
    List->ShowPopupList(Point(200, 150));
    Driver.ProcessMessages();
    EXPECT_TRUE(List->Visible());
    EXPECT_TRUE(IsWindowVisible(List->Handle()));
    TRect r;
    GetWindowRect(List->Handle(), r);
    EXPECT_EQ(r, Rect(200, 150, 320, 214));
    EXPECT_EQ(GetActiveWindow(), Form->Handle());
    EXPECT_EQ(GetFocus(), Combo->Handle());
    // What the window shows is the list: the plain look's frame at its corner.
    EXPECT_EQ(Driver.PixelAt(List->Handle(), 0, 0) & 0x00FFFFFF, Px(clBtnShadow));
    List->HidePopupList();
    EXPECT_FALSE(List->Visible());
    EXPECT_FALSE(IsWindowVisible(List->Handle()));
    EXPECT_EQ(List->BoundsRect(), Rect(200, 150, 320, 214));
}

// ---- translucency ---------------------------------------------------------------------------------------------

TEST_F(PopupList, AlphaBlend_LayersTheWindowAtTheComboBoxsOpacity)
{
    MakeList();
    Combo->SetListBoxAlphaBlend(true);
    Combo->SetListBoxAlphaBlendValue(180);
    ShowForm();
    List->ShowPopupList(Point(200, 150));
    EXPECT_TRUE(List->LayeredOn());
    EXPECT_NE(ExStyle() & WS_EX_LAYERED, 0);
    EXPECT_EQ(List->CurrentAlpha(), 180);
    EXPECT_FALSE(List->Fading());
    // Off again: the style goes with it.
    List->HidePopupList();
    Combo->SetListBoxAlphaBlend(false);
    List->ShowPopupList(Point(200, 150));
    EXPECT_FALSE(List->LayeredOn());
    EXPECT_EQ(ExStyle() & WS_EX_LAYERED, 0);
}

TEST_F(PopupList, Animation_FadesInByTenEveryFiveMillisecondsUpToTheOpacity)
{
    MakeList();
    Combo->SetListBoxAlphaBlend(true);
    Combo->SetListBoxAlphaBlendAnimation(true);
    Combo->SetListBoxAlphaBlendValue(45);
    ShowForm();
    List->ShowPopupList(Point(200, 150));
    EXPECT_EQ(List->CurrentAlpha(), 0);
    EXPECT_TRUE(List->Fading());
    Driver.AdvanceClock(5);
    EXPECT_EQ(List->CurrentAlpha(), 10);
    Driver.AdvanceClock(15);
    EXPECT_EQ(List->CurrentAlpha(), 40);
    Driver.AdvanceClock(5);
    EXPECT_EQ(List->CurrentAlpha(), 45);
    EXPECT_FALSE(List->Fading());
}

TEST_F(PopupList, HidingWhileFading_LeavesTheFullOpacityForTheNextShow)
{
    MakeList();
    Combo->SetListBoxAlphaBlend(true);
    Combo->SetListBoxAlphaBlendAnimation(true);
    Combo->SetListBoxAlphaBlendValue(200);
    ShowForm();
    List->ShowPopupList(Point(200, 150));
    Driver.AdvanceClock(5);
    List->HidePopupList();
    EXPECT_FALSE(List->Fading());
    EXPECT_EQ(List->CurrentAlpha(), 200);
    // Nothing keeps ticking on a hidden list.
    Driver.AdvanceClock(100);
    EXPECT_EQ(List->CurrentAlpha(), 200);
}

TEST(PopupListAlone, WithoutAComboBox_NeverLayeredAndDropsNoMessage)
{
    THeadlessDriver driver;
    TskPopupListBox list(nullptr);
    list.SetBounds(0, 0, 100, 60);
    list.Items()->Add("one");
    list.ShowPopupList(Point(50, 60));
    EXPECT_TRUE(list.Visible());
    EXPECT_FALSE(list.LayeredOn());
    // Its inner list answers the mouse as an ordinary list does.
    driver.Click(Point(50 + list.ListBoxRect().Left + 5, 60 + list.ListBoxRect().Top + 5));
    EXPECT_EQ(list.ItemIndex(), 0);
    list.HidePopupList();
}
