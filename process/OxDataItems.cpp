#include "process/OxDataItems.h"

#include <algorithm>
#include <array>
#include <random>

#include "platform/rtl/Strings.h"
#include "process/OxUtils.h"
#include "platform/vcl/VclClasses.h"
#include "platform/vcl/TReader.h"
#include "process/OxDataContexts.h"

namespace {

TOxClassFactory<TOxBaseDataItem, TOxBaseDataItems*>& ItemClasses()
{
    static TOxClassFactory<TOxBaseDataItem, TOxBaseDataItems*> classes;
    return classes;
}

// The first 15 bytes of a fresh random GUID (version 4), two upper-case hex digits per byte.
std::string NewItemID()
{
    static std::random_device device;
    std::array<unsigned char, 16> guid;
    for (unsigned char& b : guid)
        b = static_cast<unsigned char>(device() & 0xFF);
    guid[7] = static_cast<unsigned char>((guid[7] & 0x0F) | 0x40); // version, in the third group's high byte
    guid[8] = static_cast<unsigned char>((guid[8] & 0x3F) | 0x80); // variant
    static const char* const digits = "0123456789ABCDEF";
    std::string id;
    for (int i = 0; i < 15; ++i) {
        id += digits[guid[static_cast<std::size_t>(i)] >> 4];
        id += digits[guid[static_cast<std::size_t>(i)] & 0x0F];
    }
    return id;
}

} // namespace

std::string OxItemDisplayText(IOxDataItem* Item)
{
    return Item && Item->HasText() ? Item->Text() : std::string(SItemHasNoText);
}

// ---------------------------------------------------------------------------------------------

TOxBaseDataItem::TOxBaseDataItem(TOxBaseDataItems* Owner) : FOwner(Owner), FID(NewItemID()) {}

bool TOxBaseDataItem::HasText() const
{
    return const_cast<TOxBaseDataItem*>(this)->Query<IOxDataItemText>() != nullptr;
}

std::string TOxBaseDataItem::Text() const
{
    IOxDataItemText* text = const_cast<TOxBaseDataItem*>(this)->Query<IOxDataItemText>();
    return text ? text->Caption() : std::string();
}

IOxDataItems* TOxBaseDataItem::SubItems() const
{
    const auto* sub = FindExtension<TOxBaseDataItemSubItems>();
    return sub ? sub->SubItems() : nullptr;
}

IOxDataItems* TOxBaseDataItem::Items() const
{
    return FOwner;
}

IOxDataProvider* TOxBaseDataItem::Provider() const
{
    return FOwner ? FOwner->Provider() : nullptr;
}

TOxBaseDataItems* TOxBaseDataItem::AddSubItems()
{
    auto* sub = FindExtension<TOxBaseDataItemSubItems>();
    if (!sub)
        sub = AddExtension<TOxBaseDataItemSubItems>();
    return sub->SubItems();
}

// ---------------------------------------------------------------------------------------------

int TOxBaseDataItems::IndexOf(const IOxDataItem* Item) const
{
    for (int i = 0; i < Count(); ++i)
        if (Items(i) == Item)
            return i;
    return -1;
}

TOxBaseDataItem* TOxBaseDataItems::FindByID(const std::string& ID, bool Recursive) const
{
    for (int i = 0; i < Count(); ++i)
        if (Items(i)->ID() == ID)
            return Items(i);
    if (!Recursive)
        return nullptr;
    for (int i = Count() - 1; i >= 0; --i)
        if (auto* sub = dynamic_cast<TOxBaseDataItems*>(Items(i)->SubItems()))
            if (TOxBaseDataItem* found = sub->FindByID(ID, true))
                return found;
    return nullptr;
}

void TOxBaseDataItems::InitImplementers()
{
    if (!FProvider)
        return;
    if (!FindExtension<TOxBaseDataItemsRenderer>())
        AddExtension<TOxCustomDataItemsTextRenderer>();
    if (!FindExtension<TOxBaseDataItemsManagement>())
        AddExtension<TOxBaseDataItemsListManagement>();
}

void TOxBaseDataItems::DefineProperties(TFiler* Filer)
{
    TExtensibleInterfacedPersistent::DefineProperties(Filer);
    Filer->DefineProperty("Items", [this](TReader& Reader) { ReadItems(Reader); }, nullptr, Count() > 0);
}

