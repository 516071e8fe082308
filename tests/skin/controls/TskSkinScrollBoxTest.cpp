#include "skin/controls/TskSkinScrollBox.h"

#include "SkinControlsTestSupport.h"
#include "platform/vcl/TCustomControl.h"
#include "platform/vcl/TReader.h"
#include "skin/controls/TskSkinSlider.h"

using namespace skintest;

namespace {

struct ScrollBox : SkinFormTest {
    TskSkinScrollBox* Box = nullptr;
    TskSkinScrollBar* VBar = nullptr;

    // An unskinned, frameless box at (10, 10), 200 x 150, with a vertical bar beside it.
    void MakeBox(TWinControl* parent = nullptr)
    {
        Box = Make<TskSkinScrollBox>(parent ? parent : Form, Rect(10, 10, 210, 160), false);
        Box->SetBorderStyle(bvNone);
        VBar = Make<TskSkinScrollBar>(Form, Rect(210, 10, 229, 160), false);
        VBar->SetKind(sbVertical);
        Box->SetVScrollBar(VBar);
    }
    TCustomControl* Child(int top, int height, TAlign align = alNone)
    {
        auto* c = new TCustomControl(Form);
        c->SetParent(Box);
        c->SetBounds(0, top, 100, height);
        c->SetAlign(align);
        return c;
    }
};

} // namespace

TEST_F(ScrollBox, ContentTallerThanTheBoxShowsTheBarWithTheContentRange)
{
    MakeBox();
    ShowForm();
    EXPECT_FALSE(VBar->Visible());
    Child(0, 60);
    Child(60, 60);
    Child(120, 60);
    Box->UpdateVScrollBar();
    EXPECT_TRUE(VBar->Visible());
    EXPECT_EQ(VBar->Min(), 0);
    EXPECT_EQ(VBar->Max(), 179);
    EXPECT_EQ(VBar->PageSize(), 150);
    VBar->SetPosition(100);
    EXPECT_EQ(VBar->Position(), 30);
}

TEST_F(ScrollBox, ScrolledContentThatFitsAgainMovesBackAndHidesTheBar)
{
    MakeBox();
    ShowForm();
    TCustomControl* first = Child(0, 60);
    Child(60, 60);
    TCustomControl* third = Child(120, 60);
    Box->UpdateVScrollBar();
    VBar->SetPosition(30);
    EXPECT_EQ(first->Top(), -30);
    third->Free();
    Box->UpdateVScrollBar();
    EXPECT_EQ(first->Top(), 0);
    EXPECT_FALSE(VBar->Visible());
    EXPECT_EQ(VBar->Max(), 0);
    EXPECT_EQ(VBar->Position(), 0);
}

TEST_F(ScrollBox, AFourthRowMakesTheBarAppearWithoutResizingTheBox)
{
    MakeBox();
    ShowForm();
    for (int i = 0; i < 3; ++i) Child(i * 40, 40, alTop);
    EXPECT_FALSE(VBar->Visible());
    TCustomControl* fourth = Child(200, 40, alTop);
    EXPECT_TRUE(VBar->Visible());
    EXPECT_EQ(VBar->Max(), 159);
    EXPECT_EQ(fourth->Top(), 120);
    // The last row can now be scrolled into view.
    VBar->SetPosition(10);
    EXPECT_EQ(fourth->Top(), 110);
    Driver.ProcessMessages();
    Save("scrollbox-four-rows");
}

TEST_F(ScrollBox, RemovingARowOfScrolledContentBringsItBackAndHidesTheBar)
{
    MakeBox();
    ShowForm();
    TCustomControl* first = nullptr;
    TCustomControl* last = nullptr;
    for (int i = 0; i < 4; ++i) {
        last = Child(i * 40, 40, alTop);
        if (i == 0) first = last;
    }
    VBar->SetPosition(10);
    EXPECT_EQ(first->Top(), -10);
    last->Free();
    EXPECT_FALSE(VBar->Visible());
    EXPECT_EQ(first->Top(), 0);
}

TEST_F(ScrollBox, EnlargingAScrolledAlignedBoxKeepsTheContentEndAtTheBottom)
{
    auto* host = new TCustomControl(Form);
    host->SetParent(Form);
    host->SetBounds(10, 10, 200, 150);
    Box = new TskSkinScrollBox(Form);
    Box->SetParent(host);
    Box->SetBorderStyle(bvNone);
    Box->SetAlign(alClient);
    VBar = Make<TskSkinScrollBar>(Form, Rect(300, 10, 319, 160), false);
    VBar->SetKind(sbVertical);
    Box->SetVScrollBar(VBar);
    ShowForm();
    TCustomControl* first = Child(0, 60);
    Child(60, 60);
    Child(120, 60);
    Box->UpdateVScrollBar();
    VBar->SetPosition(30);
    host->SetBounds(10, 10, 200, 170);
    EXPECT_EQ(Box->Height(), 170);
    EXPECT_EQ(VBar->Position(), 10);
    EXPECT_EQ(first->Top(), -10);
}

