#include "skin/controls/TskSkinPanel.h"

#include "ExtraSkinTestSupport.h"
#include "platform/vcl/TCustomImageList.h"
#include "platform/vcl/TReader.h"
#include "skin/controls/TskSkinButton.h"
#include "skin/controls/TskSkinScrollBox.h"

using namespace skintest;

namespace {
using PanelLook = SkinFormTest;
using PanelLayout = SkinFormTest;
using PanelCaption = SkinFormTest;
using PanelSkinnedCaption = ExtraSkinFormTest;
using PanelCaptionImages = ExtraSkinFormTest;
using PanelDocking = SkinFormTest;

// A list of one 12 x 12 picture in a plain colour.
TCustomImageList* MakeImageList(TComponent* owner, TColor colour)
{
    auto* list = new TCustomImageList(owner);
    list->SetWidth(12);
    list->SetHeight(12);
    TBitmap picture(12, 12);
    Fill(picture, Rect(0, 0, 12, 12), colour);
    list->Add(&picture, nullptr);
    return list;
}
} // namespace

TEST_F(PanelLook, WithoutSkin_BorderStylesFrameTheFace)
{
    Make<TskSkinPanel>(Form, Rect(10, 10, 110, 60), false);
    auto* raised = Make<TskSkinPanel>(Form, Rect(150, 10, 250, 60), false);
    raised->SetBorderStyle(bvRaised);
    auto* none = Make<TskSkinPanel>(Form, Rect(300, 10, 400, 60), false);
    none->SetBorderStyle(bvNone);
    ShowForm();
    Save("Panel_Default");
    EXPECT_EQ(At(10, 10), Px(clBtnShadow));
    EXPECT_EQ(At(50, 30), Px(clBtnFace));
    EXPECT_EQ(At(150, 10), Px(clBtnHighlight));
    EXPECT_EQ(At(249, 59), Px(clBtnShadow));
    EXPECT_EQ(At(300, 10), Px(clBtnFace));
}

TEST_F(PanelLook, Skinned_FramePaintedDirectlyAndClientTiled)
{
    Make<TskSkinPanel>(Form, Rect(10, 10, 210, 110));
    ShowForm();
    Save("Panel_Skinned");
    EXPECT_EQ(At(11, 11), Px(cFrame));
    EXPECT_EQ(At(208, 108), Px(cFrame));
    EXPECT_EQ(At(15, 15), Px(cClientDot));
    EXPECT_EQ(At(35, 35), Px(cClientDot));
    EXPECT_EQ(At(200, 100), Px(cClient));
}

TEST_F(PanelLook, SkinnedWithoutBorder_ClientTextureEdgeToEdgeAndNoFrame)
{
    auto* p = Make<TskSkinPanel>(Form, Rect(10, 10, 210, 60));
    p->SetBorderStyle(bvNone);
    ShowForm();
    Save("Panel_QueueRow");
    EXPECT_EQ(At(10, 10), Px(cClientDot));
    EXPECT_EQ(At(30, 30), Px(cClientDot));
    EXPECT_EQ(At(209, 59), Px(cClient));
}

TEST_F(PanelLook, EmptyClientPiece_PaintsTheFrameWithoutTilingForever)
{
    auto* framed = Make<TskSkinPanel>(Form, Rect(10, 10, 110, 60));
    framed->SetSkinDataName("emptyclient");
    auto* row = Make<TskSkinPanel>(Form, Rect(150, 10, 250, 60));
    row->SetSkinDataName("emptyclient");
    row->SetBorderStyle(bvNone);
    framed->RefreshSkin();
    row->RefreshSkin();
    // The zero-width client piece is skipped: painting ends, the corners still come from the skin.
    ShowForm();
    Save("Panel_EmptyClientPiece");
    EXPECT_NE(framed->SkinIndex(), -1);
    EXPECT_EQ(At(12, 58), Px(cFrame));
}

TEST_F(PanelLook, BackgroundPicture_CoversTheWholePanelWithoutFrame)
{
    auto* p = Make<TskSkinPanel>(Form, Rect(10, 10, 310, 160));
    p->SetSkinDataName("bgpanel");
    p->RefreshSkin();
    ShowForm();
    // Picture 0 tiled from the panel's corner: its white gap at x 35 shows where a frame would be.
    EXPECT_EQ(At(45, 15), Px(clWhite));
    EXPECT_EQ(At(216, 16), Px(cClient)); // the second tile starts at x 210
}

