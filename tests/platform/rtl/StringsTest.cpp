#include "platform/rtl/Strings.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "platform/rtl/Exceptions.h"

// --- 1-based substrings ---

TEST(StringsCopy, TakesCountBytesFromOneBasedIndex)
{
    EXPECT_EQ(Copy("abcdef", 2, 3), "bcd");
    EXPECT_EQ(Copy("abcdef", 5, 100), "ef");
    EXPECT_EQ(Copy("abcdef", 0, 2), "ab");
    EXPECT_EQ(Copy("abcdef", 7, 1), "");
    EXPECT_EQ(Copy("abcdef", 2, -1), "");
}

TEST(StringsPos, IsOneBasedAndZeroWhenAbsent)
{
    EXPECT_EQ(Pos("cd", "abcdef"), 3);
    EXPECT_EQ(Pos("x", "abcdef"), 0);
    EXPECT_EQ(Pos("", "abc"), 0);
    EXPECT_EQ(Pos('a', "bca"), 3);
}

TEST(StringsDeleteInsert, WorkOneBasedAndIgnoreOutOfRange)
{
    std::string s = "abcdef";
    Delete(s, 2, 2);
    EXPECT_EQ(s, "adef");
    Delete(s, 0, 2);
    EXPECT_EQ(s, "adef");
    Delete(s, 3, 100);
    EXPECT_EQ(s, "ad");
    Insert("XY", s, 2);
    EXPECT_EQ(s, "aXYd");
    Insert("!", s, 99);
    EXPECT_EQ(s, "aXYd!");
    Insert("<", s, -3);
    EXPECT_EQ(s, "<aXYd!");
}

TEST(StringsTrim, RemovesBlanksAndControlCharacters)
{
    EXPECT_EQ(Trim(" \t a b \r\n"), "a b");
    EXPECT_EQ(TrimLeft("  a "), "a ");
    EXPECT_EQ(TrimRight("  a "), "  a");
    EXPECT_EQ(Trim("   "), "");
}

TEST(StringsCase, AsciiFoldingAndLatin1InAnsiVariants)
{
    EXPECT_EQ(UpperCase("abc\xC3\xA9"), "ABC\xC3\xA9");
    EXPECT_EQ(AnsiUpperCase("abc\xC3\xA9"), "ABC\xC3\x89");
    EXPECT_EQ(AnsiLowerCase("ABC\xC3\x89\xC3\x97"), "abc\xC3\xA9\xC3\x97");
    EXPECT_TRUE(SameText("Video_TS", "VIDEO_ts"));
    EXPECT_LT(CompareText("abc", "ABD"), 0);
    EXPECT_LT(AnsiCompareStr("a", "A"), 0);
    EXPECT_LT(AnsiCompareStr("A", "b"), 0);
}

TEST(StringsReplace, FirstOrAllWithOptionalIgnoreCase)
{
    EXPECT_EQ(StringReplace("a-b-c", "-", "+"), "a+b-c");
    EXPECT_EQ(StringReplace("a-b-c", "-", "+", rfReplaceAll), "a+b+c");
    EXPECT_EQ(StringReplace("xAx", "a", "b", {rfReplaceAll}), "xAx");
    EXPECT_EQ(StringReplace("aAa", "a", "bb", rfReplaceAll | rfIgnoreCase), "bbbbbb");
    EXPECT_EQ(StringReplace("abc", "", "x", rfReplaceAll), "abc");
    // The replacement is never searched again.
    EXPECT_EQ(StringReplace("aa", "a", "aa", rfReplaceAll), "aaaa");
}

// --- integers ---

TEST(StringsIntToStr, PrintsDecimal)
{
    EXPECT_EQ(IntToStr(-42), "-42");
    EXPECT_EQ(IntToStr(std::numeric_limits<int64_t>::min()), "-9223372036854775808");
}

TEST(StringsStrToInt, ReadsDecimalSignAndHexPrefixes)
{
    EXPECT_EQ(StrToInt("123"), 123);
    EXPECT_EQ(StrToInt("  -7"), -7);
    EXPECT_EQ(StrToInt("+7"), 7);
    EXPECT_EQ(StrToInt("$1F"), 31);
    EXPECT_EQ(StrToInt("0x1f"), 31);
    EXPECT_EQ(StrToInt("-$10"), -16);
    EXPECT_EQ(StrToInt("$FFFFFFFF"), -1);
}

