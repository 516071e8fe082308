#include "platform/gfx/TFontCache.h"

#include <gtest/gtest.h>

namespace {

TLogFont Font(const std::string& face, int height, int escapement = 0)
{
    TLogFont lf;
    lf.FaceName = face;
    lf.Height = height;
    lf.Escapement = escapement;
    return lf;
}

}  // namespace

TEST(TFontCacheTest, MappedFamily_ClassicNamesResolveToInstalledFamilies)
{
    EXPECT_EQ(TFontCache::MappedFamily("Arial"), "Liberation Sans");
    EXPECT_EQ(TFontCache::MappedFamily("tahoma"), "Liberation Sans");
    EXPECT_EQ(TFontCache::MappedFamily("MS Sans Serif"), "Liberation Sans");
    EXPECT_EQ(TFontCache::MappedFamily("Times New Roman"), "Liberation Serif");
    EXPECT_EQ(TFontCache::MappedFamily("Courier New"), "Liberation Mono");
    EXPECT_EQ(TFontCache::MappedFamily("DejaVu Sans"), "DejaVu Sans");
}

TEST(TFontCacheTest, Get_SameDescriptionGivesSameInstanceAndGlyphs)
{
    TFontCache& cache = TFontCache::Instance();
    TFontInstance& a = cache.Get(Font("Arial", -14));
    TFontInstance& b = cache.Get(Font("Arial", -12));
    TFontInstance& again = cache.Get(Font("Arial", -14));
    EXPECT_EQ(&a, &again);
    EXPECT_NE(&a, &b);
    const TGlyph& g1 = a.Glyph(U'A');
    const TGlyph& g2 = a.Glyph(U'A');
    EXPECT_EQ(&g1, &g2);
    EXPECT_GT(g1.Width, 0);
    EXPECT_EQ(g1.Coverage.size(), static_cast<std::size_t>(g1.Width) * g1.Height);
}

TEST(TFontCacheTest, RotatedGlyph_KeepsUprightAdvanceButTurnsItsBitmap)
{
    TFontCache& cache = TFontCache::Instance();
    TFontInstance& upright = cache.Get(Font("Arial", -20));
    TFontInstance& turned = cache.Get(Font("Arial", -20, 900));
    const TGlyph& u = upright.Glyph(U'l');
    const TGlyph& t = turned.Glyph(U'l');
    EXPECT_EQ(u.Advance, t.Advance);
    EXPECT_GT(u.Height, u.Width);   // a tall stroke
    EXPECT_GT(t.Width, t.Height);   // lying on its side
}

TEST(TFontCacheTest, UnknownFamilyAndMissingCodePoint_StillGiveGlyphs)
{
    TFontInstance& f = TFontCache::Instance().Get(Font("No Such Family 123", -14));
    EXPECT_GT(f.Height, 0);
    EXPECT_GT(f.Glyph(U'x').Advance, 0);
    EXPECT_GE(f.Glyph(U'\U0010FFFD').Advance, 0);   // a private code point: a box or nothing, no crash
    EXPECT_EQ(f.Glyph(U'\n').Advance, 0);
}

TEST(TFontCacheTest, AbsurdHeights_AreHeldToASaneSize)
{
    TFontInstance& f = TFontCache::Instance().Get(Font("Arial", INT32_MIN));
    EXPECT_GT(f.Height, 0);
    EXPECT_LE(f.Height, 4000);
}
