#include "skin/form/TskSkinImagesMenu.h"

#include "platform/gfx/Text.h"
#include "platform/vcl/TApplication.h"
#include "platform/vcl/TBitmap.h"
#include "platform/vcl/TCustomImageList.h"
#include "platform/vcl/TypInfo.h"
#include "platform/win/Input.h"
#include "platform/win/MessageQueue.h"
#include "skin/controls/SkinButtonLook.h"
#include "skin/controls/TskSkinMenuSpeedButton.h"
#include "skin/data/SkinDrawUtils.h"
#include "skin/data/SkinEntryFont.h"
#include "skin/data/SkinPlatform.h"
#include "skin/data/TskDataSkinButtonControl.h"
#include "skin/data/TskDataSkinCaption.h"
#include "skin/data/TskDataSkinEditControl.h"
#include "skin/data/TskSkinData.h"
#include "skin/form/TskSkinHint.h"
#include "skin/form/TskSkinMenu.h"

namespace {


// Messages of any window of the program that end the menu without a choice: what closes a skin menu,
// and the system keys, since this menu has no menu bar to take the keyboard over from it. A left press
// closes it only outside its own window, which the hook decides.
bool ClosesImagesMenu(UINT Msg)
{
    if (Msg == WM_LBUTTONDOWN) return false;
    return IsMenuClosingMessage(Msg) || Msg == WM_SYSKEYDOWN || Msg == WM_SYSCHAR;
}

TRect MenuWorkArea(TComponent* Owner)
{
    TRect r;
    TCustomForm* form = Screen != nullptr ? Screen->ActiveForm() : nullptr;
    if (form == nullptr || !form->HandleAllocated()) {
        form = Application->MainForm();
        if (form != nullptr && (!form->Visible() || !form->HandleAllocated())) form = nullptr;
    }
    if (form == nullptr) form = dynamic_cast<TCustomForm*>(Owner);
    if (form != nullptr && form->HandleAllocated())
        GetMonitorWorkArea(form->Handle(), true, r);
    else
        GetScreenArea(true, r);
    return r;
}

} // namespace

// ---- TskImagesMenuItem ----

void TskImagesMenuItem::Assign(TPersistent* Source)
{
    auto* other = dynamic_cast<TskImagesMenuItem*>(Source);
    if (other == nullptr) {
        TCollectionItem::Assign(Source);
        return;
    }
    FImageIndex = other->FImageIndex;
    FCaption = other->FCaption;
    FButton = other->FButton;
    FHint = other->FHint;
}

// ---- TskSkinImagesMenuPopupWindow ----

TskSkinImagesMenuPopupWindow::TskSkinImagesMenuPopupWindow(TskSkinImagesMenu* AMenu)
    : TCustomControl(nullptr), FMenu(AMenu)
{
    SetVisible(false);
}

TskSkinImagesMenuPopupWindow::~TskSkinImagesMenuPopupWindow()
{
    if (FHook != 0) RemoveMessageHook(FHook);
    if (HandleAllocated() && GetCapture() == Handle()) ReleaseCapture();
}

