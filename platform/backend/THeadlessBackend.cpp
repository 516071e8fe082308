#include "platform/backend/THeadlessBackend.h"

#include "platform/win/MessageQueue.h"

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
