#pragma once
// The backend without a display: top-level windows exist only as records, their pictures stay in the
// window layer's surfaces, and input comes from Inject (tests, through their THeadlessDriver). The screen and
// the work area are a fixed 1280 x 800. A system tray is there or not as the test says (none at first).
#include <mutex>
#include <vector>

#include "platform/backend/Backend.h"

// A native child window as the display was told of it. No player can draw into it: its id is 0.
class THeadlessChild : public TBackendChild {
public:
    THeadlessChild(HWND top, const TRect& inWindow);
    ~THeadlessChild() override;
    // The live child windows of the top-level window `top` (tests look at what the display was told).
    static std::vector<THeadlessChild*> Of(HWND top);
    void SetBounds(const TRect& inWindow) override { Bounds = inWindow; }
    void Show(bool visible) override { Visible = visible; }
    unsigned long NativeId() const override { return 0; }

    HWND Top = 0;
    TRect Bounds;
    bool Visible = false;
};

class THeadlessWindow : public TBackendWindow {
public:
    explicit THeadlessWindow(const TBackendWindowParams& p);
    ~THeadlessWindow() override;
    // The live backend window of a top-level window, or null (tests look at what the display was told).
    static THeadlessWindow* Of(HWND h);
    void SetBounds(const TRect& screen) override { Bounds = screen; }
    // Showing with activation asks for the keyboard, as a real display's window does.
    void Show(bool visible, bool activate) override
    {
        Visible = visible;
        Focused += visible && activate;
    }
    void Raise() override { ++Raises; }
    void SetTopMost(bool topMost) override { Params.TopMost = topMost; }
    void Present(const TSurface&, const std::vector<TRect>&) override { ++Presents; }
    void SetOpacity(BYTE alpha) override { Opacity = alpha; }
    void SetShape(const TRegionShape* shape) override { Shaped = shape != nullptr; }
    void SetTitle(const std::string& title) override { Params.Title = title; }
    void SetOwner(TBackendWindow* owner, bool modal) override
    {
        Owner = owner;
        Modal = modal;
    }
    bool Minimize() override
    {
        Minimized = true;
        return true;
    }
    void Restore() override { Minimized = false; }
    void Unmaximize() override { ++Unmaximized; }
    void SetSizeable(bool sizeable, TPoint min, TPoint max) override
    {
        Params.Sizeable = sizeable;
        Params.MinSize = min;
        Params.MaxSize = max;
    }
    void Focus() override { ++Focused; }
    unsigned long NativeId() const override { return 0; }
    std::unique_ptr<TBackendChild> CreateChild(const TRect& inWindow) override
    {
        return std::make_unique<THeadlessChild>(Params.Window, inWindow);
    }

    TBackendWindowParams Params;
    TRect Bounds;
    bool Visible = false;
    bool Minimized = false;
    TBackendWindow* Owner = nullptr;
    bool Modal = false;
    bool Shaped = false;
    BYTE Opacity = 255;
    int Presents = 0;
    int Raises = 0;
    int Focused = 0;
    int Unmaximized = 0;   // times the window manager was asked to let the window go
};

// An icon in the pretended tray: what the display was told to show.
class THeadlessTrayIcon : public TBackendTrayIcon {
public:
    THeadlessTrayIcon(HWND window, UINT id, const TSurface& picture, const std::string& tip);
    ~THeadlessTrayIcon() override;
    // The icon in the tray for that window and id, or null.
    static THeadlessTrayIcon* Of(HWND window, UINT id);
    static std::vector<THeadlessTrayIcon*> All();
    void SetPicture(const TSurface& picture) override
    {
        Picture = picture;
        ++Pictures;
    }
    void SetTip(const std::string& tip) override { Tip = tip; }

    HWND Window;
    UINT Id;
    TSurface Picture;
    std::string Tip;
    int Pictures = 1;   // pictures shown so far, the first included
};

class THeadlessBackend : public TBackend {
public:
    std::string Name() const override { return "headless"; }
    std::unique_ptr<TBackendWindow> CreateWindow(const TBackendWindowParams& params) override;
    void Pump(std::vector<TInputEvent>& out) override;
    std::vector<int> WaitFds() const override { return {}; }
    TRect WorkArea() const override { return {0, 0, 1280, 800}; }
    TRect ScreenRect() const override { return {0, 0, 1280, 800}; }
    TPoint CursorPos() const override { return FCursor; }
    void SetCursor(HCURSOR cursor) override
    {
        FShape = cursor;
        FShapes.push_back(cursor);
    }
    std::string ClipboardText() const override { return FClipboard; }
    void SetClipboardText(const std::string& text) override
    {
        FClipboard = text;
        FClipPicture.reset();
    }
    void SetClipboardPicture(const TSurface& picture) override
    {
        FClipboard.clear();
        FClipPicture = std::make_unique<TSurface>(picture);
    }
    bool ClipboardPicture(TSurface& picture) const override
    {
        if (FClipPicture)
            picture = *FClipPicture;
        return FClipPicture != nullptr;
    }
    bool SupportsShapes() const override { return true; }
    bool SupportsOpacity() const override { return true; }
    void Beep() override { ++FBeeps; }
    std::unique_ptr<TBackendTrayIcon> CreateTrayIcon(HWND window, UINT id, const TSurface& picture,
        const std::string& tip) override;

    // A tray coming up is announced (TrayCreated); one going away takes every icon with it (TrayLost
    // for each). Both reach the window layer at the next pump.
    void SetTrayPresent(bool present);

    // Any thread: queues what a user did and wakes the message loop.
    void Inject(const TInputEvent& e);
    int Beeps() const { return FBeeps; }
    // Every pointer shape the display was told to show, in order; the last one is showing now.
    const std::vector<HCURSOR>& CursorsShown() const { return FShapes; }
    int WindowsMade() const { return FMade; }

private:
    std::mutex FLock;
    std::vector<TInputEvent> FPending;
    TPoint FCursor;
    HCURSOR FShape = 0;
    std::vector<HCURSOR> FShapes;
    std::string FClipboard;
    std::unique_ptr<TSurface> FClipPicture;
    int FBeeps = 0;
    int FMade = 0;
    bool FTray = false;
};
