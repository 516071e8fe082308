// Figures of a folder of many clips added to the program's own window (its stored form, its queue) until
// every clip has its queue row with its picture: 100 and 300 small generated clips. Each iteration times
//   scan         the window as it is: the clips' tool runs made side by side, up to one per processor;
//   one_by_one   the same window with every tool run made in turn through its own runner (the chain as
//                it ran before), recording the runs it makes;
//   by_hand_seq  the recorded runs made by hand one after another: the tools' total time;
//   by_hand_par  the same runs by hand, each clip's runs in turn, as many clips at once as processors.
// A player run by hand is read until its first status line and then stopped, as the window stops it.
// "ratio_vs_seq_per_core" is scan / (by_hand_seq / processors), the figure the aim is set in (under
// 1.5); "ratio_vs_par" is scan / by_hand_par; "ratio_one_by_one_vs_seq" the old chain against the
// tools' total time. On a loaded machine the tools run by hand one after another get a larger share of
// each processor than tools side by side can, so the aim also reads in processor time:
// "scan_tools_cpu_s" is what the scan's tools used, "by_hand_cpu_s" what the same runs used by hand
// one after another, and "ratio_vs_cpu_per_core" is scan / (scan_tools_cpu_s / processors).
// Medians, min and max over the iterations, with the load average before and after (the machine is
// shared). Run by hand: build/bench/bench_Scan.
#include "app/Unit1.h"
#include "app/om_runcontrol.h"
#include "bench/support/BenchSupport.h"
#include "bench/support/RecordingWindow.h"

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;

int Processors()
{
    return static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
}

