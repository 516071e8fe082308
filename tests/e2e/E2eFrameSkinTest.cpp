// The skinned frame on forms of the suite's own (the form host): a magnetic window dragged by its
// caption snaps to the edges of the work area, the skin changes while the window is open (the frame and
// every control under it follow, and finally the skin goes), and a frame drawn inside the client area
// rolls up to the skin's own roll-up picture.
#include <filesystem>
#include <fstream>
#include <sstream>

#include "E2eJourney.h"
#include "platform/gfx/Bmp.h"

namespace {

const std::string SlateFolder = std::string(OMBRIX_SOURCE_DIR) + "/skins/slate";

class TFrameSkinJourney : public TJourney {
protected:
    // Drags the window by its caption (GripY pixels below its top) so that its top-left corner lands at
    // (Left, Top), in Steps pointer steps, and waits until it rests at Expected; returns where it is then
    // (Expected, or where it stopped instead).
    TRect DragTo(TScreenWindow& Window, int Left, int Top, const TRect& Expected, int Steps = 8, int GripY = 21)
    {
        const TPoint grip{Window.Rect.Left + 100, Window.Rect.Top + GripY};
        D().Drag(grip.X, grip.Y, grip.X + Left - Window.Rect.Left, grip.Y + Top - Window.Rect.Top, Steps);
        WaitUntil(
            [&] {
                const std::optional<TScreenWindow> now = D().Refresh(Window);
                return now && now->Rect == Expected;
            },
            10s);
        if (const std::optional<TScreenWindow> now = D().Refresh(Window)) Window = *now;
        return Window.Rect;
    }
    static TRect At(int Left, int Top, int W, int H) { return TRect{Left, Top, Left + W, Top + H}; }
};

TEST_P(TFrameSkinJourney, MagneticWindow_DraggedByItsCaptionNearTheEdges_SnapsToThem)
{
    TScreenWindow window;
    ASSERT_NO_FATAL_FAILURE(StartForm("FrameSkinForm.dfm", SlateFolder + "/slate.ini", "Skin change journey", window));
    const TRect work = D().WorkArea();
    const int w = window.Rect.Width();
    const int h = window.Rect.Height();

    // Six pixels short of the left edge (the form snaps within ten): it lands on the edge.
    TRect r = DragTo(window, work.Left + 6, work.Top + 150, At(work.Left, work.Top + 150, w, h));
    EXPECT_EQ(r, At(work.Left, work.Top + 150, w, h)) << "not pulled onto the left edge";
    Picture("left-edge");
    // Far from every edge it goes exactly where it is dragged.
    r = DragTo(window, work.Left + 120, work.Top + 140, At(work.Left + 120, work.Top + 140, w, h));
    EXPECT_EQ(r, At(work.Left + 120, work.Top + 140, w, h)) << "a move far from the edges was changed";
    // Near the top edge: first close to it, then onto it.
    r = DragTo(window, work.Left + 200, work.Top + 40, At(work.Left + 200, work.Top + 40, w, h));
    EXPECT_EQ(r, At(work.Left + 200, work.Top + 40, w, h)) << "a move close to the top edge was changed";
    r = DragTo(window, work.Left + 200, work.Top + 7, At(work.Left + 200, work.Top, w, h));
    EXPECT_EQ(r, At(work.Left + 200, work.Top, w, h)) << "not pulled onto the top edge";
    // A fast hand: from far below straight up to the top edge in a few long steps, the pointer held in
    // the caption's middle, so that each step leaves the window's top behind before the window follows.
    r = DragTo(window, work.Left + 200, work.Top + 160, At(work.Left + 200, work.Top + 160, w, h));
    r = DragTo(window, work.Left + 200, work.Top + 6, At(work.Left + 200, work.Top, w, h), 5, 12);
    EXPECT_EQ(r, At(work.Left + 200, work.Top, w, h)) << "a fast drag up did not end on the top edge";
    Picture("fast-to-top-edge");
    // The same hand to the left edge.
    r = DragTo(window, work.Left + 160, work.Top + 150, At(work.Left + 160, work.Top + 150, w, h));
    r = DragTo(window, work.Left + 5, work.Top + 150, At(work.Left, work.Top + 150, w, h), 5, 12);
    EXPECT_EQ(r, At(work.Left, work.Top + 150, w, h)) << "a fast drag left did not end on the left edge";
    // Near the right and the bottom edges at once: the window's right and bottom sides land on them.
    r = DragTo(window, work.Right - w - 5, work.Bottom - h - 4, At(work.Right - w, work.Bottom - h, w, h));
    EXPECT_EQ(r, At(work.Right - w, work.Bottom - h, w, h)) << "not pulled onto the right and bottom edges";
    Picture("bottom-right-corner");
    EXPECT_TRUE(Program().Running());
}

// Where the form's controls are on the screen: the client area starts inside the skin's frame (4
// pixels in, below a caption of 28) or inside the default frame (3 pixels in, below a caption of 19).
struct TSkinFormPlaces {
    TRect Window;
    bool SkinFrame = true;
    TRect At(int Left, int Top, int Width, int Height) const
    {
        const int x = Window.Left + (SkinFrame ? 4 : 3);
        const int y = Window.Top + (SkinFrame ? 28 : 22);
        return TRect{x + Left, y + Top, x + Left + Width, y + Top + Height};
    }
    // The caption band between the system-menu button and the caption buttons, above the text's middle.
    TRect Caption() const { return TRect{Window.Left + 40, Window.Top + 4, Window.Left + 200, Window.Top + 8}; }
    TRect NextSkin() const { return At(16, 16, 120, 26); }
    TRect Edit() const { return At(16, 70, 240, 24); }
    TRect Ok() const { return At(16, 140, 120, 30); }
};

// How the window looks at one step: the parts the journey judges.
struct TSkinLook {
    TPixel Caption = 0;
    TSurface NextSkin;
    TSurface Edit;
    TSurface Ok;
};

bool Unlike(const TSurface& A, const TSurface& B)
{
    // More than a tenth of the pixels changed: another look, not a caret or a hover.
    return A.Width() == B.Width() && A.Height() == B.Height() && DifferentPixels(A, B) > A.Width() * A.Height() / 10;
}

TEST_P(TFrameSkinJourney, SkinChangedAtRunTime_TheFrameAndEveryControlFollow_ThenTheSkinGoes)
{
    // The converter's four skins in turn: the whole skin, then the three that carry only some entries
    // (queue rows, labels, edits); after the last one the skin is unloaded.
    const std::vector<std::string> skins{"slate.ini", "rows.ini", "labels.ini", "edits.ini"};
    std::string list;
    for (const std::string& s : skins) list += (list.empty() ? "" : ",") + SlateFolder + "/" + s;
    TScreenWindow window;
    ASSERT_NO_FATAL_FAILURE(StartForm("FrameSkinForm.dfm", list, "Skin change journey", window));

    std::vector<TSkinLook> looks;
    const auto look = [&](bool SkinFrame, const std::string& Step) {
        const std::optional<TScreenWindow> now = D().Refresh(window);
        if (now) window = *now;
        const TSkinFormPlaces places{window.Rect, SkinFrame};
        // Off the window, so that no control shows its hover look.
        D().MoveTo(window.Rect.Right + 40, window.Rect.Bottom + 40);
        EXPECT_TRUE(D().WaitForStill(window.Rect, 20s)) << Step << ": the window never settled";
        const TSurface shown = D().Grab(window.Rect);
        const auto part = [&](const TRect& R) {
            return Crop(shown, TRect{R.Left - window.Rect.Left, R.Top - window.Rect.Top, R.Right - window.Rect.Left,
                                   R.Bottom - window.Rect.Top});
        };
        const TRect caption = places.Caption();
        TSkinLook l;
        l.Caption = MainColour(shown, TRect{caption.Left - window.Rect.Left, caption.Top - window.Rect.Top,
                                           caption.Right - window.Rect.Left, caption.Bottom - window.Rect.Top});
        l.NextSkin = part(places.NextSkin());
        l.Edit = part(places.Edit());
        l.Ok = part(places.Ok());
        looks.push_back(std::move(l));
        Picture(Step);
        return places;
    };
    const auto next = [&](const TSkinFormPlaces& Places, const std::string& Said) {
        Click(Places.NextSkin());
        return HostSaid(Said);
    };

    // 0: the whole skin on the frame and on every control.
    TSkinFormPlaces places = look(true, "0-slate");
    // 1: the rows' skin has no frame, no button, tool button or edit: everything takes its default look.
    ASSERT_TRUE(next(places, "skin rows.ini"));
    places = look(false, "1-rows");
    EXPECT_FALSE(CloseColour(looks[1].Caption, looks[0].Caption, 24))
        << "the caption kept the skin's look: " << ColourText(looks[1].Caption);
    EXPECT_TRUE(Unlike(looks[1].NextSkin, looks[0].NextSkin)) << "the tool button kept the skin's look";
    EXPECT_TRUE(Unlike(looks[1].Edit, looks[0].Edit)) << "the edit kept the skin's look";
    EXPECT_TRUE(Unlike(looks[1].Ok, looks[0].Ok)) << "the button kept the skin's look";
    // 2: the labels' skin brings the tool button's picture back, and only that.
    ASSERT_TRUE(next(places, "skin labels.ini"));
    places = look(false, "2-labels");
    EXPECT_TRUE(Unlike(looks[2].NextSkin, looks[1].NextSkin)) << "the tool button did not take the new skin";
    EXPECT_TRUE(CloseColour(MainColour(looks[2].NextSkin, TRect{0, 0, looks[2].NextSkin.Width(), looks[2].NextSkin.Height()}),
        MainColour(looks[0].NextSkin, TRect{0, 0, looks[0].NextSkin.Width(), looks[0].NextSkin.Height()}), 12))
        << "the tool button does not show the skin's tool-button picture";
    EXPECT_FALSE(Unlike(looks[2].Edit, looks[1].Edit)) << "the edit changed though the skin has no edit";
    // 3: the edits' skin: the edit is skinned again, the tool button goes back to its default look.
    ASSERT_TRUE(next(places, "skin edits.ini"));
    places = look(false, "3-edits");
    EXPECT_TRUE(Unlike(looks[3].Edit, looks[2].Edit)) << "the edit did not take the new skin";
    EXPECT_TRUE(CloseColour(MainColour(looks[3].Edit, TRect{0, 0, looks[3].Edit.Width(), looks[3].Edit.Height()}),
        MainColour(looks[0].Edit, TRect{0, 0, looks[0].Edit.Width(), looks[0].Edit.Height()}), 12))
        << "the edit does not show the skin's edit picture";
    EXPECT_TRUE(Unlike(looks[3].NextSkin, looks[2].NextSkin)) << "the tool button kept the last skin's look";
    // 4: no skin at all: default looks everywhere, and the window still answers.
    ASSERT_TRUE(next(places, "skin none"));
    places = look(false, "4-none");
    EXPECT_FALSE(CloseColour(looks[4].Caption, looks[0].Caption, 24));
    EXPECT_TRUE(Unlike(looks[4].Edit, looks[3].Edit)) << "the edit kept the unloaded skin's look";
    Click(places.Ok());
    EXPECT_TRUE(HostSaid("click OkButton"));
    EXPECT_TRUE(Program().Running());
}

// A copy of the converter's main skin with a roll-up picture of its own (240 x 28: a dark blue left
// end, a teal span from x 40 to 200 that stretches, a dark red right end) and a caption that belongs to
// the rolled-up frame.
std::string RollUpSkin(const std::string& Folder, TPixel& Left, TPixel& Span, TPixel& Right)
{
    Left = 0x00202080;
    Span = 0x00008080;
    Right = 0x00802020;
    std::filesystem::create_directories(Folder);
    for (const auto& entry : std::filesystem::directory_iterator(SlateFolder))
        std::filesystem::copy_file(entry.path(), Folder + "/" + entry.path().filename().string(),
            std::filesystem::copy_options::overwrite_existing);
    TSurface picture(240, 28);
    picture.FillRect(TRect{0, 0, 40, 28}, Left);
    picture.FillRect(TRect{40, 0, 200, 28}, Span);
    picture.FillRect(TRect{200, 0, 240, 28}, Right);
    SaveBmpToFile(Folder + "/rollup.bmp", picture, 24);
    std::ifstream in(Folder + "/slate.ini");
    std::stringstream text;
    text << in.rdbuf();
    std::string ini = text.str();
    const auto replace = [&](const std::string& From, const std::string& To) {
        const std::size_t at = ini.find(From);
        if (at != std::string::npos) ini.replace(at, From.size(), To);
        return at != std::string::npos;
    };
    const bool patched = replace("rolluppicture=\n", "rolluppicture=rollup.bmp\n")
        && replace("[FORMINFO]\n", "[FORMINFO]\nrollupleftpoint=40,0\nrolluprightpoint=200,0\n")
        && replace("[SKINOBJECTS]\ncount=6\n", "[SKINOBJECTS]\ncount=7\n6=rollcaption:caption\n")
        && replace("[caption]\n", "[rollcaption]\nskinrect=44,3,196,25\ntextrect=4,0,140,22\nrollup=1\nfontname=Arial\n"
                                  "fontheight=15\nfontcolor=15656672\nactivefontcolor=15656672\n\n[caption]\n");
    std::ofstream(Folder + "/slate.ini") << ini;
    return patched ? Folder + "/slate.ini" : "";
}

TEST_P(TFrameSkinJourney, FrameInTheClientArea_RolledUp_ShowsTheSkinsRollUpPicture_AndComesBack)
{
    TPixel left = 0, span = 0, right = 0;
    const std::string skin = RollUpSkin(Home.Root + "/rollup-skin", left, span, right);
    ASSERT_FALSE(skin.empty()) << "the main skin's text is not as this journey expects";
    TScreenWindow window;
    ASSERT_NO_FATAL_FAILURE(StartForm("RollUpForm.dfm", skin, "Roll-up journey", window));
    const TRect open = window.Rect;
    Picture("open");

    // A double click on the caption of a window that cannot be sized rolls it up.
    D().DoubleClick(open.Left + 100, open.Top + 14);
    TSurface shown;
    const TRect band{open.Left, open.Top, open.Right, open.Top + 28};
    EXPECT_TRUE(WaitUntil(
        [&] {
            const std::optional<TScreenWindow> now = D().Refresh(window);
            return now && now->Rect.Height() == 28 && now->Rect.Width() == open.Width();
        },
        10s))
        << "the window did not roll up to the roll-up picture's height";
    D().MoveTo(open.Left + 100, open.Bottom + 60);
    EXPECT_TRUE(D().WaitForPicture(
        band,
        [&](const TSurface& p) {
            const int w = p.Width();
            return CloseColour(MainColour(p, TRect{4, 2, 36, 26}), left, 12)
                && CloseColour(MainColour(p, TRect{w / 2 - 60, 24, w / 2 + 60, 28}), span, 12)
                && CloseColour(MainColour(p, TRect{w - 36, 2, w - 4, 26}), right, 12);
        },
        shown, 20s))
        << "the rolled-up window does not show the roll-up picture stretched to its width";
    Picture("rolled-up");

    // Its own caption rolls it down again.
    D().DoubleClick(open.Left + 100, open.Top + 14);
    EXPECT_TRUE(WaitUntil(
        [&] {
            const std::optional<TScreenWindow> now = D().Refresh(window);
            return now && now->Rect == open;
        },
        10s))
        << "a double click on the rolled-up caption did not bring the window back";
    EXPECT_TRUE(D().WaitForPicture(
        band, [&](const TSurface& p) { return !CloseColour(MainColour(p, TRect{4, 2, 36, 26}), left, 12); }, shown, 20s))
        << "the frame still shows the roll-up picture";
    Picture("down-again");
    EXPECT_TRUE(Program().Running());
}

E2E_JOURNEY(TFrameSkinJourney);

} // namespace
