// skinbuild: packs a skin ini and the BMP pictures beside it into a compressed skin file.
//
//   skinbuild <skin.ini> <output file>
//
// Every picture the ini names is loaded and checked; a missing, empty or unreadable one is refused
// with a message and exit status 1, and no output file is written.
#include <cstdio>
#include <exception>
#include <string>

#include "platform/rtl/Exceptions.h"
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
        // Written through a memory stream so that a failure never leaves half a file behind.
        TMemoryStream file;
        skin.WriteSkinFileStream(file);
        file.SaveToFile(argv[2]);
        std::printf("%s: %lld bytes packed\n", argv[2], static_cast<long long>(file.Size()));
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "skinbuild: %s\n", e.what());
        return 1;
    }
}
