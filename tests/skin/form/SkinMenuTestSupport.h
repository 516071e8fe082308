#pragma once
// What the skinned menu tests share: a shown form with its skinned frame, whose skin menu shows the
// popups (the frame closes the chain on the form's messages and hands it the keys), a skinned popup
// menu of plain items, a separator, a submenu and a disabled item opened the way a control opens its
// context menu, and a menu skin built from plain colour blocks so that one pixel tells which piece was
// drawn.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/THeadlessDriver.h"
#include "tests/support/TScratchFolder.h"
#include "tests/support/TTestSkinBuilder.h"
#include "platform/vcl/TBitmap.h"
#include "platform/vcl/TForm.h"
#include "platform/vcl/TMenu.h"
#include "skin/data/SkinMessages.h"
#include "skin/data/TskSkinData.h"
#include "skin/form/TskFormFrame.h"
#include "skin/form/TskSkinMenu.h"
#include "skin/form/TskSkinPopupMenu.h"
#include "skin/form/TskSkinPopupWindow.h"

namespace menutest {

constexpr TColor cFrame = 0x000000FF;   // red: popup window border
constexpr TColor cItems = 0x0000FF00;   // green: popup window item area
constexpr TColor cNormal = 0x00808080;  // grey: item at rest
constexpr TColor cActive = 0x00FFFF00;  // cyan: highlighted item
constexpr TColor cDivider = 0x00800080; // purple: separator
constexpr TColor cArrow = 0x000080FF;   // orange: submenu arrow
constexpr TColor cCheck = 0x00008080;   // olive: check mark
constexpr TColor cHintFrame = 0x00A000A0; // hint window border
constexpr TColor cHintText = 0x0000C0C0;  // hint window text area
constexpr TColor cLabel = 0x00404000;     // "label" control: header rows
constexpr TColor cButton = 0x00006060;    // "menuitembutton" control at rest
constexpr TColor cButtonDown = 0x00600060; // ... and pressed

inline TPixel Px(TColor c) { return ColorToPixel(c) & 0x00FFFFFF; }

inline void Fill(TBitmap& b, TRect r, TColor c)
{
    b.Canvas()->Brush()->SetStyle(bsSolid);
    b.Canvas()->Brush()->SetColor(c);
    b.Canvas()->FillRect(r);
}

// The menu skin. Morphing makes its items fade; Mask gives the popup window a mask (its top-left corner
// piece cut away). Pictures 3 to 5 are there for a hint window and controls a test adds.
inline TTestSkinBuilder MenuTestSkin(bool Morphing = false, bool Mask = false)
{
    TTestSkinBuilder skin("Menu Test");
    // The window picture is a picture of its own: its size is the window's size at rest.
    skin.Picture("popup.bmp", 40, 40, cFrame, {{Rect(4, 4, 36, 36), cItems}})
        .Picture("menu.bmp", 100, 60, clWhite,
            {{Rect(0, 0, 40, 40), cFrame}, {Rect(4, 4, 36, 36), cItems}, {Rect(50, 0, 90, 20), cNormal},
                {Rect(50, 20, 90, 40), cActive}, {Rect(50, 40, 90, 44), cDivider}, {Rect(92, 0, 96, 8), cArrow},
                {Rect(92, 10, 100, 18), cCheck}})
        .Picture("mask.bmp", 40, 40, clBlack, {{Rect(0, 0, 4, 4), clWhite}})
        // The hint picture: a 6-pixel border round the text area; its mask cuts the top-left corner.
        .Picture("hint.bmp", 30, 30, cHintFrame, {{Rect(6, 6, 24, 24), cHintText}})
        .Picture("hintmask.bmp", 30, 30, clBlack, {{Rect(0, 0, 3, 3), clWhite}})
        // Controls: a label strip and a button at rest and pressed.
        .Picture("controls.bmp", 60, 60, clWhite,
            {{Rect(0, 0, 60, 16), cLabel}, {Rect(0, 20, 40, 40), cButton}, {Rect(0, 40, 40, 60), cButtonDown}})
        .Keys("POPUPWINDOW", std::string("windowpictureindex=0\nlefttoppoint=4,4\nrighttoppoint=36,4\n"
                                         "leftbottompoint=4,36\nrightbottompoint=36,36\nitemsrect=4,4,36,36\n"
                                         "scrollmarkercolor=0\nscrollmarkeractivecolor=255\n") +
                                 (Mask ? "maskpictureindex=2\n" : ""))
        .Object("menuitem", "menuitem",
            std::string("activepictureindex=1\nskinrect=50,0,90,20\nactiveskinrect=50,20,90,40\n"
                        "dividerrect=50,40,90,44\nitemleftoffset=2\nitemrightoffset=2\ntextrect=4,0,36,20\n"
                        "fontname=DejaVu Sans\nfontheight=13\nfontcolor=0\nactivefontcolor=16777215\n"
                        "unenabledfontcolor=8421504\narrowimagerect=92,0,96,8\ncheckimagerect=92,10,100,18\n") +
                (Morphing ? "morphing=1\n" : ""));
    return skin;
}

// A "label" control (16 high) and a "menuitembutton" control for the images menu's header and button rows.
inline TTestSkinBuilder WithLabelAndButtonControls(TTestSkinBuilder Skin)
{
    Skin.Control("label", "label",
            "pictureindex=5\nskinrect=0,0,60,16\nlefttoppoint=0,0\nrighttoppoint=60,0\n"
            "leftbottompoint=0,16\nrightbottompoint=60,16\nclientrect=0,0,60,16\nfontname=DejaVu Sans\n"
            "fontheight=11\nfontcolor=16777215\n")
        .Control("menuitembutton", "button",
            "pictureindex=5\nskinrect=0,20,40,40\ndownskinrect=0,40,40,60\n"
            "lefttoppoint=2,2\nrighttoppoint=38,2\nleftbottompoint=2,18\nrightbottompoint=38,18\n"
            "clientrect=2,2,38,18\nfontname=DejaVu Sans\nfontheight=11\nfontcolor=0\ndownfontcolor=16777215\n");
    return Skin;
}

// The hint window of the hint picture, with or without its mask.
inline TTestSkinBuilder WithHintWindow(TTestSkinBuilder Skin, bool Mask)
{
    Skin.Keys("HINTWINDOW", std::string("windowpictureindex=3\n") + (Mask ? "maskpictureindex=4\n" : "") +
                                "lefttoppoint=6,6\nrighttoppoint=24,6\nleftbottompoint=6,24\nrightbottompoint=24,24\n"
                                "clientrect=6,6,24,24\nfontname=DejaVu Sans\nfontheight=13\nfontcolor=255\n"
                                "leftstretch=1\nrightstretch=1\ntopstretch=1\nbottomstretch=1\nstretcheffect=1\n");
    return Skin;
}

// A test skin, loaded. Keep it alive while menus use it.
struct TMenuSkin {
    TScratchFolder Scratch;
    std::string Dir = Scratch.Path();
    std::unique_ptr<TskSkinData> Skin;

