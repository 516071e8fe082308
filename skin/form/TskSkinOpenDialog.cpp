#include "skin/form/TskSkinOpenDialog.h"

#include <algorithm>

#include "platform/rtl/Files.h"
#include "platform/sys/Folders.h"
#include "platform/vcl/Graphics.h"
#include "platform/vcl/TApplication.h"
#include "platform/vcl/TBitmap.h"
#include "platform/vcl/TMenu.h"
#include "platform/vcl/TypInfo.h"
#include "platform/win/Input.h"
#include "skin/controls/TskSkinBevel.h"
#include "skin/controls/TskSkinButton.h"
#include "skin/controls/TskSkinEdit.h"
#include "skin/controls/TskSkinMenuSpeedButton.h"
#include "skin/controls/TskSkinPanel.h"
#include "skin/controls/TskSkinScrollBar.h"
#include "skin/controls/TskSkinSpeedButton.h"
#include "skin/controls/TskSkinStdLabel.h"
#include "skin/controls/TskSkinToolBar.h"
#include "skin/data/SkinStrings.h"
#include "skin/data/TskSkinData.h"
#include "skin/form/TskFormFrame.h"
#include "skin/form/TskSkinMessage.h"
#include "skin/form/TskSkinPopupMenu.h"
#include "skin/grids/FileCtrlPaths.h"
#include "skin/grids/ShellPictures.h"
#include "skin/grids/TskCustomShellComboBox.h"
#include "skin/grids/TskCustomShellListView.h"
#include "skin/grids/TskSkinFilterComboBox.h"

namespace {

constexpr int DefaultDialogWidth = 450;
constexpr int DefaultDialogHeight = 290;

constexpr TViewStyle kViewStyles[4] = {vsIcon, vsSmallIcon, vsList, vsReport};
constexpr const char* kViewKeys[4] = {"MSG_LV_ICON", "MSG_LV_SMALLICON", "MSG_LV_LIST", "MSG_LV_DETAILS"};

TskSkinSpeedButton* ToolButton(TskSkinToolBar* Bar, TskToolGlyph Glyph, const std::string& Hint,
    bool Flat, TskSkinSpeedButton* Button)
{
    Button->SetParent(Bar);
    Button->SetAlign(alRight);
    Button->SetDefaultHeight(25);
    Button->SetDefaultWidth(27);
    TBitmap glyph;
    PaintToolGlyph(glyph, Glyph);
    Button->SetGlyph(&glyph);
    Button->SetNumGlyphs(1);
    Button->SetHint(Hint);
    Button->SetShowHint(true);
    Button->SetFlat(Flat);
    return Button;
}

TskSkinBevel* Spacer(TComponent* Owner, TWinControl* Parent, TAlign Align)
{
    auto* bevel = new TskSkinBevel(Owner);
    bevel->SetParent(Parent);
    bevel->SetAlign(Align);
    bevel->SetWidth(10);
    bevel->SetShape(bsSpacer);
    return bevel;
}

TskSkinStdLabel* BottomLabel(TComponent* Owner, TWinControl* Parent, int Top, const std::string& Caption)
{
    auto* label = new TskSkinStdLabel(Owner);
    label->SetParent(Parent);
    label->SetAutoSize(true);
    label->SetLeft(10);
    label->SetTop(Top);
    label->SetCaption(Caption);
    return label;
}

bool HasWildcard(const std::string& S) { return S.find('*') != std::string::npos || S.find('?') != std::string::npos; }

} // namespace

// ---- TskOpenDlgForm ----

