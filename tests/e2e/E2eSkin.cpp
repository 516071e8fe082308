#include "E2eSkin.h"

#include <cstdio>
#include <fstream>

#include "platform/gfx/Bmp.h"

namespace {

const std::string SkinFolder = std::string(OMBRIX_SOURCE_DIR) + "/skins/slate/";

} // namespace

TSkinPictures::TSkinPictures()
{
    std::ifstream in(SkinFolder + "slate.ini");
    std::string section;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == ';')
            continue;
        if (line[0] == '[') {
            section = line.substr(1, line.find(']') - 1);
            continue;
        }
        if (const std::size_t eq = line.find('='); eq != std::string::npos)
            FIni[section][line.substr(0, eq)] = line.substr(eq + 1);
    }
    try {
        LoadBmpFromFile(SkinFolder + "controls.bmp", FControls);
        LoadBmpFromFile(SkinFolder + "frame.bmp", FFrame);
    } catch (...) {
        // Loaded() tells the test.
    }
}

TRect TSkinPictures::Rect(const std::string& Section, const std::string& Key) const
{
    TRect r;
    const auto s = FIni.find(Section);
    if (s == FIni.end())
        return r;
    const auto k = s->second.find(Key);
    if (k != s->second.end())
        std::sscanf(k->second.c_str(), "%d,%d,%d,%d", &r.Left, &r.Top, &r.Right, &r.Bottom);
    return r;
}

TPixel TSkinPictures::ControlColour(const std::string& Entry, TSkinFace Face) const
{
    const TRect face = Rect(Entry, Face == TSkinFace::Disabled ? "disabledskinrect" : "skinrect");
    return FControls.Pixel(face.Left + face.Width() / 2, face.Top + face.Height() / 2) | 0xFF000000u;
}

TPixel TSkinPictures::CaptionColour(int Y) const
{
    // Between the frame's left and right fixed corners the top edge is stretched.
    int left = 0, right = 0, dummy = 0;
    const auto& info = FIni.at("FORMINFO");
    std::sscanf(info.at("lefttoppoint").c_str(), "%d,%d", &left, &dummy);
    std::sscanf(info.at("righttoppoint").c_str(), "%d,%d", &right, &dummy);
    return FFrame.Pixel((left + right) / 2, Y) | 0xFF000000u;
}
