#include "skin/form/TskSkinPopupWindow.h"

#include <gtest/gtest.h>

#include "SkinMenuTestSupport.h"
#include "platform/vcl/TAction.h"
#include "skin/data/TskDataSkinPopupWindow.h"

using namespace menutest;

namespace {

TPixel Sys(TColor c) { return Px(ColorToRGB(c)); }

} // namespace

struct SkinPopupWindowTest : SkinMenuTest {
    std::unique_ptr<TMenuSkin> Skin;
    TskSkinData* MenuSkin(bool morphing = false, bool mask = false)
    {
        Skin = std::make_unique<TMenuSkin>(MenuTestSkin(morphing, mask));
        return Skin->Skin.get();
    }
    void AddPlainItems(int n)
    {
        PM->Items()->Clear();
        for (int i = 0; i < n; ++i) AddItem(PM->Items(), "Item " + std::to_string(i));
    }
};

// ---- size and layout ----

TEST_F(SkinPopupWindowTest, DefaultLook_HeightIsTheItemsPlusTheFrame)
{
    PopupAt(100, 100);
    TskSkinPopupWindow* w = Window(0);
    // Five items of 20 and a separator of 4, inside a frame of 3 on each side.
    EXPECT_EQ(w->Height(), 5 * 20 + 4 + 6);
    EXPECT_EQ(w->ItemsRect(), Rect(3, 3, w->Width() - 3, w->Height() - 3));
    EXPECT_EQ(w->Items(2)->ObjectRect, Rect(3, 43, w->Width() - 3, 47));
    EXPECT_EQ(w->Items(5)->ObjectRect.Bottom, w->Height() - 3);
}

TEST_F(SkinPopupWindowTest, Width_FollowsTheWidestCaptionWithItsShortcut)
{
    PopupAt(100, 100);
    const int before = Window(0)->Width();
    Menu->HideAll();
    Save->SetShortCut(ShortCut('S', true, true, true));
    PopupAt(100, 100);
    EXPECT_GT(Window(0)->Width(), before);
}

TEST_F(SkinPopupWindowTest, DefaultItemHeight_ComesFromTheMenu)
{
    Menu->SetDefaultMenuItemHeight(30);
    Menu->SetDefaultMenuItemHeight(0); // refused
    PopupAt(100, 100);
    EXPECT_EQ(Window(0)->Height(), 5 * 30 + 4 + 6);
}

TEST_F(SkinPopupWindowTest, SkinnedLook_SizesFromThePictureAndTheItemObject)
{
    PopupAt(100, 100, MenuSkin());
    TskSkinPopupWindow* w = Window(0);
    ASSERT_TRUE(w->Skinned());
    // Items of 20, a divider of 4, and the picture's border of 4 round the item area.
    EXPECT_EQ(w->Height(), 5 * 20 + 4 + 8);
    EXPECT_EQ(w->ItemsRect(), Rect(4, 4, w->Width() - 4, w->Height() - 4));
}

TEST_F(SkinPopupWindowTest, PopupPictureMissing_KeepsThePlainLook)
{
    TskSkinData* skin = MenuSkin();
    skin->PopupWindow->WindowPictureIndex = 7;
    PopupAt(100, 100, skin);
    EXPECT_FALSE(Window(0)->Skinned());
    EXPECT_EQ(Window(0)->Height(), 5 * 20 + 4 + 6);
}

// ---- placement ----

TEST_F(SkinPopupWindowTest, NearTheBottomRightCorner_OpensAboveAndShiftsLeft)
{
    PopupAt(1270, 790);
    TskSkinPopupWindow* w = Window(0);
    EXPECT_EQ(w->WindowPos(), Point(1280 - w->Width(), 790 - w->Height()));
}

TEST_F(SkinPopupWindowTest, PopupToUp_OpensAboveTheRectangleWhenItFits)
{
    Menu->Popup(nullptr, nullptr, 0, Rect(200, 400, 260, 420), PM->Items(), true);
    EXPECT_EQ(Window(0)->WindowPos(), Point(200, 400 - Window(0)->Height()));
}

