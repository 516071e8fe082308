#include "skin/data/ZlibStreams.h"

#include <algorithm>
#include <string>

namespace {

const char* const kInvalidOperation = "Invalid stream operation";
constexpr std::int64_t MaxPiece = 1 << 30;

int ZlibLevel(TCompressionLevel level)
{
    switch (level) {
    case TCompressionLevel::clNone: return Z_NO_COMPRESSION;
    case TCompressionLevel::clFastest: return Z_BEST_SPEED;
    case TCompressionLevel::clDefault: return Z_DEFAULT_COMPRESSION;
    case TCompressionLevel::clMax: return Z_BEST_COMPRESSION;
    }
    return Z_DEFAULT_COMPRESSION;
}

// Z_BUF_ERROR only says that a call could make no progress (no input or no room left); it loses no
// data, so it is not a failure.
int CheckDeflate(int code)
{
    if (code < 0 && code != Z_BUF_ERROR)
        throw ECompressionError("error");
    return code;
}

int CheckInflate(int code)
{
    // Z_NEED_DICT is positive but can never be satisfied here: without the check inflate would make no
    // progress and the read loop would spin.
    if ((code < 0 && code != Z_BUF_ERROR) || code == Z_NEED_DICT)
        throw EDecompressionError("compression error");
    return code;
}

} // namespace

TCustomZlibStream::TCustomZlibStream(TStream& Strm) : FStrm(Strm), FStrmPos(Strm.Position()) {}

void TCustomZlibStream::Progress()
{
    if (OnProgress)
        OnProgress(this);
}

void TCustomZlibStream::RestoreStrmPos()
{
    if (FStrm.Position() != FStrmPos)
        FStrm.SetPosition(FStrmPos);
}

// ---------------------------------------------------------------------------------------------------

TCompressionStream::TCompressionStream(TCompressionLevel CompressionLevel, TStream& Dest) : TCustomZlibStream(Dest)
{
    FZRec.next_out = FBuffer;
    FZRec.avail_out = BufferSize;
    // The standard macro checks the library version and record size against the headers we built with.
    CheckDeflate(deflateInit(&FZRec, ZlibLevel(CompressionLevel)));
}

TCompressionStream::~TCompressionStream()
{
    try {
        Finish();
    } catch (...) {
        // A destructor cannot report; callers that care call Finish themselves.
    }
    deflateEnd(&FZRec);
}

void TCompressionStream::FlushBuffer(int count)
{
    if (count > 0)
        FStrm.WriteBuffer(FBuffer, count);
    FZRec.next_out = FBuffer;
    FZRec.avail_out = BufferSize;
    FStrmPos = FStrm.Position();
    Progress();
}

std::int64_t TCompressionStream::Read(void*, std::int64_t)
{
    throw ECompressionError(kInvalidOperation);
}

std::int64_t TCompressionStream::Write(const void* Buffer, std::int64_t Count)
{
    // Nothing to feed: deflate would only answer "no progress".
    if (Count <= 0 || FFinished)
        return 0;
    RestoreStrmPos();
    auto* next = static_cast<Bytef*>(const_cast<void*>(Buffer));
    std::int64_t left = Count;
    // zlib counts in 32 bits: feed very large buffers in pieces.
    while (left > 0) {
        const auto piece = static_cast<uInt>(std::min<std::int64_t>(left, MaxPiece));
        FZRec.next_in = next;
        FZRec.avail_in = piece;
        while (FZRec.avail_in > 0) {
            CheckDeflate(deflate(&FZRec, Z_NO_FLUSH));
            if (FZRec.avail_out == 0)
                FlushBuffer(BufferSize);
        }
        next += piece;
        left -= piece;
    }
    return Count;
}

std::int64_t TCompressionStream::Seek(std::int64_t Offset, TSeekOrigin Origin)
{
    if (Offset == 0 && Origin == soCurrent)
        return TotalIn();
    throw ECompressionError(kInvalidOperation);
}

void TCompressionStream::Finish()
{
    if (FFinished)
        return;
    FFinished = true;
    RestoreStrmPos();
    FZRec.next_in = nullptr;
    FZRec.avail_in = 0;
    for (;;) {
        const int code = CheckDeflate(deflate(&FZRec, Z_FINISH));
        if (code == Z_STREAM_END)
            break;
        // Z_FINISH returns before the end only when the buffer filled up.
        if (FZRec.avail_out != 0)
            throw ECompressionError("error");
        FlushBuffer(BufferSize);
    }
    FlushBuffer(BufferSize - static_cast<int>(FZRec.avail_out));
}

// ---------------------------------------------------------------------------------------------------

TDecompressionStream::TDecompressionStream(TStream& Source) : TCustomZlibStream(Source), FStartPos(FStrmPos)
{
    FZRec.next_in = FBuffer;
    FZRec.avail_in = 0;
    CheckInflate(inflateInit(&FZRec));
}

TDecompressionStream::~TDecompressionStream()
{
    inflateEnd(&FZRec);
}

