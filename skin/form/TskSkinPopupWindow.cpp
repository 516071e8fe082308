#include "skin/form/TskSkinPopupWindow.h"

#include <algorithm>
#include <cctype>

#include "platform/gfx/Text.h"
#include "platform/vcl/TApplication.h"
#include "platform/vcl/TCustomImageList.h"
#include "skin/controls/SkinButtonLook.h"
#include "skin/data/SkinDrawUtils.h"
#include "skin/data/SkinEntryFont.h"
#include "skin/data/SkinImages.h"
#include "skin/data/SkinPlatform.h"
#include "skin/data/TskDataSkinCaption.h"
#include "skin/data/TskDataSkinControl.h"
#include "skin/data/TskDataSkinPopupWindow.h"
#include "skin/data/TskEffectBmp.h"
#include "skin/data/TskSkinData.h"
#include "skin/form/SkinPopupLook.h"

namespace {

bool IsAccel(WORD Key, const std::string& Caption)
{
    for (std::size_t i = 0; i + 1 < Caption.size(); ++i) {
        if (Caption[i] != '&') continue;
        if (Caption[i + 1] == '&') {
            ++i;
            continue;
        }
        const unsigned char c = static_cast<unsigned char>(Caption[i + 1]);
        return c < 0x80 && std::toupper(c) == Key;
    }
    return false;
}

// A disabled item whose caption is framed by "-" is a heading ("-Files-").
bool IsHeader(const TMenuItem* Item)
{
    const std::string& c = Item->Caption();
    return !Item->Enabled() && c.size() >= 2 && c != "-" && c.front() == '-' && c.back() == '-';
}

std::string ItemText(const TMenuItem* Item)
{
    if (Item->ShortCut() == 0) return Item->Caption();
    return Item->Caption() + "  " + ShortCutToText(Item->ShortCut());
}

void FillR(TCanvas* C, const TRect& R, TColor Color)
{
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(Color);
    C->FillRect(R);
}

void FrameR(TCanvas* C, const TRect& R, TColor Color)
{
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(Color);
    C->FrameRect(R);
}

// The plain submenu arrow: four vertical lines, 7, 5, 3 and 1 pixels high, pointing right.
void DrawDefaultArrow(TCanvas* C, int X, int CenterY, TColor Color)
{
    C->Pen()->SetColor(Color);
    for (int i = 0; i < 4; ++i) {
        C->MoveTo(X + i, CenterY - 3 + i);
        C->LineTo(X + i, CenterY + 4 - i);
    }
}

// The caption-button glyph an item of the frame's system menu shows, by the item's name; false for others.
bool DrawNamedGlyph(TCanvas* C, const std::string& Name, int X, int Y, TColor Color)
{
    if (Name == "SKF_CLOSE" || Name == "TRAY_SKF_CLOSE")
        DrawCloseImage(C, X, Y, Color);
    else if (Name == "SKF_MINITEM")
        DrawMinimizeImage(C, X, Y, Color);
    else if (Name == "SKF_MAXITEM")
        DrawMaximizeImage(C, X, Y, Color);
    else if (Name == "SKF_RESTORE" || Name == "TRAY_SKF_RESTORE")
        DrawRestoreImage(C, X, Y, Color);
    else if (Name == "SKF_ROLLUP")
        DrawRollUpImage(C, X, Y, Color);
    else if (Name == "SKF_MINTOTRAY")
        DrawMinimizeToTrayImage(C, X, Y, Color);
    else
        return false;
    return true;
}

void MorphBy(TskEffectBmp& A, const TskEffectBmp& B, int Kind, double K)
{
    switch (Kind) {
    case 1: A.MorphGrad(B, K); break;
    case 2: A.MorphLeftGrad(B, K); break;
    case 3: A.MorphRightGrad(B, K); break;
    case 4: A.MorphLeftSlide(B, K); break;
    case 5: A.MorphRightSlide(B, K); break;
    case 6: A.MorphPush(B, K); break;
    default: A.Morph(B, K); break;
    }
}

// Piece Src of Pic drawn centred in R.
void DrawPieceCentred(TCanvas* C, TBitmap* Pic, const TRect& Src, const TRect& R)
{
    const int x = R.Left + (R.Width() - Src.Width()) / 2;
    const int y = R.Top + (R.Height() - Src.Height()) / 2;
    C->CopyRect(Bounds(x, y, Src.Width(), Src.Height()), Pic->Canvas(), Src);
}

} // namespace

// ---- TskSkinPopupWindow: life ----

TskSkinPopupWindow::TskSkinPopupWindow(TComponent* AOwner, TskDataSkinPopupWindow* APopupData, TskSkinMenu* ASkinMenu)
    : TCustomControl(AOwner), FSkinMenu(ASkinMenu), FMeasure(std::make_unique<TBitmap>(1, 1))
{
    // The menu follows the button itself: no capture, no click events of the control.
    FControlStyle.Exclude(csCaptureMouse).Exclude(csClickEvents);
    FVisible = false;
    FSkinData = ASkinMenu->SkinData();
    if (APopupData != nullptr) {
        FLook = TskPopupSkin::OfPopupWindow(FSkinData);
        // Without its picture the window has nothing to compose: it keeps the plain look.
        if (FLook.Skinned()) FPopupData = APopupData;
    }
    FAlphaBlend = ASkinMenu->AlphaBlend();
    FAlphaBlendValue = ASkinMenu->AlphaBlendValue();
    FAlphaBlendAnimation = ASkinMenu->AlphaBlendAnimation();
}

