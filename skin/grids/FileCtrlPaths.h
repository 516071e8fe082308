#pragma once
// Path helpers of the file-system controls. A "drive" here is a mounted volume whose root path (with a
// trailing "/") stands where a drive letter would; paths use "/".
#include <functional>
#include <string>

#include "platform/sys/Volumes.h"

class TCanvas;

// Name taken relative to Base (unless it is absolute), made absolute and folded, without a trailing "/"
// (but "/" itself), so that one directory has one name.
std::string ResolveFolder(const std::string& Base, const std::string& Name);

// A name typed into a file control, taken apart: the folder it names and what is left of it.
struct TEditPath {
    std::string Directory; // absolute, as ResolveFolder gives it
    std::string FileName;  // a name or a pattern inside Directory; empty when the text names a folder
};
// Splits Text against the folder Base: "[name]" (how the file list shows a folder) is that folder in
// Base; otherwise the part up to the last "/" is the folder (relative ones taken from Base), and a last
// part without "*" or "?" that names an existing folder is that folder too. The process's current
// directory is neither read nor changed.
TEditPath SplitEditPath(const std::string& Text, const std::string& Base);

// Shortens Path, level by level from the front, until TextWidth(result) <= MaxWidth: "/x/y/z/f.txt"
// becomes "/.../y/z/f.txt", "/.../z/f.txt", "/.../f.txt", ".../f.txt" and finally "f.txt". The file
// name itself is never cut.
std::string MinimizePathName(const std::string& Path, const std::function<int(const std::string&)>& TextWidth,
    int MaxWidth);
// The same, measured with the canvas's font.
std::string MinimizePathName(const std::string& Path, TCanvas* Canvas, int MaxWidth);

// "[label]" of the volume mounted at Root; "[]" when it has none or cannot be read. Nothing is touched
// but the mount table and the label links, so an empty drive gives no error.
std::string VolumeCaption(const std::string& Root, const TVolumeSources& Sources = {});
