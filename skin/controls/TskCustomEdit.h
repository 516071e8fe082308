#pragma once
// The single-line edit the skinned edits and the skinned combo box build on: no frame of its own, an
// optional transparent look over its parent, its own ReadOnly (the window stays writable, so it keeps
// its normal colours), Enter and Escape handed on to the form so that default and cancel buttons work,
// and a context menu of edit commands built at each request and freed once a command has run (see
// TskEditContextMenu).
#include "platform/vcl/TCustomEdit.h"
#include "platform/vcl/TMenu.h"
#include "skin/controls/SkinEditParts.h"
#include "skin/data/SkinMessages.h"

class TskSkinData;

class TskCustomEdit : public TCustomMaskEdit {
public:
    explicit TskCustomEdit(TComponent* AOwner);
    ~TskCustomEdit() override;

    // The edit's own read-only flag: typing, Delete, cut, paste, clear and undo are refused while it is
    // set; selecting and copying still work.
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value);
    // Text drawn straight over what lies behind the edit. Recreates the window.
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool Value);

    // The context menu now open (between a request and the end of its command), or nullptr.
    TPopupMenu* EditContextMenu() const { return FMenu.Menu(); }
    // Shows the edit-command menu at a screen point; a negative coordinate means "from the keyboard"
    // and opens it at the edit's centre.
    void ShowEditContextMenu(TPoint ScreenPos);

    void Invalidate() override;

    // After the cancel-mode notification (the combo box closes its list on it).
    TNotifyEvent OnCancelMode;

protected:
    void CreateParams(TCreateParams& Params) override;
    void WndProc(TMessage& Message) override;
    void EditKeyDown(WORD Key) override;
    void EditChar(char32_t Ch) override;
    // The skin whose UI texts the menu shows: that of the form's skinned frame, or nullptr.
    TskSkinData* MenuSkinData() const;
    // The top-left corner of the client area in window coordinates.
    TPoint ClientOffset() { return ClientOffsetInWindow(this); }
    bool Designing() const { return ComponentState().Contains(csDesigning); }

    bool FMouseDown = false;

private:
    bool HandleEnterOrEscape(TMessage& Message);

    bool FReadOnly = false;
    bool FTransparent = false;
    TskEditContextMenu FMenu{this};
};
