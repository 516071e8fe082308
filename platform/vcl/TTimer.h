#pragma once
// A component that fires OnTimer every Interval milliseconds while Enabled, through the window
// layer's timers (so it runs on the GUI thread, from the message loop).
#include "platform/vcl/TComponent.h"
#include "platform/win/WinApi.h"

class TTimer : public TComponent {
public:
    explicit TTimer(TComponent* AOwner);
    ~TTimer() override;

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    unsigned Interval() const { return FInterval; }
    void SetInterval(unsigned Value);

    TNotifyEvent OnTimer;
    void Loaded() override;

protected:
    virtual void Timer();

private:
    void UpdateTimer();
    bool FEnabled = true;
    unsigned FInterval = 1000;
    UINT_PTR FId = 0;
    friend struct TTimerWindow;
};
