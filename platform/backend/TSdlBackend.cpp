#include "platform/backend/TSdlBackend.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_syswm.h>
#include <dlfcn.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <map>
#include <optional>
#include <set>
#include <vector>

#include "platform/backend/TXEmbedTray.h"
#include "platform/backend/TXPictureSelection.h"
#include "platform/backend/TXSharedPicture.h"
#include "platform/backend/XErrorTrap.h"
#include "platform/win/Messages.h"

// X11 last: its headers define None, Bool, Status, True and False as macros.
#include <X11/Xlib.h>
#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/XI2.h>
// Names of X event types that our own input kinds share.
#undef FocusIn
#undef FocusOut

namespace {

// The window surface keeps red, green and blue where our pixels have them (ARGB, or XRGB whose fourth
// byte the display ignores): rows are copied as they are, without the library's pixel-by-pixel
// conversion, which is the slow part of putting a whole window on the screen.
bool SameLayout(const SDL_PixelFormat& f)
{
    return f.BytesPerPixel == 4 && f.Rmask == 0x00FF0000u && f.Gmask == 0x0000FF00u && f.Bmask == 0x000000FFu;
}

// The shape extension is loaded when the display has it, so that no extra library is needed to build.
using TShapeCombineRectangles = void (*)(Display*, ::Window, int, int, int, XRectangle*, int, int, int);
using TShapeCombineMask = void (*)(Display*, ::Window, int, int, int, Pixmap, int);
constexpr int ShapeBounding = 0;
constexpr int ShapeSet = 0;
constexpr int ShapeUnsorted = 0;

struct TShapeApi {
    TShapeCombineRectangles CombineRectangles = nullptr;
    TShapeCombineMask CombineMask = nullptr;
    TShapeApi()
    {
        void* lib = dlopen("libXext.so.6", RTLD_NOW | RTLD_LOCAL);
        if (!lib)
            return;   // no shapes: windows stay rectangular
        CombineRectangles = reinterpret_cast<TShapeCombineRectangles>(dlsym(lib, "XShapeCombineRectangles"));
        CombineMask = reinterpret_cast<TShapeCombineMask>(dlsym(lib, "XShapeCombineMask"));
    }
};

TShapeApi& Shape()
{
    static TShapeApi api;
    return api;
}

bool WindowExists(Display* d, ::Window w)
{
    XWindowAttributes a;
    bool got = false;
    return WithoutXErrors(d, [&] { got = XGetWindowAttributes(d, w, &a) != 0; }) && got;
}

// The X connection the display library talks over. It tells it through a window only.
Display* XDisplayOf(SDL_Window* w)
{
    if (!w)
        return nullptr;
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(w, &info) || info.subsystem != SDL_SYSWM_X11)
        return nullptr;
    return info.info.x11.display;
}

Atom AtomOf(Display* d, const char* name) { return XInternAtom(d, name, False); }

// A window manager announces itself through a live check window named on the root.
bool WindowManagerRuns(Display* d)
{
    Atom type;
    int format;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    ::Window check = 0;
    if (XGetWindowProperty(d, DefaultRootWindow(d), AtomOf(d, "_NET_SUPPORTING_WM_CHECK"), 0, 1, False, XA_WINDOW, &type,
            &format, &count, &after, &data) == Success && data) {
        if (count == 1 && format == 32)
            check = static_cast<::Window>(*reinterpret_cast<unsigned long*>(data));
        XFree(data);
    }
    return check && WindowExists(d, check);
}

// A session bus is announced in the environment, or listens at the per-user place the bus library
// tries when none is.
bool SessionBusAnnounced()
{
    const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS");
    if (address && *address)
        return true;
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    struct stat st;
    return runtime && *runtime && stat((std::string(runtime) + "/bus").c_str(), &st) == 0 && S_ISSOCK(st.st_mode);
}

WORD VirtualKey(SDL_Keycode k)
{
    if (k >= SDLK_a && k <= SDLK_z)
        return static_cast<WORD>('A' + (k - SDLK_a));
    if (k >= SDLK_0 && k <= SDLK_9)
        return static_cast<WORD>('0' + (k - SDLK_0));
    if (k >= SDLK_F1 && k <= SDLK_F12)
        return static_cast<WORD>(VK_F1 + (k - SDLK_F1));
    if (k >= SDLK_KP_1 && k <= SDLK_KP_9)
        return static_cast<WORD>(VK_NUMPAD0 + 1 + (k - SDLK_KP_1));
    switch (k) {
    case SDLK_RETURN:
    case SDLK_KP_ENTER: return VK_RETURN;
    case SDLK_ESCAPE: return VK_ESCAPE;
    case SDLK_BACKSPACE: return VK_BACK;
    case SDLK_TAB: return VK_TAB;
    case SDLK_SPACE: return VK_SPACE;
    case SDLK_DELETE: return VK_DELETE;
    case SDLK_INSERT: return VK_INSERT;
    case SDLK_HOME: return VK_HOME;
    case SDLK_END: return VK_END;
    case SDLK_PAGEUP: return VK_PRIOR;
    case SDLK_PAGEDOWN: return VK_NEXT;
    case SDLK_LEFT: return VK_LEFT;
    case SDLK_RIGHT: return VK_RIGHT;
    case SDLK_UP: return VK_UP;
    case SDLK_DOWN: return VK_DOWN;
    case SDLK_LSHIFT:
    case SDLK_RSHIFT: return VK_SHIFT;
    case SDLK_LCTRL:
    case SDLK_RCTRL: return VK_CONTROL;
    case SDLK_LALT:
    case SDLK_RALT: return VK_MENU;
    case SDLK_PAUSE: return VK_PAUSE;
    case SDLK_CAPSLOCK: return VK_CAPITAL;
    case SDLK_APPLICATION: return VK_APPS;
    case SDLK_KP_0: return VK_NUMPAD0;
    case SDLK_KP_PLUS: return VK_ADD;
    case SDLK_KP_MINUS: return VK_SUBTRACT;
    case SDLK_KP_MULTIPLY: return VK_MULTIPLY;
    case SDLK_KP_DIVIDE: return VK_DIVIDE;
    case SDLK_KP_PERIOD: return VK_DECIMAL;
    default: return 0;
    }
}

int ButtonNumber(Uint8 sdl)
{
    switch (sdl) {
    case SDL_BUTTON_LEFT: return 1;
    case SDL_BUTTON_RIGHT: return 2;
    case SDL_BUTTON_MIDDLE: return 3;
    default: return 0;
    }
}

