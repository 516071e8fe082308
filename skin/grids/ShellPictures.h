#pragma once
// The small pictures of the file and folder views and their dialogs, drawn in code so the program
// carries no picture files of its own for them: the tool-button glyphs of the dialogs (16 x 16 on a
// fuchsia ground that the buttons leave out) and the icons of files, folders and volumes.
#include <string>

class TBitmap;

enum TskToolGlyph { tgBack, tgUp, tgNewFolder, tgViewStyle };

// Sizes B to 16 x 16 and paints the glyph; the bottom-left pixel is the transparent colour.
void PaintToolGlyph(TBitmap& B, TskToolGlyph Glyph);

class TCustomImageList;

// The pictures of files and folders in the views and the folder box, one per kind; the kind is the
// picture's index in both sizes, and stays so.
enum TskShellIcon {
    siFile, siVideoFile, siFolder, siOpenFolder, siDrive, siOpticalDrive, siRemovableDrive, siNetwork, siComputer,
    siDesktop, siHome, siCurrentFolder
};
constexpr int ShellIconCount = siCurrentFolder + 1;

// The pictures at 16 x 16 (Large false) or 32 x 32, made on first use and kept for the program's life.
TCustomImageList* ShellImages(bool Large);
// The picture of the item at Path: the namespace root is the computer, the home and desktop folders
// and the roots of mounted volumes have their own, a folder is shut or Open; a file is a video by its
// extension. Only the mount table is read, never the volume itself (a network mount may not answer).
TskShellIcon ShellIconOf(const std::string& Path, bool IsFolder, bool Open = false);
