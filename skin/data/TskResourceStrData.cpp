#include "skin/data/TskResourceStrData.h"

#include "platform/rtl/Strings.h"
#include "platform/rtl/TStringList.h"
#include "platform/vcl/TypInfo.h"
#include "skin/data/SkinStrings.h"

// A form description can carry its own texts: the lines replace the defaults, read in place.
void RegisterResourceStrData()
{
    RegisterClass<TskResourceStrData, TComponent>("TskResourceStrData")
        .Prop("ResStrings", [](TskResourceStrData* d) { return &d->ResStrings(); })
        .Prop("CharSet", &TskResourceStrData::CharSet, &TskResourceStrData::SetCharSet, 1);
}

TskResourceStrData::TskResourceStrData(TComponent* AOwner)
    : TComponent(AOwner), FResStrings(std::make_unique<TStringList>())
{
    InitResStrings();
}

TskResourceStrData::~TskResourceStrData() = default;

TStrings& TskResourceStrData::ResStrings() const
{
    return *FResStrings;
}

void TskResourceStrData::SetResStrings(const TStrings& Value)
{
    if (&Value != FResStrings.get())
        FResStrings->Assign(Value);
}

void TskResourceStrData::InitResStrings()
{
    for (const auto& def : SkinStringDefs())
        FResStrings->Add(std::string(def.Name) + "=" + def.Text);
}

std::string TskResourceStrData::LookupResString(const std::string& Name) const
{
    for (int i = 0; i < FResStrings->Count(); ++i) {
        const std::string line = FResStrings->Strings(i);
        const auto eq = line.find('=');
        if (eq == std::string::npos)
            continue;
        if (SameText(std::string_view(line).substr(0, eq), Name))
            return line.substr(eq + 1);
    }
    return "";
}
