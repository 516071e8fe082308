#include "E2eJourney.h"

#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <map>

namespace {

// The skinned frame is as wide on the left, right and bottom: the rest of the height is its caption.
constexpr int FormClientWidth = 600;
constexpr int FormClientHeight = 300;

} // namespace

int FrameBorder(const TScreenWindow& Window)
{
    return std::max(0, (Window.Rect.Width() - FormClientWidth) / 2);
}

// The selected entry of a tree shown in Area: the selection box is a patch of one colour other than the
// tree's background that fills most of its own bounding box, as high as a line of text (the text's
// colours are spread all over the tree). Empty when there is none.
TRect SelectedBand(const TSurface& Shown, const TRect& Area)
{
    struct TPatch {
        int Count = 0;
        TRect Box{1 << 30, 1 << 30, -1, -1};
    };
    std::map<TPixel, TPatch> patches;
    for (int y = Area.Top; y < Area.Bottom; ++y)
        for (int x = Area.Left; x < Area.Right; ++x) {
            TPatch& p = patches[Shown.Pixel(x, y) & 0xFFFFFFu];
            ++p.Count;
            p.Box = TRect{std::min(p.Box.Left, x), std::min(p.Box.Top, y), std::max(p.Box.Right, x + 1), std::max(p.Box.Bottom, y + 1)};
        }
    for (const auto& [colour, p] : patches) {
        const int area = p.Box.Width() * p.Box.Height();
        if (p.Count >= 100 && p.Box.Height() >= 8 && p.Box.Height() <= 40 && p.Count * 2 >= area)
            return p.Box;
    }
    return TRect{};
}


TPoint Middle(const TRect& R)
{
    return {R.Left + R.Width() / 2, R.Top + R.Height() / 2};
}

TMainWindow::TMainWindow(const TScreenWindow& W) : Window(W), Border(FrameBorder(W))
{
    CaptionHeight = W.Rect.Height() - Border - FormClientHeight;
    FClient = {W.Rect.Left + Border, W.Rect.Top + CaptionHeight};
}

TMainWindow TMainWindow::Now(const TScreenWindow& W) const
{
    TMainWindow now = *this;
    now.Window = W;
    now.FClient = {W.Rect.Left + Border, W.Rect.Top + CaptionHeight};
    return now;
}

void TJourney::SetUp()
{
    FDisplay = std::make_unique<TE2eDisplay>(GetParam());
    ASSERT_TRUE(FDisplay->Started()) << FDisplay->Failure();
    FProgram = std::make_unique<TE2eProgram>(*FDisplay, Home);
    ClipFolder = Home.Documents() + "/clips";
}

void TJourney::TearDown()
{
    if (HasFailure() && FDisplay && FDisplay->Started())
        Picture("failed");
    if (HasFailure())
        for (const std::string& line : ReadLines(Home.LogFile()))
            std::cout << "program: " << line << "\n";
    // The program goes before its display does.
    FProgram.reset();
    FDisplay.reset();
}

void TJourney::StartProgram(bool Splash)
{
    const auto started = std::chrono::steady_clock::now();
    ASSERT_TRUE(FProgram->Start(Splash));
    const std::optional<TScreenWindow> main = FProgram->WaitForMainWindow(Splash ? 60s : 30s);
    if (!main) {
        std::string seen;
        for (const TScreenWindow& w : D().WindowsOf(Pid()))
            seen += " \"" + w.Title + "\"";
        FAIL() << "the main window did not appear painted; the program " << (FProgram->Running() ? "runs" : "ended")
               << ", its windows:" << seen;
    }
    Main = TMainWindow(*main);
    std::cout << "start to painted main window" << (Splash ? " (splash included)" : "") << ": "
              << std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count() << " s\n";
}

