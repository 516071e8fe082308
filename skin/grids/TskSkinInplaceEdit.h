#pragma once
// The grid's in-place editor: a borderless mask edit laid over the current cell while the grid edits.
// It takes its text, mask and length limit from the grid, hands every change of the text back to the
// grid at once, sends navigation keys to the grid, and offers a context menu of edit commands (see
// TskEditContextMenu).
//
// TskSkinTransparentMaskEdit is the mask edit that can draw straight over its parent: with Transparent
// the parent's picture shows behind the text, and the edit repaints whenever what it shows may have
// moved (typing, focus, clipboard commands, a drag of the selection).
#include <string>

#include "platform/vcl/TCustomEdit.h"
#include "platform/vcl/TMenu.h"
#include "skin/controls/SkinEditParts.h"
#include "skin/data/SkinMessages.h"

class TskSkinCustomGrid;

class TskSkinTransparentMaskEdit : public TCustomMaskEdit {
public:
    explicit TskSkinTransparentMaskEdit(TComponent* AOwner);

    bool Transparent() const { return FTransparent; }
    // Recreates the window (the transparent extended style changes).
    void SetTransparent(bool Value);

    void Invalidate() override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void WndProc(TMessage& Message) override;
    // The top-left corner of the client area in window coordinates.
    TPoint ClientOffset() { return ClientOffsetInWindow(this); }

    // Set while the left button is held down in the edit.
    bool FLButtonDown = false;

private:
    bool FTransparent = false;
};

class TskSkinInplaceEdit : public TskSkinTransparentMaskEdit {
public:
    explicit TskSkinInplaceEdit(TComponent* AOwner);
    ~TskSkinInplaceEdit() override;

    TskSkinCustomGrid* Grid() const { return FGrid; }
    void SetGrid(TskSkinCustomGrid* Value) { FGrid = Value; }

    // Reloads mask, text and length limit of the grid's current cell. Setting the text here is not an
    // edit: the grid is not told about it.
    void UpdateContents();
    // Places the editor over Loc (grid client coordinates) and shows it; an empty rectangle hides it.
    void Move(const TRect& Loc);
    // As Move, and repaints the editor even when it was already shown.
    void UpdateLoc(const TRect& Loc);
    // Hides the editor (the window is kept), giving the focus back to the grid when the editor had it.
    void Hide();
    // Caret to the end, nothing selected.
    void Deselect();
    // The time (milliseconds of the message clock) of the grid's last left press; 0 for none. A press
    // in the editor soon after it is the second click of a double click.
    void SetClickTime(DWORD Value) { FClickTime = Value; }
    // Whether the editor is shown (its window exists and is visible).
    bool Shown() const;

    // The context menu now open (between a request and the end of its command), or nullptr.
    TPopupMenu* EditContextMenu() const { return FMenu.Menu(); }
    // Shows the edit-command menu at a screen point; a negative coordinate (a keyboard request) opens
    // it at the editor's centre.
    void ShowEditContextMenu(TPoint ScreenPos);

    void Invalidate() override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void WndProc(TMessage& Message) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyUp(WORD& Key, TShiftState Shift) override;
    void KeyPress(TKeyChar& Key) override;
    void DblClick() override;
    void Change() override;
    void BoundsChanged(const TRect& OldBounds) override;

private:
    friend class TskSkinCustomGrid;
    void InternalMove(const TRect& Loc, bool Redraw);
    void SetFormatRect();
    void SendToGrid(WORD& Key, TShiftState Shift);
    bool GridCanModify() const;

    TskSkinCustomGrid* FGrid = nullptr;
    DWORD FClickTime = 0;
    TskEditContextMenu FMenu{this};
    bool FLoading = false; // UpdateContents is setting the text
    bool FHiding = false;  // Hide is handing the focus back to the grid
};

// Tells the form reader about the editor classes.
void RegisterInplaceEditClasses();
