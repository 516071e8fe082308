// What the frame does in place of a system frame: minimizing a second form to a caption bar, rolling
// up, the caption's double click, magnetic edges while the window is moved, and the fade-in.
#include <gtest/gtest.h>

#include "platform/backend/THeadlessBackend.h"
#include "platform/gfx/Regions.h"
#include "platform/win/Paint.h"
#include "platform/win/Window.h"
#include "skin/data/SkinPlatform.h"
#include "skin/form/TskActiveSkinObject.h"
#include "skin/form/TskFormFrame.h"
#include "FrameTestSupport.h"

using namespace frametest;

namespace {

struct FrameStates : FrameTest {
    void ShowActive(TForm* F = nullptr)
    {
        F = F != nullptr ? F : Form;
        F->Show();
        Driver.FocusIn(F->Handle());
        Driver.ProcessMessages();
    }
    void ClickOn(TForm* F, const char* Button)
    {
        TskFormFrame* frame = FindSkinFormComponent(F);
        const TRect r = frame->FindObject(Button)->ObjectRect;
        Driver.Click(TPoint{F->Left() + r.Left + 5, F->Top() + r.Top + 5});
        Driver.ProcessMessages();
        // The next click is a click of its own, not the second half of a double click.
        Driver.AdvanceClock(1000);
    }
    // A double click on the caption, as the window layer reports it (a real press on the caption
    // would start the window's move loop, which waits for a release the headless driver cannot send).
    void CaptionDoubleClick()
    {
        SendMessage(Form->Handle(), WM_NCLBUTTONDBLCLK, HTCAPTION, MAKELPARAM(Form->Left() + 150, Form->Top() + 10));
        Driver.ProcessMessages();
    }
    TRect WorkArea() const
    {
        TRect area;
        GetMonitorWorkArea(Form->Handle(), true, area);
        return area;
    }
    // What the window's move loop asks the form while it is dragged to (Left, Top), the pointer at P.
    TRect Moving(int Left, int Top, TPoint P)
    {
        Driver.MoveTo(P);
        TRect r{Left, Top, Left + Form->Width(), Top + Form->Height()};
        SendMessage(Form->Handle(), WM_MOVING, 0, reinterpret_cast<LPARAM>(&r));
        return r;
    }
};

// ---- Minimize, restore, roll up ----

TEST_F(FrameStates, SecondFormMinimizes_ToACaptionBarAtTheBottomLeft_AThirdGoesToItsRight)
{
    ShowActive();
    auto* third = new TForm(nullptr);
    third->SetBounds(300, 200, 250, 150);
    new TskFormFrame(third);
    ShowActive(third);

    ClickOn(Form, "minbutton");
    ASSERT_TRUE(Frame->Minimized());
    const TRect area = WorkArea();
    const int w = Frame->GetMinWidth();
    const int h = Frame->GetMinHeight();
    EXPECT_EQ(Form->BoundsRect(), Rect(area.Left, area.Bottom - h, area.Left + w, area.Bottom));
    // Still on the screen and still a frame: its caption and buttons are there to bring it back.
    EXPECT_TRUE(Form->Visible());
    EXPECT_EQ(w, 130);
    EXPECT_EQ(h, 19 + 6);

    Driver.FocusIn(third->Handle());
    ClickOn(third, "minbutton");
    EXPECT_EQ(third->Left(), area.Left + w);
    EXPECT_EQ(third->Top(), area.Bottom - h);

    // The minimize button restores it now.
    Driver.FocusIn(Form->Handle());
    Driver.ProcessMessages();
    ClickOn(Form, "minbutton");
    EXPECT_FALSE(Frame->Minimized());
    EXPECT_EQ(Form->BoundsRect(), Rect(100, 80, 400, 280));
    third->Free();
}

TEST_F(FrameStates, RollUpButton_LeavesTheCaption_AndBringsTheWindowBack)
{
    int changes = 0;
    Frame->OnChangeRollUpState = [&](TObject*) { ++changes; };
    ShowActive();
    ClickOn(Form, "rollupbutton");
    ASSERT_TRUE(Frame->RolledUp());
    EXPECT_EQ(Form->Height(), 19 + 6);
    EXPECT_EQ(Form->ClientHeight(), 0);
    // Rolled up, the window cannot be sized.
    EXPECT_EQ(Hit(150, 24), HTOBJECT);
    ClickOn(Form, "rollupbutton");
    EXPECT_FALSE(Frame->RolledUp());
    EXPECT_EQ(Form->Height(), 200);
    EXPECT_EQ(changes, 2);
}

TEST_F(FrameStates, SkinnedFrameRolledUp_ShowsItsCaptionAndBottomEdge)
{
    // The mask's always-inside rectangle reaches into the caption, as the converter's skin has it.
    TFrameSkin skin("maskrectarea=5,10,95,75\n", "", true);
    Frame->SetSkinData(skin.Skin.get());
    ShowActive();
    Frame->RollUpFrame(true);
    ASSERT_TRUE(Frame->RolledUp());
    // The frame picture less its client area: the top band and the bottom edge, nothing between.
    ASSERT_EQ(Form->Height(), 80 - 45);
    Save("FrameRolledUpSkinned");
    EXPECT_EQ(At(150, 20), Px(cTop));
    EXPECT_EQ(At(5, 20), Px(cCorner));
    EXPECT_EQ(At(295, 20), Px(cTopRight));
    EXPECT_EQ(At(150, 32), Px(cBottom));
    EXPECT_EQ(At(150, 2), Px(cTop));
}

TEST_F(FrameStates, CaptionDoubleClick_Maximizes_ThenRestores)
{
    ShowActive();
    CaptionDoubleClick();
    ASSERT_TRUE(Frame->Maximized());
    const TRect area = WorkArea();
    EXPECT_EQ(Form->Width(), area.Width() - (area == TRect{0, 0, area.Width(), area.Height()} ? 2 : 0));
    CaptionDoubleClick();
    EXPECT_FALSE(Frame->Maximized());
    EXPECT_EQ(Form->BoundsRect(), Rect(100, 80, 400, 280));
}

TEST_F(FrameStates, WindowManagersMaximiseAndRestore_TheFrameFollows_BackToItsPlace)
{
    ShowActive();
    const TRect normal = Form->BoundsRect();
    Driver.MaximizedByDesktop(Form->Handle(), Rect(0, 0, 1280, 800));
    Driver.ProcessMessages();
    EXPECT_TRUE(Frame->Maximized());
    EXPECT_EQ(Form->BoundsRect(), Rect(0, 0, 1280, 800));
    Driver.RestoredFromMaximizedByDesktop(Form->Handle());
    Driver.ProcessMessages();
    EXPECT_FALSE(Frame->Maximized());
    EXPECT_EQ(Form->BoundsRect(), normal);
}

TEST_F(FrameStates, Sizeable_NotTheBorderStyle_SaysWhetherTheWindowManagerMaySizeTheForm)
{
    Form->SetBorderStyle(bsSingle);
    ShowForm();
    THeadlessWindow* display = THeadlessWindow::Of(Form->Handle());
    ASSERT_NE(display, nullptr);
    EXPECT_TRUE(display->Params.Sizeable);
    Frame->SetSizeable(false);
    EXPECT_FALSE(display->Params.Sizeable);
}

TEST_F(FrameStates, CaptionDoubleClick_WithoutMaximizeOrRollUp_DoesNothing)
{
    Frame->SetBorderIcons(TskBorderIcons{TskBorderIcon::biSystemMenu, TskBorderIcon::biMinimize});
    ShowActive();
    CaptionDoubleClick();
    EXPECT_FALSE(Frame->Maximized());
    EXPECT_FALSE(Frame->RolledUp());
    EXPECT_EQ(Form->BoundsRect(), Rect(100, 80, 400, 280));
}

TEST_F(FrameStates, NotSizeable_CaptionDoubleClickRollsUp)
{
    Frame->SetSizeable(false);
    ShowActive();
    CaptionDoubleClick();
    EXPECT_TRUE(Frame->RolledUp());
    EXPECT_FALSE(Frame->Maximized());
}

TEST_F(FrameStates, ClientAreaFrame_RollsUpToTheSkinsRollUpPicture_ShapedByItsMask_AndDownAgain)
{
    // "rcap" belongs to the rolled-up picture: its caption lies right of the stretchable span.
    TFrameSkin skin("", "", false, {{"rcap:caption", "skinrect=92,2,98,14\nrollup=1\n"}}, true);
    Frame->SetSupportNCArea(false);
    Frame->SetSizeable(false);
    Frame->SetSkinData(skin.Skin.get());
    ShowActive();
    const TRect open = Form->BoundsRect();
    // A double click on the caption of a frame that cannot be sized rolls it up.
    SendMessage(Form->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(150, 8));
    Driver.ProcessMessages();
    ASSERT_TRUE(Frame->RolledUp());
    EXPECT_EQ(Form->BoundsRect(), Rect(open.Left, open.Top, open.Right, open.Top + 20));
    Save("FrameClientAreaRolledUp");
    // The roll-up picture, its span stretched to the width: both ends as drawn.
    EXPECT_EQ(At(5, 17), Px(cCorner));
    EXPECT_EQ(At(150, 17), Px(cActive));
    EXPECT_EQ(At(open.Width() - 3, 17), Px(cTopRight));
    // Shaped by the roll-up mask: the notch at the top-left corner is not part of the window.
    HRGN shape = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(Form->Handle(), shape), RGN_ERROR);
    EXPECT_FALSE(PtInRegion(shape, 1, 1));
    EXPECT_TRUE(PtInRegion(shape, 6, 1));
    EXPECT_TRUE(PtInRegion(shape, open.Width() - 2, 18));
    EXPECT_FALSE(PtInRegion(shape, 150, 25));
    DeleteObject(shape);
    // Its object moved with the right end; the frame's own caption is not there while rolled up.
    EXPECT_EQ(Frame->FindObject("rcap")->ObjectRect, Rect(open.Width() - 8, 2, open.Width() - 2, 14));
    SendMessage(Form->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(150, 8));
    Driver.ProcessMessages();
    EXPECT_TRUE(Frame->RolledUp());
    // The rolled-up caption's double click brings the whole frame back.
    SendMessage(Form->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(open.Width() - 5, 8));
    Driver.ProcessMessages();
    EXPECT_FALSE(Frame->RolledUp());
    EXPECT_EQ(Form->BoundsRect(), open);
    EXPECT_EQ(At(150, 17), Px(cTop));
    EXPECT_EQ(At(150, 100), Px(cClient));
}

