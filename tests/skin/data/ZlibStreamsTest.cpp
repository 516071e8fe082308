#include "skin/data/ZlibStreams.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

std::string Deflated(const std::string& plain)
{
    TStringStream source(plain);
    TStringStream packed;
    CompressStream(source, packed);
    return packed.DataString();
}

std::string Inflated(const std::string& packed, bool* ended = nullptr)
{
    TStringStream source(packed);
    TStringStream plain;
    const bool end = DecompressStream(source, plain);
    if (ended)
        *ended = end;
    return plain.DataString();
}

std::string Noise(std::size_t size)
{
    std::mt19937 rng(7);
    std::string s(size, '\0');
    for (auto& c : s)
        c = static_cast<char>(rng() % 40 + 'A'); // compressible, but not trivially
    return s;
}

// ---- round trips

TEST(ZlibRoundTrip, EmptySource_ValidStreamInflatesToNothing)
{
    const std::string packed = Deflated("");
    EXPECT_FALSE(packed.empty());
    bool ended = false;
    EXPECT_EQ(Inflated(packed, &ended), "");
    EXPECT_TRUE(ended);
}

TEST(ZlibRoundTrip, OneByte)
{
    bool ended = false;
    EXPECT_EQ(Inflated(Deflated("x"), &ended), "x");
    EXPECT_TRUE(ended);
}

TEST(ZlibRoundTrip, HundredKilobytes)
{
    const std::string plain = Noise(100 * 1024);
    const std::string packed = Deflated(plain);
    EXPECT_LT(packed.size(), plain.size());
    EXPECT_EQ(Inflated(packed), plain);
}

TEST(ZlibRoundTrip, AgreesWithZlibItself)
{
    const std::string plain = Noise(5000);
    uLongf size = compressBound(plain.size());
    std::string packed(size, '\0');
    ASSERT_EQ(compress2(reinterpret_cast<Bytef*>(packed.data()), &size,
                        reinterpret_cast<const Bytef*>(plain.data()), plain.size(), 9),
              Z_OK);
    packed.resize(size);
    EXPECT_EQ(Inflated(packed), plain);
    EXPECT_EQ(Deflated(plain), packed); // maximum compression, same library
}

// ---- damaged data

TEST(ZlibDamaged, TruncatedData_DoesNotRaise_ButReportsNoEnd)
{
    const std::string plain = Noise(20000);
    const std::string packed = Deflated(plain);
    bool ended = true;
    const std::string got = Inflated(packed.substr(0, packed.size() / 2), &ended);
    EXPECT_FALSE(ended);
    EXPECT_EQ(got, plain.substr(0, got.size()));
}

TEST(ZlibDamaged, TrailingBytes_AreIgnoredAndDoNotHang)
{
    const std::string plain = Noise(3000);
    bool ended = false;
    EXPECT_EQ(Inflated(Deflated(plain) + std::string(10000, '\x55'), &ended), plain);
    EXPECT_TRUE(ended);
}

TEST(ZlibDamaged, ReadAfterTheEnd_ReturnsZero)
{
    TStringStream source(Deflated("abc") + "junk");
    TDecompressionStream unzip(source);
    char buf[16];
    EXPECT_EQ(unzip.Read(buf, sizeof buf), 3);
    EXPECT_TRUE(unzip.StreamEnded());
    EXPECT_EQ(unzip.Read(buf, sizeof buf), 0);
}

TEST(ZlibDamaged, GarbageRaisesCompressionError)
{
    TStringStream source(std::string("\x78\x9c\xff\xff\xff\xff garbage"));
    TStringStream plain;
    try {
        DecompressStream(source, plain);
        FAIL() << "no error";
    } catch (const EDecompressionError& e) {
        EXPECT_EQ(e.Message(), "compression error");
    }
}

TEST(ZlibDamaged, OutputBeyondTheCapRaises)
{
    TStringStream source(Deflated(std::string(100000, 'a')));
    TStringStream plain;
    EXPECT_THROW(DecompressStream(source, plain, 50000), EDecompressionError);
}

