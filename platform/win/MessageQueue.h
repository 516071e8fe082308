#pragma once
// The GUI thread's message queue, the message loop calls, message hooks and timers.
//
// How to use:
//   ProcessMessages: TMsg m; while (PeekMessage(&m, 0, 0, 0, PM_REMOVE)) { TranslateMessage(&m);
//                    DispatchMessage(&m); }   (re-entrant to any depth)
//   Waiting:         WaitMessage(100) sleeps (no spinning) until a message, input, paint or due timer, or
//                    100 ms; WaitMessage() waits without limit.
//   From a thread:   PostMessage(hiddenWindow, CM_READ, reader, 0); never blocks for long, never loses a
//                    message, and wakes the GUI thread through an eventfd.
//   Hooks:           int id = AddMessageHook([](TMsg& m) { return m.message == WM_KEYDOWN; });  // true swallows
//                    ...RemoveMessageHook(id). The newest hook is asked first; a message taken off the
//                    queue (PeekMessage with PM_REMOVE) passes the hooks before it is returned.
//   Timers:          SetTimer(h, 1, 100) posts WM_TIMER (wParam = id) about every 100 ms of the window
//                    layer's clock; a timer whose WM_TIMER is still being handled is not fired again
//                    until that handler returns, unless the handler calls SetTimer for the same id.
//                    Tests replace the clock with SetWinClock(&fake) and move it by hand.
//
// Message order on retrieval: messages sent from other threads (run at once), posted messages, input
// from the display, WM_QUIT, WM_PAINT, WM_TIMER. A message posted to a window that is destroyed before it
// is taken off the queue is dropped.
#include <cstdint>
#include <functional>
#include <string>

#include "platform/win/Window.h"

struct TMsg {
    HWND hwnd = 0;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    DWORD time = 0;
    TPoint pt;
};
using MSG = TMsg;

constexpr UINT PM_NOREMOVE = 0x0000;
constexpr UINT PM_REMOVE = 0x0001;
constexpr UINT PM_NOYIELD = 0x0002;

// Any thread. FALSE when the window is gone (the message is not queued). h = 0 posts a thread message,
// which PeekMessage returns with hwnd 0 and DispatchMessage ignores.
BOOL PostMessage(HWND h, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
void PostQuitMessage(int exitCode);

// hwnd filters by window (0: any); min..max filters by number (0, 0: any).
BOOL PeekMessage(TMsg* m, HWND hwnd, UINT min, UINT max, UINT flags);
// Key downs become WM_CHAR / WM_SYSCHAR for the keys that have a character and were not already
// typed as text by the display (Return, Escape, Tab, Backspace, Ctrl+letter).
BOOL TranslateMessage(const TMsg* m);
LRESULT DispatchMessage(const TMsg* m);
// Sleeps until something can be retrieved or `timeoutMs` passed (negative: no limit). True when
// something is there.
bool WaitMessage(int timeoutMs = -1);
// Whether PeekMessage would find something now.
bool HasPendingMessages();
// Any thread: makes a waiting WaitMessage return.
void WakeMessageLoop();

// The message number for a name, the same for every caller of the process: 0xC000 and up, in the order
// names are first asked for. Any thread.
UINT RegisterWindowMessage(const std::string& name);

using TMessageHook = std::function<bool(TMsg&)>;
int AddMessageHook(TMessageHook hook);
void RemoveMessageHook(int id);

// The clock of timers and message times, in milliseconds.
class TWinClock {
public:
    virtual ~TWinClock() = default;
    virtual std::uint64_t NowMs() = 0;
};
// A clock that moves only when told. Advance wakes the loop so that due timers come in.
class TManualClock : public TWinClock {
public:
    explicit TManualClock(std::uint64_t start = 1000) : FNow(start) {}
    std::uint64_t NowMs() override { return FNow; }
    void Advance(std::uint64_t ms);
    void Set(std::uint64_t ms);

private:
    std::uint64_t FNow;
};
// null restores the real (monotonic) clock. The clock is not owned. The program keeps the real clock;
// the tests' headless driver installs its hand-moved one.
void SetWinClock(TWinClock* clock);
std::uint64_t WinClockNow();
// When the next timer is due on the current clock (UINT64_MAX when no timer runs). The tests' headless
// driver moves its hand clock from one due timer to the next with it.
std::uint64_t NextTimerDue();

using TIMERPROC = std::function<void(HWND, UINT, UINT_PTR, DWORD)>;
// Returns the id (non-zero) or 0 when the window is dead or id is 0. Setting an id that exists restarts
// it with the new interval. A zero interval counts as 1 ms.
UINT_PTR SetTimer(HWND h, UINT_PTR id, UINT intervalMs, TIMERPROC proc = nullptr);
BOOL KillTimer(HWND h, UINT_PTR id);
