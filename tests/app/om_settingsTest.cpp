// The settings file, the banner cycle and the help document.
#include "app/om_settings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "app/Unit1.h"
#include "app/om_controls.h"
#include "om_testing.h"
#include "platform/rtl/TStringList.h"

using namespace omtest;

namespace {

struct FakeCombo : IOmComboBox {
    TStringList List;
    int Index = -1;
    std::string Text() const override { return Index >= 0 ? List[Index] : std::string(); }
    int ItemIndex() const override { return Index; }
    void SetItemIndex(int Value) override { Index = Value; }
    TStrings& Items() override { return List; }
};

struct FakeSlider : IOmSlider {
    int V = 0, Max = 100;
    int Value() const override { return V; }
    void SetValue(int Value) override { V = Value; }
    int MaxValue() const override { return Max; }
    void SetMaxValue(int Value) override { Max = Value; }
};

struct FakeGauge : IOmGauge {
    std::string Text;
    std::string ProgressText() const override { return Text; }
    void SetProgressText(const std::string& Value) override { Text = Value; }
    int MaxValue() const override { return 100; }
    void SetMaxValue(int) override {}
    int Value() const override { return 0; }
    void SetValue(int) override {}
};

struct Settings : ::testing::Test {
    TempFolder Dir;
    std::string Work;
    FakeCombo Device;
    FakeSlider Quality;
    FakeGauge Destination;
    bool Captions = false;
    std::vector<std::string> Calls;
    TSettingsControls Controls;

    void SetUp() override
    {
        Work = Dir / "";
        for (const char* d : {"iPod Classic/Nano/Video", "Zune 30", "Windows Mobile"})
            Device.List.Add(d);
        Device.Index = 0;
        Quality.V = 50;
        Controls.devicebox = &Device;
        Controls.vq = &Quality;
        Controls.skskinlabel1 = &Destination;
        Controls.ClosedCaptions = [this] { return Captions; };
        Controls.SetClosedCaptions = [this](bool V) { Captions = V; };
        Controls.deviceboxChange = [this] {
            Calls.push_back("device");
            Quality.V = 50; // the device's default quality
        };
        Controls.vqChange = [this] { Calls.push_back("quality " + std::to_string(Quality.V)); };
    }
    void WriteFile(const std::string& Text) { std::ofstream(SettingsFileName(Work), std::ios::binary) << Text; }
};

} // namespace

