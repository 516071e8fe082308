// libFuzzer entry point for the player's console output as the runner hands it over: raw bytes, cut into
// chunks anywhere (inside a line, between CR and LF), turned into line reports by the runner's reader
// and taken by the main window's line handler while it identifies a file or a disc.
//   byte 0: what is identified (even: a video file, odd: a DVD folder);
//   byte 1: n, then n bytes: the chunk sizes, used in turn (1 to 256 bytes each);
//   the rest: what the player printed.
// A crash, a hang or a sanitizer report is a finding.
#include <algorithm>

#include "FuzzForm.h"

#include "platform/rtl/Exceptions.h"
#include "process/TOxReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    const bool disc = data[0] & 1;
    const std::size_t cuts = std::min<std::size_t>(data[1] % 16, size - 2);
    const std::uint8_t* sizes = data + 2;
    const char* output = reinterpret_cast<const char*>(data + 2 + cuts);
    const std::size_t outputSize = size - 2 - cuts;
    TForm1& form = fuzzform::FreshForm({});
    form.RunState.MinTitleLength = 0;
    fuzzform::System().OnRunTool = [&](const std::string&) {
        TOxCreateProcess* runner = form.OxCreateProcess1;
        TOxReader reader(runner, runner->OnRead, runner->OnRawRead);
        std::size_t at = 0;
        for (std::size_t turn = 0; at < outputSize; ++turn) {
            const std::size_t chunk = cuts == 0 ? outputSize : std::min<std::size_t>(sizes[turn % cuts] + 1, outputSize - at);
            reader.ParseReadBuffer(output + at, chunk);
            at += chunk;
        }
    };
    try {
        if (disc)
            form.IdentifyDvd("/nonexistent/HOLIDAY", "Holiday");
        else
            form.IdentifyVideoFile("/nonexistent/clip of \"ours\".avi");
    } catch (const Exception&) {
    }
    return 0;
}