TEST_F(FrameStates, ClientAreaFrame_RolledUp_ASkinWithoutRollUpPictureUnrollsIt)
{
    TFrameSkin rolling("", "", false, {}, true);
    TFrameSkin plain;
    Frame->SetSupportNCArea(false);
    Frame->SetSkinData(rolling.Skin.get());
    ShowActive();
    const TRect open = Form->BoundsRect();
    Frame->RollUpFrame(true);
    ASSERT_TRUE(Frame->RolledUp());
    Frame->SetSkinData(plain.Skin.get());
    Driver.ProcessMessages();
    EXPECT_FALSE(Frame->RolledUp());
    EXPECT_EQ(Form->BoundsRect(), open);
    // Without a roll-up picture such a frame does not roll up at all.
    Frame->RollUpFrame(true);
    EXPECT_FALSE(Frame->RolledUp());
}

// ---- Magnetic edges ----

TEST_F(FrameStates, Magnetic_SnapsToTheWorkAreaEdge_AndLeavesOnlyAfterTheCursorMovedFar)
{
    Frame->SetMagnetic(true);
    ShowActive();
    const TRect area = WorkArea();
    // Eight pixels from the left edge: pulled onto it.
    TRect r = Moving(area.Left + 8, 300, TPoint{area.Left + 60, 310});
    EXPECT_EQ(r.Left, area.Left);
    EXPECT_EQ(r.Width(), 300);
    // The cursor moves on by less than the magnetic size: the window stays at the edge.
    r = Moving(area.Left + 9, 300, TPoint{area.Left + 65, 310});
    EXPECT_EQ(r.Left, area.Left);
    // Far enough away: it follows the cursor again.
    r = Moving(area.Left + 30, 300, TPoint{area.Left + 82, 310});
    EXPECT_EQ(r.Left, area.Left + 30);
    // The right edge pulls the window's right side onto it.
    r = Moving(area.Right - 300 - 5, 300, TPoint{area.Right - 100, 310});
    EXPECT_EQ(r.Right, area.Right);
    // The top edge, from far below it.
    r = Moving(area.Left + 200, area.Top + 140, TPoint{area.Left + 300, area.Top + 161});
    r = Moving(area.Left + 190, area.Top + 24, TPoint{area.Left + 290, area.Top + 45});
    r = Moving(area.Left + 200, area.Top + 7, TPoint{area.Left + 300, area.Top + 28});
    EXPECT_EQ(r, Rect(area.Left + 200, area.Top, area.Left + 500, area.Top + 200));
}

