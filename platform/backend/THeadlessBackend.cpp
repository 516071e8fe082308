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
