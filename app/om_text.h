#pragma once
// The small text cutters every parser of the tools' lines uses. A missing marker behaves as the
// original's Copy/Pos did; a replacement of the first occurrence is rtl's StringReplace.
#include <string>

class TStrings;

bool Contains(const std::string& S, const std::string& Sub);
// The text after the first Marker; the whole text when there is none.
std::string TextAfter(const std::string& S, const std::string& Marker);
// The text before the first Marker; "" when there is none.
std::string TextBefore(const std::string& S, const std::string& Marker);
// The text from the first Marker on; the whole text when there is none.
std::string TextFrom(const std::string& S, const std::string& Marker);
// The text without the first Sub.
std::string RemoveFirst(const std::string& S, const std::string& Sub);
// The last N characters (the whole text when shorter), moved back to a character boundary.
std::string LastChars(const std::string& S, std::size_t N);
// The text of a list as a record keeps it: one line without line end, several with CR LF after each.
std::string MemoText(const TStrings& Lines);
