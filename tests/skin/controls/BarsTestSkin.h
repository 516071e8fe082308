#pragma once
// The controls tests' skin grown by what the bars need: a drop-down tool button entry
// ("toolmenubutton", with a drop-down rectangle and marker pictures), a "toolpanel" for tool bars, the
// "resizebutton" entry their scroll buttons are made of, and a "controlbar" entry for cool bars with
// grabber pictures.
#include <string>
#include <vector>

#include "SkinButtonsTestSupport.h"

namespace skintest {

constexpr TColor cMarker = 0x00FF8000;       // the drop-down marker at rest
constexpr TColor cMarkerActive = 0x000080FF; // hot
constexpr TColor cMarkerDown = 0x00FF0080;   // pressed
constexpr TColor cToolPanel = 0x00A0A000;
constexpr TColor cScrollRest = 0x00202080;
constexpr TColor cScrollHot = 0x00208020;
constexpr TColor cScrollDown = 0x00802020;
// The scroll button at rest has a frame 2 pixels wide: corners in one colour, each edge striped across
// its length in two, so a tiled edge and a stretched one look different.
constexpr TColor cScrollCorner = 0x00406080;
constexpr TColor cScrollStripeA = 0x0000C0C0;
constexpr TColor cScrollStripeB = 0x00C000C0;
constexpr TColor cBarFrame = 0x00008040;
constexpr TColor cBarClient = 0x00C08000;
constexpr TColor cGrip = 0x000000C0;

inline TTestSkinBuilder BarsTestSkin()
{
    const std::string button = "pictureindex=0\nskinrect=0,40,30,60\nlefttoppoint=3,3\nrighttoppoint=27,3\n"
                               "leftbottompoint=3,17\nrightbottompoint=27,17\nclientrect=3,3,27,17\n"
                               "activeskinrect=30,40,60,60\ndownskinrect=60,40,90,60\ndisabledskinrect=90,40,120,60\n"
                               "fontcolor=0\nactivefontcolor=0\ndownfontcolor=16777215\ndisabledfontcolor=8421504\n";
    const std::string frame = "pictureindex=0\nskinrect=150,40,190,80\nlefttoppoint=4,4\nrighttoppoint=36,4\n"
                              "leftbottompoint=4,36\nrightbottompoint=36,36\nclientrect=4,4,36,36\n";
    // markers 7 x 4 on white (their transparent colour), a little smaller than the piece
    std::vector<TTestBlock> blocks = {{Rect(0, 90, 7, 94), clWhite}, {Rect(1, 91, 6, 93), cMarker},
        {Rect(10, 90, 17, 94), clWhite}, {Rect(11, 91, 16, 93), cMarkerActive}, {Rect(20, 90, 27, 94), clWhite},
        {Rect(21, 91, 26, 93), cMarkerDown},
        // scroll buttons 10 x 10
        {Rect(30, 90, 40, 100), cScrollRest}};
    for (TPoint corner : {Point(30, 90), Point(38, 90), Point(30, 98), Point(38, 98)})
        blocks.push_back({Rect(corner.X, corner.Y, corner.X + 2, corner.Y + 2), cScrollCorner});
    for (int i = 0; i < 6; ++i) {
        const TColor stripe = i % 2 == 0 ? cScrollStripeA : cScrollStripeB;
        blocks.push_back({Rect(30, 92 + i, 32, 93 + i), stripe}); // left edge, striped down
        blocks.push_back({Rect(38, 92 + i, 40, 93 + i), stripe}); // right edge
        blocks.push_back({Rect(32 + i, 90, 33 + i, 92), stripe}); // top edge, striped across
        blocks.push_back({Rect(32 + i, 98, 33 + i, 100), stripe}); // bottom edge
    }
    blocks.insert(blocks.end(), {{Rect(40, 90, 50, 100), cScrollHot}, {Rect(50, 90, 60, 100), cScrollDown},
                                    // grabbers
                                    {Rect(60, 90, 70, 94), cGrip}, {Rect(70, 84, 74, 94), cGrip},
                                    // tool panel 30 x 20
                                    {Rect(120, 65, 150, 85), cToolPanel},
                                    // control bar 40 x 40: frame 4 wide
                                    {Rect(150, 40, 190, 80), cBarFrame}, {Rect(154, 44, 186, 76), cBarClient}});
    TTestSkinBuilder skin = ControlsTestSkin();
    skin.Paint("controls.bmp", blocks)
        .Control("toolmenubutton", "menubutton",
            button + "trackbuttonrect=20,0,30,20\nmenumarkerrect=0,90,7,94\nmenumarkeractiverect=10,90,17,94\n"
                     "menumarkerdownrect=20,90,27,94\nmenumarkertransparentcolor=16777215\n")
        .Control("toolpanel", "panel",
            "pictureindex=0\nskinrect=120,65,150,85\nlefttoppoint=5,5\nrighttoppoint=25,5\n"
            "leftbottompoint=5,15\nrightbottompoint=25,15\nclientrect=5,5,25,15\n")
        .Control("resizebutton", "button",
            "pictureindex=0\nskinrect=30,90,40,100\nactiveskinrect=40,90,50,100\n"
            "downskinrect=50,90,60,100\nlefttoppoint=2,2\nrighttoppoint=8,2\nleftbottompoint=2,8\n"
            "rightbottompoint=8,8\nclientrect=2,2,8,8\nleftstretch=1\nfontcolor=255\n")
        .Control("controlbar", "controlbar", frame + "hgriprect=60,90,70,94\nvgriprect=70,84,74,94\ngripoffset1=1\ngripoffset2=1\n")
        .Control("plainmenubutton", "menubutton", button + "trackbuttonrect=20,0,30,20\n")
        .Control("plaincontrolbar", "controlbar", frame);
    return skin;
}

struct TBarsSkin : TLoadedTestSkin {
    TBarsSkin() : TLoadedTestSkin(BarsTestSkin()) {}
};

} // namespace skintest
