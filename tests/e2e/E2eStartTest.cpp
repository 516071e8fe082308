// Start: the splash, then the main window painted as its skin says, and a program that sits
// still while nobody uses it.
#include <chrono>
#include <cstdlib>
#include <iostream>

#include "E2eJourney.h"
#include "E2eSkin.h"

// X11 last: its headers define None, Bool, Status, True and False as macros.
#include <X11/Xlib.h>

namespace {

class TStartJourney : public TJourney {};

// Counts the top-level windows made and destroyed on the display from its making on, through a
// connection of its own.
class TTopLevelWatch {
public:
    explicit TTopLevelWatch(const std::string& Display) : FX(XOpenDisplay(Display.c_str()))
    {
        if (FX) {
            XSelectInput(FX, DefaultRootWindow(FX), SubstructureNotifyMask);
            XSync(FX, False);
        }
    }
    ~TTopLevelWatch()
    {
        if (FX)
            XCloseDisplay(FX);
    }
    // Takes in what the server has reported so far.
    void Collect()
    {
        if (!FX)
            return;
        XSync(FX, False);
        while (XPending(FX)) {
            XEvent e;
            XNextEvent(FX, &e);
            if (e.type == CreateNotify)
                ++Created;
            else if (e.type == DestroyNotify)
                ++Destroyed;
        }
    }
    int Created = 0;
    int Destroyed = 0;

private:
    Display* FX;
};

TEST_P(TStartJourney, SplashThenMainWindowPaintedFromTheSkin_AndIdle)
{
    TTopLevelWatch windows(D().Name());
    const auto started = std::chrono::steady_clock::now();
    ASSERT_TRUE(Program().Start(true));

    // The splash: its own picture (a play mark in the Start button's green on a blue band), centred.
    const std::optional<TScreenWindow> splash = D().WaitForWindow(Pid(), "Ombrix Free", 30s);
    ASSERT_TRUE(splash.has_value()) << "no splash window";
    EXPECT_EQ(splash->Rect.Width(), 509);
    EXPECT_EQ(splash->Rect.Height(), 99);
    EXPECT_NEAR(Middle(splash->Rect).X, D().ScreenRect().Width() / 2, 2);
    TSurface shown;
    const bool splashPainted = D().WaitForPicture(
        splash->Rect, [](const TSurface& s) { return CloseColour(s.Pixel(34, 49), 0xFF40B040u); }, shown, 15s);
    Picture("splash");
    EXPECT_TRUE(splashPainted) << "the splash's play mark shows " << ColourText(shown.Pixel(34, 49));

    const std::optional<TScreenWindow> main = Program().WaitForMainWindow(60s);
    ASSERT_TRUE(main.has_value()) << "the main window did not appear painted";
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::cout << "start to painted main window (splash included): " << seconds << " s\n";
    RecordProperty("StartSeconds", std::to_string(seconds));
    Main = TMainWindow(*main);
    EXPECT_TRUE(D().WaitForWindowGone(Pid(), "Ombrix Free")) << "the splash stayed";
    // Each top-level window is made once: the splash and the main window, nothing made only to be
    // destroyed again but the splash. (A window manager makes frames of its own.)
    windows.Collect();
    if (!D().HasWindowManager()) {
        EXPECT_EQ(windows.Created, 2);
        EXPECT_EQ(windows.Destroyed, 1);
    }
    // The stored form sizes the content to 600 x 300 and centres the window on the screen.
    EXPECT_NEAR(Middle(Main.Whole()).X, D().ScreenRect().Width() / 2, 4);
    EXPECT_NEAR(Middle(Main.Whole()).Y, D().ScreenRect().Height() / 2, 20);

    ASSERT_TRUE(D().WaitForStill(Main.Whole()));
    Picture("main");
    shown = D().Grab(D().ScreenRect());
    const TSkinPictures skin;
    ASSERT_TRUE(skin.Loaded());

    // The caption bar carries the frame picture's caption strip (the window is the active one): row by
    // row, where the bar is empty (past the title, before the buttons), the same colours.
    const int emptyX = Main.Whole().Left + Main.Whole().Width() * 3 / 4;
    for (int y = 6; y <= 20; y += 2) {
        const TPixel caption = shown.Pixel(emptyX, Main.Whole().Top + y);
        EXPECT_TRUE(CloseColour(caption, skin.CaptionColour(y), 10))
            << "caption row " << y << ": " << ColourText(caption) << ", skin " << ColourText(skin.CaptionColour(y));
    }
    // The tool bars are the skin's tool panel; between the buttons its face shows.
    const TPixel toolbar = shown.Pixel(Main.At(155, 17).X, Main.At(155, 17).Y);
    EXPECT_TRUE(CloseColour(toolbar, skin.ControlColour("toolpanel"), 10))
        << "tool bar " << ColourText(toolbar) << ", skin " << ColourText(skin.ControlColour("toolpanel"));
    // Before any source the queue is covered by the panel that asks for videos.
    const TPixel queue = MainColour(shown, Main.Queue());
    EXPECT_TRUE(CloseColour(queue, skin.ControlColour("panel"), 10))
        << "queue " << ColourText(queue) << ", skin " << ColourText(skin.ControlColour("panel"));
    EXPECT_GE(CountColours(shown, Main.Queue()), 3) << "the queue's hint text is missing";
    // Start waits for a source: the button shows the skin's disabled face, with the green glyph.
    const TPixel start = MainColour(shown, Main.Start());
    EXPECT_TRUE(CloseColour(start, skin.ControlColour("toolbutton", TSkinFace::Disabled), 10))
        << "Start " << ColourText(start) << ", skin " << ColourText(skin.ControlColour("toolbutton", TSkinFace::Disabled));
    EXPECT_GT(ShareOfColour(shown, Main.Start(), 0xFF40B040u, 24), 0.005) << "the Start glyph is missing";
    // The destination shows the default folder as text on the status gauge.
    const TPixel destination = MainColour(shown, Main.DestinationText());
    EXPECT_TRUE(CloseColour(destination, skin.ControlColour("statusgauge"), 10))
        << "destination " << ColourText(destination) << ", skin " << ColourText(skin.ControlColour("statusgauge"));
    EXPECT_GE(CountColours(shown, Main.DestinationText()), 3) << "the destination text is missing";

    // Nothing to do: the program uses no processor time of note.
    ExpectIdle("main window alone");

    // The pointer rests on Add folder: its hint shows next to it, in the skin's hint window.
    D().MoveTo(Middle(Main.AddFolder()).X, Middle(Main.AddFolder()).Y);
    const std::optional<TScreenWindow> hint = WaitForPopup(10s);
    Picture("hint");
    ASSERT_TRUE(hint.has_value()) << "no hint appeared over Add folder";
    EXPECT_LT(std::abs(hint->Rect.Top - Main.AddFolder().Bottom), 60) << "the hint is far from the pointer";
    EXPECT_GE(CountColours(D().Grab(hint->Rect), TRect{0, 0, hint->Rect.Width(), hint->Rect.Height()}), 3) << "the hint shows no text";
    EXPECT_TRUE(Program().Running());
}

E2E_JOURNEY(TStartJourney);

} // namespace
