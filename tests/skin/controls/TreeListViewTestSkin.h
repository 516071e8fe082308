#pragma once
// The controls test skin with a "treeview" and a "listview" entry added.
#include "SkinControlsTestSupport.h"

namespace skintest {

constexpr TColor cViewBg = 0x00204060;   // tree and list background from the skin
constexpr TColor cViewText = 0x000000FF; // their text colour

// Background is the views' background colour.
inline TTestSkinBuilder TreeListTestSkin(TColor Background = cViewBg)
{
    const std::string view = "fontname=DejaVu Sans\nfontheight=13\nfontcolor=" + std::to_string(cViewText) +
                             "\nbgcolor=" + std::to_string(Background) + "\n";
    TTestSkinBuilder skin = ControlsTestSkin();
    skin.Control("treeview", "treeview", view).Control("listview", "listview", view);
    return skin;
}

struct TTreeListSkin : TLoadedTestSkin {
    TTreeListSkin() : TLoadedTestSkin(TreeListTestSkin()) {}
};

using TreeListFormTest = TSkinFormTest<TTreeListSkin, 500, 400>;

} // namespace skintest
