// libFuzzer entry point for the identification of a video file: the fuzzer's bytes are what the
// player printed about the file, line by line. Whatever it printed, the record is made without a
// crash, a hang or a sanitizer report.
#include "FuzzForm.h"

#include "platform/rtl/Exceptions.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TForm1& form = fuzzform::FreshForm(fuzzform::Lines(data, size));
    try {
        form.IdentifyVideoFile("/nonexistent/clip of \"ours\".avi");
    } catch (const Exception&) {
    }
    return 0;
}
