#include "platform/backend/TXEmbedTray.h"
#include "platform/backend/XErrorTrap.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

// X11 last: its headers define None, Bool, Status, True and False as macros.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

// The numbers of the two protocols.
namespace {

constexpr long SYSTEM_TRAY_REQUEST_DOCK = 0;
constexpr long XEMBED_VERSION = 0;
constexpr long XEMBED_MAPPED = 1;   // the flag of _XEMBED_INFO that asks the embedder to show the window
constexpr int FirstIconSide = 24;   // until the tray says which size it wants

// The channel shift of a TrueColor mask, and its width in bits.
void MaskShift(unsigned long mask, int& shift, int& bits)
{
    shift = 0;
    bits = 0;
    if (!mask)
        return;
    while (!((mask >> shift) & 1))
        ++shift;
    while ((mask >> (shift + bits)) & 1)
        ++bits;
}

unsigned long Channel(unsigned value, unsigned long mask)
{
    int shift, bits;
    MaskShift(mask, shift, bits);
    if (bits == 0)
        return 0;
    const unsigned long max = (1ul << bits) - 1;
    return ((value * max + 127) / 255) << shift;
}

}  // namespace

struct TXEmbedTray::TState {
    Display* D = nullptr;
    int Screen = 0;
    ::Window Root = 0;
    Atom Selection = 0, Opcode = 0, Manager = 0, XEmbedInfo = 0, TrayVisual = 0, NetWmName = 0, Utf8 = 0;
    ::Window Owner = 0;   // the tray's window; 0 while there is no tray
    std::vector<class TXEmbedIcon*> Icons;

    ~TState()
    {
        if (D)
            XCloseDisplay(D);
    }
    // Follows the tray's window, so that its end is seen; false when it is gone already.
    bool Watch(::Window owner)
    {
        return WithoutXErrors(D, [&] { XSelectInput(D, owner, StructureNotifyMask); });
    }
};

using TState = TXEmbedTray::TState;

class TXEmbedIcon : public TBackendTrayIcon {
public:
    TXEmbedIcon(std::shared_ptr<TState> s, HWND window, UINT id, const TSurface& picture)
        : S(std::move(s)), Window(window), Id(id), Picture(picture)
    {
        S->Icons.push_back(this);
    }
    ~TXEmbedIcon() override
    {
        std::erase(S->Icons, this);
        // The tray sees its embedded window end and takes the icon away.
        if (X)
            WithoutXErrors(S->D, [&] { XDestroyWindow(S->D, X); });
        if (Colormap)
            XFreeColormap(S->D, Colormap);
    }

    // Makes the icon's window and asks the tray to dock it; false when the tray went away meanwhile.
    bool Dock(const std::string& tip);
    void SetPicture(const TSurface& picture) override
    {
        Picture = picture;
        Paint();
    }
    void SetTip(const std::string& tip) override;
    void Paint();
    // The tray let go of the icon (it ended, or undocked it): off the screen until it is freed.
    void Withdraw()
    {
        Docked = false;
        if (X)
            WithoutXErrors(S->D, [&] { XUnmapWindow(S->D, X); });
    }

    std::shared_ptr<TState> S;
    HWND Window;
    UINT Id;
    TSurface Picture;
    ::Window X = 0;
    Visual* Vis = nullptr;
    int Depth = 0;
    bool Argb = false;   // a visual with alpha, offered by the tray: the picture's own translucency shows
    ::Colormap Colormap = 0;
    int Width = FirstIconSide;
    int Height = FirstIconSide;
    bool Docked = false;
    bool Lost = false;   // reported lost once; the window layer frees it
};

