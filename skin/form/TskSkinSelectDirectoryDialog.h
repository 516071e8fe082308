#pragma once
// The skinned folder picker. TskSkinSelectDirectoryDialog is a non-visual component: each Execute
// builds a TskSelDirDlgForm in code (a skinned window with a folder tree, an optional tool panel with
// a path edit and a new-folder button, and an OK/Cancel row), shows it modally and frees it again.
// Directory is both the folder shown first and, after OK, the folder chosen; the window's client size
// is kept between calls so the next Execute opens as the user left it.
#include <functional>
#include <memory>
#include <string>

#include "platform/rtl/Types.h"
#include "platform/vcl/TComponent.h"
#include "platform/vcl/TForm.h"
#include "skin/form/TskSkinDialogComponent.h"

class TFont;
class TskFormFrame;
class TskSkinBevel;
class TskSkinButton;
class TskSkinData;
class TskSkinDirTreeView;
class TskSkinEdit;
class TskSkinPanel;
class TskSkinScrollBar;
class TskSkinSpeedButton;
class TTreeNode;

// The window of the dialog. Made only by TskSkinSelectDirectoryDialog::Execute; public so that a caller
// (or a test) can reach its controls while it is shown.
class TskSelDirDlgForm : public TForm {
public:
    TskSelDirDlgForm(TComponent* AOwner, bool AToolButtonsTransparent, bool AShowToolBar, TskSkinData* ACtrlSkinData);

    TskFormFrame* Frame = nullptr;
    TskSkinPanel* ToolPanel = nullptr;       // nullptr without the tool bar
    TskSkinSpeedButton* NewFolderButton = nullptr;
    TskSkinBevel* ToolSpacer = nullptr;
    TskSkinEdit* PathEdit = nullptr;
    TskSkinPanel* MainPanel = nullptr;
    TskSkinScrollBar* VScrollBar = nullptr;
    TskSkinScrollBar* HScrollBar = nullptr;
    TskSkinDirTreeView* DirTreeView = nullptr;
    TskSkinPanel* ButtonPanel = nullptr;
    TskSkinButton* OkButton = nullptr;
    TskSkinButton* CancelButton = nullptr;

    // Selects Dir in the tree when it names an existing folder; false (and nothing changes) otherwise.
    bool SelectExistingDirectory(const std::string& Dir);
    // The tool button's job: makes "New Folder" in the selected folder and lists it there.
    void CreateNewFolder();

private:
    void TreeChange(TObject* Sender, TTreeNode* Node);
    void PathEditKeyPress(TObject* Sender, TKeyChar& Key);
    TskSkinData* FCtrlSkinData = nullptr;
};

class TskSkinSelectDirectoryDialog : public TskSkinDialogComponent {
public:
    explicit TskSkinSelectDirectoryDialog(TComponent* AOwner);
    ~TskSkinSelectDirectoryDialog() override;

    // Shows the window modally; true when the user chose OK, and Directory then holds the choice.
    bool Execute();

    // ---- Published properties (besides the shared ones) ----
    const std::string& Directory() const { return FDirectory; }
    void SetDirectory(const std::string& Value) { FDirectory = Value; }
    bool ShowToolBar() const { return FShowToolBar; }
    void SetShowToolBar(bool Value) { FShowToolBar = Value; }
    bool ToolButtonsTransparent() const { return FToolButtonsTransparent; }
    void SetToolButtonsTransparent(bool Value) { FToolButtonsTransparent = Value; }

    // The window while Execute runs, else nullptr.
    TskSelDirDlgForm* Form() const { return FForm; }

private:
    // The window's frame, skins, fonts, starting folder and size.
    void Configure(TskSelDirDlgForm& Form);

    std::string FDirectory;
    bool FShowToolBar = false;
    bool FToolButtonsTransparent = false;
    TskSelDirDlgForm* FForm = nullptr;
};

// Tells the form reader about TskSkinSelectDirectoryDialog.
void RegisterSelectDirectoryDialogClasses();
