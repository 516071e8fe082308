#include "platform/vcl/TCustomTreeView.h"

#include <algorithm>

#include "platform/gfx/Drawing.h"
#include "platform/gfx/Text.h"
#include "platform/vcl/TCustomImageList.h"
#include "platform/vcl/TypInfo.h"
#include "platform/vcl/VclClasses.h"

// ---- TTreeNode ----

TTreeNode::~TTreeNode()
{
    for (TTreeNode* child : FChildren) delete child;
}

TCustomTreeView* TTreeNode::TreeView() const { return FOwner->Owner(); }

void TTreeNode::SetText(const std::string& Value)
{
    if (Value == FText) return;
    FText = Value;
    FOwner->Changed();
}

void TTreeNode::SetImageIndex(int Value)
{
    if (Value == FImageIndex) return;
    FImageIndex = Value;
    FOwner->Changed();
}

void TTreeNode::SetSelectedIndex(int Value)
{
    if (Value == FSelectedIndex) return;
    FSelectedIndex = Value;
    FOwner->Changed();
}

void TTreeNode::SetHasChildren(bool Value)
{
    if (Value == FHasChildren) return;
    FHasChildren = Value;
    FOwner->Changed();
}

TTreeNode* TTreeNode::Item(int Index) const
{
    if (Index < 0 || Index >= Count()) return nullptr;
    return FChildren[static_cast<size_t>(Index)];
}

int TTreeNode::Index() const
{
    if (!FParent) return -1;
    const auto& s = FParent->FChildren;
    return static_cast<int>(std::find(s.begin(), s.end(), this) - s.begin());
}

TTreeNode* TTreeNode::GetNextSibling() const { return FParent ? FParent->Item(Index() + 1) : nullptr; }

bool TTreeNode::IsVisible() const
{
    for (TTreeNode* p = FParent; p && p->FParent; p = p->FParent)
        if (!p->FExpanded) return false;
    return true;
}

bool TTreeNode::Selected() const { return TreeView()->Selected() == this; }

void TTreeNode::SetSelected(bool Value)
{
    if (Value)
        TreeView()->SetSelected(this);
    else if (Selected())
        TreeView()->SetSelected(nullptr);
}

void TTreeNode::Expand(bool Recurse)
{
    TCustomTreeView* view = TreeView();
    if (!FExpanded && HasChildren() && view->CanExpand(this)) {
        // The handler may have filled the node, or found nothing to show.
        if (!FChildren.empty()) FExpanded = true;
        FOwner->Changed();
        view->Expand(this);
    }
    if (Recurse)
        for (size_t i = 0; i < FChildren.size(); ++i) FChildren[i]->Expand(true);
}

void TTreeNode::Collapse(bool Recurse)
{
    TCustomTreeView* view = TreeView();
    if (FExpanded && view->CanCollapse(this)) {
        FExpanded = false;
        view->Collapse(this);
    }
    if (Recurse)
        for (TTreeNode* child : FChildren) child->Collapse(true);
}

void TTreeNode::DeleteChildren()
{
    // Children are taken out one at a time so a handler that reads the tree sees it consistent.
    while (!FChildren.empty()) FChildren.back()->Delete();
    FExpanded = false;
}

void TTreeNode::Delete()
{
    if (!FParent) return; // the unseen root is never deleted
    DeleteChildren();
    TCustomTreeView* view = TreeView();
    view->NodeDeleting(this);
    if (FOwner->OnDeletion) FOwner->OnDeletion(this);
    auto& s = FParent->FChildren;
    s.erase(std::find(s.begin(), s.end(), this));
    TTreeNodes* owner = FOwner;
    delete this;
    owner->Changed();
}

void TTreeNode::CustomSort(const std::function<int(TTreeNode*, TTreeNode*)>& Compare)
{
    if (!Compare) return;
    std::stable_sort(FChildren.begin(), FChildren.end(), [&](TTreeNode* a, TTreeNode* b) { return Compare(a, b) < 0; });
    FOwner->Changed();
}

