// The data provider framework: a provider's items and contexts, their stored form, the consumer's
// view of them, and the list box that shows a provider's items.
#include "process/OxDataProvider.h"

#include <gtest/gtest.h>

#include <memory>
#include <regex>
#include <string>
#include <vector>

#include "tests/support/THeadlessDriver.h"
#include "platform/vcl/TForm.h"
#include "platform/vcl/TReader.h"
#include "process/TOxCustomDataProvider.h"
#include "process/TOxListBox.h"

namespace {

std::string Thrown(const std::function<void()>& F)
{
    try {
        F();
    } catch (const Exception& e) {
        return e.Message();
    }
    return "";
}

TOxBaseDataItem* AddText(TOxBaseDataItems* Items, const std::string& Text)
{
    TOxBaseDataItem* item = Items->FindExtension<TOxBaseDataItemsManagement>()->New();
    item->Query<IOxDataItemText>()->SetCaption(Text);
    return item;
}

// A form that holds a provider and a list box, as a stored description names them.
struct TProviderForm : TForm {
    using TForm::TForm;
};

const bool Registered = [] {
    RegisterOxListBoxClasses();
    RegisterOxDataProviderClasses();
    RegisterClass<TProviderForm, TForm>("TProviderForm");
    return true;
}();

} // namespace

TEST(DataConsumer, TheViewFlattensTheTreeAndFollowsTheProvider)
{
    TOxCustomDataProvider provider(nullptr);
    AddText(provider.ItemList(), "alpha");
    TOxBaseDataItem* beta = AddText(provider.ItemList(), "beta");
    TOxBaseDataItem* child = beta->AddSubItems()->FindExtension<TOxBaseDataItemsManagement>()->New();
    child->ClearExtensions(); // an item without a text
    AddText(provider.ItemList(), "gamma");

    TOxDataConsumer consumer(nullptr, {1, 3, 3});
    EXPECT_EQ(consumer.Attributes(), (std::vector<int>{1, 3}));
    TOxConsumerStrings strings(consumer);
    EXPECT_EQ(strings.Count(), 0);
    consumer.SetProvider(&provider);
    ASSERT_NE(consumer.ViewList(), nullptr);
    TOxDataConsumerViewList& view = *consumer.ViewList();
    ASSERT_EQ(view.Count(), 4);
    EXPECT_EQ(view.Level(2), 1);
    EXPECT_EQ(view.Item(2), child);
    EXPECT_EQ(strings[1], "beta");
    EXPECT_EQ(strings[2], "");
    EXPECT_EQ(Thrown([&] { (void)strings[4]; }), "List index out of bounds (4)");

    // A text change, a deletion (with the item's children) and an addition reach the view.
    beta->Query<IOxDataItemText>()->SetCaption("BETA");
    EXPECT_EQ(strings[1], "BETA");
    provider.Management()->Remove(beta);
    EXPECT_EQ(view.Count(), 2);
    EXPECT_EQ(strings[1], "gamma");
    AddText(provider.ItemList(), "delta");
    EXPECT_EQ(strings[2], "delta");
    provider.Management()->Clear();
    EXPECT_EQ(view.Count(), 0);

    consumer.SetProvider(nullptr);
    EXPECT_EQ(consumer.ViewList(), nullptr);
    EXPECT_EQ(provider.ConsumerCount(), 0);
}

TEST(DataConsumer, ContextsAreCheckedByName)
{
    TOxDataConsumer consumer(nullptr, {3});
    EXPECT_EQ(Thrown([&] { consumer.SetContext("x"); }), "You must specify a provider before setting the context");
    TOxCustomDataProvider provider(nullptr);
    consumer.SetProvider(&provider);
    EXPECT_EQ(Thrown([&] { consumer.SetContext("x"); }), "Provider does not support contexts");
    TOxContextDataProvider withContexts(nullptr);
    withContexts.ContextList()->Add<TOxFixedDataContext>("Main");
    TOxBaseDataContext* other = withContexts.ContextList()->Add<TOxDataContext>("Other");
    other->Contexts()->Add<TOxDataContext>("Inner");
    consumer.SetProvider(&withContexts);
    EXPECT_EQ(consumer.Context(), "Main");
    consumer.SetContext("other");
    EXPECT_EQ(consumer.Context(), "Other");
    consumer.SetContext("Other/inner");
    EXPECT_EQ(consumer.Context(), "Other\\Inner");
    EXPECT_EQ(Thrown([&] { consumer.SetContext("None"); }), "Provider has no context named \"None\"");
    TOxContextDataProvider stranger(nullptr);
    TOxBaseDataContext* foreign = stranger.ContextList()->Add<TOxDataContext>("Main");
    EXPECT_EQ(Thrown([&] { consumer.SetContextObject(foreign); }), "The specified context is not part of the same provider");
    // Both providers here go before the consumer: each must let it go, not leave it holding them.
}

