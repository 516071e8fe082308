#pragma once
// One top-level item of the form's main menu when the frame draws that menu itself: a skin object made
// from the skin entry "MAINMENUITEM" and linked to the menu item. Pressing it runs the item or drops
// its sub-items down through the frame's skin menu; moving to another item while a menu is open moves
// the open menu along.
#include <string>

#include "platform/gfx/Colors.h"
#include "platform/rtl/Types.h"
#include "skin/data/SkinEntryFont.h"
#include "skin/data/SkinValueTypes.h"
#include "skin/form/TskActiveSkinObject.h"

class TMenuItem;

// The font (TskEntryFont) is the one of the menu item entry the object is made from.
class TskSkinMainMenuItem : public TskActiveSkinObject, public TskEntryFont {
public:
    // AMenuItem is the top-level item shown; IDName becomes its component name and Enabled its
    // Enabled.
    TskSkinMainMenuItem(TskFormFrame* AParent, TskDataSkinObject* AData, TMenuItem* AMenuItem);

    void Draw(TCanvas* Cnvs, bool UpDate) override;
    void MouseDown(int X, int Y, TMouseButton Button) override;
    void MouseEnter() override;
    void MouseLeave() override;
    // The frame's skin menu closed: an open item is released.
    void MenuClosed() override;

    // Opens (True) or releases (False) the item's sub-items.
    void SetDown(bool Value);
    // The width the item needs: its caption in the item font plus the left and right offsets.
    int ItemWidth() const;
    // The caption drawn (the menu item's, with its accelerator mark).
    std::string Caption() const;

    TMenuItem* MenuItem = nullptr; // not owned: the menu outlives the frame's skin objects
    bool Down = false;
    // Enabled as the menu item had it, kept while the frame disables an item that does not fit.
    bool SavedEnabled = true;

    TRect DownRect;
    TRect TextRect;
    int ItemLeftOffset = 0;
    int ItemRightOffset = 0;
    bool StretchEffect = false;
    TColor ActiveFontColor = 0;
    TColor DownFontColor = 0;
    TColor UnEnabledFontColor = 0;

private:
    // The item image at the object's width, composed from rectangle R of its picture.
    void ComposeImage(TBitmap* B, TBitmap* Source, const TRect& R) const;
    TRect DownImageRect() const;
    TskSkinMainMenuItem* OtherDownItem() const;
    void RedrawNow();
    void OpenSubItems();
};
