#include "platform/sys/Desktop.h"

#include <gtest/gtest.h>

#include "tests/support/TScratchFolder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

namespace fs = std::filesystem;

namespace {

// A fake xdg-open on PATH that records its arguments.
class DesktopTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const char* p = std::getenv("PATH");
        savedPath = p ? p : "";
        setenv("PATH", (dir + ":/usr/bin:/bin").c_str(), 1);
    }
    void TearDown() override { setenv("PATH", savedPath.c_str(), 1); }
    void InstallOpener(const std::string& body)
    {
        std::ofstream(dir + "/xdg-open") << "#!/bin/sh\n" << body << "\n";
        chmod((dir + "/xdg-open").c_str(), 0755);
    }
    std::string WaitForFile(const std::string& path)
    {
        for (int i = 0; i < 300 && !fs::exists(path + ".done"); ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        std::ifstream in(path);
        std::string s;
        std::getline(in, s);
        return s;
    }
    TScratchFolder scratch;
    std::string dir = scratch.Path();
    std::string savedPath;
};

} // namespace

TEST_F(DesktopTest, OpensTheTargetWithoutWaitingForTheOpener)
{
    const std::string out = dir + "/args";
    InstallOpener("sleep 1; printf '%s|' \"$@\" > " + out + "; touch " + out + ".done");
    auto start = std::chrono::steady_clock::now();
    OpenWithDesktop("/home/u/My Films/it's \"done\"");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(500));
    EXPECT_EQ(WaitForFile(out), "/home/u/My Films/it's \"done\"|");
}

TEST_F(DesktopTest, TargetStartingWithDashIsNotAnOption)
{
    const std::string out = dir + "/args";
    InstallOpener("printf '%s|' \"$@\" > " + out + "; touch " + out + ".done");
    OpenWithDesktop("-v");
    EXPECT_EQ(WaitForFile(out), "./-v|");
}

TEST_F(DesktopTest, MissingOpenerIsToldNotThrown)
{
    setenv("PATH", dir.c_str(), 1);
    bool opened = true;
    EXPECT_NO_THROW(opened = OpenWithDesktop("/tmp"));
    EXPECT_FALSE(opened);
    EXPECT_TRUE(OpenWithDesktop(""));
    InstallOpener("true");
    EXPECT_TRUE(OpenWithDesktop("/tmp"));
}

TEST(MakerCall, ReturnsZero)
{
    EXPECT_EQ(ExtractPlay(), 0);
}