// The processor seconds (user and system) of the children this process has waited for.
double ChildrenCpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    const auto seconds = [](const timeval& Time) { return static_cast<double>(Time.tv_sec) + Time.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Runs Count jobs, as many at once as there are processors.
void SideBySide(int Count, const std::function<void(int)>& Job)
{
    std::atomic<int> next{0};
    std::vector<std::thread> workers;
    for (int w = 0; w < Processors(); ++w)
        workers.emplace_back([&] {
            for (int i = next++; i < Count; i = next++)
                Job(i);
        });
    for (std::thread& worker : workers)
        worker.join();
}

// Folders of 3-second 160x120 clips with sound, padded past the scan's size floor of 1,024,000 bytes
// (the player passes over the padding), each made when a benchmark first asks for it.
struct Media {
    std::string Dir = BenchFolder();
    std::vector<int> Made;
    Media() { UseScratchHome(Dir); }
    std::string Make(int Clips)
    {
        const std::string folder = Folder(Clips);
        if (std::find(Made.begin(), Made.end(), Clips) != Made.end())
            return folder;
        Made.push_back(Clips);
        fs::create_directories(folder);
        SideBySide(Clips, [this, Clips](int i) {
            const std::string clip = Folder(Clips) + "/" + Name(i);
            std::system(("ffmpeg -loglevel error -y -f lavfi -i testsrc=size=160x120:rate=25 -f lavfi -i sine=sample_rate=48000 "
                         "-t 3 -c:v mpeg4 -g 1 -c:a mp3 '" + clip + "'").c_str());
            if (fs::exists(clip) && fs::file_size(clip) < 1'100'000)
                fs::resize_file(clip, 1'100'000);
        });
        return folder;
    }
    std::string Folder(int Clips) const { return Dir + "/clips" + std::to_string(Clips); }
    static std::string Name(int i)
    {
        char name[32];
        std::snprintf(name, sizeof name, "clip %03d.avi", i);
        return name;
    }
};

Media& TheMedia()
{
    static Media media;
    return media;
}

// A fresh window; OneByOne: each identification run through the window's own runner, waited for before
// the next (the chain as it ran before the runs were made side by side).
struct TScanWindow : TRecordingWindow {
    explicit TScanWindow(bool OneByOne)
    {
        if (!OneByOne)
            return;
        TForm1& window = *Form;
        System.OnRunTool = [&window](const std::string& CommandLine) {
            TRunControl& run = window.RunControl();
            if (run.RunTool(CommandLine, TToolKind::Identify, window.WorkFolder))
                run.WaitForTool();
        };
    }
};

// The recorded runs per clip: each clip's runs start with its first identify run. Each clip's picture
// gets a scratch video of its own, so that clips can run side by side.
std::vector<std::vector<TToolRun>> RunsPerClip(const std::vector<TToolRun>& Runs)
{
    std::vector<std::vector<TToolRun>> clips;
    for (TToolRun run : Runs) {
        if (run.CommandLine.find("-af volume=-200 -vo null -identify") != std::string::npos || clips.empty())
            clips.emplace_back();
        if (const std::size_t at = run.CommandLine.find("temp/temp.avi"); at != std::string::npos)
            run.CommandLine.replace(at, 13, "temp/temp" + std::to_string(clips.size()) + ".avi");
        clips.back().push_back(run);
    }
    return clips;
}

void ScanFolder(benchmark::State& State)
{
    const int clips = static_cast<int>(State.range(0));
    const std::string folder = TheMedia().Make(clips);
    std::vector<double> scans, oneByOnes, seqs, pars, vsSeqPerCore, vsPar, oldVsSeq, scanCpus, byHandCpus, vsCpuPerCore;
    const double loadBefore = LoadAverage();
    for (auto _ : State) {
        TScanWindow now(false);
        const double scanCpuBefore = ChildrenCpuSeconds();
        const double scan = now.Drop(folder);
        const double scanCpu = ChildrenCpuSeconds() - scanCpuBefore;
        std::fprintf(stderr, "%d clips: scan %.0f ms, its tools %.1f processor seconds, load %.1f\n", clips, scan * 1000,
                     scanCpu, LoadAverage());
        if (const std::string fault = now.Check(clips); !fault.empty()) {
            State.SkipWithError(("scan: " + fault).c_str());
            break;
        }
        TScanWindow before(true);
        const double oneByOne = before.Drop(folder);
        if (const std::string fault = before.Check(clips); !fault.empty()) {
            State.SkipWithError(("one by one: " + fault).c_str());
            break;
        }
        const std::string work = before.Form->WorkFolder;
        ForgetThumbnails(work);
        const double byHandCpuBefore = ChildrenCpuSeconds();
        const double seq = SecondsOf([&] {
            for (const TToolRun& run : before.Runs)
                RunByHandAsRecorded(run);
        });
        const double byHandCpu = ChildrenCpuSeconds() - byHandCpuBefore;
        ForgetThumbnails(work);
        const std::vector<std::vector<TToolRun>> perClip = RunsPerClip(before.Runs);
        const double par = SecondsOf([&] {
            SideBySide(static_cast<int>(perClip.size()), [&](int i) {
                for (const TToolRun& run : perClip[i])
                    RunByHandAsRecorded(run);
            });
        });
        ForgetThumbnails(work);
        State.SetIterationTime(scan);
        scans.push_back(scan * 1000);
        oneByOnes.push_back(oneByOne * 1000);
        seqs.push_back(seq * 1000);
        pars.push_back(par * 1000);
        vsSeqPerCore.push_back(scan / (seq / Processors()));
        vsPar.push_back(scan / par);
        oldVsSeq.push_back(oneByOne / seq);
        scanCpus.push_back(scanCpu);
        byHandCpus.push_back(byHandCpu);
        vsCpuPerCore.push_back(scan / (scanCpu / Processors()));
        State.counters["tool_runs"] = static_cast<double>(before.Runs.size());
        // An iteration takes minutes on a loaded machine: each one says what it found as it ends.
        std::fprintf(stderr,
                     "%d clips: one by one %.0f ms, by hand %.0f ms in turn (%.1f processor seconds), %.0f ms side by "
                     "side, load %.1f\n",
                     clips, oneByOne * 1000, seq * 1000, byHandCpu, par * 1000, LoadAverage());
    }
    SetSpreadCounters(State, "scan_ms", scans);
    SetSpreadCounters(State, "one_by_one_ms", oneByOnes);
    SetSpreadCounters(State, "by_hand_seq_ms", seqs);
    SetSpreadCounters(State, "by_hand_par_ms", pars);
    SetSpreadCounters(State, "ratio_vs_seq_per_core", vsSeqPerCore);
    SetSpreadCounters(State, "ratio_vs_par", vsPar);
    SetSpreadCounters(State, "ratio_one_by_one_vs_seq", oldVsSeq);
    SetSpreadCounters(State, "scan_tools_cpu_s", scanCpus);
    SetSpreadCounters(State, "by_hand_cpu_s", byHandCpus);
    SetSpreadCounters(State, "ratio_vs_cpu_per_core", vsCpuPerCore);
    State.counters["processors"] = Processors();
    State.counters["load_before"] = loadBefore;
    State.counters["load_after"] = LoadAverage();
}

} // namespace

BENCHMARK(ScanFolder)->Arg(100)->Arg(300)->Unit(benchmark::kMillisecond)->Iterations(3)->UseManualTime();
