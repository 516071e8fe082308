#include "platform/vcl/TWinControl.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/THeadlessDriver.h"
#include "platform/vcl/TBitmap.h"
#include "platform/vcl/TCustomPanel.h"
#include "platform/vcl/TForm.h"

namespace {

TPanel* MakePanel(TWinControl* parent, TAlign align, int w, int h, const std::string& name = "")
{
    TComponent* owner = parent->GetParentForm() != nullptr ? static_cast<TComponent*>(parent->GetParentForm()) : parent;
    auto* p = new TPanel(owner);
    if (!name.empty()) p->SetName(name);
    p->SetBounds(0, 0, w, h);
    p->SetBevelOuter(TBevelCut::bvNone);
    p->SetParent(parent);
    p->SetAlign(align);
    return p;
}

struct Fixture : ::testing::Test {
    THeadlessDriver Driver;
    TForm* Form = nullptr;
    void SetUp() override
    {
        Form = new TForm(nullptr);
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(10, 10, 300, 200);
    }
    void TearDown() override { Form->Free(); }
};

} // namespace

using TWinControlAlign = Fixture;

TEST_F(TWinControlAlign, NestedPanelsShareTheClientAreaInAlignOrder)
{
    TPanel* top = MakePanel(Form, alTop, 50, 30);
    TPanel* bottom = MakePanel(Form, alBottom, 50, 20);
    TPanel* left = MakePanel(Form, alLeft, 40, 10);
    TPanel* client = MakePanel(Form, alClient, 10, 10);
    TPanel* inner = MakePanel(client, alRight, 25, 10);
    TPanel* innerFill = MakePanel(client, alClient, 5, 5);
    EXPECT_EQ(top->BoundsRect(), Rect(0, 0, 300, 30));
    EXPECT_EQ(bottom->BoundsRect(), Rect(0, 180, 300, 200));
    EXPECT_EQ(left->BoundsRect(), Rect(0, 30, 40, 180));
    EXPECT_EQ(client->BoundsRect(), Rect(40, 30, 300, 180));
    EXPECT_EQ(inner->BoundsRect(), Rect(235, 0, 260, 150));
    EXPECT_EQ(innerFill->BoundsRect(), Rect(0, 0, 235, 150));

    Form->SetBounds(10, 10, 400, 300);
    EXPECT_EQ(client->BoundsRect(), Rect(40, 30, 400, 280));
    EXPECT_EQ(inner->BoundsRect(), Rect(335, 0, 360, 250));
}

TEST_F(TWinControlAlign, SiblingsOfOneAlignmentKeepTheirStoredOrder)
{
    // A control placed far to the left of its siblings goes last among alLeft ones.
    TPanel* b = MakePanel(Form, alLeft, 20, 10);
    TPanel* a = MakePanel(Form, alNone, 30, 10);
    a->SetLeft(20000);
    a->SetAlign(alLeft);
    MakePanel(Form, alClient, 10, 10);
    EXPECT_EQ(b->Left(), 0);
    EXPECT_EQ(a->Left(), 20);
}

TEST_F(TWinControlAlign, HiddenControlsTakeNoSpaceAndBorderWidthInsets)
{
    TPanel* top = MakePanel(Form, alTop, 10, 30);
    TPanel* fill = MakePanel(Form, alClient, 10, 10);
    top->SetVisible(false);
    EXPECT_EQ(fill->Top(), 0);
    Form->SetBorderWidth(5);
    EXPECT_EQ(fill->BoundsRect(), Rect(5, 5, 295, 195));
}

TEST_F(TWinControlAlign, AnchorsFollowTheParentsSize)
{
    Form->HandleNeeded();
    auto* right = new TPanel(Form);
    right->SetParent(Form);
    right->SetBounds(250, 10, 40, 20);
    right->SetAnchors({akTop, akRight});
    auto* stretch = new TPanel(Form);
    stretch->SetParent(Form);
    stretch->SetBounds(10, 150, 280, 40);
    stretch->SetAnchors({akLeft, akRight, akBottom});
    Form->SetBounds(10, 10, 400, 250);
    EXPECT_EQ(right->BoundsRect(), Rect(350, 10, 390, 30));
    EXPECT_EQ(stretch->BoundsRect(), Rect(10, 200, 390, 240));
}

TEST_F(TWinControlAlign, DisableAlignDefersTheLayout)
{
    TPanel* top = MakePanel(Form, alTop, 10, 30);
    Form->DisableAlign();
    TPanel* second = MakePanel(Form, alTop, 10, 30);
    second->SetTop(100);
    EXPECT_EQ(second->Top(), 100);
    Form->EnableAlign();
    EXPECT_EQ(top->Top(), 0);
    EXPECT_EQ(second->Top(), 30);
}

using TWinControlTree = Fixture;

TEST_F(TWinControlTree, WindowsAreMadeOnDemandWithTheirParents)
{
    TPanel* outer = MakePanel(Form, alNone, 100, 100);
    TPanel* inner = MakePanel(outer, alNone, 50, 50);
    EXPECT_FALSE(Form->HandleAllocated());
    HWND h = inner->Handle();
    EXPECT_TRUE(Form->HandleAllocated());
    EXPECT_EQ(GetParent(h), outer->Handle());
    EXPECT_EQ(TWinControl::FindControl(h), inner);
    TPanel* later = MakePanel(outer, alNone, 10, 10);
    EXPECT_TRUE(later->HandleAllocated());
}

TEST_F(TWinControlTree, ParentFreesItsChildrenAndOwnerForgetsThem)
{
    TPanel* outer = MakePanel(Form, alNone, 100, 100, "Outer");
    MakePanel(outer, alNone, 50, 50, "Inner");
    outer->Handle();
    EXPECT_NE(Form->FindComponent("Inner"), nullptr);
    outer->Free();
    EXPECT_EQ(Form->FindComponent("Inner"), nullptr);
    EXPECT_EQ(Form->ControlCount(), 0);
}

