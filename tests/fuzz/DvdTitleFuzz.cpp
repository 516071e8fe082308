// libFuzzer entry point for the DVD title scan: the fuzzer's bytes are what the player printed about
// a disc (and about each title it is asked for a second time). The title table and the records of
// the titles worth converting are made without a crash, a hang or a sanitizer report.
#include "FuzzForm.h"

#include "platform/rtl/Exceptions.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TForm1& form = fuzzform::FreshForm(fuzzform::Lines(data, size));
    // Short titles count too, so that the import of titles is reached with short reports.
    form.RunState.MinTitleLength = 0;
    try {
        form.IdentifyDvd("/nonexistent/HOLIDAY", "Holiday");
    } catch (const Exception&) {
    }
    return 0;
}