TEST(StringsStrToInt, RangeLimitsOfInt32)
{
    EXPECT_EQ(StrToInt("2147483647"), 2147483647);
    EXPECT_EQ(StrToInt("-2147483648"), std::numeric_limits<int>::min());
    EXPECT_THROW(StrToInt("2147483648"), EConvertError);
    EXPECT_THROW(StrToInt("-2147483649"), EConvertError);
    EXPECT_THROW(StrToInt("$100000000"), EConvertError);
}

TEST(StringsStrToInt, BadTextRaisesWithTheLibraryMessage)
{
    for (const char* bad : {"", " ", "12 ", "1.5", "abc", "-", "$", "0x", "1e3", "--1"}) {
        EXPECT_THROW(StrToInt(bad), EConvertError) << bad;
    }
    try {
        StrToInt("abc");
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "'abc' is not a valid integer value");
    }
    EXPECT_EQ(StrToIntDef("x", 5), 5);
    int v = 9;
    EXPECT_FALSE(TryStrToInt("9x", v));
    EXPECT_EQ(v, 9);
}

// --- floats ---

namespace {
double Parsed(std::string_view s)
{
    double v = 0;
    EXPECT_TRUE(TryStrToFloat(s, v)) << s;
    return v;
}
} // namespace

TEST(StringsTryStrToFloat, LocaleIndependentWithBlanksAroundIt)
{
    EXPECT_DOUBLE_EQ(Parsed("23.976"), 23.976);
    EXPECT_DOUBLE_EQ(Parsed("  -1.5e3  "), -1500);
    EXPECT_DOUBLE_EQ(Parsed(".5"), 0.5);
    EXPECT_DOUBLE_EQ(Parsed("+5."), 5);
    EXPECT_DOUBLE_EQ(Parsed("1E20"), 1e20);
    EXPECT_EQ(Parsed("1e-999"), 0.0);
}

TEST(StringsTryStrToFloat, RejectsWhatTheLibraryRejects)
{
    for (const char* bad : {"", "1,5", "inf", "nan", "0x10", "1e", "e5", "1.2.3", "1 2", "1e999"}) {
        double v = 7;
        EXPECT_FALSE(TryStrToFloat(bad, v)) << bad;
        EXPECT_EQ(v, 7);
    }
    EXPECT_EQ(StrToFloatDef("abc", 2.5), 2.5);
}

TEST(StringsFloatToStr, ShortestTextOfFifteenDigits)
{
    EXPECT_EQ(FloatToStr(2.5), "2.5");
    EXPECT_EQ(FloatToStr(0.1), "0.1");
    EXPECT_EQ(FloatToStr(1e20), "1E20");
    EXPECT_EQ(FloatToStr(1e15), "1E15");
    EXPECT_EQ(FloatToStr(1e14), "100000000000000");
    EXPECT_EQ(FloatToStr(0.0001), "0.0001");
    EXPECT_EQ(FloatToStr(0.00001), "1E-5");
    EXPECT_EQ(FloatToStr(-3), "-3");
    EXPECT_EQ(FloatToStr(0), "0");
    EXPECT_EQ(FloatToStr(0.1 + 0.2), "0.3");
    EXPECT_EQ(FloatToStr(30000.0 / 1001.0), "29.97002997003");
    EXPECT_EQ(FloatToStr(1.5e-7), "1.5E-7");
    EXPECT_EQ(FloatToStr(std::nan("")), "NAN");
    EXPECT_EQ(FloatToStr(-INFINITY), "-INF");
}

TEST(StringsFloatToStr, RoundTripsThroughTryStrToFloat)
{
    for (double v : {23.976, 29.97, 0.1, 2.5, 1e20, 123456.789, -0.015625, 1e-10, 6.02214076e23, 999999999999999.0}) {
        EXPECT_EQ(Parsed(FloatToStr(v)), v) << FloatToStr(v);
    }
}

TEST(StringsRound, HalvesGoToTheEvenNeighbour)
{
    EXPECT_EQ(Round(0.5), 0);
    EXPECT_EQ(Round(1.5), 2);
    EXPECT_EQ(Round(2.5), 2);
    EXPECT_EQ(Round(-2.5), -2);
    EXPECT_EQ(Round(-1.5), -2);
    EXPECT_EQ(Round(62.5), 62);
    EXPECT_EQ(Round(2.5000001), 3);
    EXPECT_EQ(Round(712.0 / 16), 44);
    EXPECT_EQ(Round(568.0 / 16), 36);
}

