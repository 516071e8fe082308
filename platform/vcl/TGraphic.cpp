#include "platform/vcl/TGraphic.h"

#include "platform/rtl/TStream.h"

void TGraphic::SetTransparent(bool Value)
{
    if (Value == FTransparent) return;
    FTransparent = Value;
    Changed();
}

void TGraphic::SetModified(bool Value)
{
    if (Value)
        Changed();
    else
        FModified = false;
}

void TGraphic::Changed()
{
    FModified = true;
    if (OnChange) OnChange(this);
}

void TGraphic::LoadFromFile(const std::string& FileName)
{
    TFileStream stream(FileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(stream);
}

void TGraphic::SaveToFile(const std::string& FileName)
{
    TFileStream stream(FileName, fmCreate);
    SaveToStream(stream);
}
