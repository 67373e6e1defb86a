#include "model/text.h"

#include <cstring>

namespace kv {

namespace {
bool IsContinuation(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

// Byte length of the first n characters.
size_t PrefixBytes(std::string_view s, int n) {
    size_t i = 0;
    int count = 0;
    while (i < s.size() && count < n) {
        ++i;
        while (i < s.size() && IsContinuation(static_cast<unsigned char>(s[i]))) ++i;
        ++count;
    }
    return i;
}
}  // namespace

int CharCount(std::string_view s) {
    int n = 0;
    for (unsigned char c : s)
        if (!IsContinuation(c)) ++n;
    return n;
}

std::string CutChars(std::string_view s, int n) {
    if (n <= 0) return {};
    return std::string(s.substr(0, PrefixBytes(s, n)));
}

std::string TrimLeft(std::string_view s) {
    size_t b = s.find_first_not_of(' ');
    return b == std::string_view::npos ? std::string() : std::string(s.substr(b));
}

std::string TrimRight(std::string_view s) {
    size_t e = s.find_last_not_of(' ');
    return e == std::string_view::npos ? std::string() : std::string(s.substr(0, e + 1));
}

std::string Trim(std::string_view s) {
    return TrimRight(TrimLeft(s));
}

std::string FitText(std::string_view s, int width) {
    return TrimRight(CutChars(TrimLeft(s), width));
}

std::string PadText(std::string_view s, int width) {
    std::string out;
    AppendPadded(out, s, width);
    return out;
}

void AppendPadded(std::string& out, std::string_view s, int width) {
    if (width <= 0) return;
    const std::string_view kept = s.substr(0, PrefixBytes(s, width));
    out += kept;
    const int n = CharCount(kept);
    if (n < width) out.append(static_cast<size_t>(width - n), ' ');
}

char* PutPadded(char* at, std::string_view s, int width) {
    if (width <= 0) return at;
    const std::string_view kept = s.substr(0, PrefixBytes(s, width));
    std::memcpy(at, kept.data(), kept.size());
    at += kept.size();
    const int n = CharCount(kept);
    if (n < width) {
        std::memset(at, ' ', static_cast<size_t>(width - n));
        at += width - n;
    }
    return at;
}

}  // namespace kv
