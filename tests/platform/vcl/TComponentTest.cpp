#include "platform/vcl/TComponent.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> gFreed;

class TLinked : public TComponent {
public:
    using TComponent::TComponent;
    ~TLinked() override { gFreed.push_back(Name()); }
    TComponent* Link = nullptr;
    std::vector<std::pair<TComponent*, TOperation>> Seen;
    void SetLink(TComponent* c)
    {
        Link = c;
        if (c) c->FreeNotification(this);
    }
    void Notification(TComponent* AComponent, TOperation Operation) override
    {
        TComponent::Notification(AComponent, Operation);
        Seen.push_back({AComponent, Operation});
        if (Operation == opRemove && AComponent == Link) Link = nullptr;
    }
};

// Keeps two links and nothing else: no Notification of its own.
class TLinkHolder : public TComponent {
public:
    using TComponent::TComponent;
    TComponentLink<TComponent> First{this};
    TComponentLink<TComponent> Second{this};
};

// Runs an action when First's target goes, and notes what Second held at that moment.
class TActingHolder : public TComponent {
public:
    using TComponent::TComponent;
    int Runs = 0;
    TComponent* SecondWhenRun = nullptr;
    TComponentLink<TComponent> First{this, [this] {
        ++Runs;
        SecondWhenRun = Second.get();
    }};
    TComponentLink<TComponent> Second{this};
};

// Watches through FreeNotification (as TLinked) and keeps a link besides.
class TLinkedHolder : public TLinked {
public:
    using TLinked::TLinked;
    TComponentLink<TComponent> Held{this};
};

} // namespace

TEST(TComponentOwnership, OwnerFreesItsComponentsLastFirst)
{
    gFreed.clear();
    auto* owner = new TLinked(nullptr);
    owner->SetName("Owner");
    auto* a = new TLinked(owner);
    a->SetName("A");
    auto* b = new TLinked(owner);
    b->SetName("B");
    EXPECT_EQ(owner->ComponentCount(), 2);
    EXPECT_EQ(owner->Components(1), b);
    owner->Free();
    EXPECT_EQ(gFreed, (std::vector<std::string>{"Owner", "B", "A"}));
}

TEST(TComponentOwnership, FreeingAComponentRemovesItFromItsOwner)
{
    TLinked owner(nullptr);
    auto* a = new TLinked(&owner);
    a->Free();
    EXPECT_EQ(owner.ComponentCount(), 0);
}

TEST(TComponentOwnership, ComponentsOutOfRangeRaisesListError)
{
    TComponent owner(nullptr);
    EXPECT_THROW(owner.Components(0), EListError);
}

TEST(TComponentNames, FindComponentIgnoresCase)
{
    TComponent owner(nullptr);
    auto* a = new TComponent(&owner);
    a->SetName("Button1");
    EXPECT_EQ(owner.FindComponent("BUTTON1"), a);
    EXPECT_EQ(owner.FindComponent("Button2"), nullptr);
    EXPECT_EQ(owner.FindComponent(""), nullptr);
}

TEST(TComponentNames, DuplicateNameAmongSiblingsIsRefused)
{
    TComponent owner(nullptr);
    auto* a = new TComponent(&owner);
    a->SetName("Edit1");
    auto* b = new TComponent(&owner);
    EXPECT_THROW(b->SetName("edit1"), EComponentError);
    EXPECT_EQ(b->Name(), "");
    a->SetName("EDIT1"); // renaming itself in another case is fine
    EXPECT_EQ(a->Name(), "EDIT1");
}

TEST(TComponentNames, FindComponentFollowsRenamesMovesAndFrees)
{
    TComponent owner(nullptr), other(nullptr);
    auto* a = new TComponent(&owner);
    auto* b = new TComponent(&owner);
    a->SetName("Label1");
    b->SetName("Label2");
    a->SetName("Caption");
    EXPECT_EQ(owner.FindComponent("label1"), nullptr); // the old name is free again
    b->SetName("Label1");
    EXPECT_THROW(a->SetName("LABEL1"), EComponentError); // refused: both names stay as they were
    EXPECT_EQ(owner.FindComponent("caption"), a);
    EXPECT_EQ(owner.FindComponent("Label1"), b);
    other.InsertComponent(a);
    EXPECT_EQ(owner.FindComponent("Caption"), nullptr);
    EXPECT_EQ(other.FindComponent("Caption"), a);
    b->Free();
    EXPECT_EQ(owner.FindComponent("Label1"), nullptr);
    a->SetName("");
    EXPECT_EQ(other.FindComponent("Caption"), nullptr);
}

TEST(TComponentNames, InvalidIdentifierIsRefused)
{
    TComponent c(nullptr);
    EXPECT_THROW(c.SetName("1abc"), EComponentError);
    EXPECT_THROW(c.SetName("a b"), EComponentError);
    EXPECT_THROW(c.SetName("a'b"), EComponentError);
    c.SetName("pnl0_12");
    EXPECT_EQ(c.Name(), "pnl0_12");
}

TEST(TComponentNotification, SiblingsAreToldThroughTheOwner)
{
    TLinked owner(nullptr);
    auto* watcher = new TLinked(&owner);
    auto* target = new TLinked(&owner);
    watcher->Link = target;
    target->Free();
    EXPECT_EQ(watcher->Link, nullptr);
    ASSERT_FALSE(watcher->Seen.empty());
    EXPECT_EQ(watcher->Seen.back().second, opRemove);
}

