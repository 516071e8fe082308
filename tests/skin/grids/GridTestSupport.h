#pragma once
// A borderless white form on the headless screen and a skin with grid entries, for the grid tests.
// The cell images are plain colour blocks, so one pixel tells which image was drawn where.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <memory>
#include <string>

#include "tests/support/THeadlessDriver.h"
#include "tests/support/TScratchFolder.h"
#include "tests/support/TTestSkinBuilder.h"
#include "platform/vcl/TBitmap.h"
#include "platform/vcl/TForm.h"
#include "skin/data/TskSkinData.h"

namespace gridtest {

constexpr TColor cFixedImage = 0x000080FF;  // orange: fixed-cell image
constexpr TColor cSelectImage = 0x00FFFF00; // cyan: selected-cell image
constexpr TColor cFocusImage = 0x00800080;  // purple: focused-cell image
constexpr TColor cLines = 0x000000FF;       // red: skin line colour
constexpr TColor cBack = 0x0000FF00;        // green: skin background colour
constexpr TColor cBackPicture = 0x00004080; // brown: background picture

inline TPixel Px(TColor c) { return ColorToPixel(c) & 0x00FFFFFF; }

inline void Fill(TBitmap& b, TRect r, TColor c)
{
    b.Canvas()->Brush()->SetStyle(bsSolid);
    b.Canvas()->Brush()->SetColor(c);
    b.Canvas()->FillRect(r);
}

inline TTestSkinBuilder GridTestSkin()
{
    const std::string cells = "fixedcellrect=0,0,20,10\nselectcellrect=20,0,40,10\nfocuscellrect=40,0,60,10\n"
                              "fixedcelltextrect=2,1,18,9\ncelltextrect=2,1,18,9\nlinescolor=255\nbgcolor=65280\n"
                              "fontcolor=0\nselectfontcolor=0\nfocusfontcolor=16777215\nfixedfontcolor=0\n";
    TTestSkinBuilder skin("Grid Test");
    skin.Picture("cells.bmp", 60, 10, clWhite,
            {{Rect(0, 0, 20, 10), cFixedImage}, {Rect(20, 0, 40, 10), cSelectImage}, {Rect(40, 0, 60, 10), cFocusImage}})
        .Picture("back.bmp", 8, 8, cBackPicture, {})
        .Keys("SKINCOLORS", "cbtnface=12632256\ncbtntext=0\ncbtnshadow=8421504\ncbtnhighlight=16777215\n")
        .Control("grid", "grid", "pictureindex=0\n" + cells)
        .Control("bggrid", "grid", "pictureindex=0\nbgpictureindex=1\n" + cells)
        .Control("nofixed", "grid", "pictureindex=0\nselectcellrect=20,0,40,10\nlinescolor=255\nbgcolor=65280\n")
        .Control("flatgrid", "grid",
            "pictureindex=0\nfixedcellrect=0,0,20,10\nselectcellrect=20,0,40,0\nfocuscellrect=40,0,60,0\n"
            "linescolor=12632256\nbgcolor=65280\n");
    return skin;
}

// The grid skin, loaded. Keep the object alive while grids use it.
struct TGridSkin {
    TScratchFolder Scratch;
    std::unique_ptr<TskSkinData> Skin = GridTestSkin().Load(Scratch.Path());
};

// A borderless white 600 x 400 form at the screen's origin: form, client and screen points coincide.
struct GridFormTest : ::testing::Test {
    THeadlessDriver Driver;
    TForm* Form = nullptr;

    void SetUp() override
    {
        Form = new TForm(nullptr);
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(0, 0, 600, 400);
        Form->SetColor(clWhite);
    }
    void TearDown() override { Form->Free(); }
    template <class G> G* MakeGrid(TRect bounds)
    {
        auto* g = new G(Form);
        g->SetParent(Form);
        g->SetBoundsRect(bounds);
        return g;
    }
    void ShowForm()
    {
        Form->Show();
        Driver.ProcessMessages();
    }
    // Shows the form and gives the grid the keyboard.
    void Focus(TWinControl* c)
    {
        ShowForm();
        Driver.FocusIn(Form->Handle());
        c->SetFocus();
        Driver.ProcessMessages();
    }
    TPixel At(int x, int y) { return Driver.PixelAt(Form->Handle(), x, y) & 0x00FFFFFF; }
    void Save(const std::string& name) { Driver.SaveWindow(Form->Handle(), name, OMBRIX_TEST_PICTURES); }
};

} // namespace gridtest
