#pragma once
// Several compressed skins in one component, so that a TskSkinData can switch between them by index
// (its SkinList and SkinIndex).
#include <memory>
#include <string>

#include "platform/vcl/TCollection.h"
#include "platform/vcl/TComponent.h"

class TskCompressedStoredSkin;
class TskCompressedSkinList;

class TskSkinListItem : public TCollectionItem {
public:
    explicit TskSkinListItem(TCollection* Collection);
    ~TskSkinListItem() override;

    // Its own stored skin, created with the item and freed with it.
    TskCompressedStoredSkin* StoredSkin() const { return FStoredSkin.get(); }

    const std::string& Description() const { return FDescription; }
    void SetDescription(const std::string& Value) { FDescription = Value; }
    const std::string& FileName() const { return FFileName; }
    // In design mode: builds the stored skin from the ini file and keeps only the name part.
    void SetFileName(const std::string& Value);
    const std::string& CompressedFileName() const { return FCompressedFileName; }
    // In design mode: loads the compressed skin file and keeps only the name part.
    void SetCompressedFileName(const std::string& Value);
    const std::string& Name() const { return FName; }
    void SetName(const std::string& Value) { FName = Value; }

    std::string DisplayName() const override { return FName; }
    // Copies another item's texts and stored skin (the collection assigns item by item).
    void Assign(TPersistent* Source) override;
    // The binary property "Skin": the stored skin in the compressed skin file form; always written.
    void DefineProperties(TFiler* Filer) override;

private:
    bool Designing() const;

    std::unique_ptr<TskCompressedStoredSkin> FStoredSkin;
    std::string FDescription;
    std::string FFileName;
    std::string FCompressedFileName;
    std::string FName;
};

class TskSkinListItems : public TCollection {
public:
    explicit TskSkinListItems(TskCompressedSkinList* AOwner);

    TskSkinListItem* Items(int Index) const { return ItemsAs<TskSkinListItem>(Index); }
    TskSkinListItem* Add() { return static_cast<TskSkinListItem*>(TCollection::Add()); }

protected:
    // A new item is named after its place: skSkin0, skSkin1, ...
    void Notify(TCollectionItem* Item, TCollectionNotification Action) override;
};

class TskCompressedSkinList : public TComponent {
public:
    explicit TskCompressedSkinList(TComponent* AOwner);
    ~TskCompressedSkinList() override;

    TskSkinListItems* Skins() const { return FSkins.get(); }
    // Copies the given items.
    void SetSkins(TskSkinListItems* Value);

private:
    std::unique_ptr<TskSkinListItems> FSkins;
};

// Registers TskCompressedSkinList and its items with the form reader (called at start-up by
// RegisterSkinDataClasses).
void RegisterCompressedSkinListClasses();
