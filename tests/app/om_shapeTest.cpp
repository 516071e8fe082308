#include "app/om_shape.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

namespace {

TPictureShape Read(std::initializer_list<const char*> Lines)
{
    TPictureShape shape;
    for (const char* line : Lines)
        ReadShapeLine(shape, line);
    return shape;
}

TEST(PictureShape, RotationFlagBecomesAQuarterTurnEitherWay)
{
    EXPECT_EQ(Read({"[SIDE_DATA]", "rotation=90", "[/SIDE_DATA]"}).Rotation, 90);
    EXPECT_EQ(Read({"rotation=-90"}).Rotation, 270);
    EXPECT_EQ(Read({"rotation=-180"}).Rotation, 180);
    EXPECT_EQ(Read({"r_frame_rate=25/1"}).Rotation, 0);
    EXPECT_EQ(UprightFilters(Read({"rotation=90"})), "rotate=2,");
    EXPECT_EQ(UprightFilters(Read({"rotation=-90"})), "rotate=1,");
    EXPECT_EQ(UprightFilters(Read({"rotation=0"})), "");
    EXPECT_TRUE(LiesOnItsSide(Read({"rotation=-90"})));
    EXPECT_FALSE(LiesOnItsSide(Read({"rotation=180"})));
}

TEST(PictureShape, OnlyAMeanRateOffTheNominalOneIsUneven)
{
    const struct {
        const char* Nominal;
        const char* Mean;
        bool Uneven;
    } cases[] = {
        {"r_frame_rate=30/1", "avg_frame_rate=600/29", true},          // 30 and 10 a second in turn
        {"r_frame_rate=25/1", "avg_frame_rate=25/1", false},
        {"r_frame_rate=30000/1001", "avg_frame_rate=2997/100", false}, // a rounding apart
        {"r_frame_rate=30/1", "avg_frame_rate=0/0", false},            // no mean known
        {"r_frame_rate=0/0", "avg_frame_rate=25/1", false},
    };
    for (const auto& c : cases) {
        const TPictureShape shape = Read({c.Nominal, c.Mean});
        EXPECT_EQ(shape.VariableRate, c.Uneven) << c.Nominal << " " << c.Mean;
    }
    EXPECT_DOUBLE_EQ(Read({"r_frame_rate=30/1"}).Rate, 30);
}

} // namespace