TskOpenDlgForm::TskOpenDlgForm(TComponent* AOwner, bool AToolButtonsTransparent, TskSkinData* ACtrlSkinData,
                               bool ASaveMode)
    : TForm(AOwner), FSaveMode(ASaveMode), FCtrlSkinData(ACtrlSkinData)
{
    SetKeyPreview(true);
    SetPosition(poScreenCenter);
    Frame = new TskFormFrame(this);
    auto ui = [&](const char* Key) { return SkinResString(ACtrlSkinData, Key); };

    ToolBar = new TskSkinToolBar(this);
    ToolBar->SetParent(this);
    ToolBar->SetAlign(alTop);
    ToolBar->SetBorderStyle(bvNone);
    ToolBar->SetDefaultHeight(25);
    ToolBar->SetSkinDataName("toolpanel");

    LeftSpacer = Spacer(this, ToolBar, alLeft);
    LookInLabel = new TskSkinStdLabel(this);
    LookInLabel->SetParent(ToolBar);
    LookInLabel->SetAlign(alLeft);
    LookInLabel->SetAutoSize(true);
    LookInLabel->SetLayout(tlCenter);
    LookInLabel->SetCaption(ui("FLV_LOOKIN"));
    LookInLabel->SetLeft(10);

    // Right-aligned controls line up from the right edge in the order they are made.
    ViewMenu = new TskSkinPopupMenu(this);
    for (int i = 0; i < 4; ++i) {
        TMenuItem* item = new TMenuItem(ViewMenu);
        item->SetCaption(ui(kViewKeys[i]));
        item->SetRadioItem(true);
        const TViewStyle style = kViewStyles[i];
        item->OnClick = [this, style](TObject*) { SetListViewStyle(style); };
        ViewMenu->Items()->Add(item);
        ViewItems[i] = item;
    }
    ViewButton = new TskSkinMenuSpeedButton(this);
    ToolButton(ToolBar, tgViewStyle, ui("MSG_BTN_VIEWMENU_HINT"), AToolButtonsTransparent, ViewButton);
    ViewButton->SetDefaultWidth(37);
    ViewButton->SetSkinDataName("toolmenubutton");
    ViewButton->SetSkinPopupMenu(ViewMenu);

    RightSpacer = Spacer(this, ToolBar, alRight);
    NewFolderButton = ToolButton(ToolBar, tgNewFolder, ui("MSG_BTN_NEWFOLDER_HINT"), AToolButtonsTransparent,
        new TskSkinSpeedButton(this));
    NewFolderButton->SetSkinDataName("toolbutton");
    NewFolderButton->OnClick = [this](TObject*) { CreateNewFolder(); };
    UpButton = ToolButton(ToolBar, tgUp, ui("MSG_BTN_UP_HINT"), AToolButtonsTransparent, new TskSkinSpeedButton(this));
    UpButton->SetSkinDataName("toolbutton");
    UpButton->OnClick = [this](TObject*) { GoUp(); };
    BackButton = ToolButton(ToolBar, tgBack, ui("MSG_BTN_BACK_HINT"), AToolButtonsTransparent,
        new TskSkinSpeedButton(this));
    BackButton->SetSkinDataName("toolbutton");
    BackButton->OnClick = [this](TObject*) { GoBack(); };

    FolderBox = new TskSkinShellComboBox(this);
    FolderBox->SetParent(ToolBar);
    FolderBox->SetWidth(190);
    FolderBox->SetAlign(alClient);
    FolderBox->SetDropDownCount(10);

    BottomPanel = new TskSkinPanel(this);
    BottomPanel->SetParent(this);
    BottomPanel->SetAlign(alBottom);
    BottomPanel->SetHeight(80);
    BottomPanel->SetBorderStyle(bvNone);

    MainPanel = new TskSkinPanel(this);
    MainPanel->SetParent(this);
    MainPanel->SetAlign(alClient);
    MainPanel->SetBorderStyle(bvFrame);

    HScrollBar = new TskSkinScrollBar(this);
    HScrollBar->SetParent(MainPanel);
    HScrollBar->SetAlign(alBottom);
    HScrollBar->SetBothMarkerWidth(19);
    HScrollBar->SetDefaultHeight(19);
    HScrollBar->SetEnabled(false);
    HScrollBar->SetSkinDataName("hscrollbar");

    VScrollBar = new TskSkinScrollBar(this);
    VScrollBar->SetParent(MainPanel);
    VScrollBar->SetKind(sbVertical);
    VScrollBar->SetAlign(alRight);
    VScrollBar->SetDefaultWidth(19);
    VScrollBar->SetEnabled(false);
    VScrollBar->SetSkinDataName("vscrollbar");

    FileList = new TskSkinFileListView(this);
    FileList->SetParent(MainPanel);
    FileList->SetAlign(alClient);
    FileList->SetViewStyle(vsList);
    FileList->SetShowColumnHeaders(true);
    FileList->SetHScrollBar(HScrollBar);
    FileList->SetVScrollBar(VScrollBar);
    FileList->SetHideSelection(false);
    FolderBox->SetShellListView(FileList);
    FileList->OnKeyDown = [this](TObject* Sender, WORD& Key, TShiftState Shift) { ListKeyDown(Sender, Key, Shift); };
    FileList->OnDblClick = [this](TObject* Sender) { ListDblClick(Sender); };
    FileList->OnChange = [this](TObject* Sender) { ListChange(Sender); };
    FileList->OnPathChange = [this](TObject* Sender) { ListPathChange(Sender); };
    FileList->OnShellMessage = ShowSkinnedMessage;

    FileNameLabel = BottomLabel(this, BottomPanel, 10, ui("MSG_FILENAME"));
    FileTypeLabel = BottomLabel(this, BottomPanel, 45, ui("MSG_FILETYPE"));

    const int rightEdge = 90;
    FileNameEdit = new TskSkinEdit(this);
    FileNameEdit->SetParent(BottomPanel);
    FileNameEdit->SetDefaultHeight(21);
    FileNameEdit->SetBounds(70, 10, std::max(10, BottomPanel->Width() - 70 - rightEdge), 21);
    FileNameEdit->SetAnchors({akLeft, akTop, akRight});
    FileNameEdit->OnKeyPress = [this](TObject* Sender, TKeyChar& Key) { EditKeyPress(Sender, Key); };

    FilterBox = new TskSkinFilterComboBox(this);
    FilterBox->SetParent(BottomPanel);
    FilterBox->SetDefaultHeight(21);
    FilterBox->SetBounds(70, 45, FileNameEdit->Width(), 21);
    FilterBox->SetAnchors({akLeft, akTop, akRight});
    FilterBox->OnClick = [this](TObject* Sender) { FilterChange(Sender); };

    OpenButton = new TskSkinButton(this);
    OpenButton->SetParent(BottomPanel);
    OpenButton->SetDefaultHeight(25);
    OpenButton->SetBounds(BottomPanel->Width() - 80, 10, 70, 25);
    OpenButton->SetCaption(ui(ASaveMode ? "MSG_BTN_SAVE" : "MSG_BTN_OPEN"));
    OpenButton->SetCanFocused(true);
    OpenButton->SetAnchors({akTop, akRight});
    OpenButton->OnClick = [this](TObject*) { OpenClick(); };

    CancelButton = new TskSkinButton(this);
    CancelButton->SetParent(BottomPanel);
    CancelButton->SetDefaultHeight(25);
    CancelButton->SetBounds(BottomPanel->Width() - 80, 45, 70, 25);
    CancelButton->SetCaption(ui("MSG_BTN_CANCEL"));
    CancelButton->SetCanFocused(true);
    CancelButton->SetCancel(true);
    CancelButton->SetModalResult(mrCancel);
    CancelButton->SetAnchors({akTop, akRight});

    SetActiveControl(FileNameEdit);
}

