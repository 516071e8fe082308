// libFuzzer entry point for the progress reader: the fuzzer's bytes are what an encoder printed while
// it ran. Each line goes through the window's line handler, and the progress display reads the last
// progress line as its timer does, without a crash, a hang or a sanitizer report.
#include "FuzzForm.h"

#include "app/om_progress.h"
#include "platform/rtl/Exceptions.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::vector<std::string> lines = fuzzform::Lines(data, size);
    TForm1& form = fuzzform::FreshForm({});
    form.RunState.Converting = -1;
    form.RunState.CurrentTotal = 600;
    form.RunState.QueueTotal = 1200;
    try {
        for (const std::string& line : lines) {
            double seconds = 0;
            if (IsProgressLine(line))
                (void)ProgressSeconds(ProgressPositionText(line), seconds);
            form.GetLine(line);
            form.converttimerTimer(nullptr);
        }
    } catch (const Exception&) {
    }
    form.RunState.Converting = 0;
    return 0;
}
