#include "platform/vcl/TApplication.h"

#include <algorithm>
#include <iostream>
#include <unistd.h>

#include "platform/vcl/TIcon.h"

TApplicationRef Application;

TApplication* TApplicationRef::Get()
{
    // Never freed by itself: DoneApplication frees what it owns; the object outlives every form.
    static TApplication* app = new TApplication(nullptr);
    return app;
}

void DoneApplication()
{
    TApplication* app = Application.Get();
    app->DestroyComponents();
    app->FinishRun();
}

TApplication::TApplication(TComponent* AOwner) : TComponent(AOwner) {}

TApplication::~TApplication()
{
    if (FHandle != 0) DestroyWindow(FHandle);
}

HWND TApplication::Handle()
{
    if (FHandle == 0 || !IsWindow(FHandle)) {
        WNDCLASS wc;
        wc.ClassName = "TApplication";
        wc.WndProc = [](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
            if (m == CM_RELEASE) {
                Application->FreeReleased();
                return 0;
            }
            return DefWindowProc(h, m, w, l);
        };
        RegisterClass(wc);
        FHandle = CreateWindowEx(WS_EX_TOOLWINDOW, "TApplication", FTitle, WS_POPUP, 0, 0, 0, 0, 0);
    }
    return FHandle;
}

TIcon* TApplication::Icon()
{
    if (!FIcon) {
        FIcon = std::make_unique<TIcon>();
        FIcon->SetPicture(StandardApplicationPicture());
    }
    return FIcon.get();
}

void TApplication::SetTitle(const std::string& Value)
{
    FTitle = Value;
    if (FHandle != 0) SetWindowText(FHandle, Value);
}

std::string TApplication::ExeName() const
{
    char buf[4096];
    const ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    return n > 0 ? std::string(buf, static_cast<size_t>(n)) : std::string();
}

void TApplication::Run()
{
    if (FMainForm != nullptr && FShowMainForm) FMainForm->Show();
    while (!FTerminated) HandleMessage();
}

void TApplication::FinishRun()
{
    // The one application object outlives the run: whatever runs next on this thread (the program run
    // again in the same process) starts as the first run did, not terminated and without the quit
    // that ended the last loop still waiting.
    FTerminated = false;
    TMsg quit;
    while (PeekMessage(&quit, 0, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}

void TApplication::Terminate()
{
    if (FTerminated) return;
    FTerminated = true;
    PostQuitMessage(0);
}

bool TApplication::ProcessMessage(TMsg& Msg)
{
    if (!PeekMessage(&Msg, 0, 0, 0, PM_REMOVE)) return false;
    if (Msg.message == WM_QUIT) {
        FTerminated = true;
        return true;
    }
    try {
        bool handled = false;
        if (OnMessage) OnMessage(Msg, handled);
        if (!handled) {
            TranslateMessage(&Msg);
            DispatchMessage(&Msg);
        }
    } catch (...) {
        HandleException(this);
    }
    return true;
}

void TApplication::ProcessMessages()
{
    TMsg msg;
    while (ProcessMessage(msg)) {
    }
}

void TApplication::HandleMessage()
{
    TMsg msg;
    if (!ProcessMessage(msg)) Idle();
}

void TApplication::Idle()
{
    // The control under the pointer learns that the pointer left it even when no window of ours
    // sees the pointer any more.
    TPoint p = GetCursorPos();
    HWND h = WindowFromPoint(p);
    TWinControl* w = TWinControl::FindControl(h);
    TControl* over = nullptr;
    if (w != nullptr) {
        TPoint c = p;
        ScreenToClient(h, c);
        over = w->ControlAtPos(c, false, false);
        if (over == nullptr) over = w;
    }
    SetMouseControl(over);
    bool done = true;
    try {
        if (OnIdle) OnIdle(this, done);
    } catch (...) {
        HandleException(this);
    }
    if (done && !FTerminated) WaitMessage();
}

void TApplication::HandleException(TObject* Sender)
{
    try {
        throw;
    } catch (const EAbort&) {
    } catch (Exception& e) {
        if (OnException)
            OnException(Sender, e);
        else
            ShowException(e);
    } catch (const std::exception& e) {
        Exception wrapped(e.what());
        if (OnException)
            OnException(Sender, wrapped);
        else
            ShowException(wrapped);
    } catch (...) {
        Exception wrapped("Unknown exception");
        if (OnException)
            OnException(Sender, wrapped);
        else
            ShowException(wrapped);
    }
}

void TApplication::ShowException(const Exception& E)
{
    std::cerr << (FTitle.empty() ? std::string("Error") : FTitle) << ": " << E.Message() << std::endl;
}

void TApplication::Minimize()
{
    if (FMainForm != nullptr) FMainForm->SetWindowState(wsMinimized);
}

void TApplication::Restore()
{
    if (FMainForm != nullptr) FMainForm->SetWindowState(wsNormal);
}

void TApplication::BringToFront()
{
    if (FMainForm != nullptr && FMainForm->HandleAllocated()) SetActiveWindow(FMainForm->Handle());
}

void TApplication::FormDestroyed(TCustomForm* Form)
{
    if (Form == FMainForm) FMainForm = nullptr;
}

void TApplication::ReleaseComponent(TComponent* AComponent)
{
    if (AComponent == nullptr || ReleasePending(AComponent)) return;
    FReleased.push_back(AComponent);
    AComponent->FreeNotification(this);
    PostFreeReleased();
}

void TApplication::FreeComponentWhenUnheld(TComponent* AComponent)
{
    if (AComponent == nullptr) return;
    if (FReleaseHolds > 0) {
        ReleaseComponent(AComponent);
        return;
    }
    FReleased.erase(std::remove(FReleased.begin(), FReleased.end(), AComponent), FReleased.end());
    AComponent->Free();
}

bool TApplication::ReleasePending(const TComponent* AComponent) const
{
    return std::find(FReleased.begin(), FReleased.end(), AComponent) != FReleased.end();
}

void TApplication::PostFreeReleased()
{
    // A message of its own rather than a call: it comes after whatever handler released the component
    // has returned. One per release is harmless: the queue is empty for the later ones.
    if (FReleaseHolds == 0 && !FReleased.empty()) PostMessage(Handle(), CM_RELEASE, 0, 0);
}

void TApplication::FreeReleased()
{
    // Inside a hold the message came early (a loop run by held code): the last hold's end posts again.
    if (FReleaseHolds > 0) return;
    while (!FReleased.empty()) {
        TComponent* c = FReleased.front();
        FReleased.erase(FReleased.begin());
        c->RemoveFreeNotification(this);
        c->Free();
    }
}

TReleaseHold::TReleaseHold() { ++Application->FReleaseHolds; }

TReleaseHold::~TReleaseHold()
{
    if (--Application->FReleaseHolds == 0) Application->PostFreeReleased();
}

void TApplication::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FMainForm) FMainForm = nullptr;
    if (Operation == opRemove)
        FReleased.erase(std::remove(FReleased.begin(), FReleased.end(), AComponent), FReleased.end());
}
