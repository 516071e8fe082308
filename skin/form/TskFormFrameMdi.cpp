// The frames of an MDI set working together: the main form's frame paints the MDI client from the skin,
// shows a maximized child in its caption and menu bar, and keeps the window menu and the tab bar in
// step with the children; a child's frame fills the client area when maximized (with no frame of its
// own showing) and lines up along the client's bottom when minimized. Part of TskFormFrame (see
// TskFormFrame.h).
#include <algorithm>

#include "platform/vcl/TApplication.h"
#include "platform/vcl/TBitmap.h"
#include "platform/vcl/TCanvas.h"
#include "platform/vcl/TForm.h"
#include "platform/vcl/TMenu.h"
#include "platform/win/MdiClient.h"
#include "platform/win/Paint.h"
#include "platform/win/Window.h"
#include "skin/controls/TskSkinControl.h"
#include "skin/data/TskSkinData.h"
#include "skin/form/TskFormFrame.h"
#include "skin/form/TskSkinMDITabsBar.h"
#include "skin/form/TskSkinMainMenuBar.h"

namespace {

const std::string ChildItemSuffix = "_SKFCHILDITEM";

bool EndsWith(const std::string& S, const std::string& Tail)
{
    return S.size() >= Tail.size() && S.compare(S.size() - Tail.size(), Tail.size(), Tail) == 0;
}

TBitmap* SkinPictureAt(const TskSkinData& Skin, int Index)
{
    if (Index < 0 || Index >= static_cast<int>(Skin.ActivePictures.size())) return nullptr;
    TBitmap* b = Skin.ActivePictures[static_cast<std::size_t>(Index)].get();
    // A picture with no pixels counts as none: tiling it would never advance.
    return b != nullptr && !b->Empty() && b->Width() > 0 && b->Height() > 0 ? b : nullptr;
}

TCustomForm* MDIChildNamed(TCustomForm* Main, const std::string& Name)
{
    for (int i = 0; Main != nullptr && i < Main->MDIChildCount(); ++i)
        if (Main->MDIChildren(i)->Name() == Name) return Main->MDIChildren(i);
    return nullptr;
}

} // namespace

// ---- The main form ----

void TskFormFrame::SetMDITabsBar(TskSkinMDITabsBar* Value)
{
    if (Value == FMDITabsBar) return;
    FMDITabsBar = Value;
}

TRect TskFormFrame::GetMDIClientArea() const
{
    TRect r{0, 0, FForm->ClientWidth(), FForm->ClientHeight()};
    for (int i = 0; i < FForm->ControlCount(); ++i) {
        const TControl* c = FForm->Controls(i);
        if (!c->Visible()) continue;
        switch (c->Align()) {
        case alLeft: r.Left = std::max(r.Left, c->Left() + c->Width()); break;
        case alTop: r.Top = std::max(r.Top, c->Top() + c->Height()); break;
        case alRight: r.Right = std::min(r.Right, c->Left()); break;
        case alBottom: r.Bottom = std::min(r.Bottom, c->Top()); break;
        default: break;
        }
    }
    return r;
}

TCustomForm* TskFormFrame::FindMaximizedMDIChild() const
{
    if (FForm->FormStyle() != fsMDIForm) return nullptr;
    auto maximized = [](TCustomForm* Child) {
        const TskFormFrame* f = Child != nullptr ? FindSkinFormComponent(Child) : nullptr;
        return f != nullptr && f->Maximized();
    };
    if (TCustomForm* active = FForm->ActiveMDIChild(); maximized(active)) return active;
    for (int i = 0; i < FForm->MDIChildCount(); ++i)
        if (maximized(FForm->MDIChildren(i))) return FForm->MDIChildren(i);
    return nullptr;
}

void TskFormFrame::UpdateMaximizedChildren()
{
    for (int i = 0; i < FForm->MDIChildCount(); ++i)
        if (TCustomForm* child = FForm->MDIChildren(i)) SendMessage(child->Handle(), WM_UPDATEMAXIMIZEDCHILD);
    ArrangeMinimizedMDIChildren();
}

