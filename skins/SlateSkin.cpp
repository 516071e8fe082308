#include "skins/SlateSkin.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <map>
#include <sstream>
#include <stdexcept>
#include <utility>

#include "platform/gfx/Bmp.h"
#include "platform/gfx/Colors.h"
#include "platform/gfx/TSurface.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/TStream.h"

namespace {

using namespace SlateColors;

// Colours of the pictures only (the ones callers may want are in SlateColors).
constexpr int White = Rgb(255, 255, 255);
constexpr int Black = Rgb(0, 0, 0);
constexpr int Key = Rgb(255, 0, 255);           // left out where pictures are drawn transparently
constexpr int ButtonLine = Rgb(98, 108, 126);    // the light line under a button's top edge
constexpr int HotLine = Rgb(120, 150, 190);
constexpr int DownTop = Rgb(36, 41, 50);
constexpr int DownBottom = Rgb(48, 55, 66);
constexpr int DisabledFace = Rgb(48, 53, 62);
constexpr int DisabledBorder = Rgb(36, 40, 48);
constexpr int FaceLight = Rgb(60, 67, 80);
constexpr int FaceDark = Rgb(30, 34, 41);
constexpr int FieldBorder = Rgb(62, 70, 84);
constexpr int GlyphDim = Rgb(150, 160, 175);
constexpr int CloseHot = Rgb(196, 64, 64);
constexpr int CloseDown = Rgb(150, 42, 42);

TPixel Px(int color) { return RgbToPixel(static_cast<COLORREF>(color)); }

int Mix(int a, int b, double t)
{
    auto ch = [&](int shift) {
        const int x = (a >> shift) & 0xFF;
        const int y = (b >> shift) & 0xFF;
        return static_cast<int>(std::lround(x + (y - x) * t)) & 0xFF;
    };
    return ch(0) | (ch(8) << 8) | (ch(16) << 16);
}

// ---- drawing on a picture --------------------------------------------------------------------------

void Fill(TSurface& s, const TRect& r, int color) { s.FillRect(r, Px(color)); }

void Dot(TSurface& s, int x, int y, int color) { s.SetPixel(x, y, Px(color)); }

void HLine(TSurface& s, int x1, int x2, int y, int color) { Fill(s, TRect{x1, y, x2, y + 1}, color); }

void VLine(TSurface& s, int x, int y1, int y2, int color) { Fill(s, TRect{x, y1, x + 1, y2}, color); }

void Outline(TSurface& s, const TRect& r, int color)
{
    HLine(s, r.Left, r.Right, r.Top, color);
    HLine(s, r.Left, r.Right, r.Bottom - 1, color);
    VLine(s, r.Left, r.Top, r.Bottom, color);
    VLine(s, r.Right - 1, r.Top, r.Bottom, color);
}

void VGradient(TSurface& s, const TRect& r, int top, int bottom)
{
    const int h = r.Height();
    for (int y = r.Top; y < r.Bottom; ++y)
        HLine(s, r.Left, r.Right, y, Mix(top, bottom, h > 1 ? double(y - r.Top) / (h - 1) : 0.0));
}

void HGradient(TSurface& s, const TRect& r, int left, int right)
{
    const int w = r.Width();
    for (int x = r.Left; x < r.Right; ++x)
        VLine(s, x, r.Top, r.Bottom, Mix(left, right, w > 1 ? double(x - r.Left) / (w - 1) : 0.0));
}

// Softens the four corners of a framed box against the colour behind it.
void RoundCorners(TSurface& s, const TRect& r, int behind)
{
    const int corners[4][2] = {{r.Left, r.Top}, {r.Right - 1, r.Top}, {r.Left, r.Bottom - 1}, {r.Right - 1, r.Bottom - 1}};
    for (const auto& c : corners) {
        const int dx = c[0] == r.Left ? 1 : -1;
        const int dy = c[1] == r.Top ? 1 : -1;
        Dot(s, c[0], c[1], behind);
        // Against the key colour a blend would leave a visible fringe where the picture is cut out.
        if (behind == Key) continue;
        Dot(s, c[0] + dx, c[1], Mix(PixelToColor(s.Pixel(c[0] + dx, c[1])), behind, 0.45));
        Dot(s, c[0], c[1] + dy, Mix(PixelToColor(s.Pixel(c[0], c[1] + dy)), behind, 0.45));
    }
}

// A raised box: gradient face, dark outline, a light line under the top edge, soft corners.
void Box(TSurface& s, const TRect& r, int top, int bottom, int border, int line, int behind)
{
    VGradient(s, r, top, bottom);
    Outline(s, r, border);
    if (line >= 0) HLine(s, r.Left + 1, r.Right - 1, r.Top + 1, line);
    RoundCorners(s, r, behind);
}

// A sunken field: flat inside, darker top edge, lighter outline.
void Sunken(TSurface& s, const TRect& r, int inside, int border)
{
    Fill(s, r, inside);
    Outline(s, r, border);
    HLine(s, r.Left + 1, r.Right - 1, r.Top + 1, Mix(inside, Black, 0.35));
}

// Pixel art: one string per row, one character per pixel; characters not in the legend are left alone.
void Art(TSurface& s, int x, int y, const std::vector<std::string>& rows, const std::map<char, int>& legend)
{
    for (std::size_t j = 0; j < rows.size(); ++j)
        for (std::size_t i = 0; i < rows[j].size(); ++i) {
            const auto it = legend.find(rows[j][i]);
            if (it != legend.end()) Dot(s, x + static_cast<int>(i), y + static_cast<int>(j), it->second);
        }
}

// A filled triangle pointing left, right, up or down, centred in r.
enum class TArrow { Left, Right, Up, Down };
void Arrow(TSurface& s, const TRect& r, TArrow dir, int color)
{
    const int cx = r.Left + r.Width() / 2;
    const int cy = r.Top + r.Height() / 2;
    for (int i = 0; i < 4; ++i) {
        switch (dir) {
        case TArrow::Down: HLine(s, cx - 3 + i, cx + 4 - i, cy - 2 + i, color); break;
        case TArrow::Up: HLine(s, cx - 3 + i, cx + 4 - i, cy + 1 - i, color); break;
        case TArrow::Right: VLine(s, cx - 2 + i, cy - 3 + i, cy + 4 - i, color); break;
        case TArrow::Left: VLine(s, cx + 1 - i, cy - 3 + i, cy + 4 - i, color); break;
        }
    }
}

// ---- the skin ini, written next to the pictures it describes --------------------------------------

std::string R(const TRect& r)
{
    return std::to_string(r.Left) + "," + std::to_string(r.Top) + "," + std::to_string(r.Right) + "," +
           std::to_string(r.Bottom);
}
std::string P(int x, int y) { return std::to_string(x) + "," + std::to_string(y); }
TRect At(int x, int y, int w, int h) { return TRect{x, y, x + w, y + h}; }

// An ini text kept section by section, so that the entries painted for one skin can be taken into
// another one with a few of their keys changed.
class TIni {
public:
    struct TSection {
        std::string Name;
        std::vector<std::pair<std::string, std::string>> Keys;
    };