TEST_F(SkinPopupWindowTest, SubmenuThatDoesNotFitRight_OpensLeftOfItsParent)
{
    PopupAt(1270, 100);
    Driver.Click(ItemPoint(0, 3));
    ASSERT_EQ(Menu->WindowCount(), 2);
    const TskSkinPopupWindow* parent = Window(0);
    const TskSkinPopupWindow* sub = Window(1);
    EXPECT_EQ(sub->WindowPos().X + sub->Width(), parent->WindowPos().X + parent->ItemsRect().Left - 1);
}

TEST_F(SkinPopupWindowTest, SubmenuInTheLowerHalfThatDoesNotFitBelow_IsBottomAlignedWithItsItem)
{
    for (int i = 0; i < 20; ++i) AddItem(More, "Deep " + std::to_string(i));
    PopupAt(100, 500);
    Driver.Click(ItemPoint(0, 3));
    ASSERT_EQ(Menu->WindowCount(), 2);
    const TskSkinPopupWindow* sub = Window(1);
    const TRect& item = Window(0)->Items(3)->ObjectRect;
    EXPECT_EQ(sub->WindowPos().Y + sub->Height() - sub->ItemsRect().Top, Window(0)->WindowPos().Y + item.Bottom);
}

TEST_F(SkinPopupWindowTest, TallerThanTheWorkArea_TakesItsHeightAtTheTopBesideTheAnchor)
{
    AddPlainItems(60);
    PopupAt(300, 300);
    TskSkinPopupWindow* w = Window(0);
    EXPECT_EQ(w->Height(), 800);
    EXPECT_EQ(w->WindowPos(), Point(301, 0));
    EXPECT_TRUE(w->Scrolling());
    // Markers of 10 at the top and bottom of the item area.
    EXPECT_EQ(w->Items(0)->ObjectRect.Top, w->ItemsRect().Top + 10);
    const TskSkinMenuItem* last = w->Items(w->VisibleCount() - 1);
    EXPECT_LE(last->ObjectRect.Bottom, w->ItemsRect().Bottom - 10);
    EXPECT_FALSE(w->Items(w->VisibleCount())->Visible);
}

TEST_F(SkinPopupWindowTest, MaxMenuItemsInWindow_ShowsThatManyWithMarkersUnderTheAnchor)
{
    AddPlainItems(8);
    Menu->SetMaxMenuItemsInWindow(5);
    Menu->SetMaxMenuItemsInWindow(-1); // refused
    PopupAt(300, 300);
    TskSkinPopupWindow* w = Window(0);
    EXPECT_TRUE(w->Scrolling());
    EXPECT_EQ(w->VisibleCount(), 5);
    EXPECT_EQ(w->Height(), 5 * 20 + 6 + 20);
    EXPECT_EQ(w->WindowPos(), Point(300, 300));
}

// ---- scrolling ----

TEST_F(SkinPopupWindowTest, DownPastTheLastVisibleItem_ScrollsOneStepAndWrapsAtTheEnd)
{
    AddPlainItems(8);
    Menu->SetMaxMenuItemsInWindow(5);
    PopupAt(300, 300);
    TskSkinPopupWindow* w = Window(0);
    for (int i = 0; i < 4; ++i) Driver.Press(VK_DOWN);
    EXPECT_EQ(w->TopIndex(), 0);
    Driver.Press(VK_DOWN);
    EXPECT_EQ(w->TopIndex(), 1);
    EXPECT_EQ(w->ActiveItem(), 5);
    EXPECT_TRUE(w->Items(5)->Visible);
    EXPECT_FALSE(w->Items(0)->Visible);
    Driver.Press(VK_DOWN);
    Driver.Press(VK_DOWN);
    EXPECT_EQ(w->TopIndex(), 3);
    Driver.Press(VK_DOWN);
    EXPECT_EQ(w->TopIndex(), 0);
    EXPECT_EQ(w->ActiveItem(), 0);
    Driver.Press(VK_UP);
    EXPECT_EQ(w->TopIndex(), 3);
    EXPECT_EQ(w->ActiveItem(), 7);
}

