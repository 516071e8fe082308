#include "process/TOxReader.h"

#include "process/TOxCreateProcess.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

struct TReport {
    std::string text;
    bool startsOnNewLine;
    bool endsLine;
    bool operator==(const TReport&) const = default;
};

std::ostream& operator<<(std::ostream& os, const TReport& r)
{
    return os << "{\"" << r.text << "\", " << r.startsOnNewLine << ", " << r.endsLine << "}";
}

class TOxReaderTest : public ::testing::Test {
protected:
    TOxReaderTest() : runner(nullptr), reader(*runner.ConsoleReader())
    {
        runner.OnRead = [this](TObject* sender, const std::string& s, bool starts, bool ends) {
            EXPECT_EQ(sender, &runner);
            reports.push_back({s, starts, ends});
        };
    }
    void Feed(const std::string& chunk) { reader.ParseReadBuffer(chunk.data(), chunk.size()); }

    TOxCreateProcess runner;
    TOxReader& reader;
    std::vector<TReport> reports;
};

} // namespace

TEST_F(TOxReaderTest, LineEndReportsLineThenChunkEndReportsEmptyRest)
{
    Feed("abc\r\n");
    Feed("def\n");
    EXPECT_EQ(reports, (std::vector<TReport>{{"abc", true, true}, {"", true, false}, {"def", false, true}, {"", true, false}}));
}

TEST_F(TOxReaderTest, CarriageReturnOverwritesWithoutShortening)
{
    Feed("12%\r13%\r");
    EXPECT_EQ(reports, (std::vector<TReport>{{"13%", true, false}}));
    reports.clear();
    Feed("\n100%\r5%");
    EXPECT_EQ(reports.back(), (TReport{"5%0%", true, false}));
}

TEST_F(TOxReaderTest, BackspaceStepsBackButNotBeforeColumnZero)
{
    Feed("ab\bx\n");
    Feed("\b\bz\n");
    EXPECT_EQ(reports[0].text, "ax");
    EXPECT_EQ(reports[2].text, "z");
}

TEST_F(TOxReaderTest, TabWritesEightBlanksAndControlBytesBecomeBlanks)
{
    Feed("a\tb\n");
    Feed(std::string("x\0y\az\f\v\n", 9));
    EXPECT_EQ(reports[0].text, "a        b");
    EXPECT_EQ(reports[2].text, "x y z\f\v");
}

TEST_F(TOxReaderTest, LineSplitOverChunksIsReportedPartlyThenWhole)
{
    Feed("ID_AID_128_LA");
    Feed("NG=en\n");
    EXPECT_EQ(reports, (std::vector<TReport>{{"ID_AID_128_LA", true, false}, {"ID_AID_128_LANG=en", false, true}, {"", true, false}}));
    // Whoever needs whole lines sees exactly one.
    int complete = 0;
    for (const TReport& r : reports) {
        complete += r.endsLine && !r.text.empty();
    }
    EXPECT_EQ(complete, 1);
}

TEST_F(TOxReaderTest, LinesAreKeptOnlyWithoutOwnerData)
{
    Feed("abc\n");
    EXPECT_EQ(reader.Lines()->Count(), 0);
    runner.SetConsoleOptions({coRedirect});
    Feed("one\ntw");
    Feed("o\n");
    ASSERT_GE(reader.Lines()->Count(), 2);
    EXPECT_EQ(reader.Lines()->Strings(0), "one");
    EXPECT_EQ(reader.Lines()->Strings(1), "two");
}

TEST_F(TOxReaderTest, RawChunkComesFirstAndUnchanged)
{
    std::vector<std::string> raw;
    runner.OnRawRead = [&](TObject*, const std::string& s) {
        raw.push_back(s);
        EXPECT_TRUE(reports.empty());
    };
    Feed(std::string("a\0\r\n", 4));
    ASSERT_EQ(raw.size(), 1u);
    EXPECT_EQ(raw[0], std::string("a\0\r\n", 4));
}
