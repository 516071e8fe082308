#include "platform/vcl/TypInfo.h"

#include <gtest/gtest.h>

#include "platform/vcl/TForm.h"
#include "platform/vcl/VclClasses.h"

namespace {
enum TShade { shLight, shDark };
class TShaded : public TComponent {
public:
    using TComponent::TComponent;
    TShade Shade() const { return FShade; }
    void SetShade(TShade v) { FShade = v; }
    int Level() const { return FLevel; }
    void SetLevel(int v) { FLevel = v; }

private:
    TShade FShade = shDark;
    int FLevel = 3;
};
class TDeeper : public TShaded {
public:
    using TShaded::TShaded;
};
class TUnregisteredForm : public TForm {
public:
    using TForm::TForm;
};
const bool gRegistered = [] {
    RegisterEnum<TShade>({"shLight", "shDark"});
    RegisterClass<TShaded, TComponent>("TShaded").Prop("Shade", &TShaded::Shade, &TShaded::SetShade, shDark).Prop("Level", &TShaded::Level, &TShaded::SetLevel, 3);
    RegisterClass<TDeeper, TShaded>("TDeeper").Prop("Level", &TShaded::Level, &TShaded::SetLevel, 7);
    return true;
}();
} // namespace

TEST(TypInfoRegistry, ClassesAreFoundByNameWithoutCaseAndCreateInstances)
{
    const TClassInfo* info = FindClassInfo("tshaded");
    ASSERT_NE(info, nullptr);
    TComponent owner(nullptr);
    TComponent* c = info->Create(&owner);
    EXPECT_NE(dynamic_cast<TShaded*>(c), nullptr);
    EXPECT_EQ(c->Owner(), &owner);
    EXPECT_EQ(c->ClassName(), "TShaded");
    EXPECT_EQ(FindClassInfo("TNothingLikeThis"), nullptr);
}

TEST(TypInfoRegistry, PropertiesKeepTheirKindDefaultAndAncestorsAreSearched)
{
    const TClassInfo* deeper = FindClassInfo("TDeeper");
    ASSERT_NE(deeper, nullptr);
    const TPropInfo* shade = deeper->FindProp("shade");
    ASSERT_NE(shade, nullptr);
    EXPECT_EQ(shade->Kind, TTypeKind::tkEnumeration);
    EXPECT_EQ(shade->Enum->ValueOf("SHLIGHT"), 0);
    EXPECT_EQ(*shade->Default, shDark);
    // A republished property takes the subclass's default.
    EXPECT_EQ(*deeper->FindProp("Level")->Default, 7);
    TDeeper d(nullptr);
    shade->SetOrd(&d, shLight);
    EXPECT_EQ(d.Shade(), shLight);
    EXPECT_EQ(shade->GetOrd(&d), shLight);
}

TEST(TypInfoRegistry, AnUnregisteredClassReadsAsItsNearestRegisteredAncestor)
{
    RegisterVclClasses();
    TUnregisteredForm f(nullptr);
    const TClassInfo* info = ClassInfoOf(&f);
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->Name, "TForm");
    EXPECT_NE(info->FindProp("Caption"), nullptr);
    EXPECT_EQ(info->FindProp("Ctl3D")->Kind, TTypeKind::tkIgnored);
}

TEST(TypInfoRegistry, IntegerIdentifiersStandForColoursAndCursors)
{
    RegisterVclClasses();
    EXPECT_EQ(IdentToInt("clBtnFace").value_or(0), clBtnFace);
    EXPECT_EQ(IdentToInt("CRHANDPOINT").value_or(0), crHandPoint);
    EXPECT_FALSE(IdentToInt("clNoSuchColour").has_value());
}
