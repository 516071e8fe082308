#include "platform/vcl/DragDock.h"

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <vector>

#include "platform/vcl/TControl.h"
#include "platform/vcl/TScreen.h"
#include "platform/vcl/TWinControl.h"
#include "platform/win/Input.h"
#include "platform/win/MessageQueue.h"
#include "platform/win/Window.h"

namespace {

struct TDragRun {
    TControl* Source = nullptr;
    TDragKind Kind = dkDrag;
    bool Started = false;
    TPoint StartPos;
    int Threshold = DefaultDragThreshold;
    // The object handed round; owned here unless OnStartDrag or OnStartDock supplied it.
    TDragObject* Object = nullptr;
    std::unique_ptr<TDragObject> OwnObject;
    // The source's own place of the pointer inside it, kept while it docks.
    TPoint GrabOffset;
    TControl* Target = nullptr;
    bool Accepted = false;
    TCursor SavedCursor = crDefault;
    int Hook = 0;
};

std::unique_ptr<TDragRun>& Run()
{
    static std::unique_ptr<TDragRun> run;
    return run;
}

std::vector<TWinControl*>& DockSites()
{
    static std::vector<TWinControl*> sites;
    return sites;
}

bool IsInside(const TControl* Control, const TControl* Container)
{
    for (const TControl* c = Control; c != nullptr; c = c->Parent())
        if (c == Container) return true;
    return false;
}

// The control under a screen point: the window there, or the graphic child of it under the point.
TControl* ControlAtScreen(TPoint P)
{
    TWinControl* win = nullptr;
    for (HWND h = WindowFromPoint(P); h != 0 && win == nullptr; h = GetParent(h)) win = TWinControl::FindControl(h);
    if (win == nullptr) return nullptr;
    TControl* child = win->ControlAtPos(win->ScreenToClient(P), false, false);
    return child != nullptr ? child : win;
}

// The innermost dock site that takes Client at P (each site may widen or narrow where it takes it).
TWinControl* DockSiteAt(TControl* Client, TPoint P)
{
    TWinControl* best = nullptr;
    for (TWinControl* site : std::vector<TWinControl*>(DockSites())) {
        if (!site->Showing() || !site->HandleAllocated() || IsInside(site, Client)) continue;
        TRect influence;
        GetWindowRect(site->Handle(), influence);
        bool canDock = true;
        site->GetSiteInfo(Client, influence, P, canDock);
        if (!canDock || !influence.Contains(P)) continue;
        if (best == nullptr || IsInside(site, best)) best = site;
    }
    return best;
}

TObject* SourceFor(TDragRun& R)
{
    return R.OwnObject != nullptr ? static_cast<TObject*>(R.Source) : static_cast<TObject*>(R.Object);
}

void Finish();

// Asks Target whether it takes the drag at P, in the state given; true when it does.
bool AskTarget(TDragRun& R, TControl* Target, TPoint P, TDragState State)
{
    const TPoint local = Target->ScreenToClient(P);
    bool accept = false;
    if (R.Kind == dkDock) {
        auto* site = static_cast<TWinControl*>(Target);
        auto* dock = static_cast<TDragDockObject*>(R.Object);
        dock->DockRect = Bounds(P.X - R.GrabOffset.X, P.Y - R.GrabOffset.Y, R.Source->Width(), R.Source->Height());
        accept = true;
        site->DockOver(dock, local.X, local.Y, State, accept);
    } else {
        Target->DragOver(SourceFor(R), local.X, local.Y, State, accept);
    }
    return accept;
}

void MoveTo(TPoint P)
{
    TDragRun* r = Run().get();
    r->Object->DragPos = P;
    TControl* target = r->Kind == dkDock ? DockSiteAt(r->Source, P) : ControlAtScreen(P);
    if (target != r->Target && r->Target != nullptr) {
        TControl* old = r->Target;
        r->Target = nullptr;
        r->Accepted = false;
        AskTarget(*r, old, P, dsDragLeave);
        // A handler may have ended the drag (or freed its source).
        if (Run().get() != r) return;
        if (r->Target != nullptr) return;
    }
    TDragState state = target != r->Target ? dsDragEnter : dsDragMove;
    r->Target = target;
    r->Accepted = false;
    if (target != nullptr) {
        const bool accept = AskTarget(*r, target, P, state);
        if (Run().get() != r || r->Target != target) return;
        r->Accepted = accept;
    }
    r->Object->DragTarget = r->Accepted ? r->Target : nullptr;
    if (r->Kind == dkDrag && Screen != nullptr) Screen->SetCursor(r->Accepted ? r->Source->DragCursor() : crNoDrop);
}

void Start(TPoint P)
{
    TDragRun* r = Run().get();
    r->Started = true;
    TControl* source = r->Source;
    // The press that began it is no longer a click: the source lets the mouse go.
    source->Perform(CM_CANCELMODE, 0, 0);
    if (Run().get() != r) return;
    if (r->Kind == dkDock) {
        TDragDockObject* given = nullptr;
        source->DoStartDock(given);
        if (Run().get() != r) return;
        if (given == nullptr) {
            r->OwnObject = std::make_unique<TDragDockObject>(source);
            given = static_cast<TDragDockObject*>(r->OwnObject.get());
        }
        r->Object = given;
    } else {
        TDragObject* given = nullptr;
        source->DoStartDrag(given);
        if (Run().get() != r) return;
        if (given == nullptr) {
            r->OwnObject = std::make_unique<TDragObject>(source);
            given = r->OwnObject.get();
        }
        r->Object = given;
    }
    if (r->Object->Control() == nullptr) r->Object->SetControl(source);
    const TPoint origin = source->ClientToScreen(Point(0, 0));
    r->GrabOffset = Point(r->StartPos.X - origin.X, r->StartPos.Y - origin.Y);
    if (Screen != nullptr) r->SavedCursor = Screen->Cursor();
    // The pointer stays with the drag wherever it goes.
    SetCaptureControl(source);
    MoveTo(P);
}

// Docks the source into Site at P; false when its present site refuses to let it go.
bool DockInto(TDragRun& R, TWinControl* Site)
{
    TControl* client = R.Source;
    TWinControl* old = client->HostDockSite();
    if (old != nullptr && old != Site && !old->DoUnDock(Site, client)) return false;
    if (Run().get() != &R || R.Source == nullptr || R.Target != Site) return false;
    const TRect& rect = static_cast<TDragDockObject*>(R.Object)->DockRect;
    const TPoint at = Site->ScreenToClient(rect.TopLeft());
    client->SetParent(Site);
    client->SetBounds(at.X, at.Y, client->Width(), client->Height());
    return true;
}

// Ends the drag under way: a drop on an accepting target tells the target, anything else tells the
// target it was left; then the source hears where it ended.
void Done(bool Drop)
{
    TDragRun* r = Run().get();
    if (r == nullptr) return;
    if (r->Hook != 0) {
        RemoveMessageHook(r->Hook);
        r->Hook = 0;
    }
    if (!r->Started) {
        Run().reset();
        return;
    }
    if (GetCaptureControl() == r->Source) SetCaptureControl(nullptr);
    if (Screen != nullptr) Screen->SetCursor(r->SavedCursor);
    const TPoint p = r->Object->DragPos;
    if (!Drop || !r->Accepted || r->Target == nullptr) {
        TControl* left = r->Target;
        r->Target = nullptr;
        r->Accepted = false;
        if (left != nullptr) AskTarget(*r, left, p, dsDragLeave);
    } else if (r->Kind == dkDock) {
        auto* site = static_cast<TWinControl*>(r->Target);
        if (DockInto(*r, site)) {
            const TPoint local = site->ScreenToClient(p);
            site->DockDrop(static_cast<TDragDockObject*>(r->Object), local.X, local.Y);
        } else if (Run().get() == r) {
            r->Accepted = false;
        }
    } else {
        const TPoint local = r->Target->ScreenToClient(p);
        r->Target->DragDrop(SourceFor(*r), local.X, local.Y);
    }
    // A handler may have ended the drag its own way (or freed the source).
    if (Run().get() != r) return;
    Finish();
}

void Finish()
{
    std::unique_ptr<TDragRun> r = std::move(Run());
    if (r == nullptr || r->Source == nullptr) return;
    const TPoint p = r->Object != nullptr ? r->Object->DragPos : GetCursorPos();
    TControl* target = r->Accepted ? r->Target : nullptr;
    const TPoint local = target != nullptr ? target->ScreenToClient(p) : p;
    if (r->Kind == dkDock)
        r->Source->DoEndDock(target, local.X, local.Y);
    else
        r->Source->DoEndDrag(target, local.X, local.Y);
}

bool Watch(TMsg& M)
{
    TDragRun* r = Run().get();
    if (r == nullptr) return false;
    TPoint p = ParamPoint(M.lParam);
    ClientToScreen(M.hwnd, p);
    switch (M.message) {
    case WM_MOUSEMOVE:
        if (!r->Started) {
            // Until the pointer has really moved with the button held, the press is the control's own.
            if ((M.wParam & MK_LBUTTON) == 0) {
                Done(false);
                return false;
            }
            if (std::abs(p.X - r->StartPos.X) < r->Threshold && std::abs(p.Y - r->StartPos.Y) < r->Threshold)
                return false;
            Start(p);
            return true;
        }
        MoveTo(p);
        return true;
    case WM_LBUTTONUP:
        if (!r->Started) {
            Done(false);
            return false;
        }
        r->Object->DragPos = p;
        Done(true);
        return true;
    case WM_RBUTTONDOWN:
    case WM_CANCELMODE:
        Done(false);
        return r->Started;
    case WM_KEYDOWN:
        if (M.wParam != VK_ESCAPE) return r->Started;
        Done(false);
        return true;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        return r->Started;
    default:
        return false;
    }
}

} // namespace