TEST_F(PanelLook, BorderStyleWhileSkinned_WaitsForTheNextPaint)
{
    auto* p = Make<TskSkinPanel>(Form, Rect(10, 10, 110, 60));
    ShowForm();
    p->SetBorderStyle(bvNone);
    Driver.ProcessMessages();
    EXPECT_EQ(At(11, 11), Px(cFrame));
    p->Invalidate();
    Driver.ProcessMessages();
    EXPECT_EQ(At(10, 10), Px(cClientDot));
}

TEST_F(PanelLayout, ChildrenUseTheClientAreaOfEachLook)
{
    auto* plain = Make<TskSkinPanel>(Form, Rect(0, 0, 100, 100), false);
    auto* a = Make<TskSkinPanel>(plain, Rect(0, 0, 10, 10), false);
    a->SetAlign(alClient);
    EXPECT_EQ(a->BoundsRect(), Rect(1, 1, 99, 99));
    plain->SetCaptionMode(true);
    EXPECT_EQ(a->BoundsRect(), Rect(1, 23, 99, 99));

    auto* skinned = Make<TskSkinPanel>(Form, Rect(200, 0, 300, 100));
    auto* b = Make<TskSkinPanel>(skinned, Rect(0, 0, 10, 10), false);
    b->SetAlign(alClient);
    skinned->RefreshSkin();
    EXPECT_EQ(b->BoundsRect(), Rect(5, 5, 95, 95));
    skinned->SetBorderStyle(bvNone);
    skinned->RefreshSkin();
    EXPECT_EQ(b->BoundsRect(), Rect(0, 0, 100, 100));
}

TEST_F(PanelCaption, ClickInTheCaption_RollsUpAndBackWithTheChildren)
{
    auto* p = Make<TskSkinPanel>(Form, Rect(10, 10, 210, 160), false);
    p->SetCaptionMode(true);
    p->SetRollUpMode(true);
    auto* child = Make<TskSkinPanel>(p, Rect(20, 40, 60, 80), false);
    int changes = 0;
    p->OnChangeRollUpState = [&](TObject*) { ++changes; };
    ShowForm();
    Driver.Click(Point(50, 20));
    EXPECT_TRUE(p->RollUpState());
    EXPECT_EQ(p->Height(), 23);
    EXPECT_EQ(p->RealHeight(), 150);
    EXPECT_FALSE(child->Visible());
    Save("Panel_RolledUp");
    Driver.Click(Point(50, 20));
    EXPECT_FALSE(p->RollUpState());
    EXPECT_EQ(p->Height(), 150);
    EXPECT_EQ(p->RealHeight(), -1);
    EXPECT_TRUE(child->Visible());
    EXPECT_EQ(changes, 2);
}

TEST_F(PanelCaption, CheckedWithAutoEnabledControls_EnablesTheChildren)
{
    auto* p = Make<TskSkinPanel>(Form, Rect(10, 10, 210, 160), false);
    p->SetCaptionMode(true);
    p->SetCheckedMode(true);
    auto* child = Make<TskSkinPanel>(p, Rect(20, 40, 60, 80), false);
    p->SetChecked(false);
    EXPECT_FALSE(child->Enabled());
    ShowForm();
    Driver.Click(Point(50, 20));
    EXPECT_TRUE(p->Checked());
    EXPECT_TRUE(child->Enabled());
}

TEST_F(PanelCaption, GroupBox_IsAPanelInCaptionMode)
{
    auto* g = Make<TskSkinGroupBox>(Form, Rect(10, 10, 210, 160), false);
    g->SetCaption("Options");
    ShowForm();
    Save("GroupBox_Default");
    EXPECT_TRUE(g->CaptionMode());
    EXPECT_EQ(g->SkinDataName(), "groupbox");
}

// ---- caption images

