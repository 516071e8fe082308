#include "skin/form/SkinFormClasses.h"

#include "skin/data/SkinDataClasses.h"
#include "skin/form/TskFormFrame.h"
#include "skin/form/TskSkinHint.h"
#include "skin/form/TskSkinImagesMenu.h"
#include "skin/form/TskSkinMessage.h"
#include "skin/form/TskSkinOpenDialog.h"
#include "skin/form/TskSkinPopupMenu.h"
#include "skin/form/TskSkinSelectDirectoryDialog.h"
#include "skin/form/TskTrayIcon.h"
#include "skin/grids/TskSkinCustomGrid.h"

void RegisterSkinFormClasses()
{
    RegisterSkinDataClasses();
    // The grids bring the skinned controls and the component library's own classes with them.
    RegisterSkinGrids();
    RegisterSkinPopupMenuClasses();
    RegisterSkinHintClasses();
    RegisterSkinImagesMenuClasses();
    RegisterSkinFrameClasses();
    RegisterSkinTrayIconClasses();
    RegisterSkinMessageClasses();
    RegisterSelectDirectoryDialogClasses();
    RegisterOpenDialogClasses();
}