TEST_F(ScrollBox, WheelMovesTheBarByItsLineAndOnlyWhenItShows)
{
    MakeBox();
    VBar->SetSmallChange(25);
    Box->SetCanFocused(true);
    ShowForm();
    // The wheel goes to what lies under the pointer, a child of the box here, which hands it up.
    TCustomControl* first = Child(0, 60, alTop);
    const TPoint over = first->ClientToScreen({10, 10});
    Driver.MoveTo(over);
    Driver.Wheel(-WHEEL_DELTA);
    Driver.ProcessMessages();
    // Everything fits: nothing moves.
    EXPECT_EQ(first->Top(), 0);
    Child(60, 60, alTop);
    Child(120, 60, alTop);
    ASSERT_TRUE(VBar->Visible());
    Driver.Wheel(-WHEEL_DELTA);
    Driver.ProcessMessages();
    EXPECT_EQ(VBar->Position(), 25);
    EXPECT_EQ(first->Top(), -25);
    // Two notches at once, and no further than the end.
    Driver.Wheel(-2 * WHEEL_DELTA);
    Driver.ProcessMessages();
    EXPECT_EQ(VBar->Position(), 30);
    Driver.Wheel(WHEEL_DELTA);
    Driver.ProcessMessages();
    EXPECT_EQ(VBar->Position(), 5);
}

TEST_F(ScrollBox, FocusedBoxScrollsByArrowPageHomeAndEndKeys)
{
    MakeBox();
    VBar->SetSmallChange(20);
    Box->SetCanFocused(true);
    ShowForm();
    // A click on the box's own empty place gives it the keyboard.
    Driver.Click(Box->ClientToScreen({5, 5}));
    Driver.ProcessMessages();
    ASSERT_TRUE(Box->Focused());
    for (int i = 0; i < 10; ++i) Child(i * 40, 40, alTop);
    ASSERT_TRUE(VBar->Visible());
    const std::pair<WORD, int> steps[] = {{VK_DOWN, 20}, {VK_NEXT, 170}, {VK_UP, 150}, {VK_END, 250}, {VK_PRIOR, 100}, {VK_HOME, 0}};
    for (const auto& [key, position] : steps) {
        Driver.Press(key);
        Driver.ProcessMessages();
        EXPECT_EQ(VBar->Position(), position) << "key " << key;
    }
}

TEST_F(ScrollBox, AClickInTheBarsTrackPagesByTheVisibleHeight)
{
    MakeBox();
    ShowForm();
    for (int i = 0; i < 10; ++i) Child(i * 40, 40, alTop);
    ASSERT_TRUE(VBar->Visible());
    // The track runs from 17 to 133 of the bar's 150 pixels; the thumb starts at its top.
    const std::pair<int, int> clicks[] = {{120, 150}, {120, 250}, {30, 100}, {30, 0}};
    for (const auto& [y, position] : clicks) {
        Driver.Click(VBar->ClientToScreen({9, y}));
        Driver.ProcessMessages();
        EXPECT_EQ(VBar->Position(), position) << "click at " << y;
    }
}

TEST_F(ScrollBox, AChildThatTakesTheFocusOutOfSightIsScrolledIntoView)
{
    MakeBox();
    ShowForm();
    std::vector<TCustomControl*> rows;
    for (int i = 0; i < 10; ++i) rows.push_back(Child(i * 40, 40, alTop));
    // A row below the client comes up to its bottom, one above comes down to its top; a row in sight
    // stays where it is. The focus may also land on a control inside a row.
    auto* inner = new TCustomControl(Form);
    inner->SetParent(rows[9]);
    inner->SetBounds(10, 20, 20, 10);
    const std::pair<TWinControl*, int> focus[] = {{rows[7], 170}, {rows[6], 170}, {rows[1], 40}, {inner, 250}};
    for (const auto& [control, position] : focus) {
        control->SetFocus();
        Driver.ProcessMessages();
        EXPECT_EQ(VBar->Position(), position) << control->Top();
    }
    EXPECT_EQ(rows[9]->Top(), 110);
}

TEST_F(ScrollBox, HorizontalBarTakesItsBothLookWhileTheVerticalBarShows)
{
    MakeBox();
    auto* hbar = Make<TskSkinScrollBar>(Form, Rect(10, 160, 210, 179), false);
    Box->SetHScrollBar(hbar);
    ShowForm();
    EXPECT_FALSE(hbar->Both());
    TCustomControl* tall = Child(0, 300, alTop);
    EXPECT_TRUE(hbar->Both());
    tall->Free();
    EXPECT_FALSE(hbar->Both());
}