TEST_F(PanelCaptionImages, ImagePosition_LeftEndOrJustBeforeTheAlignedText)
{
    auto* list = MakeImageList(Form, cAnim1);
    auto* left = MakeExtra<TskSkinPanel>(Form, Rect(10, 10, 310, 160), "captionpanel");
    auto* beside = MakeExtra<TskSkinPanel>(Form, Rect(10, 200, 310, 350), "captionpanel");
    for (TskSkinPanel* p : {left, beside}) {
        p->SetCaption("Video");
        p->SetCaptionImageList(list);
        p->SetCaptionImageIndex(0);
    }
    left->SetImagePosition(skimgpLeft);
    ShowForm();
    Save("Panel_CaptionImages");
    // The caption strip runs from x 15 to 305 (the entry's "captionrect", widened with the panel).
    EXPECT_EQ(FirstColumn(Rect(15, 20, 305, 21), 20, cAnim1), 17);
    const int x = FirstColumn(Rect(15, 210, 305, 211), 210, cAnim1);
    EXPECT_GT(x, 100); // the entry centres its text, and the image goes with it
    EXPECT_LT(x, 160);
    EXPECT_GT(CountOther(*this, Rect(x + 12, 212, x + 60, 228), cCaption), 5); // the text right after it
}

TEST_F(PanelCaptionImages, GlyphWins_OverTheImageList)
{
    auto* p = MakeExtra<TskSkinPanel>(Form, Rect(10, 10, 310, 160), "captionpanel");
    p->SetCaption("Video");
    p->SetCaptionImageList(MakeImageList(Form, cAnim1));
    p->SetCaptionImageIndex(0);
    TBitmap glyph(10, 10);
    Fill(glyph, Rect(0, 0, 10, 10), cAnim2);
    Fill(glyph, Rect(0, 9, 1, 10), clFuchsia); // the bottom-left pixel names the transparent colour
    p->SetGlyph(&glyph);
    ShowForm();
    EXPECT_EQ(CountColour(*this, Rect(15, 12, 305, 28), cAnim1), 0);
    EXPECT_GT(CountColour(*this, Rect(15, 12, 305, 28), cAnim2), 50);
}

TEST_F(PanelCaptionImages, ListFreed_IsLetGoAndTheCaptionPaintsWithoutIt)
{
    auto* list = MakeImageList(Form, cAnim1);
    auto* p = MakeExtra<TskSkinPanel>(Form, Rect(10, 10, 310, 160), "captionpanel");
    p->SetCaption("Video");
    p->SetCaptionImageList(list);
    p->SetCaptionImageIndex(0);
    ShowForm();
    EXPECT_GT(CountColour(*this, Rect(15, 12, 305, 28), cAnim1), 0);
    delete list;
    EXPECT_EQ(p->CaptionImageList(), nullptr);
    p->Repaint();
    Driver.ProcessMessages();
    EXPECT_EQ(CountColour(*this, Rect(15, 12, 305, 28), cAnim1), 0);
}

TEST_F(PanelCaptionImages, WithoutSkin_ImageFollowsTheCheckBox)
{
    auto* p = Make<TskSkinPanel>(Form, Rect(10, 10, 210, 160), false);
    p->SetCaptionMode(true);
    p->SetCheckedMode(true);
    p->SetCaption("Audio");
    p->SetCaptionImageList(MakeImageList(Form, cAnim1));
    p->SetCaptionImageIndex(0);
    ShowForm();
    Save("Panel_DefaultCaptionImage");
    // The framed bar's text area starts at x 12 (inset by 2); the check box at 14, the image 20 on.
    EXPECT_EQ(FirstColumn(Rect(11, 20, 209, 21), 20, cAnim1), 34);
    EXPECT_EQ(At(14, 20), Px(clBtnShadow)); // the check box's frame
}

TEST_F(PanelCaptionImages, StoredForm_ReadsTheCaptionImageListAndIndex)
{
    RegisterSkinControlClasses();
    TForm form(nullptr);
    ReadComponentFromText(&form, "object F: TForm\n  object IL: TImageList\n  end\n"
                                 "  object P: TskSkinPanel\n    CaptionImageList = IL\n    CaptionImageIndex = 2\n"
                                 "  end\nend\n");
    auto* p = dynamic_cast<TskSkinPanel*>(form.FindComponent("P"));
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->CaptionImageList(), form.FindComponent("IL"));
    EXPECT_EQ(p->CaptionImageIndex(), 2);
}

// ---- the skinned caption

