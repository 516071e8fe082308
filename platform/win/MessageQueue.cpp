#include "platform/win/MessageQueue.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <deque>
#include <future>
#include <map>
#include <mutex>
#include <thread>

#include "platform/backend/Backend.h"
#include "platform/rtl/ScopeGuards.h"
#include "platform/win/Input.h"
#include "platform/win/Paint.h"
#include "platform/win/WinInternal.h"

using namespace WinInternal;

namespace {

struct TPosted {
    HWND Window;
    UINT Msg;
    WPARAM WParam;
    LPARAM LParam;
    DWORD Time;
};

struct TCrossSend {
    HWND Window;
    UINT Msg;
    WPARAM WParam;
    LPARAM LParam;
    std::promise<LRESULT> Result;
};

struct TTimer {
    HWND Window = 0;
    UINT_PTR Id = 0;
    UINT Interval = 1;
    std::uint64_t Due = 0;
    TIMERPROC Proc;
    std::uint64_t Serial = 0;
    bool Running = false;
};

// Shared with other threads: guarded by Lock.
struct TSharedQueue {
    std::mutex Lock;
    std::deque<TPosted> Posted;
    std::deque<std::shared_ptr<TCrossSend>> Sends;
    // Woken by a post onto an empty queue, a cross-thread send, or WakeMessageLoop. Non-blocking so
    // that draining it never stalls; a stale count only makes the next wait return early once.
    int EventFd = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
};

TSharedQueue& Shared()
{
    static TSharedQueue* q = new TSharedQueue;   // never freed: threads may still post during exit
    return *q;
}

// GUI thread only.
struct TLocalState {
    bool QuitPending = false;
    int QuitCode = 0;
    std::vector<TTimer> Timers;
    std::uint64_t NextSerial = 1;
    std::vector<std::pair<int, std::shared_ptr<TMessageHook>>> Hooks;
    int NextHookId = 1;
    // The last message handed out was a WM_PAINT: a pass of painting is going on.
    bool Painting = false;
};

TLocalState& Local()
{
    static TLocalState s;
    return s;
}

std::atomic<std::thread::id> GuiThread{};

class TRealClock : public TWinClock {
public:
    std::uint64_t NowMs() override
    {
        using namespace std::chrono;
        return static_cast<std::uint64_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
    }
};

TRealClock RealClock;
std::atomic<TWinClock*> CurrentClock{&RealClock};

void Signal()
{
    std::uint64_t one = 1;
    // A full counter (never in practice) still leaves the descriptor readable, which is all we need.
    [[maybe_unused]] ssize_t n = write(Shared().EventFd, &one, sizeof one);
}

void Drain()
{
    std::uint64_t v;
    [[maybe_unused]] ssize_t n = read(Shared().EventFd, &v, sizeof v);
}

bool Matches(HWND w, UINT msg, HWND filter, UINT min, UINT max)
{
    if (filter && w != filter)
        return false;
    if (min == 0 && max == 0)
        return true;
    return msg >= min && msg <= max;
}

void RunCrossSends()
{
    for (;;) {
        std::shared_ptr<TCrossSend> s;
        {
            std::lock_guard lock(Shared().Lock);
            if (Shared().Sends.empty())
                return;
            s = Shared().Sends.front();
            Shared().Sends.pop_front();
        }
        try {
            s->Result.set_value(SendMessage(s->Window, s->Msg, s->WParam, s->LParam));
        } catch (...) {
            s->Result.set_exception(std::current_exception());
        }
    }
}

bool TakePosted(TMsg* m, HWND filter, UINT min, UINT max, bool remove)
{
    for (;;) {
        TPosted p;
        {
            std::lock_guard lock(Shared().Lock);
            auto& q = Shared().Posted;
            auto it = q.begin();
            if (filter || min || max)
                while (it != q.end() && !Matches(it->Window, it->Msg, filter, min, max))
                    ++it;
            if (it == q.end())
                return false;
            p = *it;
            // A message for a window that is gone is dropped whether peeked or removed.
            if (remove || (p.Window && !Find(p.Window)))
                q.erase(it);
        }
        if (p.Window && !Find(p.Window))
            continue;
        *m = {p.Window, p.Msg, p.WParam, p.LParam, p.Time, GetCursorPos()};
        return true;
    }
}

TTimer* FindTimer(HWND h, UINT_PTR id)
{
    for (TTimer& t : Local().Timers)
        if (t.Window == h && t.Id == id)
            return &t;
    return nullptr;
}

bool TakeTimer(TMsg* m, HWND filter, UINT min, UINT max, bool remove)
{
    if (!Matches(filter, WM_TIMER, filter, min, max))
        return false;
    std::uint64_t now = WinClockNow();
    TTimer* best = nullptr;
    for (TTimer& t : Local().Timers) {
        if (t.Running || t.Due > now || (filter && t.Window != filter) || (t.Window && !Find(t.Window)))
            continue;
        if (!best || t.Due < best->Due)
            best = &t;
    }
    if (!best)
        return false;
    *m = {best->Window, WM_TIMER, best->Id, static_cast<LPARAM>(best->Serial), static_cast<DWORD>(now), GetCursorPos()};
    if (remove)
        best->Due = now + best->Interval;   // missed ticks are not made up for, as with the window system
    return true;
}

bool RunHooks(TMsg& m)
{
    auto hooks = Local().Hooks;   // a hook may add or remove hooks
    for (auto it = hooks.rbegin(); it != hooks.rend(); ++it) {
        bool stillThere = false;
        for (auto& h : Local().Hooks)
            stillThere = stillThere || h.first == it->first;
        if (stillThere && (*it->second)(m))
            return true;
    }
    return false;
}

bool PeekOnce(TMsg* m, HWND filter, UINT min, UINT max, bool remove)
{
    RunCrossSends();
    if (TakePosted(m, filter, min, max, remove))
        return true;
    TLocalState& s = Local();
    PumpDisplay(s.Painting);
    s.Painting = false;
    if (TakeInputMessage(m, filter, min, max, remove))
        return true;
    if (s.QuitPending && !filter) {
        *m = {0, WM_QUIT, static_cast<WPARAM>(s.QuitCode), 0, static_cast<DWORD>(WinClockNow()), GetCursorPos()};
        if (remove)
            s.QuitPending = false;
        return true;
    }
    if (Matches(filter, WM_PAINT, filter, min, max)) {
        if (HWND p = NextPaintWindow(filter)) {
            *m = {p, WM_PAINT, 0, 0, static_cast<DWORD>(WinClockNow()), GetCursorPos()};
            s.Painting = true;
            return true;
        }
    }
    // Nothing left to paint: the finished pictures go to the display.
    FlushPresents();
    return TakeTimer(m, filter, min, max, remove);
}

}  // namespace

