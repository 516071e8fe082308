#include "platform/vcl/TReader.h"

#include <algorithm>
#include <unordered_set>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Strings.h"
#include "platform/rtl/TStream.h"
#include "platform/rtl/TStringList.h"
#include "platform/vcl/FormResources.h"
#include "platform/vcl/TCollection.h"
#include "platform/vcl/TWinControl.h"
#include "platform/vcl/TypInfo.h"

namespace {

std::string KindText(TValueType t)
{
    switch (t) {
    case vaInt: return "integer";
    case vaExtended: return "float";
    case vaString: return "string";
    case vaIdent: return "identifier";
    case vaFalse:
    case vaTrue: return "boolean";
    case vaBinary: return "binary data";
    case vaSet: return "set";
    case vaNil: return "nil";
    case vaList: return "list";
    case vaCollection: return "collection";
    default: return "nothing";
    }
}

} // namespace

TReader::TReader(TComponent* Root) : FRoot(Root) {}

TReader::~TReader() = default;

void TReader::PropError(const std::string& Where, const std::string& PropName, int Line, const std::string& Msg) const
{
    throw EReadError("Line " + IntToStr(Line) + ": Error reading " + Where + (PropName.empty() ? "" : "." + PropName) + ": " + Msg);
}

void TReader::ReadRootComponent(const TFormObject& Tree)
{
    const TClassInfo* named = FindClassInfo(Tree.ClassName);
    if (!SameText(FRoot->ClassName(), Tree.ClassName) && (named == nullptr || !named->IsInstance(FRoot)))
        throw EReadError("Line " + IntToStr(Tree.Line) + ": " + FRoot->ClassName() + " cannot be read as " + Tree.ClassName);

    FLoaded.clear();
    FFixups.clear();
    FRoot->SetLoadingState(true);
    FRoot->SetReadingState(true);
    FLoaded.push_back(FRoot);
    try {
        if (!Tree.Name.empty() && FRoot->Name() != Tree.Name) {
            try {
                FRoot->SetName(Tree.Name);
            } catch (const Exception& e) {
                PropError(Tree.Name, "Name", Tree.Line, e.Message());
            }
        }
        const std::string where = Tree.Name.empty() ? Tree.ClassName : Tree.Name;
        ReadProps(FRoot, where, Tree.Props);
        for (const TFormObject& child : Tree.Children) ReadObject(child, FRoot);
        ResolveFixups();
    } catch (...) {
        for (TComponent* c : FLoaded) {
            c->SetReadingState(false);
            c->SetLoadingState(false);
        }
        throw;
    }
    for (TComponent* c : FLoaded) c->SetReadingState(false);
    // Loaded may create or free components; the list is ours and is not touched by it.
    std::vector<TComponent*> loaded = FLoaded;
    // A control's Loaded may size it (its font, its auto size), and each such change lays out all the
    // children of its parent again. So a container's layout is held from the end of its own Loaded until
    // every Loaded has run, and done once then: a form of thousands of controls is read in time linear in
    // them, instead of laying out its whole client once per control.
    std::vector<TWinControl*> held;
    try {
        for (TComponent* c : loaded) {
            c->Loaded();
            if (auto* w = dynamic_cast<TWinControl*>(c)) {
                w->DisableAlign();
                held.push_back(w);
            }
        }
    } catch (...) {
        ReleaseAlign(held);
        throw;
    }
    ReleaseAlign(held);
}

void TReader::ReleaseAlign(const std::vector<TWinControl*>& Held)
{
    // Every control read is owned by the root; one that a Loaded freed is no longer among its components.
    std::unordered_set<const TComponent*> alive{FRoot};
    for (int i = 0; i < FRoot->ComponentCount(); ++i) alive.insert(FRoot->Components(i));
    // Containers first, as they were read: a parent's layout sizes its children before they lay out theirs.
    for (TWinControl* w : Held)
        if (alive.count(w) != 0) w->EnableAlign();
}

