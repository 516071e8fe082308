#include "app/AppClasses.h"

#include "app/AppForms.h"
#include "app/TOMR_Splash.h"
#include "app/Unit1.h"
#include "app/Unit2.h"
#include "platform/vcl/TCustomComboBox.h"
#include "platform/vcl/TImage.h"
#include "platform/vcl/TypInfo.h"
#include "platform/vcl/VclClasses.h"
#include "process/TOxCreateProcess.h"
#include "process/TOxCustomDataProvider.h"
#include "process/TOxListBox.h"
#include "process/TOxPanel.h"
#include "process/TOxPcx.h"
#include "process/TOxPlaylist.h"
#include "skin/form/SkinFormClasses.h"

namespace {

void RegisterLibraryClasses()
{
    RegisterVclClasses();
    RegisterComboBoxClasses();
    RegisterImageClasses();
    RegisterOxCreateProcess();
    RegisterOxListBoxClasses();
    RegisterOxPanelClasses();
    RegisterOxPlaylistClasses();
    RegisterOxPcx();
    RegisterOxDataProviderClasses();
    RegisterSkinFormClasses();
}

void RegisterOwnForms()
{
    RegisterClass<TOMR_Splash, TForm>("TOMR_Splash");
    RegisterClass<TForm1, TForm>("TForm1")
        .Handler("FormCreate", &TForm1::FormCreate)
        .Handler("FormClose", &TForm1::FormClose)
        .Handler("FormDestroy", &TForm1::FormDestroy)
        .Handler("deviceboxChange", &TForm1::deviceboxChange)
        .Handler("vqChange", &TForm1::vqChange)
        .Handler("screensizeChange", &TForm1::screensizeChange)
        .Handler("bannertimerTimer", &TForm1::bannertimerTimer)
        .Handler("bannerClick", &TForm1::bannerClick)
        .Handler("eyesClick", &TForm1::eyesClick)
        .Handler("skskinlabel1MouseDown", &TForm1::skskinlabel1MouseDown)
        .Handler("skSkinSpeedButton1Click", &TForm1::skSkinSpeedButton1Click)
        .Handler("skSkinSpeedButton2Click", &TForm1::skSkinSpeedButton2Click)
        .Handler("skSkinSpeedButton3Click", &TForm1::skSkinSpeedButton3Click)
        .Handler("skSkinSpeedButton4Click", &TForm1::skSkinSpeedButton4Click)
        .Handler("skSkinSpeedButton5Click", &TForm1::skSkinSpeedButton5Click);
}

} // namespace

void RegisterAppClasses()
{
    static const bool done = [] {
        RegisterLibraryClasses();
        RegisterOwnForms();
        RegisterForm2Class();
        RegisterAppForms();
        return true;
    }();
    (void)done;
}
