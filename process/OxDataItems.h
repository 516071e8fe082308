#pragma once
// The items of a data provider and the lists that hold them. An item is an identifier with
// extensions that give it its abilities (a text, a text per context, an image, sub-items); a list
// holds items in order and has extensions of its own (a renderer that draws its items, management
// that adds and deletes them, the image lists its items' image indexes refer to). Items and their
// extensions are stored in form descriptions as classed collections:
//
//   Items = <
//     item
//       ClassName = 'TOxBaseDataItem'
//       ID = 'A1'
//       Extensions = <
//         item
//           ClassName = 'TOxDataItemTextImpl'
//           Text = 'first'
//         end>
//     end>
#include <memory>
#include <string>
#include <vector>

#include "platform/vcl/TControl.h"
#include "platform/vcl/TCustomImageList.h"
#include "process/OxDataProvider.h"
#include "process/TExtensibleInterfacedPersistent.h"

class TOxBaseDataItems;
class TOxDataItemsList;

class TOxBaseDataItem : public TExtensibleInterfacedPersistent, public IOxDataItem {
public:
    // A new item gets a new identifier: 30 hexadecimal digits of a fresh GUID.
    explicit TOxBaseDataItem(TOxBaseDataItems* Owner);

    std::string ID() const override { return FID; }
    void SetID(const std::string& Value) { FID = Value; }
    bool HasText() const override;
    std::string Text() const override;
    IOxDataItems* SubItems() const override;
    IOxDataItems* Items() const override;
    TOxBaseDataItems* ItemsOwner() const { return FOwner; }
    IOxDataProvider* Provider() const;
    // The list of sub-items, made (with its extension) on first use.
    TOxBaseDataItems* AddSubItems();

    bool IsDeletable() const { return FDeletable; }
    void SetDeletable(bool Value) { FDeletable = Value; }

private:
    TOxBaseDataItems* FOwner;
    std::string FID;
    bool FDeletable = true;
};

class TOxBaseDataItems : public TExtensibleInterfacedPersistent, public IOxDataItems {
public:
    // A list of its own, the root list of a provider, or the sub-items of Parent (whose provider
    // it takes).
    TOxBaseDataItems() = default;
    explicit TOxBaseDataItems(IOxDataProvider* Provider) : FProvider(Provider) {}
    explicit TOxBaseDataItems(TOxBaseDataItem* Parent) : FProvider(Parent->Provider()), FParent(Parent) {}

    IOxDataProvider* Provider() const { return FProvider; }
    IOxDataItem* Parent() const override { return FParent; }
    TOxBaseDataItem* ParentItem() const { return FParent; }
    virtual TOxBaseDataItem* Items(int Index) const = 0;
    IOxDataItem* Item(int Index) const override { return Items(Index); }
    int IndexOf(const IOxDataItem* Item) const;
    // The item with the identifier (exact); with Recursive, the sub-items too, from the last item
    // to the first, depth first. nullptr when none.
    TOxBaseDataItem* FindByID(const std::string& ID, bool Recursive) const;

    // Storage; the management extension adds the provider's notifications around these.
    virtual void InsertItem(int Index, std::unique_ptr<TOxBaseDataItem> Item) = 0;
    virtual std::unique_ptr<TOxBaseDataItem> ExtractItem(int Index) = 0;
    virtual void ClearItems() = 0;

    // A root or sub-item list of a provider starts with a text renderer and list management.
    void InitImplementers() override;
    void DefineProperties(TFiler* Filer) override;

private:
    void ReadItems(TReader& Reader);

    IOxDataProvider* FProvider = nullptr;
    TOxBaseDataItem* FParent = nullptr;
};

// The list keeping its items as owned objects.
class TOxDataItemsList : public TOxBaseDataItems {
public:
    using TOxBaseDataItems::TOxBaseDataItems;
    ~TOxDataItemsList() override;
    int Count() const override { return static_cast<int>(FItems.size()); }
    TOxBaseDataItem* Items(int Index) const override;
    void InsertItem(int Index, std::unique_ptr<TOxBaseDataItem> Item) override;
    std::unique_ptr<TOxBaseDataItem> ExtractItem(int Index) override;
    void ClearItems() override;

private:
    std::vector<std::unique_ptr<TOxBaseDataItem>> FItems;
};