TskSkinPopupWindow::~TskSkinPopupWindow() = default;

void TskSkinPopupWindow::CreateParams(TCreateParams& Params)
{
    TCustomControl::CreateParams(Params);
    Params.Style = WS_POPUP;
    Params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE;
    if (FAlphaBlend && IsLayeringAvailable()) Params.ExStyle |= WS_EX_LAYERED;
    Params.ClassStyle |= CS_SAVEBITS;
    if (IsWinXPOrLater()) Params.ClassStyle |= CS_DROPSHADOW;
    Params.WndParent = 0;
}

void TskSkinPopupWindow::Release()
{
    if (FReleased) return;
    FReleased = true;
    FSkinMenu = nullptr;
    if (HandleAllocated()) {
        const HWND h = FHandle;
        for (UINT_PTR id : {SkinPopupScrollTimer, SkinPopupCursorTimer, SkinPopupEffectTimer, SkinPopupFadeTimer})
            KillTimer(h, id);
        SetWindowPos(h, 0, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
    }
    FVisible = false;
    // Menu code below us may still be running in this window: it goes once that code has returned.
    Application->FreeComponentWhenUnheld(this);
}

int TskSkinPopupWindow::IndexOfItem(const TskSkinMenuItem* Item) const
{
    for (std::size_t i = 0; i < FItems.size(); ++i)
        if (FItems[i].get() == Item) return static_cast<int>(i);
    return -1;
}

// ---- building, sizing, placing ----

void TskSkinPopupWindow::Show(const TRect& R, TMenuItem* Item, int FirstIndex, bool IsSubMenu, bool PopupToUp)
{
    std::vector<TMenuItem*> items;
    if (Item != nullptr)
        for (int i = 0; i < Item->Count(); ++i) items.push_back(Item->Items(i));
    ShowItems(R, items, Item, FirstIndex, IsSubMenu, PopupToUp);
}

void TskSkinPopupWindow::ShowItems(const TRect& R, const std::vector<TMenuItem*>& MenuItems, TMenuItem* RootItem,
    int FirstIndex, bool IsSubMenu, bool PopupToUp)
{
    if (FReleased || FSkinMenu == nullptr) return;
    CreateItems(MenuItems, RootItem, FirstIndex);
    PlaceWindow(R, IsSubMenu, PopupToUp);
    ShowWindowNow();
}

void TskSkinPopupWindow::CreateItems(const std::vector<TMenuItem*>& MenuItems, TMenuItem* RootItem, int FirstIndex)
{
    FItemData = nullptr;
    FItemPicture = nullptr;
    if (Skinned()) FindMenuItemLook(FSkinData, FItemData, FItemPicture);
    // The items are measured and painted with this one font.
    TFont* font = FMeasure->Canvas()->Font();
    const bool skinFace = FItemData != nullptr && FSkinMenu->UseSkinFont();
    SelectEntryFont(font, FSkinMenu->DefaultMenuItemFont(), skinFace ? FItemData : nullptr, FSkinData,
        FSkinMenu->DefaultMenuItemFont()->Charset());
    if (skinFace) font->SetColor(FItemData->FontColor);
    Canvas()->Font()->Assign(font);
    TMenu* menu = RootItem != nullptr ? RootItem->GetParentMenu() : nullptr;
    // Each item's action says first whether it is enabled, checked or visible now.
    for (std::size_t i = static_cast<std::size_t>(std::max(FirstIndex, 0)); i < MenuItems.size(); ++i)
        if (MenuItems[i] != nullptr) MenuItems[i]->InitiateAction();
    // Items hidden by their actions may leave separators side by side or at an end.
    if (menu != nullptr && menu->AutoLineReduction() == maAutomatic && RootItem != nullptr) RootItem->RethinkLines();
    FImages = menu != nullptr ? menu->Images() : nullptr;
    FItems.clear();
    for (std::size_t i = static_cast<std::size_t>(std::max(FirstIndex, 0)); i < MenuItems.size(); ++i) {
        TMenuItem* mi = MenuItems[i];
        if (mi == nullptr || !mi->Visible()) continue;
        FItems.push_back(std::make_unique<TskSkinMenuItem>(this, mi, FItemData, FItemPicture));
    }
    CalcSize();
    CalcItemsRect();
    ArrangeItems();
}

int TskSkinPopupWindow::ItemHeight(const TskSkinMenuItem* Item) const
{
    if (FItemData != nullptr) return Item->IsSeparator() ? FItemData->DividerRect.Height() : FItemData->SkinRect.Height();
    return Item->IsSeparator() ? 4 : FSkinMenu->DefaultMenuItemHeight();
}

int TskSkinPopupWindow::NormalItemHeight() const
{
    return FItemData != nullptr ? FItemData->SkinRect.Height() : FSkinMenu->DefaultMenuItemHeight();
}

int TskSkinPopupWindow::FramePartHeight() const
{
    if (!Skinned()) return 6;
    return FLook.BottomMargin() + FLook.TopMargin();
}

int TskSkinPopupWindow::ImageColumnWidth() const { return FImages != nullptr ? FImages->Width() + 5 : 16; }
int TskSkinPopupWindow::DefaultItemColumn() const { return FImages != nullptr ? FImages->Width() + 5 : 19; }

void TskSkinPopupWindow::CalcSize()
{
    FTopIndex = 0;
    FVisibleCount = ItemCount();
    FScrolling = false;
    FScrollByLimit = false;
    int m = 0;
    for (auto& item : FItems) {
        TRect r;
        DrawWideText(FMeasure->Canvas(), ItemText(item->MenuItem), r, DT_CALCRECT | DT_SINGLELINE);
        m = std::max(m, r.Width() + 2);
    }
    FImageColumn = ImageColumnWidth();
    int w = 0;
    if (FItemData != nullptr)
        w = m + 16 + FImageColumn + FItemData->TextRect.Left + (FItemData->SkinRect.Width() - FItemData->TextRect.Right);
    else
        w = m + DefaultItemColumn() + DefaultItemTextGap + DefaultItemArrowRoom; // what PaintDefaultItem leaves the text
    if (Skinned())
        w += FLook.RightMargin() + FLook.LeftMargin();
    else
        w += 6;
    int h = FramePartHeight();
    for (auto& item : FItems) h += ItemHeight(item.get());
    const int limit = FSkinMenu->MaxMenuItemsInWindow();
    if (limit > 0 && limit < ItemCount()) {
        h = limit * NormalItemHeight() + FramePartHeight() + 2 * SkinPopupMarkerHeight;
        FScrolling = true;
        FScrollByLimit = true;
    }
    const int waHeight = FSkinMenu->WorkArea().Height();
    if (waHeight > 0 && h > waHeight) {
        h = waHeight;
        FScrolling = true;
    }
    SetBounds(FLeft, FTop, std::max(w, 1), std::max(h, 1));
}

void TskSkinPopupWindow::CalcItemsRect()
{
    if (!Skinned()) {
        FItemsRect = Rect(3, 3, Width() - 3, Height() - 3);
        return;
    }
    FLook.Fit(Width(), Height());
    FItemsRect = FLook.NewInner;
}

void TskSkinPopupWindow::ArrangeItems()
{
    const int top = FItemsRect.Top + (FScrolling ? SkinPopupMarkerHeight : 0);
    const int bottom = FItemsRect.Bottom - (FScrolling ? SkinPopupMarkerHeight : 0);
    FVisibleCount = 0;
    int y = top;
    for (int i = FTopIndex; i < ItemCount(); ++i) {
        TskSkinMenuItem* item = Items(i);
        const int h = ItemHeight(item);
        item->ObjectRect = Rect(FItemsRect.Left, y, FItemsRect.Right, y + h);
        if (y + h > bottom) break;
        item->Visible = true;
        ++FVisibleCount;
        y += h;
    }
    for (int i = 0; i < ItemCount(); ++i)
        if (i < FTopIndex || i >= FTopIndex + FVisibleCount) Items(i)->Visible = false;
}

void TskSkinPopupWindow::PlaceWindow(const TRect& R, bool IsSubMenu, bool PopupToUp)
{
    const TRect& wa = FSkinMenu->WorkArea();
    const int w = Width(), h = Height();
    const bool upperHalf = R.Top < wa.Top + wa.Height() / 2;
    bool beside = false;
    int x = 0, y = 0;
    const bool tall = FScrolling && !FScrollByLimit;
    if (tall) {
        y = wa.Top;
    } else if (IsSubMenu) {
        if (R.Top - FItemsRect.Top + h <= wa.Bottom)
            y = R.Top - FItemsRect.Top;
        else if (upperHalf)
            y = wa.Bottom - h;
        else
            y = std::max(R.Bottom - h + FItemsRect.Top, wa.Top);
    } else if (PopupToUp) {
        if (R.Top - h >= wa.Top) {
            y = R.Top - h;
        } else if (!upperHalf) {
            y = wa.Top;
            beside = true;
        } else if (R.Bottom + h <= wa.Bottom) {
            y = R.Bottom;
        } else {
            y = wa.Bottom - h;
            beside = true;
        }
    } else {
        if (R.Bottom + h <= wa.Bottom) {
            y = R.Bottom;
        } else if (upperHalf) {
            y = wa.Bottom - h;
            beside = true;
        } else if (R.Top - h >= wa.Top) {
            y = R.Top - h;
        } else {
            y = wa.Top;
            beside = true;
        }
    }
    if (IsSubMenu || beside || tall) {
        x = R.Right + 1 + w <= wa.Right ? R.Right + 1 : R.Left - w - 1;
    } else {
        x = R.Left;
        if (R.Left + w > wa.Right)
            x = wa.Right - w;
        else if (R.Left < wa.Left)
            x = wa.Left;
    }
    FWindowPos = Point(x, y);
}

void TskSkinPopupWindow::ApplyRegion()
{
    if (Skinned()) FLook.ApplyRegion(Handle(), Width(), Height());
}

void TskSkinPopupWindow::ShowWindowNow()
{
    SetBounds(FWindowPos.X, FWindowPos.Y, Width(), Height());
    const HWND h = Handle();
    ApplyRegion();
    if (FPopupData != nullptr && FPopupData->CursorIndex != -1)
        SetCursor(static_cast<TCursor>(FSkinData->StartCursorIndex + FPopupData->CursorIndex));
    const bool layered = FAlphaBlend && IsLayeringAvailable();
    // The fade runs on a window timer, never in a loop of its own: the chain may be closed or freed
    // while the window fades in, and a timer simply dies with its window.
    FFading = layered && FAlphaBlendAnimation && FSkinMenu->FirstWindow();
    if (layered) {
        FOpacity = FFading ? 0 : FAlphaBlendValue;
        SetAlphaBlendTransparent(h, FOpacity);
    }
    SetWindowPos(h, HWND_TOPMOST, FWindowPos.X, FWindowPos.Y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    FVisible = true;
    if (FFading) SetTimer(h, SkinPopupFadeTimer, SkinPopupFadeInterval);
    SetTimer(h, SkinPopupCursorTimer, SkinPopupCursorInterval);
    FActiveItem = -1;
    for (int i = 0; i < ItemCount(); ++i) {
        TskSkinMenuItem* item = Items(i);
        if (!item->Selectable()) continue;
        item->KeyboardSelected = true;
        FActiveItem = i;
        EnsureVisible(i);
        item->MouseEnter(true);
        break;
    }
}

// ---- messages and timers ----

void TskSkinPopupWindow::WndProc(TMessage& Message)
{
    TReleaseHold guard;
    switch (Message.Msg) {
    case WM_MOUSEACTIVATE:
        Message.Result = MA_NOACTIVATE;
        return;
    case WM_ERASEBKGND:
        // The paint covers every pixel from its off-screen picture.
        Message.Result = 1;
        return;
    case WM_TIMER:
        if (FReleased) return;
        switch (Message.WParam) {
        case SkinPopupScrollTimer: ScrollTimerTick(); break;
        case SkinPopupCursorTimer: CursorTimerTick(); break;
        case SkinPopupEffectTimer: EffectTimerTick(); break;
        case SkinPopupFadeTimer: FadeTimerTick(); break;
        default: break;
        }
        return;
    default:
        break;
    }
    if (FReleased && Message.Msg >= WM_MOUSEFIRST && Message.Msg <= WM_MOUSELAST) return;
    TCustomControl::WndProc(Message);
}

void TskSkinPopupWindow::FadeTimerTick()
{
    const int next = std::min<int>(FOpacity + SkinPopupFadeStep, FAlphaBlendValue);
    FOpacity = static_cast<BYTE>(next);
    SetAlphaBlendTransparent(FHandle, FOpacity);
    if (FOpacity >= FAlphaBlendValue) {
        FFading = false;
        KillTimer(FHandle, SkinPopupFadeTimer);
    }
}

void TskSkinPopupWindow::CursorTimerTick()
{
    TPoint screen = GetCursorPos();
    TPoint p = screen;
    ::ScreenToClient(FHandle, p);
    if (p == FLastCursor) return;
    FLastCursor = p;
    if (WindowFromPoint(screen) == FHandle) {
        TestActive(p.X, p.Y);
    } else if (FScrolling && FScrollState != 0) {
        StopScrolling();
    }
}

void TskSkinPopupWindow::EffectTimerTick()
{
    bool changed = false;
    for (int i = 0; i < ItemCount() && !FReleased; ++i) {
        TskSkinMenuItem* item = Items(i);
        if (item->CanAnimate()) {
            const int count = item->SkinData->FrameCount;
            if (item->MouseIn && item->FrameIndex < count) {
                ++item->FrameIndex;
                DrawItem(item);
                changed = true;
            } else if (!item->MouseIn && item->FrameIndex > 0) {
                --item->FrameIndex;
                DrawItem(item);
                changed = true;
            }
        } else if (item->CanMorph() && item->ChangeMorphKf()) {
            item->StepMorph();
            changed = true;
        }
    }
    if (!changed && !FReleased) KillTimer(FHandle, SkinPopupEffectTimer);
}

void TskSkinPopupWindow::StartEffectTimer(unsigned Interval)
{
    if (FReleased || !HandleAllocated()) return;
    SetTimer(FHandle, SkinPopupEffectTimer, Interval);
}

void TskSkinPopupWindow::MouseUp(TMouseButton Button, TShiftState, int X, int Y)
{
    if (FReleased) return;
    TestActive(X, Y);
    if (FReleased || Button != mbLeft || FActiveItem < 0) return;
    TskSkinMenuItem* item = Items(FActiveItem);
    if (item->Visible && item->ObjectRect.Contains(Point(X, Y)) && !item->IsSeparator()) item->Click();
}

void TskSkinPopupWindow::TestActive(int X, int Y)
{
    if (FReleased) return;
    const TPoint p = Point(X, Y);
    if (FScrolling) {
        if (UpMarkerRect().Contains(p)) {
            if (FScrollState == 0 && FTopIndex > 0) {
                FScrollState = 1;
                StartScrolling();
            }
        } else if (DownMarkerRect().Contains(p)) {
            if (FScrollState == 0 && FTopIndex + FVisibleCount < ItemCount()) {
                FScrollState = 2;
                StartScrolling();
            }
        } else if (FScrollState != 0) {
            StopScrolling();
        }
    }
    FOldActiveItem = FActiveItem;
    for (int i = FTopIndex; i < FTopIndex + FVisibleCount && i < ItemCount(); ++i)
        if (Items(i)->Visible && Items(i)->ObjectRect.Contains(p)) {
            FActiveItem = i;
            break;
        }
    if (FActiveItem >= ItemCount()) FActiveItem = -1;
    if (FActiveItem < 0) return;
    if (FActiveItem == FOldActiveItem) {
        TskSkinMenuItem* item = Items(FActiveItem);
        if (item->KeyboardSelected) {
            item->KeyboardSelected = false;
            // The pointer reached the item the keyboard chose: now it may open its submenu.
            if (item->HasSubMenu() && item->Selectable()) item->MouseEnter(false);
        }
        return;
    }
    TskSkinMenuItem* oldItem = FOldActiveItem >= 0 && FOldActiveItem < ItemCount() ? Items(FOldActiveItem) : nullptr;
    TskSkinMenuItem* newItem = Items(FActiveItem);
    if (oldItem != nullptr && oldItem->Selectable()) oldItem->MouseLeave();
    if (FReleased) return;
    if (newItem->Selectable()) newItem->MouseEnter(false);
}

// ---- scrolling ----

TRect TskSkinPopupWindow::UpMarkerRect() const
{
    return Rect(FItemsRect.Left, FItemsRect.Top, FItemsRect.Right, FItemsRect.Top + SkinPopupMarkerHeight);
}

TRect TskSkinPopupWindow::DownMarkerRect() const
{
    return Rect(FItemsRect.Left, FItemsRect.Bottom - SkinPopupMarkerHeight, FItemsRect.Right, FItemsRect.Bottom);
}

void TskSkinPopupWindow::StartScrolling()
{
    if (FSkinMenu != nullptr) {
        const int at = FSkinMenu->IndexOfWindow(this);
        if (at >= 0) FSkinMenu->CloseFrom(at + 1);
    }
    if (FReleased) return;
    RepaintAll();
    SetTimer(FHandle, SkinPopupScrollTimer, SkinPopupScrollInterval);
}

void TskSkinPopupWindow::StopScrolling()
{
    FScrollState = 0;
    RepaintAll();
    if (HandleAllocated()) KillTimer(FHandle, SkinPopupScrollTimer);
}

bool TskSkinPopupWindow::ScrollUpStep()
{
    if (FTopIndex <= 0) return false;
    --FTopIndex;
    ArrangeItems();
    RepaintAll();
    return true;
}

bool TskSkinPopupWindow::ScrollDownStep()
{
    if (FTopIndex + FVisibleCount >= ItemCount()) return false;
    ++FTopIndex;
    ArrangeItems();
    RepaintAll();
    return true;
}

void TskSkinPopupWindow::ScrollTimerTick()
{
    const bool moved = FScrollState == 1 ? ScrollUpStep() : FScrollState == 2 ? ScrollDownStep() : false;
    if (!moved) StopScrolling();
}

int TskSkinPopupWindow::LastTopIndex() const
{
    const int space = (FItemsRect.Bottom - SkinPopupMarkerHeight) - (FItemsRect.Top + SkinPopupMarkerHeight);
    int used = 0;
    int top = ItemCount();
    while (top > 0 && used + ItemHeight(Items(top - 1)) <= space) {
        --top;
        used += ItemHeight(Items(top));
    }
    return std::min(top, std::max(ItemCount() - 1, 0));
}

void TskSkinPopupWindow::EnsureVisible(int Index)
{
    if (!FScrolling || Index < 0) return;
    bool moved = false;
    while (Index < FTopIndex) {
        --FTopIndex;
        ArrangeItems();
        moved = true;
    }
    while (Index >= FTopIndex + FVisibleCount && FTopIndex < Index) {
        ++FTopIndex;
        ArrangeItems();
        moved = true;
    }
    if (moved) RepaintAll();
}

void TskSkinPopupWindow::RepaintAll()
{
    if (HandleAllocated() && !FReleased) InvalidateRect(FHandle, nullptr, FALSE);
}

// ---- keyboard ----

void TskSkinPopupWindow::SetActive(int Index)
{
    if (Index < 0 || Index == FActiveItem) return;
    const int old = FActiveItem;
    FActiveItem = Index;
    EnsureVisible(Index);
    TskSkinMenuItem* item = Items(Index);
    item->KeyboardSelected = true;
    item->MouseEnter(true);
    if (FReleased) return;
    if (old >= 0 && old < ItemCount() && Items(old)->Selectable() && Items(old)->MouseIn) Items(old)->MouseLeave();
}

void TskSkinPopupWindow::NextItem()
{
    const int n = ItemCount();
    if (n == 0) return;
    if (FScrolling && FScrollState == 0 && FActiveItem >= 0 && FActiveItem == FTopIndex + FVisibleCount - 1) {
        // At the bottom of the visible part: step down, or wrap round to the top at the end.
        FTopIndex = FTopIndex + FVisibleCount >= n ? 0 : FTopIndex + 1;
        ArrangeItems();
        RepaintAll();
    }
    const int start = FActiveItem < 0 || FActiveItem >= n - 1 ? 0 : FActiveItem + 1;
    for (int i = start; i < n; ++i)
        if (Items(i)->Selectable()) {
            SetActive(i);
            return;
        }
}

void TskSkinPopupWindow::PrevItem()
{
    const int n = ItemCount();
    if (n == 0) return;
    if (FScrolling && FScrollState == 0 && FActiveItem >= 0 && FActiveItem == FTopIndex) {
        FTopIndex = FTopIndex == 0 ? LastTopIndex() : FTopIndex - 1;
        ArrangeItems();
        RepaintAll();
    }
    const int start = FActiveItem <= 0 ? n - 1 : FActiveItem - 1;
    for (int i = start; i >= 0; --i)
        if (Items(i)->Selectable()) {
            SetActive(i);
            return;
        }
}

void TskSkinPopupWindow::KeyDown(WORD Key)
{
    if (FReleased || FSkinMenu == nullptr || !IsWindowVisible(FHandle)) return;
    TskSkinMenu* menu = FSkinMenu;
    if (Enabled()) {
        for (int i = 0; i < ItemCount(); ++i) {
            TskSkinMenuItem* item = Items(i);
            if (!IsAccel(Key, item->MenuItem->Caption())) continue;
            const int old = FActiveItem;
            FActiveItem = i;
            EnsureVisible(i);
            // A disabled item is taken but neither highlighted nor opened.
            if (item->Selectable()) item->MouseEnter(false);
            if (FReleased) return;
            if (old >= 0 && old != i && old < ItemCount() && Items(old)->MouseIn) Items(old)->MouseLeave();
            if (FReleased) return;
            item->Click();
            return;
        }
    }
    TskSkinMenuItem* active = FActiveItem >= 0 && FActiveItem < ItemCount() ? Items(FActiveItem) : nullptr;
    switch (Key) {
    case VK_RETURN:
        if (active != nullptr) active->Click();
        return;
    case VK_ESCAPE:
    case VK_LEFT: {
        const int at = menu->IndexOfWindow(this);
        if (at > 0) {
            TskSkinPopupWindow* before = menu->Windows(at - 1);
            for (int i = 0; i < before->ItemCount(); ++i) {
                TskSkinMenuItem* item = before->Items(i);
                if (!item->Down) continue;
                item->Down = false;
                item->Redraw();
            }
            menu->CloseFrom(at);
        } else if (Key == VK_ESCAPE && at == 0) {
            // The whole menu ends: the form and the opening control are told, as for any other end.
            menu->HideAll();
        }
        return;
    }
    case VK_RIGHT:
        if (active != nullptr && active->HasSubMenu()) active->Click();
        return;
    case VK_DOWN:
        NextItem();
        return;
    case VK_UP:
        PrevItem();
        return;
    default:
        return;
    }
}

void TskSkinPopupWindow::ResetSubMenus()
{
    if (FSkinMenu != nullptr) {
        const int at = FSkinMenu->IndexOfWindow(this);
        if (at >= 0) FSkinMenu->CloseFrom(at + 1);
    }
    for (auto& item : FItems)
        if (item->Down) {
            item->Down = false;
            item->Redraw();
        }
}

// ---- painting ----

void TskSkinPopupWindow::PaintWindow(HDC DC)
{
    TBitmap b(Width(), Height());
    PaintBackground(&b);
    TBitmap itemB;
    for (int i = FTopIndex; i < FTopIndex + FVisibleCount && i < ItemCount(); ++i) {
        TskSkinMenuItem* item = Items(i);
        if (!item->Visible) continue;
        PaintItem(item, &itemB);
        b.Canvas()->Draw(item->ObjectRect.Left, item->ObjectRect.Top, &itemB);
    }
    if (FScrolling) PaintMarkers(&b);
    TCanvas c;
    c.SetHandle(DC);
    c.Draw(0, 0, &b);
    c.SetHandle(nullptr);
}

void TskSkinPopupWindow::DrawItem(TskSkinMenuItem* Item)
{
    if (FReleased || !Item->Visible || !HandleAllocated() || !IsWindowVisible(FHandle)) return;
    TBitmap b;
    PaintItem(Item, &b);
    Canvas()->Draw(Item->ObjectRect.Left, Item->ObjectRect.Top, &b);
    static_cast<TControlCanvas*>(Canvas())->FreeHandle();
}

void TskSkinPopupWindow::PaintBackground(TBitmap* B)
{
    TCanvas* c = B->Canvas();
    if (!Skinned()) {
        const int col = FImages != nullptr ? FImages->Width() + 8 : 22;
        FillR(c, Rect(0, 0, col, Height()), clBtnFace);
        FillR(c, Rect(col, 0, Width(), Height()), clWindow);
        FrameR(c, Rect(0, 0, Width(), Height()), clBtnShadow);
        FrameR(c, Rect(1, 1, Width() - 1, Height() - 1), clWindow);
        FBackground.reset();
        return;
    }
    FLook.Compose(B, Width(), Height());
    if (FItemData != nullptr && FItemData->InactiveTransparent) {
        if (!FBackground) FBackground = std::make_unique<TBitmap>();
        FBackground->Assign(B);
    } else {
        FBackground.reset();
    }
}

void TskSkinPopupWindow::PaintMarker(TCanvas* C, const TRect& R, bool Up)
{
    const bool scrolling = FScrollState == (Up ? 1 : 2);
    if (!Skinned()) {
        DrawArrowImage(C, R, scrolling ? clBtnText : clBtnShadow, Up ? 3 : 4);
        return;
    }
    if (FItemData != nullptr) {
        if (FItemData->InactiveTransparent && FBackground) {
            C->CopyRect(R, FBackground->Canvas(), R);
        } else {
            TBitmap piece;
            CreateHSkinImage(FItemData->ItemLeftOffset, FItemData->ItemRightOffset, &piece, FItemPicture,
                FItemData->SkinRect, R.Width(), R.Height(), FItemData->StretchEffect);
            C->CopyRect(R, piece.Canvas(), Rect(0, 0, piece.Width(), std::min(piece.Height(), R.Height())));
        }
    }
    DrawArrowImage(C, R, scrolling ? FPopupData->ScrollMarkerActiveColor : FPopupData->ScrollMarkerColor, Up ? 3 : 4);
}

void TskSkinPopupWindow::PaintMarkers(TBitmap* B)
{
    TCanvas* c = B->Canvas();
    const TRect up = UpMarkerRect(), down = DownMarkerRect();
    int gapTop = up.Bottom;
    if (FVisibleCount > 0) gapTop = Items(FTopIndex + FVisibleCount - 1)->ObjectRect.Bottom;
    if (gapTop < down.Top) {
        const TRect gap = Rect(FItemsRect.Left, gapTop, FItemsRect.Right, down.Top);
        if (Skinned() && FItemData != nullptr) {
            // The marker background without an arrow.
            TBitmap back;
            if (FItemData->InactiveTransparent && FBackground) {
                c->CopyRect(gap, FBackground->Canvas(), gap);
            } else {
                CreateHSkinImage(FItemData->ItemLeftOffset, FItemData->ItemRightOffset, &back, FItemPicture,
                    FItemData->SkinRect, gap.Width(), gap.Height(), FItemData->StretchEffect);
                c->CopyRect(gap, back.Canvas(), Rect(0, 0, back.Width(), back.Height()));
            }
        }
    }
    if (!Skinned()) {
        PaintMarker(c, Rect(3, 3, Width() - 3, 13), true);
        PaintMarker(c, Rect(3, Height() - 10, Width() - 3, Height() - 3), false);
        return;
    }
    PaintMarker(c, up, true);
    PaintMarker(c, down, false);
}

void TskSkinPopupWindow::PaintItem(TskSkinMenuItem* Item, TBitmap* B)
{
    B->SetSize(std::max(Item->ObjectRect.Width(), 1), std::max(Item->ObjectRect.Height(), 1));
    if (FItemData != nullptr)
        PaintSkinItem(Item, B);
    else
        PaintDefaultItem(Item, B);
}

void TskSkinPopupWindow::PaintItemText(TskSkinMenuItem* Item, TCanvas* C, const TRect& TextR, TColor Color)
{
    C->Font()->SetColor(Color);
    C->Brush()->SetStyle(bsClear);
    TRect r = TextR;
    DrawWideText(C, Item->MenuItem->Caption(), r, DT_LEFT | DT_SINGLELINE | DT_VCENTER);
    if (Item->MenuItem->ShortCut() != 0) {
        r = TextR;
        DrawWideText(C, ShortCutToText(Item->MenuItem->ShortCut()), r, DT_RIGHT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    }
}

void TskSkinPopupWindow::PaintItemMarks(TskSkinMenuItem* Item, TCanvas* C, const TRect& ImageR, TColor Color, bool Skinned)
{
    TMenuItem* mi = Item->MenuItem;
    const int cx = ImageR.Left + ImageR.Width() / 2, cy = ImageR.Top + ImageR.Height() / 2;
    if (DrawNamedGlyph(C, mi->Name(), cx - 5, cy - 5, Color)) return;
    const bool hasImage = FImages != nullptr && mi->ImageIndex() >= 0 && mi->ImageIndex() < FImages->Count();
    if (mi->Checked() && !hasImage) {
        const bool active = Item->Active();
        if (Skinned && FItemData != nullptr) {
            const TRect src = mi->RadioItem() ? (active ? FItemData->ActiveRadioImageRect : FItemData->RadioImageRect)
                                              : (active ? FItemData->ActiveCheckImageRect : FItemData->CheckImageRect);
            if (!src.IsEmpty()) {
                DrawPieceCentred(C, FItemPicture, src, ImageR);
                return;
            }
        }
        if (mi->RadioItem())
            DrawRadioImage(C, cx - 3, cy - 3, Color);
        else
            DrawCheckImage(C, cx - 4, cy - 5, Color);
        return;
    }
    if (hasImage)
        FImages->Draw(C, cx - FImages->Width() / 2, cy - FImages->Height() / 2, mi->ImageIndex(), mi->Enabled());
}

void TskSkinPopupWindow::PaintDefaultItem(TskSkinMenuItem* Item, TBitmap* B)
{
    TCanvas* c = B->Canvas();
    const int w = B->Width(), h = B->Height();
    const int col = DefaultItemColumn();
    c->Font()->Assign(FMeasure->Canvas()->Font());
    const bool highlighted = Item->Active() && Item->Selectable();
    TColor text = clWindowText;
    if (highlighted) {
        FillR(c, Rect(0, 0, w, h), SkinHotFill);
        FrameR(c, Rect(0, 0, w, h), clNavy);
    } else {
        FillR(c, Rect(0, 0, col, h), clBtnFace);
        FillR(c, Rect(col, 0, w, h), clWindow);
        if (!Item->MenuItem->Enabled()) text = clBtnShadow;
    }
    if (Item->IsSeparator()) {
        c->Pen()->SetColor(clBtnShadow);
        c->MoveTo(col, h / 2);
        c->LineTo(w, h / 2);
        return;
    }
    PaintItemText(Item, c, Rect(col + DefaultItemTextGap, 0, w - DefaultItemArrowRoom, h), text);
    if (Item->HasSubMenu()) DrawDefaultArrow(c, w - 9 - 4, h / 2, text);
    PaintItemMarks(Item, c, Rect(0, 0, col, h), text, false);
}

void TskSkinPopupWindow::ComposeSkinItemBack(TskSkinMenuItem* Item, TBitmap* B, bool ActiveLook)
{
    const TskDataSkinMenuItem* d = FItemData;
    const int w = B->Width(), h = B->Height();
    if (ActiveLook) {
        const TRect src = d->ActiveSkinRect.IsEmpty() ? d->SkinRect : d->ActiveSkinRect;
        CreateHSkinImage(d->ItemLeftOffset, d->ItemRightOffset, B, FItemPicture, src, w, h, d->StretchEffect);
    } else if (d->InactiveTransparent && FBackground) {
        B->SetSize(w, h);
        B->Canvas()->CopyRect(Rect(0, 0, w, h), FBackground->Canvas(), Item->ObjectRect);
    } else {
        CreateHSkinImage(d->ItemLeftOffset, d->ItemRightOffset, B, FItemPicture, d->SkinRect, w, h,
            d->InactiveStretchEffect || d->StretchEffect);
    }
    B->SetSize(w, h);
}

void TskSkinPopupWindow::PaintHeader(TskSkinMenuItem* Item, TBitmap* B)
{
    const int w = B->Width(), h = B->Height();
    ComposeSkinItemBack(Item, B, false);
    TBitmap* pic = nullptr;
    const std::string name = FSkinData->FindControlIndex("menuheader") >= 0 ? "menuheader" : "label";
    if (const TskDataSkinControl* ctl = FindControlLook(FSkinData, name, pic))
        B->Canvas()->CopyRect(Rect(0, 0, w, h), pic->Canvas(), ctl->SkinRect);
    const std::string& caption = Item->MenuItem->Caption();
    TCanvas* c = B->Canvas();
    c->Font()->SetColor(FItemData->FontColor);
    c->Brush()->SetStyle(bsClear);
    TRect r = Rect(0, 0, w, h);
    DrawWideText(c, caption.substr(1, caption.size() - 2), r, DT_CENTER | DT_SINGLELINE | DT_VCENTER);
}

void TskSkinPopupWindow::PaintSkinItem(TskSkinMenuItem* Item, TBitmap* B)
{
    const TskDataSkinMenuItem* d = FItemData;
    const int w = B->Width(), h = B->Height();
    if (Item->IsSeparator()) {
        CreateHSkinImage(d->DividerLeftOffset, d->DividerRightOffset, B, FItemPicture, d->DividerRect, w, h,
            d->DividerStretchEffect);
        B->SetSize(w, h);
        return;
    }
    if (IsHeader(Item->MenuItem)) {
        PaintHeader(Item, B);
        return;
    }
    const bool activeLook = Item->Active() && Item->Selectable();
    if (Item->CanAnimate() && Item->FrameIndex > 0) {
        const int frames = std::max(d->FrameCount, 1);
        const int fw = d->AnimateSkinRect.Width() / frames;
        const int f = std::min(Item->FrameIndex, frames) - 1;
        const TRect src = Bounds(d->AnimateSkinRect.Left + f * fw, d->AnimateSkinRect.Top, fw, d->AnimateSkinRect.Height());
        CreateHSkinImage(d->ItemLeftOffset, d->ItemRightOffset, B, FItemPicture, src, w, h, d->StretchEffect);
        B->SetSize(w, h);
    } else if (Item->CanMorph() && Item->MorphKf > 0 && Item->MorphKf < 1) {
        TBitmap normal(w, h), active(w, h);
        ComposeSkinItemBack(Item, &normal, false);
        ComposeSkinItemBack(Item, &active, true);
        TskEffectBmp from(normal.Handle());
        TskEffectBmp to(active.Handle());
        MorphBy(from, to, d->MorphKind, Item->MorphKf);
        from.DrawToDC(B->Canvas()->Handle(), 0, 0);
    } else if (Item->CanMorph()) {
        ComposeSkinItemBack(Item, B, Item->MorphKf >= 1);
    } else {
        ComposeSkinItemBack(Item, B, activeLook);
    }
    TCanvas* c = B->Canvas();
    c->Font()->Assign(FMeasure->Canvas()->Font());
    if (Item->MenuItem->OnDrawItem) {
        // The item draws itself over the skin's background: nothing else of the item is painted.
        TRect textR = d->TextRect;
        textR.Right = w - (d->SkinRect.Width() - d->TextRect.Right);
        Item->MenuItem->OnDrawItem(Item->MenuItem, c, textR, activeLook);
        return;
    }
    TColor color = activeLook ? d->ActiveFontColor : d->FontColor;
    if (!Item->MenuItem->Enabled()) color = d->UnEnabledFontColor;
    TRect textR = d->TextRect;
    textR.Right = w - (d->SkinRect.Width() - d->TextRect.Right);
    TRect imageR;
    if (!d->ImageRect.IsEmpty()) {
        imageR = d->ImageRect;
    } else {
        imageR = Rect(textR.Left, 0, textR.Left + FImageColumn, h);
        textR.Left += FImageColumn;
    }
    PaintItemText(Item, c, textR, color);
    if (Item->HasSubMenu()) {
        const TRect arrow = activeLook ? d->ActiveArrowImageRect : d->ArrowImageRect;
        if (!arrow.IsEmpty())
            DrawPieceCentred(c, FItemPicture, arrow, Rect(textR.Right - arrow.Width(), 0, textR.Right, h));
        else
            DrawDefaultArrow(c, textR.Right - 9, h / 2, color);
    }
    const TColor markColor = d->UseImageColor ? (activeLook ? d->ActiveImageColor : d->ImageColor) : color;
    PaintItemMarks(Item, c, imageR, markColor, true);
}
