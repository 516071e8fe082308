// An MDI form as a person works it, in a form of the suite's own opened by the form host: three child
// windows in the main form's client area, tiled and cascaded from buttons, one maximised by a double
// click on its caption (the menu bar then carries the child's buttons), a tab bar with one tab per
// child, where a click on a tab brings its child to the front, and a second tile that puts the
// maximised child back among the others. The children are told apart by the
// colour that fills each of them; where the host arranged them it reports too.
#include <sstream>

#include "E2eJourney.h"

namespace {

// The children's colours (the host's ChildColours as the screen shows them) and the active tab's face.
constexpr TPixel ChildRed = 0x00C00000;
constexpr TPixel ChildGreen = 0x0000A000;
constexpr TPixel ChildBlue = 0x000000C0;
constexpr TPixel ActiveTab = 0x008593B5;

// The stored form: a 600 x 400 client area with the menu bar (22 rows), the tool panel (30) and the tab
// bar (21) on top; the MDI client has the rest.
constexpr int ClientWidth = 600;
constexpr int ClientHeight = 400;
constexpr int TabsTop = 52;
constexpr int MdiTop = 73;

class TMdiJourney : public TJourney {
protected:
    TScreenWindow Form;
    TPoint Client;   // the form's client area on the screen

    void Start()
    {
        ASSERT_NO_FATAL_FAILURE(StartForm("MdiForm.dfm", "", "MDI journey", Form));
        const int border = (Form.Rect.Width() - ClientWidth) / 2;
        Client = TPoint{Form.Rect.Left + border, Form.Rect.Bottom - border - ClientHeight};
        ASSERT_TRUE(HostSaid("children 3"));
        ASSERT_TRUE(D().WaitForStill(Form.Rect));
    }
    TPoint At(int X, int Y) const { return TPoint{Client.X + X, Client.Y + Y}; }
    TPoint InMdi(int X, int Y) const { return At(X, MdiTop + Y); }
    TPixel PixelAt(TPoint P) const { return D().Grab(TRect{P.X, P.Y, P.X + 1, P.Y + 1}).Pixel(0, 0) & 0x00FFFFFF; }
    bool Shows(TPoint P, TPixel C) const
    {
        return WaitUntil([&] { return CloseColour(PixelAt(P), C, 12); }, 10s);
    }
    // The host's last report that begins with What, waited for.
    std::string Report(const std::string& What) const
    {
        std::string found;
        WaitUntil(
            [&] {
                for (const std::string& l : ReadLines(Home.LogFile()))
                    if (l.rfind(What + " ", 0) == 0) found = l;
                return !found.empty();
            },
            20s);
        return found;
    }
    // The bounds of Child in a report ("tile Child1 0,0,200,327 ...").
    static TRect BoundsIn(const std::string& Line, const std::string& Child)
    {
        std::istringstream in(Line);
        std::string word;
        while (in >> word)
            if (word == Child && in >> word) {
                int l = 0, t = 0, w = 0, h = 0;
                char c = 0;
                std::istringstream(word) >> l >> c >> t >> c >> w >> c >> h;
                return TRect{l, t, l + w, t + h};
            }
        return TRect{};
    }
    // Which tab shows as the active one: its index, -1 for none.
    int ActiveTabIndex() const
    {
        const TSurface bar = D().Grab(TRect{At(0, TabsTop).X, At(0, TabsTop).Y, At(ClientWidth, TabsTop).X, At(0, TabsTop + 21).Y});
        for (int i = 0; i < 3; ++i)
            if (CloseColour(bar.Pixel(15 + 100 * i + 4, 10) & 0x00FFFFFF, ActiveTab, 12)) return i;
        return -1;
    }
    // The tabs that carry a caption (dark text pixels), counted along the bar.
    int TabsWithText() const
    {
        const TSurface bar = D().Grab(TRect{At(0, TabsTop).X, At(0, TabsTop).Y, At(ClientWidth, TabsTop).X, At(0, TabsTop + 21).Y});
        int count = 0;
        for (int left = 15; left + 100 <= ClientWidth; left += 100) {
            bool text = false;
            for (int x = left + 2; x < left + 98 && !text; ++x)
                for (int y = 3; y < 18 && !text; ++y) text = (bar.Pixel(x, y) & 0x00FFFFFF) == 0;
            count += text;
        }
        return count;
    }
};

TEST_P(TMdiJourney, TileCascadeMaximiseAndTheTabsFollow)
{
    ASSERT_NO_FATAL_FAILURE(Start());
    Picture("start");
    EXPECT_EQ(TabsWithText(), 3) << "one tab per child";
    EXPECT_EQ(ActiveTabIndex(), 2) << "the child made last is the active one";

    // Tile: side by side, the first child made on the left.
    Click(At(4 + 35, 22 + 3 + 12));
    const std::string tile = Report("tile");
    ASSERT_FALSE(tile.empty()) << "Tile reported nothing";
    const TRect t1 = BoundsIn(tile, "Child1");
    const TRect t2 = BoundsIn(tile, "Child2");
    const TRect t3 = BoundsIn(tile, "Child3");
    // The MDI client's size, as the three columns cover it without gaps.
    const int mdiWidth = t3.Right;
    const int mdiHeight = t1.Height();
    EXPECT_EQ(t1.TopLeft(), (TPoint{0, 0}));
    EXPECT_EQ(t2.Left, t1.Right);
    EXPECT_EQ(t3.Left, t2.Right);
    EXPECT_NEAR(mdiWidth, ClientWidth, 4);
    EXPECT_NEAR(mdiHeight, ClientHeight - MdiTop, 4);
    for (const TRect& t : {t1, t2, t3}) {
        EXPECT_EQ(t.Top, 0);
        EXPECT_EQ(t.Height(), mdiHeight);
        EXPECT_NEAR(t.Width(), mdiWidth / 3, 1);
    }
    EXPECT_TRUE(Shows(InMdi((t1.Left + t1.Right) / 2, 160), ChildRed));
    EXPECT_TRUE(Shows(InMdi((t2.Left + t2.Right) / 2, 160), ChildGreen));
    EXPECT_TRUE(Shows(InMdi((t3.Left + t3.Right) / 2, 160), ChildBlue));
    Picture("tiled");

    // Cascade: each a step further down and right, the active one last and on top.
    Click(At(80 + 35, 22 + 3 + 12));
    const std::string cascade = Report("cascade");
    ASSERT_FALSE(cascade.empty()) << "Cascade reported nothing";
    const TRect c1 = BoundsIn(cascade, "Child1");
    const TRect c2 = BoundsIn(cascade, "Child2");
    const TRect c3 = BoundsIn(cascade, "Child3");
    EXPECT_EQ(c1.TopLeft(), (TPoint{0, 0}));
    EXPECT_GT(c2.Left, c1.Left);
    EXPECT_GT(c3.Top, c2.Top);
    EXPECT_LE(c3.Right, mdiWidth);
    EXPECT_LE(c3.Bottom, mdiHeight);
    EXPECT_TRUE(Shows(InMdi(c3.Right - 20, c3.Bottom - 20), ChildBlue));
    // The first child's left edge still shows beside the others.
    EXPECT_TRUE(Shows(InMdi(c1.Left + (c2.Left - c1.Left) / 2, c1.Bottom - 10), ChildRed));
    Picture("cascaded");

    // Maximise the first child by a double click on its caption: it fills the client area, its tab is
    // the active one, and the menu bar gains the child's buttons at its right end.
    const TRect barEnd{At(ClientWidth - 80, 0).X, At(0, 0).Y, At(ClientWidth, 0).X, At(0, 22).Y};
    const TSurface barBefore = D().Grab(barEnd);
    const TPoint caption = InMdi(c1.Left + 100, c1.Top + 12);
    D().DoubleClick(caption.X, caption.Y);
    EXPECT_TRUE(Shows(InMdi(5, 5), ChildRed)) << "the maximised child does not fill the client area";
    EXPECT_TRUE(Shows(InMdi(mdiWidth - 5, mdiHeight - 5), ChildRed));
    EXPECT_TRUE(WaitUntil([&] { return ActiveTabIndex() == 0; }, 10s)) << "the maximised child's tab is not the active one";
    TSurface barAfter;
    auto same = [](const TSurface& A, const TSurface& B) {
        if (A.Width() != B.Width() || A.Height() != B.Height()) return false;
        for (int y = 0; y < A.Height(); ++y)
            for (int x = 0; x < A.Width(); ++x)
                if ((A.Pixel(x, y) & 0x00FFFFFF) != (B.Pixel(x, y) & 0x00FFFFFF)) return false;
        return true;
    };
    EXPECT_TRUE(D().WaitForPicture(barEnd, [&](const TSurface& S) { return !same(S, barBefore); }, barAfter, 10s))
        << "the menu bar shows no buttons of the maximised child";
    EXPECT_EQ(TabsWithText(), 3);
    Picture("maximised");

    // A click on the second tab brings the second child to the front, over the maximised one.
    Click(At(15 + 100 + 50, TabsTop + 10));
    EXPECT_TRUE(WaitUntil([&] { return ActiveTabIndex() == 1; }, 10s)) << "the second tab did not become the active one";
    EXPECT_TRUE(Shows(InMdi((c2.Left + c2.Right) / 2, (c2.Top + c2.Bottom) / 2), ChildGreen));
    EXPECT_TRUE(Shows(InMdi(mdiWidth - 5, mdiHeight - 5), ChildRed)) << "the maximised child went away";
    Picture("second-tab");

    // Tile again with the first child still maximised by its frame: it is put back first and takes a
    // column like the others, and the menu bar loses the child's buttons.
    Click(At(4 + 35, 22 + 3 + 12));
    std::string retile;
    WaitUntil(
        [&] {
            int tiles = 0;
            for (const std::string& l : ReadLines(Home.LogFile()))
                if (l.rfind("tile ", 0) == 0 && ++tiles == 2) retile = l;
            return !retile.empty();
        },
        20s);
    ASSERT_FALSE(retile.empty()) << "the second Tile reported nothing";
    const TRect r1 = BoundsIn(retile, "Child1");
    EXPECT_NEAR(r1.Width(), mdiWidth / 3, 1) << "the maximised child was tiled as it was: " << retile;
    EXPECT_EQ(r1.Height(), mdiHeight);
    for (const char* other : {"Child2", "Child3"}) {
        const TRect r = BoundsIn(retile, other);
        EXPECT_NEAR(r.Width(), mdiWidth / 3, 1) << other;
        EXPECT_FALSE(r.Left < r1.Right && r1.Left < r.Right) << other << " overlaps the first child: " << retile;
    }
    EXPECT_TRUE(Shows(InMdi((r1.Left + r1.Right) / 2, 160), ChildRed));
    EXPECT_TRUE(D().WaitForPicture(barEnd, [&](const TSurface& S) { return same(S, barBefore); }, barAfter, 10s))
        << "the menu bar still shows the buttons of a maximised child";
    Picture("tiled-after-maximise");
    EXPECT_TRUE(Program().Running());
}

// The keys typed into the active child go to the main form's menu bar first, where the child's own menu
// is merged in: Alt with a letter of the child's menu opens it there, and the main form's own item runs.
TEST_P(TMdiJourney, MenuKeysTypedIntoAChildReachTheMainMenuBar)
{
    ASSERT_NO_FATAL_FAILURE(Start());
    // A click into the third child (the active one, with the menu of its own) gives it the keyboard.
    const TPoint inChild = InMdi(90 + 120, 90 + 100);
    ASSERT_TRUE(Shows(inChild, ChildBlue));
    Click(inChild);
    D().Key("t", {"Alt_L"});
    ASSERT_TRUE(WaitForPopup().has_value()) << "Alt+T typed into the child opened no menu";
    Picture("child-menu-merged");
    D().Key("Return");
    EXPECT_TRUE(HostSaid("click mnuRun"));
    EXPECT_TRUE(PopupGone());
    // The main form's own item, a command without sub-items, runs from the child's keys as well.
    D().Key("f", {"Alt_L"});
    EXPECT_TRUE(HostSaid("click mnuFile"));
    EXPECT_TRUE(Program().Running());
}

E2E_JOURNEY(TMdiJourney);

} // namespace