TEST_F(ScrollBox, DefaultFrameInsetsTheClientByOnePixel)
{
    MakeBox();
    Box->SetColor(clWhite);
    Box->SetBorderStyle(bvFrame);
    ShowForm();
    EXPECT_EQ(Box->ClientWidth(), 198);
    EXPECT_EQ(Box->ClientHeight(), 148);
    EXPECT_EQ(At(10, 10), Px(clBtnShadow));
    EXPECT_EQ(At(209, 159), Px(clBtnShadow));
    EXPECT_EQ(At(12, 12), Px(clWhite));
}

TEST_F(ScrollBox, FreedBarIsUnlinked)
{
    MakeBox();
    VBar->Free();
    EXPECT_EQ(Box->VScrollBar(), nullptr);
    Child(0, 300);
    Box->UpdateVScrollBar(); // no bar: nothing to do, no crash
}

// The bar's leaving realigns the form and widens the box while the bar's own parts are going (the
// sanitizers tell a call on the half-destroyed bar).
TEST_F(ScrollBox, ABarFreedBesideAnAlignedBox_IsNotKeptInLineOnItsWayOut)
{
    MakeBox();
    Child(0, 3000);
    VBar->SetAlign(alRight);
    Box->SetAlign(alClient);
    const int width = Box->Width();
    VBar->Free();
    EXPECT_EQ(Box->VScrollBar(), nullptr);
    EXPECT_GT(Box->Width(), width);
}

TEST(ScrollBoxForm, StoredQueueBoxLinksItsBarAndTheSliderReadsItsRange)
{
    THeadlessDriver driver;
    RegisterSkinControlClasses();
    RegisterSkinScrollBarClass();
    RegisterSkinSliderClass();
    RegisterSkinScrollBoxClass();
    TForm form(nullptr);
    ReadComponentFromText(&form, R"(object F: TForm
  Width = 300
  Height = 200
  object Bar: TskSkinScrollBar
    Left = 280
    Width = 19
    Height = 150
    Kind = sbVertical
    SkinDataName = 'vscrollbar'
  end
  object Box: TskSkinScrollBox
    Width = 280
    Height = 150
    BorderStyle = bvNone
    VScrollBar = Bar
  end
  object vq: TskSkinSlider
    Top = 150
    MaxValue = 40
    Value = 25
    Options = [soShowPoints, soSmooth]
  end
end
)");
    auto* box = dynamic_cast<TskSkinScrollBox*>(form.FindComponent("Box"));
    auto* bar = dynamic_cast<TskSkinScrollBar*>(form.FindComponent("Bar"));
    auto* vq = dynamic_cast<TskSkinSlider*>(form.FindComponent("vq"));
    ASSERT_NE(box, nullptr);
    ASSERT_NE(bar, nullptr);
    ASSERT_NE(vq, nullptr);
    EXPECT_EQ(box->VScrollBar(), bar);
    EXPECT_EQ(box->BorderStyle(), bvNone);
    EXPECT_EQ(bar->Kind(), sbVertical);
    EXPECT_FALSE(bar->Visible());
    EXPECT_EQ(vq->MaxValue(), 40);
    EXPECT_EQ(vq->Value(), 25);
    EXPECT_FALSE(vq->Options().Contains(soShowFocus));
}

namespace {

// A skin with one "scrollbox" entry: a 30 x 30 nine-part picture, a 5-pixel red frame round green.
struct TScrollBoxSkin : skintest::TLoadedTestSkin {
    TScrollBoxSkin()
        : TLoadedTestSkin(TTestSkinBuilder("Box Test")
                              .Picture("box.bmp", 30, 30, cFrame, {{Rect(5, 5, 25, 25), cClient}})
                              .Control("scrollbox", "scrollbox",
                                  "pictureindex=0\nskinrect=0,0,30,30\nlefttoppoint=5,5\nrighttoppoint=25,5\n"
                                  "leftbottompoint=5,25\nrightbottompoint=25,25\nclientrect=5,5,25,25\n"))
    {
    }
};

} // namespace

TEST_F(ScrollBox, SkinFrameBecomesTheNonClientBorderAndTheClientPieceIsTiled)
{
    TScrollBoxSkin skin;
    Box = Make<TskSkinScrollBox>(Form, Rect(10, 10, 210, 160), false);
    Box->SetSkinData(skin.Skin.get());
    Box->RefreshSkin();
    ShowForm();
    EXPECT_EQ(Box->ClientWidth(), 190);
    EXPECT_EQ(Box->ClientHeight(), 140);
    EXPECT_EQ(At(12, 12), Px(cFrame));
    EXPECT_EQ(At(207, 157), Px(cFrame));
    EXPECT_EQ(At(110, 80), Px(cClient));
    Save("scrollbox-skin");
    Box->SetBorderStyle(bvNone);
    Driver.ProcessMessages();
    EXPECT_EQ(Box->ClientWidth(), 200);
    EXPECT_EQ(At(12, 12), Px(cClient));
}
