#include "skin/data/TskCompressedSkinList.h"

#include "platform/rtl/Strings.h"
#include "platform/rtl/TStream.h"
#include "platform/vcl/TReader.h"
#include "platform/vcl/TypInfo.h"
#include "skin/data/TskCompressedStoredSkin.h"

namespace {

std::string NamePart(const std::string& path)
{
    const auto cut = path.find_last_of("\\:/");
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

} // namespace

void RegisterCompressedSkinListClasses()
{
    RegisterClass<TskCompressedSkinList, TComponent>("TskCompressedSkinList")
        .Prop("Skins", &TskCompressedSkinList::Skins);
    RegisterClass<TskSkinListItem>("TskSkinListItem")
        .Prop("Description", &TskSkinListItem::Description, &TskSkinListItem::SetDescription)
        .Prop("FileName", &TskSkinListItem::FileName, &TskSkinListItem::SetFileName)
        .Prop("CompressedFileName", &TskSkinListItem::CompressedFileName, &TskSkinListItem::SetCompressedFileName)
        .Prop("Name", &TskSkinListItem::Name, &TskSkinListItem::SetName);
}

TskSkinListItem::TskSkinListItem(TCollection* Collection)
    : TCollectionItem(Collection), FStoredSkin(std::make_unique<TskCompressedStoredSkin>(nullptr))
{
    // Items made by the collection join it only after construction; the collection names them then.
    if (TCollectionItem::Collection())
        FName = "skSkin" + std::to_string(Index());
}

TskSkinListItem::~TskSkinListItem() = default;

bool TskSkinListItem::Designing() const
{
    auto* list = Collection() ? dynamic_cast<TComponent*>(Collection()->GetOwner()) : nullptr;
    if (!list)
        return false;
    const auto state = list->ComponentState();
    return state.Contains(csDesigning) && !state.Contains(csLoading) && !state.Contains(csReading);
}

void TskSkinListItem::SetFileName(const std::string& Value)
{
    if (Designing()) {
        FStoredSkin->BuildFromSkinIni(Value);
        FFileName = NamePart(Value);
    } else {
        FFileName = Value;
    }
}

void TskSkinListItem::SetCompressedFileName(const std::string& Value)
{
    if (Designing()) {
        FStoredSkin->LoadFromSkinFile(Value);
        FCompressedFileName = NamePart(Value);
    } else {
        FCompressedFileName = Value;
    }
}

void TskSkinListItem::Assign(TPersistent* Source)
{
    auto* other = dynamic_cast<TskSkinListItem*>(Source);
    if (!other) {
        TCollectionItem::Assign(Source);
        return;
    }
    FDescription = other->FDescription;
    FFileName = other->FFileName;
    FCompressedFileName = other->FCompressedFileName;
    FName = other->FName;
    TMemoryStream& from = other->FStoredSkin->StoredData();
    TMemoryStream& to = FStoredSkin->StoredData();
    if (&from != &to) {
        to.Clear();
        from.SaveToStream(to);
        to.SetPosition(0);
    }
}

void TskSkinListItem::DefineProperties(TFiler* Filer)
{
    TCollectionItem::DefineProperties(Filer);
    Filer->DefineBinaryProperty(
        "Skin", [this](TStream& s) { FStoredSkin->ReadSkinFileStream(s); },
        [this](TStream& s) { FStoredSkin->WriteSkinFileStream(s); }, true);
}

TskSkinListItems::TskSkinListItems(TskCompressedSkinList* AOwner)
    : TCollection(TCollection::Of<TskSkinListItem>(), AOwner)
{
}

void TskSkinListItems::Notify(TCollectionItem* Item, TCollectionNotification Action)
{
    TCollection::Notify(Item, Action);
    if (Action == cnAdded)
        if (auto* item = dynamic_cast<TskSkinListItem*>(Item))
            item->SetName("skSkin" + std::to_string(item->Index()));
}

TskCompressedSkinList::TskCompressedSkinList(TComponent* AOwner)
    : TComponent(AOwner), FSkins(std::make_unique<TskSkinListItems>(this))
{
}

TskCompressedSkinList::~TskCompressedSkinList() = default;

void TskCompressedSkinList::SetSkins(TskSkinListItems* Value)
{
    FSkins->Assign(Value);
}
