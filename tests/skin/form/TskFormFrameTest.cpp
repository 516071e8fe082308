#include "skin/form/TskFormFrame.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>

#include "platform/vcl/TApplication.h"
#include "platform/vcl/TIcon.h"
#include "platform/vcl/TypInfo.h"
#include "platform/win/Window.h"
#include "skin/controls/TskSkinPanel.h"
#include "skin/controls/TskSkinSpeedButton.h"
#include "skin/controls/TskSkinStatusBar.h"
#include "skin/data/SkinMessages.h"
#include "skin/data/SkinPlatform.h"
#include "skin/data/TskCompressedStoredSkin.h"
#include "skin/form/SkinTextObjects.h"
#include "skin/form/TskActiveSkinObject.h"
#include "FrameTestSupport.h"

using namespace frametest;

namespace {

using SkinnedFrame = FrameTest;
using DefaultFrame = FrameTest;
using FrameComponent = FrameTest;

// ---- No skin: the plain default frame ----

TEST_F(DefaultFrame, NoSkin_ClientAreaInsideThreePixelBorderAndCaption)
{
    ShowForm();
    EXPECT_EQ(Form->ClientWidth(), 300 - 6);
    EXPECT_EQ(Form->ClientHeight(), 200 - 19 - 6);
    TPoint origin{0, 0};
    ClientToScreen(Form->Handle(), origin);
    EXPECT_EQ(origin.X, 100 + 3);
    EXPECT_EQ(origin.Y, 80 + 19 + 3);
}

TEST_F(DefaultFrame, NoSkin_PaintsRingsAndGroovedCaption)
{
    ShowForm();
    Save("frame-default.bmp");
    EXPECT_EQ(At(0, 100), Px(cl3DLight));
    EXPECT_EQ(At(299, 100), Px(cl3DDkShadow));
    EXPECT_EQ(At(1, 100), Px(clBtnHighlight));
    EXPECT_EQ(At(298, 100), Px(clBtnShadow));
    EXPECT_EQ(At(2, 100), Px(clBtnFace));
    // Grooves start on the caption bitmap's third row, bright first, then dark (right of the
    // system-menu button).
    EXPECT_EQ(At(30, 5), Px(clBtnHighlight));
    EXPECT_EQ(At(30, 6), Px(clBtnShadow));
}

TEST_F(DefaultFrame, SkinWithoutAFrame_AfterOneWithAFrame_PaintsAndHitTestsTheDefaultFrame)
{
    // The converter's skin for its queue rows holds entries for controls only: no frame picture.
    TFrameSkin framed;
    TskCompressedStoredSkin stored(nullptr);
    stored.BuildFromSkinIni(std::string(OMBRIX_SOURCE_DIR) + "/skins/slate/rows.ini");
    TskSkinData controlsOnly(nullptr);
    controlsOnly.LoadStoredSkin(&stored);
    ASSERT_FALSE(controlsOnly.SkinEmpty);
    Frame->SetSkinData(framed.Skin.get());
    ShowForm();
    ASSERT_EQ(At(150, 20), Px(cTop));
    ASSERT_EQ(At(2, 100), Px(cLeft));
    Frame->SetSkinData(&controlsOnly);
    Driver.ProcessMessages();
    Save("frame-skin-without-frame.bmp");
    // Nothing of the last skin's frame is left: rings, grooves and a plain client background.
    EXPECT_EQ(At(0, 100), Px(cl3DLight));
    EXPECT_EQ(At(2, 100), Px(clBtnFace));
    EXPECT_EQ(At(30, 5), Px(clBtnHighlight));
    EXPECT_EQ(At(150, 100), Px(clBtnFace));
    EXPECT_EQ(Form->ClientWidth(), 300 - 6);
    EXPECT_EQ(Hit(150, 10), HTCAPTION);
    EXPECT_EQ(Hit(299, 100), HTRIGHT);
    // It keeps the default frame's limits instead of shrinking to nothing.
    EXPECT_EQ(Frame->GetMinWidth(), 130);
    Frame->SetSkinData(nullptr);
}

TEST_F(DefaultFrame, NoSkin_HitTestsByDefaultRules)
{
    ShowForm();
    EXPECT_EQ(Hit(150, 10), HTCAPTION);
    EXPECT_EQ(Hit(150, 100), HTCLIENT);
    EXPECT_EQ(Hit(2, 100), HTLEFT);
    // Three pixels on the left and top, two on the right and bottom.
    EXPECT_NE(Hit(297, 100), HTRIGHT);
    EXPECT_EQ(Hit(298, 100), HTRIGHT);
    EXPECT_EQ(Hit(0, 0), HTTOPLEFT);
    EXPECT_EQ(Hit(299, 199), HTBOTTOMRIGHT);
    EXPECT_EQ(Hit(150, 198), HTBOTTOM);
}

TEST_F(DefaultFrame, NotSizeable_BorderIsNoSizingZone)
{
    Frame->SetSizeable(false);
    ShowForm();
    EXPECT_EQ(Hit(298, 100), HTOBJECT);
    EXPECT_EQ(Hit(150, 10), HTCAPTION);
}

TEST_F(DefaultFrame, NoDefaultProcedureForFrameMessages)
{
    ShowForm();
    // Our answers come back even though the form's own procedure would answer differently.
    EXPECT_EQ(SendMessage(Form->Handle(), CM_QUERYSKINFORM), SkinFormFrameOn);
    EXPECT_EQ(SendMessage(Form->Handle(), CM_PAINTSKINFRAME, 0, 0), SkinFramePainted);
    EXPECT_EQ(SendMessage(Form->Handle(), CM_PAINTSKINFRAME2, 0, SkinFramePainted2), SkinFramePainted2);
}

TEST_F(DefaultFrame, NoDefaultMessages_NeverReachFormProcedure)
{
    TForm* form = new TForm(nullptr);
    form->SetBounds(50, 50, 200, 150);
    std::vector<UINT> seen;
    auto own = form->WindowProc;
    form->WindowProc = [&seen, own](TMessage& m) {
        seen.push_back(m.Msg);
        own(m);
    };
    new TskFormFrame(form);
    form->Show();
    Driver.ProcessMessages();
    SendMessage(form->Handle(), WM_NCHITTEST, 0, MAKELPARAM(60, 60));
    for (UINT m : {WM_NCCALCSIZE, WM_NCHITTEST, WM_NCPAINT}) EXPECT_EQ(std::count(seen.begin(), seen.end(), m), 0) << m;
    // Messages the frame leaves alone still get there.
    EXPECT_GT(std::count(seen.begin(), seen.end(), WM_SHOWWINDOW), 0);
    form->Free();
}

TEST_F(DefaultFrame, CaptionPaintHandler_DrawsInsteadOfText)
{
    std::vector<std::string> calls;
    Frame->OnCaptionPaint = [&](TCanvas* c, const TRect& r, bool active) {
        calls.push_back(std::to_string(r.Left) + "," + std::to_string(r.Right) + (active ? " active" : " inactive"));
        c->Brush()->SetColor(clRed);
        c->FillRect(Rect(100, 0, 110, 10));
    };
    ShowForm();
    ASSERT_FALSE(calls.empty());
    // The caption lies between the system-menu button and the four buttons on the right (close,
    // maximize, minimize, roll-up), 17 pixels each.
    EXPECT_EQ(calls.back().substr(0, 6), "17,226");
    // The handler's drawing lands in the caption, which starts 3 pixels into the window.
    EXPECT_EQ(At(105, 5), Px(clRed));
}

TEST_F(DefaultFrame, FirstShow_DesktopCenter_CentresOnWorkArea)
{
    Frame->SetPositionInMonitor(skpDesktopCenter);
    ShowForm();
    TRect area;
    GetMonitorWorkArea(Form->Handle(), true, area);
    EXPECT_EQ(Form->Left(), area.Left + area.Width() / 2 - 150);
    EXPECT_EQ(Form->Top(), area.Top + area.Height() / 2 - 100);
    // Only the first show places the form.
    Form->Hide();
    Form->SetBounds(10, 10, 300, 200);
    Form->Show();
    Driver.ProcessMessages();
    EXPECT_EQ(Form->Left(), 10);
}

// ---- The caption icon ----

TEST_F(FrameTest, ShowIcon_SystemMenuButtonShowsTheProgramsIconAtTheSmallIconSize)
{
    // The program's picture: 32 x 32, a dark left half and a pale right half; shown at 16 x 16.
    const TPixel dark = 0x102030;
    const TPixel pale = 0xF0E0D0;
    TSurface picture(32, 32);
    picture.FillRect(TRect{0, 0, 16, 32}, 0xFF000000u | dark);
    picture.FillRect(TRect{16, 0, 32, 32}, 0xFF000000u | pale);
    Application->Icon()->SetPicture(picture);
    struct TCase {
        const char* Look;
        bool Skinned;
        TPoint Origin; // where the icon's top-left corner should be
    };
    // The skin's caption is 12 high from row 2: the taller icon is centred on it. The plain caption
    // starts inside the 3-pixel border.
    for (const TCase& c : {TCase{"skinned", true, {5, 0}}, TCase{"default", false, {3, 3}}}) {
        SCOPED_TRACE(c.Look);
        TFrameSkin skin("", "", false, {{"sys:stdbutton", "skinrect=5,2,17,14\nskinrectinapicture=1\ncommand=cmsysmenu\n"}});
        TearDown();
        SetUp();
        if (c.Skinned) Frame->SetSkinData(skin.Skin.get());
        ShowForm();
        const TPoint o = c.Origin;
        EXPECT_NE(At(o.X + 4, o.Y + 8), dark);
        Frame->SetShowIcon(true);
        Driver.ProcessMessages();
        Save(std::string("frame-icon-") + c.Look + ".bmp");
        EXPECT_EQ(At(o.X + 1, o.Y + 1), dark);
        EXPECT_EQ(At(o.X + 7, o.Y + 14), dark);
        EXPECT_EQ(At(o.X + 8, o.Y + 1), pale);
        EXPECT_EQ(At(o.X + 15, o.Y + 14), pale);
        EXPECT_NE(At(o.X + 17, o.Y + 8), pale);
        Frame->SetSkinData(nullptr);
    }
    Application->Icon()->SetPicture(StandardApplicationPicture());
}

// ---- A skin frame ----

TEST_F(SkinnedFrame, ClientAreaFollowsSkinClientRect)
{
    TFrameSkin skin;
    Frame->SetSkinData(skin.Skin.get());
    ShowForm();
    EXPECT_EQ(Form->ClientWidth(), 300 - 10);
    EXPECT_EQ(Form->ClientHeight(), 200 - 35);
    TPoint origin{0, 0};
    ClientToScreen(Form->Handle(), origin);
    EXPECT_EQ(origin.X, 100 + 5);
    EXPECT_EQ(origin.Y, 80 + 30);
    Frame->SetSkinData(nullptr);
}

TEST_F(SkinnedFrame, PaintsFramePictureStretchedToWindow)
{
    TFrameSkin skin;
    Frame->SetSkinData(skin.Skin.get());
    ShowForm();
    Save("frame-skin.bmp");
    EXPECT_EQ(At(5, 20), Px(cCorner));
    EXPECT_EQ(At(150, 20), Px(cTop));
    EXPECT_EQ(At(295, 20), Px(cTopRight));
    EXPECT_EQ(At(2, 100), Px(cLeft));
    EXPECT_EQ(At(297, 100), Px(cRight));
    EXPECT_EQ(At(150, 197), Px(cBottom));
    // The client background is the client part of the frame picture.
    EXPECT_EQ(At(150, 100), Px(cClient));
    Frame->SetSkinData(nullptr);
}

TEST_F(SkinnedFrame, ClientBackground_ShowsTheNewSkinAndTheNewSize)
{
    TFrameSkin skin;
    Frame->SetSkinData(skin.Skin.get());
    ShowForm();
    ASSERT_EQ(At(150, 100), Px(cClient));
    // The same skin component loads a skin whose client part has another colour.
    constexpr TColor cOtherClient = 0x00204060;
    TBitmap picture;
    picture.LoadFromFile(skin.Dir + "/frame.bmp");
    Fill(picture, Rect(5, 30, 95, 75), cOtherClient);
    picture.SaveToFile(skin.Dir + "/frame.bmp");
    TskCompressedStoredSkin stored(nullptr);
    stored.BuildFromSkinIni(skin.Dir + "/skin.ini");
    skin.Skin->LoadStoredSkin(&stored);
    Driver.ProcessMessages();
    EXPECT_EQ(At(150, 100), Px(cOtherClient));
    // Wider and taller: where the right border and the bottom were, there is client area now.
    Form->SetBounds(100, 80, 400, 260);
    Driver.ProcessMessages();
    EXPECT_EQ(At(297, 100), Px(cOtherClient));
    EXPECT_EQ(At(350, 220), Px(cOtherClient));
    EXPECT_EQ(At(397, 100), Px(cRight));
    Frame->SetSkinData(nullptr);
}

TEST_F(SkinnedFrame, InactiveWithoutInactivePicture_LooksActive)
{
    TFrameSkin skin;
    Frame->SetSkinData(skin.Skin.get());
    ShowForm();
    Deactivate();
    ASSERT_FALSE(Frame->IsFormActive());
    EXPECT_EQ(At(150, 20), Px(cTop));
    EXPECT_EQ(At(2, 100), Px(cLeft));
    Frame->SetSkinData(nullptr);
}

TEST_F(SkinnedFrame, InactiveWithAutoRendering_DrawsEffectOverStrips)
{
    TFrameSkin skin("autorenderinginactiveimage=1\ninactiveeffect=ieinvert\n");
    Frame->SetSkinData(skin.Skin.get());
    ShowForm();
    Deactivate();
    ASSERT_FALSE(Frame->IsFormActive());
    Save("frame-skin-inactive-inverted.bmp");
    // Inverted red is cyan.
    EXPECT_EQ(At(150, 20), Px(0x00FFFF00));
    Frame->SetSkinData(nullptr);
}

TEST_F(SkinnedFrame, WindowSmallerThanPicture_NotPaintedFromSkin)
{
    TFrameSkin skin;
    Frame->SetSkinData(skin.Skin.get());
    ShowForm();
    EXPECT_LT(Frame->GetMinWidth() - 1, 100);
    EXPECT_EQ(Frame->GetMinWidth(), 100);
    EXPECT_EQ(Frame->GetMinHeight(), 80 - 45);
    Frame->SetSkinData(nullptr);
}

TEST_F(SkinnedFrame, HitTestsCaptionBordersAndCorners)
{
    TFrameSkin skin;
    Frame->SetSkinData(skin.Skin.get());
    ShowForm();
    EXPECT_EQ(Hit(150, 100), HTCLIENT);
    EXPECT_EQ(Hit(150, 8), HTCAPTION);
    EXPECT_EQ(Hit(1, 1), HTTOPLEFT);
    EXPECT_EQ(Hit(298, 1), HTTOPRIGHT);
    EXPECT_EQ(Hit(1, 198), HTBOTTOMLEFT);
    EXPECT_EQ(Hit(298, 198), HTBOTTOMRIGHT);
    EXPECT_EQ(Hit(150, 1), HTTOP);
    EXPECT_EQ(Hit(150, 198), HTBOTTOM);
    EXPECT_EQ(Hit(1, 100), HTLEFT);
    EXPECT_EQ(Hit(298, 100), HTRIGHT);
    // The top band off the caption and the objects is frame, nothing more.
    EXPECT_EQ(Hit(150, 22), HTOBJECT);
    Frame->SetSkinData(nullptr);
}

TEST_F(SkinnedFrame, Maximized_NoSizingZones)
{
    TFrameSkin skin;
    Frame->SetSkinData(skin.Skin.get());
    ShowForm();
    Frame->SetFrameWindowState(FrameStateMaximized);
    Driver.ProcessMessages();
    EXPECT_TRUE(Frame->Maximized());
    EXPECT_EQ(Hit(1, 100), HTOBJECT);
    Frame->SetFrameWindowState(FrameStateNormal);
    Driver.ProcessMessages();
    EXPECT_EQ(Form->Width(), 300);
    EXPECT_EQ(Hit(1, 100), HTLEFT);
    Frame->SetSkinData(nullptr);
}

TEST_F(SkinnedFrame, MaskedSkin_ShapesWindowAndBorderFollowsShape)
{
    TFrameSkin skin("", "", true);
    Frame->SetSkinData(skin.Skin.get());
    ShowForm();
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(Form->Handle(), rgn), RGN_ERROR);
    // The notch at the top-left corner is cut out; the rest of the window is kept.
    EXPECT_FALSE(PtInRegion(rgn, 1, 1));
    EXPECT_TRUE(PtInRegion(rgn, 9, 9));
    EXPECT_TRUE(PtInRegion(rgn, 298, 198));
    DeleteObject(rgn);
    // Below the notch the upward probe falls outside the shape: a sizing corner, not the caption.
    EXPECT_EQ(Hit(6, 10), HTTOPLEFT);
    EXPECT_EQ(Hit(12, 10), HTCAPTION);
    Frame->SetSkinData(nullptr);
}

