#include "tests/support/THeadlessDriver.h"

#include "platform/gfx/Bmp.h"
#include "platform/win/Input.h"
#include "platform/win/Paint.h"

THeadlessDriver::THeadlessDriver(bool useManualClock) : FManual(useManualClock)
{
    FBackend = dynamic_cast<THeadlessBackend*>(CurrentBackend());
    if (!FBackend) {
        auto b = std::make_unique<THeadlessBackend>();
        FBackend = b.get();
        SetBackend(std::move(b));
    }
    if (FManual)
        SetWinClock(&FClock);
}

THeadlessDriver::~THeadlessDriver()
{
    if (FManual)
        SetWinClock(nullptr);
}

void THeadlessDriver::Inject(TInputEvent e)
{
    FBackend->Inject(e);
    ProcessMessages();
}

void THeadlessDriver::MoveTo(TPoint screen)
{
    FPos = screen;
    TInputEvent e;
    e.Kind = TInputKind::MouseMove;
    e.Pos = screen;
    Inject(e);
}

void THeadlessDriver::ButtonDown(int button)
{
    TInputEvent e;
    e.Kind = TInputKind::ButtonDown;
    e.Pos = FPos;
    e.Button = button;
    Inject(e);
}

void THeadlessDriver::ButtonUp(int button)
{
    TInputEvent e;
    e.Kind = TInputKind::ButtonUp;
    e.Pos = FPos;
    e.Button = button;
    Inject(e);
}

void THeadlessDriver::Click(TPoint screen, int button)
{
    MoveTo(screen);
    ButtonDown(button);
    ButtonUp(button);
}

void THeadlessDriver::DoubleClick(TPoint screen, int button)
{
    Click(screen, button);
    Click(screen, button);
}

void THeadlessDriver::Drag(TPoint from, TPoint to, int steps, int button)
{
    // All of it is queued before anything runs: a press may start a modal loop (moving a window)
    // that consumes the rest from the queue.
    FPos = from;
    TInputEvent e;
    e.Kind = TInputKind::MouseMove;
    e.Pos = from;
    FBackend->Inject(e);
    e.Kind = TInputKind::ButtonDown;
    e.Button = button;
    FBackend->Inject(e);
    steps = std::max(1, steps);
    for (int i = 1; i <= steps; ++i) {
        TInputEvent m;
        m.Kind = TInputKind::MouseMove;
        m.Pos = {from.X + (to.X - from.X) * i / steps, from.Y + (to.Y - from.Y) * i / steps};
        FBackend->Inject(m);
    }
    FPos = to;
    e.Kind = TInputKind::ButtonUp;
    e.Pos = to;
    FBackend->Inject(e);
    ProcessMessages();
}

void THeadlessDriver::Wheel(int delta)
{
    TInputEvent e;
    e.Kind = TInputKind::Wheel;
    e.Pos = FPos;
    e.WheelDelta = delta;
    Inject(e);
}

void THeadlessDriver::KeyDown(WORD vk)
{
    TInputEvent e;
    e.Kind = TInputKind::KeyDown;
    e.Key = vk;
    Inject(e);
}

void THeadlessDriver::KeyUp(WORD vk)
{
    TInputEvent e;
    e.Kind = TInputKind::KeyUp;
    e.Key = vk;
    Inject(e);
}

void THeadlessDriver::Press(WORD vk, bool shift, bool ctrl, bool alt)
{
    if (shift)
        KeyDown(VK_SHIFT);
    if (ctrl)
        KeyDown(VK_CONTROL);
    if (alt)
        KeyDown(VK_MENU);
    KeyDown(vk);
    KeyUp(vk);
    if (alt)
        KeyUp(VK_MENU);
    if (ctrl)
        KeyUp(VK_CONTROL);
    if (shift)
        KeyUp(VK_SHIFT);
}

void THeadlessDriver::Type(const std::string& text)
{
    for (std::size_t i = 0; i < text.size();) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        std::size_t len = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : 4;
        len = std::min(len, text.size() - i);
        std::string ch = text.substr(i, len);
        i += len;
        WORD vk = 0;
        if (c >= 'a' && c <= 'z')
            vk = static_cast<WORD>(c - 'a' + 'A');
        else if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))
            vk = c;
        else if (c == ' ')
            vk = VK_SPACE;
        else if (c == '\r' || c == '\n')
            vk = VK_RETURN;
        else if (c == '\t')
            vk = VK_TAB;
        if (vk == VK_RETURN || vk == VK_TAB) {
            Press(vk);   // these keys have no text of their own: TranslateMessage makes their character
            continue;
        }
        TInputEvent e;
        if (vk) {
            e.Kind = TInputKind::KeyDown;
            e.Key = vk;
            FBackend->Inject(e);
        }
        TInputEvent t;
        t.Kind = TInputKind::Text;
        t.Text = ch;
        FBackend->Inject(t);
        if (vk) {
            e.Kind = TInputKind::KeyUp;
            FBackend->Inject(e);
        }
        ProcessMessages();
    }
}

