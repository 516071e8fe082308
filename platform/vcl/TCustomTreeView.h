#pragma once
// The tree view: a tree of nodes (text, data, image indexes, a children flag for nodes filled on
// demand), expanding and collapsing with events that may refuse, one selected node, keyboard and mouse
// navigation, and the scroll state (SB_VERT in rows, SB_HORZ in pixels) that WM_VSCROLL / WM_HSCROLL
// read and move and that skinned bars mirror.
#include <functional>
#include <string>
#include <vector>

#include "platform/vcl/ScrollInfo.h"
#include "platform/vcl/TCustomControl.h"

class TCustomImageList;
class TCustomTreeView;
class TTreeNodes;

// Tree view messages the scroll mirroring asks.
constexpr UINT TVM_GETCOUNT = 0x1105;
constexpr UINT TVM_GETVISIBLECOUNT = 0x1110;

class TTreeNode {
public:
    TTreeNode(TTreeNodes* AOwner, TTreeNode* AParent) : FOwner(AOwner), FParent(AParent) {}
    ~TTreeNode();
    TTreeNode(const TTreeNode&) = delete;
    TTreeNode& operator=(const TTreeNode&) = delete;

    const std::string& Text() const { return FText; }
    void SetText(const std::string& Value);
    void* Data() const { return FData; }
    void SetData(void* Value) { FData = Value; }
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    int SelectedIndex() const { return FSelectedIndex; }
    void SetSelectedIndex(int Value);
    // Shows an expand button before any child exists, for nodes filled when first expanded.
    bool HasChildren() const { return FHasChildren || !FChildren.empty(); }
    void SetHasChildren(bool Value);
    bool Expanded() const { return FExpanded; }
    void Expand(bool Recurse);
    void Collapse(bool Recurse);
    bool Selected() const;
    void SetSelected(bool Value);

    TTreeNode* Parent() const { return FParent; }
    int Count() const { return static_cast<int>(FChildren.size()); }
    TTreeNode* Item(int Index) const;
    TTreeNode* GetFirstChild() const { return FChildren.empty() ? nullptr : FChildren.front(); }
    TTreeNode* GetNextSibling() const;
    int Index() const;
    int Level() const { return FParent ? FParent->Level() + 1 : 0; }
    // True when every ancestor is expanded.
    bool IsVisible() const;
    TTreeNodes* Owner() const { return FOwner; }
    TCustomTreeView* TreeView() const;
    // Frees the node and its children (the view forgets them first).
    void Delete();
    void DeleteChildren();
    // Orders the children by Compare (negative: a before b); a stable sort.
    void CustomSort(const std::function<int(TTreeNode*, TTreeNode*)>& Compare);

private:
    friend class TTreeNodes;
    friend class TCustomTreeView;
    TTreeNodes* FOwner;
    TTreeNode* FParent;
    std::vector<TTreeNode*> FChildren; // owned
    std::string FText;
    void* FData = nullptr;
    int FImageIndex = -1;
    int FSelectedIndex = -1;
    bool FHasChildren = false;
    bool FExpanded = false;
};

// All nodes of one view; the top-level nodes are children of an unseen root.
class TTreeNodes {
public:
    explicit TTreeNodes(TCustomTreeView* AOwner);
    ~TTreeNodes();
    TTreeNodes(const TTreeNodes&) = delete;
    TTreeNodes& operator=(const TTreeNodes&) = delete;

    // Every node, at any depth.
    int Count() const;
    TTreeNode* GetFirstNode() const { return FRoot.GetFirstChild(); }
    // A last child of Parent (nil: a top-level node).
    TTreeNode* AddChild(TTreeNode* Parent, const std::string& S) { return AddChildObject(Parent, S, nullptr); }
    TTreeNode* AddChildObject(TTreeNode* Parent, const std::string& S, void* Data);
    // A last sibling of Sibling (nil: a top-level node).
    TTreeNode* Add(TTreeNode* Sibling, const std::string& S);
    // A new node just before Sibling, at its level.
    TTreeNode* Insert(TTreeNode* Sibling, const std::string& S);
    void Delete(TTreeNode* Node) { Node->Delete(); }
    void Clear();
    void BeginUpdate() { ++FUpdateCount; }
    void EndUpdate();
    TCustomTreeView* Owner() const { return FOwner; }
    // Called for each node as it goes; the shell tree frees its folder objects here.
    std::function<void(TTreeNode*)> OnDeletion;

private:
    friend class TTreeNode;
    friend class TCustomTreeView;
    void Changed();
    TCustomTreeView* FOwner;
    TTreeNode FRoot;
    int FUpdateCount = 0;
};