    void Section(const std::string& name) { FSections.push_back({name, {}}); }
    void Key(const std::string& key, const std::string& value) { FSections.back().Keys.emplace_back(key, value); }
    void Key(const std::string& key, int value) { Key(key, std::to_string(value)); }
    void Rect(const std::string& key, const TRect& r) { Key(key, R(r)); }
    // The frame of a nine-part look: the inner corners and the client area, relative to the look's
    // rectangle, inset by the same margin on every side.
    void Frame9(const TRect& skin, int l, int t, int r, int b, bool stretchClient)
    {
        const int w = skin.Width();
        const int h = skin.Height();
        Key("lefttoppoint", P(l, t));
        Key("righttoppoint", P(w - r, t));
        Key("leftbottompoint", P(l, h - b));
        Key("rightbottompoint", P(w - r, h - b));
        Key("clientrect", R(TRect{l, t, w - r, h - b}));
        Key("leftstretch", 1);
        Key("topstretch", 1);
        Key("rightstretch", 1);
        Key("bottomstretch", 1);
        Key("stretcheffect", stretchClient ? 1 : 0);
        Key("stretchtype", "stfull");
    }
    void Font(const std::string& prefix, int height, const std::string& style, int color)
    {
        Key(prefix + "fontname", "Arial");
        Key(prefix + "fontheight", height);
        Key(prefix + "fontstyle", style);
        Key(prefix + "fontcolor", color);
    }
    // Adds a copy of another text's section, each key of Changes set to its value (added when the
    // section has no such key).
    void CopySection(const TIni& from, const std::string& name,
                     const std::vector<std::pair<std::string, std::string>>& changes = {})
    {
        const auto found = std::find_if(from.FSections.begin(), from.FSections.end(),
                                        [&](const TSection& s) { return s.Name == name; });
        if (found == from.FSections.end()) throw std::logic_error("no section [" + name + "] to copy");
        FSections.push_back(*found);
        for (const auto& [key, value] : changes) {
            auto& keys = FSections.back().Keys;
            const auto k = std::find_if(keys.begin(), keys.end(), [&](const auto& kv) { return kv.first == key; });
            if (k != keys.end()) k->second = value;
            else keys.emplace_back(key, value);
        }
    }
    std::string Text() const
    {
        std::string out;
        for (const TSection& section : FSections) {
            out += (out.empty() ? "[" : "\n[") + section.Name + "]\n";
            for (const auto& [key, value] : section.Keys) out += key + "=" + value + "\n";
        }
        return out;
    }

private:
    std::vector<TSection> FSections;
};

std::string BmpBytes(const TSurface& s)
{
    const std::vector<std::uint8_t> bytes = EncodeBmp(s, 24);
    return std::string(bytes.begin(), bytes.end());
}

// ---- the looks ------------------------------------------------------------------------------------

// Active picture indexes.
constexpr int ControlsPicture = 0;
constexpr int FramePartsPicture = 1;
constexpr int MenuPicture = 2;
constexpr int HintPicture = 3;

struct TSlateBuilder {
    TSurface Frame{240, 150};
    TSurface Mask{240, 150};
    TSurface Controls{320, 520};
    TSurface Parts{200, 130};
    TSurface Menu{64, 64};
    TSurface Hint{48, 32};
    TIni Ini;       // [POPUPWINDOW] and [HINTWINDOW]
    std::vector<std::string> ControlEntries;
    std::vector<std::string> ObjectEntries;
    TIni Entries;   // the entry sections, gathered while the pictures are painted

    void Control(const std::string& name, const std::string& kind)
    {
        ControlEntries.push_back(name + ":" + kind);
        Entries.Section(name);
    }
    void Object(const std::string& name, const std::string& kind)
    {
        ObjectEntries.push_back(name + ":" + kind);
        Entries.Section(name);
    }

    void PaintFrame();
    void PaintCaptionButtons();
    void PaintMenuAndHint();
    void PaintButtons();
    void PaintCheckRadio();
    void PaintGauges();
    void PaintPanels();
    void PaintEditsAndLists();
    void PaintScrollBars();
    void PaintSlider();
    void PaintUpDowns();
    void PaintGridAndViews();
    std::string IniText();
};

// The window: a 28-pixel caption with a blue rule under it, 4-pixel borders, rounded top corners.
void TSlateBuilder::PaintFrame()
{
    TSurface& s = Frame;
    const int w = s.Width();
    const int h = s.Height();
    Fill(s, s.Bounds(), Face);
    VGradient(s, TRect{0, 0, w, 27}, CaptionTop, CaptionBottom);
    HLine(s, 0, w, 26, AccentDark);
    HLine(s, 0, w, 27, Mix(AccentDark, FrameBorder, 0.5));
    Fill(s, TRect{0, 28, 4, h}, FrameBorder);
    Fill(s, TRect{w - 4, 28, w, h}, FrameBorder);
    Fill(s, TRect{0, h - 4, w, h}, FrameBorder);
    VLine(s, 3, 28, h - 3, Rgb(48, 55, 68));
    VLine(s, w - 4, 28, h - 3, Rgb(48, 55, 68));
    HLine(s, 3, w - 3, h - 4, Rgb(48, 55, 68));
    Outline(s, s.Bounds(), Border);
    HLine(s, 2, w - 2, 1, Rgb(78, 88, 106));

    // Black belongs to the window; the white corners are cut away.
    Fill(Mask, Mask.Bounds(), Black);
    const int cut[6] = {5, 3, 2, 1, 1, 0};
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < cut[y]; ++x) {
            Dot(Mask, x, y, White);
            Dot(Mask, w - 1 - x, y, White);
            Dot(s, x, y, Border);
            Dot(s, w - 1 - x, y, Border);
        }
    Dot(Mask, 0, h - 1, White);
    Dot(Mask, w - 1, h - 1, White);
}

// Caption buttons: 18 x 18 cells in the frame-parts picture, one row per button: normal, hot, pressed,
// window inactive.
void TSlateBuilder::PaintCaptionButtons()
{
    TSurface& s = Parts;
    enum { CloseRow, MaxRow, RestoreRow, MinRow, SysRow };
    auto cell = [](int row, int state) { return At(state * 18, row * 18, 18, 18); };
    auto glyph = [&](int row, const TRect& c, int color) {
        const int x = c.Left;
        const int y = c.Top;
        switch (row) {
        case CloseRow:
            for (int i = 0; i < 8; ++i) {
                Dot(s, x + 5 + i, y + 5 + i, color);
                Dot(s, x + 6 + i, y + 5 + i, color);
                Dot(s, x + 12 - i, y + 5 + i, color);
                Dot(s, x + 13 - i, y + 5 + i, color);
            }
            break;
        case MaxRow:
            Outline(s, TRect{x + 5, y + 5, x + 13, y + 13}, color);
            HLine(s, x + 5, x + 13, y + 6, color);
            break;
        case RestoreRow:
            Outline(s, TRect{x + 7, y + 4, x + 14, y + 11}, color);
            // The front window hides the back one: filled with what lies behind the glyph.
            Fill(s, TRect{x + 4, y + 7, x + 11, y + 14}, static_cast<int>(PixelToColor(s.Pixel(x + 2, y + 9))));
            Outline(s, TRect{x + 4, y + 7, x + 11, y + 14}, color);
            HLine(s, x + 4, x + 11, y + 8, color);
            break;
        case MinRow:
            Fill(s, TRect{x + 5, y + 11, x + 13, y + 13}, color);
            break;
        case SysRow:
            // The program's mark: a play triangle in a ring.
            Outline(s, TRect{x + 3, y + 3, x + 15, y + 15}, AccentLight);
            RoundCorners(s, TRect{x + 3, y + 3, x + 15, y + 15}, PixelToColor(s.Pixel(x + 1, y + 1)));
            Arrow(s, TRect{x + 4, y + 4, x + 15, y + 14}, TArrow::Right, color);
            break;
        }
    };
    for (int row = CloseRow; row <= SysRow; ++row) {
        for (int state = 0; state < 4; ++state) {
            const TRect c = cell(row, state);
            // The caption gradient behind the button, so that the cells sit on the frame unseen.
            VGradient(s, c, Mix(CaptionTop, CaptionBottom, 5.0 / 26), Mix(CaptionTop, CaptionBottom, 22.0 / 26));
            const bool close = row == CloseRow;
            if (state == 1) Box(s, c, close ? CloseHot : HotTop, close ? CloseDown : HotBottom, Border, -1, CaptionTop);
            if (state == 2) Box(s, c, close ? CloseDown : DownTop, close ? CloseDown : DownBottom, Border, -1, CaptionTop);
            glyph(row, c, state == 3 ? TextDim : state == 0 ? GlyphDim : White);
        }
    }
}

