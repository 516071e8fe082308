#pragma once
// An owned list of items of one class, stored in form descriptions as "< item ... end >".
#include <functional>
#include <string>
#include <vector>

#include "platform/vcl/TComponent.h"

class TCollection;

class TCollectionItem : public TPersistent {
public:
    // Adds itself to Collection when one is given.
    explicit TCollectionItem(TCollection* Collection);
    ~TCollectionItem() override;

    TCollection* Collection() const { return FCollection; }
    void SetCollection(TCollection* Value);
    int Index() const;
    virtual void SetIndex(int Value);
    int ID() const { return FID; }
    virtual std::string DisplayName() const;
    TPersistent* GetOwner() override;

protected:
    // Tells the collection that this item (or, with AllItems, every item) changed.
    void Changed(bool AllItems);

private:
    friend class TCollection;
    TCollection* FCollection = nullptr;
    int FID = 0;
};

enum TCollectionNotification { cnAdded, cnExtracting, cnDeleting };

class TCollection : public TPersistent {
public:
    using TItemFactory = std::function<TCollectionItem*(TCollection*)>;
    // Factory makes one item of the collection's class; Owner is what GetOwner reports.
    TCollection(TItemFactory Factory, TPersistent* Owner = nullptr);
    ~TCollection() override;

    // A collection of items of class T (constructible from TCollection*).
    template <class T> static TItemFactory Of()
    {
        return [](TCollection* c) -> TCollectionItem* { return new T(c); };
    }

    TCollectionItem* Add();
    TCollectionItem* Insert(int Index);
    void Delete(int Index);
    void Clear();
    int Count() const { return static_cast<int>(FItems.size()); }
    // Raises EListError outside 0..Count-1.
    TCollectionItem* Items(int Index) const;
    template <class T> T* ItemsAs(int Index) const { return static_cast<T*>(Items(Index)); }
    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return FUpdateCount; }
    void Assign(TPersistent* Source) override;
    TPersistent* GetOwner() override { return FOwner; }

    // Called after a change (Item nullptr = everything); not while updating.
    std::function<void(TCollectionItem* Item)> OnUpdate;

protected:
    virtual void Update(TCollectionItem* Item);
    virtual void Notify(TCollectionItem* Item, TCollectionNotification Action);
    void Changed();

private:
    friend class TCollectionItem;
    void InsertItem(TCollectionItem* Item);
    void RemoveItem(TCollectionItem* Item);

    TItemFactory FFactory;
    TPersistent* FOwner = nullptr;
    std::vector<TCollectionItem*> FItems;
    int FNextID = 0;
    int FUpdateCount = 0;
};
