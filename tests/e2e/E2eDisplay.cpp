#include "E2eDisplay.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <thread>

#include "tests/support/TestPictures.h"

namespace {

// Windows come and go while the test looks at them; a query about one that just went is no fault of
// the test's. Xlib's own handler would end the test program.
int IgnoreXErrors(Display*, XErrorEvent*)
{
    return 0;
}

bool Exists(const std::string& Path)
{
    struct stat st;
    return stat(Path.c_str(), &st) == 0;
}

// The display numbers to try: OMBRIX_E2E_DISPLAYS "71-74" when set (so that parallel users of one machine
// keep to their own numbers), else a range well above the usual desktop ones.
std::pair<int, int> DisplayRange()
{
    int first = 140;
    int last = 239;
    if (const char* env = std::getenv("OMBRIX_E2E_DISPLAYS"))
        if (std::sscanf(env, "%d-%d", &first, &last) < 2)
            last = first;
    return {first, std::max(first, last)};
}

// The process that holds an X display's lock file (the server writes its process id there), or 0.
pid_t LockOwner(const std::string& LockFile)
{
    FILE* f = std::fopen(LockFile.c_str(), "r");
    if (!f)
        return 0;
    long pid = 0;
    if (std::fscanf(f, "%ld", &pid) != 1)
        pid = 0;
    std::fclose(f);
    return static_cast<pid_t>(pid);
}

// Starts Program with Args; its output goes nowhere, and it dies with the test program.
pid_t Spawn(const std::vector<std::string>& Args, const TChildCommand::TEnvChanges& Env)
{
    const TChildCommand command(Args, Env);
    const pid_t pid = fork();
    if (pid != 0)
        return pid;
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    const int null = open("/dev/null", O_RDWR);
    dup2(null, 0);
    dup2(null, 1);
    dup2(null, 2);
    command.ExecOrExit();
}

void Stop(pid_t& Pid)
{
    if (Pid <= 0)
        return;
    kill(Pid, SIGTERM);
    // A server that does not go within a few seconds is ended for good.
    for (int i = 0; i < 100; ++i) {
        if (waitpid(Pid, nullptr, WNOHANG) == Pid) {
            Pid = 0;
            return;
        }
        std::this_thread::sleep_for(50ms);
    }
    kill(Pid, SIGKILL);
    waitpid(Pid, nullptr, 0);
    Pid = 0;
}

Atom Intern(Display* X, const char* Name)
{
    return XInternAtom(X, Name, False);
}

// The first 32-bit items of a window property (empty when it is not there).
std::vector<unsigned long> LongProperty(Display* X, Window W, const char* Name, Atom Type = AnyPropertyType, long Longs = 64)
{
    Atom actual = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    std::vector<unsigned long> out;
    if (XGetWindowProperty(X, W, Intern(X, Name), 0, Longs, False, Type, &actual, &format, &count, &after, &data) == Success
        && data) {
        if (format == 32)
            out.assign(reinterpret_cast<unsigned long*>(data), reinterpret_cast<unsigned long*>(data) + count);
        XFree(data);
    }
    return out;
}

std::string Title(Display* X, Window W)
{
    Atom actual = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    std::string title;
    if (XGetWindowProperty(X, W, Intern(X, "_NET_WM_NAME"), 0, 1024, False, Intern(X, "UTF8_STRING"), &actual,
            &format, &count, &after, &data) == Success && data) {
        title.assign(reinterpret_cast<char*>(data), count);
        XFree(data);
    }
    if (title.empty()) {
        char* name = nullptr;
        if (XFetchName(X, W, &name) && name) {
            title = name;
            XFree(name);
        }
    }
    return title;
}

void SendToRoot(Display* X, Window W, const char* Type, std::initializer_list<long> Data)
{
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = W;
    e.xclient.message_type = Intern(X, Type);
    e.xclient.format = 32;
    int i = 0;
    for (long d : Data)
        e.xclient.data.l[i++] = d;
    XSendEvent(X, DefaultRootWindow(X), False, SubstructureRedirectMask | SubstructureNotifyMask, &e);
    XFlush(X);
}

} // namespace

