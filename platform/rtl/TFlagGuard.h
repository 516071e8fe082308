#pragma once
// Sets a flag for the length of a scope and puts back the value it had before, whatever way the scope
// ends: a return, a break out of a loop, or an exception from a handler called inside. Guards on the
// same flag nest: the inner one hands the flag back as the outer one set it.
class TFlagGuard {
public:
    explicit TFlagGuard(bool& Flag, bool Value = true) : FFlag(Flag), FSaved(Flag) { FFlag = Value; }
    ~TFlagGuard() { FFlag = FSaved; }
    TFlagGuard(const TFlagGuard&) = delete;
    TFlagGuard& operator=(const TFlagGuard&) = delete;

private:
    bool& FFlag;
    bool FSaved;
};
