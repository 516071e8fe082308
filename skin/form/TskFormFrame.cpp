// The frame component: construction, properties, the window hook and the dispatch of the form's
// messages, the skin objects' bookkeeping and the mouse routed to them. Geometry and painting are in
// TskFormFramePaint.cpp.
#include "skin/form/TskFormFrame.h"

#include <algorithm>

#include "platform/vcl/Graphics.h"
#include "platform/vcl/TApplication.h"
#include "platform/vcl/TBitmap.h"
#include "platform/vcl/TCanvas.h"
#include "platform/vcl/TForm.h"
#include "platform/vcl/TIcon.h"
#include "platform/vcl/TMenu.h"
#include "platform/vcl/TScreen.h"
#include "platform/vcl/TTimer.h"
#include "platform/vcl/TypInfo.h"
#include "platform/win/Input.h"
#include "platform/win/MessageQueue.h"
#include "platform/win/Paint.h"
#include "platform/win/Screen.h"
#include "platform/win/Window.h"
#include "skin/controls/TskCustomEdit.h"
#include "skin/controls/TskSkinCustomComboBox.h"
#include "skin/controls/TskSkinStatusBar.h"
#include "skin/data/SkinMessages.h"
#include "skin/data/SkinPlatform.h"
#include "skin/data/TskDataSkinObject.h"
#include "skin/data/TskLayerManager.h"
#include "skin/data/TskSkinData.h"
#include "skin/form/SkinButtonObjects.h"
#include "skin/form/SkinTextObjects.h"
#include "skin/form/SkinValueObjects.h"
#include "skin/form/TskActiveSkinObject.h"
#include "skin/form/TskSkinHint.h"
#include "skin/form/TskSkinMDITabsBar.h"
#include "skin/form/TskSkinMainMenuBar.h"
#include "skin/form/TskSkinMainMenuItem.h"
#include "skin/form/TskSkinMenu.h"
#include "skin/form/TskTrayIcon.h"

namespace {

TFont* MakeCaptionFont(TColor Color)
{
    auto* f = new TFont();
    f->SetName("Arial");
    f->SetHeight(14);
    f->SetStyle(TFontStyles{fsBold});
    f->SetColor(Color);
    return f;
}

} // namespace

// ---- Construction ----

TskFormFrame::TskFormFrame(TComponent* AOwner) : TComponent(AOwner)
{
    FForm = dynamic_cast<TCustomForm*>(AOwner);
    if (FForm == nullptr) throw EInvalidOperation("TskFormFrame must be owned by a form");

    FLayerManagers[0] = new TskLayerManager(this);
    FLayerManagers[1] = new TskLayerManager(this);
    FNewerSystem = IsWinVistaOrLater();
    FLogoBitMap = std::make_unique<TBitmap>();
    FDefCaptionFont.reset(MakeCaptionFont(clBtnText));
    FDefInActiveCaptionFont.reset(MakeCaptionFont(clBtnShadow));
    for (auto& strip : FStrips) strip = std::make_unique<TBitmap>();

    auto makeTimer = [this](unsigned Interval, void (TskFormFrame::*Tick)(TObject*)) {
        auto* t = new TTimer(this);
        t->SetEnabled(false);
        t->SetInterval(Interval);
        t->OnTimer = [this, Tick](TObject* Sender) { (this->*Tick)(Sender); };
        return t;
    };
    FMorphTimer = makeTimer(SkinObjectMorphInterval, &TskFormFrame::MorphTimerTick);
    FMouseLeaveTimer = makeTimer(50, &TskFormFrame::MouseLeaveTimerTick);
    FAnimateTimer = makeTimer(25, &TskFormFrame::AnimateTimerTick);

    // The frame draws its own caption buttons; the form must not ask for system ones.
    FForm->SetBorderIcons(TBorderIcons{});
    FForm->SetAutoSize(false);

    FDefaultSystemMenu = new TPopupMenu(this);
    BuildTrayMenu();
    FSkinMenu = new TskSkinMenu(this, FForm);
    // The frame's keyboard hook hands the keys to its menus (and to the main menu around them).
    FSkinMenu->SetTakesKeys(false);

    if (!Designing()) {
        FSavedWindowProc = FForm->WindowProc;
        // A form being destroyed frees this frame among its components while its other controls still
        // send it messages, and its procedure must not be assigned then: once the frame is gone the hook
        // hands every message straight to the form's own procedure, which it keeps a copy of.
        FForm->WindowProc = [this, alive = FAlive.Watch(), saved = FSavedWindowProc](TMessage& Message) {
            if (*alive)
                SkinFormWindowProc(Message);
            else if (saved)
                saved(Message);
        };
        FHooked = true;
        // A window made before the hook has the system frame: make it again with ours.
        if (FForm->HandleAllocated()) FForm->RecreateWnd();
        // Alt+Space and the form's other short cuts are taken before the focused control sees them.
        FShortCutHook = AddMessageHook([this](TMsg& M) { return ShortCutHook(M); });
    }
    CreateDefaultCaptionButtons();
}

TskFormFrame::~TskFormFrame()
{
    FDestroying = true;
    FAlive.End();
    RemoveMenuKeyboardHook();
    if (FShortCutHook != 0) RemoveMessageHook(FShortCutHook);
    FShortCutHook = 0;
    for (TTimer* t : {FMorphTimer, FAnimateTimer, FMouseLeaveTimer}) t->SetEnabled(false);
    HideGlowLayers();
    ClearSkinObjects();
    UnhookMDIClient();
    // Put the form's own procedure back. A form that is itself being destroyed frees its components
    // after its controls part is gone: its procedure must not be touched then.
    if (FHooked && FForm != nullptr && !FForm->ComponentState().Contains(csDestroying))
        FForm->WindowProc = FSavedWindowProc;
    FHooked = false;
    if (FRegion != nullptr) DeleteObject(FRegion);
    FRegion = nullptr;
    // The chain engine may still tell the form that a menu closed: it goes before our fields do.
    if (FSkinMenu != nullptr) {
        FSkinMenu->HideAll();
        delete FSkinMenu;
        FSkinMenu = nullptr;
    }
}

bool TskFormFrame::Going() const { return FDestroying || (FForm != nullptr && FForm->ComponentState().Contains(csDestroying)); }

void TskFormFrame::SkinDataGone()
{
    // The default frame takes over at once, unless the form itself is going away.
    if (Going() || Designing())
        ClearSkinObjects();
    else
        ApplySkinData();
}

void TskFormFrame::MainMenuGone()
{
    // The item objects point at the menu's items: they go with the menu.
    if (!Going()) RebuildMainMenuItems(true);
}

void TskFormFrame::MainMenuBarGone()
{
    FMainMenuKeyboard = false;
    if (!FSkinMenuOpen) RemoveMenuKeyboardHook();
}

// Beyond its links, the frame hears of its form's components going: a control given a skin area
// leaves the area list, and a menu item of the main menu takes the item objects along (they point at it).
void TskFormFrame::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    std::erase_if(FAreaControls, [&](const auto& a) { return a.first == AComponent; });
    if (FMainMenu != nullptr && !Going())
        for (TskSkinMainMenuItem* item : MainMenuItems())
            if (item->MenuItem == AComponent) {
                RebuildMainMenuItems(true);
                break;
            }
}

void TskFormFrame::Loaded()
{
    TComponent::Loaded();
    if (!Designing()) ApplySkinData();
}

// ---- Properties ----

void TskFormFrame::SetSkinData(TskSkinData* Value)
{
    if (FSkinData == Value) return;
    FSkinData = Value;
    // The skin decides whether forms are skinned at all; an MDI child follows its main form instead.
    if (Value != nullptr && FForm->FormStyle() != fsMDIChild) FFrameOn = Value->SkinnableForm();
    if (!Designing() && !Loading()) ApplySkinData();
}

