#include "skin/form/TskSkinPopupMenu.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "SkinMenuTestSupport.h"
#include "platform/vcl/TApplication.h"
#include "platform/vcl/TypInfo.h"
#include "skin/controls/TskSkinEdit.h"
#include "skin/controls/TskSkinMenuSpeedButton.h"
#include "skin/data/SkinMessages.h"

using namespace menutest;

namespace {

// A stand-in for the form frame: owns the form's chain engine and closes it the way the frame does.
class TTestFrame : public TComponent, public TskSkinMenuServer {
public:
    TTestFrame(TForm* AForm, std::vector<std::string>* ALog) : TComponent(AForm), Log(ALog)
    {
        Menu = new TskSkinMenu(this, AForm);
        auto formProc = AForm->WindowProc;
        AForm->WindowProc = [this, formProc](TMessage& M) {
            if (Menu != nullptr && IsMenuClosingMessage(M.Msg) && Menu->Active()) Menu->HideAll();
            formProc(M);
        };
    }
    TskSkinMenu* SkinMenu() const override { return Menu; }
    TskSkinData* SkinData() const override { return Skin; }
    TskSkinData* MenusSkinData() const override { return MenusSkin; }
    void SkinMenuOpen() override { Log->push_back("frame open"); }
    void SkinMenuClose() override
    {
        Log->push_back("frame close");
        Menu->HideAll();
    }
    TskSkinMenu* Menu;
    TskSkinData* Skin = nullptr;
    TskSkinData* MenusSkin = nullptr;
    std::vector<std::string>* Log;
};

struct SkinPopupMenuTest : ::testing::Test {
    THeadlessDriver Driver;
    TForm* Form = nullptr;
    TTestFrame* Frame = nullptr;
    TskSkinPopupMenu* PM = nullptr;
    TMenuItem *Open = nullptr, *Exit = nullptr;
    std::vector<std::string> Log;

    void SetUp() override
    {
        Form = new TForm(nullptr);
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(0, 0, 600, 400);
        Frame = new TTestFrame(Form, &Log);
        PM = new TskSkinPopupMenu(Form);
        Open = AddItem(PM, "Open");
        Exit = AddItem(PM, "Exit");
        Form->Show();
        Driver.MoveTo(Point(590, 390));
        Driver.ProcessMessages();
    }
    void TearDown() override
    {
        if (Form != nullptr) Form->Free();
        Driver.ProcessMessages();
    }
    TMenuItem* AddItem(TPopupMenu* menu, const std::string& caption)
    {
        auto* item = new TMenuItem(menu);
        item->SetCaption(caption);
        item->OnClick = [this, caption](TObject*) { Log.push_back("click " + caption); };
        menu->Items()->Add(item);
        return item;
    }
    TPoint ItemPoint(int i)
    {
        TskSkinPopupWindow* win = Frame->Menu->Windows(0);
        const TRect& r = win->Items(i)->ObjectRect;
        return Point(win->WindowPos().X + r.Left + 10, win->WindowPos().Y + (r.Top + r.Bottom) / 2);
    }
};

} // namespace

// ---- finding the serving frame ----

TEST_F(SkinPopupMenuTest, Popup_ShownThroughTheOwnerFormsFrameAtThePoint)
{
    PM->Popup(100, 80);
    Driver.ProcessMessages();
    ASSERT_TRUE(Frame->Menu->Active());
    EXPECT_EQ(Frame->Menu->Windows(0)->WindowPos(), Point(100, 80));
    EXPECT_EQ(PM->PopupPoint, Point(100, 80));
    EXPECT_EQ(Log, std::vector<std::string>{"frame open"});
}

TEST_F(SkinPopupMenuTest, Popup_FormWithoutFrame_ShowsNothingButOnPopupStillFires)
{
    auto* bare = new TForm(nullptr);
    auto* pm = new TskSkinPopupMenu(bare);
    AddItem(pm, "Alone");
    int popups = 0;
    pm->OnPopup = [&](TObject*) { ++popups; };
    pm->Popup(10, 10);
    EXPECT_EQ(popups, 1);
    EXPECT_EQ(pm->PopupPoint, Point(-1, -1));
    EXPECT_FALSE(Frame->Menu->Active());
    bare->Free();
}

