#include "skin/grids/TskSkinInplaceEdit.h"

#include <algorithm>
#include <functional>

#include "platform/rtl/ScopeGuards.h"
#include "platform/vcl/TBitmap.h"
#include "platform/vcl/TForm.h"
#include "platform/vcl/TypInfo.h"
#include "platform/win/Input.h"
#include "platform/win/MessageQueue.h"
#include "platform/win/Screen.h"
#include "skin/data/SkinDrawUtils.h"
#include "skin/data/SkinEntryFont.h"
#include "skin/data/SkinMessages.h"
#include "skin/data/SkinStrings.h"
#include "skin/data/TskDataSkinMainMenuBar.h"
#include "skin/data/TskResourceStrData.h"
#include "skin/data/TskSkinData.h"
#include "skin/grids/TskSkinCustomGrid.h"

// =============================================================================================
// TskSkinTransparentMaskEdit

TskSkinTransparentMaskEdit::TskSkinTransparentMaskEdit(TComponent* AOwner) : TCustomMaskEdit(AOwner)
{
    FControlStyle.Include(csOpaque);
}

void TskSkinTransparentMaskEdit::SetTransparent(bool Value)
{
    FTransparent = Value;
    RecreateWnd();
}

void TskSkinTransparentMaskEdit::CreateParams(TCreateParams& Params)
{
    TCustomMaskEdit::CreateParams(Params);
    Params.ExStyle &= ~WS_EX_TRANSPARENT;
    if (FTransparent)
        Params.ExStyle |= WS_EX_TRANSPARENT;
}

