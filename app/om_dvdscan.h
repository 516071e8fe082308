#pragma once
// The titles of a DVD: the identify log turned into one row of the title table per title, a second
// look at long titles the first run said nothing about, and the import of the titles worth
// converting into the source table (TForm1::ParseDvdTitles, TForm1::ImportDvdTitles).
#include <string>

// A DVD location as every record and list keeps it: without a trailing "/", except for the root of a
// mounted volume (and "/" itself), so the same place is always the same text.
std::string NormaliseLocation(const std::string& Location);
// The tool input of title n of a DVD location: "-dvd-device <quoted location> dvdnav://n".
std::string DvdSourceArg(const std::string& Location, int TitleNumber);
