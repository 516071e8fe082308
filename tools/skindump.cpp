// skindump: unpacks a compressed skin file into its skin ini and BMP pictures, and lists the skin's
// entries with the class each one loads as.
//
//   skindump <skin file> [<output folder>]
//
// Without an output folder only the list is printed.
#include <cxxabi.h>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>
#include <string>
#include <typeinfo>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/TStream.h"
#include "skin/data/SkinDataClasses.h"
#include "skin/data/TskCompressedStoredSkin.h"
#include "skin/data/TskDataSkinControl.h"
#include "skin/data/TskDataSkinObject.h"
#include "skin/data/TskSkinData.h"

namespace {

std::string Demangled(const std::type_info& type)
{
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> name(abi::__cxa_demangle(type.name(), nullptr, nullptr, &status),
                                                std::free);
    return status == 0 && name ? name.get() : type.name();
}

void WriteFile(const std::string& path, const std::string& bytes)
{
    TMemoryStream file;
    file.WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
    file.SaveToFile(path);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: skindump <skin file> [<output folder>]\n");
        return 2;
    }
    // As the program starts: every entry loads into its real class, whose name the listing shows.
    RegisterSkinDataClasses();
    try {
        TskCompressedStoredSkin stored(nullptr);
        if (!stored.LoadFromSkinFile(argv[1]))
            throw Exception(std::string("\"") + argv[1] + "\" is not a compressed skin file");

        const TskUnpackedSkin unpacked = UnpackStoredSkin(stored);
        if (argc == 3) {
            const std::string folder = IncludeTrailingPathDelimiter(argv[2]);
            ForceDirectories(folder);
            const std::string iniName = ChangeFileExt(ExtractFileName(argv[1]), ".ini");
            WriteFile(folder + iniName, unpacked.IniText);
            for (const auto& picture : unpacked.Pictures)
                WriteFile(folder + picture.Name, picture.Bmp);
            std::printf("%s: %s and %zu pictures\n", folder.c_str(), iniName.c_str(), unpacked.Pictures.size());
        }

        TskSkinData skin(nullptr);
        skin.LoadStoredSkin(&stored);
        std::printf("skin \"%s\", packed version %d, %zu active pictures\n", skin.SkinName.c_str(),
                    unpacked.Version, skin.ActivePictures.size());
        for (const auto& entry : skin.ObjectDataList)
            std::printf("object  %-24s %s\n", entry->IDName.c_str(), Demangled(typeid(*entry)).c_str());
        for (const auto& entry : skin.ControlDataList)
            std::printf("control %-24s %s\n", entry->IDName.c_str(), Demangled(typeid(*entry)).c_str());
        for (const auto& area : skin.SkinAreaList)
            std::printf("area    %-24s %d,%d,%d,%d\n", area->IDName.c_str(), area->AreaRect.Left, area->AreaRect.Top,
                        area->AreaRect.Right, area->AreaRect.Bottom);
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "skindump: %s\n", e.what());
        return 1;
    }
}