TEST_F(SkinPopupWindowTest, PointerOnTheDownMarker_ScrollsEvery100msUntilTheEnd)
{
    AddPlainItems(8);
    Menu->SetMaxMenuItemsInWindow(5);
    PopupAt(300, 300);
    TskSkinPopupWindow* w = Window(0);
    Driver.MoveTo(Point(w->WindowPos().X + 30, w->WindowPos().Y + w->ItemsRect().Bottom - 5));
    Driver.AdvanceClock(SkinPopupCursorInterval);
    EXPECT_EQ(w->ScrollState(), 2);
    Driver.AdvanceClock(SkinPopupScrollInterval);
    EXPECT_EQ(w->TopIndex(), 1);
    Driver.AdvanceClock(10 * SkinPopupScrollInterval);
    EXPECT_EQ(w->TopIndex(), 3);
    EXPECT_EQ(w->ScrollState(), 0);
    // Up marker: back to the top, then leaving the window stops nothing that is not running.
    Driver.MoveTo(Point(w->WindowPos().X + 30, w->WindowPos().Y + w->ItemsRect().Top + 5));
    Driver.AdvanceClock(SkinPopupCursorInterval);
    EXPECT_EQ(w->ScrollState(), 1);
    Driver.MoveTo(Point(10, 10));
    Driver.AdvanceClock(SkinPopupCursorInterval);
    EXPECT_EQ(w->ScrollState(), 0);
}

// ---- pixels ----

TEST_F(SkinPopupWindowTest, DefaultLook_Pixels)
{
    Save->SetChecked(true);
    PopupAt(100, 100);
    TskSkinPopupWindow* w = Window(0);
    const int W = w->Width();
    Driver.SaveWindow(w->Handle(), "skinmenu-default", OMBRIX_TEST_PICTURES);
    EXPECT_EQ(At(0, 0, 0), Sys(clBtnShadow));
    EXPECT_EQ(At(0, 1, 1), Sys(clWindow));
    EXPECT_EQ(At(0, 2, 60), Sys(clBtnFace));
    // The first item is highlighted: the hot fill inside a navy frame.
    EXPECT_EQ(At(0, 3, 3), Sys(clNavy));
    EXPECT_EQ(At(0, W - 6, 6), Px(static_cast<TColor>(13811126)));
    // The second item rests: the image column, the white rest, the tick in the column.
    EXPECT_EQ(At(0, 5, 24), Sys(clBtnFace));
    EXPECT_EQ(At(0, W - 13, 24), Sys(clWindow));
    int tick = 0;
    for (int y = 23; y < 43; ++y)
        for (int x = 3; x < 22; ++x) tick += At(0, x, y) == Sys(clWindowText);
    EXPECT_GT(tick, 5);
    // The separator line from the column to the right edge.
    EXPECT_EQ(At(0, 40, 45), Sys(clBtnShadow));
    EXPECT_EQ(At(0, 10, 45), Sys(clBtnFace));
    // The submenu arrow of More.
    EXPECT_EQ(At(0, W - 16, 57), Sys(clWindowText));
}

TEST_F(SkinPopupWindowTest, SkinnedLook_Pixels)
{
    Save->SetChecked(true);
    PopupAt(100, 100, MenuSkin());
    TskSkinPopupWindow* w = Window(0);
    const int W = w->Width();
    Driver.SaveWindow(w->Handle(), "skinmenu-skinned", OMBRIX_TEST_PICTURES);
    EXPECT_EQ(At(0, 0, 0), Px(cFrame));
    EXPECT_EQ(At(0, 1, w->Height() / 2), Px(cFrame));
    EXPECT_EQ(At(0, W - 6, 5), Px(cActive));
    EXPECT_EQ(At(0, W - 6, 25), Px(cNormal));
    EXPECT_EQ(At(0, W / 2, 46), Px(cDivider));
    EXPECT_EQ(At(0, W - 10, 58), Px(cArrow));
    EXPECT_EQ(At(0, 16, 34), Px(cCheck));
}

