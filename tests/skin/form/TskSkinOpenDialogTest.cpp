#include "skin/form/TskSkinOpenDialog.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "tests/support/THeadlessDriver.h"
#include "tests/support/TScratchFolder.h"
#include "platform/rtl/Files.h"
#include "platform/vcl/TApplication.h"
#include "platform/vcl/TScreen.h"
#include "platform/win/Input.h"
#include "platform/win/Messages.h"
#include "platform/win/Window.h"
#include "skin/controls/TskSkinButton.h"
#include "skin/controls/TskSkinEdit.h"
#include "skin/controls/TskSkinSpeedButton.h"
#include "skin/controls/TskSkinStdLabel.h"
#include "skin/grids/TskCustomShellListView.h"
#include "skin/grids/TskSkinFilterComboBox.h"
#include "skin/form/TskSkinMessage.h"

namespace {

namespace fs = std::filesystem;

// A temporary HOME with a folder of clips whose names have blanks and quotes:
//   Clips/  a "one".avi  b two.avi  c three.mkv  notes.txt  Sub/ (d four.avi)  Sub Two/
struct TTempClips {
    TScratchFolder Scratch;
    fs::path Home = Scratch.Path();
    std::string OldHome;
    bool HadHome = false;

    TTempClips()
    {
        if (const char* h = ::getenv("HOME")) {
            HadHome = true;
            OldHome = h;
        }
        ::setenv("HOME", Home.c_str(), 1);
        fs::create_directories(Clips() / "Sub");
        fs::create_directories(Clips() / "Sub Two");
        for (const char* name : {"a \"one\".avi", "b two.avi", "c three.mkv", "notes.txt"})
            std::ofstream(Clips() / name) << name;
        std::ofstream(Clips() / "Sub" / "d four.avi") << "d";
    }
    ~TTempClips()
    {
        if (HadHome)
            ::setenv("HOME", OldHome.c_str(), 1);
        else
            ::unsetenv("HOME");
    }
    fs::path Clips() const { return Home / "Clips"; }
    std::string Clip(const std::string& Name) const { return (Clips() / Name).string(); }
};

// Runs Execute with a "user" who acts once the modal loop is running: the action is posted when the
// dialog opens, so it runs from inside ShowModal, exactly as a person's clicks would. Each step of
// the user is one posted message, so the window has handled the previous step before the next.
struct OpenDialog : ::testing::Test {
    THeadlessDriver Driver;
    TTempClips Temp;
    TskSkinOpenDialog Dialog{nullptr};
    std::vector<std::function<void(TskOpenDlgForm&)>> Steps;
    std::size_t NextStep = 0;
    static constexpr UINT kUserActs = WM_USER + 612;

    void SetUp() override
    {
        Dialog.SetInitialDir(Temp.Clips().string());
        Dialog.SetFilter("Videos|*.avi;*.mkv|All files|*.*");
        Dialog.OnShow = [this](TObject*) {
            NextStep = 0;
            PostMessage(Application->Handle(), kUserActs, 0, 0);
        };
        Application->OnMessage = [this](TMsg& m, bool& handled) {
            if (m.message != kUserActs) return;
            handled = true;
            ASSERT_NE(Dialog.Form(), nullptr);
            if (NextStep >= Steps.size()) {
                // A user who has run out of steps closes the window.
                Dialog.Form()->SetModalResult(mrCancel);
                return;
            }
            Steps[NextStep++](*Dialog.Form());
            PostMessage(Application->Handle(), kUserActs, 0, 0);
        };
    }
    void TearDown() override
    {
        Application->OnMessage = nullptr;
        Application->OnIdle = nullptr;
    }

