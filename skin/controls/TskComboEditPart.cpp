#include "skin/controls/TskComboEditPart.h"

#include <algorithm>

#include "platform/vcl/TApplication.h"
#include "platform/vcl/TBitmap.h"
#include "skin/controls/TskCustomEdit.h"
#include "skin/controls/TskSkinNumEdit.h"

// Shared by the part and the window procedure it puts on the edit: the procedure outlives the part
// when the edit is let go from inside its own handling.
struct TskComboEditPart::THook {
    std::function<void(TMessage&)> OldEditWindowProc;
    TMessageHandler Handler;
    bool Attached = true;
};

TskComboEditPart::TskComboEditPart(TWinControl* Combo, bool NumEdit, TMessageHandler Handler)
    : FHook(std::make_shared<THook>())
{
    if (NumEdit)
        FEdit = new TskSkinNumEdit(Combo);
    else
        FEdit = new TskCustomEdit(Combo);
    FEdit->SetParent(Combo);
    FHook->Handler = std::move(Handler);
    FHook->OldEditWindowProc = FEdit->WindowProc;
    FEdit->WindowProc = [hook = FHook](TMessage& M) {
        if (!hook->Attached) {
            hook->OldEditWindowProc(M);
            return;
        }
        // A handler may let the part go while it runs: the edit stays until the handling has returned.
        TReleaseHold hold;
        const std::shared_ptr<THook> keep = hook;
        keep->Handler(M, [&M, keep] {
            if (keep->Attached) keep->OldEditWindowProc(M);
        });
    };
}

TskComboEditPart::~TskComboEditPart()
{
    if (FEdit == nullptr) return;
    // The handler is left in place: it may be running below us right now.
    FHook->Attached = false;
    FEdit->OnChange = nullptr;
    FEdit->OnKeyDown = nullptr;
    FEdit->OnKeyPress = nullptr;
    FEdit->OnKeyUp = nullptr;
    FEdit->Hide();
    Application->FreeComponentWhenUnheld(FEdit);
}

void TskComboEditPart::Place(const TRect& ItemRect)
{
    TBitmap probe(1, 1);
    probe.Canvas()->Font()->Assign(FEdit->Font());
    const int h = std::min(std::max(1, probe.Canvas()->TextHeight("Wg")), std::max(1, ItemRect.Height()));
    const int top = ItemRect.Top + (ItemRect.Height() - h) / 2;
    FEdit->SetBounds(ItemRect.Left, top, std::max(0, ItemRect.Width()), h);
}