void TReader::ReadObject(const TFormObject& Node, TComponent* Parent)
{
    TComponent* instance = nullptr;
    if (Node.Kind == fkInherited) {
        instance = FRoot->FindComponent(Node.Name);
        if (instance == nullptr) throw EReadError("Line " + IntToStr(Node.Line) + ": Ancestor component " + Node.Name + " not found");
        instance->SetLoadingState(true);
        instance->SetReadingState(true);
        FLoaded.push_back(instance);
    } else {
        const TClassInfo* info = FindClassInfo(Node.ClassName);
        if (info == nullptr) throw EReadError("Line " + IntToStr(Node.Line) + ": Class " + Node.ClassName + " not found");
        if (!info->Create) throw EReadError("Line " + IntToStr(Node.Line) + ": Class " + Node.ClassName + " cannot be created");
        instance = info->Create(FRoot);
        instance->SetLoadingState(true);
        instance->SetReadingState(true);
        FLoaded.push_back(instance);
        try {
            instance->SetName(Node.Name);
        } catch (const Exception& e) {
            PropError(Node.Name, "Name", Node.Line, e.Message());
        }
        if (!Node.Name.empty()) {
            if (const TClassInfo* rootInfo = ClassInfoOf(FRoot))
                if (const TFieldInfo* field = rootInfo->FindField(Node.Name))
                    if (!field->Set(FRoot, instance))
                        PropError(Node.Name, "", Node.Line, "Field " + Node.Name + " is not of class " + Node.ClassName);
        }
        instance->SetParentComponent(Parent);
    }
    const std::string where = Node.Name.empty() ? Node.ClassName : Node.Name;
    ReadProps(instance, where, Node.Props);
    for (const TFormObject& child : Node.Children) ReadObject(child, instance);
}

void TReader::ReadProps(TObject* Instance, const std::string& Where, const std::vector<TFormProp>& Props)
{
    for (const TFormProp& p : Props) ReadProp(Instance, Where, p);
}

void TReader::ReadProp(TObject* Instance, const std::string& Where, const TFormProp& Prop)
{
    // Walk "Font.Style" down to the object that owns the last name.
    TObject* target = Instance;
    std::string path = Prop.Path;
    for (;;) {
        size_t dot = path.find('.');
        if (dot == std::string::npos) break;
        const std::string head = path.substr(0, dot);
        const TClassInfo* info = ClassInfoOf(target);
        const TPropInfo* pi = info != nullptr ? info->FindProp(head) : nullptr;
        if (pi == nullptr) PropError(Where, Prop.Path, Prop.Line, "Property " + head + " does not exist");
        if (pi->Kind == TTypeKind::tkStrings) {
            if (!SameText(path.substr(dot + 1), "Strings")) PropError(Where, Prop.Path, Prop.Line, "Property " + path.substr(dot + 1) + " does not exist");
            TStrings* strings = pi->GetStrings(target);
            if (strings == nullptr) PropError(Where, Prop.Path, Prop.Line, "Property " + head + " has no object");
            ReadStrings(strings, Where + "." + Prop.Path, Prop.Value);
            return;
        }
        if (pi->Kind == TTypeKind::tkIgnored) return;
        if (pi->Kind != TTypeKind::tkClass) PropError(Where, Prop.Path, Prop.Line, "Property " + head + " is not an object");
        target = pi->GetObject(target);
        if (target == nullptr) PropError(Where, Prop.Path, Prop.Line, "Property " + head + " has no object");
        path = path.substr(dot + 1);
    }
    const TClassInfo* info = ClassInfoOf(target);
    const TPropInfo* pi = info != nullptr ? info->FindProp(path) : nullptr;
    if (pi == nullptr) {
        if (auto* persistent = dynamic_cast<TPersistent*>(target)) {
            try {
                if (ReadDefined(persistent, path, Prop.Value)) return;
            } catch (const EReadError&) {
                throw;
            } catch (const Exception& e) {
                PropError(Where, Prop.Path, Prop.Line, e.Message());
            }
        }
        PropError(Where, Prop.Path, Prop.Line, "Property " + path + " does not exist");
    }
    try {
        SetValue(target, Where, Prop.Path, pi, Prop.Value);
    } catch (const EReadError&) {
        throw;
    } catch (const Exception& e) {
        // A setter refused the value: report it where it stands in the description.
        PropError(Where, Prop.Path, Prop.Line, e.Message());
    }
}

