#pragma once
// Sub-objects of the extension components (a panel's arrangement settings...) that tell their owner
// about every change: OnChanging/OnChanged once per change or per BeginUpdate..EndUpdate bracket, and
// OnChangingProperty/OnChangedProperty with the name of each property that changes.
#include "platform/vcl/TComponent.h"

#include <functional>
#include <string>

// A sub-object of a persistent owner: when the owner is a component it owns this one too.
class TOxPersistent : public TComponent {
public:
    explicit TOxPersistent(TPersistent* AOwner);
    TPersistent* GetOwner() override { return FPersistentOwner; }
    // The owner's name path, ".", and this object's name when it has one.
    std::string NamePath() const;

private:
    TPersistent* FPersistentOwner;
};

using TOxPropertyEvent = std::function<void(TObject* Sender, const std::string& PropName)>;

class TOxPersistentProperty : public TOxPersistent {
public:
    using TOxPersistent::TOxPersistent;

    TNotifyEvent OnChanging;
    TNotifyEvent OnChanged;
    TOxPropertyEvent OnChangingProperty;
    TOxPropertyEvent OnChangedProperty;

    virtual void Changed();
    virtual void Changing();
    virtual void ChangedProperty(const std::string& PropName);
    virtual void ChangingProperty(const std::string& PropName);
    virtual void SetUpdateState(bool Updating);
    virtual void BeginUpdate();
    virtual void EndUpdate();
    int UpdateCount() const { return FUpdateCount; }

protected:
    // The setter protocol of every descendant: nothing happens for the current value; otherwise
    // Changing, ChangingProperty, store, ChangedProperty, Changed.
    template <class T> void SetProperty(T& Field, const T& Value, const std::string& PropName)
    {
        if (Field == Value) {
            return;
        }
        Changing();
        ChangingProperty(PropName);
        Field = Value;
        ChangedProperty(PropName);
        Changed();
    }

private:
    int FUpdateCount = 0;
};
