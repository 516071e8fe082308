// The tool pool with real children: the order runs start in, a line that ends a tool, and EndAll,
// which ends what runs and starts nothing more.
#include "app/om_toolpool.h"

#include "app/om_runcontrol.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(ToolPool, LowerRankFirst_EqualRanksInTheOrderAdded)
{
    TToolPool pool(1, "");
    std::vector<std::string> ended;
    const auto add = [&](const std::string& Command, int Rank) {
        TPoolRun run;
        run.CommandLine = Command;
        run.Rank = Rank;
        run.Then = [&ended](const TPoolRun& Done) { ended.push_back(Done.Lines.empty() ? Done.CommandLine : Done.Lines[0]); };
        pool.Add(std::move(run));
    };
    // The first run takes the only runner at once; the others wait for it.
    add("sleep 0.3", 9);
    add("echo c", 3);
    add("echo a", 1);
    add("echo b", 1);
    ServeUntil([&] { return pool.Idle(); }, 30000);
    EXPECT_EQ(ended, (std::vector<std::string>{"sleep 0.3", "a", "b", "c"}));
}

TEST(ToolPool, LineThatEndsTheRun_EndsTheTool_ItsLinesKept)
{
    TToolPool pool(2, "");
    TPoolRun run;
    run.CommandLine = "yes";
    run.EndsWhen = [](const std::string& Line) { return Line == "y"; };
    pool.Add(std::move(run));
    const TPoolRun* yes = pool.Find("yes");
    ASSERT_NE(yes, nullptr);
    ServeUntil([&] { return yes->Ended; }, 30000);
    ASSERT_TRUE(yes->Ended);
    EXPECT_FALSE(yes->Cut);
    ASSERT_FALSE(yes->Lines.empty());
    EXPECT_EQ(yes->Lines.front(), "y");
}

TEST(ToolPool, EndAll_EndsTheRunningTools_AndStartsNoQueuedOne)
{
    TToolPool pool(2, "");
    int thens = 0;
    for (const char* command : {"sleep 60", "sleep 61", "sleep 62"}) {
        TPoolRun run;
        run.CommandLine = command;
        run.Then = [&thens](const TPoolRun&) { ++thens; };
        pool.Add(std::move(run));
    }
    pool.EndAll(30000);
    EXPECT_TRUE(pool.Idle());
    EXPECT_TRUE(pool.Find("sleep 60")->Cut);
    EXPECT_TRUE(pool.Find("sleep 61")->Cut);
    EXPECT_FALSE(pool.Find("sleep 62")->Ended);
    EXPECT_EQ(thens, 2);
    // Nothing starts after it.
    TPoolRun late;
    late.CommandLine = "echo late";
    pool.Add(std::move(late));
    EXPECT_EQ(pool.Find("echo late"), nullptr);
    EXPECT_TRUE(pool.Idle());
}

} // namespace