TEST_F(SkinPopupMenuTest, ComponentFormAndSkinForm_ServeAMenuWithoutAForm)
{
    auto* loose = new TskSkinPopupMenu(nullptr);
    AddItem(loose, "One");
    loose->SetComponentForm(Form);
    loose->PopupFromObject(Rect(20, 20, 60, 40), false);
    EXPECT_TRUE(Frame->Menu->Active());
    Frame->Menu->HideAll();
    loose->SetComponentForm(nullptr);
    loose->SetSkinForm(Frame);
    loose->Popup(30, 30);
    EXPECT_TRUE(Frame->Menu->Active());
    loose->Free();
    // Freeing the menu closed the chain that showed its items.
    EXPECT_FALSE(Frame->Menu->Active());
}

TEST_F(SkinPopupMenuTest, MdiChildMenus_ShownByTheMainFormsFrame)
{
    TForm* main = nullptr;
    Application->CreateForm(main);
    auto* mainFrame = new TTestFrame(main, &Log);
    auto* child = new TForm(nullptr);
    child->SetFormStyle(fsMDIChild);
    auto* childFrame = new TTestFrame(child, &Log);
    auto* pm = new TskSkinPopupMenu(child);
    AddItem(pm, "Child");
    if (Application->MainForm() == main) {
        pm->Popup(50, 50);
        EXPECT_TRUE(mainFrame->Menu->Active());
        EXPECT_FALSE(childFrame->Menu->Active());
        mainFrame->Menu->HideAll();
    }
    child->Free();
    main->Free();
}

// ---- skin choice ----

TEST_F(SkinPopupMenuTest, SkinData_TakenFromTheFramesMenuSkinElseItsSkin)
{
    TMenuSkin a, b;
    Frame->Skin = a.Skin.get();
    PM->Popup(10, 10);
    EXPECT_EQ(PM->SkinData(), a.Skin.get());
    Frame->Menu->HideAll();

    auto* other = new TskSkinPopupMenu(Form);
    AddItem(other, "Other");
    Frame->MenusSkin = b.Skin.get();
    other->Popup(10, 10);
    EXPECT_EQ(other->SkinData(), b.Skin.get());
    EXPECT_EQ(Frame->Menu->SkinData(), b.Skin.get());
    Frame->Menu->HideAll();
    PM->SetSkinData(nullptr);
}

TEST_F(SkinPopupMenuTest, ExplicitSkinData_WinsOverTheFramesSkin)
{
    TMenuSkin a, b;
    Frame->MenusSkin = a.Skin.get();
    PM->SetSkinData(b.Skin.get());
    PM->Popup(10, 10);
    EXPECT_EQ(Frame->Menu->SkinData(), b.Skin.get());
    Frame->Menu->HideAll();
    PM->SetSkinData(nullptr);
}

TEST_F(SkinPopupMenuTest, PopupFromPoint_WithoutAnySkin_ShowsNothing)
{
    PM->PopupFromPoint(Form, 40, 40);
    EXPECT_FALSE(Frame->Menu->Active());
}

TEST_F(SkinPopupMenuTest, FreedSkin_IsForgotten)
{
    auto* skin = new TMenuSkin();
    PM->SetSkinData(skin->Skin.get());
    delete skin;
    EXPECT_EQ(PM->SkinData(), nullptr);
}

// ---- the opening control and the close event ----

TEST_F(SkinPopupMenuTest, ChosenItem_RunsOnceThenTheControlIsTold)
{
    auto* ctrl = new TRecordingControl(Form, &Log);
    ctrl->SetParent(Form);
    ctrl->SetBounds(10, 10, 30, 20);
    PM->SetPopupComponent(ctrl);
    PM->OnMenuClose = [this](TObject* Sender) {
        EXPECT_EQ(Sender, PM);
        Log.push_back("menu close");
    };
    PM->Popup(100, 100);
    Driver.ProcessMessages();
    Log.clear();
    Driver.Click(ItemPoint(1));
    const std::vector<std::string> expected{"ctrl close", "menu close", "click Exit", "ctrl after"};
    EXPECT_EQ(Log, expected);
}

TEST_F(SkinPopupMenuTest, OnMenuClose_FiresForItsOwnPopupOnly)
{
    int closed = 0;
    PM->OnMenuClose = [&](TObject*) { ++closed; };
    PM->Popup(100, 100);
    Frame->Menu->HideAll();
    EXPECT_EQ(closed, 1);
    // A chain opened by someone else later does not call it again.
    Frame->Menu->Popup(nullptr, nullptr, 0, Rect(5, 5, 5, 5), PM->Items(), false);
    Frame->Menu->HideAll();
    EXPECT_EQ(closed, 1);
}

