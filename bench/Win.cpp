// Figures of the window layer: messages posted from another thread and dispatched on the GUI thread
// (rate and latency), the cost of an idle loop, and the paint of a window with 200 children.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "tests/support/THeadlessDriver.h"
#include "platform/win/WinApi.h"

namespace {

using Clock = std::chrono::steady_clock;

std::int64_t NowNs() { return std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now().time_since_epoch()).count(); }

double CpuSeconds()
{
    rusage u;
    getrusage(RUSAGE_SELF, &u);
    return u.ru_utime.tv_sec + u.ru_stime.tv_sec + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

const std::string& BenchClass()
{
    static std::string name = [] {
        WNDCLASS wc;
        wc.ClassName = "TBenchWindow";
        RegisterClass(wc);
        return wc.ClassName;
    }();
    return name;
}

struct TReceiver {
    HWND Window = 0;
    LONG_PTR Instance = 0;
    std::int64_t Received = 0;
    std::vector<std::int64_t> Latencies;
    bool Measure = false;

    TReceiver()
    {
        Window = CreateWindowEx(WS_EX_TOOLWINDOW, BenchClass(), "", WS_POPUP, 0, 0, 0, 0, 0);
        Instance = MakeObjectInstance([this](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
            if (m != WM_USER + 1)
                return DefWindowProc(h, m, w, l);
            ++Received;
            if (Measure)
                Latencies.push_back(NowNs() - static_cast<std::int64_t>(l));
            return 0;
        });
        SetWindowLongPtr(Window, GWLP_WNDPROC, Instance);
    }
    ~TReceiver()
    {
        DestroyWindow(Window);
        FreeObjectInstance(Instance);
    }
    void Pump(std::int64_t until)
    {
        TMsg m;
        while (Received < until) {
            if (PeekMessage(&m, 0, 0, 0, PM_REMOVE))
                DispatchMessage(&m);
            else
                WaitMessage(100);
        }
    }
};

// Messages per second from one posting thread to the GUI thread's dispatch.
void BM_PostFromThreadToDispatch(benchmark::State& state)
{
    THeadlessDriver driver(false);
    TReceiver r;
    const std::int64_t batch = 100000;
    for (auto _ : state) {
        std::int64_t target = r.Received + batch;
        std::thread poster([h = r.Window] {
            for (std::int64_t i = 0; i < batch; ++i)
                PostMessage(h, WM_USER + 1, 0, 0);
        });
        r.Pump(target);
        poster.join();
    }
    state.SetItemsProcessed(state.iterations() * batch);
}
BENCHMARK(BM_PostFromThreadToDispatch)->Unit(benchmark::kMillisecond)->UseRealTime();

// Latency from PostMessage on another thread to the handler, while the GUI thread sleeps in WaitMessage.
void BM_PostLatencyIdleLoop(benchmark::State& state)
{
    THeadlessDriver driver(false);
    TReceiver r;
    r.Measure = true;
    for (auto _ : state) {
        std::int64_t target = r.Received + 1;
        std::thread poster([h = r.Window] {
            std::this_thread::sleep_for(std::chrono::microseconds(500));   // the loop is asleep by then
            PostMessage(h, WM_USER + 1, 0, static_cast<LPARAM>(NowNs()));
        });
        r.Pump(target);
        poster.join();
    }
    std::sort(r.Latencies.begin(), r.Latencies.end());
    if (!r.Latencies.empty()) {
        double sum = 0;
        for (auto v : r.Latencies)
            sum += v;
        state.counters["mean_us"] = sum / r.Latencies.size() / 1000.0;
        state.counters["p50_us"] = r.Latencies[r.Latencies.size() / 2] / 1000.0;
        state.counters["p99_us"] = r.Latencies[r.Latencies.size() * 99 / 100] / 1000.0;
    }
}
BENCHMARK(BM_PostLatencyIdleLoop)->Iterations(2000)->UseRealTime();

// CPU used by a loop that has nothing to do (it must sleep, not spin).
void BM_IdleWaitCpu(benchmark::State& state)
{
    THeadlessDriver driver(false);
    TReceiver r;
    double cpu = 0, wall = 0;
    for (auto _ : state) {
        double c0 = CpuSeconds();
        auto t0 = Clock::now();
        WaitMessage(200);
        wall += std::chrono::duration<double>(Clock::now() - t0).count();
        cpu += CpuSeconds() - c0;
    }
    state.counters["cpu_percent"] = wall > 0 ? 100.0 * cpu / wall : 0;
}
BENCHMARK(BM_IdleWaitCpu)->Iterations(5)->Unit(benchmark::kMillisecond)->UseRealTime();

// Paint of a shown window with 200 child windows after invalidating all of it; the children only
// validate (their own drawing is not part of the figure), the parent erases its background.
void BM_Paint200Children(benchmark::State& state)
{
    THeadlessDriver driver(false);
    static bool registered = [] {
        WNDCLASS wc;
        wc.ClassName = "TBenchPanel";
        wc.Background = clBtnFace;
        RegisterClass(wc);
        return true;
    }();
    (void)registered;
    HWND top = CreateWindowEx(0, "TBenchPanel", "", WS_POPUP | WS_CLIPCHILDREN, 0, 0, 800, 600, 0);
    for (int i = 0; i < 200; ++i)
        CreateWindowEx(0, BenchClass(), "", WS_CHILD | WS_VISIBLE, (i % 20) * 40, (i / 20) * 60, 38, 58, top);
    ShowWindow(top, SW_SHOWNA);
    UpdateAllWindows();
    for (auto _ : state) {
        RedrawWindow(top, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        UpdateAllWindows();
    }
    DestroyWindow(top);
}
BENCHMARK(BM_Paint200Children)->Unit(benchmark::kMillisecond);

}  // namespace
