// A folder of many clips scanned with every processor, against the real tools: the rows come in the
// chain's order with what a scan of each clip alone gives them, a broken clip among good ones keeps
// its word, and Stop ends the round at once with no tool of ours left behind.
#include "app/om_scanahead.h"

#include "om_queueTesting.h"
#include "om_testing.h"

#include "app/om_functions.h"
#include "app/om_queue.h"
#include "app/om_runcontrol.h"
#include "app/om_tables.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/Strings.h"
#include "platform/rtl/TStringList.h"
#include "platform/vcl/TImage.h"
#include "platform/vcl/TTimer.h"
#include "tests/support/THeadlessDriver.h"

#include <unistd.h>

#include <chrono>
#include <fstream>
#include <random>
#include <thread>

using namespace omtest;

namespace {

constexpr int ClipCount = 12;
const std::string BrokenName = "c05 broken.avi";

// Twelve clips, the first ones longest (so they do not come back first when run side by side), and
// random bytes among them; all padded past the scan's size floor.
struct Folder {
    TempFolder Dir;
    bool Ok = true;
    Folder()
    {
        for (int i = 0; i < ClipCount; ++i) {
            const std::string path = Dir / Format("c%2.2d clip.avi", {static_cast<int64_t>(i)});
            Ok = Ok && RunQuiet("ffmpeg -y -f lavfi -i testsrc=size=160x120:rate=25 -f lavfi -i sine=sample_rate=48000 -t " +
                                std::to_string(6 - i * 5 / ClipCount) + " -c:v mpeg4 -g 1 -c:a mp3 '" + path + "'");
            if (Ok && fs::file_size(path) < 1'100'000)
                fs::resize_file(path, 1'100'000);
        }
        std::mt19937 bytes(33);
        std::ofstream out(Dir / BrokenName, std::ios::binary);
        for (int i = 0; i < 1'100'000; ++i)
            out.put(static_cast<char>(bytes() & 0xFF));
    }
    // The clips in the order the folder walk gives them.
    std::vector<std::string> Clips() const
    {
        TStringList found;
        FindFiles(Dir.Path.string(), "*.*", found);
        std::vector<std::string> clips;
        for (int i = 0; i < found.Count(); ++i)
            if (found.Strings(i).find("broken") == std::string::npos)
                clips.push_back(found.Strings(i));
        return clips;
    }
};

Folder& TheFolder()
{
    static Folder folder;
    return folder;
}

// The tools this process started that still run (not yet ended, zombies aside).
std::vector<std::string> OwnToolsRunning()
{
    std::vector<std::string> running;
    for (const auto& entry : fs::directory_iterator("/proc")) {
        std::ifstream in(entry.path() / "stat");
        std::string stat;
        if (!std::getline(in, stat))
            continue;
        const std::size_t close = stat.rfind(')');
        if (close == std::string::npos)
            continue;
        char state = 0;
        int ppid = 0;
        if (std::sscanf(stat.c_str() + close + 1, " %c %d", &state, &ppid) == 2 && ppid == getpid() && state != 'Z')
            running.push_back(stat.substr(0, close + 1));
    }
    return running;
}

struct RealFolderScan : FormTest {
    THeadlessDriver Driver{false};
    TOmQueue* Queue = nullptr;

    void SetUp() override
    {
        FormTest::SetUp();
        if (!TheFolder().Ok)
            GTEST_SKIP() << "ffmpeg could not make the test clips";
        Queue = new TOmQueue(Form.get());
        Queue->skSkinScrollpanel1 = QueueBox(*Form, 600, 300);
    }
    void Scan(const std::string& Name)
    {
        Form->DropFiles({Name});
        Form->ScanTimerTimer(Form->ScanTimer);
    }
    int Rows() const
    {
        int n = 0;
        while (Queue->HasRow(n))
            ++n;
        return n;
    }
    bool HasPicture(int r) const
    {
        const TImage* picture = Queue->RowPicture(r);
        return picture && picture->Picture()->Width() > 0;
    }
};

} // namespace

TEST_F(RealFolderScan, ManyClips_RowsInTheChainsOrder_EachAsAScanOfItsOwnGivesIt_TheBrokenOneSaysWhy)
{
    const std::vector<std::string> clips = TheFolder().Clips();
    ASSERT_EQ(clips.size(), static_cast<std::size_t>(ClipCount));
    // The window answers all along: its timers keep firing while the clips are identified.
    int ticks = 0;
    auto* timer = new TTimer(Form.get());
    timer->SetInterval(20);
    timer->OnTimer = [&ticks](TObject*) { ++ticks; };
    timer->SetEnabled(true);
    Scan(TheFolder().Dir.Path.string());
    timer->SetEnabled(false);
    EXPECT_GT(ticks, 0);

    ASSERT_EQ(Rows(), ClipCount) << Form->status->ProgressText();
    EXPECT_EQ(Form->status->ProgressText(), "Skipped " + BrokenName + " (no video found)");
    EXPECT_EQ(Form->RunState.ToolRunning, 0);
    EXPECT_EQ(Form->RunState.Scanning, 0);
    EXPECT_TRUE(OwnToolsRunning().empty());
    for (int r = 0; r < ClipCount; ++r) {
        EXPECT_EQ(Cell(SourceRecord::SourcePath, r), clips[r]) << "row " << r;
        EXPECT_TRUE(HasPicture(r)) << "row " << r << " has no picture";
    }
    // No scratch video of the pictures is left (the run's scratch folder stays until it ends).
    for (const auto& entry : fs::recursive_directory_iterator(fs::path(Form->WorkFolder) / "temp"))
        EXPECT_TRUE(entry.is_directory() || entry.path().extension() == ".jpg") << entry.path();

    // Each record is the one a scan of that clip alone makes (the pictures made afresh, since their
    // framing is written when they are made).
    TskSkinStringGrid& folderTable = *Form->StringGrid1;
    for (const int r : {0, ClipCount / 2, ClipCount - 1}) {
        fs::remove_all(fs::path(Form->WorkFolder) / "temp");
        TForm1 alone(nullptr, System);
        auto* queue = new TOmQueue(&alone);
        queue->skSkinScrollpanel1 = QueueBox(alone, 600, 300);
        alone.DropFiles({clips[r]});
        alone.ScanTimerTimer(alone.ScanTimer);
        ASSERT_TRUE(queue->HasRow(0)) << clips[r];
        for (int col = 1; col < 100; ++col)
            EXPECT_EQ(alone.StringGrid1->Cells(col, 0), folderTable.Cells(col, r)) << "row " << r << ", column " << col;
    }
}

