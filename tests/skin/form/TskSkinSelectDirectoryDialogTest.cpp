#include "skin/form/TskSkinSelectDirectoryDialog.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "FrameTestSupport.h"
#include "tests/support/THeadlessDriver.h"
#include "tests/support/TScratchFolder.h"
#include "platform/vcl/Graphics.h"
#include "platform/vcl/TApplication.h"
#include "platform/win/Messages.h"
#include "platform/win/Window.h"
#include "skin/controls/TskSkinButton.h"
#include "skin/controls/TskSkinEdit.h"
#include "skin/controls/TskSkinSpeedButton.h"
#include "skin/data/TskSkinData.h"
#include "skin/form/TskFormFrame.h"
#include "skin/grids/TskCustomShellTreeView.h"

namespace {

namespace fs = std::filesystem;

// A temporary HOME whose documents folder has names with blanks and quotes.
struct TTempHome {
    TScratchFolder Scratch;
    fs::path Home = Scratch.Path();
    std::string OldHome;
    bool HadHome = false;

    TTempHome()
    {
        if (const char* h = ::getenv("HOME")) {
            HadHome = true;
            OldHome = h;
        }
        ::setenv("HOME", Home.c_str(), 1);
        fs::create_directories(Quoted() / "Disc 1");
        fs::create_directories(Docs() / "Empty Folder");
    }
    ~TTempHome()
    {
        if (HadHome)
            ::setenv("HOME", OldHome.c_str(), 1);
        else
            ::unsetenv("HOME");
    }
    fs::path Docs() const { return Home / "My Documents"; }
    fs::path Quoted() const { return Docs() / "Say \"Cheese\" Clips"; }
};

// Runs Execute with a "user" who acts once the modal loop is running: the action is posted when the
// dialog opens, so it runs from inside ShowModal, exactly as a person's click would.
struct SelectDirectoryDialog : ::testing::Test {
    THeadlessDriver Driver;
    TTempHome Temp;
    TskSkinSelectDirectoryDialog Dialog{nullptr};
    std::function<void(TskSelDirDlgForm&)> User;
    static constexpr UINT kUserActs = WM_USER + 611;

    void SetUp() override
    {
        Dialog.OnShow = [this](TObject*) { PostMessage(Application->Handle(), kUserActs, 0, 0); };
        Application->OnMessage = [this](TMsg& m, bool& handled) {
            if (m.message != kUserActs) return;
            handled = true;
            ASSERT_NE(Dialog.Form(), nullptr);
            User(*Dialog.Form());
        };
    }
    void TearDown() override { Application->OnMessage = nullptr; }