TEST_F(SkinnedFrame, PointOverObject_EntersItThroughHitTest)
{
    TFrameSkin skin;
    std::vector<std::string> log;
    Frame->OnMouseEnterEvent = [&](const std::string& id) { log.push_back("enter " + id); };
    Frame->SetSkinData(skin.Skin.get());
    ShowForm();
    Form->SetFocus();
    Frame->SetForcedActive(true);
    // The right half of the object's mask is white: not the object.
    EXPECT_EQ(Hit(35, 20), HTOBJECT);
    EXPECT_EQ(Frame->ActiveObject(), -1);
    Frame->TestActiveObject(25, 20, true);
    ASSERT_NE(Frame->ActiveObject(), -1);
    EXPECT_EQ(Frame->Objects(Frame->ActiveObject())->IDName, "obj");
    EXPECT_EQ(log, std::vector<std::string>{"enter obj"});
    Frame->SetSkinData(nullptr);
}

TEST_F(SkinnedFrame, ObjectsMadeInSkinOrder_HandlerMayHideOne)
{
    TFrameSkin skin;
    Frame->OnActivateCustomObject = [](const std::string& id, bool& visible) {
        if (id == "plain") visible = false;
    };
    Frame->SetSkinData(skin.Skin.get());
    ASSERT_EQ(Frame->ObjectCount(), 3);
    EXPECT_EQ(Frame->Objects(0)->IDName, "cap");
    EXPECT_EQ(Frame->Objects(0)->Kind, skokCaption);
    EXPECT_EQ(Frame->Objects(1)->IDName, "obj");
    EXPECT_TRUE(Frame->Objects(1)->Visible);
    EXPECT_FALSE(Frame->FindObject("plain")->Visible);
    // Without the skin only the plain caption buttons are left.
    Frame->SetSkinData(nullptr);
    EXPECT_EQ(Frame->FindObject("obj"), nullptr);
    EXPECT_NE(Frame->FindObject("closebutton"), nullptr);
}

