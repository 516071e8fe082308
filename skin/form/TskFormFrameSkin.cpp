// The frame and a change of skin: applying the frame's own skin, switching the skinned frame on and
// off, and passing a skin change on to every skinned control of the form. Part of TskFormFrame (see
// TskFormFrame.h).
#include <algorithm>
#include <set>
#include <vector>

#include "platform/vcl/TForm.h"
#include "platform/win/Window.h"
#include "skin/controls/TskGraphicSkinControl.h"
#include "skin/controls/TskSkinBevel.h"
#include "skin/controls/TskSkinControl.h"
#include "skin/controls/TskSkinCustomListView.h"
#include "skin/controls/TskSkinCustomTreeView.h"
#include "skin/controls/TskSkinEdit.h"
#include "skin/controls/TskSkinStdLabel.h"
#include "skin/data/SkinPlatform.h"
#include "skin/data/TskDataSkinObject.h"
#include "skin/data/TskSkinData.h"
#include "skin/form/TskActiveSkinObject.h"
#include "skin/form/TskFormFrame.h"

namespace {

// Learns which of the controls of a walk are freed while the walk runs: a control's refresh may make or
// free others (a list box makes its bars while they are needed), and a freed one must not be visited.
class TWalkWatch : public TComponent {
public:
    TWalkWatch() : TComponent(nullptr) {}
    ~TWalkWatch() override
    {
        for (TComponent* c : FWatched)
            if (FGone.count(c) == 0) c->RemoveFreeNotification(this);
    }
    TWalkWatch(const TWalkWatch&) = delete;
    TWalkWatch& operator=(const TWalkWatch&) = delete;

    void Watch(TComponent* C)
    {
        if (FWatched.insert(C).second) C->FreeNotification(this);
    }
    bool Gone(const TComponent* C) const { return FGone.count(const_cast<TComponent*>(C)) != 0; }

protected:
    // More than a link clears: every watched control that goes is remembered, for the rest of the walk.
    void Notification(TComponent* AComponent, TOperation Operation) override
    {
        TComponent::Notification(AComponent, Operation);
        if (Operation == opRemove) FGone.insert(AComponent);
    }

private:
    std::set<TComponent*> FWatched;
    std::set<TComponent*> FGone;
};

// Whether a control takes part in a change of Skin: a nil Skin means every skinned control does.
template <class C>
bool Follows(const C* Control, const TskSkinData* Skin)
{
    return Skin == nullptr || Control->SkinData() == Skin;
}

// Before the skin changes: the controls that keep an entry index forget it.
void BeforeChange(TControl* Control, TskSkinData* Skin)
{
    if (auto* g = dynamic_cast<TskGraphicSkinControl*>(Control)) {
        if (Follows(g, Skin)) g->ResetSkinIndex();
    } else if (auto* w = dynamic_cast<TskSkinControl*>(Control)) {
        if (Follows(w, Skin)) w->ResetSkinIndex();
    }
}

// After it changed: each class reads its entry again in its own way. The first matching class wins.
void AfterChange(TControl* Control, TskSkinData* Skin)
{
    if (auto* g = dynamic_cast<TskGraphicSkinControl*>(Control)) {
        if (Follows(g, Skin)) g->RefreshSkin();
    } else if (auto* w = dynamic_cast<TskSkinControl*>(Control)) {
        if (Follows(w, Skin)) w->RefreshSkin();
    } else if (auto* e = dynamic_cast<TskSkinCustomEdit*>(Control)) {
        if (Follows(e, Skin)) e->RefreshEditSkin();
    } else if (auto* l = dynamic_cast<TskSkinStdLabel*>(Control)) {
        if (Follows(l, Skin)) l->RefreshStdLabelSkin();
    } else if (auto* t = dynamic_cast<TskSkinCustomTreeView*>(Control)) {
        if (Follows(t, Skin)) t->RefreshTreeViewSkin();
    } else if (auto* v = dynamic_cast<TskSkinCustomListView*>(Control)) {
        if (Follows(v, Skin)) v->RefreshListViewSkin();
    } else if (auto* b = dynamic_cast<TskSkinBevel*>(Control)) {
        if (Follows(b, Skin)) b->RefreshBevelSkin();
    }
}

// Depth first over the controls (not the components): the parent, then each of its controls in index
// order, a windowed one with its own controls. Each level is taken as it stands before it is visited.
void WalkControls(TWinControl* Parent, const std::function<void(TControl*)>& Visit, TWalkWatch& Watch)
{
    Watch.Watch(Parent);
    Visit(Parent);
    if (Watch.Gone(Parent)) return;
    std::vector<TControl*> level;
    level.reserve(static_cast<std::size_t>(Parent->ControlCount()));
    for (int i = 0; i < Parent->ControlCount(); ++i) level.push_back(Parent->Controls(i));
    for (TControl* c : level) Watch.Watch(c);
    for (TControl* c : level) {
        if (Watch.Gone(c) || Watch.Gone(Parent)) continue;
        if (auto* w = dynamic_cast<TWinControl*>(c))
            WalkControls(w, Visit, Watch);
        else
            Visit(c);
    }
}

} // namespace

