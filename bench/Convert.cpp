// Figures of the conversion driver: the same clip converted through the driver and by running the
// same encoder commands by hand, in the same run, for a one-step device (Windows Mobile: mencoder alone)
// and a two-step one (iPhone: mencoder, then ffmpeg for the AAC sound); the ratio is the driver's
// overhead. The by-hand side replays every tool run the driver made for the conversion (recorded as it
// made them), reading their output as the program does; the probing run that judges the output file is
// the driver's own cost and is not replayed. Both sides write under the benchmark's own folder, take
// turns going first, and each output is checked with ffprobe. Ratios are per iteration (the two sides
// back to back), reported as median, min and max with the load average: "ratio" by wall time, "cpu_ratio"
// by processor time (this program's and its children's), which a loaded machine disturbs less. The
// argument is the clip's length in seconds: on the 20-second clip the encode takes about a second of
// processor time, so the fixed cost of a tool start weighs more than on the clips people convert.
// Also the time from a tool printing a progress line to the status gauge showing it.
// Run by hand: build/bench/bench_Convert.
#include "app/Unit1.h"
#include "app/om_codecs.h"
#include "app/om_convert.h"
#include "app/om_judge.h"
#include "app/om_tables.h"
#include "skin/grids/TskSkinStringGrid.h"
#include "platform/rtl/TStringList.h"
#include "platform/sys/CommandLine.h"
#include "platform/sys/ToolSupport.h"
#include "platform/vcl/TTimer.h"
#include "process/TOxCreateProcess.h"
#include "bench/support/BenchSupport.h"
#include "bench/support/ByHand.h"
#include "bench/support/RecordingWindow.h"

#include <benchmark/benchmark.h>

#include <sys/resource.h>
#include <sys/stat.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

const std::string& kDir = BenchFolder();

// The clip of Seconds seconds, made once.
std::string PrepareClip(int Seconds)
{
    fs::create_directories(kDir + "/home");
    setenv("HOME", (kDir + "/home").c_str(), 1);
    unsetenv("XDG_DATA_HOME");
    unsetenv("XDG_CONFIG_HOME");
    setenv("OMBRIX_BACKEND", "headless", 1);
    const std::string clip = kDir + "/clip" + std::to_string(Seconds) + "/clip.avi";
    fs::create_directories(fs::path(clip).parent_path());
    if (!fs::exists(clip))
        std::system(("ffmpeg -loglevel error -y -f lavfi -i testsrc=size=640x480:rate=25 -f lavfi -i sine=sample_rate=44100 "
                     "-t " + std::to_string(Seconds) + " -c:v mpeg4 -q:v 3 -c:a mp3 -ac 2 " + clip).c_str());
    // The tools are asked once per program what they can do; that is not part of a conversion.
    InstalledToolSupport();
    return clip;
}

// The program's window as a user has it after dropping the clip: stored form, queue, the clip's record as
// identification made it, Device chosen. Records every tool run it makes from then on.
struct TConvertWindow {
    TTestSystemServices System;
    std::unique_ptr<TForm1> Form;
    std::vector<std::string> Runs;

    TConvertWindow(const std::string& Clip, const std::string& Device, TConvertOptions& Options)
    {
        Form = MakeRecordingWindow(System, [this](TForm1& Window) { Runs.push_back(Window.OxCreateProcess1->CommandLine()); });
        Form->DropFiles({Clip});
        Form->ScanTimerTimer(Form->ScanTimer);
        TOmTables& t = Form->Tables();
        TStringList items;
        FillCodecProfiles(*t.codecgrid, *t.devices, items);
        for (int r = 0; r < t.devices->StoredRowCount(); ++r)
            if (t.devices->Cells(DeviceProfile::Name, r) == Device)
                for (int c = 0; c < DeviceTableColumns; ++c)
                    t.dq->SetCells(c, 0, t.devices->Cells(c, r));
        fs::remove_all(kDir + "/out");
        fs::create_directories(kDir + "/out");
        Options.Destination = kDir + "/out/";
        Options.Quality = CellInt(t.dq->Cells(DeviceProfile::VideoBitrate, 0)) / 10;
        Options.DeviceText = Device;
    }

    // Converts the queue as Start does; Runs holds this conversion's tool runs only.
    void Convert(const TConvertOptions& Options)
    {
        Runs.clear();
        ConvertQueue(*Form, Options);
    }

    // The encoder runs of the last conversion: every run but the judge's.
    std::vector<std::string> EncoderRuns() const
    {
        const std::string judge = ReportCommand("");
        std::vector<std::string> runs;
        for (const std::string& run : Runs)
            if (run.rfind(judge, 0) != 0)
                runs.push_back(run);
        return runs;
    }
};

