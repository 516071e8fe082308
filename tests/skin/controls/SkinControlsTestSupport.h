#pragma once
// A skin of the controls tests' own (see TTestSkinBuilder): every entry's pieces are plain colour blocks,
// so a test can tell from one pixel which piece was drawn where.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "tests/support/THeadlessDriver.h"
#include "tests/support/TScratchFolder.h"
#include "tests/support/TTestSkinBuilder.h"
#include "platform/vcl/TBitmap.h"
#include "platform/vcl/TForm.h"
#include "platform/win/Messages.h"
#include "platform/win/WinApi.h"
#include "skin/data/TskSkinData.h"

namespace skintest {

// Colours of the pieces (TColor, 0x00BBGGRR).
constexpr TColor cFrame = 0x000000FF;      // red: nine-part frames
constexpr TColor cClient = 0x0000FF00;     // green: client pieces
constexpr TColor cClientDot = 0x00FF00FF;  // magenta: top-left pixel of each client tile
constexpr TColor cGaugeFrame = 0x0000FFFF; // yellow
constexpr TColor cProgress = 0x00FF0000;   // blue
constexpr TColor cNormal = 0x00808080;     // grey: button at rest
constexpr TColor cActive = 0x00FFFF00;     // cyan: button hot
constexpr TColor cDown = 0x00800080;       // purple: button pressed
constexpr TColor cDisabled = 0x00404040;
constexpr TColor cFixed = 0x000080FF;      // orange: fixed-size entry
constexpr TColor cVBar = 0x00008000;       // dark green: vertical entry
constexpr TColor cCaption = 0x00800000;    // navy: panel caption strip
constexpr TColor cCheck = 0x00008080;      // olive: check image
constexpr TColor cUncheck = 0x00C0C0C0;
constexpr TColor cBg = 0x00004080;         // brown: panel background picture

inline TPixel Px(TColor c) { return ColorToPixel(c) & 0x00FFFFFF; }

inline void Fill(TBitmap& b, TRect r, TColor c)
{
    b.Canvas()->Brush()->SetStyle(bsSolid);
    b.Canvas()->Brush()->SetColor(c);
    b.Canvas()->FillRect(r);
}

// The base skin of the controls tests: the pictures "controls.bmp" (0) and "mask.bmp" (1) and eleven
// entries. The skins of the other controls tests grow it.
inline TTestSkinBuilder ControlsTestSkin()
{
    TTestSkinBuilder skin("Controls Test");
    skin.Picture("controls.bmp", 200, 100, clWhite,
        {// panel: nine-part 30 x 30, frame 5 wide, client 20 x 20 with a marked top-left pixel
            {Rect(0, 0, 30, 30), cFrame}, {Rect(5, 5, 25, 25), cClient}, {Rect(5, 5, 6, 6), cClientDot},
            // gauge: horizontal three-part 40 x 10, track at 2..38 x 2..8; progress piece 10 x 6
            {Rect(40, 0, 80, 10), cGaugeFrame}, {Rect(40, 20, 50, 26), cProgress},
            // button states: nine-part 30 x 20 each
            {Rect(0, 40, 30, 60), cNormal}, {Rect(30, 40, 60, 60), cActive}, {Rect(60, 40, 90, 60), cDown},
            {Rect(90, 40, 120, 60), cDisabled},
            // fixed-size entry 20 x 10, vertical entry 10 x 30
            {Rect(100, 0, 120, 10), cFixed}, {Rect(130, 0, 140, 30), cVBar},
            // check images 13 x 13, each with a hole in the picture's transparent colour (the white of its
            // bottom-left pixel), where the parent must show through
            {Rect(150, 0, 163, 13), cCheck}, {Rect(150, 20, 163, 33), cUncheck}, {Rect(154, 4, 159, 9), clWhite},
            {Rect(154, 24, 159, 29), clWhite}, {Rect(165, 0, 178, 13), cActive}, {Rect(165, 20, 178, 33), cNormal},
            // panel background picture 8 x 8
            {Rect(180, 0, 188, 8), cBg}});
    // Black keeps a pixel in the window: the fixed entry (a mask of its own size) keeps its left half.
    skin.Picture("mask.bmp", 20, 10, clBlack, {{Rect(10, 0, 20, 10), clWhite}});
    const std::string nine = "pictureindex=0\nskinrect=0,0,30,30\nlefttoppoint=5,5\nrighttoppoint=25,5\n"
                             "leftbottompoint=5,25\nrightbottompoint=25,25\n";
    const std::string buttonFrame = "pictureindex=0\nskinrect=0,40,30,60\nlefttoppoint=3,3\nrighttoppoint=27,3\n"
                                    "leftbottompoint=3,17\nrightbottompoint=27,17\nclientrect=3,3,27,17\n";
    const std::string buttonStates = "activeskinrect=30,40,60,60\ndownskinrect=60,40,90,60\ndisabledskinrect=90,40,120,60\n"
                                     "fontcolor=0\n";
    skin.Keys("SKINCOLORS", "cbtnface=12632256\ncbtntext=0\ncbtnshadow=8421504\ncbtnhighlight=16777215\n")
        .Control("panel", "panel", nine + "clientrect=5,5,25,25\ncursorindex=0\n")
        .Control("gauge", "gauge",
            "pictureindex=0\nskinrect=40,0,80,10\nlefttoppoint=2,0\nrighttoppoint=38,0\nclientrect=2,2,38,8\n"
            "progressarea=2,2,38,8\nprogressrect=40,20,50,26\nfontcolor=0\n")
        .Control("button", "button",
            buttonFrame + buttonStates + "activefontcolor=0\ndownfontcolor=16777215\ndisabledfontcolor=8421504\n")
        .Control("toolbutton", "button", buttonFrame + buttonStates + "morphing=1\n")
        .Control("fixed", "panel", "pictureindex=0\nmaskpictureindex=1\nskinrect=100,0,120,10\n")
        .Control("vbar", "panel",
            "pictureindex=0\nskinrect=130,0,140,30\nlefttoppoint=0,5\nleftbottompoint=0,25\nclientrect=0,5,10,25\n")
        .Control("emptyclient", "panel", nine + "clientrect=0,0,0,0\n")
        .Control("checkbox", "checkradio",
            buttonFrame + "checkimagearea=2,3,15,16\ntextarea=16,0,30,20\ncheckimagerect=150,0,163,13\n"
                          "uncheckimagerect=150,20,163,33\nactivecheckimagerect=165,0,178,13\n"
                          "activeuncheckimagerect=165,20,178,33\nfontcolor=0\n")
        .Control("stdlabel", "stdlabel", "fontname=DejaVu Sans\nfontheight=14\nfontcolor=255\n")
        .Control("bgpanel", "panel", nine + "clientrect=5,5,25,25\nbgpictureindex=0\n")
        .Control("bevel", "bevel", "lightcolor=65535\ndarkcolor=255\n");
    return skin;
}

// A test skin, loaded. Keep the object alive while controls use it.
struct TLoadedTestSkin {
    TScratchFolder Folder;
    std::unique_ptr<TskSkinData> Skin;

