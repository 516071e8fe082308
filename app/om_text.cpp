#include "app/om_text.h"

#include "platform/rtl/Strings.h"
#include "platform/rtl/TStringList.h"

bool Contains(const std::string& S, const std::string& Sub)
{
    return S.find(Sub) != std::string::npos;
}

std::string TextAfter(const std::string& S, const std::string& Marker)
{
    const std::size_t at = S.find(Marker);
    return at == std::string::npos ? S : S.substr(at + Marker.size());
}

std::string TextBefore(const std::string& S, const std::string& Marker)
{
    const std::size_t at = S.find(Marker);
    return at == std::string::npos ? std::string() : S.substr(0, at);
}

std::string TextFrom(const std::string& S, const std::string& Marker)
{
    const std::size_t at = S.find(Marker);
    return at == std::string::npos ? S : S.substr(at);
}

std::string RemoveFirst(const std::string& S, const std::string& Sub)
{
    return StringReplace(S, Sub, "");
}

std::string LastChars(const std::string& S, std::size_t N)
{
    if (S.size() <= N)
        return S;
    std::size_t start = S.size() - N;
    // Never start inside a multi-byte character.
    while (start > 0 && (static_cast<unsigned char>(S[start]) & 0xC0) == 0x80)
        --start;
    return S.substr(start);
}

std::string MemoText(const TStrings& Lines)
{
    if (Lines.Count() == 1)
        return Lines.Strings(0);
    std::string text;
    for (int i = 0; i < Lines.Count(); ++i)
        text += Lines.Strings(i) + "\r\n";
    return text;
}
