#include "skin/data/SkinIni.h"

#include <gtest/gtest.h>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/IniFiles.h"
#include "platform/rtl/TStringList.h"

namespace {

// An in-memory ini from text lines.
class SkinIniTest : public ::testing::Test {
protected:
    void Load(const std::string& text)
    {
        TStringList lines;
        lines.SetText(text);
        ini.SetStrings(lines);
    }
    TMemIniFile ini;
};

// ---- rectangles and points

TEST(ParsePoint, BlanksAndLettersAreDropped)
{
    EXPECT_EQ(ParsePoint("12, 34"), Point(12, 34));
    EXPECT_EQ(ParsePoint("1a2,3"), Point(12, 3));
}

TEST(ParsePoint, MinusSignIsLost)
{
    EXPECT_EQ(ParsePoint("-5,3"), Point(5, 3));
    EXPECT_EQ(ParseRect("-1,-2,-3,-4"), Rect(1, 2, 3, 4));
}

TEST(ParseRect, FourPartsInOrder)
{
    EXPECT_EQ(ParseRect("1,2,30,40"), Rect(1, 2, 30, 40));
}

TEST(ParseRect, EmptyMissingOrOversizedPartRaises)
{
    for (const char* text : {"", "1,2,3", "1,,3,4", "1,2,3,x", "1,2,3,99999999999"})
        EXPECT_THROW(ParseRect(text), EConvertError) << text;
    for (const char* text : {"x", "7", "7,", ",7", "2147483647,2147483648"})
        EXPECT_THROW(ParsePoint(text), EConvertError) << text;
}

TEST(ParseRect, PartsBeyondTheLastAreIgnored)
{
    EXPECT_EQ(ParseRect("1,2,3,4,5,6"), Rect(1, 2, 3, 4));
    EXPECT_EQ(ParsePoint("1,2,3"), Point(1, 2));
}

TEST(ParseRect, LargestIntStillReads)
{
    EXPECT_EQ(ParsePoint("2147483647,007"), Point(2147483647, 7));
}

TEST_F(SkinIniTest, RectAndPoint_MissingKeyGivesZero)
{
    Load("[S]\nr=1,2,3,4\np=5,6\n");
    EXPECT_EQ(IniReadRect(ini, "s", "R"), Rect(1, 2, 3, 4));
    EXPECT_EQ(IniReadPoint(ini, "S", "p"), Point(5, 6));
    EXPECT_EQ(IniReadRect(ini, "S", "missing"), Rect(0, 0, 0, 0));
    EXPECT_EQ(IniReadPoint(ini, "S", "missing"), Point(0, 0));
}

TEST_F(SkinIniTest, RectAndPoint_MalformedValueRaisesNamingItsPlace)
{
    Load("[Button]\nskinrect=1,2,3\nempty=\nlefttoppoint=12\n");
    try {
        IniReadRect(ini, "Button", "skinrect");
        FAIL() << "no error";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "Skin value [Button] skinrect=1,2,3 is not a valid rectangle");
    }
    EXPECT_THROW(IniReadRect(ini, "Button", "empty"), EConvertError);
    EXPECT_THROW(IniReadPoint(ini, "Button", "lefttoppoint"), EConvertError);
}

// ---- flags and enumerations

TEST_F(SkinIniTest, Bool_TrueOnlyForTheIntegerOne)
{
    Load("[S]\na=1\nb=01\nc=2\nd=-1\ne=yes\nf=0x1\n");
    EXPECT_TRUE(IniReadBool(ini, "S", "a"));
    EXPECT_TRUE(IniReadBool(ini, "S", "b"));
    EXPECT_TRUE(IniReadBool(ini, "S", "f"));
    EXPECT_FALSE(IniReadBool(ini, "S", "c"));
    EXPECT_FALSE(IniReadBool(ini, "S", "d"));
    EXPECT_FALSE(IniReadBool(ini, "S", "e"));
    EXPECT_FALSE(IniReadBool(ini, "S", "missing"));
}

