#include "process/TOxPersistentProperty.h"

TOxPersistent::TOxPersistent(TPersistent* AOwner)
    : TComponent(dynamic_cast<TComponent*>(AOwner)), FPersistentOwner(AOwner)
{
}

std::string TOxPersistent::NamePath() const
{
    std::string path;
    if (auto* owner = dynamic_cast<TOxPersistent*>(FPersistentOwner)) {
        path = owner->NamePath();
    } else if (auto* component = dynamic_cast<TComponent*>(FPersistentOwner)) {
        path = component->Name();
    }
    if (!Name().empty()) {
        path += "." + Name();
    }
    return path;
}

void TOxPersistentProperty::Changed()
{
    if (FUpdateCount == 0 && OnChanged) {
        OnChanged(this);
    }
}

void TOxPersistentProperty::Changing()
{
    if (FUpdateCount == 0 && OnChanging) {
        OnChanging(this);
    }
}

void TOxPersistentProperty::ChangedProperty(const std::string& PropName)
{
    if (OnChangedProperty) {
        OnChangedProperty(this, PropName);
    }
}

void TOxPersistentProperty::ChangingProperty(const std::string& PropName)
{
    if (OnChangingProperty) {
        OnChangingProperty(this, PropName);
    }
}

void TOxPersistentProperty::SetUpdateState(bool Updating)
{
    if (Updating) {
        Changing();
    } else {
        Changed();
    }
}

void TOxPersistentProperty::BeginUpdate()
{
    if (FUpdateCount == 0) {
        SetUpdateState(true);
    }
    ++FUpdateCount;
}

void TOxPersistentProperty::EndUpdate()
{
    if (FUpdateCount <= 0) {
        return; // an unbalanced EndUpdate must not drive the counter negative
    }
    --FUpdateCount;
    if (FUpdateCount == 0) {
        SetUpdateState(false);
    }
}
