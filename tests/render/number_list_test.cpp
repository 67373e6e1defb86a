#include "render/number_list.h"

#include <gtest/gtest.h>

#include "draw_rig.h"
#include "model/number_text.h"
#include "render/palette.h"
#include "support/figure_builder.h"

namespace kv {
namespace {

using test::AddNumber;
using test::Call;
using test::DrawRig;
using test::Op;

struct FormatRow {
    double value;
    int digits;
    const char* shown;
};
class FormatMeasureRows : public ::testing::TestWithParam<FormatRow> {};

TEST_P(FormatMeasureRows, CutsNeverRounds) {
    const FormatRow row = GetParam();
    EXPECT_EQ(FormatMeasure(ConvertedNumber(row.value), row.digits), row.shown);
}

INSTANTIATE_TEST_SUITE_P(Values, FormatMeasureRows,
                         ::testing::Values(FormatRow{2.5, 0, " 2."}, FormatRow{2.5, 3, " 2.5  "},
                                           FormatRow{-1.23456, 3, "-1.234"},
                                           FormatRow{3.14159, 0, " 3."},
                                           FormatRow{0.999999, 2, " .99"},
                                           FormatRow{-0.5, 1, "-.5"}, FormatRow{4, 0, " 4"},
                                           FormatRow{4, 5, " 4"}, FormatRow{1e20, 3, " 1E+20"},
                                           FormatRow{1.5e-7, 2, " 1.5E-07"},
                                           FormatRow{2.0 / 3, 20, " .666666666666667     "}));

TEST(FieldOf, SplitsAtAnyDelimiter) {
    EXPECT_EQ(FieldOf("12.345", ".", 1), "12");
    EXPECT_EQ(FieldOf("12.345", ".", 2), "345");
    EXPECT_EQ(FieldOf("12.345", ".", 3), "");
    EXPECT_EQ(FieldOf("abc", ".", 1), "abc");
    EXPECT_EQ(FieldOf("abc", ".", 2), "");
    EXPECT_EQ(FieldOf("a,b;c", ",;", 2), "b");
    EXPECT_EQ(FieldOf("a,b;c", ",;", 3), "c");
    EXPECT_EQ(FieldOf(".5", ".", 1), "");
    EXPECT_EQ(FieldOf("角度・長さ・面積", "・", 2), "長さ");  // positions count characters
    // Delimiters from position 100 on are not seen.
    const std::string longText = std::string(98, 'x') + "." + "y";
    EXPECT_EQ(FieldOf(longText, ".", 2), "y");
    const std::string tooLong = std::string(99, 'x') + "." + "y";
    EXPECT_EQ(FieldOf(tooLong, ".", 1), tooLong);
    EXPECT_EQ(FieldOf(tooLong, ".", 2), "");
}

TEST(DrawNumberLabels, RowsStackUpFromAboveTheBottomEdge) {
    DrawRig rig;
    Figure& f = rig.figure;
    AddNumber(f, "AB", 2.5);
    AddNumber(f, "variable", 7, -1);  // neither listed nor given a row, but widens the names
    AddNumber(f, "angle", -1.23456);
    AddNumber(f, "generated", 1, 7);
    TakeSnapshot(f);
    rig.view.MeasureDigits = 3;
    DrawNumberLabels(f, rig.Ctx());

    const auto prints = rig.surface.Of(Op::Print);
    ASSERT_EQ(prints.size(), 6u);  // per row: index, erased rest, the whole row
    const double h = 9 * 0.05 * 1.2;
    const double bottom = -12 + 41 * 0.05;
    // Row 1 (number 1) on top, row 2 (number 3) below it.
    EXPECT_EQ(prints[0].text, " 1:");
    EXPECT_EQ(prints[2].text, " 1:AB        =  2.5  ");
    EXPECT_EQ(prints[5].text, " 3:angle     = -1.234");
    EXPECT_FLOAT_EQ(prints[2].x1, -16);
    EXPECT_FLOAT_EQ(prints[2].y1, static_cast<float>(bottom + 2 * h));
    EXPECT_FLOAT_EQ(prints[5].y1, static_cast<float>(bottom + h));
    EXPECT_EQ(rig.surface.ForeColour(), kBlack);
}

TEST(DrawNumberLabels, ErasesTheSavedValueBeforeDrawingTheNewOne) {
    DrawRig rig;
    Figure& f = rig.figure;
    AddNumber(f, "d", 12.75);
    TakeSnapshot(f);
    f.Numbers[1].value = 3;
    rig.view.MeasureDigits = 2;
    DrawNumberLabels(f, rig.Ctx());
    const auto& calls = rig.surface.calls;
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0].text, " 1:");
    EXPECT_EQ(calls[0].colour, kBlack);
    EXPECT_EQ(calls[1].text, "d =  12.75");
    EXPECT_EQ(calls[1].colour, kBackgroundGrey);
    EXPECT_FLOAT_EQ(calls[1].x1, calls[0].x1);  // one row, printed from the same corner
    EXPECT_EQ(calls[2].text, " 1:d =  3");
    EXPECT_EQ(calls[2].colour, kBlack);
    EXPECT_FLOAT_EQ(calls[2].x1, calls[0].x1);
    EXPECT_FLOAT_EQ(calls[2].y1, calls[0].y1);
}

TEST(DrawNumberLabels, LineHeightFollowsTheFontSizeAndNothingForNoRows) {
    DrawRig rig;
    Figure& f = rig.figure;
    AddNumber(f, "hidden", 1, -1);
    DrawNumberLabels(f, rig.Ctx());
    EXPECT_TRUE(rig.surface.calls.empty());
    AddNumber(f, "x", 1);
    rig.surface.SetFontSize(20);
    DrawNumberLabels(f, rig.Ctx());
    EXPECT_FLOAT_EQ(rig.surface.calls.at(0).y1,
                    static_cast<float>(-12 + 41 * 0.05 + 20 * 0.05 * 1.2));
}

}  // namespace
}  // namespace kv