void TskSkinTransparentMaskEdit::Invalidate()
{
    if (!FTransparent || !HandleAllocated() || Parent() == nullptr || !Parent()->HandleAllocated()) {
        TCustomMaskEdit::Invalidate();
        return;
    }
    // What shows through is painted again first: the parent under the edit, then the edit and its frame.
    const TRect inParent = BoundsRect();
    InvalidateRect(Parent()->Handle(), &inParent, TRUE);
    RedrawWindow(FHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
}

void TskSkinTransparentMaskEdit::WndProc(TMessage& Message)
{
    if (FTransparent) {
        switch (Message.Msg) {
        case CN_CTLCOLOREDIT:
        case CN_CTLCOLORSTATIC: {
            HDC dc = reinterpret_cast<HDC>(Message.WParam);
            SetBkMode(dc, TRANSPARENT);
            SetTextColor(dc, ColorToRGB(Font()->Color()));
            Message.Result = 0; // the null brush: nothing is filled behind the text
            return;
        }
        case WM_ERASEBKGND:
            // Instead of a fill, the parent's picture, so the text never lands on stale pixels.
            if (Message.WParam != 0)
                PaintParentUnderClient(this, reinterpret_cast<HDC>(Message.WParam));
            Message.Result = 1;
            return;
        default: break;
        }
    }
    switch (Message.Msg) {
    case WM_LBUTTONDOWN: FLButtonDown = true; break;
    case WM_LBUTTONUP: FLButtonDown = false; break;
    default: break;
    }
    TCustomMaskEdit::WndProc(Message);
    if (!FTransparent)
        return;
    switch (Message.Msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_SETTEXT:
    case CM_TEXTCHANGED:
    case WM_KEYDOWN:
    case WM_CHAR:
    case WM_MOVE:
    case WM_CUT:
    case WM_PASTE:
    case WM_CLEAR:
    case WM_UNDO:
    case WM_LBUTTONDOWN:
        Invalidate();
        break;
    case WM_MOUSEMOVE:
        if (FLButtonDown)
            Invalidate();
        break;
    default: break;
    }
}

// =============================================================================================
// TskSkinInplaceEdit

TskSkinInplaceEdit::TskSkinInplaceEdit(TComponent* AOwner) : TskSkinTransparentMaskEdit(AOwner)
{
    FControlStyle.Include(csDoubleClicks);
    SetTabStop(false);
    SetBorderStyleValue(0);
    // Shown only once it is placed over a cell.
    SetVisible(false);
}

TskSkinInplaceEdit::~TskSkinInplaceEdit() = default;

void TskSkinInplaceEdit::CreateParams(TCreateParams& Params)
{
    TskSkinTransparentMaskEdit::CreateParams(Params);
    // Multi-line, so that Return reaches the editor instead of the form's default button.
    Params.Style = (Params.Style | ES_MULTILINE) & ~WS_BORDER;
    Params.ExStyle &= ~WS_EX_CLIENTEDGE;
}

bool TskSkinInplaceEdit::Shown() const { return HandleAllocated() && Visible(); }

void TskSkinInplaceEdit::UpdateContents()
{
    if (FGrid == nullptr)
        return;
    // A multi-line edit does not report text set by the program: loading a cell is no edit of it.
    TValueGuard loading(FLoading);
    SetText("");
    SetEditMask(FGrid->GetEditMask(FGrid->Col(), FGrid->Row()));
    SetText(FGrid->GetEditText(FGrid->Col(), FGrid->Row()));
    // -1 marks a read-only cell; the edit itself knows no negative limit.
    SetMaxLength(std::max(0, FGrid->GetEditLimit()));
}

void TskSkinInplaceEdit::Move(const TRect& Loc) { InternalMove(Loc, false); }

void TskSkinInplaceEdit::UpdateLoc(const TRect& Loc) { InternalMove(Loc, true); }

void TskSkinInplaceEdit::InternalMove(const TRect& Loc, bool Redraw)
{
    if (Loc.IsEmpty()) {
        Hide();
        return;
    }
    HandleNeeded();
    const bool wasHidden = !Visible();
    Invalidate();
    SetBounds(Loc.Left, Loc.Top, Loc.Width(), Loc.Height());
    SetVisible(true);
    SetFormatRect();
    if (Redraw || wasHidden)
        Invalidate();
    if (FGrid != nullptr && FGrid->Focused())
        ::SetFocus(Handle());
}

void TskSkinInplaceEdit::Hide()
{
    if (!HandleAllocated() || !Visible())
        return;
    Invalidate();
    // The focus goes back to the grid before the window disappears, so it is never left nowhere.
    if (Focused() && FGrid != nullptr && FGrid->HandleAllocated()) {
        TValueGuard hiding(FHiding);
        ::SetFocus(FGrid->Handle());
    }
    SetVisible(false);
}

void TskSkinInplaceEdit::Deselect()
{
    SetSelStart(GetTextLen());
    SetSelLength(0);
}

void TskSkinInplaceEdit::Invalidate()
{
    if (Transparent()) {
        TskSkinTransparentMaskEdit::Invalidate();
        return;
    }
    if (!HandleAllocated())
        return;
    InvalidateRect(FHandle, nullptr, TRUE);
    if (FGrid != nullptr && FGrid->HandleAllocated()) {
        const TRect under = BoundsRect();
        InvalidateRect(FGrid->Handle(), &under, FALSE);
    }
}

void TskSkinInplaceEdit::SetFormatRect()
{
    if (!HandleAllocated())
        return;
    TRect r = Rect(2, 2, ClientWidth() - 2, ClientHeight());
    Perform(EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&r));
    Perform(EM_SCROLLCARET, 0, 0);
}

void TskSkinInplaceEdit::BoundsChanged(const TRect& OldBounds)
{
    TskSkinTransparentMaskEdit::BoundsChanged(OldBounds);
    SetFormatRect();
}

bool TskSkinInplaceEdit::GridCanModify() const { return FGrid == nullptr || FGrid->CanEditModify(); }

void TskSkinInplaceEdit::SendToGrid(WORD& Key, TShiftState Shift)
{
    if (FGrid != nullptr)
        FGrid->KeyDown(Key, Shift);
    Key = 0;
}

