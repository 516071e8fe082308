// skinbuild: the project's skin builder. It packs skin sources (a skin ini and the BMP pictures beside
// it), either into a compressed skin file or into the stored skins of a form description. The build
// runs the second form on every form of app/forms, so the descriptions the program carries hold the
// packed skins of the sources in the tree; it needs only the skin data layer, so it can run before
// the program that embeds its output is linked.
//
//   skinbuild <skin.ini> <output file>
//       writes the compressed skin file of the skin
//   skinbuild --form <form description> <skin folder> <output form description>
//       writes the description with the stored data ("CompressedData") of each of its stored skins,
//       packed from the skin ini its FileName names in the skin folder
//
// The same input gives the same bytes. A missing, empty or unreadable picture, a skin ini that is no
// skin ini, a stored skin that names none, and a skin the program would not load (it is loaded as the
// program loads it) are refused with a message and exit status 1, and no output file is written.
#include <cstdio>
#include <exception>
#include <string>

#include "platform/rtl/TStream.h"
#include "skin/data/StoredSkinForms.h"
#include "skin/data/TskCompressedStoredSkin.h"

namespace {

std::string ReadWhole(const std::string& FileName)
{
    TMemoryStream file;
    file.LoadFromFile(FileName);
    return std::string(static_cast<const char*>(file.Memory()), static_cast<std::size_t>(file.Size()));
}

// Written whole from memory, so that a failure never leaves half a file behind.
void WriteWhole(const std::string& FileName, const std::string& Bytes)
{
    TMemoryStream file;
    file.WriteBuffer(Bytes.data(), static_cast<std::int64_t>(Bytes.size()));
    file.SaveToFile(FileName);
}

} // namespace

int main(int argc, char** argv)
{
    const bool form = argc == 5 && std::string(argv[1]) == "--form";
    if (argc != 3 && !form) {
        std::fprintf(stderr, "usage: skinbuild <skin.ini> <output file>\n"
                             "       skinbuild --form <form description> <skin folder> <output form description>\n");
        return 2;
    }
    try {
        if (form) {
            WriteWhole(argv[4], StoreSkinsInForm(ReadWhole(argv[2]), argv[3]));
            return 0;
        }
        TskCompressedStoredSkin skin(nullptr);
        BuildLoadableSkin(skin, argv[1]);
        TMemoryStream file;
        skin.WriteSkinFileStream(file);
        file.SaveToFile(argv[2]);
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "skinbuild: %s%s%s\n", form ? argv[2] : "", form ? ": " : "", e.what());
        return 1;
    }
}