TEST_F(PanelSkinnedCaption, TextFrame_SizedRoundTheTextBehindIt)
{
    auto* shortText = MakeExtra<TskSkinPanel>(Form, Rect(10, 10, 310, 160), "framedpanel");
    shortText->SetCaption("Video");
    auto* longText = MakeExtra<TskSkinPanel>(Form, Rect(10, 200, 310, 350), "framedpanel");
    longText->SetCaption("Video and audio tracks");
    ShowForm();
    Save("Panel_CaptionTextFrame");
    // Left-aligned: the frame's left cap at x 17, then its tiled middle.
    EXPECT_EQ(At(17, 13), Px(cFrameCap));
    EXPECT_EQ(At(22, 13), Px(cFrameMid));
    auto frameEnd = [&](int y) {
        int last = -1;
        for (int x = 15; x < 305; ++x)
            if (At(x, y) == Px(cFrameCap)) last = x;
        return last;
    };
    const int shortEnd = frameEnd(13);
    const int longEnd = frameEnd(203);
    EXPECT_GT(shortEnd, 30);
    EXPECT_GT(longEnd, shortEnd + 40); // the frame grows with its text
    EXPECT_EQ(At(shortEnd + 2, 13), Px(cCaption)); // and the strip shows beyond it
    EXPECT_GT(CountOther(*this, Rect(23, 14, shortEnd - 5, 26), cFrameMid), 5); // the text is on the frame
}

TEST_F(PanelSkinnedCaption, RollUpMode_ButtonFaceAtTheCaptionEndAndAClickRollsToTheFrame)
{
    auto* p = MakeExtra<TskSkinPanel>(Form, Rect(10, 10, 310, 160), "captionpanel");
    p->SetCaptionMode(true);
    p->SetRollUpMode(true);
    p->SetCaption("Video");
    ShowForm();
    Save("Panel_SkinnedRollUp");
    // The 12-pixel button place at the strip's right end (293..305), its 10 x 10 face centred in it.
    EXPECT_EQ(At(295, 16), Px(cMark));
    EXPECT_EQ(At(303, 24), Px(cMark));
    EXPECT_EQ(At(292, 16), Px(cCaption));
    EXPECT_GT(CountColour(*this, Rect(294, 15, 304, 25), clWhite), 0); // the arrow in the caption colour
    Driver.Click(Point(100, 20));
    EXPECT_TRUE(p->RollUpState());
    EXPECT_EQ(p->Height(), 25); // the frame without the client area's 125 rows
}

TEST_F(PanelSkinnedCaption, CheckedMode_TheSkinsCheckImageFollowsChecked)
{
    auto* p = MakeExtra<TskSkinPanel>(Form, Rect(10, 10, 310, 160), "captionpanel");
    p->SetCaptionMode(true);
    p->SetCheckedMode(true);
    p->SetCaption("Video");
    ShowForm();
    EXPECT_EQ(At(18, 15), Px(cUncheck));
    Driver.Click(Point(100, 20));
    EXPECT_TRUE(p->Checked());
    EXPECT_EQ(At(18, 15), Px(cCheck));
}

TEST_F(PanelSkinnedCaption, Transparent_CheckImageGlyphAndTextSitInTheFramesGap)
{
    auto* p = MakeExtra<TskSkinPanel>(Form, Rect(10, 10, 310, 160), "captionpanel");
    p->SetCaptionMode(true);
    p->SetCheckedMode(true);
    p->SetChecked(true);
    TBitmap glyph(10, 10);
    Fill(glyph, Rect(0, 0, 10, 10), cAnim2);
    Fill(glyph, Rect(0, 9, 1, 10), clFuchsia);
    p->SetGlyph(&glyph);
    p->SetCaption("Video");
    p->SetTransparentMode(true);
    ShowForm();
    Save("Panel_TransparentCaption");
    int line = -1;
    for (int y = 10; y < 40 && line < 0; ++y)
        if (At(11, y) == Px(cSkinShadow)) line = y;
    ASSERT_GE(line, 10);
    EXPECT_EQ(At(10, 159), Px(cSkinShadow)); // the rest of the frame
    EXPECT_EQ(At(309, 100), Px(cSkinShadow));
    EXPECT_EQ(At(300, line), Px(cSkinShadow)); // the top edge again after the caption
    EXPECT_EQ(At(100, 100), Px(clWhite));      // the form shows through
    EXPECT_GT(CountColour(*this, Rect(15, 10, 28, 40), cCheck), 50);
    EXPECT_GT(CountColour(*this, Rect(28, 10, 45, 40), cAnim2), 50);
    EXPECT_NE(At(60, line), Px(cSkinShadow)); // no edge through the caption
}

