#include "platform/vcl/TApplication.h"

#include <gtest/gtest.h>

#include "tests/support/THeadlessDriver.h"

namespace {
class TCountingForm : public TForm {
public:
    explicit TCountingForm(TComponent* AOwner) : TForm(AOwner) { OnCreate = [this](TObject*) { ++Creates; }; }
    int Creates = 0;
};
} // namespace

TEST(TApplicationForms, FirstCreatedFormIsTheMainFormAndOnCreateFiresOnce)
{
    THeadlessDriver driver;
    TCountingForm* first = nullptr;
    TCountingForm* second = nullptr;
    TCustomForm* previousMain = Application->MainForm();
    Application->CreateForm(first);
    Application->CreateForm(second);
    if (previousMain == nullptr) {
        EXPECT_EQ(Application->MainForm(), first);
    }
    EXPECT_EQ(first->Creates, 1);
    second->Show(); // a form already created is not created again
    EXPECT_EQ(second->Creates, 1);
    EXPECT_GE(Screen->FormCount(), 2);
    first->Free();
    second->Free();
    EXPECT_NE(Application->MainForm(), first);
}

TEST(TApplicationMessages, ProcessMessagesIsReentrant)
{
    THeadlessDriver driver;
    const HWND h = Application->Handle();
    std::vector<int> order;
    Application->OnMessage = [&](TMsg& m, bool& handled) {
        if (m.message < WM_USER + 100 || m.message > WM_USER + 102) return;
        handled = true;
        const int n = static_cast<int>(m.message - WM_USER - 100);
        order.push_back(n);
        if (n == 0) {
            PostMessage(h, WM_USER + 102, 0, 0);
            Application->ProcessMessages(); // handles 1 and 2 before returning
            order.push_back(10);
        }
    };
    PostMessage(h, WM_USER + 100, 0, 0);
    PostMessage(h, WM_USER + 101, 0, 0);
    Application->ProcessMessages();
    Application->OnMessage = nullptr;
    EXPECT_EQ(order, (std::vector<int>{0, 1, 2, 10}));
}

TEST(TApplicationExceptions, EveryKindIsReportedWithItsMessageAndAbortIsSilent)
{
    std::vector<std::string> reported;
    Application->OnException = [&](TObject*, Exception& E) { reported.push_back(E.Message()); };
    try {
        throw EConvertError("bad number");
    } catch (...) {
        Application->HandleException(nullptr);
    }
    try {
        Abort();
    } catch (...) {
        Application->HandleException(nullptr);
    }
    try {
        throw std::runtime_error("plain");
    } catch (...) {
        Application->HandleException(nullptr);
    }
    try {
        throw 42;
    } catch (...) {
        Application->HandleException(nullptr);
    }
    Application->OnException = nullptr;
    EXPECT_EQ(reported, (std::vector<std::string>{"bad number", "plain", "Unknown exception"}));
}

TEST(TApplicationInfo, ExeNameAndTitle)
{
    THeadlessDriver driver;
    EXPECT_FALSE(Application->ExeName().empty());
    Application->SetTitle("Ombrix Free");
    EXPECT_EQ(Application->Title(), "Ombrix Free");
    EXPECT_EQ(Screen->Width(), 1280);
    EXPECT_EQ(Screen->WorkAreaRect().Height(), 800);
}

// A test process (or a program) that runs the application again after DoneApplication gets a loop
// that runs: the first run's end (terminated, its quit still waiting) does not end the second at once.
TEST(TApplicationRun, RunsAgainAfterDoneApplication)
{
    THeadlessDriver driver;
    int handled = 0;
    Application->OnMessage = [&](TMsg& m, bool& done) {
        if (m.message != WM_USER + 200) return;
        done = true;
        ++handled;
        Application->Terminate();
    };
    for (int run = 1; run <= 2; ++run) {
        PostMessage(Application->Handle(), WM_USER + 200, 0, 0);
        Application->Run();
        EXPECT_EQ(handled, run);
        DoneApplication();
        EXPECT_FALSE(Application->Terminated());
    }
    Application->ProcessMessages();
    Application->OnMessage = nullptr;
    EXPECT_FALSE(Application->Terminated());
}

namespace {
// Counts itself out when freed, so a test can see when the application frees it.
class TFreedProbe : public TComponent {
public:
    TFreedProbe(TComponent* AOwner, int& Freed) : TComponent(AOwner), FFreed(Freed) {}
    ~TFreedProbe() override { ++FFreed; }

private:
    int& FFreed;
};
} // namespace

TEST(TApplicationRelease, ReleasedComponentGoesOnceTheCurrentMessageHasReturned)
{
    THeadlessDriver driver;
    int freed = 0;
    auto* probe = new TFreedProbe(nullptr, freed);
    const HWND h = Application->Handle();
    // Released from inside a message: still there when the handler ends, gone at the next turn of the loop.
    Application->OnMessage = [&](TMsg& m, bool& handled) {
        if (m.message != WM_USER + 200) return;
        handled = true;
        Application->ReleaseComponent(probe);
        Application->ReleaseComponent(probe); // twice is once
        EXPECT_EQ(freed, 0);
        EXPECT_TRUE(Application->ReleasePending(probe));
    };
    PostMessage(h, WM_USER + 200, 0, 0);
    Application->ProcessMessages();
    Application->OnMessage = nullptr;
    EXPECT_EQ(freed, 1);
    EXPECT_FALSE(Application->ReleasePending(probe));
}

TEST(TApplicationRelease, HoldKeepsReleasedComponentsUntilTheLastHoldEnds)
{
    THeadlessDriver driver;
    int freed = 0;
    auto* probe = new TFreedProbe(nullptr, freed);
    {
        TReleaseHold outer;
        {
            TReleaseHold inner;
            Application->FreeComponentWhenUnheld(probe);
        }
        // A loop run by held code does not free it either.
        Application->ProcessMessages();
        EXPECT_EQ(freed, 0);
    }
    EXPECT_EQ(freed, 0);
    Application->ProcessMessages();
    EXPECT_EQ(freed, 1);

    auto* now = new TFreedProbe(nullptr, freed);
    Application->FreeComponentWhenUnheld(now);
    EXPECT_EQ(freed, 2);
}

TEST(TApplicationRelease, ComponentFreedMeanwhileDropsOut)
{
    THeadlessDriver driver;
    int freed = 0;
    auto* owner = new TComponent(nullptr);
    auto* probe = new TFreedProbe(owner, freed);
    Application->ReleaseComponent(probe);
    owner->Free(); // frees the probe with it
    EXPECT_EQ(freed, 1);
    EXPECT_FALSE(Application->ReleasePending(probe));
    Application->ProcessMessages();
    EXPECT_EQ(freed, 1);
}

TEST(TApplicationRelease, ReleasedFormIsFreedAfterItsHandlerReturns)
{
    THeadlessDriver driver;
    int freed = 0;
    auto* form = new TForm(nullptr);
    auto* probe = new TFreedProbe(form, freed);
    (void)probe;
    form->Show();
    form->Release();
    EXPECT_EQ(freed, 0);
    Application->ProcessMessages();
    EXPECT_EQ(freed, 1);
}
