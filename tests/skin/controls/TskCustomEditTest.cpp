#include "skin/controls/TskCustomEdit.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/THeadlessDriver.h"
#include "platform/vcl/TForm.h"
#include "platform/win/Screen.h"
#include "skin/controls/TskSkinButton.h"
#include "skin/data/SkinMessages.h"

namespace {

struct CustomEditTest : ::testing::Test {
    THeadlessDriver Driver;
    TForm* Form = nullptr;
    TskCustomEdit* Edit = nullptr;

    void SetUp() override
    {
        Form = new TForm(nullptr);
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(0, 0, 300, 120);
        Form->SetColor(clWhite);
        Edit = new TskCustomEdit(Form);
        Edit->SetParent(Form);
        Edit->SetBounds(10, 10, 200, 22);
        Form->Show();
        Driver.ProcessMessages();
        Edit->SetFocus();
        Driver.ProcessMessages();
    }
    void TearDown() override
    {
        Form->Free();
    }
    // The context menu the edit built for its last request (nil while none is open).
    TPopupMenu* Menu() const { return Edit->EditContextMenu(); }
    std::vector<std::string> Captions() const
    {
        std::vector<std::string> out;
        for (int i = 0; i < Menu()->Items()->Count(); ++i) out.push_back(Menu()->Items()->Items(i)->Caption());
        return out;
    }
    TMenuItem* Item(const std::string& Caption) const { return Menu()->Items()->Find(Caption); }
};

using CustomEditReadOnly = CustomEditTest;
using CustomEditKeys = CustomEditTest;
using CustomEditContextMenu = CustomEditTest;
using CustomEditTransparent = CustomEditTest;

} // namespace

TEST_F(CustomEditReadOnly, NoKeyChangesTheTextButSelectingAndCopyingWork)
{
    Edit->SetText("fixed");
    Edit->SetReadOnly(true);
    Edit->SetSelStart(5);
    Driver.Type("x");
    Driver.Press(VK_BACK);
    Driver.Press(VK_HOME);
    Driver.Press(VK_DELETE);
    Driver.Press(VK_RIGHT, true);
    Driver.Press(VK_RIGHT, true);
    Driver.Press('C', false, true);
    Driver.Press('X', false, true);
    Driver.Press('V', false, true);
    Driver.Press(VK_DELETE, true);
    Driver.Press('Z', false, true);
    Edit->Perform(WM_PASTE);
    Edit->Perform(WM_CLEAR);
    EXPECT_EQ(Edit->Text(), "fixed");
    EXPECT_EQ(Edit->SelText(), "fi");
    EXPECT_EQ(GetClipboardText(), "fi");
}

TEST_F(CustomEditKeys, EnterGoesToOnKeyPressThenToTheDefaultButton)
{
    auto* ok = new TskSkinButton(Form);
    ok->SetDefault(true);
    ok->SetParent(Form);
    ok->SetBounds(10, 60, 80, 25);
    int clicks = 0;
    ok->OnClick = [&](TObject*) { ++clicks; };
    std::vector<TKeyChar> seen;
    Edit->OnKeyPress = [&](TObject*, TKeyChar& Key) { seen.push_back(Key); };
    Edit->SetReadOnly(true);
    Driver.ProcessMessages();
    Driver.Press(VK_RETURN);
    EXPECT_EQ(seen, std::vector<TKeyChar>{13});
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(Edit->Text(), "");
}

TEST_F(CustomEditKeys, AKeyPressHandlerCanKeepEnterFromTheForm)
{
    auto* ok = new TskSkinButton(Form);
    ok->SetDefault(true);
    ok->SetParent(Form);
    int clicks = 0;
    ok->OnClick = [&](TObject*) { ++clicks; };
    Edit->OnKeyPress = [](TObject*, TKeyChar& Key) { Key = 0; };
    Driver.ProcessMessages();
    Driver.Press(VK_RETURN);
    EXPECT_EQ(clicks, 0);
}

TEST_F(CustomEditContextMenu, RightClickOffersTheEditCommandsInOrder)
{
    Edit->SetText("abc");
    const TPoint at = Edit->ClientToScreen({20, 5});
    Driver.Click(at, 2);
    ASSERT_NE(Menu(), nullptr);
    EXPECT_EQ(Menu()->PopupPoint, at);
    EXPECT_EQ(Menu()->PopupComponent(), Edit);
    EXPECT_EQ(Captions(), (std::vector<std::string>{"Undo", "-", "Cut", "Copy", "Paste", "Delete", "-", "Select All"}));
}

