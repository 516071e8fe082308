#include "platform/sys/Desktop.h"

#include "platform/rtl/Exceptions.h"
#include "platform/sys/Spawn.h"

#include <system_error>
#include <thread>
#include <utility>

#include <fcntl.h>
#include <unistd.h>

bool OpenWithDesktop(const std::string& Target, std::function<void(unsigned ExitCode)> OnEnded)
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
    // What it starts belongs to the desktop, not to us: it outlives this program either way.
    r.NewSession = true;
    bool started = true;
    try {
        if (!OnEnded) {
            SpawnDetached(r);
        } else {
            TChildProcess child = SpawnProcess(r);
            // The wait is a thread's own: the opener may run as long as the program it started, and
            // nobody else reaps it meanwhile, so its number stays its own. Without a thread it is
            // only not watched (the child's own end hands it to the background reaper).
            try {
                std::thread([child = std::move(child), OnEnded = std::move(OnEnded)]() mutable {
                    if (const int status = child.Reap(); status >= 0)
                        OnEnded(ExitCodeFromStatus(status));
                }).detach();
            } catch (const std::system_error&) {
            }
        }
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
