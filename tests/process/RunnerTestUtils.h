#pragma once
// Shared by the runner tests: pumping the GUI thread's queue the way the converter's wait loop does.
#include "platform/win/MessageQueue.h"

#include <chrono>
#include <functional>

// Processes messages until Done() holds or Ms milliseconds have passed; returns Done().
inline bool PumpUntil(const std::function<bool()>& Done, int Ms = 10000)
{
    auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(Ms);
    while (!Done()) {
        TMsg m;
        while (PeekMessage(&m, 0, 0, 0, PM_REMOVE)) {
            TranslateMessage(&m);
            DispatchMessage(&m);
        }
        if (Done()) {
            break;
        }
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now()).count();
        if (left <= 0) {
            return Done();
        }
        WaitMessage(static_cast<int>(std::min<long long>(left, 50)));
    }
    return true;
}

// Processes messages for Ms milliseconds.
inline void PumpFor(int Ms)
{
    PumpUntil([] { return false; }, Ms);
}
