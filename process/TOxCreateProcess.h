#pragma once
// The console-process runner: a non-visual component that starts one child program at a time, hands
// its output to the GUI thread line by line (OnRead), takes text for its standard input (Write,
// WriteLn) and reports its end exactly once, after the last line (OnTerminate).
//
// All public operations and all events run on the GUI thread; the reader and console threads only
// fill buffers and post to a hidden window, so the events arrive while the GUI thread processes
// messages. The command line is split into an argument vector by SplitCommandLine; no shell ever
// runs. Every child leads a process group of its own, so Terminate and Interrupt reach whatever it
// started too, and nothing else.
//
// Exit codes: the child's exit status; for a child killed by a signal 128 + the signal number, except
// after Terminate, which reports 0.
#include "platform/rtl/TStringList.h"
#include "platform/rtl/Types.h"
#include "platform/sys/Spawn.h"
#include "platform/vcl/TComponent.h"
#include "process/TOxReader.h"

#include <functional>
#include <memory>
#include <string>

class TOxWaitForProcessThread;
class TOxConsoleThread;

enum TOxConsoleOption { coOwnerData, coRedirect, coSeparateError };
using TOxConsoleOptions = TSet<TOxConsoleOption>;

enum TOxProcessPriority { ppIdle, ppNormal, ppHigh, ppRealTime };

// Creation flags of the original system. Kept so stored forms read back; on Linux every child gets a
// process group of its own anyway, and the others have no counterpart and change nothing.
enum TOxCPSFlag { cfDefaultErrorMode, cfNewConsole, cfNewProcGroup, cfSeparateWdm, cfSharedWdm, cfSuspended, cfUnicode, cfDetached };
using TOxCPSFlags = TSet<TOxCPSFlag>;

enum TOxCPSShowWindow { swHide, swMinimize, swMaximize, swNormal };

using TOxCPSTerminateEvent = std::function<void(TObject* Sender, DWORD ExitCode)>;

// Window settings of the child. Console tools get no window here, so these are only kept (and
// copied by Assign) for the stored forms that set them.
class TOxCPSStartupInfo : public TPersistent {
public:
    const std::string& Desktop() const { return FDesktop; }
    void SetDesktop(const std::string& Value) { FDesktop = Value; }
    const std::string& Title() const { return FTitle; }
    void SetTitle(const std::string& Value) { FTitle = Value; }
    int Left() const { return FLeft; }
    void SetLeft(int Value) { FLeft = Value; }
    int Top() const { return FTop; }
    void SetTop(int Value) { FTop = Value; }
    bool DefaultPosition() const { return FDefaultPosition; }
    void SetDefaultPosition(bool Value) { FDefaultPosition = Value; }
    int Width() const { return FWidth; }
    void SetWidth(int Value) { FWidth = Value; }
    int Height() const { return FHeight; }
    void SetHeight(int Value) { FHeight = Value; }
    bool DefaultSize() const { return FDefaultSize; }
    void SetDefaultSize(bool Value) { FDefaultSize = Value; }
    TOxCPSShowWindow ShowWindow() const { return FShowWindow; }
    void SetShowWindow(TOxCPSShowWindow Value) { FShowWindow = Value; }
    bool DefaultWindowState() const { return FDefaultWindowState; }
    void SetDefaultWindowState(bool Value) { FDefaultWindowState = Value; }
    bool ForceOnFeedback() const { return FForceOnFeedback; }
    void SetForceOnFeedback(bool Value) { FForceOnFeedback = Value; }
    bool ForceOffFeedback() const { return FForceOffFeedback; }
    void SetForceOffFeedback(bool Value) { FForceOffFeedback = Value; }

protected:
    void AssignTo(TPersistent* Dest) override;

private:
    std::string FDesktop;
    std::string FTitle;
    int FLeft = 0;
    int FTop = 0;
    bool FDefaultPosition = true;
    int FWidth = 0;
    int FHeight = 0;
    bool FDefaultSize = true;
    TOxCPSShowWindow FShowWindow = swNormal;
    bool FDefaultWindowState = true;
    bool FForceOnFeedback = false;
    bool FForceOffFeedback = false;
};

// The component library's common base of the extension components; it adds nothing.
class TOxComponent : public TComponent {
public:
    using TComponent::TComponent;
};

class TOxCreateProcess : public TOxComponent {
public:
    explicit TOxCreateProcess(TComponent* AOwner);
    // Detaches from a running child (StopWaiting) and leaves it running.
    ~TOxCreateProcess() override;

