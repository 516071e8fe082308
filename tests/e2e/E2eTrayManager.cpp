#include "E2eTrayManager.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <thread>

// X11 last: its headers define None, Bool, Status, True and False as macros.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

constexpr long SYSTEM_TRAY_REQUEST_DOCK = 0;
constexpr long XEMBED_EMBEDDED_NOTIFY = 0;
constexpr long XEMBED_MAPPED = 1;
constexpr int StripIcons = 8;

struct TDocked {
    ::Window Window = 0;
    bool Mapped = false;
    std::string Name;
};

}  // namespace

struct TE2eTrayManager::TState {
    Display* D = nullptr;
    ::Window Root = 0;
    ::Window Strip = 0;
    int IconSize = 24;
    TRect Area;
    Atom Selection = 0, Opcode = 0, XEmbed = 0, XEmbedInfo = 0, Manager = 0, NetWmName = 0, Utf8 = 0;
    bool Owns = false;
    int Stop = -1;   // eventfd that ends the thread

    mutable std::mutex Lock;
    mutable std::condition_variable Changed;
    std::vector<TDocked> Docked;   // under Lock
    std::thread Thread;

    ~TState()
    {
        if (Stop >= 0)
            close(Stop);
        if (D)
            XCloseDisplay(D);
    }

    std::string NameOf(::Window w)
    {
        std::string name;
        Atom type;
        int format;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        if (XGetWindowProperty(D, w, NetWmName, 0, 256, False, Utf8, &type, &format, &count, &after, &data) == Success && data) {
            name.assign(reinterpret_cast<char*>(data), count);
            XFree(data);
        }
        return name;
    }

    // The icons sit left to right in the order they came.
    void Layout()
    {
        std::lock_guard hold(Lock);
        for (std::size_t i = 0; i < Docked.size(); ++i)
            XMoveResizeWindow(D, Docked[i].Window, static_cast<int>(i) * IconSize, 0, IconSize, IconSize);
        Changed.notify_all();
    }

    void Dock(::Window icon)
    {
        {
            std::lock_guard hold(Lock);
            for (const auto& d : Docked)
                if (d.Window == icon)
                    return;
        }
        XSelectInput(D, icon, StructureNotifyMask | PropertyChangeMask);
        // In the save set: should the tray end first, the server gives the window back to the root.
        XAddToSaveSet(D, icon);
        XReparentWindow(D, icon, Strip, 0, 0);
        XEvent e{};
        e.xclient.type = ClientMessage;
        e.xclient.window = icon;
        e.xclient.message_type = XEmbed;
        e.xclient.format = 32;
        e.xclient.data.l[0] = CurrentTime;
        e.xclient.data.l[1] = XEMBED_EMBEDDED_NOTIFY;
        e.xclient.data.l[3] = static_cast<long>(Strip);
        XSendEvent(D, icon, False, NoEventMask, &e);
        // The client says in _XEMBED_INFO whether it wants to be shown.
        bool wantsMap = true;
        Atom type;
        int format;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        if (XGetWindowProperty(D, icon, XEmbedInfo, 0, 2, False, XEmbedInfo, &type, &format, &count, &after, &data) == Success
            && data) {
            if (count == 2 && format == 32)
                wantsMap = (reinterpret_cast<unsigned long*>(data)[1] & XEMBED_MAPPED) != 0;
            XFree(data);
        }
        {
            std::lock_guard hold(Lock);
            Docked.push_back({icon, false, NameOf(icon)});
        }
        Layout();
        if (wantsMap)
            XMapRaised(D, icon);
        XSync(D, False);
    }

    void Forget(::Window icon)
    {
        {
            std::lock_guard hold(Lock);
            std::erase_if(Docked, [icon](const TDocked& d) { return d.Window == icon; });
        }
        Layout();
    }

    void SetMapped(::Window icon, bool mapped)
    {
        std::lock_guard hold(Lock);
        for (auto& d : Docked)
            if (d.Window == icon)
                d.Mapped = mapped;
        Changed.notify_all();
    }

    void Serve()
    {
        pollfd fds[2] = {{ConnectionNumber(D), POLLIN, 0}, {Stop, POLLIN, 0}};
        for (;;) {
            while (XPending(D) > 0) {
                XEvent e;
                XNextEvent(D, &e);
                switch (e.type) {
                case ClientMessage:
                    if (e.xclient.message_type == Opcode && e.xclient.data.l[1] == SYSTEM_TRAY_REQUEST_DOCK)
                        Dock(static_cast<::Window>(e.xclient.data.l[2]));
                    break;
                case MapNotify:
                    SetMapped(e.xmap.window, true);
                    break;
                case UnmapNotify:
                    SetMapped(e.xunmap.window, false);
                    break;
                case DestroyNotify:
                    if (e.xdestroywindow.window != Strip)
                        Forget(e.xdestroywindow.window);
                    break;
                case ReparentNotify:
                    if (e.xreparent.parent != Strip)
                        Forget(e.xreparent.window);
                    break;
                case PropertyNotify:
                    if (e.xproperty.atom == NetWmName) {
                        std::string name = NameOf(e.xproperty.window);
                        std::lock_guard hold(Lock);
                        for (auto& d : Docked)
                            if (d.Window == e.xproperty.window)
                                d.Name = name;
                        Changed.notify_all();
                    }
                    break;
                default:
                    break;
                }
            }
            if (poll(fds, 2, 1000) > 0 && (fds[1].revents & POLLIN))
                break;
        }
        // A panel that quits: its window goes, the embedded icons are handed back to the root.
        XDestroyWindow(D, Strip);
        XSync(D, False);
    }
};

