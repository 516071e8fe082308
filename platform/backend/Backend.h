#pragma once
// Where top-level windows meet the screen. The window layer keeps the window tree, paints every
// top-level window into its own surface and hands the finished picture to a backend window; the backend
// shows it and turns what the user does into TInputEvent records for the window layer.
//
// Two backends: "sdl" (real windows) and "headless" (memory only, input injected by tests). The choice is
// made once, on first use: OMBRIX_BACKEND=sdl|headless, otherwise sdl when a display can be opened.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/gfx/Regions.h"
#include "platform/gfx/TSurface.h"
#include "platform/rtl/Types.h"

using HCURSOR = std::intptr_t;

// What a backend window is asked to be when it is made.
struct TBackendWindowParams {
    HWND Window = 0;
    TRect Bounds;              // on the screen
    bool Popup = false;        // menus, hints, drop-downs: never take the focus, no taskbar entry
    bool TopMost = false;
    bool ToolWindow = false;
    // A window the user may size: the window manager may size it too (maximise it, drag its edges),
    // within these limits (a zero limit: none).
    bool Sizeable = false;
    TPoint MinSize;
    TPoint MaxSize;
    std::string Title;
};

// A native window inside a top-level one, for a program that draws into it by its id.
class TBackendChild {
public:
    virtual ~TBackendChild() = default;
    virtual void SetBounds(const TRect& inWindow) = 0;
    virtual void Show(bool visible) = 0;
    virtual unsigned long NativeId() const = 0;
};

class TBackendWindow {
public:
    virtual ~TBackendWindow() = default;
    virtual void SetBounds(const TRect& screen) = 0;
    virtual void Show(bool visible, bool activate) = 0;
    virtual void Raise() = 0;
    virtual void SetTopMost(bool topMost) = 0;
    // The window's picture; `dirty` are the changed areas in window coordinates.
    virtual void Present(const TSurface& picture, const std::vector<TRect>& dirty) = 0;
    // Memory for a picture of width x height that the display reads where it lies, so that Present of a
    // surface keeping it copies nothing on our side; null when the display shares no memory with us.
    virtual std::shared_ptr<TPixelStore> SharedPicture(int, int) { return nullptr; }
    virtual void SetOpacity(BYTE alpha) = 0;
    // null: rectangular again. Window coordinates.
    virtual void SetShape(const TRegionShape* shape) = 0;
    virtual void SetTitle(const std::string& title) = 0;
    // The picture a taskbar or window list shows for the window (pixels 0xAARRGGBB).
    virtual void SetIcon(const TSurface&) {}
    // Whom the window belongs to on the desktop (null: nobody), and whether it is modal for that owner:
    // the desktop then keeps it above the owner and never hands the owner the keyboard while it is up.
    virtual void SetOwner(TBackendWindow*, bool) {}
    // False when nothing on the display could bring the window back (no window manager): it stays shown.
    virtual bool Minimize() = 0;
    // Back from minimized, asked by the program.
    virtual void Restore() {}
    // Back from maximised by the window manager, asked by the program (its own restore button): the
    // window manager must hear of it, or it would keep the window at the maximised size.
    virtual void Unmaximize() {}
    // Whether the window manager may size the window, within these limits (a zero limit: none), for a
    // window whose sizing borders came or went after it was made.
    virtual void SetSizeable(bool, TPoint, TPoint) {}
    // Asks for the keyboard. Never call it for a focus change the display itself reported.
    virtual void Focus() = 0;
    // The id a console player can draw into ("-wid"); 0 when the backend has none.
    virtual unsigned long NativeId() const = 0;
    // A native child window at `inWindow` (window coordinates); null when the display has none.
    virtual std::unique_ptr<TBackendChild> CreateChild(const TRect&) { return nullptr; }
};

// An icon in the notification area of the desktop's panel (the system tray). It lives while the object
// does; what the user does with it comes back through Pump as the Tray* input kinds.
class TBackendTrayIcon {
public:
    virtual ~TBackendTrayIcon() = default;
    // 32-bit picture with alpha, of any size: the tray decides the size it shows.
    virtual void SetPicture(const TSurface& picture) = 0;
    virtual void SetTip(const std::string& tip) = 0;
};

