// A real window on a real (virtual) X display: the test starts its own Xvfb on a free display number,
// paints a known picture through the SDL backend and reads back what the X server shows.
#include "platform/backend/TSdlBackend.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

#include "platform/backend/THeadlessBackend.h"
#include "platform/gfx/Drawing.h"
#include "platform/gfx/TestPictures.h"
#include "WinTestSupport.h"

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

bool Exists(const std::string& path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0;
}

// An Xvfb of our own on a free display number; it ends with the test program.
class TXvfb {
public:
    bool Start(const std::string& binary)
    {
        for (int n = 91; n < 200; ++n) {
            std::string sock = "/tmp/.X11-unix/X" + std::to_string(n);
            if (Exists(sock) || Exists("/tmp/.X" + std::to_string(n) + "-lock"))
                continue;
            std::string disp = ":" + std::to_string(n);
            pid_t pid = fork();
            if (pid == 0) {
                // The server goes with the test even when the test dies.
                prctl(PR_SET_PDEATHSIG, SIGTERM);
                execl(binary.c_str(), binary.c_str(), disp.c_str(), "-screen", "0", "640x480x24", "-nolisten", "tcp",
                    static_cast<char*>(nullptr));
                _exit(127);
            }
            if (pid < 0)
                return false;
            auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
            while (std::chrono::steady_clock::now() < deadline) {
                int status;
                if (waitpid(pid, &status, WNOHANG) == pid)
                    break;   // it ended: the number was taken after all, try the next
                if (Exists(sock)) {
                    Pid = pid;
                    Display = disp;
                    std::this_thread::sleep_for(std::chrono::milliseconds(100));
                    return true;
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
            }
            if (waitpid(pid, nullptr, WNOHANG) == 0) {
                kill(pid, SIGTERM);
                waitpid(pid, nullptr, 0);
            }
        }
        return false;
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
    bool SupportsShapes() const override { return B.SupportsShapes(); }
    bool SupportsOpacity() const override { return B.SupportsOpacity(); }
    bool Grab(const TRect& r, TSurface& out) const override { return B.Grab(r, out); }

private:
    TBackend& B;
};

class TSdlBackendTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
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
    }
    void TearDown() override
    {
        for (HWND h : GetTopLevelWindows())
            DestroyWindow(h);
        PumpAll();
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

TEST_F(TSdlBackendTest, WorkAreaAndScreen_ComeFromTheDisplay)
{
    EXPECT_EQ(GetScreenRect(), Rect(0, 0, 640, 480));
    TRect work = GetWorkArea();
    EXPECT_FALSE(work.IsEmpty());
    SetClipboardText("Ombrix clip");
    EXPECT_EQ(GetClipboardText(), "Ombrix clip");
}

}  // namespace
