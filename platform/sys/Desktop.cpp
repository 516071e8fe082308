#include "platform/sys/Desktop.h"

#include "platform/rtl/Exceptions.h"
#include "platform/sys/Spawn.h"

#include <fcntl.h>
#include <unistd.h>

bool OpenWithDesktop(const std::string& Target)
{
    if (Target.empty()) {
        return true;
    }
    // The opener must not write into our terminal or read our input, so its standard descriptors go
    // to /dev/null.
    int null = ::open("/dev/null", O_RDWR | O_CLOEXEC);
    TSpawnRequest r;
    r.Program = "xdg-open";
    // "--" is not understood by xdg-open; a target starting with "-" is made a path instead.
    r.Args = {"xdg-open", Target[0] == '-' ? "./" + Target : Target};
    r.StdIn = r.StdOut = r.StdErr = null;
    bool started = true;
    try {
        SpawnDetached(r);
    } catch (const Exception&) {
        started = false;
    }
    if (null >= 0) {
        ::close(null);
    }
    return started;
}

int ExtractPlay()
{
    return 0;
}
