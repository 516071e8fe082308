// The extension template's change hooks, the themed background and the drag cursor numbers.
#include "process/OxExControls.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/THeadlessDriver.h"
#include "platform/vcl/TBitmap.h"
#include "platform/vcl/TForm.h"
#include "platform/vcl/TScreen.h"
#include "process/OxThemes.h"
#include "process/OxUtils.h"
#include "process/TOxExCustomPanel.h"

namespace {

// A panel that logs every hook before doing what the template does.
struct THookPanel : TOxExCustomPanel {
    using TOxExCustomPanel::TOxExCustomPanel;
    std::vector<std::string> Log;

protected:
    void VisibleChanged() override { Note("visible", [&] { TOxExCustomPanel::VisibleChanged(); }); }
    void EnabledChanged() override { Note("enabled", [&] { TOxExCustomPanel::EnabledChanged(); }); }
    void ColorChanged() override { Note("color", [&] { TOxExCustomPanel::ColorChanged(); }); }
    void FontChanged() override { Note("font", [&] { TOxExCustomPanel::FontChanged(); }); }
    void ParentFontChanged() override { Note("parentfont", [&] { TOxExCustomPanel::ParentFontChanged(); }); }
    void CursorChanged() override { Note("cursor", [&] { TOxExCustomPanel::CursorChanged(); }); }
    void ShowHintChanged() override { Note("showhint", [&] { TOxExCustomPanel::ShowHintChanged(); }); }
    void ShowingChanged() override { Note("showing", [&] { TOxExCustomPanel::ShowingChanged(); }); }
    void BoundsChanged() override { Note("bounds", [] {}); }
    void ControlsListChanging(TControl* Control, bool Inserting) override
    {
        Note("changing " + std::string(Inserting ? "+" : "-") + Control->Name(), [&] { TOxExCustomPanel::ControlsListChanging(Control, Inserting); });
    }
    void ControlsListChanged(TControl* Control, bool Inserting) override
    {
        Note("changed " + std::string(Inserting ? "+" : "-") + Control->Name(), [&] { TOxExCustomPanel::ControlsListChanged(Control, Inserting); });
    }

private:
    template <class F> void Note(const std::string& What, F Inherited)
    {
        Log.push_back(What);
        Inherited();
    }
};

struct HookTest : ::testing::Test {
    THeadlessDriver Driver;
    TForm Form{nullptr};
    THookPanel* Panel = nullptr;
    void SetUp() override
    {
        Form.SetBorderStyle(bsNone);
        Form.SetBounds(0, 0, 200, 200);
        Panel = new THookPanel(&Form);
        Panel->SetParent(&Form);
        Panel->SetBounds(10, 10, 100, 100);
        Form.Show();
        Driver.ProcessMessages();
        Panel->Log.clear();
    }
    bool Logged(const std::string& What) const
    {
        return std::find(Panel->Log.begin(), Panel->Log.end(), What) != Panel->Log.end();
    }
};

} // namespace

TEST_F(HookTest, EachChangeReachesItsHookAndStillDoesThePlatformsWork)
{
    auto* child = new TPanel(&Form);
    child->SetName("Child");
    child->SetParent(Panel);
    Panel->Font()->SetSize(20);
    EXPECT_TRUE(Logged("font"));
    // Passed on: the child that follows its parent's font has the new size.
    EXPECT_EQ(child->Font()->Size(), 20);
    Panel->SetColor(clRed);
    Panel->SetEnabled(false);
    Panel->SetCursor(crHandPoint);
    Panel->SetShowHint(true);
    Panel->SetBounds(20, 20, 90, 90);
    Panel->SetVisible(false);
    for (const char* what : {"color", "enabled", "cursor", "showhint", "bounds", "visible", "showing"})
        EXPECT_TRUE(Logged(what)) << what;
    EXPECT_FALSE(IsWindowVisible(Panel->Handle()));
}

TEST_F(HookTest, ChildrenComingAndGoingAreAnnouncedBeforeAndAfter)
{
    auto* child = new TPanel(&Form);
    child->SetName("Kid");
    child->SetParent(Panel);
    child->SetParent(nullptr);
    EXPECT_EQ(Panel->Log, (std::vector<std::string>{"changing +Kid", "changed +Kid", "changing -Kid", "changed -Kid"}));
    child->Free();
}

