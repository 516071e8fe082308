// The consumer side of the data provider framework, against a small provider of a few items: the
// view list, its strings, the context checks, and a list box that shows a provider's items.
#include "process/OxDataProvider.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "platform/backend/THeadlessDriver.h"
#include "platform/vcl/TForm.h"
#include "process/TOxListBox.h"

namespace {

struct FakeItems;

struct FakeItem : IOxDataItem {
    std::string Id, Caption;
    bool Textual = true;
    std::unique_ptr<FakeItems> Children;
    FakeItem(std::string I, std::string C) : Id(std::move(I)), Caption(std::move(C)) {}
    std::string ID() const override { return Id; }
    bool HasText() const override { return Textual; }
    std::string Text() const override { return Caption; }
    IOxDataItems* SubItems() const override;
};

struct FakeItems : IOxDataItems {
    std::vector<std::unique_ptr<FakeItem>> List;
    int Count() const override { return static_cast<int>(List.size()); }
    IOxDataItem* Item(int I) const override { return List[static_cast<std::size_t>(I)].get(); }
    FakeItem* Add(const std::string& Id, const std::string& Text)
    {
        List.push_back(std::make_unique<FakeItem>(Id, Text));
        return List.back().get();
    }
};

IOxDataItems* FakeItem::SubItems() const
{
    return Children.get();
}

struct FakeProvider : IOxDataProvider {
    FakeItems Root;
    std::vector<std::string> ContextNames;
    std::vector<TOxDataConsumer*> Consumers;
    int Entered = 0;
    IOxDataItems* Items() const override { return const_cast<FakeItems*>(&Root); }
    std::vector<std::string> Contexts() const override { return ContextNames; }
    void RegisterConsumer(TOxDataConsumer* C) override { Consumers.push_back(C); }
    void UnregisterConsumer(TOxDataConsumer* C) override
    {
        Consumers.erase(std::remove(Consumers.begin(), Consumers.end(), C), Consumers.end());
    }
    void Enter(TOxDataConsumer*) override { ++Entered; }
    void Leave(TOxDataConsumer*) override { --Entered; }

    // A root item added or deleted the way a provider announces it.
    void AddRoot(const std::string& Id, const std::string& Text)
    {
        for (auto* c : Consumers)
            c->ProviderChanging(drItemAdded, nullptr);
        FakeItem* item = Root.Add(Id, Text);
        for (auto* c : Consumers)
            c->ProviderChanged(drItemAdded, item, nullptr);
    }
    void DeleteRoot(int Index)
    {
        IOxDataItem* item = Root.Item(Index);
        for (auto* c : Consumers)
            c->ProviderChanging(drItemDeleted, item);
        Root.List.erase(Root.List.begin() + Index);
        for (auto* c : Consumers)
            c->ProviderChanged(drItemDeleted, nullptr, nullptr);
    }
};

std::string Thrown(const std::function<void()>& F)
{
    try {
        F();
    } catch (const Exception& e) {
        return e.Message();
    }
    return "";
}

} // namespace

TEST(DataConsumer, TheViewFlattensTheTreeAndItsStringsReadTheTexts)
{
    FakeProvider provider;
    provider.Root.Add("A", "alpha");
    FakeItem* b = provider.Root.Add("B", "beta");
    b->Children = std::make_unique<FakeItems>();
    b->Children->Add("B1", "beta one")->Textual = false;
    provider.Root.Add("C", "gamma");

    TOxDataConsumer consumer(nullptr, {1, 3, 3});
    EXPECT_EQ(consumer.Attributes(), (std::vector<int>{1, 3}));
    TOxConsumerStrings strings(consumer);
    EXPECT_EQ(strings.Count(), 0);
    consumer.SetProvider(&provider);
    ASSERT_NE(consumer.ViewList(), nullptr);
    TOxDataConsumerViewList& view = *consumer.ViewList();
    ASSERT_EQ(view.Count(), 4);
    EXPECT_EQ(view.Level(2), 1);
    EXPECT_EQ(view.Item(2)->ID(), "B1");
    EXPECT_EQ(strings[1], "beta");
    EXPECT_EQ(strings[2], ""); // an item without a text
    EXPECT_EQ(provider.Entered, 0);
    EXPECT_EQ(Thrown([&] { (void)strings[4]; }), "List index out of bounds (4)");

    provider.DeleteRoot(1); // beta goes with its child
    EXPECT_EQ(view.Count(), 2);
    EXPECT_EQ(strings[1], "gamma");

    consumer.SetProvider(nullptr);
    EXPECT_EQ(consumer.ViewList(), nullptr);
    EXPECT_TRUE(provider.Consumers.empty());
}

TEST(DataConsumer, ContextsAreCheckedByName)
{
    TOxDataConsumer consumer(nullptr, {3});
    EXPECT_EQ(Thrown([&] { consumer.SetContext("x"); }), "You must specify a provider before setting the context");
    FakeProvider provider;
    consumer.SetProvider(&provider);
    EXPECT_EQ(Thrown([&] { consumer.SetContext("x"); }), "Provider does not support contexts");
    FakeProvider withContexts;
    withContexts.ContextNames = {"Main", "Other"};
    consumer.SetProvider(&withContexts);
    EXPECT_EQ(consumer.Context(), "Main");
    consumer.SetContext("other");
    EXPECT_EQ(consumer.Context(), "Other");
    EXPECT_EQ(Thrown([&] { consumer.SetContext("None"); }), "Provider has no context named \"None\"");
}

TEST(ListBoxProviderMode, WithoutAProviderNothingChanges_WithOneItsRowsAreTheView)
{
    THeadlessDriver driver;
    TForm form(nullptr);
    auto* list = new TOxListBox(&form);
    list->SetParent(&form);
    int objectA = 1, objectB = 2;
    list->Items()->AddObject("one", &objectA);
    list->Items()->AddObject("two", &objectB);
    list->Items()->Add("three");
    list->Consumer()->SetProvider(nullptr);
    EXPECT_EQ(list->Items()->Count(), 3);
    EXPECT_FALSE(list->ProviderActive());

    FakeProvider provider;
    for (const char* id : {"a", "b", "c", "d", "e"})
        provider.Root.Add(id, std::string("item ") + id);
    list->Consumer()->SetProvider(&provider);
    EXPECT_TRUE(list->ProviderActive());
    EXPECT_EQ(list->InternalList().Count(), 3);
    EXPECT_EQ(list->InternalList().Objects(0), &objectA);
    EXPECT_EQ(list->Items()->Count(), 5); // a row per entry of the view
    EXPECT_EQ(list->GetShownItems()->Strings(4), "item e");
    provider.DeleteRoot(0);
    provider.DeleteRoot(0);
    provider.DeleteRoot(0);
    EXPECT_EQ(list->Items()->Count(), 2);
    provider.AddRoot("f", "item f");
    EXPECT_EQ(list->Items()->Count(), 3);
    list->MoveSelectedUp(); // moves do nothing while a provider fills the list

    list->Consumer()->SetProvider(nullptr);
    EXPECT_FALSE(list->ProviderActive());
    ASSERT_EQ(list->Items()->Count(), 3);
    EXPECT_EQ(list->Items()->Strings(0), "one");
    EXPECT_EQ(list->Items()->Objects(1), &objectB);
    EXPECT_EQ(list->Items()->Strings(2), "three");
    EXPECT_FALSE(list->UseInternal());
}
