#include "platform/vcl/TTimer.h"

#include <unordered_map>

#include "platform/vcl/TWinControl.h"
#include "platform/vcl/TypInfo.h"
#include "platform/vcl/VclClasses.h"

// One hidden window carries every timer; its id picks the component.
struct TTimerWindow {
    HWND Handle = 0;
    std::unordered_map<UINT_PTR, TTimer*> Timers;
    UINT_PTR NextId = 1;

    static TTimerWindow& Get()
    {
        static TTimerWindow w;
        if (w.Handle == 0 || !IsWindow(w.Handle)) {
            WNDCLASS wc;
            wc.ClassName = "TTimerWindow";
            wc.WndProc = [](HWND h, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
                if (m == WM_TIMER) {
                    auto& self = Get();
                    auto it = self.Timers.find(static_cast<UINT_PTR>(wp));
                    if (it != self.Timers.end()) {
                        TTimer* t = it->second;
                        try {
                            t->Timer();
                        } catch (...) {
                            HandleControlException(t);
                        }
                    }
                    return 0;
                }
                return DefWindowProc(h, m, wp, lp);
            };
            RegisterClass(wc);
            w.Handle = CreateWindowEx(WS_EX_TOOLWINDOW, "TTimerWindow", "", WS_POPUP, 0, 0, 0, 0, 0);
        }
        return w;
    }
};

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner) {}

TTimer::~TTimer()
{
    FEnabled = false;
    UpdateTimer();
}

void TTimer::SetEnabled(bool Value)
{
    if (Value == FEnabled) return;
    FEnabled = Value;
    UpdateTimer();
}

void TTimer::SetInterval(unsigned Value)
{
    if (Value == FInterval) return;
    FInterval = Value;
    UpdateTimer();
}

void TTimer::Loaded()
{
    TComponent::Loaded();
    UpdateTimer();
}

void TTimer::UpdateTimer()
{
    auto& w = TTimerWindow::Get();
    if (FId != 0) {
        KillTimer(w.Handle, FId);
        w.Timers.erase(FId);
        FId = 0;
    }
    // Nothing runs while the form description is still being read.
    if (!FEnabled || FInterval == 0 || ComponentState().Contains(csLoading) || ComponentState().Contains(csDestroying)) return;
    FId = w.NextId++;
    w.Timers[FId] = this;
    SetTimer(w.Handle, FId, FInterval);
}

void TTimer::Timer()
{
    if (FEnabled && OnTimer) OnTimer(this);
}

void RegisterTimerClasses()
{
    static const bool done = [] {
        RegisterComponentClasses();
        RegisterClass<TTimer, TComponent>("TTimer")
            .Prop("Enabled", &TTimer::Enabled, &TTimer::SetEnabled, true)
            .Prop("Interval", &TTimer::Interval, &TTimer::SetInterval, 1000)
            .Event("OnTimer", &TTimer::OnTimer);
        return true;
    }();
    (void)done;
}
