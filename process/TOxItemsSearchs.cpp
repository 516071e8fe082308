#include "process/TOxItemsSearchs.h"

#include "platform/rtl/Strings.h"
#include "platform/rtl/TStringList.h"

int TOxItemsSearchs::SearchExactString(const TStrings& Strings, const std::string& Text, int StartIndex, bool CaseSensitive)
{
    return FindStringFrom(Strings, StartIndex, [&](const std::string& Entry) {
        return CaseSensitive ? AnsiCompareStr(Entry, Text) == 0 : AnsiSameText(Entry, Text);
    });
}

int TOxItemsSearchs::SearchPrefix(const TStrings& Strings, const std::string& Text, int StartIndex, bool CaseSensitive)
{
    if (Text.empty())
        return -1;
    const std::string wanted = CaseSensitive ? Text : AnsiUpperCase(Text);
    return FindStringFrom(Strings, StartIndex, [&](const std::string& Entry) {
        return (CaseSensitive ? Entry : AnsiUpperCase(Entry)).rfind(wanted, 0) == 0;
    });
}
