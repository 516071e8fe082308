#pragma once
// A node of the shell namespace for the folder views and dialogs: one file or folder, known by its
// item identifier list below its parent. The namespace root is the file system's root "/"; the
// named roots (the user's documents, desktop, application data...) are the folders this desktop
// keeps for them.
#include <memory>
#include <string>
#include <sys/stat.h>
#include <vector>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/TStringList.h"
#include "platform/vcl/TComponent.h"
#include "skin/grids/ShellIdLists.h"

class EInvalidPath : public Exception {
    using Exception::Exception;
};

enum TskRootFolder {
    rfDesktop, rfMyComputer, rfNetwork, rfRecycleBin, rfAppData, rfCommonDesktopDirectory, rfCommonPrograms,
    rfCommonStartMenu, rfCommonStartup, rfControlPanel, rfDesktopDirectory, rfFavorites, rfFonts, rfInternet,
    rfPersonal, rfPrinters, rfPrintHood, rfPrograms, rfRecent, rfSendTo, rfStartMenu, rfStartup, rfTemplates
};
constexpr int RootFolderCount = rfTemplates + 1;

const char* RootFolderName(TskRootFolder Folder);
// The special-folder number the name stands for.
int RootFolderId(TskRootFolder Folder);
bool RootFolderFromName(const std::string& Name, TskRootFolder& Folder);
// Where the named folder lies on this desktop, with a trailing "/"; "" when it has none.
std::string RootFolderPath(TskRootFolder Folder);

enum TShellObjectType { otFolders, otNonFolders, otHidden };
using TShellObjectTypes = TSet<TShellObjectType>;
// The enumeration flags of a set: folders 32, non-folders 64, hidden 128.
int ObjectTypeFlags(TShellObjectTypes Types);

class TskShellFolder {
public:
    // A node below Parent (the namespace root when nullptr) known by ID relative to it.
    TskShellFolder(TskShellFolder* Parent, const TItemIDList& ID);
    ~TskShellFolder();
    TskShellFolder(const TskShellFolder&) = delete;
    TskShellFolder& operator=(const TskShellFolder&) = delete;

    // The namespace root, made on first use and kept for the program's life.
    static TskShellFolder* Desktop();

    const TItemIDList& ItemID() const { return FItemID; }
    const TItemIDList& FullID() const { return FFullID; }
    TskShellFolder* Parent() const { return FParent; }
    // 0 for a node right below the namespace root, one more per level below.
    int Level() const { return FLevel; }

    // The name shown for the node (its last component; "/" for the root).
    std::string DisplayName() const;
    // The full path, for parsing and for the file system.
    std::string PathName() const;
    std::string Path() const { return PathName(); }

    // A folder that is not a ZIP archive (those are shown as files).
    bool IsFolder() const;
    bool HasSubFolders() const;
    bool Hidden() const;
    bool IsLink() const;
    bool ReadOnly() const;
    bool CanRename() const;
    bool CanDelete() const { return CanRename(); }

    // The index of the node's picture in ShellImages (the open look for a folder when Open).
    int IconIndex(bool Open = false) const;

    // Whether enumerating with Types gives at least one item.
    bool HasChildren(TShellObjectTypes Types) const;
    // The node's children of the given kinds, folders first, each sorted by name.
    std::vector<std::unique_ptr<TskShellFolder>> Children(TShellObjectTypes Types);

    // Exception "Rename to %s failed" when it cannot be done.
    void Rename(const std::string& NewName);

    // Fills Details with one text per column 1..ColumnCount (size, extension, modified, attributes)
    // unless it already holds that many.
    void LoadColumnDetails(TskShellFolder* Root, int ColumnCount);
    // Column Column (1-based); Exception "%s: Missing call to LoadColumnDetails" before loading.
    std::string Details(int Column) const;
    TStringList* DetailsList() { return &FDetails; }

    // The file system's data of the node; EInvalidPath when it cannot be read.
    struct stat FileData() const;
    // Bytes of a file in full; -1 for a folder.
    static long long SizeOf(const struct stat& Data);

private:
    TskShellFolder(); // the namespace root
    TskShellFolder* FParent;
    TItemIDList FItemID;
    TItemIDList FFullID;
    int FLevel = 0;
    TStringList FDetails;
};

// The folder of ID when it exists, else its nearest ancestor that does (the namespace root at last).
TItemIDList NearestExistingFolder(const TItemIDList& ID);

// The root node a view's Root names: a root-folder name or a path ("~" and "~/..." are in the home folder). Raises
// Exception "Error setting path: "%s"" when it names no folder.
std::unique_ptr<TskShellFolder> CreateRootFolder(const std::string& Root);
