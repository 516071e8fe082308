#pragma once
// The skinned file list box: the entries of one directory whose names match a mask ("*.avi;*.mpg"),
// folders as "[name]" when asked for. Its choice can be shown in a linked edit.
#include <string>

#include "platform/rtl/Types.h"
#include "skin/controls/TskSkinListBox.h"

class TEdit;
class TskSkinDirectoryListBox;

enum TskFileAttr { skftReadOnly, skftHidden, skftSystem, skftVolumeID, skftDirectory, skftArchive, skftNormal };
using TskFileType = TSet<TskFileAttr>;

class TskSkinFileListBox : public TskSkinListBox {
public:
    explicit TskSkinFileListBox(TComponent* AOwner);

    // The listed directory; the current directory at construction. Setting one that does not exist
    // raises EOSError and keeps the list as it was. A relative name is taken from the listed directory.
    const std::string& Directory() const { return FDirectory; }
    void SetDirectory(const std::string& Value);
    // ";"-separated masks; empty means "*.*".
    const std::string& Mask() const { return FMask; }
    void SetMask(const std::string& Value);
    TskFileType FileType() const { return FFileType; }
    void SetFileType(TskFileType Value);
    TEdit* FileEdit() const { return FFileEdit; }
    void SetFileEdit(TEdit* Value);

    // The full name of the chosen entry (a folder without its brackets); empty when nothing is chosen.
    std::string FileName() const;
    // A name with a folder part (or "[folder]", or a folder's name) lists that folder, through the
    // linked directory list when there is one; a name with "*" or "?" becomes the mask; a listed name
    // is chosen; any other name becomes the mask.
    void SetFileName(const std::string& Value);
    // Set by the directory list that links to this list.
    TskSkinDirectoryListBox* DirList() const { return FDirList; }
    void SetDirList(TskSkinDirectoryListBox* Value);

    // Reads the directory again.
    void Update();

    TNotifyEvent OnChange;

protected:
    virtual void Change();
    void ListBoxClick() override;

private:
    void FillFileList();

    std::string FDirectory;
    std::string FMask = "*.*";
    TskFileType FFileType{skftNormal};
    TComponentLink<TEdit> FFileEdit{this};
    TComponentLink<TskSkinDirectoryListBox> FDirList{this};
    int FLastIndex = -1;
};

// Tells the form reader about the file-system controls (after the skinned combo and list boxes).
void RegisterFileCtrlClasses();