// ---- extensions of an item ---------------------------------------------------------------------

class TOxDataItemAggregatedObject : public TAggregatedPersistentEx {
public:
    using TAggregatedPersistentEx::TAggregatedPersistentEx;
    TOxBaseDataItem* Item() const { return dynamic_cast<TOxBaseDataItem*>(Controller()); }
};

class TOxBaseDataItemTextImpl : public TOxDataItemAggregatedObject, public IOxDataItemText {
public:
    using TOxDataItemAggregatedObject::TOxDataItemAggregatedObject;
};

class TOxDataItemTextImpl : public TOxBaseDataItemTextImpl {
public:
    using TOxBaseDataItemTextImpl::TOxBaseDataItemTextImpl;
    std::string Caption() const override { return FText; }
    // A different text tells the provider before and after (reason 2).
    void SetCaption(const std::string& Value) override;
    const std::string& Text() const { return FText; }
    void SetText(const std::string& Value) { SetCaption(Value); }

private:
    std::string FText;
};

// A text per context: the selected context's own, else its nearest parent context's, else the
// plain text.
class TOxDataItemContextTextImpl : public TOxDataItemTextImpl {
public:
    using TOxDataItemTextImpl::TOxDataItemTextImpl;
    std::string Caption() const override;
    void SetContextText(TOxBaseDataContext* Context, const std::string& Value);

private:
    std::vector<std::pair<TOxBaseDataContext*, std::string>> FContextTexts;
};

// A text the user may be kept from editing.
class TOxDataItemBlockableTextImpl : public TOxDataItemTextImpl {
public:
    using TOxDataItemTextImpl::TOxDataItemTextImpl;
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value) { FReadOnly = Value; }

private:
    bool FReadOnly = false;
};

class TOxBaseDataItemImageImpl : public TOxDataItemAggregatedObject {
public:
    using TOxDataItemAggregatedObject::TOxDataItemAggregatedObject;
};

// Where the item's image stands and which images of its list's image lists it shows.
class TOxDataItemImageImpl : public TOxBaseDataItemImageImpl {
public:
    using TOxBaseDataItemImageImpl::TOxBaseDataItemImageImpl;
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value) { FAlignment = Value; }
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value) { FImageIndex = Value; }
    int SelectedIndex() const { return FSelectedIndex; }
    void SetSelectedIndex(int Value) { FSelectedIndex = Value; }

private:
    TAlignment FAlignment = taLeftJustify;
    int FImageIndex = 0;
    int FSelectedIndex = 0;
};

// The sub-items of an item; stored as "Items" inside the extension's element.
class TOxBaseDataItemSubItems : public TOxDataItemAggregatedObject {
public:
    explicit TOxBaseDataItemSubItems(TExtensibleInterfacedPersistent* Controller);
    TOxBaseDataItems* SubItems() const { return FItems.get(); }
    void DefineProperties(TFiler* Filer) override;

private:
    std::unique_ptr<TOxBaseDataItems> FItems;
};

// ---- extensions of a list ----------------------------------------------------------------------

class TOxDataItemsAggregatedObject : public TAggregatedPersistentEx {
public:
    using TAggregatedPersistentEx::TAggregatedPersistentEx;
    TOxBaseDataItems* ItemsOwner() const { return dynamic_cast<TOxBaseDataItems*>(Controller()); }
};