// ---- TTreeNodes ----

TTreeNodes::TTreeNodes(TCustomTreeView* AOwner) : FOwner(AOwner), FRoot(this, nullptr)
{
    FRoot.FExpanded = true;
}

TTreeNodes::~TTreeNodes()
{
    for (TTreeNode* n : FRoot.FChildren) delete n;
    FRoot.FChildren.clear();
}

static int TextExtentOf(HDC dc, const std::string& S)
{
    TSize size{};
    GetTextExtentPoint32(dc, S, size);
    return size.cx;
}

static int CountBelow(const TTreeNode* Node)
{
    int n = Node->Count();
    for (int i = 0; i < Node->Count(); ++i) n += CountBelow(Node->Item(i));
    return n;
}

int TTreeNodes::Count() const { return CountBelow(&FRoot); }

TTreeNode* TTreeNodes::AddChildObject(TTreeNode* Parent, const std::string& S, void* Data)
{
    TTreeNode* parent = Parent ? Parent : &FRoot;
    auto* node = new TTreeNode(this, parent);
    node->FText = S;
    node->FData = Data;
    parent->FChildren.push_back(node);
    Changed();
    return node;
}

TTreeNode* TTreeNodes::Add(TTreeNode* Sibling, const std::string& S)
{
    return AddChild(Sibling && Sibling->Parent() != &FRoot ? Sibling->Parent() : nullptr, S);
}

TTreeNode* TTreeNodes::Insert(TTreeNode* Sibling, const std::string& S)
{
    if (!Sibling) return AddChild(nullptr, S);
    TTreeNode* parent = Sibling->FParent;
    auto* node = new TTreeNode(this, parent);
    node->FText = S;
    auto& s = parent->FChildren;
    s.insert(std::find(s.begin(), s.end(), Sibling), node);
    Changed();
    return node;
}

void TTreeNodes::Clear()
{
    BeginUpdate();
    FRoot.DeleteChildren();
    FRoot.FExpanded = true;
    EndUpdate();
}

void TTreeNodes::EndUpdate()
{
    if (FUpdateCount > 0 && --FUpdateCount == 0) Changed();
}

void TTreeNodes::Changed()
{
    if (FUpdateCount == 0) FOwner->NodesChanged();
}

// ---- TCustomTreeView ----

TCustomTreeView::TCustomTreeView(TComponent* AOwner) : TCustomControl(AOwner), FTreeNodes(new TTreeNodes(this))
{
    FControlStyle = {csSetCaption, csDoubleClicks, csOpaque, csCaptureMouse};
    FWidth = 121;
    FHeight = 97;
    FTabStop = true;
    FColor = clWindow;
    FParentColor = false;
}

TCustomTreeView::~TCustomTreeView()
{
    // Deletion handlers must not call back into a half-destroyed view.
    FTreeNodes->OnDeletion = nullptr;
    FSelected = nullptr;
    delete FTreeNodes;
}

void TCustomTreeView::CreateParams(TCreateParams& Params)
{
    TCustomControl::CreateParams(Params);
    Params.Style |= WS_VSCROLL | WS_HSCROLL;
    Params.ExStyle |= WS_EX_CLIENTEDGE;
}

int TCustomTreeView::ItemHeight() const
{
    HDC dc = CreateCompatibleDC(nullptr);
    HFONT old = SelectObject(dc, FFont->Handle());
    TEXTMETRIC tm;
    GetTextMetrics(dc, tm);
    SelectObject(dc, old);
    DeleteDC(dc);
    int h = static_cast<int>(tm.tmHeight) + 2;
    if (FImages) h = std::max(h, FImages->Height());
    return std::max(1, h);
}

static void CollectShown(TTreeNode* Node, std::vector<TTreeNode*>& Out)
{
    for (int i = 0; i < Node->Count(); ++i) {
        TTreeNode* child = Node->Item(i);
        Out.push_back(child);
        if (child->Expanded()) CollectShown(child, Out);
    }
}

