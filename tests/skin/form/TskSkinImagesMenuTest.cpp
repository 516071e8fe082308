#include "skin/form/TskSkinImagesMenu.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SkinMenuTestSupport.h"
#include "tests/support/THeadlessDriver.h"
#include "platform/vcl/TBitmap.h"
#include "platform/vcl/TCustomImageList.h"
#include "platform/vcl/TForm.h"
#include "skin/controls/TskSkinMenuSpeedButton.h"
#include "skin/data/SkinPlatform.h"

namespace {

using menutest::Px;

struct SkinImagesMenuTest : ::testing::Test {
    THeadlessDriver Driver;
    TForm* Form = nullptr;
    TCustomImageList* Images = nullptr;
    TskSkinImagesMenu* Menu = nullptr;
    std::vector<std::string> Log;
    std::unique_ptr<menutest::TMenuSkin> Skin;

    void SetUp() override
    {
        Form = new TForm(nullptr);
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(0, 0, 500, 400);
        Images = new TCustomImageList(Form);
        Images->SetWidth(16);
        Images->SetHeight(16);
        TBitmap strip(16 * 4, 16);
        strip.Canvas()->Brush()->SetColor(clRed);
        strip.Canvas()->FillRect(Rect(0, 0, 64, 16));
        Images->Add(&strip, nullptr);
        Menu = new TskSkinImagesMenu(Form);
        Menu->SetImages(Images);
        Menu->SetColumnsCount(3);
        for (int i = 0; i < 4; ++i) AddCell(i);
        Menu->OnItemClick = [this](TObject*) { Log.push_back("item click"); };
        Menu->OnChange = [this](TObject*) { Log.push_back("change"); };
        Menu->OnMenuClose = [this](TObject*) { Log.push_back("close"); };
        Form->Show();
        Driver.ProcessMessages();
    }
    void TearDown() override
    {
        Form->Free();
        Driver.ProcessMessages();
    }
    TskImagesMenuItem* AddCell(int image)
    {
        TskImagesMenuItem* e = Menu->ImagesItems()->Add();
        e->SetImageIndex(image);
        e->OnClick = [this, image](TObject*) { Log.push_back("entry " + std::to_string(image)); };
        return e;
    }
    TPoint CellPoint(int i)
    {
        const TRect& r = Menu->ImagesItems()->Items(i)->ItemRect;
        return Menu->Window()->ClientToScreen(Point((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2));
    }
    void Open() { Menu->Popup(Rect(50, 30, 80, 50)); }
    // The menu skin with a mask, a "label" and a "menuitembutton" control.
    void UseSkin()
    {
        Skin = std::make_unique<menutest::TMenuSkin>(menutest::WithLabelAndButtonControls(menutest::MenuTestSkin(false, true)));
        Menu->SetSkinData(Skin->Skin.get());
    }
    TPixel At(int x, int y) { return Driver.PixelAt(Menu->Window()->Handle(), x, y) & 0x00FFFFFF; }
    // Text in a light colour is smoothed into its ground: a pixel counts when every channel is light.
    bool Light(TPixel p) { return (p & 0xFF) > 0xA0 && ((p >> 8) & 0xFF) > 0xA0 && ((p >> 16) & 0xFF) > 0xA0; }
    int LightPixels(const TRect& r)
    {
        int n = 0;
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = r.Left; x < r.Right; ++x) n += Light(At(x, y)) ? 1 : 0;
        return n;
    }
    // Rows of R that show light text somewhere.
    int LightRows(const TRect& r)
    {
        int rows = 0;
        for (int y = r.Top; y < r.Bottom; ++y) {
            bool any = false;
            for (int x = r.Left; x < r.Right && !any; ++x) any = Light(At(x, y));
            rows += any ? 1 : 0;
        }
        return rows;
    }
};

} // namespace

// ---- layout and placement ----

