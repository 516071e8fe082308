#include "app/TSystemServices.h"

#include "app/Unit1.h"
#include "platform/rtl/Files.h"
#include "platform/sys/Desktop.h"

#include <utility>

void TLocalSystemServices::RunTool(TForm1& Window, const std::string& CommandLine)
{
    // Tools look for their companions in the work folder; without one they run where we were started.
    const std::string folder = DirectoryExists(Window.WorkFolder) ? Window.WorkFolder : std::string();
    TRunControl& runs = Window.RunControl();
    if (runs.RunTool(CommandLine, TToolKind::Identify, folder))
        runs.WaitForTool();
}

std::vector<TOpticalVolume> TLocalSystemServices::OpticalVolumes()
{
    return GetOpticalVolumes();
}

std::unique_ptr<TVolumeWatcher> TLocalSystemServices::WatchVolumes(TVolumeWatcher::TChangeEvent OnChange)
{
    return std::make_unique<TVolumeWatcher>(std::move(OnChange));
}

bool TLocalSystemServices::OpenWithDesktop(const std::string& Target, std::function<void(unsigned ExitCode)> OnEnded)
{
    return ::OpenWithDesktop(Target, std::move(OnEnded));
}

bool TLocalSystemServices::Eject(const std::string& RootPath)
{
    return TCdromEjector().Eject(RootPath);
}