TEST_F(RealFolderScan, FileStillBeingWritten_IsSkippedAndTheStatusSaysSo_TheOthersGetTheirRows)
{
    TempFolder dir;
    const std::vector<std::string> clips = TheFolder().Clips();
    fs::copy_file(clips[0], dir / "a clip.avi");
    fs::copy_file(clips[1], dir / "b growing.avi");
    fs::copy_file(clips[2], dir / "c clip.avi");
    std::ofstream writer(dir / "b growing.avi", std::ios::app);
    Scan(dir.Path.string());
    ASSERT_EQ(Rows(), 2);
    EXPECT_EQ(ExtractFileName(Cell(SourceRecord::SourcePath, 0)), "a clip.avi");
    EXPECT_EQ(ExtractFileName(Cell(SourceRecord::SourcePath, 1)), "c clip.avi");
    EXPECT_EQ(Form->status->ProgressText(), "Skipped b growing.avi (in use)");
}

// The status line, which presses Stop when it first names the file it waits for.
struct TStopAt : IOmGauge {
    TForm1& Form;
    std::string StopText;
    std::string Text;
    TStopAt(TForm1& AForm, std::string AStopText) : Form(AForm), StopText(std::move(AStopText)) {}
    std::string ProgressText() const override { return Text; }
    void SetProgressText(const std::string& Value) override
    {
        Text = Value;
        if (Value == StopText) {
            StopText.clear();
            Form.RunControl().Stop();
        }
    }
    int MaxValue() const override { return 100; }
    void SetMaxValue(int) override {}
    int Value() const override { return 0; }
    void SetValue(int) override {}
};

TEST_F(RealFolderScan, StopDuringTheScan_EndsItAtOnce_LeavesNoTool_AndTheNextRoundFinishesTheFolder)
{
    // Stop while the second clip is identified: the first one's record is complete, its picture
    // under way, and the pool runs the next clips' tools.
    const std::vector<std::string> clips = TheFolder().Clips();
    TStopAt status(*Form, "Scanning " + ExtractFileName(clips[1]));
    IOmGauge* const ownStatus = Form->status;
    Form->status = &status;
    Scan(TheFolder().Dir.Path.string());
    Form->status = ownStatus;

    EXPECT_EQ(Rows(), 1) << "the scan went on after Stop";
    EXPECT_EQ(Cell(SourceRecord::SourcePath, 0), clips[0]);
    EXPECT_TRUE(Cell(SourceRecord::RowId, 1).empty()) << "the file Stop came during got a record";
    EXPECT_EQ(status.Text, "") << "a file cut short by Stop is not one without video";
    const int rows = Rows();
    EXPECT_EQ(Form->RunState.ToolRunning, 0);
    EXPECT_EQ(Form->RunState.Scanning, 0);
    // Killed tools may take a moment to be gone from the process table.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!OwnToolsRunning().empty() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_TRUE(OwnToolsRunning().empty()) << OwnToolsRunning().front();
    // Every record the round made has its row: none would be converted unseen.
    for (int r = 0; r < Form->StringGrid1->RowCount(); ++r) {
        if (!Cell(SourceRecord::RowId, r).empty()) {
            EXPECT_TRUE(Queue->HasRow(r)) << "record " << r << " has no row";
        }
    }

    // No picture is left cut short (the next round would take it as made), no scratch video at all.
    for (const auto& entry : fs::recursive_directory_iterator(fs::path(Form->WorkFolder) / "temp")) {
        if (entry.is_directory())
            continue;
        ASSERT_EQ(entry.path().extension(), ".jpg") << entry.path();
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), {});
        EXPECT_TRUE(bytes.size() > 4 && bytes.compare(bytes.size() - 2, 2, "\xFF\xD9") == 0) << entry.path();
    }

    // A new round, Stop not pressed, takes the rest of the folder.
    Form->OnAddItem = [this](int r) { Queue->AddItem(r); };
    Scan(TheFolder().Dir.Path.string());
    ASSERT_EQ(Rows(), ClipCount);
    for (int r = rows; r < ClipCount; ++r)
        EXPECT_TRUE(HasPicture(r)) << "row " << r << " has no picture";
}
