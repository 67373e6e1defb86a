#include "io/figure_lines.h"

namespace kv {

namespace {
bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
}  // namespace

std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
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
            ++i;
            bool closed = false;
            while (i < n) {
                if (line[i] == '"') {
                    if (i + 1 < n && line[i + 1] == '"') {
                        f.text.push_back('"');
                        i += 2;
                        continue;
                    }
                    ++i;
                    closed = true;
                    break;
                }
                f.text.push_back(line[i++]);
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
            f.text.assign(line.substr(b, e - b));
        }
        out.fields.push_back(std::move(f));
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