TEST(TComponentNotification, FreeNotificationReachesOtherOwners)
{
    TLinked ownerA(nullptr);
    TLinked ownerB(nullptr);
    auto* watcher = new TLinked(&ownerA);
    auto* target = new TLinked(&ownerB);
    watcher->SetLink(target);
    target->Free();
    EXPECT_EQ(watcher->Link, nullptr);
}

TEST(TComponentNotification, WatcherFreedFirstIsNotCalledLater)
{
    auto* target = new TLinked(nullptr);
    auto* watcher = new TLinked(nullptr);
    watcher->SetLink(target);
    watcher->Free();
    target->Free(); // must not touch the freed watcher (the sanitizers would tell)
    SUCCEED();
}

TEST(TComponentLink, ClearsItselfWhenATargetOfAnotherOwnerIsFreed)
{
    TLinked ownerA(nullptr);
    TLinked ownerB(nullptr);
    auto* holder = new TLinkHolder(&ownerA);
    auto* target = new TLinked(&ownerB);
    holder->First = target;
    holder->Second = target;
    target->Free();
    EXPECT_EQ(holder->First.get(), nullptr);
    EXPECT_EQ(holder->Second.get(), nullptr);
}

TEST(TComponentLink, ClearsItselfWhenASiblingIsFreed)
{
    TLinked owner(nullptr);
    auto* holder = new TLinkHolder(&owner);
    auto* target = new TLinked(&owner);
    holder->First = target;
    target->Free();
    EXPECT_EQ(holder->First.get(), nullptr);
}

TEST(TComponentLink, ReplacedTargetNoLongerReachesTheHolder)
{
    auto* holder = new TLinkHolder(nullptr);
    auto* old = new TLinked(nullptr);
    auto* next = new TLinked(nullptr);
    holder->First = old;
    holder->First = next;
    // The old target now goes unnoticed, and the holder may go before the new one.
    old->Free();
    EXPECT_EQ(holder->First.get(), next);
    holder->Free();
    next->Free(); // must not touch the freed holder (the sanitizers would tell)
}

TEST(TComponentLink, OldTargetStillNamedByAnotherLinkKeepsItsNotification)
{
    TLinkHolder holder(nullptr);
    auto* shared = new TLinked(nullptr);
    auto* other = new TLinked(nullptr);
    holder.First = shared;
    holder.Second = shared;
    holder.First = other;
    shared->Free();
    EXPECT_EQ(holder.Second.get(), nullptr);
    EXPECT_EQ(holder.First.get(), other);
    other->Free();
    EXPECT_EQ(holder.First.get(), nullptr);
}

TEST(TComponentLink, LinkLettingGo_KeepsTheWatchFreeNotificationAskedFor)
{
    // The watcher asked to hear of the target; then a link between the two, of either, comes and goes.
    const std::pair<const char*, bool> cases[] = {{"the watcher's link", true}, {"the target's link", false}};
    for (const auto& [name, watcherHolds] : cases) {
        auto* watcher = new TLinkedHolder(nullptr);
        auto* target = new TLinkedHolder(nullptr);
        watcher->SetLink(target);
        TLinkedHolder* holder = watcherHolds ? watcher : target;
        holder->Held = watcherHolds ? static_cast<TComponent*>(target) : watcher;
        holder->Held = nullptr;
        target->Free();
        EXPECT_EQ(watcher->Link, nullptr) << name;
        watcher->Free();
    }
}

TEST(TComponentLink, ActionRunsOnceWhenItsTargetGoesAfterEveryLinkIsClear)
{
    TComponent owner(nullptr);
    auto* holder = new TActingHolder(&owner);
    auto* target = new TComponent(&owner);
    auto* replaced = new TComponent(nullptr);
    holder->First = replaced;
    holder->First = target;
    holder->Second = target;
    replaced->Free();
    EXPECT_EQ(holder->Runs, 0);
    target->Free();
    EXPECT_EQ(holder->Runs, 1);
    EXPECT_EQ(holder->SecondWhenRun, nullptr);
}

TEST(TComponentNotification, InsertIsAnnouncedToTheOwner)
{
    TLinked owner(nullptr);
    auto* a = new TLinked(&owner);
    ASSERT_FALSE(owner.Seen.empty());
    EXPECT_EQ(owner.Seen.back(), std::make_pair(static_cast<TComponent*>(a), opInsert));
}

TEST(TComponentState, DestroyingIsSetBeforeDestruction)
{
    struct TProbe : TComponent {
        using TComponent::TComponent;
        bool* Flag = nullptr;
        void BeforeDestruction() override
        {
            TComponent::BeforeDestruction();
            *Flag = ComponentState().Contains(csDestroying);
        }
    };
    bool destroying = false;
    auto* p = new TProbe(nullptr);
    p->Flag = &destroying;
    EXPECT_FALSE(p->ComponentState().Contains(csDesigning));
    p->Free();
    EXPECT_TRUE(destroying);
}

TEST(TPersistentAssign, UnknownPairRaisesConvertError)
{
    TComponent a(nullptr);
    TComponent b(nullptr);
    EXPECT_THROW(a.Assign(&b), EConvertError);
    EXPECT_THROW(a.Assign(nullptr), EConvertError);
}

TEST(TSetType, IncludeExcludeAndOperators)
{
    TComponentState s{csLoading, csReading};
    EXPECT_TRUE(s.Contains(csReading));
    s.Exclude(csReading);
    EXPECT_FALSE(s.Contains(csReading));
    EXPECT_EQ(s + csWriting, (TComponentState{csLoading, csWriting}));
    EXPECT_TRUE((s - csLoading).Empty());
}