void TskFormFrame::SetMenusSkinData(TskSkinData* Value)
{
    if (FMenusSkinData == Value) return;
    FMenusSkinData = Value;
}

void TskFormFrame::SetSupportNCArea(bool Value)
{
    if (FSupportNCArea == Value) return;
    FSupportNCArea = Value;
    if (Designing() && !Value) FForm->SetBorderStyle(bsNone);
    if (!Designing() && !Loading()) ApplySkinData();
}

void TskFormFrame::SetSystemMenu(TPopupMenu* Value)
{
    FSystemMenu = Value;
}

void TskFormFrame::SetMainMenu(TMainMenu* Value)
{
    if (FMainMenu == Value) return;
    FMainMenu = Value;
    if (!Designing() && !Loading() && FSkinData != nullptr && !FSkinData->SkinEmpty) RebuildMainMenuItems(true);
}

void TskFormFrame::SetStatusBar(TskSkinStatusBar* Value)
{
    FStatusBar = Value;
}

void TskFormFrame::SetSkinHint(TskSkinHint* Value)
{
    FSkinHint = Value;
}

void TskFormFrame::SetSizeable(bool Value)
{
    if (FSizeable == Value) return;
    FSizeable = Value;
    if (!Designing()) ApplySizeableStyle();
}

void TskFormFrame::ApplySizeableStyle()
{
    // A form drawn without a system frame, or an MDI child inside the main form, has nothing the
    // window manager could size.
    if (!FSupportNCArea || !FForm->HandleAllocated() || FForm->BorderStyle() == bsNone || FForm->FormStyle() == fsMDIChild) return;
    const HWND h = FForm->Handle();
    const LONG_PTR style = GetWindowLong(h, GWL_STYLE);
    const LONG_PTR wanted = FSizeable ? (style | WS_THICKFRAME) : (style & ~static_cast<LONG_PTR>(WS_THICKFRAME));
    if (wanted != style) SetWindowLong(h, GWL_STYLE, wanted);
}

void TskFormFrame::SetShowIcon(bool Value)
{
    if (FShowIcon == Value) return;
    FShowIcon = Value;
    if (!Designing() && !Loading()) RepaintFrame();
}

void TskFormFrame::SetLogoBitMap(TBitmap* Value)
{
    if (Value == nullptr)
        FLogoBitMap = std::make_unique<TBitmap>();
    else
        FLogoBitMap->Assign(Value);
    if (!Designing() && !Loading() && FForm->HandleAllocated()) FForm->Invalidate();
}

void TskFormFrame::SetDefCaptionFont(TFont* Value)
{
    if (Value != nullptr) FDefCaptionFont->Assign(Value);
    if (!Designing() && !Loading() && !SkinUsable()) RepaintFrame();
}

void TskFormFrame::SetDefInActiveCaptionFont(TFont* Value)
{
    if (Value != nullptr) FDefInActiveCaptionFont->Assign(Value);
    if (!Designing() && !Loading() && !SkinUsable()) RepaintFrame();
}

int TskFormFrame::DefMenuItemHeight() const { return FSkinMenu != nullptr ? FSkinMenu->DefaultMenuItemHeight() : 20; }
void TskFormFrame::SetDefMenuItemHeight(int Value)
{
    if (FSkinMenu != nullptr) FSkinMenu->SetDefaultMenuItemHeight(Value);
}
TFont* TskFormFrame::DefMenuItemFont() const { return FSkinMenu != nullptr ? FSkinMenu->DefaultMenuItemFont() : nullptr; }
void TskFormFrame::SetDefMenuItemFont(TFont* Value)
{
    if (FSkinMenu != nullptr && Value != nullptr) FSkinMenu->SetDefaultMenuItemFont(Value);
}
bool TskFormFrame::UseSkinFontInMenu() const { return FSkinMenu != nullptr && FSkinMenu->UseSkinFont(); }
void TskFormFrame::SetUseSkinFontInMenu(bool Value)
{
    if (FSkinMenu != nullptr) FSkinMenu->SetUseSkinFont(Value);
}
int TskFormFrame::MaxMenuItemsInWindow() const { return FSkinMenu != nullptr ? FSkinMenu->MaxMenuItemsInWindow() : 0; }
void TskFormFrame::SetMaxMenuItemsInWindow(int Value)
{
    if (FSkinMenu != nullptr) FSkinMenu->SetMaxMenuItemsInWindow(Value);
}
bool TskFormFrame::MenusAlphaBlend() const { return FSkinMenu != nullptr && FSkinMenu->AlphaBlend(); }
void TskFormFrame::SetMenusAlphaBlend(bool Value)
{
    if (FSkinMenu != nullptr) FSkinMenu->SetAlphaBlend(Value);
}
BYTE TskFormFrame::MenusAlphaBlendValue() const { return FSkinMenu != nullptr ? FSkinMenu->AlphaBlendValue() : 200; }
void TskFormFrame::SetMenusAlphaBlendValue(BYTE Value)
{
    if (FSkinMenu != nullptr) FSkinMenu->SetAlphaBlendValue(Value);
}
bool TskFormFrame::MenusAlphaBlendAnimation() const { return FSkinMenu != nullptr && FSkinMenu->AlphaBlendAnimation(); }
void TskFormFrame::SetMenusAlphaBlendAnimation(bool Value)
{
    if (FSkinMenu != nullptr) FSkinMenu->SetAlphaBlendAnimation(Value);
}

void TskFormFrame::SetAlphaBlend(bool Value)
{
    if (FAlphaBlend == Value) return;
    FAlphaBlend = Value;
    if (!Designing()) ApplyAlphaBlend();
}

void TskFormFrame::SetAlphaBlendValue(BYTE Value)
{
    if (FAlphaBlendValue == Value) return;
    FAlphaBlendValue = Value;
    if (!Designing() && FAlphaBlend) ApplyAlphaBlend();
}

void TskFormFrame::ApplyAlphaBlend()
{
    if (!FForm->HandleAllocated() || !IsLayeringAvailable()) return;
    const HWND h = FForm->Handle();
    const LONG_PTR ex = GetWindowLong(h, GWL_EXSTYLE);
    if (FAlphaBlend) {
        SetWindowLong(h, GWL_EXSTYLE, ex | WS_EX_LAYERED);
        SetLayeredWindowAttributes(h, 0, FAlphaBlendValue, LWA_ALPHA);
    } else {
        SetWindowLong(h, GWL_EXSTYLE, ex & ~static_cast<LONG_PTR>(WS_EX_LAYERED));
    }
}

void TskFormFrame::SetForcedActive(bool Value)
{
    if (FForcedActive == Value) return;
    FForcedActive = Value;
    RepaintFrame();
}

// ---- State ----

bool TskFormFrame::SkinUsable() const { return FSkinData != nullptr && !FSkinData->SkinEmpty && FFrameOn; }

bool TskFormFrame::IsFrameSkinned() const
{
    return FSupportNCArea && FSkinData != nullptr && !FSkinData->SkinEmpty && !FSkinData->ClientRect.IsEmpty();
}

bool TskFormFrame::FrameShown() const { return FSupportNCArea && FFrameOn && FForm->BorderStyle() != bsNone; }

bool TskFormFrame::IsFormActive() const
{
    if (FForcedActive) return true;
    if (FForm->FormStyle() == fsMDIForm || FForm->FormStyle() == fsMDIChild) return FNCActive;
    return FForm->Active() && Screen != nullptr && Screen->ActiveForm() == FForm;
}

bool TskFormFrame::ClientAreaRolledUp() const
{
    return FRolledUp && !FSupportNCArea && FSkinData != nullptr && HasRollUpPicture(*FSkinData);
}