namespace WinInternal {

void ClaimGuiThread()
{
    std::thread::id none{};
    GuiThread.compare_exchange_strong(none, std::this_thread::get_id());
}

bool OnGuiThread()
{
    std::thread::id g = GuiThread.load();
    return g == std::thread::id{} || g == std::this_thread::get_id();
}

LRESULT SendFromOtherThread(HWND h, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (!IsWindow(h))
        return 0;
    auto s = std::make_shared<TCrossSend>();
    s->Window = h;
    s->Msg = msg;
    s->WParam = wParam;
    s->LParam = lParam;
    std::future<LRESULT> result = s->Result.get_future();
    {
        std::lock_guard lock(Shared().Lock);
        Shared().Sends.push_back(s);
    }
    Signal();
    return result.get();
}

void ForgetTimers(HWND h)
{
    auto& t = Local().Timers;
    t.erase(std::remove_if(t.begin(), t.end(), [h](const TTimer& x) { return x.Window == h; }), t.end());
}

DWORD MessageTime() { return static_cast<DWORD>(WinClockNow()); }

}  // namespace WinInternal

BOOL PostMessage(HWND h, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (h && !IsWindow(h))
        return FALSE;
    DWORD time = static_cast<DWORD>(WinClockNow());
    bool wasEmpty;
    {
        std::lock_guard lock(Shared().Lock);
        wasEmpty = Shared().Posted.empty();
        Shared().Posted.push_back({h, msg, wParam, lParam, time});
    }
    // Only the post that makes the queue non-empty needs to wake the loop: the loop checks the queue
    // under the lock before it sleeps, so a later post finds it awake or finds the queue empty again.
    if (wasEmpty)
        Signal();
    return TRUE;
}

