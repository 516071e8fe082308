// The frame's caption buttons, its system menu and the keys it takes, driven the way a user drives
// them: the pointer on the frame, right clicks on the caption, Alt+Space and the arrow keys.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/vcl/TMenu.h"
#include "platform/win/Window.h"
#include "skin/form/TskActiveSkinObject.h"
#include "skin/form/TskFormFrame.h"
#include "skin/form/TskSkinMenu.h"
#include "skin/form/TskSkinPopupWindow.h"
#include "FrameTestSupport.h"

using namespace frametest;

namespace {

struct FrameMenus : FrameTest {
    void ShowActive()
    {
        ShowForm();
        Driver.FocusIn(Form->Handle());
        Driver.ProcessMessages();
    }
    TPoint Screen(int x, int y) const { return TPoint{Form->Left() + x, Form->Top() + y}; }
    void ClickAt(int x, int y, int button = 1)
    {
        Driver.Click(Screen(x, y), button);
        Driver.ProcessMessages();
    }
    void Key(WORD vk, bool alt = false)
    {
        Driver.Press(vk, false, false, alt);
        Driver.ProcessMessages();
    }
    TskSkinMenu* Menu() const { return Frame->SkinMenu(); }
    // The captions the open system menu shows, "-" for a separator.
    std::vector<std::string> Shown() const
    {
        std::vector<std::string> out;
        if (Menu()->WindowCount() == 0) return out;
        TskSkinPopupWindow* w = Menu()->Windows(0);
        for (int i = 0; i < w->ItemCount(); ++i) out.push_back(w->Items(i)->MenuItem->Caption());
        return out;
    }
    TskActiveSkinObject* Button(const std::string& name) const { return Frame->FindObject(name); }
};

// The four stdbutton objects of a skin that has a button area: close, maximize and minimize on the
// right, the system menu on the left.
std::vector<std::pair<std::string, std::string>> SkinButtons()
{
    return {{"closebtn:stdbutton", "skinrect=80,2,90,12\ncommand=cmclose\n"},
        {"maxbtn:stdbutton", "skinrect=70,2,80,12\ncommand=cmmaximize\n"},
        {"minbtn:stdbutton", "skinrect=60,2,70,12\ncommand=cmminimize\n"},
        {"sysbtn:stdbutton", "skinrect=6,2,14,10\ncommand=cmsysmenu\n"}};
}

// ---- Caption buttons ----

TEST_F(FrameMenus, DefaultButtons_StandInTheCaption_LightUnderThePointer_AndCloseCloses)
{
    int closed = 0;
    Form->OnClose = [&](TObject*, TCloseAction&) { ++closed; };
    ShowActive();
    // Close, maximize, minimize and roll-up from the right, 17 pixels each; the menu button on the left.
    EXPECT_EQ(Button("closebutton")->ObjectRect, Rect(280, 3, 297, 20));
    EXPECT_EQ(Button("rollupbutton")->ObjectRect, Rect(229, 3, 246, 20));
    EXPECT_EQ(Button("sysmenubutton")->ObjectRect, Rect(3, 3, 20, 20));
    EXPECT_FALSE(Button("traybutton")->Visible);
    EXPECT_EQ(SendMessage(Form->Handle(), WM_NCHITTEST, 0, MAKELPARAM(Screen(288, 10).X, Screen(288, 10).Y)), HTOBJECT);
    Driver.MoveTo(Screen(288, 10));
    Driver.ProcessMessages();
    Save("frame-default-close-hot.bmp");
    EXPECT_EQ(At(282, 5), Px(static_cast<TColor>(0xD2BDB6)));
    ClickAt(288, 10);
    EXPECT_EQ(closed, 1);
    EXPECT_FALSE(Form->Visible());
}

TEST_F(FrameMenus, NoBorderIcons_OnlyCloseIsOffered)
{
    Frame->SetBorderIcons(TskBorderIcons{});
    ShowActive();
    EXPECT_TRUE(Button("closebutton")->Visible);
    for (const char* name : {"maxbutton", "minbutton", "rollupbutton", "sysmenubutton"}) EXPECT_FALSE(Button(name)->Visible) << name;
    // The caption reaches over where the hidden buttons would be.
    EXPECT_EQ(Frame->DefaultCaptionRect(), Rect(3, 3, 280, 19));
    ClickAt(150, 10, 2);
    ASSERT_TRUE(Menu()->Active());
    EXPECT_EQ(Shown(), (std::vector<std::string>{"&Close"}));
}

TEST_F(FrameMenus, SkinButtons_LinedUpInTheButtonArea_DisabledOnesKeepTheirPlace)
{
    TFrameSkin skin("buttonsoffset=2\n", "", false, SkinButtons());
    Frame->SetBorderIcons(TskBorderIcons{TskBorderIcon::biSystemMenu, TskBorderIcon::biMinimize});
    Frame->SetSkinData(skin.Skin.get());
    ShowActive();
    // The area (70, 2, 95, 14) follows the right edge of the 300-pixel window: (270, 2, 295, 14).
    EXPECT_EQ(Button("closebtn")->ObjectRect, Rect(285, 2, 295, 12));
    EXPECT_EQ(Button("maxbtn")->ObjectRect, Rect(273, 2, 283, 12));
    EXPECT_FALSE(Button("maxbtn")->Enabled);
    EXPECT_EQ(Button("minbtn")->ObjectRect, Rect(261, 2, 271, 12));
    // The system-menu button opens the caption, centred in its height; the caption ends at the buttons.
    EXPECT_EQ(Button("sysbtn")->ObjectRect, Rect(5, 4, 13, 12));
    EXPECT_EQ(Frame->Layout().CaptionRect, Rect(13, 2, 259, 14));
    // A disabled button is no button for the pointer: the caption lies under it.
    EXPECT_EQ(Hit(277, 6), HTCAPTION);
    Frame->SetSkinData(nullptr);
}

TEST_F(FrameMenus, Hints_StandardTexts_RestoreWhileTheStateHolds)
{
    ShowActive();
    EXPECT_EQ(Button("closebutton")->Hint, "Close");
    EXPECT_EQ(Button("rollupbutton")->Hint, "Roll Up");
    Driver.MoveTo(Screen(271, 10));
    Driver.ProcessMessages();
    EXPECT_EQ(Button("maxbutton")->Hint, "Maximize");
    ClickAt(271, 10);
    ASSERT_TRUE(Frame->Maximized());
    // The maximize button now sits elsewhere: find it and point at it again.
    const TRect r = Button("maxbutton")->ObjectRect;
    Driver.MoveTo(Screen(r.Left + 5, r.Top + 5));
    Driver.AdvanceClock(100);
    EXPECT_EQ(Button("maxbutton")->Hint, "Restore");
}

TEST_F(FrameMenus, HideCaptionButtons_ButtonsGone_MenuStillOpensOnTheCaption)
{
    Frame->SetHideCaptionButtons(true);
    ShowActive();
    for (const char* name : {"closebutton", "maxbutton", "sysmenubutton"}) {
        EXPECT_FALSE(Button(name)->Enabled) << name;
        EXPECT_FALSE(Button(name)->Visible) << name;
    }
    ClickAt(150, 10, 2);
    EXPECT_TRUE(Menu()->Active());
}

// ---- The system menu ----

TEST_F(FrameMenus, MenuButton_OpensOnPressUnderIt_WithTheNormalStateItems)
{
    ShowActive();
    Driver.MoveTo(Screen(10, 10));
    Driver.ProcessMessages();
    Driver.ButtonDown();
    Driver.ProcessMessages();
    ASSERT_TRUE(Menu()->Active());
    EXPECT_EQ(Menu()->Windows(0)->WindowPos(), Screen(3, 20));
    EXPECT_EQ(Shown(), (std::vector<std::string>{"Mi&nimize", "Ma&ximize", "Ro&llUp", "-", "&Close"}));
    EXPECT_EQ(Menu()->Windows(0)->Items(4)->MenuItem->ShortCut(), ShortCut(VK_F4, false, false, true));
    Driver.ButtonUp();
    Driver.ProcessMessages();
    EXPECT_TRUE(Menu()->Active());
}

TEST_F(FrameMenus, MenuFollowsTheState_MaximizedAndRolledUp)
{
    ShowActive();
    Frame->SetFrameWindowState(FrameStateMaximized);
    Driver.ProcessMessages();
    ClickAt(150, 10, 2);
    EXPECT_EQ(Shown(), (std::vector<std::string>{"Mi&nimize", "&Restore", "Ro&llUp", "-", "&Close"}));
    Key(VK_ESCAPE);
    Frame->SetFrameWindowState(FrameStateNormal);
    Frame->RollUpFrame(true);
    Driver.ProcessMessages();
    ClickAt(150, 10, 2);
    EXPECT_EQ(Shown(), (std::vector<std::string>{"Mi&nimize", "Ma&ximize", "&Restore", "-", "&Close"}));
}

TEST_F(FrameMenus, AfterAMenuOnTheCaption_TheButtonsStillAnswer)
{
    ShowActive();
    // The menu opens under the pointer and takes the right button's release.
    ClickAt(150, 10, 2);
    ASSERT_TRUE(Menu()->Active());
    Key(VK_ESCAPE);
    Driver.AdvanceClock(1000);
    Driver.MoveTo(Screen(10, 10));
    Driver.ProcessMessages();
    Driver.ButtonDown();
    Driver.ProcessMessages();
    EXPECT_TRUE(Menu()->Active());
    Driver.ButtonUp();
    Driver.ProcessMessages();
}

TEST_F(FrameMenus, AltSpace_OpensUnderTheMenuButton_ArrowsAndEnterChooseAnItem)
{
    ShowActive();
    Key(VK_SPACE, true);
    ASSERT_TRUE(Menu()->Active());
    EXPECT_EQ(Menu()->Windows(0)->WindowPos(), Screen(3, 20));
    // Letting go of Alt did not close it; the keys are the menu's now.
    Key(VK_DOWN);
    Key(VK_RETURN);
    EXPECT_FALSE(Menu()->Active());
    EXPECT_TRUE(Frame->Maximized());
}

TEST_F(FrameMenus, RestoreItem_RollsARolledUpFrameDown)
{
    ShowActive();
    Frame->RollUpFrame(true);
    Driver.ProcessMessages();
    ASSERT_EQ(Form->Height(), Frame->GetMinHeight());
    Key(VK_SPACE, true);
    // Minimize, maximize, restore: the third.
    Key(VK_DOWN);
    Key(VK_DOWN);
    Key(VK_RETURN);
    EXPECT_FALSE(Frame->RolledUp());
    EXPECT_EQ(Form->Height(), 200);
}

TEST_F(FrameMenus, Escape_ClosesTheMenu_AndKeysGoToTheFormAgain)
{
    std::vector<WORD> formKeys;
    Form->SetKeyPreview(true);
    Form->OnKeyDown = [&](TObject*, WORD& key, TShiftState) { formKeys.push_back(key); };
    ShowActive();
    Key(VK_SPACE, true);
    Key(VK_DOWN);
    auto sawDown = [&] { return std::count(formKeys.begin(), formKeys.end(), VK_DOWN) > 0; };
    EXPECT_FALSE(sawDown());
    Key(VK_ESCAPE);
    EXPECT_FALSE(Menu()->Active());
    Key(VK_DOWN);
    EXPECT_TRUE(sawDown());
    EXPECT_FALSE(Frame->Maximized());
}

TEST_F(FrameMenus, DisableSystemMenu_NoMenuByRightClickOrAltSpace)
{
    Frame->SetDisableSystemMenu(true);
    ShowActive();
    EXPECT_FALSE(Button("sysmenubutton")->Visible);
    ClickAt(150, 10, 2);
    EXPECT_FALSE(Menu()->Active());
    Key(VK_SPACE, true);
    EXPECT_FALSE(Menu()->Active());
}

TEST_F(FrameMenus, OnShortCut_IsAskedFirst_AndMayTakeAltSpace)
{
    std::vector<WPARAM> seen;
    Frame->OnShortCut = [&](TMessage& m, bool& handled) {
        seen.push_back(m.WParam);
        handled = m.WParam == VK_SPACE;
    };
    ShowActive();
    Key(VK_SPACE, true);
    EXPECT_FALSE(Menu()->Active());
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.back(), static_cast<WPARAM>(VK_SPACE));
}

