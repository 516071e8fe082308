#include "app/om_tracks.h"

#include "app/Unit1.h"
#include "app/om_tables.h"
#include "app/om_text.h"
#include "platform/rtl/Strings.h"
#include "platform/rtl/TStringList.h"
#include "skin/grids/TskSkinStringGrid.h"

namespace {

struct TLanguage {
    const char* Code;
    const char* Name;
};

constexpr TLanguage Languages[] = {
    {"AA", "Afar"}, {"AB", "Abkhazian"}, {"AF", "Afrikaans"}, {"AM", "Amharic"}, {"AR", "Arabic"},
    {"AS", "Assamese"}, {"AY", "Aymara"}, {"AZ", "Azerbaijani"}, {"BA", "Bashkir"}, {"BE", "Byelorussian"},
    {"BG", "Bulgarian"}, {"BH", "Bihari"}, {"BI", "Bislama"}, {"BN", "Bengali"}, {"BO", "Tibetan"},
    {"BR", "Breton"}, {"CA", "Catalan"}, {"CO", "Corsican"}, {"CS", "Czech"}, {"CY", "Welsh"},
    {"DA", "Danish"}, {"DE", "German"}, {"GE", "German"}, {"DZ", "Bhutani"}, {"EL", "Greek"},
    {"EN", "English"}, {"EO", "Esperanto"}, {"ES", "Spanish"}, {"ET", "Estonian"}, {"EU", "Basque"},
    {"FA", "Persian"}, {"FI", "Finnish"}, {"FJ", "Fiji"}, {"FO", "Faeroese"}, {"FR", "French"},
    {"FY", "Frisian"}, {"GA", "Irish"}, {"GD", "Gaelic"}, {"GL", "Galician"}, {"GN", "Guarani"},
    {"GU", "Gujarati"}, {"HA", "Hausa"}, {"HI", "Hindi"}, {"HR", "Croatian"}, {"HU", "Hungarian"},
    {"HY", "Armenian"}, {"IA", "Interlingua"}, {"IE", "Interlingue"}, {"IK", "Inupiak"}, {"IN", "Indonesian"},
    {"IS", "Icelandic"}, {"IT", "Italian"}, {"IW", "Hebrew"}, {"JA", "Japanese"}, {"JP", "Japanese"},
    {"JI", "Yiddish"}, {"JW", "Javanese"}, {"KA", "Georgian"}, {"KK", "Kazakh"}, {"KL", "Greenlandic"},
    {"KM", "Cambodian"}, {"KN", "Kannada"}, {"KO", "Korean"}, {"KS", "Kashmiri"}, {"KU", "Kurdish"},
    {"KY", "Kirghiz"}, {"LA", "Latin"}, {"LN", "Lingala"}, {"LO", "Laothian"}, {"LT", "Lithuanian"},
    {"LV", "Latvian"}, {"MG", "Malagasy"}, {"MI", "Maori"}, {"MK", "Macedonian"}, {"ML", "Malayalam"},
    {"MN", "Mongolian"}, {"MO", "Moldavian"}, {"MR", "Marathi"}, {"MS", "Malay"}, {"MT", "Maltese"},
    {"MY", "Burmese"}, {"NA", "Nauru"}, {"NE", "Nepali"}, {"NL", "Dutch"}, {"DU", "Dutch"},
    {"NO", "Norwegian"}, {"OC", "Occitan"}, {"OM", "Oromo"}, {"OR", "Oriya"}, {"PA", "Punjabi"},
    {"PL", "Polish"}, {"PS", "Pashto"}, {"PT", "Portuguese"}, {"QU", "Quechua"}, {"RM", "Rhaeto-Romance"},
    {"RN", "Kirundi"}, {"RO", "Romanian"}, {"RU", "Russian"}, {"RW", "Kinyarwanda"}, {"SA", "Sanskrit"},
    {"SD", "Sindhi"}, {"SG", "Sangro"}, {"SH", "Serbo-Croatian"}, {"SI", "Singhalese"}, {"SK", "Slovak"},
    {"SL", "Slovenian"}, {"SM", "Samoan"}, {"SN", "Shona"}, {"SO", "Somali"}, {"SQ", "Albanian"},
    {"SR", "Serbian"}, {"SS", "Siswati"}, {"ST", "Sesotho"}, {"SU", "Sudanese"}, {"SV", "Swedish"},
    {"SW", "Swahili"}, {"TA", "Tamil"}, {"TE", "Tegulu"}, {"TG", "Tajik"}, {"TH", "Thai"},
    {"TI", "Tigrinya"}, {"TK", "Turkmen"}, {"TL", "Tagalog"}, {"TN", "Setswana"}, {"TO", "Tonga"},
    {"TR", "Turkish"}, {"TS", "Tsonga"}, {"TT", "Tatar"}, {"TW", "Twi"}, {"UK", "Ukrainian"},
    {"UR", "Urdu"}, {"UZ", "Uzbek"}, {"VI", "Vietnamese"}, {"VO", "Volapuk"}, {"WO", "Wolof"},
    {"XH", "Xhosa"}, {"YO", "Yoruba"}, {"ZH", "Chinese"}, {"ZU", "Zulu"},
};

} // namespace

int LanguageCount()
{
    return static_cast<int>(std::size(Languages));
}

std::string LanguageName(const std::string& Code)
{
    const std::string upper = UpperCase(Code);
    for (const TLanguage& l : Languages)
        if (upper == l.Code)
            return l.Name;
    return upper;
}

void FillLanguageList(TStrings& Items)
{
    for (const TLanguage& l : Languages)
        Items.Add(std::string(l.Code) + " (" + l.Name + ")");
}

