#pragma once
// What the frame tests share: a small frame skin built the way a skin author builds one, from plain
// colour blocks so that one pixel tells which piece of the picture was drawn, and a shown form with a
// TskFormFrame on it.
//
// The frame picture is 100 x 80: a top band of 30 rows (blue top-left corner, red middle, green
// top-right corner), a yellow left and a magenta right edge 5 pixels wide, a cyan bottom of 5 rows and a
// white client area (5, 30, 95, 75). Skin objects: a caption across the top band, "obj" (a picture
// object with an active image and a mask whose right half is white) and "plain" (no active picture).
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/THeadlessDriver.h"
#include "tests/support/TScratchFolder.h"
#include "tests/support/TTestSkinBuilder.h"
#include "platform/vcl/TBitmap.h"
#include "platform/vcl/TForm.h"
#include "platform/win/Window.h"
#include "skin/data/TskSkinData.h"
#include "skin/form/TskFormFrame.h"

namespace frametest {

constexpr TColor cCorner = 0x00FF0000;   // blue
constexpr TColor cTop = 0x000000FF;      // red
constexpr TColor cTopRight = 0x0000FF00; // green
constexpr TColor cLeft = 0x0000FFFF;     // yellow
constexpr TColor cRight = 0x00FF00FF;    // magenta
constexpr TColor cBottom = 0x00FFFF00;   // cyan
constexpr TColor cClient = 0x00FFFFFF;   // white
constexpr TColor cObject = 0x00808080;   // grey: "obj" at rest (part of the frame picture)
constexpr TColor cActive = 0x000080FF;   // orange: "obj" active image
constexpr TColor cInactive = 0x00800080; // purple: "obj" image of an inactive window

inline TPixel Px(TColor c) { return ColorToPixel(c) & 0x00FFFFFF; }

inline void Fill(TBitmap& b, TRect r, TColor c)
{
    b.Canvas()->Brush()->SetStyle(bsSolid);
    b.Canvas()->Brush()->SetColor(c);
    b.Canvas()->FillRect(r);
}

struct TFrameSkin {
    TScratchFolder Scratch;
    std::string Dir = Scratch.Path();
    std::unique_ptr<TskSkinData> Skin;

    // Extra lines go into [FORMINFO]; ObjExtra into the "obj" section. Each of ExtraObjects adds an
    // object: its "name:kind" and the lines of its section.
    // WithRollUp adds a roll-up picture of 100 x 20 (blue left end, orange span, green right end, its
    // stretchable span from x 10 to 90) and its mask (a 4-pixel notch at the top-left corner).
    explicit TFrameSkin(const std::string& FormInfoExtra = "", const std::string& ObjExtra = "", bool WithMask = false,
        const std::vector<std::pair<std::string, std::string>>& ExtraObjects = {}, bool WithRollUp = false)
    {
        TTestSkinBuilder skin("Frame Test");
        skin.Picture("frame.bmp", 100, 80, cClient,
                {{Rect(0, 0, 100, 30), cTop}, {Rect(0, 0, 10, 30), cCorner}, {Rect(90, 0, 100, 30), cTopRight},
                    {Rect(0, 30, 5, 75), cLeft}, {Rect(95, 30, 100, 75), cRight}, {Rect(0, 75, 100, 80), cBottom},
                    {Rect(20, 16, 40, 26), cObject}},
                false)
            .Picture("objects.bmp", 60, 10, cObject, {{Rect(0, 0, 20, 10), cActive}, {Rect(20, 0, 40, 10), cInactive}})
            .Picture("objmask.bmp", 20, 10, clWhite, {{Rect(0, 0, 10, 10), clBlack}})
            // The window's shape: everything but an 8-pixel notch at the top-left corner.
            .Picture("shape.bmp", 100, 80, clBlack, {{Rect(0, 0, 8, 8), clWhite}}, false)
            .Picture("rollup.bmp", 100, 20, cActive, {{Rect(0, 0, 10, 20), cCorner}, {Rect(90, 0, 100, 20), cTopRight}}, false)
            .Picture("rollupmask.bmp", 100, 20, clBlack, {{Rect(0, 0, 4, 4), clWhite}}, false)
            .Keys("PICTURES", std::string("picture=frame.bmp\n") + (WithMask ? "mask=shape.bmp\n" : "") +
                                  (WithRollUp ? "rolluppicture=rollup.bmp\nrollupmask=rollupmask.bmp\n" : ""))
            .Keys("FORMINFO", "lefttoppoint=10,30\nrighttoppoint=90,30\nleftbottompoint=10,75\nrightbottompoint=90,75\n"
                              "clientrect=5,30,95,75\nbuttonsrect=70,2,95,14\ncaptionrect=5,2,92,14\nborderwidth=3\n"
                              "hittestlefttoppoint=10,10\nhittestrighttoppoint=90,10\nhittestleftbottompoint=10,70\n"
                              "hittestrightbottompoint=90,70\n" +
                                  FormInfoExtra + (WithRollUp ? "rollupleftpoint=10,0\nrolluprightpoint=90,0\n" : ""))
            .Object("cap", "caption", "skinrect=5,2,92,14\n")
            .Object("obj", "switch",
                "skinrect=20,16,40,26\nactivepictureindex=0\nactiveskinrect=0,0,20,10\nactivemaskpictureindex=1\nhint=Object\n" +
                    ObjExtra)
            .Object("plain", "switch", "skinrect=50,16,60,26\nactiveskinrect=0,0,10,10\n");
        for (const auto& [decl, lines] : ExtraObjects) {
            const size_t colon = decl.find(':');
            skin.Object(decl.substr(0, colon), decl.substr(colon + 1), lines);
        }
        Skin = skin.Load(Dir);
    }
};

// A shown 300 x 200 form at (100, 80) with a frame; the skin is set by the test.
struct FrameTest : ::testing::Test {
    THeadlessDriver Driver;
    TForm* Form = nullptr;
    TskFormFrame* Frame = nullptr;

    void SetUp() override
    {
        RegisterSkinFrameClasses();
        Form = new TForm(nullptr);
        Form->SetCaption("Frame");
        Form->SetBounds(100, 80, 300, 200);
        Frame = new TskFormFrame(Form);
    }
    void TearDown() override
    {
        if (Form != nullptr) Form->Free();
        Driver.ProcessMessages();
    }
    void ShowForm()
    {
        Form->Show();
        Driver.ProcessMessages();
    }
    // Window-relative point to the hit-test answer, through the form's window procedure.
    LRESULT Hit(int x, int y)
    {
        TRect w;
        GetWindowRect(Form->Handle(), w);
        return SendMessage(Form->Handle(), WM_NCHITTEST, 0, MAKELPARAM(w.Left + x, w.Top + y));
    }
    // Another window takes the focus: the form is no longer the active one.
    void Deactivate() { Driver.FocusOut(Form->Handle()); Driver.ProcessMessages(); }
    TPixel At(int x, int y) { return Driver.PixelAt(Form->Handle(), x, y) & 0x00FFFFFF; }
    void Save(const std::string& name) { Driver.SaveWindow(Form->Handle(), name, OMBRIX_TEST_PICTURES); }
};

} // namespace frametest
