#include "platform/vcl/FormParser.h"

#include <cctype>
#include <charconv>
#include <cstdlib>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/ScopeGuards.h"
#include "platform/rtl/Strings.h"

namespace {

bool IsIdentStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }
bool IsIdentChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }
int HexDigit(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

class TParser {
public:
    explicit TParser(const std::string& text) : S(text) {}

    TFormObject ParseRoot()
    {
        if (S.compare(0, 3, "\xEF\xBB\xBF") == 0) P = 3;
        SkipBlanks();
        TFormObject root = ParseObject();
        SkipBlanks();
        if (P < S.size()) Error("Unexpected text after the last 'end'");
        return root;
    }

private:
    // Objects, lists and collections nest by recursion: far deeper than any form goes, a description
    // is refused with a read error before it can run the reader out of stack.
    static constexpr int MaxNesting = 200;

    const std::string& S;
    size_t P = 0;
    int Line = 1;
    int Depth = 0;

    // One level deeper for the lifetime of the guard it returns.
    TScopeExit Nest()
    {
        if (Depth >= MaxNesting)
            Error("Nesting too deep: more than " + IntToStr(MaxNesting) + " levels of objects, lists or collections");
        ++Depth;
        return TScopeExit([this] { --Depth; });
    }

    [[noreturn]] void Error(const std::string& msg) const { throw EReadError("Line " + IntToStr(Line) + ": " + msg); }

    void SkipBlanks()
    {
        while (P < S.size()) {
            char c = S[P];
            if (c == '\n') {
                ++Line;
                ++P;
            } else if (c == ' ' || c == '\t' || c == '\r' || c == '\f') {
                ++P;
            } else {
                break;
            }
        }
    }
    char Peek() const { return P < S.size() ? S[P] : '\0'; }
    bool AtEnd() const { return P >= S.size(); }

    std::string Ident()
    {
        if (!IsIdentStart(Peek())) Error(AtEnd() ? "Unexpected end of file" : std::string("Identifier expected but '") + Peek() + "' found");
        size_t start = P;
        while (IsIdentChar(Peek())) ++P;
        return S.substr(start, P - start);
    }

    // Ident { '.' Ident }
    std::string QualifiedIdent()
    {
        std::string name = Ident();
        while (Peek() == '.') {
            ++P;
            name += '.';
            name += Ident();
        }
        return name;
    }

    void Expect(char c)
    {
        SkipBlanks();
        if (Peek() != c) Error(AtEnd() ? std::string("'") + c + "' expected but end of file found" : std::string("'") + c + "' expected but '" + Peek() + "' found");
        ++P;
    }

    std::string PeekWord()
    {
        size_t q = P;
        while (q < S.size() && IsIdentChar(S[q])) ++q;
        return S.substr(P, q - P);
    }

    TFormObject ParseObject()
    {
        const TScopeExit nesting = Nest();
        TFormObject obj;
        obj.Line = Line;
        std::string kw = Ident();
        if (SameText(kw, "object"))
            obj.Kind = fkObject;
        else if (SameText(kw, "inherited"))
            obj.Kind = fkInherited;
        else if (SameText(kw, "inline"))
            obj.Kind = fkInline;
        else
            Error("'object' expected but '" + kw + "' found");
        SkipBlanks();
        std::string first = Ident();
        SkipBlanks();
        if (Peek() == ':') {
            ++P;
            SkipBlanks();
            obj.Name = first;
            obj.ClassName = Ident();
        } else {
            obj.ClassName = first;
        }
        SkipBlanks();
        if (Peek() == '[') { // position index of inherited children: not needed here
            while (!AtEnd() && Peek() != ']' && Peek() != '\n') ++P;
            Expect(']');
        }
        for (;;) {
            SkipBlanks();
            if (AtEnd()) Error("'end' expected for " + (obj.Name.empty() ? obj.ClassName : obj.Name) + " but end of file found");
            std::string word = PeekWord();
            if (SameText(word, "end")) {
                obj.EndLine = Line;
                P += word.size();
                return obj;
            }
            if (SameText(word, "object") || SameText(word, "inherited") || SameText(word, "inline")) {
                obj.Children.push_back(ParseObject());
                continue;
            }
            obj.Props.push_back(ParseProperty());
        }
    }

    TFormProp ParseProperty()
    {
        TFormProp prop;
        prop.Line = Line;
        prop.Path = QualifiedIdent();
        Expect('=');
        SkipBlanks();
        prop.Value = ParseValue();
        return prop;
    }

    TFormValue ParseValue()
    {
        const TScopeExit nesting = Nest();
        TFormValue v;
        v.Line = Line;
        char c = Peek();
        if (AtEnd()) Error("Value expected but end of file found");
        if (c == '[') {
            ++P;
            v.Type = vaSet;
            SkipBlanks();
            if (Peek() == ']') {
                ++P;
                return v;
            }
            for (;;) {
                SkipBlanks();
                v.Set.push_back(Ident());
                SkipBlanks();
                if (Peek() == ',') {
                    ++P;
                    continue;
                }
                Expect(']');
                return v;
            }
        }
        if (c == '(') {
            ++P;
            v.Type = vaList;
            for (;;) {
                SkipBlanks();
                if (AtEnd()) Error("')' expected but end of file found");
                if (Peek() == ')') {
                    ++P;
                    return v;
                }
                v.List.push_back(ParseValue());
            }
        }
        if (c == '{') {
            ++P;
            v.Type = vaBinary;
            int high = -1;
            for (;;) {
                SkipBlanks();
                if (AtEnd()) Error("'}' expected but end of file found");
                char h = S[P++];
                if (h == '}') break;
                int d = HexDigit(h);
                if (d < 0) Error(std::string("Invalid binary value: '") + h + "'");
                if (high < 0) {
                    high = d;
                } else {
                    v.Str += static_cast<char>(high * 16 + d);
                    high = -1;
                }
            }
            if (high >= 0) Error("Invalid binary value: odd number of digits");
            return v;
        }
        if (c == '<') {
            ++P;
            v.Type = vaCollection;
            for (;;) {
                SkipBlanks();
                if (AtEnd()) Error("'>' expected but end of file found");
                if (Peek() == '>') {
                    ++P;
                    return v;
                }
                TFormItem item;
                item.Line = Line;
                std::string kw = Ident();
                if (!SameText(kw, "item")) Error("'item' expected but '" + kw + "' found");
                SkipBlanks();
                if (Peek() == '[') {
                    while (!AtEnd() && Peek() != ']' && Peek() != '\n') ++P;
                    Expect(']');
                }
                for (;;) {
                    SkipBlanks();
                    if (AtEnd()) Error("'end' expected for item but end of file found");
                    if (SameText(PeekWord(), "end")) {
                        P += 3;
                        break;
                    }
                    item.Props.push_back(ParseProperty());
                }
                v.Items.push_back(std::move(item));
            }
        }
        if (c == '\'' || c == '#') {
            v.Type = vaString;
            for (;;) {
                ParseStringParts(v.Str);
                // 'a' + 'b' continues a string across lines.
                size_t save = P;
                int saveLine = Line;
                SkipBlanks();
                if (Peek() == '+') {
                    ++P;
                    SkipBlanks();
                    if (Peek() == '\'' || Peek() == '#') continue;
                    Error("String expected after '+'");
                }
                P = save;
                Line = saveLine;
                return v;
            }
        }
        if (c == '-' || c == '+' || c == '$' || std::isdigit(static_cast<unsigned char>(c))) return ParseNumber(v);
        if (IsIdentStart(c)) {
            std::string id = QualifiedIdent();
            if (SameText(id, "True"))
                v.Type = vaTrue;
            else if (SameText(id, "False"))
                v.Type = vaFalse;
            else if (SameText(id, "nil"))
                v.Type = vaNil;
            else
                v.Type = vaIdent;
            v.Str = id;
            return v;
        }
        Error(std::string("Invalid property value '") + c + "'");
    }

    void ParseStringParts(std::string& out)
    {
        for (;;) {
            char c = Peek();
            if (c == '\'') {
                ++P;
                for (;;) {
                    if (AtEnd() || S[P] == '\n' || S[P] == '\r') Error("Unterminated string");
                    char ch = S[P++];
                    if (ch == '\'') {
                        if (Peek() == '\'') {
                            out += '\'';
                            ++P;
                            continue;
                        }
                        break;
                    }
                    out += ch;
                }
            } else if (c == '#') {
                ++P;
                std::uint32_t cp = 0;
                bool any = false;
                if (Peek() == '$') {
                    ++P;
                    while (HexDigit(Peek()) >= 0) {
                        cp = cp * 16 + static_cast<std::uint32_t>(HexDigit(S[P++]));
                        any = true;
                        if (cp > 0x10FFFF) Error("Invalid character value");
                    }
                } else {
                    while (std::isdigit(static_cast<unsigned char>(Peek()))) {
                        cp = cp * 10 + static_cast<std::uint32_t>(S[P++] - '0');
                        any = true;
                        if (cp > 0x10FFFF) Error("Invalid character value");
                    }
                }
                if (!any) Error("Number expected after '#'");
                AppendUtf8(out, cp);
            } else {
                return;
            }
        }
    }

    TFormValue ParseNumber(TFormValue& v)
    {
        size_t start = P;
        if (Peek() == '-' || Peek() == '+') ++P;
        if (Peek() == '$') {
            ++P;
            size_t digits = P;
            while (HexDigit(Peek()) >= 0) ++P;
            if (P == digits) Error("Invalid number");
            std::uint64_t u = 0;
            auto r = std::from_chars(S.data() + digits, S.data() + P, u, 16);
            if (r.ec != std::errc()) Error("Number out of range");
            // Sixteen hex digits are the 64 bits themselves ("$FFFFFFFFFFFFFFFF" is -1); a sign negates
            // them in unsigned arithmetic, so that "-$8000000000000000" is the smallest value instead of
            // an overflow.
            if (S[start] == '-') u = 0 - u;
            v.Type = vaInt;
            v.Int = static_cast<std::int64_t>(u);
            return v;
        }
        bool isFloat = false;
        while (std::isdigit(static_cast<unsigned char>(Peek())) || Peek() == '.' || Peek() == 'E' || Peek() == 'e' ||
               ((Peek() == '-' || Peek() == '+') && (S[P - 1] == 'E' || S[P - 1] == 'e'))) {
            if (!std::isdigit(static_cast<unsigned char>(Peek()))) isFloat = true;
            ++P;
        }
        std::string text = S.substr(start, P - start);
        if (text == "-" || text == "+" || text.empty()) Error("Invalid number");
        // Single, currency and date suffixes of floats.
        if (isFloat && (Peek() == 's' || Peek() == 'S' || Peek() == 'c' || Peek() == 'C' || Peek() == 'd' || Peek() == 'D')) ++P;
        if (IsIdentChar(Peek())) Error("Invalid number '" + text + Peek() + "'");
        if (isFloat) {
            char* end = nullptr;
            double d = std::strtod(text.c_str(), &end);
            if (end == nullptr || *end != '\0') Error("Invalid number '" + text + "'");
            v.Type = vaExtended;
            v.Float = d;
            return v;
        }
        const char* b = text.data() + (text[0] == '+' ? 1 : 0);
        std::int64_t i = 0;
        auto r = std::from_chars(b, text.data() + text.size(), i);
        if (r.ec != std::errc() || r.ptr != text.data() + text.size()) Error("Number out of range: " + text);
        v.Type = vaInt;
        v.Int = i;
        return v;
    }
};

} // namespace

TFormObject ParseFormText(const std::string& Text) { return TParser(Text).ParseRoot(); }
