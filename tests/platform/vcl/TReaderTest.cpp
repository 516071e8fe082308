#include "platform/vcl/TReader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>

#include "platform/rtl/TStream.h"
#include "platform/rtl/TStringList.h"
#include "platform/vcl/FormResources.h"
#include "platform/vcl/TCollection.h"
#include "platform/vcl/TForm.h"
#include "platform/vcl/TypInfo.h"

namespace {

std::vector<std::string> gLog;

enum TThingKind { thkOne, thkTwo, thkThree };

class TThingItem : public TCollectionItem {
public:
    using TCollectionItem::TCollectionItem;
    int Width() const { return FWidth; }
    void SetWidth(int v) { FWidth = v; }
    std::string Title() const { return FTitle; }
    void SetTitle(const std::string& v) { FTitle = v; }

private:
    int FWidth = 0;
    std::string FTitle;
};

class TThing : public TComponent {
public:
    explicit TThing(TComponent* AOwner) : TComponent(AOwner), FItems(TCollection::Of<TThingItem>(), this) {}
    ~TThing() override { delete FLines; }

    int Count() const { return FCount; }
    void SetCount(int v) { FCount = v; }
    short Small() const { return FSmall; }
    void SetSmall(short v) { FSmall = v; }
    std::string Caption() const { return FCaption; }
    void SetCaption(const std::string& v)
    {
        if (v == "refuse") throw EConvertError("caption refused");
        FCaption = v;
    }
    double Ratio() const { return FRatio; }
    void SetRatio(double v) { FRatio = v; }
    bool Active() const { return FActive; }
    void SetActive(bool v) { FActive = v; }
    TThingKind Kind() const { return FKind; }
    void SetKind(TThingKind v) { FKind = v; }
    TSet<TThingKind> Kinds() const { return FKinds; }
    void SetKinds(TSet<TThingKind> v) { FKinds = v; }
    TStrings* Lines() const { return FLines; }
    TThing* Link() const { return FLink; }
    void SetLink(TThing* v) { FLink = v; }
    TCollection* Items() { return &FItems; }
    TThing* Sub() { return FSub; }

    TNotifyEvent OnFire;
    TNotifyEvent OnOther;
    std::function<void(TObject*, int&)> OnValue;
    std::string Blob;
    std::vector<int> Widths;
    TComponent* ParentSeen = nullptr;
    bool LoadingWhileRead = false;
    bool LinkSetBeforeLoaded = false;

