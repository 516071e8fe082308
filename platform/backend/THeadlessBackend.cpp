#include "platform/backend/THeadlessBackend.h"

#include <algorithm>
#include <map>

#include "platform/win/MessageQueue.h"

namespace {

std::map<HWND, THeadlessWindow*>& Live()
{
    static std::map<HWND, THeadlessWindow*> live;
    return live;
}

std::vector<THeadlessChild*>& LiveChildren()
{
    static std::vector<THeadlessChild*> live;
    return live;
}

std::vector<THeadlessTrayIcon*>& Icons()
{
    static std::vector<THeadlessTrayIcon*> icons;
    return icons;
}

}  // namespace

THeadlessChild::THeadlessChild(HWND top, const TRect& inWindow) : Top(top), Bounds(inWindow)
{
    LiveChildren().push_back(this);
}

THeadlessChild::~THeadlessChild()
{
    auto& live = LiveChildren();
    live.erase(std::remove(live.begin(), live.end(), this), live.end());
}

std::vector<THeadlessChild*> THeadlessChild::Of(HWND top)
{
    std::vector<THeadlessChild*> out;
    for (THeadlessChild* c : LiveChildren())
        if (c->Top == top)
            out.push_back(c);
    return out;
}

THeadlessWindow::THeadlessWindow(const TBackendWindowParams& p) : Params(p), Bounds(p.Bounds) { Live()[p.Window] = this; }

THeadlessWindow::~THeadlessWindow()
{
    auto it = Live().find(Params.Window);
    if (it != Live().end() && it->second == this)
        Live().erase(it);
}

THeadlessWindow* THeadlessWindow::Of(HWND h)
{
    auto it = Live().find(h);
    return it == Live().end() ? nullptr : it->second;
}

THeadlessTrayIcon::THeadlessTrayIcon(HWND window, UINT id, const TSurface& picture, const std::string& tip)
    : Window(window), Id(id), Picture(picture), Tip(tip)
{
    Icons().push_back(this);
}

THeadlessTrayIcon::~THeadlessTrayIcon() { std::erase(Icons(), this); }

THeadlessTrayIcon* THeadlessTrayIcon::Of(HWND window, UINT id)
{
    for (THeadlessTrayIcon* i : Icons())
        if (i->Window == window && i->Id == id)
            return i;
    return nullptr;
}

std::vector<THeadlessTrayIcon*> THeadlessTrayIcon::All() { return Icons(); }

std::unique_ptr<TBackendTrayIcon> THeadlessBackend::CreateTrayIcon(HWND window, UINT id, const TSurface& picture,
    const std::string& tip)
{
    if (!FTray)
        return nullptr;
    return std::make_unique<THeadlessTrayIcon>(window, id, picture, tip);
}

void THeadlessBackend::SetTrayPresent(bool present)
{
    if (present == FTray)
        return;
    FTray = present;
    if (present) {
        Inject(TrayEvent(TInputKind::TrayCreated));
        return;
    }
    for (THeadlessTrayIcon* i : Icons())
        Inject(TrayEvent(TInputKind::TrayLost, i->Window, i->Id));
}

std::unique_ptr<TBackendWindow> THeadlessBackend::CreateWindow(const TBackendWindowParams& params)
{
    ++FMade;
    return std::make_unique<THeadlessWindow>(params);
}

void THeadlessBackend::Pump(std::vector<TInputEvent>& out)
{
    std::lock_guard lock(FLock);
    for (auto& e : FPending)
        out.push_back(std::move(e));
    FPending.clear();
}

void THeadlessBackend::Inject(const TInputEvent& e)
{
    {
        std::lock_guard lock(FLock);
        FPending.push_back(e);
        if (e.Kind == TInputKind::MouseMove || e.Kind == TInputKind::ButtonDown || e.Kind == TInputKind::ButtonUp)
            FCursor = e.Pos;
    }
    WakeMessageLoop();
}
