#pragma once
// Byte streams: the abstract TStream and the memory, file and string streams. Positions and
// sizes are 64-bit. Read/Write transfer what they can and return the count; ReadBuffer and
// WriteBuffer raise on a short transfer.
#include <cstdint>
#include <string>
#include <type_traits>

enum TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream {
public:
    TStream() = default;
    TStream(const TStream&) = delete;
    TStream& operator=(const TStream&) = delete;
    virtual ~TStream() = default;

    virtual int64_t Read(void* buf, int64_t count) = 0;
    virtual int64_t Write(const void* buf, int64_t count) = 0;
    // Returns the new position.
    virtual int64_t Seek(int64_t offset, TSeekOrigin origin) = 0;
    virtual int64_t Size();
    virtual void SetSize(int64_t newSize);    // default: not supported, raises EStreamError

    int64_t Position() { return Seek(0, soCurrent); }
    void SetPosition(int64_t pos) { Seek(pos, soBeginning); }

    // Raise EReadError "Stream read error" / EWriteError "Stream write error" on a short transfer.
    void ReadBuffer(void* buf, int64_t count);
    void WriteBuffer(const void* buf, int64_t count);
    // Copies count bytes from src's position; count 0 copies the whole of src from its start.
    // Returns the bytes copied.
    int64_t CopyFrom(TStream* src, int64_t count);
    int64_t CopyFrom(TStream& src, int64_t count) { return CopyFrom(&src, count); }

    // A plain value in the machine's byte order (ReadBuffer/WriteBuffer of its bytes).
    template <typename T>
        requires std::is_trivially_copyable_v<T>
    T ReadValue()
    {
        T v{};
        ReadBuffer(&v, sizeof v);
        return v;
    }
};

// Growable memory. Seeking past the end is allowed; a write there fills the gap with zeros.
class TMemoryStream : public TStream {
public:
    TMemoryStream() = default;

    int64_t Read(void* buf, int64_t count) override;
    int64_t Write(const void* buf, int64_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    int64_t Size() override { return static_cast<int64_t>(FData.size()); }
    void SetSize(int64_t newSize) override;   // keeps the position, even past the new end

    void* Memory() { return FData.data(); }
    const void* Memory() const { return FData.data(); }
    void Clear();
    // Replace the contents (position 0); EFOpenError naming the path when the file can't be read.
    void LoadFromFile(const std::string& fileName);
    void LoadFromStream(TStream* stream);     // the whole of stream, from its start
    void LoadFromStream(TStream& stream) { LoadFromStream(&stream); }
    // EFCreateError naming the path when the file can't be written.
    void SaveToFile(const std::string& fileName) const;
    void SaveToStream(TStream* stream) const; // the whole contents, at stream's position
    void SaveToStream(TStream& stream) const { SaveToStream(&stream); }

protected:
    std::string FData;                        // bytes, not text
    int64_t FPosition = 0;
};

// A memory stream over a string; DataString() is the whole contents.
class TStringStream : public TMemoryStream {
public:
    explicit TStringStream(std::string data = "");
    const std::string& DataString() const { return FData; }
    // Up to count bytes from the position.
    std::string ReadString(int64_t count);
    void WriteString(const std::string& s);
};

// Open modes: one access mode or fmCreate, or'ed with a share mode. Share modes are accepted
// for the callers' sake; Linux does not lock, so they change nothing.
enum : unsigned {
    fmOpenRead = 0x0000,
    fmOpenWrite = 0x0001,
    fmOpenReadWrite = 0x0002,
    fmShareCompat = 0x0000,
    fmShareExclusive = 0x0010,
    fmShareDenyWrite = 0x0020,
    fmShareDenyRead = 0x0030,
    fmShareDenyNone = 0x0040,
    fmCreate = 0xFF00,                        // create or truncate, read and write
};

// A file by descriptor (close-on-exec). Failing to open raises EFOpenError
// "Cannot open file \"<path>\". <reason>", failing to create EFCreateError
// "Cannot create file \"<path>\". <reason>".
class TFileStream : public TStream {
public:
    TFileStream(const std::string& fileName, unsigned mode);
    ~TFileStream() override;

    int64_t Read(void* buf, int64_t count) override;
    int64_t Write(const void* buf, int64_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    int64_t Size() override;
    void SetSize(int64_t newSize) override;   // EOSError naming the path on failure

    const std::string& FileName() const { return FFileName; }
    int Handle() const { return FHandle; }

private:
    std::string FFileName;
    int FHandle = -1;
};
