#include "skin/controls/SkinLink.h"

#include "skin/data/TskDataSkinControl.h"
#include "skin/data/TskSkinData.h"

bool TskSkinLink::SetData(TskSkinData* Value)
{
    FData = Value;
    return Loaded();
}

bool TskSkinLink::Loaded() const { return FData.get() != nullptr && !FData->SkinEmpty; }

int TskSkinLink::Find(const std::string& AName) const { return Loaded() ? FData->FindControlIndex(AName) : -1; }

TskDataSkinControl* TskSkinLink::Entry(int Index) const
{
    if (Index < 0 || !Loaded() || Index >= static_cast<int>(FData->ControlDataList.size())) return nullptr;
    return FData->ControlDataList[static_cast<std::size_t>(Index)].get();
}

TBitmap* TskSkinLink::Picture(int Index) const
{
    if (!Loaded() || Index < 0 || Index >= static_cast<int>(FData->ActivePictures.size())) return nullptr;
    return FData->ActivePictures[static_cast<std::size_t>(Index)].get();
}

TCursor TskSkinLink::Cursor(int CursorIndex) const
{
    return CursorIndex != -1 && Loaded() ? static_cast<TCursor>(FData->StartCursorIndex + CursorIndex) : crDefault;
}