class TSdlChild : public TBackendChild {
public:
    TSdlChild(Display* d, ::Window parent, const TRect& r) : FDisplay(d), FParent(parent), FBounds(r) { Make(); }
    ~TSdlChild() override
    {
        if (Alive())
            XDestroyWindow(FDisplay, FWindow);
        XFlush(FDisplay);
    }
    void SetBounds(const TRect& r) override
    {
        if (r == FBounds)
            return;
        FBounds = r;
        if (!Alive())
            return;
        XMoveResizeWindow(FDisplay, FWindow, r.Left, r.Top, static_cast<unsigned>(std::max(1, r.Width())),
            static_cast<unsigned>(std::max(1, r.Height())));
        XFlush(FDisplay);
    }
    void Show(bool visible) override
    {
        if (visible == FShown)
            return;
        FShown = visible;
        if (!Alive())
            return;
        if (visible)
            XMapWindow(FDisplay, FWindow);
        else
            XUnmapWindow(FDisplay, FWindow);
        XFlush(FDisplay);
    }
    unsigned long NativeId() const override
    {
        // A player may have destroyed the window it drew into: the next one gets a fresh window.
        if (!Alive())
            const_cast<TSdlChild*>(this)->Make();
        return FWindow;
    }

private:
    void Make()
    {
        // A plain black child window: the player paints into it; pointer events it does not select pass
        // on to our window, so clicks on the video still reach the program.
        Display* d = FDisplay;
        FWindow = XCreateSimpleWindow(d, FParent, FBounds.Left, FBounds.Top, static_cast<unsigned>(std::max(1, FBounds.Width())),
            static_cast<unsigned>(std::max(1, FBounds.Height())), 0, BlackPixel(d, DefaultScreen(d)), BlackPixel(d, DefaultScreen(d)));
        if (FShown)
            XMapWindow(d, FWindow);
        XFlush(d);
    }
    // Asked of the server each time: the player's end is not announced to us.
    bool Alive() const { return FWindow && WindowExists(FDisplay, FWindow); }

    Display* FDisplay;
    ::Window FParent;
    ::Window FWindow = 0;
    TRect FBounds;
    bool FShown = false;
};

// The X windows of our top-level windows: a focus moving between two of them is no focus lost.
std::set<::Window>& OurWindows()
{
    static std::set<::Window> ours;
    return ours;
}

::Window FocusedXWindow(Display* d)
{
    ::Window w = 0;
    int revert = 0;
    XGetInputFocus(d, &w, &revert);
    return w;
}

class TSdlWindow : public TBackendWindow {
public:
    TSdlWindow(const TBackendWindowParams& p, Display* display) : FDisplay(display), FHwnd(p.Window)
    {
        Uint32 flags = SDL_WINDOW_HIDDEN | SDL_WINDOW_BORDERLESS;
        if (p.Popup)
            flags |= SDL_WINDOW_POPUP_MENU | SDL_WINDOW_SKIP_TASKBAR;
        else if (p.ToolWindow)
            flags |= SDL_WINDOW_UTILITY;
        if (p.TopMost)
            flags |= SDL_WINDOW_ALWAYS_ON_TOP;
        const bool sizeable = p.Sizeable && !p.Popup;
        if (sizeable)
            flags |= SDL_WINDOW_RESIZABLE;
        FWindow = SDL_CreateWindow(p.Title.c_str(), p.Bounds.Left, p.Bounds.Top, std::max(1, p.Bounds.Width()),
            std::max(1, p.Bounds.Height()), flags);
        if (FWindow) {
            SDL_SetWindowData(FWindow, "hwnd", reinterpret_cast<void*>(static_cast<std::uintptr_t>(p.Window)));
            SDL_SetWindowData(FWindow, "backend", this);
        }
        if (!FDisplay)
            FDisplay = XDisplayOf(FWindow);
        FBounds = p.Bounds;
        FPopup = p.Popup;
        if (::Window x = XId()) {
            OurWindows().insert(x);
            if (sizeable) {
                FSizeable = true;
                FMinSize = p.MinSize;
                FMaxSize = p.MaxSize;
                SetSizeLimits(x, FMinSize, FMaxSize);
            }
        }
    }
    ~TSdlWindow() override
    {
        OurWindows().erase(XId());
        if (FGc)
            XFreeGC(FDisplay, FGc);
        if (FWindow)
            SDL_DestroyWindow(FWindow);
    }