TEST_F(SkinImagesMenuTest, Cells_FillRowsOfColumnsCount_BelowTheAnchor)
{
    Open();
    ASSERT_NE(Menu->Window(), nullptr);
    EXPECT_EQ(Menu->Window()->Left(), 50);
    EXPECT_EQ(Menu->Window()->Top(), 50);
    EXPECT_EQ(Menu->Window()->Width(), 3 * 26 + 10);
    EXPECT_EQ(Menu->ImagesItems()->Items(2)->ItemRect, Rect(57, 5, 83, 31));
    EXPECT_EQ(Menu->ImagesItems()->Items(3)->ItemRect, Rect(5, 32, 31, 58));
}

TEST_F(SkinImagesMenuTest, HeaderInTheMiddleOfARow_StartsANewRow)
{
    auto* header = Menu->ImagesItems()->Items(1);
    header->SetHeader(true);
    header->SetCaption("Colours");
    Open();
    EXPECT_EQ(header->ItemRect, Rect(5, 32, 83, 58));
    EXPECT_EQ(Menu->ImagesItems()->Items(2)->ItemRect.TopLeft(), Point(5, 59));
}

TEST_F(SkinImagesMenuTest, ColumnsCountOutsideOneToFifty_KeepsTheOldValue)
{
    Menu->SetColumnsCount(0);
    Menu->SetColumnsCount(51);
    EXPECT_EQ(Menu->ColumnsCount(), 3);
}

TEST_F(SkinImagesMenuTest, WithoutImages_NothingShowsButOnMenuPopupFires)
{
    int popups = 0;
    Menu->OnMenuPopup = [&](TObject*) { ++popups; };
    Menu->SetImages(nullptr);
    Open();
    EXPECT_EQ(popups, 1);
    EXPECT_EQ(Menu->Window(), nullptr);
}

// ---- the skinned look ----

TEST_F(SkinImagesMenuTest, SkinnedLook_PopupPictureRoundTheCells_HotCellFromTheMenuItem)
{
    UseSkin();
    Open();
    ASSERT_TRUE(Menu->Window()->Skinned());
    // Cells start at the picture's item area; the frame adds its margins (4 on every side) round them.
    EXPECT_EQ(Menu->ImagesItems()->Items(0)->ItemRect, Rect(4, 4, 30, 30));
    EXPECT_EQ(Menu->Window()->Width(), 4 + 3 * 26 + 4);
    EXPECT_EQ(Menu->Window()->Height(), 4 + 53 + 4);
    Driver.MoveTo(CellPoint(1));
    Driver.ProcessMessages();
    EXPECT_EQ(Menu->Window()->Selected(), 1);
    EXPECT_EQ(At(2, 20), Px(menutest::cFrame));
    EXPECT_EQ(At(60, 45), Px(menutest::cItems)) << "no cell there";
    const TRect hot = Menu->ImagesItems()->Items(1)->ItemRect;
    EXPECT_EQ(At(hot.Left + 2, hot.Top + 2), Px(menutest::cActive));
    EXPECT_EQ(At(hot.Left + 8, hot.Top + 8), Px(clRed));
    const TRect rest = Menu->ImagesItems()->Items(0)->ItemRect;
    EXPECT_EQ(At(rest.Left + 2, rest.Top + 2), Px(menutest::cItems));
    Driver.SaveWindow(Menu->Window()->Handle(), "skin-images-menu", OMBRIX_TEST_PICTURES);
    // The mask cuts the top-left corner off the window.
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(Menu->Window()->Handle(), rgn), ERROR);
    EXPECT_FALSE(PtInRegion(rgn, 1, 1));
    EXPECT_TRUE(PtInRegion(rgn, 5, 1));
    DeleteObject(rgn);
}

