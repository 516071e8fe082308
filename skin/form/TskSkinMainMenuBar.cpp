// The main-menu bar: building its parts from the menu (merged with a maximised MDI child's), their
// layout, painting, the pointer and the keyboard mode the frame drives. The parts themselves are in
// TskSkinMainMenuBarObjects.cpp.
#include "skin/form/TskSkinMainMenuBar.h"

#include <algorithm>

#include "platform/vcl/Graphics.h"
#include "platform/vcl/TForm.h"
#include "platform/vcl/TMenu.h"
#include "platform/vcl/TTimer.h"
#include "platform/vcl/TypInfo.h"
#include "platform/win/Input.h"
#include "platform/win/Paint.h"
#include "skin/controls/SkinButtonLook.h"
#include "skin/data/SkinDrawUtils.h"
#include "skin/data/SkinEntryWords.h"
#include "skin/data/SkinImages.h"
#include "skin/data/TskDataSkinCaption.h"
#include "skin/data/TskDataSkinMainMenuBar.h"
#include "skin/data/TskSkinData.h"
#include "skin/form/FrameLayout.h"
#include "skin/form/TskActiveSkinObject.h"
#include "skin/form/TskFormFrame.h"
#include "skin/form/TskSkinMenu.h"

namespace {

// The chevron that offers the items that do not fit stands in the last pixels of the item area.
constexpr int ChevronWidth = 5;
constexpr int ButtonGap = 2;

bool Usable(const TskSkinMainMenuBarItem* Item) { return Item->Enabled && Item->Visible && Item->Fits; }

} // namespace

std::vector<TMenuItem*> MergedMenuItems(TMenuItem* MainItems, TMenuItem* ChildItems)
{
    std::vector<TMenuItem*> items;
    auto childHas = [&](int Group) {
        if (ChildItems == nullptr) return false;
        for (int i = 0; i < ChildItems->Count(); ++i)
            if (ChildItems->Items(i)->GroupIndex() == Group) return true;
        return false;
    };
    if (MainItems != nullptr)
        for (int i = 0; i < MainItems->Count(); ++i)
            if (!childHas(MainItems->Items(i)->GroupIndex())) items.push_back(MainItems->Items(i));
    if (ChildItems != nullptr)
        for (int i = 0; i < ChildItems->Count(); ++i) items.push_back(ChildItems->Items(i));
    // Items of one group (usually all of them share 0) keep their order: a merged menu must not be
    // shuffled by the sort.
    std::stable_sort(items.begin(), items.end(), [](const TMenuItem* A, const TMenuItem* B) { return A->GroupIndex() < B->GroupIndex(); });
    return items;
}

// ---- Construction ----

TskSkinMainMenuBar::TskSkinMainMenuBar(TComponent* AOwner) : TskSkinControl(AOwner)
{
    FDefItemFont = std::make_unique<TFont>();
    FDefItemFont->SetName("Arial");
    FDefItemFont->SetHeight(14);
    FDefItemFont->SetColor(clBtnText);
    auto makeTimer = [this](unsigned Interval, void (TskSkinMainMenuBar::*Tick)(TObject*)) {
        auto* t = new TTimer(this);
        t->SetEnabled(false);
        t->SetInterval(Interval);
        t->OnTimer = [this, Tick](TObject* Sender) { (this->*Tick)(Sender); };
        return t;
    };
    FTrackTimer = makeTimer(50, &TskSkinMainMenuBar::TrackTimerTick);
    FMorphTimer = makeTimer(SkinObjectMorphInterval, &TskSkinMainMenuBar::MorphTimerTick);
    FAnimateTimer = makeTimer(25, &TskSkinMainMenuBar::AnimateTimerTick);
    SetSkinDataName("mainmenubar");
    SetAlign(alTop);
    SetHeight(FDefaultHeight);
}

TskSkinMainMenuBar::~TskSkinMainMenuBar()
{
    FAlive.End();
    for (TTimer* t : {FTrackTimer, FMorphTimer, FAnimateTimer}) t->SetEnabled(false);
    FObjects.clear();
}

