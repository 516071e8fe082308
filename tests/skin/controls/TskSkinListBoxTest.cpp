#include "skin/controls/TskSkinListBox.h"

#include <algorithm>

#include "ListBoxTestSkin.h"
#include "platform/vcl/TReader.h"
#include "platform/win/Input.h"
#include "skin/controls/TskSkinScrollBar.h"
#include "skin/data/SkinMessages.h"

using namespace skintest;

namespace {

struct ListBox : SkinFormTest {
    TListBoxTestSkin LbSkin;
    TskSkinListBox* Box = nullptr;

    // A list box at (10, 10); unskinned, 120 x 120 holds five rows of 20 pixels.
    void MakeBox(bool skinned, int w = 120, int h = 120)
    {
        Box = new TskSkinListBox(Form);
        Box->SetParent(Form);
        if (skinned) Box->SetSkinData(LbSkin.Skin.get());
        Box->SetBounds(10, 10, w, h);
    }
    void AddItems(int n, const std::string& prefix = "Item ")
    {
        for (int i = 0; i < n; ++i) Box->Items()->Add(prefix + std::to_string(i));
    }
    // A point of the inner list, on the form.
    TPoint InList(int x, int y) { return Point(10 + Box->ListBoxRect().Left + x, 10 + Box->ListBoxRect().Top + y); }
    TPixel ListPixel(int x, int y)
    {
        const TPoint p = InList(x, y);
        return At(p.X, p.Y);
    }
};

} // namespace

// ---- bars made on demand ----------------------------------------------------------------------------

TEST_F(ListBox, VerticalBarAppearsOnlyWhileTheItemsDoNotFit)
{
    MakeBox(false);
    AddItems(5);
    EXPECT_EQ(Box->VScrollBar(), nullptr);
    Box->Items()->Add("sixth");
    ASSERT_NE(Box->VScrollBar(), nullptr);
    EXPECT_EQ(Box->VScrollBar()->Kind(), sbVertical);
    EXPECT_EQ(Box->VScrollBar()->Max(), 5);
    EXPECT_EQ(Box->VScrollBar()->PageSize(), 5);
    // The bar stands at the right edge and the list gives way to it.
    EXPECT_EQ(Box->VScrollBar()->BoundsRect(), Rect(100, 1, 119, 119));
    EXPECT_EQ(Box->ListBoxRect(), Rect(2, 2, 100, 118));
    Box->Items()->Delete(5);
    EXPECT_EQ(Box->VScrollBar(), nullptr);
    EXPECT_EQ(Box->ListBoxRect(), Rect(2, 2, 118, 118));
}

TEST_F(ListBox, ClearRemovesTheBar)
{
    MakeBox(false);
    AddItems(20);
    ASSERT_NE(Box->VScrollBar(), nullptr);
    Box->Clear();
    EXPECT_EQ(Box->VScrollBar(), nullptr);
    EXPECT_EQ(Box->Items()->Count(), 0);
}

TEST_F(ListBox, RowCountEqualToTheItemCountNeverShowsABar)
{
    MakeBox(false);
    Box->SetRowCount(8);
    EXPECT_EQ(Box->Height(), 8 * 20 + 4);
    AddItems(8);
    EXPECT_EQ(Box->VScrollBar(), nullptr);
    Box->Items()->Add("ninth");
    EXPECT_NE(Box->VScrollBar(), nullptr);
}

TEST_F(ListBox, MovingTheBarScrollsTheList)
{
    MakeBox(false);
    AddItems(12);
    Box->VScrollBar()->SetPosition(4);
    EXPECT_EQ(Box->TopIndex(), 4);
    // The last whole page is as far as it goes.
    Box->VScrollBar()->SetPosition(100);
    EXPECT_EQ(Box->TopIndex(), 7);
}