TEST_F(SkinPopupWindowTest, MaskPicture_ShapesTheWindow)
{
    PopupAt(100, 100, MenuSkin(false, true));
    TskSkinPopupWindow* w = Window(0);
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(w->Handle(), rgn), RGN_ERROR);
    EXPECT_FALSE(PtInRegion(rgn, 1, 1));
    EXPECT_TRUE(PtInRegion(rgn, 5, 1));
    EXPECT_TRUE(PtInRegion(rgn, w->Width() - 1, w->Height() - 1));
    DeleteObject(rgn);
}

TEST_F(SkinPopupWindowTest, SystemMenuItemNames_ShowTheCaptionButtonGlyphs)
{
    Save->SetName("SKF_CLOSE");
    PopupAt(100, 100);
    int glyph = 0;
    for (int y = 23; y < 43; ++y)
        for (int x = 3; x < 22; ++x) glyph += At(0, x, y) == Sys(clWindowText);
    EXPECT_GT(glyph, 5);
}

TEST_F(SkinPopupWindowTest, HeaderItem_ShowsItsCaptionWithoutTheDashes)
{
    Off->SetCaption("-Files-");
    PopupAt(100, 100, MenuSkin());
    const TRect r = Window(0)->Items(4)->ObjectRect;
    // The caption is centred: text pixels on both sides of the middle, none at the far left.
    int left = 0, right = 0;
    for (int y = r.Top; y < r.Bottom; ++y) {
        for (int x = r.Left; x < r.Left + 12; ++x) left += At(0, x, y) != Px(cNormal);
        for (int x = r.Left + r.Width() / 2 - 10; x < r.Left + r.Width() / 2 + 10; ++x)
            right += At(0, x, y) != Px(cNormal);
    }
    EXPECT_EQ(left, 0);
    EXPECT_GT(right, 10);
}

TEST_F(SkinPopupWindowTest, Hover_MovesTheHighlightFromItemToItem)
{
    PopupAt(100, 100, MenuSkin());
    const int W = Window(0)->Width();
    HoverItem(0, 1);
    EXPECT_EQ(At(0, W - 6, 25), Px(cActive));
    EXPECT_EQ(At(0, W - 6, 5), Px(cNormal));
    EXPECT_TRUE(Window(0)->Items(1)->MouseIn);
    EXPECT_FALSE(Window(0)->Items(0)->MouseIn);
}

TEST_F(SkinPopupWindowTest, MorphingItems_CrossFadeInFiveSteps)
{
    PopupAt(100, 100, MenuSkin(true));
    TskSkinPopupWindow* w = Window(0);
    Driver.AdvanceClock(200);
    ASSERT_DOUBLE_EQ(w->Items(0)->MorphKf, 1.0);
    HoverItem(0, 1);
    Driver.AdvanceClock(2 * SkinMenuMorphInterval);
    EXPECT_GT(w->Items(1)->MorphKf, 0.0);
    EXPECT_LT(w->Items(1)->MorphKf, 1.0);
    EXPECT_LT(w->Items(0)->MorphKf, 1.0);
    Driver.AdvanceClock(5 * SkinMenuMorphInterval);
    EXPECT_DOUBLE_EQ(w->Items(1)->MorphKf, 1.0);
    EXPECT_DOUBLE_EQ(w->Items(0)->MorphKf, 0.0);
}

TEST_F(SkinPopupWindowTest, AlphaBlendWithoutAnimation_IsTranslucentAtOnce)
{
    Menu->SetAlphaBlend(true);
    Menu->SetAlphaBlendValue(150);
    PopupAt(100, 100);
    BYTE alpha = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(Window(0)->Handle(), nullptr, &alpha, nullptr));
    EXPECT_EQ(alpha, 150);
}

TEST_F(SkinPopupWindowTest, Window_NeverTakesTheActivation)
{
    const HWND before = GetActiveWindow();
    PopupAt(100, 100);
    Driver.Click(ItemPoint(0, 2));
    EXPECT_EQ(GetActiveWindow(), before);
    EXPECT_EQ(SendMessage(Window(0)->Handle(), WM_MOUSEACTIVATE, 0, 0), MA_NOACTIVATE);
}

// ---- what the items say before the window is built ----