TEST_F(SkinnedFrame, ObjectsFollowWindowSize)
{
    TFrameSkin skin;
    Frame->SetSkinData(skin.Skin.get());
    ShowForm();
    // The caption reaches into the top-right zone: it grows with the window.
    EXPECT_EQ(Frame->FindObject("cap")->ObjectRect, Rect(5, 2, 292, 14));
    EXPECT_EQ(Frame->FindObject("obj")->ObjectRect, Rect(20, 16, 40, 26));
    Frame->SetSkinData(nullptr);
}

TEST_F(SkinnedFrame, ClientRectChangeIsReported)
{
    TFrameSkin skin;
    TRect reported;
    Frame->OnChangeClientRect = [&](const TRect& r) { reported = r; };
    Frame->SetSkinData(skin.Skin.get());
    ShowForm();
    Form->SetBounds(100, 80, 400, 250);
    Driver.ProcessMessages();
    EXPECT_EQ(reported, Rect(5, 30, 395, 245));
    Frame->SetSkinData(nullptr);
}

TEST_F(SkinnedFrame, SkinFreed_FallsBackToDefaultFrame)
{
    auto skin = std::make_unique<TFrameSkin>();
    Frame->SetSkinData(skin->Skin.get());
    Frame->SetMenusSkinData(skin->Skin.get());
    ShowForm();
    skin.reset();
    Driver.ProcessMessages();
    // Both references went with the component: nothing points at the freed skin.
    EXPECT_EQ(Frame->SkinData(), nullptr);
    EXPECT_EQ(Frame->MenusSkinData(), nullptr);
    EXPECT_EQ(Frame->FindObject("obj"), nullptr);
    Driver.ProcessMessages();
    EXPECT_EQ(Form->ClientWidth(), 300 - 6);
    EXPECT_EQ(At(0, 100), Px(cl3DLight));
}

