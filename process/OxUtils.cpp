#include "process/OxUtils.h"

#include "platform/rtl/TStringList.h"
#include "platform/gfx/Text.h"
#include "platform/vcl/TCanvas.h"
#include "platform/vcl/TForm.h"
#include "platform/vcl/TScreen.h"
#include "platform/vcl/TWinControl.h"
#include "platform/win/Messages.h"
#include "platform/win/Window.h"

#include <cerrno>
#include <map>

#include "process/TUnitVersioning.h"

const char* const SCannotPerformWhenRunning = "Cannot perform this operation when process is running";
const char* const SProcessNotRunning = "Process is not running";
const char* const SEmptyStringInMultiSz = "String list passed to StringsToMultiSz cannot contain empty strings.";

namespace {

const char* const kDefaultClass = "TOxUtilWindow";

// At start the unit records itself in the unit-version registry and gives the library's drag
// cursor numbers the platform's drag cursors; at the end its module's records go.
struct TUnitStart {
    TUnitStart()
    {
        RegisterUnitVersion(OX_THIS_MODULE, {"OxUtils.cpp", "", "", "process", ""});
        try {
            for (int id : {crOxMultiDragLink, crOxMultiDragMove, crOxMultiDragCopy})
                Screen->SetCursors(id, Screen->Cursors(crMultiDrag));
            Screen->SetCursors(crOxDragLink, Screen->Cursors(crDrag));
        } catch (...) {
            // Cursors are a nicety; a screen that cannot give them leaves the numbers unset.
        }
    }
    ~TUnitStart() { UnregisterUnitVersion(OX_THIS_MODULE); }
} UnitStart;

// The method procedures installed per window, so they can be freed with the window.
std::map<HWND, LONG_PTR>& MethodProcs()
{
    static std::map<HWND, LONG_PTR> procs;
    return procs;
}

} // namespace

HWND AllocateHWndEx(TOxWndMethod Method, const std::string& ClassName)
{
    const std::string cls = ClassName.empty() ? kDefaultClass : ClassName;
    WNDCLASS existing;
    if (!GetClassInfo(0, cls, existing)) {
        WNDCLASS wc;
        wc.ClassName = cls;
        wc.WndExtra = 8;
        RegisterClass(wc);
    }
    HWND wnd = CreateWindowEx(WS_EX_TOOLWINDOW, cls, "", WS_POPUP, 0, 0, 0, 0, 0);
    if (wnd && Method) {
        LONG_PTR proc = MakeObjectInstance([method = std::move(Method)](HWND h, UINT msg, WPARAM wp, LPARAM lp) -> LRESULT {
            (void)h;
            TMessage m{msg, wp, lp, 0};
            method(m);
            return m.Result;
        });
        SetWindowLongPtr(wnd, GWLP_WNDPROC, proc);
        MethodProcs()[wnd] = proc;
    }
    return wnd;
}

void DeallocateHWndEx(HWND Wnd)
{
    if (!Wnd) {
        return;
    }
    DestroyWindow(Wnd);
    auto it = MethodProcs().find(Wnd);
    if (it != MethodProcs().end()) {
        FreeObjectInstance(it->second);
        MethodProcs().erase(it);
    }
}

std::string StringsToMultiSz(const TStrings& Source)
{
    std::string block;
    for (int i = 0; i < Source.Count(); ++i) {
        if (Source.Strings(i).empty()) {
            throw EOxBaseError(SEmptyStringInMultiSz);
        }
    }
    for (int i = 0; i < Source.Count(); ++i) {
        block += Source.Strings(i);
        block += '\0';
    }
    block += '\0';
    return block;
}

void OxListIndexError(int Index)
{
    throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
}

bool OSCheck(bool Value)
{
    if (!Value) {
        RaiseLastOSError();
    }
    return Value;
}

namespace {

// PaintWindow is the parent's own business; the background painter asks for it the way the control's
// paint handler does.
struct TPaintAccess : TWinControl {
    using TWinControl::PaintWindow;
};

} // namespace

void CopyParentImage(TControl* Control, TCanvas* C, TParentImageSiblings Siblings)
{
    if (!Control || !C || !Control->Parent())
        return;
    TWinControl* P = Control->Parent();
    HDC dc = C->Handle();
    const TControlState parentState = P->ControlState();
    P->SetControlState(parentState + csPaintCopy);
    try {
        const int saved = SaveDC(dc);
        SetViewportOrgEx(dc, -Control->Left(), -Control->Top(), nullptr);
        IntersectClipRect(dc, 0, 0, P->ClientWidth(), P->ClientHeight());
        // A parent whose painting fails must not leave the caller's DC moved and clipped to it.
        try {
            // An MDI form shows its client window's background, not its own.
            if (auto* form = dynamic_cast<TCustomForm*>(P); form != nullptr && form->FormStyle() == fsMDIForm && form->ClientHandle() != 0)
                SendMessage(form->ClientHandle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
            else
                P->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
            if (!dynamic_cast<TCustomForm*>(P))
                (P->*(&TPaintAccess::PaintWindow))(dc);
        } catch (...) {
            RestoreDC(dc, saved);
            throw;
        }
        RestoreDC(dc, saved);
        for (int i = 0; i < P->ControlCount(); ++i) {
            TControl* child = P->Controls(i);
            if (child == Control)
                break;
            TRect overlap;
            if ((Siblings == TParentImageSiblings::GraphicOnly && !dynamic_cast<TGraphicControl*>(child)) || !child->Visible()
                || !IntersectRect(overlap, child->BoundsRect(), Control->BoundsRect()))
                continue;
            const TControlState childState = child->ControlState();
            child->SetControlState(childState + csPaintCopy);
            const int s = SaveDC(dc);
            SetViewportOrgEx(dc, child->Left() - Control->Left(), child->Top() - Control->Top(), nullptr);
            IntersectClipRect(dc, 0, 0, child->Width(), child->Height());
            try {
                child->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
            } catch (...) {
                RestoreDC(dc, s);
                child->SetControlState(childState);
                throw;
            }
            RestoreDC(dc, s);
            child->SetControlState(childState);
        }
    } catch (...) {
        P->SetControlState(parentState);
        throw;
    }
    P->SetControlState(parentState);
}

int GetTextHeight(TCanvas* Canvas)
{
    // The canvas selects its font only when it next draws, so the font it holds now is measured on
    // a DC of its own: swapping fonts in the canvas's DC would free the one the canvas keeps there.
    HDC dc = CreateCompatibleDC(nullptr);
    HFONT old = SelectObject(dc, Canvas->Font()->Handle());
    TEXTMETRIC tm;
    GetTextMetrics(dc, tm);
    SelectObject(dc, old);
    DeleteDC(dc);
    return static_cast<int>(tm.tmHeight);
}
