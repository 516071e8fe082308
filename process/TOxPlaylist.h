#pragma once
// A list of file paths shown as display names: with or without the drive and the extension,
// optionally numbered. The conversion driver keeps the files it produced in one.
#include <memory>

#include "platform/rtl/TStringList.h"
#include "process/TOxListBox.h"

class TOxPlaylist : public TOxListBox {
public:
    explicit TOxPlaylist(TComponent* AOwner);
    ~TOxPlaylist() override;

    // The paths (the shown lines are the list box's own Items of TOxListBox).
    TStringList* Items() const { return FItems.get(); }
    void SetItems(TStrings* Value);
    TStrings* ShownLines() const { return TOxListBox::Items(); }

    bool ShowDrive() const { return FShowDrive; }
    void SetShowDrive(bool Value);
    bool ShowNumbers() const { return FShowNumbers; }
    void SetShowNumbers(bool Value);
    bool ShowExtension() const { return FShowExtension; }
    void SetShowExtension(bool Value);

    void AddItem(const std::string& Item, void* AObject) { FItems->AddObject(Item, AObject); }
    // Empties the shown lines only; the paths stay and the next change of them shows them again.
    void Clear() { TOxListBox::Items()->Clear(); }

    // The text of the line that shows Path at Index.
    std::string BuildDisplayName(const std::string& Path, int Index) const;
    void RefreshDisplay();

    void MoveSelectedUp() override;
    void MoveSelectedDown() override;

protected:
    void Changed() override;
    void ItemDeleting(int Index) override;

private:
    void BindItems();
    void UnbindItems();
    void MoveSelected(int Step);

    std::unique_ptr<TStringList> FItems;
    bool FShowNumbers = false;
    bool FShowExtension = false;
    bool FUpdating = false;
    bool FShowDrive = true;
};

void RegisterOxPlaylistClasses();
