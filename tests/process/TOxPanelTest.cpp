// The arrange panel: size reports, row layout in tab order, the flat border, the mouse-over state
// and hint colours of the extension template.
#include "process/TOxPanel.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/THeadlessDriver.h"
#include "platform/vcl/TApplication.h"
#include "platform/vcl/TForm.h"

namespace {

TPixel Rgb(TColor c)
{
    return ColorToPixel(c) & 0x00FFFFFF;
}

struct PanelTest : ::testing::Test {
    THeadlessDriver Driver;
    TForm Form{nullptr};
    TOxPanel* Host = nullptr;

    void SetUp() override
    {
        Form.SetBorderStyle(bsNone);
        Form.SetBounds(0, 0, 400, 300);
        Host = new TOxPanel(&Form);
        Host->SetParent(&Form);
        Host->SetBounds(0, 0, 100, 200);
    }
    TOxPanel* Child(int Width, int Height, int TabOrder)
    {
        auto* p = new TOxPanel(&Form);
        p->SetParent(Host);
        p->TControl::SetWidth(Width);
        p->TControl::SetHeight(Height);
        p->SetTabOrder(TabOrder);
        return p;
    }
};

} // namespace

TEST_F(PanelTest, SizeReports_OnlyRealChanges_WidthBeforeParent)
{
    std::vector<std::string> events;
    Host->OnChangedWidth = [&](TObject*, int W) { events.push_back("width " + std::to_string(W)); };
    Host->OnResizeParent = [&](TObject*, int, int, int W, int H) {
        events.push_back("parent " + std::to_string(W) + "x" + std::to_string(H));
    };
    Host->SetWidth(100);
    EXPECT_TRUE(events.empty());
    Host->SetWidth(120);
    EXPECT_EQ(events, (std::vector<std::string>{"width 120", "parent 120x200"}));
}

TEST_F(PanelTest, Arrange_InTabOrder_AHiddenChildTakesNoPlace)
{
    TOxPanel* first = Child(30, 20, 0);
    TOxPanel* hidden = Child(30, 25, 1);
    TOxPanel* third = Child(30, 20, 2);
    hidden->SetVisible(false);
    third->SetTabOrder(0); // tab order, not creation order, decides the places
    Host->ArrangeControls();
    EXPECT_EQ(third->BoundsRect(), Rect(0, 0, 30, 20));
    EXPECT_EQ(first->BoundsRect(), Rect(30, 0, 60, 20));
}

TEST_F(PanelTest, Arrange_WrapsRowsButNeverTheFirstOfARow)
{
    TOxArrangeSettings& s = *Host->ArrangeSettings();
    s.SetBorderLeft(5);
    s.SetBorderTop(4);
    s.SetDistanceHorizontal(2);
    s.SetDistanceVertical(3);
    TOxPanel* a = Child(40, 10, 0);
    TOxPanel* b = Child(40, 15, 1);
    TOxPanel* wide = Child(150, 10, 2);
    TOxPanel* d = Child(20, 10, 3);
    Host->ArrangeControls();
    // The wide child makes the panel's arranging width 160; the first row holds a and b.
    EXPECT_EQ(a->BoundsRect(), Rect(5, 4, 45, 14));
    EXPECT_EQ(b->BoundsRect(), Rect(47, 4, 87, 19));
    EXPECT_EQ(wide->BoundsRect(), Rect(5, 22, 155, 32));
    EXPECT_EQ(d->Top(), 35);

    s.SetWrapControls(false);
    Host->ArrangeControls();
    EXPECT_EQ(wide->Top(), 4);
    EXPECT_EQ(d->Top(), 4);
    EXPECT_EQ(d->Left(), 5 + 42 + 42 + 152);
}

TEST_F(PanelTest, Arrange_AutoSizeBothFitsTheContent)
{
    TOxArrangeSettings& s = *Host->ArrangeSettings();
    s.SetBorderLeft(3);
    s.SetBorderTop(2);
    Host->TControl::SetWidth(10);
    Child(30, 20, 0);
    Child(30, 25, 1);
    s.SetAutoSize(asBoth);
    EXPECT_EQ(Host->Width(), 3 + 60 + 3);
    EXPECT_EQ(Host->Height(), 2 + 25 + 2);
    EXPECT_EQ(Host->ArrangedWidth(), 3 + 60 + 6);
}

TEST_F(PanelTest, Paint_FlatBorderOfWidthZeroDrawsNothingButTheColour)
{
    Host->SetColor(clBlack);
    Host->SetBevelOuter(TBevelCut::bvNone);
    Host->SetFlatBorder(true);
    Form.Show();
    Driver.ProcessMessages();
    const HWND h = Form.Handle();
    for (int x : {0, 1, 50, 99})
        EXPECT_EQ(Driver.PixelAt(h, x, 0) & 0xFFFFFF, Rgb(clBlack)) << x;
    Host->SetBorderWidth(2);
    Host->SetFlatBorderColor(clRed);
    Driver.ProcessMessages();
    Driver.SaveWindow(h, "TOxPanelFlatBorder", OMBRIX_TEST_PICTURES);
    EXPECT_EQ(Driver.PixelAt(h, 1, 50) & 0xFFFFFF, Rgb(clRed));
    EXPECT_EQ(Driver.PixelAt(h, 50, 100) & 0xFFFFFF, Rgb(clBlack));
}

TEST_F(PanelTest, MouseOver_IsSetBeforeTheEnterEventAndClearedBeforeTheLeaveEvent)
{
    std::vector<bool> seen;
    Host->OnMouseEnter = [&](TObject*) { seen.push_back(Host->MouseOver()); };
    Host->OnMouseLeave = [&](TObject*) { seen.push_back(Host->MouseOver()); };
    Host->Perform(CM_MOUSEENTER, 0, 0);
    Host->Perform(CM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(seen, (std::vector<bool>{true, false}));
}

TEST_F(PanelTest, HintColour_OwnApplicationsOrTheParents)
{
    Application->SetHintColor(clYellow);
    TOxPanel* inner = Child(10, 10, 0);
    Host->SetHintColor(clAqua);
    EXPECT_EQ(inner->EffectiveHintColor(), clAqua); // clDefault asks the parent
    inner->SetHintColor(clNone);
    EXPECT_EQ(inner->EffectiveHintColor(), clYellow);
    inner->SetHintColor(clLime);
    EXPECT_EQ(inner->EffectiveHintColor(), clLime);
    Application->SetHintColor(clInfoBk);
}
