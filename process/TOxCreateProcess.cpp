#include "process/TOxCreateProcess.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Strings.h"
#include "platform/sys/CommandLine.h"
#include "platform/sys/Folders.h"
#include "platform/sys/TOwnedFd.h"
#include "platform/win/MessageQueue.h"
#include "platform/vcl/TApplication.h"
#include "platform/vcl/TypInfo.h"
#include "platform/win/Window.h"
#include "process/OxUtils.h"
#include "process/TOxConsoleThread.h"
#include "process/TOxReadThread.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>

namespace {

// Which thread a CM_THREADDONE comes from.
constexpr WPARAM kWaitThread = 0;
constexpr WPARAM kConsoleReader = 1;
constexpr WPARAM kErrorReader = 2;

int MakePipeEnd(int (&fds)[2])
{
    MakePipe(fds);
    return fds[0];
}

struct TPipe {
    int fds[2] = {-1, -1};
    // Closed when Run leaves, unless handed on to a reader or the console thread.
    TOwnedFd read{MakePipeEnd(fds)};
    TOwnedFd write{fds[1]};
};

std::string AbsolutePath(const std::string& path)
{
    if (path.empty() || path[0] == '/') {
        return path;
    }
    char cwd[4096];
    return getcwd(cwd, sizeof cwd) ? std::string(cwd) + "/" + path : path;
}

} // namespace

void TOxCPSStartupInfo::AssignTo(TPersistent* Dest)
{
    if (auto* d = dynamic_cast<TOxCPSStartupInfo*>(Dest)) {
        *d = *this;
        return;
    }
    TPersistent::AssignTo(Dest);
}

TOxCreateProcess::TOxCreateProcess(TComponent* AOwner)
    : TOxComponent(AOwner),
      FConsoleReader(std::make_unique<TOxReader>(this, OnRead, OnRawRead)),
      FErrorReader(std::make_unique<TOxReader>(this, OnErrorRead, OnErrorRawRead))
{
    // A write to a child that has closed its input must fail with EPIPE, not end the program.
    IgnoreSigPipe();
}

TOxCreateProcess::~TOxCreateProcess()
{
    StopWaiting();
    FConsoleReader.reset();
    FErrorReader.reset();
    CloseProcessHandles();
    if (FHandle) {
        DeallocateHWndEx(FHandle);
        FHandle = 0;
    }
}

void TOxCreateProcess::SetEnvironment(const TStrings* Value)
{
    if (Value == &FEnvironment) {
        return;
    }
    FEnvironment.Clear();
    if (Value) {
        FEnvironment.AddStrings(*Value);
    }
}

void TOxCreateProcess::SetStartupInfo(TOxCPSStartupInfo* Value)
{
    if (Value && Value != &FStartupInfo) {
        FStartupInfo.Assign(Value);
    }
}

void TOxCreateProcess::SetWaitForTerminate(bool Value)
{
    GotoReadyState();
    FWaitForTerminate = Value;
}

HWND TOxCreateProcess::Handle()
{
    if (!FHandle) {
        FHandle = AllocateHWndEx([this](TMessage& m) { WndProc(m); });
    }
    return FHandle;
}

void TOxCreateProcess::CheckNotWaiting() const
{
    if (FState == TState::Waiting && FRunningThreadCount >= 1) {
        throw EOxException(SCannotPerformWhenRunning);
    }
}

void TOxCreateProcess::CheckRunning() const
{
    if (FState == TState::Ready) {
        throw EOxException(SProcessNotRunning);
    }
}

void TOxCreateProcess::GotoReadyState()
{
    CheckNotWaiting();
    FState = TState::Ready;
    CloseProcessHandles();
    FRunningThreadCount = 0;
}

void TOxCreateProcess::GotoRunningState()
{
    CheckNotWaiting();
    FState = TState::Running;
}

void TOxCreateProcess::GotoWaitState(int ThreadCount)
{
    CheckNotWaiting();
    FState = TState::Waiting;
    FRunningThreadCount = ThreadCount;
}

void TOxCreateProcess::CloseProcessHandles()
{
    if (!FChild.Assigned()) {
        return;
    }
    // A child that has ended is reaped now; one still running (given up by StopWaiting, or started
    // without watching) is collected in the background when it ends.
    if (FChild.HasEnded()) {
        FChild.Reap();
    } else {
        FChild.Release();
    }
}