    explicit TLoadedTestSkin(const TTestSkinBuilder& Builder) : Skin(Builder.Load(Folder.Path())) {}
};

// The base skin, loaded.
struct TTestSkin : TLoadedTestSkin {
    TTestSkin() : TLoadedTestSkin(ControlsTestSkin()) {}
};

// A borderless white form of Width x Height on the headless screen, with a loaded test skin.
template <class TSkin, int Width, int Height> struct TSkinFormTest : ::testing::Test {
    THeadlessDriver Driver;
    TSkin Test;
    TForm* Form = nullptr;

    void SetUp() override
    {
        Form = new TForm(nullptr);
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(0, 0, Width, Height);
        Form->SetColor(clWhite);
    }
    void TearDown() override
    {
        if (Form) Form->Free();
    }
    TskSkinData* Skin() { return Test.Skin.get(); }
    template <class T> T* Make(TWinControl* parent, TRect bounds, bool skinned = true)
    {
        auto* c = new T(Form);
        c->SetParent(parent);
        if (skinned) c->SetSkinData(Skin());
        c->SetBoundsRect(bounds);
        return c;
    }
    void ShowForm()
    {
        Form->Show();
        Driver.ProcessMessages();
    }
    TPixel At(int x, int y) { return Driver.PixelAt(Form->Handle(), x, y) & 0x00FFFFFF; }
    void Save(const std::string& name) { Driver.SaveWindow(Form->Handle(), name, OMBRIX_TEST_PICTURES); }
};

// The form with the base skin.
using SkinFormTest = TSkinFormTest<TTestSkin, 700, 500>;

} // namespace skintest

namespace skintest {
// How many pixels of a colour the form shows inside R.
inline int CountColour(SkinFormTest& T, TRect R, TColor C)
{
    int n = 0;
    for (int y = R.Top; y < R.Bottom; ++y)
        for (int x = R.Left; x < R.Right; ++x)
            if (T.At(x, y) == Px(C)) ++n;
    return n;
}
} // namespace skintest

namespace skintest {
// How many pixels inside R differ from a colour (text drawn with smoothing has few pure pixels).
inline int CountOther(SkinFormTest& T, TRect R, TColor C)
{
    int n = 0;
    for (int y = R.Top; y < R.Bottom; ++y)
        for (int x = R.Left; x < R.Right; ++x)
            if (T.At(x, y) != Px(C)) ++n;
    return n;
}
} // namespace skintest

namespace skintest {
// A parent that gathers its children's pictures into one device context asks each child to erase it.
// This is the number of pixels of C's place where what C put into such a (white) device context
// differs from what the form shows there: 0 when the control paints its whole look on an erase.
inline int ErasedPixelsUnlikeTheWindow(SkinFormTest& T, TWinControl* C)
{
    TBitmap b(C->Width(), C->Height());
    Fill(b, Rect(0, 0, C->Width(), C->Height()), clWhite);
    SendMessage(C->Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(b.Canvas()->Handle()), 0);
    int n = 0;
    for (int y = 0; y < C->Height(); ++y)
        for (int x = 0; x < C->Width(); ++x)
            if ((b.ScanLine(y)[x] & 0x00FFFFFF) != T.At(C->Left() + x, C->Top() + y)) ++n;
    return n;
}
} // namespace skintest
