#include "process/TOxConsoleThread.h"

#include "platform/win/MessageQueue.h"
#include "process/TOxReadThread.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>

namespace {

// waitid's P_PIDFD (Linux 5.4); the C library's idtype_t does not name it yet.
constexpr idtype_t kPidfdIdType = static_cast<idtype_t>(3);

void DrainEvent(int fd)
{
    std::uint64_t n;
    (void)!::read(fd, &n, sizeof n);
}

void Signal(int fd)
{
    std::uint64_t one = 1;
    (void)!::write(fd, &one, sizeof one);
}

} // namespace

TOxWaitForProcessThread::TOxWaitForProcessThread(int PidFd, HWND Window, WPARAM Kind, LPARAM Serial)
    : FPidFd(PidFd), FWindow(Window), FKind(Kind), FSerial(Serial)
{
    FStop = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
}

TOxWaitForProcessThread::~TOxWaitForProcessThread()
{
    // A derived destructor has already joined; this covers the plain wait thread.
    if (FThread.joinable()) {
        TerminateThread();
        FThread.join();
    }
    if (FStop >= 0) {
        ::close(FStop);
    }
}

void TOxWaitForProcessThread::Start()
{
    FThread = std::thread([this] { Execute(); });
}

void TOxWaitForProcessThread::TerminateThread()
{
    FTerminated.store(true);
    Signal(FStop);
}

void TOxWaitForProcessThread::Join()
{
    if (FThread.joinable()) {
        FThread.join();
    }
}

int TOxWaitForProcessThread::ChildStatus() const
{
    siginfo_t info{};
    int r;
    do {
        // WNOWAIT: look, do not reap (see the header).
        r = waitid(kPidfdIdType, static_cast<id_t>(FPidFd), &info, WEXITED | WNOWAIT | WNOHANG);
    } while (r < 0 && errno == EINTR);
    if (r == 0 && info.si_pid == 0) {
        // The pidfd turned readable a moment before the child became waitable (a many-threaded
        // child's last threads still going): it has ended, so a blocking look returns at once.
        do {
            r = waitid(kPidfdIdType, static_cast<id_t>(FPidFd), &info, WEXITED | WNOWAIT);
        } while (r < 0 && errno == EINTR);
    }
    if (r < 0 || info.si_pid == 0) {
        return -1;
    }
    if (info.si_code == CLD_EXITED) {
        return W_EXITCODE(info.si_status, 0);
    }
    return W_EXITCODE(0, info.si_status);
}

void TOxWaitForProcessThread::PostDone()
{
    PostMessage(FWindow, CM_THREADDONE, FKind, FSerial);
}

void TOxWaitForProcessThread::Execute()
{
    while (!FTerminated.load()) {
        pollfd fds[2] = {{FStop, POLLIN, 0}, {FPidFd, POLLIN, 0}};
        int r = poll(fds, 2, -1);
        if (r < 0) {
            if (errno == EINTR) {
                continue;
            }
            break; // a failed wait ends the thread; the end is still reported
        }
        if (fds[0].revents & POLLIN) {
            break;
        }
        if (fds[1].revents) {
            FWaitStatus = ChildStatus();
            break;
        }
    }
    PostDone();
}

TOxConsoleThread::TOxConsoleThread(int PidFd, int StdIn, HWND Window, WPARAM Kind, LPARAM Serial)
    : TOxWaitForProcessThread(PidFd, Window, Kind, Serial), FStdIn(StdIn)
{
    FInputEvent = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    // Writes must never block the thread: a full pipe is waited for with poll, together with the
    // child's end and the stop event.
    if (FStdIn >= 0) {
        fcntl(FStdIn, F_SETFL, fcntl(FStdIn, F_GETFL) | O_NONBLOCK);
    }
}

TOxConsoleThread::~TOxConsoleThread()
{
    TerminateThread();
    Join();
    CloseInput();
    if (FInputEvent >= 0) {
        ::close(FInputEvent);
    }
}

bool TOxConsoleThread::Write(const std::string& S)
{
    if (S.empty()) {
        return true;
    }
    {
        std::lock_guard lock(FLock);
        if (FStdIn < 0 || FQueue.size() + S.size() > kInputQueueLimit) {
            return false;
        }
        FQueue += S;
    }
    Signal(FInputEvent);
    return true;
}

bool TOxConsoleThread::InputClosed()
{
    std::lock_guard lock(FLock);
    return FStdIn < 0;
}

void TOxConsoleThread::CloseInput()
{
    std::lock_guard lock(FLock);
    if (FStdIn >= 0) {
        ::close(FStdIn);
        FStdIn = -1;
    }
}

bool TOxConsoleThread::TryWrite()
{
    for (;;) {
        std::string pending;
        int fd;
        {
            std::lock_guard lock(FLock);
            if (FStdIn < 0 || FQueue.empty()) {
                return true;
            }
            pending = FQueue;
            fd = FStdIn; // only this thread closes it, so it stays valid without the lock
        }
        ssize_t n = ::write(fd, pending.data(), pending.size());
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            if (errno == EAGAIN) {
                return false;
            }
            // EPIPE (the child closed its input or ended; SIGPIPE is ignored) and every other error
            // will not heal by retrying: standard input counts as closed from now on.
            CloseInput();
            return true;
        }
        std::lock_guard lock(FLock);
        // The GUI thread only appends, so the written bytes are still the queue's first ones.
        FQueue.erase(0, static_cast<std::size_t>(n));
    }
}

void TOxConsoleThread::Execute()
{
    bool waitForSpace = false;
    while (!FTerminated.load()) {
        int input = -1;
        {
            std::lock_guard lock(FLock);
            input = FStdIn;
        }
        pollfd fds[4] = {{FStop, POLLIN, 0}, {FPidFd, POLLIN, 0}, {FInputEvent, POLLIN, 0}, {input, POLLOUT, 0}};
        int count = waitForSpace && input >= 0 ? 4 : 3;
        int r = poll(fds, static_cast<nfds_t>(count), -1);
        if (r < 0) {
            if (errno == EINTR) {
                continue;
            }
            break;
        }
        if (fds[0].revents & POLLIN) {
            break;
        }
        if (fds[1].revents) {
            FWaitStatus = ChildStatus();
            break;
        }
        bool tryWrite = false;
        if (fds[2].revents & POLLIN) {
            DrainEvent(FInputEvent);
            tryWrite = true;
        }
        if (count == 4 && fds[3].revents) {
            tryWrite = true;
        }
        if (tryWrite) {
            waitForSpace = !TryWrite();
        }
    }
    PostDone();
}