bool TXEmbedIcon::Dock(const std::string& tip)
{
    Display* d = S->D;
    const ::Window owner = S->Owner;
    // The tray may name a visual for its icons; one with alpha lets the picture blend with the panel.
    Vis = DefaultVisual(d, S->Screen);
    Depth = DefaultDepth(d, S->Screen);
    Atom type;
    int format;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(d, owner, S->TrayVisual, 0, 1, False, XA_VISUALID, &type, &format, &count, &after, &data) == Success
        && data) {
        if (count == 1 && format == 32) {
            XVisualInfo want{};
            want.visualid = static_cast<VisualID>(*reinterpret_cast<unsigned long*>(data));
            want.screen = S->Screen;
            int n = 0;
            if (XVisualInfo* info = XGetVisualInfo(d, VisualIDMask | VisualScreenMask, &want, &n)) {
                if (n > 0 && info[0].depth == 32 && info[0].c_class == TrueColor) {
                    Vis = info[0].visual;
                    Depth = 32;
                    Argb = true;
                }
                XFree(info);
            }
        }
        XFree(data);
    }
    XSetWindowAttributes a{};
    unsigned long mask = CWEventMask | CWBorderPixel;
    a.event_mask = ExposureMask | StructureNotifyMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask;
    a.border_pixel = 0;
    if (Argb) {
        Colormap = XCreateColormap(d, S->Root, Vis, AllocNone);
        a.colormap = Colormap;
        a.background_pixel = 0;
        mask |= CWColormap | CWBackPixel;
    } else {
        // The panel shows through where the picture is transparent. That needs the tray's own depth:
        // a window of another depth with such a background could not be embedded.
        XWindowAttributes ta;
        const bool sameDepth = WithoutXErrors(d, [&] { XGetWindowAttributes(d, owner, &ta); }) && ta.depth == Depth;
        if (sameDepth) {
            a.background_pixmap = ParentRelative;
            mask |= CWBackPixmap;
        } else {
            a.background_pixel = BlackPixel(d, S->Screen);
            mask |= CWBackPixel;
        }
    }
    bool ok = WithoutXErrors(d, [&] {
        X = XCreateWindow(d, S->Root, 0, 0, Width, Height, 0, Depth, InputOutput, Vis, mask, &a);
        const long info[2] = {XEMBED_VERSION, XEMBED_MAPPED};
        XChangeProperty(d, X, S->XEmbedInfo, S->XEmbedInfo, 32, PropModeReplace, reinterpret_cast<const unsigned char*>(info), 2);
        XClassHint cls{const_cast<char*>("ombrix"), const_cast<char*>("Ombrix")};
        XSetClassHint(d, X, &cls);
    });
    SetTip(tip);
    // The request goes to the tray's window itself (no event mask), as the protocol says.
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = owner;
    e.xclient.message_type = S->Opcode;
    e.xclient.format = 32;
    e.xclient.data.l[0] = CurrentTime;
    e.xclient.data.l[1] = SYSTEM_TRAY_REQUEST_DOCK;
    e.xclient.data.l[2] = static_cast<long>(X);
    ok = ok && WithoutXErrors(d, [&] { XSendEvent(d, owner, False, NoEventMask, &e); });
    return ok;
}

void TXEmbedIcon::SetTip(const std::string& tip)
{
    // The protocol carries no tool tip: the window's name is what a tray can show for the icon.
    if (!X)
        return;
    Display* d = S->D;
    XStoreName(d, X, tip.c_str());
    XChangeProperty(d, X, S->NetWmName, S->Utf8, 8, PropModeReplace, reinterpret_cast<const unsigned char*>(tip.data()),
        static_cast<int>(tip.size()));
    XFlush(d);
}

void TXEmbedIcon::Paint()
{
    if (!X || !Docked || Width <= 0 || Height <= 0)
        return;
    Display* d = S->D;
    const TSurface fitted = FitTrayPicture(Picture, Width, Height);
    char* bits = static_cast<char*>(std::calloc(static_cast<std::size_t>(Width) * Height, 4));
    XImage* img = bits ? XCreateImage(d, Vis, static_cast<unsigned>(Depth), ZPixmap, 0, bits, static_cast<unsigned>(Width),
                             static_cast<unsigned>(Height), 32, 0)
                       : nullptr;
    if (!img) {
        std::free(bits);
        return;
    }
    // Without alpha in the window, the picture's mostly transparent pixels are left out (a clip mask),
    // so that the panel shows there.
    std::vector<unsigned char> mask(static_cast<std::size_t>((Width + 7) / 8) * Height, 0);
    for (int y = 0; y < Height; ++y) {
        const TPixel* row = fitted.ScanLine(y);
        for (int x = 0; x < Width; ++x) {
            const TPixel p = row[x];
            unsigned a = p >> 24, r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
            if (Argb) {
                // The compositor takes colours multiplied by their alpha.
                r = r * a / 255, g = g * a / 255, b = b * a / 255;
                XPutPixel(img, x, y, (static_cast<unsigned long>(a) << 24) | (r << 16) | (g << 8) | b);
            } else {
                XPutPixel(img, x, y, Channel(r, Vis->red_mask) | Channel(g, Vis->green_mask) | Channel(b, Vis->blue_mask));
                if (a >= 128)
                    mask[static_cast<std::size_t>(y) * ((Width + 7) / 8) + x / 8] |= static_cast<unsigned char>(1u << (x % 8));
            }
        }
    }
    WithoutXErrors(d, [&] {
        GC gc = XCreateGC(d, X, 0, nullptr);
        Pixmap clip = 0;
        if (!Argb) {
            XClearWindow(d, X);
            clip = XCreateBitmapFromData(d, X, reinterpret_cast<const char*>(mask.data()), static_cast<unsigned>(Width),
                static_cast<unsigned>(Height));
            XSetClipMask(d, gc, clip);
        }
        XPutImage(d, X, gc, img, 0, 0, 0, 0, static_cast<unsigned>(Width), static_cast<unsigned>(Height));
        if (clip)
            XFreePixmap(d, clip);
        XFreeGC(d, gc);
    });
    XDestroyImage(img);   // frees the pixels too
}

