// The MDI tab bar: its layout, painting, pointer handling (switching, dragging, closing, the child
// system menu) and the two child-list menus (see TskSkinMDITabsBar.h).
#include "skin/form/TskSkinMDITabsBar.h"

#include <algorithm>

#include "platform/vcl/Graphics.h"
#include "platform/vcl/TBitmap.h"
#include "platform/vcl/TCanvas.h"
#include "platform/vcl/TForm.h"
#include "platform/vcl/TMenu.h"
#include "platform/vcl/TypInfo.h"
#include "platform/vcl/TApplication.h"
#include "skin/controls/SkinButtonLook.h"
#include "skin/controls/TskSkinMenuSpeedButton.h"
#include "skin/data/SkinDrawUtils.h"
#include "skin/data/SkinEntryFont.h"
#include "skin/data/SkinImages.h"
#include "skin/data/TskDataSkinButtonControl.h"
#include "skin/data/TskDataSkinMainMenuBar.h"
#include "skin/data/TskSkinData.h"
#include "skin/form/TskFormFrame.h"
#include "skin/form/TskSkinPopupMenu.h"

namespace {

// Width of each of the two menu buttons at the bar's ends.
constexpr int MenuButtonWidth = 15;
// Width of a tab's close button without a skin.
constexpr int DefaultCloseWidth = 14;
const std::string AllSuffix = "_SKFCHILDITEMBAR";
const std::string HiddenSuffix = "_SKFCHILDITEMBARHIDE";

TskDataSkinButtonControl* ButtonEntry(TskSkinData* Skin, const std::string& Name)
{
    if (Skin == nullptr || Skin->SkinEmpty) return nullptr;
    const int index = Skin->FindControlIndex(Name);
    if (index < 0) return nullptr;
    return dynamic_cast<TskDataSkinButtonControl*>(Skin->ControlDataList[static_cast<std::size_t>(index)].get());
}

TBitmap* PictureOf(TskSkinData* Skin, const TskDataSkinControl* Entry)
{
    if (Skin == nullptr || Entry == nullptr || Entry->PictureIndex < 0
        || Entry->PictureIndex >= static_cast<int>(Skin->ActivePictures.size()))
        return nullptr;
    TBitmap* b = Skin->ActivePictures[static_cast<std::size_t>(Entry->PictureIndex)].get();
    return b != nullptr && !b->Empty() ? b : nullptr;
}

// R of Picture composed to Width (ends kept, middle tiled or stretched) and drawn at (X, Y).
void DrawComposed(TCanvas* C, TBitmap* Picture, const TRect& R, int LeftOffset, int RightOffset, int X, int Y, int Width,
    bool Stretch)
{
    if (Picture == nullptr || R.IsEmpty() || Width <= 0) return;
    TBitmap b;
    CreateHSkinImage(LeftOffset, RightOffset, &b, Picture, R, Width, R.Height(), Stretch);
    C->Draw(X, Y, &b);
}

// Restores a minimized child's frame and brings the child to the front of its client.
void BringChildForward(TCustomForm* Child)
{
    if (TskFormFrame* f = FindSkinFormComponent(Child); f != nullptr && f->Minimized()) f->SetFrameWindowState(FrameStateNormal);
    Child->Show();
}

} // namespace

TskSkinMDITabsBar::TskSkinMDITabsBar(TComponent* AOwner) : TskSkinControl(AOwner)
{
    FDefaultFont = std::make_unique<TFont>();
    FDefaultFont->SetName("Arial");
    FDefaultFont->SetHeight(14);
    FAllMenu = new TskSkinPopupMenu(this);
    FAllMenu->OnPopup = [this](TObject*) { RebuildChildMenu(false); };
    FHiddenMenu = new TskSkinPopupMenu(this);
    FHiddenMenu->OnPopup = [this](TObject*) { RebuildChildMenu(true); };
    SetSkinDataName("tab");
    SetBounds(0, 0, 150, FDefaultHeight);
}

TskSkinMDITabsBar::~TskSkinMDITabsBar() { FTabs.clear(); }

// ---- Properties ----

void TskSkinMDITabsBar::SetFormFrame(TskFormFrame* Value)
{
    if (Value == FFormFrame) return;
    FFormFrame = Value;
}