    void SetBounds(const TRect& r) override
    {
        if (!FWindow || r == FBounds)
            return;
        const bool moves = r.TopLeft() != FBounds.TopLeft();
        if (moves)
            SDL_SetWindowPosition(FWindow, r.Left, r.Top);
        if (r.Width() != FBounds.Width() || r.Height() != FBounds.Height()) {
            // The program's own sizes stand (a frame rolled up to its caption): the window manager's
            // limits make room for them.
            if (FSizeable && (r.Width() < FMinSize.X || r.Height() < FMinSize.Y)) {
                FMinSize = TPoint{std::min(FMinSize.X, r.Width()), std::min(FMinSize.Y, r.Height())};
                if (::Window x = XId())
                    SetSizeLimits(x, FMinSize, FMaxSize);
            }
            // The display reports this size back later; that report is no size of its own making.
            FAskedSizes.push_back({std::max(1, r.Width()), std::max(1, r.Height())});
            if (FAskedSizes.size() > 32)
                FAskedSizes.pop_front();
            // Sizing also repeats the position SDL holds for the window.
            SDL_SetWindowSize(FWindow, std::max(1, r.Width()), std::max(1, r.Height()));
            // A window manager may keep a window inside the work area on each request (IceWM does):
            // moved at its old size to the bottom edge, a window that shrinks there is pushed up by
            // its old height. At its new size the place is asked for once more.
            int x = 0, y = 0;
            SDL_GetWindowPosition(FWindow, &x, &y);
            if (moves && (x != r.Left || y != r.Top))
                SDL_SetWindowPosition(FWindow, r.Left, r.Top);
        }
        FBounds = r;
    }
    void Show(bool visible, bool activate) override
    {
        if (!FWindow)
            return;
        if (!visible) {
            SDL_HideWindow(FWindow);
            // A window the window manager keeps iconified is unmapped already, and the display library
            // sees nothing to hide. Withdrawn, it leaves the taskbar as well: a hidden window is not
            // offered there (a form hidden in the tray comes back through its icon).
            if (FIconic || (SDL_GetWindowFlags(FWindow) & SDL_WINDOW_MINIMIZED)) {
                if (::Window x = XId()) {
                    XWithdrawWindow(FDisplay, x, DefaultScreen(FDisplay));
                    XFlush(FDisplay);
                }
                FIconic = false;
                FWithdrawnAt = FBounds.TopLeft();
                FWithdrawn = true;
            }
            return;
        }
        ::Window before = FocusedXWindow(FDisplay);
        SDL_ShowWindow(FWindow);
        ReturnToWhereWithdrawn();
        ::Window x = XId();
        if (FPopup) {
            // A menu or drop-down list never keeps the keyboard: the window it drops from would take
            // that as losing the focus and close it at once.
            if (x && FocusedXWindow(FDisplay) == x && before != x) {
                WithoutXErrors(FDisplay, [&] { XSetInputFocus(FDisplay, before ? before : PointerRoot, RevertToParent, CurrentTime); });
            }
            return;
        }
        if (activate)
            Focus();
    }
    void Raise() override
    {
        if (!FWindow)
            return;
        if (::Window x = XId())
            XRaiseWindow(FDisplay, x), XFlush(FDisplay);
    }
    void SetTopMost(bool topMost) override
    {
        if (FWindow)
            SDL_SetWindowAlwaysOnTop(FWindow, topMost ? SDL_TRUE : SDL_FALSE);
    }
    std::shared_ptr<TPixelStore> SharedPicture(int width, int height) override
    {
        if (FShareRefused || !FWindow || width <= 0 || height <= 0)
            return nullptr;
        auto picture = TXSharedPicture::Make(FDisplay, XId(), width, height);
        // A display that refused once refuses again: the library's own surface serves from then on.
        FShareRefused = !picture;
        return picture;
    }
    void Present(const TSurface& picture, const std::vector<TRect>& dirty) override
    {
        if (!FWindow)
            return;
        if (const auto* shared = dynamic_cast<const TXSharedPicture*>(picture.Store()); shared && shared->XDisplay() == FDisplay) {
            const ::Window x = XId();
            if (!x)
                return;
            if (!FGc)
                FGc = XCreateGC(FDisplay, x, 0, nullptr);
            // A picture not shown before goes on the screen whole: the window showed another one till now.
            const bool fresh = shared != FSharedShown;
            FSharedShown = shared;
            shared->Put(x, FGc, fresh ? std::vector<TRect>{picture.Bounds()} : dirty);
            return;
        }
        SDL_Surface* s = SDL_GetWindowSurface(FWindow);
        if (!s)
            return;
        int w = std::min(s->w, picture.Width()), h = std::min(s->h, picture.Height());
        if (w <= 0 || h <= 0)
            return;
        // The window surface keeps what was copied into it, so only the changed areas are copied again;
        // a surface the display library has just made (the first picture, a new size) gets everything.
        const bool fresh = s != FShown.Surface || s->w != FShown.Width || s->h != FShown.Height;
        FShown = {s, s->w, s->h};
        const std::vector<TRect> all{TRect{0, 0, w, h}};
        std::vector<SDL_Rect> rects;
        if (SDL_MUSTLOCK(s))
            SDL_LockSurface(s);
        for (const TRect& r : fresh ? all : dirty) {
            TRect c;
            if (!IntersectRect(c, r, TRect{0, 0, w, h}))
                continue;
            // Our pixels are 0xAARRGGBB in memory order B, G, R, A: the display's 32-bit formats take
            // them as they are, anything else is converted.
            const auto* from = reinterpret_cast<const std::uint8_t*>(picture.ScanLine(c.Top) + c.Left);
            auto* to = static_cast<std::uint8_t*>(s->pixels) + static_cast<std::ptrdiff_t>(c.Top) * s->pitch
                + c.Left * s->format->BytesPerPixel;
            if (SameLayout(*s->format)) {
                for (int y = 0; y < c.Height(); ++y)
                    std::memcpy(to + static_cast<std::ptrdiff_t>(y) * s->pitch, from + static_cast<std::ptrdiff_t>(y) * picture.Stride(),
                        static_cast<std::size_t>(c.Width()) * 4);
            } else {
                SDL_ConvertPixels(c.Width(), c.Height(), SDL_PIXELFORMAT_ARGB8888, from, picture.Stride(),
                    s->format->format, to, s->pitch);
            }
            rects.push_back({c.Left, c.Top, c.Width(), c.Height()});
        }
        if (SDL_MUSTLOCK(s))
            SDL_UnlockSurface(s);
        if (!rects.empty())
            SDL_UpdateWindowSurfaceRects(FWindow, rects.data(), static_cast<int>(rects.size()));
    }
    void SetOpacity(BYTE alpha) override
    {
        if (FWindow)
            SDL_SetWindowOpacity(FWindow, alpha / 255.0f);
    }
    void SetShape(const TRegionShape* shape) override
    {
        ::Window x = XId();
        if (!x || !Shape().CombineRectangles)
            return;
        if (!shape) {
            Shape().CombineMask(FDisplay, x, ShapeBounding, 0, 0, 0 /* no mask: rectangular */, ShapeSet);
        } else {
            std::vector<XRectangle> rects;
            for (const TRect& r : shape->Rects())
                rects.push_back({static_cast<short>(r.Left), static_cast<short>(r.Top), static_cast<unsigned short>(r.Width()),
                    static_cast<unsigned short>(r.Height())});
            Shape().CombineRectangles(FDisplay, x, ShapeBounding, 0, 0, rects.data(), static_cast<int>(rects.size()),
                ShapeSet, ShapeUnsorted);
        }
        XFlush(FDisplay);
    }
    void SetTitle(const std::string& title) override
    {
        if (FWindow)
            SDL_SetWindowTitle(FWindow, title.c_str());
    }
    void SetIcon(const TSurface& icon) override
    {
        if (!FWindow || icon.Empty())
            return;
        // The display library copies the pixels into _NET_WM_ICON, where taskbars read them; our
        // 0xAARRGGBB pixels are its ARGB8888 layout as they stand.
        SDL_Surface* s = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<TPixel*>(icon.ScanLine(0)), icon.Width(), icon.Height(), 32,
            icon.Stride(), SDL_PIXELFORMAT_ARGB8888);
        if (!s)
            return;
        SDL_SetWindowIcon(FWindow, s);
        SDL_FreeSurface(s);
    }
    void SetOwner(TBackendWindow* owner, bool modal) override
    {
        ::Window x = XId();
        if (!x)
            return;
        ::Window ownerX = owner ? static_cast<TSdlWindow*>(owner)->XId() : 0;
        if (ownerX)
            XSetTransientForHint(FDisplay, x, ownerX);
        else
            XDeleteProperty(FDisplay, x, XA_WM_TRANSIENT_FOR);
        SetNetState("_NET_WM_STATE_MODAL", modal && ownerX);
        XFlush(FDisplay);
    }
    bool Minimize() override
    {
        // Without a window manager nothing could ever map an iconified window again.
        if (!FWindow || !WindowManagerRuns(FDisplay))
            return false;
        SDL_MinimizeWindow(FWindow);
        // Iconified now or soon (the window manager does it): hidden before it has, it is withdrawn all
        // the same.
        FIconic = true;
        return true;
    }
    void Restore() override
    {
        if (!FWindow)
            return;
        FIconic = false;
        // A withdrawn window comes back mapped from here already.
        SDL_RestoreWindow(FWindow);
        ReturnToWhereWithdrawn();
    }
    void Unmaximize() override
    {
        if (!FMaximizedOnDisplay || !XId())
            return;
        // Told now, so that the window manager's own report of it is no news.
        FMaximizedOnDisplay = false;
        FUnmaximizeAsked = true;
        SetNetState("_NET_WM_STATE_MAXIMIZED_VERT", false, "_NET_WM_STATE_MAXIMIZED_HORZ");
        XFlush(FDisplay);
    }
    void SetSizeable(bool Sizeable, TPoint Min, TPoint Max) override
    {
        if (!FWindow || FPopup || Sizeable == FSizeable)
            return;
        FSizeable = Sizeable;
        FMinSize = Min;
        FMaxSize = Max;
        // The display library writes its own size hints here (a fixed window: smallest = largest =
        // its size); the limits of a sizeable one go on top of them.
        SDL_SetWindowResizable(FWindow, Sizeable ? SDL_TRUE : SDL_FALSE);
        if (::Window x = XId(); x && Sizeable)
            SetSizeLimits(x, FMinSize, FMaxSize);
    }
    void Focus() override
    {
        ::Window x = XId();
        if (!x)
            return;
        if (WindowManagerRuns(FDisplay)) {
            // The window manager decides: a request through it (_NET_ACTIVE_WINDOW), never a focus set
            // behind its back, which it would answer by moving the focus again.
            SDL_RaiseWindow(FWindow);
            return;
        }
        XRaiseWindow(FDisplay, x);
        WithoutXErrors(FDisplay, [&] {
            XWindowAttributes a;
            if (XGetWindowAttributes(FDisplay, x, &a) && a.map_state == IsViewable)
                XSetInputFocus(FDisplay, x, RevertToParent, CurrentTime);
        });
    }
    unsigned long NativeId() const override { return XId(); }
    Display* XDisplay() const { return FDisplay; }
    std::unique_ptr<TBackendChild> CreateChild(const TRect& inWindow) override
    {
        ::Window x = XId();
        if (!x)
            return nullptr;
        return std::make_unique<TSdlChild>(FDisplay, x, inWindow);
    }

    // A size the display reports for the window: false for the late echo of one the program asked for
    // before its last one (the reports of a quick run of sizes come in after the next was asked, and
    // must not undo it); true for any other size, which the window takes as its own from now on. The
    // display library reports no size it already holds, so the echo of the last size asked may never
    // come: what was asked before a size from elsewhere counts no more.
    bool SizedByDisplay(const TRect& Reported)
    {
        const TPoint size{Reported.Width(), Reported.Height()};
        for (auto it = FAskedSizes.begin(); it != FAskedSizes.end() && it + 1 != FAskedSizes.end(); ++it)
            if (*it == size) {
                FAskedSizes.erase(FAskedSizes.begin(), it + 1);
                return false;
            }
        FAskedSizes.clear();
        FBounds = Bounds(FBounds.Left, FBounds.Top, Reported.Width(), Reported.Height());
        return true;
    }

    // Whether the window manager's maximised state of the window changed since it was last told (the
    // server's _NET_WM_STATE is read: the display library's own report of it may come after the new
    // size, or not at all). The new state comes with the window's place and size on the server, which
    // the window takes as they are.
    std::optional<bool> MaximizedStateChanged()
    {
        const ::Window x = XId();
        if (!FSizeable || !x)
            return std::nullopt;
        const bool maximized = HasNetStates("_NET_WM_STATE_MAXIMIZED_VERT", "_NET_WM_STATE_MAXIMIZED_HORZ");
        // Asked to let the window go, the window manager may not have done so yet: until it has, its
        // maximised state is the old one.
        if (FUnmaximizeAsked) {
            FUnmaximizeAsked = maximized;
            return std::nullopt;
        }
        if (maximized == FMaximizedOnDisplay)
            return std::nullopt;
        FMaximizedOnDisplay = maximized;
        XWindowAttributes a;
        ::Window child = 0;
        int left = 0, top = 0;
        if (XGetWindowAttributes(FDisplay, x, &a) && XTranslateCoordinates(FDisplay, x, a.root, 0, 0, &left, &top, &child)) {
            FBounds = Bounds(left, top, a.width, a.height);
            FAskedSizes.clear();
        }
        return maximized;
    }
    const TRect& BoundsOnDisplay() const { return FBounds; }

    // The window's place and size as the server has them now, when they differ from what it was given.
    std::optional<TRect> SizeOnServer() const
    {
        const ::Window x = XId();
        XWindowAttributes a;
        if (!FSizeable || !x || !XGetWindowAttributes(FDisplay, x, &a))
            return std::nullopt;
        if (a.width == FBounds.Width() && a.height == FBounds.Height())
            return std::nullopt;
        int left = 0, top = 0;
        SDL_GetWindowPosition(FWindow, &left, &top);
        return Bounds(left, top, a.width, a.height);
    }

