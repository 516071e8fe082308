#include "platform/rtl/IniFiles.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/TStringList.h"
#include "tests/support/TScratchFolder.h"

namespace {

using V = std::vector<std::string>;

V Lines(const TStrings& list)
{
    V r;
    for (int i = 0; i < list.Count(); ++i) {
        r.push_back(list.Strings(i));
    }
    return r;
}


} // namespace

// TMemIniFile is not copyable; build one in place.
#define MEMINI(name, text)         \
    TMemIniFile name;              \
    {                              \
        TStringList l;             \
        l.SetText(text);           \
        name.SetStrings(l);        \
    }

TEST(TMemIniFileParsing, TrimsIgnoresCommentsAndMatchesNamesWithoutCase)
{
    MEMINI(ini,
           "orphan=1\n"
           "  [ Button ]  \n"
           "; a comment\n"
           "\n"
           "  Caption =  Hello World  \n"
           "empty=\n"
           "noequals\n"
           "[other]\n"
           "x=1\n");
    EXPECT_EQ(ini.ReadString("BUTTON", "caption", "?"), "Hello World");
    EXPECT_EQ(ini.ReadString("button", "empty", "?"), "");  // present but empty is not the default
    EXPECT_EQ(ini.ReadString("button", "missing", "?"), "?");
    EXPECT_EQ(ini.ReadString("nosection", "x", "?"), "?");
    EXPECT_EQ(ini.ReadString("", "orphan", "?"), "?");  // lines before any section are dropped
    EXPECT_TRUE(ini.SectionExists("OTHER"));
    EXPECT_EQ(ini.ReadString("other", "x", "?"), "1");
}

TEST(TMemIniFileParsing, RepeatedSectionContinuesTheFirst)
{
    MEMINI(ini, "[a]\nx=1\n[b]\ny=2\n[A]\nz=3\nx=9\n");
    EXPECT_EQ(ini.ReadString("a", "z", ""), "3");
    EXPECT_EQ(ini.ReadString("a", "x", ""), "1");  // the first key wins
    TStringList lines;
    ini.GetStrings(lines);
    EXPECT_EQ(Lines(lines), (V{"[a]", "x=1", "z=3", "x=9", "", "[b]", "y=2", ""}));
}

TEST(TMemIniFileIntegers, DecimalAndHexReadBadTextGivesDefault)
{
    MEMINI(ini,
           "[s]\n"
           "dec=-42\nplus=+7\ndollar=$1F\nhex=0x1f\nhexup=0XFF\ncolor=0xFF000005\n"
           "bad=12abc\nfloat=1.5\nblank=\nbig=99999999999\nhexbig=0x100000000\n");
    EXPECT_EQ(ini.ReadInteger("s", "dec", 0), -42);
    EXPECT_EQ(ini.ReadInteger("s", "plus", 0), 7);
    EXPECT_EQ(ini.ReadInteger("s", "dollar", 0), 31);
    EXPECT_EQ(ini.ReadInteger("s", "hex", 0), 31);
    EXPECT_EQ(ini.ReadInteger("s", "HEXUP", 0), 255);
    EXPECT_EQ(ini.ReadInteger("s", "color", 0), static_cast<int>(0xFF000005u));
    EXPECT_EQ(ini.ReadInteger("s", "bad", -1), -1);
    EXPECT_EQ(ini.ReadInteger("s", "float", -1), -1);
    EXPECT_EQ(ini.ReadInteger("s", "blank", -1), -1);
    EXPECT_EQ(ini.ReadInteger("s", "big", -1), -1);
    EXPECT_EQ(ini.ReadInteger("s", "hexbig", -1), -1);
    EXPECT_EQ(ini.ReadInteger("s", "missing", 5), 5);
}

TEST(TMemIniFileWriting, WriteReplacesEraseAndDelete)
{
    MEMINI(ini, "[s]\nKey=old\nother=1\n");
    ini.WriteString("S", "key", "new");
    ini.WriteInteger("t", "n", 5);
    ini.WriteInteger("t", "b", 1);
    EXPECT_EQ(ini.ReadString("s", "Key", ""), "new");
    EXPECT_EQ(ini.ReadInteger("t", "n", 0), 5);
    EXPECT_TRUE(ini.SectionExists("T"));
    EXPECT_EQ(ini.ReadString("t", "B", "none"), "1");
    ini.DeleteKey("s", "other");
    EXPECT_EQ(ini.ReadString("s", "other", "none"), "none");
    ini.EraseSection("t");
    EXPECT_FALSE(ini.SectionExists("t"));
    TStringList out;
    ini.GetStrings(out);
    EXPECT_EQ(Lines(out), (V{"[s]", "key=new", ""}));
}

