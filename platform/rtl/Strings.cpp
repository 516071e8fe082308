#include "platform/rtl/Strings.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

#include "platform/rtl/Exceptions.h"

namespace {

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }
char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }
bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

// Byte index of sub in s from `from`, or npos; ASCII case folded when ignoreCase.
size_t FindIn(std::string_view s, std::string_view sub, size_t from, bool ignoreCase)
{
    if (!ignoreCase) {
        return s.find(sub, from);
    }
    if (sub.size() > s.size()) {
        return std::string_view::npos;
    }
    for (size_t i = from; i + sub.size() <= s.size(); ++i) {
        size_t k = 0;
        while (k < sub.size() && AsciiLower(s[i + k]) == AsciiLower(sub[k])) {
            ++k;
        }
        if (k == sub.size()) {
            return i;
        }
    }
    return std::string_view::npos;
}

// Integer text as the library's Val reads it: leading blanks, sign, "$"/"0x" hex. Decimal must
// fit [lo, hi]; hex may fill `bits` bits and is then taken as two's complement.
bool ParseInteger(std::string_view s, int bits, int64_t& out)
{
    size_t i = 0;
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) {
        ++i;
    }
    bool neg = false;
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) {
        neg = s[i] == '-';
        ++i;
    }
    bool hex = false;
    if (i < s.size() && s[i] == '$') {
        hex = true;
        ++i;
    } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
        hex = true;
        i += 2;
    }
    if (i >= s.size()) {
        return false;
    }
    const uint64_t umax = bits == 64 ? std::numeric_limits<uint64_t>::max() : ((uint64_t{1} << bits) - 1);
    uint64_t v = 0;
    if (hex) {
        for (; i < s.size(); ++i) {
            char c = s[i];
            int d;
            if (c >= '0' && c <= '9') {
                d = c - '0';
            } else if (c >= 'a' && c <= 'f') {
                d = c - 'a' + 10;
            } else if (c >= 'A' && c <= 'F') {
                d = c - 'A' + 10;
            } else {
                return false;
            }
            if (v > (umax >> 4)) {
                return false;
            }
            v = (v << 4) | static_cast<uint64_t>(d);
        }
        // Sign-extend from the type's width, then apply the sign.
        int64_t sv;
        if (bits == 64) {
            sv = static_cast<int64_t>(v);
        } else {
            uint64_t signBit = uint64_t{1} << (bits - 1);
            sv = static_cast<int64_t>((v ^ signBit)) - static_cast<int64_t>(signBit);
        }
        out = neg ? static_cast<int64_t>(0 - static_cast<uint64_t>(sv)) : sv;
        return true;
    }
    const uint64_t limit = (umax >> 1) + (neg ? 1 : 0);
    for (; i < s.size(); ++i) {
        char c = s[i];
        if (c < '0' || c > '9') {
            return false;
        }
        uint64_t d = static_cast<uint64_t>(c - '0');
        if (v > (limit - d) / 10) {
            return false;
        }
        v = v * 10 + d;
    }
    out = neg ? static_cast<int64_t>(0 - v) : static_cast<int64_t>(v);
    return true;
}

[[noreturn]] void InvalidInteger(std::string_view s)
{
    throw EConvertError("'" + std::string(s) + "' is not a valid integer value");
}

// --- decimal digits of a double, the way the library's float formatting sees them ---------------

// value = 0.D1D2D3... x 10^Exp; Digits holds no trailing zeros, "" for zero.
struct TDecimal {
    bool Negative = false;
    std::string Digits;
    int Exp = 0;
};

TDecimal ToDecimal(double v)
{
    TDecimal d;
    d.Negative = std::signbit(v);
    v = std::fabs(v);
    if (v == 0) {
        return d;
    }
    // 18 significant digits, as the library's extended-precision conversion produces them
    // (to_chars: exact, and blind to the C locale's decimal point).
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific, 17);
    std::string_view t(buf, static_cast<size_t>(res.ptr - buf));
    size_t e = t.find('e');
    d.Digits.reserve(18);
    for (size_t i = 0; i < e; ++i) {
        if (t[i] != '.') {
            d.Digits += t[i];
        }
    }
    int exp10 = 0;
    std::from_chars(buf + e + (t[e + 1] == '+' ? 2 : 1), buf + t.size(), exp10);
    d.Exp = exp10 + 1;
    while (!d.Digits.empty() && d.Digits.back() == '0') {
        d.Digits.pop_back();
    }
    return d;
}