void TskSkinMDITabsBar::SetTabKind(TskSkinMDITabKind Value)
{
    if (Value == FTabKind) return;
    FTabKind = Value;
    ApplySkinHeight();
    Relayout();
}

void TskSkinMDITabsBar::SetShowCloseButtons(bool Value)
{
    if (Value == FShowCloseButtons) return;
    FShowCloseButtons = Value;
    Invalidate();
}

void TskSkinMDITabsBar::SetUseSkinSize(bool Value)
{
    if (Value == FUseSkinSize) return;
    FUseSkinSize = Value;
    ApplySkinHeight();
}

void TskSkinMDITabsBar::SetUseSkinFont(bool Value)
{
    if (Value == FUseSkinFont) return;
    FUseSkinFont = Value;
    Invalidate();
}

void TskSkinMDITabsBar::SetDefaultHeight(int Value)
{
    if (Value == FDefaultHeight) return;
    FDefaultHeight = Value;
    ApplySkinHeight();
}

void TskSkinMDITabsBar::SetDefaultFont(TFont* Value)
{
    FDefaultFont->Assign(Value);
    Invalidate();
}

void TskSkinMDITabsBar::SetDefaultTabWidth(int Value)
{
    if (Value == FDefaultTabWidth) return;
    FDefaultTabWidth = Value;
    Relayout();
}

void TskSkinMDITabsBar::SetMinTabWidth(int Value)
{
    if (Value == FMinTabWidth) return;
    FMinTabWidth = std::max(0, Value);
    Relayout();
}

// Beyond its links, the bar keeps a tab for each child form it was told of: the tab goes with its child.
void TskSkinMDITabsBar::Notification(TComponent* AComponent, TOperation Operation)
{
    TskSkinControl::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    // A child freed without its frame telling us still takes its tab along. Its form is half gone
    // already: no handler hears of its tab.
    for (int i = 0; i < TabCount(); ++i)
        if (static_cast<const TComponent*>(Tabs(i)->Child) == AComponent) {
            RemoveTabAt(i);
            if (!ComponentState().Contains(csDestroying)) Relayout();
            break;
        }
}

// ---- Tabs ----

TskMDITab* TskSkinMDITabsBar::Tabs(int Index) const
{
    return Index >= 0 && Index < TabCount() ? FTabs[static_cast<std::size_t>(Index)].get() : nullptr;
}

int TskSkinMDITabsBar::IndexOfChild(const TCustomForm* Child) const
{
    for (int i = 0; i < TabCount(); ++i)
        if (FTabs[static_cast<std::size_t>(i)]->Child == Child) return i;
    return -1;
}

void TskSkinMDITabsBar::AddTab(TCustomForm* Child)
{
    if (Child == nullptr || IndexOfChild(Child) >= 0) return;
    FTabs.push_back(std::make_unique<TskMDITab>(this, Child));
    Child->FreeNotification(this);
    UpdateTabs();
    Relayout();
}

void TskSkinMDITabsBar::DeleteTab(TCustomForm* Child)
{
    const int index = IndexOfChild(Child);
    if (index >= 0) {
        if (FHovered == index && OnTabMouseLeave) OnTabMouseLeave(Tabs(index));
        RemoveTabAt(IndexOfChild(Child));
        Child->RemoveFreeNotification(this);
    }
    Relayout();
}

void TskSkinMDITabsBar::RemoveTabAt(int Index)
{
    if (Index < 0 || Index >= TabCount()) return;
    for (int* gone : {&FHovered, &FOldHovered})
        if (*gone == Index) *gone = -1;
    if (FDragIndex == Index) {
        FDragIndex = -1;
        FDragging = false;
    }
    FTabs.erase(FTabs.begin() + Index);
    // The tabs to its right move one place left: the hovered and the dragged tab stay the same tabs.
    for (int* kept : {&FHovered, &FOldHovered, &FDragIndex})
        if (*kept > Index) --*kept;
}

void TskSkinMDITabsBar::UpdateTabs()
{
    TCustomForm* main = Application != nullptr ? Application->MainForm() : nullptr;
    TCustomForm* active = main != nullptr ? main->ActiveMDIChild() : nullptr;
    for (const auto& t : FTabs) t->Active = t->Child == active;
    Invalidate();
}

// ---- Layout ----

