#include "platform/vcl/StdCtrls.h"

#include "platform/vcl/TBevel.h"
#include "platform/vcl/TCustomEdit.h"
#include "platform/vcl/TCustomListBox.h"
#include "platform/vcl/TCustomComboBox.h"
#include "platform/vcl/TCustomMemo.h"
#include "platform/vcl/TImage.h"
#include "platform/vcl/TScrollBox.h"
#include "platform/vcl/TCustomLabel.h"
#include "platform/vcl/TCustomPanel.h"
#include "platform/vcl/TypInfo.h"
#include "platform/vcl/VclClasses.h"

void RegisterStdCtrlsClasses()
{
    static const bool done = [] {
        RegisterWinControlClasses();
        RegisterEnum<TEditCharCase>({"ecNormal", "ecUpperCase", "ecLowerCase"});
        RegisterEnum<TScrollStyle>({"ssNone", "ssHorizontal", "ssVertical", "ssBoth"});
        RegisterEnum<TCheckBoxState>({"cbUnchecked", "cbChecked", "cbGrayed"});
        RegisterEnum<TListBoxStyle>({"lbStandard", "lbOwnerDrawFixed", "lbOwnerDrawVariable", "lbVirtual", "lbVirtualOwnerDraw"});
        RegisterEnum<TComboBoxStyle>({"csDropDown", "csSimple", "csDropDownList", "csOwnerDrawFixed", "csOwnerDrawVariable"});
        RegisterPanelClasses();
        RegisterLabelClasses();
        RegisterBevelClasses();
        RegisterEditClasses();
        RegisterListBoxClasses();
        RegisterMemoClasses();
        RegisterScrollBoxClasses();
        RegisterComboBoxClasses();
        RegisterImageClasses();
        return true;
    }();
    (void)done;
}