enum class TInputKind { MouseMove, ButtonDown, ButtonUp, Wheel, KeyDown, KeyUp, Text, FocusIn, FocusOut, Close,
    Drop, Exposed, Moved, Minimized, Restored,
    // The display (its window manager) gave the window another size, that of Bounds (its place is
    // told by Moved).
    Resized,
    // The window manager maximised the window by its own command (to Bounds), or took that back.
    Maximized, RestoredFromMaximized,
    // On a tray icon (Window and Icon name it; Pos is the pointer on the screen, Button as above).
    TrayMouseMove, TrayButtonDown, TrayButtonUp,
    // TrayLost: the tray that showed the icon of Window and Icon went away, and the icon with it.
    // TrayCreated: a tray came up on the display (the first one, or one started again).
    TrayLost, TrayCreated };

// One thing the user did, in screen coordinates.
struct TInputEvent {
    TInputKind Kind = TInputKind::MouseMove;
    HWND Window = 0;          // the top-level window it happened in (0: unknown, find by position)
    TPoint Pos;               // screen position of the pointer
    int Button = 0;           // 1 left, 2 right, 3 middle
    bool Double = false;      // a second press counted as a double click by the display
    int WheelDelta = 0;       // multiples of 120, positive away from the user
    WORD Key = 0;             // virtual key code
    bool Repeat = false;
    std::string Text;         // Text: UTF-8 typed characters; Drop: one path per entry in Paths
    std::vector<std::string> Paths;
    TRect Bounds;             // Moved, Resized, Maximized: the new window rectangle the display reports
    UINT Icon = 0;            // tray kinds: the icon's id among those of Window
};

// An event of the tray kinds for the icon `icon` of `window`.
inline TInputEvent TrayEvent(TInputKind kind, HWND window = 0, UINT icon = 0, TPoint pos = {}, int button = 0)
{
    TInputEvent e;
    e.Kind = kind;
    e.Window = window;
    e.Icon = icon;
    e.Pos = pos;
    e.Button = button;
    return e;
}

class TBackend {
public:
    virtual ~TBackend() = default;
    virtual std::string Name() const = 0;
    virtual std::unique_ptr<TBackendWindow> CreateWindow(const TBackendWindowParams& params) = 0;
    // Moves what the display has to tell into `out` without blocking.
    virtual void Pump(std::vector<TInputEvent>& out) = 0;
    // Descriptors that become readable when the display has something; the loop polls them.
    virtual std::vector<int> WaitFds() const = 0;
    // Events already read from the display but not yet pumped: the descriptors stay quiet about those.
    virtual bool HasQueuedEvents() const { return false; }
    // How long a loop busy painting may go without pumping (milliseconds; 0: it pumps every time). A
    // pump that finds nothing still costs a read on the display's connection, and one pass of painting
    // asks for hundreds of windows.
    virtual int BusyPumpIntervalMs() const { return 0; }
    virtual TRect WorkArea() const = 0;
    virtual TRect ScreenRect() const = 0;
    virtual TPoint CursorPos() const = 0;
    virtual void SetCursor(HCURSOR cursor) = 0;
    // The clipboard holds text or a picture: putting one there takes the other away.
    virtual std::string ClipboardText() const = 0;
    virtual void SetClipboardText(const std::string& text) = 0;
    virtual void SetClipboardPicture(const TSurface& picture) = 0;
    // The picture this program put on the clipboard while it is still there; false otherwise.
    virtual bool ClipboardPicture(TSurface& picture) const = 0;
    // Whether windows can be shaped and made translucent.
    virtual bool SupportsShapes() const = 0;
    virtual bool SupportsOpacity() const = 0;
    virtual void Beep() {}
    // What the display shows in a screen rectangle, read back from it; false when it cannot tell.
    virtual bool Grab(const TRect&, TSurface&) const { return false; }
    // Whether a window manager runs on the display (it decides focus, stacking, minimizing).
    virtual bool HasWindowManager() const { return false; }
    // Puts an icon into the display's system tray for the icon `id` of window `window`; null when the
    // display has no tray now. Events on it carry the window and the id.
    virtual std::unique_ptr<TBackendTrayIcon> CreateTrayIcon(HWND, UINT, const TSurface&, const std::string&)
    {
        return nullptr;
    }
};

// The backend in use, made on first call.
TBackend& Backend();
// The backend when one was made already, else null (pumping must not start a display by itself).
TBackend* CurrentBackend();
// Replaces the backend (the window layer must have no top-level window shown). Takes ownership. The
// program never calls it: the tests' headless driver (tests/support) installs its backend with it.
void SetBackend(std::unique_ptr<TBackend> backend);
// Makes a backend by name ("sdl", "headless"); null when it cannot start (no display).
std::unique_ptr<TBackend> MakeBackend(const std::string& name);