int TskSkinMDITabsBar::BottomLineHeight() const
{
    const auto* e = dynamic_cast<const TskDataSkinTabControl*>(SkinEntry());
    if (FTabKind != sktkTab || e == nullptr) return 0;
    // The rows of the entry where the tabs meet the page below them.
    const int rows = e->ClientRect.Top - e->TabRect.Height();
    return rows > 0 ? std::min(rows, 4) : 3;
}

void TskSkinMDITabsBar::ApplySkinHeight()
{
    const auto* e = dynamic_cast<const TskDataSkinTabControl*>(SkinEntry());
    const int h = FUseSkinSize && e != nullptr && !e->TabRect.IsEmpty() ? e->TabRect.Height() + BottomLineHeight() : FDefaultHeight;
    if (h > 0 && h != Height()) SetHeight(h);
}

void TskSkinMDITabsBar::RefreshSkin()
{
    TskSkinControl::RefreshSkin();
    ApplySkinHeight();
    if (FAllButton != nullptr) FAllButton->SetSkinData(SkinData());
    if (FHiddenButton != nullptr) FHiddenButton->SetSkinData(SkinData());
    Relayout();
}

void TskSkinMDITabsBar::LayoutTabs()
{
    FHiddenCount = 0;
    const int n = TabCount();
    // No tabs (at creation, after the last child closed): nothing to share the width among.
    if (n == 0) return;
    const int available = std::max(0, Width() - MenuButtonWidth);
    const int height = std::max(0, Height() - BottomLineHeight());
    const int w = std::max(0, std::min(available / n, FDefaultTabWidth));
    if (FMinTabWidth == 0 || w >= FMinTabWidth) {
        int x = MenuButtonWidth;
        for (int i = 0; i < n; ++i) {
            TskMDITab* t = Tabs(i);
            t->Visible = true;
            t->TabRect = TRect{x, 0, x + w, height};
            x += w;
        }
        if (w < FDefaultTabWidth) Tabs(n - 1)->TabRect.Right = std::max(Tabs(n - 1)->TabRect.Left, Width());
    } else {
        const int fit = std::clamp((Width() - 2 * MenuButtonWidth) / FMinTabWidth, 0, n);
        for (int i = 0; i < n; ++i) {
            TskMDITab* t = Tabs(i);
            t->Visible = i < fit;
            t->TabRect = t->Visible ? TRect{MenuButtonWidth + i * FMinTabWidth, 0, MenuButtonWidth + (i + 1) * FMinTabWidth, height} : TRect{};
            if (!t->Visible) ++FHiddenCount;
        }
    }
    if (FDragging && FDragIndex >= 0 && FDragIndex < n) {
        TRect& r = Tabs(FDragIndex)->TabRect;
        const int left = std::clamp(r.Left + FDragOffset, 0, std::max(0, available - r.Width()));
        OffsetRect(r, left - r.Left, 0);
    }
}

void TskSkinMDITabsBar::UpdateButtons()
{
    if (ComponentState().Contains(csDestroying) || ComponentState().Contains(csLoading)) return;
    auto make = [this](TAlign Align, TskSkinPopupMenu* Menu) {
        auto* b = new TskSkinMenuSpeedButton(this);
        b->SetWidth(MenuButtonWidth);
        b->SetAlign(Align);
        b->SetSkinDataName("resizetoolbutton");
        b->SetSkinData(SkinData());
        b->SetSkinPopupMenu(Menu);
        b->SetTrackButtonMode(false);
        b->SetParent(this);
        return b;
    };
    if (TabCount() > 0 && FAllButton == nullptr) FAllButton = make(alLeft, FAllMenu);
    if (TabCount() == 0 && FAllButton != nullptr) {
        TskSkinMenuSpeedButton* b = FAllButton;
        FAllButton = nullptr;
        b->Free();
    }
    if (FHiddenCount > 0 && FHiddenButton == nullptr) FHiddenButton = make(alRight, FHiddenMenu);
    if (FHiddenCount == 0 && FHiddenButton != nullptr) {
        TskSkinMenuSpeedButton* b = FHiddenButton;
        FHiddenButton = nullptr;
        b->Free();
    }
}

void TskSkinMDITabsBar::Relayout()
{
    LayoutTabs();
    UpdateButtons();
    Invalidate();
}