TEST_F(SkinPopupWindowTest, RepeatedSeparatorsAndSeparatorsAtTheEnds_AreNotShown)
{
    PM->Items()->Clear();
    for (const char* caption : {"-", "A", "-", "-", "B", "-"}) AddItem(PM->Items(), caption);
    PopupAt(100, 100);
    std::vector<std::string> shown;
    for (int i = 0; i < Window(0)->ItemCount(); ++i) shown.push_back(Window(0)->Items(i)->MenuItem->Caption());
    EXPECT_EQ(shown, (std::vector<std::string>{"A", "-", "B"}));
}

TEST_F(SkinPopupWindowTest, AutoLineReduction_OnlyAutomaticDropsTheLinesAnActionLeftSideBySide)
{
    // "B" is hidden by its action only when the menu opens: the two lines around it meet then.
    TAction hide(nullptr);
    hide.SetCaption("B");
    hide.OnUpdate = [&](TObject*) { hide.SetVisible(false); };
    struct TCase {
        TMenuAutoFlag Flag;
        std::vector<std::string> Shown;
    };
    for (const TCase& c : {TCase{maAutomatic, {"A", "-", "C"}}, TCase{maManual, {"A", "-", "-", "C"}}}) {
        PM->Items()->Clear();
        AddItem(PM->Items(), "A");
        AddItem(PM->Items(), "-");
        auto* hidden = new TMenuItem(PM);
        hidden->SetAction(&hide);
        PM->Items()->Add(hidden);
        AddItem(PM->Items(), "-");
        AddItem(PM->Items(), "C");
        PM->SetAutoLineReduction(c.Flag);
        PopupAt(100, 100);
        std::vector<std::string> shown;
        for (int i = 0; i < Window(0)->ItemCount(); ++i) shown.push_back(Window(0)->Items(i)->MenuItem->Caption());
        EXPECT_EQ(shown, c.Shown) << (c.Flag == maAutomatic ? "automatic" : "manual");
        Driver.Press(VK_ESCAPE);
        Driver.ProcessMessages();
    }
}

TEST_F(SkinPopupWindowTest, ItemActions_UpdateFirst_AndRunWhenTheItemHasNoClick)
{
    TAction hide(nullptr);
    hide.SetCaption("Hidden");
    hide.OnUpdate = [&](TObject*) { hide.SetVisible(false); };
    TAction run(nullptr);
    run.SetCaption("Run it");
    int ran = 0;
    run.OnExecute = [&](TObject*) { ++ran; };
    PM->Items()->Clear();
    AddItem(PM->Items(), "First");
    AddItem(PM->Items(), "-");
    auto* hidden = new TMenuItem(PM);
    hidden->SetAction(&hide);
    PM->Items()->Add(hidden);
    auto* running = new TMenuItem(PM);
    running->SetAction(&run);
    PM->Items()->Add(running);
    PopupAt(100, 100);
    ASSERT_EQ(Window(0)->ItemCount(), 3);
    EXPECT_EQ(Window(0)->Items(2)->MenuItem->Caption(), "Run it");
    Driver.Click(ItemPoint(0, 2));
    Driver.ProcessMessages();
    EXPECT_EQ(ran, 1);
    EXPECT_FALSE(Menu->Active());
}

TEST_F(SkinPopupWindowTest, OnDrawItem_InTheSkinnedLook_DrawsInsteadOfTheItemsText)
{
    std::vector<bool> selected;
    Open->OnDrawItem = [&](TObject*, TCanvas* c, const TRect& r, bool active) {
        selected.push_back(active);
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(clRed);
        c->FillRect(r);
    };
    PopupAt(100, 100, MenuSkin());
    ASSERT_FALSE(selected.empty());
    // The first item opens highlighted.
    EXPECT_TRUE(selected.back());
    const TRect& item = Window(0)->Items(0)->ObjectRect;
    EXPECT_EQ(At(0, item.Left + 10, (item.Top + item.Bottom) / 2), Px(clRed));
    // The skin's item background is still under it, beside the text area.
    EXPECT_EQ(At(0, item.Left + 1, (item.Top + item.Bottom) / 2), Px(cActive));
}