// What ffprobe says of the one file a run left in the output folder: "" when it is a sound conversion of
// the clip (a video and an audio stream, about as long as the clip), else what is wrong.
std::string CheckOutput(int Seconds)
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
        seconds < Seconds - 1 || seconds > Seconds + 1)
        return files[0].filename().string() + " is not the clip converted: " + report;
    return "";
}

// Wall and processor seconds of Run; the processor time is this program's (every thread) and that of the
// children it reaped meanwhile.
struct TCost {
    double Wall = 0;
    double Cpu = 0;
    double OwnCpu = 0; // this program's share of Cpu
};

double CpuSeconds(bool OwnOnly = false)
{
    double total = 0;
    for (const int who : {RUSAGE_SELF, RUSAGE_CHILDREN}) {
        if (OwnOnly && who == RUSAGE_CHILDREN)
            continue;
        rusage use{};
        getrusage(who, &use);
        total += static_cast<double>(use.ru_utime.tv_sec + use.ru_stime.tv_sec) +
                 static_cast<double>(use.ru_utime.tv_usec + use.ru_stime.tv_usec) / 1e6;
    }
    return total;
}

template <typename F>
TCost CostOf(F&& Run)
{
    const double cpu0 = CpuSeconds();
    const double own0 = CpuSeconds(true);
    const auto t0 = Clock::now();
    Run();
    return {std::chrono::duration<double>(Clock::now() - t0).count(), CpuSeconds() - cpu0, CpuSeconds(true) - own0};
}

// The driver's run against the same commands run by hand.
void Overhead(benchmark::State& State, const std::string& Device)
{
    const int seconds = static_cast<int>(State.range(0));
    const std::string clip = PrepareClip(seconds);
    std::vector<double> driverWall, byHandWall, ratio, cpuRatio, driverCpu, byHandCpu, driverOwnCpu;
    const double loadBefore = LoadAverage();
    // The commands of a by-hand turn that goes first are those of the previous turn (a first, untimed
    // conversion records them): the same device and clip give the same ones.
    std::vector<std::string> commands;
    {
        TConvertOptions options;
        TConvertWindow window(clip, Device, options);
        window.Convert(options);
        if (const std::string fault = CheckOutput(seconds); !fault.empty()) {
            State.SkipWithError(("driver: " + fault).c_str());
            return;
        }
        commands = window.EncoderRuns();
    }
    // The two ways take turns going first, so neither always finds the caches warmer.
    bool driverFirst = true;
    for (auto _ : State) {
        TConvertOptions options;
        TConvertWindow window(clip, Device, options);
        TCost driver, byHand;
        const auto runDriver = [&] {
            fs::remove_all(kDir + "/out");
            fs::create_directories(kDir + "/out");
            driver = CostOf([&] { window.Convert(options); });
        };
        const auto runByHand = [&] {
            fs::remove_all(kDir + "/out");
            fs::create_directories(kDir + "/out");
            byHand = CostOf([&] {
                for (const std::string& c : commands) {
                    // Every byte the encoder prints is read, as the program reads it, not thrown away.
                    RunByHand(c);
                }
            });
        };
        const auto checked = [&](const char* Who) {
            const std::string fault = CheckOutput(seconds);
            if (!fault.empty())
                State.SkipWithError((std::string(Who) + ": " + fault).c_str());
            return fault.empty();
        };
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
        commands = window.EncoderRuns();
        driverWall.push_back(driver.Wall);
        byHandWall.push_back(byHand.Wall);
        ratio.push_back(driver.Wall / byHand.Wall);
        cpuRatio.push_back(driver.Cpu / byHand.Cpu);
        driverCpu.push_back(driver.Cpu);
        byHandCpu.push_back(byHand.Cpu);
        driverOwnCpu.push_back(driver.OwnCpu);
    }
    SetSpreadCounters(State, "driver_s", driverWall);
    SetSpreadCounters(State, "by_hand_s", byHandWall);
    SetSpreadCounters(State, "ratio", ratio);
    SetSpreadCounters(State, "cpu_ratio", cpuRatio);
    SetSpreadCounters(State, "driver_cpu_s", driverCpu);
    SetSpreadCounters(State, "by_hand_cpu_s", byHandCpu);
    SetSpreadCounters(State, "driver_own_cpu_s", driverOwnCpu);
    State.counters["runs_by_hand"] = static_cast<double>(commands.size());
    State.counters["load_before"] = loadBefore;
    State.counters["load_after"] = LoadAverage();
}