void TskSkinInplaceEdit::KeyDown(WORD& Key, TShiftState Shift)
{
    if (FGrid == nullptr) {
        TskSkinTransparentMaskEdit::KeyDown(Key, Shift);
        return;
    }
    const bool always = FGrid->Options().Contains(goAlwaysShowEditor);
    const bool ctrl = Shift.Contains(ssCtrl);
    const int selStart = SelStart();
    const int selEnd = SelStart() + SelLength();
    const int len = GetTextLen();
    const bool noModifiers = !Shift.Contains(ssShift) && !ctrl && !Shift.Contains(ssAlt);
    // The grid's own key handler sees the key first, as if it had the focus.
    auto parentEvent = [&] {
        if (FGrid->OnKeyDown)
            FGrid->OnKeyDown(FGrid, Key, Shift);
    };
    switch (Key) {
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_ESCAPE: SendToGrid(Key, Shift); return;
    case VK_TAB:
        if (!Shift.Contains(ssAlt)) {
            SendToGrid(Key, Shift);
            return;
        }
        break;
    case VK_LEFT:
    case VK_HOME:
        if (always && (ctrl || (selStart == 0 && (selEnd == 0 || selEnd == len)))) {
            SendToGrid(Key, Shift);
            return;
        }
        break;
    case VK_RIGHT:
    case VK_END:
        if (always && (ctrl || ((selStart == 0 || selStart == selEnd) && selEnd == len))) {
            SendToGrid(Key, Shift);
            return;
        }
        break;
    case VK_INSERT:
        if (noModifiers) {
            SendToGrid(Key, Shift);
            return;
        }
        if (Shift == TShiftState{ssShift} && !GridCanModify()) {
            Key = 0; // paste into a read-only cell
            return;
        }
        break;
    case VK_DELETE:
        if (!GridCanModify()) {
            Key = 0;
            return;
        }
        break;
    case VK_F2:
        parentEvent();
        if (Key == VK_F2)
            Deselect();
        return;
    case VK_APPS:
        Perform(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(FHandle), static_cast<LPARAM>(0xFFFFFFFF));
        Key = 0;
        return;
    default: break;
    }
    // The keyboard's cut, paste and undo change a read-only cell as much as typing would.
    if (ctrl && !Shift.Contains(ssShift) && (Key == 'X' || Key == 'V' || Key == 'Z') && !GridCanModify()) {
        Key = 0;
        return;
    }
    parentEvent();
    if (Key != 0)
        TskSkinTransparentMaskEdit::KeyDown(Key, Shift);
}

void TskSkinInplaceEdit::KeyUp(WORD& Key, TShiftState Shift)
{
    if (FGrid != nullptr)
        FGrid->KeyUp(Key, Shift);
    if (Key != 0)
        TskSkinTransparentMaskEdit::KeyUp(Key, Shift);
}

void TskSkinInplaceEdit::KeyPress(TKeyChar& Key)
{
    if (FGrid != nullptr) {
        FGrid->KeyPress(Key);
        if (Key >= 32 && Key <= 255 && !FGrid->CanEditAcceptKey(Key)) {
            Key = 0;
            MessageBeep(0);
        }
    }
    switch (Key) {
    case 9:
    case 27: Key = 0; break;
    case 13:
        if (SelStart() == 0 && SelLength() == GetTextLen())
            Deselect();
        else
            SelectAll();
        Key = 0;
        break;
    case 8:
    case 22: // Ctrl+V
    case 24: // Ctrl+X
        if (!GridCanModify())
            Key = 0;
        break;
    default:
        if (Key >= 32 && !GridCanModify())
            Key = 0;
        break;
    }
    if (Key != 0)
        TskSkinTransparentMaskEdit::KeyPress(Key);
}

void TskSkinInplaceEdit::DblClick()
{
    if (FGrid != nullptr)
        FGrid->DblClick();
}

void TskSkinInplaceEdit::Change()
{
    TskSkinTransparentMaskEdit::Change();
    // Every edit reaches the cell at once, so the cell always shows what the editor holds.
    if (!FLoading && FGrid != nullptr)
        FGrid->UpdateText();
}