using TTVChangedEvent = std::function<void(TObject* Sender, TTreeNode* Node)>;
using TTVExpandingEvent = std::function<void(TObject* Sender, TTreeNode* Node, bool& AllowExpansion)>;
using TTVExpandedEvent = std::function<void(TObject* Sender, TTreeNode* Node)>;

class TCustomTreeView : public TCustomControl {
public:
    explicit TCustomTreeView(TComponent* AOwner);
    ~TCustomTreeView() override;

    TTreeNodes* Items() const { return FTreeNodes; }
    TTreeNode* Selected() const { return FSelected; }
    void SetSelected(TTreeNode* Value);
    // The first row shown.
    int TopRow() const { return FTopRow; }
    void SetTopRow(int Value);
    int HorzOffset() const { return FHorzOffset; }
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* Value);
    TCustomImageList* StateImages() const { return FStateImages; }
    void SetStateImages(TCustomImageList* Value);
    bool ShowRoot() const { return FShowRoot; }
    void SetShowRoot(bool Value);
    bool ShowButtons() const { return FShowButtons; }
    void SetShowButtons(bool Value);
    bool RightClickSelect() const { return FRightClickSelect; }
    void SetRightClickSelect(bool Value) { FRightClickSelect = Value; }
    bool HideSelection() const { return FHideSelection; }
    void SetHideSelection(bool Value);
    int Indent() const { return FIndent; }
    void SetIndent(int Value);

    int ItemHeight() const;
    // Rows whose nodes are shown (every ancestor expanded), top to bottom.
    std::vector<TTreeNode*> VisibleNodes() const;
    // Whole rows that fit in the client area (at least 1).
    int VisibleCount() const;
    TTreeNode* GetNodeAt(int X, int Y) const;
    // The node's row in client coordinates (empty when the node is not shown).
    TRect NodeRect(TTreeNode* Node) const;
    void MakeVisible(TTreeNode* Node);

    TTVChangedEvent OnChange;
    TTVExpandingEvent OnExpanding;
    TTVExpandedEvent OnExpanded;
    TTVExpandingEvent OnCollapsing;
    TTVExpandedEvent OnCollapsed;

protected:
    friend class TTreeNode;
    friend class TTreeNodes;
    // Asked before a node opens; the default fires OnExpanding.
    virtual bool CanExpand(TTreeNode* Node);
    virtual void Expand(TTreeNode* Node);
    virtual bool CanCollapse(TTreeNode* Node);
    virtual void Collapse(TTreeNode* Node);
    // After the selection moved (also to nil).
    virtual void Change(TTreeNode* Node);
    // A node is about to go: drop every reference to it.
    virtual void NodeDeleting(TTreeNode* Node);
    void NodesChanged();

    void CreateParams(TCreateParams& Params) override;
    void Paint() override;
    void WndProc(TMessage& Message) override;
    void DefaultHandler(TMessage& Message) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void Resize() override;
    void UpdateScrollInfo();

private:
    int RowOf(TTreeNode* Node) const;
    int NodeLeft(TTreeNode* Node) const;
    TRect ButtonRect(TTreeNode* Node) const;
    int ContentWidth() const;
    int MaxTopRow() const;
    void SetHorzOffset(int Value);
    void ToggleNode(TTreeNode* Node);
    void TreeKeyDown(WORD Key);
    void ScrollMessage(bool Vertical, int Code, int Pos);

    TTreeNodes* FTreeNodes;
    TTreeNode* FSelected = nullptr;
    TComponentLink<TCustomImageList> FImages{this};
    TComponentLink<TCustomImageList> FStateImages{this};
    int FTopRow = 0;
    int FHorzOffset = 0;
    int FIndent = 19;
    bool FShowRoot = true;
    bool FShowButtons = true;
    bool FRightClickSelect = false;
    bool FHideSelection = true;
};

class TTreeView : public TCustomTreeView {
public:
    using TCustomTreeView::TCustomTreeView;
};

void RegisterTreeViewClasses();
