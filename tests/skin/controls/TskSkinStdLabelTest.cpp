#include "skin/controls/TskSkinStdLabel.h"

#include "SkinControlsTestSupport.h"
#include "skin/data/TskResourceStrData.h"

using namespace skintest;

namespace {
using StdLabel = SkinFormTest;

TskSkinStdLabel* MakeLabel(SkinFormTest& T, TRect R, const std::string& Caption, bool Skinned)
{
    auto* l = new TskSkinStdLabel(T.Form);
    l->SetParent(T.Form);
    l->SetAutoSize(false);
    l->SetBoundsRect(R);
    l->SetCaption(Caption);
    l->DefaultFont()->SetHeight(-16);
    if (Skinned) l->SetSkinData(T.Skin());
    return l;
}
} // namespace

TEST_F(StdLabel, Skinned_TextInTheEntrysColourOverTheParent)
{
    auto* l = MakeLabel(*this, Rect(10, 10, 200, 40), "Destination", true);
    ShowForm();
    Save("StdLabel_Skinned");
    EXPECT_EQ(l->SkinIndex(), 8);
    EXPECT_GT(CountColour(*this, Rect(10, 10, 200, 40), static_cast<TColor>(255)), 10);
    EXPECT_EQ(At(198, 38), Px(clWhite)); // transparent: the form shows round the text
}

TEST_F(StdLabel, UnknownEntry_DrawsWithTheDefaultFont)
{
    auto* l = MakeLabel(*this, Rect(10, 10, 200, 40), "Destination", true);
    l->SetSkinDataName("nosuchlabel");
    l->DefaultFont()->SetColor(clNavy);
    l->RefreshStdLabelSkin();
    ShowForm();
    EXPECT_EQ(CountColour(*this, Rect(10, 10, 200, 40), static_cast<TColor>(255)), 0);
    EXPECT_GT(CountColour(*this, Rect(10, 10, 200, 40), clNavy), 10);
}

TEST_F(StdLabel, Disabled_EmbossedInTwoColours)
{
    auto* l = MakeLabel(*this, Rect(10, 10, 200, 40), "Destination", false);
    Form->SetColor(clBtnFace);
    l->SetEnabled(false);
    ShowForm();
    Save("StdLabel_Disabled");
    EXPECT_GT(CountColour(*this, Rect(10, 10, 200, 40), clBtnHighlight), 5);
    EXPECT_GT(CountColour(*this, Rect(10, 10, 200, 40), clBtnShadow), 5);
}

TEST_F(StdLabel, PathEllipsis_LongPathStaysInsideTheLabel)
{
    auto* l = MakeLabel(*this, Rect(10, 10, 120, 40), "/home/user/Videos/holiday/2026/summer/beach.mkv", false);
    l->DefaultFont()->SetColor(clNavy);
    l->SetEllipsType(sketPathEllips);
    ShowForm();
    Save("StdLabel_PathEllipsis");
    EXPECT_GT(CountOther(*this, Rect(10, 10, 30, 40), clWhite), 0);   // the start
    EXPECT_GT(CountOther(*this, Rect(95, 10, 120, 40), clWhite), 0);  // the end, not cut away
    EXPECT_EQ(CountOther(*this, Rect(120, 10, 200, 40), clWhite), 0); // nothing beyond
}

TEST_F(StdLabel, AutoSize_MeasuresAnEmptyCaptionOneLineHigh)
{
    auto* l = new TskSkinStdLabel(Form);
    l->SetParent(Form);
    l->SetCaption("");
    EXPECT_GT(l->Height(), 5);
}

// The text is drawn in the character set of the skin's UI strings when the skin has them, else in the
// default font's; with an entry or without. Text stays UTF-8 whatever the set says.
TEST_F(StdLabel, Text_TakesTheCharsetOfTheSkinsStrings)
{
    TskResourceStrData strings(nullptr);
    strings.SetCharSet(RUSSIAN_CHARSET);
    struct TCase {
        const char* Entry;
        bool Strings;
        bool UseSkinFont;
        int Charset;
    };
    for (const TCase& c : {TCase{"stdlabel", true, true, RUSSIAN_CHARSET}, TCase{"stdlabel", true, false, RUSSIAN_CHARSET},
             TCase{"nosuchlabel", true, true, RUSSIAN_CHARSET}, TCase{"stdlabel", false, true, EASTEUROPE_CHARSET}}) {
        SCOPED_TRACE(testing::Message() << c.Entry << ", strings " << c.Strings << ", skin font " << c.UseSkinFont);
        Skin()->SetResourceStrData(c.Strings ? &strings : nullptr);
        auto* l = MakeLabel(*this, Rect(10, 10, 200, 40), "Destination", false);
        l->DefaultFont()->SetCharset(EASTEUROPE_CHARSET);
        l->Font()->SetCharset(ANSI_CHARSET);
        l->SetUseSkinFont(c.UseSkinFont);
        l->SetSkinDataName(c.Entry);
        l->SetSkinData(Skin());
        ShowForm();
        EXPECT_EQ(l->Canvas()->Font()->Charset(), c.Charset);
        EXPECT_GT(CountOther(*this, Rect(10, 10, 200, 40), clWhite), 10); // the text is there
        l->Free();
    }
    Skin()->SetResourceStrData(nullptr);
}