void THeadlessDriver::DropFiles(TPoint screen, const std::vector<std::string>& paths)
{
    TInputEvent e;
    e.Kind = TInputKind::Drop;
    e.Pos = screen;
    e.Paths = paths;
    e.Window = WindowFromPoint(screen) ? GetAncestorRoot(WindowFromPoint(screen)) : 0;
    Inject(e);
}

void THeadlessDriver::WindowEvent(TInputKind kind, HWND topLevel)
{
    TInputEvent e;
    e.Kind = kind;
    e.Window = topLevel;
    Inject(e);
}

void THeadlessDriver::FocusIn(HWND topLevel) { WindowEvent(TInputKind::FocusIn, topLevel); }

void THeadlessDriver::FocusOut(HWND topLevel) { WindowEvent(TInputKind::FocusOut, topLevel); }

void THeadlessDriver::TrayButton(HWND window, UINT id, int button, bool down, TPoint screen)
{
    Inject(TrayEvent(down ? TInputKind::TrayButtonDown : TInputKind::TrayButtonUp, window, id, screen, button));
}

void THeadlessDriver::TrayClick(HWND window, UINT id, int button, TPoint screen)
{
    TrayButton(window, id, button, true, screen);
    TrayButton(window, id, button, false, screen);
}

void THeadlessDriver::TrayMove(HWND window, UINT id, TPoint screen)
{
    Inject(TrayEvent(TInputKind::TrayMouseMove, window, id, screen));
}

void THeadlessDriver::MinimizedByDesktop(HWND topLevel) { WindowEvent(TInputKind::Minimized, topLevel); }

void THeadlessDriver::RestoredByDesktop(HWND topLevel) { WindowEvent(TInputKind::Restored, topLevel); }

void THeadlessDriver::MaximizedByDesktop(HWND topLevel, const TRect& bounds)
{
    TInputEvent e;
    e.Kind = TInputKind::Maximized;
    e.Window = topLevel;
    e.Bounds = bounds;
    Inject(e);
}

void THeadlessDriver::RestoredFromMaximizedByDesktop(HWND topLevel) { WindowEvent(TInputKind::RestoredFromMaximized, topLevel); }

void THeadlessDriver::CloseByUser(HWND topLevel)
{
    TInputEvent e;
    e.Kind = TInputKind::Close;
    e.Window = topLevel;
    Inject(e);
}

void THeadlessDriver::AdvanceClock(std::uint64_t ms)
{
    std::uint64_t end = FClock.NowMs() + ms;
    ProcessMessages();
    for (;;) {
        std::uint64_t due = NextTimerDue();
        std::uint64_t now = FClock.NowMs();
        if (due > end || due == UINT64_MAX) {
            if (now < end)   // a handler may have moved the clock further already: never back
                FClock.Set(end);
            ProcessMessages();
            return;
        }
        if (due > now)
            FClock.Set(due);
        ProcessMessages();
    }
}

int THeadlessDriver::ProcessMessages()
{
    int n = 0;
    TMsg m;
    while (PeekMessage(&m, 0, 0, 0, PM_REMOVE)) {
        if (m.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(m.wParam));   // left for the program's own loop
            break;
        }
        TranslateMessage(&m);
        DispatchMessage(&m);
        ++n;
    }
    UpdateAllWindows();
    return n;
}

const TSurface* THeadlessDriver::Picture(HWND topLevel)
{
    ProcessMessages();
    return GetWindowSurface(topLevel);
}

TPixel THeadlessDriver::PixelAt(HWND topLevel, int x, int y)
{
    const TSurface* s = Picture(topLevel);
    return s ? s->Pixel(x, y) : 0;
}

std::string THeadlessDriver::SaveWindow(HWND topLevel, const std::string& name, const std::string& directory)
{
    const TSurface* s = Picture(topLevel);
    if (!s)
        return "";
    std::string path = directory.empty() ? std::string(".") : directory;
    path += '/';
    path += name;
    if (name.size() < 4 || name.compare(name.size() - 4, 4, ".bmp") != 0)
        path += ".bmp";
    try {
        SaveBmpToFile(path, *s, 32);
    } catch (...) {
        return "";
    }
    return path;
}
