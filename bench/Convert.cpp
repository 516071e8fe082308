// Figures of the conversion driver: the same clip converted through the driver and by running the
// same encoder commands by hand, in the same run, for two devices (the ratio is the driver's
// overhead); and the time from a tool printing a progress line to the status gauge showing it.
// Run by hand: build/bench/bench_Convert.
#include "app/AppClasses.h"
#include "app/Unit1.h"
#include "app/om_codecs.h"
#include "app/om_convert.h"
#include "app/om_tables.h"
#include "skin/grids/TskSkinStringGrid.h"
#include "platform/rtl/TStringList.h"
#include "platform/sys/CommandLine.h"
#include "platform/sys/ToolSupport.h"
#include "bench/support/BenchSupport.h"
#include "bench/support/ByHand.h"

#include <benchmark/benchmark.h>

#include <sys/stat.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

const std::string& kDir = BenchFolder();
const std::string kClip = kDir + "/clip.avi";

void PrepareClip()
{
    fs::create_directories(kDir + "/home");
    setenv("HOME", (kDir + "/home").c_str(), 1);
    if (!fs::exists(kClip))
        std::system(("ffmpeg -loglevel error -y -f lavfi -i testsrc=size=640x480:rate=25 -f lavfi -i sine=sample_rate=44100 "
                     "-t 20 -c:v mpeg4 -q:v 3 -c:a mp3 -ac 2 " + kClip).c_str());
    // The tools are asked once per program what they can do; that is not part of a conversion.
    InstalledToolSupport();
}

// A window with the clip as its only source and Device chosen.
std::unique_ptr<TForm1> MakeWindow(const std::string& Device, TConvertOptions& Options)
{
    RegisterAppClasses();
    auto form = std::make_unique<TForm1>(nullptr);
    TOmTables& t = form->Tables();
    TStringList items;
    FillCodecProfiles(*t.codecgrid, *t.devices, items);
    for (int r = 0; r < t.devices->StoredRowCount(); ++r)
        if (t.devices->Cells(DeviceProfile::Name, r) == Device)
            for (int c = 0; c < DeviceTableColumns; ++c)
                t.dq->SetCells(c, 0, t.devices->Cells(c, r));
    TskSkinStringGrid& g = *form->StringGrid1;
    const int row = AppendRow(g);
    const std::pair<int, std::string> cells[] = {
        {SourceRecord::RowId, "00000"}, {SourceRecord::Kind, "VIDEO"}, {SourceRecord::Title, "clip"},
        {SourceRecord::Length, "20.00"}, {SourceRecord::VideoFormat, "FMP4"}, {SourceRecord::VideoCodec, "ffodivx"},
        {SourceRecord::VideoWidth, "640"}, {SourceRecord::VideoHeight, "480"}, {SourceRecord::FrameRate, "25.000"},
        {SourceRecord::SourcePath, kClip}, {SourceRecord::SourceArg, QuoteArg(kClip)}, {SourceRecord::StartSeconds, "0"},
        {SourceRecord::EndSeconds, "20"}, {SourceRecord::SubtitlesOn, "NO"}, {SourceRecord::Selected, "YES"},
        {SourceRecord::RoundedLength, "20"}, {SourceRecord::OutputName, "clip"}, {SourceRecord::DisplayWidth, "640"},
        {SourceRecord::DisplayHeight, "480"}};
    for (const auto& [col, text] : cells)
        g.SetCells(col, row, text);
    fs::remove_all(kDir + "/out");
    fs::create_directories(kDir + "/out");
    Options.Destination = kDir + "/out/";
    Options.Quality = CellInt(t.dq->Cells(DeviceProfile::VideoBitrate, 0)) / 10;
    Options.DeviceText = Device;
    return form;
}

// What ffprobe says of the one file a run left in the output folder: "" when it is a sound conversion of
// the clip (a video and an audio stream, about as long as the clip), else what is wrong.
std::string CheckOutput()
{
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(kDir + "/out"))
        files.push_back(entry.path());
    if (files.size() != 1)
        return std::to_string(files.size()) + " files in the output folder";
    const std::string command = "ffprobe -v error -show_entries format=duration:stream=codec_type -of default=nw=1 " +
                                QuoteArg(files[0].string());
    std::string report;
    if (FILE* probe = popen(command.c_str(), "r")) {
        char buffer[256];
        while (fgets(buffer, sizeof buffer, probe))
            report += buffer;
        pclose(probe);
    }
    const auto at = report.find("duration=");
    const double seconds = at == std::string::npos ? 0 : std::atof(report.c_str() + at + 9);
    if (report.find("codec_type=video") == std::string::npos || report.find("codec_type=audio") == std::string::npos ||
        seconds < 19 || seconds > 21)
        return files[0].filename().string() + " is not the clip converted: " + report;
    return "";
}