// Keeps `keep` significant digits, rounding half away from zero on the digit string.
void RoundDecimal(TDecimal& d, int keep)
{
    if (keep < 0) {
        d.Digits.clear();
        return;
    }
    if (static_cast<size_t>(keep) >= d.Digits.size()) {
        return;
    }
    bool up = d.Digits[static_cast<size_t>(keep)] >= '5';
    d.Digits.resize(static_cast<size_t>(keep));
    if (up) {
        int i = keep - 1;
        while (i >= 0 && d.Digits[static_cast<size_t>(i)] == '9') {
            d.Digits.pop_back();
            --i;
        }
        if (i < 0) {
            d.Digits.assign(1, '1');
            ++d.Exp;
        } else {
            ++d.Digits[static_cast<size_t>(i)];
        }
    }
    while (!d.Digits.empty() && d.Digits.back() == '0') {
        d.Digits.pop_back();
    }
}

char DigitAt(const TDecimal& d, int i) { return (i >= 0 && static_cast<size_t>(i) < d.Digits.size()) ? d.Digits[static_cast<size_t>(i)] : '0'; }

std::string SpecialFloat(double v)
{
    if (std::isnan(v)) {
        return "NAN";
    }
    return v < 0 ? "-INF" : "INF";
}

// Fixed notation with `decimals` digits after the point; thousands groups with ',' when asked.
std::string FormatFixed(double v, int decimals, bool thousands)
{
    if (!std::isfinite(v)) {
        return SpecialFloat(v);
    }
    TDecimal d = ToDecimal(v);
    RoundDecimal(d, d.Exp + decimals);
    std::string intPart;
    if (d.Digits.empty() || d.Exp <= 0) {
        intPart = "0";
    } else {
        for (int i = 0; i < d.Exp; ++i) {
            intPart += DigitAt(d, i);
        }
    }
    if (thousands) {
        for (int i = static_cast<int>(intPart.size()) - 3; i > 0; i -= 3) {
            intPart.insert(static_cast<size_t>(i), 1, ',');
        }
    }
    std::string r = (d.Negative && !d.Digits.empty()) ? "-" : "";
    r += intPart;
    if (decimals > 0) {
        r += '.';
        for (int i = 0; i < decimals; ++i) {
            r += d.Digits.empty() ? '0' : DigitAt(d, d.Exp + i);
        }
    }
    return r;
}

// Scientific "d.ddddE+ddd" with `digits` significant digits, trailing zeros kept.
std::string FormatScientific(double v, int digits)
{
    if (!std::isfinite(v)) {
        return SpecialFloat(v);
    }
    TDecimal d = ToDecimal(v);
    RoundDecimal(d, digits);
    std::string r = (d.Negative && !d.Digits.empty()) ? "-" : "";
    r += DigitAt(d, 0);
    if (digits > 1) {
        r += '.';
        for (int i = 1; i < digits; ++i) {
            r += DigitAt(d, i);
        }
    }
    int e = d.Digits.empty() ? 0 : d.Exp - 1;
    r += e < 0 ? "E-" : "E+";
    std::string es = std::to_string(std::abs(e));
    if (es.size() < 3) {
        es.insert(0, 3 - es.size(), '0');
    }
    return r + es;
}

// General notation: at most `precision` significant digits, no trailing zeros, scientific
// ("1E20", "1.5E-7") when the exponent is beyond the precision or the value is below 0.0001.
std::string FormatGeneral(double v, int precision)
{
    if (!std::isfinite(v)) {
        return SpecialFloat(v);
    }
    TDecimal d = ToDecimal(v);
    RoundDecimal(d, precision);
    if (d.Digits.empty()) {
        return "0";
    }
    std::string r = d.Negative ? "-" : "";
    const int n = static_cast<int>(d.Digits.size());
    if (d.Exp > precision || d.Exp < -3) {
        r += d.Digits[0];
        if (n > 1) {
            r += '.';
            r.append(d.Digits, 1);
        }
        r += 'E';
        r += std::to_string(d.Exp - 1);
        return r;
    }
    if (d.Exp <= 0) {
        r += "0.";
        r.append(static_cast<size_t>(-d.Exp), '0');
        r += d.Digits;
        return r;
    }
    for (int i = 0; i < d.Exp; ++i) {
        r += DigitAt(d, i);
    }
    if (n > d.Exp) {
        r += '.';
        r.append(d.Digits, static_cast<size_t>(d.Exp));
    }
    return r;
}

