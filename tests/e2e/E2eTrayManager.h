#pragma once
// A system tray of the test's own on a test display, as a desktop's panel provides one: it owns the
// selection _NET_SYSTEM_TRAY_S0, announces itself (MANAGER on the root window), and embeds each window
// that asks to be docked (XEmbed) into its strip at the top right of the screen, side by side. It serves
// in a thread of its own, on a connection of its own, until it is destroyed; then it ends as a panel
// that quits does: its window goes, and the icons with it.
#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "platform/rtl/Types.h"

class TE2eTrayManager {
public:
    struct TIcon {
        unsigned long Window = 0;   // the docked window (the program's)
        TRect Rect;                 // where it shows on the screen
        std::string Name;           // the window's name (a program may put its tool tip there)
    };

    // Takes the selection on Display (":71"); Started() tells whether it holds it. IconSize is the side
    // of the square each icon gets.
    explicit TE2eTrayManager(const std::string& Display, int IconSize = 24);
    ~TE2eTrayManager();
    TE2eTrayManager(const TE2eTrayManager&) = delete;
    TE2eTrayManager& operator=(const TE2eTrayManager&) = delete;

    bool Started() const;
    // The strip on the screen.
    TRect Area() const;
    // The icons embedded and shown now.
    std::vector<TIcon> Icons() const;
    // Waits until exactly Count icons are shown; false when Limit passed first.
    bool WaitForIcons(std::size_t Count, std::chrono::milliseconds Limit = std::chrono::seconds(20)) const;

    struct TState;

private:
    std::shared_ptr<TState> F;
};
