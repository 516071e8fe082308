#include "skin/controls/TskSkinMenuSpeedButton.h"

#include <vector>

#include "BarsTestSkin.h"
#include "platform/vcl/TMenu.h"
#include "platform/vcl/TypInfo.h"
#include "skin/controls/TskSkinControl.h"
#include "skin/controls/TskSkinToolBar.h"
#include "skin/data/SkinMessages.h"

using namespace skintest;

namespace {

// What the menus layer would do, recorded: which menu opened, for which control, beside which rectangle.
struct TOpened {
    TComponent* Menu = nullptr;
    TControl* Control = nullptr;
    TRect R;
};

// A popup menu of the layer above, reduced to recording where it was asked to open.
class TRecordingMenu : public TPopupMenu {
public:
    TRecordingMenu(TComponent* AOwner, std::vector<TOpened>& Opened) : TPopupMenu(AOwner), FOpened(Opened) {}
    void PopupFromRect(TControl* Control, const TRect& R, bool) override { FOpened.push_back({this, Control, R}); }

private:
    std::vector<TOpened>& FOpened;
};

// An images menu of the layer above, reduced to recording its opening and keeping its close handler.
class TRecordingImagesMenu : public TComponent, public TskTrackImagesMenu {
public:
    TRecordingImagesMenu(TComponent* AOwner, std::vector<TOpened>& Opened, TNotifyEvent& Close, const bool& Opens)
        : TComponent(AOwner), FOpened(Opened), FClose(Close), FOpens(Opens)
    {
    }
    bool TrackPopup(const TRect& R, TNotifyEvent OnClose) override
    {
        FOpened.push_back({this, nullptr, R});
        FClose = std::move(OnClose);
        return FOpens;
    }
    bool TrackSelected(TCustomImageList*& Images, int& ImageIndex, std::string& Caption) const override
    {
        if (SelectedImages == nullptr) return false;
        Images = SelectedImages;
        ImageIndex = 0;
        Caption = "Chosen";
        return true;
    }
    TCustomImageList* SelectedImages = nullptr;

private:
    std::vector<TOpened>& FOpened;
    TNotifyEvent& FClose;
    const bool& FOpens;
};

struct MenuButtonTest : SkinFormTest {
    TBarsSkin Bars;
    std::vector<TOpened> Opened;
    TNotifyEvent ImagesClose;
    bool ImagesOpens = true;
    int Clicks = 0, Shown = 0, Hidden = 0;
    TPopupMenu* Menu = nullptr;

    void SetUp() override
    {
        SkinFormTest::SetUp();
        RegisterSkinControlClasses();
        Menu = new TRecordingMenu(Form, Opened);
    }
    TRecordingImagesMenu* ImagesMenu() { return new TRecordingImagesMenu(Form, Opened, ImagesClose, ImagesOpens); }
    TskSkinMenuSpeedButton* Button(TRect R, bool Skinned, bool WithMenu = true)
    {
        auto* b = new TskSkinMenuSpeedButton(Form);
        b->SetParent(Form);
        if (Skinned) b->SetSkinData(Bars.Skin.get());
        b->SetBoundsRect(R);
        if (WithMenu) b->SetSkinPopupMenu(Menu);
        b->OnClick = [this](TObject*) { ++Clicks; };
        b->OnShowTrackMenu = [this](TObject*) { ++Shown; };
        b->OnHideTrackMenu = [this](TObject*) { ++Hidden; };
        return b;
    }
    void Press(TPoint P)
    {
        Driver.MoveTo(P);
        Driver.ButtonDown();
    }
};

using MenuButtonTracking = MenuButtonTest;
using MenuButtonClosing = MenuButtonTest;
using MenuButtonImagesMenu = MenuButtonTest;
using MenuButtonLook = MenuButtonTest;

} // namespace

TEST_F(MenuButtonTracking, TrackMode_PressOnTheFifteenPixelZoneOpens_OneLeftIsAPlainClick)
{
    auto* b = Button(Rect(10, 10, 70, 40), false);
    b->SetTrackButtonMode(true);
    ShowForm();
    EXPECT_TRUE(b->CanMenuTrack(60 - 15, 5));
    EXPECT_FALSE(b->CanMenuTrack(60 - 16, 5));

    Driver.Click(Point(10 + 60 - 16, 25));
    EXPECT_EQ(Clicks, 1);
    EXPECT_TRUE(Opened.empty());

    Press(Point(10 + 60 - 15, 25));
    ASSERT_EQ(Opened.size(), 1u);
    EXPECT_EQ(Opened[0].Menu, Menu);
    EXPECT_EQ(Opened[0].Control, b);
    EXPECT_EQ(Clicks, 1);
    EXPECT_EQ(Shown, 1);
}

