#pragma once
// The edit part of a combo box in the edit style: the edit control that sits in the face (the numeric
// edit when the combo box asks for one), whose every message the combo box sees first.
//
// Letting it go (freeing this object) cuts the edit loose at once: it hides, its events are cleared and
// its messages go to its own handling only. The control itself is freed once no message of its own is
// being handled any more, since a handler of the combo box may let the part go from inside the edit's
// window procedure.
#include <functional>
#include <memory>

#include "platform/rtl/Types.h"

class TComponent;
class TWinControl;
class TskCustomEdit;

class TskComboEditPart {
public:
    // Handler sees each message of the edit first; PassOn hands it to the edit's own handling, and does
    // nothing once the part has been let go meanwhile.
    using TMessageHandler = std::function<void(TMessage& Message, const std::function<void()>& PassOn)>;

    TskComboEditPart(TWinControl* Combo, bool NumEdit, TMessageHandler Handler);
    ~TskComboEditPart();
    TskComboEditPart(const TskComboEditPart&) = delete;
    TskComboEditPart& operator=(const TskComboEditPart&) = delete;

    TskCustomEdit* Edit() const { return FEdit; }
    // The edit was freed by someone else: there is nothing left to let go.
    void EditGone() { FEdit = nullptr; }
    // Centres the edit in ItemRect at the height of a line of its font (never taller than the rectangle).
    void Place(const TRect& ItemRect);

private:
    struct THook;
    TskCustomEdit* FEdit = nullptr;
    std::shared_ptr<THook> FHook;
};
