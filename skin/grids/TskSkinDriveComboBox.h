#pragma once
// The skinned drive combo box: one item per drive, the main window's list of places to scan for discs.
// A drive is a mounted volume and its root path ("/media/u/FILM/", always with a trailing "/") is what
// a drive letter is elsewhere: the system's root "/" first, then every mounted optical volume in mount
// order, then the removable and network volumes. The item text is the root and the volume's caption
// ("/media/u/FILM/ [film]"; a network volume's caption is what is mounted, "[//server/share]"; a
// removable one has none, its medium is not touched); each item shows its drive's picture. The caller
// sets ItemIndex and reads Drive. Roots may hold blanks and quotes, so Drive never comes from parsing
// the text.
#include <string>
#include <vector>

#include "platform/sys/Volumes.h"
#include "skin/controls/TskSkinCustomComboBox.h"

class TskSkinDirectoryListBox;

enum TTextCase { tcLowerCase, tcUpperCase };

class TskSkinDriveComboBox : public TskSkinComboBox {
public:
    explicit TskSkinDriveComboBox(TComponent* AOwner);
    ~TskSkinDriveComboBox() override;

    // The chosen drive's root; empty for none.
    const std::string& Drive() const { return FDrive; }
    // Chooses the item of that root (a missing trailing "/" is added); empty chooses none. A root that
    // is not listed is kept as Drive with no item chosen.
    void SetDrive(const std::string& Value);
    // How volume labels are shown in the captions (roots are shown as they are: paths are case-sensitive).
    TTextCase TextCase() const { return FTextCase; }
    void SetTextCase(TTextCase Value);

    // The directory list that follows the chosen drive (linked back to this combo box).
    TskSkinDirectoryListBox* DirList() const { return FDirList; }
    void SetDirList(TskSkinDirectoryListBox* Value);

    // Reads the mounted volumes again and rebuilds the items, keeping the chosen drive when it is still there.
    void BuildList();
    // The root of item Index; empty outside the list.
    std::string DriveRoot(int Index) const;
    // The drive that holds Path: the longest listed root in front of it; empty when none.
    std::string DriveOfPath(const std::string& Path) const;

    // Where the volumes are read from (tests point this at files of their own); rebuilds the list.
    const TVolumeSources& VolumeSources() const { return FSources; }
    void SetVolumeSources(const TVolumeSources& Value);

protected:
    void CreateWnd() override;
    void Loaded() override;
    void Change() override;

private:
    enum class TDriveKind { Fixed, CDRom, Removable, Network };
    struct TDriveItem {
        std::string Root;
        TDriveKind Kind;
        std::string Source; // what a network volume mounts
    };
    void DrawDrive(TCanvas* C, int Index, TRect TxtRect);
    void SelectCurrentDirectoryDrive();

    std::string FDrive;
    TTextCase FTextCase = tcLowerCase;
    TVolumeSources FSources;
    std::vector<TDriveItem> FDrives;
    bool FSettingDrive = false;
    TComponentLink<TskSkinDirectoryListBox> FDirList{this};
};
