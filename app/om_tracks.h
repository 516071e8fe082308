#pragma once
// Audio and subtitle track choice: the short text shown for a stream line of the player's report,
// the language names of two-letter codes, and TForm1::ChooseTracks with its searches.
#include <string>

class TStrings;

// "128 English" for an audio stream line, a stream key line ("128_LANG=en") or a subtitle line;
// side-file lines ("SRT File:..." / "SUB File:...") as they are.
std::string DescribeStream(const std::string& Line);
// The stream id a track text starts with ("128 English" -> "128"); "" when it is no number, so that a
// side-file line ("SRT File:...") never becomes a player option and a bare "-aid" or "-sid" never takes
// the next option as its value.
std::string TrackStreamId(const std::string& Text);
// The English name of a two-letter language code (any case); other texts upper-cased.
std::string LanguageName(const std::string& Code);
// The language list items: "AA (Afar)" ... "ZU (Zulu)", one per table pair, in table order.
void FillLanguageList(TStrings& Items);
// The number of code and name pairs of the table.
int LanguageCount();
