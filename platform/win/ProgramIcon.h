#pragma once
// The program's icon as the desktop shows it for the program's windows (taskbar, window list).
#include "platform/gfx/TSurface.h"

// Sets the icon (pixels 0xAARRGGBB): every top-level window but popups offers it to the desktop, those
// shown already and those to come.
void SetProgramIcon(const TSurface& icon);
// The icon set last; empty before.
const TSurface& ProgramIcon();
