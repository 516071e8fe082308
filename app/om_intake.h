#pragma once
// Source intake: dropped names, the add-files and add-folder dialogs, the disc search at start and
// discs coming and going (TForm1::DropFiles, skSkinSpeedButton5Click, skSkinSpeedButton4Click,
// ScanDVDs, DeviceChange). Every way ends with the name in the pending list and the scan timer on.
#include <string>

// A folder from the folder dialog as it is queued: doubled "/" collapsed, one trailing "/".
std::string RepairFolderPath(const std::string& Folder);
// True when Path is the volume root Root or lies below it.
bool IsOnVolume(const std::string& Path, const std::string& Root);