void TskSkinInplaceEdit::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_GETDLGCODE:
        TskSkinTransparentMaskEdit::WndProc(Message);
        Message.Result |= DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_WANTALLKEYS;
        if (FGrid != nullptr && FGrid->Options().Contains(goTabs))
            Message.Result |= DLGC_WANTTAB;
        return;
    case WM_LBUTTONDOWN: {
        // The first click landed on the grid (which then showed the editor): this is the second.
        const DWORD now = static_cast<DWORD>(WinClockNow());
        if (FClickTime != 0 && now - FClickTime < GetDoubleClickTime())
            Message.Msg = WM_LBUTTONDBLCLK;
        FClickTime = 0;
        break;
    }
    case WM_MOUSEWHEEL:
        if (FGrid != nullptr) {
            Message.Result = FGrid->Perform(Message.Msg, Message.WParam, Message.LParam);
            return;
        }
        break;
    case WM_SETFOCUS:
        TskSkinTransparentMaskEdit::WndProc(Message);
        // For the form the grid keeps the focus: the editor is a part of it.
        if (FGrid != nullptr)
            if (TCustomForm* form = GetParentForm(); form != nullptr)
                form->SetFocusedControl(FGrid);
        return;
    case WM_KILLFOCUS: {
        TskSkinTransparentMaskEdit::WndProc(Message);
        const HWND next = reinterpret_cast<HWND>(Message.WParam);
        // Leaving for anything but the grid leaves the grid: editing ends there.
        if (FGrid != nullptr && !FGrid->Options().Contains(goAlwaysShowEditor) &&
            !(FGrid->HandleAllocated() && next == FGrid->Handle()) && !ComponentState().Contains(csDestroying))
            FGrid->HideEditor();
        return;
    }
    case WM_CUT:
    case WM_PASTE:
    case WM_CLEAR:
    case WM_UNDO:
    case EM_UNDO:
        if (!GridCanModify())
            return;
        break;
    case WM_RBUTTONUP:
    case WM_CONTEXTMENU: {
        auto release = [this](TPoint P, TShiftState Shift) {
            MouseUp(mbRight, Shift, P.X, P.Y);
            return !ComponentState().Contains(csDestroying) && !DoContextPopup(ClientToScreen(P));
        };
        if (FMenu.AnswerRequest(Message, release, [this](TPoint P) { ShowEditContextMenu(P); }))
            return;
        break;
    }
    case WM_AFTERSKINMENUCLICK: FMenu.Free(); return;
    default: break;
    }
    TskSkinTransparentMaskEdit::WndProc(Message);
}

void TskSkinInplaceEdit::ShowEditContextMenu(TPoint ScreenPos)
{
    FMenu.Show(ScreenPos, FGrid != nullptr ? FGrid->SkinData() : nullptr, GridCanModify() && !ReadOnly());
}

void RegisterInplaceEditClasses()
{
    static const bool done = [] {
        RegisterEditClasses();
        RegisterClass<TskSkinTransparentMaskEdit, TCustomMaskEdit>("TskSkinTransparentMaskEdit")
            .Prop("Transparent", &TskSkinTransparentMaskEdit::Transparent, &TskSkinTransparentMaskEdit::SetTransparent,
                false);
        RegisterClass<TskSkinInplaceEdit, TskSkinTransparentMaskEdit>("TskSkinInplaceEdit");
        return true;
    }();
    (void)done;
}

// =============================================================================================
// The grid's side of editing: when the editor shows, where, and what it hands back.

TskSkinInplaceEdit* TskSkinCustomGrid::CreateEditor()
{
    return new TskSkinInplaceEdit(this);
}

bool TskSkinCustomGrid::CanEditShow()
{
    if (!FOptions.Contains(goEditing) || FOptions.Contains(goRowSelect) || !FEditorMode || Designing() ||
        !HandleAllocated())
        return false;
    return FOptions.Contains(goAlwaysShowEditor) || IsActiveControl();
}

bool TskSkinCustomGrid::IsActiveControl()
{
    if (Focused() || (FInplaceEdit != nullptr && FInplaceEdit->Focused()))
        return true;
    const TCustomForm* form = GetParentForm();
    return form != nullptr && form->ActiveControl() != nullptr &&
           (form->ActiveControl() == this || form->ActiveControl() == FInplaceEdit);
}

void TskSkinCustomGrid::SetUpEditor()
{
    TskSkinInplaceEdit* edit = FInplaceEdit;
    const TskDataSkinGridControl* entry = Skinned() ? GridEntry() : nullptr;
    const bool transparent = FTransparent || (entry != nullptr && FBGPicture != nullptr);
    if (transparent != edit->Transparent())
        edit->SetTransparent(transparent);
    FInplaceCol = FCurrent.X;
    FInplaceRow = FCurrent.Y;
    if (entry == nullptr) {
        edit->SetColor(clWindow);
        edit->Font()->Assign(Font());
    } else {
        edit->SetColor(entry->BGColor);
        SelectEntryFont(edit->Font(), Font(), FUseSkinFont ? entry : nullptr, SkinData(), Font()->Charset());
        edit->Font()->SetColor(entry->FontColor);
    }
    edit->UpdateContents();
    FCanEditModify = GetEditLimit() != -1;
    FEditStartText = edit->Text();
    edit->SelectAll();
}