    void ClickOn(TControl* C) { Driver.Click(C->ClientToScreen({C->Width() / 2, C->Height() / 2})); }
    int RowOf(TskOpenDlgForm& F, const std::string& Name)
    {
        for (int i = 0; i < F.FileList->Items()->Count(); ++i)
            if (F.FileList->Folders(i)->DisplayName() == Name) return i;
        ADD_FAILURE() << "no row " << Name;
        return -1;
    }
    void ClickRow(TskOpenDlgForm& F, const std::string& Name, WORD Modifier = 0)
    {
        const TRect r = F.FileList->ItemRect(RowOf(F, Name));
        Driver.AdvanceClock(1000); // separate clicks, never a double click
        if (Modifier) Driver.KeyDown(Modifier);
        Driver.Click(F.FileList->ClientToScreen({r.Left + 8, (r.Top + r.Bottom) / 2}));
        if (Modifier) Driver.KeyUp(Modifier);
    }
    void TypeName(TskOpenDlgForm& F, const std::string& Text)
    {
        F.FileNameEdit->SetFocus();
        F.FileNameEdit->SetText("");
        Driver.Type(Text);
    }
    std::vector<std::string> Files() const
    {
        std::vector<std::string> files;
        for (int i = 0; i < Dialog.Files()->Count(); ++i) files.push_back(Dialog.Files()->Strings(i));
        return files;
    }
    std::vector<std::string> Rows(TskOpenDlgForm& F)
    {
        std::vector<std::string> rows;
        for (int i = 0; i < F.FileList->Items()->Count(); ++i) rows.push_back(F.FileList->Folders(i)->DisplayName());
        return rows;
    }
};

// ---- Choosing files ----

TEST_F(OpenDialog, CtrlAndShiftClicks_ChooseSeveralFilesInRowOrder)
{
    Dialog.SetMultiSelection(true);
    Steps = {
        [&](TskOpenDlgForm& F) { ClickRow(F, "a \"one\".avi"); },
        [&](TskOpenDlgForm& F) { ClickRow(F, "c three.mkv", VK_SHIFT); },
        // Ctrl takes one back out of the run, and a folder row among them is no file.
        [&](TskOpenDlgForm& F) { ClickRow(F, "b two.avi", VK_CONTROL); },
        [&](TskOpenDlgForm& F) { ClickRow(F, "Sub", VK_CONTROL); },
        [&](TskOpenDlgForm& F) { ClickRow(F, "c three.mkv", VK_CONTROL); },
        [&](TskOpenDlgForm& F) { ClickRow(F, "c three.mkv", VK_CONTROL); },
        [&](TskOpenDlgForm& F) { ClickOn(F.OpenButton); },
    };
    ASSERT_TRUE(Dialog.Execute());
    EXPECT_EQ(Files(), (std::vector<std::string>{Temp.Clip("a \"one\".avi"), Temp.Clip("c three.mkv")}));
    EXPECT_EQ(Dialog.FileName(), Temp.Clip("c three.mkv"));
}

TEST_F(OpenDialog, SeveralFilesChosen_FileNameShowsEveryNameInDoubleQuotes)
{
    Dialog.SetMultiSelection(true);
    std::vector<std::string> shown;
    const auto see = [&](TskOpenDlgForm& F) { shown.push_back(F.FileNameEdit->Text()); };
    Steps = {
        [&](TskOpenDlgForm& F) { ClickRow(F, "a \"one\".avi"); }, see,
        [&](TskOpenDlgForm& F) { ClickRow(F, "c three.mkv", VK_SHIFT); }, see,
        [&](TskOpenDlgForm& F) { ClickRow(F, "b two.avi", VK_CONTROL); }, see,
        [&](TskOpenDlgForm& F) { ClickRow(F, "c three.mkv", VK_CONTROL); }, see,
    };
    EXPECT_FALSE(Dialog.Execute());
    EXPECT_EQ(shown, (std::vector<std::string>{"a \"one\".avi", "\"a \"one\".avi\" \"b two.avi\" \"c three.mkv\"",
                         "\"a \"one\".avi\" \"c three.mkv\"", "a \"one\".avi"}));
}

TEST_F(OpenDialog, FilterListsFoldersAndBothPatterns_AndTheOtherFilterAllFiles)
{
    std::vector<std::string> videos, all;
    Steps = {
        [&](TskOpenDlgForm& F) { videos = Rows(F); F.FilterBox->SetItemIndex(1); },
        [&](TskOpenDlgForm& F) { all = Rows(F); },
    };
    EXPECT_FALSE(Dialog.Execute());
    EXPECT_EQ(videos, (std::vector<std::string>{"Sub", "Sub Two", "a \"one\".avi", "b two.avi", "c three.mkv"}));
    EXPECT_EQ(all.size(), 6u);
    // The filter chosen last comes back, also after Cancel.
    EXPECT_EQ(Dialog.FilterIndex(), 2);
}

TEST_F(OpenDialog, FilterIndexZero_ListsFoldersOnly)
{
    Dialog.SetFilterIndex(0);
    std::vector<std::string> rows;
    Steps = {[&](TskOpenDlgForm& F) { rows = Rows(F); }};
    EXPECT_FALSE(Dialog.Execute());
    EXPECT_EQ(rows, (std::vector<std::string>{"Sub", "Sub Two"}));
    EXPECT_EQ(Dialog.FilterIndex(), 0);
}

TEST_F(OpenDialog, TypedNameWithNoRowSelected_IsTheOneFileChosen)
{
    Steps = {
        [&](TskOpenDlgForm& F) { TypeName(F, "b two.avi"); },
        [&](TskOpenDlgForm&) { Driver.Press(VK_RETURN); },
    };
    ASSERT_TRUE(Dialog.Execute());
    EXPECT_EQ(Dialog.FileName(), Temp.Clip("b two.avi"));
    EXPECT_EQ(Files(), std::vector<std::string>{Temp.Clip("b two.avi")});
}

TEST_F(OpenDialog, TypedPaths_RelativeToTheListedFolder_AbsoluteAsTheyStand)
{
    Steps = {
        [&](TskOpenDlgForm& F) { TypeName(F, "Sub/d four.avi"); },
        [&](TskOpenDlgForm& F) { ClickOn(F.OpenButton); },
    };
    ASSERT_TRUE(Dialog.Execute());
    EXPECT_EQ(Files(), std::vector<std::string>{Temp.Clip("Sub/d four.avi")});

    const std::string outside = (Temp.Home / "far away.mkv").string();
    std::ofstream(outside) << "x";
    Steps = {
        [&](TskOpenDlgForm& F) { TypeName(F, outside); },
        [&](TskOpenDlgForm& F) { ClickOn(F.OpenButton); },
    };
    ASSERT_TRUE(Dialog.Execute());
    EXPECT_EQ(Files(), std::vector<std::string>{outside});

    // Without an extension the filter's first one is tried; "../" climbs from the listed folder.
    Steps = {
        [&](TskOpenDlgForm& F) { F.FileList->SetRoot(Temp.Clip("Sub")); },
        [&](TskOpenDlgForm& F) { TypeName(F, "../b two"); },
        [&](TskOpenDlgForm&) { Driver.Press(VK_RETURN); },
    };
    ASSERT_TRUE(Dialog.Execute());
    EXPECT_EQ(Files(), std::vector<std::string>{Temp.Clip("b two.avi")});
}

TEST_F(OpenDialog, TypedMissingFile_LeavesTheWindowOpenAndShowsNothing)
{
    bool stillOpen = false;
    Steps = {
        [&](TskOpenDlgForm& F) { TypeName(F, "no such clip.avi"); },
        [&](TskOpenDlgForm& F) { ClickOn(F.OpenButton); },
        [&](TskOpenDlgForm& F) { stillOpen = F.Visible() && F.ModalResult() == mrNone; },
    };
    EXPECT_FALSE(Dialog.Execute());
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(Dialog.Files()->Count(), 0);
}

TEST_F(OpenDialog, EnterOnATypedFolderListsIt_OnAPatternFiltersByIt)
{
    std::string listed;
    std::vector<std::string> rows;
    Steps = {
        [&](TskOpenDlgForm& F) { TypeName(F, "Sub"); },
        [&](TskOpenDlgForm&) { Driver.Press(VK_RETURN); },
        [&](TskOpenDlgForm& F) {
            listed = F.ListedFolder();
            F.FileList->Back();
        },
        [&](TskOpenDlgForm& F) { TypeName(F, "*.mkv"); },
        [&](TskOpenDlgForm&) { Driver.Press(VK_RETURN); },
        [&](TskOpenDlgForm& F) { rows = Rows(F); },
    };
    EXPECT_FALSE(Dialog.Execute());
    EXPECT_EQ(listed, Temp.Clip("Sub"));
    EXPECT_EQ(rows, (std::vector<std::string>{"Sub", "Sub Two", "c three.mkv"}));
}

TEST_F(OpenDialog, DoubleClickOnAFolderListsIt_OnAFileChoosesIt)
{
    Steps = {
        [&](TskOpenDlgForm& F) {
            const TRect r = F.FileList->ItemRect(RowOf(F, "Sub"));
            Driver.DoubleClick(F.FileList->ClientToScreen({r.Left + 8, (r.Top + r.Bottom) / 2}));
        },
        [&](TskOpenDlgForm& F) {
            const TRect r = F.FileList->ItemRect(RowOf(F, "d four.avi"));
            Driver.DoubleClick(F.FileList->ClientToScreen({r.Left + 8, (r.Top + r.Bottom) / 2}));
        },
    };
    ASSERT_TRUE(Dialog.Execute());
    EXPECT_EQ(Dialog.FileName(), Temp.Clip("Sub/d four.avi"));
}

// ---- Folders ----

TEST_F(OpenDialog, FirstRowHasTheFocusMark_WhenOpenedAndAfterEachFolderChange)
{
    // The mark alone: nothing is selected, so the edit keeps what the user typed.
    auto marked = [](TskOpenDlgForm& F) { return std::pair{F.FileList->ItemIndex(), F.FileList->SelCount()}; };
    std::vector<std::pair<int, int>> seen;
    Steps = {
        [&](TskOpenDlgForm& F) { seen.push_back(marked(F)); },
        [&](TskOpenDlgForm& F) {
            ClickRow(F, "c three.mkv");
            F.FileList->SetRoot(Temp.Clip("Sub"));
            seen.push_back(marked(F));
        },
        [&](TskOpenDlgForm& F) {
            ClickOn(F.UpButton);
            seen.push_back(marked(F));
        },
        [&](TskOpenDlgForm& F) {
            F.FileList->SetRoot(Temp.Clip("Sub Two"));
            seen.push_back(marked(F));
        },
    };
    EXPECT_FALSE(Dialog.Execute());
    // "Sub Two" is empty: there is no row to mark.
    EXPECT_EQ(seen, (std::vector<std::pair<int, int>>{{0, 0}, {0, 0}, {0, 0}, {-1, 0}}));
}

TEST_F(OpenDialog, Back_ReturnsThroughTheFoldersVisited)
{
    std::vector<std::string> seen;
    auto note = [&](TskOpenDlgForm& F) { seen.push_back(F.ListedFolder()); };
    Steps = {
        [&](TskOpenDlgForm& F) { F.FileList->SetRoot(Temp.Clip("Sub")); },
        [&](TskOpenDlgForm& F) { F.FileList->SetRoot(Temp.Clip("Sub Two")); },
        [&](TskOpenDlgForm& F) { ClickOn(F.BackButton); },
        note,
        [&](TskOpenDlgForm& F) { ClickOn(F.BackButton); },
        note,
        // A new folder after going back: Back returns to where the user came from, not further.
        [&](TskOpenDlgForm& F) { F.FileList->SetRoot(Temp.Home.string()); },
        [&](TskOpenDlgForm& F) { ClickOn(F.BackButton); },
        note,
        [&](TskOpenDlgForm& F) { ClickOn(F.BackButton); },
        note,
    };
    EXPECT_FALSE(Dialog.Execute());
    EXPECT_EQ(seen, (std::vector<std::string>{Temp.Clip("Sub"), Temp.Clips().string(), Temp.Clips().string(),
                        Temp.Clips().string()}));
}

TEST_F(OpenDialog, UpListsTheParent_NewFolderMakesNumberedNamesItHasNotUsed)
{
    fs::create_directories(Temp.Clips() / "New Folder");
    std::string up;
    Steps = {
        [&](TskOpenDlgForm& F) { ClickOn(F.NewFolderButton); },
        [&](TskOpenDlgForm& F) { ClickOn(F.NewFolderButton); },
        [&](TskOpenDlgForm& F) {
            ClickOn(F.UpButton);
        },
        [&](TskOpenDlgForm& F) { up = F.ListedFolder(); },
    };
    EXPECT_FALSE(Dialog.Execute());
    EXPECT_EQ(up, Temp.Home.string());
    EXPECT_TRUE(fs::is_directory(Temp.Clips() / "New Folder(2)"));
    EXPECT_TRUE(fs::is_directory(Temp.Clips() / "New Folder(3)"));
}

TEST_F(OpenDialog, MissingFolders_OpenAtTheProgramsFolderWithoutAnError)
{
    const std::string programFolder = ExtractFileDir(Application->ExeName());
    std::string first, second;
    Dialog.SetInitialDir(Temp.Clip("gone"));
    Steps = {[&](TskOpenDlgForm& F) { first = F.ListedFolder(); }};
    EXPECT_NO_THROW(Dialog.Execute());
    Dialog.SetInitialDir(Temp.Clips().string());
    Dialog.SetFileName(Temp.Clip("gone/\"quoted\" clip.avi"));
    Steps = {[&](TskOpenDlgForm& F) { second = F.ListedFolder(); }};
    EXPECT_NO_THROW(Dialog.Execute());
    EXPECT_EQ(first, programFolder);
    EXPECT_EQ(second, programFolder);
}

// ---- The window ----

TEST_F(OpenDialog, OpensAtTheDefaultSize_AndKeepsTheSizeAndViewTheUserLeft)
{
    int width = 0, height = 0;
    Steps = {
        [&](TskOpenDlgForm& F) {
            width = F.ClientWidth();
            height = F.ClientHeight();
            F.SetClientWidth(520);
            F.ViewItems[3]->Click();
        },
    };
    EXPECT_FALSE(Dialog.Execute());
    EXPECT_EQ(width, 450);
    EXPECT_EQ(height, 290);
    EXPECT_EQ(Dialog.DialogWidth(), 520);
    EXPECT_EQ(Dialog.ListViewStyle(), vsReport);
    TViewStyle style = vsIcon;
    bool checked = false;
    Steps = {[&](TskOpenDlgForm& F) {
        style = F.FileList->ViewStyle();
        checked = F.ViewItems[3]->Checked() && !F.ViewItems[2]->Checked();
    }};
    EXPECT_FALSE(Dialog.Execute());
    EXPECT_EQ(style, vsReport);
    EXPECT_TRUE(checked);
}

TEST_F(OpenDialog, SaveMode_FilterChangeReplacesOnlyTheLastExtension)
{
    Dialog.SetSaveMode(true);
    Dialog.SetFilter("AVI|*.avi|Matroska|*.mkv");
    std::string shown;
    Steps = {
        [&](TskOpenDlgForm& F) { F.FileNameEdit->SetText("a.avi.cut.avi"); },
        [&](TskOpenDlgForm& F) { F.FilterBox->SetItemIndex(1); },
        [&](TskOpenDlgForm& F) { shown = F.FileNameEdit->Text(); },
        [&](TskOpenDlgForm& F) { TypeName(F, "new clip"); },
        [&](TskOpenDlgForm& F) { ClickOn(F.OpenButton); },
    };
    ASSERT_TRUE(Dialog.Execute());
    EXPECT_EQ(shown, "a.avi.cut.mkv");
    EXPECT_EQ(Dialog.FileName(), Temp.Clip("new clip.mkv"));
}

// Answers the next message box the way a person would: once the box's own modal loop has nothing
// left to do, the button named Answer is clicked and the box's text kept. The loop is kept turning
// while it waits, and after a bounded number of turns the box is shut, so a button the click misses
// fails the test instead of hanging it.
struct TBoxAnswerer {
    explicit TBoxAnswerer(THeadlessDriver& D) : Driver(D) {}
    THeadlessDriver& Driver;
    std::string Answer;
    std::string Asked;
    int Boxes = 0;
    int Turns = 0;
    bool Missed = false;

