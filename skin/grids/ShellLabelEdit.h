#pragma once
// Renaming an item of a file view in place: a name edit laid over the item's text, started by F2, the
// Rename verb or a second, slow click on the one selected item. Enter (or the keyboard leaving the edit)
// ends it with the typed name, Escape without; an empty or unchanged name renames nothing. The view
// remembers which item is being renamed; this only edits the name and times the clicks.
#include <functional>
#include <string>

#include "platform/rtl/Types.h"

class TWinControl;
class TskSkinEdit;
class TTimer;

class TShellLabelEdit {
public:
    explicit TShellLabelEdit(TWinControl* View);
    ~TShellLabelEdit();
    TShellLabelEdit(const TShellLabelEdit&) = delete;
    TShellLabelEdit& operator=(const TShellLabelEdit&) = delete;

    // Shows the edit over Where (the view's client coordinates) with Name in it, all selected.
    void Start(const std::string& Name, const TRect& Where);
    bool Editing() const { return FEditing; }
    // The name edit; nullptr before the first rename.
    TWinControl* Editor() const;

    // The slow second click: a press that Arms it (a plain press on the item that alone is selected in
    // the focused view), then its release on the same item, start the wait for the time of a double
    // click; a double click or any other press disarms it.
    void MouseDown(bool Arms);
    void MouseUp(bool SameItem);
    void Disarm();

    // The typed name, once an edit ends with one that differs from the old name.
    std::function<void(const std::string& Name)> OnRename;
    // A slow second click, once the time for a double click has passed without one.
    std::function<void()> OnSlowClick;

private:
    void End(bool Accept);

    TWinControl* FView;
    TskSkinEdit* FEdit = nullptr; // a child of the view, owned by it
    TTimer* FTimer = nullptr;     // owned by the view
    std::string FOldName;
    bool FEditing = false;
    bool FArmed = false;
};
