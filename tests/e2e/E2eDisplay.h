#pragma once
// A virtual X display of the test's own (Xvfb), with or without a window manager, and what a person does
// with it: looks at windows and pictures, moves the mouse, clicks and types (through the XTest extension,
// so the program receives the same events a real mouse and keyboard give). Everything waits for a
// condition with an upper bound; nothing relies on a fixed pause.
#include <sys/types.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/gfx/TSurface.h"
#include "tests/support/TScratchFolder.h"

using namespace std::chrono_literals;

// One top-level window of a program as the X server knows it; the rectangle is in screen pixels and
// covers the program's own window (not a frame the window manager may have put around it).
struct TScreenWindow {
    unsigned long Id = 0;
    std::string Title;
    TRect Rect;
    bool OverrideRedirect = false;   // popups (combo lists, menus, hints) that no manager frames
};

// A program to run in a forked child, made ready in the parent: the test process runs threads, so
// between fork and exec the child may only call what is safe there (no allocation, no setenv). Env
// changes the test's environment: a name with a value is set, a name without one is removed.
class TChildCommand {
public:
    using TEnvChanges = std::vector<std::pair<std::string, std::optional<std::string>>>;
    explicit TChildCommand(const std::vector<std::string>& Args, const TEnvChanges& Env = {});
    TChildCommand(const TChildCommand&) = delete;
    TChildCommand& operator=(const TChildCommand&) = delete;
    // In the child: runs Args[0] (looked up on PATH); never returns.
    [[noreturn]] void ExecOrExit() const;

private:
    std::vector<std::string> FArgs, FEnv;
    std::vector<char*> FArgv, FEnvp;
};

// Waits until Condition holds, polling; false when Limit passed first.
bool WaitUntil(const std::function<bool()>& Condition, std::chrono::milliseconds Limit = 20s);

class TE2eDisplay {
public:
    // Starts Xvfb on a free display number (OMBRIX_E2E_DISPLAYS "first-last" narrows the numbers tried)
    // and, when asked, a window manager on it (openbox, or the one OMBRIX_E2E_WM names). Started() tells
    // whether both came up.
    explicit TE2eDisplay(bool WithWindowManager, int Width = 1024, int Height = 768);
    ~TE2eDisplay();
    TE2eDisplay(const TE2eDisplay&) = delete;
    TE2eDisplay& operator=(const TE2eDisplay&) = delete;

    bool Started() const { return FX != nullptr && (!FWithWm || FWmPid > 0); }
    std::string Name() const { return FName; }   // ":71"
    bool HasWindowManager() const { return FWithWm; }
    pid_t ServerPid() const { return FServerPid; }
    // Why the start failed, for the test's message.
    std::string Failure() const { return FFailure; }

    // Windows of the process Pid that are mapped and viewable, top-level as the program made them.
    std::vector<TScreenWindow> WindowsOf(pid_t Pid) const;
    // The first viewable window of Pid whose title is Title (any title when empty), waiting for it.
    std::optional<TScreenWindow> WaitForWindow(pid_t Pid, const std::string& Title, std::chrono::milliseconds Limit = 20s) const;
    // Waits until no viewable window of Pid has that title.
    bool WaitForWindowGone(pid_t Pid, const std::string& Title, std::chrono::milliseconds Limit = 20s) const;
    // The window's present state; nullopt when it is gone or not viewable.
    std::optional<TScreenWindow> Refresh(const TScreenWindow& Window) const;
    // The ICCCM state the window manager (or the client itself) gave the window: 1 normal, 3 iconic,
    // 0 withdrawn or unknown.
    int WmState(unsigned long Window) const;
    bool IsShown(unsigned long Window) const;
    // The icon the window offers a taskbar (_NET_WM_ICON, its first picture); empty when it offers none.
    TSurface WindowIcon(unsigned long Window) const;
    // The window that has the keyboard focus (X's own notion, whatever manages it).
    unsigned long FocusWindow() const;