bool TskFormFrame::InRollUpState(const TskActiveSkinObject* AObject) const
{
    // Only a frame that can show a roll-up picture has objects of its own while rolled up.
    return AObject->RollUp == ClientAreaRolledUp();
}

void TskFormFrame::RepaintFrame()
{
    if (FDestroying || !FForm->HandleAllocated()) return;
    if (FSupportNCArea)
        RedrawWindow(FForm->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
    else
        FForm->Invalidate();
}

// ---- Skin ----

void TskFormFrame::ClearSkinObjects()
{
    FMorphTimer->SetEnabled(false);
    FAnimateTimer->SetEnabled(false);
    FMouseLeaveTimer->SetEnabled(false);
    if (FCaptured && FForm->HandleAllocated() && GetCapture() == FForm->Handle()) ReleaseCapture();
    FCaptured = false;
    // The keyboard mode lights the frame's own items: it cannot outlive them.
    if (FMainMenuKeyboard && FMainMenuBar == nullptr && !FDestroying) EndMainMenuKeyboardMode();
    FObjects.clear();
    FAreaControls.clear();
    FActiveObject = FPreviousActiveObject = FPressedObject = -1;
}

// ---- Objects ----

TskActiveSkinObject* TskFormFrame::Objects(int Index) const
{
    if (Index < 0 || Index >= ObjectCount()) return nullptr;
    return FObjects[static_cast<std::size_t>(Index)].get();
}

int TskFormFrame::IndexOfObject(const TskActiveSkinObject* AObject) const
{
    for (int i = 0; i < ObjectCount(); ++i)
        if (FObjects[static_cast<std::size_t>(i)].get() == AObject) return i;
    return -1;
}

TskActiveSkinObject* TskFormFrame::FindObject(const std::string& AIDName) const
{
    for (const auto& o : FObjects)
        if (o->IDName == AIDName) return o.get();
    return nullptr;
}

void TskFormFrame::RedrawSkinObject(TskActiveSkinObject* AObject)
{
    if (FDestroying || AObject == nullptr || !FForm->HandleAllocated() || !InRollUpState(AObject)) return;
    if (FSupportNCArea) {
        if (FForm->FormStyle() == fsMDIChild && Maximized()) return;
        if (FForm->BorderStyle() == bsNone) return;
        const HWND h = FForm->Handle();
        HDC dc = GetWindowDC(h);
        TCanvas canvas;
        canvas.SetHandle(dc);
        // Objects never paint over the client area.
        const TRect client = FrameClientRect();
        if (!client.IsEmpty()) ExcludeClipRect(dc, client.Left, client.Top, client.Right, client.Bottom);
        AObject->Draw(&canvas, true);
        canvas.SetHandle(nullptr);
        ReleaseDC(h, dc);
    } else {
        HDC dc = GetDC(FForm->Handle());
        TCanvas canvas;
        canvas.SetHandle(dc);
        AObject->Draw(&canvas, true);
        canvas.SetHandle(nullptr);
        ReleaseDC(FForm->Handle(), dc);
    }
}

void TskFormFrame::StartMorphTimer()
{
    if (!FDestroying) FMorphTimer->SetEnabled(true);
}

void TskFormFrame::StartAnimateTimer()
{
    if (!FDestroying) FAnimateTimer->SetEnabled(true);
}

TskLayerManager* TskFormFrame::LayerManager(int Index) const
{
    return (Index == 0 || Index == 1) ? FLayerManagers[Index] : nullptr;
}

void TskFormFrame::HideGlowLayers()
{
    for (TskLayerManager* m : FLayerManagers)
        if (m != nullptr && m->LayerVisible()) m->Hide();
}

TRect TskFormFrame::FrameToScreenRect(const TRect& R) const
{
    TRect out = R;
    if (FForm->HandleAllocated()) {
        TRect window;
        GetWindowRect(FForm->Handle(), window);
        OffsetRect(out, window.Left, window.Top);
    } else {
        OffsetRect(out, FForm->Left(), FForm->Top());
    }
    return out;
}

TPoint TskFormFrame::ScreenToFrame(const TPoint& P) const
{
    TRect window{FForm->Left(), FForm->Top(), FForm->Left() + FForm->Width(), FForm->Top() + FForm->Height()};
    if (FForm->HandleAllocated()) GetWindowRect(FForm->Handle(), window);
    return TPoint{P.X - window.Left, P.Y - window.Top};
}

void TskFormFrame::ClearActiveObject()
{
    FActiveObject = -1;
    FPreviousActiveObject = -1;
}

void TskFormFrame::StartClientDrag()
{
    if (FSupportNCArea || Maximized()) return;
    FDragging = true;
    FDragPoint = GetCursorPos();
}

void TskFormFrame::EndClientDrag() { FDragging = false; }

TSize TskFormFrame::SmallIconSize()
{
    const int cx = GetSystemMetrics(SM_CXSMICON);
    const int cy = GetSystemMetrics(SM_CYSMICON);
    if (cx > 0 && cy > 0) return TSize{cx, cy};
    return TSize{GetSystemMetrics(SM_CXSIZE), GetSystemMetrics(SM_CYSIZE)};
}

void TskFormFrame::DrawFormIcon(TCanvas* Cnvs, const TRect& R)
{
    if (Cnvs == nullptr || R.IsEmpty()) return;
    // Forms have no icon of their own here: the caption shows the program's, the picture the desktop
    // shows for its windows too.
    if (!FCaptionIcon) {
        FCaptionIcon = std::make_unique<TIcon>();
        if (Application != nullptr) FCaptionIcon->Assign(Application->Icon());
        if (FCaptionIcon->Empty()) FCaptionIcon->SetPicture(StandardApplicationPicture());
    }
    const TSize size = SmallIconSize();
    const int x = R.Left + (R.Width() - size.cx) / 2;
    const int y = R.Top + (R.Height() - size.cy) / 2;
    FCaptionIcon->Draw(Cnvs, TRect{x, y, x + size.cx, y + size.cy});
}

void TskFormFrame::ResetObjectStates()
{
    for (const auto& o : FObjects)
        if (o->Kind != skokCaption) o->ResetState();
}

void TskFormFrame::LeaveAllObjects()
{
    // A handler may change the objects (a new skin): walk by index and stop when they are gone.
    const auto alive = FAlive.Watch();
    for (int i = 0; i < ObjectCount(); ++i) {
        TskActiveSkinObject* o = Objects(i);
        if (o->Active && o->Enabled && o->Visible) o->MouseLeave();
        if (!*alive) return;
    }
    FActiveObject = -1;
}

// ---- Menus ----

TskSkinData* TskFormFrame::EffectiveMenusSkinData() const { return FMenusSkinData != nullptr ? FMenusSkinData : FSkinData; }

void TskFormFrame::SkinMenuOpen() { MarkSkinMenuOpen(); }

void TskFormFrame::MarkSkinMenuOpen()
{
    if (FDestroying) return;
    InstallMenuKeyboardHook();
    if (FSkinMenuOpen) return;
    FSkinMenuOpen = true;
    if (OnSkinMenuOpen) OnSkinMenuOpen(this);
}

void TskFormFrame::SkinMenuClose()
{
    if (FSkinMenu != nullptr && FSkinMenu->Active()) FSkinMenu->HideAll();
    CloseSkinMenuState();
}

void TskFormFrame::CloseSkinMenuState()
{
    if (FLayerManagers[1] != nullptr && FLayerManagers[1]->LayerVisible()) FLayerManagers[1]->Hide();
    const bool wasOpen = FSkinMenuOpen;
    FSkinMenuOpen = false;
    if (!FMainMenuKeyboard) RemoveMenuKeyboardHook();
    const auto alive = FAlive.Watch();
    for (int i = 0; i < ObjectCount(); ++i) {
        Objects(i)->MenuClosed();
        if (!*alive) return;
    }
    if (FMainMenuBar != nullptr && !FKeepMenuMode) {
        FMainMenuBar->MenuClosed();
        if (!*alive) return;
    }
    if (wasOpen && OnSkinMenuClose) OnSkinMenuClose(this);
    if (!*alive) return;
    // A menu that closed because an item was chosen or the user went elsewhere ends the keyboard
    // mode; Escape only takes the open menu away.
    if (FMainMenuKeyboard && !FKeepMenuMode) EndMainMenuKeyboardMode();
}

// ---- Timers ----

void TskFormFrame::MorphTimerTick(TObject*)
{
    bool stepped = false;
    const auto alive = FAlive.Watch();
    for (int i = 0; i < ObjectCount(); ++i) {
        TskActiveSkinObject* o = Objects(i);
        if (!o->EnableMorphing() || !o->CanMorphing()) continue;
        o->DoMorphing();
        if (!*alive) return;
        stepped = true;
    }
    if (!stepped) FMorphTimer->SetEnabled(false);
}

void TskFormFrame::AnimateTimerTick(TObject*)
{
    bool stepped = false;
    const auto alive = FAlive.Watch();
    for (int i = 0; i < ObjectCount(); ++i) {
        if (Objects(i)->AnimateStep()) stepped = true;
        if (!*alive) return;
    }
    if (!stepped) FAnimateTimer->SetEnabled(false);
}

void TskFormFrame::MouseLeaveTimerTick(TObject*)
{
    if (!FForm->HandleAllocated()) return;
    const TPoint cursor = GetCursorPos();
    if (FSupportNCArea) {
        if (FInSizeMoveLoop) {
            FMouseLeaveTimer->SetEnabled(false);
            return;
        }
        const TPoint p = ScreenToFrame(cursor);
        const TRect window{0, 0, FForm->Width(), FForm->Height()};
        if (!window.Contains(p) || FrameClientRect().Contains(p)) {
            // Also when no object is the active one: a window command forgets it while it stays lit.
            LeaveAllObjects();
        } else {
            TestActiveObject(p.X, p.Y, true);
        }
    } else {
        TPoint p = cursor;
        ScreenToClient(FForm->Handle(), p);
        const TRect client{0, 0, FForm->ClientWidth(), FForm->ClientHeight()};
        if (!FDragging && !client.Contains(p)) {
            LeaveAllObjects();
            FClientTracking = false;
            FMouseLeaveTimer->SetEnabled(false);
            return;
        }
        TestActiveObject(p.X, p.Y, true);
        if (FUseSkinCursors && SkinUsable()) {
            // The skin's cursor, shifted by the object under the pointer.
            const TskActiveSkinObject* o = Objects(FActiveObject);
            const int index = o != nullptr && o->CursorIndex >= 0 ? o->CursorIndex : FSkinData->CursorIndex;
            FForm->SetCursor(index >= 0 ? static_cast<TCursor>(FSkinData->StartCursorIndex + index) : crDefault);
        }
    }
    // Nothing under the pointer and nothing held: the watch can rest until the next hit test.
    if (FActiveObject == -1 && FPressedObject == -1) {
        FMouseLeaveTimer->SetEnabled(false);
        FClientTracking = false;
    }
}

// ---- Input to the objects ----

void TskFormFrame::TestActiveObject(int X, int Y, bool MakeActive)
{
    if (FSupportNCArea && !IsFormActive()) return;
    FPreviousActiveObject = FActiveObject;
    int found = -1;
    if (MakeActive) {
        for (int i = 0; i < ObjectCount(); ++i) {
            TskActiveSkinObject* o = Objects(i);
            if (!InRollUpState(o) || !o->Enabled || !o->Visible) continue;
            if (!o->ObjectRect.Contains(TPoint{X, Y})) continue;
            if (!o->InMask(X - o->ObjectRect.Left, Y - o->ObjectRect.Top)) continue;
            found = i;
            break;
        }
    }
    // While an object holds the mouse, no other one lights up.
    if (FPressedObject != -1 && found != FPressedObject) found = -1;
    if (found == FActiveObject) {
        // A window command forgets the object under the pointer but leaves it lit (the maximise button
        // shows its restore look while the pointer is still on it); once the pointer is on none, it
        // goes dark, or it would stay lit after the restore.
        if (found == -1) LeaveAllObjects();
        return;
    }
    const auto alive = FAlive.Watch();
    FActiveObject = found;
    if (TskActiveSkinObject* old = Objects(FPreviousActiveObject); old != nullptr && old->Enabled && old->Visible) {
        old->MouseLeave();
        if (!*alive) return;
        if (FShowObjectHint && FSkinHint != nullptr && !old->Hint.empty()) FSkinHint->HideHint();
    }
    if (TskActiveSkinObject* now = Objects(FActiveObject); now != nullptr) {
        now->MouseEnter();
        if (!*alive) return;
        if (FShowObjectHint && FSkinHint != nullptr && !now->Hint.empty() && IsFormActive())
            FSkinHint->ActivateHint2(now->Hint);
    }
}

void TskFormFrame::MouseDownToObjects(TMouseButton Button, int X, int Y)
{
    if (!FSupportNCArea) FDragging = false;
    TestActiveObject(X, Y, true);
    TskActiveSkinObject* o = Objects(FActiveObject);
    if (o == nullptr) {
        if (!FSupportNCArea && Button == mbLeft && !Maximized() && FDraggAble) StartClientDrag();
        return;
    }
    FPressedObject = FActiveObject;
    // Captions let the window's own move loop take the mouse.
    if (FSupportNCArea && o->Kind != skokCaption && FForm->HandleAllocated()) {
        SetCapture(FForm->Handle());
        FCaptured = true;
    }
    o->MouseDown(X, Y, Button);
}

void TskFormFrame::MouseUpToObjects(TMouseButton Button, int X, int Y)
{
    if (!FSupportNCArea) FDragging = false;
    TskActiveSkinObject* o = Objects(FPressedObject);
    FPressedObject = -1;
    if (FCaptured) {
        FCaptured = false;
        if (FForm->HandleAllocated() && GetCapture() == FForm->Handle()) ReleaseCapture();
    }
    if (o != nullptr) o->MouseUp(X, Y, Button);
}

void TskFormFrame::MouseMoveToObjects(int X, int Y)
{
    if (!FSupportNCArea && FDragging) {
        const TPoint cursor = GetCursorPos();
        if (cursor == FDragPoint) return;
        FForm->SetBounds(FForm->Left() + cursor.X - FDragPoint.X, FForm->Top() + cursor.Y - FDragPoint.Y, FForm->Width(),
            FForm->Height());
        FDragPoint = cursor;
        return;
    }
    TskActiveSkinObject* o = Objects(FPressedObject != -1 ? FPressedObject : FActiveObject);
    if (o != nullptr) o->MouseMove(X, Y);
}

void TskFormFrame::DblClickToObjects(int X, int Y, TMouseButton Button)
{
    TestActiveObject(X, Y, true);
    TskActiveSkinObject* o = Objects(FActiveObject);
    if (o == nullptr) return;
    FPressedObject = FActiveObject;
    const auto alive = FAlive.Watch();
    o->MouseDown(X, Y, Button);
    if (!*alive) return;
    if (Button == mbLeft && Objects(FActiveObject) == o) {
        o->DblClick();
        if (!*alive) return;
        // In a frame drawn inside the client area the caption object is the caption.
        if (!FSupportNCArea && o->Kind == skokCaption) {
            FPressedObject = -1;
            if (FRolledUp)
                RollUpFrame(false);
            else if (FSizeable)
                SetFrameWindowState(Maximized() ? FrameStateNormal : FrameStateMaximized);
            else
                RollUpFrame(true);
            return;
        }
    }
    if (*alive) FPressedObject = -1;
}

// ---- The window procedure ----

void TskFormFrame::CallDefault(TMessage& Message)
{
    if (FSavedWindowProc) FSavedWindowProc(Message);
}

void TskFormFrame::SkinFormWindowProc(TMessage& Message)
{
    // A frame or form on its way out does no frame work: the form's own procedure answers.
    if (FDestroying || FForm->ComponentState().Contains(csDestroying)) {
        CallDefault(Message);
        return;
    }
    const auto alive = FAlive.Watch();
    // A press on the caption may run the whole move loop before it returns; the release went to the
    // loop, so the press must not be handed to the objects afterwards.
    if (Message.Msg == WM_NCLBUTTONDOWN) FSizeMoveEnded = false;
    PreFilter(Message);
    if (!*alive) return;
    const bool mdi = FForm->FormStyle() == fsMDIForm || FForm->FormStyle() == fsMDIChild;
    if (mdi && DispatchMDIBefore(Message) == TDispatched::Handled) return;
    if (!*alive) return;
    const TDispatched dispatched = Dispatch(Message);
    if (!*alive) return;
    if (dispatched == TDispatched::PassOn) CallDefault(Message);
    if (!*alive || FDestroying) return;
    if (mdi) DispatchMDIAfter(Message);
    if (!*alive || FDestroying) return;
    RouteMouse(Message);
}

void TskFormFrame::PreFilter(const TMessage& Message)
{
    // The second press of a double click on the item whose menu is open closes that menu too.
    const bool secondPress = Message.Msg == (FSupportNCArea ? WM_NCLBUTTONDBLCLK : WM_LBUTTONDBLCLK);
    if (!IsMenuClosingMessage(Message.Msg) && !(secondPress && FSkinMenu != nullptr && FSkinMenu->Active())) return;
    if (FShowObjectHint && FSkinHint != nullptr) FSkinHint->HideHint();
    const bool menuOpen = FSkinMenu != nullptr && FSkinMenu->Active();
    // A press on the main-menu item whose menu is open only closes that menu.
    const bool press = FSupportNCArea ? (Message.Msg == WM_NCLBUTTONDOWN || Message.Msg == WM_NCLBUTTONDBLCLK)
                                      : (Message.Msg == WM_LBUTTONDOWN || Message.Msg == WM_LBUTTONDBLCLK);
    if (press && menuOpen) {
        const TPoint p = FSupportNCArea ? ScreenToFrame(ParamPoint(Message.LParam)) : ParamPoint(Message.LParam);
        for (TskSkinMainMenuItem* item : MainMenuItems())
            if (item->Down && item->ObjectRect.Contains(p)) FPressClosedMenu = true;
    }
    if (FMainMenuKeyboard && !menuOpen) {
        EndMainMenuKeyboardMode();
    } else if (menuOpen) {
        FSkinMenu->HideAll();
    } else if (FSkinMenuOpen) {
        CloseSkinMenuState();
    } else if (FForm->FormStyle() == fsMDIForm && FForm->Visible()) {
        // What closes the main form's menus closes those of its active child too.
        if (TskFormFrame* child = ActiveMDIChildFrame()) child->PreFilter(Message);
    }
    // An MDI form's own drop-downs close on the same messages: a child's activity or a move of the form
    // would otherwise leave them open over whatever comes up.
    if (FForm->FormStyle() == fsMDIForm && FForm->Visible() &&
        !FForm->ComponentState().Contains(csDesigning) && !FForm->ComponentState().Contains(csLoading))
        CancelDropDowns();
}

void TskFormFrame::CancelDropDowns()
{
    // Listed first, and each still looked for among the form's components before it is told: a
    // drop-down that closes may free or make components of the form.
    std::vector<TWinControl*> boxes;
    for (int i = 0; i < FForm->ComponentCount(); ++i) {
        auto* c = dynamic_cast<TWinControl*>(FForm->Components(i));
        if (c != nullptr && c->Visible() && c->Enabled() &&
            (dynamic_cast<TskSkinCustomComboBox*>(c) != nullptr || dynamic_cast<TskCustomEdit*>(c) != nullptr))
            boxes.push_back(c);
    }
    const auto stillThere = [this](const TComponent* Box) {
        for (int i = 0; i < FForm->ComponentCount(); ++i)
            if (FForm->Components(i) == Box) return true;
        return false;
    };
    const auto alive = FAlive.Watch();
    for (TWinControl* box : boxes) {
        if (!*alive) return;
        if (stillThere(box)) box->Perform(CM_CANCELMODE, 0, 0);
    }
}

void TskFormFrame::RouteMouse(const TMessage& Message)
{
    const UINT m = Message.Msg;
    if (m >= WM_NCMOUSEMOVE && m <= WM_NCRBUTTONDBLCLK) {
        if (!FSupportNCArea || !FFrameOn) return;
        const TPoint p = ScreenToFrame(ParamPoint(Message.LParam));
        switch (m) {
        case WM_NCMOUSEMOVE: MouseMoveToObjects(p.X, p.Y); break;
        case WM_NCLBUTTONDOWN:
            // A press that ended a move or size loop is not meant for an object, nor one that closed
            // the open menu of the item it landed on.
            if (FPressClosedMenu) {
                FPressClosedMenu = false;
                break;
            }
            if (FInSizeMoveLoop || FSizeMoveEnded) {
                FInSizeMoveLoop = false;
                FSizeMoveEnded = false;
                break;
            }
            MouseDownToObjects(mbLeft, p.X, p.Y);
            break;
        case WM_NCRBUTTONDOWN:
            // A right click on the caption opens the system menu where it was made. The menu opens
            // under the pointer and takes the release, so the caption is not pressed.
            if (Message.WParam == static_cast<WPARAM>(HTCAPTION)) {
                if (!FDisableSystemMenu) ShowSystemMenuAt(ParamPoint(Message.LParam));
                break;
            }
            MouseDownToObjects(mbRight, p.X, p.Y);
            break;
        case WM_NCLBUTTONUP: MouseUpToObjects(mbLeft, p.X, p.Y); break;
        case WM_NCRBUTTONUP: MouseUpToObjects(mbRight, p.X, p.Y); break;
        case WM_NCLBUTTONDBLCLK:
            if (FPressClosedMenu) {
                FPressClosedMenu = false;
                break;
            }
            if (Message.WParam == static_cast<WPARAM>(HTCAPTION))
                CaptionDoubleClick();
            else
                DblClickToObjects(p.X, p.Y, mbLeft);
            break;
        case WM_NCRBUTTONDBLCLK: DblClickToObjects(p.X, p.Y, mbRight); break;
        default: break;
        }
        return;
    }
    if (m < WM_MOUSEMOVE || m > WM_RBUTTONDBLCLK) return;
    const TPoint p = ParamPoint(Message.LParam);
    if (FSupportNCArea) {
        if (!FFrameOn) return;
        // With the mouse captured by a pressed object, its moves (a dragged track bar) and its release
        // come as client messages.
        if (FPressedObject == -1 || (m != WM_MOUSEMOVE && m != WM_LBUTTONUP && m != WM_RBUTTONUP)) return;
        TPoint s = p;
        ClientToScreen(FForm->Handle(), s);
        const TPoint frame = ScreenToFrame(s);
        if (m == WM_MOUSEMOVE)
            MouseMoveToObjects(frame.X, frame.Y);
        else
            MouseUpToObjects(m == WM_LBUTTONUP ? mbLeft : mbRight, frame.X, frame.Y);
        return;
    }
    switch (m) {
    case WM_MOUSEMOVE: MouseMoveToObjects(p.X, p.Y); break;
    case WM_LBUTTONDOWN:
        if (FPressClosedMenu) {
            FPressClosedMenu = false;
            break;
        }
        MouseDownToObjects(mbLeft, p.X, p.Y);
        break;
    case WM_RBUTTONDOWN: MouseDownToObjects(mbRight, p.X, p.Y); break;
    case WM_LBUTTONUP: MouseUpToObjects(mbLeft, p.X, p.Y); break;
    case WM_RBUTTONUP: MouseUpToObjects(mbRight, p.X, p.Y); break;
    case WM_LBUTTONDBLCLK:
        if (FPressClosedMenu) {
            FPressClosedMenu = false;
            break;
        }
        DblClickToObjects(p.X, p.Y, mbLeft);
        break;
    case WM_RBUTTONDBLCLK: DblClickToObjects(p.X, p.Y, mbRight); break;
    default: break;
    }
}

TskFormFrame::TDispatched TskFormFrame::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_DESTROY:
        for (TTimer* t : {FMorphTimer, FAnimateTimer, FMouseLeaveTimer}) t->SetEnabled(false);
        return TDispatched::PassOn;
    case WM_CREATE:
        // Before the window is first shown, when the display learns whether it may size it.
        ApplySizeableStyle();
        return TDispatched::PassOn;
    case WM_SIZE: WMSize(Message); return TDispatched::Handled;
    case WM_ACTIVATE:
        if (!FFrameOn) return TDispatched::PassOn;
        WMActivate(Message);
        return TDispatched::Handled;
    case WM_SETTEXT:
        if (!FFrameOn) return TDispatched::PassOn;
        WMSetText(Message);
        return TDispatched::Handled;
    case WM_ERASEBKGND:
        if (FForm->FormStyle() != fsMDIForm) PaintClientBackground(reinterpret_cast<HDC>(Message.WParam));
        Message.Result = 1;
        return TDispatched::Handled;
    case WM_SHOWWINDOW:
        WMShowWindow(Message);
        return TDispatched::PassOn;
    case WM_SETCURSOR:
        if (FSupportNCArea && FUseFormCursorInNCArea && FFrameOn) {
            const auto v = static_cast<std::uintptr_t>(Message.LParam);
            const auto hit = static_cast<short>(v & 0xFFFF);
            if (hit != HTCLIENT && !(hit >= HTLEFT && hit <= HTBOTTOMRIGHT))
                Message.LParam = static_cast<LPARAM>((v & ~std::uintptr_t(0xFFFF)) | static_cast<std::uintptr_t>(HTCLIENT));
        }
        return TDispatched::PassOn;
    case WM_GETMINMAXINFO:
        if (FFrameOn) WMGetMinMaxInfo(Message);
        return TDispatched::PassOn;
    case WM_NCCALCSIZE:
        if (!FFrameOn) return TDispatched::PassOn;
        WMNCCalcSize(Message);
        return TDispatched::Handled;
    case WM_NCHITTEST:
        if (FFrameOn && (FSupportNCArea || SkinUsable())) {
            WMNCHitTest(Message);
            return TDispatched::Handled;
        }
        return TDispatched::PassOn;
    case WM_NCPAINT:
        if (!FFrameOn) return TDispatched::PassOn;
        if (FrameShown()) PaintFrame(nullptr);
        Message.Result = 0;
        return TDispatched::Handled;
    case WM_NCACTIVATE:
        if (!FFrameOn) return TDispatched::PassOn;
        WMNCActivate(Message);
        return TDispatched::Handled;
    case WM_MOUSEACTIVATE:
        // A click into the active MDI child that was not yet shown active: its caption follows at once
        // (without animation while maximized, where the caption sits in the main form's).
        if (FFrameOn && !FNCActive && FForm->FormStyle() == fsMDIChild && Application != nullptr &&
            Application->MainForm() != nullptr && Application->MainForm()->ActiveMDIChild() == FForm) {
            FNCActive = true;
            if (FrameShown() && FForm->HandleAllocated() && IsWindowVisible(FForm->Handle())) PaintFrame(nullptr);
            UpdateCaptionActivation(!Maximized());
        }
        return TDispatched::PassOn;
    case WM_SYNCPAINT:
        if (FFrameOn && FRolledUp && FSupportNCArea) {
            RepaintFrame();
            Message.Result = 0;
            return TDispatched::Handled;
        }
        return TDispatched::PassOn;
    case WM_SYSCOMMAND:
        WMSysCommand(Message);
        return (Message.WParam & 0xFFF0) != SC_KEYMENU ? TDispatched::PassOn : TDispatched::Handled;
    case WM_TIMER:
        if (Message.WParam == FadeTimerId) FadeStep();
        return TDispatched::PassOn;
    case WM_DISPLAYCHANGE:
        // A smaller screen: the window must fit its new largest size.
        if (FSupportNCArea && FForm->BorderStyle() != bsNone && (GetMaxWidth() < FForm->Width() || GetMaxHeight() < FForm->Height()))
            RefitForm();
        return TDispatched::PassOn;
    case WM_CHANGERESSTRDATA:
        LoadCaptionButtonHints();
        return TDispatched::PassOn;
    case WM_SIZING: WMSizing(Message); return TDispatched::Handled;
    case WM_MOVING: WMMoving(Message); return TDispatched::PassOn;
    case WM_ENTERSIZEMOVE: WMEnterSizeMove(); return TDispatched::PassOn;
    case WM_EXITSIZEMOVE: WMExitSizeMove(); return TDispatched::PassOn;
    case WM_BEFORECHANGESKINDATA: BeforeChangeSkinData(Message); return TDispatched::PassOn;
    case WM_CHANGESKINDATA: ChangeSkinData(Message); return TDispatched::PassOn;
    case WM_CLOSESKINMENU: CloseSkinMenuState(); return TDispatched::PassOn;
    case WM_CHANGEFORMSKINNABLE:
        if (FSkinData != nullptr && Message.WParam == reinterpret_cast<WPARAM>(FSkinData.get()) && FForm->FormStyle() != fsMDIChild)
            SetSkinnableFrame(FSkinData->SkinnableForm());
        return TDispatched::PassOn;
    case CM_QUERYSKINFORM:
        Message.Result = (!FFrameOn && FNewerSystem) ? SkinFormFrameOff : SkinFormFrameOn;
        return TDispatched::Handled;
    case CM_PAINTSKINFRAME:
    case CM_PAINTSKINFRAME2: {
        auto paint = [this](HDC DC, bool) {
            if (FFrameOn && DC != nullptr && FrameShown() && (SkinPaintsFrame() || !FSkinChanging)) PaintFrame(DC);
            return true;
        };
        return AnswerPaintSkinFrame(Message, paint) ? TDispatched::Handled : TDispatched::PassOn;
    }
    default: return TDispatched::PassOn;
    }
}

