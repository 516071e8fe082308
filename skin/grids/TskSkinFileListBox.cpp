#include "skin/grids/TskSkinFileListBox.h"

#include <cerrno>
#include <optional>
#include <set>
#include <vector>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/Strings.h"
#include "platform/vcl/TCustomEdit.h"
#include "platform/vcl/TScreen.h"
#include "platform/vcl/TypInfo.h"
#include "skin/grids/FileCtrlPaths.h"
#include "skin/controls/TskSkinStdLabel.h"
#include "skin/grids/TskSkinDirectoryListBox.h"
#include "skin/grids/TskSkinDriveComboBox.h"
#include "skin/grids/TskSkinFilterComboBox.h"

namespace {

// Items that are folders carry this as their object, so FileName can drop the brackets.
void* const DirectoryMark = reinterpret_cast<void*>(1);


bool HasWildcards(const std::string& s) { return s.find_first_of("*?") != std::string::npos; }

std::vector<std::string> SplitMasks(const std::string& s)
{
    std::vector<std::string> parts;
    std::size_t pos = 0;
    for (;;) {
        const auto semi = s.find(';', pos);
        parts.push_back(Trim(s.substr(pos, semi == std::string::npos ? std::string::npos : semi - pos)));
        if (semi == std::string::npos) return parts;
        pos = semi + 1;
    }
}

} // namespace

TskSkinFileListBox::TskSkinFileListBox(TComponent* AOwner) : TskSkinListBox(AOwner)
{
    SetWidth(145);
    SetSorted(true);
    const std::string cwd = GetCurrentDir();
    FDirectory = cwd.empty() ? std::string(1, '/') : ResolveFolder("/", cwd);
}

void TskSkinFileListBox::SetDirectory(const std::string& Value)
{
    const std::string dir = ResolveFolder(FDirectory, Value);
    if (dir == FDirectory) return;
    // Checked before anything changes, so a bad name leaves the list as it was.
    if (!DirectoryExists(dir)) throw EOSError("Directory not found: \"" + dir + "\"", ENOENT);
    FDirectory = dir;
    FillFileList();
}

void TskSkinFileListBox::SetMask(const std::string& Value)
{
    const std::string mask = Value.empty() ? std::string("*.*") : Value;
    if (mask == FMask) return;
    FMask = mask;
    FillFileList();
}

void TskSkinFileListBox::SetFileType(TskFileType Value)
{
    if (Value == FFileType) return;
    FFileType = Value;
    FillFileList();
}

void TskSkinFileListBox::SetFileEdit(TEdit* Value)
{
    if (Value == FFileEdit) return;
    FFileEdit = Value;
    if (FFileEdit != nullptr) Change();
}

void TskSkinFileListBox::Update() { FillFileList(); }

void TskSkinFileListBox::FillFileList()
{
    static const int bits[] = {faReadOnly, faHidden, faSysFile, faVolumeID, faDirectory, faArchive};
    int attr = 0;
    for (int i = skftReadOnly; i <= skftArchive; ++i)
        if (FFileType.Contains(static_cast<TskFileAttr>(i))) attr |= bits[i];
    const bool all = FFileType.Contains(skftNormal);

    // The directory is searched by its full name: the process's current directory is left alone,
    // since other parts of the program resolve relative names against it.
    Items()->Clear();
    std::set<std::string> seen;
    // A folder that lists a hundred items is a long one: the hourglass shows until the list is full.
    std::optional<TBusyCursor> busy;
    for (const std::string& part : SplitMasks(FMask)) {
        if (part.empty()) continue;
        TSearchRec sr;
        for (int rc = FindFirst(JoinPath(FDirectory, part), attr, sr); rc == 0; rc = FindNext(sr)) {
            if (!all && (sr.Attr & attr) == 0) continue;
            // Masks that overlap ("*.avi;*.AVI") would otherwise list an entry twice.
            if (!seen.insert(sr.Name).second) continue;
            const int index = (sr.Attr & faDirectory) ? Items()->AddObject("[" + sr.Name + "]", DirectoryMark)
                                                      : Items()->Add(sr.Name);
            if (index >= 100 && !busy) busy.emplace();
        }
        FindClose(sr);
    }
    busy.reset();
    Change();
}