TEST(DataProvider, AProviderFreedFirstDetachesItsConsumersAndTheirListBoxes)
{
    THeadlessDriver driver;
    TForm form(nullptr);
    auto* list = new TOxListBox(&form);
    list->SetParent(&form);
    list->Items()->Add("own line");
    auto* provider = new TOxCustomDataProvider(&form);
    AddText(provider->ItemList(), "from the provider");
    list->Consumer()->SetProvider(provider);
    ASSERT_TRUE(list->ProviderActive());
    EXPECT_EQ(list->GetShownItems()->Strings(0), "from the provider");

    provider->Free();
    EXPECT_EQ(list->Consumer()->Provider(), nullptr);
    EXPECT_FALSE(list->ProviderActive());
    ASSERT_EQ(list->Items()->Count(), 1);
    EXPECT_EQ(list->Items()->Strings(0), "own line");
}

TEST(DataProvider, ContextPathsAndTextsPerContext)
{
    TOxContextDataProvider provider(nullptr);
    TOxDataContexts& root = *provider.ContextList();
    TOxBaseDataContext* films = root.Add<TOxDataContext>("Films");
    TOxBaseDataContext* shorts = films->Contexts()->Add<TOxManagedDataContext>("Shorts");
    root.Add<TOxFixedDataContext>("Music");
    EXPECT_EQ(root.FindContext("films\\SHORTS"), shorts);
    EXPECT_EQ(shorts->ContextsOwner()->FindContext(".."), films);
    EXPECT_EQ(shorts->ContextsOwner()->FindContext("../../Music"), nullptr); // above the root there is nothing
    EXPECT_EQ(shorts->ContextsOwner()->FindContext("/Music"), root.GetContextByName("Music"));
    EXPECT_EQ(shorts->ContextsOwner()->FindContext("..\\Films\\Shorts"), shorts);
    EXPECT_EQ(Thrown([&] { root.Add<TOxDataContext>("MUSIC"); }), "A context with that name already exists");
    EXPECT_EQ(Thrown([&] { shorts->SetName("Shorts"); }), "");
    EXPECT_EQ(Thrown([&] { TOxDataContext orphan(nullptr, "x"); }), "Cannot create a context without a context list owner");
    EXPECT_FALSE(root.GetContextByName("Music")->IsDeletable());

    auto item = std::make_unique<TOxBaseDataItem>(provider.ItemList());
    auto* text = item->AddExtension<TOxDataItemContextTextImpl>();
    text->SetText("plain");
    text->SetContextText(films, "for films");
    provider.Management()->Add(std::move(item));

    TOxDataConsumer consumer(nullptr, {3});
    consumer.SetProvider(&provider);
    TOxConsumerStrings strings(consumer);
    consumer.SetContext("Music");
    EXPECT_EQ(strings[0], "plain");
    consumer.SetContext("Films\\Shorts"); // no text of its own: its parent context's
    EXPECT_EQ(strings[0], "for films");
}

