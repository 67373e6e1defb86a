#pragma once
// The line syntax of figure files: comma-separated values, texts in double quotes (a quote
// inside a text is written twice), numbers in plain decimal, lines ending in CR LF or LF.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kv {

struct Field {
    bool quoted = false;
    std::string text;  // the text inside the quotes, or the bare value without blanks
};

struct ParsedLine {
    std::vector<Field> fields;
    std::string error;  // empty when the line parsed
};

// The lines of a text; the final line end does not start another line. A CR before each LF is
// dropped.
std::vector<std::string_view> SplitLines(std::string_view text);

// The values of one line. A blank line has no values.
ParsedLine ParseFields(std::string_view line);

// A text as a quoted value: "…", with every inner double quote doubled.
std::string QuoteText(std::string_view text);

// The text with every control character (C0, DEL and, in UTF-8, C1) replaced by a blank.
// Codes, names and formulas are one-line texts for the screen and the report: a line end inside
// one would break the line structure of the file, and an escape sequence read from a file must
// not reach a terminal through `--report`.
std::string PrintableText(std::string_view text);

}  // namespace kv
