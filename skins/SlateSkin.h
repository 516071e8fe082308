#pragma once
// The built-in skin "Ombrix Slate": a dark grey-blue look for every control, the window frame, the popup
// menus and the hints. Its pictures and its skin ini are made here, from code, so that the files under
// skins/slate/ can be made again byte for byte (the skinslate tool writes them; a test checks that the
// committed files still match what this code makes).
#include <string>
#include <vector>

#include "platform/rtl/Types.h"

// One file of a skin's sources: its name (no folder) and its bytes.
struct TSkinSourceFile {
    std::string Name;
    std::string Bytes;
};

// The skin ini first ("slate.ini"), then the BMP pictures it names.
std::vector<TSkinSourceFile> MakeSlateSkinSources();

// Writes the sources into Folder (created when missing). Returns the full path of the skin ini.
std::string WriteSlateSkinSources(const std::string& Folder);

// The colours of the look, as TColor values (0x00BBGGRR), for callers and tests that want to match them.
namespace SlateColors {
constexpr int Rgb(int r, int g, int b) { return r | (g << 8) | (b << 16); }
constexpr int Face = Rgb(42, 47, 56);          // panels, window client, check box background
constexpr int Field = Rgb(26, 29, 36);         // edits, lists, gauge track
constexpr int Text = Rgb(224, 230, 238);
constexpr int TextDim = Rgb(128, 138, 152);
constexpr int Accent = Rgb(64, 140, 220);      // progress, selection, focus
constexpr int AccentLight = Rgb(112, 176, 240);
constexpr int AccentDark = Rgb(38, 96, 166);
constexpr int Border = Rgb(18, 20, 25);
constexpr int ButtonTop = Rgb(74, 83, 99);
constexpr int ButtonBottom = Rgb(54, 61, 73);
constexpr int HotTop = Rgb(82, 104, 136);
constexpr int HotBottom = Rgb(58, 76, 102);
constexpr int CaptionTop = Rgb(48, 56, 71);
constexpr int CaptionBottom = Rgb(31, 36, 46);
constexpr int FrameBorder = Rgb(24, 27, 33);
} // namespace SlateColors

// Where a few looks lie in the control picture (active picture 0), for tests that check the pictures.
namespace SlateLayout {
inline constexpr TRect Button{0, 0, 64, 24};
inline constexpr TRect GaugeProgress{100, 114, 132, 128};
inline constexpr TRect Panel{40, 156, 88, 204};
} // namespace SlateLayout
