#include "platform/vcl/FormParser.h"

#include <gtest/gtest.h>

#include "platform/rtl/Exceptions.h"

namespace {
TFormValue ValueOf(const std::string& text)
{
    TFormObject o = ParseFormText("object A: TX\n  P = " + text + "\nend\n");
    return o.Props.at(0).Value;
}
} // namespace

TEST(FormParserValues, NumbersInTheirForms)
{
    EXPECT_EQ(ValueOf("-42").Int, -42);
    EXPECT_EQ(ValueOf("$FF").Int, 255);
    EXPECT_EQ(ValueOf("1.250000000000000000").Type, vaExtended);
    EXPECT_DOUBLE_EQ(ValueOf("1.5E2").Float, 150.0);
    EXPECT_DOUBLE_EQ(ValueOf("2.5s").Float, 2.5);
    EXPECT_THROW(ValueOf("99999999999999999999"), EReadError);
    EXPECT_THROW(ValueOf("12abc"), EReadError);
}

TEST(FormParserValues, HexNumbersAreTheirSixtyFourBits_ASignNegatesThem)
{
    // "-$8000000000000000" is the smallest value, not an overflow.
    const std::pair<const char*, std::int64_t> cases[] = {{"$7FFFFFFFFFFFFFFF", INT64_MAX}, {"$FFFFFFFFFFFFFFFF", -1},
        {"$8000000000000000", INT64_MIN}, {"-$8000000000000000", INT64_MIN}, {"-$1", -1}, {"+$10", 16}};
    for (const auto& [text, value] : cases) {
        EXPECT_EQ(ValueOf(text).Type, vaInt) << text;
        EXPECT_EQ(ValueOf(text).Int, value) << text;
    }
    EXPECT_THROW(ValueOf("$10000000000000000"), EReadError);
}

TEST(FormParserValues, StringsWithCharacterCodesAndJoins)
{
    EXPECT_EQ(ValueOf("'a''b'").Str, "a'b");
    EXPECT_EQ(ValueOf("#65#$42'c'").Str, "ABc");
    EXPECT_EQ(ValueOf("'caf'#233").Str, "caf\xC3\xA9");
    EXPECT_EQ(ValueOf("'one' +\n    'two'").Str, "onetwo");
    EXPECT_EQ(ValueOf("''").Str, "");
    EXPECT_THROW(ValueOf("'open"), EReadError);
}

TEST(FormParserValues, IdentifiersSetsListsBinaryAndCollections)
{
    EXPECT_EQ(ValueOf("Form1.Button1").Str, "Form1.Button1");
    EXPECT_EQ(ValueOf("True").Type, vaTrue);
    EXPECT_EQ(ValueOf("nil").Type, vaNil);
    EXPECT_EQ(ValueOf("[]").Set.size(), 0u);
    EXPECT_EQ(ValueOf("[akLeft, akTop]").Set.at(1), "akTop");
    EXPECT_EQ(ValueOf("(\n 1\n 'x'\n)").List.size(), 2u);
    EXPECT_EQ(ValueOf("{\n 00 ff\n 10}").Str, std::string("\x00\xff\x10", 3));
    EXPECT_THROW(ValueOf("{ABC}"), EReadError);
    TFormValue c = ValueOf("<\n item\n  A = 1\n end\n item\n end>");
    ASSERT_EQ(c.Items.size(), 2u);
    EXPECT_EQ(c.Items[0].Props.at(0).Path, "A");
    EXPECT_EQ(ValueOf("<>").Items.size(), 0u);
}

TEST(FormParserStructure, NestedObjectsAndLines)
{
    TFormObject o = ParseFormText("object Form1: TForm1\n  Left = 1\n  object Panel1: TPanel\n    Font.Style = [fsBold]\n  end\n  inherited X: TY\n  end\nend");
    EXPECT_EQ(o.ClassName, "TForm1");
    ASSERT_EQ(o.Children.size(), 2u);
    EXPECT_EQ(o.Children[0].Name, "Panel1");
    EXPECT_EQ(o.Children[0].Line, 3);
    EXPECT_EQ(o.Children[0].Props.at(0).Path, "Font.Style");
    EXPECT_EQ(o.Children[0].Props.at(0).Line, 4);
    EXPECT_EQ(o.Children[0].EndLine, 5);
    EXPECT_EQ(o.Children[1].Kind, fkInherited);
    EXPECT_EQ(o.Children[1].EndLine, 7);
    EXPECT_EQ(o.EndLine, 8);
}

TEST(FormParserErrors, BrokenDescriptionsNameTheLine)
{
    try {
        ParseFormText("object A: TX\n  P = 1\n");
        FAIL();
    } catch (const EReadError& e) {
        EXPECT_NE(e.Message().find("'end' expected"), std::string::npos) << e.Message();
    }
    try {
        ParseFormText("object A: TX\n  P 1\nend");
        FAIL();
    } catch (const EReadError& e) {
        EXPECT_NE(e.Message().find("Line 2"), std::string::npos) << e.Message();
    }
    EXPECT_THROW(ParseFormText(""), EReadError);
    EXPECT_THROW(ParseFormText("thing A: TX\nend"), EReadError);
    EXPECT_THROW(ParseFormText("object A: TX\nend\nend"), EReadError);
}

// Nesting is refused with a read error long before it could run the reader out of stack; the depth a
// form really uses reads.
TEST(FormParserErrors, NestingBeyondAnyFormIsARefusedRead)
{
    const auto nested = [](int Depth, const std::string& Open, const std::string& Close) {
        std::string text;
        for (int i = 0; i < Depth; ++i) text += Open;
        for (int i = 0; i < Depth; ++i) text += Close;
        return text;
    };
    EXPECT_NO_THROW(ValueOf(nested(50, "(", ")")));
    for (int depth : {300, 100000}) {
        try {
            ValueOf(nested(depth, "(", ")"));
            FAIL() << depth;
        } catch (const EReadError& e) {
            EXPECT_NE(e.Message().find("Nesting too deep"), std::string::npos) << e.Message();
        }
        EXPECT_THROW(ParseFormText(nested(depth, "object A: TX\n", "end\n")), EReadError);
    }
}
