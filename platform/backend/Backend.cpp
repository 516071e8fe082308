#include "platform/backend/Backend.h"

#include <cstdlib>
#include <string>

#include "platform/backend/THeadlessBackend.h"
#include "platform/backend/TSdlBackend.h"

namespace {

std::unique_ptr<TBackend>& Current()
{
    // Never destroyed at exit: windows (and their backend windows) may outlive static destruction order.
    static auto* b = new std::unique_ptr<TBackend>;
    return *b;
}

std::unique_ptr<TBackend> Choose()
{
    const char* env = std::getenv("OMBRIX_BACKEND");
    std::string want = env ? env : "";
    if (want == "headless")
        return MakeBackend("headless");
    if (want == "sdl") {
        // Asked for by name: without a display there is still a working program, only an invisible one.
        if (auto b = MakeBackend("sdl"))
            return b;
        return MakeBackend("headless");
    }
    const char* display = std::getenv("DISPLAY");
    if (display && *display)
        if (auto b = MakeBackend("sdl"))
            return b;
    return MakeBackend("headless");
}

}  // namespace

TBackend& Backend()
{
    if (!Current())
        Current() = Choose();
    return *Current();
}

TBackend* CurrentBackend() { return Current().get(); }

void SetBackend(std::unique_ptr<TBackend> backend) { Current() = std::move(backend); }

std::unique_ptr<TBackend> MakeBackend(const std::string& name)
{
    if (name == "headless")
        return std::make_unique<THeadlessBackend>();
    if (name == "sdl")
        return TSdlBackend::Open();
    return nullptr;
}
