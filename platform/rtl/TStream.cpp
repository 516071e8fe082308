#include "platform/rtl/TStream.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>
#include <vector>

#include "platform/rtl/Exceptions.h"

// --- TStream -----------------------------------------------------------------------------------

int64_t TStream::Size()
{
    int64_t pos = Seek(0, soCurrent);
    int64_t size = Seek(0, soEnd);
    Seek(pos, soBeginning);
    return size;
}

void TStream::SetSize(int64_t)
{
    throw EStreamError("Stream size cannot be changed");
}

void TStream::ReadBuffer(void* buf, int64_t count)
{
    if (count > 0 && Read(buf, count) != count) {
        throw EReadError("Stream read error");
    }
}

void TStream::WriteBuffer(const void* buf, int64_t count)
{
    if (count > 0 && Write(buf, count) != count) {
        throw EWriteError("Stream write error");
    }
}

int64_t TStream::CopyFrom(TStream* src, int64_t count)
{
    if (count == 0) {
        src->SetPosition(0);
        count = src->Size();
    }
    const int64_t result = count;
    const int64_t chunk = std::min<int64_t>(count, 1 << 20);
    std::vector<char> buf(static_cast<size_t>(std::max<int64_t>(chunk, 1)));
    while (count > 0) {
        int64_t n = std::min<int64_t>(count, static_cast<int64_t>(buf.size()));
        src->ReadBuffer(buf.data(), n);
        WriteBuffer(buf.data(), n);
        count -= n;
    }
    return result;
}

// --- TMemoryStream -----------------------------------------------------------------------------

int64_t TMemoryStream::Read(void* buf, int64_t count)
{
    const int64_t size = static_cast<int64_t>(FData.size());
    if (count <= 0 || FPosition >= size) {
        return 0;
    }
    int64_t n = std::min(count, size - FPosition);
    std::memcpy(buf, FData.data() + FPosition, static_cast<size_t>(n));
    FPosition += n;
    return n;
}

int64_t TMemoryStream::Write(const void* buf, int64_t count)
{
    if (count <= 0) {
        return 0;
    }
    const int64_t end = FPosition + count;
    if (end > static_cast<int64_t>(FData.size())) {
        FData.resize(static_cast<size_t>(end), '\0');
    }
    std::memcpy(FData.data() + FPosition, buf, static_cast<size_t>(count));
    FPosition = end;
    return count;
}

int64_t TMemoryStream::Seek(int64_t offset, TSeekOrigin origin)
{
    int64_t base = origin == soBeginning ? 0 : (origin == soCurrent ? FPosition : static_cast<int64_t>(FData.size()));
    int64_t pos = base + offset;
    // A position before the start is meaningless; the library would fail the next read. Hold it at 0.
    FPosition = std::max<int64_t>(pos, 0);
    return FPosition;
}

void TMemoryStream::SetSize(int64_t newSize)
{
    FData.resize(static_cast<size_t>(std::max<int64_t>(newSize, 0)), '\0');
}

void TMemoryStream::Clear()
{
    FData.clear();
    FData.shrink_to_fit();
    FPosition = 0;
}

void TMemoryStream::LoadFromStream(TStream* stream)
{
    if (stream == this) {
        FPosition = 0;
        return;
    }
    stream->SetPosition(0);
    int64_t size = stream->Size();
    std::string data(static_cast<size_t>(std::max<int64_t>(size, 0)), '\0');
    stream->ReadBuffer(data.data(), static_cast<int64_t>(data.size()));
    FData = std::move(data);
    FPosition = 0;
}

void TMemoryStream::LoadFromFile(const std::string& fileName)
{
    TFileStream stream(fileName, fmOpenRead | fmShareDenyWrite);
    try {
        LoadFromStream(&stream);
    } catch (EReadError& e) {
        e.SetMessage(e.Message() + " \"" + fileName + "\"");
        throw;
    }
}

void TMemoryStream::SaveToStream(TStream* stream) const
{
    stream->WriteBuffer(FData.data(), static_cast<int64_t>(FData.size()));
}

