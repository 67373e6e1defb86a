// A quoted value cut to its field as it is taken from the line gives exactly what cutting the
// whole text would: for texts of every troublesome kind of character, at every width.

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "io/encoding.h"
#include "io/figure_lines.h"
#include "model/text.h"

namespace kv {
namespace {

TEST(FigureLines, ATextCutAsItIsTakenIsTheTextCutWhole) {
    // The plain characters come first: every other round draws only from them, as codes and
    // most names are.
    const std::vector<std::string> pieces = {" ", "a", "@", ",", "~", "\t", "\r", "\x1b", "\x7f",
                                             "\xc2\x85", "\"", "点", "ｱ", "\xc2\xa0", "　"};
    std::mt19937 rng(7);
    for (int round = 0; round < 3000; ++round) {
        const size_t kinds = round % 2 ? pieces.size() : 5;
        std::string text;
        for (int n = static_cast<int>(rng() % 30); n > 0; --n) text += pieces[rng() % kinds];
        const std::string line = "1," + QuoteText(text);
        const ParsedLine parsed = ParseFields(line);  // views into `line`
        ASSERT_TRUE(parsed.error.empty()) << text;
        ASSERT_EQ(parsed.count, 2u);
        for (int width : {1, 5, 10, 40}) {
            EXPECT_EQ(FieldText(parsed.fields[1].raw, width), FitText(PrintableText(text), width))
                << "text [" << text << "] width " << width;
        }
    }
}

// Runs of plain bytes are checked eight at a time: whatever plain bytes come first, and so
// wherever the other characters fall among those runs, the verdict is the same, and a
// faulty sequence is found also when it ends the text or follows a long plain run.
TEST(Utf8, AVerdictDoesNotDependOnWhereTheTextFalls) {
    const std::vector<std::pair<std::string, bool>> pieces = {
        {"abcdefgh", true},  {"点", true},          {"\xF0\x9F\x98\x80", true},
        {"\xC2\xA0", true},  {"\xC0\x80", false},  {"\xED\xA0\x80", false},
        {"\xE7\x82", false}, {"\xF4\x90\x80\x80", false}, {"\x80", false},
        {"\xFF", false}};
    std::mt19937 rng(11);
    for (int round = 0; round < 2000; ++round) {
        std::string text;
        bool valid = true;
        for (int n = static_cast<int>(rng() % 6); n > 0; --n) {
            const auto& [piece, good] = pieces[rng() % pieces.size()];
            text += piece + std::string(1 + rng() % 12, 'x');  // pieces never join
            valid = valid && good;
        }
        for (size_t lead = 0; lead <= 8; ++lead)
            ASSERT_EQ(IsValidUtf8(std::string(lead, ' ') + text), valid) << text << " " << lead;
    }
}

}  // namespace
}  // namespace kv
