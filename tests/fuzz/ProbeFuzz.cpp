// libFuzzer entry point for the output judge's readers of the probing tool: the fuzzer's bytes are what
// the tool printed about a finished part. A stand-in tool (a script put first on PATH) prints them for
// the file it is asked about, both when started for one file and when started ahead and handed the file's
// name on its input, so the judge reads them through its own runs of the tool. Both runs must report
// the same; the lines are also read as the player's identify report. A crash, a hang or a sanitizer
// report is a finding.
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "FuzzForm.h"

#include "app/om_judge.h"

namespace {

// The scratch folder with the stand-in tool in it, first on PATH; the data file lies beside it.
const std::string& StandInFolder()
{
    static const std::string folder = [] {
        const auto dir = std::filesystem::temp_directory_path() / ("ombrix-fuzz-probe-" + std::to_string(getpid()));
        std::filesystem::create_directories(dir);
        const std::string tool = (dir / "ffprobe").string();
        // Its last argument names the file ("file:<path>"), or says the name comes on its input as the
        // one entry of a list ("file 'file:<path>'").
        std::ofstream(tool) << "#!/bin/sh\n"
                               "for last; do :; done\n"
                               "case \"$last\" in\n"
                               "pipe:0) read -r entry; path=${entry#file \\'file:}; exec cat -- \"${path%\\'}\" ;;\n"
                               "file:*) exec cat -- \"${last#file:}\" ;;\n"
                               "esac\n"
                               "exit 1\n";
        chmod(tool.c_str(), 0755);
        const char* path = std::getenv("PATH");
        setenv("PATH", (dir.string() + ":" + (path ? path : "/usr/bin:/bin")).c_str(), 1);
        return dir.string();
    }();
    return folder;
}

bool Same(double A, double B)
{
    return A == B || (std::isnan(A) && std::isnan(B));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // The tool is looked for in the work folder first: the scratch HOME has none.
    (void)fuzzform::Form();
    const std::string file = StandInFolder() + "/part.mkv";
    std::ofstream(file, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    const auto serve = [] { return true; };
    TMediaReport probed;
    if (!ProbeOutput(file, probed, serve, 10000))
        __builtin_trap();
    TStandbyProbe standby;
    TMediaReport handed;
    if (!standby.Start(StandInFolder()) || !standby.Report(file, handed, serve, 10000))
        __builtin_trap();
    if (probed.Video != handed.Video || probed.Audio != handed.Audio || !Same(probed.Length, handed.Length) ||
        !Same(probed.AudioLength, handed.AudioLength))
        __builtin_trap();
    (void)JudgeOutput(probed, 60, true, 0.5);
    TMediaReport report;
    for (const std::string& line : fuzzform::Lines(data, size))
        ReadReportLine(report, line);
    (void)JudgeOutput(report, report.Length, report.Audio);
    return 0;
}
