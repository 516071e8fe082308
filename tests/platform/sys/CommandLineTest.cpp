#include "platform/sys/CommandLine.h"

#include <gtest/gtest.h>

using Args = std::vector<std::string>;

TEST(SplitCommandLine, BlanksSeparateArguments)
{
    EXPECT_EQ(SplitCommandLine("mplayer.exe  -identify\t-frames 0 "), (Args{"mplayer.exe", "-identify", "-frames", "0"}));
    EXPECT_TRUE(SplitCommandLine("   ").empty());
}

TEST(SplitCommandLine, QuotesGroupBlanksAndMayJoinAWord)
{
    EXPECT_EQ(SplitCommandLine("a \"b c\" d"), (Args{"a", "b c", "d"}));
    EXPECT_EQ(SplitCommandLine("-o\"out file\".avi"), (Args{"-oout file.avi"}));
}

TEST(SplitCommandLine, EmptyQuotesGiveAnEmptyArgument)
{
    EXPECT_EQ(SplitCommandLine("a \"\" b"), (Args{"a", "", "b"}));
}

TEST(SplitCommandLine, BackslashesAreLiteralUnlessBeforeAQuote)
{
    EXPECT_EQ(SplitCommandLine("C:\\dir\\file"), (Args{"C:\\dir\\file"}));
    EXPECT_EQ(SplitCommandLine("a\\\"b"), (Args{"a\"b"}));
    EXPECT_EQ(SplitCommandLine("\"a\\\\\" b"), (Args{"a\\", "b"}));
}

TEST(SplitCommandLine, UnclosedQuoteRunsToTheEnd)
{
    EXPECT_EQ(SplitCommandLine("a \"b c"), (Args{"a", "b c"}));
}

TEST(QuoteArg, WrapsInQuotesAndEscapesOnlyWhatMust)
{
    EXPECT_EQ(QuoteArg("plain"), "\"plain\"");
    EXPECT_EQ(QuoteArg("a\"b"), "\"a\\\"b\"");
    EXPECT_EQ(QuoteArg("dir\\"), "\"dir\\\\\"");
    EXPECT_EQ(QuoteArg("a\\b"), "\"a\\b\"");
}

TEST(QuoteArg, HostileNamesSurviveTheRoundTrip)
{
    const Args names = {
        "",
        "My Film (2008).avi",
        "say \"hi\".mpg",
        "trailing\\",
        "back\\\\slashes\\\\\"and quote",
        "$HOME `rm -rf /` $(id) ; | & > <",
        "new\nline\r\tand tab",
        "\\\"\\\\\"",
        "'single' *glob? [x]",
        "/home/u/Vidéos/été.mkv",
    };
    for (const std::string& name : names) {
        const std::string line = "mencoder.exe " + QuoteArg(name) + " -o " + QuoteArg(name + ".out") + " -really-quiet";
        const Args args = SplitCommandLine(line);
        ASSERT_EQ(args.size(), 5u) << line;
        EXPECT_EQ(args[1], name);
        EXPECT_EQ(args[3], name + ".out");
        EXPECT_EQ(args[4], "-really-quiet");
    }
}
