#pragma once
// The single-line edit: a caret and a selection moved by mouse and keys, typing with MaxLength,
// CharCase, ReadOnly and PasswordChar, one level of undo, the clipboard, a formatting rectangle with
// margins, and alignment. It answers the edit messages (EM_*) that skinned edits send, and asks its
// colours through CN_CTLCOLOREDIT before painting, so that a subclass can paint transparently.
#include <string>

#include "platform/vcl/StdCtrls.h"
#include "platform/vcl/TCustomControl.h"

// Edit messages.
constexpr UINT EM_GETSEL = 0x00B0;
constexpr UINT EM_SETSEL = 0x00B1;
constexpr UINT EM_GETRECT = 0x00B2;
constexpr UINT EM_SETRECT = 0x00B3;
constexpr UINT EM_SETRECTNP = 0x00B4;
constexpr UINT EM_SCROLLCARET = 0x00B7;
constexpr UINT EM_GETMODIFY = 0x00B8;
constexpr UINT EM_SETMODIFY = 0x00B9;
constexpr UINT EM_GETLINECOUNT = 0x00BA;
constexpr UINT EM_REPLACESEL = 0x00C2;
constexpr UINT EM_LIMITTEXT = 0x00C5;
constexpr UINT EM_CANUNDO = 0x00C6;
constexpr UINT EM_UNDO = 0x00C7;
constexpr UINT EM_SETPASSWORDCHAR = 0x00CC;
constexpr UINT EM_EMPTYUNDOBUFFER = 0x00CD;
constexpr UINT EM_SETREADONLY = 0x00CF;
constexpr UINT EM_SETMARGINS = 0x00D3;
constexpr UINT EM_GETMARGINS = 0x00D4;
constexpr UINT EM_POSFROMCHAR = 0x00D6;
constexpr UINT EM_CHARFROMPOS = 0x00D7;
constexpr WPARAM EC_LEFTMARGIN = 0x0001;
constexpr WPARAM EC_RIGHTMARGIN = 0x0002;
// Edit styles.
constexpr DWORD ES_LEFT = 0x0000;
constexpr DWORD ES_CENTER = 0x0001;
constexpr DWORD ES_RIGHT = 0x0002;
constexpr DWORD ES_MULTILINE = 0x0004;
constexpr DWORD ES_PASSWORD = 0x0020;
constexpr DWORD ES_AUTOHSCROLL = 0x0080;
constexpr DWORD ES_READONLY = 0x0800;

class TCustomEdit : public TCustomControl {
public:
    explicit TCustomEdit(TComponent* AOwner);

    int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int Value);
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value);
    // 0 shows the text itself.
    char PasswordChar() const { return FPasswordChar; }
    void SetPasswordChar(char Value);
    TEditCharCase CharCase() const { return FCharCase; }
    void SetCharCase(TEditCharCase Value);
    bool AutoSelect() const { return FAutoSelect; }
    void SetAutoSelect(bool Value) { FAutoSelect = Value; }
    bool HideSelection() const { return FHideSelection; }
    void SetHideSelection(bool Value);
    bool BorderSingle() const { return FBorderSingle; }
    int BorderStyleValue() const { return FBorderSingle ? 1 : 0; }
    void SetBorderStyleValue(int Value);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    bool Modified() const { return FModified; }
    void SetModified(bool Value) { FModified = Value; }
    bool OEMConvert() const { return false; }
    void SetOEMConvert(bool) {}

    // Positions count characters (code points), from 0.
    int SelStart() const;
    void SetSelStart(int Value);
    int SelLength() const;
    void SetSelLength(int Value);
    std::string SelText() const;
    void SelectAll();
    void ClearSelection();
    void CopyToClipboard();
    void CutToClipboard();
    void PasteFromClipboard();
    void Undo();
    bool CanUndo() const { return FCanUndo; }
    void Clear() { SetText(""); }
    int GetTextLen() const { return static_cast<int>(FChars.size()); }
    // Character index under a client point, and the client point of a character's left edge.
    virtual int CharFromPos(TPoint P);
    virtual TPoint PosFromChar(int Index);
    // The rectangle the text is laid out in (client coordinates).
    TRect FormattingRect() const;
    int LeftMargin() const { return FLeftMargin; }
    int RightMargin() const { return FRightMargin; }
    void SetMargins(int Left, int Right);

    TNotifyEvent OnChange;

protected:
    void CreateParams(TCreateParams& Params) override;
    std::string GetText() const override;
    void SetTextValue(const std::string& Value) override;
    void Paint() override;
    void WndProc(TMessage& Message) override;
    void DefaultHandler(TMessage& Message) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void DblClick() override;
    void DoEnter() override;
    void DoExit() override;
    virtual void Change();
    // Lets the subclass veto a typed character (after OnKeyPress).
    virtual bool AcceptChar(char32_t Ch) { return Ch >= 32; }
    // The text as displayed (password characters instead of the text).
    std::u32string DisplayChars() const;
    // Pixel offsets of every character boundary of the display text, for the current font.
    std::vector<int> Offsets() const;
    virtual void ScrollCaretIntoView();
    bool HasFormatRect() const { return FHasFormatRect; }
    // Memos keep line breaks ("\r\n") in the text.
    virtual bool MultiLine() const { return false; }
    virtual void EditKeyDown(WORD Key);
    virtual void EditChar(char32_t Ch);
    void ReplaceSelection(const std::u32string& With, bool Undoable);
    void MoveCaret(int NewCaret, bool Extend);

    std::u32string FChars;
    int FAnchor = 0;
    int FCaret = 0;
    int FScrollX = 0;

private:
    void SaveUndo();
    int WordStart(int From) const;
    int WordEnd(int From) const;
    void TextChanged();

    int FMaxLength = 0;
    bool FReadOnly = false;
    char FPasswordChar = 0;
    TEditCharCase FCharCase = ecNormal;
    bool FAutoSelect = true;
    bool FHideSelection = true;
    bool FBorderSingle = true;
    TAlignment FAlignment = taLeftJustify;
    bool FModified = false;
    int FLeftMargin = 1;
    int FRightMargin = 1;
    bool FHasFormatRect = false;
    TRect FFormatRect;
    bool FCanUndo = false;
    std::u32string FUndoChars;
    int FUndoAnchor = 0;
    int FUndoCaret = 0;
    bool FSelecting = false;
    bool FEnterByMouse = false;
};

class TEdit : public TCustomEdit {
public:
    using TCustomEdit::TCustomEdit;
};

// The masked edit the skinned edits build on. The mask is kept (EditMask) but typing is not
// checked against it: no form of this program uses one.
class TCustomMaskEdit : public TCustomEdit {
public:
    using TCustomEdit::TCustomEdit;
    const std::string& EditMask() const { return FEditMask; }
    void SetEditMask(const std::string& Value) { FEditMask = Value; }

private:
    std::string FEditMask;
};

class TMaskEdit : public TCustomMaskEdit {
public:
    using TCustomMaskEdit::TCustomMaskEdit;
};

std::u32string Utf8ToChars(const std::string& Text);
std::string CharsToUtf8(const std::u32string& Chars);

void RegisterEditClasses();
