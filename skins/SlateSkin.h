#pragma once
// The skins of the program, the "Ombrix Slate" family: a dark grey-blue look. "Ombrix Slate" (slate.ini)
// serves the window, its controls, the window frame, the popup menus and the hints; the queue rows
// have three skins of their own that share its pictures: "Ombrix Slate Rows" (rows.ini: check boxes,
// track boxes, progress bars), "Ombrix Slate Labels" (labels.ini: the rows' captions) and "Ombrix Slate
// Edits" (edits.ini: the rows' output names). Pictures and skin inis are made here, from code, so that
// the files under skins/slate/ can be made again byte for byte (the skinslate tool writes them; a test
// checks that the committed files still match what this code makes). The build packs them into the
// stored skins of the main window's form description.
#include <string>
#include <vector>

#include "platform/rtl/Types.h"

// One file of a skin's sources: its name (no folder) and its bytes.
struct TSkinSourceFile {
    std::string Name;
    std::string Bytes;
};

// The skin inis first ("slate.ini", then the rows' skins), then the BMP pictures they name.
std::vector<TSkinSourceFile> MakeSlateSkinSources();

// Writes the sources into Folder (created when missing). Returns the full path of the window's skin ini.
std::string WriteSlateSkinSources(const std::string& Folder);

// The colours of the look, as TColor values (0x00BBGGRR), for callers and tests that want to match them.
namespace SlateColors {
constexpr int Rgb(int r, int g, int b) { return r | (g << 8) | (b << 16); }
constexpr int Face = Rgb(42, 47, 56);          // panels, window client, check box background
constexpr int Field = Rgb(26, 29, 36);         // edits, lists, gauge track
constexpr int Text = Rgb(224, 230, 238);
constexpr int TextDim = Rgb(128, 138, 152);
constexpr int LabelText = Rgb(176, 186, 200);  // the captions of the queue rows
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