void TskFormFrame::ArrangeMinimizedMDIChildren()
{
    if (FForm->FormStyle() != fsMDIForm) return;
    const TRect area = GetMDIClientArea();
    int x = 0;
    int row = 0;
    for (int i = 0; i < FForm->MDIChildCount(); ++i) {
        TCustomForm* child = FForm->MDIChildren(i);
        TskFormFrame* f = FindSkinFormComponent(child);
        if (f == nullptr || !f->Minimized() || !child->Visible()) continue;
        const int w = f->GetMinWidth();
        const int h = f->GetMinHeight();
        if (x > 0 && x + w > area.Width()) {
            x = 0;
            ++row;
        }
        child->SetBounds(x, area.Height() - h * (row + 1), w, h);
        x += w;
    }
}

std::string TskFormFrame::DefaultFrameCaption() const
{
    std::string text = FForm->Caption();
    if (FMDIChildMax)
        if (TCustomForm* child = FindMaximizedMDIChild()) text += " - [" + child->Caption() + "]";
    return text;
}

void TskFormFrame::HookMDIClient(HWND Client)
{
    if (FForm->FormStyle() != fsMDIForm || Designing()) return;
    if (Client == 0 && FForm->HandleAllocated()) Client = FForm->ClientHandle();
    if (Client == 0 || !IsWindow(Client)) return;
    if (FMDIClientInstance != 0) {
        if (Client == FMDIClient && IsWindow(FMDIClient)) return;
        // The form made a new client: the old one is gone, or on its way.
        UnhookMDIClient();
    }
    FMDIClient = Client;
    FMDIClientInstance = MakeObjectInstance([this](HWND H, UINT M, WPARAM W, LPARAM L) { return MDIClientWindowProc(H, M, W, L); });
    FMDIClientOldProc = SetWindowLongPtr(FMDIClient, GWLP_WNDPROC, FMDIClientInstance);
    // The client loses its edge: its size changes with it.
    SetWindowPos(FMDIClient, 0, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    // A client made with the form's window waits for the form's first show to fit it; one made while
    // the form shows is fitted at once.
    FMDIClientRefitPending = !FForm->HandleAllocated() || !IsWindowVisible(FForm->Handle());
    if (!FMDIClientRefitPending) RefitForm();
    InvalidateRect(FMDIClient, nullptr, TRUE);
}

void TskFormFrame::UnhookMDIClient()
{
    if (FMDIClientInstance == 0) return;
    if (IsWindow(FMDIClient)) SetWindowLongPtr(FMDIClient, GWLP_WNDPROC, FMDIClientOldProc);
    FreeObjectInstance(FMDIClientInstance);
    FMDIClientInstance = 0;
    FMDIClientOldProc = 0;
    FMDIClient = 0;
    FMDIClientRefitPending = false;
}

void TskFormFrame::RestoreMaximizedMDIChildren()
{
    // Frames are freed by nothing here, but a restore runs the child's handlers: ask again each time.
    for (int i = 0; i < FForm->MDIChildCount(); ++i)
        if (TskFormFrame* f = FindSkinFormComponent(FForm->MDIChildren(i)); f != nullptr && f->Maximized())
            f->SetFrameWindowState(FrameStateNormal);
}

LRESULT TskFormFrame::MDIClientWindowProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam)
{
    switch (Msg) {
    case WM_NCCALCSIZE:
    case WM_NCPAINT: return 0;
    case WM_NCACTIVATE: return 1;
    case WM_ERASEBKGND:
        PaintMDIClientBackground(reinterpret_cast<HDC>(WParam));
        return 1;
    case WM_MDICASCADE:
    case WM_MDITILE:
        // The window layer puts back only the children it maximised itself; a child maximised by its
        // frame is restored here first, so that it takes its place among the others.
        if (!FDestroying) RestoreMaximizedMDIChildren();
        return CallWindowProc(FMDIClientOldProc, Wnd, Msg, WParam, LParam);
    case WM_MDIICONARRANGE: {
        // The window layer lines up the children it minimised; the caption bars of the children that
        // their frames minimised join the same row.
        const LRESULT r = CallWindowProc(FMDIClientOldProc, Wnd, Msg, WParam, LParam);
        if (!FDestroying) ArrangeMinimizedMDIChildren();
        return r;
    }
    case WM_SIZE: {
        const LRESULT r = CallWindowProc(FMDIClientOldProc, Wnd, Msg, WParam, LParam);
        if (FDestroying) return r;
        UpdateMaximizedChildren();
        // A picture stretched over the client changes everywhere with its size.
        bool whole = !FLogoBitMap->Empty();
        if (SkinUsable()) {
            const TskSkinData& s = *FSkinData;
            whole = whole || (SkinPictureAt(s, s.MDIBGPictureIndex) == nullptr ? s.StretchEffect : s.MDIBGStretchEffect);
        }
        if (whole) InvalidateRect(Wnd, nullptr, TRUE);
        return r;
    }
    default: return CallWindowProc(FMDIClientOldProc, Wnd, Msg, WParam, LParam);
    }
}