TEST(StringsRound, NonFiniteAndHugeValuesRaise)
{
    EXPECT_THROW(Round(std::nan("")), EInvalidOp);
    EXPECT_THROW(Round(INFINITY), EInvalidOp);
}

TEST(StringsInt, CutsTowardsZero)
{
    EXPECT_EQ(Int(-2.9), -2.0);
}

// --- Format ---

TEST(StringsFormat, IntegersWithWidthAndMinimumDigits)
{
    EXPECT_EQ(Format("%5.5d", {42}), "00042");
    EXPECT_EQ(Format("%1.1d:%2.2d:%2.2d", {1, 2, 3}), "1:02:03");
    EXPECT_EQ(Format("%5d|%-5d|", {42, 42}), "   42|42   |");
    EXPECT_EQ(Format("%5.3d", {-7}), " -007");
    EXPECT_EQ(Format("%d", {int64_t{-9000000000}}), "-9000000000");
    EXPECT_EQ(Format("%u", {-1}), "4294967295");
    EXPECT_EQ(Format("%x/%X/%4.4x", {255, 255, 10}), "FF/FF/000A");
    EXPECT_EQ(Format("%d", {size_t{7}}), "7");
}

TEST(StringsFormat, FloatsRoundHalfAwayFromZero)
{
    EXPECT_EQ(Format("%3.2f", {1.5}), "1.50");
    EXPECT_EQ(Format("%3.2f", {123.456}), "123.46");
    EXPECT_EQ(Format("%3.2f", {0.125}), "0.13");
    EXPECT_EQ(Format("%3.2f", {-0.125}), "-0.13");
    EXPECT_EQ(Format("%3.2f", {-0.001}), "0.00");
    EXPECT_EQ(Format("%.0f", {2.5}), "3");
    EXPECT_EQ(Format("%f", {1.0}), "1.00");
    EXPECT_EQ(Format("%3.2f", {99.999}), "100.00");
    EXPECT_EQ(Format("%8.1f|", {3.14159}), "     3.1|");
    EXPECT_EQ(Format("%3.2f", {7}), "7.00");
    EXPECT_EQ(Format("%n", {1234567.891}), "1,234,567.89");
    EXPECT_EQ(Format("%e", {1.0}), "1.00000000000000E+000");
    EXPECT_EQ(Format("%.3e", {-12345.0}), "-1.23E+004");
    EXPECT_EQ(Format("%g", {0.1}), "0.1");
    EXPECT_EQ(Format("%.3g", {1234.5}), "1.23E3");
}

TEST(StringsFormat, StringsCharsAndPercent)
{
    EXPECT_EQ(Format("[%s] %s%%", {"a", std::string("bc")}), "[a] bc%");
    EXPECT_EQ(Format("%-4s|%4s|%.2s", {"ab", "ab", "abcdef"}), "ab  |  ab|ab");
    EXPECT_EQ(Format("%3s|", {"\xC3\xA9"}), "  \xC3\xA9|");
    EXPECT_EQ(Format("%s", {'x'}), "x");
    EXPECT_EQ(Format("%1:s %0:s %s", {"a", "b"}), "b a b");
    EXPECT_EQ(Format("%*d", {4, 7}), "   7");
    EXPECT_EQ(Format("no args", {}), "no args");
}

TEST(StringsFormat, BadFormatOrArgumentRaisesConvertError)
{
    auto message = [](const std::string& fmt, std::initializer_list<TFormatArg> args) {
        try {
            Format(fmt, args);
        } catch (const EConvertError& e) {
            return e.Message();
        }
        return std::string("no error");
    };
    EXPECT_EQ(message("%d", {"x"}), "Format '%d' invalid or incompatible with argument");
    EXPECT_EQ(message("%d", {1.5}), "Format '%d' invalid or incompatible with argument");
    EXPECT_EQ(message("%s", {3}), "Format '%s' invalid or incompatible with argument");
    EXPECT_EQ(message("%q", {3}), "Format '%q' invalid or incompatible with argument");
    EXPECT_EQ(message("100%", {}), "Format '100%' invalid or incompatible with argument");
    EXPECT_EQ(message("%d %d", {1}), "No argument for format '%d %d'");
    EXPECT_EQ(message("%5:d", {1}), "Format '%5:d' invalid or incompatible with argument");
}