size_t Utf8Length(std::string_view s)
{
    size_t n = 0;
    for (char c : s) {
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) {
            ++n;
        }
    }
    return n;
}

// Byte length of the first `chars` UTF-8 characters of s.
size_t Utf8Prefix(std::string_view s, size_t chars)
{
    size_t seen = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        if ((static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) {
            if (seen == chars) {
                return i;
            }
            ++seen;
        }
    }
    return s.size();
}

std::string ZeroPadded(std::string digits, int minDigits, bool negative)
{
    if (minDigits > static_cast<int>(digits.size())) {
        digits.insert(0, static_cast<size_t>(minDigits) - digits.size(), '0');
    }
    return negative ? "-" + digits : digits;
}

// The unsigned bit pattern of an integer argument, 32 bits wide when it fits an int (as the
// library's Integer arguments are).
uint64_t UnsignedOf(const TFormatArg& a)
{
    if (a.Kind() == TFormatArg::akUInt) {
        return a.AsUInt();
    }
    int64_t v = a.AsInt();
    if (v < 0 && v >= std::numeric_limits<int32_t>::min()) {
        return static_cast<uint32_t>(static_cast<int32_t>(v));
    }
    return static_cast<uint64_t>(v);
}

} // namespace

// --- substrings --------------------------------------------------------------------------------

std::string Copy(std::string_view s, int64_t index, int64_t count)
{
    if (index < 1) {
        index = 1;
    }
    const int64_t len = static_cast<int64_t>(s.size());
    if (count <= 0 || index > len) {
        return {};
    }
    return std::string(s.substr(static_cast<size_t>(index - 1), static_cast<size_t>(std::min(count, len - index + 1))));
}

int Pos(std::string_view sub, std::string_view s)
{
    if (sub.empty()) {
        return 0;
    }
    size_t p = s.find(sub);
    return p == std::string_view::npos ? 0 : static_cast<int>(p + 1);
}

int Pos(char c, std::string_view s)
{
    size_t p = s.find(c);
    return p == std::string_view::npos ? 0 : static_cast<int>(p + 1);
}

void Delete(std::string& s, int64_t index, int64_t count)
{
    const int64_t len = static_cast<int64_t>(s.size());
    if (index < 1 || index > len || count <= 0) {
        return;
    }
    s.erase(static_cast<size_t>(index - 1), static_cast<size_t>(std::min(count, len - index + 1)));
}

void Insert(std::string_view sub, std::string& s, int64_t index)
{
    index = std::clamp<int64_t>(index, 1, static_cast<int64_t>(s.size()) + 1);
    s.insert(static_cast<size_t>(index - 1), sub);
}

std::string Trim(std::string_view s)
{
    size_t b = 0;
    size_t e = s.size();
    while (b < e && IsBlank(s[b])) {
        ++b;
    }
    while (e > b && IsBlank(s[e - 1])) {
        --e;
    }
    return std::string(s.substr(b, e - b));
}

std::string TrimLeft(std::string_view s)
{
    size_t b = 0;
    while (b < s.size() && IsBlank(s[b])) {
        ++b;
    }
    return std::string(s.substr(b));
}

std::string TrimRight(std::string_view s)
{
    size_t e = s.size();
    while (e > 0 && IsBlank(s[e - 1])) {
        --e;
    }
    return std::string(s.substr(0, e));
}

std::string UpperCase(std::string_view s)
{
    std::string r(s);
    for (char& c : r) {
        c = AsciiUpper(c);
    }
    return r;
}

std::string LowerCase(std::string_view s)
{
    std::string r(s);
    for (char& c : r) {
        c = AsciiLower(c);
    }
    return r;
}

