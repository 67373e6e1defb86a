#include "io/figure_lines.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

#include "model/text.h"

namespace kv {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// LF, or CR for a text that has no LF.
char LineEnd(std::string_view text) {
    return text.find('\n') == std::string_view::npos && text.find('\r') != std::string_view::npos
               ? '\r'
               : '\n';
}

// Whether the character at s[i] is one that PrintableText makes a blank (or is a blank); `len`
// gets its length in bytes.
bool BlankWhenPrinted(std::string_view s, size_t i, size_t& len) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    len = 1;
    if (c <= 0x20 || c == 0x7F) return true;
    if (c == 0xC2 && i + 1 < s.size() && static_cast<unsigned char>(s[i + 1]) >= 0x80 &&
        static_cast<unsigned char>(s[i + 1]) <= 0x9F) {
        len = 2;
        return true;
    }
    return false;
}

std::string Undoubled(std::string_view raw) {
    std::string out;
    out.reserve(raw.size());
    for (size_t i = 0; i < raw.size(); ++i) {
        out.push_back(raw[i]);
        if (raw[i] == '"' && i + 1 < raw.size() && raw[i + 1] == '"') ++i;
    }
    return out;
}

}  // namespace

std::vector<std::string_view> SplitLines(std::string_view text) {
    const char end = LineEnd(text);
    std::vector<std::string_view> lines;
    lines.reserve(CountLines(text));
    size_t start = 0;
    while (start < text.size()) {
        size_t stop = text.find(end, start);
        if (stop == std::string_view::npos) stop = text.size();
        std::string_view line = text.substr(start, stop - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        start = stop + 1;
    }
    return lines;
}

TextLines::TextLines(std::string_view text)
    : text_(text), end_(LineEnd(text)), count_(CountLines(text)), stop_(EndFrom(0)) {}

// Where the line starting at `from` ends: the offset of its line end, or the text's size.
// Lines of a figure file are short, so the first few bytes are looked at in place before the
// library's search takes over.
size_t TextLines::EndFrom(size_t from) const {
    const char* const text = text_.data();
    const size_t size = text_.size();
    // Eight bytes at a time: a byte equal to the line end becomes zero, and the lowest zero
    // byte is found from the bits that (x - 1) & ~x sets in it alone.
    const std::uint64_t ends = 0x0101010101010101u * static_cast<unsigned char>(end_);
    const size_t near = std::min(size, from + 32);
    size_t k = from;
    for (; k + 8 <= near; k += 8) {
        std::uint64_t eight = 0;
        std::memcpy(&eight, text + k, 8);
        const std::uint64_t x = eight ^ ends;
        const std::uint64_t zero = (x - 0x0101010101010101u) & ~x & 0x8080808080808080u;
        if (zero != 0) return k + static_cast<size_t>(std::countr_zero(zero)) / 8;
    }
    for (; k < near; ++k)
        if (text[k] == end_) return k;
    const size_t stop = text_.find(end_, near);
    return stop == std::string_view::npos ? size : stop;
}

// The offset where the line `lines` lines after the one ending at `stop` starts, counting the
// line ends eight bytes at a time; the text's size when there are fewer lines.
size_t TextLines::StartAfter(size_t stop, size_t lines) const {
    const char* const text = text_.data();
    const size_t size = text_.size();
    const std::uint64_t ends = 0x0101010101010101u * static_cast<unsigned char>(end_);
    constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7Fu;
    size_t k = stop + 1;
    --lines;  // the line end at `stop` is the first one
    while (lines > 0 && k + 8 <= size) {
        std::uint64_t eight = 0;
        std::memcpy(&eight, text + k, 8);
        const std::uint64_t x = eight ^ ends;
        // The top bit of each byte that equals the line end, and of no other.
        const std::uint64_t zero = ~(((x & kLow7) + kLow7) | x | kLow7);
        // Their count: each top bit moved to the bottom of its byte, all added in the top byte.
        const auto found = static_cast<size_t>(((zero >> 7) * 0x0101010101010101u) >> 56);
        if (found >= lines) break;
        lines -= found;
        k += 8;
    }
    for (; lines > 0 && k < size; ++k)
        if (text[k] == end_) --lines;
    return std::min(k, size);
}

std::string_view TextLines::operator[](size_t i) const {
    if (i < line_) line_ = 0, offset_ = 0, stop_ = EndFrom(0);
    size_t at = line_, offset = offset_, stop = stop_;
    if (i > at + 1) {  // a jump ahead: the lines between are counted, not looked at
        offset = StartAfter(stop, i - at - 1);
        stop = EndFrom(offset);
        at = i - 1;
    }
    for (; at < i; ++at) {
        offset = stop + 1;
        stop = EndFrom(std::min(offset, text_.size()));
    }
    line_ = at, offset_ = offset, stop_ = stop;
    const size_t from = std::min(offset_, stop_);  // a line past the last one is empty
    std::string_view line = text_.substr(from, stop_ - from);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return line;
}

size_t CountLines(std::string_view text) {
    if (text.empty()) return 0;
    const char end = LineEnd(text);
    size_t n = 0;
    for (char c : text) n += c == end;
    return n + (text.back() != end);
}

std::string FieldText(std::string_view raw, int width) {
    if (width <= 0) return {};
    // A value of plain characters (codes, most names) is its own printable form, one byte to a
    // character: it is only trimmed and cut.
    const bool plain = std::all_of(raw.begin(), raw.end(), [](char c) {
        return c >= 0x20 && c < 0x7F && c != '"';
    });
    if (plain) {
        size_t b = 0;
        while (b < raw.size() && raw[b] == ' ') ++b;
        size_t e = std::min(raw.size(), b + static_cast<size_t>(width));
        while (e > b && raw[e - 1] == ' ') --e;
        return std::string(raw.substr(b, e - b));
    }
    size_t i = 0;
    size_t len = 0;
    while (i < raw.size() && BlankWhenPrinted(raw, i, len)) i += len;
    // A character of the text takes at most two of the raw value (a doubled quote), so twice the
    // width holds every character that can be kept.
    const std::string head = CutChars(raw.substr(i), 2 * width);
    return FitText(PrintableText(Undoubled(head)), width);
}

ParsedLine ParseFields(std::string_view line) {
    ParsedLine out;
    size_t i = 0;
    const size_t n = line.size();
    while (i < n && IsBlank(line[i])) ++i;
    if (i == n) return out;
    while (true) {
        Field f;
        while (i < n && IsBlank(line[i])) ++i;
        if (i < n && line[i] == '"') {
            f.quoted = true;
            const size_t b = ++i;
            bool closed = false;
            while (i < n) {
                if (line[i] == '"') {
                    if (i + 1 < n && line[i + 1] == '"') {
                        i += 2;
                        continue;
                    }
                    f.raw = line.substr(b, i - b);
                    ++i;
                    closed = true;
                    break;
                }
                ++i;
            }
            if (!closed) {
                out.error = "a quoted text has no closing quote";
                return out;
            }
            while (i < n && IsBlank(line[i])) ++i;
            if (i < n && line[i] != ',') {
                out.error = "unexpected characters after a quoted text";
                return out;
            }
        } else {
            const size_t b = i;
            while (i < n && line[i] != ',') {
                if (line[i] == '"') {
                    out.error = "a stray double quote inside a value";
                    return out;
                }
                ++i;
            }
            size_t e = i;
            while (e > b && IsBlank(line[e - 1])) --e;
            f.raw = line.substr(b, e - b);
        }
        if (out.count < ParsedLine::kKept) out.fields[out.count] = f;
        ++out.count;
        if (i >= n) break;
        ++i;  // the comma
    }
    return out;
}

std::string QuoteText(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 2);
    out.push_back('"');
    for (char c : text) {
        if (c == '"') out.push_back('"');
        out.push_back(c);
    }
    out.push_back('"');
    return out;
}

std::string PrintableText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        const bool c1 = c == 0xC2 && i + 1 < text.size() &&
                        static_cast<unsigned char>(text[i + 1]) >= 0x80 &&
                        static_cast<unsigned char>(text[i + 1]) <= 0x9F;
        if (c1) ++i;
        out.push_back(c < 0x20 || c == 0x7F || c1 ? ' ' : text[i]);
    }
    return out;
}

}  // namespace kv
