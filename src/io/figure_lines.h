#pragma once
// The line syntax of figure files: comma-separated values, texts in double quotes (a quote
// inside a text is written twice), numbers in plain decimal, lines ending in CR LF or LF (or in
// CR alone, in a file that has no LF at all).

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kv {

// A value as it stands in the line: no copy is made, so a huge text costs nothing until the
// reader has cut it to the width of its field.
struct Field {
    bool quoted = false;
    std::string_view raw;  // inside the quotes (inner quotes still doubled), or the bare value
                           // without surrounding blanks
};

// The values of a line, kept without allocating: no line of a figure file holds more than
// three; `count` is the number of values the line has, also beyond those kept.
struct ParsedLine {
    static constexpr size_t kKept = 4;
    std::array<Field, kKept> fields{};
    size_t count = 0;
    std::string error;  // empty when the line parsed
};

// The lines of a text; the final line end does not start another line. A CR before each LF is
// dropped. A text without any LF has its lines ended by CR: files from systems that end lines
// that way are read as they were meant. (A CR never stands inside a value of a file this
// program writes.)
std::vector<std::string_view> SplitLines(std::string_view text);
// How many lines SplitLines finds, without making the list.
size_t CountLines(std::string_view text);

// The lines SplitLines finds, each found when it is asked for instead of listed beforehand: a
// reader asks for them mostly in order, and each is found from the last one asked for (going
// back starts from the top). A long file then needs no table of its lines.
class TextLines {
  public:
    explicit TextLines(std::string_view text);
    size_t size() const { return count_; }
    // Line i (below size()), without its line end.
    std::string_view operator[](size_t i) const;

  private:
    size_t EndFrom(size_t from) const;
    size_t StartAfter(size_t stop, size_t lines) const;

    std::string_view text_;
    char end_;
    size_t count_;
    mutable size_t line_ = 0;  // the line that starts at offset_ and ends at stop_
    mutable size_t offset_ = 0;
    mutable size_t stop_ = 0;
};

// The values of one line, viewing into it. A blank line has no values.
ParsedLine ParseFields(std::string_view line);

// The text of a quoted value as a fixed-width field holds it: control characters made blanks
// (PrintableText), inner quotes made single, left-trimmed, cut to `width` characters and
// right-trimmed: exactly FitText(PrintableText(the text), width), but without copying more
// of a long value than the width needs.
std::string FieldText(std::string_view raw, int width);

// A text as a quoted value: "…", with every inner double quote doubled.
std::string QuoteText(std::string_view text);

// The text with every control character (C0, DEL and, in UTF-8, C1) replaced by a blank.
// Codes, names and formulas are one-line texts for the screen and the report: a line end inside
// one would break the line structure of the file, and an escape sequence read from a file must
// not reach a terminal through `--report`.
std::string PrintableText(std::string_view text);

}  // namespace kv
