#include "platform/win/ProgramIcon.h"

#include "platform/win/WinInternal.h"

using namespace WinInternal;

namespace {

TSurface& StoredIcon()
{
    static TSurface icon;
    return icon;
}

}  // namespace

const TSurface& ProgramIcon()
{
    return StoredIcon();
}

void SetProgramIcon(const TSurface& icon)
{
    StoredIcon() = icon;
    if (icon.Empty())
        return;
    for (HWND h : TopLevels())
        if (TWindowRec* w = Find(h); w && w->Top && !w->NoActivateTop)
            w->Top->SetIcon(icon);
}