// Beyond its links, the bar hears of the menu items its objects show: one that goes takes the objects
// along (they point at it).
void TskSkinMainMenuBar::Notification(TComponent* AComponent, TOperation Operation)
{
    TskSkinControl::Notification(AComponent, Operation);
    if (Operation != opRemove || ComponentState().Contains(csDestroying)) return;
    for (const auto& o : FObjects)
        if (auto* item = dynamic_cast<TskSkinMainMenuBarItem*>(o.get()); item != nullptr && item->MenuItem == AComponent) {
            RebuildObjects();
            return;
        }
}

void TskSkinMainMenuBar::Loaded()
{
    TskSkinControl::Loaded();
    RebuildObjects();
}

// ---- Properties ----

void TskSkinMainMenuBar::SetMainMenu(TMainMenu* Value)
{
    if (FMainMenu == Value) return;
    FMainMenu = Value;
    RebuildObjects();
}

void TskSkinMainMenuBar::SetFormFrame(TskFormFrame* Value)
{
    if (FFormFrame == Value) return;
    FFormFrame = Value;
    if (Value == nullptr) return;
    // A link made from one side only still makes the frame hand the bar its keyboard.
    if (Value->MainMenuBar() == nullptr) Value->SetMainMenuBar(this);
}

void TskSkinMainMenuBar::SetUseSkinFont(bool Value)
{
    if (FUseSkinFont == Value) return;
    FUseSkinFont = Value;
    LayoutObjects();
    Invalidate();
}

void TskSkinMainMenuBar::SetScrollMenu(bool Value)
{
    if (FScrollMenu == Value) return;
    FScrollMenu = Value;
    LayoutObjects();
    Invalidate();
}

void TskSkinMainMenuBar::SetDefItemFont(TFont* Value)
{
    if (Value != nullptr) FDefItemFont->Assign(Value);
    LayoutObjects();
    Invalidate();
}

void TskSkinMainMenuBar::SetDefaultWidth(int Value)
{
    if (FDefaultWidth == Value) return;
    FDefaultWidth = Value;
    ApplyHeight();
}

void TskSkinMainMenuBar::SetDefaultHeight(int Value)
{
    if (FDefaultHeight == Value) return;
    FDefaultHeight = Value;
    ApplyHeight();
}

void TskSkinMainMenuBar::ApplyHeight()
{
    if (ComponentState().Contains(csLoading)) return;
    FindSkinObject();
    if (const TskDataSkinMainMenuBar* bar = BarData()) {
        if (bar->SkinRect.Height() > 0) SetHeight(bar->SkinRect.Height());
        return;
    }
    if (FDefaultWidth >= 1) SetWidth(FDefaultWidth);
    if (FDefaultHeight >= 1) SetHeight(FDefaultHeight);
}

// ---- Skin ----

TskSkinData* TskSkinMainMenuBar::UsableSkin() const
{
    return SkinLoaded() ? SkinData() : nullptr;
}

TskDataSkinMainMenuBar* TskSkinMainMenuBar::BarData() const
{
    return dynamic_cast<TskDataSkinMainMenuBar*>(SkinEntry());
}

void TskSkinMainMenuBar::RefreshSkin()
{
    FindSkinObject();
    ApplyHeight();
    // The parts hold the skin's pictures: they are made again from the new skin.
    RebuildObjects();
    TskSkinControl::RefreshSkin();
}

void TskSkinMainMenuBar::ParentBackgroundChanged()
{
    const TskSkinData* skin = UsableSkin();
    if (skin != nullptr && skin->MainMenuBarTransparent && BarData() != nullptr) Invalidate();
    TskSkinControl::ParentBackgroundChanged();
}

// ---- The parts ----

TskMenuBarObject* TskSkinMainMenuBar::Objects(int Index) const
{
    if (Index < 0 || Index >= ObjectCount()) return nullptr;
    return FObjects[static_cast<std::size_t>(Index)].get();
}

std::vector<TskSkinMainMenuBarItem*> TskSkinMainMenuBar::Items() const
{
    std::vector<TskSkinMainMenuBarItem*> items;
    for (const auto& o : FObjects)
        if (auto* item = dynamic_cast<TskSkinMainMenuBarItem*>(o.get())) items.push_back(item);
    return items;
}

