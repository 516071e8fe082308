#pragma once
// The scan chain: on a ScanTimer tick with nothing else running, the pending names are sorted into
// DVD locations, folders and files, folders are walked, files classified by extension, duplicates and
// sources already in the table dropped, and every remaining source identified in turn
// (TForm1::ScanTimerTimer, ScanList, ScanFolders, ScanFiles, ScanDVD, Detect). The video files'
// tool runs are made side by side ahead of the chain (app/om_scanahead.h); the records, rows and
// messages still come in the order of the names.
#include <string>

class TStrings;

// True when the file can be opened for reading. A file that cannot be read is never identified, and
// the user is told so.
bool IsFileReadable(const std::string& Path);

// True when the scan takes the file as a video source: a known video extension, a VOB, or one of
// VideoExtensions (the user's own list).
bool IsConvertibleFile(const std::string& File, const TStrings& VideoExtensions);
