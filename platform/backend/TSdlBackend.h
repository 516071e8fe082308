#pragma once
// The backend on a real display through SDL2 (X11 underneath).
#include <memory>

#include "platform/backend/Backend.h"

class TSdlBackend {
public:
    // A running SDL2 display backend, or null when no display can be opened.
    static std::unique_ptr<TBackend> Open();
};
