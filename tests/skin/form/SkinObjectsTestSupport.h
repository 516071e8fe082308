#pragma once
// What the skin-object tests share: a skin whose [SKINOBJECTS] hold one object of every kind, built
// from plain colour blocks the way a skin author builds one, and a border-less form whose frame
// (in client-area mode) made the live objects from it. One pixel tells which image an object drew.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/THeadlessDriver.h"
#include "tests/support/TScratchFolder.h"
#include "tests/support/TTestSkinBuilder.h"
#include "platform/vcl/TBitmap.h"
#include "platform/vcl/TForm.h"
#include "skin/data/TskSkinData.h"
#include "skin/form/SkinButtonObjects.h"
#include "skin/form/SkinTextObjects.h"
#include "skin/form/SkinValueObjects.h"
#include "skin/form/TskFormFrame.h"

namespace objtest {

constexpr TColor cNormal = 0x00808080;        // grey: every object's normal image (frame picture)
constexpr TColor cActive = 0x00FFFF00;        // cyan: hovered image
constexpr TColor cDown = 0x00800080;          // purple: pressed image
constexpr TColor cDisabled = 0x00404040;      // dark grey: disabled image
constexpr TColor cRestore = 0x000080FF;       // orange: restore image
constexpr TColor cRestoreActive = 0x0080FF00; // spring green: hovered restore image
constexpr TColor cInactive = 0x00008080;      // olive: image of an inactive window
constexpr TColor cRestoreDown = 0x00C0C0C0;   // silver: pressed restore image
constexpr TColor cF1 = 0x000000FF;            // red: strip frame 1
constexpr TColor cF2 = 0x0000FF00;            // green: strip frame 2
constexpr TColor cF3 = 0x00FF0000;            // blue: strip frame 3
constexpr TColor cF4 = 0x0000FFFF;            // yellow: strip frame 4
constexpr TColor cFill = 0x00FF0000;          // blue: track and gauge fill
constexpr TColor cThumb = 0x000000FF;         // red: thumb
constexpr TColor cThumbDown = 0x0000FF00;     // green: held thumb
constexpr TColor cLabelText = 0x000000FF;     // red: label text
constexpr TColor cLabelActiveText = 0x00FF0000;

inline void Fill(TBitmap& b, TRect r, TColor c)
{
    b.Canvas()->Brush()->SetStyle(bsSolid);
    b.Canvas()->Brush()->SetColor(c);
    b.Canvas()->FillRect(r);
}

// Object rectangles in the frame picture (and so on the 200 x 100 form).
inline const std::vector<std::pair<std::string, TRect>>& NormalImages()
{
    static const std::vector<std::pair<std::string, TRect>> images = {
        {"btn", TRect{10, 5, 30, 20}}, {"grp1", TRect{35, 5, 55, 20}}, {"grp2", TRect{60, 5, 80, 20}},
        {"anim", TRect{90, 5, 110, 20}}, {"sysbtn", TRect{115, 5, 135, 20}}, {"maxbtn", TRect{140, 5, 160, 20}},
        {"closebtn", TRect{170, 5, 190, 20}}, {"track", TRect{10, 25, 130, 35}}, {"switch", TRect{140, 25, 160, 35}},
        {"gauge", TRect{10, 40, 110, 50}}, {"label", TRect{10, 55, 110, 75}}, {"bitlabel", TRect{120, 55, 137, 62}},
        {"caption", TRect{10, 78, 190, 98}}};
    return images;
}

inline TTestSkinBuilder ObjectsTestSkin()
{
    std::vector<TTestBlock> normal;
    for (const auto& [name, r] : NormalImages()) normal.push_back({r, cNormal});
    std::vector<TTestBlock> images = {{Rect(0, 0, 20, 15), cActive}, {Rect(20, 0, 40, 15), cDown},
        {Rect(40, 0, 60, 15), cDisabled}, {Rect(60, 0, 80, 15), cRestore}, {Rect(80, 0, 100, 15), cRestoreActive},
        {Rect(100, 0, 120, 15), cInactive}, {Rect(120, 0, 140, 15), cRestoreDown},
        {Rect(160, 0, 200, 15), cNormal}, // main-menu item
        {Rect(0, 40, 120, 50), cFill},    // track fill
        {Rect(130, 40, 140, 50), cThumb}, {Rect(145, 40, 155, 50), cThumbDown},
        {Rect(0, 55, 100, 65), cFill}}; // gauge fill
    const TColor frames[] = {cF1, cF2, cF3, cF4};
    for (int i = 0; i < 4; ++i) {
        images.push_back({Rect(i * 20, 20, i * 20 + 20, 35), frames[i]}); // animation strip
        images.push_back({Rect(i * 5, 70, i * 5 + 5, 77), frames[i]});    // symbols "0123"
        images.push_back({Rect(i * 20, 80, i * 20 + 20, 90), frames[i]}); // frame strip
    }
    images.push_back({Rect(80, 80, 100, 90), cDown}); // its 5th frame
    const std::string button = "activepictureindex=0\nactiveskinrect=0,0,20,15\ndownrect=20,0,40,15\n"
                               "disableskinrsect=40,0,60,15\n";
    const std::string frameStrip = "skinrect=0,0,20,10\nactivepictureindex=0\nactiveskinrect=0,80,100,90\ncountframes=5\n"
                                   "minvalue=0\nmaxvalue=100\nframesplacement=fphorizontal\n";
    TTestSkinBuilder skin("Objects Test");
    skin.Picture("frame.bmp", 200, 100, clWhite, normal, false)
        .Picture("objects.bmp", 300, 100, clWhite, images)
        .Keys("PICTURES", "picture=frame.bmp\n")
        .Keys("FORMINFO", "lefttoppoint=5,5\nrighttoppoint=195,5\nleftbottompoint=5,95\nrightbottompoint=195,95\n"
                          "clientrect=5,5,195,95\n")
        .Keys("SKINCOLORS", "cbtnface=12632256\ncbtntext=0\ncbtnshadow=8421504\n")
        .Object("btn", "button", "skinrect=10,5,30,20\nhint=Free\n" + button)
        .Object("grp1", "button", "skinrect=35,5,55,20\ngroupindex=1\n" + button)
        .Object("grp2", "button", "skinrect=60,5,80,20\ngroupindex=1\n" + button)
        .Object("anim", "animate",
            "skinrect=90,5,110,20\nactivepictureindex=0\nactiveskinrect=0,20,20,35\ncountframes=4\n"
            "buttonstyle=1\ntimerinterval=10\ncommand=cmdefault\n")
        .Object("sysbtn", "stdbutton", "skinrect=115,5,135,20\ncommand=cmsysmenu\nhint=System\n" + button)
        .Object("maxbtn", "stdbutton",
            "skinrect=140,5,160,20\ncommand=cmmaximize\nhint=Maximize\nrestorehint=Restore\n"
            "inactiveskinrect=100,0,120,15\nrestorerect=60,0,80,15\nrestoreactiverect=80,0,100,15\n"
            "restoredownrect=120,0,140,15\n" + button)
        .Object("closebtn", "stdbutton", "skinrect=170,5,190,20\ncommand=cmclose\nhint=Close\n" + button)
        .Object("track", "trackbar",
            "skinrect=10,25,130,35\nactivepictureindex=0\nactiveskinrect=0,40,120,50\n"
            "buttonrect=130,40,140,50\nactivebuttonrect=145,40,155,50\nbeginpoint=10,5\nendpoint=110,5\n"
            "minvalue=0\nmaxvalue=100\nmousedownchangevalue=1\n")
        .Object("switch", "switch", "skinrect=140,25,160,35\nactivepictureindex=0\nactiveskinrect=0,0,20,10\n")
        .Object("gauge", "gauge",
            "skinrect=10,40,110,50\nactivepictureindex=0\nactiveskinrect=0,55,100,65\nminvalue=0\n"
            "maxvalue=100\nkind=gkhorizontal\n")
        .Object("label", "label",
            "skinrect=10,55,110,75\nactivepictureindex=0\nfontname=DejaVu Sans\nfontheight=16\n"
            "fontcolor=255\nactivefontcolor=16711680\nalignment=tacenter\ntextvalue=WWW\n")
        .Object("bitlabel", "bitlabel",
            "skinrect=120,55,137,62\nactivepictureindex=0\nactiveskinrect=0,70,20,77\n"
            "symbolslinecount=1\nsymbolsline0=0123\ntextvalue=0213\nsymbolwidth=5\nsymbolheight=7\n")
        .Object("caption", "caption",
            "skinrect=10,78,190,98\nactivepictureindex=0\ntextrect=10,0,170,20\nfontname=DejaVu Sans\nfontheight=16\n"
            "fontcolor=8421376\nactivefontcolor=255\nalignment=taleftjustify\n")
        .Object("fgauge", "framegauge", frameStrip + "rollup=1\n")
        .Object("reg", "frameregulator", frameStrip + "kind=rkhorizontal\nrollup=1\n")
        .Object("user", "userobject", "skinrect=0,0,5,5\nrollup=1\n")
        .Object("vtrack", "trackbar",
            "skinrect=0,0,10,60\nactivepictureindex=0\nbuttonrect=130,40,140,50\nbeginpoint=5,55\n"
            "endpoint=5,5\nminvalue=0\nmaxvalue=50\nrollup=1\n")
        .Object("MAINMENUITEM", "mainmenuitem",
            "skinrectinapicture=1\nactivepictureindex=0\nskinrect=160,0,200,15\n"
            "activeskinrect=0,0,20,15\ndownrect=20,0,40,15\nitemleftoffset=3\nitemrightoffset=3\n"
            "fontname=DejaVu Sans\nfontheight=12\nfontcolor=255\nactivefontcolor=65280\ndownfontcolor=16711680\n"
            "unenabledfontcolor=65535\n");
    return skin;
}

// The skin, loaded. Keep it alive while objects use it.
struct TObjectsSkin {
    TScratchFolder Scratch;
    std::string Dir = Scratch.Path();
    std::unique_ptr<TskSkinData> Skin = ObjectsTestSkin().Load(Dir);
};

// A 200 x 100 border-less form whose frame draws inside the client area, with the test skin, and a
// log of the frame's object events.
struct SkinObjectsTest : ::testing::Test {
    THeadlessDriver Driver;
    TObjectsSkin Test;
    TForm* Form = nullptr;
    TskFormFrame* Frame = nullptr;
    std::vector<std::string> Events;

