#include "skin/grids/TskSkinDirectoryListBox.h"

#include <cerrno>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/ScopeGuards.h"
#include "platform/vcl/TBitmap.h"
#include "platform/vcl/TCustomImageList.h"
#include "platform/win/Messages.h"
#include "skin/controls/TskSkinStdLabel.h"
#include "skin/grids/FileCtrlPaths.h"
#include "skin/grids/ShellPictures.h"
#include "skin/grids/TskSkinDriveComboBox.h"
#include "skin/grids/TskSkinFileListBox.h"

TskSkinDirectoryListBox::TskSkinDirectoryListBox(TComponent* AOwner) : TskSkinListBox(AOwner)
{
    SetWidth(145);
    OnDrawItem = [this](TCanvas* C, int Index, int, int, TRect TxtRect, TOwnerDrawState) { DrawFolder(C, Index, TxtRect); };
    const std::string cwd = GetCurrentDir();
    FDirectory = cwd.empty() ? std::string(1, '/') : ResolveFolder("/", cwd);
    BuildList();
}

void TskSkinDirectoryListBox::DrawFolder(TCanvas* C, int Index, const TRect& TxtRect)
{
    if (Index < 0 || Index >= Items()->Count()) return;
    // The levels down to the current folder are open, the current one is marked, those inside it shut.
    const int current = static_cast<int>(FPaths.size()) - 1 - FSubFolders;
    const TskShellIcon icon = Index < current ? siOpenFolder : Index == current ? siCurrentFolder : siFolder;
    TCustomImageList* images = ShellImages(false);
    const int x = TxtRect.Left + 4 * ItemLevel(Index) + 2;
    images->Draw(C, x, TxtRect.Top + (TxtRect.Height() - images->Height()) / 2, icon, Enabled());
    C->Brush()->SetStyle(bsClear);
    C->TextOut(x + images->Width() + 4, TxtRect.Top + (TxtRect.Height() - C->TextHeight("Wg")) / 2,
        Items()->Strings(Index));
}

TskSkinDirectoryListBox::~TskSkinDirectoryListBox()
{
    if (FFileList != nullptr && FFileList->DirList() == this) FFileList->SetDirList(nullptr);
}

void TskSkinDirectoryListBox::SetDirectory(const std::string& Value)
{
    // The whole text names the folder ("[name]" as well, as the file list shows folders).
    const TEditPath parts = SplitEditPath(Value, FDirectory);
    const std::string dir = parts.FileName.empty() ? parts.Directory : JoinPath(parts.Directory, parts.FileName);
    // Checked before anything changes, so a bad name leaves the list as it was.
    if (!DirectoryExists(dir)) throw EOSError("Directory not found: \"" + dir + "\"", ENOENT);
    if (dir == FDirectory) return;
    {
        TValueGuard inSetDir(FInSetDir);
        FDirectory = dir;
        // A directory on another volume chooses that volume in the linked drive combo box.
        if (FDriveCombo != nullptr) FDriveCombo->SetDrive(FDriveCombo->DriveOfPath(dir));
    }
    BuildList();
}

void TskSkinDirectoryListBox::SetDrive(const std::string& Root)
{
    if (FInSetDir || Root.empty()) return;
    const std::string here = FDirectory == "/" ? "/" : FDirectory + "/";
    if (here.rfind(IncludeTrailingPathDelimiter(Root), 0) == 0) return;
    // A volume that went away keeps the list where it was.
    if (!DirectoryExists(Root)) return;
    FDirectory = ResolveFolder("/", Root);
    BuildList();
}