void TOxCreateProcess::Run()
{
    GotoReadyState();
    FExitCode = 0;
    FTerminateCalled = false;

    std::vector<std::string> args = SplitCommandLine(FCommandLine);
    std::string program = Trim(FApplicationName);
    if (program.empty() && !args.empty()) {
        program = args[0];
    }
    if (args.empty()) {
        args.push_back(program);
    }
    const std::string tool = FindConsoleTool(program);
    if (tool.empty()) {
        RaiseOSError(ENOENT, program);
    }

    TSpawnRequest request;
    request.Program = AbsolutePath(tool);
    request.Args = std::move(args);
    request.Directory = Trim(FCurrentDirectory);
    if (FEnvironment.Count() > 0) {
        StringsToMultiSz(FEnvironment); // raises for an empty line, before anything starts
        for (int i = 0; i < FEnvironment.Count(); ++i) {
            request.Environment.push_back(FEnvironment.Strings(i));
        }
    }
    // Only lowering is possible without privileges; the higher classes run at normal priority.
    request.Nice = FPriority == ppIdle ? 19 : 0;
    // A tool left behind by a program that was killed would go on writing (or spinning) on its own.
    request.EndWithParent = true;

    const bool redirect = FConsoleOptions.Contains(coRedirect);
    const bool separateError = FConsoleOptions.Contains(coSeparateError);
    std::unique_ptr<TPipe> out, err, in;
    if (redirect) {
        out = std::make_unique<TPipe>();
        in = std::make_unique<TPipe>();
        request.StdIn = in->read.Get();
        request.StdOut = out->write.Get();
        if (separateError) {
            err = std::make_unique<TPipe>();
            request.StdErr = err->write.Get();
        } else {
            // Standard error shares the output pipe, so both arrive in the order they were written.
            request.StdErr = out->write.Get();
        }
    }
    HWND wnd = Handle();
    // Raises when the program cannot be started; the pipes close on the way out.
    FChild = SpawnProcess(request);
    ++FSerial;

    if (redirect) {
        GotoWaitState(separateError ? 3 : 2);
        auto console = std::make_unique<TOxConsoleThread>(FChild.PidFd(), in->write.Release(), wnd, kWaitThread, FSerial);
        console->Start();
        FWaitThread = std::move(console);
        FConsoleReader->StartRead(out->read.Release(), wnd, kConsoleReader, FSerial);
        if (separateError) {
            FErrorReader->StartRead(err->read.Release(), wnd, kErrorReader, FSerial);
        }
    } else if (FWaitForTerminate) {
        GotoWaitState(1);
        FWaitThread = std::make_unique<TOxWaitForProcessThread>(FChild.PidFd(), wnd, kWaitThread, FSerial);
        FWaitThread->Start();
    } else {
        GotoRunningState();
    }
    // The child's ends of the pipes (still in out/in/err) close here: from now on only the child
    // holds them, so the readers see end of file when it and its descendants are done.
}

void TOxCreateProcess::Terminate()
{
    CheckRunning();
    if (!FChild.Assigned()) {
        throw EOxException(SProcessNotRunning);
    }
    FTerminateCalled = true;
    // Through the pidfd and the group of an unreaped child: never another process that reused the id.
    FChild.SignalGroup(SIGKILL);
}

bool TOxCreateProcess::Interrupt()
{
    if (FState == TState::Ready || !FChild.Assigned()) {
        return false;
    }
    return FChild.SignalGroup(SIGINT);
}

void TOxCreateProcess::StopWaiting()
{
    if (FState != TState::Waiting) {
        return;
    }
    if (FWaitThread) {
        FWaitThread->OnTerminate = nullptr;
        FWaitThread->TerminateThread();
        FWaitThread->Join();
        FWaitThread.reset();
    }
    FConsoleReader->CloseRead();
    FErrorReader->CloseRead();
    FRunningThreadCount = 0;
    GotoReadyState();
}

bool TOxCreateProcess::Write(const std::string& S)
{
    auto* console = dynamic_cast<TOxConsoleThread*>(FWaitThread.get());
    return console ? console->Write(S) : false;
}

void TOxCreateProcess::WndProc(TMessage& Message)
{
    try {
        switch (Message.Msg) {
        case CM_READ:
            if (Message.LParam == FSerial) {
                reinterpret_cast<TOxReader*>(Message.WParam)->HandleReadEvent();
            }
            break;
        case CM_THREADDONE:
            if (Message.LParam == FSerial) {
                ThreadDone(Message.WParam);
            }
            break;
        case CM_THREADTERMINATED:
            if (Message.LParam == FSerial) {
                DecRunningThreadCount();
            }
            break;
        default:
            Message.Result = DefWindowProc(FHandle, Message.Msg, Message.WParam, Message.LParam);
            break;
        }
    } catch (...) {
        // An event handler's exception is reported like any other and never stops the runner.
        Message.Result = 0;
        Application->HandleException(this);
    }
}

