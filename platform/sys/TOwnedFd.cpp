#include "platform/sys/TOwnedFd.h"

#include <unistd.h>

TOwnedFd::~TOwnedFd()
{
    Close();
}

TOwnedFd& TOwnedFd::operator=(TOwnedFd&& Other) noexcept
{
    if (this != &Other)
        Reset(Other.Release());
    return *this;
}

void TOwnedFd::Reset(int Fd)
{
    Close();
    FFd = Fd;
}

void TOwnedFd::Close()
{
    // Never retried on EINTR: on Linux the descriptor is gone either way, and a retry could close one
    // another thread has just been given under the same number.
    if (FFd >= 0)
        ::close(FFd);
    FFd = -1;
}

int TOwnedFd::Release()
{
    const int fd = FFd;
    FFd = -1;
    return fd;
}