std::string TrackStreamId(const std::string& Text)
{
    std::string id = Trim(Text);
    if (const std::size_t blank = id.find(' '); blank != std::string::npos)
        id.resize(blank);
    int value = 0;
    if (id.empty() || id.find_first_not_of("0123456789") != std::string::npos || !TryStrToInt(id, value))
        return std::string();
    return id;
}

std::string DescribeStream(const std::string& Line)
{
    const std::string s = Line;
    if (Contains(" " + s, "audio stream")) {
        std::string w = Trim(TextFrom(s, "language:"));
        w = RemoveFirst(w, "aid:");
        w = StringReplace(w, "language:", "  ");
        w = RemoveFirst(w, ".");
        const std::string id = Trim(LastChars(w, 3));
        w = Trim(RemoveFirst(w, id));
        return id + " " + LanguageName(w);
    }
    if (Contains(" " + s, "subtitle")) {
        std::string w = Trim(TextAfter(s, "):"));
        w = StringReplace(w, "language:", "  ");
        w = RemoveFirst(w, ".");
        const std::string code = Trim(LastChars(w, 3));
        const std::string id = Trim(w.substr(0, 2));
        return id + " " + LanguageName(code);
    }
    if (Contains(s, "SRT File") || Contains(s, "SUB File"))
        return s;
    const std::string r = UpperCase(StringReplace(s, "_LANG=", " "));
    const std::string tail = Trim(LastChars(r, 3));
    const std::string code = Trim(tail.substr(0, 2));
    return StringReplace(r, tail, LanguageName(code));
}

// ---------------------------------------------------------------------------------------------
// TForm1: the choice

void TForm1::ChooseTracks(int Row)
{
    TskSkinStringGrid& g = *StringGrid1;
    if (checkbox4->Checked())
        ChooseAudioByLanguage(Row);
    else
        ChooseDefaultAudio(Row);
    if (checkbox5->Checked()) {
        ChooseSubtitleByLanguage(Row);
        g.SetCells(SourceRecord::SubtitleChoiceMarker, Row, "NO");
    }
    if (g.Cells(SourceRecord::PreferredAudioFound, Row) == "NO") {
        ChooseSubtitleByLanguage(Row);
        g.SetCells(SourceRecord::SubtitlesOn, Row, "YES");
    } else {
        g.SetCells(SourceRecord::SubtitlesOn, Row, "NO");
    }
    if (checkbox8->Checked()) {
        ChooseSubtitleByLanguage(Row);
        g.SetCells(SourceRecord::SubtitlesOn, Row, "YES");
    }
    AddItem(Row);
}

void TForm1::ChooseDefaultAudio(int Row)
{
    TskSkinStringGrid& g = *StringGrid1;
    if (g.Cells(SourceRecord::AudioStreams, Row).empty() || !Trim(g.Cells(SourceRecord::AudioChoice, Row)).empty())
        return;
    Memo1->SetText(g.Cells(SourceRecord::AudioStreams, Row));
    if (Memo1->Count() == 0)
        return;
    int index = 0;
    for (int i = 0; i < Memo1->Count(); ++i) {
        const std::string line = Trim(Memo1->Strings(i));
        if (Contains(line, "5.1") && Contains(line, "c3")) {
            index = i;
            break;
        }
    }
    g.SetCells(SourceRecord::AudioChoice, Row, Trim(DescribeStream(Memo1->Strings(index))));
    g.SetCells(SourceRecord::AudioIndex, Row, IntToStr(index));
}

int TForm1::LanguageSearch(TStrings& Lines, IOmComboBox* First, IOmComboBox* Second, bool* FirstFound)
{
    const int none = 100;
    int first = none;
    int second = none;
    const std::string firstText = First->Text();
    const std::string secondText = Second->Text();
    for (int i = 0; i < Lines.Count(); ++i) {
        std::string name = Trim(DescribeStream(Lines.Strings(i)));
        name = Trim(name.find(' ') == std::string::npos ? name : name.substr(name.find(' ') + 1));
        if (name.empty())
            continue; // an empty name would match any list
        if (first == none && Contains(firstText, name))
            first = i;
        if (second == none && Contains(secondText, name))
            second = i;
    }
    if (FirstFound)
        *FirstFound = first != none;
    return first != none ? first : second != none ? second : 0;
}

void TForm1::ChooseAudioByLanguage(int Row)
{
    TskSkinStringGrid& g = *StringGrid1;
    if (g.Cells(SourceRecord::AudioStreams, Row).empty())
        return;
    Memo1->SetText(g.Cells(SourceRecord::AudioStreams, Row));
    if (Memo1->Count() == 0)
        return;
    bool found = false;
    const int index = LanguageSearch(*Memo1, combobox4, combobox5, &found);
    g.SetCells(SourceRecord::AudioChoice, Row, Trim(DescribeStream(Memo1->Strings(index))));
    g.SetCells(SourceRecord::AudioIndex, Row, IntToStr(index));
    g.SetCells(SourceRecord::PreferredAudioFound, Row, found ? "YES" : "NO");
}

void TForm1::ChooseSubtitleByLanguage(int Row)
{
    TskSkinStringGrid& g = *StringGrid1;
    if (g.Cells(SourceRecord::SubtitleStreams, Row).empty())
        return;
    Memo2->SetText(g.Cells(SourceRecord::SubtitleStreams, Row));
    if (Memo2->Count() == 0)
        return;
    const int index = LanguageSearch(*Memo2, combobox6, combobox7, nullptr);
    g.SetCells(SourceRecord::SubtitleChoice, Row, Trim(DescribeStream(Memo2->Strings(index))));
    g.SetCells(SourceRecord::SubtitleIndex, Row, IntToStr(index));
}
