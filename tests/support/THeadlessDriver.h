#pragma once
// Drives the headless backend the way a user would, for tests: pointer moves, clicks, drags, the wheel,
// keys and typed text, dropped files, and a hand-moved clock. Every action is followed by
// ProcessMessages, so what the action causes has happened when the call returns.
//
//   THeadlessDriver d;                 // headless backend and a manual clock installed
//   HWND form = ...; ShowWindow(form, SW_SHOW);
//   d.Click({100, 50});                // screen coordinates
//   d.Type("abc");
//   d.AdvanceClock(250);               // due WM_TIMER messages come in order
//   d.SaveWindow(form, "form", OMBRIX_TEST_PICTURES);
//
// The destructor puts the real clock back; the backend stays (windows may still be shown).
#include <string>
#include <vector>

#include "platform/backend/THeadlessBackend.h"
#include "platform/win/MessageQueue.h"

class THeadlessDriver {
public:
    // useManualClock false keeps the real clock (tests that wait for real time).
    explicit THeadlessDriver(bool useManualClock = true);
    ~THeadlessDriver();
    THeadlessDriver(const THeadlessDriver&) = delete;
    THeadlessDriver& operator=(const THeadlessDriver&) = delete;

    THeadlessBackend& Backend() { return *FBackend; }
    TManualClock& Clock() { return FClock; }

    void MoveTo(TPoint screen);
    void ButtonDown(int button = 1);
    void ButtonUp(int button = 1);
    void Click(TPoint screen, int button = 1);
    void DoubleClick(TPoint screen, int button = 1);
    // Press at `from`, move in `steps` even steps to `to`, release.
    void Drag(TPoint from, TPoint to, int steps = 4, int button = 1);
    void Wheel(int delta);
    void KeyDown(WORD vk);
    void KeyUp(WORD vk);
    // Down and up; with Shift/Ctrl/Alt held when asked.
    void Press(WORD vk, bool shift = false, bool ctrl = false, bool alt = false);
    // Each character as a key press with its text (letters and digits get their key codes).
    void Type(const std::string& text);
    void DropFiles(TPoint screen, const std::vector<std::string>& paths);
    // Tells the window layer that the display gave or took the keyboard focus of a top-level window.
    void FocusIn(HWND topLevel);
    void FocusOut(HWND topLevel);
    // The desktop minimized or restored a top-level window by itself (a taskbar, a window manager key).
    void MinimizedByDesktop(HWND topLevel);
    void RestoredByDesktop(HWND topLevel);
    // The window manager maximised a top-level window to `bounds` by its own command, or took it back.
    void MaximizedByDesktop(HWND topLevel, const TRect& bounds);
    void RestoredFromMaximizedByDesktop(HWND topLevel);
    void CloseByUser(HWND topLevel);
    // The user at the tray icon `id` of `window`: presses and releases a button, or clicks (both), with
    // the pointer at `screen`. Two clicks with no clock moved between make a double click.
    void TrayButton(HWND window, UINT id, int button, bool down, TPoint screen = {});
    void TrayClick(HWND window, UINT id, int button = 1, TPoint screen = {});
    void TrayMove(HWND window, UINT id, TPoint screen);

    // Moves the manual clock by ms in steps that stop at every due timer, processing messages each time.
    void AdvanceClock(std::uint64_t ms);
    // Runs every message there is, paints, and hands the pictures on; returns the number dispatched.
    int ProcessMessages();

    // What a top-level window shows now (after ProcessMessages); null when it has no picture.
    const TSurface* Picture(HWND topLevel);
    TPixel PixelAt(HWND topLevel, int x, int y);
    // Saves the window's picture as BMP in `directory` (the current folder when empty); the path, or ""
    // when the window has no picture or the file cannot be written.
    std::string SaveWindow(HWND topLevel, const std::string& name, const std::string& directory = "");

private:
    void Inject(TInputEvent e);
    void WindowEvent(TInputKind kind, HWND topLevel);

    THeadlessBackend* FBackend = nullptr;
    TManualClock FClock;
    bool FManual;
    TPoint FPos;
};