TEST_F(SkinIniTest, Integer_HexAcceptedAndTextGivesDefault)
{
    Load("[S]\nh=0x10\nt=abc\n");
    EXPECT_EQ(ini.ReadInteger("S", "h", 0), 16);
    EXPECT_EQ(ini.ReadInteger("S", "t", -1), -1);
}

TEST_F(SkinIniTest, FontStyles_SubstringTestIsCaseSensitive)
{
    Load("[S]\nbi=fsbold,fsitalic\nall=fsstrikeout fsunderlinefsbold\nwrong=fsBold\n");
    EXPECT_EQ(IniReadFontStyles(ini, "S", "bi"), TFontStyles({fsBold, fsItalic}));
    EXPECT_EQ(IniReadFontStyles(ini, "S", "all"), TFontStyles({fsBold, fsUnderline, fsStrikeOut}));
    EXPECT_TRUE(IniReadFontStyles(ini, "S", "wrong").Empty());
    EXPECT_TRUE(IniReadFontStyles(ini, "S", "missing").Empty());
}

TEST_F(SkinIniTest, Alignment_MissingIsCenter_UnknownIsRight)
{
    Load("[S]\nl=taleftjustify\nc=tacenter\nr=tarightjustify\nmixed=taCenter\n");
    EXPECT_EQ(IniReadAlignment(ini, "S", "l"), taLeftJustify);
    EXPECT_EQ(IniReadAlignment(ini, "S", "c"), taCenter);
    EXPECT_EQ(IniReadAlignment(ini, "S", "r"), taRightJustify);
    EXPECT_EQ(IniReadAlignment(ini, "S", "mixed"), taRightJustify);
    EXPECT_EQ(IniReadAlignment(ini, "S", "missing"), taCenter);
}

TEST_F(SkinIniTest, StretchType_MissingIsFull_UnknownIsHorizontal)
{
    Load("[S]\nv=stvert\nf=stfull\nx=stretch\n");
    EXPECT_EQ(IniReadStretchType(ini, "S", "v"), stVert);
    EXPECT_EQ(IniReadStretchType(ini, "S", "f"), stFull);
    EXPECT_EQ(IniReadStretchType(ini, "S", "x"), stHorz);
    EXPECT_EQ(IniReadStretchType(ini, "S", "missing"), stFull);
}

TEST_F(SkinIniTest, MorphKind_UnknownAndMissingAreDefault)
{
    Load("[S]\np=mkpush\ng=mkleftgradient\nx=mkPush\n");
    EXPECT_EQ(IniReadMorphKind(ini, "S", "p"), mkPush);
    EXPECT_EQ(IniReadMorphKind(ini, "S", "g"), mkLeftGradient);
    EXPECT_EQ(IniReadMorphKind(ini, "S", "x"), mkDefault);
    EXPECT_EQ(IniReadMorphKind(ini, "S", "missing"), mkDefault);
}

TEST_F(SkinIniTest, InactiveEffect_MissingIsBrightness_UnknownIsGrayScale)
{
    Load("[S]\ni=ieinvert\nmixed=ieInvert\n");
    EXPECT_EQ(IniReadInactiveEffect(ini, "S", "i"), ieInvert);
    EXPECT_EQ(IniReadInactiveEffect(ini, "S", "mixed"), ieGrayScale);
    EXPECT_EQ(IniReadInactiveEffect(ini, "S", "missing"), ieBrightness);
}

// ---- lists

