#pragma once
// What the main window asks of the system it runs on: running an identifying tool to its end, the
// optical drives and their comings and goings, a disc's tray, and opening a page, document or folder
// with the desktop. The program hands the window the machine's own services (TLocalSystemServices) when
// it starts; whoever else makes a window hands it the answers it needs.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/om_runcontrol.h"
#include "platform/sys/Volumes.h"

class TForm1;

// The tray and the file manager are the ones the conversion driver takes (Eject, OpenFolder).
class TSystemServices : public IEjector, public ILauncher {
public:
    // Runs an identifying tool to its end on the window's runner; its report reaches the window's line
    // handler as it comes. The tool-running flag of the window's run state stands while it runs.
    virtual void RunTool(TForm1& Window, const std::string& CommandLine) = 0;
    // True when tools may also run side by side, ahead of the one the window waits for (a scan round
    // makes its files' runs beforehand); false when runs can only be answered one after another.
    virtual bool RunsToolsAhead() const = 0;

    // The optical drives: mounted volumes first, then the drives with nothing mounted.
    virtual std::vector<TOpticalVolume> OpticalVolumes() = 0;
    // Watches the drives from another thread; OnChange is called there for a volume that came or went.
    // The watching ends when the watcher is freed.
    virtual std::unique_ptr<TVolumeWatcher> WatchVolumes(TVolumeWatcher::TChangeEvent OnChange) = 0;

    // Opens a page, document or folder in the user's program for it; false when the desktop has no
    // opener at all. OnEnded, when given, gets the opener's exit code once it has ended, on another
    // thread (non-zero: the opener found no program for the target, or failed otherwise).
    virtual bool OpenWithDesktop(const std::string& Target, std::function<void(unsigned ExitCode)> OnEnded = {}) = 0;
    // The destination shown at the end of a queue: whether it could be opened is not the queue's concern.
    void OpenFolder(const std::string& Folder) override { OpenWithDesktop(Folder); }
};

// The machine the program runs on: the window's own runner, the mount table, the drive's eject
// request, xdg-open.
class TLocalSystemServices : public TSystemServices {
public:
    void RunTool(TForm1& Window, const std::string& CommandLine) override;
    bool RunsToolsAhead() const override { return true; }
    std::vector<TOpticalVolume> OpticalVolumes() override;
    std::unique_ptr<TVolumeWatcher> WatchVolumes(TVolumeWatcher::TChangeEvent OnChange) override;
    bool OpenWithDesktop(const std::string& Target, std::function<void(unsigned ExitCode)> OnEnded = {}) override;
    bool Eject(const std::string& RootPath) override;
};