void TskFormFrame::PaintMDIClientBackground(HDC DC)
{
    const HWND client = FMDIClient != 0 ? FMDIClient : FForm->ClientHandle();
    if (client == 0 || FDestroying) return;
    const bool own = DC == nullptr;
    if (own) DC = GetDC(client);
    TRect area;
    GetClientRect(client, area);
    TCanvas c;
    c.SetHandle(DC);
    if (!SkinUsable()) {
        c.Brush()->SetStyle(bsSolid);
        c.Brush()->SetColor(clAppWorkSpace);
        c.FillRect(area);
        DrawLogo(&c, area);
    } else if (TBitmap* mdi = SkinPictureAt(*FSkinData, FSkinData->MDIBGPictureIndex)) {
        DrawBackgroundPicture(&c, mdi, area, FSkinData->MDIBGStretchEffect, FSkinData->MDIBGStretchType);
    } else if (TBitmap* bg = SkinPictureAt(*FSkinData, FSkinData->BGPictureIndex)) {
        DrawBackgroundPicture(&c, bg, area, FSkinData->StretchEffect, FSkinData->StretchType);
    } else {
        // The part of the frame picture's client area the MDI client covers.
        CalcSkinFrameLayout();
        TBitmap& picture = ComposedFramePicture();
        TPoint at{0, 0};
        MapWindowPoints(client, FForm->Handle(), &at, 1);
        BitBlt(DC, 0, 0, area.Width(), area.Height(), picture.Canvas()->Handle(), FLayout.ClientRect.Left + at.X,
            FLayout.ClientRect.Top + at.Y, SRCCOPY);
    }
    c.SetHandle(nullptr);
    if (own) ReleaseDC(client, DC);
}

// ---- A child ----

TskFormFrame* TskFormFrame::MainMDIFrame() const
{
    if (FForm->FormStyle() != fsMDIChild || Application == nullptr) return nullptr;
    TCustomForm* main = Application->MainForm();
    if (main == nullptr || main->FormStyle() != fsMDIForm || main->ComponentState().Contains(csDestroying)) return nullptr;
    return FindSkinFormComponent(main);
}

TskFormFrame* TskFormFrame::ActiveMDIChildFrame() const
{
    if (FForm->FormStyle() != fsMDIForm || !FForm->HandleAllocated()) return nullptr;
    TskFormFrame* f = FindSkinFormComponent(FForm->ActiveMDIChild());
    return f != this ? f : nullptr;
}

void TskFormFrame::MaximizeMDIChild()
{
    if (FRestoreBounds.IsEmpty()) FRestoreBounds = FForm->BoundsRect();
    SendMessage(FForm->Handle(), WM_UPDATEMAXIMIZEDCHILD);
    if (OnMaximize) OnMaximize(this);
}

void TskFormFrame::MinimizeMDIChild()
{
    if (FRestoreBounds.IsEmpty()) FRestoreBounds = FForm->BoundsRect();
    if (TskFormFrame* main = MainMDIFrame()) {
        main->ArrangeMinimizedMDIChildren();
    } else if (HWND client = GetParent(FForm->Handle()); client != 0) {
        TRect area;
        GetClientRect(client, area);
        FForm->SetBounds(0, area.Height() - GetMinHeight(), GetMinWidth(), GetMinHeight());
    }
    if (OnMinimize) OnMinimize(this);
}

