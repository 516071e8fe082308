#include "platform/gfx/TFontCache.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SIZES_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

namespace {

struct TFace {
    FT_Face Face = nullptr;
    bool SyntheticBold = false;
    bool SyntheticItalic = false;
};

std::string Lower(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

std::string FontKey(const TLogFont& f)
{
    return Lower(f.FaceName) + '\x01' + std::to_string(f.Height) + ',' + std::to_string(f.Weight) + ',' +
           std::to_string(f.Italic) + ',' + std::to_string(f.Underline) + ',' + std::to_string(f.StrikeOut) + ',' +
           std::to_string(f.Escapement) + ',' + std::to_string(f.CharSet) + ',' + std::to_string(f.Width);
}

}  // namespace

struct TFontInstance::TImpl {
    FT_Face Face = nullptr;
    FT_Size Size = nullptr;
    bool SyntheticBold = false;
    bool SyntheticItalic = false;
    int Em = 0;
    FT_Matrix Rotation{0x10000, 0, 0, 0x10000};
    bool Rotated = false;
};

struct TFontCache::TImpl {
    FT_Library Library = nullptr;
    std::map<std::string, FT_Face> Faces;   // by file and index
    std::unordered_map<std::string, std::unique_ptr<TFontInstance>> Instances;
    const TLogFont* LastFont = nullptr;
    TFontInstance* LastInstance = nullptr;

    FT_Face OpenFace(const std::string& file, int index)
    {
        const std::string key = file + '#' + std::to_string(index);
        auto it = Faces.find(key);
        if (it != Faces.end())
            return it->second;
        FT_Face face = nullptr;
        if (FT_New_Face(Library, file.c_str(), index, &face) != 0)
            face = nullptr;
        Faces[key] = face;
        return face;
    }

    // Asks fontconfig for the family with the weight and slant; marks what the match lacks so it is made up.
    TFace Resolve(const TLogFont& lf)
    {
        TFace result;
        const bool bold = lf.Weight >= 600;
        FcPattern* pattern = FcPatternCreate();
        const std::string family = MappedFamily(lf.FaceName);
        FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
        FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>("Liberation Sans"));
        FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>("sans-serif"));
        FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
        FcPatternAddInteger(pattern, FC_SLANT, lf.Italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
        FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
        FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
        FcDefaultSubstitute(pattern);
        FcResult res = FcResultNoMatch;
        FcPattern* match = FcFontMatch(nullptr, pattern, &res);
        if (match) {
            FcChar8* file = nullptr;
            int index = 0;
            int weight = FC_WEIGHT_REGULAR;
            int slant = FC_SLANT_ROMAN;
            FcPatternGetInteger(match, FC_INDEX, 0, &index);
            FcPatternGetInteger(match, FC_WEIGHT, 0, &weight);
            FcPatternGetInteger(match, FC_SLANT, 0, &slant);
            if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch && file) {
                result.Face = OpenFace(reinterpret_cast<const char*>(file), index);
                result.SyntheticBold = bold && weight < FC_WEIGHT_DEMIBOLD;
                result.SyntheticItalic = lf.Italic && slant == FC_SLANT_ROMAN;
            }
            FcPatternDestroy(match);
        }
        FcPatternDestroy(pattern);
        return result;
    }
};

TFontCache& TFontCache::Instance()
{
    static TFontCache cache;
    return cache;
}

TFontCache::TFontCache() : FImpl(std::make_unique<TImpl>())
{
    FcInit();
    if (FT_Init_FreeType(&FImpl->Library) != 0)
        FImpl->Library = nullptr;
}

TFontCache::~TFontCache()
{
    FImpl->Instances.clear();
    for (auto& [key, face] : FImpl->Faces)
        if (face)
            FT_Done_Face(face);
    if (FImpl->Library)
        FT_Done_FreeType(FImpl->Library);
    // Fontconfig keeps its configuration until told to let go; at exit it is told, so that leak checkers
    // see only real leaks.
    FcFini();
}

TFontInstance::~TFontInstance()
{
    if (FImpl && FImpl->Size)
        FT_Done_Size(FImpl->Size);
}

