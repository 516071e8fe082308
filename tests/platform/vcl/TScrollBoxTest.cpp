#include "platform/vcl/TScrollBox.h"

#include <gtest/gtest.h>

#include "tests/support/THeadlessDriver.h"
#include "platform/vcl/TCustomPanel.h"
#include "platform/vcl/TForm.h"

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
