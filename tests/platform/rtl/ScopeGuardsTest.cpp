#include "platform/rtl/ScopeGuards.h"

#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <vector>

TEST(TValueGuard, SetsForTheScopeAndRestoresOnExit)
{
    bool busy = false;
    {
        TValueGuard g(busy);
        EXPECT_TRUE(busy);
    }
    EXPECT_FALSE(busy);

    bool enabled = true;
    {
        TValueGuard g(enabled, false);
        EXPECT_FALSE(enabled);
    }
    EXPECT_TRUE(enabled);

    int scanning = 0;
    std::string text = "drop files here";
    {
        TValueGuard s(scanning, -1);
        TValueGuard t(text, "scanning");
        EXPECT_EQ(scanning, -1);
        EXPECT_EQ(text, "scanning");
    }
    EXPECT_EQ(scanning, 0);
    EXPECT_EQ(text, "drop files here");
}

TEST(TValueGuard, RestoresWhenTheScopeThrows)
{
    bool busy = false;
    EXPECT_THROW(
        {
            TValueGuard g(busy);
            throw std::runtime_error("handler failed");
        },
        std::runtime_error);
    EXPECT_FALSE(busy);
}

TEST(TValueGuard, NestedGuardsHandBackTheOuterValue)
{
    bool busy = false;
    {
        TValueGuard outer(busy);
        {
            TValueGuard inner(busy);
        }
        // The inner section ending does not end the outer one's protection.
        EXPECT_TRUE(busy);
    }
    EXPECT_FALSE(busy);
}

TEST(TScopeExit, RunsOnceOnEveryWayOutInReverseOrder)
{
    std::vector<std::string> ran;
    {
        TScopeExit first([&] { ran.push_back("first"); });
        TScopeExit second([&] { ran.push_back("second"); });
    }
    EXPECT_EQ(ran, (std::vector<std::string>{"second", "first"}));

    ran.clear();
    EXPECT_THROW(
        {
            TScopeExit g([&] { ran.push_back("unwound"); });
            throw std::runtime_error("handler failed");
        },
        std::runtime_error);
    EXPECT_EQ(ran, std::vector<std::string>{"unwound"});
}
