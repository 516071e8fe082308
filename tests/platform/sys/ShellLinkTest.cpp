#include "platform/sys/ShellLink.h"

#include <gtest/gtest.h>

#include "platform/sys/ShellLinkTesting.h"
#include "tests/support/TScratchFolder.h"

#include <filesystem>
#include <fstream>
#include <string>

namespace fs = std::filesystem;

using shelllinktest::LinkFile;

TEST(ShellLinkTarget, LocalBasePathAndSuffix_JoinedWithForwardSlashes)
{
    LinkFile link;
    EXPECT_EQ(ShellLinkTarget(link.Bytes()), "C:/Films/Holiday.avi");
    link.WithIdList = false;
    EXPECT_EQ(ShellLinkTarget(link.Bytes()), "C:/Films/Holiday.avi");
    // A shortcut to a folder: the folder path, no suffix.
    link.Base = "D:\\Videos\\Summer 2008";
    link.Suffix = "";
    EXPECT_EQ(ShellLinkTarget(link.Bytes()), "D:/Videos/Summer 2008");
}

TEST(ShellLinkTarget, UnicodePathWinsOverTheSingleByteOne)
{
    LinkFile link;
    link.Base = "C:\\Filme\\Sch?ne.avi";
    link.Suffix = "";
    link.WithUnicode = true;
    link.UnicodeBase = u"C:\\Filme\\Sch\u00F6ne \U0001F3AC.avi";
    EXPECT_EQ(ShellLinkTarget(link.Bytes()), "C:/Filme/Sch\xC3\xB6ne \xF0\x9F\x8E\xAC.avi");
    // Without the Unicode form, single bytes are taken as Latin-1.
    link.WithUnicode = false;
    link.Base = "C:\\Sch\xF6ne.avi";
    EXPECT_EQ(ShellLinkTarget(link.Bytes()), "C:/Sch\xC3\xB6ne.avi");
}

TEST(ShellLinkTarget, ForeignOrDamagedFiles_GiveNoName)
{
    const std::string good = LinkFile().Bytes();
    EXPECT_EQ(ShellLinkTarget(""), "");
    EXPECT_EQ(ShellLinkTarget("[InternetShortcut]\r\nURL=http://example.org/\r\n"), "");
    // Every cut of the file is unreadable, never a crash or a stray read.
    for (std::size_t n = 0; n + 4 < good.size(); ++n)
        EXPECT_EQ(ShellLinkTarget(good.substr(0, n)), "") << n;

    std::string clsid = good;
    clsid[19] = 0x47;
    EXPECT_EQ(ShellLinkTarget(clsid), "");

    // The identifier list claims more bytes than the file has.
    std::string list = good;
    list[0x4C] = '\xFF';
    list[0x4D] = '\x7F';
    EXPECT_EQ(ShellLinkTarget(list), "");

    // The base path's offset points past the link information.
    LinkFile link;
    std::string offset = link.Bytes();
    const std::size_t info = 0x4C + LinkFile::IdList().size();
    offset[info + 16] = '\x70';
    offset[info + 17] = '\x01';
    EXPECT_EQ(ShellLinkTarget(offset), "");

    // The base path is not ended inside the block.
    std::string unended = good;
    unended.resize(unended.size() - 4);
    unended.back() = 'x';
    EXPECT_EQ(ShellLinkTarget(unended), "");

    // No link information: nothing local to go to.
    link.Flags = 0x01;
    EXPECT_EQ(ShellLinkTarget(link.Bytes()), "");
    link.Flags = 0x01 | 0x02 | 0x100;
    EXPECT_EQ(ShellLinkTarget(link.Bytes()), "");
}

TEST(ShellLinkTarget, BrokenSurrogateInTheUnicodePath_IsDamage)
{
    LinkFile link;
    link.WithUnicode = true;
    link.UnicodeBase = u"C:\\a";
    link.UnicodeBase += static_cast<char16_t>(0xD83C);
    link.UnicodeBase += u"b.avi";
    EXPECT_EQ(ShellLinkTarget(link.Bytes()), "");
}

TEST(ResolveShellLink, ReadsTheFile_MissingOrHugeFilesGiveNoName)
{
    TScratchFolder scratch;
    const fs::path dir = scratch.Path();
    const fs::path lnk = dir / "Holiday \"film\".lnk";
    std::ofstream(lnk, std::ios::binary) << LinkFile().Bytes();
    EXPECT_EQ(ResolveShellLink(lnk.string()), "C:/Films/Holiday.avi");
    EXPECT_EQ(ResolveShellLink((dir / "none.lnk").string()), "");
    EXPECT_EQ(ResolveShellLink(dir.string()), "");
    // A large file that starts like a shortcut is no shortcut.
    std::ofstream(dir / "big.lnk", std::ios::binary) << LinkFile().Bytes() << std::string(2 << 20, '\0');
    EXPECT_EQ(ResolveShellLink((dir / "big.lnk").string()), "");
}
