#include "skin/form/TskSkinSelectDirectoryDialog.h"

#include "platform/rtl/Files.h"
#include "platform/vcl/Graphics.h"
#include "platform/vcl/TApplication.h"
#include "platform/vcl/TBitmap.h"
#include "platform/vcl/TCanvas.h"
#include "platform/vcl/TypInfo.h"
#include "skin/controls/TskSkinBevel.h"
#include "skin/controls/TskSkinButton.h"
#include "skin/controls/TskSkinEdit.h"
#include "skin/controls/TskSkinPanel.h"
#include "skin/controls/TskSkinScrollBar.h"
#include "skin/controls/TskSkinSpeedButton.h"
#include "skin/data/SkinStrings.h"
#include "skin/data/TskSkinData.h"
#include "skin/form/TskFormFrame.h"
#include "skin/form/TskSkinMessage.h"
#include "skin/grids/ShellPictures.h"
#include "skin/grids/TskCustomShellTreeView.h"

namespace {

constexpr int DefaultDialogSize = 280;

// A UI text: the skin's string when the skin carries a string table, else the built-in one.
std::string UIText(TskSkinData* SkinData, const std::string& Key, const char* FallBack)
{
    if (SkinData && SkinData->ResourceStrData()) return SkinResString(SkinData, Key);
    const std::string builtIn = SkinBuiltInString(Key);
    return builtIn.empty() ? FallBack : builtIn;
}

// Only an existing folder may be handed to the tree: a missing one would make it raise.
bool IsExistingDirectory(const std::string& Dir)
{
    return !Dir.empty() && DirectoryExists(Dir);
}

} // namespace

// ---- TskSelDirDlgForm ----

TskSelDirDlgForm::TskSelDirDlgForm(TComponent* AOwner, bool AToolButtonsTransparent, bool AShowToolBar,
                                   TskSkinData* ACtrlSkinData)
    : TForm(AOwner), FCtrlSkinData(ACtrlSkinData)
{
    SetKeyPreview(true);
    SetPosition(poScreenCenter);
    Frame = new TskFormFrame(this);

    if (AShowToolBar) {
        ToolPanel = new TskSkinPanel(this);
        ToolPanel->SetParent(this);
        ToolPanel->SetAlign(alTop);
        ToolPanel->SetBorderStyle(bvNone);
        ToolPanel->SetDefaultHeight(25);
        ToolPanel->SetSkinDataName("toolpanel");

        NewFolderButton = new TskSkinSpeedButton(this);
        NewFolderButton->SetParent(ToolPanel);
        NewFolderButton->SetAlign(alRight);
        NewFolderButton->SetDefaultHeight(25);
        NewFolderButton->SetDefaultWidth(27);
        NewFolderButton->SetSkinDataName("toolbutton");
        TBitmap glyph;
        PaintToolGlyph(glyph, tgNewFolder);
        NewFolderButton->SetGlyph(&glyph);
        NewFolderButton->SetNumGlyphs(1);
        NewFolderButton->SetHint(UIText(ACtrlSkinData, "MSG_BTN_NEWFOLDER_HINT", "Create New Folder"));
        NewFolderButton->SetShowHint(true);
        NewFolderButton->SetFlat(AToolButtonsTransparent);
        NewFolderButton->OnClick = [this](TObject*) { CreateNewFolder(); };

        ToolSpacer = new TskSkinBevel(this);
        ToolSpacer->SetParent(ToolPanel);
        ToolSpacer->SetAlign(alRight);
        ToolSpacer->SetWidth(5);
        ToolSpacer->SetShape(bsSpacer);

        PathEdit = new TskSkinEdit(this);
        PathEdit->SetParent(ToolPanel);
        PathEdit->SetAlign(alClient);
        PathEdit->SetDefaultHeight(25);
        PathEdit->SetSkinDataName("tooledit");
        // Enter typed in the path edit is the edit's own: passed on to the dialog it would press OK and
        // answer with the tree's folder instead of the one just typed.
        PathEdit->OnKeyPress = [this](TObject* Sender, TKeyChar& Key) { PathEditKeyPress(Sender, Key); };
    }

    MainPanel = new TskSkinPanel(this);
    MainPanel->SetParent(this);
    MainPanel->SetAlign(alClient);
    MainPanel->SetBorderStyle(bvFrame);
    MainPanel->SetHeight(200);

    VScrollBar = new TskSkinScrollBar(this);
    VScrollBar->SetParent(MainPanel);
    VScrollBar->SetKind(sbVertical);
    VScrollBar->SetAlign(alRight);
    VScrollBar->SetDefaultWidth(19);
    VScrollBar->SetEnabled(false);
    VScrollBar->SetSkinDataName("vscrollbar");

    HScrollBar = new TskSkinScrollBar(this);
    HScrollBar->SetParent(MainPanel);
    HScrollBar->SetAlign(alBottom);
    HScrollBar->SetDefaultHeight(19);
    HScrollBar->SetEnabled(false);
    HScrollBar->SetBothMarkerWidth(19);
    HScrollBar->SetSkinDataName("hscrollbar");

    DirTreeView = new TskSkinDirTreeView(this);
    DirTreeView->SetParent(MainPanel);
    DirTreeView->SetAlign(alClient);
    DirTreeView->SetHScrollBar(HScrollBar);
    DirTreeView->SetVScrollBar(VScrollBar);
    TShellObjectTypes types = DirTreeView->ObjectTypes();
    types.Include(otHidden);
    DirTreeView->SetObjectTypes(types);
    DirTreeView->SetHideSelection(false);
    DirTreeView->OnChange = [this](TObject* Sender, TTreeNode* Node) { TreeChange(Sender, Node); };
    DirTreeView->OnShellMessage = ShowSkinnedMessage;

    ButtonPanel = new TskSkinPanel(this);
    ButtonPanel->SetParent(this);
    ButtonPanel->SetAlign(alBottom);
    ButtonPanel->SetHeight(50);
    ButtonPanel->SetBorderStyle(bvNone);

    OkButton = new TskSkinButton(this);
    OkButton->SetParent(ButtonPanel);
    OkButton->SetBounds(20, 15, 70, 25);
    OkButton->SetDefaultHeight(25);
    OkButton->SetCaption(UIText(ACtrlSkinData, "MSG_BTN_OK", "OK"));
    OkButton->SetDefault(true);
    OkButton->SetCanFocused(true);
    OkButton->SetModalResult(mrOk);

    CancelButton = new TskSkinButton(this);
    CancelButton->SetParent(ButtonPanel);
    CancelButton->SetBounds(100, 15, 70, 25);
    CancelButton->SetDefaultHeight(25);
    CancelButton->SetCaption(UIText(ACtrlSkinData, "MSG_BTN_CANCEL", "Cancel"));
    CancelButton->SetCancel(true);
    CancelButton->SetCanFocused(true);
    CancelButton->SetModalResult(mrCancel);
}

