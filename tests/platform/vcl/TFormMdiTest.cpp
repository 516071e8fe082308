#include <gtest/gtest.h>

#include "tests/support/THeadlessDriver.h"
#include "platform/vcl/FormResources.h"
#include "platform/vcl/StdCtrls.h"
#include "platform/vcl/TApplication.h"
#include "platform/vcl/TCustomPanel.h"
#include "platform/vcl/TForm.h"
#include "platform/vcl/TMenu.h"
#include "platform/vcl/TReader.h"
#include "platform/vcl/TypInfo.h"

namespace {

class TMdiMainForm : public TForm {
public:
    explicit TMdiMainForm(TComponent* AOwner) : TForm(AOwner) { InitInheritedComponent(this, "TMdiMainForm"); }
    TMenuItem* mnuWindow = nullptr;
    TPanel* Tools = nullptr;
};

// Children are made in code: each needs a name of its own under the application.
class TMdiChildForm : public TForm {
public:
    TMdiChildForm(TComponent* AOwner, int Number) : TForm(AOwner)
    {
        SetName("Child" + std::to_string(Number));
        SetCaption("Child " + std::to_string(Number));
        SetBounds(20 * Number, 20 * Number, 200, 150);
        SetFormStyle(fsMDIChild);
        OnActivate = [this](TObject*) { Log.push_back("activate"); };
        OnDeactivate = [this](TObject*) { Log.push_back("deactivate"); };
    }
    std::vector<std::string> Log;
};

const bool gRegistered = [] {
    RegisterFormClasses();
    RegisterClass<TMdiMainForm, TForm>("TMdiMainForm").Field("mnuWindow", &TMdiMainForm::mnuWindow).Field("Tools", &TMdiMainForm::Tools);
    RegisterFormResource("TMdiMainForm", R"(object MdiMainForm: TMdiMainForm
  Left = 10
  Top = 10
  Width = 600
  Height = 400
  FormStyle = fsMDIForm
  Menu = MainMenu1
  WindowMenu = mnuWindow
  TileMode = tbVertical
  object Tools: TPanel
    Left = 0
    Top = 0
    Width = 600
    Height = 30
    Align = alTop
  end
  object MainMenu1: TMainMenu
    object mnuWindow: TMenuItem
      Caption = '&Window'
    end
  end
end
)");
    return true;
}();

class TFormMdiTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(Application->MainForm(), nullptr) << "another test left its main form behind";
        Application->CreateForm(Main);
        Main->Show();
        for (int i = 0; i < 3; ++i) {
            Kids[i] = new TMdiChildForm(Application, i + 1);
            Kids[i]->Show();
        }
        Driver.ProcessMessages();
    }
    void TearDown() override
    {
        for (TMdiChildForm*& k : Kids)
            if (k != nullptr) k->Free();
        Main->Free();
        Driver.ProcessMessages();
    }

    THeadlessDriver Driver;
    TMdiMainForm* Main = nullptr;
    TMdiChildForm* Kids[3] = {};
};

TEST_F(TFormMdiTest, ChildrenLiveInTheClientBelowTheAlignedControls)
{
    ASSERT_NE(Main->ClientHandle(), static_cast<HWND>(0));
    TRect client;
    GetWindowRect(Main->ClientHandle(), client);
    TPoint origin{0, 0};
    ClientToScreen(Main->Handle(), origin);
    // The tool panel keeps the top 30 pixels; the client has the rest.
    EXPECT_EQ(client.Top - origin.Y, 30);
    EXPECT_EQ(client.Height(), Main->ClientHeight() - 30);
    EXPECT_EQ(Main->MDIChildCount(), 3);
    for (TMdiChildForm* k : Kids) {
        EXPECT_TRUE(k->Visible());
        EXPECT_EQ(GetParent(k->Handle()), Main->ClientHandle());
    }
    // The one made last is the active one.
    EXPECT_EQ(Main->ActiveMDIChild(), Kids[2]);
    EXPECT_TRUE(Kids[2]->Active());
    EXPECT_FALSE(Kids[0]->Active());
    EXPECT_EQ(Main->WindowMenu(), Main->mnuWindow);
    EXPECT_EQ(Main->TileMode(), tbVertical);
}

TEST_F(TFormMdiTest, ShowAndNextMoveTheActivationWithTheEvents)
{
    Kids[0]->Log.clear();
    Kids[2]->Log.clear();
    Kids[0]->Show();
    EXPECT_EQ(Main->ActiveMDIChild(), Kids[0]);
    EXPECT_EQ(Kids[0]->Log, (std::vector<std::string>{"activate"}));
    EXPECT_EQ(Kids[2]->Log, (std::vector<std::string>{"deactivate"}));
    std::vector<TCustomForm*> seen;
    for (int i = 0; i < 3; ++i) {
        Main->Next();
        seen.push_back(Main->ActiveMDIChild());
    }
    EXPECT_EQ(seen.back(), Kids[0]);
    Main->Previous();
    EXPECT_NE(Main->ActiveMDIChild(), Kids[0]);
}

TEST_F(TFormMdiTest, TileAndCascadeArrangeEveryChildInsideTheClient)
{
    TRect client;
    GetClientRect(Main->ClientHandle(), client);
    Main->Tile();
    // Side by side (tbVertical), together as wide as the client.
    int width = 0;
    for (TMdiChildForm* k : Kids) {
        EXPECT_EQ(k->Top(), 0);
        EXPECT_EQ(k->Height(), client.Height());
        width += k->Width();
    }
    EXPECT_EQ(width, client.Width());
    Main->Cascade();
    const TCustomForm* active = Main->ActiveMDIChild();
    for (TMdiChildForm* k : Kids) {
        EXPECT_LE(k->Left() + k->Width(), client.Width());
        EXPECT_LE(k->Top() + k->Height(), client.Height());
        if (k != active) {
            EXPECT_LT(k->Left(), active->Left()) << "the active child is cascaded last";
        }
    }
}

TEST_F(TFormMdiTest, MaximizedChildFillsTheClient)
{
    Kids[1]->SetWindowState(wsMaximized);
    TRect client;
    GetClientRect(Main->ClientHandle(), client);
    EXPECT_EQ(Kids[1]->WindowState(), wsMaximized);
    EXPECT_EQ(Kids[1]->BoundsRect(), client);
    Kids[1]->SetWindowState(wsNormal);
    EXPECT_EQ(Kids[1]->Width(), 200);
}

TEST_F(TFormMdiTest, FreeingTheActiveChildActivatesAnother)
{
    Kids[2]->Free();
    Kids[2] = nullptr;
    EXPECT_EQ(Main->MDIChildCount(), 2);
    TCustomForm* now = Main->ActiveMDIChild();
    EXPECT_TRUE(now == Kids[0] || now == Kids[1]);
    EXPECT_TRUE(now->Active());
}

TEST_F(TFormMdiTest, CloseMinimizesAChildInsteadOfHidingIt)
{
    Kids[0]->Close();
    EXPECT_TRUE(Kids[0]->Visible());
    EXPECT_EQ(Kids[0]->WindowState(), wsMinimized);
}

TEST(TFormMdi, AChildNeedsAnMDIMainForm)
{
    THeadlessDriver driver;
    ASSERT_EQ(Application->MainForm(), nullptr);
    auto* child = new TMdiChildForm(Application, 9);
    EXPECT_THROW(child->Show(), EInvalidOperation);
    child->Free();
}

} // namespace