namespace DragManager {

void Begin(TControl* Control, TPoint At)
{
    if (Control == nullptr || Run() != nullptr) return;
    auto run = std::make_unique<TDragRun>();
    run->Source = Control;
    run->Kind = Control->DragKind();
    run->StartPos = At;
    run->Hook = AddMessageHook([](TMsg& m) { return Watch(m); });
    Run() = std::move(run);
}

bool IsDragging(const TControl* Control) { return Run() != nullptr && Run()->Started && Run()->Source == Control; }

TDragObject* Current() { return Run() != nullptr && Run()->Started ? Run()->Object : nullptr; }

void ControlGone(TControl* Control)
{
    if (auto* site = dynamic_cast<TWinControl*>(Control)) SetDockSite(site, false);
    TDragRun* r = Run().get();
    if (r == nullptr) return;
    if (r->Source == Control) {
        if (r->Hook != 0) RemoveMessageHook(r->Hook);
        if (Screen != nullptr && r->Started) Screen->SetCursor(r->SavedCursor);
        Run().reset();
        return;
    }
    if (r->Target == Control) {
        r->Target = nullptr;
        r->Accepted = false;
        if (r->Object != nullptr) r->Object->DragTarget = nullptr;
    }
    if (r->Object != nullptr && r->OwnObject == nullptr && r->Object->Control() == Control) r->Object->SetControl(nullptr);
}

void SetDockSite(TWinControl* Site, bool IsSite)
{
    auto& sites = DockSites();
    sites.erase(std::remove(sites.begin(), sites.end(), Site), sites.end());
    if (IsSite) sites.push_back(Site);
}

} // namespace DragManager
