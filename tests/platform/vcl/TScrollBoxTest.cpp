#include "platform/vcl/TScrollBox.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/support/THeadlessDriver.h"
#include "platform/vcl/TCustomPanel.h"
#include "platform/vcl/TForm.h"
#include "platform/win/Paint.h"

namespace {
struct BoxFixture : ::testing::Test {
    THeadlessDriver Driver;
    TForm* Form = nullptr;
    TScrollBox* Box = nullptr;
    void SetUp() override
    {
        Form = new TForm(nullptr);
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(0, 0, 300, 300);
        Box = new TScrollBox(Form);
        Box->SetBorderStyleValue(0);
        Box->SetParent(Form);
        Box->SetBounds(0, 0, 200, 100);
        Form->HandleNeeded();
    }
    void TearDown() override { Form->Free(); }
    TPanel* Child(int top, int height)
    {
        auto* p = new TPanel(Form);
        p->SetParent(Box);
        p->SetBounds(0, top, 150, height);
        return p;
    }
};
} // namespace

using TScrollBoxRange = BoxFixture;

TEST_F(TScrollBoxRange, RangeFollowsTheChildrenAndScrollingMovesThem)
{
    TPanel* far = Child(250, 50);
    Box->UpdateScrollBars();
    EXPECT_EQ(Box->VertScrollBar()->Range(), 300);
    EXPECT_TRUE(Box->VertScrollBar()->IsScrollBarVisible());
    EXPECT_FALSE(Box->HorzScrollBar()->IsScrollBarVisible());
    Box->VertScrollBar()->SetPosition(120);
    EXPECT_EQ(far->Top(), 130);
    Box->VertScrollBar()->SetPosition(1000); // held at the end
    EXPECT_EQ(Box->VertScrollBar()->Position(), 200);
    EXPECT_EQ(far->Top(), 50);
    EXPECT_EQ(GetScrollPos(Box->Handle(), SB_VERT), 200);
}

TEST_F(TScrollBoxRange, ScrollMessagesMoveThePosition)
{
    Child(0, 40);
    Child(400, 40);
    Box->UpdateScrollBars();
    Box->Perform(WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(Box->VertScrollBar()->Position(), 8);
    Box->Perform(WM_VSCROLL, SB_TOP, 0);
    EXPECT_EQ(Box->VertScrollBar()->Position(), 0);
}

TEST_F(TScrollBoxRange, ShrinkingContentBringsThePositionBack)
{
    TPanel* far = Child(250, 50);
    Box->UpdateScrollBars();
    Box->VertScrollBar()->SetPosition(200);
    far->SetBounds(0, far->Top(), 150, 10);
    Box->UpdateScrollBars();
    EXPECT_EQ(Box->VertScrollBar()->Position(), 160);
}

// Scrolling carries the rows' pictures along and paints only what comes into view: whatever the step
// (a row, part of one, more than the box shows, back up), the window then shows what a repaint of
// everything shows, and each row knows its new place. A sibling lies over a corner of the box, and one
// row holds a panel of its own.
TEST_F(TScrollBoxRange, ScrollingShowsWhatARepaintOfEverythingShows)
{
    Form->SetColor(clWhite);
    Box->SetColor(clYellow);
    std::vector<TPanel*> rows;
    for (int i = 0; i < 30; ++i) {
        TPanel* row = Child(i * 22, 20);
        row->SetBevelOuter(TBevelCut::bvNone);
        row->SetColor(static_cast<TColor>(RGB(static_cast<BYTE>(i * 8), static_cast<BYTE>(255 - i * 8), 40)));
        rows.push_back(row);
    }
    auto* inner = new TPanel(Form);
    inner->SetParent(rows[3]);
    inner->SetBounds(40, 4, 30, 10);
    inner->SetColor(clNavy);
    auto* over = new TPanel(Form);
    over->SetParent(Form);
    over->SetBounds(170, 80, 60, 40);
    over->SetColor(clRed);
    Form->Show();
    Box->UpdateScrollBars();
    Driver.ProcessMessages();
    for (int position : {22, 44, 55, 300, 290, 0, 460}) {
        Box->VertScrollBar()->SetPosition(position);
        Driver.ProcessMessages();
        const int at = Box->VertScrollBar()->Position();
        const TSurface scrolled = *Driver.Picture(Form->Handle());
        RedrawWindow(Form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
        Driver.ProcessMessages();
        const TSurface* whole = Driver.Picture(Form->Handle());
        int differing = 0;
        for (int y = 0; y < whole->Height(); ++y)
            for (int x = 0; x < whole->Width(); ++x)
                differing += scrolled.Pixel(x, y) != whole->Pixel(x, y);
        EXPECT_EQ(differing, 0) << "position " << at;
        for (int i = 0; i < 30; ++i)
            ASSERT_EQ(rows[i]->Top(), i * 22 - at) << "position " << at;
    }
}