void TskFormFrame::MDIChildStateChanged(int Old)
{
    TCustomForm* main = Application != nullptr ? Application->MainForm() : nullptr;
    if (main == nullptr || main->FormStyle() != fsMDIForm || !main->HandleAllocated()) return;
    const auto self = static_cast<WPARAM>(FForm->Handle());
    SendMessage(main->Handle(), Maximized() ? WM_MDICHILDMAX : WM_MDICHILDRESTORE, self);
    // A child back from its minimized place leaves a gap in the row.
    if (Old == FrameStateMinimized)
        if (TskFormFrame* f = MainMDIFrame()) f->ArrangeMinimizedMDIChildren();
}

void TskFormFrame::AddMDIChildItems()
{
    TskFormFrame* main = MainMDIFrame();
    if (main == nullptr) return;
    if (TMenuItem* windowMenu = main->Form()->WindowMenu()) {
        const std::string name = FForm->Name() + ChildItemSuffix;
        bool present = false;
        for (int i = 0; i < windowMenu->Count(); ++i) present = present || windowMenu->Items(i)->Name() == name;
        if (!present) {
            auto* item = new TMenuItem(windowMenu);
            item->SetName(name);
            item->SetCaption(FForm->Caption());
            item->SetRadioItem(true);
            // Found again by name when chosen: the child may be gone by then.
            item->OnClick = [mainForm = main->Form(), childName = FForm->Name()](TObject*) {
                TCustomForm* child = MDIChildNamed(mainForm, childName);
                if (child == nullptr) return;
                if (TskFormFrame* f = FindSkinFormComponent(child); f != nullptr && f->Minimized())
                    f->SetFrameWindowState(FrameStateNormal);
                child->Show();
            };
            windowMenu->Add(item);
        }
    }
    if (main->MDITabsBar() != nullptr) main->MDITabsBar()->AddTab(FForm);
    UpdateMDIChildItems();
}

void TskFormFrame::RemoveMDIChildItems()
{
    TskFormFrame* main = MainMDIFrame();
    if (main == nullptr) return;
    if (TMenuItem* windowMenu = main->Form()->WindowMenu()) {
        const std::string name = FForm->Name() + ChildItemSuffix;
        // The last child takes every child item with it.
        bool othersLeft = false;
        for (int i = 0; i < main->Form()->MDIChildCount(); ++i) {
            TCustomForm* c = main->Form()->MDIChildren(i);
            othersLeft = othersLeft || (c != FForm && c->Visible());
        }
        for (int i = windowMenu->Count() - 1; i >= 0; --i) {
            TMenuItem* item = windowMenu->Items(i);
            if (item->Name() == name || (!othersLeft && EndsWith(item->Name(), ChildItemSuffix))) item->Free();
        }
    }
    if (main->MDITabsBar() != nullptr) main->MDITabsBar()->DeleteTab(FForm);
}

void TskFormFrame::UpdateMDIChildItems()
{
    TskFormFrame* main = MainMDIFrame();
    if (main == nullptr) return;
    TCustomForm* active = main->Form()->ActiveMDIChild();
    if (TMenuItem* windowMenu = main->Form()->WindowMenu()) {
        for (int i = 0; i < windowMenu->Count(); ++i) {
            TMenuItem* item = windowMenu->Items(i);
            if (!EndsWith(item->Name(), ChildItemSuffix)) continue;
            const std::string childName = item->Name().substr(0, item->Name().size() - ChildItemSuffix.size());
            if (childName == FForm->Name()) item->SetCaption(FForm->Caption());
            item->SetChecked(active != nullptr && active->Name() == childName);
        }
    }
    if (main->MainMenuBar() != nullptr) main->MainMenuBar()->SetActiveChild(active);
    if (main->MDITabsBar() != nullptr) main->MDITabsBar()->UpdateTabs();
    if (main->MDIChildMaximized()) main->RepaintFrame();
}

// ---- Messages ----

