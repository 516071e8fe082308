#include "app/Startup.h"

#include <gtest/gtest.h>

#include <signal.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <thread>

#include "app/TOMR_Splash.h"
#include "app/Unit1.h"
#include "app/om_runcontrol.h"
#include "om_testing.h"
#include "tests/support/THeadlessDriver.h"
#include "platform/rtl/TStringList.h"
#include "platform/vcl/TApplication.h"
#include "platform/vcl/THintWindow.h"
#include "platform/vcl/TImage.h"
#include "platform/win/Window.h"
#include "skin/form/TskSkinHint.h"
#include "process/TOxCreateProcess.h"

using namespace omtest;

namespace {

bool ProcessGone(pid_t Pid)
{
    // Reaped by the runner once it has ended; a generous deadline for a loaded machine.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (std::chrono::steady_clock::now() < deadline) {
        if (::kill(Pid, 0) != 0 && errno == ESRCH)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
}

TEST(ProgramBlock, StartsTheMainWindowAndAtCloseSavesTheSettingsAndEndsOurTool)
{
    TempHome home;
    THeadlessDriver driver(false);
    pid_t tool = 0;
    bool ready = false;
    TStartOptions options;
    options.SplashMs = 0;
    options.OnReady = [&](TForm1& Main) {
        ready = true;
        EXPECT_EQ(Application->MainForm(), &Main);
        EXPECT_EQ(Form1, &Main);
        EXPECT_EQ(Application->Title(), "Ombrix Free 1.3");
        // A tool of ours still running when the window closes.
        ASSERT_TRUE(Main.RunControl().RunTool("sleep 60", TToolKind::Encode));
        tool = Main.OxCreateProcess1->ProcessId();
        PostMessage(Main.Handle(), WM_CLOSE, 0, 0);
    };
    EXPECT_EQ(RunProgram(options), 0);
    EXPECT_TRUE(ready);
    EXPECT_EQ(Form1, nullptr);
    ASSERT_GT(tool, 0);
    EXPECT_TRUE(ProcessGone(tool));

    TStringList settings;
    settings.LoadFromFile(home.Path.string() + "/.local/share/Ombrix3/settings.omr");
    ASSERT_EQ(settings.Count(), 4);
    EXPECT_EQ(settings[0], "iPhone / iPod Touch");
    EXPECT_EQ(settings[1], "50");
    EXPECT_EQ(settings[2], home.Path.string() + "/Documents/Ombrix/");
    EXPECT_EQ(settings[3], "CC OFF");
}

TEST(Splash, BorderlessAndSizedToItsPicture)
{
    THeadlessDriver driver;
    auto* splash = new TOMR_Splash(nullptr);
    EXPECT_EQ(splash->Caption(), "Ombrix Free");
    EXPECT_EQ(splash->BorderStyle(), bsNone);
    EXPECT_EQ(splash->Position(), poScreenCenter);
    ASSERT_NE(splash->Image1, nullptr);
    EXPECT_EQ(splash->Image1->Picture()->Width(), 509);
    EXPECT_EQ(splash->Image1->Picture()->Height(), 99);
    splash->Show();
    driver.ProcessMessages();
    EXPECT_EQ(splash->ClientWidth(), 509);
    EXPECT_EQ(splash->ClientHeight(), 99);
    EXPECT_FALSE(driver.SaveWindow(splash->Handle(), "Splash", OMBRIX_TEST_PICTURES).empty());
    splash->Free();
}

} // namespace

namespace {

// Rests the pointer on a control of the window for longer than the hint pause; the hint window,
// when one shows.
THintWindow* RestOn(THeadlessDriver& Driver, TForm1& Main, const char* Name)
{
    auto* c = dynamic_cast<TControl*>(Main.FindComponent(Name));
    if (c == nullptr)
        return nullptr;
    Driver.MoveTo(c->ClientToScreen({c->Width() / 2, c->Height() / 2}));
    Driver.ProcessMessages();
    Driver.AdvanceClock(ApplicationHints().HintPause() + 50);
    Driver.ProcessMessages();
    THintWindow* w = ApplicationHints().HintWindow();
    return w != nullptr && w->Showing() ? w : nullptr;
}

TEST(ProgramHints, RestingOnAControlShowsItsHintInTheSkinnedWindow)
{
    TempHome home;
    THeadlessDriver driver;
    std::string buttonHint, deviceHint, destinationHint;
    bool skinned = false;
    TStartOptions options;
    options.SplashMs = 0;
    options.OnReady = [&](TForm1& Main) {
        Main.Show();
        driver.ProcessMessages();
        if (THintWindow* w = RestOn(driver, Main, "file_button")) {
            buttonHint = w->Caption();
            skinned = dynamic_cast<TskSkinHintWindow*>(w) != nullptr && IsWindowVisible(w->Handle());
        }
        // Controls that only name a hint take the window's setting.
        if (THintWindow* w = RestOn(driver, Main, "devicebox"))
            deviceHint = w->Caption();
        if (THintWindow* w = RestOn(driver, Main, "skskinlabel1"))
            destinationHint = w->Caption();
        PostMessage(Main.Handle(), WM_CLOSE, 0, 0);
    };
    EXPECT_EQ(RunProgram(options), 0);
    EXPECT_EQ(buttonHint, "Add file(s) to convert");
    EXPECT_TRUE(skinned);
    EXPECT_EQ(deviceHint, "The device the videos are made for");
    EXPECT_EQ(destinationHint, "Click to open the destination folder");
}

} // namespace