void TReader::SetValue(TObject* Instance, const std::string& Where, const std::string& PropName, const void* PropPtr, const TFormValue& v)
{
    const TPropInfo& p = *static_cast<const TPropInfo*>(PropPtr);
    auto bad = [&]() { PropError(Where, PropName, v.Line, "Invalid property value (" + KindText(v.Type) + ")"); };
    switch (p.Kind) {
    case TTypeKind::tkInteger: {
        std::int64_t value = 0;
        if (v.Type == vaInt) {
            value = v.Int;
        } else if (v.Type == vaIdent) {
            auto known = IdentToInt(v.Str);
            if (!known) PropError(Where, PropName, v.Line, "Invalid property value '" + v.Str + "'");
            value = *known;
        } else {
            bad();
        }
        if (value < p.MinValue || value > p.MaxValue) PropError(Where, PropName, v.Line, "Value " + IntToStr(value) + " out of range");
        p.SetOrd(Instance, value);
        return;
    }
    case TTypeKind::tkFloat:
        if (v.Type == vaInt)
            p.SetFloat(Instance, static_cast<double>(v.Int));
        else if (v.Type == vaExtended)
            p.SetFloat(Instance, v.Float);
        else
            bad();
        return;
    case TTypeKind::tkString:
        if (v.Type != vaString) bad();
        p.SetStr(Instance, v.Str);
        return;
    case TTypeKind::tkEnumeration: {
        if (v.Type != vaIdent && v.Type != vaTrue && v.Type != vaFalse) bad();
        int value = p.Enum->ValueOf(v.Str);
        if (value < 0) PropError(Where, PropName, v.Line, "Invalid property value '" + v.Str + "'");
        p.SetOrd(Instance, value);
        return;
    }
    case TTypeKind::tkSet: {
        if (v.Type != vaSet) bad();
        std::uint64_t bits = 0;
        for (const std::string& name : v.Set) {
            int value = p.Enum->ValueOf(name);
            if (value < 0 || value >= 64) PropError(Where, PropName, v.Line, "Invalid property value '" + name + "'");
            bits |= std::uint64_t(1) << value;
        }
        p.SetOrd(Instance, static_cast<std::int64_t>(bits));
        return;
    }
    case TTypeKind::tkStrings: {
        TStrings* strings = p.GetStrings(Instance);
        if (strings == nullptr) bad();
        ReadStrings(strings, Where + "." + PropName, v);
        return;
    }
    case TTypeKind::tkClass: {
        TPersistent* obj = p.GetObject(Instance);
        if (obj == nullptr) bad();
        if (v.Type == vaCollection && dynamic_cast<TCollection*>(obj) != nullptr) {
            ReadCollection(obj, Where + "." + PropName, v);
            return;
        }
        if (v.Type == vaNil) return;
        // An owned object with a stored value of its own (a picture's data, say).
        if (!ReadDefined(obj, "Data", v)) bad();
        return;
    }
    case TTypeKind::tkComponent:
        if (v.Type == vaNil) {
            if (!p.SetComponent(Instance, nullptr)) bad();
            return;
        }
        if (v.Type != vaIdent) bad();
        FFixups.push_back({Instance, PropPtr, v.Str, Where + "." + PropName, v.Line});
        return;
    case TTypeKind::tkIgnored:
        return;
    case TTypeKind::tkMethod: {
        if (v.Type == vaNil) return;
        if (v.Type != vaIdent) bad();
        const TClassInfo* rootInfo = ClassInfoOf(FRoot);
        const THandlerInfo* handler = rootInfo != nullptr ? rootInfo->FindHandler(v.Str) : nullptr;
        if (handler == nullptr) PropError(Where, PropName, v.Line, "Method " + v.Str + " not found in " + FRoot->ClassName());
        if (!p.SetMethod(Instance, handler->Bind(FRoot)))
            PropError(Where, PropName, v.Line, "Method " + v.Str + " does not fit the event");
        return;
    }
    }
}

