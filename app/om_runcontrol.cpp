#include "app/om_runcontrol.h"

#include <chrono>
#include <csignal>
#include <functional>
#include <thread>

#include <fcntl.h>
#include <linux/cdrom.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include "app/om_runstate.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Strings.h"
#include "platform/sys/CommandLine.h"
#include "platform/sys/Spawn.h"
#include "platform/sys/Volumes.h"
#include "platform/vcl/TApplication.h"
#include "platform/win/MessageQueue.h"
#include "process/TOxCreateProcess.h"

void ServeUntil(const std::function<bool()>& Done, int Ms)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(Ms);
    while (!Done() && !Application->Terminated()) {
        Application->ProcessMessages();
        if (Done())
            break;
        long long left = 50;
        if (Ms >= 0) {
            left = std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now()).count();
            if (left <= 0)
                break;
        }
        // Sleeps in the message wait: a posted message (a tool's line or end) wakes it at once.
        WaitMessage(static_cast<int>(left < 50 ? left : 50));
    }
}

namespace {

std::string WithoutSlash(std::string Path)
{
    while (Path.size() > 1 && Path.back() == '/')
        Path.pop_back();
    return Path;
}

} // namespace

std::string CommandTool(const std::string& CommandLine)
{
    const std::vector<std::string> args = SplitCommandLine(CommandLine);
    if (args.empty())
        return std::string();
    std::string tool = args[0];
    if (const std::size_t slash = tool.rfind('/'); slash != std::string::npos)
        tool = tool.substr(slash + 1);
    if (tool.size() > 4 && LowerCase(tool.substr(tool.size() - 4)) == ".exe")
        tool.resize(tool.size() - 4);
    return tool;
}

bool TCdromEjector::Eject(const std::string& RootPath)
{
    const std::string root = WithoutSlash(RootPath);
    if (root.empty())
        return false;
    std::string device;
    for (const TOpticalVolume& v : GetOpticalVolumes()) {
        if (!v.RootPath.empty() && WithoutSlash(v.RootPath) == root)
            device = v.Device;
    }
    if (device.empty())
        return false;
    // The door of a mounted disc stays locked; the system's umount tool releases it (no shell runs).
    try {
        TSpawnRequest request;
        request.Program = "umount";
        request.Args = {"umount", root};
        TChildProcess child = SpawnProcess(request);
        child.PeekStatus(true);
        child.Reap();
    } catch (const Exception&) {
        // No umount tool: the ioctl below says whether the drive lets go.
    }
    // O_NONBLOCK: an empty or open drive must not make the open wait for a medium.
    const int fd = ::open(device.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool ok = ::ioctl(fd, CDROMEJECT, 0) == 0;
    ::close(fd);
    return ok;
}

TRunControl::TRunControl(TOxCreateProcess& Runner, TRunState& State) : FRunner(Runner), FState(State) {}

bool TRunControl::RunTool(const std::string& CommandLine, TToolKind Kind, const std::string& Directory)
{
    FStartFailed = false;
    FKind = Kind;
    FState.ToolRunning = -1;
    FRunner.SetCommandLine(CommandLine);
    FRunner.SetCurrentDirectory(Directory);
    try {
        FRunner.Run();
    } catch (const Exception&) {
        // Left set, the flag would hold every later wait and the scan timer for ever.
        FState.ToolRunning = 0;
        FState.GrabMode = 0;
        FState.Scanning = 0;
        FKind = TToolKind::None;
        FStartFailed = true;
        if (OnStatus)
            OnStatus("could not start " + CommandTool(CommandLine));
        return false;
    }
    return true;
}

void TRunControl::WaitForTool()
{
    WaitForTool(TToolWatch());
}

bool TRunControl::WaitForTool(const TToolWatch& Watch)
{
    using Clock = std::chrono::steady_clock;
    std::string mark = Watch.Mark ? Watch.Mark() : std::string();
    auto moved = Clock::now();
    bool ended = false;
    while (FState.ToolRunning != 0 && !Application->Terminated()) {
        if (Watch.Mark && FRunner.Waiting()) {
            if (const std::string now = Watch.Mark(); now != mark) {
                mark = now;
                moved = Clock::now();
            }
            const int limit = Watch.SaidEnd && Watch.SaidEnd() ? Watch.AfterEndMs : Watch.QuietMs;
            if (Clock::now() - moved > std::chrono::milliseconds(limit)) {
                // The encoders close their file on an interrupt; one that does not answer is killed.
                ended = true;
                FRunner.Interrupt();
                ServeUntil([this] { return !FRunner.Waiting(); }, 3000);
                KillTools();
                moved = Clock::now();
            }
        }
        Application->ProcessMessages();
        if (FState.ToolRunning == 0 || Application->Terminated())
            break;
        // Nothing watched and nothing left to deliver: no end report can come any more.
        if (!FRunner.Waiting() && !HasPendingMessages()) {
            FState.ToolRunning = 0;
            break;
        }
        const auto served = Clock::now();
        WaitMessage(100);
        // An encoder prints a line for every picture, and each one would wake this loop (thousands
        // a second): what comes within the pace is served in one go, the window still every PaceMs.
        const auto waited = Clock::now() - served;
        if (Watch.PaceMs > 0 && waited < std::chrono::milliseconds(Watch.PaceMs) && FRunner.Waiting())
            std::this_thread::sleep_for(std::chrono::milliseconds(Watch.PaceMs) - waited);
    }
    if (!FRunner.Waiting())
        FKind = TToolKind::None;
    return ended;
}

void TRunControl::KillTools(int TimeoutMs)
{
    if (!FRunner.Waiting())
        return;
    const pid_t pid = FRunner.ProcessId();
    // The child leads its own process group and stays unreaped until the runner reports its end, so
    // the group id is still its own: nothing of another program can be hit.
    if (pid > 0)
        ::kill(-pid, SIGTERM);
    ServeUntil([this] { return !FRunner.Waiting() || FRunner.ProcessId() == 0; }, TimeoutMs);
    if (FRunner.Waiting() && FRunner.ProcessId() > 0) {
        try {
            FRunner.Terminate();
        } catch (const Exception&) {
            // It ended between the look and the kill.
        }
    }
    ServeUntil([this] { return !FRunner.Waiting(); }, TimeoutMs);
}

void TRunControl::Stop()
{
    FState.AbortRequested = -1;
    FState.SkipRequested = -1;
    if (!FRunner.Waiting())
        return;
    FRunner.Interrupt();
    ServeUntil([this] { return !FRunner.Waiting(); }, 1000);
    KillTools();
}

void TRunControl::Skip()
{
    FState.SkipRequested = -1;
    if (FRunner.Waiting())
        FRunner.Interrupt();
}

TToolKind TRunControl::RunningKind() const
{
    return FRunner.Waiting() ? FKind : TToolKind::None;
}

unsigned long TRunControl::LastExitCode() const
{
    return FRunner.ExitCode();
}