void TskSkinCustomGrid::UpdateEdit()
{
    if (!CanEditShow())
        return;
    if (FInplaceEdit == nullptr) {
        FInplaceEdit = CreateEditor();
        FInplaceEdit->SetGrid(this);
        FInplaceEdit->SetParent(this);
        SetUpEditor();
    } else if (FCurrent.X != FInplaceCol || FCurrent.Y != FInplaceRow) {
        HideEdit();
        SetUpEditor();
    }
    // Setting up runs the grid's handlers, which may have ended editing.
    if (FInplaceEdit != nullptr && CanEditShow())
        FInplaceEdit->Move(CellRect(FCurrent.X, FCurrent.Y));
}

void TskSkinCustomGrid::InvalidateEditor()
{
    FInplaceCol = -1;
    FInplaceRow = -1;
    UpdateEdit();
}

void TskSkinCustomGrid::UpdateText()
{
    if (FInplaceEdit != nullptr && FInplaceCol != -1 && FInplaceRow != -1)
        SetEditText(FInplaceCol, FInplaceRow, FInplaceEdit->Text());
}

void TskSkinCustomGrid::HideEdit()
{
    if (FInplaceEdit == nullptr)
        return;
    try {
        UpdateText();
    } catch (...) {
        FInplaceCol = -1;
        FInplaceRow = -1;
        FInplaceEdit->Hide();
        throw;
    }
    FInplaceCol = -1;
    FInplaceRow = -1;
    FInplaceEdit->Hide();
}

void TskSkinCustomGrid::ShowEditor()
{
    if (!FOptions.Contains(goEditing) || FOptions.Contains(goRowSelect))
        return;
    FEditorMode = true;
    UpdateEdit();
    InvalidateCell(FCurrent.X, FCurrent.Y);
}

void TskSkinCustomGrid::HideEditor()
{
    const bool wasOn = FEditorMode;
    FEditorMode = false;
    HideEdit();
    if (wasOn)
        InvalidateCell(FCurrent.X, FCurrent.Y);
}

void TskSkinCustomGrid::ShowEditorChar(TKeyChar Ch)
{
    ShowEditor();
    if (FInplaceEdit != nullptr && FInplaceEdit->Shown())
        PostMessage(FInplaceEdit->Handle(), WM_CHAR, static_cast<WPARAM>(Ch), 0);
}

void TskSkinCustomGrid::SetEditorMode(bool Value)
{
    if (Value) {
        ShowEditor();
        if (FInplaceEdit != nullptr)
            FInplaceEdit->Deselect();
    } else {
        HideEditor();
    }
}

void TskSkinCustomGrid::CancelEdit()
{
    if (FInplaceEdit == nullptr || FInplaceCol == -1 || FInplaceRow == -1)
        return;
    {
        TValueGuard loading(FInplaceEdit->FLoading);
        FInplaceEdit->SetText(FEditStartText);
    }
    SetEditText(FInplaceCol, FInplaceRow, FEditStartText);
    if (FOptions.Contains(goAlwaysShowEditor))
        FInplaceEdit->SelectAll();
    else
        HideEditor();
}

void TskSkinCustomGrid::KeyPress(TKeyChar& Key)
{
    TskSkinControl::KeyPress(Key);
    // Return opens the editor, and in the editor ends editing (unless the editor is always shown).
    if (Key == 13 && !FOptions.Contains(goAlwaysShowEditor)) {
        if (FEditorMode)
            HideEditor();
        else
            ShowEditor();
        Key = 0;
    }
}

void TskSkinCustomGrid::FreeEditor()
{
    TskSkinInplaceEdit* edit = FInplaceEdit;
    FInplaceEdit = nullptr;
    if (edit != nullptr) {
        edit->SetGrid(nullptr);
        edit->Free();
    }
}
