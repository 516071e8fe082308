// A change of skin at run time, as the skin component makes it (it loads another skin and tells every
// form): the frame passes it on to every skinned control of its form, and applies its own sizes.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/vcl/TForm.h"
#include "skin/controls/TskSkinCustomListView.h"
#include "skin/controls/TskSkinCustomTreeView.h"
#include "skin/controls/TskSkinPanel.h"
#include "skin/form/TskFormFrame.h"
#include "skin/controls/TreeListViewTestSkin.h"

namespace {

constexpr TColor cOtherBg = 0x00008000; // the views' background in the second skin

// Loads Skin of a new skin: the switch a user makes at run time.
void Switch(TskSkinData& Skin, const TTestSkinBuilder& Builder)
{
    TScratchFolder folder;
    Builder.LoadInto(Skin, folder.Path());
}

// A tree whose refresh frees another control of the form (as a control may free the bars it only
// needs for a while).
class TFreeingTree : public TskSkinCustomTreeView {
public:
    using TskSkinCustomTreeView::TskSkinCustomTreeView;
    void RefreshTreeViewSkin() override
    {
        TskSkinCustomTreeView::RefreshTreeViewSkin();
        if (Victim != nullptr) {
            Victim->Free();
            Victim = nullptr;
        }
    }
    TControl* Victim = nullptr;
};

struct FrameSkinChange : ::testing::Test {
    THeadlessDriver Driver;
    skintest::TTreeListSkin First;
    skintest::TTreeListSkin Second;
    TForm* Form = nullptr;
    TskFormFrame* Frame = nullptr;

    void SetUp() override
    {
        Form = new TForm(nullptr);
        Form->SetBounds(50, 50, 400, 300);
        Frame = new TskFormFrame(Form);
        Frame->SetSkinData(First.Skin.get());
    }
    void TearDown() override
    {
        if (Form != nullptr) Form->Free();
        Driver.ProcessMessages();
    }
    template <class T> T* Add(TWinControl* Parent, TskSkinData* Skin, int Top)
    {
        auto* c = new T(Form);
        c->SetParent(Parent);
        c->SetBounds(10, Top, 150, 60);
        c->SetSkinData(Skin);
        return c;
    }
};

TEST_F(FrameSkinChange, ReachesTheControlsOfTheChangedSkin_AtEveryDepth_AndNoOthers)
{
    auto* panel = Add<TskSkinPanel>(Form, First.Skin.get(), 10);
    panel->SetHeight(200);
    auto* nested = Add<TskSkinCustomTreeView>(panel, First.Skin.get(), 10);
    auto* list = Add<TskSkinCustomListView>(Form, First.Skin.get(), 220);
    auto* other = Add<TskSkinCustomTreeView>(Form, Second.Skin.get(), 100);
    Form->Show();
    Driver.ProcessMessages();
    ASSERT_EQ(nested->Color(), skintest::cViewBg);

    Switch(*First.Skin, skintest::TreeListTestSkin(cOtherBg));
    Driver.ProcessMessages();
    EXPECT_EQ(nested->Color(), cOtherBg);
    EXPECT_EQ(list->Color(), cOtherBg);
    // A control of another skin component is left alone.
    EXPECT_EQ(other->Color(), skintest::cViewBg);
}

TEST_F(FrameSkinChange, AnotherSkinComponentsChange_StillReachesItsControlsOnThisForm)
{
    auto* other = Add<TskSkinCustomListView>(Form, Second.Skin.get(), 10);
    Form->Show();
    Driver.ProcessMessages();
    int frameChanges = 0;
    Frame->OnChangeSkinData = [&](TObject*) { ++frameChanges; };
    Switch(*Second.Skin, skintest::TreeListTestSkin(cOtherBg));
    EXPECT_EQ(other->Color(), cOtherBg);
    // The frame's own skin did not change.
    EXPECT_EQ(frameChanges, 0);
}

TEST_F(FrameSkinChange, ControlFreedByAnothersRefresh_IsNotVisited)
{
    auto* freeing = Add<TFreeingTree>(Form, First.Skin.get(), 10);
    auto* victim = Add<TskSkinCustomTreeView>(Form, First.Skin.get(), 80);
    auto* after = Add<TskSkinCustomTreeView>(Form, First.Skin.get(), 150);
    freeing->Victim = victim;
    Form->Show();
    Driver.ProcessMessages();
    Switch(*First.Skin, skintest::TreeListTestSkin(cOtherBg));
    EXPECT_EQ(freeing->Victim, nullptr);
    // The walk went on past the freed one.
    EXPECT_EQ(after->Color(), cOtherBg);
}

TEST_F(FrameSkinChange, SkinnableSwitch_EverySkinnedControlReadsItsSkinAgain)
{
    auto* tree = Add<TskSkinCustomTreeView>(Form, First.Skin.get(), 10);
    Form->Show();
    Driver.ProcessMessages();
    // The skin goes away while the frame is off; switched on again, every skinned control reads its
    // skin anew and, without one, shows its own look.
    Frame->SetSkinnableFrame(false);
    First.Skin.reset();
    Driver.ProcessMessages();
    EXPECT_EQ(tree->SkinData(), nullptr);
    Frame->SetSkinnableFrame(true);
    EXPECT_EQ(tree->Color(), clWindow);
}

TEST_F(FrameSkinChange, FrameOnDrawsTheIcons_FrameOffGivesThemBackToTheForm)
{
    Form->Show();
    Driver.ProcessMessages();
    EXPECT_TRUE(Form->BorderIcons().Empty());
    Frame->SetBorderIcons(TskBorderIcons{TskBorderIcon::biSystemMenu, TskBorderIcon::biMinimize});
    Frame->SetSkinnableFrame(false);
    EXPECT_EQ(Form->BorderIcons(), (TBorderIcons{biSystemMenu, biMinimize}));
    Frame->SetSkinnableFrame(true);
    EXPECT_TRUE(Form->BorderIcons().Empty());
}

TEST_F(FrameSkinChange, StoredClientSize_IsAppliedWithTheSkin)
{
    Form->Show();
    Driver.ProcessMessages();
    Frame->SetClientWidth(250);
    Frame->SetClientHeight(120);
    Switch(*First.Skin, skintest::TreeListTestSkin());
    Driver.ProcessMessages();
    EXPECT_EQ(Form->ClientWidth(), 250);
    EXPECT_EQ(Form->ClientHeight(), 120);
}

} // namespace
