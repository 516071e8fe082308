#pragma once
// The application object: the title, the main form (the first form made through CreateForm; closing
// it ends Run), the message loop (Run, re-entrant ProcessMessages, HandleMessage) and the report of
// exceptions that escape event handlers. The one instance is reached as Application.
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/vcl/TForm.h"
#include "platform/vcl/TScreen.h"
#include "platform/win/WinApi.h"

using TExceptionEvent = std::function<void(TObject* Sender, Exception& E)>;
using TMessageEvent = std::function<void(TMsg& Msg, bool& Handled)>;
using TIdleEvent = std::function<void(TObject* Sender, bool& Done)>;

class TIcon;

class TApplication : public TComponent {
public:
    explicit TApplication(TComponent* AOwner);
    ~TApplication() override;

    // A hidden window that owns the program's windows and receives its own messages.
    HWND Handle();
    const std::string& Title() const { return FTitle; }
    void SetTitle(const std::string& Value);
    // The program's icon: the desktop's standard application picture until the program gives its own.
    TIcon* Icon();
    // The colour hints are shown in unless a control has one of its own.
    TColor HintColor() const { return FHintColor; }
    void SetHintColor(TColor Value) { FHintColor = Value; }
    TCustomForm* MainForm() const { return FMainForm; }
    bool Terminated() const { return FTerminated; }
    bool ShowMainForm() const { return FShowMainForm; }
    void SetShowMainForm(bool Value) { FShowMainForm = Value; }
    // The full path of the running program.
    std::string ExeName() const;

    void Initialize() {}
    // Makes a form owned by the application, stores it in Reference, makes the first one the main
    // form and fires its OnCreate. Arguments after the reference go to the form's constructor, after
    // its owner.
    template <class T, class... A> void CreateForm(T*& Reference, A&&... Args)
    {
        T* form = new T(this, std::forward<A>(Args)...);
        Reference = form;
        if (FMainForm == nullptr) FMainForm = form;
        form->DoCreate();
    }
    // Shows the main form and handles messages until Terminate (or the main form closes).
    void Run();
    void Terminate();
    // Handles every message waiting now; safe to call from inside any handler.
    void ProcessMessages();
    // Handles one message, or waits for one when there is nothing to do.
    void HandleMessage();
    // Reports the exception being handled (call from a catch block): OnException, or the default
    // report. EAbort is silent.
    void HandleException(TObject* Sender);
    void ShowException(const Exception& E);
    void Minimize();
    void Restore();
    void BringToFront();

    // Frees AComponent once the message being handled now has returned to the loop, and never while a
    // TReleaseHold is alive: a component cannot be freed from inside its own message handling. One
    // freed otherwise meanwhile simply drops out.
    void ReleaseComponent(TComponent* AComponent);
    // Frees AComponent now when no TReleaseHold is alive; otherwise as ReleaseComponent.
    void FreeComponentWhenUnheld(TComponent* AComponent);
    // Whether AComponent was released and still waits to be freed.
    bool ReleasePending(const TComponent* AComponent) const;

    TExceptionEvent OnException;
    TMessageEvent OnMessage;
    TIdleEvent OnIdle;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;

    // Called by forms.
    void FormDestroyed(TCustomForm* Form);

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    friend class TReleaseHold;
    friend void DoneApplication();
    void FinishRun();
    bool ProcessMessage(TMsg& Msg);
    void PostFreeReleased();
    void FreeReleased();
    void Idle();
    std::string FTitle;
    TColor FHintColor = clInfoBk;
    HWND FHandle = 0;
    std::unique_ptr<TIcon> FIcon;
    TCustomForm* FMainForm = nullptr;
    bool FTerminated = false;
    bool FShowMainForm = true;
    std::vector<TComponent*> FReleased;
    int FReleaseHolds = 0;
};

// Held while code runs that a released component may still be running under (its own window procedure,
// a menu's handling): what is released meanwhile is freed after the last hold ends.
class TReleaseHold {
public:
    TReleaseHold();
    ~TReleaseHold();
    TReleaseHold(const TReleaseHold&) = delete;
    TReleaseHold& operator=(const TReleaseHold&) = delete;
};

// The program's one application object, made on first use.
class TApplicationRef {
public:
    TApplication* operator->() const { return Get(); }
    operator TApplication*() const { return Get(); }
    static TApplication* Get();
};
extern TApplicationRef Application;

// Frees the application object's forms and components (OnClose is not involved; OnDestroy fires).
// The program calls it after Run returns; afterwards the application is no longer terminated and can
// run again.
void DoneApplication();