TChildCommand::TChildCommand(const std::vector<std::string>& Args, const TEnvChanges& Env) : FArgs(Args)
{
    for (char** e = environ; *e != nullptr; ++e) {
        const std::string entry = *e;
        const std::string name = entry.substr(0, entry.find('='));
        if (std::none_of(Env.begin(), Env.end(), [&](const auto& change) { return change.first == name; }))
            FEnv.push_back(entry);
    }
    for (const auto& [name, value] : Env)
        if (value)
            FEnv.push_back(name + "=" + *value);
    for (std::string& a : FArgs)
        FArgv.push_back(a.data());
    FArgv.push_back(nullptr);
    for (std::string& e : FEnv)
        FEnvp.push_back(e.data());
    FEnvp.push_back(nullptr);
}

void TChildCommand::ExecOrExit() const
{
    execvpe(FArgv[0], FArgv.data(), FEnvp.data());
    // Only the child gets here, and it must not run the test program's exit handlers.
    _exit(127);
}

bool WaitUntil(const std::function<bool()>& Condition, std::chrono::milliseconds Limit)
{
    const auto deadline = std::chrono::steady_clock::now() + Limit;
    while (true) {
        if (Condition())
            return true;
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(50ms);
    }
}

TE2eDisplay::TE2eDisplay(bool WithWindowManager, int Width, int Height)
    : FWithWm(WithWindowManager), FWidth(Width), FHeight(Height)
{
    XSetErrorHandler(IgnoreXErrors);
    if (StartServer(Width, Height) && FWithWm)
        StartWindowManager();
}

TE2eDisplay::~TE2eDisplay()
{
    Stop(FWmPid);
    if (FX)
        XCloseDisplay(FX);
    Stop(FServerPid);
}

bool TE2eDisplay::StartServer(int Width, int Height)
{
    const auto [first, last] = DisplayRange();
    for (int n = first; n <= last; ++n) {
        const std::string socket = "/tmp/.X11-unix/X" + std::to_string(n);
        if (Exists(socket) || Exists("/tmp/.X" + std::to_string(n) + "-lock"))
            continue;
        const std::string name = ":" + std::to_string(n);
        pid_t pid = Spawn({"Xvfb", name, "-screen", "0", std::to_string(Width) + "x" + std::to_string(Height) + "x24",
                              "-nolisten", "tcp", "-noreset"},
            {});
        if (pid < 0)
            break;
        bool ended = false;
        // The server is up once it listens and holds the number's lock; one that ends lost the number to
        // someone else. The socket alone is not enough: another test (of this run or another) may have
        // taken the number a moment earlier, and its server would go with that test.
        const std::string lock = "/tmp/.X" + std::to_string(n) + "-lock";
        WaitUntil([&] {
            ended = waitpid(pid, nullptr, WNOHANG) == pid;
            return ended || (Exists(socket) && LockOwner(lock) == pid);
        });
        if (ended)
            continue;
        if (LockOwner(lock) != pid) {
            Stop(pid);
            continue;
        }
        Display* x = nullptr;
        WaitUntil([&] { return (x = XOpenDisplay(name.c_str())) != nullptr; }, 10s);
        if (!x) {
            Stop(pid);
            continue;
        }
        FX = x;
        FName = name;
        FServerPid = pid;
        int event = 0, error = 0, major = 0, minor = 0;
        if (!XTestQueryExtension(FX, &event, &error, &major, &minor)) {
            FFailure = "the X server " + name + " has no XTEST extension";
            XCloseDisplay(FX);
            FX = nullptr;
            Stop(FServerPid);
            return false;
        }
        return true;
    }
    FFailure = "no Xvfb could be started on the displays " + std::to_string(first) + "-" + std::to_string(last);
    return false;
}

namespace {

// openbox's own configuration as the system ships it, less the one binding that would take a key the
// program answers itself: Alt+Space opens the program's system menu, not the manager's window menu.
// Written into the scratch HOME, where openbox looks first; without the system's file nothing is written
// and openbox keeps its built-in defaults.
void WriteOpenboxConfig(const std::string& Home)
{
    std::ifstream in("/etc/xdg/openbox/rc.xml");
    if (!in) return;
    std::ostringstream text;
    text << in.rdbuf();
    std::string rc = text.str();
    const std::size_t start = rc.find("<keybind key=\"A-space\">");
    if (start != std::string::npos) {
        const std::size_t end = rc.find("</keybind>", start);
        if (end != std::string::npos) rc.erase(start, end + std::strlen("</keybind>") - start);
    }
    std::filesystem::create_directories(Home + "/.config/openbox");
    std::ofstream(Home + "/.config/openbox/rc.xml") << rc;
}

} // namespace