    void DefineProperties(TFiler* Filer) override
    {
        TComponent::DefineProperties(Filer);
        Filer->DefineBinaryProperty(
            "Data",
            [this](TStream& s) {
                Blob.resize(static_cast<size_t>(s.Size()));
                if (!Blob.empty()) s.ReadBuffer(Blob.data(), s.Size());
            },
            nullptr, true);
        Filer->DefineProperty(
            "Widths",
            [this](TReader& r) {
                Widths.clear();
                r.ReadListBegin();
                while (!r.EndOfList()) Widths.push_back(r.ReadInteger());
                r.ReadListEnd();
            },
            nullptr, true);
    }
    void SetParentComponent(TComponent* Value) override { ParentSeen = Value; }
    void Loaded() override
    {
        LoadingWhileRead = ComponentState().Contains(csLoading);
        LinkSetBeforeLoaded = FLink != nullptr;
        TComponent::Loaded();
        gLog.push_back(Name());
    }
    void Notification(TComponent* AComponent, TOperation Operation) override
    {
        TComponent::Notification(AComponent, Operation);
        if (Operation == opRemove && AComponent == FLink) FLink = nullptr;
    }

private:
    int FCount = 0;
    short FSmall = 0;
    std::string FCaption;
    double FRatio = 0;
    bool FActive = false;
    TThingKind FKind = thkOne;
    TSet<TThingKind> FKinds;
    TStrings* FLines = new TStringList;
    TThing* FLink = nullptr;
    TCollection FItems;
    TThing* FSub = nullptr;
};

class TThingForm : public TThing {
public:
    using TThing::TThing;
    TThing* First = nullptr;
    int Fired = 0;
    std::vector<std::string> Calls;
    void FirstFire(TObject* Sender) { Calls.push_back("FirstFire:" + static_cast<TComponent*>(Sender)->Name()); }
    void OtherFire(TObject*) { Calls.push_back("OtherFire"); }
    void GiveValue(TObject*, int& v) { v = 42; }
};

const bool gRegistered = [] {
    RegisterEnum<TThingKind>({"thkOne", "thkTwo", "thkThree"});
    RegisterClass<TThingItem>("TThingItem").Prop("Width", &TThingItem::Width, &TThingItem::SetWidth, 0).Prop("Title", &TThingItem::Title, &TThingItem::SetTitle);
    RegisterClass<TThing>("TThing")
        .Prop("Count", &TThing::Count, &TThing::SetCount, 0)
        .Prop("Small", &TThing::Small, &TThing::SetSmall)
        .Prop("Caption", &TThing::Caption, &TThing::SetCaption)
        .Prop("Ratio", &TThing::Ratio, &TThing::SetRatio)
        .Prop("Active", &TThing::Active, &TThing::SetActive, false)
        .Prop("Kind", &TThing::Kind, &TThing::SetKind, thkOne)
        .Prop("Kinds", &TThing::Kinds, &TThing::SetKinds)
        .Prop("Lines", &TThing::Lines)
        .Prop("Link", &TThing::Link, &TThing::SetLink)
        .Prop("Items", &TThing::Items)
        .Event("OnFire", &TThing::OnFire)
        .Event("OnOther", &TThing::OnOther)
        .Event("OnValue", &TThing::OnValue);
    RegisterClass<TThingForm, TThing>("TThingForm")
        .Field("First", &TThingForm::First)
        .Handler("FirstFire", &TThingForm::FirstFire)
        .Handler("OtherFire", &TThingForm::OtherFire)
        .Handler("GiveValue", &TThingForm::GiveValue);
    RegisterIntegerIdent("thingMagic", 77);
    return true;
}();

const char* kForm = R"(object ThingForm: TThingForm
  Caption = 'Main'
  object First: TThing
    Count = 12
    Small = -3
    Caption = 'It''s'#13#10'two' +
      ' lines'
    Ratio = 1.5
    Active = True
    Kind = thkThree
    Kinds = [thkOne, thkThree]
    Link = Second
    Lines.Strings = (
      'alpha'
      'beta')
    Items = <
      item
        Width = 10
        Title = 'a'
      end
      item
        Width = 20
      end>
    Data = {
      0A0B
      FF}
    Widths = (64 32 16)
    OnFire = FirstFire
    OnOther = OtherFire
    OnValue = GiveValue
    object Second: TThing
      Count = thingMagic
      OnFire = FirstFire
    end
  end
end
)";

} // namespace

TEST(TReaderValues, EveryKindOfValueReachesItsSetter)
{
    TThingForm form(nullptr);
    ReadComponentFromText(&form, kForm);
    ASSERT_NE(form.First, nullptr);
    TThing* t = form.First;
    EXPECT_EQ(form.Name(), "ThingForm");
    EXPECT_EQ(form.Caption(), "Main");
    EXPECT_EQ(t->Count(), 12);
    EXPECT_EQ(t->Small(), -3);
    EXPECT_EQ(t->Caption(), "It's\r\ntwo lines");
    EXPECT_DOUBLE_EQ(t->Ratio(), 1.5);
    EXPECT_TRUE(t->Active());
    EXPECT_EQ(t->Kind(), thkThree);
    EXPECT_EQ(t->Kinds(), (TSet<TThingKind>{thkOne, thkThree}));
    ASSERT_EQ(t->Lines()->Count(), 2);
    EXPECT_EQ(t->Lines()->Strings(1), "beta");
    ASSERT_EQ(t->Items()->Count(), 2);
    EXPECT_EQ(t->Items()->ItemsAs<TThingItem>(0)->Title(), "a");
    EXPECT_EQ(t->Items()->ItemsAs<TThingItem>(1)->Width(), 20);
    EXPECT_EQ(t->Blob, std::string("\x0A\x0B\xFF", 3));
    EXPECT_EQ(t->Widths, (std::vector<int>{64, 32, 16}));
    auto* second = static_cast<TThing*>(form.FindComponent("Second"));
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->Count(), 77);
}

TEST(TReaderStructure, ComponentsAreOwnedByTheRootAndParentedByTheirEnclosingObject)
{
    TThingForm form(nullptr);
    ReadComponentFromText(&form, kForm);
    EXPECT_EQ(form.ComponentCount(), 2);
    EXPECT_EQ(form.First->Owner(), &form);
    EXPECT_EQ(form.First->ParentSeen, &form);
    EXPECT_EQ(static_cast<TThing*>(form.FindComponent("Second"))->ParentSeen, form.First);
}

