#include "process/TOxArrangeSettings.h"

void TOxArrangeSettings::Assign(TPersistent* Source)
{
    if (!Source)
        return;
    auto* other = dynamic_cast<TOxArrangeSettings*>(Source);
    if (!other) {
        TOxPersistentProperty::Assign(Source);
        return;
    }
    BeginUpdate();
    SetWrapControls(other->WrapControls());
    SetBorderLeft(other->BorderLeft());
    SetBorderTop(other->BorderTop());
    SetDistanceVertical(other->DistanceVertical());
    SetDistanceHorizontal(other->DistanceHorizontal());
    SetShowNotVisibleAtDesignTime(other->ShowNotVisibleAtDesignTime());
    SetAutoSize(other->AutoSize());
    SetAutoArrange(other->AutoArrange());
    SetMaxWidth(other->MaxWidth());
    EndUpdate();
}