TskFormFrame* TskSkinMainMenuBar::Frame() const
{
    if (FFormFrame != nullptr) return FFormFrame;
    return FindSkinFormComponent(GetParentForm());
}

TMainMenu* TskSkinMainMenuBar::ChildMenu() const
{
    TCustomForm* main = GetParentForm();
    if (FActiveChild == nullptr || main == nullptr || main->FormStyle() != fsMDIForm) return nullptr;
    if (TskFormFrame* frame = FindSkinFormComponent(FActiveChild); frame != nullptr && frame->MainMenu() != nullptr)
        return frame->MainMenu();
    return FActiveChild->Menu();
}

void TskSkinMainMenuBar::FreeObjects()
{
    FMorphTimer->SetEnabled(false);
    FAnimateTimer->SetEnabled(false);
    FObjects.clear();
    FHovered = FCaptured = FOldHovered = -1;
    FButtonCount = 0;
    FLastReleased = nullptr;
}

void TskSkinMainMenuBar::RebuildObjects()
{
    if (ComponentState().Contains(csLoading) || ComponentState().Contains(csDestroying)) return;
    const bool keyboard = FKeyboardMode;
    if (keyboard) LeaveKeyboardMode();
    FreeObjects();
    TskSkinData* skin = UsableSkin();
    const TskDataSkinMainMenuBar* bar = skin != nullptr ? BarData() : nullptr;
    TskDataSkinObject* itemData = nullptr;
    if (bar != nullptr) {
        const int index = skin->FindObjectIndex(bar->MenuBarItem);
        if (index >= 0) itemData = skin->ObjectDataList[static_cast<std::size_t>(index)].get();
    }
    TMainMenu* child = ChildMenu();
    FMerged = child != nullptr;
    const std::vector<TMenuItem*> items = MergedMenuItems(FMainMenu != nullptr ? FMainMenu->Items() : nullptr,
        child != nullptr ? child->Items() : nullptr);
    for (TMenuItem* item : items)
        if (item->Visible()) {
            FObjects.push_back(std::make_unique<TskSkinMainMenuBarItem>(this, itemData, item));
            // A list of items, not a field: each one tells Notification when it goes.
            item->FreeNotification(this);
        }
    if (FMaximizedChild != nullptr) AddChildButtons();
    LayoutObjects();
    Invalidate();
}

void TskSkinMainMenuBar::AddChildButtons()
{
    TskSkinData* skin = UsableSkin();
    const TskDataSkinMainMenuBar* bar = skin != nullptr ? BarData() : nullptr;
    auto entry = [&](const std::string& Name) -> TskDataSkinObject* {
        if (bar == nullptr) return nullptr;
        const int index = skin->FindObjectIndex(Name);
        return index >= 0 ? skin->ObjectDataList[static_cast<std::size_t>(index)].get() : nullptr;
    };
    struct TDef {
        int Command;
        const char* DefaultName;
        std::string Entry;
    };
    // Each is put at the front: with a skin the list reads system menu, close, minimize, maximize;
    // without one the plain buttons read system menu, close, maximize, minimize.
    std::vector<TDef> defs;
    if (bar != nullptr)
        defs = {{cmMaximize, "MaxButton", bar->MaxButton}, {cmMinimize, "MinButton", bar->MinButton},
            {cmClose, "CloseButton", bar->CloseButton}, {cmSysMenu, "SysMenuButton", bar->SysMenuButton}};
    else
        defs = {{cmMinimize, "MinButton", ""}, {cmMaximize, "MaxButton", ""}, {cmClose, "CloseButton", ""},
            {cmSysMenu, "SysMenuButton", ""}};
    TskFormFrame* childFrame = FindSkinFormComponent(FMaximizedChild);
    const TskBorderIcons icons = childFrame != nullptr ? childFrame->BorderIcons() : TskBorderIcons{};
    auto offered = [&](TskBorderIcon Icon, TBorderIcon FormIcon) {
        return childFrame != nullptr ? icons.Contains(Icon) : FMaximizedChild->BorderIcons().Contains(FormIcon);
    };
    for (const TDef& d : defs) {
        auto button = std::make_unique<TskSkinMainMenuBarButton>(this, entry(d.Entry), d.Command);
        if (!button->SkinDataPresent) button->IDName = d.DefaultName;
        if (d.Command == cmMinimize) button->Enabled = offered(TskBorderIcon::biMinimize, biMinimize);
        if (d.Command == cmSysMenu) button->Enabled = offered(TskBorderIcon::biSystemMenu, biSystemMenu);
        FObjects.insert(FObjects.begin(), std::move(button));
        ++FButtonCount;
    }
}