void TJourney::StartForm(const std::string& Form, const std::string& Skin, const std::string& Title, TScreenWindow& Window)
{
    ASSERT_TRUE(FProgram->StartFormHost(Form, Skin));
    const std::optional<TScreenWindow> shown = D().WaitForWindow(Pid(), Title, 30s);
    ASSERT_TRUE(shown.has_value()) << "the form host showed no window \"" << Title << "\"; it "
                                   << (FProgram->Running() ? "runs" : "ended");
    ASSERT_TRUE(HostSaid("ready"));
    ASSERT_TRUE(D().WaitForStill(shown->Rect)) << "the form's window never settled";
    Window = D().Refresh(*shown).value_or(*shown);
}

::testing::AssertionResult TJourney::HostSaid(const std::string& Line, std::chrono::milliseconds Limit) const
{
    std::vector<std::string> lines;
    const bool said = WaitUntil(
        [&] {
            lines = ReadLines(Home.LogFile());
            return std::find(lines.begin(), lines.end(), Line) != lines.end();
        },
        Limit);
    if (said) return ::testing::AssertionSuccess();
    std::string all;
    for (const std::string& l : lines) all += "\n  " + l;
    return ::testing::AssertionFailure() << "the form host never said \"" << Line << "\"; it said:" << all;
}

void TJourney::RefreshMain()
{
    if (const std::optional<TScreenWindow> now = D().Refresh(Main.Window))
        Main = Main.Now(*now);
}

void TJourney::Picture(const std::string& Step) const
{
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(info->test_suite_name()) + "_" + info->name() + "_" + Step;
    std::replace(name.begin(), name.end(), '/', '_');
    D().Save(name);
}

std::optional<TScreenWindow> TJourney::WaitForFolderDialog(const std::string& Title)
{
    // Shown is not yet usable: wait until it is painted (a window that stays black is a fault) and
    // still. A window the program replaces by another while it opens is looked for again.
    for (int attempt = 0; attempt < 3; ++attempt) {
        std::optional<TScreenWindow> dialog = D().WaitForWindow(Pid(), Title);
        if (!dialog)
            return dialog;
        TSurface shown;
        if (!D().WaitForPicture(dialog->Rect, [](const TSurface& s) { return CountColours(s, s.Bounds(), 32) >= 16; }, shown, 15s)) {
            if (!D().Refresh(*dialog))
                continue;
            ADD_FAILURE() << "the dialog \"" << Title << "\" opened but was never painted";
            return std::nullopt;
        }
        D().WaitForStill(dialog->Rect);
        if (std::optional<TScreenWindow> now = D().Refresh(*dialog))
            return now;
    }
    return std::nullopt;
}

// The button bar is 50 pixels high at the bottom of the dialog; OK sits at 20, 15 in it, Cancel at
// 100, 15, both 70 x 25.
static TPoint FolderDialogButton(const TScreenWindow& Dialog, int Border, int Left)
{
    return TPoint{Dialog.Rect.Left + Border + Left + 35, Dialog.Rect.Bottom - Border - 50 + 27};
}

bool TJourney::ConfirmFolderDialog(const TScreenWindow& Dialog)
{
    Click(FolderDialogButton(Dialog, Main.Border, 20));
    const bool gone = D().WaitForWindowGone(Pid(), Dialog.Title, 10s);
    EXPECT_TRUE(gone) << "the folder dialog did not close at the first click on OK";
    return gone;
}

bool TJourney::CancelFolderDialog(const TScreenWindow& Dialog)
{
    Click(FolderDialogButton(Dialog, Main.Border, 100));
    const bool gone = D().WaitForWindowGone(Pid(), Dialog.Title, 10s);
    EXPECT_TRUE(gone) << "the folder dialog did not close at the first click on Cancel";
    return gone;
}

void TJourney::ExpectMainWindowAnswers()
{
    Click(Main.AddFolder());
    const std::optional<TScreenWindow> dialog = WaitForFolderDialog("Select folder containing video files");
    ASSERT_TRUE(dialog.has_value()) << "the main window does not answer a click on Add folder";
    CancelFolderDialog(*dialog);
}