    // What the screen shows in Area (screen pixels), as the person sees it: overlapping windows included.
    TSurface Grab(const TRect& Area) const;
    // Grabs Area until Condition holds for the picture; the last picture is left in Last.
    bool WaitForPicture(const TRect& Area, const std::function<bool(const TSurface&)>& Condition, TSurface& Last,
        std::chrono::milliseconds Limit = 20s) const;
    // Waits until Area shows the same picture twice in a row some time apart (painting has settled).
    bool WaitForStill(const TRect& Area, std::chrono::milliseconds Limit = 20s) const;
    // Saves Area (or the whole screen) under build/test-pictures/e2e/ as Name.bmp; returns the path.
    std::string Save(const std::string& Name, const TRect* Area = nullptr) const;

    // Mouse and keyboard, as a person uses them. Points are screen pixels.
    void MoveTo(int X, int Y) const;
    void Click(int X, int Y, int Button = 1) const;
    // A left click with modifier keys held ("Control_L", "Shift_L").
    void ClickHolding(int X, int Y, const std::vector<std::string>& Held) const;
    void DoubleClick(int X, int Y) const;
    void Press(int X, int Y, int Button = 1) const;
    void Release(int Button = 1) const;
    // Presses at From, moves there in Steps even steps, releases at To. Few steps over a long way are a
    // fast hand: the pointer jumps far between two of its reports.
    void Drag(int FromX, int FromY, int ToX, int ToY, int Steps = 8) const;
    // One wheel notch up (Up true) or down at the pointer's place.
    void Wheel(int X, int Y, bool Up) const;
    // A key by its X name ("Return", "Escape", "F4", "a"), with modifier names held ("Alt_L", "Control_L").
    void Key(const std::string& Name, const std::vector<std::string>& Held = {}) const;

    // What a taskbar or pager asks of the window manager (EWMH client messages to the root window).
    void Activate(unsigned long Window) const;                 // _NET_ACTIVE_WINDOW, source "pager"
    void SetMaximized(unsigned long Window, bool On) const;   // _NET_WM_STATE maximised both ways
    void Iconify(unsigned long Window) const;                  // WM_CHANGE_STATE to iconic
    // Maps and raises the window: all that restoring can mean without a window manager.
    void MapRaised(unsigned long Window) const;
    // The work area the window manager offers (the whole screen without one).
    TRect WorkArea() const;
    TRect ScreenRect() const { return TRect{0, 0, FWidth, FHeight}; }

private:
    bool StartServer(int Width, int Height);
    bool StartWindowManager();
    void Sync() const;

    struct _XDisplay* FX = nullptr;
    std::string FName;
    std::string FFailure;
    std::optional<TScratchFolder> FWmHome; // the window manager's scratch home, removed with the display
    pid_t FServerPid = 0;
    pid_t FWmPid = 0;
    bool FWithWm = false;
    int FWidth = 0;
    int FHeight = 0;
};

// Pixel helpers for judging pictures.
// Share of pixels in Area of Picture within Tolerance (per channel) of Colour (0x00RRGGBB).
double ShareOfColour(const TSurface& Picture, const TRect& Area, TPixel Colour, int Tolerance = 8);
// The share of strongly coloured pixels in Picture: the test clip's colour bars are, the skin's greys and
// its text are not.
double ColourfulShare(const TSurface& Picture);
// Number of distinct colours in Area (capped at Cap): a thumbnail has many, an empty panel few.
int CountColours(const TSurface& Picture, const TRect& Area, int Cap = 256);
// The colour that fills most of Area.
TPixel MainColour(const TSurface& Picture, const TRect& Area);
bool CloseColour(TPixel A, TPixel B, int Tolerance = 8);
std::string ColourText(TPixel P);
// How many pixels differ between two pictures of the same size (inside Area when given).
int DifferentPixels(const TSurface& A, const TSurface& B, const TRect* Area = nullptr);
// Part of a picture, as its own surface.
TSurface Crop(const TSurface& Picture, const TRect& Area);