TEST_F(HookTest, HighlightedFrame_LightsOnHoverAndFocus_AndGoesWithTheMouse)
{
    Panel->SetColor(clAqua);
    Driver.ProcessMessages();
    auto at = [&](int x, int y) { return Driver.PixelAt(Form.Handle(), x, y) & 0x00FFFFFF; };
    auto px = [](TColor c) { return ColorToPixel(c) & 0x00FFFFFF; };
    struct TRing {
        TPixel Outer, Inner;
        bool operator==(const TRing&) const = default;
    };
    // The panel's left edge at x 10, the ring one pixel inside at x 11.
    auto ring = [&] { return TRing{at(10, 50), at(11, 50)}; };
    // At rest the panel's own look shows; the frame lights over it and leaves nothing behind.
    const TRing rest = ring();
    const TRing hot{px(OxFrameHot), px(OxFrameHot)};
    ASSERT_NE(rest, hot);
    Panel->SetDotNetHighlighting(true);
    Driver.ProcessMessages();
    Driver.MoveTo(Panel->ClientToScreen(TPoint{50, 50}));
    EXPECT_EQ(ring(), hot);
    Driver.MoveTo(TPoint{150, 150});
    EXPECT_EQ(ring(), rest);
    Panel->SetFocus();
    Driver.ProcessMessages();
    EXPECT_EQ(ring(), hot);
}

TEST(OxThemes, AThemedControlShowsItsParentsPaintingWhereItLetsItShow)
{
    THeadlessDriver driver;
    TForm form(nullptr);
    form.SetBorderStyle(bsNone);
    form.SetBounds(0, 0, 200, 100);
    auto* parent = new TPanel(&form);
    parent->SetParent(&form);
    parent->SetBounds(0, 0, 200, 100);
    parent->SetBevelOuter(TBevelCut::bvNone);
    parent->SetCaption("WWWWWW");
    auto* control = new TOxExCustomPanel(&form);
    control->SetParent(parent);
    control->SetBounds(60, 30, 80, 40); // over the parent's caption
    control->SetColor(parent->Color());
    form.Show();
    driver.ProcessMessages();

    auto paint = [&] {
        TBitmap bitmap;
        bitmap.SetSize(80, 40);
        bitmap.Canvas()->Brush()->SetColor(clRed);
        DrawThemedBackground(control, bitmap.Canvas(), Rect(0, 0, 80, 40));
        int other = 0;
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 80; ++x)
                if ((bitmap.Canvas()->Pixels(x, y) & 0xFFFFFF) != (ColorToRGB(clRed) & 0xFFFFFF))
                    ++other;
        return other;
    };
    ASSERT_FALSE(OxThemesEnabled());
    EXPECT_EQ(paint(), 0); // themes off: the brush's colour
    SetOxThemesEnabled(true);
    EXPECT_EQ(paint(), 0); // on, but the control does not let its parent show
    IncludeThemeStyle(control, TControlStyle{csParentBackground, csOpaque});
    EXPECT_EQ(GetThemeStyle(control), TControlStyle{csParentBackground});
    EXPECT_GT(paint(), 80 * 40 / 2); // the parent's colour and its caption
    SetOxThemesEnabled(false);
    ExcludeThemeStyle(control, TControlStyle{csParentBackground});
}

TEST(OxUtils, TheDragCursorNumbersGiveThePlatformsDragCursors)
{
    EXPECT_EQ(Screen->Cursors(crOxMultiDragLink), Screen->Cursors(crMultiDrag));
    EXPECT_EQ(Screen->Cursors(crOxMultiDragMove), Screen->Cursors(crMultiDrag));
    EXPECT_EQ(Screen->Cursors(crOxMultiDragCopy), Screen->Cursors(crMultiDrag));
    EXPECT_EQ(Screen->Cursors(crOxDragLink), Screen->Cursors(crDrag));
    EXPECT_EQ(CursorToHandle(crOxDragLink), Screen->Cursors(crDrag));
}
