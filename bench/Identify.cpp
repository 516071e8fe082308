// Figures of identification as a user meets it: a 20-second clip, and a 2-title DVD folder, dropped on
// the program's own window (its stored form, its queue) until every record has its queue row with its
// thumbnail, each timed in turn with the same tool runs made by hand. The runs by hand are the ones the
// window made for the same drop, recorded as it made them: a player run is read until its first status
// line and then stopped (as the window stops it), a thumbnail run to its end. Each ratio counter names
// its baseline: "vs_identify_run" divides by the first identify run alone, "vs_all_runs" by every tool
// run the drop needs (identify runs, the DVD's second looks, and per record the picture grab and its
// conversion to a JPEG). Ratios are per iteration, the drop and its baseline run back to back, reported
// as median, min and max with the load average. Run by hand: build/bench/bench_Identify.
#include "app/Unit1.h"
#include "app/om_queue.h"
#include "platform/sys/CommandLine.h"
#include "platform/vcl/TImage.h"
#include "platform/vcl/TTimer.h"
#include "process/TOxCreateProcess.h"
#include "bench/support/BenchSupport.h"
#include "bench/support/ByHand.h"
#include "bench/support/RecordingWindow.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct Media {
    std::string Dir = BenchFolder();
    std::string Clip = Dir + "/clip.avi";
    std::string Dvd = Dir + "/DVD";
    Media()
    {
        UseScratchHome(Dir);
        if (!fs::exists(Clip))
            std::system(("ffmpeg -loglevel error -y -f lavfi -i testsrc=size=320x240:rate=25 -f lavfi -i sine=sample_rate=48000 "
                         "-t 20 -c:v mpeg4 -q:v 2 -g 1 -c:a mp3 -ac 2 " + Clip).c_str());
        if (!fs::exists(Dvd)) {
            std::system(("ffmpeg -loglevel error -y -f lavfi -i testsrc=size=720x576:rate=25 -f lavfi -i sine=sample_rate=48000 "
                         "-t 6 -target pal-dvd " + Dir + "/t1.mpg").c_str());
            std::system(("ffmpeg -loglevel error -y -f lavfi -i testsrc=size=720x576:rate=25 -f lavfi -i sine=sample_rate=48000 "
                         "-t 100 -target pal-dvd -b:v 300k " + Dir + "/t2.mpg").c_str());
            std::ofstream(Dir + "/dvd.xml") << "<dvdauthor dest=\"" << Dvd << "\"><vmgm/><titleset><titles><pgc><vob file=\""
                                            << Dir << "/t1.mpg\"/></pgc><pgc><vob file=\"" << Dir
                                            << "/t2.mpg\"/></pgc></titles></titleset></dvdauthor>";
            std::system(("VIDEO_FORMAT=PAL dvdauthor -x " + Dir + "/dvd.xml >/dev/null 2>&1").c_str());
        }
    }
};

const Media& TheMedia()
{
    static Media media;
    return media;
}

// The program's main window as a user starts it (stored form, queue), made fresh for every drop.
struct TDropWindow : TRecordingWindow {
    TDropWindow()
    {
        // Both test titles count as titles worth converting (the window's own minimum is for real discs).
        Form->RunState.MinTitleLength = 3;
    }
};

// The drop and its baselines take turns going first, so that none always finds the caches warmer; the
// iteration time is the drop's. The runs by hand are those of the previous drop (a first, untimed drop
// records them): the same source gives the same runs.
void DropAgainstByHand(benchmark::State& State, const std::string& Name, int Expected)
{
    std::vector<TToolRun> runs;
    {
        TDropWindow first;
        first.Drop(Name);
        if (const std::string fault = first.Check(Expected); !fault.empty()) {
            State.SkipWithError(fault.c_str());
            return;
        }
        runs = first.Runs;
    }
    if (runs.empty()) {
        State.SkipWithError("the drop ran no tool");
        return;
    }
    std::vector<double> drops, identifyRuns, allRuns, vsIdentify, vsAll;
    const double loadBefore = LoadAverage();
    bool dropFirst = true;
    for (auto _ : State) {
        TDropWindow window;
        double identify = 0, all = 0;
        int pictures = 0;
        const auto byHand = [&] {
            ForgetThumbnails(window.Form->WorkFolder);
            identify = SecondsOf([&] { RunByHandAsRecorded(runs.front()); });
            ForgetThumbnails(window.Form->WorkFolder);
            all = SecondsOf([&] {
                for (const TToolRun& run : runs)
                    RunByHandAsRecorded(run);
            });
            // The runs by hand did the same work: each record's picture is there.
            pictures = 0;
            for (const auto& entry : fs::directory_iterator(fs::path(window.Form->WorkFolder) / "temp"))
                pictures += entry.path().extension() == ".jpg" ? 1 : 0;
            ForgetThumbnails(window.Form->WorkFolder);
        };
        if (!dropFirst)
            byHand();
        const double seconds = window.Drop(Name);
        if (const std::string fault = window.Check(Expected); !fault.empty()) {
            State.SkipWithError(fault.c_str());
            break;
        }
        if (dropFirst)
            byHand();
        if (pictures != Expected) {
            State.SkipWithError(("the runs by hand made " + std::to_string(pictures) + " pictures").c_str());
            break;
        }
        dropFirst = !dropFirst;
        runs = window.Runs;
        State.SetIterationTime(seconds);
        drops.push_back(seconds * 1000);
        identifyRuns.push_back(identify * 1000);
        allRuns.push_back(all * 1000);
        vsIdentify.push_back(seconds / identify);
        vsAll.push_back(seconds / all);
    }
    SetSpreadCounters(State, "drop_ms", drops);
    SetSpreadCounters(State, "by_hand_identify_run_ms", identifyRuns);
    SetSpreadCounters(State, "by_hand_all_runs_ms", allRuns);
    SetSpreadCounters(State, "ratio_vs_identify_run", vsIdentify);
    SetSpreadCounters(State, "ratio_vs_all_runs", vsAll);
    State.counters["tool_runs"] = static_cast<double>(runs.size());
    State.counters["load_before"] = loadBefore;
    State.counters["load_after"] = LoadAverage();
}

void BM_DropClip(benchmark::State& State)
{
    DropAgainstByHand(State, TheMedia().Clip, 1);
}

void BM_DropDvdFolder(benchmark::State& State)
{
    DropAgainstByHand(State, TheMedia().Dvd, 2);
}

} // namespace

BENCHMARK(BM_DropClip)->Unit(benchmark::kMillisecond)->Iterations(15)->UseManualTime();
BENCHMARK(BM_DropDvdFolder)->Unit(benchmark::kMillisecond)->Iterations(15)->UseManualTime();
