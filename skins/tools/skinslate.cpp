// skinslate: makes the sources of the program's skins, the "Ombrix Slate" family (their skin inis and
// the BMP pictures they share), from code. Run it after changing skins/SlateSkin.cpp and commit what it
// writes; the build packs them into the main window's form description:
//
//   skinslate [<output folder>]        (default: skins/slate of the source tree)
#include <cstdio>
#include <exception>

#include "skins/SlateSkin.h"

int main(int argc, char** argv)
{
    if (argc > 2) {
        std::fprintf(stderr, "usage: skinslate [<output folder>]\n");
        return 2;
    }
    try {
        const std::string ini = WriteSlateSkinSources(argc == 2 ? argv[1] : OMBRIX_SOURCE_DIR "/skins/slate");
        std::printf("%s and the skins beside it written\n", ini.c_str());
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "skinslate: %s\n", e.what());
        return 1;
    }
}
