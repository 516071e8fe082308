#pragma once
// The skinned directory list box: the levels of the current directory from the root down, then the
// folders inside it, each indented by its depth behind its picture (open folders above the current
// one, the current one marked, shut folders inside it). Opening an item (double click or Return) makes
// it the current directory; the linked file list follows, and a linked label shows the path shortened
// to its width.
#include <string>
#include <vector>

#include "skin/controls/TskSkinListBox.h"

class TskSkinFileListBox;
class TskSkinDriveComboBox;
class TskSkinStdLabel;

class TskSkinDirectoryListBox : public TskSkinListBox {
public:
    explicit TskSkinDirectoryListBox(TComponent* AOwner);
    ~TskSkinDirectoryListBox() override;

    // The current directory (absolute, without a trailing "/" except for the root); the process's
    // current directory at construction. A relative name is taken from the current one. Setting one
    // that does not exist raises EOSError and keeps the list as it was.
    const std::string& Directory() const { return FDirectory; }
    void SetDirectory(const std::string& Value);
    // Moves to the root of a drive (a volume root) unless the current directory is on it already.
    void SetDrive(const std::string& Root);

    TskSkinFileListBox* FileList() const { return FFileList; }
    void SetFileList(TskSkinFileListBox* Value);
    TskSkinStdLabel* DirLabel() const { return FDirLabel; }
    void SetDirLabel(TskSkinStdLabel* Value);
    // Set by the drive combo box that links to this list.
    TskSkinDriveComboBox* DriveCombo() const { return FDriveCombo; }
    void SetDriveCombo(TskSkinDriveComboBox* Value);

    // The full path item Index stands for; empty outside the list.
    std::string ItemPath(int Index) const;
    // How deep item Index sits: 0 for the root, one more per level; folders inside the current
    // directory sit one deeper than it.
    int ItemLevel(int Index) const;
    // Reads the directory again.
    void BuildList();

    // The label's text is shortened again to the new width.
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

    TNotifyEvent OnChange;

protected:
    virtual void Change();
    void ListBoxDblClick() override;
    void ListBoxKeyDown(WORD& Key, TShiftState Shift) override;

private:
    void OpenCurrent();
    void DrawFolder(TCanvas* C, int Index, const TRect& TxtRect);
    void ShowLabel();

    std::string FDirectory;
    std::vector<std::string> FPaths;
    std::vector<int> FLevels;
    int FSubFolders = 0; // the items after the current folder
    TComponentLink<TskSkinFileListBox> FFileList{this};
    TComponentLink<TskSkinStdLabel> FDirLabel{this};
    TComponentLink<TskSkinDriveComboBox> FDriveCombo{this};
    bool FInSetDir = false;
};