TEST_F(SkinnedFrame, PointerOnObject_EntersPressesAndReleasesIt)
{
    TFrameSkin skin;
    std::vector<std::string> log;
    Frame->OnMouseEnterEvent = [&](const std::string& id) { log.push_back("enter " + id); };
    Frame->OnMouseLeaveEvent = [&](const std::string& id) { log.push_back("leave " + id); };
    Frame->OnMouseDownEvent = [&](const std::string& id, int x, int y, const TRect&, TMouseButton) {
        log.push_back("down " + id + " " + std::to_string(x) + "," + std::to_string(y));
    };
    Frame->OnMouseUpEvent = [&](const std::string& id, int, int, const TRect&, TMouseButton) { log.push_back("up " + id); };
    Frame->SetSkinData(skin.Skin.get());
    ShowForm();
    Frame->SetForcedActive(true);
    Frame->OnMouseMoveEvent = [&](const std::string& id, int x, int y, const TRect&) {
        if (x == 27) log.push_back("move " + id + " " + std::to_string(x) + "," + std::to_string(y));
    };
    Driver.MoveTo(TPoint{100 + 25, 80 + 20});
    Driver.ProcessMessages();
    Driver.ButtonDown();
    // Held: the moves reach the pressed object through the capture.
    Driver.MoveTo(TPoint{100 + 27, 80 + 21});
    Driver.ButtonUp();
    Driver.ProcessMessages();
    // Away into the client area: the pointer watch lets the object go.
    Driver.MoveTo(TPoint{100 + 150, 80 + 100});
    Driver.AdvanceClock(100);
    EXPECT_EQ(log, (std::vector<std::string>{"enter obj", "down obj 25,20", "move obj 27,21", "up obj", "leave obj"}));
    EXPECT_EQ(Frame->ActiveObject(), -1);
    Frame->SetSkinData(nullptr);
}

