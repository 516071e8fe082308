// Close and start again: the device, the quality, the destination and the closed-caption choice a person
// made are all back, on the screen and in the settings file.
#include <cstdlib>
#include <filesystem>

#include "E2eJourney.h"

namespace {

class TSettingsJourney : public TJourney {
protected:
    // The queue's context menu, opened with the right button; its picture, or an empty one.
    TSurface CaptionMenu(std::optional<TScreenWindow>* Menu = nullptr)
    {
        const TPoint p = Middle(Main.Queue());
        D().Click(p.X, p.Y + 40, 3);
        const std::optional<TScreenWindow> popup = WaitForPopup();
        if (!popup)
            return TSurface();
        D().WaitForStill(popup->Rect, 5s);
        if (Menu)
            *Menu = popup;
        return D().Grab(popup->Rect);
    }

    // Escape closes an open menu; should it not, a click beside the menu (on the queue's empty part)
    // still does, so that the rest of the journey goes on.
    void CloseMenu(const TScreenWindow& Menu)
    {
        D().Key("Escape");
        EXPECT_TRUE(WaitUntil([&] { return !D().IsShown(Menu.Id); }, 5s)) << "Escape did not close the menu";
        if (D().IsShown(Menu.Id))
            Click(TPoint{Main.Row(2).Left + 300, Main.Row(2).Top + 20});
        ASSERT_TRUE(WaitUntil([&] { return !D().IsShown(Menu.Id); }, 10s)) << "the menu stayed open";
    }

    // What shows the settings on the main window, less a margin where a focus frame may be drawn. The
    // quality shows as its text (the slider's track looks different while it has the focus).
    std::vector<TRect> SettingAreas() const
    {
        std::vector<TRect> areas;
        for (TRect r : {Main.Device(), Main.QualityText(), Main.DestinationText()})
            areas.push_back(TRect{r.Left + 2, r.Top + 2, r.Right - 2, r.Bottom - 2});
        return areas;
    }
};

TEST_P(TSettingsJourney, CloseAndStartAgain_EverySettingIsBack)
{
    PlaceClip(TestClip(2, true), ClipFolder, "a two.avi");
    std::filesystem::create_directories(Home.Documents() + "/My Videos");
    ASSERT_NO_FATAL_FAILURE(StartProgram());
    // A row in the queue: its context menu holds the closed-caption choice.
    ASSERT_NO_FATAL_FAILURE(AddFolderWithMouse(1));
    const TSurface first = D().Grab(D().ScreenRect());

    // "Zune 4/8/80", the fourth device.
    ASSERT_TRUE(ChooseFromCombo(Main.Device(), 3)) << "the device list did not open, or did not close on a click";
    const TRect slider = Main.Quality();
    D().Drag(Middle(slider).X, Middle(slider).Y, slider.Left + slider.Width() / 4, Middle(slider).Y);
    // The destination: the folder next to the default one ("My Videos" sorts just before "Ombrix").
    Click(Main.Destination());
    const std::optional<TScreenWindow> dialog = WaitForFolderDialog("Select destination folder");
    ASSERT_TRUE(dialog.has_value()) << "Destination opened no folder dialog";
    ASSERT_TRUE(PickTreeEntry(*dialog, -1)) << "a click on My Videos in the tree did not select it";
    ASSERT_TRUE(ConfirmFolderDialog(*dialog));

    std::optional<TScreenWindow> menu;
    const TSurface unticked = CaptionMenu(&menu);
    ASSERT_FALSE(unticked.Empty()) << "the queue's context menu did not open";
    Click(Middle(menu->Rect));
    EXPECT_TRUE(WaitUntil([&] { return !D().IsShown(menu->Id); }, 10s));
    const TSurface ticked = CaptionMenu(&menu);
    ASSERT_FALSE(ticked.Empty());
    EXPECT_GT(DifferentPixels(ticked, unticked), 0) << "the closed-caption item shows no tick";
    ASSERT_NO_FATAL_FAILURE(CloseMenu(*menu));

    ASSERT_TRUE(D().WaitForStill(Main.Whole()));
    Picture("chosen");
    const TSurface chosen = D().Grab(D().ScreenRect());
    for (const TRect& area : SettingAreas())
        EXPECT_GT(DifferentPixels(Crop(chosen, area), Crop(first, area)), 0) << "a setting did not change on the screen";

    // Closed with the caption's close button: the program ends and keeps the settings.
    ClickCaptionButton(Main.Window, 0);
    const std::optional<int> exit = Program().WaitForExit(20s);
    ASSERT_TRUE(exit.has_value()) << "the program did not end on close";
    EXPECT_EQ(*exit, 0);
    const std::vector<std::string> lines = ReadLines(Home.SettingsFile());
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "Zune 4/8/80");
    EXPECT_LT(std::atoi(lines[1].c_str()), 50) << "quality " << lines[1];
    EXPECT_GT(std::atoi(lines[1].c_str()), 0) << "quality " << lines[1];
    EXPECT_EQ(lines[2], Home.Documents() + "/My Videos/");
    EXPECT_EQ(lines[3], "CC ON");

    // Started again: the same device, quality and destination show, and the menu has its tick.
    ASSERT_NO_FATAL_FAILURE(StartProgram());
    ASSERT_NO_FATAL_FAILURE(AddFolderWithMouse(1));
    ASSERT_TRUE(D().WaitForStill(Main.Whole()));
    Picture("again");
    const TSurface again = D().Grab(D().ScreenRect());
    const char* names[] = {"device", "quality", "destination"};
    for (std::size_t i = 0; i < SettingAreas().size(); ++i)
        EXPECT_EQ(DifferentPixels(Crop(again, SettingAreas()[i]), Crop(chosen, SettingAreas()[i])), 0)
            << "the " << names[i] << " is not back on the screen";
    const TSurface tickedAgain = CaptionMenu(&menu);
    EXPECT_EQ(DifferentPixels(tickedAgain, ticked), 0) << "the closed-caption choice is not back";
    if (menu)
        CloseMenu(*menu);
}

E2E_JOURNEY(TSettingsJourney);

} // namespace
