#include "skin/data/SkinDataClasses.h"

#include "platform/vcl/VclClasses.h"
#include "skin/data/SkinEntryClasses.h"
#include "skin/data/TskCompressedSkinList.h"
#include "skin/data/TskCompressedStoredSkin.h"
#include "skin/data/TskResourceStrData.h"
#include "skin/data/TskSkinData.h"

void RegisterSkinDataClasses()
{
    static const bool done = [] {
        // The skin's components stand on the component library's classes, which the forms name too.
        RegisterVclClasses();
        RegisterSkinData();
        RegisterCompressedStoredSkin();
        RegisterCompressedSkinListClasses();
        RegisterResourceStrData();
        RegisterSkinEntryClasses();
        return true;
    }();
    (void)done;
}
