#pragma once
// The thread that reads one output pipe of a child. It moves the bytes into a shared buffer, which the
// GUI thread drains (TOxReader), and tells the hidden window with CM_READ that there is something to
// take. When its pipe ends it closes its own descriptor and posts CM_THREADDONE; the GUI thread then
// joins it and runs the end handler.
//
// Nothing is ever dropped: when the GUI thread lags, the buffer stops growing at kReadBufferLimit and
// the thread waits, so the child blocks on its full pipe until the GUI thread catches up.
#include "platform/rtl/Types.h"
#include "platform/win/Messages.h"

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

class TOxReader;

// Posted by each runner thread as the last thing it does: wParam = which thread (kind), lParam = the
// run it belongs to. The hidden window joins the thread and runs its end handler on the GUI thread.
constexpr UINT CM_THREADDONE = WM_USER + 3;

constexpr std::size_t kReadBufferLimit = 131072;
// What the GUI thread hands to the line parser at a time.
constexpr std::size_t kReadChunk = 1024;

class TOxReadThread {
public:
    // Takes over Fd. Kind and Serial come back in CM_THREADDONE so the owner can tell the thread apart
    // from those of an earlier run.
    TOxReadThread(int Fd, HWND Window, TOxReader* Reader, WPARAM Kind, LPARAM Serial);
    // Stops and joins the thread if it still runs.
    ~TOxReadThread();
    TOxReadThread(const TOxReadThread&) = delete;
    TOxReadThread& operator=(const TOxReadThread&) = delete;

    void Start();

    // GUI thread: up to Max bytes from the front of the shared buffer. False when it is empty; the next
    // bytes that arrive are then announced with a new CM_READ.
    bool ReadBuffer(char* Buffer, std::size_t Max, std::size_t& Size);

    // GUI thread: asks the thread to stop. It leaves a blocked poll or a wait for buffer space at once
    // and closes its descriptor itself (closing it from here would not wake the read, and the number
    // could be reused by the next run's pipe meanwhile).
    void Terminate();

    // GUI thread: the watched child has ended. Whoever else still holds the pipe (a grandchild) may
    // keep it open for ever, so from now on about two seconds without data end the thread.
    void ChildEnded();

    // Waits for the thread's end.
    void Join();

    // Run by the owner on the GUI thread after the thread has ended (the synchronised end handler).
    std::function<void()> OnTerminate;

    static constexpr int kDrainAfterChildEndMs = 2000;

private:
    void Execute();
    bool CopyToBuffer(const char* Block, std::size_t Size);
    void Wake();

    int FFd;
    int FWake = -1; // eventfd: stop or child-ended
    HWND FWindow;
    TOxReader* FReader;
    WPARAM FKind;
    LPARAM FSerial;
    std::thread FThread;
    std::atomic<bool> FTerminated{false};
    std::atomic<bool> FChildEnded{false};

    std::mutex FLock;
    std::condition_variable FSpace;
    std::vector<char> FBuffer; // bytes FStart..FEnd are not yet taken
    std::size_t FStart = 0;
    std::size_t FEnd = 0;
    bool FPosted = false;      // a CM_READ is on its way and not yet answered by an empty ReadBuffer
};
