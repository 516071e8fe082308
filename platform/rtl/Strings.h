#pragma once
// String and number helpers with the component library's semantics. Strings are UTF-8 in
// std::string; positions and counts are in bytes and 1-based where the library has them so
// (Copy, Pos, Delete, Insert). Case folding (UpperCase, SameText, CompareText...) is ASCII only;
// AnsiUpperCase/AnsiLowerCase also fold the Latin-1 letters (U+00C0..U+00FE) written in UTF-8.
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

// --- substrings, 1-based ---------------------------------------------------------------------

// Up to count bytes from position index (1-based). An index below 1 counts as 1; past the end or
// a count <= 0 gives "".
std::string Copy(std::string_view s, int64_t index, int64_t count);
// 1-based position of the first sub in s, 0 when not there (and for an empty sub).
int Pos(std::string_view sub, std::string_view s);
int Pos(char c, std::string_view s);
// Removes count bytes from index (1-based); out-of-range parts are ignored.
void Delete(std::string& s, int64_t index, int64_t count);
// Inserts sub before position index (1-based); index < 1 inserts at the front, past the end appends.
void Insert(std::string_view sub, std::string& s, int64_t index);

// Trim removes bytes <= ' ' (blanks and control characters) from the ends.
std::string Trim(std::string_view s);
std::string TrimLeft(std::string_view s);
std::string TrimRight(std::string_view s);

std::string UpperCase(std::string_view s);
std::string LowerCase(std::string_view s);
std::string AnsiUpperCase(std::string_view s);
std::string AnsiLowerCase(std::string_view s);

// <0, 0, >0; CompareText ignores ASCII case.
int CompareText(std::string_view a, std::string_view b);
bool SameText(std::string_view a, std::string_view b);
inline int AnsiCompareText(std::string_view a, std::string_view b) { return CompareText(a, b); }
// Case-sensitive order as the original system's collation has it: letters compare without case
// first, and only then a lower-case letter comes before its upper-case form ("a" < "A" < "b").
int AnsiCompareStr(std::string_view a, std::string_view b);
inline bool AnsiSameText(std::string_view a, std::string_view b) { return SameText(a, b); }

// --- replacing -------------------------------------------------------------------------------

enum TReplaceFlag : unsigned { rfReplaceAll = 1, rfIgnoreCase = 2 };

// A set of TReplaceFlag: `{}`, `rfReplaceAll`, `{rfReplaceAll, rfIgnoreCase}` or `rfReplaceAll | rfIgnoreCase`.
struct TReplaceFlags {
    unsigned Bits = 0;
    constexpr TReplaceFlags() = default;
    constexpr TReplaceFlags(TReplaceFlag f) : Bits(f) {}
    constexpr TReplaceFlags(std::initializer_list<TReplaceFlag> flags)
    {
        for (TReplaceFlag f : flags) {
            Bits |= f;
        }
    }
    constexpr bool Contains(TReplaceFlag f) const { return (Bits & f) != 0; }
};
constexpr TReplaceFlags operator|(TReplaceFlags a, TReplaceFlags b)
{
    TReplaceFlags r;
    r.Bits = a.Bits | b.Bits;
    return r;
}
constexpr TReplaceFlags operator|(TReplaceFlag a, TReplaceFlag b) { return TReplaceFlags(a) | TReplaceFlags(b); }

// Replaces the first (or with rfReplaceAll every) occurrence of oldPattern. An empty oldPattern
// leaves s unchanged.
std::string StringReplace(std::string_view s, std::string_view oldPattern, std::string_view newPattern,
                          TReplaceFlags flags = {});

// --- integers --------------------------------------------------------------------------------

std::string IntToStr(int64_t v);