TEST_F(SkinIniTest, CountedLists_MissingKeysAppendEmptyLines)
{
    Load("[PICTURES]\nactivepicturescount=3\n0=a.bmp\n[S]\nxlinecount=3\nxline0=first\n");
    TStringList list;
    list.Add("kept");
    IniReadIndexedList(ini, "PICTURES", "activepictures", list);
    ASSERT_EQ(list.Count(), 4);
    EXPECT_EQ(list[0], "kept");
    EXPECT_EQ(list[1], "a.bmp");
    EXPECT_EQ(list[2], "");
    EXPECT_EQ(list[3], "");
    TStringList lines;
    IniReadLines(ini, "S", "x", lines);
    ASSERT_EQ(lines.Count(), 3);
    EXPECT_EQ(lines[0], "first");
    EXPECT_EQ(lines[2], "");
}

TEST_F(SkinIniTest, IndexedList_GarbledHugeCountIsCut_ToTheKeysTheSkinHolds)
{
    Load("[PICTURES]\nactivepicturescount=2147483647\n0=a.bmp\n1=b.bmp\n");
    TStringList list;
    IniReadIndexedList(ini, "PICTURES", "activepictures", list);
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list[1], "b.bmp");
}

TEST_F(SkinIniTest, Lines_ReadBackWhatWasWritten)
{
    TStringList lines;
    lines.Add("first");
    lines.Add("");
    lines.Add("a=b");
    IniWriteLines(ini, "S", "symbols", lines);
    EXPECT_EQ(ini.ReadString("S", "symbolslinecount", ""), "3");
    TStringList back;
    IniReadLines(ini, "S", "symbols", back);
    EXPECT_EQ(back.Text(), lines.Text());
}

TEST_F(SkinIniTest, Lines_NegativeCountAppendsNothing)
{
    Load("[S]\nxlinecount=-4\nxline0=a\n");
    TStringList list;
    IniReadLines(ini, "S", "x", list);
    EXPECT_EQ(list.Count(), 0);
}

// ---- writers

TEST_F(SkinIniTest, Writers_TextForms)
{
    IniWriteRect(ini, "S", "r", Rect(1, 2, 3, 4));
    IniWritePoint(ini, "S", "p", Point(5, 6));
    IniWriteBool(ini, "S", "b", true);
    IniWriteFontStyles(ini, "S", "f", TFontStyles({fsStrikeOut, fsBold}));
    IniWriteFontStyles(ini, "S", "none", TFontStyles());
    IniWriteAlignment(ini, "S", "a", taLeftJustify);
    IniWriteAlignment(ini, "S", "a2", static_cast<TAlignment>(7));
    IniWriteStretchType(ini, "S", "s", stVert);
    IniWriteStretchType(ini, "S", "s2", 9);
    IniWriteMorphKind(ini, "S", "m", mkRightSlide);
    EXPECT_EQ(ini.ReadString("S", "r", ""), "1,2,3,4");
    EXPECT_EQ(ini.ReadString("S", "p", ""), "5,6");
    EXPECT_EQ(ini.ReadString("S", "b", ""), "1");
    EXPECT_EQ(ini.ReadString("S", "f", ""), "fsbold,fsstrikeout");
    EXPECT_EQ(ini.ReadString("S", "none", "x"), "");
    EXPECT_EQ(ini.ReadString("S", "a", ""), "taleftjustify");
    EXPECT_EQ(ini.ReadString("S", "a2", ""), "tarightjustify");
    EXPECT_EQ(ini.ReadString("S", "s", ""), "stvert");
    EXPECT_EQ(ini.ReadString("S", "s2", "x"), "");
    EXPECT_EQ(ini.ReadString("S", "m", ""), "mkrightslide");
}

// ---- validity

TEST_F(SkinIniTest, SkinIniValid_NeedsAllFiveSections)
{
    Load("[version]\n[PICTURES]\n[FORMINFO]\n[SKINOBJECTS]\n");
    EXPECT_FALSE(IsSkinIniValid(ini));
    Load("[version]\n[PICTURES]\n[FORMINFO]\n[SKINOBJECTS]\n[skincontrols]\n");
    EXPECT_TRUE(IsSkinIniValid(ini));
}

} // namespace