TEST_F(FrameMenus, UserSystemMenu_KeepsItsItemsBetweenTheFramesAfterEveryOpening)
{
    TPopupMenu user(nullptr);
    auto* about = new TMenuItem(&user);
    about->SetCaption("About");
    user.Items()->Add(about);
    Frame->SetSystemMenu(&user);
    ShowActive();
    const std::vector<std::string> expected{"Mi&nimize", "Ma&ximize", "Ro&llUp", "About", "&Close"};
    ClickAt(150, 10, 2);
    EXPECT_EQ(Shown(), expected);
    Key(VK_ESCAPE);
    // Not so soon that the two clicks make a double click.
    Driver.AdvanceClock(1000);
    ClickAt(150, 10, 2);
    EXPECT_EQ(Shown(), expected);
    Key(VK_ESCAPE);
    Frame->SetSystemMenu(nullptr);
}

TEST_F(FrameMenus, CloseItem_ClosesTheForm_ThatMayFreeItsFrame)
{
    auto* form = new TForm(nullptr);
    form->SetBounds(100, 80, 300, 200);
    auto* frame = new TskFormFrame(form);
    form->OnClose = [](TObject*, TCloseAction& action) { action = caFree; };
    form->Show();
    Driver.FocusIn(form->Handle());
    Driver.ProcessMessages();
    const HWND h = form->Handle();
    frame->ShowSystemMenuAt(TPoint{150, 100});
    ASSERT_TRUE(frame->SkinMenu()->Active());
    // Up from the first item wraps to the last: close.
    Key(VK_UP);
    Key(VK_RETURN);
    Driver.ProcessMessages();
    EXPECT_FALSE(IsWindow(h));
}

} // namespace