    void Install()
    {
        Application->OnIdle = [this](TObject*, bool& done) {
            TskMessageForm* box = nullptr;
            for (int i = 0; i < Screen->FormCount(); ++i)
                if (auto* f = dynamic_cast<TskMessageForm*>(Screen->Forms(i)); f != nullptr && f->Visible()) box = f;
            if (box == nullptr) return;
            done = false;
            if (++Turns > 100) {
                Missed = true;
                box->SetModalResult(mrCancel);
                return;
            }
            if (Turns > 1) return;
            ++Boxes;
            Asked = box->MessageLabel()->Caption();
            auto* button = dynamic_cast<TControl*>(box->FindComponent(Answer));
            ASSERT_NE(button, nullptr) << Answer;
            Driver.Click(button->ClientToScreen({button->Width() / 2, button->Height() / 2}));
        };
    }
};

// "b two.avi" is there: a Save of "b two" under the AVI filter asks first, whatever DefaultExt says.
struct OverwriteQuestion : OpenDialog {
    TBoxAnswerer Answerer{Driver};
    bool StillOpen = false;
    std::string Kept;

    bool SaveOverTheAvi(const char* Answer)
    {
        Dialog.SetSaveMode(true);
        Dialog.SetOverwritePromt(true);
        Dialog.SetDefaultExt("mkv");
        Dialog.SetFilter("AVI|*.avi");
        Answerer.Answer = Answer;
        Steps = {
            [&](TskOpenDlgForm& F) { TypeName(F, "b two"); },
            [&](TskOpenDlgForm& F) {
                Answerer.Install();
                ClickOn(F.OpenButton);
            },
            [&](TskOpenDlgForm& F) {
                StillOpen = F.Visible();
                Kept = F.FileNameEdit->Text();
            },
        };
        const bool returned = Dialog.Execute();
        EXPECT_EQ(Answerer.Boxes, 1);
        EXPECT_FALSE(Answerer.Missed);
        EXPECT_EQ(Answerer.Asked, "Do you want to overwrite old file?");
        return returned;
    }
};

TEST_F(OverwriteQuestion, Ok_ReturnsTheExistingFile)
{
    ASSERT_TRUE(SaveOverTheAvi("OK"));
    EXPECT_EQ(Dialog.FileName(), Temp.Clip("b two.avi"));
}

TEST_F(OverwriteQuestion, Cancel_KeepsTheDialogOpenWithTheTypedName)
{
    EXPECT_FALSE(SaveOverTheAvi("Cancel"));
    EXPECT_TRUE(StillOpen);
    EXPECT_EQ(Kept, "b two");
    EXPECT_EQ(Dialog.FileName(), "");
}

// The name the overwrite question looks at and the name Execute returns come from one rule: the
// filter's type first, then DefaultExt.
TEST_F(OpenDialog, SaveMode_TheFiltersTypeComesBeforeDefaultExt_ForTheQuestionAndTheResult)
{
    Dialog.SetSaveMode(true);
    Dialog.SetDefaultExt("mkv");
    Dialog.SetFilter("AVI|*.avi|Any|*.*");
    std::string asked, anyAsked;
    Steps = {
        [&](TskOpenDlgForm& F) { asked = F.FilterExtension(); },
        [&](TskOpenDlgForm& F) { F.FilterBox->SetItemIndex(1); },
        [&](TskOpenDlgForm& F) { anyAsked = F.FilterExtension(); },
        [&](TskOpenDlgForm& F) { F.FilterBox->SetItemIndex(0); },
        [&](TskOpenDlgForm& F) { TypeName(F, "new clip"); },
        [&](TskOpenDlgForm& F) { ClickOn(F.OpenButton); },
    };
    ASSERT_TRUE(Dialog.Execute());
    EXPECT_EQ(asked, ".avi");
    EXPECT_EQ(anyAsked, ".mkv");
    EXPECT_EQ(Dialog.FileName(), Temp.Clip("new clip.avi"));
    EXPECT_EQ(Files(), std::vector<std::string>{Temp.Clip("new clip.avi")});
}

} // namespace
