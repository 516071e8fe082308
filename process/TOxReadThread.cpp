#include "process/TOxReadThread.h"

#include "platform/win/MessageQueue.h"
#include "process/TOxReader.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>

TOxReadThread::TOxReadThread(int Fd, HWND Window, TOxReader* Reader, WPARAM Kind, LPARAM Serial)
    : FFd(Fd), FWindow(Window), FReader(Reader), FKind(Kind), FSerial(Serial)
{
    FWake = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
}

TOxReadThread::~TOxReadThread()
{
    if (FThread.joinable()) {
        Terminate();
        FThread.join();
    }
    if (FFd >= 0) {
        ::close(FFd); // never started
    }
    if (FWake >= 0) {
        ::close(FWake);
    }
}

void TOxReadThread::Start()
{
    FThread = std::thread([this] { Execute(); });
}

void TOxReadThread::Join()
{
    if (FThread.joinable()) {
        FThread.join();
    }
}

void TOxReadThread::Wake()
{
    std::uint64_t one = 1;
    (void)!::write(FWake, &one, sizeof one);
}

void TOxReadThread::Terminate()
{
    {
        std::lock_guard lock(FLock);
        FTerminated.store(true);
    }
    FSpace.notify_all();
    Wake();
}

void TOxReadThread::ChildEnded()
{
    FChildEnded.store(true);
    Wake();
}

bool TOxReadThread::ReadBuffer(char* Buffer, std::size_t Max, std::size_t& Size)
{
    std::lock_guard lock(FLock);
    Size = std::min(Max, FEnd - FStart);
    if (Size == 0) {
        // Answered: whatever comes next needs a new CM_READ.
        FPosted = false;
        return false;
    }
    std::memcpy(Buffer, FBuffer.data() + FStart, Size);
    FStart += Size;
    if (FStart == FEnd) {
        FStart = FEnd = 0;
    }
    FSpace.notify_one();
    return true;
}

bool TOxReadThread::CopyToBuffer(const char* Block, std::size_t Size)
{
    bool post = false;
    {
        std::unique_lock lock(FLock);
        // Back-pressure: wait for the GUI thread rather than drop what it has not taken yet.
        FSpace.wait(lock, [&] { return FTerminated.load() || FEnd - FStart == 0 || FEnd - FStart + Size <= kReadBufferLimit; });
        if (FTerminated.load()) {
            return false;
        }
        if (FEnd + Size > FBuffer.size()) {
            // Move the untaken bytes to the front before growing.
            if (FStart > 0) {
                std::memmove(FBuffer.data(), FBuffer.data() + FStart, FEnd - FStart);
            }
            FEnd -= FStart;
            FStart = 0;
            if (FEnd + Size > FBuffer.size()) {
                FBuffer.resize(FEnd + Size);
            }
        }
        std::memcpy(FBuffer.data() + FEnd, Block, Size);
        FEnd += Size;
        post = !FPosted;
        FPosted = true;
    }
    if (post) {
        // One CM_READ per drain, not one per block: a fast child cannot flood the GUI queue.
        PostMessage(FWindow, CM_READ, reinterpret_cast<WPARAM>(FReader), FSerial);
    }
    return true;
}

void TOxReadThread::Execute()
{
    std::vector<char> block(65536);
    while (!FTerminated.load()) {
        const int timeout = FChildEnded.load() ? kDrainAfterChildEndMs : -1;
        pollfd fds[2] = {{FFd, POLLIN, 0}, {FWake, POLLIN, 0}};
        int r = poll(fds, 2, timeout);
        if (r < 0) {
            if (errno == EINTR) {
                continue;
            }
            break;
        }
        if (r == 0) {
            // The child has gone and nobody wrote for the drain time: whoever still holds the
            // pipe must not delay the end report any longer.
            break;
        }
        if (fds[1].revents & POLLIN) {
            std::uint64_t n;
            (void)!::read(FWake, &n, sizeof n);
            continue; // look at the flags again
        }
        if (fds[0].revents == 0) {
            continue;
        }
        ssize_t n = ::read(FFd, block.data(), block.size());
        if (n < 0 && (errno == EINTR || errno == EAGAIN)) {
            continue;
        }
        // 0 is end of file (every writer has closed its end); any other error will not go away by
        // reading again, so both end the loop instead of spinning.
        if (n <= 0) {
            break;
        }
        if (!CopyToBuffer(block.data(), static_cast<std::size_t>(n))) {
            break;
        }
    }
    ::close(FFd);
    FFd = -1;
    PostMessage(FWindow, CM_THREADDONE, FKind, FSerial);
}