TEST_F(ListBox, TheBarFollowsTheListWhenItScrollsByItself)
{
    MakeBox(false);
    AddItems(12);
    ShowForm();
    Driver.Click(InList(10, 5));
    EXPECT_EQ(Box->ItemIndex(), 0);
    Driver.Press(VK_END);
    EXPECT_EQ(Box->ItemIndex(), 11);
    EXPECT_EQ(Box->TopIndex(), 7);
    EXPECT_EQ(Box->VScrollBar()->Position(), 7);
    Box->SetItemIndex(2);
    EXPECT_EQ(Box->VScrollBar()->Position(), 2);
}

TEST_F(ListBox, HorizontalBarOnlyWithHorizontalExtentAndTooWideText)
{
    MakeBox(false);
    const std::string wide(60, 'W');
    Box->Items()->Add(wide);
    EXPECT_EQ(Box->HScrollBar(), nullptr);
    Box->SetHorizontalExtent(true);
    ASSERT_NE(Box->HScrollBar(), nullptr);
    EXPECT_GT(Box->HScrollBar()->Max(), Box->ListBox()->Width());
    // The bar takes the bottom row and the list ends above it.
    EXPECT_EQ(Box->HScrollBar()->BoundsRect(), Rect(1, 100, 119, 119));
    EXPECT_LE(Box->ListBoxRect().Bottom, 100);
    Box->HScrollBar()->SetPosition(30);
    EXPECT_EQ(Box->ListBox()->HorizontalOffset(), 30);
    Box->Items()->Clear();
    EXPECT_EQ(Box->HScrollBar(), nullptr);
    EXPECT_EQ(Box->ListBox()->HorizontalOffset(), 0);
}

TEST_F(ListBox, HorizontalBarLeavesTheCornerOnlyWhileTheVerticalBarShows)
{
    MakeBox(false);
    Box->SetHorizontalExtent(true);
    Box->Items()->Add(std::string(60, 'W'));
    ASSERT_NE(Box->HScrollBar(), nullptr);
    EXPECT_FALSE(Box->HScrollBar()->Both());
    AddItems(10);
    ASSERT_NE(Box->VScrollBar(), nullptr);
    EXPECT_TRUE(Box->HScrollBar()->Both());
    EXPECT_EQ(Box->HScrollBar()->BothMarkerWidth(), 19);
    // The vertical bar ends where the horizontal one begins.
    EXPECT_EQ(Box->VScrollBar()->BoundsRect().Bottom, 1 + 118 - 18);
    while (Box->Items()->Count() > 1) Box->Items()->Delete(1);
    EXPECT_EQ(Box->VScrollBar(), nullptr);
    ASSERT_NE(Box->HScrollBar(), nullptr);
    EXPECT_FALSE(Box->HScrollBar()->Both());
}

TEST_F(ListBox, ColumnsScrollSidewaysWithAHorizontalBar)
{
    MakeBox(false);
    Box->SetColumns(2);
    AddItems(30);
    ASSERT_NE(Box->VScrollBar(), nullptr);
    EXPECT_EQ(Box->VScrollBar()->Kind(), sbHorizontal);
    EXPECT_EQ(Box->VScrollBar()->BoundsRect(), Rect(1, 100, 119, 119));
    Box->VScrollBar()->SetPosition(1);
    EXPECT_EQ(Box->TopIndex(), Box->ListBox()->Rows());
}

// ---- selection and items ----------------------------------------------------------------------------

TEST_F(ListBox, ItemIndexMinusOneClearsTheSelection)
{
    MakeBox(false);
    AddItems(3);
    Box->SetItemIndex(1);
    EXPECT_EQ(Box->ItemIndex(), 1);
    EXPECT_TRUE(Box->Selected(1));
    Box->SetItemIndex(-1);
    EXPECT_EQ(Box->ItemIndex(), -1);
    Box->SetItemIndex(7);
    EXPECT_EQ(Box->ItemIndex(), -1);
}

TEST_F(ListBox, ItemsAreCopiedIntoTheList)
{
    MakeBox(false);
    TStringList src;
    src.Add("one");
    src.Add("two");
    Box->SetItems(&src);
    EXPECT_EQ(Box->ListBox()->Items()->Strings(1), "two");
    EXPECT_EQ(Box->ItemAtPos(Point(5, 25), true), 1);
    EXPECT_EQ(Box->ItemAtPos(Point(5, 65), true), -1);
}