void TskSkinMainMenuBar::SetMaximizedChild(TCustomForm* Child)
{
    if (FMaximizedChild == Child) return;
    FMaximizedChild = Child;
    RebuildObjects();
}

void TskSkinMainMenuBar::SetActiveChild(TCustomForm* Child)
{
    if (FActiveChild == Child) return;
    FActiveChild = Child;
    RebuildObjects();
}

// ---- Layout ----

TRect TskSkinMainMenuBar::ItemsArea() const
{
    const TskDataSkinMainMenuBar* bar = UsableSkin() != nullptr ? BarData() : nullptr;
    if (bar == nullptr) return TRect{2, 2, std::max(2, Width() - 2), std::max(2, Height() - 2)};
    TRect r = bar->ItemsRect;
    r.Right += Width() - bar->SkinRect.Width();
    return r;
}

void TskSkinMainMenuBar::LayoutObjects()
{
    TRect area = ItemsArea();
    const int buttonSize = std::max(1, std::min(DefaultCaptionButtonSize, Height() - 4));
    auto sizeOf = [&](const TskMenuBarObject* O) {
        const auto* b = static_cast<const TskSkinMainMenuBarButton*>(O);
        return b->SkinDataPresent ? TSize{O->SkinRect.Width(), O->SkinRect.Height()} : TSize{buttonSize, buttonSize};
    };
    int right = area.Right;
    for (int i = 0; i < FButtonCount; ++i) {
        auto* b = static_cast<TskSkinMainMenuBarButton*>(Objects(i));
        const TSize s = sizeOf(b);
        const int top = area.Top + (area.Height() - s.cy) / 2;
        if (b->Command == cmSysMenu) {
            b->ObjectRect = TRect{area.Left, top, area.Left + s.cx, top + s.cy};
            area.Left += s.cx + ButtonGap;
        } else {
            b->ObjectRect = TRect{right - s.cx, top, right, top + s.cy};
            right -= s.cx + ButtonGap;
        }
    }
    area.Right = right;
    // Merged menus are shown whole: the chevron is for the bar's own menu.
    const bool chevron = FScrollMenu && !FMerged;
    int x = area.Left;
    int total = 0;
    const std::vector<TskSkinMainMenuBarItem*> items = Items();
    for (TskSkinMainMenuBarItem* item : items) total += item->ItemWidth();
    FChevronNeeded = chevron && area.Left + total > area.Right;
    const int limit = FChevronNeeded ? area.Right - ChevronWidth : area.Right;
    for (TskSkinMainMenuBarItem* item : items) {
        const int w = item->ItemWidth();
        const int h = item->SkinData != nullptr ? item->SkinRect.Height() : area.Height();
        item->ObjectRect = TRect{x, area.Top, x + w, area.Top + h};
        x += w;
        const bool fits = item->ObjectRect.Right <= limit;
        if (fits == item->Fits) continue;
        item->Fits = fits;
        item->Enabled = fits && item->SavedEnabled;
        if (!fits) item->Active = false;
    }
}

TRect TskSkinMainMenuBar::ChevronRect() const
{
    const TRect area = ItemsArea();
    int right = area.Right;
    for (int i = 0; i < FButtonCount; ++i) {
        const TskMenuBarObject* b = Objects(i);
        if (static_cast<const TskSkinMainMenuBarButton*>(b)->Command != cmSysMenu) right = std::min(right, b->ObjectRect.Left - ButtonGap);
    }
    return TRect{right - ChevronWidth, area.Top, right, area.Bottom};
}

