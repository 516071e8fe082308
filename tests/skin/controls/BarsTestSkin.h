#pragma once
// The controls tests' skin grown by what the bars need: a drop-down tool button entry
// ("toolmenubutton", with a drop-down rectangle and marker pictures), a "toolpanel" for tool bars, the
// "resizebutton" entry their scroll buttons are made of, and a "controlbar" entry for cool bars with
// grabber pictures. Built and loaded with the skin tools, like the base skin.
#include <fstream>
#include <memory>
#include <string>

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

inline std::string BarsSkinIni()
{
    const std::string button = "pictureindex=0\nskinrect=0,40,30,60\nlefttoppoint=3,3\nrighttoppoint=27,3\n"
                               "leftbottompoint=3,17\nrightbottompoint=27,17\nclientrect=3,3,27,17\n"
                               "activeskinrect=30,40,60,60\ndownskinrect=60,40,90,60\ndisabledskinrect=90,40,120,60\n"
                               "fontcolor=0\nactivefontcolor=0\ndownfontcolor=16777215\ndisabledfontcolor=8421504\n";
    std::string ini = TestSkinIni();
    ini = Replaced(ini, "[SKINCONTROLS]\ncount=11\n",
        "[SKINCONTROLS]\ncount=17\n11=toolmenubutton:menubutton\n12=toolpanel:panel\n13=resizebutton:button\n"
        "14=controlbar:controlbar\n15=plainmenubutton:menubutton\n16=plaincontrolbar:controlbar\n");
    ini += "[toolmenubutton]\n" + button +
        "trackbuttonrect=20,0,30,20\nmenumarkerrect=0,90,7,94\nmenumarkeractiverect=10,90,17,94\n"
        "menumarkerdownrect=20,90,27,94\nmenumarkertransparentcolor=16777215\n";
    ini += "[plainmenubutton]\n" + button + "trackbuttonrect=20,0,30,20\n";
    ini += "[toolpanel]\npictureindex=0\nskinrect=120,65,150,85\nlefttoppoint=5,5\nrighttoppoint=25,5\n"
           "leftbottompoint=5,15\nrightbottompoint=25,15\nclientrect=5,5,25,15\n";
    ini += "[resizebutton]\npictureindex=0\nskinrect=30,90,40,100\nactiveskinrect=40,90,50,100\n"
           "downskinrect=50,90,60,100\nlefttoppoint=2,2\nrighttoppoint=8,2\nleftbottompoint=2,8\n"
           "rightbottompoint=8,8\nclientrect=2,2,8,8\nleftstretch=1\nfontcolor=255\n";
    ini += "[controlbar]\npictureindex=0\nskinrect=150,40,190,80\nlefttoppoint=4,4\nrighttoppoint=36,4\n"
           "leftbottompoint=4,36\nrightbottompoint=36,36\nclientrect=4,4,36,36\n"
           "hgriprect=60,90,70,94\nvgriprect=70,84,74,94\ngripoffset1=1\ngripoffset2=1\n";
    ini += "[plaincontrolbar]\npictureindex=0\nskinrect=150,40,190,80\nlefttoppoint=4,4\nrighttoppoint=36,4\n"
           "leftbottompoint=4,36\nrightbottompoint=36,36\nclientrect=4,4,36,36\n";
    return ini;
}

inline void WriteBarsPicture(const std::string& path)
{
    WriteControlsPicture(path);
    TBitmap b;
    b.LoadFromFile(path);
    // markers 7 x 4 on white (their transparent colour), a little smaller than the piece
    Fill(b, Rect(0, 90, 7, 94), clWhite);
    Fill(b, Rect(1, 91, 6, 93), cMarker);
    Fill(b, Rect(10, 90, 17, 94), clWhite);
    Fill(b, Rect(11, 91, 16, 93), cMarkerActive);
    Fill(b, Rect(20, 90, 27, 94), clWhite);
    Fill(b, Rect(21, 91, 26, 93), cMarkerDown);
    // scroll buttons 10 x 10
    Fill(b, Rect(30, 90, 40, 100), cScrollRest);
    for (TPoint corner : {Point(30, 90), Point(38, 90), Point(30, 98), Point(38, 98)})
        Fill(b, Rect(corner.X, corner.Y, corner.X + 2, corner.Y + 2), cScrollCorner);
    for (int i = 0; i < 6; ++i) {
        const TColor stripe = i % 2 == 0 ? cScrollStripeA : cScrollStripeB;
        Fill(b, Rect(30, 92 + i, 32, 93 + i), stripe); // left edge, striped down
        Fill(b, Rect(38, 92 + i, 40, 93 + i), stripe); // right edge
        Fill(b, Rect(32 + i, 90, 33 + i, 92), stripe); // top edge, striped across
        Fill(b, Rect(32 + i, 98, 33 + i, 100), stripe); // bottom edge
    }
    Fill(b, Rect(40, 90, 50, 100), cScrollHot);
    Fill(b, Rect(50, 90, 60, 100), cScrollDown);
    // grabbers
    Fill(b, Rect(60, 90, 70, 94), cGrip);
    Fill(b, Rect(70, 84, 74, 94), cGrip);
    // tool panel 30 x 20
    Fill(b, Rect(120, 65, 150, 85), cToolPanel);
    // control bar 40 x 40: frame 4 wide
    Fill(b, Rect(150, 40, 190, 80), cBarFrame);
    Fill(b, Rect(154, 44, 186, 76), cBarClient);
    b.SaveToFile(path);
}

struct TBarsSkin {
    TScratchFolder Folder;
    std::unique_ptr<TskSkinData> Skin;

    TBarsSkin()
    {
        WriteBarsPicture(Folder.Path() + "/controls.bmp");
        WriteMaskPicture(Folder.Path() + "/mask.bmp");
        const std::string ini = Folder.Path() + "/skin.ini";
        std::ofstream(ini) << BarsSkinIni();
        TskCompressedStoredSkin stored(nullptr);
        stored.BuildFromSkinIni(ini);
        Skin = std::make_unique<TskSkinData>(nullptr);
        Skin->LoadStoredSkin(&stored);
    }
};

} // namespace skintest