int TskSkinMDITabsBar::TabAtPos(int X, int Y) const
{
    for (int i = 0; i < TabCount(); ++i) {
        const TskMDITab* t = Tabs(i);
        if (t->Visible && X >= t->TabRect.Left && X < t->TabRect.Right && Y >= t->TabRect.Top && Y < t->TabRect.Bottom) return i;
    }
    return -1;
}

TRect TskSkinMDITabsBar::CloseButtonRect(const TskMDITab* Tab) const
{
    if (!FShowCloseButtons || Tab == nullptr || Tab->TabRect.IsEmpty()) return TRect{};
    const TskDataSkinButtonControl* e = ButtonEntry(SkinData(), "resizetoolbutton");
    const int w = e != nullptr && !e->SkinRect.IsEmpty() ? e->SkinRect.Width() : DefaultCloseWidth;
    const int h = e != nullptr && !e->SkinRect.IsEmpty() ? e->SkinRect.Height() : DefaultCloseWidth;
    const TRect& r = Tab->TabRect;
    const int top = r.Top + (r.Height() - h) / 2;
    return TRect{r.Right - w - 3, top, r.Right - 3, top + h};
}

int TskSkinMDITabsBar::DragTarget() const
{
    if (!FDragging || FDragIndex < 0 || FDragIndex >= TabCount()) return FDragIndex;
    const TRect& dragged = Tabs(FDragIndex)->TabRect;
    auto centre = [](const TRect& R) { return (R.Left + R.Right) / 2; };
    int target = FDragIndex;
    if (FDragOffset > 0) {
        for (int i = FDragIndex + 1; i < TabCount(); ++i)
            if (Tabs(i)->Visible && centre(Tabs(i)->TabRect) < dragged.Right) target = i;
    } else if (FDragOffset < 0) {
        for (int i = FDragIndex - 1; i >= 0; --i)
            if (Tabs(i)->Visible && centre(Tabs(i)->TabRect) > dragged.Left) target = i;
    }
    return target;
}

// ---- Menus ----

void TskSkinMDITabsBar::RebuildChildMenu(bool HiddenOnly)
{
    TskSkinPopupMenu* menu = HiddenOnly ? FHiddenMenu : FAllMenu;
    if (menu == nullptr) return;
    menu->Items()->Clear();
    const std::string& suffix = HiddenOnly ? HiddenSuffix : AllSuffix;
    for (const auto& t : FTabs) {
        if (HiddenOnly && t->Visible) continue;
        auto* item = new TMenuItem(menu);
        item->SetName(t->Child->Name() + suffix);
        item->SetCaption(t->Child->Caption());
        item->SetRadioItem(true);
        item->SetChecked(t->Active);
        // The child is looked up by name when chosen: it may be gone by then.
        item->OnClick = [this, name = item->Name(), suffix](TObject*) {
            const std::string childName = name.substr(0, name.size() - suffix.size());
            for (const auto& tab : FTabs)
                if (tab->Child->Name() == childName) {
                    BringChildForward(tab->Child);
                    return;
                }
        };
        menu->Items()->Add(item);
    }
}

// ---- Pointer ----

void TskSkinMDITabsBar::SetHovered(int Index)
{
    if (Index == FHovered) return;
    FOldHovered = FHovered;
    if (TskMDITab* old = Tabs(FHovered)) {
        old->MouseIn = false;
        old->CloseMouseIn = false;
        if (OnTabMouseLeave) OnTabMouseLeave(old);
    }
    FHovered = Index;
    if (TskMDITab* now = Tabs(FHovered)) {
        now->MouseIn = true;
        if (OnTabMouseEnter) OnTabMouseEnter(now);
    }
    Invalidate();
}

void TskSkinMDITabsBar::ShowChild(TCustomForm* Child) { BringChildForward(Child); }

void TskSkinMDITabsBar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TskSkinControl::MouseDown(Button, Shift, X, Y);
    const int index = TabAtPos(X, Y);
    TskMDITab* tab = Tabs(index);
    if (tab == nullptr) return;
    if (Button == mbLeft) {
        if (CloseButtonRect(tab).Contains(TPoint{X, Y})) {
            tab->CloseMouseIn = tab->CloseDown = true;
            Invalidate();
        } else {
            FButtonDown = true;
            if (FMoveTabs) {
                FDragIndex = index;
                FDragStartX = X;
                FDragOffset = 0;
            }
            TCustomForm* child = tab->Child;
            ShowChild(child);
            // Showing the child may have changed the tabs.
            tab = Tabs(IndexOfChild(child));
        }
        if (tab != nullptr && OnTabMouseDown) OnTabMouseDown(Button, Shift, tab);
    } else if (Button == mbRight && FSupportChildMenus) {
        TskFormFrame* childFrame = FindSkinFormComponent(tab->Child);
        if (childFrame != nullptr && FFormFrame != nullptr) childFrame->ShowSystemMenuAt(ClientToScreen(TPoint{X, Y}));
        if (Tabs(index) == tab && OnTabMouseDown) OnTabMouseDown(Button, Shift, tab);
    }
}