void TskFormFrame::WMSize(TMessage& Message)
{
    CallDefault(Message);
    if (FAlive.Ended() || FDestroying) return;
    ClearSnapMarks();
    FWidth = FForm->Width();
    FHeight = FForm->Height();
    FollowWindowState(Message.WParam);
    if (FAlive.Ended() || FDestroying) return;
    if (FSupportNCArea) {
        if (!SkinUsable()) {
            SetFrameRegion(false);
            RepaintFrame();
        } else if (FWidth >= GetMinWidth() && FHeight >= GetMinHeight()) {
            UpdateSkinFrame(true);
        }
        if (!FLogoBitMap->Empty() && FForm->FormStyle() != fsMDIForm) FForm->Invalidate();
    } else if (SkinUsable() && !FRolledUp) {
        const TSize picture = FramePictureSize(*FSkinData);
        if (FrameResizable(*FSkinData) || (FWidth == picture.cx && FHeight == picture.cy)) UpdateSkinFrame(true);
    }
    if (FAlphaBlend && IsLayeringAvailable() && FAlphaBlendValue < 255) {
        RepaintFrame();
        FForm->Invalidate();
    }
}

void TskFormFrame::WMActivate(TMessage& Message)
{
    FDragging = false;
    CallDefault(Message);
    if (FAlive.Ended() || FDestroying) return;
    if (FSupportNCArea) RepaintFrame();
    if (FForm->FormStyle() == fsMDIChild && Maximized()) {
        UpdateCaptionActivation(false);
        return;
    }
    if (FSupportNCArea) {
        LeaveAllObjects();
        ResetObjectStates();
        RepaintFrame();
    }
    UpdateCaptionActivation(true);
}