    void SetUp() override
    {
        RegisterSkinButtonObjects();
        RegisterSkinValueObjects();
        RegisterSkinTextObjects();
        Form = new TForm(nullptr);
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(0, 0, 200, 100);
        Form->SetCaption("Title");
        Frame = new TskFormFrame(Form);
        Frame->SetSupportNCArea(false);
        Frame->SetForcedActive(true);
        Frame->SetSkinData(Test.Skin.get());
        Frame->OnMouseDownEvent = [this](const std::string& id, int, int, const TRect&, TMouseButton) {
            Events.push_back("down " + id);
        };
        Frame->OnMouseUpEvent = [this](const std::string& id, int, int, const TRect&, TMouseButton) {
            Events.push_back("up " + id);
        };
        Frame->OnMouseEnterEvent = [this](const std::string& id) { Events.push_back("enter " + id); };
        Frame->OnMouseLeaveEvent = [this](const std::string& id) { Events.push_back("leave " + id); };
    }
    void TearDown() override { Form->Free(); }

    template <class T> T* Obj(const std::string& name)
    {
        auto* o = dynamic_cast<T*>(Frame->FindObject(name));
        EXPECT_NE(o, nullptr) << name;
        return o;
    }
    // What the object paints alone (UpDate: a single-object redraw) onto a white 200 x 100 canvas.
    std::unique_ptr<TBitmap> Paint(TskActiveSkinObject* o, bool upDate = true)
    {
        auto b = std::make_unique<TBitmap>(200, 100);
        Fill(*b, Rect(0, 0, 200, 100), clWhite);
        o->Draw(b->Canvas(), upDate);
        return b;
    }
    // The colour an object paints at its own point (x, y).
    TColor ColourAt(TskActiveSkinObject* o, int x = 2, int y = 2, bool upDate = true)
    {
        auto b = Paint(o, upDate);
        return b->Canvas()->Pixels(o->ObjectRect.Left + x, o->ObjectRect.Top + y) & 0xFFFFFF;
    }
    // Saves a picture for a person to look at.
    static void SavePicture(TBitmap& b, const std::string& name)
    {
        b.SaveToFile(std::string(OMBRIX_TEST_PICTURES) + "/" + name + ".bmp");
    }
    // Frame coordinates of a point of the object.
    static int X(TskActiveSkinObject* o, int dx) { return o->ObjectRect.Left + dx; }
    static int Y(TskActiveSkinObject* o, int dy) { return o->ObjectRect.Top + dy; }
};

} // namespace objtest