void TskSkinMDITabsBar::MouseMove(TShiftState Shift, int X, int Y)
{
    TskSkinControl::MouseMove(Shift, X, Y);
    if (FButtonDown && FDragIndex >= 0 && (FDragging || X != FDragStartX)) {
        FDragging = true;
        FDragOffset = X - FDragStartX;
        Invalidate();
        return;
    }
    // The enter and leave handlers may free the bar.
    const auto alive = FAlive.Watch();
    SetHovered(TabAtPos(X, Y));
    if (!*alive) return;
    if (TskMDITab* t = Tabs(FHovered); t != nullptr && FShowCloseButtons) {
        const bool in = CloseButtonRect(t).Contains(TPoint{X, Y});
        if (in != t->CloseMouseIn) {
            t->CloseMouseIn = in;
            Invalidate();
        }
    }
}

void TskSkinMDITabsBar::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TskSkinControl::MouseUp(Button, Shift, X, Y);
    if (FDragging) {
        LayoutTabs();
        const int target = DragTarget();
        if (target != FDragIndex && target >= 0 && target < TabCount()) {
            auto moved = std::move(FTabs[static_cast<std::size_t>(FDragIndex)]);
            FTabs.erase(FTabs.begin() + FDragIndex);
            FTabs.insert(FTabs.begin() + target, std::move(moved));
        }
        FDragging = false;
        FDragIndex = -1;
        FDragOffset = 0;
        FButtonDown = false;
        FHovered = FOldHovered = -1;
        Relayout();
        return;
    }
    FButtonDown = false;
    FDragIndex = -1;
    const int index = TabAtPos(X, Y);
    TskMDITab* tab = Tabs(index);
    const auto alive = FAlive.Watch();
    if (tab != nullptr && OnTabMouseUp) OnTabMouseUp(Button, Shift, tab);
    if (!*alive) return;
    // A close button acts where it was pressed and released; only that child goes.
    TCustomForm* closing = nullptr;
    for (const auto& t : FTabs) {
        if (t->CloseDown && Button == mbLeft && t.get() == Tabs(TabAtPos(X, Y)) && CloseButtonRect(t.get()).Contains(TPoint{X, Y}))
            closing = t->Child;
        t->CloseDown = false;
    }
    Invalidate();
    if (closing != nullptr) closing->Close();
}

void TskSkinMDITabsBar::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case CM_MOUSELEAVE:
        TskSkinControl::WndProc(Message);
        if (!FDragging) SetHovered(-1);
        return;
    case WM_SIZE:
        TskSkinControl::WndProc(Message);
        Relayout();
        return;
    case WM_SKPARENTBGCHANGED: {
        TskSkinData* s = SkinData();
        if (s != nullptr && !s->SkinEmpty && s->MDITabsTransparent) Invalidate();
        TskSkinControl::WndProc(Message);
        return;
    }
    default: TskSkinControl::WndProc(Message);
    }
}

// ---- Painting ----

