#include "skin/controls/TskSkinCustomComboBox.h"

#include <algorithm>
#include <string>
#include <vector>

#include "ComboBoxTestSkin.h"
#include "platform/vcl/TReader.h"
#include "platform/win/WinApi.h"
#include "skin/controls/TskCustomEdit.h"
#include "skin/controls/TskPopupListBox.h"
#include "skin/controls/TskSkinScrollBar.h"

using namespace skintest;

namespace {

// A combo box that reports its Change and can be put into the state the form reader puts it in.
class TProbeComboBox : public TskSkinComboBox {
public:
    using TskSkinComboBox::TskSkinComboBox;
    std::vector<std::string>* Log = nullptr;
    void BeginLoading() { SetLoadingState(true); }
    void EndLoading()
    {
        SetLoadingState(false);
        Loaded();
    }

protected:
    void Change() override
    {
        if (Log != nullptr) Log->push_back("Change");
    }
};

struct ComboBox : SkinFormTest {
    TComboBoxTestSkin CbSkin;
    TProbeComboBox* Box = nullptr;
    std::vector<std::string> Log;

    // At (10, 10), 120 x 20 unless told otherwise; every event goes to Log.
    void MakeBox(bool skinned = false, TRect bounds = Rect(10, 10, 130, 30))
    {
        Box = new TProbeComboBox(Form);
        Box->SetParent(Form);
        if (skinned) Box->SetSkinData(CbSkin.Skin.get());
        Box->SetBoundsRect(bounds);
        Box->Log = &Log;
        Box->OnChange = [this](TObject*) { Log.push_back("OnChange:" + Box->Text()); };
        Box->OnClick = [this](TObject*) { Log.push_back("OnClick"); };
        Box->OnCloseUp = [this](TObject*) { Log.push_back("OnCloseUp"); };
        Box->OnDropDown = [this](TObject*) { Log.push_back("OnDropDown"); };
    }
    void AddItems(std::initializer_list<const char*> items)
    {
        for (const char* s : items) Box->Items()->Add(s);
    }
    void AddNumbered(int n)
    {
        for (int i = 0; i < n; ++i) Box->Items()->Add("Item " + std::to_string(i));
    }
    // A control ahead of the combo box in the tab order, so that the form gives the focus to it.
    void MakeFocusTaker()
    {
        auto* other = new TskSkinComboBox(Form);
        other->SetParent(Form);
        other->SetBounds(400, 400, 100, 20);
    }
    TPoint OnFace(int x, int y) const { return Point(Box->Left() + x, Box->Top() + y); }
    TPoint ButtonCentre() const
    {
        const TRect r = Box->ButtonRect();
        return OnFace((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    }
    // The middle of a visible row of the open list, on the screen.
    TPoint ListRow(int row) const
    {
        TskPopupListBox* list = Box->ListBox();
        const TRect r = list->ListBoxRect();
        const int h = list->ItemHeight();
        return Point(list->Left() + r.Left + 5, list->Top() + r.Top + row * h + h / 2);
    }
    std::vector<std::string> TakeLog()
    {
        std::vector<std::string> l;
        l.swap(Log);
        return l;
    }
};

using Strings = std::vector<std::string>;

} // namespace

// ---- ItemIndex, Text and the events -------------------------------------------------------------------------

TEST_F(ComboBox, SettingANewItem_FiresOnChangeThenOnClickThenChange)
{
    MakeBox();
    AddItems({"DVD", "iPod", "PSP"});
    Box->SetItemIndex(1);
    EXPECT_EQ(Box->Text(), "iPod");
    EXPECT_EQ(Box->ItemIndex(), 1);
    EXPECT_EQ(TakeLog(), (Strings{"OnChange:iPod", "OnClick", "Change"}));
}

TEST_F(ComboBox, TheSameItemOrNone_FiresOnClickAndChangeButNeverOnChange)
{
    MakeBox();
    AddItems({"DVD", "iPod"});
    Box->SetItemIndex(1);
    TakeLog();
    Box->SetItemIndex(1);
    EXPECT_EQ(TakeLog(), (Strings{"OnClick", "Change"}));
    Box->SetItemIndex(-1);
    EXPECT_EQ(Box->Text(), "iPod");
    EXPECT_EQ(TakeLog(), (Strings{"OnClick", "Change"}));
    // An index past the items never reaches the text.
    Box->SetItemIndex(7);
    EXPECT_EQ(Box->ItemIndex(), -1);
    EXPECT_EQ(Box->Text(), "iPod");
}

TEST_F(ComboBox, WhileLoading_OnlyTheTextFollows_EvenForAnIndexStoredBeforeItsItems)
{
    MakeBox();
    Box->BeginLoading();
    Box->SetItemIndex(2);
    AddItems({"a", "b", "c"});
    Box->EndLoading();
    EXPECT_EQ(Box->ItemIndex(), 2);
    EXPECT_EQ(Box->Text(), "c");
    EXPECT_EQ(TakeLog(), (Strings{"OnChange:c"}));
    Box->BeginLoading();
    Box->SetItemIndex(1);
    EXPECT_EQ(Box->Text(), "b");
    Box->EndLoading();
    EXPECT_EQ(Box->ItemIndex(), 1);
    EXPECT_EQ(TakeLog(), (Strings{"OnChange:b"}));
}

// ---- the drop-down list -------------------------------------------------------------------------------------

TEST_F(ComboBox, TheListOpensBelowTheFace_ExactlyAsHighAsItsItems)
{
    MakeBox();
    ShowForm();
    Driver.Click(ButtonCentre());
    EXPECT_FALSE(Box->DroppedDown());
    AddItems({"a", "b", "c"});
    Box->DropDownList();
    TskPopupListBox* list = Box->ListBox();
    EXPECT_TRUE(Box->DroppedDown());
    EXPECT_TRUE(list->Visible());
    EXPECT_TRUE(IsWindowVisible(list->Handle()));
    EXPECT_EQ(list->BoundsRect(), Rect(10, 30, 130, 30 + 3 * 20 + 4));
    EXPECT_EQ(list->VScrollBar(), nullptr);
    EXPECT_EQ(TakeLog(), (Strings{"OnDropDown"}));
}

TEST_F(ComboBox, ManyItems_ShowDropDownCountRowsWithABar)
{
    MakeBox();
    AddNumbered(20);
    Box->SetListBoxWidth(200);
    ShowForm();
    Box->DropDownList();
    TskPopupListBox* list = Box->ListBox();
    EXPECT_EQ(list->Height(), 8 * 20 + 4);
    EXPECT_EQ(list->Width(), 200);
    EXPECT_NE(list->VScrollBar(), nullptr);
}

TEST_F(ComboBox, NearTheBottomOfTheScreen_TheListOpensAbove)
{
    MakeBox();
    AddItems({"a", "b", "c"});
    Form->SetTop(800 - 60);
    ShowForm();
    Box->DropDownList();
    const int faceTop = Box->ClientToScreen(Point(0, 0)).Y;
    EXPECT_EQ(Box->ListBox()->Top(), faceTop - Box->ListBox()->Height());
    EXPECT_EQ(Box->ListBox()->Left(), Box->ClientToScreen(Point(0, 0)).X);
}

// ---- choosing with the mouse ----------------------------------------------------------------------------------

TEST_F(ComboBox, ClickOnTheFaceThenOnAnItem_TakesTheItem)
{
    MakeBox();
    AddItems({"DVD", "iPod", "PSP"});
    ShowForm();
    Driver.Click(OnFace(20, 10));
    ASSERT_TRUE(Box->DroppedDown());
    TakeLog();
    Driver.Click(ListRow(2));
    EXPECT_FALSE(Box->DroppedDown());
    EXPECT_FALSE(Box->ListBox()->Visible());
    EXPECT_EQ(Box->ItemIndex(), 2);
    EXPECT_EQ(Box->Text(), "PSP");
    EXPECT_EQ(TakeLog(), (Strings{"OnChange:PSP", "OnClick", "Change", "OnCloseUp"}));
}

// Opening on the first item steps the list to the second item and back before it shows. None of it
// reaches the user: the list opens on the first item drawn chosen, no event but OnDropDown fires, and
// Escape leaves the first item.
TEST_F(ComboBox, OpeningOnTheFirstItem_ShowsItChosenAndFiresOnlyOnDropDown)
{
    MakeBox();
    AddItems({"DVD", "iPod", "PSP"});
    Box->SetItemIndex(0);
    ShowForm();
    TakeLog();
    Driver.Click(ButtonCentre());
    ASSERT_TRUE(Box->DroppedDown());
    EXPECT_EQ(TakeLog(), (Strings{"OnDropDown"}));
    EXPECT_EQ(Box->ItemIndex(), 0);
    EXPECT_EQ(Box->Text(), "DVD");
    TskPopupListBox* list = Box->ListBox();
    EXPECT_EQ(list->TopIndex(), 0);
    const TRect r = list->ListBoxRect();
    const int h = list->ItemHeight();
    auto rowColour = [&](int row) { return Driver.PixelAt(list->Handle(), r.Right - 3, r.Top + row * h + h / 2) & 0x00FFFFFF; };
    EXPECT_EQ(rowColour(0), Px(clHighlight));
    EXPECT_NE(rowColour(1), Px(clHighlight));
    Driver.Press(VK_ESCAPE);
    EXPECT_FALSE(Box->DroppedDown());
    EXPECT_EQ(Box->ItemIndex(), 0);
    EXPECT_TRUE(TakeLog().empty());
}

TEST_F(ComboBox, HoveringMovesTheListOnly_TheFaceKeepsTheItemItOpenedWith)
{
    MakeBox();
    AddItems({"DVD", "iPod", "PSP"});
    Box->SetItemIndex(0);
    ShowForm();
    Driver.Click(ButtonCentre());
    TakeLog();
    Driver.MoveTo(ListRow(1));
    EXPECT_EQ(Box->ItemIndex(), 1);
    EXPECT_EQ(Box->Text(), "DVD");
    EXPECT_TRUE(TakeLog().empty());
    Driver.Press(VK_ESCAPE);
    EXPECT_FALSE(Box->DroppedDown());
    EXPECT_EQ(Box->ItemIndex(), 0);
    EXPECT_TRUE(TakeLog().empty());
}

TEST_F(ComboBox, DragFromTheFaceIntoTheList_TakesTheItemUnderThePointerOnRelease)
{
    MakeBox();
    AddItems({"DVD", "iPod", "PSP"});
    ShowForm();
    Driver.MoveTo(ButtonCentre());
    Driver.ButtonDown();
    for (int y = ButtonCentre().Y; y <= ListRow(1).Y; y += 6) Driver.MoveTo(Point(ButtonCentre().X, y));
    Driver.MoveTo(ListRow(1));
    Driver.ButtonUp();
    EXPECT_FALSE(Box->DroppedDown());
    EXPECT_EQ(Box->ItemIndex(), 1);
    EXPECT_EQ(Box->Text(), "iPod");
    // Released outside the list after dragging in: nothing is taken.
    Driver.MoveTo(ButtonCentre());
    Driver.ButtonDown();
    Driver.MoveTo(ListRow(2));
    EXPECT_TRUE(Box->ListTracking());
    Driver.MoveTo(Point(400, 300));
    Driver.ButtonUp();
    EXPECT_FALSE(Box->DroppedDown());
    EXPECT_EQ(Box->ItemIndex(), 1);
}

TEST_F(ComboBox, DraggingBelowTheList_ScrollsEvery25msAndStopsAtTheLastItem)
{
    MakeBox();
    AddNumbered(20);
    ShowForm();
    Driver.MoveTo(ButtonCentre());
    Driver.ButtonDown();
    Driver.MoveTo(ListRow(7));
    ASSERT_EQ(Box->ItemIndex(), 7);
    TskPopupListBox* list = Box->ListBox();
    Driver.MoveTo(Point(list->Left() + 10, list->Top() + list->Height() + 20));
    EXPECT_EQ(Box->ScrollMode(), 2);
    Driver.AdvanceClock(25);
    EXPECT_EQ(Box->ItemIndex(), 8);
    Driver.AdvanceClock(50);
    EXPECT_EQ(Box->ItemIndex(), 10);
    Driver.AdvanceClock(25 * 40);
    EXPECT_EQ(Box->ItemIndex(), 19);
    EXPECT_EQ(list->TopIndex(), 12);
    // Back over the list: the scrolling stops and the row under the pointer is the choice again.
    Driver.MoveTo(ListRow(0));
    EXPECT_EQ(Box->ScrollMode(), 0);
    EXPECT_EQ(Box->ItemIndex(), 12);
    Driver.ButtonUp();
    EXPECT_EQ(Box->Text(), "Item 12");
}

TEST_F(ComboBox, TheListsBar_ScrollsWithoutClosingTheList)
{
    MakeBox();
    AddNumbered(20);
    ShowForm();
    Driver.Click(ButtonCentre());
    TskPopupListBox* list = Box->ListBox();
    TskSkinScrollBar* bar = list->VScrollBar();
    ASSERT_NE(bar, nullptr);
    // The bar's lower arrow.
    Driver.Click(Point(list->Left() + bar->Left() + bar->Width() / 2, list->Top() + bar->Top() + bar->Height() - 4));
    EXPECT_TRUE(Box->DroppedDown());
    EXPECT_EQ(list->TopIndex(), 1);
    EXPECT_EQ(GetFocus(), Box->Handle());
}

TEST_F(ComboBox, TheCheckButtonOfTheListCaption_AcceptsTheHoveredItem)
{
    MakeBox();
    AddItems({"DVD", "iPod", "PSP"});
    Box->SetListBoxCaptionMode(true);
    ShowForm();
    Box->DropDownList();
    Box->ListBox()->SetItemIndex(1);
    const TRect check = Box->ListBox()->CaptionButtonRect(2);
    Driver.Click(Point(Box->ListBox()->Left() + check.Left + 3, Box->ListBox()->Top() + check.Top + 3));
    EXPECT_FALSE(Box->DroppedDown());
    EXPECT_EQ(Box->Text(), "iPod");
}

TEST_F(ComboBox, LosingTheFocusOrAPressElsewhere_ClosesWithoutAccepting)
{
    MakeBox();
    AddItems({"DVD", "iPod", "PSP"});
    auto* other = new TProbeComboBox(Form);
    other->SetParent(Form);
    other->SetBounds(300, 10, 100, 20);
    Box->SetItemIndex(0);
    ShowForm();
    Driver.Click(ButtonCentre());
    Box->ListBox()->SetItemIndex(2);
    other->SetFocus();
    Driver.ProcessMessages();
    EXPECT_FALSE(Box->DroppedDown());
    EXPECT_EQ(Box->ItemIndex(), 0);
    // A press on the form where nothing takes the focus closes it just the same.
    Driver.Click(ButtonCentre());
    Box->ListBox()->SetItemIndex(1);
    ASSERT_TRUE(Box->DroppedDown());
    Driver.Click(Point(300, 300));
    EXPECT_FALSE(Box->DroppedDown());
    EXPECT_EQ(Box->ItemIndex(), 0);
}

TEST_F(ComboBox, DisablingTheComboBox_ClosesItsList)
{
    MakeBox();
    AddItems({"DVD", "iPod"});
    ShowForm();
    Box->DropDownList();
    Box->SetEnabled(false);
    EXPECT_FALSE(Box->DroppedDown());
    EXPECT_FALSE(Box->ListBox()->Visible());
}

// ---- choosing with the keys and the wheel ---------------------------------------------------------------------

TEST_F(ComboBox, ArrowKeys_StepWithEventsAndStopAtTheEnds)
{
    MakeBox();
    AddItems({"DVD", "iPod", "PSP"});
    ShowForm();
    Box->SetFocus();
    Driver.Press(VK_DOWN);
    EXPECT_EQ(Box->ItemIndex(), 0);
    EXPECT_EQ(TakeLog(), (Strings{"OnChange:DVD", "OnClick", "Change"}));
    Driver.Press(VK_RIGHT);
    Driver.Press(VK_DOWN);
    Driver.Press(VK_DOWN);
    EXPECT_EQ(Box->ItemIndex(), 2);
    TakeLog();
    Driver.Press(VK_DOWN);
    EXPECT_TRUE(TakeLog().empty());
    Driver.Press(VK_UP);
    Driver.Press(VK_LEFT);
    Driver.Press(VK_UP);
    EXPECT_EQ(Box->ItemIndex(), 0);
    TakeLog();
    Driver.Press(VK_UP);
    EXPECT_TRUE(TakeLog().empty());
    // The wheel over the box steps the same way: towards the user is down.
    Driver.MoveTo(Box->ClientToScreen({Box->Width() / 2, Box->Height() / 2}));
    Driver.Wheel(-120);
    EXPECT_EQ(Box->ItemIndex(), 1);
    EXPECT_EQ(TakeLog(), (Strings{"OnChange:iPod", "OnClick", "Change"}));
    Driver.Wheel(120);
    Driver.Wheel(120);
    EXPECT_EQ(Box->ItemIndex(), 0);
}

TEST_F(ComboBox, AltDownOpens_EnterTakesTheListsItem_EscapeGoesBack)
{
    MakeBox();
    AddItems({"DVD", "iPod", "PSP"});
    Box->SetItemIndex(0);
    ShowForm();
    Box->SetFocus();
    Driver.Press(VK_DOWN, false, false, true);
    ASSERT_TRUE(Box->DroppedDown());
    Driver.MoveTo(Box->ClientToScreen({Box->Width() / 2, Box->Height() / 2}));
    Driver.Wheel(-120);
    EXPECT_EQ(Box->ItemIndex(), 1);
    EXPECT_EQ(Box->Text(), "DVD");
    Driver.Press(VK_RETURN);
    EXPECT_FALSE(Box->DroppedDown());
    EXPECT_EQ(Box->Text(), "iPod");
    Driver.Press(VK_DOWN, false, false, true);
    Box->ListBox()->SetItemIndex(2);
    Driver.Press(VK_UP, false, false, true);
    EXPECT_FALSE(Box->DroppedDown());
    EXPECT_EQ(Box->ItemIndex(), 1);
}

TEST_F(ComboBox, PageKeys_UpGoesOneRowMoreThanTheListShows_DownOneLess_EachSetsTheItem)
{
    MakeBox();
    AddNumbered(30);
    Box->SetDropDownCount(8);
    Box->SetItemIndex(10);
    ShowForm();
    Box->SetFocus();
    const struct {
        WORD Key;
        int From, To;
    } steps[] = {{VK_NEXT, 10, 17}, {VK_PRIOR, 17, 8}, {VK_PRIOR, 8, 0}, {VK_PRIOR, 0, 0}, {VK_NEXT, 27, 29}, {VK_NEXT, 29, 29}};
    for (const auto& step : steps) {
        SCOPED_TRACE(std::to_string(step.From) + " -> " + std::to_string(step.To));
        Box->SetItemIndex(step.From);
        TakeLog();
        Driver.Press(step.Key);
        EXPECT_EQ(Box->ItemIndex(), step.To);
        // Landing on the item it starts from, the page still tells its click and change.
        const Strings log = TakeLog();
        EXPECT_NE(std::find(log.begin(), log.end(), "OnClick"), log.end());
        EXPECT_NE(std::find(log.begin(), log.end(), "Change"), log.end());
    }
    // The nine devices: a page up from the last one reaches the first.
    Box->Items()->Clear();
    AddNumbered(9);
    Box->SetItemIndex(8);
    Driver.Press(VK_PRIOR);
    EXPECT_EQ(Box->ItemIndex(), 0);
}

TEST_F(ComboBox, TypedLetters_SearchTogetherWhenQuickAndAfterTheItemAfterAPause)
{
    MakeBox();
    AddItems({"apple", "banana", "bbq", "berry", "cherry"});
    ShowForm();
    Box->SetFocus();
    Driver.Type("b");
    EXPECT_EQ(Box->ItemIndex(), 1);
    Driver.AdvanceClock(100);
    Driver.Type("b");
    EXPECT_EQ(Box->SearchText(), "bb");
    EXPECT_EQ(Box->ItemIndex(), 2);
    Driver.AdvanceClock(500);
    Driver.Type("b");
    EXPECT_EQ(Box->SearchText(), "b");
    EXPECT_EQ(Box->ItemIndex(), 3);
    Driver.AdvanceClock(600);
    Driver.Type("B");
    EXPECT_EQ(Box->ItemIndex(), 1);
}

// ---- the edit style -------------------------------------------------------------------------------------------

TEST_F(ComboBox, EditStyleTwice_LeavesOneEditPart_FixedStyleFreesIt)
{
    MakeBox();
    AddItems({"DVD", "iPod"});
    Box->SetItemIndex(1);
    Box->SetStyle(skcbEditStyle);
    TskCustomEdit* edit = Box->EditPart();
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->Text(), "iPod");
    EXPECT_TRUE(edit->TabStop());
    EXPECT_FALSE(Box->TabStop());
    Box->SetStyle(skcbEditStyle);
    EXPECT_EQ(Box->EditPart(), edit);
    int edits = 0;
    for (int i = 0; i < Box->ControlCount(); ++i)
        if (dynamic_cast<TskCustomEdit*>(Box->Controls(i)) != nullptr) ++edits;
    EXPECT_EQ(edits, 1);
    // Sits in the item's place, centred.
    EXPECT_EQ(edit->Left(), Box->ItemRect().Left);
    EXPECT_EQ(edit->Width(), Box->ItemRect().Width());
    Box->SetStyle(skcbFixedStyle);
    EXPECT_EQ(Box->EditPart(), nullptr);
    EXPECT_TRUE(Box->TabStop());
}

TEST_F(ComboBox, TypingInTheEditPart_FiresOnChangeAndChangeForEveryChange)
{
    MakeBox();
    AddItems({"DVD", "iPod"});
    Box->SetAutoComplete(false);
    Box->SetStyle(skcbEditStyle);
    ShowForm();
    Box->EditPart()->SetFocus();
    TakeLog();
    Driver.Type("xy");
    EXPECT_EQ(Box->Text(), "xy");
    EXPECT_EQ(TakeLog(), (Strings{"OnChange:x", "Change", "OnChange:xy", "Change"}));
}

TEST_F(ComboBox, TypingTheFirstLetters_CompletesTheItemAndSelectsTheTail)
{
    MakeBox();
    AddItems({"apple", "banana", "blueberry", "cherry"});
    Box->SetStyle(skcbEditStyle);
    ShowForm();
    Box->EditPart()->SetFocus();
    Driver.Type("b");
    TskCustomEdit* edit = Box->EditPart();
    EXPECT_EQ(Box->ItemIndex(), 1);
    EXPECT_EQ(edit->Text(), "banana");
    EXPECT_EQ(edit->SelStart(), 1);
    EXPECT_EQ(edit->SelLength(), 5);
    // Within 200 ms of the last completion the typed text stays as it is.
    Driver.Type("a");
    EXPECT_EQ(edit->Text(), "ba");
    Driver.Press(VK_BACK);
    Driver.AdvanceClock(300);
    Driver.Type("l");
    EXPECT_EQ(Box->ItemIndex(), 2);
    EXPECT_EQ(edit->Text(), "blueberry");
    EXPECT_EQ(edit->SelStart(), 2);
    EXPECT_EQ(edit->SelLength(), 7);
}

TEST_F(ComboBox, UpAndDownInTheEditPart_StepWithOnClickAndStopAtTheEnds)
{
    MakeBox();
    AddItems({"DVD", "iPod", "PSP"});
    Box->SetStyle(skcbEditStyle);
    Box->SetItemIndex(0);
    ShowForm();
    Box->EditPart()->SetFocus();
    TakeLog();
    Driver.Press(VK_DOWN);
    EXPECT_EQ(Box->ItemIndex(), 1);
    EXPECT_EQ(Box->EditPart()->Text(), "iPod");
    EXPECT_EQ(Box->EditPart()->SelLength(), 4);
    EXPECT_EQ(TakeLog(), (Strings{"OnChange:iPod", "OnClick"}));
    Driver.Press(VK_DOWN);
    Driver.Press(VK_DOWN);
    EXPECT_EQ(Box->ItemIndex(), 2);
    Driver.Press(VK_UP);
    Driver.Press(VK_UP);
    Driver.Press(VK_UP);
    EXPECT_EQ(Box->ItemIndex(), 0);
}

TEST_F(ComboBox, AClickHandlerThatFreesTheComboBox_EndsTheEventsThere)
{
    // Through ItemIndex and through an item taken from the open list.
    for (bool fromList : {false, true}) {
        MakeBox();
        AddItems({"DVD", "iPod", "PSP"});
        ShowForm();
        Box->OnClick = [this](TObject*) {
            // Freeing the box frees this handler too: nothing of it is used afterwards.
            auto* test = this;
            test->Log.push_back("OnClick");
            auto* box = test->Box;
            test->Box = nullptr;
            box->Free();
        };
        if (fromList) {
            Box->SetFocus();
            Driver.Press(VK_DOWN, false, false, true);
            ASSERT_TRUE(Box->DroppedDown());
            Box->ListBox()->SetItemIndex(2);
            Driver.Press(VK_RETURN);
        } else {
            Box->SetItemIndex(1);
        }
        EXPECT_EQ(Box, nullptr);
        // Neither Change nor OnCloseUp comes after the handler.
        const Strings expected =
            fromList ? Strings{"OnDropDown", "OnChange:PSP", "OnClick"} : Strings{"OnChange:iPod", "OnClick"};
        EXPECT_EQ(TakeLog(), expected);
        Driver.ProcessMessages();
    }
}

TEST_F(ComboBox, ChangingTheStyle_GivesANewWindowAndKeepsTheFocus)
{
    MakeBox();
    AddItems({"DVD", "iPod"});
    Box->SetItemIndex(1);
    ShowForm();
    Box->SetFocus();
    Driver.ProcessMessages();
    const HWND fixed = Box->Handle();
    Box->SetStyle(skcbEditStyle);
    EXPECT_NE(Box->Handle(), fixed);
    ASSERT_NE(Box->EditPart(), nullptr);
    EXPECT_TRUE(Box->EditPart()->Focused());
    EXPECT_EQ(Box->EditPart()->Text(), "iPod");
    const HWND edit = Box->Handle();
    Box->SetStyle(skcbEditStyle); // the same style again only lays out
    EXPECT_EQ(Box->Handle(), edit);
    Box->SetStyle(skcbFixedStyle);
    EXPECT_NE(Box->Handle(), edit);
    Driver.ProcessMessages();
    EXPECT_EQ(Box->EditPart(), nullptr);
}

TEST_F(ComboBox, AHandlerThatEndsTheEditStyleFromAKeyOfTheEditPart_IsSafe)
{
    MakeBox();
    AddItems({"DVD", "iPod", "PSP"});
    Box->SetStyle(skcbEditStyle);
    Box->SetItemIndex(0);
    ShowForm();
    Box->EditPart()->SetFocus();
    Box->OnClick = [this](TObject*) { Box->SetStyle(skcbFixedStyle); };
    Driver.Press(VK_DOWN);
    EXPECT_EQ(Box->EditPart(), nullptr);
    EXPECT_EQ(Box->ItemIndex(), 1);
    Driver.ProcessMessages();
    int edits = 0;
    for (int i = 0; i < Box->ComponentCount(); ++i)
        if (dynamic_cast<TskCustomEdit*>(Box->Components(i)) != nullptr) ++edits;
    EXPECT_EQ(edits, 0);
    // The combo box has the focus back and goes on with its own keys.
    Box->OnClick = nullptr;
    Driver.Press(VK_DOWN);
    EXPECT_EQ(Box->ItemIndex(), 2);
}

TEST_F(ComboBox, EnterInTheEditPartWithTheListOpen_TakesTheItemAndGoesNoFurther)
{
    MakeBox();
    AddItems({"DVD", "iPod", "PSP"});
    Box->SetStyle(skcbEditStyle);
    ShowForm();
    Driver.Click(ButtonCentre());
    ASSERT_TRUE(Box->DroppedDown());
    EXPECT_TRUE(Box->EditPart()->Focused());
    Box->ListBox()->SetItemIndex(2);
    int formKeys = 0;
    Form->OnKeyPress = [&](TObject*, TKeyChar&) { ++formKeys; };
    Form->SetKeyPreview(true);
    Driver.Press(VK_RETURN);
    EXPECT_FALSE(Box->DroppedDown());
    EXPECT_EQ(Box->Text(), "PSP");
    EXPECT_EQ(Box->EditPart()->Text(), "PSP");
    EXPECT_EQ(formKeys, 0);
}

TEST_F(ComboBox, AClickOnTheEditPart_ClosesTheList)
{
    MakeBox();
    AddItems({"DVD", "iPod", "PSP"});
    Box->SetStyle(skcbEditStyle);
    Box->SetItemIndex(0);
    ShowForm();
    Driver.Click(ButtonCentre());
    Box->ListBox()->SetItemIndex(2);
    Driver.Click(OnFace(Box->ItemRect().Left + 5, 10));
    EXPECT_FALSE(Box->DroppedDown());
    EXPECT_EQ(Box->ItemIndex(), 0);
}

// ---- the picture ----------------------------------------------------------------------------------------------

TEST_F(ComboBox, DefaultLook_FrameButtonAndTheChosenItem)
{
    MakeBox();
    AddItems({"DVD", "iPod"});
    Box->SetItemIndex(1);
    ShowForm();
    EXPECT_EQ(At(10, 10), Px(clBtnShadow));
    EXPECT_EQ(At(12, 28), Px(clWindow));
    const TRect b = Box->ButtonRect();
    EXPECT_EQ(At(10 + b.Left, 10 + b.Top), Px(clBtnShadow));
    EXPECT_EQ(At(10 + b.Left + 2, 10 + b.Top + 2), Px(clBtnFace));
    // Text on the window colour while unfocused, on the highlight while focused.
    EXPECT_GT(CountOther(*this, Rect(12, 12, 60, 28), clWindow), 0);
    Save("combobox-default");
    Box->SetFocus();
    Driver.ProcessMessages();
    EXPECT_EQ(At(10 + Box->ItemRect().Right - 2, 10 + Box->ItemRect().Top + 1), Px(clHighlight));
    Driver.MoveTo(ButtonCentre());
    EXPECT_TRUE(Box->ButtonActive());
    EXPECT_EQ(At(10 + b.Left + 2, 10 + b.Top + 2), Px(13811126));
    Driver.ButtonDown();
    EXPECT_EQ(At(10 + b.Left + 2, 10 + b.Top + 2), Px(11899781));
    Save("combobox-default-open");
    EXPECT_NE(Driver.SaveWindow(Box->ListBox()->Handle(), "combobox-default-list", OMBRIX_TEST_PICTURES), "");
    Driver.ButtonUp();
}

TEST_F(ComboBox, SkinLook_FaceItemPieceAndButtonStates)
{
    MakeFocusTaker();
    MakeBox(true);
    AddItems({"DVD", "iPod", "PSP"});
    Box->SetItemIndex(0);
    ShowForm();
    // The three-part face keeps the skin's height and stretches across.
    EXPECT_EQ(Box->Height(), 20);
    EXPECT_EQ(Box->ButtonRect(), Rect(42 + 60, 2, 58 + 60, 18));
    EXPECT_EQ(Box->ItemRect(), Rect(3, 3, 100, 17));
    EXPECT_EQ(At(11, 10), Px(cFrame));
    EXPECT_EQ(At(10 + 104, 12), Px(cNormal));
    // The item piece (orange) behind the text.
    EXPECT_EQ(At(10 + 4, 10 + 4), Px(cFixed));
    Save("combobox-skin");
    // Pointer over it: the active face (navy frame) and the hot button (cyan).
    Driver.MoveTo(ButtonCentre());
    EXPECT_TRUE(Box->MouseInControl());
    EXPECT_EQ(At(11, 10), Px(cCaption));
    EXPECT_EQ(At(10 + 104, 12), Px(cActive));
    Driver.ButtonDown();
    EXPECT_EQ(At(10 + 104, 12), Px(cDown));
    // Focused: the focused item piece (blue).
    EXPECT_EQ(At(10 + 4, 10 + 4), Px(cProgress));
    Save("combobox-skin-open");
    // The drop-down wears the entry the combo box names.
    TskPopupListBox* list = Box->ListBox();
    EXPECT_EQ(list->SkinDataName(), "combolist");
    EXPECT_EQ(Driver.PixelAt(list->Handle(), 0, 0) & 0x00FFFFFF, Px(cFrame));
    EXPECT_NE(Driver.SaveWindow(list->Handle(), "combobox-skin-list", OMBRIX_TEST_PICTURES), "");
    Driver.ButtonUp();
    Box->SetEnabled(false);
    Driver.MoveTo(Point(500, 400));
    EXPECT_EQ(At(10 + 104, 12), Px(cDisabled));
}

TEST_F(ComboBox, SkinnedEditStyle_TheEditPartWearsTheEntrysFontOverTheFace_AlsoOnAnErase)
{
    MakeFocusTaker();
    MakeBox(true);
    AddItems({"DVD", "iPod"});
    Box->SetStyle(skcbEditStyle);
    Box->SetItemIndex(1);
    ShowForm();
    TskCustomEdit* edit = Box->EditPart();
    ASSERT_NE(edit, nullptr);
    EXPECT_TRUE(edit->Transparent());
    EXPECT_EQ(edit->Font()->Name(), "DejaVu Sans");
    EXPECT_EQ(edit->Font()->Color(), 0);
    // Sits inside the item's place, centred in its height.
    EXPECT_GE(edit->Top(), Box->ItemRect().Top);
    EXPECT_LE(edit->Top() + edit->Height(), Box->ItemRect().Bottom);
    // The face shows through the transparent edit part: no item piece is drawn under it.
    EXPECT_EQ(At(10 + Box->ItemRect().Right - 2, 10 + Box->ItemRect().Top), Px(cClient));
    // A parent gathering its children's pictures gets the face and the edit part together.
    EXPECT_EQ(ErasedPixelsUnlikeTheWindow(*this, Box), 0);
    edit->SetFocus();
    Driver.ProcessMessages();
    EXPECT_EQ(edit->Font()->Color(), 255);
    Save("combobox-skin-edit");
}

TEST_F(ComboBox, WithoutSkinSize_TheFaceStretchesDownAndTheButtonComesFromAButtonEntry)
{
    MakeFocusTaker();
    MakeBox(true);
    Box->SetUseSkinSize(false);
    Box->SetBounds(10, 10, 120, 30);
    AddItems({"DVD"});
    ShowForm();
    EXPECT_EQ(Box->Height(), 30);
    EXPECT_EQ(Box->ButtonRect(), Rect(102, 2, 118, 28));
    EXPECT_EQ(At(10 + 104, 10 + 4), Px(cCheck));
    Driver.MoveTo(OnFace(110, 15));
    EXPECT_EQ(At(10 + 104, 10 + 4), Px(cUncheck));
    Save("combobox-skin-noskinsize");
}

TEST_F(ComboBox, ToolButtonStyle_ForcesTheFixedStyleAndFreeHeight)
{
    MakeFocusTaker();
    MakeBox();
    AddItems({"DVD"});
    Box->SetStyle(skcbEditStyle);
    Box->SetToolButtonStyle(true);
    EXPECT_EQ(Box->Style(), skcbFixedStyle);
    EXPECT_EQ(Box->EditPart(), nullptr);
    EXPECT_FALSE(Box->UseSkinSize());
    Box->SetItemIndex(0);
    ShowForm();
    EXPECT_EQ(At(10, 10), Px(clBtnShadow));
    EXPECT_EQ(At(12, 12), Px(clBtnFace));
    Box->DropDownList();
    Driver.ProcessMessages();
    EXPECT_EQ(At(10, 10), Px(8388608));
    EXPECT_EQ(At(12, 12), Px(11899781));
}

// ---- the form reader ------------------------------------------------------------------------------------------

TEST(ComboBoxForm, StoredComboBoxReadsItsItemsIndexAndStyle)
{
    THeadlessDriver driver;
    RegisterSkinControlClasses();
    TForm form(nullptr);
    ReadComponentFromText(&form, R"(object F: TForm
  Width = 300
  Height = 200
  object devicebox: TskSkinComboBox
    Left = 8
    Top = 8
    Width = 150
    Height = 20
    ItemIndex = 1
    Items.Strings = (
      'DVD player'
      'iPod')
    DropDownCount = 12
    Style = skcbEditStyle
    ListBoxAlphaBlendValue = 180
  end
end
)");
    auto* cb = dynamic_cast<TskSkinComboBox*>(form.FindComponent("devicebox"));
    ASSERT_NE(cb, nullptr);
    EXPECT_EQ(cb->Items()->Count(), 2);
    EXPECT_EQ(cb->ItemIndex(), 1);
    EXPECT_EQ(cb->Text(), "iPod");
    EXPECT_EQ(cb->DropDownCount(), 12);
    EXPECT_EQ(cb->Style(), skcbEditStyle);
    ASSERT_NE(cb->EditPart(), nullptr);
    EXPECT_EQ(cb->EditPart()->Text(), "iPod");
    EXPECT_EQ(cb->ListBoxAlphaBlendValue(), 180);
}