// ---- events of the inner list ------------------------------------------------------------------------

TEST_F(ListBox, ClickOnAnItem_TheFrameHearsThePressBeforeTheListSelects)
{
    MakeBox(false);
    AddItems(3);
    ShowForm();
    std::vector<std::string> seen;
    TObject* sender = nullptr;
    Box->OnListBoxClick = [&](TObject* s) {
        sender = s;
        seen.push_back("click " + std::to_string(Box->ItemIndex()));
    };
    Box->OnListBoxMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int y) {
        seen.push_back("down " + std::to_string(y / 20) + " while " + std::to_string(Box->ItemIndex()));
    };
    Box->OnListBoxMouseUp = [&](TObject*, TMouseButton, TShiftState, int, int) { seen.push_back("up"); };
    Box->OnListBoxDblClick = [&](TObject*) { seen.push_back("double"); };
    Driver.Click(InList(10, 45));
    EXPECT_EQ(Box->ItemIndex(), 2);
    EXPECT_EQ(sender, Box);
    const std::vector<std::string> expected{"down 2 while -1", "click 2", "up"};
    EXPECT_EQ(seen, expected);
    Driver.AdvanceClock(2000);
    Driver.DoubleClick(InList(10, 45));
    EXPECT_NE(std::find(seen.begin(), seen.end(), "double"), seen.end());
}

TEST_F(ListBox, FrameFreedByItsMouseDownHandler_TheListDoesNotGoOnWithThePress)
{
    MakeBox(false);
    AddItems(3);
    ShowForm();
    Box->OnListBoxMouseDown = [this](TObject*, TMouseButton, TShiftState, int, int) {
        TskSkinListBox* box = Box;
        Box = nullptr;
        box->Free();
    };
    Driver.Click(InList(10, 25));
    Driver.ProcessMessages();
    EXPECT_EQ(Box, nullptr);
    EXPECT_EQ(Form->ControlCount(), 0);
}

TEST_F(ListBox, AKeyTakenByTheFrameNeverReachesTheList)
{
    MakeBox(false);
    AddItems(5);
    ShowForm();
    Driver.Click(InList(10, 5));
    Box->OnListBoxKeyDown = [](TObject*, WORD& key, TShiftState) {
        if (key == VK_DOWN) key = 0;
    };
    Driver.Press(VK_DOWN);
    EXPECT_EQ(Box->ItemIndex(), 0);
    Driver.Press(VK_END);
    EXPECT_EQ(Box->ItemIndex(), 4);
}

TEST_F(ListBox, SideArrowsScrollTheTextWhileThereIsAHorizontalBar)
{
    MakeBox(false);
    Box->SetHorizontalExtent(true);
    Box->Items()->Add(std::string(60, 'W'));
    ShowForm();
    Driver.Click(InList(10, 5));
    ASSERT_NE(Box->HScrollBar(), nullptr);
    const int step = Box->HScrollBar()->SmallChange();
    EXPECT_GT(step, 0);
    Driver.Press(VK_RIGHT);
    Driver.Press(VK_RIGHT);
    EXPECT_EQ(Box->ListBox()->HorizontalOffset(), 2 * step);
    Driver.Press(VK_LEFT);
    EXPECT_EQ(Box->ListBox()->HorizontalOffset(), step);
    EXPECT_EQ(Box->ItemIndex(), 0);
}

TEST_F(ListBox, TheInnerListAnswersTheFramePaintingQuestions)
{
    MakeBox(false);
    ShowForm();
    TskListBox* list = Box->ListBox();
    EXPECT_EQ(list->Perform(CM_PAINTSKINFRAME, 0, 0), 12851);
    EXPECT_EQ(list->Perform(48203, 0, 16802), 16802);
    Box->Items()->Add("x");
    EXPECT_EQ(list->Perform(48203, 0, 16802), 0);
}