void TSlateBuilder::PaintMenuAndHint()
{
    // Popup menu window: a dark field with a light outline and a blue rule on the left.
    Fill(Menu, Menu.Bounds(), FaceDark);
    Outline(Menu, Menu.Bounds(), FieldBorder);
    VLine(Menu, 1, 1, 63, AccentDark);
    RoundCorners(Menu, Menu.Bounds(), Border);
    Ini.Section("POPUPWINDOW");
    Ini.Key("windowpictureindex", MenuPicture);
    Ini.Key("maskpictureindex", -1);
    Ini.Key("lefttoppoint", P(4, 4));
    Ini.Key("righttoppoint", P(60, 4));
    Ini.Key("leftbottompoint", P(4, 60));
    Ini.Key("rightbottompoint", P(60, 60));
    Ini.Rect("itemsrect", TRect{3, 3, 61, 61});
    Ini.Key("scrollmarkercolor", TextDim);
    Ini.Key("scrollmarkeractivecolor", AccentLight);
    Ini.Key("cursorindex", -1);
    Ini.Key("leftstretch", 1);
    Ini.Key("rightstretch", 1);
    Ini.Key("topstretch", 1);
    Ini.Key("bottomstretch", 1);
    Ini.Key("stretcheffect", 1);
    Ini.Key("stretchtype", "stfull");

    // Hint window: slate with an accent outline.
    VGradient(Hint, Hint.Bounds(), Rgb(58, 66, 80), Rgb(44, 50, 61));
    Outline(Hint, Hint.Bounds(), AccentDark);
    RoundCorners(Hint, Hint.Bounds(), Border);
    Ini.Section("HINTWINDOW");
    Ini.Key("windowpictureindex", HintPicture);
    Ini.Key("maskpictureindex", -1);
    Ini.Key("lefttoppoint", P(4, 4));
    Ini.Key("righttoppoint", P(44, 4));
    Ini.Key("leftbottompoint", P(4, 28));
    Ini.Key("rightbottompoint", P(44, 28));
    Ini.Rect("clientrect", TRect{4, 4, 44, 28});
    Ini.Font("", 14, "", Text);
    Ini.Key("leftstretch", 1);
    Ini.Key("rightstretch", 1);
    Ini.Key("topstretch", 1);
    Ini.Key("bottomstretch", 1);
    Ini.Key("stretcheffect", 1);
    Ini.Key("stretchtype", "stfull");

    // Menu items, in the frame-parts picture: normal (the menu's own colour), highlighted, separator,
    // and the check, radio and submenu glyphs for both looks.
    TSurface& s = Parts;
    const TRect item = At(80, 0, 64, 20);
    const TRect hot = At(80, 20, 64, 20);
    const TRect divider = At(80, 40, 64, 6);
    Fill(s, item, FaceDark);
    Box(s, hot, Accent, AccentDark, AccentDark, -1, FaceDark);
    Fill(s, divider, FaceDark);
    HLine(s, divider.Left + 4, divider.Right - 4, divider.Top + 2, Border);
    HLine(s, divider.Left + 4, divider.Right - 4, divider.Top + 3, FieldBorder);
    const TRect check = At(150, 0, 12, 12), checkHot = At(162, 0, 12, 12);
    const TRect radio = At(150, 12, 12, 12), radioHot = At(162, 12, 12, 12);
    const TRect arrow = At(150, 24, 12, 12), arrowHot = At(162, 24, 12, 12);
    for (const TRect& r : {check, radio, arrow}) Fill(s, r, FaceDark);
    for (const TRect& r : {checkHot, radioHot, arrowHot}) Fill(s, r, Mix(Accent, AccentDark, 0.5));
    const std::vector<std::string> tick = {"          ", "        ##", "       ## ", "#     ##  ", "##   ##   ",
                                           " ## ##    ", "  ###     ", "   #      "};
    Art(s, check.Left + 1, check.Top + 2, tick, {{'#', Text}});
    Art(s, checkHot.Left + 1, checkHot.Top + 2, tick, {{'#', White}});
    const std::vector<std::string> dot = {" ## ", "####", "####", " ## "};
    Art(s, radio.Left + 4, radio.Top + 4, dot, {{'#', Text}});
    Art(s, radioHot.Left + 4, radioHot.Top + 4, dot, {{'#', White}});
    Arrow(s, arrow, TArrow::Right, Text);
    Arrow(s, arrowHot, TArrow::Right, White);

    Object("menuitem", "menuitem");
    Entries.Key("activepictureindex", FramePartsPicture);
    Entries.Rect("skinrect", item);
    Entries.Rect("activeskinrect", hot);
    Entries.Key("morphing", 0);
    Entries.Key("itemleftoffset", 3);
    Entries.Key("itemrightoffset", 3);
    Entries.Rect("dividerrect", divider);
    Entries.Key("dividerleftoffset", 4);
    Entries.Key("dividerrightoffset", 4);
    Entries.Rect("textrect", TRect{24, 0, 56, 20});
    Entries.Rect("imagerect", TRect{4, 2, 20, 18});
    Entries.Font("", 14, "", Text);
    Entries.Key("activefontcolor", White);
    Entries.Key("unenabledfontcolor", TextDim);
    Entries.Key("stretcheffect", 0);
    Entries.Key("inactivestretcheffect", 0);
    Entries.Key("dividerstretcheffect", 0);
    Entries.Key("useimagecolor", 0);
    Entries.Rect("checkimagerect", check);
    Entries.Rect("activecheckimagerect", checkHot);
    Entries.Rect("radioimagerect", radio);
    Entries.Rect("activeradioimagerect", radioHot);
    Entries.Rect("arrowimagerect", arrow);
    Entries.Rect("activearrowimagerect", arrowHot);
}

// Push buttons, speed buttons and column headers: one row of looks each, side by side.
void TSlateBuilder::PaintButtons()
{
    TSurface& s = Controls;
    auto buttonRow = [&](int y, int h, bool tool, bool header) {
        const TRect normal = At(0, y, 64, h), hot = At(64, y, 64, h), down = At(128, y, 64, h);
        const TRect disabled = At(192, y, 64, h), focused = At(256, y, 64, h);
        if (header) {
            VGradient(s, normal, FaceLight, Face);
            VGradient(s, hot, HotTop, HotBottom);
            VGradient(s, down, DownTop, DownBottom);
            for (const TRect& r : {normal, hot, down}) {
                HLine(s, r.Left, r.Right, r.Bottom - 1, Border);
                VLine(s, r.Right - 1, r.Top + 3, r.Bottom - 3, Border);
                VLine(s, r.Left, r.Top + 3, r.Bottom - 3, ButtonLine);
            }
            return;
        }
        if (tool) {
            // Speed buttons lie flat on their panel until the pointer comes.
            Box(s, normal, Mix(Face, ButtonTop, 0.5), Face, Rgb(34, 38, 46), -1, Face);
            Box(s, hot, HotTop, HotBottom, AccentDark, HotLine, Face);
            Box(s, down, AccentDark, Rgb(30, 74, 130), Border, -1, Face);
            Box(s, disabled, Face, Face, Face, -1, Face);
            Box(s, focused, Mix(Face, ButtonTop, 0.5), Face, Accent, -1, Face);
        } else {
            Box(s, normal, ButtonTop, ButtonBottom, Border, ButtonLine, Face);
            Box(s, hot, HotTop, HotBottom, AccentDark, HotLine, Face);
            Box(s, down, DownTop, DownBottom, Border, -1, Face);
            Box(s, disabled, DisabledFace, DisabledFace, DisabledBorder, -1, Face);
            Box(s, focused, ButtonTop, ButtonBottom, Accent, ButtonLine, Face);
        }
    };
    auto buttonKeys = [&](int y, int h, const std::string& style) {
        Entries.Key("pictureindex", ControlsPicture);
        Entries.Rect("skinrect", At(0, y, 64, h));
        Entries.Frame9(At(0, y, 64, h), 4, 4, 4, 4, true);
        Entries.Font("", 14, style, Text);
        Entries.Key("activefontcolor", White);
        Entries.Key("downfontcolor", Rgb(196, 208, 224));
        Entries.Key("disabledfontcolor", TextDim);
        Entries.Key("morphing", 1);
        Entries.Key("morphkind", "mkdefault");
        Entries.Rect("activeskinrect", At(64, y, 64, h));
        Entries.Rect("downskinrect", At(128, y, 64, h));
        Entries.Rect("disabledskinrect", At(192, y, 64, h));
        Entries.Rect("focusedskinrect", At(256, y, 64, h));
        Entries.Key("showfocus", 0);
    };
    buttonRow(0, 24, false, false);
    Control("button", "button");
    buttonKeys(0, 24, "");

    buttonRow(24, 24, true, false);
    Control("toolbutton", "button");
    buttonKeys(24, 24, "fsbold");

    // The drop-down marker of menu buttons: a small arrow, transparent on the key colour.
    const TRect markers[3] = {At(200, 52, 9, 6), At(212, 52, 9, 6), At(224, 52, 9, 6)};
    const int markerColors[3] = {GlyphDim, White, Rgb(196, 208, 224)};
    for (int i = 0; i < 3; ++i) {
        Fill(s, markers[i], Key);
        for (int j = 0; j < 4; ++j) HLine(s, markers[i].Left + 1 + j, markers[i].Right - 1 - j, markers[i].Top + 1 + j, markerColors[i]);
    }
    Control("toolmenubutton", "menubutton");
    buttonKeys(24, 24, "");
    Entries.Rect("menumarkerflatrect", markers[0]);
    Entries.Rect("menumarkerrect", markers[0]);
    Entries.Rect("menumarkeractiverect", markers[1]);
    Entries.Rect("menumarkerdownrect", markers[2]);
    Entries.Key("menumarkertransparentcolor", Key);
    Entries.Rect("trackbuttonrect", TRect{48, 0, 64, 24});

    buttonRow(48, 20, false, true);
    Control("resizebutton", "button");
    Entries.Key("pictureindex", ControlsPicture);
    Entries.Rect("skinrect", At(0, 48, 64, 20));
    Entries.Frame9(At(0, 48, 64, 20), 3, 3, 3, 3, true);
    Entries.Font("", 14, "", Text);
    Entries.Key("activefontcolor", White);
    Entries.Key("downfontcolor", Rgb(196, 208, 224));
    Entries.Key("disabledfontcolor", TextDim);
    Entries.Rect("activeskinrect", At(64, 48, 64, 20));
    Entries.Rect("downskinrect", At(128, 48, 64, 20));
}