void TskFormFrame::BeforeChangeControlsSkinData(TskSkinData* Skin, TWinControl* Parent)
{
    if (Parent == nullptr) return;
    TWalkWatch watch;
    WalkControls(Parent, [Skin](TControl* c) { BeforeChange(c, Skin); }, watch);
}

void TskFormFrame::ChangeControlsSkinData(TskSkinData* Skin, TWinControl* Parent)
{
    if (Parent == nullptr) return;
    TWalkWatch watch;
    WalkControls(Parent, [Skin](TControl* c) { AfterChange(c, Skin); }, watch);
}

void TskFormFrame::BeforeChangeSkinData(TMessage& Message)
{
    if (FSkinData == nullptr || Message.WParam != reinterpret_cast<WPARAM>(FSkinData.get())) return;
    FSkinChanging = true;
    HideGlowLayers();
    ClearSkinObjects();
    BeforeChangeControlsSkinData(FSkinData, FForm);
}

void TskFormFrame::ChangeSkinData(TMessage& Message)
{
    FSkinChanging = false;
    auto* skin = reinterpret_cast<TskSkinData*>(Message.WParam);
    const auto alive = FAlive.Watch();
    if (FSkinData != nullptr && skin == FSkinData) {
        ApplySkinData();
        if (!*alive) return;
    }
    // Also for another skin component: the form's controls that use it are refreshed too.
    if (skin != nullptr) ChangeControlsSkinData(skin, FForm);
}

void TskFormFrame::UpdateFormBorderIcons()
{
    TBorderIcons icons;
    if (!FFrameOn && !FHideCaptionButtons) icons.Include(biSystemMenu);
    if (FBorderIcons.Contains(TskBorderIcon::biMinimize)) icons.Include(biMinimize);
    if (FBorderIcons.Contains(TskBorderIcon::biMaximize)) icons.Include(biMaximize);
    FForm->SetBorderIcons(icons);
}

