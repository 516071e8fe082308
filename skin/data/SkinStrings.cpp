#include "skin/data/SkinStrings.h"

#include "skin/data/TskResourceStrData.h"
#include "skin/data/TskSkinData.h"

namespace {

// NAME, its text, and whether the text is also built in for users without a TskResourceStrData.
const TskSkinStringDef kSkinStrings[] = {
    {"MI_MINCAPTION", "Mi&nimize", true},
    {"MI_MAXCAPTION", "Ma&ximize", true},
    {"MI_CLOSECAPTION", "&Close", true},
    {"MI_RESTORECAPTION", "&Restore", true},
    {"MI_MINTOTRAYCAPTION", "Minimize to &Tray", true},
    {"MI_ROLLUPCAPTION", "Ro&llUp", true},
    {"MINBUTTON_HINT", "Minimize", true},
    {"MAXBUTTON_HINT", "Maximize", true},
    {"CLOSEBUTTON_HINT", "Close", true},
    {"TRAYBUTTON_HINT", "Minimize to Tray", true},
    {"ROLLUPBUTTON_HINT", "Roll Up", true},
    {"MENUBUTTON_HINT", "System menu", true},
    {"RESTORE_HINT", "Restore", true},
    {"EDIT_UNDO", "Undo", true},
    {"EDIT_COPY", "Copy", true},
    {"EDIT_CUT", "Cut", true},
    {"EDIT_PASTE", "Paste", true},
    {"EDIT_DELETE", "Delete", true},
    {"EDIT_SELECTALL", "Select All", true},
    {"MSG_BTN_YES", "&Yes", true},
    {"MSG_BTN_NO", "&No", true},
    {"MSG_BTN_OK", "OK", true},
    {"MSG_BTN_CANCEL", "Cancel", true},
    {"MSG_BTN_ABORT", "&Abort", true},
    {"MSG_BTN_RETRY", "&Retry", true},
    {"MSG_BTN_IGNORE", "&Ignore", true},
    {"MSG_BTN_ALL", "&All", true},
    {"MSG_BTN_NOTOALL", "N&oToAll", true},
    {"MSG_BTN_YESTOALL", "&YesToAll", true},
    {"MSG_BTN_HELP", "&Help", true},
    {"MSG_BTN_OPEN", "&Open", true},
    {"MSG_BTN_SAVE", "&Save", true},
    {"MSG_BTN_CLOSE", "Close", false},
    {"MSG_BTN_BACK_HINT", "Go To Last Folder Visited", true},
    {"MSG_BTN_UP_HINT", "Up One Level", true},
    {"MSG_BTN_NEWFOLDER_HINT", "Create New Folder", true},
    {"MSG_BTN_VIEWMENU_HINT", "View Menu", true},
    {"MSG_BTN_STRETCH_HINT", "Stretch Picture", false},
    {"MSG_FILENAME", "File name:", true},
    {"MSG_FILETYPE", "File type:", true},
    {"MSG_NEWFOLDER", "New Folder", true},
    {"MSG_LV_DETAILS", "Details", true},
    {"MSG_LV_ICON", "Large icons", true},
    {"MSG_LV_SMALLICON", "Small icons", true},
    {"MSG_LV_LIST", "List", true},
    {"MSG_PREVIEWSKIN", "Preview", false},
    {"MSG_PREVIEWBUTTON", "Button", false},
    {"MSG_OVERWRITE", "Do you want to overwrite old file?", true},
    {"MSG_CAP_WARNING", "Warning", true},
    {"MSG_CAP_ERROR", "Error", true},
    {"MSG_CAP_INFORMATION", "Information", true},
    {"MSG_CAP_CONFIRM", "Confirm", true},
    {"MSG_CAP_SHOWFLAG", "Do not display this message again", true},
    {"CALC_CAP", "Calculator", false},
    {"ERROR", "Error", false},
    {"COLORGRID_CAP", "Basic colors", false},
    {"CUSTOMCOLORGRID_CAP", "Custom colors", false},
    {"ADDCUSTOMCOLORBUTTON_CAP", "Add to Custom Colors", false},
    {"FONTDLG_COLOR", "Color:", false},
    {"FONTDLG_NAME", "Name:", false},
    {"FONTDLG_SIZE", "Size:", false},
    {"FONTDLG_HEIGHT", "Height:", false},
    {"FONTDLG_EXAMPLE", "Example:", false},
    {"FONTDLG_STYLE", "Style:", false},
    {"FONTDLG_SCRIPT", "Script:", false},
    {"DB_DELETE_QUESTION", "Delete record?", false},
    {"DB_MULTIPLEDELETE_QUESTION", "Delete all selected records?", false},
    {"NODISKINDRIVE", "There is no disk in Drive or Drive is not ready", false},
    {"NOVALIDDRIVEID", "Not a valid Drive ID", false},
    {"FLV_NAME", "Name", true},
    {"FLV_SIZE", "Size", true},
    {"FLV_TYPE", "Type", true},
    {"FLV_LOOKIN", "Look in: ", true},
    {"FLV_MODIFIED", "Modified", true},
    {"FLV_ATTRIBUTES", "Attributes", false},
    {"FLV_DISKSIZE", "Disk Size", false},
    {"FLV_FREESPACE", "Free Space", false},
    {"PRNDLG_NAME", "Name:", false},
    {"PRNDLG_PRINTER", "Printer", false},
    {"PRNDLG_PROPERTIES", "Properties...", false},
    {"PRNDLG_TYPE", "Type:", false},
    {"PRNDLG_STATUS", "Status:", false},
    {"PRNDLG_WHERE", "Where:", false},
    {"PRNDLG_COMMENT", "Comment:", false},
    {"PRNDLG_PRINTRANGE", "Print range", false},
    {"PRNDLG_COPIES", "Copies", false},
    {"PRNDLG_NUMCOPIES", "Number of copies:", false},
    {"PRNDLG_COLLATE", "Collate", false},
    {"PRNDLG_ALL", "All", false},
    {"PRNDLG_PAGES", "Pages", false},
    {"PRNDLG_SELECTION", "Selection", false},
    {"PRNDLG_PRINTTOFILE", "Print to file", false},
    {"PRNDLG_FROM", "from:", false},
    {"PRNDLG_TO", "to:", false},
    {"PRNDLG_ORIENTATION", "Orientation", false},
    {"PRNDLG_PAPER", "Paper", false},
    {"PRNDLG_PORTRAIT", "Portrait", false},
    {"PRNDLG_LANDSCAPE", "Landscape", false},
    {"PRNDLG_SOURCE", "Source:", false},
    {"PRNDLG_SIZE", "Size:", false},
    {"PRNDLG_MARGINS", "Margins (millimeters)", false},
    {"PRNDLG_MARGINS_INCHES", "Margins (inches)", false},
    {"PRNDLG_LEFT", "Left:", false},
    {"PRNDLG_RIGHT", "Right:", false},
    {"PRNDLG_TOP", "Top:", false},
    {"PRNDLG_BOTTOM", "Bottom:", false},
    {"PRNDLG_WARNING", "There are no printers in your system!", false},
    {"FIND_NEXT", "Find next", false},
    {"FIND_WHAT", "Find what:", false},
    {"FIND_DIRECTION", "Direction", false},
    {"FIND_DIRECTIONUP", "Up", false},
    {"FIND_DIRECTIONDOWN", "Down", false},
    {"FIND_MATCH_CASE", "Match case", false},
    {"FIND_MATCH_WHOLE_WORD_ONLY", "Match whole word only", false},
    {"FIND_REPLACE_WITH", "Replace with:", false},
    {"FIND_REPLACE", "Replace", false},
    {"FIND_REPLACE_All", "Replace All", false},
    {"FIND_REPLACE_CLOSE", "Close", false},
    {"MORECOLORS", "More colors...", false},
    {"AUTOCOLOR", "Automatic", false},
    {"CUSTOMCOLOR", "Custom...", false},
};

} // namespace

std::span<const TskSkinStringDef> SkinStringDefs()
{
    return kSkinStrings;
}

std::string SkinBuiltInString(const std::string& Name)
{
    for (const auto& def : kSkinStrings)
        if (def.BuiltIn && Name == def.Name)
            return def.Text;
    return "";
}

std::string SkinResString(const TskSkinData* SkinData, const std::string& Name)
{
    if (SkinData && SkinData->ResourceStrData())
        return SkinData->ResourceStrData()->LookupResString(Name);
    return SkinBuiltInString(Name);
}
