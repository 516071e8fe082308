#include "bench/support/RecordingWindow.h"

#include <vector>

#include "app/AppClasses.h"
#include "app/Unit1.h"
#include "process/TOxCreateProcess.h"

std::unique_ptr<TForm1> MakeRecordingWindow(std::function<void(TForm1&)> Recorded)
{
    RegisterAppClasses();
    auto form = std::make_unique<TForm1>(nullptr);
    form->OnListVolumes = [] { return std::vector<TOpticalVolume>{}; };
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
