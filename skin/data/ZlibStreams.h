#pragma once
// Stream classes over zlib: the skin loader inflates stored skins with them and the skin builder
// deflates. The data is a plain zlib stream (header, deflate data, Adler-32 trailer).
#include <cstdint>
#include <functional>

#include <zlib.h>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/TStream.h"

class EZlibError : public Exception {
public:
    using Exception::Exception;
};
class ECompressionError : public EZlibError {
public:
    using EZlibError::EZlibError;
};
class EDecompressionError : public EZlibError {
public:
    using EZlibError::EZlibError;
};
// Sound data, perhaps, but more of it than the reader takes.
class EDecompressionLimit : public EDecompressionError {
public:
    using EDecompressionError::EDecompressionError;
};

// Scoped: the plain names clNone and clDefault are colours.
enum class TCompressionLevel { clNone, clFastest, clDefault, clMax };

class TCustomZlibStream : public TStream {
public:
    ~TCustomZlibStream() override = default;
    TCustomZlibStream(const TCustomZlibStream&) = delete;
    TCustomZlibStream& operator=(const TCustomZlibStream&) = delete;

    // Fires each time a buffer's worth went to or came from the wrapped stream.
    std::function<void(TCustomZlibStream* Sender)> OnProgress;

protected:
    explicit TCustomZlibStream(TStream& Strm);
    void Progress();
    // Moves the wrapped stream back to where this stream left it, in case someone else moved it.
    void RestoreStrmPos();

    // Large enough that zlib stays on its fast path for a whole skin; with 4 KB pieces inflating
    // a skin cost a third more than zlib's one-shot uncompress.
    static constexpr int BufferSize = 65536;
    TStream& FStrm;
    std::int64_t FStrmPos = 0;
    z_stream FZRec{};
    unsigned char FBuffer[BufferSize]{};
};

// Write-only: deflates what is written into the destination. The zlib stream is complete after
// Finish (called by the destructor when nobody called it).
class TCompressionStream : public TCustomZlibStream {
public:
    TCompressionStream(TCompressionLevel CompressionLevel, TStream& Dest);
    ~TCompressionStream() override;

    std::int64_t Read(void* Buffer, std::int64_t Count) override;
    std::int64_t Write(const void* Buffer, std::int64_t Count) override;
    // Only Seek(0, soCurrent) is allowed: it gives the number of bytes written so far.
    std::int64_t Seek(std::int64_t Offset, TSeekOrigin Origin) override;

    // Flushes the rest of the deflate data and the trailer into the destination; raises
    // ECompressionError when zlib fails. Later calls do nothing.
    void Finish();
    // Bytes handed to Write so far.
    std::int64_t TotalIn() const { return static_cast<std::int64_t>(FZRec.total_in); }

private:
    void FlushBuffer(int count);
    bool FFinished = false;
};

// Read-only: inflates the source from where it stood at creation. Reading stops at the end of the
// zlib stream; bytes after it are never looked at, and every later Read returns 0.
class TDecompressionStream : public TCustomZlibStream {
public:
    explicit TDecompressionStream(TStream& Source);
    ~TDecompressionStream() override;

    std::int64_t Read(void* Buffer, std::int64_t Count) override;
    std::int64_t Write(const void* Buffer, std::int64_t Count) override;
    // Seek(0, soBeginning) rewinds to where the source stood at creation; forward seeks read and
    // discard; anything else raises EDecompressionError. Returns the bytes produced so far.
    std::int64_t Seek(std::int64_t Offset, TSeekOrigin Origin) override;

    // True once the zlib stream's end (with its checksum) was reached: the data is complete. A
    // stream whose source ran out before that was truncated.
    bool StreamEnded() const { return FStreamEnded; }
    std::int64_t TotalOut() const { return static_cast<std::int64_t>(FZRec.total_out); }

private:
    void Discard(std::int64_t count);
    std::int64_t FStartPos = 0;
    bool FStreamEnded = false;
};

// Deflates the whole source (from position 0) into the destination at maximum compression.
void CompressStream(TStream& Source, TStream& Dest);
// Inflates the whole source (from position 0) into the destination. A truncated source does not
// raise: what was inflated so far stays in the destination. Returns true when the zlib stream ended
// properly. With MaxSize >= 0, raises EDecompressionLimit once the output would exceed MaxSize bytes.
bool DecompressStream(TStream& Source, TStream& Dest, std::int64_t MaxSize = -1);