// Check and radio boxes share one background (the panel colour) and have their own 14 x 14 glyphs.
void TSlateBuilder::PaintCheckRadio()
{
    TSurface& s = Controls;
    const TRect back = At(0, 72, 120, 20);
    Fill(s, back, Face);
    auto box = [&](int i, int y) { return At(128 + i * 16, y, 14, 14); };
    // Glyph order: unchecked, checked, hot unchecked, hot checked, disabled unchecked, disabled checked,
    // grayed.
    const std::vector<std::string> tick = {"        ", "       #", "      ##", "#    ## ", "##  ##  ", " ####   ", "  ##    "};
    for (int i = 0; i < 7; ++i) {
        const TRect r = box(i, 75);
        Fill(s, At(r.Left - 1, r.Top - 1, 16, 16), Face);
        const bool hot = i == 2 || i == 3;
        const bool off = i == 4 || i == 5;
        const bool checked = i == 1 || i == 3 || i == 5;
        Sunken(s, r, off ? DisabledFace : Field, hot ? Accent : off ? DisabledBorder : FieldBorder);
        RoundCorners(s, r, Face);
        if (checked) {
            const TRect mark = TRect{r.Left + 2, r.Top + 2, r.Right - 2, r.Bottom - 2};
            if (!off) Fill(s, mark, hot ? AccentLight : Accent);
            Art(s, r.Left + 3, r.Top + 3, tick, {{'#', off ? TextDim : White}});
        }
        if (i == 6) Fill(s, TRect{r.Left + 4, r.Top + 6, r.Right - 4, r.Bottom - 6}, Accent);
    }
    const std::vector<std::string> ring = {"    ####    ", "  ##    ##  ", " #        # ", " #        # ", "#          #",
                                           "#          #", "#          #", "#          #", " #        # ", " #        # ",
                                           "  ##    ##  ", "    ####    "};
    const std::vector<std::string> disc = {"    ", " ## ", "####", "####", " ## "};
    for (int i = 0; i < 6; ++i) {
        const TRect r = box(i, 95);
        Fill(s, At(r.Left - 1, r.Top - 1, 16, 16), Face);
        const bool hot = i == 2 || i == 3;
        const bool off = i == 4 || i == 5;
        const bool checked = i == 1 || i == 3 || i == 5;
        std::vector<std::string> inside = ring;
        for (std::size_t y = 1; y + 1 < inside.size(); ++y) {
            const std::size_t a = inside[y].find('#'), b = inside[y].rfind('#');
            for (std::size_t x = a + 1; x < b; ++x) inside[y][x] = '.';
        }
        Art(s, r.Left + 1, r.Top + 1, inside, {{'.', off ? DisabledFace : Field}, {'#', hot ? Accent : off ? DisabledBorder : FieldBorder}});
        if (checked) Art(s, r.Left + 5, r.Top + 4, disc, {{'#', off ? TextDim : hot ? AccentLight : Accent}});
    }
    auto keys = [&](int y) {
        Entries.Key("pictureindex", ControlsPicture);
        Entries.Rect("skinrect", back);
        Entries.Frame9(back, 2, 2, 2, 2, true);
        Entries.Font("", 14, "", Text);
        Entries.Key("activefontcolor", White);
        Entries.Key("unenabledfontcolor", TextDim);
        Entries.Key("framefontcolor", Text);
        Entries.Key("morphing", 0);
        Entries.Rect("checkimagearea", TRect{3, 3, 17, 17});
        Entries.Rect("textarea", TRect{22, 0, 118, 20});
        Entries.Rect("checkimagerect", box(1, y));
        Entries.Rect("uncheckimagerect", box(0, y));
        Entries.Rect("activecheckimagerect", box(3, y));
        Entries.Rect("activeuncheckimagerect", box(2, y));
        Entries.Rect("unenabledcheckimagerect", box(5, y));
        Entries.Rect("unenableduncheckimagerect", box(4, y));
        if (y == 75) Entries.Rect("grayedcheckimagerect", box(6, y));
    };
    Control("checkbox", "checkradio");
    keys(75);
    Control("radiobox", "checkradio");
    keys(95);
}

// Progress bars: a dark track with a striped blue fill, horizontal, status-line sized and upright.
void TSlateBuilder::PaintGauges()
{
    TSurface& s = Controls;
    auto stripes = [&](const TRect& piece, bool vertical) {
        VGradient(s, piece, AccentLight, AccentDark);
        if (vertical) HGradient(s, piece, AccentLight, AccentDark);
        for (int y = piece.Top; y < piece.Bottom; ++y)
            for (int x = piece.Left; x < piece.Right; ++x) {
                const int u = vertical ? (y - piece.Top) + (x - piece.Left) : (x - piece.Left) + (y - piece.Top);
                if (u % 8 < 3) Dot(s, x, y, Mix(PixelToColor(s.Pixel(x, y)), White, 0.12));
            }
    };
    auto gauge = [&](const std::string& name, const TRect& skin, const TRect& piece, bool vertical, int fontHeight,
                     const std::string& style) {
        Sunken(s, skin, Field, FieldBorder);
        RoundCorners(s, skin, Face);
        stripes(piece, vertical);
        Control(name, "gauge");
        Entries.Key("pictureindex", ControlsPicture);
        Entries.Rect("skinrect", skin);
        Entries.Frame9(skin, 3, 3, 3, 3, true);
        Entries.Rect("progressarea", TRect{2, 2, skin.Width() - 2, skin.Height() - 2});
        Entries.Rect("progressrect", piece);
        Entries.Key("beginoffset", 0);
        Entries.Key("endoffset", 0);
        Entries.Key("vertical", vertical ? 1 : 0);
        Entries.Font("", fontHeight, style, Text);
        Entries.Key("progressstretch", 0);
    };
    gauge("gauge", At(0, 112, 96, 18), SlateLayout::GaugeProgress, false, 13, "");
    gauge("statusgauge", At(0, 132, 200, 22), At(204, 134, 32, 18), false, 14, "");
    gauge("vgauge", At(0, 156, 18, 96), At(20, 158, 14, 32), true, 13, "");
}

// Panels and their relatives: nine-part boxes whose middle is the panel colour.
void TSlateBuilder::PaintPanels()
{
    TSurface& s = Controls;
    const TRect panel = SlateLayout::Panel;
    Fill(s, panel, Face);
    Outline(s, panel, Rgb(30, 34, 42));
    HLine(s, panel.Left + 1, panel.Right - 1, panel.Top + 1, FaceLight);
    VLine(s, panel.Left + 1, panel.Top + 1, panel.Bottom - 1, FaceLight);
    Control("panel", "panel");
    Entries.Key("pictureindex", ControlsPicture);
    Entries.Rect("skinrect", panel);
    Entries.Frame9(panel, 4, 4, 4, 4, false);
    Entries.Key("bgpictureindex", -1);
    Entries.Rect("captionrect", TRect{4, 4, 44, 44});
    Entries.Key("alignment", "tacenter");
    Entries.Font("", 14, "", Text);

    // Group box: a thin outline with a caption band at the top.
    const TRect group = At(92, 156, 48, 48);
    Fill(s, group, Face);
    Outline(s, TRect{group.Left + 1, group.Top + 8, group.Right - 1, group.Bottom - 1}, FieldBorder);
    Fill(s, TRect{group.Left + 1, group.Top, group.Right - 1, group.Top + 17}, FaceLight);
    HLine(s, group.Left + 1, group.Right - 1, group.Top + 17, AccentDark);
    RoundCorners(s, TRect{group.Left + 1, group.Top, group.Right - 1, group.Top + 18}, Face);
    Control("groupbox", "panel");
    Entries.Key("pictureindex", ControlsPicture);
    Entries.Rect("skinrect", group);
    Entries.Key("lefttoppoint", P(6, 20));
    Entries.Key("righttoppoint", P(42, 20));
    Entries.Key("leftbottompoint", P(6, 42));
    Entries.Key("rightbottompoint", P(42, 42));
    Entries.Rect("clientrect", TRect{6, 20, 42, 42});
    Entries.Key("leftstretch", 1);
    Entries.Key("topstretch", 1);
    Entries.Key("rightstretch", 1);
    Entries.Key("bottomstretch", 1);
    Entries.Key("stretcheffect", 0);
    Entries.Key("bgpictureindex", -1);
    Entries.Rect("captionrect", TRect{6, 1, 42, 17});
    Entries.Key("alignment", "taleftjustify");
    Entries.Font("", 14, "fsbold", Text);

    // Status bar and tool panel: bands with a rule on the side that meets the window.
    const TRect status = At(144, 156, 48, 22);
    VGradient(s, status, Rgb(36, 41, 50), FaceDark);
    HLine(s, status.Left, status.Right, status.Top, Border);
    HLine(s, status.Left, status.Right, status.Top + 1, FaceLight);
    Control("statusbar", "panel");
    Entries.Key("pictureindex", ControlsPicture);
    Entries.Rect("skinrect", status);
    Entries.Frame9(status, 4, 3, 4, 2, true);
    Entries.Key("bgpictureindex", -1);
    Entries.Rect("captionrect", TRect{6, 3, 42, 20});
    Entries.Key("alignment", "taleftjustify");
    Entries.Font("", 13, "", TextDim);

    const TRect tool = At(196, 156, 48, 26);
    VGradient(s, tool, FaceLight, Face);
    HLine(s, tool.Left, tool.Right, tool.Bottom - 1, Border);
    for (int y = tool.Top + 6; y < tool.Bottom - 6; y += 3) Dot(s, tool.Left + 3, y, TextDim);
    Control("toolpanel", "panel");
    Entries.Key("pictureindex", ControlsPicture);
    Entries.Rect("skinrect", tool);
    Entries.Frame9(tool, 6, 2, 2, 2, true);
    Entries.Key("bgpictureindex", -1);
    Entries.Rect("captionrect", TRect{8, 2, 46, 24});
    Entries.Key("alignment", "taleftjustify");
    Entries.Font("", 14, "", Text);
    Entries.Rect("gripperrect", At(tool.Left + 2, tool.Top + 4, 3, 18));

    // The queue's scroll box: a sunken well a shade darker than the panels.
    const TRect well = At(248, 156, 48, 48);
    Sunken(s, well, Rgb(34, 38, 46), Border);
    Control("scrollbox", "scrollbox");
    Entries.Key("pictureindex", ControlsPicture);
    Entries.Rect("skinrect", well);
    Entries.Frame9(well, 2, 2, 2, 2, true);
    Entries.Key("bgpictureindex", -1);
}