// Draws and measures the list's items: an item that renders itself does so, any other is the
// renderer's to draw.
class TOxBaseDataItemsRenderer : public TOxDataItemsAggregatedObject, public IOxDataItemsRenderer {
public:
    using TOxDataItemsAggregatedObject::TOxDataItemsAggregatedObject;
    void DrawItem(TCanvas* Canvas, TRect& Rect, IOxDataItem* Item, TOxProviderDrawState State) override;
    TSize MeasureItem(TCanvas* Canvas, IOxDataItem* Item) override;
    // By index in the list; an index outside it raises "List index out of bounds (%d)".
    void DrawItemByIndex(TCanvas* Canvas, TRect& Rect, int Index, TOxProviderDrawState State);
    TSize MeasureItemByIndex(TCanvas* Canvas, int Index);
    // The size of a typical item.
    virtual TSize AvgItemSize(TCanvas* Canvas) = 0;

protected:
    virtual void DoDrawItem(TCanvas* Canvas, TRect& Rect, IOxDataItem* Item, TOxProviderDrawState State) = 0;
    virtual TSize DoMeasureItem(TCanvas* Canvas, IOxDataItem* Item) = 0;
};

// Draws an item's text (or the remark that it has none).
class TOxCustomDataItemsTextRenderer : public TOxBaseDataItemsRenderer {
public:
    using TOxBaseDataItemsRenderer::TOxBaseDataItemsRenderer;
    TSize AvgItemSize(TCanvas* Canvas) override;

protected:
    void DoDrawItem(TCanvas* Canvas, TRect& Rect, IOxDataItem* Item, TOxProviderDrawState State) override;
    TSize DoMeasureItem(TCanvas* Canvas, IOxDataItem* Item) override;
};

// Adds and deletes the list's items, telling the provider before and after each change.
class TOxBaseDataItemsManagement : public TOxDataItemsAggregatedObject {
public:
    using TOxDataItemsAggregatedObject::TOxDataItemsAggregatedObject;
    virtual TOxBaseDataItem* Add(std::unique_ptr<TOxBaseDataItem> Item) = 0;
    // A new item with a text, appended.
    virtual TOxBaseDataItem* New() = 0;
    // Raises EOxDataItems "Item cannot be deleted" for an item that does not allow it.
    virtual void Remove(TOxBaseDataItem* Item) = 0;
    virtual void Clear() = 0;
};

class TOxBaseDataItemsListManagement : public TOxBaseDataItemsManagement {
public:
    using TOxBaseDataItemsManagement::TOxBaseDataItemsManagement;
    TOxBaseDataItem* Add(std::unique_ptr<TOxBaseDataItem> Item) override;
    TOxBaseDataItem* New() override;
    void Remove(TOxBaseDataItem* Item) override;
    void Clear() override;
};

class TOxBaseDataItemsImagesImpl : public TOxDataItemsAggregatedObject {
public:
    using TOxDataItemsAggregatedObject::TOxDataItemsAggregatedObject;
};

// The image lists of the list's items. Each reference is cleared when its image list goes away.
class TOxCustomDataItemsImages : public TOxBaseDataItemsImagesImpl {
public:
    explicit TOxCustomDataItemsImages(TExtensibleInterfacedPersistent* Controller);
    ~TOxCustomDataItemsImages() override;
    TCustomImageList* Images() const;
    void SetImages(TCustomImageList* Value);
    TCustomImageList* HotImages() const;
    void SetHotImages(TCustomImageList* Value);
    TCustomImageList* DisabledImages() const;
    void SetDisabledImages(TCustomImageList* Value);

private:
    class TLinks;
    std::unique_ptr<TLinks> FLinks;
};

// A stand-alone renderer that draws any item by its text: "TextRect" at the rectangle's corner.
class TOxDP_ProviderBaseRender {
public:
    virtual ~TOxDP_ProviderBaseRender() = default;
    virtual void Draw(TCanvas* Canvas, TRect& Rect, IOxDataItem* Item) = 0;
    virtual TSize Measure(TCanvas* Canvas, IOxDataItem* Item) = 0;
};

class TOxDP_ProviderTextOnlyRender : public TOxDP_ProviderBaseRender {
public:
    void Draw(TCanvas* Canvas, TRect& Rect, IOxDataItem* Item) override;
    TSize Measure(TCanvas* Canvas, IOxDataItem* Item) override;
};

// The text an item is shown with: its own, else the remark that it has none.
std::string OxItemDisplayText(IOxDataItem* Item);

void RegisterOxDataItemClasses();