namespace {

int IgnoreErrors(Display*, XErrorEvent*) { return 0; }

}  // namespace

TE2eTrayManager::TE2eTrayManager(const std::string& Display, int IconSize) : F(std::make_shared<TState>())
{
    F->IconSize = IconSize;
    F->D = XOpenDisplay(Display.c_str());
    if (!F->D)
        return;
    // A client's window may end at any moment (a program that quits while it docks): such errors are
    // part of a tray's life. The handler is the process's; a test display's other helpers ignore them
    // as well.
    XSetErrorHandler(IgnoreErrors);
    ::Display* d = F->D;
    F->Root = DefaultRootWindow(d);
    F->Selection = XInternAtom(d, "_NET_SYSTEM_TRAY_S0", False);
    F->Opcode = XInternAtom(d, "_NET_SYSTEM_TRAY_OPCODE", False);
    F->XEmbed = XInternAtom(d, "_XEMBED", False);
    F->XEmbedInfo = XInternAtom(d, "_XEMBED_INFO", False);
    F->Manager = XInternAtom(d, "MANAGER", False);
    F->NetWmName = XInternAtom(d, "_NET_WM_NAME", False);
    F->Utf8 = XInternAtom(d, "UTF8_STRING", False);

    const int width = DisplayWidth(d, DefaultScreen(d));
    F->Area = TRect{width - StripIcons * IconSize, 0, width, IconSize};
    XSetWindowAttributes a{};
    a.override_redirect = True;   // a panel's strip: no window manager frames or moves it
    a.background_pixel = 0x303840;
    a.event_mask = SubstructureNotifyMask;
    F->Strip = XCreateWindow(d, F->Root, F->Area.Left, F->Area.Top, static_cast<unsigned>(F->Area.Width()),
        static_cast<unsigned>(F->Area.Height()), 0, CopyFromParent, InputOutput, CopyFromParent,
        CWOverrideRedirect | CWBackPixel | CWEventMask, &a);
    XMapRaised(d, F->Strip);
    XSetSelectionOwner(d, F->Selection, F->Strip, CurrentTime);
    F->Owns = XGetSelectionOwner(d, F->Selection) == F->Strip;
    if (!F->Owns)
        return;
    // Programs that wait for a tray learn of it from the root window.
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = F->Root;
    e.xclient.message_type = F->Manager;
    e.xclient.format = 32;
    e.xclient.data.l[0] = CurrentTime;
    e.xclient.data.l[1] = static_cast<long>(F->Selection);
    e.xclient.data.l[2] = static_cast<long>(F->Strip);
    XSendEvent(d, F->Root, False, StructureNotifyMask, &e);
    XSync(d, False);
    F->Stop = eventfd(0, EFD_CLOEXEC);
    F->Thread = std::thread([s = F] { s->Serve(); });
}

TE2eTrayManager::~TE2eTrayManager()
{
    if (F->Thread.joinable()) {
        const std::uint64_t one = 1;
        (void)!write(F->Stop, &one, sizeof one);
        F->Thread.join();
    }
}

bool TE2eTrayManager::Started() const { return F->Owns && F->Thread.joinable(); }

TRect TE2eTrayManager::Area() const { return F->Area; }

std::vector<TE2eTrayManager::TIcon> TE2eTrayManager::Icons() const
{
    std::lock_guard hold(F->Lock);
    std::vector<TIcon> out;
    for (std::size_t i = 0; i < F->Docked.size(); ++i) {
        if (!F->Docked[i].Mapped)
            continue;
        const int left = F->Area.Left + static_cast<int>(i) * F->IconSize;
        out.push_back({F->Docked[i].Window, TRect{left, F->Area.Top, left + F->IconSize, F->Area.Top + F->IconSize},
            F->Docked[i].Name});
    }
    return out;
}

bool TE2eTrayManager::WaitForIcons(std::size_t Count, std::chrono::milliseconds Limit) const
{
    std::unique_lock hold(F->Lock);
    auto shown = [this] {
        return static_cast<std::size_t>(std::count_if(F->Docked.begin(), F->Docked.end(), [](const TDocked& d) { return d.Mapped; }));
    };
    return F->Changed.wait_for(hold, Limit, [&] { return shown() == Count; });
}
