#pragma once
// The skinned file picker. TskSkinOpenDialog is a non-visual component: each Execute builds a
// TskOpenDlgForm in code (a tool bar with the "Look in" folder box and the back, up, new-folder and view
// buttons; the file list with two skinned bars; the file name edit, the file type box and the Open and
// Cancel buttons), shows it modally and frees it again. After OK, FileName holds the chosen file and
// Files every chosen file (the selected rows, or the one typed name). In save mode it names one file.
//
// Typed names: an absolute path is taken as it stands, a relative one ("clip.avi", "sub/clip.avi",
// "../clip.avi") against the folder listed; "~" and "~/..." are the home folder. Enter on a typed
// folder lists it, on a typed pattern ("*.mkv") filters the list by it.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/rtl/TStringList.h"
#include "platform/rtl/Types.h"
#include "platform/vcl/TComponent.h"
#include "platform/vcl/TCustomListView.h"
#include "platform/vcl/TForm.h"
#include "skin/form/TskSkinDialogComponent.h"
#include "skin/grids/ShellIdLists.h"

class TFont;
class TMenuItem;
class TskFormFrame;
class TskSkinBevel;
class TskSkinButton;
class TskSkinData;
class TskSkinEdit;
class TskSkinFileListView;
class TskSkinFilterComboBox;
class TskSkinMenuSpeedButton;
class TskSkinPanel;
class TskSkinPopupMenu;
class TskSkinScrollBar;
class TskSkinShellComboBox;
class TskSkinSpeedButton;
class TskSkinStdLabel;
class TskSkinToolBar;

// The window of the dialog. Made only by TskSkinOpenDialog::Execute; public so that a caller (or a
// test) can reach its controls while it is shown.
class TskOpenDlgForm : public TForm {
public:
    TskOpenDlgForm(TComponent* AOwner, bool AToolButtonsTransparent, TskSkinData* ACtrlSkinData, bool ASaveMode);
    ~TskOpenDlgForm() override;

    TskFormFrame* Frame = nullptr;
    TskSkinToolBar* ToolBar = nullptr;
    TskSkinBevel* LeftSpacer = nullptr;
    TskSkinStdLabel* LookInLabel = nullptr;
    TskSkinShellComboBox* FolderBox = nullptr;
    TskSkinBevel* RightSpacer = nullptr;
    TskSkinSpeedButton* BackButton = nullptr;
    TskSkinSpeedButton* UpButton = nullptr;
    TskSkinSpeedButton* NewFolderButton = nullptr;
    TskSkinMenuSpeedButton* ViewButton = nullptr;
    TskSkinPopupMenu* ViewMenu = nullptr;
    TMenuItem* ViewItems[4] = {}; // Large icons, Small icons, List, Details
    TskSkinPanel* BottomPanel = nullptr;
    TskSkinPanel* MainPanel = nullptr;
    TskSkinScrollBar* HScrollBar = nullptr;
    TskSkinScrollBar* VScrollBar = nullptr;
    TskSkinFileListView* FileList = nullptr;
    TskSkinStdLabel* FileNameLabel = nullptr;
    TskSkinStdLabel* FileTypeLabel = nullptr;
    TskSkinEdit* FileNameEdit = nullptr;
    TskSkinFilterComboBox* FilterBox = nullptr;
    TskSkinButton* OpenButton = nullptr;
    TskSkinButton* CancelButton = nullptr;

    // Copied in by Execute.
    bool CheckFileExists = true;
    bool OverwritePromt = false;
    std::string DefaultExt;
    TNotifyEvent OnFolderChange;
    // The frame's skin, for the overwrite question.
    TskSkinData* FrameSkinData = nullptr;

    // The file chosen by Open or a double click; "" until then.
    const std::string& ChosenFileName() const { return FChosenFileName; }
    // The folders visited, oldest first; the last is the one listed.
    int HistoryCount() const { return static_cast<int>(FFolderHistory.size()); }
    // The path of the folder listed.
    std::string ListedFolder() const;

    // The Open/Save button's job: closes with OK when the selection or the typed name is acceptable.
    void OpenClick();
    // Back to the folder visited before this one (nothing with only one visited).
    void GoBack();
    void GoUp();
    // Makes "New Folder" (or "New Folder(2)"...) in the folder listed and edits its name.
    void CreateNewFolder();
    void SetListViewStyle(TViewStyle Style);
    // The extension a saved name without one gets: the chosen filter's, else DefaultExt, else none.
    std::string FilterExtension();
    // Path with Ext added when Path has no extension of its own.
    static std::string WithExtension(const std::string& Path, const std::string& Ext);
    // Records the folder listed as visited (unless it is the last visited already).
    void PushHistory();
    // The first row, when there is one, gets the focus mark (not the selection).
    void FocusFirstRow();

private:
    bool SaveMode() const { return FSaveMode; }
    // A typed name as a full path: absolute as it stands, relative against the folder listed.
    std::string TypedPath(const std::string& Text) const;
    bool AskOverwrite();
    void Accept(const std::string& FileName);
    void EditKeyPress(TObject* Sender, TKeyChar& Key);
    void ListKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
    void ListDblClick(TObject* Sender);
    void ListChange(TObject* Sender);
    void ListPathChange(TObject* Sender);
    void FilterChange(TObject* Sender);