TEST_F(Settings, SavedChoicesComeBackInTheOrderTheHandlersNeed)
{
    Device.Index = 1;
    Quality.V = 77;
    Destination.Text = "/home/u/My \"Videos\"/";
    Captions = true;
    ASSERT_TRUE(SaveSettings(Work, Controls));
    std::ifstream in(SettingsFileName(Work), std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(text, "Zune 30\r\n77\r\n/home/u/My \"Videos\"/\r\nCC ON\r\n");

    Device.Index = 0;
    Quality.V = 10;
    Destination.Text.clear();
    Captions = false;
    ASSERT_TRUE(LoadSettings(Work, Controls));
    EXPECT_EQ(Device.Index, 1);
    EXPECT_EQ(Quality.V, 77);
    EXPECT_EQ(Destination.Text, "/home/u/My \"Videos\"/");
    EXPECT_TRUE(Captions);
    EXPECT_EQ(Calls, (std::vector<std::string>{"device", "quality 77"}));
}

TEST_F(Settings, ThreeLinesLeaveTheCaptionsAlone_AndOnlyOnTurnsThemOn)
{
    Captions = true;
    WriteFile("Zune 30\r\n60\r\n/tmp/out/\r\n");
    LoadSettings(Work, Controls);
    EXPECT_TRUE(Captions);
    Captions = false;
    WriteFile("Zune 30\r\n60\r\n/tmp/out/\r\ncc on\r\n");
    LoadSettings(Work, Controls);
    EXPECT_TRUE(Captions);
    Captions = false;
    WriteFile("Zune 30\r\n60\r\n/tmp/out/\r\nCC OFF\r\n");
    LoadSettings(Work, Controls);
    EXPECT_FALSE(Captions);
}

TEST_F(Settings, AGarbledFileKeepsWhatItCannotRead)
{
    WriteFile("No Such Phone\r\nfast\r\n");
    ASSERT_TRUE(LoadSettings(Work, Controls));
    EXPECT_EQ(Device.Index, 0);
    EXPECT_EQ(Quality.V, 50); // the device's default, not a conversion error
    EXPECT_EQ(Destination.Text, "");

    WriteFile(std::string("\0\xff\xfe garbage", 11));
    EXPECT_NO_THROW(LoadSettings(Work, Controls));
    // A destination line names a folder or a place for one, or it is not taken: not a relative name
    // (made where the program was started), the bytes of a damaged file, a file, or below one.
    const std::string file = Dir.Write("a file");
    for (const std::string& line : {std::string("out"), std::string("/\x01\xd3", 3), file, file + "/x/", Dir / "to/make/"}) {
        WriteFile("Zune 30\r\n60\r\n" + line + "\r\n");
        LoadSettings(Work, Controls);
        EXPECT_EQ(Destination.Text, line == Dir / "to/make/" ? line : "") << line;
    }
    EXPECT_FALSE(LoadSettings(Dir / "missing/", Controls));
}

// 64 MB of empty lines after four good ones, read in a child whose address space is bounded far
// below what keeping every line takes. (The sanitizer's shadow memory does not fit such a bound.)
#if !defined(__SANITIZE_ADDRESS__)
TEST_F(Settings, AHugeFileIsReadNoFurtherThanItsFourLines)
{
    std::ofstream(SettingsFileName(Work), std::ios::binary) << "Zune 30\n60\n" << Work << "\nCC ON\n" << std::string(64 << 20, '\n');
    long pages = 0;
    std::ifstream("/proc/self/statm") >> pages;
    const rlim_t bound = static_cast<rlim_t>(pages) * sysconf(_SC_PAGESIZE) + (256u << 20);
    const pid_t child = fork();
    if (child == 0) {
        const rlimit limit{bound, bound};
        setrlimit(RLIMIT_AS, &limit);
        try {
            _exit(LoadSettings(Work, Controls) && Quality.V == 60 && Destination.Text == Work && Captions ? 0 : 1);
        } catch (...) {
            _exit(2);
        }
    }
    int status = -1;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_EQ(status, 0) << "1: wrong choices, 2: out of memory";
}
#endif

TEST_F(Settings, AFailedSaveKeepsTheOldFile)
{
    WriteFile("Zune 30\r\n60\r\n/tmp/out/\r\nCC OFF\r\n");
    // A folder where the scratch file would go: the write fails before the old file is touched.
    std::filesystem::create_directory(SettingsFileName(Work) + ".new");
    EXPECT_FALSE(SaveSettings(Work, Controls));
    TStringList back;
    back.LoadFromFile(SettingsFileName(Work));
    EXPECT_EQ(back[0], "Zune 30");
}

TEST(Banner, CyclesThroughItsNineteenLinesAndOpensThePage)
{
    TBanner banner;
    std::vector<std::string> shown;
    std::vector<std::string> opened;
    banner.SetCaption = [&](const std::string& T) { shown.push_back(T); };
    banner.Open = [&](const std::string& T) {
        opened.push_back(T);
        return true;
    };
    for (int i = 0; i < BannerCount + 1; ++i)
        banner.Tick();
    ASSERT_EQ(shown.size(), 20u);
    EXPECT_EQ(shown[19], shown[0]);
    EXPECT_EQ(shown[0], BannerText(0));
    EXPECT_EQ(banner.BannerIndex(), 1);
    banner.Click();
    EXPECT_EQ(opened, std::vector<std::string>{BannerPage});
}

TEST(Help, TheBuildMakesTheDocumentBesideTheProgram)
{
    std::ifstream in(std::string(OMBRIX_BINARY_DIR) + "/help.pdf", std::ios::binary);
    ASSERT_TRUE(in) << "no help.pdf beside the program";
    const std::string pdf((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(pdf.rfind("%PDF-", 0), 0u);
    EXPECT_NE(pdf.find("%%EOF"), std::string::npos) << "a cut document";
    int pages = 0;
    for (std::size_t at = pdf.find("/Type /Page"); at != std::string::npos; at = pdf.find("/Type /Page", at + 1))
        pages += pdf.compare(at, 12, "/Type /Pages") != 0 ? 1 : 0;
    // Every topic of the help: a few pages, not an empty document.
    EXPECT_GE(pages, 3);
}

TEST(Help, OpensTheDocumentBesideTheProgram)
{
    std::string opened;
    OpenHelp([&](const std::string& T) {
        opened = T;
        return true;
    });
    EXPECT_EQ(opened, ProgramFolder() + "help.pdf");
    EXPECT_EQ(opened.front(), '/');
}
