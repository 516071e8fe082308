#pragma once
// The skinned filter combo box: turns a filter of name and mask pairs ("Text|*.txt|All|*.*") into one
// item per name and hands the chosen mask to a linked file list.
#include <string>
#include <vector>

#include "skin/controls/TskSkinCustomComboBox.h"

class TskSkinFileListBox;

class TskSkinFilterComboBox : public TskSkinComboBox {
public:
    explicit TskSkinFilterComboBox(TComponent* AOwner);

    static constexpr const char* DefaultFilter = "All files (*.*)|*.*";

    const std::string& Filter() const { return FFilter; }
    void SetFilter(const std::string& Value);
    // The chosen item's mask ("*.*" with no items, or when the chosen pair has an empty mask). With
    // items but none chosen, the last item is chosen first.
    std::string Mask();
    // The mask of item Index; empty outside the list.
    std::string MaskOf(int Index) const;

    TskSkinFileListBox* FileList() const { return FFileList; }
    void SetFileList(TskSkinFileListBox* Value);

    // Cuts the filter into items and masks and chooses the first item.
    void BuildList();

protected:
    void CreateWnd() override;
    void Change() override;

private:
    std::string FFilter = DefaultFilter;
    std::vector<std::string> FMasks;
    TComponentLink<TskSkinFileListBox> FFileList{this};
};
