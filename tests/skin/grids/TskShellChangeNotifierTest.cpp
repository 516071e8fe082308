// The change notifier reports a new file in a watched folder on the GUI thread, and nothing is
// watched until a handler is assigned.
#include "skin/grids/TskShellChangeNotifier.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>

#include "tests/support/THeadlessDriver.h"
#include "tests/support/TScratchFolder.h"
#include "platform/win/MessageQueue.h"

namespace fs = std::filesystem;

TEST(ShellChangeNotifier, ANewFileBelowTheRootIsReportedOnTheGuiThread)
{
    THeadlessDriver driver;
    TScratchFolder scratch;
    const fs::path dir = scratch.Path();
    fs::create_directories(dir / "sub");
    {
        TskShellChangeNotifier notifier(nullptr);
        notifier.SetRoot(dir.string());
        EXPECT_EQ(NotifyFilterBits(notifier.NotifyFilters()), 3u);
        int changes = 0;
        const auto self = std::this_thread::get_id();
        bool onGuiThread = true;
        notifier.SetOnChange([&] {
            ++changes;
            onGuiThread = onGuiThread && std::this_thread::get_id() == self;
        });
        std::ofstream(dir / "sub" / "new.avi") << "x";
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (changes == 0 && std::chrono::steady_clock::now() < deadline) {
            WaitMessage(100);
            driver.ProcessMessages();
        }
        EXPECT_GE(changes, 1);
        EXPECT_TRUE(onGuiThread);
    }
}