TEST_F(SkinPopupMenuTest, EmptyMenu_OpensNothingAndKeepsOnMenuCloseForItself)
{
    auto* empty = new TskSkinPopupMenu(Form);
    int closed = 0;
    empty->OnMenuClose = [&](TObject*) { ++closed; };
    empty->Popup(10, 10);
    EXPECT_FALSE(Frame->Menu->Active());
    PM->Popup(10, 10);
    Frame->Menu->HideAll();
    EXPECT_EQ(closed, 0);
}

TEST_F(SkinPopupMenuTest, PopupWhileAnotherIsOpen_ClosesTheOtherFirst)
{
    auto* other = new TskSkinPopupMenu(Form);
    AddItem(other, "Other");
    int otherClosed = 0;
    other->OnMenuClose = [&](TObject*) { ++otherClosed; };
    other->Popup(200, 200);
    Log.clear();
    PM->Popup(100, 100);
    EXPECT_EQ(otherClosed, 1);
    const std::vector<std::string> expected{"frame close", "frame open"};
    EXPECT_EQ(Log, expected);
    ASSERT_TRUE(Frame->Menu->Active());
    EXPECT_EQ(Frame->Menu->Windows(0)->Items(0)->MenuItem, Open);
}

// ---- freeing things while the menu is open ----

TEST_F(SkinPopupMenuTest, ControlFreedWhileOpen_IsForgottenAndNeverTold)
{
    auto* ctrl = new TRecordingControl(Form, &Log);
    ctrl->SetParent(Form);
    PM->SetPopupComponent(ctrl);
    PM->Popup(100, 100);
    Driver.ProcessMessages();
    ctrl->Free();
    EXPECT_EQ(PM->PopupComponent(), nullptr);
    Log.clear();
    if (Frame->Menu->Active()) Driver.Click(ItemPoint(0));
    Frame->Menu->HideAll();
    for (const std::string& entry : Log) EXPECT_EQ(entry.rfind("ctrl", 0), std::string::npos) << entry;
    // A later popup no longer names the freed control.
    PM->Popup(100, 100);
    EXPECT_EQ(Frame->Menu->PopupCtrl(), nullptr);
}

TEST_F(SkinPopupMenuTest, MenuFreedWhileOpen_ChainClosesAndItsCloseHandlerIsNotRun)
{
    int closed = 0;
    PM->OnMenuClose = [&](TObject*) { ++closed; };
    PM->Popup(100, 100);
    Driver.ProcessMessages();
    PM->Free();
    EXPECT_FALSE(Frame->Menu->Active());
    EXPECT_EQ(Frame->Menu->WindowCount(), 0);
    EXPECT_EQ(closed, 0);
    Driver.Click(Point(110, 110));
}

TEST_F(SkinPopupMenuTest, ControlFreeingTheMenuAfterTheClick_IsSafe)
{
    auto* ctrl = new TRecordingControl(Form, &Log);
    ctrl->SetParent(Form);
    auto* pm = new TskSkinPopupMenu(ctrl);
    AddItem(pm, "Once");
    pm->SetPopupComponent(ctrl);
    // The way the skinned edit drops its context menu once the item ran.
    Frame->Menu->OnMenuClose = nullptr;
    pm->Popup(100, 100);
    Driver.ProcessMessages();
    auto proc = ctrl->WindowProc;
    ctrl->WindowProc = [proc, &pm](TMessage& M) {
        if (M.Msg == WM_AFTERSKINMENUCLICK && pm != nullptr) {
            pm->Free();
            pm = nullptr;
        }
        proc(M);
    };
    Log.clear();
    Driver.Click(ItemPoint(0));
    const std::vector<std::string> expected{"ctrl close", "click Once", "ctrl after"};
    EXPECT_EQ(Log, expected);
    EXPECT_EQ(pm, nullptr);
}

// ---- the form reader ----