TEST_F(SkinImagesMenuTest, SkinnedHeaderAndButton_UseTheLabelAndButtonControls)
{
    UseSkin();
    auto* header = Menu->ImagesItems()->Items(1);
    header->SetHeader(true);
    header->SetCaption("Colours");
    auto* button = Menu->ImagesItems()->Add();
    button->SetButton(true);
    button->SetCaption("More");
    Open();
    // The header row is as high as the label picture.
    EXPECT_EQ(header->ItemRect, Rect(4, 31, 82, 47));
    EXPECT_EQ(At(header->ItemRect.Left + 1, header->ItemRect.Top + 1), Px(menutest::cLabel));
    EXPECT_GT(LightPixels(header->ItemRect), 5) << "the caption in the label's white font";
    const TRect b = button->ItemRect;
    EXPECT_EQ(At(b.Left + 1, b.Top + 1), Px(menutest::cButton));
    Driver.MoveTo(Menu->Window()->ClientToScreen(Point(b.Left + 4, b.Top + 4)));
    Driver.ButtonDown();
    Driver.ProcessMessages();
    EXPECT_EQ(At(b.Left + 1, b.Top + 1), Px(menutest::cButtonDown));
    Driver.SaveWindow(Menu->Window()->Handle(), "skin-images-menu-rows", OMBRIX_TEST_PICTURES);
    Driver.ButtonUp();
    EXPECT_EQ(Menu->ItemIndex(), 4);
}

TEST_F(SkinImagesMenuTest, UseSkinFont_Off_HeaderTextInDefaultFont)
{
    UseSkin();
    auto* header = Menu->ImagesItems()->Items(0);
    header->SetHeader(true);
    header->SetCaption("Colours");
    Open();
    const int skinRows = LightRows(header->ItemRect);
    Menu->Window()->Hide(false);
    Menu->SetUseSkinFont(false);
    Menu->DefaultFont()->SetHeight(8);
    Open();
    const int defaultRows = LightRows(header->ItemRect);
    EXPECT_GT(skinRows, defaultRows);
    EXPECT_GT(defaultRows, 0);
}

TEST_F(SkinImagesMenuTest, Translucency_OpacityAtOnceOrFadingIn)
{
    if (!IsLayeringAvailable()) GTEST_SKIP() << "no translucent windows here";
    Menu->SetAlphaBlend(true);
    Menu->SetAlphaBlendValue(150);
    Open();
    BYTE a = 255;
    GetLayeredWindowAttributes(Menu->Window()->Handle(), nullptr, &a, nullptr);
    EXPECT_EQ(a, 150);
    Menu->Window()->Hide(false);
    Menu->SetAlphaBlendAnimation(true);
    Open();
    EXPECT_EQ(Menu->Window()->Opacity(), 0);
    Driver.AdvanceClock(SkinImagesMenuFadeInterval * 3);
    EXPECT_EQ(Menu->Window()->Opacity(), 3 * SkinImagesMenuFadeStep);
    Driver.AdvanceClock(SkinImagesMenuFadeInterval * 20);
    EXPECT_EQ(Menu->Window()->Opacity(), 150);
    EXPECT_FALSE(Menu->Window()->Fading());
    // Closing while it fades stops the fade with the window.
    Menu->Window()->Hide(false);
    Open();
    Driver.AdvanceClock(SkinImagesMenuFadeInterval);
    Menu->Window()->Hide(false);
    Driver.AdvanceClock(SkinImagesMenuFadeInterval * 20);
    Driver.ProcessMessages();
}

// ---- choosing ----

TEST_F(SkinImagesMenuTest, ClickOnACell_ChoosesItInOrder)
{
    Open();
    Driver.Click(CellPoint(2));
    EXPECT_EQ(Menu->ItemIndex(), 2);
    EXPECT_EQ(Menu->GetSelectedItem(), Menu->ImagesItems()->Items(2));
    const std::vector<std::string> expected{"close", "entry 2", "item click", "change"};
    EXPECT_EQ(Log, expected);
    EXPECT_EQ(Menu->Window(), nullptr);
}

TEST_F(SkinImagesMenuTest, ChoosingTheCurrentEntryAgain_NoChangeEvent)
{
    Menu->SetItemIndex(1);
    Open();
    Driver.Click(CellPoint(1));
    const std::vector<std::string> expected{"close", "entry 1", "item click"};
    EXPECT_EQ(Log, expected);
}