void TReader::ReadStrings(TStrings* Strings, const std::string& Where, const TFormValue& Value)
{
    if (Value.Type != vaList) PropError(Where, "", Value.Line, "A list of strings expected");
    Strings->BeginUpdate();
    try {
        Strings->Clear();
        for (const TFormValue& item : Value.List) {
            if (item.Type != vaString) PropError(Where, "", item.Line, "String expected but " + KindText(item.Type) + " found");
            Strings->Add(item.Str);
        }
    } catch (...) {
        Strings->EndUpdate();
        throw;
    }
    Strings->EndUpdate();
}

void TReader::ReadCollection(TObject* Instance, const std::string& Where, const TFormValue& Value)
{
    auto* collection = static_cast<TCollection*>(dynamic_cast<TPersistent*>(Instance));
    collection->BeginUpdate();
    try {
        collection->Clear();
        for (size_t i = 0; i < Value.Items.size(); ++i) {
            TCollectionItem* item = collection->Add();
            ReadProps(item, Where + "[" + IntToStr(static_cast<int64_t>(i)) + "]", Value.Items[i].Props);
        }
    } catch (...) {
        collection->EndUpdate();
        throw;
    }
    collection->EndUpdate();
}

bool TReader::ReadDefined(TObject* Instance, const std::string& PropName, const TFormValue& Value)
{
    auto* persistent = dynamic_cast<TPersistent*>(Instance);
    if (persistent == nullptr) return false;
    const std::string saveName = FDefineName;
    const TFormValue* saveValue = FDefineValue;
    const bool saveFound = FDefineFound;
    FDefineName = PropName;
    FDefineValue = &Value;
    FDefineFound = false;
    try {
        persistent->DefineProperties(this);
    } catch (...) {
        FDefineName = saveName;
        FDefineValue = saveValue;
        FDefineFound = saveFound;
        throw;
    }
    const bool found = FDefineFound;
    FDefineName = saveName;
    FDefineValue = saveValue;
    FDefineFound = saveFound;
    return found;
}

void TReader::DefineProperty(const std::string& Name, std::function<void(TReader&)> ReadData, std::function<void(TWriter&)>, bool)
{
    if (FDefineFound || FDefineValue == nullptr || !SameText(Name, FDefineName) || !ReadData) return;
    FDefineFound = true;
    auto saveCursor = std::move(FCursor);
    auto saveSingle = std::move(FSingle);
    FSingle = {*FDefineValue};
    FCursor = {{&FSingle, 0}};
    try {
        ReadData(*this);
    } catch (...) {
        FCursor = std::move(saveCursor);
        FSingle = std::move(saveSingle);
        throw;
    }
    FCursor = std::move(saveCursor);
    FSingle = std::move(saveSingle);
}

void TReader::DefineBinaryProperty(const std::string& Name, std::function<void(TStream&)> ReadData, std::function<void(TStream&)>, bool)
{
    if (FDefineFound || FDefineValue == nullptr || !SameText(Name, FDefineName) || !ReadData) return;
    FDefineFound = true;
    if (FDefineValue->Type != vaBinary)
        throw EReadError("Line " + IntToStr(FDefineValue->Line) + ": Binary data expected for " + Name + " but " + KindText(FDefineValue->Type) + " found");
    TMemoryStream stream;
    if (!FDefineValue->Str.empty()) stream.WriteBuffer(FDefineValue->Str.data(), static_cast<int64_t>(FDefineValue->Str.size()));
    stream.SetPosition(0);
    ReadData(stream);
}

void TReader::ResolveFixups()
{
    for (const TFixup& f : FFixups) {
        // "Name" is a component of the root; "RootName.Name" names it through the root.
        std::string target = f.Target;
        TComponent* found = nullptr;
        if (SameText(target, FRoot->Name())) {
            found = FRoot;
        } else {
            size_t dot = target.find('.');
            if (dot != std::string::npos && SameText(target.substr(0, dot), FRoot->Name())) target = target.substr(dot + 1);
            found = FRoot->FindComponent(target);
        }
        if (found == nullptr) throw EReadError("Line " + IntToStr(f.Line) + ": Error reading " + f.Where + ": Invalid property value '" + f.Target + "'");
        const auto& p = *static_cast<const TPropInfo*>(f.Prop);
        if (!p.SetComponent(f.Instance, found))
            throw EReadError("Line " + IntToStr(f.Line) + ": Error reading " + f.Where + ": " + f.Target + " is a " + found->ClassName() + ", of the wrong class");
    }
    FFixups.clear();
}

