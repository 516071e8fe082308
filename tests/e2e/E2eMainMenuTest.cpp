// A form's main menu as a person works it, in forms of the suite's own opened by the form host: on the
// skinned frame (a skin that draws menu items there) and in a main-menu bar (the built-in skin), by the
// mouse and by the keyboard (a tap of Alt or F10, the arrows, Enter, Escape, Alt with an accelerator,
// a short cut). What a chosen item did is read from the host's report of its click handler.
#include <sys/stat.h>

#include <fstream>

#include "E2eJourney.h"
#include "platform/gfx/Bmp.h"

namespace {

// Colours of the frame-menu skin the journey writes.
constexpr TPixel ItemRest = 0x00909090;
constexpr TPixel ItemLit = 0x0070B0F0;
constexpr TPixel ItemDown = 0x00203090;
// The plain look of the bar's items (the built-in skin has no menu bar entry).
constexpr TPixel BarHot = 0x00B6BDD2;
constexpr TPixel BarDown = 0x008593B5;

// A frame skin of plain blocks: a caption band of 22 rows, a menu band of 20 rows below it (where the
// items stand, from 4 pixels in), borders of 4 pixels. Returns the skin ini's path.
std::string WriteFrameMenuSkin(const std::string& Folder)
{
    mkdir(Folder.c_str(), 0755);
    TSurface frame(240, 120);
    frame.Fill(0xFF404850);
    frame.FillRect(TRect{4, 22, 236, 42}, 0xFF707880);
    frame.FillRect(TRect{4, 42, 236, 116}, 0xFFE0E0E0);
    SaveBmpToFile(Folder + "/frame.bmp", frame, 24);
    TSurface items(120, 20);
    items.FillRect(TRect{0, 0, 40, 20}, 0xFF000000 | ItemRest);
    items.FillRect(TRect{40, 0, 80, 20}, 0xFF000000 | ItemLit);
    items.FillRect(TRect{80, 0, 120, 20}, 0xFF000000 | ItemDown);
    SaveBmpToFile(Folder + "/items.bmp", items, 24);
    const std::string ini = Folder + "/menuskin.ini";
    std::ofstream(ini) << "[VERSION]\nskinname=Menu Journey\n"
                          "[PICTURES]\npicture=frame.bmp\nactivepicturescount=1\n0=items.bmp\n"
                          "[FORMINFO]\nlefttoppoint=4,42\nrighttoppoint=236,42\nleftbottompoint=4,116\n"
                          "rightbottompoint=236,116\nclientrect=4,42,236,116\ncaptionrect=4,2,236,22\n"
                          "mainmenurect=4,22,236,42\nborderwidth=3\n"
                          "[SKINCOLORS]\n"
                          "[SKINOBJECTS]\ncount=1\n0=MAINMENUITEM:mainmenuitem\n"
                          "[MAINMENUITEM]\nskinrectinapicture=1\nactivepictureindex=0\nskinrect=0,0,40,20\n"
                          "activeskinrect=40,0,80,20\ndownrect=80,0,120,20\nitemleftoffset=6\nitemrightoffset=6\n"
                          "fontname=DejaVu Sans\nfontheight=13\nfontcolor=0\nactivefontcolor=0\ndownfontcolor=16777215\n"
                          "[SKINCONTROLS]\ncount=0\n";
    return ini;
}

class TMainMenuJourney : public TJourney {
protected:
    TScreenWindow Form;
    // The band the items stand in, in screen pixels, and the left edge of the first item.
    TRect Band;

    void StartFrameMenu()
    {
        ASSERT_NO_FATAL_FAILURE(StartForm("FrameMenuForm.dfm", WriteFrameMenuSkin(Home.Root + "/skin"), "Frame menu journey", Form));
        Band = TRect{Form.Rect.Left + 4, Form.Rect.Top + 22, Form.Rect.Right - 4, Form.Rect.Top + 42};
        GiveFocus();
    }
    // The bar at the top of the client area of a form in the built-in skin.
    void StartBarForm(const std::string& FormFile, const std::string& Title)
    {
        ASSERT_NO_FATAL_FAILURE(StartForm(FormFile, std::string(OMBRIX_SOURCE_DIR "/skins/slate/slate.ini"), Title, Form));
        const int border = (Form.Rect.Width() - 420) / 2;
        const int clientTop = Form.Rect.Bottom - border - 260;
        Band = TRect{Form.Rect.Left + border + 2, clientTop + 2, Form.Rect.Right - border - 2, clientTop + 20};
        GiveFocus();
    }
    // A click on the client area, so that the keys go to the form (there may be no window manager to
    // give it the focus); then the display has given it the keyboard.
    void GiveFocus() const
    {
        D().Click(Form.Rect.Left + Form.Rect.Width() / 2, Form.Rect.Bottom - 40);
        EXPECT_TRUE(WaitUntil([&] { return D().FocusWindow() == Form.Id; }, 10s)) << "the form did not get the keyboard";
    }

