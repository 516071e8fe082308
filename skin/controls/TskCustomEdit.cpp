#include "skin/controls/TskCustomEdit.h"

#include "platform/gfx/GdiObjects.h"
#include "platform/vcl/TApplication.h"
#include "platform/vcl/TBitmap.h"
#include "platform/vcl/TForm.h"
#include "platform/vcl/TypInfo.h"
#include "platform/win/Screen.h"
#include "skin/controls/TskSkinControl.h"
#include "skin/data/SkinDrawUtils.h"
#include "skin/data/SkinMessages.h"
#include "skin/data/SkinStrings.h"
#include "skin/data/TskSkinData.h"

namespace {

// The skinned frame and popup-menu classes live above the controls; they are reached through the class
// registry by name, so an edit works (with plain menus and built-in texts) where they are not linked in.
bool IsInstanceOfRegistered(const TComponent* C, const char* ClassName)
{
    const TClassInfo* wanted = FindClassInfo(ClassName);
    const TClassInfo* info = ClassInfoOf(C);
    return wanted != nullptr && info != nullptr && info->InheritsFrom(wanted);
}

} // namespace

TskCustomEdit::TskCustomEdit(TComponent* AOwner) : TCustomMaskEdit(AOwner)
{
    FControlStyle.Include(csOpaque);
    SetBorderStyleValue(0);
}

TskCustomEdit::~TskCustomEdit() = default;

void TskCustomEdit::SetReadOnly(bool Value) { FReadOnly = Value; }

void TskCustomEdit::SetTransparent(bool Value)
{
    if (Value == FTransparent) return;
    FTransparent = Value;
    RecreateWnd();
}

void TskCustomEdit::CreateParams(TCreateParams& Params)
{
    TCustomMaskEdit::CreateParams(Params);
    Params.Style &= ~(WS_BORDER | ES_READONLY | ES_PASSWORD | ES_MULTILINE);
    Params.ExStyle &= ~(WS_EX_CLIENTEDGE | WS_EX_TRANSPARENT);
    if (FTransparent) Params.ExStyle |= WS_EX_TRANSPARENT;
    // Multi-line windows accept a formatting rectangle; a password edit cannot be one.
    Params.Style |= PasswordChar() == 0 ? ES_MULTILINE : ES_PASSWORD;
}

