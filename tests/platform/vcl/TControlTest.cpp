#include "platform/vcl/TControl.h"

#include <gtest/gtest.h>

#include "tests/support/THeadlessDriver.h"
#include "platform/vcl/TCustomLabel.h"
#include "platform/vcl/TCustomPanel.h"
#include "platform/vcl/TForm.h"
#include "platform/vcl/TAction.h"
#include "platform/vcl/TMenu.h"

namespace {
struct ControlFixture : ::testing::Test {
    THeadlessDriver Driver;
    TForm* Form = nullptr;
    void SetUp() override
    {
        Form = new TForm(nullptr);
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(0, 0, 300, 200);
    }
    void TearDown() override { Form->Free(); }
    template <class T> T* Make(TWinControl* parent, TRect bounds)
    {
        auto* c = new T(Form);
        c->SetParent(parent);
        c->SetBoundsRect(bounds);
        return c;
    }
};
} // namespace

using TControlBounds = ControlFixture;

TEST_F(TControlBounds, ConstraintsAndCanResizeLimitTheSize)
{
    auto* p = Make<TPanel>(Form, Rect(0, 0, 50, 50));
    p->Constraints()->SetMaxWidth(80);
    p->Constraints()->SetMinHeight(20);
    p->SetBounds(0, 0, 200, 5);
    EXPECT_EQ(p->Width(), 80);
    EXPECT_EQ(p->Height(), 20);
    p->OnCanResize = [](TObject*, int& w, int&, bool& ok) {
        if (w > 60) ok = false;
    };
    p->SetBounds(5, 0, 70, 30);
    EXPECT_EQ(p->Left(), 5); // the move happens, the size is refused
    EXPECT_EQ(p->Width(), 80);
}

TEST_F(TControlBounds, OnResizeFiresOnlyWhenTheSizeChanges)
{
    auto* p = Make<TPanel>(Form, Rect(0, 0, 50, 50));
    int resizes = 0;
    p->OnResize = [&](TObject*) { ++resizes; };
    p->SetLeft(10);
    EXPECT_EQ(resizes, 0);
    p->SetWidth(60);
    EXPECT_EQ(resizes, 1);
}

TEST_F(TControlBounds, ClientToScreenFollowsTheParents)
{
    Form->SetBounds(100, 50, 300, 200);
    auto* outer = Make<TPanel>(Form, Rect(10, 20, 110, 120));
    auto* label = Make<TLabel>(outer, Rect(5, 6, 50, 20));
    Form->HandleNeeded();
    EXPECT_EQ(label->ClientToScreen({1, 1}), (TPoint{116, 77}));
    EXPECT_EQ(label->ScreenToClient({116, 77}), (TPoint{1, 1}));
}

using TControlLook = ControlFixture;

TEST_F(TControlLook, FontAndColourFollowTheParentUntilSetOwn)
{
    auto* outer = Make<TPanel>(Form, Rect(0, 0, 100, 100));
    auto* inner = Make<TPanel>(outer, Rect(0, 0, 50, 50));
    inner->SetParentColor(true);
    Form->Font()->SetName("Arial");
    outer->SetColor(clRed);
    EXPECT_EQ(inner->Font()->Name(), "Arial");
    EXPECT_EQ(inner->Color(), clRed);
    inner->Font()->SetHeight(-20);
    EXPECT_FALSE(inner->ParentFont());
    Form->Font()->SetName("Verdana");
    EXPECT_EQ(inner->Font()->Name(), "Arial");
    inner->SetColor(clBlue);
    EXPECT_FALSE(inner->ParentColor());
}

TEST_F(TControlLook, ShowHintFollowsTheParentsDownTheTreeUntilSetOwn)
{
    auto* outer = Make<TPanel>(Form, Rect(0, 0, 100, 100));
    auto* inner = Make<TPanel>(outer, Rect(0, 0, 50, 50));
    auto* label = Make<TLabel>(inner, Rect(0, 0, 20, 20));
    Form->SetShowHint(true);
    EXPECT_TRUE(outer->ShowHint());
    EXPECT_TRUE(label->ShowHint());
    // A control parented later takes the setting of where it lands.
    auto* late = new TLabel(Form);
    late->SetParent(inner);
    EXPECT_TRUE(late->ShowHint());
    inner->SetShowHint(false);
    EXPECT_FALSE(label->ShowHint());
    Form->SetShowHint(false);
    Form->SetShowHint(true);
    EXPECT_FALSE(inner->ShowHint());
    EXPECT_FALSE(label->ShowHint());
    EXPECT_TRUE(outer->ShowHint());
}

TEST_F(TControlLook, ChangesAreAnnouncedWithCmMessages)
{
    auto* p = Make<TPanel>(Form, Rect(0, 0, 50, 50));
    std::vector<UINT> seen;
    auto old = p->WindowProc;
    p->WindowProc = [&, old](TMessage& m) {
        if (m.Msg >= CM_BASE && m.Msg < CM_BASE + 100) seen.push_back(m.Msg);
        old(m);
    };
    p->SetEnabled(false);
    p->SetCaption("x");
    p->SetVisible(false);
    p->Font()->SetSize(12);
    p->WindowProc = old;
    EXPECT_NE(std::find(seen.begin(), seen.end(), CM_ENABLEDCHANGED), seen.end());
    EXPECT_NE(std::find(seen.begin(), seen.end(), CM_TEXTCHANGED), seen.end());
    EXPECT_NE(std::find(seen.begin(), seen.end(), CM_VISIBLECHANGED), seen.end());
    EXPECT_NE(std::find(seen.begin(), seen.end(), CM_FONTCHANGED), seen.end());
}