// Edits, the combo box and list boxes: sunken fields with a blue outline when active.
void TSlateBuilder::PaintEditsAndLists()
{
    TSurface& s = Controls;
    const TRect edit = At(0, 256, 64, 22), editHot = At(64, 256, 64, 22);
    Sunken(s, edit, Field, FieldBorder);
    Sunken(s, editHot, Field, Accent);
    RoundCorners(s, edit, Face);
    RoundCorners(s, editHot, Face);
    auto editKeys = [&](int fontHeight) {
        Entries.Key("pictureindex", ControlsPicture);
        Entries.Rect("skinrect", edit);
        Entries.Frame9(edit, 3, 3, 3, 3, true);
        Entries.Rect("activeskinrect", editHot);
        Entries.Font("", fontHeight, "", Text);
        Entries.Key("disabledfontcolor", TextDim);
        Entries.Key("activefontcolor", White);
    };
    Control("edit", "edit");
    editKeys(14);
    Control("tooledit", "edit");
    editKeys(14);
    Control("memo", "memo");
    editKeys(14);
    Entries.Key("bgcolor", Field);
    Entries.Key("activebgcolor", Rgb(30, 34, 42));

    // Combo box: a field with a button cell at its right end.
    const TRect combo = At(128, 256, 96, 22), comboHot = At(224, 256, 96, 22);
    for (const TRect& r : {combo, comboHot}) {
        const bool hot = r.Left == comboHot.Left;
        Sunken(s, r, Field, hot ? Accent : FieldBorder);
        Box(s, TRect{r.Right - 19, r.Top + 2, r.Right - 2, r.Bottom - 2}, hot ? HotTop : ButtonTop,
            hot ? HotBottom : ButtonBottom, hot ? AccentDark : Border, -1, Field);
        Arrow(s, TRect{r.Right - 19, r.Top + 2, r.Right - 2, r.Bottom - 2}, TArrow::Down, hot ? White : GlyphDim);
        RoundCorners(s, r, Face);
    }
    const TRect comboButtons[3] = {At(64, 300, 17, 18), At(82, 300, 17, 18), At(100, 300, 17, 18)};
    Box(s, comboButtons[0], HotTop, HotBottom, AccentDark, -1, Field);
    Box(s, comboButtons[1], DownTop, DownBottom, Border, -1, Field);
    Box(s, comboButtons[2], DisabledFace, DisabledFace, DisabledBorder, -1, Field);
    Arrow(s, comboButtons[0], TArrow::Down, White);
    Arrow(s, comboButtons[1], TArrow::Down, AccentLight);
    Arrow(s, comboButtons[2], TArrow::Down, TextDim);
    const TRect fieldPiece = At(130, 259, 74, 16);   // the text field of the normal look
    const TRect focusPiece = At(0, 320, 74, 16);
    Box(s, focusPiece, Accent, AccentDark, AccentDark, -1, Field);
    Control("combobox", "combobox");
    Entries.Key("pictureindex", ControlsPicture);
    Entries.Rect("skinrect", combo);
    Entries.Frame9(combo, 3, 3, 20, 3, true);
    Entries.Rect("activeskinrect", comboHot);
    Entries.Rect("itemrect", fieldPiece);
    Entries.Rect("activeitemrect", fieldPiece);
    Entries.Rect("focusitemrect", focusPiece);
    Entries.Key("itemleftoffset", 2);
    Entries.Key("itemrightoffset", 2);
    Entries.Rect("itemtextrect", TRect{3, 0, 71, 16});
    Entries.Font("", 14, "", Text);
    Entries.Key("focusfontcolor", White);
    Entries.Key("activefontcolor", Text);
    Entries.Key("listboxname", "listbox");
    Entries.Rect("buttonrect", TRect{77, 2, 94, 20});
    Entries.Rect("activebuttonrect", comboButtons[0]);
    Entries.Rect("downbuttonrect", comboButtons[1]);
    Entries.Rect("unenabledbuttonrect", comboButtons[2]);
    Entries.Key("itemstretcheffect", 0);
    Entries.Key("focusitemstretcheffect", 0);
    Entries.Key("showfocus", 0);

    // List box: a field; items are plain on it, the chosen one blue.
    const TRect list = At(0, 280, 64, 40);
    Sunken(s, list, Field, FieldBorder);
    RoundCorners(s, list, Face);
    const TRect item = At(128, 300, 60, 18), itemHot = At(188, 300, 60, 18), itemFocus = At(248, 300, 60, 18);
    Fill(s, item, Field);
    Fill(s, itemHot, Rgb(40, 58, 84));
    Box(s, itemFocus, Accent, AccentDark, AccentDark, -1, Field);
    Control("listbox", "listbox");
    Entries.Key("pictureindex", ControlsPicture);
    Entries.Rect("skinrect", list);
    Entries.Frame9(list, 2, 2, 2, 2, true);
    Entries.Rect("itemrect", item);
    Entries.Rect("activeitemrect", itemHot);
    Entries.Rect("focusitemrect", itemFocus);
    Entries.Key("itemleftoffset", 2);
    Entries.Key("itemrightoffset", 2);
    Entries.Rect("itemtextrect", TRect{4, 0, 56, 18});
    Entries.Font("", 14, "", Text);
    Entries.Key("activefontcolor", White);
    Entries.Key("focusfontcolor", White);
    Entries.Key("vscrollbarname", "vscrollbar");
    Entries.Key("hscrollbarname", "hscrollbar");
    Entries.Key("bothhscrollbarname", "bothhscrollbar");
    Entries.Key("showfocus", 0);

    Control("stdlabel", "stdlabel");
    Entries.Font("", 14, "", Text);
    Entries.Key("activefontcolor", AccentLight);
}