void TskSkinMainMenuBar::Resize()
{
    TskSkinControl::Resize();
    LayoutObjects();
    Invalidate();
}

TRect TskSkinMainMenuBar::ObjectScreenRect(const TskMenuBarObject* AObject) const
{
    const TPoint tl = ClientToScreen(TPoint{AObject->ObjectRect.Left, AObject->ObjectRect.Top});
    return TRect{tl.X, tl.Y, tl.X + AObject->ObjectRect.Width(), tl.Y + AObject->ObjectRect.Height()};
}

// ---- Painting ----

void TskSkinMainMenuBar::Paint()
{
    if (Width() < 1 || Height() < 1) return;
    FindSkinObject();
    TBitmap b(Width(), Height());
    if (BarData() != nullptr && UsableSkin() != nullptr)
        DrawSkinImage(&b);
    else
        DrawDefaultImage(&b);
    ShowImage(&b);
}

void TskSkinMainMenuBar::DrawDefaultImage(TBitmap* B)
{
    TCanvas* c = B->Canvas();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(clBtnFace);
    c->FillRect(Rect(0, 0, B->Width(), B->Height()));
    DrawObjects(c);
}

void TskSkinMainMenuBar::DrawSkinImage(TBitmap* B)
{
    const TskSkinData* skin = UsableSkin();
    const TskDataSkinMainMenuBar* bar = BarData();
    TCanvas* c = B->Canvas();
    TBitmap* picture = bar->PictureIndex >= 0 && bar->PictureIndex < static_cast<int>(skin->ActivePictures.size())
        ? skin->ActivePictures[static_cast<std::size_t>(bar->PictureIndex)].get()
        : nullptr;
    if (skin->MainMenuBarTransparent) {
        PaintParentBackground(this, c);
    } else if (picture != nullptr && !bar->SkinRect.IsEmpty()) {
        TBitmap image;
        const int left = std::max(0, bar->ItemsRect.Left);
        const int right = std::max(0, bar->SkinRect.Width() - bar->ItemsRect.Right);
        CreateHSkinImage(left, right, &image, picture, bar->SkinRect, B->Width(), B->Height(), bar->StretchEffect);
        c->Draw(0, 0, &image);
    } else {
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(clBtnFace);
        c->FillRect(Rect(0, 0, B->Width(), B->Height()));
    }
    DrawObjects(c);
}

void TskSkinMainMenuBar::DrawObjects(TCanvas* C)
{
    for (const auto& o : FObjects)
        if (o->Visible) o->Draw(C);
    DrawChevron(C);
}

void TskSkinMainMenuBar::DrawChevron(TCanvas* C)
{
    if (!FChevronNeeded) return;
    const TskDataSkinMainMenuBar* bar = UsableSkin() != nullptr ? BarData() : nullptr;
    TColor color = FChevronHot ? clBtnText : clBtnShadow;
    if (bar != nullptr) color = FChevronHot ? bar->TrackMarkActiveColor : bar->TrackMarkColor;
    DrawArrowImage(C, ChevronRect(), color, 2);
}

void TskSkinMainMenuBar::RedrawObject(TskMenuBarObject*)
{
    // The bar is one picture: the whole of it is painted again (it is small), from the off-screen bitmap.
    if (HandleAllocated()) Invalidate();
}

void TskSkinMainMenuBar::StartMorphTimer() { FMorphTimer->SetEnabled(true); }

void TskSkinMainMenuBar::StartAnimateTimer(int Interval)
{
    FAnimateTimer->SetInterval(Interval > 0 ? static_cast<unsigned>(Interval) : 25u);
    FAnimateTimer->SetEnabled(true);
}

void TskSkinMainMenuBar::MorphTimerTick(TObject*)
{
    bool stepped = false;
    const auto alive = FAlive.Watch();
    for (int i = 0; i < ObjectCount(); ++i) {
        TskMenuBarObject* o = Objects(i);
        if (!o->EnableMorphing() || !o->CanMorphing()) continue;
        o->StepMorph();
        if (!*alive) return;
        stepped = true;
    }
    if (!stepped) FMorphTimer->SetEnabled(false);
}