std::unique_ptr<TXEmbedTray> TXEmbedTray::Open(const std::string& name)
{
    Display* d = XOpenDisplay(name.empty() ? nullptr : name.c_str());
    if (!d)
        return nullptr;
    auto s = std::make_shared<TState>();
    s->D = d;
    s->Screen = DefaultScreen(d);
    s->Root = RootWindow(d, s->Screen);
    const std::string selection = "_NET_SYSTEM_TRAY_S" + std::to_string(s->Screen);
    s->Selection = XInternAtom(d, selection.c_str(), False);
    s->Opcode = XInternAtom(d, "_NET_SYSTEM_TRAY_OPCODE", False);
    s->Manager = XInternAtom(d, "MANAGER", False);
    s->XEmbedInfo = XInternAtom(d, "_XEMBED_INFO", False);
    s->TrayVisual = XInternAtom(d, "_NET_SYSTEM_TRAY_VISUAL", False);
    s->NetWmName = XInternAtom(d, "_NET_WM_NAME", False);
    s->Utf8 = XInternAtom(d, "UTF8_STRING", False);
    // A tray that comes up announces itself on the root window (MANAGER, to StructureNotify listeners).
    XSelectInput(d, s->Root, StructureNotifyMask);
    XGrabServer(d);   // the owner cannot end between the question and the watch
    s->Owner = XGetSelectionOwner(d, s->Selection);
    if (s->Owner)
        XSelectInput(d, s->Owner, StructureNotifyMask);
    XUngrabServer(d);
    XFlush(d);
    return std::unique_ptr<TXEmbedTray>(new TXEmbedTray(std::move(s)));
}

TXEmbedTray::TXEmbedTray(std::shared_ptr<TState> state) : F(std::move(state)) {}

TXEmbedTray::~TXEmbedTray() = default;

int TXEmbedTray::Fd() const { return ConnectionNumber(F->D); }

bool TXEmbedTray::HasQueuedEvents() const { return !FEarly.empty() || XEventsQueued(F->D, QueuedAlready) > 0; }

std::unique_ptr<TBackendTrayIcon> TXEmbedTray::CreateIcon(HWND window, UINT id, const TSurface& picture, const std::string& tip)
{
    // Events already waiting may say the tray has gone (or a new one came): they count first, and reach
    // the window layer with the next pump.
    ReadEvents(FEarly);
    if (!F->Owner)
        return nullptr;
    auto icon = std::make_unique<TXEmbedIcon>(F, window, id, picture);
    if (!icon->Dock(tip))
        return nullptr;
    return icon;
}

void TXEmbedTray::Pump(std::vector<TInputEvent>& out)
{
    for (auto& e : FEarly)
        out.push_back(std::move(e));
    FEarly.clear();
    ReadEvents(out);
}