TEST(DataProvider, ItemsGetFreshIdentifiersAndRefuseDeletionWhenFixed)
{
    TOxCustomDataProvider provider(nullptr);
    TOxBaseDataItem* a = AddText(provider.ItemList(), "a");
    TOxBaseDataItem* b = AddText(provider.ItemList(), "b");
    EXPECT_TRUE(std::regex_match(a->ID(), std::regex("[0-9A-F]{30}")));
    EXPECT_NE(a->ID(), b->ID());
    EXPECT_EQ(provider.ItemList()->FindByID(b->ID(), false), b);
    TOxBaseDataItem* deep = AddText(b->AddSubItems(), "b1");
    EXPECT_EQ(provider.ItemList()->FindByID(deep->ID(), false), nullptr);
    EXPECT_EQ(provider.ItemList()->FindByID(deep->ID(), true), deep);

    a->SetDeletable(false);
    EXPECT_EQ(Thrown([&] { provider.Management()->Remove(a); }), "Item cannot be deleted");
    EXPECT_EQ(provider.ItemList()->Count(), 2);
    EXPECT_EQ(Thrown([&] { a->AddExtension<TOxDataItemTextImpl>(); }), "Implementation of that class already exists");

    // The list's renderer draws by index, and an index outside the list is refused.
    auto* renderer = provider.ItemList()->FindExtension<TOxBaseDataItemsRenderer>();
    ASSERT_NE(renderer, nullptr);
    TBitmap bitmap;
    bitmap.SetSize(40, 20);
    EXPECT_EQ(renderer->MeasureItemByIndex(bitmap.Canvas(), 0), bitmap.Canvas()->TextExtent("a"));
    EXPECT_EQ(Thrown([&] { renderer->MeasureItemByIndex(bitmap.Canvas(), 2); }), "List index out of bounds (2)");
}

TEST(DataProvider, StoredItemsExtensionsAndContextsAreReadBack)
{
    THeadlessDriver driver;
    TProviderForm form(nullptr);
    ReadComponentFromText(&form, R"(object ProviderForm: TProviderForm
  object Provider1: TOxContextDataProvider
    Contexts = <
      item
        ClassName = 'TOxFixedDataContext'
        Name = 'Main'
      end
      item
        ClassName = 'TOxDataContext'
        Name = 'Second'
        Contexts = <
          item
            ClassName = 'TOxManagedDataContext'
            Name = 'Deep'
          end>
      end>
    Items = <
      item
        ClassName = 'TOxBaseDataItem'
        ID = 'FIRST'
        Extensions = <
          item
            ClassName = 'TOxDataItemTextImpl'
            Text = 'first item'
          end
          item
            ClassName = 'TOxDataItemImageImpl'
            ImageIndex = 3
          end
          item
            ClassName = 'TOxBaseDataItemSubItems'
            Items = <
              item
                ClassName = 'TOxBaseDataItem'
                ID = 'CHILD'
                Extensions = <
                  item
                    ClassName = 'TOxDataItemBlockableTextImpl'
                    Text = 'child'
                    ReadOnly = True
                  end>
              end>
          end>
      end>
  end
  object List1: TOxListBox
    Provider.Provider = Provider1
    Provider.Context = 'Second\Deep'
  end
end
)");
    auto* provider = dynamic_cast<TOxContextDataProvider*>(form.FindComponent("Provider1"));
    auto* list = dynamic_cast<TOxListBox*>(form.FindComponent("List1"));
    ASSERT_NE(provider, nullptr);
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(provider->ItemList()->Count(), 1);
    TOxBaseDataItem* first = provider->ItemList()->Items(0);
    EXPECT_EQ(first->ID(), "FIRST");
    EXPECT_EQ(first->Text(), "first item");
    EXPECT_EQ(first->FindExtension<TOxDataItemImageImpl>()->ImageIndex(), 3);
    TOxBaseDataItem* child = provider->ItemList()->FindByID("CHILD", true);
    ASSERT_NE(child, nullptr);
    EXPECT_TRUE(child->FindExtension<TOxDataItemBlockableTextImpl>()->ReadOnly());
    EXPECT_EQ(provider->ContextList()->FindContext("second/deep")->Path(), "Second\\Deep");

    EXPECT_EQ(list->Consumer()->Provider(), provider);
    EXPECT_EQ(list->Consumer()->Context(), "Second\\Deep");
    EXPECT_TRUE(list->ProviderActive());
    EXPECT_EQ(list->GetShownItems()->Count(), 2);
    EXPECT_EQ(list->GetShownItems()->Strings(1), "child");
}