std::vector<TTreeNode*> TCustomTreeView::VisibleNodes() const
{
    std::vector<TTreeNode*> out;
    CollectShown(&FTreeNodes->FRoot, out);
    return out;
}

int TCustomTreeView::VisibleCount() const { return std::max(1, ClientHeight() / ItemHeight()); }

int TCustomTreeView::RowOf(TTreeNode* Node) const
{
    const auto rows = VisibleNodes();
    auto it = std::find(rows.begin(), rows.end(), Node);
    return it == rows.end() ? -1 : static_cast<int>(it - rows.begin());
}

int TCustomTreeView::MaxTopRow() const
{
    return std::max(0, static_cast<int>(VisibleNodes().size()) - VisibleCount());
}

int TCustomTreeView::NodeLeft(TTreeNode* Node) const
{
    // Without ShowRoot the top level sits at the left edge, with no button column.
    const int level = Node->Level() - 1 + (FShowRoot ? 1 : 0);
    return 2 + level * FIndent - FHorzOffset;
}

TRect TCustomTreeView::NodeRect(TTreeNode* Node) const
{
    const int row = Node ? RowOf(Node) : -1;
    if (row < 0) return {};
    const int h = ItemHeight();
    return Rect(0, (row - FTopRow) * h, ClientWidth(), (row - FTopRow + 1) * h);
}

TRect TCustomTreeView::ButtonRect(TTreeNode* Node) const
{
    const TRect r = NodeRect(Node);
    const int x = NodeLeft(Node) - FIndent + (FIndent - 9) / 2;
    const int y = r.Top + (r.Height() - 9) / 2;
    return Rect(x, y, x + 9, y + 9);
}

int TCustomTreeView::ContentWidth() const
{
    HDC dc = CreateCompatibleDC(nullptr);
    HFONT old = SelectObject(dc, FFont->Handle());
    int w = 0;
    const int imageWidth = FImages ? FImages->Width() + 2 : 0;
    for (TTreeNode* n : VisibleNodes()) {
        const int level = n->Level() - 1 + (FShowRoot ? 1 : 0);
        w = std::max(w, 2 + level * FIndent + imageWidth + TextExtentOf(dc, n->Text()) + 6);
    }
    SelectObject(dc, old);
    DeleteDC(dc);
    return w;
}

TTreeNode* TCustomTreeView::GetNodeAt(int X, int Y) const
{
    if (Y < 0 || X < 0 || X >= ClientWidth()) return nullptr;
    const int row = FTopRow + Y / ItemHeight();
    const auto rows = VisibleNodes();
    return row < static_cast<int>(rows.size()) ? rows[static_cast<size_t>(row)] : nullptr;
}

void TCustomTreeView::UpdateScrollInfo()
{
    if (!HandleAllocated()) return;
    SCROLLINFO si;
    si.fMask = SIF_ALL;
    si.nMin = 0;
    si.nMax = std::max(0, static_cast<int>(VisibleNodes().size()) - 1);
    si.nPage = static_cast<UINT>(VisibleCount());
    si.nPos = FTopRow;
    SetScrollInfo(FHandle, SB_VERT, si);
    SCROLLINFO sh;
    sh.fMask = SIF_ALL;
    sh.nMin = 0;
    sh.nMax = std::max(0, ContentWidth() - 1);
    sh.nPage = static_cast<UINT>(std::max(1, ClientWidth()));
    sh.nPos = FHorzOffset;
    SetScrollInfo(FHandle, SB_HORZ, sh);
}

void TCustomTreeView::SetTopRow(int Value)
{
    Value = std::max(0, std::min(Value, MaxTopRow()));
    if (Value != FTopRow) {
        FTopRow = Value;
        Invalidate();
    }
    UpdateScrollInfo();
}

void TCustomTreeView::SetHorzOffset(int Value)
{
    Value = std::max(0, std::min(Value, ContentWidth() - ClientWidth()));
    if (Value != FHorzOffset) {
        FHorzOffset = Value;
        Invalidate();
    }
    UpdateScrollInfo();
}