void TskSkinMainMenuBar::AnimateTimerTick(TObject*)
{
    bool stepped = false;
    for (TskSkinMainMenuBarItem* item : Items())
        if (item->AnimateStep()) stepped = true;
    if (!stepped) FAnimateTimer->SetEnabled(false);
}

// ---- The pointer ----

void TskSkinMainMenuBar::SetHovered(int Index)
{
    if (Index == FHovered) return;
    const auto alive = FAlive.Watch();
    FOldHovered = FHovered;
    FHovered = Index;
    if (TskMenuBarObject* old = Objects(FOldHovered)) {
        old->MouseLeave();
        if (!*alive) return;
    }
    if (TskMenuBarObject* now = Objects(FHovered)) now->MouseEnter();
}

void TskSkinMainMenuBar::TestActive(int X, int Y)
{
    int found = -1;
    for (int i = 0; i < ObjectCount() && found < 0; ++i) {
        const TskMenuBarObject* o = Objects(i);
        if (o->Enabled && o->Visible && o->ObjectRect.Contains(TPoint{X, Y})) found = i;
    }
    const bool chevronHot = FChevronNeeded && ChevronRect().Contains(TPoint{X, Y});
    if (chevronHot != FChevronHot) {
        FChevronHot = chevronHot;
        Invalidate();
    }
    // In the keyboard mode the lit item stays lit when the pointer is on no part.
    if (found < 0 && FKeyboardMode) return;
    // While a part holds the mouse no other lights up.
    if (FCaptured >= 0 && found != FCaptured) found = -1;
    SetHovered(found);
}

void TskSkinMainMenuBar::TrackTimerTick(TObject*)
{
    if (!HandleAllocated()) return;
    const TPoint p = ScreenToClient(GetCursorPos());
    if (TRect{0, 0, Width(), Height()}.Contains(p)) {
        TestActive(p.X, p.Y);
        return;
    }
    FTrackTimer->SetEnabled(false);
    const auto alive = FAlive.Watch();
    if (FMouseIn) {
        FMouseIn = false;
        if (OnMouseLeave) OnMouseLeave(this);
        if (!*alive) return;
    }
    TestActive(-1, -1);
}

void TskSkinMainMenuBar::MouseMove(TShiftState Shift, int X, int Y)
{
    TskSkinControl::MouseMove(Shift, X, Y);
    if (!FMouseIn) {
        FMouseIn = true;
        const auto alive = FAlive.Watch();
        if (OnMouseEnter) OnMouseEnter(this);
        if (!*alive) return;
    }
    FTrackTimer->SetEnabled(true);
    TestActive(X, Y);
}

void TskSkinMainMenuBar::WndProc(TMessage& Message)
{
    // The open menu is closed by the press before the bar sees it: a press on the item whose menu it
    // was only closes that menu.
    if (Message.Msg == WM_LBUTTONDOWN || Message.Msg == WM_LBUTTONDBLCLK) {
        TskFormFrame* frame = Frame();
        FPressClosedMenu = frame != nullptr && frame->SkinMenu() != nullptr
            && frame->SkinMenu()->TakeClosingPress(Handle(), WM_LBUTTONDOWN, Message.LParam);
    }
    TskSkinControl::WndProc(Message);
}

void TskSkinMainMenuBar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TskSkinControl::MouseDown(Button, Shift, X, Y);
    const auto alive = FAlive.Watch();
    TestActive(X, Y);
    if (!*alive) return;
    TskMenuBarObject* o = Objects(FHovered);
    if (o != nullptr && o->ObjectRect.Contains(TPoint{X, Y})) {
        if (FPressClosedMenu && o == FLastReleased) {
            FPressClosedMenu = false;
            return;
        }
        // The second press of a double click comes while the menu is still open: it closes it.
        if (auto* item = dynamic_cast<TskSkinMainMenuBarItem*>(o); item != nullptr && item->Down && item->HasSubItems() && SkinMenuOpen()) {
            if (TskFormFrame* frame = Frame()) frame->SkinMenuClose();
            return;
        }
        FCaptured = FHovered;
        o->MouseDown(Button, X, Y);
        if (!*alive) return;
        if (Shift.Contains(ssDouble) && Objects(FCaptured) == o) o->DblClick();
        return;
    }
    if (Button == mbLeft && FChevronNeeded && ChevronRect().Contains(TPoint{X, Y})) ShowHiddenItems();
}

