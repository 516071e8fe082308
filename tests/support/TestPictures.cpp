#include "tests/support/TestPictures.h"

#include <filesystem>
#include <sstream>

#include "platform/gfx/Bmp.h"

namespace {

char LegendChar(TPixel p, const std::map<char, COLORREF>& legend)
{
    const COLORREF c = PixelToColor(p);
    for (const auto& [ch, colour] : legend)
        if ((colour & 0xFFFFFF) == c)
            return ch;
    return '?';
}

}  // namespace

std::string PixelsAsText(const TSurface& surface, const TRect& area, const std::map<char, COLORREF>& legend)
{
    std::string text;
    for (int y = area.Top; y < area.Bottom; ++y) {
        for (int x = area.Left; x < area.Right; ++x)
            text += surface.Contains(x, y) ? LegendChar(surface.Pixel(x, y), legend) : ' ';
        text += '\n';
    }
    return text;
}

std::string ComparePixels(const TSurface& surface, int x, int y, const std::vector<std::string>& rows,
    const std::map<char, COLORREF>& legend)
{
    std::ostringstream out;
    int mismatches = 0;
    int width = 0;
    for (std::size_t j = 0; j < rows.size(); ++j) {
        width = std::max(width, static_cast<int>(rows[j].size()));
        for (std::size_t i = 0; i < rows[j].size(); ++i) {
            const auto it = legend.find(rows[j][i]);
            if (it == legend.end())
                continue;
            const int px = x + static_cast<int>(i), py = y + static_cast<int>(j);
            const bool inside = surface.Contains(px, py);
            const COLORREF found = inside ? PixelToColor(surface.Pixel(px, py)) : 0xFFFFFFFF;
            if (!inside || found != (it->second & 0xFFFFFF)) {
                if (++mismatches <= 8) {
                    out << "pixel (" << px << ", " << py << "): expected '" << rows[j][i] << "' 0x" << std::hex
                        << (it->second & 0xFFFFFF) << ", found ";
                    if (inside)
                        out << "0x" << found;
                    else
                        out << "nothing (outside the surface)";
                    out << std::dec << "\n";
                }
            }
        }
    }
    if (mismatches == 0)
        return "";
    out << mismatches << " pixel(s) differ; the area reads:\n"
        << PixelsAsText(surface, Bounds(x, y, width, static_cast<int>(rows.size())), legend);
    return out.str();
}

std::string SaveTestPicture(const TSurface& surface, const std::string& directory, const std::string& name)
{
    if (surface.Empty())
        return "";
    std::error_code ec;
    std::filesystem::create_directories(directory, ec);
    std::string file = name;
    if (file.size() < 4 || file.compare(file.size() - 4, 4, ".bmp") != 0)
        file += ".bmp";
    const std::string path = (std::filesystem::path(directory) / file).string();
    try {
        SaveBmpToFile(path, surface, 32);
    } catch (const std::exception&) {
        return "";
    }
    return path;
}