bool TJourney::PickTreeEntry(const TScreenWindow& Dialog, int Rows)
{
    // Scroll bars (19 pixels) and the button bar are left out of the search.
    const int border = Main.Border;
    const TRect tree{Dialog.Rect.Left + border + 10, Dialog.Rect.Top + 36, Dialog.Rect.Right - border - 26,
        Dialog.Rect.Bottom - border - 50 - 26};
    TSurface shown = D().Grab(D().ScreenRect());
    const TRect selected = SelectedBand(shown, tree);
    if (selected.IsEmpty())
        return false;
    const int rowHeight = selected.Height();
    const int top = selected.Top + Rows * rowHeight;
    // On the name: a step further in for a child (past its parent's box), at the same place otherwise.
    Click(TPoint{selected.Left + (Rows > 0 ? 24 : 8), top + rowHeight / 2});
    const bool moved = D().WaitForPicture(D().ScreenRect(),
        [&](const TSurface& s) {
            const TRect now = SelectedBand(s, tree);
            return !now.IsEmpty() && std::abs(now.Top - top) <= rowHeight / 2;
        },
        shown, 15s);
    Picture("tree-picked");
    return moved;
}

void TJourney::AddFolderWithMouse(int ExpectedRows, int Entry)
{
    Click(Main.AddFolder());
    const std::optional<TScreenWindow> dialog = WaitForFolderDialog("Select folder containing video files");
    ASSERT_TRUE(dialog.has_value()) << "Add folder opened no folder dialog";
    Picture("folder-dialog");

    // The tree starts at the documents folder, selected; the clips folder is its first child.
    ASSERT_TRUE(PickTreeEntry(*dialog, Entry)) << "a click on the clips folder in the tree did not select it";
    ASSERT_TRUE(ConfirmFolderDialog(*dialog));
    // The rows show once the whole folder is scanned, every clip in it identified and given its
    // thumbnail: on a loaded machine a folder of six clips takes more than a minute.
    EXPECT_TRUE(WaitForRows(ExpectedRows, 150s)) << "the queue did not show " << ExpectedRows << " rows";
}

void TJourney::StartConverting(int Device)
{
    if (Device != 0)
        ASSERT_TRUE(ChooseFromCombo(Main.Device(), Device)) << "the device list did not open, or did not close on a click";
    Click(Main.Start());
    const std::optional<TScreenWindow> destination = WaitForFolderDialog("Select destination folder");
    ASSERT_TRUE(destination.has_value()) << "Start did not ask for the destination";
    ASSERT_TRUE(ConfirmFolderDialog(*destination));
}

bool TJourney::WaitForQueueEnd(const TSurface& StartFace, std::chrono::milliseconds Limit)
{
    D().MoveTo(Main.Whole().Right + 40, Main.Whole().Bottom + 40);
    return WaitUntil(
        [&] {
            return !Program().RunsAnyOf({"mencoder", "ffmpeg", "mplayer"})
                && DifferentPixels(D().Grab(Main.Start()), StartFace) == 0;
        },
        Limit);
}

std::optional<TPreviewWindow> TJourney::OpenPreview(const std::string& Title)
{
    Click(Main.RowThumbnail(0));
    std::optional<TScreenWindow> w = D().WaitForWindow(Pid(), Title);
    if (!w)
        return std::nullopt;
    TPreviewWindow p{*w, Main.Border, Main.CaptionHeight};
    TSurface shown;
    // The row's still picture (colour bars) fills the picture area; a window never painted is one colour.
    if (!D().WaitForPicture(p.Picture(), [](const TSurface& s) { return CountColours(s, s.Bounds(), 64) >= 8; }, shown, 15s))
        return std::nullopt;
    // Every opening, whatever came before it: the bar shows Play, Stop and the slider in the skin's
    // greys; the still picture's colour bars spread over it would not.
    D().WaitForStill(p.Window.Rect, 10s);
    EXPECT_LT(ColourfulShare(D().Grab(p.Bar())), 0.1) << "the still picture covers the preview's bar";
    return p;
}