    void ClickOn(TControl* C) { Driver.Click(C->ClientToScreen({C->Width() / 2, C->Height() / 2})); }
    void PressOk(TskSelDirDlgForm& F) { ClickOn(F.OkButton); }
};

// ---- Choosing ----

TEST_F(SelectDirectoryDialog, OpensAtDirectory_AndOkReturnsTheFolderSelectedThen)
{
    Dialog.SetDirectory(Temp.Quoted().string());
    std::string shown;
    User = [&](TskSelDirDlgForm& F) {
        shown = F.DirTreeView->Path();
        F.DirTreeView->SetPath((Temp.Quoted() / "Disc 1").string());
        PressOk(F);
    };
    EXPECT_TRUE(Dialog.Execute());
    EXPECT_EQ(shown, Temp.Quoted().string());
    EXPECT_EQ(Dialog.Directory(), (Temp.Quoted() / "Disc 1").string());
}

TEST_F(SelectDirectoryDialog, CancelKeepsDirectory_ButStoresTheWindowSize)
{
    Dialog.SetDirectory(Temp.Quoted().string());
    Dialog.SetDialogWidth(333);
    Dialog.SetDialogHeight(250);
    int okWidth = 0;
    User = [&](TskSelDirDlgForm& F) {
        okWidth = F.ClientWidth();
        F.DirTreeView->SetPath(Temp.Docs().string());
        F.SetClientWidth(360);
        ClickOn(F.CancelButton);
    };
    EXPECT_FALSE(Dialog.Execute());
    EXPECT_EQ(okWidth, 333);
    EXPECT_EQ(Dialog.Directory(), Temp.Quoted().string());
    EXPECT_EQ(Dialog.DialogWidth(), 360);
    EXPECT_EQ(Dialog.DialogHeight(), 250);
}

TEST_F(SelectDirectoryDialog, EnterPressesOk_AndEscapePressesCancel)
{
    Dialog.SetDirectory(Temp.Docs().string());
    User = [&](TskSelDirDlgForm&) { Driver.Press(VK_RETURN); };
    EXPECT_TRUE(Dialog.Execute());
    EXPECT_EQ(Dialog.Directory(), Temp.Docs().string());
    User = [&](TskSelDirDlgForm& F) {
        F.DirTreeView->SetPath(Temp.Quoted().string());
        Driver.Press(VK_ESCAPE);
    };
    EXPECT_FALSE(Dialog.Execute());
    EXPECT_EQ(Dialog.Directory(), Temp.Docs().string());
}

TEST_F(SelectDirectoryDialog, MissingDirectoryOpensAtTheComputerFolder)
{
    Dialog.SetDirectory((Temp.Docs() / "Gone \"Away\"").string());
    std::string shown = "unset";
    bool expanded = false;
    User = [&](TskSelDirDlgForm& F) {
        shown = F.DirTreeView->Path();
        expanded = F.DirTreeView->Selected() && F.DirTreeView->Selected()->Expanded();
        PressOk(F);
    };
    EXPECT_TRUE(Dialog.Execute());
    EXPECT_TRUE(expanded);
    // Whatever was selected comes back; the missing folder is not kept.
    EXPECT_EQ(Dialog.Directory(), shown);
    EXPECT_NE(Dialog.Directory(), (Temp.Docs() / "Gone \"Away\"").string());
}

// ---- The window ----

TEST_F(SelectDirectoryDialog, WindowHasTitle_DefaultSize_AndNoCaptionButtons)
{
    Dialog.SetTitle("Pick \"a\" folder");
    std::string caption;
    int w = 0, h = 0;
    bool anyIcon = true;
    User = [&](TskSelDirDlgForm& F) {
        caption = F.Caption();
        w = F.ClientWidth();
        h = F.ClientHeight();
        anyIcon = F.Frame->BorderIcons() != TskBorderIcons{};
        ClickOn(F.CancelButton);
    };
    Dialog.Execute();
    EXPECT_EQ(caption, "Pick \"a\" folder");
    EXPECT_EQ(w, 280);
    EXPECT_EQ(h, 280);
    EXPECT_FALSE(anyIcon);
    EXPECT_EQ(Dialog.DialogWidth(), 280);
}

TEST_F(SelectDirectoryDialog, SkinnedFrameWiderThanTheDefaultSizeWins)
{
    frametest::TFrameSkin skin("formminwidth=300\n");
    Dialog.SetSkinData(skin.Skin.get());
    int w = 0;
    TskSkinData* frameSkin = nullptr;
    User = [&](TskSelDirDlgForm& F) {
        w = F.ClientWidth();
        frameSkin = F.Frame->SkinData();
        ClickOn(F.CancelButton);
    };
    Dialog.Execute();
    EXPECT_EQ(frameSkin, skin.Skin.get());
    EXPECT_EQ(w, 300);
}

TEST_F(SelectDirectoryDialog, EventsFireInOrder_AndTheFormIsGoneAfterwards)
{
    std::vector<std::string> events;
    auto show = Dialog.OnShow;
    Dialog.OnShow = [&](TObject* S) {
        events.push_back("show");
        show(S);
    };
    Dialog.OnAccept = [&](TObject*) { events.push_back("accept " + Dialog.Directory()); };
    Dialog.OnClose = [&](TObject*) { events.push_back("close"); };
    Dialog.SetDirectory(Temp.Docs().string());
    User = [&](TskSelDirDlgForm& F) { PressOk(F); };
    EXPECT_TRUE(Dialog.Execute());
    EXPECT_EQ(events, (std::vector<std::string>{"show", "accept " + Temp.Docs().string(), "close"}));
    EXPECT_EQ(Dialog.Form(), nullptr);

    events.clear();
    User = [&](TskSelDirDlgForm& F) { ClickOn(F.CancelButton); };
    EXPECT_FALSE(Dialog.Execute());
    EXPECT_EQ(events, (std::vector<std::string>{"show", "close"}));
}

// ---- Tool bar ----

TEST_F(SelectDirectoryDialog, PathEditFollowsTheTree_AndEnterInItSelectsAnExistingFolder)
{
    Dialog.SetShowToolBar(true);
    Dialog.SetDirectory(Temp.Docs().string());
    std::string editAtOpen, afterMissing, afterTyped;
    bool stillOpen = false;
    User = [&](TskSelDirDlgForm& F) {
        editAtOpen = F.PathEdit->Text();
        F.PathEdit->SetFocus();
        F.PathEdit->SetText((Temp.Docs() / "No Such").string());
        Driver.Press(VK_RETURN);
        afterMissing = F.DirTreeView->Path();
        stillOpen = F.ModalResult() == mrNone;
        F.PathEdit->SetText(Temp.Quoted().string());
        Driver.Press(VK_RETURN);
        afterTyped = F.DirTreeView->Path();
        ClickOn(F.CancelButton);
    };
    // Enter in the edit picks a folder there; it never answers the dialog.
    EXPECT_FALSE(Dialog.Execute());
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(editAtOpen, Temp.Docs().string());
    EXPECT_EQ(afterMissing, Temp.Docs().string());
    EXPECT_EQ(afterTyped, Temp.Quoted().string());
}

TEST_F(SelectDirectoryDialog, NewFolderButtonMakesNewFolderOnceAndListsIt)
{
    Dialog.SetShowToolBar(true);
    Dialog.SetDirectory(Temp.Quoted().string());
    int children = -1, childrenAgain = -1;
    User = [&](TskSelDirDlgForm& F) {
        ClickOn(F.NewFolderButton);
        children = F.DirTreeView->Selected()->Count();
        ClickOn(F.NewFolderButton);
        childrenAgain = F.DirTreeView->Selected()->Count();
        ClickOn(F.CancelButton);
    };
    Dialog.Execute();
    EXPECT_TRUE(fs::is_directory(Temp.Quoted() / "New Folder"));
    EXPECT_EQ(children, 2);
    EXPECT_EQ(childrenAgain, 2);
    EXPECT_FALSE(fs::exists(Temp.Quoted() / "New Folder (2)"));
}

// ---- Component ----

TEST(SelectDirectoryDialogComponent, FreeingASkinClearsTheReference_AndFontIsCopied)
{
    TskSkinSelectDirectoryDialog d(nullptr);
    auto* skin = new TskSkinData(nullptr);
    d.SetSkinData(skin);
    d.SetCtrlSkinData(skin);
    delete skin;
    EXPECT_EQ(d.SkinData(), nullptr);
    EXPECT_EQ(d.CtrlSkinData(), nullptr);
    TFont f;
    f.SetName("DejaVu Sans");
    d.SetDefaultFont(&f);
    f.SetName("Other");
    EXPECT_EQ(d.DefaultFont()->Name(), "DejaVu Sans");
}

} // namespace
