#include "model/number_text.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace kv {

namespace {
// " 0.5" -> " .5", "-0.5" -> "-.5"
std::string DropLeadingZero(std::string s) {
    if (s.size() >= 3 && s[1] == '0' && s[2] == '.') s.erase(1, 1);
    return s;
}
}  // namespace

std::string ConvertedNumber(double v) {
    if (v == 0) v = 0;  // -0 shows as 0
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15G", v);
    std::string s = buf;
    if (s[0] != '-') s.insert(s.begin(), ' ');
    return DropLeadingZero(std::move(s));
}

std::string ConvertedNumber(long long v) {
    return v < 0 ? std::to_string(v) : " " + std::to_string(v);
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
    size_t b = text.find_first_not_of(" \t");
    size_t e = text.find_last_not_of(" \t");
    if (b == std::string_view::npos) return std::nullopt;
    std::string_view t = text.substr(b, e - b + 1);
    // Only the characters of a decimal number; strtod alone would also take hex, inf, nan.
    bool digit = false;
    for (char c : t) {
        if (c >= '0' && c <= '9') {
            digit = true;
            continue;
        }
        if (c != '+' && c != '-' && c != '.' && c != 'e' && c != 'E') return std::nullopt;
    }
    if (!digit) return std::nullopt;
    std::string s(t);
    char* end = nullptr;
    errno = 0;
    const double v = std::strtod(s.c_str(), &end);
    if (end != s.c_str() + s.size()) return std::nullopt;
    if (!std::isfinite(v)) return std::nullopt;
    return v;
}

double LeadingNumber(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    // Take the longest prefix that reads as a number.
    size_t best = 0;
    double value = 0;
    for (size_t n = 1; i + n <= text.size() && n <= 64; ++n) {
        if (auto v = ParseNumber(text.substr(i, n))) {
            best = n;
            value = *v;
        }
    }
    return best ? value : 0.0;
}

}  // namespace kv
