#pragma once
// The stored skins of a form description, filled in when the program is built. A form's
// TskCompressedStoredSkin names the skin ini it is made from (its FileName, as the designer sets it);
// the skin builder packs that skin and writes the packed bytes into the description as the binary
// property "CompressedData", as the form looks once the designer has built the skin into it. So the
// stored data the program reads always matches the skin sources, and no packed bytes are kept beside
// them.
#include <string>

class TskCompressedStoredSkin;

// Builds Skin from a skin ini (BuildFromSkinIni), then loads it as the program does, so that a skin the
// program would refuse (a picture past the memory budget, a list that takes too much, a malformed value)
// is refused here, with the program's own reason, instead of being written; Skin is then unchanged.
void BuildLoadableSkin(TskCompressedStoredSkin& Skin, const std::string& IniFileName);

// Returns FormText with a "CompressedData" property added to every TskCompressedStoredSkin in it,
// packed from the skin ini that the object's FileName names in SkinFolder (with the pictures beside
// it). Everything else in the text stays as it was, line for line.
//
// Raises EReadError when FormText is no form description, and Exception naming the stored skin for a
// stored skin without a FileName, one whose FileName has a folder part, one that already carries
// stored data (the build makes it; a form keeps none of its own), one whose "end" does not stand on a
// line of its own, and a skin ini that cannot be packed or loaded (as BuildLoadableSkin says).
std::string StoreSkinsInForm(const std::string& FormText, const std::string& SkinFolder);