private:
    // The smallest and largest size the window manager may give the window. Written to the X window
    // itself: limits given to the display library would also bind the program's own sizing.
    void SetSizeLimits(::Window x, TPoint Min, TPoint Max)
    {
        XSizeHints* hints = XAllocSizeHints();
        if (!hints)
            return;
        long supplied = 0;
        XGetWMNormalHints(FDisplay, x, hints, &supplied);
        hints->flags &= ~(PMinSize | PMaxSize);
        if (Min.X > 0 && Min.Y > 0) {
            hints->min_width = Min.X;
            hints->min_height = Min.Y;
            hints->flags |= PMinSize;
        }
        if (Max.X > 0 && Max.Y > 0) {
            hints->max_width = std::max(Max.X, Min.X);
            hints->max_height = std::max(Max.Y, Min.Y);
            hints->flags |= PMaxSize;
        }
        XSetWMNormalHints(FDisplay, x, hints);
        XFree(hints);
        XFlush(FDisplay);
    }

    // Adds or removes one _NET_WM_STATE atom: written directly while unmapped (the window manager reads
    // it when the window maps), asked of the window manager while mapped.
    void SetNetState(const char* name, bool on, const char* second = nullptr)
    {
        ::Window x = XId();
        Atom state = AtomOf(FDisplay, "_NET_WM_STATE"), atom = AtomOf(FDisplay, name);
        const Atom secondAtom = second ? AtomOf(FDisplay, second) : None;
        XWindowAttributes a;
        if (!XGetWindowAttributes(FDisplay, x, &a))
            return;
        if (a.map_state != IsUnmapped) {
            XEvent e{};
            e.xclient.type = ClientMessage;
            e.xclient.window = x;
            e.xclient.message_type = state;
            e.xclient.format = 32;
            e.xclient.data.l[0] = on ? 1 : 0;
            e.xclient.data.l[1] = static_cast<long>(atom);
            e.xclient.data.l[2] = static_cast<long>(secondAtom);
            e.xclient.data.l[3] = 1;
            XSendEvent(FDisplay, DefaultRootWindow(FDisplay), False, SubstructureRedirectMask | SubstructureNotifyMask, &e);
            return;
        }
        std::vector<Atom> atoms;
        Atom type;
        int format;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        if (XGetWindowProperty(FDisplay, x, state, 0, 64, False, XA_ATOM, &type, &format, &count, &after, &data) == Success
            && data) {
            for (unsigned long i = 0; i < count; ++i)
                if (Atom v = static_cast<Atom>(reinterpret_cast<unsigned long*>(data)[i]); v != atom && v != secondAtom)
                    atoms.push_back(v);
            XFree(data);
        }
        if (on)
            atoms.push_back(atom);
        if (on && secondAtom != None)
            atoms.push_back(secondAtom);
        XChangeProperty(FDisplay, x, state, XA_ATOM, 32, PropModeReplace, reinterpret_cast<unsigned char*>(atoms.data()),
            static_cast<int>(atoms.size()));
    }

    // Whether the server's _NET_WM_STATE of the window holds both atoms.
    bool HasNetStates(const char* first, const char* second) const
    {
        const Atom state = AtomOf(FDisplay, "_NET_WM_STATE"), a = AtomOf(FDisplay, first), b = AtomOf(FDisplay, second);
        Atom type;
        int format;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        bool hasA = false, hasB = false;
        if (XGetWindowProperty(FDisplay, XId(), state, 0, 64, False, XA_ATOM, &type, &format, &count, &after, &data) == Success
            && data) {
            for (unsigned long i = 0; i < count; ++i) {
                const Atom v = static_cast<Atom>(reinterpret_cast<unsigned long*>(data)[i]);
                hasA = hasA || v == a;
                hasB = hasB || v == b;
            }
            XFree(data);
        }
        return hasA && hasB;
    }

    // A window manager places a window it maps anew as it likes (openbox puts one that was withdrawn
    // while iconic elsewhere on the screen): it goes back to where it was when it was withdrawn.
    void ReturnToWhereWithdrawn()
    {
        if (!FWithdrawn || !(SDL_GetWindowFlags(FWindow) & SDL_WINDOW_SHOWN))
            return;
        FWithdrawn = false;
        if (::Window x = XId()) {
            XMoveWindow(FDisplay, x, FWithdrawnAt.X, FWithdrawnAt.Y);
            XFlush(FDisplay);
        }
    }

    ::Window XId() const
    {
        if (!FWindow)
            return 0;
        SDL_SysWMinfo info;
        SDL_VERSION(&info.version);
        if (!SDL_GetWindowWMInfo(FWindow, &info) || info.subsystem != SDL_SYSWM_X11)
            return 0;
        return info.info.x11.window;
    }

    Display* FDisplay;   // null only while FWindow is
    HWND FHwnd;
    SDL_Window* FWindow = nullptr;
    TRect FBounds;
    std::deque<TPoint> FAskedSizes;   // sizes asked of the display whose report has not come yet
    bool FSizeable = false;           // the window manager may size it, within these limits
    bool FMaximizedOnDisplay = false; // maximised by the window manager, as last told
    bool FUnmaximizeAsked = false;    // the window manager was asked to let it go, and has not yet
    TPoint FMinSize;
    TPoint FMaxSize;
    bool FPopup = false;
    // The window surface as last copied into, to tell a new one.
    struct {
        SDL_Surface* Surface = nullptr;
        int Width = 0;
        int Height = 0;
    } FShown;
    // Pictures in memory shared with the server: refused by this display, the one last shown, and the
    // graphics context they are put through.
    bool FShareRefused = false;
    const TXSharedPicture* FSharedShown = nullptr;
    GC FGc = nullptr;
    bool FIconic = false;      // minimized by the program, not restored since
    bool FWithdrawn = false;   // hidden while iconic, and where it was then
    TPoint FWithdrawnAt;
};