bool TE2eDisplay::StartWindowManager()
{
    // Its configuration is the system's default (but for Alt+Space, see above): a scratch HOME keeps a
    // person's own out of the test.
    const std::string home = FWmHome.emplace().Path();
    // OMBRIX_E2E_WM names another window manager to try the journeys under ("icewm").
    const char* chosen = std::getenv("OMBRIX_E2E_WM");
    const std::string wm = chosen && *chosen ? chosen : "openbox";
    std::vector<std::string> args{wm};
    if (wm == "openbox") {
        args.push_back("--sm-disable");
        WriteOpenboxConfig(home);
    }
    FWmPid = Spawn(args,
        {{"DISPLAY", FName}, {"HOME", home}, {"XDG_CONFIG_HOME", home + "/.config"}, {"XDG_CACHE_HOME", home + "/.cache"}});
    // The manager is up once it announces itself on the root window.
    const bool up = WaitUntil([&] {
        if (FWmPid <= 0 || waitpid(FWmPid, nullptr, WNOHANG) == FWmPid)
            return true;
        return !LongProperty(FX, DefaultRootWindow(FX), "_NET_SUPPORTING_WM_CHECK").empty()
            && !LongProperty(FX, DefaultRootWindow(FX), "_NET_WORKAREA").empty();
    });
    if (!up || FWmPid <= 0 || waitpid(FWmPid, nullptr, WNOHANG) != 0) {
        FFailure = wm + " did not start on " + FName;
        FWmPid = 0;
        return false;
    }
    return true;
}

void TE2eDisplay::Sync() const
{
    XSync(FX, False);
}

std::vector<TScreenWindow> TE2eDisplay::WindowsOf(pid_t Pid) const
{
    std::vector<TScreenWindow> found;
    const Window root = DefaultRootWindow(FX);
    std::function<void(Window)> walk = [&](Window w) {
        Window r = 0, parent = 0;
        Window* children = nullptr;
        unsigned int count = 0;
        if (!XQueryTree(FX, w, &r, &parent, &children, &count))
            return;
        std::vector<Window> list(children, children + count);
        if (children)
            XFree(children);
        // Top of the stacking order first, as a person sees them.
        std::reverse(list.begin(), list.end());
        for (Window c : list) {
            const std::vector<unsigned long> pid = LongProperty(FX, c, "_NET_WM_PID", XA_CARDINAL);
            if (!pid.empty() && static_cast<pid_t>(pid[0]) == Pid) {
                XWindowAttributes a;
                if (XGetWindowAttributes(FX, c, &a) && a.map_state == IsViewable) {
                    int x = 0, y = 0;
                    Window child = 0;
                    XTranslateCoordinates(FX, c, root, 0, 0, &x, &y, &child);
                    found.push_back({c, Title(FX, c), TRect{x, y, x + a.width, y + a.height}, a.override_redirect != 0});
                }
                continue;
            }
            walk(c);
        }
    };
    walk(root);
    return found;
}

std::optional<TScreenWindow> TE2eDisplay::WaitForWindow(pid_t Pid, const std::string& Title, std::chrono::milliseconds Limit) const
{
    std::optional<TScreenWindow> result;
    WaitUntil(
        [&] {
            for (const TScreenWindow& w : WindowsOf(Pid))
                if ((Title.empty() && !w.OverrideRedirect) || w.Title == Title) {
                    result = w;
                    return true;
                }
            return false;
        },
        Limit);
    return result;
}

bool TE2eDisplay::WaitForWindowGone(pid_t Pid, const std::string& Title, std::chrono::milliseconds Limit) const
{
    return WaitUntil(
        [&] {
            for (const TScreenWindow& w : WindowsOf(Pid))
                if (w.Title == Title)
                    return false;
            return true;
        },
        Limit);
}