TskFormFrame::TDispatched TskFormFrame::DispatchMDIBefore(TMessage& Message)
{
    if (FForm->FormStyle() == fsMDIForm) {
        switch (Message.Msg) {
        case WM_MDICHILDMAX:
            FMDIChildMax = true;
            RepaintFrame();
            if (FMainMenuBar != nullptr) {
                FMainMenuBar->SetActiveChild(FForm->ActiveMDIChild());
                FMainMenuBar->SetMaximizedChild(FindMaximizedMDIChild());
            }
            Message.Result = 0;
            return TDispatched::Handled;
        case WM_MDICHILDRESTORE:
            if (FindMaximizedMDIChild() == nullptr) FMDIChildMax = false;
            RepaintFrame();
            if (FMainMenuBar != nullptr) FMainMenuBar->SetMaximizedChild(FindMaximizedMDIChild());
            Message.Result = 0;
            return TDispatched::Handled;
        default: return TDispatched::PassOn;
        }
    }
    const bool maximized = FFrameOn && FSupportNCArea && Maximized();
    switch (Message.Msg) {
    case WM_UPDATEMAXIMIZEDCHILD:
        if (Maximized()) {
            TRect area;
            if (TskFormFrame* main = MainMDIFrame())
                area = main->GetMDIClientArea();
            else if (HWND client = GetParent(FForm->Handle()); client != 0)
                GetClientRect(client, area);
            FForm->SetBounds(0, 0, area.Width(), area.Height());
            // Its frame goes (or comes back) even when the size stays.
            SetWindowPos(FForm->Handle(), 0, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        }
        Message.Result = 0;
        return TDispatched::Handled;
    // A maximized child shows no frame of its own: all of it is client.
    case WM_NCCALCSIZE:
        if (!maximized) return TDispatched::PassOn;
        Message.Result = 0;
        return TDispatched::Handled;
    case WM_NCHITTEST:
        if (!maximized) return TDispatched::PassOn;
        Message.Result = HTCLIENT;
        return TDispatched::Handled;
    case WM_NCPAINT:
        if (!maximized) return TDispatched::PassOn;
        Message.Result = 0;
        return TDispatched::Handled;
    default: return TDispatched::PassOn;
    }
}

void TskFormFrame::DispatchMDIAfter(const TMessage& Message)
{
    if (FForm->FormStyle() == fsMDIForm) {
        if (Message.Msg == WM_SHOWWINDOW && Message.WParam != 0) {
            if (!MDIClientHooked()) HookMDIClient();
            if (FMDIClientRefitPending) {
                FMDIClientRefitPending = false;
                RefitForm();
            }
        }
        // The client is hooked for as long as it lives: one the form makes again (its window made
        // again) is hooked as it comes, and one that goes is let go before its window does.
        if (Message.Msg == WM_PARENTNOTIFY && LOWORD(Message.WParam) == WM_CREATE) {
            const auto made = static_cast<HWND>(Message.LParam);
            if (made != 0 && GetClassName(made) == MDIClientClassName) HookMDIClient(made);
        }
        if (Message.Msg == WM_PARENTNOTIFY && LOWORD(Message.WParam) == WM_DESTROY && static_cast<HWND>(Message.LParam) == FMDIClient)
            UnhookMDIClient();
        if (Message.Msg == WM_DESTROY) UnhookMDIClient();
        if (Message.Msg == WM_AFTERCHANGESKINDATA && FSkinData != nullptr && Message.WParam == reinterpret_cast<WPARAM>(FSkinData.get()))
            UpdateMaximizedChildren();
        return;
    }
    switch (Message.Msg) {
    case WM_SHOWWINDOW:
        if (Message.WParam != 0)
            AddMDIChildItems();
        else
            RemoveMDIChildItems();
        break;
    case WM_SETTEXT:
    case WM_NCACTIVATE: UpdateMDIChildItems(); break;
    case WM_DESTROY:
        // The child's frame goes back to normal, so that the main form no longer counts it maximized.
        if (FWindowState != FrameStateNormal) {
            FWindowState = FrameStateNormal;
            MDIChildStateChanged(FrameStateNormal);
        }
        RemoveMDIChildItems();
        break;
    default: break;
    }
}
