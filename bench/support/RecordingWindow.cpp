#include "bench/support/RecordingWindow.h"

#include <cstdlib>
#include <filesystem>
#include <vector>

#include "app/AppClasses.h"
#include "app/Unit1.h"
#include "app/om_queue.h"
#include "bench/support/BenchSupport.h"
#include "bench/support/ByHand.h"
#include "platform/vcl/TImage.h"
#include "platform/vcl/TTimer.h"
#include "process/TOxCreateProcess.h"

std::unique_ptr<TForm1> MakeRecordingWindow(TTestSystemServices& System, std::function<void(TForm1&)> Recorded)
{
    RegisterAppClasses();
    System.OnListVolumes = [] { return std::vector<TOpticalVolume>{}; };
    auto form = std::make_unique<TForm1>(nullptr, System);
    form->DoCreate();
    TForm1& window = *form;
    TOxCreateProcess& runner = *window.OxCreateProcess1;
    const auto ended = runner.OnTerminate;
    runner.OnTerminate = [&window, Recorded = std::move(Recorded), ended](TObject* Sender, DWORD ExitCode) {
        Recorded(window);
        if (ended)
            ended(Sender, ExitCode);
    };
    return form;
}

void UseScratchHome(const std::string& Dir)
{
    std::filesystem::create_directories(Dir + "/home");
    setenv("HOME", (Dir + "/home").c_str(), 1);
    unsetenv("XDG_DATA_HOME");
    unsetenv("XDG_CONFIG_HOME");
    setenv("OMBRIX_BACKEND", "headless", 1);
}

void RunByHandAsRecorded(const TToolRun& Run)
{
    if (!Run.StopsAtStatusLine) {
        RunByHand(Run.CommandLine);
        return;
    }
    RunByHand(Run.CommandLine, [](const std::string& Seen) {
        return Seen.find("\nA:") != std::string::npos || Seen.find("\nV:") != std::string::npos;
    });
}

void ForgetThumbnails(const std::string& WorkFolder)
{
    namespace fs = std::filesystem;
    const fs::path temp = fs::path(WorkFolder) / "temp";
    std::error_code ignored;
    fs::remove_all(temp, ignored);
    fs::create_directories(temp, ignored);
}

TRecordingWindow::TRecordingWindow()
{
    Form = MakeRecordingWindow(System, [this](TForm1& Window) {
        // The window ends a player run at its first status line only outside a picture grab.
        Runs.push_back({Window.OxCreateProcess1->CommandLine(), Window.RunState.GrabMode == 0});
    });
    ForgetThumbnails(Form->WorkFolder);
}

double TRecordingWindow::Drop(const std::string& Name)
{
    return SecondsOf([&] {
        Form->DropFiles({Name});
        Form->ScanTimerTimer(Form->ScanTimer);
    });
}

std::string TRecordingWindow::Check(int Expected) const
{
    TOmQueue* queue = Form->Queue;
    if (!queue)
        return "the window has no queue";
    for (int r = 0; r < Expected; ++r) {
        if (!queue->HasRow(r))
            return "no queue row " + std::to_string(r);
        const TImage* picture = queue->RowPicture(r);
        if (!picture || picture->Picture()->Width() <= 0)
            return "queue row " + std::to_string(r) + " has no thumbnail";
    }
    if (queue->HasRow(Expected))
        return "more queue rows than records";
    return "";
}