void TskSkinMainMenuBar::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TskSkinControl::MouseUp(Button, Shift, X, Y);
    TskMenuBarObject* o = Objects(FCaptured);
    FCaptured = -1;
    if (o != nullptr) o->MouseUp(Button, X, Y);
}

void TskSkinMainMenuBar::ShowHiddenItems()
{
    TskFormFrame* frame = Frame();
    if (frame == nullptr || frame->SkinMenu() == nullptr) return;
    std::vector<TMenuItem*> hidden;
    for (TskSkinMainMenuBarItem* item : Items())
        if (!item->Fits && item->MenuItem != nullptr) hidden.push_back(item->MenuItem);
    if (TMainMenu* child = ChildMenu())
        for (int i = 0; i < child->Items()->Count(); ++i) hidden.push_back(child->Items()->Items(i));
    if (hidden.empty()) return;
    const TPoint tl = ClientToScreen(TPoint{ChevronRect().Left, ChevronRect().Top});
    const TRect r{tl.X, tl.Y, tl.X + ChevronWidth, tl.Y + ChevronRect().Height()};
    frame->MarkSkinMenuOpen();
    frame->SkinMenu()->PopupList(nullptr, frame->EffectiveMenusSkinData(), r, hidden, FMainMenu != nullptr ? FMainMenu->Items() : nullptr,
        FPopupToUp);
}

// ---- The keyboard mode ----

bool TskSkinMainMenuBar::SkinMenuOpen() const
{
    const TskFormFrame* frame = Frame();
    return frame != nullptr && frame->SkinMenu() != nullptr && frame->SkinMenu()->Active();
}

TskSkinMainMenuBarItem* TskSkinMainMenuBar::DownItem() const
{
    for (TskSkinMainMenuBarItem* item : Items())
        if (item->Down) return item;
    return nullptr;
}

TskSkinMainMenuBarItem* TskSkinMainMenuBar::ActiveItem() const
{
    for (TskSkinMainMenuBarItem* item : Items())
        if (item->Active) return item;
    return nullptr;
}

void TskSkinMainMenuBar::EnterKeyboardMode()
{
    TskSkinMainMenuBarItem* item = dynamic_cast<TskSkinMainMenuBarItem*>(Objects(FHovered));
    if (item == nullptr || !Usable(item)) item = UsableItem(-1, true);
    if (item == nullptr) return;
    FKeyboardMode = true;
    const auto alive = FAlive.Watch();
    if (!item->Active && !item->Down) item->MouseEnter();
    if (!*alive) return;
    if (TskFormFrame* frame = Frame()) frame->BeginMainMenuMode();
}

void TskSkinMainMenuBar::LeaveKeyboardMode()
{
    FKeyboardMode = false;
    for (TskSkinMainMenuBarItem* item : Items()) {
        if (!item->Down && !item->Active) continue;
        item->Down = false;
        item->Active = false;
        item->MorphIncrease = false;
        if (!item->AnimateSkinRect.IsEmpty()) item->Frame = 0;
        item->ReDraw();
    }
    FHovered = FCaptured = FOldHovered = -1;
    Invalidate();
}

TskSkinMainMenuBarItem* TskSkinMainMenuBar::UsableItem(int From, bool Forward) const
{
    const std::vector<TskSkinMainMenuBarItem*> items = Items();
    const int n = static_cast<int>(items.size());
    for (int step = 1; step <= n; ++step) {
        const int i = ((From + (Forward ? step : -step)) % n + n) % n;
        if (From >= 0 && i == From) break;
        if (Usable(items[static_cast<std::size_t>(i)])) return items[static_cast<std::size_t>(i)];
    }
    return nullptr;
}

