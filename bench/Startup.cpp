// Start-up as a user sees it: build/ombrix started on an Xvfb display of the benchmark's own with the
// splash's wait left out (OMBRIX_SPLASH_MS=0), timed from the start of the process to the map of the
// main window (a top-level window maps only once it is painted). Each round first times a trivial X
// client (xdpyinfo) on the same display, so the figures can be read against the load of the moment;
// the medians and ranges of both, and the median of their ratio per round, are the counters.
// Every round also counts the top-level windows the program made and destroyed before the main
// window mapped: each is made once, so nothing is destroyed on the way.
//
// A second figure runs the program block in this process on the headless screen and counts the
// stored skins unpacked until the main and preview windows exist, with the time they took.
//
// Run by hand: build/bench/bench_Startup [--benchmark_filter=...]; OMBRIX_START_ROUNDS sets the number
// of rounds (default 15). OMBRIX_START_COMPARE names another build of the program (an older one, say):
// each round then starts it as well, right after this build, and its figures come as compare_*.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <set>
#include <string>
#include <vector>

#include "app/Startup.h"
#include "app/Unit1.h"
#include "bench/support/BenchDisplay.h"
#include "bench/support/BenchSupport.h"
#include "platform/sys/Spawn.h"
#include "platform/win/Window.h"
#include "skin/data/TskSkinData.h"

// X11 last: its headers define None, Bool, Status, True and False as macros.
#include <X11/Xlib.h>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

const char* const kMainTitle = "Ombrix Free 1.3";

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

struct TRange {
    double Median = 0, Min = 0, Max = 0;
};

TRange RangeOf(std::vector<double> v)
{
    if (v.empty())
        return {};
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    const double median = n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
    return {median, v.front(), v.back()};
}

std::string LoadAverage()
{
    std::ifstream f("/proc/loadavg");
    std::string one;
    f >> one;
    return one;
}

// The program next to this benchmark's folder: build/bench/bench_Startup -> build/ombrix.
std::string ProgramPath()
{
    return (fs::read_symlink("/proc/self/exe").parent_path().parent_path() / "ombrix").string();
}

// This process's environment for a child on Display, in a scratch HOME, without what would steer the
// program elsewhere.
std::vector<std::string> ChildEnvironment(const std::string& Display, const std::string& Home)
{
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
        const std::string line = *e;
        const std::string name = line.substr(0, line.find('='));
        if (name == "DISPLAY" || name == "HOME" || name == "OMBRIX_BACKEND" || name == "OMBRIX_SPLASH_MS"
            || name.rfind("XDG_", 0) == 0)
            continue;
        env.push_back(line);
    }
    env.push_back("DISPLAY=" + Display);
    env.push_back("HOME=" + Home);
    env.push_back("OMBRIX_SPLASH_MS=0");
    return env;
}

int DevNull()
{
    static const int fd = ::open("/dev/null", O_RDWR | O_CLOEXEC);
    return fd;
}

// Watches the display's top-level windows being made, destroyed and mapped.
class TWindowWatch {
public:
    explicit TWindowWatch(const std::string& Name) : FDisplay(XOpenDisplay(Name.c_str()))
    {
        if (FDisplay) {
            XSelectInput(FDisplay, DefaultRootWindow(FDisplay), SubstructureNotifyMask);
            XSync(FDisplay, False);
        }
    }
    ~TWindowWatch()
    {
        if (FDisplay)
            XCloseDisplay(FDisplay);
    }
    bool Open() const { return FDisplay != nullptr; }

    // Forgets what happened so far (the previous round's windows going away).
    void Reset()
    {
        XSync(FDisplay, False);
        while (XPending(FDisplay)) {
            XEvent e;
            XNextEvent(FDisplay, &e);
        }
        Created = Destroyed = 0;
        FOurs.clear();
    }

    // Waits until a window titled Title maps or Limit passes (false), counting the windows made and
    // destroyed meanwhile.
    bool WaitForMap(const char* Title, Clock::time_point Limit)
    {
        for (;;) {
            while (XPending(FDisplay)) {
                XEvent e;
                XNextEvent(FDisplay, &e);
                if (e.type == CreateNotify) {
                    ++Created;
                    FOurs.insert(e.xcreatewindow.window);
                } else if (e.type == DestroyNotify && FOurs.count(e.xdestroywindow.window)) {
                    ++Destroyed;
                } else if (e.type == MapNotify && Named(e.xmap.window, Title)) {
                    return true;
                }
            }
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(Limit - Clock::now()).count();
            if (left <= 0)
                return false;
            pollfd p{ConnectionNumber(FDisplay), POLLIN, 0};
            poll(&p, 1, static_cast<int>(std::min<long long>(left, 1000)));
        }
    }

    int Created = 0;
    int Destroyed = 0;

private:
    // A window may be gone by the time we ask: the default error handler would end the benchmark.
    static int IgnoreError(Display*, XErrorEvent*) { return 0; }
    bool Named(::Window W, const char* Title)
    {
        auto* before = XSetErrorHandler(IgnoreError);
        char* name = nullptr;
        const bool same = XFetchName(FDisplay, W, &name) && name && std::string(name) == Title;
        if (name)
            XFree(name);
        XSync(FDisplay, False);
        XSetErrorHandler(before);
        return same;
    }

    Display* FDisplay;
    std::set<::Window> FOurs;
};

