#pragma once
// What a scope puts back whatever way it ends: a return, a break out of a loop, or an exception from a
// handler called inside. Guards end in the reverse order of their making, so a scope that needs several
// things put back in a given order makes their guards in the opposite one.
#include <functional>
#include <type_traits>
#include <utility>

// Sets a variable for the length of a scope and gives it back the value it had before. Guards on the
// same variable nest: the inner one hands it back as the outer one set it.
//
//     TValueGuard updating(FUpdating);         // a flag: raised for the scope
//     TValueGuard scanning(Scanning, -1);      // any other value: named
template <typename T>
class TValueGuard {
public:
    // The value is not deduced from: a guard on a pointer may be given nullptr, on a double an int.
    TValueGuard(T& Variable, std::type_identity_t<T> Value) : FVariable(Variable), FSaved(Variable)
    {
        FVariable = std::move(Value);
    }
    explicit TValueGuard(T& Flag)
        requires std::is_same_v<T, bool>
        : TValueGuard(Flag, true)
    {
    }
    ~TValueGuard() { FVariable = std::move(FSaved); }
    TValueGuard(const TValueGuard&) = delete;
    TValueGuard& operator=(const TValueGuard&) = delete;

private:
    T& FVariable;
    T FSaved;
};

// Runs an action when the scope ends, for what is more than giving a variable its value back: a device
// context restored, a painted mark set, the next run started. The action must not raise: it may run
// while an exception is on its way out.
class TScopeExit {
public:
    explicit TScopeExit(std::function<void()> Action);
    ~TScopeExit();
    TScopeExit(const TScopeExit&) = delete;
    TScopeExit& operator=(const TScopeExit&) = delete;

private:
    std::function<void()> FAction;
};