void TskFormFrame::WMNCActivate(TMessage& Message)
{
    if (FSkinMenu != nullptr && FSkinMenu->Active()) FSkinMenu->HideAll();
    HideGlowLayers();
    FNCActive = Message.WParam != 0;
    if (!FNCActive) LeaveAllObjects();
    if (FForm->FormStyle() == fsMDIChild) {
        CallDefault(Message);
        if (FAlive.Ended()) return;
    } else {
        Message.Result = 1;
    }
    if (FrameShown()) {
        // Painted now: the caller is about to show the new activation state.
        if (FForm->HandleAllocated() && IsWindowVisible(FForm->Handle())) PaintFrame(nullptr);
        UpdateCaptionActivation(true);
    } else {
        UpdateCaptionActivation(false);
    }
}

void TskFormFrame::UpdateCaptionActivation(bool Animated)
{
    const bool active = IsFormActive();
    for (const auto& o : FObjects) {
        if (o->Kind != skokCaption) continue;
        // The caption's own strip plays towards the new activation (it starts the animate timer).
        if (auto* caption = dynamic_cast<TskSkinCaptionObject*>(o.get()); caption != nullptr && InRollUpState(o.get()))
            caption->UpdateActivation(active, Animated);
        if (!o->EnableMorphing()) continue;
        o->MorphIncrease = active;
        StartMorphTimer();
    }
    if (active) {
        if (OnActivate) OnActivate(this);
    } else if (OnDeActivate) {
        OnDeActivate(this);
    }
}

