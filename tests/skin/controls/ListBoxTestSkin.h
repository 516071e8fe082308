#pragma once
// The list box tests' own skin: one "listbox" entry whose pieces are plain colour blocks, so that a
// pixel tells which piece was drawn where. The frame is red, the client tile green, the caption strip
// navy; the caption buttons rest in olive (check), silver (down) and orange (up) in the entry's right
// corner, and turn cyan when hot and purple when pressed. Items rest grey, selected cyan, focused purple.
#include "SkinControlsTestSupport.h"

namespace skintest {

inline TTestSkinBuilder ListBoxTestSkin()
{
    const std::string geometry = "pictureindex=0\nskinrect=0,0,100,60\nlefttoppoint=5,25\nrighttoppoint=60,25\n"
                                 "leftbottompoint=5,55\nrightbottompoint=60,55\nclientrect=5,25,95,55\n";
    TTestSkinBuilder skin("List Box Test");
    skin.Picture("listbox.bmp", 160, 60, clWhite, {
            {Rect(0, 0, 100, 60), cFrame},
            {Rect(5, 25, 95, 55), cClient},
            {Rect(5, 5, 60, 20), cCaption},
            {Rect(62, 7, 72, 17), cCheck},
            {Rect(74, 7, 84, 17), cUncheck},
            {Rect(86, 7, 96, 17), cFixed},
            {Rect(100, 0, 140, 12), cNormal},
            {Rect(100, 12, 140, 24), cActive},
            {Rect(100, 24, 140, 36), cDown},
            {Rect(100, 40, 110, 50), cActive},
            {Rect(110, 40, 120, 50), cDown},
            {Rect(120, 40, 130, 50), cActive},
            {Rect(130, 40, 140, 50), cActive},
        });
    skin.Keys("SKINCOLORS", "cbtnface=12632256\ncbtntext=0\ncbtnshadow=8421504\ncbtnhighlight=16777215\n")
        .Control("listbox", "listbox",
            geometry + "itemrect=100,0,140,12\nactiveitemrect=100,12,140,24\nfocusitemrect=100,24,140,36\n"
                       "itemtextrect=2,1,38,11\nitemleftoffset=2\nitemrightoffset=2\nfontname=DejaVu Sans\nfontheight=11\n"
                       "fontcolor=0\nactivefontcolor=0\nfocusfontcolor=16777215\n"
                       "captionrect=5,5,60,20\ncaptionfontname=DejaVu Sans\ncaptionfontheight=11\ncaptionfontcolor=16777215\n"
                       "checkbuttonrect=62,7,72,17\nactivecheckbuttonrect=130,40,140,50\n"
                       "downbuttonrect=74,7,84,17\nactivedownbuttonrect=120,40,130,50\n"
                       "upbuttonrect=86,7,96,17\nactiveupbuttonrect=100,40,110,50\ndownupbuttonrect=110,40,120,50\n")
        .Control("noitems", "listbox", geometry);
    return skin;
}

struct TListBoxTestSkin : TLoadedTestSkin {
    TListBoxTestSkin() : TLoadedTestSkin(ListBoxTestSkin()) {}
};

} // namespace skintest