class TSdlDisplay : public TBackend {
public:
    ~TSdlDisplay() override
    {
        for (auto& c : FCursors)
            SDL_FreeCursor(c.second);
        // Its window lives on the library's connection, which closes below.
        FPictureSelection.reset();
        if (FDisplay)
            TXSharedPicture::DisplayClosing(FDisplay);
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }

    std::string Name() const override { return "sdl"; }
    std::unique_ptr<TBackendWindow> CreateWindow(const TBackendWindowParams& params) override
    {
        auto w = std::make_unique<TSdlWindow>(params, FDisplay);
        if (!FDisplay)
            Learn(w->XDisplay());
        return w;
    }

    void Pump(std::vector<TInputEvent>& out) override
    {
        // One read of the connection; taking the events then reads it no more (polling for each event
        // would read it again every time, which an idle program pays for at each timer tick).
        SDL_PumpEvents();
        SDL_Event e;
        while (SDL_PeepEvents(&e, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0)
            Convert(e, out);
        if (FTray)
            FTray->Pump(out);
    }

    std::vector<int> WaitFds() const override
    {
        std::vector<int> fds;
        if (Display* d = X())
            fds.push_back(ConnectionNumber(d));
        if (FTray)
            fds.push_back(FTray->Fd());
        return fds;
    }
    // Any round trip (a picture handed over, a window looked up) may read events off the connection
    // into Xlib's queue; a poll on the connection would then sleep with them unread.
    bool HasQueuedEvents() const override
    {
        return (X() && XEventsQueued(X(), QueuedAlready) > 0) || SDL_HasEvents(SDL_FIRSTEVENT, SDL_LASTEVENT)
            || (FTray && FTray->HasQueuedEvents());
    }

    std::unique_ptr<TBackendTrayIcon> CreateTrayIcon(HWND window, UINT id, const TSurface& picture,
        const std::string& tip) override
    {
        // The tray's own connection is opened with the first icon; most runs never need it.
        if (!FTray && X())
            FTray = TXEmbedTray::Open(DisplayString(X()));
        return FTray ? FTray->CreateIcon(window, id, picture, tip) : nullptr;
    }
    // Input that comes during a pass of painting waits at most this long, far below a frame.
    int BusyPumpIntervalMs() const override { return 2; }

    TRect WorkArea() const override
    {
        SDL_Rect r;
        if (SDL_GetDisplayUsableBounds(0, &r) != 0)
            return ScreenRect();
        return Bounds(r.x, r.y, r.w, r.h);
    }
    TRect ScreenRect() const override
    {
        SDL_Rect r;
        if (SDL_GetDisplayBounds(0, &r) != 0)
            return {0, 0, 1024, 768};
        return Bounds(r.x, r.y, r.w, r.h);
    }
    TPoint CursorPos() const override
    {
        // Asked of the server: the display library keeps a copy that only the input extension's raw
        // moves renew, and a pointer warped or moved by another client would leave it behind.
        ::Window root = 0, child = 0;
        int x = 0, y = 0, wx = 0, wy = 0;
        unsigned int mask = 0;
        Display* d = X();
        if (!d || !XQueryPointer(d, DefaultRootWindow(d), &root, &child, &x, &y, &wx, &wy, &mask))
            SDL_GetGlobalMouseState(&x, &y);
        return {x, y};
    }
    void SetCursor(HCURSOR cursor) override
    {
        SDL_SystemCursor id = SDL_SYSTEM_CURSOR_ARROW;
        switch (cursor) {
        case 32513: id = SDL_SYSTEM_CURSOR_IBEAM; break;
        case 32514: id = SDL_SYSTEM_CURSOR_WAIT; break;
        case 32515: id = SDL_SYSTEM_CURSOR_CROSSHAIR; break;
        case 32642: id = SDL_SYSTEM_CURSOR_SIZENWSE; break;
        case 32643: id = SDL_SYSTEM_CURSOR_SIZENESW; break;
        case 32644: id = SDL_SYSTEM_CURSOR_SIZEWE; break;
        case 32645: id = SDL_SYSTEM_CURSOR_SIZENS; break;
        case 32646: id = SDL_SYSTEM_CURSOR_SIZEALL; break;
        case 32648: id = SDL_SYSTEM_CURSOR_NO; break;
        case 32649: id = SDL_SYSTEM_CURSOR_HAND; break;
        case 32650: id = SDL_SYSTEM_CURSOR_WAITARROW; break;
        default: break;
        }
        SDL_Cursor*& c = FCursors[id];
        if (!c)
            c = SDL_CreateSystemCursor(id);
        if (c)
            SDL_SetCursor(c);
    }
    std::string ClipboardText() const override
    {
        // Our picture holds the clipboard: asking the owner (ourselves, answering only from the
        // message loop) for text would only wait for nothing.
        if (FPictureSelection && FPictureSelection->Picture())
            return {};
        char* t = SDL_GetClipboardText();
        std::string s = t ? t : "";
        SDL_free(t);
        return s;
    }
    // The display library takes the clipboard for the text, and our picture window is told it lost it.
    void SetClipboardText(const std::string& text) override { SDL_SetClipboardText(text.c_str()); }
    void SetClipboardPicture(const TSurface& picture) override
    {
        if (!FPictureSelection && X())
            FPictureSelection = std::make_unique<TXPictureSelection>(X());
        if (FPictureSelection)
            FPictureSelection->Offer(picture);
    }
    bool ClipboardPicture(TSurface& picture) const override
    {
        const TSurface* ours = FPictureSelection ? FPictureSelection->Picture() : nullptr;
        if (ours)
            picture = *ours;
        return ours != nullptr;
    }
    bool SupportsShapes() const override { return Shape().CombineRectangles != nullptr; }
    bool SupportsOpacity() const override { return true; }
    bool HasWindowManager() const override { return X() && WindowManagerRuns(X()); }
    void Beep() override
    {
        if (Display* d = X())
            XBell(d, 0), XFlush(d);
    }

    bool Grab(const TRect& r, TSurface& out) const override
    {
        Display* d = X();
        if (r.IsEmpty() || !d)
            return false;
        XSync(d, False);
        XImage* img = XGetImage(d, DefaultRootWindow(d), r.Left, r.Top, static_cast<unsigned>(r.Width()),
            static_cast<unsigned>(r.Height()), AllPlanes, ZPixmap);
        if (!img)
            return false;
        out.SetSize(r.Width(), r.Height());
        for (int y = 0; y < r.Height(); ++y)
            for (int x = 0; x < r.Width(); ++x) {
                unsigned long p = XGetPixel(img, x, y);
                auto part = [&](unsigned long mask) {
                    if (!mask)
                        return 0u;
                    int shift = 0;
                    while (!((mask >> shift) & 1))
                        ++shift;
                    unsigned long v = (p & mask) >> shift, max = mask >> shift;
                    return static_cast<unsigned>(v * 255 / max);
                };
                out.ScanLine(y)[x] = 0xFF000000u | (part(img->red_mask) << 16) | (part(img->green_mask) << 8) | part(img->blue_mask);
            }
        XDestroyImage(img);
        return true;
    }

private:
    // The connection is learnt from the first window made: a window made only to ask would be one more
    // top-level window created and destroyed at every start. Asked before any window exists, such a
    // window it is.
    Display* X() const
    {
        if (!FDisplay) {
            SDL_Window* probe = SDL_CreateWindow("", 0, 0, 1, 1, SDL_WINDOW_HIDDEN);
            Learn(XDisplayOf(probe));
            if (probe)
                SDL_DestroyWindow(probe);
        }
        return FDisplay;
    }
    // The connection, and whether its server has the input extension whose moves PointerFromX reads.
    void Learn(Display* d) const
    {
        FDisplay = d;
        int event = 0, error = 0;
        if (!d || !XQueryExtension(d, "XInputExtension", &FInputOpcode, &event, &error))
            FInputOpcode = -1;
    }

    static HWND WindowOf(Uint32 id)
    {
        SDL_Window* w = SDL_GetWindowFromID(id);
        return w ? static_cast<HWND>(reinterpret_cast<std::uintptr_t>(SDL_GetWindowData(w, "hwnd"))) : 0;
    }
    static TPoint ToScreen(Uint32 id, int x, int y)
    {
        SDL_Window* w = SDL_GetWindowFromID(id);
        int wx = 0, wy = 0;
        if (w)
            SDL_GetWindowPosition(w, &wx, &wy);
        return {wx + x, wy + y};
    }

    // The pointer's place on the screen with each pointer event. The display library reports a place
    // inside the window, relative to where the window was when the server made the event; added to
    // where the window is now, that is off by as much as the window has moved since, and a window
    // dragged by the pointer moves between every two reports. The library also drops a move that
    // lands on the same place inside the window as the last one, which is what a dragged window that
    // keeps up with the pointer looks like. So every move the server reports (a core event, or the
    // input extension's, which the library asks for on its windows where the server has it) counts,
    // at the place on the screen the event gives, or else where the pointer is now; a press or a
    // release takes its place from its own event, which the library's report of it follows.
    bool PointerFromX(const SDL_Event& e, TInputEvent& ev)
    {
        const SDL_SysWMmsg* m = e.syswm.msg;
        if (!m || m->subsystem != SDL_SYSWM_X11)
            return false;
        const XEvent& x = m->msg.x11.event;
        switch (x.type) {
        case MotionNotify:
            FRootMoves = true;
            ev.Kind = TInputKind::MouseMove;
            ev.Pos = {x.xmotion.x_root, x.xmotion.y_root};
            return true;
        case EnterNotify:
            // The pointer came into a window (or the window came under it): where it is counts.
            if (!FRootMoves)
                return false;
            ev.Kind = TInputKind::MouseMove;
            ev.Pos = {x.xcrossing.x_root, x.xcrossing.y_root};
            return true;
        case ButtonPress:
        case ButtonRelease:
            FButtonRoot = TPoint{x.xbutton.x_root, x.xbutton.y_root};
            return false;
        case GenericEvent:
            // The extension's own data is gone by now; its header still tells what it was.
            if (FInputOpcode < 0 || x.xgeneric.extension != FInputOpcode || x.xgeneric.evtype != XI_Motion)
                return false;
            FRootMoves = true;
            ev.Kind = TInputKind::MouseMove;
            ev.Pos = CursorPos();
            return true;
        default:
            return false;
        }
    }

    void Convert(const SDL_Event& e, std::vector<TInputEvent>& out)
    {
        TInputEvent ev;
        switch (e.type) {
        case SDL_SYSWMEVENT:
            if (FPictureSelection && e.syswm.msg && e.syswm.msg->subsystem == SDL_SYSWM_X11 &&
                FPictureSelection->Handle(e.syswm.msg->msg.x11.event))
                return;
            if (!PointerFromX(e, ev))
                return;
            break;
        case SDL_MOUSEMOTION:
            // The display's own report of the move came first, with its place on the screen.
            if (FRootMoves)
                return;
            ev.Kind = TInputKind::MouseMove;
            ev.Window = WindowOf(e.motion.windowID);
            ev.Pos = ToScreen(e.motion.windowID, e.motion.x, e.motion.y);
            break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            ev.Kind = e.type == SDL_MOUSEBUTTONDOWN ? TInputKind::ButtonDown : TInputKind::ButtonUp;
            ev.Button = ButtonNumber(e.button.button);
            if (!ev.Button)
                return;
            ev.Window = WindowOf(e.button.windowID);
            ev.Pos = FButtonRoot ? *FButtonRoot : ToScreen(e.button.windowID, e.button.x, e.button.y);
            FButtonRoot.reset();
            break;
        case SDL_MOUSEWHEEL:
            ev.Kind = TInputKind::Wheel;
            ev.Window = WindowOf(e.wheel.windowID);
            ev.Pos = CursorPos();
            ev.WheelDelta = (e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -e.wheel.y : e.wheel.y) * WHEEL_DELTA;
            if (!ev.WheelDelta)
                return;
            break;
        case SDL_KEYDOWN:
        case SDL_KEYUP:
            ev.Kind = e.type == SDL_KEYDOWN ? TInputKind::KeyDown : TInputKind::KeyUp;
            ev.Key = VirtualKey(e.key.keysym.sym);
            ev.Repeat = e.key.repeat != 0;
            ev.Window = WindowOf(e.key.windowID);
            if (!ev.Key)
                return;
            break;
        case SDL_TEXTINPUT:
            ev.Kind = TInputKind::Text;
            ev.Text = e.text.text;
            ev.Window = WindowOf(e.text.windowID);
            break;
        case SDL_DROPBEGIN:
            FDropped.clear();
            return;
        case SDL_DROPFILE:
            if (e.drop.file) {
                FDropped.emplace_back(e.drop.file);
                SDL_free(e.drop.file);
            }
            return;
        case SDL_DROPCOMPLETE:
            if (FDropped.empty())
                return;
            ev.Kind = TInputKind::Drop;
            ev.Window = WindowOf(e.drop.windowID);
            ev.Pos = CursorPos();
            ev.Paths = std::move(FDropped);
            FDropped.clear();
            break;
        case SDL_WINDOWEVENT:
            ev.Window = WindowOf(e.window.windowID);
            ReportMaximizedState(e.window, ev.Window, out);
            switch (e.window.event) {
            case SDL_WINDOWEVENT_FOCUS_GAINED: ev.Kind = TInputKind::FocusIn; break;
            case SDL_WINDOWEVENT_FOCUS_LOST:
                // The keyboard went to another window of ours (a drop-down list, a dialog): the window
                // that takes it reports that; only a focus gone elsewhere is a loss.
                if (OurWindows().count(FocusedXWindow(X())))
                    return;
                ev.Kind = TInputKind::FocusOut;
                break;
            case SDL_WINDOWEVENT_MINIMIZED: ev.Kind = TInputKind::Minimized; break;
            case SDL_WINDOWEVENT_MAXIMIZED:
            case SDL_WINDOWEVENT_RESTORED:
            case SDL_WINDOWEVENT_SHOWN: {
                // Maximised or restored by the window manager: the size it gave may not be reported
                // apart, so the window's own is asked of the server.
                SDL_Window* w = SDL_GetWindowFromID(e.window.windowID);
                auto* ours = w ? static_cast<TSdlWindow*>(SDL_GetWindowData(w, "backend")) : nullptr;
                if (ours && ev.Window)
                    if (std::optional<TRect> sized = ours->SizeOnServer(); sized && ours->SizedByDisplay(*sized)) {
                        TInputEvent resized = ev;
                        resized.Kind = TInputKind::Resized;
                        resized.Bounds = *sized;
                        out.push_back(std::move(resized));
                    }
                if (e.window.event == SDL_WINDOWEVENT_MAXIMIZED)
                    return;
                ev.Kind = TInputKind::Restored;
                break;
            }
            case SDL_WINDOWEVENT_CLOSE: ev.Kind = TInputKind::Close; break;
            case SDL_WINDOWEVENT_EXPOSED: ev.Kind = TInputKind::Exposed; break;
            case SDL_WINDOWEVENT_LEAVE:
                // The pointer left for another program's window: where it is now still counts, so
                // that controls under it can tell the mouse has gone.
                ev.Kind = TInputKind::MouseMove;
                ev.Pos = CursorPos();
                ev.Window = 0;
                out.push_back(std::move(ev));
                return;
            case SDL_WINDOWEVENT_MOVED: {
                SDL_Window* w = SDL_GetWindowFromID(e.window.windowID);
                int cw = 0, ch = 0;
                if (w)
                    SDL_GetWindowSize(w, &cw, &ch);
                ev.Kind = TInputKind::Moved;
                ev.Bounds = Bounds(e.window.data1, e.window.data2, cw, ch);
                break;
            }
            case SDL_WINDOWEVENT_RESIZED: {
                SDL_Window* w = SDL_GetWindowFromID(e.window.windowID);
                auto* ours = w ? static_cast<TSdlWindow*>(SDL_GetWindowData(w, "backend")) : nullptr;
                int x = 0, y = 0;
                if (w)
                    SDL_GetWindowPosition(w, &x, &y);
                const TRect reported = Bounds(x, y, e.window.data1, e.window.data2);
                if (!ours || !ours->SizedByDisplay(reported))
                    return;
                ev.Kind = TInputKind::Resized;
                ev.Bounds = reported;
                break;
            }
            default: return;
            }
            if (!ev.Window)
                return;
            break;
        default:
            return;
        }
        out.push_back(std::move(ev));
    }

    // The window manager maximises a window, or takes that back, by its own command (a caption button,
    // a key, a request of another program): that state goes first, before the new size or place it
    // brings, so that the window still knows its normal place when it hears of it.
    static void ReportMaximizedState(const SDL_WindowEvent& e, HWND Window, std::vector<TInputEvent>& out)
    {
        switch (e.event) {
        case SDL_WINDOWEVENT_MAXIMIZED:
        case SDL_WINDOWEVENT_RESTORED:
        case SDL_WINDOWEVENT_SHOWN:
        case SDL_WINDOWEVENT_RESIZED:
        case SDL_WINDOWEVENT_MOVED: break;
        default: return;
        }
        SDL_Window* w = SDL_GetWindowFromID(e.windowID);
        auto* ours = w ? static_cast<TSdlWindow*>(SDL_GetWindowData(w, "backend")) : nullptr;
        if (!ours || !Window)
            return;
        const std::optional<bool> maximized = ours->MaximizedStateChanged();
        if (!maximized)
            return;
        TInputEvent state;
        state.Kind = *maximized ? TInputKind::Maximized : TInputKind::RestoredFromMaximized;
        state.Window = Window;
        state.Bounds = ours->BoundsOnDisplay();
        out.push_back(std::move(state));
    }

    mutable Display* FDisplay = nullptr;
    std::unique_ptr<TXEmbedTray> FTray;
    std::unique_ptr<TXPictureSelection> FPictureSelection;
    std::map<int, SDL_Cursor*> FCursors;
    std::vector<std::string> FDropped;
    // The X server's own pointer moves are coming (the display library reports core pointer events);
    // the library's reports of moves are then left out.
    bool FRootMoves = false;
    mutable int FInputOpcode = -1;   // the input extension's major opcode, -1 without it
    std::optional<TPoint> FButtonRoot;   // the place of the press or release whose report follows
};

}  // namespace