std::string TskSkinFileListBox::FileName() const
{
    const int i = ItemIndex();
    if (i < 0 || i >= Items()->Count()) return {};
    std::string name = Items()->Strings(i);
    if (Items()->Objects(i) == DirectoryMark && name.size() >= 2) name = name.substr(1, name.size() - 2);
    return JoinPath(FDirectory, name);
}

void TskSkinFileListBox::SetFileName(const std::string& Value)
{
    const TEditPath parts = SplitEditPath(Value, FDirectory);
    // The folder goes through the linked directory list, which hands it on to this list.
    if (FDirList != nullptr)
        FDirList->SetDirectory(parts.Directory);
    else
        SetDirectory(parts.Directory);
    if (parts.FileName.empty())
        return;
    if (HasWildcards(parts.FileName)) {
        SetMask(parts.FileName);
        return;
    }
    for (int i = 0; i < Items()->Count(); ++i) {
        if (Items()->Strings(i) == parts.FileName && Items()->Objects(i) != DirectoryMark) {
            SetItemIndex(i);
            Change();
            return;
        }
    }
    // A name that is not there lists what matches it (nothing, or the file once it exists).
    SetMask(parts.FileName);
}

void TskSkinFileListBox::SetDirList(TskSkinDirectoryListBox* Value)
{
    if (Value == FDirList) return;
    FDirList = Value;
}

void TskSkinFileListBox::Change()
{
    FLastIndex = ItemIndex();
    if (FFileEdit != nullptr) {
        const std::string shown = FLastIndex >= 0 ? ExtractFileName(FileName()) : FMask;
        FFileEdit->SetText(shown);
        FFileEdit->SelectAll();
    }
    if (OnChange) OnChange(this);
}

void TskSkinFileListBox::ListBoxClick()
{
    // The click handler may free the list.
    const auto alive = FAlive.Watch();
    TskSkinListBox::ListBoxClick();
    if (*alive && ItemIndex() != FLastIndex) Change();
}

void RegisterFileCtrlClasses()
{
    static const bool done = [] {
        RegisterSkinComboBoxClass();
        RegisterEnum<TTextCase>({"tcLowerCase", "tcUpperCase"});
        RegisterEnum<TskFileAttr>({"skftReadOnly", "skftHidden", "skftSystem", "skftVolumeID", "skftDirectory",
                                   "skftArchive", "skftNormal"});
        using D = TskSkinDriveComboBox;
        RegisterClass<D, TskSkinComboBox>("TskSkinDriveComboBox")
            .Prop("TextCase", &D::TextCase, &D::SetTextCase, tcLowerCase)
            .Prop("DirList", &D::DirList, &D::SetDirList);
        using F = TskSkinFilterComboBox;
        RegisterClass<F, TskSkinComboBox>("TskSkinFilterComboBox")
            .Prop("Filter", &F::Filter, &F::SetFilter)
            .Prop("FileList", &F::FileList, &F::SetFileList);
        using L = TskSkinFileListBox;
        RegisterClass<L, TskSkinListBox>("TskSkinFileListBox")
            .Prop("Mask", &L::Mask, &L::SetMask)
            .Prop("FileType", &L::FileType, &L::SetFileType, TskFileType{skftNormal})
            .Prop("FileEdit", &L::FileEdit, &L::SetFileEdit)
            .Event("OnChange", &L::OnChange);
        using R = TskSkinDirectoryListBox;
        RegisterClass<R, TskSkinListBox>("TskSkinDirectoryListBox")
            .Prop("FileList", &R::FileList, &R::SetFileList)
            .Prop("DirLabel", &R::DirLabel, &R::SetDirLabel)
            .Event("OnChange", &R::OnChange);
        return true;
    }();
    (void)done;
}