// Scroll bars: 16 pixels across, arrow buttons at the ends, a rounded thumb with a grip.
void TSlateBuilder::PaintScrollBars()
{
    TSurface& s = Controls;
    auto button = [&](const TRect& r, int state, TArrow dir) {
        const int top[3] = {ButtonTop, HotTop, DownTop};
        const int bottom[3] = {ButtonBottom, HotBottom, DownBottom};
        Box(s, r, top[state], bottom[state], state == 1 ? AccentDark : Border, -1, Field);
        Arrow(s, r, dir, state == 0 ? GlyphDim : White);
    };
    auto thumb = [&](const TRect& r, int state) {
        const int top[3] = {Rgb(88, 98, 116), HotTop, Accent};
        const int bottom[3] = {Rgb(66, 74, 88), HotBottom, AccentDark};
        Fill(s, r, Field);
        Box(s, r, top[state], bottom[state], Border, -1, Field);
    };
    // Horizontal: down (left) button, track, up (right) button; the "both" bar adds the corner square.
    const TRect h = At(0, 344, 120, 16), both = At(120, 344, 136, 16);
    for (const TRect& r : {h, both}) {
        Fill(s, r, Field);
        HLine(s, r.Left, r.Right, r.Top, Border);
        button(At(r.Left, r.Top, 16, 16), 0, TArrow::Left);
        button(At(r.Left + 104, r.Top, 16, 16), 0, TArrow::Right);
    }
    Fill(s, At(both.Left + 120, both.Top, 16, 16), Face);
    const TRect hButtons[4] = {At(0, 362, 16, 16), At(16, 362, 16, 16), At(32, 362, 16, 16), At(48, 362, 16, 16)};
    button(hButtons[0], 1, TArrow::Right);
    button(hButtons[1], 2, TArrow::Right);
    button(hButtons[2], 1, TArrow::Left);
    button(hButtons[3], 2, TArrow::Left);
    const TRect hThumbs[3] = {At(64, 364, 32, 12), At(96, 364, 32, 12), At(128, 364, 32, 12)};
    for (int i = 0; i < 3; ++i) thumb(hThumbs[i], i);
    // The grip drawn on the thumb: three short ribs on the key colour.
    const TRect grips[3] = {At(164, 364, 9, 8), At(174, 364, 9, 8), At(184, 364, 9, 8)};
    for (int i = 0; i < 3; ++i) {
        Fill(s, grips[i], Key);
        for (int x = 1; x < 9; x += 3) VLine(s, grips[i].Left + x, grips[i].Top + 1, grips[i].Bottom - 1, i == 0 ? Rgb(40, 45, 54) : White);
    }
    // Vertical: the down button (it steps back) at the top, track, the up button (it steps forward) at
    // the bottom, as on the horizontal bar; so the up button's hot and pressed pictures show a down arrow.
    const TRect v = At(256, 344, 16, 120);
    Fill(s, v, Field);
    VLine(s, v.Left, v.Top, v.Bottom, Border);
    button(At(v.Left, v.Top, 16, 16), 0, TArrow::Up);
    button(At(v.Left, v.Top + 104, 16, 16), 0, TArrow::Down);
    const TRect vButtons[4] = {At(272, 344, 16, 16), At(288, 344, 16, 16), At(272, 360, 16, 16), At(288, 360, 16, 16)};
    button(vButtons[0], 1, TArrow::Down);
    button(vButtons[1], 2, TArrow::Down);
    button(vButtons[2], 1, TArrow::Up);
    button(vButtons[3], 2, TArrow::Up);
    const TRect vThumbs[3] = {At(274, 380, 12, 32), At(288, 380, 12, 32), At(302, 380, 12, 32)};
    for (int i = 0; i < 3; ++i) thumb(vThumbs[i], i);
    const TRect vGrips[3] = {At(274, 416, 8, 9), At(284, 416, 8, 9), At(294, 416, 8, 9)};
    for (int i = 0; i < 3; ++i) {
        Fill(s, vGrips[i], Key);
        for (int y = 1; y < 9; y += 3) HLine(s, vGrips[i].Left + 1, vGrips[i].Right - 1, vGrips[i].Top + y, i == 0 ? Rgb(40, 45, 54) : White);
    }

    auto keys = [&](const TRect& skin, bool horizontal) {
        Entries.Key("pictureindex", ControlsPicture);
        Entries.Rect("skinrect", skin);
        const int w = skin.Width(), hgt = skin.Height();
        // The far end's corner points lie a pixel inside the track: a button moves with the bar's length
        // only when it starts beyond them.
        if (horizontal) {
            Entries.Key("lefttoppoint", P(16, 0));
            Entries.Key("righttoppoint", P(103, 0));
            Entries.Key("leftbottompoint", P(16, hgt));
            Entries.Key("rightbottompoint", P(103, hgt));
            Entries.Rect("clientrect", TRect{16, 0, 104, hgt});
        } else {
            Entries.Key("lefttoppoint", P(0, 16));
            Entries.Key("righttoppoint", P(w, 16));
            Entries.Key("leftbottompoint", P(0, 103));
            Entries.Key("rightbottompoint", P(w, 103));
            Entries.Rect("clientrect", TRect{0, 16, w, 104});
        }
        Entries.Key("leftstretch", 1);
        Entries.Key("topstretch", 1);
        Entries.Key("rightstretch", 1);
        Entries.Key("bottomstretch", 1);
        Entries.Key("stretcheffect", 1);
        Entries.Key("stretchtype", "stfull");
        const TRect* buttons = horizontal ? hButtons : vButtons;
        const TRect* thumbs = horizontal ? hThumbs : vThumbs;
        const TRect* gripRects = horizontal ? grips : vGrips;
        if (horizontal) {
            Entries.Rect("trackarea", TRect{16, 0, 104, 16});
            Entries.Rect("upbuttonrect", TRect{104, 0, 120, 16});
            Entries.Rect("downbuttonrect", TRect{0, 0, 16, 16});
        } else {
            Entries.Rect("trackarea", TRect{0, 16, 16, 104});
            Entries.Rect("upbuttonrect", TRect{0, 104, 16, 120});
            Entries.Rect("downbuttonrect", TRect{0, 0, 16, 16});
        }
        Entries.Rect("activeupbuttonrect", buttons[0]);
        Entries.Rect("downupbuttonrect", buttons[1]);
        Entries.Rect("activedownbuttonrect", buttons[2]);
        Entries.Rect("downdownbuttonrect", buttons[3]);
        Entries.Rect("thumbrect", thumbs[0]);
        Entries.Rect("activethumbrect", thumbs[1]);
        Entries.Rect("downthumbrect", thumbs[2]);
        Entries.Key("thumboffset1", 4);
        Entries.Key("thumboffset2", 4);
        Entries.Key("thumbtransparent", 0);
        Entries.Key("thumbstretcheffect", 0);
        Entries.Key("thumbminsize", 0);
        Entries.Key("thumbminpagesize", 12);
        Entries.Rect("glyphrect", gripRects[0]);
        Entries.Rect("activeglyphrect", gripRects[1]);
        Entries.Rect("downglyphrect", gripRects[2]);
        Entries.Key("glyphtransparent", 1);
        Entries.Key("glyphtransparentcolor", Key);
    };
    Control("hscrollbar", "scrollbar");
    keys(h, true);
    Control("vscrollbar", "scrollbar");
    keys(v, false);
    Control("bothhscrollbar", "scrollbar");
    // The corner square belongs to the right end, so the stretchable middle is the same as the plain bar's.
    keys(both, true);
}

// The quality slider: a groove with a blue start and a round knob, both drawn on the key colour.
void TSlateBuilder::PaintSlider()
{
    TSurface& s = Controls;
    const TRect hRuler = At(0, 430, 60, 8), vRuler = At(100, 430, 8, 60);
    Fill(s, hRuler, Key);
    Fill(s, vRuler, Key);
    Box(s, TRect{hRuler.Left, hRuler.Top + 1, hRuler.Right, hRuler.Bottom - 1}, Border, Field, Border, -1, Key);
    Box(s, TRect{vRuler.Left + 1, vRuler.Top, vRuler.Right - 1, vRuler.Bottom}, Border, Field, Border, -1, Key);
    HLine(s, hRuler.Left + 2, hRuler.Right - 2, hRuler.Top + 3, AccentDark);
    VLine(s, vRuler.Left + 3, vRuler.Top + 2, vRuler.Bottom - 2, AccentDark);
    const std::vector<std::string> knob = {"   ######   ", "  #oooooo#  ", " #oooooooo# ", "#oooooooooo#", "#oooooooooo#",
                                           "#oooooooooo#", "#oooooooooo#", "#oooooooooo#", "#oooooooooo#", "#oooooooooo#",
                                           "#oooooooooo#", "#oooooooooo#", "#ooo....ooo#", " #oooooooo# ", "  #oooooo#  ",
                                           "   ######   "};
    const TRect hThumb = At(64, 430, 28, 18);   // two cells: normal, pressed
    Fill(s, hThumb, Key);
    Art(s, hThumb.Left + 1, hThumb.Top + 1, knob, {{'#', Border}, {'o', Rgb(190, 200, 214)}, {'.', Accent}});
    Art(s, hThumb.Left + 15, hThumb.Top + 1, knob, {{'#', Border}, {'o', AccentLight}, {'.', White}});
    std::vector<std::string> turned(12, std::string(16, ' '));
    for (std::size_t y = 0; y < knob.size(); ++y)
        for (std::size_t x = 0; x < knob[y].size(); ++x) turned[x][y] = knob[y][x];
    const TRect vThumb = At(112, 430, 36, 14);
    Fill(s, vThumb, Key);
    Art(s, vThumb.Left + 1, vThumb.Top + 1, turned, {{'#', Border}, {'o', Rgb(190, 200, 214)}, {'.', Accent}});
    Art(s, vThumb.Left + 19, vThumb.Top + 1, turned, {{'#', Border}, {'o', AccentLight}, {'.', White}});
    Control("slider", "slider");
    Entries.Key("bgcolor", Face);
    Entries.Rect("hrulerrect", hRuler);
    Entries.Rect("hthumbrect", hThumb);
    Entries.Rect("vrulerrect", vRuler);
    Entries.Rect("vthumbrect", vThumb);
    Entries.Key("edgesize", 3);
    Entries.Key("pointscolor", TextDim);
    Entries.Key("pictureindex", ControlsPicture);
}

