#include "io/encoding.h"

#include <iconv.h>

#include <cerrno>
#include <cstdint>
#include <cstring>

namespace kv {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::uint64_t kHighBits = 0x8080808080808080u;  // the top bit of each of eight bytes

// Converts CP932 bytes to UTF-8, handing the output to `take` piece by piece; false at the first
// byte sequence that is not CP932.
template <class Take>
bool ConvertCp932(std::string_view bytes, Take take) {
    iconv_t cd = iconv_open("UTF-8", "CP932");
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;
    char piece[16384];
    char* in = const_cast<char*>(bytes.data());
    size_t inLeft = bytes.size();
    bool ok = true;
    while (ok) {
        char* dst = piece;
        size_t outLeft = sizeof piece;
        const bool flush = inLeft == 0;
        const size_t r = flush ? iconv(cd, nullptr, nullptr, &dst, &outLeft)
                               : iconv(cd, &in, &inLeft, &dst, &outLeft);
        ok = r != static_cast<size_t>(-1) || errno == E2BIG;
        take(std::string_view(piece, static_cast<size_t>(dst - piece)));
        if (flush) break;
    }
    iconv_close(cd);
    return ok;
}

// The UTF-8 text of CP932 bytes, converted twice: once to learn its exact length and once into
// a string of that length. A text of half-width katakana grows to three times its bytes, so
// guessing the length would hold up to three times the input in memory for any file.
std::optional<std::string> Cp932ToUtf8(std::string_view bytes) {
    size_t length = 0;
    if (!ConvertCp932(bytes, [&](std::string_view s) { length += s.size(); })) return std::nullopt;
    std::string out;
    out.reserve(length);
    if (!ConvertCp932(bytes, [&](std::string_view s) { out.append(s); })) return std::nullopt;
    return out;
}

}  // namespace

bool IsValidUtf8(std::string_view s) {
    size_t i = 0;
    const size_t n = s.size();
    while (i < n) {
        // Most of a figure file is ASCII: eight such bytes are passed at once.
        std::uint64_t eight = 0;
        if (i + 8 <= n && (std::memcpy(&eight, s.data() + i, 8), (eight & kHighBits) == 0)) {
            i += 8;
            continue;
        }
        const unsigned char c = static_cast<unsigned char>(s[i]);
        if (c < 0x80) {
            ++i;
            continue;
        }
        int len = 0;
        unsigned int cp = 0;
        if (c >= 0xC2 && c <= 0xDF) {
            len = 2;
            cp = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            len = 3;
            cp = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            len = 4;
            cp = c & 0x07;
        } else {
            return false;
        }
        if (i + len > n) return false;
        for (int k = 1; k < len; ++k) {
            const unsigned char d = static_cast<unsigned char>(s[i + k]);
            if ((d & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (d & 0x3F);
        }
        if (len == 3 && (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF))) return false;
        if (len == 4 && (cp < 0x10000 || cp > 0x10FFFF)) return false;
        i += len;
    }
    return true;
}

std::optional<std::string> DecodeFigureText(std::string&& bytes) {
    std::string_view view(bytes);
    if (view.starts_with(kByteOrderMark)) view.remove_prefix(kByteOrderMark.size());
    if (IsValidUtf8(view)) {
        if (view.size() < bytes.size()) bytes.erase(0, kByteOrderMark.size());
        return std::move(bytes);
    }
    std::optional<std::string> text = Cp932ToUtf8(view);
    // The bytes are given up as soon as their text exists.
    std::string().swap(bytes);
    return text;
}

}  // namespace kv
