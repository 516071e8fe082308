#include "platform/rtl/TFlagGuard.h"

#include <gtest/gtest.h>
#include <stdexcept>

TEST(TFlagGuard, SetsForTheScopeAndRestoresOnExit)
{
    bool busy = false;
    {
        TFlagGuard g(busy);
        EXPECT_TRUE(busy);
    }
    EXPECT_FALSE(busy);

    bool enabled = true;
    {
        TFlagGuard g(enabled, false);
        EXPECT_FALSE(enabled);
    }
    EXPECT_TRUE(enabled);
}

TEST(TFlagGuard, RestoresWhenTheScopeThrows)
{
    bool busy = false;
    EXPECT_THROW(
        {
            TFlagGuard g(busy);
            throw std::runtime_error("handler failed");
        },
        std::runtime_error);
    EXPECT_FALSE(busy);
}

TEST(TFlagGuard, NestedGuardsHandBackTheOuterValue)
{
    bool busy = false;
    {
        TFlagGuard outer(busy);
        {
            TFlagGuard inner(busy);
        }
        // The inner section ending does not end the outer one's protection.
        EXPECT_TRUE(busy);
    }
    EXPECT_FALSE(busy);
}
