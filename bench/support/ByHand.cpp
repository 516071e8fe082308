#include "bench/support/ByHand.h"

#include "platform/sys/CommandLine.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

std::string RunByHand(const std::string& CommandLine, const std::function<bool(const std::string& Seen)>& StopWhen)
{
    const std::vector<std::string> args = SplitCommandLine(CommandLine);
    if (args.empty())
        return {};
    int fds[2];
    // Close-on-exec, so that a tool started meanwhile by another thread of the benchmark does not
    // inherit the write end and hold this reader open until it ends too.
    if (pipe2(fds, O_CLOEXEC) != 0)
        return {};
    const pid_t pid = fork();
    if (pid < 0) {
        close(fds[0]);
        close(fds[1]);
        return {};
    }
    if (pid == 0) {
        // No input: a tool that asks a question gets end of file rather than waiting for ever.
        const int none = open("/dev/null", O_RDONLY);
        dup2(none, 0);
        close(none);
        dup2(fds[1], 1);
        dup2(fds[1], 2);
        close(fds[0]);
        close(fds[1]);
        std::vector<char*> argv;
        for (const std::string& a : args)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    close(fds[1]);
    std::string seen;
    char buffer[65536];
    ssize_t n;
    while ((n = read(fds[0], buffer, sizeof buffer)) > 0 || (n < 0 && errno == EINTR)) {
        if (n < 0)
            continue;
        seen.append(buffer, static_cast<std::size_t>(n));
        if (StopWhen && StopWhen(seen)) {
            kill(pid, SIGKILL);
            break;
        }
    }
    close(fds[0]);
    waitpid(pid, nullptr, 0);
    return seen;
}
