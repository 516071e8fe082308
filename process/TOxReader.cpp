#include "process/TOxReader.h"

#include "platform/rtl/ScopeGuards.h"
#include "platform/win/MessageQueue.h"
#include "process/TOxCreateProcess.h"
#include "process/TOxReadThread.h"

#include <algorithm>

namespace {

constexpr char kNul = 0;
constexpr char kBel = 7;
constexpr char kBs = 8;
constexpr char kTab = 9;
constexpr char kLf = 10;
constexpr char kCr = 13;
constexpr std::size_t kTabWidth = 8;

} // namespace

TOxReader::TOxReader(TOxCreateProcess* Owner, const TOxCPSReadEvent& OnRead, const TOxCPSRawReadEvent& OnRawRead)
    : TOxBaseReader(Owner), FOnRead(OnRead), FOnRawRead(OnRawRead)
{
}

TOxReader::~TOxReader()
{
    CloseRead();
}

void TOxReader::StartRead(int Fd, HWND Window, WPARAM Kind, LPARAM Serial)
{
    CloseRead();
    FStartsOnNewLine = true;
    FCurrentLine.clear();
    FCursor = 0;
    FWindow = Window;
    FSerial = Serial;
    FThread = std::make_unique<TOxReadThread>(Fd, Window, this, Kind, Serial);
    FThread->Start();
}

void TOxReader::CloseRead()
{
    if (FThread) {
        // The thread leaves its poll or its wait for buffer space at once, so this join is short.
        FThread->OnTerminate = nullptr;
        FThread->Terminate();
        FThread->Join();
        FThread.reset();
    }
}

void TOxReader::ChildEnded()
{
    if (FThread) {
        FThread->ChildEnded();
    }
}

void TOxReader::HandleReadEvent()
{
    if (!FThread || FInHandle) {
        // A nested CM_READ (a handler pumping messages): the outer drain takes these bytes too.
        return;
    }
    TValueGuard scope(FInHandle);
    char chunk[kReadChunk];
    std::size_t size = 0;
    std::size_t budget = kReadBufferLimit;
    while (budget > 0 && FThread && FThread->ReadBuffer(chunk, sizeof chunk, size)) {
        ParseReadBuffer(chunk, size);
        budget -= std::min(budget, size);
    }
    if (budget == 0 && FThread) {
        // More is waiting: let the other messages (the Stop button, timers, painting) in first.
        PostMessage(FWindow, CM_READ, reinterpret_cast<WPARAM>(this), FSerial);
    }
    RethrowPending();
}

bool TOxReader::ThreadTerminated()
{
    if (FInHandle) {
        return false;
    }
    if (!FThread) {
        return true;
    }
    {
        TValueGuard scope(FInHandle);
        FThread->Join();
        char chunk[kReadChunk];
        std::size_t size = 0;
        while (FThread && FThread->ReadBuffer(chunk, sizeof chunk, size)) {
            ParseReadBuffer(chunk, size);
        }
        // The last line had no LF: report it once more, now as finished, so that a consumer of whole
        // lines gets it too.
        if (!FCurrentLine.empty()) {
            DoReadEvent(true);
        }
    }
    std::unique_ptr<TOxReadThread> done = std::move(FThread);
    if (done && done->OnTerminate) {
        done->OnTerminate();
    }
    PostMessage(FWindow, CM_THREADTERMINATED, 0, FSerial);
    RethrowPending();
    return true;
}

void TOxReader::ParseReadBuffer(const char* Chunk, std::size_t Size)
{
    if (FOnRawRead) {
        try {
            FOnRawRead(Owner(), std::string(Chunk, Size));
        } catch (...) {
            if (!FPending) {
                FPending = std::current_exception();
            }
        }
    }
    std::size_t start = 0;
    for (std::size_t i = 0; i < Size; ++i) {
        switch (Chunk[i]) {
        case kBs:
            Flush(Chunk + start, i - start);
            if (FCursor > 0) {
                --FCursor;
            }
            start = i + 1;
            break;
        case kTab:
            Flush(Chunk + start, i - start);
            WriteTab();
            start = i + 1;
            break;
        case kLf:
            Flush(Chunk + start, i - start);
            DoReadEvent(true);
            start = i + 1;
            break;
        case kCr:
            Flush(Chunk + start, i - start);
            FCursor = 0;
            start = i + 1;
            break;
        default:
            break; // NUL and BEL are turned into blanks by Flush; the rest is text
        }
    }
    Flush(Chunk + start, Size - start);
    DoReadEvent(false);
}

void TOxReader::Flush(const char* Pending, std::size_t Count)
{
    if (Count == 0) {
        return;
    }
    if (FCursor + Count > FCurrentLine.size()) {
        FCurrentLine.resize(FCursor + Count);
    }
    char* out = FCurrentLine.data() + FCursor;
    for (std::size_t i = 0; i < Count; ++i) {
        char c = Pending[i];
        out[i] = (c == kNul || c == kBel) ? ' ' : c;
    }
    FCursor += Count;
}

void TOxReader::WriteTab()
{
    static const char blanks[kTabWidth + 1] = "        ";
    Flush(blanks, kTabWidth);
}

void TOxReader::DoReadEvent(bool EndsLine)
{
    if (Owner() && !Owner()->ConsoleOptions().Contains(coOwnerData)) {
        if (FStartsOnNewLine || FLines.Count() == 0) {
            FLines.Add(FCurrentLine);
        } else {
            FLines.SetStrings(FLines.Count() - 1, FCurrentLine);
        }
    }
    if (FOnRead) {
        try {
            FOnRead(Owner(), FCurrentLine, FStartsOnNewLine, EndsLine);
        } catch (...) {
            if (!FPending) {
                FPending = std::current_exception();
            }
        }
    }
    if (EndsLine) {
        FCurrentLine.clear();
        FCursor = 0;
    }
    FStartsOnNewLine = EndsLine;
}

void TOxReader::RethrowPending()
{
    if (FPending) {
        std::exception_ptr e = std::move(FPending);
        FPending = nullptr;
        std::rethrow_exception(e);
    }
}
