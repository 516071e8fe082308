// Figures of identification: a drop of a 20-second clip until its record is complete, and of a
// 2-title DVD folder until its title rows are made, against the player run by hand on the same input
// (stopped, like the window's run, at its first status line). Run by hand: build/bench/bench_Identify.
#include "app/Unit1.h"
#include "platform/sys/CommandLine.h"
#include "platform/vcl/TTimer.h"

#include <benchmark/benchmark.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct Media {
    std::string Dir = "/tmp/ombrix-bench-identify";
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
void RunByHand(const std::string& CommandLine)
{
    const std::vector<std::string> args = SplitCommandLine(CommandLine);
    int fds[2];
    if (pipe(fds) != 0)
        return;
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(fds[1], 1);
        dup2(fds[1], 2);
        close(fds[0]);
        std::vector<char*> argv;
        for (const std::string& a : args)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    close(fds[1]);
    std::string seen;
    char buffer[4096];
    ssize_t n;
    while ((n = read(fds[0], buffer, sizeof buffer)) > 0) {
        seen.append(buffer, static_cast<std::size_t>(n));
        if (seen.find("\nA:") != std::string::npos || seen.find("\nV:") != std::string::npos) {
            kill(pid, SIGKILL);
            break;
        }
    }
    close(fds[0]);
    waitpid(pid, nullptr, 0);
}

void Drop(benchmark::State& State, const std::string& Name, int Expected)
{
    MinTitleLength = 3;
    for (auto _ : State) {
        State.PauseTiming();
        ResetUnit1Globals();
        MinTitleLength = 3;
        auto form = std::make_unique<TForm1>(nullptr);
        int rows = 0;
        form->OnAddItem = [&](int) { ++rows; };
        State.ResumeTiming();
        form->DropFiles({Name});
        form->ScanTimerTimer(form->ScanTimer);
        State.PauseTiming();
        if (rows != Expected)
            State.SkipWithError("the source did not give its records");
        form.reset();
        State.ResumeTiming();
    }
}

void BM_DropClip(benchmark::State& State)
{
    Drop(State, TheMedia().Clip, 1);
}

void BM_ClipByHand(benchmark::State& State)
{
    for (auto _ : State)
        RunByHand("mplayer -af volume=-200 -vo null -identify " + QuoteArg(TheMedia().Clip));
}

void BM_DropDvdFolder(benchmark::State& State)
{
    Drop(State, TheMedia().Dvd, 2);
}

void BM_DvdIdentifyByHand(benchmark::State& State)
{
    for (auto _ : State)
        RunByHand("mplayer -af volume=-200 -vo null -identify -dvd-device " + QuoteArg(TheMedia().Dvd) + " dvd://");
}

// The same player runs the window makes for the folder: the identify run, then the second title's
// two looks 90 s in.
void BM_DvdAllRunsByHand(benchmark::State& State)
{
    const std::string dvd = QuoteArg(TheMedia().Dvd);
    for (auto _ : State) {
        RunByHand("mplayer -af volume=-200 -vo null -identify -dvd-device " + dvd + " dvd://");
        RunByHand("mplayer -ss 90 -af volume=-200 -vo null -dvd-device " + dvd + " dvdnav://2");
        RunByHand("mplayer -ss 90 -af volume=-200 -vo null -dvd-device " + dvd + " dvd://2");
    }
}

} // namespace

BENCHMARK(BM_DropClip)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();
BENCHMARK(BM_ClipByHand)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();
BENCHMARK(BM_DropDvdFolder)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();
BENCHMARK(BM_DvdIdentifyByHand)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();
BENCHMARK(BM_DvdAllRunsByHand)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();
