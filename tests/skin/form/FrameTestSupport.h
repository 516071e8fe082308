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
#include <fstream>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/THeadlessDriver.h"
#include "tests/support/TScratchFolder.h"
#include "platform/vcl/TBitmap.h"
#include "platform/vcl/TForm.h"
#include "platform/win/Window.h"
#include "skin/data/TskCompressedStoredSkin.h"
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
        std::string objectList = "0=cap:caption\n1=obj:switch\n2=plain:switch\n";
        std::string objectSections;
        int count = 3;
        for (const auto& [decl, lines] : ExtraObjects) {
            objectList += std::to_string(count++) + "=" + decl + "\n";
            objectSections += "[" + decl.substr(0, decl.find(':')) + "]\n" + lines;
        }
        TBitmap f(100, 80);
        Fill(f, Rect(0, 0, 100, 80), cClient);
        Fill(f, Rect(0, 0, 100, 30), cTop);
        Fill(f, Rect(0, 0, 10, 30), cCorner);
        Fill(f, Rect(90, 0, 100, 30), cTopRight);
        Fill(f, Rect(0, 30, 5, 75), cLeft);
        Fill(f, Rect(95, 30, 100, 75), cRight);
        Fill(f, Rect(0, 75, 100, 80), cBottom);
        Fill(f, Rect(20, 16, 40, 26), cObject);
        f.SaveToFile(Dir + "/frame.bmp");
        TBitmap a(60, 10);
        Fill(a, Rect(0, 0, 20, 10), cActive);
        Fill(a, Rect(20, 0, 40, 10), cInactive);
        Fill(a, Rect(40, 0, 60, 10), cObject);
        a.SaveToFile(Dir + "/objects.bmp");
        TBitmap m(20, 10);
        Fill(m, Rect(0, 0, 20, 10), clWhite);
        Fill(m, Rect(0, 0, 10, 10), clBlack);
        m.SaveToFile(Dir + "/objmask.bmp");
        // The window's shape: everything but an 8-pixel notch at the top-left corner.
        TBitmap shape(100, 80);
        Fill(shape, Rect(0, 0, 100, 80), clBlack);
        Fill(shape, Rect(0, 0, 8, 8), clWhite);
        shape.SaveToFile(Dir + "/shape.bmp");
        TBitmap rollUp(100, 20);
        Fill(rollUp, Rect(0, 0, 10, 20), cCorner);
        Fill(rollUp, Rect(10, 0, 90, 20), cActive);
        Fill(rollUp, Rect(90, 0, 100, 20), cTopRight);
        rollUp.SaveToFile(Dir + "/rollup.bmp");
        TBitmap rollUpShape(100, 20);
        Fill(rollUpShape, Rect(0, 0, 100, 20), clBlack);
        Fill(rollUpShape, Rect(0, 0, 4, 4), clWhite);
        rollUpShape.SaveToFile(Dir + "/rollupmask.bmp");
        std::ofstream(Dir + "/skin.ini")
            << "[VERSION]\nskinname=Frame Test\n"
               "[PICTURES]\npicture=frame.bmp\n"
            << (WithMask ? "mask=shape.bmp\n" : "")
            << (WithRollUp ? "rolluppicture=rollup.bmp\nrollupmask=rollupmask.bmp\n" : "")
            << "activepicturescount=2\n0=objects.bmp\n1=objmask.bmp\n"
               "[FORMINFO]\nlefttoppoint=10,30\nrighttoppoint=90,30\nleftbottompoint=10,75\nrightbottompoint=90,75\n"
               "clientrect=5,30,95,75\nbuttonsrect=70,2,95,14\ncaptionrect=5,2,92,14\nborderwidth=3\n"
               "hittestlefttoppoint=10,10\nhittestrighttoppoint=90,10\nhittestleftbottompoint=10,70\n"
               "hittestrightbottompoint=90,70\n"
            << FormInfoExtra << (WithRollUp ? "rollupleftpoint=10,0\nrolluprightpoint=90,0\n" : "")
            << "[SKINCOLORS]\n"
               "[SKINOBJECTS]\ncount="
            << count << "\n"
            << objectList << "[cap]\nskinrect=5,2,92,14\n"
               "[obj]\nskinrect=20,16,40,26\nactivepictureindex=0\nactiveskinrect=0,0,20,10\n"
               "activemaskpictureindex=1\nhint=Object\n"
            << ObjExtra
            << "[plain]\nskinrect=50,16,60,26\nactiveskinrect=0,0,10,10\n"
            << objectSections << "[SKINCONTROLS]\ncount=0\n";
        TskCompressedStoredSkin stored(nullptr);
        stored.BuildFromSkinIni(Dir + "/skin.ini");
        Skin = std::make_unique<TskSkinData>(nullptr);
        Skin->LoadStoredSkin(&stored);
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