TskOpenDlgForm::~TskOpenDlgForm()
{
    // The list tells of selection changes while it is taken apart; nobody is listening by then.
    if (FileList) {
        FileList->OnChange = nullptr;
        FileList->OnPathChange = nullptr;
    }
}

std::string TskOpenDlgForm::ListedFolder() const
{
    TskShellFolder* root = FileList->RootFolder();
    return root != nullptr ? root->Path() : std::string();
}

std::string TskOpenDlgForm::TypedPath(const std::string& Text) const
{
    if (Text == "~" || Text.rfind("~/", 0) == 0) return ResolveFolder(UserHomeFolder(), Text.substr(std::min<std::size_t>(2, Text.size())));
    return ResolveFolder(ListedFolder(), Text);
}

std::string TskOpenDlgForm::WithExtension(const std::string& Path, const std::string& Ext)
{
    return ExtractFileExt(Path).empty() ? Path + Ext : Path;
}

std::string TskOpenDlgForm::FilterExtension()
{
    // The chosen filter's type comes first, then DefaultExt. The overwrite question and the name the
    // dialog returns both follow this one rule, so the file asked about is the file returned.
    const std::string mask = FilterBox->MaskOf(FilterBox->ItemIndex());
    if (!mask.empty() && mask.find(".*") == std::string::npos) {
        const std::string ext = ExtractFileExt(mask.substr(0, mask.find(';')));
        // A pattern's extension that is itself a pattern ("*.mp?") names no extension to add.
        if (!HasWildcard(ext) && !ext.empty() && ext != ".") return ext;
    }
    return DefaultExt.empty() ? std::string() : "." + DefaultExt;
}

bool TskOpenDlgForm::AskOverwrite()
{
    TskSkinMessage box(nullptr);
    box.SetSkinData(FrameSkinData);
    box.SetCtrlSkinData(FCtrlSkinData);
    return box.MessageDlg(SkinResString(FCtrlSkinData, "MSG_OVERWRITE"), mtWarning, {mbOK, mbCancel}, 0) == mrOk;
}