TEST_F(FrameStates, Magnetic_FastDragUpByTheCaption_WhoseLastStepCameWithTheRelease_EndsOnTheTopEdge)
{
    Frame->SetMagnetic(true);
    ShowActive();
    const TRect area = WorkArea();
    Form->SetBounds(area.Left + 200, area.Top + 300, 300, 200);
    Driver.ProcessMessages();
    const auto inject = [&](TInputKind Kind, int X, int Y) {
        TInputEvent e;
        e.Kind = Kind;
        e.Pos = TPoint{X, Y};
        e.Button = 1;
        Driver.Backend().Inject(e);
    };
    // Pressed in the caption, pulled straight up in long steps; the display gives the last step only
    // with the release, which leaves the window's top 5 pixels below the edge.
    const int x = area.Left + 350;
    inject(TInputKind::MouseMove, x, area.Top + 310);
    inject(TInputKind::ButtonDown, x, area.Top + 310);
    for (int y = area.Top + 250; y >= area.Top + 70; y -= 60) inject(TInputKind::MouseMove, x, y);
    inject(TInputKind::ButtonUp, x, area.Top + 15);
    Driver.ProcessMessages();
    EXPECT_EQ(Form->BoundsRect(), Rect(area.Left + 200, area.Top, area.Left + 500, area.Top + 200));
    EXPECT_EQ(GetCapture(), 0u);
}

