// Figures of identification: a drop of a 20-second clip until its record is complete, and of a
// 2-title DVD folder until its title rows are made, each timed in turn with the player run by hand on the
// same input (stopped, like the window's run, at its first status line). Every ratio counter names its
// baseline: "ratio_vs_identify_run" divides by the one identify run the window also makes first,
// "ratio_vs_all_runs" by every player run the window makes for the source. Run by hand:
// build/bench/bench_Identify.
#include "app/AppClasses.h"
#include "app/Unit1.h"
#include "platform/sys/CommandLine.h"
#include "platform/vcl/TTimer.h"
#include "bench/support/BenchSupport.h"
#include "bench/support/ByHand.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <filesystem>
#include <fstream>
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
        fs::create_directories(Dir + "/home");
        setenv("HOME", (Dir + "/home").c_str(), 1);
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

// One player run by hand: its output read until the first status line, then the player stopped.
void PlayerByHand(const std::string& CommandLine)
{
    RunByHand(CommandLine, [](const std::string& Seen) {
        return Seen.find("\nA:") != std::string::npos || Seen.find("\nV:") != std::string::npos;
    });
}

using Clock = std::chrono::steady_clock;

double SecondsOf(const std::function<void()>& Run)
{
    const auto t0 = Clock::now();
    Run();
    return std::chrono::duration<double>(Clock::now() - t0).count();
}

// A drop of Name onto a fresh window until its Expected rows are made; the window's making is not timed.
double Drop(benchmark::State& State, const std::string& Name, int Expected)
{
    RegisterAppClasses();
    auto form = std::make_unique<TForm1>(nullptr);
    form->RunState.MinTitleLength = 3;
    int rows = 0;
    form->OnAddItem = [&](int) { ++rows; };
    const double seconds = SecondsOf([&] {
        form->DropFiles({Name});
        form->ScanTimerTimer(form->ScanTimer);
    });
    if (rows != Expected)
        State.SkipWithError("the source did not give its records");
    return seconds;
}

// The drop and each baseline take turns, so that none always finds the caches warmer; the iteration time is
// the drop's. Baselines: counter name suffix and the player runs that make it.
void DropAgainst(benchmark::State& State, const std::string& Name, int Expected,
                 const std::vector<std::pair<std::string, std::vector<std::string>>>& Baselines)
{
    double dropped = 0;
    std::vector<double> byHand(Baselines.size(), 0.0);
    bool dropFirst = true;
    for (auto _ : State) {
        const auto runBaselines = [&] {
            for (std::size_t i = 0; i < Baselines.size(); ++i)
                byHand[i] += SecondsOf([&] {
                    for (const std::string& run : Baselines[i].second)
                        PlayerByHand(run);
                });
        };
        if (!dropFirst)
            runBaselines();
        const double seconds = Drop(State, Name, Expected);
        dropped += seconds;
        State.SetIterationTime(seconds);
        if (dropFirst)
            runBaselines();
        dropFirst = !dropFirst;
    }
    const double n = static_cast<double>(State.iterations());
    State.counters["drop_ms"] = dropped / n * 1000;
    for (std::size_t i = 0; i < Baselines.size(); ++i) {
        State.counters["by_hand_" + Baselines[i].first + "_ms"] = byHand[i] / n * 1000;
        State.counters["ratio_vs_" + Baselines[i].first] = byHand[i] > 0 ? dropped / byHand[i] : 0;
    }
}

void BM_DropClip(benchmark::State& State)
{
    const std::string clip = QuoteArg(TheMedia().Clip);
    DropAgainst(State, TheMedia().Clip, 1, {{"identify_run", {"mplayer -af volume=-200 -vo null -identify " + clip}}});
}

// The folder against the identify run alone, and against all the window's player runs for it: the identify
// run, then the second title's two looks 90 s in.
void BM_DropDvdFolder(benchmark::State& State)
{
    const std::string dvd = QuoteArg(TheMedia().Dvd);
    const std::string identify = "mplayer -af volume=-200 -vo null -identify -dvd-device " + dvd + " dvd://";
    DropAgainst(State, TheMedia().Dvd, 2,
                {{"identify_run", {identify}},
                 {"all_runs", {identify, "mplayer -ss 90 -af volume=-200 -vo null -dvd-device " + dvd + " dvdnav://2",
                               "mplayer -ss 90 -af volume=-200 -vo null -dvd-device " + dvd + " dvd://2"}}});
}

} // namespace

BENCHMARK(BM_DropClip)->Unit(benchmark::kMillisecond)->Iterations(6)->UseManualTime();
BENCHMARK(BM_DropDvdFolder)->Unit(benchmark::kMillisecond)->Iterations(6)->UseManualTime();