void TOxCreateProcess::ThreadDone(WPARAM Kind)
{
    switch (Kind) {
    case kWaitThread:
        if (FWaitThread) {
            WaitThreadTerminated();
        }
        break;
    case kConsoleReader:
    case kErrorReader: {
        TOxReader* reader = Kind == kConsoleReader ? FConsoleReader.get() : FErrorReader.get();
        if (!reader->ThreadTerminated()) {
            // A line handler of this reader is still running further up the stack: come back later.
            PostMessage(FHandle, CM_THREADDONE, Kind, FSerial);
        }
        break;
    }
    default:
        break;
    }
}

void TOxCreateProcess::WaitThreadTerminated()
{
    FWaitThread->Join();
    const int status = FWaitThread->WaitStatus();
    if (status < 0) {
        FExitCode = kWaitStopped;
    } else if (WIFSIGNALED(status) && FTerminateCalled) {
        FExitCode = 0;
    } else {
        FExitCode = ExitCodeFromStatus(status);
    }
    std::unique_ptr<TOxWaitForProcessThread> done = std::move(FWaitThread);
    if (done->OnTerminate) {
        done->OnTerminate();
    }
    // The child is gone; a grandchild may still hold the output pipe, which must not hold up the end.
    FConsoleReader->ChildEnded();
    FErrorReader->ChildEnded();
    PostMessage(FHandle, CM_THREADTERMINATED, 0, FSerial);
}

void TOxCreateProcess::DecRunningThreadCount()
{
    if (FState != TState::Waiting) {
        return;
    }
    --FRunningThreadCount;
    if (FRunningThreadCount <= 0) {
        FRunningThreadCount = 0;
        GotoReadyState();
        if (OnTerminate) {
            OnTerminate(this, FExitCode);
        }
    }
}

void RegisterOxCreateProcess()
{
    static const bool registered = [] {
        RegisterEnum<TOxConsoleOption>({"coOwnerData", "coRedirect", "coSeparateError"});
        RegisterEnum<TOxProcessPriority>({"ppIdle", "ppNormal", "ppHigh", "ppRealTime"});
        RegisterEnum<TOxCPSFlag>({"cfDefaultErrorMode", "cfNewConsole", "cfNewProcGroup", "cfSeparateWdm", "cfSharedWdm",
            "cfSuspended", "cfUnicode", "cfDetached"});
        RegisterEnum<TOxCPSShowWindow>({"swHide", "swMinimize", "swMaximize", "swNormal"});
        using S = TOxCPSStartupInfo;
        RegisterClass<S, TPersistent>("TOxCPSStartupInfo")
            .Prop("Desktop", &S::Desktop, &S::SetDesktop)
            .Prop("Title", &S::Title, &S::SetTitle)
            .Prop("Left", &S::Left, &S::SetLeft, 0)
            .Prop("Top", &S::Top, &S::SetTop, 0)
            .Prop("DefaultPosition", &S::DefaultPosition, &S::SetDefaultPosition, true)
            .Prop("Width", &S::Width, &S::SetWidth, 0)
            .Prop("Height", &S::Height, &S::SetHeight, 0)
            .Prop("DefaultSize", &S::DefaultSize, &S::SetDefaultSize, true)
            .Prop("ShowWindow", &S::ShowWindow, &S::SetShowWindow, swNormal)
            .Prop("DefaultWindowState", &S::DefaultWindowState, &S::SetDefaultWindowState, true)
            .Prop("ForceOnFeedback", &S::ForceOnFeedback, &S::SetForceOnFeedback, false)
            .Prop("ForceOffFeedback", &S::ForceOffFeedback, &S::SetForceOffFeedback, false);
        using P = TOxCreateProcess;
        RegisterClass<TOxComponent, TComponent>("TOxComponent");
        RegisterClass<P, TOxComponent>("TOxCreateProcess")
            .Prop("ApplicationName", &P::ApplicationName, &P::SetApplicationName)
            .Prop("CommandLine", &P::CommandLine, &P::SetCommandLine)
            .Prop("CreationFlags", &P::CreationFlags, &P::SetCreationFlags, TOxCPSFlags{})
            .Prop("CurrentDirectory", &P::CurrentDirectory, &P::SetCurrentDirectory)
            .Prop("Environment", &P::Environment)
            .Prop("Priority", &P::Priority, &P::SetPriority, ppNormal)
            .Prop("StartupInfo", &P::StartupInfo)
            .Prop("WaitForTerminate", &P::WaitForTerminate, &P::SetWaitForTerminate, true)
            .Prop("ConsoleOptions", &P::ConsoleOptions, &P::SetConsoleOptions, TOxConsoleOptions{coOwnerData})
            .Event("OnTerminate", &P::OnTerminate)
            .Event("OnRead", &P::OnRead)
            .Event("OnRawRead", &P::OnRawRead)
            .Event("OnErrorRead", &P::OnErrorRead)
            .Event("OnErrorRawRead", &P::OnErrorRawRead);
        return true;
    }();
    (void)registered;
}
