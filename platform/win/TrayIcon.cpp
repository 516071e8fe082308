#include "platform/win/TrayIcon.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "platform/win/Input.h"
#include "platform/win/MessageQueue.h"
#include "platform/win/Screen.h"
#include "platform/win/WinInternal.h"

using namespace WinInternal;

namespace {

// One icon as the shell knows it: what it was told, and the display's icon while the tray shows it.
struct TTrayEntry {
    HWND Window = 0;
    UINT Id = 0;
    UINT Callback = 0;
    TSurface Picture;
    std::string Tip;
    std::unique_ptr<TBackendTrayIcon> Shown;
};

struct TTrayPress {
    HWND Window = 0;
    UINT Id = 0;
    int Button = 0;
    std::uint64_t Time = 0;
    TPoint Pos;
};

struct TTrayState {
    std::vector<std::unique_ptr<TTrayEntry>> Entries;
    TTrayPress LastPress;
};

TTrayState& T()
{
    // Never freed: icons still in the tray at exit are the display's to drop, and the backends' own
    // records may be gone by then.
    static TTrayState* t = new TTrayState;
    return *t;
}

TTrayEntry* FindEntry(HWND h, UINT id)
{
    for (const auto& e : T().Entries)
        if (e->Window == h && e->Id == id)
            return e.get();
    return nullptr;
}

std::string TipText(const NOTIFYICONDATA& d) { return std::string(d.szTip, strnlen(d.szTip, sizeof d.szTip)); }

// What the data says of the flags it carries.
void Take(TTrayEntry& e, const NOTIFYICONDATA& d)
{
    if (d.uFlags & NIF_MESSAGE)
        e.Callback = d.uCallbackMessage;
    if (d.uFlags & NIF_ICON)
        e.Picture = d.hIcon ? *d.hIcon : TSurface();
    if (d.uFlags & NIF_TIP)
        e.Tip = TipText(d);
}

UINT TrayMouseMessage(const TInputEvent& e, bool dbl)
{
    if (e.Kind == TInputKind::TrayMouseMove)
        return WM_MOUSEMOVE;
    UINT down = e.Button == 1 ? WM_LBUTTONDOWN : e.Button == 2 ? WM_RBUTTONDOWN : WM_MBUTTONDOWN;
    if (e.Kind == TInputKind::TrayButtonUp)
        return down + 1;
    return dbl ? down + 2 : down;
}


}  // namespace

BOOL Shell_NotifyIcon(DWORD message, NOTIFYICONDATA* data)
{
    if (!data || !IsWindow(data->hWnd))
        return FALSE;
    TTrayEntry* e = FindEntry(data->hWnd, data->uID);
    switch (message) {
    case NIM_ADD: {
        if (e)
            return FALSE;
        auto entry = std::make_unique<TTrayEntry>();
        entry->Window = data->hWnd;
        entry->Id = data->uID;
        Take(*entry, *data);
        // The display decides: without a tray there is nowhere to put the icon, and the caller must
        // know, or it would hide a window behind an icon nobody can see.
        entry->Shown = Backend().CreateTrayIcon(entry->Window, entry->Id, entry->Picture, entry->Tip);
        if (!entry->Shown)
            return FALSE;
        T().Entries.push_back(std::move(entry));
        return TRUE;
    }
    case NIM_MODIFY:
        if (!e)
            return FALSE;
        Take(*e, *data);
        if (data->uFlags & NIF_ICON)
            e->Shown->SetPicture(e->Picture);
        if (data->uFlags & NIF_TIP)
            e->Shown->SetTip(e->Tip);
        return TRUE;
    case NIM_DELETE:
        if (!e)
            return FALSE;
        std::erase_if(T().Entries, [e](const auto& p) { return p.get() == e; });
        return TRUE;
    default:
        return FALSE;
    }
}

void CopyTrayTip(NOTIFYICONDATA& data, const std::string& Tip)
{
    std::size_t n = std::min(Tip.size(), sizeof data.szTip - 1);
    // Back to the start of a character: a continuation byte (10xxxxxx) at the cut belongs to one that
    // would be split.
    while (n > 0 && n < Tip.size() && (static_cast<unsigned char>(Tip[n]) & 0xC0) == 0x80)
        --n;
    std::memcpy(data.szTip, Tip.data(), n);
    data.szTip[n] = 0;
}

namespace WinInternal {

void ForgetTrayIcons(HWND h)
{
    // Nobody could ever be told about a click on them again.
    std::erase_if(T().Entries, [h](const auto& e) { return e->Window == h; });
}

void RouteTrayEvent(const TInputEvent& e)
{
    TTrayState& t = T();
    switch (e.Kind) {
    case TInputKind::TrayCreated: {
        // The display reported the icons of a tray that went before as lost already; the windows add
        // theirs again.
        const UINT created = RegisterWindowMessage("TaskbarCreated");
        for (HWND h : GetTopLevelWindows())
            QueueInput(h, created, 0, 0);
        return;
    }
    case TInputKind::TrayLost: {
        TTrayEntry* entry = FindEntry(e.Window, e.Icon);
        if (!entry)
            return;
        const HWND window = entry->Window;
        const UINT id = entry->Id, callback = entry->Callback;
        std::erase_if(t.Entries, [entry](const auto& p) { return p.get() == entry; });
        if (callback != 0)
            QueueInput(window, callback, id, NIN_ICONLOST);
        return;
    }
    default:
        break;
    }
    TTrayEntry* entry = FindEntry(e.Window, e.Icon);
    if (!entry)
        return;
    // The pointer is over the tray, outside every window of ours: this is where it is now.
    SetCursorPos(e.Pos.X, e.Pos.Y);
    bool dbl = false;
    if (e.Kind == TInputKind::TrayButtonDown) {
        const std::uint64_t now = WinClockNow();
        const TTrayPress& last = t.LastPress;
        const int slop = GetSystemMetrics(SM_CXDOUBLECLK);
        dbl = last.Window == e.Window && last.Id == e.Icon && last.Button == e.Button && now - last.Time <= GetDoubleClickTime()
            && std::abs(last.Pos.X - e.Pos.X) <= slop && std::abs(last.Pos.Y - e.Pos.Y) <= slop;
        t.LastPress = dbl ? TTrayPress{} : TTrayPress{e.Window, e.Icon, e.Button, now, e.Pos};
    }
    if (entry->Callback != 0)
        QueueInput(entry->Window, entry->Callback, entry->Id, static_cast<LPARAM>(TrayMouseMessage(e, dbl)));
}

}  // namespace WinInternal