void TskSkinMainMenuBar::StepItem(bool Forward)
{
    const std::vector<TskSkinMainMenuBarItem*> items = Items();
    TskSkinMainMenuBarItem* current = DownItem();
    if (current == nullptr) current = ActiveItem();
    const int at = static_cast<int>(std::find(items.begin(), items.end(), current) - items.begin());
    const int n = static_cast<int>(items.size());
    TskSkinMainMenuBarItem* to = current == nullptr ? UsableItem(Forward ? -1 : n, Forward) : UsableItem(at, Forward);
    if (to == nullptr || to == current) return;
    const auto alive = FAlive.Watch();
    if (current != nullptr) {
        current->MouseLeave();
        if (!*alive) return;
    }
    to->MouseEnter();
    if (!*alive) return;
    FHovered = static_cast<int>(std::find_if(FObjects.begin(), FObjects.end(), [&](const auto& o) { return o.get() == to; }) - FObjects.begin());
}

void TskSkinMainMenuBar::NextItem() { StepItem(true); }

void TskSkinMainMenuBar::PreviousItem() { StepItem(false); }

bool TskSkinMainMenuBar::ExecuteItem()
{
    TskSkinMainMenuBarItem* item = DownItem();
    if (item != nullptr && item->HasSubItems()) item = nullptr;
    if (item == nullptr && !SkinMenuOpen()) item = ActiveItem();
    if (item == nullptr) return false;
    item->MouseDown(mbLeft, 0, 0);
    return true;
}

bool TskSkinMainMenuBar::AcceleratorKey(WORD Key)
{
    for (TskSkinMainMenuBarItem* item : Items()) {
        if (!Usable(item) || item->MenuItem == nullptr || !IsAccel(Key, item->MenuItem->Caption())) continue;
        const bool menuOpen = SkinMenuOpen();
        const auto alive = FAlive.Watch();
        FKeyboardMode = true;
        if (!item->Active && !item->Down) item->MouseEnter();
        if (!*alive) return true;
        // With a menu open, entering the item already moved the open menu to it.
        if (menuOpen && item->HasSubItems() && item->Down) return true;
        item->MouseDown(mbLeft, 0, 0);
        return true;
    }
    return false;
}

void TskSkinMainMenuBar::MenuClosed()
{
    for (const auto& o : FObjects) {
        // The system-menu button of a child stays pressed while its menu is open.
        if (auto* b = dynamic_cast<TskSkinMainMenuBarButton*>(o.get()); b != nullptr && b->Down && b->Command == cmSysMenu) {
            b->Down = false;
            b->Active = b->MorphIncrease = false;
            RedrawObject(b);
        }
    }
    TskSkinMainMenuBarItem* item = DownItem();
    if (item == nullptr) return;
    item->Down = false;
    item->Active = true;
    item->MorphIncrease = true;
    item->MorphFactor = 1;
    FLastReleased = item;
    RedrawObject(item);
}

// ---- Registration ----

void RegisterSkinMainMenuBarClasses()
{
    static const bool done = [] {
        using B = TskSkinMainMenuBar;
        RegisterClass<B, TskSkinControl>("TskSkinMainMenuBar")
            .Prop("MainMenu", &B::MainMenu, &B::SetMainMenu)
            .Prop("FormFrame", &B::FormFrame, &B::SetFormFrame)
            .Prop("UseSkinFont", &B::UseSkinFont, &B::SetUseSkinFont, true)
            .Prop("ScrollMenu", &B::ScrollMenu, &B::SetScrollMenu, true)
            .Prop("DefItemFont", &B::DefItemFont)
            .Prop("DefaultWidth", &B::DefaultWidth, &B::SetDefaultWidth, 0)
            .Prop("DefaultHeight", &B::DefaultHeight, &B::SetDefaultHeight, 22)
            .Prop("PopupToUp", &B::PopupToUp, &B::SetPopupToUp, false)
            .Event("OnMainMenuItemClick", &B::OnMainMenuItemClick)
            .Event("OnItemMouseEnter", &B::OnItemMouseEnter)
            .Event("OnItemMouseLeave", &B::OnItemMouseLeave)
            .Event("OnMouseEnter", &B::OnMouseEnter)
            .Event("OnMouseLeave", &B::OnMouseLeave);
        return true;
    }();
    (void)done;
}
