#pragma once
// The clipboard as an object pictures can be assigned to: Clipboard()->Assign(Bitmap) puts the
// picture there, in place of whatever it held.
#include "platform/vcl/TComponent.h"

class TClipboard : public TPersistent {
public:
    // A graphic, or a picture's graphic, goes onto the clipboard; any other object is asked to put
    // itself there (its AssignTo).
    void Assign(TPersistent* Source) override;
};

// The one clipboard of the program.
TClipboard* Clipboard();
