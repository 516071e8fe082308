#include "platform/win/MessageQueue.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "tests/support/THeadlessDriver.h"
#include "WinTestSupport.h"

namespace {

class MessageQueueTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        for (HWND h : GetTopLevelWindows())
            DestroyWindow(h);
        PumpAll();
    }
    THeadlessDriver Driver;
    TTestClass Cls;
};

TEST_F(MessageQueueTest, SendMessage_RunsProcedureAtOnceAndReturnsItsResult)
{
    HWND h = Cls.Create(0, Bounds(0, 0, 10, 10), WS_POPUP);
    Cls.On[WM_USER] = [](HWND, WPARAM w, LPARAM l) { return static_cast<LRESULT>(w + l); };
    EXPECT_EQ(SendMessage(h, WM_USER, 2, 40), 42);
}

TEST_F(MessageQueueTest, PostMessage_DeliveredInOrderAfterSends)
{
    HWND h = Cls.Create(0, Bounds(0, 0, 10, 10), WS_POPUP);
    Cls.Log.clear();
    PostMessage(h, WM_USER + 1);
    PostMessage(h, WM_USER + 2);
    SendMessage(h, WM_USER + 3);
    PumpAll();
    EXPECT_EQ(Cls.Messages(h, {WM_USER + 1, WM_USER + 2, WM_USER + 3}),
        (std::vector<UINT>{WM_USER + 3, WM_USER + 1, WM_USER + 2}));
}

TEST_F(MessageQueueTest, PostMessage_ToDestroyedWindow_IsDroppedAndNeverReachesNewWindow)
{
    HWND a = Cls.Create(0, Bounds(0, 0, 10, 10), WS_POPUP);
    PostMessage(a, WM_USER + 7);
    DestroyWindow(a);
    EXPECT_FALSE(PostMessage(a, WM_USER + 8));
    HWND b = Cls.Create(0, Bounds(0, 0, 10, 10), WS_POPUP);   // may reuse the slot
    EXPECT_NE(a, b);
    Cls.Log.clear();
    PumpAll();
    EXPECT_EQ(Cls.Count(b, WM_USER + 7), 0);
    EXPECT_EQ(Cls.Count(a, WM_USER + 7), 0);
    EXPECT_EQ(SendMessage(a, WM_USER), 0);
    EXPECT_FALSE(IsWindow(a));
}

TEST_F(MessageQueueTest, PostMessage_FromEightThreads_NothingLostAndEachThreadInOrder)
{
    constexpr int Threads = 8;
    constexpr int PerThread = 100000;
    std::vector<int> next(Threads, 0);
    int received = 0;
    bool ordered = true;
    HWND h = Cls.Create(0, Bounds(0, 0, 10, 10), WS_POPUP);
    Cls.On[WM_USER + 1] = [&](HWND, WPARAM w, LPARAM l) -> LRESULT {
        ordered = ordered && next[w] == l;
        next[w] = static_cast<int>(l) + 1;
        ++received;
        return 0;
    };
    Cls.Log.reserve(Threads * PerThread + 100);
    std::vector<std::thread> posters;
    for (int t = 0; t < Threads; ++t)
        posters.emplace_back([h, t] {
            for (int i = 0; i < PerThread; ++i)
                PostMessage(h, WM_USER + 1, static_cast<WPARAM>(t), i);
        });
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    TMsg m;
    while (received < Threads * PerThread && std::chrono::steady_clock::now() < deadline) {
        if (PeekMessage(&m, 0, 0, 0, PM_REMOVE))
            DispatchMessage(&m);
        else
            WaitMessage(100);
    }
    for (auto& t : posters)
        t.join();
    PumpAll();
    EXPECT_EQ(received, Threads * PerThread);
    EXPECT_TRUE(ordered);
}

