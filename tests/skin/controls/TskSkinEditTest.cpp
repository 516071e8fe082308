#include "skin/controls/TskSkinEdit.h"

#include "SkinControlsTestSupport.h"
#include "platform/vcl/TCustomImageList.h"
#include "platform/vcl/TypInfo.h"
#include "skin/data/SkinMessages.h"

using namespace skintest;

namespace {

constexpr TColor cActiveClient = cGaugeFrame; // yellow: client piece of the focused look
constexpr TColor cImage = cCaption;           // navy: the image-list picture

// A skin with the two edit entries: "edit" (40 x 20, a 3-pixel frame) and "buttonedit" (60 x 20, its
// button at 42..58 of the right end), plus "panelnotedit", an entry of another kind.
TTestSkinBuilder EditTestSkin()
{
    TTestSkinBuilder skin("Edit Test");
    skin.Picture("edit.bmp", 120, 60, clWhite,
            {{Rect(0, 0, 40, 20), cFrame}, {Rect(3, 3, 37, 17), cClient}, {Rect(40, 0, 80, 20), cActive},
                {Rect(43, 3, 77, 17), cActiveClient}, {Rect(0, 20, 60, 40), cFrame}, {Rect(3, 23, 40, 37), cClient},
                {Rect(42, 22, 58, 38), cNormal}, {Rect(62, 22, 78, 38), cDown}})
        .Control("edit", "edit",
            "pictureindex=0\nskinrect=0,0,40,20\nactiveskinrect=40,0,80,20\n"
            "lefttoppoint=3,3\nrighttoppoint=37,3\nclientrect=3,3,37,17\nfontname=DejaVu Sans\n"
            "fontheight=12\nfontcolor=0\nactivefontcolor=16711680\ndisabledfontcolor=8421504\n")
        .Control("buttonedit", "edit",
            "pictureindex=0\nskinrect=0,20,60,40\nlefttoppoint=3,3\nrighttoppoint=40,3\n"
            "clientrect=3,3,40,17\nbuttonrect=42,2,58,18\nactivebuttonrect=62,2,78,18\n"
            "fontname=DejaVu Sans\nfontheight=12\nfontcolor=0\n")
        .Control("panelnotedit", "panel", "pictureindex=0\nskinrect=0,0,30,30\n");
    return skin;
}

struct TEditSkin : TLoadedTestSkin {
    TEditSkin() : TLoadedTestSkin(EditTestSkin()) {}
};

struct SkinEditTest : SkinFormTest {
    TEditSkin EditSkin;
    int Clicks = 0, LeftClicks = 0;

    TskSkinEdit* Edit(TRect Bounds, const std::string& Entry = "")
    {
        auto* e = new TskSkinEdit(Form);
        e->SetParent(Form);
        if (!Entry.empty()) {
            e->SetSkinDataName(Entry);
            e->SetButtonMode(Entry == "buttonedit");
            e->SetSkinData(EditSkin.Skin.get());
        }
        e->SetBoundsRect(Bounds);
        e->OnButtonClick = [this](TObject*) { ++Clicks; };
        e->OnLeftButtonClick = [this](TObject*) { ++LeftClicks; };
        return e;
    }
    TPoint OnForm(TskSkinEdit* E, int X, int Y) { return Point(E->Left() + X, E->Top() + Y); }
    // Shows the form with the focus on a plain edit out of the way, so the skinned one looks at rest.
    void ShowUnfocused()
    {
        auto* decoy = new TEdit(Form);
        decoy->SetParent(Form);
        decoy->SetBounds(600, 400, 40, 20);
        ShowForm();
        decoy->SetFocus();
        Driver.ProcessMessages();
    }
};

using SkinEditDefaultLook = SkinEditTest;
using SkinEditSkinLook = SkinEditTest;
using SkinEditButton = SkinEditTest;
using SkinEditImages = SkinEditTest;
using SkinEditProperties = SkinEditTest;

} // namespace

