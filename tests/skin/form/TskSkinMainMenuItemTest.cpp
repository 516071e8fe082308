#include "skin/form/TskSkinMainMenuItem.h"

#include <gtest/gtest.h>

#include <memory>

#include "platform/vcl/TMenu.h"
#include "skin/data/TskDataSkinCaption.h"
#include "tests/skin/form/SkinObjectsTestSupport.h"

using namespace objtest;

namespace {

constexpr TColor cItemText = 0x0000FF;
constexpr TColor cItemActiveText = 0x00FF00;
constexpr TColor cItemDownText = 0xFF0000;
constexpr TColor cItemDisabledText = 0x00FFFF;

// A main menu "File" (with an item "Open") and "Help" (a command of its own), shown as frame items.
struct TskSkinMainMenuItemTest : SkinObjectsTest {
    TMainMenu* Menu = nullptr;
    TMenuItem* File = nullptr;
    TMenuItem* Help = nullptr;
    int HelpClicks = 0;

    void SetUp() override
    {
        SkinObjectsTest::SetUp();
        Menu = new TMainMenu(Form);
        File = new TMenuItem(Menu);
        File->SetName("FileItem");
        File->SetCaption("&File");
        auto* open = new TMenuItem(Menu);
        open->SetCaption("Open");
        File->Add(open);
        Help = new TMenuItem(Menu);
        Help->SetName("HelpItem");
        Help->SetCaption("Help");
        Help->OnClick = [this](TObject*) { ++HelpClicks; };
        Menu->Items()->Add(File);
        Menu->Items()->Add(Help);
    }
    std::unique_ptr<TskSkinMainMenuItem> Make(TMenuItem* item)
    {
        const int index = Test.Skin->FindObjectIndex("MAINMENUITEM");
        EXPECT_GE(index, 0);
        auto o = std::make_unique<TskSkinMainMenuItem>(
            Frame, Test.Skin->ObjectDataList[static_cast<std::size_t>(index)].get(), item);
        o->ObjectRect = TRect{10, 80, 10 + o->ItemWidth(), 95};
        return o;
    }
    int CountText(TskActiveSkinObject* o, TColor c)
    {
        auto pic = Paint(o);
        int n = 0;
        for (int y = o->ObjectRect.Top; y < o->ObjectRect.Bottom; ++y)
            for (int x = o->ObjectRect.Left; x < o->ObjectRect.Right; ++x)
                if ((pic->Canvas()->Pixels(x, y) & 0xFFFFFF) == c) ++n;
        return n;
    }
};

} // namespace

TEST_F(TskSkinMainMenuItemTest, TakesNameAndEnabledFromTheMenuItem)
{
    Help->SetEnabled(false);
    auto item = Make(Help);
    EXPECT_EQ(item->IDName, "HelpItem");
    EXPECT_FALSE(item->Enabled);
}

TEST_F(TskSkinMainMenuItemTest, ItemWidth_IsCaptionPlusOffsets)
{
    auto item = Make(File);
    EXPECT_GT(item->ItemWidth(), 6 + 10);
    auto wide = Make(Help);
    Help->SetCaption("Help and more help");
    EXPECT_GT(wide->ItemWidth(), item->ItemWidth());
}

TEST_F(TskSkinMainMenuItemTest, AtRest_NormalImageAndFontColour)
{
    auto item = Make(File);
    EXPECT_EQ(ColourAt(item.get(), 1, 1), cNormal);
    EXPECT_GT(CountText(item.get(), cItemText), 3);
}

TEST_F(TskSkinMainMenuItemTest, Hovered_ActiveImageTiledAcrossAndActiveFontColour)
{
    auto item = Make(File);
    item->MouseEnter();
    EXPECT_EQ(ColourAt(item.get(), 1, 1), cActive);
    EXPECT_EQ(ColourAt(item.get(), item->ObjectRect.Width() - 2, 1), cActive);
    EXPECT_GT(CountText(item.get(), cItemActiveText), 3);
    EXPECT_TRUE(Events.empty()); // no enter event for menu items
    item->MouseLeave();
    EXPECT_EQ(ColourAt(item.get(), 1, 1), cNormal);
}

TEST_F(TskSkinMainMenuItemTest, DisabledMenuItem_UsesTheDisabledFontColour)
{
    Help->SetEnabled(false);
    auto item = Make(Help);
    EXPECT_GT(CountText(item.get(), cItemDisabledText), 3);
    item->MouseDown(X(item.get(), 2), Y(item.get(), 2), mbLeft);
    EXPECT_EQ(HelpClicks, 0);
}

TEST_F(TskSkinMainMenuItemTest, PressWithSubItems_OpensTheMenuAndClosingReleasesIt)
{
    auto item = Make(File);
    int enters = 0;
    int opens = 0;
    Frame->OnMainMenuEnter = [&](TObject*) { ++enters; };
    Frame->OnSkinMenuOpen = [&](TObject*) { ++opens; };
    item->MouseEnter();
    item->MouseDown(X(item.get(), 2), Y(item.get(), 2), mbLeft);
    EXPECT_TRUE(item->Down);
    EXPECT_EQ(enters, 1);
    EXPECT_EQ(opens, 1);
    EXPECT_EQ(ColourAt(item.get(), 1, 1), cDown);
    EXPECT_GT(CountText(item.get(), cItemDownText), 3);
    item->MenuClosed();
    EXPECT_FALSE(item->Down);
    Frame->SkinMenuClose();
}

TEST_F(TskSkinMainMenuItemTest, PressWithoutSubItems_RunsTheItem)
{
    auto item = Make(Help);
    item->MouseEnter();
    item->MouseDown(X(item.get(), 2), Y(item.get(), 2), mbLeft);
    EXPECT_EQ(HelpClicks, 1);
    EXPECT_FALSE(item->Down);
    EXPECT_EQ(Events, (std::vector<std::string>{"down HelpItem"}));
}
