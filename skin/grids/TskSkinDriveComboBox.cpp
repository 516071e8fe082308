#include "skin/grids/TskSkinDriveComboBox.h"

#include "platform/rtl/ScopeGuards.h"
#include "platform/vcl/TCanvas.h"
#include "platform/vcl/TCustomImageList.h"
#include "skin/grids/ShellPictures.h"

#include <unistd.h>

#include <climits>

#include "platform/rtl/Strings.h"
#include "skin/grids/FileCtrlPaths.h"
#include "skin/grids/TskSkinDirectoryListBox.h"

namespace {

std::string WithSlash(const std::string& Path)
{
    if (Path.empty() || Path.back() == '/') return Path;
    return Path + "/";
}

std::string CurrentDirectory()
{
    char buf[PATH_MAX];
    return ::getcwd(buf, sizeof buf) != nullptr ? std::string(buf) : std::string();
}

} // namespace

TskSkinDriveComboBox::TskSkinDriveComboBox(TComponent* AOwner) : TskSkinComboBox(AOwner)
{
    // Both the face and the drop-down rows show the drive's picture before its text.
    SetOnListBoxDrawItem([this](TCanvas* C, int Index, int, int, TRect TxtRect, TOwnerDrawState) { DrawDrive(C, Index, TxtRect); });
    OnComboBoxDrawItem = [this](TCanvas* C, int Index, int, int, TRect TxtRect, TOwnerDrawState) { DrawDrive(C, Index, TxtRect); };
}

void TskSkinDriveComboBox::DrawDrive(TCanvas* C, int Index, TRect TxtRect)
{
    if (Index < 0 || Index >= static_cast<int>(FDrives.size()) || Index >= Items()->Count()) return;
    TskShellIcon icon = siDrive;
    switch (FDrives[static_cast<std::size_t>(Index)].Kind) {
    case TDriveKind::Fixed: icon = Index == 0 ? siComputer : siDrive; break;
    case TDriveKind::CDRom: icon = siOpticalDrive; break;
    case TDriveKind::Removable: icon = siRemovableDrive; break;
    case TDriveKind::Network: icon = siNetwork; break;
    }
    TCustomImageList* images = ShellImages(false);
    images->Draw(C, TxtRect.Left, TxtRect.Top + (TxtRect.Height() - images->Height()) / 2, icon, Enabled());
    C->Brush()->SetStyle(bsClear);
    C->TextOut(TxtRect.Left + images->Width() + 6, TxtRect.Top + (TxtRect.Height() - C->TextHeight("Wg")) / 2,
        Items()->Strings(Index));
}

TskSkinDriveComboBox::~TskSkinDriveComboBox()
{
    if (FDirList != nullptr) FDirList->SetDriveCombo(nullptr);
}

void TskSkinDriveComboBox::SetDirList(TskSkinDirectoryListBox* Value)
{
    if (Value == FDirList) return;
    if (FDirList != nullptr) FDirList->SetDriveCombo(nullptr);
    FDirList = Value;
    if (FDirList != nullptr) {
        FDirList->SetDriveCombo(this);
        SetDrive(DriveOfPath(FDirList->Directory()));
    }
}

// Choosing an item (in code or from the list) makes its root the drive. This is done here rather than
// in OnChange so that a caller's own OnChange cannot stop Drive from following ItemIndex.
void TskSkinDriveComboBox::Change()
{
    TskSkinComboBox::Change();
    const int i = ItemIndex();
    if (i >= 0) SetDrive(DriveRoot(i));
}

std::string TskSkinDriveComboBox::DriveRoot(int Index) const
{
    if (Index < 0 || Index >= static_cast<int>(FDrives.size())) return {};
    return FDrives[static_cast<std::size_t>(Index)].Root;
}

void TskSkinDriveComboBox::SetDrive(const std::string& Value)
{
    const std::string root = WithSlash(Value);
    if (ItemIndex() >= 0 && root == FDrive) return;
    if (root.empty()) {
        FDrive.clear();
        SetItemIndex(-1);
        return;
    }
    FDrive = root;
    // Setting ItemIndex comes back here through the change handler; the guard stops that re-entry
    // from doing the work twice.
    if (FSettingDrive) return;
    {
        TValueGuard settingDrive(FSettingDrive);
        for (std::size_t i = 0; i < FDrives.size(); ++i) {
            if (FDrives[i].Root == root) {
                if (ItemIndex() != static_cast<int>(i)) SetItemIndex(static_cast<int>(i));
                break;
            }
        }
    }
    if (FDirList != nullptr) FDirList->SetDrive(FDrive);
}

void TskSkinDriveComboBox::SetTextCase(TTextCase Value)
{
    if (Value == FTextCase) return;
    FTextCase = Value;
    BuildList();
}

void TskSkinDriveComboBox::SetVolumeSources(const TVolumeSources& Value)
{
    FSources = Value;
    BuildList();
}

void TskSkinDriveComboBox::BuildList()
{
    const std::string keep = FDrive;
    FDrives.clear();
    FDrives.push_back({"/", TDriveKind::Fixed, {}});
    for (const TOpticalVolume& v : GetOpticalVolumes(FSources)) {
        // A drive with nothing mounted has no root to browse or scan.
        if (v.RootPath.empty()) continue;
        const std::string root = WithSlash(v.RootPath);
        if (root == "/") continue;
        FDrives.push_back({root, TDriveKind::CDRom, {}});
    }
    for (const TMountedVolume& v : GetMountedVolumes(FSources)) {
        if (v.Kind != TVolumeKind::Removable && v.Kind != TVolumeKind::Network) continue;
        FDrives.push_back({v.RootPath, v.Kind == TVolumeKind::Network ? TDriveKind::Network : TDriveKind::Removable, v.Source});
    }
    Items()->Clear();
    for (const TDriveItem& d : FDrives) {
        // A removable medium is not touched to list it; a network volume is named by what it mounts.
        if (d.Kind == TDriveKind::Removable) {
            Items()->Add(d.Root);
            continue;
        }
        std::string caption = d.Kind == TDriveKind::Network ? "[" + d.Source + "]" : VolumeCaption(d.Root, FSources);
        caption = FTextCase == tcUpperCase ? AnsiUpperCase(caption) : AnsiLowerCase(caption);
        Items()->Add(d.Root + " " + caption);
    }
    // Clearing the items left nothing chosen: choose the kept drive again (when it is still there).
    FDrive.clear();
    if (!keep.empty()) SetDrive(keep);
    if (ItemIndex() < 0) FDrive = keep;
}

std::string TskSkinDriveComboBox::DriveOfPath(const std::string& Path) const
{
    const std::string path = WithSlash(Path);
    std::string best;
    for (const TDriveItem& d : FDrives)
        if (path.rfind(d.Root, 0) == 0 && d.Root.size() > best.size()) best = d.Root;
    return best;
}

void TskSkinDriveComboBox::SelectCurrentDirectoryDrive()
{
    if (FDrive.empty())
        SetDrive(DriveOfPath(CurrentDirectory()));
}

void TskSkinDriveComboBox::CreateWnd()
{
    TskSkinComboBox::CreateWnd();
    if (ComponentState().Contains(csLoading)) return;
    BuildList();
    SelectCurrentDirectoryDrive();
}

void TskSkinDriveComboBox::Loaded()
{
    TskSkinComboBox::Loaded();
    BuildList();
    SelectCurrentDirectoryDrive();
}