TEST_F(CustomEditContextMenu, ReadOnlyLeavesOnlyCopyAndSelectAll)
{
    SetClipboardText("clip");
    Edit->SetText("abcdef");
    Edit->SetReadOnly(true);
    Edit->Perform(EM_SETSEL, 1, 3);
    Edit->ShowEditContextMenu({50, 50});
    EXPECT_TRUE(Item("Copy")->Enabled());
    EXPECT_TRUE(Item("Select All")->Enabled());
    EXPECT_FALSE(Item("Cut")->Enabled());
    EXPECT_FALSE(Item("Paste")->Enabled());
    EXPECT_FALSE(Item("Delete")->Enabled());
    EXPECT_FALSE(Item("Undo")->Enabled());
}

TEST_F(CustomEditContextMenu, SelectAllIsOffOnceEverythingIsSelected)
{
    Edit->SetText("abc");
    Edit->SelectAll();
    Edit->ShowEditContextMenu({50, 50});
    EXPECT_FALSE(Item("Select All")->Enabled());
    EXPECT_TRUE(Item("Cut")->Enabled());
}

TEST_F(CustomEditContextMenu, KeyboardRequestOpensAtTheEditsCentre)
{
    Driver.Press(VK_APPS);
    ASSERT_NE(Menu(), nullptr);
    const TPoint origin = Edit->ClientToScreen({0, 0});
    EXPECT_EQ(Menu()->PopupPoint, Point(origin.X + 100, origin.Y + 11));
}

TEST_F(CustomEditContextMenu, ChosenCommandRunsAndTheMenuIsFreedAfterwards)
{
    Edit->SetText("hello world");
    Edit->Perform(EM_SETSEL, 0, 6);
    Edit->ShowEditContextMenu({50, 50});
    Item("Cut")->Click();
    EXPECT_EQ(Edit->Text(), "world");
    EXPECT_EQ(GetClipboardText(), "hello ");
    ASSERT_NE(Edit->EditContextMenu(), nullptr);
    SendMessage(Edit->Handle(), WM_AFTERSKINMENUCLICK, 0, 0);
    EXPECT_EQ(Edit->EditContextMenu(), nullptr);
}

TEST_F(CustomEditContextMenu, AnAssignedPopupMenuIsShownInstead)
{
    auto* own = new TPopupMenu(Form);
    Edit->SetPopupMenu(own);
    const TPoint at = Edit->ClientToScreen({20, 5});
    Driver.Click(at, 2);
    EXPECT_EQ(own->PopupPoint, at);
    EXPECT_EQ(Edit->EditContextMenu(), nullptr);
}

TEST_F(CustomEditContextMenu, ANewRequestReplacesTheEarlierMenu)
{
    Edit->ShowEditContextMenu({50, 50});
    Edit->ShowEditContextMenu({60, 60});
    int menus = 0;
    for (int i = 0; i < Edit->ComponentCount(); ++i)
        if (dynamic_cast<TPopupMenu*>(Edit->Components(i)) != nullptr) ++menus;
    EXPECT_EQ(menus, 1);
}

TEST_F(CustomEditTransparent, TheParentShowsAroundTheText)
{
    Form->SetColor(static_cast<TColor>(0x00FF8000));
    Edit->SetTransparent(true);
    Edit->SetText("i");
    Driver.ProcessMessages();
    const TPoint p = Edit->ClientToScreen({180, 12});
    EXPECT_EQ(Driver.PixelAt(Form->Handle(), p.X, p.Y) & 0x00FFFFFF, ColorToPixel(static_cast<TColor>(0x00FF8000)) & 0x00FFFFFF);
    Edit->SetTransparent(false);
    Driver.ProcessMessages();
    EXPECT_EQ(Driver.PixelAt(Form->Handle(), p.X, p.Y) & 0x00FFFFFF, ColorToPixel(clWindow) & 0x00FFFFFF);
}

TEST_F(CustomEditKeys, CancelModeIsPassedOn)
{
    int cancels = 0;
    Edit->OnCancelMode = [&](TObject*) { ++cancels; };
    Edit->Perform(CM_CANCELMODE);
    EXPECT_EQ(cancels, 1);
}