std::optional<TScreenWindow> TE2eDisplay::Refresh(const TScreenWindow& Window) const
{
    XWindowAttributes a;
    if (!XGetWindowAttributes(FX, Window.Id, &a) || a.map_state != IsViewable)
        return std::nullopt;
    int x = 0, y = 0;
    ::Window child = 0;
    XTranslateCoordinates(FX, Window.Id, DefaultRootWindow(FX), 0, 0, &x, &y, &child);
    TScreenWindow now = Window;
    now.Title = Title(FX, Window.Id);
    now.Rect = TRect{x, y, x + a.width, y + a.height};
    return now;
}

int TE2eDisplay::WmState(unsigned long Window) const
{
    const std::vector<unsigned long> state = LongProperty(FX, Window, "WM_STATE");
    return state.empty() ? 0 : static_cast<int>(state[0]);
}

TSurface TE2eDisplay::WindowIcon(unsigned long Window) const
{
    // Width, height, then the pixels (one long each, 0xAARRGGBB) of the first picture the window offers.
    const std::vector<unsigned long> icon = LongProperty(FX, Window, "_NET_WM_ICON", XA_CARDINAL, 2 + 256 * 256);
    if (icon.size() < 2 || icon[0] == 0 || icon[1] == 0 || icon[0] > 256 || icon[1] > 256 || icon.size() < 2 + icon[0] * icon[1])
        return TSurface();
    TSurface out(static_cast<int>(icon[0]), static_cast<int>(icon[1]));
    for (int y = 0; y < out.Height(); ++y)
        for (int x = 0; x < out.Width(); ++x)
            out.ScanLine(y)[x] = static_cast<TPixel>(icon[2 + static_cast<std::size_t>(y) * icon[0] + static_cast<std::size_t>(x)]);
    return out;
}

bool TE2eDisplay::IsShown(unsigned long Window) const
{
    XWindowAttributes a;
    return XGetWindowAttributes(FX, Window, &a) && a.map_state == IsViewable;
}

unsigned long TE2eDisplay::FocusWindow() const
{
    ::Window focus = 0;
    int revert = 0;
    XGetInputFocus(FX, &focus, &revert);
    return focus;
}

TSurface TE2eDisplay::Grab(const TRect& Area) const
{
    const TRect r{std::max(Area.Left, 0), std::max(Area.Top, 0), std::min(Area.Right, FWidth), std::min(Area.Bottom, FHeight)};
    TSurface out(std::max(Area.Width(), 0), std::max(Area.Height(), 0));
    if (r.Width() <= 0 || r.Height() <= 0)
        return out;
    XImage* image = XGetImage(FX, DefaultRootWindow(FX), r.Left, r.Top, static_cast<unsigned>(r.Width()),
        static_cast<unsigned>(r.Height()), AllPlanes, ZPixmap);
    if (!image)
        return out;
    for (int y = 0; y < r.Height(); ++y)
        for (int x = 0; x < r.Width(); ++x)
            out.SetPixel(x + r.Left - Area.Left, y + r.Top - Area.Top,
                static_cast<TPixel>(0xFF000000u | (XGetPixel(image, x, y) & 0xFFFFFFu)));
    XDestroyImage(image);
    return out;
}

bool TE2eDisplay::WaitForPicture(const TRect& Area, const std::function<bool(const TSurface&)>& Condition, TSurface& Last,
    std::chrono::milliseconds Limit) const
{
    return WaitUntil(
        [&] {
            Last = Grab(Area);
            return Condition(Last);
        },
        Limit);
}

bool TE2eDisplay::WaitForStill(const TRect& Area, std::chrono::milliseconds Limit) const
{
    TSurface before = Grab(Area);
    return WaitUntil(
        [&] {
            std::this_thread::sleep_for(150ms);
            TSurface now = Grab(Area);
            const bool same = DifferentPixels(before, now) == 0;
            before = std::move(now);
            return same;
        },
        Limit);
}

std::string TE2eDisplay::Save(const std::string& Name, const TRect* Area) const
{
    return SaveTestPicture(Grab(Area ? *Area : ScreenRect()), std::string(OMBRIX_TEST_PICTURES) + "/e2e", Name);
}

