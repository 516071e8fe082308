#include "skin/grids/TskSkinDriveComboBox.h"

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

TskSkinDriveComboBox::TskSkinDriveComboBox(TComponent* AOwner) : TskSkinComboBox(AOwner) {}

TskSkinDriveComboBox::~TskSkinDriveComboBox()
{
    if (FDirList != nullptr) {
        FDirList->SetDriveCombo(nullptr);
        FDirList->RemoveFreeNotification(this);
    }
}

void TskSkinDriveComboBox::SetDirList(TskSkinDirectoryListBox* Value)
{
    if (Value == FDirList) return;
    if (FDirList != nullptr) {
        FDirList->SetDriveCombo(nullptr);
        FDirList->RemoveFreeNotification(this);
    }
    FDirList = Value;
    if (FDirList != nullptr) {
        FDirList->FreeNotification(this);
        FDirList->SetDriveCombo(this);
        SetDrive(DriveOfPath(FDirList->Directory()));
    }
}

void TskSkinDriveComboBox::Notification(TComponent* AComponent, TOperation Operation)
{
    TskSkinComboBox::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FDirList) FDirList = nullptr;
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
    FSettingDrive = true;
    for (std::size_t i = 0; i < FDrives.size(); ++i) {
        if (FDrives[i].Root == root) {
            if (ItemIndex() != static_cast<int>(i)) SetItemIndex(static_cast<int>(i));
            break;
        }
    }
    FSettingDrive = false;
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
    FDrives.push_back({"/", TDriveKind::Fixed});
    for (const TOpticalVolume& v : GetOpticalVolumes(FSources)) {
        // A drive with nothing mounted has no root to browse or scan.
        if (v.RootPath.empty()) continue;
        const std::string root = WithSlash(v.RootPath);
        if (root == "/") continue;
        FDrives.push_back({root, TDriveKind::CDRom});
    }
    Items()->Clear();
    for (const TDriveItem& d : FDrives) {
        std::string caption = VolumeCaption(d.Root, FSources);
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