TEST_F(MenuButtonTracking, PlainMode_AnyPressOpensBelowTheButtonsScreenRectangle)
{
    auto* b = Button(Rect(10, 10, 70, 40), false);
    ShowForm();
    Press(Point(15, 15));
    ASSERT_EQ(Opened.size(), 1u);
    const TPoint origin = b->ClientToScreen(Point(0, 0));
    EXPECT_EQ(Opened[0].R, Rect(origin.X, origin.Y, origin.X + 60, origin.Y + 30));
    EXPECT_TRUE(b->MenuTracking());
    EXPECT_TRUE(b->Down());
}

TEST_F(MenuButtonTracking, WithoutAMenu_ItIsAPlainSpeedButton)
{
    auto* b = Button(Rect(10, 10, 70, 40), false, false);
    b->SetTrackButtonMode(true);
    ShowForm();
    EXPECT_FALSE(b->CanMenuTrack(55, 5));
    Driver.Click(Point(65, 25));
    EXPECT_EQ(Clicks, 1);
    EXPECT_EQ(Shown, 0);
    EXPECT_FALSE(b->Down());
}

TEST_F(MenuButtonTracking, SkinEntry_TheEntrysDropDownRectangleDecides)
{
    auto* b = Button(Rect(10, 10, 40, 30), true);
    b->SetTrackButtonMode(true);
    ShowForm();
    ASSERT_NE(b->SkinIndex(), -1);
    // "trackbuttonrect" is 20..30 of the 30-pixel picture; the plain zone would start at 15.
    EXPECT_TRUE(b->CanMenuTrack(20, 10));
    EXPECT_TRUE(b->CanMenuTrack(30, 20)); // right and bottom edges belong to it
    EXPECT_FALSE(b->CanMenuTrack(17, 10));
}

TEST_F(MenuButtonTracking, SkinEntry_WidenedNinePartPictureKeepsTheDropDownInPlace)
{
    auto* b = Button(Rect(10, 10, 40, 30), true);
    b->SetTrackButtonMode(true);
    b->SetUseSkinSize(false);
    ShowForm();
    // The entry is nine-part: its rectangle stays where the picture has it, whatever the width.
    b->SetBounds(10, 10, 60, 20);
    EXPECT_TRUE(b->CanMenuTrack(25, 10));
    EXPECT_FALSE(b->CanMenuTrack(50, 10));
}

TEST_F(MenuButtonTracking, PlainPopupMenu_IsPoppedAtTheLowerLeftCornerForTheButton)
{
    Menu = new TPopupMenu(Form);
    auto* b = Button(Rect(10, 10, 70, 40), false);
    ShowForm();
    Press(Point(20, 20));
    const TPoint origin = b->ClientToScreen(Point(0, 0));
    EXPECT_EQ(Menu->PopupPoint, Point(origin.X, origin.Y + 30));
    EXPECT_EQ(Menu->PopupComponent(), b);
    EXPECT_TRUE(b->MenuTracking());
}

TEST_F(MenuButtonClosing, MenuClose_RaisesTheButtonAndFiresOnHideOnce)
{
    auto* b = Button(Rect(10, 10, 70, 40), false);
    ShowForm();
    Press(Point(20, 20));
    Driver.ButtonUp(); // ignored while the menu is open
    EXPECT_TRUE(b->Down());
    Driver.Click(Point(400, 400)); // somewhere else: the menu layer closes its chain and tells the button
    b->Perform(WM_CLOSESKINMENU, 0, 0);
    EXPECT_FALSE(b->Down());
    EXPECT_FALSE(b->MenuTracking());
    EXPECT_EQ(Hidden, 1);
    EXPECT_EQ(Clicks, 0);
    b->Perform(WM_CLOSESKINMENU, 0, 0);
    EXPECT_EQ(Hidden, 1);
}

TEST_F(MenuButtonClosing, CloseOfAMenuTheButtonDidNotOpen_ChangesNothing)
{
    auto* b = Button(Rect(10, 10, 70, 40), false);
    b->SetGroupIndex(1);
    b->SetDown(true);
    ShowForm();
    b->Perform(WM_CLOSESKINMENU, 0, 0);
    EXPECT_TRUE(b->Down());
    EXPECT_EQ(Hidden, 0);
}