    // Published properties.
    const std::string& ApplicationName() const { return FApplicationName; }
    void SetApplicationName(const std::string& Value) { FApplicationName = Value; }
    const std::string& CommandLine() const { return FCommandLine; }
    void SetCommandLine(const std::string& Value) { FCommandLine = Value; }
    TOxCPSFlags CreationFlags() const { return FCreationFlags; }
    void SetCreationFlags(TOxCPSFlags Value) { FCreationFlags = Value; }
    const std::string& CurrentDirectory() const { return FCurrentDirectory; }
    void SetCurrentDirectory(const std::string& Value) { FCurrentDirectory = Value; }
    TStrings* Environment() { return &FEnvironment; }
    void SetEnvironment(const TStrings* Value);
    TOxProcessPriority Priority() const { return FPriority; }
    void SetPriority(TOxProcessPriority Value) { FPriority = Value; }
    TOxCPSStartupInfo* StartupInfo() { return &FStartupInfo; }
    void SetStartupInfo(TOxCPSStartupInfo* Value);
    bool WaitForTerminate() const { return FWaitForTerminate; }
    // Raises "Cannot perform this operation when process is running" while a child is watched.
    void SetWaitForTerminate(bool Value);
    TOxConsoleOptions ConsoleOptions() const { return FConsoleOptions; }
    void SetConsoleOptions(TOxConsoleOptions Value) { FConsoleOptions = Value; }

    TOxCPSTerminateEvent OnTerminate;
    // Line events of standard output, and raw chunks (what they carry: TOxReader.h).
    TOxCPSReadEvent OnRead;
    TOxCPSRawReadEvent OnRawRead;
    // The same for the separate standard-error pipe (coSeparateError).
    TOxCPSReadEvent OnErrorRead;
    TOxCPSRawReadEvent OnErrorRawRead;

    // Starts the child. Raises EOxException while a child is still watched, EOSError when the program
    // cannot be started (the component stays ready, and no descriptor or thread is left behind), and
    // EOxBaseError for an empty Environment line.
    void Run();
    // Ends the child and its process group at once (SIGKILL); OnTerminate then reports exit code 0.
    // Raises "Process is not running" when no child is there.
    void Terminate();
    // Asks the child and its process group to stop (SIGINT), as Ctrl+C in a terminal would: the
    // encoders finish their files. False when no child is there.
    bool Interrupt();
    // Detaches from a watched child without any further events; the child keeps running.
    void StopWaiting();
    // Queues S for the child's standard input. False without coRedirect, when nothing runs, when the
    // child has closed its input, or when S does not fit the 1024-byte queue (nothing is queued then).
    bool Write(const std::string& S);
    bool WriteLn(const std::string& S) { return Write(S + "\r\n"); }

    // The hidden window the threads post to; made on first use.
    HWND Handle();
    DWORD ExitCode() const { return FExitCode; }
    // True while a child is watched (between Run and OnTerminate).
    bool Waiting() const { return FState == TState::Waiting; }
    // The running child's process id, 0 when none.
    pid_t ProcessId() const { return FChild.Pid(); }
    TOxReader* ConsoleReader() { return FConsoleReader.get(); }
    TOxReader* ErrorReader() { return FErrorReader.get(); }

private:
    enum class TState { Ready, Running, Waiting };

    void WndProc(TMessage& Message);
    void GotoReadyState();
    void GotoRunningState();
    void GotoWaitState(int ThreadCount);
    void CheckNotWaiting() const;
    void CheckRunning() const;
    void CloseProcessHandles();
    void ThreadDone(WPARAM Kind);
    void WaitThreadTerminated();
    void DecRunningThreadCount();

    std::string FApplicationName;
    std::string FCommandLine;
    TOxCPSFlags FCreationFlags;
    std::string FCurrentDirectory;
    TStringList FEnvironment;
    TOxProcessPriority FPriority = ppNormal;
    TOxCPSStartupInfo FStartupInfo;
    bool FWaitForTerminate = true;
    TOxConsoleOptions FConsoleOptions{coOwnerData};

    TState FState = TState::Ready;
    TChildProcess FChild;
    bool FTerminateCalled = false;
    std::unique_ptr<TOxWaitForProcessThread> FWaitThread;
    std::unique_ptr<TOxReader> FConsoleReader;
    std::unique_ptr<TOxReader> FErrorReader;
    HWND FHandle = 0;
    DWORD FExitCode = 0;
    int FRunningThreadCount = 0;
    // Numbers each run; every message of a run carries it, so late messages of an earlier run (after
    // StopWaiting) are recognised and ignored.
    LPARAM FSerial = 0;
};

// Registers TOxCreateProcess and its published properties with the class registry (stored forms
// create it by name). Called by the form units that use it; calling it again does nothing.
void RegisterOxCreateProcess();
