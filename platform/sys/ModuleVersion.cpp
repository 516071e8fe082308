#include "platform/sys/ModuleVersion.h"

#include <dlfcn.h>

TModuleHandle ModuleOfAddress(const void* Address)
{
    Dl_info info{};
    // dladdr knows every object the dynamic loader mapped, the program included.
    if (Address == nullptr || dladdr(Address, &info) == 0)
        return nullptr;
    return info.dli_fbase;
}