TEST_F(SkinImagesMenuTest, Keyboard_MovesTheSelectionAndEnterChooses)
{
    Open();
    Driver.Press(VK_DOWN);
    EXPECT_EQ(Menu->Window()->Selected(), 0);
    Driver.Press(VK_RIGHT);
    Driver.Press(VK_RIGHT);
    EXPECT_EQ(Menu->Window()->Selected(), 2);
    Driver.Press(VK_RIGHT); // wraps? no: on to the next row
    EXPECT_EQ(Menu->Window()->Selected(), 3);
    Driver.Press(VK_UP);
    EXPECT_EQ(Menu->Window()->Selected(), 0);
    Driver.Press(VK_LEFT); // from the first, wraps to the last
    EXPECT_EQ(Menu->Window()->Selected(), 3);
    Driver.Press(VK_RETURN);
    EXPECT_EQ(Menu->ItemIndex(), 3);
    EXPECT_EQ(Menu->Window(), nullptr);
}

TEST_F(SkinImagesMenuTest, EscapeOrClickOutside_ClosesWithoutAChoice)
{
    Open();
    Driver.Press(VK_DOWN);
    Driver.Press(VK_ESCAPE);
    EXPECT_EQ(Menu->Window(), nullptr);
    Open();
    Driver.Click(Point(400, 300));
    EXPECT_EQ(Menu->Window(), nullptr);
    EXPECT_EQ(Menu->ItemIndex(), -1);
    const std::vector<std::string> expected{"close", "close"};
    EXPECT_EQ(Log, expected);
}

TEST_F(SkinImagesMenuTest, MenuFreedFromItsOwnCloseHandler_IsSafe)
{
    // The handler is freed with the menu: it touches nothing of its own after the Free.
    Menu->OnMenuClose = [this](TObject*) {
        TskSkinImagesMenu* menu = Menu;
        Menu = nullptr;
        menu->Free();
    };
    Open();
    Driver.Click(CellPoint(0));
    EXPECT_EQ(Menu, nullptr);
    Driver.ProcessMessages();
}

TEST_F(SkinImagesMenuTest, ImageListFreedWhileOpen_ClosesTheWindow)
{
    Open();
    Images->Free();
    EXPECT_EQ(Menu->Window(), nullptr);
    EXPECT_EQ(Menu->Images(), nullptr);
}

TEST_F(SkinImagesMenuTest, MenuFreedWhileOpen_WindowGoesAwayQuietly)
{
    Open();
    HWND h = Menu->Window()->Handle();
    Menu->Free();
    Menu = nullptr;
    EXPECT_FALSE(IsWindowVisible(h));
    Driver.ProcessMessages();
    Driver.Press(VK_RETURN);
    EXPECT_TRUE(Log.empty());
}

// ---- a drop-down button below this layer ----

TEST_F(SkinImagesMenuTest, MenuSpeedButton_OpensItBelowAndIsRaisedWhenAnEntryIsChosen)
{
    auto* button = new TskSkinMenuSpeedButton(Form);
    button->SetParent(Form);
    button->SetBounds(100, 100, 60, 25);
    button->SetSkinImagesMenu(Menu);
    button->SetUseImagesMenuImage(true);
    button->OnHideTrackMenu = [this](TObject*) { Log.push_back("button raised"); };
    Driver.Click(Point(110, 110));
    ASSERT_NE(Menu->Window(), nullptr);
    EXPECT_TRUE(Menu->Window()->Open());
    EXPECT_EQ(Menu->Window()->Top(), 125);
    EXPECT_TRUE(button->Down());
    Driver.Click(CellPoint(2));
    EXPECT_FALSE(button->Down());
    EXPECT_EQ(Menu->ItemIndex(), 2);
    ASSERT_FALSE(Log.empty());
    EXPECT_EQ(Log.front(), "button raised");
    // The chosen entry's image is now the button's picture.
    EXPECT_EQ(Driver.PixelAt(Form->Handle(), 122, 112) & 0x00FFFFFF, ColorToPixel(clRed) & 0x00FFFFFF);
}