void TskFormFrame::WMSetText(TMessage& Message)
{
    CallDefault(Message);
    if (FAlive.Ended() || FDestroying) return;
    if (FrameShown()) RepaintFrame();
}

void TskFormFrame::WMNCCalcSize(TMessage& Message)
{
    Message.Result = 0;
    if (!FrameShown() || Message.LParam == 0) return;
    // wParam TRUE or FALSE, the proposed window rectangle comes first.
    TRect& r = *reinterpret_cast<TRect*>(Message.LParam);
    if (IsFrameSkinned()) {
        FWidth = r.Width();
        FHeight = r.Height();
        CalcSkinFrameLayout();
        const TSize picture = FramePictureSize(*FSkinData);
        const TRect& c = FSkinData->ClientRect;
        r.Left += c.Left;
        r.Top += c.Top;
        r.Right += c.Right - picture.cx;
        r.Bottom += c.Bottom - picture.cy;
    } else {
        r.Left += DefaultFrameBorder;
        r.Top += DefaultCaptionHeight() + DefaultFrameBorder;
        r.Right -= DefaultFrameBorder;
        r.Bottom -= DefaultFrameBorder;
    }
    r.Right = std::max(r.Right, r.Left);
    r.Bottom = std::max(r.Bottom, r.Top);
}