TEST(DataProvider, DamagedStoredItemsAreRefusedWithTheirReason)
{
    THeadlessDriver driver;
    auto read = [](const std::string& Items) {
        TProviderForm form(nullptr);
        return Thrown([&] {
            ReadComponentFromText(&form, "object ProviderForm: TProviderForm\n  object P: TOxCustomDataProvider\n    Items = " + Items
                                             + "\n  end\nend\n");
        });
    };
    EXPECT_EQ(read("'text'"), "Expected collection");
    EXPECT_EQ(read("<\n item\n ID = 'X'\n end>"), "Missing ClassName property");
    EXPECT_EQ(read("<\n item\n ClassName = 'TOxDataItemTextImpl'\n end>"), "Invalid class type");
    EXPECT_EQ(read("<\n item\n ClassName = 'TNoSuchItem'\n end>"), "Class TNoSuchItem not found");
    EXPECT_EQ(read("<\n item\n ClassName = 'TOxBaseDataItem'\n Extensions = <\n item\n ClassName = 'TOxBaseDataItem'\n end>\n end>"),
              "Invalid class type");
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

    TOxCustomDataProvider provider(nullptr);
    std::vector<TOxBaseDataItem*> items;
    for (const char* id : {"a", "b", "c", "d", "e"})
        items.push_back(AddText(provider.ItemList(), std::string("item ") + id));
    list->Consumer()->SetProvider(&provider);
    EXPECT_TRUE(list->ProviderActive());
    EXPECT_EQ(list->InternalList().Count(), 3);
    EXPECT_EQ(list->InternalList().Objects(0), &objectA);
    EXPECT_EQ(list->Items()->Count(), 5); // a row per entry of the view
    EXPECT_EQ(list->GetShownItems()->Strings(4), "item e");
    for (int i = 0; i < 3; ++i)
        provider.Management()->Remove(items[static_cast<std::size_t>(i)]);
    EXPECT_EQ(list->Items()->Count(), 2);
    AddText(provider.ItemList(), "item f");
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

TEST(ListBoxProviderMode, FindRequestsSearchTheProvidersItems)
{
    THeadlessDriver driver;
    TForm form(nullptr);
    auto* list = new TOxListBox(&form);
    list->SetParent(&form);
    list->Items()->Add("own");
    TOxCustomDataProvider provider(nullptr);
    for (const char* s : {"Apple", "banana", "Blueberry", "banana"})
        AddText(provider.ItemList(), s);
    list->Consumer()->SetProvider(&provider);
    auto send = [&](UINT Msg, int Start, const char* Text) {
        return static_cast<int>(list->Perform(Msg, static_cast<WPARAM>(Start), reinterpret_cast<LPARAM>(Text)));
    };
    EXPECT_EQ(send(LB_FINDSTRING, -1, "b"), 1);
    EXPECT_EQ(send(LB_FINDSTRING, 1, "B"), 2);
    EXPECT_EQ(send(LB_FINDSTRINGEXACT, 1, "BANANA"), 3);
    EXPECT_EQ(send(LB_FINDSTRINGEXACT, 3, "banana"), 1); // round to the start
    EXPECT_EQ(send(LB_FINDSTRING, -1, "own"), LB_ERR);
    EXPECT_EQ(send(LB_SELECTSTRING, -1, "blueberry"), 2);
    EXPECT_EQ(list->ItemIndex(), 2);
    char text[32] = {};
    EXPECT_EQ(send(LB_GETTEXT, 0, text), 5);
    EXPECT_STREQ(text, "Apple");
    EXPECT_EQ(send(LB_GETTEXTLEN, 4, nullptr), LB_ERR);
}

TEST(ListBoxProviderMode, AnEditOfTheListsOwnStringsDetachesTheProviderFirst)
{
    THeadlessDriver driver;
    TForm form(nullptr);
    auto* list = new TOxListBox(&form);
    list->SetParent(&form);
    list->Items()->Add("a");
    list->Items()->Add("b");
    TOxCustomDataProvider provider(nullptr);
    AddText(provider.ItemList(), "p1");
    AddText(provider.ItemList(), "p2");
    AddText(provider.ItemList(), "p3");
    list->Consumer()->SetProvider(&provider);
    ASSERT_TRUE(list->ProviderActive());

    list->Items()->Add("c"); // lands after the list's own strings, which come back first
    EXPECT_FALSE(list->ProviderActive());
    EXPECT_EQ(provider.ConsumerCount(), 0);
    ASSERT_EQ(list->Items()->Count(), 3);
    EXPECT_EQ(list->Items()->Strings(2), "c");

    list->Consumer()->SetProvider(&provider);
    list->Items()->Delete(0);
    EXPECT_FALSE(list->ProviderActive());
    ASSERT_EQ(list->Items()->Count(), 2);
    EXPECT_EQ(list->Items()->Strings(0), "b");
}

namespace {

// A provider that gives each consumer a selection service.
struct TSelectingProvider : TOxCustomDataProvider {
    using TOxCustomDataProvider::TOxCustomDataProvider;
    std::vector<std::string> ServiceClasses() const override { return {"TOxDataConsumerItemSelect"}; }
};

} // namespace

TEST(DataConsumer, ServicesFollowTheProviderAndTheSelectionMustBeItsItem)
{
    TOxDataConsumer consumer(nullptr, {3});
    std::vector<std::string> created;
    int before = 0;
    consumer.OnBeforeServiceCreate = [&](TObject*) { ++before; };
    consumer.OnServiceCreated = [&](TObject*, TOxDataConsumerAggregatedObject* S) { created.push_back(S->ClassName()); };
    consumer.AddExtension<TOxDataConsumerItemSelect>();
    EXPECT_EQ(Thrown([&] { consumer.FindExtension<TOxDataConsumerItemSelect>()->SetItem("x"); }),
              "You must specify a provider before setting the item");

    TSelectingProvider selecting(nullptr);
    TOxBaseDataItem* parent = AddText(selecting.ItemList(), "parent");
    TOxBaseDataItem* child = AddText(parent->AddSubItems(), "child");
    consumer.SetProvider(&selecting);
    EXPECT_EQ(before, 1);
    EXPECT_EQ(created, std::vector<std::string>{"TOxDataConsumerViewList"}) << "the selection was held already";
    auto* select = consumer.FindExtension<TOxDataConsumerItemSelect>();
    ASSERT_NE(select, nullptr);
    select->SetItem(child->ID());
    EXPECT_EQ(select->Item(), child->ID());
    EXPECT_EQ(Thrown([&] { select->SetItem("no such id"); }), "Item not found in the selected context");
    EXPECT_EQ(select->Item(), child->ID());

    TOxCustomDataProvider plain(nullptr);
    consumer.SetProvider(&plain);
    EXPECT_EQ(consumer.FindExtension<TOxDataConsumerItemSelect>(), nullptr) << "the new provider does not offer it";
    EXPECT_NE(consumer.ViewList(), nullptr);
    consumer.SetProvider(&selecting);
    EXPECT_NE(consumer.FindExtension<TOxDataConsumerItemSelect>(), nullptr);
    EXPECT_EQ(created.back(), "TOxDataConsumerItemSelect");
    consumer.SetProvider(nullptr);
    EXPECT_EQ(consumer.ExtensionCount(), 0);
}

TEST(DataConsumer, AnItemGoneUntoldPutsTheViewOutOfSync)
{
    TOxCustomDataProvider provider(nullptr);
    AddText(provider.ItemList(), "one");
    TOxDataConsumer consumer(nullptr, {3});
    consumer.SetProvider(&provider);
    TOxConsumerStrings strings(consumer);
    ASSERT_EQ(strings.Count(), 1);
    std::unique_ptr<TOxBaseDataItem> gone = provider.ItemList()->ExtractItem(0); // no notification
    EXPECT_EQ(Thrown([&] { (void)strings[0]; }), "ViewList out of sync");
    EXPECT_EQ(provider.SelectedConsumer(), nullptr) << "the lock is left";
}

namespace {

struct TDrawn {
    TRect Rect;
    TOxProviderDrawState State;
};

// An item that draws itself in red and is 40 pixels tall.
struct TSelfDrawnItem : TOxDataItemAggregatedObject, IOxDataItemRenderer {
    using TOxDataItemAggregatedObject::TOxDataItemAggregatedObject;
    void Draw(TCanvas* Canvas, TRect& Rect, TOxProviderDrawState State) override
    {
        Drawn.push_back({Rect, State});
        Canvas->Brush()->SetColor(clRed);
        Canvas->FillRect(Rect);
    }
    TSize Measure(TCanvas*) override { return {30, 40}; }
    std::vector<TDrawn> Drawn;
};

// A list whose items are drawn by the list, each taller than a row may be.
struct TTallListRenderer : TOxBaseDataItemsRenderer {
    using TOxBaseDataItemsRenderer::TOxBaseDataItemsRenderer;
    TSize AvgItemSize(TCanvas*) override { return {20, 300}; }
    std::vector<TDrawn> Drawn;

protected:
    void DoDrawItem(TCanvas*, TRect& Rect, IOxDataItem*, TOxProviderDrawState State) override { Drawn.push_back({Rect, State}); }
    TSize DoMeasureItem(TCanvas*, IOxDataItem*) override { return {20, 300}; }
};

} // namespace

TEST(ListBoxProviderMode, RowsAreDrawnAndMeasuredByTheItemsAndTheirListsRenderers)
{
    THeadlessDriver driver;
    TForm form(nullptr);
    form.SetBorderStyle(bsNone);
    form.SetBounds(0, 0, 300, 400);
    auto* list = new TOxListBox(&form);
    list->SetParent(&form);
    list->SetBounds(0, 0, 250, 380);
    list->SetMultiLine(true); // rows of their own heights
    list->SetShowFocusRect(false);
    TOxCustomDataProvider provider(nullptr);
    TOxBaseDataItem* self = AddText(provider.ItemList(), "self");
    auto* selfRenderer = self->AddExtension<TSelfDrawnItem>();
    TOxBaseDataItem* parent = AddText(provider.ItemList(), "parent");
    TOxBaseDataItems* subItems = parent->AddSubItems();
    auto* listRenderer = subItems->AddExtension<TTallListRenderer>();
    AddText(subItems, "child");
    list->Consumer()->SetProvider(&provider);
    ASSERT_EQ(list->Items()->Count(), 3);
    EXPECT_EQ(list->ItemRect(0).Height(), 40);
    EXPECT_EQ(list->ItemRect(2).Height(), 255);

    list->SetItemIndex(0);
    form.Show();
    driver.ProcessMessages();
    ASSERT_FALSE(selfRenderer->Drawn.empty());
    ASSERT_FALSE(listRenderer->Drawn.empty());
    EXPECT_TRUE(selfRenderer->Drawn.back().State.Contains(pdsSelected));
    EXPECT_FALSE(listRenderer->Drawn.back().State.Contains(pdsSelected));
    EXPECT_EQ(listRenderer->Drawn.back().Rect.Left, selfRenderer->Drawn.back().Rect.Left + 16) << "one level in";
    const TPoint origin = list->ClientOrigin();
    EXPECT_EQ(driver.PixelAt(form.Handle(), origin.X + 100, origin.Y + 20) & 0xFFFFFF, ColorToPixel(clRed) & 0xFFFFFF);

    list->SetEnabled(false);
    driver.ProcessMessages();
    for (const TDrawn* d : {&selfRenderer->Drawn.back(), &listRenderer->Drawn.back()}) {
        EXPECT_TRUE(d->State.Contains(pdsDisabled));
        EXPECT_TRUE(d->State.Contains(pdsGrayed));
    }
}

namespace {

// An item whose drawing fails.
struct TFailingItem : TOxDataItemAggregatedObject, IOxDataItemRenderer {
    using TOxDataItemAggregatedObject::TOxDataItemAggregatedObject;
    void Draw(TCanvas*, TRect&, TOxProviderDrawState) override
    {
        ++Asked;
        throw Exception("no picture");
    }
    TSize Measure(TCanvas*) override { return {30, 20}; }
    int Asked = 0;
};

} // namespace

TEST(ListBoxProviderMode, AnItemThatThrowsWhilePainting_LeavesTheProviderFree)
{
    THeadlessDriver driver;
    TForm form(nullptr);
    form.SetBounds(0, 0, 200, 200);
    auto* list = new TOxListBox(&form);
    list->SetParent(&form);
    list->SetBounds(0, 0, 150, 150);
    TOxCustomDataProvider provider(nullptr);
    auto* failing = AddText(provider.ItemList(), "item a")->AddExtension<TFailingItem>();
    list->Consumer()->SetProvider(&provider);
    form.Show();
    driver.ProcessMessages();
    ASSERT_GT(failing->Asked, 0);
    EXPECT_EQ(provider.SelectedConsumer(), nullptr);
    list->Consumer()->SetProvider(nullptr);
}