void TskOpenDlgForm::Accept(const std::string& FileName)
{
    FChosenFileName = FileName;
    SetModalResult(mrOk);
}

void TskOpenDlgForm::OpenClick()
{
    const std::string sel = FileList->SelectedFileName();
    const std::string text = FileNameEdit->Text();
    if (sel.empty() && text.empty()) return;
    const std::string typed = text.empty() ? std::string() : TypedPath(text);
    if (sel.empty() && !FSaveMode && DirectoryExists(typed)) {
        // A typed folder is gone into, as Enter in the edit does.
        FileList->SetRoot(typed);
        FileNameEdit->SetText("");
        return;
    }
    const std::string full = typed.empty() ? typed : WithExtension(typed, FilterExtension());
    if (FSaveMode) {
        if (typed.empty() || HasWildcard(ExtractFileName(typed))) return;
        if (OverwritePromt && FileExists(full) && !AskOverwrite()) return;
        Accept(typed);
        return;
    }
    if (CheckFileExists) {
        const std::string chosen = sel.empty() ? full : sel;
        if (FileExists(chosen))
            Accept(chosen);
        else
            FChosenFileName.clear();
        return;
    }
    Accept(sel.empty() ? full : sel);
}

void TskOpenDlgForm::EditKeyPress(TObject*, TKeyChar& Key)
{
    if (Key != '\r') return;
    // Enter is the edit's own: the dialog has no default button to pass it to.
    Key = 0;
    const std::string text = FileNameEdit->Text();
    if (HasWildcard(text)) {
        FileList->SetMask(text);
        return;
    }
    if (!text.empty() && DirectoryExists(TypedPath(text))) {
        FileList->SetRoot(TypedPath(text));
        FileNameEdit->SetText("");
        return;
    }
    OpenClick();
}

void TskOpenDlgForm::ListKeyDown(TObject*, WORD& Key, TShiftState Shift)
{
    if (Key != VK_RETURN || Shift.Contains(ssAlt) || FileList->SelectedFileName().empty()) return;
    Key = 0;
    OpenClick();
}

void TskOpenDlgForm::ListDblClick(TObject*)
{
    const std::string sel = FileList->SelectedFileName();
    // A folder row is opened by the list itself.
    if (sel.empty()) return;
    if (FSaveMode && OverwritePromt && !AskOverwrite()) return;
    Accept(sel);
}

void TskOpenDlgForm::ListChange(TObject*)
{
    const std::string sel = FileList->SelectedFileName();
    TStringList chosen;
    FileList->GetSelectedFiles(&chosen);
    if (chosen.Count() > 1) {
        // Several files: every name, each in double quotes, so the user sees all that Open will take.
        std::string names;
        for (int i = 0; i < chosen.Count(); ++i)
            names += (i > 0 ? " \"" : "\"") + ExtractFileName(chosen[i]) + "\"";
        FileNameEdit->SetText(names);
    } else if (chosen.Count() == 1 || !sel.empty()) {
        FileNameEdit->SetText(ExtractFileName(chosen.Count() == 1 ? chosen[0] : sel));
    }
    if (OnFolderChange) OnFolderChange(this);
}

void TskOpenDlgForm::ListPathChange(TObject*)
{
    if (!FGoingBack) PushHistory();
    FocusFirstRow();
    if (OnFolderChange) OnFolderChange(this);
}

void TskOpenDlgForm::FocusFirstRow()
{
    if (TListItem* first = FileList->Items()->Item(0)) first->SetFocused(true);
}

void TskOpenDlgForm::FilterChange(TObject*)
{
    FileList->SetMask(FilterBox->MaskOf(FilterBox->ItemIndex()));
    if (!FSaveMode) return;
    const std::string ext = FilterExtension();
    const std::string text = FileNameEdit->Text();
    if (ext.empty() || text.empty()) return;
    // Only the last extension is the type: "a.avi.cut.avi" keeps "a.avi.cut".
    FileNameEdit->SetText(ChangeFileExt(text, ext));
}

void TskOpenDlgForm::PushHistory()
{
    TskShellFolder* root = FileList->RootFolder();
    if (root == nullptr) return;
    if (!FFolderHistory.empty() && FFolderHistory.back() == root->FullID()) return;
    FFolderHistory.push_back(root->FullID());
}

void TskOpenDlgForm::GoBack()
{
    if (FFolderHistory.size() < 2) return;
    // The last entry is the folder listed now: it goes, and the one before it is listed.
    FFolderHistory.pop_back();
    TValueGuard goingBack(FGoingBack);
    FileList->SetPathFromID(FFolderHistory.back());
}