void TSlateBuilder::PaintUpDowns()
{
    TSurface& s = Controls;
    auto button = [&](const TRect& r, int state, TArrow dir) {
        const int top[3] = {ButtonTop, HotTop, DownTop};
        const int bottom[3] = {ButtonBottom, HotBottom, DownBottom};
        Box(s, r, top[state], bottom[state], state == 1 ? AccentDark : Border, -1, Face);
        Arrow(s, r, dir, state == 0 ? GlyphDim : White);
    };
    const TRect h = At(160, 470, 32, 16), v = At(196, 470, 16, 32);
    button(At(h.Left, h.Top, 16, 16), 0, TArrow::Left);
    button(At(h.Left + 16, h.Top, 16, 16), 0, TArrow::Right);
    button(At(v.Left, v.Top, 16, 16), 0, TArrow::Up);
    button(At(v.Left, v.Top + 16, 16, 16), 0, TArrow::Down);
    const TRect hb[4] = {At(216, 470, 16, 16), At(232, 470, 16, 16), At(248, 470, 16, 16), At(264, 470, 16, 16)};
    const TRect vb[4] = {At(216, 486, 16, 16), At(232, 486, 16, 16), At(248, 486, 16, 16), At(264, 486, 16, 16)};
    button(hb[0], 1, TArrow::Right);
    button(hb[1], 2, TArrow::Right);
    button(hb[2], 1, TArrow::Left);
    button(hb[3], 2, TArrow::Left);
    button(vb[0], 1, TArrow::Up);
    button(vb[1], 2, TArrow::Up);
    button(vb[2], 1, TArrow::Down);
    button(vb[3], 2, TArrow::Down);
    auto keys = [&](const TRect& skin, const TRect& up, const TRect& down, const TRect* pics) {
        Entries.Key("pictureindex", ControlsPicture);
        Entries.Rect("skinrect", skin);
        Entries.Rect("upbuttonrect", up);
        Entries.Rect("activeupbuttonrect", pics[0]);
        Entries.Rect("downupbuttonrect", pics[1]);
        Entries.Rect("downbuttonrect", down);
        Entries.Rect("activedownbuttonrect", pics[2]);
        Entries.Rect("downdownbuttonrect", pics[3]);
    };
    Control("hupdown", "updown");
    keys(h, TRect{16, 0, 32, 16}, TRect{0, 0, 16, 16}, hb);
    Control("vupdown", "updown");
    keys(v, TRect{0, 0, 16, 16}, TRect{0, 16, 16, 32}, vb);
}

void TSlateBuilder::PaintGridAndViews()
{
    TSurface& s = Controls;
    const TRect fixed = At(0, 494, 64, 20), select = At(64, 494, 64, 20), focus = At(128, 494, 64, 20);
    VGradient(s, fixed, FaceLight, Face);
    HLine(s, fixed.Left, fixed.Right, fixed.Bottom - 1, Border);
    VLine(s, fixed.Right - 1, fixed.Top, fixed.Bottom, Border);
    Fill(s, select, Rgb(40, 58, 84));
    Box(s, focus, Accent, AccentDark, AccentDark, -1, Field);
    Control("grid", "grid");
    Entries.Key("pictureindex", ControlsPicture);
    Entries.Rect("fixedcellrect", fixed);
    Entries.Rect("selectcellrect", select);
    Entries.Rect("focuscellrect", focus);
    Entries.Key("fixedcellleftoffset", 2);
    Entries.Key("fixedcellrightoffset", 2);
    Entries.Rect("fixedcelltextrect", TRect{4, 0, 60, 20});
    Entries.Key("cellleftoffset", 2);
    Entries.Key("cellrightoffset", 2);
    Entries.Rect("celltextrect", TRect{4, 0, 60, 20});
    Entries.Key("linescolor", Rgb(38, 43, 52));
    Entries.Key("bgcolor", Field);
    Entries.Key("bgpictureindex", -1);
    Entries.Font("", 14, "", Text);
    Entries.Key("selectfontcolor", White);
    Entries.Key("focusfontcolor", White);
    Entries.Font("fixed", 14, "fsbold", Text);
    Entries.Key("cellstretcheffect", 0);
    Entries.Key("fixedcellstretcheffect", 0);
    Entries.Key("showfocus", 0);

    for (const char* name : {"treeview", "listview"}) {
        Control(name, name);
        Entries.Font("", 14, "", Text);
        Entries.Key("bgcolor", Field);
    }
    Control("bevel", "bevel");
    Entries.Key("lightcolor", FaceLight);
    Entries.Key("darkcolor", Border);
}

// The ten colours the skin gives the system colours; a skin of the queue may change some of them.
void SkinColors(TIni& ini, const std::map<std::string, int>& changes = {})
{
    ini.Section("SKINCOLORS");
    const std::pair<const char*, int> colors[] = {
        {"cbtnface", Face},           {"cbtntext", Text},           {"cwindow", Field},
        {"cwindowtext", Text},        {"chighlight", Accent},       {"chighlighttext", White},
        {"cbtnhighlight", FaceLight}, {"cbtnshadow", Border},       {"c3dlight", Rgb(52, 58, 69)},
        {"c3ddkshadow", Rgb(12, 14, 18)}};
    for (const auto& [key, color] : colors) {
        const auto changed = changes.find(key);
        ini.Key(key, changed != changes.end() ? changed->second : color);
    }
}

// The head every skin of the family starts with: who made it and how to make it again, then [VERSION].
void Head(std::ostringstream& out, TIni& head, const std::string& name, const std::string& comments)
{
    out << "; " << name << ": a skin of Ombrix Free, made by skins/SlateSkin.cpp (the skinslate tool);\n"
           "; edit the code, not this file, and make the files again.\n";
    head.Section("VERSION");
    head.Key("skinname", name);
    head.Key("skinauthor", "Ombrix developers");
    head.Key("authoremail", "");
    head.Key("authorurl", "");
    head.Key("skincomments", comments);
}

std::string TSlateBuilder::IniText()
{
    std::ostringstream out;
    TIni head;
    Head(out, head, "Ombrix Slate", "Dark grey-blue look of Ombrix Free");
    head.Section("PICTURES");
    head.Key("picture", "frame.bmp");
    head.Key("inactivepicture", "");
    head.Key("mask", "framemask.bmp");
    head.Key("rolluppicture", "");
    head.Key("rollupmask", "");
    head.Key("activepicturescount", 4);
    head.Key("0", "controls.bmp");
    head.Key("1", "frameparts.bmp");
    head.Key("2", "menu.bmp");
    head.Key("3", "hint.bmp");

    head.Section("FORMINFO");
    head.Key("lefttoppoint", P(40, 28));
    head.Key("righttoppoint", P(170, 28));
    head.Key("leftbottompoint", P(24, 146));
    head.Key("rightbottompoint", P(216, 146));
    head.Rect("clientrect", TRect{4, 28, 236, 146});
    head.Key("bgpictureindex", -1);
    head.Key("leftstretch", 1);
    head.Key("rightstretch", 1);
    head.Key("topstretch", 1);
    head.Key("bottomstretch", 1);
    head.Key("stretcheffect", 0);
    head.Key("stretchtype", "stfull");
    head.Rect("buttonsrect", TRect{174, 5, 234, 23});
    head.Rect("captionrect", TRect{8, 3, 172, 25});
    head.Key("buttonsoffset", 2);
    head.Key("buttonsinleft", 0);
    head.Rect("maskrectarea", TRect{4, 6, 236, 146});
    head.Key("hittestlefttoppoint", P(8, 8));
    head.Key("hittestrighttoppoint", P(232, 8));
    head.Key("hittestleftbottompoint", P(8, 142));
    head.Key("hittestrightbottompoint", P(232, 142));
    head.Key("borderwidth", 4);
    head.Key("formminwidth", 160);
    head.Key("cursorindex", -1);
    head.Key("autorenderinginactiveimage", 1);
    head.Key("inactiveeffect", "iegrayscale");
    head.Rect("sizegriparea", TRect{222, 132, 236, 146});
    head.Key("statusbarname", "statusbar");
    out << head.Text() << Ini.Text();

    TIni colors;
    SkinColors(colors);
    colors.Section("SKINOBJECTS");
    colors.Key("count", static_cast<int>(ObjectEntries.size()));
    for (std::size_t i = 0; i < ObjectEntries.size(); ++i) colors.Key(std::to_string(i), ObjectEntries[i]);
    colors.Section("SKINCONTROLS");
    colors.Key("count", static_cast<int>(ControlEntries.size()));
    for (std::size_t i = 0; i < ControlEntries.size(); ++i) colors.Key(std::to_string(i), ControlEntries[i]);
    out << "\n" << colors.Text() << "\n" << Entries.Text();
    return out.str();
}

