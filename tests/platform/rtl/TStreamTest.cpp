#include "platform/rtl/TStream.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include "platform/rtl/Exceptions.h"
#include "tests/support/TScratchFolder.h"

TEST(TMemoryStreamReadWrite, WritesGrowAndReadsStopAtTheEnd)
{
    TMemoryStream s;
    s.WriteBuffer("hello", 5);
    EXPECT_EQ(s.Size(), 5);
    EXPECT_EQ(s.Position(), 5);
    s.SetPosition(1);
    char buf[10] = {};
    EXPECT_EQ(s.Read(buf, 10), 4);
    EXPECT_EQ(std::string(buf), "ello");
    EXPECT_EQ(s.Read(buf, 10), 0);
    EXPECT_EQ(s.Seek(-2, soEnd), 3);
    EXPECT_EQ(s.Seek(1, soCurrent), 4);
}

TEST(TMemoryStreamReadWrite, WritingPastTheEndFillsTheGapWithZeros)
{
    TMemoryStream s;
    s.Seek(3, soBeginning);
    const uint8_t seven = 7;
    s.WriteBuffer(&seven, 1);
    ASSERT_EQ(s.Size(), 4);
    const auto* bytes = static_cast<const uint8_t*>(s.Memory());
    EXPECT_EQ(bytes[0], 0);
    EXPECT_EQ(bytes[3], 7);
    s.SetSize(2);
    EXPECT_EQ(s.Size(), 2);
    s.Clear();
    EXPECT_EQ(s.Size(), 0);
    EXPECT_EQ(s.Position(), 0);
}

TEST(TStreamBuffers, ShortReadRaisesReadError)
{
    TMemoryStream s;
    const int32_t answer = 42;
    s.WriteBuffer(&answer, sizeof answer);
    s.SetPosition(0);
    EXPECT_EQ(s.ReadValue<int32_t>(), 42);
    char c;
    try {
        s.ReadBuffer(&c, 1);
        FAIL();
    } catch (const EReadError& e) {
        EXPECT_EQ(e.Message(), "Stream read error");
    }
    EXPECT_NO_THROW(s.ReadBuffer(&c, 0));
}

TEST(TStreamCopyFrom, ZeroCopiesTheWholeSourceFromItsStart)
{
    TStringStream src("0123456789");
    src.SetPosition(7);
    TMemoryStream dst;
    EXPECT_EQ(dst.CopyFrom(&src, 0), 10);
    EXPECT_EQ(std::string(static_cast<const char*>(dst.Memory()), 10), "0123456789");

    src.SetPosition(2);
    TStringStream part;
    EXPECT_EQ(part.CopyFrom(src, 3), 3);
    EXPECT_EQ(part.DataString(), "234");
    EXPECT_THROW(part.CopyFrom(src, 100), EReadError);
}

TEST(TStringStream, HoldsItsDataAsAString)
{
    TStringStream s("abc");
    EXPECT_EQ(s.Position(), 0);
    EXPECT_EQ(s.ReadString(2), "ab");
    s.WriteString("XYZ");
    EXPECT_EQ(s.DataString(), "abXYZ");
}

TEST(TFileStream, CreateWriteReopenRead)
{
    TScratchFolder dir;
    const std::string path = dir / "data.bin";
    {
        TFileStream f(path, fmCreate);
        f.WriteBuffer("abcdef", 6);
        f.SetSize(4);
        EXPECT_EQ(f.Size(), 4);
    }
    TFileStream f(path, fmOpenRead | fmShareDenyNone);
    EXPECT_EQ(f.Size(), 4);
    char buf[8] = {};
    f.Seek(1, soBeginning);
    f.ReadBuffer(buf, 3);
    EXPECT_EQ(std::string(buf), "bcd");
    EXPECT_THROW(f.ReadBuffer(buf, 1), EReadError);
    EXPECT_THROW(f.WriteBuffer("x", 1), EWriteError);  // opened for reading only
}

TEST(TFileStream, OpenFailuresNameThePath)
{
    TScratchFolder dir;
    try {
        TFileStream f(dir / "missing.bin", fmOpenRead);
        FAIL();
    } catch (const EFOpenError& e) {
        EXPECT_EQ(e.Message(), "Cannot open file \"" + (dir / "missing.bin") + "\". No such file or directory");
    }
    try {
        TFileStream f(dir / "nodir/new.bin", fmCreate);
        FAIL();
    } catch (const EFCreateError& e) {
        EXPECT_NE(e.Message().find("Cannot create file \"" + (dir / "nodir/new.bin") + "\""), std::string::npos);
    }
    EXPECT_THROW(TFileStream(dir.Path(), fmOpenRead), EFOpenError);
}

TEST(TMemoryStreamFiles, SaveAndLoadWholeFiles)
{
    TScratchFolder dir;
    TMemoryStream m;
    m.WriteBuffer("\0\1\2", 3);
    m.SaveToFile(dir / "m.bin");
    TMemoryStream back;
    back.LoadFromFile(dir / "m.bin");
    EXPECT_EQ(back.Size(), 3);
    EXPECT_EQ(back.Position(), 0);
    EXPECT_EQ(static_cast<const char*>(back.Memory())[2], 2);
    EXPECT_THROW(back.LoadFromFile(dir / "none"), EFOpenError);
    EXPECT_EQ(back.Size(), 3);  // unchanged after the failure
}
