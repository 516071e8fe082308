#pragma once
// What the fuzz targets of the skin loader share: the entry classes registered as the program registers
// them, and the check every loaded skin must pass.
#include "platform/rtl/Exceptions.h"
#include "skin/data/SkinDataClasses.h"
#include "skin/data/TskCompressedStoredSkin.h"
#include "skin/data/TskSkinData.h"

namespace fuzzskin {

// As the program starts: every entry loads into its real class.
inline void RegisterClassesOnce()
{
    static const bool ready = (RegisterSkinDataClasses(), true);
    (void)ready;
}

// Loads Stored into a fresh skin component. A damaged skin may raise the library's exceptions, but must
// leave the component empty; a component left loading, either way, is a finding.
inline void LoadAndCheck(TskCompressedStoredSkin& Stored)
{
    TskSkinData skin(nullptr);
    try {
        skin.LoadStoredSkin(&Stored);
    } catch (const Exception&) {
        if (!skin.SkinEmpty || skin.SkinLoading)
            __builtin_trap();
    }
    if (skin.SkinLoading)
        __builtin_trap();
}

} // namespace fuzzskin