TEST_F(PanelLayout, StoredAnchorsMeasureFromTheStoredWidthNotTheNewPanels)
{
    // A bar at the bottom of a stored form with a button kept at its right end. A new panel starts at
    // its own default size; the button's stored place is measured against the stored width.
    RegisterSkinControlClasses();
    TForm form(nullptr);
    ReadComponentFromText(&form, R"(object F: TForm
  BorderStyle = bsNone
  ClientWidth = 600
  ClientHeight = 300
  object Bar: TskSkinPanel
    Top = 214
    Width = 600
    Height = 86
    Align = alBottom
    BorderStyle = bvNone
    object Go: TskSkinPanel
      Left = 536
      Top = 3
      Width = 60
      Height = 28
      Anchors = [akTop, akRight]
    end
  end
end
)");
    auto* bar = dynamic_cast<TWinControl*>(form.FindComponent("Bar"));
    auto* go = dynamic_cast<TControl*>(form.FindComponent("Go"));
    ASSERT_NE(go, nullptr);
    form.Show();
    Driver.ProcessMessages();
    EXPECT_EQ(bar->ClientWidth() - (go->Left() + go->Width()), 4);
    form.SetClientWidth(900);
    EXPECT_EQ(go->Left(), 836);
}

// ---- docking

TEST_F(PanelDocking, StoredForm_PanelAndScrollBoxAreDockSites)
{
    RegisterSkinControlClasses();
    TForm form(nullptr);
    ReadComponentFromText(&form, "object F: TForm\n  object P: TskSkinPanel\n    DockSite = True\n"
                                 "    DragKind = dkDock\n    DragMode = dmAutomatic\n  end\n"
                                 "  object S: TskSkinScrollBox\n    DockSite = True\n  end\nend\n");
    auto* p = dynamic_cast<TskSkinPanel*>(form.FindComponent("P"));
    auto* s = dynamic_cast<TskSkinScrollBox*>(form.FindComponent("S"));
    ASSERT_NE(p, nullptr);
    ASSERT_NE(s, nullptr);
    EXPECT_TRUE(p->DockSite());
    EXPECT_EQ(p->DragKind(), dkDock);
    EXPECT_EQ(p->DragMode(), dmAutomatic);
    EXPECT_TRUE(s->DockSite());
}

TEST_F(PanelDocking, ADockingButtonDroppedOnASkinnedPanel_LandsInItAndRepaintsThere)
{
    auto* site = Make<TskSkinPanel>(Form, Rect(200, 10, 400, 210));
    site->SetDockSite(true);
    auto* button = Make<TskSkinButton>(Form, Rect(10, 10, 90, 35));
    button->SetDragKind(dkDock);
    button->SetDragMode(dmAutomatic);
    std::vector<std::string> seen;
    site->OnDockOver = [&](TObject*, TDragDockObject* src, int, int, TDragState, bool& accept) {
        accept = src->Control() == button;
    };
    site->OnDockDrop = [&](TObject* s, TDragDockObject*, int x, int y) {
        seen.push_back((s == site ? "dropped at " : "? ") + std::to_string(x) + "," + std::to_string(y));
    };
    ShowForm();
    Driver.MoveTo(Point(20, 20));
    Driver.ButtonDown();
    for (int i = 1; i <= 4; ++i) Driver.MoveTo(Point(20 + (260 - 20) * i / 4, 20 + (100 - 20) * i / 4));
    Driver.ButtonUp();
    Driver.ProcessMessages();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0], "dropped at " + std::to_string(site->ScreenToClient(Point(260, 100)).X) + "," +
        std::to_string(site->ScreenToClient(Point(260, 100)).Y));
    EXPECT_EQ(button->Parent(), site);
    EXPECT_EQ(button->HostDockSite(), site);
    // Grabbed 10 pixels in from its corner, it sits with that point under the pointer.
    EXPECT_EQ(button->ClientToScreen(Point(0, 0)), Point(250, 90));
    Save("Panel_DockedButton");
    EXPECT_EQ(At(255, 95), Px(cNormal)) << "the button's face at rest, in its new place";
    EXPECT_EQ(At(15, 15), Px(clWhite));
}