void TskCustomEdit::Invalidate()
{
    if (!FTransparent || !HandleAllocated() || Parent() == nullptr || !Parent()->HandleAllocated()) {
        TCustomMaskEdit::Invalidate();
        return;
    }
    // What shows through has to be painted again first: the parent under the client area, then the edit.
    TRect r = ClientRect();
    TPoint tl = ClientToScreen(r.TopLeft());
    TPoint br = ClientToScreen(r.BottomRight());
    tl = Parent()->ScreenToClient(tl);
    br = Parent()->ScreenToClient(br);
    const TRect inParent = Rect(tl.X, tl.Y, br.X, br.Y);
    InvalidateRect(Parent()->Handle(), &inParent, TRUE);
    RedrawWindow(FHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
}

bool TskCustomEdit::HandleEnterOrEscape(TMessage& Message)
{
    TKeyChar key = static_cast<TKeyChar>(Message.WParam);
    if (key != 13 && key != 27) return false;
    // Enter and Escape belong to the form (default and cancel buttons); the handler sees them first.
    KeyPress(key);
    if (key == 13 || key == 27) {
        if (TCustomForm* form = GetParentForm(); form != nullptr && !ComponentState().Contains(csDestroying))
            form->Perform(CM_DIALOGKEY, static_cast<WPARAM>(key), Message.LParam);
    }
    return true;
}

void TskCustomEdit::EditKeyDown(WORD Key)
{
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    const bool ctrl = GetKeyState(VK_CONTROL) < 0;
    if (Key == VK_APPS || (Key == VK_F10 && shift)) {
        Perform(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(FHandle), MAKELPARAM(-1, -1));
        return;
    }
    if (FReadOnly) {
        // The keyboard's own editing commands change the text as much as typing does.
        if (Key == VK_DELETE) return;
        if (Key == VK_INSERT && shift) return;
        if (ctrl && !shift && (Key == 'X' || Key == 'V' || Key == 'Z')) return;
    }
    TCustomMaskEdit::EditKeyDown(Key);
}

void TskCustomEdit::EditChar(char32_t Ch)
{
    if (FReadOnly) return;
    TCustomMaskEdit::EditChar(Ch);
}

void TskCustomEdit::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_CHAR:
        if (HandleEnterOrEscape(Message)) return;
        break;
    case WM_GETDLGCODE:
        // Return and Escape come as characters (see above), not as dialog keys on their way down.
        TCustomMaskEdit::WndProc(Message);
        Message.Result |= DLGC_WANTALLKEYS;
        return;
    case WM_CUT:
    case WM_PASTE:
    case WM_CLEAR:
    case WM_UNDO:
    case EM_UNDO:
        if (FReadOnly) return;
        break;
    case CN_CTLCOLOREDIT:
    case CN_CTLCOLORSTATIC:
        if (FTransparent) {
            HDC dc = reinterpret_cast<HDC>(Message.WParam);
            SetBkMode(dc, TRANSPARENT);
            SetTextColor(dc, ColorToRGB(Font()->Color()));
            Message.Result = 0; // no brush: nothing is filled behind the text
            return;
        }
        break;
    case WM_ERASEBKGND:
        if (FTransparent) {
            // The parent's picture under the client area, so the text never lands on stale pixels.
            if (Message.WParam != 0) PaintParentUnderClient(this, reinterpret_cast<HDC>(Message.WParam));
            Message.Result = 1;
            return;
        }
        break;
    case WM_SETFOCUS:
        TCustomMaskEdit::WndProc(Message);
        if (AutoSelect()) SelectAll();
        if (FTransparent) Invalidate();
        return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        FMouseDown = true;
        break;
    case WM_LBUTTONUP:
        FMouseDown = false;
        break;
    case WM_RBUTTONUP:
    case WM_CONTEXTMENU: {
        auto release = [this](TPoint P, TShiftState Shift) {
            MouseUp(mbRight, Shift, P.X, P.Y);
            return !ComponentState().Contains(csDestroying) && !DoContextPopup(ClientToScreen(P));
        };
        if (!Designing() && FMenu.AnswerRequest(Message, release, [this](TPoint P) { ShowEditContextMenu(P); })) return;
        break;
    }
    case WM_AFTERSKINMENUCLICK:
        FMenu.Free();
        return;
    case CM_FONTCHANGED:
        TCustomMaskEdit::WndProc(Message);
        SetMargins(2, 0);
        return;
    case CM_CANCELMODE:
        TCustomMaskEdit::WndProc(Message);
        if (OnCancelMode) OnCancelMode(this);
        return;
    default:
        break;
    }
    // A change handler the message reached may have freed the edit.
    const auto alive = FAlive.Watch();
    TCustomMaskEdit::WndProc(Message);
    if (!*alive || !FTransparent) return;
    switch (Message.Msg) {
    case WM_KEYDOWN:
    case WM_CHAR:
    case WM_SETTEXT:
    case WM_MOVE:
    case CM_TEXTCHANGED:
    case WM_CUT:
    case WM_PASTE:
    case WM_CLEAR:
    case WM_UNDO:
    case WM_KILLFOCUS:
    case WM_LBUTTONDOWN:
        Invalidate();
        break;
    case WM_MOUSEMOVE:
        if (Message.WParam & MK_LBUTTON) Invalidate();
        break;
    default:
        break;
    }
}

TskSkinData* TskCustomEdit::MenuSkinData() const
{
    TCustomForm* form = GetParentForm();
    if (form != nullptr && form->FormStyle() == fsMDIChild && Application->MainForm() != nullptr)
        form = Application->MainForm();
    if (form == nullptr) return nullptr;
    for (int i = 0; i < form->ComponentCount(); ++i) {
        TComponent* c = form->Components(i);
        if (!IsInstanceOfRegistered(c, "TskFormFrame")) continue;
        const TPropInfo* prop = ClassInfoOf(c)->FindProp("SkinData");
        if (prop == nullptr || !prop->GetComponent) return nullptr;
        return dynamic_cast<TskSkinData*>(prop->GetComponent(c));
    }
    return nullptr;
}

void TskCustomEdit::ShowEditContextMenu(TPoint ScreenPos) { FMenu.Show(ScreenPos, MenuSkinData(), !FReadOnly); }