TEST(TReaderReferences, ForwardReferenceIsResolvedAndClearedWhenTargetGoes)
{
    TThingForm form(nullptr);
    ReadComponentFromText(&form, kForm);
    TComponent* second = form.FindComponent("Second");
    EXPECT_EQ(form.First->Link(), second);
    EXPECT_TRUE(form.First->LinkSetBeforeLoaded);
    second->Free();
    EXPECT_EQ(form.First->Link(), nullptr);
}

TEST(TReaderEvents, HandlersAreBoundByNameToTheRoot)
{
    TThingForm form(nullptr);
    ReadComponentFromText(&form, kForm);
    form.First->OnFire(form.First);
    form.First->OnOther(form.First);
    int v = 0;
    form.First->OnValue(form.First, v);
    TThing* second = static_cast<TThing*>(form.FindComponent("Second"));
    second->OnFire(second);
    EXPECT_EQ(form.Calls, (std::vector<std::string>{"FirstFire:First", "OtherFire", "FirstFire:Second"}));
    EXPECT_EQ(v, 42);
}

TEST(TReaderLoaded, LoadedRunsOnceForEachAfterEverythingIsReadRootFirst)
{
    gLog.clear();
    TThingForm form(nullptr);
    ReadComponentFromText(&form, kForm);
    EXPECT_EQ(gLog, (std::vector<std::string>{"ThingForm", "First", "Second"}));
    EXPECT_TRUE(form.First->LoadingWhileRead);
    EXPECT_FALSE(form.First->ComponentState().Contains(csLoading));
    EXPECT_FALSE(form.First->ComponentState().Contains(csReading));
}

namespace {
std::string ReadError(const std::string& body)
{
    TThingForm form(nullptr);
    try {
        ReadComponentFromText(&form, "object F: TThingForm\n" + body + "end\n");
    } catch (const EReadError& e) {
        return e.Message();
    }
    return "no error";
}
} // namespace

TEST(TReaderErrors, UnknownClassNamesTheLineAndClass)
{
    std::string m = ReadError("  object X: TNoSuchThing\n  end\n");
    EXPECT_NE(m.find("Line 2"), std::string::npos) << m;
    EXPECT_NE(m.find("TNoSuchThing"), std::string::npos) << m;
}

TEST(TReaderErrors, UnknownPropertyNamesTheLineAndProperty)
{
    std::string m = ReadError("  Count = 1\n  Bogus = 2\n");
    EXPECT_NE(m.find("Line 3"), std::string::npos) << m;
    EXPECT_NE(m.find("F.Bogus"), std::string::npos) << m;
}

TEST(TReaderErrors, BadValuesAreRefused)
{
    EXPECT_NE(ReadError("  Count = 'x'\n").find("F.Count"), std::string::npos);
    EXPECT_NE(ReadError("  Small = 70000\n").find("out of range"), std::string::npos);
    EXPECT_NE(ReadError("  Kind = thkNine\n").find("thkNine"), std::string::npos);
    EXPECT_NE(ReadError("  Kinds = [thkOne, nope]\n").find("nope"), std::string::npos);
    EXPECT_NE(ReadError("  Link = Nobody\n").find("Nobody"), std::string::npos);
    EXPECT_NE(ReadError("  Caption = 'refuse'\n").find("caption refused"), std::string::npos);
    EXPECT_NE(ReadError("  Data = 'text'\n").find("Binary"), std::string::npos);
    EXPECT_NE(ReadError("  Widths = (1 'a')\n").find("Integer expected"), std::string::npos);
}

TEST(TReaderErrors, MissingHandlerRaises)
{
    std::string m = ReadError("  OnFire = NoSuchHandler\n");
    EXPECT_NE(m.find("NoSuchHandler"), std::string::npos) << m;
    EXPECT_NE(m.find("Line 2"), std::string::npos) << m;
}

TEST(TReaderErrors, HandlerOfTheWrongSignatureRaises)
{
    EXPECT_NE(ReadError("  OnFire = GiveValue\n").find("does not fit"), std::string::npos);
}

TEST(TReaderErrors, MissingEndRaises)
{
    TThingForm form(nullptr);
    EXPECT_THROW(ReadComponentFromText(&form, "object F: TThingForm\n  object X: TThing\n  Count = 1\n"), EReadError);
}

TEST(TReaderErrors, DuplicateComponentNameRaises)
{
    std::string m = ReadError("  object A: TThing\n  end\n  object A: TThing\n  end\n");
    EXPECT_NE(m.find("already exists"), std::string::npos) << m;
}