TEST_F(TControlLook, DisabledControlsGetNoMouseEvents)
{
    auto* p = Make<TPanel>(Form, Rect(0, 0, 50, 50));
    int clicks = 0;
    p->OnClick = [&](TObject*) { ++clicks; };
    Form->Show();
    Driver.ProcessMessages();
    Driver.Click({10, 10});
    p->SetEnabled(false);
    Driver.Click({10, 10});
    EXPECT_EQ(clicks, 1);
}

using TControlMouse = ControlFixture;

TEST_F(TControlMouse, EnterAndLeaveFollowThePointer)
{
    auto* a = Make<TPanel>(Form, Rect(0, 0, 50, 50));
    auto* b = Make<TLabel>(Form, Rect(100, 0, 150, 50));
    b->SetAutoSize(false);
    b->SetBoundsRect(Rect(100, 0, 150, 50));
    std::vector<std::string> log;
    a->OnMouseEnter = [&](TObject*) { log.push_back("enter a"); };
    a->OnMouseLeave = [&](TObject*) { log.push_back("leave a"); };
    b->OnMouseEnter = [&](TObject*) { log.push_back("enter b"); };
    b->OnMouseLeave = [&](TObject*) { log.push_back("leave b"); };
    Form->Show();
    Driver.ProcessMessages();
    Driver.MoveTo({10, 10});
    Driver.MoveTo({120, 10});
    Driver.MoveTo({200, 150});
    EXPECT_EQ(log, (std::vector<std::string>{"enter a", "leave a", "enter b", "leave b"}));
}

TEST_F(TControlMouse, RightClickShowsThePopupMenuUntilTheMenuGoes)
{
    auto* p = Make<TPanel>(Form, Rect(0, 0, 50, 50));
    auto* menu = new TPopupMenu(Form);
    p->SetPopupMenu(menu);
    int shown = 0;
    menu->OnPopup = [&](TObject*) { ++shown; };
    Form->Show();
    Driver.ProcessMessages();
    Driver.Click({20, 30}, 2);
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(menu->PopupPoint, (TPoint{20, 30}));
    EXPECT_EQ(menu->PopupComponent(), p);
    menu->Free();
    EXPECT_EQ(p->PopupMenu(), nullptr);
    // A second right click must not reach the freed menu (the sanitizer build would see it).
    Driver.Click({20, 30}, 2);
    EXPECT_EQ(shown, 1);
}

TEST_F(TControlMouse, CaptureKeepsMovesWithThePressedControl)
{
    auto* p = Make<TPanel>(Form, Rect(0, 0, 50, 50));
    std::vector<TPoint> moves;
    p->OnMouseMove = [&](TObject*, TShiftState, int x, int y) { moves.push_back({x, y}); };
    Form->Show();
    Driver.ProcessMessages();
    Driver.Drag({10, 10}, {150, 100}, 2);
    ASSERT_FALSE(moves.empty());
    EXPECT_EQ(moves.back(), (TPoint{150, 100}));
}

using TControlKeys = ControlFixture;

TEST_F(TControlKeys, KeyPreviewLetsTheFormSeeKeysFirst)
{
    auto* p = Make<TPanel>(Form, Rect(0, 0, 50, 50));
    p->SetTabStop(true);
    std::vector<std::string> log;
    Form->SetKeyPreview(true);
    Form->OnKeyDown = [&](TObject*, WORD& key, TShiftState) {
        log.push_back("form");
        if (key == 'Q') key = 0;
    };
    p->OnKeyDown = [&](TObject*, WORD&, TShiftState) { log.push_back("panel"); };
    Form->Show();
    Driver.ProcessMessages();
    p->SetFocus();
    Driver.Press('A');
    Driver.Press('Q');
    EXPECT_EQ(log, (std::vector<std::string>{"form", "panel", "form"}));
}

TEST_F(TControlKeys, ReturnIsOfferedToTheFormsControlsAsADialogKey)
{
    struct TDefaultButton : TCustomControl {
        using TCustomControl::TCustomControl;
        int Pressed = 0;
        void WndProc(TMessage& m) override
        {
            if (m.Msg == CM_DIALOGKEY && m.WParam == VK_RETURN) {
                ++Pressed;
                m.Result = 1;
                return;
            }
            TCustomControl::WndProc(m);
        }
    };
    auto* field = Make<TPanel>(Form, Rect(0, 0, 50, 50));
    field->SetTabStop(true);
    auto* ok = Make<TDefaultButton>(Form, Rect(60, 0, 100, 20));
    Form->Show();
    Driver.ProcessMessages();
    field->SetFocus();
    Driver.Press(VK_RETURN);
    EXPECT_EQ(ok->Pressed, 1);
}

TEST_F(TControlKeys, ActionGivesCaptionAndStateAndRunsOnClick)
{
    auto* action = new TAction(Form);
    action->SetCaption("Start");
    int runs = 0;
    action->OnExecute = [&](TObject*) { ++runs; };
    auto* p = Make<TPanel>(Form, Rect(0, 0, 50, 50));
    p->SetAction(action);
    EXPECT_EQ(p->Caption(), "Start");
    action->SetEnabled(false);
    EXPECT_FALSE(p->Enabled());
    action->SetEnabled(true);
    p->Click();
    EXPECT_EQ(runs, 1);
    int own = 0;
    p->OnClick = [&](TObject*) { ++own; };
    p->Click(); // a handler of its own wins
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(own, 1);
    action->Free();
    EXPECT_EQ(p->Action(), nullptr);
}
