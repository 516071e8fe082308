#pragma once
// What the file views can do to an item beyond listing it, the way this desktop does it: moving it to
// the user's trash (the freedesktop trash in the data folder, never a plain delete), describing it for
// the Properties box, and showing a message in a skinned box when the layer that has one is linked in.
#include <functional>
#include <string>

class TControl;
class TskShellFolder;

// Moves Path into $XDG_DATA_HOME/Trash: the item goes to files/ under a name not yet taken there, and
// info/ gets its ".trashinfo" (the original path, percent-encoded, and the time). False, with nothing
// moved, when that cannot be done (another file system, no rights): the item is never deleted instead.
bool MoveToTrash(const std::string& Path);

// The lines the Properties box shows for an item: name, kind, folder, size and time of last change.
std::string ShellItemProperties(TskShellFolder& Item);

// Shows Text in a message box for Control; installed by the layer that has the skinned message box.
using TskShellMessageHandler = std::function<void(TControl* Control, const std::string& Text)>;
void SetShellMessageHandler(TskShellMessageHandler Handler);
// Shows Text through the handler; false when none is installed.
bool ShowShellMessage(TControl* Control, const std::string& Text);