TEST_F(SkinnedFrame, SkinChangeMessages_FreeThenRebuildObjects)
{
    TFrameSkin skin;
    int changes = 0;
    Frame->OnChangeSkinData = [&](TObject*) { ++changes; };
    Frame->SetSkinData(skin.Skin.get());
    ShowForm();
    changes = 0;
    SendMessage(Form->Handle(), WM_BEFORECHANGESKINDATA, reinterpret_cast<WPARAM>(skin.Skin.get()), 1000);
    EXPECT_EQ(Frame->ObjectCount(), 0);
    SendMessage(Form->Handle(), WM_CHANGESKINDATA, reinterpret_cast<WPARAM>(skin.Skin.get()), 1000);
    EXPECT_EQ(Frame->ObjectCount(), 3);
    EXPECT_EQ(changes, 1);
    // Another skin's change is none of this frame's business.
    TskSkinData other(nullptr);
    SendMessage(Form->Handle(), WM_BEFORECHANGESKINDATA, reinterpret_cast<WPARAM>(&other), 1000);
    EXPECT_EQ(Frame->ObjectCount(), 3);
    Frame->SetSkinData(nullptr);
}

TEST_F(SkinnedFrame, Activation_PlaysTheCaptionsStripOnTheAnimateTimer)
{
    TFrameSkin skin("", "", false, {{"cap2:caption", "skinrect=5,2,25,12\nactivepictureindex=0\nanimateskinrect=0,0,60,10\nframecount=3\n"}});
    Frame->SetSkinData(skin.Skin.get());
    ShowForm();
    Deactivate();
    auto* caption = dynamic_cast<TskSkinCaptionObject*>(Frame->FindObject("cap2"));
    ASSERT_NE(caption, nullptr);
    Driver.FocusIn(Form->Handle());
    Driver.ProcessMessages();
    ASSERT_TRUE(Frame->IsFormActive());
    // The strip starts at its first frame and runs through on the frame's 25 ms timer.
    EXPECT_TRUE(caption->AnimationShown());
    Driver.AdvanceClock(25 * 10);
    EXPECT_FALSE(caption->AnimationShown());
    EXPECT_TRUE(caption->ActiveLook());
    Frame->SetSkinData(nullptr);
}

