#include "platform/vcl/TScreen.h"

#include <algorithm>

#include "platform/rtl/Strings.h"
#include "platform/vcl/TForm.h"

TScreenRef Screen;

TScreen* TScreenRef::Get()
{
    // Never freed: forms may still tell it they go away while the program ends.
    static TScreen* screen = new TScreen(nullptr);
    return screen;
}

namespace {

// The handles of the cursors every program has.
HCURSOR StandardCursor(TCursor Cursor)
{
    switch (Cursor) {
    case crIBeam: return IDC_IBEAM;
    case crHourGlass:
    case crSQLWait: return IDC_WAIT;
    case crCross: return IDC_CROSS;
    case crUpArrow: return IDC_UPARROW;
    case crSizeNWSE: return IDC_SIZENWSE;
    case crSizeNESW: return IDC_SIZENESW;
    case crSizeWE:
    case crHSplit: return IDC_SIZEWE;
    case crSizeNS:
    case crVSplit: return IDC_SIZENS;
    case crSizeAll: return IDC_SIZEALL;
    case crNo:
    case crNoDrop: return IDC_NO;
    case crHandPoint: return IDC_HAND;
    case crAppStart: return IDC_APPSTARTING;
    case crHelp: return IDC_HELP;
    case crNone: return 0;
    default: return IDC_ARROW;
    }
}

} // namespace

HCURSOR CursorToHandle(TCursor Cursor) { return Screen->Cursors(Cursor); }

TScreen::TScreen(TComponent* AOwner) : TComponent(AOwner) {}

TCustomForm* TScreen::Forms(int Index) const
{
    if (Index < 0 || Index >= FormCount()) throw EListError("List index out of bounds (" + IntToStr(Index) + ")");
    return FForms[static_cast<size_t>(Index)];
}

int TScreen::Width() const { return GetSystemMetrics(SM_CXSCREEN); }
int TScreen::Height() const { return GetSystemMetrics(SM_CYSCREEN); }
TRect TScreen::WorkAreaRect() const { return GetWorkArea(); }

TCustomForm* TScreen::ActiveForm() const
{
    HWND active = GetActiveWindow();
    for (TCustomForm* f : FForms)
        if (f->HandleAllocated() && f->Handle() == active) return f;
    return nullptr;
}

TWinControl* TScreen::ActiveControl() const
{
    TCustomForm* f = ActiveForm();
    return f != nullptr ? f->ActiveControl() : nullptr;
}

void TScreen::SetCursor(TCursor Value)
{
    if (Value == FCursor) return;
    FCursor = Value;
    // Show the new cursor at once; the window under the pointer takes over again at the next move.
    ::SetCursor(CursorToHandle(Value == crDefault ? crArrow : Value));
}

TBusyCursor::TBusyCursor()
{
    FSaved = Screen->Cursor();
    Screen->SetCursor(crHourGlass);
}

TBusyCursor::~TBusyCursor() { Screen->SetCursor(FSaved); }

HCURSOR TScreen::Cursors(int Index) const
{
    // A cursor added under a number, standard or not, is the one that number gives.
    auto it = FCursors.find(Index);
    if (it != FCursors.end()) return it->second;
    return StandardCursor(static_cast<TCursor>(Index));
}

void TScreen::AddForm(TCustomForm* Form)
{
    if (std::find(FForms.begin(), FForms.end(), Form) == FForms.end()) FForms.push_back(Form);
}

void TScreen::RemoveForm(TCustomForm* Form) { FForms.erase(std::remove(FForms.begin(), FForms.end(), Form), FForms.end()); }
