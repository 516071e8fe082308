#include "skin/form/TskSkinImagesMenu.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/backend/THeadlessDriver.h"
#include "platform/vcl/TBitmap.h"
#include "platform/vcl/TCustomImageList.h"
#include "platform/vcl/TForm.h"
#include "skin/controls/TskSkinMenuSpeedButton.h"

namespace {

struct SkinImagesMenuTest : ::testing::Test {
    THeadlessDriver Driver;
    TForm* Form = nullptr;
    TCustomImageList* Images = nullptr;
    TskSkinImagesMenu* Menu = nullptr;
    std::vector<std::string> Log;

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