// Copies a part of one picture into another.
void CopyPart(TSurface& to, int x, int y, const TSurface& from, const TRect& part)
{
    for (int j = 0; j < part.Height(); ++j)
        for (int i = 0; i < part.Width(); ++i) to.SetPixel(x + i, y + j, from.Pixel(part.Left + i, part.Top + j));
}

// The frame objects: the title and the caption buttons. The buttons at rest are part of the frame
// picture, where the frame's layout puts them (close, maximize and minimize from the right end of the
// buttons area with the skin's gap, the system-menu button at the start of the caption area); their
// other looks come from the frame-parts picture.
void AddFrameObjects(TSlateBuilder& b)
{
    // The title stands right of the system-menu button, so that stretching it never stretches the button.
    b.Object("caption", "caption");
    b.Entries.Rect("skinrect", TRect{28, 3, 172, 25});
    b.Entries.Key("defaultcaption", 1);
    b.Entries.Rect("textrect", TRect{4, 0, 140, 22});
    b.Entries.Font("", 15, "fsbold", TextDim);
    b.Entries.Key("activefontcolor", Text);
    b.Entries.Key("alignment", "taleftjustify");
    b.Entries.Key("shadow", 1);
    b.Entries.Key("shadowcolor", Rgb(20, 23, 28));
    b.Entries.Key("activeshadowcolor", Rgb(16, 18, 22));

    struct TButton {
        const char* Name;
        const char* Command;
        const char* Hint;
        int Row;
        int Left;
    };
    const TButton buttons[] = {{"sysmenubutton", "cmsysmenu", "System menu", 4, 8},
                               {"minbutton", "cmminimize", "Minimize", 3, 176},
                               {"maxbutton", "cmmaximize", "Maximize", 1, 196},
                               {"closebutton", "cmclose", "Close", 0, 216}};
    for (const TButton& button : buttons) {
        auto cell = [&](int row, int state) { return At(state * 18, row * 18, 18, 18); };
        const TRect place = At(button.Left, 5, 18, 18);
        CopyPart(b.Frame, place.Left, place.Top, b.Parts, cell(button.Row, 0));
        b.Object(button.Name, "stdbutton");
        b.Entries.Key("hint", button.Hint);
        b.Entries.Key("activepictureindex", FramePartsPicture);
        b.Entries.Rect("skinrect", place);
        b.Entries.Rect("activeskinrect", cell(button.Row, 1));
        b.Entries.Rect("downrect", cell(button.Row, 2));
        b.Entries.Rect("inactiveskinrect", cell(button.Row, 3));
        b.Entries.Key("morphing", 1);
        b.Entries.Key("morphkind", "mkdefault");
        b.Entries.Key("command", button.Command);
        if (button.Row == 1) {
            b.Entries.Rect("restorerect", cell(2, 0));
            b.Entries.Rect("restoreactiverect", cell(2, 1));
            b.Entries.Rect("restoredownrect", cell(2, 2));
            b.Entries.Rect("restoreinactiverect", cell(2, 3));
            b.Entries.Key("restorehint", "Restore");
        }
    }
}

// The skins of the queue rows (and of the preview window, which borrows them) take their looks from
// the ones painted for the window: they share its control picture and copy the entries their controls
// ask for, with the keys that differ changed. They have no window frame.
using TKeyChanges = std::vector<std::pair<std::string, std::string>>;
struct TRowSkin {
    const char* FileName;
    const char* Name;
    const char* Comments;
    std::vector<std::pair<std::string, TKeyChanges>> Entries;
    std::map<std::string, int> Colors;
};

const TKeyChanges RowFont = {{"fontheight", "13"}};

const TRowSkin RowSkins[] = {
    {"rows.ini", "Ombrix Slate Rows", "Check boxes, track boxes and progress bars of the queue rows",
     {{"checkbox", RowFont}, {"combobox", RowFont}, {"listbox", RowFont}, {"vscrollbar", {}}, {"hscrollbar", {}},
      {"bothhscrollbar", {}}, {"gauge", {}}, {"slider", {}}},
     {}},
    // A row's captions are disabled flat buttons, whose text takes the skin's shadow colour: here a
    // light one, so that they read on the dark rows.
    {"labels.ini", "Ombrix Slate Labels", "Captions of the queue rows",
     {{"toolbutton", {{"fontheight", "13"}, {"fontstyle", ""}}}},
     {{"cbtnshadow", LabelText}}},
    {"edits.ini", "Ombrix Slate Edits", "Output names of the queue rows", {{"edit", RowFont}}, {}},
};

std::string RowSkinIni(const TSlateBuilder& b, const TRowSkin& skin)
{
    std::ostringstream out;
    TIni head;
    Head(out, head, skin.Name, skin.Comments);
    head.Section("PICTURES");
    for (const char* key : {"picture", "inactivepicture", "mask", "rolluppicture", "rollupmask"}) head.Key(key, "");
    head.Key("activepicturescount", 1);
    head.Key("0", "controls.bmp");
    head.Section("FORMINFO");
    head.Key("bgpictureindex", -1);
    head.Key("cursorindex", -1);
    out << head.Text();

    TIni lists;
    SkinColors(lists, skin.Colors);
    lists.Section("SKINOBJECTS");
    lists.Key("count", 0);
    lists.Section("SKINCONTROLS");
    lists.Key("count", static_cast<int>(skin.Entries.size()));
    TIni entries;
    for (std::size_t i = 0; i < skin.Entries.size(); ++i) {
        const auto& [name, changes] = skin.Entries[i];
        const auto kind = std::find_if(b.ControlEntries.begin(), b.ControlEntries.end(),
                                       [&](const std::string& e) { return e.rfind(name + ":", 0) == 0; });
        if (kind == b.ControlEntries.end()) throw std::logic_error("no control entry " + name + " to copy");
        lists.Key(std::to_string(i), *kind);
        entries.CopySection(b.Entries, name, changes);
    }
    out << "\n" << lists.Text() << "\n" << entries.Text();
    return out.str();
}

} // namespace

std::vector<TSkinSourceFile> MakeSlateSkinSources()
{
    TSlateBuilder b;
    b.PaintFrame();
    b.PaintCaptionButtons();
    AddFrameObjects(b);
    b.PaintMenuAndHint();
    b.PaintButtons();
    b.PaintCheckRadio();
    b.PaintGauges();
    b.PaintPanels();
    b.PaintEditsAndLists();
    b.PaintScrollBars();
    b.PaintSlider();
    b.PaintUpDowns();
    b.PaintGridAndViews();
    std::vector<TSkinSourceFile> files = {{"slate.ini", b.IniText()}};
    for (const TRowSkin& skin : RowSkins) files.push_back({skin.FileName, RowSkinIni(b, skin)});
    const TSkinSourceFile pictures[] = {
        {"frame.bmp", BmpBytes(b.Frame)},
        {"framemask.bmp", BmpBytes(b.Mask)},
        {"controls.bmp", BmpBytes(b.Controls)},
        {"frameparts.bmp", BmpBytes(b.Parts)},
        {"menu.bmp", BmpBytes(b.Menu)},
        {"hint.bmp", BmpBytes(b.Hint)},
    };
    files.insert(files.end(), std::begin(pictures), std::end(pictures));
    return files;
}

std::string WriteSlateSkinSources(const std::string& Folder)
{
    const std::string folder = IncludeTrailingPathDelimiter(Folder);
    ForceDirectories(folder);
    for (const TSkinSourceFile& file : MakeSlateSkinSources()) {
        TMemoryStream stream;
        stream.WriteBuffer(file.Bytes.data(), static_cast<std::int64_t>(file.Bytes.size()));
        stream.SaveToFile(folder + file.Name);
    }
    return folder + "slate.ini";
}
