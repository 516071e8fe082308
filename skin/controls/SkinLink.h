#pragma once
// A skinned control's link to its skin: the skin component (the link clears itself when the skin is
// freed), the name of the control's entry there, and the lookups every skinned control makes through
// them: the entry's index, the entry as the control's own entry type, a picture, a cursor.
#include <functional>
#include <string>
#include <utility>

#include "platform/vcl/TComponent.h"
#include "platform/vcl/TControl.h"

class TBitmap;
class TskSkinData;
class TskDataSkinControl;

class TskSkinLink {
public:
    // OnGone runs when the skin is freed, once the link is clear.
    TskSkinLink(TComponent* Holder, std::string Name, std::function<void()> OnGone = {})
        : FData(Holder, std::move(OnGone)), FName(std::move(Name))
    {
    }

    TskSkinData* Data() const { return FData; }
    // Points at Value and drops the old skin's notification; true when Value holds a loaded skin.
    bool SetData(TskSkinData* Value);
    const std::string& Name() const { return FName; }
    void SetName(const std::string& Value) { FName = Value; }

    // True when a skin is linked and loaded.
    bool Loaded() const;
    // The index the last Locate found; -1 once the skin has gone, so a freed skin is never read.
    int Index() const { return FData.get() != nullptr ? FIndex : -1; }
    // Looks the named entry up again and keeps its index.
    int Locate() { return FIndex = Find(); }
    void Forget() { FIndex = -1; }
    // The index of the named entry in the skin's control list; -1 without a loaded skin or entry.
    int Find() const { return Find(FName); }
    int Find(const std::string& AName) const;
    // The entry at Index, or nullptr; as E, or nullptr when it is of another type.
    TskDataSkinControl* Entry(int Index) const;
    template <class E> E* EntryAs(int Index) const { return dynamic_cast<E*>(Entry(Index)); }
    // The named entry as E, or nullptr.
    template <class E> E* FindAs(const std::string& AName) const { return EntryAs<E>(Find(AName)); }
    // A picture of the loaded skin by index, or nullptr.
    TBitmap* Picture(int Index) const;
    // The skin's cursor for an entry's cursor index; crDefault for none or without a loaded skin.
    TCursor Cursor(int CursorIndex) const;

private:
    TComponentLink<TskSkinData> FData;
    std::string FName;
    int FIndex = -1;
};
