#include "skin/data/TskResourceStrData.h"

#include <gtest/gtest.h>

#include "tests/support/THeadlessDriver.h"
#include "platform/rtl/TStringList.h"
#include "platform/vcl/TForm.h"
#include "platform/vcl/TReader.h"
#include "skin/data/SkinStrings.h"
#include "skin/data/TskSkinData.h"

namespace {

// ---- the default lines

TEST(TskResourceStrData, Create_HoldsEveryDefaultLineInOrder)
{
    TskResourceStrData data(nullptr);
    ASSERT_EQ(data.ResStrings().Count(), 121);
    EXPECT_EQ(data.ResStrings()[0], "MI_MINCAPTION=Mi&nimize");
    EXPECT_EQ(data.ResStrings()[32], "MSG_BTN_CLOSE=Close");
    EXPECT_EQ(data.ResStrings()[120], "CUSTOMCOLOR=Custom...");
    EXPECT_EQ(data.CharSet(), 1);
}

TEST(TskResourceStrData, BuiltInFallBacks_Are54OfTheDefaults)
{
    int builtIn = 0;
    for (const auto& def : SkinStringDefs())
        builtIn += def.BuiltIn ? 1 : 0;
    EXPECT_EQ(builtIn, 54);
    EXPECT_EQ(SkinBuiltInString("MSG_BTN_OK"), "OK");
    EXPECT_EQ(SkinBuiltInString("MSG_BTN_CLOSE"), ""); // a default line, but no built-in text
    EXPECT_EQ(SkinBuiltInString("FLV_LOOKIN"), "Look in: ");
}

// ---- lookup

TEST(TskResourceStrData, Lookup_IgnoresCaseOfTheName)
{
    TskResourceStrData data(nullptr);
    EXPECT_EQ(data.LookupResString("mi_mincaption"), "Mi&nimize");
}

TEST(TskResourceStrData, Lookup_KeepsTrailingBlankAndLaterEquals)
{
    TskResourceStrData data(nullptr);
    EXPECT_EQ(data.LookupResString("FLV_LOOKIN"), "Look in: ");
    TStringList lines;
    lines.Add("NOEQUALS");
    lines.Add("NAME=a=b");
    lines.Add("NAME=second");
    data.SetResStrings(lines);
    EXPECT_EQ(data.LookupResString("NAME"), "a=b");
    EXPECT_EQ(data.LookupResString("NOEQUALS"), "");
    EXPECT_EQ(data.LookupResString("MISSING"), "");
}

TEST(TskResourceStrData, SetResStrings_CopiesTheLines)
{
    TskResourceStrData data(nullptr);
    TStringList lines;
    lines.Add("X=1");
    data.SetResStrings(lines);
    lines.Clear();
    ASSERT_EQ(data.ResStrings().Count(), 1);
    EXPECT_EQ(data.LookupResString("x"), "1");
}

// ---- what users of a skin see

TEST(SkinResString, WithoutResourceData_TheBuiltInTextIsShown)
{
    EXPECT_EQ(SkinResString(nullptr, "MSG_BTN_OK"), "OK");
    TskSkinData skin(nullptr);
    EXPECT_EQ(SkinResString(&skin, "MSG_BTN_OK"), "OK");
}

TEST(SkinResString, ResourceDataWithoutTheLine_GivesAnEmptyText)
{
    TskSkinData skin(nullptr);
    TskResourceStrData data(nullptr);
    TStringList lines;
    lines.Add("MSG_BTN_YES=Ja");
    data.SetResStrings(lines);
    skin.SetResourceStrData(&data);
    EXPECT_EQ(SkinResString(&skin, "MSG_BTN_YES"), "Ja");
    EXPECT_EQ(SkinResString(&skin, "MSG_BTN_OK"), "");
    skin.SetResourceStrData(nullptr);
}

TEST(SkinResString, FreedResourceData_IsForgotten)
{
    TskSkinData skin(nullptr);
    auto* data = new TskResourceStrData(nullptr);
    skin.SetResourceStrData(data);
    delete data;
    EXPECT_EQ(skin.ResourceStrData(), nullptr);
    EXPECT_EQ(SkinResString(&skin, "MSG_BTN_OK"), "OK");
}

TEST(SkinResString, FormDescription_CarriesItsOwnTexts)
{
    THeadlessDriver driver;
    TForm form(nullptr);
    ReadComponentFromText(&form, "object F: TForm\n"
                                 "  object Texts: TskResourceStrData\n"
                                 "    ResStrings.Strings = (\n"
                                 "      'MSG_BTN_OK=Fine'\n"
                                 "      'MSG_BTN_CANCEL=Stop')\n"
                                 "    CharSet = 238\n"
                                 "  end\n"
                                 "  object Skin: TskSkinData\n"
                                 "    ResourceStrData = Texts\n"
                                 "  end\n"
                                 "end\n");
    auto* texts = dynamic_cast<TskResourceStrData*>(form.FindComponent("Texts"));
    auto* skin = dynamic_cast<TskSkinData*>(form.FindComponent("Skin"));
    ASSERT_NE(texts, nullptr);
    ASSERT_NE(skin, nullptr);
    EXPECT_EQ(texts->CharSet(), 238);
    EXPECT_EQ(texts->ResStrings().Count(), 2); // the stored lines replace the defaults
    EXPECT_EQ(SkinResString(skin, "MSG_BTN_OK"), "Fine");
    EXPECT_EQ(SkinResString(skin, "MSG_BTN_YES"), "");
}

} // namespace
