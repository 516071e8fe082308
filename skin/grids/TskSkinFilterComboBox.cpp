#include "skin/grids/TskSkinFilterComboBox.h"

#include "skin/grids/TskSkinFileListBox.h"

TskSkinFilterComboBox::TskSkinFilterComboBox(TComponent* AOwner) : TskSkinComboBox(AOwner) {}

void TskSkinFilterComboBox::SetFilter(const std::string& Value)
{
    // Compared exactly: names that differ only in case are still a different filter to show.
    if (Value == FFilter) return;
    FFilter = Value;
    if (HandleAllocated()) {
        BuildList();
        Change();
    }
}

void TskSkinFilterComboBox::BuildList()
{
    Items()->Clear();
    FMasks.clear();
    std::size_t pos = 0;
    while (pos < FFilter.size()) {
        const auto bar = FFilter.find('|', pos);
        // A name with no "|" after it has no mask: it is dropped.
        if (bar == std::string::npos) break;
        const std::string name = FFilter.substr(pos, bar - pos);
        const auto next = FFilter.find('|', bar + 1);
        const std::string mask = FFilter.substr(bar + 1, next == std::string::npos ? std::string::npos : next - bar - 1);
        Items()->Add(name);
        FMasks.push_back(mask);
        if (next == std::string::npos) break;
        pos = next + 1;
    }
    SetItemIndex(Items()->Count() > 0 ? 0 : -1);
}

std::string TskSkinFilterComboBox::MaskOf(int Index) const
{
    if (Index < 0 || Index >= static_cast<int>(FMasks.size())) return {};
    return FMasks[static_cast<std::size_t>(Index)];
}

std::string TskSkinFilterComboBox::Mask()
{
    if (FMasks.empty()) return "*.*";
    if (ItemIndex() < 0) SetItemIndex(static_cast<int>(FMasks.size()) - 1);
    const std::string mask = MaskOf(ItemIndex());
    // A pair with nothing after its "|" would otherwise list nothing at all.
    return mask.empty() ? "*.*" : mask;
}

void TskSkinFilterComboBox::SetFileList(TskSkinFileListBox* Value)
{
    if (Value == FFileList) return;
    FFileList = Value;
    if (FFileList != nullptr) FFileList->SetMask(Mask());
}

void TskSkinFilterComboBox::CreateWnd()
{
    TskSkinComboBox::CreateWnd();
    BuildList();
}

void TskSkinFilterComboBox::Change()
{
    TskSkinComboBox::Change();
    // While the items are being rebuilt nothing is chosen yet; the linked list gets the mask once
    // an item is.
    if (FFileList != nullptr && ItemIndex() >= 0) FFileList->SetMask(Mask());
}