    // The columns of Band (on its middle row) in colour C, as a span; empty when none.
    TRect SpanOf(TPixel C) const
    {
        const TSurface shown = D().Grab(Band);
        const int y = Band.Height() / 2;
        int left = -1;
        int right = -1;
        for (int x = 0; x < shown.Width(); ++x)
            if (CloseColour(shown.Pixel(x, y) & 0x00FFFFFF, C, 12)) {
                if (left < 0) left = x;
                right = x + 1;
            }
        if (left < 0) return TRect{};
        return TRect{Band.Left + left, Band.Top, Band.Left + right, Band.Bottom};
    }
    // Waits until the band shows an item in colour C; its span.
    TRect WaitForItem(TPixel C) const
    {
        TRect span;
        WaitUntil(
            [&] {
                span = SpanOf(C);
                return !span.IsEmpty();
            },
            10s);
        return span;
    }
    bool NoItemIn(TPixel C) const
    {
        return WaitUntil([&] { return SpanOf(C).IsEmpty(); }, 10s);
    }
    TPoint FirstItem() const { return TPoint{Band.Left + 14, Middle(Band).Y}; }
    // The open menu's item Index (20 pixels each, 3 pixels below its top edge).
    TPoint MenuItem(const TScreenWindow& Menu, int Index) const
    {
        return TPoint{Menu.Rect.Left + 20, Menu.Rect.Top + 3 + 20 * Index + 10};
    }
    // The open menu once it stands with its left edge within 3 pixels of X.
    std::optional<TScreenWindow> WaitForMenuAt(int X) const
    {
        std::optional<TScreenWindow> menu;
        WaitUntil(
            [&] {
                menu = WaitForPopup(1s);
                return menu && std::abs(menu->Rect.Left - X) <= 3;
            },
            10s);
        return menu && std::abs(menu->Rect.Left - X) <= 3 ? menu : std::nullopt;
    }