void TskSkinImagesMenuPopupWindow::Release()
{
    FMenu = nullptr;
    FOpen = false;
    if (FHook != 0) {
        RemoveMessageHook(FHook);
        FHook = 0;
    }
    if (HandleAllocated()) {
        if (GetCapture() == Handle()) ReleaseCapture();
        SetWindowPos(Handle(), 0, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
        Application->ReleaseComponent(this);
    }
    else
        Free();
}

void TskSkinImagesMenuPopupWindow::CreateParams(TCreateParams& Params)
{
    TCustomControl::CreateParams(Params);
    Params.Style = WS_POPUP;
    Params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE;
    Params.ClassStyle |= CS_SAVEBITS;
    if (IsWinXPOrLater()) Params.ClassStyle |= CS_DROPSHADOW;
    Params.WndParent = 0;
}

int TskSkinImagesMenuPopupWindow::Count() const { return FMenu->ImagesItems()->Count(); }

TskImagesMenuItem* TskSkinImagesMenuPopupWindow::Entry(int Index) const { return FMenu->ImagesItems()->Items(Index); }

bool TskSkinImagesMenuPopupWindow::Selectable(int Index) const
{
    return Index >= 0 && Index < Count() && !Entry(Index)->Header();
}

void TskSkinImagesMenuPopupWindow::FindSkinLook()
{
    FLook = TskPopupSkin::OfPopupWindow(FMenu->SkinData());
    FItemData = nullptr;
    FItemPicture = nullptr;
    FLabelData = nullptr;
    FLabelPicture = nullptr;
    FButtonData = nullptr;
    FButtonPicture = nullptr;
    if (!FLook.Skinned()) return;
    TskSkinData* skin = FMenu->SkinData();
    FindMenuItemLook(skin, FItemData, FItemPicture);
    FLabelData = dynamic_cast<TskDataSkinLabelControl*>(FindControlLook(skin, "label", FLabelPicture));
    TskDataSkinControl* button = FindControlLook(skin, "menuitembutton", FButtonPicture);
    if (skin->FindControlIndex("menuitembutton") < 0) button = FindControlLook(skin, "resizebutton", FButtonPicture);
    FButtonData = dynamic_cast<TskDataSkinButtonControl*>(button);
}

int TskSkinImagesMenuPopupWindow::HeaderHeight(int CellHeight) const
{
    return FLabelData != nullptr ? FLabelData->SkinRect.Height() : CellHeight;
}

TSize TskSkinImagesMenuPopupWindow::Arrange()
{
    FindSkinLook();
    TCustomImageList* images = FMenu->Images();
    const int cw = images->Width() + 10;
    const int ch = images->Height() + 10;
    const int rw = FMenu->ColumnsCount() * cw;
    const TPoint start = FLook.Skinned() ? FLook.Inner.TopLeft() : Point(5, 5);
    const int x0 = start.X;
    int x = x0;
    int y = start.Y;
    auto endRow = [&] {
        if (x != x0) {
            x = x0;
            y += ch + 1;
        }
    };
    for (int i = 0; i < Count(); ++i) {
        TskImagesMenuItem* e = Entry(i);
        if (e->Header() || e->Button()) {
            endRow();
            const int h = e->Header() ? HeaderHeight(ch) : ch;
            e->ItemRect = Rect(x0, y, x0 + rw, y + h);
            y += h + 1;
            continue;
        }
        e->ItemRect = Rect(x, y, x + cw, y + ch);
        x += cw;
        if (x + cw > x0 + rw) {
            x = x0;
            y += ch + 1;
        }
    }
    const int content = Count() > 0 ? Entry(Count() - 1)->ItemRect.Bottom - Entry(0)->ItemRect.Top : 0;
    if (!FLook.Skinned()) return TSize{rw + 10, content + 10};
    const TSize size{FLook.LeftMargin() + rw + FLook.RightMargin(), FLook.TopMargin() + content + FLook.BottomMargin()};
    FLook.Fit(size.cx, size.cy);
    return size;
}

void TskSkinImagesMenuPopupWindow::Show(const TRect& R)
{
    const TSize size = Arrange();
    const TRect wa = MenuWorkArea(FMenu->Owner());
    int x = R.Left;
    int y = R.Bottom;
    // Below the anchor when there is room, else above it; always inside the work area.
    if (y + size.cy > wa.Bottom) y = y - size.cy - R.Height();
    if (x + size.cx > wa.Right) x -= x + size.cx - wa.Right;
    x = std::max(x, wa.Left);
    y = std::max(y, wa.Top);
    SetBounds(x, y, size.cx, size.cy);
    FSelected = -1;
    const HWND h = Handle();
    FLook.ApplyRegion(h, size.cx, size.cy);
    FTranslucency.Apply(h, FMenu->AlphaBlend(), FMenu->AlphaBlendAnimation(), FMenu->AlphaBlendValue());
    SetWindowPos(h, HWND_TOPMOST, x, y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    FOpen = true;
    Invalidate();
    FHook = AddMessageHook([this](TMsg& m) {
        if (!FOpen) return false;
        if (m.message == WM_KEYDOWN) {
            KeyDown(static_cast<WORD>(m.wParam));
            return true;
        }
        if (ClosesImagesMenu(m.message) ||
            ((m.message == WM_LBUTTONDOWN || m.message == WM_LBUTTONDBLCLK) && m.hwnd != Handle())) {
            Hide(false);
            return m.message == WM_LBUTTONDOWN || m.message == WM_LBUTTONDBLCLK;
        }
        return false;
    });
    SetCapture(h);
}

void TskSkinImagesMenuPopupWindow::Hide(bool Accept)
{
    if (!FOpen) return;
    FOpen = false;
    FTranslucency.Stop(FHandle);
    if (FMenu->SkinHint() != nullptr) FMenu->SkinHint()->HideHint();
    if (HandleAllocated())
        SetWindowPos(Handle(), 0, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
    if (FHook != 0) {
        RemoveMessageHook(FHook);
        FHook = 0;
    }
    if (HandleAllocated() && GetCapture() == Handle()) ReleaseCapture();
    if (Accept && Selectable(FSelected)) FMenu->SetItemIndex(FSelected);
    FMenu->WindowClosed(Accept);
}

int TskSkinImagesMenuPopupWindow::EntryAt(int X, int Y) const
{
    for (int i = 0; i < Count(); ++i)
        if (Selectable(i) && PtInRect(Entry(i)->ItemRect, Point(X, Y))) return i;
    return -1;
}

void TskSkinImagesMenuPopupWindow::Select(int Index, bool ShowHint)
{
    if (Index == FSelected) return;
    FSelected = Index;
    Invalidate();
    TskSkinHint* hint = FMenu->SkinHint();
    if (!ShowHint || !FMenu->ShowHints() || hint == nullptr) return;
    hint->HideHint();
    if (Index >= 0 && !Entry(Index)->Hint().empty()) hint->ActivateHint2(Entry(Index)->Hint());
}

void TskSkinImagesMenuPopupWindow::MouseMove(TShiftState, int X, int Y)
{
    if (!FOpen) return;
    if (!PtInRect(ClientRect(), Point(X, Y))) {
        // Outside (seen through the capture): the pointer left the window.
        if (FSelected != -1) {
            if (FMenu->SkinHint() != nullptr) FMenu->SkinHint()->HideHint();
            FSelected = -1;
            Invalidate();
        }
        return;
    }
    Select(EntryAt(X, Y), true);
}

void TskSkinImagesMenuPopupWindow::MouseDown(TMouseButton Button, TShiftState, int X, int Y)
{
    if (!FOpen || Button != mbLeft) return;
    if (!PtInRect(ClientRect(), Point(X, Y))) {
        Hide(false);
        return;
    }
    if (FMenu->SkinHint() != nullptr) FMenu->SkinHint()->HideHint();
    FMouseDown = true;
    FDownOnItem = EntryAt(X, Y) != -1;
    Invalidate();
}

void TskSkinImagesMenuPopupWindow::MouseUp(TMouseButton Button, TShiftState, int X, int Y)
{
    if (!FOpen || Button != mbLeft || !FMouseDown) return;
    FMouseDown = false;
    const int at = EntryAt(X, Y);
    if (at != -1) {
        FSelected = at;
        Hide(true);
        return;
    }
    Invalidate();
    SetCapture(Handle());
}

int TskSkinImagesMenuPopupWindow::Vertical(bool Up) const
{
    if (FSelected < 0) {
        if (Up) {
            for (int i = Count() - 1; i >= 0; --i)
                if (Selectable(i)) return i;
            return -1;
        }
        for (int i = 0; i < Count(); ++i)
            if (Selectable(i)) return i;
        return -1;
    }
    const TRect& cur = Entry(FSelected)->ItemRect;
    auto fits = [&](int i) {
        const TRect& r = Entry(i)->ItemRect;
        const bool otherRow = Up ? r.Top < cur.Top : r.Top > cur.Top;
        return Selectable(i) && otherRow && (Entry(i)->Button() || r.Left == cur.Left);
    };
    if (Up) {
        for (int i = FSelected - 1; i >= 0; --i)
            if (fits(i)) return i;
    } else {
        for (int i = FSelected + 1; i < Count(); ++i)
            if (fits(i)) return i;
    }
    return FSelected;
}

void TskSkinImagesMenuPopupWindow::KeyDown(WORD Key)
{
    if (!FOpen) return;
    int next = FSelected;
    switch (Key) {
    case VK_RETURN:
    case VK_SPACE:
        // With nothing selected the current ItemIndex is confirmed.
        if (FSelected == -1 && Selectable(FMenu->ItemIndex())) FSelected = FMenu->ItemIndex();
        Hide(true);
        return;
    case VK_ESCAPE:
        Hide(false);
        return;
    case VK_LEFT:
        next = -1;
        for (int i = FSelected - 1; i >= 0 && next == -1; --i)
            if (Selectable(i)) next = i;
        for (int i = Count() - 1; i >= 0 && next == -1; --i)
            if (Selectable(i)) next = i;
        break;
    case VK_RIGHT:
        next = -1;
        for (int i = FSelected + 1; i < Count() && next == -1; ++i)
            if (Selectable(i)) next = i;
        for (int i = 0; i < Count() && next == -1; ++i)
            if (Selectable(i)) next = i;
        break;
    case VK_UP: next = Vertical(true); break;
    case VK_DOWN: next = Vertical(false); break;
    default: return;
    }
    Select(next, false);
}

void TskSkinImagesMenuPopupWindow::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_MOUSEACTIVATE:
        Message.Result = MA_NOACTIVATE;
        return;
    case WM_ERASEBKGND:
        Message.Result = 1;
        return;
    case WM_TIMER:
        if (FTranslucency.Tick(FHandle, Message.WParam)) return;
        break;
    default:
        break;
    }
    TCustomControl::WndProc(Message);
}

void TskSkinImagesMenuPopupWindow::PaintCell(TCanvas* C, const TRect& R, bool Hot, bool Down)
{
    if (!Hot && !Down) return;
    if (FItemData == nullptr) {
        FillFramed(C, R, SkinNavyFrame, Down ? SkinPressedFill : SkinHotFill);
        return;
    }
    // The item object's active picture fitted to the cell: its end columns kept, the rest stretched.
    const TRect& src = FItemData->ActiveSkinRect.IsEmpty() ? FItemData->SkinRect : FItemData->ActiveSkinRect;
    TBitmap piece;
    StretchButtonPicture(&piece, FItemPicture, src,
        Rect(FItemData->ItemLeftOffset, 0, src.Width() - FItemData->ItemRightOffset, src.Height()), R.Width(), R.Height());
    C->Draw(R.Left, R.Top, &piece);
}

void TskSkinImagesMenuPopupWindow::PaintHeader(TCanvas* C, TskImagesMenuItem* E)
{
    TRect r = E->ItemRect;
    SelectEntryFont(C->Font(), FMenu->DefaultFont(), FMenu->UseSkinFont() ? FLabelData : nullptr, FMenu->SkinData(),
        FMenu->DefaultFont()->Charset());
    if (FLabelData != nullptr) {
        C->CopyRect(r, FLabelPicture->Canvas(), FLabelData->SkinRect);
        C->Font()->SetColor(FLabelData->FontColor);
    } else {
        C->Brush()->SetStyle(bsSolid);
        C->Brush()->SetColor(clBtnFace);
        C->FillRect(r);
    }
    C->Brush()->SetStyle(bsClear);
    DrawWideText(C, E->Caption(), r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void TskSkinImagesMenuPopupWindow::PaintButton(TCanvas* C, TskImagesMenuItem* E, bool Hot, bool Down)
{
    TRect r = E->ItemRect;
    SelectEntryFont(C->Font(), FMenu->DefaultFont(), FMenu->UseSkinFont() ? FButtonData : nullptr, FMenu->SkinData(),
        FMenu->DefaultFont()->Charset());
    if (FButtonData != nullptr) {
        const TskDataSkinButtonControl* d = FButtonData;
        TRect src = d->SkinRect;
        if (Down && !d->DownSkinRect.IsEmpty())
            src = d->DownSkinRect;
        else if (Hot && !d->ActiveSkinRect.IsEmpty())
            src = d->ActiveSkinRect;
        TBitmap piece;
        StretchButtonPicture(&piece, FButtonPicture, src, d->ClientRect, r.Width(), r.Height());
        C->Draw(r.Left, r.Top, &piece);
        C->Font()->SetColor(Down ? d->DownFontColor : Hot ? d->ActiveFontColor : d->FontColor);
    } else if (Down || Hot) {
        FillFramed(C, r, SkinNavyFrame, Down ? SkinPressedFill : SkinHotFill);
    } else {
        FillFramed(C, r, clBtnShadow, clBtnFace);
    }
    if (Down) OffsetRect(r, 1, 1);
    C->Brush()->SetStyle(bsClear);
    DrawWideText(C, E->Caption(), r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void TskSkinImagesMenuPopupWindow::PaintEntry(TCanvas* C, int Index)
{
    TskImagesMenuItem* e = Entry(Index);
    const bool down = FMouseDown && FDownOnItem && Index == FSelected;
    const bool hot = Index == FSelected || (FMenu->ShowSelectedItem() && Index == FMenu->SavedItemIndex());
    if (e->Header()) {
        PaintHeader(C, e);
        return;
    }
    if (e->Button()) {
        PaintButton(C, e, hot, down);
        return;
    }
    const TRect& r = e->ItemRect;
    PaintCell(C, r, hot, down);
    TCustomImageList* images = FMenu->Images();
    const int shift = down && FItemData != nullptr ? 1 : 0;
    if (e->ImageIndex() >= 0 && e->ImageIndex() < images->Count())
        images->Draw(C, r.Left + 5 + shift, r.Top + 5 + shift, e->ImageIndex());
}

void TskSkinImagesMenuPopupWindow::Paint()
{
    if (FMenu == nullptr) return;
    const int w = Width(), h = Height();
    TBitmap b(w, h);
    TCanvas* c = b.Canvas();
    if (FLook.Skinned()) {
        FLook.Compose(&b, w, h, true);
        b.SetSize(w, h);
    } else {
        FillFramed(c, Rect(0, 0, w, h), clBtnShadow, clWindow);
    }
    if (FMenu->Images() != nullptr)
        for (int i = 0; i < Count(); ++i) PaintEntry(c, i);
    Canvas()->Draw(0, 0, &b);
}

// ---- TskSkinImagesMenu ----

TskSkinImagesMenu::TskSkinImagesMenu(TComponent* AOwner)
    : TComponent(AOwner), FItems(std::make_unique<TskImagesMenuItems>(this)),
      FDefaultFont(std::make_unique<TFont>())
{
    FDefaultFont->SetName("Arial");
    FDefaultFont->SetHeight(14);
}

TskSkinImagesMenu::~TskSkinImagesMenu()
{
    FAlive.End();
    TskSkinImagesMenuPopupWindow* open = FWindow;
    FWindow = nullptr;
    // No close handler runs for a menu that is going away: the window is only cut loose.
    if (open != nullptr) open->Release();
    FreeClosedWindow();
}

void TskSkinImagesMenu::FreeClosedWindow()
{
    TskSkinImagesMenuPopupWindow* w = FClosedWindow;
    FClosedWindow = nullptr;
    if (w != nullptr) w->Release();
}

bool TskSkinImagesMenu::TrackPopup(const TRect& R, TNotifyEvent OnClose)
{
    OnInternalMenuClose = std::move(OnClose);
    Popup(R);
    return Window() != nullptr && Window()->Open();
}

bool TskSkinImagesMenu::TrackSelected(TCustomImageList*& Images, int& ImageIndex, std::string& Caption) const
{
    TskImagesMenuItem* item = GetSelectedItem();
    if (item == nullptr) return false;
    Images = this->Images();
    ImageIndex = item->ImageIndex();
    Caption = item->Caption();
    return true;
}

void TskSkinImagesMenu::Popup(const TRect& R)
{
    const auto alive = FAlive.Watch();
    if (FWindow != nullptr) {
        FWindow->Hide(false);
        if (!*alive) return;
    }
    FreeClosedWindow();
    if (OnMenuPopup) {
        OnMenuPopup(this);
        if (!*alive) return;
    }
    if (FImages == nullptr || FImages->Count() == 0) return;
    FSavedItemIndex = FItemIndex;
    FWindow = new TskSkinImagesMenuPopupWindow(this);
    FWindow->Show(R);
}

void TskSkinImagesMenu::WindowClosed(bool Accept)
{
    // The window may still be inside its own message handling: it is freed later, not now.
    FClosedWindow = FWindow;
    FWindow = nullptr;
    const auto alive = FAlive.Watch();
    if (OnInternalMenuClose) {
        OnInternalMenuClose(this);
        if (!*alive) return;
    }
    if (OnMenuClose) {
        OnMenuClose(this);
        if (!*alive) return;
    }
    if (!Accept) return;
    TskImagesMenuItem* item = GetSelectedItem();
    if (item == nullptr) return;
    if (item->OnClick) {
        item->OnClick(item);
        if (!*alive) return;
    }
    if (OnItemClick) {
        OnItemClick(this);
        if (!*alive) return;
    }
    if (FItemIndex != FSavedItemIndex) {
        if (OnInternalChange) {
            OnInternalChange(this);
            if (!*alive) return;
        }
        if (OnChange) OnChange(this);
    }
}

TskImagesMenuItem* TskSkinImagesMenu::GetSelectedItem() const
{
    if (FItemIndex < 0 || FItemIndex >= FItems->Count()) return nullptr;
    return FItems->Items(FItemIndex);
}

void TskSkinImagesMenu::SetImages(TCustomImageList* Value)
{
    if (Value == FImages) return;
    FImages = Value;
}

void TskSkinImagesMenu::ImagesGone()
{
    // The open window paints from the list: it closes with it.
    if (FWindow != nullptr) FWindow->Hide(false);
}

void TskSkinImagesMenu::SetColumnsCount(int Value)
{
    if (Value >= 1 && Value <= 50) FColumnsCount = Value;
}

void TskSkinImagesMenu::SetSkinData(TskSkinData* Value)
{
    if (Value == FSkinData) return;
    FSkinData = Value;
}

void TskSkinImagesMenu::SetSkinHint(TskSkinHint* Value)
{
    if (Value == FSkinHint) return;
    FSkinHint = Value;
}


void RegisterSkinImagesMenuClasses()
{
    static const bool done = [] {
        using I = TskImagesMenuItem;
        RegisterClass<I, TCollectionItem>("TskImagesMenuItem")
            .Prop("ImageIndex", &I::ImageIndex, &I::SetImageIndex, -1)
            .Prop("Caption", &I::Caption, &I::SetCaption)
            .Prop("Hint", &I::Hint, &I::SetHint)
            .Prop("Button", &I::Button, &I::SetButton, false)
            .Prop("Header", &I::Header, &I::SetHeader, false)
            .Event("OnClick", &I::OnClick);
        using M = TskSkinImagesMenu;
        RegisterClass<M, TComponent>("TskSkinImagesMenu")
            .Prop("Images", &M::Images, &M::SetImages)
            .Prop("ImagesItems", &M::ImagesItems)
            .Prop("ItemIndex", &M::ItemIndex, &M::SetItemIndex, -1)
            .Prop("ColumnsCount", &M::ColumnsCount, &M::SetColumnsCount, 1)
            .Prop("SkinData", &M::SkinData, &M::SetSkinData)
            .Prop("SkinHint", &M::SkinHint, &M::SetSkinHint)
            .Prop("ShowHints", &M::ShowHints, &M::SetShowHints, true)
            .Prop("ShowSelectedItem", &M::ShowSelectedItem, &M::SetShowSelectedItem, true)
            .Prop("UseSkinFont", &M::UseSkinFont, &M::SetUseSkinFont, true)
            .Prop("DefaultFont", &M::DefaultFont)
            .Prop("AlphaBlend", &M::AlphaBlend, &M::SetAlphaBlend, false)
            .Prop("AlphaBlendAnimation", &M::AlphaBlendAnimation, &M::SetAlphaBlendAnimation, false)
            .Prop("AlphaBlendValue", &M::AlphaBlendValue, &M::SetAlphaBlendValue, static_cast<BYTE>(200))
            .Event("OnItemClick", &M::OnItemClick)
            .Event("OnChange", &M::OnChange)
            .Event("OnMenuPopup", &M::OnMenuPopup)
            .Event("OnMenuClose", &M::OnMenuClose);
        return true;
    }();
    (void)done;
}