void TCustomTreeView::MakeVisible(TTreeNode* Node)
{
    if (!Node) return;
    for (TTreeNode* p = Node->Parent(); p && p->Parent(); p = p->Parent())
        if (!p->Expanded()) p->Expand(false);
    const int row = RowOf(Node);
    if (row < 0) return;
    if (row < FTopRow)
        SetTopRow(row);
    else if (row >= FTopRow + VisibleCount())
        SetTopRow(row - VisibleCount() + 1);
}

void TCustomTreeView::SetSelected(TTreeNode* Value)
{
    if (Value == FSelected) return;
    FSelected = Value;
    if (Value) MakeVisible(Value);
    Invalidate();
    Change(Value);
}

void TCustomTreeView::Change(TTreeNode* Node)
{
    if (OnChange) OnChange(this, Node);
}

bool TCustomTreeView::CanExpand(TTreeNode* Node)
{
    bool allow = true;
    if (OnExpanding) OnExpanding(this, Node, allow);
    return allow;
}

void TCustomTreeView::Expand(TTreeNode* Node)
{
    if (OnExpanded) OnExpanded(this, Node);
}

bool TCustomTreeView::CanCollapse(TTreeNode* Node)
{
    bool allow = true;
    if (OnCollapsing) OnCollapsing(this, Node, allow);
    return allow;
}

void TCustomTreeView::Collapse(TTreeNode* Node)
{
    // A selection hidden inside the collapsed branch moves up to the branch.
    if (FSelected && FSelected != Node && !FSelected->IsVisible()) {
        for (TTreeNode* p = FSelected->Parent(); p; p = p->Parent())
            if (p == Node) {
                SetSelected(Node);
                break;
            }
    }
    if (OnCollapsed) OnCollapsed(this, Node);
    NodesChanged();
}

void TCustomTreeView::NodeDeleting(TTreeNode* Node)
{
    if (FSelected == Node) {
        // The selection never points at a freed node.
        FSelected = nullptr;
        if (!(ComponentState().Contains(csDestroying))) Change(nullptr);
    }
}

void TCustomTreeView::NodesChanged()
{
    if (FTopRow > MaxTopRow()) FTopRow = MaxTopRow();
    UpdateScrollInfo();
    Invalidate();
}

void TCustomTreeView::SetImages(TCustomImageList* Value)
{
    if (Value == FImages) return;
    FImages = Value;
    NodesChanged();
}

void TCustomTreeView::SetStateImages(TCustomImageList* Value)
{
    if (Value == FStateImages) return;
    FStateImages = Value;
    Invalidate();
}


void TCustomTreeView::SetShowRoot(bool Value)
{
    if (Value == FShowRoot) return;
    FShowRoot = Value;
    NodesChanged();
}

void TCustomTreeView::SetShowButtons(bool Value)
{
    if (Value == FShowButtons) return;
    FShowButtons = Value;
    Invalidate();
}

void TCustomTreeView::SetHideSelection(bool Value)
{
    if (Value == FHideSelection) return;
    FHideSelection = Value;
    Invalidate();
}

void TCustomTreeView::SetIndent(int Value)
{
    if (Value == FIndent || Value < 1) return;
    FIndent = Value;
    NodesChanged();
}

void TCustomTreeView::Resize()
{
    if (FTopRow > MaxTopRow()) FTopRow = MaxTopRow();
    UpdateScrollInfo();
    TCustomControl::Resize();
}

// ---- painting ----

