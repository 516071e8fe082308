// libFuzzer entry point for the shortcut reader: the fuzzer's bytes are a ".lnk" file as a user may drop
// one. A damaged or foreign file gives no target; a crash, a hang or a sanitizer report is a finding, and
// so is a target that still holds the file's "\" separators.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/sys/ShellLink.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::string target = ShellLinkTarget(bytes);
    if (target.find('\\') != std::string::npos)
        __builtin_trap();
    return 0;
}
