#pragma once
// Small pieces the runner and the extension components rest on: their exception classes, the hidden
// message window that worker threads post to, the NUL-separated string block and the OS-error check.
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Types.h"

#include <functional>
#include <string>

class TStrings;
class TControl;
class TCanvas;

// The exception of the extension units (the runner, the PCX picture format).
class EOxException : public Exception {
    using Exception::Exception;
};

// The exception of the base utility routines.
class EOxBaseError : public Exception {
    using Exception::Exception;
};

extern const char* const SCannotPerformWhenRunning; // "Cannot perform this operation when process is running"
extern const char* const SProcessNotRunning;        // "Process is not running"
extern const char* const SEmptyStringInMultiSz;     // "String list passed to StringsToMultiSz cannot contain empty strings."

// Raises the list error "List index out of bounds (%d)" for Index.
[[noreturn]] void OxListIndexError(int Index);

// A window method: gets every message of the window; Result is what the window procedure returns.
using TOxWndMethod = std::function<void(TMessage& Message)>;

// A hidden message-only window of the GUI thread: class "TOxUtilWindow" unless ClassName is given,
// popup style, no size. With a Method, every message goes to it; without one the window behaves as a
// plain DefWindowProc window. Other threads reach it with PostMessage; a post to a window already
// freed is dropped by the window layer, never delivered to a stale object.
HWND AllocateHWndEx(TOxWndMethod Method, const std::string& ClassName = "");
void DeallocateHWndEx(HWND Wnd);

// The block of all strings, each followed by NUL, with one more NUL at the end (an empty list gives a
// single NUL). Raises EOxBaseError before building anything when a string is empty, since the block
// could not be read back.
std::string StringsToMultiSz(const TStrings& Source);

// Raises the last OS error (EOSError, errno) when Value is false; returns Value.
bool OSCheck(bool Value);

// Which of the controls below a control CopyParentImage paints: every visible one that overlaps it,
// or only the graphic ones (windowed siblings paint themselves on screen anyway).
enum class TParentImageSiblings { All, GraphicOnly };

// Paints into Canvas what lies under Control: its parent's background and own painting, then the
// siblings before it that overlap it, so that the control can look transparent. Nothing without a
// parent. The canvas's DC is left as it was.
void CopyParentImage(TControl* Control, TCanvas* Canvas, TParentImageSiblings Siblings = TParentImageSiblings::All);

// The height of a line of the canvas's font (its text metrics' tmHeight).
int GetTextHeight(TCanvas* Canvas);

// Cursor numbers of the component library that name the platform's drag cursors: filled with
// crMultiDrag's (the first three) and crDrag's handles when the unit starts.
constexpr int crOxMultiDragLink = -18144;
constexpr int crOxDragLink = -18140;
constexpr int crOxMultiDragMove = -18136;
constexpr int crOxMultiDragCopy = -18132;
