#pragma once
// The form reader: creates and fills the components of a stored form description through the
// class registry (TypInfo.h). Components are created owned by the root, in the order of the
// description; references between components are resolved after all of them exist; events are
// bound to the root's registered handlers by name; Loaded runs on every component (root first,
// then in reading order) after the whole description is read. Any fault raises EReadError naming
// the line and the property.
#include <functional>
#include <string>
#include <vector>

#include "platform/vcl/FormParser.h"
#include "platform/vcl/TComponent.h"

class TStream;
class TStrings;
class TWinControl;
class TWriter;

// What a persistent object stores beside its published properties: custom properties, read
// through a TReader positioned on the value, and binary ones, read from a memory stream.
class TFiler {
public:
    virtual ~TFiler() = default;
    virtual void DefineProperty(const std::string& Name, std::function<void(TReader&)> ReadData,
                                std::function<void(TWriter&)> WriteData, bool HasData) = 0;
    virtual void DefineBinaryProperty(const std::string& Name, std::function<void(TStream&)> ReadData,
                                      std::function<void(TStream&)> WriteData, bool HasData) = 0;
};

class TReader : public TFiler {
public:
    explicit TReader(TComponent* Root);
    ~TReader() override;

    // Reads a whole description into Root (its own properties and every nested component).
    void ReadRootComponent(const TFormObject& Tree);

    TComponent* Root() const { return FRoot; }
    // The line of the value being read, for messages.
    int Line() const;

    // Value access for DefineProperty readers.
    TValueType NextValue() const;
    std::int64_t ReadInt64();
    int ReadInteger();
    double ReadFloat();
    std::string ReadString();
    void ReadListBegin();
    bool EndOfList() const;
    void ReadListEnd();
    // A stored collection ("< item ... end >"): its elements, for readers that make the element
    // objects themselves. Raises EReadError when the next value is not a collection.
    const std::vector<TFormItem>& ReadCollectionItems();
    // Reads stored properties into Instance the way every object's are read, from Props[First] on;
    // Where names the object in messages.
    void ReadProperties(TObject* Instance, const std::string& Where, const std::vector<TFormProp>& Props, std::size_t First = 0);

    void DefineProperty(const std::string& Name, std::function<void(TReader&)> ReadData,
                        std::function<void(TWriter&)> WriteData, bool HasData) override;
    void DefineBinaryProperty(const std::string& Name, std::function<void(TStream&)> ReadData,
                              std::function<void(TStream&)> WriteData, bool HasData) override;

private:
    struct TFixup {
        TObject* Instance;
        const void* Prop; // const TPropInfo*
        std::string Target;
        std::string Where;
        int Line;
    };

    void ReadObject(const TFormObject& Node, TComponent* Parent);
    void ReadProps(TObject* Instance, const std::string& Where, const std::vector<TFormProp>& Props);
    void ReadProp(TObject* Instance, const std::string& Where, const TFormProp& Prop);
    void SetValue(TObject* Instance, const std::string& Where, const std::string& PropName, const void* Prop, const TFormValue& Value);
    void ReadStrings(TStrings* Strings, const std::string& Where, const TFormValue& Value);
    void ReadCollection(TObject* Instance, const std::string& Where, const TFormValue& Value);
    bool ReadDefined(TObject* Instance, const std::string& PropName, const TFormValue& Value);
    void ResolveFixups();
    // Lets the layouts held during the Loaded calls go, for the controls that are still there.
    void ReleaseAlign(const std::vector<TWinControl*>& Held);
    [[noreturn]] void PropError(const std::string& Where, const std::string& PropName, int Line, const std::string& Msg) const;
    const TFormValue& Current() const;
    const TFormValue& Take();

    TComponent* FRoot;
    std::vector<TComponent*> FLoaded;
    std::vector<TFixup> FFixups;
    // DefineProperties matching
    std::string FDefineName;
    const TFormValue* FDefineValue = nullptr;
    bool FDefineFound = false;
    // cursor for DefineProperty readers: a stack of (list, index)
    struct TCursor {
        const std::vector<TFormValue>* List;
        size_t Index;
    };
    std::vector<TCursor> FCursor;
    std::vector<TFormValue> FSingle;
};

// Reads Text (a whole description) into Root. Root's class must be the one the description names
// (or an ancestor registered under that name).
void ReadComponentFromText(TComponent* Root, const std::string& Text);
// Reads the embedded description registered under ResourceName (see FormResources.h) into
// Instance; false when there is none. A form class calls it in its constructor:
//   TForm1::TForm1(TComponent* AOwner) : TForm(AOwner) { InitInheritedComponent(this, "TForm1"); }
// OnCreate fires later, once (TApplication::CreateForm, or the first Show).
bool InitInheritedComponent(TComponent* Instance, const std::string& ResourceName);