bool TskSelDirDlgForm::SelectExistingDirectory(const std::string& Dir)
{
    if (!IsExistingDirectory(Dir)) return false;
    try {
        DirTreeView->SetPath(Dir);
    } catch (const Exception&) {
        // A folder the tree cannot reach (outside its namespace) leaves the selection alone.
        return false;
    }
    return true;
}

void TskSelDirDlgForm::CreateNewFolder()
{
    TTreeNode* node = DirTreeView->Selected();
    if (!node) return;
    const std::string parent = DirTreeView->Path();
    // A virtual folder has no place on disk to make the new one in.
    if (parent.empty() || parent.front() != '/') return;
    const std::string name = UIText(FCtrlSkinData, "MSG_NEWFOLDER", "New Folder");
    const std::string full = (parent.back() == '/' ? parent : parent + "/") + name;
    // An existing folder of that name is left as it is: no number is appended, nothing reported.
    if (DirectoryExists(full) || !CreateDir(full)) return;
    DirTreeView->RefreshNode(node);
}

void TskSelDirDlgForm::TreeChange(TObject*, TTreeNode*)
{
    if (PathEdit) PathEdit->SetText(DirTreeView->Path());
}

void TskSelDirDlgForm::PathEditKeyPress(TObject*, TKeyChar& Key)
{
    if (Key != '\r') return;
    // A typed folder that does not exist changes nothing.
    SelectExistingDirectory(PathEdit->Text());
    Key = 0;
}

// ---- TskSkinSelectDirectoryDialog ----

TskSkinSelectDirectoryDialog::TskSkinSelectDirectoryDialog(TComponent* AOwner)
    : TskSkinDialogComponent(AOwner, "Select folder", 200)
{
}

// The form, while shown, belongs to the running Execute, which frees it.
TskSkinSelectDirectoryDialog::~TskSkinSelectDirectoryDialog() = default;

bool TskSkinSelectDirectoryDialog::Execute()
{
    auto make = [this] { return new TskSelDirDlgForm(Application, FToolButtonsTransparent, FShowToolBar, CtrlSkinData()); };
    auto finish = [this](TskSelDirDlgForm& Form, bool Accepted) {
        if (Accepted) FDirectory = Form.DirTreeView->Path();
    };
    return RunDialog(FForm, make, [this](TskSelDirDlgForm& Form) { Configure(Form); }, finish);
}

void TskSkinSelectDirectoryDialog::Configure(TskSelDirDlgForm& Form)
{
    ApplyFrame(Form, *Form.Frame);
    Form.MainPanel->SetSkinData(CtrlSkinData());
    Form.DirTreeView->SetDefaultFont(DefaultFont());
    Form.DirTreeView->SetSkinData(CtrlSkinData());
    if (!Form.SelectExistingDirectory(FDirectory)) Form.DirTreeView->SelectComputerFolder();

    Form.VScrollBar->SetSkinData(CtrlSkinData());
    Form.HScrollBar->SetSkinData(CtrlSkinData());
    Form.OkButton->SetSkinData(CtrlSkinData());
    Form.CancelButton->SetSkinData(CtrlSkinData());
    Form.ButtonPanel->SetSkinData(CtrlSkinData());
    Form.OkButton->SetDefaultFont(DefaultFont());
    Form.CancelButton->SetDefaultFont(DefaultFont());
    ApplyClientSize(Form, *Form.Frame, DefaultDialogSize, DefaultDialogSize);
}

void RegisterSelectDirectoryDialogClasses()
{
    static const bool done = [] {
        RegisterDialogComponentClass();
        using D = TskSkinSelectDirectoryDialog;
        RegisterClass<D, TskSkinDialogComponent>("TskSkinSelectDirectoryDialog")
            .Prop("Directory", &D::Directory, &D::SetDirectory)
            .Prop("ShowToolBar", &D::ShowToolBar, &D::SetShowToolBar, false)
            .Prop("ToolButtonsTransparent", &D::ToolButtonsTransparent, &D::SetToolButtonsTransparent, false);
        return true;
    }();
    (void)done;
}