void TOxBaseDataItems::ReadItems(TReader& Reader)
{
    ClearItems();
    ReadClassedCollection(Reader, [this](const std::string& ClassName) -> TObject* {
        std::unique_ptr<TOxBaseDataItem> item = ItemClasses().Create(ClassName, this);
        TOxBaseDataItem* added = item.get();
        InsertItem(Count(), std::move(item));
        return added;
    });
}

TOxDataItemsList::~TOxDataItemsList()
{
    // Items go before the list's own extensions, which they may still ask for their renderer.
    ClearItems();
}

TOxBaseDataItem* TOxDataItemsList::Items(int Index) const
{
    if (Index < 0 || Index >= Count())
        OxListIndexError(Index);
    return FItems[static_cast<std::size_t>(Index)].get();
}

void TOxDataItemsList::InsertItem(int Index, std::unique_ptr<TOxBaseDataItem> Item)
{
    Index = std::clamp(Index, 0, Count());
    FItems.insert(FItems.begin() + Index, std::move(Item));
}

std::unique_ptr<TOxBaseDataItem> TOxDataItemsList::ExtractItem(int Index)
{
    if (Index < 0 || Index >= Count())
        OxListIndexError(Index);
    std::unique_ptr<TOxBaseDataItem> item = std::move(FItems[static_cast<std::size_t>(Index)]);
    FItems.erase(FItems.begin() + Index);
    return item;
}

void TOxDataItemsList::ClearItems()
{
    while (!FItems.empty()) {
        std::unique_ptr<TOxBaseDataItem> gone = std::move(FItems.back());
        FItems.pop_back();
    }
}

// ---------------------------------------------------------------------------------------------

void TOxDataItemTextImpl::SetCaption(const std::string& Value)
{
    if (Value == FText)
        return;
    TOxBaseDataItem* item = Item();
    IOxDataProvider* provider = item ? item->Provider() : nullptr;
    if (provider)
        provider->NotifyChanging(drItemChanged, item);
    FText = Value;
    if (provider)
        provider->NotifyChanged(drItemChanged, item);
}

std::string TOxDataItemContextTextImpl::Caption() const
{
    TOxBaseDataItem* item = Item();
    IOxDataProvider* provider = item ? item->Provider() : nullptr;
    for (TOxBaseDataContext* c = provider ? provider->SelectedContext() : nullptr; c; c = c->Parent())
        for (const auto& [context, text] : FContextTexts)
            if (context == c)
                return text;
    return TOxDataItemTextImpl::Caption();
}

void TOxDataItemContextTextImpl::SetContextText(TOxBaseDataContext* Context, const std::string& Value)
{
    for (auto& [context, text] : FContextTexts)
        if (context == Context) {
            text = Value;
            return;
        }
    FContextTexts.emplace_back(Context, Value);
}

TOxBaseDataItemSubItems::TOxBaseDataItemSubItems(TExtensibleInterfacedPersistent* Controller) : TOxDataItemAggregatedObject(Controller)
{
    if (TOxBaseDataItem* parent = Item()) {
        FItems = std::make_unique<TOxDataItemsList>(parent);
        FItems->InitImplementers();
    } else {
        FItems = std::make_unique<TOxDataItemsList>();
    }
}

void TOxBaseDataItemSubItems::DefineProperties(TFiler* Filer)
{
    TOxDataItemAggregatedObject::DefineProperties(Filer);
    FItems->DefineProperties(Filer);
}

// ---------------------------------------------------------------------------------------------

void TOxBaseDataItemsRenderer::DrawItem(TCanvas* Canvas, TRect& Rect, IOxDataItem* Item, TOxProviderDrawState State)
{
    if (auto* own = OxSupports<IOxDataItemRenderer>(Item))
        own->Draw(Canvas, Rect, State);
    else
        DoDrawItem(Canvas, Rect, Item, State);
}

TSize TOxBaseDataItemsRenderer::MeasureItem(TCanvas* Canvas, IOxDataItem* Item)
{
    if (auto* own = OxSupports<IOxDataItemRenderer>(Item))
        return own->Measure(Canvas);
    return DoMeasureItem(Canvas, Item);
}

void TOxBaseDataItemsRenderer::DrawItemByIndex(TCanvas* Canvas, TRect& Rect, int Index, TOxProviderDrawState State)
{
    TOxBaseDataItems* items = ItemsOwner();
    if (!items || Index < 0 || Index >= items->Count())
        OxListIndexError(Index);
    DrawItem(Canvas, Rect, items->Items(Index), State);
}