// ---- painting ------------------------------------------------------------------------------------------

TEST_F(ListBox, DefaultLookShowsTheSelectedItemHighlighted)
{
    MakeBox(false);
    AddItems(3);
    Box->SetItemIndex(1);
    ShowForm();
    EXPECT_EQ(At(10, 10), Px(clBtnShadow));
    EXPECT_EQ(ListPixel(100, 5), Px(clWindow));
    EXPECT_EQ(ListPixel(100, 25), Px(clHighlight));
    EXPECT_EQ(ListPixel(100, 90), Px(clWindow));
    Save("listbox-default");
}

TEST_F(ListBox, SkinnedLookComposesFrameItemsAndTheEmptyArea)
{
    MakeBox(true, 200, 150);
    // Item height from the skin's item picture: 12.
    EXPECT_EQ(Box->ListBox()->ItemHeight(), 12);
    EXPECT_EQ(Box->ListBoxRect(), Rect(5, 25, 195, 145));
    AddItems(3);
    Box->SetItemIndex(1);
    ShowForm();
    EXPECT_EQ(At(12, 12), Px(cFrame));
    EXPECT_EQ(ListPixel(180, 6), Px(cNormal));
    EXPECT_EQ(ListPixel(180, 80), Px(cClient));
    // With the focus the selected item takes the focused picture, without it the selected one.
    Box->ListBox()->SetFocus();
    Driver.ProcessMessages();
    EXPECT_EQ(ListPixel(180, 18), Px(cDown));
    Save("listbox-skinned");
    auto* other = new TskSkinListBox(Form);
    other->SetParent(Form);
    other->SetBounds(300, 10, 100, 100);
    other->ListBox()->SetFocus();
    Driver.ProcessMessages();
    EXPECT_EQ(ListPixel(180, 18), Px(cActive));
}

TEST_F(ListBox, OwnerDrawingReplacesTheItemText)
{
    MakeBox(false);
    AddItems(2);
    std::vector<int> drawn;
    Box->OnDrawItem = [&](TCanvas* c, int index, int w, int h, TRect text, TOwnerDrawState) {
        drawn.push_back(index);
        EXPECT_EQ(text, Rect(0, 0, w, h));
        c->Brush()->SetColor(clRed);
        c->FillRect(Rect(0, 0, w, h));
    };
    ShowForm();
    EXPECT_EQ(drawn.size(), 2u);
    EXPECT_EQ(ListPixel(10, 25), Px(clRed));
}

TEST_F(ListBox, AnEntryWithoutItemPicturesFallsBackToTheDefaultItemHeight)
{
    MakeBox(true, 200, 150);
    Box->SetSkinDataName("noitems");
    Box->RefreshSkin();
    EXPECT_EQ(Box->ListBox()->ItemHeight(), 20);
    AddItems(10);
    EXPECT_NE(Box->VScrollBar(), nullptr);
    ShowForm();
}

TEST_F(ListBox, GarbledTabWidthsCountAsNothing)
{
    MakeBox(false);
    Box->TabWidths()->Add("abc");
    Box->TabWidths()->Add("");
    Box->TabWidths()->Add("99999999999999999999");
    Box->TabWidths()->Add("40");
    Box->Items()->Add("a\tb\tc\td");
    ShowForm();
    EXPECT_GT(CountOther(*this, Rect(12, 12, 118, 32), clWindow), 0);
}

// ---- dragging items out of the inner list ------------------------------------------------------------------

