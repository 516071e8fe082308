// A real window on a real (virtual) X display: the test starts its own Xvfb on a free display number,
// paints a known picture through the SDL backend and reads back what the X server shows.
#include "platform/backend/TSdlBackend.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <optional>
#include <string>
#include <thread>

#include "platform/backend/THeadlessBackend.h"
#include "platform/gfx/Bmp.h"
#include "platform/gfx/Drawing.h"
#include "tests/support/TScratchFolder.h"
#include "tests/support/TestPictures.h"
#include "platform/win/TrayIcon.h"
#include "WinTestSupport.h"
#include "e2e/E2eTrayManager.h"

// X11 last: its headers define None, Bool, Status, True and False as macros.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

// The desktop bus library that SDL starts keeps a buffer for the life of the process; it is not ours.
extern "C" const char* __lsan_default_suppressions() { return "leak:libdbus-1.so\n"; }

namespace {

std::string FindInPath(const std::string& name)
{
    const char* path = std::getenv("PATH");
    std::string p = path ? path : "/usr/bin:/bin";
    std::size_t start = 0;
    while (start <= p.size()) {
        std::size_t end = p.find(':', start);
        std::string dir = p.substr(start, end == std::string::npos ? std::string::npos : end - start);
        std::string full = (dir.empty() ? "." : dir) + "/" + name;
        if (access(full.c_str(), X_OK) == 0)
            return full;
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return "";
}

// An Xvfb of our own on a free display number; it ends with the test program.
class TXvfb {
public:
    bool Start(const std::string& binary)
    {
        // The server picks a free display number itself and tells it through a pipe: test programs
        // running side by side can never end up sharing one server.
        int fds[2];
        if (pipe2(fds, O_CLOEXEC) != 0)
            return false;
        pid_t pid = fork();
        if (pid == 0) {
            // The server goes with the test even when the test dies.
            prctl(PR_SET_PDEATHSIG, SIGTERM);
            int out = dup(fds[1]);   // without close-on-exec: the server writes to it
            std::string fd = std::to_string(out);
            execl(binary.c_str(), binary.c_str(), "-displayfd", fd.c_str(), "-screen", "0", "640x480x24", "-nolisten", "tcp",
                static_cast<char*>(nullptr));
            _exit(127);
        }
        close(fds[1]);
        if (pid < 0) {
            close(fds[0]);
            return false;
        }
        std::string number;
        pollfd p{fds[0], POLLIN, 0};
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (number.find('\n') == std::string::npos && std::chrono::steady_clock::now() < deadline) {
            if (poll(&p, 1, 100) <= 0)
                continue;
            char c[16];
            ssize_t n = read(fds[0], c, sizeof c);
            if (n <= 0)
                break;   // the server ended without a display
            number.append(c, static_cast<std::size_t>(n));
        }
        close(fds[0]);
        if (number.find('\n') == std::string::npos) {
            kill(pid, SIGTERM);
            waitpid(pid, nullptr, 0);
            return false;
        }
        Pid = pid;
        Display = ":" + number.substr(0, number.find('\n'));
        return true;
    }
    pid_t Pid = 0;
    std::string Display;
};

// One display and one SDL backend for the whole test program. The backend is never shut down: SDL
// unloads its X libraries when it quits and the leak checker would then blame their leftovers on us.
// Each test borrows it through this forwarding backend.
class TBorrowedBackend : public TBackend {
public:
    explicit TBorrowedBackend(TBackend& b) : B(b) {}
    std::string Name() const override { return B.Name(); }
    std::unique_ptr<TBackendWindow> CreateWindow(const TBackendWindowParams& p) override { return B.CreateWindow(p); }
    void Pump(std::vector<TInputEvent>& out) override { B.Pump(out); }
    std::vector<int> WaitFds() const override { return B.WaitFds(); }
    TRect WorkArea() const override { return B.WorkArea(); }
    TRect ScreenRect() const override { return B.ScreenRect(); }
    TPoint CursorPos() const override { return B.CursorPos(); }
    void SetCursor(HCURSOR c) override { B.SetCursor(c); }
    std::string ClipboardText() const override { return B.ClipboardText(); }
    void SetClipboardText(const std::string& t) override { B.SetClipboardText(t); }
    void SetClipboardPicture(const TSurface& s) override { B.SetClipboardPicture(s); }
    bool ClipboardPicture(TSurface& s) const override { return B.ClipboardPicture(s); }
    bool SupportsShapes() const override { return B.SupportsShapes(); }
    bool SupportsOpacity() const override { return B.SupportsOpacity(); }
    bool Grab(const TRect& r, TSurface& out) const override { return B.Grab(r, out); }
    bool HasQueuedEvents() const override { return B.HasQueuedEvents(); }
    std::unique_ptr<TBackendTrayIcon> CreateTrayIcon(HWND w, UINT id, const TSurface& p, const std::string& tip) override
    {
        return B.CreateTrayIcon(w, id, p, tip);
    }

private:
    TBackend& B;
};

// The test's own connection to the display: it looks at what the server has, as another program would.
class TXClient {
public:
    explicit TXClient(const std::string& display) : D(XOpenDisplay(display.c_str())) {}
    ~TXClient()
    {
        if (D)
            XCloseDisplay(D);
    }

    // The client window titled `title` (below the window manager's frame when there is one), or 0.
    ::Window Find(const std::string& title, ::Window from = 0)
    {
        if (!from)
            from = DefaultRootWindow(D);
        char* name = nullptr;
        if (XFetchName(D, from, &name) && name) {
            bool same = title == name;
            XFree(name);
            if (same)
                return from;
        }
        ::Window root, parent, *children = nullptr;
        unsigned n = 0;
        ::Window found = 0;
        if (XQueryTree(D, from, &root, &parent, &children, &n)) {
            for (unsigned i = 0; i < n && !found; ++i)
                found = Find(title, children[i]);
            if (children)
                XFree(children);
        }
        return found;
    }
    std::vector<unsigned long> Property(::Window w, const char* name, Atom type)
    {
        std::vector<unsigned long> out;
        Atom got;
        int format;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        if (XGetWindowProperty(D, w, XInternAtom(D, name, False), 0, 64, False, type, &got, &format, &count, &after, &data)
                == Success
            && data) {
            for (unsigned long i = 0; i < count && format == 32; ++i)
                out.push_back(reinterpret_cast<unsigned long*>(data)[i]);
            XFree(data);
        }
        return out;
    }
    bool Viewable(::Window w)
    {
        XWindowAttributes a;
        return w && XGetWindowAttributes(D, w, &a) && a.map_state == IsViewable;
    }
    ::Window Focus()
    {
        ::Window w = 0;
        int revert;
        XGetInputFocus(D, &w, &revert);
        return w;
    }
    bool WindowManagerRuns()
    {
        // The property outlives a window manager that ended; its check window does not.
        auto check = Property(DefaultRootWindow(D), "_NET_SUPPORTING_WM_CHECK", XA_WINDOW);
        if (check.empty() || !check[0])
            return false;
        ::Window root, parent, *children = nullptr;
        unsigned n = 0;
        bool alive = false;
        if (XQueryTree(D, DefaultRootWindow(D), &root, &parent, &children, &n) && children) {
            for (unsigned i = 0; i < n; ++i)
                alive = alive || children[i] == check[0];
            XFree(children);
        }
        return alive;
    }
    // Whether the window manager has taken charge of new windows: one that announces itself may still
    // be starting, and a window mapped then is never managed (nor shown).
    bool WindowManagerFrames()
    {
        ::Window probe = XCreateSimpleWindow(D, DefaultRootWindow(D), 0, 0, 10, 10, 0, 0, 0);
        XMapWindow(D, probe);
        XSync(D, False);
        bool framed = false;
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (!framed && std::chrono::steady_clock::now() < deadline) {
            ::Window root, parent = 0, *children = nullptr;
            unsigned n = 0;
            if (XQueryTree(D, probe, &root, &parent, &children, &n) && children)
                XFree(children);
            framed = parent && parent != root;
            if (!framed)
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        XDestroyWindow(D, probe);
        XSync(D, False);
        return framed;
    }
    // What a taskbar sends to bring a window back (source 2: a pager or taskbar, not the program).
    void AskToActivate(::Window w)
    {
        XEvent e{};
        e.xclient.type = ClientMessage;
        e.xclient.window = w;
        e.xclient.message_type = XInternAtom(D, "_NET_ACTIVE_WINDOW", False);
        e.xclient.format = 32;
        e.xclient.data.l[0] = 2;
        e.xclient.data.l[1] = CurrentTime;
        XSendEvent(D, DefaultRootWindow(D), False, SubstructureRedirectMask | SubstructureNotifyMask, &e);
        XFlush(D);
    }

    Display* D;
};

// A window manager on the test's display for one test; it goes when the test ends.
class TWindowManager {
public:
    bool Start(const std::string& display, const std::string& name)
    {
        std::string binary = FindInPath(name);
        if (binary.empty())
            return false;
        const std::string home = Home.emplace().Path();
        Pid = fork();
        if (Pid == 0) {
            prctl(PR_SET_PDEATHSIG, SIGTERM);
            setenv("DISPLAY", display.c_str(), 1);
            setenv("HOME", home.c_str(), 1);
            setenv("XDG_CONFIG_HOME", home.c_str(), 1);
            setenv("XDG_CACHE_HOME", home.c_str(), 1);
            if (name == "openbox")
                execl(binary.c_str(), binary.c_str(), "--sm-disable", static_cast<char*>(nullptr));
            else
                execl(binary.c_str(), binary.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        return Pid > 0;
    }
    ~TWindowManager()
    {
        if (Pid > 0) {
            kill(Pid, SIGTERM);
            waitpid(Pid, nullptr, 0);
        }
    }
    pid_t Pid = 0;
    std::optional<TScratchFolder> Home; // goes after the manager has stopped
};

class TSdlBackendTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        // One server and one backend for the whole test program: the display library connects once
        // per process, so a second backend (the tray suite derives from this one) would still talk to
        // the first server while the test looked at the second.
        if (Server != nullptr)
            return;
        std::string xvfb = FindInPath("Xvfb");
        if (xvfb.empty())
            return;
        Server = new TXvfb;   // stopped at exit: it dies with the test program (parent-death signal)
        if (!Server->Start(xvfb))
            return;
        const char* old = std::getenv("DISPLAY");
        std::string saved = old ? old : "";
        setenv("DISPLAY", Server->Display.c_str(), 1);
        Sdl = MakeBackend("sdl").release();
        if (old)
            setenv("DISPLAY", saved.c_str(), 1);
        else
            unsetenv("DISPLAY");
    }

    void SetUp() override
    {
        if (!Server)
            GTEST_SKIP() << "Xvfb is not installed";
        ASSERT_TRUE(Server->Pid > 0) << "Xvfb did not start";
        ASSERT_TRUE(Sdl) << "the SDL backend could not open " << Server->Display;
        SetBackend(std::make_unique<TBorrowedBackend>(*Sdl));
        // A display that never maps a window would block the display library for good: the test
        // ends instead of hanging the run.
        alarm(180);
    }
    void TearDown() override
    {
        alarm(0);
        for (HWND h : GetTopLevelWindows())
            DestroyWindow(h);
        PumpAll();
        if (Wm) {
            TXClient x(Server->Display);
            Wm.reset();
            // The next test starts on a display without one.
            auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
            while (x.D && x.WindowManagerRuns() && std::chrono::steady_clock::now() < deadline)
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        SetBackend(std::make_unique<THeadlessBackend>());
    }

    // Runs the loop until the display has had time to show what was painted.
    void Settle(int ms)
    {
        auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
        while (std::chrono::steady_clock::now() < end) {
            PumpAll();
            UpdateAllWindows();
            WaitMessage(20);
        }
    }

    // Runs the loop until `done` holds or a generous limit passes; the result of `done` then.
    template <class F>
    bool WaitFor(F done, int seconds = 20)
    {
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
        while (!done() && std::chrono::steady_clock::now() < deadline)
            Settle(20);
        return done();
    }

    // A top-level window with a title the test can find it by on the server.
    HWND MakeTop(const std::string& title, const TRect& r, HWND owner = 0)
    {
        HWND h = cls.Create(owner, r, WS_POPUP);
        SetWindowText(h, title);
        return h;
    }

    // Shows a window made by MakeTop and waits until the server shows it; its server window, or 0.
    ::Window ShowOnServer(TXClient& x, HWND h, const std::string& title, int cmd = SW_SHOW)
    {
        ShowWindow(h, cmd);
        ::Window id = 0;
        WaitFor([&] { return x.Viewable(id = x.Find(title)); });
        return x.Viewable(id) ? id : 0;
    }

    // Starts a window manager for this test; false (and the test is skipped) when there is none.
    bool WithWindowManager(TXClient& x, const std::string& name = "openbox")
    {
        Wm = std::make_unique<TWindowManager>();
        return Wm->Start(Server->Display, name) && WaitFor([&] { return x.WindowManagerRuns() && x.WindowManagerFrames(); });
    }

    std::unique_ptr<TWindowManager> Wm;
    static inline TXvfb* Server = nullptr;
    static inline TBackend* Sdl = nullptr;
    TTestClass cls{0, clWhite};
};

TEST_F(TSdlBackendTest, PaintedWindow_IsWhatTheXServerShows)
{
    EXPECT_EQ(Backend().Name(), "sdl");
    cls.On[WM_PAINT] = [](HWND h, WPARAM, LPARAM) -> LRESULT {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(h, &ps);
        const COLORREF colors[4] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(255, 255, 0)};
        for (int i = 0; i < 4; ++i) {
            HBRUSH b = CreateSolidBrush(colors[i]);
            FillRect(dc, Bounds((i % 2) * 60, (i / 2) * 40, 60, 40), b);
            DeleteObject(b);
        }
        EndPaint(h, &ps);
        return 0;
    };
    HWND h = cls.Create(0, Bounds(50, 60, 120, 80), WS_POPUP);
    ShowWindow(h, SW_SHOW);

    // A loaded machine can take a while to map and show the window: wait for the picture, up to a
    // limit, rather than for a fixed time.
    TSurface shown;
    std::map<char, COLORREF> legend{{'R', RGB(255, 0, 0)}, {'G', RGB(0, 255, 0)}, {'B', RGB(0, 0, 255)}, {'Y', RGB(255, 255, 0)}};
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(15);
    do {
        Settle(100);
        ASSERT_TRUE(Backend().Grab(Bounds(50, 60, 120, 80), shown));
    } while (ComparePixels(shown, 88, 58, {"YY"}, legend) != "" && std::chrono::steady_clock::now() < deadline);
    SaveTestPicture(shown, OMBRIX_TEST_PICTURES, "TSdlBackendTest_Shown");
    EXPECT_EQ(ComparePixels(shown, 28, 18, {"RR"}, legend), "");
    EXPECT_EQ(ComparePixels(shown, 88, 18, {"GG"}, legend), "");
    EXPECT_EQ(ComparePixels(shown, 28, 58, {"BB"}, legend), "");
    EXPECT_EQ(ComparePixels(shown, 88, 58, {"YY"}, legend), "");

    // A native child window for a player: it exists on the server and has its own id.
    HWND panel = cls.Create(h, Bounds(10, 10, 40, 30));
    unsigned long id = GetNativeWindowId(panel);
    EXPECT_NE(id, 0u);
    EXPECT_EQ(GetNativeWindowId(panel), id);
    Settle(100);
}

TEST_F(TSdlBackendTest, PointerMoves_AreReportedWhereThePointerIs_WhileTheWindowMovesWithIt)
{
    // A window dragged by the pointer moves between two of its reports: each move was made on the server
    // while the window was still at its last place, and the next one lands on the same place inside the
    // window. Both must still tell where the pointer is on the screen.
    TXClient x(Server->Display);
    ASSERT_TRUE(x.D);
    HWND h = MakeTop("sdl-drag", Bounds(100, 100, 300, 200));
    ASSERT_NE(ShowOnServer(x, h, "sdl-drag"), 0u);
    const auto pointerAt = [&](int X, int Y) {
        XWarpPointer(x.D, 0, DefaultRootWindow(x.D), 0, 0, 0, 0, X, Y);
        XSync(x.D, False);
    };
    pointerAt(200, 150);
    ASSERT_TRUE(WaitFor([&] { return GetCursorPos() == TPoint{200, 150}; }, 10));
    for (int step = 1; step <= 3; ++step) {
        const int px = 200 - 30 * step;
        pointerAt(px, 150);
        SetWindowPos(h, 0, 100 - 30 * step, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        EXPECT_TRUE(WaitFor([&] { return GetCursorPos() == TPoint{px, 150}; }, 10))
            << "step " << step << ": the pointer was reported at " << GetCursorPos().X << "," << GetCursorPos().Y;
    }
}

TEST_F(TSdlBackendTest, ChangedArea_ReachesTheServer_TheRestStays_ANewSizeShowsWhole)
{
    // White all over, with a block whose colour the test changes.
    COLORREF block = RGB(255, 0, 0);
    cls.On[WM_PAINT] = [&block](HWND h, WPARAM, LPARAM) -> LRESULT {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(h, &ps);
        TRect client;
        GetClientRect(h, client);
        HBRUSH white = CreateSolidBrush(RGB(255, 255, 255));
        HBRUSH b = CreateSolidBrush(block);
        FillRect(dc, client, white);
        FillRect(dc, Rect(30, 20, 70, 50), b);
        DeleteObject(b);
        DeleteObject(white);
        EndPaint(h, &ps);
        return 0;
    };
    HWND h = cls.Create(0, Bounds(50, 60, 120, 80), WS_POPUP);
    ShowWindow(h, SW_SHOW);
    const std::map<char, COLORREF> legend{{'R', RGB(255, 0, 0)}, {'C', RGB(0, 255, 255)}, {'W', RGB(255, 255, 255)}};
    TSurface shown;
    auto show = [&](const TRect& area, int x, int y, const std::vector<std::string>& rows) {
        return WaitFor([&] { return Backend().Grab(area, shown) && ComparePixels(shown, x, y, rows, legend).empty(); });
    };
    ASSERT_TRUE(show(Bounds(50, 60, 120, 80), 69, 49, {"RW", "WW"})) << PixelsAsText(shown, Bounds(65, 45, 8, 8), legend);

    // Only the block is painted again: it reaches the server, and what was around it stays.
    block = RGB(0, 255, 255);
    TRect part = Rect(30, 20, 70, 50);
    InvalidateRect(h, &part, FALSE);
    EXPECT_TRUE(show(Bounds(50, 60, 120, 80), 69, 49, {"CW", "WW"})) << PixelsAsText(shown, Bounds(65, 45, 8, 8), legend);
    EXPECT_EQ(ComparePixels(shown, 29, 19, {"WW", "WC"}, legend), "");
    EXPECT_EQ(ComparePixels(shown, 110, 70, {"WW"}, legend), "");

    // A larger window: the server shows the whole new picture.
    SetWindowPos(h, 0, 0, 0, 200, 150, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_TRUE(show(Bounds(50, 60, 200, 150), 190, 140, {"WW", "WW"})) << PixelsAsText(shown, Bounds(186, 136, 8, 8), legend);
    EXPECT_EQ(ComparePixels(shown, 69, 49, {"CW", "WW"}, legend), "");
    Settle(50);
}

TEST_F(TSdlBackendTest, WindowPicture_IsMemoryTheServerReads_AlsoAtANewSize)
{
    // Xvfb shares memory with its clients: showing a picture then copies nothing on our side.
    HWND h = cls.Create(0, Bounds(50, 60, 120, 80), WS_POPUP);
    ShowWindow(h, SW_SHOW);
    UpdateAllWindows();
    ASSERT_NE(GetWindowSurface(h), nullptr);
    EXPECT_NE(GetWindowSurface(h)->Store(), nullptr);
    SetWindowPos(h, 0, 0, 0, 200, 150, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    UpdateAllWindows();
    EXPECT_EQ(GetWindowSurface(h)->Width(), 200);
    EXPECT_NE(GetWindowSurface(h)->Store(), nullptr);
}

TEST_F(TSdlBackendTest, WorkAreaAndScreen_ComeFromTheDisplay)
{
    EXPECT_EQ(Backend().ScreenRect(), Rect(0, 0, 640, 480));
    TRect work = GetWorkArea();
    EXPECT_FALSE(work.IsEmpty());
    SetClipboardText("Ombrix clip");
    EXPECT_EQ(GetClipboardText(), "Ombrix clip");
}

TEST_F(TSdlBackendTest, ClipboardPicture_ReachesAnotherClientAsABmpImage)
{
    TSurface picture;
    picture.SetSize(3, 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            picture.SetPixel(x, y, x == 1 ? 0xFF0000FFu : 0xFF00FF00u);
    SetClipboardPicture(picture);

    // Another program asks for the picture, as a BMP file, into a property of its own window.
    TXClient x(Server->Display);
    ASSERT_NE(x.D, nullptr);
    ::Window asker = XCreateSimpleWindow(x.D, DefaultRootWindow(x.D), 0, 0, 1, 1, 0, 0, 0);
    const Atom bmp = XInternAtom(x.D, "image/bmp", False);
    const Atom into = XInternAtom(x.D, "OMBRIX_TEST_CLIP", False);
    XConvertSelection(x.D, XInternAtom(x.D, "CLIPBOARD", False), bmp, into, asker, CurrentTime);
    XFlush(x.D);
    XEvent answer{};
    bool answered = false;
    ASSERT_TRUE(WaitFor([&] { return answered = answered || XCheckTypedWindowEvent(x.D, asker, SelectionNotify, &answer) == True; }));
    ASSERT_EQ(answer.xselection.property, into);
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    ASSERT_EQ(XGetWindowProperty(x.D, asker, into, 0, 1 << 20, True, AnyPropertyType, &type, &format, &count, &after, &data), Success);
    TSurface got;
    EXPECT_EQ(type, bmp);
    EXPECT_GT(DecodeBmp(data, count, got), 0u);
    XFree(data);
    XDestroyWindow(x.D, asker);
    ASSERT_EQ(got.Width(), 3);
    ASSERT_EQ(got.Height(), 2);
    EXPECT_EQ(got.Pixel(1, 1) & 0xFFFFFF, 0x0000FFu);
    EXPECT_EQ(got.Pixel(2, 0) & 0xFFFFFF, 0x00FF00u);

    // Text put on the clipboard afterwards takes its place.
    SetClipboardText("text again");
    EXPECT_TRUE(WaitFor([&] { TSurface s; return !GetClipboardPicture(s); }));
}

TEST_F(TSdlBackendTest, ShownWindow_KeepsItsServerWindowAndAnOwnedDialogIsModalForItsOwner)
{
    TXClient x(Server->Display);
    ASSERT_TRUE(x.D);
    HWND owner = MakeTop("sdl-owner", Bounds(20, 20, 200, 150));
    ::Window ownerX = ShowOnServer(x, owner, "sdl-owner");
    ASSERT_NE(ownerX, 0u);
    // Painted and shown, the window is still the one the server made first: no window is made twice
    // (a flash, and what was set on the first one lost).
    Settle(200);
    EXPECT_EQ(x.Find("sdl-owner"), ownerX);
    EXPECT_TRUE(x.Viewable(ownerX));

    EnableWindow(owner, FALSE);
    HWND dialog = MakeTop("sdl-dialog", Bounds(60, 60, 100, 80), owner);
    ::Window dialogX = ShowOnServer(x, dialog, "sdl-dialog");
    ASSERT_NE(dialogX, 0u);
    EXPECT_EQ(x.Property(dialogX, "WM_TRANSIENT_FOR", XA_WINDOW), std::vector<unsigned long>{ownerX});
    auto state = x.Property(dialogX, "_NET_WM_STATE", XA_ATOM);
    EXPECT_NE(std::find(state.begin(), state.end(), XInternAtom(x.D, "_NET_WM_STATE_MODAL", False)), state.end());
    EXPECT_EQ(GetActiveWindow(), dialog);
}

TEST_F(TSdlBackendTest, DropDownList_WithoutWindowManager_LeavesTheKeyboardWithItsWindow)
{
    TXClient x(Server->Display);
    ASSERT_TRUE(x.D);
    HWND form = MakeTop("sdl-form", Bounds(20, 20, 300, 200));
    ShowWindow(form, SW_SHOW);
    ::Window formX = 0;
    ASSERT_TRUE(WaitFor([&] { return x.Viewable(formX = x.Find("sdl-form")) && x.Focus() == formX; }));
    ASSERT_EQ(GetActiveWindow(), form);

    // The list opens under the pointer, as a click on a combo box's button leaves it.
    XWarpPointer(x.D, 0, DefaultRootWindow(x.D), 0, 0, 0, 0, 100, 120);
    XFlush(x.D);
    HWND list = MakeTop("sdl-list", Bounds(60, 80, 120, 100), form);
    SetWindowLongPtr(list, GWL_EXSTYLE, WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW | WS_EX_TOPMOST);
    ::Window listX = ShowOnServer(x, list, "sdl-list", SW_SHOWNOACTIVATE);
    ASSERT_NE(listX, 0u);
    Settle(200);
    EXPECT_EQ(x.Focus(), formX);
    EXPECT_EQ(GetActiveWindow(), form);

    ShowWindow(list, SW_HIDE);
    Settle(100);
    EXPECT_EQ(x.Focus(), formX);
    EXPECT_EQ(GetActiveWindow(), form);
}

TEST_F(TSdlBackendTest, Minimize_WithoutWindowManager_LeavesTheWindowReachable)
{
    TXClient x(Server->Display);
    ASSERT_TRUE(x.D);
    HWND h = MakeTop("sdl-min", Bounds(30, 30, 160, 100));
    ::Window hx = ShowOnServer(x, h, "sdl-min");
    ASSERT_NE(hx, 0u);
    ShowWindow(h, SW_MINIMIZE);
    Settle(200);
    // Nobody could ever map an iconified window again: it stays where the user can reach it.
    EXPECT_FALSE(IsIconic(h));
    EXPECT_TRUE(x.Viewable(hx));
    EXPECT_EQ(WindowFromPoint({80, 80}), h);
}

TEST_F(TSdlBackendTest, TaskbarRestore_UnderWindowManager_GivesTheWindowThePointerBack)
{
    TXClient x(Server->Display);
    ASSERT_TRUE(x.D);
    if (!WithWindowManager(x))
        GTEST_SKIP() << "no window manager (openbox) to test with";
    HWND h = MakeTop("sdl-restore", Bounds(40, 40, 200, 120));
    ::Window hx = ShowOnServer(x, h, "sdl-restore");
    ASSERT_NE(hx, 0u);
    ShowWindow(h, SW_MINIMIZE);
    EXPECT_TRUE(IsIconic(h));
    ASSERT_TRUE(WaitFor([&] { return !x.Viewable(hx); }));

    x.AskToActivate(hx);
    ASSERT_TRUE(WaitFor([&] { return x.Viewable(hx) && !IsIconic(h); }));
    TRect r;
    GetWindowRect(h, r);
    EXPECT_EQ(WindowFromPoint(TPoint{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}), h);
}

TEST_F(TSdlBackendTest, ShrunkOntoTheWorkAreasEdge_UnderAManagerThatKeepsWindowsInside_EndsThere)
{
    TXClient x(Server->Display);
    ASSERT_TRUE(x.D);
    if (!WithWindowManager(x, "icewm"))
        GTEST_SKIP() << "no window manager (icewm) that keeps windows inside the work area";
    HWND h = MakeTop("sdl-shrunk", Bounds(100, 100, 300, 200));
    ::Window hx = ShowOnServer(x, h, "sdl-shrunk");
    ASSERT_NE(hx, 0u);
    // As a form minimised to a caption bar at the bottom of the work area.
    const TRect work = GetWorkArea();
    const TRect bar = Bounds(work.Left, work.Bottom - 30, 120, 30);
    SetWindowPos(h, 0, bar.Left, bar.Top, bar.Width(), bar.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    const auto onServer = [&] {
        XWindowAttributes a;
        int rx = 0, ry = 0;
        ::Window child = 0;
        if (!XGetWindowAttributes(x.D, hx, &a) || !XTranslateCoordinates(x.D, hx, DefaultRootWindow(x.D), 0, 0, &rx, &ry, &child))
            return TRect{};
        return Bounds(rx, ry, a.width, a.height);
    };
    EXPECT_TRUE(WaitFor([&] { return onServer() == bar; })) << onServer().Left << "," << onServer().Top;
    TRect r;
    GetWindowRect(h, r);
    EXPECT_EQ(r, bar);
}

TEST_F(TSdlBackendTest, ModalDialog_UnderWindowManager_KeepsTheKeyboard)
{
    TXClient x(Server->Display);
    ASSERT_TRUE(x.D);
    if (!WithWindowManager(x))
        GTEST_SKIP() << "no window manager (openbox) to test with";
    HWND owner = MakeTop("sdl-wm-owner", Bounds(20, 20, 300, 200));
    ShowWindow(owner, SW_SHOW);
    ::Window ownerX = 0;
    ASSERT_TRUE(WaitFor([&] { return x.Viewable(ownerX = x.Find("sdl-wm-owner")) && x.Focus() == ownerX; }));
    EnableWindow(owner, FALSE);
    HWND dialog = MakeTop("sdl-wm-dialog", Bounds(80, 80, 120, 90), owner);
    ShowWindow(dialog, SW_SHOW);
    ::Window dialogX = 0;
    ASSERT_TRUE(WaitFor([&] { return x.Viewable(dialogX = x.Find("sdl-wm-dialog")) && x.Focus() == dialogX; }));

    // The user clicks the waiting owner: the window manager keeps the keyboard on the dialog, and
    // the program neither asks for the owner nor starts passing the keyboard back and forth.
    int activations = 0;
    cls.On[WM_ACTIVATE] = [&](HWND, WPARAM, LPARAM) -> LRESULT {
        ++activations;
        return 0;
    };
    XWarpPointer(x.D, 0, DefaultRootWindow(x.D), 0, 0, 0, 0, 40, 180);
    XFlush(x.D);
    x.AskToActivate(ownerX);
    Settle(500);
    EXPECT_EQ(x.Focus(), dialogX);
    EXPECT_EQ(GetActiveWindow(), dialog);
    EXPECT_LE(activations, 2);
    // The count lives on this stack: the windows' teardown activates others, and must not count.
    cls.On.erase(WM_ACTIVATE);
}

TEST_F(TSdlBackendTest, PlayerWindowDestroyedByAnotherClient_IsNeverTouchedAndMadeAnew)
{
    TXClient x(Server->Display);
    ASSERT_TRUE(x.D);
    HWND top = MakeTop("sdl-player", Bounds(20, 20, 200, 150));
    ASSERT_NE(ShowOnServer(x, top, "sdl-player"), 0u);
    HWND panel = cls.Create(top, Bounds(10, 10, 120, 90));
    unsigned long id = GetNativeWindowId(panel);
    ASSERT_NE(id, 0u);
    // The player ends and takes the window it drew into with it.
    XDestroyWindow(x.D, id);
    XSync(x.D, False);
    // Moving, hiding and showing the panel must not name the dead window (the server would answer
    // with an error, and Xlib's own handler ends the program).
    MoveWindow(panel, 20, 20, 100, 80, TRUE);
    ShowWindow(panel, SW_HIDE);
    Settle(100);
    ShowWindow(panel, SW_SHOW);
    // A loaded machine can take a while to make the new window: wait for the server to know it.
    unsigned long fresh = 0;
    XWindowAttributes a;
    bool known = false;
    for (int tries = 0; tries < 100 && !known; ++tries) {
        Settle(50);
        fresh = GetNativeWindowId(panel);
        known = fresh != 0 && XGetWindowAttributes(x.D, fresh, &a);
    }
    EXPECT_NE(fresh, 0u);
    EXPECT_TRUE(known);
    DestroyWindow(panel);
    Settle(50);
}

TEST_F(TSdlBackendTest, PlayerWindowReleased_GoesFromTheServer_AndThePanelShowsAgain)
{
    TXClient x(Server->Display);
    ASSERT_TRUE(x.D);
    HWND top = MakeTop("sdl-released", Bounds(20, 20, 200, 150));
    ASSERT_NE(ShowOnServer(x, top, "sdl-released"), 0u);
    TTestClass blue{0, clBlue};
    HWND panel = blue.Create(top, Bounds(10, 10, 120, 90));
    // The middle of the panel as the screen shows it.
    auto shows = [&](COLORREF c) {
        TSurface shown;
        return Backend().Grab(Bounds(20 + 70, 20 + 55, 1, 1), shown) && shown.Pixel(0, 0) == RgbToPixel(c);
    };
    const unsigned long id = GetNativeWindowId(panel);
    ASSERT_NE(id, 0u);
    // The player's window lies over the panel.
    EXPECT_TRUE(WaitFor([&] { return shows(RGB(0, 0, 0)); }));
    // The player ended: its window goes, and the panel's own picture is on the screen again.
    ReleaseNativeWindow(panel);
    EXPECT_TRUE(WaitFor([&] { return shows(RGB(0, 0, 255)); }));
    EXPECT_FALSE(x.Viewable(id));
    ReleaseNativeWindow(panel);
    // The next player gets a window of its own.
    const unsigned long fresh = GetNativeWindowId(panel);
    EXPECT_NE(fresh, 0u);
    EXPECT_TRUE(WaitFor([&] { return x.Viewable(fresh) && shows(RGB(0, 0, 0)); }));
    DestroyWindow(panel);
    Settle(50);
}

TEST_F(TSdlBackendTest, HiddenWhileMinimized_UnderWindowManager_IsWithdrawn_AndComesBackInPlace)
{
    TXClient x(Server->Display);
    ASSERT_TRUE(x.D);
    if (!WithWindowManager(x))
        GTEST_SKIP() << "no window manager (openbox) to test with";
    HWND h = MakeTop("sdl-hidden-min", Bounds(120, 100, 200, 120));
    ::Window hx = ShowOnServer(x, h, "sdl-hidden-min");
    ASSERT_NE(hx, 0u);
    auto where = [&] {
        int rx = 0, ry = 0;
        ::Window child;
        XTranslateCoordinates(x.D, hx, DefaultRootWindow(x.D), 0, 0, &rx, &ry, &child);
        return TPoint{rx, ry};
    };
    const TPoint at = where();
    ShowWindow(h, SW_MINIMIZE);
    auto state = [&] {
        auto v = x.Property(hx, "WM_STATE", XInternAtom(x.D, "WM_STATE", False));
        return v.empty() ? 0ul : v[0];
    };
    // Hidden at once, while the window manager may still be iconifying it: a taskbar must not offer it
    // (nothing of the program would answer there).
    ShowWindow(h, SW_HIDE);
    EXPECT_TRUE(WaitFor([&] { return state() == WithdrawnState; })) << "still iconified for the window manager";
    ShowWindow(h, SW_RESTORE);
    EXPECT_TRUE(WaitFor([&] {
        TRect r;
        GetWindowRect(h, r);
        return x.Viewable(hx) && where() == at && r.TopLeft() == at;
    })) << "shown again elsewhere";
}

// A window with an icon in the tray: what the tray shows of it and what a click on it tells the window.
class TSdlTrayTest : public TSdlBackendTest {
protected:
    static constexpr UINT Callback = WM_USER + 1024;
    void SetUp() override
    {
        TSdlBackendTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        picture.SetSize(32, 32);
        picture.Fill(0xFF20C040u);
        owner = MakeTop("sdl-tray-owner", Bounds(0, 0, 1, 1));
        cls.On[Callback] = [this](HWND, WPARAM, LPARAM l) -> LRESULT {
            told.push_back(l);
            return 0;
        };
        data.hWnd = owner;
        data.uID = 7;
        data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
        data.uCallbackMessage = Callback;
        data.hIcon = &picture;
        CopyTrayTip(data, "Ombrix tray");
    }
    bool Told(LPARAM what) { return std::find(told.begin(), told.end(), what) != told.end(); }
    // What the icon's window gets from a press and release there, as the server delivers them.
    void ClickOn(TXClient& x, const TE2eTrayManager::TIcon& icon, unsigned button)
    {
        for (int type : {ButtonPress, ButtonRelease}) {
            XEvent e{};
            e.xbutton.type = type;
            e.xbutton.window = icon.Window;
            e.xbutton.root = DefaultRootWindow(x.D);
            e.xbutton.button = button;
            e.xbutton.x = e.xbutton.y = 5;
            e.xbutton.x_root = icon.Rect.Left + 5;
            e.xbutton.y_root = icon.Rect.Top + 5;
            e.xbutton.same_screen = True;
            XSendEvent(x.D, icon.Window, False, type == ButtonPress ? ButtonPressMask : ButtonReleaseMask, &e);
        }
        XFlush(x.D);
    }

    TSurface picture;
    HWND owner = 0;
    NOTIFYICONDATA data;
    std::vector<LPARAM> told;
};

TEST_F(TSdlTrayTest, Icon_IsEmbeddedInTheTray_ShowsItsPicture_AndReportsClicks)
{
    TXClient x(Server->Display);
    ASSERT_TRUE(x.D);
    TE2eTrayManager tray(Server->Display);
    ASSERT_TRUE(tray.Started());
    ASSERT_TRUE(Shell_NotifyIcon(NIM_ADD, &data)) << "the tray is there: the icon goes in";
    ASSERT_TRUE(tray.WaitForIcons(1));
    TE2eTrayManager::TIcon icon = tray.Icons()[0];
    EXPECT_EQ(icon.Name, "Ombrix tray") << "the tip is the icon window's name";

    // The tray gave it 24 x 24: the 32 x 32 picture is fitted into that and fills it.
    TSurface shown;
    auto green = [&] {
        return Backend().Grab(icon.Rect, shown) && shown.Pixel(2, 2) == 0xFF20C040u && shown.Pixel(21, 21) == 0xFF20C040u;
    };
    EXPECT_TRUE(WaitFor(green));
    SaveTestPicture(shown, OMBRIX_TEST_PICTURES, "TSdlTrayTest_Icon");

    ClickOn(x, icon, Button1);
    ClickOn(x, icon, Button3);
    ASSERT_TRUE(WaitFor([&] { return told.size() >= 4; }));
    EXPECT_EQ(told, (std::vector<LPARAM>{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONDOWN, WM_RBUTTONUP}));
    EXPECT_EQ(GetCursorPos(), (TPoint{icon.Rect.Left + 5, icon.Rect.Top + 5}));

    data.uFlags = NIF_TIP;
    CopyTrayTip(data, "Converting 2 files");
    ASSERT_TRUE(Shell_NotifyIcon(NIM_MODIFY, &data));
    EXPECT_TRUE(WaitFor([&] { return !tray.Icons().empty() && tray.Icons()[0].Name == "Converting 2 files"; }));

    ASSERT_TRUE(Shell_NotifyIcon(NIM_DELETE, &data));
    EXPECT_TRUE(tray.WaitForIcons(0)) << "deleted, it leaves the tray";
}

TEST_F(TSdlTrayTest, WithoutTray_AddFails_ATrayComingUpIsAnnounced_AndOneEndingTakesTheIcon)
{
    TXClient x(Server->Display);
    ASSERT_TRUE(x.D);
    EXPECT_FALSE(Shell_NotifyIcon(NIM_ADD, &data)) << "no tray on the display";
    const UINT created = RegisterWindowMessage("TaskbarCreated");
    int announced = 0;
    cls.On[created] = [&](HWND, WPARAM, LPARAM) -> LRESULT { return ++announced, 0; };
    {
        TE2eTrayManager tray(Server->Display);
        ASSERT_TRUE(tray.Started());
        ASSERT_TRUE(WaitFor([&] { return announced == 1; })) << "the window learns that a tray came up";
        ASSERT_TRUE(Shell_NotifyIcon(NIM_ADD, &data));
        ASSERT_TRUE(tray.WaitForIcons(1));
    }
    // The tray ended: the window is told, and the icon is nowhere on the screen (the server handed it
    // back to the root window, where it must not show as a stray little window).
    ASSERT_TRUE(WaitFor([&] { return Told(NIN_ICONLOST); }));
    EXPECT_FALSE(Shell_NotifyIcon(NIM_MODIFY, &data));
    EXPECT_EQ(x.Find("Ombrix tray"), 0u) << "gone from the server once the window layer let it go";
}

}  // namespace