void TskFormFrame::WMNCHitTest(TMessage& Message)
{
    const TPoint screen = ParamPoint(Message.LParam);
    if (FSupportNCArea) {
        const TPoint p = ScreenToFrame(screen);
        Message.Result = SkinPaintsFrame() ? SkinHitTest(p.X, p.Y) : DefaultHitTest(p.X, p.Y);
        if (!FMouseLeaveTimer->Enabled() && Message.Result == HTOBJECT) {
            TestActiveObject(p.X, p.Y, true);
            FMouseLeaveTimer->SetEnabled(true);
        }
        return;
    }
    TPoint p = screen;
    ScreenToClient(FForm->Handle(), p);
    if (!FClientTracking) {
        FClientTracking = true;
        TestActiveObject(p.X, p.Y, true);
        FMouseLeaveTimer->SetEnabled(true);
    }
    Message.Result = ClientHitTest(p.X, p.Y);
}

void TskFormFrame::WMGetMinMaxInfo(TMessage& Message)
{
    auto* info = reinterpret_cast<MINMAXINFO*>(Message.LParam);
    if (info == nullptr) return;
    info->ptMinTrackSize = TPoint{GetMinWidth(), GetMinHeight()};
    info->ptMaxTrackSize = TPoint{GetMaxWidth(), GetMaxHeight()};
}

void TskFormFrame::WMSysCommand(TMessage& Message)
{
    const WPARAM cmd = Message.WParam & 0xFFF0;
    if (cmd == SC_RESTORE && OnRestore) OnRestore(this);
    // A tap of Alt or F10 (lParam 0). Alt with a character comes here only when no accelerator took it:
    // it opens nothing, and must not leave the form's keys with a menu.
    if (cmd != SC_KEYMENU || Message.LParam != 0) return;
    // The tap reaches the main form even when typed into an MDI child: a child whose own menu has the
    // keyboard gives it up, and a main form with no menu to drive lends the keyboard to the child's.
    TskFormFrame* child = ActiveMDIChildFrame();
    if (child != nullptr && child->FMainMenuKeyboard) {
        child->EndMainMenuKeyboardMode();
        return;
    }
    if (FMainMenuKeyboard) {
        EndMainMenuKeyboardMode();
        return;
    }
    const auto alive = FAlive.Watch();
    if (FSkinMenu != nullptr && FSkinMenu->Active()) {
        FSkinMenu->HideAll();
        if (!*alive) return;
        CloseSkinMenuState();
        if (!*alive) return;
    }
    EnterMainMenuKeyboardMode();
    if (*alive && !FMainMenuKeyboard && child != nullptr && child == ActiveMDIChildFrame()) child->EnterMainMenuKeyboardMode();
}

void TskFormFrame::WMEnterSizeMove()
{
    FCursorPoint = GetCursorPos();
    if (!FSupportNCArea || !FFrameOn) return;
    ResetObjectStates();
    FMouseLeaveTimer->SetEnabled(false);
    FActiveObject = FPressedObject = -1;
    FInSizeMoveLoop = true;
    FFullDrag = true;
}

void TskFormFrame::WMExitSizeMove()
{
    if (!FSupportNCArea || !FFrameOn) return;
    FMouseLeaveTimer->SetEnabled(false);
    FActiveObject = FPreviousActiveObject = FPressedObject = -1;
    FInSizeMoveLoop = false;
    FSizeMoveEnded = true;
    if (FSkinData != nullptr && !FSkinData->SkinEmpty) RepaintFrame();
}

void TskFormFrame::WMSizing(TMessage& Message)
{
    ClearSnapMarks();
    CallDefault(Message);
    if (FAlive.Ended() || FDestroying || !FInSizeMoveLoop || !FFullDrag) return;
    const auto* r = reinterpret_cast<const TRect*>(Message.LParam);
    if (r == nullptr) return;
    FWidth = r->Width();
    FHeight = r->Height();
    if (FSkinData == nullptr || (FSkinData->SkinEmpty && FFrameOn && FSupportNCArea))
        SetFrameRegion(false);
    else if (FSupportNCArea && FFrameOn && FWidth >= GetMinWidth() && FHeight >= GetMinHeight())
        UpdateSkinFrame(true);
}

// ---- Registration ----