TEST_F(SkinnedFrame, SkinnableFormOff_DefaultProcedureAnswers)
{
    TFrameSkin skin;
    Frame->SetSkinData(skin.Skin.get());
    ShowForm();
    Frame->SetSkinnableFrame(false);
    EXPECT_FALSE(Frame->FrameOn());
    EXPECT_FALSE(Frame->SkinUsable());
    EXPECT_EQ(SendMessage(Form->Handle(), CM_QUERYSKINFORM), SkinFormFrameOff);
    Frame->SetSkinnableFrame(true);
    EXPECT_EQ(SendMessage(Form->Handle(), CM_QUERYSKINFORM), SkinFormFrameOn);
    Frame->SetSkinData(nullptr);
}

// ---- The frame inside the client area of a border-less form ----

struct ClientAreaFrame : FrameTest {
    void SetUp() override
    {
        FrameTest::SetUp();
        Form->SetBorderStyle(bsNone);
        Frame->SetSupportNCArea(false);
    }
};

TEST_F(ClientAreaFrame, PaintsWholeFramePictureInClient)
{
    TFrameSkin skin("sizegriparea=90,75,100,80\n");
    Frame->SetSkinData(skin.Skin.get());
    ShowForm();
    Save("frame-client-area.bmp");
    EXPECT_EQ(Form->ClientWidth(), 300);
    EXPECT_EQ(At(5, 20), Px(cCorner));
    EXPECT_EQ(At(150, 20), Px(cTop));
    EXPECT_EQ(At(2, 100), Px(cLeft));
    EXPECT_EQ(At(150, 197), Px(cBottom));
    Frame->SetSkinData(nullptr);
}

TEST_F(ClientAreaFrame, HitTestsBorderAndSizeGripInClientCoordinates)
{
    TFrameSkin skin("sizegriparea=90,75,100,80\n");
    Frame->SetSkinData(skin.Skin.get());
    ShowForm();
    EXPECT_EQ(Hit(150, 100), HTCLIENT);
    EXPECT_EQ(Hit(1, 100), HTLEFT);
    EXPECT_EQ(Hit(298, 1), HTTOPRIGHT);
    // The grip follows the bottom-right corner.
    EXPECT_EQ(Hit(291, 196), HTBOTTOMRIGHT);
    // The caption is client area here: dragging the form is the caption object's business.
    EXPECT_EQ(Hit(150, 8), HTCLIENT);
    Frame->SetSkinData(nullptr);
}

TEST_F(ClientAreaFrame, DraggAble_ClientDragMovesForm)
{
    TFrameSkin skin;
    Frame->SetDraggAble(true);
    Frame->SetSkinData(skin.Skin.get());
    ShowForm();
    Driver.Drag(TPoint{100 + 150, 80 + 100}, TPoint{100 + 170, 80 + 130});
    Driver.ProcessMessages();
    EXPECT_EQ(Form->Left(), 120);
    EXPECT_EQ(Form->Top(), 110);
    Frame->SetSkinData(nullptr);
}

