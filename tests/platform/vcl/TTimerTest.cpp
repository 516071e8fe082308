#include "platform/vcl/TTimer.h"

#include <gtest/gtest.h>

#include "tests/support/THeadlessDriver.h"
#include "platform/vcl/TApplication.h"

TEST(TTimerFiring, FiresEveryIntervalWhileEnabled)
{
    THeadlessDriver driver;
    TTimer timer(nullptr);
    int ticks = 0;
    timer.OnTimer = [&](TObject*) { ++ticks; };
    timer.SetInterval(100);
    driver.AdvanceClock(350);
    EXPECT_EQ(ticks, 3);
    timer.SetEnabled(false);
    driver.AdvanceClock(300);
    EXPECT_EQ(ticks, 3);
}

TEST(TTimerFiring, ProcessMessagesInsideTheHandlerRunsOtherWorkButNotTheSameTimer)
{
    THeadlessDriver driver;
    TTimer timer(nullptr);
    TTimer other(nullptr);
    std::vector<std::string> log;
    int depth = 0;
    other.SetInterval(50);
    other.OnTimer = [&](TObject*) { log.push_back(depth > 0 ? "other inside" : "other"); };
    timer.SetInterval(100);
    timer.OnTimer = [&](TObject*) {
        ++depth;
        log.push_back("timer");
        // A long job that keeps the program alive, as the conversion loop does.
        driver.Clock().Advance(60);
        Application->ProcessMessages();
        --depth;
    };
    other.SetEnabled(false);
    driver.AdvanceClock(100);
    ASSERT_FALSE(log.empty());
    log.clear();
    other.SetEnabled(true);
    driver.AdvanceClock(100);
    EXPECT_NE(std::find(log.begin(), log.end(), "other inside"), log.end());
    EXPECT_EQ(std::count(log.begin(), log.end(), "timer"), 1);
}

TEST(TTimerFiring, ExceptionInTheHandlerIsReportedAndTheTimerGoesOn)
{
    THeadlessDriver driver;
    TTimer timer(nullptr);
    int ticks = 0;
    std::string reported;
    Application->OnException = [&](TObject*, Exception& e) { reported = e.Message(); };
    timer.SetInterval(100);
    timer.OnTimer = [&](TObject*) {
        ++ticks;
        throw Exception("tick failed");
    };
    driver.AdvanceClock(200);
    Application->OnException = nullptr;
    EXPECT_EQ(reported, "tick failed");
    EXPECT_EQ(ticks, 2);
}

TEST(TTimerLoading, NoTimerRunsWhileItsFormIsRead)
{
    THeadlessDriver driver;
    TTimer timer(nullptr);
    timer.SetLoadingState(true);
    int ticks = 0;
    timer.OnTimer = [&](TObject*) { ++ticks; };
    timer.SetInterval(10);
    driver.AdvanceClock(50);
    EXPECT_EQ(ticks, 0);
    timer.Loaded();
    driver.AdvanceClock(50);
    EXPECT_EQ(ticks, 5);
}