TskFormFrame* FindSkinFormComponent(const TComponent* Form)
{
    if (Form == nullptr) return nullptr;
    for (int i = 0; i < Form->ComponentCount(); ++i)
        if (auto* frame = dynamic_cast<TskFormFrame*>(Form->Components(i))) return frame;
    return nullptr;
}

void RegisterSkinFrameClasses()
{
    static const bool done = [] {
        // The object kinds of the skin: a frame makes them by the entries' classes.
        RegisterSkinButtonObjects();
        RegisterSkinTextObjects();
        RegisterSkinValueObjects();
        RegisterSkinTrayIconClasses();
        RegisterSkinMainMenuBarClasses();
        RegisterSkinMDITabsBarClasses();
        using F = TskFormFrame;
        RegisterEnum<TskBorderIcon>({"biSystemMenu", "biMinimize", "biMaximize", "biRollUp", "biMinimizeToTray"});
        RegisterEnum<TskPositionInMonitor>({"skpDefault", "skpScreenCenter", "skpDesktopCenter"});
        RegisterClass<F, TComponent>("TskFormFrame")
            .Prop("SkinData", &F::SkinData, &F::SetSkinData)
            .Prop("MenusSkinData", &F::MenusSkinData, &F::SetMenusSkinData)
            .Prop("SupportNCArea", &F::SupportNCArea, &F::SetSupportNCArea)
            .Prop("Sizeable", &F::Sizeable, &F::SetSizeable)
            .Prop("DraggAble", &F::DraggAble, &F::SetDraggAble)
            .Prop("Magnetic", &F::Magnetic, &F::SetMagnetic)
            .Prop("MagneticSize", &F::MagneticSize, &F::SetMagneticSize)
            .Prop("BorderIcons", &F::BorderIcons, &F::SetBorderIcons)
            .Prop("HideCaptionButtons", &F::HideCaptionButtons, &F::SetHideCaptionButtons)
            .Prop("DisableSystemMenu", &F::DisableSystemMenu, &F::SetDisableSystemMenu)
            .Prop("UseDefaultSysMenu", &F::UseDefaultSysMenu, &F::SetUseDefaultSysMenu)
            .Prop("SystemMenu", &F::SystemMenu, &F::SetSystemMenu)
            .Prop("MainMenu", &F::MainMenu, &F::SetMainMenu)
            .Prop("MainMenuBar", &F::MainMenuBar, &F::SetMainMenuBar)
            .Prop("MDITabsBar", &F::MDITabsBar, &F::SetMDITabsBar)
            .Prop("StatusBar", &F::StatusBar, &F::SetStatusBar)
            .Prop("TrayIcon", &F::TrayIcon, &F::SetTrayIcon)
            .Prop("AlwaysShowInTray", &F::AlwaysShowInTray, &F::SetAlwaysShowInTray)
            .Prop("AlwaysMinimizeToTray", &F::AlwaysMinimizeToTray, &F::SetAlwaysMinimizeToTray)
            .Prop("SkinHint", &F::SkinHint, &F::SetSkinHint)
            .Prop("ShowObjectHint", &F::ShowObjectHint, &F::SetShowObjectHint)
            .Prop("UseDefaultObjectHint", &F::UseDefaultObjectHint, &F::SetUseDefaultObjectHint)
            .Prop("UseSkinCursors", &F::UseSkinCursors, &F::SetUseSkinCursors)
            .Prop("UseFormCursorInNCArea", &F::UseFormCursorInNCArea, &F::SetUseFormCursorInNCArea)
            .Prop("ShowIcon", &F::ShowIcon, &F::SetShowIcon)
            .Prop("LogoBitMap", &F::LogoBitMap)
            .Prop("LogoBitMapTransparent", &F::LogoBitMapTransparent, &F::SetLogoBitMapTransparent)
            .Prop("DefCaptionFont", &F::DefCaptionFont)
            .Prop("DefInActiveCaptionFont", &F::DefInActiveCaptionFont)
            .Prop("DefMenuItemHeight", &F::DefMenuItemHeight, &F::SetDefMenuItemHeight)
            .Prop("DefMenuItemFont", &F::DefMenuItemFont)
            .Prop("UseSkinFontInMenu", &F::UseSkinFontInMenu, &F::SetUseSkinFontInMenu)
            .Prop("MaxMenuItemsInWindow", &F::MaxMenuItemsInWindow, &F::SetMaxMenuItemsInWindow)
            .Prop("AlphaBlend", &F::AlphaBlend, &F::SetAlphaBlend)
            .Prop("AlphaBlendValue", &F::AlphaBlendValue, &F::SetAlphaBlendValue)
            .Prop("AlphaBlendAnimation", &F::AlphaBlendAnimation, &F::SetAlphaBlendAnimation)
            .Prop("MenusAlphaBlend", &F::MenusAlphaBlend, &F::SetMenusAlphaBlend)
            .Prop("MenusAlphaBlendValue", &F::MenusAlphaBlendValue, &F::SetMenusAlphaBlendValue)
            .Prop("MenusAlphaBlendAnimation", &F::MenusAlphaBlendAnimation, &F::SetMenusAlphaBlendAnimation)
            .Prop("MinWidth", &F::MinWidth, &F::SetMinWidth)
            .Prop("MinHeight", &F::MinHeight, &F::SetMinHeight)
            .Prop("MaxWidth", &F::MaxWidth, &F::SetMaxWidth)
            .Prop("MaxHeight", &F::MaxHeight, &F::SetMaxHeight)
            .Prop("ClientWidth", &F::ClientWidth, &F::SetClientWidth)
            .Prop("ClientHeight", &F::ClientHeight, &F::SetClientHeight)
            .Prop("MaximizeOnFullScreen", &F::MaximizeOnFullScreen, &F::SetMaximizeOnFullScreen)
            .Prop("PositionInMonitor", &F::PositionInMonitor, &F::SetPositionInMonitor)
            .Event("OnCaptionPaint", &F::OnCaptionPaint)
            .Event("OnChangeClientRect", &F::OnChangeClientRect)
            .Event("OnChangeSkinData", &F::OnChangeSkinData)
            .Event("OnMouseDownEvent", &F::OnMouseDownEvent)
            .Event("OnMouseUpEvent", &F::OnMouseUpEvent)
            .Event("OnMouseMoveEvent", &F::OnMouseMoveEvent)
            .Event("OnMouseEnterEvent", &F::OnMouseEnterEvent)
            .Event("OnMouseLeaveEvent", &F::OnMouseLeaveEvent)
            .Event("OnPaintEvent", &F::OnPaintEvent)
            .Event("OnSwitchChangeStateEvent", &F::OnSwitchChangeStateEvent)
            .Event("OnTrackBarChangeValueEvent", &F::OnTrackBarChangeValueEvent)
            .Event("OnFrameRegulatorChangeValueEvent", &F::OnFrameRegulatorChangeValueEvent)
            .Event("OnActivateCustomObject", &F::OnActivateCustomObject)
            .Event("OnActivate", &F::OnActivate)
            .Event("OnDeActivate", &F::OnDeActivate)
            .Event("OnSkinMenuOpen", &F::OnSkinMenuOpen)
            .Event("OnSkinMenuClose", &F::OnSkinMenuClose)
            .Event("OnMainMenuEnter", &F::OnMainMenuEnter)
            .Event("OnMainMenuExit", &F::OnMainMenuExit)
            .Event("OnChangeRollUpState", &F::OnChangeRollUpState)
            .Event("OnMinimize", &F::OnMinimize)
            .Event("OnRestore", &F::OnRestore)
            .Event("OnMaximize", &F::OnMaximize)
            .Event("OnMinimizeToTray", &F::OnMinimizeToTray)
            .Event("OnRestoreFromTray", &F::OnRestoreFromTray);
        return true;
    }();
    (void)done;
}
