// The journeys' own tools: the support code runs beside the display server and the window manager,
// which are children of the test process too, so it must never take another child's end for its own.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <string>

#include "E2eProgram.h"

namespace {

bool IsZombie(pid_t Pid)
{
    std::ifstream in("/proc/" + std::to_string(Pid) + "/stat");
    std::string line;
    std::getline(in, line);
    const std::size_t close = line.rfind(')');
    return close != std::string::npos && line.compare(close + 1, 3, " Z ") == 0;
}

} // namespace

TEST(E2eSupport, RunToolWaitsForItsOwnChildOnly_TheOthersEndStaysForItsWaiter)
{
    const pid_t other = fork();
    ASSERT_GE(other, 0);
    if (other == 0)
        _exit(7);
    ASSERT_TRUE(WaitUntil([&] { return IsZombie(other); }, 10s));

    int exitCode = -1;
    EXPECT_EQ(RunTool({"sh", "-c", "echo out; exit 3"}, &exitCode), "out\n");
    EXPECT_EQ(exitCode, 3);

    int status = 0;
    ASSERT_EQ(waitpid(other, &status, WNOHANG), other) << "RunTool reaped a child that was not its own";
    EXPECT_EQ(WEXITSTATUS(status), 7);
}