// ---- stream operations

TEST(TCompressionStream, WriteOfNothingIsNoError)
{
    TStringStream dest;
    TCompressionStream zip(TCompressionLevel::clMax, dest);
    EXPECT_EQ(zip.Write("", 0), 0);
    EXPECT_EQ(zip.Write("abc", 3), 3);
    EXPECT_EQ(zip.Write("", 0), 0);
    zip.Finish();
    EXPECT_EQ(Inflated(dest.DataString()), "abc");
}

TEST(TCompressionStream, SeekFromCurrentGivesBytesWritten_OthersRaise)
{
    TStringStream dest;
    TCompressionStream zip(TCompressionLevel::clDefault, dest);
    zip.Write("0123456789", 10);
    EXPECT_EQ(zip.Seek(0, soCurrent), 10);
    EXPECT_THROW(zip.Seek(0, soBeginning), ECompressionError);
    char c;
    try {
        zip.Read(&c, 1);
        FAIL();
    } catch (const ECompressionError& e) {
        EXPECT_EQ(e.Message(), "Invalid stream operation");
    }
}

TEST(TCompressionStream, OutputLandsAfterWhatTheDestinationHeld)
{
    TStringStream dest;
    dest.WriteString("HEAD");
    {
        TCompressionStream zip(TCompressionLevel::clFastest, dest);
        zip.Write("payload", 7);
    } // finished by the destructor
    ASSERT_EQ(dest.DataString().substr(0, 4), "HEAD");
    EXPECT_EQ(Inflated(dest.DataString().substr(4)), "payload");
}

TEST(TDecompressionStream, ForwardSeekDiscards)
{
    const std::string plain = Noise(300);
    TStringStream source(Deflated(plain));
    TDecompressionStream unzip(source);
    char buf[40];
    ASSERT_EQ(unzip.Read(buf, 40), 40);
    EXPECT_EQ(unzip.Seek(100, soBeginning), 100);
    ASSERT_EQ(unzip.Read(buf, 10), 10);
    EXPECT_EQ(std::string(buf, 10), plain.substr(100, 10));
    EXPECT_EQ(unzip.Seek(5, soCurrent), 115);
    EXPECT_THROW(unzip.Seek(50, soBeginning), EDecompressionError);
    EXPECT_THROW(unzip.Write(buf, 1), EDecompressionError);
}

TEST(TDecompressionStream, RewindGoesBackToWhereTheDataStarted)
{
    // As in a skin file: the zlib data follows an 8-byte header.
    TStringStream source("12345678" + Deflated("hello world"));
    source.SetPosition(8);
    TDecompressionStream unzip(source);
    char buf[32];
    ASSERT_EQ(unzip.Read(buf, sizeof buf), 11);
    EXPECT_EQ(unzip.Seek(0, soBeginning), 0);
    ASSERT_EQ(unzip.Read(buf, 5), 5);
    EXPECT_EQ(std::string(buf, 5), "hello");
}

TEST(TDecompressionStream, SeekPastTheEndStops)
{
    TStringStream source(Deflated("short"));
    TDecompressionStream unzip(source);
    EXPECT_EQ(unzip.Seek(1000000, soCurrent), 5);
}

TEST(TDecompressionStream, ProgressFiresPerSourceBuffer)
{
    const std::string plain = Noise(200000);
    TStringStream source(Deflated(plain));
    TDecompressionStream unzip(source);
    int calls = 0;
    unzip.OnProgress = [&](TCustomZlibStream*) { ++calls; };
    std::string out(plain.size(), '\0');
    ASSERT_EQ(unzip.Read(out.data(), static_cast<std::int64_t>(out.size())), static_cast<std::int64_t>(plain.size()));
    EXPECT_EQ(out, plain);
    EXPECT_GE(calls, 2);
}

} // namespace