void BM_OverheadWindowsMobile(benchmark::State& State)
{
    Overhead(State, "Windows Mobile");
}
void BM_OverheadIPhone(benchmark::State& State)
{
    Overhead(State, "iPhone / iPod Touch");
}
void BM_OverheadIPodClassic(benchmark::State& State)
{
    Overhead(State, "iPod Classic/Nano/Video");
}
void BM_OverheadPsp(benchmark::State& State)
{
    Overhead(State, "Playstation Portable");
}
void BM_OverheadZune30(benchmark::State& State)
{
    Overhead(State, "Zune 30");
}

// The judge's cost per part: the time a part waits, once its file is written, for the packets to be
// read, by the probing tool started with the encode (as the driver does) against a run of the tool of
// its own. The argument is the part's length in seconds (an H.264 and AAC file as the two-step road
// writes it). The standby tool is given the time to start that the encode gives it: at least twice
// what a whole run of its own took last (a part's encode takes far longer than its probing).
void BM_JudgeCost(benchmark::State& State)
{
    const int seconds = static_cast<int>(State.range(0));
    const std::string clip = PrepareClip(seconds);
    const std::string part = kDir + "/part" + std::to_string(seconds) + ".mp4";
    if (!fs::exists(part))
        std::system(("ffmpeg -loglevel error -y -i " + clip + " -c:v libx264 -preset ultrafast -s 480x320 -c:a aac -b:a 128k " +
                     part).c_str());
    const auto always = [] { return true; };
    TBaselineRatio ratio("own_run");
    std::vector<double> ownMs;
    for (auto _ : State) {
        State.PauseTiming();
        TStandbyProbe judge;
        judge.Start(kDir);
        std::this_thread::sleep_for(std::chrono::milliseconds(static_cast<int>(std::max(3000.0, ownMs.empty() ? 0 : 2 * ownMs.back()))));
        State.ResumeTiming();
        TMediaReport standby, own;
        ratio.Iteration(State, [&] { judge.Report(part, standby, always); },
                        [&] {
                            const auto t0 = Clock::now();
                            ProbeOutput(part, own, always);
                            ownMs.push_back(std::chrono::duration<double, std::milli>(Clock::now() - t0).count());
                        });
        if (!standby.Video || standby.Length < seconds - 1 || std::abs(standby.Length - own.Length) > 0.1) {
            State.SkipWithError("the standby judge did not read the part as its own run does");
            break;
        }
    }
    ratio.Finish(State);
    SetSpreadCounters(State, "own_run_ms", ownMs);
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
    const std::string clip = PrepareClip(20);
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
    double worst = 0;
    double sum = 0;
    for (auto _ : State) {
        TConvertOptions options;
        TConvertWindow window(clip, "Windows Mobile", options);
        TForm1* form = window.Form.get();
        TimedGauge gauge;
        form->status = &gauge;
        // The stand-in encodes; the clip was identified and its thumbnail made by the real tools.
        setenv("PATH", (bin + ":" + savedPath).c_str(), 1);
        ConvertQueue(*form, options);
        setenv("PATH", savedPath.c_str(), 1);
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
    }
    State.counters["latency_avg_s"] = sum / static_cast<double>(State.iterations());
    State.counters["latency_worst_s"] = worst;
}

} // namespace

BENCHMARK(BM_OverheadWindowsMobile)->Arg(20)->Arg(60)->Iterations(8)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_OverheadIPhone)->Arg(20)->Arg(60)->Iterations(8)->Unit(benchmark::kMillisecond)->UseRealTime();
// A job of the length people convert (three minutes), for every kind of road: one step with MP3 sound
// (Windows Mobile), two steps with AAC (iPhone, iPod Classic, PSP) and with WMA sound (Zune 30).
BENCHMARK(BM_OverheadWindowsMobile)->Name("BM_OverheadLong/WindowsMobile")->Arg(180)->Iterations(4)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_OverheadIPhone)->Name("BM_OverheadLong/IPhone")->Arg(180)->Iterations(4)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_OverheadIPodClassic)->Name("BM_OverheadLong/IPodClassic")->Arg(180)->Iterations(4)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_OverheadPsp)->Name("BM_OverheadLong/Psp")->Arg(180)->Iterations(4)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_OverheadZune30)->Name("BM_OverheadLong/Zune30")->Arg(180)->Iterations(4)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_JudgeCost)->Arg(20)->Arg(180)->Iterations(8)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ProgressLatency)->Iterations(6)->Unit(benchmark::kMillisecond)->UseRealTime();
