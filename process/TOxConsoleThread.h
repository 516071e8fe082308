#pragma once
// The threads that watch a child: TOxWaitForProcessThread waits for its end (or for StopWaiting), and
// TOxConsoleThread also writes the queued text to its standard input. Both wait with poll() on the
// child's pidfd and an eventfd of their own, so they use no CPU while the child runs, and both post
// CM_THREADDONE as the last thing they do. They only look at the child's end (waitid with WNOWAIT):
// the child stays unreaped until the component is done with it, so its pid cannot be reused while
// Terminate may still signal it.
#include "platform/rtl/Types.h"

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

constexpr std::size_t kInputQueueLimit = 1024;
constexpr DWORD kWaitStopped = 0xFFFFFFFF;

class TOxWaitForProcessThread {
public:
    // PidFd is not owned (the component keeps the child). Kind and Serial come back in CM_THREADDONE.
    TOxWaitForProcessThread(int PidFd, HWND Window, WPARAM Kind, LPARAM Serial);
    virtual ~TOxWaitForProcessThread();
    TOxWaitForProcessThread(const TOxWaitForProcessThread&) = delete;
    TOxWaitForProcessThread& operator=(const TOxWaitForProcessThread&) = delete;

    void Start();
    // Any thread: stops the wait; the thread ends with ExitCode kWaitStopped.
    void TerminateThread();
    void Join();

    // After the end: the child's raw wait status, or -1 when the wait was stopped or failed.
    int WaitStatus() const { return FWaitStatus; }

    // Run by the owner on the GUI thread after the thread has ended.
    std::function<void()> OnTerminate;

protected:
    virtual void Execute();
    // The child's status once the pidfd says it has ended.
    int ChildStatus() const;
    void PostDone();

    int FPidFd;
    int FStop = -1; // eventfd
    HWND FWindow;
    WPARAM FKind;
    LPARAM FSerial;
    std::atomic<bool> FTerminated{false};
    int FWaitStatus = -1;

private:
    std::thread FThread;
};

class TOxConsoleThread : public TOxWaitForProcessThread {
public:
    // Takes over StdIn, the parent's write end of the child's standard input.
    TOxConsoleThread(int PidFd, int StdIn, HWND Window, WPARAM Kind, LPARAM Serial);
    ~TOxConsoleThread() override;

    // GUI thread: queues S whole for the child's standard input. True for an empty S; false, queueing
    // nothing, when standard input is closed or S would not fit the kInputQueueLimit bytes still
    // queued.
    bool Write(const std::string& S);
    bool InputClosed();

protected:
    void Execute() override;

private:
    // Writes what is queued without holding the lock during the write (so a Write from the GUI thread
    // never waits for a child that does not read). False when the pipe is full (wait for POLLOUT).
    bool TryWrite();
    void CloseInput();

    int FInputEvent = -1; // eventfd
    std::mutex FLock;
    int FStdIn;           // -1 once closed
    std::string FQueue;
};