std::string TFontCache::MappedFamily(const std::string& faceName)
{
    // The classic families the skins and forms name, onto the metric-compatible fonts Debian ships.
    static const std::map<std::string, std::string> map = {
        {"arial", "Liberation Sans"},
        {"helvetica", "Liberation Sans"},
        {"tahoma", "Liberation Sans"},
        {"verdana", "DejaVu Sans"},
        {"ms sans serif", "Liberation Sans"},
        {"microsoft sans serif", "Liberation Sans"},
        {"ms shell dlg", "Liberation Sans"},
        {"ms shell dlg 2", "Liberation Sans"},
        {"segoe ui", "Liberation Sans"},
        {"system", "Liberation Sans"},
        {"default", "Liberation Sans"},
        {"", "Liberation Sans"},
        {"times new roman", "Liberation Serif"},
        {"times", "Liberation Serif"},
        {"ms serif", "Liberation Serif"},
        {"courier new", "Liberation Mono"},
        {"courier", "Liberation Mono"},
        {"fixedsys", "Liberation Mono"},
        {"lucida console", "Liberation Mono"},
    };
    const auto it = map.find(Lower(faceName));
    return it != map.end() ? it->second : faceName;
}

TFontInstance& TFontCache::Get(const TLogFont& lf)
{
    std::lock_guard lock(Lock);
    if (FImpl->LastFont && *FImpl->LastFont == lf)
        return *FImpl->LastInstance;
    const std::string key = FontKey(lf);
    auto it = FImpl->Instances.find(key);
    if (it == FImpl->Instances.end()) {
        auto inst = std::make_unique<TFontInstance>();
        inst->FImpl = std::make_unique<TFontInstance::TImpl>();
        inst->Font = lf;
        inst->Escapement = lf.Escapement % 3600;
        TFace face = FImpl->Library ? FImpl->Resolve(lf) : TFace{};
        auto& impl = *inst->FImpl;
        impl.Face = face.Face;
        impl.SyntheticBold = face.SyntheticBold;
        impl.SyntheticItalic = face.SyntheticItalic;
        // A sane size in pixels whatever the description says.
        const int requested = static_cast<int>(std::clamp<std::int64_t>(std::llabs(lf.Height), 1, 2000));
        if (impl.Face) {
            FT_Face f = impl.Face;
            const TT_OS2* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(f, FT_SFNT_OS2));
            const double upem = f->units_per_EM ? f->units_per_EM : 2048;
            double asc = os2 && os2->usWinAscent ? os2->usWinAscent : f->ascender;
            double desc = os2 && os2->usWinDescent ? os2->usWinDescent : -f->descender;
            if (asc + desc <= 0) {
                asc = upem * 0.9;
                desc = upem * 0.2;
            }
            int em;
            if (lf.Height > 0) {
                // A positive height is the whole cell: the em is what makes ascent + descent that tall.
                em = std::max(1, static_cast<int>(std::lround(requested * upem / (asc + desc))));
                inst->Height = requested;
                inst->Ascent = static_cast<int>(std::lround(requested * asc / (asc + desc)));
                inst->Descent = requested - inst->Ascent;
            } else {
                em = lf.Height < 0 ? requested : 13;
                inst->Ascent = static_cast<int>(std::lround(em * asc / upem));
                inst->Descent = static_cast<int>(std::lround(em * desc / upem));
                inst->Height = inst->Ascent + inst->Descent;
            }
            impl.Em = em;
            inst->InternalLeading = std::max(0, inst->Height - em);
            if (FT_New_Size(f, &impl.Size) == 0) {
                FT_Activate_Size(impl.Size);
                FT_Set_Pixel_Sizes(f, 0, em);
            }
            inst->AveCharWidth = os2 && os2->xAvgCharWidth > 0 ? static_cast<int>(std::lround(os2->xAvgCharWidth * em / upem)) : 0;
            inst->MaxCharWidth = static_cast<int>(std::lround(f->max_advance_width * em / upem));
            const double ut = std::max(1.0, std::round(f->underline_thickness * em / upem));
            inst->UnderlineThickness = static_cast<int>(ut);
            inst->UnderlinePos = std::max(1, static_cast<int>(std::lround(-f->underline_position * em / upem - ut / 2)));
            inst->StrikeOutPos = static_cast<int>(std::lround((os2 && os2->yStrikeoutPosition ? os2->yStrikeoutPosition : asc / 3) * em / upem));
        } else {
            // No font at all on this machine: boxes of a plausible size, so layout still works.
            impl.Em = lf.Height == 0 ? 13 : requested;
            inst->Ascent = impl.Em * 9 / 10;
            inst->Descent = impl.Em - inst->Ascent + 1;
            inst->Height = inst->Ascent + inst->Descent;
            inst->MaxCharWidth = impl.Em;
        }
        if (inst->Escapement != 0) {
            const double a = inst->Escapement * M_PI / 1800.0;
            impl.Rotated = true;
            impl.Rotation = {static_cast<FT_Fixed>(std::lround(std::cos(a) * 0x10000)),
                static_cast<FT_Fixed>(std::lround(-std::sin(a) * 0x10000)),
                static_cast<FT_Fixed>(std::lround(std::sin(a) * 0x10000)),
                static_cast<FT_Fixed>(std::lround(std::cos(a) * 0x10000))};
        }
        if (inst->AveCharWidth == 0)
            inst->AveCharWidth = std::max(1, inst->Advance('x'));
        it = FImpl->Instances.emplace(key, std::move(inst)).first;
    }
    FImpl->LastFont = &it->second->Font;
    FImpl->LastInstance = it->second.get();
    return *it->second;
}

