#include "platform/vcl/TClipboard.h"

#include "platform/vcl/TBitmap.h"
#include "platform/vcl/TPicture.h"
#include "platform/win/Screen.h"

void TClipboard::Assign(TPersistent* Source)
{
    if (auto* picture = dynamic_cast<TPicture*>(Source)) {
        if (picture->Graphic())
            Assign(picture->Graphic());
        return;
    }
    auto* graphic = dynamic_cast<TGraphic*>(Source);
    if (!graphic) {
        TPersistent::Assign(Source);
        return;
    }
    if (auto* bitmap = dynamic_cast<TBitmap*>(graphic)) {
        SetClipboardPicture(*bitmap->Handle());
        return;
    }
    // Any other kind of picture goes as the bitmap it draws.
    TBitmap drawn(graphic->Width(), graphic->Height());
    drawn.Canvas()->Draw(0, 0, graphic);
    SetClipboardPicture(*drawn.Handle());
}

TClipboard* Clipboard()
{
    static TClipboard clipboard;
    return &clipboard;
}
