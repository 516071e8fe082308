#include "skin/grids/ShellVerbs.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <fstream>

#include "platform/rtl/Files.h"
#include "platform/rtl/Strings.h"
#include "platform/sys/Folders.h"
#include "platform/vcl/TControl.h"
#include "platform/vcl/TMenu.h"
#include "platform/vcl/TypInfo.h"
#include "skin/data/SkinStrings.h"
#include "skin/data/TskSkinData.h"
#include "skin/grids/TskShellFolder.h"

namespace {

// Every byte outside the unreserved set and "/" as %XX, as the trash's info files want the path.
std::string PercentEncoded(const std::string& Path)
{
    static const char* const hex = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : Path) {
        const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '/'
            || c == '-' || c == '_' || c == '.' || c == '~';
        if (plain) {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

std::string LocalTime(std::time_t Time, const char* Format)
{
    std::tm local{};
    char text[64] = "";
    if (localtime_r(&Time, &local))
        std::strftime(text, sizeof text, Format, &local);
    return text;
}

} // namespace

bool MoveToTrash(const std::string& Path)
{
    const std::string data = UserDataFolder();
    if (data.empty() || Path.empty() || Path == "/")
        return false;
    const std::string trash = JoinPath(data, "Trash");
    const std::string files = JoinPath(trash, "files");
    const std::string info = JoinPath(trash, "info");
    if (!ForceDirectories(files) || !ForceDirectories(info))
        return false;
    const std::string name = ExtractFileName(ExcludeTrailingPathDelimiter(Path));
    // The info file is made first and exclusively: it reserves the name against another program
    // trashing an item of the same name at the same time.
    for (int n = 1; n < 10000; ++n) {
        const std::string entry = n == 1 ? name : ChangeFileExt(name, "") + "." + IntToStr(n) + ExtractFileExt(name);
        const std::string infoFile = JoinPath(info, entry + ".trashinfo");
        std::FILE* f = std::fopen(infoFile.c_str(), "wx");
        if (f == nullptr) {
            if (errno == EEXIST)
                continue;
            return false;
        }
        const std::string text = "[Trash Info]\nPath=" + PercentEncoded(Path) + "\nDeletionDate="
            + LocalTime(std::time(nullptr), "%Y-%m-%dT%H:%M:%S") + "\n";
        const bool written = std::fwrite(text.data(), 1, text.size(), f) == text.size();
        const bool closed = std::fclose(f) == 0;
        const std::string target = JoinPath(files, entry);
        struct stat taken {};
        // A plain rename would replace an empty folder of that name: a taken name moves on to the next.
        const bool moved = written && closed && RenameFile(Path, target);
        if (!moved && ::lstat(target.c_str(), &taken) == 0) {
            std::remove(infoFile.c_str());
            continue;
        }
        if (!moved) {
            // Across file systems (or without rights) nothing is moved, and the reservation goes.
            std::remove(infoFile.c_str());
            return false;
        }
        return true;
    }
    return false;
}

std::string ShellItemProperties(TskShellFolder& Item)
{
    const bool folder = Item.IsFolder();
    std::string text = Item.DisplayName() + "\n\n";
    const std::string ext = ExtractFileExt(Item.DisplayName());
    text += "Type: " + std::string(folder ? "Folder" : (ext.empty() ? "File" : UpperCase(ext.substr(1)) + " file")) + "\n";
    text += "Location: " + ExtractFileDir(Item.PathName()) + "\n";
    struct stat data {};
    if (::stat(Item.PathName().c_str(), &data) == 0) {
        if (!folder)
            text += "Size: " + IntToStr(static_cast<long long>(data.st_size)) + " bytes\n";
        text += "Modified: " + LocalTime(data.st_mtime, "%Y-%m-%d %H:%M:%S") + "\n";
    }
    return text;
}

TPopupMenu* NewShellMenu(TComponent* Owner)
{
    TPopupMenu* menu = nullptr;
    // The skinned menu lives above the grids: it is made by class name when it is linked in.
    if (const TClassInfo* skinned = FindClassInfo("TskSkinPopupMenu"); skinned != nullptr && skinned->Create)
        menu = dynamic_cast<TPopupMenu*>(skinned->Create(Owner));
    if (menu == nullptr)
        menu = new TPopupMenu(Owner);
    return menu;
}

void FillShellMenu(TPopupMenu* Menu, const TskSkinData* Skin, const TShellMenuVerbs& Verbs)
{
    while (Menu->Items()->Count() > 0)
        Menu->Items()->Items(0)->Free();
    const TskSkinData* texts = Skin != nullptr && Skin->ResourceStrData() != nullptr ? Skin : nullptr;
    auto add = [&](const std::string& Caption, const std::function<void()>& Action) {
        auto* item = new TMenuItem(Menu);
        item->SetCaption(Caption);
        item->SetEnabled(Caption == "-" || static_cast<bool>(Action));
        if (Action)
            item->OnClick = [Action](TObject*) { Action(); };
        Menu->Items()->Add(item);
    };
    add("&Open", Verbs.Open);
    add("-", nullptr);
    add("&Rename", Verbs.Rename);
    add(SkinResString(texts, "MSG_NEWFOLDER"), Verbs.NewFolder);
    add("-", nullptr);
    add("Move to &Trash", Verbs.Trash);
    add("-", nullptr);
    add("P&roperties", Verbs.Properties);
}

bool ContextMenuMessage(TControl* View, TMessage& Message, bool Offered, const std::function<bool(TPoint)>& Release,
    const std::function<void(TPoint)>& Show)
{
    if (!Offered || View->PopupMenu() != nullptr || !View->Enabled())
        return false;
    const TPoint p{static_cast<short>(LOWORD(static_cast<std::uintptr_t>(Message.LParam))),
        static_cast<short>(HIWORD(static_cast<std::uintptr_t>(Message.LParam)))};
    if (Message.Msg == WM_CONTEXTMENU) {
        Show(p);
        Message.Result = 1;
        return true;
    }
    if (Message.Msg != WM_RBUTTONUP)
        return false;
    if (Release(p))
        Show(View->ClientToScreen(p));
    return true;
}

std::string MakeNewFolder(const std::string& Parent, const std::string& BaseName, int& Counter)
{
    // A folder outside the file system has no place to make the new one in.
    if (Parent.empty() || Parent.front() != '/' || BaseName.empty())
        return {};
    std::string path;
    // A name taken already (by an earlier session, say) moves on to the next number.
    do {
        ++Counter;
        path = JoinPath(Parent, Counter > 1 ? BaseName + "(" + std::to_string(Counter) + ")" : BaseName);
    } while (FileExists(path) || DirectoryExists(path));
    return CreateDir(path) ? path : std::string();
}