    bool FSaveMode = false;
    TskSkinData* FCtrlSkinData = nullptr;
    std::string FChosenFileName;
    std::vector<TItemIDList> FFolderHistory;
    bool FGoingBack = false;
};

class TskSkinOpenDialog : public TskSkinDialogComponent {
public:
    explicit TskSkinOpenDialog(TComponent* AOwner);
    ~TskSkinOpenDialog() override;

    // Shows the window modally; true when the user chose a file, FileName and Files then hold it.
    bool Execute();

    // ---- Published properties (besides the shared ones) ----
    const std::string& FileName() const { return FFileName; }
    // Also shown in the file name edit while the window is open.
    void SetFileName(const std::string& Value);
    const std::string& InitialDir() const { return FInitialDir; }
    void SetInitialDir(const std::string& Value) { FInitialDir = Value; }
    const std::string& Filter() const { return FFilter; }
    void SetFilter(const std::string& Value) { FFilter = Value; }
    int FilterIndex() const { return FFilterIndex; }
    void SetFilterIndex(int Value) { FFilterIndex = Value; }
    const std::string& DefaultExt() const { return FDefaultExt; }
    void SetDefaultExt(const std::string& Value) { FDefaultExt = Value; }
    bool CheckFileExists() const { return FCheckFileExists; }
    void SetCheckFileExists(bool Value) { FCheckFileExists = Value; }
    bool MultiSelection() const { return FMultiSelection; }
    void SetMultiSelection(bool Value) { FMultiSelection = Value; }
    bool OverwritePromt() const { return FOverwritePromt; }
    void SetOverwritePromt(bool Value) { FOverwritePromt = Value; }
    bool ShowHiddenFiles() const { return FShowHiddenFiles; }
    void SetShowHiddenFiles(bool Value) { FShowHiddenFiles = Value; }
    bool ToolButtonsTransparent() const { return FToolButtonsTransparent; }
    void SetToolButtonsTransparent(bool Value) { FToolButtonsTransparent = Value; }
    bool CtrlAlphaBlend() const { return FCtrlAlphaBlend; }
    void SetCtrlAlphaBlend(bool Value) { FCtrlAlphaBlend = Value; }
    BYTE CtrlAlphaBlendValue() const { return FCtrlAlphaBlendValue; }
    void SetCtrlAlphaBlendValue(BYTE Value) { FCtrlAlphaBlendValue = Value; }
    bool CtrlAlphaBlendAnimation() const { return FCtrlAlphaBlendAnimation; }
    void SetCtrlAlphaBlendAnimation(bool Value) { FCtrlAlphaBlendAnimation = Value; }
    const std::string& LVHeaderSkinDataName() const { return FLVHeaderSkinDataName; }
    void SetLVHeaderSkinDataName(const std::string& Value) { FLVHeaderSkinDataName = Value; }

    // ---- Public ----
    // The chosen files after OK, in row order.
    TStrings* Files() const { return FFiles.get(); }
    bool SaveMode() const { return FSaveMode; }
    void SetSaveMode(bool Value) { FSaveMode = Value; }
    TViewStyle ListViewStyle() const { return FListViewStyle; }
    void SetListViewStyle(TViewStyle Value) { FListViewStyle = Value; }

    // Any change of folder or selection in the window.
    TNotifyEvent OnFolderChange;

    // The window while Execute runs, else nullptr.
    TskOpenDlgForm* Form() const { return FForm; }

private:
    std::string FirstFolder() const;
    void Configure(TskOpenDlgForm& Form);

    std::string FFileName;
    std::string FInitialDir;
    std::string FFilter = "All files|*.*";
    int FFilterIndex = 1;
    std::string FDefaultExt;
    bool FCheckFileExists = true;
    bool FMultiSelection = false;
    bool FOverwritePromt = false;
    bool FShowHiddenFiles = false;
    bool FToolButtonsTransparent = false;
    bool FCtrlAlphaBlend = false;
    BYTE FCtrlAlphaBlendValue = 225;
    bool FCtrlAlphaBlendAnimation = false;
    std::string FLVHeaderSkinDataName = "resizebutton";
    std::unique_ptr<TStringList> FFiles;
    bool FSaveMode = false;
    TViewStyle FListViewStyle = vsList;
    TskOpenDlgForm* FForm = nullptr;
};

// Tells the form reader about TskSkinOpenDialog.
void RegisterOpenDialogClasses();
