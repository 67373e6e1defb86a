#include "model/number_text.h"

#include <cerrno>
#include <array>
#include <bit>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <system_error>

namespace kv {

namespace {

// Numbers are read and written with "." as the decimal point whatever the user's locale: the
// application object installs the system locale for the C library, and under a locale with a
// decimal comma strtod would stop at the "." of every stored value and printf would write ",".
locale_t CNumbers() {
    static const locale_t c = newlocale(LC_NUMERIC_MASK, "C", static_cast<locale_t>(0));
    return c;
}

double ReadDouble(const std::string& s, char** end) {
    return strtod_l(s.c_str(), end, CNumbers());
}

bool IsNumberChar(char c) {
    return (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.' || c == 'e' || c == 'E';
}

// Longest numeric prefix considered, as typed answers and formula operands are short.
constexpr size_t kLongestNumber = 64;

}  // namespace

namespace {

// A value's first 15 significant digits, rounded: digits[0..n) without trailing zeros, the
// first of them standing for 10^exponent.
struct Rounded15 {
    char digits[20];
    int n = 0;
    int exponent = 0;
};

// Writes the 15 digits of q (10^14 <= q < 10^15) from `at`, two at a time.
void FifteenDigits(std::uint64_t q, char* at) {
    static constexpr char kPairs[] =
        "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
        "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
        "8081828384858687888990919293949596979899";
    auto high = static_cast<std::uint32_t>(q / 100000000);  // 7 digits
    auto low = static_cast<std::uint32_t>(q % 100000000);   // 8 digits
    for (int k = 13; k >= 7; k -= 2) {
        std::memcpy(at + k, kPairs + 2 * (low % 100), 2);
        low /= 100;
    }
    for (int k = 5; k >= 1; k -= 2) {
        std::memcpy(at + k, kPairs + 2 * (high % 100), 2);
        high /= 100;
    }
    at[0] = static_cast<char>('0' + high);
}

// The rounding of a positive normal value exactly, in whole numbers: v = m / 2^shift, so its
// 15 digits are m·10^k / 2^shift rounded, for the k that puts the quotient between 10^14 and
// 10^15, and the remainder tells exactly how it rounds. This serves the values shown without
// an exponent from 10^-5 on (k up to 19, m·10^k within 117 bits); false for any other value,
// and for one exactly halfway between two roundings, which the library's rounding decides.
bool ExactlyRounded(double v, Rounded15& out) {
    if (!(v >= 1e-5 && v < 1e15)) return false;
    const auto bits = std::bit_cast<std::uint64_t>(v);
    const int biased = static_cast<int>(bits >> 52);  // the sign bit is clear
    const std::uint64_t m = (bits & ((std::uint64_t{1} << 52) - 1)) | std::uint64_t{1} << 52;
    const int shift = 1075 - biased;  // v = m / 2^shift, 2^52 <= m < 2^53
    if (shift <= 0 || shift > 120) return false;
    static constexpr auto kTens = [] {
        std::array<std::uint64_t, 20> tens{1};
        for (size_t k = 1; k < tens.size(); ++k) tens[k] = 10 * tens[k - 1];
        return tens;
    }();
    constexpr std::uint64_t kLeast = 100000000000000ull;  // 10^14
    // The decimal exponent, guessed from the binary one (log10 2 is about 1233 / 4096) and
    // put right by the quotient.
    int exponent = ((biased - 1023) * 1233) >> 12;
    using Wide = unsigned __int128;
    for (int attempt = 0; attempt < 3; ++attempt) {
        const int k = 14 - exponent;
        if (k < 0 || k > 19) return false;
        const Wide product = Wide{m} * kTens[static_cast<size_t>(k)];
        auto q = static_cast<std::uint64_t>(product >> shift);
        if (q >= 10 * kLeast) {
            ++exponent;
            continue;
        }
        if (q < kLeast) {
            --exponent;
            continue;
        }
        const Wide rest = product & ((Wide{1} << shift) - 1);
        const Wide half = Wide{1} << (shift - 1);
        if (rest == half) return false;
        if (rest > half && ++q == 10 * kLeast) {
            q = kLeast;
            ++exponent;
        }
        FifteenDigits(q, out.digits);
        out.n = 15;
        while (out.n > 1 && out.digits[out.n - 1] == '0') --out.n;
        out.exponent = exponent;
        return true;
    }
    return false;
}

// v as "%.15G" prints it, written from `at` (which has room for 32 bytes), for a value whose
// rounding ExactlyRounded settles; nullptr for any other, which the library's own rounding
// takes.
char* Formatted15(double v, char* at) {
    Rounded15 r;
    if (!std::isfinite(v) || !ExactlyRounded(std::fabs(v), r)) return nullptr;
    const char* const digits = r.digits;
    const int n = r.n, exponent = r.exponent;
    if (v < 0) *at++ = '-';
    if (exponent >= -4 && exponent < 15) {
        if (exponent < 0) {
            *at++ = '0';
            *at++ = '.';
            for (int k = -1; k > exponent; --k) *at++ = '0';
            for (int k = 0; k < n; ++k) *at++ = digits[k];
        } else {
            for (int k = 0; k <= exponent; ++k) *at++ = k < n ? digits[k] : '0';
            if (n > exponent + 1) {
                *at++ = '.';
                for (int k = exponent + 1; k < n; ++k) *at++ = digits[k];
            }
        }
        return at;
    }
    *at++ = digits[0];
    if (n > 1) {
        *at++ = '.';
        for (int k = 1; k < n; ++k) *at++ = digits[k];
    }
    *at++ = 'E';
    *at++ = exponent < 0 ? '-' : '+';
    const int e = exponent < 0 ? -exponent : exponent;
    if (e < 10) *at++ = '0';
    return std::to_chars(at, at + 4, e).ptr;
}

// v as "%.15G" would print it, but independent of the locale.
char* Digits15(double v, char* at, char* end) {
    if (end - at >= 32)
        if (char* stop = Formatted15(v, at)) return stop;
    const auto res = std::to_chars(at, end, v, std::chars_format::general, 15);
    for (char* c = at; c < res.ptr; ++c)
        if (*c == 'e') *c = 'E';
    return res.ptr;
}

}  // namespace

char* PutConvertedNumber(char* at, double v) {
    if (v == 0) v = 0;  // -0 shows as 0
    // The sign's place, then the digits of the value without its sign: every form but that
    // of a value that is not a number is the same for v and -v.
    char* const digits = at + 1;
    char* stop = nullptr;
    if (std::isfinite(v)) {
        *at = v < 0 ? '-' : ' ';
        stop = Digits15(std::fabs(v), digits, at + kConvertedNumberRoom);
    } else {
        stop = Digits15(v, digits, at + kConvertedNumberRoom);
        if (*digits == '-') {
            std::memmove(at, digits, static_cast<size_t>(stop - digits));
            --stop;
        } else {
            *at = ' ';
        }
    }
    // No zero before the point: " 0.5" -> " .5", "-0.5" -> "-.5".
    if (stop - at >= 3 && at[1] == '0' && at[2] == '.') {
        std::memmove(at + 1, at + 2, static_cast<size_t>(stop - at - 2));
        --stop;
    }
    return stop;
}

char* PutConvertedNumber(char* at, long long v) {
    if (v >= 0) *at++ = ' ';
    return std::to_chars(at, at + kConvertedNumberRoom - 1, v).ptr;
}

void AppendConvertedNumber(std::string& out, double v) {
    char buf[kConvertedNumberRoom];
    out.append(buf, PutConvertedNumber(buf, v));
}

void AppendConvertedNumber(std::string& out, long long v) {
    char buf[kConvertedNumberRoom];
    out.append(buf, PutConvertedNumber(buf, v));
}

std::string ConvertedNumber(double v) {
    std::string s;
    AppendConvertedNumber(s, v);
    return s;
}

std::string ConvertedNumber(long long v) {
    std::string s;
    AppendConvertedNumber(s, v);
    return s;
}

std::string RoundTripNumber(double v) {
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, v);
    std::string s(buf, res.ptr);
    for (char& c : s)
        if (c == 'e') c = 'E';
    return s;
}

std::optional<double> ParseNumber(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    size_t b = 0, e = text.size();
    while (b < e && blank(text[b])) ++b;
    while (e > b && blank(text[e - 1])) --e;
    if (b == e) return std::nullopt;
    std::string_view t = text.substr(b, e - b);
    // Whole numbers, most of what a figure file holds, read directly: up to 15 digits are
    // exact in a double, as the C library reads them too ("-0" is minus zero there as well).
    {
        const size_t sign = t.front() == '-' ? 1 : 0;
        if (t.size() > sign && t.size() - sign <= 15) {
            long long whole = 0;
            size_t j = sign;
            for (; j < t.size() && t[j] >= '0' && t[j] <= '9'; ++j) whole = whole * 10 + (t[j] - '0');
            if (j == t.size()) return sign ? -static_cast<double>(whole) : static_cast<double>(whole);
        }
    }
    // Only the characters of a decimal number; strtod alone would also take hex, inf, nan.
    bool digit = false;
    for (char c : t) {
        if (!IsNumberChar(c)) return std::nullopt;
        digit = digit || (c >= '0' && c <= '9');
    }
    if (!digit) return std::nullopt;
    // Most stored numbers read at once (both readings round correctly to the same double); a
    // text the quick reading does not take whole, or whose value it cannot hold, takes the
    // C library's way, which decides as before.
    double quick = 0;
    const auto [stop, error] = std::from_chars(t.data(), t.data() + t.size(), quick);
    if (error == std::errc() && stop == t.data() + t.size() &&
        std::isfinite(quick))
        return quick;
    std::string s(t);
    char* end = nullptr;
    errno = 0;
    const double v = ReadDouble(s, &end);
    if (end != s.c_str() + s.size()) return std::nullopt;
    if (!std::isfinite(v)) return std::nullopt;
    return v;
}

double LeadingNumber(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    size_t n = 0;
    while (i + n < text.size() && n < kLongestNumber && IsNumberChar(text[i + n])) ++n;
    if (n == 0) return 0.0;
    // strtod reads the longest prefix that forms a number, which is the longest prefix that
    // ParseNumber accepts unless the value overflows; only then are the prefixes tried one by
    // one for the longest finite one.
    const std::string run(text.substr(i, n));
    char* end = nullptr;
    const double v = ReadDouble(run, &end);
    if (end == run.c_str()) return 0.0;
    if (std::isfinite(v)) return v;
    for (size_t k = static_cast<size_t>(end - run.c_str()); k > 0; --k) {
        if (auto shorter = ParseNumber(std::string_view(run).substr(0, k))) return *shorter;
    }
    return 0.0;
}

}  // namespace kv