// One program start on the watched display, in milliseconds to the main window's map; negative when
// it never mapped.
double TimeOneStart(TWindowWatch& Watch, const std::string& Program, const std::vector<std::string>& Env)
{
    Watch.Reset();
    TSpawnRequest r;
    r.Program = Program;
    r.Environment = Env;
    r.StdOut = r.StdErr = DevNull();
    const auto started = Clock::now();
    TChildProcess program = SpawnProcess(r);
    const bool mapped = Watch.WaitForMap(kMainTitle, started + std::chrono::seconds(60));
    const auto shown = Clock::now();
    // Our own child, ended by its pid.
    program.Signal(SIGTERM);
    program.Reap();
    return mapped ? Ms(shown - started) : -1;
}

double TimeBaseline(const std::vector<std::string>& Env)
{
    TSpawnRequest r;
    r.Program = "xdpyinfo";
    r.Environment = Env;
    r.StdOut = r.StdErr = DevNull();
    const auto started = Clock::now();
    TChildProcess client = SpawnProcess(r);
    client.Reap();
    return Ms(Clock::now() - started);
}

int Rounds()
{
    const char* n = std::getenv("OMBRIX_START_ROUNDS");
    const int rounds = n ? std::atoi(n) : 15;
    return std::max(1, rounds);
}

void BM_StartToPaintedMainWindow(benchmark::State& state)
{
    const TBenchXServer server(1280, 1024);
    if (server.Name().empty() || !fs::exists(ProgramPath())) {
        state.SkipWithError("needs Xvfb and build/ombrix");
        return;
    }
    TWindowWatch watch(server.Name());
    if (!watch.Open()) {
        state.SkipWithError("cannot open the benchmark's display");
        return;
    }
    const std::string home = BenchFolder() + "/start-home";
    fs::create_directories(home);
    const std::vector<std::string> env = ChildEnvironment(server.Name(), home);
    const char* compareEnv = std::getenv("OMBRIX_START_COMPARE");
    const std::string compare = compareEnv ? compareEnv : "";
    const std::string loadBefore = LoadAverage();
    std::vector<double> program, baseline, ratio, created, destroyed, other, otherRatio;
    for (auto _ : state) {
        // The first start writes the settings, the work folders and the desktop link; not counted.
        TimeOneStart(watch, ProgramPath(), env);
        for (int i = 0; i < Rounds(); ++i) {
            const double b = TimeBaseline(env);
            const double p = TimeOneStart(watch, ProgramPath(), env);
            if (p < 0) {
                state.SkipWithError("the main window never mapped");
                return;
            }
            baseline.push_back(b);
            program.push_back(p);
            ratio.push_back(p / b);
            created.push_back(watch.Created);
            destroyed.push_back(watch.Destroyed);
            if (!compare.empty()) {
                const double o = TimeOneStart(watch, compare, env);
                if (o < 0) {
                    state.SkipWithError("the compared program's main window never mapped");
                    return;
                }
                other.push_back(o);
                otherRatio.push_back(p / o);
            }
        }
        state.SetIterationTime(RangeOf(program).Median / 1000);
    }
    const TRange p = RangeOf(program), b = RangeOf(baseline), q = RangeOf(ratio);
    state.counters["start_median_ms"] = p.Median;
    state.counters["start_min_ms"] = p.Min;
    state.counters["start_max_ms"] = p.Max;
    state.counters["xdpyinfo_median_ms"] = b.Median;
    state.counters["xdpyinfo_min_ms"] = b.Min;
    state.counters["xdpyinfo_max_ms"] = b.Max;
    state.counters["ratio_median"] = q.Median;
    state.counters["windows_created_max"] = RangeOf(created).Max;
    state.counters["windows_destroyed_max"] = RangeOf(destroyed).Max;
    if (!compare.empty()) {
        const TRange o = RangeOf(other), r = RangeOf(otherRatio);
        state.counters["compare_median_ms"] = o.Median;
        state.counters["compare_min_ms"] = o.Min;
        state.counters["compare_max_ms"] = o.Max;
        state.counters["this_to_compare_median"] = r.Median;
        std::cout << "compared build " << compare << ": median " << o.Median << " ms (" << o.Min << "-" << o.Max
                  << "); this build / compared, median of the rounds: " << r.Median << " (" << r.Min << "-" << r.Max
                  << ")\n";
    }
    state.SetLabel(std::to_string(program.size()) + " rounds on Xvfb " + server.Name() + ", load " + loadBefore + " -> "
        + LoadAverage());
    std::cout << "start to mapped main window: median " << p.Median << " ms (" << p.Min << "-" << p.Max
              << "); xdpyinfo: median " << b.Median << " ms (" << b.Min << "-" << b.Max << "); ratio median "
              << q.Median << "; top-level windows made " << RangeOf(created).Min << "-" << RangeOf(created).Max
              << ", destroyed before the main window mapped " << RangeOf(destroyed).Max << "\n";
}
BENCHMARK(BM_StartToPaintedMainWindow)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

// The program block in this process, headless, up to the moment its windows exist.
void BM_SkinUnpackingAtStart(benchmark::State& state)
{
    const std::string home = BenchFolder() + "/unpack-home";
    fs::create_directories(home);
    setenv("HOME", home.c_str(), 1);
    setenv("OMBRIX_BACKEND", "headless", 1);
    int unpacked = 0;
    double seconds = 0;
    for (auto _ : state) {
        const int count = SkinUnpackCount();
        const double spent = SkinUnpackSeconds();
        TStartOptions options;
        options.SplashMs = 0;
        options.OnReady = [&](TForm1& Main) {
            unpacked = SkinUnpackCount() - count;
            seconds = SkinUnpackSeconds() - spent;
            PostMessage(Main.Handle(), WM_CLOSE, 0, 0);
        };
        RunProgram(options);
        state.SetIterationTime(seconds);
    }
    state.counters["skins_unpacked"] = unpacked;
    state.counters["unpack_ms"] = seconds * 1000;
}
// The program block runs once per process.
BENCHMARK(BM_SkinUnpackingAtStart)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