void TskOpenDlgForm::GoUp()
{
    FileList->Back();
}

void TskOpenDlgForm::CreateNewFolder()
{
    const int row = FileList->CreateNewFolder(SkinResString(FCtrlSkinData, "MSG_NEWFOLDER"));
    // Let the new row paint before its name is edited over it.
    Application->ProcessMessages();
    if (row >= 0) FileList->EditLabel(row);
}

void TskOpenDlgForm::SetListViewStyle(TViewStyle Style)
{
    for (int i = 0; i < 4; ++i) ViewItems[i]->SetChecked(kViewStyles[i] == Style);
    FileList->SetViewStyle(Style);
}

// ---- TskSkinOpenDialog ----

TskSkinOpenDialog::TskSkinOpenDialog(TComponent* AOwner)
    : TskSkinDialogComponent(AOwner, "Open file", 225), FFiles(std::make_unique<TStringList>())
{
}

// The form, while shown, belongs to the running Execute, which frees it.
TskSkinOpenDialog::~TskSkinOpenDialog() = default;

void TskSkinOpenDialog::SetFileName(const std::string& Value)
{
    FFileName = Value;
    if (FForm) FForm->FileNameEdit->SetText(ExtractFileName(Value));
}

std::string TskSkinOpenDialog::FirstFolder() const
{
    const std::string programFolder = ExtractFileDir(Application->ExeName());
    // A proposed name's folder, else InitialDir; whichever is asked for must exist, or the list could
    // have no folder to show.
    const std::string folder = ExtractFileDir(FFileName);
    if (!folder.empty()) return DirectoryExists(folder) ? folder : programFolder;
    if (!FInitialDir.empty() && DirectoryExists(FInitialDir)) return FInitialDir;
    return programFolder;
}

void TskSkinOpenDialog::Configure(TskOpenDlgForm& Form)
{
    Form.CheckFileExists = FCheckFileExists;
    Form.OverwritePromt = FOverwritePromt;
    Form.DefaultExt = FDefaultExt;
    Form.OnFolderChange = OnFolderChange;
    Form.FrameSkinData = SkinData();

    TskFormFrame* frame = Form.Frame;
    ApplyFrame(Form, *frame);
    frame->SetMenusAlphaBlend(FCtrlAlphaBlend);
    frame->SetMenusAlphaBlendValue(FCtrlAlphaBlendValue);
    frame->SetMenusAlphaBlendAnimation(FCtrlAlphaBlendAnimation);
    for (TskSkinCustomComboBox* box : {static_cast<TskSkinCustomComboBox*>(Form.FolderBox),
                                       static_cast<TskSkinCustomComboBox*>(Form.FilterBox)}) {
        box->SetListBoxAlphaBlend(FCtrlAlphaBlend);
        box->SetListBoxAlphaBlendValue(FCtrlAlphaBlendValue);
        box->SetListBoxAlphaBlendAnimation(FCtrlAlphaBlendAnimation);
    }

    Form.OpenButton->SetDefaultFont(DefaultFont());
    Form.CancelButton->SetDefaultFont(DefaultFont());
    Form.FolderBox->SetDefaultFont(DefaultFont());
    Form.FileList->SetDefaultFont(DefaultFont());

    Form.SetListViewStyle(FListViewStyle);
    // The controls need their windows before the lists are filled, or making them later would list
    // and choose afresh.
    Form.HandleNeeded();
    Form.FilterBox->HandleNeeded();
    Form.FileList->HandleNeeded();
    Form.FolderBox->HandleNeeded();

    // Folders only until the filter is chosen below.
    Form.FileList->SetMask("");
    Form.FileList->SetHeaderSkinDataName(FLVHeaderSkinDataName);
    Form.FileList->SetSkinData(CtrlSkinData());
    Form.FileList->SetMultiSelect(FMultiSelection);
    if (FShowHiddenFiles) {
        TShellObjectTypes types = Form.FileList->ObjectTypes();
        types.Include(otHidden);
        Form.FileList->SetObjectTypes(types);
    }
    Form.FileList->SetRoot(FirstFolder());
    Form.FilterBox->SetFilter(FFilter);
    Form.FilterBox->SetItemIndex(FFilterIndex - 1);
    if (FFilterIndex < 1) Form.FileList->SetMask("");

    for (TControl* c : std::initializer_list<TControl*>{Form.ToolBar, Form.BottomPanel, Form.MainPanel, Form.HScrollBar,
             Form.VScrollBar, Form.BackButton, Form.UpButton, Form.NewFolderButton, Form.ViewButton, Form.OpenButton,
             Form.CancelButton, Form.LeftSpacer, Form.RightSpacer}) {
        if (auto* control = dynamic_cast<TskSkinControl*>(c)) control->SetSkinData(CtrlSkinData());
        else if (auto* graphic = dynamic_cast<TskGraphicSkinControl*>(c)) graphic->SetSkinData(CtrlSkinData());
        else if (auto* bevel = dynamic_cast<TskSkinBevel*>(c)) bevel->SetSkinData(CtrlSkinData());
    }
    Form.LookInLabel->SetSkinData(CtrlSkinData());
    Form.FileNameLabel->SetSkinData(CtrlSkinData());
    Form.FileTypeLabel->SetSkinData(CtrlSkinData());
    Form.FileNameEdit->SetSkinData(CtrlSkinData());
    Form.FilterBox->SetSkinData(CtrlSkinData());
    Form.FolderBox->SetSkinData(CtrlSkinData());
    Form.FolderBox->SetSkinDataName("combobox");
    Form.ViewMenu->SetSkinData(CtrlSkinData());

    ApplyClientSize(Form, *frame, DefaultDialogWidth, DefaultDialogHeight);

    Form.FocusFirstRow();
    Form.FileNameEdit->SetText(ExtractFileName(FFileName));
    Form.PushHistory();
}