std::unique_ptr<TBackend> TSdlBackend::Open()
{
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display)
        return nullptr;
    // The program handles Ctrl+C itself (the process runner interrupts its children with SIGINT).
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    // Our pictures are finished in memory and copied to the window as they are. A texture behind the
    // window surface would make the display library destroy each new window and make it again for
    // OpenGL (a flash, and the window we set up is gone), and costs the X server far more than a copy.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    // A desktop program leaves the screen saver to the desktop.
    SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
    // The display library looks for an input method on the session bus while it opens the display.
    // With no session bus to be found, the bus library would fork dbus-launch at every start (and
    // might leave a bus daemon behind) only to find none there: an address that fails at once stands
    // in meanwhile, and the children we start later see the environment as it was.
    const bool noBus = !SessionBusAnnounced();
    if (noBus)
        setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 1);
    const bool started = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
    if (noBus)
        unsetenv("DBUS_SESSION_BUS_ADDRESS");
    if (!started)
        return nullptr;
    // The X connection is what the message loop waits on; the first window tells which it is.
    const char* driver = SDL_GetCurrentVideoDriver();
    if (!driver || std::strcmp(driver, "x11") != 0) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return nullptr;
    }
    InstallXErrorHandler();
    SDL_EventState(SDL_DROPFILE, SDL_ENABLE);
    SDL_EventState(SDL_DROPBEGIN, SDL_ENABLE);
    SDL_EventState(SDL_DROPCOMPLETE, SDL_ENABLE);
    // The X events themselves, for the pointer's place on the screen (PointerFromX).
    SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
    SDL_StartTextInput();
    return std::make_unique<TSdlDisplay>();
}