void TE2eDisplay::MoveTo(int X, int Y) const
{
    XTestFakeMotionEvent(FX, -1, X, Y, CurrentTime);
    Sync();
}

void TE2eDisplay::Press(int X, int Y, int Button) const
{
    MoveTo(X, Y);
    // A hand needs some time between reaching a place and pressing; a program may rightly look at
    // where the pointer entered before it takes the press.
    std::this_thread::sleep_for(30ms);
    XTestFakeButtonEvent(FX, static_cast<unsigned>(Button), True, CurrentTime);
    Sync();
}

void TE2eDisplay::Release(int Button) const
{
    XTestFakeButtonEvent(FX, static_cast<unsigned>(Button), False, CurrentTime);
    Sync();
}

void TE2eDisplay::Click(int X, int Y, int Button) const
{
    Press(X, Y, Button);
    std::this_thread::sleep_for(40ms);
    Release(Button);
}

void TE2eDisplay::ClickHolding(int X, int Y, const std::vector<std::string>& Held) const
{
    const auto code = [&](const std::string& n) { return XKeysymToKeycode(FX, XStringToKeysym(n.c_str())); };
    for (const std::string& h : Held)
        XTestFakeKeyEvent(FX, code(h), True, CurrentTime);
    Sync();
    Click(X, Y);
    for (auto h = Held.rbegin(); h != Held.rend(); ++h)
        XTestFakeKeyEvent(FX, code(*h), False, CurrentTime);
    Sync();
}

void TE2eDisplay::DoubleClick(int X, int Y) const
{
    Click(X, Y);
    std::this_thread::sleep_for(60ms);
    Click(X, Y);
}

void TE2eDisplay::Drag(int FromX, int FromY, int ToX, int ToY, int Steps) const
{
    Press(FromX, FromY);
    const int steps = std::max(1, Steps);
    for (int i = 1; i <= steps; ++i) {
        std::this_thread::sleep_for(25ms);
        MoveTo(FromX + (ToX - FromX) * i / steps, FromY + (ToY - FromY) * i / steps);
    }
    std::this_thread::sleep_for(40ms);
    Release();
}

void TE2eDisplay::Wheel(int X, int Y, bool Up) const
{
    MoveTo(X, Y);
    std::this_thread::sleep_for(30ms);
    const unsigned button = Up ? 4 : 5;
    XTestFakeButtonEvent(FX, button, True, CurrentTime);
    XTestFakeButtonEvent(FX, button, False, CurrentTime);
    Sync();
}

void TE2eDisplay::Key(const std::string& Name, const std::vector<std::string>& Held) const
{
    const auto code = [&](const std::string& n) { return XKeysymToKeycode(FX, XStringToKeysym(n.c_str())); };
    for (const std::string& h : Held)
        XTestFakeKeyEvent(FX, code(h), True, CurrentTime);
    XTestFakeKeyEvent(FX, code(Name), True, CurrentTime);
    Sync();
    std::this_thread::sleep_for(30ms);
    XTestFakeKeyEvent(FX, code(Name), False, CurrentTime);
    for (auto h = Held.rbegin(); h != Held.rend(); ++h)
        XTestFakeKeyEvent(FX, code(*h), False, CurrentTime);
    Sync();
}

void TE2eDisplay::Activate(unsigned long Window) const
{
    SendToRoot(FX, Window, "_NET_ACTIVE_WINDOW", {2, CurrentTime, 0});
}

void TE2eDisplay::SetMaximized(unsigned long Window, bool On) const
{
    SendToRoot(FX, Window, "_NET_WM_STATE",
        {On ? 1 : 0, static_cast<long>(Intern(FX, "_NET_WM_STATE_MAXIMIZED_VERT")),
            static_cast<long>(Intern(FX, "_NET_WM_STATE_MAXIMIZED_HORZ")), 2});
}

void TE2eDisplay::Iconify(unsigned long Window) const
{
    XIconifyWindow(FX, Window, DefaultScreen(FX));
    Sync();
}

void TE2eDisplay::MapRaised(unsigned long Window) const
{
    XMapRaised(FX, Window);
    Sync();
}

