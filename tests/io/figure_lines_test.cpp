// A quoted value cut to its field as it is taken from the line gives exactly what cutting the
// whole text would: for texts of every troublesome kind of character, at every width.

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

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

}  // namespace
}  // namespace kv
