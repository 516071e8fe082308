#include "tests/support/ClassesTestMain.h"

#include <gtest/gtest.h>

int RunTestsWithClasses(int argc, char** argv, void (*RegisterClasses)())
{
    testing::InitGoogleTest(&argc, argv);
    RegisterClasses();
    return RUN_ALL_TESTS();
}
