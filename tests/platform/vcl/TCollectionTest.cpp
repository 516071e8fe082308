#include "platform/vcl/TCollection.h"

#include <gtest/gtest.h>

namespace {
class TColumn : public TCollectionItem {
public:
    using TCollectionItem::TCollectionItem;
    int Width = 64;
    void SetWidth(int v)
    {
        Width = v;
        Changed(false);
    }
    void Assign(TPersistent* Source) override
    {
        if (auto* c = dynamic_cast<TColumn*>(Source))
            Width = c->Width;
        else
            TCollectionItem::Assign(Source);
    }
};
} // namespace

TEST(TCollectionItems, AddInsertDeleteKeepOrder)
{
    TCollection c(TCollection::Of<TColumn>());
    auto* a = c.Add();
    c.Add();
    auto* first = c.Insert(0);
    EXPECT_EQ(c.Count(), 3);
    EXPECT_EQ(c.Items(0), first);
    EXPECT_EQ(a->Index(), 1);
    c.Delete(0);
    EXPECT_EQ(c.Items(0), a);
    EXPECT_THROW(c.Items(5), EListError);
}

TEST(TCollectionItems, FreeingAnItemRemovesIt)
{
    TCollection c(TCollection::Of<TColumn>());
    delete c.Add();
    EXPECT_EQ(c.Count(), 0);
}

TEST(TCollectionUpdate, ChangesAreReportedOnceAfterEndUpdate)
{
    TCollection c(TCollection::Of<TColumn>());
    int updates = 0;
    TCollectionItem* last = reinterpret_cast<TCollectionItem*>(1);
    c.OnUpdate = [&](TCollectionItem* item) {
        ++updates;
        last = item;
    };
    auto* col = c.ItemsAs<TColumn>(c.Add()->Index());
    updates = 0;
    col->SetWidth(10);
    EXPECT_EQ(updates, 1);
    EXPECT_EQ(last, col);
    c.BeginUpdate();
    col->SetWidth(11);
    c.Add();
    EXPECT_EQ(updates, 1);
    c.EndUpdate();
    EXPECT_EQ(updates, 2);
    EXPECT_EQ(last, nullptr);
}

TEST(TCollectionAssign, CopiesItemsOfTheSameClass)
{
    TCollection a(TCollection::Of<TColumn>());
    TCollection b(TCollection::Of<TColumn>());
    a.ItemsAs<TColumn>(a.Add()->Index())->Width = 7;
    b.Add();
    b.Add();
    b.Assign(&a);
    ASSERT_EQ(b.Count(), 1);
    EXPECT_EQ(b.ItemsAs<TColumn>(0)->Width, 7);
}
