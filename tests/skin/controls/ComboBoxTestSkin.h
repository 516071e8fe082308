#pragma once
// The combo box tests' own skin: a "combobox" entry and the "combolist" entry of its drop-down, made of
// plain colour blocks so that a pixel tells which piece was drawn where.
//
// Face (60 x 20, three-part across): red frame, green client (3..40 x 3..17), grey button at 42..58;
// the active face has a navy frame. The item piece is orange, the focused item piece blue. The button's
// hot, pressed and disabled pictures are cyan, purple and dark grey. The "combobutton" entry rests
// olive, turns silver when hot and yellow when pressed. The list: red frame, green client,
// items grey at rest and cyan when selected.
#include "SkinControlsTestSupport.h"

namespace skintest {

inline TTestSkinBuilder ComboBoxTestSkin()
{
    TTestSkinBuilder skin("Combo Box Test");
    skin.Picture("combobox.bmp", 220, 60, clWhite, {
            // resting face
            {Rect(0, 0, 60, 20), cFrame},
            {Rect(3, 3, 40, 17), cClient},
            {Rect(42, 2, 58, 18), cNormal},
            // active face
            {Rect(0, 20, 60, 40), cCaption},
            {Rect(3, 23, 40, 37), cClient},
            {Rect(42, 22, 58, 38), cNormal},
            // item pieces 37 x 14
            {Rect(60, 0, 97, 14), cFixed},
            {Rect(60, 20, 97, 34), cProgress},
            // button states 16 x 16
            {Rect(100, 2, 116, 18), cActive},
            {Rect(120, 2, 136, 18), cDown},
            {Rect(140, 2, 156, 18), cDisabled},
            // list frame 40 x 40 and its item pieces 40 x 12
            {Rect(160, 0, 200, 40), cFrame},
            {Rect(162, 2, 198, 38), cClient},
            {Rect(100, 40, 140, 52), cNormal},
            {Rect(140, 40, 180, 52), cActive},
            // a button entry 16 x 16 in three looks: olive, silver, yellow
            {Rect(0, 40, 16, 56), cCheck},
            {Rect(20, 40, 36, 56), cUncheck},
            {Rect(40, 40, 56, 56), cGaugeFrame},
        });
    skin.Keys("SKINCOLORS", "cbtnface=12632256\ncbtntext=0\ncbtnshadow=8421504\ncbtnhighlight=16777215\n")
        .Control("combobox", "combobox",
            "pictureindex=0\nskinrect=0,0,60,20\nlefttoppoint=3,0\nrighttoppoint=40,0\n"
            "clientrect=3,3,40,17\nactiveskinrect=0,20,60,40\n"
            "itemrect=60,0,97,14\nfocusitemrect=60,20,97,34\nitemtextrect=2,0,35,14\n"
            "fontname=DejaVu Sans\nfontheight=11\nfontcolor=0\nfocusfontcolor=16777215\nactivefontcolor=255\n"
            "buttonrect=42,2,58,18\nactivebuttonrect=100,2,116,18\ndownbuttonrect=120,2,136,18\n"
            "unenabledbuttonrect=140,2,156,18\nlistboxname=combolist\n")
        .Control("combolist", "listbox",
            "pictureindex=0\nskinrect=160,0,200,40\nlefttoppoint=2,2\nrighttoppoint=38,2\n"
            "leftbottompoint=2,38\nrightbottompoint=38,38\nclientrect=2,2,38,38\n"
            "itemrect=100,40,140,52\nactiveitemrect=140,40,180,52\nfocusitemrect=140,40,180,52\n"
            "itemtextrect=2,0,38,12\nfontname=DejaVu Sans\nfontheight=10\nfontcolor=0\nactivefontcolor=0\n"
            "focusfontcolor=0\n")
        .Control("combobutton", "button",
            "pictureindex=0\nskinrect=0,40,16,56\nlefttoppoint=2,2\nrighttoppoint=14,2\n"
            "leftbottompoint=2,14\nrightbottompoint=14,14\nclientrect=2,2,14,14\nactiveskinrect=20,40,36,56\n"
            "downskinrect=40,40,56,56\nfontcolor=0\nactivefontcolor=0\ndownfontcolor=0\n");
    return skin;
}

struct TComboBoxTestSkin : TLoadedTestSkin {
    TComboBoxTestSkin() : TLoadedTestSkin(ComboBoxTestSkin()) {}
};

} // namespace skintest
