#pragma once
// The two searches a list answers find requests with: from the entry after StartIndex to the end,
// then once round from the first entry up to StartIndex, so every entry is looked at most once.
#include <string>

class TStrings;

class TOxItemsSearchs {
public:
    // The first entry equal to Text (without case unless CaseSensitive); -1 when none.
    static int SearchExactString(const TStrings& Strings, const std::string& Text, int StartIndex, bool CaseSensitive);
    // The first entry that begins with Text; an empty Text matches nothing; -1 when none.
    static int SearchPrefix(const TStrings& Strings, const std::string& Text, int StartIndex, bool CaseSensitive);
};
