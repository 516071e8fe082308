#pragma once
// Native child windows over the client area of chosen windows, for console players that draw into a
// window given by id. They follow their window's place and visibility after every painting round, and
// go when the player is done with them.
#include "platform/rtl/Types.h"

namespace WinInternal {
unsigned long NativeChildId(HWND h);
void ReleaseNativeChild(HWND h);
void UpdateNativeChildren();
}  // namespace WinInternal