void TskSkinMDITabsBar::Paint()
{
    if (Width() < 1 || Height() < 1) return;
    FindSkinObject();
    LayoutTabs();
    TBitmap b(Width(), Height());
    TCanvas* c = b.Canvas();
    TskSkinData* skin = SkinLoaded() ? SkinData() : nullptr;
    const auto* e = dynamic_cast<const TskDataSkinTabControl*>(SkinEntry());
    TBitmap* picture = PictureOf(skin, e);
    // Background.
    if (skin != nullptr && skin->MDITabsTransparent) {
        PaintParentBackground(this, c);
    } else {
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(clBtnFace);
        c->FillRect(TRect{0, 0, Width(), Height()});
        if (picture != nullptr && !e->TabsBGRect.IsEmpty()) c->CopyRect(TRect{0, 0, Width(), Height()}, picture->Canvas(), e->TabsBGRect);
    }
    if (picture != nullptr && FTabKind == sktkTab) {
        const int line = BottomLineHeight();
        const TRect lineRect{e->SkinRect.Left, e->SkinRect.Top + e->ClientRect.Top - line, e->SkinRect.Right,
            e->SkinRect.Top + e->ClientRect.Top};
        DrawComposed(c, picture, lineRect, e->LeftTopPoint.X, e->SkinRect.Width() - e->RightTopPoint.X, 0, Height() - line,
            Width(), false);
    }
    // Tabs, the dragged one last and on top.
    for (int i = 0; i < TabCount(); ++i)
        if (Tabs(i)->Visible && !(FDragging && i == FDragIndex)) DrawTab(c, Tabs(i), Tabs(i)->TabRect);
    if (FDragging && Tabs(FDragIndex) != nullptr) {
        DrawTab(c, Tabs(FDragIndex), Tabs(FDragIndex)->TabRect);
        const int target = DragTarget();
        if (target != FDragIndex && Tabs(target) != nullptr)
            DrawDropMarker(c, target > FDragIndex ? Tabs(target)->TabRect.Right - 2 : Tabs(target)->TabRect.Left + 1);
    }
    ShowImage(&b);
}

void TskSkinMDITabsBar::DrawTab(TCanvas* C, const TskMDITab* Tab, const TRect& R)
{
    if (R.IsEmpty()) return;
    TskSkinData* skin = SkinLoaded() ? SkinData() : nullptr;
    const auto* e = dynamic_cast<const TskDataSkinTabControl*>(SkinEntry());
    TBitmap* picture = PictureOf(skin, e);
    TColor fontColor = clBtnText;
    bool drawn = false;
    if (skin != nullptr && FTabKind == sktkButton) {
        const TskDataSkinButtonControl* b = ButtonEntry(skin, "resizebutton");
        if (TBitmap* bp = PictureOf(skin, b)) {
            const TRect& part = Tab->Active && !b->DownSkinRect.IsEmpty()       ? b->DownSkinRect
                                : Tab->MouseIn && !b->ActiveSkinRect.IsEmpty() ? b->ActiveSkinRect
                                                                               : b->SkinRect;
            TBitmap face;
            CreateHSkinImage(b->LeftTopPoint.X, b->SkinRect.Width() - b->RightTopPoint.X, &face, bp, part, R.Width(), part.Height(),
                b->StretchEffect);
            C->StretchDraw(R, &face);
            fontColor = Tab->Active ? b->DownFontColor : Tab->MouseIn ? b->ActiveFontColor : b->FontColor;
            drawn = true;
        }
    } else if (picture != nullptr) {
        const bool hot = Tab->MouseIn && !Tab->Active && !e->MouseInTabRect.IsEmpty();
        const TRect& part = Tab->Active ? e->ActiveTabRect : hot ? e->MouseInTabRect : e->TabRect;
        if (!part.IsEmpty()) {
            TBitmap face;
            CreateHSkinImage(e->TabLeftOffset, e->TabRightOffset, &face, picture, part, R.Width(), part.Height(), e->TabStretchEffect);
            C->StretchDraw(R, &face);
            fontColor = Tab->Active ? e->ActiveFontColor : hot ? e->MouseInFontColor : e->FontColor;
            drawn = true;
        }
    }
    if (!drawn) {
        const TColor fill = FTabKind == sktkButton && Tab->Active ? SkinPressedFill
                            : FTabKind == sktkButton && Tab->MouseIn ? SkinHotFill
                                                                     : clBtnFace;
        C->Brush()->SetStyle(bsSolid);
        C->Brush()->SetColor(fill);
        C->FillRect(R);
        if (FTabKind == sktkTab) {
            // A raised tab; the active one stands a little higher.
            const TRect f{R.Left, R.Top + (Tab->Active ? 0 : 2), R.Right, R.Bottom};
            DrawFrame3D(C, f, clBtnHighlight, clBtnShadow);
        } else if (Tab->Active || Tab->MouseIn) {
            DrawFrame3D(C, R, clBtnShadow, clBtnHighlight);
        }
    }
    // The caption, shortened to fit before the close button.
    SelectEntryFont(C->Font(), FDefaultFont.get(), FUseSkinFont && e != nullptr && drawn ? e : nullptr, skin,
        FDefaultFont->Charset());
    if (!drawn) fontColor = FDefaultFont->Color();
    C->Font()->SetColor(fontColor);
    const TRect close = CloseButtonRect(Tab);
    const int right = close.IsEmpty() ? R.Right - 4 : close.Left - 2;
    std::string text = Tab->Child->Caption();
    CorrectTextByWidth(C, text, std::max(0, right - R.Left - 4));
    C->Brush()->SetStyle(bsClear);
    const int tw = C->TextWidth(text);
    const int th = C->TextHeight(text.empty() ? "W" : text);
    const int x = std::max(R.Left + 4, R.Left + (right - R.Left - tw) / 2);
    C->TextOut(x, R.Top + (R.Height() - th) / 2, text);
    if (!close.IsEmpty()) DrawCloseButton(C, Tab, close);
}