// A skin picture that does not stretch: its four corner points coincide.
void MakeFixedSize(TFrameSkin& Skin)
{
    std::ifstream in(Skin.Dir + "/skin.ini");
    std::string ini((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    for (const char* key : {"lefttoppoint=10,30", "righttoppoint=90,30", "leftbottompoint=10,75", "rightbottompoint=90,75"}) {
        const std::string k = key;
        ini.replace(ini.find(k), k.size(), k.substr(0, k.find('=') + 1) + "50,50");
    }
    std::ofstream(Skin.Dir + "/skin.ini") << ini;
    TskCompressedStoredSkin stored(nullptr);
    stored.BuildFromSkinIni(Skin.Dir + "/skin.ini");
    Skin.Skin->LoadStoredSkin(&stored);
}

TEST_F(ClientAreaFrame, ClientSizeComesFromTheSkin_FixedSkinsPicture_ResizableSkinsLimits)
{
    struct TCase {
        const char* Skin;
        bool Fixed;
        TSize Before, After;
    };
    for (const TCase& c : {TCase{"fixed, larger window", true, {300, 200}, {100, 80}},
             TCase{"fixed, smaller window", true, {60, 50}, {100, 80}},
             TCase{"resizable, smaller window", false, {60, 50}, {100, 80}},
             TCase{"resizable, larger window", false, {300, 200}, {300, 200}}}) {
        SCOPED_TRACE(c.Skin);
        TFrameSkin skin;
        if (c.Fixed) MakeFixedSize(skin);
        Form->SetBounds(100, 80, c.Before.cx, c.Before.cy);
        ShowForm();
        Frame->SetSkinData(skin.Skin.get());
        Driver.ProcessMessages();
        EXPECT_EQ((TSize{Form->ClientWidth(), Form->ClientHeight()}), c.After);
        Frame->SetSkinData(nullptr);
    }
}

TEST_F(ClientAreaFrame, ControlsWithAnAreaName_TakeTheirSkinAreaAndFollowTheWindow)
{
    // "body" reaches from the top-left into the bottom-right corner zone: it stretches both ways;
    // "corner" lies in the top-right zone: it moves with the right edge.
    TFrameSkin skin("[SKINAREAS]\ncount=3\n0=body:5,20,95,78\n1=corner:92,2,98,8\n2=none:0,0,0,0\n");
    auto* body = new TskSkinPanel(Form);
    body->SetParent(Form);
    body->SetAlign(alClient);
    body->SetAreaName("body");
    auto* inner = new TskSkinPanel(Form);
    inner->SetParent(body);
    inner->SetAlign(alClient);
    auto* corner = new TskSkinSpeedButton(Form);
    corner->SetParent(Form);
    corner->SetAreaName("corner");
    auto* unplaced = new TskSkinPanel(Form);
    unplaced->SetParent(Form);
    unplaced->SetBounds(1, 2, 3, 4);
    unplaced->SetAreaName("none");
    Frame->SetSkinData(skin.Skin.get());
    ShowForm();
    EXPECT_EQ(body->Align(), alNone);
    EXPECT_EQ(body->BoundsRect(), (TRect{5, 20, 295, 198}));
    EXPECT_EQ(corner->BoundsRect(), (TRect{292, 2, 298, 8}));
    EXPECT_EQ(unplaced->BoundsRect(), (TRect{1, 2, 4, 6}));
    const int border = body->Width() - inner->Width();
    Form->SetBounds(100, 80, 400, 250);
    Driver.ProcessMessages();
    EXPECT_EQ(body->BoundsRect(), (TRect{5, 20, 395, 248}));
    EXPECT_EQ(inner->Width(), body->Width() - border);
    EXPECT_EQ(corner->BoundsRect(), (TRect{392, 2, 398, 8}));
    // A control freed while placed is forgotten.
    corner->Free();
    Form->SetBounds(100, 80, 300, 200);
    Driver.ProcessMessages();
    EXPECT_EQ(body->BoundsRect(), (TRect{5, 20, 295, 198}));
    Frame->SetSkinData(nullptr);
}

TEST_F(ClientAreaFrame, AreaControlsTheFormDoesNotOwn_AreForgottenWhenFreed)
{
    // A bar given to the frame and taken back: the frame's link to it let go, its watch must not.
    for (const bool linkedOnce : {false, true}) {
        TFrameSkin skin("[SKINAREAS]\ncount=1\n0=bar:5,60,95,75\n");
        auto* bar = new TskSkinStatusBar(nullptr);
        bar->SetParent(Form);
        bar->SetAreaName("bar");
        Frame->SetSkinData(skin.Skin.get());
        ShowForm();
        EXPECT_EQ(bar->Left(), 5) << linkedOnce;
        if (linkedOnce) {
            Frame->SetStatusBar(bar);
            Frame->SetStatusBar(nullptr);
        }
        bar->Free();
        Form->SetBounds(100, 80, 400, 250);
        Driver.ProcessMessages();
        Frame->SetSkinData(nullptr);
        Form->SetBounds(100, 80, 300, 200);
        Driver.ProcessMessages();
    }
}

TEST_F(SkinnedFrame, SkinnableSwitch_KeepsAMaximizedFormMaximized)
{
    TFrameSkin skin;
    Frame->SetSkinData(skin.Skin.get());
    ShowForm();
    Frame->SetFrameWindowState(FrameStateMaximized);
    const TRect maximized = Form->BoundsRect();
    // Off: the system keeps the form maximized.
    Frame->SetSkinnableFrame(false);
    Driver.ProcessMessages();
    EXPECT_EQ(Form->WindowState(), wsMaximized);
    EXPECT_EQ(Frame->FrameWindowState(), FrameStateNormal);
    EXPECT_TRUE(Form->Visible());
    // On again: the frame does.
    Frame->SetSkinnableFrame(true);
    Driver.ProcessMessages();
    EXPECT_EQ(Frame->FrameWindowState(), FrameStateMaximized);
    EXPECT_EQ(Form->WindowState(), wsNormal);
    EXPECT_EQ(Form->BoundsRect(), maximized);
    EXPECT_TRUE(Form->Visible());
    Frame->SetSkinData(nullptr);
}

// ---- The component ----

TEST_F(FrameComponent, FoundOnItsForm)
{
    EXPECT_EQ(FindSkinFormComponent(Form), Frame);
    EXPECT_EQ(FindSkinFormComponent(nullptr), nullptr);
    TForm other(nullptr);
    EXPECT_EQ(FindSkinFormComponent(&other), nullptr);
}

TEST_F(FrameComponent, OwnerMustBeForm)
{
    TComponent owner(nullptr);
    EXPECT_THROW(TskFormFrame frame(&owner), Exception);
}

TEST_F(FrameComponent, DefaultsAfterConstruction)
{
    EXPECT_TRUE(Frame->SupportNCArea());
    EXPECT_TRUE(Frame->Sizeable());
    EXPECT_FALSE(Frame->DraggAble());
    EXPECT_EQ(Frame->MagneticSize(), 10);
    EXPECT_EQ(Frame->BorderIcons(),
        (TskBorderIcons{TskBorderIcon::biSystemMenu, TskBorderIcon::biMinimize, TskBorderIcon::biMaximize,
            TskBorderIcon::biRollUp}));
    EXPECT_EQ(Frame->AlphaBlendValue(), 200);
    EXPECT_EQ(Frame->DefMenuItemHeight(), 20);
    EXPECT_EQ(Frame->DefCaptionFont()->Name(), "Arial");
    EXPECT_TRUE(Frame->DefCaptionFont()->Style().Contains(fsBold));
    // The form gives up its own caption buttons.
    EXPECT_TRUE(Form->BorderIcons().Empty());
}

TEST_F(FrameComponent, CreatedAndFilledByClassName)
{
    const TClassInfo* info = FindClassInfo("TskFormFrame");
    ASSERT_NE(info, nullptr);
    ASSERT_TRUE(info->Create);
    TForm form(nullptr);
    TComponent* made = info->Create(&form);
    ASSERT_NE(dynamic_cast<TskFormFrame*>(made), nullptr);
    const TPropInfo* sizeable = info->FindProp("Sizeable");
    ASSERT_NE(sizeable, nullptr);
    sizeable->SetOrd(made, 0);
    EXPECT_FALSE(static_cast<TskFormFrame*>(made)->Sizeable());
    const TPropInfo* icons = info->FindProp("BorderIcons");
    ASSERT_NE(icons, nullptr);
    EXPECT_EQ(icons->Enum->ValueOf("biMinimizeToTray"), 4);
    // Controls reach the frame's skin through the registry.
    EXPECT_NE(info->FindProp("SkinData")->GetComponent, nullptr);
}

TEST_F(FrameComponent, FreedBeforeForm_GivesFormItsProcedureBack)
{
    ShowForm();
    Frame->Free();
    Frame = nullptr;
    // The system answers again: the default procedure knows nothing of the query.
    EXPECT_EQ(SendMessage(Form->Handle(), CM_QUERYSKINFORM), 0);
    Form->SetBounds(100, 80, 310, 200);
    Driver.ProcessMessages();
}

} // namespace