TRect TE2eDisplay::WorkArea() const
{
    const std::vector<unsigned long> a = LongProperty(FX, DefaultRootWindow(FX), "_NET_WORKAREA", XA_CARDINAL);
    if (a.size() < 4)
        return ScreenRect();
    const int x = static_cast<int>(a[0]);
    const int y = static_cast<int>(a[1]);
    return TRect{x, y, x + static_cast<int>(a[2]), y + static_cast<int>(a[3])};
}

bool CloseColour(TPixel A, TPixel B, int Tolerance)
{
    for (int shift : {0, 8, 16}) {
        const int a = static_cast<int>((A >> shift) & 0xFF);
        const int b = static_cast<int>((B >> shift) & 0xFF);
        if (std::abs(a - b) > Tolerance)
            return false;
    }
    return true;
}

std::string ColourText(TPixel P)
{
    char text[16];
    std::snprintf(text, sizeof text, "#%06X", static_cast<unsigned>(P & 0xFFFFFFu));
    return text;
}

double ShareOfColour(const TSurface& Picture, const TRect& Area, TPixel Colour, int Tolerance)
{
    int total = 0;
    int matching = 0;
    for (int y = Area.Top; y < Area.Bottom; ++y)
        for (int x = Area.Left; x < Area.Right; ++x)
            if (Picture.Contains(x, y)) {
                ++total;
                matching += CloseColour(Picture.Pixel(x, y), Colour, Tolerance) ? 1 : 0;
            }
    return total == 0 ? 0.0 : static_cast<double>(matching) / total;
}

double ColourfulShare(const TSurface& Picture)
{
    int colourful = 0;
    for (int y = 0; y < Picture.Height(); ++y)
        for (int x = 0; x < Picture.Width(); ++x) {
            const TPixel p = Picture.Pixel(x, y);
            const int r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
            colourful += std::max({r, g, b}) - std::min({r, g, b}) > 120 ? 1 : 0;
        }
    return Picture.Width() * Picture.Height() == 0 ? 0.0 : static_cast<double>(colourful) / (Picture.Width() * Picture.Height());
}

int CountColours(const TSurface& Picture, const TRect& Area, int Cap)
{
    std::map<TPixel, int> seen;
    for (int y = Area.Top; y < Area.Bottom; ++y)
        for (int x = Area.Left; x < Area.Right; ++x)
            if (Picture.Contains(x, y)) {
                seen[Picture.Pixel(x, y) & 0xFFFFFFu]++;
                if (static_cast<int>(seen.size()) >= Cap)
                    return Cap;
            }
    return static_cast<int>(seen.size());
}

TPixel MainColour(const TSurface& Picture, const TRect& Area)
{
    std::map<TPixel, int> seen;
    for (int y = Area.Top; y < Area.Bottom; ++y)
        for (int x = Area.Left; x < Area.Right; ++x)
            if (Picture.Contains(x, y))
                seen[Picture.Pixel(x, y) & 0xFFFFFFu]++;
    TPixel best = 0;
    int most = -1;
    for (const auto& [colour, count] : seen)
        if (count > most) {
            best = colour;
            most = count;
        }
    return best;
}

int DifferentPixels(const TSurface& A, const TSurface& B, const TRect* Area)
{
    if (A.Width() != B.Width() || A.Height() != B.Height())
        return std::max(A.Width() * A.Height(), B.Width() * B.Height());
    const TRect r = Area ? *Area : A.Bounds();
    int count = 0;
    for (int y = std::max(r.Top, 0); y < std::min(r.Bottom, A.Height()); ++y)
        for (int x = std::max(r.Left, 0); x < std::min(r.Right, A.Width()); ++x)
            count += (A.Pixel(x, y) & 0xFFFFFFu) != (B.Pixel(x, y) & 0xFFFFFFu) ? 1 : 0;
    return count;
}

TSurface Crop(const TSurface& Picture, const TRect& Area)
{
    TSurface out(std::max(Area.Width(), 0), std::max(Area.Height(), 0));
    for (int y = 0; y < out.Height(); ++y)
        for (int x = 0; x < out.Width(); ++x)
            out.SetPixel(x, y, Picture.Pixel(Area.Left + x, Area.Top + y));
    return out;
}
