#include "platform/rtl/ScopeGuards.h"

TScopeExit::TScopeExit(std::function<void()> Action) : FAction(std::move(Action)) {}

TScopeExit::~TScopeExit()
{
    if (FAction)
        FAction();
}
