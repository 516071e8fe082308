#include "skin/controls/SkinEditParts.h"

#include <functional>

#include "platform/gfx/GdiObjects.h"
#include "platform/vcl/TBitmap.h"
#include "platform/vcl/TypInfo.h"
#include "platform/win/Screen.h"
#include "skin/data/SkinDrawUtils.h"
#include "skin/data/SkinStrings.h"

TskEditContextMenu::TskEditContextMenu(TCustomEdit* Edit) : FEdit(Edit), FMenu(Edit) {}

TskEditContextMenu::~TskEditContextMenu() { Free(); }

bool TskEditContextMenu::AnswerRequest(TMessage& Message, const std::function<bool(TPoint, TShiftState)>& Release,
                                       const std::function<void(TPoint)>& Open)
{
    if (FEdit->PopupMenu() != nullptr) return false;
    if (Message.Msg == WM_CONTEXTMENU) {
        Open(ParamPoint(Message.LParam));
        Message.Result = 1;
        return true;
    }
    if (Message.Msg != WM_RBUTTONUP || !FEdit->Enabled()) return false;
    const TPoint p = ParamPoint(Message.LParam);
    if (Release(p, KeysToShiftState(Message.WParam))) Open(FEdit->ClientToScreen(p));
    return true;
}

void TskEditContextMenu::Build(const TskSkinData* Skin, bool Writable)
{
    Free();
    TPopupMenu* menu = nullptr;
    if (const TClassInfo* skinned = FindClassInfo("TskSkinPopupMenu"); skinned != nullptr && skinned->Create)
        menu = dynamic_cast<TPopupMenu*>(skinned->Create(FEdit));
    if (menu == nullptr) menu = new TPopupMenu(FEdit);
    FMenu = menu;
    menu->SetPopupComponent(FEdit);

    TCustomEdit* edit = FEdit;
    const bool selected = edit->SelLength() > 0;
    auto add = [&](const char* key, bool enabled, std::function<void()> action) {
        auto* item = new TMenuItem(menu);
        if (key == nullptr) {
            item->SetCaption("-");
        } else {
            item->SetCaption(SkinResString(Skin, key));
            item->SetEnabled(enabled);
            item->OnClick = [action](TObject*) { action(); };
        }
        menu->Items()->Add(item);
    };
    add("EDIT_UNDO", edit->CanUndo(), [edit] { edit->Perform(WM_UNDO); });
    add(nullptr, true, nullptr);
    add("EDIT_CUT", selected && Writable, [edit] { edit->Perform(WM_CUT); });
    add("EDIT_COPY", selected, [edit] { edit->Perform(WM_COPY); });
    add("EDIT_PASTE", ClipboardHasText() && Writable, [edit] { edit->Perform(WM_PASTE); });
    add("EDIT_DELETE", selected && Writable, [edit] { edit->Perform(WM_CLEAR); });
    add(nullptr, true, nullptr);
    add("EDIT_SELECTALL", !(edit->SelStart() == 0 && edit->SelLength() == edit->GetTextLen()), [edit] { edit->SelectAll(); });
}

void TskEditContextMenu::Show(TPoint ScreenPos, const TskSkinData* Skin, bool Writable)
{
    if (ScreenPos.X < 0 || ScreenPos.Y < 0) {
        // Asked from the keyboard: there is no pointer position to open at.
        const TPoint client = FEdit->ClientToScreen({0, 0});
        const TPoint offset = ClientOffsetInWindow(FEdit);
        ScreenPos = {client.X - offset.X + FEdit->Width() / 2, client.Y - offset.Y + FEdit->Height() / 2};
    }
    Build(Skin, Writable);
    FMenu->Popup(ScreenPos.X, ScreenPos.Y);
}

void TskEditContextMenu::Free()
{
    TPopupMenu* menu = FMenu;
    FMenu = nullptr;
    if (menu != nullptr) menu->Free();
}

TPoint ClientOffsetInWindow(TWinControl* Control)
{
    if (!Control->HandleAllocated()) return {0, 0};
    const HWND handle = Control->Handle();
    TRect wr;
    GetWindowRect(handle, wr);
    TPoint p{0, 0};
    ::ClientToScreen(handle, p);
    return {p.X - wr.Left, p.Y - wr.Top};
}

void PaintParentUnderClient(TWinControl* Control, HDC DC)
{
    if (Control->Parent() == nullptr || Control->Width() < 1 || Control->Height() < 1) return;
    TBitmap under(Control->Width(), Control->Height());
    PaintParentBackground(Control, under.Canvas());
    const TPoint o = ClientOffsetInWindow(Control);
    BitBlt(DC, 0, 0, Control->ClientWidth(), Control->ClientHeight(), under.Canvas()->Handle(), o.X, o.Y, SRCCOPY);
}
