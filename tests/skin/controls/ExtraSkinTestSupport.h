#pragma once
// A second skin of the controls tests, for the parts the first one leaves out: a panel with a caption
// strip, text frame, roll-up button face and check images; a gauge with an animation strip; an upright
// gauge; status bars with and without a gripper picture. Every piece is a plain colour block.
#include "SkinControlsTestSupport.h"

namespace skintest {

constexpr TColor cFrameMid = 0x00800080;   // purple: the middle of the caption's text frame
constexpr TColor cFrameCap = 0x000080FF;   // orange: its end caps
constexpr TColor cMark = 0x00FFFF00;       // cyan: the roll-up button face
constexpr TColor cAnim1 = 0x00FF8000;      // animation frames 1..3
constexpr TColor cAnim2 = 0x000000C0;
constexpr TColor cAnim3 = 0x00C0C000;
constexpr TColor cGrip = 0x00004080;       // brown: gripper picture
constexpr TColor cSkinShadow = 0x00408000; // the skin's "cbtnshadow"
constexpr TColor cSkinLight = 0x0080FFFF;  // the skin's "cbtnhighlight"

inline TTestSkinBuilder ExtraTestSkin()
{
    const std::string nine = "lefttoppoint=5,5\nrighttoppoint=25,5\nleftbottompoint=5,25\nrightbottompoint=25,25\n"
                             "clientrect=5,5,25,25\n";
    const std::string captionPanel = "pictureindex=0\nskinrect=0,0,60,60\nlefttoppoint=5,20\nrighttoppoint=55,20\n"
                                     "leftbottompoint=5,55\nrightbottompoint=55,55\nclientrect=5,20,55,55\ncaptionrect=5,2,55,18\n";
    const std::string gauge = "pictureindex=0\nskinrect=0,70,40,80\nlefttoppoint=2,0\nrighttoppoint=38,0\n"
                              "clientrect=2,2,38,8\nprogressarea=2,2,38,8\nprogressrect=40,90,50,96\n";
    TTestSkinBuilder skin("Controls Test Extra");
    skin.Picture("extra.bmp", 240, 120, clWhite, {
            // captionpanel: nine-part 60 x 60, top band 20 high with a navy caption strip, client green
            {Rect(0, 0, 60, 60), cFrame},
            {Rect(5, 2, 55, 18), cCaption},
            {Rect(5, 20, 55, 55), cClient},
            // check images 13 x 13, roll-up face 10 x 10
            {Rect(150, 0, 163, 13), cCheck},
            {Rect(150, 20, 163, 33), cUncheck},
            {Rect(170, 0, 180, 10), cMark},
            // text frame 40 x 16: caps 4 wide, middle purple
            {Rect(100, 40, 140, 56), cFrameCap},
            {Rect(104, 40, 136, 56), cFrameMid},
            // animgauge: three-part 40 x 10, progress piece 10 x 6, strip of three 10 x 6 frames side by side
            {Rect(0, 70, 40, 80), cGaugeFrame},
            {Rect(40, 90, 50, 96), cProgress},
            {Rect(60, 90, 70, 96), cAnim1},
            {Rect(70, 90, 80, 96), cAnim2},
            {Rect(80, 90, 90, 96), cAnim3},
            // vgauge: vertical three-part 10 x 40, progress piece 6 x 10
            {Rect(100, 0, 110, 40), cVBar},
            {Rect(115, 0, 121, 10), cProgress},
            // statusbar: nine-part 30 x 30, client green; gripper 8 x 8, its top-left quarter white (transparent)
            {Rect(200, 0, 230, 30), cFrame},
            {Rect(205, 5, 225, 25), cClient},
            {Rect(232, 0, 240, 8), cGrip},
            {Rect(232, 0, 236, 4), clWhite},
        });
    skin.Keys("SKINCOLORS", "cbtnface=12632256\ncbtntext=0\ncbtnshadow=4227072\ncbtnhighlight=8454143\n")
        .Control("captionpanel", "panel",
            captionPanel + "alignment=tacenter\nfontcolor=16777215\ncheckimagerect=150,0,163,13\n"
                           "uncheckimagerect=150,20,163,33\nmarkframerect=170,0,180,10\n")
        .Control("animgauge", "gauge",
            gauge + "progressanimationskinrect=60,90,90,96\nprogressanimationcountframes=3\n"
                    "progressanimationtimerinterval=50\n")
        .Control("vgauge", "gauge",
            "pictureindex=0\nskinrect=100,0,110,40\nlefttoppoint=0,2\nleftbottompoint=0,38\n"
            "clientrect=0,2,10,38\nprogressarea=2,2,8,38\nprogressrect=115,0,121,10\nvertical=1\n")
        .Control("statusbar", "panel",
            "pictureindex=0\nskinrect=200,0,230,30\n" + nine +
                "gripperrect=232,0,240,8\ngrippertransparent=1\ngrippertransparentcolor=16777215\n")
        .Control("plainbar", "panel", "pictureindex=0\nskinrect=200,0,230,30\n" + nine)
        .Control("framedpanel", "panel",
            captionPanel + "alignment=taleftjustify\nfontcolor=16777215\nframerect=100,40,140,56\nframeleftoffset=4\n"
                           "framerightoffset=4\nframetextrect=6,2,34,14\n")
        .Control("gauge", "gauge", gauge);
    return skin;
}

struct TExtraSkin : TLoadedTestSkin {
    TExtraSkin() : TLoadedTestSkin(ExtraTestSkin()) {}
};

// The form of SkinFormTest with the extra skin at hand.
struct ExtraSkinFormTest : SkinFormTest {
    TExtraSkin Extra;
    template <class T> T* MakeExtra(TWinControl* parent, TRect bounds, const std::string& entry)
    {
        auto* c = new T(Form);
        c->SetParent(parent);
        c->SetSkinDataName(entry);
        c->SetSkinData(Extra.Skin.get());
        c->SetBoundsRect(bounds);
        return c;
    }
    // The bounding box of the pixels inside R that are not colour C (empty when there are none).
    TRect Extent(TRect R, TColor C)
    {
        TRect box = Rect(R.Right, R.Bottom, R.Left, R.Top);
        for (int y = R.Top; y < R.Bottom; ++y)
            for (int x = R.Left; x < R.Right; ++x)
                if (At(x, y) != Px(C)) {
                    box.Left = std::min(box.Left, x);
                    box.Top = std::min(box.Top, y);
                    box.Right = std::max(box.Right, x + 1);
                    box.Bottom = std::max(box.Bottom, y + 1);
                }
        if (box.Left >= box.Right) return Rect(0, 0, 0, 0);
        return box;
    }
    // The first column inside R, from the left, that shows colour C in row Y (-1 when none does).
    int FirstColumn(TRect R, int Y, TColor C)
    {
        for (int x = R.Left; x < R.Right; ++x)
            if (At(x, Y) == Px(C)) return x;
        return -1;
    }
};

} // namespace skintest