    // The mouse journey both menus share: lit under the pointer, pressed opens under the item, the
    // pointer moves the open menu to the next item, a sub-item runs, a second press closes, a command
    // item runs.
    void WorkByMouse(TPixel Lit, TPixel Down)
    {
        D().MoveTo(FirstItem().X, FirstItem().Y);
        const TRect file = WaitForItem(Lit);
        ASSERT_FALSE(file.IsEmpty()) << "the first item does not light up under the pointer";
        Click(FirstItem());
        std::optional<TScreenWindow> menu = WaitForPopup();
        ASSERT_TRUE(menu.has_value()) << "a press on File opened no menu";
        EXPECT_LE(std::abs(menu->Rect.Left - file.Left), 3);
        // Just under the item (the band is a little lower than the item's bottom edge).
        EXPECT_GE(menu->Rect.Top, Band.Bottom - 2);
        EXPECT_LE(menu->Rect.Top, Band.Bottom + 8);
        const TRect pressed = WaitForItem(Down);
        ASSERT_FALSE(pressed.IsEmpty()) << "File does not show pressed while its menu is open";
        Picture("file-open");
        // The pointer on Edit moves the menu there, without a press.
        D().MoveTo(pressed.Right + 14, Middle(Band).Y);
        menu = WaitForMenuAt(pressed.Right);
        ASSERT_TRUE(menu.has_value()) << "the open menu did not move to Edit";
        Picture("edit-open");
        Click(MenuItem(*menu, 1));
        EXPECT_TRUE(HostSaid("click mnuPaste"));
        EXPECT_TRUE(PopupGone());
        // A second press on the open item closes its menu.
        Click(FirstItem());
        ASSERT_TRUE(WaitForPopup().has_value());
        Click(FirstItem());
        EXPECT_TRUE(PopupGone()) << "a press on the item whose menu is open did not close it";
    }
};

// ---- The menu on the frame ----

TEST_P(TMainMenuJourney, FrameMenu_ByMouse)
{
    ASSERT_NO_FATAL_FAILURE(StartFrameMenu());
    // The items stand at rest in the band.
    EXPECT_FALSE(WaitForItem(ItemRest).IsEmpty()) << "the frame shows no menu items";
    Picture("frame-menu");
    ASSERT_NO_FATAL_FAILURE(WorkByMouse(ItemLit, ItemDown));
}

TEST_P(TMainMenuJourney, FrameMenu_ByKeyboard)
{
    ASSERT_NO_FATAL_FAILURE(StartFrameMenu());
    // A short cut of the menu runs its item from the form.
    D().Key("o", {"Control_L"});
    EXPECT_TRUE(HostSaid("click mnuOpen"));

    // A tap of Alt lights File; Right twice passes the disabled View and lights About; Enter runs it.
    D().Key("Alt_L");
    const TRect file = WaitForItem(ItemLit);
    ASSERT_FALSE(file.IsEmpty()) << "a tap of Alt lit no item";
    EXPECT_LE(std::abs(file.Left - Band.Left), 2);
    Picture("alt-lights-file");
    D().Key("Right");
    D().Key("Right");
    D().Key("Return");
    EXPECT_TRUE(HostSaid("click mnuAbout"));
    EXPECT_TRUE(NoItemIn(ItemLit)) << "the menu stayed lit after its command ran";

    // F10, Down opens File; Right moves the open menu to Edit; Down, Enter choose Paste.
    D().Key("F10");
    ASSERT_FALSE(WaitForItem(ItemLit).IsEmpty()) << "F10 lit no item";
    D().Key("Down");
    std::optional<TScreenWindow> menu = WaitForPopup();
    ASSERT_TRUE(menu.has_value()) << "Down opened no menu";
    const TRect down = WaitForItem(ItemDown);
    D().Key("Right");
    menu = WaitForMenuAt(down.Right);
    ASSERT_TRUE(menu.has_value()) << "Right did not move the open menu to Edit";
    D().Key("Down");
    D().Key("Return");
    EXPECT_TRUE(HostSaid("click mnuPaste"));
    EXPECT_TRUE(PopupGone());

    // Alt+F opens File at once; Escape closes the menu and leaves File lit; Escape again ends.
    D().Key("f", {"Alt_L"});
    ASSERT_TRUE(WaitForPopup().has_value()) << "Alt+F opened no menu";
    D().Key("Escape");
    EXPECT_TRUE(PopupGone());
    EXPECT_FALSE(WaitForItem(ItemLit).IsEmpty()) << "File is not lit after Escape closed its menu";
    D().Key("Escape");
    EXPECT_TRUE(NoItemIn(ItemLit));
    // The accelerator of an item inside the open menu runs it.
    D().Key("f", {"Alt_L"});
    ASSERT_TRUE(WaitForPopup().has_value());
    D().Key("s");
    EXPECT_TRUE(HostSaid("click mnuSave"));
    EXPECT_TRUE(PopupGone());
}

// ---- The main-menu bar ----

TEST_P(TMainMenuJourney, MenuBar_ByMouse)
{
    ASSERT_NO_FATAL_FAILURE(StartBarForm("MenuBarForm.dfm", "Menu bar journey"));
    Picture("menu-bar");
    ASSERT_NO_FATAL_FAILURE(WorkByMouse(BarHot, BarDown));
    Click(FirstItem());
    ASSERT_TRUE(WaitForPopup().has_value());
    D().Key("Escape");
    EXPECT_TRUE(PopupGone());
}

TEST_P(TMainMenuJourney, MenuBar_ByKeyboard)
{
    ASSERT_NO_FATAL_FAILURE(StartBarForm("MenuBarForm.dfm", "Menu bar journey"));
    D().Key("o", {"Control_L"});
    EXPECT_TRUE(HostSaid("click mnuOpen"));
    // Left from the first item wraps to the last.
    D().Key("Alt_L");
    ASSERT_FALSE(WaitForItem(BarHot).IsEmpty()) << "a tap of Alt lit no item of the bar";
    D().Key("Left");
    D().Key("Return");
    EXPECT_TRUE(HostSaid("click mnuAbout"));
    D().Key("F10");
    ASSERT_FALSE(WaitForItem(BarHot).IsEmpty()) << "F10 lit no item of the bar";
    D().Key("Down");
    ASSERT_TRUE(WaitForPopup().has_value()) << "Down opened no menu";
    D().Key("Down");
    D().Key("Return");
    EXPECT_TRUE(HostSaid("click mnuSave"));
    EXPECT_TRUE(PopupGone());
    D().Key("e", {"Alt_L"});
    ASSERT_TRUE(WaitForPopup().has_value()) << "Alt+E opened no menu";
    Picture("alt-e");
    D().Key("Escape");
    EXPECT_TRUE(PopupGone());
    EXPECT_FALSE(WaitForItem(BarHot).IsEmpty()) << "Edit is not lit after Escape closed its menu";
    D().Key("Escape");
    EXPECT_TRUE(NoItemIn(BarHot));
}

TEST_P(TMainMenuJourney, FormsOwnMenu_ShownInABar_WhenTheSkinDrawsNoMenuOnTheFrame)
{
    ASSERT_NO_FATAL_FAILURE(StartBarForm("MainMenuForm.dfm", "Main menu journey"));
    D().MoveTo(FirstItem().X, FirstItem().Y);
    ASSERT_FALSE(WaitForItem(BarHot).IsEmpty()) << "the form's menu is shown nowhere";
    Click(FirstItem());
    const std::optional<TScreenWindow> menu = WaitForPopup();
    ASSERT_TRUE(menu.has_value());
    Picture("own-menu-open");
    Click(MenuItem(*menu, 0));
    EXPECT_TRUE(HostSaid("click mnuOpen"));
}

} // namespace

E2E_JOURNEY(TMainMenuJourney);
