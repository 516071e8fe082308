#pragma once
// A picture a control makes from its skin entry (a frame, a background), kept between paints while what
// it was made from stays the same. The key names all of that: the skin's generation (new with every load,
// so nothing of a reloaded or freed skin is ever reused), the entry's part, the size and the look's state.
// Making the picture is what costs; asking whether the kept one still holds is one comparison.
// Controls of one class with equal keys make equal pictures, so they hold one picture between them: the
// rows of a long list, each with the same edit, boxes and panels at the same size, keep one of each.
#include <memory>
#include <typeindex>
#include <typeinfo>
#include <vector>

#include "platform/vcl/TBitmap.h"

template <class TKey> class TSkinLookCache {
public:
    // The picture for Key, as a control of class Class makes it; Make(TBitmap*) draws it anew, on an empty
    // picture, when neither this cache nor another control of the class holds one for the key. The
    // picture may be shared: it is only read from.
    template <class TMake> TBitmap& Get(const std::type_info& Class, const TKey& Key, TMake&& Make)
    {
        const std::type_index kind(Class);
        if (FPicture && FKind == kind && FKey == Key) return *FPicture;
        // Let go of the old picture first: when it was the last holder, the store forgets it.
        FPicture.reset();
        FPicture = Find(kind, Key);
        if (!FPicture) {
            auto made = std::make_shared<TBitmap>();
            // Half made (should Make throw), the picture is neither kept nor shared.
            Make(made.get());
            Keep(kind, Key, made);
            FPicture = std::move(made);
        }
        FKind = kind;
        FKey = Key;
        return *FPicture;
    }

private:
    struct TShared {
        std::type_index Kind;
        TKey Key;
        std::weak_ptr<TBitmap> Picture;
    };
    // The pictures some control of the process holds. Never freed: a control freed after the program's
    // statics still lets go of its picture.
    static std::vector<TShared>& Store()
    {
        static auto* store = new std::vector<TShared>;
        return *store;
    }
    static std::shared_ptr<TBitmap> Find(std::type_index Kind, const TKey& Key)
    {
        for (const TShared& s : Store())
            if (s.Kind == Kind && s.Key == Key)
                if (auto picture = s.Picture.lock()) return picture;
        return nullptr;
    }
    static void Keep(std::type_index Kind, const TKey& Key, const std::shared_ptr<TBitmap>& Picture)
    {
        auto& store = Store();
        std::erase_if(store, [](const TShared& s) { return s.Picture.expired(); });
        store.push_back({Kind, Key, Picture});
    }

    std::type_index FKind = typeid(void);
    TKey FKey{};
    std::shared_ptr<TBitmap> FPicture;
};