TEST(TReaderErrors, RootOfAnotherClassIsRefused)
{
    TThing plain(nullptr);
    EXPECT_THROW(ReadComponentFromText(&plain, "object F: TThingForm\nend\n"), EReadError);
}

TEST(TReaderResources, EmbeddedTextIsFoundByNameWithoutCase)
{
    RegisterFormResource("TThingForm", kForm);
    ASSERT_NE(FindFormResource("tthingform"), nullptr);
    EXPECT_EQ(FindFormResource("TNothing"), nullptr);
    TThingForm form(nullptr);
    EXPECT_TRUE(InitInheritedComponent(&form, "TThingForm"));
    EXPECT_NE(form.First, nullptr);
    TThingForm other(nullptr);
    EXPECT_FALSE(InitInheritedComponent(&other, "TNothing"));
}

TEST(TReaderInherited, InheritedChildChangesTheExistingComponent)
{
    TThingForm form(nullptr);
    ReadComponentFromText(&form, kForm);
    ReadComponentFromText(&form, "inherited ThingForm: TThingForm\n  inherited First: TThing\n    Count = 5\n  end\nend\n");
    EXPECT_EQ(form.First->Count(), 5);
    EXPECT_EQ(form.ComponentCount(), 2);
}

namespace {

// A form that counts how often it lays out its children.
class TLayoutCountingForm : public TForm {
public:
    using TForm::TForm;
    int Layouts = 0;

protected:
    void AlignControls(TControl* AControl, TRect& Rect) override
    {
        ++Layouts;
        TForm::AlignControls(AControl, Rect);
    }
};

} // namespace

TEST(TReaderControls, ThousandsOfControls_TheFormIsLaidOutOnceNotOncePerControl)
{
    // Every label sizes itself in its Loaded. Laying the whole form out again for each one made a form of
    // 10,000 controls take seconds to read, and one of 40,000 more than a minute.
    std::string text = "object F: TForm\n  Width = 640\n  Height = 480\n"
                       "  object Top: TPanel\n    Align = alTop\n    Height = 30\n  end\n";
    for (int i = 0; i < 3000; ++i)
        text += "  object L" + std::to_string(i) + ": TLabel\n    Left = " + std::to_string(i % 600) +
                "\n    Caption = 'label'\n  end\n";
    text += "end\n";
    TLayoutCountingForm form(nullptr);
    ReadComponentFromText(&form, text);
    EXPECT_LE(form.Layouts, 3);
    // Laid out all the same: the panel spans the top of the client.
    auto* top = dynamic_cast<TControl*>(form.FindComponent("Top"));
    ASSERT_NE(top, nullptr);
    EXPECT_EQ(top->Width(), form.ClientWidth());
    EXPECT_EQ(top->Top(), 0);
}

namespace {

std::string FormOfLabels(int Count)
{
    std::string text = "object F: TForm\n  Width = 800\n  Height = 600\n";
    for (int i = 0; i < Count; ++i)
        text += "  object L" + std::to_string(i) + ": TLabel\n    Left = " + std::to_string(i % 700) + "\n    Caption = 'label'\n  end\n";
    return text + "end\n";
}

// CPU seconds this thread takes to read the form of Text and free it again.
double SecondsToReadAndFree(const std::string& Text)
{
    timespec start{}, end{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &start);
    {
        TForm form(nullptr);
        ReadComponentFromText(&form, Text);
    }
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &end);
    return double(end.tv_sec - start.tv_sec) + double(end.tv_nsec - start.tv_nsec) / 1e9;
}

} // namespace

TEST(TReaderControls, FourTimesTheControls_TakeAboutFourTimesAsLong)
{
    // Each control's name was checked against all its siblings, and each freed control was looked for
    // through all of them: four times the controls took sixteen times as long. Linear, it is four times,
    // give or take what the allocator and the caches add, so the bound sits halfway between the two; the
    // best of three runs of each, taken in turn, leaves out a loaded machine's pauses.
    const std::string small = FormOfLabels(5000), large = FormOfLabels(20000);
    double once = 1e9, fourfold = 1e9;
    for (int run = 0; run < 3; ++run) {
        once = std::min(once, SecondsToReadAndFree(small));
        fourfold = std::min(fourfold, SecondsToReadAndFree(large));
    }
    EXPECT_LE(fourfold, 8 * once) << once << " s for 5,000 controls, " << fourfold << " s for 20,000";
}