void TskSkinMDITabsBar::DrawCloseButton(TCanvas* C, const TskMDITab* Tab, const TRect& R)
{
    TskSkinData* skin = SkinLoaded() ? SkinData() : nullptr;
    const TskDataSkinButtonControl* b = ButtonEntry(skin, "resizetoolbutton");
    if (TBitmap* bp = PictureOf(skin, b)) {
        const TRect& part = Tab->CloseDown && !b->DownSkinRect.IsEmpty()        ? b->DownSkinRect
                            : Tab->CloseMouseIn && !b->ActiveSkinRect.IsEmpty() ? b->ActiveSkinRect
                                                                                : b->SkinRect;
        C->CopyRect(R, bp->Canvas(), part);
        DrawCloseImage(C, R.Left + (R.Width() - 11) / 2, R.Top + (R.Height() - 10) / 2, b->FontColor);
        return;
    }
    if (Tab->CloseMouseIn) DrawFrame3D(C, R, Tab->CloseDown ? clBtnShadow : clBtnHighlight, Tab->CloseDown ? clBtnHighlight : clBtnShadow);
    DrawCloseImage(C, R.Left + (R.Width() - 11) / 2, R.Top + (R.Height() - 10) / 2, clBtnText);
}

void TskSkinMDITabsBar::DrawDropMarker(TCanvas* C, int X)
{
    C->Pen()->SetColor(clBtnText);
    const int mid = Height() / 2;
    for (int dx = -1; dx <= 1; ++dx) {
        C->MoveTo(X + dx, 0);
        C->LineTo(X + dx, Height());
    }
    // Small arrow heads pointing at the line from both sides.
    for (int i = 1; i <= 3; ++i) {
        C->MoveTo(X - 1 - i, mid - (3 - i));
        C->LineTo(X - 1 - i, mid + (3 - i) + 1);
        C->MoveTo(X + 1 + i, mid - (3 - i));
        C->LineTo(X + 1 + i, mid + (3 - i) + 1);
    }
}

// ---- Registration ----

void RegisterSkinMDITabsBarClasses()
{
    static const bool done = [] {
        using B = TskSkinMDITabsBar;
        RegisterEnum<TskSkinMDITabKind>({"sktkTab", "sktkButton"});
        RegisterClass<B, TskSkinControl>("TskSkinMDITabsBar")
            .Prop("FormFrame", &B::FormFrame, &B::SetFormFrame)
            .Prop("TabKind", &B::TabKind, &B::SetTabKind, sktkTab)
            .Prop("ShowCloseButtons", &B::ShowCloseButtons, &B::SetShowCloseButtons, false)
            .Prop("SupportChildMenus", &B::SupportChildMenus, &B::SetSupportChildMenus, true)
            .Prop("MoveTabs", &B::MoveTabs, &B::SetMoveTabs, true)
            .Prop("UseSkinSize", &B::UseSkinSize, &B::SetUseSkinSize, true)
            .Prop("UseSkinFont", &B::UseSkinFont, &B::SetUseSkinFont, true)
            .Prop("DefaultHeight", &B::DefaultHeight, &B::SetDefaultHeight, 21)
            .Prop("DefaultFont", &B::DefaultFont)
            .Prop("DefaultTabWidth", &B::DefaultTabWidth, &B::SetDefaultTabWidth, 100)
            .Prop("MinTabWidth", &B::MinTabWidth, &B::SetMinTabWidth, 0);
        return true;
    }();
    (void)done;
}