// Latin-1 letters are U+00C0..U+00DE (upper) and U+00E0..U+00FE (lower), without the signs
// U+00D7 and U+00F7; in UTF-8 they are 0xC3 followed by 0x80..0x9E / 0xA0..0xBE.
std::string AnsiUpperCase(std::string_view s)
{
    std::string r = UpperCase(s);
    for (size_t i = 0; i + 1 < r.size(); ++i) {
        auto b = static_cast<unsigned char>(r[i + 1]);
        if (static_cast<unsigned char>(r[i]) == 0xC3 && b >= 0xA0 && b <= 0xBE && b != 0xB7) {
            r[i + 1] = static_cast<char>(b - 0x20);
            ++i;
        }
    }
    return r;
}

std::string AnsiLowerCase(std::string_view s)
{
    std::string r = LowerCase(s);
    for (size_t i = 0; i + 1 < r.size(); ++i) {
        auto b = static_cast<unsigned char>(r[i + 1]);
        if (static_cast<unsigned char>(r[i]) == 0xC3 && b >= 0x80 && b <= 0x9E && b != 0x97) {
            r[i + 1] = static_cast<char>(b + 0x20);
            ++i;
        }
    }
    return r;
}

int CompareText(std::string_view a, std::string_view b)
{
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        auto ca = static_cast<unsigned char>(AsciiLower(a[i]));
        auto cb = static_cast<unsigned char>(AsciiLower(b[i]));
        if (ca != cb) {
            return ca < cb ? -1 : 1;
        }
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

int AnsiCompareStr(std::string_view a, std::string_view b)
{
    int c = CompareText(a, b);
    if (c != 0) {
        return c;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i] != b[i]) {
            return (a[i] >= 'a' && a[i] <= 'z') ? -1 : 1;
        }
    }
    return 0;
}

bool SameText(std::string_view a, std::string_view b) { return a.size() == b.size() && CompareText(a, b) == 0; }

std::string StringReplace(std::string_view s, std::string_view oldPattern, std::string_view newPattern, TReplaceFlags flags)
{
    if (oldPattern.empty()) {
        return std::string(s);
    }
    const bool ignoreCase = flags.Contains(rfIgnoreCase);
    std::string r;
    size_t from = 0;
    while (true) {
        size_t p = FindIn(s, oldPattern, from, ignoreCase);
        if (p == std::string_view::npos) {
            break;
        }
        r.append(s.substr(from, p - from));
        r.append(newPattern);
        from = p + oldPattern.size();
        if (!flags.Contains(rfReplaceAll)) {
            break;
        }
    }
    r.append(s.substr(from));
    return r;
}

// --- integers ----------------------------------------------------------------------------------

std::string IntToStr(int64_t v)
{
    char buf[24];
    auto res = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, res.ptr);
}

// Upper-case hex, at least `digits` digits.
static std::string IntToHexBits(uint64_t bits, int digits)
{
    static const char hex[] = "0123456789ABCDEF";
    std::string r;
    do {
        r += hex[bits & 0xF];
        bits >>= 4;
    } while (bits != 0);
    if (digits > static_cast<int>(r.size())) {
        r.append(static_cast<size_t>(digits) - r.size(), '0');
    }
    std::reverse(r.begin(), r.end());
    return r;
}

bool TryStrToInt(std::string_view s, int& value)
{
    int64_t v;
    if (!ParseInteger(s, 32, v)) {
        return false;
    }
    value = static_cast<int>(v);
    return true;
}

int StrToInt(std::string_view s)
{
    int v;
    if (!TryStrToInt(s, v)) {
        InvalidInteger(s);
    }
    return v;
}

int StrToIntDef(std::string_view s, int def)
{
    int v;
    return TryStrToInt(s, v) ? v : def;
}

// --- floating point ----------------------------------------------------------------------------