void TMemoryStream::SaveToFile(const std::string& fileName) const
{
    TFileStream stream(fileName, fmCreate);
    try {
        SaveToStream(&stream);
    } catch (EWriteError& e) {
        e.SetMessage(e.Message() + " \"" + fileName + "\"");
        throw;
    }
}

// --- TStringStream -----------------------------------------------------------------------------

TStringStream::TStringStream(std::string data)
{
    FData = std::move(data);
}

std::string TStringStream::ReadString(int64_t count)
{
    const int64_t size = static_cast<int64_t>(FData.size());
    if (count <= 0 || FPosition >= size) {
        return {};
    }
    int64_t n = std::min(count, size - FPosition);
    std::string r = FData.substr(static_cast<size_t>(FPosition), static_cast<size_t>(n));
    FPosition += n;
    return r;
}

void TStringStream::WriteString(const std::string& s)
{
    Write(s.data(), static_cast<int64_t>(s.size()));
}

// --- TFileStream -------------------------------------------------------------------------------

TFileStream::TFileStream(const std::string& fileName, unsigned mode) : FFileName(fileName)
{
    const bool create = (mode & fmCreate) == fmCreate;
    int flags = O_CLOEXEC;  // a console tool started later must not inherit our files
    if (create) {
        flags |= O_RDWR | O_CREAT | O_TRUNC;
    } else {
        switch (mode & 0x3) {
        case fmOpenWrite: flags |= O_WRONLY; break;
        case fmOpenReadWrite: flags |= O_RDWR; break;
        default: flags |= O_RDONLY; break;
        }
    }
    int fd;
    do {
        fd = ::open(fileName.c_str(), flags, 0666);
    } while (fd < 0 && errno == EINTR);
    int err = fd < 0 ? errno : 0;
    if (fd >= 0) {
        // Opening a folder read-only succeeds on Linux; it is not a file to read.
        struct stat st {};
        if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
            ::close(fd);
            fd = -1;
            err = EISDIR;
        }
    }
    if (fd < 0) {
        std::string reason = SysErrorMessage(err);
        if (create) {
            throw EFCreateError("Cannot create file \"" + fileName + "\". " + reason);
        }
        throw EFOpenError("Cannot open file \"" + fileName + "\". " + reason);
    }
    FHandle = fd;
}

TFileStream::~TFileStream()
{
    if (FHandle >= 0) {
        ::close(FHandle);
    }
}

int64_t TFileStream::Read(void* buf, int64_t count)
{
    int64_t done = 0;
    auto* p = static_cast<char*>(buf);
    while (done < count) {
        ssize_t n = ::read(FHandle, p + done, static_cast<size_t>(std::min<int64_t>(count - done, 1 << 30)));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            break;  // end of file (0) or an error: report what arrived
        }
        done += n;
    }
    return done;
}

int64_t TFileStream::Write(const void* buf, int64_t count)
{
    int64_t done = 0;
    auto* p = static_cast<const char*>(buf);
    while (done < count) {
        ssize_t n = ::write(FHandle, p + done, static_cast<size_t>(std::min<int64_t>(count - done, 1 << 30)));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            break;  // disk full or an error: the caller's WriteBuffer raises
        }
        done += n;
    }
    return done;
}

int64_t TFileStream::Seek(int64_t offset, TSeekOrigin origin)
{
    int whence = origin == soBeginning ? SEEK_SET : (origin == soCurrent ? SEEK_CUR : SEEK_END);
    off_t pos = ::lseek(FHandle, static_cast<off_t>(offset), whence);
    if (pos < 0) {
        // A seek before the start fails and leaves the position; report where we are.
        pos = ::lseek(FHandle, 0, SEEK_CUR);
    }
    return static_cast<int64_t>(pos);
}

int64_t TFileStream::Size()
{
    struct stat st {};
    if (::fstat(FHandle, &st) != 0) {
        return TStream::Size();
    }
    return static_cast<int64_t>(st.st_size);
}

void TFileStream::SetSize(int64_t newSize)
{
    if (::ftruncate(FHandle, static_cast<off_t>(std::max<int64_t>(newSize, 0))) != 0) {
        RaiseLastOSError(FFileName);
    }
}