TEST_F(FrameStates, NotMagnetic_MovesFreely_AndAMaximizedFrameDoesNotMove)
{
    ShowActive();
    const TRect area = WorkArea();
    TRect r = Moving(area.Left + 8, 300, TPoint{area.Left + 60, 310});
    EXPECT_EQ(r.Left, area.Left + 8);
    Frame->SetFrameWindowState(FrameStateMaximized);
    Driver.ProcessMessages();
    const TRect maximized = Form->BoundsRect();
    r = Moving(area.Left + 40, 40, TPoint{area.Left + 60, 50});
    EXPECT_EQ(r, maximized);
}

// ---- Fading in ----

TEST_F(FrameStates, AlphaBlendAnimationAlone_FadesToOpaque_ThenTheLayerGoes)
{
    if (!IsLayeringAvailable()) GTEST_SKIP();
    Frame->SetAlphaBlendAnimation(true);
    ShowActive();
    const HWND h = Form->Handle();
    ASSERT_NE(GetWindowLong(h, GWL_EXSTYLE) & WS_EX_LAYERED, 0);
    Driver.AdvanceClock(1 + 5 * 5);
    BYTE alpha = 0;
    GetLayeredWindowAttributes(h, nullptr, &alpha, nullptr);
    EXPECT_GT(alpha, 0);
    EXPECT_LT(alpha, 255);
    Driver.AdvanceClock(500);
    EXPECT_EQ(GetWindowLong(h, GWL_EXSTYLE) & WS_EX_LAYERED, 0);
}

TEST_F(FrameStates, AlphaBlendSetBeforeTheWindowExists_IsAppliedWhenShown)
{
    if (!IsLayeringAvailable()) GTEST_SKIP();
    auto* dialog = new TForm(nullptr);
    dialog->SetBounds(200, 200, 200, 120);
    auto* frame = new TskFormFrame(dialog);
    frame->SetBorderIcons(TskBorderIcons{});
    frame->SetAlphaBlend(true);
    frame->SetAlphaBlendValue(150);
    ShowActive(dialog);
    Driver.AdvanceClock(50);
    BYTE alpha = 0;
    GetLayeredWindowAttributes(dialog->Handle(), nullptr, &alpha, nullptr);
    EXPECT_NE(GetWindowLong(dialog->Handle(), GWL_EXSTYLE) & WS_EX_LAYERED, 0);
    EXPECT_EQ(alpha, 150);
    dialog->Free();
}

} // namespace
