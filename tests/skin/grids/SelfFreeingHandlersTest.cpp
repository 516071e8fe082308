// Handlers that free their own grid or file list: the cell, scrolling and click events fired from the
// grid's own mouse and key handling, and the file list's change, end quietly once they freed it.
#include <gtest/gtest.h>

#include "skin/controls/SelfFreeingTestSupport.h"
#include "skin/grids/TskSkinDrawGrid.h"
#include "skin/grids/TskSkinFileListBox.h"

using namespace skintest;

namespace {

TskSkinDrawGrid* Grid(TForm* F)
{
    auto* g = Put<TskSkinDrawGrid>(F, 300, 200);
    g->SetRowCount(60);
    return g;
}

// The second data row of the first data column.
void ClickCell(THeadlessDriver& D, TControl* C)
{
    const TRect r = static_cast<TskSkinDrawGrid*>(C)->CellRect(1, 2);
    D.Click(Inside(C, r));
}

const SelfFreeingCase Cases[] = {
    {"DrawGridSelectCellByMouse",
     [](TForm* F, const std::function<void()>& Free) {
         auto* g = Grid(F);
         g->OnSelectCell = [Free](TObject*, int, int, bool&) { Free(); };
         return static_cast<TControl*>(g);
     },
     ClickCell},
    {"DrawGridSelectCellByKey",
     [](TForm* F, const std::function<void()>& Free) {
         auto* g = Grid(F);
         g->OnSelectCell = [Free](TObject*, int, int, bool&) { Free(); };
         return static_cast<TControl*>(g);
     },
     [](THeadlessDriver& D, TControl* C) { FocusAndPress(D, C, VK_DOWN); }},
    {"DrawGridClickByMouse",
     [](TForm* F, const std::function<void()>& Free) {
         auto* g = Grid(F);
         g->OnClick = [Free](TObject*) { Free(); };
         return static_cast<TControl*>(g);
     },
     ClickCell},
    {"DrawGridClickByKey",
     [](TForm* F, const std::function<void()>& Free) {
         auto* g = Grid(F);
         g->OnClick = [Free](TObject*) { Free(); };
         return static_cast<TControl*>(g);
     },
     [](THeadlessDriver& D, TControl* C) { FocusAndPress(D, C, VK_DOWN); }},
    {"DrawGridEditingClickByMouse",
     [](TForm* F, const std::function<void()>& Free) {
         auto* g = Grid(F);
         g->SetOptions(g->Options() + goEditing);
         g->OnClick = [Free](TObject*) { Free(); };
         return static_cast<TControl*>(g);
     },
     ClickCell},
    {"DrawGridTopLeftChangedByKey",
     [](TForm* F, const std::function<void()>& Free) {
         auto* g = Grid(F);
         g->OnTopLeftChanged = [Free](TObject*) { Free(); };
         return static_cast<TControl*>(g);
     },
     [](THeadlessDriver& D, TControl* C) { FocusAndPress(D, C, VK_NEXT); }},
    {"FileListChangeByMouse",
     [](TForm* F, const std::function<void()>& Free) {
         auto* l = Put<TskSkinFileListBox>(F, 200, 150);
         l->SetDirectory(OMBRIX_SOURCE_DIR);
         l->OnChange = [Free](TObject*) { Free(); };
         return static_cast<TControl*>(l);
     },
     [](THeadlessDriver& D, TControl* C) {
         const TRect r = static_cast<TskSkinFileListBox*>(C)->ListBoxRect();
         D.Click(C->ClientToScreen(Point(r.Left + 5, r.Top + 5)));
     }},
};

} // namespace

TEST_P(SelfFreeing, TheEventEndsThere_AndTheFormGoesOn) { Check(); }

INSTANTIATE_TEST_SUITE_P(Grids, SelfFreeing, ::testing::ValuesIn(Cases),
                         [](const auto& Info) { return Info.param.Name; });