TSize TOxBaseDataItemsRenderer::MeasureItemByIndex(TCanvas* Canvas, int Index)
{
    TOxBaseDataItems* items = ItemsOwner();
    if (!items || Index < 0 || Index >= items->Count())
        OxListIndexError(Index);
    return MeasureItem(Canvas, items->Items(Index));
}

TSize TOxCustomDataItemsTextRenderer::AvgItemSize(TCanvas* Canvas)
{
    return Canvas->TextExtent("WyWyWyWyWyWyWyWyWyWy");
}

void TOxCustomDataItemsTextRenderer::DoDrawItem(TCanvas* Canvas, TRect& Rect, IOxDataItem* Item, TOxProviderDrawState /*State*/)
{
    Canvas->TextRect(Rect, Rect.Left, Rect.Top, OxItemDisplayText(Item));
}

TSize TOxCustomDataItemsTextRenderer::DoMeasureItem(TCanvas* Canvas, IOxDataItem* Item)
{
    return Canvas->TextExtent(OxItemDisplayText(Item));
}

// ---------------------------------------------------------------------------------------------

TOxBaseDataItem* TOxBaseDataItemsListManagement::Add(std::unique_ptr<TOxBaseDataItem> Item)
{
    TOxBaseDataItems* items = ItemsOwner();
    if (!items || !Item)
        return nullptr;
    TOxBaseDataItem* added = Item.get();
    IOxDataProvider* provider = items->Provider();
    if (provider)
        provider->NotifyChanging(drItemAdded, nullptr);
    items->InsertItem(items->Count(), std::move(Item));
    if (provider)
        provider->NotifyChanged(drItemAdded, added);
    return added;
}

TOxBaseDataItem* TOxBaseDataItemsListManagement::New()
{
    auto item = std::make_unique<TOxBaseDataItem>(ItemsOwner());
    item->AddExtension<TOxDataItemTextImpl>();
    return Add(std::move(item));
}

void TOxBaseDataItemsListManagement::Remove(TOxBaseDataItem* Item)
{
    TOxBaseDataItems* items = ItemsOwner();
    const int index = items ? items->IndexOf(Item) : -1;
    if (index < 0)
        return;
    if (!Item->IsDeletable())
        throw EOxDataItems("Item cannot be deleted");
    IOxDataProvider* provider = items->Provider();
    if (provider)
        provider->NotifyChanging(drItemDeleted, Item);
    std::unique_ptr<TOxBaseDataItem> gone = items->ExtractItem(index);
    if (provider)
        provider->NotifyChanged(drItemDeleted, nullptr);
}

void TOxBaseDataItemsListManagement::Clear()
{
    TOxBaseDataItems* items = ItemsOwner();
    if (!items)
        return;
    IOxDataProvider* provider = items->Provider();
    if (provider)
        provider->NotifyChanging(drCleared, nullptr);
    items->ClearItems();
    if (provider)
        provider->NotifyChanged(drCleared, nullptr);
}

// ---------------------------------------------------------------------------------------------

// The three image-list references, each cleared when its image list is freed. Only a component
// can be told that, so a hidden one holds them.
class TOxCustomDataItemsImages::TLinks : public TComponent {
public:
    TLinks() : TComponent(nullptr) {}
    TComponentLink<TCustomImageList> Images{this};
    TComponentLink<TCustomImageList> HotImages{this};
    TComponentLink<TCustomImageList> DisabledImages{this};
};

TOxCustomDataItemsImages::TOxCustomDataItemsImages(TExtensibleInterfacedPersistent* Controller)
    : TOxBaseDataItemsImagesImpl(Controller), FLinks(std::make_unique<TLinks>())
{
}

TOxCustomDataItemsImages::~TOxCustomDataItemsImages() = default;

TCustomImageList* TOxCustomDataItemsImages::Images() const { return FLinks->Images; }
void TOxCustomDataItemsImages::SetImages(TCustomImageList* Value) { FLinks->Images = Value; }
TCustomImageList* TOxCustomDataItemsImages::HotImages() const { return FLinks->HotImages; }
void TOxCustomDataItemsImages::SetHotImages(TCustomImageList* Value) { FLinks->HotImages = Value; }
TCustomImageList* TOxCustomDataItemsImages::DisabledImages() const { return FLinks->DisabledImages; }
void TOxCustomDataItemsImages::SetDisabledImages(TCustomImageList* Value) { FLinks->DisabledImages = Value; }