TEST(TMemIniFileWriting, DeleteKeyLeavesTheLaterKeysFound_TheNextDuplicateReadsNow)
{
    MEMINI(ini, "[s]\na=1\nb=2\nA=3\nnoequals\nc=4\nb=5\n");
    ini.DeleteKey("s", "a");
    EXPECT_EQ(ini.ReadString("s", "a", ""), "3");
    EXPECT_EQ(ini.ReadString("s", "c", ""), "4");
    ini.DeleteKey("s", "B");
    EXPECT_EQ(ini.ReadString("s", "b", ""), "5");
    ini.WriteString("s", "d", "6");
    ini.WriteString("s", "C", "7");
    EXPECT_EQ(ini.ReadString("S", "D", ""), "6");
    TStringList out;
    ini.GetStrings(out);
    EXPECT_EQ(Lines(out), (V{"[s]", "A=3", "noequals", "C=7", "b=5", "d=6", ""}));
}

TEST(TMemIniFileLookup, EveryKeyOfAHugeSection_IsFoundInTimeLinearInTheSection)
{
    // A skin list asks for up to 65,536 keys of one section: walking the section for each took a minute.
    constexpr int Keys = 65536;
    std::string text = "[s]\n";
    for (int i = 0; i < Keys; ++i)
        text += "k" + std::to_string(i) + "=" + std::to_string(i) + "\n";
    MEMINI(ini, text);
    const auto started = std::chrono::steady_clock::now();
    int found = 0;
    for (int i = 0; i < Keys; ++i)
        found += ini.ReadInteger("s", "K" + std::to_string(i), -1) == i ? 1 : 0;
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    EXPECT_EQ(found, Keys);
    // Tens of milliseconds as it is; the walk took 50 s and more.
    EXPECT_LT(seconds, 20.0);
}

TEST(TMemIniFileFiles, LoadsOnCreateAndWritesOnlyOnUpdate)
{
    TScratchFolder dir;
    const std::string path = dir.Write("a.ini", "[Main]\r\nLanguage = en\r\n");
    TMemIniFile ini(path);
    EXPECT_EQ(ini.ReadString("main", "language", ""), "en");
    ini.WriteString("Main", "Language", "de");
    EXPECT_EQ(TScratchFolder::Read(path), "[Main]\r\nLanguage = en\r\n");
    ini.UpdateFile();
    EXPECT_EQ(TScratchFolder::Read(path), "[Main]\r\nLanguage=de\r\n\r\n");
    TMemIniFile missing(dir / "none.ini");
    EXPECT_FALSE(missing.SectionExists("Main"));
}

TEST(TMemIniFileFiles, UnreadableFileRaisesWithThePath)
{
    if (::geteuid() == 0) {
        GTEST_SKIP() << "root reads every file";
    }
    TScratchFolder dir;
    const std::string path = dir.Write("locked.ini", "[a]\nb=c\n");
    ::chmod(path.c_str(), 0);
    try {
        TMemIniFile ini(path);
        FAIL();
    } catch (const EFOpenError& e) {
        EXPECT_NE(e.Message().find(path), std::string::npos);
    }
}

TEST(TIniFile, WritesGoStraightToTheFileReplacingKeysInPlace)
{
    TScratchFolder dir;
    const std::string path = dir.Write("s.ini", "; settings\r\n[Main]\r\nWidth=1\r\n\r\n[Other]\r\nx=y\r\n");
    TIniFile ini(path);
    ini.WriteString("main", "WIDTH", "2");
    EXPECT_EQ(TScratchFolder::Read(path), "; settings\r\n[Main]\r\nWIDTH=2\r\n\r\n[Other]\r\nx=y\r\n");
    ini.WriteInteger("Main", "Height", 3);
    ini.WriteString("New", "k", "v");
    EXPECT_EQ(TScratchFolder::Read(path), "; settings\r\n[Main]\r\nWIDTH=2\r\nHeight=3\r\n\r\n[Other]\r\nx=y\r\n\r\n[New]\r\nk=v\r\n");
    EXPECT_EQ(ini.ReadInteger("MAIN", "height", 0), 3);
    ini.EraseSection("other");
    ini.DeleteKey("main", "width");
    TIniFile again(path);
    EXPECT_EQ(again.ReadString("Main", "Width", "gone"), "gone");
    EXPECT_FALSE(again.SectionExists("Other"));
    EXPECT_EQ(again.ReadString("Main", "Height", ""), "3");
}

TEST(TIniFile, UnwritableFileRaisesIniFileException)
{
    TScratchFolder dir;
    TIniFile ini(dir / "no/such/dir.ini");
    EXPECT_EQ(ini.ReadString("a", "b", "def"), "def");
    EXPECT_THROW(ini.WriteString("a", "b", "c"), EIniFileException);
}