void TskFormFrame::ApplySkinData()
{
    if (FDestroying) return;
    FActiveObject = FPreviousActiveObject = FPressedObject = -1;
    HideGlowLayers();
    ClearSkinObjects();
    if (SkinUsable()) {
        for (const auto& entry : FSkinData->ObjectDataList) {
            std::unique_ptr<TskActiveSkinObject> object(CreateSkinObject(this, entry.get()));
            if (!object) continue;
            if (OnActivateCustomObject) OnActivateCustomObject(object->IDName, object->Visible);
            FObjects.push_back(std::move(object));
        }
        CreateMainMenuItems();
        LoadCaptionButtonHints();
        UpdateCaptionButtons();
    } else {
        CreateDefaultCaptionButtons();
    }
    // A frame that is off gives the form its own icons back; one that is on draws them itself.
    if (!FFrameOn)
        UpdateFormBorderIcons();
    else if (!FForm->BorderIcons().Empty())
        FForm->SetBorderIcons(TBorderIcons{});
    // A frame rolled up inside the client area stays rolled up only when the new skin has a roll-up
    // picture to show.
    if (FRolledUp && !FSupportNCArea && !(SkinUsable() && HasRollUpPicture(*FSkinData))) {
        FRolledUp = false;
        if (FHeightBeforeRollUp > 0) FForm->SetHeight(FHeightBeforeRollUp);
    }
    // Client-area mode: the window is the skin picture, and controls may be placed on its areas (a
    // stored form is applied once it is read, with all its controls).
    if (!FSupportNCArea && SkinUsable()) {
        if (!FRolledUp) FitClientToSkin();
        CollectAreaControls();
    }
    if (FForm->HandleAllocated()) {
        // The frame's thickness changes with the skin: the window works its client area out again.
        SetWindowPos(FForm->Handle(), 0, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        if (FSupportNCArea && FFrameOn) FitToSkinSizes();
        FWidth = FForm->Width();
        FHeight = FForm->Height();
        if (SkinUsable())
            UpdateSkinFrame(true);
        else
            SetFrameRegion(false);
        RepaintFrame();
        FForm->Invalidate();
    }
    UpdateCaptionActivation(!(FForm->FormStyle() == fsMDIChild && Maximized()));
    const auto alive = FAlive.Watch();
    if (OnChangeSkinData) {
        OnChangeSkinData(this);
        if (!*alive) return;
    }
    if (!FRolledUp && FForm->HandleAllocated()) ApplyStoredClientSize();
}

void TskFormFrame::FitToSkinSizes()
{
    // The new skin may need more room than the window has; a rolled-up or minimized frame is only its
    // caption.
    const int minW = GetMinWidth();
    const int minH = GetMinHeight();
    int w = FForm->Width();
    int h = FForm->Height();
    if (FRolledUp || Minimized()) h = minH;
    if (Minimized()) w = minW;
    w = std::max(w, minW);
    h = std::max(h, minH);
    if (w != FForm->Width() || h != FForm->Height()) FForm->SetBounds(FForm->Left(), FForm->Top(), w, h);
}

void TskFormFrame::FitClientToSkin()
{
    const TSize picture = FramePictureSize(*FSkinData);
    int w = FForm->ClientWidth();
    int h = FForm->ClientHeight();
    if (!FrameResizable(*FSkinData)) {
        w = picture.cx;
        h = picture.cy;
    } else {
        // A resizable skin only needs its room: a larger window stays as the user made it.
        w = std::max(w, GetMinWidth());
        h = std::max(h, GetMinHeight());
    }
    if (w != FForm->ClientWidth()) FForm->SetClientWidth(w);
    if (h != FForm->ClientHeight()) FForm->SetClientHeight(h);
}

void TskFormFrame::CollectAreaControls()
{
    FAreaControls.clear();
    for (int i = 0; i < FForm->ControlCount(); ++i) {
        TControl* c = FForm->Controls(i);
        std::string area;
        if (auto* w = dynamic_cast<TskSkinControl*>(c)) area = w->AreaName();
        else if (auto* g = dynamic_cast<TskGraphicSkinControl*>(c)) area = g->AreaName();
        if (area.empty()) continue;
        const int index = FSkinData->FindAreaIndex(area);
        if (index < 0) continue;
        const TRect r = FSkinData->SkinAreaList[static_cast<size_t>(index)]->AreaRect;
        if (r.IsEmpty()) continue;
        // The skin places it: alignment would move it away again.
        c->SetAlign(alNone);
        c->FreeNotification(this);
        FAreaControls.emplace_back(c, r);
    }
}

void TskFormFrame::PlaceAreaControls()
{
    if (FSupportNCArea || !SkinUsable()) return;
    // By the window's size now, as the skin objects are stretched.
    const TSize picture = FramePictureSize(*FSkinData);
    const int dx = FForm->Width() - picture.cx;
    const int dy = FForm->Height() - picture.cy;
    const bool stretch = FrameResizable(*FSkinData);
    for (const auto& [control, area] : FAreaControls) {
        const TRect r = stretch ? StretchFrameRect(*FSkinData, area, dx, dy) : area;
        control->SetBounds(r.Left, r.Top, r.Width(), r.Height());
        if (auto* w = dynamic_cast<TWinControl*>(control)) w->Realign();
    }
}

void TskFormFrame::ApplyStoredClientSize()
{
    if (FClientWidth > 0 && FForm->ClientWidth() != FClientWidth) FForm->SetClientWidth(FClientWidth);
    if (FClientHeight > 0 && FForm->ClientHeight() != FClientHeight) FForm->SetClientHeight(FClientHeight);
}

void TskFormFrame::SetSkinnableFrame(bool Value)
{
    if (FFrameOn == Value) return;
    // The children's frames are drawn inside this one: it cannot change under them.
    if (FForm->FormStyle() == fsMDIForm && FForm->MDIChildCount() > 0) return;
    // A maximized form stays maximized: the system's state is handed to the frame or back, with the
    // form hidden meanwhile so that the restored size never shows.
    const bool hideMeanwhile = FForm->FormStyle() != fsMDIForm && !Designing() && FForm->Visible();
    bool remaximize = false;
    if (!Designing() && !FFrameOn && FForm->WindowState() == wsMaximized) {
        remaximize = true;
        if (hideMeanwhile) FForm->Hide();
        FForm->SetWindowState(wsNormal);
    } else if (!Designing() && FFrameOn && Maximized()) {
        remaximize = true;
        if (hideMeanwhile) FForm->Hide();
        SetFrameWindowState(FrameStateNormal);
    }
    const auto alive = FAlive.Watch();
    FFrameOn = Value;
    ApplySkinData();
    if (!*alive) return;
    ChangeControlsSkinData(nullptr, FForm);
    if (!*alive || !remaximize) return;
    if (FFrameOn)
        SetFrameWindowState(FrameStateMaximized);
    else
        FForm->SetWindowState(wsMaximized);
    if (*alive && hideMeanwhile) FForm->Show();
}
