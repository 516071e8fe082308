#pragma once
// The window hints are shown in: a borderless top-most popup that never takes activation. ActivateHint
// places it at a screen rectangle with a text and shows it; ReleaseHint hides it. Descendants paint
// their own look and size themselves in ActivateHint.
#include <functional>
#include <memory>
#include <string>

#include "platform/vcl/TCustomControl.h"

class TTimer;

class THintWindow : public TCustomControl {
public:
    explicit THintWindow(TComponent* AOwner);

    // Shows Hint at Rect (screen coordinates) without activating anything.
    virtual void ActivateHint(const TRect& Rect, const std::string& AHint);
    // Hides the window; safe when it is not shown.
    virtual void ReleaseHint();
    // The size the text needs, in screen coordinates at (0, 0).
    virtual TRect CalcHintRect(int MaxWidth, const std::string& AHint);
    bool Showing() const { return FShowing; }

protected:
    void CreateParams(TCreateParams& Params) override;
    void WndProc(TMessage& Message) override;
    void Paint() override;

    bool FShowing = false;
};

// What the hint service is about to show; an OnShowHint handler may change the text or refuse.
struct THintInfo {
    TControl* HintControl = nullptr;
    TPoint CursorPos;
    int HideTimeout = 0;
};
using TShowHintEvent = std::function<void(std::string& HintStr, bool& CanShow, THintInfo& HintInfo)>;
using THintWindowClass = std::function<THintWindow*()>;

// The application's hints: when the pointer rests on a control whose ShowHint is on and whose Hint is
// not empty, its hint shows after HintPause (HintShortPause when a hint was just showing), below the
// pointer, and hides after HintHidePause, when the pointer leaves the control, or on a click or key.
class TApplicationHints : public TComponent {
public:
    TApplicationHints();
    ~TApplicationHints() override;

    bool ShowHint() const { return FShowHint; }
    // Off frees the hint window; on makes it anew with the current window class when needed.
    void SetShowHint(bool Value);
    unsigned HintPause() const { return FHintPause; }
    unsigned HintShortPause() const { return FHintShortPause; }
    void SetHintShortPause(unsigned Value) { FHintShortPause = Value; }
    unsigned HintHidePause() const { return FHintHidePause; }
    // Makes the window hints are shown in (nullptr: a plain THintWindow); takes effect for the next window.
    void SetHintWindowClass(THintWindowClass Value) { FWindowClass = std::move(Value); }
    THintWindow* HintWindow() const { return FWindow; }
    // Hides the hint and forgets the control under the pointer.
    void CancelHint();

    TShowHintEvent OnShowHint;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    bool Watch(const TMsg& Msg);
    void PointerAt(TControl* Control, TPoint Screen);
    void TimerTimer(TObject* Sender);
    void SetHintControl(TControl* Value);
    void FreeWindow();

    bool FShowHint = true;
    unsigned FHintPause = 500;
    unsigned FHintShortPause = 50;
    unsigned FHintHidePause = 2500;
    THintWindowClass FWindowClass;
    THintWindow* FWindow = nullptr;
    TTimer* FTimer = nullptr;
    TControl* FHintControl = nullptr;
    bool FShown = false;
    int FHook = 0;
};

// The one hint service of the program, made on first use.
TApplicationHints& ApplicationHints();