TEST(SkinPopupMenuRegistration, KnownToTheFormReaderWithItsProperties)
{
    RegisterSkinPopupMenuClasses();
    const TClassInfo* info = FindClassInfo("TskSkinPopupMenu");
    ASSERT_NE(info, nullptr);
    ASSERT_TRUE(info->Create);
    TComponent* made = info->Create(nullptr);
    EXPECT_NE(dynamic_cast<TskSkinPopupMenu*>(made), nullptr);
    EXPECT_NE(info->FindProp("SkinData"), nullptr);
    made->Free();
}

// ---- the skinned edit's context menu ----

TEST_F(SkinPopupMenuTest, SkinnedEditContextMenu_OpensThroughTheFrameForTheEdit)
{
    TMenuSkin skin;
    Frame->Skin = skin.Skin.get();
    RegisterSkinPopupMenuClasses();
    auto* edit = new TskSkinEdit(Form);
    edit->SetParent(Form);
    edit->SetBounds(20, 200, 120, 24);
    edit->SetText("queue");
    Driver.ProcessMessages();
    edit->Perform(WM_CONTEXTMENU, 0, MAKELPARAM(60, 210));
    ASSERT_TRUE(Frame->Menu->Active());
    EXPECT_EQ(Frame->Menu->PopupCtrl(), edit);
    EXPECT_EQ(Frame->Menu->Windows(0)->WindowPos(), Point(60, 210));
    // "Select all" is the last item: the edit frees its menu afterwards, and nothing is left open.
    TskSkinPopupWindow* win = Frame->Menu->Windows(0);
    const int last = win->ItemCount() - 1;
    const TRect& r = win->Items(last)->ObjectRect;
    Driver.Click(Point(win->WindowPos().X + r.Left + 10, win->WindowPos().Y + (r.Top + r.Bottom) / 2));
    EXPECT_FALSE(Frame->Menu->Active());
    EXPECT_EQ(edit->SelLength(), 5);
    Frame->Skin = nullptr;
}

// The popups take no focus: keys still reach the open menu, and a press on one of the form's controls
// (which the form itself never sees) closes it.
TEST_F(SkinPopupMenuTest, OpenMenu_TakesTheKeysAndClosesOnAPressOnAControl)
{
    auto* edit = new TskSkinEdit(Form);
    edit->SetParent(Form);
    edit->SetBounds(300, 300, 120, 24);
    Driver.ProcessMessages();
    edit->SetFocus();

    PM->Popup(100, 80);
    Driver.ProcessMessages();
    ASSERT_TRUE(Frame->Menu->Active());
    Driver.Press(VK_DOWN);
    Driver.Press(VK_RETURN);
    Driver.ProcessMessages();
    EXPECT_FALSE(Frame->Menu->Active());
    std::string said;
    for (const std::string& line : Log)
        said += line + "; ";
    EXPECT_NE(said.find("click "), std::string::npos) << said;
    EXPECT_EQ(edit->Text(), "");

    PM->Popup(100, 80);
    Driver.ProcessMessages();
    Driver.Press(VK_ESCAPE);
    EXPECT_FALSE(Frame->Menu->Active());

    PM->Popup(100, 80);
    Driver.ProcessMessages();
    ASSERT_TRUE(Frame->Menu->Active());
    Driver.Click(Point(350, 310));
    EXPECT_FALSE(Frame->Menu->Active());
    // Closed, the menu leaves the keyboard to the control again.
    Driver.Type("ab");
    EXPECT_EQ(edit->Text(), "ab");
}

// ---- a drop-down button below this layer ----

TEST_F(SkinPopupMenuTest, MenuSpeedButton_OpensBelowItself_AClickElsewhereRaisesItOnce)
{
    auto* button = new TskSkinMenuSpeedButton(Form);
    button->SetParent(Form);
    button->SetBounds(100, 100, 60, 25);
    button->SetSkinPopupMenu(PM);
    int hidden = 0;
    button->OnHideTrackMenu = [&hidden](TObject*) { ++hidden; };
    Driver.Click(Point(110, 110));
    ASSERT_TRUE(Frame->Menu->Active());
    EXPECT_EQ(Frame->Menu->Windows(0)->WindowPos(), Point(100, 125));
    EXPECT_TRUE(button->Down());
    Driver.Click(Point(400, 300));
    Driver.ProcessMessages();
    EXPECT_FALSE(Frame->Menu->Active());
    EXPECT_FALSE(button->Down());
    EXPECT_EQ(hidden, 1);
}