const TGlyph& TFontInstance::Glyph(char32_t cp)
{
    std::lock_guard lock(TFontCache::Instance().Lock);
    if (cp < 128 && FAscii[cp])
        return *FAscii[cp];
    auto found = FGlyphs.find(cp);
    if (found != FGlyphs.end())
        return *found->second;
    auto g = std::make_unique<TGlyph>();
    TImpl& impl = *FImpl;
    if (cp == '\n' || cp == '\r') {
        // Line ends take no room and show nothing.
    } else if (!impl.Face || !impl.Size) {
        g->Advance = std::max(1, impl.Em / 2);
    } else {
        FT_Face f = impl.Face;
        FT_Activate_Size(impl.Size);
        const FT_UInt index = FT_Get_Char_Index(f, cp);
        // The advance comes from the upright glyph, so measuring does not depend on the rotation.
        FT_Set_Transform(f, nullptr, nullptr);
        if (FT_Load_Glyph(f, index, FT_LOAD_DEFAULT | FT_LOAD_NO_BITMAP) == 0) {
            if (impl.SyntheticBold)
                FT_GlyphSlot_Embolden(f->glyph);
            g->Advance = static_cast<int>((f->glyph->advance.x + 32) >> 6);
        }
        if (impl.Rotated)
            FT_Set_Transform(f, &impl.Rotation, nullptr);
        if (FT_Load_Glyph(f, index, FT_LOAD_DEFAULT | FT_LOAD_NO_BITMAP) == 0) {
            if (impl.SyntheticItalic)
                FT_GlyphSlot_Oblique(f->glyph);
            if (impl.SyntheticBold)
                FT_GlyphSlot_Embolden(f->glyph);
            if (FT_Render_Glyph(f->glyph, FT_RENDER_MODE_NORMAL) == 0) {
                const FT_Bitmap& bm = f->glyph->bitmap;
                if (bm.pixel_mode == FT_PIXEL_MODE_GRAY && bm.buffer) {
                    g->Left = f->glyph->bitmap_left;
                    g->Top = f->glyph->bitmap_top;
                    g->Width = static_cast<int>(bm.width);
                    g->Height = static_cast<int>(bm.rows);
                    g->Coverage.resize(static_cast<std::size_t>(g->Width) * g->Height);
                    for (int y = 0; y < g->Height; ++y)
                        std::copy_n(bm.buffer + static_cast<std::ptrdiff_t>(y) * bm.pitch, g->Width,
                            g->Coverage.begin() + static_cast<std::ptrdiff_t>(y) * g->Width);
                }
            }
        }
        FT_Set_Transform(f, nullptr, nullptr);
    }
    const TGlyph* result = g.get();
    FGlyphs.emplace(cp, std::move(g));
    if (cp < 128)
        FAscii[cp] = result;
    return *result;
}