bool TryStrToFloat(std::string_view s, double& value)
{
    size_t b = 0;
    size_t e = s.size();
    while (b < e && IsBlank(s[b])) {
        ++b;
    }
    while (e > b && IsBlank(s[e - 1])) {
        --e;
    }
    std::string_view t = s.substr(b, e - b);
    // Check the shape first: from_chars alone would take "inf", "nan" and hex floats.
    size_t i = 0;
    bool neg = false;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) {
        neg = t[i] == '-';
        ++i;
    }
    const size_t numStart = i;
    size_t mantissaDigits = 0;
    while (i < t.size() && t[i] >= '0' && t[i] <= '9') {
        ++i;
        ++mantissaDigits;
    }
    if (i < t.size() && t[i] == '.') {
        ++i;
        while (i < t.size() && t[i] >= '0' && t[i] <= '9') {
            ++i;
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0) {
        return false;
    }
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        ++i;
        if (i < t.size() && (t[i] == '+' || t[i] == '-')) {
            ++i;
        }
        size_t expDigits = 0;
        while (i < t.size() && t[i] >= '0' && t[i] <= '9') {
            ++i;
            ++expDigits;
        }
        if (expDigits == 0) {
            return false;
        }
    }
    if (i != t.size()) {
        return false;
    }
    double v = 0;
    auto res = std::from_chars(t.data() + numStart, t.data() + t.size(), v, std::chars_format::general);
    if (res.ec == std::errc::result_out_of_range) {
        // Too small reads as zero (a negative exponent); too large is an error, as in the library.
        size_t e = t.find_first_of("eE");
        if (e == std::string_view::npos || e + 1 >= t.size() || t[e + 1] != '-') {
            return false;
        }
        v = 0;
    } else if (res.ec != std::errc() || res.ptr != t.data() + t.size()) {
        return false;
    }
    value = neg ? -v : v;
    return true;
}

double StrToFloatDef(std::string_view s, double def)
{
    double v;
    return TryStrToFloat(s, v) ? v : def;
}

std::string FloatToStr(double v) { return FormatGeneral(v, 15); }

int64_t Round(double v)
{
    // The default rounding mode rounds ties to even, which is what the library's Round does.
    double r = std::nearbyint(v);
    if (!(r >= -9223372036854775808.0 && r < 9223372036854775808.0)) {
        throw EInvalidOp("Invalid floating point operation");
    }
    return static_cast<int64_t>(r);
}

double Int(double v) { return std::trunc(v); }

// --- quoting -----------------------------------------------------------------------------------

// --- Format ------------------------------------------------------------------------------------

