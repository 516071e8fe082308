#include "process/TOxItemsSearchs.h"

#include <functional>

#include "platform/rtl/Strings.h"
#include "platform/rtl/TStringList.h"

namespace {

int Search(const TStrings& Strings, int StartIndex, const std::function<bool(const std::string&)>& Matches)
{
    const int count = Strings.Count();
    if (count == 0)
        return -1;
    // A start at or past the end begins the round at the first entry.
    const int first = StartIndex + 1 >= 0 && StartIndex + 1 < count ? StartIndex + 1 : 0;
    for (int visited = 0; visited < count; ++visited) {
        const int i = (first + visited) % count;
        if (Matches(Strings.Strings(i)))
            return i;
    }
    return -1;
}

} // namespace

int TOxItemsSearchs::SearchExactString(const TStrings& Strings, const std::string& Text, int StartIndex, bool CaseSensitive)
{
    return Search(Strings, StartIndex, [&](const std::string& Entry) {
        return CaseSensitive ? AnsiCompareStr(Entry, Text) == 0 : AnsiSameText(Entry, Text);
    });
}

int TOxItemsSearchs::SearchPrefix(const TStrings& Strings, const std::string& Text, int StartIndex, bool CaseSensitive)
{
    if (Text.empty())
        return -1;
    const std::string wanted = CaseSensitive ? Text : AnsiUpperCase(Text);
    return Search(Strings, StartIndex, [&](const std::string& Entry) {
        return (CaseSensitive ? Entry : AnsiUpperCase(Entry)).rfind(wanted, 0) == 0;
    });
}