TEST_F(SkinEditDefaultLook, TwoPixelFrameAroundTheDefaultColour)
{
    auto* e = Edit(Rect(10, 10, 110, 30));
    e->SetDefaultColor(clYellow);
    ShowForm();
    Save("SkinEdit_Default");
    EXPECT_EQ(e->SkinIndex(), -1);
    EXPECT_EQ(At(10, 10), Px(clBtnShadow));
    EXPECT_EQ(At(11, 11), Px(clBtnFace));
    EXPECT_EQ(At(100, 20), Px(clYellow));
    EXPECT_EQ(e->ClientWidth(), 96);
}

TEST_F(SkinEditDefaultLook, ButtonModeKeepsASquareButtonOfItsOwnHeight)
{
    auto* e = Edit(Rect(10, 10, 110, 30));
    e->SetButtonMode(true);
    e->SetHeight(24);
    ShowForm();
    EXPECT_EQ(e->ButtonRect(), Rect(76, 0, 100, 24));
    EXPECT_EQ(e->TextRect(), Rect(2, 2, 74, 22));
    EXPECT_EQ(e->ClientWidth(), 100 - 2 - 26);
    EXPECT_EQ(At(10 + 88, 10 + 12), Px(clBtnFace));
}

TEST_F(SkinEditSkinLook, FrameAndClientComeFromTheEntryAtTheSkinHeight)
{
    auto* e = Edit(Rect(10, 10, 110, 40), "edit");
    ShowUnfocused();
    Save("SkinEdit_Skin");
    EXPECT_NE(e->SkinIndex(), -1);
    EXPECT_EQ(e->Height(), 20);
    e->SetHeight(35);
    EXPECT_EQ(e->Height(), 20);
    EXPECT_EQ(e->ClientRect(), Rect(0, 0, 94, 14));
    EXPECT_EQ(At(11, 11), Px(cFrame));
    EXPECT_EQ(At(108, 28), Px(cFrame));
    EXPECT_EQ(At(105, 15), Px(cClient));
}

TEST_F(SkinEditSkinLook, FocusShowsTheActivePictureAndFontColour)
{
    auto* e = Edit(Rect(10, 10, 110, 30), "edit");
    ShowUnfocused();
    EXPECT_EQ(e->Font()->Color(), 0);
    e->SetFocus();
    Driver.ProcessMessages();
    EXPECT_EQ(At(11, 11), Px(cActive));
    EXPECT_EQ(At(105, 15), Px(cActiveClient));
    EXPECT_EQ(e->Font()->Color(), 16711680);
    Driver.Type("typed");
    Save("SkinEdit_Typed");
    EXPECT_EQ(e->Text(), "typed");
    EXPECT_GT(CountOther(*this, Rect(13, 13, 60, 27), cActiveClient), 0);
}

TEST_F(SkinEditSkinLook, AnEntryOfAnotherKindKeepsTheDefaultLook)
{
    auto* e = Edit(Rect(10, 10, 110, 30), "panelnotedit");
    ShowForm();
    EXPECT_EQ(e->SkinIndex(), -1);
    EXPECT_EQ(At(10, 10), Px(clBtnShadow));
}

TEST_F(SkinEditSkinLook, AlphaBlendValueStartsAtZeroSoBlendingShowsOnlyTheParent)
{
    Form->SetColor(clAqua);
    auto* e = Edit(Rect(10, 10, 110, 30), "edit");
    EXPECT_EQ(e->AlphaBlendValue(), 0);
    e->SetAlphaBlend(true);
    ShowUnfocused();
    EXPECT_EQ(At(105, 15), Px(clAqua));
    EXPECT_EQ(At(11, 11), Px(clAqua));
    e->SetAlphaBlendValue(255);
    Driver.ProcessMessages();
    EXPECT_EQ(At(105, 15), Px(cClient));
}

TEST_F(SkinEditSkinLook, FramePaintRequestsAnswerAndPaint)
{
    auto* e = Edit(Rect(10, 10, 110, 30), "edit");
    ShowUnfocused();
    TBitmap b(100, 20);
    EXPECT_EQ(e->Perform(CM_PAINTSKINFRAME, reinterpret_cast<WPARAM>(b.Canvas()->Handle()), 0), 12851);
    EXPECT_EQ(b.Canvas()->Pixels(0, 0) & 0x00FFFFFF, cFrame);
    EXPECT_EQ(b.Canvas()->Pixels(95, 10) & 0x00FFFFFF, cClient);
    EXPECT_EQ(e->Perform(0xBC4B, reinterpret_cast<WPARAM>(b.Canvas()->Handle()), 16802), 16802);
}