bool TJourney::WaitForRows(int Rows, std::chrono::milliseconds Limit)
{
    // A thumbnail of the test clip is colourful; the empty place, or the text panel, is not.
    return WaitUntil(
        [&] {
            const TSurface screen = D().Grab(D().ScreenRect());
            for (int r = 0; r < Rows; ++r)
                if (CountColours(screen, Main.RowThumbnail(r), 64) < 40)
                    return false;
            return true;
        },
        Limit);
}

std::optional<TScreenWindow> TJourney::WaitForPopup(std::chrono::milliseconds Limit) const
{
    std::optional<TScreenWindow> popup;
    WaitUntil(
        [&] {
            for (const TScreenWindow& w : D().WindowsOf(Pid()))
                if (w.OverrideRedirect && w.Rect.Width() > 20 && w.Rect.Height() > 10) {
                    popup = w;
                    return true;
                }
            return false;
        },
        Limit);
    return popup;
}

::testing::AssertionResult TJourney::PopupGone() const
{
    std::string open;
    const bool gone = WaitUntil(
        [&] {
            open.clear();
            for (const TScreenWindow& w : D().WindowsOf(Pid()))
                if (w.OverrideRedirect && w.Rect.Width() > 20 && w.Rect.Height() > 10)
                    open += " " + std::to_string(w.Rect.Width()) + "x" + std::to_string(w.Rect.Height()) + "+" +
                            std::to_string(w.Rect.Left) + "+" + std::to_string(w.Rect.Top);
            return open.empty();
        },
        10s);
    if (gone) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "still open:" << open;
}

bool TJourney::ChooseFromCombo(const TRect& Combo, int Index, int Visible)
{
    // The drop button sits at the right end of the box.
    Click(TPoint{Combo.Right - 9, Middle(Combo).Y});
    const std::optional<TScreenWindow> list = WaitForPopup();
    if (!list)
        return false;
    // Still and painted before it is read: a list that closes again at once is a fault of its own.
    D().WaitForStill(list->Rect, 5s);
    if (!D().Refresh(*list))
        return false;
    Picture("combo-list");
    const int itemHeight = list->Rect.Height() / Visible;
    Click(TPoint{list->Rect.Left + list->Rect.Width() / 3, list->Rect.Top + 1 + itemHeight * Index + itemHeight / 2});
    return WaitUntil([&] { return !D().IsShown(list->Id); }, 10s);
}

void TJourney::ClickCaptionButton(const TScreenWindow& Window, int FromRight) const
{
    // The skin's caption buttons are 20 pixels apart, ending 5 pixels from the right, 5 from the top.
    Click(TPoint{Window.Rect.Right - 15 - 20 * FromRight, Window.Rect.Top + 14});
}

void TJourney::ExpectIdle(const std::string& What)
{
    int seconds = 3;
    if (const char* env = std::getenv("OMBRIX_E2E_IDLE_SECONDS"))
        seconds = std::max(1, std::atoi(env));
    const std::vector<double> cpu = CpuPercent({Pid(), D().ServerPid()}, std::chrono::seconds(seconds));
    std::cout << "idle processor use over " << seconds << " s, " << What << (WithWm() ? ", with" : ", without")
              << " window manager: program " << cpu[0] << " %, X server " << cpu[1] << " %\n";
    // A second or two of processor time over a span may come from the machine's own load; a loop that
    // never settles takes far more.
    EXPECT_LT(cpu[0], 2.0) << "the idle program keeps the processor busy (" << What << ")";
    EXPECT_LT(cpu[1], 5.0) << "the idle program keeps the X server busy (" << What << ")";
}
