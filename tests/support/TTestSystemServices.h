#pragma once
// The system as a test or benchmark hands it to the main window: the machine's own services, except
// where the test says otherwise. A tool run can be answered by the test (usually with a recorded
// report fed to the window's line handler), the drive list can be the test's own, and the volume
// watcher can read a mount table the test writes.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/TSystemServices.h"
#include "app/Unit1.h"

class TTestSystemServices : public TLocalSystemServices {
public:
    // Answers every tool run in place of the tool; the run then counts as running while it answers.
    // Runs are answered one after another, never ahead.
    std::function<void(const std::string& CommandLine)> OnRunTool;
    // The drive list; the machine's own when empty.
    std::function<std::vector<TOpticalVolume>()> OnListVolumes;
    // Where the volume watcher looks, and how often.
    TVolumeSources VolumeSources;
    int VolumeRescanMs = 2000;

    void RunTool(TForm1& Window, const std::string& CommandLine) override
    {
        if (!OnRunTool) {
            TLocalSystemServices::RunTool(Window, CommandLine);
            return;
        }
        Window.RunState.ToolRunning = -1;
        OnRunTool(CommandLine);
        Window.RunState.ToolRunning = 0;
    }
    bool RunsToolsAhead() const override { return !OnRunTool; }
    std::vector<TOpticalVolume> OpticalVolumes() override
    {
        return OnListVolumes ? OnListVolumes() : TLocalSystemServices::OpticalVolumes();
    }
    std::unique_ptr<TVolumeWatcher> WatchVolumes(TVolumeWatcher::TChangeEvent OnChange) override
    {
        return std::make_unique<TVolumeWatcher>(std::move(OnChange), VolumeSources, VolumeRescanMs);
    }
};
