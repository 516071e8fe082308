#include "platform/vcl/VclClasses.h"

#include "platform/vcl/TCustomListView.h"
#include "platform/vcl/TCustomTreeView.h"
#include "platform/vcl/TypInfo.h"

void RegisterComponentClasses()
{
    static const bool done = [] {
        RegisterClass<TComponent>("TComponent").Prop("Tag", &TComponent::Tag, &TComponent::SetTag, 0);
        return true;
    }();
    (void)done;
}

void RegisterVclClasses()
{
    RegisterComponentClasses();
    RegisterGraphicsClasses();
    RegisterControlClasses();
    RegisterWinControlClasses();
    RegisterFormClasses();
    RegisterMenuClasses();
    RegisterTimerClasses();
    RegisterTreeViewClasses();
    RegisterListViewClasses();
    RegisterImageListClasses();
    RegisterStdCtrlsClasses();
    RegisterActionClasses();
}