    explicit TMenuSkin(const TTestSkinBuilder& Builder = MenuTestSkin()) : Skin(Builder.Load(Dir)) {}
};

// A control that records the menu messages it receives.
class TRecordingControl : public TCustomControl {
public:
    TRecordingControl(TComponent* AOwner, std::vector<std::string>* ALog) : TCustomControl(AOwner), Log(ALog) {}
    void WndProc(TMessage& M) override
    {
        if (M.Msg == WM_CLOSESKINMENU) Log->push_back("ctrl close");
        if (M.Msg == WM_AFTERSKINMENUCLICK) Log->push_back("ctrl after");
        TCustomControl::WndProc(M);
    }
    std::vector<std::string>* Log;
};

struct SkinMenuTest : ::testing::Test {
    THeadlessDriver Driver;
    TForm* Form = nullptr;
    TskFormFrame* Frame = nullptr;
    TskSkinMenu* Menu = nullptr;
    TskSkinPopupMenu* PM = nullptr;
    TMenuItem *Open = nullptr, *Save = nullptr, *Line = nullptr, *More = nullptr, *SubA = nullptr, *SubB = nullptr,
              *Off = nullptr, *Exit = nullptr;
    std::vector<std::string> Log;

    void SetUp() override
    {
        Form = new TForm(nullptr);
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(0, 0, 700, 500);
        Form->SetColor(clWhite);
        Frame = new TskFormFrame(Form);
        Menu = Frame->SkinMenu();
        auto formProc = Form->WindowProc;
        // Only watches what the form is told.
        Form->WindowProc = [this, formProc](TMessage& M) {
            if (M.Msg == WM_CLOSESKINMENU) Log.push_back("form close");
            formProc(M);
        };
        // Not owned by the form: a click handler may free the form while the item's handler runs.
        PM = new TskSkinPopupMenu(nullptr);
        PM->SetComponentForm(Form);
        Open = AddItem(PM->Items(), "&Open");
        Save = AddItem(PM->Items(), "Save");
        Save->SetShortCut(ShortCut('S', false, true, false));
        Line = AddItem(PM->Items(), "-");
        More = AddItem(PM->Items(), "&More");
        SubA = AddItem(More, "Sub A");
        SubB = AddItem(More, "Sub B");
        Off = AddItem(PM->Items(), "Disabled");
        Off->SetEnabled(false);
        Exit = AddItem(PM->Items(), "E&xit");
        Form->Show();
        // The pointer starts away from where the menus open (an earlier test may have left it anywhere).
        Driver.MoveTo(Point(690, 490));
        Driver.ProcessMessages();
    }
    void TearDown() override
    {
        if (Form != nullptr) Form->Free();
        PM->Free();
        Driver.ProcessMessages();
    }
    TMenuItem* AddItem(TMenuItem* parent, const std::string& caption)
    {
        auto* item = new TMenuItem(PM);
        item->SetCaption(caption);
        item->OnClick = [this, caption](TObject*) { Log.push_back("click " + caption); };
        parent->Add(item);
        return item;
    }
    // The way a control opens its context menu: through the skinned popup menu and the form's frame.
    void PopupAt(int x, int y, TskSkinData* skin = nullptr, TControl* ctrl = nullptr)
    {
        PM->SetSkinData(skin);
        PM->PopupFromRect(ctrl, Rect(x, y, x, y), false);
        Driver.ProcessMessages();
    }
    TskSkinPopupWindow* Window(int i) { return Menu->Windows(i); }
    // Screen point in the middle of item i of window w.
    TPoint ItemPoint(int w, int i)
    {
        TskSkinPopupWindow* win = Window(w);
        const TRect& r = win->Items(i)->ObjectRect;
        return Point(win->WindowPos().X + r.Left + 10, win->WindowPos().Y + (r.Top + r.Bottom) / 2);
    }
    // Moves the pointer there and lets the pointer watch see it.
    void HoverItem(int w, int i)
    {
        Driver.MoveTo(ItemPoint(w, i));
        Driver.AdvanceClock(SkinPopupCursorInterval);
    }
    TPixel At(int w, int x, int y) { return Driver.PixelAt(Window(w)->Handle(), x, y) & 0x00FFFFFF; }
    int Count(const std::string& entry) const { return static_cast<int>(std::count(Log.begin(), Log.end(), entry)); }
};

} // namespace menutest
