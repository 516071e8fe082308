#pragma once
// A picture a control makes from its skin entry (a frame, a background), kept between paints while what
// it was made from stays the same. The key names all of that: the skin's generation (new with every load,
// so nothing of a reloaded or freed skin is ever reused), the entry's part, the size and the look's state.
// Making the picture is what costs; asking whether the kept one still holds is one comparison.
#include "platform/vcl/TBitmap.h"

template <class TKey> class TSkinLookCache {
public:
    // The picture for Key; Make(TBitmap*) draws it anew, on an empty picture, when the kept one was made
    // for another key.
    template <class TMake> TBitmap& Get(const TKey& Key, TMake&& Make)
    {
        if (!FValid || !(FKey == Key)) {
            // Half made (should Make throw), the picture must not pass for the old key's.
            FValid = false;
            FPicture.SetSize(0, 0);
            Make(&FPicture);
            FKey = Key;
            FValid = true;
        }
        return FPicture;
    }

private:
    TKey FKey{};
    bool FValid = false;
    TBitmap FPicture;
};