// ---------------------------------------------------------------------------------------------

void TOxDP_ProviderTextOnlyRender::Draw(TCanvas* Canvas, TRect& Rect, IOxDataItem* Item)
{
    Canvas->TextRect(Rect, Rect.Left, Rect.Top, OxItemDisplayText(Item));
}

TSize TOxDP_ProviderTextOnlyRender::Measure(TCanvas* Canvas, IOxDataItem* Item)
{
    return Canvas->TextExtent(OxItemDisplayText(Item));
}

// ---------------------------------------------------------------------------------------------

void RegisterOxDataItemClasses()
{
    static const bool done = [] {
        RegisterControlClasses();    // the alignment names
        RegisterImageListClasses();  // what the image references may name
        RegisterOxExtensionBase();
        using I = TOxBaseDataItem;
        RegisterClass<I>("TOxBaseDataItem").Prop("ID", &I::ID, &I::SetID);
        ItemClasses().Register<TOxBaseDataItem>();
        RegisterClass<TOxBaseDataItems>("TOxBaseDataItems");
        RegisterClass<TOxDataItemsList, TOxBaseDataItems>("TOxDataItemsList");

        RegisterClass<TOxDataItemAggregatedObject, TAggregatedPersistentEx>("TOxDataItemAggregatedObject");
        RegisterClass<TOxBaseDataItemTextImpl, TOxDataItemAggregatedObject>("TOxBaseDataItemTextImpl");
        using T = TOxDataItemTextImpl;
        RegisterOxExtension<T, TOxBaseDataItemTextImpl>("TOxDataItemTextImpl").Prop("Text", &T::Text, &T::SetText);
        RegisterOxExtension<TOxDataItemContextTextImpl, T>("TOxDataItemContextTextImpl");
        using B = TOxDataItemBlockableTextImpl;
        RegisterOxExtension<B, T>("TOxDataItemBlockableTextImpl").Prop("ReadOnly", &B::ReadOnly, &B::SetReadOnly, false);
        RegisterClass<TOxBaseDataItemImageImpl, TOxDataItemAggregatedObject>("TOxBaseDataItemImageImpl");
        using M = TOxDataItemImageImpl;
        RegisterOxExtension<M, TOxBaseDataItemImageImpl>("TOxDataItemImageImpl")
            .Prop("Alignment", &M::Alignment, &M::SetAlignment, taLeftJustify)
            .Prop("ImageIndex", &M::ImageIndex, &M::SetImageIndex, 0)
            .Prop("SelectedIndex", &M::SelectedIndex, &M::SetSelectedIndex, 0);
        RegisterOxExtension<TOxBaseDataItemSubItems, TOxDataItemAggregatedObject>("TOxBaseDataItemSubItems");

        RegisterClass<TOxDataItemsAggregatedObject, TAggregatedPersistentEx>("TOxDataItemsAggregatedObject");
        RegisterClass<TOxBaseDataItemsRenderer, TOxDataItemsAggregatedObject>("TOxBaseDataItemsRenderer");
        RegisterOxExtension<TOxCustomDataItemsTextRenderer, TOxBaseDataItemsRenderer>("TOxCustomDataItemsTextRenderer");
        RegisterClass<TOxBaseDataItemsManagement, TOxDataItemsAggregatedObject>("TOxBaseDataItemsManagement");
        RegisterOxExtension<TOxBaseDataItemsListManagement, TOxBaseDataItemsManagement>("TOxBaseDataItemsListManagement");
        RegisterClass<TOxBaseDataItemsImagesImpl, TOxDataItemsAggregatedObject>("TOxBaseDataItemsImagesImpl");
        using G = TOxCustomDataItemsImages;
        RegisterOxExtension<G, TOxBaseDataItemsImagesImpl>("TOxCustomDataItemsImages")
            .Prop("DisabledImages", &G::DisabledImages, &G::SetDisabledImages)
            .Prop("HotImages", &G::HotImages, &G::SetHotImages)
            .Prop("Images", &G::Images, &G::SetImages);
        return true;
    }();
    (void)done;
}
