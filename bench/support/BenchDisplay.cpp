#include "bench/support/BenchDisplay.h"

#include <poll.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>

#include "platform/backend/Backend.h"
#include "platform/win/MessageQueue.h"
#include "platform/win/Paint.h"

namespace {

// The display number Xvfb writes to its end of the pipe once it listens ("99\n"); empty when it ends
// or says nothing within the limit.
std::string ReadDisplayNumber(int Fd)
{
    std::string text;
    pollfd p{Fd, POLLIN, 0};
    // A loaded machine may take a while to start a server; the limit only guards against one that hangs.
    while (text.find('\n') == std::string::npos && poll(&p, 1, 30000) > 0) {
        char buffer[32];
        const ssize_t n = read(Fd, buffer, sizeof buffer);
        if (n <= 0)
            return {};
        text.append(buffer, static_cast<std::size_t>(n));
    }
    const std::size_t end = text.find('\n');
    return end == std::string::npos || end == 0 ? std::string() : text.substr(0, end);
}

}  // namespace

TBenchXServer::TBenchXServer(int Width, int Height)
{
    if (FindOnPath("Xvfb").empty())
        return;
    int fds[2];
    MakePipe(fds);
    TSpawnRequest r;
    r.Program = "Xvfb";
    // -displayfd: the server takes the first free display number and tells it on our pipe.
    r.Args = {"Xvfb", "-displayfd", "1", "-screen", "0", std::to_string(Width) + "x" + std::to_string(Height) + "x24",
        "-nolisten", "tcp"};
    r.StdOut = fds[1];
    try {
        FServer = SpawnProcess(r);
    } catch (const std::exception&) {
    }
    close(fds[1]);
    const std::string number = FServer.Assigned() ? ReadDisplayNumber(fds[0]) : std::string();
    close(fds[0]);
    if (!number.empty())
        FName = ":" + number;
    else if (FServer.Assigned()) {
        FServer.Signal(SIGTERM);
        FServer.Reap();
    }
}

TBenchXServer::~TBenchXServer()
{
    if (FServer.Assigned()) {
        FServer.Signal(SIGTERM);
        FServer.Reap();
    }
}

TBenchDisplay::TBenchDisplay(int Width, int Height) : FServer(Width, Height)
{
    if (!FServer.Name().empty()) {
        setenv("DISPLAY", FServer.Name().c_str(), 1);
        if (auto sdl = MakeBackend("sdl")) {
            SetBackend(std::move(sdl));
            FKind = "sdl on Xvfb " + FServer.Name();
            FOnScreen = true;
            return;
        }
    }
    SetBackend(MakeBackend("headless"));
}

TBenchDisplay::~TBenchDisplay() = default;

void BenchProcessMessages()
{
    TMsg m;
    while (PeekMessage(&m, 0, 0, 0, PM_REMOVE)) {
        if (m.message == WM_QUIT)
            break;
        TranslateMessage(&m);
        DispatchMessage(&m);
    }
    UpdateAllWindows();
}