TEST_F(MessageQueueTest, WaitMessage_WokenByPostFromAnotherThread)
{
    HWND h = Cls.Create(0, Bounds(0, 0, 10, 10), WS_POPUP);
    PumpAll();
    std::thread t([h] {
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        PostMessage(h, WM_USER + 5);
    });
    auto start = std::chrono::steady_clock::now();
    bool woke = WaitMessage(5000);
    auto took = std::chrono::steady_clock::now() - start;
    t.join();
    EXPECT_TRUE(woke);
    EXPECT_LT(took, std::chrono::seconds(2));
}

TEST_F(MessageQueueTest, WaitMessage_TimesOutWhenNothingComes)
{
    PumpAll();
    auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(WaitMessage(50));
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(45));
}

TEST_F(MessageQueueTest, WaitMessage_IdleLoopSleepsInsteadOfSpinning)
{
    PumpAll();
    rusage before, after;
    getrusage(RUSAGE_THREAD, &before);
    EXPECT_FALSE(WaitMessage(200));
    getrusage(RUSAGE_THREAD, &after);
    auto us = [](const rusage& u) {
        return (u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1000000L + u.ru_utime.tv_usec + u.ru_stime.tv_usec;
    };
    EXPECT_LT(us(after) - us(before), 20000);   // well under 10% of the 200 ms
}

TEST_F(MessageQueueTest, SendMessage_FromAnotherThread_RunsOnGuiThread)
{
    HWND h = Cls.Create(0, Bounds(0, 0, 10, 10), WS_POPUP);
    std::thread::id ranOn;
    Cls.On[WM_USER] = [&](HWND, WPARAM, LPARAM) -> LRESULT {
        ranOn = std::this_thread::get_id();
        return 99;
    };
    std::atomic<LRESULT> result{0};
    std::thread t([&] { result = SendMessage(h, WM_USER); });
    while (result == 0) {
        WaitMessage(100);
        PumpAll();
    }
    t.join();
    EXPECT_EQ(result, 99);
    EXPECT_EQ(ranOn, std::this_thread::get_id());
}

TEST_F(MessageQueueTest, Hook_SwallowsMessageAndNewestIsAskedFirst)
{
    HWND h = Cls.Create(0, Bounds(0, 0, 10, 10), WS_POPUP);
    std::vector<int> order;
    int a = AddMessageHook([&](TMsg& m) {
        if (m.message == WM_USER + 1)
            order.push_back(1);
        return false;
    });
    int b = AddMessageHook([&](TMsg& m) {
        if (m.message != WM_USER + 1)
            return false;
        order.push_back(2);
        return m.wParam == 1;
    });
    Cls.Log.clear();
    PostMessage(h, WM_USER + 1, 1);
    PostMessage(h, WM_USER + 1, 2);
    PumpAll();
    RemoveMessageHook(a);
    RemoveMessageHook(b);
    EXPECT_EQ(order, (std::vector<int>{2, 2, 1}));
    EXPECT_EQ(Cls.Count(h, WM_USER + 1), 1);
}

TEST_F(MessageQueueTest, NestedPumping_InsideHandlers_WorksToAnyDepth)
{
    HWND h = Cls.Create(0, Bounds(0, 0, 10, 10), WS_POPUP);
    int depth = 0, maxDepth = 0, handled = 0;
    Cls.On[WM_USER + 1] = [&](HWND self, WPARAM w, LPARAM) -> LRESULT {
        ++depth;
        ++handled;
        maxDepth = std::max(maxDepth, depth);
        if (w < 20)
            PostMessage(self, WM_USER + 1, w + 1);
        PumpAll();   // as a handler calling ProcessMessages
        --depth;
        return 0;
    };
    PostMessage(h, WM_USER + 1, 0);
    PumpAll();
    EXPECT_EQ(handled, 21);
    EXPECT_EQ(maxDepth, 21);
}

TEST_F(MessageQueueTest, Timer_FakeClock_DueTimersComeInOrder)
{
    HWND h = Cls.Create(0, Bounds(0, 0, 10, 10), WS_POPUP);
    std::vector<int> fired;
    Cls.On[WM_TIMER] = [&](HWND, WPARAM id, LPARAM) -> LRESULT {
        fired.push_back(static_cast<int>(id));
        return 0;
    };
    SetTimer(h, 1, 100);
    SetTimer(h, 2, 150);
    PumpAll();
    EXPECT_TRUE(fired.empty());
    Driver.AdvanceClock(350);
    EXPECT_EQ(fired, (std::vector<int>{1, 2, 1, 1, 2}));
    KillTimer(h, 1);
    fired.clear();
    Driver.AdvanceClock(300);
    EXPECT_EQ(fired, (std::vector<int>{2, 2}));
}

TEST_F(MessageQueueTest, Timer_NotReenteredWhileItsHandlerPumps)
{
    HWND h = Cls.Create(0, Bounds(0, 0, 10, 10), WS_POPUP);
    int depth = 0, maxDepth = 0, calls = 0;
    Cls.On[WM_TIMER] = [&](HWND, WPARAM, LPARAM) -> LRESULT {
        ++depth;
        ++calls;
        maxDepth = std::max(maxDepth, depth);
        if (calls == 1)
            for (int i = 0; i < 5; ++i)
                Driver.AdvanceClock(100);   // pumps inside the handler while time passes
        --depth;
        return 0;
    };
    SetTimer(h, 1, 100);
    Driver.AdvanceClock(100);
    EXPECT_EQ(maxDepth, 1);
    // The ticks missed while the handler ran make up one message, not five.
    EXPECT_EQ(calls, 2);
    Driver.AdvanceClock(100);
    EXPECT_EQ(calls, 3);
}

TEST_F(MessageQueueTest, Timer_RestartedInsideHandler_MayFireAgainInside)
{
    HWND h = Cls.Create(0, Bounds(0, 0, 10, 10), WS_POPUP);
    int calls = 0, maxDepth = 0, depth = 0;
    Cls.On[WM_TIMER] = [&](HWND self, WPARAM, LPARAM) -> LRESULT {
        ++depth;
        ++calls;
        maxDepth = std::max(maxDepth, depth);
        if (calls == 1) {
            SetTimer(self, 1, 10);   // the code asks for it: a fresh timer
            Driver.AdvanceClock(10);
        }
        --depth;
        return 0;
    };
    SetTimer(h, 1, 10);
    Driver.AdvanceClock(10);
    EXPECT_EQ(maxDepth, 2);
}

TEST_F(MessageQueueTest, Timer_KilledOrWindowDestroyed_NoMoreMessages)
{
    HWND h = Cls.Create(0, Bounds(0, 0, 10, 10), WS_POPUP);
    SetTimer(h, 5, 10);
    DestroyWindow(h);
    Driver.AdvanceClock(100);
    EXPECT_EQ(Cls.Count(h, WM_TIMER), 0);
    EXPECT_EQ(SetTimer(h, 5, 10), 0u);
    EXPECT_EQ(NextTimerDue(), UINT64_MAX);
}

TEST_F(MessageQueueTest, Quit_ComesWithTheExitCode)
{
    PostQuitMessage(3);
    TMsg m;
    ASSERT_TRUE(PeekMessage(&m, 0, 0, 0, PM_REMOVE));
    EXPECT_EQ(m.message, WM_QUIT);
    EXPECT_EQ(m.wParam, 3u);
}

TEST_F(MessageQueueTest, PeekMessage_FiltersByWindowAndRange)
{
    HWND a = Cls.Create(0, Bounds(0, 0, 10, 10), WS_POPUP);
    HWND b = Cls.Create(0, Bounds(0, 0, 10, 10), WS_POPUP);
    PostMessage(a, WM_USER + 1);
    PostMessage(b, WM_USER + 2);
    TMsg m;
    ASSERT_TRUE(PeekMessage(&m, b, 0, 0, PM_REMOVE));
    EXPECT_EQ(m.message, WM_USER + 2u);
    EXPECT_FALSE(PeekMessage(&m, 0, WM_USER + 5, WM_USER + 9, PM_NOREMOVE));
    ASSERT_TRUE(PeekMessage(&m, 0, WM_USER, WM_USER + 1, PM_REMOVE));
    EXPECT_EQ(m.hwnd, a);
}

}  // namespace
