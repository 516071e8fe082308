#include "skin/data/SkinEntryFont.h"

#include "platform/rtl/IniFiles.h"
#include "platform/vcl/Graphics.h"
#include "skin/data/SkinIni.h"
#include "skin/data/TskSkinData.h"

void TskEntryFont::LoadFont(TMemIniFile& IniFile, const std::string& Section)
{
    FontName = IniFile.ReadString(Section, "fontname", "Arial");
    FontHeight = IniFile.ReadInteger(Section, "fontheight", 14);
    FontStyle = IniReadFontStyles(IniFile, Section, "fontstyle");
    FontColor = static_cast<TColor>(IniFile.ReadInteger(Section, "fontcolor", 0));
}

void TskEntryFont::SaveFont(TMemIniFile& IniFile, const std::string& Section) const
{
    IniFile.WriteString(Section, "fontname", FontName);
    IniFile.WriteInteger(Section, "fontheight", FontHeight);
    IniWriteFontStyles(IniFile, Section, "fontstyle", FontStyle);
    IniFile.WriteInteger(Section, "fontcolor", static_cast<int>(FontColor));
}

void SelectEntryFont(TFont* Font, TFont* Base, const TskEntryFont* Face, const TskSkinData* Skin, BYTE FallbackCharset)
{
    if (Base != nullptr) Font->Assign(Base);
    if (Face != nullptr) {
        if (!Face->FontName.empty()) Font->SetName(Face->FontName);
        if (Face->FontHeight != 0) Font->SetHeight(Face->FontHeight);
        Font->SetStyle(Face->FontStyle);
    }
    Font->SetCharset(SkinTextCharset(Skin, FallbackCharset));
}
