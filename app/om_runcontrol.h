#pragma once
// Run control of the console tools: every tool run of the converter goes through RunTool and
// WaitForTool here, so a failed start can never leave the tool-running flag set, and stopping a tool
// only ever reaches the child this program started (never another program's mplayer or ffmpeg).
// The disc tray and the file manager are reached through two small interfaces; the main window hands
// its system services (app/TSystemServices.h) for both, tests may hand their own.
#include <functional>
#include <memory>
#include <string>

class TOxCreateProcess;
struct TRunState;

// What the runner is running, so that a control acts only on a run of its own kind (the preview's
// Stop must not end an encoder that runs while the preview window is open).
enum class TToolKind { None, Identify, Thumbnail, Crop, Encode, Preview };

// Opens the tray of the disc drive whose volume is mounted at a root path.
class IEjector {
public:
    virtual ~IEjector() = default;
    virtual bool Eject(const std::string& RootPath) = 0;
};

// Shows a folder in the user's file manager.
class ILauncher {
public:
    virtual ~ILauncher() = default;
    virtual void OpenFolder(const std::string& Folder) = 0;
};

// The device behind the mount point: unmounted by the system's umount tool when it is mounted, then
// the CDROMEJECT request on the device. False when it is no optical volume or the drive refuses.
class TCdromEjector : public IEjector {
public:
    bool Eject(const std::string& RootPath) override;
};

class TRunControl {
public:
    // The run flags it sets and clears are those of State (the window's own; tests hand one of theirs).
    TRunControl(TOxCreateProcess& Runner, TRunState& State);

    // Sets the tool-running flag, the command and the folder, and starts the tool. When the start
    // fails the flags are cleared again (ToolRunning, GrabMode, Scanning), the status text gets
    // "could not start <tool>" and the result is false: the caller treats the run as failed.
    bool RunTool(const std::string& CommandLine, TToolKind Kind, const std::string& Directory = std::string());

    // Serves the window's messages until the tool has ended (OnTerminate cleared ToolRunning). It sleeps
    // in the message wait with a 100 ms limit instead of spinning. It also returns when the
    // application is terminating, so a closing window is never used after the loop. A flag left set
    // while no child is watched and nothing is queued any more is cleared, so the wait cannot hang.
    void WaitForTool();

    // How a wait tells a tool that no longer works from one that does: Mark changes whenever the tool
    // moves (a line, a file that grows), SaidEnd is true once it has reported its end.
    struct TToolWatch {
        std::function<std::string()> Mark;
        std::function<bool()> SaidEnd;
        int QuietMs = 60000;    // no move for this long: the tool is stuck
        int AfterEndMs = 10000; // still there this long after its end report: it will not exit
        int PaceMs = 0;         // lines coming closer than this are served together (0: each at once)
    };
    // WaitForTool that never waits without bound: a stuck tool, or one that does not exit after its
    // end report, is interrupted and then killed. True when the tool was ended so; its file is then
    // judged as it stands.
    bool WaitForTool(const TToolWatch& Watch);

    // Ends the runner's own child (and its process group): SIGTERM, up to TimeoutMs for it to end,
    // then SIGKILL. Nothing else on the machine is touched. Returns when the end was delivered.
    void KillTools(int TimeoutMs = 2000);

    // Stop: AbortRequested and SkipRequested set, SIGINT to the running tool (the encoders finish a
    // playable file on it), then the tool is ended if it has not stopped within a second.
    void Stop();
    // Skip: SkipRequested set and SIGINT to the running tool; only the current part ends.
    void Skip();

    // The kind of the run in progress (None when nothing runs).
    TToolKind RunningKind() const;
    // The exit code of the last run that ended (the runner's ExitCode).
    unsigned long LastExitCode() const;
    // True when the last RunTool could not start its tool.
    bool LastStartFailed() const { return FStartFailed; }

    TOxCreateProcess& Runner() { return FRunner; }

    // The status text (the window's `status` gauge); may be empty.
    std::function<void(const std::string&)> OnStatus;

private:
    TOxCreateProcess& FRunner;
    TRunState& FState;
    TToolKind FKind = TToolKind::None;
    bool FStartFailed = false;
};

// Serves the window's messages until Done holds, the application terminates or Ms milliseconds have
// passed (a negative Ms: no limit).
void ServeUntil(const std::function<bool()>& Done, int Ms);

// The tool a command line starts ("mencoder" for "\"mencoder\" -o ...").
std::string CommandTool(const std::string& CommandLine);
