#pragma once
// The skinned tree view: the tree view without bars or border of its own. Its scroll state is
// mirrored into external skinned scroll bars (shown only while there is something to scroll) and
// moving those bars scrolls the tree. Font and colours come from the skin entry "treeview", or from
// DefaultFont and DefaultColor without one. The base of the shell folder tree.
#include "platform/vcl/TCustomTreeView.h"
#include "skin/controls/TskSkinScrolledView.h"

class TskDataSkinTreeView;

class TskSkinCustomTreeView : public TskSkinScrolledView<TCustomTreeView, TskDataSkinTreeView> {
public:
    explicit TskSkinCustomTreeView(TComponent* AOwner);

    virtual void RefreshTreeViewSkin();
    void UpdateScrollBars() override;

protected:
    void WndProc(TMessage& Message) override;
    void Change(TTreeNode* Node) override;
    void RefreshViewSkin() override { RefreshTreeViewSkin(); }
    void OnVScrollBarChange(TObject* Sender) override;
    void OnHScrollBarChange(TObject* Sender) override;
};

extern template class TskSkinScrolledView<TCustomTreeView, TskDataSkinTreeView>;

// Tells the form reader about TskSkinCustomTreeView.
void RegisterSkinTreeViewClass();