TEST_F(TWinControlTree, ControlsAreInZOrderAndBringToFrontMovesOneUp)
{
    TPanel* a = MakePanel(Form, alNone, 10, 10);
    TPanel* b = MakePanel(Form, alNone, 10, 10);
    EXPECT_EQ(Form->Controls(0), a);
    a->BringToFront();
    EXPECT_EQ(Form->Controls(1), a);
    a->SendToBack();
    EXPECT_EQ(Form->Controls(0), a);
    EXPECT_EQ(Form->ControlAtPos({5, 5}, false), b);
}

TEST_F(TWinControlTree, TabOrderDecidesTheNextControl)
{
    TPanel* a = MakePanel(Form, alNone, 10, 10);
    TPanel* b = MakePanel(Form, alNone, 10, 10);
    TPanel* c = MakePanel(Form, alNone, 10, 10);
    for (TPanel* p : {a, b, c}) p->SetTabStop(true);
    c->SetTabOrder(0);
    EXPECT_EQ(c->TabOrder(), 0);
    EXPECT_EQ(Form->FindNextControl(c, true, true, false), a);
    EXPECT_EQ(Form->FindNextControl(a, false, true, false), c);
    b->SetEnabled(false);
    EXPECT_EQ(Form->FindNextControl(a, true, true, false), c);
}

TEST_F(TWinControlTree, GraphicChildGetsMouseMessagesInItsOwnCoordinates)
{
    struct TProbe : TGraphicControl {
        using TGraphicControl::TGraphicControl;
        TPoint Down{-1, -1};
        void MouseDown(TMouseButton, TShiftState, int X, int Y) override { Down = {X, Y}; }
    };
    auto* probe = new TProbe(Form);
    probe->SetParent(Form);
    probe->SetBounds(50, 40, 20, 20);
    Form->Show();
    Driver.ProcessMessages();
    Driver.Click({10 + 55, 10 + 47});
    EXPECT_EQ(probe->Down, (TPoint{5, 7}));
}

TEST_F(TWinControlTree, PaintToDrawsTheControlAndItsChildrenIntoAnyContext)
{
    Form->SetColor(clYellow);
    auto* child = new TPanel(Form);
    child->SetParent(Form);
    child->SetBevelOuter(TBevelCut::bvNone);
    child->SetColor(clNavy);
    child->SetBounds(20, 20, 30, 30);
    Form->HandleNeeded();
    TBitmap picture(300, 200);
    Form->PaintTo(picture.Canvas()->Handle(), 0, 0);
    EXPECT_EQ(picture.Canvas()->Pixels(5, 5), static_cast<TColor>(ColorToRGB(clYellow)));
    EXPECT_EQ(picture.Canvas()->Pixels(30, 30), clNavy);
    TBitmap shifted(300, 200);
    child->PaintTo(shifted.Canvas()->Handle(), 100, 100);
    EXPECT_EQ(shifted.Canvas()->Pixels(110, 110), clNavy);
    EXPECT_EQ(shifted.Canvas()->Pixels(90, 90), clWhite);
}

namespace {

// A control whose painting moves, clips and recolours the DC it is given.
struct TMessyPainter : TCustomControl {
    using TCustomControl::TCustomControl;
    void Paint() override
    {
        HDC dc = Canvas()->Handle();
        SetViewportOrgEx(dc, 50, 50, nullptr);
        IntersectClipRect(dc, 0, 0, 5, 5);
        SetTextColor(dc, 0x123456);
        Canvas()->TextOut(0, 0, "x");
    }
};

// A parent that logs the changes of its list of children.
struct TListWatcher : TPanel {
    using TPanel::TPanel;
    std::vector<std::string> Log;
    void WndProc(TMessage& Message) override
    {
        if (Message.Msg == CM_CONTROLLISTCHANGE || Message.Msg == CM_CONTROLCHANGE)
            Log.push_back(std::string(Message.Msg == CM_CONTROLLISTCHANGE ? "list" : "control") + (Message.LParam ? "+" : "-")
                          + reinterpret_cast<TControl*>(Message.WParam)->Name());
        TPanel::WndProc(Message);
    }
};

} // namespace

using TWinControlMessages = Fixture;

TEST_F(TWinControlMessages, PrintingIntoACallersDcLeavesItAsItWas)
{
    auto* painter = new TMessyPainter(Form);
    painter->SetParent(Form);
    painter->SetBounds(0, 0, 40, 40);
    Form->Show();
    TBitmap target;
    target.SetSize(60, 60);
    HDC dc = target.Canvas()->Handle();
    SetViewportOrgEx(dc, 3, 4, nullptr);
    SetTextColor(dc, 0x00FF00);
    TRect clipBefore;
    GetClipBox(dc, clipBefore);
    painter->Perform(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), 0);
    TPoint origin;
    GetViewportOrgEx(dc, &origin);
    EXPECT_EQ(origin, (TPoint{3, 4}));
    EXPECT_EQ(GetTextColor(dc), 0x00FF00u);
    TRect clipAfter;
    GetClipBox(dc, clipAfter);
    EXPECT_EQ(clipAfter, clipBefore);
}

TEST_F(TWinControlMessages, AParentHearsOfChildrenComingAndGoing)
{
    auto* parent = new TListWatcher(Form);
    parent->SetParent(Form);
    auto* child = new TPanel(Form);
    child->SetName("Child");
    child->SetParent(parent);
    child->SetParent(nullptr);
    EXPECT_EQ(parent->Log, (std::vector<std::string>{"list+Child", "control+Child", "control-Child", "list-Child"}));
    child->Free();
}
