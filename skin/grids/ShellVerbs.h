#pragma once
// What the file views can do to an item beyond listing it, the way this desktop does it: moving it to
// the user's trash (the freedesktop trash in the data folder, never a plain delete), describing it for
// the Properties box and the context menu.
#include <functional>
#include <string>

#include "platform/rtl/Types.h"
#include "platform/win/Messages.h"

class TComponent;
class TControl;
class TPopupMenu;
class TskShellFolder;
class TskSkinData;

// Moves Path into $XDG_DATA_HOME/Trash: the item goes to files/ under a name not yet taken there, and
// info/ gets its ".trashinfo" (the original path, percent-encoded, and the time). False, with nothing
// moved, when that cannot be done (another file system, no rights): the item is never deleted instead.
bool MoveToTrash(const std::string& Path);

// The lines the Properties box shows for an item: name, kind, folder, size and time of last change.
std::string ShellItemProperties(TskShellFolder& Item);

// What a file view has to tell the user (an item's properties, a failed rename or trash): the view
// raises it, and whoever owns the view answers it (the dialogs show it in their skinned message box).
using TShellMessageEvent = std::function<void(TControl* Sender, const std::string& Text)>;

// What the context menu of a file view offers; a verb without an action shows disabled.
struct TShellMenuVerbs {
    std::function<void()> Open, Rename, NewFolder, Trash, Properties;
};
// The skinned popup menu when the layer that has one is linked in, else a plain one; owned by Owner.
TPopupMenu* NewShellMenu(TComponent* Owner);
// Fills Menu (emptied first) with Open, Rename, New Folder, Move to Trash and Properties. The
// new-folder caption comes from Skin's texts when it has them.
void FillShellMenu(TPopupMenu* Menu, const TskSkinData* Skin, const TShellMenuVerbs& Verbs);

// The context menu of a view that offers its own (Offered: AutoContextMenus, no PopupMenu): a
// context-menu request shows it (Show gets the screen point, (-1, -1) from the keyboard); a right-button
// release is first handed to Release (the client point: the view's own mouse-up and OnContextPopup),
// which answers whether the menu is still wanted, then shows it at the pointer. True when the message
// was taken.
bool ContextMenuMessage(TControl* View, TMessage& Message, bool Offered, const std::function<bool(TPoint)>& Release,
    const std::function<void(TPoint)>& Show);

// Makes a folder named BaseName in Parent, or BaseName(2), (3)... when the name is taken (Counter
// carries the numbers used so far); its full path, or "" when Parent is no folder of the file system
// or nothing could be made.
std::string MakeNewFolder(const std::string& Parent, const std::string& BaseName, int& Counter);
