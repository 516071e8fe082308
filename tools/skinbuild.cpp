// skinbuild: packs a skin ini and the BMP pictures beside it into a compressed skin file. The build runs
// it on the built-in skins under skins/; it needs only the skin data layer, so it can run before the
// program that embeds its output is linked.
//
//   skinbuild <skin.ini> <output file>
//
// The same input gives the same bytes. Every picture the ini names is loaded and checked; a missing,
// empty or unreadable one is refused with a message and exit status 1, and no output file is written.
#include <cstdio>
#include <exception>
#include <string>

#include "platform/rtl/TStream.h"
#include "skin/data/TskCompressedStoredSkin.h"

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: skinbuild <skin.ini> <output file>\n");
        return 2;
    }
    try {
        TskCompressedStoredSkin skin(nullptr);
        skin.BuildFromSkinIni(argv[1]);
        // Written whole from memory, so that a failure never leaves half a file behind.
        TMemoryStream file;
        skin.WriteSkinFileStream(file);
        file.SaveToFile(argv[2]);
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "skinbuild: %s\n", e.what());
        return 1;
    }
}