UINT RegisterWindowMessage(const std::string& name)
{
    static std::mutex lock;
    static std::map<std::string, UINT> numbers;
    std::lock_guard hold(lock);
    auto it = numbers.find(name);
    if (it != numbers.end())
        return it->second;
    const UINT number = 0xC000 + static_cast<UINT>(numbers.size());
    numbers.emplace(name, number);
    return number;
}

void PostQuitMessage(int exitCode)
{
    Local().QuitPending = true;
    Local().QuitCode = exitCode;
    Signal();
}

BOOL PeekMessage(TMsg* m, HWND hwnd, UINT min, UINT max, UINT flags)
{
    ClaimGuiThread();
    bool remove = flags & PM_REMOVE;
    for (;;) {
        if (!PeekOnce(m, hwnd, min, max, remove))
            return FALSE;
        if (remove && m->message != WM_QUIT && RunHooks(*m))
            continue;   // swallowed by a hook
        return TRUE;
    }
}

BOOL TranslateMessage(const TMsg* m)
{
    if (!m || (m->message != WM_KEYDOWN && m->message != WM_SYSKEYDOWN))
        return FALSE;
    WORD key = static_cast<WORD>(m->wParam);
    bool ctrl = GetKeyState(VK_CONTROL) < 0;
    bool alt = m->message == WM_SYSKEYDOWN;
    int ch = 0;
    switch (key) {
    case VK_RETURN: ch = '\r'; break;
    case VK_ESCAPE: ch = 27; break;
    case VK_BACK: ch = 8; break;
    case VK_TAB: ch = 9; break;
    default:
        if (key >= 'A' && key <= 'Z' && ctrl && !alt)
            ch = key - 'A' + 1;
        else if (alt && ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')))
            ch = (key >= 'A' && key <= 'Z') ? key - 'A' + 'a' : key;
        break;
    }
    if (!ch)
        return FALSE;
    std::lock_guard lock(Shared().Lock);
    Shared().Posted.push_front({m->hwnd, alt ? WM_SYSCHAR : WM_CHAR, static_cast<WPARAM>(ch), m->lParam, m->time});
    return TRUE;
}

LRESULT DispatchMessage(const TMsg* m)
{
    if (!m)
        return 0;
    if (m->message == WM_TIMER) {
        TTimer* t = FindTimer(m->hwnd, m->wParam);
        if (!t || (m->lParam && static_cast<std::uint64_t>(m->lParam) != t->Serial))
            return 0;   // killed or replaced since the message was made
        std::uint64_t serial = t->Serial;
        HWND h = t->Window;
        UINT_PTR id = t->Id;
        TIMERPROC proc = t->Proc;
        t->Running = true;
        const TScopeExit done([h, id, serial] {
            // Only the same timer is released: SetTimer inside the handler made a fresh one.
            if (TTimer* t = FindTimer(h, id); t && t->Serial == serial)
                t->Running = false;
        });
        if (proc) {
            proc(h, WM_TIMER, id, m->time);
            return 0;
        }
        return SendMessage(h, WM_TIMER, id, 0);
    }
    if (!m->hwnd)
        return 0;
    if (m->message == WM_PAINT) {
        // Even when the handler throws, the window counts as painted: otherwise a failing paint
        // handler would be called again and again.
        const TScopeExit painted([h = m->hwnd] { PaintDispatched(h); });
        return SendMessage(m->hwnd, WM_PAINT, 0, 0);
    }
    return SendMessage(m->hwnd, m->message, m->wParam, m->lParam);
}

bool HasPendingMessages()
{
    {
        std::lock_guard lock(Shared().Lock);
        if (!Shared().Posted.empty() || !Shared().Sends.empty())
            return true;
    }
    if (HasInput() || Local().QuitPending || PaintPending())
        return true;
    std::uint64_t now = WinClockNow();
    for (const TTimer& t : Local().Timers)
        if (!t.Running && t.Due <= now)
            return true;
    return false;
}

bool WaitMessage(int timeoutMs)
{
    ClaimGuiThread();
    using namespace std::chrono;
    auto start = steady_clock::now();
    for (;;) {
        RunCrossSends();
        PumpDisplay();
        if (HasPendingMessages())
            return true;
        FlushPresents();   // what was drawn outside WM_PAINT reaches the display before we sleep
        if (DisplayHasQueuedEvents())
            continue;   // read off the connection while flushing: pump them instead of sleeping
        int wait = -1;
        if (timeoutMs >= 0) {
            auto left = milliseconds(timeoutMs) - duration_cast<milliseconds>(steady_clock::now() - start);
            if (left.count() <= 0)
                return false;
            wait = static_cast<int>(left.count());
        }
        // Only the real clock can be waited for; a hand-moved clock wakes the loop when it moves.
        if (CurrentClock.load() == &RealClock) {
            std::uint64_t due = NextTimerDue();
            if (due != UINT64_MAX) {
                std::uint64_t now = WinClockNow();
                int untilDue = due <= now ? 0 : static_cast<int>(std::min<std::uint64_t>(due - now, 1u << 30));
                wait = wait < 0 ? untilDue : std::min(wait, untilDue);
            }
        }
        std::vector<pollfd> fds{{Shared().EventFd, POLLIN, 0}};
        for (int fd : DisplayFds())
            fds.push_back({fd, POLLIN, 0});
        int rc = poll(fds.data(), fds.size(), wait);
        if (rc > 0 && (fds[0].revents & POLLIN))
            Drain();
    }
}

void WakeMessageLoop() { Signal(); }

int AddMessageHook(TMessageHook hook)
{
    int id = Local().NextHookId++;
    Local().Hooks.emplace_back(id, std::make_shared<TMessageHook>(std::move(hook)));
    return id;
}

void RemoveMessageHook(int id)
{
    auto& h = Local().Hooks;
    h.erase(std::remove_if(h.begin(), h.end(), [id](const auto& x) { return x.first == id; }), h.end());
}

void TManualClock::Advance(std::uint64_t ms)
{
    FNow += ms;
    WakeMessageLoop();
}

void TManualClock::Set(std::uint64_t ms)
{
    FNow = ms;
    WakeMessageLoop();
}

void SetWinClock(TWinClock* clock)
{
    CurrentClock.store(clock ? clock : &RealClock);
    WakeMessageLoop();
}

std::uint64_t WinClockNow() { return CurrentClock.load()->NowMs(); }

std::uint64_t NextTimerDue()
{
    std::uint64_t due = UINT64_MAX;
    for (const TTimer& t : Local().Timers)
        if (!t.Running && (!t.Window || Find(t.Window)))
            due = std::min(due, t.Due);
    return due;
}

UINT_PTR SetTimer(HWND h, UINT_PTR id, UINT intervalMs, TIMERPROC proc)
{
    ClaimGuiThread();
    if (id == 0 || (h && !Find(h)) || (!h && !proc))
        return 0;
    TTimer* t = FindTimer(h, id);
    if (!t) {
        Local().Timers.emplace_back();
        t = &Local().Timers.back();
    }
    t->Window = h;
    t->Id = id;
    t->Interval = intervalMs ? intervalMs : 1;
    t->Due = WinClockNow() + t->Interval;
    t->Proc = std::move(proc);
    t->Serial = Local().NextSerial++;
    t->Running = false;
    return id;
}

BOOL KillTimer(HWND h, UINT_PTR id)
{
    auto& timers = Local().Timers;
    for (auto it = timers.begin(); it != timers.end(); ++it) {
        if (it->Window == h && it->Id == id) {
            timers.erase(it);
            return TRUE;
        }
    }
    return FALSE;
}
