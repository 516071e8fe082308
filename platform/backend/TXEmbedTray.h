#pragma once
// The system tray of an X display, by the freedesktop system tray protocol: a tray (the panel's
// notification area) owns the selection _NET_SYSTEM_TRAY_S<screen>; an icon is a small window of ours
// that asks the selection's owner to dock it, and the tray then embeds it by XEmbed. The tray chooses
// the icon's size; the picture is fitted into whatever size it gives.
//
// The tray has an X connection of its own, so that its events never mix with the ones the display
// library reads for our ordinary windows; its descriptor joins the message loop's wait. The connection is
// opened when the first icon is asked for; from then on a tray that comes up or goes away is reported.
#include <memory>
#include <string>
#include <vector>

#include "platform/backend/Backend.h"

class TXEmbedTray {
public:
    // A connection to the display `name`; null when it cannot be opened.
    static std::unique_ptr<TXEmbedTray> Open(const std::string& name);
    ~TXEmbedTray();
    TXEmbedTray(const TXEmbedTray&) = delete;
    TXEmbedTray& operator=(const TXEmbedTray&) = delete;

    int Fd() const;
    // Events read off the connection and not yet pumped.
    bool HasQueuedEvents() const;
    // Docks a new icon in the tray; null when no tray owns the selection now (or it went away while it
    // was asked). The icon leaves the tray when the object is freed.
    std::unique_ptr<TBackendTrayIcon> CreateIcon(HWND window, UINT id, const TSurface& picture, const std::string& tip);
    // Clicks and moves on the icons, and trays that came or went, as input events.
    void Pump(std::vector<TInputEvent>& out);

    struct TState;

private:
    explicit TXEmbedTray(std::shared_ptr<TState> state);
    void ReadEvents(std::vector<TInputEvent>& out);
    std::shared_ptr<TState> F;
    std::vector<TInputEvent> FEarly;   // read while an icon was asked for, not yet pumped
};

// A picture fitted into Width x Height: scaled by the same factor both ways (averaging what shrinks),
// centred, transparent around it.
TSurface FitTrayPicture(const TSurface& Picture, int Width, int Height);
