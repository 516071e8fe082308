#pragma once
// The fonts behind the text calls: family names resolved through fontconfig, faces opened with FreeType,
// and every rendered glyph kept, per font, for the life of the program. Used by Text.cpp only.
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/gfx/GdiObjects.h"

// One glyph as rendered: 8-bit coverage, placed relative to the pen position on the baseline (Left to the
// right, Top upwards, in device directions, already rotated for rotated fonts). Advance is the unrotated
// advance in whole pixels.
struct TGlyph {
    int Advance = 0;
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    std::vector<std::uint8_t> Coverage;
};

// A font at one size, style and rotation.
class TFontInstance {
public:
    int Ascent = 0;
    int Descent = 0;
    int Height = 0;
    int InternalLeading = 0;
    int AveCharWidth = 0;
    int MaxCharWidth = 0;
    int UnderlinePos = 0;        // rows below the baseline of the underline's top
    int UnderlineThickness = 1;
    int StrikeOutPos = 0;        // rows above the baseline of the strike-out's top
    int Escapement = 0;          // tenths of a degree
    TLogFont Font;

    // The glyph of a code point (a box for one the face lacks). The reference stays valid for the
    // instance's life.
    const TGlyph& Glyph(char32_t cp);
    int Advance(char32_t cp) { return cp < 128 && FAscii[cp] ? FAscii[cp]->Advance : Glyph(cp).Advance; }

    ~TFontInstance();

private:
    friend class TFontCache;
    struct TImpl;
    std::unique_ptr<TImpl> FImpl;
    const TGlyph* FAscii[128] = {};
    std::unordered_map<char32_t, std::unique_ptr<TGlyph>> FGlyphs;
};

class TFontCache {
public:
    static TFontCache& Instance();
    // The instance for a font description; the same description gives the same instance.
    TFontInstance& Get(const TLogFont& font);
    // The fontconfig family a face name resolves to, after the classic-name mapping.
    static std::string MappedFamily(const std::string& faceName);
    // Everything here runs under this lock (FreeType faces are not thread-safe).
    std::recursive_mutex Lock;

private:
    TFontCache();
    ~TFontCache();
    struct TImpl;
    std::unique_ptr<TImpl> FImpl;
};