std::int64_t TDecompressionStream::Read(void* Buffer, std::int64_t Count)
{
    // After the stream end zlib keeps answering Z_STREAM_END without consuming anything; any bytes
    // after the zlib data are not ours to read.
    if (Count <= 0 || FStreamEnded)
        return 0;
    RestoreStrmPos();
    FZRec.next_out = static_cast<Bytef*>(Buffer);
    // zlib counts in 32 bits; a short read is allowed, so a huge request just gets less.
    FZRec.avail_out = static_cast<uInt>(std::min<std::int64_t>(Count, MaxPiece));
    const auto wanted = static_cast<std::int64_t>(FZRec.avail_out);
    while (FZRec.avail_out > 0) {
        if (FZRec.avail_in == 0) {
            const auto got = FStrm.Read(FBuffer, BufferSize);
            // The source is exhausted before the stream end: a truncated stream. Hand over what we
            // have; StreamEnded stays false so that the caller can tell.
            if (got <= 0)
                break;
            FZRec.next_in = FBuffer;
            FZRec.avail_in = static_cast<uInt>(got);
            FStrmPos = FStrm.Position();
            Progress();
        }
        const int code = CheckInflate(inflate(&FZRec, Z_NO_FLUSH));
        if (code == Z_STREAM_END) {
            FStreamEnded = true;
            break;
        }
        // No progress with input and room on both sides cannot happen with a sane zlib; stop rather
        // than spin.
        if (code == Z_BUF_ERROR && FZRec.avail_in > 0)
            break;
    }
    return wanted - static_cast<std::int64_t>(FZRec.avail_out);
}

std::int64_t TDecompressionStream::Write(const void*, std::int64_t)
{
    throw EDecompressionError(kInvalidOperation);
}

void TDecompressionStream::Discard(std::int64_t count)
{
    unsigned char scratch[BufferSize];
    while (count > 0) {
        const int piece = static_cast<int>(std::min<std::int64_t>(count, BufferSize));
        const auto got = Read(scratch, piece);
        if (got <= 0)
            break;
        count -= got;
    }
}

std::int64_t TDecompressionStream::Seek(std::int64_t Offset, TSeekOrigin Origin)
{
    if (Offset == 0 && Origin == soBeginning) {
        CheckInflate(inflateReset(&FZRec));
        FZRec.next_in = FBuffer;
        FZRec.avail_in = 0;
        FStreamEnded = false;
        // Back to where the zlib data begins, which need not be the start of the source (a skin
        // file's data follows an 8-byte header).
        FStrm.SetPosition(FStartPos);
        FStrmPos = FStartPos;
    } else if (Origin == soCurrent && Offset >= 0) {
        Discard(Offset);
    } else if (Origin == soBeginning && Offset >= TotalOut()) {
        Discard(Offset - TotalOut());
    } else {
        throw EDecompressionError(kInvalidOperation);
    }
    return TotalOut();
}

// ---------------------------------------------------------------------------------------------------

void CompressStream(TStream& Source, TStream& Dest)
{
    TCompressionStream zip(TCompressionLevel::clMax, Dest);
    Source.SetPosition(0);
    unsigned char buffer[4096];
    for (;;) {
        const auto got = Source.Read(buffer, sizeof buffer);
        if (got <= 0)
            break;
        zip.Write(buffer, got);
    }
    zip.Finish();
}

bool DecompressStream(TStream& Source, TStream& Dest, std::int64_t MaxSize)
{
    Source.SetPosition(0);
    TDecompressionStream unzip(Source);
    std::int64_t total = 0;
    auto account = [&](std::int64_t got) {
        total += got;
        if (MaxSize >= 0 && total > MaxSize)
            throw EDecompressionLimit("the data inflates to more than " + std::to_string(MaxSize) + " bytes");
    };
    if (auto* memory = dynamic_cast<TMemoryStream*>(&Dest)) {
        // Inflate straight into the memory stream in growing pieces: no copy loop, and zlib keeps its
        // fast path on large output buffers. This is what makes loading a skin cost about as much as
        // zlib's own one-shot uncompress.
        std::int64_t pos = memory->Position();
        std::int64_t piece = 256 * 1024;
        for (;;) {
            if (MaxSize >= 0)
                piece = std::min(piece, MaxSize - total + 1);
            memory->SetSize(pos + piece);
            const auto got = unzip.Read(static_cast<char*>(memory->Memory()) + pos, piece);
            pos += got;
            memory->SetSize(pos);
            memory->SetPosition(pos);
            account(got);
            // A short read means the zlib stream or its source has ended.
            if (got < piece)
                break;
            piece = std::min<std::int64_t>(piece * 2, 4 * 1024 * 1024);
        }
        return unzip.StreamEnded();
    }
    unsigned char buffer[4096];
    for (;;) {
        const auto got = unzip.Read(buffer, sizeof buffer);
        if (got <= 0)
            break;
        account(got);
        Dest.WriteBuffer(buffer, got);
    }
    return unzip.StreamEnded();
}