TEST_F(SkinEditButton, ClickOnTheButtonFiresOnButtonClickOnce)
{
    auto* e = Edit(Rect(10, 10, 110, 30), "buttonedit");
    ShowUnfocused();
    // The button sits at the right end, moved with the width: 42 + (100 - 60) = 82.
    EXPECT_EQ(e->ButtonRect(), Rect(82, 2, 98, 18));
    Driver.MoveTo(OnForm(e, 90, 10));
    EXPECT_TRUE(e->ButtonHot());
    Save("SkinEdit_ButtonHot");
    EXPECT_EQ(At(10 + 90, 10 + 10), Px(cDown)); // the active picture stands in for the empty pressed one
    Driver.ButtonDown();
    EXPECT_TRUE(e->ButtonDown());
    EXPECT_EQ(At(10 + 90, 10 + 10), Px(cDown));
    Driver.ButtonUp();
    EXPECT_EQ(Clicks, 1);
    EXPECT_TRUE(e->Focused());
    EXPECT_EQ(e->Text(), "");
}

TEST_F(SkinEditButton, AReleaseWithoutAPressIsNoClick)
{
    auto* e = Edit(Rect(10, 10, 110, 30), "buttonedit");
    ShowUnfocused();
    Driver.MoveTo(OnForm(e, 90, 10));
    Driver.ButtonUp();
    EXPECT_EQ(Clicks, 0);
    Driver.MoveTo(OnForm(e, 1, 1)); // the frame of a button edit is not the text
    Driver.ButtonDown();
    Driver.ButtonUp();
    EXPECT_EQ(Clicks, 0);
    EXPECT_FALSE(e->Focused());
}

TEST_F(SkinEditImages, LeftImageTakesItsStripAndClicks)
{
    auto* images = new TCustomImageList(Form);
    images->SetWidth(8);
    images->SetHeight(8);
    TBitmap pic(8, 8);
    Fill(pic, Rect(0, 0, 8, 8), cImage);
    images->Add(&pic, nullptr);
    auto* e = Edit(Rect(10, 10, 110, 30), "edit");
    e->SetImages(images);
    e->SetLeftImageIndex(0);
    ShowForm();
    EXPECT_EQ(e->LeftImageRect(), Rect(0, 0, 8, 14));
    EXPECT_EQ(e->FormattingRect().Left, 10);
    EXPECT_EQ(At(13 + 4, 13 + 7), Px(cImage));
    Driver.Click(Point(13 + 4, 13 + 7));
    EXPECT_EQ(LeftClicks, 1);
    EXPECT_TRUE(e->Focused());
}

TEST_F(SkinEditProperties, DefaultsAfterConstruction)
{
    auto* e = Edit(Rect(10, 10, 110, 30));
    EXPECT_EQ(e->SkinDataName(), "edit");
    EXPECT_EQ(e->DefaultColor(), clWindow);
    EXPECT_EQ(e->DefaultFont()->Name(), "Arial");
    EXPECT_EQ(e->DefaultFont()->Height(), 14);
    EXPECT_TRUE(e->UseSkinFont());
    EXPECT_FALSE(e->ButtonMode());
    EXPECT_FALSE(e->AlphaBlend());
    EXPECT_TRUE(e->Transparent());
    EXPECT_EQ(e->LeftImageIndex(), -1);
    EXPECT_EQ(e->RightImageDownIndex(), -1);
    auto* made = FindClassInfo("TskSkinEdit")->Create(Form);
    EXPECT_NE(dynamic_cast<TskSkinEdit*>(made), nullptr);
    EXPECT_NE(FindClassInfo("TskSkinNumEdit"), nullptr);
}