TEST_F(MenuButtonClosing, HoverWhileOpen_KeepsThePressedLook)
{
    auto* b = Button(Rect(10, 10, 70, 40), false);
    ShowForm();
    Press(Point(20, 20));
    Driver.ButtonUp();
    const TPixel pressed = At(30, 25);
    EXPECT_EQ(pressed, Px(SkinPressedFill));
    Driver.MoveTo(Point(400, 400));
    Driver.ProcessMessages();
    EXPECT_EQ(At(30, 25), pressed);
    b->Perform(WM_CLOSESKINMENU, 0, 0);
    Driver.ProcessMessages();
    EXPECT_EQ(At(30, 25), Px(clBtnFace));
}

TEST_F(MenuButtonClosing, MenuFreed_IsForgottenAndTheButtonIsPlainAgain)
{
    auto* b = Button(Rect(10, 10, 70, 40), false);
    ShowForm();
    delete Menu;
    Menu = nullptr;
    EXPECT_EQ(b->SkinPopupMenu(), nullptr);
    Driver.Click(Point(30, 25));
    EXPECT_EQ(Clicks, 1);
    EXPECT_TRUE(Opened.empty());
}

TEST_F(MenuButtonImagesMenu, OpensAfterThePopupMenuAndClosesThroughItsNotification)
{
    auto* images = ImagesMenu();
    auto* b = Button(Rect(10, 10, 70, 40), false);
    b->SetSkinImagesMenu(images);
    ShowForm();
    Press(Point(20, 20));
    ASSERT_EQ(Opened.size(), 2u);
    EXPECT_EQ(Opened[0].Menu, Menu);
    EXPECT_EQ(Opened[1].Menu, images);
    EXPECT_EQ(Shown, 2);
    ASSERT_TRUE(ImagesClose);
    ImagesClose(images);
    EXPECT_FALSE(b->Down());
    EXPECT_EQ(Hidden, 1);
}

TEST_F(MenuButtonImagesMenu, NothingOpened_TheButtonDoesNotStayDown)
{
    ImagesOpens = false;
    auto* b = Button(Rect(10, 10, 70, 40), false, false);
    b->SetSkinImagesMenu(ImagesMenu());
    ShowForm();
    Press(Point(20, 20));
    EXPECT_FALSE(b->Down());
    EXPECT_FALSE(b->MenuTracking());
    EXPECT_EQ(Shown, 1);
    EXPECT_EQ(Hidden, 1);
}

TEST_F(MenuButtonImagesMenu, ButtonFreedWhileOpen_TheLateCloseIsHarmless)
{
    auto* images = ImagesMenu();
    auto* b = Button(Rect(10, 10, 70, 40), false, false);
    b->SetSkinImagesMenu(images);
    ShowForm();
    Press(Point(20, 20));
    Driver.ButtonUp();
    delete b;
    ASSERT_TRUE(ImagesClose);
    ImagesClose(images);
    EXPECT_EQ(Hidden, 0);
}

TEST_F(MenuButtonImagesMenu, UseImagesMenuImage_ShowsTheChosenEntrysImageAndCaption)
{
    auto* list = new TCustomImageList(Form);
    list->SetWidth(8);
    list->SetHeight(8);
    TBitmap green(8, 8);
    Fill(green, Rect(0, 0, 8, 8), clLime);
    list->Add(&green, nullptr);
    TRecordingImagesMenu* images = ImagesMenu();
    images->SelectedImages = list;
    auto* b = Button(Rect(10, 10, 70, 40), false, false);
    b->SetSkinImagesMenu(images);
    ShowForm();
    EXPECT_EQ(CountColour(*this, Rect(10, 10, 70, 40), clLime), 0);
    b->SetUseImagesMenuImage(true);
    Driver.ProcessMessages();
    EXPECT_EQ(CountColour(*this, Rect(10, 10, 55, 40), clLime), 64);
}