std::string Format(const std::string& fmt, std::initializer_list<TFormatArg> args)
{
    auto invalid = [&]() -> EConvertError { return EConvertError("Format '" + fmt + "' invalid or incompatible with argument"); };
    const TFormatArg* argv = args.begin();
    const size_t argc = args.size();
    size_t next = 0;
    auto take = [&]() -> const TFormatArg& {
        if (next >= argc) {
            throw EConvertError("No argument for format '" + fmt + "'");
        }
        return argv[next++];
    };

    std::string out;
    out.reserve(fmt.size() + 16);
    const size_t n = fmt.size();
    size_t i = 0;
    while (i < n) {
        size_t pct = fmt.find('%', i);
        if (pct == std::string::npos) {
            out.append(fmt, i, std::string::npos);
            break;
        }
        out.append(fmt, i, pct - i);
        i = pct + 1;
        if (i < n && fmt[i] == '%') {
            out += '%';
            ++i;
            continue;
        }
        // "%" [index ":"] ["-"] [width] ["." precision] type
        auto readNumber = [&](int& value) -> bool {
            if (i < n && fmt[i] == '*') {
                const TFormatArg& a = take();
                if (a.Kind() != TFormatArg::akInt) {
                    throw invalid();
                }
                // A negative "*" counts as none.
                value = static_cast<int>(std::clamp<int64_t>(a.AsInt(), -1, 1000000));
                ++i;
                return true;
            }
            if (i >= n || fmt[i] < '0' || fmt[i] > '9') {
                return false;
            }
            int64_t v = 0;
            while (i < n && fmt[i] >= '0' && fmt[i] <= '9') {
                v = std::min<int64_t>(v * 10 + (fmt[i] - '0'), 1000000);
                ++i;
            }
            value = static_cast<int>(v);
            return true;
        };
        int width = -1;
        int precision = -1;
        bool left = false;
        int number = -1;
        if (readNumber(number) && i < n && fmt[i] == ':') {
            if (static_cast<size_t>(number) > argc) {
                throw invalid();
            }
            next = static_cast<size_t>(number);
            ++i;
            number = -1;
            readNumber(number);
        }
        if (number < 0) {
            if (i < n && fmt[i] == '-') {
                left = true;
                ++i;
            }
            readNumber(width);
        } else {
            width = number;
        }
        if (i < n && fmt[i] == '.') {
            ++i;
            if (!readNumber(precision)) {
                precision = 0;
            }
        }
        if (i >= n) {
            throw invalid();
        }
        const char type = AsciiLower(fmt[i++]);
        const TFormatArg* argp = nullptr;
        if (type == 'd' || type == 'u' || type == 'x' || type == 'e' || type == 'f' || type == 'g' || type == 'n' || type == 's') {
            argp = &take();
        } else {
            throw invalid();
        }
        const TFormatArg& a = *argp;
        const bool isInt = a.Kind() == TFormatArg::akInt || a.Kind() == TFormatArg::akUInt;
        std::string piece;
        switch (type) {
        case 'd':
            if (!isInt) {
                throw invalid();
            }
            if (a.Kind() == TFormatArg::akUInt) {
                piece = ZeroPadded(std::to_string(a.AsUInt()), precision, false);
            } else {
                int64_t v = a.AsInt();
                uint64_t mag = v < 0 ? 0 - static_cast<uint64_t>(v) : static_cast<uint64_t>(v);
                piece = ZeroPadded(std::to_string(mag), precision, v < 0);
            }
            break;
        case 'u':
            if (!isInt) {
                throw invalid();
            }
            piece = ZeroPadded(std::to_string(UnsignedOf(a)), precision, false);
            break;
        case 'x':
            if (!isInt) {
                throw invalid();
            }
            piece = ZeroPadded(IntToHexBits(UnsignedOf(a), 1), precision, false);
            break;
        case 'e':
        case 'f':
        case 'g':
        case 'n': {
            double v;
            if (a.Kind() == TFormatArg::akFloat) {
                v = a.AsFloat();
            } else if (a.Kind() == TFormatArg::akInt) {
                v = static_cast<double>(a.AsInt());
            } else if (a.Kind() == TFormatArg::akUInt) {
                v = static_cast<double>(a.AsUInt());
            } else {
                throw invalid();
            }
            if (type == 'e') {
                piece = FormatScientific(v, precision < 0 ? 15 : std::clamp(precision, 1, 18));
            } else if (type == 'g') {
                piece = FormatGeneral(v, precision < 0 ? 15 : std::clamp(precision, 1, 18));
            } else {
                piece = FormatFixed(v, precision < 0 ? 2 : std::min(precision, 18), type == 'n');
            }
            break;
        }
        case 's': {
            std::string_view sv;
            char c;
            if (a.Kind() == TFormatArg::akString) {
                sv = a.AsString();
            } else if (a.Kind() == TFormatArg::akChar) {
                c = static_cast<char>(a.AsInt());
                sv = std::string_view(&c, 1);
            } else {
                throw invalid();
            }
            if (precision >= 0) {
                sv = sv.substr(0, Utf8Prefix(sv, static_cast<size_t>(precision)));
            }
            piece.assign(sv);
            break;
        }
        }
        const size_t len = type == 's' ? Utf8Length(piece) : piece.size();
        if (width > 0 && static_cast<size_t>(width) > len) {
            const size_t pad = static_cast<size_t>(width) - len;
            if (left) {
                out += piece;
                out.append(pad, ' ');
            } else {
                out.append(pad, ' ');
                out += piece;
            }
        } else {
            out += piece;
        }
    }
    return out;
}

void AppendUtf8(std::string& Out, std::uint32_t CodePoint)
{
    const std::uint32_t c = CodePoint;
    if (c < 0x80) {
        Out += static_cast<char>(c);
    } else if (c < 0x800) {
        Out += static_cast<char>(0xC0 | (c >> 6));
        Out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        Out += static_cast<char>(0xE0 | (c >> 12));
        Out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        Out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        Out += static_cast<char>(0xF0 | (c >> 18));
        Out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        Out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        Out += static_cast<char>(0x80 | (c & 0x3F));
    }
}
