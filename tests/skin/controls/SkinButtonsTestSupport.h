#pragma once
// The controls tests' skin grown by what the buttons need beyond it: a button entry with a three-frame
// animation strip and a glow picture ("abutton"), the "resizebutton" entry that stretched up-down halves
// are made of, a fixed-size "hupdown" entry and a framed check box entry that cross-fades ("mcheckbox").
#include <string>

#include "SkinControlsTestSupport.h"
#include "platform/vcl/TCustomImageList.h"

namespace skintest {

constexpr TColor cFrame1 = 0x000000A0; // the animation strip's frames
constexpr TColor cFrame2 = 0x0000A000;
constexpr TColor cFrame3 = 0x00A00000;
constexpr TColor cUpDownRest = 0x00303030;
constexpr TColor cGlow = 0x0000C0C0;

// The base skin grown by the buttons' entries: their pieces drawn into the free lower part of the
// controls picture, and a plain glow picture (2) of the button's size grown by 3 on every side.
inline TTestSkinBuilder ButtonsTestSkin()
{
    const std::string button = "pictureindex=0\nskinrect=0,40,30,60\nlefttoppoint=3,3\nrighttoppoint=27,3\n"
                               "leftbottompoint=3,17\nrightbottompoint=27,17\nclientrect=3,3,27,17\n"
                               "activeskinrect=30,40,60,60\ndownskinrect=60,40,90,60\ndisabledskinrect=90,40,120,60\n"
                               "fontcolor=0\nactivefontcolor=255\ndownfontcolor=16777215\ndisabledfontcolor=8421504\n";
    TTestSkinBuilder skin = ControlsTestSkin();
    skin.Paint("controls.bmp", {{Rect(0, 65, 30, 85), cFrame1}, {Rect(30, 65, 60, 85), cFrame2}, {Rect(60, 65, 90, 85), cFrame3},
                                   {Rect(100, 65, 140, 85), cUpDownRest}, {Rect(140, 65, 160, 85), cActive},
                                   {Rect(160, 65, 180, 85), cDown}})
        .Picture("glow.bmp", 36, 26, cGlow, {})
        .Control("abutton", "button",
            button + "animateskinrect=0,65,90,85\nframecount=3\nanimateinterval=30\nglowlayerpictureindex=2\n"
                     "glowlayeroffsetleft=3\nglowlayeroffsettop=3\nglowlayeroffsetright=3\nglowlayeroffsetbottom=3\n"
                     "glowlayershowoffsetx=3\nglowlayershowoffsety=3\nglowlayeralphablendvalue=200\n")
        .Control("resizebutton", "button", button)
        .Control("hupdown", "updown",
            "pictureindex=0\nskinrect=100,65,140,85\nupbuttonrect=20,0,40,20\ndownbuttonrect=0,0,20,20\n"
            "activeupbuttonrect=140,65,160,85\nactivedownbuttonrect=140,65,160,85\n"
            "downupbuttonrect=160,65,180,85\ndowndownbuttonrect=160,65,180,85\n")
        .Control("mcheckbox", "checkradio",
            "pictureindex=0\nskinrect=0,40,30,60\nlefttoppoint=3,3\nrighttoppoint=27,3\n"
            "leftbottompoint=3,17\nrightbottompoint=27,17\nclientrect=3,3,27,17\nactiveskinrect=30,40,60,60\n"
            "checkimagearea=2,3,15,16\ntextarea=16,0,30,20\ncheckimagerect=150,0,163,13\n"
            "uncheckimagerect=150,20,163,33\nfontcolor=0\nactivefontcolor=0\nmorphing=1\n");
    return skin;
}

struct TButtonsSkin : TLoadedTestSkin {
    TButtonsSkin() : TLoadedTestSkin(ButtonsTestSkin()) {}
};

// An image list of Count 16 x 16 pictures, each one colour.
inline TImageList* SolidImages(TComponent* Owner, std::initializer_list<TColor> Colours)
{
    auto* list = new TImageList(Owner);
    for (TColor c : Colours) {
        TBitmap b(16, 16);
        Fill(b, Rect(0, 0, 16, 16), c);
        list->Add(&b, nullptr);
    }
    return list;
}

} // namespace skintest