const TFormValue& TReader::Current() const
{
    if (FCursor.empty()) throw EReadError("No value to read");
    const TCursor& c = FCursor.back();
    if (c.Index >= c.List->size()) throw EReadError("Line " + IntToStr(Line()) + ": Unexpected end of list");
    return (*c.List)[c.Index];
}

const TFormValue& TReader::Take()
{
    const TFormValue& v = Current();
    ++FCursor.back().Index;
    return v;
}

int TReader::Line() const
{
    if (FCursor.empty()) return FDefineValue != nullptr ? FDefineValue->Line : 0;
    const TCursor& c = FCursor.back();
    if (c.Index < c.List->size()) return (*c.List)[c.Index].Line;
    return c.List->empty() ? 0 : c.List->back().Line;
}

TValueType TReader::NextValue() const
{
    if (FCursor.empty()) return vaNull;
    const TCursor& c = FCursor.back();
    return c.Index < c.List->size() ? (*c.List)[c.Index].Type : vaNull;
}

std::int64_t TReader::ReadInt64()
{
    const TFormValue& v = Current();
    if (v.Type != vaInt) throw EReadError("Line " + IntToStr(v.Line) + ": Integer expected but " + KindText(v.Type) + " found");
    Take();
    return v.Int;
}

int TReader::ReadInteger()
{
    const int line = Line();
    std::int64_t v = ReadInt64();
    if (v < INT32_MIN || v > INT32_MAX) throw EReadError("Line " + IntToStr(line) + ": Value " + IntToStr(v) + " out of range");
    return static_cast<int>(v);
}

static double ReadFloatOf(const TFormValue& v)
{
    if (v.Type == vaInt) return static_cast<double>(v.Int);
    if (v.Type == vaExtended) return v.Float;
    throw EReadError("Line " + IntToStr(v.Line) + ": Float expected but " + KindText(v.Type) + " found");
}

double TReader::ReadFloat()
{
    double d = ReadFloatOf(Current());
    Take();
    return d;
}

std::string TReader::ReadString()
{
    const TFormValue& v = Current();
    if (v.Type != vaString) throw EReadError("Line " + IntToStr(v.Line) + ": String expected but " + KindText(v.Type) + " found");
    Take();
    return v.Str;
}

void TReader::ReadListBegin()
{
    const TFormValue& v = Current();
    if (v.Type != vaList) throw EReadError("Line " + IntToStr(v.Line) + ": List expected but " + KindText(v.Type) + " found");
    Take();
    FCursor.push_back({&v.List, 0});
}

bool TReader::EndOfList() const
{
    if (FCursor.size() < 2) return true;
    const TCursor& c = FCursor.back();
    return c.Index >= c.List->size();
}

void TReader::ReadListEnd()
{
    if (FCursor.size() < 2) throw EReadError("Line " + IntToStr(Line()) + ": No list to end");
    if (!EndOfList()) throw EReadError("Line " + IntToStr(Line()) + ": End of list expected");
    FCursor.pop_back();
}

const std::vector<TFormItem>& TReader::ReadCollectionItems()
{
    const TFormValue& v = Current();
    if (v.Type != vaCollection) throw EReadError("Line " + IntToStr(v.Line) + ": Collection expected but " + KindText(v.Type) + " found");
    Take();
    return v.Items;
}

void TReader::ReadProperties(TObject* Instance, const std::string& Where, const std::vector<TFormProp>& Props, std::size_t First)
{
    for (std::size_t i = First; i < Props.size(); ++i) ReadProp(Instance, Where, Props[i]);
}

void ReadComponentFromText(TComponent* Root, const std::string& Text)
{
    TFormObject tree = ParseFormText(Text);
    TReader reader(Root);
    reader.ReadRootComponent(tree);
}

bool InitInheritedComponent(TComponent* Instance, const std::string& ResourceName)
{
    const std::string* text = FindFormResource(ResourceName);
    if (text == nullptr) return false;
    ReadComponentFromText(Instance, *text);
    return true;
}
