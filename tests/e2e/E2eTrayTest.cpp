// The tray icon as a person meets it: a form whose minimize button goes to the tray, on a desktop whose
// panel has a tray (the suite's own tray, which embeds the icon) and on one without any. The window must
// never be out of reach: without a tray it is minimized the ordinary way.
#include "E2eJourney.h"
#include "E2eTrayManager.h"

namespace {

constexpr const char* Title = "Tray journey";

class TTrayJourney : public TJourney {
protected:
    // The form's one viewable window, or nullopt while it has none.
    std::optional<TScreenWindow> Form() const
    {
        for (const TScreenWindow& w : D().WindowsOf(Pid()))
            if (w.Title == Title) return w;
        return std::nullopt;
    }
    // The minimize button: with AlwaysMinimizeToTray it takes the form into the tray.
    void Minimize(const TScreenWindow& Window) { ClickCaptionButton(Window, 2); }
    // The one icon the tray shows, waiting for it.
    std::optional<TE2eTrayManager::TIcon> WaitForIcon(const TE2eTrayManager& Tray) const
    {
        if (!Tray.WaitForIcons(1)) return std::nullopt;
        const auto icons = Tray.Icons();
        return icons.empty() ? std::nullopt : std::optional(icons[0]);
    }
    // What the icon shows: the program's standard picture (a white window with a blue caption) painted
    // over the tray's dark strip.
    bool IconPainted(const TE2eTrayManager::TIcon& Icon) const
    {
        TSurface shown;
        return D().WaitForPicture(
            Icon.Rect,
            [](const TSurface& s) {
                return ShareOfColour(s, s.Bounds(), 0xFFFFFF, 16) > 0.2 && ShareOfColour(s, s.Bounds(), 0x2050C0, 24) > 0.05;
            },
            shown, 10s);
    }
    // The popup menu the icon opened, waiting for it to show and settle.
    std::optional<TScreenWindow> WaitForTrayMenu() const
    {
        std::optional<TScreenWindow> menu = WaitForPopup();
        if (menu && !D().WaitForStill(menu->Rect, 5s)) return std::nullopt;
        return menu;
    }
};

TEST_P(TTrayJourney, MinimizedIntoTheTray_ClickedThere_AndBackByDoubleClickAndByTheTrayMenu)
{
    TE2eTrayManager tray(D().Name());
    ASSERT_TRUE(tray.Started()) << "the test's tray did not take the selection";
    TScreenWindow form;
    ASSERT_NO_FATAL_FAILURE(StartForm("TrayForm.dfm", std::string(OMBRIX_SOURCE_DIR "/skins/slate/slate.ini"), Title, form));
    EXPECT_TRUE(tray.Icons().empty()) << "the icon shows only while the form is in the tray";

    // Into the tray: the window goes, the icon comes, with the form's hint as its name.
    Minimize(form);
    std::optional<TE2eTrayManager::TIcon> icon = WaitForIcon(tray);
    ASSERT_TRUE(icon.has_value()) << "minimizing docked no icon in the tray";
    EXPECT_TRUE(D().WaitForWindowGone(Pid(), Title)) << "the window stayed on the screen";
    EXPECT_EQ(icon->Name, Title);
    EXPECT_TRUE(IconPainted(*icon)) << "the icon shows no picture";
    Picture("in-tray");

    // A single click is reported (once the double-click time is over).
    D().Click(Middle(icon->Rect).X, Middle(icon->Rect).Y);
    EXPECT_TRUE(HostSaid("click Tray"));

    // A double click brings the window back, and the icon leaves.
    D().DoubleClick(Middle(icon->Rect).X, Middle(icon->Rect).Y);
    ASSERT_TRUE(D().WaitForWindow(Pid(), Title).has_value()) << "a double click on the icon did not bring the window back";
    EXPECT_TRUE(tray.WaitForIcons(0));
    std::optional<TScreenWindow> back;
    EXPECT_TRUE(WaitUntil([&] { return (back = Form()) && back->Rect == form.Rect; }, 10s))
        << "the window came back elsewhere or in another size";
    ASSERT_TRUE(back.has_value());
    ASSERT_TRUE(D().WaitForStill(back->Rect));
    Picture("back-by-double-click");

    // Into the tray again; this time its menu brings the window back: "Restore" is its first item.
    Minimize(*back);
    icon = WaitForIcon(tray);
    ASSERT_TRUE(icon.has_value());
    ASSERT_TRUE(D().WaitForWindowGone(Pid(), Title));
    D().Click(Middle(icon->Rect).X, Middle(icon->Rect).Y, 3);
    std::optional<TScreenWindow> menu = WaitForTrayMenu();
    ASSERT_TRUE(menu.has_value()) << "a right click on the icon opened no menu";
    EXPECT_FALSE(Form().has_value()) << "the menu opens with the window still in the tray";
    Picture("tray-menu");
    D().Click(menu->Rect.Left + 20, menu->Rect.Top + 12);
    ASSERT_TRUE(D().WaitForWindow(Pid(), Title).has_value()) << "the tray menu's Restore did not bring the window back";
    EXPECT_TRUE(tray.WaitForIcons(0));

    // And once more, to leave by the menu's "Close", its last item: the program ends.
    back = Form();
    ASSERT_TRUE(back.has_value());
    ASSERT_TRUE(D().WaitForStill(back->Rect));
    Minimize(*back);
    icon = WaitForIcon(tray);
    ASSERT_TRUE(icon.has_value());
    D().Click(Middle(icon->Rect).X, Middle(icon->Rect).Y, 3);
    menu = WaitForTrayMenu();
    ASSERT_TRUE(menu.has_value());
    D().Click(menu->Rect.Left + 20, menu->Rect.Bottom - 12);
    const std::optional<int> status = Program().WaitForExit(20s);
    ASSERT_TRUE(status.has_value()) << "the tray menu's Close did not end the program";
    EXPECT_EQ(*status, 0);
    EXPECT_TRUE(tray.WaitForIcons(0)) << "the icon outlived the program";
}

TEST_P(TTrayJourney, WithoutTray_MinimizeToTrayMinimizesTheOrdinaryWay_AndTheWindowStaysReachable)
{
    TScreenWindow form;
    ASSERT_NO_FATAL_FAILURE(StartForm("TrayForm.dfm", std::string(OMBRIX_SOURCE_DIR "/skins/slate/slate.ini"), Title, form));
    Minimize(form);
    ASSERT_TRUE(HostSaid("click skf")) << "the minimize button did not go for the tray";
    if (WithWm()) {
        // On the taskbar, as any minimized window: iconic, not withdrawn.
        EXPECT_TRUE(WaitUntil([&] { return D().WmState(form.Id) == 3; }, 10s)) << "the window was not minimized";
        Picture("minimized");
        D().Activate(form.Id);
        EXPECT_TRUE(D().WaitForWindow(Pid(), Title).has_value()) << "the taskbar could not bring the window back";
    } else {
        // Nothing could bring an iconified window back: it stays where it is.
        Picture("stays");
    }
    std::optional<TScreenWindow> shown = Form();
    ASSERT_TRUE(shown.has_value()) << "the window is out of reach";
    ASSERT_TRUE(D().WaitForStill(shown->Rect));
    // It still answers: the close button ends the program.
    ClickCaptionButton(*shown, 0);
    const std::optional<int> status = Program().WaitForExit(20s);
    ASSERT_TRUE(status.has_value()) << "the window no longer answers";
    EXPECT_EQ(*status, 0);
}

} // namespace

E2E_JOURNEY(TTrayJourney);