void TCustomTreeView::Paint()
{
    TCanvas* c = Canvas();
    HDC dc = c->Handle();
    c->Font()->Assign(FFont);
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(FColor);
    c->FillRect(ClientRect());
    const auto rows = VisibleNodes();
    const int h = ItemHeight();
    for (int row = FTopRow; row < static_cast<int>(rows.size()); ++row) {
        TTreeNode* n = rows[static_cast<size_t>(row)];
        const int top = (row - FTopRow) * h;
        if (top >= ClientHeight()) break;
        int x = NodeLeft(n);
        if (FShowButtons && n->HasChildren() && (FShowRoot || n->Level() > 1)) {
            const TRect b = ButtonRect(n);
            c->Pen()->SetColor(clGray);
            c->Brush()->SetColor(FColor);
            c->Rectangle(b);
            c->Pen()->SetColor(FFont->Color());
            c->MoveTo(b.Left + 2, b.Top + 4);
            c->LineTo(b.Right - 2, b.Top + 4);
            if (!n->Expanded()) {
                c->MoveTo(b.Left + 4, b.Top + 2);
                c->LineTo(b.Left + 4, b.Bottom - 2);
            }
        }
        if (FImages) {
            const int index = n == FSelected && n->SelectedIndex() >= 0 ? n->SelectedIndex() : n->ImageIndex();
            if (index >= 0 && index < FImages->Count()) FImages->Draw(c, x, top + (h - FImages->Height()) / 2, index, FEnabled);
            x += FImages->Width() + 2;
        }
        const int textWidth = c->TextWidth(n->Text()) + 4;
        const TRect tr = Rect(x, top, x + textWidth, top + h);
        const bool showSelected = n == FSelected && (Focused() || !FHideSelection);
        c->Brush()->SetColor(showSelected ? clHighlight : FColor);
        c->Font()->SetColor(showSelected ? clHighlightText : FFont->Color());
        c->FillRect(tr);
        c->Brush()->SetStyle(bsClear);
        c->TextOut(x + 2, top + (h - c->TextHeight("Wg")) / 2, n->Text());
        c->Brush()->SetStyle(bsSolid);
        if (n == FSelected && Focused()) DrawFocusRect(dc, tr);
    }
}

// ---- input ----

void TCustomTreeView::ToggleNode(TTreeNode* Node)
{
    if (!Node) return;
    if (Node->Expanded())
        Node->Collapse(false);
    else
        Node->Expand(false);
}

void TCustomTreeView::TreeKeyDown(WORD Key)
{
    const auto rows = VisibleNodes();
    if (rows.empty()) return;
    int row = FSelected ? RowOf(FSelected) : -1;
    const int last = static_cast<int>(rows.size()) - 1;
    auto go = [&](int r) { SetSelected(rows[static_cast<size_t>(std::max(0, std::min(r, last)))]); };
    switch (Key) {
    case VK_UP: go(row < 0 ? 0 : row - 1); break;
    case VK_DOWN: go(row + 1); break;
    case VK_HOME: go(0); break;
    case VK_END: go(last); break;
    case VK_PRIOR: go(row - std::max(1, VisibleCount() - 1)); break;
    case VK_NEXT: go(row + std::max(1, VisibleCount() - 1)); break;
    case VK_RIGHT:
    case VK_ADD:
        if (!FSelected) break;
        if (!FSelected->Expanded() && FSelected->HasChildren())
            FSelected->Expand(false);
        else if (Key == VK_RIGHT && FSelected->GetFirstChild())
            SetSelected(FSelected->GetFirstChild());
        break;
    case VK_LEFT:
    case VK_SUBTRACT:
        if (!FSelected) break;
        if (FSelected->Expanded())
            FSelected->Collapse(false);
        else if (Key == VK_LEFT && FSelected->Parent() && FSelected->Parent()->Parent())
            SetSelected(FSelected->Parent());
        break;
    default: break;
    }
}