TEST_F(ListBox, ListBoxDragEvents_AreTheInnerListsWithTheListAsSender)
{
    MakeBox(false);
    AddItems(3);
    auto* other = new TskSkinListBox(Form);
    other->SetParent(Form);
    other->SetBounds(300, 10, 120, 120);
    Box->SetListBoxDragMode(dmAutomatic);
    EXPECT_EQ(Box->ListBox()->DragMode(), dmAutomatic);
    std::vector<std::string> seen;
    Box->OnListBoxStartDrag = [&](TObject* s, TDragObject*&) {
        seen.push_back(std::string("start") + (s == Box->ListBox() ? " list" : " ?"));
    };
    Box->OnListBoxEndDrag = [&](TObject* s, TObject* t, int, int) {
        seen.push_back(std::string("end") + (s == Box->ListBox() && t == other->ListBox() ? " list to other" : " ?"));
    };
    other->OnListBoxDragOver = [&](TObject* s, TObject* src, int, int, TDragState, bool& accept) {
        accept = s == other->ListBox() && src == Box->ListBox();
    };
    other->OnListBoxDragDrop = [&](TObject*, TObject* src, int, int y) {
        seen.push_back("drop item " + std::to_string(static_cast<TskListBox*>(src)->ItemIndex()) + " at row " +
            std::to_string(y / 20));
    };
    ShowForm();
    const TPoint from = InList(10, 25);
    const TPoint to = other->ListBox()->ClientToScreen(Point(10, 45));
    Driver.MoveTo(from);
    Driver.ButtonDown();
    for (int i = 1; i <= 4; ++i) Driver.MoveTo(Point(from.X + (to.X - from.X) * i / 4, from.Y + (to.Y - from.Y) * i / 4));
    Driver.ButtonUp();
    Driver.ProcessMessages();
    const std::vector<std::string> expected{"start list", "drop item 1 at row 2", "end list to other"};
    EXPECT_EQ(seen, expected);
    // Without a drag-over handler the frame's list takes no drops.
    bool accepted = true;
    Box->ListBox()->DragOver(other->ListBox(), 1, 1, dsDragMove, accepted);
    EXPECT_FALSE(accepted);
}

// ---- the form reader ---------------------------------------------------------------------------------------

TEST(ListBoxForm, StoredListBoxReadsItsItemsAndSelection)
{
    THeadlessDriver driver;
    RegisterSkinControlClasses();
    TForm form(nullptr);
    ReadComponentFromText(&form, R"(object F: TForm
  Width = 300
  Height = 200
  object Lb: TskSkinListBox
    Width = 150
    Height = 100
    Items.Strings = (
      'alpha'
      'beta')
    ItemIndex = 1
    CaptionMode = True
    DefaultCaptionHeight = 24
    ListBoxDragMode = dmAutomatic
    ListBoxDragKind = dkDrag
    ListBoxDragCursor = crHandPoint
  end
end
)");
    auto* lb = dynamic_cast<TskSkinListBox*>(form.FindComponent("Lb"));
    ASSERT_NE(lb, nullptr);
    EXPECT_EQ(lb->Items()->Count(), 2);
    EXPECT_EQ(lb->ItemIndex(), 1);
    EXPECT_TRUE(lb->CaptionMode());
    EXPECT_EQ(lb->ListBoxRect().Top, 25);
    EXPECT_EQ(lb->ListBox()->DragMode(), dmAutomatic);
    EXPECT_EQ(lb->ListBoxDragCursor(), crHandPoint);
}

// ---- what descendants take over ------------------------------------------------------------------------------

namespace {

// A list box that keeps the arrow keys from its inner list, as a drop-down list does with its own keys.
class TNoKeysListBox : public TskSkinListBox {
public:
    using TskSkinListBox::TskSkinListBox;

protected:
    void ListBoxWProc(TMessage& Message, bool& Handled) override
    {
        Handled = Message.Msg != WM_KEYDOWN;
    }
};

} // namespace

TEST_F(ListBox, AMessageADescendantLeavesUnhandledNeverReachesTheList)
{
    auto* box = new TNoKeysListBox(Form);
    box->SetParent(Form);
    box->SetBounds(10, 10, 120, 120);
    Box = box;
    AddItems(5);
    ShowForm();
    Driver.Click(InList(10, 5));
    EXPECT_EQ(Box->ItemIndex(), 0);
    Driver.Press(VK_DOWN);
    EXPECT_EQ(Box->ItemIndex(), 0);
    Driver.Click(InList(10, 45));
    EXPECT_EQ(Box->ItemIndex(), 2);
}
