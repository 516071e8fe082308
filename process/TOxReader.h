#pragma once
// Turns the raw bytes of one output pipe into line events on the GUI thread, the way a terminal would
// show them: NUL and BEL become blanks, BS steps back, TAB writes 8 blanks, CR returns to column 0
// (a shorter text then overwrites the start of the longer one, never shortening it), LF ends the line.
//
// Each report says whether it starts a new line (StartsOnNewLine: the previous report ended one) and
// whether it ends one (EndsLine: at LF, and for the final report when the pipe ends). A line still
// growing, such as a progress text rewritten with CR, is reported at every chunk end with EndsLine
// false and then again; a consumer that needs whole lines takes only the reports with EndsLine true,
// and so never sees a line cut at a chunk boundary.
#include "platform/rtl/TStringList.h"
#include "platform/rtl/Types.h"
#include "platform/vcl/TComponent.h"

#include <exception>
#include <functional>
#include <memory>
#include <string>

class TOxCreateProcess;
class TOxReadThread;

using TOxCPSReadEvent = std::function<void(TObject* Sender, const std::string& S, bool StartsOnNewLine, bool EndsLine)>;
using TOxCPSRawReadEvent = std::function<void(TObject* Sender, const std::string& S)>;

class TOxBaseReader : public TObject {
public:
    explicit TOxBaseReader(TOxCreateProcess* Owner) : FOwner(Owner) {}
    TOxCreateProcess* Owner() const { return FOwner; }

private:
    TOxCreateProcess* FOwner;
};

class TOxReader : public TOxBaseReader {
public:
    // OnRead and OnRawRead are the owner's event members this reader fires (with the owner as Sender).
    TOxReader(TOxCreateProcess* Owner, const TOxCPSReadEvent& OnRead, const TOxCPSRawReadEvent& OnRawRead);
    ~TOxReader() override;

    // The reported lines, kept only when the owner's ConsoleOptions lack coOwnerData; never cleared
    // by the runner.
    TStringList* Lines() { return &FLines; }
    const std::string& CurrentLine() const { return FCurrentLine; }
    int CursorPosition() const { return static_cast<int>(FCursor); }
    bool StartsOnNewLine() const { return FStartsOnNewLine; }
    bool Reading() const { return FThread != nullptr; }

    // Starts reading the pipe (taking over Fd) on a new thread that posts to Window.
    void StartRead(int Fd, HWND Window, WPARAM Kind, LPARAM Serial);
    // Stops the thread without an end report; what it read and nobody took is discarded.
    void CloseRead();
    // The watched child has ended: a pipe still held by someone else is drained for a bounded time.
    void ChildEnded();
    // CM_READ: parses whatever the thread has buffered, at most about kReadBufferLimit bytes, so a
    // fast child cannot keep the GUI thread in here; if more is left, another CM_READ is posted.
    void HandleReadEvent();
    // CM_THREADDONE of this reader's thread: joins it, parses the rest, reports a last unfinished line
    // once more (now as ending its line) and posts CM_THREADTERMINATED with the run's serial. False,
    // with nothing done, when it arrives while a line handler of this reader is still running (a
    // handler that pumps messages): the caller posts it again, so lines keep their order.
    bool ThreadTerminated();

    // Parses one chunk (the GUI thread hands at most kReadChunk bytes at a time).
    void ParseReadBuffer(const char* Chunk, std::size_t Size);

private:
    void Flush(const char* Pending, std::size_t Count);
    void WriteTab();
    void DoReadEvent(bool EndsLine);
    void RethrowPending();

    const TOxCPSReadEvent& FOnRead;
    const TOxCPSRawReadEvent& FOnRawRead;
    TStringList FLines;
    std::unique_ptr<TOxReadThread> FThread;
    HWND FWindow = 0;
    LPARAM FSerial = 0;
    std::string FCurrentLine;
    std::size_t FCursor = 0;
    bool FStartsOnNewLine = true;
    bool FInHandle = false;
    // The first exception of a line handler during a parse: the rest of the chunk is still parsed
    // (nothing is lost), then it is raised on to the window procedure.
    std::exception_ptr FPending;
};
