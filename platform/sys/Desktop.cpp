#include "platform/sys/Desktop.h"

#include "platform/rtl/Exceptions.h"
#include "platform/sys/Spawn.h"

#include <fcntl.h>
#include <unistd.h>

void OpenWithDesktop(const std::string& Target)
{
    if (Target.empty()) {
        return;
    }
    // The opener must not write into our terminal or read our input, so its standard descriptors go
    // to /dev/null.
    int null = ::open("/dev/null", O_RDWR | O_CLOEXEC);
    TSpawnRequest r;
    r.Program = "xdg-open";
    // "--" is not understood by xdg-open; a target starting with "-" is made a path instead.
    r.Args = {"xdg-open", Target[0] == '-' ? "./" + Target : Target};
    r.StdIn = r.StdOut = r.StdErr = null;
    try {
        SpawnDetached(r);
    } catch (const Exception&) {
        // No desktop opener: nothing opens, as when the opener itself fails.
    }
    if (null >= 0) {
        ::close(null);
    }
}

int ExtractPlay()
{
    return 0;
}
