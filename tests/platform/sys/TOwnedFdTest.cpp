#include "platform/sys/TOwnedFd.h"

#include "platform/sys/Spawn.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <utility>

namespace {

bool IsOpen(int Fd)
{
    return ::fcntl(Fd, F_GETFD) != -1;
}

} // namespace

TEST(TOwnedFd, ClosesWhenTheOwnerGoesUnlessHandedOn)
{
    int fds[2];
    MakePipe(fds);
    {
        TOwnedFd read(fds[0]);
        TOwnedFd write(fds[1]);
        TOwnedFd moved(std::move(write));
        EXPECT_EQ(write.Get(), -1);
        EXPECT_EQ(moved.Get(), fds[1]);
        const int handedOn = read.Release();
        EXPECT_EQ(handedOn, fds[0]);
        EXPECT_EQ(read.Get(), -1);
    }
    // The moved-to owner closed the write end once; the read end was handed on and is still open.
    EXPECT_FALSE(IsOpen(fds[1]));
    EXPECT_TRUE(IsOpen(fds[0]));
    ::close(fds[0]);
}

TEST(TOwnedFd, ResetAndAssignmentCloseTheOneHeldBefore)
{
    int first[2];
    int second[2];
    MakePipe(first);
    MakePipe(second);
    TOwnedFd owner(first[0]);
    owner.Reset(first[1]);
    EXPECT_FALSE(IsOpen(first[0]));
    TOwnedFd other(second[0]);
    owner = std::move(other);
    EXPECT_FALSE(IsOpen(first[1]));
    EXPECT_EQ(owner.Get(), second[0]);
    owner.Close();
    EXPECT_FALSE(IsOpen(second[0]));
    ::close(second[1]);
}