void TXEmbedTray::ReadEvents(std::vector<TInputEvent>& out)
{
    TState& s = *F;
    auto iconOf = [&s](::Window x) -> TXEmbedIcon* {
        for (TXEmbedIcon* i : s.Icons)
            if (i->X == x)
                return i;
        return nullptr;
    };
    auto lost = [&](TXEmbedIcon* i) {
        if (i->Lost)
            return;
        i->Lost = true;
        i->Withdraw();
        out.push_back(TrayEvent(TInputKind::TrayLost, i->Window, i->Id));
    };
    while (XPending(s.D) > 0) {
        XEvent e;
        XNextEvent(s.D, &e);
        if (e.type == ClientMessage && e.xclient.window == s.Root && e.xclient.message_type == s.Manager
            && static_cast<Atom>(e.xclient.data.l[1]) == s.Selection) {
            const auto owner = static_cast<::Window>(e.xclient.data.l[2]);
            if (owner == s.Owner)
                continue;
            // A new tray took over: what the old one showed is gone, the windows add their icons anew.
            for (TXEmbedIcon* i : s.Icons)
                lost(i);
            s.Owner = s.Watch(owner) ? owner : 0;
            if (s.Owner)
                out.push_back(TrayEvent(TInputKind::TrayCreated));
            continue;
        }
        if (e.type == DestroyNotify && s.Owner && e.xdestroywindow.window == s.Owner) {
            // The tray ended. The server hands embedded windows back to the root window and shows them
            // there: ours are taken off the screen at once.
            s.Owner = 0;
            for (TXEmbedIcon* i : s.Icons)
                lost(i);
            continue;
        }
        TXEmbedIcon* icon = iconOf(e.xany.window);
        if (!icon)
            continue;
        TInputEvent ev = TrayEvent(TInputKind::TrayMouseMove, icon->Window, icon->Id);
        switch (e.type) {
        case ReparentNotify:
            if (e.xreparent.window != icon->X)
                break;
            if (e.xreparent.parent != s.Root) {
                icon->Docked = true;
                icon->Paint();
            } else if (icon->Docked) {
                lost(icon);   // the tray let it go
            }
            break;
        case ConfigureNotify:
            if (e.xconfigure.window == icon->X && (e.xconfigure.width != icon->Width || e.xconfigure.height != icon->Height)) {
                icon->Width = e.xconfigure.width;
                icon->Height = e.xconfigure.height;
                icon->Paint();
            }
            break;
        case Expose:
            if (e.xexpose.count == 0)
                icon->Paint();
            break;
        case MotionNotify:
            ev.Kind = TInputKind::TrayMouseMove;
            ev.Pos = {e.xmotion.x_root, e.xmotion.y_root};
            out.push_back(ev);
            break;
        case ButtonPress:
        case ButtonRelease:
            // X numbers the middle button 2 and the right one 3; the wheel's "buttons" are no clicks.
            ev.Button = e.xbutton.button == Button1 ? 1 : e.xbutton.button == Button3 ? 2 : e.xbutton.button == Button2 ? 3 : 0;
            if (!ev.Button)
                break;
            ev.Kind = e.type == ButtonPress ? TInputKind::TrayButtonDown : TInputKind::TrayButtonUp;
            ev.Pos = {e.xbutton.x_root, e.xbutton.y_root};
            out.push_back(ev);
            break;
        default:
            break;
        }
    }
}

TSurface FitTrayPicture(const TSurface& Picture, int Width, int Height)
{
    TSurface out(Width, Height);
    if (Picture.Empty() || out.Empty())
        return out;
    // One factor for both ways: the picture keeps its shape and fills the smaller side.
    const double scale = std::min(static_cast<double>(Width) / Picture.Width(), static_cast<double>(Height) / Picture.Height());
    const int w = std::max(1, static_cast<int>(Picture.Width() * scale + 0.5));
    const int h = std::max(1, static_cast<int>(Picture.Height() * scale + 0.5));
    const int left = (Width - w) / 2, top = (Height - h) / 2;
    for (int y = 0; y < h; ++y) {
        const int sy0 = y * Picture.Height() / h, sy1 = std::max(sy0 + 1, (y + 1) * Picture.Height() / h);
        TPixel* row = out.ScanLine(top + y);
        for (int x = 0; x < w; ++x) {
            const int sx0 = x * Picture.Width() / w, sx1 = std::max(sx0 + 1, (x + 1) * Picture.Width() / w);
            // The average of the source pixels the target pixel covers, weighted by their alpha, so
            // that transparent pixels lend the edge no colour.
            unsigned long a = 0, r = 0, g = 0, b = 0, n = 0;
            for (int sy = sy0; sy < sy1; ++sy)
                for (int sx = sx0; sx < sx1; ++sx) {
                    const TPixel p = Picture.ScanLine(sy)[sx];
                    const unsigned pa = p >> 24;
                    a += pa;
                    r += ((p >> 16) & 0xFF) * pa;
                    g += ((p >> 8) & 0xFF) * pa;
                    b += (p & 0xFF) * pa;
                    ++n;
                }
            if (a == 0)
                continue;
            row[left + x] = (static_cast<TPixel>(a / n) << 24) | (static_cast<TPixel>(r / a) << 16) | (static_cast<TPixel>(g / a) << 8)
                | static_cast<TPixel>(b / a);
        }
    }
    return out;
}
