#include "platform/vcl/TCustomEdit.h"

#include <gtest/gtest.h>

#include "tests/support/THeadlessDriver.h"
#include "platform/vcl/TForm.h"

namespace {

struct EditFixture : ::testing::Test {
    THeadlessDriver Driver;
    TForm* Form = nullptr;
    TEdit* Edit = nullptr;
    int Changes = 0;
    void SetUp() override
    {
        Form = new TForm(nullptr);
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(0, 0, 300, 100);
        Edit = new TEdit(Form);
        Edit->SetParent(Form);
        Edit->SetBounds(10, 10, 200, 24);
        Edit->OnChange = [this](TObject*) { ++Changes; };
        Form->Show();
        Driver.ProcessMessages();
        Edit->SetFocus();
        Driver.ProcessMessages();
    }
    void TearDown() override { Form->Free(); }
};

} // namespace

using TCustomEditTyping = EditFixture;

TEST_F(TCustomEditTyping, TypedTextIsInsertedAtTheCaretAndFiresOnChange)
{
    Driver.Type("hello");
    EXPECT_EQ(Edit->Text(), "hello");
    EXPECT_EQ(Changes, 5);
    EXPECT_TRUE(Edit->Modified());
    Driver.Press(VK_LEFT);
    Driver.Press(VK_LEFT);
    Driver.Type("X");
    EXPECT_EQ(Edit->Text(), "helXlo");
    Driver.Press(VK_BACK);
    Driver.Press(VK_DELETE);
    EXPECT_EQ(Edit->Text(), "helo");
}

TEST_F(TCustomEditTyping, MaxLengthCharCaseAndReadOnlyLimitTyping)
{
    Edit->SetMaxLength(3);
    Edit->SetCharCase(ecUpperCase);
    Driver.Type("abcd");
    EXPECT_EQ(Edit->Text(), "ABC");
    Edit->SetReadOnly(true);
    Driver.Press(VK_BACK);
    Driver.Type("z");
    EXPECT_EQ(Edit->Text(), "ABC");
}

TEST_F(TCustomEditTyping, SettingTextFromCodeFiresOnChangeButCannotBeUndone)
{
    Edit->SetText("abc");
    EXPECT_EQ(Changes, 1);
    EXPECT_FALSE(Edit->CanUndo());
    EXPECT_FALSE(Edit->Modified());
    Edit->SetText("abc");
    EXPECT_EQ(Changes, 1);
}

using TCustomEditSelection = EditFixture;

TEST_F(TCustomEditSelection, ShiftArrowsSelectAndTypingReplacesTheSelection)
{
    Edit->SetText("one two");
    Edit->SetSelStart(7);
    Driver.Press(VK_LEFT, true);
    Driver.Press(VK_LEFT, true);
    Driver.Press(VK_LEFT, true);
    EXPECT_EQ(Edit->SelStart(), 4);
    EXPECT_EQ(Edit->SelLength(), 3);
    EXPECT_EQ(Edit->SelText(), "two");
    Driver.Type("2");
    EXPECT_EQ(Edit->Text(), "one 2");
    Driver.Press(VK_HOME, true);
    EXPECT_EQ(Edit->SelLength(), 5);
}

TEST_F(TCustomEditSelection, MouseDragSelectsAndDoubleClickTakesAWord)
{
    Edit->SetText("alpha beta");
    const TPoint origin = Edit->ClientToScreen({0, 0});
    const TPoint start = Edit->PosFromChar(0);
    const TPoint end = Edit->PosFromChar(5);
    Driver.Drag({origin.X + start.X + 1, origin.Y + 5}, {origin.X + end.X, origin.Y + 5});
    EXPECT_EQ(Edit->SelStart(), 0);
    EXPECT_EQ(Edit->SelText(), "alpha");
    const TPoint inBeta = Edit->PosFromChar(8);
    Driver.DoubleClick({origin.X + inBeta.X, origin.Y + 5});
    EXPECT_EQ(Edit->SelText(), "beta");
}

TEST_F(TCustomEditSelection, SelectionMessagesMatchTheProperties)
{
    Edit->SetText("abcdef");
    Edit->Perform(EM_SETSEL, 1, 4);
    EXPECT_EQ(Edit->SelText(), "bcd");
    DWORD s = 0, e = 0;
    Edit->Perform(EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
    EXPECT_EQ(s, 1u);
    EXPECT_EQ(e, 4u);
    Edit->Perform(EM_SETSEL, 2, -1);
    EXPECT_EQ(Edit->SelText(), "cdef");
    Edit->SelectAll();
    EXPECT_EQ(Edit->SelLength(), 6);
}

using TCustomEditClipboard = EditFixture;

TEST_F(TCustomEditClipboard, CutCopyPasteRoundTripAndUndo)
{
    Edit->SetText("copy me");
    Edit->SelectAll();
    Driver.Press('C', false, true);
    EXPECT_EQ(GetClipboardText(), "copy me");
    Edit->SetSelStart(4);
    Edit->SetSelLength(3);
    Driver.Press('X', false, true);
    EXPECT_EQ(Edit->Text(), "copy");
    EXPECT_EQ(GetClipboardText(), " me");
    Driver.Press(VK_END);
    Driver.Press('V', false, true);
    Driver.Press('V', false, true);
    EXPECT_EQ(Edit->Text(), "copy me me");
    Driver.Press('Z', false, true);
    EXPECT_EQ(Edit->Text(), "copy me");
    Driver.Press('Z', false, true); // undoing the undo gives the edit back
    EXPECT_EQ(Edit->Text(), "copy me me");
}

TEST_F(TCustomEditClipboard, PasswordsAreNotCopiedAndPasteStopsAtALineBreak)
{
    SetClipboardText("before");
    Edit->SetPasswordChar('*');
    Edit->SetText("secret");
    Edit->SelectAll();
    Edit->CopyToClipboard();
    EXPECT_EQ(GetClipboardText(), "before");
    Edit->SetPasswordChar(0);
    SetClipboardText("line one\r\nline two");
    Edit->SelectAll();
    Edit->PasteFromClipboard();
    EXPECT_EQ(Edit->Text(), "line one");
}

TEST(TCustomEditFormat, MarginsAndFormattingRectPlaceTheText)
{
    THeadlessDriver driver;
    TForm form(nullptr);
    auto* edit = new TEdit(&form);
    edit->SetParent(&form);
    edit->SetBounds(0, 0, 100, 20);
    edit->Perform(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(5, 7));
    TRect r;
    edit->Perform(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&r));
    EXPECT_EQ(r.Left, 5);
    EXPECT_EQ(r.Right, edit->ClientWidth() - 7);
    TRect custom = Rect(20, 2, 60, 18);
    edit->Perform(EM_SETRECT, 0, reinterpret_cast<LPARAM>(&custom));
    EXPECT_EQ(edit->FormattingRect(), custom);
    edit->SetText("x");
    EXPECT_EQ(edit->PosFromChar(0).X, 20);
    edit->SetAlignment(taRightJustify);
    EXPECT_EQ(edit->PosFromChar(1).X, 60);
}