// Text to integer as the library reads it: leading blanks allowed, optional sign, decimal or
// hexadecimal after "$", "0x" or "0X". Decimal must fit the type; hexadecimal may use the full
// unsigned width of the type and wraps ("$FFFFFFFF" is -1 for an int). Anything else (trailing
// blanks too) raises EConvertError "'abc' is not a valid integer value".
int StrToInt(std::string_view s);
int StrToIntDef(std::string_view s, int def);
bool TryStrToInt(std::string_view s, int& value);

// --- floating point --------------------------------------------------------------------------

// Locale independent, "." is the decimal separator; leading and trailing blanks allowed; an
// exponent "E"/"e" allowed; no thousands separators, no "inf"/"nan". Bad text gives def / false.
double StrToFloatDef(std::string_view s, double def);
bool TryStrToFloat(std::string_view s, double& value);
// General format with 15 significant digits, as the library prints it: "2.5", "0.1", "1E20",
// "1E-5", "-3", "NAN", "INF", "-INF". Any value with at most 15 significant digits round-trips
// through TryStrToFloat.
std::string FloatToStr(double v);

// Nearest integer, halves to the even neighbour (0.5 -> 0, 1.5 -> 2, 2.5 -> 2, -2.5 -> -2).
// NaN, infinities and values beyond the 64-bit range raise EInvalidOp.
int64_t Round(double v);
// Towards zero, as a double.
double Int(double v);

// --- Format ----------------------------------------------------------------------------------

// One argument of Format. It keeps a view of a string argument, so it must not outlive the
// expression that made it (as inside a Format(...) call).
class TFormatArg {
public:
    enum TKind { akInt, akUInt, akFloat, akString, akChar };

    TFormatArg(int v) : FKind(akInt), FInt(v) {}
    TFormatArg(long v) : FKind(akInt), FInt(v) {}
    TFormatArg(long long v) : FKind(akInt), FInt(v) {}
    TFormatArg(unsigned v) : FKind(akUInt), FUInt(v) {}
    TFormatArg(unsigned long v) : FKind(akUInt), FUInt(v) {}
    TFormatArg(unsigned long long v) : FKind(akUInt), FUInt(v) {}
    TFormatArg(double v) : FKind(akFloat), FFloat(v) {}
    TFormatArg(char c) : FKind(akChar), FInt(static_cast<unsigned char>(c)) {}
    TFormatArg(const char* s) : FKind(akString), FString(s ? s : "") {}
    TFormatArg(const std::string& s) : FKind(akString), FString(s) {}
    TFormatArg(std::string_view s) : FKind(akString), FString(s) {}

    TKind Kind() const { return FKind; }
    int64_t AsInt() const { return FInt; }
    uint64_t AsUInt() const { return FUInt; }
    double AsFloat() const { return FFloat; }
    std::string_view AsString() const { return FString; }

private:
    TKind FKind;
    int64_t FInt = 0;
    uint64_t FUInt = 0;
    double FFloat = 0;
    std::string_view FString;
};

// The library's Format: "%" [index ":"] ["-"] [width] ["." precision] type, type one of
// d u x X (hex is upper case either way) e f g n (n: f with "," thousands) s, and "%%".
// %d/%u/%x: precision = minimum digits (zero padded). %f/%n: precision = decimals (default 2).
// %e: precision = significant digits (default 15), exponent "E+ddd". %g: precision = significant
// digits (default 15), like FloatToStr. %s: precision = maximum characters. Width pads with
// blanks (left with "-"); width and truncation count UTF-8 characters. Floats round half away
// from zero on the 18-digit decimal value, as the library does. Integer arguments are accepted by
// the float types; a float for %d/%u/%x, a number for %s, a missing argument or an unknown type
// raise EConvertError "Format '%5.5q' invalid or incompatible with argument" /
// "No argument for format '%s'".
std::string Format(const std::string& fmt, std::initializer_list<TFormatArg> args);

// Appends the UTF-8 bytes of one code point (1 to 4 bytes; the caller gives a valid code point).
void AppendUtf8(std::string& Out, std::uint32_t CodePoint);