void TskSkinDirectoryListBox::BuildList()
{
    FPaths.clear();
    FLevels.clear();
    Items()->Clear();
    auto add = [this](const std::string& Text, const std::string& Path, int Level) {
        Items()->Add(Text);
        FPaths.push_back(Path);
        FLevels.push_back(Level);
    };
    add("/", "/", 0);
    std::string path;
    int level = 0;
    for (std::size_t pos = 1; pos < FDirectory.size();) {
        const auto slash = FDirectory.find('/', pos);
        const std::string name = FDirectory.substr(pos, slash == std::string::npos ? std::string::npos : slash - pos);
        path += "/" + name;
        add(name, path, ++level);
        if (slash == std::string::npos) break;
        pos = slash + 1;
    }
    const int current = static_cast<int>(FPaths.size()) - 1;
    TSearchRec sr;
    // FindFirst gives the entries sorted already.
    for (int rc = FindFirst(JoinPath(FDirectory, "*"), faDirectory, sr); rc == 0; rc = FindNext(sr)) {
        if (!(sr.Attr & faDirectory) || sr.Name == "." || sr.Name == "..") continue;
        add(sr.Name, JoinPath(FDirectory, sr.Name), level + 1);
    }
    FindClose(sr);
    FSubFolders = static_cast<int>(FPaths.size()) - 1 - current;
    SetItemIndex(current);
    Change();
}

std::string TskSkinDirectoryListBox::ItemPath(int Index) const
{
    if (Index < 0 || Index >= static_cast<int>(FPaths.size())) return {};
    return FPaths[static_cast<std::size_t>(Index)];
}

int TskSkinDirectoryListBox::ItemLevel(int Index) const
{
    if (Index < 0 || Index >= static_cast<int>(FLevels.size())) return 0;
    return FLevels[static_cast<std::size_t>(Index)];
}

void TskSkinDirectoryListBox::OpenCurrent()
{
    const std::string path = ItemPath(ItemIndex());
    if (path.empty()) return;
    // A folder removed since the list was read is no reason to stop the program: read again.
    try {
        SetDirectory(path);
    } catch (const EOSError&) {
        BuildList();
    }
}

void TskSkinDirectoryListBox::ListBoxDblClick()
{
    // The handler may free the list.
    const auto alive = FAlive.Watch();
    TskSkinListBox::ListBoxDblClick();
    if (*alive) OpenCurrent();
}

void TskSkinDirectoryListBox::ListBoxKeyDown(WORD& Key, TShiftState Shift)
{
    const auto alive = FAlive.Watch();
    TskSkinListBox::ListBoxKeyDown(Key, Shift);
    if (*alive && Key == VK_RETURN) OpenCurrent();
}

void TskSkinDirectoryListBox::Change()
{
    if (FFileList != nullptr) FFileList->SetDirectory(FDirectory);
    ShowLabel();
    if (OnChange) OnChange(this);
}

void TskSkinDirectoryListBox::ShowLabel()
{
    if (FDirLabel == nullptr) return;
    const int width = FDirLabel->AutoSize() ? Width() : FDirLabel->Width();
    TBitmap measure;
    measure.Canvas()->Font()->Assign(FDirLabel->Font());
    FDirLabel->SetCaption(MinimizePathName(FDirectory, measure.Canvas(), width));
}

void TskSkinDirectoryListBox::SetFileList(TskSkinFileListBox* Value)
{
    if (Value == FFileList) return;
    if (FFileList != nullptr && FFileList->DirList() == this) FFileList->SetDirList(nullptr);
    FFileList = Value;
    if (FFileList != nullptr) {
        FFileList->SetDirList(this);
        FFileList->SetDirectory(FDirectory);
    }
}

void TskSkinDirectoryListBox::SetDirLabel(TskSkinStdLabel* Value)
{
    if (Value == FDirLabel) return;
    FDirLabel = Value;
    ShowLabel();
}

void TskSkinDirectoryListBox::SetDriveCombo(TskSkinDriveComboBox* Value)
{
    if (Value == FDriveCombo) return;
    FDriveCombo = Value;
}

void TskSkinDirectoryListBox::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    TskSkinListBox::SetBounds(ALeft, ATop, AWidth, AHeight);
    ShowLabel();
}