bool TskSkinOpenDialog::Execute()
{
    auto make = [this] { return new TskOpenDlgForm(Application, FToolButtonsTransparent, CtrlSkinData(), FSaveMode); };
    auto finish = [this](TskOpenDlgForm& Form, bool Accepted) {
        // Kept whatever the answer, so the next call opens as the user left it.
        FFilterIndex = Form.FilterBox->ItemIndex() + 1;
        FListViewStyle = Form.FileList->ViewStyle();
        if (!Accepted) return;
        FFileName = Form.ChosenFileName();
        if (FSaveMode) FFileName = TskOpenDlgForm::WithExtension(FFileName, Form.FilterExtension());
        Form.FileList->GetSelectedFiles(FFiles.get());
        // A typed name with no row selected is the one file chosen, under the name it is saved as.
        if (FFiles->Count() == 0 && !FFileName.empty()) FFiles->Add(FFileName);
    };
    return RunDialog(FForm, make, [this](TskOpenDlgForm& Form) { Configure(Form); }, finish);
}

void RegisterOpenDialogClasses()
{
    static const bool done = [] {
        RegisterDialogComponentClass();
        using D = TskSkinOpenDialog;
        RegisterClass<D, TskSkinDialogComponent>("TskSkinOpenDialog")
            .Prop("FileName", &D::FileName, &D::SetFileName)
            .Prop("InitialDir", &D::InitialDir, &D::SetInitialDir)
            .Prop("Filter", &D::Filter, &D::SetFilter, std::string("All files|*.*"))
            .Prop("FilterIndex", &D::FilterIndex, &D::SetFilterIndex, 1)
            .Prop("DefaultExt", &D::DefaultExt, &D::SetDefaultExt)
            .Prop("CheckFileExists", &D::CheckFileExists, &D::SetCheckFileExists, true)
            .Prop("MultiSelection", &D::MultiSelection, &D::SetMultiSelection, false)
            .Prop("OverwritePromt", &D::OverwritePromt, &D::SetOverwritePromt, false)
            .Prop("ShowHiddenFiles", &D::ShowHiddenFiles, &D::SetShowHiddenFiles, false)
            .Prop("ToolButtonsTransparent", &D::ToolButtonsTransparent, &D::SetToolButtonsTransparent, false)
            .Prop("CtrlAlphaBlend", &D::CtrlAlphaBlend, &D::SetCtrlAlphaBlend, false)
            .Prop("CtrlAlphaBlendValue", &D::CtrlAlphaBlendValue, &D::SetCtrlAlphaBlendValue, BYTE(225))
            .Prop("CtrlAlphaBlendAnimation", &D::CtrlAlphaBlendAnimation, &D::SetCtrlAlphaBlendAnimation, false)
            .Prop("LVHeaderSkinDataName", &D::LVHeaderSkinDataName, &D::SetLVHeaderSkinDataName,
                std::string("resizebutton"))
            .Event("OnFolderChange", &D::OnFolderChange);
        return true;
    }();
    (void)done;
}
