#pragma once
// One file descriptor and the duty to close it: closed when the owner goes, whatever way its scope
// ends, unless it was handed on (Release). Move-only, so exactly one owner closes it.
class TOwnedFd {
public:
    TOwnedFd() = default;
    explicit TOwnedFd(int Fd) : FFd(Fd) {}
    ~TOwnedFd();
    TOwnedFd(TOwnedFd&& Other) noexcept : FFd(Other.Release()) {}
    TOwnedFd& operator=(TOwnedFd&& Other) noexcept;
    TOwnedFd(const TOwnedFd&) = delete;
    TOwnedFd& operator=(const TOwnedFd&) = delete;

    // -1 when none is held.
    int Get() const { return FFd; }
    // Closes the one held and takes Fd.
    void Reset(int Fd);
    // Safe after fork in the child: a bare close and nothing else.
    void Close();
    // Hands the descriptor on to a new owner; none is held afterwards.
    int Release();

private:
    int FFd = -1;
};
