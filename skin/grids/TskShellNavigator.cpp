#include "skin/grids/TskShellNavigator.h"

#include "platform/rtl/ScopeGuards.h"

// ---- TskShellView ----

TskShellView::~TskShellView() { LeaveNavigator(); }

void TskShellView::LeaveNavigator()
{
    if (FNavigator == nullptr)
        return;
    if (FNavigator->FViews[FKind] == this)
        FNavigator->FViews[FKind] = nullptr;
    FNavigator.reset();
}

void TskShellView::LinkView(TskShellView* Other)
{
    if (Other == nullptr || Other == this || (FNavigator != nullptr && FNavigator == Other->FNavigator))
        return;
    std::shared_ptr<TskShellNavigator> target = FNavigator;
    if (target == nullptr)
        target = Other->FNavigator != nullptr ? Other->FNavigator : std::make_shared<TskShellNavigator>();
    // Kept alive while its views move over, so its companions can still be found.
    const std::shared_ptr<TskShellNavigator> old = Other->FNavigator;
    TskShellNavigator::Join(target, this);
    TskShellNavigator::Join(target, Other);
    if (old != nullptr && old != target)
        for (TskShellView* companion : old->FViews)
            if (companion != nullptr && target->View(companion->FKind) == nullptr)
                TskShellNavigator::Join(target, companion);
}

void TskShellView::UnlinkView(TShellViewKind Kind)
{
    if (TskShellView* linked = LinkedView(Kind))
        linked->LeaveNavigator();
}

void TskShellView::SetLinkedView(TShellViewKind Kind, TskShellView* View)
{
    if (View == nullptr)
        UnlinkView(Kind);
    else
        LinkView(View);
}

TskShellView* TskShellView::LinkedView(TShellViewKind Kind) const
{
    if (FNavigator == nullptr || Kind == FKind)
        return nullptr;
    return FNavigator->View(Kind);
}

void TskShellView::TellRoot(const std::string& Root)
{
    // Held here: a view the others' handlers free (this one too) takes the navigator only with its last user.
    if (const std::shared_ptr<TskShellNavigator> navigator = FNavigator)
        navigator->ChangeRoot(this, Root);
}

void TskShellView::TellFolder(const TItemIDList& ID)
{
    if (const std::shared_ptr<TskShellNavigator> navigator = FNavigator)
        navigator->ChangeFolder(this, ID);
}

// ---- TskShellNavigator ----

void TskShellNavigator::Join(const std::shared_ptr<TskShellNavigator>& Self, TskShellView* View)
{
    if (View->FNavigator == Self)
        return;
    View->LeaveNavigator();
    if (TskShellView* before = Self->FViews[View->FKind])
        before->LeaveNavigator();
    Self->FViews[View->FKind] = View;
    View->FNavigator = Self;
}

template <class TTell> void TskShellNavigator::TellOthers(TskShellView* Source, TTell Tell)
{
    if (FTelling)
        return;
    TValueGuard telling(FTelling);
    // Each place is read when its turn comes: a view told earlier may have freed or unlinked another.
    for (std::size_t kind = 0; kind < FViews.size(); ++kind)
        if (TskShellView* view = FViews[kind]; view != nullptr && view != Source)
            Tell(view);
}

void TskShellNavigator::ChangeRoot(TskShellView* Source, const std::string& Root)
{
    if (FTelling)
        return;
    FRoot = Root;
    // Copied: a view that follows may change the string the root came from.
    const std::string root = Root;
    TellOthers(Source, [&root](TskShellView* View) { View->FollowRoot(root); });
}

void TskShellNavigator::ChangeFolder(TskShellView* Source, const TItemIDList& ID)
{
    if (FTelling)
        return;
    FFolder = ID;
    // Copied: a view that follows may free the list the ID came from.
    const TItemIDList folder = ID;
    TellOthers(Source, [&folder](TskShellView* View) { View->FollowFolder(folder); });
}
