#pragma once
// Whether an object still exists after a call out of it: an event handler may free the control whose own
// message handling called it, and the control must then stop before it reads any of its fields.
// Take Watch() before the call and look at it after; the object that holds the flag clears it when it
// goes (or earlier, with End, when its destructor must already count as gone).
//
//     const auto alive = FAlive.Watch();
//     if (OnClick) OnClick(this);
//     if (!*alive) return;
#include <memory>

class TAliveFlag {
public:
    TAliveFlag() = default;
    ~TAliveFlag() { End(); }
    TAliveFlag(const TAliveFlag&) = delete;
    TAliveFlag& operator=(const TAliveFlag&) = delete;

    std::shared_ptr<const bool> Watch() const { return FAlive; }
    void End() { *FAlive = false; }
    bool Ended() const { return !*FAlive; }

private:
    std::shared_ptr<bool> FAlive = std::make_shared<bool>(true);
};
