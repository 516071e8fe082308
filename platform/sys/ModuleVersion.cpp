#include "platform/sys/ModuleVersion.h"

#include <dlfcn.h>
#include <limits.h>
#include <stdlib.h>
#include <sys/auxv.h>
#include <unistd.h>

#include <array>
#include <memory>

namespace {

// A path with every link followed; empty when it does not exist.
std::string RealPath(const std::string& Path)
{
    // realpath allocates the result when given no buffer, so no length limit applies.
    std::unique_ptr<char, decltype(&free)> resolved(realpath(Path.c_str(), nullptr), &free);
    return resolved ? std::string(resolved.get()) : std::string();
}

} // namespace

TModuleHandle ModuleOfAddress(const void* Address)
{
    Dl_info info{};
    // dladdr knows every object the dynamic loader mapped, the program included.
    if (Address == nullptr || dladdr(Address, &info) == 0)
        return nullptr;
    return info.dli_fbase;
}

std::string ModuleFileName(TModuleHandle Module)
{
    if (Module == nullptr) {
        // The running program: the kernel keeps the link to its file.
        return RealPath("/proc/self/exe");
    }
    Dl_info info{};
    if (dladdr(Module, &info) == 0 || info.dli_fname == nullptr || info.dli_fbase != Module)
        return std::string();
    // The loader names the main program as it was started (argv[0], perhaps relative), so the
    // program is recognised by its own program headers, which the kernel points at.
    const void* programHeaders = reinterpret_cast<const void*>(getauxval(AT_PHDR));
    if (Module == ModuleOfAddress(programHeaders))
        return RealPath("/proc/self/exe");
    return RealPath(info.dli_fname);
}

bool GetFileVersion(const std::string& FileName, TFileVersion& Version)
{
    const std::string real = RealPath(FileName);
    if (real.empty())
        return false;
    const std::string name = real.substr(real.find_last_of('/') + 1);
    const std::size_t so = name.rfind(".so.");
    if (so == std::string::npos)
        return false;
    std::array<std::uint16_t, 4> parts{};
    std::size_t count = 0;
    std::size_t at = so + 4;
    while (count < parts.size() && at < name.size()) {
        std::size_t end = at;
        unsigned value = 0;
        while (end < name.size() && name[end] >= '0' && name[end] <= '9' && value <= 0xFFFF)
            value = value * 10 + static_cast<unsigned>(name[end++] - '0');
        if (end == at || value > 0xFFFF)
            break;
        parts[count++] = static_cast<std::uint16_t>(value);
        if (end >= name.size() || name[end] != '.')
            break;
        at = end + 1;
    }
    if (count == 0)
        return false;
    Version = TFileVersion{parts[0], parts[1], parts[2], parts[3]};
    return true;
}