TEST_F(MenuButtonLook, Default_TrackModeShowsFaceHotAndZonePressedWhileOpen)
{
    auto* b = Button(Rect(10, 10, 70, 40), false);
    b->SetTrackButtonMode(true);
    b->SetCaption("Go");
    ShowForm();
    Save("MenuSpeedButton_DefaultRest");
    EXPECT_EQ(At(10, 10), Px(clBtnShadow));
    EXPECT_EQ(At(12, 12), Px(clBtnFace));
    // The zone is framed on its own: its left edge is a frame line.
    EXPECT_EQ(At(10 + 45, 20), Px(clBtnShadow));
    // The arrow sits in the zone.
    EXPECT_GT(CountOther(*this, Rect(56, 11, 69, 39), clBtnFace), 0);
    Press(Point(65, 25));
    Driver.ButtonUp();
    Save("MenuSpeedButton_DefaultOpen");
    EXPECT_EQ(At(12, 12), Px(SkinHotFill));
    EXPECT_EQ(At(57, 12), Px(SkinPressedFill));
    b->Perform(WM_CLOSESKINMENU, 0, 0);
    Driver.ProcessMessages();
    EXPECT_EQ(At(57, 12), Px(clBtnFace));
}

TEST_F(MenuButtonLook, Skinned_MarkerPictureOfTheStateInTheZone)
{
    auto* b = Button(Rect(10, 10, 40, 30), true);
    ShowForm();
    ASSERT_NE(b->SkinIndex(), -1);
    Save("MenuSpeedButton_SkinnedRest");
    // The 15-pixel zone is 25..40; the 7 x 4 marker is centred there, its white left out.
    EXPECT_EQ(CountColour(*this, Rect(25, 10, 40, 30), cMarker), 10);
    EXPECT_EQ(At(26, 12), Px(cNormal));
    Press(Point(15, 15));
    Driver.ButtonUp();
    Save("MenuSpeedButton_SkinnedOpen");
    EXPECT_EQ(At(12, 12), Px(cDown));
    EXPECT_EQ(CountColour(*this, Rect(25, 10, 40, 30), cMarkerDown), 10);
}

TEST_F(MenuButtonLook, SkinnedWithoutMarkers_DrawsTheArrowInTheSkinsTextColour)
{
    auto* b = Button(Rect(10, 10, 40, 30), true);
    b->SetSkinDataName("plainmenubutton");
    ShowForm();
    EXPECT_GT(CountColour(*this, Rect(25, 10, 40, 30), clBlack), 0);
}

TEST_F(MenuButtonLook, ToolBarImages_StandInForAnEmptyGlyph)
{
    auto* list = new TCustomImageList(Form);
    list->SetWidth(8);
    list->SetHeight(8);
    TBitmap red(8, 8);
    Fill(red, Rect(0, 0, 8, 8), clRed);
    list->Add(&red, nullptr);
    auto* bar = new TskSkinToolBar(Form);
    bar->SetParent(Form);
    bar->SetBounds(0, 100, 300, 30);
    bar->SetImages(list);
    auto* b = new TskSkinMenuSpeedButton(Form);
    b->SetParent(bar);
    b->SetBounds(2, 2, 40, 26);
    b->SetImageIndex(0);
    b->SetSkinPopupMenu(Menu);
    ShowForm();
    EXPECT_GT(CountColour(*this, Rect(2, 102, 27, 128), clRed), 40);
}

TEST_F(MenuButtonLook, NewStyle_TakesTheResizeEntryName)
{
    auto* b = Button(Rect(10, 10, 70, 40), true);
    EXPECT_EQ(b->SkinDataName(), "toolmenubutton");
    b->SetNewStyle(true);
    EXPECT_EQ(b->SkinDataName(), "resizetoolbutton");
    b->SetTrackPosition(sktpBottom);
    b->SetTrackButtonMode(true);
    EXPECT_TRUE(b->CanMenuTrack(5, 30 - 15));
    EXPECT_FALSE(b->CanMenuTrack(5, 30 - 16));
    ShowForm();
    Save("MenuSpeedButton_NewStyle");
}

TEST(MenuSpeedButtonRegistration, KnownToTheFormReaderWithItsProperties)
{
    RegisterSkinControlClasses();
    const TClassInfo* info = FindClassInfo("TskSkinMenuSpeedButton");
    ASSERT_NE(info, nullptr);
    for (const char* name : {"SkinPopupMenu", "SkinImagesMenu", "TrackButtonMode", "NewStyle", "TrackPosition",
             "UseImagesMenuImage", "OnShowTrackMenu", "Flat", "SkinDataName"})
        EXPECT_NE(info->FindProp(name), nullptr) << name;
}