TEST_F(SkinEditProperties, WithoutUseSkinFontTheHeightFollowsTheFont)
{
    auto* e = Edit(Rect(10, 10, 110, 30), "edit");
    e->SetUseSkinFont(false);
    e->RefreshEditSkin();
    const int small = e->Height();
    EXPECT_EQ(small, e->HeightForFont());
    TFont big;
    big.SetName("DejaVu Sans");
    big.SetHeight(30);
    e->SetDefaultFont(&big);
    e->RefreshEditSkin();
    EXPECT_GT(e->Height(), small);
    EXPECT_EQ(e->Height(), e->HeightForFont());
}

TEST_F(SkinEditSkinLook, ADisabledEditPaintsItsTextInTheDisabledColour)
{
    auto* e = Edit(Rect(10, 10, 110, 30), "edit");
    e->SetText("off");
    e->SetEnabled(false);
    ShowUnfocused();
    EXPECT_EQ(e->Font()->Color(), 8421504);
    EXPECT_GT(CountOther(*this, Rect(13, 13, 40, 27), cClient), 0);
    e->SetEnabled(true);
    EXPECT_EQ(e->Font()->Color(), 0);
}

TEST_F(SkinEditSkinLook, AFreedSkinLeavesTheDefaultLookAndIsNeverReadAgain)
{
    auto* e = Edit(Rect(10, 10, 110, 40), "edit");
    ShowUnfocused();
    ASSERT_NE(e->SkinIndex(), -1);
    EditSkin.Skin.reset();
    EXPECT_EQ(e->SkinData(), nullptr);
    EXPECT_EQ(e->SkinIndex(), -1);
    // Painting now must take nothing from the freed skin's pictures (the sanitizers would tell).
    e->Repaint();
    Driver.ProcessMessages();
    e->SetFocus();
    Driver.ProcessMessages();
    EXPECT_EQ(e->SkinIndex(), -1);
}

// The frame and the client's background are kept between paints: each must still follow
// the button's state and a skin loaded in place of the old one (the focus: FocusShowsTheActivePicture...).
TEST_F(SkinEditSkinLook, TheKeptLookFollowsTheButtonAndANewSkin)
{
    auto* e = Edit(Rect(10, 10, 110, 30), "buttonedit");
    ShowUnfocused();
    e->Repaint();
    Driver.ProcessMessages();
    EXPECT_EQ(At(11, 11), Px(cFrame));
    EXPECT_EQ(At(10 + 88, 10 + 10), Px(cNormal));
    EXPECT_EQ(At(15, 15), Px(cClient));

    // The pointer on the button: its hot picture, and back at rest once the pointer leaves the edit.
    Driver.MoveTo(OnForm(e, 88, 10));
    Driver.ProcessMessages();
    EXPECT_EQ(At(10 + 88, 10 + 10), Px(cDown));
    Driver.MoveTo(Point(300, 300));
    Driver.ProcessMessages();
    EXPECT_EQ(At(10 + 88, 10 + 10), Px(cNormal));

    // Another skin whose edit entries have other colours, loaded into the same component: the kept
    // pictures were made from the old one and must not show.
    TScratchFolder folder;
    TTestSkinBuilder("Edit Test 2")
        .Picture("edit.bmp", 120, 60, clWhite,
            {{Rect(0, 20, 60, 40), cActive}, {Rect(3, 23, 40, 37), cActiveClient}, {Rect(42, 22, 58, 38), cCaption}})
        .Control("buttonedit", "edit",
            "pictureindex=0\nskinrect=0,20,60,40\nlefttoppoint=3,3\nrighttoppoint=40,3\n"
            "clientrect=3,3,40,17\nbuttonrect=42,2,58,18\nactivebuttonrect=42,2,58,18\n"
            "fontname=DejaVu Sans\nfontheight=12\nfontcolor=0\n")
        .LoadInto(*EditSkin.Skin, folder.Path());
    // What the window frame does for each skinned control on the skin-change broadcast.
    e->RefreshEditSkin();
    Driver.ProcessMessages();
    Save("SkinEdit_KeptLookAfterNewSkin");
    EXPECT_EQ(At(11, 11), Px(cActive));
    EXPECT_EQ(At(10 + 88, 10 + 10), Px(cCaption));
    EXPECT_EQ(At(15, 15), Px(cActiveClient));
}