void TCustomTreeView::ScrollMessage(bool Vertical, int Code, int Pos)
{
    const int page = Vertical ? std::max(1, VisibleCount() - 1) : std::max(1, ClientWidth() - 10);
    const int line = Vertical ? 1 : 10;
    const int cur = Vertical ? FTopRow : FHorzOffset;
    int next = cur;
    switch (Code) {
    case SB_LINEUP: next = cur - line; break;
    case SB_LINEDOWN: next = cur + line; break;
    case SB_PAGEUP: next = cur - page; break;
    case SB_PAGEDOWN: next = cur + page; break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: next = Pos; break;
    case SB_TOP: next = 0; break;
    case SB_BOTTOM: next = 1 << 30; break;
    default: return;
    }
    if (Vertical)
        SetTopRow(next);
    else
        SetHorzOffset(next);
}

void TCustomTreeView::DefaultHandler(TMessage& Message)
{
    if (Message.Msg == WM_KEYDOWN) {
        TreeKeyDown(static_cast<WORD>(Message.WParam));
        return;
    }
    TCustomControl::DefaultHandler(Message);
}

void TCustomTreeView::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_GETDLGCODE: Message.Result = DLGC_WANTARROWS; return;
    case WM_ERASEBKGND: Message.Result = 1; return;
    case WM_VSCROLL: ScrollMessage(true, LOWORD(Message.WParam), static_cast<short>(HIWORD(Message.WParam))); return;
    case WM_HSCROLL: ScrollMessage(false, LOWORD(Message.WParam), static_cast<short>(HIWORD(Message.WParam))); return;
    case WM_MOUSEWHEEL: {
        const int delta = static_cast<short>(HIWORD(Message.WParam));
        SetTopRow(FTopRow + (delta > 0 ? -3 : 3));
        return;
    }
    case TVM_GETCOUNT: Message.Result = FTreeNodes->Count(); return;
    case TVM_GETVISIBLECOUNT: Message.Result = VisibleCount(); return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        TCustomControl::WndProc(Message);
        Invalidate();
        return;
    case CM_FONTCHANGED:
        TCustomControl::WndProc(Message);
        NodesChanged();
        return;
    default: TCustomControl::WndProc(Message);
    }
}

void TCustomTreeView::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (Button == mbLeft && CanFocus() && !Focused()) SetFocus();
    TTreeNode* n = GetNodeAt(X, Y);
    // The change handler may free the view.
    const auto alive = FAlive.Watch();
    if (n && Button == mbLeft) {
        const TRect b = ButtonRect(n);
        const bool onButton = FShowButtons && n->HasChildren() && X >= b.Left - 2 && X < b.Right + 2;
        if (onButton || Shift.Contains(ssDouble))
            ToggleNode(n);
        else
            SetSelected(n);
    } else if (n && Button == mbRight && FRightClickSelect) {
        SetSelected(n);
    }
    if (*alive) TCustomControl::MouseDown(Button, Shift, X, Y);
}

void RegisterTreeViewClasses()
{
    static const bool done = [] {
        RegisterFormClasses();
        RegisterClass<TCustomTreeView, TCustomControl>("TCustomTreeView")
            .Prop("Images", &TCustomTreeView::Images, &TCustomTreeView::SetImages)
            .Prop("StateImages", &TCustomTreeView::StateImages, &TCustomTreeView::SetStateImages)
            .Prop("ShowRoot", &TCustomTreeView::ShowRoot, &TCustomTreeView::SetShowRoot, true)
            .Prop("ShowButtons", &TCustomTreeView::ShowButtons, &TCustomTreeView::SetShowButtons, true)
            .Prop("RightClickSelect", &TCustomTreeView::RightClickSelect, &TCustomTreeView::SetRightClickSelect, false)
            .Prop("HideSelection", &TCustomTreeView::HideSelection, &TCustomTreeView::SetHideSelection, true)
            .Prop("Indent", &TCustomTreeView::Indent, &TCustomTreeView::SetIndent, 19)
            .Ignored({"BorderStyle", "ReadOnly", "ShowLines", "HotTrack", "RowSelect", "ToolTips", "ChangeDelay",
                "AutoExpand", "SortType", "BevelInner", "BevelOuter", "BevelKind"});
        RegisterClass<TTreeView, TCustomTreeView>("TTreeView");
        return true;
    }();
    (void)done;
}