// The driver's run against the same commands run by hand; the counter "ratio" is driver / by hand.
void Overhead(benchmark::State& State, const std::string& Device)
{
    PrepareClip();
    double driver = 0;
    double byHand = 0;
    // The two ways take turns going first, so neither always finds the caches warmer.
    bool driverFirst = true;
    std::vector<std::string> commands;
    for (auto _ : State) {
        TConvertOptions options;
        options.ShowCommand = [&commands](const std::string& C) { commands.push_back(C); };
        auto form = MakeWindow(Device, options);
        const auto runDriver = [&] {
            commands.clear();
            fs::remove_all(kDir + "/out");
            fs::create_directories(kDir + "/out");
            const auto t0 = Clock::now();
            ConvertQueue(*form, options);
            driver += std::chrono::duration<double>(Clock::now() - t0).count();
        };
        const auto runByHand = [&] {
            fs::remove_all(kDir + "/out");
            fs::create_directories(kDir + "/out");
            const auto t0 = Clock::now();
            for (const std::string& c : commands) {
                fs::remove(kDir + "/scratch.avi");
                // Every byte the encoder prints is read, as the program reads it, not thrown away.
                for (const std::string& stage : AdaptToInstalledTools(c, kDir + "/scratch.avi", InstalledToolSupport()))
                    RunByHand(stage);
            }
            byHand += std::chrono::duration<double>(Clock::now() - t0).count();
        };
        const auto checked = [&](const char* Who) {
            const std::string fault = CheckOutput();
            if (!fault.empty())
                State.SkipWithError((std::string(Who) + ": " + fault).c_str());
            return fault.empty();
        };
        // The commands of a by-hand turn that goes first are those of the previous turn: the same device and
        // clip give the same ones.
        if (driverFirst) {
            runDriver();
            if (!checked("driver"))
                break;
            runByHand();
            if (!checked("by hand"))
                break;
        } else {
            runByHand();
            if (!checked("by hand"))
                break;
            runDriver();
            if (!checked("driver"))
                break;
        }
        driverFirst = !driverFirst;
        form.reset();
    }
    State.counters["driver_s"] = driver / static_cast<double>(State.iterations());
    State.counters["by_hand_s"] = byHand / static_cast<double>(State.iterations());
    State.counters["ratio"] = byHand > 0 ? driver / byHand : 0;
}

void BM_OverheadWindowsMobile(benchmark::State& State)
{
    Overhead(State, "Windows Mobile");
}
void BM_OverheadIPhone(benchmark::State& State)
{
    Overhead(State, "iPhone / iPod Touch");
}

// A gauge that notes when it is shown a position.
struct TimedGauge : IOmGauge {
    int Position = 0;
    Clock::time_point Shown{};
    std::string ProgressText() const override { return ""; }
    void SetProgressText(const std::string&) override {}
    int MaxValue() const override { return 100; }
    void SetMaxValue(int) override {}
    int Value() const override { return Position; }
    void SetValue(int V) override
    {
        if (V == 7 && Position != 7)
            Shown = Clock::now();
        Position = V;
    }
};

// A stand-in encoder prints one progress line at a random moment of a tick and notes when.
void BM_ProgressLatency(benchmark::State& State)
{
    PrepareClip();
    const std::string bin = kDir + "/bin";
    fs::create_directories(bin);
    const std::string stamp = kDir + "/printed";
    std::ofstream(bin + "/mencoder") << "#!/bin/sh\n"
                                        "out=''; prev=''\n"
                                        "for a in \"$@\"; do [ \"$prev\" = \"-o\" ] && out=\"$a\"; prev=\"$a\"; done\n"
                                        "[ -z \"$out\" ] && exit 0\n"
                                        "/bin/sleep 0.$(( $$ % 9 + 1 ))\n"
                                        "/bin/date +%s.%N > " << stamp << "\n"
                                        "printf 'Pos:   7.0s    175f (35%%)  25.00fps Trem:   0min   0mb  A-V:0.000 [500:128]\\r'\n"
                                        "/bin/sleep 1.5\n"
                                        "printf 'Pos:  20.0s    500f (100%%)  25.00fps Trem:   0min   0mb  A-V:0.000 [500:128]\\n'\n"
                                        "echo x > \"$out\"\n";
    chmod((bin + "/mencoder").c_str(), 0755);
    const std::string savedPath = std::getenv("PATH") ? std::getenv("PATH") : "";
    setenv("PATH", (bin + ":" + savedPath).c_str(), 1);
    double worst = 0;
    double sum = 0;
    for (auto _ : State) {
        TConvertOptions options;
        auto form = MakeWindow("Windows Mobile", options);
        TimedGauge gauge;
        form->status = &gauge;
        ConvertQueue(*form, options);
        std::ifstream in(stamp);
        double printed = 0;
        in >> printed;
        const double shown = std::chrono::duration<double>(gauge.Shown.time_since_epoch()).count();
        // Both clocks on one time line: the wall clock of "date" and the steady clock differ by an offset.
        const double offset = std::chrono::duration<double>(std::chrono::system_clock::now().time_since_epoch()).count() -
                              std::chrono::duration<double>(Clock::now().time_since_epoch()).count();
        const double latency = gauge.Shown == Clock::time_point{} ? -1 : shown + offset - printed;
        worst = std::max(worst, latency);
        sum += latency;
        form->status = nullptr;
        form.reset();
    }
    setenv("PATH", savedPath.c_str(), 1);
    State.counters["latency_avg_s"] = sum / static_cast<double>(State.iterations());
    State.counters["latency_worst_s"] = worst;
}

} // namespace

BENCHMARK(BM_OverheadWindowsMobile)->Iterations(6)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_OverheadIPhone)->Iterations(6)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ProgressLatency)->Iterations(6)->Unit(benchmark::kMillisecond)->UseRealTime();
